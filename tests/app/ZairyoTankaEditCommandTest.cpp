// The launcher of the material-price file editor (CVemoWinApp::OnZairyoTankaEdit, command 32820) in the
// running application: it reloads the program-wide material prices whenever the editor wrote their
// file, and Cancel or No leave memory and file as they were.
#include <gtest/gtest.h>

#include <QPushButton>

#include "RunningAppTest.h"
#include "ScriptedDialogs.h"
#include "app/CommandIds.h"
#include "dialogkit/SpreadSheet.h"
#include "master/MasterFile.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/ZairyoTankaEditDlg.h"
#include "platform/FileUtil.h"

namespace {

// The program-wide material prices in memory and on disk.
struct Snapshot {
    std::string memory, file;
    bool marked;
    explicit Snapshot(CMasterDataStore& s)
        : memory(StoreMasterBytes(CZairyoTankaFile(s.GetZairyoTankaFile()))),
          file(ReadTestFile(s.GetZairyoTankaPath())),
          marked(vemo::IsReadOnlyMarked(s.GetZairyoTankaPath())) {}
    bool operator==(const Snapshot&) const = default;
};

class ZairyoTankaEditCommand : public RunningAppTest {
protected:
    // Runs the command; in the editor the first item is renamed and then act closes it.
    void Run(std::function<int(CZairyoTankaEditDlg&)> act) {
        ScriptedDialogs dialogs;
        dialogs.Expect<CZairyoTankaEditDlg>([&](CZairyoTankaEditDlg& d) {
            EXPECT_EQ(d.GetPath(), Store().GetZairyoTankaPath());
            auto* grid = d.findChild<CSpreadSheet*>("grid");
            grid->SetCellText(1, 1, QStringLiteral("改名した品名"));
            emit grid->Change(1, 1);
            return act(d);
        });
        EXPECT_TRUE(app->Commands().Dispatch(cmd::ZairyoTankaEdit));
    }
};

}  // namespace

TEST_F(ZairyoTankaEditCommand, CancelAndNoLeaveMemoryAndFileAsTheyWere) {
    for (int close : {IDCANCEL, IDOK}) {
        const Snapshot before(Store());
        host->messages.clear();
        if (close == IDOK) host->answers = {IDNO};
        Run([close](CZairyoTankaEditDlg&) { return close; });
        EXPECT_TRUE(Snapshot(Store()) == before) << close;
        EXPECT_EQ(host->MessageTexts(), close == IDOK ? std::vector<std::string>{masteredittext::kAskSaveZairyoTanka}
                                                      : std::vector<std::string>{})
            << close;
    }
}

TEST_F(ZairyoTankaEditCommand, WhatTheEditorWroteIsLoadedAgain) {
    struct Case {
        const char* what;
        std::function<int(CZairyoTankaEditDlg&)> act;
    };
    const Case cases[] = {
        {"saved by OK", [this](CZairyoTankaEditDlg&) {
             host->answers = {IDYES};
             return IDOK;
         }},
        // Saved before 材料単価を開く..., whose file choice is then cancelled, and the editor cancelled.
        {"saved, then cancelled", [this](CZairyoTankaEditDlg& d) {
             host->answers = {IDYES};
             host->fileAnswers = {std::nullopt};
             d.findChild<QPushButton*>("open")->click();
             return IDCANCEL;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host->messages.clear();
        Run(c.act);
        const std::string path = Store().GetZairyoTankaPath();
        EXPECT_EQ(Store().GetZairyoTankaFile().GetItem(0)->m_name, "改名した品名");
        EXPECT_EQ(StoreMasterBytes(CZairyoTankaFile(Store().GetZairyoTankaFile())), ReadTestFile(path));
        EXPECT_TRUE(vemo::IsReadOnlyMarked(path));
        EXPECT_EQ(Store().GetLockOwner(CMasterDataStore::kLockZairyoTanka), 1);
        ASSERT_FALSE(host->messages.empty());
        EXPECT_EQ(host->messages.back().text, masteredittext::kRecalcAfterZairyoTankaEdit);
        EXPECT_EQ(host->messages.back().icon, MsgIcon::Exclamation);
        EXPECT_EQ(host->panes[3].back(), Store().GetZairyoTankaFile().m_title);
        // Back to the original name for the next case.
        Store().GetZairyoTankaFile().GetItem(0)->m_name = "元の品名";
        ASSERT_EQ(Store().SerializeZairyoTankaFile(1, nullptr, ""), 1);
    }
}
