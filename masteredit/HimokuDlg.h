#pragma once
#include <array>
#include <string>

#include "dialogkit/SekisanDialog.h"
#include "master/BukakeFile.h"
#include "master/ZairyoTankaFile.h"

class CSpreadSheet;
class QButtonGroup;
class QLabel;
class QPushButton;

// Edits a copy of a 歩掛 detail's 費目 settings: the expense items (材料費, 機械経費, その他経費 with
// their material, 損率 and 数量または式) in a grid of at most 15 rows, and how each of the free amounts
// Z1, Z2 and Z3 is computed (a basis bit set and a rate). Materials are chosen in the trade and
// material selection dialog; material prices edited there come back with the set.
class CHimokuDlg : public CSekisanDialog {
    Q_OBJECT
public:
    enum Column { kKindCol = 1, kNameCol = 2, kLossCol = 3, kQuantityCol = 4 };
    static constexpr int kMaxItems = 15;
    static constexpr int kGroups = 3;  // Z1, Z2, Z3

    explicit CHimokuDlg(QWidget* parent = nullptr);

    void SetGyomuCode(int code) { m_gyomuCode = code; }
    void SetShubetsuName(const std::string& name) { m_shubetsuName = name; }
    void SetHimokuSet(const CBukakeHimokuSet& set) { m_set = set; }
    void SetZairyoTankaFile(const CZairyoTankaFile& file) { m_zairyo = file; }

    // After OK.
    const CBukakeHimokuSet& GetHimokuSet() const { return m_set; }
    // The material copy; chosen := -1 when no material was edited, else the index of the material
    // chosen after the last edit.
    const CZairyoTankaFile& GetZairyoTankaFile(int* chosen) const {
        if (chosen) *chosen = m_chosenMaterial;
        return m_zairyo;
    }

    void OnInitDialog() override;
    void accept() override;

    int CurrentRow() const { return m_currentRow; }

    void OnAdd();
    void OnInsert();
    void OnDelete();
    void OnClear();
    void OnUp();
    void OnDown();

private:
    void FillGrid();
    void UpdateButtons();
    void OnRadio(int group, int index);
    void OnGridChange(int col, int row);
    void ChooseMaterial(int row);
    CBukakeHimoku* Item(int row) const;
    bool AddOrInsert(int at, const char* refusal);

    CSpreadSheet* m_grid;
    QLabel* m_name;
    std::array<QButtonGroup*, kGroups> m_radios{};
    std::array<QLabel*, kGroups> m_rateLabels{};
    std::array<CZo_Edit*, kGroups> m_rateFields{};
    QPushButton* m_addButton;
    QPushButton* m_insertButton;
    QPushButton* m_deleteButton;
    QPushButton* m_clearButton;
    QPushButton* m_upButton;
    QPushButton* m_downButton;

    int m_gyomuCode = kUnset;
    std::string m_shubetsuName;
    CBukakeHimokuSet m_set;
    CZairyoTankaFile m_zairyo;
    int m_chosenMaterial = -1;
    std::array<int, kGroups> m_radioIndex{};
    int m_currentRow = 1;
    int m_currentCol = 1;
    int m_blockRow2 = 1;
    int m_blockCol2 = 1;
};
