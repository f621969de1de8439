#pragma once
#include <cstdint>
#include <vector>

#include "dialogkit/SekisanDialog.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/MasterDialogs.h"

class CHenkaritsuRecordList;
class QComboBox;
class QPushButton;

// Copies 変化率・補正率 records from another master file (the source, upper list) into a copy of the
// application's master (the destination, lower list), one 業務 group at a time. Both lists edit their
// records as the rate editor does; only the destination's code changes and deletions rewrite the
// 歩掛 references, in a copy of the 歩掛 master. A record imported over a namesake of the same code
// replaces it, or is added beside it as "インポート～…" with the first free code of its own range
// (1..999 for a shipped record, 1000..2000 for the user's). The source is never written.
class CHenkaritsuImportDlg : public CSekisanDialog, public IHenkaritsuImportDialog {
    Q_OBJECT
public:
    explicit CHenkaritsuImportDlg(QWidget* parent = nullptr);

    void SetGyomuCodes(const std::vector<uint8_t>& codes) override { m_codes = codes; }
    void SetBukakeFile(const CBukakeFile& file) override { m_bukake.Copy(file); }
    void SetSourceFile(const CHenkaritsuFile& file) override { m_source.Copy(file); }
    void SetDestFile(const CHenkaritsuFile& file) override { m_dest.Copy(file); }
    int DoModal() override { return CSekisanDialog::DoModal(); }
    void GetDestFile(CHenkaritsuFile& file) const override { file.Copy(m_dest); }
    void GetBukakeFile(CBukakeFile& file) const override { file.Copy(m_bukake); }
    int IsBukakeChanged() const override { return m_bukakeChanged; }

    const CHenkaritsuFile& Source() const { return m_source; }
    const CHenkaritsuFile& Dest() const { return m_dest; }
    CHenkaritsuRecordList* SourceRecords() const { return m_sourceRecords; }
    CHenkaritsuRecordList* DestRecords() const { return m_destRecords; }

    void OnInitDialog() override;
    // "変化率・補正率データのインポート": the chosen source record into the destination group.
    void OnImport();

private:
    void OnGyomuChange(int index);
    void EnableImport();

    QComboBox* m_gyomuCombo;
    CHenkaritsuRecordList* m_sourceRecords;
    CHenkaritsuRecordList* m_destRecords;
    QPushButton* m_importButton;
    std::vector<uint8_t> m_codes;
    CBukakeFile m_bukake;
    CHenkaritsuFile m_source;
    CHenkaritsuFile m_dest;
    int m_bukakeChanged = 0;
};
