// Which of the text tables' texts each shared dialog shows, on which control, and which of them
// show on opening; the texts themselves are checked verbatim by the tables' own tests. The
// pictures' rates are the dialog's own figures and stand here as the user reads them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTreeWidget>

#include "ScriptedHost.h"
#include "TempFolder.h"
#include "app/AppTexts.h"
#include "app/MasterFolderDlg.h"
#include "dialogkit/DialogTexts.h"
#include "dialogkit/InputDialogs.h"
#include "dialogkit/Tx.h"
#include "master/MasterTexts.h"
#include "platform/FileUtil.h"
#include "masteredit/MasterEditTexts.h"

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
    for (const char* text : expected) EXPECT_TRUE(texts.contains(Tx(text))) << text;
}

TEST(DialogTexts, NumberInputDialog) {
    using namespace dialogtext;
    CNumberInputDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), Tx(kNumberInputCaption));
    ExpectTexts(dlg, {kNumberLabel, kOk, kCancel, kAutoCalc, kManualNote, kDiscountNote, kYearUpToH26, kYearFromH27,
                      kYearH28H29, kYearH30ToR5, kYearFromR6, kYearFromR7, kYearNote});
    EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("label"))->text(), Tx(kNumberLabel));
    EXPECT_EQ(dlg.findChild<QAbstractButton*>(QStringLiteral("ok"))->text(), Tx(kOk));
    EXPECT_EQ(dlg.findChild<QAbstractButton*>(QStringLiteral("cancel"))->text(), Tx(kCancel));
    EXPECT_EQ(dlg.findChild<QAbstractButton*>(QStringLiteral("auto"))->text(), Tx(kAutoCalc));
    EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("manualNote"))->text(), Tx(kManualNote));
    EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("discountNote"))->text(), Tx(kDiscountNote));
    EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("yearNote"))->text(), Tx(kYearNote));
    const char* const years[] = {kYearUpToH26, kYearFromH27, kYearH28H29, kYearH30ToR5, kYearFromR6, kYearFromR7};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(dlg.findChild<QAbstractButton*>(QStringLiteral("year%1").arg(i))->text(), Tx(years[i])) << i;

    // Mode 13 offers five years with the texts of the template, the second one rewritten.
    dlg.SetMode(13);
    dlg.SetManual(1);
    dlg.SetYearCode(30100);
    dlg.OnInitDialog();
    const char* const years13[] = {kYearUpToH26, kYearH27, kYearH28H29, kYearH30ToR5, kYearFromR6};
    for (int i = 0; i < 5; ++i) {
        auto* radio = dlg.findChild<QAbstractButton*>(QStringLiteral("year%1").arg(i));
        EXPECT_EQ(radio->text(), Tx(years13[i]));
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
    using namespace dialogtext;
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
        // The column heads stand in their order, the row head after them.
        int previous = -1;
        for (const char* head : {kRateTableCorner, kDistrictDaiShigaichi, kDistrictShigaichiKo, kDistrictShigaichiOtsu,
                                 kDistrictSonota, kPlaceGendo}) {
            int at = html.indexOf(Tx(head));
            EXPECT_GT(at, previous) << head;
            previous = at;
        }
        for (const char* rate : p.rates) {
            // The rates stand in the order of the column heads.
            int at = html.indexOf(QString::fromUtf8(rate));
            EXPECT_GE(at, 0) << rate;
            EXPECT_GT(at, html.indexOf(Tx(kPlaceGendo)));
        }
    }
}

TEST(DialogTexts, NameEditDialog) {
    using namespace dialogtext;
    CNameEditDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), Tx(kNameEditCaption));
    ExpectTexts(dlg, {kNameLabel, kUnitLabel, kCodeLabel, kKensetsuBukkaCodeLabel, kKanrenLabel, kYobiLabel,
                      kUserCreated, kPriceKindTitle, mastertext::kTankaKindChokusetsuJinkenhi, mastertext::kTankaKindRomuhi, kOk, kCancel});
    EXPECT_EQ(dlg.findChild<QAbstractButton*>(QStringLiteral("userCreated"))->text(), Tx(kUserCreated));
    // Both price-kind groups carry the same title.
    auto* tankaKind = dlg.findChild<QGroupBox*>(QStringLiteral("tankaKind"));
    auto* zairyoKind = dlg.findChild<QGroupBox*>(QStringLiteral("zairyoKind"));
    EXPECT_EQ(tankaKind->title(), Tx(kPriceKindTitle));
    EXPECT_EQ(zairyoKind->title(), Tx(kPriceKindTitle));
    // The 単価 kinds in the first group; the 材料単価 kinds in the second, by the master's names
    // but for 動力費, which the dialog names shorter.
    QStringList tankaRadios;
    for (QAbstractButton* b : tankaKind->findChildren<QAbstractButton*>()) tankaRadios << b->text();
    EXPECT_EQ(tankaRadios, (QStringList{Tx(mastertext::kTankaKindChokusetsuJinkenhi), Tx(mastertext::kTankaKindRomuhi)}));
    QStringList zairyoRadios;
    for (QAbstractButton* b : zairyoKind->findChildren<QAbstractButton*>()) zairyoRadios << b->text();
    EXPECT_EQ(zairyoRadios,
              (QStringList{Tx(mastertext::kZairyoKindZairyo), Tx(kZairyoKindDoryoku), Tx(mastertext::kZairyoKindKikai),
                           Tx(mastertext::kZairyoKindSokuryoZairyo), Tx(mastertext::kZairyoKindSokuryoKikai),
                           Tx(mastertext::kZairyoKindSokuryoSonota)}));

    // A plain name shows only the name, OK and Cancel.
    dlg.SetAction(CNameEditDlg::Rename);
    dlg.OnInitDialog();
    for (const char* hidden : {kUnitLabel, kCodeLabel, kKensetsuBukkaCodeLabel, kKanrenLabel, kYobiLabel, kUserCreated})
        EXPECT_TRUE(WithText(dlg, Tx(hidden))->isHidden()) << hidden;
    for (const char* shown : {kNameLabel, kOk, kCancel}) EXPECT_FALSE(WithText(dlg, Tx(shown))->isHidden()) << shown;

    // An article is named "品名：".
    CNameEditDlg article;
    article.SetAction(CNameEditDlg::Add);
    article.SetTarget(2);
    article.OnInitDialog();
    EXPECT_NE(WithText(article, Tx(kArticleLabel)), nullptr);
    EXPECT_EQ(WithText(article, Tx(kNameLabel)), nullptr);
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
    EXPECT_EQ(dlg.windowTitle(), Tx(mastertext::kMasterFolderTitle));
    ExpectTexts(dlg, {apptext::kDataFolderLabel, dialogtext::kOk, dialogtext::kCancel, dialogtext::kActionRename,
                      dialogtext::kActionCopy, masteredittext::kDeleteButton, apptext::kSwitchDataFolderButton,
                      apptext::kUpFolderButton, apptext::kMasterDataNote, apptext::kMasterFolderIncomplete});
    const std::pair<const char*, const char*> buttons[] = {
        {"ok", dialogtext::kOk},
        {"cancel", dialogtext::kCancel},
        {"rename", dialogtext::kActionRename},
        {"copy", dialogtext::kActionCopy},
        {"delete", masteredittext::kDeleteButton},
        {"switch", apptext::kSwitchDataFolderButton},
        {"up", apptext::kUpFolderButton},
    };
    for (const auto& [name, text] : buttons)
        EXPECT_EQ(dlg.findChild<QAbstractButton*>(QString::fromLatin1(name))->text(), Tx(text)) << name;
    EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("missing"))->text(), Tx(apptext::kMasterFolderIncomplete));
    EXPECT_EQ(dlg.findChild<QTreeWidget*>(QStringLiteral("list"))->headerItem()->text(0),
              Tx(apptext::kMasterListHeader));
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
    EXPECT_EQ(scripted.folderTitles, (std::vector<std::string>{apptext::kChooseDataFolderTitle}));
    EXPECT_EQ(path, temp.Path());
}

TEST(DialogTexts, MasterSelectDialog) {
    CMasterSelectDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), Tx(apptext::kMasterSelectCaption));
    ExpectTexts(dlg, {apptext::kMasterSelectOld, apptext::kMasterSelectBut, apptext::kMasterSelectNew,
                      masteredittext::kBrowseButton, apptext::kSelectedFolderIncomplete, dialogtext::kOk});
    EXPECT_EQ(dlg.findChild<QAbstractButton*>(QStringLiteral("browse"))->text(), Tx(masteredittext::kBrowseButton));
    EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("missing"))->text(), Tx(apptext::kSelectedFolderIncomplete));
    EXPECT_FALSE(Texts(dlg).contains(Tx(dialogtext::kCancel)));
}

}  // namespace
