// Test support for the tests of report/: EstimateFormTemplate.
#include "EstimateFormTemplate.h"

#include <algorithm>
#include <tuple>

#include "XlsTestSupport.h"

namespace estimateform {
namespace {

std::pair<int, int> ParseRef(const std::string& ref) {
    int col = 0;
    size_t i = 0;
    while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z') col = col * 26 + (ref[i++] - 'A' + 1);
    return {std::stoi(ref.substr(i)), col};
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else out += c;
    }
    return out;
}

std::string ColumnName(int col) {
    std::string name;
    for (; col > 0; col = (col - 1) / 26) name.insert(name.begin(), static_cast<char>('A' + (col - 1) % 26));
    return name;
}

std::string SheetOf(const SheetDef& def) {
    std::vector<CellDef> cells = def.cells;
    // Every cell of a merged range takes the style of its top-left cell, so that its borders go round.
    for (const std::string& merge : def.merges) {
        const size_t colon = merge.find(':');
        const auto [row1, col1] = ParseRef(merge.substr(0, colon));
        const auto [row2, col2] = ParseRef(merge.substr(colon + 1));
        int style = 0;
        for (const CellDef& cell : def.cells)
            if (cell.ref == merge.substr(0, colon)) style = cell.style;
        for (int r = row1; r <= row2; ++r)
            for (int c = col1; c <= col2; ++c)
                if (r != row1 || c != col1) cells.push_back({ColumnName(c) + std::to_string(r), "", style});
    }
    std::sort(cells.begin(), cells.end(), [](const CellDef& a, const CellDef& b) {
        return ParseRef(a.ref) < ParseRef(b.ref);
    });
    std::map<int, std::string> rows;
    for (const CellDef& cell : cells) {
        const int row = ParseRef(cell.ref).first;
        rows[row] += cell.text.empty() ? "<c r=\"" + cell.ref + "\"" + (cell.style ? " s=\"" + std::to_string(cell.style) + "\"" : "") + "/>"
                                       : xlstest::InlineCell(cell.ref, Escape(cell.text), cell.style);
    }
    for (auto& [row, height] : def.rowHeights) rows[row];
    std::string xml;
    for (auto& [row, content] : rows) {
        auto height = def.rowHeights.find(row);
        xml += "<row r=\"" + std::to_string(row) + "\"" +
               (height != def.rowHeights.end() ? " ht=\"" + std::to_string(height->second) + "\" customHeight=\"1\"" : "") +
               ">" + content + "</row>";
    }
    std::string after;
    if (!def.merges.empty()) {
        after += "<mergeCells count=\"" + std::to_string(def.merges.size()) + "\">";
        for (const std::string& m : def.merges) after += "<mergeCell ref=\"" + m + "\"/>";
        after += "</mergeCells>";
    }
    after += "<pageMargins left=\"0.6\" right=\"0.5\" top=\"0.7\" bottom=\"0.6\" header=\"0.3\" footer=\"0.3\"/>"
             "<pageSetup paperSize=\"9\" orientation=\"portrait\" fitToWidth=\"1\" fitToHeight=\"1\"/>";
    std::string before = "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr><sheetFormatPr defaultRowHeight=\"13.5\"/>";
    if (!def.cols.empty()) before += "<cols>" + def.cols + "</cols>";
    return xlstest::SheetXml(xml, after, before);
}

std::string Col(int first, int last, double width) {
    return "<col min=\"" + std::to_string(first) + "\" max=\"" + std::to_string(last) + "\" width=\"" +
           std::to_string(width) + "\" customWidth=\"1\"/>";
}

}  // namespace

std::string BuildForm(const std::vector<SheetDef>& sheets, const std::string& styles) {
    xlstest::TemplateContent content;
    content.styles = styles;
    for (size_t i = 0; i < sheets.size(); ++i) {
        content.sheets.emplace_back(sheets[i].name, SheetOf(sheets[i]));
        if (!sheets[i].printArea.empty())
            content.definedNames += "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"" + std::to_string(i) + "\">" +
                                    sheets[i].name + "!" + sheets[i].printArea + "</definedName>";
    }
    return xlstest::BuildTemplate(content);
}

SheetDef PlainSheet(const std::string& name, const std::vector<std::pair<std::string, std::string>>& cells) {
    SheetDef def{name, {}, {}, {}, "", ""};
    for (auto& [ref, text] : cells) def.cells.push_back({ref, text, 0});
    return def;
}

std::string ColumnLetter(int column) { return std::string(1, static_cast<char>('A' + column - 1)); }

std::vector<std::pair<std::string, std::string>> TradeColumnCells(int trades) {
    std::vector<std::pair<std::string, std::string>> cells;
    for (int n = 1; n <= trades; ++n) {
        const std::string c = ColumnLetter(n + 1);
        cells.push_back({c + "5", "**単価" + std::to_string(n)});
        cells.push_back({c + "7", "**費用別" + std::to_string(n)});
        cells.push_back({c + "8", "**費用個別" + std::to_string(n)});
        cells.push_back({c + "9", "**職種" + std::to_string(n)});
        cells.push_back({c + "10", "**数量" + std::to_string(n)});
    }
    return cells;
}

std::vector<std::pair<std::string, std::string>> HyoshiCells() {
    const char* names[] = {"**印刷表題", "**No",     "**日付",   "**予備1",  "**予備2",   "**予備3", "**予備4",
                           "**予備5",   "**予備6",  "**予備7",  "**予備8",  "**予備9",   "**予備10", "**宛名1",
                           "**宛名2",   "**件名",   "**箇所名", "**見積金額", "**郵便番号", "**住所1", "**住所2",
                           "**社名1",   "**社名2",  "**代表者名", "**TEL",  "**FAX"};
    std::vector<std::pair<std::string, std::string>> cells;
    int row = 1;
    for (const char* name : names) cells.emplace_back("A" + std::to_string(row++), name);
    return cells;
}

std::vector<std::pair<std::string, std::string>> GyomuKakakuCells() {
    return {{"A1", "**件名"},       {"B1", "**日付"},     {"C1", "**ページ"},  {"A5", "**番号"},
            {"B5", "**費目上段"},   {"C5", "**単位"},     {"D5", "**数量"},    {"E5", "**金額"},
            {"F5", "**業務価格総括表摘要"}, {"G5", "**業務価格内訳表摘要"}};
}

std::vector<std::pair<std::string, std::string>> SokatsuCells() {
    return {{"A1", "**印刷表題"}, {"B1", "**件名"},     {"C1", "**箇所名"},   {"D1", "**総括表番号"},
            {"E1", "**内訳書番号"}, {"F1", "**日付"},   {"G1", "**ページ"},   {"A2", "**予備1"},
            {"B2", "**宛名1"},    {"C2", "**宛名2"},    {"A5", "**費目上段"}, {"A6", "**費目下段"},
            {"B5", "**単位"},     {"C5", "**数量"},     {"D5", "**単価"},     {"E5", "**金額"},
            {"F5", "**摘要上段"}, {"F6", "**摘要下段"}, {"G5", "**大名称変更"}, {"H3", "**費目下段数量のみ"},
            {"I3", "**費目下段単位のみ"}, {"J3", "**標準作業量"}};
}

// ---------------------------------------------------------------------------------------------
// The ruled form

namespace {

std::string RuledStyles() {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<styleSheet xmlns=\"") +
           xlstest::kMain +
           "\">"
           "<numFmts count=\"3\"><numFmt numFmtId=\"164\" formatCode=\"#,##0;[Red]\\-#,##0\"/>"
           "<numFmt numFmtId=\"165\" formatCode=\"#,##0.0##\"/><numFmt numFmtId=\"166\" formatCode=\"0&quot; 頁&quot;\"/></numFmts>"
           "<fonts count=\"6\">"
           "<font><sz val=\"10\"/><name val=\"ＭＳ Ｐゴシック\"/><family val=\"3\"/><charset val=\"128\"/></font>"  // 0
           "<font><b/><sz val=\"16\"/><name val=\"ＭＳ 明朝\"/></font>"                                        // 1
           "<font><b/><sz val=\"26\"/><name val=\"ＭＳ 明朝\"/></font>"                                        // 2
           "<font><b/><sz val=\"16\"/><name val=\"ＭＳ ゴシック\"/></font>"                                    // 3
           "<font><sz val=\"12\"/><name val=\"ＭＳ 明朝\"/></font>"                                            // 4
           "<font><sz val=\"9\"/><name val=\"ＭＳ Ｐゴシック\"/></font>"                                       // 5
           "</fonts>"
           "<fills count=\"3\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill>"
           "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FFE0E0E0\"/><bgColor indexed=\"64\"/></patternFill></fill></fills>"
           "<borders count=\"5\"><border><left/><right/><top/><bottom/><diagonal/></border>"
           "<border><left style=\"thin\"/><right style=\"thin\"/><top style=\"thin\"/><bottom style=\"thin\"/><diagonal/></border>"
           "<border><left style=\"thin\"/><right style=\"thin\"/><top style=\"thin\"/><bottom/><diagonal/></border>"
           "<border><left style=\"thin\"/><right style=\"thin\"/><top/><bottom style=\"thin\"/><diagonal/></border>"
           "<border><left/><right/><top/><bottom style=\"medium\"/><diagonal/></border>"
           "</borders>"
           "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
           "<cellXfs count=\"16\">"
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"                                                          // 0
           "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\"><alignment horizontal=\"center\" vertical=\"center\"/></xf>"  // 1 title
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"2\" borderId=\"1\" xfId=\"0\"><alignment horizontal=\"center\" vertical=\"center\"/></xf>"  // 2 heading
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"2\" xfId=\"0\"><alignment vertical=\"center\" shrinkToFit=\"1\"/></xf>"     // 3 upper text
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"3\" xfId=\"0\"><alignment vertical=\"center\" shrinkToFit=\"1\"/></xf>"     // 4 lower text
           "<xf numFmtId=\"165\" fontId=\"0\" fillId=\"0\" borderId=\"2\" xfId=\"0\"><alignment vertical=\"center\"/></xf>"                     // 5 quantity
           "<xf numFmtId=\"3\" fontId=\"0\" fillId=\"0\" borderId=\"2\" xfId=\"0\"><alignment vertical=\"center\"/></xf>"                       // 6 price
           "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"2\" xfId=\"0\"><alignment vertical=\"center\"/></xf>"                     // 7 amount
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"3\" xfId=\"0\"/>"                                                          // 8 lower blank
           "<xf numFmtId=\"166\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"><alignment horizontal=\"right\"/></xf>"                    // 9 page
           "<xf numFmtId=\"0\" fontId=\"4\" fillId=\"0\" borderId=\"0\" xfId=\"0\"><alignment vertical=\"center\"/></xf>"                       // 10 text
           "<xf numFmtId=\"0\" fontId=\"3\" fillId=\"0\" borderId=\"4\" xfId=\"0\"><alignment horizontal=\"center\" vertical=\"center\"/></xf>"  // 11 amount text
           "<xf numFmtId=\"0\" fontId=\"2\" fillId=\"0\" borderId=\"0\" xfId=\"0\"><alignment horizontal=\"center\" vertical=\"center\"/></xf>"  // 12 cover title
           "<xf numFmtId=\"0\" fontId=\"4\" fillId=\"0\" borderId=\"4\" xfId=\"0\"><alignment vertical=\"center\"/></xf>"                       // 13 underlined text
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"2\" xfId=\"0\"><alignment horizontal=\"center\" vertical=\"center\"/></xf>"  // 14 upper centred
           "<xf numFmtId=\"0\" fontId=\"5\" fillId=\"0\" borderId=\"0\" xfId=\"0\"><alignment horizontal=\"right\"/></xf>"                      // 15 small right
           "</cellXfs>"
           "<cellStyles count=\"1\"><cellStyle name=\"標準\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
           "</styleSheet>";
}

SheetDef RuledHyoshi() {
    SheetDef s{"表紙", {}, {}, {}, Col(1, 1, 4) + Col(2, 7, 13), "$A$1:$G$40"};
    s.cells = {{"F2", "**No", 15}, {"F3", "**日付", 15}, {"A6", "**印刷表題", 12}, {"B10", "**宛名1", 13},
               {"B11", "**宛名2", 13}, {"B14", "件　名", 10}, {"C14", "**件名", 13}, {"B16", "箇所名", 10},
               {"C16", "**箇所名", 13}, {"B19", "**見積金額", 11}};
    for (int i = 1; i <= 10; ++i) s.cells.push_back({"B" + std::to_string(21 + i), "**予備" + std::to_string(i), 10});
    const char* company[] = {"**郵便番号", "**住所1", "**住所2", "**社名1", "**社名2", "**代表者名", "**TEL", "**FAX"};
    for (int i = 0; i < 8; ++i) s.cells.push_back({"E" + std::to_string(33 + i), company[i], 10});
    s.merges = {"A6:G6", "C14:F14", "C16:F16", "B19:F19", "F2:G2", "F3:G3"};
    s.rowHeights = {{6, 48}, {19, 30}};
    return s;
}

SheetDef RuledGyomuKakaku() {
    SheetDef s{"業務価格総括表", {}, {}, {}, Col(1, 1, 10) + Col(2, 2, 5) + Col(3, 3, 30) + Col(4, 5, 7) + Col(6, 6, 15) + Col(7, 8, 11),
                "$A$1:$H$26"};
    s.cells = {{"A1", "業　務　価　格　総　括　表", 1}, {"A3", "**件名", 10}, {"F3", "**日付", 15}, {"H3", "**ページ", 9}};
    const char* headings[] = {"区　分", "No", "費　目", "単位", "数量", "金　額", "総括表", "内訳書"};
    for (int c = 0; c < 8; ++c) s.cells.push_back({std::string(1, static_cast<char>('A' + c)) + "4", headings[c], 2});
    const char* names[] = {"**業務価格総括表費目", "**番号", "**費目上段", "**単位", "**数量", "**金額",
                           "**業務価格総括表摘要", "**業務価格内訳表摘要"};
    const int upper[] = {3, 14, 3, 14, 5, 7, 3, 3};
    for (int r = 5; r <= 24; ++r)
        for (int c = 0; c < 8; ++c) {
            const std::string ref = std::string(1, static_cast<char>('A' + c)) + std::to_string(r);
            const bool top = (r - 5) % 2 == 0;
            s.cells.push_back({ref, r == 5 ? names[c] : "", top ? upper[c] : 8});
        }
    s.merges = {"A1:H1", "A3:E3", "F3:G3"};
    s.rowHeights = {{1, 30}};
    for (int r = 5; r <= 24; ++r) s.rowHeights[r] = 15;
    return s;
}

SheetDef RuledSokatsu(const std::string& name, const char* titleCell) {
    SheetDef s{name, {}, {}, {}, Col(1, 1, 30) + Col(2, 2, 6) + Col(3, 3, 9) + Col(4, 4, 11) + Col(5, 5, 13) + Col(6, 6, 24),
                "$A$1:$F$26"};
    s.cells = {{"A1", titleCell, 1}, {"A3", "**件名", 10}, {"D3", "**日付", 15}, {"F3", "**ページ", 9}, {"A4", "**箇所名", 10}};
    const char* headings[] = {"費目／工種／種別", "単位", "数量", "単　価", "金　額", "摘　要"};
    for (int c = 0; c < 6; ++c) s.cells.push_back({std::string(1, static_cast<char>('A' + c)) + "5", headings[c], 2});
    const char* upperNames[] = {"**費目上段", "**単位", "**数量", "**単価", "**金額", "**摘要上段"};
    const int upperStyles[] = {3, 14, 5, 6, 7, 3};
    for (int r = 6; r <= 25; ++r)
        for (int c = 0; c < 6; ++c) {
            const std::string ref = std::string(1, static_cast<char>('A' + c)) + std::to_string(r);
            const bool top = (r - 6) % 2 == 0;
            std::string text;
            if (r == 6) text = upperNames[c];
            if (r == 7 && c == 0) text = "**費目下段";
            if (r == 7 && c == 5) text = "**摘要下段";
            s.cells.push_back({ref, text, top ? upperStyles[c] : (c == 0 || c == 5 ? 4 : 8)});
        }
    s.merges = {"A1:F1", "A3:C3", "D3:E3"};
    s.rowHeights = {{1, 30}, {5, 18}};
    for (int r = 6; r <= 25; ++r) s.rowHeights[r] = 14;
    return s;
}

}  // namespace

std::string RuledForm() {
    return BuildForm({RuledHyoshi(), RuledGyomuKakaku(), RuledSokatsu("報告書1", "**総括表番号"),
                      RuledSokatsu("報告書2", "**内訳書番号")},
                     RuledStyles());
}

}  // namespace estimateform
