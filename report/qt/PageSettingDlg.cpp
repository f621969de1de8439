#include "report/qt/PageSettingDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialogkit/Tx.h"
#include "report/EraDate.h"
#include "report/PrintFormText.h"
#include "report/ReportTexts.h"
#include "report/qt/FormListImage.h"
#include "report/qt/PrintFormDlg.h"

namespace {

QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* text) {
    auto* box = new QCheckBox(Tx(text), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text) {
    auto* label = new QLabel(Tx(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// The number boxes: up to four digits.
const CZo_Edit::Rule kNumberRule = CZo_Edit::IntRule(4, 0, 9999);

void PutNumber(CZo_Edit* box, int value) {
    if (value == kUnset) box->clear();
    else box->SetInt(value);
}

int Checked(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }

}  // namespace

CPageSettingDlg::CPageSettingDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(reporttext::kPageSettingCaption));
    m_setDate = MakeCheck(this, "setDate", reporttext::kLabelSetDate);
    m_printHyoshi = MakeCheck(this, "printHyoshi", reporttext::kLabelPrintHyoshi);
    m_printGyomuSokatsu = MakeCheck(this, "printGyomuSokatsu", reporttext::kLabelPrintGyomuSokatsu);
    m_printSokatsu = MakeCheck(this, "printSokatsu", reporttext::kLabelPrintSokatsu);
    m_omitKingaku = MakeCheck(this, "omitKingaku", reporttext::kLabelOmitKingaku);
    m_printDaika = MakeCheck(this, "printDaika", reporttext::kLabelPrintDaika);
    m_printDaikaMeisai = MakeCheck(this, "printDaikaMeisai", reporttext::kLabelPrintDaikaMeisai);
    m_setStartPage = MakeCheck(this, "setStartPage", reporttext::kLabelSetStartPage);
    m_pageBreakPerGyomu = MakeCheck(this, "pageBreakPerGyomu", reporttext::kLabelPageBreakPerGyomu);
    m_date = MakeField("date", CZo_Edit::TextRule(40));
    m_startPage = MakeField("startPage", kNumberRule);
    m_daikaStartNo = MakeField("daikaStartNo", kNumberRule);
    m_tankaStartNo = MakeField("tankaStartNo", kNumberRule);
    m_startPageUnit = MakeLabel(this, "startPageUnit", reporttext::kStartPageUnit);
    m_daikaBefore = MakeLabel(this, "daikaBefore", reporttext::kNumberBefore);
    m_daikaAfter = MakeLabel(this, "daikaAfter", reporttext::kDaikaNumberAfter);
    m_tankaLabel = MakeLabel(this, "tankaLabel", reporttext::kTankaStartLabel);
    m_tankaBefore = MakeLabel(this, "tankaBefore", reporttext::kNumberBefore);
    m_tankaAfter = MakeLabel(this, "tankaAfter", reporttext::kTankaNumberAfter);
    for (CZo_Edit* box : {m_startPage, m_daikaStartNo, m_tankaStartNo}) box->setMaximumWidth(60);

    m_formList = new QTreeWidget(this);
    m_formList->setObjectName(QStringLiteral("formList"));
    m_formList->setColumnCount(1);
    m_formList->setHeaderLabels({Tx(reporttext::kFormListColumn)});
    m_formList->setRootIsDecorated(false);
    m_formList->setIndentation(0);
    m_formList->setUniformRowHeights(true);
    m_formList->setIconSize(QSize(16, 16));
    m_formList->header()->setSectionsMovable(false);
    m_formList->setMinimumSize(260, 160);

    auto* parts = new QGridLayout;
    int row = 0;
    parts->addWidget(m_setDate, row, 0);
    parts->addWidget(m_date, row++, 1, 1, 4);
    parts->addWidget(m_printHyoshi, row++, 0);
    parts->addWidget(m_printGyomuSokatsu, row++, 0);
    parts->addWidget(m_printSokatsu, row, 0);
    parts->addWidget(m_omitKingaku, row++, 1, 1, 4);
    parts->addWidget(m_printDaika, row, 0);
    parts->addWidget(m_daikaBefore, row, 1);
    parts->addWidget(m_daikaStartNo, row, 2);
    parts->addWidget(m_daikaAfter, row++, 3);
    parts->addWidget(m_printDaikaMeisai, row++, 0);
    parts->addWidget(m_tankaLabel, row, 0, Qt::AlignRight);
    parts->addWidget(m_tankaBefore, row, 1);
    parts->addWidget(m_tankaStartNo, row, 2);
    parts->addWidget(m_tankaAfter, row++, 3);
    parts->addWidget(m_setStartPage, row, 0);
    parts->addWidget(m_startPage, row, 2);
    parts->addWidget(m_startPageUnit, row++, 3);
    parts->addWidget(m_pageBreakPerGyomu, row++, 0);
    parts->setColumnStretch(4, 1);

    auto buttons = MakeOkCancelButtons();
    auto* right = new QVBoxLayout;
    right->addWidget(buttons.ok);
    right->addWidget(buttons.cancel);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(parts);
    layout->addWidget(m_formList);
    layout->addLayout(right);

    for (QCheckBox* box : {m_setDate, m_printHyoshi, m_printGyomuSokatsu, m_printSokatsu, m_omitKingaku, m_printDaika,
                           m_printDaikaMeisai, m_setStartPage, m_pageBreakPerGyomu})
        connect(box, &QCheckBox::clicked, this, [this] { UpdateEnabling(); });
    connect(m_formList, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) { OnFormItemChanged(item); });
}

void CPageSettingDlg::OnInitDialog() {
    FillForms();
    m_printHyoshi->setChecked(m_settings.printHyoshi != 0);
    m_setDate->setChecked(m_settings.setDate != 0);
    m_printSokatsu->setChecked(m_settings.printSokatsu != 0);
    m_printGyomuSokatsu->setChecked(m_settings.printGyomuSokatsu != 0);
    m_printDaika->setChecked(m_settings.printDaika != 0);
    m_printDaikaMeisai->setChecked(m_settings.printDaikaMeisai != 0);
    m_setStartPage->setChecked(m_settings.setStartPage != 0);
    m_pageBreakPerGyomu->setChecked(m_settings.pageBreakPerGyomu != 0);
    m_omitKingaku->setChecked(m_settings.omitKingaku != 0);
    PutNumber(m_startPage, m_settings.startPage);
    PutNumber(m_daikaStartNo, m_settings.daikaStartNo);
    PutNumber(m_tankaStartNo, m_settings.tankaStartNo);
    m_date->setText(Tx(m_header.m_strDate.empty() ? TodayReiwaDateText() : m_header.m_strDate));
    ApplyFormText();
}

void CPageSettingDlg::FillForms() {
    const QSignalBlocker block(m_formList);
    m_formList->clear();
    for (size_t i = 0; i < m_forms.size(); ++i) {
        auto* item = new QTreeWidgetItem(m_formList, {Tx(FormFileName(m_forms[i]))});
        item->setIcon(0, FormListIcon());
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, static_cast<int>(i) == m_formType ? Qt::Checked : Qt::Unchecked);
    }
    // One column as wide as the list less a vertical scroll bar.
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_formList->setColumnWidth(0, std::max(0, m_formList->viewport()->width() - scrollBar));
}

void CPageSettingDlg::ApplyFormText() {
    struct Box {
        QCheckBox* box;
        int line;
        const char* standard;
    } const boxes[] = {
        {m_setDate, CPrintFormText::kSetDate, reporttext::kLabelSetDate},
        {m_printHyoshi, CPrintFormText::kPrintHyoshi, reporttext::kLabelPrintHyoshi},
        {m_printGyomuSokatsu, CPrintFormText::kPrintGyomuSokatsu, reporttext::kLabelPrintGyomuSokatsu},
        {m_printSokatsu, CPrintFormText::kPrintSokatsu, reporttext::kLabelPrintSokatsu},
        {m_printDaika, CPrintFormText::kPrintDaika, reporttext::kLabelPrintDaika},
        {m_printDaikaMeisai, CPrintFormText::kPrintDaikaMeisai, reporttext::kLabelPrintDaikaMeisai},
    };
    CPrintFormText text;
    const bool twin = m_formType >= 0 && m_formType < static_cast<int>(m_forms.size()) &&
                      LoadPrintFormText(m_forms[static_cast<size_t>(m_formType)], text) == 0;
    for (const Box& b : boxes) {
        const std::string& line = text.GetLine(b.line);
        b.box->setText(twin ? Tx(line) : Tx(b.standard));
        b.box->setEnabled(!twin || !line.empty());
    }
    if (twin) {
        m_setDate->setChecked(!text.GetLine(CPrintFormText::kSetDate).empty());
        m_printDaika->setChecked(!text.GetLine(CPrintFormText::kPrintDaika).empty());
    }
    UpdateEnabling();
}

void CPageSettingDlg::UpdateEnabling() {
    m_date->setEnabled(m_setDate->isChecked());
    const bool daika = m_printDaika->isChecked() || m_printDaikaMeisai->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_daikaStartNo, m_daikaBefore, m_daikaAfter}) w->setEnabled(daika);
    for (QWidget* w : std::initializer_list<QWidget*>{m_startPage, m_startPageUnit}) w->setEnabled(m_setStartPage->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{m_tankaStartNo, m_tankaLabel, m_tankaBefore, m_tankaAfter}) {
        w->setVisible(m_douroCalc);
        w->setEnabled(m_printDaika->isChecked());
    }
}

void CPageSettingDlg::SetFormChecked(int row, bool checked) {
    QTreeWidgetItem* item = m_formList->topLevelItem(row);
    if (item) item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void CPageSettingDlg::OnFormItemChanged(QTreeWidgetItem* item) {
    const int row = m_formList->indexOfTopLevelItem(item);
    if (row < 0) return;
    const QSignalBlocker block(m_formList);
    if (item->checkState(0) != Qt::Checked) {
        // The current form cannot be unchecked; another one is checked instead.
        if (row == m_formType) item->setCheckState(0, Qt::Checked);
        return;
    }
    for (int i = 0; i < m_formList->topLevelItemCount(); ++i)
        if (i != row) m_formList->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
    m_formType = row;
    if (m_formChosen) m_formChosen(row);
    ApplyFormText();
}

void CPageSettingDlg::accept() {
    m_settings.printHyoshi = Checked(m_printHyoshi);
    m_settings.setDate = Checked(m_setDate);
    m_header.m_strDate = m_date->text().toStdString();
    m_settings.printSokatsu = Checked(m_printSokatsu);
    m_settings.printGyomuSokatsu = Checked(m_printGyomuSokatsu);
    m_settings.printDaika = Checked(m_printDaika);
    m_settings.printDaikaMeisai = Checked(m_printDaikaMeisai);
    m_settings.setStartPage = Checked(m_setStartPage);
    m_settings.omitKingaku = Checked(m_omitKingaku);
    m_settings.pageBreakPerGyomu = Checked(m_pageBreakPerGyomu);
    m_settings.daikaStartNo = m_daikaStartNo->IsEmpty() ? kUnset : m_daikaStartNo->GetInt();
    if (m_startPage->IsEmpty()) {
        m_settings.setStartPage = 0;
        m_settings.startPage = kUnset;
    } else {
        m_settings.startPage = m_startPage->GetInt();
    }
    m_settings.tankaStartNo = m_tankaStartNo->IsEmpty() ? 1 : m_tankaStartNo->GetInt();
    CSekisanDialog::accept();
}
