#include "app/ShellWindows.h"

#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QWindowStateChangeEvent>
#include <algorithm>

#include "app/AppConstants.h"
#include "app/AppTexts.h"
#include "platform/NumberText.h"

// ---------------------------------------------------------------------------------------------
// CMdiClientWnd

CMdiClientWnd::CMdiClientWnd(QWidget* parent) : QMdiArea(parent), m_tile(QStringLiteral(":/bitmaps/mdi_tile.png")) {
    setViewMode(QMdiArea::SubWindowView);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void CMdiClientWnd::TileHorizontally() {
    QList<QMdiSubWindow*> windows;
    const QList<QMdiSubWindow*> stacked = subWindowList(QMdiArea::StackingOrder);
    for (auto it = stacked.rbegin(); it != stacked.rend(); ++it)
        if ((*it)->isVisible()) windows << *it;
    if (windows.isEmpty()) return;
    const QRect area = viewport()->rect();
    const int count = static_cast<int>(windows.size());
    int top = area.top();
    for (int i = 0; i < count; ++i) {
        // The pixels that do not divide evenly go to the upper windows.
        const int height = area.height() / count + (i < area.height() % count ? 1 : 0);
        QMdiSubWindow* window = windows[i];
        window->showNormal();
        window->setGeometry(area.left(), top, area.width(), height);
        top += height;
    }
}

int CMdiClientWnd::CaptionStep(const QMdiSubWindow& window) {
    QStyleOptionTitleBar option;
    option.initFrom(&window);
    option.titleBarFlags = window.windowFlags();
    return window.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &window) +
           window.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
}

void CMdiClientWnd::Cascade() {
    // In stacking order: the window at the back first, the one in front last.
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : subWindowList(QMdiArea::StackingOrder))
        if (w->isVisible()) windows << w;
    if (windows.isEmpty()) return;
    QMdiSubWindow* current = currentSubWindow();
    for (QMdiSubWindow* w : windows) w->showNormal();
    const QRect area = viewport()->rect();
    const int step = std::max(1, CaptionStep(*windows.front()));
    const int fit = 1 + std::min(area.width() / 2, area.height() / 2) / step;
    const int steps = std::min(static_cast<int>(windows.size()), fit);
    const QSize size(area.width() - (steps - 1) * step, area.height() - (steps - 1) * step);
    for (int i = 0; i < windows.size(); ++i) {
        const int k = i % steps;
        windows[i]->setGeometry(QRect(area.topLeft() + QPoint(k, k) * step, size));
        windows[i]->raise();
    }
    if (current) setActiveSubWindow(current);
}

std::vector<QPoint> CMdiClientWnd::TilePositions(const QSize& size) {
    std::vector<QPoint> positions;
    for (int y = 0; y < size.height(); y += kTile)
        for (int x = 0; x < size.width(); x += kTile) positions.emplace_back(x, y);
    return positions;
}

void CMdiClientWnd::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    if (m_tile.isNull()) {
        painter.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
        return;
    }
    for (const QPoint& p : TilePositions(viewport()->size())) painter.drawPixmap(p, m_tile);
}

// ---------------------------------------------------------------------------------------------
// CChildFrame

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.png")));
    resize(600, 500);
}

CChildFrame::~CChildFrame() = default;

void CChildFrame::ActivateFrame() {
    showMaximized();
    if (QMdiArea* area = mdiArea()) area->setActiveSubWindow(this);
}

void CChildFrame::ShowRestored() {
    if (!isMinimized()) return;
    if (m_maximisedBeforeMinimised)
        showMaximized();
    else
        showNormal();
}

void CChildFrame::changeEvent(QEvent* event) {
    // Minimised from maximised, the frame comes back maximised, as the framework restores it. (Qt
    // passes through further states while minimised: the first one counts.)
    if (event->type() == QEvent::WindowStateChange) {
        const Qt::WindowStates old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
        if (isMinimized() && !old.testFlag(Qt::WindowMinimized))
            m_maximisedBeforeMinimised = old.testFlag(Qt::WindowMaximized);
    }
    QMdiSubWindow::changeEvent(event);
}

void CChildFrame::CloseAgreed() {
    m_agreed = true;
    close();
    m_agreed = false;
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (!m_agreed && !MayClose()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

// ---------------------------------------------------------------------------------------------
// CSplashWnd

namespace {
bool g_splashEnabled = true;
QPointer<CSplashWnd> g_splash;
}  // namespace

void CSplashWnd::EnableSplashScreen(bool enable) { g_splashEnabled = enable; }

bool CSplashWnd::IsEnabled() { return g_splashEnabled; }

CSplashWnd* CSplashWnd::Current() { return g_splash; }

void CSplashWnd::ShowSplashScreen(QWidget* parent) {
    if (!g_splashEnabled || g_splash) return;
    auto* splash = new CSplashWnd(parent);
    if (splash->m_bitmap.isNull()) {
        delete splash;
        return;
    }
    g_splash = splash;
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CSplashWnd::HideSplashScreen() {
    if (!g_splash) return;
    CSplashWnd* splash = g_splash;
    g_splash = nullptr;
    splash->hide();
    splash->deleteLater();
}

bool CSplashWnd::PreTranslateAppMessage(QEvent* event) {
    if (!g_splash) return false;
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::NonClientAreaMouseButtonPress:
            HideSplashScreen();
            return true;
        default:
            return false;
    }
}

CSplashWnd::CSplashWnd(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_bitmap(QStringLiteral(":/bitmaps/splash.png")) {
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    setFixedSize(m_bitmap.size());
    // Centred on the screen.
    if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        QRect area = screen->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

QPoint CSplashWnd::VersionTextPosition(const QSize& bitmapSize) {
    return QPoint(bitmapSize.width() - 100, bitmapSize.height() / 5 * 3 + 10);
}

QString CSplashWnd::VersionText() {
    return QString::fromUtf8(apptext::kVersionPrefix) +
           QString::fromStdString(vemo::FormatFixed(vemo::app::kVersion, 2));
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_bitmap);
    QFont font(QStringLiteral("Noto Sans Mono CJK JP"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(Qt::white);
    // The point is the top of the text, as the text is drawn from its top-left corner.
    QPoint at = VersionTextPosition(m_bitmap.size());
    painter.drawText(QRect(at, QSize(100, 16)), Qt::AlignLeft | Qt::AlignTop, VersionText());
}

// ---------------------------------------------------------------------------------------------
// CMainStatusBar

namespace {

constexpr QChar kEllipsis(0x2026);

// A pane's text: cut with "…" where the pane is too narrow for it, so that the pane can shrink.
class CElidedLabel : public QLabel {
public:
    using QLabel::QLabel;
    QString Shown() const { return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width()); }
    QSize minimumSizeHint() const override {
        QSize size = QLabel::minimumSizeHint();
        size.setWidth(fontMetrics().horizontalAdvance(kEllipsis) + 2 * frameWidth());
        return size;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(), Shown(),
                              foregroundRole());
    }
};

// Panes 1 to 3: their own width while the bar has room, narrower (down to their icon and "…")
// when it has not.
class CStatusPane : public QFrame {
public:
    CStatusPane(int width, QWidget* parent) : QFrame(parent), m_width(width) { setMaximumWidth(width); }
    QSize sizeHint() const override { return QSize(m_width, QFrame::sizeHint().height()); }

private:
    int m_width;
};

}  // namespace

CMainStatusBar::CMainStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
    m_text[0] = new CElidedLabel(this);
    m_text[0]->setObjectName(QStringLiteral("pane0"));
    m_panes[0] = m_text[0];
    addWidget(m_text[0], 1);
    struct Own {
        int width;
        const char* icon;
    };
    const Own own[3] = {{150, ":/icons/pane_master.png"}, {140, ":/icons/pane_tanka.png"},
                        {140, ":/icons/pane_zairyo.png"}};
    for (int i = 1; i <= 3; ++i) {
        auto* pane = new CStatusPane(own[i - 1].width, this);
        pane->setObjectName(QStringLiteral("pane%1").arg(i));
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        auto* layout = new QHBoxLayout(pane);
        layout->setContentsMargins(2, 0, 2, 0);
        layout->setSpacing(3);
        auto* icon = new QLabel(pane);
        icon->setPixmap(CBitmapStatic::Masked(QPixmap(QString::fromLatin1(own[i - 1].icon))));
        icon->setFixedSize(16, 16);
        layout->addWidget(icon);
        m_text[i] = new CElidedLabel(pane);
        layout->addWidget(m_text[i], 1);
        m_panes[i] = pane;
        addPermanentWidget(pane);
    }
}

void CMainStatusBar::SetPaneText(int pane, const QString& text) {
    if (pane < 0 || pane > 3) return;
    if (pane == 0) m_messageText = text;
    m_text[pane]->setText(text);
    m_text[pane]->setToolTip(pane == 0 ? QString() : text);
    m_text[pane]->repaint();
}

void CMainStatusBar::ShowStatusTip(const QString& tip) {
    m_text[0]->setText(tip.isEmpty() ? m_messageText : tip);
    m_text[0]->repaint();
}

QString CMainStatusBar::PaneText(int pane) const {
    return pane >= 0 && pane <= 3 ? m_text[pane]->text() : QString();
}

QString CMainStatusBar::ShownPaneText(int pane) const {
    return pane >= 0 && pane <= 3 ? static_cast<const CElidedLabel*>(m_text[pane])->Shown() : QString();
}
QString CMainStatusBar::PaneToolTip(int pane) const {
    return pane >= 0 && pane <= 3 ? m_text[pane]->toolTip() : QString();
}

QWidget* CMainStatusBar::Pane(int pane) const { return pane >= 0 && pane <= 3 ? m_panes[pane] : nullptr; }

int CMainStatusBar::PaneAt(const QPoint& pos) const {
    for (int i = 0; i <= 3; ++i)
        if (m_panes[i]->isVisible() && m_panes[i]->geometry().contains(pos)) return i;
    return -1;
}

void CMainStatusBar::mouseDoubleClickEvent(QMouseEvent* event) {
    int pane = PaneAt(event->position().toPoint());
    if (pane >= 1 && pane <= 3 && onPaneDoubleClicked) onPaneDoubleClicked(pane);
    QStatusBar::mouseDoubleClickEvent(event);
}

// ---------------------------------------------------------------------------------------------
// CBitmapStatic

CBitmapStatic::CBitmapStatic(QWidget* parent) : QLabel(parent) {}

void CBitmapStatic::SetBitmap(const QPixmap& bitmap) { setPixmap(Masked(bitmap)); }

QPixmap CBitmapStatic::Masked(const QPixmap& bitmap, QColor transparent) {
    if (bitmap.isNull()) return bitmap;
    QPixmap result = bitmap;
    result.setMask(bitmap.createMaskFromColor(transparent, Qt::MaskInColor));
    return result;
}
