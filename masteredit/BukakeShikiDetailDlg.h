#pragma once
#include <array>
#include <string>

#include "app/dialogs/SekisanDialog.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"

class CSpreadSheet;
class ISankoKingakuContext;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// The expense-detail layout of the 歩掛 detail, for 土質調査 種別 whose 歩掛データ タイプ is not 0. Each
// line of the detail is a priced entry — a trade of the 単価 master (直接人件費, 労務費) or a
// material-price item (材料費, 機械器具損料, 動力費・その他) with a quantity or formula and a 損率
// text — and two free expense items, Z1 任意材料費 and Z2 任意機械経費, are each computed from a
// chosen basis and a rate. In this layout a line's kind, id and quantity are its first three column
// values, its text the 損率; the Z1 and Z2 methods sit in the first two 職種 slots, the Z1 rate in the
// 材料費率 and the Z2 rate in the 機械経費率.
class CBukakeShikiDetailDlg : public CSekisanDialog {
    Q_OBJECT
public:
    enum Column { kKindCol = 1, kNameCol = 2, kQuantityCol = 3, kLossCol = 4 };
    // 単価種別 of a line.
    enum Kind { kNone = 0, kLabour = 1, kRomu = 2, kMaterial = 3, kMachine = 4, kPower = 5 };
    static constexpr int kGridRows = 20;
    static constexpr int kHenkaritsuSlots = 8;

    explicit CBukakeShikiDetailDlg(QWidget* parent = nullptr);
    ~CBukakeShikiDetailDlg() override;

    void SetGyomuCode(int code) { m_gyomuCode = code; }
    void SetShubetsuName(const std::string& name) { m_shubetsuName = name; }
    void SetDetail(const CBukakeDetail& detail) { m_detail.Copy(detail); }
    void SetHenkaritsuFile(const CHenkaritsuFile& file) { m_henkaritsu.Copy(file); }
    void SetTankaFile(const CTankaFile& file) { m_tanka.Copy(file); }
    void SetZairyoTankaFile(const CZairyoTankaFile& file) { m_zairyo = file; }
    void SetUserCreated(int flag) { m_userCreated = flag; }
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

    void OnInitDialog() override;
    void accept() override;

    void OnRowDelete();
    void OnRowInsert();
    void OnSankoKingaku();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FillGrid();
    void RefreshRows();
    void UpdateControls();
    void OnZ1(int index);
    void OnZ2(int index);
    void OnGridChange(int col, int row);
    void ChooseName(int row);
    void ReadControls();
    void ShowAmounts();
    CBukakeDetailLine* Line(int row) const;
    QString NameOf(const CBukakeDetailLine& line) const;

    std::array<QComboBox*, kHenkaritsuSlots> m_hCombos{};
    QComboBox* m_typeCombo;
    CSpreadSheet* m_grid;
    QLabel* m_name;
    CZo_Edit* m_formula;
    CZo_Edit* m_quantity;
    CZo_Edit* m_unit;
    QButtonGroup* m_z1Radios;
    QLabel* m_z1Label;
    CZo_Edit* m_z1Rate;
    QButtonGroup* m_z2Radios;
    QLabel* m_z2Label;
    CZo_Edit* m_z2Rate;
    QCheckBox* m_optionCheck;
    QPushButton* m_deleteButton;
    QPushButton* m_insertButton;
    QLabel* m_kingakuLabel;
    QLabel* m_gokeiLabel;
    QPushButton* m_sankoButton;

    int m_z1Index = -1;
    int m_z2Index = -1;
    int m_materialChanged = -1;
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
    int m_userCreated = 0;
};
