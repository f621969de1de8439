// Addresses and formula texts, as the engine reads and moves them.
#include <gtest/gtest.h>

#include "report/XlsInternal.h"

TEST(XlsText, CellAddresses) {
    struct Case {
        const char* text;
        bool ok;
        int row, column;
    } cases[] = {
        {"A1", true, 1, 1},          {"b3", true, 3, 2},        {"$C$7", true, 7, 3},    {"Z9", true, 9, 26},
        {"AA10", true, 10, 27},      {"XFD1048576", true, 1048576, 16384},
        {"XFE1", false, 0, 0},       {"A1048577", false, 0, 0}, {"A0", false, 0, 0},     {"1A", false, 0, 0},
        {"A", false, 0, 0},          {"", false, 0, 0},         {"AAAA1", false, 0, 0},  {"A1 ", false, 0, 0},
        {"$$A1", false, 0, 0},       {"A99999999", false, 0, 0},
    };
    for (auto& c : cases) {
        int row = 0, column = 0;
        EXPECT_EQ(xls::ParseCellRef(c.text, row, column), c.ok) << c.text;
        if (!c.ok) continue;
        EXPECT_EQ(row, c.row) << c.text;
        EXPECT_EQ(column, c.column) << c.text;
    }
    EXPECT_EQ(xls::CellRef(1048576, 16384), "XFD1048576");
    EXPECT_EQ(xls::CellRef(5, 703), "AAA5");
}

TEST(XlsText, SharedFormulasMovedToTheirCell) {
    struct Case {
        const char* formula;
        int rows, columns;
        const char* moved;
    } cases[] = {
        {"A1*2+$A$1", 1, 0, "A2*2+$A$1"},
        {"SUM(B1:B3)", 2, 1, "SUM(C3:C5)"},
        {"$A1+A$1", 3, 2, "$A4+C$1"},
        {"LOG10(A1)", 0, 1, "LOG10(B1)"},            // a function name that looks like an address
        {"\"A1\"&A1", 1, 0, "\"A1\"&A2"},              // texts stay
        {"'Sheet A1'!A1+Sheet1!B2", 1, 1, "'Sheet A1'!B2+Sheet1!C3"},
        {"A1-1", -1, 0, "#REF!-1"},
        {"1.5E3+A1", 0, 0, "1.5E3+A1"},
    };
    for (auto& c : cases) EXPECT_EQ(xls::ShiftFormula(c.formula, c.rows, c.columns), c.moved) << c.formula;
}

TEST(XlsText, PrintAreaFormulas) {
    struct Case {
        const char* formula;
        std::vector<std::string> areas;
    } cases[] = {
        {"代価表!$A$1:$F$6", {"$A$1:$F$6"}},
        {"'単価 表'!$A$1:$C$3,'単価 表'!$E$1:$F$2", {"$A$1:$C$3", "$E$1:$F$2"}},
        {"'it''s, here'!$1:$2", {"$1:$2"}},
        {"", {}},
    };
    for (auto& c : cases) EXPECT_EQ(xls::FormulaAreas(c.formula), c.areas) << c.formula;
    EXPECT_EQ(xls::QuoteSheetName("it's"), "'it''s'");
}
