// The 業務, 工種 and 種別 selection dialogs: texts, lists in master order, adding and removing, the
// keys of the lists, the 工種 search, the legends and coefficient lines, the 技術経費 question and
// what OK leaves in the working list.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <set>

#include "EstimateBuilders.h"
#include "EventWait.h"
#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "SelectionLists.h"
#include "SelectionTestMasters.h"
#include "app/GyomuSelectDlg.h"
#include "app/KoshuSelectDlg.h"
#include "app/ListImages.h"
#include "app/ShubetsuSelectDlg.h"
#include "dialogkit/KoshuSearchDlg.h"

using estimate_test::ItemListBuilder;

namespace {

QPushButton* Button(QWidget& dlg, const char* name) { return dlg.findChild<QPushButton*>(QString::fromLatin1(name)); }
QLabel* Label(QWidget& dlg, const char* name) { return dlg.findChild<QLabel*>(QString::fromLatin1(name)); }

// "業務/工種/種別" of each node ("-" for an unset code).
std::vector<std::string> Codes(const CSekisanItemList& list) {
    std::vector<std::string> codes;
    const auto code = [](int32_t c) { return IsUnset(c) ? std::string("-") : std::to_string(c); };
    for (int i = 0; i < list.GetCount(); ++i) {
        const CSekisanItem* item = list.GetItem(i);
        codes.push_back(code(item->m_nGyomu) + "/" + code(item->m_nKoshu) + "/" + code(item->m_nShubetsu));
    }
    return codes;
}

// 業務 1 (not offered in the 業務 list) with rows, 業務 2 with 工種 20 (種別 201), the 工種 555 that the
// master lacks (種別 1) and 工種 92, and the summary row 98.
void MakeEstimate(CSekisanItemList& list) {
    ItemListBuilder(list)
        .Gyomu(1, "測量業務")
        .Koshu(10, "基準点測量")
        .Shubetsu(101, "３級基準点測量")
        .Gyomu(2, "設計業務")
        .Koshu(20, "詳細設計")
        .Shubetsu(201, "詳細設計一般")
        .Koshu(555, "旧工種")
        .Shubetsu(1, "旧種別")
        .Koshu(92, "諸経費（見積）")
        .Summary(98, "消費税（見積）");
}

}  // namespace

TEST(SelectionDialogs, TextsOfTheThreeDialogs) {
    CGyomuSelectDlg gyomu;
    CKoshuSelectDlg koshu;
    CShubetsuSelectDlg shubetsu;
    struct Row {
        CItemSelectDlg* dlg;
        const char* caption;
        const char* hint;
        const char* masterTitle;
        const char* chosenTitle;
    };
    const Row rows[] = {
        {&gyomu, "業務選択", "歩掛業務を選んで追加ボタンを押して下さい。", "歩掛業務データ一覧", "選択歩掛業務データ一覧"},
        {&koshu, "工種選択", "歩掛工種を選んで追加ボタンを押して下さい。", "歩掛工種データ一覧", "選択工種データ一覧"},
        {&shubetsu, "種別選択", "歩掛種別を選んで追加ボタンを押して下さい。", "歩掛種別データ一覧", "選択種別データ一覧"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.caption);
        EXPECT_EQ(r.dlg->windowTitle(), QString::fromUtf8(r.caption));
        EXPECT_EQ(Label(*r.dlg, "hint")->text(), QString::fromUtf8(r.hint));
        EXPECT_EQ(r.dlg->MasterList()->headerItem()->text(0), QString::fromUtf8(r.masterTitle));
        EXPECT_EQ(r.dlg->ChosenList()->headerItem()->text(0), QString::fromUtf8(r.chosenTitle));
        EXPECT_EQ(Button(*r.dlg, "add")->text(), QStringLiteral("追加 ->"));
        EXPECT_EQ(Button(*r.dlg, "remove")->text(), QStringLiteral("<- 削除"));
        EXPECT_EQ(Button(*r.dlg, "ok")->text(), QStringLiteral("OK"));
        EXPECT_EQ(Button(*r.dlg, "cancel")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        EXPECT_EQ(r.dlg->MasterList()->selectionMode(), QAbstractItemView::ExtendedSelection);
    }
    EXPECT_EQ(Button(koshu, "search")->text(), QStringLiteral("検　索"));
    EXPECT_EQ(Label(koshu, "note")->text(),
              QStringLiteral("従来の積算手法を追加した場合は､｢諸経費｣｢技術経費｣も追加してください。"));
    // The legends as the templates hold them, before a 業務 sets them.
    EXPECT_EQ(Label(koshu, "legendYellow")->text(), QStringLiteral("※ 黄色 ： 新しい積算手法標準添付歩掛り"));
    EXPECT_EQ(Label(koshu, "legendGreen")->text(), QStringLiteral("※ 緑色 ： 新しい積算手法全地連版歩掛り"));
    EXPECT_EQ(Label(koshu, "legendBrown")->text(), QStringLiteral("※ 茶色 ： 従来の積算手法歩掛り"));
    EXPECT_EQ(Label(koshu, "legendPurple")->text(), QStringLiteral("※ 紫色 ： 従来の積算手法ﾕｰｻﾞｰ作成歩掛り"));
    EXPECT_EQ(Label(shubetsu, "legendBlue")->text(), QStringLiteral("※ 水色 ： 新しい積算手法ﾕｰｻﾞｰ作成歩掛り"));
    EXPECT_EQ(Label(shubetsu, "legendGreen")->text(), QStringLiteral("※ 緑色 ： 従来の積算手法全地連版歩掛り"));

    // Every cell of the picture strip is there.
    for (int i = 0; i < kBukakeListImages; ++i) EXPECT_FALSE(BukakeListImage(i).isNull()) << i;
    EXPECT_TRUE(BukakeListImage(kBukakeListImages).isNull());
}

TEST(SelectionDialogs, GyomuAddRemoveAndOk) {
    CSekisanItemList estimate;
    MakeEstimate(estimate);
    ScriptedDialogs dialogs;
    dialogs.Expect<CGyomuSelectDlg>([](CGyomuSelectDlg& dlg) {
        // Master order 2, 4, 98, 99, 6; 業務 1 is not offered and not shown.
        EXPECT_EQ(Rows(dlg.MasterList()), (QStringList{"土質調査業務（一般）", "業務委託料計", "区画整理測量業務"}));
        EXPECT_EQ(Rows(dlg.ChosenList()), (QStringList{"設計業務", "消費税相当額"}));
        EXPECT_EQ(Selected(dlg.MasterList()), std::vector<int>{0});
        EXPECT_TRUE(Button(dlg, "add")->isEnabled());
        EXPECT_FALSE(Button(dlg, "remove")->isEnabled());

        Select(dlg.MasterList(), {0, 2});
        Button(dlg, "add")->click();
        EXPECT_EQ(Rows(dlg.MasterList()), QStringList{"業務委託料計"});
        EXPECT_EQ(Rows(dlg.ChosenList()),
                  (QStringList{"設計業務", "土質調査業務（一般）", "消費税相当額", "区画整理測量業務"}));
        EXPECT_EQ(Selected(dlg.MasterList()), std::vector<int>{0});

        Select(dlg.ChosenList(), {0});
        EXPECT_TRUE(Button(dlg, "remove")->isEnabled());
        Button(dlg, "remove")->click();
        EXPECT_EQ(Rows(dlg.MasterList()), (QStringList{"設計業務", "業務委託料計"}));
        EXPECT_EQ(Rows(dlg.ChosenList()), (QStringList{"土質調査業務（一般）", "消費税相当額", "区画整理測量業務"}));
        EXPECT_EQ(dlg.ChosenCodes(), (std::vector<int32_t>{4, 98, 6}));
        return IDOK;
    });
    CGyomuSelectDlg dlg;
    dlg.SetItemList(estimate);
    dlg.SetBukakeFile(SelectionTestBukake());
    dlg.SetTankaFile(SelectionTestTanka(1000));
    dlg.SetGyomuCodes(SelectionTestGyomuCodes());
    ASSERT_EQ(dlg.DoModal(), IDOK);
    CSekisanItemList result;
    dlg.GetItemList(result);
    // 業務 1, which the lists cannot show, keeps its rows; 業務 2 goes with its whole subtree.
    EXPECT_EQ(Codes(result), (std::vector<std::string>{"1/-/-", "1/10/-", "1/10/101", "4/-/-", "98/-/-", "6/-/-"}));
    EXPECT_EQ(result.GetItem(4)->m_strNameUpper, "消費税（見積）");  // the estimate's own row

    // Run again and closed with OK, the dialog leaves its list as it is.
    dialogs.Expect<CGyomuSelectDlg>(IDOK);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    dlg.GetItemList(result);
    EXPECT_EQ(Codes(result), (std::vector<std::string>{"1/-/-", "1/10/-", "1/10/101", "4/-/-", "98/-/-", "6/-/-"}));
    EXPECT_EQ(result.GetItem(4)->m_strNameUpper, "消費税（見積）");
}

TEST(SelectionDialogs, GyomuCancelledOrUnchangedLeavesTheList) {
    CSekisanItemList estimate;
    MakeEstimate(estimate);
    for (int answer : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(answer);
        ScriptedDialogs dialogs;
        dialogs.Expect<CGyomuSelectDlg>([answer](CGyomuSelectDlg& dlg) {
            if (answer == IDCANCEL) {
                Select(dlg.MasterList(), {0});
                Button(dlg, "add")->click();
            }
            return answer;
        });
        CGyomuSelectDlg dlg;
        dlg.SetItemList(estimate);
        dlg.SetBukakeFile(SelectionTestBukake());
        dlg.SetGyomuCodes(SelectionTestGyomuCodes());
        EXPECT_EQ(dlg.DoModal(), answer);
        CSekisanItemList result;
        dlg.GetItemList(result);
        EXPECT_EQ(Codes(result), Codes(estimate));
    }
}

TEST(SelectionDialogs, GyomuAddsTheTaxRowWithTheMastersRate) {
    CSekisanItemList estimate;
    ItemListBuilder(estimate).Gyomu(2, "設計業務");
    for (int32_t rate : {1000, kUnset}) {
        SCOPED_TRACE(rate);
        ScriptedDialogs dialogs;
        dialogs.Expect<CGyomuSelectDlg>([](CGyomuSelectDlg& dlg) {
            Select(dlg.MasterList(), {1});  // 4, 98, 99, 6
            Button(dlg, "add")->click();
            return IDOK;
        });
        CGyomuSelectDlg dlg;
        dlg.SetItemList(estimate);
        dlg.SetBukakeFile(SelectionTestBukake());
        dlg.SetTankaFile(SelectionTestTanka(rate));
        dlg.SetGyomuCodes(SelectionTestGyomuCodes());
        ASSERT_EQ(dlg.DoModal(), IDOK);
        CSekisanItemList result;
        dlg.GetItemList(result);
        ASSERT_EQ(Codes(result), (std::vector<std::string>{"2/-/-", "98/-/-"}));
        const CSekisanItem& tax = *result.GetItem(1);
        EXPECT_EQ(tax.m_strUnit, "式");
        EXPECT_EQ(tax.m_nQuantity, 1000);
        EXPECT_EQ(tax.m_nRate, rate);
        EXPECT_EQ(tax.m_strRemarkUpper, IsUnset(rate) ? "" : "10.00%");
    }
}

TEST(SelectionDialogs, ListKeysDoubleClicksAndFocus) {
    CSekisanItemList estimate;
    ItemListBuilder(estimate).Gyomu(2, "設計業務");
    CGyomuSelectDlg dlg;
    dlg.SetItemList(estimate);
    dlg.SetBukakeFile(SelectionTestBukake());
    dlg.SetGyomuCodes(SelectionTestGyomuCodes());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg, kHangMs));
    QTreeWidget* master = dlg.MasterList();
    QTreeWidget* chosen = dlg.ChosenList();
    ASSERT_TRUE(master->hasFocus());

    // Enter in the master list adds its selected row and keeps the focus.
    QTest::keyClick(master, Qt::Key_Return);
    EXPECT_EQ(dlg.ChosenCodes(), (std::vector<int32_t>{2, 4}));
    EXPECT_TRUE(master->hasFocus());
    EXPECT_EQ(Selected(master), std::vector<int>{0});
    // Right moves to the next control, Left back.
    QTest::keyClick(master, Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), Button(dlg, "add"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    EXPECT_TRUE(master->hasFocus());

    // The chosen list selects its first row when it takes the focus without a selection.
    EXPECT_TRUE(Selected(chosen).empty());
    chosen->setFocus();
    EXPECT_EQ(Selected(chosen), std::vector<int>{0});
    // Enter there removes and keeps the focus.
    QTest::keyClick(chosen, Qt::Key_Enter);
    EXPECT_EQ(dlg.ChosenCodes(), (std::vector<int32_t>{4}));
    EXPECT_TRUE(chosen->hasFocus());

    // A double click on a row (which its first click selected) adds or removes it.
    Select(master, {0});
    emit master->itemDoubleClicked(master->topLevelItem(0), 0);
    EXPECT_EQ(dlg.ChosenCodes(), (std::vector<int32_t>{2, 4}));
    Select(chosen, {1});
    emit chosen->itemDoubleClicked(chosen->topLevelItem(1), 0);
    EXPECT_EQ(dlg.ChosenCodes(), (std::vector<int32_t>{2}));
    dlg.reject();
}

TEST(SelectionDialogs, KoshuListsAndTheKoshuTheMasterLacks) {
    CSekisanItemList estimate;
    MakeEstimate(estimate);
    ScriptedDialogs dialogs;
    dialogs.Expect<CKoshuSelectDlg>([](CKoshuSelectDlg& dlg) {
        // Master order 30, 20, 92, 40; the 工種 555 is not shown.
        EXPECT_EQ(Rows(dlg.MasterList()), (QStringList{"設計計画", "照査"}));
        EXPECT_EQ(Rows(dlg.ChosenList()), (QStringList{"詳細設計", "諸経費"}));
        Select(dlg.MasterList(), {0, 1});
        Button(dlg, "add")->click();
        // Every 工種 chosen: the master list is empty, the chosen list shows them all.
        EXPECT_EQ(Rows(dlg.MasterList()), QStringList());
        EXPECT_EQ(Rows(dlg.ChosenList()), (QStringList{"設計計画", "詳細設計", "諸経費", "照査"}));
        EXPECT_FALSE(Button(dlg, "add")->isEnabled());
        Select(dlg.ChosenList(), {1});
        Button(dlg, "remove")->click();
        EXPECT_EQ(Rows(dlg.MasterList()), QStringList{"詳細設計"});
        return IDOK;
    });
    CKoshuSelectDlg dlg;
    dlg.SetItemList(estimate);
    dlg.SetBukakeFile(SelectionTestBukake());
    dlg.SetGyomuCode(2);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(IsUnset(dlg.GetKoshuCode()));
    EXPECT_TRUE(IsUnset(dlg.GetShubetsuCode()));
    CSekisanItemList result;
    dlg.GetItemList(result);
    EXPECT_EQ(Codes(result), (std::vector<std::string>{"1/-/-", "1/10/-", "1/10/101", "2/-/-", "2/30/-", "2/555/-",
                                                       "2/555/1", "2/92/-", "2/40/-", "98/-/-"}));
    EXPECT_EQ(result.GetItem(7)->m_strNameUpper, "諸経費（見積）");  // a kept row is the estimate's own
}

TEST(SelectionDialogs, KoshuInitialSelectionOfANewGyomu) {
    struct Row {
        bool withFile;
        int32_t methodFlag;
        QStringList chosen;
    };
    // The rule for 業務 2 with flag 0 chooses 92; with flag 1 also 93 and 94, which the master lacks.
    const Row rows[] = {{false, 0, {"諸経費"}}, {false, 1, {"諸経費"}}, {true, 0, {"詳細設計", "照査"}},
                        {true, 1, {"詳細設計", "照査"}}};
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.withFile) + " " + std::to_string(r.methodFlag));
        CBukakeFile bukake = SelectionTestBukake();
        bukake.m_splitFlag = r.methodFlag;
        CSekisanItemList estimate;
        ItemListBuilder(estimate).Gyomu(2, "設計業務");
        std::vector<std::pair<int, int>> calls;
        ScriptedDialogs dialogs;
        dialogs.Expect<CKoshuSelectDlg>([&](CKoshuSelectDlg& dlg) {
            EXPECT_EQ(Rows(dlg.ChosenList()), r.chosen);
            return IDOK;
        });
        CKoshuSelectDlg dlg;
        dlg.SetItemList(estimate);
        dlg.SetBukakeFile(bukake);
        dlg.SetGyomuCode(2);
        dlg.SetInitialSelectionLoader([&](int gyomu, std::span<int> values, int variant) {
            calls.emplace_back(gyomu, variant);
            EXPECT_EQ(values.size(), 20u);
            if (!r.withFile) return -1;
            values[0] = 40;
            values[1] = 20;
            values[2] = -1;
            return 0;
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{2, r.methodFlag}}));
        CSekisanItemList result;
        dlg.GetItemList(result);
        EXPECT_EQ(static_cast<int>(Codes(result).size()), 1 + r.chosen.size());
    }
}

TEST(SelectionDialogs, KoshuSearchSelectsOrEndsTheDialog) {
    struct Row {
        const char* keyword;
        int col, row;  // the double-clicked cell of the search result
        bool ends;
        int koshu, shubetsu;
        QStringList chosen;
        std::vector<int> masterSelected, chosenSelected;
    };
    // The estimate's 業務 2 holds 20 and 92; the master offers 30 and 40.
    const Row rows[] = {
        // A 工種 row of the master list: selected there, the dialog stays.
        {"照査", 1, 1, false, kUnset, kUnset, {"詳細設計", "諸経費"}, {1}, {}},
        // A 種別 of a 工種 of the master list: the 工種 is added and the dialog ends.
        {"計画一般", 2, 1, true, 30, 301, {"設計計画", "詳細設計", "諸経費"}, {0}, {}},
        // A 種別 of a chosen 工種: it is selected there and the dialog ends.
        {"特殊", 2, 1, true, 20, 202, {"詳細設計", "諸経費"}, {0}, {0}},
        // The 工種 column of a 種別 row: the 工種 alone, selected in the chosen list.
        {"特殊", 1, 1, false, kUnset, kUnset, {"詳細設計", "諸経費"}, {0}, {0}},
        // An empty row: nothing.
        {"特殊", 1, 5, false, kUnset, kUnset, {"詳細設計", "諸経費"}, {0}, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.keyword) + " " + std::to_string(r.col));
        CSekisanItemList estimate;
        ItemListBuilder(estimate).Gyomu(2).Koshu(20).Koshu(92);
        ScriptedDialogs dialogs;
        dialogs.Expect<CKoshuSelectDlg>([&](CKoshuSelectDlg& dlg) {
            dialogs.Expect<CKoshuSearchDlg>([&](CKoshuSearchDlg& search) {
                search.findChild<CZo_Edit*>(QStringLiteral("keyword"))->setText(QString::fromUtf8(r.keyword));
                search.OnSearch();
                emit search.findChild<CSpreadSheet*>()->DblClick(r.col, r.row);
                return IDOK;
            });
            Button(dlg, "search")->click();
            EXPECT_EQ(Selected(dlg.MasterList()), r.masterSelected);
            EXPECT_EQ(Selected(dlg.ChosenList()), r.chosenSelected);
            EXPECT_EQ(Rows(dlg.ChosenList()), r.chosen);
            return r.ends ? IDOK : IDCANCEL;
        });
        CKoshuSelectDlg dlg;
        dlg.SetItemList(estimate);
        dlg.SetBukakeFile(SelectionTestBukake());
        dlg.SetGyomuCode(2);
        EXPECT_EQ(dlg.DoModal(), r.ends ? IDOK : IDCANCEL);
        EXPECT_EQ(dlg.GetKoshuCode(), r.koshu);
        EXPECT_EQ(dlg.GetShubetsuCode(), r.shubetsu);
        if (r.ends) {
            CSekisanItemList result;
            dlg.GetItemList(result);
            EXPECT_EQ(static_cast<int>(result.GetCount()), 1 + r.chosen.size());
        }
    }
}

TEST(SelectionDialogs, LegendsByGyomu) {
    struct Row {
        int gyomu;
        int32_t methodFlag;
        const char* yellow;
        const char* blue;
        const char* green;
        bool traditionalShown;  // brown and purple
        bool noteShown;         // 工種 dialog only
    };
    const char* kNewYellow = " ※ 黄色 ： 新しい積算手法標準添付歩掛り";
    const char* kNewBlue = " ※ 水色 ： 新しい積算手法ﾕｰｻﾞｰ作成歩掛り";
    const char* kNewGreen = " ※ 緑色 ： 新しい積算手法全地連版歩掛り";
    const char* kYellow = " ※ 黄色 ： 標準添付歩掛り";
    const char* kBlue = " ※ 水色 ： ﾕｰｻﾞｰ作成歩掛り";
    const char* kGreen = " ※ 緑色 ： 全地連版歩掛り";
    const Row rows[] = {
        {2, 0, kNewYellow, kNewBlue, kNewGreen, true, true},   {3, 1, kNewYellow, kNewBlue, kNewGreen, true, false},
        {5, 0, kNewYellow, kNewBlue, kNewGreen, true, true},   {7, 1, kNewYellow, kNewBlue, kNewGreen, true, false},
        {4, 0, kYellow, kBlue, kGreen, false, false},          {1, 0, kYellow, kBlue, nullptr, false, false},
        {6, 1, kYellow, kBlue, nullptr, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("業務 " + std::to_string(r.gyomu));
        CBukakeFile bukake = SelectionTestBukake();
        bukake.m_splitFlag = r.methodFlag;
        CKoshuSelectDlg koshu;
        koshu.SetBukakeFile(bukake);
        koshu.SetGyomuCode(r.gyomu);
        koshu.OnInitDialog();
        CShubetsuSelectDlg shubetsu;
        shubetsu.SetBukakeFile(bukake);
        shubetsu.SetGyomuCode(r.gyomu);
        shubetsu.OnInitDialog();
        for (CItemSelectDlg* dlg : std::initializer_list<CItemSelectDlg*>{&koshu, &shubetsu}) {
            SCOPED_TRACE(dlg->windowTitle().toStdString());
            EXPECT_EQ(Label(*dlg, "legendYellow")->text(), QString::fromUtf8(r.yellow));
            EXPECT_EQ(Label(*dlg, "legendBlue")->text(), QString::fromUtf8(r.blue));
            EXPECT_TRUE(Label(*dlg, "legendYellow")->isVisibleTo(dlg));
            EXPECT_TRUE(Label(*dlg, "legendBlue")->isVisibleTo(dlg));
            // The green legend never shows.
            EXPECT_FALSE(Label(*dlg, "legendGreen")->isVisibleTo(dlg));
            EXPECT_EQ(Label(*dlg, "legendBrown")->isVisibleTo(dlg), r.traditionalShown);
            EXPECT_EQ(Label(*dlg, "legendPurple")->isVisibleTo(dlg), r.traditionalShown);
            // The lines shown start their "※" at one place, with or without a blank before it.
            dlg->layout()->activate();
            std::set<int> starts;
            for (const char* name : {"legendYellow", "legendBlue", "legendBrown", "legendPurple"}) {
                const QLabel* label = Label(*dlg, name);
                if (!label->isVisibleTo(dlg)) continue;
                const int blank = label->text().startsWith(QLatin1Char(' '))
                                      ? label->fontMetrics().horizontalAdvance(QLatin1Char(' '))
                                      : 0;
                starts.insert(label->x() + std::max(label->indent(), 0) + blank);
            }
            EXPECT_EQ(starts.size(), 1u);
        }
        if (r.green) {
            EXPECT_EQ(Label(koshu, "legendGreen")->text(), QString::fromUtf8(r.green));
        }
        EXPECT_EQ(Label(koshu, "note")->isVisibleTo(&koshu), r.noteShown);
    }
}

TEST(SelectionDialogs, ShubetsuAddsTwiceShowsCoefficientsAndRemoves) {
    CBukakeFile bukake = SelectionTestBukake();
    bukake.FindShubetsu(2, 20, 201)->m_coefficient = 150;
    CSekisanItemList estimate;
    ItemListBuilder(estimate).Gyomu(2).Koshu(20).Shubetsu(202, "詳細設計特殊（改）").Koshu(30).Shubetsu(301);
    ScriptedDialogs dialogs;
    dialogs.Expect<CShubetsuSelectDlg>([](CShubetsuSelectDlg& dlg) {
        EXPECT_EQ(Rows(dlg.MasterList()), (QStringList{"詳細設計一般", "詳細設計特殊"}));
        EXPECT_EQ(Rows(dlg.ChosenList()), QStringList{"詳細設計特殊（改）"});
        // The preselected 種別.
        EXPECT_EQ(Selected(dlg.MasterList()), std::vector<int>{1});
        EXPECT_EQ(Label(dlg, "masterCoefficient")->text(), QStringLiteral("　　　　　　 : -.--"));
        EXPECT_EQ(Label(dlg, "chosenCoefficient")->text(), QStringLiteral("技術経費　　 : -.--"));

        dlg.MasterList()->setCurrentItem(dlg.MasterList()->topLevelItem(0));
        EXPECT_EQ(Label(dlg, "masterCoefficient")->text(), QStringLiteral("技術経費　　 : 1.50"));
        Button(dlg, "add")->click();
        Button(dlg, "add")->click();
        EXPECT_EQ(Rows(dlg.ChosenList()), (QStringList{"詳細設計特殊（改）", "詳細設計一般", "詳細設計一般"}));
        dlg.ChosenList()->setCurrentItem(dlg.ChosenList()->topLevelItem(2));
        EXPECT_EQ(Label(dlg, "chosenCoefficient")->text(), QStringLiteral("技術経費　　 : 1.50"));

        Select(dlg.ChosenList(), {0, 1});
        Button(dlg, "remove")->click();
        EXPECT_EQ(Rows(dlg.ChosenList()), QStringList{"詳細設計一般"});
        return IDOK;
    });
    CShubetsuSelectDlg dlg;
    dlg.SetItemList(estimate);
    dlg.SetBukakeFile(bukake);
    dlg.SetGyomuCode(2);
    dlg.SetKoshuCode(20);
    dlg.SetShubetsuCode(202);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    CSekisanItemList result;
    dlg.GetItemList(result);
    EXPECT_EQ(Codes(result), (std::vector<std::string>{"2/-/-", "2/20/-", "2/20/201", "2/30/-", "2/30/301"}));
    EXPECT_EQ(result.GetItem(2)->m_strNameUpper, "詳細設計一般");
}

TEST(SelectionDialogs, ShubetsuAsksAboutDifferentGijutsuKeihi) {
    struct Row {
        int gyomu;
        int gijyutuCalc;
        std::vector<int> answers;  // of the questions asked
    };
    const Row rows[] = {
        {2, 0, {IDYES, IDNO}},  // Yes keeps the dialog open, No closes it
        {4, 0, {IDNO}},
        {2, 1, {}},
        {3, 0, {}},
        {1, 0, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("業務 " + std::to_string(r.gyomu) + " GijyutuCalc " + std::to_string(r.gijyutuCalc));
        CBukakeFile bukake;
        CBukakeGyomu& gyomu = masterbuild::AddGyomu(bukake, r.gyomu);
        CBukakeKoshu& koshu = masterbuild::AddKoshu(gyomu, 20);
        masterbuild::AddShubetsu(koshu, 1, "一般").m_coefficient = 150;
        masterbuild::AddShubetsu(koshu, 2, "特殊").m_coefficient = 120;
        CSekisanItemList estimate;
        ItemListBuilder(estimate).Gyomu(r.gyomu).Koshu(20).Shubetsu(1);
        ScriptedHost host;
        host.answers.assign(r.answers.begin(), r.answers.end());
        ScriptedDialogs dialogs;
        dialogs.Expect<CShubetsuSelectDlg>([&](CShubetsuSelectDlg& dlg) {
            Select(dlg.MasterList(), {1});
            Button(dlg, "add")->click();
            if (r.answers.size() == 2) {
                dlg.accept();
                EXPECT_NE(dlg.result(), QDialog::Accepted);
                EXPECT_EQ(host.messages.size(), 1u);
            }
            return IDOK;
        });
        CShubetsuSelectDlg dlg;
        dlg.SetItemList(estimate);
        dlg.SetBukakeFile(bukake);
        dlg.SetGyomuCode(r.gyomu);
        dlg.SetKoshuCode(20);
        dlg.SetGijyutuCalc(r.gijyutuCalc);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        ASSERT_EQ(host.messages.size(), r.answers.size());
        for (const ScriptedHost::Message& m : host.messages) {
            EXPECT_EQ(m.text, "技術経費の異なる種別データが選択されています。\nもう一度、種別データを選択しますか？");
            EXPECT_EQ(m.buttons, MsgButtons::YesNo);
            EXPECT_EQ(m.icon, MsgIcon::Information);
        }
        EXPECT_TRUE(host.answers.empty());
    }
}
