// The company-name and initial unit-price dialog on its own: what it shows, what its lists and
// check boxes write into its copy of the 単価 master, and what OK hands back.
#include <gtest/gtest.h>

#include <climits>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "AppTestEnvironment.h"
#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "app/ShameiInputDlg.h"
#include "app/ShellWindows.h"
#include "dialogkit/Tx.h"

using namespace masterbuild;

namespace {

// Three trades: 1000 priced in columns 0 and 2, 1001 nowhere, 1002 in column 2 only. Columns 0
// and 2 have titles.
CTankaFile Master() {
    CTankaFile f;
    f.m_company = {"100-0001", "住所一", "住所二", "社名一", "社名二", "代表者", "03-1", "03-2"};
    f.m_columnTitles[0] = "令和6年度";
    f.m_columnTitles[2] = "令和7年度";
    f.m_defaultColumn = 2;
    f.m_travelFlag = 1;
    f.m_travelTrade = 1002;
    f.m_footerFlag = 1;
    f.m_consumptionTax = 1000;
    AddTankaRow(f, 1000, "技師", {40000, kUnset, 42000});
    AddTankaRow(f, 1001, "技術員", {});
    AddTankaRow(f, 1002, "助手", {kUnset, kUnset, 20000});
    return f;
}

QImage ImageOf(const QIcon& icon) { return icon.pixmap(16, 16).toImage(); }

// Runs the dialog on a master; check sees it after opening and answers.
CTankaFile RunDialog(const CTankaFile& master, std::function<int(CShameiInputDlg&)> check, int expected = IDOK) {
    ScriptedDialogs dialogs;
    dialogs.Expect<CShameiInputDlg>(std::move(check));
    CShameiInputDlg dialog;
    dialog.SetTankaFile(master);
    EXPECT_EQ(dialog.DoModal(), expected);
    return dialog.GetTankaFile();
}

}  // namespace

TEST(ShameiInputDialog, ShowsTheCompanyBlockColumnsTradesAndTax) {
    RunDialog(Master(), [](CShameiInputDlg& d) {
        const char* const fields[8] = {"postalCode", "address1", "address2", "companyName1",
                                       "companyName2", "representative", "tel", "fax"};
        const char* const texts[8] = {"100-0001", "住所一", "住所二", "社名一", "社名二", "代表者", "03-1", "03-2"};
        for (int i = 0; i < 8; ++i) EXPECT_EQ(d.findChild<CZo_Edit*>(fields[i])->text(), Tx(texts[i])) << fields[i];
        EXPECT_EQ(d.findChild<CZo_Edit*>("tax")->text(), Tx("10.00"));
        EXPECT_TRUE(d.findChild<QCheckBox*>("travel")->isChecked());
        EXPECT_FALSE(d.findChild<QCheckBox*>("footer")->isVisibleTo(&d));
        EXPECT_EQ(d.findChild<QCheckBox*>("footer")->text(), Tx("印刷時にフッタに社名を入れる"));
        EXPECT_EQ(d.findChild<QPushButton*>("ok")->text(), Tx("保存して終了"));
        EXPECT_EQ(d.findChild<QPushButton*>("cancel")->text(), Tx("ｷｬﾝｾﾙ"));
        EXPECT_FALSE(d.findChild<CBitmapStatic*>("picture")->pixmap().isNull());

        QComboBox* columns = d.findChild<QComboBox*>("column");
        EXPECT_EQ(columns->count(), 20);
        EXPECT_EQ(columns->currentIndex(), 2);
        for (int i = 0; i < 20; ++i) {
            const bool titled = i == 0 || i == 2;
            EXPECT_EQ(columns->itemText(i), titled ? Tx(i == 0 ? "令和6年度" : "令和7年度") : Tx("未設定")) << i;
            EXPECT_EQ(ImageOf(columns->itemIcon(i)), ImageOf(CShameiInputDlg::ListImage(titled ? 0 : 1))) << i;
        }
        // Trades: priced in the chosen column (2) or not; the trade of the travel cost selected.
        QComboBox* rows = d.findChild<QComboBox*>("travelRow");
        EXPECT_EQ(rows->count(), 3);
        EXPECT_EQ(rows->currentIndex(), 2);
        EXPECT_TRUE(rows->isEnabled());
        const int images[3] = {CShameiInputDlg::kPricedRow, CShameiInputDlg::kUnpricedRow, CShameiInputDlg::kPricedRow};
        for (int i = 0; i < 3; ++i) EXPECT_EQ(ImageOf(rows->itemIcon(i)), ImageOf(CShameiInputDlg::ListImage(images[i])));
        EXPECT_EQ(rows->itemText(1), Tx("技術員"));
        EXPECT_TRUE(d.findChild<QPushButton*>("ok")->isEnabled());
        return IDOK;
    });
    // The pictures differ from each other.
    for (int i = 1; i <= CShameiInputDlg::kTravelOffRow; ++i)
        EXPECT_NE(ImageOf(CShameiInputDlg::ListImage(i)), ImageOf(CShameiInputDlg::ListImage(i - 1))) << i;
}

TEST(ShameiInputDialog, AMasterWithoutColumnTitlesCannotBeSaved) {
    CTankaFile master = Master();
    master.m_columnTitles.fill("");
    RunDialog(master, [](CShameiInputDlg& d) {
        QComboBox* columns = d.findChild<QComboBox*>("column");
        EXPECT_EQ(columns->count(), 20);
        for (int i = 0; i < 20; ++i) EXPECT_EQ(columns->itemText(i), Tx("未設定")) << i;
        QPushButton* ok = d.findChild<QPushButton*>("ok");
        EXPECT_FALSE(ok->isEnabled());
        // Neither choosing another untitled column nor accepting gets past it.
        columns->setCurrentIndex(5);
        EXPECT_FALSE(ok->isEnabled());
        d.accept();
        EXPECT_EQ(d.result(), INT_MIN);
        return IDCANCEL;
    }, IDCANCEL);
}

TEST(ShameiInputDialog, ChoosingAColumnWritesTheCopyAtOnceAndOpensSaveOnlyForATitledOne) {
    RunDialog(Master(), [](CShameiInputDlg& d) {
        QComboBox* columns = d.findChild<QComboBox*>("column");
        QPushButton* ok = d.findChild<QPushButton*>("ok");
        columns->setCurrentIndex(1);
        EXPECT_EQ(d.GetTankaFile().m_defaultColumn, 1);
        EXPECT_FALSE(ok->isEnabled());
        columns->setCurrentIndex(0);
        EXPECT_EQ(d.GetTankaFile().m_defaultColumn, 0);
        EXPECT_TRUE(ok->isEnabled());
        // The trades keep the pictures they opened with.
        QComboBox* rows = d.findChild<QComboBox*>("travelRow");
        EXPECT_EQ(ImageOf(rows->itemIcon(2)), ImageOf(CShameiInputDlg::ListImage(CShameiInputDlg::kPricedRow)));
        return IDOK;
    });
}

TEST(ShameiInputDialog, TheTradeOfTheTravelCostIsStoredEvenWhileItsListIsOff) {
    CTankaFile master = Master();
    master.m_travelFlag = 0;
    master.m_travelTrade = kUnset;
    const CTankaFile back = RunDialog(master, [](CShameiInputDlg& d) {
        QComboBox* rows = d.findChild<QComboBox*>("travelRow");
        EXPECT_FALSE(rows->isEnabled());
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(ImageOf(rows->itemIcon(i)), ImageOf(CShameiInputDlg::ListImage(CShameiInputDlg::kTravelOffRow)));
        // Nothing chosen before: the first trade is selected, and kept.
        EXPECT_EQ(rows->currentIndex(), 0);
        return IDOK;
    });
    EXPECT_EQ(back.m_travelFlag, 0);
    EXPECT_EQ(back.m_travelTrade, 1000);

    // Switching the method on opens the list; a confirmed choice goes into the copy at once.
    const CTankaFile chosen = RunDialog(master, [](CShameiInputDlg& d) {
        d.findChild<QCheckBox*>("travel")->click();
        QComboBox* rows = d.findChild<QComboBox*>("travelRow");
        EXPECT_TRUE(rows->isEnabled());
        EXPECT_EQ(d.GetTankaFile().m_travelFlag, 1);
        rows->setCurrentIndex(1);
        emit rows->activated(1);
        EXPECT_EQ(d.GetTankaFile().m_travelTrade, 1001);
        return IDOK;
    });
    EXPECT_EQ(chosen.m_travelFlag, 1);
    EXPECT_EQ(chosen.m_travelTrade, 1001);
}

TEST(ShameiInputDialog, TaxFieldAndFooterFlagAtOk) {
    struct Case {
        const char* typed;
        int32_t stored;
    };
    for (Case c : {Case{"", kUnset}, Case{"10", 1000}, Case{"8.5", 850}, Case{"0", 0}, Case{"12.34", 1234}}) {
        const CTankaFile back = RunDialog(Master(), [c](CShameiInputDlg& d) {
            d.findChild<CZo_Edit*>("tax")->setText(Tx(c.typed));
            return IDOK;
        });
        EXPECT_EQ(back.m_consumptionTax, c.stored) << c.typed;
    }
    for (int32_t footer : {0, 1}) {
        CTankaFile master = Master();
        master.m_footerFlag = footer;
        EXPECT_EQ(RunDialog(master, [](CShameiInputDlg&) { return IDOK; }).m_footerFlag, footer);
    }
}

TEST(ShameiInputDialog, OkTakesTheTextsAndTheSelections) {
    const CTankaFile back = RunDialog(Master(), [](CShameiInputDlg& d) {
        d.findChild<CZo_Edit*>("postalCode")->setText(Tx("060-0001"));
        d.findChild<CZo_Edit*>("fax")->setText(QString());
        d.findChild<QComboBox*>("column")->setCurrentIndex(0);
        return IDOK;
    });
    CTankaFile expected = Master();
    expected.m_company[0] = "060-0001";
    expected.m_company[7] = "";
    expected.m_defaultColumn = 0;
    EXPECT_TRUE(back == expected);
}
