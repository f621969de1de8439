#pragma once
#include <vector>

#include "app/ItemSelectDlg.h"
#include "estimate/SekisanItemList.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "platform/Constants.h"

class QLabel;

// "種別選択": which 種別 one 工種 of the estimate holds. The master list shows every 種別 of the master
// 工種 (one can be added more than once), the chosen list the 種別 nodes under the 工種 node by their
// names; under each list the coefficient of its selected 種別. Adding inserts new 種別 nodes seeded
// from the master (NewShubetsuItem) after the 工種's last 種別 node; removing takes the selected rows
// out. In 業務 2, 4, 5 and 7, with 技術経費 calculated as one (GijyutuCalc 0), OK first asks when the
// 工種's 種別 carry different 技術経費; Yes keeps the dialog open.
//
// Use: SetItemList, SetBukakeFile, SetHenkaritsuFile, SetGyomuCode, SetKoshuCode, SetShubetsuCode
// (optional preselection), SetGijyutuCalc; DoModal; after IDOK GetItemList.
class CShubetsuSelectDlg : public CItemSelectDlg {
    Q_OBJECT
public:
    explicit CShubetsuSelectDlg(QWidget* parent = nullptr);

    void SetItemList(const CSekisanItemList& list) { m_working.Copy(list); }
    void SetBukakeFile(const CBukakeFile& bukake) { m_bukake.Copy(bukake); }
    void SetHenkaritsuFile(const CHenkaritsuFile& henkaritsu) { m_henkaritsu.Copy(henkaritsu); }
    void SetGyomuCode(int gyomu) { m_gyomu = gyomu; }
    void SetKoshuCode(int koshu) { m_koshu = koshu; }
    // The master 種別 selected on opening; kUnset or a negative code for none.
    void SetShubetsuCode(int shubetsu) { m_preselect = shubetsu; }
    // The application's GijyutuCalc setting (0: one 技術経費 for the 業務).
    void SetGijyutuCalc(int gijyutuCalc) { m_gijyutuCalc = gijyutuCalc; }
    void GetItemList(CSekisanItemList& list) const { list.Copy(m_working); }

    void OnInitDialog() override;
    void OnAdd() override;
    void OnRemove() override;
    void accept() override;

protected:
    void OnSelectionChanged() override;

private:
    void RefillChosen();
    void ApplyLegends();
    const CBukakeKoshu* MasterKoshu() const { return m_bukake.FindKoshu(m_gyomu, m_koshu); }

    QLabel* m_masterCoefficient;
    QLabel* m_chosenCoefficient;
    Legends m_legends{};

    CSekisanItemList m_working;
    CBukakeFile m_bukake;
    CHenkaritsuFile m_henkaritsu;
    int m_gyomu = kUnset;
    int m_koshu = kUnset;
    int m_preselect = kUnset;
    int m_gijyutuCalc = 0;
    std::vector<int> m_chosenPositions;  // position in m_working of each chosen row
};
