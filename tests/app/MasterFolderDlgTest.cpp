// Tests of app/MasterFolderDlg.h.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTreeWidget>
#include <deque>
#include <filesystem>

#include "EventWait.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "app/AppMasterDialogs.h"
#include "app/AppTexts.h"
#include "app/MasterFolderDlg.h"
#include "dialogkit/DialogTexts.h"
#include "dialogkit/InputDialogs.h"
#include "master/MasterTexts.h"
#include "masteredit/BukakeImportDlg.h"
#include "masteredit/HenkaritsuImportDlg.h"
#include "platform/FileUtil.h"
#include "platform/LockFile.h"
#include "masteredit/MasterEditTexts.h"

namespace fs = std::filesystem;

namespace {

const char* const kMasterFiles[] = {"歩掛データ.soa", "変化率データ.soa"};
const char* const kDataFiles[] = {"単価データ.daa", "諸経費データ.daa", "プログラム金額データ.daa",
                                  "材料単価データ25.zoa"};

class FakeHost : public IMasterFolderHost {
public:
    std::string master;
    std::string GetMasterDataFolder() const override { return master; }
    std::string FindZairyoTankaFile(const std::string& dataFolder) const override {
        return FindNewestZairyoTankaFile(dataFolder);
    }
};

// The dialog with the name and folder questions answered from queues.
class TestFolderDlg : public CMasterFolderDlg {
public:
    using CMasterFolderDlg::CMasterFolderDlg;
    std::deque<std::optional<QString>> names;
    std::vector<std::pair<int, QString>> asked;  // action and proposal
    std::deque<std::optional<std::string>> browsed;

protected:
    bool AskName(int action, QString& name) override {
        asked.emplace_back(action, name);
        if (names.empty()) {
            ADD_FAILURE() << "unexpected name question";
            return false;
        }
        auto answer = names.front();
        names.pop_front();
        if (!answer) return false;
        name = *answer;
        return true;
    }
    bool BrowseDataFolder(std::string& path) override {
        if (browsed.empty()) return false;
        auto answer = browsed.front();
        browsed.pop_front();
        if (!answer) return false;
        path = *answer;
        return true;
    }
};

class MasterFolderDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        data = temp / "データ格納";
        MakeSet("参考マスター25");
        for (const char* f : kDataFiles) WriteTestFile(data + "/" + f, "data");
        host.master = data + "/参考マスター25";
    }
    void MakeSet(const std::string& name, bool complete = true) {
        for (const char* f : kMasterFiles)
            if (complete || std::string(f) != "変化率データ.soa") WriteTestFile(data + "/" + name + "/" + f, name + f);
    }
    std::unique_ptr<TestFolderDlg> Open(int mode = CMasterFolderDlg::Normal) {
        auto dlg = std::make_unique<TestFolderDlg>(host);
        dlg->SetParentFolder(data);
        dlg->SetCurrentFolder(host.master);
        dlg->SetMode(mode);
        dlg->OnInitDialog();
        return dlg;
    }
    bool Enabled(QWidget& dlg, const char* name) {
        return dlg.findChild<QPushButton*>(QString::fromLatin1(name))->isEnabled();
    }

    TempFolder temp;
    std::string data;
    FakeHost host;
    ScriptedHost scripted;
};

TEST_F(MasterFolderDlgTest, ListsTheSetsAndSelectsTheCurrentOne) {
    MakeSet("自社マスター");
    WriteTestFile(data + "/readme.txt", "a file is not listed");
    auto dlg = Open();
    EXPECT_EQ(dlg->FolderNames(), (std::vector<QString>{QStringLiteral("参考マスター25"), QStringLiteral("自社マスター")}));
    EXPECT_EQ(dlg->SelectedName(), QStringLiteral("参考マスター25"));
    EXPECT_TRUE(Enabled(*dlg, "ok"));
    EXPECT_FALSE(dlg->MissingLabelShown());
    EXPECT_TRUE(scripted.messages.empty());
    dlg->accept();
    EXPECT_EQ(dlg->GetSelectedFolder(), data + "/参考マスター25");
}

// The button column is as wide as its widest text, with room at either end: "１つ上のフォルダ" and
// "データ参照先切換" are not cut.
TEST_F(MasterFolderDlgTest, TheButtonColumnShowsEveryTextWhole) {
    auto dlg = Open();
    dlg->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get(), kHangMs));
    const QList<QPushButton*> buttons = dlg->findChildren<QPushButton*>();
    ASSERT_GE(buttons.size(), 7);
    for (const QPushButton* b : buttons) {
        SCOPED_TRACE(b->text().toStdString());
        QStyleOptionButton option;
        option.initFrom(b);
        const QRect contents = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
        const QFontMetrics metrics(b->font());
        EXPECT_GE(contents.width(), metrics.size(Qt::TextShowMnemonic, b->text()).width() +
                                        metrics.horizontalAdvance(QChar(CSekisanDialog::kIdeograph)));
    }
}

TEST_F(MasterFolderDlgTest, CopyingTwiceProposesNumberedNames) {
    const QString copy = QString::fromUtf8(apptext::kCopyNamePrefix) + QStringLiteral("参考マスター25");
    auto dlg = Open();
    dlg->names = {copy};
    dlg->OnCopy();
    dlg->SelectName(QStringLiteral("参考マスター25"));
    dlg->names = {copy + QStringLiteral("(2)")};
    dlg->OnCopy();
    ASSERT_EQ(dlg->asked.size(), 2u);
    EXPECT_EQ(dlg->asked[0], std::make_pair(2, copy));
    EXPECT_EQ(dlg->asked[1], std::make_pair(2, copy + QStringLiteral("(2)")));
    // The copy holds the same bytes and is not marked read-only even when the source is.
    for (const char* f : kMasterFiles)
        EXPECT_EQ(ReadTestFile(data + "/" + copy.toStdString() + "(2)/" + f), std::string("参考マスター25") + f);
    EXPECT_EQ(dlg->SelectedName(), copy + QStringLiteral("(2)"));
    EXPECT_EQ(dlg->FolderNames().size(), 3u);
}

TEST_F(MasterFolderDlgTest, CopyLeavesSubFoldersTemporariesAndLockFilesOutAndKeepsLockedSources) {
    const std::string temporary = vemo::ReplacingTemporaryPrefix("歩掛データ.soa", vemo::ThisProcess()) + "Ab12Cd";
    WriteTestFile(data + "/参考マスター25/sub/inner.txt", "x");
    WriteTestFile(data + "/参考マスター25/" + temporary, "half a save");
    ASSERT_TRUE(vemo::SetReadOnlyMark(data + "/参考マスター25/歩掛データ.soa", true));
    WriteTestFile(vemo::LockFilePath(data + "/参考マスター25/歩掛データ.soa"), "the lock of another copy");
    auto dlg = Open();
    dlg->names = {QStringLiteral("控え")};
    dlg->OnCopy();
    EXPECT_TRUE(vemo::FileExists(data + "/控え/歩掛データ.soa"));
    EXPECT_FALSE(vemo::IsReadOnlyMarked(data + "/控え/歩掛データ.soa"));
    EXPECT_FALSE(fs::exists(data + "/控え/sub"));
    EXPECT_FALSE(fs::exists(data + "/控え/" + temporary));
    EXPECT_FALSE(fs::exists(vemo::LockFilePath(data + "/控え/歩掛データ.soa")));
}

TEST_F(MasterFolderDlgTest, NamesAreChecked) {
    MakeSet("自社マスター");
    auto dlg = Open();
    const char* bad[] = {"", "自社マスター", "a/b", "a\\b", ".", ".."};
    for (const char* name : bad) {
        dlg->names = {QString::fromUtf8(name)};
        dlg->OnCopy();
    }
    std::vector<std::string> expected = {
        apptext::kEnterFileName,     apptext::kFolderNameTaken,   apptext::kFolderNameInvalid,
        apptext::kFolderNameInvalid, apptext::kFolderNameInvalid, apptext::kFolderNameInvalid,
    };
    EXPECT_EQ(scripted.MessageTexts(), expected);
    for (const auto& m : scripted.messages) {
        EXPECT_EQ(m.caption, dialogtext::kActionCopy);
        EXPECT_EQ(m.icon, MsgIcon::Stop);
    }
    EXPECT_EQ(dlg->FolderNames().size(), 2u);
    // Nothing was made beside the two sets (and nothing above the data folder).
    size_t entries = 0;
    for (auto& e : fs::directory_iterator(data)) entries += e.is_directory();
    EXPECT_EQ(entries, 2u);
    EXPECT_FALSE(fs::exists(fs::path(data).parent_path() / "b"));

    scripted.messages.clear();
    dlg->SelectName(QStringLiteral("自社マスター"));
    dlg->names = {QString(), QStringLiteral("参考マスター25"), QStringLiteral("..")};
    dlg->OnRename();
    dlg->OnRename();
    dlg->OnRename();
    ASSERT_EQ(scripted.messages.size(), 3u);
    EXPECT_EQ(scripted.messages[0].text, apptext::kEnterFileName);
    EXPECT_EQ(scripted.messages[0].caption, dialogtext::kActionRename);
    EXPECT_EQ(scripted.messages[1].text, apptext::kFolderNameTaken);
    EXPECT_TRUE(fs::exists(data + "/自社マスター/歩掛データ.soa"));
    EXPECT_TRUE(fs::exists(data + "/参考マスター25/変化率データ.soa"));
}

TEST_F(MasterFolderDlgTest, RenameAndDelete) {
    MakeSet("自社マスター");
    auto dlg = Open();
    dlg->SelectName(QStringLiteral("自社マスター"));
    dlg->names = {QStringLiteral("自社マスター2025")};
    dlg->OnRename();
    EXPECT_EQ(dlg->asked.back(), std::make_pair(1, QStringLiteral("自社マスター")));
    EXPECT_TRUE(fs::exists(data + "/自社マスター2025/歩掛データ.soa"));
    EXPECT_FALSE(fs::exists(data + "/自社マスター"));
    EXPECT_EQ(dlg->SelectedName(), QStringLiteral("自社マスター2025"));

    scripted.answers = {IDNO, IDYES};
    dlg->OnDelete();
    EXPECT_TRUE(fs::exists(data + "/自社マスター2025"));
    dlg->OnDelete();
    EXPECT_FALSE(fs::exists(data + "/自社マスター2025"));
    ASSERT_EQ(scripted.messages.size(), 2u);
    EXPECT_EQ(scripted.messages[1].text,
              apptext::kAskDeleteFolderBefore + data + "/自社マスター2025" + masteredittext::kDeleteAfter);
    EXPECT_EQ(scripted.messages[1].caption, masteredittext::kConfirmCaption);
    EXPECT_EQ(scripted.messages[1].buttons, MsgButtons::YesNo);
    EXPECT_EQ(dlg->SelectedName(), QString());
    EXPECT_EQ(dlg->FolderNames(), std::vector<QString>{QStringLiteral("参考マスター25")});
    EXPECT_FALSE(Enabled(*dlg, "ok"));

    // Without a selection: the delete asks for one.
    dlg->OnDelete();
    EXPECT_EQ(scripted.messages.back().text, apptext::kSelectFolderToDelete);
    // OK without a selection stays open.
    dlg->accept();
    EXPECT_EQ(scripted.messages.back().text, apptext::kSelectDirectory);
    EXPECT_NE(dlg->result(), QDialog::Accepted);
}

TEST_F(MasterFolderDlgTest, TheCurrentFolderCannotBeRenamedOrDeleted) {
    auto dlg = Open();
    dlg->OnRename();
    dlg->OnDelete();
    EXPECT_EQ(scripted.MessageTexts(),
              (std::vector<std::string>{apptext::kCannotRenameCurrentFolder, apptext::kCannotDeleteCurrentFolder}));
    EXPECT_TRUE(dlg->asked.empty());
    EXPECT_TRUE(fs::exists(host.master));
}

TEST_F(MasterFolderDlgTest, ReferenceSetsCanOnlyBeCopied) {
    MakeSet("参考歩掛2025");
    auto dlg = Open();
    dlg->SelectName(QStringLiteral("参考歩掛2025"));
    EXPECT_TRUE(Enabled(*dlg, "copy"));
    EXPECT_FALSE(Enabled(*dlg, "rename"));
    EXPECT_FALSE(Enabled(*dlg, "delete"));
    EXPECT_TRUE(Enabled(*dlg, "ok"));
}

// A click beside the items clears the selection: nothing is left for the buttons to act on.
TEST_F(MasterFolderDlgTest, AClickBesideTheItemsClearsTheSelection) {
    auto dlg = Open();
    dlg->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get(), kHangMs));
    QWidget* items = dlg->findChild<QTreeWidget*>(QStringLiteral("list"))->viewport();
    QTest::mouseClick(items, Qt::LeftButton, {}, QPoint(10, items->height() - 5));
    EXPECT_EQ(dlg->SelectedName(), QString());
    for (const char* b : {"ok", "rename", "copy", "delete"}) EXPECT_FALSE(Enabled(*dlg, b)) << b;
}

TEST_F(MasterFolderDlgTest, MissingFilesAreReported) {
    MakeSet("不完全", false);
    auto dlg = Open();
    dlg->SelectName(QStringLiteral("不完全"));
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].text, std::string(apptext::kMissingFilesHeading) + apptext::kMissingHenkaritsuLine);
    EXPECT_EQ(scripted.messages[0].caption, "");  // the application name
    EXPECT_EQ(scripted.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(dlg->MissingLabelShown());
    EXPECT_FALSE(Enabled(*dlg, "ok"));

    // Without the data folder's files every line is listed.
    for (const char* f : kDataFiles) fs::remove(data + "/" + f);
    scripted.messages.clear();
    dlg->SelectName(QStringLiteral("参考マスター25"));
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].text, std::string(apptext::kMissingFilesHeading) + apptext::kMissingTankaLine +
                                             apptext::kMissingShokeihiLine + apptext::kMissingProgramKingakuLine +
                                             apptext::kMissingZairyoTankaLine);
}

TEST_F(MasterFolderDlgTest, StartModesDisableButtons) {
    auto select = Open(CMasterFolderDlg::SelectOnly);
    for (const char* b : {"rename", "copy", "delete", "switch"}) EXPECT_FALSE(Enabled(*select, b)) << b;
    EXPECT_TRUE(Enabled(*select, "ok"));
    EXPECT_TRUE(Enabled(*select, "up"));

    auto copy = Open(CMasterFolderDlg::CopyOnly);
    for (const char* b : {"rename", "delete", "switch"}) EXPECT_FALSE(Enabled(*copy, b)) << b;
    EXPECT_TRUE(Enabled(*copy, "copy"));
}

TEST_F(MasterFolderDlgTest, UpAndSwitchChangeTheDataFolder) {
    auto dlg = Open();
    dlg->OnUpFolder();
    EXPECT_EQ(dlg->DataFolder(), temp.Path());
    EXPECT_EQ(dlg->FolderNames(), std::vector<QString>{QStringLiteral("データ格納")});
    EXPECT_EQ(dlg->SelectedName(), QString());
    for (const char* b : {"ok", "rename", "copy", "delete"}) EXPECT_FALSE(Enabled(*dlg, b)) << b;

    TempFolder other;
    fs::create_directories(other.Path() + "/セットA");
    dlg->browsed = {other.Path() + "/"};
    dlg->OnSwitchDataFolder();
    EXPECT_EQ(dlg->DataFolder(), other.Path());
    EXPECT_EQ(dlg->FolderNames(), std::vector<QString>{QStringLiteral("セットA")});
    EXPECT_EQ(dlg->SelectedName(), QString());
    dlg->browsed = {std::nullopt};
    dlg->OnSwitchDataFolder();
    EXPECT_EQ(dlg->DataFolder(), other.Path());
}

// The name questions of the plain dialog open the name dialog through the dialog runner.
TEST_F(MasterFolderDlgTest, NamesAreAskedInTheNameDialog) {
    CMasterFolderDlg dlg(host);
    dlg.SetParentFolder(data);
    dlg.SetCurrentFolder(host.master);
    dlg.OnInitDialog();
    ScriptedDialogs dialogs;
    dialogs.Expect<CNameEditDlg>([](CNameEditDlg& name) {
        EXPECT_EQ(name.windowTitle(), QString::fromUtf8(dialogtext::kActionCopy));
        EXPECT_EQ(name.findChild<CZo_Edit*>(QStringLiteral("name"))->text(),
                  QString::fromUtf8(apptext::kCopyNamePrefix) + QStringLiteral("参考マスター25"));
        name.findChild<CZo_Edit*>(QStringLiteral("name"))->setText(QStringLiteral("控え"));
        return IDOK;
    });
    dlg.OnCopy();
    EXPECT_TRUE(vemo::FileExists(data + "/控え/歩掛データ.soa"));
    EXPECT_EQ(dlg.SelectedName(), QStringLiteral("控え"));

    dialogs.Expect<CNameEditDlg>([](CNameEditDlg& name) {
        EXPECT_EQ(name.windowTitle(), QString::fromUtf8(dialogtext::kActionRename));
        EXPECT_EQ(name.GetName(), QStringLiteral("控え"));
        name.findChild<CZo_Edit*>(QStringLiteral("name"))->setText(QStringLiteral("使われない"));
        return IDCANCEL;
    });
    dlg.OnRename();
    EXPECT_TRUE(fs::exists(data + "/控え"));
    EXPECT_FALSE(fs::exists(data + "/使われない"));
    EXPECT_TRUE(scripted.messages.empty());

    // OK without a selection keeps the dialog open: a script that answers so fails.
    TempFolder empty;
    CMasterFolderDlg nothing(host);
    nothing.SetParentFolder(empty.Path());
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs inner;
            inner.Expect<CMasterFolderDlg>(IDOK);
            EXPECT_EQ(nothing.DoModal(), IDCANCEL);
        },
        "CMasterFolderDlg stayed open when answered with 1");
    EXPECT_EQ(scripted.MessageTexts(), std::vector<std::string>{apptext::kSelectDirectory});
}

// The program's folder dialog for the master-data core: opened with the request, the chosen set on OK.
TEST_F(MasterFolderDlgTest, TheProgramsFolderDialogTakesTheRequest) {
    MakeSet("旧マスター");
    CAppMasterDialogs programDialogs(host, [] { return nullptr; });
    ScriptedDialogs dialogs;
    struct Row {
        int mode;
        int oldVersionMode;
        const char* title;
    };
    for (const Row& row : {Row{0, 0, mastertext::kMasterFolderTitle}, Row{2, 0, mastertext::kMasterFolderTitle},
                           Row{0, 1, mastertext::kOldMasterFolderTitle}}) {
        SCOPED_TRACE(row.title);
        MasterFolderRequest request{data + "/旧マスター", data, row.mode, row.oldVersionMode};
        dialogs.Expect<CMasterFolderDlg>([&](CMasterFolderDlg& dlg) {
            EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8(row.title));
            EXPECT_EQ(dlg.DataFolder(), data);
            EXPECT_EQ(dlg.CurrentFolder(), data + "/旧マスター");
            EXPECT_EQ(dlg.Mode(), row.mode);
            EXPECT_EQ(dlg.OldVersionMode(), row.oldVersionMode);
            // The old version's dialog selects the folder asked about, the others the one in use.
            EXPECT_EQ(dlg.SelectedName(), row.oldVersionMode ? QStringLiteral("旧マスター") : QStringLiteral("参考マスター25"));
            dlg.SelectName(QStringLiteral("旧マスター"));
            return IDOK;
        });
        std::string chosen;
        EXPECT_EQ(programDialogs.RunFolderDialog(request, chosen), 1);
        EXPECT_EQ(chosen, data + "/旧マスター");
    }
    dialogs.Expect<CMasterFolderDlg>(IDCANCEL);
    std::string chosen = "unchanged";
    EXPECT_EQ(programDialogs.RunFolderDialog(MasterFolderRequest{host.master, data}, chosen), 0);
    EXPECT_EQ(chosen, "unchanged");
    std::unique_ptr<IBukakeImportDialog> bukakeImport = programDialogs.CreateBukakeImportDialog();
    EXPECT_NE(dynamic_cast<CBukakeImportDlg*>(bukakeImport.get()), nullptr);
    const auto henkaritsuImport = programDialogs.CreateHenkaritsuImportDialog();
    EXPECT_NE(dynamic_cast<CHenkaritsuImportDlg*>(henkaritsuImport.get()), nullptr);
}

TEST(MasterFolder, NewestMaterialFile) {
    TempFolder data;
    EXPECT_EQ(FindNewestZairyoTankaFile(data.Path()), "");
    WriteTestFile(data / "材料単価データ07.zoa", "x");
    WriteTestFile(data / "材料単価データ23.zoa", "x");
    EXPECT_EQ(FindNewestZairyoTankaFile(data.Path()), data / "材料単価データ23.zoa");
    WriteTestFile(data / "材料単価データ25.zoa", "x");
    EXPECT_EQ(FindNewestZairyoTankaFile(data.Path()), data / "材料単価データ25.zoa");
    fs::remove(data / "材料単価データ25.zoa");
    fs::remove(data / "材料単価データ23.zoa");
    EXPECT_EQ(FindNewestZairyoTankaFile(data.Path()), data / "材料単価データ07.zoa");
}

TEST(MasterSelectDlg, ShowsBothFoldersAndChecksOnlyAfterBrowsing) {
    TempFolder temp;
    CMasterSelectDlg dlg;
    dlg.SetOldFolder(QStringLiteral("/old/参考マスター24"));
    dlg.SetNewFolder(QString::fromStdString(temp.Path()));
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("oldFolder"))->text(), QStringLiteral("/old/参考マスター24"));
    EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("newFolder"))->text(), QString::fromStdString(temp.Path()));
    // On opening OK is enabled and the label and browse button hidden, whatever the folders hold.
    EXPECT_TRUE(dlg.OkEnabled());
    EXPECT_FALSE(dlg.MissingLabelShown());
    EXPECT_TRUE(dlg.findChild<QPushButton*>(QStringLiteral("browse"))->isHidden());
    EXPECT_EQ(dlg.findChild<QPushButton*>(QStringLiteral("cancel")), nullptr);

    ScriptedHost scripted;
    scripted.folderAnswers = {temp.Path()};
    dlg.OnBrowse();
    EXPECT_FALSE(dlg.OkEnabled());
    EXPECT_TRUE(dlg.MissingLabelShown());
    WriteTestFile(temp / "歩掛データ.soa", "x");
    WriteTestFile(temp / "変化率データ.soa", "x");
    scripted.folderAnswers = {temp.Path()};
    dlg.OnBrowse();
    EXPECT_TRUE(dlg.OkEnabled());
    EXPECT_FALSE(dlg.MissingLabelShown());
    EXPECT_EQ(dlg.GetNewFolder().toStdString(), temp.Path());
}

}  // namespace
