// Test support for the tests of support/: ScriptedHost.
#include "ScriptedHost.h"

#include <gtest/gtest.h>

namespace {

class ScriptedProgress : public IProgress {
public:
    ScriptedProgress(ScriptedHost& host, std::shared_ptr<ScriptedHost::ProgressLog> log)
        : m_host(host), m_log(std::move(log)) {}
    ~ScriptedProgress() override { m_log->destroyed = true; }
    void SetStatus(const std::string& text) override { m_log->statuses.push_back(text); }
    void SetRange(int lower, int upper) override {
        m_log->lower = lower;
        m_log->upper = upper;
        m_log->position = lower;
    }
    void SetStep(int step) override { m_log->step = step; }
    int StepIt() override {
        if (m_host.onProgressEvents) m_host.onProgressEvents();
        int previous = m_log->position;
        m_log->position += m_log->step;
        if (m_log->position > m_log->upper) m_log->position = m_log->lower + (m_log->position - m_log->upper);
        ++m_log->steps;
        return previous;
    }
    bool CheckCancelButton() override {
        if (m_host.onProgressEvents) m_host.onProgressEvents();
        ++m_log->cancelChecks;
        ++m_host.cancelChecksSoFar;
        return m_host.cancelOnCheck > 0 && m_host.cancelChecksSoFar == m_host.cancelOnCheck;
    }
    void Hide() override { m_log->hidden = true; }

private:
    ScriptedHost& m_host;
    std::shared_ptr<ScriptedHost::ProgressLog> m_log;
};

}  // namespace

ScriptedHost::ScriptedHost() : m_previous(SetHost(this)) {}

ScriptedHost::~ScriptedHost() { SetHost(m_previous); }

std::vector<std::string> ScriptedHost::MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages) texts.push_back(m.text);
    return texts;
}

std::string ScriptedHost::MessageLog() const {
    std::string log;
    for (const auto& m : messages) log += LogEntry(m.icon, m.text);
    return log;
}

std::string ScriptedHost::LogEntry(MsgIcon icon, const std::string& text) {
    return "\nmessage " + std::to_string(static_cast<int>(icon)) + " " + text;
}

int ScriptedHost::MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons, MsgIcon icon,
                             int defaultButton) {
    messages.push_back({text, caption, buttons, icon, defaultButton});
    if (buttons == MsgButtons::Ok) return IDOK;  // nothing to choose: no answer is taken
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text;
        return buttons == MsgButtons::YesNo ? IDNO : IDCANCEL;
    }
    int answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedHost::ChooseOpenFile(const std::string& title, const std::string& filter, const std::string& initialPath,
                                  std::string& chosen) {
    fileTitles.push_back(title);
    fileFilters.push_back(filter);
    fileInitialPaths.push_back(initialPath);
    if (fileAnswers.empty()) {
        ADD_FAILURE() << "unexpected file choice: " << title;
        return false;
    }
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    if (!answer) return false;
    chosen = *answer;
    return true;
}

bool ScriptedHost::ChooseSaveFile(const std::string& title, const std::string& filter,
                                  const std::string& initialPath, std::string& chosen) {
    return ChooseOpenFile(title, filter, initialPath, chosen);
}

bool ScriptedHost::ChooseFolder(const std::string& title, const std::string&, std::string& chosen) {
    folderTitles.push_back(title);
    if (folderAnswers.empty()) {
        ADD_FAILURE() << "unexpected folder choice: " << title;
        return false;
    }
    auto answer = folderAnswers.front();
    folderAnswers.pop_front();
    if (!answer) return false;
    chosen = *answer;
    return true;
}

std::unique_ptr<IProgress> ScriptedHost::CreateProgress(const std::string& caption) {
    auto log = std::make_shared<ProgressLog>();
    log->caption = caption;
    progress.push_back(log);
    return std::make_unique<ScriptedProgress>(*this, log);
}

void ScriptedHost::SetStatusPane(int pane, const std::string& text) { panes[pane].push_back(text); }

void ScriptedHost::BeginWaitCursor() {
    ++waitCursorDepth;
    ++waitCursorUses;
}

void ScriptedHost::EndWaitCursor() { --waitCursorDepth; }
