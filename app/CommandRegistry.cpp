#include "app/CommandRegistry.h"

#include <QAction>
#include <QRegularExpression>
#include <QTimer>

void CCommandTarget::OnCommand(int id, Handler handler, Updater update) {
    m_commands[id] = Entry{std::move(handler), std::move(update)};
}

bool CCommandTarget::HandlesCommand(int id) const { return m_commands.count(id) != 0; }

bool CCommandTarget::ExecuteCommand(int id) {
    auto it = m_commands.find(id);
    if (it == m_commands.end()) return false;
    // Copied: a handler may replace the command map while it runs.
    Handler handler = it->second.handler;
    if (handler) handler();
    return true;
}

bool CCommandTarget::UpdateCommand(int id, CCmdUI& ui) const {
    auto it = m_commands.find(id);
    if (it == m_commands.end()) return false;
    ui.enabled = true;
    if (it->second.update) it->second.update(ui);
    return true;
}

CCommandRegistry::CCommandRegistry(QObject* parent) : QObject(parent) {}

QAction* CCommandRegistry::Register(int id, const QString& text, const QIcon& icon, const QKeySequence& shortcut) {
    QString menuText = text.section(QLatin1Char('\n'), 0, 0);
    QString tip = text.section(QLatin1Char('\n'), 1);
    QString shortcutText = menuText.section(QLatin1Char('\t'), 1);
    menuText = menuText.section(QLatin1Char('\t'), 0, 0);
    return Register(id, menuText, tip,
                    shortcut.isEmpty() ? QKeySequence(shortcutText, QKeySequence::PortableText) : shortcut, icon);
}

QAction* CCommandRegistry::Register(int id, const QString& menuText, const QString& toolTip,
                                    const QKeySequence& shortcut, const QIcon& icon) {
    QAction*& action = m_actions[id];
    if (!action) {
        action = new QAction(icon, menuText, this);
        action->setData(id);
        if (!shortcut.isEmpty()) action->setShortcut(shortcut);
        QString plain = menuText;
        plain.remove(QRegularExpression(QStringLiteral("\\(&.\\)|\\.\\.\\.$")));
        plain.remove(QLatin1Char('&'));
        action->setToolTip(toolTip.isEmpty() ? plain : toolTip);
        action->setStatusTip(plain);
        connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
    }
    return action;
}

QAction* CCommandRegistry::Action(int id) const {
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

CCommandTarget* CCommandRegistry::Handler(int id) const {
    if (!m_route) return nullptr;
    for (CCommandTarget* target : m_route())
        if (target && target->HandlesCommand(id)) return target;
    return nullptr;
}

CCmdUI CCommandRegistry::State(int id) const {
    CCmdUI ui;
    CCommandTarget* target = Handler(id);
    if (!target) {
        ui.enabled = false;
        return ui;
    }
    target->UpdateCommand(id, ui);
    // A rule that leaves the state: the action's stands.
    if (ui.keep) {
        const QAction* action = Action(id);
        ui.enabled = !action || action->isEnabled();
    }
    return ui;
}

bool CCommandRegistry::Dispatch(int id) {
    if (m_hold && m_hold()) {
        constexpr int kHeldRetryMs = 100;
        QTimer::singleShot(kHeldRetryMs, this, [this, id] { Dispatch(id); });
        return false;
    }
    CCommandTarget* target = Handler(id);
    if (!target) return false;
    if (!State(id).enabled) return false;
    target->ExecuteCommand(id);
    UpdateActions();
    return true;
}

void CCommandRegistry::UpdateActions() {
    for (auto& [id, action] : m_actions) {
        CCmdUI ui = State(id);
        action->setEnabled(ui.enabled);
        if (action->isCheckable()) action->setChecked(ui.checked);
    }
}
