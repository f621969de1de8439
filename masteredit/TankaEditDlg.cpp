#include "masteredit/TankaEditDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/ImeStatus.h"
#include "dialogkit/NameEditDlg.h"
#include "dialogkit/TitleEditDlg.h"
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

constexpr double kRowHeight = 10.91;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kLabourColour = 0xFF0000;  // a Windows colour value: blue
constexpr int kPrices = CTankaRow::kPriceColumns;
constexpr int kHeadingMargin = 8;  // pixels a heading leaves free left and right together

int PriceIndex(int col) { return col - CTankaEditDlg::kFirstPriceCol; }

// Text broken into lines no wider than width.
QStringList WrapLines(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

// A price column's title as its heading shows it: a title wider than the column is broken into lines
// (first where it has spaces: "令和7年度" over "技術者単価（見本）"), so that it shows whole; the
// title itself is kept as typed.
QString WrapHeading(const QString& title, const QFont& font, int width) {
    if (QFontMetrics(font).horizontalAdvance(title) <= width) return title;
    QStringList lines;
    for (const QString& word : title.split(QLatin1Char(' '), Qt::SkipEmptyParts)) lines << WrapLines(word, font, width);
    return lines.join(QLatin1Char('\n'));
}
bool IsPriceCol(int col) { return col >= CTankaEditDlg::kFirstPriceCol && col <= CTankaEditDlg::kLastPriceCol; }
}  // namespace

CTankaEditDlg::CTankaEditDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(masteredittext::kTankaEditCaption));
    auto* listLabel = new QLabel(Tx(masteredittext::kTankaListLabel), this);
    m_grid = new CSpreadSheet(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->SetMaxCols(kRemarksCol);
    m_grid->SetMaxRows(0);
    m_grid->SetColWidth(kNameCol, 20);
    m_grid->SetColWidth(kUnitCol, 6);
    for (int col = kFirstPriceCol; col <= kLastPriceCol; ++col) {
        m_grid->SetColKind(col, CSpreadSheet::CellKind::Number);
        m_grid->SetColWidth(col, 10);
    }
    m_grid->SetColWidth(kRemarksCol, 20);
    m_grid->SetCellText(kNameCol, 0, Tx(masteredittext::kShokushuNameLabel));
    m_grid->SetCellText(kUnitCol, 0, Tx(masteredittext::kItemUnitLabel));
    m_grid->SetCellText(kRemarksCol, 0, Tx(masteredittext::kItemRemarksLabel));

    m_titleButton = MakeEditorButton(this, masteredittext::kTitleChangeButton, "title");
    m_changeButton = MakeEditorButton(this, masteredittext::kTradeChangeButton, "change");
    m_addButton = MakeEditorButton(this, masteredittext::kTradeAddButton, "add");
    m_insertButton = MakeEditorButton(this, masteredittext::kTradeInsertButton, "insert");
    m_deleteButton = MakeEditorButton(this, masteredittext::kTradeDeleteButton, "delete");
    m_clearButton = MakeEditorButton(this, masteredittext::kClearButton, "clear");
    m_colInsertButton = MakeEditorButton(this, masteredittext::kColumnInsertButton, "colinsert");
    m_colDeleteButton = MakeEditorButton(this, masteredittext::kColumnDeleteButton, "coldelete");
    m_previewButton = MakeEditorButton(this, reporttext::kPrintPreviewButton, "preview");
    m_printButton = MakeEditorButton(this, reporttext::kPrintDotsButton, "print");
    auto [ok, cancel] = MakeOkCancelButtons();
    ok->setText(Tx(reporttext::kSaveAndClose));
    cancel->setText(Tx(dialogtext::kCancel));

    connect(m_titleButton, &QPushButton::clicked, this, &CTankaEditDlg::OnTitleChange);
    connect(m_changeButton, &QPushButton::clicked, this, &CTankaEditDlg::OnTradeChange);
    connect(m_addButton, &QPushButton::clicked, this, &CTankaEditDlg::OnTradeAdd);
    connect(m_insertButton, &QPushButton::clicked, this, &CTankaEditDlg::OnTradeInsert);
    connect(m_deleteButton, &QPushButton::clicked, this, &CTankaEditDlg::OnTradeDelete);
    connect(m_clearButton, &QPushButton::clicked, this, &CTankaEditDlg::OnClear);
    connect(m_colInsertButton, &QPushButton::clicked, this, &CTankaEditDlg::OnColumnInsert);
    connect(m_colDeleteButton, &QPushButton::clicked, this, &CTankaEditDlg::OnColumnDelete);
    connect(m_previewButton, &QPushButton::clicked, this, &CTankaEditDlg::OnPreview);
    connect(m_printButton, &QPushButton::clicked, this, &CTankaEditDlg::OnPrint);

    connect(m_grid, &CSpreadSheet::Click, this, [this](int col, int row) {
        if (col > 0 && row > 0 && (col != m_currentCol || row != m_currentRow)) MakeCurrent(col, row);
        UpdateButtons();
        if (row == 0 && col >= kFirstPriceCol && col <= kLastPriceCol) {
            MakeCurrent(col, m_currentRow);
            UpdateButtons();
            OnTitleChange();
        }
    });
    FollowGridCursor(*m_grid, *this, {m_currentCol, m_currentRow, m_blockCol2, m_blockRow2},
                     [this](int col, int row) { MakeCurrent(col, row); }, [this] { UpdateButtons(); },
                     [this] { OnClear(); });
    connect(m_grid, &CSpreadSheet::Change, this, &CTankaEditDlg::OnGridChange);

    QVBoxLayout* side = MakeEditorButtonColumn({m_titleButton, m_changeButton, m_addButton, m_insertButton, m_deleteButton, m_clearButton,
                           m_colInsertButton, m_colDeleteButton, m_previewButton, m_printButton}, ok, cancel);
    auto* body = new QHBoxLayout;
    body->addWidget(m_grid, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listLabel);
    layout->addLayout(body, 1);
    resize(1000, 560);
}

void CTankaEditDlg::OnInitDialog() { Fill(); }

void CTankaEditDlg::Fill() {
    for (int i = 0; i < kPrices; ++i) ShowColumnTitle(kFirstPriceCol + i);
    m_count = m_tanka.GetCount();
    m_grid->SetMaxRows(m_count);
    for (int row = 1; row <= m_count; ++row) {
        m_grid->SetRowHeight(row, kRowHeight);
        m_grid->SetRow(row);
        m_grid->SetCol(-1);
        m_grid->SetAction(CSpreadSheet::kActionClearText);
    }
    for (int i = 0; i < m_count; ++i) {
        const CTankaRow& trade = *m_tanka.GetRow(i);
        const int row = i + 1;
        m_grid->SetRow(row);
        m_grid->SetCol(-1);
        m_grid->SetForeColor(trade.m_kind == 1 ? kLabourColour : kBlack);
        m_grid->SetCellText(kNameCol, row, Tx(trade.m_name));
        m_grid->SetCellText(kUnitCol, row, Tx(trade.m_unit));
        for (int p = 0; p < kPrices; ++p)
            if (!IsUnset(trade.m_prices[p])) m_grid->SetCellInt(kFirstPriceCol + p, row, trade.m_prices[p]);
        m_grid->SetCellText(kRemarksCol, row, Tx(trade.m_remarks));
    }
    if (m_count > 0) m_grid->SelectCell(m_currentCol, m_currentRow);
    m_blockCol2 = m_currentCol;
    m_blockRow2 = m_currentRow;
    UpdateButtons();
}

void CTankaEditDlg::ShowColumnTitle(int col) {
    // The heading's text keeps clear of the section's edges.
    const int width = m_grid->columnWidth(col - 1) - kHeadingMargin;
    m_grid->SetCellText(col, 0, WrapHeading(Tx(m_tanka.m_columnTitles[PriceIndex(col)]), m_grid->font(), width));
}

bool CTankaEditDlg::OneColumn() const {
    return m_currentCol == m_blockCol2 && IsPriceCol(m_currentCol);
}
bool CTankaEditDlg::OneRow() const { return m_currentRow == m_blockRow2 && m_currentRow >= 1; }

void CTankaEditDlg::UpdateButtons() {
    if (m_count == 0) {
        // 職種追加 and the column commands keep the state they had.
        for (QPushButton* b : {m_titleButton, m_changeButton, m_insertButton, m_deleteButton, m_clearButton,
                               m_previewButton, m_printButton})
            b->setEnabled(false);
        return;
    }
    // Names and units are typed in Japanese, prices and remarks in figures.
    SetImeOpenStatus(m_grid, m_currentCol == kNameCol || m_currentCol == kUnitCol);
    for (QPushButton* b : {m_titleButton, m_colInsertButton, m_colDeleteButton}) b->setEnabled(OneColumn());
    for (QPushButton* b : {m_changeButton, m_addButton, m_insertButton, m_deleteButton}) b->setEnabled(OneRow());
    for (QPushButton* b : {m_clearButton, m_previewButton, m_printButton}) b->setEnabled(true);
}

void CTankaEditDlg::MakeCurrent(int col, int row) {
    m_currentCol = col;
    m_currentRow = row;
    m_blockCol2 = col;
    m_blockRow2 = row;
}

CTankaRow* CTankaEditDlg::CurrentTrade() const {
    return m_currentRow >= 1 && m_currentRow <= m_count ? m_tanka.GetRow(m_currentRow - 1) : nullptr;
}

void CTankaEditDlg::OnGridChange(int col, int row) {
    if (row < 1 || row > m_count) return;
    CTankaRow& trade = *m_tanka.GetRow(row - 1);
    if (col == kNameCol)
        trade.m_name = m_grid->GetCellText(col, row).toStdString();
    else if (col == kUnitCol)
        trade.m_unit = m_grid->GetCellText(col, row).toStdString();
    else if (col == kRemarksCol)
        trade.m_remarks = m_grid->GetCellText(col, row).toStdString();
    else if (IsPriceCol(col))
        trade.m_prices[PriceIndex(col)] = DoubleToLong(m_grid->GetCellDouble(col, row, 0.0));
}

void CTankaEditDlg::OnTitleChange() {
    if (!IsPriceCol(m_currentCol)) return;
    const int index = PriceIndex(m_currentCol);
    CTitleEditDlg dialog(this);
    dialog.SetMode(CTitleEditDlg::TableTitle);
    dialog.SetTitles(QString(), Tx(m_tanka.m_columnTitles[index]));
    dialog.SetUpperEnabled(0);
    if (dialog.DoModal() != IDOK) return;
    QString title;
    dialog.GetTitles(nullptr, &title);
    m_tanka.m_columnTitles[index] = title.toStdString();
    ShowColumnTitle(m_currentCol);
}

namespace {
// Fills the name dialog from a trade and takes its values back.
void SeedNameDialog(CNameEditDlg& dialog, const CTankaRow& trade) {
    dialog.SetTarget(CNameEditDlg::Trade);
    dialog.SetName(Tx(trade.m_name));
    dialog.SetCode(trade.m_id);
    dialog.SetUnit(Tx(trade.m_unit));
    dialog.SetTankaKind(trade.m_kind);
    dialog.SetKanren(trade.m_related);
    dialog.SetYobi(Tx(trade.m_spare));
}
void TakeNameDialog(const CNameEditDlg& dialog, CTankaRow& trade) {
    trade.m_name = dialog.GetName().toStdString();
    trade.m_id = dialog.GetCode();
    trade.m_unit = dialog.GetUnit().toStdString();
    trade.m_kind = dialog.GetTankaKind();
    trade.m_related = dialog.GetKanren();
    trade.m_spare = dialog.GetYobi().toStdString();
}
}  // namespace

void CTankaEditDlg::OnTradeChange() {
    CTankaRow* trade = CurrentTrade();
    if (!trade) return;
    CNameEditDlg dialog(this);
    dialog.SetAction(CNameEditDlg::Rename);
    SeedNameDialog(dialog, *trade);
    if (dialog.DoModal() != IDOK) return;
    // An id another trade has would merge the two trades' 歩掛 references for good.
    if (!CheckEntryCode(dialog.GetCode(), kTankaCodeRange, m_count,
                        [this](int i) { return m_tanka.GetRow(i)->m_id; }, m_currentRow - 1))
        return;
    if (dialog.GetCode() != trade->m_id && m_bukake.ReplaceTankaCode(trade->m_id, dialog.GetCode()))
        m_bukakeChanged = 1;
    TakeNameDialog(dialog, *trade);
    Fill();
}

std::unique_ptr<CTankaRow> CTankaEditDlg::AskNewTrade(int action) {
    const int id = m_tanka.GetNewRowId();
    if (!CheckFreeCode(id, kTankaCodeRange)) return nullptr;
    auto trade = std::make_unique<CTankaRow>();
    trade->m_id = id;
    CNameEditDlg dialog(this);
    dialog.SetAction(action);
    SeedNameDialog(dialog, *trade);
    if (dialog.DoModal() != IDOK) return nullptr;
    if (!CheckEntryCode(dialog.GetCode(), kTankaCodeRange, m_count,
                        [this](int i) { return m_tanka.GetRow(i)->m_id; }, -1))
        return nullptr;
    TakeNameDialog(dialog, *trade);
    return trade;
}

void CTankaEditDlg::OnTradeAdd() {
    if (auto trade = AskNewTrade(CNameEditDlg::Add)) {
        m_currentRow = m_tanka.AddRow(std::move(trade)) + 1;
        Fill();
    }
}

void CTankaEditDlg::OnTradeInsert() {
    if (!CurrentTrade()) return;
    if (auto trade = AskNewTrade(CNameEditDlg::Insert)) {
        m_tanka.InsertRow(m_currentRow - 1, std::move(trade));
        Fill();
    }
}

void CTankaEditDlg::OnTradeDelete() {
    const CTankaRow* trade = CurrentTrade();
    if (!trade) return;
    const std::string question = masteredittext::kDeleteTankaBefore + trade->m_name + masteredittext::kDeleteAfter;
    if (Host().MessageBox(question, masteredittext::kConfirmCaption, MsgButtons::YesNo, MsgIcon::Exclamation, 1) !=
        IDYES)
        return;
    if (m_bukake.ReplaceTankaCode(trade->m_id, kUnset)) m_bukakeChanged = 1;
    m_tanka.RemoveRow(m_currentRow - 1);
    if (m_currentRow > m_tanka.GetCount()) m_currentRow = std::max(1, m_currentRow - 1);
    Fill();
}

void CTankaEditDlg::OnClear() {
    const auto block = ClampGridBlock(m_currentCol, m_currentRow, m_blockCol2, m_blockRow2, kRemarksCol, m_count);
    if (!block) return;
    for (int row = block->row1; row <= block->row2; ++row) {
        CTankaRow& trade = *m_tanka.GetRow(row - 1);
        for (int col = block->col1; col <= block->col2; ++col) {
            m_grid->ClearCellText(col, row);
            if (col == kNameCol)
                trade.m_name.clear();
            else if (col == kUnitCol)
                trade.m_unit.clear();
            else if (col == kRemarksCol)
                trade.m_remarks.clear();
            else
                trade.m_prices[PriceIndex(col)] = kUnset;
        }
    }
}

void CTankaEditDlg::OnColumnInsert() {
    if (!IsPriceCol(m_currentCol)) return;
    const int c = PriceIndex(m_currentCol);
    constexpr int last = kPrices - 1;
    // The last column falls off the end: ask before its title or a price is lost.
    bool lastHolds = !m_tanka.m_columnTitles[last].empty();
    for (int i = 0; i < m_count && !lastHolds; ++i) lastHolds = !IsUnset(m_tanka.GetRow(i)->m_prices[last]);
    if (lastHolds &&
        AfxMessageBox(masteredittext::kAskDropLastColumn, MsgButtons::YesNo, MsgIcon::Exclamation) != IDYES)
        return;
    for (int p = last; p > c; --p) m_tanka.m_columnTitles[p] = m_tanka.m_columnTitles[p - 1];
    m_tanka.m_columnTitles[c].clear();
    for (int i = 0; i < m_count; ++i) {
        auto& prices = m_tanka.GetRow(i)->m_prices;
        for (int p = last; p > c; --p) prices[p] = prices[p - 1];
        prices[c] = kUnset;
    }
    Fill();
}

void CTankaEditDlg::OnColumnDelete() {
    if (!IsPriceCol(m_currentCol)) return;
    if (AfxMessageBox(masteredittext::kAskDeleteColumn, MsgButtons::YesNo, MsgIcon::Exclamation) != IDYES) return;
    const int c = PriceIndex(m_currentCol);
    constexpr int last = kPrices - 1;
    for (int p = c; p < last; ++p) m_tanka.m_columnTitles[p] = m_tanka.m_columnTitles[p + 1];
    m_tanka.m_columnTitles[last].clear();
    for (int i = 0; i < m_count; ++i) {
        auto& prices = m_tanka.GetRow(i)->m_prices;
        for (int p = c; p < last; ++p) prices[p] = prices[p + 1];
        prices[last] = kUnset;
    }
    Fill();
}

void CTankaEditDlg::OnPreview() { m_print.PreviewTankaList(m_tanka); }

void CTankaEditDlg::OnPrint() { m_print.PrintTankaList(m_tanka); }

void CTankaEditDlg::accept() {
    if (!m_print.RefuseWhilePreviewOpen()) CSekisanDialog::accept();
}

void CTankaEditDlg::reject() {
    if (!m_print.RefuseWhilePreviewOpen()) CSekisanDialog::reject();
}
