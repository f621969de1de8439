#pragma once
#include <vector>

#include "dialogkit/KeywordSearch.h"
#include "dialogkit/KeywordSearchDlg.h"
#include "master/BukakeFile.h"
#include "platform/Constants.h"

// Finds 工種 and 種別 of one 歩掛 業務 by keywords: the 工種 whose names match, then the matching 種別
// of each 工種, at most 100 rows. Double-clicking a row ends the dialog with OK: its 工種, and its
// 種別 when the 種別 column was double-clicked; a row without a hit gives neither.
class CKoshuSearchDlg : public CKeywordSearchDlg {
    Q_OBJECT
public:
    explicit CKoshuSearchDlg(QWidget* parent = nullptr);

    // Copies in the 業務 to search.
    void SetGyomu(const CBukakeGyomu& gyomu) { m_gyomu.Copy(gyomu); }
    // After OK: the chosen 工種 and 種別 codes (kUnset when none; the 種別 also for a 工種 row).
    int GetKoshuCode() const { return m_koshu; }
    int GetShubetsuCode() const { return m_shubetsu; }

protected:
    std::vector<std::pair<QString, QString>> Search(const std::vector<std::string>& keywords) override;
    void Choose(int col, int row) override;

private:
    CBukakeGyomu m_gyomu;
    int m_koshu = kUnset;
    int m_shubetsu = kUnset;
    std::vector<KoshuSearchHit> m_hits;
};
