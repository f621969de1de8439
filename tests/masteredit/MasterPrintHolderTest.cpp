// Tests of masteredit/MasterPrintHolder.h and of the prints of its holders (CTankaEditDlg,
// CBukakeEditDlg, CHenkaritsuEditDlg, CBukakeDetailDlg): the preview rules while a preview is open,
// the empty list, the 種別 list without a 工種 and the missing template.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "EventWait.h"
#include "MasterBuilders.h"
#include "RecordingReportOutput.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "dialogkit/SpreadSheet.h"
#include "masteredit/BukakeDetailDlg.h"
#include "masteredit/BukakeEditDlg.h"
#include "masteredit/HenkaritsuEditDlg.h"
#include "masteredit/KoshuShubetsuLists.h"
#include "masteredit/MasterPrintHolder.h"
#include "masteredit/TankaEditDlg.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "platform/FileUtil.h"
#include "report/ReportTexts.h"
#include "report/XlsWorkbook.h"
#include "master/MasterTexts.h"

using namespace masterbuild;

namespace {

// The build lays the forms in [sample data]/フォーム: its parent stands for the program folder.
const std::string kProgramFolder = std::filesystem::path(VEMO_PRINT_FORMS_DIR).parent_path().string();
const std::string kTankaShow = std::string("show ") + reporttext::kTankaPreviewTitle;
const std::string kTankaRaise = std::string("raise ") + reporttext::kTankaPreviewTitle;

CTankaFile Tanka() {
    CTankaFile f;
    AddTankaRow(f, 1001, "技師長", {50000});
    AddTankaRow(f, 1002, "主任技師", {40000});
    return f;
}

// Whether a cell of the job's workbook shows the text.
bool Shows(CReportJob& job, const std::string& text) {
    for (const XlsSheet& page : job.Engine().Model().sheets)
        for (const XlsCell& c : page.cells)
            if (c.kind == XlsValueKind::text && c.text == text) return true;
    return false;
}

class TankaListPrint : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = std::make_unique<CTankaEditDlg>();
        dialog->SetTankaFile(Tanka());
        dialog->ListPrint().SetProgramFolder(kProgramFolder);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), kHangMs));
    }
    void Click(const char* name) { QTest::mouseClick(dialog->findChild<QPushButton*>(name), Qt::LeftButton); }
    CReportJob& Job() { return dialog->ListPrint().Job(); }

    ScriptedHost host;
    RecordingReportOutput output;
    std::unique_ptr<CTankaEditDlg> dialog;  // goes before the output, closing its preview
};

}  // namespace

TEST_F(TankaListPrint, WhileThePreviewIsOpenItIsRaisedAndPrintOkCancelAndCloseAreRefused) {
    Click("preview");
    ASSERT_EQ(output.calls, std::vector<std::string>{kTankaShow});
    ASSERT_TRUE(Job().IsPreviewOpen());
    EXPECT_EQ(Job().Engine().PageCount(), 1);
    EXPECT_TRUE(Shows(Job(), "技師長"));

    // A second preview raises the open one and builds nothing: the renamed trade is not in it.
    CSpreadSheet* grid = dialog->findChild<CSpreadSheet*>("grid");
    grid->SetCellText(CTankaEditDlg::kNameCol, 1, QString::fromUtf8("技師"));
    emit grid->Change(CTankaEditDlg::kNameCol, 1);
    Click("preview");
    EXPECT_EQ(output.calls, (std::vector<std::string>{kTankaShow, kTankaRaise}));
    EXPECT_TRUE(Shows(Job(), "技師長"));
    EXPECT_FALSE(Shows(Job(), "技師"));

    Click("print");
    Click("ok");
    Click("cancel");
    EXPECT_FALSE(dialog->close());
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>(4, reporttext::kPreviewOpenMessage));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(output.calls.size(), 2u);

    // Closed, the preview lets printing and closing through; the print shows the edit.
    output.CloseWindow(Job());
    Click("print");
    EXPECT_EQ(output.calls, (std::vector<std::string>{kTankaShow, kTankaRaise, "choose", "print 1"}));
    EXPECT_TRUE(Shows(Job(), "技師"));
    EXPECT_FALSE(Shows(Job(), "技師長"));
    Click("ok");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(host.messages.size(), 4u);
}

TEST_F(TankaListPrint, AMissingTemplateShowsTheJobsMessageOnly) {
    TempFolder empty;
    dialog->ListPrint().SetProgramFolder(empty.Path());
    const std::string path = dialog->ListPrint().MasterListTemplate();
    Click("preview");
    Click("print");
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>(2, path + mastertext::kFileMissing));
    EXPECT_TRUE(output.calls.empty());
    EXPECT_FALSE(Job().IsPreviewOpen());
}

TEST(MasterPrintHolder, AnEmptyListIsNeitherPreviewedNorPrinted) {
    ScriptedHost host;
    RecordingReportOutput output;
    CMasterPrintHolder holder;
    holder.SetProgramFolder(kProgramFolder);
    CBukakeFile bukake;
    CBukakeGyomu& gyomu = AddGyomu(bukake, 1, "測量");
    CBukakeKoshu& koshu = AddKoshu(gyomu, 101, "基準点測量");
    CHenkaritsuFile henkaritsu;
    CHenkaritsuGyomu& group = AddGroup(henkaritsu, 1, "測量");
    CTankaFile tanka;
    const CBukakeGyomu noKoshu;
    holder.PreviewKoshuList(noKoshu);
    holder.PrintKoshuList(noKoshu);
    holder.PreviewShubetsuList(gyomu, koshu);
    holder.PrintShubetsuList(gyomu, koshu);
    holder.PreviewHenkaritsuList(group);
    holder.PrintHenkaritsuList(group);
    holder.PreviewTankaList(tanka);
    holder.PrintTankaList(tanka);
    EXPECT_TRUE(output.calls.empty());
    EXPECT_TRUE(host.messages.empty());

    // With entries, each list previews under its own caption.
    AddShubetsu(koshu, 1, "1級基準点");
    AddTableRecord(group, 1, "補正");
    const std::pair<std::function<void()>, const char*> lists[] = {
        {[&] { holder.PreviewKoshuList(gyomu); }, reporttext::kKoshuPreviewTitle},
        {[&] { holder.PreviewShubetsuList(gyomu, koshu); }, reporttext::kShubetsuPreviewTitle},
        {[&] { holder.PreviewHenkaritsuList(group); }, reporttext::kShubetsuPreviewTitle},
    };
    for (const auto& [preview, title] : lists) {
        output.calls.clear();
        preview();
        EXPECT_EQ(output.calls, std::vector<std::string>{std::string("show ") + title});
        EXPECT_EQ(holder.Job().Engine().PageCount(), 1);
        output.CloseWindow(holder.Job());
    }
}

namespace {

// A dialog that prints, opened on small masters: its job, the buttons of one print and its caption.
struct PrintingDialog {
    std::unique_ptr<CSekisanDialog> dialog;
    CMasterPrintHolder* holder;
};

CBukakeFile BukakeSample() {
    CBukakeFile file;
    CBukakeGyomu& gyomu = AddGyomu(file, 1, "測量");
    CBukakeKoshu& koshu = AddKoshu(gyomu, 101, "基準点測量");
    AddShubetsu(koshu, 1, "1級基準点").m_coefficient = 5;
    return file;
}

PrintingDialog BukakeEditor() {
    auto d = std::make_unique<CBukakeEditDlg>();
    d->SetBukakeFile(BukakeSample());
    d->SetGyomuCodes({1});
    d->ListPrint().SetProgramFolder(kProgramFolder);
    CMasterPrintHolder* holder = &d->ListPrint();
    return {std::move(d), holder};
}

PrintingDialog RateEditor() {
    auto d = std::make_unique<CHenkaritsuEditDlg>();
    CHenkaritsuFile rates;
    AddTableRecord(AddGroup(rates, 1, "測量"), 1, "地形");
    d->SetHenkaritsuFile(rates);
    d->SetGyomuCodes({1});
    d->ListPrint().SetProgramFolder(kProgramFolder);
    CMasterPrintHolder* holder = &d->ListPrint();
    return {std::move(d), holder};
}

CBukakeDetailPrintSetup DetailSetup() {
    CBukakeDetailPrintSetup setup;
    setup.formPath = vemo::JoinPath(VEMO_PRINT_FORMS_DIR, "ﾓﾉｸﾛA4通常形式.xlsx");
    return setup;
}

PrintingDialog DetailDialog() {
    auto d = std::make_unique<CBukakeDetailDlg>();
    d->SetGyomuCode(1);
    d->SetShubetsuName("1級基準点");
    CBukakeDetail detail;
    detail.m_quantity = 100;
    detail.m_unit = "点";
    detail.m_shokushu[0] = 1001;
    AddLine(detail, "作業計画", {100});
    d->SetDetail(detail);
    d->SetTankaFile(Tanka());
    d->SetPrintSetup(DetailSetup());
    CMasterPrintHolder* holder = &d->DetailPrint();
    return {std::move(d), holder};
}

}  // namespace

TEST(PrintHolders, WhileAPreviewIsOpenItIsRaisedAndPrintOkAndCancelAreRefused) {
    const struct {
        const char* name;
        std::function<PrintingDialog()> open;
        const char* preview;
        const char* print;
        const char* title;
    } cases[] = {
        {"工種 list", BukakeEditor, "koshuPreview", "koshuPrint", reporttext::kKoshuPreviewTitle},
        {"種別 list", BukakeEditor, "shubetsuPreview", "shubetsuPrint", reporttext::kShubetsuPreviewTitle},
        {"rate list", RateEditor, "preview", "print", reporttext::kShubetsuPreviewTitle},
        {"代価", DetailDialog, "daikapreview", "daikaprint", reporttext::kDetailDaikaPreviewTitle},
        {"明細", DetailDialog, "meisaipreview", "meisaiprint", reporttext::kDetailMeisaiPreviewTitle},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedHost host;
        RecordingReportOutput output;
        PrintingDialog p = c.open();
        p.dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(p.dialog.get(), kHangMs));
        auto click = [&](const char* name) {
            QPushButton* b = p.dialog->findChild<QPushButton*>(name);
            ASSERT_NE(b, nullptr) << name;
            ASSERT_TRUE(b->isEnabled()) << name;
            QTest::mouseClick(b, Qt::LeftButton);
        };
        const std::string show = std::string("show ") + c.title;
        click(c.preview);
        ASSERT_EQ(output.calls, std::vector<std::string>{show});
        EXPECT_EQ(p.holder->Job().Engine().PageCount(), 1);
        click(c.preview);
        EXPECT_EQ(output.calls, (std::vector<std::string>{show, std::string("raise ") + c.title}));
        click(c.print);
        click("ok");
        click("cancel");
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>(3, reporttext::kPreviewOpenMessage));
        EXPECT_TRUE(p.dialog->isVisible());
        EXPECT_EQ(output.calls.size(), 2u);

        output.CloseWindow(p.holder->Job());
        click(c.print);
        EXPECT_EQ(output.calls.back(), "print 1");
        click("cancel");
        EXPECT_FALSE(p.dialog->isVisible());
        EXPECT_EQ(host.messages.size(), 3u);
        p.dialog.reset();  // before the output, closing nothing
    }
}

TEST(PrintHolders, The種別ListWithoutACurrent工種DoesNothing) {
    ScriptedHost host;
    RecordingReportOutput output;
    CBukakeFile file;
    AddGyomu(file, 1, "測量");
    CBukakeEditDlg dialog;
    dialog.SetBukakeFile(file);
    dialog.SetGyomuCodes({1});
    dialog.ListPrint().SetProgramFolder(kProgramFolder);
    dialog.OnInitDialog();
    ASSERT_EQ(dialog.Lists()->CurrentKoshu(), nullptr);
    dialog.OnShubetsuPreview();
    dialog.OnShubetsuPrint();
    // The empty 工種 list opens the template and begins no page.
    dialog.OnKoshuPreview();
    EXPECT_TRUE(output.calls.empty());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(dialog.ListPrint().Job().GetTemplatePath(), dialog.ListPrint().MasterListTemplate());
}
