// The 種別 change dialog (masteredit/ShubetsuEditDlg): captions, the coefficient label and lists by
// 業務, F5, and the coefficient stored through the nudge.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QtTest/QTest>

#include "ScriptedDialogs.h"
#include "dialogkit/Tx.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/ShubetsuEditDlg.h"

namespace {

CBukakeShubetsu Shubetsu(int32_t coefficient) {
    CBukakeShubetsu s;
    s.m_code = 3;
    s.m_name = "3級基準点測量";
    s.m_coefficient = coefficient;
    return s;
}

// Opens the dialog for a 業務 and types coefficient; the record OK hands back.
CBukakeShubetsu TypeCoefficient(const char* coefficient) {
    ScriptedDialogs dialogs;
    dialogs.Expect<CShubetsuEditDlg>([coefficient](CShubetsuEditDlg& d) {
        d.findChild<CZo_Edit*>("coefficient")->setText(QString::fromLatin1(coefficient));
        return IDOK;
    });
    CShubetsuEditDlg d;
    d.SetGyomuCode(6);
    d.SetShubetsu(Shubetsu(250));
    EXPECT_EQ(d.DoModal(), IDOK);
    CBukakeShubetsu out;
    d.GetShubetsu(out);
    return out;
}
}  // namespace

TEST(ShubetsuEditDlg, CaptionFollowsTheMode) {
    const std::pair<int, const char*> modes[] = {{CShubetsuEditDlg::New, "種別データの新規作成"},
                                                 {CShubetsuEditDlg::Change, "種別データの変更"},
                                                 {CShubetsuEditDlg::Copy, "種別データのコピー"},
                                                 {CShubetsuEditDlg::Insert, "種別データの挿入"}};
    for (const auto& [mode, caption] : modes) {
        CShubetsuEditDlg d;
        d.SetMode(mode);
        d.OnInitDialog();
        EXPECT_EQ(d.windowTitle(), Tx(caption));
    }
}

TEST(ShubetsuEditDlg, LabelAndListsFollowTheBusiness) {
    struct Case {
        int gyomu;
        const char* label;
        bool denshi, method;
    };
    const Case cases[] = {{1, "精度管理係数 :", false, false}, {6, "精度管理係数 :", false, false},
                          {2, "技術経費 :", true, true},       {5, "技術経費 :", true, true},
                          {7, "技術経費 :", true, true},       {3, "技術経費 :", false, true},
                          {4, "技術経費 :", true, false},      {31, "業務別表示 :", false, false}};
    for (const Case& c : cases) {
        CShubetsuEditDlg d;
        d.SetGyomuCode(c.gyomu);
        CBukakeShubetsu s = Shubetsu(123);
        s.m_denshiKind = 7;
        s.m_conventional = 1;
        d.SetShubetsu(s);
        d.OnInitDialog();
        EXPECT_EQ(d.findChild<CZo_Edit*>("coefficient")->text(), QStringLiteral("1.230"));
        bool labelled = false;
        for (QLabel* label : d.findChildren<QLabel*>()) labelled |= label->text() == Tx(c.label);
        EXPECT_TRUE(labelled) << c.gyomu;
        auto* denshi = d.findChild<QComboBox*>("denshi");
        auto* method = d.findChild<QComboBox*>("method");
        EXPECT_EQ(!denshi->isHidden(), c.denshi) << c.gyomu;
        EXPECT_EQ(!method->isHidden(), c.method) << c.gyomu;
        EXPECT_EQ(denshi->count(), 8);
        EXPECT_EQ(denshi->currentText(), Tx("土質調査一般（弾性波探査）"));
        EXPECT_EQ(method->currentText(), Tx("従来の積算手法(H26年度以前)"));
    }
}

TEST(ShubetsuEditDlg, CoefficientIsStoredTimesHundredThroughTheNudge) {
    EXPECT_EQ(TypeCoefficient("1.23").m_coefficient, 123);
    EXPECT_EQ(TypeCoefficient("0.015").m_coefficient, 1);
    EXPECT_EQ(TypeCoefficient("0.29").m_coefficient, 29);  // 28.999… without the nudge
    EXPECT_EQ(TypeCoefficient("").m_coefficient, kUnset);
}

TEST(ShubetsuEditDlg, F5RevealsCodeAndUserCheck) {
    ScriptedDialogs dialogs;
    dialogs.Expect<CShubetsuEditDlg>([](CShubetsuEditDlg& d) {
        for (const char* name : {"code", "user"}) EXPECT_TRUE(d.findChild<QWidget*>(name)->isHidden()) << name;
        QTest::keyClick(d.findChild<CZo_Edit*>("name"), Qt::Key_F5);
        for (const char* name : {"code", "user"}) EXPECT_FALSE(d.findChild<QWidget*>(name)->isHidden()) << name;
        d.findChild<CZo_Edit*>("code")->setText(QStringLiteral("44"));
        d.findChild<QCheckBox*>("user")->click();
        auto* method = d.findChild<QComboBox*>("method");
        method->setCurrentIndex(1);
        emit method->activated(1);
        return IDOK;
    });
    CShubetsuEditDlg d;
    d.SetGyomuCode(2);
    d.SetShubetsu(Shubetsu(kUnset));
    EXPECT_EQ(d.DoModal(), IDOK);
    CBukakeShubetsu out;
    d.GetShubetsu(out);
    EXPECT_EQ(out.m_code, 44);
    EXPECT_EQ(out.m_userCreated, 1);
    EXPECT_EQ(out.m_conventional, 1);
    EXPECT_EQ(out.m_coefficient, kUnset);
}
