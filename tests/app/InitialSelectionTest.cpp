// Tests of app/InitialSelection.h.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "TempFolder.h"
#include "app/InitialSelection.h"
#include "platform/FileUtil.h"

namespace {

TEST(InitialSelection, FileNamesByGyomuAndVariant) {
    EXPECT_EQ(InitialSelectionFileName(1, 0), "新測量工種初期選択.txt");
    EXPECT_EQ(InitialSelectionFileName(1, 1), "測量工種初期選択.txt");
    EXPECT_EQ(InitialSelectionFileName(2, 0), "新設計工種初期選択.txt");
    EXPECT_EQ(InitialSelectionFileName(3, 1), "物件工種初期選択.txt");
    EXPECT_EQ(InitialSelectionFileName(4, 0), "新土質一般工種初期選択.txt");
    EXPECT_EQ(InitialSelectionFileName(5, 1), "土質解析工種初期選択.txt");
    EXPECT_EQ(InitialSelectionFileName(6, 0), "新区画測量工種初期選択.txt");
    EXPECT_EQ(InitialSelectionFileName(7, 1), "区画設計工種初期選択.txt");
    EXPECT_EQ(InitialSelectionFileName(8, 0), "");
    EXPECT_EQ(InitialSelectionFileName(0, 0), "");
    EXPECT_EQ(InitialSelectionFileName(2, 2), "");
}

TEST(InitialSelection, ReadsFormulasLineByLineAndClosesWithMinusOne) {
    TempFolder folder;
    // CR LF lines, an empty line storing nothing, formulas valued and truncated.
    WriteTestFile(folder / "新設計工種初期選択.txt", "300\r\n\r\n301\r\n2*151\r\n");
    std::array<int, 10> values;
    values.fill(99);
    EXPECT_EQ(LoadInitialSelection(folder.Path(), 2, values, 0), 0);
    EXPECT_EQ(values[0], 300);
    EXPECT_EQ(values[1], 301);
    EXPECT_EQ(values[2], 302);
    EXPECT_EQ(values[3], -1);
    EXPECT_EQ(values[4], 99);

    // At most the given count of lines is taken, empty ones included; no -1 then.
    std::array<int, 2> two;
    two.fill(99);
    EXPECT_EQ(LoadInitialSelection(folder.Path(), 2, two, 0), 0);
    EXPECT_EQ(two, (std::array<int, 2>{300, 99}));

    // A last line without its line end still counts; a line ending without CR keeps its last digit.
    WriteTestFile(folder / "設計工種初期選択.txt", "15\n0.9999999\n7");
    values.fill(99);
    EXPECT_EQ(LoadInitialSelection(folder.Path(), 2, values, 1), 0);
    EXPECT_EQ(values[0], 15);
    EXPECT_EQ(values[1], 1);
    EXPECT_EQ(values[2], 7);
    EXPECT_EQ(values[3], -1);
}

TEST(InitialSelection, OnlyTheFirstThousandBytesAreRead) {
    TempFolder folder;
    std::string text;
    for (int i = 0; i < 300; ++i) text += "12\r\n";  // 1200 bytes: 250 whole lines fit
    WriteTestFile(folder / "新物件工種初期選択.txt", text);
    std::array<int, 400> values;
    values.fill(99);
    EXPECT_EQ(LoadInitialSelection(folder.Path(), 3, values, 0), 0);
    EXPECT_EQ(values[249], 12);
    EXPECT_EQ(values[250], -1);

    // A line cut at the limit is not read as a shorter number.
    WriteTestFile(folder / "新物件工種初期選択.txt", "7\r\n" + text);
    values.fill(99);
    EXPECT_EQ(LoadInitialSelection(folder.Path(), 3, values, 0), 0);
    EXPECT_EQ(values[0], 7);
    EXPECT_EQ(values[249], 12);
    EXPECT_EQ(values[250], -1);
}

TEST(InitialSelection, MissingFileOrUnknownGyomu) {
    TempFolder folder;
    std::array<int, 3> values{7, 7, 7};
    EXPECT_EQ(LoadInitialSelection(folder.Path(), 4, values, 0), -1);
    WriteTestFile(folder / "新土質一般工種初期選択.txt", "1\r\n");
    EXPECT_EQ(LoadInitialSelection(folder.Path(), 9, values, 0), -1);
    EXPECT_EQ(values, (std::array<int, 3>{7, 7, 7}));
}

TEST(InitialSelection, AListThatIsNoRegularFileIsNotRead) {
    TempFolder folder;
    std::array<int, 3> values{7, 7, 7};
    int result = 0;
    EXPECT_TRUE(ReturnsWithoutAWriter(folder / "新物件工種初期選択.txt",
                                      [&] { result = LoadInitialSelection(folder.Path(), 3, values, 0); }));
    EXPECT_EQ(result, -1);
    EXPECT_EQ(values, (std::array<int, 3>{7, 7, 7}));
}

TEST(FormTextFile, ATwinThatIsNoRegularFileIsNone) {
    TempFolder folder;
    const std::vector<std::string> forms = {folder / "ｶﾗｰA4形式.xlsx", folder / "ﾓﾉｸﾛA4通常形式.xlsx"};
    int result = 0;
    EXPECT_TRUE(ReturnsWithoutAWriter(folder / "ｶﾗｰA4形式.txt", [&] { result = CheckFormTextFile(forms, 0); }));
    EXPECT_EQ(result, -1);
    ASSERT_TRUE(std::filesystem::create_directory(folder / "ﾓﾉｸﾛA4通常形式.txt"));
    EXPECT_EQ(CheckFormTextFile(forms, 1), -1);
}

TEST(FormTextFile, TheTextTwinOfTheSelectedForm) {
    TempFolder folder;
    const std::vector<std::string> forms = {folder / "ｶﾗｰA4形式.xls", folder / "ﾓﾉｸﾛA4通常形式.xls"};
    WriteTestFile(folder / "ﾓﾉｸﾛA4通常形式.txt", "form");
    EXPECT_EQ(CheckFormTextFile(forms, 1), 0);
    EXPECT_EQ(CheckFormTextFile(forms, 0), -1);
    EXPECT_EQ(CheckFormTextFile(forms, 2), -1);
    EXPECT_EQ(CheckFormTextFile(forms, -1), -1);
    EXPECT_EQ(CheckFormTextFile({}, 0), -1);
    // The extension is replaced whatever it is: the twin of an .xlsx is the .txt, not a ".txtx".
    const std::vector<std::string> current = {folder / "ﾓﾉｸﾛA4通常形式.xlsx", folder / "ｶﾗｰA4形式.xlsx"};
    WriteTestFile(folder / "ｶﾗｰA4形式.txtx", "form");
    EXPECT_EQ(CheckFormTextFile(current, 0), 0);
    EXPECT_EQ(CheckFormTextFile(current, 1), -1);
}

}  // namespace
