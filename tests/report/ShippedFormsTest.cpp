// The print forms the program ships, as the build generated them: their sheets and named cells, the
// branches of the layout probes the sheet builders make, the geometry the builders assume, the text
// twins, and the same bytes from a second run of the generator.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "platform/Cp932.h"
#include "report/PrintFormText.h"
#include "report/ReportTexts.h"
#include "report/XlsReportEngine.h"
#include "report/forms/PrintForms.h"

namespace {

const std::string kFolder = VEMO_PRINT_FORMS_DIR;

// The five estimate forms (the program's default list) and the one of the master lists.
const std::vector<std::string> kEstimateForms = {"ｶﾗｰA4形式", "ﾓﾉｸﾛA4通常形式", "ﾓﾉｸﾛA4承認形式", "ﾓﾉｸﾛA4内訳詳細形式",
                                                 "全地連ﾓﾉｸﾛA4通常形式"};
const std::string kMasterForm = "マスター用";
const std::set<std::string> kFormsWithTwin = {"ﾓﾉｸﾛA4承認形式", "ﾓﾉｸﾛA4内訳詳細形式", "全地連ﾓﾉｸﾛA4通常形式"};

struct Place {
    int row = 0, column = 0;
};
// The texts of a workbook's cells: sheet → text → where it stands.
using SheetCells = std::map<std::string, Place>;
using BookCells = std::map<std::string, SheetCells>;

std::map<std::string, BookCells>& Books() {
    static std::map<std::string, BookCells> books = [] {
        std::map<std::string, BookCells> all;
        std::vector<std::string> names = kEstimateForms;
        names.push_back(kMasterForm);
        for (const std::string& name : names) {
            xlstest::Output out(ReadTestFile(kFolder + "/" + name + ".xlsx"));
            BookCells& book = all[name];
            for (int s = 0; s < out.SheetCount(); ++s) {
                SheetCells& cells = book[out.SheetNames()[static_cast<size_t>(s)]];
                for (pugi::xml_node row : out.Sheet(s).child("sheetData").children("row"))
                    for (pugi::xml_node c : row.children("c")) {
                        std::string text = out.Value(s, c.attribute("r").value());
                        if (text.empty() || !c.attribute("t")) continue;
                        std::string ref = c.attribute("r").value();
                        size_t digits = ref.find_first_of("0123456789");
                        int column = 0;
                        for (size_t i = 0; i < digits; ++i) column = column * 26 + (ref[i] - 'A' + 1);
                        cells.emplace(text, Place{std::stoi(ref.substr(digits)), column});
                    }
            }
        }
        return all;
    }();
    return books;
}

bool Has(const std::string& form, const std::string& sheet, const std::string& cell) {
    const BookCells& book = Books().at(form);
    auto s = book.find(sheet);
    return s != book.end() && s->second.count(cell) > 0;
}

std::vector<std::string> Numbered(const std::string& stem, int first, int last) {
    std::vector<std::string> names;
    for (int i = first; i <= last; ++i) names.push_back(stem + std::to_string(i));
    return names;
}

std::vector<std::string> Join(std::vector<std::vector<std::string>> lists) {
    std::vector<std::string> all;
    for (auto& l : lists) all.insert(all.end(), l.begin(), l.end());
    return all;
}

// The named cells every estimate form holds, sheet by sheet: those the sheet builders write without
// probing first.
const std::map<std::string, std::vector<std::string>>& EveryForm() {
    static const std::map<std::string, std::vector<std::string>> cells = {
        {"表紙", Join({{"**印刷表題", "**No", "**日付", "**宛名1", "**宛名2", "**件名", "**箇所名", "**見積金額", "**郵便番号",
                       "**住所1", "**住所2", "**社名1", "**社名2", "**代表者名", "**TEL", "**FAX"},
                      Numbered("**予備", 1, 10)})},
        {"業務価格総括表", {"**日付", "**ページ", "**件名", "**費目上段", "**単位", "**数量", "**金額", "**番号",
                            "**業務価格総括表摘要", "**業務価格内訳表摘要"}},
        {"報告書1", {"**印刷表題", "**件名", "**箇所名", "**総括表番号", "**内訳書番号", "**総括表費目表題", "**日付", "**ページ",
                     "**費目上段", "**費目下段", "**単位", "**数量", "**単価", "**金額", "**摘要上段", "**摘要下段"}},
        {"報告書2", {"**総括表番号", "**内訳書番号", "**総括表費目表題", "**日付", "**ページ", "**費目上段", "**費目下段", "**単位",
                     "**数量", "**単価", "**金額", "**摘要上段", "**摘要下段"}},
        {"代価表", {"**日付", "**ページ", "**種別名", "**～当たり", "**名称", "**単位", "**数量", "**単価", "**金額", "**摘要"}},
        {"代価歩掛明細表",
         Join({{"**日付", "**ページ", "**第～号一位代価歩掛明細表", "**第～号一位代価表", "**種別名", "**～当たり", "**単位当り",
                "**補正率", "**補正率2", "**補正項目", "**補正式", "**各補正名称", "**各補正説明", "**各補正率", "**数量当り",
                "**補正後の金額", "**人件費直接経費合計", "**単位当り金額", "**数量当り金額", "**補正説明", "**区分", "**直人労務費",
                "**直接人件費人員計", "**労務費人員計", "**直接人件費計", "**労務費計"},
               Numbered("**職種", 1, 8), Numbered("**単価", 1, 8), Numbered("**費用別", 1, 8), Numbered("**費用個別", 1, 8),
               Numbered("**数量", 1, 8)})},
        {"業務地区条件設定表", {"**地区面積", "**総棟数積", "**総画地数", "**α1", "**α2", "**α3", "**α4", "**α5", "**β1", "**β2",
                               "**K1", "**H1", "**総棟数積2", "**総画地数2", "**K1-2", "**H1-2", "**β1-2", "**β2-2"}},
        // The change-rate sheets of 歩掛 types 10, 11 and 12 (the 歩掛 details name them).
        {"変化率計算書α", {"**種別名称", "**作業入力", "**点数", "**係数αＮ", "**S7", "**変化率", "**施工入力", "**S8前", "**増減率",
                            "**地域区分01", "**地域区分02", "**地域重量", "**補正係数", "**標準歩掛り", "**作業歩掛り", "**S8後"}},
        {"変化率計算書αβ", {"**種別名称", "**作業入力", "**点数", "**係数αＮ", "**S7", "**変化率", "**点数β", "**係数βＮ", "**S8",
                              "**変化率β", "**施工入力", "**S8前", "**増減率", "**地域区分01", "**地域区分02", "**地域重量",
                              "**補正係数", "**標準歩掛り", "**作業歩掛り", "**S8後"}},
        {"変化率計算書施工", {"**種別名称", "**施工入力", "**S8前", "**増減率", "**地域区分01", "**地域区分02", "**地域重量",
                              "**補正係数", "**標準歩掛り", "**作業歩掛り", "**S8後"}},
    };
    return cells;
}

// Named cells the builders write when a form has them, at least one form holding each.
const std::map<std::string, std::vector<std::string>>& SomeForms() {
    static const std::map<std::string, std::vector<std::string>> cells = {
        {"報告書1", Join({{"**宛名1", "**宛名2", "**業務合計", "**業務合計名称", "**業務価格名称", "**工種合計のみ", "**大名称変更", "**費目下段数量のみ",
                          "**費目下段単位のみ", "**標準作業量"},
                         Numbered("**予備", 1, 10)})},
        {"報告書2", {"**業務価格名称", "**工種合計のみ", "**大名称変更", "**費目下段数量のみ", "**費目下段単位のみ", "**標準作業量"}},
        {"代価表", {"**第～号一位代価表", "**一位代価表名称", "**代価表代価番号のみ"}},
        {"代価歩掛明細表", Join({{"**代価表代価番号のみ", "**dudaroda用人員計", "**dudaroda用金額", "**経費区分", "**経費金額",
                                 "**経費金額説明"},
                                Numbered("**経費数量", 1, 3), Numbered("**経費数量説明", 1, 3), Numbered("**合計最下段表示", 1, 8)})},
    };
    return cells;
}

// The cells the builders probe to learn a form's layout: each group has forms with one of its cells
// and forms with none.
struct Probe {
    const char* sheet;
    std::vector<std::string> cells;
};
const std::vector<Probe>& Probes() {
    static const std::vector<Probe> probes = {
        {"業務価格総括表", Numbered("**業務価格総括表行数", 6, 16)},
        {"業務価格総括表", {"**合計のみ"}},
        {"業務価格総括表", {"**値引きのみ"}},
        {"業務価格総括表", {"**改メ計のみ"}},
        {"業務価格総括表", {"**消費税相当額のみ"}},
        {"業務価格総括表", {"**業務委託料計のみ"}},
        {"業務価格総括表", {"**dudaroda用費目"}},
        {"業務価格総括表", {"**業務価格総括表費目"}},
        {"報告書1", Numbered("**総括表行数", 8, 50)},
        {"報告書2", Numbered("**総括表行数", 8, 50)},
        {"報告書1", Numbered("**半角スペース", 1, 16)},
        {"報告書1", {"**費目区分あり"}},
        {"報告書1", {"**dudaroda用総括表費目"}},
        {"報告書1", {"**総括表費目"}},
        {"代価歩掛明細表", {"**備考あり金額8"}},
        {"代価歩掛明細表", {"**備考あり金額9"}},
        {"代価歩掛明細表", Numbered("**費目数", 1, 16)},
        {"代価歩掛明細表", {"**費用別連結なし"}},
        {"代価歩掛明細表", Numbered("**連結開始列", 1, 16)},
        {"代価歩掛明細表", Numbered("**区分表示行計", 10, 25)},
        {"代価歩掛明細表", {"**合計最下段表示1"}},
        {"代価歩掛明細表", Numbered("**補正前人員計表示行", 5, 20)},
        {"代価歩掛明細表", {"**人件費合計名称変更"}},
        {"代価歩掛明細表", {"**dudaroda用人員計"}},
        {"代価歩掛明細表", Numbered("**経費区分ｽﾍﾟｰｽ", 1, 10)},
        {"代価歩掛明細表", {"**土質経費"}},
        {"代価歩掛明細表", {"**経費区分"}},
    };
    return probes;
}

bool HasAny(const std::string& form, const std::string& sheet, const std::vector<std::string>& cells) {
    return std::any_of(cells.begin(), cells.end(), [&](const std::string& c) { return Has(form, sheet, c); });
}

// The first row count a probe over h = first..last finds, 0 when none.
int ProbedRows(const std::string& form, const std::string& sheet, const std::string& stem, int first, int last) {
    for (int h = first; h <= last; ++h)
        if (Has(form, sheet, stem + std::to_string(h))) return h;
    return 0;
}

// The trade columns of a form's 代価歩掛明細表, as the builders find them.
int TradeCapacity(const std::string& form) {
    if (Has(form, "代価歩掛明細表", "**備考あり金額8")) return 8;
    if (Has(form, "代価歩掛明細表", "**備考あり金額9")) return 9;
    return 10;
}

// The alignment of a cell's format (column and row counted from 1); an empty node when the cell has
// no format of the workbook.
pugi::xml_node AlignmentAt(const xlstest::Output& out, int sheet, int column, int row) {
    const std::string ref = std::string(1, static_cast<char>('A' + column - 1)) + std::to_string(row);
    const std::vector<pugi::xml_node> formats = out.CellFormats();
    const int style = out.Style(sheet, ref);
    if (style < 0 || static_cast<size_t>(style) >= formats.size()) return {};
    return formats[static_cast<size_t>(style)].child("alignment");
}
pugi::xml_node AlignmentAt(const xlstest::Output& out, int sheet, const Place& at) {
    return AlignmentAt(out, sheet, at.column, at.row);
}

// The index of the workbook's sheet of that name.
int SheetIndex(const xlstest::Output& out, const std::string& name) {
    const std::vector<std::string> names = out.SheetNames();
    return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
}

}  // namespace

TEST(ShippedForms, EveryFormHasItsSheets) {
    const std::vector<std::string> estimateSheets = {"表紙", "業務価格総括表", "報告書1", "報告書2", "代価表", "代価歩掛明細表",
                                                     "業務地区条件設定表", "変化率計算書α", "変化率計算書αβ", "変化率計算書施工"};
    int withTanka = 0;
    for (const std::string& form : kEstimateForms) {
        SCOPED_TRACE(form);
        std::set<std::string> sheets;
        for (auto& [name, cells] : Books().at(form)) sheets.insert(name);
        for (const std::string& s : estimateSheets) EXPECT_TRUE(sheets.count(s)) << s;
        withTanka += sheets.count("単価表") ? 1 : 0;
        EXPECT_EQ(sheets.size(), estimateSheets.size() + (sheets.count("単価表") ? 1 : 0));
    }
    // Some forms have a 単価表 sheet; the others print the 単価表 pages on the 代価表 sheet.
    EXPECT_GT(withTanka, 0);
    EXPECT_LT(withTanka, static_cast<int>(kEstimateForms.size()));

    std::set<std::string> master;
    for (auto& [name, cells] : Books().at(kMasterForm)) master.insert(name);
    EXPECT_EQ(master, (std::set<std::string>{"歩掛工種一覧", "歩掛種別一覧", "変化率・補正率一覧", "単価一覧"}));
}

TEST(ShippedForms, EveryFormHoldsTheCellsItsBuildersWrite) {
    for (const std::string& form : kEstimateForms)
        for (auto& [sheet, cells] : EveryForm())
            for (const std::string& cell : cells) EXPECT_TRUE(Has(form, sheet, cell)) << form << " " << sheet << " " << cell;
    // The 単価表 sheets hold what the 代価表 sheet holds for the 単価表 pages.
    for (const std::string& form : kEstimateForms) {
        if (!Books().at(form).count("単価表")) continue;
        for (const std::string& cell : EveryForm().at("代価表")) EXPECT_TRUE(Has(form, "単価表", cell)) << form << " " << cell;
    }
    // The trades of the breakdown detail, as many as its capacity.
    for (const std::string& form : kEstimateForms) {
        const int n = TradeCapacity(form);
        if (n == 10) {
            EXPECT_TRUE(Has(form, "代価歩掛明細表", "**金額")) << form;
        }
        for (const auto& cell : Join({Numbered("**職種", 1, n), Numbered("**単価", 1, n), Numbered("**費用別", 1, n),
                                      Numbered("**費用個別", 1, n), Numbered("**数量", 1, n)}))
            EXPECT_TRUE(Has(form, "代価歩掛明細表", cell)) << form << " " << cell;
        EXPECT_FALSE(Has(form, "代価歩掛明細表", "**職種" + std::to_string(n + 1))) << form;
    }
    for (auto& [sheet, cells] : SomeForms())
        for (const std::string& cell : cells) {
            bool somewhere = false;
            for (const std::string& form : kEstimateForms) somewhere = somewhere || Has(form, sheet, cell);
            EXPECT_TRUE(somewhere) << sheet << " " << cell;
        }
    // Every form lists the expenses of 測量, 設計 and 物件 rows on their breakdown detail.
    for (const std::string& form : kEstimateForms)
        for (const char* marker : {"**測量経費", "**物件経費"})
            EXPECT_TRUE(Has(form, "代価歩掛明細表", marker)) << form << " " << marker;
    // The 業務 total of the first page is labelled by the program, so that the label stands only where
    // the total does.
    for (const std::string& form : kEstimateForms) {
        EXPECT_EQ(Has(form, "報告書1", "**業務合計名称"), Has(form, "報告書1", "**業務合計")) << form;
        EXPECT_FALSE(Has(form, "報告書1", "業務価格合計")) << form;
    }
    // A form with a text twin repeats the cover data on its 業務価格総括表; the others have no place for it.
    for (const std::string& form : kEstimateForms)
        for (const std::string& cell : Join({{"**箇所名", "**No", "**宛名1", "**見積金額"}, Numbered("**予備", 1, 10)}))
            EXPECT_EQ(Has(form, "業務価格総括表", cell), kFormsWithTwin.count(form) > 0) << form << " " << cell;
}

TEST(ShippedForms, EveryProbedBranchShipsInSomeForm) {
    for (const Probe& p : Probes()) {
        int with = 0;
        for (const std::string& form : kEstimateForms) with += HasAny(form, p.sheet, p.cells) ? 1 : 0;
        EXPECT_GT(with, 0) << p.sheet << " " << p.cells.front();
        EXPECT_LT(with, static_cast<int>(kEstimateForms.size())) << p.sheet << " " << p.cells.front();
    }
    // The trade capacities 8, 9 and 10, and a form where 報告書2 has more rows than 報告書1.
    std::set<int> capacities;
    bool moreRowsLater = false;
    for (const std::string& form : kEstimateForms) {
        capacities.insert(TradeCapacity(form));
        int first = ProbedRows(form, "報告書1", "**総括表行数", 8, 50), later = ProbedRows(form, "報告書2", "**総括表行数", 8, 50);
        moreRowsLater = moreRowsLater || (first && later > first);
    }
    EXPECT_EQ(capacities, (std::set<int>{8, 9, 10}));
    EXPECT_TRUE(moreRowsLater);
    // Totals at the foot of the table, with and without the row of the 人員計 named.
    std::set<bool> named;
    for (const std::string& form : kEstimateForms) {
        if (Has(form, "代価歩掛明細表", "**合計最下段表示1"))
            named.insert(HasAny(form, "代価歩掛明細表", Numbered("**人員計表示行", 10, 25)));
    }
    EXPECT_EQ(named, (std::set<bool>{false, true}));
    // The expenses under the table take the amount column of eight trades.
    for (const std::string& form : kEstimateForms) {
        const bool underTheTable = HasAny(form, "代価歩掛明細表", {"**測量経費", "**物件経費", "**土質経費"}) &&
                                   !Has(form, "代価歩掛明細表", "**経費区分");
        EXPECT_TRUE(!underTheTable || TradeCapacity(form) == 8) << form;
    }
}

TEST(ShippedForms, AFullStaffingTableKeepsItsTotalsInsideTheTable) {
    // The table has 20 rows (offsets 0 to 19 below "**区分"). Without the totals at its foot they go on
    // the row after the lines, after the merged last row when the table is full: the row capacity
    // leaves that row inside the table.
    for (const std::string& form : kEstimateForms) {
        if (Has(form, "代価歩掛明細表", "**合計最下段表示1")) continue;
        const int rows = ProbedRows(form, "代価歩掛明細表", "**区分表示行計", 10, 25);
        EXPECT_TRUE(rows >= 10 && rows <= 19) << form << " " << rows;
    }
}

TEST(ShippedForms, TheTitleBranchesOfTheTankaPages) {
    // 0: own 単価表 sheet with the numbered title; 1: own sheet with the title the program writes;
    // 2: on the 代価表 sheet with the numbered title; 3: on the 代価表 sheet with a printed title in B3.
    std::set<int> branches;
    for (const std::string& form : kEstimateForms) {
        SCOPED_TRACE(form);
        const bool own = Books().at(form).count("単価表") > 0;
        const std::string sheet = own ? "単価表" : "代価表";
        int branch;
        if (Has(form, sheet, "**第～号一位代価表")) {
            branch = own ? 0 : 2;
        } else if (Has(form, sheet, "**一位代価表名称")) {
            branch = own ? 1 : -1;
        } else {
            branch = own ? -1 : 3;
            // The title the program replaces stands in B3.
            const SheetCells& cells = Books().at(form).at("代価表");
            auto title = std::find_if(cells.begin(), cells.end(), [](auto& c) { return c.second.row == 3 && c.second.column == 2; });
            ASSERT_NE(title, cells.end());
            EXPECT_EQ(title->first, "一　位　代　価　表");
        }
        EXPECT_NE(branch, -1);
        branches.insert(branch);
        // Every 代価表 shows which 代価 it is.
        EXPECT_TRUE(HasAny(form, "代価表", {"**第～号一位代価表", "**代価表代価番号のみ"}));
    }
    EXPECT_EQ(branches, (std::set<int>{0, 1, 2, 3}));
}

TEST(ShippedForms, TheGeometryTheBuildersAssume) {
    for (const std::string& form : kEstimateForms) {
        SCOPED_TRACE(form);
        const BookCells& book = Books().at(form);
        // Two sheet rows per printed line: the lower name and remark under the upper ones.
        for (const char* sheet : {"報告書1", "報告書2"}) {
            const SheetCells& s = book.at(sheet);
            EXPECT_EQ(s.at("**費目下段").row, s.at("**費目上段").row + 1);
            EXPECT_EQ(s.at("**費目下段").column, s.at("**費目上段").column);
            EXPECT_EQ(s.at("**摘要下段").row, s.at("**摘要上段").row + 1);
            // The quantity, unit and standard work of the lower name are written two rows below
            // where the program stands: their cells lie two rows above the first line.
            for (const char* later : {"**費目下段数量のみ", "**費目下段単位のみ", "**標準作業量"}) {
                EXPECT_TRUE(!s.count(later) || s.at(later).row + 2 == s.at("**費目上段").row) << later;
            }
        }
        // The breakdown detail: cost groups on row 7, the first line and trade column 1 on row 10
        // in column B, since rows start + 10 and + 11 from column 2 on are joined for 業務 7.
        const SheetCells& d = book.at("代価歩掛明細表");
        EXPECT_EQ(d.at("**費用別1").row, 7);
        EXPECT_EQ(d.at("**区分").row, 10);
        EXPECT_EQ(d.at("**数量1").row, 10);
        EXPECT_EQ(d.at("**数量1").column, 2);
        const int n = TradeCapacity(form);
        EXPECT_EQ(d.at("**数量" + std::to_string(n)).column, 1 + n);
        for (int i = 1; i <= n; ++i) {
            EXPECT_EQ(d.at("**職種" + std::to_string(i)).row, 9);
            EXPECT_EQ(d.at("**数量" + std::to_string(i)).column, 1 + i);
        }
        if (d.count("**合計最下段表示1")) {
            EXPECT_EQ(d.at("**合計最下段表示1").row, 10 + 19);
        }
        // 業務価格総括表: the number, name and amount of a line on one row.
        const SheetCells& g = book.at("業務価格総括表");
        EXPECT_EQ(g.at("**番号").row, g.at("**費目上段").row);
        EXPECT_EQ(g.at("**金額").row, g.at("**費目上段").row);
    }
}

TEST(ShippedForms, MasterListsHoldTwoBlocksOfTwenty) {
    for (const char* sheet : {"歩掛工種一覧", "歩掛種別一覧", "変化率・補正率一覧"}) {
        SCOPED_TRACE(sheet);
        const SheetCells& s = Books().at(kMasterForm).at(sheet);
        for (const char* cell : {"**タイトル", "**No", "**データ"}) EXPECT_TRUE(s.count(cell)) << cell;
        EXPECT_EQ(s.at("**No").row, s.at("**データ").row);
    }
    const SheetCells& shubetsu = Books().at(kMasterForm).at("歩掛種別一覧");
    EXPECT_TRUE(shubetsu.count("**工種名"));
    EXPECT_EQ(shubetsu.at("**精度管理係数").row, shubetsu.at("**データ").row);
    const SheetCells& tanka = Books().at(kMasterForm).at("単価一覧");
    for (const auto& cell : Join({Numbered("**年度", 1, 20), Numbered("**単価", 1, 20), {"**職種名称", "**単位", "**備考"}}))
        EXPECT_TRUE(tanka.count(cell)) << cell;

    // The 40 rows of a page lie in the printed area: 20 rows, the second block 5 columns right; the
    // 単価一覧 takes 35 rows.
    XlsWorkbook model;
    ASSERT_EQ(ReadXlsWorkbook(ReadTestFile(kFolder + "/" + kMasterForm + ".xlsx"), model), XlsOpenError::none);
    for (const XlsSheet& sheet : model.sheets) {
        SCOPED_TRACE(sheet.name);
        const SheetCells& cells = Books().at(kMasterForm).at(sheet.name);
        ASSERT_EQ(sheet.printArea.size(), 1u);
        const XlsRange& area = sheet.printArea[0];
        if (sheet.name == "単価一覧") {
            const Place name = cells.at("**職種名称");
            EXPECT_TRUE(area.Contains(name.row + 34, name.column));
            for (int i = 1; i <= 20; ++i) EXPECT_EQ(cells.at("**単価" + std::to_string(i)).row, name.row);
            continue;
        }
        const Place no = cells.at("**No"), data = cells.at("**データ");
        EXPECT_TRUE(area.Contains(no.row + 19, no.column + 5));
        EXPECT_TRUE(area.Contains(data.row + 19, data.column + 5));
        EXPECT_FALSE(area.Contains(no.row + 20, no.column));
        // The second block is ruled like the first.
        EXPECT_NE(sheet.FindCell(data.row + 19, data.column + 5), nullptr);
    }
}

TEST(ShippedForms, TheEngineFindsEveryNamedCell) {
    std::vector<std::string> forms = kEstimateForms;
    forms.push_back(kMasterForm);
    for (const std::string& form : forms) {
        CXlsReportEngine engine;
        ASSERT_EQ(engine.OpenTemplate(kFolder + "/" + form + ".xlsx"), XlsOpenError::none) << form << engine.FailureDetail();
        for (auto& [sheet, cells] : Books().at(form)) {
            engine.PageBegin(sheet, "1");
            ASSERT_EQ(engine.GetErrorNo(), 0) << form << " " << sheet;
            for (auto& [text, place] : cells) {
                if (text.compare(0, 2, "**") != 0) continue;
                engine.Cell(text);
                EXPECT_EQ(engine.GetErrorNo(), 0) << form << " " << sheet << " " << text;
            }
            engine.PageEnd();
        }
        std::string bytes;
        EXPECT_TRUE(engine.BuildXlsx(bytes)) << form;
    }
}

TEST(ShippedForms, TwinsOfTwentyFiveLines) {
    for (const std::string& form : kEstimateForms) {
        SCOPED_TRACE(form);
        const std::string twin = kFolder + "/" + form + ".txt";
        ASSERT_EQ(std::filesystem::exists(twin), kFormsWithTwin.count(form) > 0);
        if (!kFormsWithTwin.count(form)) continue;
        const std::string bytes = ReadTestFile(twin);
        // CP932 text, every line ended by CR LF, and nothing else: each line a text of its own.
        EXPECT_EQ(vemo::Utf8ToCp932(vemo::Cp932ToUtf8(bytes)), bytes);
        size_t lines = 0;
        for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++lines;
        EXPECT_EQ(lines, 25u);
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 25);
        EXPECT_LE(bytes.size(), kPrintFormTextMaxBytes);

        CPrintFormText text;
        ASSERT_EQ(LoadPrintFormText(kFolder + "/" + form + ".xlsx", text), 0);
        // The 代価明細 switch of 物件 rows in the 内訳詳細 form only.
        EXPECT_EQ(text.IsBukkenUchiwakePrinted(), form == "ﾓﾉｸﾛA4内訳詳細形式");
        EXPECT_FALSE(text.GetLine(CPrintFormText::kPrintDaika).empty());
    }
    // The 承認 and 全地連 forms label the dialogs in their own words.
    for (const char* form : {"ﾓﾉｸﾛA4承認形式", "全地連ﾓﾉｸﾛA4通常形式"}) {
        CPrintFormText text;
        ASSERT_EQ(LoadPrintFormText(kFolder + "/" + form + ".xlsx", text), 0);
        EXPECT_NE(text.GetLine(CPrintFormText::kInsatsuHyodai), "印刷表題 ：") << form;
    }
    CPrintFormText shonin;
    ASSERT_EQ(LoadPrintFormText(kFolder + "/ﾓﾉｸﾛA4承認形式.xlsx", shonin), 0);
    EXPECT_NE(shonin.GetLine(CPrintFormText::kSetDate), reporttext::kLabelSetDate);
    CPrintFormText zenchiren;
    ASSERT_EQ(LoadPrintFormText(kFolder + "/全地連ﾓﾉｸﾛA4通常形式.xlsx", zenchiren), 0);
    EXPECT_EQ(zenchiren.GetLine(CPrintFormText::kNo), "");  // no number on its cover
}

TEST(ShippedForms, TheGyomuKakakuSubjectShrinksToFit) {
    // The 業務価格総括表 writes the subject and its place in brackets into one cell: the cell shrinks
    // the text into its width instead of cutting the place off at the edge of the printed area.
    for (const std::string& form : kEstimateForms) {
        SCOPED_TRACE(form);
        xlstest::Output out(ReadTestFile(kFolder + "/" + form + ".xlsx"));
        const int sheet = SheetIndex(out, "業務価格総括表");
        ASSERT_LT(sheet, out.SheetCount());
        const Place& at = Books().at(form).at("業務価格総括表").at("**件名");
        EXPECT_TRUE(AlignmentAt(out, sheet, at).attribute("shrinkToFit").as_bool());
    }
}

TEST(ShippedForms, TheSummaryRemarksShrinkToFit) {
    // A remark such as a rate formula is longer than the 摘要 column: both remark rows of the first
    // line of the 報告書 sheets shrink the text into the column.
    for (const std::string& form : kEstimateForms) {
        xlstest::Output out(ReadTestFile(kFolder + "/" + form + ".xlsx"));
        for (const char* sheetName : {"報告書1", "報告書2"}) {
            const int sheet = SheetIndex(out, sheetName);
            ASSERT_LT(sheet, out.SheetCount()) << form;
            for (const char* cell : {"**摘要上段", "**摘要下段"}) {
                SCOPED_TRACE(form + " " + sheetName + " " + cell);
                const Place& at = Books().at(form).at(sheetName).at(cell);
                EXPECT_TRUE(AlignmentAt(out, sheet, at).attribute("shrinkToFit").as_bool());
            }
        }
    }
}

TEST(ShippedForms, LongNamesShrinkToFit) {
    // A long name (a rate text as the lower name, a long 種別 name, the rate texts of a detail's
    // correction, the explanation of a conversion to the amount per unit, a long 件名 or 箇所名) neither runs
    // over the ruled columns beside it nor is cut at their edge: the name cells shrink the text into
    // their width.
    const struct {
        const char* sheet;
        const char* cell;
    } cells[] = {{"報告書1", "**費目上段"}, {"報告書1", "**費目下段"}, {"報告書2", "**費目上段"},
                 {"報告書2", "**費目下段"}, {"代価表", "**名称"},     {"代価表", "**種別名"},
                 {"代価歩掛明細表", "**補正項目"}, {"代価歩掛明細表", "**区分"}, {"代価歩掛明細表", "**補正説明"},
                 {"報告書1", "**件名"}, {"報告書1", "**箇所名"}, {"表紙", "**件名"}, {"表紙", "**箇所名"}};
    for (const std::string& form : kEstimateForms) {
        xlstest::Output out(ReadTestFile(kFolder + "/" + form + ".xlsx"));
        for (const auto& c : cells) {
            SCOPED_TRACE(form + " " + c.sheet + " " + c.cell);
            const int sheet = SheetIndex(out, c.sheet);
            ASSERT_LT(sheet, out.SheetCount());
            const Place& at = Books().at(form).at(c.sheet).at(c.cell);
            EXPECT_TRUE(AlignmentAt(out, sheet, at).attribute("shrinkToFit").as_bool());
        }
    }
}

TEST(ShippedForms, TheTradeFiguresOfTheStaffingTableShrinkIntoTheirColumns) {
    // The trade columns of the 代価歩掛明細表 are narrow: a trade's amount at the foot of the table
    // (six figures and a comma) or its unit price shrinks into the column instead of showing "###".
    int checked = 0;
    for (const std::string& form : kEstimateForms) {
        xlstest::Output out(ReadTestFile(kFolder + "/" + form + ".xlsx"));
        const std::vector<std::string> names = out.SheetNames();
        for (size_t s = 0; s < names.size(); ++s) {
            if (names[s].rfind("代価歩掛明細表", 0) != 0) continue;
            for (const auto& [name, at] : Books().at(form).at(names[s])) {
                if (name.rfind("**合計最下段表示", 0) != 0 && name.rfind("**単価", 0) != 0) continue;
                SCOPED_TRACE(form + " " + names[s] + " " + name);
                EXPECT_TRUE(AlignmentAt(out, static_cast<int>(s), at).attribute("shrinkToFit").as_bool());
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 0);
}

TEST(ShippedForms, TheTotalsUnderTheSummaryTableAreUnderlinedOnlyWhenWritten) {
    // The 業務価格 of a 工種 subtotal and the 業務 total of the first page stand under the 総括表 on
    // the pages that carry them: their rule is the underline of the figure, not a border that would
    // stand empty on every other page.
    int totals = 0;
    for (const std::string& form : kEstimateForms) {
        xlstest::Output out(ReadTestFile(kFolder + "/" + form + ".xlsx"));
        const std::vector<std::string> names = out.SheetNames();
        const std::vector<pugi::xml_node> formats = out.CellFormats();
        std::vector<pugi::xml_node> fonts, borders;
        for (pugi::xml_node f : out.Styles().child("styleSheet").child("fonts").children("font")) fonts.push_back(f);
        for (pugi::xml_node b : out.Styles().child("styleSheet").child("borders").children("border")) borders.push_back(b);
        for (const char* sheetName : {"報告書1", "報告書2"})
            for (auto [cell, underline] : {std::pair("**工種合計のみ", "single"), std::pair("**業務合計", "double")}) {
                if (!Has(form, sheetName, cell)) continue;
                SCOPED_TRACE(form + " " + sheetName + " " + cell);
                ++totals;
                const int sheet = static_cast<int>(std::find(names.begin(), names.end(), sheetName) - names.begin());
                const Place& at = Books().at(form).at(sheetName).at(cell);
                const std::string ref = std::string(1, static_cast<char>('A' + at.column - 1)) + std::to_string(at.row);
                const pugi::xml_node xf = formats.at(static_cast<size_t>(out.Style(sheet, ref)));
                const pugi::xml_node font = fonts.at(xf.attribute("fontId").as_uint());
                const std::string u = font.child("u") ? (font.child("u").attribute("val") ? font.child("u").attribute("val").value() : "single") : "";
                EXPECT_EQ(u, underline);
                EXPECT_FALSE(borders.at(xf.attribute("borderId").as_uint()).child("bottom").attribute("style"));
                const std::string below = std::string(1, static_cast<char>('A' + at.column - 1)) + std::to_string(at.row + 1);
                EXPECT_FALSE(borders.at(formats.at(static_cast<size_t>(out.Style(sheet, below))).attribute("borderId").as_uint())
                                 .child("top").attribute("style"));
            }
    }
    EXPECT_GT(totals, 0);
}

TEST(ShippedForms, TheExpenseBlockAlignsItsBasisTextsRight) {
    // The 精度管理費 line writes "機械経費　＋" and "　人件費の" into the unit and the quantity cell of
    // the expense block: right-aligned, they read as one phrase and "人件費の" ends under the
    // "直接人件費の" of the rate lines above, as in the table's quantity columns.
    int blocks = 0;
    for (const std::string& form : kEstimateForms) {
        if (!Has(form, "代価歩掛明細表", "**経費区分")) continue;
        ++blocks;
        xlstest::Output out(ReadTestFile(kFolder + "/" + form + ".xlsx"));
        const int sheet = SheetIndex(out, "代価歩掛明細表");
        ASSERT_LT(sheet, out.SheetCount());
        for (const std::string& cell : Numbered("**経費数量", 1, 3)) {
            SCOPED_TRACE(form + " " + cell);
            const Place& at = Books().at(form).at("代価歩掛明細表").at(cell);
            EXPECT_STREQ(AlignmentAt(out, sheet, at).attribute("horizontal").value(), "right");
        }
    }
    EXPECT_GT(blocks, 0);
}

TEST(ShippedForms, TheNamesOfUpperLevelsStandAlikeOnEveryLine) {
    // A form that writes the names of 業務 and 工種 lines into a column of their own names the first
    // line's cell of that column: the cell is aligned and indented as the lines below it, so that the
    // first line of a page stands where the others do.
    int columns = 0;
    for (const std::string& form : kEstimateForms) {
        xlstest::Output out(ReadTestFile(kFolder + "/" + form + ".xlsx"));
        for (const char* sheetName : {"報告書1", "報告書2"})
            for (const char* cell : {"**費目区分あり", "**総括表費目", "**dudaroda用総括表費目"}) {
                if (!Has(form, sheetName, cell)) continue;
                SCOPED_TRACE(form + " " + sheetName + " " + cell);
                ++columns;
                const int sheet = SheetIndex(out, sheetName);
                const Place& at = Books().at(form).at(sheetName).at(cell);
                const pugi::xml_node first = AlignmentAt(out, sheet, at);
                const pugi::xml_node next = AlignmentAt(out, sheet, at.column, at.row + 2);
                EXPECT_STREQ(first.attribute("horizontal").value(), next.attribute("horizontal").value());
                EXPECT_EQ(first.attribute("indent").as_int(), next.attribute("indent").as_int());
            }
    }
    EXPECT_GT(columns, 0);
}

TEST(ShippedForms, ExpenseLinesInTheTradeColumnsShrinkIntoThem) {
    // A form without an expense block writes the expense lines into the last three trade columns of
    // the 代価歩掛明細表: a basis such as "直接人件費の" or "機械経費　＋" shrinks into its narrow column
    // instead of running over the rules beside it, on every line the table has above its 単価 row.
    int tables = 0;
    for (const std::string& form : kEstimateForms) {
        if (Has(form, "代価歩掛明細表", "**経費区分")) continue;
        xlstest::Output out(ReadTestFile(kFolder + "/" + form + ".xlsx"));
        const int sheet = SheetIndex(out, "代価歩掛明細表");
        const int trades = TradeCapacity(form);
        ASSERT_GE(trades, 3) << form;
        ++tables;
        for (int n = trades - 2; n <= trades; ++n) {
            const std::string name = "**数量" + std::to_string(n);
            SCOPED_TRACE(form + " " + name);
            const Place& at = Books().at(form).at("代価歩掛明細表").at(name);
            const int priceRow = Books().at(form).at("代価歩掛明細表").at("**単価" + std::to_string(n)).row;
            for (int row = at.row; row < priceRow; ++row) {
                EXPECT_TRUE(AlignmentAt(out, sheet, at.column, row).attribute("shrinkToFit").as_bool()) << row;
            }
        }
    }
    EXPECT_GT(tables, 0);
}

TEST(ShippedForms, ASecondRunWritesTheSameBytes) {
    const auto files = BuildPrintFormFiles(LoadPrintForms(VEMO_PRINT_FORMS_SOURCE_DIR));
    const auto again = BuildPrintFormFiles(LoadPrintForms(VEMO_PRINT_FORMS_SOURCE_DIR));
    ASSERT_EQ(files.size(), 9u);  // six workbooks and three twins
    EXPECT_TRUE(files == again);
    for (auto& [name, bytes] : files) EXPECT_TRUE(ReadTestFile(kFolder + "/" + name) == bytes) << name;
    TempFolder dir;
    std::string error;
    ASSERT_TRUE(WritePrintFormFiles(files, dir / "フォーム", &error)) << error;
    for (auto& [name, bytes] : files) EXPECT_TRUE(ReadTestFile(dir / ("フォーム/" + name)) == bytes) << name;
}
