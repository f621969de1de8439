// The overhead rate editor: what it lists, and which record each typed rate lands in.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "dialogkit/Tx.h"
#include "masteredit/EditorList.h"
#include "masteredit/ShokeihiEditDlg.h"

using namespace masterbuild;

namespace {

// Records out of the offered order, 業務 7 missing, one code above 32.
CShokeihiFile Master() {
    CShokeihiFile f;
    AddShokeihi(f, 3, "物件調査", 1000);
    AddShokeihi(f, 40, "特殊", 100);
    AddShokeihi(f, 5, "土質解析", kUnset);
    AddShokeihi(f, 2, "設計", 3500);
    AddShokeihi(f, 1, "測量", 2000);
    return f;
}
const std::vector<uint8_t> kOffered = {2, 7, 3, 5, 40};

// Runs the editor on the master; edit works on it while it is open and answers.
CShokeihiFile RunEditor(std::function<int(CShokeihiEditDlg&)> edit, int expected = IDOK) {
    ScriptedDialogs dialogs;
    dialogs.Expect<CShokeihiEditDlg>(std::move(edit));
    CShokeihiEditDlg dialog;
    dialog.SetShokeihiFile(Master());
    dialog.SetGyomuCodes(kOffered);
    EXPECT_EQ(dialog.DoModal(), expected);
    return dialog.GetShokeihiFile();
}

}  // namespace

TEST(ShokeihiEditDialog, ListsTheOfferedBusinessesThatHaveARecord) {
    RunEditor([](CShokeihiEditDlg& d) -> int {
        EXPECT_EQ(d.windowTitle(), Tx("諸経費ファイル編集"));
        QStringList labels;
        for (QLabel* label : d.findChildren<QLabel*>()) labels << label->text();
        EXPECT_TRUE(labels.contains(Tx("業務名 :")));
        EXPECT_TRUE(labels.contains(Tx("諸経費率 :")));
        EXPECT_TRUE(labels.contains(Tx("(%)")));
        EXPECT_EQ(d.findChild<QPushButton*>("ok")->text(), Tx("保存して終了"));
        EXPECT_EQ(d.findChild<QPushButton*>("cancel")->text(), Tx("ｷｬﾝｾﾙ"));

        // In the offered order; 7 has no record and 40 lies above 32.
        QComboBox* list = d.findChild<QComboBox*>("gyomu");
        EXPECT_EQ(list->count(), 3);
        if (list->count() != 3) return IDCANCEL;
        EXPECT_EQ(list->itemText(0), Tx("設計"));
        EXPECT_EQ(list->itemText(1), Tx("物件調査"));
        EXPECT_EQ(list->itemText(2), Tx("土質解析"));
        const QImage picture = ListStripImages(ListStrip::Shokeihi)[0].pixmap(16, 16).toImage();
        for (int i = 0; i < 3; ++i) EXPECT_EQ(list->itemIcon(i).pixmap(16, 16).toImage(), picture) << i;
        EXPECT_EQ(list->currentIndex(), 0);

        CZo_Edit* rate = d.findChild<CZo_Edit*>("rate");
        EXPECT_EQ(rate->text(), Tx("35.00"));
        EXPECT_EQ(rate->GetType(), CZo_Edit::Type::Double);
        EXPECT_EQ(rate->Digits(), 6);
        EXPECT_EQ(rate->Decimals(), 2);
        EXPECT_EQ(rate->Minimum(), 0.0);
        EXPECT_EQ(rate->Maximum(), 999.99);
        // Figures only: the input method is off.
        EXPECT_FALSE(rate->testAttribute(Qt::WA_InputMethodEnabled));
        return IDCANCEL;
    }, IDCANCEL);
}

TEST(ShokeihiEditDialog, EveryRateTypedOverSeveralSwitchesLandsOnItsOwnRecord) {
    const CShokeihiFile edited = RunEditor([](CShokeihiEditDlg& d) {
        QComboBox* list = d.findChild<QComboBox*>("gyomu");
        CZo_Edit* rate = d.findChild<CZo_Edit*>("rate");
        rate->setText(Tx("12.5"));    // 設計
        list->setCurrentIndex(1);     // 物件調査
        EXPECT_EQ(rate->text(), Tx("10.00"));
        rate->setText(QString());     // cleared: unset
        list->setCurrentIndex(2);     // 土質解析, no rate yet
        EXPECT_EQ(rate->text(), QString());
        rate->setText(Tx("7"));
        list->setCurrentIndex(0);
        EXPECT_EQ(rate->text(), Tx("12.50"));
        list->setCurrentIndex(1);
        EXPECT_EQ(rate->text(), QString());
        list->setCurrentIndex(2);
        EXPECT_EQ(rate->text(), Tx("7.00"));
        rate->setText(Tx("8.25"));  // stored by 保存して終了
        return IDOK;
    });
    ASSERT_EQ(edited.GetCount(), 5);
    EXPECT_EQ(edited.FindRecord(2)->m_rate, 1250);
    EXPECT_EQ(edited.FindRecord(3)->m_rate, kUnset);
    EXPECT_EQ(edited.FindRecord(5)->m_rate, 825);
    // Records the list does not offer keep their rates; the order of the records is kept.
    EXPECT_EQ(edited.FindRecord(40)->m_rate, 100);
    EXPECT_EQ(edited.FindRecord(1)->m_rate, 2000);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(edited.GetRecord(i)->m_code, Master().GetRecord(i)->m_code) << i;
}
