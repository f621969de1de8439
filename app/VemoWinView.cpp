#include "app/VemoWinView.h"

#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QResizeEvent>
#include <QStyle>
#include <algorithm>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "dialogkit/Tx.h"
#include "estimate/CalcCodes.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "app/ViewTexts.h"
#include "estimate/SekisanData.h"
#include "master/MasterStore.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"
#include "platform/Rounding.h"
#include "platform/TextUtil.h"

using namespace vemo::view;

namespace {

QString OrNone(const std::string& s) { return s.empty() ? QString::fromUtf8(kNoHeaderText) : Tx(s); }

using calc::HasAnzenhiGyomu;

// Labels and header texts share the grid's font.
QFont ViewFont() {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(13);
    return font;
}

// The rows a record of the limits names as left without a price, in the unit-price notice; empty
// when it names none.
std::string UnitPriceNotice(const CSekisanData::CalcLimits& limits) {
    std::string rows;
    std::set<std::string> named;  // rows of one name are named once
    for (const auto& [code, rowNames] : limits.unitPriceRows) {
        for (const std::string& name : rowNames) {
            if (!named.insert(name).second) continue;
            if (!rows.empty()) rows += apptext::kCalcLimitsNameJoin;
            rows += name;
        }
    }
    return rows.empty() ? std::string() : vemo::FillText(apptext::kUnitPriceLimitNotice, {rows});
}

// Two notices in one message, a blank line between them.
std::string JoinNotices(std::string first, const std::string& second) {
    if (!first.empty() && !second.empty()) first += "\n\n";
    return first + second;
}

}  // namespace

CVemoWinView::CVemoWinView(CVemoWinApp& app, std::unique_ptr<CVemoWinDoc> doc, QWidget* parent)
    : QWidget(parent), m_app(app), m_doc(std::move(doc)) {
    setAutoFillBackground(true);
    setFont(ViewFont());
    m_kenmeiLabel = new QLabel(QString::fromUtf8(kKenmeiLabel), this);
    m_bashoLabel = new QLabel(QString::fromUtf8(kBashoLabel), this);
    m_kenmei = new QLabel(this);
    m_kenmei->setObjectName(QStringLiteral("kenmei"));
    m_basho = new QLabel(this);
    m_basho->setObjectName(QStringLiteral("basho"));
    for (QLabel* text : {m_kenmei, m_basho}) text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_grid = new CSpreadSheet(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->SetMaxCols(kColumnCount - 1);
    for (int col = 0; col < kColumnCount; ++col) m_grid->SetCellText(col, 0, QString::fromUtf8(kColumnTitles[col]));
    for (int col : {kColQuantity, kColUnitPrice, kColAmount}) m_grid->SetColKind(col, CSpreadSheet::CellKind::Number);
    m_grid->SetGridColor(kGridColour);
    // Columns take the widths the layout gives them; a column dragged too narrow snaps back.
    m_grid->horizontalHeader()->setMinimumSectionSize(8);
    // The cells only show the estimate: no editor opens in them. Names start black.
    m_grid->SetCellLocked(-1, -1, 1);
    m_grid->SetCellForeColor(kColName, -1, kTextColour);

    connect(m_grid, &CSpreadSheet::Click, this, &CVemoWinView::OnGridClick);
    connect(m_grid, &CSpreadSheet::DblClick, this, &CVemoWinView::OnGridDblClick);
    connect(m_grid, &CSpreadSheet::LeaveRow, this,
            [this](int, bool, bool, bool, int newRow, bool, bool&) { OnGridLeaveRow(newRow); });
    connect(m_grid, &CSpreadSheet::ColWidthChange, this, [this](int col, int) { OnGridColWidthChange(col); });
    connect(m_grid, &CSpreadSheet::KeyDown, this, [this](short& key, short) { OnGridKeyDown(key); });
    connect(m_grid, &CSpreadSheet::KeyUp, this, [this](short& key, short) { OnGridKeyUp(key); });
    connect(m_grid, &CSpreadSheet::RightClick, this,
            [this](short, int col, int row, int x, int y) { OnGridRightClick(col, row, x, y); });
    connect(m_doc.get(), &CVemoWinDoc::Changed, this, &CVemoWinView::UpdateTitle);
    UpdateTitle();
    RegisterCommands();
    RegisterSelectionCommands();
    RegisterSettingCommands();
    RegisterPrintCommands();
    RegisterGuidedEntryCommands();
    RegisterBukakeEditCommands();
}

CVemoWinView::~CVemoWinView() = default;

CSekisanData* CVemoWinView::GetSekisanData() const { return m_doc->Data().GetSekisanData(); }

CSekisanItemList* CVemoWinView::GetItemList() const { return m_doc->GetItemList(); }

void CVemoWinView::MarkModified(bool modified) { m_doc->SetModifiedFlag(modified); }

CSekisanItem* CVemoWinView::GetItemAt(int index) const {
    const CSekisanItemList* list = GetItemList();
    return list ? list->GetItem(index) : nullptr;
}

int CVemoWinView::GetCurrentLevel() const {
    if (GetItemList()->GetCount() == 0 || m_currentRow == -1) return -1;
    const CSekisanItem* item = GetItemAt(m_currentRow);
    return item ? item->GetLevel() : -1;
}

void CVemoWinView::SetCurrentRow(int row) {
    if (row == m_currentRow) return;
    m_currentRow = row;
    m_app.Commands().UpdateActions();
    // The message pane follows the current row of the estimate in front, however the row moved.
    const CVemoWinView* active = m_app.ActiveEstimateWindow();
    if (!active || active == this) ShowAnzenhiRate();
}

CBukakeFile& CVemoWinView::Bukake() const { return m_app.Store().GetBukakeFile(); }

CZairyoTankaFile& CVemoWinView::PricesInUse() const {
    if (CEstimateCalcContext* context = m_doc->CalcContext()) return context->ZairyoTanka();
    return m_app.Store().GetZairyoTankaFile();
}

void CVemoWinView::UpdateTitle() {
    QString title = m_doc->GetTitle();
    if (m_doc->IsModified()) title += QStringLiteral(" *");
    setWindowTitle(title);
    if (parentWidget()) parentWidget()->setWindowTitle(title);
}

// ---------------------------------------------------------------------------------------------
// Header and layout

QString CVemoWinView::KenmeiText() const { return m_kenmei->text(); }
QString CVemoWinView::BashoText() const { return m_basho->text(); }
void CVemoWinView::SetKenmeiText(const QString& text) { m_kenmei->setText(text); }
void CVemoWinView::SetBashoText(const QString& text) { m_basho->setText(text); }

void CVemoWinView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int textWidth = std::max(0, width() - kTextLeft);
    m_kenmeiLabel->setGeometry(4, 15, kTextLeft - 4, 20);
    m_kenmei->setGeometry(kTextLeft, 15, textWidth, 20);
    m_bashoLabel->setGeometry(4, 40, kTextLeft - 4, 20);
    m_basho->setGeometry(kTextLeft, 40, textWidth, 20);
    LayoutGrid();
}

void CVemoWinView::LayoutGrid() {
    m_grid->setGeometry(0, kGridTop, width(), std::max(0, height() - kGridTop));
    // The share of the width the settings give the grid, less room for the vertical scroll bar.
    int width = static_cast<int>(m_grid->width() * m_app.Settings().spWidthWari);
    width -= style()->pixelMetric(QStyle::PM_ScrollBarExtent) * 3 / 2;
    double sum = 0.0;
    for (double weight : m_weights) sum += weight;
    const bool redraw = m_grid->GetReDraw();
    m_grid->SetReDraw(false);
    for (int col = 0; col < kColumnCount; ++col)
        m_widths[static_cast<size_t>(col)] = m_weights[static_cast<size_t>(col)] / sum * width / 8.0;
    ApplyColumnWidths();
    m_grid->SetReDraw(redraw);
}

void CVemoWinView::ApplyColumnWidths() {
    std::array<double, kColumnCount> shown = m_widths;
    double spare = m_widths[kColName] / 2.0;
    // The grid keeps each column's widest figure, measuring only the rows written since last asked.
    for (const int col : {kColQuantity, kColUnitPrice, kColAmount}) {
        const double need = m_grid->GetColTextWidth(col);
        double& width = shown[static_cast<size_t>(col)];
        if (need <= width) continue;
        const double given = std::min(need - width, spare);
        shown[kColName] -= given;
        spare -= given;
        width = need;
    }
    for (int col = 0; col < kColumnCount; ++col) m_grid->SetColWidth(col, shown[static_cast<size_t>(col)]);
}

void CVemoWinView::ApplyColourDepth() {
    if (m_app.ScreenColorDepth() == 8) m_grid->SetGrayAreaColor(kLowColourGrayArea);
}

void CVemoWinView::RefreshHeader() {
    const CSekisanItemList* list = GetItemList();
    SetKenmeiText(OrNone(list->m_strKenmei));
    SetBashoText(OrNone(list->m_strKashoName));
    if (list->GetCount() == 0) OnNewEstimate();
    RefillGrid();
}

// ---------------------------------------------------------------------------------------------
// Activation: the estimate's material prices become the application's

void CVemoWinView::OnActivateView() {
    CMasterDataStore& store = m_app.Store();
    CSekisanItemList* list = GetItemList();
    const int column = list->m_nTankaColumn;
    if (!IsUnset(column)) {
        const auto& titles = store.GetTankaFile().m_columnTitles;
        ShowTankaSetName(column >= 0 && column < static_cast<int>(titles.size()) ? titles[static_cast<size_t>(column)]
                                                                                 : std::string());
    }
    if (list->m_strZairyoFile.empty()) return;

    const std::string named = list->m_strZairyoFile;
    const std::string inUse = store.GetZairyoTankaPath();
    const bool inUseAlready = vemo::SamePath(named, inUse);
    // The estimate takes the file in use in place of its own, which cannot be used.
    const auto takeInUse = [&] {
        ChangeMark mark(*this);
        list->m_strZairyoFile = inUse;
    };
    // The file is read again even when it is the one in use (another copy of the program may have
    // saved it since), into a fresh object: a file that cannot be used leaves the file in use with
    // its prices and lock, and the estimate takes that one. What does not open as a regular file
    // (a named pipe or a device in its place) counts as missing.
    std::string opens;
    CZairyoTankaFile loaded;
    const bool opened = vemo::ReadFileHead(named, 0, opens) == vemo::ReadResult::read;
    // A file that opens again is told again should it go.
    if (opened) m_app.VanishedZairyoFilesTold().erase(named);
    if (!opened) {
        if (inUseAlready) {
            // The file in use has gone: its prices stay in use, and the estimate still names it. It
            // is told once, not at every switch of the windows.
            if (m_app.VanishedZairyoFilesTold().insert(named).second)
                AfxMessageBox(MsgZairyoFileVanished(named), MsgButtons::Ok, MsgIcon::Exclamation);
        } else {
            takeInUse();
            AfxMessageBox(MsgZairyoFileMissing(named, inUse), MsgButtons::Ok, MsgIcon::Exclamation);
        }
    } else if (!store.SerializeZairyoTankaFile(0, &loaded, named)) {
        // The load has said why; a file in use keeps the prices read before.
        if (!inUseAlready) {
            takeInUse();
            const std::string programWide = m_app.GetPreviousZairyoTankaPath();
            const bool usingProgramWide = programWide.empty() || vemo::SamePath(programWide, inUse);
            AfxMessageBox(usingProgramWide ? MsgZairyoFileUnreadable(named) : MsgZairyoFileUnreadable(named, inUse),
                          MsgButtons::Ok, MsgIcon::Exclamation);
        }
    } else {
        if (!inUseAlready) {
            store.LockZairyoTankaFile(0, 1);
            if (m_app.GetPreviousZairyoTankaPath().empty()) m_app.SetPreviousZairyoTankaPath(inUse);
            store.SetZairyoTankaPath(named);
        }
        store.GetZairyoTankaFile() = std::move(loaded);
        // Another program holding the file keeps it; this is told when its editor saves. The file
        // in use is held already.
        if (!inUseAlready) store.LockZairyoTankaFile(1, 1);
    }
    if (CEstimateCalcContext* context = m_doc->CalcContext()) context->ZairyoTanka() = store.GetZairyoTankaFile();
    ShowZairyoName(store.GetZairyoTankaFile().m_title);
}

// ---------------------------------------------------------------------------------------------
// Grid contents

int CVemoWinView::Recalculate(int gyomu) { return GetSekisanData()->Recalculate(gyomu); }

void CVemoWinView::RecalculateAll() {
    Recalculate(calc::kAllGyomu);
    TellCalcLimits();
}

void CVemoWinView::TellCalcLimits() { TellCalcLimits(GetSekisanData()->GetCalcLimits()); }

void CVemoWinView::TellCalcLimits(const CSekisanData::CalcLimits& limits) {
    if (!limits.Any()) return;
    // The 業務 whose amounts went past a limit by the names of their rows, then the total; then the
    // rows left without a price, by their own names: one notice.
    const CSekisanItemList& list = *GetItemList();
    const std::set<int> gyomu = limits.AmountGyomu();
    std::vector<int> codes(gyomu.begin(), gyomu.end());
    if (limits.totalCapped) codes.push_back(calc::Gyomu::ItakuryoKei);
    std::string names;
    for (int code : codes) {
        const CSekisanItem* row = list.GetItem(list.FindGyomu(code));
        if (!names.empty()) names += apptext::kCalcLimitsNameJoin;
        names += row ? row->m_strNameUpper : std::string();
    }
    const std::string amounts = codes.empty() ? std::string() : vemo::FillText(apptext::kCalcLimitsNotice, {names});
    AfxMessageBox(JoinNotices(amounts, UnitPriceNotice(limits)), MsgButtons::Ok, MsgIcon::Exclamation);
}

void CVemoWinView::CheckOpenedLimits() {
    GetSekisanData()->CheckLimits();
    TellCalcLimits();
}

CVemoWinView::Input::Input(CVemoWinView& view)
    : m_view(view), m_rows(*view.GetSekisanData()), m_modified(view.m_doc->IsModified()) {}

CVemoWinView::Input::~Input() {
    if (!m_open) return;
    const bool changed = m_rows.Changed();
    m_rows.Cancel();
    m_view.MarkModified(m_modified);
    if (changed) m_view.RefillGrid();
}

bool CVemoWinView::Input::Commit(int gyomu, int index) {
    const CSekisanData::InputResult result = m_rows.Commit(gyomu);
    m_open = false;
    if (result == CSekisanData::InputResult::Taken) {
        // Steps of the input may have marked the estimate already; what counts is whether it changed.
        m_view.MarkModified(m_modified || m_rows.Changed());
        return true;
    }
    m_view.MarkModified(m_modified);
    m_view.RefillGrid();
    // The amounts past their limits by the row typed into; the rows the input left without a price
    // by their own names.
    const CSekisanData::CalcLimits& past = m_rows.Past();
    const CSekisanItem* row = m_view.GetItemAt(index);
    const std::string amounts =
        past.totalCapped || !past.AmountGyomu().empty()
            ? vemo::FillText(apptext::kInputPastLimit, {row ? row->m_strNameUpper : std::string()})
            : std::string();
    AfxMessageBox(JoinNotices(amounts, UnitPriceNotice(past)), MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

CVemoWinView::ChangeMark::ChangeMark(CVemoWinView& view) : m_view(view), m_stored(*view.GetItemList()) {}

CVemoWinView::ChangeMark::~ChangeMark() {
    if (m_stored.Differ(*m_view.GetItemList())) m_view.MarkModified();
}

// The 歩掛 background of rows, with the 工種 entry of the row before kept: rows come in 工種 runs.
class CVemoWinView::BackgroundLookup {
public:
    explicit BackgroundLookup(const CBukakeFile& bukake) : m_bukake(bukake) {}

    // The conventional estimation method (the 歩掛 master's, or its 工種's or 種別's) shows on the
    // row's background; rows of no level, and every row of a master whose flag is neither 0 nor 1,
    // keep theirs.
    COLORREF Of(const CSekisanItem& item) {
        const int level = item.GetLevel();
        if (level < 0 || level > 2 || (m_bukake.m_splitFlag != 0 && m_bukake.m_splitFlag != 1)) return kNoBackground;
        bool conventional = false;
        if (m_bukake.m_splitFlag == 1) {
            conventional = true;
        } else if (level == 1) {
            const CBukakeKoshu* koshu = Koshu(item);
            conventional = koshu && koshu->m_splitFlag == 1;
        } else if (level == 2) {
            const CBukakeKoshu* koshu = Koshu(item);
            const CBukakeShubetsu* shubetsu = koshu ? koshu->FindShubetsu(item.m_nShubetsu) : nullptr;
            conventional = shubetsu && shubetsu->m_conventional == 1;
        }
        return conventional ? kConventionalBack : kRowBack;
    }

private:
    const CBukakeKoshu* Koshu(const CSekisanItem& item) {
        if (!m_known || item.m_nGyomu != m_gyomu || item.m_nKoshu != m_koshuCode) {
            m_gyomu = item.m_nGyomu;
            m_koshuCode = item.m_nKoshu;
            m_koshu = m_bukake.FindKoshu(m_gyomu, m_koshuCode);
            m_known = true;
        }
        return m_koshu;
    }

    const CBukakeFile& m_bukake;
    bool m_known = false;
    int32_t m_gyomu = 0, m_koshuCode = 0;
    const CBukakeKoshu* m_koshu = nullptr;
};

bool CVemoWinView::RenderedRow::Shows(const CSekisanItem& item, COLORREF background) const {
    return level == item.GetLevel() && back == background && quantity == item.m_nQuantity &&
           unitPrice == item.m_nUnitPrice && amount == item.m_nAmount && summary == item.m_bSummary &&
           nameUpper == item.m_strNameUpper && nameLower == item.m_strNameLower && unit == item.m_strUnit &&
           remarkUpper == item.m_strRemarkUpper && remarkLower == item.m_strRemarkLower;
}

void CVemoWinView::RefillGrid() {
    const CSekisanItemList* list = GetItemList();
    const int count = list->GetCount();
    const bool redraw = m_grid->GetReDraw();
    m_grid->SetReDraw(false);
    m_grid->SetMaxRows(count);
    m_rendered.resize(static_cast<size_t>(count));
    int current = count == 0 ? -1 : (m_currentRow == -1 ? 0 : m_currentRow);
    BackgroundLookup backgrounds(Bukake());
    for (int i = 0; i < count; ++i) {
        const CSekisanItem* item = list->GetItem(i);
        if (!item) continue;
        const int row = i + 1;
        const COLORREF back = backgrounds.Of(*item);
        RenderedRow& rendered = m_rendered[static_cast<size_t>(i)];
        // A row that still shows what it was rendered from stays as it is.
        if (rendered.revision == m_grid->GetRowRevision(row) && rendered.Shows(*item, back)) continue;
        // Names start black (rows of no level keep that) and the texts are cleared before the row
        // is rendered.
        m_grid->SetCellForeColor(kColName, row, kTextColour);
        m_grid->SetCol(-1);
        m_grid->SetCol2(-1);
        m_grid->SetRow(row);
        m_grid->SetRow2(row);
        m_grid->SetBlockMode(true);
        m_grid->SetAction(CSpreadSheet::kActionClearText);
        m_grid->SetBlockMode(false);
        RenderRow(row, *item, back);
        rendered = RenderedRow{m_grid->GetRowRevision(row), item->GetLevel(), back, item->m_nQuantity,
                               item->m_nUnitPrice, item->m_nAmount, item->m_bSummary, item->m_strNameUpper,
                               item->m_strNameLower, item->m_strUnit, item->m_strRemarkUpper, item->m_strRemarkLower};
    }
    if (current >= count) current = count - 1;
    ApplyColumnWidths();
    m_grid->SetReDraw(redraw);
    m_currentRow = current;
    m_app.Commands().UpdateActions();
}

void CVemoWinView::RenderRow(int gridRow, const CSekisanItem& item) {
    RenderRow(gridRow, item, BackgroundLookup(Bukake()).Of(item));
}

void CVemoWinView::RenderRow(int gridRow, const CSekisanItem& item, COLORREF background) {
    const bool redraw = m_grid->GetReDraw();
    m_grid->SetReDraw(false);
    const int level = item.GetLevel();
    if (level >= 0 && level <= 2) {
        static constexpr COLORREF kNameColours[] = {kGyomuNameColour, kKoshuNameColour, kTextColour};
        m_grid->SetCellForeColor(kColName, gridRow, kNameColours[level]);
    }
    if (background != kNoBackground) m_grid->SetCellBackColor(-1, gridRow, background);

    std::string upper = item.m_strNameUpper, lower = item.m_strNameLower;
    if (level == 1) {
        upper.insert(0, 2, ' ');
        lower.insert(0, 4, ' ');
    } else if (level == 2) {
        upper.insert(0, 4, ' ');
        lower.insert(0, 6, ' ');
    }
    m_grid->SetCellText(kColName, gridRow, Tx(upper + "\n" + lower));
    if (!item.m_strUnit.empty()) m_grid->SetCellText(kColUnit, gridRow, Tx(item.m_strUnit));
    if (!IsUnset(item.m_nQuantity)) m_grid->SetCellDouble(kColQuantity, gridRow, item.m_nQuantity / 1000.0);
    if (!IsUnset(item.m_nUnitPrice)) m_grid->SetCellDouble(kColUnitPrice, gridRow, item.m_nUnitPrice / 10.0);
    if (!IsUnset(item.m_nAmount)) {
        COLORREF colour = kTextColour;
        if (item.m_bSummary == 1) colour = kSummaryAmountColour;
        if (item.m_nAmount < 0) colour = kNegativeAmountColour;
        m_grid->SetCellForeColor(kColAmount, gridRow, colour);
        m_grid->SetCellInt(kColAmount, gridRow, item.m_nAmount);
    }
    m_grid->SetCellText(kColRemark, gridRow, Tx(item.m_strRemarkUpper + "\n" + item.m_strRemarkLower));
    m_grid->SetReDraw(redraw);
}

void CVemoWinView::SelectRow(int gridRow) {
    m_grid->SelectCell(kColName, gridRow);
    SetCurrentRow(gridRow - 1);
}

int CVemoWinView::ActivateRow(int& out) {
    out = -1;
    return OnRowActivation(out);
}

// ---------------------------------------------------------------------------------------------
// Status panes

void CVemoWinView::ShowTankaSetName(const std::string& text) { Host().SetStatusPane(2, text); }
void CVemoWinView::ShowZairyoName(const std::string& text) { Host().SetStatusPane(3, text); }
void CVemoWinView::ShowMessage(const std::string& text) { Host().SetStatusPane(0, text); }

void CVemoWinView::ShowAnzenhiRate() {
    const CSekisanItem* item = GetItemAt(m_currentRow);
    if (!item || IsUnset(item->m_nShubetsu) || !HasAnzenhiGyomu(item->m_nGyomu)) {
        ShowMessage(std::string());
        return;
    }
    // The 安全費 rate is kept ×10000 (a hundredth of a percent).
    const int rate = item->m_nExtraRate;
    ShowMessage(rate < 1 ? std::string(kAnzenhiNone)
                         : kAnzenhiRatePrefix + NumToStr(rate / 100.0, 0.01) + kPercentUnit);
}

// ---------------------------------------------------------------------------------------------
// 参考金額

int CVemoWinView::CalcSankoKingaku(const CBukakeDetail& detail, const CZairyoTankaFile& zairyo, int& amount,
                                   int& amount95) {
    const CSekisanItem* item = GetItemAt(m_currentRow);
    if (!item) return 0;
    CBukakeGyomu* gyomu = Bukake().FindGyomu(item->m_nGyomu);
    CBukakeKoshu* koshu = gyomu ? gyomu->FindKoshu(item->m_nKoshu) : nullptr;
    CBukakeShubetsu* shubetsu = koshu ? koshu->FindShubetsu(item->m_nShubetsu) : nullptr;
    if (!shubetsu) return 0;

    // A copy of the estimate is priced with the detail and the prices swapped in, which are put
    // back however the pricing ends; the estimate itself is not priced. The current row of the copy
    // is held by its node: the pricing may add rows before it.
    CSekisanData::PricedCopy copy;
    {
        struct SwappedIn {
            CBukakeDetail& detail;
            CZairyoTankaFile& prices;
            CBukakeDetail keptDetail;
            CZairyoTankaFile keptPrices;
            ~SwappedIn() {
                detail = std::move(keptDetail);
                prices = std::move(keptPrices);
            }
        } swapped{shubetsu->GetDetail(), PricesInUse(), shubetsu->GetDetail(), PricesInUse()};
        swapped.detail = CBukakeDetail(detail);
        swapped.prices = CZairyoTankaFile(zairyo);
        copy = GetSekisanData()->PriceCopy(CSekisanData::CopyTells::MissingPrice, m_currentRow);
    }
    if (!copy.followed) return 0;

    const CSekisanData::CalcLimits& limits = copy.data->GetCalcLimits();
    if (limits.totalCapped || limits.Gyomu().count(item->m_nGyomu) != 0) {
        TellCalcLimits(limits);
        return 0;
    }
    amount = copy.followed->m_nAmount;
    if (const CSekisanItem* total = GyomuTotalRow(*copy.data->GetItemList(), item->m_nGyomu))
        amount95 = total->m_nAmount;
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Grid events

void CVemoWinView::OnGridClick(int, int row) {
    if (row >= 1) {
        SetCurrentRow(row - 1);
        int out;
        ActivateRow(out);
    }
    ShowAnzenhiRate();
}

void CVemoWinView::OnGridDblClick(int, int row) {
    if (row < 1) return;
    SetCurrentRow(row - 1);
    int out;
    ActivateRow(out);
}

void CVemoWinView::OnGridLeaveRow(int newRow) {
    const int index = newRow - 1;
    SetCurrentRow(index >= 0 && index < GetItemList()->GetCount() ? index : -1);
    ShowAnzenhiRate();
}

void CVemoWinView::OnGridColWidthChange(int col) {
    if (col < 0 || col >= kColumnCount) return;
    const double width = m_grid->GetColWidth(col);
    if (width >= 5.0) {
        m_weights[static_cast<size_t>(col)] = width;
        m_widths[static_cast<size_t>(col)] = width;
    } else {
        ApplyColumnWidths();
    }
}

void CVemoWinView::OnGridKeyDown(short key) {
    if (key == 13 && HasCurrentRow()) OnEnterKey();
}

void CVemoWinView::OnGridKeyUp(short key) {
    if ((key == 0x26 || key == 0x28) && HasCurrentRow()) {
        int out;
        ActivateRow(out);
    }
}

QMenu* CVemoWinView::BuildPopupMenu(int col, QWidget* parent) {
    std::vector<int> removed;
    switch (col) {
        case kColName: removed = {cmd::Tani, cmd::Suryo, cmd::Kingaku}; break;
        case kColUnit: removed = {cmd::NameEdit, cmd::Suryo, cmd::Kingaku}; break;
        case kColQuantity: removed = {cmd::NameEdit, cmd::Tani, cmd::Kingaku}; break;
        case kColUnitPrice: return nullptr;
        case kColAmount: removed = {cmd::NameEdit, cmd::Tani, cmd::Suryo}; break;
        case kColRemark: removed = {cmd::NameEdit, cmd::Tani, cmd::Suryo, cmd::Kingaku}; break;
        default: break;
    }
    return ::BuildPopupMenu(kViewPopup, m_app.Commands(), parent, [removed](int id) {
        return std::find(removed.begin(), removed.end(), id) == removed.end();
    });
}

void CVemoWinView::OnGridRightClick(int col, int row, int x, int y) {
    if (row < 1 || col == kColUnitPrice) return;
    if (row - 1 != m_currentRow) {
        SelectRow(row);
        ShowAnzenhiRate();
    }
    QMenu* menu = BuildPopupMenu(col, window());
    if (!menu) return;
    const QPoint at = x == -1 && y == -1 ? mapToGlobal(QPoint(5, 5)) : QCursor::pos();
    ExecPopup(*menu, at);
    menu->deleteLater();
}

void CVemoWinView::ExecPopup(QMenu& menu, const QPoint& at) { menu.exec(at); }
