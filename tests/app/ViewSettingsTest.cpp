// The estimate view's row-setting commands: their update rules, their dialogs and prompts, and
// what they write into the estimate.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <optional>

#include "AppTestEnvironment.h"
#include "EstimateBuilders.h"
#include "EventWait.h"
#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "SelectionLists.h"
#include "TempFolder.h"
#include "UnstartedViewTest.h"
#include "ZairyoTankaSettingScript.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/DaikaNoDlg.h"
#include "app/IkkatsuSettingDlg.h"
#include "app/KeisanKubunDlg.h"
#include "app/KoshuSelectDlg.h"
#include "app/MainFrame.h"
#include "app/MarumeSettingDlg.h"
#include "app/ProgramKingakuSelectDlg.h"
#include "app/AppTexts.h"
#include "app/ShellWindows.h"
#include "app/ShubetsuSelectDlg.h"
#include "app/TaniInputDlg.h"
#include "app/TankaSettingDlg.h"
#include "app/VemoWinApp.h"
#include "dialogkit/Tx.h"
#include "masteredit/MasterEditTexts.h"
#include "app/VemoWinDoc.h"
#include "app/VemoWinView.h"
#include "dialogkit/InputDialogs.h"
#include "dialogkit/ZoEdit.h"
#include "estimate/EstimateTexts.h"
#include "estimate/SekisanData.h"
#include "master/MasterFile.h"
#include "master/MasterStore.h"
#include "master/MasterTexts.h"
#include "platform/FileUtil.h"
#include "platform/TextUtil.h"

using namespace masterbuild;
using estimate_test::ItemListBuilder;
using estimate_test::SameItem;
using estimate_test::StoredBytes;

namespace {

CZo_Edit* Field(QWidget& w, const char* name) {
    auto* field = w.findChild<CZo_Edit*>(QString::fromLatin1(name));
    EXPECT_NE(field, nullptr) << name;
    return field;
}

template <class T>
T* Child(QWidget& w, const char* name) {
    T* child = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// The commands that have an update rule of their own.
constexpr int kRuledCommands[] = {cmd::KeisanKubun, cmd::Suryo,   cmd::InsatsuUmu, cmd::KoshuKei, cmd::Juryo,
                                  cmd::DaikaNo,     cmd::Tani,    cmd::Kingaku,    cmd::Ritsu,    cmd::Marume,
                                  cmd::Seido,       cmd::Denshi,  cmd::ProgramKingaku};

// The 歩掛 種別 entry (g, k, s) of a master, made with its 業務 and 工種 when missing: a lump (式)
// entry of type 0 with one named calculation category unless changed.
CBukakeKoshu& KoshuEntry(CBukakeFile& bukake, int g, int k) {
    CBukakeGyomu* gyomu = bukake.FindGyomu(g);
    if (!gyomu) gyomu = &AddGyomu(bukake, g, "業務" + std::to_string(g));
    CBukakeKoshu* koshu = gyomu->FindKoshu(k);
    return koshu ? *koshu : AddKoshu(*gyomu, k, "工種" + std::to_string(k));
}

CBukakeShubetsu& Entry(CBukakeFile& bukake, int g, int k, int s) {
    CBukakeKoshu& koshu = KoshuEntry(bukake, g, k);
    if (CBukakeShubetsu* found = koshu.FindShubetsu(s)) return *found;
    CBukakeShubetsu& shubetsu = AddShubetsu(koshu, s, "種別" + std::to_string(s));
    shubetsu.GetDetail().m_unit = "式";
    AddLine(shubetsu.GetDetail(), "作業", {});
    return shubetsu;
}

// What a rule case builds: the 歩掛 master and the estimate, whose last row is made current.
struct Scene {
    CBukakeFile& bukake;
    ItemListBuilder& b;
    CAppSettings& settings;
};
using Build = std::function<void(Scene&)>;
using EntryChange = std::function<void(CBukakeShubetsu&)>;
using ItemChange = std::function<void(CSekisanItem&)>;

Build GyomuRow(int g) {
    return [g](Scene& s) { s.b.Gyomu(g); };
}
Build KoshuRow(int g, int k, ItemChange change = {}) {
    return [=](Scene& s) {
        s.b.Gyomu(g).Koshu(k);
        if (change) s.b.Set(change);
    };
}
// A 種別 row under (g, k) with the row's unit; entry null: no 歩掛 entry.
Build ShubetsuRow(int g, int k, EntryChange entry, const char* unit = "式", ItemChange change = {}) {
    return [=](Scene& s) {
        if (entry) entry(Entry(s.bukake, g, k, 1));
        s.b.Gyomu(g).Koshu(k).Shubetsu(1).Set([unit](CSekisanItem& i) { i.m_strUnit = unit; });
        if (change) s.b.Set(change);
    };
}
EntryChange Type(int type, const char* unit = "式") {
    return [=](CBukakeShubetsu& e) {
        e.GetDetail().m_bukakeType = type;
        e.GetDetail().m_unit = unit;
    };
}
const EntryChange kEntry = Type(0);
const EntryChange kNoEntry;
void Entered(CSekisanItem& i) { i.m_bAmountEntered = 1; }

// A view of an estimate built in code, priced by an application that has not started: its store's
// masters are filled by the test.
class ViewSettings : public UnstartedAppView<CVemoWinView> {
protected:
    void SetUp() override {
        UnstartedAppView::SetUp();
        app->Store().GetTankaFile() = SampleTankaFile();
        app->Store().GetProgramKingakuFile() = SampleProgramKingakuFile();
        MakeView();
        ShowView();
    }

    CBukakeFile& Bukake() { return app->Store().GetBukakeFile(); }
    ItemListBuilder Build() { return ItemListBuilder(List()); }
    CSekisanItem& Item(int index) { return *List().GetItem(index); }
    CVemoWinDoc& Doc() { return *view->GetDocument(); }
    // Refills the grid and makes a row current.
    void Select(int index) {
        view->RefillGrid();
        view->SelectRow(index + 1);
        ASSERT_EQ(view->GetCurrentRow(), index);
    }
    bool Enabled(int id) {
        CCmdUI ui;
        EXPECT_TRUE(view->UpdateCommand(id, ui)) << id;
        return ui.enabled;
    }
    void Run(int id) { EXPECT_TRUE(view->ExecuteCommand(id)) << id; }
    // A fresh estimate and 歩掛 master made by build; its last row is current, the document unmodified.
    void Make(const ::Build& build) {
        List().RemoveAll();
        Bukake() = CBukakeFile();
        ItemListBuilder b(List());
        Scene scene{Bukake(), b, app->Settings()};
        build(scene);
        Select(List().GetCount() - 1);
        Doc().SetModifiedFlag(false);
    }
    // The texts of the prompts shown, in order (other messages included).
    std::vector<std::string> Messages() const { return host->MessageTexts(); }
    std::string Pane(int pane) {
        auto it = host->panes.find(pane);
        return it == host->panes.end() || it->second.empty() ? "(none)" : it->second.back();
    }
};

// ---------------------------------------------------------------------------------------------
// Update rules

TEST_F(ViewSettings, EveryUpdateRuleByLevelAndCodes) {
    struct Case {
        const char* what;
        int id;
        bool enabled;
        ::Build build;
    };
    using namespace cmd;
    auto gijyutu = [](int value, ::Build row) {
        return [=](Scene& s) {
            s.settings.GijyutuCalc = value;
            row(s);
        };
    };
    auto withRows = [](::Build row, std::function<void(ItemListBuilder&)> more) {
        return [=](Scene& s) {
            more(s.b);
            row(s);
        };
    };
    auto noLevel = [](int g, int k) {
        return [=](Scene& s) { s.b.Node(estimate_test::MakeItem(g, k, 1)); };
    };
    auto coefficient = [](int value) {
        return [=](CBukakeShubetsu& e) { e.m_coefficient = value; };
    };
    auto rate = [](size_t slot, int value) {
        return [=](CBukakeShubetsu& e) { e.GetDetail().m_rates[slot] = value; };
    };
    auto program = [](int flag) {
        return [=](CBukakeShubetsu& e) { e.GetDetail().m_programKingaku = flag; };
    };
    auto daika = [](int no) {
        return [=](CSekisanItem& i) { i.m_nDaikaNo = no; };
    };
    const Case cases[] = {
        // 積算区分: a 種別 row with categories; 業務 4 and 5 only for type 0.
        {"積算区分 on a 種別 row", KeisanKubun, true, ShubetsuRow(2, 300, kEntry)},
        {"積算区分 without an entry", KeisanKubun, false, ShubetsuRow(2, 300, kNoEntry)},
        {"積算区分 in 業務 4, type 0", KeisanKubun, true, ShubetsuRow(4, 100, Type(0))},
        {"積算区分 in 業務 4, type 3", KeisanKubun, false, ShubetsuRow(4, 100, Type(3))},
        {"積算区分 in 業務 5, type 3", KeisanKubun, false, ShubetsuRow(5, 100, Type(3))},
        {"積算区分 in 業務 2, type 3", KeisanKubun, true, ShubetsuRow(2, 300, Type(3))},
        {"積算区分 without named categories", KeisanKubun, false,
         ShubetsuRow(2, 300, [](CBukakeShubetsu& e) { e.GetDetail().GetLine(0)->m_name.clear(); })},
        {"積算区分 on a 工種 row", KeisanKubun, false, KoshuRow(2, 300)},
        // 数量: a 種別 row priced by quantity, or with its amount entered.
        {"数量 on a row in m", Suryo, true, ShubetsuRow(2, 300, Type(0, "m"), "m")},
        {"数量 on a row in 式", Suryo, false, ShubetsuRow(2, 300, kEntry, "式")},
        {"数量 on a row in 業務", Suryo, false, ShubetsuRow(2, 300, kEntry, "業務")},
        {"数量 on a row in 式 with its amount entered", Suryo, true, ShubetsuRow(2, 300, kEntry, "式", Entered)},
        {"数量 on type 13", Suryo, false, ShubetsuRow(2, 300, Type(13, "m"), "m")},
        {"数量 on type 22", Suryo, false, ShubetsuRow(2, 300, Type(22, "m"), "m")},
        {"数量 on type 23", Suryo, false, ShubetsuRow(4, 100, Type(23, "m"), "m")},
        {"数量 without an entry", Suryo, true, ShubetsuRow(2, 300, kNoEntry, "m")},
        {"数量 on a 工種 row", Suryo, false, KoshuRow(2, 300, [](CSekisanItem& i) { i.m_strUnit = "m"; })},
        // 印刷有無: any row but a 種別 row.
        {"印刷有無 on a 業務 row", InsatsuUmu, true, GyomuRow(2)},
        {"印刷有無 on a 工種 row", InsatsuUmu, true, KoshuRow(2, 300)},
        {"印刷有無 on a 種別 row", InsatsuUmu, false, ShubetsuRow(2, 300, kEntry)},
        {"印刷有無 on a row of no level", InsatsuUmu, true, noLevel(kUnset, 5)},
        // 工種計: a 工種 row with 種別 rows.
        {"工種計 on a 工種 row with 種別", KoshuKei, true,
         withRows(KoshuRow(2, 301), [](ItemListBuilder& b) { b.Gyomu(2).Koshu(301).Shubetsu(1).Gyomu(3); })},
        {"工種計 on a 工種 row without", KoshuKei, false, KoshuRow(2, 300)},
        {"工種計 on a 種別 row", KoshuKei, false, ShubetsuRow(2, 300, kEntry)},
        // 重量: by the entry's type; 業務 4 and 5 take every type but 6, 9 and 22.
        {"重量 type 0", Juryo, true, ShubetsuRow(2, 300, Type(0))},
        {"重量 type 10", Juryo, true, ShubetsuRow(2, 300, Type(10))},
        {"重量 type 21", Juryo, true, ShubetsuRow(2, 300, Type(21))},
        {"重量 type 24", Juryo, true, ShubetsuRow(2, 300, Type(24))},
        {"重量 type 31", Juryo, true, ShubetsuRow(2, 300, Type(31))},
        {"重量 type 5", Juryo, false, ShubetsuRow(2, 300, Type(5))},
        {"重量 type 23", Juryo, false, ShubetsuRow(2, 300, Type(23))},
        {"重量 type 32", Juryo, false, ShubetsuRow(2, 300, Type(32))},
        {"重量 type 6", Juryo, false, ShubetsuRow(2, 300, Type(6))},
        {"重量 type 5 in 業務 4", Juryo, true, ShubetsuRow(4, 100, Type(5))},
        {"重量 type 23 in 業務 5", Juryo, true, ShubetsuRow(5, 100, Type(23))},
        {"重量 type 6 in 業務 4", Juryo, false, ShubetsuRow(4, 100, Type(6))},
        {"重量 type 9 in 業務 4", Juryo, false, ShubetsuRow(4, 100, Type(9))},
        {"重量 type 22 in 業務 5", Juryo, false, ShubetsuRow(5, 100, Type(22))},
        {"重量 without an entry", Juryo, false, ShubetsuRow(4, 100, kNoEntry)},
        {"重量 on a 工種 row", Juryo, false, KoshuRow(4, 100)},
        // 代価No, rows without 種別.
        {"代価No 71 in 業務 1", DaikaNo, true, KoshuRow(1, 71)},
        {"代価No 71 in 業務 6", DaikaNo, true, KoshuRow(6, 71)},
        {"代価No 71 in 業務 4", DaikaNo, true, KoshuRow(4, 71)},
        {"代価No 71 in 業務 2", DaikaNo, false, KoshuRow(2, 71)},
        {"代価No 79 in 業務 2", DaikaNo, true, KoshuRow(2, 79)},
        {"代価No 79 in 業務 7", DaikaNo, true, KoshuRow(7, 79)},
        {"代価No 79 in 業務 1", DaikaNo, false, KoshuRow(1, 79)},
        {"代価No 85 in 業務 1", DaikaNo, true, KoshuRow(1, 85)},
        {"代価No 85 in 業務 2", DaikaNo, true, KoshuRow(2, 85)},
        {"代価No 85 in 業務 5", DaikaNo, true, KoshuRow(5, 85)},
        {"代価No 85 in 業務 6", DaikaNo, true, KoshuRow(6, 85)},
        {"代価No 85 in 業務 7", DaikaNo, true, KoshuRow(7, 85)},
        {"代価No 85 in 業務 3", DaikaNo, false, KoshuRow(3, 85)},
        {"代価No 85 in 業務 4", DaikaNo, false, KoshuRow(4, 85)},
        {"代価No 81 in 業務 1", DaikaNo, true, KoshuRow(1, 81)},
        {"代価No 81 in 業務 3", DaikaNo, true, KoshuRow(3, 81)},
        {"代価No 81 in 業務 2", DaikaNo, false, KoshuRow(2, 81)},
        {"代価No 81 in 業務 5", DaikaNo, false, KoshuRow(5, 81)},
        {"代価No 81 in 業務 7", DaikaNo, false, KoshuRow(7, 81)},
        {"代価No 838", DaikaNo, true, KoshuRow(3, 838)},
        {"代価No 300", DaikaNo, false, KoshuRow(2, 300)},
        {"代価No on a 業務 row", DaikaNo, false, GyomuRow(1)},
        {"代価No on a row of no level with 838", DaikaNo, true, noLevel(kUnset, 838)},
        {"代価No on a row of no level with 300", DaikaNo, false, noLevel(kUnset, 300)},
        // 代価No, 種別 rows.
        {"代価No type 0 unnumbered", DaikaNo, true, ShubetsuRow(2, 300, Type(0))},
        {"代価No type 0 numbered", DaikaNo, true, ShubetsuRow(2, 300, Type(0), "式", daika(3))},
        {"代価No type 0 without 代価", DaikaNo, false, ShubetsuRow(2, 300, Type(0), "式", daika(-1))},
        {"代価No type 6 without 代価", DaikaNo, true, ShubetsuRow(2, 300, Type(6), "式", daika(-1))},
        {"代価No type 9 without 代価", DaikaNo, true, ShubetsuRow(2, 300, Type(9), "式", daika(-1))},
        {"代価No type 10 without 代価", DaikaNo, true, ShubetsuRow(2, 300, Type(10), "式", daika(-1))},
        {"代価No type 21 without 代価", DaikaNo, true, ShubetsuRow(2, 300, Type(21), "式", daika(-1))},
        {"代価No type 1", DaikaNo, false, ShubetsuRow(2, 300, Type(1))},
        {"代価No type 2", DaikaNo, false, ShubetsuRow(2, 300, Type(2))},
        {"代価No type 22", DaikaNo, false, ShubetsuRow(2, 300, Type(22))},
        {"代価No type 23", DaikaNo, false, ShubetsuRow(2, 300, Type(23))},
        {"代価No with the amount entered", DaikaNo, false, ShubetsuRow(2, 300, Type(6), "式", Entered)},
        {"代価No without an entry", DaikaNo, false, ShubetsuRow(2, 300, kNoEntry)},
        // 単位: 種別 rows priced by quantity, and every 種別 row of 業務 2 and 7.
        {"単位 in m", Tani, true, ShubetsuRow(1, 10, Type(0, "m"))},
        {"単位 in 式", Tani, false, ShubetsuRow(1, 10, Type(0, "式"))},
        {"単位 in 業務", Tani, false, ShubetsuRow(1, 10, Type(0, "業務"))},
        {"単位 in 式, 業務 2", Tani, true, ShubetsuRow(2, 300, Type(0, "式"))},
        {"単位 in 業務, 業務 7", Tani, true, ShubetsuRow(7, 300, Type(0, "業務"))},
        {"単位 type 22", Tani, false, ShubetsuRow(2, 300, Type(22, "m"))},
        {"単位 type 23", Tani, false, ShubetsuRow(2, 300, Type(23, "m"))},
        {"単位 with the amount entered", Tani, false, ShubetsuRow(1, 10, Type(0, "m"), "m", Entered)},
        {"単位 without an entry", Tani, false, ShubetsuRow(1, 10, kNoEntry, "m")},
        {"単位 on a 工種 row", Tani, false, KoshuRow(2, 300)},
        // 金額.
        {"金額 on 業務 89", Kingaku, true, GyomuRow(89)},
        {"金額 on 業務 96", Kingaku, true, GyomuRow(96)},
        {"金額 on 業務 95", Kingaku, false, GyomuRow(95)},
        {"金額 on 業務 1", Kingaku, false, GyomuRow(1)},
        {"金額 on 工種 69", Kingaku, true, KoshuRow(1, 69)},
        {"金額 on 工種 85", Kingaku, true, KoshuRow(1, 85)},
        {"金額 on 工種 89", Kingaku, true, KoshuRow(1, 89)},
        {"金額 on 工種 92", Kingaku, true, KoshuRow(2, 92)},
        {"金額 on 工種 93", Kingaku, true, KoshuRow(2, 93)},
        {"金額 on 工種 94", Kingaku, true, KoshuRow(2, 94)},
        {"金額 on 工種 96", Kingaku, true, KoshuRow(2, 96)},
        {"金額 on 工種 690", Kingaku, true, KoshuRow(1, 690)},
        {"金額 on 工種 699", Kingaku, true, KoshuRow(1, 699)},
        {"金額 on 工種 850", Kingaku, true, KoshuRow(2, 850)},
        {"金額 on 工種 899", Kingaku, true, KoshuRow(2, 899)},
        {"金額 on 工種 915", Kingaku, true, KoshuRow(2, 915)},
        {"金額 on 工種 916", Kingaku, true, KoshuRow(2, 916)},
        {"金額 on 工種 917", Kingaku, true, KoshuRow(3, 917)},
        {"金額 on 工種 80 whose entry has no 種別", Kingaku, true,
         [](Scene& s) {
             KoshuEntry(s.bukake, 1, 80);
             s.b.Gyomu(1).Koshu(80);
         }},
        {"金額 on 工種 849 whose entry has no 種別", Kingaku, true,
         [](Scene& s) {
             KoshuEntry(s.bukake, 1, 849);
             s.b.Gyomu(1).Koshu(849);
         }},
        {"金額 on 工種 84 whose entry has 種別", Kingaku, false,
         [](Scene& s) {
             Entry(s.bukake, 1, 84, 1);
             s.b.Gyomu(1).Koshu(84);
         }},
        {"金額 on 工種 80 without an entry", Kingaku, false, KoshuRow(1, 80)},
        {"金額 on 工種 90", Kingaku, false, KoshuRow(1, 90)},
        {"金額 on 工種 95", Kingaku, false, KoshuRow(1, 95)},
        {"金額 on 工種 300", Kingaku, false, KoshuRow(2, 300)},
        {"金額 on 工種 900", Kingaku, false, KoshuRow(2, 900)},
        {"金額 on a 種別 row", Kingaku, true, ShubetsuRow(2, 300, Type(0))},
        {"金額 on a 種別 row of type 22", Kingaku, false, ShubetsuRow(2, 300, Type(22))},
        {"金額 on a 種別 row of type 23", Kingaku, false, ShubetsuRow(2, 300, Type(23))},
        {"金額 on a 種別 row without an entry", Kingaku, false, ShubetsuRow(2, 300, kNoEntry)},
        {"金額 on a row of no level", Kingaku, false, noLevel(kUnset, 96)},
        // 率.
        {"率 on 業務 98", Ritsu, true, GyomuRow(98)},
        {"率 on 業務 95", Ritsu, false, GyomuRow(95)},
        {"率 70 in 業務 1", Ritsu, true, KoshuRow(1, 70)},
        {"率 75 in 業務 2", Ritsu, true, KoshuRow(2, 75)},
        {"率 700", Ritsu, true, KoshuRow(2, 700)},
        {"率 799", Ritsu, true, KoshuRow(2, 799)},
        {"率 71 in 業務 1", Ritsu, false, KoshuRow(1, 71)},
        {"率 71 in 業務 4", Ritsu, false, KoshuRow(4, 71)},
        {"率 71 in 業務 6", Ritsu, false, KoshuRow(6, 71)},
        {"率 71 in 業務 2", Ritsu, true, KoshuRow(2, 71)},
        {"率 79 in 業務 2", Ritsu, false, KoshuRow(2, 79)},
        {"率 79 in 業務 7", Ritsu, false, KoshuRow(7, 79)},
        {"率 79 in 業務 1", Ritsu, true, KoshuRow(1, 79)},
        {"率 838", Ritsu, true, KoshuRow(1, 838)},
        {"率 81 in 業務 1", Ritsu, true, KoshuRow(1, 81)},
        {"率 81 in 業務 3", Ritsu, true, KoshuRow(3, 81)},
        {"率 81 in 業務 4", Ritsu, true, KoshuRow(4, 81)},
        {"率 81 in 業務 6", Ritsu, true, KoshuRow(6, 81)},
        {"率 81 in 業務 2", Ritsu, false, KoshuRow(2, 81)},
        {"率 85 in 業務 2", Ritsu, true, KoshuRow(2, 85)},
        {"率 85 in 業務 5", Ritsu, true, KoshuRow(5, 85)},
        {"率 85 in 業務 7", Ritsu, true, KoshuRow(7, 85)},
        {"率 85 in 業務 1", Ritsu, false, KoshuRow(1, 85)},
        {"率 93", Ritsu, true, KoshuRow(1, 93)},
        {"率 93 with its amount entered", Ritsu, false, KoshuRow(1, 93, Entered)},
        {"率 94 in 業務 2, 統一", Ritsu, true, gijyutu(0, KoshuRow(2, 94))},
        {"率 94 in 業務 2, 個別", Ritsu, false, gijyutu(1, KoshuRow(2, 94))},
        {"率 94 in 業務 7, 個別", Ritsu, false, gijyutu(1, KoshuRow(7, 94))},
        {"率 94 in 業務 3", Ritsu, false, KoshuRow(3, 94)},
        {"率 94 in 業務 1", Ritsu, true, KoshuRow(1, 94)},
        {"率 94 in 業務 4, 個別", Ritsu, true, gijyutu(1, KoshuRow(4, 94))},
        {"率 94 with its amount entered", Ritsu, false, KoshuRow(1, 94, Entered)},
        {"率 915", Ritsu, true, KoshuRow(2, 915)},
        {"率 915 with its amount entered", Ritsu, false, KoshuRow(2, 915, Entered)},
        {"率 916", Ritsu, true, KoshuRow(3, 916)},
        {"率 916 with its amount entered", Ritsu, false, KoshuRow(3, 916, Entered)},
        {"率 300", Ritsu, false, KoshuRow(2, 300)},
        {"率 800", Ritsu, false, KoshuRow(2, 800)},
        {"率 on a 種別 row in 式", Ritsu, true, ShubetsuRow(2, 300, Type(0, "式"))},
        {"率 on a 種別 row in 業務", Ritsu, true, ShubetsuRow(2, 300, Type(0, "業務"))},
        {"率 on a 種別 row in m", Ritsu, false, ShubetsuRow(2, 300, Type(0, "m"))},
        {"率 on a 種別 row without an entry", Ritsu, false, ShubetsuRow(2, 300, kNoEntry)},
        // 丸め: the 工種 95 row while its 業務 has no 工種 96.
        {"丸め on 工種 95", Marume, true, KoshuRow(2, 95)},
        {"丸め on 工種 95 with 96 in its 業務", Marume, false,
         withRows(KoshuRow(2, 95), [](ItemListBuilder& b) { b.Gyomu(2).Koshu(96); })},
        {"丸め on 工種 95 with 96 in another 業務", Marume, true,
         withRows(KoshuRow(2, 95), [](ItemListBuilder& b) { b.Gyomu(3).Koshu(96); })},
        {"丸め on 工種 96", Marume, false, KoshuRow(2, 96)},
        // 精度.
        {"精度 on 業務 1", Seido, true, GyomuRow(1)},
        {"精度 on 業務 3", Seido, true, GyomuRow(3)},
        {"精度 on 業務 6", Seido, true, GyomuRow(6)},
        {"精度 on 業務 2", Seido, false, GyomuRow(2)},
        {"精度 on 工種 10", Seido, true, KoshuRow(1, 10)},
        {"精度 on 工種 68", Seido, true, KoshuRow(6, 68)},
        {"精度 on 工種 100", Seido, true, KoshuRow(3, 100)},
        {"精度 on 工種 689", Seido, true, KoshuRow(1, 689)},
        {"精度 on 工種 69", Seido, false, KoshuRow(1, 69)},
        {"精度 on 工種 690", Seido, false, KoshuRow(1, 690)},
        {"精度 on 工種 10 of 業務 2", Seido, false, KoshuRow(2, 10)},
        {"精度 on a 種別 with a coefficient", Seido, true, ShubetsuRow(1, 10, coefficient(10))},
        {"精度 on a 種別 with coefficient 0", Seido, true, ShubetsuRow(6, 10, coefficient(0))},
        {"精度 on a 種別 without a coefficient", Seido, false, ShubetsuRow(1, 10, coefficient(kUnset))},
        {"精度 on a 種別 with its amount entered", Seido, false, ShubetsuRow(1, 10, coefficient(10), "式", Entered)},
        {"精度 on a 物件調査 種別 with 材料費", Seido, true, ShubetsuRow(3, 100, rate(2, 500))},
        {"精度 on a 物件調査 種別 without", Seido, false, ShubetsuRow(3, 100, rate(2, 0))},
        {"精度 on a 種別 without an entry", Seido, false, ShubetsuRow(1, 10, kNoEntry)},
        {"精度 on a 設計 種別", Seido, false, ShubetsuRow(2, 300, rate(0, 500))},
        // 電子.
        {"電子 on 業務 2", Denshi, true, GyomuRow(2)},
        {"電子 on 業務 7", Denshi, true, GyomuRow(7)},
        {"電子 on 業務 1", Denshi, false, GyomuRow(1)},
        {"電子 on 工種 300 of 業務 2", Denshi, true, KoshuRow(2, 300)},
        {"電子 on 工種 10 of 業務 7", Denshi, true, KoshuRow(7, 10)},
        {"電子 on 工種 94 of 業務 2", Denshi, false, KoshuRow(2, 94)},
        {"電子 on a 種別 with its rate", Denshi, true, ShubetsuRow(2, 300, rate(0, 500))},
        {"電子 on a 種別 without", Denshi, false, ShubetsuRow(7, 300, rate(0, 0))},
        {"電子 on a 種別 with its amount entered", Denshi, false, ShubetsuRow(2, 300, rate(0, 500), "式", Entered)},
        {"電子 on a 測量 種別", Denshi, false, ShubetsuRow(1, 10, rate(0, 500))},
        // 32805: 直接経費 rows, 種別 rows and 工種 71.
        {"32805 on 工種 75 of 業務 2", ProgramKingaku, true, KoshuRow(2, 75)},
        {"32805 on 工種 799 of 業務 7", ProgramKingaku, true, KoshuRow(7, 799)},
        {"32805 on 工種 89 of 業務 5", ProgramKingaku, true, KoshuRow(5, 89)},
        {"32805 on 工種 850 of 業務 2", ProgramKingaku, true, KoshuRow(2, 850)},
        {"32805 on 工種 92 of 業務 5", ProgramKingaku, true, KoshuRow(5, 92)},
        {"32805 on 工種 912 of 業務 2", ProgramKingaku, true, KoshuRow(2, 912)},
        {"32805 on 工種 70 of 業務 3", ProgramKingaku, true, KoshuRow(3, 70)},
        {"32805 on 工種 749 of 業務 3", ProgramKingaku, true, KoshuRow(3, 749)},
        {"32805 on 工種 84 of 業務 3", ProgramKingaku, true, KoshuRow(3, 84)},
        {"32805 on 工種 917 of 業務 3", ProgramKingaku, true, KoshuRow(3, 917)},
        {"32805 on 工種 912 of 業務 3", ProgramKingaku, true, KoshuRow(3, 912)},
        {"32805 on 工種 75 of 業務 3", ProgramKingaku, false, KoshuRow(3, 75)},
        {"32805 on 工種 70 of 業務 2", ProgramKingaku, false, KoshuRow(2, 70)},
        {"32805 on 工種 912 of 業務 1", ProgramKingaku, false, KoshuRow(1, 912)},
        {"32805 on 工種 75 of a conventional master", ProgramKingaku, false,
         [](Scene& s) {
             s.bukake.m_splitFlag = 1;
             s.b.Gyomu(2).Koshu(75);
         }},
        {"32805 on 工種 75 of a conventional 工種", ProgramKingaku, false,
         [](Scene& s) {
             KoshuEntry(s.bukake, 2, 75).m_splitFlag = 1;
             s.b.Gyomu(2).Koshu(75);
         }},
        {"32805 on a 直接経費 種別 of 業務 3", ProgramKingaku, true, ShubetsuRow(3, 70, kEntry)},
        {"32805 on a conventional 直接経費 種別 of 業務 3", ProgramKingaku, false,
         ShubetsuRow(3, 70, [](CBukakeShubetsu& e) { e.m_conventional = 1; })},
        {"32805 on a 種別 of 業務 1", ProgramKingaku, true, ShubetsuRow(1, 10, kNoEntry)},
        {"32805 on a 種別 of 業務 2", ProgramKingaku, true, ShubetsuRow(2, 300, kEntry)},
        {"32805 on a 種別 of 業務 4", ProgramKingaku, true, ShubetsuRow(4, 100, kEntry)},
        {"32805 on a 種別 of 業務 6", ProgramKingaku, true, ShubetsuRow(6, 10, kEntry)},
        {"32805 on a 種別 of 業務 7", ProgramKingaku, true, ShubetsuRow(7, 300, kEntry)},
        {"32805 on a 種別 of 業務 3 asking for a program", ProgramKingaku, true, ShubetsuRow(3, 100, program(1))},
        {"32805 on a 種別 of 業務 3", ProgramKingaku, false, ShubetsuRow(3, 100, program(0))},
        {"32805 on a 種別 of 業務 5 without an entry", ProgramKingaku, false, ShubetsuRow(5, 100, kNoEntry)},
        {"32805 on 工種 71 of 業務 1", ProgramKingaku, true, KoshuRow(1, 71)},
        {"32805 on 工種 71 of 業務 4", ProgramKingaku, true, KoshuRow(4, 71)},
        {"32805 on 工種 71 of 業務 6", ProgramKingaku, true, KoshuRow(6, 71)},
        {"32805 on 工種 71 of 業務 2", ProgramKingaku, false, KoshuRow(2, 71)},
        {"32805 on 工種 10 of 業務 1", ProgramKingaku, false, KoshuRow(1, 10)},
        {"32805 on 業務 1", ProgramKingaku, false, GyomuRow(1)},
        // The estimate-wide commands.
        {"単価選択 on a 種別 row", TankaSelect, true, ShubetsuRow(2, 300, kEntry)},
        {"材料単価設定 on a 業務 row", ZairyoTankaSetting, true, GyomuRow(98)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        app->Settings().GijyutuCalc = 0;
        Make(c.build);
        EXPECT_EQ(Enabled(c.id), c.enabled);
    }
}

TEST_F(ViewSettings, WithoutACurrentRowOnlyTheEstimateWideCommandsAreEnabled) {
    view->RefillGrid();
    ASSERT_EQ(view->HasCurrentRow(), 0);
    for (int id : kRuledCommands) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(Enabled(id));
        // Run anyway, they open nothing and change nothing.
        Run(id);
    }
    EXPECT_TRUE(Enabled(cmd::TankaSelect));
    EXPECT_TRUE(Enabled(cmd::ZairyoTankaSetting));
    const std::function<int(CVemoWinView&)> workers[] = {
        &CVemoWinView::SetKeisanKubun, &CVemoWinView::SetSuryo,        &CVemoWinView::SetJuryo,
        &CVemoWinView::SetDaikaNo,     &CVemoWinView::SetTani,         &CVemoWinView::SetKingaku,
        &CVemoWinView::SetRitsu,       &CVemoWinView::SetMarume,       &CVemoWinView::SetTanka,
        &CVemoWinView::SetAnzenhiRitsu, &CVemoWinView::SelectProgramKingaku, &CVemoWinView::SetIkkatsu,
    };
    for (const auto& worker : workers) EXPECT_EQ(worker(*view), 2);
    EXPECT_EQ(view->SetChokusetsuKeihiIkkatsu(0), 2);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_TRUE(host->messages.empty());
}

TEST_F(ViewSettings, TheCommandsAreThoseOfTheWorkToolbarPopupAndStatusPanes) {
    // The setting buttons of the work toolbar are the view's ruled commands; status panes 2 and 3
    // run its estimate-wide ones.
    const CommandBar* bar = FindCommandBar(kWorkToolBar);
    ASSERT_NE(bar, nullptr);
    std::vector<int> handled;
    for (const CommandLayoutItem& item : bar->items)
        if (item.kind == CommandLayoutItem::Command && view->HandlesCommand(item.id)) handled.push_back(item.id);
    std::sort(handled.begin(), handled.end());
    std::vector<int> expected = {cmd::GyomuSelect, cmd::KoshuSelect, cmd::ShubetsuSelect};
    expected.insert(expected.end(), std::begin(kRuledCommands), std::end(kRuledCommands));
    // 変化率設定 is the view's too.
    expected.push_back(cmd::Henkaritsu);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(handled, expected);
    // The popup menu's setting items are the same commands, beside the view's editing ones.
    const CommandBar* popup = FindCommandBar(kViewPopup);
    ASSERT_NE(popup, nullptr);
    std::vector<int> settings;
    for (const CommandLayoutItem& item : popup->items)
        if (item.kind == CommandLayoutItem::Command && view->HandlesCommand(item.id)) settings.push_back(item.id);
    EXPECT_EQ(settings, (std::vector<int>{cmd::NameEdit, cmd::Tani, cmd::Suryo, cmd::Kingaku, cmd::TekiyoEdit,
                                          cmd::DaikaPrintPreview, cmd::RowBukakeEdit, cmd::EditClear}));
    EXPECT_EQ(PaneCommand(2), cmd::TankaSelect);
    EXPECT_EQ(PaneCommand(3), cmd::ZairyoTankaSetting);
    EXPECT_TRUE(view->HandlesCommand(cmd::TankaSelect));
    EXPECT_TRUE(view->HandlesCommand(cmd::ZairyoTankaSetting));
}

// ---------------------------------------------------------------------------------------------
// Commit and cancel

// Answers the number dialog with a typed text.
void TypeNumber(ScriptedDialogs& dialogs, const char* text) {
    dialogs.Expect<CNumberInputDlg>([text](CNumberInputDlg& dlg) {
        Field(dlg, "number")->setText(QString::fromUtf8(text));
        return IDOK;
    });
}

// The rounding choice of a 業務 total rewritten by every recalculation of its 業務.
constexpr int kSentinel = -7;

TEST_F(ViewSettings, OKRecalculatesTheRowsBusinessAndMarksModifiedCancelChangesNothing) {
    using Rows = std::function<void(CBukakeFile&, ItemListBuilder&)>;
    using Answer = std::function<void(ScriptedDialogs&)>;
    struct Case {
        const char* what;
        int id;
        int gyomu;  // the 業務 of the row; 業務 8 follows it
        Rows rows;  // the last row built is current
        Answer answer;           // the dialogs of OK (none for a command without one)
        std::vector<const char*> dialogs;  // the dialog classes a cancel meets
        std::function<void(const CSekisanItemList&, int current)> check;
        int back = 0;  // the current row is this many rows before the last one built
    };
    auto expect = [](std::function<void(CSekisanItem&)> check) {
        return [check](const CSekisanItemList& list, int current) { check(*list.GetItem(current)); };
    };
    auto lump = [](CBukakeFile& bukake, int g, int k) -> CBukakeShubetsu& { return Entry(bukake, g, k, 1); };
    const Case cases[] = {
        {"積算区分", cmd::KeisanKubun, 2,
         [&](CBukakeFile& m, ItemListBuilder& b) {
             lump(m, 2, 300);
             b.Gyomu(2).Koshu(300).Shubetsu(1);
         },
         [](ScriptedDialogs& d) {
             d.Expect<CKeisanKubunDlg>([](CKeisanKubunDlg& dlg) {
                 dlg.OnSelectAll();
                 return IDOK;
             });
         },
         {"CKeisanKubunDlg"}, expect([](CSekisanItem& i) { EXPECT_EQ(i.m_bKotei[0], 1); })},
        {"数量", cmd::Suryo, 2,
         [&](CBukakeFile& m, ItemListBuilder& b) {
             lump(m, 2, 300).GetDetail().m_unit = "m";
             b.Gyomu(2).Koshu(300).Shubetsu(1).Set([](CSekisanItem& i) { i.m_strUnit = "m"; });
         },
         [](ScriptedDialogs& d) { TypeNumber(d, "2.5"); }, {"CNumberInputDlg"},
         expect([](CSekisanItem& i) { EXPECT_EQ(i.m_nQuantity, 2500); })},
        {"印刷有無", cmd::InsatsuUmu, 2, [](CBukakeFile&, ItemListBuilder& b) { b.Gyomu(2).Koshu(300); }, {}, {},
         expect([](CSekisanItem& i) { EXPECT_EQ(i.m_bNoPrint, 1); })},
        {"工種計", cmd::KoshuKei, 2,
         [](CBukakeFile&, ItemListBuilder& b) { b.Gyomu(2).Koshu(300).Shubetsu(1); }, {}, {},
         expect([](CSekisanItem& i) { EXPECT_EQ(i.m_bSummary, 1); }), 1},
        {"重量", cmd::Juryo, 2,
         [&](CBukakeFile& m, ItemListBuilder& b) {
             lump(m, 2, 300);
             b.Gyomu(2).Koshu(300).Shubetsu(1);
         },
         [](ScriptedDialogs& d) { TypeNumber(d, "1.5"); }, {"CNumberInputDlg"},
         expect([](CSekisanItem& i) { EXPECT_EQ(i.m_nWeightAverage, 1500); })},
        {"代価No", cmd::DaikaNo, 2,
         [&](CBukakeFile& m, ItemListBuilder& b) {
             lump(m, 2, 300);
             b.Gyomu(2).Koshu(300).Shubetsu(1);
         },
         [](ScriptedDialogs& d) {
             d.Expect<CDaikaNoDlg>([](CDaikaNoDlg& dlg) {
                 Field(dlg, "number")->setText(QStringLiteral("7"));
                 return IDOK;
             });
         },
         {"CDaikaNoDlg"}, expect([](CSekisanItem& i) { EXPECT_EQ(i.m_nDaikaNo, 7); })},
        {"単位", cmd::Tani, 2,
         [&](CBukakeFile& m, ItemListBuilder& b) {
             lump(m, 2, 300);
             b.Gyomu(2).Koshu(300).Shubetsu(1);
         },
         [](ScriptedDialogs& d) {
             d.Expect<CTaniInputDlg>([](CTaniInputDlg& dlg) {
                 Field(dlg, "unit")->setText(Tx("本"));
                 return IDOK;
             });
         },
         {"CTaniInputDlg"}, expect([](CSekisanItem& i) { EXPECT_EQ(i.m_strUnit, "本"); })},
        {"金額", cmd::Kingaku, 2,
         [&](CBukakeFile& m, ItemListBuilder& b) {
             lump(m, 2, 300);
             b.Gyomu(2).Koshu(300).Shubetsu(1);
         },
         [](ScriptedDialogs& d) { TypeNumber(d, "5000"); }, {"CNumberInputDlg"},
         expect([](CSekisanItem& i) {
             EXPECT_EQ(i.m_nAmount, 5000);
             EXPECT_EQ(i.m_bAmountEntered, 1);
         })},
        {"率", cmd::Ritsu, 2, [](CBukakeFile&, ItemListBuilder& b) { b.Gyomu(2).Koshu(75); },
         [](ScriptedDialogs& d) { TypeNumber(d, "12.5"); }, {"CNumberInputDlg"},
         expect([](CSekisanItem& i) { EXPECT_EQ(i.m_nRate, 1250); })},
        // The 業務 total absorbs the rounding on its 諸経費 row: seven choices.
        {"丸め", cmd::Marume, 1,
         [](CBukakeFile&, ItemListBuilder& b) {
             b.Gyomu(1).Koshu(85).Amount(1000000).Set(Entered);
             b.Koshu(93).Amount(456789).Set([](CSekisanItem& i) {
                 i.m_bAmountEntered = 1;
                 i.m_nAmount2 = 456789;
             });
             // As the last recalculation left it.
             b.Koshu(95).Amount(kSentinel).Set([](CSekisanItem& i) { i.m_nAmount2 = 1456789; });
         },
         [](ScriptedDialogs& d) {
             d.Expect<CMarumeSettingDlg>([](CMarumeSettingDlg& dlg) {
                 Child<QRadioButton>(dlg, "choice4")->click();
                 return IDOK;
             });
         },
         {"CMarumeSettingDlg"}, expect([](CSekisanItem& i) { EXPECT_EQ(i.m_nRounding, 4); })},
        {"精度 on a 種別 row", cmd::Seido, 1,
         [&](CBukakeFile& m, ItemListBuilder& b) {
             lump(m, 1, 10).m_coefficient = 10;
             b.Gyomu(1).Koshu(10).Shubetsu(1);
         },
         {}, {}, expect([](CSekisanItem& i) { EXPECT_EQ(i.m_bSpecialExpense, 0); })},
        {"電子 on a 業務 row", cmd::Denshi, 2,
         [&](CBukakeFile& m, ItemListBuilder& b) {
             lump(m, 2, 300);
             b.Gyomu(2);
         },
         [](ScriptedDialogs& d) {
             d.Expect<CIkkatsuSettingDlg>([](CIkkatsuSettingDlg& dlg) {
                 Child<QRadioButton>(dlg, "second")->click();
                 return IDOK;
             });
         },
         {"CIkkatsuSettingDlg"},
         [](const CSekisanItemList& list, int current) {
             EXPECT_EQ(list.GetItem(current)->m_bSpecialExpense, 1);
             EXPECT_EQ(list.GetItem(current + 1)->m_bSpecialExpense, 0);  // the 工種 95 row after it
         }},
        {"安全費 rate of a 種別 row", cmd::ProgramKingaku, 1,
         [&](CBukakeFile& m, ItemListBuilder& b) {
             lump(m, 1, 10);
             b.Gyomu(1).Koshu(10).Shubetsu(1);
         },
         [](ScriptedDialogs& d) { TypeNumber(d, "3.5"); }, {"CNumberInputDlg"},
         expect([](CSekisanItem& i) { EXPECT_EQ(i.m_nExtraRate, 350); })},
        {"プログラム金額 of a 種別 row", cmd::ProgramKingaku, 3,
         [&](CBukakeFile& m, ItemListBuilder& b) {
             lump(m, 3, 100).GetDetail().m_programKingaku = 1;
             b.Gyomu(3).Koshu(100).Shubetsu(1);
         },
         [](ScriptedDialogs& d) { d.Expect<CProgramKingakuSelectDlg>(IDOK); }, {"CProgramKingakuSelectDlg"},
         expect([](CSekisanItem& i) { EXPECT_EQ(i.m_nYearCode, 1); })},
        {"直接経費 of a 工種 row", cmd::ProgramKingaku, 2, [](CBukakeFile&, ItemListBuilder& b) { b.Gyomu(2).Koshu(75); },
         {}, {}, expect([](CSekisanItem& i) { EXPECT_EQ(i.m_nYearCode, kYearNotInGenka); })},
        {"直接経費 of the 工種 rows of one code", cmd::ProgramKingaku, 3,
         [](CBukakeFile&, ItemListBuilder& b) {
             b.Gyomu(3).Koshu(70).Set([](CSekisanItem& i) { i.m_nYearCode = kYearNotInGenka; });
             // The current row is the first of two rows of 工種 70.
             b.Node(estimate_test::MakeItem(3, 70)).Set([](CSekisanItem& i) { i.m_nYearCode = kYearNotInGenka; });
         },
         [](ScriptedDialogs& d) { d.Expect<CIkkatsuSettingDlg>(IDOK); }, {"CIkkatsuSettingDlg"},
         [](const CSekisanItemList& list, int current) {
             EXPECT_EQ(list.GetItem(current)->m_nYearCode, kYearNotInGenka);  // the rows after it only
             EXPECT_EQ(list.GetItem(current + 1)->m_nYearCode, kYearInGenka);
         },
         1},
    };
    for (bool ok : {true, false}) {
        for (const Case& c : cases) {
            if (!ok && c.dialogs.empty()) continue;
            SCOPED_TRACE(testing::Message() << c.what << (ok ? ", OK" : ", cancelled"));
            List().RemoveAll();
            Bukake() = CBukakeFile();
            ItemListBuilder b(List());
            c.rows(Bukake(), b);
            const int current = b.LastIndex() - c.back;
            if (List().FindKoshu(c.gyomu, 95) == -1) b.Koshu(95).Amount(kSentinel);
            b.Gyomu(8).Koshu(95).Amount(kSentinel);
            Select(current);
            Doc().SetModifiedFlag(false);
            host->messages.clear();
            CSekisanItemList before;
            before.Copy(List());
            {
                ScriptedDialogs dialogs;
                if (ok && c.answer) c.answer(dialogs);
                if (!ok)
                    for (size_t i = 0; i < c.dialogs.size(); ++i) dialogs.Expect<QDialog>(IDCANCEL);
                Run(c.id);
                EXPECT_EQ(dialogs.Pending(), 0u);
                if (!ok) {
                    EXPECT_EQ(dialogs.classes, std::vector<std::string>(c.dialogs.begin(), c.dialogs.end()));
                }
            }
            EXPECT_TRUE(host->messages.empty()) << host->messages.front().text;
            const int last = List().GetCount() - 1;
            if (ok) {
                c.check(List(), current);
                EXPECT_TRUE(Doc().IsModified());
                EXPECT_NE(List().FindKoshu(c.gyomu, 95), -1);
                EXPECT_NE(Item(List().FindKoshu(c.gyomu, 95)).m_nAmount, kSentinel) << "the row's 業務 is recalculated";
                EXPECT_EQ(Item(last).m_nAmount, kSentinel) << "the other 業務 is not";
            } else {
                EXPECT_FALSE(Doc().IsModified());
                ASSERT_EQ(List().GetCount(), before.GetCount());
                for (int i = 0; i < List().GetCount(); ++i) EXPECT_TRUE(SameItem(Item(i), *before.GetItem(i))) << i;
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Inputs past the limits of the amounts

// (業務 2, 工種 k, 種別 1) of the 歩掛 priced at 100,000 yen a unit: the 技師 2001 at 50,000 yen (price
// column 0) for 2.00 man-days per 1.00 unit.
void PricedEntry(CBukakeFile& bukake, int k, const char* unit) {
    CBukakeDetail& d = Entry(bukake, calc::Gyomu::Sekkei, k, 1).GetDetail();
    d.m_unit = unit;
    d.m_quantity = 100;
    d.m_shokushu[0] = 2001;
    d.RemoveAllLines();
    AddLine(d, "設計", {200});
}
void AllKotei(CSekisanItem& i) { i.m_bKotei[0] = 1; }

TEST_F(ViewSettings, AnInputPastALimitIsPutBackWithTheMessageAndOneInsideIsTaken) {
    using Answer = std::function<void(ScriptedDialogs&, const char* typed)>;
    struct Case {
        const char* what;
        std::function<void(CBukakeFile&, ItemListBuilder&)> rows;  // the last row built is current
        std::function<void(CVemoWinView&, ScriptedHost&)> input;
        Answer answer;
        const char* past;    // typed: goes past a limit
        const char* inside;  // typed: stays inside every limit
        const char* row;     // the row the message names
        std::vector<const char*> asked = {};  // the questions the input asks first
        int back = 0;                         // the current row: this many before the last row built
        const char* refused = apptext::kInputPastLimit;  // the message of the past input (null: none)
        const char* unpriced = nullptr;  // the row the past input leaves without a price, told after it
    };
    const Answer number = [](ScriptedDialogs& d, const char* typed) { TypeNumber(d, typed); };
    auto command = [](int id) { return [id](CVemoWinView& v, ScriptedHost&) { v.ExecuteCommand(id); }; };
    const Case cases[] = {
        // 10,000 km at 100,000 yen: 1,000,000,000 yen of direct cost; 9,000 km: 900,000,000.
        {"数量", [](CBukakeFile& m, ItemListBuilder& b) {
             PricedEntry(m, 10, "km");
             b.Gyomu(2, "設計業務").Koshu(10).Shubetsu(1, "水路設計").Quantity(1000).Set(AllKotei);
         },
         command(cmd::Suryo), number, "10000", "9000", "水路設計"},
        // The unit price of a priced extra row (unit and quantity left as they are): 20.000 ×
        // 99,999,999.9 yen is beyond the total; 20.000 × 40,000,000.0 is not.
        {"単価", [](CBukakeFile&, ItemListBuilder& b) {
             b.Gyomu(2, "設計業務").Koshu(95);
             b.Summary(calc::Gyomu::Sonota, "機械器具損料").Quantity(20000).UnitPrice(10);
         },
         command(cmd::Kingaku),
         [](ScriptedDialogs& d, const char* typed) {
             d.Expect<CTaniInputDlg>(IDCANCEL);
             d.Expect<CNumberInputDlg>(IDCANCEL);
             TypeNumber(d, typed);
         },
         "99999999.9", "40000000", "機械器具損料"},
        // An amount of 999,999,999 yen before a row of 100,000: the direct sum goes past; 999,899,999
        // makes it 999,999,999.
        {"金額", [](CBukakeFile& m, ItemListBuilder& b) {
             PricedEntry(m, 20, "km");
             Entry(m, 2, 30, 1);
             b.Gyomu(2, "設計業務").Koshu(20).Shubetsu(1, "農道設計").Quantity(1000).Set(AllKotei);
             b.Koshu(30).Shubetsu(1, "計画");
         },
         command(cmd::Kingaku), number, "999999999", "999899999", "計画"},
        // A 重量平均値 of 10,000 in place of the formula value: a lump of 1,000,000,000 yen; 9,999.999
        // makes 999,999,900.
        {"重量", [](CBukakeFile& m, ItemListBuilder& b) {
             PricedEntry(m, 30, "式");
             b.Gyomu(2, "設計業務").Koshu(30).Shubetsu(1, "基本計画").Quantity(1000).Set(AllKotei);
         },
         command(cmd::Juryo), number, "10000", "9999.999", "基本計画"},
        // A 重量平均値 of 2,200 on a row priced by the km: a unit price of 220,000,000 yen, more than a
        // unit price holds; 2,100 makes it 210,000,000.
        {"単価の限度", [](CBukakeFile& m, ItemListBuilder& b) {
             PricedEntry(m, 10, "km");
             b.Gyomu(2, "設計業務").Koshu(10).Shubetsu(1, "水路設計").Quantity(1000).Set(AllKotei);
         },
         command(cmd::Juryo), number, "2200", "2100", "水路設計", {}, 0, nullptr, "水路設計"},
        // The guided entry of a 工種, a quantity for each 種別: 10,000 km of the first make 1,000,000,000
        // yen of direct cost, 1 km of the second (220,000,000 yen a km) leaves it without a price;
        // 9,000 km of the first and none of the second stay inside.
        {"ガイド入力, both limits", [](CBukakeFile& m, ItemListBuilder& b) {
             PricedEntry(m, 10, "km");
             CBukakeDetail& d = Entry(m, calc::Gyomu::Sekkei, 10, 2).GetDetail();
             d.m_unit = "km";
             d.m_quantity = 100;
             d.m_shokushu[0] = 2002;
             d.RemoveAllLines();
             AddLine(d, "設計", {200});
             b.Gyomu(2, "設計業務").Koshu(10, "水路工").Shubetsu(1, "水路設計").Set(AllKotei);
             b.Shubetsu(2, "特殊設計").Set(AllKotei);
         },
         [](CVemoWinView& v, ScriptedHost& h) {
             h.answers.push_back(IDNO);
             h.answers.push_back(IDYES);
             v.GuidedEntry(1, 0);
         },
         [](ScriptedDialogs& d, const char* typed) {
             TypeNumber(d, typed);
             if (std::string(typed) == "10000")
                 TypeNumber(d, "1");
             else
                 d.Expect<CNumberInputDlg>(IDCANCEL);
         },
         "10000", "9000", "水路工", {apptext::kGuidedKeisanKubunQuestion, apptext::kGuidedSuryoEachQuestion}, 2,
         apptext::kInputPastLimit, "特殊設計"},
        // 200 % of 600,000,000 yen on a rate row: a total of 1,800,000,000; 50 % makes 900,000,000.
        {"率", [](CBukakeFile& m, ItemListBuilder& b) {
             PricedEntry(m, 10, "km");
             b.Gyomu(2, "設計業務").Koshu(10).Shubetsu(1, "水路設計").Quantity(6'000'000).Set(AllKotei);
             b.Koshu(75, "機械損料");
         },
         command(cmd::Ritsu), number, "200", "50", "機械損料"},
        // The guided entry's quantity, after its question on the calculation categories.
        {"ガイド入力", [](CBukakeFile& m, ItemListBuilder& b) {
             PricedEntry(m, 10, "km");
             b.Gyomu(2, "設計業務").Koshu(10).Shubetsu(1, "水路設計").Set(AllKotei);
         },
         [](CVemoWinView& v, ScriptedHost& h) {
             h.answers.push_back(IDNO);
             v.GuidedEntry(1, 1);
         },
         number, "10000", "9000", "水路設計", {apptext::kGuidedKeisanKubunQuestion}},
        // An emptied 数量 field is not a quantity: its own message, the row as it was.
        {"数量 left empty", [](CBukakeFile& m, ItemListBuilder& b) {
             PricedEntry(m, 10, "km");
             b.Gyomu(2, "設計業務").Koshu(10).Shubetsu(1, "水路設計").Quantity(1000).Set(AllKotei);
         },
         command(cmd::Suryo), number, "", "9000", "水路設計", {}, 0, apptext::kQuantityEmpty},
        // 工種選択 on the 業務 row under a 値引き of 150,000 yen: removing the 工種 of 200,000 yen (the
        // second chosen) makes the total negative; removing the one of 100,000 leaves 50,000.
        {"工種選択", [](CBukakeFile& m, ItemListBuilder& b) {
             PricedEntry(m, 10, "km");
             PricedEntry(m, 20, "km");
             b.Gyomu(2, "設計業務").Koshu(10).Shubetsu(1, "水路設計").Quantity(1000).Set(AllKotei);
             b.Koshu(20).Shubetsu(1, "農道設計").Quantity(2000).Set(AllKotei);
             b.Koshu(95).Summary(calc::Gyomu::Nebiki, "値引き").Amount(-150'000);
         },
         command(cmd::KoshuSelect),
         [](ScriptedDialogs& d, const char* typed) {
             d.Expect<CKoshuSelectDlg>([typed](CKoshuSelectDlg& dlg) {
                 ::Select(dlg.ChosenList(), {std::atoi(typed)});
                 dlg.findChild<QPushButton*>(QStringLiteral("remove"))->click();
                 return IDOK;
             });
         },
         "1", "0", "設計業務", {}, 6},
        // 種別選択 on a 工種 row after 9,998.5 km (999,850,000 yen of direct cost): two new lump rows
        // of 100,000 yen go past the direct sum's limit, one does not.
        {"種別選択", [](CBukakeFile& m, ItemListBuilder& b) {
             PricedEntry(m, 10, "km");
             PricedEntry(m, 20, "式");
             b.Gyomu(2, "設計業務").Koshu(10).Shubetsu(1, "水路設計").Quantity(9'998'500).Set(AllKotei);
             b.Koshu(20, "農道設計");
         },
         command(cmd::ShubetsuSelect),
         [](ScriptedDialogs& d, const char* typed) {
             d.Expect<CShubetsuSelectDlg>([typed](CShubetsuSelectDlg& dlg) {
                 for (int i = 0; i < std::atoi(typed); ++i)
                     dlg.findChild<QPushButton*>(QStringLiteral("add"))->click();
                 return IDOK;
             });
         },
         "2", "1", "農道設計"},
    };
    masterbuild::AddTankaRow(app->Store().GetTankaFile(), 2001, "技師", {50000});
    masterbuild::AddTankaRow(app->Store().GetTankaFile(), 2002, "特別技師", {110'000'000});
    for (const Case& c : cases) {
        for (bool past : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.what << (past ? ", past" : ", inside"));
            List().RemoveAll();
            List().m_nTankaColumn = 0;
            Bukake() = CBukakeFile();
            ItemListBuilder b(List());
            c.rows(Bukake(), b);
            const int current = b.LastIndex() - c.back;
            if (List().FindKoshu(2, 95) == -1) b.Koshu(95);
            b.Summary(calc::Gyomu::Goukei, "小計").Summary(calc::Gyomu::ItakuryoKei, "業務委託料計");
            view->Recalculate(0);
            ASSERT_FALSE(view->GetSekisanData()->GetCalcLimits().Any());
            Select(current);
            Doc().SetModifiedFlag(false);
            host->messages.clear();
            const std::string before = StoredBytes(List());
            {
                ScriptedDialogs dialogs;
                c.answer(dialogs, past ? c.past : c.inside);
                c.input(*view, *host);
                EXPECT_EQ(dialogs.Pending(), 0u);
            }
            std::vector<std::string> told(c.asked.begin(), c.asked.end());
            if (past) {
                std::string refused = c.refused ? vemo::FillText(c.refused, {c.row}) : std::string();
                if (c.unpriced)
                    refused += (refused.empty() ? "" : "\n\n") +
                               vemo::FillText(apptext::kUnitPriceLimitNotice, {c.unpriced});
                told.push_back(refused);
                EXPECT_EQ(Messages(), told);
                EXPECT_EQ(StoredBytes(List()), before);
                EXPECT_FALSE(Doc().IsModified());
            } else {
                EXPECT_EQ(Messages(), told);
                EXPECT_NE(StoredBytes(List()), before);
                EXPECT_TRUE(Doc().IsModified());
            }
            EXPECT_FALSE(view->GetSekisanData()->GetCalcLimits().Any());
        }
    }
}

TEST_F(ViewSettings, 再計算PastALimitNamesTheBusinessesAndTheTotalOnce) {
    PricedEntry(Bukake(), 10, "km");
    masterbuild::AddTankaRow(app->Store().GetTankaFile(), 2001, "技師", {50000});
    const struct {
        const char* what;
        int32_t quantity, weight;  // of the 種別 row (×1000)
        int32_t extra;             // unit price (×10) of a priced extra row of 10.000
        std::string notice;
    } cases[] = {
        // 20,000 km of direct cost in 業務 2 (2,000,000,000 yen) and an extra row of 10.000 ×
        // 150,000,000.0 yen.
        {"the direct sum and the total", 20'000'000, kUnset, 1'500'000'000,
         vemo::FillText(apptext::kCalcLimitsNotice,
                        {std::string("設計業務") + apptext::kCalcLimitsNameJoin + "業務委託料計"})},
        // A 重量平均値 of 2,200: 220,000,000 yen a km, more than a unit price holds; the row is named.
        {"a unit price", 1'000, 2'200'000, 10, vemo::FillText(apptext::kUnitPriceLimitNotice, {"水路設計"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        List().RemoveAll();
        List().m_nTankaColumn = 0;
        ItemListBuilder b(List());
        b.Gyomu(2, "設計業務").Koshu(10).Shubetsu(1, "水路設計").Quantity(c.quantity).Set(AllKotei);
        List().GetItem(b.LastIndex())->m_nWeightAverage = c.weight;
        b.Koshu(95, "設計業務費");
        b.Summary(calc::Gyomu::Sonota, "機械器具損料").Quantity(10'000).UnitPrice(c.extra);
        b.Summary(calc::Gyomu::Goukei, "小計").Summary(calc::Gyomu::ItakuryoKei, "業務委託料計");
        Select(0);
        host->messages.clear();
        Run(cmd::Recalc);
        EXPECT_EQ(Messages(), std::vector<std::string>{c.notice});
    }
}

// ---------------------------------------------------------------------------------------------
// The questions before an edited line is rewritten

TEST_F(ViewSettings, EachPromptIsAskedOnlyWhenItsLineWasEditedYesClearsTheFlagNoKeepsIt) {
    using Flag = int32_t CSekisanItem::*;
    struct Case {
        const char* what;
        int id;
        ::Build build;
        Flag flag;
        const char* prompt;
        std::function<void(ScriptedDialogs&)> answer;
    };
    const Flag nameLower = &CSekisanItem::m_bNameLowerEdited;
    const Flag remarkUpper = &CSekisanItem::m_bKeepRemarkUpper;
    const Flag remarkLower = &CSekisanItem::m_bKeepRemarkLower;
    const char* const namePrompt = apptext::kNameLowerEditedPrompt;
    const char* const upperPrompt = apptext::kRemarkUpperEditedPrompt;
    const char* const lowerPrompt = apptext::kRemarkLowerEditedPrompt;
    auto ok = [](ScriptedDialogs& d) { d.Expect<QDialog>(IDOK); };
    auto number = [](ScriptedDialogs& d) { TypeNumber(d, "1"); };
    const Case cases[] = {
        {"積算区分", cmd::KeisanKubun, ShubetsuRow(2, 300, kEntry), nameLower, namePrompt, ok},
        {"重量", cmd::Juryo, ShubetsuRow(2, 300, kEntry), nameLower, namePrompt, number},
        {"代価No", cmd::DaikaNo, ShubetsuRow(2, 300, kEntry), remarkLower, lowerPrompt, ok},
        {"印刷有無", cmd::InsatsuUmu, KoshuRow(2, 300), remarkLower, lowerPrompt, {}},
        {"金額, upper 摘要", cmd::Kingaku, ShubetsuRow(2, 300, kEntry), remarkUpper, upperPrompt, number},
        {"金額, lower 摘要", cmd::Kingaku, ShubetsuRow(2, 300, kEntry), remarkLower, lowerPrompt, number},
        {"率", cmd::Ritsu, KoshuRow(2, 75), remarkUpper, upperPrompt, number},
        {"精度", cmd::Seido, ShubetsuRow(1, 10, kEntry), remarkUpper, upperPrompt, {}},
        {"電子", cmd::Denshi, ShubetsuRow(2, 300, kEntry), remarkUpper, upperPrompt, {}},
        {"直接経費", cmd::ProgramKingaku, KoshuRow(2, 75), remarkLower, lowerPrompt, {}},
    };
    const struct {
        int flag;
        int answer;  // 0: no question
        int after;
    } answers[] = {{0, 0, 0}, {1, IDYES, 0}, {1, IDNO, 1}};
    for (const Case& c : cases) {
        for (const auto& a : answers) {
            SCOPED_TRACE(testing::Message() << c.what << ", flag " << a.flag << ", answer " << a.answer);
            Make(c.build);
            CSekisanItem& item = Item(view->GetCurrentRow());
            item.*c.flag = a.flag;
            host->messages.clear();
            if (a.answer) host->answers = {a.answer};
            {
                ScriptedDialogs dialogs;
                if (c.answer) c.answer(dialogs);
                Run(c.id);
            }
            if (a.answer) {
                ASSERT_EQ(host->messages.size(), 1u);
                EXPECT_EQ(host->messages[0].text, c.prompt);
                EXPECT_EQ(host->messages[0].buttons, MsgButtons::YesNo);
                EXPECT_EQ(host->messages[0].icon, MsgIcon::Exclamation);
            } else {
                EXPECT_TRUE(host->messages.empty());
            }
            EXPECT_TRUE(host->answers.empty());
            EXPECT_EQ(item.*c.flag, a.after);
            if (a.after != a.flag) EXPECT_TRUE(Doc().IsModified());
        }
    }
}

// ---------------------------------------------------------------------------------------------
// 積算区分, 数量, 重量

TEST_F(ViewSettings, TheClassificationDialogGetsTheRowAndItsDetailAndGivesBackThe工程Flags) {
    Make(ShubetsuRow(2, 300, [](CBukakeShubetsu& e) {
        AddLine(e.GetDetail(), "", {});
        AddLine(e.GetDetail(), "照査", {});
    }, "式", [](CSekisanItem& i) {
        i.m_strNameUpper = "一般";
        i.m_bKotei[1] = 1;
    }));
    ScriptedDialogs dialogs;
    dialogs.Expect<CKeisanKubunDlg>([](CKeisanKubunDlg& dlg) {
        EXPECT_EQ(Child<QLabel>(dlg, "shubetsuName")->text(), Tx("一般"));
        EXPECT_EQ(dlg.GetItem().m_bKotei[1], 1);
        dlg.OnSelectAll();  // the named lines 1 and 3
        return IDOK;
    });
    Run(cmd::KeisanKubun);
    const CSekisanItem& item = Item(view->GetCurrentRow());
    EXPECT_EQ(item.m_bKotei[0], 1);
    EXPECT_EQ(item.m_bKotei[1], 1);  // the unnamed line keeps its flag
    EXPECT_EQ(item.m_bKotei[2], 1);
    EXPECT_EQ(item.m_strNameUpper, "一般");

    // Without its 歩掛 entry nothing opens.
    Make(ShubetsuRow(2, 300, kNoEntry));
    EXPECT_EQ(view->SetKeisanKubun(), 2);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(ViewSettings, TheQuantityTakesTheUnitOfThe歩掛AndClearsTheEnteredAmount) {
    struct Case {
        const char* what;
        EntryChange entry;
        const char* rowUnit;
        const char* shownUnit;
        const char* storedUnit;
    };
    const Case cases[] = {
        {"detail in 式", Type(0, "式"), "組", "", "式"},
        {"detail in 業務", Type(0, "業務"), "", "", "業務"},
        {"detail in m", Type(0, "m"), "", "m", "m"},
        {"detail without a unit", Type(0, ""), "組", "", ""},
        // The unit stays, but the recalculation empties the unit of a row without its 歩掛.
        {"no 歩掛 entry", kNoEntry, "組", "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Make(ShubetsuRow(1, 10, c.entry, c.rowUnit, [](CSekisanItem& i) {
            i.m_bAmountEntered = 1;
            i.m_nQuantity = 1500;
        }));
        ScriptedDialogs dialogs;
        dialogs.Expect<CNumberInputDlg>([&](CNumberInputDlg& dlg) {
            EXPECT_EQ(dlg.GetMode(), 0);
            EXPECT_EQ(Child<QLabel>(dlg, "unit")->text(), Tx(c.shownUnit));
            EXPECT_EQ(Field(dlg, "number")->text(), QStringLiteral("1.500"));
            Field(dlg, "number")->setText(QStringLiteral("4.25"));
            return IDOK;
        });
        Run(cmd::Suryo);
        const CSekisanItem& item = Item(view->GetCurrentRow());
        if (c.storedUnit) {
            EXPECT_EQ(item.m_strUnit, c.storedUnit);
        }
        EXPECT_EQ(item.m_bAmountEntered, 0);
        EXPECT_EQ(item.m_nQuantity, 4250);
        EXPECT_TRUE(Doc().IsModified());
    }
}

// A 重量 row (type 23) of 業務 4 multiplies the quantities of the rows after it, up to the next
// 重量 row or the end of its 工種; each product is formed in 64 bits, and a product beyond the
// quantity field leaves that quantity as it was.
TEST_F(ViewSettings, The重量FactorMultipliesTheFollowingQuantitiesOfIts工種) {
    Make([](Scene& s) {
        for (int code : {1, 2, 3}) Entry(s.bukake, 4, 100, code).GetDetail().m_unit = "m";
        Entry(s.bukake, 4, 100, 9).GetDetail().m_bukakeType = 23;
        Entry(s.bukake, 4, 101, 1).GetDetail().m_unit = "m";
        s.b.Gyomu(4).Koshu(100);
        s.b.Shubetsu(9).Set([](CSekisanItem& i) { i.m_nWeightAverage = 1200; });
        s.b.Shubetsu(1).Quantity(2000);
        s.b.Shubetsu(2).Quantity(2000000);     // 2,000.000: its product overflows 32 bits
        s.b.Shubetsu(3).Quantity(2000000000);  // 2,000,000.000: its product does not fit
        s.b.Shubetsu(1).Quantity(0);
        s.b.Shubetsu(9);
        s.b.Shubetsu(1).Quantity(2000);
        s.b.Koshu(101).Shubetsu(1).Quantity(2000);
        s.b.Koshu(102).Shubetsu(5).Shubetsu(5).Quantity(2000);  // without a 歩掛 entry
    });
    Select(2);
    ScriptedDialogs dialogs;
    dialogs.Expect<CNumberInputDlg>([](CNumberInputDlg& dlg) {
        EXPECT_EQ(dlg.GetMode(), 8);
        EXPECT_EQ(dlg.windowTitle(), Tx("現在の数量を何倍しますか？"));
        EXPECT_EQ(Field(dlg, "number")->text(), QStringLiteral("1.200"));
        Field(dlg, "number")->setText(QStringLiteral("1.5"));
        return IDOK;
    });
    Run(cmd::Juryo);
    EXPECT_EQ(Item(2).m_nWeightAverage, 1500);
    // The second 重量 row takes the total of the rows above it from the recalculation.
    const std::optional<int> expected[] = {3000, 3000000, 2000000000, 0, std::nullopt, 2000, kUnset, 2000};
    for (int i = 0; i < 8; ++i) {
        if (expected[i]) {
            EXPECT_EQ(Item(3 + i).m_nQuantity, *expected[i]) << "row " << 3 + i;
        }
    }

    // A row of another type asks for the weighted mean and multiplies nothing; so does a row
    // without its 歩掛 entry, and a factor of 0.
    for (int row : {3, 12}) {
        SCOPED_TRACE(row);
        Select(row);
        const int before = Item(row + 1).m_nQuantity;
        dialogs.Expect<CNumberInputDlg>([](CNumberInputDlg& dlg) {
            EXPECT_EQ(dlg.GetMode(), 4);
            EXPECT_EQ(dlg.windowTitle(), Tx("重量平均値入力"));
            Field(dlg, "number")->setText(QStringLiteral("2"));
            return IDOK;
        });
        Run(cmd::Juryo);
        EXPECT_EQ(Item(row).m_nWeightAverage, 2000);
        EXPECT_EQ(Item(row + 1).m_nQuantity, before);
    }
    Select(2);
    TypeNumber(dialogs, "0");
    Run(cmd::Juryo);
    EXPECT_EQ(Item(2).m_nWeightAverage, 0);
    EXPECT_EQ(Item(3).m_nQuantity, 3000);
}

// ---------------------------------------------------------------------------------------------
// 金額

TEST_F(ViewSettings, TheAmountDialogsModeAndSeedFollowTheRow) {
    struct Case {
        const char* what;
        ::Build build;
        int mode;
        const char* shown;
        bool manualNote;
    };
    auto amount = [](int value, int entered = 0) {
        return [=](CSekisanItem& i) {
            i.m_nAmount = value;
            i.m_bAmountEntered = entered;
        };
    };
    const Case cases[] = {
        {"工種 92", KoshuRow(2, 92, amount(1200)), 6, "1200", false},
        {"工種 93 entered by hand", KoshuRow(1, 93, amount(1200, 1)), 6, "1200", true},
        {"工種 94", KoshuRow(2, 94, amount(-1200)), 6, "1200", false},
        {"工種 899", KoshuRow(2, 899, amount(1)), 6, "1", false},
        {"工種 915", KoshuRow(2, 915, amount(1)), 6, "1", false},
        {"工種 916", KoshuRow(3, 916, amount(1)), 6, "1", false},
        {"工種 917", KoshuRow(3, 917, amount(1)), 6, "1", false},
        {"工種 85 in 業務 1", KoshuRow(1, 85, amount(1)), 6, "1", false},
        {"工種 85 in 業務 7", KoshuRow(7, 85, amount(1)), 6, "1", false},
        {"工種 81 in 業務 3", KoshuRow(3, 81, amount(1)), 6, "1", false},
        {"工種 838", KoshuRow(1, 838, amount(1)), 6, "1", false},
        {"工種 96, a discount", KoshuRow(2, 96, amount(-500, 1)), 10, "500", false},
        {"工種 96, an addition", KoshuRow(2, 96, amount(500, 1)), 10, "-500", false},
        {"工種 69", KoshuRow(1, 69, amount(-300)), 2, "300", false},
        {"業務 96", [](Scene& s) { s.b.Gyomu(96).Amount(-300); }, 2, "300", false},
        {"a 種別 row", ShubetsuRow(2, 300, kEntry, "式", amount(4500)), 2, "4500", false},
        // An unset amount opens the dialog empty in every mode.
        {"工種 93 without an amount", KoshuRow(1, 93, amount(kUnset)), 6, "", false},
        {"工種 96 without an amount", KoshuRow(2, 96, amount(kUnset)), 10, "", false},
        {"a 種別 row without an amount", ShubetsuRow(2, 300, kEntry, "式", amount(kUnset)), 2, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Make(c.build);
        ScriptedDialogs dialogs;
        dialogs.Expect<CNumberInputDlg>([&](CNumberInputDlg& dlg) {
            EXPECT_EQ(dlg.GetMode(), c.mode);
            EXPECT_EQ(Field(dlg, "number")->text(), Tx(c.shown));
            EXPECT_EQ(Child<QLabel>(dlg, "manualNote")->isVisibleTo(&dlg), c.manualNote);
            return IDCANCEL;
        });
        EXPECT_EQ(view->SetKingaku(), 2);
    }
}

TEST_F(ViewSettings, AnAmountTypedByHandIsALumpOf1式AndEmptiesThe摘要) {
    struct Case {
        const char* what;
        ::Build build;
        const char* typed;
        const char* unit;
        int quantity;
        int amount;
    };
    auto remarks = [](CSekisanItem& i) {
        i.m_strRemarkUpper = "上";
        i.m_strRemarkLower = "下";
        i.m_nUnitPrice = 55;
        i.m_nAmount2 = 9;
    };
    const Case cases[] = {
        {"a 種別 row", ShubetsuRow(2, 300, kEntry, "m", remarks), "4500", "式", 1000, 4500},
        {"工種 69", KoshuRow(1, 69, remarks), "300", "式", 1000, 300},
        {"工種 916", KoshuRow(2, 916, remarks), "7000", "式", 1000, 7000},
        {"工種 93", KoshuRow(2, 93, remarks), "7000", "式", 1000, 7000},
        // The adjustment row: a typed −3000 adds 3000 as a lump, a typed 3000 discounts it.
        {"工種 96, −3000", KoshuRow(2, 96, remarks), "-3000", "式", 1000, 3000},
        {"工種 96, 3000", KoshuRow(2, 96, remarks), "3000", "", kUnset, -3000},
        // A typed −1 is −1 yen, not an empty field.
        {"工種 96, −1", KoshuRow(2, 96, remarks), "-1", "式", 1000, 1},
        {"業務 96", [&](Scene& s) { s.b.Gyomu(96).Set(remarks); }, "3000", "", kUnset, -3000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Make(c.build);
        ScriptedDialogs dialogs;
        TypeNumber(dialogs, c.typed);
        Run(cmd::Kingaku);
        const CSekisanItem& item = Item(view->GetCurrentRow());
        EXPECT_EQ(item.m_bAmountEntered, 1);
        EXPECT_EQ(item.m_strUnit, c.unit);
        EXPECT_EQ(item.m_nQuantity, c.quantity);
        EXPECT_EQ(item.m_nAmount, c.amount);
        EXPECT_EQ(item.m_nUnitPrice, kUnset);
        // The copy the recalculation takes the typed amount from, whatever an earlier one left there.
        EXPECT_EQ(item.m_nAmount2, c.amount);
        EXPECT_EQ(item.m_strRemarkUpper, "");
        EXPECT_EQ(item.m_strRemarkLower, "");
        EXPECT_TRUE(Doc().IsModified());
    }
}

TEST_F(ViewSettings, 自動計算OnAnAmountClearsTheEnteredFlagAndLeavesTheRestAsItWas) {
    for (int koshu : {93, 92, 916}) {
        SCOPED_TRACE(koshu);
        Make(KoshuRow(2, koshu, [](CSekisanItem& i) {
            i.m_bAmountEntered = 1;
            i.m_strUnit = "組";
            i.m_nQuantity = 2000;
            i.m_nAmount2 = 5000;
            i.m_strRemarkUpper = "上";
            i.m_strRemarkLower = "下";
            i.m_bKeepRemarkUpper = 1;
            i.m_bKeepRemarkLower = 1;
        }));
        ScriptedDialogs dialogs;
        dialogs.Expect<CNumberInputDlg>([](CNumberInputDlg& dlg) {
            Child<QPushButton>(dlg, "auto")->click();
            return IDOK;
        });
        Run(cmd::Kingaku);
        const CSekisanItem& item = Item(view->GetCurrentRow());
        EXPECT_EQ(item.m_bAmountEntered, 0);
        EXPECT_EQ(item.m_strUnit, "組");
        EXPECT_EQ(item.m_nQuantity, 2000);
        EXPECT_EQ(item.m_strRemarkUpper, "上");
        EXPECT_EQ(item.m_strRemarkLower, "下");
        EXPECT_TRUE(host->messages.empty());
        EXPECT_TRUE(Doc().IsModified());
    }
}

// Rows priced by unit, quantity and unit price take those three, each committed on its own.
TEST_F(ViewSettings, AnAmountOfARowPricedByQuantityAsksForUnitQuantityAndUnitPrice) {
    struct Case {
        const char* what;
        ::Build build;
        bool unitFirst;
    };
    const Case cases[] = {
        {"業務 89", GyomuRow(89), true},
        {"工種 80", KoshuRow(1, 80), true},
        {"工種 85 in 業務 3", KoshuRow(3, 85), true},
        {"工種 81 in 業務 2", KoshuRow(2, 81), true},
        {"工種 800", KoshuRow(2, 800), true},
        {"工種 898", KoshuRow(2, 898), true},
        {"工種 838", KoshuRow(2, 838), false},
        {"工種 85 in 業務 6", KoshuRow(6, 85), false},
        {"工種 85 in 業務 5", KoshuRow(5, 85), false},
        {"工種 81 in 業務 4", KoshuRow(4, 81), false},
        {"工種 899", KoshuRow(2, 899), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Make(c.build);
        ScriptedDialogs dialogs;
        if (c.unitFirst) {
            dialogs.Expect<CTaniInputDlg>([](CTaniInputDlg& dlg) {
                Field(dlg, "unit")->setText(Tx("人"));
                return IDOK;
            });
            dialogs.Expect<CNumberInputDlg>([](CNumberInputDlg& dlg) {
                EXPECT_EQ(dlg.GetMode(), 0);
                Field(dlg, "number")->setText(QStringLiteral("3"));
                return IDOK;
            });
            dialogs.Expect<CNumberInputDlg>([](CNumberInputDlg& dlg) {
                EXPECT_EQ(dlg.GetMode(), 1);
                Field(dlg, "number")->setText(QStringLiteral("1500.5"));
                return IDOK;
            });
        } else {
            dialogs.Expect<CNumberInputDlg>([](CNumberInputDlg& dlg) {
                EXPECT_EQ(dlg.GetMode(), 6);
                return IDCANCEL;
            });
        }
        EXPECT_EQ(view->SetKingaku(), 2);
        EXPECT_EQ(dialogs.Pending(), 0u);
        const CSekisanItem& item = Item(view->GetCurrentRow());
        if (c.unitFirst) {
            EXPECT_EQ(item.m_strUnit, "人");
            EXPECT_EQ(item.m_nQuantity, 3000);
            EXPECT_EQ(item.m_nUnitPrice, 15005);
            EXPECT_EQ(item.m_bAmountEntered, 0);
        }
        EXPECT_EQ(Doc().IsModified(), c.unitFirst);
    }
}

// ---------------------------------------------------------------------------------------------
// 率

TEST_F(ViewSettings, TheRateDialogsModeAndSeedFollowTheRow) {
    struct Case {
        const char* what;
        ::Build build;
        int mode;
        const char* shown;
        bool manualNote;
    };
    auto rate = [](int value, const char* remark = "") {
        return [=](CSekisanItem& i) {
            i.m_nRate = value;
            i.m_strRemarkUpper = remark;
        };
    };
    const Case cases[] = {
        {"諸経費 of 業務 1", KoshuRow(1, 93, rate(1250)), 12, "12.50", true},
        {"諸経費 of 業務 6", KoshuRow(6, 93, rate(kUnset)), 12, "", false},
        {"諸経費 of 業務 4", KoshuRow(4, 93, rate(kUnset)), 13, "", false},
        {"諸経費 of 業務 2", KoshuRow(2, 93, rate(kUnset)), 7, "", false},
        {"技術経費 of 業務 1", KoshuRow(1, 94, rate(kUnset)), 7, "", false},
        {"工種 70 of 業務 1", KoshuRow(1, 70, rate(kUnset)), 9, "", false},
        {"工種 70 of 業務 6", KoshuRow(6, 70, rate(kUnset)), 9, "", false},
        {"工種 70 of 業務 2", KoshuRow(2, 70, rate(kUnset)), 3, "", false},
        {"一般管理費等 of 業務 2", KoshuRow(2, 916, rate(kUnset)), 12, "", false},
        {"一般管理費等 of 業務 1", KoshuRow(1, 916, rate(kUnset)), 7, "", false},
        {"その他原価 of 業務 3", KoshuRow(3, 915, rate(kUnset)), 7, "", false},
        {"工種 838", KoshuRow(2, 838, rate(kUnset)), 7, "", false},
        {"工種 81 of 業務 3", KoshuRow(3, 81, rate(kUnset)), 7, "", false},
        {"工種 81 of 業務 2", KoshuRow(2, 81, rate(kUnset)), 3, "", false},
        {"工種 85 of 業務 5", KoshuRow(5, 85, rate(kUnset)), 7, "", false},
        {"工種 85 of 業務 1", KoshuRow(1, 85, rate(kUnset)), 3, "", false},
        {"工種 75", KoshuRow(2, 75, rate(800)), 3, "8.00", false},
        {"業務 98", [](Scene& s) { s.b.Gyomu(98).Set([](CSekisanItem& i) { i.m_nRate = 1000; }); }, 3, "10.00", false},
        {"a 種別 row", ShubetsuRow(2, 300, kEntry, "式", rate(kUnset)), 3, "", false},
        // An unset rate is read from the end of the upper 摘要.
        {"a rate in the 摘要", KoshuRow(2, 75, rate(kUnset, "直接人件費の 12.5%")), 3, "12.50", false},
        {"a bare rate in the 摘要", KoshuRow(2, 75, rate(kUnset, "12.5%")), 3, "12.50", false},
        {"a short 摘要", KoshuRow(2, 75, rate(kUnset, "2.5%")), 3, "", false},
        {"a 摘要 without a per-cent sign", KoshuRow(2, 75, rate(kUnset, "率 12.5")), 3, "", false},
        {"a per-cent sign without a number", KoshuRow(2, 75, rate(kUnset, "率は 約%")), 3, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Make(c.build);
        ScriptedDialogs dialogs;
        dialogs.Expect<CNumberInputDlg>([&](CNumberInputDlg& dlg) {
            EXPECT_EQ(dlg.GetMode(), c.mode);
            EXPECT_EQ(Field(dlg, "number")->text(), Tx(c.shown));
            EXPECT_EQ(Child<QLabel>(dlg, "manualNote")->isVisibleTo(&dlg), c.manualNote);
            return IDCANCEL;
        });
        EXPECT_EQ(view->SetRitsu(), 2);
    }
}

// The overhead-rate rows with a fiscal-year choice: 自動計算 takes the year and names its table in
// the lower 摘要; a typed rate drops that name.
TEST_F(ViewSettings, TheFiscalYearOfTheOverheadRateNamesItsTableInTheLower摘要) {
    struct Step {
        int year;          // radio index; -1 types a rate instead
        const char* lower;
        int keep;
        int yearCode;
    };
    struct Case {
        const char* what;
        int gyomu, koshu;
        int mode;
        const char* lowerBefore;
        int keepBefore;
        std::vector<Step> steps;
    };
    const char* const r6 = estimate_texts::ShokeihiRateR6;
    const char* const h26 = estimate_texts::ShokeihiRateH26;
    const char* const ippan = estimate_texts::IppanRateH26;
    const Case cases[] = {
        {"諸経費 of 業務 1", 1, 93, 12, "", 0,
         {{1, r6, 1, 30101}, {0, h26, 1, 30100}, {5, "", 0, 30105}, {0, h26, 1, 30100}, {-1, "", 0, 30100}}},
        {"諸経費 of 業務 4", 4, 93, 13, "", 0,
         {{1, estimate_texts::ShokeihiRateH27, 1, 30101},
          {2, estimate_texts::ShokeihiRateH29, 1, 30102},
          {3, estimate_texts::ShokeihiRateR5, 1, 30103},
          {0, h26, 1, 30100},
          {4, "", 0, 30104},
          {3, estimate_texts::ShokeihiRateR5, 1, 30103},
          {-1, "", 0, 30103}}},
        {"一般管理費等 of 業務 2", 2, 916, 12, "", 0, {{0, ippan, 1, 30100}, {1, "", 0, 30101}, {0, ippan, 1, 30100}}},
        {"一般管理費等 with a lower 摘要 of its own", 2, 916, 12, "自社", 1, {{0, "自社", 1, 30100}, {1, "自社", 1, 30101}}},
        {"一般管理費等 with a typed rate", 2, 916, 12, "", 0, {{0, ippan, 1, 30100}, {-1, "", 0, 30100}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Make(KoshuRow(c.gyomu, c.koshu, [&](CSekisanItem& i) {
            i.m_strRemarkLower = c.lowerBefore;
            i.m_bKeepRemarkLower = c.keepBefore;
            i.m_nRate = 500;
        }));
        for (const Step& step : c.steps) {
            SCOPED_TRACE(step.year);
            ScriptedDialogs dialogs;
            dialogs.Expect<CNumberInputDlg>([&](CNumberInputDlg& dlg) {
                EXPECT_EQ(dlg.GetMode(), c.mode);
                if (step.year < 0) {
                    Field(dlg, "number")->setText(QStringLiteral("9.5"));
                    return IDOK;
                }
                Child<QRadioButton>(dlg, ("year" + std::to_string(step.year)).c_str())->click();
                Child<QPushButton>(dlg, "auto")->click();
                return IDOK;
            });
            Run(cmd::Ritsu);
            const CSekisanItem& item = Item(view->GetCurrentRow());
            EXPECT_EQ(item.m_strRemarkLower, step.lower);
            EXPECT_EQ(item.m_bKeepRemarkLower, step.keep);
            EXPECT_EQ(item.m_nYearCode, step.yearCode);
            EXPECT_EQ(item.m_nRate, step.year < 0 ? 950 : kUnset);
        }
    }
}

TEST_F(ViewSettings, 自動計算OnARateRowReturnsItToTheComputedRate) {
    struct Case {
        const char* what;
        ::Build build;
        bool computed;
    };
    const Case cases[] = {
        {"工種 838", KoshuRow(2, 838), true},
        {"工種 81 of 業務 4", KoshuRow(4, 81), true},
        {"工種 85 of 業務 7", KoshuRow(7, 85), true},
        {"技術経費 of 業務 2", KoshuRow(2, 94), true},
        {"諸経費 of 業務 5", KoshuRow(5, 93), true},
        {"その他原価", KoshuRow(3, 915), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Make(c.build);
        Item(view->GetCurrentRow()).m_nRate = 1250;
        ScriptedDialogs dialogs;
        dialogs.Expect<CNumberInputDlg>([](CNumberInputDlg& dlg) {
            EXPECT_EQ(dlg.GetMode(), 7);
            Field(dlg, "number")->setText(QStringLiteral("3"));
            Child<QPushButton>(dlg, "auto")->click();
            return IDOK;
        });
        Run(cmd::Ritsu);
        EXPECT_EQ(Item(view->GetCurrentRow()).m_nRate, kUnset);
        EXPECT_TRUE(Doc().IsModified());
    }
}

// ---------------------------------------------------------------------------------------------
// 代価No and 丸め

TEST_F(ViewSettings, The代価NumberAndTheTitleWordOfThe代価Sheets) {
    struct Case {
        const char* what;
        const char* nameBefore;
        int numberBefore;
        const char* titleShown;
        const char* numberShown;
        std::function<void(CDaikaNoDlg&)> answer;
        const char* nameAfter;
        int numberAfter;
    };
    const Case cases[] = {
        {"no title word yet", "", kUnset, "一位代価表", "",
         [](CDaikaNoDlg& dlg) { Field(dlg, "number")->setText(QStringLiteral("4")); }, "一位代価表", 4},
        {"a title word", "単価表", 4, "単価表", "4",
         [](CDaikaNoDlg& dlg) {
             Field(dlg, "number")->setText(QStringLiteral("6"));
             Field(dlg, "title")->setText(Tx("明細表"));
         },
         "明細表", 6},
        {"a cleared number", "単価表", 4, "単価表", "4", [](CDaikaNoDlg& dlg) { Field(dlg, "number")->clear(); },
         "単価表", kUnset},
        // 連続割付 asks the recalculation to number the rows on from the given number.
        {"連続割付", "", 4, "一位代価表", "4",
         [](CDaikaNoDlg& dlg) {
             Field(dlg, "number")->setText(QStringLiteral("8"));
             dlg.OnSerial();
         },
         "一位代価表", 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        app->SetDaikaName(c.nameBefore);
        Make(ShubetsuRow(2, 300, kEntry, "式", [&](CSekisanItem& i) { i.m_nDaikaNo = c.numberBefore; }));
        ScriptedDialogs dialogs;
        dialogs.Expect<CDaikaNoDlg>([&](CDaikaNoDlg& dlg) {
            EXPECT_EQ(Field(dlg, "title")->text(), Tx(c.titleShown));
            EXPECT_EQ(Field(dlg, "number")->text(), Tx(c.numberShown));
            c.answer(dlg);
            return IDOK;
        });
        Run(cmd::DaikaNo);
        EXPECT_EQ(app->GetDaikaName(), c.nameAfter);
        EXPECT_EQ(app->Settings().DaikaName, c.nameAfter);
        EXPECT_EQ(Item(view->GetCurrentRow()).m_nDaikaNo, c.numberAfter);
        EXPECT_TRUE(Doc().IsModified());
    }
}

TEST_F(ViewSettings, TheRoundingDialogOffersTheChoicesOfThe業務) {
    Make([](Scene& s) {
        s.b.Gyomu(1).Koshu(85).Amount(1000000).Set(Entered);
        s.b.Koshu(93).Set([](CSekisanItem& i) {
            i.m_bAmountEntered = 1;
            i.m_nAmount2 = 45678;
        });
        s.b.Koshu(95).Set([](CSekisanItem& i) { i.m_nRounding = 2; });
    });
    ASSERT_EQ(view->Recalculate(0), 1);
    const int count = view->GetSekisanData()->GetMarumeChoiceCount(1);
    ASSERT_EQ(count, 6);
    ScriptedDialogs dialogs;
    dialogs.Expect<CMarumeSettingDlg>([&](CMarumeSettingDlg& dlg) {
        for (int i = 0; i < CMarumeSettingDlg::kChoices; ++i)
            EXPECT_EQ(Child<QRadioButton>(dlg, ("choice" + std::to_string(i)).c_str())->isEnabled(), i < count) << i;
        EXPECT_TRUE(Child<QRadioButton>(dlg, "choice2")->isChecked());
        Child<QRadioButton>(dlg, "choice5")->click();
        return IDOK;
    });
    EXPECT_EQ(view->SetMarume(), 1);
    EXPECT_EQ(Item(3).m_nRounding, 5);
    EXPECT_TRUE(Doc().IsModified());
}

// ---------------------------------------------------------------------------------------------
// 精度, 電子 and the 直接経費 handling

TEST_F(ViewSettings, TheBulkSwitchSetsTheRowsAfterThe業務Or工種Row) {
    struct Case {
        const char* what;
        int cmd;
        int current;
        const char* caption;
        const char* radio;
        std::vector<int> flags;  // every row's flag afterwards
    };
    // 業務 1: 0 業務, 1 工種 10, 2 種別, 3 種別, 4 工種 11, 5 種別; 6 業務 3, 7 工種 100, 8 種別; 9 業務 2,
    // 10 工種 300, 11 種別 (without 電子計算機使用料).
    const Case cases[] = {
        {"精度 on 業務 1, 無し", cmd::Seido, 0, "精度管理費一括設定", "second", {1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0}},
        {"精度 on 工種 10, 無し", cmd::Seido, 1, "精度管理費一括設定", "second", {1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 0}},
        {"材料費 on 業務 3, 無し", cmd::Seido, 6, "材料費一括設定", "second", {1, 1, 1, 1, 1, 1, 1, 0, 0, 1, 1, 0}},
        {"電子 on 業務 2, 無し", cmd::Denshi, 9, "電子計算機使用料一括設定", "second",
         {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0}},
        {"電子 on 工種 300, 有り", cmd::Denshi, 10, "電子計算機使用料一括設定", "first",
         {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Make([](Scene& s) {
            for (auto [g, k] : {std::pair{1, 10}, {1, 11}, {3, 100}, {2, 300}}) Entry(s.bukake, g, k, 1);
            s.b.Gyomu(1).Koshu(10).Shubetsu(1).Shubetsu(1).Koshu(11).Shubetsu(1);
            s.b.Gyomu(3).Koshu(100).Shubetsu(1);
            s.b.Gyomu(2).Koshu(300).Shubetsu(1).Set([](CSekisanItem& i) { i.m_bSpecialExpense = 0; });
        });
        Select(c.current);
        ScriptedDialogs dialogs;
        dialogs.Expect<CIkkatsuSettingDlg>([&](CIkkatsuSettingDlg& dlg) {
            EXPECT_EQ(dlg.windowTitle(), Tx(c.caption));
            Child<QRadioButton>(dlg, c.radio)->click();
            return IDOK;
        });
        Run(c.cmd);
        std::vector<int> flags;
        for (int i = 0; i < List().GetCount(); ++i) flags.push_back(Item(i).m_bSpecialExpense);
        EXPECT_EQ(flags, c.flags);
        EXPECT_TRUE(Doc().IsModified());
    }
    // A 種別 row switches itself; a cancelled bulk setting changes nothing.
    Select(2);
    Run(cmd::Seido);
    EXPECT_EQ(Item(2).m_bSpecialExpense, 0);
    Run(cmd::Seido);
    EXPECT_EQ(Item(2).m_bSpecialExpense, 1);
    Select(0);
    Doc().SetModifiedFlag(false);
    ScriptedDialogs dialogs;
    dialogs.Expect<CIkkatsuSettingDlg>([](CIkkatsuSettingDlg& dlg) {
        Child<QRadioButton>(dlg, "second")->click();
        return IDCANCEL;
    });
    Run(cmd::Seido);
    EXPECT_EQ(Item(1).m_bSpecialExpense, 1);
    EXPECT_FALSE(Doc().IsModified());
}

// 32805 on a 直接経費 row: the 912 row switches every 直接経費 row of its 業務, a 工種 row followed by
// rows of its code switches those, any other row toggles itself.
TEST_F(ViewSettings, The直接経費HandlingOfOneRowOrOfA業務) {
    const int in = kYearInGenka, out = kYearNotInGenka, none = kUnset;
    struct Case {
        const char* what;
        int current;
        const char* radio;  // null: no dialog
        std::vector<int> codes;
    };
    // 業務 3: 0 業務, 1 工種 70, 2 工種 100, 3 種別, 4 工種 912, 5 工種 80, 6 工種 80, 7 工種 84;
    // 業務 2: 8 業務, 9 工種 75.
    const Case cases[] = {
        {"912 of 業務 3, 含めない", 4, "second", {none, out, none, none, out, out, out, out, none, none}},
        {"912 of 業務 3, 含む", 4, "first", {none, in, none, none, in, in, in, in, none, none}},
        {"工種 80 followed by its code", 5, "second", {none, none, none, none, none, none, out, none, none, none}},
        {"工種 84 alone", 7, nullptr, {none, none, none, none, none, none, none, out, none, none}},
        {"工種 75 of 業務 2", 9, nullptr, {none, none, none, none, none, none, none, none, none, out}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Make([](Scene& s) {
            Entry(s.bukake, 3, 100, 1);
            s.b.Gyomu(3).Koshu(70).Koshu(100).Shubetsu(1).Koshu(912).Koshu(80);
            s.b.Node(estimate_test::MakeItem(3, 80));
            s.b.Koshu(84).Gyomu(2).Koshu(75);
        });
        Select(c.current);
        ScriptedDialogs dialogs;
        if (c.radio)
            dialogs.Expect<CIkkatsuSettingDlg>([&](CIkkatsuSettingDlg& dlg) {
                EXPECT_EQ(dlg.windowTitle(), Tx("直接経費の取り扱い"));
                Child<QRadioButton>(dlg, c.radio)->click();
                return IDOK;
            });
        Run(cmd::ProgramKingaku);
        std::vector<int> codes;
        for (int i = 0; i < List().GetCount(); ++i) codes.push_back(Item(i).m_nYearCode);
        EXPECT_EQ(codes, c.codes);
        EXPECT_TRUE(Doc().IsModified());
    }
    // A toggled row goes back and forth.
    Select(9);
    Run(cmd::ProgramKingaku);
    EXPECT_EQ(Item(9).m_nYearCode, in);
    Run(cmd::ProgramKingaku);
    EXPECT_EQ(Item(9).m_nYearCode, out);

    // The 材料費等 row (917) of a 業務 without materials is removed by the recalculation: the row
    // drawn afterwards is the one now current.
    Make([](Scene& s) { s.b.Gyomu(3).Koshu(70).Koshu(917).Gyomu(2).Koshu(75); });
    Select(2);
    Run(cmd::ProgramKingaku);
    EXPECT_EQ(List().FindKoshu(3, 917), -1);
    EXPECT_EQ(List().GetCount(), 4);
    EXPECT_TRUE(Doc().IsModified());
}

// ---------------------------------------------------------------------------------------------
// 安全費 rate and プログラム金額 (32805 on other rows)

TEST_F(ViewSettings, The安全費RateOfA工種71RowIsThatOfThe業務sRows) {
    struct Case {
        const char* what;
        int gyomu;
        std::vector<int> before;  // rows 3 (種別), 4 (工種 69), 5 (工種 690), 6 (工種 11), 9 (other 業務's 種別)
        const char* shown;
        int mode;
    };
    const Case cases[] = {
        {"one common rate", 1, {250, 250, 0, 700, 250}, "2.50", 9},
        {"two rates", 6, {250, 300, 250, 250, 250}, "", 9},
        {"no rate", 4, {0, kUnset, 0, 250, 250}, "", 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Make([&](Scene& s) {
            Entry(s.bukake, c.gyomu, 10, 1);
            s.b.Gyomu(c.gyomu).Koshu(71).Koshu(10).Shubetsu(1).Koshu(69).Koshu(690).Koshu(11);
            s.b.Gyomu(2).Koshu(300).Shubetsu(1);
        });
        const int rows[] = {3, 4, 5, 6, 9};
        for (size_t i = 0; i < std::size(rows); ++i) Item(rows[i]).m_nExtraRate = c.before[i];
        Select(1);
        ScriptedDialogs dialogs;
        dialogs.Expect<CNumberInputDlg>([&](CNumberInputDlg& dlg) {
            EXPECT_EQ(dlg.GetMode(), c.mode);
            EXPECT_EQ(Field(dlg, "number")->text(), Tx(c.shown));
            Field(dlg, "number")->setText(QStringLiteral("4.5"));
            return IDOK;
        });
        Run(cmd::ProgramKingaku);
        EXPECT_EQ(Item(3).m_nExtraRate, 450);
        EXPECT_EQ(Item(4).m_nExtraRate, 450);
        EXPECT_EQ(Item(5).m_nExtraRate, 450);
        EXPECT_EQ(Item(6).m_nExtraRate, c.before[3]);
        EXPECT_EQ(Item(9).m_nExtraRate, c.before[4]);
        EXPECT_TRUE(Doc().IsModified());
    }
    // On a 種別 row the row's own rate, and the pane shows it.
    Select(3);
    host->panes.clear();
    ScriptedDialogs dialogs;
    dialogs.Expect<CNumberInputDlg>([](CNumberInputDlg& dlg) {
        EXPECT_EQ(Field(dlg, "number")->text(), QStringLiteral("4.50"));
        Field(dlg, "number")->setText(QStringLiteral("13.5"));
        return IDOK;
    });
    Run(cmd::ProgramKingaku);
    EXPECT_EQ(Item(3).m_nExtraRate, 1350);
    EXPECT_EQ(Item(4).m_nExtraRate, 450);
    EXPECT_EQ(Pane(0), "安全費率 13.50％");
    // 業務 2 takes the table of its own.
    Select(9);
    dialogs.Expect<CNumberInputDlg>([](CNumberInputDlg& dlg) {
        EXPECT_EQ(dlg.GetMode(), 14);
        return IDCANCEL;
    });
    Run(cmd::ProgramKingaku);
}

TEST_F(ViewSettings, TheProgramAmountOfA種別RowIsChosenFromTheApplicationsMaster) {
    Make(ShubetsuRow(3, 100, [](CBukakeShubetsu& e) { e.GetDetail().m_programKingaku = 1; }, "式",
                     [](CSekisanItem& i) { i.m_nYearCode = 99; }));
    ScriptedDialogs dialogs;
    dialogs.Expect<CProgramKingakuSelectDlg>([](CProgramKingakuSelectDlg& dlg) {
        // The application's two records, the row's record current.
        EXPECT_EQ(dlg.GetCode(), 99);
        auto* grid = Child<CSpreadSheet>(dlg, "grid");
        EXPECT_EQ(grid->GetCellText(1, 1), Tx("構造計算"));
        EXPECT_EQ(grid->GetActiveRow(), 2);
        return IDOK;
    });
    Run(cmd::ProgramKingaku);
    EXPECT_EQ(Item(2).m_nYearCode, 99);
    EXPECT_FALSE(Doc().IsModified()) << "the row's own record chosen again";
    // Without the use of a program the code is unset.
    dialogs.Expect<CProgramKingakuSelectDlg>([](CProgramKingakuSelectDlg& dlg) {
        Child<QCheckBox>(dlg, "use")->click();
        return IDOK;
    });
    Run(cmd::ProgramKingaku);
    EXPECT_EQ(Item(2).m_nYearCode, kUnset);
    EXPECT_TRUE(Doc().IsModified());
}

// ---------------------------------------------------------------------------------------------
// The estimate's unit-price column and material-price file

// Two 業務 whose totals (工種 95) every recalculation of their 業務 rewrites.
void BuildTwoBusinesses(ItemListBuilder& b) {
    b.Gyomu(2).Koshu(300).Koshu(95).Amount(kSentinel);
    b.Gyomu(3).Koshu(100).Koshu(95).Amount(kSentinel);
}

TEST_F(ViewSettings, TheUnitPriceColumnIsChosenForTheWholeEstimate) {
    Make([](Scene& s) { BuildTwoBusinesses(s.b); });
    List().m_nTankaColumn = 1;
    ScriptedDialogs dialogs;
    dialogs.Expect<CTankaSettingDlg>(IDCANCEL);
    Run(cmd::TankaSelect);
    EXPECT_EQ(List().m_nTankaColumn, 1);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Item(2).m_nAmount, kSentinel);

    dialogs.Expect<CTankaSettingDlg>([](CTankaSettingDlg& dlg) {
        auto* columns = Child<QComboBox>(dlg, "columns");
        EXPECT_EQ(columns->currentIndex(), 1);
        EXPECT_EQ(columns->count(), 20);
        columns->setCurrentIndex(5);
        return IDOK;
    });
    Run(cmd::TankaSelect);
    EXPECT_EQ(List().m_nTankaColumn, 5);
    EXPECT_EQ(Pane(2), "令和6年度");
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_NE(Item(2).m_nAmount, kSentinel);
    EXPECT_NE(Item(5).m_nAmount, kSentinel);
}

TEST_F(ViewSettings, TheMaterialPriceFileIsChosenForTheEstimateAndKeepsItsLock) {
    auto write = [this](const char* name, const char* title) {
        CZairyoTankaFile prices = SampleZairyoTankaFile();
        prices.m_title = title;
        const std::string path = folder / name;
        WriteTestFile(path, StoreMasterBytes(prices));
        return path;
    };
    const std::string first = write("材料単価データ25.zoa", "材料単価 令和7年度");
    const std::string second = write("材料単価データ自社.zoa", "材料単価 自社");
    const std::string broken = folder / "材料単価データ壊.zoa";
    WriteTestFile(broken, "broken");
    CMasterDataStore& store = app->Store();
    store.SetZairyoTankaPath(first);
    ASSERT_EQ(store.SerializeZairyoTankaFile(0, nullptr, ""), 1);
    ASSERT_EQ(store.LockZairyoTankaFile(1, 1), 1);
    ASSERT_TRUE(vemo::IsReadOnlyMarked(first));
    Make([](Scene& s) { BuildTwoBusinesses(s.b); });
    List().m_strZairyoFile = first;
    Doc().CalcContext()->ZairyoTanka() = store.GetZairyoTankaFile();

    // Cancelled at once, or after a file that does not load: nothing changes and the file in use
    // keeps its lock.
    for (auto answers : {std::deque<std::optional<std::string>>{std::nullopt},
                         std::deque<std::optional<std::string>>{broken, std::nullopt}}) {
        host->fileAnswers = answers;
        ScriptedDialogs dialogs;
        ExpectZairyoTankaSettings(dialogs, *host);
        EXPECT_EQ(view->SetZairyoTanka(), 2);
        EXPECT_TRUE(host->fileAnswers.empty());
        EXPECT_EQ(List().m_strZairyoFile, first);
        EXPECT_EQ(store.GetZairyoTankaPath(), first);
        EXPECT_TRUE(vemo::IsReadOnlyMarked(first));
        EXPECT_FALSE(Doc().IsModified());
        EXPECT_EQ(Item(2).m_nAmount, kSentinel);
    }
    EXPECT_EQ(host->fileTitles.back(), masteredittext::kChooseZairyoTankaTitle);
    EXPECT_EQ(host->fileTitles.size(), 3u);

    // A file that loads becomes the estimate's and the application's, with its lock.
    host->messages.clear();
    host->fileAnswers = {second};
    {
        ScriptedDialogs dialogs;
        ExpectZairyoTankaSettings(dialogs, *host);
        Run(cmd::ZairyoTankaSetting);
    }
    EXPECT_EQ(List().m_strZairyoFile, second);
    EXPECT_EQ(store.GetZairyoTankaPath(), second);
    EXPECT_EQ(Doc().CalcContext()->ZairyoTanka().m_title, "材料単価 自社");
    EXPECT_EQ(Pane(3), "材料単価 自社");
    EXPECT_TRUE(vemo::IsReadOnlyMarked(second));
    EXPECT_FALSE(vemo::IsReadOnlyMarked(first));
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_NE(Item(2).m_nAmount, kSentinel);
    EXPECT_NE(Item(5).m_nAmount, kSentinel);
    EXPECT_TRUE(host->messages.empty()) << host->messages.front().text;
    store.LockZairyoTankaFile(0, 1);
}

#ifdef VEMO_SAMPLE_DATA_DIR
// Over the shipped sample data: double-clicking status panes 2 and 3 runs the active estimate's
// unit-price column and material-price file settings.
TEST(ViewSettingsInTheProgram, StatusPanes2And3SetTheActiveEstimatesColumnAndMaterialFile) {
    namespace fs = std::filesystem;
    AppStartScope start;
    {
        TempFolder shipped;
        fs::copy(fs::path(VEMO_SAMPLE_DATA_DIR) / "データ格納", fs::path(shipped.Path()) / "データ格納",
                 fs::copy_options::recursive);
        CZairyoTankaFile own = SampleZairyoTankaFile();
        own.m_title = "材料単価 自社";
        const std::string ownPath = shipped / "データ格納/材料単価データ自社.zoa";
        WriteTestFile(ownPath, StoreMasterBytes(own));

        CVemoWinApp app({}, shipped.Path());
        ScriptedHost scripted;
        ASSERT_TRUE(app.InitInstance());
        CVemoWinDoc* doc = app.OnFileNew();
        ASSERT_NE(doc, nullptr);
        ASSERT_EQ(app.ActiveEstimateWindow()->GetDocument(), doc);
        doc->SetModifiedFlag(false);
        CMainStatusBar* bar = app.MainFrame()->StatusBar();
        auto doubleClick = [bar](int pane) {
            QTest::mouseDClick(bar, Qt::LeftButton, Qt::NoModifier, bar->Pane(pane)->geometry().center());
        };
        const CTankaFile& tanka = app.Store().GetTankaFile();
        int other = -1;
        for (int column = 0; column < 20 && other < 0; ++column)
            if (column != doc->GetItemList()->m_nTankaColumn && !tanka.m_columnTitles[column].empty()) other = column;
        ASSERT_GE(other, 0);

        ScriptedDialogs dialogs;
        dialogs.Expect<CTankaSettingDlg>([other](CTankaSettingDlg& dlg) {
            Child<QComboBox>(dlg, "columns")->setCurrentIndex(other);
            return IDOK;
        });
        doubleClick(2);
        EXPECT_EQ(dialogs.Pending(), 0u);
        EXPECT_EQ(doc->GetItemList()->m_nTankaColumn, other);
        // The panes are written through the host (here the scripted one).
        EXPECT_EQ(scripted.panes[2].back(), tanka.m_columnTitles[static_cast<size_t>(other)]);
        EXPECT_TRUE(doc->IsModified());

        scripted.fileAnswers = {ownPath};
        ExpectZairyoTankaSettings(dialogs, scripted);
        doubleClick(3);
        EXPECT_EQ(dialogs.Pending(), 0u);
        EXPECT_TRUE(scripted.fileAnswers.empty());
        EXPECT_EQ(doc->GetItemList()->m_strZairyoFile, ownPath);
        EXPECT_EQ(scripted.panes[3].back(), "材料単価 自社");
        EXPECT_TRUE(vemo::IsReadOnlyMarked(ownPath));
        doc->SetModifiedFlag(false);
        app.ExitInstance();
        EXPECT_FALSE(vemo::IsReadOnlyMarked(ownPath));
    }
}
#endif

}  // namespace
