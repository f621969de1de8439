// Tests of app/VemoWinView.cpp (the estimate's material prices on activation) and
// masteredit/ZairyoTankaSettingDlg.cpp (the title of a chosen file): material-price paths that are
// no material-price files — a named pipe, a device, a file larger than any master.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <functional>

#include "AppProgramFolder.h"
#include "AppTestEnvironment.h"
#include "ChildProcess.h"
#include "EstimateBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "app/ViewTexts.h"
#include "estimate/VemoWinDocData.h"
#include "masteredit/ZairyoTankaSettingDlg.h"
#include "platform/PlatformTexts.h"
#include "platform/TextUtil.h"

namespace fs = std::filesystem;

namespace {

constexpr uint64_t kOversize = uint64_t{65} << 20;  // the limit is 64 MB

// A child's start of the program that then meets a material-price file (argument: the settings
// folder, the program folder, the file, the file in use, the estimate naming the file, and "dialog"
// when the file is chosen in the setting dialog rather than named by the estimate): the messages,
// what the dialog showed or what the estimate names, and the prices in use when they changed.
CHILD_WORK(StartAndMeetTheMaterialPrices, argument) {
    const std::vector<std::string> parts = ChildArgumentParts(argument);
    const std::string &path = parts.at(2), &inUse = parts.at(3), &estimate = parts.at(4);
    AppStartScope start(QString::fromStdString(parts.at(0)));
    CVemoWinApp app({}, parts.at(1));
    ScriptedHost host;
    if (!app.InitInstance()) return "the program did not start" + host.MessageLog();
    host.messages.clear();
    std::string report;
    if (parts.at(5) == "dialog") {
        ScriptedDialogs dialogs;
        host.fileAnswers = {path};
        dialogs.Expect<CZairyoTankaSettingDlg>([&](CZairyoTankaSettingDlg& d) {
            d.findChild<QPushButton*>("browse")->click();
            report += "\nshown " + d.findChild<QLabel*>("path")->text().toStdString() + " " +
                      d.findChild<QLabel*>("title")->text().toStdString();
            return IDOK;
        });
        dialogs.Expect<CZairyoTankaSettingDlg>(IDCANCEL);
        app.SelectZairyoTankaFile();
        report = host.MessageLog() + report + "\ndialogs " + std::to_string(dialogs.classes.size());
    } else {
        CVemoWinDoc* doc = app.OpenDocumentFile(estimate);
        if (!doc) return "the estimate did not open" + host.MessageLog();
        report = host.MessageLog() + "\nnames " + doc->GetItemList()->m_strZairyoFile + (doc->IsModified() ? "\nmodified" : "");
    }
    // The prices in use stay as they were.
    if (app.Store().GetZairyoTankaPath() != inUse) report += "\nin use " + app.Store().GetZairyoTankaPath();
    if (app.Store().GetZairyoTankaFile().m_title != "材料単価 令和7年度")
        report += "\nprices " + app.Store().GetZairyoTankaFile().m_title;
    app.ExitInstance();
    return report;
}

TEST(HostileReads, MaterialPricePathsThatAreNoMaterialPriceFilesAreRefusedWithTheirMessage) {
    AppProgramFolder program;
    const std::string path = program.data + "/材料単価データ他.zoa";
    const std::string inUse = program.data + "/材料単価データ25.zoa";
    const std::string estimate = program.root / "見積.sei";
    const std::string unreadable = path + mastertext::kFileUnreadable + "\n" +
                                   vemo::FillText(platformtext::kFileTooLarge, {"64"});
    const auto pipe = [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); };
    const auto device = [](const std::string& p) { fs::create_symlink("/dev/zero", p); };
    const auto oversized = [](const std::string& p) { WriteSparseTestFile(p, "\x24", kOversize); };
    // Named by an estimate, a file that does not open as a regular file is replaced by the file in
    // use, and so is one that does not load, after the load has said why. Chosen in the setting
    // dialog, a file that cannot be read leaves the title shown, and OK on it opens the dialog again.
    const auto exclamation = [](const std::string& text) { return ScriptedHost::LogEntry(MsgIcon::Exclamation, text); };
    const std::string switched = "\nnames " + inUse + "\nmodified";
    const std::string titleKept = "\nshown " + path + " 材料単価 令和7年度\ndialogs 2";
    const struct {
        const char* what;
        std::function<void(const std::string&)> make;
        bool viaDialog;  // chosen in the material-price setting dialog rather than named by an estimate
        std::string expected;
    } rows[] = {
        {"an estimate naming a named pipe", pipe, false,
         exclamation(vemo::view::MsgZairyoFileMissing(path, inUse)) + switched},
        {"an estimate naming a device", device, false, exclamation(vemo::view::MsgZairyoFileMissing(path, inUse)) + switched},
        {"an estimate naming a file larger than any master", oversized, false,
         exclamation(unreadable) + exclamation(vemo::view::MsgZairyoFileUnreadable(path)) + switched},
        {"a named pipe chosen in the setting dialog", pipe, true, titleKept},
        {"a device chosen in the setting dialog", device, true, titleKept},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        AppStartScope start;
        fs::remove(path);
        row.make(path);
        CVemoWinDocData written;
        CSekisanItemList* list = written.GetItemList();
        list->m_strMasterFolder = program.masters;
        list->m_strZairyoFile = path;
        estimate_test::ItemListBuilder(*list).Gyomu(2, "設計業務").Koshu(300, "詳細設計");
        ASSERT_EQ(written.SaveFile(estimate), 1);
        const auto before = SnapshotOf(program.root.Path());
        const ChildOutcome child =
            RunInChild(&StartAndMeetTheMaterialPrices,
                       ChildArguments({SettingsFolder().toStdString(), program.root.Path(), path, inUse, estimate,
                                       row.viaDialog ? "dialog" : "estimate"}));
        EXPECT_EQ(child.report, row.expected) << child.how;
        // Every file is whole, and the edit locks the run took are gone again.
        EXPECT_EQ(SnapshotOf(program.root.Path()), before);
    }
}

}  // namespace
