#pragma once
#include "dialogkit/SekisanDialog.h"
#include "master/HenkaritsuFile.h"

// Edits the auxiliary formulas S1..S8 of a record, each with the lower and upper LL limit it
// applies between, and the default auxiliary formula. Nothing is checked.
class CHenkaritsuHojoShikiDlg : public CSekisanDialog {
    Q_OBJECT
public:
    explicit CHenkaritsuHojoShikiDlg(QWidget* parent = nullptr);

    void SetRecord(const CHenkaritsuRecord& record) { m_record.Copy(record); }
    void GetRecord(CHenkaritsuRecord& record) const { record.Copy(m_record); }

    void OnInitDialog() override;
    void accept() override;

private:
    CZo_Edit* m_lower[8];
    CZo_Edit* m_upper[8];
    CZo_Edit* m_formula[8];
    CZo_Edit* m_default;
    CHenkaritsuRecord m_record;
};
