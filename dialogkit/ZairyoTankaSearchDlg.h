#pragma once
#include <vector>

#include "dialogkit/KeywordSearchDlg.h"
#include "master/ZairyoTankaFile.h"
#include "platform/Constants.h"

// Finds articles of the material-price master by keywords in their 品名 or, failing that, their
// 規格; at most 100 rows. Double-clicking a row ends the dialog with OK and its article (none for a
// row without a hit).
class CZairyoTankaSearchDlg : public CKeywordSearchDlg {
    Q_OBJECT
public:
    explicit CZairyoTankaSearchDlg(QWidget* parent = nullptr);

    // Copies in the master to search.
    void SetZairyoTankaFile(const CZairyoTankaFile& file) { m_file.Copy(file); }
    // After OK: the chosen article's id (kUnset when none).
    int GetItemId() const { return m_id; }

protected:
    std::vector<std::pair<QString, QString>> Search(const std::vector<std::string>& keywords) override;
    void Choose(int col, int row) override;

private:
    CZairyoTankaFile m_file;
    int m_id = kUnset;
    std::vector<int> m_hits;  // positions of the hits in m_file
};
