// Tests of master/MasterStore.h: the loads of the seven masters from paths that are no master files
// — a named pipe, a device, a file larger than any master.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "ChildProcess.h"
#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "master/MasterFile.h"
#include "master/MasterStore.h"
#include "master/MasterTexts.h"
#include "platform/FileUtil.h"
#include "platform/PlatformTexts.h"
#include "platform/TextUtil.h"

using namespace masterbuild;
namespace fs = std::filesystem;

namespace {

constexpr uint64_t kOversize = uint64_t{65} << 20;  // the limit is 64 MB
constexpr uint64_t kReadBound = uint64_t{1} << 20;  // what a refusal may read at most

// One master of the store: where it lies, its load from there, and its copy in memory.
struct Master {
    const char* name;
    std::function<std::string(const CMasterDataStore&)> path;
    std::function<int(CMasterDataStore&)> load;
    std::function<void(CMasterDataStore&)> fill;  // puts a sample master in memory
    std::function<std::string(CMasterDataStore&)> held;
};

template <class Root>
Master MakeMaster(const char* name, std::string (CMasterDataStore::*path)() const,
                  int (CMasterDataStore::*serialize)(int, Root*, std::string), Root& (CMasterDataStore::*get)(),
                  Root (*sample)()) {
    return {name, [path](const CMasterDataStore& s) { return (s.*path)(); },
            [serialize](CMasterDataStore& s) { return (s.*serialize)(0, nullptr, ""); },
            [get, sample](CMasterDataStore& s) { (s.*get)() = sample(); },
            [get](CMasterDataStore& s) { return StoreMasterBytes((s.*get)()); }};
}

// The seven masters of the store.
const std::vector<Master>& Masters() {
    static const std::vector<Master> masters = {
        MakeMaster("歩掛", &CMasterDataStore::GetBukakePath, &CMasterDataStore::SerializeBukakeFile,
                   &CMasterDataStore::GetBukakeFile, &SampleBukakeFile),
        MakeMaster("変化率", &CMasterDataStore::GetHenkaritsuPath, &CMasterDataStore::SerializeHenkaritsuFile,
                   &CMasterDataStore::GetHenkaritsuFile, &SampleHenkaritsuFile),
        MakeMaster("単価", &CMasterDataStore::GetTankaPath, &CMasterDataStore::SerializeTankaFile,
                   &CMasterDataStore::GetTankaFile, &SampleTankaFile),
        MakeMaster("諸経費", &CMasterDataStore::GetShokeihiPath, &CMasterDataStore::SerializeShokeihiFile,
                   &CMasterDataStore::GetShokeihiFile, &SampleShokeihiFile),
        MakeMaster("プログラム金額", &CMasterDataStore::GetProgramKingakuPath,
                   &CMasterDataStore::SerializeProgramKingakuFile, &CMasterDataStore::GetProgramKingakuFile,
                   &SampleProgramKingakuFile),
        MakeMaster("表紙", &CMasterDataStore::GetHyoshiPath, &CMasterDataStore::SerializeHyoshiFile,
                   &CMasterDataStore::GetHyoshiData, &SampleHyoshiData),
        MakeMaster("材料単価", &CMasterDataStore::GetZairyoTankaPath, &CMasterDataStore::SerializeZairyoTankaFile,
                   &CMasterDataStore::GetZairyoTankaFile, &SampleZairyoTankaFile),
    };
    return masters;
}

// A child's load of one master (argument: the program folder and the master's place in Masters())
// over a sample of it in memory: the result, whether it read without a bound, the messages, and what
// changed in memory.
CHILD_WORK(LoadMasterInChild, argument) {
    const std::vector<std::string> parts = ChildArgumentParts(argument);
    const std::string& root = parts.at(0);
    const Master& master = Masters().at(std::stoul(parts.at(1)));
    ScriptedHost host;
    host.fileAnswers = {std::nullopt};  // the material prices' choice of another file: cancelled
    CMasterDataStore store(root);
    store.SetMasterDataFolder(store.DefaultMasterDataFolder());
    store.SetZairyoTankaPath(store.DefaultZairyoTankaPath());
    master.fill(store);
    const std::string kept = master.held(store);
    const std::optional<uint64_t> readBefore = BytesReadByProcess();
    std::string report = "result " + std::to_string(master.load(store));
    const std::optional<uint64_t> readAfter = BytesReadByProcess();
    if (!readBefore || !readAfter || *readAfter - *readBefore > kReadBound) report += "\nread without a bound";
    report += host.MessageLog();
    if (master.held(store) != kept) report += "\nthe master in memory changed";
    if (store.GetZairyoTankaPath() != store.DefaultZairyoTankaPath()) report += "\nanother material-price file";
    return report;
}

TEST(HostileReads, MasterPathsThatAreNoMasterFilesAreRefusedWithTheirMessage) {
    const std::string notAFile = std::string("\n") + platformtext::kNotARegularFile;
    const std::string tooLarge = "\n" + vemo::FillText(platformtext::kFileTooLarge, {"64"});
    struct Kind {
        const char* what;
        std::function<void(const std::string&)> make;
        std::string after;          // the message after the path
        std::string zairyoAfter;    // the same for the material prices, whose load asks for another file
    };
    const Kind kinds[] = {
        {"a named pipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
         mastertext::kMasterMissingCannotRun + notAFile, mastertext::kZairyoTankaMissingChoose},
        {"a device", [](const std::string& p) { fs::create_symlink("/dev/zero", p); },
         mastertext::kMasterMissingCannotRun + notAFile, mastertext::kZairyoTankaMissingChoose},
        {"a file larger than any master",
         [](const std::string& p) { WriteSparseTestFile(p, "\x24", kOversize); },
         mastertext::kFileUnreadable + tooLarge, mastertext::kFileUnreadable + tooLarge},
    };
    for (size_t m = 0; m < Masters().size(); ++m) {
        const Master& master = Masters()[m];
        for (const Kind& kind : kinds) {
            SCOPED_TRACE(std::string(master.name) + ": " + kind.what);
            TempFolder root;
            CMasterDataStore paths(root.Path());
            paths.SetMasterDataFolder(paths.DefaultMasterDataFolder());
            paths.SetZairyoTankaPath(paths.DefaultZairyoTankaPath());
            const std::string path = master.path(paths);
            fs::create_directories(vemo::ParentFolder(path));
            kind.make(path);
            const auto before = SnapshotOf(root.Path());
            const ChildOutcome child = RunInChild(&LoadMasterInChild, ChildArguments({root.Path(), std::to_string(m)}));
            const bool zairyo = std::string(master.name) == "材料単価";
            EXPECT_EQ(child.report,
                      "result 0" + ScriptedHost::LogEntry(MsgIcon::Exclamation,
                                                          path + (zairyo ? kind.zairyoAfter : kind.after)))
                << child.how;
            EXPECT_EQ(SnapshotOf(root.Path()), before);
        }
    }
}

}  // namespace
