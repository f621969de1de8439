#pragma once
#include <cstdint>
#include <vector>

#include "dialogkit/SekisanDialog.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "masteredit/MasterPrintHolder.h"

class CHenkaritsuRecordList;
class QComboBox;
class QHBoxLayout;
class QPushButton;

// The top row of the rate editor and the rate import: "業務名" and the list of 業務 groups (named gyomu).
QHBoxLayout* MakeHenkaritsuGyomuRow(QWidget* parent, QComboBox*& combo);
// The 業務 groups of the 変化率・補正率 master offered in a combo box, by their codes (業務 5 shows
// group 4, which serves both); a group whose code is above 32 is not offered. Each entry holds its
// 業務 code; the first becomes current.
void FillHenkaritsuGyomuCombo(QComboBox& combo, const CHenkaritsuFile& file, const std::vector<uint8_t>& codes);
// The 業務 code of the entry at index; unset for none.
int HenkaritsuGyomuAt(const QComboBox& combo, int index);

// Edits a copy of the 変化率・補正率 master: the user picks a 業務 group and edits its records in the
// record list (CHenkaritsuRecordList). A record whose code changes or which is deleted takes its
// 歩掛 references along in a copy of the 歩掛 master; the 歩掛-changed flag then tells the opener to
// save that master too. The records of the group print and preview as a list; while its preview is
// open, printing, OK and Cancel are refused.
class CHenkaritsuEditDlg : public CSekisanDialog {
    Q_OBJECT
public:
    explicit CHenkaritsuEditDlg(QWidget* parent = nullptr);

    void SetBukakeFile(const CBukakeFile& file) { m_bukake.Copy(file); }
    void SetHenkaritsuFile(const CHenkaritsuFile& file) { m_henkaritsu.Copy(file); }
    void SetGyomuCodes(const std::vector<uint8_t>& codes) { m_codes = codes; }
    const CBukakeFile& GetBukakeFile() const { return m_bukake; }
    const CHenkaritsuFile& GetHenkaritsuFile() const { return m_henkaritsu; }
    // 1 once a code change or a deletion rewrote the 歩掛 copy.
    int IsBukakeChanged() const { return m_bukakeChanged; }

    CHenkaritsuRecordList* Records() const { return m_records; }
    void OnInitDialog() override;
    // The list of the group shown (nothing without one): preview and print.
    void OnPreview();
    void OnPrint();
    void accept() override;
    void reject() override;

    // The list's report job; the master-list template is looked for in the program folder set here.
    CMasterPrintHolder& ListPrint() { return m_print; }

private:
    void OnGyomuChange(int index);

    QComboBox* m_gyomuCombo;
    CHenkaritsuRecordList* m_records;
    QPushButton* m_previewButton;
    QPushButton* m_printButton;
    std::vector<uint8_t> m_codes;
    CBukakeFile m_bukake;
    CHenkaritsuFile m_henkaritsu;
    int m_bukakeChanged = 0;
    CMasterPrintHolder m_print;
};
