// The 土質 expense-detail dialog (CBukakeShikiDetailDlg): priced lines with their kinds, names, locks
// and colours, the line commands, the name choice with edited material prices, Z1/Z2 and OK.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "EventWait.h"
#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/Tx.h"
#include "masteredit/BukakeShikiDetailDlg.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/SankoKingakuContext.h"
#include "masteredit/ShokushuSelectDlg.h"
#include "masteredit/ZairyoTankaItemDlg.h"

using namespace masterbuild;

namespace {

CTankaFile Tanka() {
    CTankaFile f;
    AddTankaRow(f, 1001, "技師長", {50000});
    AddTankaRow(f, 1005, "作業員", {20000}).m_kind = 1;
    return f;
}

CHenkaritsuFile Henkaritsu() {
    CHenkaritsuFile f;
    AddTableRecord(AddGroup(f, 4), 20, "地盤");
    return f;
}

CZairyoTankaFile Zairyo() {
    CZairyoTankaFile f;
    AddZairyoItem(f, 1000, 0, "砂", 100);
    AddZairyoItem(f, 1001, 0, "セメント", 900);
    AddZairyoItem(f, 1002, 2, "ボーリングマシン", 5000);
    return f;
}

// A line of this layout: kind, id, quantity ×100 and the 損率 text.
void AddPriced(CBukakeDetail& d, int kind, int32_t id, int32_t quantity, const std::string& loss = "") {
    CBukakeDetailLine& line = AddLine(d, loss, {kind, id, quantity});
    line.m_name = loss;
}

// Three used lines and two unused ones.
CBukakeDetail Detail(bool full = false) {
    CBukakeDetail d;
    d.m_formula = "H1";
    d.m_henkaritsu[0] = 20;
    d.m_bukakeType = 4;
    d.m_shokushu[0] = 4;    // Z1: 材料費計
    d.m_shokushu[1] = 8;    // Z2: 人件費計
    d.m_rates = {300, kUnset, 1250};
    AddPriced(d, 1, 1001, 150, "");
    AddPriced(d, 3, 1000, 0, "5%");
    AddPriced(d, 4, 1002, 200, "");
    AddPriced(d, full ? 2 : 0, full ? 1005 : kUnset, kUnset);
    AddPriced(d, full ? 5 : 0, kUnset, kUnset);
    return d;
}

class ShikiDialog : public ::testing::Test {
protected:
    void Open(const CBukakeDetail& detail = Detail()) {
        dialog = std::make_unique<CBukakeShikiDetailDlg>();
        dialog->SetGyomuCode(4);
        dialog->SetShubetsuName("機械ボーリング");
        dialog->SetDetail(detail);
        dialog->SetHenkaritsuFile(Henkaritsu());
        dialog->SetTankaFile(Tanka());
        dialog->SetZairyoTankaFile(Zairyo());
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), kHangMs));
        grid = dialog->findChild<CSpreadSheet*>("grid");
    }
    template <class W = QPushButton>
    W* Get(const QString& name) {
        W* w = dialog->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    COLORREF RowColour(int row) {
        grid->SetRow(row);
        grid->SetCol(3);
        return grid->GetForeColor();
    }
    bool Locked(int col, int row) {
        grid->SetRow(row);
        grid->SetCol(col);
        return grid->GetLock();
    }
    const CBukakeDetailLine& LineAt(int i) { return *dialog->GetDetail().GetLine(i); }
    std::vector<int> Kinds() {
        std::vector<int> kinds;
        for (int i = 0; i < dialog->GetDetail().GetLineCount(); ++i) kinds.push_back(LineAt(i).m_columns[0]);
        return kinds;
    }

    ScriptedHost host;
    std::unique_ptr<CBukakeShikiDetailDlg> dialog;
    CSpreadSheet* grid = nullptr;
};

}  // namespace

TEST_F(ShikiDialog, LinesShowTheirKindNameQuantityLockAndColour) {
    Open();
    EXPECT_EQ(dialog->windowTitle(), Tx("歩掛データ詳細設定"));
    EXPECT_EQ(Get<QComboBox>("type")->itemText(13), Tx("補正式タイプ"));
    EXPECT_EQ(Get<QComboBox>("type")->currentIndex(), 4);
    EXPECT_EQ(Get<QComboBox>("h1")->currentIndex(), 1);
    EXPECT_TRUE(Get<QCheckBox>("option")->isVisibleTo(dialog.get()));
    for (int row = 1; row <= 20; ++row) {
        grid->SetRow(row);
        EXPECT_EQ(grid->GetRowHidden(), row > 5) << row;
    }
    EXPECT_EQ(grid->GetCellText(1, 1), Tx("直接人件費"));
    EXPECT_EQ(grid->GetCellText(2, 1), Tx("技師長"));
    EXPECT_EQ(grid->GetCellText(3, 1), Tx("1.5000"));
    EXPECT_EQ(grid->GetCellText(2, 2), Tx("砂"));
    EXPECT_EQ(grid->GetCellText(3, 2), Tx("0"));
    EXPECT_EQ(grid->GetCellText(4, 2), Tx("5%"));
    EXPECT_EQ(grid->GetCellText(2, 3), Tx("ボーリングマシン"));
    EXPECT_EQ(RowColour(1), 0x000000u);
    EXPECT_EQ(RowColour(2), 0xFF00FFu);
    EXPECT_EQ(RowColour(3), 0x000080u);
    // The blank kind locks and greys its row.
    EXPECT_EQ(RowColour(4), 0xC0C0C0u);
    EXPECT_TRUE(Locked(3, 4));
    EXPECT_TRUE(Locked(4, 4));
    EXPECT_FALSE(Locked(3, 1));
    grid->SetCellValueInt(1, 3, 0);
    emit grid->Change(1, 3);
    EXPECT_TRUE(Locked(3, 3));
    EXPECT_EQ(RowColour(3), 0xC0C0C0u);

    // A kind change clears the name and id and keeps the quantity.
    grid->SetCellValueInt(1, 1, 2);
    emit grid->Change(1, 1);
    EXPECT_EQ(LineAt(0).m_columns[0], 2);
    EXPECT_EQ(LineAt(0).m_columns[1], kUnset);
    EXPECT_EQ(LineAt(0).m_columns[2], 150);
    EXPECT_EQ(grid->GetCellText(2, 1), QString());
    EXPECT_EQ(RowColour(1), 0xFF0000u);
    grid->SetCellText(3, 2, Tx("0.29"));
    emit grid->Change(3, 2);
    EXPECT_EQ(LineAt(1).m_columns[2], 29);
    grid->SetCellText(4, 2, Tx("10%"));
    emit grid->Change(4, 2);
    EXPECT_EQ(LineAt(1).m_name, "10%");
}

TEST_F(ShikiDialog, RowDeleteAndInsertKeepTheNumberOfLines) {
    Open();
    emit grid->Click(1, 4);
    EXPECT_FALSE(Get("rowdelete")->isEnabled());  // no id on an unused line
    Get("rowinsert")->click();                    // nothing on an unused line
    EXPECT_EQ(dialog->GetDetail(), Detail());
    emit grid->Click(1, 1);
    ASSERT_TRUE(Get("rowdelete")->isEnabled());
    Get("rowdelete")->click();
    EXPECT_EQ(Kinds(), (std::vector<int>{3, 4, 0, 0, 0}));
    EXPECT_EQ(LineAt(0).m_name, "5%");
    EXPECT_EQ(LineAt(2).m_columns[1], kUnset);
    EXPECT_EQ(grid->GetCellText(2, 1), Tx("砂"));

    emit grid->Click(1, 2);
    Get("rowinsert")->click();
    EXPECT_EQ(Kinds(), (std::vector<int>{3, 1, 4, 0, 0}));
    EXPECT_EQ(LineAt(1).m_columns[1], kUnset);
    EXPECT_EQ(LineAt(2).m_columns[1], 1002);
    EXPECT_TRUE(host.messages.empty());

    // A free line below takes the insert even when the last line is in use: only the lines down to it
    // move, the ones after it stay.
    CBukakeDetail gap = Detail(true);
    *gap.GetLine(2) = *Detail().GetLine(3);  // the third line unused
    Open(gap);
    emit grid->Click(1, 2);
    Get("rowinsert")->click();
    EXPECT_EQ(Kinds(), (std::vector<int>{1, 1, 3, 2, 5}));
    EXPECT_EQ(LineAt(1).m_columns[1], kUnset);
    EXPECT_EQ(LineAt(2).m_columns[1], 1000);
    EXPECT_EQ(LineAt(3).m_columns[1], 1005);
    EXPECT_TRUE(host.messages.empty());

    // With every line in use nothing is lost: the user is told and nothing changes.
    Open(Detail(true));
    emit grid->Click(1, 2);
    Get("rowinsert")->click();
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{masteredittext::kCannotInsert});
    EXPECT_EQ(dialog->GetDetail(), Detail(true));
}

TEST_F(ShikiDialog, Z1AndZ2RoundTripThroughTheRadios) {
    struct Case {
        int z1Stored, z2Stored;
        int z1Radio, z2Radio;
    };
    const Case loads[] = {{4, 8, 3, 4}, {16, 4, 5, 3}, {1, 2, 1, 2}, {3, 16, 0, 0}, {kUnset, 0, 0, 0}};
    for (const Case& c : loads) {
        CBukakeDetail detail = Detail();
        detail.m_shokushu[0] = c.z1Stored;
        detail.m_shokushu[1] = c.z2Stored;
        Open(detail);
        EXPECT_TRUE(Get<QRadioButton>(QStringLiteral("z1_%1").arg(c.z1Radio))->isChecked()) << c.z1Stored;
        EXPECT_TRUE(Get<QRadioButton>(QStringLiteral("z2_%1").arg(c.z2Radio))->isChecked()) << c.z2Stored;
        EXPECT_EQ(Get<CZo_Edit>("z1rate")->isEnabled(), c.z1Radio > 0);
        EXPECT_EQ(Get<CZo_Edit>("z2rate")->isEnabled(), c.z2Radio > 0);
    }
    Open();
    EXPECT_EQ(Get<CZo_Edit>("z1rate")->text(), Tx("12.50"));
    EXPECT_EQ(Get<CZo_Edit>("z2rate")->text(), Tx("3.00"));
    // "なし" stores 0 and unsets the rate though the field holds a number; rates are nudged.
    Get<QRadioButton>("z1_0")->click();
    EXPECT_FALSE(Get<CZo_Edit>("z1rate")->isEnabled());
    Get<QRadioButton>("z2_3")->click();
    Get<CZo_Edit>("z2rate")->setText(Tx("12.34"));
    Get<QCheckBox>("option")->setChecked(false);
    Get("ok")->click();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    CBukakeDetail expected = Detail();
    expected.m_shokushu[0] = 0;
    expected.m_rates[2] = kUnset;
    expected.m_shokushu[1] = 4;
    expected.m_rates[0] = 1234;
    EXPECT_EQ(dialog->GetDetail(), expected);
}

TEST_F(ShikiDialog, NameChoiceTakesEveryEditedMaterial) {
    Open();
    ScriptedDialogs dialogs;
    dialogs.Expect<CShokushuSelectDlg>([](CShokushuSelectDlg& d) {
        EXPECT_EQ(d.windowTitle(), Tx("直接人件費・労務費 一覧"));
        EXPECT_EQ(d.GetSelection(), 1);
        d.findChild<QComboBox*>("list")->setCurrentIndex(2);
        return IDOK;
    });
    emit grid->DblClick(2, 1);
    EXPECT_EQ(LineAt(0).m_columns[1], 1005);
    EXPECT_EQ(grid->GetCellText(2, 1), Tx("作業員"));

    dialogs.Expect<CShokushuSelectDlg>([](CShokushuSelectDlg& d) {
        EXPECT_EQ(d.windowTitle(), Tx("材料費・機械器具損料・動力費 一覧"));
        QComboBox* list = d.findChild<QComboBox*>("list");
        EXPECT_EQ(list->currentIndex(), 1);  // 砂
        d.findChild<QPushButton*>("edit")->click();
        list->setCurrentIndex(2);
        d.findChild<QPushButton*>("edit")->click();
        list->setCurrentIndex(2);  // each edit brings the list back to 砂
        return IDOK;               // セメント
    });
    dialogs.Expect<CZairyoTankaItemDlg>([](CZairyoTankaItemDlg& d) {
        d.findChild<CZo_Edit*>("name")->setText(Tx("川砂"));
        return IDOK;
    });
    dialogs.Expect<CZairyoTankaItemDlg>([](CZairyoTankaItemDlg& d) {
        d.findChild<CZo_Edit*>("price")->setText(Tx("950"));
        return IDOK;
    });
    emit grid->DblClick(2, 2);
    EXPECT_EQ(dialogs.Pending(), 0u);
    EXPECT_EQ(LineAt(1).m_columns[1], 1001);
    EXPECT_EQ(grid->GetCellText(2, 2), Tx("セメント"));
    int changed = -1;
    const CZairyoTankaFile& zairyo = dialog->GetZairyoTankaFile(&changed);
    EXPECT_NE(changed, -1);
    EXPECT_EQ(zairyo.FindItem(1000)->m_name, "川砂");
    EXPECT_EQ(zairyo.FindItem(1001)->m_price, 950.0);

    // A line of kind 5 without an item opens the list of material kind 1, which has none.
    dialogs.Expect<CShokushuSelectDlg>([](CShokushuSelectDlg& d) {
        EXPECT_EQ(d.findChild<QComboBox*>("list")->count(), 1);
        return IDOK;
    });
    grid->SetCellValueInt(1, 4, 5);
    emit grid->Change(1, 4);
    emit grid->DblClick(2, 4);
    EXPECT_EQ(LineAt(3).m_columns[1], kUnset);
}

TEST(ShikiDialogRun, CancelChecksNothingAndOkHandsBackTheEditedDetail) {
    struct Context : ISankoKingakuContext {
        bool CalcSankoKingaku(const CBukakeDetail& d, const CZairyoTankaFile&, int& amount, int&) override {
            amount = d.m_quantity;
            return true;
        }
    } context;
    for (int result : {IDCANCEL, IDOK}) {
        ScriptedHost host;
        ScriptedDialogs dialogs;
        dialogs.Expect<CBukakeShikiDetailDlg>([result](CBukakeShikiDetailDlg& d) {
            EXPECT_EQ(d.findChild<QLabel*>("kingaku")->text(), Tx(" 金額 ： 700円"));
            EXPECT_FALSE(d.findChild<QLabel*>("gokei")->isVisibleTo(&d));
            EXPECT_FALSE(d.findChild<CZo_Edit*>("quantity")->isEnabled());
            d.findChild<CZo_Edit*>("quantity")->setText(Tx("3"));
            d.findChild<QPushButton*>("sanko")->click();
            EXPECT_EQ(d.findChild<QLabel*>("kingaku")->text(), Tx(" 金額 ： 300円"));
            if (result == IDCANCEL) d.findChild<CZo_Edit*>("formula")->clear();
            return result;
        });
        CBukakeShikiDetailDlg dialog;
        dialog.SetGyomuCode(5);
        dialog.SetDetail(Detail());
        dialog.SetHenkaritsuFile(Henkaritsu());
        dialog.SetTankaFile(Tanka());
        dialog.SetZairyoTankaFile(Zairyo());
        dialog.SetKingaku(700);
        dialog.SetSankoKingakuContext(&context);
        EXPECT_EQ(dialog.DoModal(), result);
        EXPECT_TRUE(host.messages.empty());
        if (result != IDOK) continue;
        CBukakeDetail expected = Detail();
        expected.m_quantity = 300;
        EXPECT_EQ(dialog.GetDetail(), expected);
    }
}
