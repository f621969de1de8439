// The estimate view's change-rate setting and the guided entry: the slot walk, the 掛率 for a 業務
// and for a range of rows, the update rule, the row activation by level and code, the guided
// entry's order, Enter on each level and the first steps of a new estimate.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "AppTestEnvironment.h"
#include "EstimateBuilders.h"
#include "EventWait.h"
#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "UnstartedViewTest.h"
#include "app/CommandIds.h"
#include "app/GyomuSelectDlg.h"
#include "app/HenkaritsuSettingDlg.h"
#include "app/KeisanKubunDlg.h"
#include "app/KenmeiDlg.h"
#include "app/KoshuSelectDlg.h"
#include "app/ProgramKingakuSelectDlg.h"
#include "app/AppTexts.h"
#include "app/ShubetsuSelectDlg.h"
#include "app/TaniInputDlg.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "app/VemoWinView.h"
#include "dialogkit/InputDialogs.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/Tx.h"
#include "dialogkit/ZoEdit.h"
#include "estimate/SekisanData.h"
#include "master/MasterStore.h"
#include "masteredit/MasterEditTexts.h"
#include "master/MasterTexts.h"
#include "dialogkit/DialogTexts.h"

using namespace masterbuild;
using estimate_test::ItemListBuilder;
using estimate_test::SameItem;

namespace {

CBukakeShubetsu& Entry(CBukakeFile& bukake, int g, int k, int s, const char* unit = "式", int type = 0) {
    CBukakeGyomu* gyomu = bukake.FindGyomu(g);
    if (!gyomu) gyomu = &AddGyomu(bukake, g, "業務" + std::to_string(g));
    CBukakeKoshu* koshu = gyomu->FindKoshu(k);
    if (!koshu) koshu = &AddKoshu(*gyomu, k, "工種" + std::to_string(k));
    CBukakeShubetsu* shubetsu = koshu->FindShubetsu(s);
    if (!shubetsu) {
        shubetsu = &AddShubetsu(*koshu, s, "種別" + std::to_string(s));
        AddLine(shubetsu->GetDetail(), "作業", {});
    }
    shubetsu->GetDetail().m_unit = unit;
    shubetsu->GetDetail().m_bukakeType = type;
    return *shubetsu;
}

// The change-rate dialog answered: the record it shows (by name) is noted; OK takes LL when given.
struct Answer {
    int result;
    const char* ll = nullptr;  // typed into the LL field
    bool multiply = false;     // the 掛率 multiplies the one there
    int col = 0, row = 0;      // a table cell moved to
};

// A list of notes in one line, as a failure prints it.
std::string Joined(const QStringList& notes) { return notes.join(QStringLiteral(" | ")).toStdString(); }

// The choice a change-rate dialog opens with: its LL field, or the table cell it selects; a dialog
// whose "戻る" is disabled says so.
QString OpenedChoice(CHenkaritsuSettingDlg& dlg) {
    const CZo_Edit* ll = dlg.findChild<CZo_Edit*>(QStringLiteral("ll"));
    const CSpreadSheet* grid = dlg.findChild<CSpreadSheet*>(QStringLiteral("grid"));
    QString choice = ll->isEnabled() ? ll->text()
                                     : QStringLiteral("(%1,%2)").arg(grid->GetActiveCol()).arg(grid->GetActiveRow());
    if (!dlg.findChild<QPushButton*>(QStringLiteral("back"))->isEnabled()) choice += QStringLiteral(" no-back");
    return choice;
}

class GuidedEntry : public UnstartedAppView<CVemoWinView> {
protected:
    void SetUp() override {
        UnstartedAppView::SetUp();
        app->Store().GetTankaFile() = SampleTankaFile();
        app->Store().GetProgramKingakuFile() = SampleProgramKingakuFile();
        MakeView();
        ShowView();
        // Rates of 業務 2: formula records whose LL default names them, and the 掛率.
        CHenkaritsuGyomu& group = AddGroup(Henka(), 2);
        for (int code : {101, 102, 103}) AddFormulaRecord(group, code, "LL", code * 100, "R" + std::to_string(code));
        AddFormulaRecord(group, 900, "LL", 10000, "R900");
    }

    CBukakeFile& Bukake() { return app->Store().GetBukakeFile(); }
    CHenkaritsuFile& Henka() { return app->Store().GetHenkaritsuFile(); }
    CSekisanItem& Item(int index) { return *List().GetItem(index); }
    CVemoWinDoc& Doc() { return *view->GetDocument(); }
    void Select(int index) {
        view->RefillGrid();
        view->SelectRow(index + 1);
        Doc().SetModifiedFlag(false);
    }
    bool Enabled(int id) {
        CCmdUI ui;
        EXPECT_TRUE(view->UpdateCommand(id, ui)) << id;
        return ui.enabled;
    }
    // Answers change-rate dialogs in order, noting the records they showed.
    // With `opened`, the choice each dialog opens with is noted beside its record's name.
    void ExpectRates(ScriptedDialogs& dialogs, std::vector<Answer> answers, QStringList& shown, bool opened = false) {
        for (const Answer& a : answers)
            dialogs.Expect<CHenkaritsuSettingDlg>([a, &shown, opened](CHenkaritsuSettingDlg& dlg) {
                QString note = dlg.findChild<QLabel*>(QStringLiteral("name"))->text();
                if (opened) note += QLatin1Char(' ') + OpenedChoice(dlg);
                shown << note;
                if (a.multiply) dlg.findChild<QRadioButton*>(QStringLiteral("applyMultiply"))->click();
                if (a.ll) dlg.findChild<CZo_Edit*>(QStringLiteral("ll"))->setText(QString::fromLatin1(a.ll));
                if (a.col > 0) {
                    bool cancel = false;
                    CSpreadSheet* grid = dlg.findChild<CSpreadSheet*>(QStringLiteral("grid"));
                    emit grid->LeaveCell(grid->GetActiveCol(), grid->GetActiveRow(), a.col, a.row, cancel);
                }
                return a.result;
            });
    }
    COLORREF Back(int index) {
        view->Grid()->SetRow(index + 1);
        view->Grid()->SetCol(1);
        return view->Grid()->GetBackColor();
    }
};

constexpr int kBack = CHenkaritsuSettingDlg::kBack;

// ---------------------------------------------------------------------------------------------
// Update rule

TEST_F(GuidedEntry, UpdateRuleAndTarget) {
    struct Case {
        const char* what;
        std::function<void(ItemListBuilder&)> build;
        int current;
        bool enabled;
        int target;
    };
    Entry(Bukake(), 2, 300, 1);
    Entry(Bukake(), 2, 300, 2, "式", 22);
    const Case cases[] = {
        {"種別 row", [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Shubetsu(1); }, 2, true, 0},
        {"種別 row of type 22", [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Shubetsu(2); }, 2, false, 0},
        {"種別 row without an entry", [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Shubetsu(9); }, 2, true, 0},
        {"業務 row with 種別", [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Shubetsu(1); }, 0, true, 1},
        {"業務 row with 工種 only", [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Gyomu(3).Koshu(1).Shubetsu(1); }, 0,
         false, 0},
        {"工種 row with 種別", [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Shubetsu(1); }, 1, true, 1},
        {"工種 row followed by another 工種's 種別",
         [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Koshu(301).Shubetsu(1); }, 1, false, 0},
        {"業務 without a 掛率 record", [](ItemListBuilder& b) { b.Gyomu(3).Koshu(300).Shubetsu(1); }, 0, false, 0},
        {"summary 業務", [](ItemListBuilder& b) { b.Gyomu(33).Koshu(300).Shubetsu(1); }, 0, false, 0},
    };
    AddFormulaRecord(AddGroup(Henka(), 33), 900, "LL");
    AddGroup(Henka(), 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        List().RemoveAll();
        ItemListBuilder b(List());
        c.build(b);
        Select(c.current);
        EXPECT_EQ(Enabled(cmd::Henkaritsu), c.enabled);
        EXPECT_EQ(view->HasHenkaritsuTarget(), c.target);
    }
}

// ---------------------------------------------------------------------------------------------
// The slot walk of one row

TEST_F(GuidedEntry, SlotWalkUnderOkCancelAndBack) {
    struct Case {
        const char* what;
        int type;
        int oldKakeritsu;
        std::vector<Answer> answers;
        QStringList shown;
        int ll0, ll2, ll8;
        int code8;  // the row's 掛率 code afterwards: set before its dialog opens, kept when a slot is taken
        bool modified;
    };
    const int u = kUnset;
    const Case cases[] = {
        {"all taken, 9 slots", 0, u, {{IDOK}, {IDOK}, {IDOK, "0.9"}}, {"R101", "R103", "R900"}, 10100, 10300, 9000, 900,
         true},
        {"8 slots: no 掛率", 1, u, {{IDOK}, {IDOK}}, {"R101", "R103"}, 10100, 10300, u, u, true},
        {"a cancelled slot moves on", 0, u, {{IDCANCEL}, {IDOK}, {IDCANCEL}}, {"R101", "R103", "R900"}, u, 10300, u, 900,
         true},
        {"戻る goes to the nearest earlier slot", 1, u, {{IDOK, "5"}, {kBack}, {IDOK, "6"}, {IDOK}},
         {"R101", "R103", "R101", "R103"}, 60000, 10300, u, u, true},
        {"戻る on 900 keeps its apply mode", 0, 12000, {{IDCANCEL}, {IDCANCEL}, {kBack, nullptr, true}, {IDOK}, {IDOK, "0.9"}},
         {"R101", "R103", "R900", "R103", "R900"}, u, 10300, 10800, 900, true},
        {"old × new", 0, 12000, {{IDCANCEL}, {IDCANCEL}, {IDOK, "0.9", true}}, {"R101", "R103", "R900"}, u, u, 10800, 900,
         true},
        {"a product beyond the field keeps the old 掛率", 0, 2000000000,
         {{IDCANCEL}, {IDCANCEL}, {IDOK, "900", true}}, {"R101", "R103", "R900"}, u, u, 2000000000, 900, true},
        {"every slot cancelled changes nothing", 0, u, {{IDCANCEL}, {IDCANCEL}, {IDCANCEL}},
         {"R101", "R103", "R900"}, u, u, u, u, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bukake() = CBukakeFile();
        CBukakeShubetsu& entry = Entry(Bukake(), 2, 300, 1, "m", c.type);
        entry.GetDetail().m_henkaritsu = {101, u, 103, u, u, u, u, u};
        List().RemoveAll();
        ItemListBuilder(List()).Gyomu(2).Koshu(300).Shubetsu(1, "行").Set([&](CSekisanItem& i) {
            i.m_nRateCode[0] = 101;
            i.m_nRateCode[2] = 103;
            i.m_nLL[8] = c.oldKakeritsu;
            i.m_nWeightAverage = 5000;
            i.m_bNameLowerEdited = 1;
        });
        Select(2);
        CSekisanItem before;
        before.Copy(Item(2));
        host->messages.clear();
        if (c.modified && c.shown.back() != "R900") host->answers.push_back(IDNO);
        if (c.modified && c.shown.back() == "R900") host->answers.push_back(IDNO);
        ScriptedDialogs dialogs;
        QStringList shown;
        ExpectRates(dialogs, c.answers, shown);
        EXPECT_TRUE(view->ExecuteCommand(cmd::Henkaritsu));
        EXPECT_EQ(dialogs.Pending(), 0u);
        EXPECT_EQ(shown, c.shown);
        const CSekisanItem& item = Item(2);
        EXPECT_EQ(Doc().IsModified(), c.modified);
        EXPECT_EQ(item.m_nRateCode[8], c.code8);
        before.m_nRateCode[8] = c.code8;
        if (!c.modified) {
            EXPECT_TRUE(SameItem(item, before));
            EXPECT_TRUE(host->messages.empty());
            continue;
        }
        EXPECT_EQ(item.m_nLL[0], c.ll0);
        EXPECT_EQ(item.m_nLL[2], c.ll2);
        EXPECT_EQ(item.m_nLL[8], c.ll8);
        EXPECT_TRUE(IsUnset(item.m_nWeightAverage));
        // The name-lower prompt, after the overflow message that names the row.
        ASSERT_FALSE(host->messages.empty());
        EXPECT_EQ(host->messages.back().text, apptext::kNameLowerEditedPrompt);
        if (c.ll8 == 2000000000) {
            EXPECT_EQ(host->messages.front().text,
                      std::string(mastertext::kNameOpen) + "行" + apptext::kKakeritsuOverflowClose);
        }
    }
}

// 戻る in the walk of one row goes to the nearest earlier slot that was shown, which opens with the
// row's value there; the first slot shown has 戻る disabled. Rate 104 has no record.
TEST_F(GuidedEntry, SlotWalkBackLandsOnAShownSlot) {
    struct Case {
        const char* what;
        std::array<int32_t, 8> codes;
        std::vector<Answer> answers;
        QStringList shown;
        std::array<int32_t, CSekisanItem::kRateSlots> ll;  // the row's LL of each slot afterwards
    };
    const int u = kUnset;
    const Case cases[] = {
        {"戻る passes over a slot without a record",
         {101, 104, 103, u, u, u, u, u},
         {{IDOK, "2"}, {kBack}, {IDOK}, {IDOK, "3"}, {IDCANCEL}},
         {"R101 1.0100 no-back", "R103 1.0300", "R101 2.0000 no-back", "R103 1.0300", "R900 1.0000"},
         {20000, u, 30000, u, u, u, u, u, u}},
        {"the first slot shown follows one without a record",
         {104, 101, u, 103, u, u, u, u},
         {{IDOK, "2"}, {IDOK, "3"}, {kBack}, {kBack}, {IDOK}, {IDOK}, {IDCANCEL}},
         {"R101 1.0100 no-back", "R103 1.0300", "R900 1.0000", "R103 3.0000", "R101 2.0000 no-back", "R103 3.0000",
          "R900 1.0000"},
         {u, 20000, u, 30000, u, u, u, u, u}},
        {"only the 掛率 is shown", {104, u, u, u, u, u, u, u}, {{IDOK, "0.9"}}, {"R900 1.0000 no-back"},
         {u, u, u, u, u, u, u, u, 9000}},
        {"an ordinary walk after an empty first slot",
         {u, 101, 102, 103, u, u, u, u},
         {{IDOK, "2"}, {IDOK, "3"}, {kBack}, {IDOK, "4"}, {IDOK}, {IDCANCEL}},
         {"R101 1.0100 no-back", "R102 1.0200", "R103 1.0300", "R102 3.0000", "R103 1.0300", "R900 1.0000"},
         {u, 20000, 40000, 10300, u, u, u, u, u}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bukake() = CBukakeFile();
        Entry(Bukake(), 2, 300, 1, "m", 0).GetDetail().m_henkaritsu = c.codes;
        List().RemoveAll();
        ItemListBuilder(List()).Gyomu(2).Koshu(300).Shubetsu(1).Set([&](CSekisanItem& i) {
            for (size_t slot = 0; slot < 8; ++slot) i.m_nRateCode[slot] = c.codes[slot];
        });
        Select(2);
        host->answers = {IDNO};  // the name-lower prompt
        ScriptedDialogs dialogs;
        QStringList shown;
        ExpectRates(dialogs, c.answers, shown, true);
        EXPECT_TRUE(view->ExecuteCommand(cmd::Henkaritsu));
        EXPECT_EQ(dialogs.Pending(), 0u);
        EXPECT_EQ(Joined(shown), Joined(c.shown));
        EXPECT_EQ(Item(2).m_nLL, c.ll);
    }
}

// ---------------------------------------------------------------------------------------------
// One 掛率 for a whole 業務

TEST_F(GuidedEntry, KakeritsuForEveryRowOfTheGyomu) {
    Entry(Bukake(), 2, 300, 1, "m", 0);
    Entry(Bukake(), 2, 300, 2, "m", 22);
    ItemListBuilder b(List());
    b.Gyomu(2).Koshu(300);
    // More than a hundred rows: every one takes the 掛率.
    for (int i = 0; i < 105; ++i) b.Shubetsu(1).Set([i](CSekisanItem& it) { it.m_nLL[8] = i == 0 ? 12000 : kUnset; });
    b.Shubetsu(2);
    b.Gyomu(3).Koshu(300).Shubetsu(1);
    Select(0);
    ScriptedDialogs dialogs;
    dialogs.Expect<CHenkaritsuSettingDlg>([](CHenkaritsuSettingDlg& dlg) {
        // The values differ: the field starts empty, the apply choice shows, "戻る" reads ｷｬﾝｾﾙ.
        EXPECT_EQ(dlg.findChild<QPushButton*>(QStringLiteral("back"))->text(), Tx(dialogtext::kCancel));
        EXPECT_TRUE(dlg.findChild<QRadioButton*>(QStringLiteral("applyMultiply"))->isVisibleTo(&dlg));
        EXPECT_TRUE(dlg.findChild<CZo_Edit*>(QStringLiteral("ll"))->text().isEmpty());
        dlg.findChild<QRadioButton*>(QStringLiteral("applyMultiply"))->click();
        dlg.findChild<CZo_Edit*>(QStringLiteral("ll"))->setText(QStringLiteral("0.9"));
        return IDOK;
    });
    EXPECT_TRUE(view->ExecuteCommand(cmd::Henkaritsu));
    EXPECT_TRUE(Doc().IsModified());
    // Old × new where there was one; the new one as it is elsewhere, through row 107.
    EXPECT_EQ(Item(2).m_nLL[8], 10800);
    for (int i = 3; i < 2 + 105; ++i) {
        EXPECT_EQ(Item(i).m_nLL[8], 9000) << i;
        EXPECT_EQ(Item(i).m_nRateCode[8], 900) << i;
    }
    EXPECT_TRUE(IsUnset(Item(2 + 105).m_nLL[8]));  // type 22
    EXPECT_TRUE(IsUnset(Item(List().GetCount() - 1).m_nLL[8]));  // another 業務
}

// ---------------------------------------------------------------------------------------------
// The rows a 工種 total multiplies: their rates together

TEST_F(GuidedEntry, RangeOfATotalRow) {
    const int u = kUnset;
    Entry(Bukake(), 2, 300, 1, "m", 23);
    Entry(Bukake(), 2, 300, 2, "m", 0).GetDetail().m_henkaritsu = {101, 102, u, u, u, u, u, u};
    Entry(Bukake(), 2, 300, 3, "m", 4).GetDetail().m_henkaritsu = {102, 103, u, u, u, u, u, u};
    ItemListBuilder b(List());
    b.Gyomu(2).Koshu(300).Shubetsu(1);
    b.Shubetsu(2).Set([](CSekisanItem& i) { i.m_nRateCode[0] = 101, i.m_nRateCode[1] = 102; });
    b.Shubetsu(3).Set([](CSekisanItem& i) { i.m_nRateCode[0] = 102, i.m_nRateCode[1] = 103; });
    b.Shubetsu(1).Shubetsu(1).Shubetsu(2);
    Select(2);
    ScriptedDialogs dialogs;
    QStringList shown;
    // 戻る from 103 goes back to index 1 (the last row's H2 is set), then on.
    ExpectRates(dialogs, {{IDOK, "1"}, {IDOK, "2"}, {kBack}, {IDOK, "4"}, {IDCANCEL}, {IDOK, "0.5"}}, shown);
    EXPECT_TRUE(view->ExecuteCommand(cmd::Henkaritsu));
    EXPECT_EQ(shown, (QStringList{"R101", "R102", "R103", "R102", "R103", "R900"}));
    EXPECT_EQ(Item(3).m_nLL[0], 10000);
    EXPECT_EQ(Item(3).m_nLL[1], 40000);
    EXPECT_EQ(Item(4).m_nLL[0], 40000);
    EXPECT_TRUE(IsUnset(Item(4).m_nLL[1]));
    for (int i : {3, 4}) EXPECT_EQ(Item(i).m_nLL[8], 5000);
    // Rows after the next total are not in the range.
    EXPECT_TRUE(IsUnset(Item(7).m_nLL[0]));

    // A total followed at once by another does nothing.
    Select(5);
    ScriptedDialogs none;
    EXPECT_TRUE(view->ExecuteCommand(cmd::Henkaritsu));
    EXPECT_FALSE(Doc().IsModified());
}

// The guided entry's rates over its rows: 戻る goes back to the slot the walk came from, even where
// the rows name different rates, and opens it with the choice confirmed there, which 次へ writes
// into every row again. A slot seen for the first time opens with the record's default.
TEST_F(GuidedEntry, RangeBackReopensTheSlotItLeftWithItsChoice) {
    const int u = kUnset;
    // A table record besides the formula ones: (1,1) 1.0, (2,1) 1.1.
    CHenkaritsuRecord& table = AddTableRecord(*Henka().FindGyomu(2), 105, "R105");
    table.SetCell(1, 1, 1000);
    table.SetCell(2, 1, 1100);
    table.m_standardColumn = 1;
    table.m_standardRow = 1;
    struct Row {
        int type;
        std::array<int32_t, 8> codes;
    };
    // A slot of a row afterwards.
    struct Taken {
        int row, slot;
        int col, rateRow, ll;
    };
    struct Case {
        const char* what;
        std::vector<Row> rows;
        std::vector<Answer> answers;
        QStringList shown;
        std::vector<Taken> taken;
    };
    const Case cases[] = {
        {"typed, 次へ, 戻る from the 掛率, 次へ",
         {{0, {105, 101, u, u, u, u, u, u}}, {0, {105, 101, u, u, u, u, u, u}}},
         {{IDOK, nullptr, false, 2, 1}, {IDOK, "3.5"}, {kBack}, {kBack}, {IDOK}, {IDOK}, {IDOK}},
         {"R105 (1,1) no-back", "R101 1.0100", "R900 1.0000", "R101 3.5000", "R105 (2,1) no-back", "R101 3.5000", "R900 1.0000"},
         {{0, 0, 2, 1, u}, {0, 1, u, u, 35000}, {0, 8, u, u, 10000}, {1, 0, 2, 1, u}, {1, 1, u, u, 35000},
          {1, 8, u, u, 10000}}},
        {"戻る across rows that name different rates",
         {{1, {101, 102, u, u, u, u, u, u}}, {1, {103, u, u, u, u, u, u, u}}},
         {{IDOK, "2"}, {IDOK, "3"}, {kBack}, {IDOK}, {IDOK, "4"}},
         {"R101 1.0100 no-back", "R102 1.0200", "R103 1.0300", "R102 3.0000", "R103 1.0300"},
         {{0, 0, u, u, 20000}, {0, 1, u, u, 30000}, {1, 0, u, u, 40000}}},
        {"戻る passes over a rate without a record",
         {{1, {101, u, u, u, u, u, u, u}}, {1, {104, 103, u, u, u, u, u, u}}},
         {{IDOK, "2"}, {kBack}, {IDOK}, {IDOK}},
         {"R101 1.0100 no-back", "R103 1.0300", "R101 2.0000 no-back", "R103 1.0300"},
         {{0, 0, u, u, 20000}, {1, 1, u, u, 10300}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bukake() = CBukakeFile();
        List().RemoveAll();
        ItemListBuilder b(List());
        b.Gyomu(2).Koshu(300);
        for (size_t r = 0; r < c.rows.size(); ++r) {
            const int code = static_cast<int>(r) + 1;
            Entry(Bukake(), 2, 300, code, "式", c.rows[r].type).GetDetail().m_henkaritsu = c.rows[r].codes;
            b.Shubetsu(code).Set([&](CSekisanItem& i) {
                for (size_t slot = 0; slot < 8; ++slot) i.m_nRateCode[slot] = c.rows[r].codes[slot];
            });
        }
        Select(1);
        host->answers = {IDNO};  // no calculation categories
        ScriptedDialogs dialogs;
        QStringList shown;
        ExpectRates(dialogs, c.answers, shown, true);
        view->GuidedEntry(0, 0);
        EXPECT_EQ(dialogs.Pending(), 0u);
        EXPECT_EQ(Joined(shown), Joined(c.shown));
        for (const Taken& s : c.taken) {
            SCOPED_TRACE(testing::Message() << "row " << s.row << " slot " << s.slot);
            const CSekisanItem& item = Item(2 + s.row);
            const size_t slot = static_cast<size_t>(s.slot);
            EXPECT_EQ(item.m_nRateCol[slot], s.col);
            EXPECT_EQ(item.m_nRateRow[slot], s.rateRow);
            EXPECT_EQ(item.m_nLL[slot], s.ll);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Row activation by level and code

TEST_F(GuidedEntry, ActivationByLevelAndCode) {
    struct Case {
        const char* what;
        std::function<void(CBukakeFile&, ItemListBuilder&)> build;
        std::vector<std::string> dialogs;
        std::vector<std::string> questions;
    };
    const int u = kUnset;
    const Case cases[] = {
        {"業務 89 without an amount", [](CBukakeFile& m, ItemListBuilder& b) { AddGyomu(m, 89); b.Summary(89); },
         {"CTaniInputDlg", "CNumberInputDlg", "CNumberInputDlg"}, {}},
        {"業務 96 without an amount", [](CBukakeFile& m, ItemListBuilder& b) { AddGyomu(m, 96); b.Summary(96); },
         {"CNumberInputDlg"}, {}},
        {"業務 89 without a 歩掛 entry", [](CBukakeFile&, ItemListBuilder& b) { b.Summary(89); }, {}, {}},
        {"業務 without 工種", [](CBukakeFile& m, ItemListBuilder& b) { Entry(m, 2, 300, 1); b.Gyomu(2).Amount(0); },
         {"CKoshuSelectDlg"}, {}},
        {"工種 80 without master 種別",
         [](CBukakeFile& m, ItemListBuilder& b) {
             Entry(m, 2, 300, 1);
             AddKoshu(*m.FindGyomu(2), 80);
             b.Gyomu(2).Koshu(80);
         },
         {"CTaniInputDlg", "CNumberInputDlg", "CNumberInputDlg"}, {}},
        {"工種 838 is computed", [](CBukakeFile& m, ItemListBuilder& b) { Entry(m, 2, 838, 1); b.Gyomu(2).Koshu(838); }, {}, {}},
        {"工種 96", [](CBukakeFile& m, ItemListBuilder& b) { Entry(m, 2, 96, 1); b.Gyomu(2).Koshu(96); },
         {"CNumberInputDlg"}, {}},
        {"工種 without 種別", [](CBukakeFile& m, ItemListBuilder& b) { Entry(m, 2, 300, 1); b.Gyomu(2).Koshu(300); },
         {"CShubetsuSelectDlg"}, {}},
        {"種別 whose formula needs LL",
         [u](CBukakeFile& m, ItemListBuilder& b) {
             Entry(m, 2, 300, 1, "m").GetDetail().m_henkaritsu = {101, u, u, u, u, u, u, u};
             b.Gyomu(2).Koshu(300).Shubetsu(1).Amount(0);
         },
         {"CHenkaritsuSettingDlg", "CHenkaritsuSettingDlg", "CNumberInputDlg"}, {apptext::kGuidedKeisanKubunQuestion}},
        {"種別 in 式 whose formula needs LL: no quantity",
         [u](CBukakeFile& m, ItemListBuilder& b) {
             Entry(m, 2, 300, 1, "式").GetDetail().m_henkaritsu = {101, u, u, u, u, u, u, u};
             b.Gyomu(2).Koshu(300).Shubetsu(1).Amount(0).Set([](CSekisanItem& i) { i.m_strUnit = "式"; });
         },
         {"CHenkaritsuSettingDlg", "CHenkaritsuSettingDlg"}, {apptext::kGuidedKeisanKubunQuestion}},
        {"種別 with its LL", [u](CBukakeFile& m, ItemListBuilder& b) {
             Entry(m, 2, 300, 1, "式").GetDetail().m_henkaritsu = {101, u, u, u, u, u, u, u};
             b.Gyomu(2).Koshu(300).Shubetsu(1).Amount(0).Set([](CSekisanItem& i) { i.m_nLL[0] = 1; });
         }, {}, {}},
        {"種別 of 業務 1, 工種 13 is left to the user",
         [](CBukakeFile& m, ItemListBuilder& b) { Entry(m, 1, 13, 1, "m"); b.Gyomu(1).Koshu(13).Shubetsu(1); }, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bukake() = CBukakeFile();
        List().RemoveAll();
        ItemListBuilder b(List());
        c.build(Bukake(), b);
        Select(List().GetCount() - 1);
        host->messages.clear();
        for (size_t i = 0; i < c.questions.size(); ++i) host->answers.push_back(IDNO);
        ScriptedDialogs dialogs;
        for (const std::string& name : c.dialogs) {
            if (name == "CTaniInputDlg") dialogs.Expect<CTaniInputDlg>(IDCANCEL);
            if (name == "CNumberInputDlg") dialogs.Expect<CNumberInputDlg>(IDCANCEL);
            if (name == "CKoshuSelectDlg") dialogs.Expect<CKoshuSelectDlg>(IDCANCEL);
            if (name == "CShubetsuSelectDlg") dialogs.Expect<CShubetsuSelectDlg>(IDCANCEL);
            if (name == "CHenkaritsuSettingDlg") dialogs.Expect<CHenkaritsuSettingDlg>(IDCANCEL);
        }
        view->OnGridClick(1, List().GetCount());
        EXPECT_EQ(dialogs.classes, c.dialogs);
        EXPECT_EQ(host->MessageTexts(), c.questions);
    }
}

// A 工種 row without 種別: the 種別 chosen, then their guided entry in order; the arrow key activates.
TEST_F(GuidedEntry, KoshuRowLeadsIntoTheShubetsuAndTheirGuidedEntry) {
    const int u = kUnset;
    CBukakeShubetsu& first = Entry(Bukake(), 2, 300, 1, "m", 3);
    first.GetDetail().m_henkaritsu = {101, u, u, u, u, u, u, u};
    first.GetDetail().m_programKingaku = 1;
    Entry(Bukake(), 2, 300, 2, "km", 0).GetDetail().m_programKingaku = 1;
    ItemListBuilder(List()).Gyomu(2).Koshu(300);
    Select(1);
    host->answers = {IDYES};  // a quantity for each row (the single-choice note has OK only)
    ScriptedDialogs dialogs;
    dialogs.Expect<CShubetsuSelectDlg>([](CShubetsuSelectDlg& dlg) {
        dlg.findChild<QPushButton*>(QStringLiteral("add"))->click();
        dlg.MasterList()->setCurrentItem(dlg.MasterList()->topLevelItem(1));
        dlg.findChild<QPushButton*>(QStringLiteral("add"))->click();
        return IDOK;
    });
    std::vector<int> painted;
    dialogs.Expect<CKeisanKubunDlg>([&](CKeisanKubunDlg&) {
        painted = {static_cast<int>(Back(2)), static_cast<int>(Back(3))};
        return IDCANCEL;
    });
    dialogs.Expect<CKeisanKubunDlg>(IDCANCEL);
    QStringList shown;
    ExpectRates(dialogs, {{IDOK, "2"}, {IDCANCEL}}, shown);
    dialogs.Expect<CProgramKingakuSelectDlg>([](CProgramKingakuSelectDlg& dlg) {
        dlg.SetCode(3);
        return IDCANCEL;
    });
    dialogs.Expect<CNumberInputDlg>([](CNumberInputDlg& dlg) {
        EXPECT_EQ(dlg.GetMode(), 11);
        dlg.findChild<CZo_Edit*>()->setText(QStringLiteral("12.5"));
        return IDOK;
    });
    dialogs.Expect<CNumberInputDlg>(IDCANCEL);
    view->OnGridKeyUp(0x28);
    EXPECT_EQ(dialogs.Pending(), 0u);
    EXPECT_EQ(shown, (QStringList{"R101", "R900"}));
    ASSERT_EQ(List().GetCount(), 4);
    // The two questions, before the recalculation's note of the missing unit price.
    ASSERT_GE(host->messages.size(), 2u);
    EXPECT_EQ(host->messages[0].text, apptext::kGuidedSingleChoiceNote);
    EXPECT_EQ(host->messages[1].text, apptext::kGuidedSuryoEachQuestion);
    EXPECT_EQ(host->messages[0].caption, masteredittext::kConfirmCaption);
    EXPECT_EQ(host->messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(host->messages[1].buttons, MsgButtons::YesNo);
    EXPECT_EQ(host->messages[1].defaultButton, 2);
    EXPECT_EQ(host->messages[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(dialogs.titles[dialogs.titles.size() - 2], Tx("「種別1」 数量入力"));
    EXPECT_EQ(dialogs.titles.back(), Tx("「種別2」 数量入力"));
    EXPECT_EQ(painted, (std::vector<int>{static_cast<int>(CVemoWinView::kGuidedEntryBack),
                                          static_cast<int>(CVemoWinView::kGuidedEntryBack)}));
    // Rates over the range; the program amount not chosen; the first quantity taken, the cancelled
    // one leaving the row's as it was.
    EXPECT_EQ(Item(2).m_nLL[0], 20000);
    EXPECT_TRUE(IsUnset(Item(2).m_nYearCode));
    EXPECT_EQ(Item(2).m_nQuantity, 12500);
    EXPECT_EQ(Item(2).m_strUnit, "m");
    EXPECT_TRUE(IsUnset(Item(3).m_nQuantity));
    EXPECT_EQ(Item(3).m_strUnit, "km");
    // The rows' colour restored, the 工種 row current.
    EXPECT_EQ(view->GetCurrentRow(), 1);
    EXPECT_EQ(Back(2), CVemoWinView::kRowBack);
    EXPECT_TRUE(Doc().IsModified());
}

// One quantity for all, or a cancelled dialog.
TEST_F(GuidedEntry, OneQuantityForAllRows) {
    struct Case {
        const char* what;
        int result;
        int quantity;
    };
    for (const Case& c : {Case{"OK", IDOK, 3000}, Case{"cancelled", IDCANCEL, 7000}}) {
        SCOPED_TRACE(c.what);
        Bukake() = CBukakeFile();
        Entry(Bukake(), 4, 300, 1, "m");
        Entry(Bukake(), 4, 300, 2, "m");
        Entry(Bukake(), 4, 300, 3, "式");
        List().RemoveAll();
        ItemListBuilder(List()).Gyomu(4).Koshu(300).Shubetsu(1).Quantity(7000).Shubetsu(2).Quantity(7000).Shubetsu(3);
        Select(1);
        host->messages.clear();
        host->answers = {IDNO};
        ScriptedDialogs dialogs;
        dialogs.Expect<CNumberInputDlg>([&](CNumberInputDlg& dlg) {
            dlg.findChild<CZo_Edit*>()->setText(QStringLiteral("3"));
            return c.result;
        });
        view->GuidedEntry(1, 0);
        EXPECT_EQ(dialogs.titles, std::vector<QString>{Tx(apptext::kGuidedSuryoBulkTitle)});
        // 業務 4: no calculation-category question.
        EXPECT_EQ(host->MessageTexts(), std::vector<std::string>{apptext::kGuidedSuryoEachQuestion});
        EXPECT_EQ(Item(2).m_nQuantity, c.quantity);
        EXPECT_EQ(Item(3).m_nQuantity, c.quantity);
        EXPECT_EQ(Item(4).m_nQuantity, 1000);
    }
}

// ---------------------------------------------------------------------------------------------
// Enter and a new estimate

TEST_F(GuidedEntry, EnterRunsTheRowsCommand) {
    struct Case {
        const char* what;
        std::function<void(ItemListBuilder&)> build;
        std::vector<std::string> dialogs;
    };
    Entry(Bukake(), 2, 300, 1, "m");
    AddKoshu(*Bukake().FindGyomu(2), 301);
    const Case cases[] = {
        {"業務 row", [](ItemListBuilder& b) { b.Gyomu(2); }, {"CKoshuSelectDlg"}},
        {"summary 業務 row", [](ItemListBuilder& b) { b.Summary(95); }, {}},
        {"工種 row with master 種別", [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300); }, {"CShubetsuSelectDlg"}},
        {"工種 row without", [](ItemListBuilder& b) { b.Gyomu(2).Koshu(301); }, {}},
        {"種別 row in m", [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Shubetsu(1).Set([](CSekisanItem& i) { i.m_strUnit = "m"; }); },
         {"CNumberInputDlg"}},
        {"種別 row in 式", [](ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Shubetsu(1).Set([](CSekisanItem& i) { i.m_strUnit = "式"; }); },
         {}},
        {"種別 row in 式 with its amount entered",
         [](ItemListBuilder& b) {
             b.Gyomu(2).Koshu(300).Shubetsu(1).Set([](CSekisanItem& i) {
                 i.m_strUnit = "式";
                 i.m_bAmountEntered = 1;
             });
         },
         {"CNumberInputDlg"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        List().RemoveAll();
        ItemListBuilder b(List());
        c.build(b);
        Select(List().GetCount() - 1);
        ScriptedDialogs dialogs;
        for (const std::string& name : c.dialogs) {
            if (name == "CKoshuSelectDlg") dialogs.Expect<CKoshuSelectDlg>(IDCANCEL);
            if (name == "CShubetsuSelectDlg") dialogs.Expect<CShubetsuSelectDlg>(IDCANCEL);
            if (name == "CNumberInputDlg") dialogs.Expect<CNumberInputDlg>(IDCANCEL);
        }
        view->OnGridKeyDown(13);
        EXPECT_EQ(dialogs.classes, c.dialogs);
    }
}

TEST_F(GuidedEntry, NewEstimateAsksTheTitleThenTheGyomu) {
    struct Case {
        const char* what;
        int result;
        const char* kenmei;
        bool modified;
        const char* before = "";
    };
    for (const Case& c : {Case{"OK", IDOK, "橋梁設計", true}, Case{"cancelled", IDCANCEL, "なし", false},
                          Case{"OK on the title it had", IDOK, "橋梁設計", false, "橋梁設計"}}) {
        SCOPED_TRACE(c.what);
        Doc().SetModifiedFlag(false);
        List().m_strKenmei = c.before;
        ScriptedDialogs dialogs;
        dialogs.Expect<CKenmeiDlg>([&](CKenmeiDlg& dlg) {
            dlg.findChild<QComboBox*>(QStringLiteral("kenmei"))->setEditText(Tx("橋梁設計"));
            return c.result;
        });
        dialogs.Expect<CGyomuSelectDlg>(IDCANCEL);
        view->RefreshHeader();
        EXPECT_EQ(dialogs.Pending(), 0u);
        EXPECT_EQ(view->KenmeiText(), Tx(c.kenmei));
        EXPECT_EQ(Doc().IsModified(), c.modified);
        EXPECT_EQ(view->GetCurrentRow(), -1);
    }
}

}  // namespace
