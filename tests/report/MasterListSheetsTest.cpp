// Tests of report/MasterListSheets.h: the master lists written into the shipped master-list template.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/TankaFile.h"
#include "report/MasterListSheets.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"
#include "report/XlsWorkbook.h"
#include "master/MasterTexts.h"

using namespace masterbuild;

namespace {

// The build lays the forms in [sample data]/フォーム: its parent stands for the program folder.
const std::string kProgramFolder = std::filesystem::path(VEMO_PRINT_FORMS_DIR).parent_path().string();
const std::string kTemplate = masterlist::MasterListTemplatePath(kProgramFolder);

using Place = std::pair<int, int>;  // row, column

// Where the template's named cells stand: sheet → name → place.
const std::map<std::string, std::map<std::string, Place>>& NamedCells() {
    static const auto cells = [] {
        std::map<std::string, std::map<std::string, Place>> all;
        XlsWorkbook model;
        EXPECT_EQ(ReadXlsWorkbook(ReadTestFile(kTemplate), model), XlsOpenError::none);
        for (const XlsSheet& sheet : model.sheets)
            for (const XlsCell& c : sheet.cells)
                if (c.kind == XlsValueKind::text && c.text.rfind("**", 0) == 0)
                    all[sheet.name].emplace(c.text, Place{c.row, c.column});
        return all;
    }();
    return cells;
}

// The value shown dx columns right and dy rows below a named cell of a page, as text ("" when empty).
std::string At(const XlsSheet& page, const std::string& sheet, const std::string& name, int dx = 0, int dy = 0) {
    const Place place = NamedCells().at(sheet).at(name);
    const XlsCell* c = page.FindCell(place.first + dy, place.second + dx);
    if (!c || c->kind == XlsValueKind::empty) return "";
    if (c->kind == XlsValueKind::text) return c->text;
    char text[32];
    std::snprintf(text, sizeof text, "%g", c->number);
    return text;
}

class MasterListSheets : public ::testing::Test {
protected:
    XlsWorkbook Pages() { return job.Engine().Model(); }

    ScriptedHost host;
    CReportJob job;
};

}  // namespace

TEST_F(MasterListSheets, KoshuListPutsFortyAPageInTwoBlocksOfTwenty) {
    CBukakeFile file;
    CBukakeGyomu& gyomu = AddGyomu(file, 1, "測量");
    for (int i = 1; i <= 41; ++i) AddKoshu(gyomu, 100 + i, "工種" + std::to_string(i));
    ASSERT_EQ(masterlist::WriteKoshuList(job, kTemplate, gyomu), 2);
    const XlsWorkbook pages = Pages();
    ASSERT_EQ(pages.sheets.size(), 2u);
    const std::string sheet = "歩掛工種一覧";
    for (const XlsSheet& page : pages.sheets) EXPECT_EQ(At(page, sheet, "**タイトル"), "測量工種一覧");
    // (dx, dy) → the entry shown there on the first page.
    const struct {
        int dx, dy, entry;
    } first[] = {{0, 0, 1}, {0, 19, 20}, {5, 0, 21}, {5, 19, 40}};
    for (const auto& c : first) {
        const std::string n = std::to_string(c.entry);
        EXPECT_EQ(At(pages.sheets[0], sheet, "**No", c.dx, c.dy), n) << c.entry;
        EXPECT_EQ(At(pages.sheets[0], sheet, "**データ", c.dx, c.dy), "工種" + n) << c.entry;
    }
    // The second page starts again at the top of the first block, numbering on.
    EXPECT_EQ(At(pages.sheets[1], sheet, "**No"), "41");
    EXPECT_EQ(At(pages.sheets[1], sheet, "**データ"), "工種41");
    EXPECT_EQ(At(pages.sheets[1], sheet, "**データ", 0, 1), "");
    EXPECT_EQ(At(pages.sheets[1], sheet, "**データ", 5, 0), "");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(MasterListSheets, ShubetsuListShowsTheCoefficientOnlyWhereSet) {
    CBukakeFile file;
    CBukakeGyomu& gyomu = AddGyomu(file, 1, "測量");
    CBukakeKoshu& koshu = AddKoshu(gyomu, 101, "基準点測量");
    AddShubetsu(koshu, 1, "1級基準点").m_coefficient = 125;
    AddShubetsu(koshu, 2, "2級基準点");  // no coefficient
    AddShubetsu(koshu, 3, "3級基準点").m_coefficient = 0;
    ASSERT_EQ(masterlist::WriteShubetsuList(job, kTemplate, gyomu, koshu), 1);
    const XlsSheet page = Pages().sheets.at(0);
    const std::string sheet = "歩掛種別一覧";
    EXPECT_EQ(At(page, sheet, "**タイトル"), "測量種別一覧");
    EXPECT_EQ(At(page, sheet, "**工種名"), "基準点測量");
    const char* names[] = {"1級基準点", "2級基準点", "3級基準点"};
    const char* coefficients[] = {"1.25", "", "0"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(At(page, sheet, "**No", 0, i), std::to_string(i + 1));
        EXPECT_EQ(At(page, sheet, "**データ", 0, i), names[i]);
        EXPECT_EQ(At(page, sheet, "**精度管理係数", 0, i), coefficients[i]) << i;
    }
    EXPECT_EQ(At(page, sheet, "**データ", 0, 3), "");
}

TEST_F(MasterListSheets, HenkaritsuListOfFortyFillsOnePage) {
    CHenkaritsuFile file;
    CHenkaritsuGyomu& group = AddGroup(file, 1, "測量");
    for (int i = 1; i <= 40; ++i) AddTableRecord(group, i, "補正" + std::to_string(i));
    ASSERT_EQ(masterlist::WriteHenkaritsuList(job, kTemplate, group), 1);
    const XlsSheet page = Pages().sheets.at(0);
    const std::string sheet = "変化率・補正率一覧";
    EXPECT_EQ(At(page, sheet, "**タイトル"), "測量一覧");
    EXPECT_EQ(At(page, sheet, "**データ", 0, 19), "補正20");
    EXPECT_EQ(At(page, sheet, "**No", 5, 0), "21");
    EXPECT_EQ(At(page, sheet, "**データ", 5, 19), "補正40");
}

TEST_F(MasterListSheets, TankaListPutsThirtyFiveAPageAndLeavesUnsetPricesEmpty) {
    CTankaFile tanka;
    for (int p = 0; p < CTankaRow::kPriceColumns; ++p) tanka.m_columnTitles[p] = "R" + std::to_string(p + 1);
    AddTankaRow(tanka, 1000, "技師長", {50000, kUnset, 52000}).m_remarks = "日額";
    for (int i = 1; i <= 35; ++i) AddTankaRow(tanka, 1000 + i, "職種" + std::to_string(i), {10000 + i});
    ASSERT_EQ(masterlist::WriteTankaList(job, kTemplate, tanka), 2);
    const XlsWorkbook pages = Pages();
    ASSERT_EQ(pages.sheets.size(), 2u);
    const std::string sheet = "単価一覧";
    const XlsSheet& first = pages.sheets[0];
    for (const XlsSheet& page : pages.sheets) {
        EXPECT_EQ(At(page, sheet, "**年度1"), "R1");
        EXPECT_EQ(At(page, sheet, "**年度20"), "R20");
    }
    EXPECT_EQ(At(first, sheet, "**職種名称"), "技師長");
    EXPECT_EQ(At(first, sheet, "**単位"), tanka.GetRow(0)->m_unit);
    EXPECT_EQ(At(first, sheet, "**単価1"), "50000");
    EXPECT_EQ(At(first, sheet, "**単価2"), "");
    EXPECT_EQ(At(first, sheet, "**単価3"), "52000");
    EXPECT_EQ(At(first, sheet, "**単価4"), "");
    EXPECT_EQ(At(first, sheet, "**備考"), "日額");
    EXPECT_EQ(At(first, sheet, "**職種名称", 0, 34), "職種34");
    EXPECT_EQ(At(first, sheet, "**単価1", 0, 34), "10034");
    // The second page holds the 36th trade alone, under the same column titles.
    EXPECT_EQ(At(pages.sheets[1], sheet, "**職種名称"), "職種35");
    EXPECT_EQ(At(pages.sheets[1], sheet, "**単価1"), "10035");
    EXPECT_EQ(At(pages.sheets[1], sheet, "**職種名称", 0, 1), "");
}

// Each list: empty, it opens the template and begins no page; with the template missing, the job's
// message is all the user sees and nothing is written.
TEST_F(MasterListSheets, EmptyListHasNoPageAndAMissingTemplateOnlyTheJobsMessage) {
    CBukakeFile bukake;
    CBukakeGyomu& gyomu = AddGyomu(bukake, 1, "測量");
    CBukakeKoshu& koshu = AddKoshu(gyomu, 101, "基準点測量");
    CHenkaritsuFile henkaritsu;
    CHenkaritsuGyomu& group = AddGroup(henkaritsu, 1, "測量");
    CBukakeGyomu emptyGyomu;
    CTankaFile tanka;
    const std::map<std::string, std::function<int(const std::string&)>> writers = {
        {"工種", [&](const std::string& path) { return masterlist::WriteKoshuList(job, path, emptyGyomu); }},
        {"種別", [&](const std::string& path) { return masterlist::WriteShubetsuList(job, path, gyomu, koshu); }},
        {"変化率", [&](const std::string& path) { return masterlist::WriteHenkaritsuList(job, path, group); }},
        {"単価", [&](const std::string& path) { return masterlist::WriteTankaList(job, path, tanka); }},
    };
    TempFolder dir;
    const std::string missing = masterlist::MasterListTemplatePath(dir.Path());
    for (const auto& [list, write] : writers) {
        SCOPED_TRACE(list);
        host.messages.clear();
        EXPECT_EQ(write(kTemplate), 0);
        EXPECT_TRUE(job.HasWorkbook());
        EXPECT_EQ(job.Engine().PageCount(), 0);
        EXPECT_TRUE(host.messages.empty());

        EXPECT_EQ(write(missing), -1);
        EXPECT_FALSE(job.HasWorkbook());
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{missing + mastertext::kFileMissing});
    }
}

TEST(MasterListTemplate, LiesInTheFormFolderOfTheProgram) {
    EXPECT_EQ(masterlist::MasterListTemplatePath("/opt/vemo"), "/opt/vemo/フォーム/マスター用.xlsx");
}
