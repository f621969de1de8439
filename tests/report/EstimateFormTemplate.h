// Test support for the tests of report/: EstimateFormTemplate.
#pragma once
// Print forms of the estimate report written as raw XML and zipped here: small forms whose named
// cells the tests choose, and one ruled A4 form for looking at the output.
#include <map>
#include <string>
#include <vector>

namespace estimateform {

struct CellDef {
    std::string ref;   // "A1"
    std::string text;  // "**件名", or a fixed text
    int style = 0;
};

struct SheetDef {
    std::string name;
    std::vector<CellDef> cells;
    std::vector<std::string> merges;    // "A1:F1"
    std::map<int, double> rowHeights;   // row → points
    std::string cols;                   // <cols> content
    std::string printArea;              // "$A$1:$F$30"; "" for none
};

// A form of these sheets. Without styles given the cells are plain.
std::string BuildForm(const std::vector<SheetDef>& sheets, const std::string& styles = "");

// A sheet whose cells are all plain.
SheetDef PlainSheet(const std::string& name, const std::vector<std::pair<std::string, std::string>>& cells);

// The letter of a column (1: A).
std::string ColumnLetter(int column);
// The named cells of `trades` trade columns of a 代価歩掛明細表, from column B: "**単価n" in row 5, the
// cost kinds "**費用別n" and "**費用個別n" in rows 7 and 8, "**職種n" in row 9 and "**数量n" in row 10.
std::vector<std::pair<std::string, std::string>> TradeColumnCells(int trades);

// The cells of a plain form, sheet by sheet, for tests to add probes to:
//  表紙: every cover cell in column A from row 1 (印刷表題, No, 日付, 予備1–10, 宛名1–2, 件名, 箇所名,
//    見積金額, then the company block).
//  業務価格総括表: A1 "**件名", B1 "**日付", C1 "**ページ"; row 5 the row cells: A "**番号",
//    B "**費目上段", C "**単位", D "**数量", E "**金額", F "**業務価格総括表摘要", G "**業務価格内訳表摘要".
//  報告書1 and 報告書2: A1 "**印刷表題", B1 "**件名", C1 "**箇所名", D1 "**総括表番号",
//    E1 "**内訳書番号", F1 "**日付", G1 "**ページ", A2 "**予備1", B2 "**宛名1", C2 "**宛名2"; row 5 the
//    row cells: A "**費目上段", A6 "**費目下段", B "**単位", C "**数量", D "**単価", E "**金額",
//    F "**摘要上段", F6 "**摘要下段", G "**大名称変更"; row 3 (two rows above the first row, where the
//    row after a row writes them) H "**費目下段数量のみ", I "**費目下段単位のみ", J "**標準作業量".
std::vector<std::pair<std::string, std::string>> HyoshiCells();
std::vector<std::pair<std::string, std::string>> GyomuKakakuCells();
std::vector<std::pair<std::string, std::string>> SokatsuCells();

// A ruled A4 form like the program's: 表紙, 業務価格総括表 (10 rows), 報告書1 and 報告書2 (10 rows of
// two lines), with headings, fonts, number formats and borders.
std::string RuledForm();

}  // namespace estimateform
