#include "masteredit/ZairyoTankaEditDlg.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/ImeStatus.h"
#include "dialogkit/NameEditDlg.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/Tx.h"
#include "dialogkit/ZairyoTankaSearchDlg.h"
#include "master/MasterStore.h"
#include "masteredit/EntryCodes.h"
#include "masteredit/GridBlock.h"
#include "masteredit/EditorButton.h"
#include "masteredit/MasterEditTexts.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"
#include "report/ReportTexts.h"

namespace {

constexpr double kRowHeight = 17.05;

// Per kind: the row text colour (a Windows colour value) and the words before the name in the
// delete question.
struct KindLook {
    COLORREF colour;
    const char* deleteBefore;
};
constexpr KindLook kKindLooks[kZairyoKindCount] = {
    {0xFF00FF, masteredittext::kDeleteZairyoBefore},        {0x00C000, masteredittext::kDeleteDoryokuBefore},
    {0x000080, masteredittext::kDeleteKikaiBefore},         {0x0000FF, masteredittext::kDeleteSokuryoZairyoBefore},
    {0x800080, masteredittext::kDeleteSokuryoKikaiBefore},  {0x808000, masteredittext::kDeleteSokuryoSonotaBefore},
};

// Ids of the material-price items.
const CodeRange kZairyoCodeRange{1000, 1999, masteredittext::kNoFreeZairyoCode, masteredittext::kZairyoCodeOutOfRange};

bool IsKind(int kind) { return kind >= 0 && kind < kZairyoKindCount; }

void SeedNameDialog(CNameEditDlg& dialog, const CZairyoTankaItem& item) {
    dialog.SetTarget(CNameEditDlg::Article);
    dialog.SetName(Tx(item.m_name));
    dialog.SetCode(item.m_id);
    dialog.SetZairyoKind(item.m_kind);
    dialog.SetKensetsuBukkaCode(Tx(item.m_extra));
    dialog.SetUserCreated(item.m_setting);
}
void TakeNameDialog(const CNameEditDlg& dialog, CZairyoTankaItem& item) {
    item.m_name = dialog.GetName().toStdString();
    item.m_id = dialog.GetCode();
    item.m_setting = dialog.GetUserCreated();
    // Only the radio of the item's own kind can be chosen; keep the kind when none is.
    if (IsKind(dialog.GetZairyoKind())) item.m_kind = dialog.GetZairyoKind();
    item.m_extra = dialog.GetKensetsuBukkaCode().toStdString();
}
}  // namespace

CZairyoTankaEditDlg::CZairyoTankaEditDlg(CMasterDataStore& store, QWidget* parent)
    : CSekisanDialog(parent), m_store(store) {
    auto* listLabel = new QLabel(Tx(masteredittext::kTankaListLabel), this);
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->setExpanding(false);
    for (int kind : kTabKinds) m_tabs->addTab(Tx(kZairyoKindNames[kind]));

    m_grid = new CSpreadSheet(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->SetMaxCols(kRemarksCol);
    m_grid->SetMaxRows(0);
    const std::pair<const char*, double> columns[] = {
        {dialogtext::kHinmeiColumnTitle, 26},  {dialogtext::kKikakuColumnTitle, 22},
        {masteredittext::kItemUnitLabel, 6},   {masteredittext::kItemPriceLabel, 13},
        {masteredittext::kItemRemarksLabel, 20}};
    for (int col = kNameCol; col <= kRemarksCol; ++col) {
        m_grid->SetCellText(col, 0, Tx(columns[col - 1].first));
        m_grid->SetColWidth(col, columns[col - 1].second);
    }
    m_grid->SetColKind(kPriceCol, CSpreadSheet::CellKind::Number);

    auto* titleLabel = new QLabel(Tx(masteredittext::kZairyoTitleLabel), this);
    m_titleEdit = MakeField("title", CZo_Edit::TextRule());

    m_changeButton = MakeEditorButton(this, masteredittext::kHinmeiChangeButton, "change");
    m_addButton = MakeEditorButton(this, masteredittext::kHinmeiAddButton, "add");
    m_insertButton = MakeEditorButton(this, masteredittext::kHinmeiInsertButton, "insert");
    m_deleteButton = MakeEditorButton(this, masteredittext::kHinmeiDeleteButton, "delete");
    m_clearButton = MakeEditorButton(this, masteredittext::kClearButton, "clear");
    m_upButton = MakeEditorButton(this, masteredittext::kHinmeiUpButton, "up");
    m_downButton = MakeEditorButton(this, masteredittext::kHinmeiDownButton, "down");
    m_searchButton = MakeEditorButton(this, dialogtext::kSearchButton, "search");
    m_openButton = MakeEditorButton(this, masteredittext::kOpenZairyoTankaButton, "open");
    auto [ok, cancel] = MakeOkCancelButtons();
    ok->setText(Tx(reporttext::kSaveAndClose));
    cancel->setText(Tx(dialogtext::kCancel));
    // "品名変更..." is a maintenance command: F5 shows it.
    m_changeButton->setVisible(false);

    connect(m_changeButton, &QPushButton::clicked, this, &CZairyoTankaEditDlg::OnChange);
    connect(m_addButton, &QPushButton::clicked, this, &CZairyoTankaEditDlg::OnAdd);
    connect(m_insertButton, &QPushButton::clicked, this, &CZairyoTankaEditDlg::OnInsert);
    connect(m_deleteButton, &QPushButton::clicked, this, &CZairyoTankaEditDlg::OnDelete);
    connect(m_clearButton, &QPushButton::clicked, this, &CZairyoTankaEditDlg::OnClear);
    connect(m_upButton, &QPushButton::clicked, this, &CZairyoTankaEditDlg::OnMoveUp);
    connect(m_downButton, &QPushButton::clicked, this, &CZairyoTankaEditDlg::OnMoveDown);
    connect(m_searchButton, &QPushButton::clicked, this, &CZairyoTankaEditDlg::OnSearch);
    connect(m_openButton, &QPushButton::clicked, this, &CZairyoTankaEditDlg::OnOpen);
    connect(m_tabs, &QTabBar::currentChanged, this, &CZairyoTankaEditDlg::OnTabChanged);
    connect(m_titleEdit, &QLineEdit::textEdited, this, [this] { SetModified(); });
    FollowGridCursor(*m_grid, *this, {m_currentCol, m_currentRow, m_blockCol2, m_blockRow2},
                     [this](int col, int row) { MakeCurrent(col, row); }, [this] { UpdateButtons(); },
                     [this] { OnClear(); });
    connect(m_grid, &CSpreadSheet::Change, this, &CZairyoTankaEditDlg::OnGridChange);

    QVBoxLayout* side = MakeEditorButtonColumn({m_changeButton, m_addButton, m_insertButton, m_deleteButton, m_clearButton, m_upButton,
                           m_downButton, m_searchButton, m_openButton}, ok, cancel);
    auto* sheet = new QVBoxLayout;
    sheet->setSpacing(0);
    sheet->addWidget(m_tabs);
    sheet->addWidget(m_grid, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(sheet, 1);
    body->addLayout(side);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(titleLabel);
    titleRow->addWidget(m_titleEdit, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listLabel);
    layout->addLayout(body, 1);
    layout->addLayout(titleRow);
    resize(980, 600);
}

bool CZairyoTankaEditDlg::WroteFile(const std::string& path) const {
    return std::any_of(m_written.begin(), m_written.end(),
                       [&path](const std::string& written) { return vemo::SamePath(written, path); });
}

void CZairyoTankaEditDlg::OnInitDialog() {
    ShowCaption();
    Load(m_path);
    {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(m_tab);
    }
    Fill();
}

void CZairyoTankaEditDlg::ShowCaption() {
    setWindowTitle(Tx(masteredittext::kZairyoTankaEditCaptionBefore + m_path +
                      masteredittext::kZairyoTankaEditCaptionAfter));
}

bool CZairyoTankaEditDlg::Load(const std::string& path) {
    CZairyoTankaFile fresh;
    if (!m_store.LoadInto(fresh, path)) return false;
    m_file = std::move(fresh);
    m_titleEdit->setText(Tx(m_file.m_title));
    return true;
}

bool CZairyoTankaEditDlg::Save() {
    m_file.m_title = m_titleEdit->text().toStdString();
    if (!m_store.SaveZairyoTankaCopy(m_file, m_path)) return false;
    m_written.push_back(m_path);
    return true;
}

void CZairyoTankaEditDlg::accept() {
    // Asked before the dialog closes: a save that fails keeps the editor open with its copy.
    if (AfxMessageBox(masteredittext::kAskSaveZairyoTanka, MsgButtons::YesNo, MsgIcon::Exclamation) == IDYES) {
        if (!Save()) return;
        m_modified = 0;
    }
    CSekisanDialog::accept();
}

bool CZairyoTankaEditDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F5) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this && w == focusWidget()) m_changeButton->setVisible(true);
    }
    return CSekisanDialog::eventFilter(watched, event);
}

int CZairyoTankaEditDlg::FileIndexOfRow(int row) const {
    if (row < 1) return -1;
    const int kind = CurrentKind();
    int n = 0;
    for (int i = 0; i < m_file.GetCount(); ++i)
        if (m_file.GetItem(i)->m_kind == kind && ++n == row) return i;
    return -1;
}

CZairyoTankaItem* CZairyoTankaEditDlg::ItemOfRow(int row) const { return m_file.GetItem(FileIndexOfRow(row)); }

void CZairyoTankaEditDlg::Fill() {
    const int kind = CurrentKind();
    m_count = m_file.GetItemCountOfKind(kind);
    m_grid->SetReDraw(false);
    m_grid->SetMaxRows(m_count);
    for (int n = 0; n < m_count; ++n) {
        const CZairyoTankaItem& item = *m_file.GetItemOfKind(kind, n);
        const int row = n + 1;
        m_grid->SetRowHeight(row, kRowHeight);
        m_grid->SetRow(row);
        m_grid->SetCol(-1);
        m_grid->SetForeColor(kKindLooks[kind].colour);
        m_grid->SetCellText(kNameCol, row, Tx(item.m_name));
        m_grid->SetCellText(kSpecCol, row, Tx(item.m_spec));
        m_grid->SetCellText(kUnitCol, row, Tx(item.m_unit));
        if (IsNoPrice(item.m_price))
            m_grid->ClearCellText(kPriceCol, row);
        else
            m_grid->SetCellDouble(kPriceCol, row, item.m_price);
        m_grid->SetCellText(kRemarksCol, row, Tx(item.m_remarks));
    }
    m_grid->SetReDraw(true);
    m_currentRow = std::clamp(m_currentRow, 1, std::max(1, m_count));
    if (m_count == 0)
        m_currentCol = 0;
    else if (m_currentCol < 1)
        m_currentCol = 1;
    if (m_count > 0) m_grid->SelectCell(m_currentCol, m_currentRow);
    m_blockCol2 = m_currentCol;
    m_blockRow2 = m_currentRow;
    UpdateButtons();
}

void CZairyoTankaEditDlg::UpdateButtons() {
    const bool hasItems = m_count > 0;
    // Names are typed in Japanese, prices in figures.
    if (hasItems) SetImeOpenStatus(m_grid, m_currentCol != kPriceCol);
    for (QPushButton* b : {m_changeButton, m_insertButton, m_deleteButton, m_clearButton, m_upButton, m_downButton})
        b->setEnabled(hasItems);
    m_addButton->setEnabled(true);
}

void CZairyoTankaEditDlg::OnTabChanged(int tab) {
    if (tab < 0 || tab >= kZairyoKindCount) return;
    m_tab = tab;
    Fill();
}

void CZairyoTankaEditDlg::MakeCurrent(int col, int row) {
    m_currentCol = col;
    m_currentRow = row;
    m_blockCol2 = col;
    m_blockRow2 = row;
}

void CZairyoTankaEditDlg::OnGridChange(int col, int row) {
    CZairyoTankaItem* item = ItemOfRow(row);
    if (!item) return;
    const std::string text = m_grid->GetCellText(col, row).toStdString();
    switch (col) {
        case kNameCol: item->m_name = text; break;
        case kSpecCol: item->m_spec = text; break;
        case kUnitCol: item->m_unit = text; break;
        case kPriceCol: item->m_price = m_grid->GetCellDouble(col, row, 0.0); break;
        case kRemarksCol: item->m_remarks = text; break;
        default: return;
    }
    SetModified();
}

std::unique_ptr<CZairyoTankaItem> CZairyoTankaEditDlg::AskNewItem(int action) {
    const int id = m_file.GetNewItemId();
    if (!CheckFreeCode(id, kZairyoCodeRange)) return nullptr;
    auto item = std::make_unique<CZairyoTankaItem>();
    item->m_id = id;
    item->m_kind = CurrentKind();
    item->m_setting = 1;
    CNameEditDlg dialog(this);
    dialog.SetAction(action);
    SeedNameDialog(dialog, *item);
    if (dialog.DoModal() != IDOK) return nullptr;
    if (!CheckEntryCode(dialog.GetCode(), kZairyoCodeRange, m_file.GetCount(),
                        [this](int i) { return m_file.GetItem(i)->m_id; }, -1))
        return nullptr;
    TakeNameDialog(dialog, *item);
    return item;
}

void CZairyoTankaEditDlg::OnAdd() {
    auto item = AskNewItem(CNameEditDlg::New);
    if (!item) return;
    const int kind = item->m_kind;
    m_file.AddItem(std::move(item));
    m_currentRow = m_file.GetItemCountOfKind(kind);
    if (m_currentCol < 1) m_currentCol = 1;
    SetModified();
    Fill();
}

void CZairyoTankaEditDlg::OnInsert() {
    const int index = FileIndexOfRow(m_currentRow);
    if (index < 0) return;
    auto item = AskNewItem(CNameEditDlg::Insert);
    if (!item) return;
    m_file.InsertItem(index, std::move(item));
    SetModified();
    Fill();
}

void CZairyoTankaEditDlg::OnChange() {
    const int index = FileIndexOfRow(m_currentRow);
    CZairyoTankaItem* item = m_file.GetItem(index);
    if (!item) return;
    CNameEditDlg dialog(this);
    dialog.SetAction(CNameEditDlg::Rename);
    SeedNameDialog(dialog, *item);
    if (dialog.DoModal() != IDOK) return;
    if (!CheckEntryCode(dialog.GetCode(), kZairyoCodeRange, m_file.GetCount(),
                        [this](int i) { return m_file.GetItem(i)->m_id; }, index))
        return;
    TakeNameDialog(dialog, *item);
    SetModified();
    Fill();
}

void CZairyoTankaEditDlg::OnDelete() {
    const int index = FileIndexOfRow(m_currentRow);
    const CZairyoTankaItem* item = m_file.GetItem(index);
    if (!item) return;
    const std::string question = kKindLooks[CurrentKind()].deleteBefore + item->m_name + masteredittext::kDeleteAfter;
    if (Host().MessageBox(question, masteredittext::kConfirmCaption, MsgButtons::YesNo, MsgIcon::Exclamation, 1) !=
        IDYES)
        return;
    m_file.RemoveItem(index);
    if (m_currentRow >= m_count) m_currentRow = std::max(1, m_currentRow - 1);
    SetModified();
    Fill();
}

void CZairyoTankaEditDlg::OnClear() {
    const auto block = ClampGridBlock(m_currentCol, m_currentRow, m_blockCol2, m_blockRow2, kRemarksCol, m_count);
    if (!block) return;
    for (int row = block->row1; row <= block->row2; ++row) {
        CZairyoTankaItem& item = *ItemOfRow(row);
        for (int col = block->col1; col <= block->col2; ++col) {
            switch (col) {
                case kNameCol: item.m_name.clear(); break;
                case kSpecCol: item.m_spec.clear(); break;
                case kUnitCol: item.m_unit.clear(); break;
                case kPriceCol: item.m_price = NoPrice(); break;
                case kRemarksCol: item.m_remarks.clear(); break;
            }
        }
    }
    // Fill selects the current cell; the cleared block stays the block.
    const int col2 = m_blockCol2, row2 = m_blockRow2;
    SetModified();
    Fill();
    m_blockCol2 = col2;
    m_blockRow2 = row2;
}

void CZairyoTankaEditDlg::MoveRow(int step) {
    const int target = m_currentRow + step;
    CZairyoTankaItem* item = ItemOfRow(m_currentRow);
    CZairyoTankaItem* neighbour = ItemOfRow(target);
    if (!item || !neighbour) return;
    std::swap(*item, *neighbour);
    m_currentRow = target;
    SetModified();
    Fill();
}

void CZairyoTankaEditDlg::OnMoveUp() { MoveRow(-1); }

void CZairyoTankaEditDlg::OnMoveDown() { MoveRow(+1); }

void CZairyoTankaEditDlg::OnSearch() {
    CZairyoTankaSearchDlg dialog(this);
    dialog.SetZairyoTankaFile(m_file);
    if (dialog.DoModal() != IDOK) return;
    const CZairyoTankaItem* item = m_file.FindItem(dialog.GetItemId());
    if (!item || !IsKind(item->m_kind)) return;
    const int tab = static_cast<int>(std::find(std::begin(kTabKinds), std::end(kTabKinds), item->m_kind) -
                                     std::begin(kTabKinds));
    m_tab = tab;
    {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(tab);
    }
    m_currentRow = m_file.FindItemIndexOfKind(item->m_id, item->m_kind) + 1;
    m_currentCol = kNameCol;
    Fill();
}

void CZairyoTankaEditDlg::OnOpen() {
    if (m_modified &&
        AfxMessageBox(masteredittext::kAskSaveZairyoTanka, MsgButtons::YesNo, MsgIcon::Exclamation) == IDYES) {
        // A save that fails keeps this file and its changes.
        if (!Save()) return;
        m_modified = 0;
    }
    std::string chosen;
    if (!Host().ChooseOpenFile(masteredittext::kChooseZairyoTankaTitle, masteredittext::kZairyoTankaFileFilter, m_path,
                               chosen))
        return;
    // A file that does not load leaves the file being edited as it was.
    if (!Load(chosen)) return;
    m_path = chosen;
    m_modified = 0;
    ShowCaption();
    Fill();
}
