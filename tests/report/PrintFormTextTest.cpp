// The text twin of a print form: where it lies, how its lines are read, the date texts of the
// 令和 era and the form paths kept from earlier versions.
#include <gtest/gtest.h>

#include <filesystem>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "platform/Cp932.h"
#include "report/EraDate.h"
#include "report/PrintFormText.h"
#include "report/ReportTexts.h"

namespace {

// A twin whose every line holds "keep": the lines a read does not reach stay so.
CPrintFormText Preset() {
    CPrintFormText text;
    for (int i = 0; i < CPrintFormText::kLineCount; ++i) text.SetLine(i, "keep");
    return text;
}

std::vector<std::string> Lines(const CPrintFormText& text) {
    std::vector<std::string> lines;
    for (int i = 0; i < CPrintFormText::kLineCount; ++i) lines.push_back(text.GetLine(i));
    return lines;
}

std::string Sjis(const std::string& utf8) { return vemo::Utf8ToCp932(utf8); }

}  // namespace

TEST(PrintFormText, TwinPathReplacesTheExtensionWhateverItIs) {
    struct Row {
        const char* form;
        const char* twin;
    } rows[] = {
        {"/p/フォーム/ｶﾗｰA4形式.xlsx", "/p/フォーム/ｶﾗｰA4形式.txt"},
        {"/p/フォーム/ｶﾗｰA4形式.xls", "/p/フォーム/ｶﾗｰA4形式.txt"},
        {"/p/フォーム/様式.ods", "/p/フォーム/様式.txt"},
        {"/p/v1.2/様式", "/p/v1.2/様式.txt"},
        {"/p/.hidden", "/p/.hidden.txt"},
        {"C:\\フォーム\\様式.xlsx", "C:\\フォーム\\様式.txt"},
    };
    for (const Row& r : rows) EXPECT_EQ(PrintFormTextPath(r.form), r.twin) << r.form;
}

TEST(PrintFormText, ReadsTheLinesOfATwin) {
    const std::string a996(996, 'a'), a997(997, 'a');
    struct Row {
        const char* what;
        std::string bytes;
        std::vector<std::pair<int, std::string>> lines;  // lines changed from "keep"
    } rows[] = {
        {"CR LF", Sjis("印刷表題\r\nNo.\r\n"), {{0, "印刷表題"}, {1, "No."}}},
        {"LF only", Sjis("印刷表題\nNo.\n"), {{0, "印刷表題"}, {1, "No."}}},
        {"no line feed at the end", Sjis("印刷表題\r\n日付"), {{0, "印刷表題"}, {1, "日付"}}},
        {"empty lines", Sjis("\r\n\r\n宛名1\r\n"), {{0, ""}, {1, ""}, {2, "宛名1"}}},
        {"a lone carriage return stays", "a\rb\r\n", {{0, "a\rb"}}},
        {"more than 25 lines", std::string(30, '\n'), {{0, ""}, {1, ""}, {2, ""}, {3, ""}, {4, ""}, {5, ""}, {6, ""},
                                                       {7, ""}, {8, ""}, {9, ""}, {10, ""}, {11, ""}, {12, ""},
                                                       {13, ""}, {14, ""}, {15, ""}, {16, ""}, {17, ""}, {18, ""},
                                                       {19, ""}, {20, ""}, {21, ""}, {22, ""}, {23, ""}, {24, ""}}},
        // Byte 1000 falls inside 日 (bytes 999 and 1000): the half character goes, and with it all
        // that the first 1000 bytes hold of line 1.
        {"over 1000 bytes, a character cut in two", a997 + "\r\n" + Sjis("日本\r\n宛名"), {{0, a997}}},
        // Bytes 998 and 999 hold 日, 1000 and 1001 本: 日 is whole.
        {"over 1000 bytes, a whole character at the end", a996 + "\r\n" + Sjis("日本\r\n"), {{0, a996}, {1, "日"}}},
        // 亜 ends in 0x9F, a byte that could also start a character; it is a whole character.
        {"a second byte that looks like a first", a996 + "\r\n" + Sjis("亜亜"), {{0, a996}, {1, "亜"}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        CPrintFormText text = Preset();
        ReadPrintFormText(r.bytes, text);
        std::vector<std::string> expected(CPrintFormText::kLineCount, "keep");
        for (auto& [line, value] : r.lines) expected[static_cast<size_t>(line)] = value;
        EXPECT_EQ(Lines(text), expected);
    }
}

TEST(PrintFormText, LoadsTheTwinOfAFormOrLeavesTheTextsAlone) {
    TempFolder dir;
    WriteTestFile(dir / "ﾓﾉｸﾛA4承認形式.txt", Sjis("表題\r\n番号\r\n"));
    CPrintFormText text = Preset();
    EXPECT_EQ(LoadPrintFormText(dir / "ﾓﾉｸﾛA4承認形式.xlsx", text), 0);
    EXPECT_EQ(text.GetLine(0), "表題");
    EXPECT_EQ(text.GetLine(1), "番号");
    EXPECT_EQ(text.GetLine(2), "keep");

    CPrintFormText untouched = Preset();
    EXPECT_EQ(LoadPrintFormText(dir / "ｶﾗｰA4形式.xlsx", untouched), -1);
    EXPECT_EQ(Lines(untouched), Lines(Preset()));
}

TEST(PrintFormText, ATwinThatIsNoRegularFileIsNotRead) {
    TempFolder dir;
    CPrintFormText text;
    text.SetLine(0, "kept");
    int result = 0;
    EXPECT_TRUE(ReturnsWithoutAWriter(dir / "様式.txt", [&] { result = LoadPrintFormText(dir / "様式.xlsx", text); }));
    EXPECT_EQ(result, -1);
    EXPECT_EQ(text.GetLine(0), "kept");
    ASSERT_TRUE(std::filesystem::create_directory(dir / "別様式.txt"));
    EXPECT_EQ(LoadPrintFormText(dir / "別様式.xlsx", text), -1);
}

TEST(PrintFormText, TheBukkenSwitchIsLine24) {
    CPrintFormText text;
    EXPECT_FALSE(text.IsBukkenUchiwakePrinted());
    text.SetLine(23, reporttext::kBukkenUchiwakeSwitch);
    EXPECT_FALSE(text.IsBukkenUchiwakePrinted());
    text.SetLine(24, reporttext::kBukkenUchiwakeSwitch);
    EXPECT_TRUE(text.IsBukkenUchiwakePrinted());
    text.SetLine(25, "ignored");
    EXPECT_EQ(text.GetLine(25), "");
    EXPECT_EQ(text.GetLine(-1), "");
}

TEST(PrintFormText, ReiwaDates) {
    struct Row {
        vemo::CivilDate date;
        const char* text;
    } rows[] = {
        {{2019, 5, 1}, "令和 元年  5 月  1 日"},
        {{2019, 12, 31}, "令和 元年 12 月 31 日"},
        {{2020, 1, 9}, "令和 2 年  1 月  9 日"},
        {{2025, 4, 30}, "令和 7 年  4 月 30 日"},
        {{2030, 10, 10}, "令和 12 年 10 月 10 日"},
    };
    for (const Row& r : rows) EXPECT_EQ(ReiwaDateText(r.date), r.text) << r.date.year;
}

TEST(PrintFormText, StoredXlsFormsFindTheirXlsx) {
    TempFolder dir;
    WriteTestFile(dir / "新.xlsx", "x");
    WriteTestFile(dir / "両方.xls", "x");
    WriteTestFile(dir / "両方.xlsx", "x");
    struct Row {
        std::string stored, used;
    } rows[] = {
        {dir / "新.xls", dir / "新.xlsx"},      // missing .xls, present .xlsx
        {dir / "両方.xls", dir / "両方.xls"},   // the .xls is there: kept
        {dir / "無.xls", dir / "無.xls"},       // neither: kept
        {dir / "新.xlsx", dir / "新.xlsx"},
        {dir / "自作.ods", dir / "自作.ods"},
    };
    for (const Row& r : rows) EXPECT_EQ(ResolveStoredFormPath(r.stored), r.used) << r.stored;
}
