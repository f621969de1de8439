// The estimate view's 歩掛編集 (app/ViewBukakeEdit.cpp): its update rule, the detail dialog it opens with the
// row's amounts, and how the edited detail is saved — into a user 種別, as a user copy of a master 種別 or
// over it — with the 歩掛 file, the material prices and the estimate, in the running application.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>

#include "AppProgramFolder.h"
#include "AppTestEnvironment.h"
#include "EstimateBuilders.h"
#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "ScriptedView.h"
#include "app/AppTexts.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/ShellWindows.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/Tx.h"
#include "estimate/EstimateCalcContext.h"
#include "master/MasterFile.h"
#include "masteredit/BukakeDetailDlg.h"
#include "masteredit/BukakeShikiDetailDlg.h"
#include "masteredit/HimokuDlg.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/ShokushuSelectDlg.h"
#include "masteredit/ShubetsuEditDlg.h"
#include "masteredit/ZairyoTankaItemDlg.h"

using namespace masterbuild;
using estimate_test::ItemListBuilder;
using estimate_test::MakeItem;

namespace {

QString Yen(const char* before, const char* amount) {
    return Tx(before) + Tx(amount) + Tx(masteredittext::kYenUnit);
}

// 業務 1, 工種 10: the master 種別 1 "観測" (1.00 day of 職種 1000, 51,000 yen in price column 1) and the
// user's 種別 2 "自作観測" (2.00 days, 102,000 yen); 業務 2, 4 and 5 each with a 種別 of 歩掛データ タイプ 4
// (code 1) and one of type 0 (code 2).
CBukakeFile TestBukake() {
    CBukakeFile f = SampleBukakeFile();
    CBukakeKoshu& survey = AddKoshu(*f.FindGyomu(1), 10, "測量");
    for (auto [code, name, user, days] : {std::tuple{1, "観測", 0, 100}, std::tuple{2, "自作観測", 1, 200}}) {
        CBukakeShubetsu& s = AddShubetsu(survey, code, name);
        s.m_userCreated = user;
        CBukakeDetail& d = s.GetDetail();
        d.m_unit = "式";
        d.m_formula = "1";
        d.m_shokushu[0] = 1000;
        AddLine(d, "観測", {days});
    }
    AddGyomu(f, 4, "土質調査");
    AddGyomu(f, 5, "土質解析");
    for (int gyomu : {2, 4, 5}) {
        CBukakeGyomu& g = *f.FindGyomu(gyomu);
        CBukakeKoshu& k = g.FindKoshu(300) ? *g.FindKoshu(300) : AddKoshu(g, 300, "調査");
        AddShubetsu(k, 1, "タイプ4").GetDetail().m_bukakeType = 4;
        AddShubetsu(k, 2, "タイプ0").GetDetail().m_bukakeType = 0;
    }
    return f;
}

// The masters the command may write, in memory and on disk, and the estimate.
struct Snapshot {
    std::string bukake, bukakeFile, zairyo, zairyoFile;
    std::vector<CSekisanItem> items;
    bool modified;
};

class ViewBukakeEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTestFile(program.masters + "/歩掛データ.soa", StoreMasterBytes(TestBukake()));
        // A 材料費 item (kind 3), which the 費目 of a detail choose from.
        CZairyoTankaFile prices = SampleZairyoTankaFile();
        AddZairyoItem(prices, 1005, 3, "杭", 300.0);
        WriteTestFile(program.data + "/材料単価データ25.zoa", StoreMasterBytes(std::move(prices)));
        app = std::make_unique<CVemoWinApp>(QStringList{}, program.root.Path());
        host = std::make_unique<ScriptedHost>();
        ASSERT_TRUE(app->InitInstance());
        auto doc = std::make_unique<CVemoWinDoc>();
        doc->SetCalcContext(std::make_unique<CEstimateCalcContext>(app->SharedMasters(), app->Settings(),
                                                                   app->Store().GetZairyoTankaFile()));
        view = std::make_unique<ScriptedView>(*app, std::move(doc));
        view->resize(1000, 600);
        app->Commands().SetRoute([this] {
            return std::vector<CCommandTarget*>{view.get(), view->GetDocument(), app.get()};
        });
        // The detail dialog prints its 代価 and 明細 pages on the selected print form.
        app->Settings().formList = {"/forms/a.xlsx", "/forms/b.xlsx"};
        app->Settings().formType = 1;
        host->messages.clear();
    }
    void TearDown() override {
        view.reset();
        host.reset();
        app.reset();
    }

    CSekisanItemList& List() { return *view->GetItemList(); }
    CMasterDataStore& Store() { return app->Store(); }
    CBukakeKoshu& SurveyKoshu() { return *Store().GetBukakeFile().FindKoshu(1, 10); }

    // 業務 1 with rows 2 (種別 1, 51,000) and 3 (種別 2, 102,000), then as asked its 工種 95 row (the 業務
    // total, 153,000) and the summary rows 89 (2.000 × 1,000.0 = 2,000) and 95 (155,000). Row current is
    // made current; the estimate is left unmodified.
    void Load(int current = 2, bool koshu95 = true, bool summary95 = false) {
        List().RemoveAll();
        List().m_nTankaColumn = 1;
        auto day = [](CSekisanItem& i) { i.m_bKotei[0] = 1; };
        ItemListBuilder b(List());
        b.Gyomu(1, "測量業務").Koshu(10, "測量");
        b.Shubetsu(1, "観測").Quantity(1000).DaikaNo(1).Set(day);
        b.Shubetsu(2, "自作観測").Quantity(1000).DaikaNo(2).Set(day);
        if (koshu95) b.Koshu(95);
        if (summary95) b.Summary(89).Quantity(2000).UnitPrice(10000).Summary(95);
        ASSERT_EQ(view->Recalculate(0), 1);
        view->RefillGrid();
        view->SelectRow(current + 1);
        view->MarkModified(false);
    }
    Snapshot Take() {
        Snapshot s{StoreMasterBytes(CBukakeFile(Store().GetBukakeFile())), ReadTestFile(Store().GetBukakePath()),
                   StoreMasterBytes(CZairyoTankaFile(Store().GetZairyoTankaFile())),
                   ReadTestFile(Store().GetZairyoTankaPath()), {}, view->GetDocument()->IsModified()};
        for (int i = 0; i < List().GetCount(); ++i) s.items.push_back(*List().GetItem(i));
        return s;
    }
    void ExpectUnchanged(const Snapshot& before) {
        const Snapshot after = Take();
        EXPECT_TRUE(after.bukake == before.bukake);
        EXPECT_TRUE(after.bukakeFile == before.bukakeFile);
        EXPECT_TRUE(after.zairyo == before.zairyo);
        EXPECT_TRUE(after.zairyoFile == before.zairyoFile);
        EXPECT_EQ(after.modified, before.modified);
        ASSERT_EQ(after.items.size(), before.items.size());
        for (size_t i = 0; i < after.items.size(); ++i)
            EXPECT_TRUE(estimate_test::SameItem(after.items[i], before.items[i]));
    }
    // The 歩掛 file holds what memory holds.
    void ExpectFileMatchesMemory() {
        EXPECT_EQ(ReadTestFile(Store().GetBukakePath()), StoreMasterBytes(CBukakeFile(Store().GetBukakeFile())));
    }
    // Expects the detail dialog and sets the first line to days (as typed, "2" = 2.00) before OK.
    void ExpectDetailEdited(ScriptedDialogs& dialogs, const char* days) {
        dialogs.Expect<CBukakeDetailDlg>([days](CBukakeDetailDlg& d) {
            EXPECT_EQ(d.GetPrintSetup().formPath, "/forms/b.xlsx");
            auto* grid = d.findChild<CSpreadSheet*>("grid");
            grid->SetCellText(CBukakeDetailDlg::kFirstShokushuCol, 1, QString::fromUtf8(days));
            emit grid->Change(CBukakeDetailDlg::kFirstShokushuCol, 1);
            return IDOK;
        });
    }
    bool Run() { return app->Commands().Dispatch(cmd::RowBukakeEdit); }

    AppProgramFolder program;
    AppStartScope start;
    std::unique_ptr<CVemoWinApp> app;
    std::unique_ptr<ScriptedHost> host;
    std::unique_ptr<ScriptedView> view;
};

}  // namespace

TEST_F(ViewBukakeEditTest, TheUpdateRuleFollowsTheRowsCodesAndItsDaikaNumber) {
    const struct {
        int gyomu, koshu;
        bool daika;
        bool enabled;
    } cases[] = {
        {1, 10, true, true},   {1, 10, false, false}, {1, 71, true, false}, {4, 71, true, false},
        {6, 71, true, false},  {2, 71, true, true},   {1, 85, true, false}, {6, 85, true, false},
        {2, 85, true, false},  {5, 85, true, false},  {7, 85, true, false}, {3, 85, true, true},
        {2, 79, true, false},  {7, 79, true, false},  {1, 79, true, true},  {3, 838, true, false},
        {1, 81, true, false},  {3, 81, true, false},  {4, 81, true, false}, {2, 81, true, true},
        {5, 81, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.gyomu << "/" << c.koshu << " daika " << c.daika);
        List().RemoveAll();
        auto item = MakeItem(c.gyomu, c.koshu, 1);
        if (c.daika) item->m_nDaikaNo = 3;
        List().AddItem(std::move(item));
        view->RefillGrid();
        view->SelectRow(1);
        for (bool before : {false, true}) {
            CCmdUI ui{before, false};
            view->OnUpdateBukakeEdit(ui);
            EXPECT_EQ(ui.enabled, c.enabled);
        }
        EXPECT_EQ(app->Commands().State(cmd::RowBukakeEdit).enabled, c.enabled);
    }
    // An empty estimate disables it; rows without a current one leave the state as it was.
    List().RemoveAll();
    view->RefillGrid();
    CCmdUI ui;
    view->OnUpdateBukakeEdit(ui);
    EXPECT_FALSE(ui.enabled);
    Load();
    view->OnGridLeaveRow(List().GetCount() + 2);
    ASSERT_EQ(view->GetCurrentRow(), -1);
    for (bool before : {false, true}) {
        CCmdUI kept{before, false};
        view->OnUpdateBukakeEdit(kept);
        EXPECT_EQ(kept.enabled, before);
        // The menu item keeps what it showed.
        QAction* action = CommandAction(app->Commands(), cmd::RowBukakeEdit);
        action->setEnabled(before);
        app->Commands().UpdateActions();
        EXPECT_EQ(action->isEnabled(), before);
        EXPECT_EQ(app->Commands().State(cmd::RowBukakeEdit).enabled, before);
    }
    const Snapshot unchanged = Take();
    view->OnBukakeEdit();
    ExpectUnchanged(unchanged);
}

TEST_F(ViewBukakeEditTest, TheExpenseLayoutOpensForSoil種別OfATypeOtherThan0) {
    const struct {
        int gyomu, shubetsu;
        bool shiki;
    } cases[] = {{4, 1, true}, {5, 1, true}, {4, 2, false}, {5, 2, false}, {2, 1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.gyomu << "/" << c.shubetsu);
        List().RemoveAll();
        ItemListBuilder(List()).Gyomu(c.gyomu).Koshu(300).Shubetsu(c.shubetsu).DaikaNo(1);
        view->RefillGrid();
        view->SelectRow(3);
        const Snapshot before = Take();
        ScriptedDialogs dialogs;
        if (c.shiki)
            dialogs.Expect<CBukakeShikiDetailDlg>(IDCANCEL);
        else
            dialogs.Expect<CBukakeDetailDlg>(IDCANCEL);
        EXPECT_TRUE(Run());
        ExpectUnchanged(before);
        EXPECT_TRUE(host->messages.empty());
    }
}

TEST_F(ViewBukakeEditTest, TheDialogShowsTheRowsAmountAndTheTotalAndPricesTheDetailBeingEdited) {
    const struct {
        bool koshu95, summary95;
        const char* total;  // nullptr: not shown
        const char* totalEdited;
        bool stale = false;  // the 業務 total as saved on another day: the estimate is not repriced
    } cases[] = {
        {true, false, "153000", "204000"},
        {true, true, "155000", "206000"},  // the summary 95 row replaces the 業務's own
        {false, false, nullptr, nullptr},
        {true, false, "7", "204000", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.koshu95 << c.summary95 << c.stale);
        Load(2, c.koshu95, c.summary95);
        if (c.stale) List().GetItem(List().FindKoshu(1, 95))->m_nAmount = 7;
        ScriptedDialogs dialogs;
        dialogs.Expect<CBukakeDetailDlg>([&](CBukakeDetailDlg& d) {
            auto label = [&d](const char* name) { return d.findChild<QLabel*>(QString::fromLatin1(name)); };
            EXPECT_EQ(label("shubetsu")->text(), QStringLiteral("観測"));
            EXPECT_EQ(label("kingaku")->text(), Yen(masteredittext::kKingakuBefore, "51000"));
            EXPECT_EQ(label("gokei")->isVisibleTo(&d), c.total != nullptr);
            if (c.total) {
                EXPECT_EQ(label("gokei")->text(), Yen(masteredittext::kGokeiBefore, c.total));
            }
            // 2.00 days priced by the view: 102,000, the total 51,000 more.
            auto* grid = d.findChild<CSpreadSheet*>("grid");
            grid->SetCellText(CBukakeDetailDlg::kFirstShokushuCol, 1, QStringLiteral("2"));
            emit grid->Change(CBukakeDetailDlg::kFirstShokushuCol, 1);
            d.findChild<QPushButton*>("sanko")->click();
            EXPECT_EQ(label("kingaku")->text(), Yen(masteredittext::kKingakuBefore, "102000"));
            if (c.totalEdited) {
                EXPECT_EQ(label("gokei")->text(), Yen(masteredittext::kGokeiBefore, c.totalEdited));
            }
            return IDCANCEL;
        });
        const Snapshot before = Take();
        EXPECT_TRUE(Run());
        ExpectUnchanged(before);
    }
}

TEST_F(ViewBukakeEditTest, AUser種別IsSavedIntoItselfOnYes) {
    Load(3);
    ScriptedDialogs dialogs;
    ExpectDetailEdited(dialogs, "3");
    host->answers = {IDYES};
    EXPECT_TRUE(Run());
    EXPECT_EQ(host->MessageTexts(), std::vector<std::string>{apptext::kAskSaveBukakeShubetsu});
    EXPECT_EQ(SurveyKoshu().FindShubetsu(2)->GetDetail().GetLine(0)->m_columns[0], 300);
    ExpectFileMatchesMemory();
    // 3.00 days: 153,000; the 業務 total 51,000 + 153,000.
    EXPECT_EQ(List().GetItem(3)->m_nShubetsu, 2);
    EXPECT_EQ(List().GetItem(3)->m_nAmount, 153'000);
    EXPECT_EQ(List().GetItem(4)->m_nAmount, 204'000);
    EXPECT_EQ(view->Grid()->GetCellText(CVemoWinView::kColAmount, 4), QStringLiteral("153000"));
    EXPECT_TRUE(view->GetDocument()->IsModified());
}

TEST_F(ViewBukakeEditTest, AMaster種別IsCopiedAsAUser種別WithTheNextFreeCodeAndTheRowNamesTheCopy) {
    Load(2);
    const CBukakeDetail original = SurveyKoshu().FindShubetsu(1)->GetDetail();
    ScriptedDialogs dialogs;
    ExpectDetailEdited(dialogs, "2");
    dialogs.Expect<CShubetsuEditDlg>([](CShubetsuEditDlg& d) {
        EXPECT_EQ(d.windowTitle(), Tx(masteredittext::kShubetsuCopyCaption));
        EXPECT_EQ(d.findChild<CZo_Edit*>("name")->text(), QStringLiteral("コピー～観測"));
        return IDOK;
    });
    host->answers = {IDYES};
    EXPECT_TRUE(Run());
    EXPECT_EQ(host->MessageTexts(), std::vector<std::string>{apptext::kAskCopyShubetsu});

    EXPECT_TRUE(SurveyKoshu().FindShubetsu(1)->GetDetail() == original);
    ASSERT_EQ(SurveyKoshu().GetCount(), 3);
    const CBukakeShubetsu& copy = *SurveyKoshu().GetShubetsu(2);
    EXPECT_EQ(copy.m_code, 3);
    EXPECT_EQ(copy.m_name, "コピー～観測");
    EXPECT_EQ(copy.m_userCreated, 1);
    EXPECT_EQ(copy.GetDetail().GetLine(0)->m_columns[0], 200);
    ExpectFileMatchesMemory();
    const CSekisanItem& row = *List().GetItem(2);
    EXPECT_EQ(row.m_nShubetsu, 3);
    EXPECT_EQ(row.m_strNameUpper, "コピー～観測");
    EXPECT_EQ(row.m_nAmount, 102'000);
    EXPECT_EQ(List().GetItem(4)->m_nAmount, 204'000);
    EXPECT_TRUE(view->GetDocument()->IsModified());
}

TEST_F(ViewBukakeEditTest, TheOriginalIsWrittenOverOnlyAfterTheSecondYes) {
    for (int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer);
        Load(2);
        const Snapshot before = Take();
        ScriptedDialogs dialogs;
        ExpectDetailEdited(dialogs, "2");
        host->messages.clear();
        host->answers = {IDNO, answer};
        EXPECT_TRUE(Run());
        EXPECT_EQ(host->MessageTexts(),
                  (std::vector<std::string>{apptext::kAskCopyShubetsu, apptext::kAskOverwriteOriginalShubetsu}));
        if (answer == IDNO) {
            ExpectUnchanged(before);
            continue;
        }
        EXPECT_EQ(SurveyKoshu().GetCount(), 2);
        EXPECT_EQ(SurveyKoshu().FindShubetsu(1)->GetDetail().GetLine(0)->m_columns[0], 200);
        EXPECT_EQ(SurveyKoshu().FindShubetsu(1)->m_userCreated, 0);
        ExpectFileMatchesMemory();
        EXPECT_EQ(List().GetItem(2)->m_nShubetsu, 1);
        EXPECT_EQ(List().GetItem(2)->m_nAmount, 102'000);
        EXPECT_TRUE(view->GetDocument()->IsModified());
    }
}

TEST_F(ViewBukakeEditTest, NothingIsSavedWhenTheCopyIsCancelledTheSaveDeclinedOrNoCodeIsFree) {
    const struct {
        const char* what;
        int row;
        std::deque<int> answers;
        bool shubetsuDialog;
        bool fillKoshu;  // every 種別 code of the 工種 taken
        std::vector<std::string> messages;
    } cases[] = {
        {"the copy cancelled", 2, {IDYES}, true, false, {apptext::kAskCopyShubetsu}},
        {"a user 種別 not saved", 3, {IDNO}, false, false, {apptext::kAskSaveBukakeShubetsu}},
        {"no free code", 2, {IDYES}, true, true, {apptext::kAskCopyShubetsu, masteredittext::kNoFreeShubetsuCode}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.fillKoshu)
            for (int code = 3; code <= 999; ++code) AddShubetsu(SurveyKoshu(), code, "埋め");
        Load(c.row);
        const Snapshot before = Take();
        ScriptedDialogs dialogs;
        ExpectDetailEdited(dialogs, "2");
        if (c.shubetsuDialog) dialogs.Expect<CShubetsuEditDlg>(c.fillKoshu ? IDOK : IDCANCEL);
        host->messages.clear();
        host->answers = c.answers;
        EXPECT_TRUE(Run());
        EXPECT_EQ(host->MessageTexts(), c.messages);
        ExpectUnchanged(before);
    }
}

TEST_F(ViewBukakeEditTest, AFailedSaveKeepsTheMasterAndTheRowAsTheyWere) {
    for (int row : {2, 3}) {  // a copy of the master 種別, the user 種別 itself
        SCOPED_TRACE(row);
        Load(row);
        ASSERT_EQ(Store().Lock(CMasterDataStore::kLockBukake, 0, 1), 1);
        const Snapshot before = Take();
        ScriptedDialogs dialogs;
        ExpectDetailEdited(dialogs, "2");
        if (row == 2) dialogs.Expect<CShubetsuEditDlg>(IDOK);
        host->messages.clear();
        host->answers = {IDYES};
        EXPECT_TRUE(Run());
        EXPECT_EQ(host->messages.back().text, mastertext::kSaveRefused);
        ExpectUnchanged(before);
        ASSERT_EQ(Store().Lock(CMasterDataStore::kLockBukake, 1, 1), 1);
    }
}

TEST_F(ViewBukakeEditTest, EditedMaterialPricesAreOfferedAndSavedOnYes) {
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        Load(3);
        const std::string pricesBefore = ReadTestFile(Store().GetZairyoTankaPath());
        ScriptedDialogs dialogs;
        // A 費目 of the detail chooses its material, and an item of the price list is renamed on the way.
        dialogs.Expect<CBukakeDetailDlg>([](CBukakeDetailDlg& d) {
            d.OnHimokuSet();
            return IDOK;
        });
        dialogs.Expect<CHimokuDlg>([](CHimokuDlg& d) {
            d.findChild<QPushButton*>("add")->click();
            emit d.findChild<CSpreadSheet*>("grid")->Click(2, 1);
            return IDOK;
        });
        dialogs.Expect<CShokushuSelectDlg>([](CShokushuSelectDlg& d) {
            QComboBox* list = d.findChild<QComboBox*>("list");
            list->setCurrentIndex(1);
            d.findChild<QPushButton*>("edit")->click();
            return IDOK;
        });
        dialogs.Expect<CZairyoTankaItemDlg>([](CZairyoTankaItemDlg& d) {
            d.findChild<CZo_Edit*>("name")->setText(QStringLiteral("改名した材料"));
            return IDOK;
        });
        host->messages.clear();
        host->answers = {IDYES, answer};
        EXPECT_TRUE(Run());
        EXPECT_EQ(host->MessageTexts(), (std::vector<std::string>{apptext::kAskSaveBukakeShubetsu,
                                                                  masteredittext::kAskOverwriteZairyoTankaFile}));
        const CZairyoTankaFile& prices = Store().GetZairyoTankaFile();
        bool renamed = false;
        for (int i = 0; i < prices.GetCount(); ++i) renamed = renamed || prices.GetItem(i)->m_name == "改名した材料";
        EXPECT_EQ(renamed, answer == IDYES);
        EXPECT_EQ(ReadTestFile(Store().GetZairyoTankaPath()) != pricesBefore, answer == IDYES);
        EXPECT_EQ(ReadTestFile(Store().GetZairyoTankaPath()), StoreMasterBytes(CZairyoTankaFile(prices)));
        EXPECT_TRUE(view->GetDocument()->CalcContext()->ZairyoTanka() == prices);
    }
}
