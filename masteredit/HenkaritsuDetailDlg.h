#pragma once
#include <string>

#include "dialogkit/SekisanDialog.h"
#include "master/HenkaritsuFile.h"
#include "master/KoshuCategory.h"

class CSpreadSheet;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// Edits one 変化率・補正率 record: its type, and either its 16 × 32 table of rates with the row and
// column headings, the standard cell and the 区分率 switch (表を使用), or its formula with name,
// unit, LL default, remarks and the auxiliary formulas (式を使用). Table cells and headings go into
// the record as they are edited; the formula fields at OK, which refuses an empty or invalid
// formula in formula mode.
class CHenkaritsuDetailDlg : public CSekisanDialog {
    Q_OBJECT
public:
    explicit CHenkaritsuDetailDlg(QWidget* parent = nullptr);

    void SetRecord(const CHenkaritsuRecord& record) { m_record.Copy(record); }
    void GetRecord(CHenkaritsuRecord& record) const { record.Copy(m_record); }
    const CHenkaritsuRecord& Record() const { return m_record; }
    void SetGyomuCode(int gyomu) { m_gyomu = gyomu; }

    void OnInitDialog() override;
    void accept() override;

    void OnTitleChange();
    void OnStandard();
    void OnClear();
    void OnKubun();
    void OnAuxiliary();

    // A heading as the grid shows it: its first "\n" marker becomes a line break.
    static QString DisplayHeading(const std::string& stored);

private:
    void PaintStandard();
    void ApplyStates();
    void OnGridChange(int col, int row);
    // The selected cells inside the table; false when the block holds none.
    bool Block(int& col1, int& row1, int& col2, int& row2) const;
    bool IsTableMode() const { return m_record.m_mode == 0; }
    bool HasKubunButton() const { return IsSekkeiGyomu(m_gyomu) || m_gyomu == Gyomu::Bukken; }

    QLabel* m_nameLabel;
    QComboBox* m_typeCombo;
    CSpreadSheet* m_grid;
    QButtonGroup* m_modeGroup;
    CZo_Edit* m_formulaEdit;
    CZo_Edit* m_formulaNameEdit;
    CZo_Edit* m_unitEdit;
    CZo_Edit* m_llEdit;
    QLabel* m_formulaLabels[4];
    QPlainTextEdit* m_remarksEdit;
    QCheckBox* m_useAuxiliary;
    QPushButton* m_auxiliaryButton;
    QPushButton* m_titleButton;
    QPushButton* m_standardButton;
    QPushButton* m_clearButton;
    QPushButton* m_kubunButton;
    QLabel* m_kubunNote;

    int m_gyomu = kUnset;
    // The selection: its first cell and its other corner, as the grid reports them.
    int m_col1 = 1, m_row1 = 1, m_col2 = 1, m_row2 = 1;
    CHenkaritsuRecord m_record;
};
