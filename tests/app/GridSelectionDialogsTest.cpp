// The dialogs that choose from a grid: the calculation classifications of a 種別 row and the
// program amount of a row.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "EventWait.h"
#include "ScriptedDialogs.h"
#include "app/KeisanKubunDlg.h"
#include "app/ProgramKingakuSelectDlg.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/Tx.h"

namespace {

CSpreadSheet* Grid(QWidget& dlg) { return dlg.findChild<CSpreadSheet*>(QStringLiteral("grid")); }

// A left click on a cell of a shown grid, as the user gives it.
void ClickCell(CSpreadSheet* grid, int col, int row) {
    const QModelIndex index = grid->model()->index(row - 1, col - 1);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

void Show(QWidget& dlg) {
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg, kHangMs));
}

// ---------------------------------------------------------------------------------------------
// CKeisanKubunDlg

CBukakeDetail DetailWithLines(std::initializer_list<const char*> names, int type) {
    CBukakeDetail detail;
    detail.m_bukakeType = type;
    for (const char* name : names) {
        auto line = std::make_unique<CBukakeDetailLine>();
        line->m_name = name;
        detail.AddLine(std::move(line));
    }
    return detail;
}

CSekisanItem ShubetsuRow(std::initializer_list<int> flags) {
    CSekisanItem item;
    item.m_nGyomu = 1;
    item.m_nKoshu = 10;
    item.m_nShubetsu = 3;
    item.m_strNameUpper = "基準点測量";
    item.m_bKotei.fill(0);
    int i = 0;
    for (int flag : flags) item.m_bKotei[i++] = flag;
    return item;
}

std::vector<int> Flags(const CSekisanItem& item, int count) {
    return std::vector<int>(item.m_bKotei.begin(), item.m_bKotei.begin() + count);
}

std::vector<int> Checks(CSpreadSheet* grid, int count) {
    std::vector<int> checks;
    for (int row = 1; row <= count; ++row) checks.push_back(grid->GetCellValueInt(1, row));
    return checks;
}

TEST(KeisanKubunDlg, OneRowPerLineWithItsTextAndTheRowsFlag) {
    CKeisanKubunDlg dlg;
    dlg.SetDetail(DetailWithLines({"選点", "", "観測"}, 0));
    dlg.SetItem(ShubetsuRow({1, 0, 0}));
    dlg.OnInitDialog();
    CSpreadSheet* grid = Grid(dlg);
    EXPECT_EQ(dlg.windowTitle(), Tx("計算区分設定"));
    EXPECT_EQ(grid->GetCellText(1, 0), Tx("計算区分"));
    EXPECT_EQ(grid->GetCellText(2, 0), Tx("作業区分"));
    EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("shubetsuName"))->text(), Tx("基準点測量"));
    EXPECT_EQ(dlg.findChild<QPushButton*>(QStringLiteral("selectAll"))->text(), Tx("全選択"));
    EXPECT_EQ(dlg.findChild<QPushButton*>(QStringLiteral("clearAll"))->text(), Tx("全解除"));
    QStringList labels;
    for (QLabel* l : dlg.findChildren<QLabel*>()) labels << l->text();
    EXPECT_TRUE(labels.contains(Tx("< 種 別 名 称 ＞")));

    EXPECT_EQ(Checks(grid, 3), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(grid->GetCellText(2, 1), Tx("選点"));
    EXPECT_EQ(grid->GetCellText(2, 3), Tx("観測"));
    for (int row = 1; row <= CSekisanItem::kKoteiCount; ++row) {
        grid->SetRow(row);
        grid->SetCol(1);
        EXPECT_EQ(grid->GetRowHidden(), row > 3) << row;
        EXPECT_EQ(grid->GetLock(), row == 2) << row;  // a line without text
    }
}

TEST(KeisanKubunDlg, TicksByClickWithOneChoiceForTypeThree) {
    struct Case {
        int type;
        std::vector<int> afterFirst;   // ticking line 1
        std::vector<int> afterSecond;  // then ticking line 4
    };
    const Case cases[] = {
        {0, {1, 0, 1, 0}, {1, 0, 1, 1}},
        {3, {1, 0, 0, 0}, {0, 0, 0, 1}},  // one classification only: the others are cleared
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        CKeisanKubunDlg dlg;
        dlg.SetDetail(DetailWithLines({"選点", "", "観測", "計算"}, c.type));
        dlg.SetItem(ShubetsuRow({0, 0, c.type == 3 ? 0 : 1, 0}));
        dlg.OnInitDialog();
        Show(dlg);
        CSpreadSheet* grid = Grid(dlg);
        ClickCell(grid, 1, 1);
        EXPECT_EQ(Flags(dlg.GetItem(), 4), c.afterFirst);
        EXPECT_EQ(Checks(grid, 4), c.afterFirst);
        // A line without text cannot be ticked.
        ClickCell(grid, 1, 2);
        EXPECT_EQ(Flags(dlg.GetItem(), 4), c.afterFirst);
        EXPECT_EQ(Checks(grid, 4), c.afterFirst);
        ClickCell(grid, 1, 4);
        EXPECT_EQ(Flags(dlg.GetItem(), 4), c.afterSecond);
        EXPECT_EQ(Checks(grid, 4), c.afterSecond);
    }
}

TEST(KeisanKubunDlg, SelectAllAndClearAllTakeTheNamedLines) {
    for (int type : {0, 3}) {
        SCOPED_TRACE(type);
        ScriptedDialogs dialogs;
        dialogs.Expect<CKeisanKubunDlg>([](CKeisanKubunDlg& dlg) {
            dlg.findChild<QPushButton*>(QStringLiteral("selectAll"))->click();
            // Every named line, also where the type allows one only.
            EXPECT_EQ(Flags(dlg.GetItem(), 4), (std::vector<int>{1, 0, 1, 1}));
            EXPECT_EQ(Checks(Grid(dlg), 4), (std::vector<int>{1, 0, 1, 1}));
            dlg.findChild<QPushButton*>(QStringLiteral("clearAll"))->click();
            EXPECT_EQ(Flags(dlg.GetItem(), 4), (std::vector<int>{0, 0, 0, 0}));
            EXPECT_EQ(Checks(Grid(dlg), 4), (std::vector<int>{0, 0, 0, 0}));
            dlg.findChild<QPushButton*>(QStringLiteral("selectAll"))->click();
            return IDOK;
        });
        CKeisanKubunDlg dlg;
        dlg.SetDetail(DetailWithLines({"選点", "", "観測", "計算"}, type));
        CSekisanItem row = ShubetsuRow({0, 0, 0, 0});
        dlg.SetItem(row);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        // The row comes back with its flags; every other field as it was.
        CSekisanItem expected = row;
        expected.m_bKotei[0] = expected.m_bKotei[2] = expected.m_bKotei[3] = 1;
        EXPECT_EQ(dlg.GetItem().m_bKotei, expected.m_bKotei);
        EXPECT_EQ(dlg.GetItem().m_strNameUpper, row.m_strNameUpper);
        EXPECT_EQ(dlg.GetItem().m_nShubetsu, row.m_nShubetsu);
    }
}

TEST(KeisanKubunDlg, EnterInTheGridPressesOk) {
    CKeisanKubunDlg dlg;
    dlg.SetDetail(DetailWithLines({"選点"}, 0));
    dlg.SetItem(ShubetsuRow({0}));
    dlg.OnInitDialog();
    Show(dlg);
    Grid(dlg)->setFocus();
    QTest::keyClick(Grid(dlg), Qt::Key_Return);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());
}

// ---------------------------------------------------------------------------------------------
// CProgramKingakuSelectDlg

CProgramKingakuFile Programs() {
    CProgramKingakuFile file;
    const struct {
        int code;
        const char* name1;
        int fee;
    } records[] = {{5, "測量CAD", 12000}, {7, "設計計算", kUnset}, {9, "数量計算", 3500}};
    for (const auto& r : records) {
        auto record = std::make_unique<CProgramKingakuRecord>();
        record->m_code = r.code;
        record->m_name1 = r.name1;
        record->m_name2 = "第2行";
        record->m_condition1 = "1日";
        record->m_condition2 = "1台";
        record->m_fee = r.fee;
        file.AddRecord(std::move(record));
    }
    return file;
}

// The rows of the grid that are selected as whole rows.
std::vector<int> SelectedRows(CSpreadSheet* grid) {
    std::vector<int> rows;
    for (const QItemSelectionRange& r : grid->selectionModel()->selection())
        if (r.left() == 0 && r.right() == grid->GetMaxCols() - 1)
            for (int row = r.top(); row <= r.bottom(); ++row) rows.push_back(row + 1);
    return rows;
}

TEST(ProgramKingakuSelectDlg, ListsTheRecordsAndHidesTheOtherRows) {
    CProgramKingakuSelectDlg dlg;
    dlg.SetProgramKingakuFile(Programs());
    dlg.OnInitDialog();
    CSpreadSheet* grid = Grid(dlg);
    EXPECT_EQ(dlg.windowTitle(), Tx("プログラム金額選択"));
    EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("listLabel"))->text(), Tx("プログラム金額データ一覧 :"));
    EXPECT_EQ(dlg.findChild<QCheckBox*>(QStringLiteral("use"))->text(), Tx("プログラム金額を使用する"));
    const char* const headings[] = {"プログラム名1", "プログラム名2", "利用条件1", "利用条件2", "利用料金"};
    for (int col = 1; col <= 5; ++col) EXPECT_EQ(grid->GetCellText(col, 0), Tx(headings[col - 1]));
    EXPECT_EQ(grid->GetCellText(1, 1), Tx("測量CAD"));
    EXPECT_EQ(grid->GetCellText(2, 1), Tx("第2行"));
    EXPECT_EQ(grid->GetCellText(3, 1), Tx("1日"));
    EXPECT_EQ(grid->GetCellText(4, 1), Tx("1台"));
    EXPECT_EQ(grid->GetCellText(5, 1), Tx("12000"));
    EXPECT_EQ(grid->GetCellText(5, 2), QString());  // no fee
    EXPECT_EQ(grid->GetCellText(5, 3), Tx("3500"));
    for (int row = 1; row <= 99; ++row) {
        grid->SetRow(row);
        grid->SetCol(1);
        EXPECT_EQ(grid->GetRowHidden(), row > 3) << row;
    }
    // Nothing preselected: the box is ticked and no row is selected.
    EXPECT_TRUE(dlg.findChild<QCheckBox*>(QStringLiteral("use"))->isChecked());
    EXPECT_TRUE(SelectedRows(grid).empty());
}

TEST(ProgramKingakuSelectDlg, ThePreselectedRecordIsSelectedAndCurrent) {
    struct Case {
        int code;
        std::vector<int> selected;
        int returned;  // OK without touching the grid
    };
    const Case cases[] = {
        {7, {2}, 7},       // the row of code 7, which OK returns
        {9, {3}, 9},
        {5, {1}, 5},
        {42, {}, 5},       // a code the master no longer has: no row, the current row stays 1
        {kUnset, {}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ScriptedDialogs dialogs;
        dialogs.Expect<CProgramKingakuSelectDlg>([&](CProgramKingakuSelectDlg& dlg) {
            EXPECT_EQ(SelectedRows(Grid(dlg)), c.selected);
            return IDOK;
        });
        CProgramKingakuSelectDlg dlg;
        dlg.SetProgramKingakuFile(Programs());
        dlg.SetCode(c.code);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetCode(), c.returned);
    }
}

TEST(ProgramKingakuSelectDlg, AClickedRowIsTheChoice) {
    CProgramKingakuSelectDlg dlg;
    dlg.SetProgramKingakuFile(Programs());
    dlg.SetCode(7);
    dlg.OnInitDialog();
    Show(dlg);
    ClickCell(Grid(dlg), 2, 3);
    dlg.findChild<QPushButton*>(QStringLiteral("ok"))->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.GetCode(), 9);
}

TEST(ProgramKingakuSelectDlg, UntickingGreysTheListAndGivesNoProgram) {
    CProgramKingakuSelectDlg dlg;
    dlg.SetProgramKingakuFile(Programs());
    dlg.SetCode(9);
    dlg.OnInitDialog();
    Show(dlg);
    CSpreadSheet* grid = Grid(dlg);
    auto* use = dlg.findChild<QCheckBox*>(QStringLiteral("use"));
    auto* label = dlg.findChild<QLabel*>(QStringLiteral("listLabel"));
    EXPECT_TRUE(grid->isEnabled());
    EXPECT_TRUE(label->isEnabled());
    EXPECT_EQ(grid->GetProperty(CSpreadSheet::kPropSelBackColor).toUInt(), 0x9BB9FFu);
    EXPECT_EQ(grid->GetProperty(CSpreadSheet::kPropSelBorderColor).toUInt(), 0x9BB9FFu);

    QTest::mouseClick(use, Qt::LeftButton);
    EXPECT_FALSE(use->isChecked());
    EXPECT_FALSE(grid->isEnabled());
    EXPECT_FALSE(label->isEnabled());
    EXPECT_EQ(grid->GetProperty(CSpreadSheet::kPropSelBackColor).toUInt(), 0xC0C0C0u);
    EXPECT_EQ(grid->GetProperty(CSpreadSheet::kPropSelBorderColor).toUInt(), 0xC0C0C0u);
    QTest::mouseClick(use, Qt::LeftButton);
    EXPECT_TRUE(grid->isEnabled());
    EXPECT_EQ(grid->GetProperty(CSpreadSheet::kPropSelBackColor).toUInt(), 0x9BB9FFu);
    QTest::mouseClick(use, Qt::LeftButton);

    QTest::keyClick(use, Qt::Key_Return);  // Enter presses OK
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.GetCode(), kUnset);
}

TEST(ProgramKingakuSelectDlg, LeftAndRightMoveBetweenTheControls) {
    CProgramKingakuSelectDlg dlg;
    dlg.SetProgramKingakuFile(Programs());
    dlg.OnInitDialog();
    Show(dlg);
    auto* use = dlg.findChild<QCheckBox*>(QStringLiteral("use"));
    use->setFocus();
    QWidget* before = QApplication::focusWidget();
    ASSERT_EQ(before, use);
    QTest::keyClick(use, Qt::Key_Right);
    QWidget* next = QApplication::focusWidget();
    EXPECT_NE(next, use);
    QTest::keyClick(next, Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), use);
}

}  // namespace
