#pragma once
#include <algorithm>
#include <memory>
#include <string>

#include "master/MasterMerge.h"
#include "master/MasterTexts.h"
#include "platform/Host.h"

// Shared by the update, import and check commands of the masters.

// "…が見つかりません。…" for a file a command needs.
inline void ReportMissingFile(const std::string& path) {
    AfxMessageBox(path + mastertext::kFileMissing, MsgButtons::Ok, MsgIcon::Exclamation);
}

// Puts a finished master in place of the application's and saves it; when the save fails the
// previous master comes back, so memory keeps matching the file. save returns true on success.
template <class Root, class SaveFn>
bool InstallAndSave(Root& target, Root& finished, SaveFn save) {
    Root previous = std::move(target);
    target = std::move(finished);
    if (save()) return true;
    target = std::move(previous);
    return false;
}

// The progress window of the master updates, imports and the consistency check: a bar over
// 1..max(count, 2) advanced by one per step, with its Cancel button tested before each step.
class CMasterProgress {
public:
    CMasterProgress(const std::string& status, int count) : m_window(Host().CreateProgress("")) {
        m_window->SetStatus(status);
        m_window->SetRange(1, std::max(count, 2));
        m_window->SetStep(1);
    }

    void SetStatus(const std::string& status) { m_window->SetStatus(status); }

    // false when the user pressed Cancel (the bar is then left where it was).
    bool Step() {
        if (m_window->CheckCancelButton()) return false;
        m_window->StepIt();
        return true;
    }

    MergeStep Stepper() {
        return [this] { return Step(); };
    }

    void Hide() { m_window->Hide(); }

private:
    std::unique_ptr<IProgress> m_window;
};
