// The launchers of the 諸経費, プログラム金額, common 業務-list, 単価, 歩掛 and 変化率・補正率 editors and the
// manual 変化率・補正率 import through the running application, on a program folder in a temporary folder: Cancel and No leave masters and files as
// they were, Yes saves each master the editor touched and takes its lock again, and a save the
// lock refuses keeps memory equal to the file.
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <QComboBox>
#include <QPushButton>
#include <map>

#include "MasterBuilders.h"
#include "RunningAppTest.h"
#include "ScriptedDialogs.h"
#include "app/CommandIds.h"
#include "dialogkit/NameEditDlg.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/Tx.h"
#include "masteredit/BukakeDetailDlg.h"
#include "masteredit/BukakeEditDlg.h"
#include "masteredit/BukakeShikiDetailDlg.h"
#include "masteredit/EditorList.h"
#include "masteredit/GyomuEditDlg.h"
#include "masteredit/HenkaritsuEditDlg.h"
#include "masteredit/HenkaritsuImportDlg.h"
#include "masteredit/HenkaritsuRecordList.h"
#include "masteredit/KoshuEditDlg.h"
#include "masteredit/KoshuShubetsuLists.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/ProgramKingakuEditDlg.h"
#include "masteredit/ShokeihiEditDlg.h"
#include "masteredit/ShokushuSelectDlg.h"
#include "masteredit/TankaEditDlg.h"
#include "masteredit/ZairyoTankaItemDlg.h"
#include "master/MasterFile.h"
#include "platform/FileUtil.h"

using LockId = CMasterDataStore::LockId;

namespace {

// The bytes a master of the store would be saved as.
template <class Root>
std::string BytesOf(const Root& root) {
    return StoreMasterBytes(Root(root));
}
std::string MemoryBytes(CMasterDataStore& s, LockId id) {
    switch (id) {
        case CMasterDataStore::kLockBukake: return BytesOf(s.GetBukakeFile());
        case CMasterDataStore::kLockHenkaritsu: return BytesOf(s.GetHenkaritsuFile());
        case CMasterDataStore::kLockShokeihi: return BytesOf(s.GetShokeihiFile());
        case CMasterDataStore::kLockProgramKingaku: return BytesOf(s.GetProgramKingakuFile());
        case CMasterDataStore::kLockTanka: return BytesOf(s.GetTankaFile());
        case CMasterDataStore::kLockZairyoTanka: return BytesOf(s.GetZairyoTankaFile());
        default: return {};
    }
}
std::string PathOf(CMasterDataStore& s, LockId id) {
    switch (id) {
        case CMasterDataStore::kLockBukake: return s.GetBukakePath();
        case CMasterDataStore::kLockHenkaritsu: return s.GetHenkaritsuPath();
        case CMasterDataStore::kLockShokeihi: return s.GetShokeihiPath();
        case CMasterDataStore::kLockProgramKingaku: return s.GetProgramKingakuPath();
        case CMasterDataStore::kLockTanka: return s.GetTankaPath();
        case CMasterDataStore::kLockZairyoTanka: return s.GetZairyoTankaPath();
        default: return {};
    }
}

// The files renamed into watched folders, in order: every save replaces its target that way.
class ReplaceWatch {
public:
    ReplaceWatch() : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}
    ~ReplaceWatch() {
        if (m_fd >= 0) close(m_fd);
    }
    ReplaceWatch(const ReplaceWatch&) = delete;
    ReplaceWatch& operator=(const ReplaceWatch&) = delete;
    // False when the watch could not be set up.
    bool Add(const std::string& folder) {
        return m_fd >= 0 && inotify_add_watch(m_fd, folder.c_str(), IN_MOVED_TO) >= 0;
    }
    std::vector<std::string> Replaced() const {
        std::vector<std::string> replaced;
        alignas(inotify_event) char buffer[4096];
        for (ssize_t n; (n = read(m_fd, buffer, sizeof buffer)) > 0;)
            for (char* p = buffer; p < buffer + n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(p);
                if (event->len) replaced.emplace_back(event->name);
                p += sizeof(inotify_event) + event->len;
            }
        return replaced;
    }

private:
    int m_fd;
};

// The name dialog of a code change: the code becomes 1999.
void ExpectNewCode1999(ScriptedDialogs& dialogs) {
    dialogs.Expect<CNameEditDlg>([](CNameEditDlg& d) {
        d.findChild<CZo_Edit*>("code")->setText(QStringLiteral("1999"));
        return IDOK;
    });
}

// What the editor handed back when it closed with OK, per master, as saved bytes.
using Edited = std::map<LockId, std::string>;

// One launcher: its command, its question, the masters it saves in their order, and how a test
// edits in its dialog before closing it with close.
struct Launcher {
    const char* name;
    int command;
    const char* question;
    std::vector<LockId> saves;
    std::function<void(ScriptedDialogs&, int close, Edited& edited)> expect;
};

const Launcher kLaunchers[] = {
    {"諸経費", cmd::ShokeihiEdit, "諸経費データ ファイルを書き換えてよろしいですか？",
     {CMasterDataStore::kLockShokeihi},
     [](ScriptedDialogs& dialogs, int close, Edited& edited) {
         dialogs.Expect<CShokeihiEditDlg>([close, &edited](CShokeihiEditDlg& d) {
             QObject::connect(&d, &QDialog::accepted,
                              [&] { edited[CMasterDataStore::kLockShokeihi] = BytesOf(d.GetShokeihiFile()); });
             d.findChild<CZo_Edit*>("rate")->setText(Tx("44.5"));
             return close;
         });
     }},
    {"プログラム金額", cmd::ProgramKingakuEdit, "プログラム金額データ ファイルを書き換えてよろしいですか？",
     {CMasterDataStore::kLockProgramKingaku},
     [](ScriptedDialogs& dialogs, int close, Edited& edited) {
         dialogs.Expect<CProgramKingakuEditDlg>([close, &edited](CProgramKingakuEditDlg& d) {
             QObject::connect(&d, &QDialog::accepted, [&] {
                 edited[CMasterDataStore::kLockProgramKingaku] = BytesOf(d.GetProgramKingakuFile());
             });
             auto* grid = d.findChild<CSpreadSheet*>("grid");
             grid->SetCellText(1, 1, Tx("新しいプログラム"));
             emit grid->Change(1, 1);
             return close;
         });
     }},
    {"共通業務", cmd::GyomuEdit,
     "歩掛データ ファイル、変化率・補正率データ ファイル、諸経費データ ファイルを書き換えてよろしいですか？",
     {CMasterDataStore::kLockBukake, CMasterDataStore::kLockHenkaritsu, CMasterDataStore::kLockShokeihi},
     [](ScriptedDialogs& dialogs, int close, Edited& edited) {
         dialogs.Expect<CGyomuEditDlg>([close, &edited](CGyomuEditDlg& d) {
             QObject::connect(&d, &QDialog::accepted, [&] {
                 edited[CMasterDataStore::kLockBukake] = BytesOf(d.GetBukakeFile());
                 edited[CMasterDataStore::kLockHenkaritsu] = BytesOf(d.GetHenkaritsuFile());
                 edited[CMasterDataStore::kLockShokeihi] = BytesOf(d.GetShokeihiFile());
             });
             // The first entry of each list renamed.
             for (auto id : {CGyomuEditDlg::kBukake, CGyomuEditDlg::kHenkaritsu, CGyomuEditDlg::kShokeihi})
                 d.OnRename(id);
             return close;
         });
         for (const char* name : {"改名した歩掛業務", "改名した変化率業務", "改名した諸経費業務"})
             dialogs.Expect<CNameEditDlg>([name](CNameEditDlg& d) {
                 d.findChild<CZo_Edit*>("name")->setText(Tx(name));
                 return IDOK;
             });
     }},
    // Without a code change only the 変化率・補正率 master is saved; the one group offered (物件調査)
    // gets a new record.
    {"変化率・補正率", cmd::HenkaritsuEdit, "変化率･補正率データ ファイルを書き換えてよろしいですか？",
     {CMasterDataStore::kLockHenkaritsu},
     [](ScriptedDialogs& dialogs, int close, Edited& edited) {
         dialogs.Expect<CHenkaritsuEditDlg>([close, &edited](CHenkaritsuEditDlg& d) {
             QObject::connect(&d, &QDialog::accepted,
                              [&] { edited[CMasterDataStore::kLockHenkaritsu] = BytesOf(d.GetHenkaritsuFile()); });
             EXPECT_EQ(d.findChild<QComboBox*>("gyomu")->count(), 1);
             d.Records()->OnCreate();
             return close;
         });
         dialogs.Expect<CNameEditDlg>([](CNameEditDlg& d) {
             d.findChild<CZo_Edit*>("name")->setText(Tx("新しい補正"));
             return IDOK;
         });
     }},
    // Without an id change only the 単価 master is saved.
    {"単価", cmd::TankaEdit, "単価データ ファイルを書き換えてよろしいですか？", {CMasterDataStore::kLockTanka},
     [](ScriptedDialogs& dialogs, int close, Edited& edited) {
         dialogs.Expect<CTankaEditDlg>([close, &edited](CTankaEditDlg& d) {
             QObject::connect(&d, &QDialog::accepted,
                              [&] { edited[CMasterDataStore::kLockTanka] = BytesOf(d.GetTankaFile()); });
             auto* grid = d.findChild<CSpreadSheet*>("grid");
             grid->SetCellText(1, 1, Tx("新しい職種"));
             emit grid->Change(1, 1);
             return close;
         });
     }},
    // A 工種 of 設計業務 renamed.
    {"歩掛", cmd::BukakeEdit, "歩掛データ ファイルを書き換えてよろしいですか？", {CMasterDataStore::kLockBukake},
     [](ScriptedDialogs& dialogs, int close, Edited& edited) {
         dialogs.Expect<CBukakeEditDlg>([close, &edited](CBukakeEditDlg& d) {
             QObject::connect(&d, &QDialog::accepted,
                              [&] { edited[CMasterDataStore::kLockBukake] = BytesOf(d.GetBukakeFile()); });
             d.Lists()->OnKoshuChange();
             return close;
         });
         dialogs.Expect<CKoshuEditDlg>([](CKoshuEditDlg& d) {
             d.findChild<CZo_Edit*>("name")->setText(Tx("改名した工種"));
             return IDOK;
         });
     }},
};

// What the masters a launcher saves look like, in memory and on disk.
struct Snapshot {
    std::map<LockId, std::string> memory, file;
    std::map<LockId, bool> marked;
    Snapshot(CMasterDataStore& s, const std::vector<LockId>& ids) {
        for (LockId id : ids) {
            memory[id] = MemoryBytes(s, id);
            file[id] = ReadTestFile(PathOf(s, id));
            marked[id] = vemo::IsReadOnlyMarked(PathOf(s, id));
        }
    }
    bool operator==(const Snapshot&) const = default;
};

class MasterEditCommands : public RunningAppTest {
protected:
    // Runs a launcher whose dialog closes with close; answer is queued for the question.
    Edited RunLauncher(const Launcher& l, int close, int answer = 0) {
        Edited edited;
        ScriptedDialogs dialogs;
        l.expect(dialogs, close, edited);
        if (answer) host->answers.push_back(answer);
        EXPECT_TRUE(app->Commands().Dispatch(l.command)) << l.name;
        return edited;
    }
    // The launcher's masters, in memory and on disk, are what the editor handed back.
    void ExpectSavedAsEdited(const Launcher& l, const Edited& edited) {
        for (LockId id : l.saves) {
            EXPECT_EQ(ReadTestFile(PathOf(Store(), id)), edited.at(id)) << id;
            EXPECT_EQ(MemoryBytes(Store(), id), edited.at(id)) << id;
        }
    }
    // A code change (the 歩掛 question answered Yes) with each of the launcher's locks lost in turn:
    // the save is refused and no master changes.
    void ExpectNothingSavedWithoutEachLock(const Launcher& l) {
        for (LockId refused : l.saves) {
            ASSERT_EQ(Store().Lock(refused, 0, 1), 1) << refused;
            const Snapshot before(Store(), l.saves);
            host->messages.clear();
            host->answers = {IDYES};
            RunLauncher(l, IDOK, IDYES);
            EXPECT_EQ(host->messages.back().text, mastertext::kSaveRefused) << refused;
            EXPECT_TRUE(Snapshot(Store(), l.saves) == before) << refused;
            ASSERT_EQ(Store().Lock(refused, 1, 1), 1) << refused;
        }
    }
};

}  // namespace

TEST_F(MasterEditCommands, CancelOrNoLeavesMastersFilesAndLocksAsTheyWere) {
    for (const Launcher& l : kLaunchers) {
        for (int close : {IDCANCEL, IDOK}) {
            const Snapshot before(Store(), l.saves);
            host->messages.clear();
            RunLauncher(l, close, close == IDOK ? IDNO : 0);
            EXPECT_TRUE(Snapshot(Store(), l.saves) == before) << l.name << close;
            if (close == IDCANCEL) {
                EXPECT_TRUE(host->messages.empty()) << l.name;
            } else {
                ASSERT_EQ(host->messages.size(), 1u) << l.name;
                EXPECT_EQ(host->messages[0].text, l.question);
                EXPECT_EQ(host->messages[0].buttons, MsgButtons::YesNo);
                EXPECT_EQ(host->messages[0].icon, MsgIcon::Exclamation);
            }
        }
    }
}

TEST_F(MasterEditCommands, YesSavesTheEditedCopiesAndTakesTheLocksAgain) {
    for (const Launcher& l : kLaunchers) {
        const Snapshot before(Store(), l.saves);
        host->messages.clear();
        const Edited edited = RunLauncher(l, IDOK, IDYES);
        EXPECT_EQ(host->MessageTexts(), std::vector<std::string>{l.question}) << l.name;
        ASSERT_EQ(edited.size(), l.saves.size()) << l.name;
        for (LockId id : l.saves) {
            const std::string& want = edited.at(id);
            EXPECT_NE(want, before.memory.at(id)) << l.name << id;  // the edit is there
            EXPECT_EQ(ReadTestFile(PathOf(Store(), id)), want) << l.name << id;
            EXPECT_EQ(MemoryBytes(Store(), id), want) << l.name << id;
            EXPECT_TRUE(vemo::IsReadOnlyMarked(PathOf(Store(), id))) << l.name << id;
            EXPECT_EQ(Store().GetLockOwner(id), 1) << l.name << id;
        }
    }
}

TEST_F(MasterEditCommands, TheBusinessListEditorSavesBukakeThenHenkaritsuThenShokeihi) {
    ReplaceWatch watch;
    ASSERT_TRUE(watch.Add(program.masters));
    ASSERT_TRUE(watch.Add(program.data));
    RunLauncher(kLaunchers[2], IDOK, IDYES);
    EXPECT_EQ(watch.Replaced(), (std::vector<std::string>{"歩掛データ.soa", "変化率データ.soa", "諸経費データ.daa"}));
}

TEST_F(MasterEditCommands, ASaveTheLockRefusesKeepsMemoryEqualToTheFile) {
    for (const Launcher& l : kLaunchers) {
        // The master in the middle of the list (the only one, for single-master launchers) lost its lock.
        const LockId refused = l.saves[l.saves.size() / 2];
        ASSERT_EQ(Store().Lock(refused, 0, 1), 1) << l.name;
        const Snapshot before(Store(), l.saves);
        host->messages.clear();
        const Edited edited = RunLauncher(l, IDOK, IDYES);
        EXPECT_EQ(host->MessageTexts(), (std::vector<std::string>{l.question, mastertext::kSaveRefused})) << l.name;
        for (LockId id : l.saves) {
            const std::string file = ReadTestFile(PathOf(Store(), id));
            EXPECT_EQ(MemoryBytes(Store(), id), file) << l.name << id;
            // The others are saved all the same.
            EXPECT_EQ(file, id == refused ? before.file.at(id) : edited.at(id)) << l.name << id;
        }
        ASSERT_EQ(Store().Lock(refused, 1, 1), 1) << l.name;
    }
}

TEST_F(MasterEditCommands, TheOverheadEditorOffersDesignPropertyAndSoilAnalysis) {
    CShokeihiFile& shokeihi = Store().GetShokeihiFile();
    for (int code = 3; code <= 7; ++code) masterbuild::AddShokeihi(shokeihi, code, "業務" + std::to_string(code), kUnset);
    EXPECT_TRUE(app->Commands().State(cmd::ShokeihiEdit).enabled);
    ScriptedDialogs dialogs;
    dialogs.Expect<CShokeihiEditDlg>([](CShokeihiEditDlg& d) {
        QComboBox* list = d.findChild<QComboBox*>("gyomu");
        QStringList names;
        for (int i = 0; i < list->count(); ++i) names << list->itemText(i);
        // 2 設計, 7 区画整理設計, 3 物件調査, 5 土質解析: not 1, 4 and 6.
        EXPECT_EQ(names, (QStringList{Tx("設計業務"), Tx("業務7"), Tx("業務3"), Tx("業務5")}));
        return IDCANCEL;
    });
    EXPECT_TRUE(app->Commands().Dispatch(cmd::ShokeihiEdit));
}

namespace {
// The 単価 editor with the first trade's id changed to a free one, the 歩掛 question answered Yes.
const Launcher kTankaIdChange = {
    "単価 id", cmd::TankaEdit, "単価データ ファイルを書き換えてよろしいですか？",
    {CMasterDataStore::kLockBukake, CMasterDataStore::kLockTanka},
    [](ScriptedDialogs& dialogs, int close, Edited& edited) {
        dialogs.Expect<CTankaEditDlg>([close, &edited](CTankaEditDlg& d) {
            QObject::connect(&d, &QDialog::accepted, [&] {
                edited[CMasterDataStore::kLockBukake] = BytesOf(d.GetBukakeFile());
                edited[CMasterDataStore::kLockTanka] = BytesOf(d.GetTankaFile());
            });
            emit d.findChild<CSpreadSheet*>("grid")->Click(1, 1);
            d.OnTradeChange();
            EXPECT_EQ(d.IsBukakeChanged(), 1);
            return close;
        });
        ExpectNewCode1999(dialogs);
    }};
}  // namespace

class TankaEditCommand : public MasterEditCommands {
protected:
    void SetUp() override {
        MasterEditCommands::SetUp();
        // A 歩掛 detail that refers to the first trade, saved so that memory and file agree.
        ASSERT_GT(Store().GetTankaFile().GetCount(), 0);
        ASSERT_FALSE(Store().GetTankaFile().HasRow(1999));
        CBukakeDetail& detail =
            masterbuild::AddShubetsu(masterbuild::AddKoshu(masterbuild::AddGyomu(Store().GetBukakeFile(), 31), 1), 1)
                .GetDetail();
        detail.m_shokushu[0] = Store().GetTankaFile().GetRow(0)->m_id;
        ASSERT_EQ(Store().SerializeBukakeFile(1, nullptr, ""), 1);
        host->messages.clear();
    }
};

TEST_F(TankaEditCommand, AnIdChangeSavesBukakeThenTanka) {
    ReplaceWatch watch;
    ASSERT_TRUE(watch.Add(program.masters));
    ASSERT_TRUE(watch.Add(program.data));
    host->answers = {IDYES};  // the 歩掛 question inside the editor
    const Edited edited = RunLauncher(kTankaIdChange, IDOK, IDYES);
    EXPECT_EQ(watch.Replaced(), (std::vector<std::string>{"歩掛データ.soa", "単価データ.daa"}));
    ExpectSavedAsEdited(kTankaIdChange, edited);
    EXPECT_EQ(Store().GetTankaFile().GetRow(0)->m_id, 1999);
}

TEST_F(TankaEditCommand, WithoutEitherLockNeitherMasterIsSaved) { ExpectNothingSavedWithoutEachLock(kTankaIdChange); }

namespace {
// The 歩掛 editor with the material price of a 土質 line edited in its expense-detail dialog.
void ExpectMaterialEdit(ScriptedDialogs& dialogs, int close) {
    dialogs.Expect<CBukakeEditDlg>([close](CBukakeEditDlg& d) {
        auto* combo = d.findChild<QComboBox*>("gyomu");
        const int soil = combo->findText(Tx("土質一般"));
        combo->setCurrentIndex(soil);
        d.OnGyomuChosen(soil);
        d.Lists()->OnDetail();
        return close;
    });
    dialogs.Expect<CBukakeShikiDetailDlg>([](CBukakeShikiDetailDlg& d) {
        emit d.findChild<CSpreadSheet*>("grid")->DblClick(2, 1);
        return IDOK;
    });
    dialogs.Expect<CShokushuSelectDlg>([](CShokushuSelectDlg& d) {
        d.findChild<QPushButton*>("edit")->click();
        return IDOK;
    });
    dialogs.Expect<CZairyoTankaItemDlg>([](CZairyoTankaItemDlg& d) {
        d.findChild<CZo_Edit*>("price")->setText(QStringLiteral("950"));
        return IDOK;
    });
}

const std::vector<LockId> kBukakeAndZairyo = {CMasterDataStore::kLockBukake, CMasterDataStore::kLockZairyoTanka};
}  // namespace

class BukakeEditCommand : public MasterEditCommands {
protected:
    void SetUp() override {
        MasterEditCommands::SetUp();
        // A 土質 種別 whose expense detail prices the first material item, saved so that memory and
        // file agree.
        CBukakeDetail& detail =
            masterbuild::AddShubetsu(masterbuild::AddKoshu(masterbuild::AddGyomu(Store().GetBukakeFile(), 4, "土質一般"),
                                                           401, "ボーリング"),
                                     1, "機械ボーリング")
                .GetDetail();
        detail.m_bukakeType = 4;
        masterbuild::AddLine(detail, "", {3, Store().GetZairyoTankaFile().GetItem(0)->m_id, 100});
        ASSERT_EQ(Store().SerializeBukakeFile(1, nullptr, ""), 1);
        host->messages.clear();
    }
};

TEST_F(BukakeEditCommand, NoToTheBukakeQuestionStillAsksAboutEditedMaterialPrices) {
    const Snapshot before(Store(), kBukakeAndZairyo);
    ScriptedDialogs dialogs;
    ExpectMaterialEdit(dialogs, IDOK);
    host->answers = {IDNO, IDYES};
    EXPECT_TRUE(app->Commands().Dispatch(cmd::BukakeEdit));
    EXPECT_EQ(host->MessageTexts(),
              (std::vector<std::string>{"歩掛データ ファイルを書き換えてよろしいですか？",
                                        "材料単価が編集されています。材料単価ファイルを書き換えてよろしいですか？",
                                        "編集した材料単価をお見積りに反映させるため再計算ボタンを押してください。"}));
    EXPECT_EQ(host->messages[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(host->messages[2].icon, MsgIcon::Exclamation);
    const Snapshot after(Store(), kBukakeAndZairyo);
    const LockId bukake = CMasterDataStore::kLockBukake, zairyo = CMasterDataStore::kLockZairyoTanka;
    EXPECT_EQ(after.memory.at(bukake), before.memory.at(bukake));
    EXPECT_EQ(after.file.at(bukake), before.file.at(bukake));
    EXPECT_EQ(Store().GetZairyoTankaFile().GetItem(0)->m_price, 950.0);
    EXPECT_EQ(after.file.at(zairyo), after.memory.at(zairyo));
    EXPECT_NE(after.file.at(zairyo), before.file.at(zairyo));
}

TEST_F(BukakeEditCommand, CancelAndNoLeaveBukakeAndMaterialPricesAsTheyWere) {
    const Snapshot before(Store(), kBukakeAndZairyo);
    for (int close : {IDCANCEL, IDOK}) {
        ScriptedDialogs dialogs;
        ExpectMaterialEdit(dialogs, close);
        host->messages.clear();
        if (close == IDOK) host->answers = {IDNO, IDNO};
        EXPECT_TRUE(app->Commands().Dispatch(cmd::BukakeEdit));
        EXPECT_EQ(host->messages.size(), close == IDOK ? 2u : 0u);
        EXPECT_TRUE(Snapshot(Store(), kBukakeAndZairyo) == before) << close;
    }
}

namespace {

// Rate 12 of 区画整理測量 renamed to code 1999, the 歩掛 question answered Yes.
const Launcher kHenkaritsuCodeChange = {
    "変化率 code", cmd::HenkaritsuEdit, "変化率･補正率データ ファイルを書き換えてよろしいですか？",
    {CMasterDataStore::kLockBukake, CMasterDataStore::kLockHenkaritsu},
    [](ScriptedDialogs& dialogs, int close, Edited& edited) {
        dialogs.Expect<CHenkaritsuEditDlg>([close, &edited](CHenkaritsuEditDlg& d) {
            QObject::connect(&d, &QDialog::accepted, [&] {
                edited[CMasterDataStore::kLockBukake] = BytesOf(d.GetBukakeFile());
                edited[CMasterDataStore::kLockHenkaritsu] = BytesOf(d.GetHenkaritsuFile());
            });
            EXPECT_EQ(d.Records()->Gyomu(), 6);
            d.Records()->OnRename();
            EXPECT_EQ(d.IsBukakeChanged(), 1);
            return close;
        });
        ExpectNewCode1999(dialogs);
    }};
}  // namespace

// The masters of the sample program with a 区画整理測量 group whose rate 12 one 歩掛 detail uses,
// saved so that memory and files agree.
class HenkaritsuCommands : public MasterEditCommands {
protected:
    void SetUp() override {
        MasterEditCommands::SetUp();
        CHenkaritsuFile& rates = Store().GetHenkaritsuFile();
        masterbuild::AddTableRecord(masterbuild::AddGroup(rates, 6, "区画整理測量"), 12, "区画補正");
        ASSERT_EQ(Store().SerializeHenkaritsuFile(1, nullptr, ""), 1);
        CBukakeDetail& detail =
            masterbuild::AddShubetsu(masterbuild::AddKoshu(masterbuild::AddGyomu(Store().GetBukakeFile(), 6), 1), 1)
                .GetDetail();
        detail.m_henkaritsu[0] = 12;
        ASSERT_EQ(Store().SerializeBukakeFile(1, nullptr, ""), 1);
        host->messages.clear();
    }
    int32_t BukakeUse() { return Store().GetBukakeFile().FindShubetsu(6, 1, 1)->GetDetail().m_henkaritsu[0]; }
};

TEST_F(HenkaritsuCommands, ACodeChangeSavesBukakeThenHenkaritsu) {
    ReplaceWatch watch;
    ASSERT_TRUE(watch.Add(program.masters));
    host->answers = {IDYES};  // the 歩掛 question inside the editor
    const Edited edited = RunLauncher(kHenkaritsuCodeChange, IDOK, IDYES);
    EXPECT_EQ(watch.Replaced(), (std::vector<std::string>{"歩掛データ.soa", "変化率データ.soa"}));
    ExpectSavedAsEdited(kHenkaritsuCodeChange, edited);
    EXPECT_EQ(BukakeUse(), 1999);
    EXPECT_TRUE(Store().GetHenkaritsuFile().FindGyomu(6)->HasRecord(1999));
}

TEST_F(HenkaritsuCommands, WithoutEitherLockNeitherMasterIsSaved) {
    ExpectNothingSavedWithoutEachLock(kHenkaritsuCodeChange);
}

// The manual import end to end with the real dialog: another file's record imported into
// 区画整理測量, whose rate 12 is renamed to 1999 on the destination side.
TEST_F(HenkaritsuCommands, TheManualImportSavesBothMastersAndNeverTheSource) {
    ASSERT_TRUE(app->Commands().State(cmd::HenkaritsuImportManual).enabled);
    CHenkaritsuFile other;
    masterbuild::AddTableRecord(masterbuild::AddGroup(other, 6, "区画整理測量"), 7, "他社補正").SetCell(1, 1, 1250);
    const std::string otherPath = program.root / "他社/変化率データ.soa";
    WriteTestFile(otherPath, StoreMasterBytes(CHenkaritsuFile(other)));
    const std::string sourceBytes = ReadTestFile(otherPath);
    const std::vector<LockId> both = {CMasterDataStore::kLockBukake, CMasterDataStore::kLockHenkaritsu};

    // close: how the dialog ends; answer: the question after OK (0: none asked).
    auto run = [&](int close, int answer) {
        ScriptedDialogs dialogs;
        dialogs.Expect<CHenkaritsuImportDlg>([close](CHenkaritsuImportDlg& d) {
            EXPECT_EQ(d.SourceRecords()->Gyomu(), 6);
            d.findChild<QPushButton*>("import")->click();
            d.DestRecords()->List()->SetChosenIndex(0);
            d.DestRecords()->OnRename();
            return close;
        });
        ExpectNewCode1999(dialogs);
        host->messages.clear();
        host->fileAnswers = {otherPath};
        // Import by hand?, import 他社補正?, rewrite the 歩掛 uses of 12?, then the question after OK.
        host->answers = {IDYES, IDYES, IDYES};
        if (answer) host->answers.push_back(answer);
        EXPECT_TRUE(app->Commands().Dispatch(cmd::HenkaritsuImportManual));
        EXPECT_TRUE(host->answers.empty());
    };

    for (const auto& [close, answer] : {std::pair{IDCANCEL, 0}, std::pair{IDOK, int{IDNO}}}) {
        const Snapshot before(Store(), both);
        run(close, answer);
        EXPECT_TRUE(Snapshot(Store(), both) == before) << close;
        EXPECT_EQ(ReadTestFile(otherPath), sourceBytes);
    }

    ReplaceWatch watch;
    ASSERT_TRUE(watch.Add(program.masters));
    run(IDOK, IDYES);
    EXPECT_EQ(host->messages.back().text, mastertext::kAskOverwriteHenkaritsuFile);
    EXPECT_EQ(watch.Replaced(), (std::vector<std::string>{"歩掛データ.soa", "変化率データ.soa"}));
    EXPECT_EQ(BukakeUse(), 1999);
    const CHenkaritsuGyomu& group = *Store().GetHenkaritsuFile().FindGyomu(6);
    EXPECT_TRUE(group.HasRecord(1999));
    ASSERT_TRUE(group.HasRecord(7));
    EXPECT_EQ(group.FindRecord(7)->GetCell(1, 1), 1250);
    for (LockId id : both) EXPECT_EQ(MemoryBytes(Store(), id), ReadTestFile(PathOf(Store(), id))) << id;
    EXPECT_EQ(ReadTestFile(otherPath), sourceBytes);
}

TEST_F(MasterEditCommands, TheListsPrintFromTheProgramFolderAndTheDetailDialogFromTheSelectedForm) {
    app->Settings().formList = {"/forms/a.xlsx", "/forms/b.xlsx"};
    app->Settings().formType = 1;
    app->Settings().SeidoCalc = 1;
    const CBukakeDetailPrintSetup setup = app->DetailPrintSetup();
    EXPECT_EQ(setup.formPath, "/forms/b.xlsx");
    EXPECT_EQ(setup.settings.SeidoCalc, 1);
    app->Settings().formType = 2;  // beyond the list: no form
    EXPECT_EQ(app->DetailPrintSetup().formPath, "");
    app->Settings().formType = 1;

    // A 区画整理測量 種別 of the standard layout, opened from the 歩掛 editor.
    CBukakeGyomu* survey = Store().GetBukakeFile().FindGyomu(6);
    if (!survey) survey = &masterbuild::AddGyomu(Store().GetBukakeFile(), 6, "区画整理測量");
    masterbuild::AddShubetsu(masterbuild::AddKoshu(*survey, 188, "印刷確認"), 1, "印刷確認種別");
    const std::string listTemplate = vemo::JoinPath(vemo::JoinPath(program.root.Path(), "フォーム"), "マスター用.xlsx");
    std::string detailForm;
    int detailSeido = -1;
    ScriptedDialogs dialogs;
    dialogs.Expect<CBukakeEditDlg>([&](CBukakeEditDlg& d) {
        EXPECT_EQ(d.ListPrint().MasterListTemplate(), listTemplate);
        auto* combo = d.findChild<QComboBox*>("gyomu");
        const int index = combo->findData(6);
        combo->setCurrentIndex(index);
        d.OnGyomuChosen(index);
        d.Lists()->ChooseKoshu(d.Lists()->Gyomu()->FindKoshuIndex(188), 0);
        d.Lists()->OnDetail();
        return IDCANCEL;
    });
    dialogs.Expect<CBukakeDetailDlg>([&](CBukakeDetailDlg& d) {
        detailForm = d.GetPrintSetup().formPath;
        detailSeido = d.GetPrintSetup().settings.SeidoCalc;
        return IDCANCEL;
    });
    dialogs.Expect<CHenkaritsuEditDlg>([&](CHenkaritsuEditDlg& d) {
        EXPECT_EQ(d.ListPrint().MasterListTemplate(), listTemplate);
        return IDCANCEL;
    });
    EXPECT_TRUE(app->Commands().Dispatch(cmd::BukakeEdit));
    EXPECT_TRUE(app->Commands().Dispatch(cmd::HenkaritsuEdit));
    EXPECT_EQ(detailForm, "/forms/b.xlsx");
    EXPECT_EQ(detailSeido, 1);
}
