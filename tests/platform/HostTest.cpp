// Tests of platform/Host.h.
#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include "ScriptedHost.h"
#include "platform/Host.h"
#include "platform/PlatformTexts.h"

TEST(Host, QuietHostAnswersWithCancel) {
    EXPECT_EQ(Host().AppName(), platformtext::kAppName);
    EXPECT_EQ(AfxMessageBox("x", MsgButtons::YesNo, MsgIcon::Question), IDNO);
    EXPECT_EQ(AfxMessageBox("x", MsgButtons::YesNoCancel), IDCANCEL);
    EXPECT_EQ(AfxMessageBox("x"), IDOK);
    std::string chosen = "kept";
    EXPECT_FALSE(Host().ChooseFolder("t", "", chosen));
    EXPECT_EQ(chosen, "kept");
}

TEST(Host, ScriptedHostRecordsAndAnswers) {
    IHost* before = &Host();
    {
        ScriptedHost host;
        EXPECT_EQ(&Host(), &host);
        host.answers = {IDYES, IDNO};
        EXPECT_EQ(AfxMessageBox("情報", MsgButtons::Ok, MsgIcon::Information), IDOK);
        EXPECT_EQ(AfxMessageBox("質問1", MsgButtons::YesNo, MsgIcon::Question, 2), IDYES);
        EXPECT_EQ(AfxMessageBox("質問2", MsgButtons::YesNo, MsgIcon::Question), IDNO);
        ASSERT_EQ(host.messages.size(), 3u);
        EXPECT_EQ(host.messages[1].caption, "Vemo Ovra 農林版");
        EXPECT_EQ(host.messages[1].defaultButton, 2);
        EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
        EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{"情報", "質問1", "質問2"}));

        host.folderAnswers = {std::string("/tmp/x"), std::nullopt};
        std::string chosen;
        EXPECT_TRUE(Host().ChooseFolder("フォルダ", "", chosen));
        EXPECT_EQ(chosen, "/tmp/x");
        EXPECT_FALSE(Host().ChooseFolder("フォルダ", "", chosen));

        host.cancelOnCheck = 2;
        auto progress = Host().CreateProgress("更新");
        progress->SetRange(0, 100);
        progress->SetStep(10);
        EXPECT_EQ(progress->StepIt(), 0);
        EXPECT_EQ(progress->StepIt(), 10);
        EXPECT_FALSE(progress->CheckCancelButton());
        EXPECT_TRUE(progress->CheckCancelButton());
        progress.reset();
        ASSERT_EQ(host.progress.size(), 1u);
        EXPECT_TRUE(host.progress[0]->destroyed);
        EXPECT_EQ(host.progress[0]->steps, 2);

        {
            CWaitCursor wait;
            EXPECT_EQ(host.waitCursorDepth, 1);
        }
        EXPECT_EQ(host.waitCursorDepth, 0);
        Host().SetStatusPane(1, "参考マスター25");
        EXPECT_EQ(host.panes[1].back(), "参考マスター25");
    }
    EXPECT_EQ(&Host(), before);
}

TEST(Host, UnscriptedQuestionFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedHost host;
            AfxMessageBox("削除しますか？", MsgButtons::YesNo, MsgIcon::Question);
        },
        "unexpected question");
}
