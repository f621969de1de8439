#pragma once
#include <cstdint>
#include <vector>

#include "dialogkit/SekisanDialog.h"
#include "master/ShokeihiFile.h"

class QComboBox;

// Edits the overhead rate (諸経費率) of each offered 業務 in a copy of the 諸経費 master. The list
// offers, in the order given, each 業務 code that has a record (codes up to 32); the rate typed for
// an entry goes into the record of that entry's 業務 code, kept while the 業務 is switched, and
// "保存して終了" stores the last one. An empty field leaves the rate unset.
class CShokeihiEditDlg : public CSekisanDialog {
    Q_OBJECT
public:
    explicit CShokeihiEditDlg(QWidget* parent = nullptr);

    void SetShokeihiFile(const CShokeihiFile& file) { m_file.Copy(file); }
    void SetGyomuCodes(const std::vector<uint8_t>& codes) { m_gyomuCodes = codes; }
    const CShokeihiFile& GetShokeihiFile() const { return m_file; }

    void OnInitDialog() override;
    void accept() override;

private:
    void OnGyomuChanged(int index);
    // The record of the list entry at index; null without one.
    CShokeihiRecord* RecordAt(int index) const;
    void StoreRate(int index);
    void ShowRate(int index);

    QComboBox* m_gyomuList;
    CZo_Edit* m_rateEdit;
    std::vector<uint8_t> m_gyomuCodes;
    int m_index = 0;
    CShokeihiFile m_file;
    std::vector<int32_t> m_listedCodes;  // the 業務 code of each list entry
};
