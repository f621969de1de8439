// Tests of estimate/VemoWinDocData.h: estimate paths that are no estimate files — a named pipe, a
// device, a file larger than any estimate — a save over a read-only estimate, and a save through a
// link to a shared estimate.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "ChildProcess.h"
#include "EstimateBuilders.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "estimate/VemoWinDocData.h"
#include "platform/PlatformTexts.h"
#include "platform/TextUtil.h"

using namespace estimate_test;

namespace {

constexpr uint64_t kOversize = uint64_t{65} << 20;  // the limit is 64 MB
constexpr uint64_t kReadBound = uint64_t{1} << 20;  // what a refusal may read at most

// A child's open of the estimate at a path, or save of another estimate over it (argument: the path,
// "save" or "open", and where a save should land, if it should): the result, the messages, and what
// went wrong besides.
CHILD_WORK(OpenOrSaveAnotherEstimate, argument) {
    const std::vector<std::string> parts = ChildArgumentParts(argument);
    const std::string &path = parts.at(0), &savedAt = parts.at(2);
    ScriptedHost host;
    CVemoWinDocData doc;
    ItemListBuilder(*doc.GetItemList()).Gyomu(3, "地質調査業務").Koshu(30).Shubetsu(1);
    const std::string kept = doc.StoreBytes();
    const std::optional<uint64_t> readBefore = BytesReadByProcess();
    const int result = parts.at(1) == "save" ? doc.SaveFile(path) : doc.LoadFile(path);
    const std::optional<uint64_t> readAfter = BytesReadByProcess();
    std::string report = "result " + std::to_string(result) + host.MessageLog();
    if (doc.StoreBytes() != kept) report += "\nthe estimate changed";
    if (!savedAt.empty() && ReadTestFile(savedAt) != kept) report += "\nnot saved where the link points";
    if (!readBefore || !readAfter || *readAfter - *readBefore > kReadBound) report += "\nread without a bound";
    return report;
}

TEST(HostileReads, EstimatePathsAreRefusedWithTheirMessageOrSavedWhereTheyPoint) {
    TempFolder folder;
    CVemoWinDocData written;
    ItemListBuilder(*written.GetItemList()).Gyomu(2, "設計業務").Koshu(300, "詳細設計");
    const std::string good = written.StoreBytes();
    const std::string tooLarge = vemo::FillText(platformtext::kFileTooLarge, {"64"});
    struct Row {
        const char* what;
        std::string path;
        std::function<void(const std::string&)> make;
        bool save;            // saved over rather than opened
        std::string message;  // the one message shown; none when the save succeeds
        std::string savedAt = {};  // the file that then holds the save; nothing else changes
    };
    const Row rows[] = {
        {"a named pipe", folder / "管.sei", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
         false, MsgCannotOpenSekisanFile(folder / "管.sei", platformtext::kNotARegularFile)},
        {"a device", "/dev/zero", nullptr, false, MsgCannotOpenSekisanFile("/dev/zero", platformtext::kNotARegularFile)},
        {"a link to a device", folder / "零.sei",
         [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); }, false,
         MsgCannotOpenSekisanFile(folder / "零.sei", platformtext::kNotARegularFile)},
        {"a file larger than any estimate", folder / "大.sei",
         [&](const std::string& p) { WriteSparseTestFile(p, good, kOversize); }, false,
         MsgCannotOpenSekisanFile(folder / "大.sei", tooLarge)},
        {"a read-only estimate saved over", folder / "読取専用.sei",
         [&](const std::string& p) {
             WriteTestFile(p, good);
             ASSERT_EQ(::chmod(p.c_str(), 0444), 0);
         },
         true, MsgReadOnlySekisanFile(folder / "読取専用.sei")},
        {"a link to a shared estimate saved", folder / "link.sei",
         [&](const std::string& p) {
             WriteTestFile(folder / "共有/見積.sei", good);
             std::filesystem::create_symlink("共有/見積.sei", p);
         },
         true, "", folder / "共有/見積.sei"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.make) row.make(row.path);
        const auto before = SnapshotOf(folder.Path());
        const ChildOutcome child =
            RunInChild(&OpenOrSaveAnotherEstimate, ChildArguments({row.path, row.save ? "save" : "open", row.savedAt}));
        EXPECT_EQ(child.report, row.message.empty() ? "result 1"
                                                    : "result 0" + ScriptedHost::LogEntry(MsgIcon::Exclamation, row.message))
            << child.how;
        // Nothing else in the folder changed: the files are whole, a link stays a link, no temporary file is left.
        auto after = SnapshotOf(folder.Path());
        if (!row.savedAt.empty()) after[row.savedAt] = before.at(row.savedAt);
        EXPECT_EQ(after, before);
    }
}

}  // namespace
