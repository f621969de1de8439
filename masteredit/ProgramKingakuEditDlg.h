#pragma once
#include "dialogkit/SekisanDialog.h"
#include "master/ProgramKingakuFile.h"

class CSpreadSheet;
class QPushButton;

// Edits a copy of the プログラム金額 master in a grid: row n shows record n − 1 with its two name
// lines, two lines of usage conditions and its fee; rows beyond the records are hidden. Typing in a
// cell writes the record; 新規 and 挿入 add an empty record (at the end, before the current row),
// 削除 removes the current one after asking, クリア (and the Delete key) empties the selected block.
// F5 shows 変更, which renames the current record and changes its code.
class CProgramKingakuEditDlg : public CSekisanDialog {
    Q_OBJECT
public:
    // Grid columns.
    enum Column { kName1Col = 1, kName2Col, kCondition1Col, kCondition2Col, kFeeCol };
    // Shows the records one a row in these columns, at least minRows rows with the rows past the
    // records hidden; the number of records. The program-amount choice of the estimate shows them so too.
    static int ShowRecords(CSpreadSheet& grid, const CProgramKingakuFile& file, int minRows);

    explicit CProgramKingakuEditDlg(QWidget* parent = nullptr);

    void SetProgramKingakuFile(const CProgramKingakuFile& file) { m_file.Copy(file); }
    const CProgramKingakuFile& GetProgramKingakuFile() const { return m_file; }

    void OnInitDialog() override;

    // The current cell and the far corner of the selected block.
    int CurrentRow() const { return m_currentRow; }
    int CurrentCol() const { return m_currentCol; }

    void OnNew();
    void OnInsert();
    void OnDelete();
    void OnClear();
    void OnChange();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fill();
    void UpdateButtons();
    void OnGridChange(int col, int row);
    void MakeCurrent(int col, int row);
    CProgramKingakuRecord* CurrentRecord() const;
    std::unique_ptr<CProgramKingakuRecord> NewRecord();
    void FocusGrid();

    CSpreadSheet* m_grid;
    QPushButton* m_newButton;
    QPushButton* m_insertButton;
    QPushButton* m_deleteButton;
    QPushButton* m_clearButton;
    QPushButton* m_changeButton;
    CProgramKingakuFile m_file;
    int m_currentRow = 1;
    int m_currentCol = 1;
    int m_blockRow2 = 1;
    int m_blockCol2 = 1;
    int m_count = 0;
};
