#pragma once
#include <string>
#include <vector>

#include "dialogkit/SekisanDialog.h"
#include "master/ZairyoTankaFile.h"

class CMasterDataStore;
class CSpreadSheet;
class QPushButton;
class QTabBar;

// Edits a whole material-price file: one tab per kind of item over one grid of name, 規格, unit,
// price and remarks. The dialog loads the file it is given into its own copy, and saves that copy to
// the file itself ("保存して終了", or before "材料単価を開く..." switches to another file); the opener
// learns from WroteFile which files were written, so that it can reload the program-wide one.
class CZairyoTankaEditDlg : public CSekisanDialog {
    Q_OBJECT
public:
    enum Column { kNameCol = 1, kSpecCol = 2, kUnitCol = 3, kPriceCol = 4, kRemarksCol = 5 };
    // The kind shown by each tab, in tab order.
    static constexpr int kTabKinds[kZairyoKindCount] = {0, 2, 1, 3, 4, 5};

    // store: loads and saves the files (its locks guard the program-wide one).
    explicit CZairyoTankaEditDlg(CMasterDataStore& store, QWidget* parent = nullptr);

    void SetPath(const std::string& path) { m_path = path; }
    const std::string& GetPath() const { return m_path; }
    const CZairyoTankaFile& GetZairyoTankaFile() const { return m_file; }
    int IsModified() const { return m_modified; }
    // True once the dialog has written the file at path.
    bool WroteFile(const std::string& path) const;

    void OnInitDialog() override;
    void accept() override;

    int CurrentRow() const { return m_currentRow; }
    int CurrentCol() const { return m_currentCol; }
    int CurrentKind() const { return kTabKinds[m_tab]; }

    void OnChange();
    void OnAdd();
    void OnInsert();
    void OnDelete();
    void OnClear();
    void OnMoveUp();
    void OnMoveDown();
    void OnSearch();
    void OnOpen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reads the file at path into a fresh copy; the copy and title change only when it loaded.
    bool Load(const std::string& path);
    bool Save();
    void ShowCaption();
    void Fill();
    void UpdateButtons();
    void OnTabChanged(int tab);
    void OnGridChange(int col, int row);
    void MakeCurrent(int col, int row);
    // The file position of the item shown in row (1-based) of the current tab; -1 for none.
    int FileIndexOfRow(int row) const;
    CZairyoTankaItem* ItemOfRow(int row) const;
    // Runs the name dialog for a new item of the current kind; null unless OK gave a usable code.
    std::unique_ptr<CZairyoTankaItem> AskNewItem(int action);
    // Exchanges the current row's item with its neighbour of the same kind (step −1 or +1).
    void MoveRow(int step);
    void SetModified() { m_modified = 1; }

    CMasterDataStore& m_store;
    QTabBar* m_tabs;
    CSpreadSheet* m_grid;
    CZo_Edit* m_titleEdit;
    QPushButton* m_changeButton;
    QPushButton* m_addButton;
    QPushButton* m_insertButton;
    QPushButton* m_deleteButton;
    QPushButton* m_clearButton;
    QPushButton* m_upButton;
    QPushButton* m_downButton;
    QPushButton* m_searchButton;
    QPushButton* m_openButton;
    std::string m_path;
    CZairyoTankaFile m_file;
    int m_currentRow = 1;
    int m_currentCol = 1;
    int m_blockRow2 = 1;
    int m_blockCol2 = 1;
    int m_count = 0;
    int m_tab = 0;
    int m_modified = 0;
    std::vector<std::string> m_written;
};
