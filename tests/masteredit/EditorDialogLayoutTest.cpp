// Layout of the 歩掛 detail and expense-detail dialogs, the 工種 and 種別 change dialogs and the rate
// detail dialog: Tab visits the fields as they are laid out, and the 種別 fields show their text.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <memory>

#include "EventWait.h"
#include "MasterBuilders.h"
#include "masteredit/BukakeDetailDlg.h"
#include "masteredit/BukakeShikiDetailDlg.h"
#include "masteredit/HenkaritsuDetailDlg.h"
#include "masteredit/KoshuEditDlg.h"
#include "masteredit/ShubetsuEditDlg.h"

using namespace masterbuild;

namespace {

// The names of the widgets Tab reaches, in order, starting after the dialog itself.
QStringList TabChain(QWidget* dialog) {
    QStringList names;
    for (QWidget* w = dialog->nextInFocusChain(); w != dialog; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(dialog) && w->isEnabled()) names << w->objectName();
    return names;
}

QStringList Names(const char* spaced) { return QString::fromLatin1(spaced).split(QLatin1Char(' ')); }

struct TabCase {
    const char* what;
    std::function<std::unique_ptr<QWidget>()> open;
    const char* expected;
};

std::unique_ptr<QWidget> Detail(int gyomu) {
    auto d = std::make_unique<CBukakeDetailDlg>();
    d->SetGyomuCode(gyomu);
    d->SetDetail(CBukakeDetail());
    return d;
}

}  // namespace

TEST(EditorDialogLayout, TabFollowsTheLayout) {
    const TabCase cases[] = {
        {"歩掛 detail, 業務 1", [] { return Detail(1); },
         "formula quantity unit h1 h2 h3 h4 h5 h6 h7 h8 option grid clear rate1 rate2 rate3 himoku0 himoku1 "
         "seikahin daikapreview daikaprint meisaipreview meisaiprint ok cancel"},
        {"expense detail, 業務 4",
         [] {
             auto d = std::make_unique<CBukakeShikiDetailDlg>();
             d->SetGyomuCode(4);
             d->SetDetail(CBukakeDetail());
             return std::unique_ptr<QWidget>(std::move(d));
         },
         "formula quantity unit h8 h7 h6 h5 h4 h3 h2 h1 grid rowinsert z1_0 z1_1 z1_2 z1_3 z1_4 z1_5 z2_0 z2_1 "
         "z2_2 z2_3 z2_4 option ok cancel"},
        {"種別, 業務 2 after F5",
         [] {
             auto d = std::make_unique<CShubetsuEditDlg>();
             d->SetGyomuCode(2);
             d->RevealMaintenanceFields();
             return std::unique_ptr<QWidget>(std::move(d));
         },
         "name coefficient denshi method code user ok cancel"},
        {"工種, 業務 2 after F5",
         [] {
             auto d = std::make_unique<CKoshuEditDlg>();
             d->SetGyomuCode(2);
             d->RevealMaintenanceFields();
             return std::unique_ptr<QWidget>(std::move(d));
         },
         "name kind0 kind1 kind2 kind4 kind3 kind5 ryohi code user conventional ok cancel"},
        {"rate detail, table",
         [] {
             auto d = std::make_unique<CHenkaritsuDetailDlg>();
             CHenkaritsuGyomu group;
             d->SetRecord(AddTableRecord(group, 12, "地形補正"));
             d->SetGyomuCode(1);
             return std::unique_ptr<QWidget>(std::move(d));
         },
         "type tableMode grid title standard clear formulaMode remarks ok cancel"},
    };
    for (const TabCase& c : cases) {
        std::unique_ptr<QWidget> dialog = c.open();
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), kHangMs)) << c.what;
        EXPECT_EQ(TabChain(dialog.get()), Names(c.expected)) << c.what;
    }
}

TEST(EditorDialogLayout, TabLeavesTheRateRemarks) {
    CHenkaritsuDetailDlg dialog;
    CHenkaritsuGyomu group;
    dialog.SetRecord(AddTableRecord(group, 12, "地形補正"));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog, kHangMs));
    auto* remarks = dialog.findChild<QPlainTextEdit*>("remarks");
    ASSERT_NE(remarks, nullptr);
    QTest::keyClick(remarks, Qt::Key_Tab);
    EXPECT_EQ(remarks->toPlainText(), QString());
}

// After F5 the code field and the user check share the columns of the name and coefficient fields.
TEST(EditorDialogLayout, ShubetsuFieldsShowTheirText) {
    const QString longName = QString::fromUtf8("コピー～インポート～現地測量（縮尺1/500）");
    CShubetsuEditDlg shubetsu;
    shubetsu.SetGyomuCode(1);
    shubetsu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shubetsu, kHangMs));
    shubetsu.RevealMaintenanceFields();
    QTest::qWait(0);
    auto* name = shubetsu.findChild<CZo_Edit*>("name");
    auto* coefficient = shubetsu.findChild<CZo_Edit*>("coefficient");
    EXPECT_GE(name->width(), name->fontMetrics().horizontalAdvance(longName));
    EXPECT_GE(coefficient->width(), coefficient->fontMetrics().horizontalAdvance(QStringLiteral("99999.999")));
}
