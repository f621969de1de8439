// The title dialog: captions by mode, the history lists it offers, the default print title and what
// OK keeps.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>

#include "ScriptedDialogs.h"
#include "app/KenmeiDlg.h"

namespace {

QComboBox* Combo(QWidget& dlg, const char* name) { return dlg.findChild<QComboBox*>(QString::fromLatin1(name)); }

QStringList Offered(QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
}

CHyoshiData History() {
    CHyoshiData data;
    for (const char* title : {"概算書", "", "御見積書"}) data.AddHistory(CHyoshiData::kHistoryPrintTitle, title);
    data.AddHistory(CHyoshiData::kHistoryAddress, "農林事務所長");
    for (const char* subject : {"用水路改修", "農道改良"}) data.AddHistory(CHyoshiData::kHistorySubject, subject);
    data.AddHistory(CHyoshiData::kHistoryPlace, "北地区");
    return data;
}

}  // namespace

TEST(KenmeiDlg, CaptionByModeAndLabels) {
    struct Row {
        int mode;
        const char* caption;
    };
    for (const Row& r : {Row{0, "件名の新規作成"}, Row{1, "件名の変更"}, Row{2, "件名入力"}, Row{-1, "件名入力"}}) {
        SCOPED_TRACE(r.mode);
        CKenmeiDlg dlg;
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("件名入力"));
        dlg.SetMode(r.mode);
        dlg.OnInitDialog();
        EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8(r.caption));
        QStringList labels;
        for (QLabel* label : dlg.findChildren<QLabel*>()) labels << label->text();
        EXPECT_EQ(labels, (QStringList{"印刷表題 :", "件名 :", "箇所名 :"}));
    }
}

TEST(KenmeiDlg, OffersTheHistoryAndTheDefaultPrintTitle) {
    CKenmeiDlg dlg;
    dlg.SetHyoshiData(History());
    dlg.SetKenmei("農道改良");
    dlg.SetKashomei("");
    dlg.OnInitDialog();
    // Newest first, empty entries left out.
    EXPECT_EQ(Offered(Combo(dlg, "printTitle")), (QStringList{"御見積書", "概算書"}));
    EXPECT_EQ(Offered(Combo(dlg, "kenmei")), (QStringList{"農道改良", "用水路改修"}));
    EXPECT_EQ(Offered(Combo(dlg, "kashomei")), QStringList{"北地区"});
    EXPECT_EQ(Combo(dlg, "printTitle")->currentText(), QStringLiteral("御　　見　　積　　書"));
    EXPECT_EQ(Combo(dlg, "kenmei")->currentText(), QStringLiteral("農道改良"));
    EXPECT_EQ(Combo(dlg, "kashomei")->currentText(), QString());
}

TEST(KenmeiDlg, OkKeepsTheTextsAndPutsThemFirstInTheHistory) {
    ScriptedDialogs dialogs;
    dialogs.Expect<CKenmeiDlg>([](CKenmeiDlg& dlg) {
        Combo(dlg, "kenmei")->setEditText(QStringLiteral("用水路改修"));
        Combo(dlg, "kashomei")->setEditText(QString());
        return IDOK;
    });
    CKenmeiDlg dlg;
    dlg.SetMode(CKenmeiDlg::Change);
    dlg.SetHyoshiData(History());
    dlg.SetKenmei("農道改良");
    dlg.SetKashomei("北地区");
    ASSERT_EQ(dlg.DoModal(), IDOK);
    // The default print title is kept as entered.
    EXPECT_EQ(dlg.GetInsatsuHyodai(), "御　　見　　積　　書");
    EXPECT_EQ(dlg.GetKenmei(), "用水路改修");
    EXPECT_EQ(dlg.GetKashomei(), "");
    CHyoshiData data;
    dlg.GetHyoshiData(data);
    EXPECT_EQ(data.GetHistoryItem(CHyoshiData::kHistoryPrintTitle, 0), "御　　見　　積　　書");
    // A subject already in the history moves to the front.
    EXPECT_EQ(data.GetHistoryCount(CHyoshiData::kHistorySubject), 2);
    EXPECT_EQ(data.GetHistoryItem(CHyoshiData::kHistorySubject, 0), "用水路改修");
    // An empty text is kept in the history but not offered next time.
    EXPECT_EQ(data.GetHistoryItem(CHyoshiData::kHistoryPlace, 0), "");
    EXPECT_EQ(data.GetHistoryCount(CHyoshiData::kHistoryAddress), 1);
    CKenmeiDlg next;
    next.SetHyoshiData(data);
    next.OnInitDialog();
    EXPECT_EQ(Offered(Combo(next, "kashomei")), QStringList{"北地区"});
}

TEST(KenmeiDlg, CancelChangesNothing) {
    ScriptedDialogs dialogs;
    dialogs.Expect<CKenmeiDlg>([](CKenmeiDlg& dlg) {
        Combo(dlg, "kenmei")->setEditText(QStringLiteral("別件"));
        return IDCANCEL;
    });
    CKenmeiDlg dlg;
    dlg.SetHyoshiData(History());
    dlg.SetInsatsuHyodai("概算書");
    dlg.SetKenmei("農道改良");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetKenmei(), "農道改良");
    CHyoshiData data;
    dlg.GetHyoshiData(data);
    EXPECT_EQ(data, History());
}
