// The fixed texts of the shared dialogs: captions, labels, buttons, notes and the pictures'
// rates, each as the user reads it, and which of them show on opening.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTreeWidget>

#include "ScriptedHost.h"
#include "TempFolder.h"
#include "app/dialogs/InputDialogs.h"
#include "app/MasterFolderDlg.h"
#include "platform/FileUtil.h"

namespace {

// Every label, button and group-box title of a dialog.
QStringList Texts(QWidget& dlg) {
    QStringList texts;
    for (QLabel* l : dlg.findChildren<QLabel*>()) texts << l->text();
    for (QAbstractButton* b : dlg.findChildren<QAbstractButton*>()) texts << b->text();
    for (QGroupBox* g : dlg.findChildren<QGroupBox*>()) texts << g->title();
    return texts;
}

QWidget* WithText(QWidget& dlg, const QString& text) {
    for (QLabel* l : dlg.findChildren<QLabel*>())
        if (l->text() == text) return l;
    for (QAbstractButton* b : dlg.findChildren<QAbstractButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

void ExpectTexts(QWidget& dlg, std::initializer_list<const char*> expected) {
    const QStringList texts = Texts(dlg);
    for (const char* text : expected) EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
}

TEST(DialogTexts, NumberInputDialog) {
    CNumberInputDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("数値入力"));
    ExpectTexts(dlg, {"数値  :", "OK", "ｷｬﾝｾﾙ", "自動計算",
                      "任意の数値が入力されています。\n入力を解除し自動的に計算する場合は自動計算ボタンを押してください。",
                      "※＋入力すると値引きします。－入力すると加算します。", "平成26年度以前の率を使用",
                      "平成27年度以降の率を使用", "平成28年度および平成29年度の率を使用",
                      "平成30年度～令和5年度までの率を使用", "令和6年度以降の率を使用", "令和7年度以降の率を使用",
                      "使用する年度の率を選択して、「自動計算」ボタンを押して下さい。"});

    // Mode 13 offers five years with the texts of the template, the second one rewritten.
    dlg.SetMode(13);
    dlg.SetManual(1);
    dlg.SetYearCode(30100);
    dlg.OnInitDialog();
    const char* const years13[] = {"平成26年度以前の率を使用", "平成27年度の率を使用",
                                   "平成28年度および平成29年度の率を使用", "平成30年度～令和5年度までの率を使用",
                                   "令和6年度以降の率を使用"};
    for (int i = 0; i < 5; ++i) {
        auto* radio = dlg.findChild<QAbstractButton*>(QStringLiteral("year%1").arg(i));
        EXPECT_EQ(radio->text(), QString::fromUtf8(years13[i]));
        EXPECT_FALSE(radio->isHidden());
    }
    EXPECT_FALSE(dlg.findChild<QLabel*>(QStringLiteral("yearNote"))->isHidden());
    EXPECT_FALSE(dlg.findChild<QLabel*>(QStringLiteral("manualNote"))->isHidden());

    // Modes without years hide the radios and the note.
    CNumberInputDlg amount;
    amount.SetMode(6);
    amount.OnInitDialog();
    EXPECT_TRUE(amount.findChild<QLabel*>(QStringLiteral("yearNote"))->isHidden());
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(amount.findChild<QAbstractButton*>(QStringLiteral("year%1").arg(i))->isHidden());
    // Not entered by hand: the note stays hidden though the button shows.
    EXPECT_TRUE(amount.findChild<QLabel*>(QStringLiteral("manualNote"))->isHidden());
    EXPECT_FALSE(amount.findChild<QAbstractButton*>(QStringLiteral("auto"))->isHidden());
}

TEST(DialogTexts, NumberInputPicturesHoldTheirRates) {
    struct Picture {
        const char* name;
        std::vector<const char*> rates;
    };
    const Picture pictures[] = {{"picture217", {"4.0%", "3.5%", "3.0%", "2.5%"}},
                                {"picture220", {"17.0%", "15.5%", "12.5%", "13.5%"}},
                                {"picture221", {"10.0%", "9.5%", "4.5%"}}};
    CNumberInputDlg dlg;
    for (const Picture& p : pictures) {
        SCOPED_TRACE(p.name);
        QString html = dlg.findChild<QLabel*>(QString::fromLatin1(p.name))->text();
        for (const char* head : {"大市街地", "市街地甲", "市街地乙・都市近郊", "その他", "主として現道上"})
            EXPECT_TRUE(html.contains(QString::fromUtf8(head))) << head;
        for (const char* rate : p.rates) {
            // The rates stand in the order of the column heads.
            int at = html.indexOf(QString::fromUtf8(rate));
            EXPECT_GE(at, 0) << rate;
            EXPECT_GT(at, html.indexOf(QStringLiteral("主として現道上")));
        }
    }
}

TEST(DialogTexts, NameEditDialog) {
    CNameEditDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("名前変更"));
    ExpectTexts(dlg, {"名前 :", "単位 :", "コード :", "建設物価コード :", "関連：", "予備 :", "ユーザー作成", "単価種別",
                      "直接人件費", "労務費", "材料費", "動力費", "機械器具損料", "測量材料費", "測量機械経費",
                      "測量その他経費", "OK", "ｷｬﾝｾﾙ"});
    // Both price-kind groups carry the same title.
    EXPECT_EQ(dlg.findChild<QGroupBox*>(QStringLiteral("tankaKind"))->title(), QStringLiteral("単価種別"));
    EXPECT_EQ(dlg.findChild<QGroupBox*>(QStringLiteral("zairyoKind"))->title(), QStringLiteral("単価種別"));

    // A plain name shows only the name, OK and Cancel.
    dlg.SetAction(CNameEditDlg::Rename);
    dlg.OnInitDialog();
    for (const char* hidden : {"単位 :", "コード :", "建設物価コード :", "関連：", "予備 :", "ユーザー作成"})
        EXPECT_TRUE(WithText(dlg, QString::fromUtf8(hidden))->isHidden()) << hidden;
    for (const char* shown : {"名前 :", "OK", "ｷｬﾝｾﾙ"})
        EXPECT_FALSE(WithText(dlg, QString::fromUtf8(shown))->isHidden()) << shown;

    // An article is named "品名：".
    CNameEditDlg article;
    article.SetAction(CNameEditDlg::Add);
    article.SetTarget(2);
    article.OnInitDialog();
    EXPECT_NE(WithText(article, QStringLiteral("品名：")), nullptr);
    EXPECT_EQ(WithText(article, QStringLiteral("名前 :")), nullptr);
}

TEST(DialogTexts, MasterFolderDialog) {
    TempFolder temp;
    struct Host : IMasterFolderHost {
        std::string GetMasterDataFolder() const override { return {}; }
        std::string FindZairyoTankaFile(const std::string&) const override { return {}; }
    } host;
    CMasterFolderDlg dlg(host);
    dlg.SetParentFolder(temp.Path());
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("マスター データ設定"));
    ExpectTexts(dlg, {"データ参照先 ：:", "OK", "ｷｬﾝｾﾙ", "名前の変更", "コピー", "削除", "データ参照先切換",
                      "１つ上のフォルダ", "※マスター データとは、歩掛ファイル、変化率ファイルを指します。",
                      "選択したデータ参照先には、必要なデータファイルがありません。"});
    EXPECT_EQ(dlg.findChild<QTreeWidget*>(QStringLiteral("list"))->headerItem()->text(0),
              QStringLiteral("マスターデータ一覧"));
    EXPECT_FALSE(dlg.MissingLabelShown());

    // The folder browser's title.
    struct Browsing : CMasterFolderDlg {
        using CMasterFolderDlg::CMasterFolderDlg;
        using CMasterFolderDlg::BrowseDataFolder;
    } browsing(host);
    ScriptedHost scripted;
    scripted.folderAnswers = {std::nullopt};
    std::string path = temp.Path();
    EXPECT_FALSE(browsing.BrowseDataFolder(path));
    EXPECT_EQ(scripted.folderTitles, (std::vector<std::string>{"「データ格納」　フォルダを選択して下さい"}));
    EXPECT_EQ(path, temp.Path());
}

TEST(DialogTexts, MasterSelectDialog) {
    CMasterSelectDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("マスターデータ選択"));
    ExpectTexts(dlg, {"このデータが参照しているマスターデータは、", "ですが、",
                      "データ参照先を現在設定されている、下記のマスターデータに変更します。", "参照...",
                      "選択フォルダには、歩掛データ、変化率データが存在しません。", "OK"});
    EXPECT_FALSE(Texts(dlg).contains(QStringLiteral("ｷｬﾝｾﾙ")));
}

}  // namespace
