// Tests of dialogkit/SpreadSheet.h.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyleOptionViewItem>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "CommaLocale.h"
#include "EventWait.h"
#include "dialogkit/SpreadSheet.h"

namespace {

const QStringList kChoices = {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")};

// A shown grid of 5 columns (text, number, check, choice, text) and 10 rows.
class GridTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid = std::make_unique<CSpreadSheet>();
        grid->SetMaxCols(5);
        grid->SetMaxRows(10);
        grid->SetColKind(2, CSpreadSheet::CellKind::Number);
        grid->SetColKind(3, CSpreadSheet::CellKind::Check);
        grid->SetColKind(4, CSpreadSheet::CellKind::Choice, kChoices);
        grid->resize(640, 420);
        grid->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get(), kHangMs));
        grid->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(grid.get(), kHangMs));
    }

    QModelIndex Index(int col, int row) const { return grid->model()->index(row - 1, col - 1); }
    QPoint CellCentre(int col, int row) const { return grid->visualRect(Index(col, row)).center(); }
    void ClickCell(int col, int row) { QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(col, row)); }
    // A double-click as the mouse sends it: a click, then the second press.
    void DoubleClickCell(int col, int row) {
        ClickCell(col, row);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(col, row));
    }
    // Typing on the active cell: the first key reaches the grid, the rest whatever has the focus then.
    void Type(const QString& text) {
        QTest::keyClick(grid.get(), text[0].toLatin1());
        if (text.size() > 1) QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
    }

    std::unique_ptr<CSpreadSheet> grid;
};

// ---------------------------------------------------------------------------------------------
// Cell helpers

TEST_F(GridTest, GetCellDoubleReadsAmounts) {
    struct Case {
        const char* text;
        double defaultValue;
        double expected;
    } const cases[] = {
        {"\\1,234.5", -1.0, 1234.5},           // yen sign of code page 932 texts
        {"\u00A51,234.5", -1.0, 1234.5},       // ¥
        {"\uFFE51,234.5", -1.0, 1234.5},       // ￥
        {"", 7.25, 7.25},                      // empty: the default
        {"abc", 7.25, 0.0},                    // no leading number
        {"\\", 7.25, 0.0},                     // only a yen sign: not empty, no number
        {"12.5kg", 0.0, 12.5},                 // leading number only
        {"  -3.75", 0.0, -3.75},               // leading blanks as atof skips them
        {"1,234,567", 0.0, 1234567.0},
    };
    for (const Case& c : cases) {
        grid->SetCellText(1, 2, QString::fromUtf8(c.text));
        EXPECT_DOUBLE_EQ(grid->GetCellDouble(1, 2, c.defaultValue), c.expected) << c.text;
    }
}

TEST_F(GridTest, NumbersIgnoreADecimalCommaLocale) {
    CommaLocale comma;
    ASSERT_TRUE(comma.Active());
    grid->SetCellText(1, 2, QStringLiteral("\\1,234.5"));
    EXPECT_DOUBLE_EQ(grid->GetCellDouble(1, 2, 0.0), 1234.5);
    grid->SetCellDouble(1, 2, 2.5);
    EXPECT_EQ(grid->GetCellText(1, 2), QStringLiteral("2.5000"));
}

TEST_F(GridTest, WritersFormatLikePrintf) {
    struct Case {
        const char* name;
        void (*write)(CSpreadSheet&);
        int col;
        const char* text;   // expected cell text
        const char* value;  // expected cell value
    } const cases[] = {
        {"double 2.5", [](CSpreadSheet& g) { g.SetCellDouble(1, 3, 2.5); }, 1, "2.5000", "2.5000"},
        {"double rounds", [](CSpreadSheet& g) { g.SetCellDouble(1, 3, 1234.56789); }, 1, "1234.5679", "1234.5679"},
        {"double negative", [](CSpreadSheet& g) { g.SetCellDouble(1, 3, -0.125); }, 1, "-0.1250", "-0.1250"},
        {"int -30", [](CSpreadSheet& g) { g.SetCellInt(1, 3, -30); }, 1, "-30", "-30"},
        {"check 2", [](CSpreadSheet& g) { g.SetCellCheck(3, 3, 2); }, 3, "", "1"},
        {"check 0", [](CSpreadSheet& g) { g.SetCellCheck(3, 3, 0); }, 3, "", "0"},
        {"check value 1", [](CSpreadSheet& g) { g.SetCellValueInt(3, 3, 1); }, 3, "", "1"},
        {"choice by value", [](CSpreadSheet& g) { g.SetCellValueInt(4, 3, 1); }, 4, "乙", "1"},
        {"choice by text", [](CSpreadSheet& g) { g.SetCellText(4, 3, QStringLiteral("丙")); }, 4, "丙", "2"},
        {"choice out of range", [](CSpreadSheet& g) { g.SetCellValueInt(4, 3, 7); }, 4, "", ""},
        {"clear", [](CSpreadSheet& g) { g.SetCellText(1, 3, QStringLiteral("x")); g.ClearCellText(1, 3); }, 1, "", ""},
    };
    for (const Case& c : cases) {
        c.write(*grid);
        EXPECT_EQ(grid->GetCellText(c.col, 3), QString::fromUtf8(c.text)) << c.name;
        grid->SetRow(3);
        grid->SetCol(c.col);
        EXPECT_EQ(grid->GetValue(), QString::fromUtf8(c.value)) << c.name;
    }
    grid->SetCellValueInt(4, 3, 2);
    EXPECT_EQ(grid->GetCellValueInt(4, 3), 2);
    grid->SetCellCheck(3, 3, 5);
    EXPECT_EQ(grid->GetCellValueInt(3, 3), 1);
}

TEST_F(GridTest, HelpersAddressTheCellRowFirst) {
    grid->SetCellText(2, 5, QStringLiteral("42"));
    EXPECT_EQ(grid->GetRow(), 5);
    EXPECT_EQ(grid->GetCol(), 2);
    grid->SetRow(5);
    grid->SetCol(2);
    EXPECT_EQ(grid->GetText(), QStringLiteral("42"));
    EXPECT_EQ(Index(2, 5).data().toString(), QStringLiteral("42"));
    EXPECT_TRUE(grid->GetCellText(9, 99).isEmpty());  // outside the grid: nothing
    EXPECT_DOUBLE_EQ(grid->GetCellDouble(9, 99, 3.0), 3.0);
}

// ---------------------------------------------------------------------------------------------
// Layout

TEST_F(GridTest, HeadingsAndTwoLineRows) {
    int oneLineHeader = grid->horizontalHeader()->sizeHint().height();
    grid->SetCellText(1, 0, QStringLiteral("費目  ／  工種\n種別"));
    grid->SetCellText(2, 0, QStringLiteral("単 位"));
    grid->SetCellText(0, 4, QStringLiteral("行\n見出し"));
    EXPECT_EQ(grid->GetCellText(1, 0), QStringLiteral("費目  ／  工種\n種別"));
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("単 位"));
    EXPECT_EQ(grid->GetCellText(0, 4), QStringLiteral("行\n見出し"));
    EXPECT_EQ(grid->GetCellText(0, 5), QStringLiteral("5"));  // rows are numbered by default
    EXPECT_GT(grid->horizontalHeader()->sizeHint().height(), oneLineHeader);
    EXPECT_EQ(grid->rowHeight(3), grid->TwoLineRowHeight());

    ASSERT_GT(grid->TwoLineRowHeight(), grid->OneLineRowHeight());
    EXPECT_EQ(grid->rowHeight(1), grid->OneLineRowHeight());
    grid->SetCellText(1, 2, QStringLiteral("上\n下"));
    EXPECT_EQ(grid->rowHeight(1), grid->TwoLineRowHeight());
    grid->SetCellText(1, 2, QStringLiteral("一行"));
    EXPECT_EQ(grid->rowHeight(1), grid->OneLineRowHeight());

    // With redraw off rows keep their height until redraw is on again.
    grid->SetReDraw(false);
    grid->SetCellText(5, 6, QStringLiteral("a\nb"));
    EXPECT_EQ(grid->rowHeight(5), grid->OneLineRowHeight());
    EXPECT_FALSE(grid->updatesEnabled());
    grid->SetReDraw(true);
    EXPECT_EQ(grid->rowHeight(5), grid->TwoLineRowHeight());
    EXPECT_TRUE(grid->updatesEnabled());

    // A set height stays whatever the texts.
    grid->SetRowHeight(6, 40);
    grid->SetCellText(1, 6, QStringLiteral("x"));
    EXPECT_EQ(grid->rowHeight(5), 40);
    // A height too small for the grid's font still shows a whole line.
    grid->SetRowHeight(7, 10.91);
    EXPECT_GE(grid->rowHeight(6), grid->fontMetrics().height());
    EXPECT_LT(grid->rowHeight(6), grid->OneLineRowHeight());
}

TEST_F(GridTest, HiddenRows) {
    grid->SetRow(3);
    grid->SetRowHidden(true);
    EXPECT_TRUE(grid->isRowHidden(2));
    EXPECT_TRUE(grid->GetRowHidden());
    EXPECT_FALSE(grid->isRowHidden(3));
    grid->SetCellText(1, 3, QStringLiteral("kept"));  // hidden rows keep their texts
    EXPECT_EQ(grid->GetCellText(1, 3), QStringLiteral("kept"));
    grid->SetRow(-1);
    grid->SetRowHidden(true);
    for (int r = 0; r < 10; ++r) EXPECT_TRUE(grid->isRowHidden(r)) << r;
    grid->SetRowHidden(false);
    for (int r = 0; r < 10; ++r) EXPECT_FALSE(grid->isRowHidden(r)) << r;
}

TEST_F(GridTest, ColumnWidthInUnitsOfEightPixels) {
    grid->SetColWidth(1, 10.5);
    EXPECT_EQ(grid->columnWidth(0), 84);
    EXPECT_DOUBLE_EQ(grid->GetColWidth(1), 10.5);
    grid->SetColWidth(-1, 4.0);
    for (int c = 0; c < 5; ++c) EXPECT_EQ(grid->columnWidth(c), 32) << c;
    grid->SetColWidth(0, 5.0);
    EXPECT_EQ(grid->verticalHeader()->width(), 40);
    EXPECT_DOUBLE_EQ(grid->GetColWidth(0), 5.0);
}

TEST_F(GridTest, WholeRowAndColumnColours) {
    grid->SetCellBackColor(-1, 2, 0xCCFFFF);
    grid->SetCellForeColor(-1, 2, 0x008000);
    for (int c = 1; c <= 5; ++c) {
        EXPECT_EQ(Index(c, 2).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0xFF, 0xFF, 0xCC)) << c;
        EXPECT_EQ(Index(c, 2).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0x00, 0x80, 0x00)) << c;
        EXPECT_FALSE(Index(c, 3).data(Qt::BackgroundRole).isValid()) << c;  // other rows untouched
    }
    grid->SetRow(2);
    grid->SetCol(4);
    EXPECT_EQ(grid->GetBackColor(), 0xCCFFFFu);
    EXPECT_EQ(grid->GetForeColor(), 0x008000u);

    // A whole column keeps its colour for rows added later.
    grid->SetCellBackColor(5, -1, 0xFF0000);
    grid->SetMaxRows(12);
    grid->SetRow(12);
    grid->SetCol(5);
    EXPECT_EQ(grid->GetBackColor(), 0xFF0000u);
    EXPECT_EQ(Index(5, 12).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0, 0, 0xFF));

    // The per-cell colour and lock properties by number act like the named ones.
    grid->SetRow(7);
    grid->SetCol(1);
    grid->SetProperty(CSpreadSheet::kPropCellForeColor, 0xFFFFFFu);
    grid->SetProperty(CSpreadSheet::kPropCellBackColor, 0xFF0000u);
    grid->SetProperty(CSpreadSheet::kPropCellLock, 1);
    EXPECT_EQ(grid->GetProperty(CSpreadSheet::kPropForeColor).toUInt(), 0xFFFFFFu);
    EXPECT_EQ(grid->GetProperty(CSpreadSheet::kPropBackColor).toUInt(), 0xFF0000u);
    EXPECT_TRUE(grid->GetProperty(CSpreadSheet::kPropLock).toBool());
    grid->SetProperty(CSpreadSheet::kPropGridColor, 0xC0C0C0u);
    EXPECT_EQ(grid->GetGridColor(), 0xC0C0C0u);
    grid->SetProperty(CSpreadSheet::kPropSelBackColor, 0x8080FFu);
    EXPECT_EQ(grid->palette().color(QPalette::Inactive, QPalette::Highlight), QColor(0xFF, 0x80, 0x80));
}

// The text width of a column is what the delegate asks for the widest text of its shown rows,
// whichever rows were written, emptied or hidden since it was last asked.
TEST_F(GridTest, TheWidestTextOfAColumnFollowsTheRowsAsTheyAreWritten) {
    auto expected = [this](int col) {
        QStyleOptionViewItem option;
        option.initFrom(grid.get());
        option.font = grid->font();
        option.widget = grid.get();
        int widest = 0;
        for (int row = 1; row <= grid->GetMaxRows(); ++row) {
            const QModelIndex index = Index(col, row);
            if (grid->isRowHidden(row - 1) || index.data().toString().isEmpty()) continue;
            widest = std::max(widest, grid->itemDelegate()->sizeHint(option, index).width());
        }
        return widest / 8.0;
    };
    auto write = [this](int col, int row, const char* text) { grid->SetCellText(col, row, QString::fromUtf8(text)); };
    struct Step {
        const char* what;
        std::function<void()> change;
    } const steps[] = {
        {"empty columns", [] {}},
        {"figures, names and a choice",
         [&] {
             for (int row = 1; row <= 4; ++row) write(2, row, std::array{"1.0000", "22.5000", "-333.2500", "4"}[row - 1]);
             write(1, 1, "上の行\n下");
             write(1, 2, "ABCDEFG");
             grid->SetCellValueInt(4, 3, 1);
         }},
        {"a wider figure", [&] { write(2, 4, "123,456,789.0000"); }},
        {"the widest narrower again", [&] { write(2, 4, "5.0000"); }},
        {"the widest emptied", [&] { grid->ClearCellText(2, 3); }},
        {"a wider second line", [&] { write(1, 1, "上\n下の行の方が長い"); }},
        {"the widest row hidden",
         [&] {
             grid->SetRow(1);
             grid->SetRowHidden(true);
         }},
        {"shown again", [&] { grid->SetRowHidden(false); }},
        {"written with redraw off",
         [&] {
             grid->SetReDraw(false);
             write(2, 2, "98765.4321");
             write(1, 2, "");
             grid->SetReDraw(true);
         }},
        {"a column of another kind", [&] { grid->SetColKind(1, CSpreadSheet::CellKind::Choice, kChoices); }},
        {"rows taken away", [&] { grid->SetMaxRows(1); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        for (int col : {1, 2, 4}) EXPECT_DOUBLE_EQ(grid->GetColTextWidth(col), expected(col)) << "column " << col;
    }
    EXPECT_GT(grid->GetColTextWidth(1), 0.0);
}

// With redraw off the view is told of a bulk change once, when redraw is on again; each row takes
// a new revision only when something it shows changed.
TEST_F(GridTest, ABulkChangeIsToldOnceAndRowsChangeRevisionOnlyWhenTheyChange) {
    std::vector<std::pair<QModelIndex, QModelIndex>> told;
    QObject::connect(grid->model(), &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& a, const QModelIndex& b) { told.push_back({a, b}); });
    auto revisions = [this] {
        std::vector<std::uint32_t> all;
        for (int row = 1; row <= grid->GetMaxRows(); ++row) all.push_back(grid->GetRowRevision(row));
        return all;
    };
    const std::vector<std::uint32_t> first = revisions();

    grid->SetReDraw(false);
    for (int row = 2; row <= 6; ++row) {
        grid->SetCellText(1, row, QStringLiteral("行%1").arg(row));
        grid->SetCellBackColor(-1, row, 0xCCFFFF);
    }
    grid->SetCellCheck(3, 8, 1);
    EXPECT_TRUE(told.empty());
    grid->SetReDraw(true);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].first, Index(1, 2));
    EXPECT_EQ(told[0].second, Index(5, 8));
    const std::vector<std::uint32_t> second = revisions();
    for (int row = 1; row <= 10; ++row) {
        const bool written = (row >= 2 && row <= 6) || row == 8;
        EXPECT_EQ(second[row - 1] != first[row - 1], written) << "row " << row;
    }

    // Writing what a row already shows changes nothing; a change with redraw on is told at once.
    told.clear();
    grid->SetCellText(1, 2, QStringLiteral("行2"));
    grid->SetCellBackColor(-1, 3, 0xCCFFFF);
    grid->SetCellCheck(3, 8, 1);
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(revisions(), second);
    grid->SetCellForeColor(2, 4, 0x0000FF);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].first, Index(2, 4));
    EXPECT_NE(grid->GetRowRevision(4), second[3]);

    // A row taken away and added again is not the row it was.
    grid->SetMaxRows(9);
    grid->SetMaxRows(10);
    EXPECT_EQ(std::count(second.begin(), second.end(), grid->GetRowRevision(10)), 0);
    EXPECT_EQ(grid->GetRowRevision(11), 0u);
}

TEST_F(GridTest, BlockActions) {
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 2; ++c) grid->SetCellText(c, r, QStringLiteral("%1-%2").arg(c).arg(r));
    grid->SetCellCheck(3, 2, 1);

    grid->SetCol(1);
    grid->SetCol2(3);
    grid->SetRow(2);
    grid->SetRow2(3);
    grid->SetBlockMode(true);
    grid->SetAction(CSpreadSheet::kActionClearText);
    grid->SetBlockMode(false);
    EXPECT_EQ(grid->GetCellText(1, 1), QStringLiteral("1-1"));
    EXPECT_TRUE(grid->GetCellText(1, 2).isEmpty());
    EXPECT_TRUE(grid->GetCellText(2, 3).isEmpty());
    EXPECT_EQ(grid->GetCellValueInt(3, 2), 0);
    EXPECT_EQ(grid->GetCellText(2, 4), QStringLiteral("2-4"));

    grid->SetCol(-1);
    grid->SetCol2(-1);
    grid->SetRow(-1);
    grid->SetRow2(-1);
    grid->SetBlockMode(true);
    grid->SetAction(CSpreadSheet::kActionClearText);
    grid->SetBlockMode(false);
    for (int r = 1; r <= 4; ++r) EXPECT_TRUE(grid->GetCellText(1, r).isEmpty()) << r;

    // Selecting a block makes its first cell the active one.
    grid->SelectCell(2, 6);
    EXPECT_EQ(grid->GetActiveCol(), 2);
    EXPECT_EQ(grid->GetActiveRow(), 6);
    ASSERT_EQ(grid->selectionModel()->selection().size(), 1);
    EXPECT_EQ(grid->selectionModel()->selection()[0].height() * grid->selectionModel()->selection()[0].width(), 1);
    grid->SelectCell(-1, 4);
    ASSERT_EQ(grid->selectionModel()->selection().size(), 1);
    EXPECT_EQ(grid->selectionModel()->selection()[0].top(), 3);
    EXPECT_EQ(grid->selectionModel()->selection()[0].width(), 5);
    EXPECT_EQ(grid->GetActiveRow(), 4);
}

// ---------------------------------------------------------------------------------------------
// Editing by the user

TEST_F(GridTest, LockedCellsRefuseEdits) {
    std::vector<std::pair<int, int>> changes;
    QObject::connect(grid.get(), &CSpreadSheet::Change, [&](int c, int r) { changes.push_back({c, r}); });
    grid->SetCellText(1, 2, QStringLiteral("固定"));
    grid->SetCellLocked(1, 2, 1);
    grid->SetCellLocked(3, 2, 1);

    grid->SelectCell(1, 2);
    Type(QStringLiteral("x"));
    EXPECT_FALSE(grid->GetEditMode());
    DoubleClickCell(1, 2);
    EXPECT_FALSE(grid->GetEditMode());
    grid->SetEditMode(true);
    EXPECT_FALSE(grid->GetProperty(CSpreadSheet::kPropEditMode).toBool());
    ClickCell(3, 2);  // locked check cell
    EXPECT_EQ(grid->GetCellValueInt(3, 2), 0);
    EXPECT_EQ(grid->GetCellText(1, 2), QStringLiteral("固定"));
    EXPECT_TRUE(changes.empty());

    // The unlocked cell below takes typing; Enter ends the edit and reports the change.
    grid->SelectCell(1, 3);
    Type(QStringLiteral("ab"));
    EXPECT_TRUE(grid->GetEditMode());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();  // the editor closes on a queued call
    EXPECT_FALSE(grid->GetEditMode());
    EXPECT_EQ(grid->GetCellText(1, 3), QStringLiteral("ab"));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_pair(1, 3));

    // Unlocking gives the cell back to the user.
    grid->SetCellLocked(1, 2, 0);
    grid->SelectCell(1, 2);
    grid->SetEditMode(true);
    EXPECT_TRUE(grid->GetEditMode());
    grid->SetEditMode(false);
}

TEST_F(GridTest, CheckAndChoiceCellsByTheUser) {
    struct Event {
        int col, row;
        short state;
    };
    std::vector<Event> buttons;
    std::vector<std::pair<int, int>> changes;
    QObject::connect(grid.get(), &CSpreadSheet::ButtonClicked,
                     [&](int c, int r, short s) { buttons.push_back({c, r, s}); });
    QObject::connect(grid.get(), &CSpreadSheet::Change, [&](int c, int r) { changes.push_back({c, r}); });

    ClickCell(3, 4);
    EXPECT_EQ(grid->GetCellValueInt(3, 4), 1);
    ClickCell(3, 4);
    EXPECT_EQ(grid->GetCellValueInt(3, 4), 0);
    grid->SelectCell(3, 5);
    QTest::keyClick(grid.get(), Qt::Key_Space);
    EXPECT_EQ(grid->GetCellValueInt(3, 5), 1);
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(buttons[0].col, 3);
    EXPECT_EQ(buttons[0].row, 4);
    EXPECT_EQ(buttons[0].state, 1);
    EXPECT_EQ(buttons[1].state, 0);
    EXPECT_EQ(buttons[2].row, 5);
    EXPECT_EQ(changes.size(), 3u);

    // A choice from the drop-down list stores its index.
    changes.clear();
    grid->SelectCell(4, 2);
    grid->SetEditMode(true);
    auto* combo = grid->viewport()->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 3);
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    EXPECT_FALSE(grid->GetEditMode());
    EXPECT_EQ(grid->GetCellValueInt(4, 2), 2);
    EXPECT_EQ(grid->GetCellText(4, 2), QStringLiteral("丙"));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_pair(4, 2));

    // Program changes raise no events.
    buttons.clear();
    changes.clear();
    grid->SetCellCheck(3, 6, 1);
    grid->SetCellText(1, 6, QStringLiteral("x"));
    EXPECT_TRUE(buttons.empty());
    EXPECT_TRUE(changes.empty());
}

TEST_F(GridTest, NumberCellsAreRightAligned) {
    grid->SetCellDouble(2, 1, 1.5);
    EXPECT_TRUE(Index(2, 1).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
    EXPECT_TRUE(Index(1, 1).data(Qt::TextAlignmentRole).toInt() & Qt::AlignLeft);
    grid->SelectCell(2, 1);
    Type(QStringLiteral("1,234.5"));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("1,234.5"));
    QTest::keyClicks(editor, "x");  // letters are refused in a number cell
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(grid->GetCellDouble(2, 1, 0.0), 1234.5);
}

// ---------------------------------------------------------------------------------------------
// Events raised by mouse and keys

TEST_F(GridTest, ClickDoubleClickAndLeaveEvents) {
    std::vector<std::pair<int, int>> clicks, doubles;
    std::vector<std::vector<int>> leaveCells, leaveRows;
    bool cancelCell = false;
    QObject::connect(grid.get(), &CSpreadSheet::Click, [&](int c, int r) { clicks.push_back({c, r}); });
    QObject::connect(grid.get(), &CSpreadSheet::DblClick, [&](int c, int r) { doubles.push_back({c, r}); });
    QObject::connect(grid.get(), &CSpreadSheet::LeaveCell, [&](int c, int r, int nc, int nr, bool& cancel) {
        leaveCells.push_back({c, r, nc, nr});
        cancel = cancelCell;
    });
    QObject::connect(grid.get(), &CSpreadSheet::LeaveRow,
                     [&](int r, bool wasLast, bool changed, bool all, int nr, bool newLast, bool&) {
                         leaveRows.push_back({r, wasLast, changed, all, nr, newLast});
                     });
    grid->SetCellLocked(-1, -1, 1);  // no editors: a double-click only reports
    grid->SetCellText(1, 5, QStringLiteral("last"));
    grid->SelectCell(1, 1);

    ClickCell(2, 3);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], std::make_pair(2, 3));
    ASSERT_EQ(leaveCells.size(), 1u);
    EXPECT_EQ(leaveCells[0], (std::vector<int>{1, 1, 2, 3}));
    ASSERT_EQ(leaveRows.size(), 1u);
    EXPECT_EQ(leaveRows[0], (std::vector<int>{1, 0, 0, 0, 3, 0}));
    EXPECT_EQ(grid->GetActiveRow(), 3);

    ClickCell(4, 3);  // same row: only the cell event
    EXPECT_EQ(leaveCells.size(), 2u);
    EXPECT_EQ(leaveRows.size(), 1u);

    QTest::keyClick(grid.get(), Qt::Key_Down);
    QTest::keyClick(grid.get(), Qt::Key_Down);
    ASSERT_EQ(leaveRows.size(), 3u);
    EXPECT_EQ(leaveRows[2], (std::vector<int>{4, 0, 0, 0, 5, 1}));  // row 5 holds the last data
    EXPECT_EQ(grid->GetActiveRow(), 5);

    DoubleClickCell(4, 5);
    ASSERT_EQ(doubles.size(), 1u);
    EXPECT_EQ(doubles[0], std::make_pair(4, 5));

    // A cancelled leave keeps the active cell, by mouse and by key.
    cancelCell = true;
    size_t rowsBefore = leaveRows.size();
    ClickCell(2, 8);
    EXPECT_EQ(grid->GetActiveCol(), 4);
    EXPECT_EQ(grid->GetActiveRow(), 5);
    QTest::keyClick(grid.get(), Qt::Key_Up);
    EXPECT_EQ(grid->GetActiveRow(), 5);
    EXPECT_EQ(leaveRows.size(), rowsBefore);
    EXPECT_EQ(leaveCells.back(), (std::vector<int>{4, 5, 4, 4}));

    // A heading click reports row 0 and selects nothing.
    cancelCell = false;
    QHeaderView* top = grid->horizontalHeader();
    QTest::mouseClick(top->viewport(), Qt::LeftButton, {}, QPoint(top->sectionViewportPosition(1) + 5, 5));
    EXPECT_EQ(clicks.back(), std::make_pair(2, 0));
    EXPECT_EQ(grid->GetActiveRow(), 5);
}

TEST_F(GridTest, LeaveRowCancelKeepsTheRow) {
    QObject::connect(grid.get(), &CSpreadSheet::LeaveRow,
                     [&](int, bool, bool, bool, int newRow, bool, bool& cancel) { cancel = newRow > 6; });
    grid->SetCellLocked(-1, -1, 1);
    grid->SelectCell(2, 6);
    QTest::keyClick(grid.get(), Qt::Key_Down);
    EXPECT_EQ(grid->GetActiveRow(), 6);
    QTest::keyClick(grid.get(), Qt::Key_Up);
    EXPECT_EQ(grid->GetActiveRow(), 5);
}

TEST_F(GridTest, KeyEventsCarryWindowsKeyNumbers) {
    std::vector<std::pair<int, int>> downs, ups;
    short dropKey = 0;
    auto isModifier = [](short key) { return key >= 0x10 && key <= 0x12; };
    QObject::connect(grid.get(), &CSpreadSheet::KeyDown, [&](short& key, short shift) {
        if (isModifier(key)) return;  // Shift, Ctrl and Alt report their own presses
        downs.push_back({key, shift});
        if (key == dropKey) key = 0;
    });
    QObject::connect(grid.get(), &CSpreadSheet::KeyUp, [&](short& key, short shift) {
        if (!isModifier(key)) ups.push_back({key, shift});
    });
    grid->SetCellLocked(-1, -1, 1);
    grid->SelectCell(1, 3);

    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int vk, shift;
    } const cases[] = {
        {Qt::Key_Return, {}, 13, 0},
        {Qt::Key_Enter, {}, 13, 0},
        {Qt::Key_Delete, {}, 46, 0},
        {Qt::Key_Up, {}, 0x26, 0},
        {Qt::Key_Down, {}, 0x28, 0},
        {Qt::Key_Down, Qt::ShiftModifier, 0x28, 1},
        {Qt::Key_F5, Qt::ControlModifier, 0x74, 2},
    };
    for (const Case& c : cases) {
        downs.clear();
        ups.clear();
        QTest::keyClick(grid.get(), c.key, c.modifiers);
        ASSERT_EQ(downs.size(), 1u) << c.vk;
        EXPECT_EQ(downs[0], std::make_pair(c.vk, c.shift));
        ASSERT_EQ(ups.size(), 1u) << c.vk;
        EXPECT_EQ(ups[0], std::make_pair(c.vk, c.shift));
    }

    // Enter stays in the grid; a key set to 0 by the handler is dropped.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(grid.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    grid->SelectCell(1, 3);
    dropKey = 0x28;
    QTest::keyClick(grid.get(), Qt::Key_Down);
    EXPECT_EQ(grid->GetActiveRow(), 3);
}

TEST_F(GridTest, RightClickReportsTheCellAndKeepsTheActiveOne) {
    std::vector<std::vector<int>> clicks;
    QObject::connect(grid.get(), &CSpreadSheet::RightClick,
                     [&](short type, int c, int r, int x, int y) { clicks.push_back({type, c, r, x, y}); });
    grid->SelectCell(1, 1);
    QPoint at = CellCentre(3, 4);
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, at);
    ASSERT_EQ(clicks.size(), 1u);
    QPoint inGrid = grid->viewport()->mapTo(grid.get(), at);
    EXPECT_EQ(clicks[0], (std::vector<int>{1, 3, 4, inGrid.x(), inGrid.y()}));
    EXPECT_EQ(grid->GetActiveRow(), 1);
}

TEST_F(GridTest, ColumnWidthDraggedByTheUserIsReportedOnce) {
    std::vector<std::pair<int, int>> changes;
    QObject::connect(grid.get(), &CSpreadSheet::ColWidthChange, [&](int c, int c2) { changes.push_back({c, c2}); });
    grid->SetColWidth(2, 10.0);  // set by the program: no event
    QApplication::processEvents();
    EXPECT_TRUE(changes.empty());

    QHeaderView* top = grid->horizontalHeader();
    int edge = top->sectionViewportPosition(1) + top->sectionSize(1) - 1;
    QTest::mousePress(top->viewport(), Qt::LeftButton, {}, QPoint(edge, 5));
    QTest::mouseMove(top->viewport(), QPoint(edge + 15, 5));
    QTest::mouseMove(top->viewport(), QPoint(edge + 30, 5));
    QTest::mouseRelease(top->viewport(), Qt::LeftButton, {}, QPoint(edge + 30, 5));
    QApplication::processEvents();
    EXPECT_EQ(grid->columnWidth(1), 110);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_pair(2, 2));
}

TEST_F(GridTest, BlockSelectedByDragging) {
    std::vector<std::vector<int>> blocks;
    QObject::connect(grid.get(), &CSpreadSheet::BlockSelected,
                     [&](int c, int r, int c2, int r2) { blocks.push_back({c, r, c2, r2}); });
    grid->SetCellLocked(-1, -1, 1);
    grid->SelectCell(2, 2);
    QTest::keyClick(grid.get(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid.get(), Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0], (std::vector<int>{2, 2, 2, 3}));
    EXPECT_EQ(blocks[1], (std::vector<int>{2, 2, 3, 3}));
}

// ---------------------------------------------------------------------------------------------
// Size

TEST(GridSizeTest, FiveThousandRowsScrollToTheLast) {
    CSpreadSheet grid;
    grid.SetMaxCols(7);
    grid.SetReDraw(false);
    grid.SetMaxRows(5000);
    for (int r = 1; r <= 5000; ++r) {
        grid.SetCellText(1, r, QStringLiteral("上%1\n下").arg(r));
        grid.SetCellInt(5, r, r * 10);
    }
    grid.SetReDraw(true);
    grid.resize(640, 480);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid, kHangMs));
    EXPECT_EQ(grid.GetMaxRows(), 5000);
    EXPECT_EQ(grid.rowHeight(4999), grid.TwoLineRowHeight());

    QScrollBar* bar = grid.verticalScrollBar();
    bar->setValue(bar->maximum());
    int bottomRow = grid.rowAt(grid.viewport()->height() - 2);
    EXPECT_EQ(bottomRow, 4999);
    EXPECT_EQ(grid.GetCellText(1, 5000), QStringLiteral("上5000\n下"));
    EXPECT_EQ(grid.GetCellValueInt(5, 5000), 50000);

    bar->setValue(0);
    const QModelIndex last = grid.model()->index(4999, 0);
    grid.scrollTo(last);
    EXPECT_TRUE(grid.viewport()->rect().intersects(grid.visualRect(last)));
    grid.SelectCell(1, 5000);
    EXPECT_EQ(grid.GetActiveRow(), 5000);
}

}  // namespace
