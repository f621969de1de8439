#include "platform/Host.h"

#include "platform/PlatformTexts.h"

namespace {

class QuietProgress : public IProgress {
public:
    void SetStatus(const std::string&) override {}
    void SetRange(int lower, int) override { m_pos = lower; }
    void SetStep(int step) override { m_step = step; }
    int StepIt() override {
        int previous = m_pos;
        m_pos += m_step;
        return previous;
    }
    bool CheckCancelButton() override { return false; }
    void Hide() override {}

private:
    int m_pos = 0;
    int m_step = 10;
};

// Used when no host is installed (tools without a user): questions get their cancelling answer.
class QuietHost : public IHost {
public:
    std::string AppName() const override { return platformtext::kAppName; }
    int MessageBox(const std::string&, const std::string&, MsgButtons buttons, MsgIcon, int) override {
        switch (buttons) {
            case MsgButtons::Ok: return IDOK;
            case MsgButtons::YesNo: return IDNO;
            default: return IDCANCEL;
        }
    }
    bool ChooseOpenFile(const std::string&, const std::string&, const std::string&, std::string&) override {
        return false;
    }
    bool ChooseSaveFile(const std::string&, const std::string&, const std::string&, std::string&) override {
        return false;
    }
    bool ChooseFolder(const std::string&, const std::string&, std::string&) override { return false; }
    std::unique_ptr<IProgress> CreateProgress(const std::string&) override {
        return std::make_unique<QuietProgress>();
    }
    void SetStatusPane(int, const std::string&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    ISettings& Settings() override { return m_settings; }

private:
    MemorySettings m_settings;
};

QuietHost& Quiet() {
    static QuietHost host;
    return host;
}

IHost* g_host = nullptr;

}  // namespace

IHost& Host() { return g_host ? *g_host : Quiet(); }

IHost* SetHost(IHost* host) {
    IHost* previous = g_host;
    g_host = host;
    return previous;
}

int AfxMessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon, int defaultButton) {
    IHost& host = Host();
    return host.MessageBox(text, host.AppName(), buttons, icon, defaultButton);
}
