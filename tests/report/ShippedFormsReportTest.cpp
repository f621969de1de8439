// The 業務価格総括表 and 総括表 pages of the estimate report on every print form the program ships: how
// many pages the rows take, that every row prints inside the page's print area, ruled and formatted
// like the table, for every 総括表印刷行数 a user can set; and that each sample estimate, with the
// cover data the program ships, heads its pages with its own 件名.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "EstimateBuilders.h"
#include "EstimateReportFixture.h"
#include "XlsTestSupport.h"
#include "estimate/VemoWinDocData.h"
#include "estimate/sampledata/SampleEstimates.h"
#include "master/HyoshiData.h"
#include "master/sampledata/SampleMasters.h"
#include "platform/FileUtil.h"
#include "report/EstimateReport.h"
#include "report/PrintFormText.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"
#include "report/XlsInternal.h"

using estimate_test::ItemListBuilder;

namespace {

const std::string kFolder = VEMO_PRINT_FORMS_DIR;
const std::vector<std::string> kForms = {"ｶﾗｰA4形式", "ﾓﾉｸﾛA4通常形式", "ﾓﾉｸﾛA4承認形式", "ﾓﾉｸﾛA4内訳詳細形式",
                                         "全地連ﾓﾉｸﾛA4通常形式"};
// Two of the closing rows (消費税相当額, 業務委託料計) by their amounts: a form may print its own names for
// them, and the amount of the third (合計) stands under the table of a first page, too.
const std::vector<std::string> kClosingAmounts = {"50000", "550000"};

// Every cell of a sheet that holds a value: (row, column) → text.
std::map<std::pair<int, int>, std::string> Values(const xlstest::Output& out, int sheet) {
    std::map<std::pair<int, int>, std::string> values;
    for (pugi::xml_node row : out.Sheet(sheet).child("sheetData").children("row"))
        for (pugi::xml_node c : row.children("c")) {
            const std::string ref = c.attribute("r").value();
            if (!out.HasValue(sheet, ref)) continue;
            int r = 0, column = 0;
            if (!xls::ParseCellRef(ref, r, column)) continue;
            values[{r, column}] = out.Value(sheet, ref);
        }
    return values;
}

// The rows a form's sheet fixes in its row-count cell; 0 when it follows the program's setting.
int FixedRows(const std::string& form, const std::string& sheet, const std::string& stem, int first, int last) {
    xlstest::Output book(ReadTestFile(kFolder + "/" + form + ".xlsx"));
    const std::vector<std::string> names = book.SheetNames();
    const auto it = std::find(names.begin(), names.end(), sheet);
    if (it == names.end()) return 0;
    std::set<std::string> texts;
    for (auto& [at, text] : Values(book, static_cast<int>(it - names.begin()))) texts.insert(text);
    for (int h = first; h <= last; ++h)
        if (texts.count(stem + std::to_string(h))) return h;
    return 0;
}

// Where the form's sheet holds the named cell.
std::pair<int, int> TemplatePosition(const std::string& form, const std::string& sheet, const std::string& name) {
    xlstest::Output book(ReadTestFile(kFolder + "/" + form + ".xlsx"));
    const std::vector<std::string> names = book.SheetNames();
    const auto it = std::find(names.begin(), names.end(), sheet);
    if (it != names.end())
        for (auto& [at, text] : Values(book, static_cast<int>(it - names.begin())))
            if (text == name) return at;
    ADD_FAILURE() << form << " " << sheet << " has no " << name;
    return {0, 0};
}

std::string Trimmed(const std::string& text) {
    const size_t at = text.find_first_not_of(' ');
    return at == std::string::npos ? std::string() : text.substr(at);
}

// What a printed page shows of the estimate, and whether the cells of its rows are where they belong.
class PrintedPage {
public:
    PrintedPage(const xlstest::Output& out, int sheet) : m_out(out), m_sheet(sheet), m_values(Values(out, sheet)) {
        const std::string name = out.SheetNames()[static_cast<size_t>(sheet)];
        for (pugi::xml_node dn : out.Workbook().child("workbook").child("definedNames").children("definedName")) {
            if (std::string(dn.attribute("name").value()) != "_xlnm.Print_Area" || dn.attribute("localSheetId").as_int() != sheet)
                continue;
            const std::string text = dn.text().get();
            XlsRange area;
            if (xls::ParseRangeRef(text.substr(text.rfind('!') + 1), area)) m_area = area;
        }
    }

    // Where the page shows the text (leading blanks of an indent aside).
    std::vector<std::pair<int, int>> Find(const std::string& text) const {
        std::vector<std::pair<int, int>> at;
        for (auto& [cell, value] : m_values)
            if (Trimmed(value) == text) at.push_back(cell);
        return at;
    }
    bool Shows(const std::string& text) const { return !Find(text).empty(); }
    bool Inside(std::pair<int, int> cell) const { return m_area && m_area->Contains(cell.first, cell.second); }

    // The cell is printed on a line of the table: inside the print area, between ruled columns, with a
    // line under its pair of rows; a number in a number format of the table.
    ::testing::AssertionResult OnARuledLine(std::pair<int, int> cell, bool number) const {
        auto [row, column] = cell;
        const std::string where = xls::CellRef(row, column);
        if (!m_area || !m_area->Contains(row, column)) return ::testing::AssertionFailure() << where << " lies outside the print area";
        if (!Border(row, column, "left") && !Border(row, column, "right"))
            return ::testing::AssertionFailure() << where << " stands between no ruled columns";
        if (!Border(row, column, "bottom") && !Border(row + 1, column, "bottom"))
            return ::testing::AssertionFailure() << where << " has no line under its row";
        if (number && Format(row, column).attribute("numFmtId").as_int() == 0)
            return ::testing::AssertionFailure() << where << " shows its number unformatted";
        return ::testing::AssertionSuccess();
    }

    // The cell heads a join over its line's two rows and centres its text between them.
    ::testing::AssertionResult CentredOnItsLine(std::pair<int, int> cell) const {
        auto [row, column] = cell;
        const std::string where = xls::CellRef(row, column);
        bool joined = false;
        for (const std::string& merge : m_out.Merges(m_sheet)) {
            const size_t colon = merge.find(':');
            int lastRow = 0, lastColumn = 0;
            if (merge.substr(0, colon) == where && colon != std::string::npos &&
                xls::ParseCellRef(merge.substr(colon + 1), lastRow, lastColumn))
                joined = lastRow == row + 1;
        }
        if (!joined) return ::testing::AssertionFailure() << where << " is not joined over its line";
        if (std::string(Format(row, column).child("alignment").attribute("vertical").value()) != "center")
            return ::testing::AssertionFailure() << where << " is not centred between the rows";
        return ::testing::AssertionSuccess();
    }

private:
    pugi::xml_node Format(int row, int column) const {
        const std::vector<pugi::xml_node> xfs = m_out.CellFormats();
        const size_t style = static_cast<size_t>(m_out.Style(m_sheet, xls::CellRef(row, column)));
        return style < xfs.size() ? xfs[style] : pugi::xml_node();
    }
    bool Border(int row, int column, const char* side) const {
        const int id = Format(row, column).attribute("borderId").as_int();
        int i = 0;
        for (pugi::xml_node b : m_out.Styles().child("styleSheet").child("borders").children("border"))
            if (i++ == id) {
                const std::string style = b.child(side).attribute("style").value();
                return !style.empty() && style != "none";
            }
        return false;
    }

    const xlstest::Output& m_out;
    int m_sheet;
    std::map<std::pair<int, int>, std::string> m_values;
    std::optional<XlsRange> m_area;
};

class ShippedFormsReportTest : public EstimateReportFixture {
protected:
    // The 総括表 of the estimate on a shipped form, as a workbook.
    std::unique_ptr<xlstest::Output> Print(const std::string& form, int formGyou, int perGyomu, int gyomuSokatsu,
                                           bool withGyomuSokatsuSheet, int* lastPage = nullptr) {
        const std::string path = kFolder + "/" + form + ".xlsx";
        std::optional<CPrintFormText> twin;
        CPrintFormText text;
        if (LoadPrintFormText(path, text) == 0) twin = text;
        CReportJob job;
        CPrintSettings s;
        s.pageBreakPerGyomu = perGyomu;
        s.printGyomuSokatsu = gyomuSokatsu;
        job.SetSettings(s);
        EXPECT_EQ(job.OpenTemplate(path), 1);
        CEstimateReport report(job, list, env, cover, formGyou, path, twin);
        if (withGyomuSokatsuSheet) report.WriteGyomuKakakuSokatsu(1);
        const int last = report.WriteSokatsu(1);
        if (lastPage) *lastPage = last;
        return OutputOrNull(job);
    }
};

}  // namespace

TEST_F(ShippedFormsReportTest, NoPageCarriesOnlyTheClosingRows) {
    // One 業務 whose rows fill the first page and part of the next (its row count between the first
    // page's rows and the two pages' together): with both page options on the closing rows are left
    // to the 業務価格総括表; with the 業務価格総括表 off they follow the rows, and a page of their own
    // comes only when they do not fit. The pages are numbered on from 1.
    for (const std::string& form : kForms) {
        const std::pair<int, int> pageCell[2] = {TemplatePosition(form, "報告書1", "**ページ"),
                                                 TemplatePosition(form, "報告書2", "**ページ")};
        for (int formGyou : {10, 14}) {
            const int first = FixedRows(form, "報告書1", "**総括表行数", 8, 50);
            const int firstRows = first ? first : formGyou;
            const int later = FixedRows(form, "報告書2", "**総括表行数", 8, 50);
            const int nextRows = later ? later : firstRows;
            for (int gyomuSokatsu : {1, 0})
                for (int rows = firstRows + 1; rows <= firstRows + nextRows; ++rows) {
                    SCOPED_TRACE(form + " FormGyou " + std::to_string(formGyou) + ", " + std::to_string(rows) + " rows" +
                                 (gyomuSokatsu ? "" : ", no 業務価格総括表"));
                    list.RemoveAll();
                    ItemListBuilder b(list);
                    b.Gyomu(1, "測量業務");
                    for (int k = 1; k < rows; ++k) b.Koshu(k, "工種" + std::to_string(k)).Amount(1000 * k);
                    b.Summary(95, "合計").Amount(500000).Summary(98, "消費税相当額").Amount(50000);
                    b.Summary(99, "業務委託料計").Amount(550000);
                    int last = 0;
                    auto out = Print(form, formGyou, 1, gyomuSokatsu, false, &last);
                    ASSERT_NE(out, nullptr);
                    const bool closingFit = rows + 3 <= firstRows + nextRows;
                    const int pages = gyomuSokatsu || closingFit ? 2 : 3;
                    ASSERT_EQ(out->SheetCount(), pages);
                    EXPECT_EQ(last, pages);
                    for (int p = 0; p < pages; ++p) {
                        PrintedPage page(*out, p);
                        const auto [row, column] = pageCell[p == 0 ? 0 : 1];
                        EXPECT_EQ(out->Value(p, xls::CellRef(row, column)), std::to_string(p + 1));
                        // Every page but a last one of closing rows that did not fit shows a row of the 業務.
                        EXPECT_EQ(page.Shows("工種" + std::to_string(p == 0 ? 1 : firstRows)), p < 2) << p;
                        for (const std::string& closing : kClosingAmounts) {
                            EXPECT_FALSE(gyomuSokatsu && page.Shows(closing)) << p << " " << closing;
                        }
                    }
                    if (!gyomuSokatsu) {
                        EXPECT_TRUE(PrintedPage(*out, pages - 1).Shows(kClosingAmounts[1]));
                    }
                }
        }
    }
}

TEST_F(ShippedFormsReportTest, EveryRowPrintsInsideThePrintAreaOnARuledLine) {
    // A long 業務 and eleven short ones, so that every page of the 総括表 is full at 30 rows a page
    // and the 業務価格総括表 runs over 14 lines: each 工種 row prints once, inside its page's print
    // area, on a line of the table with the table's number formats, however many rows a page takes.
    list.RemoveAll();
    ItemListBuilder b(list);
    std::vector<std::string> koshuNames, amounts, subtotals;
    // The 業務価格総括表 names its lines after the 業務 the 歩掛 master names, else after the subtotal.
    const std::vector<std::string> gyomuNames = {"小計業務価格"};
    for (int g = 1; g <= 12; ++g) {
        b.Gyomu(g, "業務" + std::to_string(g));
        for (int k = 1; k <= (g == 1 ? 35 : 2); ++k) {
            const std::string name = "工種" + std::to_string(g) + "-" + std::to_string(k);
            const int amount = 7000000 + 1000 * g + k;
            b.Koshu(k, name).Amount(amount).UnitPrice(amount * 10).Quantity(1000).Set([&](CSekisanItem& i) {
                i.m_strNameLower = "規格" + std::to_string(g) + "-" + std::to_string(k);
                i.m_strUnit = "式";
            });
            koshuNames.push_back(name);
            amounts.push_back(std::to_string(amount));
        }
        b.Koshu(95, "小計").Amount(8000000 + g);
        subtotals.push_back(std::to_string(8000000 + g));
    }
    b.Summary(95, "合計").Amount(9000000).Summary(98, "消費税相当額").Amount(900000).Summary(99, "業務委託料計").Amount(9900000);

    for (const std::string& form : kForms)
        for (int formGyou : {8, 10, 12, 14, 30})
            for (int perGyomu : {1, 0}) {
                SCOPED_TRACE(form + " FormGyou " + std::to_string(formGyou) + (perGyomu ? " per 業務" : " in one run"));
                auto out = Print(form, formGyou, perGyomu, perGyomu, true);
                ASSERT_NE(out, nullptr);
                std::map<std::string, int> printed;  // 工種 names on the 総括表, subtotals on the 業務価格総括表
                for (int p = 0; p < out->SheetCount(); ++p) {
                    const std::string sheet = out->SheetNames()[static_cast<size_t>(p)];
                    SCOPED_TRACE(sheet);
                    const bool gyomuSheet = sheet.rfind("業務価格総括表", 0) == 0;
                    PrintedPage page(*out, p);
                    for (auto& [cell, text] : Values(*out, p)) {
                        if (Trimmed(text).empty()) continue;  // the probes of the layout write blanks
                        EXPECT_TRUE(page.Inside(cell)) << xls::CellRef(cell.first, cell.second) << " " << text;
                    }
                    const std::vector<std::string>& names = gyomuSheet ? gyomuNames : koshuNames;
                    for (const std::string& name : names)
                        for (auto at : page.Find(name)) {
                            if (!gyomuSheet) ++printed[name];
                            EXPECT_TRUE(page.OnARuledLine(at, false)) << name;
                            EXPECT_TRUE(!gyomuSheet || page.CentredOnItsLine(at)) << name;
                        }
                    // Names without a lower line stand in the middle of their line, as the figures do.
                    if (!gyomuSheet) {
                        for (auto at : page.Find("小計")) {
                            EXPECT_TRUE(page.CentredOnItsLine(at));
                        }
                        for (const std::string& name : names)
                            for (auto at : page.Find("規格" + name.substr(std::string("工種").size()))) {
                                EXPECT_TRUE(page.OnARuledLine(at, false)) << name;
                            }
                    }
                    for (const std::string& amount : gyomuSheet ? subtotals : amounts)
                        for (auto at : page.Find(amount)) {
                            if (gyomuSheet) ++printed[amount];
                            EXPECT_TRUE(page.OnARuledLine(at, true)) << amount;
                        }
                }
                for (const std::string& name : koshuNames) EXPECT_EQ(printed[name], 1) << name;
                for (const std::string& amount : subtotals) EXPECT_EQ(printed[amount], 1) << amount;
            }
}

// Each sample estimate printed on every shipped form with the cover data the program ships, on the
// sheets that carry a 件名 or the cover data (表紙, 業務価格総括表, 総括表): the 業務価格総括表 and the
// first 総括表 page name the estimate's own 件名 (the former with its place), and no page shows another
// sample's.
TEST(ShippedFormsSampleTest, EachSamplePrintsItsOwn件名OnEveryForm) {
    ScriptedHost host;
    auto masters = LoadGeneratedSampleMasters(VEMO_SAMPLE_DATA_DIR);
    CHyoshiData cover;
    ASSERT_EQ(LoadMasterFromBytes(cover, ReadTestFile(vemo::JoinPath(
                                             vemo::JoinPath(VEMO_SAMPLE_DATA_DIR, kSampleDataFolder), kHyoshiFileName))),
              MasterLoadResult::loaded);
    std::vector<std::unique_ptr<CVemoWinDocData>> samples;
    for (const char* name : {"測量サンプル", "設計サンプル", "物件調査サンプル", "土質調査サンプル", "区画整理サンプル"}) {
        samples.push_back(std::make_unique<CVemoWinDocData>());
        ASSERT_EQ(samples.back()->LoadFile(vemo::JoinPath(vemo::JoinPath(VEMO_SAMPLE_DATA_DIR, kSampleEstimateFolder),
                                                          std::string(name) + ".sei")),
                  1);
        EXPECT_TRUE(PriceSampleEstimate(*samples.back(), *masters).empty());
    }
    for (const std::string& form : kForms) {
        const std::string path = kFolder + "/" + form + ".xlsx";
        std::optional<CPrintFormText> twin;
        CPrintFormText text;
        if (LoadPrintFormText(path, text) == 0) twin = text;
        for (const auto& sample : samples) {
            const CSekisanItemList& list = *sample->GetItemList();
            SCOPED_TRACE(form + " " + list.m_strKenmei);
            CReportJob job;
            CPrintSettings settings;
            settings.printHyoshi = settings.printGyomuSokatsu = settings.printSokatsu = 1;
            job.SetSettings(settings);
            CEstimateReport(job, list, *masters, cover, 10, path, twin).BuildReport();
            std::string bytes;
            ASSERT_TRUE(job.Engine().BuildXlsx(bytes));
            const xlstest::Output out(bytes);
            const std::vector<std::string> sheets = out.SheetNames();
            int headed = 0;  // pages whose 件名 cell was checked
            for (size_t p = 0; p < sheets.size(); ++p) {
                const std::string sheet = sheets[p].substr(0, sheets[p].find(" ("));
                SCOPED_TRACE(sheets[p]);
                for (const auto& other : samples) {
                    const std::string& subject = other->GetItemList()->m_strKenmei;
                    if (other == sample) continue;
                    for (const auto& [at, value] : Values(out, static_cast<int>(p))) {
                        EXPECT_EQ(value.find(subject), std::string::npos) << xls::CellRef(at.first, at.second) << " " << value;
                    }
                }
                if (sheet != "業務価格総括表" && sheet != "報告書1") continue;
                const auto [row, column] = TemplatePosition(form, sheet, "**件名");
                const std::string own = sheet == "報告書1" ? list.m_strKenmei
                                                            : list.m_strKenmei + reporttext::kPlaceOpen + list.m_strKashoName + reporttext::kPlaceClose;
                EXPECT_EQ(out.Value(static_cast<int>(p), xls::CellRef(row, column)), own);
                ++headed;
            }
            EXPECT_GE(headed, 2);
        }
    }
}
