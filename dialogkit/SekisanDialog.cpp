#include "dialogkit/SekisanDialog.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QBoxLayout>
#include <QLayout>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

#include "dialogkit/DialogRunner.h"
#include "dialogkit/DialogTexts.h"
#include "platform/Host.h"

namespace {
constexpr const char* kGridProperty = "vemoGrid";
}

CSekisanDialog::CSekisanDialog(QWidget* parent) : QDialog(parent) {
    // Key presses reach the focused control first; the filter sees them before it does.
    qApp->installEventFilter(this);
}

CSekisanDialog::~CSekisanDialog() = default;

int CSekisanDialog::DoModal() {
    InitOnce();
    int result = DialogRunner().Run(*this);
    return result == QDialog::Rejected ? IDCANCEL : result;
}

void CSekisanDialog::InitOnce() {
    if (m_initDone) return;
    m_initDone = true;
    // The controls have the sizes they will be shown with, as the first show would give them.
    if (layout()) layout()->activate();
    OnInitDialog();
}

void CSekisanDialog::showEvent(QShowEvent* event) {
    InitOnce();
    QDialog::showEvent(event);
}

void CSekisanDialog::MarkAsGrid(QWidget* widget) { widget->setProperty(kGridProperty, true); }

bool CSekisanDialog::IsGrid(const QWidget* widget) {
    if (!widget) return false;
    return widget->property(kGridProperty).toBool() || qobject_cast<const QAbstractItemView*>(widget);
}

void CSekisanDialog::CheckButton(QButtonGroup* group, int id) {
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons()) b->setChecked(group->id(b) == id);
    group->setExclusive(true);
}

void CSekisanDialog::SetTabChain(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (!w) continue;
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

CSekisanDialog::OkCancelButtons CSekisanDialog::MakeOkCancelButtons(bool withCancel) {
    OkCancelButtons buttons{new QPushButton(QString::fromUtf8(dialogtext::kOk), this), nullptr};
    buttons.ok->setObjectName(QStringLiteral("ok"));
    buttons.ok->setDefault(true);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    if (withCancel) {
        buttons.cancel = new QPushButton(QString::fromUtf8(dialogtext::kCancel), this);
        buttons.cancel->setObjectName(QStringLiteral("cancel"));
        connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
    }
    return buttons;
}

QDialogButtonBox* CSekisanDialog::MakeOkCancelRow() {
    auto* box = new QDialogButtonBox(this);
    auto* ok = box->addButton(QString::fromUtf8(dialogtext::kOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = box->addButton(QString::fromUtf8(dialogtext::kCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return box;
}

namespace {

// The dialog's layout with the buttons in a column at its right; what stands at the left goes in front.
QHBoxLayout* ButtonColumnLayout(QDialog* dialog, std::initializer_list<QPushButton*> buttons) {
    CSekisanDialog::FitButtonColumn(buttons);
    auto* column = new QVBoxLayout;
    for (QPushButton* button : buttons) column->addWidget(button);
    column->addStretch();
    auto* layout = new QHBoxLayout(dialog);
    layout->addLayout(column);
    return layout;
}

}  // namespace

void CSekisanDialog::FitButtonColumn(std::initializer_list<QPushButton*> buttons) {
    int width = 0;
    for (const QPushButton* button : buttons) {
        // The text with half an ideograph of room at either end (a glyph may reach past its advance),
        // in the style's button frame.
        const QFontMetrics metrics(button->font());
        const QSize text = metrics.size(Qt::TextShowMnemonic, button->text());
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QSize contents(text.width() + metrics.horizontalAdvance(QChar(kIdeograph)), text.height());
        width = std::max(width, button->style()->sizeFromContents(QStyle::CT_PushButton, &option, contents, button).width());
    }
    for (QPushButton* button : buttons) button->setMinimumWidth(width);
}

void CSekisanDialog::LayOutBesideButtons(QWidget* content, std::initializer_list<QPushButton*> buttons) {
    ButtonColumnLayout(this, buttons)->insertWidget(0, content, 1);
}

void CSekisanDialog::LayOutBesideButtons(QLayout* content, std::initializer_list<QPushButton*> buttons) {
    ButtonColumnLayout(this, buttons)->insertLayout(0, content, 1);
}

CZo_Edit* CSekisanDialog::MakeField(const char* name, const CZo_Edit::Rule& rule) {
    auto* edit = new CZo_Edit(this);
    edit->setObjectName(QString::fromLatin1(name));
    // A plain text field keeps the line edit's own settings.
    if (rule.type != CZo_Edit::Type::Text || rule.digits > 0) edit->SetRule(rule);
    return edit;
}

CSekisanDialog::LabelledField CSekisanDialog::MakeTextField(const QString& label, const char* name, int digits) {
    auto* text = new QLabel(label, this);
    return {text, MakeField(name, CZo_Edit::TextRule(digits))};
}

CSekisanDialog::LabelledField CSekisanDialog::MakeNumberField(const QString& label, const char* name,
                                                              const CZo_Edit::Rule& rule) {
    auto* text = new QLabel(label, this);
    return {text, MakeField(name, rule)};
}

namespace {
bool IsEnter(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }
}  // namespace

bool CSekisanDialog::eventFilter(QObject* watched, QEvent* event) {
    if (m_enterKey == EnterKey::PressesDefault || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (!IsEnter(key)) return QDialog::eventFilter(watched, event);
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || target->window() != this) return QDialog::eventFilter(watched, event);
    QWidget* focus = focusWidget();
    if (focus != target) return QDialog::eventFilter(watched, event);

    // Buttons (OK, Cancel and every other kind) keep Enter: it presses them, unless Enter is ignored.
    if (qobject_cast<QAbstractButton*>(focus)) return m_enterKey == EnterKey::Ignored;
    // A grid, and whatever lies inside one (the cell editor), keeps Enter.
    for (QWidget* w = focus; w && w != this; w = w->parentWidget())
        if (IsGrid(w)) return false;
    // Ignored: the control gets Enter; what it leaves reaches keyPressEvent, which drops it.
    if (m_enterKey == EnterKey::Ignored) return false;

    focusNextChild();
    return true;
}

void CSekisanDialog::keyPressEvent(QKeyEvent* event) {
    if (m_enterKey == EnterKey::Ignored && IsEnter(event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
