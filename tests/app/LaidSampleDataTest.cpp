// Tests of the laying of the sample data beside a program (scripts/LaySampleData.cmake, which ./run
// and `cmake --install` run): a program folder laid anywhere starts and opens each sample estimate
// without a question, a warning or a dialog, and finds its print forms.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "AppTestEnvironment.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "estimate/SekisanItemList.h"
#include "platform/FileUtil.h"

namespace fs = std::filesystem;

namespace {

TEST(LaidSampleData, EachSampleOpensWithoutAQuestionWhereverTheProgramIsLaid) {
    AppStartScope start;
    // The check of the install runs this test over the installed program's folder; otherwise the
    // sample data is laid here into a fresh folder, as ./run lays it.
    TempFolder laid;
    const char* installed = std::getenv("VEMO_INSTALLED_PROGRAM_DIR");
    const std::string program = installed ? installed : laid.Path();
    if (!installed) {
        const std::string lay = std::string("'") + VEMO_CMAKE_COMMAND + "' -DVEMO_PROGRAM_DIR='" + program +
                                "' -P '" + VEMO_LAY_SAMPLE_DATA + "' > '" + (laid / "lay.log") + "' 2>&1";
        ASSERT_EQ(std::system(lay.c_str()), 0) << ReadTestFile(laid / "lay.log");
    }

    CVemoWinApp app({}, program);
    ScriptedHost host;       // fails on a question nobody answers
    ScriptedDialogs dialogs;  // fails on any dialog
    ASSERT_TRUE(app.InitInstance());
    std::vector<std::string> samples;
    for (const auto& entry : fs::directory_iterator(program + "/サンプル")) samples.push_back(entry.path().string());
    EXPECT_EQ(samples.size(), 5u);
    for (const std::string& sample : samples) {
        SCOPED_TRACE(sample);
        CVemoWinDoc* doc = app.OpenDocumentFile(sample);
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(doc->GetItemList()->m_strMasterFolder, app.Store().GetMasterDataFolder());
        EXPECT_EQ(doc->GetItemList()->m_strZairyoFile, app.Store().GetZairyoTankaPath());
    }
    EXPECT_EQ(app.Store().GetMasterDataFolder(), program + "/データ格納/参考マスター25");
    EXPECT_EQ(app.Store().GetZairyoTankaPath(), program + "/データ格納/材料単価データ25.zoa");
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{});
    EXPECT_TRUE(host.fileTitles.empty());
    EXPECT_TRUE(dialogs.classes.empty());
    // The print forms the program lists are there to print with.
    ASSERT_FALSE(app.Settings().formList.empty());
    for (const std::string& form : app.Settings().formList) EXPECT_TRUE(vemo::FileExists(form)) << form;
    app.ExitInstance();
}

}  // namespace
