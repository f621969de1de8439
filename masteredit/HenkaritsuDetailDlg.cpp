#include "masteredit/HenkaritsuDetailDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/TitleEditDlg.h"
#include "dialogkit/Tx.h"
#include "formix/Formix.h"
#include "masteredit/GridBlock.h"
#include "masteredit/HenkaritsuHojoShikiDlg.h"
#include "masteredit/EditorButton.h"
#include "masteredit/MasterEditTexts.h"
#include "platform/Host.h"
#include "platform/Rounding.h"

namespace {

constexpr int kCols = CHenkaritsuRecord::kColumns;
constexpr int kRows = CHenkaritsuRecord::kRows;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kStandardBack = 0xFF0000;   // a Windows colour value: blue
constexpr COLORREF kTableSelection = 0xFF8080;
constexpr COLORREF kFormulaSelection = 0xC0C0C0;
constexpr char kLineBreakMarker[] = "\\n";
constexpr int kTableMode = 0;
constexpr int kFormulaMode = 1;
}  // namespace

QString CHenkaritsuDetailDlg::DisplayHeading(const std::string& stored) {
    const size_t at = stored.find(kLineBreakMarker);
    if (at == std::string::npos) return Tx(stored);
    return Tx(stored.substr(0, at)) + QLatin1Char('\n') + Tx(stored.substr(at + 2));
}

CHenkaritsuDetailDlg::CHenkaritsuDetailDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(masteredittext::kHenkaritsuDetailCaption));
    // Enter keeps its plain meaning here (it presses OK), except inside the grid.
    SetEnterMovesFocus(false);

    m_nameLabel = new QLabel(this);
    m_nameLabel->setObjectName(QStringLiteral("name"));
    m_nameLabel->setFrameShape(QFrame::Panel);
    m_nameLabel->setFrameShadow(QFrame::Sunken);
    m_typeCombo = new QComboBox(this);
    m_typeCombo->setObjectName(QStringLiteral("type"));
    m_typeCombo->addItems({Tx(masteredittext::kHoseiritsuType), Tx(masteredittext::kHenkaritsuType)});
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(Tx(masteredittext::kRecordNameLabel), this));
    top->addWidget(m_nameLabel, 1);
    top->addSpacing(12);
    top->addWidget(new QLabel(Tx(masteredittext::kRecordTypeLabel), this));
    top->addWidget(m_typeCombo);
    top->addWidget(new QLabel(Tx(masteredittext::kTypeNote), this));

    auto* tableRadio = new QRadioButton(Tx(masteredittext::kUseTableRadio), this);
    tableRadio->setObjectName(QStringLiteral("tableMode"));
    auto* formulaRadio = new QRadioButton(Tx(masteredittext::kUseFormulaRadio), this);
    formulaRadio->setObjectName(QStringLiteral("formulaMode"));
    m_modeGroup = new QButtonGroup(this);
    m_modeGroup->addButton(tableRadio, kTableMode);
    m_modeGroup->addButton(formulaRadio, kFormulaMode);

    m_grid = new CSpreadSheet(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    MarkAsGrid(m_grid);
    m_grid->SetMaxCols(kCols);
    m_grid->SetMaxRows(kRows);
    for (int col = 1; col <= kCols; ++col) {
        m_grid->SetColKind(col, CSpreadSheet::CellKind::Number);
        m_grid->SetColWidth(col, 9);
    }

    m_titleButton = MakeEditorButton(this, masteredittext::kTitleChangeButton, "title");
    m_standardButton = MakeEditorButton(this, masteredittext::kStandardButton, "standard");
    m_clearButton = MakeEditorButton(this, masteredittext::kClearButton, "clear");
    m_kubunButton = MakeEditorButton(this, masteredittext::kKubunButton, "kubun");
    m_kubunButton->setEnabled(false);
    m_kubunNote = new QLabel(Tx(masteredittext::kKubunNote), this);
    m_kubunNote->setObjectName(QStringLiteral("kubunNote"));
    m_kubunNote->setWordWrap(true);
    m_kubunNote->hide();
    auto* tableButtons = new QVBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{m_titleButton, m_standardButton, m_clearButton, m_kubunButton,
                                                      m_kubunNote})
        tableButtons->addWidget(w);
    tableButtons->addStretch();

    const char* labels[4] = {masteredittext::kFormulaNameLabel, masteredittext::kFormulaLabel,
                             dialogtext::kUnitLabel, masteredittext::kLlDefaultLabel};
    for (int i = 0; i < 4; ++i) m_formulaLabels[i] = new QLabel(Tx(labels[i]), this);
    m_formulaNameEdit = MakeField("formulaName", CZo_Edit::TextRule());
    m_formulaEdit = MakeField("formula", CZo_Edit::TextRule());
    m_unitEdit = MakeField("unit", CZo_Edit::TextRule());
    m_llEdit = MakeField("ll", CZo_Edit::DoubleRule(12, 4, 0, 99999999));
    m_remarksEdit = new QPlainTextEdit(this);
    m_remarksEdit->setObjectName(QStringLiteral("remarks"));
    m_useAuxiliary = new QCheckBox(Tx(masteredittext::kUseAuxiliaryCheck), this);
    m_useAuxiliary->setObjectName(QStringLiteral("useAuxiliary"));
    m_auxiliaryButton = MakeEditorButton(this, masteredittext::kHojoShikiButton, "auxiliary");

    auto* formula = new QGridLayout;
    formula->addWidget(m_formulaLabels[0], 0, 0);
    formula->addWidget(m_formulaNameEdit, 0, 1, 1, 3);
    formula->addWidget(m_formulaLabels[1], 1, 0);
    formula->addWidget(m_formulaEdit, 1, 1, 1, 3);
    formula->addWidget(m_formulaLabels[2], 2, 0);
    formula->addWidget(m_unitEdit, 2, 1);
    formula->addWidget(m_formulaLabels[3], 2, 2);
    formula->addWidget(m_llEdit, 2, 3);
    formula->addWidget(new QLabel(Tx(masteredittext::kRecordRemarksLabel), this), 0, 4, Qt::AlignTop);
    formula->addWidget(m_remarksEdit, 0, 5, 3, 1);
    auto* auxiliary = new QVBoxLayout;
    auxiliary->addWidget(m_useAuxiliary);
    auxiliary->addWidget(m_auxiliaryButton);
    auxiliary->addStretch();
    formula->addLayout(auxiliary, 0, 6, 3, 1);
    formula->setColumnStretch(1, 2);
    formula->setColumnStretch(3, 1);
    formula->setColumnStretch(5, 2);
    m_remarksEdit->setMaximumHeight(90);

    auto [ok, cancel] = MakeOkCancelButtons();
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);

    auto* tableRow = new QHBoxLayout;
    tableRow->addWidget(m_grid, 1);
    tableRow->addLayout(tableButtons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tableRadio);
    layout->addLayout(tableRow, 1);
    layout->addWidget(formulaRadio);
    layout->addLayout(formula);
    layout->addLayout(bottom);
    resize(1180, 740);
    // Tab goes through the table and its buttons before the formula part; in the remarks it moves on
    // as in the other fields instead of typing a tab.
    SetTabChain({m_kubunButton, formulaRadio});
    m_remarksEdit->setTabChangesFocus(true);

    connect(m_typeCombo, &QComboBox::activated, this, [this](int index) { m_record.m_type = index; });
    connect(m_modeGroup, &QButtonGroup::idClicked, this, [this](int mode) {
        m_record.m_mode = mode;
        ApplyStates();
    });
    connect(m_titleButton, &QPushButton::clicked, this, &CHenkaritsuDetailDlg::OnTitleChange);
    connect(m_standardButton, &QPushButton::clicked, this, &CHenkaritsuDetailDlg::OnStandard);
    connect(m_clearButton, &QPushButton::clicked, this, &CHenkaritsuDetailDlg::OnClear);
    connect(m_kubunButton, &QPushButton::clicked, this, &CHenkaritsuDetailDlg::OnKubun);
    connect(m_useAuxiliary, &QCheckBox::clicked, this, [this] { ApplyStates(); });
    connect(m_auxiliaryButton, &QPushButton::clicked, this, &CHenkaritsuDetailDlg::OnAuxiliary);
    connect(m_grid, &CSpreadSheet::Change, this, &CHenkaritsuDetailDlg::OnGridChange);
    FollowGridCursor(
        *m_grid, *this, {m_col1, m_row1, m_col2, m_row2},
        [this](int col, int row) {
            m_col1 = m_col2 = col;
            m_row1 = m_row2 = row;
        },
        [this] { ApplyStates(); }, [this] { OnClear(); });
}

void CHenkaritsuDetailDlg::OnInitDialog() {
    m_nameLabel->setText(Tx(m_record.m_name));
    m_typeCombo->setCurrentIndex(m_record.m_type == 0 ? 0 : 1);
    for (int col = 1; col <= kCols; ++col)
        m_grid->SetCellText(col, 0, DisplayHeading(m_record.m_columnTitles[static_cast<size_t>(col - 1)]));
    for (int row = 1; row <= kRows; ++row)
        m_grid->SetCellText(0, row, DisplayHeading(m_record.m_rowTitles[static_cast<size_t>(row - 1)]));
    for (int col = 1; col <= kCols; ++col)
        for (int row = 1; row <= kRows; ++row) {
            const int32_t value = m_record.GetCell(col, row);
            if (IsUnset(value))
                m_grid->ClearCellText(col, row);
            else
                m_grid->SetCellDouble(col, row, value / 1000.0);
        }
    CheckButton(m_modeGroup, m_record.m_mode == kFormulaMode ? kFormulaMode : kTableMode);
    m_formulaNameEdit->SetText(Tx(m_record.m_formulaName));
    m_formulaEdit->SetText(Tx(m_record.m_formula));
    m_unitEdit->SetText(Tx(m_record.m_unit));
    if (IsUnset(m_record.m_llDefault))
        m_llEdit->SetText(QString());
    else
        m_llEdit->SetDouble(m_record.m_llDefault / 10000.0);
    m_remarksEdit->setPlainText(Tx(m_record.m_remarks));
    m_useAuxiliary->setChecked(m_record.m_useAuxiliary != 0);
    PaintStandard();
    ApplyStates();
}

bool CHenkaritsuDetailDlg::Block(int& col1, int& row1, int& col2, int& row2) const {
    // The grid reports −1 for a whole row or column and 0 for a heading: only table cells count.
    const auto block = ClampGridBlock(m_col1, m_row1, m_col2, m_row2, kCols, kRows);
    if (!block) return false;
    col1 = block->col1;
    row1 = block->row1;
    col2 = block->col2;
    row2 = block->row2;
    return true;
}

void CHenkaritsuDetailDlg::PaintStandard() {
    if (!IsTableMode()) return;
    m_grid->SetBlockMode(false);
    m_grid->SetCol(-1);
    m_grid->SetRow(-1);
    m_grid->SetForeColor(kBlack);
    m_grid->SetBackColor(kWhite);
    const int col = m_record.m_standardColumn;
    const int row = m_record.m_standardRow;
    if (col < 1 || col > kCols) return;
    if (m_record.m_kubunFlag) {
        m_grid->SetCol(col);
        m_grid->SetRow(-1);
    } else if (row >= 1 && row <= kRows) {
        m_grid->SetCol(col);
        m_grid->SetRow(row);
    } else {
        return;
    }
    m_grid->SetForeColor(kWhite);
    m_grid->SetBackColor(kStandardBack);
}

void CHenkaritsuDetailDlg::ApplyStates() {
    const bool table = IsTableMode();
    int col1, row1, col2, row2;
    const bool block = Block(col1, row1, col2, row2);
    m_titleButton->setEnabled(table && block && col1 == col2);
    m_standardButton->setEnabled(table && block && col1 == col2 && row1 == row2);
    m_clearButton->setEnabled(table);
    for (QLabel* label : m_formulaLabels) label->setEnabled(!table);
    for (CZo_Edit* edit : {m_formulaNameEdit, m_formulaEdit, m_unitEdit, m_llEdit}) edit->setEnabled(!table);
    m_grid->setEnabled(table);
    m_grid->SetSelBackColor(table ? kTableSelection : kFormulaSelection);
    m_grid->SetSelBorderColor(table ? kTableSelection : kFormulaSelection);
    if (HasKubunButton()) {
        m_kubunButton->setEnabled(table &&
                                  (!IsUnset(m_record.m_standardColumn) || !IsUnset(m_record.m_standardRow)));
        m_kubunNote->setVisible(m_record.m_kubunFlag != 0);
        m_kubunNote->setEnabled(table);
    } else {
        m_kubunButton->setEnabled(false);
        m_kubunNote->hide();
    }
    const bool useAuxiliary = m_useAuxiliary->isChecked();
    m_useAuxiliary->setEnabled(!table);
    m_auxiliaryButton->setVisible(useAuxiliary);
    m_auxiliaryButton->setEnabled(!table && useAuxiliary);
}

void CHenkaritsuDetailDlg::OnGridChange(int col, int row) {
    if (col < 1 || row < 1) return;
    // A cell emptied or holding no number reads as 0: only クリア makes a cell empty.
    m_record.SetCell(col, row, DoubleToLong(m_grid->GetCellDouble(col, row, 0.0) * 1000.0));
}

void CHenkaritsuDetailDlg::OnTitleChange() {
    int col1, row1, col2, row2;
    if (!Block(col1, row1, col2, row2)) return;
    std::string& rowTitle = m_record.m_rowTitles[static_cast<size_t>(row1 - 1)];
    std::string& colTitle = m_record.m_columnTitles[static_cast<size_t>(col1 - 1)];
    CTitleEditDlg dialog(this);
    dialog.SetMode(CTitleEditDlg::TableTitle);
    dialog.SetTitles(Tx(rowTitle), Tx(colTitle));
    if (dialog.DoModal() == IDOK) {
        QString upper, lower;
        dialog.GetTitles(&upper, &lower);
        rowTitle = upper.toStdString();
        colTitle = lower.toStdString();
        m_grid->SetCellText(0, row1, DisplayHeading(rowTitle));
        m_grid->SetCellText(col1, 0, DisplayHeading(colTitle));
    }
    m_grid->setFocus();
}

void CHenkaritsuDetailDlg::OnStandard() {
    int col1, row1, col2, row2;
    if (!Block(col1, row1, col2, row2)) return;
    if (m_record.m_standardColumn != col1 || m_record.m_standardRow != row1) {
        m_record.m_standardColumn = col1;
        m_record.m_standardRow = row1;
    } else if (!m_record.m_kubunFlag) {
        m_record.m_standardColumn = kUnset;
        m_record.m_standardRow = kUnset;
    }
    PaintStandard();
    ApplyStates();
    m_grid->setFocus();
}

void CHenkaritsuDetailDlg::OnClear() {
    int col1, row1, col2, row2;
    if (!IsTableMode() || !Block(col1, row1, col2, row2)) return;
    for (int row = row1; row <= row2; ++row)
        for (int col = col1; col <= col2; ++col) {
            m_record.SetCell(col, row, kUnset);
            m_grid->ClearCellText(col, row);
        }
    m_grid->setFocus();
}

void CHenkaritsuDetailDlg::OnKubun() {
    m_record.m_kubunFlag = m_record.m_kubunFlag ? 0 : 1;
    PaintStandard();
    ApplyStates();
    m_grid->setFocus();
}

void CHenkaritsuDetailDlg::OnAuxiliary() {
    CHenkaritsuHojoShikiDlg dialog(this);
    dialog.SetRecord(m_record);
    if (dialog.DoModal() == IDOK) dialog.GetRecord(m_record);
}

void CHenkaritsuDetailDlg::accept() {
    const std::string formula = m_formulaEdit->GetText().toStdString();
    if (!IsTableMode()) {
        // The whole text is checked, however long.
        if (formula.empty()) {
            AfxMessageBox(masteredittext::kFormulaMissing);
            m_formulaEdit->setFocus();
            return;
        }
        if (!CheckWord(formula.c_str())) {
            AfxMessageBox(masteredittext::kFormulaInvalid);
            m_formulaEdit->setFocus();
            return;
        }
    }
    m_record.m_type = m_typeCombo->currentIndex();
    m_record.m_formulaName = m_formulaNameEdit->GetText().toStdString();
    m_record.m_formula = formula;
    m_record.m_unit = m_unitEdit->GetText().toStdString();
    m_record.m_llDefault = m_llEdit->IsEmpty() ? kUnset : DoubleToLong(m_llEdit->GetDouble() * 10000.0);
    m_record.m_remarks = m_remarksEdit->toPlainText().toStdString();
    m_record.m_useAuxiliary = m_useAuxiliary->isChecked() ? 1 : 0;
    CSekisanDialog::accept();
}
