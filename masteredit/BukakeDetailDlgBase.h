#pragma once
#include <array>
#include <functional>
#include <string>

#include "dialogkit/SekisanDialog.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"

class CSpreadSheet;
class ISankoKingakuContext;
class QComboBox;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QPushButton;

// What both layouts of the 歩掛 detail dialog share: the copies they edit, the head (種別 name,
// formula, standard quantity and unit, 歩掛データ タイプ, the H1..H8 lists), the line grid's cursor,
// and the amounts of an estimate row with their 参考金額 button. Each layout builds the pieces in its
// own order and lays them out itself.
class CBukakeDetailDlgBase : public CSekisanDialog {
    Q_OBJECT
public:
    static constexpr int kGridRows = 20;
    static constexpr int kHenkaritsuSlots = 8;

    ~CBukakeDetailDlgBase() override;

    void SetGyomuCode(int code) { m_gyomuCode = code; }
    void SetShubetsuName(const std::string& name) { m_shubetsuName = name; }
    void SetDetail(const CBukakeDetail& detail) { m_detail.Copy(detail); }
    void SetHenkaritsuFile(const CHenkaritsuFile& file) { m_henkaritsu.Copy(file); }
    void SetTankaFile(const CTankaFile& file) { m_tanka.Copy(file); }
    void SetZairyoTankaFile(const CZairyoTankaFile& file) { m_zairyo = file; }
    void SetUserCreated(int flag) { m_userCreated = flag; }
    // From an estimate row: its amount, the 業務 total and the context that prices the row. Without
    // a context the amounts stay hidden.
    void SetKingaku(int amount) { m_kingaku = amount; }
    void SetGokeiKingaku(int amount) { m_gokeiKingaku = amount; }
    void SetSankoKingakuContext(ISankoKingakuContext* context) { m_context = context; }

    // After OK.
    const CBukakeDetail& GetDetail() const { return m_detail; }
    // The material copy; changed := -1 unless material prices were edited from the dialog.
    const CZairyoTankaFile& GetZairyoTankaFile(int* changed) const {
        if (changed) *changed = m_materialChanged;
        return m_zairyo;
    }

    // Prices the detail as edited for the estimate row and shows the new amounts.
    void OnSankoKingaku();

protected:
    explicit CBukakeDetailDlgBase(QWidget* parent);

    // F5, the maintenance key, opens the 歩掛データ タイプ to change.
    void keyPressEvent(QKeyEvent* event) override;

    // The controls into the detail copy, without checks.
    virtual void ReadControls() = 0;

    // Builders of the shared pieces, called in each layout's creation order.
    QPushButton* MakeButton(const char* text, const char* name);
    // The 種別 name panel and the formula, quantity and unit fields.
    void MakeHeadFields();
    // The 歩掛データ タイプ list, disabled; shortH8 names type 13 without "(H8に設定)".
    void MakeTypeCombo(bool shortH8);
    // The H1..H8 lists, four to a row; h8First lays them out H8, H7, …, H1 and creates them so.
    QGridLayout* MakeHenkaritsuCombos(bool h8First);
    // The amount labels and the 参考金額 button, hidden.
    void MakeAmountControls();
    // The head: name, formula, quantity, unit and 歩掛データ タイプ (typeLabel beside the list).
    QGridLayout* HeadLayout(QWidget* typeLabel);
    // The grid's current cell and block follow the user's moves; moved then runs, Delete runs clear.
    void FollowCursor(std::function<void()> moved, std::function<void()> clear);

    // OnInitDialog's first steps: the name, the type list for a user's 種別, the H lists filled.
    void InitHead();
    // Opened from an estimate row: the amounts shown, the head locked; false otherwise.
    bool ShowEstimateRow();
    // The head's controls from the detail copy, and back.
    void ShowHead();
    void ReadHead();
    // The grid emptied, lines rows shown (at least kGridRows in all), the others hidden; redraw stays off.
    void ResetGridRows(int lines);
    // The formula checked, the controls read and the dialog closed with OK.
    void AcceptChecked();

    CBukakeDetailLine* Line(int row) const;
    void ShowAmounts();

    QLabel* m_name = nullptr;
    CZo_Edit* m_formula = nullptr;
    CZo_Edit* m_quantity = nullptr;
    CZo_Edit* m_unit = nullptr;
    QLabel* m_formulaLabel = nullptr;
    QLabel* m_quantityLabel = nullptr;
    QLabel* m_unitLabel = nullptr;
    std::array<QComboBox*, kHenkaritsuSlots> m_hCombos{};
    QComboBox* m_typeCombo = nullptr;
    CSpreadSheet* m_grid = nullptr;
    QLabel* m_kingakuLabel = nullptr;
    QLabel* m_gokeiLabel = nullptr;
    QPushButton* m_sankoButton = nullptr;

    int m_gyomuCode = kUnset;
    std::string m_shubetsuName;
    int m_currentRow = 1;
    int m_currentCol = 1;
    int m_blockRow2 = 1;
    int m_blockCol2 = 1;
    int m_kingaku = kUnset;
    int m_gokeiKingaku = kUnset;
    ISankoKingakuContext* m_context = nullptr;
    CBukakeDetail m_detail;
    CHenkaritsuFile m_henkaritsu;
    CTankaFile m_tanka;
    CZairyoTankaFile m_zairyo;
    int m_materialChanged = -1;
    int m_userCreated = 0;
};
