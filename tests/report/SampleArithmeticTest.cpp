// The 一位代価表, 単価表 and 代価歩掛明細表 (report/DaikaSheets.cpp, TankaSheets.cpp, DaikaMeisai.cpp) and the 総括表, for
// every sample estimate on every shipped print form: the printed figures multiply out to the prices
// the calculation charged the estimate's rows.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "SampleReport.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "estimate/CalcCodes.h"
#include "estimate/EstimateTexts.h"
#include "estimate/SekisanItemList.h"
#include "estimate/VemoWinDocData.h"
#include "estimate/sampledata/SampleEstimates.h"
#include "report/ReportTexts.h"
#include "report/XlsInternal.h"

namespace {

const std::string kForms = VEMO_PRINT_FORMS_DIR;

using Cell = std::pair<int, int>;  // (row, column), 1-based

// The decimals a number format shows: the digits after its point (before any blank or section);
// -1 for General, which shows a number as it is.
int FormatDecimals(const std::string& code) {
    if (code.empty() || code.rfind("General", 0) == 0) return -1;
    const std::string section = code.substr(0, code.find(';'));
    const size_t point = section.find('.');
    if (point == std::string::npos) return 0;
    int decimals = 0;
    for (size_t i = point + 1; i < section.size() && section[i] == '0'; ++i) ++decimals;
    return decimals;
}

// The decimals each cell format of a workbook shows its numbers with.
std::vector<int> FormatDecimalsOfStyles(const xlstest::Output& book) {
    std::map<int, std::string> codes = {{0, "General"}, {1, "0"}, {2, "0.00"}, {3, "#,##0"}, {4, "#,##0.00"}};
    for (pugi::xml_node f : book.Styles().child("styleSheet").child("numFmts").children("numFmt"))
        codes[f.attribute("numFmtId").as_int()] = f.attribute("formatCode").value();
    std::vector<int> decimals;
    for (pugi::xml_node xf : book.CellFormats()) decimals.push_back(FormatDecimals(codes[xf.attribute("numFmtId").as_int()]));
    return decimals;
}

// A text that is a figure: digits, grouped or not, with decimals or not, blanks around them.
bool IsFigureText(const std::string& text) {
    static const std::regex figure(R"( *-?[0-9][0-9,]*(\.[0-9]+)? *)");
    return std::regex_match(text, figure);
}

// A number with floating-point noise: its 12 significant digits do not give it back (25.599999999999998).
bool IsNoisy(const std::string& value) {
    const double v = std::stod(value);
    char shown[32];
    std::snprintf(shown, sizeof shown, "%.12g", v);
    return std::stod(shown) != v;
}

// What one sheet of a printed workbook shows: each cell's text, a number as its format shows it.
struct SheetCells {
    std::map<Cell, std::string> text;
    std::vector<std::string> misstored;  // cells that hold a figure as text, or a number with noise

    SheetCells(const xlstest::Output& book, int sheet, const std::vector<int>& decimals) {
        for (pugi::xml_node row : book.Sheet(sheet).child("sheetData").children("row"))
            for (pugi::xml_node c : row.children("c")) {
                const std::string ref = c.attribute("r").value();
                if (!book.HasValue(sheet, ref)) continue;
                int r = 0, column = 0;
                if (!xls::ParseCellRef(ref, r, column)) continue;
                std::string value = book.Value(sheet, ref);
                const std::string t = c.attribute("t").value();
                const size_t style = static_cast<size_t>(c.attribute("s").as_int(0));
                if ((t.empty() || t == "n") ? IsNoisy(value) : IsFigureText(value)) misstored.push_back(ref + " " + value);
                if ((t.empty() || t == "n") && style < decimals.size() && decimals[style] >= 0) {
                    // Half away from zero, as a spreadsheet shows it.
                    const double scale = std::pow(10.0, decimals[style]);
                    char shown[64];
                    std::snprintf(shown, sizeof shown, "%.*f", decimals[style], std::round(std::stod(value) * scale) / scale);
                    value = shown;
                }
                text[{r, column}] = value;
            }
    }
    std::string Text(Cell at) const {
        const auto it = text.find(at);
        return it == text.end() ? std::string() : it->second;
    }
    // A number the cell shows, as a number or as a number text (commas aside).
    std::optional<double> Number(Cell at) const {
        std::string t = Text(at);
        std::erase(t, ',');
        const size_t first = t.find_first_not_of(' ');
        if (first == std::string::npos) return std::nullopt;
        char* end = nullptr;
        const double value = std::strtod(t.c_str() + first, &end);
        if (end == t.c_str() + first || t.find_first_not_of(' ', static_cast<size_t>(end - t.c_str())) != std::string::npos)
            return std::nullopt;
        return value;
    }
};

// Where each template sheet of a form holds its named cells ("**…").
class FormCells {
public:
    explicit FormCells(const std::string& path) {
        const xlstest::Output book(ReadTestFile(path));
        const std::vector<std::string> names = book.SheetNames();
        for (size_t s = 0; s < names.size(); ++s)
            for (auto& [at, value] : SheetCells(book, static_cast<int>(s), {}).text)
                if (value.rfind("**", 0) == 0) m_cells[names[s]].emplace(value, at);
    }
    std::optional<Cell> Find(const std::string& sheet, const std::string& name) const {
        const auto s = m_cells.find(sheet);
        if (s == m_cells.end()) return std::nullopt;
        const auto c = s->second.find(name);
        return c == s->second.end() ? std::nullopt : std::optional<Cell>(c->second);
    }

private:
    std::map<std::string, std::map<std::string, Cell>> m_cells;
};

// One printed page: its template sheet and cells, read through the template's named cells.
struct PrintedPage {
    std::string sheet;
    SheetCells cells;
    const FormCells& form;

    std::optional<Cell> At(const std::string& name, int dy = 0) const {
        const std::optional<Cell> at = form.Find(sheet, name);
        if (!at) return std::nullopt;
        return Cell{at->first + dy, at->second};
    }
    std::string Text(const std::string& name, int dy = 0) const {
        const std::optional<Cell> at = At(name, dy);
        return at ? cells.Text(*at) : std::string();
    }
    std::optional<double> Number(const std::string& name, int dy = 0) const {
        const std::optional<Cell> at = At(name, dy);
        return at ? cells.Number(*at) : std::nullopt;
    }
};

// A line of a table: its name and the figures it prints.
struct Line {
    std::string name;
    std::optional<double> quantity, price, amount;
    std::string remark;
};

// The lines of a table whose columns are named by the cells given, from the row of the first.
std::vector<Line> TableLines(const PrintedPage& page, const char* name, const char* quantity, const char* price,
                             const char* amount, int rows) {
    std::vector<Line> lines;
    for (int r = 0; r < rows; ++r) {
        Line line{page.Text(name, r), page.Number(quantity, r), page.Number(price, r), page.Number(amount, r),
                  page.Text("**摘要", r)};
        if (!line.name.empty() || line.amount) lines.push_back(line);
    }
    return lines;
}

// A name without its blanks (half- and full-width), as the sheets space their total rows.
std::string Squeezed(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
        } else if (text.compare(i, 3, "　") == 0) {
            i += 3;
        } else {
            out += text[i++];
        }
    }
    return out;
}

bool IsTotal(const std::string& name) {
    const std::string n = Squeezed(name);
    return n == "合計" || n == "人件費計" || n == "人件費" || n == "直接費計" || n == "材料及び機械経費合計";
}

// Amounts that stand after the 合計 on rows of their own when the settings split them off the row.
bool IsSplitOff(const std::string& name) {
    const std::string n = Squeezed(name);
    return n == "材料費" || n == "電子計算機使用料" || n == "精度管理費";
}

// The row's price as the 総括表 carries it: the unit price, or the amount of a lump row.
double RowPrice(const CSekisanItem& item) {
    if (calc::IsLumpUnit(item.m_strUnit) || IsUnset(item.m_nUnitPrice)) return IsUnset(item.m_nAmount) ? 0 : item.m_nAmount;
    return item.m_nUnitPrice / 10.0;
}

// The page's amount column.
std::string AmountCell(const PrintedPage& page) {
    for (const char* cell : {"**備考あり金額8", "**備考あり金額9"})
        if (page.At(cell)) return cell;
    return "**金額";
}

// Each priced line: 数量 × 単価 = 金額, cut to whole yen.
void ExpectLinesMultiplyOut(const std::vector<Line>& lines) {
    for (const Line& line : lines) {
        if (!line.quantity || !line.price || !line.amount) continue;
        const double product = *line.quantity * *line.price;
        EXPECT_TRUE(*line.amount <= product + 1e-6 && product - *line.amount < 1.0)
            << line.name << ": " << *line.quantity << " × " << *line.price << " = " << product << ", printed "
            << *line.amount;
    }
}

// The figure an amount is shown with beside a text: its four significant digits where the text says 有効数字４桁.
double Shown(const std::string& text, double a) {
    return text.find("有効数字４桁") == std::string::npos ? a : CSekisanData::TruncTo4Digits(static_cast<int>(a));
}

// Each total is the sum of the lines right above it (the lines a total closes stand for it further on).
void ExpectTotalsAddUp(const std::vector<Line>& lines) {
    std::vector<double> above;
    for (const Line& line : lines) {
        if (!line.amount) continue;
        if (!IsTotal(line.name)) {
            above.push_back(*line.amount);
            continue;
        }
        double sum = 0.0;
        size_t from = above.size();
        while (from > 0 && std::fabs(Shown(line.remark, sum) - *line.amount) >= 0.5) sum += above[--from];
        EXPECT_NEAR(Shown(line.remark, sum), *line.amount, 0.5) << line.name << " is not the sum of the lines above it";
        above.resize(from);
        above.push_back(*line.amount);
    }
}

// The 一位代価表 ends at the row's price: the last amount after its 合計, leaving aside the amounts the
// settings put on rows of their own.
void ExpectEndsAtThePrice(const std::vector<Line>& lines, const CSekisanItem& item) {
    std::optional<double> last;
    bool afterTotal = false;
    for (const Line& line : lines) {
        if (Squeezed(line.name) == "合計") {
            afterTotal = true;
            last = line.amount;
            continue;
        }
        if (afterTotal && line.amount && !IsSplitOff(line.name)) last = line.amount;
    }
    ASSERT_TRUE(last.has_value()) << "no amount after the 合計";
    EXPECT_DOUBLE_EQ(*last, RowPrice(item));
}

// The 明細表's corrected amount is the row's price, and what its explanation multiplies by ② (① or the
// amount per unit) gives it, within the digits ② is printed with and a yen for each cut. A 区分率 row
// prints each line's rate in its remark instead (① × ② is then the sum of the lines times their rates,
// of the basis its explanation converts from); a type-13 row converts by its own quantity instead.
void ExpectCorrectionMultipliesOut(const PrintedPage& page, const CSekisanItem& item) {
    const std::optional<double> corrected = page.Number("**補正後の金額");
    ASSERT_TRUE(corrected.has_value());
    EXPECT_DOUBLE_EQ(*corrected, RowPrice(item));
    const std::string explanation = page.Text("**補正説明");
    const bool byLines = page.Text("**補正率") == reporttext::kMeisaiNoSingleCorrection;
    if (explanation.find("換算") != std::string::npos && !byLines) return;
    const bool ofTotal = explanation.find("①") != std::string::npos;
    std::optional<double> x = page.Number(ofTotal ? "**人件費直接経費合計" : "**単位当り金額");
    ASSERT_TRUE(x.has_value()) << explanation;
    double factor = 1.0;
    double slack = 1.0;  // the corrected amount is cut to yen
    if (explanation.find("②") != std::string::npos) {
        const std::optional<double> f = page.Number("**補正率2");
        ASSERT_TRUE(f || byLines) << "no ②";
        if (!f) x = 0.0;
        for (int r = 0; !f && !page.Text("**区分", r).empty() && Squeezed(page.Text("**区分", r)) != "合計"; ++r, ++slack) {
            const std::string rate = page.Text("**直人労務費", r);
            ASSERT_FALSE(rate.empty()) << "no rate on " << page.Text("**区分", r);
            *x += page.Number(AmountCell(page), r).value_or(0.0) * std::stod(rate.substr(rate.rfind(' ') + 1));
        }
        factor = f.value_or(1.0);
        // The amount per unit was cut before it was corrected.
        if (!ofTotal) slack += factor;
    }
    // An expense the explanation adds after the correction: its line in the form's expense block, or
    // under the staffing table.
    double added = 0.0;
    if (explanation.find(estimate_texts::RowDensiKeisanki) != std::string::npos) {
        const bool block = page.At("**経費区分").has_value();
        int r = 0;
        while (r < 30 && page.Text(block ? "**経費区分" : "**区分", r) != estimate_texts::RowDensiKeisanki) ++r;
        added = page.Number(block ? "**経費金額" : AmountCell(page), r).value_or(0.0);
        EXPECT_GT(added, 0.0) << "no 電子計算機使用料 line";
    }
    const double basis = byLines && explanation.find("換算") != std::string::npos ? std::atof(explanation.c_str()) : 1.0;
    const double exact = (*x * factor + added) / basis;
    EXPECT_TRUE(Shown(explanation, exact - slack) <= *corrected && *corrected <= Shown(explanation, exact + slack))
        << explanation << *corrected << ": " << *x << " × " << factor << " + " << added << " ± " << slack;
}

// The staffing table's 合計 row is the sum of the lines above it (those from the top to the first row
// without a name), in each trade column and in the amount (which the bottom layout puts under it).
void ExpectStaffingTotalAddsUp(const PrintedPage& page) {
    const std::string amountCell = AmountCell(page);
    std::vector<std::string> cells;
    for (int j = 1; j <= 10; ++j) cells.push_back("**数量" + std::to_string(j));
    cells.push_back(amountCell);
    std::vector<double> sums(cells.size(), 0.0);
    int r = 0;
    for (; !page.Text("**区分", r).empty() && Squeezed(page.Text("**区分", r)) != "合計"; ++r)
        for (size_t j = 0; j < cells.size(); ++j) sums[j] += page.Number(cells[j], r).value_or(0.0);
    while (r < 20 && Squeezed(page.Text("**区分", r)) != "合計") ++r;
    if (r == 20) return;
    for (size_t j = 0; j < cells.size(); ++j) {
        const std::optional<double> v = page.Number(cells[j], r);
        const double printed = v ? *v : page.Number(cells[j], r + 1).value_or(0.0);
        EXPECT_NEAR(printed, sums[j], 0.005) << "合計 " << cells[j] << " is not the sum of the lines above it";
    }
}

// "○○当り" is the amount per unit times the row's quantity.
void ExpectPerQuantityMultipliesOut(const PrintedPage& page, const CSekisanItem& item) {
    const std::optional<double> perUnit = page.Number("**単位当り金額");
    if (!perUnit || IsUnset(item.m_nQuantity) || item.m_nQuantity < 1) return;
    const std::optional<double> perQuantity = page.Number("**数量当り金額");
    ASSERT_TRUE(perQuantity.has_value());
    EXPECT_NEAR(*perQuantity, *perUnit * item.m_nQuantity / 1000.0, 1.0) << page.Text("**数量当り");
}

// A 工程 line's 単価表: its sheet, or on a form without one titled so above the table.
bool IsTankaPage(const PrintedPage& page) {
    for (const auto& [at, text] : page.cells.text)
        if (at.first < page.At("**名称").value_or(Cell{}).first && Squeezed(text).ends_with("単価表")) return true;
    return page.sheet == "単価表";
}

// The number of a page's title ("第 3 号…"); 0 when it has none.
int TitleNumber(const std::string& title) {
    const size_t digit = title.find_first_of("0123456789");
    return digit == std::string::npos ? 0 : std::atoi(title.c_str() + digit);
}

// The row a breakdown page belongs to: its 代価 number and name.
const CSekisanItem* RowOfPage(const CSekisanItemList& list, int number, const std::string& name) {
    const CSekisanItem* found = nullptr;
    for (int i = 0; i < list.GetCount(); ++i) {
        const CSekisanItem* item = list.GetItem(i);
        if (!item || item->m_nDaikaNo != number || item->m_strNameUpper != name) continue;
        EXPECT_EQ(found, nullptr) << "two rows carry 第 " << number << " 号 " << name;
        found = item;
    }
    return found;
}

using Case = std::tuple<std::string, std::string, int>;  // sample estimate, print form, DouroCalc

class SampleArithmeticTest : public ::testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite() { masters = LoadGeneratedSampleMasters(VEMO_SAMPLE_DATA_DIR).release(); }
    static void TearDownTestSuite() {
        delete masters;
        masters = nullptr;
    }

    static SampleEstimateMasters* masters;
    ScriptedHost host;
};

SampleEstimateMasters* SampleArithmeticTest::masters = nullptr;

TEST_P(SampleArithmeticTest, TheSheetsMultiplyOutToThePricesCharged) {
    const auto [sample, formName, douro] = GetParam();
    masters->settings.DouroCalc = douro;
    const std::string path = kForms + "/" + formName + ".xlsx";
    CVemoWinDocData doc;
    const std::string bytes = PrintSampleBreakdown(*masters, sample, path, doc);
    ASSERT_FALSE(bytes.empty());
    const CSekisanItemList& list = *doc.GetItemList();
    const xlstest::Output out(bytes);
    const FormCells form(path);
    const std::vector<int> decimals = FormatDecimalsOfStyles(out);

    int daika = 0, sokatsu = 0;
    const std::vector<std::string> names = out.SheetNames();
    for (size_t p = 0; p < names.size(); ++p) {
        const size_t copy = names[p].find(" (");
        const PrintedPage page{copy == std::string::npos ? names[p] : names[p].substr(0, copy),
                               SheetCells(out, static_cast<int>(p), decimals), form};
        SCOPED_TRACE(names[p] + " " + page.Text("**種別名"));
        EXPECT_TRUE(page.cells.misstored.empty()) << "figures stored as text or with noise: " << page.cells.misstored.front();
        if (page.sheet == "代価表" || page.sheet == "単価表") {
            const std::vector<Line> lines = TableLines(page, "**名称", "**数量", "**単価", "**金額", 60);
            ExpectLinesMultiplyOut(lines);
            ExpectTotalsAddUp(lines);
            if (page.Text("**～当たり").empty() || IsTankaPage(page)) continue;  // a page of a 工種 row or a 工程 line
            const int number = TitleNumber(page.Text("**第～号一位代価表") + page.Text("**代価表代価番号のみ"));
            const CSekisanItem* item = RowOfPage(list, number, page.Text("**種別名"));
            ASSERT_NE(item, nullptr);
            ExpectEndsAtThePrice(lines, *item);
            ++daika;
        } else if (page.sheet == "代価歩掛明細表") {
            const CSekisanItem* item =
                RowOfPage(list, TitleNumber(page.Text("**第～号一位代価歩掛明細表")), page.Text("**種別名"));
            ASSERT_NE(item, nullptr);
            ExpectStaffingTotalAddsUp(page);
            ExpectCorrectionMultipliesOut(page, *item);
            ExpectPerQuantityMultipliesOut(page, *item);
        } else if (page.At("**数量") && page.At("**単価") && page.At("**金額")) {
            ExpectLinesMultiplyOut(TableLines(page, "**費目上段", "**数量", "**単価", "**金額", 60));
            ++sokatsu;
        }
    }
    // Every 種別 row with a 代価 number has its 一位代価表, and the 総括表 was printed.
    int rows = 0;
    for (int i = 0; i < list.GetCount(); ++i)
        if (const CSekisanItem* item = list.GetItem(i); item && item->GetLevel() == 2 && !IsUnset(item->m_nDaikaNo)) ++rows;
    EXPECT_EQ(daika, rows);
    EXPECT_GT(sokatsu, 0);
}

const std::string kSamples[] = {"測量サンプル.sei", "設計サンプル.sei", "物件調査サンプル.sei", "土質調査サンプル.sei",
                                "区画整理サンプル.sei"};
const std::string kFormNames[] = {"ｶﾗｰA4形式", "ﾓﾉｸﾛA4通常形式", "ﾓﾉｸﾛA4承認形式", "ﾓﾉｸﾛA4内訳詳細形式",
                                  "全地連ﾓﾉｸﾛA4通常形式"};

INSTANTIATE_TEST_SUITE_P(EverySampleOnEveryForm, SampleArithmeticTest,
                         ::testing::Combine(::testing::ValuesIn(kSamples), ::testing::ValuesIn(kFormNames),
                                            ::testing::Values(0, 1)),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return "sample" + std::to_string(info.index / 2 / std::size(kFormNames)) + "_form" +
                                    std::to_string(info.index / 2 % std::size(kFormNames)) + "_douro" +
                                    std::to_string(info.index % 2);
                         });

}  // namespace
