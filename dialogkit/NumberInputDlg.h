#pragma once
#include <QString>
#include <array>

#include "dialogkit/SekisanDialog.h"
#include "platform/Constants.h"

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;

// Asks for one number in one of sixteen modes; the mode sets the caption, the label, the unit,
// the field's digits, decimals and range, and the scale of the stored value. An empty field gives
// the empty value; a typed -1 is a number like any other. Enter presses OK here.
class CNumberInputDlg : public CSekisanDialog {
    Q_OBJECT
public:
    static constexpr int kModeCount = 16;
    static constexpr int kYearBase = 30100;

    // What a mode shows and how it scales.
    struct ModeInfo {
        const char* caption;  // null: the caption member
        const char* label;
        const char* fixedUnit;  // null: the caller's unit text
        int digits;
        int decimals;
        bool integer;
        double minimum;
        double maximum;
        int scale;
        bool unsetShowsOne;
        bool autoButton;
        int picture;  // 0, 217, 220 or 221
        bool discountNote;
    };
    static const ModeInfo& Mode(int mode);

    explicit CNumberInputDlg(QWidget* parent = nullptr);

    void SetMode(int mode) { m_mode = mode; }
    int GetMode() const { return m_mode; }
    void SetValue(int value) { m_value = value; }
    int GetValue() const { return m_value; }
    void SetCaption(const QString& caption) { m_caption = caption; }
    void SetUnit(const QString& unit) { m_unit = unit; }
    void SetKoshuCode(int code) { m_koshuCode = code; }
    void SetManual(int manual) { m_manual = manual; }
    void SetYearCode(int code) { m_fiscalYear = code - kYearBase; }
    int GetYearCode() const { return m_fiscalYear + kYearBase; }
    int GetAuto() const { return m_auto; }

    void OnInitDialog() override;
    void accept() override;
    // "自動計算": takes the chosen year, stores the field and closes with OK.
    void OnAutoCalc();

private:
    void StoreField();

    CZo_Edit* m_edit;
    QLabel* m_label;
    QLabel* m_unitLabel;
    QLabel* m_manualNote;
    QPushButton* m_autoButton;
    QLabel* m_discountNote;
    std::array<QRadioButton*, 6> m_years;
    QButtonGroup* m_yearGroup;
    QLabel* m_yearNote;
    std::array<QLabel*, 3> m_pictures;  // 217, 220, 221

    QString m_unit;
    int m_yearChoice = -1;
    int m_mode = 0;
    int m_value = kUnset;
    int m_koshuCode = kUnset;
    int m_auto = 0;
    int m_manual = 0;
    QString m_caption;
    int m_fiscalYear = 0;
};
