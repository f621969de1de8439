#pragma once
#include <QString>
#include <vector>

#include "app/ItemSelection.h"
#include "dialogkit/SekisanDialog.h"

class QGridLayout;
class QLabel;
class QPushButton;
class QTreeWidget;
class QVBoxLayout;

// The common part of the 業務, 工種 and 種別 selection dialogs: the master's entries on the left,
// the estimate's on the right, "追加 ->" and "<- 削除" between them and a hint above.
//
// Both lists are one-column report lists with the 歩掛 icons; several rows can be selected. Enter
// in the master list adds its selected rows, in the chosen list removes them, and the focus stays;
// Left and Right move the focus to the previous and next control. A double click on a row adds or
// removes it. A list that takes the focus with rows but none selected selects its first row. Each
// button is enabled while its list has a selection.
class CItemSelectDlg : public CSekisanDialog {
    Q_OBJECT
public:
    // Adds the master list's selected rows, removes the chosen list's selected rows.
    virtual void OnAdd() = 0;
    virtual void OnRemove() = 0;

    QTreeWidget* MasterList() const { return m_masterList; }
    QTreeWidget* ChosenList() const { return m_chosenList; }

protected:
    CItemSelectDlg(const char* caption, const char* hint, const char* masterTitle, const char* chosenTitle,
                   QWidget* parent);

    struct Entry {
        QString text;
        int image;
    };
    // Empties the list and fills it (disabled while it is filled).
    void FillList(QTreeWidget* list, const std::vector<Entry>& entries);
    // Rows selected in the list, in ascending order.
    static std::vector<int> SelectedRows(const QTreeWidget* list);
    // Selects that row alone (clamped to the last row), makes it current and scrolls to it; none in
    // an empty list or for a negative row.
    void SelectRow(QTreeWidget* list, int row);
    // A legend line: its text, indented so that its "※" starts where that of a line with a blank
    // in front starts (the legends set for a 業務 have one, those of the templates not).
    static void SetLegendText(QLabel* label, const char* text);
    // The legend lines of the 工種 and 種別 dialogs under their lists, by colour, stacked in column.
    struct Legends {
        QLabel *yellow, *blue, *green, *brown, *purple;
        QVBoxLayout* column;
    };
    // Makes the lines, named "legendYellow" … "legendPurple", with the texts of the new method (the
    // green one's is the dialog's).
    Legends MakeLegends(const char* greenText);
    // Sets the lines for the 業務: yellow and blue name the standard and the user's 歩掛 of its
    // method, brown and purple (the conventional ones) show only where the 業務 splits its labour
    // into both methods, green never shows. True for such a 業務.
    static bool ShowLegendsFor(const Legends& legends, int32_t gyomu);
    // Called after the selection of either list changed.
    virtual void OnSelectionChanged() {}
    void UpdateButtons();

    // A row under each list for the dialogs that show something there, and a row at the bottom for
    // legends; both empty until a dialog puts something in them.
    QGridLayout* m_grid;
    int m_belowListsRow;
    int m_bottomRow;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FitColumns();

    QTreeWidget* m_masterList;
    QTreeWidget* m_chosenList;
    QPushButton* m_addButton;
    QPushButton* m_removeButton;
};

// A selection dialog whose lists hold codes (業務, 工種): the master list the codes it offers, the
// chosen list the chosen nodes. Add and remove go through the choice, then the lists are refilled.
class CCodeSelectDlg : public CItemSelectDlg {
    Q_OBJECT
public:
    void OnAdd() override;
    void OnRemove() override;

    // The codes the master list shows, row by row.
    std::vector<int32_t> MasterCodes() const { return m_masterCodes; }

protected:
    using CItemSelectDlg::CItemSelectDlg;
    // Fills both lists from the choice (and sets m_masterCodes and m_chosenRows).
    virtual void Refill() = 0;

    CNodeChoice m_choice;
    std::vector<int32_t> m_masterCodes;
    std::vector<size_t> m_chosenRows;  // the position in m_choice.Chosen() of each chosen row
};
