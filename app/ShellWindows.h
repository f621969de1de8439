#pragma once
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QStatusBar>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

// The MDI client area behind the estimate windows: a static tiling of a 250 × 250 bitmap from the
// top-left corner.
class CMdiClientWnd : public QMdiArea {
    Q_OBJECT
public:
    static constexpr int kTile = 250;

    explicit CMdiClientWnd(QWidget* parent = nullptr);

    // The estimate windows one above another, each the full width, the active one at the top (the
    // framework's horizontal tiling); minimised ones are restored and take their row.
    void TileHorizontally();
    // The estimate windows cascaded as the framework does: each restored, minimised ones too, the one
    // in front last, each one caption (CaptionStep) right of and below the one before it, all of the
    // size of the area less the steps. Where more windows than steps of half the area, the next one
    // starts at the corner again, so that every window keeps at least half the area.
    void Cascade();
    // How far each cascaded window lies from the one before: its caption with the frame above it.
    static int CaptionStep(const QMdiSubWindow& window);

    // The top-left corners of the tiles that cover an area of that size, row by row.
    static std::vector<QPoint> TilePositions(const QSize& size);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_tile;
};

// The frame of one estimate window: always shown maximised inside the client area. Closing asks
// the closing rule first (an open print preview refuses it); its end is told to the main frame.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(QWidget* parent = nullptr);
    ~CChildFrame() override;

    // Activates the frame maximised, whatever show state is asked.
    void ActivateFrame();
    // A minimised frame shown again as it was before: maximised when it was maximised, else restored.
    // Nothing when the frame is not minimised.
    void ShowRestored();

    // Asked before the window closes; false keeps it open (the rule tells the user why).
    std::function<bool()> canClose;
    // The closing rule asked on its own, for a close of several windows that asks them all first.
    bool MayClose() const { return !canClose || canClose(); }
    // Closes a window whose rule has agreed already, without asking it again.
    void CloseAgreed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool m_maximisedBeforeMinimised = false;
    bool m_agreed = false;
};

// The start-up splash window: the splash bitmap with "Version 14.02" on it, centred on the
// screen, closed when the updater has ended or at the first key or mouse press.
class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    static void EnableSplashScreen(bool enable);
    static bool IsEnabled();
    // Nothing when disabled or when a splash window exists already.
    static void ShowSplashScreen(QWidget* parent);
    static void HideSplashScreen();
    static CSplashWnd* Current();
    // A key or mouse press while the splash window exists closes it; the event is consumed.
    static bool PreTranslateAppMessage(QEvent* event);

    // Where the version text is drawn on a bitmap of that size.
    static QPoint VersionTextPosition(const QSize& bitmapSize);
    static QString VersionText();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    explicit CSplashWnd(QWidget* parent);
    QPixmap m_bitmap;
};

// The status bar of the main window: pane 0 for messages (stretching), panes 1 to 3 for the
// master-data folder, the unit-price column and the material-price file, each with its icon.
// A double-click on panes 1 to 3 runs that pane's action.
class CMainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CMainStatusBar(QWidget* parent = nullptr);

    void SetPaneText(int pane, const QString& text);
    QString PaneText(int pane) const;
    // What panes 0 to 3 show of their text in their present width ("…" at the end of a cut text),
    // and their tool tips.
    QString ShownPaneText(int pane) const;
    QString PaneToolTip(int pane) const;
    // A command's prompt while the pointer rests on it: shown in the message pane, whose own text
    // comes back when the prompt is empty. (Qt's own temporary message would be drawn over it.)
    void ShowStatusTip(const QString& tip);
    // The pane under a point of the status bar, -1 when none.
    int PaneAt(const QPoint& pos) const;
    QWidget* Pane(int pane) const;

    // Double-click actions of panes 1, 2 and 3.
    std::function<void(int pane)> onPaneDoubleClicked;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::array<QLabel*, 4> m_text{};
    std::array<QWidget*, 4> m_panes{};
    QString m_messageText;  // the message pane's own text, under a prompt
};

// A label that paints its bitmap with magenta (0xFF00FF) as the transparent colour.
class CBitmapStatic : public QLabel {
    Q_OBJECT
public:
    explicit CBitmapStatic(QWidget* parent = nullptr);
    void SetBitmap(const QPixmap& bitmap);
    // The bitmap with every pixel of the transparent colour made transparent.
    static QPixmap Masked(const QPixmap& bitmap, QColor transparent = QColor(0xFF, 0x00, 0xFF));
};
