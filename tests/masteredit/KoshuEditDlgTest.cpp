// The 工種 change dialog (masteredit/KoshuEditDlg): captions, 種類 labels by 業務 and 従来 flag, the
// 電子成果品作成費種類 list, F5 (and the layout staying put when it reveals fields) and what OK hands back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QtTest/QTest>

#include "ScriptedDialogs.h"
#include "dialogkit/Tx.h"
#include "masteredit/KoshuEditDlg.h"
#include "masteredit/MasterEditTexts.h"

namespace {

namespace t = masteredittext;

QRadioButton* Kind(CKoshuEditDlg& d, int i) { return d.findChild<QRadioButton*>(QStringLiteral("kind%1").arg(i)); }
// The labels of the shown 種類 radios, null for a hidden one.
std::vector<QString> KindLabels(CKoshuEditDlg& d) {
    std::vector<QString> labels;
    for (int i = 0; i < CKoshuEditDlg::kKindCount; ++i)
        labels.push_back(Kind(d, i)->isHidden() ? QString() : Kind(d, i)->text());
    return labels;
}
std::vector<QString> Labels(std::initializer_list<const char*> texts) {
    std::vector<QString> labels;
    for (const char* text : texts) labels.push_back(text ? Tx(text) : QString());
    return labels;
}

CBukakeKoshu Koshu(int32_t code, const char* name, int32_t splitFlag = 0) {
    CBukakeKoshu k;
    k.m_code = code;
    k.m_name = name;
    k.m_splitFlag = splitFlag;
    return k;
}

}  // namespace

TEST(KoshuEditDlg, CaptionFollowsTheModeAndChangeOrCopyKeepTheKind) {
    const std::pair<int, const char*> modes[] = {
        {CKoshuEditDlg::New, "工種データの新規作成"}, {CKoshuEditDlg::Change, "工種データの変更"},
        {CKoshuEditDlg::Copy, "工種データのコピー"}};
    for (const auto& [mode, caption] : modes) {
        CKoshuEditDlg d;
        d.SetMode(mode);
        d.SetCodeGroup(2);
        d.SetGyomuCode(6);
        d.SetKoshu(Koshu(701, "率"));
        d.OnInitDialog();
        EXPECT_EQ(d.windowTitle(), Tx(caption));
        EXPECT_TRUE(Kind(d, 2)->isChecked()) << mode;
        const bool fixed = mode != CKoshuEditDlg::New;
        EXPECT_EQ(d.findChild<QGroupBox*>("kindGroup")->isEnabled(), !fixed) << mode;
        for (int i = 0; i < CKoshuEditDlg::kKindCount; ++i) EXPECT_EQ(Kind(d, i)->isEnabled(), !fixed) << mode << i;
    }
}

TEST(KoshuEditDlg, BukkenKindsFollowTheConventionalCheck) {
    CKoshuEditDlg d;
    d.SetGyomuCode(3);
    d.SetKoshu(Koshu(kUnset, ""));
    d.OnInitDialog();
    EXPECT_EQ(KindLabels(d), Labels({"人件費・歩掛あり", "人件費・歩掛なし", "直接経費・率入力", nullptr,
                                     "直接経費・直接金額入力", nullptr}));
    auto* conventional = d.findChild<QCheckBox*>("conventional");
    conventional->click();
    EXPECT_EQ(KindLabels(d), Labels({"人件費・歩掛あり", "人件費・諸経費対象・直接金額入力・歩掛なし",
                                     "直接経費・諸経費対象外・率入力", "間接業務費・諸経費対象外・率入力",
                                     "直接経費・諸経費対象外・直接金額入力", "間接業務費・諸経費対象外・直接金額入力"}));
    conventional->click();
    EXPECT_EQ(KindLabels(d), Labels({"人件費・歩掛あり", "その他原価対象・歩掛なし", "その他原価対象外・率入力",
                                     nullptr, "その他原価対象外・直接金額入力", nullptr}));
    CBukakeKoshu out;
    d.GetKoshu(out);
    EXPECT_EQ(out.m_splitFlag, 0);
}

TEST(KoshuEditDlg, DesignKindsFollowTheFlagAndOtherBusinessKeepTheirs) {
    struct Case {
        int gyomu;
        int32_t flag;
        const char* second;  // the label of 種類 1 at start
        const char* afterClick;
    };
    const Case cases[] = {
        {2, 0, "人件費・その他原価対象・歩掛なし", "人件費・諸経費対象・歩掛なし"},
        {7, 1, "人件費・諸経費対象・歩掛なし", "人件費・その他原価対象・歩掛なし"},
        {6, 0, "人件費・諸経費対象・直接金額入力・歩掛なし", "人件費・諸経費対象・直接金額入力・歩掛なし"},
        {4, 0, "直接調査費・諸経費対象・直接金額入力・歩掛なし", "直接調査費・諸経費対象・直接金額入力・歩掛なし"},
        {31, 0, "人件費・諸経費対象・直接金額入力・歩掛なし", "人件費・諸経費対象・直接金額入力・歩掛なし"},
    };
    for (const Case& c : cases) {
        CKoshuEditDlg d;
        d.SetGyomuCode(c.gyomu);
        d.SetKoshu(Koshu(kUnset, "", c.flag));
        d.OnInitDialog();
        EXPECT_EQ(Kind(d, 1)->text(), Tx(c.second)) << c.gyomu;
        d.findChild<QCheckBox*>("conventional")->click();
        EXPECT_EQ(Kind(d, 1)->text(), Tx(c.afterClick)) << c.gyomu;
        for (int i = 0; i < CKoshuEditDlg::kKindCount; ++i) EXPECT_FALSE(Kind(d, i)->isHidden()) << c.gyomu << i;
    }
}

TEST(KoshuEditDlg, DenshiKindOnlyForDesignWithKindOne) {
    for (int gyomu : {1, 2, 3, 4, 5, 6, 7}) {
        for (int kind : {0, 1, 2}) {
            CKoshuEditDlg d;
            d.SetGyomuCode(gyomu);
            d.SetKoshu(Koshu(kUnset, ""));
            d.OnInitDialog();
            Kind(d, kind)->click();
            const bool shown = (gyomu == 2 || gyomu == 5 || gyomu == 7) && kind == 1;
            EXPECT_EQ(!d.findChild<QComboBox*>("denshi")->isHidden(), shown) << gyomu << kind;
            EXPECT_TRUE(d.findChild<QComboBox*>("anzen")->isHidden());
            EXPECT_EQ(d.GetCodeGroup(), kind);
        }
    }
}

TEST(KoshuEditDlg, F5RevealsTheCodeAndOkHandsBackTheFields) {
    ScriptedDialogs dialogs;
    dialogs.Expect<CKoshuEditDlg>([](CKoshuEditDlg& d) {
        for (const char* name : {"code", "user", "conventional"})
            EXPECT_TRUE(d.findChild<QWidget*>(name)->isHidden()) << name;
        QTest::keyClick(d.findChild<CZo_Edit*>("name"), Qt::Key_F5);
        for (const char* name : {"code", "user", "conventional"})
            EXPECT_FALSE(d.findChild<QWidget*>(name)->isHidden()) << name;
        EXPECT_EQ(d.findChild<CZo_Edit*>("code")->text(), QStringLiteral("120"));
        d.findChild<CZo_Edit*>("name")->setText(Tx("改名"));
        d.findChild<CZo_Edit*>("code")->setText(QString());
        d.findChild<QCheckBox*>("user")->click();
        d.findChild<QCheckBox*>("ryohi")->click();
        Kind(d, 1)->click();
        auto* denshi = d.findChild<QComboBox*>("denshi");
        denshi->setCurrentIndex(3);
        emit denshi->activated(3);
        return IDOK;
    });
    CKoshuEditDlg d;
    d.SetGyomuCode(2);
    d.SetKoshu(Koshu(120, "元の名前"));
    EXPECT_EQ(d.DoModal(), IDOK);
    CBukakeKoshu out;
    d.GetKoshu(out);
    EXPECT_EQ(out.m_name, "改名");
    EXPECT_EQ(out.m_code, kUnset);  // an emptied code is unset
    EXPECT_EQ(out.m_userCreated, 1);
    EXPECT_EQ(out.m_settings[0], 1);
    EXPECT_EQ(out.m_koshuType, 3);
    EXPECT_EQ(d.GetCodeGroup(), 1);
}

TEST(KoshuEditDlg, F5LeavesTheNameLabelAndFieldWhereTheyAre) {
    for (int gyomu : {2, 6}) {
        CKoshuEditDlg d;
        d.SetGyomuCode(gyomu);
        d.SetKoshu(Koshu(120, "元の名前"));
        d.OnInitDialog();
        d.show();
        QApplication::processEvents();
        QLabel* label = nullptr;
        for (QLabel* l : d.findChildren<QLabel*>())
            if (l->text() == Tx(t::kKoshuNameLabel)) label = l;
        ASSERT_NE(label, nullptr);
        auto* name = d.findChild<CZo_Edit*>("name");
        const QRect labelBefore = label->geometry();
        const int nameBefore = name->x();
        QTest::keyClick(name, Qt::Key_F5);
        QApplication::processEvents();
        ASSERT_FALSE(d.findChild<QWidget*>("code")->isHidden());
        EXPECT_EQ(label->x(), labelBefore.x()) << gyomu;
        EXPECT_EQ(label->geometry().right(), labelBefore.right()) << gyomu;
        EXPECT_EQ(name->x(), nameBefore) << gyomu;
    }
}
