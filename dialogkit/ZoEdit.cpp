#include "dialogkit/ZoEdit.h"

#include <QKeyEvent>
#include <cmath>

#include "platform/NumberText.h"

QValidator::State CNumberValidator::validate(QString& input, int&) const {
    if (input.isEmpty()) return Intermediate;
    if (m_digits > 0 && input.size() > m_digits) return Invalid;
    int i = 0;
    bool negative = false;
    if (input[0] == QLatin1Char('-')) {
        if (m_min >= 0) return Invalid;
        negative = true;
        ++i;
    }
    int digitsBefore = 0, digitsAfter = 0;
    bool point = false;
    for (; i < input.size(); ++i) {
        QChar c = input[i];
        if (c == QLatin1Char('.')) {
            if (point || m_decimals == 0) return Invalid;
            point = true;
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            (point ? digitsAfter : digitsBefore)++;
        } else {
            return Invalid;
        }
    }
    if (digitsAfter > m_decimals) return Invalid;
    if (digitsBefore + digitsAfter == 0) return Intermediate;  // "-" or "." so far
    auto value = vemo::ParseDouble(input.toStdString());
    if (!value) return Invalid;
    if (*value > m_max) return negative ? Intermediate : Invalid;
    if (*value < m_min) return negative ? Invalid : Intermediate;
    return Acceptable;
}

CZo_Edit::CZo_Edit(QWidget* parent) : QLineEdit(parent) {}

void CZo_Edit::keyPressEvent(QKeyEvent* event) {
    const bool separator = (event->modifiers() & Qt::KeypadModifier) &&
                           (event->key() == Qt::Key_Comma || event->key() == Qt::Key_Period);
    if (m_type == Type::Double && separator) {
        QKeyEvent point(event->type(), Qt::Key_Period, event->modifiers(), QStringLiteral("."), event->isAutoRepeat(),
                        event->count());
        QLineEdit::keyPressEvent(&point);
        event->setAccepted(point.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CZo_Edit::SetRule(const Rule& rule) {
    m_type = rule.type;
    m_digits = rule.digits;
    m_decimals = rule.type == Type::Int ? 0 : rule.decimals;
    m_min = rule.minimum;
    m_max = rule.maximum;
    UpdateValidator();
}

void CZo_Edit::SetType(Type type) {
    m_type = type;
    if (type == Type::Int) m_decimals = 0;
    UpdateValidator();
}

void CZo_Edit::SetDigits(int digits) {
    m_digits = digits;
    UpdateValidator();
}

void CZo_Edit::SetDecimals(int decimals) {
    m_decimals = m_type == Type::Int ? 0 : decimals;
    UpdateValidator();
}

void CZo_Edit::SetMinimum(double minimum) {
    m_min = minimum;
    UpdateValidator();
}

void CZo_Edit::SetMaximum(double maximum) {
    m_max = maximum;
    UpdateValidator();
}

void CZo_Edit::UpdateValidator() {
    if (m_type == Type::Text) {
        setValidator(nullptr);
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setMaxLength(m_digits > 0 ? m_digits : 32767);
        return;
    }
    setValidator(new CNumberValidator(m_digits, m_decimals, m_min, m_max, this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setMaxLength(m_digits > 0 ? m_digits : 32767);
}

double CZo_Edit::GetDouble() const {
    auto value = vemo::ParseDouble(text().toStdString());
    if (!value || !std::isfinite(*value)) return -1.0;
    if (m_type != Type::Text) {
        if (*value < m_min) return m_min;
        if (*value > m_max) return m_max;
    }
    return *value;
}

void CZo_Edit::SetDouble(double value) {
    setText(QString::fromStdString(vemo::FormatFixed(value, m_type == Type::Int ? 0 : m_decimals)));
}

int CZo_Edit::GetInt() const {
    double value = GetDouble();
    if (value == -1.0) return -1;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(value);
}

void CZo_Edit::SetInt(int value) { setText(QString::fromStdString(vemo::FormatInt(value))); }
