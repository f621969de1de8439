#include "dialogkit/KeywordSearchDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogkit/KeywordSearch.h"
#include "dialogkit/DialogTexts.h"
#include "dialogkit/SpreadSheet.h"
#include "platform/Host.h"

namespace {
constexpr int kColumns = 2;
}

CKeywordSearchDlg::CKeywordSearchDlg(const QString& hint, const QString& firstColumn, const QString& secondColumn,
                                     QWidget* parent)
    : CSekisanDialog(parent) {
    setWindowTitle(QString::fromUtf8(dialogtext::kSearchCaption));
    m_keywordEdit = MakeField("keyword", CZo_Edit::TextRule());
    m_searchButton = new QPushButton(QString::fromUtf8(dialogtext::kSearchButton), this);
    m_searchButton->setObjectName(QStringLiteral("search"));
    auto* keywordHint = new QLabel(QString::fromUtf8(dialogtext::kKeywordHint), this);
    keywordHint->setObjectName(QStringLiteral("keywordHint"));
    auto* resultHint = new QLabel(hint, this);
    resultHint->setObjectName(QStringLiteral("resultHint"));

    m_grid = new CSpreadSheet(this);
    m_grid->setObjectName(QStringLiteral("results"));
    MarkAsGrid(m_grid);
    m_grid->SetMaxCols(kColumns);
    m_grid->SetMaxRows(kResultRows);
    m_grid->SetCellText(1, 0, firstColumn);
    m_grid->SetCellText(2, 0, secondColumn);
    m_grid->SetColWidth(1, 30);
    m_grid->SetColWidth(2, 30);
    // The results are read, not edited.
    m_grid->SetCol(-1);
    m_grid->SetRow(-1);
    m_grid->SetLock(true);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);

    // Not shown and not pressable: Enter never closes the dialog without a choice.
    auto buttons = MakeOkCancelButtons(false);
    m_okButton = buttons.ok;
    m_okButton->setDefault(false);
    m_okButton->setEnabled(false);
    m_okButton->setVisible(false);

    auto* keywordRow = new QHBoxLayout;
    keywordRow->addWidget(m_keywordEdit, 1);
    keywordRow->addWidget(m_searchButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(keywordRow);
    layout->addWidget(keywordHint);
    layout->addWidget(resultHint);
    layout->addWidget(m_grid, 1);
    resize(560, 440);

    connect(m_searchButton, &QPushButton::clicked, this, &CKeywordSearchDlg::OnSearch);
    connect(m_grid, &CSpreadSheet::Click, this, [this](int col, int row) { Highlight(col, row); });
    connect(m_grid, &CSpreadSheet::LeaveCell, this,
            [this](int, int, int newCol, int newRow, bool&) { Highlight(newCol, newRow); });
    connect(m_grid, &CSpreadSheet::DblClick, this, [this](int col, int row) {
        if (col < 1 || col > kColumns || row < 1 || row > kResultRows) return;
        Choose(col, row);
        done(IDOK);
    });
}

void CKeywordSearchDlg::OnInitDialog() {
    m_grid->SetReDraw(false);
    for (int row = 1; row <= kResultRows; ++row) {
        PaintRow(row, StripeColor(row));
        m_grid->SetRow(row);
        m_grid->SetRowHidden(true);
    }
    m_grid->SetReDraw(true);
    m_keywordEdit->setFocus();
}

void CKeywordSearchDlg::OnSearch() {
    const std::vector<std::string> keywords = SplitKeywords(m_keywordEdit->GetText().toStdString());
    if (keywords.empty()) return;
    ShowRows(Search(keywords));
}

void CKeywordSearchDlg::ShowRows(const std::vector<std::pair<QString, QString>>& rows) {
    // The highlight belongs to the rows of the last search.
    if (m_highlightRow >= 1) PaintRow(m_highlightRow, StripeColor(m_highlightRow));
    m_highlightCol = m_highlightRow = -1;
    m_grid->SetReDraw(false);
    for (int row = 1; row <= kResultRows; ++row) {
        m_grid->SetRow(row);
        m_grid->SetRowHidden(true);
    }
    const int shown = static_cast<int>(std::min<size_t>(rows.size(), kResultRows));
    for (int row = 1; row <= kResultRows; ++row) {
        const bool hit = row <= shown;
        m_grid->SetCellText(1, row, hit ? rows[size_t(row - 1)].first : QString());
        m_grid->SetCellText(2, row, hit ? rows[size_t(row - 1)].second : QString());
        m_grid->SetRow(row);
        m_grid->SetRowHidden(!hit);
    }
    m_grid->SetReDraw(true);
}

void CKeywordSearchDlg::Highlight(int col, int row) {
    if (col < 1 || col > kColumns || row < 1 || row > kResultRows) return;
    if (m_highlightRow >= 1) PaintRow(m_highlightRow, StripeColor(m_highlightRow));
    m_grid->SetCellBackColor(col, row, kHighlightColor);
    if (col == 2) m_grid->SetCellBackColor(1, row, kHighlightColor);
    m_highlightCol = col;
    m_highlightRow = row;
}

void CKeywordSearchDlg::PaintRow(int row, COLORREF colour) {
    for (int col = 1; col <= kColumns; ++col) m_grid->SetCellBackColor(col, row, colour);
}
