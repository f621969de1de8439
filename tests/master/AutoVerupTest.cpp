// "AutoVerup.txt": its lines, and the automatic update it drives at start-up.
#include <gtest/gtest.h>

#include <filesystem>

#include "ScriptedMasterDialogs.h"
#include "UpdateFixture.h"
#include "master/AutoVerup.h"
#include "master/MasterTexts.h"
#include "master/MasterUpdate.h"
#include "platform/Cp932.h"

using namespace updatetest;
using namespace masterbuild;
using vemo::Utf8ToCp932;

namespace {

// Ten lines, each in CP932 with CR LF.
std::string TextFile(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += Utf8ToCp932(line) + "\r\n";
    return bytes;
}

std::vector<std::string> Lines(const std::string& version, const std::string& whole, const std::string& bukake,
                               const std::string& henkaritsu, const std::string& tanka, const std::string& zairyo) {
    return {"Vemo Ovra 農林版 データ更新",
            "歩掛データ Ver." + version,
            "変化率データ Ver." + version,
            "単価データ Ver." + version,
            "材料単価データ Ver." + version,
            "All AutoVerup = " + whole,
            "歩掛データ = " + bukake,
            "変化率データ = " + henkaritsu,
            "単価データ = " + tanka,
            "材料単価データ = " + zairyo};
}

const std::string kTodo = "対応する";
const std::string kDone = "対応完了";
const std::string kNotNeeded = "対応済み";
const std::string kFailed = "対応失敗";

// A message about a file or folder: its name in 「」 and the rest of the text.
std::string AboutName(const std::string& name, const char* rest) { return mastertext::kNameOpen + name + rest; }

const std::string kWholeQuestion = mastertext::kAskAutoUpdateAll;
const std::string kBukakeQuestion = AboutName("参考マスター25", mastertext::kAskAutoUpdateBukake);
const std::string kHenkaritsuQuestion = AboutName("参考マスター25", mastertext::kAskAutoUpdateHenkaritsu);
const std::string kSelectReferenceSet = AboutName("参考マスター25", mastertext::kSelectReferenceSet);
const std::string kTankaQuestion = mastertext::kAskUpdateTanka;
const std::string kZairyoQuestion = mastertext::kAskUpdateZairyoTanka;

// A master set of the user's, as a folder of its own in the data folder.
void WriteUserSet(const std::string& folder) {
    WriteMaster(folder + "/歩掛データ.soa", UserBukake());
    WriteMaster(folder + "/変化率データ.soa", UserHenkaritsu());
}

}  // namespace

TEST(AutoVerupText, SplitsLinesDroppingOnlyACarriageReturnBeforeTheLineFeed) {
    CAutoVerupText text = CAutoVerupText::Parse("a\r\nab\nc\rd\r\n\r\nlast");
    EXPECT_EQ(text.Line(1), "a");
    EXPECT_EQ(text.Line(2), "ab");  // no CR: the last character stays
    EXPECT_EQ(text.Line(3), "c\rd");
    EXPECT_EQ(text.Line(4), "");
    EXPECT_EQ(text.Line(5), "last");  // text after the last line feed
    for (int n = 6; n <= 10; ++n) EXPECT_EQ(text.Line(n), "\n") << n;
    // Missing lines are written as empty lines: still ten lines ending in CR LF.
    EXPECT_EQ(text.Format(), "a\r\nab\r\nc\rd\r\n\r\nlast\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST(AutoVerupText, ReadsOnlyTheFirstThousandBytes) {
    std::string bytes(1200, 'x');
    bytes += "\r\n";
    CAutoVerupText text = CAutoVerupText::Parse(bytes);
    EXPECT_EQ(text.Line(1), std::string(1000, 'x'));
    EXPECT_EQ(text.Line(2), "\n");
}

TEST(AutoVerupText, VersionIsTheNumberOfTheLastFourBytes) {
    CAutoVerupText text =
        CAutoVerupText::Parse(TextFile({"", "歩掛データ Ver.0110", "1.10", "25", "材料単価ＸＹ", "ab1/0", "9^99", "-2.5"}));
    EXPECT_EQ(text.VersionOf(2), 110);
    EXPECT_EQ(text.VersionOf(3), 1);   // "1.10" is 1.1, truncated
    EXPECT_EQ(text.VersionOf(4), 25);  // a shorter line is read whole
    EXPECT_EQ(text.VersionOf(5), 0);   // no number
    EXPECT_EQ(text.VersionOf(6), 0);   // 1/0: infinite
    EXPECT_EQ(text.VersionOf(7), 0);   // beyond the int range
    EXPECT_EQ(text.VersionOf(8), -2);  // 1e-7 added, truncated toward zero
    EXPECT_EQ(text.VersionOf(9), 0);   // missing line
    EXPECT_TRUE(text.LineIs(2, "歩掛データ Ver.0110"));
    text.SetLine(2, "歩掛データ = 対応済み");
    EXPECT_EQ(text.Line(2), Utf8ToCp932("歩掛データ = 対応済み"));
}

TEST(AutoVerup, MissingFileDoesNothing) {
    UpdateProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater(*store).RunAutoVerup();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(f.program + "/AutoVerup.txt"));
}

TEST(AutoVerup, VersionsAtTheShippedOnesAreMarkedWithoutQuestions) {
    UpdateProgram f;
    CBukakeFile b = UserBukake();
    b.m_dataVersion = 110;
    WriteMaster(f.masters + "/歩掛データ.soa", b);
    CHenkaritsuFile h = UserHenkaritsu();
    h.m_dataVersion = 110;
    WriteMaster(f.masters + "/変化率データ.soa", h);
    CTankaFile t = UserTanka();
    t.m_dataVersion = 109;  // below 0110: asked, and declined
    WriteMaster(f.data + "/単価データ.daa", t);
    CZairyoTankaFile z = UserZairyo();
    z.m_dataVersion = 110;
    WriteMaster(f.data + "/材料単価データ25.zoa", z);
    WriteTestFile(f.program + "/AutoVerup.txt", TextFile(Lines("0110", kTodo, kTodo, kTodo, kTodo, kTodo)));
    ScriptedHost host;
    auto store = f.Start();
    host.answers = {IDNO};
    CMasterUpdater(*store).RunAutoVerup();
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{kTankaQuestion});
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Question);
    EXPECT_EQ(ReadTestFile(f.program + "/AutoVerup.txt"),
              TextFile(Lines("0110", kNotNeeded, kNotNeeded, kNotNeeded, kTodo, kNotNeeded)));
}

TEST(AutoVerup, DeclinedWholeUpdateStillRunsTheSingleSteps) {
    UpdateProgram f;
    WriteTestFile(f.program + "/AutoVerup.txt", TextFile(Lines("2500", kTodo, kTodo, kTodo, kTodo, kTodo)));
    ScriptedHost host;
    auto store = f.Start();
    host.answers = {IDNO, IDYES, IDYES, IDYES, IDYES};
    CMasterUpdater(*store).RunAutoVerup();
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{kWholeQuestion, kBukakeQuestion, mastertext::kBukakeUpdated + UserShubetsuNote(),
                                        kHenkaritsuQuestion, mastertext::kHenkaritsuUpdated,
                                        kTankaQuestion, mastertext::kTankaUpdated, kZairyoQuestion,
                                        mastertext::kZairyoTankaUpdated}));
    EXPECT_EQ(host.messages[1].icon, MsgIcon::Question);
    EXPECT_EQ(ReadTestFile(f.program + "/AutoVerup.txt"),
              TextFile(Lines("2500", kTodo, kDone, kDone, kDone, kDone)));
    EXPECT_EQ(store->GetBukakeFile().m_dataVersion, 2500);
    EXPECT_EQ(store->GetZairyoTankaFile().m_dataVersion, 2500);
    EXPECT_EQ(host.panes[3].back(), "材料単価 令和7年度");
}

TEST(AutoVerup, WholeUpdateRunsEverythingAndTheSingleStepsFindNothingLeft) {
    UpdateProgram f;
    WriteTestFile(f.program + "/AutoVerup.txt", TextFile(Lines("2500", kTodo, kTodo, kTodo, kTodo, kTodo)));
    ScriptedHost host;
    auto store = f.Start();
    host.answers = {IDYES};
    CMasterUpdater(*store).RunAutoVerup();
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{kWholeQuestion, mastertext::kUpdateAllDone + UserShubetsuNote()}));
    EXPECT_EQ(ReadTestFile(f.program + "/AutoVerup.txt"),
              TextFile(Lines("2500", kDone, kNotNeeded, kNotNeeded, kNotNeeded, kNotNeeded)));
    EXPECT_EQ(store->GetShokeihiFile().GetCount(), 2);
}

TEST(AutoVerup, FailedStepsAreMarkedFailed) {
    UpdateProgram f;
    std::filesystem::remove(f.shippedMasters + "/歩掛データ.soa");
    WriteTestFile(f.program + "/AutoVerup.txt", TextFile(Lines("2500", kTodo, kTodo, kTodo, kTodo, kTodo)));
    ScriptedHost host;
    auto store = f.Start();
    // Whole update: the shipped 歩掛 file is missing, so it fails before writing anything.
    host.answers = {IDYES, IDYES, IDNO, IDNO, IDNO};
    CMasterUpdater(*store).RunAutoVerup();
    const std::string missing = f.shippedMasters + "/歩掛データ.soa" + mastertext::kFileMissing;
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{kWholeQuestion, missing, mastertext::kUpdateAllFailed,
                                                             kBukakeQuestion, missing, kHenkaritsuQuestion,
                                                             kTankaQuestion, kZairyoQuestion}));
    EXPECT_EQ(ReadTestFile(f.program + "/AutoVerup.txt"),
              TextFile(Lines("2500", kFailed, kFailed, kTodo, kTodo, kTodo)));
}

TEST(AutoVerup, TankaNotNewerCountsAsNothingNeeded) {
    UpdateProgram f;
    CTankaFile same = ShippedTanka();
    same.m_dataVersion = 2400;
    WriteMaster(f.shipped + "/単価データ.daa", same);
    WriteTestFile(f.program + "/AutoVerup.txt", TextFile(Lines("2500", kNotNeeded, kNotNeeded, kNotNeeded, kTodo, kNotNeeded)));
    ScriptedHost host;
    auto store = f.Start();
    host.answers = {IDYES};
    CMasterUpdater(*store).RunAutoVerup();
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{
                                       kTankaQuestion,
                                       mastertext::kTankaNotNewer,
                                       mastertext::kTankaUpdateEnded}));
    EXPECT_EQ(ReadTestFile(f.program + "/AutoVerup.txt"),
              TextFile(Lines("2500", kNotNeeded, kNotNeeded, kNotNeeded, kNotNeeded, kNotNeeded)));
}

TEST(AutoVerup, OtherMasterFolderAndMaterialFileAreLeftForLater) {
    UpdateProgram f;
    const std::string own = f.data + "/利用者マスター";
    WriteUserSet(own);
    std::filesystem::rename(f.data + "/材料単価データ25.zoa", f.data + "/材料単価データ24.zoa");
    WriteTestFile(f.program + "/AutoVerup.txt", TextFile(Lines("2500", kTodo, kTodo, kTodo, kNotNeeded, kTodo)));
    ScriptedHost host;
    CMasterDataStore store(f.program);
    store.SetMasterDataFolder(own);
    store.SetZairyoTankaPath(f.data + "/材料単価データ24.zoa");
    ASSERT_EQ(store.LoadMastersAtStartup(), 1);
    ScriptedMasterDialogs dialogs;
    dialogs.ExpectFolderDialog(std::nullopt);  // the user cancels the selection
    host.answers = {IDYES};
    CMasterUpdater(store).RunAutoVerup();
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{kWholeQuestion, kSelectReferenceSet, mastertext::kUpdateAborted}));
    ASSERT_EQ(dialogs.folderRequests.size(), 1u);
    EXPECT_EQ(dialogs.folderRequests[0].mode, 2);
    EXPECT_EQ(ReadTestFile(f.program + "/AutoVerup.txt"),
              TextFile(Lines("2500", kTodo, kTodo, kTodo, kNotNeeded, kTodo)));
    EXPECT_EQ(store.GetBukakeFile().m_dataVersion, 2400);
}

TEST(AutoVerup, MissingReferenceSetIsCopiedFirstThenTheWholeUpdateRuns) {
    UpdateProgram f;
    const std::string own = f.data + "/利用者マスター";
    std::filesystem::rename(f.masters, own);
    WriteTestFile(f.program + "/AutoVerup.txt", TextFile(Lines("2500", kTodo, kTodo, kTodo, kTodo, kTodo)));
    ScriptedHost host;
    CMasterDataStore store(f.program);
    store.SetMasterDataFolder(own);
    ASSERT_EQ(store.LoadMastersAtStartup(), 1);
    ScriptedMasterDialogs dialogs;
    dialogs.ExpectFolderDialog([&](const MasterFolderRequest&) -> std::optional<std::string> {
        // The user copies the own set under the reference name in the dialog and chooses it.
        std::filesystem::create_directory(f.masters);
        for (const char* name : {"/歩掛データ.soa", "/変化率データ.soa"})
            WriteTestFile(f.masters + name, ReadTestFile(own + name));
        return f.masters;
    });
    host.answers = {IDYES};
    CMasterUpdater(store).RunAutoVerup();
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{kWholeQuestion,
                                        AboutName("参考マスター25", mastertext::kReferenceSetMissing),
                                        mastertext::kUpdateAllDone + UserShubetsuNote()}));
    ASSERT_EQ(dialogs.folderRequests.size(), 1u);
    EXPECT_EQ(dialogs.folderRequests[0].mode, 1);
    EXPECT_EQ(store.GetMasterDataFolder(), f.masters);
    EXPECT_EQ(ReadTestFile(f.program + "/AutoVerup.txt"),
              TextFile(Lines("2500", kDone, kNotNeeded, kNotNeeded, kNotNeeded, kNotNeeded)));
}

TEST(AutoVerup, ShortFileIsRewrittenWithEmptyLines) {
    UpdateProgram f;
    WriteTestFile(f.program + "/AutoVerup.txt",
                  TextFile({"先頭", "歩掛 2500", "変化率 2500", "単価 2500", "材料 2500", "All AutoVerup = 対応済み"}));
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater(*store).RunAutoVerup();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(ReadTestFile(f.program + "/AutoVerup.txt"),
              TextFile({"先頭", "歩掛 2500", "変化率 2500", "単価 2500", "材料 2500", "All AutoVerup = 対応済み", "", "",
                        "", ""}));
}

TEST(AutoVerup, ALargeFileIsReadNoFurtherThanItsFirstThousandBytes) {
    UpdateProgram f;
    const std::string lines = TextFile(Lines("2500", kNotNeeded, kNotNeeded, kNotNeeded, kNotNeeded, kNotNeeded));
    const std::string path = f.program + "/AutoVerup.txt";
    WriteTestFile(path, lines + std::string((size_t{2} << 20) - lines.size(), 'x'));  // 2 MB
    ScriptedHost host;
    auto store = f.Start();
    const std::optional<uint64_t> readBefore = BytesReadByProcess();
    ASSERT_TRUE(readBefore.has_value());
    CMasterUpdater(*store).RunAutoVerup();
    EXPECT_LT(*BytesReadByProcess() - *readBefore, uint64_t{64} << 10);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(ReadTestFile(path), lines);  // rewritten as its ten lines, as always
}

TEST(AutoVerup, SelectingAnUpToDateReferenceSetNeedsNoWholeUpdate) {
    UpdateProgram f;
    const std::string own = f.data + "/利用者マスター";
    WriteUserSet(own);
    CBukakeFile current = UserBukake();
    current.m_dataVersion = 2500;
    WriteMaster(f.masters + "/歩掛データ.soa", current);
    WriteTestFile(f.program + "/AutoVerup.txt",
                  TextFile(Lines("2500", kTodo, kNotNeeded, kNotNeeded, kNotNeeded, kNotNeeded)));
    ScriptedHost host;
    CMasterDataStore store(f.program);
    store.SetMasterDataFolder(own);
    ASSERT_EQ(store.LoadMastersAtStartup(), 1);
    ScriptedMasterDialogs dialogs;
    dialogs.ExpectFolderDialog([&](const MasterFolderRequest& r) -> std::optional<std::string> {
        EXPECT_EQ(r.mode, 2);
        return f.masters;
    });
    host.answers = {IDYES};
    CMasterUpdater(store).RunAutoVerup();
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{kWholeQuestion, kSelectReferenceSet, mastertext::kAlreadyCurrent}));
    EXPECT_EQ(host.messages.back().icon, MsgIcon::Information);
    EXPECT_EQ(store.GetMasterDataFolder(), f.masters);
    EXPECT_EQ(ReadTestFile(f.program + "/AutoVerup.txt"),
              TextFile(Lines("2500", kNotNeeded, kNotNeeded, kNotNeeded, kNotNeeded, kNotNeeded)));
}

TEST(AutoVerup, AMissingMaterialFileStopsItsStepAndKeepsItForLater) {
    UpdateProgram f;
    WriteTestFile(f.program + "/AutoVerup.txt",
                  TextFile(Lines("2500", kNotNeeded, kNotNeeded, kNotNeeded, kNotNeeded, kTodo)));
    ScriptedHost host;
    auto store = f.Start();
    const std::string material = f.data + "/材料単価データ25.zoa";
    ASSERT_EQ(store->GetZairyoTankaPath(), material);
    std::filesystem::remove(material);
    host.answers = {IDYES};
    CMasterUpdater(*store).RunAutoVerup();
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{kZairyoQuestion,
                                        AboutName("材料単価データ25.zoa", mastertext::kZairyoTankaMissingAborted)}));
    EXPECT_EQ(ReadTestFile(f.program + "/AutoVerup.txt"),
              TextFile(Lines("2500", kNotNeeded, kNotNeeded, kNotNeeded, kNotNeeded, kTodo)));
    EXPECT_EQ(store->GetZairyoTankaFile().m_dataVersion, 2400);
    EXPECT_FALSE(std::filesystem::exists(material));
}
