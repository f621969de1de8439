// The estimate view's 業務, 工種 and 種別 selections and its 件名 input: update rules, what each
// command leaves in the estimate and the grid, what it recalculates, the 工種 search that leads to
// the 種別 selection, the 技術経費 question, and a cancel that changes nothing.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>
#include <cstdio>
#include <functional>
#include <sstream>

#include "AppTestEnvironment.h"
#include "EstimateBuilders.h"
#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "ScriptedView.h"
#include "SelectionLists.h"
#include "SelectionTestMasters.h"
#include "TempFolder.h"
#include "UnstartedViewTest.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/GyomuSelectDlg.h"
#include "app/InitialSelection.h"
#include "app/KenmeiDlg.h"
#include "app/KoshuSelectDlg.h"
#include "app/ShubetsuSelectDlg.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "dialogkit/KoshuSearchDlg.h"
#include "dialogkit/Tx.h"
#include "platform/FileUtil.h"

using namespace masterbuild;
using estimate_test::ItemListBuilder;

namespace {

void Click(QWidget& dlg, const char* button) { dlg.findChild<QPushButton*>(QString::fromLatin1(button))->click(); }

QComboBox* Combo(QWidget& dlg, const char* name) { return dlg.findChild<QComboBox*>(QString::fromLatin1(name)); }

// Each 種別 of the test master is one day of the first 職種: 51,000 yen in price column 1.
constexpr int kShubetsuAmount = 51'000;
// What a test writes into every amount before a command, for the recalculation to replace.
constexpr int kStale = 7;

// A view of an estimate built in code, the active view of the command route, priced by an
// application that has not started. Its 歩掛 master is the selection dialogs' (業務 in master order
// 1, 2, 4, 98, 99, 6; 業務 2 with the 工種 30, 20, 92, 40, of which 20 has the 種別 201 and 202 and
// 30 the 種別 301; 業務 1 with 工種 10 and 種別 101), every 種別 priced at one day.
class ViewSelectionTest : public UnstartedViewTest {
protected:
    void SetUp() override {
        UnstartedViewTest::SetUp();
        CBukakeFile bukake = SelectionTestBukake();
        for (auto [gyomu, koshu, shubetsu] : {std::tuple{1, 10, 101}, {2, 30, 301}, {2, 20, 201}, {2, 20, 202}}) {
            CBukakeDetail& detail = bukake.FindShubetsu(gyomu, koshu, shubetsu)->GetDetail();
            detail.m_unit = "式";
            detail.m_formula = "1";
            detail.m_shokushu[0] = 1000;
            AddLine(detail, "設計", {100});
        }
        app->Store().GetBukakeFile() = std::move(bukake);
        app->Store().GetTankaFile() = SampleTankaFile();
        OpenView();
    }

    // Replaces the estimate with rows written as tokens: "G2" a 業務 row, "K20" a 工種 row (of the
    // last 業務), "S201" a 種別 row (of the last 工種; one 式 of its first 工程), "N7" a row of 工種 7
    // without a 業務 code. Every amount is stale. Refills, makes the row at index current (−1: none)
    // and leaves the estimate unmodified.
    void Load(const std::string& rows, int current = 0) {
        List().RemoveAll();
        List().m_nTankaColumn = 1;
        ItemListBuilder b(List());
        std::istringstream in(rows);
        for (std::string token; in >> token;) {
            const int code = std::stoi(token.substr(1));
            switch (token[0]) {
                case 'G': b.Gyomu(code, token); break;
                case 'K': b.Koshu(code, token); break;
                case 'S': b.Shubetsu(code, token).Quantity(1000).Set([](CSekisanItem& i) { i.m_bKotei[0] = 1; }); break;
                default: b.Node(estimate_test::MakeItem(kUnset, code, kUnset, token)); break;
            }
            b.Amount(kStale);
        }
        view->RefillGrid();
        if (List().GetCount() > 0) view->SelectRow(std::max(current, 0) + 1);
        if (current < 0) view->OnGridLeaveRow(List().GetCount() + 2);
        view->MarkModified(false);
    }
    // The rows as tokens, from the codes of the list.
    std::string Tokens() {
        std::string tokens;
        for (int i = 0; i < List().GetCount(); ++i) {
            const CSekisanItem& item = *List().GetItem(i);
            const int level = item.GetLevel();
            const char kind = "NGKS"[level + 1];
            const int code = level == 0 ? item.m_nGyomu : level == 2 ? item.m_nShubetsu : item.m_nKoshu;
            tokens += (i ? " " : "") + std::string(1, kind) + std::to_string(code);
        }
        return tokens;
    }
    // Every grid row shows its item: the name (without the indent) and the amount.
    void ExpectGridShowsTheList() {
        ASSERT_EQ(Grid().GetMaxRows(), List().GetCount());
        for (int i = 0; i < List().GetCount(); ++i) {
            const CSekisanItem& item = *List().GetItem(i);
            EXPECT_EQ(Grid().GetCellText(1, i + 1).section(QLatin1Char('\n'), 0, 0).trimmed().toStdString(),
                      item.m_strNameUpper)
                << i;
            const QString amount = IsUnset(item.m_nAmount) ? QString() : QString::number(item.m_nAmount);
            EXPECT_EQ(Grid().GetCellText(5, i + 1), amount) << i;
        }
    }
    // The amounts of the 種別 rows: priced where the recalculation reached them, stale elsewhere.
    void ExpectShubetsuAmounts(const std::function<bool(const CSekisanItem&)>& recalculated) {
        for (int i = 0; i < List().GetCount(); ++i) {
            if (const CSekisanItem& item = *List().GetItem(i); item.GetLevel() == 2) {
                EXPECT_EQ(item.m_nAmount, recalculated(item) ? kShubetsuAmount : kStale) << i;
            }
        }
    }
};

// ---------------------------------------------------------------------------------------------
// Update rules

TEST_F(ViewSelectionTest, CommandStatesByLevelOfTheCurrentRow) {
    const int ids[] = {cmd::GyomuSelect, cmd::KoshuSelect, cmd::ShubetsuSelect, cmd::KenmeiInput};
    for (int id : ids) CommandAction(app->Commands(), id);
    const struct {
        const char* what;
        const char* rows;
        int current;  // −1: none
        std::array<bool, 4> enabled;
    } cases[] = {
        {"an empty estimate", "", -1, {true, false, false, true}},
        {"rows without a current one", "G2 K20 S201", -1, {false, false, false, true}},
        {"a 業務 row", "G2 K20 S201", 0, {true, true, false, true}},
        {"a 工種 row whose master 工種 has 種別", "G2 K20 S201", 1, {false, true, true, true}},
        {"a 工種 row whose master 工種 has none", "G2 K40", 1, {false, true, false, true}},
        {"a 工種 row the master lacks", "G2 K555", 1, {false, true, false, true}},
        {"a 種別 row", "G2 K20 S201", 2, {false, false, false, true}},
        {"a 業務 row of code 32", "G32", 0, {true, true, false, true}},
        {"a summary 業務 row (33 and above)", "G2 G95", 1, {true, false, false, true}},
        {"a 工種 row of a summary 業務", "G95 K20", 1, {false, false, false, true}},
        {"a row without a 業務 code", "N7", 0, {false, false, false, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Load(c.rows, c.current);
        ASSERT_EQ(view->GetCurrentRow(), c.current);
        for (size_t k = 0; k < std::size(ids); ++k) {
            EXPECT_EQ(app->Commands().State(ids[k]).enabled, c.enabled[k]) << ids[k];
            EXPECT_EQ(app->Commands().Action(ids[k])->isEnabled(), c.enabled[k]) << ids[k];
        }
    }
}

// ---------------------------------------------------------------------------------------------
// 業務選択

TEST_F(ViewSelectionTest, GyomuSelectionRebuildsTheTreeAndRecalculatesEvery業務) {
    const struct {
        const char* what;
        const char* rows;
        int current;
        int32_t tax;                   // the 単価 master's consumption-tax rate
        std::vector<int> addRows;      // rows of the master list added
        std::vector<int> removeRows;   // rows of the chosen list removed
        const char* after;
        const char* taxRemark;         // of the 業務 98 row, when there is one
    } cases[] = {
        {"a new estimate", "", -1, 1000, {0}, {}, "G2", ""},
        {"a 業務 added after the chosen one", "G2 K20 S201", 0, 1000, {3}, {}, "G2 K20 S201 G6", ""},
        {"a 業務 removed with its subtree", "G2 K20 S201 G4", 3, 1000, {}, {0}, "G4", ""},
        {"業務 98 at the master's tax rate", "G2 K20 S201", 0, 1000, {1}, {}, "G2 K20 S201 G98", "10.00%"},
        {"業務 98 without a tax rate in the master", "G2 K20 S201", 0, kUnset, {1}, {}, "G2 K20 S201 G98", ""},
        {"業務 1, which the list does not offer, stays", "G1 K10 S101 G2 K20 S201", 0, 1000, {}, {0}, "G1 K10 S101", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        app->Store().GetTankaFile().m_consumptionTax = c.tax;
        Load(c.rows, c.current);
        ScriptedDialogs dialogs;
        dialogs.Expect<CGyomuSelectDlg>([&](CGyomuSelectDlg& dlg) {
            if (!c.addRows.empty()) {
                Select(dlg.MasterList(), c.addRows);
                Click(dlg, "add");
            }
            if (!c.removeRows.empty()) {
                Select(dlg.ChosenList(), c.removeRows);
                Click(dlg, "remove");
            }
            return IDOK;
        });
        EXPECT_TRUE(Dispatch(cmd::GyomuSelect));
        EXPECT_EQ(Tokens(), c.after);
        EXPECT_TRUE(Modified());
        // Every 業務 is recalculated, those the dialog did not touch as well.
        ExpectShubetsuAmounts([](const CSekisanItem&) { return true; });
        ExpectGridShowsTheList();
        EXPECT_EQ(view->GetCurrentRow(), std::min(std::max(c.current, 0), List().GetCount() - 1));
        if (const int tax = List().FindGyomu(98); tax >= 0) {
            EXPECT_EQ(List().GetItem(tax)->m_nRate, c.tax);
            EXPECT_EQ(List().GetItem(tax)->m_strRemarkUpper, c.taxRemark);
            EXPECT_EQ(Grid().GetCellText(6, tax + 1), Tx(c.taxRemark) + "\n");
        }
    }
}

// ---------------------------------------------------------------------------------------------
// 工種選択

TEST_F(ViewSelectionTest, KoshuSelectionRebuildsThe業務AndRecalculatesIt) {
    const struct {
        const char* what;
        const char* rows;
        int current;
        const char* initialFile;  // the 業務's initial-selection file; null: none
        QStringList chosen;       // what the chosen list shows on opening
        std::vector<int> addRows;
        std::vector<int> removeRows;
        const char* after;
    } cases[] = {
        {"a 工種 added from the 業務 row", "G2 K20 S201 G1 K10 S101", 0, nullptr, {"詳細設計"}, {2}, {},
         "G2 K20 S201 K40 G1 K10 S101"},
        {"a 工種 added from a 工種 row", "G2 K20 S201 G1 K10 S101", 1, nullptr, {"詳細設計"}, {0}, {},
         "G2 K30 K20 S201 G1 K10 S101"},
        {"a 工種 removed with its 種別", "G2 K30 S301 K20 S201 G1 K10 S101", 0, nullptr, {"設計計画", "詳細設計"}, {},
         {0}, "G2 K20 S201 G1 K10 S101"},
        {"a new 業務 gets the rule's 工種", "G2 G1 K10 S101", 0, nullptr, {"諸経費"}, {}, {}, "G2 K92 G1 K10 S101"},
        {"a new 業務 gets the 工種 of its file", "G2 G1 K10 S101", 0, "40\n30\n", {"設計計画", "照査"}, {}, {},
         "G2 K30 K40 G1 K10 S101"},
    };
    const std::string file = folder / InitialSelectionFileName(2, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.initialFile)
            WriteTestFile(file, c.initialFile);
        else
            std::remove(file.c_str());
        Load(c.rows, c.current);
        ScriptedDialogs dialogs;
        dialogs.Expect<CKoshuSelectDlg>([&](CKoshuSelectDlg& dlg) {
            EXPECT_EQ(Rows(dlg.ChosenList()), c.chosen);
            if (!c.addRows.empty()) {
                Select(dlg.MasterList(), c.addRows);
                Click(dlg, "add");
            }
            if (!c.removeRows.empty()) {
                Select(dlg.ChosenList(), c.removeRows);
                Click(dlg, "remove");
            }
            return IDOK;
        });
        EXPECT_TRUE(Dispatch(cmd::KoshuSelect));
        EXPECT_EQ(Tokens(), c.after);
        EXPECT_TRUE(Modified());
        // Only the current row's 業務 is recalculated.
        ExpectShubetsuAmounts([](const CSekisanItem& item) { return item.m_nGyomu == 2; });
        ExpectGridShowsTheList();
        EXPECT_EQ(view->GetCurrentRow(), c.current);
    }
}

TEST_F(ViewSelectionTest, KoshuSearchWithA種別RunsThe種別SelectionOnThatKoshusRow) {
    const struct {
        const char* what;
        int searchColumn;     // the double-clicked column of the search result's first row
        bool shubetsuDialog;  // the 種別 selection follows
        int shubetsuAnswer;
        const char* after;
        int currentAfter;
    } cases[] = {
        {"a 種別 found, then added", 2, true, IDOK, "G2 K20 S202 K92", 1},
        {"a 種別 found, its selection cancelled", 2, true, IDCANCEL, "G2 K20 K92", 1},
        {"a 工種 found alone", 1, false, IDOK, "G2 K92", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Load("G2 K92", 0);
        ScriptedDialogs dialogs;
        dialogs.Expect<CKoshuSelectDlg>([&](CKoshuSelectDlg& dlg) {
            dialogs.Expect<CKoshuSearchDlg>([&](CKoshuSearchDlg& search) {
                search.findChild<CZo_Edit*>(QStringLiteral("keyword"))->setText(QStringLiteral("特殊"));
                search.OnSearch();
                emit search.findChild<CSpreadSheet*>()->DblClick(c.searchColumn, 1);
                return IDOK;
            });
            if (c.shubetsuDialog)
                dialogs.Expect<CShubetsuSelectDlg>([&](CShubetsuSelectDlg& shubetsu) {
                    // On the found 工種, with the found 種別 selected.
                    EXPECT_EQ(view->GetCurrentRow(), 1);
                    EXPECT_EQ(Rows(shubetsu.MasterList()), (QStringList{"詳細設計一般", "詳細設計特殊"}));
                    EXPECT_EQ(Selected(shubetsu.MasterList()), std::vector<int>{1});
                    EXPECT_TRUE(Rows(shubetsu.ChosenList()).isEmpty());
                    Click(shubetsu, "add");
                    return c.shubetsuAnswer;
                });
            Click(dlg, "search");
            return IDOK;
        });
        EXPECT_TRUE(Dispatch(cmd::KoshuSelect));
        EXPECT_EQ(dialogs.Pending(), 0u);
        EXPECT_EQ(Tokens(), c.after);
        EXPECT_EQ(view->GetCurrentRow(), c.currentAfter);
        EXPECT_EQ(Grid().GetActiveRow(), c.currentAfter + 1);
        EXPECT_TRUE(Modified());
        ExpectShubetsuAmounts([](const CSekisanItem&) { return true; });
        ExpectGridShowsTheList();
    }
}

// ---------------------------------------------------------------------------------------------
// 種別選択

TEST_F(ViewSelectionTest, ShubetsuSelectionAddsUnderTheCurrentKoshuAndRecalculatesIts業務) {
    Load("G2 K20 S201 K92 G1 K10 S101", 1);
    ScriptedDialogs dialogs;
    dialogs.Expect<CShubetsuSelectDlg>([&](CShubetsuSelectDlg& dlg) {
        EXPECT_EQ(Rows(dlg.MasterList()), (QStringList{"詳細設計一般", "詳細設計特殊"}));
        EXPECT_EQ(Selected(dlg.MasterList()), std::vector<int>{0});
        EXPECT_EQ(Rows(dlg.ChosenList()), QStringList{"S201"});
        Select(dlg.MasterList(), {1});
        Click(dlg, "add");
        Click(dlg, "add");
        return IDOK;
    });
    EXPECT_TRUE(Dispatch(cmd::ShubetsuSelect));
    EXPECT_EQ(Tokens(), "G2 K20 S201 S202 S202 K92 G1 K10 S101");
    // The new rows as the master seeds them.
    EXPECT_EQ(List().GetItem(3)->m_strNameUpper, "詳細設計特殊");
    EXPECT_EQ(List().GetItem(3)->m_strUnit, "式");
    EXPECT_EQ(List().GetItem(3)->m_nQuantity, 1000);
    EXPECT_EQ(view->GetCurrentRow(), 1);
    EXPECT_TRUE(Modified());
    ExpectShubetsuAmounts([](const CSekisanItem& item) { return item.m_nGyomu == 2; });
    ExpectGridShowsTheList();
}

TEST_F(ViewSelectionTest, The技術経費QuestionOf種別WithDifferentRates) {
    CBukakeFile& bukake = app->Store().GetBukakeFile();
    bukake.FindShubetsu(2, 20, 201)->m_coefficient = 120;
    bukake.FindShubetsu(2, 20, 202)->m_coefficient = 150;
    const struct {
        const char* what;
        int gijyutuCalc;
        int answer;  // 0: no question
        const char* after;
    } cases[] = {
        {"one 技術経費 for the 業務, choose again, then cancel", 0, IDYES, "G2 K20 S201"},
        {"one 技術経費 for the 業務, keep the choice", 0, IDNO, "G2 K20 S201 S202"},
        {"技術経費 by 種別: no question", 1, 0, "G2 K20 S201 S202"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        app->Settings().GijyutuCalc = c.gijyutuCalc;
        Load("G2 K20 S201", 1);
        host->messages.clear();
        if (c.answer) host->answers.push_back(c.answer);
        ScriptedDialogs dialogs;
        dialogs.Expect<CShubetsuSelectDlg>([&](CShubetsuSelectDlg& dlg) {
            Select(dlg.MasterList(), {1});
            Click(dlg, "add");
            Click(dlg, "ok");
            // Yes keeps the dialog open; the user then cancels it.
            return c.answer == IDYES ? IDCANCEL : IDOK;
        });
        EXPECT_TRUE(Dispatch(cmd::ShubetsuSelect));
        if (c.answer) {
            ASSERT_EQ(host->messages.size(), 1u);
            EXPECT_EQ(host->messages[0].text, "技術経費の異なる種別データが選択されています。\nもう一度、種別データを選択しますか？");
            EXPECT_EQ(host->messages[0].buttons, MsgButtons::YesNo);
            EXPECT_EQ(host->messages[0].icon, MsgIcon::Information);
        } else {
            EXPECT_TRUE(host->messages.empty());
        }
        EXPECT_EQ(Tokens(), c.after);
        EXPECT_EQ(Modified(), c.answer != IDYES);
        ExpectGridShowsTheList();
    }
}

// ---------------------------------------------------------------------------------------------
// A cancelled dialog

TEST_F(ViewSelectionTest, ACancelledDialogLeavesEstimateFlagGridAndCoverDataAsTheyWere) {
    const struct {
        const char* what;
        int id;
        int current;
        std::function<void(ScriptedDialogs&)> answer;
    } cases[] = {
        {"業務選択", cmd::GyomuSelect, 0,
         [](ScriptedDialogs& d) {
             d.Expect<CGyomuSelectDlg>([](CGyomuSelectDlg& dlg) {
                 Click(dlg, "add");
                 return IDCANCEL;
             });
         }},
        {"工種選択", cmd::KoshuSelect, 0,
         [](ScriptedDialogs& d) {
             d.Expect<CKoshuSelectDlg>([](CKoshuSelectDlg& dlg) {
                 Select(dlg.ChosenList(), {0});
                 Click(dlg, "remove");
                 return IDCANCEL;
             });
         }},
        {"種別選択", cmd::ShubetsuSelect, 1,
         [](ScriptedDialogs& d) {
             d.Expect<CShubetsuSelectDlg>([](CShubetsuSelectDlg& dlg) {
                 Click(dlg, "add");
                 return IDCANCEL;
             });
         }},
        {"件名入力", cmd::KenmeiInput, 2,
         [](ScriptedDialogs& d) {
             d.Expect<CKenmeiDlg>([](CKenmeiDlg& dlg) {
                 Combo(dlg, "kenmei")->setEditText(QStringLiteral("新しい件名"));
                 return IDCANCEL;
             });
         }},
    };
    app->Store().GetHyoshiData().AddHistory(CHyoshiData::kHistorySubject, "農道改良");
    const CHyoshiData cover = app->Store().GetHyoshiData();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Load("G2 K20 S201", c.current);
        List().m_strKenmei = "用水路改修";
        view->RefreshHeader();
        view->MarkModified(false);
        const auto before = CopyItems();
        const std::vector<QString> grid = GridTexts();
        ScriptedDialogs dialogs;
        c.answer(dialogs);
        EXPECT_TRUE(Dispatch(c.id));
        EXPECT_EQ(dialogs.Pending(), 0u);
        ASSERT_EQ(List().GetCount(), static_cast<int>(before.size()));
        for (size_t i = 0; i < before.size(); ++i)
            EXPECT_TRUE(estimate_test::SameItem(*List().GetItem(static_cast<int>(i)), *before[i])) << i;
        EXPECT_EQ(List().m_strKenmei, "用水路改修");
        EXPECT_EQ(view->KenmeiText(), QStringLiteral("用水路改修"));
        EXPECT_FALSE(Modified());
        EXPECT_EQ(GridTexts(), grid);
        EXPECT_EQ(view->GetCurrentRow(), c.current);
        EXPECT_TRUE(app->Store().GetHyoshiData() == cover);
    }
    EXPECT_FALSE(vemo::FileExists(app->Store().GetHyoshiPath()));
}

// ---------------------------------------------------------------------------------------------
// Workers

TEST_F(ViewSelectionTest, WorkersReturnOneForAChangeAndTwoForACancelOrNothingToWorkOn) {
    const struct {
        const char* what;
        const char* rows;
        int current;
        std::function<void(ScriptedDialogs&)> answer;  // null: no dialog opens
        std::function<int(CVemoWinView&)> run;
        int result;
    } cases[] = {
        {"業務, OK", "G2", 0, [](ScriptedDialogs& d) { d.Expect<CGyomuSelectDlg>(IDOK); },
         [](CVemoWinView& v) { return v.SelectGyomu(); }, 1},
        {"業務, cancelled", "G2", 0, [](ScriptedDialogs& d) { d.Expect<CGyomuSelectDlg>(IDCANCEL); },
         [](CVemoWinView& v) { return v.SelectGyomu(); }, 2},
        {"工種, OK", "G2 K20", 0, [](ScriptedDialogs& d) { d.Expect<CKoshuSelectDlg>(IDOK); },
         [](CVemoWinView& v) {
             int koshu = 0, shubetsu = 0;
             const int result = v.SelectKoshu(koshu, shubetsu);
             EXPECT_EQ(koshu, kUnset);
             EXPECT_EQ(shubetsu, kUnset);
             return result;
         },
         1},
        {"工種, cancelled", "G2 K20", 0, [](ScriptedDialogs& d) { d.Expect<CKoshuSelectDlg>(IDCANCEL); },
         [](CVemoWinView& v) {
             int koshu = 0, shubetsu = 0;
             return v.SelectKoshu(koshu, shubetsu);
         },
         2},
        {"工種 without a current row", "G2 K20", -1, nullptr,
         [](CVemoWinView& v) {
             int koshu = 0, shubetsu = 0;
             const int result = v.SelectKoshu(koshu, shubetsu);
             EXPECT_EQ(koshu, kUnset);
             EXPECT_EQ(shubetsu, kUnset);
             return result;
         },
         2},
        {"種別, OK", "G2 K20", 1, [](ScriptedDialogs& d) { d.Expect<CShubetsuSelectDlg>(IDOK); },
         [](CVemoWinView& v) { return v.SelectShubetsu(); }, 1},
        {"種別, cancelled", "G2 K20", 1, [](ScriptedDialogs& d) { d.Expect<CShubetsuSelectDlg>(IDCANCEL); },
         [](CVemoWinView& v) { return v.SelectShubetsu(); }, 2},
        {"種別 without a current row", "G2 K20", -1, nullptr, [](CVemoWinView& v) { return v.SelectShubetsu(202); }, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Load(c.rows, c.current);
        ScriptedDialogs dialogs;
        if (c.answer) c.answer(dialogs);
        EXPECT_EQ(c.run(*view), c.result);
        EXPECT_EQ(dialogs.Pending(), 0u);
        EXPECT_EQ(Tokens(), c.rows);
        // An OK that chose nothing new changes nothing to save; refilling is the caller's.
        EXPECT_FALSE(Modified());
    }
}

// ---------------------------------------------------------------------------------------------
// 件名入力

TEST_F(ViewSelectionTest, KenmeiInputSetsTheTextsAndSavesTheCoverData) {
    const struct {
        const char* what;
        const char* printTitle;  // the estimate's, before
        const char* shownTitle;  // what the dialog offers
        const char* kenmei;      // entered
        const char* kashomei;
        const char* kenmeiText;  // the view's header texts afterwards
        const char* bashoText;
    } cases[] = {
        {"both texts", "概算書", "概算書", "農道改良", "北地区", "農道改良", "北地区"},
        {"empty texts show なし", "", "御　　見　　積　　書", "", "", "なし", "なし"},
    };
    WriteTestFile(app->Store().GetHyoshiPath(), "");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        app->Store().GetHyoshiData() = CHyoshiData();
        app->Store().GetHyoshiData().AddHistory(CHyoshiData::kHistorySubject, "用水路改修");
        Load("G2 K20 S201", 2);
        List().m_strPrintTitle = c.printTitle;
        List().m_strKenmei = "用水路改修";
        List().m_strKashoName = "南地区";
        const std::vector<QString> grid = GridTexts();
        ScriptedDialogs dialogs;
        dialogs.Expect<CKenmeiDlg>([&](CKenmeiDlg& dlg) {
            EXPECT_EQ(Combo(dlg, "printTitle")->currentText(), Tx(c.shownTitle));
            EXPECT_EQ(Combo(dlg, "kenmei")->currentText(), QStringLiteral("用水路改修"));
            EXPECT_EQ(Combo(dlg, "kashomei")->currentText(), QStringLiteral("南地区"));
            EXPECT_EQ(Combo(dlg, "kenmei")->count(), 1);
            Combo(dlg, "kenmei")->setEditText(Tx(c.kenmei));
            Combo(dlg, "kashomei")->setEditText(Tx(c.kashomei));
            return IDOK;
        });
        EXPECT_TRUE(Dispatch(cmd::KenmeiInput));
        ASSERT_EQ(dialogs.titles.size(), 1u);
        EXPECT_EQ(dialogs.titles[0], QStringLiteral("件名の変更"));
        EXPECT_EQ(List().m_strPrintTitle, c.shownTitle);
        EXPECT_EQ(List().m_strKenmei, c.kenmei);
        EXPECT_EQ(List().m_strKashoName, c.kashomei);
        EXPECT_EQ(view->KenmeiText(), Tx(c.kenmeiText));
        EXPECT_EQ(view->BashoText(), Tx(c.bashoText));
        EXPECT_TRUE(Modified());
        // No recalculation, no refill.
        ExpectShubetsuAmounts([](const CSekisanItem&) { return false; });
        EXPECT_EQ(GridTexts(), grid);
        // The entered texts lead the histories, kept in the cover-data file.
        const CHyoshiData& cover = app->Store().GetHyoshiData();
        EXPECT_EQ(cover.GetHistoryItem(CHyoshiData::kHistoryPrintTitle, 0), c.shownTitle);
        EXPECT_EQ(cover.GetHistoryItem(CHyoshiData::kHistorySubject, 0), c.kenmei);
        EXPECT_EQ(cover.GetHistoryItem(CHyoshiData::kHistoryPlace, 0), c.kashomei);
        CHyoshiData saved;
        ASSERT_EQ(app->Store().SerializeHyoshiFile(0, &saved, app->Store().GetHyoshiPath()), 1);
        for (int list = 0; list < CHyoshiData::kHistoryLists; ++list) {
            ASSERT_EQ(saved.GetHistoryCount(list), cover.GetHistoryCount(list)) << list;
            for (int i = 0; i < cover.GetHistoryCount(list); ++i)
                EXPECT_EQ(saved.GetHistoryItem(list, i), cover.GetHistoryItem(list, i)) << list << " " << i;
        }
    }
}

}  // namespace
