#pragma once
#include <QIcon>
#include <functional>
#include <span>

class CCommandRegistry;
class QAction;
class QMenu;
class QToolBar;
class QWidget;

// The places that show commands: the menus of the menu bar, the sub-menu of master-data
// maintenance, the two toolbars and the estimate view's popup menu. A command's row names its
// places as a set of these bits.
enum CommandPlace : unsigned {
    kFileMenu = 1u << 0,
    kEditMenu = 1u << 1,
    kViewMenu = 1u << 2,
    kMasterMenu = 1u << 3,
    kMasterUpdateMenu = 1u << 4,  // sub-menu "マスター データの更新" of the マスター menu
    kSettingsMenu = 1u << 5,
    kWindowMenu = 1u << 6,
    kHelpMenu = 1u << 7,
    kMainToolBar = 1u << 8,
    kWorkToolBar = 1u << 9,
    kViewPopup = 1u << 10,  // the estimate view's right-click menu
};

// One command: everything the menus, toolbars, popup menus and status panes show of it. Who
// handles it is not here: handlers are registered by their targets (CCommandTarget::OnCommand).
struct CommandInfo {
    int id;                // its cmd:: constant
    const char* name;      // that constant's name
    const char* menuText;  // with the mnemonic, without the shortcut; "" when no menu names it
    const char* toolTip;   // short name of a toolbar button; "" = the menu text without mnemonic and "..."
    const char* shortcut;  // key in portable text ("Ctrl+N"), "" for none
    int image;             // picture in the main toolbar's strip, -1 for none
    unsigned places;       // CommandPlace bits
    int statusPane;        // status pane (1 to 3) whose double-click runs it, 0 for none
    bool checkable;        // shows a check mark (its update rule sets it)
};

// One entry of a menu, toolbar or popup menu, in order.
struct CommandLayoutItem {
    enum Kind : unsigned char {
        Command,          // id, with text replacing the command's menu text in this place when given
        Separator,
        SubMenu,          // the menu of place subMenu
        RecentSeparator,  // the separator before the recent files, shown while there are any
    };
    Kind kind;
    int id = 0;
    unsigned subMenu = 0;
    const char* text = nullptr;
};

// A menu, toolbar or popup menu with its entries.
struct CommandBar {
    enum Kind : unsigned char { MenuBarMenu, SubMenu, ToolBar, Popup };
    unsigned place;  // one CommandPlace
    Kind kind;
    const char* title;
    std::span<const CommandLayoutItem> items;
};

// Every command, in id order.
std::span<const CommandInfo> CommandTable();
// The row of a command; null for an unknown id.
const CommandInfo* FindCommand(int id);
// The menus in menu-bar order, then the sub-menus, the toolbars and the popup menus.
std::span<const CommandBar> CommandBars();
const CommandBar* FindCommandBar(unsigned place);
// The command a double-click on a status pane runs; 0 for none.
int PaneCommand(int pane);

// Picture index of the main toolbar's strip (24 × 24 pictures side by side, magenta transparent).
QIcon ToolBarImage(int index);

// The shared action of a command, made from its row on first use.
QAction* CommandAction(CCommandRegistry& registry, int id);
// Fills a menu of the table (and its sub-menus) with the shared actions; each refreshes the
// commands' states when it opens. recentSeparator receives the separator before the recent files.
void FillMenu(QMenu* menu, unsigned place, CCommandRegistry& registry, QAction** recentSeparator = nullptr);
void FillToolBar(QToolBar* bar, unsigned place, CCommandRegistry& registry);
// A popup menu of the table with the commands' current states, owned by parent; include leaves out
// the commands it refuses (all are shown without it).
QMenu* BuildPopupMenu(unsigned place, CCommandRegistry& registry, QWidget* parent,
                      const std::function<bool(int id)>& include = {});
