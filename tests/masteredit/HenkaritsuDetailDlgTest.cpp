// The rate detail dialog and the auxiliary-formula dialog: the table and its headings, the standard
// cell and 区分率, clearing, the formula check at OK and the formula fields written back.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "EventWait.h"
#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/TitleEditDlg.h"
#include "dialogkit/Tx.h"
#include "masteredit/HenkaritsuDetailDlg.h"
#include "masteredit/HenkaritsuHojoShikiDlg.h"
#include "masteredit/MasterEditTexts.h"

using namespace masterbuild;

namespace {

CHenkaritsuRecord Table() {
    CHenkaritsuGyomu g;
    CHenkaritsuRecord& r = AddTableRecord(g, 12, "地形補正");
    r.SetCell(1, 1, 1234);
    r.SetCell(16, 32, -500);
    r.SetCell(2, 2, 700);
    r.m_columnTitles[0] = "平地\\n山地";
    r.m_columnTitles[1] = "a\\nb\\nc";
    r.m_rowTitles[0] = "区分1";
    return r;
}

class HenkaritsuDetailDialog : public ::testing::Test {
protected:
    void Open(const CHenkaritsuRecord& record, int gyomu = 1) {
        dialog = std::make_unique<CHenkaritsuDetailDlg>();
        dialog->SetRecord(record);
        dialog->SetGyomuCode(gyomu);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), kHangMs));
        grid = dialog->findChild<CSpreadSheet*>("grid");
        ASSERT_NE(grid, nullptr);
    }
    QPushButton* Button(const char* name) { return dialog->findChild<QPushButton*>(name); }
    const CHenkaritsuRecord& Record() { return dialog->Record(); }
    void Type(int col, int row, const char* text) {
        grid->SetCellText(col, row, Tx(text));
        emit grid->Change(col, row);
    }
    COLORREF Back(int col, int row) {
        grid->SetCol(col);
        grid->SetRow(row);
        return grid->GetBackColor();
    }
    void FormulaMode() {
        dialog->findChild<QRadioButton*>("formulaMode")->click();
        ASSERT_EQ(Record().m_mode, 1);
    }
    // Presses OK; true when the dialog closed.
    bool PressOk() {
        Button("ok")->click();
        return dialog->result() == QDialog::Accepted;
    }

    ScriptedHost host;
    std::unique_ptr<CHenkaritsuDetailDlg> dialog;
    CSpreadSheet* grid = nullptr;
};

}  // namespace

TEST_F(HenkaritsuDetailDialog, TableValuesAreShownAndTypedBackThroughTheRoundingConversion) {
    Open(Table());
    EXPECT_EQ(dialog->windowTitle(), Tx("変化率・補正率データ詳細設定"));
    EXPECT_EQ(dialog->findChild<QLabel*>("name")->text(), Tx("地形補正"));
    EXPECT_EQ(grid->GetCellText(1, 1), Tx("1.2340"));
    EXPECT_EQ(grid->GetCellText(16, 32), Tx("-0.5000"));
    EXPECT_EQ(grid->GetCellText(3, 3), QString());  // empty cells stay blank

    // 0.85 × 1000 is 849.99999999999989 in doubles: + 1e-7 and truncation give 850.
    // -0.3 × 1000 is -300.00000000000006: − 1e-7 and truncation toward zero give -300.
    // 1.0005 × 1000 is 1000.4999999999999: the fraction is cut, 1000.
    const std::pair<const char*, int32_t> typed[] = {{"0.85", 850}, {"-0.3", -300}, {"1.0005", 1000}, {"", 0},
                                                     {"abc", 0}};
    for (const auto& [text, stored] : typed) {
        Type(4, 5, text);
        EXPECT_EQ(Record().GetCell(4, 5), stored) << text;
    }
}

TEST_F(HenkaritsuDetailDialog, TheFirstLineBreakMarkerOfAHeadingBreaksTheLine) {
    Open(Table());
    EXPECT_EQ(grid->GetCellText(1, 0), Tx("平地\n山地"));
    EXPECT_EQ(grid->GetCellText(2, 0), Tx("a\nb\\nc"));
    EXPECT_EQ(grid->GetCellText(0, 1), Tx("区分1"));

    // The title dialog gets and gives the stored forms.
    ScriptedDialogs dialogs;
    dialogs.Expect<CTitleEditDlg>([](CTitleEditDlg& d) {
        EXPECT_EQ(d.findChild<CZo_Edit*>("upper")->text(), Tx("区分1"));
        EXPECT_EQ(d.findChild<CZo_Edit*>("lower")->text(), Tx("平地\\n山地"));
        d.findChild<CZo_Edit*>("upper")->setText(Tx("緩\\n急"));
        d.findChild<CZo_Edit*>("lower")->setText(Tx("山地"));
        return IDOK;
    });
    Button("title")->click();
    EXPECT_EQ(Record().m_rowTitles[0], "緩\\n急");
    EXPECT_EQ(Record().m_columnTitles[0], "山地");
    EXPECT_EQ(grid->GetCellText(0, 1), Tx("緩\n急"));
    EXPECT_EQ(grid->GetCellText(1, 0), Tx("山地"));
}

TEST_F(HenkaritsuDetailDialog, StandardTwiceClearsItUnlessKubunIsOn) {
    for (int kubun : {0, 1}) {
        CHenkaritsuRecord r = Table();
        r.m_kubunFlag = kubun;
        Open(r, 2);
        emit grid->BlockSelected(3, 4, 3, 4);
        Button("standard")->click();
        EXPECT_EQ(Record().m_standardColumn, 3) << kubun;
        EXPECT_EQ(Record().m_standardRow, 4) << kubun;
        Button("standard")->click();
        EXPECT_EQ(Record().m_standardColumn, kubun ? 3 : kUnset) << kubun;
        EXPECT_EQ(Record().m_standardRow, kubun ? 4 : kUnset) << kubun;
        if (!kubun) continue;
        // With 区分率 the whole standard column is drawn white on blue, every other cell black on white.
        for (int row = 1; row <= 32; ++row) EXPECT_EQ(Back(3, row), 0xFF0000u) << row;
        EXPECT_EQ(Back(2, 4), 0xFFFFFFu);
        EXPECT_TRUE(dialog->findChild<QLabel*>("kubunNote")->isVisible());
        Button("kubun")->click();  // 区分率 off: only the standard cell
        EXPECT_EQ(Back(3, 4), 0xFF0000u);
        EXPECT_EQ(Back(3, 5), 0xFFFFFFu);
        EXPECT_FALSE(dialog->findChild<QLabel*>("kubunNote")->isVisible());
    }
}

TEST_F(HenkaritsuDetailDialog, KubunIsOfferedOnlyInBusinessesTwoThreeAndSeven) {
    CHenkaritsuRecord r = Table();
    r.m_standardColumn = 1;
    r.m_standardRow = 1;
    for (int gyomu : {1, 2, 3, 4, 6, 7}) {
        Open(r, gyomu);
        EXPECT_EQ(Button("kubun")->isEnabled(), gyomu == 2 || gyomu == 3 || gyomu == 7) << gyomu;
    }
    // Without a standard cell it stays off everywhere.
    Open(Table(), 2);
    EXPECT_FALSE(Button("kubun")->isEnabled());
}

TEST_F(HenkaritsuDetailDialog, ClearAndDeleteEmptyTheBlock) {
    Open(Table());
    emit grid->BlockSelected(1, 1, 2, 2);
    Button("clear")->click();
    EXPECT_EQ(Record().GetCell(1, 1), kUnset);
    EXPECT_EQ(Record().GetCell(2, 2), kUnset);
    EXPECT_EQ(grid->GetCellText(1, 1), QString());
    EXPECT_EQ(Record().GetCell(16, 32), -500);

    emit grid->BlockSelected(16, 32, 16, 32);
    short key = 46;
    emit grid->KeyDown(key, 0);
    EXPECT_EQ(Record().GetCell(16, 32), kUnset);
}

TEST_F(HenkaritsuDetailDialog, BlocksReachingHeadingsOrWholeRowsStayInsideTheTable) {
    struct Case {
        int col, row, col2, row2;
        bool title, standard;
        int clearedCol, clearedRow;  // one cell the clear empties (0: the block holds none)
    };
    const Case cases[] = {
        {-1, 2, -1, 2, false, false, 16, 2},  // a whole row
        {2, -1, 2, -1, true, false, 2, 32},   // a whole column
        {0, 0, 0, 0, false, false, 0, 0},     // the corner heading
        {2, 0, 2, 0, false, false, 0, 0},     // a column heading only
        {0, 3, 4, 3, false, false, 4, 3},     // a row from its heading on
    };
    for (const Case& c : cases) {
        CHenkaritsuRecord r;
        for (int col = 1; col <= 16; ++col)
            for (int row = 1; row <= 32; ++row) r.SetCell(col, row, 1);
        Open(r);
        emit grid->BlockSelected(c.col, c.row, c.col2, c.row2);
        EXPECT_EQ(Button("title")->isEnabled(), c.title) << c.col << "," << c.row;
        EXPECT_EQ(Button("standard")->isEnabled(), c.standard) << c.col << "," << c.row;
        Button("clear")->click();
        int emptied = 0;
        for (int col = 1; col <= 16; ++col)
            for (int row = 1; row <= 32; ++row) emptied += IsUnset(Record().GetCell(col, row));
        if (c.clearedCol) {
            EXPECT_EQ(Record().GetCell(c.clearedCol, c.clearedRow), kUnset) << c.col << "," << c.row;
        } else {
            EXPECT_EQ(emptied, 0) << c.col << "," << c.row;
        }
    }
}

TEST_F(HenkaritsuDetailDialog, FormulaModeRefusesEmptyAndInvalidFormulasAndChecksLongOnesWhole) {
    std::string longValid;
    while (longValid.size() < 298) longValid += "1+";
    longValid += "1";
    ASSERT_GT(longValid.size(), 255u);
    const std::string longInvalid = longValid + "+*2";
    struct Case {
        std::string formula;
        bool formulaMode;
        const char* refusal;  // null: accepted
    };
    const Case cases[] = {
        {"", true, masteredittext::kFormulaMissing},
        {"LL+*2", true, masteredittext::kFormulaInvalid},
        {longInvalid, true, masteredittext::kFormulaInvalid},
        {longValid, true, nullptr},
        {"LL*0.5", true, nullptr},
        {"", false, nullptr},
        {"LL+*2", false, nullptr},
    };
    for (const Case& c : cases) {
        Open(Table());
        if (c.formulaMode) FormulaMode();
        dialog->findChild<CZo_Edit*>("formula")->setText(QString::fromStdString(c.formula));
        host.messages.clear();
        EXPECT_EQ(PressOk(), c.refusal == nullptr) << c.formula;
        if (c.refusal) {
            EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{c.refusal}) << c.formula;
        } else {
            EXPECT_TRUE(host.messages.empty()) << c.formula;
            EXPECT_EQ(Record().m_formula, c.formula);
        }
    }
}

TEST_F(HenkaritsuDetailDialog, OkWritesTheFormulaFieldsAndTheLlDefault) {
    for (const char* ll : {"", "1.5"}) {
        CHenkaritsuGyomu g;
        Open(AddFormulaRecord(g, 3, "LL", 20000));
        EXPECT_EQ(dialog->findChild<CZo_Edit*>("ll")->text(), Tx("2.0000"));
        EXPECT_FALSE(Button("title")->isEnabled());
        EXPECT_FALSE(grid->isEnabled());
        dialog->findChild<CZo_Edit*>("ll")->setText(Tx(ll));
        dialog->findChild<CZo_Edit*>("formulaName")->setText(Tx("勾配"));
        dialog->findChild<CZo_Edit*>("unit")->setText(Tx("％"));
        dialog->findChild<QPlainTextEdit*>("remarks")->setPlainText(Tx("備考\n二行目"));
        ASSERT_TRUE(PressOk());
        EXPECT_EQ(Record().m_llDefault, *ll ? 15000 : kUnset) << ll;
        EXPECT_EQ(Record().m_formulaName, "勾配");
        EXPECT_EQ(Record().m_unit, "％");
        EXPECT_EQ(Record().m_remarks, "備考\n二行目");
    }
}

TEST_F(HenkaritsuDetailDialog, TheAuxiliaryButtonFollowsTheCheckAndEditsAllTwentyFiveTexts) {
    CHenkaritsuGyomu g;
    CHenkaritsuRecord& r = AddFormulaRecord(g, 3, "LL*S1", 10000);
    r.m_auxStart[0] = "0";
    r.m_auxEnd[0] = "10";
    r.m_auxFormula[0] = "LL*2";
    r.m_auxFormula[7] = "LL";
    Open(r);
    QPushButton* auxiliary = Button("auxiliary");
    EXPECT_FALSE(auxiliary->isVisible());
    dialog->findChild<QCheckBox*>("useAuxiliary")->click();
    EXPECT_TRUE(auxiliary->isVisible());
    EXPECT_TRUE(auxiliary->isEnabled());

    ScriptedDialogs dialogs;
    dialogs.Expect<CHenkaritsuHojoShikiDlg>([](CHenkaritsuHojoShikiDlg& d) {
        EXPECT_EQ(d.findChild<CZo_Edit*>("lower1")->text(), Tx("0"));
        EXPECT_EQ(d.findChild<CZo_Edit*>("upper1")->text(), Tx("10"));
        EXPECT_EQ(d.findChild<CZo_Edit*>("formula1")->text(), Tx("LL*2"));
        EXPECT_EQ(d.findChild<CZo_Edit*>("formula8")->text(), Tx("LL"));
        EXPECT_EQ(d.findChild<CZo_Edit*>("lower2")->text(), QString());
        d.findChild<CZo_Edit*>("lower2")->setText(Tx("10"));
        d.findChild<CZo_Edit*>("upper8")->setText(Tx("99"));
        d.findChild<CZo_Edit*>("formula1")->setText(QString());
        d.findChild<CZo_Edit*>("default")->setText(Tx("LL/2"));
        return IDOK;
    });
    auxiliary->click();
    ASSERT_TRUE(PressOk());
    const CHenkaritsuRecord& got = Record();
    EXPECT_EQ(got.m_useAuxiliary, 1);
    EXPECT_EQ(got.m_auxStart[0], "0");
    EXPECT_EQ(got.m_auxStart[1], "10");
    EXPECT_EQ(got.m_auxEnd[7], "99");
    EXPECT_EQ(got.m_auxFormula[0], "");
    EXPECT_EQ(got.m_auxFormula[7], "LL");
    EXPECT_EQ(got.m_defaultAuxFormula, "LL/2");
    for (size_t i = 2; i < 7; ++i) {
        EXPECT_EQ(got.m_auxStart[i], "") << i;
        EXPECT_EQ(got.m_auxEnd[i], "") << i;
        EXPECT_EQ(got.m_auxFormula[i], "") << i;
    }
}
