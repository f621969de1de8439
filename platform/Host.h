#pragma once
#include <memory>
#include <string>

#include "platform/Settings.h"

// How the GUI-free core tells or asks the user. The program installs a Qt implementation; tests
// install a scripted one. Message boxes are owned by the main window and carry the application
// name as caption unless a caption is given.

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Exclamation, Stop, Question };

// Answers of a message box.
enum MsgResult : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// A modeless progress window over the main window; the owner is disabled while it is shown.
class IProgress {
public:
    virtual ~IProgress() = default;
    virtual void SetStatus(const std::string& text) = 0;
    virtual void SetRange(int lower, int upper) = 0;
    virtual void SetStep(int step) = 0;
    // Handles pending window events, advances the bar by the step; returns the previous position.
    virtual int StepIt() = 0;
    // Handles pending window events; true once after the user pressed Cancel.
    virtual bool CheckCancelButton() = 0;
    virtual void Hide() = 0;
};

class IHost {
public:
    virtual ~IHost() = default;

    // The application name, used as the caption of message boxes.
    virtual std::string AppName() const = 0;

    // defaultButton: 1 for the first button, 2 for the second, 3 for the third.
    virtual int MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons, MsgIcon icon,
                           int defaultButton) = 0;

    // File and folder choice; false when cancelled. filter is "name (*.ext)|*.ext|…||".
    virtual bool ChooseOpenFile(const std::string& title, const std::string& filter, const std::string& initialPath,
                                std::string& chosen) = 0;
    virtual bool ChooseSaveFile(const std::string& title, const std::string& filter, const std::string& initialPath,
                                std::string& chosen) = 0;
    virtual bool ChooseFolder(const std::string& title, const std::string& initialPath, std::string& chosen) = 0;

    // caption empty: the default caption of the progress window.
    virtual std::unique_ptr<IProgress> CreateProgress(const std::string& caption) = 0;

    // Status bar panes 1 (master-data folder), 2 (unit prices), 3 (material prices).
    virtual void SetStatusPane(int pane, const std::string& text) = 0;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    virtual ISettings& Settings() = 0;
};

// The installed host. Without one, a quiet host answers every question with its cancel button.
IHost& Host();
// Installs a host (null restores the quiet one); returns the one installed before.
IHost* SetHost(IHost* host);

// A message box with the application name as caption; returns the button pressed.
int AfxMessageBox(const std::string& text, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                  int defaultButton = 1);

// Brackets a stretch of work with the wait cursor.
class CWaitCursor {
public:
    CWaitCursor() { Host().BeginWaitCursor(); }
    ~CWaitCursor() { Host().EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
