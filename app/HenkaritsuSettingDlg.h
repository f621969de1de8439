#pragma once
#include <QString>

#include "dialogkit/SekisanDialog.h"
#include "dialogkit/SpreadSheet.h"
#include "estimate/SekisanItem.h"
#include "master/HenkaritsuFile.h"
#include "platform/Constants.h"

class QButtonGroup;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// One change-rate slot of a work item: the slot's 変化率・補正率 record as its table, where the
// user picks the cell that applies, or as its formula, for which the user gives the value LL.
// The caller walks an item's slots with it: "次へ" takes the choice into the dialog's copy of the
// item (DoModal returns IDOK), "戻る" goes back (kBack), ｷｬﾝｾﾙ skips the slot (IDCANCEL).
//
// For the 掛率 record (code 900) of slot 8 the dialog may ask how a new 掛率 combines with the
// one the item has: replacing it (apply mode 0) or multiplying it (1).
class CHenkaritsuSettingDlg : public CSekisanDialog {
    Q_OBJECT
public:
    // DoModal's result for "戻る" (also when the button reads "ｷｬﾝｾﾙ").
    static constexpr int kBack = 1298;
    // The slot whose LL value is the item's 掛率, and the code of the 掛率 record.
    static constexpr int kKakeritsuSlot = 8;
    static constexpr int kKakeritsuCode = 900;
    // A 掛率 of 1.0 (×10000).
    static constexpr int kKakeritsuOne = 10000;
    // Colours (0x00BBGGRR) of the table.
    static constexpr COLORREF kBlack = 0x000000;
    static constexpr COLORREF kWhite = 0xFFFFFF;
    static constexpr COLORREF kBlue = 0xFF0000;
    static constexpr COLORREF kTableSelection = 0xFF8080;
    static constexpr COLORREF kFormulaSelection = 0xC0C0C0;

    explicit CHenkaritsuSettingDlg(QWidget* parent = nullptr);

    void SetSlot(int slot) { m_slot = slot; }
    void SetItem(const CSekisanItem& item) { m_item.Copy(item); }
    void SetRecord(const CHenkaritsuRecord& record) { m_record.Copy(record); }
    // 0 disables "戻る" (the first slot of a walk).
    void SetBackEnabled(int enabled) { m_backEnabled = enabled; }
    // 1 relabels "戻る" as "ｷｬﾝｾﾙ".
    void SetBackAsCancel(int asCancel) { m_backAsCancel = asCancel; }
    // 1 when one 掛率 is given for several rows at once.
    void SetGroupMode(int groupMode) { m_groupMode = groupMode; }
    void SetApplyMode(int applyMode) { m_applyMode = applyMode; }

    // The item with the slot's choice (after "次へ").
    const CSekisanItem& GetItem() const { return m_item; }
    int GetApplyMode() const { return m_applyMode; }
    // The item's 掛率 (slot 8's LL value, ×10000).
    int GetKakeritsu() const { return m_item.m_nLL[kKakeritsuSlot]; }

    void OnInitDialog() override;
    // "次へ".
    void accept() override;

private:
    int Slot() const;
    bool FormulaMode() const { return m_mode == 1; }
    void FillGrid();
    void Highlight();
    void UpdateControlState();
    void OnLeaveCell(int col, int row, int newCol, int newRow, bool& cancel);
    void OnBlockSelected(int col, int row, int col2, int row2);
    void OnCellChanged(int col, int row);

    QLabel* m_nameLabel;
    CSpreadSheet* m_grid;
    QButtonGroup* m_modeGroup;
    QRadioButton* m_tableRadio;
    QRadioButton* m_formulaRadio;
    CZo_Edit* m_formulaEdit;
    CZo_Edit* m_llEdit;
    CZo_Edit* m_formulaNameEdit;
    CZo_Edit* m_unitEdit;
    QPlainTextEdit* m_remarksEdit;
    QLabel* m_kubunNote;
    QLabel* m_formulaNameLabel;
    QLabel* m_formulaLabel;
    QLabel* m_llLabel;
    QLabel* m_applyNote;
    QButtonGroup* m_applyGroup;
    QRadioButton* m_applyReplace;
    QRadioButton* m_applyMultiply;
    QPushButton* m_next;
    QPushButton* m_back;
    QPushButton* m_cancel;

    int m_mode = 0;
    QString m_remarks;
    int m_applyChoice = -1;
    int m_curRow = 1, m_curCol = 1, m_endRow = 1, m_endCol = 1;
    int m_slot = 0;
    int m_backEnabled = 1;
    int m_backAsCancel = 0;
    CSekisanItem m_item;
    CHenkaritsuRecord m_record;
    int m_groupMode = 0;
    int m_applyMode = 0;
};
