// The small setting dialogs of the view: the bulk yes/no choice, the 代価 number, the rounding,
// the unit and the price column. Each is seeded, answered and read back as the view does.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "EventWait.h"
#include "ScriptedDialogs.h"
#include "app/DaikaNoDlg.h"
#include "app/IkkatsuSettingDlg.h"
#include "dialogkit/Tx.h"
#include "pictures/ImageList.h"
#include "app/MarumeSettingDlg.h"
#include "app/TaniInputDlg.h"
#include "app/TankaSettingDlg.h"

namespace {

template <class T>
T* Child(QWidget& w, const char* name) {
    T* child = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// ---------------------------------------------------------------------------------------------
// CIkkatsuSettingDlg

TEST(IkkatsuSettingDlg, TheKindNamesCaptionAndRadios) {
    struct Row {
        int kind;
        const char* caption;
        const char* first;
        const char* second;
    };
    const Row rows[] = {
        {0, "精度管理費一括設定", "精度管理費有り", "精度管理費無し"},
        {1, "電子計算機使用料一括設定", "電子計算機使用料有り", "電子計算機使用料無し"},
        {2, "材料費一括設定", "材料費有り", "材料費無し"},
        {3, "直接経費の取り扱い", "直接経費を業務原価に含む", "直接経費を業務原価に含めない"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        ScriptedDialogs dialogs;
        dialogs.Expect<CIkkatsuSettingDlg>([&](CIkkatsuSettingDlg& dlg) {
            EXPECT_EQ(dlg.windowTitle(), Tx(row.caption));
            EXPECT_EQ(Child<QRadioButton>(dlg, "first")->text(), Tx(row.first));
            EXPECT_EQ(Child<QRadioButton>(dlg, "second")->text(), Tx(row.second));
            // The first radio is chosen on opening.
            EXPECT_TRUE(Child<QRadioButton>(dlg, "first")->isChecked());
            EXPECT_FALSE(Child<QRadioButton>(dlg, "second")->isChecked());
            return IDOK;
        });
        CIkkatsuSettingDlg dlg;
        dlg.SetMode(row.kind);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetChoice(), 0);
    }
}

TEST(IkkatsuSettingDlg, OkReadsTheChosenRadio) {
    ScriptedDialogs dialogs;
    dialogs.Expect<CIkkatsuSettingDlg>([](CIkkatsuSettingDlg& dlg) {
        Child<QRadioButton>(dlg, "second")->click();
        return IDOK;
    });
    CIkkatsuSettingDlg dlg;
    dlg.SetMode(CIkkatsuSettingDlg::kChokusetsuKeihi);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetChoice(), 1);
}

// ---------------------------------------------------------------------------------------------
// CDaikaNoDlg

TEST(DaikaNoDlg, NumberAndTitleComeBackAsTyped) {
    struct Row {
        int seeded;
        const char* shown;
        const char* typed;
        bool serial;
        int number;
    };
    const Row rows[] = {
        {3, "3", "5", false, 5},
        {3, "3", "5", true, 1005},        // 連続割付: the number + 1000
        {3, "3", "", true, kUnset},       // an empty number stays empty
        {3, "3", "", false, kUnset},      // clearing removes the number
        {kUnset, "", "0", false, 0},
        {kUnset, "", "", false, kUnset},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.typed) + (row.serial ? " serial" : ""));
        ScriptedDialogs dialogs;
        dialogs.Expect<CDaikaNoDlg>([&](CDaikaNoDlg& dlg) {
            EXPECT_EQ(dlg.windowTitle(), Tx("代価No.設定"));
            EXPECT_EQ(Child<CZo_Edit>(dlg, "number")->text(), Tx(row.shown));
            EXPECT_EQ(Child<CZo_Edit>(dlg, "title")->text(), Tx("一位代価表"));
            Child<CZo_Edit>(dlg, "number")->setText(Tx(row.typed));
            Child<CZo_Edit>(dlg, "title")->setText(Tx("単価表"));
            if (row.serial) Child<QPushButton>(dlg, "serial")->click();
            return IDOK;
        });
        CDaikaNoDlg dlg;
        dlg.SetNumber(row.seeded);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetNumber(), row.number);
        EXPECT_EQ(dlg.GetTitle(), Tx("単価表"));
    }
}

TEST(DaikaNoDlg, CancelKeepsWhatWasSeeded) {
    ScriptedDialogs dialogs;
    dialogs.Expect<CDaikaNoDlg>([](CDaikaNoDlg& dlg) {
        EXPECT_EQ(Child<CZo_Edit>(dlg, "title")->text(), Tx("代価表"));
        Child<CZo_Edit>(dlg, "number")->clear();
        return IDCANCEL;
    });
    CDaikaNoDlg dlg;
    dlg.SetNumber(12);
    dlg.SetTitle(Tx("代価表"));
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetNumber(), 12);
    EXPECT_EQ(dlg.GetTitle(), Tx("代価表"));
}

TEST(DaikaNoDlg, TextsOfTheTemplate) {
    CDaikaNoDlg dlg;
    QStringList labels;
    for (QLabel* l : dlg.findChildren<QLabel*>()) labels << l->text();
    for (const char* text : {"第", "号", "※取り消す場合は空白にしてください。"}) EXPECT_TRUE(labels.contains(Tx(text))) << text;
    EXPECT_EQ(Child<QPushButton>(dlg, "serial")->text(), Tx("連続割付"));
}

// ---------------------------------------------------------------------------------------------
// CMarumeSettingDlg

TEST(MarumeSettingDlg, TheFirstOfferedChoicesAreEnabledAndTensAndHundredsNeverShow) {
    const char* const texts[] = {"丸め なし",       "十の位で丸める", "百の位で丸める",   "千の位で丸める",
                                 "万の位で丸める", "十万の位で丸める", "百万の位で丸める", "千万の位で丸める"};
    for (int count : {1, 3, 5, 8}) {
        SCOPED_TRACE(count);
        CMarumeSettingDlg dlg;
        dlg.SetChoiceCount(count);
        dlg.SetChoice(0);
        dlg.OnInitDialog();
        EXPECT_EQ(dlg.windowTitle(), Tx("丸め設定"));
        EXPECT_EQ(dlg.findChild<QGroupBox*>()->title(), Tx("金額を以下で丸める"));
        for (int i = 0; i < CMarumeSettingDlg::kChoices; ++i) {
            auto* radio = Child<QRadioButton>(dlg, QStringLiteral("choice%1").arg(i).toLatin1().constData());
            EXPECT_EQ(radio->text(), Tx(texts[i])) << i;
            EXPECT_EQ(radio->isEnabled(), i < count) << i;
            EXPECT_EQ(radio->isHidden(), i == 1 || i == 2) << i;
        }
    }
    // Three offered choices: of the enabled ones only "丸め なし" is visible.
    CMarumeSettingDlg three;
    three.SetChoiceCount(3);
    three.OnInitDialog();
    int visibleEnabled = 0;
    for (QRadioButton* r : three.findChildren<QRadioButton*>()) visibleEnabled += r->isEnabled() && !r->isHidden();
    EXPECT_EQ(visibleEnabled, 1);
}

TEST(MarumeSettingDlg, TheRadiosShowAndTakeTheChoice) {
    ScriptedDialogs dialogs;
    dialogs.Expect<CMarumeSettingDlg>([](CMarumeSettingDlg& dlg) {
        EXPECT_TRUE(Child<QRadioButton>(dlg, "choice4")->isChecked());
        Child<QRadioButton>(dlg, "choice6")->click();
        return IDOK;
    });
    CMarumeSettingDlg dlg;
    dlg.SetChoiceCount(8);
    dlg.SetChoice(4);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetChoice(), 6);
}

// ---------------------------------------------------------------------------------------------
// CTaniInputDlg

TEST(TaniInputDlg, ShowsTheUnitAndEnterTakesTheTypedOne) {
    CTaniInputDlg dlg;
    dlg.SetUnit(Tx("式"));
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg, kHangMs));
    EXPECT_EQ(dlg.windowTitle(), Tx("単位入力"));
    CZo_Edit* field = Child<CZo_Edit>(dlg, "unit");
    EXPECT_EQ(field->text(), Tx("式"));
    field->setText(Tx("ｍ2"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.GetUnit(), Tx("ｍ2"));
}

// ---------------------------------------------------------------------------------------------
// CTankaSettingDlg

CTankaFile TitledColumns(std::initializer_list<int> titled) {
    CTankaFile file;
    for (int column : titled) file.m_columnTitles[column] = "単価" + std::to_string(column);
    return file;
}

bool SamePicture(const QIcon& a, const QIcon& b) {
    return a.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32) ==
           b.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(TankaSettingDlg, TwentyColumnsByTitleOrUntitled) {
    std::vector<QIcon> images = LoadImageList(QString::fromLatin1(kPriceImagesResource), 16);
    ASSERT_GE(images.size(), 2u);
    CTankaSettingDlg dlg;
    dlg.SetTankaFile(TitledColumns({0, 2, 19}));
    dlg.SetTankaNo(2);
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.windowTitle(), Tx("単価設定"));
    EXPECT_EQ(dlg.findChild<QGroupBox*>()->title(), Tx("単価データ"));
    auto* combo = Child<QComboBox>(dlg, "columns");
    ASSERT_EQ(combo->count(), 20);
    for (int i = 0; i < 20; ++i) {
        const bool titled = i == 0 || i == 2 || i == 19;
        EXPECT_EQ(combo->itemText(i), titled ? QStringLiteral("単価%1").arg(i) : Tx("未設定")) << i;
        EXPECT_TRUE(SamePicture(combo->itemIcon(i), images[titled ? 0 : 1])) << i;
    }
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_TRUE(Child<QPushButton>(dlg, "ok")->isEnabled());
}

TEST(TankaSettingDlg, AnUntitledColumnCannotBeChosen) {
    ScriptedDialogs dialogs;
    dialogs.Expect<CTankaSettingDlg>([](CTankaSettingDlg& dlg) {
        auto* combo = Child<QComboBox>(dlg, "columns");
        auto* ok = Child<QPushButton>(dlg, "ok");
        // Opened on an untitled column: "未設定" is selected and OK is disabled.
        EXPECT_EQ(combo->currentIndex(), 1);
        EXPECT_EQ(combo->currentText(), Tx("未設定"));
        EXPECT_FALSE(ok->isEnabled());
        combo->setCurrentIndex(2);
        EXPECT_TRUE(ok->isEnabled());
        combo->setCurrentIndex(3);
        EXPECT_FALSE(ok->isEnabled());
        combo->setCurrentIndex(0);
        return IDOK;
    });
    CTankaSettingDlg dlg;
    dlg.SetTankaFile(TitledColumns({0, 2}));
    dlg.SetTankaNo(1);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetTankaNo(), 0);

    // OK pressed on an untitled column does nothing.
    CTankaSettingDlg refused;
    refused.SetTankaFile(TitledColumns({0}));
    refused.SetTankaNo(5);
    refused.OnInitDialog();
    refused.setResult(-5);
    refused.accept();
    EXPECT_EQ(refused.result(), -5);
    EXPECT_EQ(refused.GetTankaNo(), 5);
}

TEST(TankaSettingDlg, WithoutAColumnNothingIsSelected) {
    CTankaSettingDlg dlg;
    dlg.SetTankaFile(TitledColumns({0}));
    dlg.SetTankaNo(kUnset);
    dlg.OnInitDialog();
    EXPECT_EQ(Child<QComboBox>(dlg, "columns")->currentIndex(), -1);
    EXPECT_FALSE(Child<QPushButton>(dlg, "ok")->isEnabled());
}

}  // namespace
