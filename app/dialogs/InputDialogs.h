#pragma once
#include <QString>
#include <array>

#include "app/dialogs/SekisanDialog.h"
#include "platform/Constants.h"

class CZo_Edit;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Asks for a name; by target also a unit and price kind (a trade of the unit-price master) or a
// material kind and price-book code (an article of the material-price master). F5 reveals the
// code, "ユーザー作成" and price-book fields. Checks nothing: callers check names and codes.
class CNameEditDlg : public CSekisanDialog {
    Q_OBJECT
public:
    enum Action { New = 0, Rename = 1, Copy = 2, Add = 3, Insert = 4 };
    enum Target { PlainName = 0, Trade = 1, Article = 2 };

    explicit CNameEditDlg(QWidget* parent = nullptr);

    void SetAction(int action) { m_action = action; }
    void SetTarget(int target) { m_target = target; }
    void SetName(const QString& name) { m_name = name; }
    QString GetName() const { return m_name; }
    void SetCode(int code) { m_code = code; }
    int GetCode() const { return m_code; }
    void SetUnit(const QString& unit) { m_unit = unit; }
    QString GetUnit() const { return m_unit; }
    void SetTankaKind(int kind) { m_tankaKind = kind; }
    int GetTankaKind() const { return m_tankaKind; }
    void SetZairyoKind(int kind) { m_zairyoKind = kind; }
    int GetZairyoKind() const { return m_zairyoKind; }
    void SetKensetsuBukkaCode(const QString& code) { m_kensetsuBukkaCode = code; }
    QString GetKensetsuBukkaCode() const { return m_kensetsuBukkaCode; }
    void SetKanren(int kanren) { m_kanren = kanren; }
    int GetKanren() const { return m_kanren; }
    void SetYobi(const QString& yobi) { m_yobi = yobi; }
    QString GetYobi() const { return m_yobi; }
    void SetUserCreated(int userCreated) { m_userCreated = userCreated; }
    int GetUserCreated() const { return m_userCreated; }

    void OnInitDialog() override;
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RevealMaintenanceFields();
    void PushMembers();

    CZo_Edit* m_nameEdit;
    CZo_Edit* m_unitEdit;
    CZo_Edit* m_codeEdit;
    CZo_Edit* m_bukkaEdit;
    CZo_Edit* m_kanrenEdit;
    CZo_Edit* m_yobiEdit;
    QLabel* m_nameLabel;
    QLabel* m_unitLabel;
    QLabel* m_codeLabel;
    QLabel* m_bukkaLabel;
    QLabel* m_kanrenLabel;
    QLabel* m_yobiLabel;
    QGroupBox* m_tankaGroup;
    QGroupBox* m_zairyoGroup;
    QButtonGroup* m_tankaButtons;
    QButtonGroup* m_zairyoButtons;
    QCheckBox* m_userCheck;

    int m_tankaKind = -1;
    int m_userCreated = 0;
    int m_zairyoKind = -1;
    QString m_name;
    int m_action = Rename;
    int m_target = PlainName;
    QString m_unit;
    int m_code = kUnset;
    QString m_kensetsuBukkaCode;
    int m_kanren = kUnset;
    QString m_yobi;
};

// Asks for two lines of text: a table's row and column titles, an item's name or its remark.
class CTitleEditDlg : public CSekisanDialog {
    Q_OBJECT
public:
    enum Mode { TableTitle = 0, ItemName = 1, Remark = 2 };

    explicit CTitleEditDlg(QWidget* parent = nullptr);

    void SetMode(int mode) { m_mode = mode; }
    void SetTitles(const QString& upper, const QString& lower) {
        m_upper = upper;
        m_lower = lower;
    }
    void SetUpperEnabled(int enabled) { m_upperEnabled = enabled; }
    void SetLowerEnabled(int enabled) { m_lowerEnabled = enabled; }
    // Skips a null pointer.
    void GetTitles(QString* upper, QString* lower) const;

    void OnInitDialog() override;
    void accept() override;

private:
    CZo_Edit* m_upperEdit;
    CZo_Edit* m_lowerEdit;
    QLabel* m_upperLabel;
    QLabel* m_lowerLabel;

    int m_mode = TableTitle;
    QString m_upper;
    QString m_lower;
    int m_upperEnabled = 1;
    int m_lowerEnabled = 1;
};

// Asks for one number in one of sixteen modes; the mode sets the caption, the label, the unit,
// the field's digits, decimals and range, and the scale of the stored value. An empty field gives
// the empty value. Enter presses OK here.
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
