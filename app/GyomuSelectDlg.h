#pragma once
#include <cstdint>
#include <vector>

#include "app/ItemSelectDlg.h"
#include "app/ItemSelection.h"
#include "estimate/SekisanItemList.h"
#include "master/BukakeFile.h"
#include "master/TankaFile.h"

// "業務選択": which 業務 the estimate holds. The master list offers the allowed 業務 of the 歩掛 master
// not yet chosen, the chosen list the estimate's 業務, both by their master names and in master
// order once one is added or removed. 業務 of the estimate that cannot be listed (not allowed, or
// missing from the master) are not shown and are kept where they stand. OK rebuilds the working list:
// each chosen 業務 with its whole subtree, a new one as a bare node (NewGyomuItem).
//
// Use: SetItemList, SetBukakeFile, SetTankaFile, SetGyomuCodes; DoModal; after IDOK GetItemList.
class CGyomuSelectDlg : public CCodeSelectDlg {
    Q_OBJECT
public:
    explicit CGyomuSelectDlg(QWidget* parent = nullptr);

    // Copies in the estimate's items, the masters and the allowed 業務 codes (GetGyomuCodes).
    void SetItemList(const CSekisanItemList& list) { m_working.Copy(list); }
    void SetBukakeFile(const CBukakeFile& bukake) { m_bukake.Copy(bukake); }
    void SetTankaFile(const CTankaFile& tanka) { m_tanka.Copy(tanka); }
    void SetGyomuCodes(const std::vector<uint8_t>& codes) { m_allowed = codes; }
    // The working list (after OK the rebuilt one).
    void GetItemList(CSekisanItemList& list) const { list.Copy(m_working); }

    void OnInitDialog() override;
    void accept() override;

    // The codes the chosen list shows, row by row.
    std::vector<int32_t> ChosenCodes() const;

private:
    void Refill() override;
    QString GyomuName(int32_t code) const;

    CSekisanItemList m_working;
    CBukakeFile m_bukake;
    CTankaFile m_tanka;
    std::vector<uint8_t> m_allowed;
};
