#pragma once
#include <QObject>
#include <QString>
#include <array>
#include <functional>

class QLabel;
class QStatusBar;

// The lock keys as the windowing system reports them. known is false where they cannot be read
// (outside X11); kanaKnown is false on a keyboard without a kana lock.
struct KeyLockState {
    bool known = false;
    bool kanaKnown = false;
    bool kana = false;
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// Reads the keyboard indicators (Xkb on X11); a state that is not known elsewhere.
KeyLockState ReadKeyLockState();

// Panes 4 to 7 of the status bar: kana, caps lock, num lock and scroll lock. Each shows its name
// while its lock is on and stays blank otherwise, and blank where the state cannot be read. They
// are refreshed after every key and whenever a window of the program becomes active; a
// double-click on them does nothing.
class CKeyStatePanes : public QObject {
    Q_OBJECT
public:
    using Reader = std::function<KeyLockState()>;
    static constexpr int kFirstPane = 4;
    static constexpr int kCount = 4;

    // Adds the four panes to the right end of the status bar.
    explicit CKeyStatePanes(QStatusBar* bar, Reader reader = ReadKeyLockState);

    // Reads the state and shows it.
    void Refresh();
    // The text of pane 4 to 7.
    QString PaneText(int pane) const;
    QLabel* Pane(int pane) const;
    // The four texts for a state, in pane order.
    static std::array<QString, kCount> Texts(const KeyLockState& state);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Reader m_reader;
    std::array<QLabel*, kCount> m_panes{};
    bool m_refreshPending = false;
};
