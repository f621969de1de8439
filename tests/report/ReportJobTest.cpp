// The report job: its page settings, templates that open or not, cell writes through the engine, and
// the preview and print requests it hands to the output.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <memory>
#include <optional>

#include "RecordingReportOutput.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"

using namespace xlstest;

namespace {

class ReportJobTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_template = m_dir / "帳票.xlsx";
        WriteTestFile(m_template, BuildTemplate(StandardTemplate()));
    }

    // A job with the standard template open and `pages` ended pages of "代価表".
    void Fill(CReportJob& job, int pages) {
        ASSERT_EQ(job.OpenTemplate(m_template), 1);
        for (int i = 0; i < pages; ++i) {
            job.BeginPage("代価表", "1");
            job.EndPage();
        }
    }

    std::unique_ptr<Output> Out(CReportJob& job) {
        std::string bytes;
        EXPECT_TRUE(job.Engine().BuildXlsx(bytes));
        return std::make_unique<Output>(bytes);
    }

    TempFolder m_dir;
    std::string m_template;
    ScriptedHost m_host;
    RecordingReportOutput m_output;
};

}  // namespace

TEST_F(ReportJobTest, SettingsStartAsTheDefaultsAndCopyWhole) {
    CReportJob job;
    EXPECT_EQ(job.IsHyoshiPrinted(), 0);
    EXPECT_EQ(job.IsDatePrinted(), 1);
    EXPECT_EQ(job.IsSokatsuPrinted(), 1);
    EXPECT_EQ(job.IsGyomuSokatsuPrinted(), 1);
    EXPECT_EQ(job.IsDaikaPrinted(), 1);
    EXPECT_EQ(job.GetDaikaStartNo(), static_cast<int>(0x80000000u));
    EXPECT_EQ(job.IsDaikaMeisaiPrinted(), 0);
    EXPECT_EQ(job.IsStartPageSet(), 1);
    EXPECT_EQ(job.GetStartPage(), 1);
    EXPECT_EQ(job.IsPageBreakPerGyomu(), 1);
    EXPECT_EQ(job.IsKingakuOmitted(), 0);
    EXPECT_EQ(job.GetTankaStartNo(), 1);
    EXPECT_EQ(job.GetPreviewTitle(), "VemoOvra 印刷プレビュー");
    EXPECT_EQ(job.IsPreviewOpen(), 0);
    EXPECT_EQ(job.GetTemplatePath(), "");

    CPrintSettings changed{1, 0, 0, 0, 0, 12, 1, 0, 7, 0, 1, 3};
    job.SetSettings(changed);
    EXPECT_EQ(job.GetSettings(), changed);
    EXPECT_EQ(job.IsHyoshiPrinted(), 1);
    EXPECT_EQ(job.IsDatePrinted(), 0);
    EXPECT_EQ(job.IsSokatsuPrinted(), 0);
    EXPECT_EQ(job.IsGyomuSokatsuPrinted(), 0);
    EXPECT_EQ(job.IsDaikaPrinted(), 0);
    EXPECT_EQ(job.GetDaikaStartNo(), 12);
    EXPECT_EQ(job.IsDaikaMeisaiPrinted(), 1);
    EXPECT_EQ(job.IsStartPageSet(), 0);
    EXPECT_EQ(job.GetStartPage(), 7);
    EXPECT_EQ(job.IsPageBreakPerGyomu(), 0);
    EXPECT_EQ(job.IsKingakuOmitted(), 1);
    EXPECT_EQ(job.GetTankaStartNo(), 3);
}

// A template that is missing or cannot be read is named in a message, and leaves no workbook: not
// even the one an earlier report left, so a later preview or print shows nothing old.
TEST_F(ReportJobTest, AFailedOpenLeavesNoWorkbook) {
    const std::string missing = m_dir / "ない.xlsx";
    const std::string damaged = m_dir / "壊れた.xlsx";
    WriteTestFile(damaged, "PK this is not a workbook");
    const std::string folder = m_dir.Path();
    struct Case {
        std::string path;
        std::string message;
    } cases[] = {
        {missing, missing + "\nが見つかりません。\nファイルの有無を確認してください。"},
        {folder, folder + "\nが見つかりません。\nファイルの有無を確認してください。"},
        {damaged, damaged + "\nを印刷フォームとして読み込めませんでした。\nExcel ブック（.xlsx）ではないか、ファイルが壊れています。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        CReportJob job;
        Fill(job, 2);
        m_host.messages.clear();
        m_output.calls.clear();
        EXPECT_EQ(job.OpenTemplate(c.path), 0);
        ASSERT_EQ(m_host.messages.size(), 1u);
        EXPECT_EQ(m_host.messages[0].text, c.message);
        EXPECT_EQ(m_host.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(job.GetTemplatePath(), "");
        EXPECT_FALSE(job.HasWorkbook());
        job.BeginPage("代価表", "1");
        EXPECT_NE(job.GetErrorNo(), 0);
        job.Preview();
        job.Print();
        EXPECT_EQ(job.IsPreviewOpen(), 0);
        EXPECT_TRUE(m_output.calls.empty());
    }
    CReportJob job;
    EXPECT_EQ(job.OpenTemplate(m_template), 1);
    EXPECT_EQ(job.GetTemplatePath(), m_template);
    EXPECT_TRUE(job.HasWorkbook());
}

TEST_F(ReportJobTest, ABuildThatRunsOutOfMemoryIsStoppedWithAMessage) {
    CReportJob job;
    Fill(job, 1);
    m_host.messages.clear();
    EXPECT_EQ(job.Build([&] {
        job.BeginPage("代価表", "1");
        throw std::bad_alloc();
    }), 0);
    EXPECT_EQ(m_host.MessageTexts(), std::vector<std::string>{reporttext::kReportOutOfMemory});
    EXPECT_EQ(m_host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(job.HasWorkbook());
    EXPECT_EQ(job.GetTemplatePath(), "");
    job.Preview();
    job.Print();
    EXPECT_TRUE(m_output.calls.empty());
    // A build that runs through keeps its workbook.
    EXPECT_EQ(job.Build([&] { Fill(job, 1); }), 1);
    EXPECT_TRUE(job.HasWorkbook());
    EXPECT_EQ(m_host.messages.size(), 1u);
}

namespace {

// A form whose sheet "大" holds 100,000 cells: ten pages of it fill a workbook.
std::string BigForm(const TempFolder& dir) {
    std::string rows;
    for (int r = 1; r <= 1000; ++r) {
        rows += "<row r=\"" + std::to_string(r) + "\">";
        for (int c = 1; c <= 100; ++c) rows += "<c><v>1</v></c>";
        rows += "</row>";
    }
    TemplateContent content;
    content.sheets = {{"大", SheetXml(rows)}};
    const std::string big = dir / "大.xlsx";
    WriteTestFile(big, BuildTemplate(content));
    return big;
}

}  // namespace

TEST_F(ReportJobTest, AReportPastTheEnginesLimitOfCellsIsStopped) {
    const std::string big = BigForm(m_dir);
    CReportJob job;
    int pages = 0, refusedWith = 0;
    EXPECT_EQ(job.Build([&] {
        ASSERT_EQ(job.OpenTemplate(big), 1);
        for (int i = 0; i < 11; ++i) {
            job.BeginPage("大", "1");
            if (job.GetErrorNo() != 0) {
                refusedWith = job.GetErrorNo();
                break;
            }
            job.EndPage();
            ++pages;
        }
    }), 0);
    EXPECT_EQ(pages, 10);
    EXPECT_EQ(refusedWith, static_cast<int>(XlsErrorNo::outputFull));
    EXPECT_EQ(m_host.MessageTexts(), std::vector<std::string>{reporttext::kReportTooLarge});
    EXPECT_FALSE(job.HasWorkbook());
}

TEST_F(ReportJobTest, RowsCopiedPastTheEnginesLimitOfCellsStopTheReport) {
    const std::string big = BigForm(m_dir);
    CReportJob job;
    int refusedWith = 0;
    EXPECT_EQ(job.Build([&] {
        ASSERT_EQ(job.OpenTemplate(big), 1);
        for (int i = 0; i < 9; ++i) {
            job.BeginPage("大", "1");
            job.EndPage();
        }
        // The tenth page fills the workbook: a row of 100 cells more is refused.
        job.BeginPage("大", "1");
        ASSERT_EQ(job.GetErrorNo(), 0);
        job.RepeatRows(1, 1, 1);
        refusedWith = job.GetErrorNo();
        job.EndPage();
    }), 0);
    EXPECT_EQ(refusedWith, static_cast<int>(XlsErrorNo::outputFull));
    EXPECT_EQ(m_host.MessageTexts(), std::vector<std::string>{reporttext::kReportTooLarge});
    EXPECT_FALSE(job.HasWorkbook());
}

TEST_F(ReportJobTest, APreviewOrPrintThatRunsOutOfMemoryIsToldAndLeavesNoWindow) {
    CReportJob job;
    Fill(job, 1);
    m_output.outOfMemory = true;
    job.Preview();
    EXPECT_EQ(job.IsPreviewOpen(), 0);
    EXPECT_TRUE(m_output.open.empty());
    job.Print();
    EXPECT_EQ(m_output.calls, (std::vector<std::string>{std::string("show ") + reporttext::kDefaultPreviewTitle, "choose",
                                                        "print 1"}));
    EXPECT_EQ(m_host.MessageTexts(), std::vector<std::string>(2, reporttext::kReportOutOfMemory));
    // The workbook stays: with memory to spare the preview shows it.
    m_output.outOfMemory = false;
    job.Preview();
    EXPECT_EQ(job.IsPreviewOpen(), 1);
}

TEST_F(ReportJobTest, CellWritesGoThroughTheEngine) {
    CReportJob job;
    ASSERT_EQ(job.OpenTemplate(m_template), 1);
    job.BeginPage("代価表", "1");
    struct Write {
        std::function<void()> write;
        int error;
    } writes[] = {
        {[&] { job.SetCellText("**名称", "測量業務"); }, 0},
        {[&] { job.SetCellTextAt("**名称", 1, 4, "右下"); }, 0},
        {[&] { job.SetCellInt("**単位", 7); }, 0},
        {[&] { job.SetCellDoubleAt("**単位", 1, 2, 1500.0); }, 0},
        {[&] { job.SetCellDoubleAt("**単位", 2, 2, 1500.25); }, 0},
        {[&] { job.SetCellLongAt("**単位", 3, 2, 3000000000LL); }, 0},
        {[&] { job.SetCellIntAt("**単位", 0, 5, -2); }, 0},
        {[&] { job.SetCellLong("G9", 12); }, 0},
        {[&] { job.SetCellDouble("**ない", 1); }, 37},
    };
    for (size_t i = 0; i < std::size(writes); ++i) {
        writes[i].write();
        EXPECT_EQ(job.GetErrorNo(), writes[i].error) << "write " << i;
    }
    job.JoinCells(1, 8, 3, 8);
    job.SetHorzAlignAt(2, 2, 2, 2, xlsHorzLeft);
    job.EndPage();

    auto out = Out(job);
    struct Expected {
        const char* ref;
        const char* value;
    } expected[] = {
        {"A1", "測量業務"}, {"B5", "右下"},       {"B2", "7"},   {"C4", "1500"},
        {"D4", "1500.25"},  {"E4", "3e+09"}, {"B7", "-2"}, {"G9", "12"},
    };
    for (const Expected& e : expected) EXPECT_EQ(out->Value(0, e.ref), e.value) << e.ref;
    EXPECT_EQ(out->Merges(0), (std::vector<std::string>{"D4:E4", "A6:B6", "A8:C8"}));
    const int style = out->Style(0, "B2");
    ASSERT_LT(static_cast<size_t>(style), out->CellFormats().size());
    EXPECT_STREQ(out->CellFormats()[static_cast<size_t>(style)].child("alignment").attribute("horizontal").value(), "left");
}

TEST_F(ReportJobTest, PreviewIsOpenUntilItsWindowCloses) {
    CReportJob job;
    job.Preview();  // no template: nothing
    EXPECT_TRUE(m_output.calls.empty());

    Fill(job, 2);
    job.SetPreviewTitle("VemoOvra 単価 印刷プレビュー");
    job.Preview();
    EXPECT_EQ(job.IsPreviewOpen(), 1);
    const XlsViewOptions& view = job.Engine().ViewOptions();
    EXPECT_EQ(view.caption, "VemoOvra 単価 印刷プレビュー");
    EXPECT_EQ(view.zoom, -3);
    EXPECT_FALSE(view.showInvalidArea);
    EXPECT_FALSE(view.showMarginArea);
    // A second preview while the first is open only raises it.
    job.Preview();
    EXPECT_EQ(m_output.calls, (std::vector<std::string>{"show VemoOvra 単価 印刷プレビュー", "raise VemoOvra 単価 印刷プレビュー"}));
    EXPECT_EQ(job.IsPreviewOpen(), 1);

    m_output.CloseWindow(job);
    EXPECT_EQ(job.IsPreviewOpen(), 0);
    job.ActivatePreviewWindow();  // closed: nothing to raise
    EXPECT_EQ(m_output.raised.size(), 1u);
    job.Preview();
    EXPECT_EQ(job.IsPreviewOpen(), 1);
    EXPECT_EQ(m_output.calls.size(), 3u);
}

TEST_F(ReportJobTest, ActivatingRaisesTheJobsOwnWindow) {
    CReportJob first, second, closed;
    Fill(first, 1);
    Fill(second, 1);
    Fill(closed, 1);
    first.Preview();
    second.Preview();  // the same title as the first
    first.ActivatePreviewWindow();
    second.ActivatePreviewWindow();
    first.ActivatePreviewWindow();
    closed.ActivatePreviewWindow();
    EXPECT_EQ(m_output.raised, (std::vector<const CReportJob*>{&first, &second, &first}));
}

// A print that is not done is told: a printer that cannot be started, a printer's job that fails.
TEST_F(ReportJobTest, PrintingAsksForThePrinterFirstAndSaysWhenNothingWasPrinted) {
    struct Case {
        const char* what;
        int pages;  // -1: no template open
        bool choose;
        std::optional<PrintOutcome> failure;
        std::vector<std::string> calls;
        std::vector<std::string> messages;
    } cases[] = {
        {"no template", -1, true, std::nullopt, {}, {}},
        {"printer chosen", 3, true, std::nullopt, {"choose", "print 3"}, {}},
        {"choice cancelled", 3, false, std::nullopt, {"choose"}, {}},
        {"the printer cannot start", 3, true, PrintOutcome{PrintResult::notStarted}, {"choose", "print 3"}, {reporttext::kNothingPrinted}},
        {"the printer's job is aborted", 3, true, PrintOutcome{PrintResult::jobFailed, 1, "事務所", reporttext::kPrintJobAborted},
         {"choose", "print 3"}, {std::string("事務所") + reporttext::kPrintJobFailed + "\n" + reporttext::kPrintJobAborted}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CReportJob job;
        if (c.pages >= 0) Fill(job, c.pages);
        m_output.calls.clear();
        m_host.messages.clear();
        m_output.choosePrint = c.choose;
        m_output.printFails = c.failure.has_value();
        if (c.failure) m_output.failure = *c.failure;
        job.Print();
        EXPECT_EQ(m_output.calls, c.calls);
        EXPECT_EQ(m_host.MessageTexts(), c.messages);
    }
}

TEST_F(ReportJobTest, AJobClosesItsPreviewWhenItGoes) {
    {
        CReportJob job;
        Fill(job, 1);
        job.Preview();
    }
    EXPECT_EQ(m_output.calls, (std::vector<std::string>{"show VemoOvra 印刷プレビュー", "close VemoOvra 印刷プレビュー"}));
    EXPECT_TRUE(m_output.open.empty());
}

TEST(ReportJobQuietOutput, APreviewNobodyShowsClosesAtOnce) {
    ScriptedHost host;
    TempFolder dir;
    WriteTestFile(dir / "t.xlsx", BuildTemplate(StandardTemplate()));
    CReportJob job;
    ASSERT_EQ(job.OpenTemplate(dir / "t.xlsx"), 1);
    job.Preview();
    EXPECT_EQ(job.IsPreviewOpen(), 0);
    job.Print();
    EXPECT_TRUE(host.messages.empty());
}
