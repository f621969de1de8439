#include "app/HenkaritsuSettingDlg.h"
#include "dialogkit/Tx.h"
#include "masteredit/MasterEditTexts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "app/AppTexts.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"
#include "dialogkit/DialogTexts.h"

namespace {

// A heading of the record: its first two-character marker "\n" becomes a line feed.
QString Heading(const std::string& text) {
    QString heading = QString::fromStdString(text);
    const qsizetype marker = heading.indexOf(QLatin1String("\\n"));
    if (marker >= 0) heading.replace(marker, 2, QLatin1Char('\n'));
    return heading;
}

// Whether a number field holds a number: an empty field, or one with a sign alone, holds none.
bool HoldsNumber(const CZo_Edit* field) {
    return !field->IsEmpty() && vemo::ParseDouble(field->GetText().toStdString()).has_value();
}

// Width of the formula-name field while the 掛率 choice stands beside it.
constexpr int kNarrowFormulaNameWidth = 143;

}  // namespace

CHenkaritsuSettingDlg::CHenkaritsuSettingDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(apptext::kHenkaritsuCaption));

    m_nameLabel = new QLabel(Tx(apptext::kHenkaritsuNameDesign), this);
    m_nameLabel->setObjectName(QStringLiteral("name"));
    m_nameLabel->setFrameShape(QFrame::Panel);
    m_nameLabel->setFrameShadow(QFrame::Sunken);

    // The two radios show the record's mode; the user does not choose it.
    m_tableRadio = new QRadioButton(Tx(masteredittext::kUseTableRadio), this);
    m_tableRadio->setObjectName(QStringLiteral("useTable"));
    m_formulaRadio = new QRadioButton(Tx(masteredittext::kUseFormulaRadio), this);
    m_formulaRadio->setObjectName(QStringLiteral("useFormula"));
    m_modeGroup = new QButtonGroup(this);
    m_modeGroup->addButton(m_tableRadio, 0);
    m_modeGroup->addButton(m_formulaRadio, 1);
    m_tableRadio->setEnabled(false);
    m_formulaRadio->setEnabled(false);

    m_grid = new CSpreadSheet(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    MarkAsGrid(m_grid);
    m_grid->SetMaxCols(CHenkaritsuRecord::kColumns);
    m_grid->SetMaxRows(CHenkaritsuRecord::kRows);
    m_grid->SetColKind(-1, CSpreadSheet::CellKind::Number);
    m_grid->SetColWidth(-1, 9);
    connect(m_grid, &CSpreadSheet::LeaveCell, this, &CHenkaritsuSettingDlg::OnLeaveCell);
    connect(m_grid, &CSpreadSheet::BlockSelected, this, &CHenkaritsuSettingDlg::OnBlockSelected);
    connect(m_grid, &CSpreadSheet::Change, this, &CHenkaritsuSettingDlg::OnCellChanged);

    m_kubunNote = new QLabel(Tx(masteredittext::kKubunNote), this);
    m_kubunNote->setObjectName(QStringLiteral("kubunNote"));
    m_kubunNote->setVisible(false);

    std::tie(m_formulaNameLabel, m_formulaNameEdit) =
        MakeTextField(Tx(masteredittext::kFormulaNameLabel), "formulaName");
    std::tie(m_formulaLabel, m_formulaEdit) = MakeTextField(Tx(masteredittext::kFormulaLabel), "formula");
    std::tie(m_llLabel, m_llEdit) = MakeNumberField(Tx(apptext::kHenkaritsuLLLabel), "ll",
                                                    CZo_Edit::DoubleRule(12, 4, -214748.3648, 214748.3647));
    m_unitEdit = MakeField("unit", CZo_Edit::TextRule());
    m_llEdit->setFixedWidth(120);
    m_unitEdit->setFixedWidth(100);

    m_applyNote = new QLabel(Tx(apptext::kHenkaritsuApplyNote), this);
    m_applyNote->setObjectName(QStringLiteral("applyNote"));
    m_applyNote->setWordWrap(true);
    m_applyReplace = new QRadioButton(Tx(apptext::kHenkaritsuApplyReplace), this);
    m_applyReplace->setObjectName(QStringLiteral("applyReplace"));
    m_applyMultiply = new QRadioButton(Tx(apptext::kHenkaritsuApplyMultiply), this);
    m_applyMultiply->setObjectName(QStringLiteral("applyMultiply"));
    m_applyGroup = new QButtonGroup(this);
    m_applyGroup->addButton(m_applyReplace, 0);
    m_applyGroup->addButton(m_applyMultiply, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{m_applyNote, m_applyReplace, m_applyMultiply})
        w->setVisible(false);
    connect(m_applyGroup, &QButtonGroup::idClicked, this, [this](int id) {
        m_applyChoice = id;
        m_applyMode = id;
    });

    auto* remarksLabel = new QLabel(Tx(masteredittext::kRecordRemarksLabel), this);
    m_remarksEdit = new QPlainTextEdit(this);
    m_remarksEdit->setObjectName(QStringLiteral("remarks"));
    m_remarksEdit->setReadOnly(true);
    m_remarksEdit->setFixedHeight(m_remarksEdit->fontMetrics().lineSpacing() * 3 + 12);
    QPalette blue = m_remarksEdit->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        blue.setColor(group, QPalette::Text, QColor(0, 0, 255));
    m_remarksEdit->setPalette(blue);

    m_next = new QPushButton(Tx(apptext::kHenkaritsuNext), this);
    m_next->setObjectName(QStringLiteral("next"));
    m_next->setDefault(true);
    connect(m_next, &QPushButton::clicked, this, &QDialog::accept);
    m_back = new QPushButton(Tx(apptext::kHenkaritsuBack), this);
    m_back->setObjectName(QStringLiteral("back"));
    connect(m_back, &QPushButton::clicked, this, [this] { done(kBack); });
    m_cancel = new QPushButton(Tx(dialogtext::kCancel), this);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_cancel->setEnabled(false);
    m_cancel->setVisible(false);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Name, the table between its two mode radios, then the formula block and the remarks.
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(Tx(masteredittext::kRecordNameLabel), this));
    nameRow->addWidget(m_nameLabel, 1);
    auto* formula = new QGridLayout;
    formula->addWidget(m_formulaNameLabel, 0, 0);
    formula->addWidget(m_formulaNameEdit, 0, 1);
    formula->addWidget(m_formulaLabel, 1, 0);
    formula->addWidget(m_formulaEdit, 1, 1);
    auto* apply = new QVBoxLayout;
    apply->setSpacing(2);
    apply->addWidget(m_applyNote);
    apply->addWidget(m_applyReplace);
    apply->addWidget(m_applyMultiply);
    formula->addLayout(apply, 0, 2, 2, 1);
    formula->setColumnStretch(1, 1);
    formula->setColumnStretch(2, 1);
    auto* llRow = new QHBoxLayout;
    llRow->addWidget(m_llLabel);
    llRow->addWidget(m_llEdit);
    llRow->addWidget(m_unitEdit);
    llRow->addStretch();
    auto* remarks = new QHBoxLayout;
    remarks->addWidget(remarksLabel, 0, Qt::AlignTop);
    remarks->addWidget(m_remarksEdit, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_next);
    buttons->addWidget(m_back);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addWidget(m_tableRadio);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_kubunNote);
    layout->addWidget(m_formulaRadio);
    layout->addLayout(formula);
    layout->addLayout(llRow);
    layout->addLayout(remarks);
    layout->addLayout(buttons);
    // Every page has one layout: the 式 row the 掛率 page hides and the apply choice it may show
    // keep their room on every page.
    for (QWidget* w : std::initializer_list<QWidget*>{m_formulaLabel, m_formulaEdit, m_applyNote, m_applyReplace,
                                                      m_applyMultiply}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    resize(660, 620);
}

int CHenkaritsuSettingDlg::Slot() const { return std::clamp(m_slot, 0, CSekisanItem::kRateSlots - 1); }

void CHenkaritsuSettingDlg::FillGrid() {
    for (int col = 1; col <= CHenkaritsuRecord::kColumns; ++col)
        m_grid->SetCellText(col, 0, Heading(m_record.m_columnTitles[col - 1]));
    for (int row = 1; row <= CHenkaritsuRecord::kRows; ++row)
        m_grid->SetCellText(0, row, Heading(m_record.m_rowTitles[row - 1]));
    for (int col = 1; col <= CHenkaritsuRecord::kColumns; ++col)
        for (int row = 1; row <= CHenkaritsuRecord::kRows; ++row) {
            const int32_t value = m_record.GetCell(col, row);
            if (!IsUnset(value)) m_grid->SetCellDouble(col, row, value / 1000.0);
        }
}

void CHenkaritsuSettingDlg::OnInitDialog() {
    const int slot = Slot();
    m_nameLabel->setText(QString::fromStdString(m_record.m_name));
    FillGrid();

    m_mode = m_record.m_mode;
    CheckButton(m_modeGroup, m_mode);
    m_formulaNameEdit->SetText(QString::fromStdString(m_record.m_formulaName));
    m_formulaEdit->SetText(QString::fromStdString(m_record.m_formula));
    m_unitEdit->SetText(QString::fromStdString(m_record.m_unit));
    m_remarks = QString::fromStdString(m_record.m_remarks);
    m_remarksEdit->setPlainText(m_remarks);
    m_applyChoice = m_applyMode;
    CheckButton(m_applyGroup, m_applyChoice);

    // LL: the item's value, else the record's default, else 0; a group 掛率 starts empty where
    // the record has a default.
    int32_t ll = m_item.m_nLL[slot];
    if (IsUnset(ll)) {
        if (m_groupMode == 1 && m_record.m_code == kKakeritsuCode && !IsUnset(m_record.m_llDefault))
            ll = kUnset;
        else
            ll = IsUnset(m_record.m_llDefault) ? 0 : m_record.m_llDefault;
    }
    if (IsUnset(ll))
        m_llEdit->clear();
    else
        m_llEdit->SetDouble(ll / 10000.0);

    // The cell: the item's choice, else the record's standard cell, else (1, 1).
    int col = m_item.m_nRateCol[slot];
    if (IsUnset(col)) col = m_record.m_standardColumn;
    if (IsUnset(col)) col = 1;
    int row = m_item.m_nRateRow[slot];
    if (IsUnset(row)) row = m_record.m_standardRow;
    if (IsUnset(row) || row == -1) row = 1;
    m_curCol = m_endCol = col;
    m_curRow = m_endRow = row;
    m_grid->SelectCell(col, row);

    Highlight();
    UpdateControlState();
    if (FormulaMode()) {
        m_llEdit->setFocus();
        m_llEdit->selectAll();
    }

    if (m_record.m_code == kKakeritsuCode) {
        m_formulaLabel->setVisible(false);
        m_formulaEdit->setVisible(false);
        const int32_t kakeritsu = GetKakeritsu();
        const bool ask = !(kakeritsu == kKakeritsuOne || (IsUnset(kakeritsu) && m_groupMode == 0));
        if (ask) {
            for (QWidget* w : std::initializer_list<QWidget*>{m_applyNote, m_applyReplace, m_applyMultiply})
                w->setVisible(true);
            m_formulaNameEdit->setFixedWidth(kNarrowFormulaNameWidth);
        }
    }
}

void CHenkaritsuSettingDlg::Highlight() {
    if (FormulaMode() || !m_record.m_kubunFlag) return;
    m_grid->SetCellForeColor(-1, -1, kBlack);
    m_grid->SetCellBackColor(-1, -1, kWhite);
    m_grid->SetCellForeColor(m_curCol, -1, kWhite);
    m_grid->SetCellBackColor(m_curCol, -1, kBlue);
}

void CHenkaritsuSettingDlg::UpdateControlState() {
    m_formulaNameEdit->setReadOnly(true);
    m_formulaEdit->setReadOnly(true);
    m_unitEdit->setReadOnly(true);
    if (m_backAsCancel == 1) m_back->setText(Tx(dialogtext::kCancel));
    m_back->setEnabled(m_backEnabled != 0);

    const bool kubun = m_record.m_kubunFlag != 0;
    if (FormulaMode()) {
        m_formulaNameLabel->setEnabled(true);
        m_formulaLabel->setEnabled(true);
        m_llEdit->setEnabled(true);
        m_grid->SetSelBackColor(kFormulaSelection);
        m_grid->SetSelBorderColor(kFormulaSelection);
        m_grid->setEnabled(false);
        if (kubun) {
            m_kubunNote->setVisible(true);
            m_kubunNote->setEnabled(false);
        }
        m_llLabel->setEnabled(true);
    } else {
        m_next->setEnabled(m_record.m_standardRow == -1 || !IsUnset(m_record.GetCell(m_curCol, m_curRow)) || kubun);
        m_formulaNameLabel->setEnabled(false);
        m_formulaLabel->setEnabled(false);
        for (CZo_Edit* field : {m_formulaNameEdit, m_formulaEdit, m_llEdit, m_unitEdit}) field->setEnabled(false);
        m_grid->SetSelBackColor(kTableSelection);
        m_grid->SetSelBorderColor(kTableSelection);
        m_grid->setEnabled(true);
        if (kubun) {
            m_kubunNote->setVisible(true);
            m_kubunNote->setEnabled(true);
        }
        m_llLabel->setEnabled(false);
    }
}

void CHenkaritsuSettingDlg::OnLeaveCell(int, int, int newCol, int newRow, bool&) {
    if (newRow != -1) m_curRow = m_endRow = newRow;
    if (newCol != -1) m_curCol = m_endCol = newCol;
    Highlight();
    UpdateControlState();
}

void CHenkaritsuSettingDlg::OnBlockSelected(int col, int row, int col2, int row2) {
    m_curRow = row;
    m_curCol = col;
    m_endRow = row2;
    m_endCol = col2;
    UpdateControlState();
}

void CHenkaritsuSettingDlg::OnCellChanged(int col, int row) {
    // An emptied cell reads 0, which counts as a value.
    m_record.SetCell(col, row, DoubleToLong(m_grid->GetCellDouble(col, row, 0.0) * 1000.0));
    UpdateControlState();
}

void CHenkaritsuSettingDlg::accept() {
    // "次へ" is refused while the button is disabled (a table cell without a value).
    if (!m_next->isEnabled()) return;
    const int slot = Slot();
    if (FormulaMode()) {
        m_item.m_nRateCol[slot] = kUnset;
        m_item.m_nRateRow[slot] = kUnset;
        // A record without a formula takes no LL; an empty LL field gives none either.
        if (m_formulaEdit->IsEmpty() || !HoldsNumber(m_llEdit))
            m_item.m_nLL[slot] = kUnset;
        else
            m_item.m_nLL[slot] = DoubleToLong(m_llEdit->GetDouble() * 10000.0);
    } else {
        m_item.m_nRateCol[slot] = m_curCol;
        m_item.m_nRateRow[slot] = m_record.m_kubunFlag ? -1 : m_curRow;
        m_item.m_nLL[slot] = kUnset;
    }
    CSekisanDialog::accept();
}
