#pragma once
#include <QIcon>
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <vector>

class QAction;

// The state a command's update rule sets.
struct CCmdUI {
    bool enabled = true;
    bool checked = false;
    // Set by a rule that leaves the command enabled or disabled as it was.
    bool keep = false;
};

// An object that handles commands: a map from command id to a handler and an optional update rule
// (without one the command is enabled whenever the object handles it).
class CCommandTarget {
public:
    using Handler = std::function<void()>;
    using Updater = std::function<void(CCmdUI&)>;

    virtual ~CCommandTarget() = default;

    void OnCommand(int id, Handler handler, Updater update = {});
    bool HandlesCommand(int id) const;
    // Runs the handler; false when this object does not handle the command.
    bool ExecuteCommand(int id);
    // Applies the update rule; false when this object does not handle the command.
    bool UpdateCommand(int id, CCmdUI& ui) const;

private:
    struct Entry {
        Handler handler;
        Updater update;
    };
    std::map<int, Entry> m_commands;
};

// One QAction per command id, shared by menus, toolbars and status-pane double-clicks. A command
// goes to the first object of the route that handles it: the active view (and its document),
// then the main frame, then the application. A command nobody handles is disabled.
class CCommandRegistry : public QObject {
    Q_OBJECT
public:
    using Route = std::function<std::vector<CCommandTarget*>()>;

    explicit CCommandRegistry(QObject* parent = nullptr);

    // The action of a command, made on first use: its menu text (with the mnemonic, without the
    // shortcut), its tool tip (empty: the menu text without mnemonic and "..."), its shortcut and
    // its picture. The status-bar prompt is the plain menu text.
    QAction* Register(int id, const QString& menuText, const QString& toolTip, const QKeySequence& shortcut,
                      const QIcon& icon = QIcon());
    // The same from one text: its "\t" part becomes the shortcut's text, the part after "\n" the
    // tool tip.
    QAction* Register(int id, const QString& text, const QIcon& icon = QIcon(),
                      const QKeySequence& shortcut = QKeySequence());
    QAction* Action(int id) const;
    void SetRoute(Route route) { m_route = std::move(route); }
    // While hold says so, a command dispatched waits, and runs when it no longer holds.
    void SetHold(std::function<bool()> hold) { m_hold = std::move(hold); }

    // Runs the command on the first object of the route that handles it; false when none does,
    // when the command's update rule disables it, or when it waits for the hold to end.
    bool Dispatch(int id);
    // The state of one command as the route decides it.
    CCmdUI State(int id) const;
    // Enables, disables and checks every action.
    void UpdateActions();

private:
    CCommandTarget* Handler(int id) const;

    std::map<int, QAction*> m_actions;
    Route m_route;
    std::function<bool()> m_hold;
};
