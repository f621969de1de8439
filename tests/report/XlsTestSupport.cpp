// Test support for the tests of report/: XlsTestSupport.
#include "XlsTestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <zip.h>

#include <cstdlib>
#include <filesystem>

#include "ZipSourceBytes.h"
#include "report/ReportJob.h"
#include "report/XlsInternal.h"
#include "report/XlsNumberFormat.h"

namespace xlstest {

std::string ZipParts(const Parts& parts) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &error);
    if (!archive) {
        ADD_FAILURE() << "cannot create a zip archive";
        return {};
    }
    zip_source_keep(target);
    for (auto& [name, data] : parts) {
        zip_source_t* s = zip_source_buffer(archive, data.data(), data.size(), 0);
        if (zip_file_add(archive, name.c_str(), s, ZIP_FL_ENC_UTF_8) < 0) ADD_FAILURE() << "cannot add " << name;
    }
    if (zip_close(archive) != 0) ADD_FAILURE() << "cannot close the zip archive";
    return TakeZipSourceBytes(target).value_or("");
}

std::map<std::string, std::string> Unzip(const std::string& bytes) {
    std::map<std::string, std::string> parts;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
    if (!archive) {
        ADD_FAILURE() << "not a zip archive";
        if (source) zip_source_free(source);
        return parts;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &st);
        zip_file_t* f = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        std::string data(st.size, '\0');
        if (!f || zip_fread(f, data.data(), st.size) != static_cast<zip_int64_t>(st.size))
            ADD_FAILURE() << "cannot read " << st.name;
        if (f) zip_fclose(f);
        parts[st.name] = data;
    }
    zip_discard(archive);
    return parts;
}

std::string SheetXml(const std::string& rows, const std::string& after, const std::string& before) {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\"") + kMain +
           "\" xmlns:r=\"" + kRel + "\">" + before + "<sheetData>" + rows + "</sheetData>" + after + "</worksheet>";
}

static std::string StyleAttr(int style) { return style ? " s=\"" + std::to_string(style) + "\"" : ""; }

std::string SharedCell(const std::string& ref, int index, int style) {
    return "<c r=\"" + ref + "\"" + StyleAttr(style) + " t=\"s\"><v>" + std::to_string(index) + "</v></c>";
}
std::string InlineCell(const std::string& ref, const std::string& text, int style) {
    return "<c r=\"" + ref + "\"" + StyleAttr(style) + " t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}
std::string NumberCell(const std::string& ref, const std::string& value, int style) {
    return "<c r=\"" + ref + "\"" + StyleAttr(style) + "><v>" + value + "</v></c>";
}

std::string TestStylesXml() {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<styleSheet xmlns=\"") + kMain +
           "\">"
           "<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"#,##0.0\"/></numFmts>"
           "<fonts count=\"2\"><font><sz val=\"11\"/><name val=\"ＭＳ Ｐゴシック\"/></font>"
           "<font><b/><sz val=\"14\"/><color rgb=\"FFFF0000\"/><name val=\"ＭＳ ゴシック\"/></font></fonts>"
           "<fills count=\"3\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill>"
           "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FFFFFF00\"/><bgColor indexed=\"64\"/></patternFill></fill></fills>"
           "<borders count=\"2\"><border><left/><right/><top/><bottom/><diagonal/></border>"
           "<border><left style=\"thin\"><color indexed=\"64\"/></left><right style=\"thin\"><color indexed=\"64\"/></right>"
           "<top style=\"thin\"><color indexed=\"64\"/></top><bottom style=\"double\"><color rgb=\"FF0000FF\"/></bottom>"
           "<diagonal/></border></borders>"
           "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
           "<cellXfs count=\"4\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
           "<xf numFmtId=\"164\" fontId=\"1\" fillId=\"2\" borderId=\"1\" xfId=\"0\" applyNumberFormat=\"1\" applyFont=\"1\" applyFill=\"1\" applyBorder=\"1\"/>"
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyAlignment=\"1\"><alignment horizontal=\"right\" vertical=\"center\"/></xf>"
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyAlignment=\"1\"><alignment horizontal=\"left\"/></xf>"
           "</cellXfs>"
           "<cellStyles count=\"1\"><cellStyle name=\"標準\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
           "</styleSheet>";
}

Parts TemplateParts(const TemplateContent& content) {
    const std::string decl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    const std::string relTypes = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    const std::string ct = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
    std::string types = decl +
                        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" + ct + "sheet.main+xml\"/>";
    std::string sheets, rels = decl + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    Parts sheetParts;
    for (size_t i = 0; i < content.sheets.size(); ++i) {
        std::string n = std::to_string(i + 1);
        sheets += "<sheet name=\"" + content.sheets[i].first + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + relTypes + "worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
        types += "<Override PartName=\"/xl/worksheets/sheet" + n + ".xml\" ContentType=\"" + ct + "worksheet+xml\"/>";
        sheetParts.emplace_back("xl/worksheets/sheet" + n + ".xml", content.sheets[i].second);
    }
    if (content.withStyles) {
        rels += "<Relationship Id=\"rIdS\" Type=\"" + relTypes + "styles\" Target=\"styles.xml\"/>";
        types += "<Override PartName=\"/xl/styles.xml\" ContentType=\"" + ct + "styles+xml\"/>";
    }
    if (!content.sharedStrings.empty()) {
        rels += "<Relationship Id=\"rIdT\" Type=\"" + relTypes + "sharedStrings\" Target=\"sharedStrings.xml\"/>";
        types += "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"" + ct + "sharedStrings+xml\"/>";
    }
    rels += "</Relationships>";
    types += "</Types>";
    std::string workbook = decl + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel +
                           "\"><workbookPr defaultThemeVersion=\"124226\"/><bookViews><workbookView activeTab=\"0\"/></bookViews><sheets>" +
                           sheets + "</sheets>" +
                           (content.definedNames.empty() ? "" : "<definedNames>" + content.definedNames + "</definedNames>") +
                           "<calcPr calcId=\"145621\"/></workbook>";
    Parts parts = {
        {"[Content_Types].xml", types},
        {"_rels/.rels", decl + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                               "<Relationship Id=\"rId1\" Type=\"" + relTypes + "officeDocument\" Target=\"xl/workbook.xml\"/>"
                               "</Relationships>"},
        {"xl/workbook.xml", workbook},
        {"xl/_rels/workbook.xml.rels", rels},
    };
    if (content.withStyles) parts.emplace_back("xl/styles.xml", content.styles.empty() ? TestStylesXml() : content.styles);
    if (!content.sharedStrings.empty()) {
        std::string sst = decl + "<sst xmlns=\"" + kMain + "\" count=\"99\" uniqueCount=\"" +
                          std::to_string(content.sharedStrings.size()) + "\">";
        for (auto& si : content.sharedStrings) sst += "<si>" + si + "</si>";
        parts.emplace_back("xl/sharedStrings.xml", sst + "</sst>");
    }
    for (auto& p : sheetParts) parts.push_back(p);
    return parts;
}

TemplateContent StandardTemplate() {
    TemplateContent content;
    content.sharedStrings = {
        "<t>**名称</t>",
        "<t>見出し</t>",
        "<t>plain</t>",
        "<r><t>**</t></r><r><rPr><b/></rPr><t>備考</t></r><rPh sb=\"0\" eb=\"2\"><t>ビコウ</t></rPh><phoneticPr fontId=\"1\"/>",
        "<t>**</t>",
    };
    std::string daika = SheetXml(
        "<row r=\"1\" spans=\"1:2\" ht=\"18\" customHeight=\"1\">" + SharedCell("A1", 0, 1) + SharedCell("B1", 1) + "</row>"
        "<row r=\"2\">" + InlineCell("B2", "**単位", 2) + SharedCell("D2", 3) + "</row>"
        "<row r=\"3\">" + SharedCell("C3", 0) + "</row>"
        "<row r=\"4\">" + SharedCell("D4", 2) + NumberCell("E4", "12.5") + SharedCell("F4", 4) + "</row>"
        "<row r=\"6\" s=\"3\" customFormat=\"1\"/>",
        "<mergeCells count=\"2\"><mergeCell ref=\"D4:E4\"/><mergeCell ref=\"A6:B6\"/></mergeCells>"
        "<printOptions horizontalCentered=\"1\"/>"
        "<pageMargins left=\"0.5\" right=\"0.4\" top=\"0.9\" bottom=\"0.8\" header=\"0.3\" footer=\"0.2\"/>"
        "<pageSetup paperSize=\"9\" scale=\"85\" orientation=\"landscape\" fitToHeight=\"0\" r:id=\"rId1\"/>"
        "<headerFooter><oddFooter>&amp;P / &amp;N</oddFooter></headerFooter>"
        "<rowBreaks count=\"1\" manualBreakCount=\"1\"><brk id=\"3\" max=\"16383\" man=\"1\"/></rowBreaks>"
        "<drawing r:id=\"rId2\"/>",
        "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr><dimension ref=\"A1:F6\"/>"
        "<sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"/></sheetViews>"
        "<sheetFormatPr defaultRowHeight=\"13.5\"/>"
        "<cols><col min=\"1\" max=\"1\" width=\"20.5\" customWidth=\"1\"/>"
        "<col min=\"2\" max=\"3\" width=\"9.25\" style=\"2\" customWidth=\"1\"/></cols>");
    std::string tanka = SheetXml("<row r=\"1\">" + InlineCell("A1", "**単価") + "</row><row r=\"3\">" + NumberCell("C3", "7") + "</row>",
                                 "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>");
    std::string named = SheetXml("<row r=\"1\">" + SharedCell("A1", 0) + "</row>");
    std::string formulas = SheetXml(
        "<row r=\"1\">" + NumberCell("A1", "1") + "<c r=\"B1\"><f t=\"shared\" ref=\"B1:B3\" si=\"0\">A1*2+$A$1</f><v>3</v></c></row>"
        "<row r=\"2\">" + NumberCell("A2", "2") + "<c r=\"B2\"><f t=\"shared\" si=\"0\"/><v>5</v></c></row>"
        "<row r=\"3\">" + NumberCell("A3", "3") + "<c r=\"B3\"><f t=\"shared\" si=\"0\"/><v>7</v></c></row>");
    content.sheets = {{"代価表", daika}, {"単価表", tanka}, {kLongSheetName, named}, {kLongJapaneseSheetName, named}, {"式", formulas}};
    content.definedNames =
        "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">代価表!$A$1:$F$6</definedName>"
        "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"0\">代価表!$1:$1</definedName>"
        "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"1\">'単価表'!$A$1:$C$3,'単価表'!$E$1:$F$2</definedName>"
        "<definedName name=\"合計\">代価表!$E$4</definedName>";
    return content;
}

std::string BuildTemplate(const TemplateContent& content) { return ZipParts(TemplateParts(content)); }

static std::string FormStylesXml() {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<styleSheet xmlns=\"") + kMain +
           "\">"
           "<numFmts count=\"4\"><numFmt numFmtId=\"164\" formatCode=\"#,##0;[Red]\\-#,##0\"/>"
           "<numFmt numFmtId=\"165\" formatCode=\"#,##0.0\"/><numFmt numFmtId=\"166\" formatCode=\"&quot;第&quot;0&quot;号&quot;\"/>"
           "<numFmt numFmtId=\"167\" formatCode=\"0&quot;頁&quot;\"/></numFmts>"
           "<fonts count=\"4\"><font><sz val=\"11\"/><name val=\"ＭＳ Ｐゴシック\"/><family val=\"3\"/><charset val=\"128\"/></font>"
           "<font><b/><sz val=\"16\"/><name val=\"ＭＳ 明朝\"/></font>"
           "<font><sz val=\"9\"/><name val=\"ＭＳ Ｐゴシック\"/></font>"
           "<font><sz val=\"10\"/><color rgb=\"FF0000FF\"/><name val=\"ＭＳ Ｐ明朝\"/></font></fonts>"
           "<fills count=\"3\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill>"
           "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FFD9D9D9\"/><bgColor indexed=\"64\"/></patternFill></fill></fills>"
           "<borders count=\"3\"><border><left/><right/><top/><bottom/><diagonal/></border>"
           "<border><left style=\"thin\"><color indexed=\"64\"/></left><right style=\"thin\"><color indexed=\"64\"/></right>"
           "<top style=\"thin\"><color indexed=\"64\"/></top><bottom style=\"thin\"><color indexed=\"64\"/></bottom><diagonal/></border>"
           "<border><left style=\"thin\"/><right style=\"thin\"/><top style=\"medium\"/><bottom style=\"double\"/><diagonal/></border>"
           "</borders>"
           "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
           "<cellXfs count=\"13\">"
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"                                                        // 0
           "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\"><alignment horizontal=\"center\" vertical=\"center\"/></xf>"  // 1 title
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"2\" borderId=\"1\" xfId=\"0\"><alignment horizontal=\"center\" vertical=\"center\"/></xf>"  // 2 heading
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"1\" xfId=\"0\"><alignment vertical=\"center\"/></xf>"                      // 3 text
           "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"1\" xfId=\"0\"><alignment vertical=\"center\"/></xf>"                    // 4 amount
           "<xf numFmtId=\"165\" fontId=\"0\" fillId=\"0\" borderId=\"1\" xfId=\"0\"><alignment vertical=\"center\"/></xf>"                    // 5 quantity
           "<xf numFmtId=\"0\" fontId=\"2\" fillId=\"0\" borderId=\"1\" xfId=\"0\"><alignment vertical=\"top\" wrapText=\"1\"/></xf>"          // 6 wraps
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"1\" xfId=\"0\"><alignment vertical=\"center\" shrinkToFit=\"1\"/></xf>"    // 7 shrinks
           "<xf numFmtId=\"167\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"                                                      // 8 page
           "<xf numFmtId=\"166\" fontId=\"3\" fillId=\"0\" borderId=\"0\" xfId=\"0\"><alignment horizontal=\"center\"/></xf>"                  // 9 number
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"1\" xfId=\"0\"><alignment horizontal=\"distributed\" vertical=\"center\" indent=\"1\"/></xf>"  // 10 合計
           "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"2\" xfId=\"0\"><alignment vertical=\"center\"/></xf>"                    // 11 total
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"1\" xfId=\"0\"><alignment horizontal=\"center\" vertical=\"center\"/></xf>"  // 12 centred
           "</cellXfs>"
           "<cellStyles count=\"1\"><cellStyle name=\"標準\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
           "</styleSheet>";
}

TemplateContent FormTemplate() {
    TemplateContent content;
    content.styles = FormStylesXml();
    const char* names[] = {"**No", "**名称", "**規格", "**数量", "**単位", "**単価", "**金額", "**摘要"};
    const char* headings[] = {"No", "名　称", "規　格", "数量", "単位", "単　価", "金　額", "摘　要"};
    const int lineStyles[] = {12, 6, 7, 5, 12, 4, 4, 3};
    const std::string columns = "ABCDEFGH";
    std::string rows =
        "<row r=\"1\" ht=\"30\" customHeight=\"1\">" + InlineCell("A1", "**表題", 1) + "</row>"
        "<row r=\"2\" ht=\"18\" customHeight=\"1\">" + InlineCell("A2", "**番号", 9) + InlineCell("G2", "**ページ", 8) + "</row>"
        "<row r=\"3\" ht=\"20\" customHeight=\"1\">";
    for (int c = 0; c < 8; ++c) rows += InlineCell(std::string(1, columns[c]) + "3", headings[c], 2);
    rows += "</row>";
    for (int r = 4; r <= 23; ++r) {
        rows += "<row r=\"" + std::to_string(r) + "\" ht=\"24\" customHeight=\"1\">";
        for (int c = 0; c < 8; ++c) {
            std::string ref = std::string(1, columns[c]) + std::to_string(r);
            rows += r == 4 ? InlineCell(ref, names[c], lineStyles[c])
                           : "<c r=\"" + ref + "\" s=\"" + std::to_string(lineStyles[c]) + "\"/>";
        }
        if (r == 5) rows += InlineCell("J5", "欄外");
        rows += "</row>";
    }
    rows += "<row r=\"24\" ht=\"24\" customHeight=\"1\"><c r=\"A24\" s=\"3\"/>" + InlineCell("B24", "合　計", 10) +
            "<c r=\"C24\" s=\"3\"/><c r=\"D24\" s=\"3\"/><c r=\"E24\" s=\"3\"/><c r=\"F24\" s=\"3\"/>" + InlineCell("G24", "**合計", 11) +
            "<c r=\"H24\" s=\"3\"/></row>"
            "<row r=\"26\">" + InlineCell("A26", "**備考") + InlineCell("F26", "印") + "</row>";
    std::string sheet = SheetXml(
        rows,
        "<mergeCells count=\"2\"><mergeCell ref=\"A1:H1\"/><mergeCell ref=\"A2:B2\"/></mergeCells>"
        "<pageMargins left=\"0.6\" right=\"0.4\" top=\"0.8\" bottom=\"0.6\" header=\"0.3\" footer=\"0.3\"/>"
        "<pageSetup paperSize=\"9\" orientation=\"portrait\" fitToWidth=\"1\" fitToHeight=\"1\"/>"
        "<headerFooter><oddFooter>&amp;C&amp;P / &amp;N</oddFooter></headerFooter>",
        "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr><dimension ref=\"A1:J26\"/>"
        "<sheetFormatPr defaultRowHeight=\"13.5\"/>"
        "<cols><col min=\"1\" max=\"1\" width=\"4\" customWidth=\"1\"/><col min=\"2\" max=\"2\" width=\"24\" customWidth=\"1\"/>"
        "<col min=\"3\" max=\"3\" width=\"14\" customWidth=\"1\"/><col min=\"4\" max=\"4\" width=\"8\" customWidth=\"1\"/>"
        "<col min=\"5\" max=\"5\" width=\"6\" customWidth=\"1\"/><col min=\"6\" max=\"6\" width=\"12\" customWidth=\"1\"/>"
        "<col min=\"7\" max=\"7\" width=\"14\" customWidth=\"1\"/><col min=\"8\" max=\"8\" width=\"16\" customWidth=\"1\"/></cols>");
    content.sheets = {{"代価表", sheet}};
    content.definedNames = "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">代価表!$A$1:$H$26</definedName>";
    return content;
}

void FillForm(CReportJob& job, int page) {
    job.BeginPage("代価表", "1");
    job.SetCellText("**表題", "代　価　表");
    job.SetCellInt("**番号", page);
    job.SetCellInt("**ページ", page);
    long long total = 0;
    for (int i = 0; i < 20; ++i) {
        const long long price = 12000 + 250 * i + page;
        const double quantity = 1.5 + i;
        const long long amount = static_cast<long long>(static_cast<double>(price) * quantity) * (i % 5 == 4 ? -1 : 1);
        total += amount;
        job.SetCellIntAt("**No", 0, i, i + 1);
        job.SetCellTextAt("**名称", 0, i, i % 7 == 3 ? "普通作業員（夜間作業を含む）特殊運転手" : "普通作業員");
        job.SetCellTextAt("**規格", 0, i, i % 4 == 1 ? "ｸﾛｰﾗ型 山積0.8m3(平積0.6m3)" : "一般");
        job.SetCellDoubleAt("**数量", 0, i, quantity);
        job.SetCellTextAt("**単位", 0, i, "人");
        job.SetCellIntAt("**単価", 0, i, static_cast<int>(price));
        job.SetCellLongAt("**金額", 0, i, amount);
        if (i % 3 == 0) job.SetCellTextAt("**摘要", 0, i, "第1号単価表");
    }
    job.SetCellLong("**合計", total);
    job.SetCellText("**備考", "備考：この代価表は試験用に作成したものです。数量は設計図書による。");
    job.EndPage();
}


// ---- Output ----

static void Parse(const std::string& bytes, pugi::xml_document& doc, const std::string& name) {
    pugi::xml_parse_result r = doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
    if (!r) ADD_FAILURE() << name << " is not well-formed: " << r.description();
}

static std::string RelsTarget(const std::map<std::string, std::string>& parts, const std::string& id) {
    pugi::xml_document rels;
    Parse(parts.at("xl/_rels/workbook.xml.rels"), rels, "workbook rels");
    std::string xpath = "/Relationships/Relationship[@Id='" + id + "']";
    return rels.select_node(xpath.c_str()).node().attribute("Target").value();
}

Output::Output(const std::string& xlsxBytes) : m_parts(Unzip(xlsxBytes)) {
    for (const char* required : {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml", "xl/_rels/workbook.xml.rels", "xl/styles.xml"})
        if (!m_parts.count(required)) {
            ADD_FAILURE() << "missing part " << required;
            return;
        }
    Parse(m_parts["xl/workbook.xml"], m_workbook, "workbook");
    Parse(m_parts["xl/styles.xml"], m_styles, "styles");
    if (m_parts.count("xl/sharedStrings.xml")) {
        pugi::xml_document sst;
        Parse(m_parts["xl/sharedStrings.xml"], sst, "shared strings");
        for (pugi::xml_node si : sst.child("sst").children("si")) {
            std::string text = si.child("t").text().get();
            for (pugi::xml_node r : si.children("r")) text += r.child("t").text().get();
            m_shared.push_back(text);
        }
    }
    for (pugi::xml_node s : m_workbook.child("workbook").child("sheets").children("sheet")) {
        std::string part = "xl/" + RelsTarget(m_parts, s.attribute("r:id").value());
        auto doc = std::make_unique<pugi::xml_document>();
        if (!m_parts.count(part)) ADD_FAILURE() << "missing sheet part " << part;
        else Parse(m_parts[part], *doc, part);
        m_sheets.emplace_back(s.attribute("name").value(), std::move(doc));
    }
}

std::vector<std::string> Output::SheetNames() const {
    std::vector<std::string> names;
    for (auto& s : m_sheets) names.push_back(s.first);
    return names;
}

pugi::xml_node Output::Sheet(int index) const { return m_sheets.at(static_cast<size_t>(index)).second->child("worksheet"); }

pugi::xml_node Output::Cell(int sheet, const std::string& ref) const {
    std::string xpath = "sheetData/row/c[@r='" + ref + "']";
    return Sheet(sheet).select_node(xpath.c_str()).node();
}

std::string Output::Value(int sheet, const std::string& ref) const {
    pugi::xml_node c = Cell(sheet, ref);
    std::string_view t(c.attribute("t").value());
    if (t == "inlineStr") return c.child("is").child("t").text().get();
    if (t == "s") {
        size_t i = static_cast<size_t>(c.child("v").text().as_int());
        return i < m_shared.size() ? m_shared[i] : "(bad index)";
    }
    return c.child("v").text().get();
}

bool Output::HasValue(int sheet, const std::string& ref) const {
    pugi::xml_node c = Cell(sheet, ref);
    return c.child("v") || c.child("is");
}

std::string Output::Shown(int sheet, const std::string& ref) const {
    pugi::xml_node c = Cell(sheet, ref);
    const std::string_view t(c.attribute("t").value());
    if (!(t.empty() || t == "n") || !c.child("v")) return Value(sheet, ref);
    const std::vector<pugi::xml_node> xfs = CellFormats();
    const size_t s = static_cast<size_t>(c.attribute("s").as_int(0));
    const int id = s < xfs.size() ? xfs[s].attribute("numFmtId").as_int(0) : 0;
    std::string code = xls::BuiltInNumberFormat(id);
    for (pugi::xml_node f : m_styles.child("styleSheet").child("numFmts").children("numFmt"))
        if (f.attribute("numFmtId").as_int(-1) == id) code = f.attribute("formatCode").value();
    return FormatXlsNumber(c.child("v").text().as_double(), code.empty() ? "General" : code).text;
}

int Output::Style(int sheet, const std::string& ref) const { return Cell(sheet, ref).attribute("s").as_int(0); }

std::vector<std::string> Output::Merges(int sheet) const {
    std::vector<std::string> refs;
    for (pugi::xml_node m : Sheet(sheet).child("mergeCells").children("mergeCell")) refs.push_back(m.attribute("ref").value());
    return refs;
}

std::vector<pugi::xml_node> Output::CellFormats() const {
    std::vector<pugi::xml_node> xfs;
    for (pugi::xml_node x : m_styles.child("styleSheet").child("cellXfs").children("xf")) xfs.push_back(x);
    return xfs;
}

}  // namespace xlstest
