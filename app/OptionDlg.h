#pragma once
#include <QString>
#include <array>

#include "dialogkit/SekisanDialog.h"

class QButtonGroup;
class QGroupBox;
class QRadioButton;
struct CAppSettings;

// The thirteen settings the options dialog shows: the index of the chosen button of each radio
// group (-1: none chosen), and the two roundings of corrected quantities.
struct COptionValues {
    int SeidoCalc = -1;
    int ShokeihiCalc = -1;
    int SekouCalc = -1;
    int GijyutuCalc = -1;
    int DefGijyutuCalc = -1;
    int DensiDsp = -1;
    int DaikaOn = -1;
    int MarumeDsp = -1;
    int SeidoDsp = -1;
    int ZairyoDsp = -1;
    int DouroCalc = -1;
    int HoseiMarumeKeta = -1;
    int HoseiMarumeKind = -1;
    bool operator==(const COptionValues&) const = default;
};

// The thirteen settings of the application, in the order of the dialog's members, and back.
COptionValues OptionValuesOf(const CAppSettings& settings);
void ApplyOptionValues(const COptionValues& values, CAppSettings& settings);

// "オプション": the calculation and display options. The choices depend on each other: the
// 技術経費率 choice below 統一 is only open while 統一 is chosen, and while 電子計算機使用料 is
// counted in the direct labour its own row cannot be chosen. The road-rounding and the correction
// rounding groups are kept but never shown; the 物件調査 group shows only while 物件調査 is in use.
class COptionDlg : public CSekisanDialog {
    Q_OBJECT
public:
    explicit COptionDlg(QWidget* parent = nullptr);

    void SetValues(const COptionValues& values) { m_values = values; }
    const COptionValues& GetValues() const { return m_values; }
    // The application's 物件調査 setting (NorinHoshoUse).
    void SetNorinHoshoUse(int use) { m_norinHoshoUse = use; }

    void OnInitDialog() override;
    void accept() override;
    // Reads the controls, applies the rules between the choices and shows the result.
    void UpdateState();

    // The radio button of a setting's choice ("ShokeihiCalc", 0); null for an unknown one.
    QRadioButton* Choice(const char* setting, int index) const;

private:
    struct Group {
        const char* name;
        int COptionValues::*member;
        QButtonGroup* buttons;
    };
    void ReadControls();
    void WriteControls();

    COptionValues m_values;
    int m_norinHoshoUse = 0;
    std::array<Group, 12> m_groups{};
    QGroupBox* m_bukkenGroup = nullptr;
    QGroupBox* m_douroGroup = nullptr;
    QWidget* m_roundingGroup = nullptr;
    CZo_Edit* m_marumeKeta = nullptr;
};
