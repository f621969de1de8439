// Manual imports through scripted import dialogs, the old-version import and the 区画整理 import.
#include <gtest/gtest.h>

#include <filesystem>

#include "ScriptedMasterDialogs.h"
#include "UpdateFixture.h"
#include "master/MasterImport.h"
#include "master/MasterTexts.h"
#include "platform/FileUtil.h"

using namespace updatetest;
using namespace masterbuild;

namespace {

// What the scripted 歩掛 import dialog was given, and what the user does in it.
struct BukakeImportScript {
    int created = 0;
    std::vector<uint8_t> codes;
    CBukakeFile source, dest;
    CHenkaritsuFile henkaritsu;
    CTankaFile tanka;
    CZairyoTankaFile zairyo;
    std::function<void(BukakeImportScript&)> edit;
    int result = IDOK;
};

class ScriptedBukakeImport : public IBukakeImportDialog {
public:
    explicit ScriptedBukakeImport(BukakeImportScript& s) : m_s(s) { ++m_s.created; }
    void SetGyomuCodes(const std::vector<uint8_t>& codes) override { m_s.codes = codes; }
    void SetSourceFile(const CBukakeFile& file) override { m_s.source = file; }
    void SetDestFile(const CBukakeFile& file) override { m_s.dest = file; }
    void SetHenkaritsuFile(const CHenkaritsuFile& file) override { m_s.henkaritsu = file; }
    void SetTankaFile(const CTankaFile& file) override { m_s.tanka = file; }
    void SetZairyoTankaFile(const CZairyoTankaFile& file) override { m_s.zairyo = file; }
    int DoModal() override {
        if (m_s.edit) m_s.edit(m_s);
        return m_s.result;
    }
    void GetDestFile(CBukakeFile& file) const override { file = m_s.dest; }

private:
    BukakeImportScript& m_s;
};

struct HenkaritsuImportScript {
    int created = 0;
    std::vector<uint8_t> codes;
    CBukakeFile bukake;
    CHenkaritsuFile source, dest;
    int bukakeChanged = 0;
    std::function<void(HenkaritsuImportScript&)> edit;
    int result = IDOK;
};

class ScriptedHenkaritsuImport : public IHenkaritsuImportDialog {
public:
    explicit ScriptedHenkaritsuImport(HenkaritsuImportScript& s) : m_s(s) { ++m_s.created; }
    void SetGyomuCodes(const std::vector<uint8_t>& codes) override { m_s.codes = codes; }
    void SetBukakeFile(const CBukakeFile& file) override { m_s.bukake = file; }
    void SetSourceFile(const CHenkaritsuFile& file) override { m_s.source = file; }
    void SetDestFile(const CHenkaritsuFile& file) override { m_s.dest = file; }
    int DoModal() override {
        if (m_s.edit) m_s.edit(m_s);
        return m_s.result;
    }
    void GetDestFile(CHenkaritsuFile& file) const override { file = m_s.dest; }
    void GetBukakeFile(CBukakeFile& file) const override { file = m_s.bukake; }
    int IsBukakeChanged() const override { return m_s.bukakeChanged; }

private:
    HenkaritsuImportScript& m_s;
};

struct ImportProgram : UpdateProgram {
    std::string other = root / "他社/歩掛データ.soa";
    std::string otherRates = root / "他社/変化率データ.soa";
    ImportProgram() {
        CBukakeFile b;
        AddKoshu(AddGyomu(b, 1, "測量"), 120, "他社工種");
        WriteMaster(other, b);
        CHenkaritsuFile h;
        AddTableRecord(AddGroup(h, 1, "測量"), 55, "他社補正");
        WriteMaster(otherRates, h);
    }
};

}  // namespace

TEST(GyomuCodes, OfferedCodes) {
    std::vector<uint8_t> codes;
    GetGyomuCodes(codes, false, 0);
    EXPECT_EQ(codes, (std::vector<uint8_t>{6, 2, 7, 3, 4, 5}));
    codes.clear();
    GetGyomuCodes(codes, true, 1);
    EXPECT_EQ(codes, (std::vector<uint8_t>{6, 2, 7, 3, 4, 89, 95, 96, 97, 98, 99}));
}

TEST(ManualImport, BukakeEntriesPickedInTheDialogAreSavedAfterTheQuestion) {
    ImportProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterImporter importer(*store);
    BukakeImportScript script;
    ScriptedMasterDialogs dialogs;
    dialogs.bukakeImport = [&] { return std::make_unique<ScriptedBukakeImport>(script); };
    const CBukakeFile before = store->GetBukakeFile();
    script.edit = [&](BukakeImportScript& s) {
        // The user copies the source's 工種 into the destination; the application's master is untouched.
        auto copy = std::make_unique<CBukakeKoshu>(*s.source.FindKoshu(1, 120));
        s.dest.FindGyomu(1)->InsertNewKoshu(std::move(copy));
        EXPECT_TRUE(store->GetBukakeFile() == before);
    };
    host.answers = {IDYES, IDYES};
    host.fileAnswers = {f.other};
    EXPECT_EQ(importer.OnBukakeImportManual(), 1);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{mastertext::kAskImportBukakeManually,
                                                             mastertext::kAskOverwriteBukakeFile}));
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(host.messages[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(host.fileTitles, std::vector<std::string>{mastertext::kImportBukakeTitle});
    EXPECT_EQ(script.codes, (std::vector<uint8_t>{6, 2, 7, 3, 4, 5}));
    EXPECT_TRUE(script.henkaritsu == store->GetHenkaritsuFile());
    EXPECT_TRUE(script.tanka == store->GetTankaFile());
    // The material prices too, for the material names of the detail dialogs.
    EXPECT_TRUE(script.zairyo == store->GetZairyoTankaFile());
    EXPECT_GT(script.zairyo.GetCount(), 0);
    EXPECT_EQ(KoshuCodes(*store->GetBukakeFile().FindGyomu(1)), (std::vector<int32_t>{1, 120, 69, 91}));
    EXPECT_TRUE(LoadFile<CBukakeFile>(f.masters + "/歩掛データ.soa") == store->GetBukakeFile());
}

TEST(ManualImport, CancelDeclineAndForeignFilesChangeNothing) {
    ImportProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterImporter importer(*store);
    BukakeImportScript script;
    script.edit = [](BukakeImportScript& s) { s.dest.RemoveGyomu(0); };
    ScriptedMasterDialogs dialogs;
    dialogs.bukakeImport = [&] { return std::make_unique<ScriptedBukakeImport>(script); };
    const ChangeWatch watch(f, *store);

    host.answers = {IDNO};
    EXPECT_EQ(importer.OnBukakeImportManual(), 0);  // not asked for a file
    host.answers = {IDYES};
    host.fileAnswers = {std::nullopt};
    EXPECT_EQ(importer.OnBukakeImportManual(), 0);  // file choice cancelled
    script.result = IDCANCEL;
    host.answers = {IDYES};
    host.fileAnswers = {f.other};
    EXPECT_EQ(importer.OnBukakeImportManual(), 0);  // dialog cancelled: no overwrite question
    script.result = IDOK;
    host.answers = {IDYES, IDNO};
    host.fileAnswers = {f.other};
    EXPECT_EQ(importer.OnBukakeImportManual(), 0);  // overwrite declined
    EXPECT_EQ(script.created, 2);
    // A picked file that is not a 歩掛 file is refused before the dialog opens.
    host.answers = {IDYES};
    host.fileAnswers = {f.otherRates};
    EXPECT_EQ(importer.OnBukakeImportManual(), 0);
    EXPECT_EQ(script.created, 2);
    EXPECT_EQ(host.messages.back().text, mastertext::kBukakeForeignFile);

    EXPECT_EQ(watch.Changes(), "");
}

TEST(ManualImport, HenkaritsuRecordsPickedInTheDialog) {
    ImportProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterImporter importer(*store);
    HenkaritsuImportScript script;
    script.edit = [](HenkaritsuImportScript& s) {
        s.dest.FindGyomu(1)->AddRecord(std::make_unique<CHenkaritsuRecord>(*s.source.FindGyomu(1)->FindRecord(55)));
    };
    ScriptedMasterDialogs dialogs;
    dialogs.henkaritsuImport = [&] { return std::make_unique<ScriptedHenkaritsuImport>(script); };
    host.answers = {IDYES, IDYES};
    host.fileAnswers = {f.otherRates};
    EXPECT_EQ(importer.OnHenkaritsuImportManual(), 1);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{mastertext::kAskImportHenkaritsuManually,
                                                             mastertext::kAskOverwriteHenkaritsuFile}));
    EXPECT_EQ(host.fileTitles, std::vector<std::string>{mastertext::kImportHenkaritsuTitle});
    EXPECT_EQ(script.codes, (std::vector<uint8_t>{6, 2, 7, 3, 4}));
    EXPECT_EQ(script.bukake.GetCount(), 3);
    EXPECT_EQ(RecordCodes(*store->GetHenkaritsuFile().FindGyomu(1)),
              (std::vector<int32_t>{1, 2, 1001, 3, 4, 5, 6, 1000, 55}));
    EXPECT_TRUE(LoadFile<CHenkaritsuFile>(f.masters + "/変化率データ.soa") == store->GetHenkaritsuFile());
}

// A destination code change rewrote the dialog's 歩掛 copy: both masters are saved, or neither when
// this program lacks either lock.
TEST(ManualImport, AChangedBukakeCopyIsSavedWithTheRates) {
    for (int refused : {-1, int{CMasterDataStore::kLockBukake}, int{CMasterDataStore::kLockHenkaritsu}}) {
        ImportProgram f;
        ScriptedHost host;
        auto store = f.Start();
        CMasterImporter importer(*store);
        HenkaritsuImportScript script;
        script.edit = [](HenkaritsuImportScript& s) {
            s.dest.FindGyomu(1)->GetRecord(0)->m_name = "改名";
            s.bukake.RemoveGyomu(0);
            s.bukakeChanged = 1;
        };
        ScriptedMasterDialogs dialogs;
        dialogs.henkaritsuImport = [&] { return std::make_unique<ScriptedHenkaritsuImport>(script); };
        if (refused >= 0) {
            ASSERT_EQ(store->Lock(static_cast<CMasterDataStore::LockId>(refused), 0, 1), 1);
        }
        const ChangeWatch watch(f, *store);
        const std::string source = ReadTestFile(f.otherRates);
        host.answers = {IDYES, IDYES};
        host.fileAnswers = {f.otherRates};
        EXPECT_EQ(importer.OnHenkaritsuImportManual(), refused < 0 ? 1 : 0) << refused;
        EXPECT_EQ(ReadTestFile(f.otherRates), source);
        if (refused >= 0) {
            EXPECT_EQ(host.messages.back().text, mastertext::kSaveRefused) << refused;
            EXPECT_EQ(watch.Changes(), "") << refused;
            continue;
        }
        EXPECT_EQ(store->GetBukakeFile().GetCount(), 2);
        EXPECT_EQ(store->GetHenkaritsuFile().FindGyomu(1)->GetRecord(0)->m_name, "改名");
        EXPECT_TRUE(LoadFile<CBukakeFile>(f.masters + "/歩掛データ.soa") == store->GetBukakeFile());
        EXPECT_TRUE(LoadFile<CHenkaritsuFile>(f.masters + "/変化率データ.soa") == store->GetHenkaritsuFile());
    }
}

TEST(ManualImport, TankaAndZairyoTankaAreNotSupported) {
    ScriptedHost host;
    CMasterDataStore store("/nonexistent");
    CMasterImporter importer(store);
    EXPECT_EQ(importer.OnTankaImportManual(), 0);
    EXPECT_EQ(importer.OnZairyoTankaImportManual(), 0);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{mastertext::kNotSupported,
                                                             mastertext::kNotSupported}));
}

// ---------------------------------------------------------------------------------------------

namespace {

struct OldVersionProgram : UpdateProgram {
    std::string old = root / "旧Vemo/データ格納/マスター";

    OldVersionProgram() {
        CBukakeFile b;
        CBukakeGyomu& g1 = AddGyomu(b, 1, "測量");
        // Already in the current master: not taken over, nor its 種別.
        CBukakeKoshu& same = AddKoshu(g1, 1, "旧基準点測量");
        same.m_userCreated = 1;
        AddShubetsu(same, 9, "旧種別");
        // Not yet there: taken over with its flags cleared.
        CBukakeKoshu& fresh = AddKoshu(g1, 120, "旧利用者工種", 1);
        fresh.m_userCreated = 1;
        AddShubetsu(fresh, 1, "旧利用者種別").m_conventional = 1;
        // A shipped 工種 with a user 種別 whose code the current 工種 already uses.
        CBukakeKoshu& shipped = AddKoshu(g1, 69, "一式");
        CBukakeShubetsu& clash = AddShubetsu(shipped, 1, "旧一式種別");
        clash.m_userCreated = 1;
        clash.m_conventional = 1;
        CBukakeGyomu& g2 = AddGyomu(b, 2, "設計");
        CBukakeKoshu& design = AddKoshu(g2, 150, "旧設計工種", 1);
        design.m_userCreated = 1;
        AddShubetsu(design, 1, "旧設計種別").m_conventional = 1;
        AddKoshu(AddGyomu(b, 9, "無い業務"), 120, "無視").m_userCreated = 1;
        WriteMaster(old + "/歩掛データ.soa", b);

        CHenkaritsuFile h;
        CHenkaritsuGyomu& r1 = AddGroup(h, 1, "測量");
        AddTableRecord(r1, 1, "旧地形");
        AddTableRecord(r1, 1001, "旧利用者補正").m_userCreated = 1;  // the current group has 1001
        AddTableRecord(r1, 1500, "旧独自補正").m_userCreated = 1;
        WriteMaster(old + "/変化率データ.soa", h);
    }
};

}  // namespace

TEST(OldVersionImport, TakesOverTheUserEntriesTheCurrentMastersLack) {
    OldVersionProgram f;
    ScriptedHost host;
    host.settings.SetString("Vemo Tesk", "Path", "MasterData", f.old);
    auto store = f.Start();
    ScriptedMasterDialogs dialogs;
    dialogs.ExpectFolderDialog([](const MasterFolderRequest& r) -> std::optional<std::string> { return r.currentFolder; });
    CMasterImporter importer(*store);
    host.answers = {IDYES};
    EXPECT_EQ(importer.OnImportOldUserBukake(), 1);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{mastertext::kAskImportOldBukake,
                                                             mastertext::kOldBukakeImported}));
    ASSERT_EQ(dialogs.folderRequests.size(), 1u);
    EXPECT_EQ(dialogs.folderRequests[0].oldVersionMode, 1);
    EXPECT_EQ(dialogs.folderRequests[0].currentFolder, f.old);
    EXPECT_EQ(dialogs.folderRequests[0].parentFolder, vemo::ParentFolder(f.old));

    const CBukakeFile& b = store->GetBukakeFile();
    const CBukakeGyomu& g1 = *b.FindGyomu(1);
    EXPECT_EQ(KoshuCodes(g1), (std::vector<int32_t>{1, 120, 69, 91}));
    EXPECT_EQ(g1.GetKoshu(0)->m_name, "基準点測量");  // the existing 工種 kept, its 種別 too
    EXPECT_EQ(g1.GetKoshu(0)->GetCount(), 2);
    const CBukakeKoshu& fresh = *g1.GetKoshu(1);
    EXPECT_EQ(fresh.m_splitFlag, 0);
    EXPECT_EQ(fresh.GetShubetsu(0)->m_conventional, 0);
    const CBukakeKoshu& anchor = *g1.FindKoshu(69);
    ASSERT_EQ(anchor.GetCount(), 1);
    EXPECT_EQ(anchor.GetShubetsu(0)->m_name, "旧一式種別");
    EXPECT_EQ(anchor.GetShubetsu(0)->m_code, 1);
    EXPECT_EQ(anchor.GetShubetsu(0)->m_conventional, 0);
    // 業務 2: raised to 350, flags kept.
    const CBukakeKoshu& design = *b.FindKoshu(2, 350);
    EXPECT_EQ(design.m_name, "旧設計工種");
    EXPECT_EQ(design.m_splitFlag, 1);
    EXPECT_EQ(design.GetShubetsu(0)->m_conventional, 1);
    EXPECT_EQ(b.FindGyomu(9), nullptr);

    EXPECT_EQ(RecordCodes(*store->GetHenkaritsuFile().FindGyomu(1)),
              (std::vector<int32_t>{1, 2, 1500, 1001, 3, 4, 5, 6, 1000}));
    EXPECT_EQ(store->GetHenkaritsuFile().FindGyomu(1)->FindRecord(1001)->m_name, "利用者補正A");

    EXPECT_TRUE(LoadFile<CBukakeFile>(f.masters + "/歩掛データ.soa") == b);
    EXPECT_TRUE(LoadFile<CHenkaritsuFile>(f.masters + "/変化率データ.soa") == store->GetHenkaritsuFile());
    ASSERT_EQ(host.progress.size(), 2u);
    EXPECT_EQ(host.progress[0]->statuses, std::vector<std::string>{mastertext::kStatusImportingBukake});
    EXPECT_EQ(host.progress[0]->upper, 4);  // 1 + 1 (user 工種 1 and 120) + 1 (user 種別 of 69) + 1 (工種 150)
    EXPECT_EQ(host.progress[1]->statuses, std::vector<std::string>{mastertext::kStatusImportingHenkaritsu});
    EXPECT_EQ(host.progress[1]->upper, 3);
}

TEST(OldVersionImport, WithoutTheOldSettingTheCurrentFolderIsOffered) {
    OldVersionProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterImporter importer(*store);
    host.answers = {IDYES};
    host.folderAnswers = {std::nullopt};
    EXPECT_EQ(importer.OnImportOldUserBukake(), 0);
    EXPECT_EQ(host.folderTitles, std::vector<std::string>{mastertext::kOldMasterFolderTitle});
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{mastertext::kAskImportOldBukake});
}

TEST(OldVersionImport, MissingRateFileStopsBeforeAnythingIsSaved) {
    OldVersionProgram f;
    std::filesystem::remove(f.old + "/変化率データ.soa");
    ScriptedHost host;
    auto store = f.Start();
    ScriptedMasterDialogs dialogs;
    dialogs.ExpectFolderDialog(f.old);
    const ChangeWatch watch(f, *store);
    CMasterImporter importer(*store);
    host.answers = {IDYES};
    EXPECT_EQ(importer.OnImportOldUserBukake(), 0);
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{mastertext::kAskImportOldBukake,
                                        f.old + "/変化率データ.soa" + mastertext::kFileMissing,
                                        mastertext::kOldHenkaritsuImportFailed}));
    EXPECT_EQ(watch.Changes(), "");
}

TEST(OldVersionImport, CancelAtEveryProgressStepChangesNoMasterAndNoFile) {
    OldVersionProgram f;
    ScriptedHost host;
    auto store = f.Start();
    ScriptedMasterDialogs dialogs;
    CMasterImporter importer(*store);
    // 3 工種 of 業務 1 and one of 業務 2 hold user entries; 3 records of the old group 1. Every run
    // opens the folder dialog once.
    EXPECT_EQ(CancelAtEveryStep(f, *store, host,
                                [&] {
                                    dialogs.ExpectFolderDialog(f.old);
                                    importer.OnImportOldUserBukake();
                                    EXPECT_EQ(dialogs.PendingFolderDialogs(), 0u);
                                },
                                {IDYES}),
              7);
    EXPECT_EQ(dialogs.folderRequests.size(), 8u);
    EXPECT_EQ(host.messages.back().text, mastertext::kOldBukakeImported);
}

// ---------------------------------------------------------------------------------------------

namespace {

struct KukakuProgram : UpdateProgram {
    explicit KukakuProgram(bool koshu61 = false, bool record150 = false) {
        CBukakeFile b;
        CBukakeGyomu& s = AddGyomu(b, 1, "測量");
        AddKoshu(s, 1, "測量A");
        AddKoshu(s, 3, "測量C");
        if (koshu61) AddKoshu(s, 61, "予約");
        AddKoshu(s, 69, "一式");
        AddKoshu(s, 150, "測量利用者");
        CBukakeGyomu& k = AddGyomu(b, 6, "区画整理測量");
        AddKoshu(k, 1, "旧A");
        AddKoshu(k, 5, "区画だけ");
        AddKoshu(k, 62, "区画専用");
        AddKoshu(k, 69, "旧一式");
        AddKoshu(k, 200, "区画利用者");
        WriteMaster(masters + "/歩掛データ.soa", b);

        CHenkaritsuFile h;
        CHenkaritsuGyomu& hs = AddGroup(h, 1, "測量");
        AddTableRecord(hs, 1, "地形");
        AddTableRecord(hs, 2, "縮尺");
        if (record150) AddTableRecord(hs, 150, "予約");
        CHenkaritsuGyomu& hk = AddGroup(h, 6, "区画整理測量");
        AddTableRecord(hk, 2, "旧縮尺");
        AddTableRecord(hk, 7, "区画だけ");
        WriteMaster(masters + "/変化率データ.soa", h);
    }
};

std::string KukakuQuestion(const std::string& folder) {
    return mastertext::kFolderQuote + folder + mastertext::kFolderQuote + mastertext::kAskKukakuSeiriImport;
}

}  // namespace

TEST(KukakuSeiriImport, CopiesSokuryoOntoKukakuSeiri) {
    KukakuProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterImporter importer(*store);
    host.answers = {IDYES};
    EXPECT_EQ(importer.OnKukakuSeiriImport(), 1);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{KukakuQuestion(f.masters),
                                                             mastertext::kKukakuSeiriImported}));
    const CBukakeGyomu& k = *store->GetBukakeFile().FindGyomu(6);
    // 1 and 69 replaced in place, 3 inserted at 測量's index, 5 removed, 62 kept, 200 untouched.
    EXPECT_EQ(KoshuCodes(k), (std::vector<int32_t>{1, 3, 62, 69, 200}));
    EXPECT_EQ(k.GetKoshu(0)->m_name, "測量A");
    EXPECT_EQ(k.GetKoshu(2)->m_name, "区画専用");
    EXPECT_EQ(k.GetKoshu(3)->m_name, "一式");
    EXPECT_EQ(KoshuCodes(*store->GetBukakeFile().FindGyomu(1)), (std::vector<int32_t>{1, 3, 69, 150}));
    const CHenkaritsuGyomu& hk = *store->GetHenkaritsuFile().FindGyomu(6);
    EXPECT_EQ(RecordCodes(hk), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(hk.GetRecord(1)->m_name, "縮尺");
    EXPECT_TRUE(LoadFile<CBukakeFile>(f.masters + "/歩掛データ.soa") == store->GetBukakeFile());
    EXPECT_TRUE(LoadFile<CHenkaritsuFile>(f.masters + "/変化率データ.soa") == store->GetHenkaritsuFile());
}

TEST(KukakuSeiriImport, ReservedCodesAreRefusedBeforeAnythingIsSaved) {
    struct Case {
        bool koshu61, record150;
        std::string message;
        MsgIcon icon;
    };
    const Case cases[] = {
        {true, false, mastertext::kKukakuKoshuCodeUsedBefore + std::string("61") + mastertext::kKukakuCodeUsedAfter,
         MsgIcon::Information},
        // The 変化率 conflict is found before the 歩掛 master is saved.
        {false, true, mastertext::kKukakuHenkaritsuCodeUsedBefore + std::string("150") + mastertext::kKukakuCodeUsedAfter,
         MsgIcon::None},
    };
    for (const Case& c : cases) {
        KukakuProgram f(c.koshu61, c.record150);
        ScriptedHost host;
        auto store = f.Start();
        const ChangeWatch watch(f, *store);
        CMasterImporter importer(*store);
        host.answers = {IDYES};
        EXPECT_EQ(importer.OnKukakuSeiriImport(), 0);
        EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{KukakuQuestion(f.masters), c.message}));
        EXPECT_EQ(host.messages.back().icon, c.icon);
        EXPECT_EQ(watch.Changes(), "");
    }
}
