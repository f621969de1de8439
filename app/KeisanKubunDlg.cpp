#include "app/KeisanKubunDlg.h"
#include "dialogkit/Tx.h"
#include "masteredit/MasterEditTexts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AppTexts.h"
#include "dialogkit/SpreadSheet.h"

namespace {

constexpr int kCheckCol = 1;
constexpr int kTextCol = 2;
}  // namespace

CKeisanKubunDlg::CKeisanKubunDlg(QWidget* parent) : CSekisanDialog(parent) {
    SetEnterMovesFocus(false);
    setWindowTitle(Tx(apptext::kKeisanKubunCaption));
    auto* nameLabel = new QLabel(Tx(apptext::kKeisanKubunNameLabel), this);
    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("shubetsuName"));
    m_name->setFrameShape(QFrame::Panel);
    m_name->setFrameShadow(QFrame::Sunken);

    m_grid = new CSpreadSheet(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->SetMaxCols(2);
    m_grid->SetMaxRows(CSekisanItem::kKoteiCount);
    m_grid->SetColKind(kCheckCol, CSpreadSheet::CellKind::Check);
    m_grid->SetCellText(kCheckCol, 0, Tx(apptext::kKeisanKubunHeading));
    m_grid->SetCellText(kTextCol, 0, Tx(masteredittext::kSakugyoKubunHeading));
    // The texts are the master's: only the checks take input.
    m_grid->SetCellLocked(kTextCol, -1, 1);
    m_grid->SetColWidth(kCheckCol, 9);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    connect(m_grid, &CSpreadSheet::ButtonClicked, this, &CKeisanKubunDlg::OnCheckChanged);

    auto* selectAll = new QPushButton(Tx(apptext::kKeisanKubunSelectAll), this);
    selectAll->setObjectName(QStringLiteral("selectAll"));
    selectAll->setAutoDefault(false);
    connect(selectAll, &QPushButton::clicked, this, &CKeisanKubunDlg::OnSelectAll);
    auto* clearAll = new QPushButton(Tx(apptext::kKeisanKubunClearAll), this);
    clearAll->setObjectName(QStringLiteral("clearAll"));
    clearAll->setAutoDefault(false);
    connect(clearAll, &QPushButton::clicked, this, &CKeisanKubunDlg::OnClearAll);
    auto [ok, cancel] = MakeOkCancelButtons();

    auto* left = new QVBoxLayout;
    left->addWidget(nameLabel);
    left->addWidget(m_name);
    left->addWidget(m_grid, 1);
    auto* choices = new QHBoxLayout;
    choices->addWidget(selectAll);
    choices->addWidget(clearAll);
    choices->addStretch();
    left->addLayout(choices);
    LayOutBesideButtons(left, {ok, cancel});
    resize(500, 420);
}

int CKeisanKubunDlg::LineRows() const { return std::min(m_detail.GetLineCount(), CSekisanItem::kKoteiCount); }

void CKeisanKubunDlg::OnInitDialog() { Fill(); }

void CKeisanKubunDlg::Fill() {
    m_busy = 1;
    const int lines = LineRows();
    for (int row = 1; row <= CSekisanItem::kKoteiCount; ++row) {
        m_grid->SetRow(row);
        m_grid->SetCol(-1);
        m_grid->SetRowHidden(row > m_detail.GetLineCount());
        if (row <= m_detail.GetLineCount()) m_grid->ClearCellText(kTextCol, row);
        m_grid->SetCellValueInt(kCheckCol, row, m_item.m_bKotei[row - 1]);
    }
    for (int i = 0; i < lines; ++i) {
        const std::string& text = m_detail.GetLine(i)->m_name;
        m_grid->SetCellText(kTextCol, i + 1, QString::fromStdString(text));
        m_grid->SetCellLocked(kCheckCol, i + 1, text.empty() ? 1 : 0);
    }
    m_name->setText(QString::fromStdString(m_item.m_strNameUpper));
    m_enabled = 1;
    m_busy = 0;
}

void CKeisanKubunDlg::OnCheckChanged(int col, int row, short state) {
    if (m_busy || !m_enabled || col != kCheckCol) return;
    if (row < 1 || row > CSekisanItem::kKoteiCount) return;
    if (m_detail.m_bukakeType == kSingleChoiceType) {
        for (int other = 1; other <= CSekisanItem::kKoteiCount; ++other) {
            if (other == row) continue;
            m_item.m_bKotei[other - 1] = 0;
            m_busy = 1;
            m_grid->SetCellCheck(kCheckCol, other, 0);
            m_busy = 0;
        }
    }
    m_item.m_bKotei[row - 1] = state;
}

void CKeisanKubunDlg::SetNamedLines(int flag) {
    const int lines = LineRows();
    for (int i = 0; i < lines; ++i)
        if (!m_detail.GetLine(i)->m_name.empty()) m_item.m_bKotei[i] = flag;
    Fill();
}

void CKeisanKubunDlg::OnSelectAll() { SetNamedLines(1); }

void CKeisanKubunDlg::OnClearAll() { SetNamedLines(0); }

bool CKeisanKubunDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* target = qobject_cast<QWidget*>(watched);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && target && target->window() == this) {
            accept();
            return true;
        }
    }
    return CSekisanDialog::eventFilter(watched, event);
}
