// Tests of the estimate view's delete, name and 摘要 edit, recalculation and row moves (app/ViewCommands.cpp).
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <sstream>

#include "AppTestEnvironment.h"
#include "EstimateBuilders.h"
#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "ScriptedView.h"
#include "TempFolder.h"
#include "UnstartedViewTest.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "dialogkit/TitleEditDlg.h"
#include "dialogkit/Tx.h"
#include "master/MasterFile.h"

using namespace masterbuild;
using estimate_test::ItemListBuilder;

namespace {

// A view of an estimate built in code, the active view of the command route, priced by an
// application that has not started: its store holds 業務 1 with 工種 10 (種別 1 at 51,000 yen and
// 種別 2 at 102,000 yen) and 工種 20 (種別 1 at 51,000 yen), and 業務 3 whose 工種 stand in the
// master in the order 10, 20, 90, 30.
class ViewCommandsTest : public UnstartedViewTest {
protected:
    void SetUp() override {
        UnstartedViewTest::SetUp();
        CBukakeFile bukake = SampleBukakeFile();
        CBukakeGyomu& survey = *bukake.FindGyomu(1);
        for (auto [koshuCode, shubetsuCodes] : {std::pair{10, std::vector<int>{1, 2}}, std::pair{20, std::vector<int>{1}}}) {
            CBukakeKoshu& koshu = AddKoshu(survey, koshuCode, "測量");
            for (int code : shubetsuCodes) {
                CBukakeDetail& detail = AddShubetsu(koshu, code, "観測").GetDetail();
                detail.m_unit = "式";
                detail.m_formula = "1";
                detail.m_shokushu[0] = 1000;  // 51,000 yen a day in price column 1
                AddLine(detail, "観測", {100 * code});
            }
        }
        CBukakeGyomu& ordered = AddGyomu(bukake, 3, "物件調査");
        for (int code : {10, 20, 90, 30}) AddKoshu(ordered, code);
        app->Store().GetBukakeFile() = std::move(bukake);
        app->Store().GetTankaFile() = SampleTankaFile();
        OpenView();
    }

    // Replaces the estimate with rows written as tokens: "G1" a 業務 row of code 1, "K10" a 工種 row
    // (of the last 業務), "S1" a 種別 row (of the last 工種), "N7" a row of 工種 7 without a 業務
    // code. Each row is named by its token; 工種 rows total their 種別 and 種別 rows count one day.
    // Refills and makes the row at index current, leaving the estimate unmodified.
    void Load(const std::string& rows, int current = 0) {
        List().RemoveAll();
        List().m_nTankaColumn = 1;
        ItemListBuilder b(List());
        std::istringstream in(rows);
        for (std::string token; in >> token;) {
            const int code = std::stoi(token.substr(1));
            switch (token[0]) {
                case 'G': b.Gyomu(code, token); break;
                case 'K': b.Koshu(code, token).Set([](CSekisanItem& i) { i.m_bSummary = 1; }); break;
                case 'S': b.Shubetsu(code, token).Quantity(1000).Set([](CSekisanItem& i) { i.m_bKotei[0] = 1; }); break;
                default: b.Node(estimate_test::MakeItem(kUnset, code, kUnset, token)); break;
            }
        }
        view->RefillGrid();
        if (List().GetCount() > 0) view->SelectRow(current + 1);
        view->MarkModified(false);
    }
    // The rows' tokens, from the list and as the grid shows them.
    std::string Rows() {
        std::string rows;
        for (int i = 0; i < List().GetCount(); ++i) rows += (i ? " " : "") + List().GetItem(i)->m_strNameUpper;
        return rows;
    }
    std::string GridRows() {
        std::string rows;
        for (int r = 1; r <= Grid().GetMaxRows(); ++r)
            rows += (r > 1 ? " " : "") + Grid().GetCellText(1, r).section(QLatin1Char('\n'), 0, 0).trimmed().toStdString();
        return rows;
    }
};

// ---------------------------------------------------------------------------------------------
// Update rules

TEST_F(ViewCommandsTest, CommandStatesFollowTheCurrentRowAndTheEstimate) {
    const int ids[] = {cmd::EditClear, cmd::NameEdit, cmd::TekiyoEdit, cmd::Recalc, cmd::MoveUp, cmd::MoveDown};
    for (int id : ids) CommandAction(app->Commands(), id);
    const struct {
        const char* what;
        const char* rows;
        int current;  // −1: none
        std::array<bool, 6> enabled;
    } cases[] = {
        {"an empty estimate", "", -1, {false, false, false, false, false, false}},
        {"rows without a current one", "G1 K10 S1", -1, {false, false, false, true, false, false}},
        {"a 業務 row", "G1 K10 S1", 0, {true, true, true, true, true, true}},
        {"a 工種 row", "G1 K10 S1", 1, {true, true, true, true, true, true}},
        {"a 種別 row", "G1 K10 S1", 2, {true, true, true, true, true, true}},
        {"a row of no level", "N7", 0, {true, true, true, true, true, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Load(c.rows, std::max(c.current, 0));
        if (c.current < 0) view->OnGridLeaveRow(List().GetCount() + 2);
        ASSERT_EQ(view->GetCurrentRow(), c.current);
        for (size_t k = 0; k < std::size(ids); ++k) {
            EXPECT_EQ(app->Commands().State(ids[k]).enabled, c.enabled[k]) << ids[k];
            EXPECT_EQ(app->Commands().Action(ids[k])->isEnabled(), c.enabled[k]) << ids[k];
        }
    }
}

TEST_F(ViewCommandsTest, ThePopupMenuEnablesTheViewsCommandsFromTheRegistry) {
    Load("G1 K10 S1", 2);
    std::map<int, bool> enabled;
    view->popup = [&](QMenu& menu, const QPoint&) {
        for (QAction* action : menu.actions())
            if (!action->isSeparator()) enabled[action->data().toInt()] = action->isEnabled();
    };
    view->OnGridRightClick(0, 3, 10, 10);
    const std::map<int, bool> expected = {
        {cmd::NameEdit, true},           {cmd::Tani, false},          {cmd::Suryo, true},
        {cmd::Kingaku, true},            {cmd::TekiyoEdit, true},     {cmd::DaikaPrintPreview, false},
        {cmd::RowBukakeEdit, false},     {cmd::EditClear, true},
    };
    EXPECT_EQ(enabled, expected);
}

// ---------------------------------------------------------------------------------------------
// Delete

TEST_F(ViewCommandsTest, DeleteRemovesTheNodeWithItsContiguousSubtreeAndRecalculates) {
    const struct {
        const char* what;
        const char* rows;
        int current;
        const char* question;  // "" when none is asked
        const char* after;
        int currentAfter;
        std::vector<std::pair<int, int>> amounts;  // index, amount afterwards
        const char* pane0;  // the 安全費 pane of the current row afterwards
    } cases[] = {
        {"a 業務 row with its 工種 and 種別", "G1 K10 S1 S2 G3 K10", 0, "業務データを削除してよろしいですか？",
         "G3 K10", 0, {}, ""},
        {"a 工種 row with its 種別", "G1 K10 S1 S2 K20 S1", 1, "工種データを削除してよろしいですか？", "G1 K20 S1",
         1, {{1, 51'000}}, ""},
        {"a 種別 row", "G1 K10 S1 S2 K20 S1", 3, "種別データを削除してよろしいですか？", "G1 K10 S1 K20 S1", 3,
         {{1, 51'000}, {2, 51'000}}, ""},
        {"the last row", "G1 K10 S1 S2", 3, "種別データを削除してよろしいですか？", "G1 K10 S1", 2, {{1, 51'000}}, "安全費無し "},
        // The first of two 工種 10 takes only the 種別 that follow it, not the next 工種.
        {"a 工種 that appears twice, first", "G1 K10 S1 K20 S1 K10 S2", 1, "工種データを削除してよろしいですか？",
         "G1 K20 S1 K10 S2", 1, {{3, 102'000}}, ""},
        {"a 工種 that appears twice, second", "G1 K10 S1 K20 S1 K10 S2", 5, "工種データを削除してよろしいですか？",
         "G1 K10 S1 K20 S1", 4, {{1, 51'000}}, "安全費無し "},
        {"a row of no level stays without a question", "G1 N7 K10", 1, "", "G1 N7 K10", 1, {}, "stale"},
        {"the only row", "G3", 0, "業務データを削除してよろしいですか？", "", -1, {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Load(c.rows, c.current);
        // Amounts the delete's recalculation must write again.
        for (int i = 0; i < List().GetCount(); ++i) List().GetItem(i)->m_nAmount = 7;
        host->messages.clear();
        view->ShowMessage("stale");
        const bool asks = *c.question != '\0';
        if (asks) host->answers.push_back(IDYES);
        EXPECT_TRUE(Dispatch(cmd::EditClear));
        if (asks) {
            ASSERT_EQ(host->messages.size(), 1u);
            EXPECT_EQ(host->messages[0].text, c.question);
            EXPECT_EQ(host->messages[0].caption, "確認");
            EXPECT_EQ(host->messages[0].buttons, MsgButtons::YesNo);
            EXPECT_EQ(host->messages[0].icon, MsgIcon::Exclamation);
        } else {
            EXPECT_TRUE(host->messages.empty());
        }
        EXPECT_EQ(Rows(), c.after);
        EXPECT_EQ(GridRows(), c.after);
        EXPECT_EQ(view->GetCurrentRow(), c.currentAfter);
        EXPECT_EQ(Modified(), asks);
        for (auto [index, amount] : c.amounts) {
            EXPECT_EQ(List().GetItem(index)->m_nAmount, amount) << index;
            EXPECT_EQ(Grid().GetCellText(5, index + 1), QString::number(amount)) << index;
        }
        EXPECT_EQ(host->panes[0].back(), c.pane0);
    }
    // After the only row nothing is left to delete or recalculate.
    EXPECT_FALSE(app->Commands().State(cmd::EditClear).enabled);
    EXPECT_FALSE(app->Commands().State(cmd::Recalc).enabled);
}

// ---------------------------------------------------------------------------------------------
// A No or a cancelled dialog

TEST_F(ViewCommandsTest, ANoOrACancelledDialogLeavesEstimateFlagAndGridAsTheyWere) {
    const struct {
        const char* what;
        int id;
        std::function<void(ScriptedDialogs&, ScriptedHost&)> answer;
    } cases[] = {
        {"delete answered No", cmd::EditClear, [](ScriptedDialogs&, ScriptedHost& h) { h.answers.push_back(IDNO); }},
        {"name edit cancelled", cmd::NameEdit,
         [](ScriptedDialogs& d, ScriptedHost&) {
             d.Expect<CTitleEditDlg>([](CTitleEditDlg& dlg) {
                 dlg.findChild<CZo_Edit*>(QStringLiteral("upper"))->setText(QStringLiteral("変更"));
                 return IDCANCEL;
             });
         }},
        {"摘要 edit cancelled", cmd::TekiyoEdit,
         [](ScriptedDialogs& d, ScriptedHost&) {
             d.Expect<CTitleEditDlg>([](CTitleEditDlg& dlg) {
                 dlg.findChild<CZo_Edit*>(QStringLiteral("lower"))->setText(QStringLiteral("変更"));
                 return IDCANCEL;
             });
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Load("G1 K10 S1 S2", 2);
        List().GetItem(2)->m_nDaikaNo = 4;
        List().GetItem(2)->m_strRemarkLower = "第4号代価表";
        view->RefillGrid();
        const auto before = CopyItems();
        const std::vector<QString> grid = GridTexts();
        ScriptedDialogs dialogs;
        c.answer(dialogs, *host);
        EXPECT_TRUE(Dispatch(c.id));
        ASSERT_EQ(List().GetCount(), static_cast<int>(before.size()));
        for (size_t i = 0; i < before.size(); ++i)
            EXPECT_TRUE(estimate_test::SameItem(*List().GetItem(static_cast<int>(i)), *before[i])) << i;
        EXPECT_FALSE(Modified());
        EXPECT_EQ(GridTexts(), grid);
        EXPECT_EQ(view->GetCurrentRow(), 2);
    }
}

// ---------------------------------------------------------------------------------------------
// Name and 摘要

TEST_F(ViewCommandsTest, NameAnd摘要EditsStoreTheChangedLinesAndMarkThem) {
    const struct {
        const char* what;
        int id;
        const char* upper;
        const char* lower;
        std::array<int, 2> flagsBefore;
        std::array<int, 2> flagsAfter;
        int daikaNo;  // afterwards; the row starts with 4
    } cases[] = {
        {"name, upper line", cmd::NameEdit, "観測２", "（Ａ）", {0, 0}, {1, 0}, 4},
        {"name, lower line", cmd::NameEdit, "観測", "（Ｂ）", {0, 0}, {0, 1}, 4},
        {"name, both lines", cmd::NameEdit, "観測２", "", {0, 0}, {1, 1}, 4},
        {"name unchanged keeps the flags", cmd::NameEdit, "観測", "（Ａ）", {1, 0}, {1, 0}, 4},
        {"摘要, upper line", cmd::TekiyoEdit, "上段２", "第4号代価表", {0, 0}, {1, 0}, 4},
        {"摘要, lower line clears the 代価 number", cmd::TekiyoEdit, "上段", "別紙", {0, 0}, {0, 1}, kUnset},
        {"摘要 unchanged", cmd::TekiyoEdit, "上段", "第4号代価表", {0, 1}, {0, 1}, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Load("G1 K10 S1 S2", 2);
        CSekisanItem& row = *List().GetItem(2);
        const bool name = c.id == cmd::NameEdit;
        row.m_strNameUpper = "観測";
        row.m_strNameLower = "（Ａ）";
        row.m_strRemarkUpper = "上段";
        row.m_strRemarkLower = "第4号代価表";
        row.m_nDaikaNo = 4;
        row.m_nAmount = 7;  // no recalculation writes it
        (name ? row.m_bNameUpperEdited : row.m_bKeepRemarkUpper) = c.flagsBefore[0];
        (name ? row.m_bNameLowerEdited : row.m_bKeepRemarkLower) = c.flagsBefore[1];
        view->RefillGrid();
        const CSekisanItem before = row;

        ScriptedDialogs dialogs;
        dialogs.Expect<CTitleEditDlg>([&](CTitleEditDlg& dlg) {
            auto* upper = dlg.findChild<CZo_Edit*>(QStringLiteral("upper"));
            auto* lower = dlg.findChild<CZo_Edit*>(QStringLiteral("lower"));
            EXPECT_EQ(upper->GetText(), Tx(name ? "観測" : "上段"));
            EXPECT_EQ(lower->GetText(), Tx(name ? "（Ａ）" : "第4号代価表"));
            upper->setText(Tx(c.upper));
            lower->setText(Tx(c.lower));
            return IDOK;
        });
        EXPECT_TRUE(Dispatch(c.id));
        ASSERT_EQ(dialogs.titles.size(), 1u);
        EXPECT_EQ(dialogs.titles[0], Tx(name ? "費目／工種／種別名の編集" : "摘要の編集"));

        const CSekisanItem& after = *List().GetItem(2);
        EXPECT_EQ(name ? after.m_strNameUpper : after.m_strRemarkUpper, c.upper);
        EXPECT_EQ(name ? after.m_strNameLower : after.m_strRemarkLower, c.lower);
        EXPECT_EQ(name ? after.m_strRemarkUpper : after.m_strNameUpper, name ? before.m_strRemarkUpper : before.m_strNameUpper);
        EXPECT_EQ(name ? after.m_bNameUpperEdited : after.m_bKeepRemarkUpper, c.flagsAfter[0]);
        EXPECT_EQ(name ? after.m_bNameLowerEdited : after.m_bKeepRemarkLower, c.flagsAfter[1]);
        // The other pair's flags stay.
        EXPECT_EQ(name ? after.m_bKeepRemarkUpper : after.m_bNameUpperEdited, 0);
        EXPECT_EQ(name ? after.m_bKeepRemarkLower : after.m_bNameLowerEdited, 0);
        EXPECT_EQ(after.m_nDaikaNo, c.daikaNo);
        EXPECT_EQ(after.m_nAmount, 7);
        // Only a changed text is a change of the estimate.
        EXPECT_EQ(Modified(), std::string(c.upper) != (name ? "観測" : "上段") ||
                                  std::string(c.lower) != (name ? "（Ａ）" : "第4号代価表"));
        const QString shown = name ? QStringLiteral("    %1\n      %2").arg(Tx(c.upper), Tx(c.lower))
                                   : QStringLiteral("%1\n%2").arg(Tx(c.upper), Tx(c.lower));
        EXPECT_EQ(Grid().GetCellText(name ? 1 : 6, 3), shown);
    }
}

// ---------------------------------------------------------------------------------------------
// Recalculation

TEST_F(ViewCommandsTest, RecalculationPricesEvery業務AndRefillsAndMarksOnlyAChangedEstimate) {
    Load("G1 K10 S1 S2 K20 S1", 0);
    for (int i = 0; i < List().GetCount(); ++i) List().GetItem(i)->m_nAmount = 7;
    view->RefillGrid();
    EXPECT_TRUE(Dispatch(cmd::Recalc));
    const std::pair<int, int> amounts[] = {{1, 153'000}, {2, 51'000}, {3, 102'000}, {4, 51'000}, {5, 51'000}};
    for (auto [index, amount] : amounts) {
        EXPECT_EQ(List().GetItem(index)->m_nAmount, amount) << index;
        EXPECT_EQ(Grid().GetCellText(5, index + 1), QString::number(amount)) << index;
    }
    EXPECT_EQ(view->GetCurrentRow(), 0);
    EXPECT_TRUE(Modified()) << "the stored figures changed";

    // Saved, then recalculated with the same masters: nothing to save.
    view->MarkModified(false);
    EXPECT_TRUE(Dispatch(cmd::Recalc));
    EXPECT_FALSE(Modified());
    // The 単価 master's price of the day changed: the figures follow, and closing will ask.
    app->Store().GetTankaFile().FindRow(1000)->m_prices[1] = 52'000;
    EXPECT_TRUE(Dispatch(cmd::Recalc));
    EXPECT_EQ(List().GetItem(2)->m_nAmount, 52'000);
    EXPECT_TRUE(Modified());
}

// ---------------------------------------------------------------------------------------------
// Row moves

TEST_F(ViewCommandsTest, MovesKeepTheOrderRulesAndLeaveEveryAmount) {
    constexpr int up = cmd::MoveUp, down = cmd::MoveDown;
    const struct {
        const char* what;
        const char* rows;
        int current;
        int id;
        const char* after;  // "" when the move is refused
        int currentAfter;
    } cases[] = {
        // 業務 rows.
        {"the first 業務 row stays", "G1 K10 S1 G3 K10", 0, up, "", 0},
        {"the last row stays", "G1 K10 S1 G3 K10", 4, down, "", 4},
        {"a 業務 passes the whole previous 業務", "G1 K10 S1 S2 G3 K10 K20", 4, up, "G3 K10 K20 G1 K10 S1 S2", 0},
        {"a 業務 passes the whole next 業務", "G1 K10 S1 G3 K10 K20 G95", 0, down, "G3 K10 K20 G1 K10 S1 G95", 3},
        {"a 業務 passes the last 業務", "G1 K10 G3 K20", 0, down, "G3 K20 G1 K10", 2},
        {"a 業務 above a 業務 95 stays", "G1 K10 G3 K20 G95", 2, down, "", 2},
        {"a 業務 above a 業務 90 stays", "G1 K10 G90", 0, down, "", 0},
        {"a 業務 without a previous 業務 row stays", "N7 G1 K10", 1, up, "", 1},
        {"a 業務 after one of its own code stays", "G1 K10 G1 K20", 2, up, "", 2},
        {"a row without a 業務 code stays", "N7 G1 K10", 0, down, "", 0},
        // 工種 rows.
        {"the first 工種 stays", "G1 K10 S1 K20 S1", 1, up, "", 1},
        {"the last 工種 stays", "G1 K10 S1 K20 S1", 3, down, "", 3},
        {"no 工種 moves into the next 業務", "G1 K10 S1 K20 S1 G3 K30", 3, down, "", 3},
        {"a 工種 passes the next with its 種別", "G1 K10 S1 S2 K20 S1", 1, down, "G1 K20 S1 K10 S1 S2", 3},
        {"a 工種 passes the previous with its 種別", "G1 K10 S1 S2 K20 S1", 4, up, "G1 K20 S1 K10 S1 S2", 1},
        {"75 does not pass 60 upwards", "G1 K60 K75", 2, up, "", 2},
        {"60 does not pass 75 downwards", "G1 K60 S1 K75", 1, down, "", 1},
        {"75 passes 70 upwards", "G1 K70 K75", 2, up, "G1 K75 K70", 1},
        {"86 passes 90 downwards", "G1 K86 K90 K95", 1, down, "G1 K90 K86 K95", 2},
        {"86 does not pass 95 downwards", "G1 K90 K86 K95", 2, down, "", 2},
        {"86 does not pass 84 upwards", "G1 K84 K86", 2, up, "", 2},
        {"86 passes 85 upwards", "G1 K85 K86", 2, up, "G1 K86 K85", 1},
        {"a 工種 under one of its own code moves only with it", "G1 K10 S1 K10 S2", 3, up, "", 3},
        // 工種 90.
        {"90 moves up to the top of its 業務", "G3 K10 S1 K20 K90 K30", 4, up, "G3 K90 K10 S1 K20 K30", 1},
        {"90 at the top of its 業務 stays", "G3 K90 K10", 1, up, "", 1},
        {"90 moves down to its master position", "G3 K90 K10 S1 K20 S1 K30", 1, down, "G3 K10 S1 K20 S1 K90 K30", 5},
        {"90 at its master position stays", "G3 K10 K20 K90 K30", 3, down, "", 3},
        {"90 does not pass a 工種 of group B", "G3 K90 K75", 1, down, "", 1},
        {"90 does not pass into the next 業務", "G3 K90 G1 K10", 1, down, "", 1},
        {"90 of a 業務 missing from the master stays", "G4 K90 K10", 1, down, "", 1},
        // 種別 rows.
        {"the first 種別 stays", "G1 K10 S1 S2 K20", 2, up, "", 2},
        {"the last 種別 stays", "G1 K10 S1 S2 K20", 3, down, "", 3},
        {"two 種別 swap downwards", "G1 K10 S1 S2 K20", 2, down, "G1 K10 S2 S1 K20", 3},
        {"two 種別 swap upwards", "G1 K10 S1 S2 K20", 3, up, "G1 K10 S2 S1 K20", 2},
        // Fixed rows.
        {"工種 91 stays up", "G1 K10 K91 K92", 2, up, "", 2},
        {"工種 91 stays down", "G1 K10 K91 K92", 2, down, "", 2},
        {"工種 899 stays", "G1 K10 K899", 2, up, "", 2},
        {"業務 95 stays", "G1 K10 G95 G96", 2, up, "", 2},
        {"業務 96 stays", "G1 K10 G96 G1", 2, down, "", 2},
        {"業務 899 stays", "G1 K10 G899", 2, up, "", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Load(c.rows, c.current);
        // Each row carries its first place and an amount of its own.
        for (int i = 0; i < List().GetCount(); ++i) {
            List().GetItem(i)->m_strRemarkUpper = std::to_string(i);
            List().GetItem(i)->m_nAmount = 100 * (i + 1);
        }
        view->RefillGrid();
        const std::vector<QString> grid = GridTexts();
        EXPECT_TRUE(Dispatch(c.id));
        const bool refused = *c.after == '\0';
        EXPECT_EQ(Rows(), refused ? c.rows : c.after);
        EXPECT_EQ(GridRows(), refused ? c.rows : c.after);
        EXPECT_EQ(view->GetCurrentRow(), c.currentAfter);
        EXPECT_EQ(Grid().GetActiveRow(), c.currentAfter + 1);
        EXPECT_EQ(Modified(), !refused);
        if (refused) {
            EXPECT_EQ(GridTexts(), grid);
        }
        for (int i = 0; i < List().GetCount(); ++i) {
            const CSekisanItem& row = *List().GetItem(i);
            EXPECT_EQ(row.m_nAmount, 100 * (std::stoi(row.m_strRemarkUpper) + 1)) << i;
            EXPECT_EQ(Grid().GetCellText(5, i + 1), QString::number(row.m_nAmount)) << i;
        }
    }
}

}  // namespace
