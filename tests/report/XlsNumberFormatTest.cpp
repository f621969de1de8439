// What cells show through the forms' number formats.
#include <gtest/gtest.h>

#include <optional>

#include "report/XlsNumberFormat.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000;

}  // namespace

TEST(XlsNumberFormat, NumbersThroughFormats) {
    struct Case {
        const char* format;
        double value;
        const char* shown;
        std::optional<uint32_t> color = std::nullopt;
    } cases[] = {
        // General: up to 11 characters, fewer decimals or scientific notation beyond.
        {"General", 0, "0"},
        {"General", 1500, "1500"},
        {"General", -1500.25, "-1500.25"},
        {"General", 1.0 / 3, "0.333333333"},
        {"General", 0.1 + 0.2, "0.3"},
        {"General", 123456789012.0, "1.23457E+11"},
        {"General", 0.0000000001, "1E-10"},
        {"", 42, "42"},
        // Decimals, rounded half away from zero as Excel shows them.
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"0.00", 2.675, "2.68"},
        {"0.000", 1.5, "1.500"},
        {"#.##", 1, "1."},
        {"#.##", 0.5, ".5"},
        {".00", 12.5, "12.50"},
        {"0.0?", 1.5, "1.5 "},
        {"000", 7, "007"},
        // Thousands and scaling commas.
        {"#,##0", 1234567, "1,234,567"},
        {"#,##0", 999.5, "1,000"},
        {"#,##0", -1234, "-1,234"},
        {"#,##0.0", 1234.56, "1,234.6"},
        {"#,##0", 0, "0"},
        {"#,###", 0, ""},
        {"#,##0,", 1234567, "1,235"},
        {"0.0,,", 2500000, "2.5"},
        // Sections: positive;negative;zero, the negative one without its minus sign.
        {"#,##0;-#,##0", -1234, "-1,234"},
        {"#,##0;[Red]-#,##0", -1234, "-1,234", kRed},
        {"#,##0;[Red]-#,##0", 1234, "1,234"},
        {"#,##0;(#,##0)", -5, "(5)"},
        {"#,##0;(#,##0);\"－\"", 0, "－"},
        {"#,##0;-#,##0;", 0, ""},
        {"[Red]0.0", -1.25, "-1.3", kRed},
        {"[Color10]0", 3, "3", 0xFF008000},
        {"#,##0_ ;[Red]\\-#,##0\\ ", -1234, "-1,234 ", kRed},
        {"#,##0_ ;[Red]\\-#,##0\\ ", 1234, "1,234 "},
        // Quoted literals, escapes and currency tags.
        {"\"第\"0\"号\"", 5, "第5号"},
        {"0\"頁\"", 12, "12頁"},
        {"#,##0\"円\"", 1500, "1,500円"},
        {"\\¥#,##0", 1500, "¥1,500"},
        {"[$¥-411]#,##0", 1500, "¥1,500"},
        {"\"合計 \"General", 7.5, "合計 7.5"},
        // Percent, scientific, conditions, fills.
        {"0%", 0.125, "13%"},
        {"0.0%", 0.125, "12.5%"},
        {"0.00E+00", 12345, "1.23E+04"},
        {"0.00E+00", 0.000999999, "1.00E-03"},
        {"[>=1000]#,##0\"千\";0", 5000, "5,000千"},
        {"[>=1000]#,##0\"千\";0", 50, "50"},
        {"*-#,##0", 12, "12"},
        {"000-0000", 1234567, "123-4567"},
        // A section with date codes shows the number as General.
        {"yyyy/m/d", 45000, "45000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " with " + std::to_string(c.value));
        XlsShownValue shown = FormatXlsNumber(c.value, c.format);
        EXPECT_EQ(shown.text, c.shown);
        EXPECT_EQ(shown.color, c.color);
        EXPECT_TRUE(shown.number);
    }
}

TEST(XlsNumberFormat, CellsOfEveryKind) {
    auto cell = [](XlsValueKind kind, double number, const char* text) {
        XlsCell c;
        c.kind = kind;
        c.number = number;
        c.text = text;
        return c;
    };
    struct Case {
        XlsCell cell;
        const char* format;
        const char* shown;
        bool number;
        std::optional<uint32_t> color = std::nullopt;
    } cases[] = {
        {cell(XlsValueKind::text, 0, "測量業務"), "#,##0", "測量業務", false},
        {cell(XlsValueKind::text, 0, "測量業務"), "@", "測量業務", false},
        {cell(XlsValueKind::text, 0, "測量業務"), "\"件名：\"@", "件名：測量業務", false},
        {cell(XlsValueKind::text, 0, "abc"), "0;-0;0;[Red]\"<\"@\">\"", "<abc>", false, kRed},
        {cell(XlsValueKind::number, 1234, ""), "#,##0", "1,234", true},
        {cell(XlsValueKind::number, 1234, ""), "", "1234", true},
        {cell(XlsValueKind::boolean, 1, ""), "General", "TRUE", false},
        {cell(XlsValueKind::error, 0, "#DIV/0!"), "0.00", "#DIV/0!", false},
        {cell(XlsValueKind::empty, 0, ""), "0.00", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        XlsShownValue shown = FormatXlsCell(c.cell, c.format);
        EXPECT_EQ(shown.text, c.shown);
        EXPECT_EQ(shown.number, c.number);
        EXPECT_EQ(shown.color, c.color);
    }
}

TEST(XlsNumberFormat, GeneralInFewerCharacters) {
    struct Case {
        double value;
        int chars;
        const char* shown;
    } cases[] = {
        {1234.5678, 11, "1234.5678"}, {1234.5678, 6, "1234.6"}, {1234.5678, 4, "1235"},
        {1234.5678, 3, ""},           {-0.015625, 5, "-0.016"}, {123456789, 8, "1.23E+08"},
    };
    for (const Case& c : cases) EXPECT_EQ(XlsGeneralNumber(c.value, c.chars), c.shown) << c.value << " in " << c.chars;
}

TEST(XlsNumberFormat, FormatsWithOtherDecimals) {
    const struct {
        const char* format;
        int decimals;
        bool grouped;
        const char* changed;
    } cases[] = {
        {"0.000_ ", 6, false, "0.000000_ "},    {"#,##0_ ", 1, true, "#,##0.0_ "},
        {"0", 3, true, "#,##0.000"},            {"#,##0.00_ ", 0, false, "#,##0_ "},
        {"General", 2, false, "0.00"},          {"0.0;[Red]-0.0;\"ゼロ\"", 3, false, "0.000;[Red]-0.000;\"ゼロ\""},
        {"\"0.0\"0_)", 2, false, "\"0.0\"0.00_)"}, {"@", 2, false, "@"},
    };
    for (const auto& c : cases) EXPECT_EQ(XlsFormatWithDecimals(c.format, c.decimals, c.grouped), c.changed) << c.format;
}
