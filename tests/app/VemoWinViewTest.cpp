// Tests of app/VemoWinView.h.
#include <gtest/gtest.h>

#include <filesystem>

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

#include "AppTestEnvironment.h"
#include "EstimateBuilders.h"
#include "EventWait.h"
#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "ScriptedView.h"
#include "TempFolder.h"
#include "UnstartedViewTest.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/ShellWindows.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "app/VemoWinView.h"
#include "app/ViewTexts.h"
#include "dialogkit/Tx.h"
#include "estimate/VemoWinDocData.h"
#include "master/MasterFile.h"
#include "platform/FileUtil.h"

using namespace masterbuild;
using estimate_test::ItemListBuilder;

namespace {

// A view of an estimate built in code, priced by an application that has not started: its store's
// masters are filled by the test.
class ViewTest : public UnstartedAppView<ScriptedView> {
protected:
    void SetUp() override {
        UnstartedAppView::SetUp();
        CBukakeFile& bukake = app->Store().GetBukakeFile();
        CBukakeGyomu& design = AddGyomu(bukake, 2, "設計業務");
        CBukakeKoshu& newMethod = AddKoshu(design, 300, "詳細設計", 0);
        AddShubetsu(newMethod, 1, "一般");
        AddShubetsu(newMethod, 2, "従来").m_conventional = 1;
        AddKoshu(design, 301, "概略設計", 1);
        MakeView();
        ShowView();
    }

    ItemListBuilder Build() { return ItemListBuilder(List()); }
    QPoint CellCentre(int col, int row) { return Grid().visualRect(Grid().model()->index(row - 1, col - 1)).center(); }
    std::string Pane(int pane) {
        auto it = host->panes.find(pane);
        return it == host->panes.end() || it->second.empty() ? "(none)" : it->second.back();
    }
};

// ---------------------------------------------------------------------------------------------
// Row rendering

TEST_F(ViewTest, EachColumnShowsItsTextForEveryLevel) {
    struct Case {
        const char* what;
        std::function<void(ItemListBuilder&)> build;
        std::array<const char*, 6> columns;  // columns 1 to 6
    };
    const Case cases[] = {
        {"業務 row with only its name", [](ItemListBuilder& b) { b.Gyomu(2, "設計業務"); },
         {"設計業務\n", "", "", "", "", "\n"}},
        {"工種 row indented by 2 and 4",
         [](ItemListBuilder& b) {
             b.Gyomu(2).Koshu(300, "詳細設計").Quantity(1000).UnitPrice(1234567).Amount(123456).Set([](CSekisanItem& i) {
                 i.m_strNameLower = "（橋梁）";
                 i.m_strUnit = "式";
                 i.m_strRemarkUpper = "上段";
                 i.m_strRemarkLower = "下段";
             });
         },
         {"  詳細設計\n    （橋梁）", "式", "1.0000", "123456.7000", "123456", "上段\n下段"}},
        {"種別 row indented by 4 and 6",
         [](ItemListBuilder& b) {
             b.Gyomu(2).Koshu(300).Shubetsu(1, "一般").Quantity(2500).UnitPrice(5).Amount(-30).Set(
                 [](CSekisanItem& i) {
                     i.m_strNameLower = "A";
                     i.m_strUnit = "m";
                 });
         },
         {"    一般\n      A", "m", "2.5000", "0.5000", "-30", "\n"}},
        {"row of no level as it is",
         [](ItemListBuilder& b) { b.Node(estimate_test::MakeItem(kUnset, 7, kUnset, "孤")).Amount(0); },
         {"孤\n", "", "", "", "0", "\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        List().RemoveAll();
        ItemListBuilder b(List());
        c.build(b);
        view->RefillGrid();
        const int row = List().GetCount();
        ASSERT_EQ(Grid().GetMaxRows(), row);
        for (int col = 1; col <= 6; ++col)
            EXPECT_EQ(Grid().GetCellText(col, row), Tx(c.columns[static_cast<size_t>(col - 1)])) << "column " << col;
        EXPECT_EQ(Grid().rowHeight(row - 1), Grid().TwoLineRowHeight());
    }
}

TEST_F(ViewTest, ColoursByLevelAmountAndTheMethodFlags) {
    struct Case {
        const char* what;
        int masterFlag;
        std::function<void(ItemListBuilder&)> build;
        COLORREF name, back, amount;
    };
    const COLORREF white = 0xFFFFFF, black = 0x000000, green = 0x008000, blue = 0xA20000, red = 0x0000FF;
    const COLORREF yellow = 0xCCFFFF, orange = 0x80C0FF;
    const Case cases[] = {
        {"業務 row", 0, [](ItemListBuilder& b) { b.Gyomu(2).Amount(1); }, green, yellow, black},
        {"工種 row of the new method", 0, [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Amount(1); }, blue, yellow,
         black},
        {"工種 row of the conventional method", 0, [](ItemListBuilder& b) { b.Gyomu(2).Koshu(301).Amount(1); }, blue,
         orange, black},
        {"工種 row missing from the 歩掛", 0, [](ItemListBuilder& b) { b.Gyomu(2).Koshu(999).Amount(1); }, blue,
         yellow, black},
        {"種別 row of the new method", 0, [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Shubetsu(1).Amount(1); },
         black, yellow, black},
        {"種別 row of the conventional method", 0,
         [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Shubetsu(2).Amount(1); }, black, orange, black},
        {"conventional 歩掛 master", 1, [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Shubetsu(1).Amount(1); },
         black, orange, black},
        {"業務 row of a conventional master", 1, [](ItemListBuilder& b) { b.Gyomu(2).Amount(1); }, green, orange,
         black},
        {"工種計 amount", 0, [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Amount(500).Set([](CSekisanItem& i) {
             i.m_bSummary = 1; }); },
         blue, yellow, green},
        {"negative 工種計 amount", 0,
         [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Amount(-500).Set([](CSekisanItem& i) { i.m_bSummary = 1; }); },
         blue, yellow, red},
        {"negative amount", 0, [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Amount(-1); }, blue, yellow, red},
        {"row of no level", 0, [](ItemListBuilder& b) { b.Node(estimate_test::MakeItem(kUnset, 7)).Amount(1); },
         black, white, black},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // A fresh view each time: rows of no level keep the colours a row had before.
        view = std::make_unique<ScriptedView>(*app, std::make_unique<CVemoWinDoc>());
        app->Store().GetBukakeFile().m_splitFlag = c.masterFlag;
        ItemListBuilder b(List());
        c.build(b);
        view->RefillGrid();
        const int row = List().GetCount();
        Grid().SetRow(row);
        Grid().SetCol(1);
        EXPECT_EQ(Grid().GetForeColor(), c.name);
        for (int col = 1; col <= 6; ++col) {
            Grid().SetCol(col);
            EXPECT_EQ(Grid().GetBackColor(), c.back) << "column " << col;
        }
        Grid().SetCol(5);
        EXPECT_EQ(Grid().GetForeColor(), c.amount);
    }
}

// A refill renders again the rows whose item or 歩掛 background changed, and rows other code wrote
// into; the others keep what they show untouched.
TEST_F(ViewTest, ARefillRendersAgainTheRowsThatChangedAndLeavesTheOthers) {
    std::vector<CSekisanItem*> items(5);
    Build()
        .Gyomu(2, "設計業務")
        .Set([&](CSekisanItem& i) { items[0] = &i; })
        .Koshu(300, "詳細設計")
        .Set([&](CSekisanItem& i) { items[1] = &i; })
        .Shubetsu(1, "一般")
        .Quantity(1000)
        .Amount(100)
        .Set([&](CSekisanItem& i) { items[2] = &i; })
        .Shubetsu(2, "従来")
        .Amount(200)
        .Set([&](CSekisanItem& i) { items[3] = &i; })
        .Koshu(301, "概略設計")
        .Set([&](CSekisanItem& i) { items[4] = &i; });
    view->RefillGrid();
    const COLORREF yellow = 0xCCFFFF, orange = 0x80C0FF;
    CBukakeShubetsu* general = app->Store().GetBukakeFile().FindShubetsu(2, 300, 1);
    ASSERT_NE(general, nullptr);
    auto back = [this](int row) {
        Grid().SetRow(row);
        Grid().SetCol(4);
        return Grid().GetBackColor();
    };
    struct Case {
        const char* what;
        std::function<void()> change;
        std::vector<int> rendered;  // grid rows rendered again
        std::function<void()> check;
    } const cases[] = {
        {"nothing changed", [] {}, {}, [] {}},
        {"a quantity", [&] { items[2]->m_nQuantity = 2500; }, {3},
         [&] { EXPECT_EQ(Grid().GetCellText(3, 3), Tx("2.5000")); }},
        {"a 摘要 and an amount", [&] {
             items[3]->m_strRemarkUpper = "注";
             items[4]->m_nAmount = -5;
         }, {4, 5},
         [&] {
             EXPECT_EQ(Grid().GetCellText(6, 4), Tx("注\n"));
             EXPECT_EQ(Grid().GetCellText(5, 5), Tx("-5"));
         }},
        {"a quantity taken away", [&] { items[2]->m_nQuantity = kUnset; }, {3},
         [&] { EXPECT_EQ(Grid().GetCellText(3, 3), Tx("")); }},
        {"the 種別's method in the 歩掛", [&] { general->m_conventional = 1; }, {3},
         [&] { EXPECT_EQ(back(3), orange); }},
        {"a row painted by other code", [&] { Grid().SetCellBackColor(-1, 2, 0x80FFFF); }, {2},
         [&] { EXPECT_EQ(back(2), yellow); }},
        {"a cell written by other code", [&] { Grid().SetCellText(2, 1, Tx("式")); }, {1},
         [&] { EXPECT_EQ(Grid().GetCellText(2, 1), Tx("")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::uint32_t> before;
        for (int row = 1; row <= 5; ++row) before.push_back(Grid().GetRowRevision(row));
        c.change();
        view->RefillGrid();
        c.check();
        for (int row = 1; row <= 5; ++row) {
            const bool rendered = std::find(c.rendered.begin(), c.rendered.end(), row) != c.rendered.end();
            EXPECT_EQ(Grid().GetRowRevision(row) != before[static_cast<size_t>(row - 1)], rendered) << "row " << row;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Current row

TEST_F(ViewTest, RefillKeepsTheCurrentRowWithinTheList) {
    struct Case {
        int before;   // items at the first refill
        int current;  // the row made current then (−1: none chosen)
        int after;    // items at the second refill
        int expected;
    };
    const Case cases[] = {{0, -1, 0, -1}, {0, -1, 3, 0}, {5, 4, 2, 1}, {5, 1, 3, 1}, {3, 2, 0, -1}};
    auto fill = [this](int count) {
        List().RemoveAll();
        ItemListBuilder b(List());
        if (count > 0) b.Gyomu(2);
        for (int i = 1; i < count; ++i) b.Koshu(300 + i);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.before << " items, current " << c.current << ", then " << c.after);
        view = std::make_unique<ScriptedView>(*app, std::make_unique<CVemoWinDoc>());
        EXPECT_EQ(view->GetCurrentRow(), -1);
        fill(c.before);
        view->RefillGrid();
        EXPECT_EQ(view->GetCurrentRow(), c.before == 0 ? -1 : 0);
        if (c.current >= 0) view->SelectRow(c.current + 1);
        fill(c.after);
        view->RefillGrid();
        EXPECT_EQ(view->GetCurrentRow(), c.expected);
        EXPECT_EQ(view->HasCurrentRow(), c.expected != -1 ? 1 : 0);
        EXPECT_EQ(Grid().GetMaxRows(), c.after);
    }
}

TEST_F(ViewTest, LeavingARowMakesTheNewOneCurrentOrNoneOutsideTheList) {
    Build().Gyomu(2).Koshu(300).Shubetsu(1);
    view->RefillGrid();
    const struct {
        int newRow;
        int current;
    } cases[] = {{1, 0}, {3, 2}, {4, -1}, {9, -1}, {0, -1}, {2, 1}};
    for (const auto& c : cases) {
        bool cancel = false;
        emit Grid().LeaveRow(1, false, false, false, c.newRow, false, cancel);
        EXPECT_FALSE(cancel);
        EXPECT_EQ(view->GetCurrentRow(), c.current) << "new row " << c.newRow;
    }
}

TEST_F(ViewTest, ClicksMoveTheCurrentRowRunTheActivationAndShowThe安全費Rate) {
    Build()
        .Gyomu(2)
        .Koshu(300)
        .Shubetsu(1)
        .Set([](CSekisanItem& i) { i.m_nExtraRate = 1350; })
        .Shubetsu(2)
        .Set([](CSekisanItem& i) { i.m_nExtraRate = 0; })
        .Gyomu(3)
        .Koshu(10)
        .Shubetsu(1)
        .Set([](CSekisanItem& i) { i.m_nExtraRate = 1350; });
    view->RefillGrid();
    std::vector<int> activated;
    view->activateRow = [this, &activated](int& out) {
        activated.push_back(view->GetCurrentRow());
        EXPECT_EQ(out, -1);
        return 0;
    };
    const struct {
        int row;
        int level;
        const char* pane0;
    } cases[] = {
        {3, 2, "安全費率 13.50％"}, {4, 2, "安全費無し "}, {2, 1, ""}, {7, 2, ""}, {1, 0, ""}, {3, 2, "安全費率 13.50％"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(3, c.row));
        EXPECT_EQ(view->GetCurrentRow(), c.row - 1);
        EXPECT_EQ(view->GetCurrentLevel(), c.level);
        EXPECT_EQ(Pane(0), c.pane0);
        ASSERT_FALSE(activated.empty());
        EXPECT_EQ(activated.back(), c.row - 1);
    }
    EXPECT_EQ(activated.size(), std::size(cases));
    // A double-click activates the row once more; an arrow key activates the row it reaches.
    QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(3, 3));
    EXPECT_GT(activated.size(), std::size(cases));
    EXPECT_EQ(activated.back(), 2);
    QTest::keyClick(&Grid(), Qt::Key_Down);
    EXPECT_EQ(view->GetCurrentRow(), 3);
    EXPECT_EQ(activated.back(), 3);
    EXPECT_EQ(Pane(0), "安全費無し ");
    // The cells open no editor.
    EXPECT_FALSE(Grid().GetEditMode());
}

// ---------------------------------------------------------------------------------------------
// Layout

TEST_F(ViewTest, LayoutSharesTheGridWidthByTheWeights) {
    const double weights[] = {3, 42, 5, 8, 13, 13, 16};
    const int reserved = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent) * 3 / 2;
    for (double share : {1.0, 0.8, 1.25}) {
        SCOPED_TRACE(share);
        app->Settings().spWidthWari = share;
        view->LayoutGrid();
        EXPECT_EQ(Grid().geometry(), QRect(0, 65, view->width(), view->height() - 65));
        const int width = static_cast<int>(Grid().width() * share) - reserved;
        for (int col = 0; col < 7; ++col)
            EXPECT_NEAR(Grid().GetColWidth(col), weights[col] / 100.0 * width / 8.0, 1.0 / 16) << "column " << col;
    }
    // A resize lays the grid out again.
    app->Settings().spWidthWari = 1.0;
    view->resize(700, 400);
    EXPECT_EQ(Grid().geometry(), QRect(0, 65, 700, 335));
    EXPECT_NEAR(Grid().GetColWidth(1), 42 / 100.0 * (700 - reserved) / 8.0, 1.0 / 16);
}

TEST_F(ViewTest, ANarrowColumnSnapsBackAndAWideOneBecomesItsWeight) {
    view->LayoutGrid();
    const double laidOut = Grid().GetColWidth(2);
    ASSERT_GT(laidOut, 5.0);
    Grid().SetColWidth(2, 4.5);
    emit Grid().ColWidthChange(2, 2);
    EXPECT_DOUBLE_EQ(Grid().GetColWidth(2), laidOut);
    EXPECT_EQ(view->ColumnWeight(2), 5);

    Grid().SetColWidth(2, 20.0);
    emit Grid().ColWidthChange(2, 2);
    EXPECT_DOUBLE_EQ(Grid().GetColWidth(2), 20.0);
    EXPECT_EQ(view->ColumnWeight(2), 20.0);
    // The next narrow drag goes back to the width the user gave.
    Grid().SetColWidth(2, 2.0);
    emit Grid().ColWidthChange(2, 2);
    EXPECT_DOUBLE_EQ(Grid().GetColWidth(2), 20.0);
}

TEST_F(ViewTest, AFigureWiderThanItsColumnsShareWidensTheColumnAtTheNameColumnsExpense) {
    // A 種別 price of 131,942,300 tenths of a yen reads "13194230.0000" (13,194,230.0 yen, four
    // decimals): 13 characters, more than the 単価 column's 13 % of a 600-pixel view holds.
    const int reserved = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent) * 3 / 2;
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
    const int need = QFontMetrics(Grid().font()).horizontalAdvance(Tx("13194230.0000")) + 2 * margin;
    CSekisanItem* row = nullptr;
    Build().Gyomu(2).Koshu(300).Shubetsu(1, "一般").UnitPrice(131'942'300).Amount(4'617'980).Set(
        [&row](CSekisanItem& i) { row = &i; });
    for (int viewWidth : {600, 300}) {
        SCOPED_TRACE(viewWidth);
        view->resize(viewWidth, 400);
        view->RefillGrid();
        const double width = Grid().width() - reserved;
        const double nameShare = 42 / 100.0 * width, priceShare = 13 / 100.0 * width;
        ASSERT_LT(priceShare, need);
        EXPECT_EQ(Grid().GetCellText(4, 3), Tx("13194230.0000"));
        EXPECT_GE(Grid().columnWidth(3), need);
        // The name column gives up what the price column took, but never more than half of itself.
        const double taken = Grid().columnWidth(3) - priceShare;
        EXPECT_NEAR(Grid().columnWidth(0), std::max(nameShare - taken, nameShare / 2), 2.0);
    }
    // A price that fits again gives both columns back their shares.
    row->m_nUnitPrice = 5;
    view->resize(600, 400);
    view->RefillGrid();
    EXPECT_NEAR(Grid().columnWidth(3), 13 / 100.0 * (Grid().width() - reserved), 1.0);
    EXPECT_NEAR(Grid().columnWidth(0), 42 / 100.0 * (Grid().width() - reserved), 1.0);
}

// ---------------------------------------------------------------------------------------------
// Popup menu

std::vector<int> MenuIds(const QMenu& menu, CCommandRegistry& registry) {
    const int known[] = {cmd::NameEdit, cmd::Tani,           cmd::Suryo,         cmd::Kingaku,
                         cmd::TekiyoEdit, cmd::DaikaPrintPreview, cmd::RowBukakeEdit, cmd::EditClear};
    std::vector<int> ids;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            ids.push_back(0);
            continue;
        }
        int id = action->data().isValid() ? action->data().toInt() : -1;
        for (int k : known)
            if (registry.Action(k) == action) id = k;
        ids.push_back(id);
        EXPECT_FALSE(action->isEnabled()) << id;
    }
    return ids;
}

TEST_F(ViewTest, ThePopupMenuLeavesOutTheSettingsThatDoNotFitTheColumn) {
    Build().Gyomu(2).Koshu(300).Shubetsu(1);
    view->RefillGrid();
    std::vector<int> shown;
    int popups = 0;
    view->popup = [&](QMenu& menu, const QPoint&) {
        ++popups;
        shown = MenuIds(menu, app->Commands());
    };
    using namespace cmd;
    const int preview = DaikaPrintPreview, bukake = RowBukakeEdit, del = EditClear;
    const struct {
        int col;
        std::vector<int> ids;
    } cases[] = {
        {0, {NameEdit, Tani, Suryo, Kingaku, TekiyoEdit, preview, bukake, 0, del}},
        {1, {NameEdit, TekiyoEdit, preview, bukake, 0, del}},
        {2, {Tani, TekiyoEdit, preview, bukake, 0, del}},
        {3, {Suryo, TekiyoEdit, preview, bukake, 0, del}},
        {4, {}},
        {5, {Kingaku, TekiyoEdit, preview, bukake, 0, del}},
        {6, {TekiyoEdit, preview, bukake, 0, del}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.col);
        const int before = popups;
        shown.clear();
        view->OnGridRightClick(c.col, 2, 10, 10);
        EXPECT_EQ(popups - before, c.ids.empty() ? 0 : 1);
        EXPECT_EQ(shown, c.ids);
    }
    // A right click on another row by the mouse makes it current first; the heading row has no menu.
    view->SelectRow(1);
    QTest::mouseClick(Grid().viewport(), Qt::RightButton, {}, CellCentre(6, 3));
    EXPECT_EQ(view->GetCurrentRow(), 2);
    EXPECT_EQ(Grid().GetActiveRow(), 3);
    EXPECT_EQ(Pane(0), "安全費無し ");
    EXPECT_EQ(shown, cases[6].ids);
    const int before = popups;
    view->OnGridRightClick(1, 0, 10, 10);
    EXPECT_EQ(popups, before);
}

// ---------------------------------------------------------------------------------------------
// 参考金額

// 業務 1 with one lump 種別 of 1.00 day of 職種 1000 (51,000 yen in price column 1) plus 10 %
// 精度管理費 and material 1500, the 材料費 row (2.000 × the material's price), the 業務 total and,
// as asked, the summary rows 89 (2.000 × 1,000.0 = 2,000) and 95.
class SankoKingakuTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        CBukakeFile bukake = SampleBukakeFile();
        CBukakeShubetsu& shubetsu = AddShubetsu(AddKoshu(*bukake.FindGyomu(1), 10, "測量"), 1, "観測");
        shubetsu.m_coefficient = 10;
        CBukakeDetail& detail = shubetsu.GetDetail();
        detail.m_unit = "式";
        detail.m_formula = "1";
        detail.m_shokushu[0] = 1000;
        detail.m_zairyoId = 1500;
        AddLine(detail, "観測", {100});
        app->Store().GetBukakeFile() = std::move(bukake);
        app->Store().GetTankaFile() = SampleTankaFile();
        CZairyoTankaFile& prices = view->GetDocument()->CalcContext()->ZairyoTanka();
        AddZairyoItem(prices, 1500, 5, "杭", 100.0);
    }
    void BuildEstimate(bool withKoshu95, bool withSummary95) {
        List().m_nTankaColumn = 1;
        ItemListBuilder b(List());
        b.Gyomu(1, "測量業務").Koshu(10).Shubetsu(1, "観測").Quantity(2000).Set([](CSekisanItem& i) {
            i.m_bKotei[0] = 1;
        });
        b.Koshu(85);
        if (withKoshu95) b.Koshu(95);
        if (withSummary95) b.Summary(89).Quantity(2000).UnitPrice(10000).Summary(95);
        ASSERT_EQ(view->Recalculate(0), 1);
        view->RefillGrid();
    }
    CBukakeShubetsu& Shubetsu() { return *app->Store().GetBukakeFile().FindShubetsu(1, 10, 1); }
};

TEST_F(SankoKingakuTest, AmountsWithTheEditedDetailAndPricesThenAllPutBack) {
    const struct {
        bool koshu95, summary95;
        int amount95;  // −7: left as it was
    } cases[] = {
        // 業務 total 112,200 + 500 = 112,700; with 89: 112,700 + 2,000 = 114,700.
        {true, true, 114'700},
        {true, false, 112'700},
        {false, false, -7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.koshu95 << c.summary95);
        List().RemoveAll();
        BuildEstimate(c.koshu95, c.summary95);
        const CBukakeDetail keptDetail = Shubetsu().GetDetail();
        const CZairyoTankaFile keptPrices = view->GetDocument()->CalcContext()->ZairyoTanka();
        // Before: 51,000 + 10 % = 56,100 for the 種別 and 2.000 × 100 for the materials.
        ASSERT_EQ(List().GetItem(2)->m_nAmount, 56'100);
        ASSERT_EQ(List().GetItem(3)->m_nAmount, 200);

        // 2.00 days: 102,000 + 10 % = 112,200; the material at 250: 2.000 × 250 = 500.
        CBukakeDetail edited = keptDetail;
        edited.GetLine(0)->m_columns[0] = 200;
        CZairyoTankaFile prices = keptPrices;
        prices.FindItem(1500)->m_price = 250.0;
        view->SelectRow(3);
        int amount = -7, amount95 = -7;
        EXPECT_EQ(view->CalcSankoKingaku(edited, prices, amount, amount95), 1);
        EXPECT_EQ(amount, 112'200);
        EXPECT_EQ(amount95, c.amount95);

        EXPECT_TRUE(Shubetsu().GetDetail() == keptDetail);
        EXPECT_TRUE(view->GetDocument()->CalcContext()->ZairyoTanka() == keptPrices);
        EXPECT_EQ(List().GetItem(2)->m_nAmount, 56'100);
        EXPECT_EQ(List().GetItem(3)->m_nAmount, 200);
    }
}

TEST_F(SankoKingakuTest, NothingWithoutACurrent種別OfThe歩掛) {
    BuildEstimate(true, false);
    const CZairyoTankaFile prices = view->GetDocument()->CalcContext()->ZairyoTanka();
    for (int row : {0, 2, 4}) {  // none, the 工種 row, the materials row
        SCOPED_TRACE(row);
        if (row) view->SelectRow(row);
        else view->OnGridLeaveRow(0);
        int amount = -7, amount95 = -7;
        EXPECT_EQ(view->CalcSankoKingaku(Shubetsu().GetDetail(), prices, amount, amount95), 0);
        EXPECT_EQ(amount, -7);
        EXPECT_EQ(amount95, -7);
    }
}

// ---------------------------------------------------------------------------------------------
// Size

TEST_F(ViewTest, FiveThousandRowsScrollToTheLastAndReadBack) {
    Build().Gyomu(2, "設計業務");
    for (int i = 1; i < 4999; ++i) Build().Node(estimate_test::MakeItem(2, 300, i, "種別" + std::to_string(i))).Amount(i);
    Build().Node(estimate_test::MakeItem(2, 300, 9999, "最後")).Quantity(12345).Amount(-49990);
    view->RefillGrid();
    ASSERT_EQ(Grid().GetMaxRows(), 5000);

    QScrollBar* bar = Grid().verticalScrollBar();
    bar->setValue(bar->maximum());
    EXPECT_EQ(Grid().rowAt(Grid().viewport()->height() - 2), 4999);
    EXPECT_EQ(Grid().GetCellText(1, 5000), Tx("    最後\n      "));
    EXPECT_EQ(Grid().GetCellText(3, 5000), Tx("12.3450"));
    EXPECT_EQ(Grid().GetCellDouble(5, 5000, 0.0), -49990.0);
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(1, 5000));
    EXPECT_EQ(view->GetCurrentRow(), 4999);
    EXPECT_EQ(view->GetCurrentLevel(), 2);
}

// ---------------------------------------------------------------------------------------------
// Activation in the application: the material-price file follows the active estimate

template <class Root>
void WriteMaster(const std::string& path, Root root) {
    WriteTestFile(path, StoreMasterBytes(root));
}

class ViewActivationTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteMaster(masters + "/歩掛データ.soa", SampleBukakeFile());
        WriteMaster(masters + "/変化率データ.soa", SampleHenkaritsuFile());
        WriteMaster(data + "/単価データ.daa", SampleTankaFile());
        WriteMaster(data + "/諸経費データ.daa", SampleShokeihiFile());
        WriteMaster(data + "/プログラム金額データ.daa", SampleProgramKingakuFile());
        WriteMaster(data + "/表紙データ.daa", SampleHyoshiData());
        for (const auto& [path, title] : {std::pair{programWide, "材料単価 共通"}, std::pair{fileA, "材料単価 A"},
                                          std::pair{fileB, "材料単価 B"}}) {
            CZairyoTankaFile prices = SampleZairyoTankaFile();
            prices.m_title = title;
            WriteMaster(path, std::move(prices));
        }
        WriteTestFile(broken, "not a material-price file");
    }

    std::string WriteEstimate(const std::string& name, const std::string& zairyo, int column) {
        CVemoWinDocData doc;
        CSekisanItemList* list = doc.GetItemList();
        list->m_strKenmei = name;
        list->m_strMasterFolder = masters;
        list->m_strZairyoFile = zairyo;
        list->m_nTankaColumn = column;
        ItemListBuilder(*list).Gyomu(2, "設計業務").Koshu(300, "詳細設計");
        const std::string path = root / (name + ".sei");
        EXPECT_EQ(doc.SaveFile(path), 1);
        return path;
    }
    std::string LockedFiles() const {
        std::string locked;
        for (const auto& [path, name] : {std::pair{programWide, "共通"}, std::pair{fileA, "A"}, std::pair{fileB, "B"}})
            if (vemo::IsReadOnlyMarked(path)) locked += name;
        return locked;
    }

    TempFolder root;
    std::string data = root / "データ格納";
    std::string masters = data + "/参考マスター25";
    std::string programWide = data + "/材料単価データ25.zoa";
    std::string fileA = data + "/材料単価A.zoa";
    std::string fileB = data + "/材料単価B.zoa";
    std::string broken = data + "/材料単価壊.zoa";
    std::string missing = data + "/材料単価無.zoa";
    AppStartScope start;
};

TEST_F(ViewActivationTest, TheActiveEstimatesMaterialPricesAreTheApplicationsFile) {
    CVemoWinApp app({}, root.Path());
    ScriptedHost host;
    ASSERT_TRUE(app.InitInstance());
    ASSERT_EQ(app.Store().GetZairyoTankaPath(), programWide);
    std::map<std::string, CVemoWinDoc*> docs;
    auto open = [&](const std::string& name, const std::string& zairyo, int column) {
        docs[name] = app.OpenDocumentFile(WriteEstimate(name, zairyo, column));
        ASSERT_NE(docs[name], nullptr);
    };
    auto activate = [&](const std::string& name) {
        for (CVemoWinView* view : app.EstimateWindows())
            if (view->GetDocument() == docs[name])
                app.MainFrame()->MdiClient()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(view->parentWidget()));
        ASSERT_EQ(app.ActiveEstimateWindow()->GetDocument(), docs[name]);
    };
    struct Step {
        const char* what;
        std::function<void()> run;
        std::string path;       // the application's material-price file afterwards
        const char* locked;     // which of 共通, A and B carry the lock
        const char* pane2;      // the estimate's unit-price column
        const char* pane3;      // the data name of the prices in use
        std::string message;    // the last message shown, "" for none
        std::string estimateFile;  // what the active estimate names afterwards
        bool modified;
        std::string previous;      // the program-wide file remembered
    };
    const std::string unreadableText = "\nを読み込めませんでした。\nファイルが壊れているか、正しい形式ではありません。";
    const Step steps[] = {
        {"A opens with its own file", [&] { open("A", fileA, 0); }, fileA, "A", "令和1年度", "材料単価 A", "", fileA,
         false, programWide},
        {"B opens with another", [&] { open("B", fileB, 2); }, fileB, "B", "令和3年度", "材料単価 B", "", fileB, false,
         programWide},
        {"A is activated again", [&] { activate("A"); }, fileA, "A", "令和1年度", "材料単価 A", "", fileA, false,
         programWide},
        {"an estimate naming a missing file takes the file in use", [&] { open("M", missing, 1); }, fileA, "A",
         "令和2年度", "材料単価 A", vemo::view::MsgZairyoFileMissing(missing, fileA), fileA, true, programWide},
        {"one whose file does not load takes the file in use", [&] { open("X", broken, 1); }, fileA, "A", "令和2年度",
         "材料単価 A", vemo::view::MsgZairyoFileUnreadable(broken, fileA), fileA, true, programWide},
        {"B is activated", [&] { activate("B"); }, fileB, "B", "令和3年度", "材料単価 B", "", fileB, false,
         programWide},
        {"with the program-wide file in use a broken file names it", [&] {
             activate("A");
             app.RestoreZairyoTankaFile();
             open("Y", broken, 1);
         },
         programWide, "共通", "令和2年度", "材料単価 共通", vemo::view::MsgZairyoFileUnreadable(broken), programWide,
         true, ""},
        {"an estimate naming the file in use reads it again: prices saved meanwhile are seen", [&] {
             activate("A");
             vemo::SetReadOnlyMark(fileA, false);
             CZairyoTankaFile saved = SampleZairyoTankaFile();
             saved.m_title = "材料単価 A改";
             WriteMaster(fileA, std::move(saved));
             vemo::SetReadOnlyMark(fileA, true);
             activate("M");
         },
         fileA, "A", "令和2年度", "材料単価 A改", "", fileA, true, programWide},
        {"the file in use gone: it is reported, its prices stay and the estimate is left unmodified", [&] {
             vemo::SetReadOnlyMark(fileA, false);
             std::filesystem::remove(fileA);
             activate("A");
         },
         fileA, "", "令和1年度", "材料単価 A改", vemo::view::MsgZairyoFileVanished(fileA), fileA, false, programWide},
        {"the gone file is told once: switching to M, which names it too, and back tells no more", [&] {
             activate("M");
             activate("A");
         },
         fileA, "", "令和1年度", "材料単価 A改", "", fileA, false, programWide},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        host.messages.clear();
        step.run();
        EXPECT_EQ(app.Store().GetZairyoTankaPath(), step.path);
        EXPECT_EQ(app.GetPreviousZairyoTankaPath(), step.previous);
        EXPECT_EQ(LockedFiles(), step.locked);
        EXPECT_EQ(host.panes[2].back(), step.pane2);
        EXPECT_EQ(host.panes[3].back(), step.pane3);
        EXPECT_EQ(app.Store().GetZairyoTankaFile().m_title, step.pane3);
        if (step.message.empty()) {
            EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
        } else {
            ASSERT_FALSE(host.messages.empty());
            EXPECT_EQ(host.messages.back().text, step.message);
            EXPECT_EQ(host.messages.back().icon, MsgIcon::Exclamation);
            if (step.message.find("読み込めません") != std::string::npos) {
                ASSERT_EQ(host.messages.size(), 2u);
                EXPECT_EQ(host.messages[0].text, broken + unreadableText);
            }
        }
        CVemoWinView* active = app.ActiveEstimateWindow();
        ASSERT_NE(active, nullptr);
        EXPECT_EQ(active->GetItemList()->m_strZairyoFile, step.estimateFile);
        EXPECT_EQ(active->GetDocument()->IsModified(), step.modified);
        // The active estimate is priced with the prices in use; the others keep their own.
        EXPECT_EQ(active->GetDocument()->CalcContext()->ZairyoTanka().m_title, step.pane3);
    }
    EXPECT_EQ(docs["B"]->CalcContext()->ZairyoTanka().m_title, "材料単価 B");
    app.ExitInstance();
    EXPECT_EQ(LockedFiles(), "");
}

// The message pane tells the 安全費 rate of the current row of the estimate in front: it follows the
// current row however it moves, and the estimate windows as they come to the front.
TEST_F(ViewActivationTest, The安全費RateFollowsTheCurrentRowOfTheEstimateInFront) {
    CVemoWinApp app({}, root.Path());
    ScriptedHost host;
    ASSERT_TRUE(app.InitInstance());
    auto open = [&](const std::string& name, int rate) {
        CVemoWinDocData doc;
        CSekisanItemList* list = doc.GetItemList();
        list->m_strMasterFolder = masters;
        ItemListBuilder(*list).Gyomu(2, "設計業務").Koshu(300, "詳細設計").Shubetsu(1, "一般").Set([rate](CSekisanItem& i) {
            i.m_nExtraRate = rate;
        });
        const std::string path = root / (name + ".sei");
        EXPECT_EQ(doc.SaveFile(path), 1);
        EXPECT_NE(app.OpenDocumentFile(path), nullptr);
        return app.ActiveEstimateWindow();
    };
    CVemoWinView* a = open("A", 1350);
    CVemoWinView* b = open("B", 0);
    ASSERT_TRUE(a && b && a != b);
    auto front = [&](CVemoWinView* view) {
        app.MainFrame()->MdiClient()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(view->parentWidget()));
        ASSERT_EQ(app.ActiveEstimateWindow(), view);
    };
    const struct {
        const char* what;
        std::function<void()> run;
        std::string pane0;
    } steps[] = {
        {"A in front", [&] { front(a); }, ""},
        {"A's 種別 row", [&] { a->SelectRow(3); }, "安全費率 13.50％"},
        {"B in front", [&] { front(b); }, ""},
        {"B's 種別 row", [&] { b->SelectRow(3); }, "安全費無し "},
        {"A in front again", [&] { front(a); }, "安全費率 13.50％"},
        {"A's 工種 row", [&] { a->SelectRow(2); }, ""},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        host.panes[0].push_back("(before)");
        step.run();
        EXPECT_EQ(host.panes[0].back(), step.pane0);
    }
    app.ExitInstance();
}

}  // namespace

namespace {

// The commands of the active estimate arrive from its grid's Del key and from the Edit menu; with
// no estimate window they are disabled.
TEST_F(ViewActivationTest, TheDelKeyAndTheEditMenuReachTheActiveEstimate) {
    CVemoWinApp app({}, root.Path());
    ScriptedHost host;
    ASSERT_TRUE(app.InitInstance());
    ASSERT_NE(app.OpenDocumentFile(WriteEstimate("A", fileA, 0)), nullptr);
    CVemoWinView* view = app.ActiveEstimateWindow();
    ASSERT_NE(view, nullptr);
    app.MainFrame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(app.MainFrame(), kHangMs));
    view->SelectRow(2);
    host.messages.clear();

    host.answers.push_back(IDNO);
    view->Grid()->setFocus();
    QTest::keyClick(view->Grid(), Qt::Key_Delete);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "工種データを削除してよろしいですか？");
    EXPECT_EQ(view->GetItemList()->GetCount(), 2);

    QMenu* edit = nullptr;
    for (QAction* action : app.MainFrame()->menuBar()->actions())
        if (action->text() == Tx("編集(&E)")) edit = action->menu();
    ASSERT_NE(edit, nullptr);
    auto item = [&](const char* text) -> QAction* {
        for (QAction* action : edit->actions())
            if (action->text() == Tx(text)) return action;
        ADD_FAILURE() << text;
        return nullptr;
    };
    emit edit->aboutToShow();
    for (const char* text : {"費目／工種／種別編集(&M)...", "摘要編集(&Y)...", "上へ移動(&U)", "下へ移動(&D)", "削除(&D)", "再計算(&R)"})
        EXPECT_TRUE(item(text)->isEnabled()) << text;
    host.answers.push_back(IDYES);
    item("削除(&D)")->trigger();
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(view->GetItemList()->GetCount(), 1);
    EXPECT_TRUE(view->GetDocument()->IsModified());

    host.answers.push_back(IDNO);  // not saved
    app.Commands().Dispatch(cmd::FileClose);
    QTest::qWait(0);
    ASSERT_EQ(app.ActiveEstimateWindow(), nullptr);
    emit edit->aboutToShow();
    for (const char* text : {"費目／工種／種別編集(&M)...", "上へ移動(&U)", "削除(&D)", "再計算(&R)"})
        EXPECT_FALSE(item(text)->isEnabled()) << text;
    app.ExitInstance();
}

}  // namespace
