// The 代価表 family of report/DaikaSheets.cpp over a shipped print form, for the sample 区画整理
// estimate: each 代価歩掛明細表 after its 代価表, the change-rate sheets after them, the 単価表 of the
// second walk and the 業務地区条件設定表 at the end, with their page numbers.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "SampleReport.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "estimate/VemoWinDocData.h"
#include "estimate/sampledata/SampleEstimates.h"

namespace {

const std::string kForm = std::string(VEMO_PRINT_FORMS_DIR) + "/ｶﾗｰA4形式.xlsx";

// Where each template sheet of the form holds a named cell ("" when it has none).
std::string CellOf(const xlstest::Output& form, const std::string& sheet, const std::string& name) {
    const std::vector<std::string> names = form.SheetNames();
    for (size_t s = 0; s < names.size(); ++s) {
        if (names[s] != sheet) continue;
        for (pugi::xml_node row : form.Sheet(static_cast<int>(s)).child("sheetData").children("row"))
            for (pugi::xml_node c : row.children("c"))
                if (form.Value(static_cast<int>(s), c.attribute("r").value()) == name) return c.attribute("r").value();
    }
    return {};
}

// The template sheet of an output page: its name without the " (n)" of a copy.
std::string TemplateOf(const std::string& page) {
    const size_t paren = page.find(" (");
    return paren == std::string::npos ? page : page.substr(0, paren);
}

struct Page {
    std::string sheet;   // template sheet
    std::string number;  // "**ページ" ("" on a sheet without one)
    std::string title;   // "**種別名", or "**種別名称" of a change-rate sheet
};

class SampleBreakdownTest : public ::testing::Test {
protected:
    // The report of the sample with the 代価表 and the 代価明細表, DouroCalc as given.
    std::vector<Page> Build(int douroCalc) {
        auto masters = LoadGeneratedSampleMasters(VEMO_SAMPLE_DATA_DIR);
        masters->settings.DouroCalc = douroCalc;
        CVemoWinDocData doc;
        out = std::make_unique<xlstest::Output>(PrintSampleBreakdown(*masters, "区画整理サンプル.sei", kForm, doc));
        std::vector<Page> pages;
        const std::vector<std::string> names = out->SheetNames();
        for (size_t p = 0; p < names.size(); ++p) {
            Page page{TemplateOf(names[p]), Named(p, "**ページ"), Named(p, "**種別名")};
            if (page.title.empty()) page.title = Named(p, "**種別名称");
            pages.push_back(page);
        }
        return pages;
    }
    // The value of a named cell of the form on an output page.
    std::string Named(size_t page, const std::string& name) const {
        const std::string ref = CellOf(form, TemplateOf(out->SheetNames()[page]), name);
        return ref.empty() ? std::string() : out->Value(static_cast<int>(page), ref);
    }
    // Whether some cell of the page holds a text that begins so.
    bool HasTextStarting(size_t page, const std::string& start) const {
        for (pugi::xml_node row : out->Sheet(static_cast<int>(page)).child("sheetData").children("row"))
            for (pugi::xml_node c : row.children("c"))
                if (out->Value(static_cast<int>(page), c.attribute("r").value()).rfind(start, 0) == 0) return true;
        return false;
    }

    ScriptedHost host;
    const xlstest::Output form{ReadTestFile(kForm)};
    std::unique_ptr<xlstest::Output> out;
};

// The pages after the summary sheets: their sheet, page number (from the first 代価表 page) and title.
struct Expected {
    const char* sheet;
    int number;  // 0: the sheet carries none
    const char* title;
};

std::vector<Page> BreakdownPages(const std::vector<Page>& pages, int& firstNumber, size_t& firstIndex) {
    firstIndex = 0;
    while (firstIndex < pages.size() && pages[firstIndex].sheet != "代価表") ++firstIndex;
    // The 代価表 pages go on from the last 総括表/内訳書 page.
    EXPECT_GT(firstIndex, 0u);
    EXPECT_EQ(pages[firstIndex - 1].sheet, "報告書2");
    firstNumber = std::stoi(pages[firstIndex - 1].number) + 1;
    return {pages.begin() + static_cast<long>(firstIndex), pages.end()};
}

void ExpectPages(const std::vector<Page>& pages, int firstNumber, const std::vector<Expected>& expected) {
    ASSERT_EQ(pages.size(), expected.size());
    for (size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE("page " + std::to_string(i) + " " + pages[i].sheet);
        EXPECT_EQ(pages[i].sheet, expected[i].sheet);
        EXPECT_EQ(pages[i].number, expected[i].number ? std::to_string(firstNumber + expected[i].number - 1) : "");
        EXPECT_EQ(pages[i].title, expected[i].title);
    }
}

// DouroCalc 1: every 代価歩掛明細表 right after its 代価表 and numbered next; the change-rate sheet of a
// 区画整理測量 row after them, unnumbered; the line-priced rows (types 31 and 29) with their rows on a
// 代価表 page and their 単価表 pages after the walk, one per 工程 line; the 業務地区条件設定表 last.
TEST_F(SampleBreakdownTest, UnderTheRoadCalculationEveryPageStandsWhereItBelongs) {
    int first = 0;
    size_t index = 0;
    const std::vector<Page> pages = BreakdownPages(Build(1), first, index);
    ExpectPages(pages, first,
                {{"代価表", 1, "境界点測量"},
                 {"代価歩掛明細表", 2, "境界点測量"},
                 {"代価表", 3, "地積測定"},
                 {"代価歩掛明細表", 4, "地積測定"},
                 {"代価表", 5, "境界確認測量①"},
                 {"代価歩掛明細表", 6, "境界確認測量①"},
                 {"変化率計算書α", 0, "境界確認測量変化率"},
                 {"代価表", 7, "境界確認測量②"},
                 {"代価歩掛明細表", 8, "境界確認測量②"},
                 {"変化率計算書αβ", 0, "境界確認測量変化率"},
                 {"代価表", 9, "街区点測量③"},
                 {"代価歩掛明細表", 10, "街区点測量③"},
                 {"変化率計算書施工", 0, "街区点測量変化率"},
                 {"代価表", 11, "画地確定測量（工程別）"},
                 {"代価表", 12, "換地設計基準作成"},
                 {"代価歩掛明細表", 13, "換地設計基準作成"},
                 {"代価表", 14, "換地設計基準書作成"},
                 {"代価歩掛明細表", 15, "換地設計基準書作成"},
                 {"代価表", 16, "土地評価"},
                 {"代価歩掛明細表", 17, "土地評価"},
                 {"代価表", 18, "清算金算定"},
                 {"代価歩掛明細表", 19, "清算金算定"},
                 {"代価表", 20, "換地計画書の縦覧資料作成"},
                 {"代価歩掛明細表", 21, "換地計画書の縦覧資料作成"},
                 {"代価表", 22, "換地設計（工程別）"},
                 {"単価表", 23, "画地確定測量（工程別）（作業計画）"},
                 {"単価表", 24, "画地確定測量（工程別）（画地点の観測）"},
                 {"単価表", 25, "画地確定測量（工程別）（画地計算）"},
                 {"単価表", 26, "画地確定測量（工程別）（成果等の整理）"},
                 {"単価表", 27, "換地設計（工程別）（換地設計の方針）"},
                 {"単価表", 28, "換地設計（工程別）（換地設計）"},
                 {"単価表", 29, "換地設計（工程別）（換地図作成）"},
                 {"単価表", 30, "換地設計（工程別）（照査）"},
                 {"業務地区条件設定表", 0, ""}});

    // The 代価 numbers of a 代価表 and its 明細 page agree; the 単価表 are numbered from 1 for the
    // second walk as for the rows that name them.
    EXPECT_EQ(Named(index + 4, "**第～号一位代価表"), "第 3 号一位代価表");
    EXPECT_EQ(Named(index + 5, "**第～号一位代価歩掛明細表"), "第 3 号一位代価歩掛明細表");
    EXPECT_TRUE(HasTextStarting(index + 13, "　第1号単価表"));
    EXPECT_TRUE(HasTextStarting(index + 24, "　第5号単価表"));
    EXPECT_EQ(Named(index + 25, "**第～号一位代価表"), "第 1 号 単 価 表");
    EXPECT_EQ(Named(index + 29, "**第～号一位代価表"), "第 5 号 単 価 表");

    // The district conditions of the 業務 7 rows, worked by hand: 地区面積 80 ha, 総棟数積 300, 総画地数
    // 400; K1 = 300 ÷ 80 = 3.75, H1 = 400 ÷ 80 = 5; α1 = (80/50)^0.5 = 1.26491 → 1.265 (the rate to three
    // decimals), β1 = (3.75/3)^0.1 = 1.02257 → 1.023, β2 = (5/4)^0.15 = 1.03403 → 1.034.
    const size_t chiku = index + pages.size() - 1;
    EXPECT_EQ(Named(chiku, "**地区面積"), "80");
    EXPECT_EQ(Named(chiku, "**総棟数積"), "300");
    EXPECT_EQ(Named(chiku, "**総画地数"), "400");
    EXPECT_EQ(Named(chiku, "**K1"), "3.75");
    EXPECT_EQ(Named(chiku, "**H1"), "5");
    EXPECT_DOUBLE_EQ(std::stod(Named(chiku, "**α1")), 1.265);
    EXPECT_DOUBLE_EQ(std::stod(Named(chiku, "**β1")), 1.023);
    EXPECT_DOUBLE_EQ(std::stod(Named(chiku, "**β2")), 1.034);
    // The rate rows under the 明細 table of the α1 row: α1 and the item's 補正係数.
    EXPECT_TRUE(HasTextStarting(index + 17, "　　α１＝126.50％　　補正係数＝1.00"));
    // The change-rate sheet of 境界確認測量①: 作業量 2.5, 点数 60, αN = 60 ÷ 2.5 = 24.
    EXPECT_EQ(Named(index + 6, "**作業入力"), "2.5");
    EXPECT_EQ(Named(index + 6, "**点数"), "60");
    EXPECT_EQ(Named(index + 6, "**係数αＮ"), "24");
    EXPECT_EQ(Named(index + 6, "**地域区分01"), "市街地 甲");
    EXPECT_EQ(Named(index + 6, "**地域区分02"), "障害物多");
}

// DouroCalc 0 (as the program starts): the line-priced rows get a 代価表 and a 明細 page like the
// others, and no 単価表 is written.
TEST_F(SampleBreakdownTest, WithoutTheRoadCalculationNo単価表IsWritten) {
    int first = 0;
    size_t index = 0;
    const std::vector<Page> pages = BreakdownPages(Build(0), first, index);
    ASSERT_EQ(pages.size(), 28u);  // 12 代価表 with their 明細, 3 change-rate sheets, the 業務地区条件設定表
    for (size_t i = 0; i < pages.size(); ++i) EXPECT_NE(pages[i].sheet, "単価表") << i;
    EXPECT_EQ(pages[13].sheet, "代価表");
    EXPECT_EQ(pages[13].title, "画地確定測量（工程別）");
    EXPECT_EQ(pages[14].sheet, "代価歩掛明細表");
    EXPECT_EQ(pages[14].number, std::to_string(first + 11));
    EXPECT_EQ(pages.back().sheet, "業務地区条件設定表");
}

}  // namespace
