#include "app/ProgramKingakuSelectDlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AppTexts.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/Tx.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/ProgramKingakuEditDlg.h"

namespace {

// Rows the list offers at least: one per program code 1 to 99.
constexpr int kListRows = 99;
constexpr int kFeeCol = 5;
}  // namespace

CProgramKingakuSelectDlg::CProgramKingakuSelectDlg(QWidget* parent) : CSekisanDialog(parent) {
    SetEnterMovesFocus(false);
    setWindowTitle(Tx(apptext::kProgramSelectCaption));
    m_listLabel = new QLabel(Tx(masteredittext::kProgramKingakuListLabel), this);
    m_listLabel->setObjectName(QStringLiteral("listLabel"));
    m_grid = new CSpreadSheet(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->SetMaxCols(5);
    m_grid->SetMaxRows(kListRows);
    const char* const headings[] = {masteredittext::kProgramName1Heading, masteredittext::kProgramName2Heading,
                                    masteredittext::kProgramCondition1Heading, masteredittext::kProgramCondition2Heading,
                                    masteredittext::kProgramFeeHeading};
    for (int col = 1; col <= 5; ++col) m_grid->SetCellText(col, 0, Tx(headings[col - 1]));
    m_grid->SetColKind(kFeeCol, CSpreadSheet::CellKind::Number);
    // A list to choose from: nothing in it is edited here.
    m_grid->SetCellLocked(-1, -1, 1);
    for (int col = 1; col <= 4; ++col) m_grid->SetColWidth(col, 18);
    m_grid->SetColWidth(kFeeCol, 13);
    connect(m_grid, &CSpreadSheet::Click, this, [this](int, int row) {
        if (row != 0) m_currentRow = row;
    });
    connect(m_grid, &CSpreadSheet::LeaveCell, this, [this](int, int, int, int newRow, bool&) {
        if (newRow != -1) m_currentRow = newRow;
    });

    m_useCheck = new QCheckBox(Tx(masteredittext::kProgramKingakuCheck), this);
    m_useCheck->setObjectName(QStringLiteral("use"));
    connect(m_useCheck, &QCheckBox::clicked, this, [this] {
        m_use = m_useCheck->isChecked() ? 1 : 0;
        UpdateEnabling();
    });
    auto [ok, cancel] = MakeOkCancelButtons();

    auto* top = new QHBoxLayout;
    top->addWidget(m_listLabel);
    top->addStretch();
    top->addWidget(m_useCheck);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(760, 420);
}

void CProgramKingakuSelectDlg::OnInitDialog() {
    m_grid->SetCellLocked(-1, -1, 1);
    m_count = CProgramKingakuEditDlg::ShowRecords(*m_grid, m_file, kListRows);
    int selected = -1;
    if (!IsUnset(m_code)) {
        selected = m_file.FindRecordIndex(m_code);
        m_use = 1;
    }
    if (selected >= 0) {
        m_grid->SelectCell(-1, selected + 1);
        // OK takes the current row: the preselected record is the current one.
        m_currentRow = selected + 1;
    } else {
        m_grid->clearSelection();
    }
    UpdateEnabling();
    m_useCheck->setChecked(m_use != 0);
}

void CProgramKingakuSelectDlg::UpdateEnabling() {
    const bool use = m_use != 0;
    m_listLabel->setEnabled(use);
    m_grid->setEnabled(use);
    const COLORREF colour = use ? kInUseColour : kOffColour;
    m_grid->SetProperty(CSpreadSheet::kPropSelBackColor, colour);
    m_grid->SetProperty(CSpreadSheet::kPropSelBorderColor, colour);
}

void CProgramKingakuSelectDlg::accept() {
    m_use = m_useCheck->isChecked() ? 1 : 0;
    m_code = kUnset;
    if (m_use && m_currentRow >= 1 && m_currentRow <= m_count) m_code = m_file.GetRecord(m_currentRow - 1)->m_code;
    CSekisanDialog::accept();
}

bool CProgramKingakuSelectDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* target = qobject_cast<QWidget*>(watched);
        if (target && target->window() == this) {
            switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                accept();
                return true;
            case Qt::Key_Left:
                focusPreviousChild();
                return true;
            case Qt::Key_Right:
                focusNextChild();
                return true;
            default:
                break;
            }
        }
    }
    return CSekisanDialog::eventFilter(watched, event);
}
