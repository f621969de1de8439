#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "dialogkit/SekisanDialog.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"
#include "masteredit/MasterPrintHolder.h"
#include "report/BukakeDetailSheets.h"

class CKoshuShubetsuLists;
class QComboBox;
class QLabel;
class QPushButton;

// The 歩掛 file editor: the user picks a 業務 and edits its 工種 and 種別 in the two lists (change,
// create, copy, insert, delete, move, detail settings) and searches them by keywords. It works on
// copies of the masters; the detail dialogs may edit the material-price copy, which the opener then
// takes back with its flag. Enter neither closes the dialog nor moves the focus. The 工種 list and the
// 種別 list of the current 工種 preview and print; while their preview is open, printing, OK and
// Cancel are refused.
class CBukakeEditDlg : public CSekisanDialog {
    Q_OBJECT
public:
    explicit CBukakeEditDlg(QWidget* parent = nullptr);
    ~CBukakeEditDlg() override;

    void SetBukakeFile(const CBukakeFile& file) { m_bukake.Copy(file); }
    void SetHenkaritsuFile(const CHenkaritsuFile& file) { m_henkaritsu.Copy(file); }
    void SetTankaFile(const CTankaFile& file) { m_tanka.Copy(file); }
    void SetZairyoTankaFile(const CZairyoTankaFile& file) { m_zairyo.Copy(file); }
    // The 業務 offered, in order; those the 歩掛 copy lacks (or above 32) are left out of the list.
    void SetGyomuCodes(const std::vector<uint8_t>& codes) { m_gyomuCodes = codes; }
    // What the detail dialogs print their 代価 and 明細 with.
    void SetDetailPrintSetup(const CBukakeDetailPrintSetup& setup);

    const CBukakeFile& GetBukakeFile() const { return m_bukake; }
    // The material-price copy; changed := -1 when no detail dialog edited it.
    const CZairyoTankaFile& GetZairyoTankaFile(int* changed) const {
        *changed = m_zairyoChanged;
        return m_zairyo;
    }

    void OnInitDialog() override;

    // The 業務 at this index of the list becomes current with its first 工種 and 種別.
    void OnGyomuChosen(int index);
    // "検　索": the 工種 (and 種別) found becomes current.
    void OnSearch();
    // The 工種 list and the 種別 list (nothing without a current 工種): preview and print.
    void OnKoshuPreview();
    void OnKoshuPrint();
    void OnShubetsuPreview();
    void OnShubetsuPrint();
    void accept() override;
    void reject() override;

    // The lists' report job; the master-list template is looked for in the program folder set here.
    CMasterPrintHolder& ListPrint() { return m_print; }

    CKoshuShubetsuLists* Lists() const { return m_lists; }

private:
    void UpdateLegend();

    CBukakeFile m_bukake;
    CHenkaritsuFile m_henkaritsu;
    CTankaFile m_tanka;
    CZairyoTankaFile m_zairyo;
    int m_zairyoChanged = -1;
    std::vector<uint8_t> m_gyomuCodes;

    QComboBox* m_gyomuCombo;
    CKoshuShubetsuLists* m_lists;
    QPushButton* m_searchButton;
    std::array<QPushButton*, 4> m_printButtons{};
    std::array<QLabel*, 5> m_legend{};  // three colour lines and the two of the 従来の積算手法
    CMasterPrintHolder m_print;
};
