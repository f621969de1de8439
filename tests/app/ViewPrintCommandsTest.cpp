// The estimate view's print commands and the cover-sheet command: enabling, the page-settings step,
// the cover dialog before a preview, the 代価 preview's settings, one preview per estimate, and the
// windows that do not close while a preview of theirs is open.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <deque>
#include <filesystem>
#include <functional>

#include "AppTestEnvironment.h"
#include "EstimateBuilders.h"
#include "EstimateFormTemplate.h"
#include "MasterBuilders.h"
#include "RecordingReportOutput.h"
#include "ScriptedDialogs.h"
#include "report/qt/PageSettingDlg.h"
#include "ScriptedHost.h"
#include "ScriptedView.h"
#include "TempFolder.h"
#include "UnstartedViewTest.h"
#include "XlsTestSupport.h"
#include "app/AppTexts.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/ShellWindows.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "master/MasterFile.h"
#include "master/MasterTexts.h"
#include "platform/Archive.h"
#include "platform/Cp932.h"
#include "platform/TextUtil.h"
#include "report/PrintFormText.h"
#include "report/ReportTexts.h"
#include "report/qt/HyoshiDlg.h"

using estimate_test::ItemListBuilder;

namespace {

// A view whose page-settings step the test answers (by default the settings are taken as they are);
// without an answer (pageSettings null) the view's own dialog runs.
class PrintView : public ScriptedView {
public:
    using ScriptedView::ScriptedView;
    using Request = PageSettingsRequest;

    std::function<int(Request&)> pageSettings = [](Request&) { return IDOK; };
    int pageSettingsRuns = 0;

    int RunOwnPageSettings(Request& request) { return CVemoWinView::ShowPageSettings(request); }

protected:
    int ShowPageSettings(Request& request) override {
        ++pageSettingsRuns;
        return pageSettings ? pageSettings(request) : CVemoWinView::ShowPageSettings(request);
    }
};

// The output, with the settings each preview's job had when it was shown.
class SettingsRecordingOutput : public RecordingReportOutput {
public:
    std::vector<CPrintSettings> shownWith;
    std::vector<std::vector<std::string>> shownSheets;
    void ShowPreview(CReportJob& job) override {
        shownWith.push_back(job.GetSettings());
        std::string bytes;
        shownSheets.push_back(job.Engine().BuildXlsx(bytes) ? xlstest::Output(bytes).SheetNames()
                                                            : std::vector<std::string>{});
        RecordingReportOutput::ShowPreview(job);
    }
};

std::string PlainForm() {
    return estimateform::BuildForm({estimateform::PlainSheet("表紙", estimateform::HyoshiCells()),
                                    estimateform::PlainSheet("業務価格総括表", estimateform::GyomuKakakuCells()),
                                    estimateform::PlainSheet("報告書1", estimateform::SokatsuCells()),
                                    estimateform::PlainSheet("報告書2", estimateform::SokatsuCells())});
}

void WriteTwin(const std::string& form, const std::vector<std::pair<int, std::string>>& lines) {
    std::vector<std::string> all(25);
    for (auto& [i, text] : lines) all[static_cast<size_t>(i)] = text;
    std::string text;
    for (const std::string& line : all) text += line + "\r\n";
    WriteTestFile(PrintFormTextPath(form), vemo::Utf8ToCp932(text));
}

const std::string kShow = std::string("show ") + reporttext::kDefaultPreviewTitle;
const std::string kRaise = std::string("raise ") + reporttext::kDefaultPreviewTitle;

// A view of an estimate built in code, the active view of an application that has not started, with
// two print forms and the cover data stored in its program folder.
class ViewPrintTest : public UnstartedAppView<PrintView> {
protected:
    void SetUp() override {
        UnstartedAppView::SetUp();
        forms = {folder / "フォーム/標準.xlsx", folder / "フォーム/明細.xlsx"};
        for (const std::string& form : forms) WriteTestFile(form, PlainForm());
        app->Settings().formList = forms;
        app->Settings().formType = 0;
        WriteTestFile(app->Store().GetHyoshiPath(), StoreMasterBytes(masterbuild::SampleHyoshiData()));
        ASSERT_EQ(app->Store().SerializeHyoshiFile(0, nullptr, ""), 1);
        app->Store().GetTankaFile() = masterbuild::SampleTankaFile();
        MakeView();
        RouteCommandsToView();
    }

    // 業務 1 with 工種 10 and its 種別 (代価 1), the 95 row and the totals; row 2 current.
    void LoadEstimate() {
        ItemListBuilder(List()).Gyomu(1, "測量業務").Koshu(10, "基準点").Shubetsu(1, "観測").DaikaNo(1).Amount(800)
            .Koshu(95, "小計").Amount(800).Summary(95, "合計").Amount(800).Summary(99, "業務委託料計").Amount(880);
        view->RefillGrid();
        view->SelectRow(3);
        view->MarkModified(false);
        host->panes.clear();
    }
    bool Enabled(int id) { return app->Commands().State(id).enabled; }
    bool Dispatch(int id) { return app->Commands().Dispatch(id); }
    CPrintSettings JobSettings(const std::function<void(CPrintSettings&)>& change) {
        CPrintSettings s = view->Job().GetSettings();
        change(s);
        view->Job().SetSettings(s);
        return s;
    }

    std::vector<std::string> forms;
    SettingsRecordingOutput output;
};

TEST_F(ViewPrintTest, EnablingByItemsCurrentRowAndItsDaikaNumber) {
    EXPECT_FALSE(Enabled(cmd::FilePrint));
    EXPECT_FALSE(Enabled(cmd::FilePrintPreview));
    EXPECT_FALSE(Enabled(cmd::DaikaPrintPreview));
    LoadEstimate();
    const struct {
        int row;  // grid row made current; 0 none
        bool daika;
    } cases[] = {{3, true}, {2, false}, {1, false}, {0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        if (c.row) {
            view->SelectRow(c.row);
        } else {
            view->OnGridLeaveRow(0);
        }
        EXPECT_TRUE(Enabled(cmd::FilePrint));
        EXPECT_TRUE(Enabled(cmd::FilePrintPreview));
        EXPECT_EQ(Enabled(cmd::DaikaPrintPreview), c.daika);
    }
    // 印刷代価プレビュー is in the popup menu too, with its state.
    view->SelectRow(3);
    std::unique_ptr<QMenu> menu(view->BuildPopupMenu(CVemoWinView::kColName, nullptr));
    bool found = false;
    for (QAction* action : menu->actions())
        if (action->text() == QStringLiteral("印刷代価プレビュー")) {
            found = true;
            EXPECT_TRUE(action->isEnabled());
        }
    EXPECT_TRUE(found);
}

TEST_F(ViewPrintTest, CancelledPageSettingsBuildNothingAndOkTakesFormDateAndSettings) {
    LoadEstimate();
    const CPrintSettings before = view->Job().GetSettings();
    for (int id : {cmd::FilePrint, cmd::FilePrintPreview}) {
        SCOPED_TRACE(id);
        view->pageSettings = [](PrintView::Request& r) {
            r.formIndex = 1;
            r.settings.printSokatsu = 0;
            return IDCANCEL;
        };
        EXPECT_TRUE(Dispatch(id));
        EXPECT_FALSE(view->Job().HasWorkbook());
        EXPECT_TRUE(output.calls.empty());
        EXPECT_EQ(app->Settings().formType, 0);
        EXPECT_EQ(view->Job().GetSettings(), before);
        EXPECT_FALSE(view->GetDocument()->IsModified());
    }
    // OK: the form, the print date and the settings are taken, and the estimate is modified.
    view->pageSettings = [this](PrintView::Request& r) {
        EXPECT_EQ(r.forms, forms);
        EXPECT_EQ(r.formIndex, 0);
        EXPECT_EQ(r.header.m_strKenmei, List().m_strKenmei);
        r.formIndex = 1;
        r.header.m_strDate = "令和 7 年  6 月  1 日";
        r.settings.printGyomuSokatsu = 0;
        return IDOK;
    };
    output.choosePrint = true;
    EXPECT_TRUE(Dispatch(cmd::FilePrint));
    EXPECT_EQ(app->Settings().formType, 1);
    EXPECT_EQ(List().m_strDate, "令和 7 年  6 月  1 日");
    EXPECT_EQ(view->Job().GetSettings().printGyomuSokatsu, 0);
    EXPECT_TRUE(view->GetDocument()->IsModified());
    EXPECT_EQ(view->Job().GetTemplatePath(), forms[1]);
    EXPECT_EQ(output.calls, (std::vector<std::string>{"choose", "print 1"}));
    EXPECT_GT(host->waitCursorUses, 0);
}

TEST_F(ViewPrintTest, FiguresPastTheirLimitsAreToldAgainBeforeEachPrintOrPreviewWhichThenGoesOn) {
    LoadEstimate();
    // 10.000 × 150,000,000 yen of その他 before the 合計 take the total past 999,999,999.
    auto other = std::make_unique<CSekisanItem>();
    other->m_nGyomu = 89;
    other->m_nQuantity = 10'000;
    other->m_nUnitPrice = 1'500'000'000;
    List().InsertItem(4, std::move(other));
    view->GetSekisanData()->CheckLimits();
    for (int id : {cmd::FilePrint, cmd::FilePrintPreview, cmd::DaikaPrintPreview}) {
        SCOPED_TRACE(id);
        host->messages.clear();
        output.calls.clear();
        EXPECT_TRUE(Dispatch(id));
        EXPECT_EQ(host->MessageTexts(),
                  std::vector<std::string>{vemo::FillText(apptext::kCalcLimitsNotice, {"業務委託料計"})});
        EXPECT_FALSE(output.calls.empty()) << "OK goes on";
        if (id != cmd::FilePrint) output.CloseWindow(view->Job());
    }
}

TEST_F(ViewPrintTest, APreviewOrPrintThatRunsOutOfMemoryLeavesTheEstimateAsItWas) {
    LoadEstimate();
    auto bytes = [this] {
        CArchive ar;
        List().Serialize(ar);
        return ar.Buffer();
    };
    // The page settings mark the estimate modified (their date is the estimate's); nothing else may.
    EXPECT_TRUE(Dispatch(cmd::FilePrintPreview));
    output.CloseWindow(view->Job());
    const std::string before = bytes();
    output.calls.clear();
    output.outOfMemory = true;
    EXPECT_TRUE(Dispatch(cmd::FilePrintPreview));
    EXPECT_TRUE(Dispatch(cmd::FilePrint));
    EXPECT_EQ(host->MessageTexts(), std::vector<std::string>(2, reporttext::kReportOutOfMemory));
    EXPECT_EQ(view->Job().IsPreviewOpen(), 0);
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(output.calls, (std::vector<std::string>{kShow, "choose", "print 2"}));
    // With memory to spare the same estimate previews again.
    output.outOfMemory = false;
    output.calls.clear();
    EXPECT_TRUE(Dispatch(cmd::FilePrintPreview));
    EXPECT_EQ(output.calls, std::vector<std::string>{kShow});
}

TEST_F(ViewPrintTest, TheCoverDialogOpensBeforeAPreviewInExactlyTwoCases) {
    LoadEstimate();
    const struct {
        int hyoshi, gyomuSokatsu;
        bool twin;
        bool dialog;
    } cases[] = {{1, 0, false, true}, {1, 1, true, true}, {0, 1, true, true},
                 {0, 1, false, false}, {0, 0, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.hyoshi) + std::to_string(c.gyomuSokatsu) + (c.twin ? " twin" : ""));
        std::filesystem::remove(PrintFormTextPath(forms[0]));
        if (c.twin) WriteTwin(forms[0], {{0, "表題"}, {15, "件名"}});
        JobSettings([&](CPrintSettings& s) {
            s.printHyoshi = c.hyoshi;
            s.printGyomuSokatsu = c.gyomuSokatsu;
        });
        ScriptedDialogs dialogs;
        if (c.dialog)
            dialogs.Expect<CHyoshiDlg>([](CHyoshiDlg& dlg) {
                EXPECT_EQ(dlg.GetMode(), CHyoshiDlg::EntryOnly);
                return IDOK;
            });
        EXPECT_TRUE(Dispatch(cmd::FilePrintPreview));
        EXPECT_EQ(dialogs.Pending(), 0u);
        ASSERT_EQ(output.calls, std::vector<std::string>{kShow});
        output.CloseWindow(view->Job());
        output.calls.clear();
    }
    // Cancelling the cover dialog ends the preview with nothing built.
    JobSettings([](CPrintSettings& s) { s.printHyoshi = 1; });
    CReportJob& job = view->Job();
    ScriptedDialogs dialogs;
    dialogs.Expect<CHyoshiDlg>(IDCANCEL);
    const std::string templateBefore = job.GetTemplatePath();
    const int pagesBefore = job.Engine().PageCount();
    EXPECT_TRUE(Dispatch(cmd::FilePrintPreview));
    EXPECT_TRUE(output.calls.empty());
    EXPECT_EQ(job.Engine().PageCount(), pagesBefore);
    EXPECT_EQ(job.GetTemplatePath(), templateBefore);
    EXPECT_TRUE(host->messages.empty());
}

TEST_F(ViewPrintTest, ThePreviewShowsTheSheetsAndASecondPreviewRaisesIt) {
    LoadEstimate();
    JobSettings([](CPrintSettings& s) { s.printHyoshi = 1; });
    ScriptedDialogs dialogs;
    dialogs.Expect<CHyoshiDlg>(IDOK);
    EXPECT_TRUE(Dispatch(cmd::FilePrintPreview));
    ASSERT_EQ(output.shownSheets.size(), 1u);
    EXPECT_EQ(output.shownSheets[0], (std::vector<std::string>{"表紙", "業務価格総括表", "報告書1"}));
    EXPECT_EQ(view->pageSettingsRuns, 1);
    // The message pane told the build and went back to its idle text.
    EXPECT_EQ(host->panes[0], (std::vector<std::string>{reporttext::kStatusBuildingReport, mastertext::kStatusHelpHint}));

    // Meanwhile both previews raise it and build nothing; printing is refused.
    EXPECT_TRUE(Dispatch(cmd::FilePrintPreview));
    EXPECT_TRUE(Dispatch(cmd::DaikaPrintPreview));
    EXPECT_TRUE(Dispatch(cmd::FilePrint));
    EXPECT_EQ(output.calls, (std::vector<std::string>{kShow, kRaise, kRaise}));
    EXPECT_EQ(view->pageSettingsRuns, 1);
    ASSERT_EQ(host->messages.size(), 1u);
    EXPECT_EQ(host->messages[0].text, reporttext::kPreviewOpenMessage);
    EXPECT_EQ(host->messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(host->messages[0].icon, MsgIcon::None);
    EXPECT_EQ(dialogs.Pending(), 0u);
}

// Saved from the preview, the workbook is offered under the estimate's name, beside its file.
TEST_F(ViewPrintTest, ThePreviewedWorkbookTakesTheEstimatesName) {
    LoadEstimate();
    List().m_strKenmei = "林道測量業務委託";
    const std::string path = folder / "林道測量業務.sei";
    ASSERT_TRUE(view->GetDocument()->DoSave(path, true));
    EXPECT_TRUE(Dispatch(cmd::FilePrintPreview));
    EXPECT_EQ(output.calls, std::vector<std::string>{kShow});
    EXPECT_EQ(view->Job().GetWorkbookName(), path);
    EXPECT_EQ(view->Job().GetDocumentTitle(), "林道測量業務委託");
}

TEST_F(ViewPrintTest, TheDaikaPreviewChangesTheSettingsForItsOwnRunOnly) {
    LoadEstimate();
    const CPrintSettings kept = JobSettings([](CPrintSettings& s) {
        s.printHyoshi = 1;
        s.setStartPage = 1;
        s.startPage = 3;
        s.printDaikaMeisai = 1;
        s.daikaStartNo = 9;
    });
    List().GetItem(2)->m_nDaikaNo = 4;
    const struct {
        const char* name;
        std::vector<std::pair<int, std::string>> twin;  // none when empty
        int daika, meisai;
    } cases[] = {{"no twin", {}, 1, 0},
                 {"both labels", {{22, "代価表"}, {23, "明細"}}, 1, 0},
                 {"only the 代価明細表", {{23, "明細"}}, 0, 1},
                 {"neither", {{0, "表題"}}, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(PrintFormTextPath(forms[0]));
        if (!c.twin.empty()) WriteTwin(forms[0], c.twin);
        output.shownWith.clear();
        EXPECT_TRUE(Dispatch(cmd::DaikaPrintPreview));
        ASSERT_EQ(output.shownWith.size(), 1u);
        CPrintSettings expected = kept;
        expected.printHyoshi = 0;
        expected.setDate = 0;
        expected.printSokatsu = 0;
        expected.printGyomuSokatsu = 0;
        expected.printDaika = c.daika;
        expected.printDaikaMeisai = c.meisai;
        expected.daikaStartNo = 4;
        expected.setStartPage = 0;
        expected.pageBreakPerGyomu = 0;
        EXPECT_EQ(output.shownWith[0], expected);
        EXPECT_EQ(view->Job().GetSettings(), kept);
        output.CloseWindow(view->Job());
    }
    EXPECT_EQ(view->pageSettingsRuns, 0);
    EXPECT_FALSE(view->GetDocument()->IsModified());
    // Afterwards a normal preview prints the cover and the summaries as the settings say.
    ScriptedDialogs dialogs;
    dialogs.Expect<CHyoshiDlg>(IDOK);
    EXPECT_TRUE(Dispatch(cmd::FilePrintPreview));
    EXPECT_EQ(output.shownSheets.back(), (std::vector<std::string>{"表紙", "業務価格総括表", "報告書1"}));
}

TEST_F(ViewPrintTest, AMissingFormIsToldOnceAndNothingIsShown) {
    LoadEstimate();
    app->Settings().formList = {folder / "フォーム/ありません.xlsx"};
    EXPECT_TRUE(Dispatch(cmd::FilePrintPreview));
    EXPECT_EQ(host->MessageTexts(), std::vector<std::string>{app->Settings().formList[0] + mastertext::kFileMissing});
    EXPECT_TRUE(output.calls.empty());
    EXPECT_FALSE(view->Job().IsPreviewOpen());
    EXPECT_EQ(host->panes[0], std::vector<std::string>{reporttext::kStatusBuildingReport});
}

// ---------------------------------------------------------------------------------------------
// 表紙設定・印刷 (32788)

// The cover data is saved on Yes only; a form checked in the list is the current form at once, also
// when the dialog is cancelled or the overwrite declined.
TEST_F(ViewPrintTest, TheCoverCommandSavesOnYesOnly) {
    LoadEstimate();
    const std::string path = app->Store().GetHyoshiPath();
    const std::string bytesBefore = ReadTestFile(path);
    const CHyoshiData before = app->Store().GetHyoshiData();
    auto edit = [this](CHyoshiDlg& dlg) {
        EXPECT_EQ(dlg.GetMode(), CHyoshiDlg::Normal);
        dlg.findChild<QComboBox*>(QStringLiteral("subject"))->setEditText(QStringLiteral("新しい件名"));
        dlg.findChild<QListWidget*>(QStringLiteral("forms"))->item(1)->setCheckState(Qt::Checked);
        return IDOK;
    };
    const struct {
        const char* name;
        int dialogResult;
        std::deque<int> answers;
        bool saved;
    } cases[] = {{"Cancel", IDCANCEL, {}, false}, {"No", IDOK, {IDNO}, false}, {"Yes", IDOK, {IDYES}, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogs dialogs;
        dialogs.Expect<CHyoshiDlg>([&](CHyoshiDlg& dlg) {
            edit(dlg);
            return c.dialogResult;
        });
        host->answers = c.answers;
        host->messages.clear();
        EXPECT_TRUE(Dispatch(cmd::Hyoshi));
        EXPECT_EQ(host->messages.size(), c.answers.size());
        if (!c.answers.empty()) {
            EXPECT_EQ(host->messages[0].text, apptext::kAskOverwriteHyoshiFile);
            EXPECT_EQ(host->messages[0].buttons, MsgButtons::YesNo);
            EXPECT_EQ(host->messages[0].icon, MsgIcon::Exclamation);
        }
        if (!c.saved) {
            EXPECT_EQ(app->Store().GetHyoshiData(), before);
            EXPECT_EQ(ReadTestFile(path), bytesBefore);
        }
        EXPECT_EQ(app->Settings().formType, 1);
        app->Settings().formType = 0;
    }
    EXPECT_EQ(app->Store().GetHyoshiData().m_subject, "新しい件名");
    CHyoshiData stored;
    ASSERT_EQ(app->Store().SerializeHyoshiFile(0, &stored, path), 1);
    EXPECT_EQ(stored.m_subject, "新しい件名");
    EXPECT_EQ(stored.GetHistoryItem(CHyoshiData::kHistorySubject, 0), "新しい件名");
}

TEST_F(ViewPrintTest, EntryOnlySavesWithoutAQuestionAndLeavesTheForm) {
    const std::string path = app->Store().GetHyoshiPath();
    ScriptedDialogs dialogs;
    dialogs.Expect<CHyoshiDlg>([](CHyoshiDlg& dlg) {
        EXPECT_EQ(dlg.GetMode(), CHyoshiDlg::EntryOnly);
        dlg.findChild<QComboBox*>(QStringLiteral("place"))->setEditText(QStringLiteral("西地区"));
        dlg.SetFormIndex(1);
        return IDOK;
    });
    EXPECT_EQ(app->OnHyoshi(CHyoshiDlg::EntryOnly), IDOK);
    EXPECT_TRUE(host->messages.empty());
    EXPECT_EQ(app->Settings().formType, 0);
    CHyoshiData stored;
    ASSERT_EQ(app->Store().SerializeHyoshiFile(0, &stored, path), 1);
    EXPECT_EQ(stored.m_place, "西地区");
    EXPECT_EQ(app->Store().GetHyoshiData().m_place, "西地区");
    // Without an active estimate the amount list is empty.
    dialogs.Expect<CHyoshiDlg>([](CHyoshiDlg& dlg) {
        EXPECT_EQ(dlg.findChild<QComboBox*>(QStringLiteral("amount"))->count(), 0);
        return IDCANCEL;
    });
    EXPECT_EQ(app->OnHyoshi(CHyoshiDlg::EntryOnly), IDCANCEL);
}

// ---------------------------------------------------------------------------------------------
// Closing while a preview is open

template <class Root>
void WriteMaster(const std::string& path, Root root) {
    WriteTestFile(path, StoreMasterBytes(root));
}

TEST(ViewPrintClosing, NoWindowClosesWhileAPreviewOfItsEstimateIsOpen) {
    AppStartScope start;
    TempFolder program;
    const std::string data = program / "データ格納";
    WriteMaster(data + "/参考マスター25/歩掛データ.soa", masterbuild::SampleBukakeFile());
    WriteMaster(data + "/参考マスター25/変化率データ.soa", masterbuild::SampleHenkaritsuFile());
    WriteMaster(data + "/単価データ.daa", masterbuild::SampleTankaFile());
    WriteMaster(data + "/諸経費データ.daa", masterbuild::SampleShokeihiFile());
    WriteMaster(data + "/プログラム金額データ.daa", masterbuild::SampleProgramKingakuFile());
    WriteMaster(data + "/表紙データ.daa", masterbuild::SampleHyoshiData());
    WriteMaster(data + "/材料単価データ25.zoa", masterbuild::SampleZairyoTankaFile());
    WriteTestFile(program / "フォーム/標準.xlsx", PlainForm());
    RecordingReportOutput output;
    {
        CVemoWinApp app({}, program.Path());
        ScriptedHost host;
        ASSERT_TRUE(app.InitInstance());
        app.Settings().formList = {program / "フォーム/標準.xlsx"};
        app.Settings().formType = 0;
        app.OnFileNew();
        CVemoWinView* first = app.ActiveEstimateWindow();
        ASSERT_NE(first, nullptr);
        ItemListBuilder(*first->GetItemList()).Gyomu(1, "測量業務").Koshu(10, "基準点").Amount(100)
            .Koshu(95, "小計").Amount(100);
        first->RefillGrid();
        // The cover command offers the active estimate's totals.
        {
            ScriptedDialogs dialogs;
            dialogs.Expect<CHyoshiDlg>([](CHyoshiDlg& dlg) {
                EXPECT_EQ(dlg.findChild<QComboBox*>(QStringLiteral("amount"))->count(), 1);
                return IDCANCEL;
            });
            ASSERT_TRUE(app.Commands().Dispatch(cmd::Hyoshi));
        }
        ASSERT_TRUE(app.Commands().Dispatch(cmd::FilePrintPreview));
        ASSERT_TRUE(first->Job().IsPreviewOpen());
        host.messages.clear();

        // Its window refuses to close; so does the main window, also once another estimate is active.
        auto* firstFrame = qobject_cast<QMdiSubWindow*>(first->parentWidget());
        ASSERT_NE(firstFrame, nullptr);
        firstFrame->close();
        app.OnFileNew();
        ASSERT_NE(app.ActiveEstimateWindow(), first);
        app.MainFrame()->close();
        EXPECT_EQ(app.EstimateWindows().size(), 2u);
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>(2, reporttext::kPreviewOpenMessage));

        // Closed, the estimates close (after the question for the modified one) and the program ends.
        output.CloseWindow(first->Job());
        host.messages.clear();
        host.answers = {IDNO};
        EXPECT_TRUE(app.MainFrame()->close());
        EXPECT_TRUE(app.EstimateWindows().empty());
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_NE(host.messages[0].text.find(apptext::kAskSaveChangesAfter), std::string::npos);
        app.ExitInstance();
    }
}

}  // namespace

TEST_F(ViewPrintTest, ThePageSettingsDialogEditsTheRequest) {
    LoadEstimate();
    PrintView::Request request;
    request.forms = forms;
    request.formIndex = 0;
    request.header.m_strKenmei = "件名";
    request.settings.printSokatsu = 1;
    {
        ScriptedDialogs dialogs;
        dialogs.Expect<CPageSettingDlg>([](CPageSettingDlg& dlg) {
            EXPECT_EQ(dlg.GetSettings().printSokatsu, 1);
            CPrintSettings changed = dlg.GetSettings();
            changed.printSokatsu = 0;
            dlg.SetSettings(changed);
            return IDCANCEL;
        });
        EXPECT_EQ(view->RunOwnPageSettings(request), IDCANCEL);
        EXPECT_EQ(request.settings.printSokatsu, 1);
    }
    ScriptedDialogs dialogs;
    dialogs.Expect<CPageSettingDlg>([](CPageSettingDlg& dlg) {
        EXPECT_EQ(dlg.GetFormType(), 0);
        return IDOK;
    });
    EXPECT_EQ(view->RunOwnPageSettings(request), IDOK);
    EXPECT_EQ(request.formIndex, 0);
    EXPECT_EQ(request.settings.printSokatsu, 1);
    EXPECT_EQ(dialogs.Pending(), 0u);
}
