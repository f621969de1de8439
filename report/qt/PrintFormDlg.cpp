#include "report/qt/PrintFormDlg.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "dialogkit/Tx.h"
#include "master/MasterTexts.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"
#include "report/XlsReportEngine.h"
#include "report/qt/FormListImage.h"

namespace {

CPrintFormDlg::FormOpener& Opener() {
    static CPrintFormDlg::FormOpener opener;
    return opener;
}

bool OpenWithDesktop(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* text) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

std::string FormFileName(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

CPrintFormDlg::FormOpener CPrintFormDlg::SetFormOpener(FormOpener opener) {
    FormOpener previous = Opener();
    Opener() = std::move(opener);
    return previous;
}

CPrintFormDlg::CPrintFormDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(reporttext::kPrintFormCaption));
    auto* label = new QLabel(Tx(reporttext::kPrintFormListLabel), this);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("formList"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({Tx(reporttext::kColumnFileName), Tx(reporttext::kColumnLocation)});
    m_list->setRootIsDecorated(false);
    m_list->setIndentation(0);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setIconSize(QSize(16, 16));
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionsMovable(false);
    m_list->setMinimumSize(520, 200);
    label->setBuddy(m_list);

    m_open = MakeButton(this, "openForm", reporttext::kOpenForm);
    m_add = MakeButton(this, "addForm", reporttext::kAddForm);
    m_delete = MakeButton(this, "deleteForm", reporttext::kDeleteForm);
    auto buttons = MakeOkCancelButtons();

    auto* right = new QVBoxLayout;
    right->addWidget(buttons.ok);
    right->addWidget(buttons.cancel);
    right->addSpacing(16);
    right->addWidget(m_open);
    right->addWidget(m_add);
    right->addWidget(m_delete);
    right->addStretch(1);
    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_list, 1, 0);
    grid->addLayout(right, 0, 1, 2, 1);
    grid->setRowStretch(1, 1);

    connect(m_open, &QPushButton::clicked, this, [this] { OnOpenForm(); });
    connect(m_add, &QPushButton::clicked, this, [this] { OnAddForm(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { OnDeleteForm(); });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        QList<QTreeWidgetItem*> selected = m_list->selectedItems();
        m_current = selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.front());
        UpdateButtons();
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        if (!item) return;
        SelectRow(m_list->indexOfTopLevelItem(item));
        OnOpenForm();
    });
    UpdateButtons();
}

void CPrintFormDlg::OnInitDialog() {
    FillList();
    SelectRow(m_forms.empty() ? -1 : 0);
    SizeColumns();
}

void CPrintFormDlg::FillList() {
    const QSignalBlocker block(m_list);
    m_list->clear();
    for (const std::string& form : m_forms) {
        auto* item = new QTreeWidgetItem(m_list, {Tx(FormFileName(form)), Tx(form)});
        item->setIcon(0, FormListIcon());
    }
}

void CPrintFormDlg::SelectRow(int row) {
    if (row >= m_list->topLevelItemCount()) row = m_list->topLevelItemCount() - 1;
    {
        const QSignalBlocker block(m_list);
        m_list->clearSelection();
        if (row >= 0) {
            QTreeWidgetItem* item = m_list->topLevelItem(row);
            m_list->setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect);
            m_list->scrollToItem(item);
        }
    }
    m_current = row;
    UpdateButtons();
}

void CPrintFormDlg::UpdateButtons() {
    const bool current = m_current >= 0 && m_current < static_cast<int>(m_forms.size());
    m_open->setEnabled(current);
    m_delete->setEnabled(current);
}

void CPrintFormDlg::SizeColumns() {
    // "ファイル名" a third of the list, "場所" the rest, less the vertical scroll bar.
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = std::max(0, m_list->viewport()->width() - scrollBar);
    m_list->setColumnWidth(0, width / 3);
    m_list->setColumnWidth(1, width - width / 3);
}

void CPrintFormDlg::resizeEvent(QResizeEvent* event) {
    CSekisanDialog::resizeEvent(event);
    SizeColumns();
}

void CPrintFormDlg::OnOpenForm() {
    if (m_current < 0 || m_current >= static_cast<int>(m_forms.size())) return;
    const std::string& path = m_forms[static_cast<size_t>(m_current)];
    if (!vemo::FileExists(path)) {
        AfxMessageBox(path + mastertext::kFileMissing, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    if (Opener()) Opener()(path);
    else OpenWithDesktop(path);
}

void CPrintFormDlg::OnAddForm() {
    std::string initial = m_current >= 0 && m_current < static_cast<int>(m_forms.size())
                              ? vemo::ParentFolder(m_forms[static_cast<size_t>(m_current)])
                              : std::string();
    std::string chosen;
    if (!Host().ChooseOpenFile(reporttext::kOpenFormTitle, reporttext::kSaveExcelFilter, initial, chosen)) return;
    for (const std::string& form : m_forms)
        if (form == chosen) {
            AfxMessageBox(chosen + reporttext::kFormRegisteredAfter, MsgButtons::Ok, MsgIcon::Exclamation);
            return;
        }
    // Only a workbook the report engine can read becomes a form.
    XlsOpenError refused;
    {
        CWaitCursor wait;
        refused = CXlsReportEngine().OpenTemplate(chosen);
    }
    if (refused != XlsOpenError::none) {
        AfxMessageBox(FormRefusalMessage(chosen, refused), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    m_forms.push_back(chosen);
    FillList();
    SelectRow(static_cast<int>(m_forms.size()) - 1);
}

void CPrintFormDlg::OnDeleteForm() {
    if (m_current < 0 || m_current >= static_cast<int>(m_forms.size())) return;
    if (m_forms.size() <= 1) {
        AfxMessageBox(reporttext::kCannotDeleteLastForm, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    const int row = m_current;
    m_forms.erase(m_forms.begin() + row);
    FillList();
    SelectRow(row);
}
