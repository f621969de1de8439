#include "app/MasterFolderDlg.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "app/AppConstants.h"
#include "app/AppTexts.h"
#include "dialogkit/DialogTexts.h"
#include "dialogkit/InputDialogs.h"
#include "dialogkit/Tx.h"
#include "master/MasterTexts.h"
#include "platform/FileUtil.h"
#include "platform/LockFile.h"
#include "platform/Host.h"
#include "platform/NumberText.h"
#include "masteredit/MasterEditTexts.h"

namespace fs = std::filesystem;

namespace {

std::string S(const QString& q) { return q.toStdString(); }

fs::path P(const std::string& s) { return fs::path(s); }

int Ask(const std::string& text, const std::string& caption, MsgButtons buttons, MsgIcon icon) {
    return Host().MessageBox(text, caption, buttons, icon, 1);
}

// Copies the files directly inside source (not its sub-folders) into a new folder target. On any
// failure (a file larger than any master among them) the new folder is removed again and false is
// returned.
bool CopyFolderFiles(const std::string& source, const std::string& target) {
    std::error_code ec;
    if (!fs::create_directory(P(target), ec) || ec) return false;
    bool ok = true;
    for (auto it = fs::directory_iterator(P(source), ec); ok && !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        std::error_code typeError;
        std::string name = it->path().filename().string();
        // Temporary files of unfinished saves and the lock files of the masters are not part of them.
        if (!it->is_regular_file(typeError) || vemo::IsReplacingTemporary(name) || vemo::IsLockFileName(name))
            continue;
        std::string bytes;
        ok = vemo::ReadWholeFile(it->path().string(), vemo::kDataFileLimit, bytes) == vemo::ReadResult::read &&
             vemo::WriteFileReplacing(vemo::JoinPath(target, name), bytes);
    }
    if (ec) ok = false;
    if (!ok) fs::remove_all(P(target), ec);
    return ok;
}

}  // namespace

std::string FindNewestZairyoTankaFile(const std::string& dataFolder) {
    const std::string stem = vemo::app::kZairyoStem;
    const std::string ext = vemo::app::kZairyoExtension;
    std::string direct = vemo::JoinPath(dataFolder, stem + ext);
    if (vemo::FileExists(direct)) return direct;
    // The stem ends in its number after "タ": count down from it.
    const std::string mark = "タ";
    size_t at = stem.rfind(mark);
    std::string prefix = at == std::string::npos ? stem : stem.substr(0, at + mark.size());
    auto start = vemo::ParseInt(at == std::string::npos ? "" : stem.substr(at + mark.size()));
    for (int k = start ? *start : 0; k >= 1; --k) {
        std::string number = (k < 10 ? "0" : "") + std::to_string(k);
        std::string path = vemo::JoinPath(dataFolder, prefix + number + ext);
        if (vemo::FileExists(path)) return path;
    }
    return {};
}

std::string CheckFolderName(const std::string& dataFolder, const QString& name) {
    if (name.isEmpty()) return apptext::kEnterFileName;
    if (name == QLatin1String(".") || name == QLatin1String("..") || name.contains(QLatin1Char('/')) ||
        name.contains(QLatin1Char('\\')) || name.contains(QChar(0)))
        return apptext::kFolderNameInvalid;
    std::error_code ec;
    if (fs::exists(P(vemo::JoinPath(dataFolder, S(name))), ec)) return apptext::kFolderNameTaken;
    return {};
}

// ---------------------------------------------------------------------------------------------
// CMasterFolderDlg

CMasterFolderDlg::CMasterFolderDlg(IMasterFolderHost& host, QWidget* parent) : CSekisanDialog(parent), m_host(host) {
    setWindowTitle(Tx(mastertext::kMasterFolderTitle));
    auto* pathLabel = new QLabel(Tx(apptext::kDataFolderLabel), this);
    m_pathDisplay = new QLineEdit(this);
    m_pathDisplay->setObjectName(QStringLiteral("path"));
    m_pathDisplay->setReadOnly(true);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->setColumnCount(1);
    m_list->setHeaderLabels({Tx(apptext::kMasterListHeader)});
    m_list->setRootIsDecorated(false);
    m_list->setIconSize(QSize(16, 16));
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);

    auto button = [this](const char* text, const char* name) {
        auto* b = new QPushButton(Tx(text), this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    auto [ok, cancel] = MakeOkCancelButtons();
    m_ok = ok;
    m_rename = button(dialogtext::kActionRename, "rename");
    m_copy = button(dialogtext::kActionCopy, "copy");
    m_delete = button(masteredittext::kDeleteButton, "delete");
    m_switch = button(apptext::kSwitchDataFolderButton, "switch");
    m_up = button(apptext::kUpFolderButton, "up");
    m_missing = new QLabel(Tx(apptext::kMasterFolderIncomplete), this);
    m_missing->setObjectName(QStringLiteral("missing"));
    m_missing->setStyleSheet(QStringLiteral("color: red"));
    m_missing->setVisible(false);
    auto* note = new QLabel(Tx(apptext::kMasterDataNote), this);

    connect(m_rename, &QPushButton::clicked, this, &CMasterFolderDlg::OnRename);
    connect(m_copy, &QPushButton::clicked, this, &CMasterFolderDlg::OnCopy);
    connect(m_delete, &QPushButton::clicked, this, &CMasterFolderDlg::OnDelete);
    connect(m_switch, &QPushButton::clicked, this, &CMasterFolderDlg::OnSwitchDataFolder);
    connect(m_up, &QPushButton::clicked, this, &CMasterFolderDlg::OnUpFolder);
    connect(m_list, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        SelectName(item ? item->text(0) : QString());
    });
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && item->text(0) != m_selectedName) SelectName(item->text(0));
    });

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathLabel);
    pathRow->addWidget(m_pathDisplay, 1);
    auto* side = new QVBoxLayout;
    FitButtonColumn({m_ok, cancel, m_rename, m_copy, m_delete, m_switch, m_up});
    for (QPushButton* b : {m_ok, cancel, m_rename, m_copy, m_delete, m_switch, m_up}) side->addWidget(b);
    side->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_list, 1);
    middle->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pathRow);
    layout->addLayout(middle, 1);
    layout->addWidget(m_missing);
    layout->addWidget(note);
    resize(520, 360);
}

void CMasterFolderDlg::OnInitDialog() {
    if (m_oldVersionMode) setWindowTitle(Tx(mastertext::kOldMasterFolderTitle));
    m_pathDisplay->setText(QString::fromStdString(m_dataFolder));
    m_list->header()->resizeSection(0, m_list->viewport()->width());
    ReadFolderNames();
    FillList();
    UpdateButtons();
}

std::string CMasterFolderDlg::GetSelectedFolder() const { return PathOf(m_selectedName); }

std::string CMasterFolderDlg::PathOf(const QString& name) const { return vemo::JoinPath(m_dataFolder, S(name)); }

bool CMasterFolderDlg::IsCurrentMasterFolder(const QString& name) const {
    return vemo::SamePath(PathOf(name), m_host.GetMasterDataFolder());
}

bool CMasterFolderDlg::MissingLabelShown() const { return !m_missing->isHidden(); }

void CMasterFolderDlg::ReadFolderNames() {
    m_names.clear();
    std::error_code ec;
    for (auto it = fs::directory_iterator(P(m_dataFolder), ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) m_names.push_back(QString::fromStdString(it->path().filename().string()));
    }
    // The file system gives no order of its own; the list shows the names sorted.
    std::sort(m_names.begin(), m_names.end());
}

void CMasterFolderDlg::FillList() {
    QSignalBlocker block(m_list);
    m_list->clear();
    const std::string reference = m_oldVersionMode ? m_currentFolder : m_host.GetMasterDataFolder();
    const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    QTreeWidgetItem* found = nullptr;
    for (const QString& name : m_names) {
        auto* item = new QTreeWidgetItem(m_list, {name});
        item->setIcon(0, icon);
        if (vemo::SamePath(PathOf(name), reference)) {
            m_selectedName = name;
            found = item;
        }
    }
    if (found) {
        m_list->setFocus();
        m_list->setCurrentItem(found);
        found->setSelected(true);
        m_list->scrollToItem(found);
    }
}

void CMasterFolderDlg::SelectName(const QString& name) {
    m_selectedName = name;
    QSignalBlocker block(m_list);
    m_list->clearSelection();
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (!name.isEmpty() && item->text(0) == name) {
            m_list->setCurrentItem(item);
            item->setSelected(true);
            m_list->scrollToItem(item);
        }
    }
    UpdateButtons();
}

bool CMasterFolderDlg::CheckFiles() {
    const std::string folder = PathOf(m_selectedName);
    std::string missing;
    auto need = [&missing](const std::string& path, const char* line) {
        if (!vemo::FileExists(path)) missing += line;
    };
    need(vemo::JoinPath(folder, "歩掛データ.soa"), apptext::kMissingBukakeLine);
    need(vemo::JoinPath(folder, "変化率データ.soa"), apptext::kMissingHenkaritsuLine);
    need(vemo::JoinPath(m_dataFolder, "単価データ.daa"), apptext::kMissingTankaLine);
    need(vemo::JoinPath(m_dataFolder, "諸経費データ.daa"), apptext::kMissingShokeihiLine);
    need(vemo::JoinPath(m_dataFolder, "プログラム金額データ.daa"), apptext::kMissingProgramKingakuLine);
    if (!m_oldVersionMode && m_host.FindZairyoTankaFile(m_dataFolder).empty())
        missing += apptext::kMissingZairyoTankaLine;
    if (missing.empty()) return true;
    Ask(apptext::kMissingFilesHeading + missing, "", MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

void CMasterFolderDlg::UpdateButtons() {
    if (!m_selectedName.isEmpty()) {
        bool complete = CheckFiles();
        m_ok->setEnabled(complete);
        m_missing->setVisible(!complete);
        bool reference = m_selectedName.contains(QStringLiteral("参考歩掛"));
        m_rename->setEnabled(!reference);
        m_delete->setEnabled(!reference);
        m_copy->setEnabled(true);
    } else {
        m_missing->setVisible(false);
        for (QPushButton* b : {m_ok, m_rename, m_copy, m_delete}) b->setEnabled(false);
    }
    if (m_oldVersionMode)
        for (QPushButton* b : {m_rename, m_copy, m_delete}) b->setEnabled(false);
    if (m_startMode == CopyOnly)
        for (QPushButton* b : {m_rename, m_delete, m_switch}) b->setEnabled(false);
    else if (m_startMode == SelectOnly)
        for (QPushButton* b : {m_rename, m_copy, m_delete, m_switch}) b->setEnabled(false);
}

bool CMasterFolderDlg::AskName(int action, QString& name) {
    CNameEditDlg dialog(this);
    dialog.SetAction(action);
    dialog.SetName(name);
    if (dialog.DoModal() != IDOK) return false;
    name = dialog.GetName();
    return true;
}

bool CMasterFolderDlg::BrowseDataFolder(std::string& path) {
    return Host().ChooseFolder(apptext::kChooseDataFolderTitle, path, path);
}

void CMasterFolderDlg::OnRename() {
    if (m_selectedName.isEmpty() || !m_rename->isEnabled()) return;
    if (IsCurrentMasterFolder(m_selectedName)) {
        Ask(apptext::kCannotRenameCurrentFolder, masteredittext::kConfirmCaption, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    QString name = m_selectedName;
    if (!AskName(CNameEditDlg::Rename, name)) return;
    if (name == m_selectedName) return;  // unchanged: nothing to do
    CWaitCursor wait;
    std::string problem = CheckFolderName(m_dataFolder, name);
    if (!problem.empty()) {
        Ask(problem, dialogtext::kActionRename, MsgButtons::Ok, MsgIcon::Stop);
        return;
    }
    std::error_code ec;
    fs::rename(P(PathOf(m_selectedName)), P(PathOf(name)), ec);
    if (ec) {
        Ask(apptext::kRenameFolderFailed, dialogtext::kActionRename, MsgButtons::Ok, MsgIcon::Stop);
        return;
    }
    for (QString& n : m_names)
        if (n == m_selectedName) n = name;
    FillList();
    SelectName(name);
}

void CMasterFolderDlg::OnCopy() {
    if (m_selectedName.isEmpty() || !m_copy->isEnabled()) return;
    const QString base = Tx(apptext::kCopyNamePrefix) + m_selectedName;
    QString proposal = base;
    auto taken = [this](const QString& n) { return std::find(m_names.begin(), m_names.end(), n) != m_names.end(); };
    for (int counter = 1; taken(proposal);) proposal = QStringLiteral("%1(%2)").arg(base).arg(++counter);
    QString name = proposal;
    if (!AskName(CNameEditDlg::Copy, name)) return;
    CWaitCursor wait;
    std::string problem = CheckFolderName(m_dataFolder, name);
    if (!problem.empty()) {
        Ask(problem, dialogtext::kActionCopy, MsgButtons::Ok, MsgIcon::Stop);
        return;
    }
    if (!CopyFolderFiles(PathOf(m_selectedName), PathOf(name))) {
        Ask(apptext::kCopyFolderFailed, dialogtext::kActionCopy, MsgButtons::Ok, MsgIcon::Stop);
        return;
    }
    m_names.push_back(name);
    FillList();
    SelectName(name);
}

void CMasterFolderDlg::OnDelete() {
    if (m_selectedName.isEmpty()) {
        Ask(apptext::kSelectFolderToDelete, masteredittext::kConfirmCaption, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    if (!m_delete->isEnabled()) return;
    if (IsCurrentMasterFolder(m_selectedName)) {
        Ask(apptext::kCannotDeleteCurrentFolder, masteredittext::kConfirmCaption, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    const std::string path = PathOf(m_selectedName);
    if (Ask(apptext::kAskDeleteFolderBefore + path + masteredittext::kDeleteAfter, masteredittext::kConfirmCaption,
            MsgButtons::YesNo, MsgIcon::Exclamation) != IDYES)
        return;
    {
        CWaitCursor wait;
        // To the wastebasket where there is one, so that the deletion can be undone. Qt keeps it
        // under the user's data folder, and puts it in the working folder when that is missing.
        QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
        if (!QFile::moveToTrash(QString::fromStdString(path))) {
            std::error_code ec;
            fs::remove_all(P(path), ec);
        }
    }
    ReadFolderNames();
    FillList();
    m_selectedName.clear();
    SelectName(QString());
}

void CMasterFolderDlg::OnSwitchDataFolder() {
    std::string path = S(m_pathDisplay->text());
    if (path.size() > 1 && path.back() == '/') path.pop_back();
    if (!BrowseDataFolder(path)) return;
    m_dataFolder = vemo::NormalizePath(path);
    ShowOtherDataFolder();
}

void CMasterFolderDlg::OnUpFolder() {
    std::string parent = vemo::ParentFolder(m_dataFolder);
    if (!parent.empty() && parent != m_dataFolder) m_dataFolder = parent;
    ShowOtherDataFolder();
}

void CMasterFolderDlg::ShowOtherDataFolder() {
    m_pathDisplay->setText(QString::fromStdString(m_dataFolder));
    ReadFolderNames();
    FillList();
    // The folder chosen before is not in the list shown: nothing is left for the buttons to act on.
    m_selectedName.clear();
    SelectName(QString());
}

bool CMasterFolderDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        OnDelete();
        return true;
    }
    // A click beside the items clears the selection (a click on one selects it through itemClicked).
    if (m_list && watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress &&
        !m_list->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
        SelectName(QString());
    return CSekisanDialog::eventFilter(watched, event);
}

void CMasterFolderDlg::accept() {
    if (m_selectedName.isEmpty()) {
        Ask(apptext::kSelectDirectory, masteredittext::kConfirmCaption, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    CSekisanDialog::accept();
}

// ---------------------------------------------------------------------------------------------
// CMasterSelectDlg

CMasterSelectDlg::CMasterSelectDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(apptext::kMasterSelectCaption));
    auto sunken = [this](const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };
    m_oldLabel = sunken("oldFolder");
    m_newLabel = sunken("newFolder");
    m_browse = new QPushButton(Tx(masteredittext::kBrowseButton), this);
    m_browse->setObjectName(QStringLiteral("browse"));
    m_browse->setVisible(false);
    m_missing = new QLabel(Tx(apptext::kSelectedFolderIncomplete), this);
    m_missing->setObjectName(QStringLiteral("missing"));
    m_missing->setVisible(false);
    m_ok = MakeOkCancelButtons(false).ok;
    connect(m_browse, &QPushButton::clicked, this, &CMasterSelectDlg::OnBrowse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Tx(apptext::kMasterSelectOld), this));
    layout->addWidget(m_oldLabel);
    layout->addWidget(new QLabel(Tx(apptext::kMasterSelectBut), this));
    layout->addWidget(new QLabel(Tx(apptext::kMasterSelectNew), this));
    auto* newRow = new QHBoxLayout;
    newRow->addWidget(m_newLabel, 1);
    newRow->addWidget(m_browse);
    layout->addLayout(newRow);
    layout->addWidget(m_missing);
    auto* okRow = new QHBoxLayout;
    okRow->addStretch(1);
    okRow->addWidget(m_ok);
    layout->addLayout(okRow);
    resize(560, 220);
}

void CMasterSelectDlg::OnInitDialog() {
    m_oldLabel->setText(m_oldFolder);
    m_newLabel->setText(m_newFolder);
}

bool CMasterSelectDlg::BrowseFolder(std::string& path) {
    return Host().ChooseFolder(apptext::kChooseDataFolderTitle, path, path);
}

void CMasterSelectDlg::OnBrowse() {
    std::string path = S(m_newFolder);
    if (!BrowseFolder(path)) return;
    m_newFolder = QString::fromStdString(path);
    m_newLabel->setText(m_newFolder);
    CheckFolder();
}

void CMasterSelectDlg::CheckFolder() {
    const std::string folder = S(m_newFolder);
    bool complete = vemo::FileExists(vemo::JoinPath(folder, "歩掛データ.soa")) &&
                    vemo::FileExists(vemo::JoinPath(folder, "変化率データ.soa"));
    m_ok->setEnabled(complete);
    m_missing->setVisible(!complete);
}

bool CMasterSelectDlg::OkEnabled() const { return m_ok->isEnabled(); }

bool CMasterSelectDlg::MissingLabelShown() const { return !m_missing->isHidden(); }
