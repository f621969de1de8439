#include "masteredit/ProgramKingakuEditDlg.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/ImeStatus.h"
#include "dialogkit/NameEditDlg.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/Tx.h"
#include "masteredit/EntryCodes.h"
#include "masteredit/GridBlock.h"
#include "masteredit/EditorButton.h"
#include "masteredit/MasterEditTexts.h"
#include "platform/Host.h"
#include "platform/Rounding.h"
#include "report/ReportTexts.h"

namespace {

// Rows the grid has at least: one per program code 1 to 99.
constexpr int kGridRows = 99;
}  // namespace

CProgramKingakuEditDlg::CProgramKingakuEditDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(masteredittext::kProgramKingakuEditCaption));
    auto* listLabel = new QLabel(Tx(masteredittext::kProgramKingakuListLabel), this);
    m_grid = new CSpreadSheet(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->SetMaxCols(5);
    m_grid->SetMaxRows(kGridRows);
    const char* const headings[] = {masteredittext::kProgramName1Heading, masteredittext::kProgramName2Heading,
                                    masteredittext::kProgramCondition1Heading,
                                    masteredittext::kProgramCondition2Heading, masteredittext::kProgramFeeHeading};
    for (int col = kName1Col; col <= kFeeCol; ++col) m_grid->SetCellText(col, 0, Tx(headings[col - 1]));
    m_grid->SetColKind(kFeeCol, CSpreadSheet::CellKind::Number);
    for (int col = kName1Col; col <= kCondition2Col; ++col) m_grid->SetColWidth(col, 20);
    m_grid->SetColWidth(kFeeCol, 13);

    m_newButton = MakeEditorButton(this, masteredittext::kNewButton, "new");
    m_insertButton = MakeEditorButton(this, dialogtext::kActionInsert, "insert");
    m_deleteButton = MakeEditorButton(this, masteredittext::kDeleteButton, "delete");
    m_clearButton = MakeEditorButton(this, masteredittext::kClearButton, "clear");
    m_changeButton = MakeEditorButton(this, masteredittext::kChangeButton, "change");
    m_changeButton->setVisible(false);
    auto [ok, cancel] = MakeOkCancelButtons();
    ok->setText(Tx(reporttext::kSaveAndClose));
    cancel->setText(Tx(dialogtext::kCancel));

    connect(m_newButton, &QPushButton::clicked, this, &CProgramKingakuEditDlg::OnNew);
    connect(m_insertButton, &QPushButton::clicked, this, &CProgramKingakuEditDlg::OnInsert);
    connect(m_deleteButton, &QPushButton::clicked, this, &CProgramKingakuEditDlg::OnDelete);
    connect(m_clearButton, &QPushButton::clicked, this, &CProgramKingakuEditDlg::OnClear);
    connect(m_changeButton, &QPushButton::clicked, this, &CProgramKingakuEditDlg::OnChange);

    connect(m_grid, &CSpreadSheet::Click, this, [this](int col, int row) {
        if (col != 0 && row != 0) MakeCurrent(col, row);
        UpdateButtons();
    });
    FollowGridCursor(*m_grid, *this, {m_currentCol, m_currentRow, m_blockCol2, m_blockRow2},
                     [this](int col, int row) { MakeCurrent(col, row); }, [this] { UpdateButtons(); },
                     [this] { OnClear(); });
    connect(m_grid, &CSpreadSheet::Change, this, &CProgramKingakuEditDlg::OnGridChange);

    QVBoxLayout* side = MakeEditorButtonColumn({m_newButton, m_insertButton, m_deleteButton, m_clearButton, m_changeButton}, ok, cancel);
    auto* body = new QHBoxLayout;
    body->addWidget(m_grid, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listLabel);
    layout->addLayout(body, 1);
    resize(900, 480);
}

void CProgramKingakuEditDlg::OnInitDialog() { Fill(); }

int CProgramKingakuEditDlg::ShowRecords(CSpreadSheet& grid, const CProgramKingakuFile& file, int minRows) {
    const int count = file.GetCount();
    grid.SetMaxRows(std::max(minRows, count));
    for (int row = 1; row <= grid.GetMaxRows(); ++row) {
        grid.SetRow(row);
        grid.SetCol(-1);
        grid.SetRowHidden(row > count);
        if (row <= count) grid.SetAction(CSpreadSheet::kActionClearText);
    }
    for (int i = 0; i < count; ++i) {
        const CProgramKingakuRecord& record = *file.GetRecord(i);
        grid.SetCellText(kName1Col, i + 1, QString::fromStdString(record.m_name1));
        grid.SetCellText(kName2Col, i + 1, QString::fromStdString(record.m_name2));
        grid.SetCellText(kCondition1Col, i + 1, QString::fromStdString(record.m_condition1));
        grid.SetCellText(kCondition2Col, i + 1, QString::fromStdString(record.m_condition2));
        if (!IsUnset(record.m_fee)) grid.SetCellInt(kFeeCol, i + 1, record.m_fee);
    }
    return count;
}

void CProgramKingakuEditDlg::Fill() {
    m_count = ShowRecords(*m_grid, m_file, kGridRows);
    m_grid->SelectCell(m_currentCol, m_currentRow);
    // The selection is that one cell now: it is the block.
    m_blockCol2 = m_currentCol;
    m_blockRow2 = m_currentRow;
    UpdateButtons();
}

void CProgramKingakuEditDlg::UpdateButtons() {
    const bool any = m_count > 0;
    // Names and conditions are typed in Japanese, the fee in figures.
    if (any) SetImeOpenStatus(m_grid, m_currentCol != kFeeCol);
    for (QPushButton* b : {m_insertButton, m_deleteButton, m_clearButton, m_changeButton}) b->setEnabled(any);
    m_newButton->setEnabled(true);
}

void CProgramKingakuEditDlg::MakeCurrent(int col, int row) {
    m_currentCol = col;
    m_currentRow = row;
    // A click or a move of the cell leaves that one cell selected.
    m_blockCol2 = col;
    m_blockRow2 = row;
}

CProgramKingakuRecord* CProgramKingakuEditDlg::CurrentRecord() const {
    return m_currentRow >= 1 && m_currentRow <= m_count ? m_file.GetRecord(m_currentRow - 1) : nullptr;
}

void CProgramKingakuEditDlg::OnGridChange(int col, int row) {
    if (row < 1 || row > m_count) return;
    CProgramKingakuRecord& record = *m_file.GetRecord(row - 1);
    const std::string text = m_grid->GetCellText(col, row).toStdString();
    switch (col) {
        case kName1Col: record.m_name1 = text; break;
        case kName2Col: record.m_name2 = text; break;
        case kCondition1Col: record.m_condition1 = text; break;
        case kCondition2Col: record.m_condition2 = text; break;
        case kFeeCol: record.m_fee = DoubleToLong(m_grid->GetCellDouble(kFeeCol, row, 0.0)); break;
        default: break;
    }
}

std::unique_ptr<CProgramKingakuRecord> CProgramKingakuEditDlg::NewRecord() {
    const int code = m_file.GetNewRecordCode();
    if (!CheckFreeCode(code, kProgramCodeRange)) return nullptr;
    auto record = std::make_unique<CProgramKingakuRecord>();
    record->m_code = code;
    return record;
}

void CProgramKingakuEditDlg::OnNew() {
    if (auto record = NewRecord()) {
        m_currentRow = m_file.AddRecord(std::move(record)) + 1;
        Fill();
    }
    FocusGrid();
}

void CProgramKingakuEditDlg::OnInsert() {
    if (CurrentRecord()) {
        if (auto record = NewRecord()) {
            m_file.InsertRecord(m_currentRow - 1, std::move(record));
            Fill();
        }
    }
    FocusGrid();
}

void CProgramKingakuEditDlg::OnDelete() {
    const CProgramKingakuRecord* record = CurrentRecord();
    if (record) {
        const std::string question =
            masteredittext::kDeleteProgramKingakuBefore + record->m_name1 + masteredittext::kDeleteAfter;
        if (Host().MessageBox(question, masteredittext::kConfirmCaption, MsgButtons::YesNo, MsgIcon::Exclamation, 1) ==
            IDYES) {
            m_file.RemoveRecord(m_currentRow - 1);
            // The row below moves up into the current row; after the last one the new last is current.
            m_currentRow = std::max(1, std::min(m_currentRow, m_file.GetCount()));
            Fill();
        }
    }
    FocusGrid();
}

void CProgramKingakuEditDlg::OnClear() {
    const auto block = ClampGridBlock(m_currentCol, m_currentRow, m_blockCol2, m_blockRow2, kFeeCol, m_count);
    if (block) {
        for (int row = block->row1; row <= block->row2; ++row) {
            CProgramKingakuRecord& record = *m_file.GetRecord(row - 1);
            for (int col = block->col1; col <= block->col2; ++col) {
                m_grid->ClearCellText(col, row);
                switch (col) {
                    case kName1Col: record.m_name1.clear(); break;
                    case kName2Col: record.m_name2.clear(); break;
                    case kCondition1Col: record.m_condition1.clear(); break;
                    case kCondition2Col: record.m_condition2.clear(); break;
                    case kFeeCol: record.m_fee = kUnset; break;
                    default: break;
                }
            }
        }
    }
    FocusGrid();
}

void CProgramKingakuEditDlg::OnChange() {
    CProgramKingakuRecord* record = CurrentRecord();
    if (!record) return;
    CNameEditDlg dialog(this);
    dialog.SetAction(CNameEditDlg::Rename);
    dialog.SetName(QString::fromStdString(record->m_name1));
    dialog.SetCode(record->m_code);
    if (dialog.DoModal() != IDOK) return;
    const int self = m_currentRow - 1;
    if (!CheckEntryCode(dialog.GetCode(), kProgramCodeRange, m_count,
                        [this](int i) { return m_file.GetRecord(i)->m_code; }, self))
        return;
    record->m_name1 = dialog.GetName().toStdString();
    record->m_code = dialog.GetCode();
    Fill();
}

void CProgramKingakuEditDlg::FocusGrid() { m_grid->setFocus(); }

bool CProgramKingakuEditDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F5) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this && w == focusWidget()) m_changeButton->setVisible(true);
    }
    return CSekisanDialog::eventFilter(watched, event);
}
