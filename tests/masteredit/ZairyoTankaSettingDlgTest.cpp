// The material-price setting dialog: the path and title it shows, and 参照... choosing another file.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "dialogkit/Tx.h"
#include "master/MasterFile.h"
#include "masteredit/ZairyoTankaSettingDlg.h"

using namespace masterbuild;

namespace {

std::string WriteZairyo(const std::string& path, const std::string& title) {
    CZairyoTankaFile file;
    file.m_title = title;
    AddZairyoItem(file, 1000, 0, "砂", 100);
    WriteTestFile(path, StoreMasterBytes(file));
    return path;
}

}  // namespace

TEST(ZairyoTankaSettingDialog, ShowsThePathAndTitleOfTheChosenFile) {
    TempFolder folder;
    const std::string first = WriteZairyo(folder / "a.zoa", "令和7年度 材料単価");
    const std::string second = WriteZairyo(folder / "b.zoa", "独自単価");
    const std::string missing = folder / "none.zoa";
    struct Case {
        const char* what;
        std::optional<std::string> choice;  // answer to 参照...; nullopt: cancelled
        std::string path, title;            // shown afterwards
    };
    const Case cases[] = {
        {"another file", second, second, "独自単価"},
        {"cancelled", std::nullopt, first, "令和7年度 材料単価"},
        // A file that cannot be read keeps the old title, without a message.
        {"a missing file", missing, missing, "令和7年度 材料単価"},
    };
    for (const Case& c : cases) {
        ScriptedHost host;
        host.fileAnswers = {c.choice};
        ScriptedDialogs dialogs;
        dialogs.Expect<CZairyoTankaSettingDlg>([&](CZairyoTankaSettingDlg& d) {
            EXPECT_EQ(d.windowTitle(), Tx("材料単価設定"));
            EXPECT_EQ(d.findChild<QLabel*>("path")->text().toStdString(), first);
            EXPECT_EQ(d.findChild<QLabel*>("title")->text(), Tx("令和7年度 材料単価"));
            QPushButton* browse = d.findChild<QPushButton*>("browse");
            EXPECT_EQ(browse->text(), Tx("参照..."));
            browse->click();
            EXPECT_EQ(d.findChild<QLabel*>("path")->text().toStdString(), c.path) << c.what;
            EXPECT_EQ(d.findChild<QLabel*>("title")->text().toStdString(), c.title) << c.what;
            return IDOK;
        });
        CZairyoTankaSettingDlg dialog;
        dialog.SetPath(first);
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.GetPath(), c.path) << c.what;
        EXPECT_EQ(dialog.GetTitle(), c.title) << c.what;
        EXPECT_EQ(host.fileTitles, std::vector<std::string>{"開く－材料単価の選択"}) << c.what;
        EXPECT_EQ(host.fileInitialPaths, std::vector<std::string>{first}) << c.what;
        EXPECT_TRUE(host.messages.empty()) << c.what;
    }
}
