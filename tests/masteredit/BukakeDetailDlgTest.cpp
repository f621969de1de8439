// The 歩掛 detail-settings dialog (CBukakeDetailDlg): the line grid with its trade headers and totals,
// the values it stores, クリア, the trade choice, the checks at OK, what each 業務 shows, the 費目 and
// auxiliary-formula sub-dialogs and the 参考金額 of an estimate row.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
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
#include "masteredit/BukakeDetailDlg.h"
#include "masteredit/BukakeHojoShikiDlg.h"
#include "masteredit/HimokuDlg.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/SankoKingakuContext.h"
#include "masteredit/ShokushuSelectDlg.h"
#include "masteredit/ZairyoTankaItemDlg.h"

using namespace masterbuild;

namespace {

CTankaFile Tanka() {
    CTankaFile f;
    AddTankaRow(f, 1001, "技師長", {50000});
    AddTankaRow(f, 1002, "主任技師", {40000});
    AddTankaRow(f, 1005, "測量助手", {20000}).m_kind = 1;
    return f;
}

CHenkaritsuFile Henkaritsu() {
    CHenkaritsuFile f;
    for (int gyomu : {1, 2, 3, 4, 6, 7}) {
        CHenkaritsuGyomu& group = AddGroup(f, gyomu);
        AddTableRecord(group, 10, "地形");
        AddTableRecord(group, 11, "工期").m_type = 0;
    }
    return f;
}

CZairyoTankaFile Zairyo() {
    CZairyoTankaFile f;
    AddZairyoItem(f, 1000, 0, "砂", 100);
    AddZairyoItem(f, 1003, 5, "検定料A", 3000);
    AddZairyoItem(f, 1004, 5, "検定料B", 4000);
    AddZairyoItem(f, 1005, 3, "杭", 300);
    return f;
}

// Two lines; trades in the first three columns, the third one missing from the 単価 master.
CBukakeDetail Detail() {
    CBukakeDetail d;
    d.m_formula = "H1*1.2";
    d.m_henkaritsu[0] = 11;
    d.m_henkaritsu[1] = 99;  // not in the group
    d.m_quantity = 150;
    d.m_unit = "km";
    d.m_shokushu[0] = 1001;
    d.m_shokushu[1] = 1005;
    d.m_shokushu[2] = 9999;
    d.m_rates = {1000, kUnset, 250};
    d.m_zairyoId = 1004;
    AddLine(d, "外業", {150, 200}, 1);
    AddLine(d, "内業", {kUnset, 50, 25});
    return d;
}

class ScriptedContext : public ISankoKingakuContext {
public:
    bool CalcSankoKingaku(const CBukakeDetail& detail, const CZairyoTankaFile&, int& amount, int& amount95) override {
        seen = detail;
        amount = 2000;
        amount95 = 5000;
        return true;
    }
    CBukakeDetail seen;
};

class BukakeDetailDialog : public ::testing::Test {
protected:
    void Open(int gyomu, const CBukakeDetail& detail = Detail()) {
        dialog = std::make_unique<CBukakeDetailDlg>();
        dialog->SetGyomuCode(gyomu);
        dialog->SetShubetsuName("基準点測量");
        dialog->SetDetail(detail);
        dialog->SetHenkaritsuFile(Henkaritsu());
        dialog->SetTankaFile(Tanka());
        dialog->SetZairyoTankaFile(Zairyo());
        if (context) {
            dialog->SetKingaku(12345);
            dialog->SetGokeiKingaku(99999);
            dialog->SetSankoKingakuContext(context);
        }
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), kHangMs));
        grid = dialog->findChild<CSpreadSheet*>("grid");
        totals = dialog->findChild<CSpreadSheet*>("totals");
    }
    template <class W = QPushButton>
    W* Get(const char* name) {
        W* w = dialog->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    bool Shown(const char* name) { return Get<QWidget>(name)->isVisibleTo(dialog.get()); }
    void Type(int col, int row, const char* text) {
        grid->SetCellText(col, row, Tx(text));
        emit grid->Change(col, row);
    }
    bool Ok() {
        Get("ok")->click();
        return dialog->result() == QDialog::Accepted;
    }

    ScriptedHost host;
    ScriptedContext* context = nullptr;
    std::unique_ptr<CBukakeDetailDlg> dialog;
    CSpreadSheet* grid = nullptr;
    CSpreadSheet* totals = nullptr;
};

}  // namespace

TEST_F(BukakeDetailDialog, FillsTheGridHeadersTotalsAndFields) {
    Open(1);
    EXPECT_EQ(dialog->windowTitle(), Tx("歩掛データ詳細設定"));
    EXPECT_EQ(Get<QLabel>("shubetsu")->text(), Tx("基準点測量"));
    EXPECT_EQ(Get<CZo_Edit>("formula")->text(), Tx("H1*1.2"));
    EXPECT_EQ(Get<CZo_Edit>("quantity")->text(), Tx("1.50"));
    EXPECT_EQ(Get<CZo_Edit>("rate1")->text(), Tx("10.00"));
    EXPECT_EQ(Get<CZo_Edit>("rate2")->text(), QString());
    QComboBox* h1 = Get<QComboBox>("h1");
    ASSERT_EQ(h1->count(), 3);
    EXPECT_EQ(h1->itemText(1), Tx("(変化率)地形"));
    EXPECT_EQ(h1->itemText(2), Tx("(補正率)工期"));
    EXPECT_EQ(h1->currentIndex(), 2);
    EXPECT_EQ(Get<QComboBox>("h2")->currentIndex(), 0);  // a code the group lacks shows "なし"
    EXPECT_EQ(Get<QComboBox>("type")->count(), 34);
    EXPECT_EQ(Get<QComboBox>("type")->itemText(13), Tx("補正式タイプ(H8に設定)"));
    EXPECT_FALSE(Get<QComboBox>("type")->isEnabled());
    QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(dialog.get(), &f5);
    EXPECT_TRUE(Get<QComboBox>("type")->isEnabled());

    // Rows past the lines are hidden.
    ASSERT_EQ(grid->GetMaxRows(), 20);
    for (int row = 1; row <= 20; ++row) {
        grid->SetRow(row);
        EXPECT_EQ(grid->GetRowHidden(), row > 2) << row;
    }
    // Headers name the trades, coloured by kind; a trade the master lacks leaves the header empty.
    EXPECT_EQ(grid->GetCellText(3, 0), Tx("技師長"));
    EXPECT_EQ(grid->GetCellText(4, 0), Tx("測量助手"));
    EXPECT_EQ(grid->GetCellText(5, 0), QString());
    grid->SetRow(0);
    grid->SetCol(3);
    EXPECT_EQ(grid->GetForeColor(), 0x000000u);
    grid->SetCol(4);
    EXPECT_EQ(grid->GetForeColor(), 0xFF4040u);

    EXPECT_EQ(grid->GetCellText(1, 1), Tx("外業"));
    EXPECT_EQ(grid->GetCellValueInt(2, 1), 1);
    EXPECT_EQ(grid->GetCellText(3, 1), Tx("1.5000"));
    EXPECT_EQ(grid->GetCellText(3, 2), QString());
    EXPECT_EQ(grid->GetCellText(13, 1), Tx("3.5000"));
    EXPECT_EQ(grid->GetCellText(13, 2), Tx("0.7500"));
    EXPECT_EQ(totals->GetMaxRows(), 1);
    EXPECT_EQ(totals->GetCellText(4, 1), Tx("2.5000"));
    EXPECT_EQ(totals->GetCellText(13, 1), Tx("4.2500"));
}

TEST_F(BukakeDetailDialog, EditsAreStoredNudgedAndTotalsFollow) {
    Open(1);
    Type(3, 2, "0.29");  // 0.29 × 100 lies just below 29
    EXPECT_EQ(dialog->GetDetail().GetLine(1)->m_columns[0], 29);
    EXPECT_EQ(grid->GetCellText(13, 2), Tx("1.0400"));
    EXPECT_EQ(totals->GetCellText(3, 1), Tx("1.7900"));
    EXPECT_EQ(totals->GetCellText(13, 1), Tx("4.5400"));
    Type(4, 1, "");  // an emptied cell stores 0
    EXPECT_EQ(dialog->GetDetail().GetLine(0)->m_columns[1], 0);
    EXPECT_EQ(totals->GetCellText(13, 1), Tx("2.5400"));
    grid->SetCellValueInt(1, 2, 0);
    emit grid->Change(1, 2);
    EXPECT_EQ(dialog->GetDetail().GetLine(1)->m_name, "外業");
    grid->SetCellCheck(2, 2, 1);
    emit grid->Change(2, 2);
    EXPECT_EQ(dialog->GetDetail().GetLine(1)->m_value, 1);

    // クリア over the whole grid as the grid reports it (−1 corners): column 2 stays.
    emit grid->BlockSelected(-1, -1, -1, -1);
    Get("clear")->click();
    for (int i = 0; i < 2; ++i) {
        const CBukakeDetailLine& line = *dialog->GetDetail().GetLine(i);
        EXPECT_EQ(line.m_name, "") << i;
        EXPECT_EQ(line.m_value, 1) << i;
        for (int32_t v : line.m_columns) EXPECT_EQ(v, kUnset) << i;
    }
    EXPECT_EQ(grid->GetCellValueInt(2, 1), 1);
    EXPECT_EQ(totals->GetCellText(13, 1), Tx("0.0000"));

    // Delete clears the block too; a 0 corner (the header row) is cut to the lines.
    Type(5, 1, "2");
    emit grid->BlockSelected(5, 0, 5, 1);
    short key = 46;
    emit grid->KeyDown(key, 0);
    EXPECT_EQ(dialog->GetDetail().GetLine(0)->m_columns[2], kUnset);
}

TEST_F(BukakeDetailDialog, ChoosingATradeAndNashiForAColumn) {
    Open(1);
    emit grid->Click(5, 1);
    ASSERT_TRUE(Get("shokushu")->isEnabled());
    emit grid->BlockSelected(5, 1, 6, 1);
    EXPECT_FALSE(Get("shokushu")->isEnabled());
    emit grid->Click(5, 1);
    ScriptedDialogs dialogs;
    dialogs.Expect<CShokushuSelectDlg>([](CShokushuSelectDlg& d) {
        EXPECT_EQ(d.windowTitle(), Tx("職種名称選択"));
        EXPECT_EQ(d.GetSelection(), 0);  // the column's trade is not in the master
        d.findChild<QComboBox*>("list")->setCurrentIndex(3);
        return IDOK;
    });
    Get("shokushu")->click();
    EXPECT_EQ(dialog->GetDetail().m_shokushu[2], 1005);
    EXPECT_EQ(grid->GetCellText(5, 0), Tx("測量助手"));
    grid->SetRow(0);
    grid->SetCol(5);
    EXPECT_EQ(grid->GetForeColor(), 0xFF4040u);

    // A click on a header chooses for that column.
    dialogs.Expect<CShokushuSelectDlg>([](CShokushuSelectDlg& d) {
        EXPECT_EQ(d.GetSelection(), 3);
        d.findChild<QComboBox*>("list")->setCurrentIndex(0);
        return IDOK;
    });
    emit grid->Click(4, 0);
    EXPECT_EQ(dialog->GetDetail().m_shokushu[1], kUnset);
    EXPECT_EQ(grid->GetCellText(4, 0), QString());
    grid->SetCol(4);
    EXPECT_EQ(grid->GetForeColor(), 0x000000u);
    EXPECT_EQ(dialogs.Pending(), 0u);
}

TEST_F(BukakeDetailDialog, OkRefusesMissingKubunAndBadFormulasCheckedWhole) {
    std::string longValid = "1";  // 301 characters
    for (int i = 0; i < 150; ++i) longValid += "+1";
    struct Case {
        const char* kubun;  // of line 2
        std::string formula;
        const char* message;  // null: accepted
    };
    const Case cases[] = {
        {"", "1", masteredittext::kSakugyoKubunMissing},
        {"内業", "", masteredittext::kFormulaMissing},
        {"内業", "1++2", masteredittext::kFormulaInvalid},
        {"内業", longValid + "*", masteredittext::kFormulaInvalid},
        {"内業", longValid, nullptr},
    };
    for (const Case& c : cases) {
        host.messages.clear();
        Open(1);
        Type(1, 2, c.kubun);
        Get<CZo_Edit>("formula")->setText(QString::fromStdString(c.formula));
        EXPECT_EQ(Ok(), c.message == nullptr) << c.formula;
        EXPECT_EQ(host.MessageTexts(), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{})
            << c.formula;
        if (c.message == masteredittext::kSakugyoKubunMissing) {
            EXPECT_EQ(grid->GetActiveCol(), 1);
            EXPECT_EQ(grid->GetActiveRow(), 2);
        }
    }
    // A line with a 作業区分 and no values passes; one with neither too.
    CBukakeDetail detail = Detail();
    AddLine(detail, "外業", {});
    AddLine(detail, "", {0});
    host.messages.clear();
    Open(1, detail);
    EXPECT_TRUE(Ok());
}

TEST_F(BukakeDetailDialog, WhatEach業務Shows) {
    struct Case {
        int gyomu;
        bool optionEnabled;
        const char* optionText;
        const char* rate1Label;
        bool rates23Enabled[2];
        bool checkColumnLocked;
        bool prints, himoku, hojo;
    };
    const Case cases[] = {
        {1, true, "単価の端数計算方法では丸めない", "機械経費率(%) :", {true, true}, false, true, true, false},
        {2, true, "プログラム金額を使用する", "電子計算機使用料率(%) :", {false, false}, true, true, false, false},
        {3, false, "プログラム金額を使用する", "機械経費率(%) :", {false, true}, false, false, false, false},
        {4, false, "プログラム金額を使用する", "機械経費率(%) :", {false, true}, true, false, false, false},
        {6, true, "単価の端数計算方法では丸めない", "機械経費率(%) :", {true, true}, false, true, true, true},
        {7, true, "プログラム金額を使用する", "電子計算機使用料率(%) :", {false, false}, true, true, false, false},
    };
    for (const Case& c : cases) {
        Open(c.gyomu);
        EXPECT_EQ(Get<QCheckBox>("option")->isEnabled(), c.optionEnabled) << c.gyomu;
        EXPECT_EQ(Get<QCheckBox>("option")->text(), Tx(c.optionText)) << c.gyomu;
        QStringList labels;
        for (QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
        EXPECT_TRUE(labels.contains(Tx(c.rate1Label))) << c.gyomu;
        EXPECT_EQ(Get<CZo_Edit>("rate2")->isEnabled(), c.rates23Enabled[0]) << c.gyomu;
        EXPECT_EQ(Get<CZo_Edit>("rate3")->isEnabled(), c.rates23Enabled[1]) << c.gyomu;
        grid->SetRow(1);
        grid->SetCol(2);
        EXPECT_EQ(grid->GetLock(), c.checkColumnLocked) << c.gyomu;
        EXPECT_EQ(grid->GetBackColor(), c.checkColumnLocked ? 0xC0C0C0u : 0xFFFFFFu) << c.gyomu;
        for (const char* name : {"daikapreview", "daikaprint", "meisaipreview", "meisaiprint"}) {
            EXPECT_EQ(Shown(name), c.prints) << c.gyomu << name;
            EXPECT_TRUE(Get(name)->isEnabled()) << name;
        }
        EXPECT_EQ(Shown("himoku1"), c.himoku) << c.gyomu;
        EXPECT_EQ(Shown("seikahingroup"), c.himoku) << c.gyomu;
        EXPECT_EQ(Shown("usehojo"), c.hojo) << c.gyomu;
        EXPECT_FALSE(Shown("hojo")) << c.gyomu;
        EXPECT_FALSE(Shown("kingaku")) << c.gyomu;  // no estimate context
        EXPECT_FALSE(Shown("sanko")) << c.gyomu;
    }
}

TEST_F(BukakeDetailDialog, HimokuModeRadiosAndTheSeikahinList) {
    Open(1);
    // Mode 1 (the default): rates here, no 設定.
    EXPECT_TRUE(Get<QRadioButton>("himoku1")->isChecked());
    EXPECT_TRUE(Shown("rate1"));
    EXPECT_FALSE(Shown("himoku"));
    Get<QRadioButton>("himoku0")->click();
    EXPECT_FALSE(Shown("rate1"));
    EXPECT_FALSE(Shown("rate3"));
    EXPECT_TRUE(Shown("himoku"));
    QComboBox* seikahin = Get<QComboBox>("seikahin");
    ASSERT_EQ(seikahin->count(), 3);
    EXPECT_EQ(seikahin->itemText(0), Tx("なし"));
    EXPECT_EQ(seikahin->itemText(2), Tx("検定料B"));
    EXPECT_EQ(seikahin->currentIndex(), 2);
    seikahin->setCurrentIndex(1);
    Get<QComboBox>("h1")->setCurrentIndex(0);
    Get<QComboBox>("h8")->setCurrentIndex(1);
    ASSERT_TRUE(Ok());
    CBukakeDetail expected = Detail();
    expected.m_himokuMode = 0;
    expected.m_zairyoId = 1003;
    expected.m_henkaritsu[0] = kUnset;
    expected.m_henkaritsu[7] = 10;
    EXPECT_EQ(dialog->GetDetail(), expected);
}

TEST_F(BukakeDetailDialog, SubDialogsEditTheCopyOnlyOnOk) {
    CBukakeDetail detail = Detail();
    detail.m_useAuxiliary = 1;
    detail.m_auxiliary[0] = "2";
    detail.m_himokuMode = 0;
    Open(6, detail);
    EXPECT_TRUE(Shown("hojo"));
    Get<QCheckBox>("usehojo")->click();
    EXPECT_FALSE(Shown("hojo"));
    Get<QCheckBox>("usehojo")->click();
    ASSERT_TRUE(Shown("hojo"));
    ASSERT_TRUE(Shown("himoku"));

    ScriptedDialogs dialogs;
    dialogs.Expect<CBukakeHojoShikiDlg>([](CBukakeHojoShikiDlg& d) {
        d.findChild<CZo_Edit*>("s2")->setText(Tx("9"));
        return IDCANCEL;
    });
    dialogs.Expect<CBukakeHojoShikiDlg>([](CBukakeHojoShikiDlg& d) {
        EXPECT_EQ(d.findChild<CZo_Edit*>("s1")->text(), Tx("2"));
        d.findChild<CZo_Edit*>("s2")->setText(Tx("S1*3"));
        return IDOK;
    });
    dialogs.Expect<CHimokuDlg>([](CHimokuDlg& d) {
        d.findChild<QPushButton*>("add")->click();
        return IDCANCEL;
    });
    dialogs.Expect<CHimokuDlg>([](CHimokuDlg& d) {
        EXPECT_EQ(d.findChild<QLabel*>("shubetsu")->text(), Tx("基準点測量"));
        d.findChild<QPushButton*>("add")->click();
        // The new item's material is chosen and an item of the price list edited on the way.
        emit d.findChild<CSpreadSheet*>("grid")->Click(2, 1);
        return IDOK;
    });
    dialogs.Expect<CShokushuSelectDlg>([](CShokushuSelectDlg& d) {
        QComboBox* list = d.findChild<QComboBox*>("list");
        list->setCurrentIndex(1);
        d.findChild<QPushButton*>("edit")->click();
        list->setCurrentIndex(1);  // the list came back to the item given: none
        return IDOK;
    });
    dialogs.Expect<CZairyoTankaItemDlg>([](CZairyoTankaItemDlg& d) {
        d.findChild<CZo_Edit*>("name")->setText(Tx("木杭"));
        return IDOK;
    });
    Get("hojo")->click();
    EXPECT_EQ(dialog->GetDetail().m_auxiliary[1], "");
    Get("hojo")->click();
    EXPECT_EQ(dialog->GetDetail().m_auxiliary[1], "S1*3");
    Get("himoku")->click();
    int changed = 0;
    dialog->GetZairyoTankaFile(&changed);
    EXPECT_EQ(changed, -1);
    EXPECT_EQ(dialog->GetDetail().GetHimokuSet().GetHimokuCount(), 0);
    Get("himoku")->click();
    EXPECT_EQ(dialogs.Pending(), 0u);
    const CZairyoTankaFile& zairyo = dialog->GetZairyoTankaFile(&changed);
    EXPECT_NE(changed, -1);
    EXPECT_EQ(zairyo.FindItem(1005)->m_name, "木杭");

    ASSERT_TRUE(Ok());
    CBukakeDetail expected = detail;
    expected.m_auxiliary[1] = "S1*3";
    auto item = std::make_unique<CBukakeHimoku>();
    item->m_values[1] = 1005;
    expected.GetHimokuSet().AddHimoku(std::move(item));
    expected.GetHimokuSet().m_bases = {0, 0, 0};  // "なし" in every group is saved as 0
    EXPECT_EQ(dialog->GetDetail(), expected);
}

TEST_F(BukakeDetailDialog, SankoKingakuAsksTheEstimateContext) {
    ScriptedContext scripted;
    context = &scripted;
    Open(1);
    EXPECT_TRUE(Shown("kingaku"));
    EXPECT_TRUE(Shown("gokei"));
    EXPECT_TRUE(Shown("sanko"));
    EXPECT_EQ(Get<QLabel>("kingaku")->text(), Tx(" 金額 ： 12345円"));
    EXPECT_EQ(Get<QLabel>("gokei")->text(), Tx(" 合計 ： 99999円"));
    for (const char* name : {"formula", "quantity", "unit", "type", "h1", "h8"})
        EXPECT_FALSE(Get<QWidget>(name)->isEnabled()) << name;
    for (const char* name : {"shokushu", "option", "daikapreview", "meisaiprint"}) EXPECT_FALSE(Shown(name)) << name;
    Type(3, 2, "1");
    Get<CZo_Edit>("rate1")->setText(Tx("12.34"));
    Get("sanko")->click();
    EXPECT_EQ(scripted.seen.GetLine(1)->m_columns[0], 100);
    EXPECT_EQ(scripted.seen.m_rates[0], 1234);
    EXPECT_EQ(Get<QLabel>("kingaku")->text(), Tx(" 金額 ： 2000円"));
    EXPECT_EQ(Get<QLabel>("gokei")->text(), Tx(" 合計 ： 5000円"));
}

TEST(DetailDialogRun, CancelChecksNothingAndOkHandsBackTheEditedDetail) {
    for (int result : {IDCANCEL, IDOK}) {
        ScriptedHost host;
        ScriptedDialogs dialogs;
        dialogs.Expect<CBukakeDetailDlg>([result](CBukakeDetailDlg& d) {
            d.findChild<CZo_Edit*>("formula")->setText(result == IDOK ? Tx("H1*2") : QString());
            d.findChild<CZo_Edit*>("quantity")->setText(Tx("2.5"));
            d.findChild<CZo_Edit*>("unit")->clear();
            d.findChild<CZo_Edit*>("rate3")->clear();
            d.findChild<QCheckBox*>("option")->click();
            return result;
        });
        CBukakeDetailDlg dialog;
        dialog.SetGyomuCode(2);
        dialog.SetDetail(Detail());
        dialog.SetHenkaritsuFile(Henkaritsu());
        dialog.SetTankaFile(Tanka());
        dialog.SetZairyoTankaFile(Zairyo());
        EXPECT_EQ(dialog.DoModal(), result);
        EXPECT_TRUE(host.messages.empty());
        if (result != IDOK) continue;
        CBukakeDetail expected = Detail();
        expected.m_formula = "H1*2";
        expected.m_quantity = 250;
        expected.m_unit = "";
        expected.m_rates[2] = kUnset;
        expected.m_programKingaku = 1;
        EXPECT_EQ(dialog.GetDetail(), expected);
    }
}
