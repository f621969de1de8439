// Test support for the tests of support/: ScriptedHost.
#pragma once
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Host.h"
#include "platform/PlatformTexts.h"

// A host for tests: records every call and answers from queues, so that tests can assert the exact
// texts the core shows. It installs itself on construction and restores the previous host when
// destroyed. A question box without a queued answer fails the test.
class ScriptedHost : public IHost {
public:
    struct Message {
        std::string text;
        std::string caption;
        MsgButtons buttons;
        MsgIcon icon;
        int defaultButton;
    };
    struct ProgressLog {
        std::string caption;
        std::vector<std::string> statuses;
        int lower = 0, upper = 100, step = 10, position = 0;
        int steps = 0;
        int cancelChecks = 0;
        bool hidden = false;
        bool destroyed = false;
    };

    ScriptedHost();
    ~ScriptedHost() override;

    // Queued answers.
    std::deque<int> answers;                                  // message boxes with a choice
    std::deque<std::optional<std::string>> fileAnswers;       // open and save choices (nullopt = cancel)
    std::deque<std::optional<std::string>> folderAnswers;     // folder choices (nullopt = cancel)
    // The progress window reports Cancel on this check (1-based, counted over all windows); 0 = never.
    int cancelOnCheck = 0;
    // Runs where a progress window handles the program's events (at each step and cancel check).
    std::function<void()> onProgressEvents;

    // What happened.
    std::vector<Message> messages;
    std::vector<std::string> fileTitles;
    std::vector<std::string> fileInitialPaths;  // where each open or save choice started
    std::vector<std::string> fileFilters;       // the file types each open or save choice offered
    std::vector<std::string> folderTitles;
    std::vector<std::shared_ptr<ProgressLog>> progress;
    std::map<int, std::vector<std::string>> panes;  // every text each status pane was given
    int waitCursorDepth = 0;
    int waitCursorUses = 0;
    MemorySettings settings;
    std::string appName = platformtext::kAppName;

    // Texts of the messages shown, in order.
    std::vector<std::string> MessageTexts() const;
    // The messages shown with their icons, as one text of LogEntry after LogEntry, for comparing in one piece.
    std::string MessageLog() const;
    static std::string LogEntry(MsgIcon icon, const std::string& text);

    std::string AppName() const override { return appName; }
    int MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons, MsgIcon icon,
                   int defaultButton) override;
    bool ChooseOpenFile(const std::string& title, const std::string& filter, const std::string& initialPath,
                        std::string& chosen) override;
    bool ChooseSaveFile(const std::string& title, const std::string& filter, const std::string& initialPath,
                        std::string& chosen) override;
    bool ChooseFolder(const std::string& title, const std::string& initialPath, std::string& chosen) override;
    std::unique_ptr<IProgress> CreateProgress(const std::string& caption) override;
    void SetStatusPane(int pane, const std::string& text) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    ISettings& Settings() override { return settings; }

    int cancelChecksSoFar = 0;

private:
    IHost* m_previous;
};
