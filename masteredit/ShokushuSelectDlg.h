#pragma once
#include "dialogkit/SekisanDialog.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"

class QComboBox;
class QLabel;
class QPushButton;

// Picks one entry from a drop-down list, "なし" first: a trade of a copy of the 単価 master
// (modes 0 and 1) or an item of one kind of a copy of the material-price file (modes 2 and 3). In
// the material modes 単価編集 edits the chosen item in the item dialog; every item edited while the
// dialog is open stays in the material copy the caller takes back.
class CShokushuSelectDlg : public CSekisanDialog {
    Q_OBJECT
public:
    enum Mode { kTradeName = 0, kTradePrice = 1, kMaterialPrice = 2, kMaterialExpense = 3 };

    explicit CShokushuSelectDlg(QWidget* parent = nullptr);

    void SetTankaFile(const CTankaFile& file) { m_tanka.Copy(file); }
    // The list position shown at first in modes 0 and 1: 0 "なし", n the trade of row n − 1.
    void SetSelection(int selection) { m_selection = selection; }
    void SetMode(int mode) { m_mode = mode; }
    void SetZairyoTankaFile(const CZairyoTankaFile& file) { m_zairyo = file; }
    // The item shown at first in modes 2 and 3, and the kind listed.
    void SetMaterialItem(int id, int kind) {
        m_materialId = id;
        m_materialKind = kind;
    }

    // After OK: modes 0 and 1 the list position; modes 2 and 3 the chosen item's index in the whole
    // material copy, unset for "なし".
    int GetSelection() const { return m_selection; }
    // The material copy; changed := 1 when an item was edited, -1 when none was.
    const CZairyoTankaFile& GetZairyoTankaFile(int* changed) const {
        if (changed) *changed = m_materialChanged;
        return m_zairyo;
    }

    void OnInitDialog() override;
    void accept() override;
    void OnEditItem();

private:
    void Fill();
    bool MaterialMode() const { return m_mode == kMaterialPrice || m_mode == kMaterialExpense; }
    void UpdateEditButton();

    QComboBox* m_list;
    QLabel* m_label;
    QPushButton* m_editButton;
    CTankaFile m_tanka;
    int m_selection = kUnset;
    int m_materialId = -1;
    int m_materialKind = -1;
    int m_materialChanged = -1;
    CZairyoTankaFile m_zairyo;
    int m_mode = kTradeName;
};
