// The trade and material-price selection: what each mode lists and hands back, its pictures, and
// the items edited through 単価編集.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "dialogkit/Tx.h"
#include "masteredit/EditorList.h"
#include "masteredit/ShokushuSelectDlg.h"
#include "masteredit/ZairyoTankaItemDlg.h"

using namespace masterbuild;

namespace {

// Default price column 1: the second trade has no price there.
CTankaFile Tanka() {
    CTankaFile f;
    f.m_defaultColumn = 1;
    AddTankaRow(f, 1001, "技師長", {50000, 51000});
    AddTankaRow(f, 1002, "主任技師", {40000});
    return f;
}

// Kinds interleaved; of kind 2 the second item has no price.
CZairyoTankaFile Zairyo() {
    CZairyoTankaFile f;
    AddZairyoItem(f, 1000, 0, "砂", 100);
    AddZairyoItem(f, 1001, 2, "発電機", 900);
    AddZairyoItem(f, 1002, 1, "電力", 30);
    AddZairyoItem(f, 1003, 2, "水中ポンプ", NoPrice());
    AddZairyoItem(f, 1004, 2, "クレーン", 5000);
    return f;
}

QImage Picture(int index) { return ListStripImages(ListStrip::Shokushu).at(index).pixmap(16, 16).toImage(); }
QImage IconOf(QComboBox* list, int row) { return list->itemIcon(row).pixmap(16, 16).toImage(); }

}  // namespace

TEST(ShokushuSelectDialog, EachModeItsCaptionLabelEntriesAndWhatNashiGivesBack) {
    struct Case {
        int mode;
        const char* caption;
        const char* label;
        QStringList entries;
        int initial;     // the list position shown first
        int chosenOk;    // the selection after OK on the initial position
    };
    const QStringList trades = {Tx("なし"), Tx("技師長"), Tx("主任技師")};
    const QStringList machines = {Tx("なし"), Tx("発電機"), Tx("水中ポンプ"), Tx("クレーン")};
    const Case cases[] = {
        {0, "職種名称選択", "職種名称", trades, 2, 2},
        {1, "直接人件費・労務費 一覧", "単価名称", trades, 2, 2},
        {2, "材料費・機械器具損料・動力費 一覧", "単価名称", machines, 3, 4},
        {3, "材料費・機械経費・その他経費 一覧", "費目名称", machines, 3, 4},
    };
    for (const Case& c : cases) {
        for (bool chooseNashi : {false, true}) {
            ScriptedDialogs dialogs;
            dialogs.Expect<CShokushuSelectDlg>([&](CShokushuSelectDlg& d) {
                EXPECT_EQ(d.windowTitle(), Tx(c.caption)) << c.mode;
                QStringList labels;
                for (QLabel* label : d.findChildren<QLabel*>()) labels << label->text();
                EXPECT_TRUE(labels.contains(Tx(c.label))) << c.mode;
                QComboBox* list = d.findChild<QComboBox*>("list");
                QStringList entries;
                for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
                EXPECT_EQ(entries, c.entries) << c.mode;
                EXPECT_EQ(list->currentIndex(), c.initial) << c.mode;
                EXPECT_EQ(IconOf(list, 0), Picture(11)) << c.mode;
                QPushButton* edit = d.findChild<QPushButton*>("edit");
                EXPECT_EQ(edit->text(), Tx("単価編集"));
                EXPECT_EQ(edit->isVisibleTo(&d), c.mode >= 2) << c.mode;
                if (chooseNashi) {
                    list->setCurrentIndex(0);
                    EXPECT_FALSE(edit->isEnabled()) << c.mode;
                }
                return IDOK;
            });
            CShokushuSelectDlg dialog;
            dialog.SetTankaFile(Tanka());
            dialog.SetSelection(2);
            dialog.SetMode(c.mode);
            dialog.SetZairyoTankaFile(Zairyo());
            dialog.SetMaterialItem(1004, 2);
            ASSERT_EQ(dialog.DoModal(), IDOK);
            EXPECT_EQ(dialog.GetSelection(), chooseNashi ? (c.mode >= 2 ? kUnset : 0) : c.chosenOk) << c.mode;
        }
    }
}

TEST(ShokushuSelectDialog, EntriesWithoutAPriceShowTheFadedPicture) {
    for (int mode : {0, 2}) {
        ScriptedDialogs dialogs;
        dialogs.Expect<CShokushuSelectDlg>([mode](CShokushuSelectDlg& d) {
            QComboBox* list = d.findChild<QComboBox*>("list");
            const std::vector<int> expected = mode == 0 ? std::vector<int>{11, 2, 3} : std::vector<int>{11, 9, 10, 9};
            for (size_t i = 0; i < expected.size(); ++i)
                EXPECT_EQ(IconOf(list, static_cast<int>(i)), Picture(expected[i])) << mode << " " << i;
            return IDCANCEL;
        });
        CShokushuSelectDlg dialog;
        dialog.SetTankaFile(Tanka());
        dialog.SetMode(mode);
        dialog.SetZairyoTankaFile(Zairyo());
        dialog.SetMaterialItem(1001, 2);
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
}

TEST(ShokushuSelectDialog, EveryItemEditedInOneOpeningReachesTheCaller) {
    ScriptedDialogs dialogs;
    dialogs.Expect<CShokushuSelectDlg>([](CShokushuSelectDlg& d) {
        QComboBox* list = d.findChild<QComboBox*>("list");
        QPushButton* edit = d.findChild<QPushButton*>("edit");
        list->setCurrentIndex(1);
        edit->click();
        EXPECT_EQ(list->itemText(1), Tx("発動発電機"));
        // The selection comes back to the given item.
        EXPECT_EQ(list->currentIndex(), 3);
        edit->click();
        list->setCurrentIndex(2);
        edit->click();  // OK without an edit: nothing changes
        return IDOK;
    });
    dialogs.Expect<CZairyoTankaItemDlg>([](CZairyoTankaItemDlg& d) {
        EXPECT_EQ(d.GetItem().m_id, 1001);
        d.findChild<CZo_Edit*>("name")->setText(Tx("発動発電機"));
        return IDOK;
    });
    dialogs.Expect<CZairyoTankaItemDlg>([](CZairyoTankaItemDlg& d) {
        EXPECT_EQ(d.GetItem().m_id, 1004);
        d.findChild<CZo_Edit*>("price")->setText(Tx("5500"));
        return IDOK;
    });
    dialogs.Expect<CZairyoTankaItemDlg>([](CZairyoTankaItemDlg& d) {
        EXPECT_EQ(d.GetItem().m_id, 1003);
        return IDOK;
    });
    CShokushuSelectDlg dialog;
    dialog.SetMode(CShokushuSelectDlg::kMaterialPrice);
    dialog.SetZairyoTankaFile(Zairyo());
    dialog.SetMaterialItem(1004, 2);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    int changed = 0;
    const CZairyoTankaFile& copy = dialog.GetZairyoTankaFile(&changed);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(copy.GetItem(1)->m_name, "発動発電機");
    EXPECT_EQ(copy.GetItem(4)->m_price, 5500.0);
    EXPECT_TRUE(*copy.GetItem(3) == *Zairyo().GetItem(3));
    EXPECT_EQ(dialog.GetSelection(), 3);  // 水中ポンプ, the fourth item of the file

    // Nothing edited: -1.
    CShokushuSelectDlg untouched;
    untouched.SetMode(CShokushuSelectDlg::kMaterialPrice);
    untouched.SetZairyoTankaFile(Zairyo());
    untouched.SetMaterialItem(1004, 2);
    dialogs.Expect<CShokushuSelectDlg>([](CShokushuSelectDlg&) { return IDOK; });
    ASSERT_EQ(untouched.DoModal(), IDOK);
    untouched.GetZairyoTankaFile(&changed);
    EXPECT_EQ(changed, -1);
}
