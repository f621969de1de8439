#include "app/KeyboardPanes.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include "app/AppTexts.h"

namespace {
const char* const kNames[CKeyStatePanes::kCount] = {apptext::kKanaPane, apptext::kCapsPane,
                                                    apptext::kNumPane, apptext::kScrollPane};
}

CKeyStatePanes::CKeyStatePanes(QStatusBar* bar, Reader reader) : QObject(bar), m_reader(std::move(reader)) {
    for (int i = 0; i < kCount; ++i) {
        auto* pane = new QLabel(bar);
        pane->setObjectName(QStringLiteral("pane%1").arg(kFirstPane + i));
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        // As wide as the name it shows, so that the bar does not move when a lock changes.
        pane->setFixedWidth(pane->fontMetrics().horizontalAdvance(QString::fromUtf8(kNames[i])) + 12);
        bar->addPermanentWidget(pane);
        m_panes[static_cast<size_t>(i)] = pane;
    }
    qApp->installEventFilter(this);
    Refresh();
}

std::array<QString, CKeyStatePanes::kCount> CKeyStatePanes::Texts(const KeyLockState& state) {
    std::array<QString, kCount> texts;
    if (!state.known) return texts;
    const bool on[kCount] = {state.kanaKnown && state.kana, state.caps, state.num, state.scroll};
    for (int i = 0; i < kCount; ++i)
        if (on[i]) texts[static_cast<size_t>(i)] = QString::fromUtf8(kNames[i]);
    return texts;
}

void CKeyStatePanes::Refresh() {
    const auto texts = Texts(m_reader ? m_reader() : KeyLockState());
    for (int i = 0; i < kCount; ++i)
        if (m_panes[static_cast<size_t>(i)]->text() != texts[static_cast<size_t>(i)])
            m_panes[static_cast<size_t>(i)]->setText(texts[static_cast<size_t>(i)]);
}

QLabel* CKeyStatePanes::Pane(int pane) const {
    const int i = pane - kFirstPane;
    return i >= 0 && i < kCount ? m_panes[static_cast<size_t>(i)] : nullptr;
}

QString CKeyStatePanes::PaneText(int pane) const {
    QLabel* label = Pane(pane);
    return label ? label->text() : QString();
}

bool CKeyStatePanes::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ApplicationActivate:
        case QEvent::WindowActivate:
            // A key event passes the filter once for every widget it propagates through: one
            // read after it has been handled is enough.
            if (!m_refreshPending) {
                m_refreshPending = true;
                QTimer::singleShot(0, this, [this] {
                    m_refreshPending = false;
                    Refresh();
                });
            }
            break;
        default: break;
    }
    return QObject::eventFilter(watched, event);
}
