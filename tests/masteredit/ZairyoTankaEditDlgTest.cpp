// The material-price file editor (CZairyoTankaEditDlg): its kind tabs over one grid, the commands that
// touch only the items of the shown kind, クリア, and the loads and saves it makes through the store.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "EventWait.h"
#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "dialogkit/NameEditDlg.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/Tx.h"
#include "dialogkit/ZairyoTankaSearchDlg.h"
#include "master/MasterFile.h"
#include "master/MasterStore.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/ZairyoTankaEditDlg.h"
#include "platform/FileUtil.h"
#include "platform/PlatformTexts.h"
#include "platform/TextUtil.h"

using namespace masterbuild;

namespace {

// Kinds interleaved in file order: 材料費 (0) at 0, 3 and 5, 機械器具損料 (2) at 2 and 6, 動力費 (1)
// at 1, 測量材料費 (3) at 4; no 測量機械経費 or 測量その他経費.
CZairyoTankaFile Interleaved() {
    CZairyoTankaFile f;
    f.m_title = "材料単価 令和7年度";
    AddZairyoItem(f, 1000, 0, "セメント", 1200.5);
    AddZairyoItem(f, 1001, 1, "電力", 30);
    AddZairyoItem(f, 1002, 2, "ミキサー", 5000);
    AddZairyoItem(f, 1003, 0, "砂", 800).m_remarks = "山砂";
    AddZairyoItem(f, 1004, 3, "杭", 150);
    AddZairyoItem(f, 1005, 0, "砂利", 0).m_price = NoPrice();
    AddZairyoItem(f, 1006, 2, "ポンプ", 7000);
    return f;
}

std::vector<int> Ids(const CZairyoTankaFile& f) {
    std::vector<int> ids;
    for (int i = 0; i < f.GetCount(); ++i) ids.push_back(f.GetItem(i)->m_id);
    return ids;
}

class ZairyoTankaEditor : public ::testing::Test {
protected:
    void SetUp() override {
        programWide = folder / "データ格納/材料単価データ25.zoa";
        original = StoreMasterBytes(Interleaved());
        WriteTestFile(programWide, original);
        store.SetZairyoTankaPath(programWide);
        ASSERT_EQ(store.LockZairyoTankaFile(1, 1), 1);
    }
    void Open(const std::string& path) {
        dialog = std::make_unique<CZairyoTankaEditDlg>(store);
        dialog->SetPath(path);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), kHangMs));
        grid = dialog->findChild<CSpreadSheet*>("grid");
        tabs = dialog->findChild<QTabBar*>("tabs");
        ASSERT_NE(grid, nullptr);
        ASSERT_NE(tabs, nullptr);
    }
    // The user moves to a cell.
    void GoTo(int col, int row) {
        bool cancel = false;
        emit grid->LeaveCell(dialog->CurrentCol(), dialog->CurrentRow(), col, row, cancel);
    }
    QPushButton* Button(const char* name) { return dialog->findChild<QPushButton*>(name); }
    const CZairyoTankaFile& File() { return dialog->GetZairyoTankaFile(); }
    QStringList Names() {
        QStringList names;
        for (int row = 1; row <= grid->GetMaxRows(); ++row) names << grid->GetCellText(1, row);
        return names;
    }
    // OK, and the answer to the save question.
    void PressOk(int answer) {
        host.answers.push_back(answer);
        Button("ok")->click();
    }

    TempFolder folder;
    ScriptedHost host;
    CMasterDataStore store{folder.Path()};
    std::string programWide, original;
    std::unique_ptr<CZairyoTankaEditDlg> dialog;
    CSpreadSheet* grid = nullptr;
    QTabBar* tabs = nullptr;
};

}  // namespace

TEST_F(ZairyoTankaEditor, TabsInKindOrderOverOneGrid) {
    Open(programWide);
    EXPECT_EQ(dialog->windowTitle().toStdString(), "材料単価ファイル編集－[" + programWide + "]");
    EXPECT_EQ(dialog->findChild<CZo_Edit*>("title")->text(), Tx("材料単価 令和7年度"));
    QStringList tabTexts;
    for (int i = 0; i < tabs->count(); ++i) tabTexts << tabs->tabText(i);
    EXPECT_EQ(tabTexts, (QStringList{Tx("材料費"), Tx("機械器具損料"), Tx("動力費・その他"), Tx("測量材料費"),
                                     Tx("測量機械経費"), Tx("測量その他経費")}));
    EXPECT_EQ(grid->GetMaxCols(), 5);
    EXPECT_EQ(Names(), (QStringList{Tx("セメント"), Tx("砂"), Tx("砂利")}));
    EXPECT_EQ(grid->GetCellText(4, 1), Tx("1200.5000"));
    EXPECT_EQ(grid->GetCellText(4, 3), QString());  // no price
    EXPECT_EQ(grid->GetCellText(5, 2), Tx("山砂"));
    EXPECT_FALSE(Button("change")->isVisible());  // F5 shows it

    struct Case {
        int tab;
        QStringList names;
    };
    for (const Case& c : {Case{1, {Tx("ミキサー"), Tx("ポンプ")}}, Case{2, {Tx("電力")}}, Case{3, {Tx("杭")}},
                          Case{4, {}}, Case{0, {Tx("セメント"), Tx("砂"), Tx("砂利")}}}) {
        tabs->setCurrentIndex(c.tab);
        EXPECT_EQ(Names(), c.names) << c.tab;
        // A kind without items offers only 品名追加 among the item commands.
        for (const char* name : {"insert", "delete", "clear", "up", "down", "change"})
            EXPECT_EQ(Button(name)->isEnabled(), !c.names.isEmpty()) << c.tab << name;
        EXPECT_TRUE(Button("add")->isEnabled());
    }
    EXPECT_EQ(dialog->IsModified(), 0);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F5);
    EXPECT_TRUE(Button("change")->isVisible());
}

TEST_F(ZairyoTankaEditor, CommandsTouchOnlyTheItemsOfTheShownKind) {
    struct Case {
        const char* what;
        int row;                                   // current row in the 材料費 tab
        std::function<void(ScriptedDialogs&)> act;
        std::vector<int> ids;                      // file order afterwards
        int currentRow;
    };
    auto nameDialog = [](ScriptedDialogs& dialogs) {
        dialogs.Expect<CNameEditDlg>([](CNameEditDlg& d) {
            EXPECT_EQ(d.GetZairyoKind(), 0);
            d.findChild<CZo_Edit*>("name")->setText(Tx("新しい品名"));
            return IDOK;
        });
    };
    const Case cases[] = {
        {"add", 2, [&](ScriptedDialogs& d) { nameDialog(d); }, {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007}, 4},
        {"insert", 2, [&](ScriptedDialogs& d) { nameDialog(d); }, {1000, 1001, 1002, 1007, 1003, 1004, 1005, 1006}, 2},
        {"delete", 3, nullptr, {1000, 1001, 1002, 1003, 1004, 1006}, 2},
        {"up", 2, nullptr, {1003, 1001, 1002, 1000, 1004, 1005, 1006}, 1},
        {"down", 2, nullptr, {1000, 1001, 1002, 1005, 1004, 1003, 1006}, 3},
        {"up", 1, nullptr, {1000, 1001, 1002, 1003, 1004, 1005, 1006}, 1},
        {"down", 3, nullptr, {1000, 1001, 1002, 1003, 1004, 1005, 1006}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " on row " + std::to_string(c.row));
        Open(programWide);
        GoTo(1, c.row);
        ScriptedDialogs dialogs;
        if (c.act) c.act(dialogs);
        if (std::string(c.what) == "delete") host.answers.push_back(IDYES);
        host.messages.clear();
        Button(c.what)->click();
        EXPECT_EQ(Ids(File()), c.ids);
        EXPECT_EQ(dialog->CurrentRow(), c.currentRow);
        const bool changed = c.ids != Ids(Interleaved());
        EXPECT_EQ(dialog->IsModified(), changed ? 1 : 0);
        if (std::string(c.what) == "delete") {
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].text, "材料費 ' 砂利 ' を削除してよろしいですか？");
            EXPECT_EQ(host.messages[0].caption, masteredittext::kConfirmCaption);
        }
        if (std::string(c.what) == "insert" || std::string(c.what) == "add") {
            const CZairyoTankaItem* added = File().FindItem(1007);
            ASSERT_NE(added, nullptr);
            EXPECT_EQ(added->m_kind, 0);
            EXPECT_EQ(added->m_name, "新しい品名");
            EXPECT_TRUE(IsNoPrice(added->m_price));
        }
    }
}

TEST_F(ZairyoTankaEditor, ClearStoresNoPriceAndShowsAnEmptyCell) {
    Open(programWide);
    emit grid->BlockSelected(1, 1, 4, 2);
    Button("clear")->click();
    for (int id : {1000, 1003}) {
        const CZairyoTankaItem& item = *File().FindItem(id);
        EXPECT_EQ(item.m_name, "") << id;
        EXPECT_TRUE(IsNoPrice(item.m_price)) << id;
    }
    EXPECT_EQ(File().FindItem(1003)->m_remarks, "山砂");
    EXPECT_EQ(File().FindItem(1005)->m_name, "砂利");
    EXPECT_EQ(grid->GetCellText(4, 1), QString());
    EXPECT_EQ(grid->GetCellText(4, 2), QString());
    EXPECT_EQ(File().FindItem(1002)->m_price, 5000);  // another kind
    EXPECT_EQ(dialog->IsModified(), 1);
}

TEST_F(ZairyoTankaEditor, SavedBytesReloadEqual) {
    Open(programWide);
    grid->SetCellText(4, 2, Tx("\\1,234.5"));
    emit grid->Change(4, 2);
    EXPECT_EQ(File().FindItem(1003)->m_price, 1234.5);
    dialog->findChild<CZo_Edit*>("title")->setText(Tx("材料単価 自社"));
    PressOk(IDYES);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialog->WroteFile(programWide));
    EXPECT_EQ(dialog->IsModified(), 0);
    const std::string saved = ReadTestFile(programWide);
    CZairyoTankaFile reloaded;
    ASSERT_EQ(store.LoadInto(reloaded, programWide), 1);
    EXPECT_TRUE(reloaded == File());
    EXPECT_EQ(reloaded.m_title, "材料単価 自社");
    EXPECT_EQ(StoreMasterBytes(reloaded), saved);
    EXPECT_TRUE(vemo::IsReadOnlyMarked(programWide));  // the lock stays

    // Saving what was read writes the same bytes.
    WriteTestFile(folder / "other.zoa", original);
    Open(folder / "other.zoa");
    PressOk(IDYES);
    EXPECT_EQ(ReadTestFile(folder / "other.zoa"), original);
}

TEST_F(ZairyoTankaEditor, AFailedSaveKeepsTheEditorOpenAndNoClosesWithoutWriting) {
    const std::string other = folder / "別/材料単価データ24.zoa";
    const std::string readOnly = folder / "読取専用.zoa";
    struct Case {
        const char* what;
        std::string path;
        std::function<void()> spoil;  // makes the save fail
        std::string message;
    };
    const Case cases[] = {
        {"the lock refused", programWide, [&] { ASSERT_EQ(store.LockZairyoTankaFile(0, 1), 1); },
         mastertext::kSaveRefused},
        {"a read-only file of someone else", readOnly, [&] { ASSERT_TRUE(vemo::SetReadOnlyMark(readOnly, true)); },
         mastertext::kSaveRefused},
        {"a write that fails", other, [&] { std::filesystem::remove_all(folder / "別"); },
         other + mastertext::kFileMissing + "\n" + vemo::FillText(platformtext::kCannotCreateTemporary, {folder / "別"}) +
             platformtext::kErrorDetailSeparator + std::strerror(ENOENT)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteTestFile(c.path, original);
        Open(c.path);
        grid->SetCellText(1, 1, Tx("改名"));
        emit grid->Change(1, 1);
        c.spoil();
        host.messages.clear();
        PressOk(IDYES);
        EXPECT_EQ(host.MessageTexts(),
                  (std::vector<std::string>{masteredittext::kAskSaveZairyoTanka, c.message}));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->IsModified(), 1);
        EXPECT_EQ(File().FindItem(1000)->m_name, "改名");
        EXPECT_FALSE(dialog->WroteFile(c.path));
        // No closes without writing.
        PressOk(IDNO);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        if (std::filesystem::exists(c.path)) {
            EXPECT_EQ(ReadTestFile(c.path), original);
        }
        if (c.path == programWide) {
            ASSERT_EQ(store.LockZairyoTankaFile(1, 1), 1);
        }
        if (c.path == readOnly) vemo::SetReadOnlyMark(readOnly, false);
    }
}

TEST_F(ZairyoTankaEditor, OpeningAnotherFile) {
    CZairyoTankaFile second;
    second.m_title = "別の材料単価";
    AddZairyoItem(second, 1500, 0, "木材", 9000);
    const std::string secondPath = folder / "別.zoa";
    WriteTestFile(secondPath, StoreMasterBytes(second));
    const std::string broken = folder / "壊.zoa";
    WriteTestFile(broken, original.substr(0, original.size() - 5));

    Open(programWide);
    // A file that does not load leaves the editor's copy, path and caption as they were.
    host.fileAnswers = {broken};
    Button("open")->click();
    EXPECT_EQ(host.fileTitles.back(), masteredittext::kChooseZairyoTankaTitle);
    EXPECT_EQ(host.fileInitialPaths.back(), programWide);
    EXPECT_EQ(host.MessageTexts().back(), broken + mastertext::kFileUnreadable);
    EXPECT_EQ(dialog->GetPath(), programWide);
    EXPECT_EQ(Ids(File()), Ids(Interleaved()));
    EXPECT_EQ(dialog->windowTitle().toStdString(), "材料単価ファイル編集－[" + programWide + "]");

    // A modified copy whose save fails: the flag stays and no other file is offered.
    grid->SetCellText(1, 1, Tx("改名"));
    emit grid->Change(1, 1);
    ASSERT_EQ(store.LockZairyoTankaFile(0, 1), 1);
    host.messages.clear();
    host.answers = {IDYES};
    Button("open")->click();
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{masteredittext::kAskSaveZairyoTanka,
                                                             mastertext::kSaveRefused}));
    EXPECT_EQ(dialog->IsModified(), 1);
    EXPECT_EQ(dialog->GetPath(), programWide);

    // Saved first, then switched.
    ASSERT_EQ(store.LockZairyoTankaFile(1, 1), 1);
    host.answers = {IDYES};
    host.fileAnswers = {secondPath};
    Button("open")->click();
    EXPECT_TRUE(dialog->WroteFile(programWide));
    CZairyoTankaFile saved;
    ASSERT_EQ(store.LoadInto(saved, programWide), 1);
    EXPECT_EQ(saved.FindItem(1000)->m_name, "改名");
    EXPECT_EQ(dialog->GetPath(), secondPath);
    EXPECT_EQ(dialog->IsModified(), 0);
    EXPECT_EQ(Names(), QStringList{Tx("木材")});
    EXPECT_EQ(dialog->findChild<CZo_Edit*>("title")->text(), Tx("別の材料単価"));
    EXPECT_EQ(dialog->windowTitle().toStdString(), "材料単価ファイル編集－[" + secondPath + "]");
}

TEST_F(ZairyoTankaEditor, NoFreeIdAddsNothing) {
    CZairyoTankaFile full;
    for (int id = 1000; id <= 1999; ++id) AddZairyoItem(full, id, 0, "品", 1);
    WriteTestFile(programWide, StoreMasterBytes(full));
    Open(programWide);
    for (const char* command : {"add", "insert"}) {
        host.messages.clear();
        Button(command)->click();  // no name dialog expected
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{masteredittext::kNoFreeZairyoCode}) << command;
        EXPECT_EQ(File().GetCount(), 1000) << command;
    }
    EXPECT_EQ(dialog->IsModified(), 0);
}

TEST_F(ZairyoTankaEditor, SearchShowsTheFoundItemInItsTab) {
    Open(programWide);
    ScriptedDialogs dialogs;
    dialogs.Expect<CZairyoTankaSearchDlg>([](CZairyoTankaSearchDlg& d) {
        d.findChild<CZo_Edit*>("keyword")->setText(Tx("ポンプ"));
        d.OnSearch();
        emit d.findChild<CSpreadSheet*>("results")->DblClick(1, 1);
        return IDOK;
    });
    Button("search")->click();
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(dialog->CurrentKind(), 2);
    EXPECT_EQ(dialog->CurrentRow(), 2);
    EXPECT_EQ(dialog->CurrentCol(), 1);
    EXPECT_EQ(Names(), (QStringList{Tx("ミキサー"), Tx("ポンプ")}));
}
