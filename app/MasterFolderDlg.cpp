#include "app/MasterFolderDlg.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
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
#include "app/InputDialogs.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"
#include "platform/NumberText.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kConfirm = "確認";

std::string S(const QString& q) { return q.toStdString(); }

fs::path P(const std::string& s) { return fs::path(s); }

int Ask(const std::string& text, const std::string& caption, MsgButtons buttons, MsgIcon icon) {
    return Host().MessageBox(text, caption, buttons, icon, 1);
}

// Copies the files directly inside source (not its sub-folders) into a new folder target. On any
// failure the new folder is removed again and false is returned.
bool CopyFolderFiles(const std::string& source, const std::string& target) {
    std::error_code ec;
    if (!fs::create_directory(P(target), ec) || ec) return false;
    bool ok = true;
    for (auto it = fs::directory_iterator(P(source), ec); ok && !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        std::error_code typeError;
        std::string name = it->path().filename().string();
        // Temporary files of unfinished saves are not part of the masters.
        if (!it->is_regular_file(typeError) || vemo::IsReplacingTemporary(name)) continue;
        std::string bytes;
        ok = vemo::ReadFileBytes(it->path().string(), bytes) &&
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
    if (name.isEmpty()) return "ファイル名を入力してください。";
    if (name == QLatin1String(".") || name == QLatin1String("..") || name.contains(QLatin1Char('/')) ||
        name.contains(QLatin1Char('\\')) || name.contains(QChar(0)))
        return "この名前はフォルダ名に使用できません。\n「\\」「/」を含まない名前を入力してください。";
    std::error_code ec;
    if (fs::exists(P(vemo::JoinPath(dataFolder, S(name))), ec))
        return "同じ名前のフォルダまたはファイルが既にあります。\n別の名前を入力してください。";
    return {};
}

// ---------------------------------------------------------------------------------------------
// CMasterFolderDlg

CMasterFolderDlg::CMasterFolderDlg(IMasterFolderHost& host, QWidget* parent) : CSekisanDialog(parent), m_host(host) {
    setWindowTitle(QStringLiteral("マスター データ設定"));
    auto* pathLabel = new QLabel(QStringLiteral("データ参照先 ：:"), this);
    m_pathDisplay = new QLineEdit(this);
    m_pathDisplay->setObjectName(QStringLiteral("path"));
    m_pathDisplay->setReadOnly(true);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->setColumnCount(1);
    m_list->setHeaderLabels({QStringLiteral("マスターデータ一覧")});
    m_list->setRootIsDecorated(false);
    m_list->setIconSize(QSize(16, 16));
    m_list->installEventFilter(this);

    auto button = [this](const char* text, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    m_ok = button("OK", "ok");
    m_ok->setDefault(true);
    auto* cancel = button("ｷｬﾝｾﾙ", "cancel");
    m_rename = button("名前の変更", "rename");
    m_copy = button("コピー", "copy");
    m_delete = button("削除", "delete");
    m_switch = button("データ参照先切換", "switch");
    m_up = button("１つ上のフォルダ", "up");
    m_missing = new QLabel(QStringLiteral("選択したデータ参照先には、必要なデータファイルがありません。"), this);
    m_missing->setObjectName(QStringLiteral("missing"));
    m_missing->setStyleSheet(QStringLiteral("color: red"));
    m_missing->setVisible(false);
    auto* note = new QLabel(QStringLiteral("※マスター データとは、歩掛ファイル、変化率ファイルを指します。"), this);

    connect(m_ok, &QPushButton::clicked, this, &CMasterFolderDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CMasterFolderDlg::reject);
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

void CMasterFolderDlg::showEvent(QShowEvent* event) {
    if (!m_initialised) OnInitDialog();
    CSekisanDialog::showEvent(event);
}

void CMasterFolderDlg::OnInitDialog() {
    m_initialised = true;
    if (m_oldVersionMode) setWindowTitle(QStringLiteral("旧バージョンのマスターデータ"));
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
    need(vemo::JoinPath(folder, "歩掛データ.soa"), "歩掛データ.soa\u3000  \u3000\u3000\u3000\u3000がありません。\n");
    need(vemo::JoinPath(folder, "変化率データ.soa"), "変化率データ.soa\u3000\u3000\u3000\u3000\u3000がありません。\n");
    need(vemo::JoinPath(m_dataFolder, "単価データ.daa"),
         "単価データ.daa\u3000\u3000\u3000\u3000\u3000\u3000がありません。\n");
    need(vemo::JoinPath(m_dataFolder, "諸経費データ.daa"),
         "諸経費データ.daa\u3000\u3000\u3000\u3000\u3000がありません。\n");
    need(vemo::JoinPath(m_dataFolder, "プログラム金額データ.daa"), "プログラム金額データ.daa\u3000がありません。\n");
    if (!m_oldVersionMode && m_host.FindZairyoTankaFile(m_dataFolder).empty())
        missing += "材料単価データがありません。\n";
    if (missing.empty()) return true;
    Ask("データ参照先には、以下のファイルがありません。\n\n" + missing, "", MsgButtons::Ok, MsgIcon::Exclamation);
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
    if (dialog.DoModal() != QDialog::Accepted) return false;
    name = dialog.GetName();
    return true;
}

bool CMasterFolderDlg::BrowseDataFolder(std::string& path) {
    return Host().ChooseFolder("「データ格納」　フォルダを選択して下さい", path, path);
}

void CMasterFolderDlg::OnRename() {
    if (m_selectedName.isEmpty() || !m_rename->isEnabled()) return;
    if (IsCurrentMasterFolder(m_selectedName)) {
        Ask("このフォルダは、現在設定されているフォルダです。\nフォルダ名を変更することはできません。", kConfirm,
            MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    QString name = m_selectedName;
    if (!AskName(CNameEditDlg::Rename, name)) return;
    if (name == m_selectedName) return;  // unchanged: nothing to do
    CWaitCursor wait;
    std::string problem = CheckFolderName(m_dataFolder, name);
    if (!problem.empty()) {
        Ask(problem, "名前の変更", MsgButtons::Ok, MsgIcon::Stop);
        return;
    }
    std::error_code ec;
    fs::rename(P(PathOf(m_selectedName)), P(PathOf(name)), ec);
    if (ec) {
        Ask("フォルダ名を変更できませんでした。", "名前の変更", MsgButtons::Ok, MsgIcon::Stop);
        return;
    }
    for (QString& n : m_names)
        if (n == m_selectedName) n = name;
    FillList();
    SelectName(name);
}

void CMasterFolderDlg::OnCopy() {
    if (m_selectedName.isEmpty() || !m_copy->isEnabled()) return;
    const QString base = QStringLiteral("コピー ～ ") + m_selectedName;
    QString proposal = base;
    auto taken = [this](const QString& n) { return std::find(m_names.begin(), m_names.end(), n) != m_names.end(); };
    for (int counter = 1; taken(proposal);) proposal = QStringLiteral("%1(%2)").arg(base).arg(++counter);
    QString name = proposal;
    if (!AskName(CNameEditDlg::Copy, name)) return;
    CWaitCursor wait;
    std::string problem = CheckFolderName(m_dataFolder, name);
    if (!problem.empty()) {
        Ask(problem, "コピー", MsgButtons::Ok, MsgIcon::Stop);
        return;
    }
    if (!CopyFolderFiles(PathOf(m_selectedName), PathOf(name))) {
        Ask("フォルダをコピーできませんでした。", "コピー", MsgButtons::Ok, MsgIcon::Stop);
        return;
    }
    m_names.push_back(name);
    FillList();
    SelectName(name);
}

void CMasterFolderDlg::OnDelete() {
    if (m_selectedName.isEmpty()) {
        Ask("削除するフォルダを選択してください。", kConfirm, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    if (!m_delete->isEnabled()) return;
    if (IsCurrentMasterFolder(m_selectedName)) {
        Ask("このフォルダは、現在設定されているフォルダです。\n削除するには、設定フォルダを変更する必要があります。",
            kConfirm, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    const std::string path = PathOf(m_selectedName);
    if (Ask("フォルダ ' " + path + " ' を削除してよろしいですか？", kConfirm, MsgButtons::YesNo,
            MsgIcon::Exclamation) != IDYES)
        return;
    {
        CWaitCursor wait;
        // To the wastebasket where there is one, so that the deletion can be undone.
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
    m_pathDisplay->setText(QString::fromStdString(m_dataFolder));
    ReadFolderNames();
    FillList();
    m_selectedName.clear();
    SelectName(QString());
}

void CMasterFolderDlg::OnUpFolder() {
    std::string parent = vemo::ParentFolder(m_dataFolder);
    if (!parent.empty() && parent != m_dataFolder) m_dataFolder = parent;
    m_pathDisplay->setText(QString::fromStdString(m_dataFolder));
    ReadFolderNames();
    FillList();
}

bool CMasterFolderDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        OnDelete();
        return true;
    }
    return CSekisanDialog::eventFilter(watched, event);
}

void CMasterFolderDlg::accept() {
    if (m_selectedName.isEmpty()) {
        Ask("ディレクトリを選択してください。", kConfirm, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    CSekisanDialog::accept();
}

// ---------------------------------------------------------------------------------------------
// CMasterSelectDlg

CMasterSelectDlg::CMasterSelectDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(QStringLiteral("マスターデータ選択"));
    auto sunken = [this](const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };
    m_oldLabel = sunken("oldFolder");
    m_newLabel = sunken("newFolder");
    m_browse = new QPushButton(QStringLiteral("参照..."), this);
    m_browse->setObjectName(QStringLiteral("browse"));
    m_browse->setVisible(false);
    m_missing = new QLabel(QStringLiteral("選択フォルダには、歩掛データ、変化率データが存在しません。"), this);
    m_missing->setObjectName(QStringLiteral("missing"));
    m_missing->setVisible(false);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CMasterSelectDlg::accept);
    connect(m_browse, &QPushButton::clicked, this, &CMasterSelectDlg::OnBrowse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("このデータが参照しているマスターデータは、"), this));
    layout->addWidget(m_oldLabel);
    layout->addWidget(new QLabel(QStringLiteral("ですが、"), this));
    layout->addWidget(new QLabel(QStringLiteral("データ参照先を現在設定されている、下記のマスターデータに変更します。"), this));
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

void CMasterSelectDlg::showEvent(QShowEvent* event) {
    if (!m_initialised) OnInitDialog();
    CSekisanDialog::showEvent(event);
}

void CMasterSelectDlg::OnInitDialog() {
    m_initialised = true;
    m_oldLabel->setText(m_oldFolder);
    m_newLabel->setText(m_newFolder);
}

bool CMasterSelectDlg::BrowseFolder(std::string& path) {
    return Host().ChooseFolder("「データ格納」　フォルダを選択して下さい", path, path);
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
