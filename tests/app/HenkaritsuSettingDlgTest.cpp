// The change-rate dialog: one slot of a work item, its record shown as a table to pick a cell
// from or as a formula that takes the value LL, and the 掛率 record with its apply choice.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "EventWait.h"
#include "ScriptedDialogs.h"
#include "app/HenkaritsuSettingDlg.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/Tx.h"

namespace {

using Dlg = CHenkaritsuSettingDlg;

template <class T>
T* Child(QWidget& w, const char* name) {
    T* child = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

CSpreadSheet* Grid(QWidget& dlg) { return Child<CSpreadSheet>(dlg, "grid"); }

// A table record: 3 columns of 2 rows with values (c, r) = c × 1000 + r × 100, except the cells
// listed as empty.
CHenkaritsuRecord TableRecord(int standardCol, int standardRow, int kubun = 0,
                              std::initializer_list<std::pair<int, int>> empty = {}) {
    CHenkaritsuRecord record;
    record.m_code = 3;
    record.m_name = "地域補正";
    record.m_mode = 0;
    record.m_standardColumn = standardCol;
    record.m_standardRow = standardRow;
    record.m_kubunFlag = kubun;
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 2; ++r) record.SetCell(c, r, c * 1000 + r * 100);
    for (auto [c, r] : empty) record.SetCell(c, r, kUnset);
    record.m_formulaName = "地域";
    return record;
}

CHenkaritsuRecord FormulaRecord(int code, const char* formula, int llDefault) {
    CHenkaritsuRecord record;
    record.m_code = code;
    record.m_name = code == Dlg::kKakeritsuCode ? "掛率" : "点数による変化率";
    record.m_mode = 1;
    record.m_formula = formula;
    record.m_formulaName = "点数";
    record.m_unit = "点";
    record.m_remarks = "10点を標準とする";
    record.m_llDefault = llDefault;
    return record;
}

CSekisanItem Item() {
    CSekisanItem item;
    item.m_nGyomu = 1;
    item.m_nKoshu = 10;
    item.m_nShubetsu = 2;
    return item;
}

// A dialog opened on slot `slot` without being shown.
struct Opened {
    Dlg dlg;
    Opened(const CSekisanItem& item, const CHenkaritsuRecord& record, int slot = 1) {
        dlg.SetSlot(slot);
        dlg.SetItem(item);
        dlg.SetRecord(record);
    }
    Dlg& Open() {
        dlg.OnInitDialog();
        return dlg;
    }
};

TEST(HenkaritsuSettingDlg, TextsOfTheTemplate) {
    Dlg dlg;
    EXPECT_EQ(dlg.windowTitle(), Tx("変化率・補正率設定"));
    QStringList texts;
    for (QLabel* l : dlg.findChildren<QLabel*>()) texts << l->text();
    for (QAbstractButton* b : dlg.findChildren<QAbstractButton*>()) texts << b->text();
    for (const char* text :
         {"名称 :", "変化率・補正率データ名", "表を使用", "式を使用", "※区分によって率が違います。", "式名称 :", "式 :",
          "既存の掛率と新に入力する掛率の計算方法を選択してください。", "新に入力する掛率をそのまま適用する。",
          "既存の掛率×新に入力する掛率を適用する。", "LL = ", "備考 :", "次へ", "戻る", "ｷｬﾝｾﾙ"})
        EXPECT_TRUE(texts.contains(Tx(text))) << text;
    // Hidden at first: the 区分率 note and the 掛率 choice; the Cancel button stays hidden and disabled.
    for (const char* name : {"kubunNote", "applyNote", "applyReplace", "applyMultiply", "cancel"})
        EXPECT_TRUE(Child<QWidget>(dlg, name)->isHidden()) << name;
    EXPECT_FALSE(Child<QPushButton>(dlg, "cancel")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>(dlg, "next")->isDefault());
    EXPECT_EQ(Grid(dlg)->GetMaxCols(), 16);
    EXPECT_EQ(Grid(dlg)->GetMaxRows(), 32);
}

TEST(HenkaritsuSettingDlg, ShowsTheRecordWithTwoLineHeadings) {
    CHenkaritsuRecord record = TableRecord(2, 1);
    record.m_columnTitles[0] = "延長\\n1km未満";
    record.m_columnTitles[1] = "a\\nb\\nc";  // only the first marker breaks the line
    record.m_rowTitles[0] = "補正率";
    record.m_rowTitles[1] = "区分\\n2";
    record.m_remarks = "標準は中央";
    Opened o(Item(), record);
    Dlg& dlg = o.Open();
    CSpreadSheet* grid = Grid(dlg);
    EXPECT_EQ(Child<QLabel>(dlg, "name")->text(), Tx("地域補正"));
    EXPECT_EQ(grid->GetCellText(1, 0), Tx("延長\n1km未満"));
    EXPECT_EQ(grid->GetCellText(2, 0), Tx("a\nb\\nc"));
    EXPECT_EQ(grid->GetCellText(0, 1), Tx("補正率"));
    EXPECT_EQ(grid->GetCellText(0, 2), Tx("区分\n2"));
    EXPECT_EQ(grid->GetCellText(2, 1), Tx("2.1000"));
    EXPECT_EQ(grid->GetCellText(3, 2), Tx("3.2000"));
    EXPECT_EQ(grid->GetCellText(4, 1), QString());  // no value
    EXPECT_TRUE(Child<QRadioButton>(dlg, "useTable")->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(dlg, "useTable")->isEnabled());
    EXPECT_FALSE(Child<QRadioButton>(dlg, "useFormula")->isEnabled());
    auto* remarks = Child<QPlainTextEdit>(dlg, "remarks");
    EXPECT_EQ(remarks->toPlainText(), Tx("標準は中央"));
    EXPECT_TRUE(remarks->isReadOnly());
    EXPECT_EQ(remarks->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(Child<CZo_Edit>(dlg, "formulaName")->text(), Tx("地域"));
    // Two-line headings make their heading row and table row two lines high.
    EXPECT_GE(grid->GetRowHeight(0), 2 * grid->fontMetrics().lineSpacing());
    EXPECT_EQ(grid->GetRowHeight(1), grid->OneLineRowHeight());
    EXPECT_EQ(grid->GetRowHeight(2), grid->TwoLineRowHeight());
}

TEST(HenkaritsuSettingDlg, OpensOnTheChosenTheStandardOrTheFirstCell) {
    struct Case {
        int itemCol, itemRow, standardCol, standardRow;
        int col, row;
    };
    const Case cases[] = {
        {3, 2, 2, 1, 3, 2},                   // the item's choice
        {kUnset, kUnset, 2, 1, 2, 1},         // the record's standard cell
        {kUnset, kUnset, kUnset, kUnset, 1, 1},
        {kUnset, kUnset, 3, -1, 3, 1},        // a standard row of -1 opens on row 1
        {2, -1, kUnset, kUnset, 2, 1},        // a stored whole column too
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.itemCol << "," << c.itemRow << " " << c.standardCol << "," << c.standardRow);
        CSekisanItem item = Item();
        item.m_nRateCol[1] = c.itemCol;
        item.m_nRateRow[1] = c.itemRow;
        item.m_nLL[1] = 15000;
        Opened o(item, TableRecord(c.standardCol, c.standardRow));
        Dlg& dlg = o.Open();
        EXPECT_EQ(Grid(dlg)->GetActiveCol(), c.col);
        EXPECT_EQ(Grid(dlg)->GetActiveRow(), c.row);
        // "次へ" takes the current cell; a table clears the slot's LL value.
        dlg.accept();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.GetItem().m_nRateCol[1], c.col);
        EXPECT_EQ(dlg.GetItem().m_nRateRow[1], c.row);
        EXPECT_EQ(dlg.GetItem().m_nLL[1], kUnset);
    }
}

TEST(HenkaritsuSettingDlg, NextIsEnabledOnAValueAStandardRowOfMinusOneOrAKubunRecord) {
    struct Case {
        int standardRow;
        int kubun;
        bool emptyCurrent;
        bool enabled;
    };
    const Case cases[] = {
        {1, 0, false, true},
        {1, 0, true, false},
        {-1, 0, true, true},
        {1, 1, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.standardRow << " kubun " << c.kubun << " empty " << c.emptyCurrent);
        CHenkaritsuRecord record = TableRecord(2, c.standardRow, c.kubun);
        if (c.emptyCurrent) record.SetCell(2, 1, kUnset);
        Opened o(Item(), record);
        Dlg& dlg = o.Open();
        EXPECT_EQ(Child<QPushButton>(dlg, "next")->isEnabled(), c.enabled);
        // A disabled "次へ" takes nothing.
        dlg.setResult(-5);
        dlg.accept();
        EXPECT_EQ(dlg.result(), c.enabled ? int(QDialog::Accepted) : -5);
        EXPECT_EQ(dlg.GetItem().m_nRateCol[1], c.enabled ? 2 : kUnset);
    }
}

TEST(HenkaritsuSettingDlg, MovingToACellOrEditingItDecidesNext) {
    Opened o(Item(), TableRecord(1, 1, 0, {{3, 2}}));
    Dlg& dlg = o.Open();
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg, kHangMs));
    CSpreadSheet* grid = Grid(dlg);
    auto* next = Child<QPushButton>(dlg, "next");
    EXPECT_TRUE(next->isEnabled());
    // A click on the empty cell (3, 2) makes it current.
    const QModelIndex empty = grid->model()->index(1, 2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(empty).center());
    EXPECT_EQ(grid->GetActiveCol(), 3);
    EXPECT_FALSE(next->isEnabled());
    // A number typed into it gives it a value.
    grid->SetEditMode(true);
    ASSERT_TRUE(grid->GetEditMode());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1.5"));
    grid->SetEditMode(false);
    EXPECT_EQ(grid->GetCellText(3, 2), QStringLiteral("1.5"));
    EXPECT_TRUE(next->isEnabled());
    next->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.GetItem().m_nRateCol[1], 3);
    EXPECT_EQ(dlg.GetItem().m_nRateRow[1], 2);
}

TEST(HenkaritsuSettingDlg, ABlockTakesItsFirstCell) {
    Opened o(Item(), TableRecord(1, 1));
    Dlg& dlg = o.Open();
    emit Grid(dlg)->BlockSelected(2, 1, 3, 2);
    dlg.accept();
    EXPECT_EQ(dlg.GetItem().m_nRateCol[1], 2);
    EXPECT_EQ(dlg.GetItem().m_nRateRow[1], 1);
}

TEST(HenkaritsuSettingDlg, AKubunRecordStoresTheColumnAndHighlightsIt) {
    Opened o(Item(), TableRecord(2, 1, 1));
    Dlg& dlg = o.Open();
    CSpreadSheet* grid = Grid(dlg);
    auto highlighted = [grid](int col) {
        for (int c = 1; c <= 16; ++c)
            for (int r : {1, 2, 32}) {
                grid->SetCol(c);
                grid->SetRow(r);
                const bool on = c == col;
                if (grid->GetForeColor() != (on ? Dlg::kWhite : Dlg::kBlack)) return false;
                if (grid->GetBackColor() != (on ? Dlg::kBlue : Dlg::kWhite)) return false;
            }
        return true;
    };
    EXPECT_TRUE(highlighted(2));
    EXPECT_FALSE(Child<QWidget>(dlg, "kubunNote")->isHidden());
    EXPECT_TRUE(Child<QWidget>(dlg, "kubunNote")->isEnabled());
    bool cancel = false;
    emit grid->LeaveCell(2, 1, 3, 2, cancel);
    EXPECT_TRUE(highlighted(3));
    dlg.accept();
    EXPECT_EQ(dlg.GetItem().m_nRateCol[1], 3);
    EXPECT_EQ(dlg.GetItem().m_nRateRow[1], -1);

    // Without the 区分率 flag nothing is highlighted.
    Opened plain(Item(), TableRecord(2, 1, 0));
    plain.Open();
    grid = Grid(plain.dlg);
    grid->SetCol(2);
    grid->SetRow(1);
    EXPECT_EQ(grid->GetBackColor(), Dlg::kWhite);
    EXPECT_TRUE(Child<QWidget>(plain.dlg, "kubunNote")->isHidden());
}

TEST(HenkaritsuSettingDlg, TheModeDecidesWhatTakesInput) {
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        CHenkaritsuRecord record = mode == 0 ? TableRecord(1, 1, 1) : FormulaRecord(2, "(10/LL)^0.1", 100000);
        record.m_kubunFlag = 1;
        Opened o(Item(), record);
        Dlg& dlg = o.Open();
        CSpreadSheet* grid = Grid(dlg);
        const bool formula = mode == 1;
        EXPECT_EQ(Child<QRadioButton>(dlg, "useFormula")->isChecked(), formula);
        EXPECT_EQ(grid->isEnabled(), !formula);
        EXPECT_EQ(Child<CZo_Edit>(dlg, "ll")->isEnabled(), formula);
        EXPECT_EQ(grid->GetSelBackColor(), formula ? Dlg::kFormulaSelection : Dlg::kTableSelection);
        EXPECT_EQ(grid->GetSelBorderColor(), formula ? Dlg::kFormulaSelection : Dlg::kTableSelection);
        EXPECT_FALSE(Child<QWidget>(dlg, "kubunNote")->isHidden());
        EXPECT_EQ(Child<QWidget>(dlg, "kubunNote")->isEnabled(), !formula);
        for (const char* name : {"formulaName", "formula", "unit"}) {
            EXPECT_TRUE(Child<CZo_Edit>(dlg, name)->isReadOnly()) << name;
            EXPECT_EQ(Child<CZo_Edit>(dlg, name)->isEnabled(), formula) << name;
        }
    }
}

TEST(HenkaritsuSettingDlg, TheLLFieldOpensOnTheItemsValueOrTheDefault) {
    struct Case {
        int code;
        int itemLL;
        int llDefault;
        int groupMode;
        const char* shown;
    };
    const Case cases[] = {
        {2, 25000, 100000, 0, "2.5000"},
        {2, kUnset, 100000, 0, "10.0000"},
        {2, kUnset, kUnset, 0, "0.0000"},
        {2, kUnset, 100000, 1, "10.0000"},
        {900, kUnset, 10000, 1, ""},  // a group 掛率 starts empty where the record has a default
        {900, kUnset, kUnset, 1, "0.0000"},
        {900, kUnset, 10000, 0, "1.0000"},
        {900, 12000, 10000, 1, "1.2000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " " << c.itemLL << " " << c.llDefault << " " << c.groupMode);
        const int slot = c.code == 900 ? Dlg::kKakeritsuSlot : 1;
        CSekisanItem item = Item();
        item.m_nLL[slot] = c.itemLL;
        Opened o(item, FormulaRecord(c.code, "LL", c.llDefault), slot);
        o.dlg.SetGroupMode(c.groupMode);
        Dlg& dlg = o.Open();
        EXPECT_EQ(Child<CZo_Edit>(dlg, "ll")->text(), Tx(c.shown));
    }
}

TEST(HenkaritsuSettingDlg, AFormulaTakesLLFromTheFieldsText) {
    struct Case {
        const char* formula;
        const char* typed;
        int stored;
    };
    const Case cases[] = {
        {"(10/LL)^0.1", "2.5", 25000},
        {"(10/LL)^0.1", "", kUnset},     // an empty field gives no LL
        {"(10/LL)^0.1", "-1", -10000},   // a typed -1 is a number
        {"(10/LL)^0.1", "-", kUnset},
        {"", "2.5", kUnset},             // a record without a formula takes no LL
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "'" << c.formula << "' '" << c.typed << "'");
        CSekisanItem item = Item();
        item.m_nRateCol[1] = 2;
        item.m_nRateRow[1] = 1;
        ScriptedDialogs dialogs;
        dialogs.Expect<Dlg>([&](Dlg& dlg) {
            Child<CZo_Edit>(dlg, "ll")->setText(Tx(c.typed));
            return IDOK;
        });
        Opened o(item, FormulaRecord(2, c.formula, 100000));
        EXPECT_EQ(o.dlg.DoModal(), IDOK);
        EXPECT_EQ(o.dlg.GetItem().m_nLL[1], c.stored);
        EXPECT_EQ(o.dlg.GetItem().m_nRateCol[1], kUnset);
        EXPECT_EQ(o.dlg.GetItem().m_nRateRow[1], kUnset);
    }
}

TEST(HenkaritsuSettingDlg, TheKakeritsuRecordAsksHowToApplyOnlyOverAnotherKakeritsu) {
    struct Case {
        int kakeritsu;
        int groupMode;
        bool asks;
    };
    const Case cases[] = {
        {10000, 0, false},  // an existing 1.0 never asks
        {10000, 1, false},
        {12000, 0, true},
        {kUnset, 0, false},
        {kUnset, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kakeritsu << " group " << c.groupMode);
        CSekisanItem item = Item();
        item.m_nLL[Dlg::kKakeritsuSlot] = c.kakeritsu;
        Opened o(item, FormulaRecord(900, "LL", 10000), Dlg::kKakeritsuSlot);
        o.dlg.SetGroupMode(c.groupMode);
        Dlg& dlg = o.Open();
        for (const char* name : {"applyNote", "applyReplace", "applyMultiply"})
            EXPECT_EQ(Child<QWidget>(dlg, name)->isHidden(), !c.asks) << name;
        EXPECT_EQ(Child<CZo_Edit>(dlg, "formulaName")->maximumWidth() == 143, c.asks);
        // The formula of the 掛率 is not shown.
        EXPECT_TRUE(Child<CZo_Edit>(dlg, "formula")->isHidden());
    }
    // Another record keeps its formula and never asks.
    CSekisanItem item = Item();
    item.m_nLL[Dlg::kKakeritsuSlot] = 12000;
    Opened other(item, FormulaRecord(2, "LL", 10000));
    other.Open();
    EXPECT_FALSE(Child<CZo_Edit>(other.dlg, "formula")->isHidden());
    EXPECT_TRUE(Child<QWidget>(other.dlg, "applyNote")->isHidden());
}

// The 掛率 page, with or without its apply choice, keeps the layout of the other pages: the table,
// the LL row and the remarks stand where they stand for any other record.
TEST(HenkaritsuSettingDlg, TheKakeritsuPageKeepsTheLayoutOfTheOthers) {
    auto places = [](Dlg& dlg) {
        dlg.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dlg, kHangMs));
        std::vector<QRect> rects;
        for (const char* name : {"grid", "formulaName", "ll", "remarks", "next"})
            rects.push_back(Child<QWidget>(dlg, name)->geometry());
        return rects;
    };
    Opened other(Item(), FormulaRecord(2, "LL", 10000));
    const std::vector<QRect> expected = places(other.Open());
    for (int kakeritsu : {10000, 12000}) {
        SCOPED_TRACE(kakeritsu);
        CSekisanItem item = Item();
        item.m_nLL[Dlg::kKakeritsuSlot] = kakeritsu;
        Opened kakeritsuPage(item, FormulaRecord(Dlg::kKakeritsuCode, "LL", 10000), Dlg::kKakeritsuSlot);
        const std::vector<QRect> got = places(kakeritsuPage.Open());
        for (size_t i = 0; i < got.size(); ++i) {
            // The formula name may be narrowed beside the apply choice; it stays in its place.
            if (i == 1) {
                EXPECT_EQ(got[i].topLeft(), expected[i].topLeft());
                continue;
            }
            EXPECT_EQ(got[i], expected[i]) << i;
        }
    }
}

TEST(HenkaritsuSettingDlg, TheApplyRadiosSetTheApplyMode) {
    CSekisanItem item = Item();
    item.m_nLL[Dlg::kKakeritsuSlot] = 12000;
    ScriptedDialogs dialogs;
    dialogs.Expect<Dlg>([](Dlg& dlg) {
        EXPECT_TRUE(Child<QRadioButton>(dlg, "applyReplace")->isChecked());
        Child<QRadioButton>(dlg, "applyMultiply")->click();
        EXPECT_EQ(dlg.GetApplyMode(), 1);
        Child<CZo_Edit>(dlg, "ll")->setText(QStringLiteral("0.9"));
        return IDOK;
    });
    Opened o(item, FormulaRecord(900, "LL", 10000), Dlg::kKakeritsuSlot);
    o.dlg.SetApplyMode(0);
    EXPECT_EQ(o.dlg.DoModal(), IDOK);
    EXPECT_EQ(o.dlg.GetApplyMode(), 1);
    EXPECT_EQ(o.dlg.GetKakeritsu(), 9000);

    // Seeded with 1, the second radio shows.
    Opened seeded(item, FormulaRecord(900, "LL", 10000), Dlg::kKakeritsuSlot);
    seeded.dlg.SetApplyMode(1);
    seeded.Open();
    EXPECT_TRUE(Child<QRadioButton>(seeded.dlg, "applyMultiply")->isChecked());
}

TEST(HenkaritsuSettingDlg, BackIsDisabledOnTheFirstSlotAndReadsCancelInGroupMode) {
    struct Case {
        int backEnabled;
        int backAsCancel;
        bool enabled;
        const char* text;
    };
    const Case cases[] = {
        {1, 0, true, "戻る"},
        {0, 0, false, "戻る"},
        {1, 1, true, "ｷｬﾝｾﾙ"},
        {0, 1, false, "ｷｬﾝｾﾙ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.backEnabled << " " << c.backAsCancel);
        ScriptedDialogs dialogs;
        dialogs.Expect<Dlg>([&](Dlg& dlg) {
            auto* back = Child<QPushButton>(dlg, "back");
            EXPECT_EQ(back->isEnabled(), c.enabled);
            EXPECT_EQ(back->text(), Tx(c.text));
            if (!c.enabled) return int(IDOK);
            back->click();
            return Dlg::kBack;
        });
        CSekisanItem item = Item();
        Opened o(item, TableRecord(2, 1));
        o.dlg.SetBackEnabled(c.backEnabled);
        o.dlg.SetBackAsCancel(c.backAsCancel);
        const int result = o.dlg.DoModal();
        EXPECT_EQ(result, c.enabled ? 1298 : 1);
        // Going back leaves the item as it was.
        EXPECT_EQ(o.dlg.GetItem().m_nRateCol[1], c.enabled ? kUnset : 2);
    }
}

}  // namespace
