#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "app/ItemSelectDlg.h"
#include "app/ItemSelection.h"
#include "estimate/SekisanItemList.h"
#include "master/BukakeFile.h"
#include "platform/Constants.h"

class QLabel;
class QPushButton;

// "工種選択": which 工種 one 業務 of the estimate holds. The master list offers the 業務's 工種 of the
// 歩掛 master not yet chosen, the chosen list the 業務's 工種 nodes, by their master names and icons.
// A 業務 without 工種 starts with the initial selection (the file of the 業務, else the rule). 工種
// of the estimate missing from the master are not shown and are kept with their 種別 where they
// stand. "検　索" finds a 工種 or 種別 by keywords (CKoshuSearchDlg): the 工種 is selected, and with a
// 種別 it is added and the dialog ends with OK, reporting both codes. OK rebuilds the 業務's part of
// the working list: each chosen 工種 with its 種別, a new one as a node with its defaults
// (NewKoshuItem).
//
// Use: SetItemList, SetBukakeFile, SetGyomuCode, SetInitialSelectionLoader; DoModal; after IDOK
// GetItemList, GetKoshuCode and GetShubetsuCode.
class CKoshuSelectDlg : public CCodeSelectDlg {
    Q_OBJECT
public:
    // Reads the initial-selection file of a 業務 (CVemoWinApp::LoadInitialSelection): 0 when read.
    using InitialSelectionLoader = std::function<int(int gyomu, std::span<int> values, int variant)>;

    explicit CKoshuSelectDlg(QWidget* parent = nullptr);

    void SetItemList(const CSekisanItemList& list) { m_working.Copy(list); }
    void SetBukakeFile(const CBukakeFile& bukake) { m_bukake.Copy(bukake); }
    void SetGyomuCode(int gyomu) { m_gyomu = gyomu; }
    // Without a loader a new 業務 gets the rule's 工種.
    void SetInitialSelectionLoader(InitialSelectionLoader loader) { m_loader = std::move(loader); }
    void GetItemList(CSekisanItemList& list) const { list.Copy(m_working); }
    // The 工種 and 種別 a search ended the dialog with; kUnset when no search did.
    int GetKoshuCode() const { return m_searchKoshu; }
    int GetShubetsuCode() const { return m_searchShubetsu; }

    void OnInitDialog() override;
    void OnSearch();
    void accept() override;

    std::vector<int32_t> ChosenCodes() const;

private:
    void Refill() override;
    void ApplyLegends();
    std::vector<Entry> Entries(const std::vector<int32_t>& codes) const;

    QPushButton* m_searchButton;
    Legends m_legends{};
    QLabel* m_note;

    CSekisanItemList m_working;
    CBukakeFile m_bukake;
    int m_gyomu = kUnset;
    InitialSelectionLoader m_loader;
    int m_searchKoshu = kUnset;
    int m_searchShubetsu = kUnset;
};
