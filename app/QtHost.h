#pragma once
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "platform/Host.h"

class QMessageBox;
class QWidget;
class CQtSettings;

// The host of the running program: message boxes with the application name as caption, Qt file and
// folder dialogs (both owned by the window the user works in), the progress window over the main
// window, the status panes of the main window, the wait cursor and the QSettings profile.
class CQtHost : public IHost {
public:
    explicit CQtHost(CQtSettings& settings);
    ~CQtHost() override;

    // The main window: it owns the progress windows, and message boxes and file dialogs while no other
    // window of the program is in front.
    void SetOwner(QWidget* owner) { m_owner = owner; }
    QWidget* Owner() const { return m_owner; }
    // What owns a message box or a file dialog: the modal dialog running, else the program's active
    // window (a print preview, say, which then stays in front when the dialog closes), else the main
    // window.
    QWidget* DialogOwner() const;
    // Where status pane texts go (pane number, text).
    void SetStatusSink(std::function<void(int, const QString&)> sink) { m_statusSink = std::move(sink); }

    std::string AppName() const override;
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
    ISettings& Settings() override;

    // The message box MessageBox shows, built but not run: caption, icon, buttons in order and
    // the default button as asked.
    std::unique_ptr<QMessageBox> BuildMessageBox(const std::string& text, const std::string& caption,
                                                 MsgButtons buttons, MsgIcon icon, int defaultButton) const;

private:
    CQtSettings& m_settings;
    QPointer<QWidget> m_owner;
    std::function<void(int, const QString&)> m_statusSink;
    int m_waitDepth = 0;
};

// A filter "name (*.ext)|*.ext|…||" as Qt file dialogs take it: "name (*.ext)" entries. The
// pattern "*.*" stands for every file, as "*" does in Qt.
QStringList QtFilterList(const std::string& filter);
// The extension of the first pattern of a filter ("sei" for "… |*.sei|…"), "" when it has none.
QString FirstFilterSuffix(const std::string& filter);
