#pragma once
#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "dialogkit/SekisanDialog.h"
#include "dialogkit/SpreadSheet.h"

class QLabel;
class QPushButton;

// The common part of the keyword search dialogs: a keyword field, the "検　索" button, the hints and
// a grid of 100 result rows with two text columns. Rows show only while they hold a hit; they are
// striped (white odd rows, pale yellow even rows) and the clicked or entered cell is highlighted
// (in the second column with the first). A double click on a row chooses it and closes the dialog
// with OK, also on a row without a hit (the dialog then returns no choice).
//
// The dialog has no visible OK or Cancel button: a double click ends it with OK, the window's close
// button and Escape with Cancel.
class CKeywordSearchDlg : public CSekisanDialog {
    Q_OBJECT
public:
    static constexpr int kResultRows = 100;
    // Back colours (0x00BBGGRR) of odd and even rows and of the highlighted cell.
    static constexpr COLORREF kOddRowColor = 0xFFFFFF;
    static constexpr COLORREF kEvenRowColor = 0x80FFFF;
    static constexpr COLORREF kHighlightColor = 0xFF80FF;

    void OnInitDialog() override;

    // Runs the search on the keyword field's text ("検　索"); a text without keywords changes nothing.
    void OnSearch();

protected:
    // hint: the note over the grid; the two column titles.
    CKeywordSearchDlg(const QString& hint, const QString& firstColumn, const QString& secondColumn,
                      QWidget* parent);

    // The texts of the rows of the hits for these keywords (at most kResultRows), in order; the
    // subclass keeps what it needs to answer Choose.
    virtual std::vector<std::pair<QString, QString>> Search(const std::vector<std::string>& keywords) = 0;
    // Takes row (1-based) as the choice; col is the column double-clicked. A row beyond the hits
    // gives no choice.
    virtual void Choose(int col, int row) = 0;

    CSpreadSheet* m_grid;
    CZo_Edit* m_keywordEdit;

private:
    void ShowRows(const std::vector<std::pair<QString, QString>>& rows);
    void Highlight(int col, int row);
    void PaintRow(int row, COLORREF colour);
    static COLORREF StripeColor(int row) { return row % 2 == 1 ? kOddRowColor : kEvenRowColor; }

    QPushButton* m_searchButton;
    QPushButton* m_okButton;
    int m_highlightCol = -1;
    int m_highlightRow = -1;
};
