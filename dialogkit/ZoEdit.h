#pragma once
#include <QLineEdit>
#include <QValidator>

// The entry field of the dialogs: a text field, or a number field with a most number of
// characters, a number of decimals and a range. Numbers are shown and read in the C locale; an
// empty number field reads -1 (IsEmpty tells it from a typed -1).
class CZo_Edit : public QLineEdit {
    Q_OBJECT
public:
    enum class Type { Text, Double, Int };

    // What a field takes: its type, most characters (0: no limit), decimals and range.
    struct Rule {
        Type type = Type::Text;
        int digits = 0;
        int decimals = 0;
        double minimum = -1e15;
        double maximum = 1e15;
    };
    static Rule TextRule(int digits = 0) { return {Type::Text, digits, 0, -1e15, 1e15}; }
    static Rule IntRule(int digits, double minimum, double maximum) {
        return {Type::Int, digits, 0, minimum, maximum};
    }
    static Rule DoubleRule(int digits, int decimals, double minimum, double maximum) {
        return {Type::Double, digits, decimals, minimum, maximum};
    }

    explicit CZo_Edit(QWidget* parent = nullptr);

    // Sets type, digits, decimals and range at once (an Int field has no decimals).
    void SetRule(const Rule& rule);
    void SetType(Type type);
    Type GetType() const { return m_type; }
    void SetDigits(int digits);
    void SetDecimals(int decimals);
    void SetMinimum(double minimum);
    void SetMaximum(double maximum);
    int Digits() const { return m_digits; }
    int Decimals() const { return m_decimals; }
    double Minimum() const { return m_min; }
    double Maximum() const { return m_max; }

    // Nothing typed: an empty number field reads -1 like a typed -1 does.
    bool IsEmpty() const { return text().isEmpty(); }
    QString GetText() const { return text(); }
    void SetText(const QString& t) { setText(t); }
    // The typed number; -1 when the field is empty or holds no whole number. A number below the
    // range (possible while typing) reads as the minimum.
    double GetDouble() const;
    void SetDouble(double value);
    int GetInt() const;
    void SetInt(int value);

protected:
    // The keypad's separator key types the decimal point into a decimal field, whatever character
    // the keyboard layout gives it ("," on layouts with a decimal comma).
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UpdateValidator();

    Type m_type = Type::Text;
    int m_digits = 0;  // 0: no limit
    int m_decimals = 0;
    double m_min = -1e15, m_max = 1e15;
};

// Accepts C-locale number texts with at most so many characters and decimals, within a range.
class CNumberValidator : public QValidator {
public:
    CNumberValidator(int digits, int decimals, double minimum, double maximum, QObject* parent = nullptr)
        : QValidator(parent), m_digits(digits), m_decimals(decimals), m_min(minimum), m_max(maximum) {}
    State validate(QString& input, int& pos) const override;

private:
    int m_digits, m_decimals;
    double m_min, m_max;
};
