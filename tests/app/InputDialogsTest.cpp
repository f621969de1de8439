// Tests of dialogkit/InputDialogs.h.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "AppTestEnvironment.h"
#include "EventWait.h"
#include "app/AppTexts.h"
#include "dialogkit/DialogTexts.h"
#include "dialogkit/InputDialogs.h"
#include "dialogkit/ZoEdit.h"

namespace {

// The dialogs' texts by their names in the dialog kit's table.
using namespace dialogtext;

CZo_Edit* Field(QWidget& w, const char* name) { return w.findChild<CZo_Edit*>(QString::fromLatin1(name)); }

template <class T>
T* Child(QWidget& w, const char* name) {
    return w.findChild<T*>(QString::fromLatin1(name));
}

// ---------------------------------------------------------------------------------------------
// CZo_Edit

TEST(ZoEdit, AnEmptyFieldIsToldFromATypedMinusOne) {
    struct Row {
        CZo_Edit::Rule rule;
        const char* text;
        bool empty;
        double asDouble;
        int asInt;
    };
    const Row rows[] = {
        {CZo_Edit::IntRule(13, -999999999, 999999999), "", true, -1, -1},
        {CZo_Edit::IntRule(13, -999999999, 999999999), "-1", false, -1, -1},
        {CZo_Edit::IntRule(13, -999999999, 999999999), "0", false, 0, 0},
        {CZo_Edit::DoubleRule(10, 3, -1000, 1000), "", true, -1, -1},
        {CZo_Edit::DoubleRule(10, 3, -1000, 1000), "-1", false, -1, -1},
        {CZo_Edit::DoubleRule(10, 3, -1000, 1000), "-1.000", false, -1, -1},
        {CZo_Edit::DoubleRule(10, 3, -1000, 1000), "2.5", false, 2.5, 2},
        {CZo_Edit::TextRule(), "", true, -1, -1},
        {CZo_Edit::TextRule(), "-1", false, -1, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " as type " + std::to_string(static_cast<int>(row.rule.type)));
        CZo_Edit field;
        field.SetRule(row.rule);
        field.setText(QString::fromLatin1(row.text));
        EXPECT_EQ(field.IsEmpty(), row.empty);
        EXPECT_DOUBLE_EQ(field.GetDouble(), row.asDouble);
        EXPECT_EQ(field.GetInt(), row.asInt);
    }
}

// ---------------------------------------------------------------------------------------------
// CNumberInputDlg

struct ModeRow {
    int mode;
    const char* caption;
    const char* label;
    const char* unit;  // with SetUnit("人")
    int digits;
    int decimals;
    double minimum, maximum;
    bool integer;
};

// Captions, labels, units and ranges of the sixteen modes (mode 11 takes the caption member).
const ModeRow kModes[] = {
    {0, kQuantityCaption, kQuantityLabel, "人", 10, 3, 0, 999999.999, false},
    {1, kUnitPriceCaption, kUnitPriceLabel, "人", 10, 1, 0, 99999999.9, false},
    {2, kAmountCaption, kAmountLabel, "人", 13, 0, 0, 999999999, true},
    {3, kRateCaption, kRateLabel, kPercentUnit, 6, 2, 0, 200, false},
    {4, kWeightAverageCaption, kWeightAverageLabel, "人", 13, 3, 0, 2147483.647, false},
    {5, kSummaryRowsCaption, kRowsLabel, "人", 6, 0, 1, 30, true},
    {6, kAmountCaption, kAmountLabel, "人", 13, 0, 0, 999999999, true},
    {7, kRateCaption, kRateLabel, kPercentUnit, 6, 2, 0, 200, false},
    {8, kMultiplyCaption, kMultiplyLabel, kTimesUnit, 13, 3, 0, 2147483.647, false},
    {9, kRateCaption, kRateLabel, kPercentUnit, 6, 2, 0, 200, false},
    {10, kAmountCaption, kAmountLabel, "人", 13, 0, -999999999, 999999999, true},
    {11, apptext::kTableWidthCaption, kNumberLabel, "人", 10, 3, 0, 999999.999, false},
    {12, kRateCaption, kRateLabel, kPercentUnit, 6, 2, 0, 200, false},
    {13, kRateCaption, kRateLabel, kPercentUnit, 6, 2, 0, 200, false},
    {14, kRateCaption, kRateLabel, kPercentUnit, 6, 2, 0, 200, false},
    {15, kRateCaption, kRateLabel, kPercentUnit, 6, 2, 0, 200, false},
};

TEST(NumberInputDlg, SixteenModesSetCaptionLabelUnitAndRange) {
    for (const ModeRow& row : kModes) {
        SCOPED_TRACE(row.mode);
        CNumberInputDlg dlg;
        dlg.SetMode(row.mode);
        dlg.SetCaption(QString::fromUtf8(apptext::kTableWidthCaption));
        dlg.SetUnit(QStringLiteral("人"));
        dlg.OnInitDialog();
        EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8(row.caption));
        EXPECT_EQ(Child<QLabel>(dlg, "label")->text(), QString::fromUtf8(row.label));
        EXPECT_EQ(Child<QLabel>(dlg, "unit")->text(), QString::fromUtf8(row.unit));
        CZo_Edit* field = Field(dlg, "number");
        EXPECT_EQ(field->Digits(), row.digits);
        EXPECT_EQ(field->Decimals(), row.decimals);
        EXPECT_DOUBLE_EQ(field->Minimum(), row.minimum);
        EXPECT_DOUBLE_EQ(field->Maximum(), row.maximum);
        EXPECT_EQ(field->GetType(), row.integer ? CZo_Edit::Type::Int : CZo_Edit::Type::Double);
        EXPECT_EQ(Child<QWidget>(dlg, "picture217")->isHidden(), row.mode != 9);
        EXPECT_EQ(Child<QWidget>(dlg, "picture220")->isHidden(), row.mode != 14);
        EXPECT_EQ(Child<QWidget>(dlg, "picture221")->isHidden(), row.mode != 15);
        bool autoMode = row.mode == 6 || row.mode == 7 || row.mode == 12 || row.mode == 13;
        EXPECT_EQ(Child<QPushButton>(dlg, "auto")->isHidden(), !autoMode);
        EXPECT_EQ(Child<QLabel>(dlg, "discountNote")->isHidden(), row.mode != 10);
    }
}

TEST(NumberInputDlg, ValuesAreScaledByMode) {
    struct Case {
        int mode;
        int value;
        const char* shown;
        const char* typed;
        int stored;
    };
    const Case cases[] = {
        {0, 12345, "12.345", "2.5", 2500},          // quantity ×1000
        {1, 123456, "12345.6", "0.3", 3},           // unit price ×10
        {2, 1500000, "1500000", "999999999", 999999999},
        {3, 1350, "13.50", "13.5", 1350},           // rate ×100
        {4, 2000, "2.000", "1.001", 1001},
        {5, 25, "25", "30", 30},
        {8, 1500, "1.500", "2", 2000},
        {10, -5000, "-5000", "-120", -120},
        {11, 850, "0.850", "0.85", 850},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        CNumberInputDlg dlg;
        dlg.SetMode(c.mode);
        dlg.SetValue(c.value);
        dlg.OnInitDialog();
        EXPECT_EQ(Field(dlg, "number")->text(), QString::fromUtf8(c.shown));
        Field(dlg, "number")->setText(QString::fromUtf8(c.typed));
        dlg.accept();
        EXPECT_EQ(dlg.GetValue(), c.stored);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
}

TEST(NumberInputDlg, UnsetValues) {
    // A quantity opened unset shows 1.000; cleared and confirmed it returns unset.
    for (int mode : {0, 11}) {
        CNumberInputDlg dlg;
        dlg.SetMode(mode);
        dlg.OnInitDialog();
        EXPECT_EQ(Field(dlg, "number")->text(), QStringLiteral("1.000"));
        Field(dlg, "number")->clear();
        dlg.accept();
        EXPECT_EQ(dlg.GetValue(), kUnset);
    }
    // Other modes leave the field empty.
    CNumberInputDlg rate;
    rate.SetMode(3);
    rate.OnInitDialog();
    EXPECT_EQ(Field(rate, "number")->text(), QString());
    rate.accept();
    EXPECT_EQ(rate.GetValue(), kUnset);
    // Mode 10 takes negative amounts; a typed -1 is -1 yen, not an empty field.
    CNumberInputDlg discount;
    discount.SetMode(10);
    discount.OnInitDialog();
    Field(discount, "number")->setText(QStringLiteral("-1"));
    discount.accept();
    EXPECT_EQ(discount.GetValue(), -1);
}

TEST(NumberInputDlg, AnEmptyFieldGivesUnsetInEveryModeAndATypedMinusOneIsANumber) {
    for (int mode = 0; mode < CNumberInputDlg::kModeCount; ++mode) {
        SCOPED_TRACE(mode);
        const int scale = CNumberInputDlg::Mode(mode).scale;
        struct Typed {
            const char* text;
            int stored;
        };
        // A text that is no number yet ("-" while typing) is no value either; -1 is a number
        // wherever the mode's range holds it.
        const bool takesMinusOne = CNumberInputDlg::Mode(mode).minimum <= -1;
        const Typed typed[] = {{"", kUnset}, {"-", kUnset}, {"-1", -1 * scale}};
        for (const Typed& t : typed) {
            SCOPED_TRACE(t.text);
            if (t.stored != kUnset && !takesMinusOne) continue;
            CNumberInputDlg dlg;
            dlg.SetMode(mode);
            dlg.SetValue(7 * scale);
            dlg.OnInitDialog();
            Field(dlg, "number")->setText(QString::fromLatin1(t.text));
            dlg.accept();
            EXPECT_EQ(dlg.GetValue(), t.stored);
        }
    }
}

TEST(NumberInputDlg, WeightAndMultiplierTakeOnlyWhatFitsTheirThousandfold) {
    for (int mode : {4, 8}) {
        SCOPED_TRACE(mode);
        CNumberInputDlg dlg;
        dlg.SetMode(mode);
        dlg.OnInitDialog();
        CZo_Edit* field = Field(dlg, "number");
        const QValidator* validator = field->validator();
        ASSERT_NE(validator, nullptr);
        for (const char* text : {"2147483.648", "2147484", "999999999.999"}) {
            QString t = QString::fromLatin1(text);
            int pos = 0;
            EXPECT_EQ(validator->validate(t, pos), QValidator::Invalid) << text;
        }
        QString largest = QStringLiteral("2147483.647");
        int pos = 0;
        EXPECT_EQ(validator->validate(largest, pos), QValidator::Acceptable);
        field->setText(largest);
        dlg.accept();
        EXPECT_EQ(dlg.GetValue(), 2147483647);
    }
}

TEST(NumberInputDlg, TheFieldRefusesTextOutsideItsRange) {
    CNumberInputDlg dlg;
    dlg.SetMode(3);  // 6 digits, 2 decimals, 0 to 200
    dlg.OnInitDialog();
    CZo_Edit* field = Field(dlg, "number");
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("2019.999"));
    // "201" is above 200 and the third decimal is refused: "20.99" remains.
    EXPECT_EQ(field->text(), QStringLiteral("20.99"));
    // No sign below a range that starts at 0, no letters, no decimal comma.
    const QValidator* validator = field->validator();
    ASSERT_NE(validator, nullptr);
    for (const char* text : {"-5", "1a", "1,5", "12.345", "250"}) {
        QString t = QString::fromLatin1(text);
        int pos = 0;
        EXPECT_EQ(validator->validate(t, pos), QValidator::Invalid) << text;
    }
    for (const char* text : {"0", "200", "12.5", "199.99"}) {
        QString t = QString::fromLatin1(text);
        int pos = 0;
        EXPECT_EQ(validator->validate(t, pos), QValidator::Acceptable) << text;
    }

    CNumberInputDlg rows;
    rows.SetMode(5);  // 1 to 30
    rows.OnInitDialog();
    CZo_Edit* rowField = Field(rows, "number");
    rowField->setText(QStringLiteral("0"));
    // Below the range (possible while typing) it reads as the minimum.
    rows.accept();
    EXPECT_EQ(rows.GetValue(), 1);
}

TEST(NumberInputDlg, NumbersIgnoreTheUserLocale) {
    CommaLocale comma;
    ASSERT_TRUE(comma.Active());
    CNumberInputDlg dlg;
    dlg.SetMode(0);
    dlg.SetValue(1500);
    dlg.OnInitDialog();
    QString shown = Field(dlg, "number")->text();
    Field(dlg, "number")->setText(QStringLiteral("2.25"));
    dlg.accept();
    EXPECT_EQ(shown, QStringLiteral("1.500"));
    EXPECT_EQ(dlg.GetValue(), 2250);
}

TEST(NumberInputDlg, TheKeypadSeparatorIsTheDecimalPointOnEveryLayout) {
    // A layout with a decimal comma gives the keypad's separator key a ",", a C layout a ".": either
    // way "1", that key and "000" are 1.000 and not 1000.
    for (char separator : {',', '.'}) {
        SCOPED_TRACE(separator);
        CNumberInputDlg dlg;
        dlg.SetMode(0);
        dlg.OnInitDialog();
        CZo_Edit* field = Field(dlg, "number");
        field->setFocus();
        field->clear();
        QTest::keyClicks(field, QStringLiteral("1"));
        QTest::keyClick(field, separator, Qt::KeypadModifier);
        QTest::keyClicks(field, QStringLiteral("000"));
        EXPECT_EQ(field->text(), QStringLiteral("1.000"));
        dlg.accept();
        EXPECT_EQ(dlg.GetValue(), 1000);
    }
}

TEST(NumberInputDlg, ManualNoteAndYearChoice) {
    CNumberInputDlg dlg;
    dlg.SetMode(12);
    dlg.SetManual(1);
    dlg.SetKoshuCode(93);
    dlg.SetYearCode(30101);
    dlg.SetValue(1350);
    dlg.OnInitDialog();
    EXPECT_FALSE(Child<QLabel>(dlg, "manualNote")->isHidden());
    EXPECT_FALSE(Child<QLabel>(dlg, "yearNote")->isHidden());
    // Work type 93: three years (indexes 0, 1 and 5), the second reading up to 令和6年度.
    std::vector<int> shown;
    for (int i = 0; i < 6; ++i)
        if (!Child<QRadioButton>(dlg, ("year" + std::to_string(i)).c_str())->isHidden()) shown.push_back(i);
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 5}));
    EXPECT_EQ(Child<QRadioButton>(dlg, "year1")->text(), QString::fromUtf8(kYearH27ToR6));
    EXPECT_TRUE(Child<QRadioButton>(dlg, "year1")->isChecked());

    // OK after changing the year keeps the old one; only 自動計算 takes it.
    Child<QRadioButton>(dlg, "year5")->setChecked(true);
    dlg.accept();
    EXPECT_EQ(dlg.GetYearCode(), 30101);
    EXPECT_EQ(dlg.GetAuto(), 0);
    EXPECT_EQ(dlg.GetValue(), 1350);

    CNumberInputDlg other;
    other.SetMode(12);
    other.SetKoshuCode(90);
    other.SetYearCode(30100);
    other.OnInitDialog();
    EXPECT_TRUE(Child<QLabel>(other, "manualNote")->isHidden());
    EXPECT_TRUE(Child<QRadioButton>(other, "year5")->isHidden());
    EXPECT_FALSE(Child<QRadioButton>(other, "year1")->isHidden());
    EXPECT_EQ(Child<QRadioButton>(other, "year1")->text(), QString::fromUtf8(kYearFromH27));
    Child<QRadioButton>(other, "year1")->setChecked(true);
    Field(other, "number")->setText(QStringLiteral("12.5"));
    Child<QPushButton>(other, "auto")->click();
    EXPECT_EQ(other.GetAuto(), 1);
    EXPECT_EQ(other.GetYearCode(), 30101);
    EXPECT_EQ(other.GetValue(), 1250);
    EXPECT_EQ(other.result(), QDialog::Accepted);

    CNumberInputDlg thirteen;
    thirteen.SetMode(13);
    thirteen.SetYearCode(30104);
    thirteen.OnInitDialog();
    shown.clear();
    for (int i = 0; i < 6; ++i)
        if (!Child<QRadioButton>(thirteen, ("year" + std::to_string(i)).c_str())->isHidden()) shown.push_back(i);
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(Child<QRadioButton>(thirteen, "year1")->text(), QString::fromUtf8(kYearH27));
    EXPECT_TRUE(Child<QRadioButton>(thirteen, "year4")->isChecked());
}

TEST(NumberInputDlg, EnterPressesOk) {
    CNumberInputDlg dlg;
    dlg.SetMode(5);
    dlg.SetValue(10);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg, kHangMs));
    CZo_Edit* field = Field(dlg, "number");
    field->setFocus();
    field->setText(QStringLiteral("20"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.GetValue(), 20);
}

TEST(NumberInputDlg, CancelKeepsTheSeededValue) {
    CNumberInputDlg dlg;
    dlg.SetMode(3);
    dlg.SetValue(500);
    dlg.OnInitDialog();
    Field(dlg, "number")->setText(QStringLiteral("9"));
    dlg.reject();
    EXPECT_EQ(dlg.GetValue(), 500);
}

// ---------------------------------------------------------------------------------------------
// CNameEditDlg

TEST(NameEditDlg, CaptionsByActionAndTarget) {
    const char* plain[] = {kActionNew, kActionRename, kActionCopy, kActionAdd, kActionInsert};
    const char* trade[] = {kTradeAdd, kTradeRename, kTradeCopy, kTradeAdd, kTradeInsert};
    const char* article[] = {kArticleAdd, kArticleRename, kArticleCopy, kArticleAdd, kArticleInsert};
    for (int action = 0; action < 5; ++action) {
        for (int target = 0; target < 3; ++target) {
            CNameEditDlg dlg;
            dlg.SetAction(action);
            dlg.SetTarget(target);
            dlg.OnInitDialog();
            const char* expected = target == 0 ? plain[action] : target == 1 ? trade[action] : article[action];
            EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8(expected));
        }
    }
}

TEST(NameEditDlg, PlainNameRoundTrip) {
    CNameEditDlg dlg;
    dlg.SetAction(CNameEditDlg::Rename);
    dlg.SetName(QStringLiteral("参考マスター25"));
    dlg.SetCode(12);
    dlg.SetYobi(QStringLiteral("予備の値"));
    dlg.OnInitDialog();
    EXPECT_EQ(Field(dlg, "name")->text(), QStringLiteral("参考マスター25"));
    EXPECT_TRUE(Field(dlg, "code")->isHidden());
    EXPECT_TRUE(Field(dlg, "unit")->isHidden());
    Field(dlg, "name")->setText(QStringLiteral("新しい名前"));
    dlg.accept();
    EXPECT_EQ(dlg.GetName(), QStringLiteral("新しい名前"));
    EXPECT_EQ(dlg.GetCode(), 12);
    EXPECT_EQ(dlg.GetYobi(), QStringLiteral("予備の値"));
}

TEST(NameEditDlg, TradeShowsUnitAndPriceKind) {
    CNameEditDlg dlg;
    dlg.SetAction(CNameEditDlg::Add);
    dlg.SetTarget(CNameEditDlg::Trade);
    dlg.SetName(QStringLiteral("測量技師"));
    dlg.SetUnit(QStringLiteral("人"));
    dlg.SetTankaKind(1);
    dlg.SetKanren(5);
    dlg.OnInitDialog();
    EXPECT_FALSE(Field(dlg, "unit")->isHidden());
    EXPECT_EQ(Field(dlg, "unit")->text(), QStringLiteral("人"));
    EXPECT_FALSE(Child<QGroupBox>(dlg, "tankaKind")->isHidden());
    EXPECT_TRUE(Field(dlg, "kanren")->isHidden());
    EXPECT_TRUE(Field(dlg, "yobi")->isHidden());
    auto radios = Child<QGroupBox>(dlg, "tankaKind")->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 2);
    EXPECT_TRUE(radios[1]->isChecked());
    radios[0]->setChecked(true);
    Field(dlg, "unit")->setText(QStringLiteral("日"));
    dlg.accept();
    EXPECT_EQ(dlg.GetTankaKind(), 0);
    EXPECT_EQ(dlg.GetUnit(), QStringLiteral("日"));
    // The hidden related number carries the caller's value through.
    EXPECT_EQ(dlg.GetKanren(), 5);
    EXPECT_EQ(dlg.GetCode(), kUnset);
}

TEST(NameEditDlg, ArticleEnablesOnlyTheCurrentMaterialKind) {
    CNameEditDlg dlg;
    dlg.SetTarget(CNameEditDlg::Article);
    dlg.SetAction(CNameEditDlg::Rename);
    dlg.SetZairyoKind(2);
    dlg.SetKensetsuBukkaCode(QStringLiteral("A-123"));
    dlg.OnInitDialog();
    auto radios = Child<QGroupBox>(dlg, "zairyoKind")->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(radios[i]->isEnabled(), i == 2) << i;
        EXPECT_EQ(radios[i]->isChecked(), i == 2) << i;
    }
    dlg.accept();
    EXPECT_EQ(dlg.GetZairyoKind(), 2);
    EXPECT_EQ(dlg.GetKensetsuBukkaCode(), QStringLiteral("A-123"));

    CNameEditDlg none;
    none.SetTarget(CNameEditDlg::Article);
    none.OnInitDialog();
    for (QRadioButton* r : Child<QGroupBox>(none, "zairyoKind")->findChildren<QRadioButton*>()) {
        EXPECT_FALSE(r->isEnabled());
        EXPECT_FALSE(r->isChecked());
    }
    none.accept();
    EXPECT_EQ(none.GetZairyoKind(), -1);
}

TEST(NameEditDlg, F5RevealsTheMaintenanceFields) {
    CNameEditDlg dlg;
    dlg.SetCode(1001);
    dlg.SetUserCreated(1);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg, kHangMs));
    EXPECT_TRUE(Field(dlg, "code")->isHidden());
    EXPECT_TRUE(Child<QCheckBox>(dlg, "userCreated")->isHidden());
    Field(dlg, "name")->setFocus();
    QTest::keyClick(Field(dlg, "name"), Qt::Key_F5);
    EXPECT_FALSE(Field(dlg, "code")->isHidden());
    EXPECT_EQ(Field(dlg, "code")->text(), QStringLiteral("1001"));
    EXPECT_FALSE(Child<QCheckBox>(dlg, "userCreated")->isHidden());
    EXPECT_TRUE(Child<QCheckBox>(dlg, "userCreated")->isChecked());
    EXPECT_FALSE(Field(dlg, "kensetsuBukka")->isHidden());
    EXPECT_TRUE(Field(dlg, "kanren")->isHidden());
    EXPECT_TRUE(Field(dlg, "yobi")->isHidden());
    Field(dlg, "code")->setText(QStringLiteral("1002"));
    Child<QCheckBox>(dlg, "userCreated")->setChecked(false);
    dlg.accept();
    EXPECT_EQ(dlg.GetCode(), 1002);
    EXPECT_EQ(dlg.GetUserCreated(), 0);
}

TEST(NameEditDlg, CancelKeepsTheSeededValues) {
    CNameEditDlg dlg;
    dlg.SetName(QStringLiteral("元"));
    dlg.SetCode(3);
    dlg.OnInitDialog();
    Field(dlg, "name")->setText(QStringLiteral("変更"));
    dlg.reject();
    EXPECT_EQ(dlg.GetName(), QStringLiteral("元"));
    EXPECT_EQ(dlg.GetCode(), 3);
}

// ---------------------------------------------------------------------------------------------
// CTitleEditDlg

TEST(TitleEditDlg, ModesAndTitles) {
    const char* captions[] = {kTableTitleCaption, kItemNameCaption, kTekiyoCaption};
    for (int mode = 0; mode < 3; ++mode) {
        CTitleEditDlg dlg;
        dlg.SetMode(mode);
        dlg.SetTitles(QStringLiteral("上"), QStringLiteral("下"));
        dlg.OnInitDialog();
        EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8(captions[mode]));
        auto labels = dlg.findChildren<QLabel*>();
        ASSERT_GE(labels.size(), 2);
        EXPECT_EQ(labels[0]->text(), QString::fromUtf8(mode == 0 ? kRowTitleLabel : kUpperLabel));
        EXPECT_EQ(labels[1]->text(), QString::fromUtf8(mode == 0 ? kColumnTitleLabel : kLowerLabel));
        EXPECT_EQ(Field(dlg, "upper")->text(), QStringLiteral("上"));
        EXPECT_EQ(Field(dlg, "lower")->text(), QStringLiteral("下"));
    }
    CTitleEditDlg dlg;
    dlg.SetTitles(QStringLiteral("単価"), QStringLiteral("円"));
    dlg.SetUpperEnabled(0);
    dlg.OnInitDialog();
    EXPECT_FALSE(Field(dlg, "upper")->isEnabled());
    Field(dlg, "lower")->setText(QStringLiteral("千円"));
    dlg.accept();
    QString lower;
    dlg.GetTitles(nullptr, &lower);
    EXPECT_EQ(lower, QStringLiteral("千円"));
}

TEST(TitleEditDlg, CancelLeavesTheSeededTexts) {
    CTitleEditDlg dlg;
    dlg.SetMode(1);
    dlg.SetTitles(QStringLiteral("上段"), QStringLiteral("下段"));
    dlg.OnInitDialog();
    Field(dlg, "upper")->setText(QStringLiteral("x"));
    dlg.reject();
    QString upper, lower;
    dlg.GetTitles(&upper, &lower);
    EXPECT_EQ(upper, QStringLiteral("上段"));
    EXPECT_EQ(lower, QStringLiteral("下段"));
}

}  // namespace
