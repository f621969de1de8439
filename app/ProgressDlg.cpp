#include "app/ProgressDlg.h"

#include <algorithm>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "dialogkit/DialogTexts.h"

CProgressDlg::CProgressDlg(const std::string& caption) : QDialog(nullptr) {
    setWindowTitle(caption.empty() ? QString::fromUtf8(apptext::kProgressCaption) : QString::fromStdString(caption));
    setModal(false);
    m_status = new QLabel(this);
    m_percent = new QLabel(QString::fromUtf8(apptext::kProgressStartPercent), this);
    m_percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_bar = new QProgressBar(this);
    m_bar->setTextVisible(false);
    m_bar->setRange(m_lower, m_upper);
    m_bar->setValue(m_lower);
    auto* cancel = new QPushButton(QString::fromUtf8(dialogtext::kCancel), this);
    connect(cancel, &QPushButton::clicked, this, [this] { m_cancel = true; });

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(m_status, 1);
    top->addWidget(m_percent);
    layout->addLayout(top);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_bar, 1);
    bottom->addWidget(cancel);
    layout->addLayout(bottom);
    resize(420, 100);
}

CProgressDlg::~CProgressDlg() { DestroyWindow(); }

bool CProgressDlg::Create(QWidget* owner) {
    if (!owner) owner = QApplication::activeWindow();
    if (owner) owner = owner->window();
    m_owner = owner;
    if (owner) setParent(owner, Qt::Dialog);
    if (owner && owner->isEnabled()) {
        owner->setEnabled(false);
        m_ownerDisabled = true;
    }
    // The owner is disabled; the progress window itself stays usable for Cancel.
    setEnabled(true);
    show();
    if (!isVisible()) {
        DestroyWindow();
        return false;
    }
    PumpEvents();
    return true;
}

void CProgressDlg::SetStatus(const std::string& text) { m_status->setText(QString::fromStdString(text)); }

void CProgressDlg::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
    m_bar->setRange(lower, upper);
    MoveTo(lower);
}

void CProgressDlg::SetStep(int step) { m_step = step; }

int CProgressDlg::SetPos(int position) {
    PumpEvents();
    int previous = m_pos;
    MoveTo(position);
    return previous;
}

int CProgressDlg::OffsetPos(int delta) { return SetPos(m_pos + delta); }

int CProgressDlg::StepIt() {
    PumpEvents();
    int previous = m_pos;
    int next = m_pos + m_step;
    // Past the upper bound the bar starts over from the lower one.
    if (next > m_upper) next = m_lower + (next - m_upper);
    MoveTo(next);
    return previous;
}

bool CProgressDlg::CheckCancelButton() {
    PumpEvents();
    bool cancel = m_cancel;
    m_cancel = false;
    return cancel;
}

void CProgressDlg::Hide() { hide(); }

void CProgressDlg::DestroyWindow() {
    if (m_ownerDisabled && m_owner) m_owner->setEnabled(true);
    m_ownerDisabled = false;
    hide();
}

QString CProgressDlg::PercentText(int position, int lower, int upper) {
    // A window given an empty range shows 0 % rather than dividing by zero.
    int percent = upper == lower ? 0 : (position - lower) * 100 / (upper - lower);
    if (percent != 100) percent %= 100;
    return QString::number(percent) + QLatin1Char('%');
}

QString CProgressDlg::StatusText() const { return m_status->text(); }

QString CProgressDlg::PercentLabelText() const { return m_percent->text(); }

void CProgressDlg::reject() { m_cancel = true; }

void CProgressDlg::PumpEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void CProgressDlg::MoveTo(int position) {
    m_pos = position;
    m_bar->setValue(std::clamp(position, std::min(m_lower, m_upper), std::max(m_lower, m_upper)));
    QString text = PercentText(position, m_lower, m_upper);
    if (m_percent->text() != text) m_percent->setText(text);
}
