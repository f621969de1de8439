#pragma once
#include "dialogkit/SekisanDialog.h"
#include "master/BukakeFile.h"
#include "master/TankaFile.h"
#include "masteredit/MasterPrintHolder.h"

class CSpreadSheet;
class QPushButton;

// Edits a copy of the 単価 master in a grid: one row per trade with its name, unit, twenty prices
// under their column titles and remarks; trades of kind 1 are drawn in blue. Because 歩掛 details
// name trades by id, a changed or deleted id rewrites the references in a copy of the 歩掛 master
// (after the user agrees) and raises the 歩掛-changed flag, so that the opener saves both. The list
// prints and previews as the 単価一覧; while its preview is open, printing and closing are refused.
class CTankaEditDlg : public CSekisanDialog {
    Q_OBJECT
public:
    // Grid columns: the twenty prices lie between the unit and the remarks.
    enum Column { kNameCol = 1, kUnitCol = 2, kFirstPriceCol = 3, kLastPriceCol = 22, kRemarksCol = 23 };

    explicit CTankaEditDlg(QWidget* parent = nullptr);

    void SetBukakeFile(const CBukakeFile& file) { m_bukake = file; }
    void SetTankaFile(const CTankaFile& file) { m_tanka.Copy(file); }
    const CBukakeFile& GetBukakeFile() const { return m_bukake; }
    const CTankaFile& GetTankaFile() const { return m_tanka; }
    // 1 once a trade id was rewritten in the 歩掛 copy.
    int IsBukakeChanged() const { return m_bukakeChanged; }

    void OnInitDialog() override;

    int CurrentRow() const { return m_currentRow; }
    int CurrentCol() const { return m_currentCol; }

    void OnTitleChange();
    void OnTradeChange();
    void OnTradeAdd();
    void OnTradeInsert();
    void OnTradeDelete();
    void OnClear();
    void OnColumnInsert();
    void OnColumnDelete();
    void OnPreview();
    void OnPrint();
    void accept() override;
    void reject() override;

    // The list's report job; the master-list template is looked for in the program folder set here.
    CMasterPrintHolder& ListPrint() { return m_print; }

private:
    void Fill();
    // Shows a price column's title in its heading.
    void ShowColumnTitle(int col);
    void UpdateButtons();
    void OnGridChange(int col, int row);
    void MakeCurrent(int col, int row);
    CTankaRow* CurrentTrade() const;
    // Runs the name dialog for a new trade in the given action; the trade on OK, else null.
    std::unique_ptr<CTankaRow> AskNewTrade(int action);
    bool OneColumn() const;
    bool OneRow() const;

    CSpreadSheet* m_grid;
    QPushButton* m_titleButton;
    QPushButton* m_changeButton;
    QPushButton* m_addButton;
    QPushButton* m_insertButton;
    QPushButton* m_deleteButton;
    QPushButton* m_clearButton;
    QPushButton* m_colInsertButton;
    QPushButton* m_colDeleteButton;
    QPushButton* m_previewButton;
    QPushButton* m_printButton;
    CBukakeFile m_bukake;
    CTankaFile m_tanka;
    int m_bukakeChanged = 0;
    int m_currentRow = 1;
    int m_currentCol = 1;
    int m_blockRow2 = 1;
    int m_blockCol2 = 1;
    int m_count = 0;
    CMasterPrintHolder m_print;
};
