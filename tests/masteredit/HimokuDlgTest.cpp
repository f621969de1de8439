// The 費目 settings dialog (CHimokuDlg) and the auxiliary-formula dialog (CBukakeHojoShikiDlg): item
// limit, basis radios and rates, row commands, the material choice with edited prices, S1..S8 checks.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "EventWait.h"
#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/Tx.h"
#include "masteredit/BukakeHojoShikiDlg.h"
#include "masteredit/HimokuDlg.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/ShokushuSelectDlg.h"
#include "masteredit/ZairyoTankaItemDlg.h"

using namespace masterbuild;

namespace {

// Two items of material kind 3 (測量材料) and one of kind 0.
CZairyoTankaFile Zairyo() {
    CZairyoTankaFile f;
    AddZairyoItem(f, 1000, 0, "砂", 100);
    AddZairyoItem(f, 1001, 3, "杭", 300);
    AddZairyoItem(f, 1002, 3, "ペンキ", 500);
    return f;
}

CBukakeHimokuSet Set(int items) {
    CBukakeDetail detail;
    for (int i = 0; i < items; ++i) AddHimoku(detail, "Z" + std::to_string(i + 1), i % 3, i == 0 ? 1000 : kUnset, 500);
    return detail.GetHimokuSet();
}

class HimokuDialog : public ::testing::Test {
protected:
    void Open(const CBukakeHimokuSet& set) {
        dialog = std::make_unique<CHimokuDlg>();
        dialog->SetShubetsuName("基準点測量");
        dialog->SetHimokuSet(set);
        dialog->SetZairyoTankaFile(Zairyo());
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), kHangMs));
        grid = dialog->findChild<CSpreadSheet*>("grid");
    }
    QPushButton* Button(const char* name) { return dialog->findChild<QPushButton*>(name); }
    CZo_Edit* Rate(int group) { return dialog->findChild<CZo_Edit*>(QStringLiteral("rate%1").arg(group)); }
    QRadioButton* Radio(int group, int index) {
        return dialog->findChild<QRadioButton*>(QStringLiteral("z%1_%2").arg(group).arg(index));
    }

    ScriptedHost host;
    std::unique_ptr<CHimokuDlg> dialog;
    CSpreadSheet* grid = nullptr;
};

}  // namespace

TEST_F(HimokuDialog, FifteenItemsAtMost) {
    Open(Set(15));
    Button("add")->click();
    Button("insert")->click();
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{masteredittext::kCannotAdd, masteredittext::kCannotInsert}));
    EXPECT_EQ(host.messages.at(0).icon, MsgIcon::Exclamation);
    EXPECT_EQ(dialog->GetHimokuSet().GetHimokuCount(), 15);
    EXPECT_EQ(grid->GetMaxRows(), 15);

    Open(Set(2));
    emit grid->Click(1, 2);
    Button("insert")->click();
    Button("add")->click();
    const CBukakeHimokuSet& set = dialog->GetHimokuSet();
    ASSERT_EQ(set.GetHimokuCount(), 4);
    EXPECT_EQ(set.GetHimoku(0)->m_name, "Z1");
    EXPECT_EQ(*set.GetHimoku(1), CBukakeHimoku());
    EXPECT_EQ(set.GetHimoku(2)->m_name, "Z2");
    EXPECT_EQ(*set.GetHimoku(3), CBukakeHimoku());
}

TEST_F(HimokuDialog, RadiosFromTheStoredBitSetsAndBack) {
    CBukakeHimokuSet set = Set(1);
    set.m_bases = {8, 16, 5};  // 5 is no choice of Z3
    set.m_rates = {1250, 300, 700};
    Open(set);
    EXPECT_TRUE(Radio(1, 3)->isChecked());
    EXPECT_TRUE(Radio(2, 5)->isChecked());
    EXPECT_TRUE(Radio(3, 0)->isChecked());
    EXPECT_EQ(Rate(1)->text(), Tx("12.50"));
    EXPECT_FALSE(Rate(3)->isEnabled());
    EXPECT_TRUE(Rate(1)->isEnabled());

    Radio(1, 4)->click();      // 材料費計 → 4
    Rate(1)->setText(Tx("0.29"));  // nudged: 29, not 28
    Radio(2, 2)->click();      // 労務費計 → 2
    Rate(2)->clear();          // a method without a rate stores it unset
    EXPECT_TRUE(Radio(3, 0)->isChecked());
    Button("ok")->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const CBukakeHimokuSet& out = dialog->GetHimokuSet();
    EXPECT_EQ(out.m_bases, (std::array<int32_t, 3>{4, 2, 0}));
    EXPECT_EQ(out.m_rates, (std::array<int32_t, 3>{29, kUnset, kUnset}));

    // なし disables the rate and stores it unset even with a number in the field.
    set.m_bases = {1, 2, 4};
    Open(set);
    Radio(2, 0)->click();
    EXPECT_FALSE(Rate(2)->isEnabled());
    Button("ok")->click();
    EXPECT_EQ(dialog->GetHimokuSet().m_bases, (std::array<int32_t, 3>{1, 0, 4}));
    EXPECT_EQ(dialog->GetHimokuSet().m_rates, (std::array<int32_t, 3>{1250, kUnset, 700}));
}

TEST_F(HimokuDialog, CellsRowsAndMovesEditTheItems) {
    Open(Set(3));
    EXPECT_EQ(grid->GetCellText(1, 1), Tx("材料費"));
    EXPECT_EQ(grid->GetCellText(2, 1), Tx("砂"));
    EXPECT_EQ(grid->GetCellText(3, 1), Tx("5.0000"));
    EXPECT_EQ(grid->GetCellText(4, 2), Tx("Z2"));
    grid->SetCellText(4, 2, Tx("Z1*2"));
    emit grid->Change(4, 2);
    grid->SetCellText(3, 3, Tx("1.15"));
    emit grid->Change(3, 3);
    grid->SetCellValueInt(1, 3, 0);
    emit grid->Change(1, 3);
    const CBukakeHimokuSet& set = dialog->GetHimokuSet();
    EXPECT_EQ(set.GetHimoku(1)->m_name, "Z1*2");
    EXPECT_EQ(set.GetHimoku(2)->m_values[2], 115);
    EXPECT_EQ(set.GetHimoku(2)->m_values[0], 0);

    // クリア works only on 損率 and only over the block's rows.
    emit grid->BlockSelected(3, 3, 3, 2);
    ASSERT_TRUE(Button("clear")->isEnabled());
    Button("clear")->click();
    EXPECT_EQ(set.GetHimoku(0)->m_values[2], 500);
    EXPECT_EQ(set.GetHimoku(1)->m_values[2], kUnset);
    EXPECT_EQ(set.GetHimoku(2)->m_values[2], kUnset);
    emit grid->Click(4, 1);
    EXPECT_FALSE(Button("clear")->isEnabled());

    Button("down")->click();
    EXPECT_EQ(set.GetHimoku(1)->m_name, "Z1");
    EXPECT_EQ(dialog->CurrentRow(), 2);
    Button("up")->click();
    Button("up")->click();  // nothing above the first row
    EXPECT_EQ(set.GetHimoku(0)->m_name, "Z1");
    EXPECT_EQ(dialog->CurrentRow(), 1);

    // Deleting the last row: asked with the material's name, the current row moves up.
    emit grid->Click(4, 3);
    host.answers = {IDNO, IDYES};
    Button("delete")->click();
    EXPECT_EQ(set.GetHimokuCount(), 3);
    Button("delete")->click();
    EXPECT_EQ(host.messages.at(0).text, "費目データ '' を削除してよろしいですか？");
    EXPECT_EQ(host.messages.at(0).caption, "確認");
    EXPECT_EQ(host.messages.at(0).buttons, MsgButtons::YesNo);
    EXPECT_EQ(set.GetHimokuCount(), 2);
    EXPECT_EQ(dialog->CurrentRow(), 2);
    EXPECT_EQ(grid->GetMaxRows(), 2);
    emit grid->Click(4, 1);
    host.answers = {IDYES};
    Button("delete")->click();
    EXPECT_EQ(host.messages.back().text, "費目データ '砂' を削除してよろしいですか？");
}

TEST_F(HimokuDialog, EveryMaterialEditedInTheChoiceReachesTheCopy) {
    Open(Set(2));
    // A typed quantity stays beside the material choice.
    grid->SetCellText(4, 2, Tx("3"));
    emit grid->Change(4, 2);
    ScriptedDialogs dialogs;
    dialogs.Expect<CShokushuSelectDlg>([](CShokushuSelectDlg& d) {
        // Item 2 has kind 1 and no material: the list of kind 4 would open; this one has none.
        EXPECT_EQ(d.windowTitle(), Tx("材料費・機械経費・その他経費 一覧"));
        return IDCANCEL;
    });
    emit grid->Click(2, 2);

    CBukakeHimokuSet set = Set(2);
    set.GetHimoku(1)->m_values = {0, kUnset, kUnset};
    Open(set);
    grid->SetCellText(4, 2, Tx("3"));
    emit grid->Change(4, 2);
    dialogs.Expect<CShokushuSelectDlg>([](CShokushuSelectDlg& d) {
        QComboBox* list = d.findChild<QComboBox*>("list");
        // Kind 0 without a material opens on material kind 3.
        EXPECT_EQ(list->count(), 3);
        list->setCurrentIndex(1);
        d.findChild<QPushButton*>("edit")->click();
        list->setCurrentIndex(2);
        d.findChild<QPushButton*>("edit")->click();
        list->setCurrentIndex(2);  // each edit brings the list back to the item given: none
        return IDOK;               // ペンキ chosen
    });
    dialogs.Expect<CZairyoTankaItemDlg>([](CZairyoTankaItemDlg& d) {
        d.findChild<CZo_Edit*>("name")->setText(Tx("木杭"));
        return IDOK;
    });
    dialogs.Expect<CZairyoTankaItemDlg>([](CZairyoTankaItemDlg& d) {
        d.findChild<CZo_Edit*>("price")->setText(Tx("550"));
        return IDOK;
    });
    emit grid->Click(2, 2);
    EXPECT_EQ(dialogs.Pending(), 0u);
    int chosen = -1;
    const CZairyoTankaFile& zairyo = dialog->GetZairyoTankaFile(&chosen);
    EXPECT_EQ(chosen, 2);
    EXPECT_EQ(zairyo.FindItem(1001)->m_name, "木杭");
    EXPECT_EQ(zairyo.FindItem(1002)->m_price, 550.0);
    EXPECT_EQ(dialog->GetHimokuSet().GetHimoku(1)->m_values[1], 1002);
    EXPECT_EQ(dialog->GetHimokuSet().GetHimoku(1)->m_name, "3");
    EXPECT_EQ(grid->GetCellText(2, 2), Tx("ペンキ"));

    // "なし" clears the material.
    dialogs.Expect<CShokushuSelectDlg>([](CShokushuSelectDlg& d) {
        d.findChild<QComboBox*>("list")->setCurrentIndex(0);
        return IDOK;
    });
    emit grid->Click(2, 2);
    EXPECT_EQ(dialog->GetHimokuSet().GetHimoku(1)->m_values[1], kUnset);
    EXPECT_EQ(grid->GetCellText(2, 2), QString());
}

TEST(HimokuDialogRun, OkHandsBackTheHandEditedSet) {
    ScriptedDialogs dialogs;
    dialogs.Expect<CHimokuDlg>([](CHimokuDlg& d) {
        d.findChild<QPushButton*>("add")->click();
        d.findChild<QRadioButton*>("z1_1")->click();
        d.findChild<CZo_Edit*>("rate1")->setText(Tx("10"));
        return IDOK;
    });
    CHimokuDlg dialog;
    dialog.SetHimokuSet(Set(1));
    dialog.SetZairyoTankaFile(Zairyo());
    ASSERT_EQ(dialog.DoModal(), IDOK);
    CBukakeHimokuSet expected = Set(1);
    expected.AddHimoku(std::make_unique<CBukakeHimoku>());
    expected.m_bases = {1, 0, 0};
    expected.m_rates = {1000, kUnset, kUnset};
    EXPECT_EQ(dialog.GetHimokuSet(), expected);
    int chosen = 0;
    EXPECT_EQ(dialog.GetZairyoTankaFile(&chosen), Zairyo());
    EXPECT_EQ(chosen, -1);
}

TEST(HojoShikiDialog, OnlyTheFailingFieldsTellTheirMessages) {
    std::string longValid = "1";  // 301 characters
    for (int i = 0; i < 150; ++i) longValid += "+1";
    struct Case {
        std::array<std::string, 8> formulas;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {{"H1*2", "", "(1+2"}, {"補助式3（Ｓ3）は無効です。\nもう一度式を確認してください。"}},
        {{}, {"補助式1（Ｓ１）に正しい式が入力されていません。式を入力してください。"}},
        // S1 is checked as a formula too now.
        {{"1++2"}, {"補助式1（Ｓ１）に正しい式が入力されていません。式を入力してください。"}},
        {{"", "", "", "", "", "", "", "S1)"},
         {"補助式1（Ｓ１）に正しい式が入力されていません。式を入力してください。",
          "補助式8（Ｓ8）は無効です。\nもう一度式を確認してください。"}},
        // Checked whole: valid past 256 characters, and refused for a fault beyond them.
        {{longValid, longValid + "+"}, {"補助式2（Ｓ2）は無効です。\nもう一度式を確認してください。"}},
        {{longValid, longValid}, {}},
    };
    for (const Case& c : cases) {
        ScriptedHost host;
        CBukakeDetail detail;
        detail.m_textH = "\"表\"";
        CBukakeHojoShikiDlg dialog;
        dialog.SetDetail(detail);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog, kHangMs));
        EXPECT_EQ(dialog.findChild<CZo_Edit*>("ninth")->text(), Tx("\"表\""));
        for (int i = 0; i < 8; ++i)
            dialog.findChild<CZo_Edit*>(QStringLiteral("s%1").arg(i + 1))->setText(QString::fromStdString(c.formulas[i]));
        dialog.findChild<QPushButton*>("ok")->click();
        EXPECT_EQ(host.MessageTexts(), c.messages) << c.formulas[0];
        EXPECT_EQ(dialog.result(), c.messages.empty() ? QDialog::Accepted : QDialog::Rejected) << c.formulas[0];
        if (c.messages.empty()) {
            EXPECT_EQ(dialog.GetDetail().m_auxiliary, c.formulas);
            EXPECT_EQ(dialog.GetDetail().m_textH, "\"表\"");
        } else {
            EXPECT_EQ(dialog.GetDetail().m_auxiliary, detail.m_auxiliary);
        }
    }
}
