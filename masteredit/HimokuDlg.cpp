#include "masteredit/HimokuDlg.h"
#include "dialogkit/Tx.h"
#include "master/MasterTexts.h"
#include "report/ReportTexts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/SpreadSheet.h"
#include "masteredit/BukakeDetailCommon.h"
#include "masteredit/GridBlock.h"
#include "masteredit/EditorButton.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/ShokushuSelectDlg.h"
#include "platform/Host.h"
#include "platform/Rounding.h"

namespace {
using namespace masteredittext;

// One radio group: its title, rate label, choices and the basis bits each choice stands for.
struct BasisGroup {
    const char* title;
    const char* rateLabel;
    std::vector<std::pair<const char*, int>> choices;
};
const BasisGroup& Group(int g) {
    static const BasisGroup kGroups[CHimokuDlg::kGroups] = {
        {kZ1Group, kMaterialRateLabel,
         {{kNoneEntry, 0}, {kBasisLabour, 1}, {kBasisRomu, 2}, {kBasisJinkenhi, 8}, {kBasisMaterial, 4}}},
        {kZ2Group, kMachineRateLabel,
         {{kNoneEntry, 0}, {kBasisLabour, 1}, {kBasisRomu, 2}, {kBasisJinkenhi, 8}, {kBasisMachine, 4}, {kBasisAll, 16}}},
        {kZ3Group, kExpenseRateLabel,
         {{kNoneEntry, 0}, {kBasisLabour, 1}, {kBasisRomu, 2}, {kBasisJinkenhi, 8}, {kBasisOther, 4}, {kBasisAll, 16}}},
    };
    return kGroups[g];
}
// The choice of a stored bit set: "なし" for 0 and for any set the group does not offer.
int RadioOfBits(int g, int32_t bits) {
    const auto& choices = Group(g).choices;
    for (size_t i = 1; i < choices.size(); ++i)
        if (choices[i].second == bits) return static_cast<int>(i);
    return 0;
}

// Row colours by kind: red, purple, blue-green (0x00BBGGRR).
constexpr COLORREF kKindColours[] = {0x0000FF, 0x800080, 0x808000};
// A 0x00BBGGRR colour as "#RRGGBB".
QString CssColour(COLORREF c) {
    return QStringLiteral("#%1%2%3")
        .arg(c & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((c >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((c >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
}
// The material kind a choice opens on for an item without a material, by the item's kind.
constexpr int kMaterialKindOfItem[] = {3, 4, 5};
}  // namespace

CHimokuDlg::CHimokuDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(kHimokuCaption));
    SetEnterKey(EnterKey::Ignored);
    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("shubetsu"));
    m_name->setFrameShape(QFrame::Panel);
    m_name->setFrameShadow(QFrame::Sunken);

    m_grid = new CSpreadSheet(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->SetMaxCols(kQuantityCol);
    m_grid->SetMaxRows(0);
    m_grid->SetColKind(kKindCol, CSpreadSheet::CellKind::Choice,
                       {Tx(mastertext::kZairyoKindZairyo), Tx(reporttext::kDaikaKikaiKeihi), Tx(reporttext::kKeihiSonota)});
    m_grid->SetColKind(kLossCol, CSpreadSheet::CellKind::Number);
    m_grid->SetCellText(kKindCol, 0, Tx(kHimokuKindHeading));
    m_grid->SetCellText(kNameCol, 0, Tx(kHimokuNameHeading));
    m_grid->SetCellText(kLossCol, 0, Tx(kLossRateHeading));
    m_grid->SetCellText(kQuantityCol, 0, Tx(kQuantityOrFormulaHeading));
    m_grid->SetColWidth(kKindCol, 14);
    m_grid->SetColWidth(kNameCol, 30);
    m_grid->SetColWidth(kLossCol, 9);
    m_grid->SetColWidth(kQuantityCol, 24);
    // The name comes from the material choice only.
    m_grid->SetRow(-1);
    m_grid->SetCol(kNameCol);
    m_grid->SetLock(true);

    m_addButton = MakeEditorButton(this, kHimokuAddButton, "add");
    m_insertButton = MakeEditorButton(this, kHimokuInsertButton, "insert");
    m_deleteButton = MakeEditorButton(this, kHimokuDeleteButton, "delete");
    m_clearButton = MakeEditorButton(this, kClearButton, "clear");
    m_upButton = MakeEditorButton(this, kHimokuUpButton, "up");
    m_downButton = MakeEditorButton(this, kHimokuDownButton, "down");
    auto [ok, cancel] = MakeOkCancelButtons();
    cancel->setText(Tx(dialogtext::kCancel));
    connect(m_addButton, &QPushButton::clicked, this, &CHimokuDlg::OnAdd);
    connect(m_insertButton, &QPushButton::clicked, this, &CHimokuDlg::OnInsert);
    connect(m_deleteButton, &QPushButton::clicked, this, &CHimokuDlg::OnDelete);
    connect(m_clearButton, &QPushButton::clicked, this, &CHimokuDlg::OnClear);
    connect(m_upButton, &QPushButton::clicked, this, &CHimokuDlg::OnUp);
    connect(m_downButton, &QPushButton::clicked, this, &CHimokuDlg::OnDown);

    auto* groups = new QHBoxLayout;
    for (int g = 0; g < kGroups; ++g) {
        const BasisGroup& group = Group(g);
        auto* box = new QGroupBox(Tx(group.title), this);
        auto* boxLayout = new QVBoxLayout(box);
        m_radios[g] = new QButtonGroup(this);
        for (size_t i = 0; i < group.choices.size(); ++i) {
            auto* radio = new QRadioButton(Tx(group.choices[i].first), box);
            radio->setObjectName(QStringLiteral("z%1_%2").arg(g + 1).arg(i));
            m_radios[g]->addButton(radio, static_cast<int>(i));
            boxLayout->addWidget(radio);
        }
        boxLayout->addStretch();
        auto [label, field] = MakeNumberField(Tx(group.rateLabel), "rate", CZo_Edit::DoubleRule(8, 2, 0, 99999.99));
        field->setObjectName(QStringLiteral("rate%1").arg(g + 1));
        label->setParent(box);
        field->setParent(box);
        auto* rateRow = new QHBoxLayout;
        rateRow->addWidget(label);
        rateRow->addWidget(field);
        boxLayout->addLayout(rateRow);
        m_rateLabels[g] = label;
        m_rateFields[g] = field;
        connect(m_radios[g], &QButtonGroup::idClicked, this, [this, g](int id) { OnRadio(g, id); });
        groups->addWidget(box);
    }

    connect(m_grid, &CSpreadSheet::Click, this, [this](int col, int row) {
        if (row < 1 || row > m_set.GetHimokuCount()) return;
        m_currentCol = m_blockCol2 = col;
        m_currentRow = m_blockRow2 = row;
        UpdateButtons();
        if (col == kNameCol) ChooseMaterial(row);
    });
    FollowGridCursor(*m_grid, *this, {m_currentCol, m_currentRow, m_blockCol2, m_blockRow2},
                     [this](int col, int row) {
                         m_currentCol = m_blockCol2 = col;
                         m_currentRow = m_blockRow2 = row;
                     },
                     [this] { UpdateButtons(); }, [] {});
    connect(m_grid, &CSpreadSheet::Change, this, &CHimokuDlg::OnGridChange);

    auto* legend = new QGridLayout;
    const char* const legends[] = {kHimokuLegendMaterial, kLegendZ1, kHimokuLegendMachine,
                                   kLegendZ2,             kHimokuLegendOther, kHimokuLegendZ3};
    for (int i = 0; i < 6; ++i) {
        auto* label = new QLabel(Tx(legends[i]), this);
        if (i % 2 == 0) label->setStyleSheet(QStringLiteral("color: ") + CssColour(kKindColours[i / 2]));
        legend->addWidget(label, i / 2, i % 2);
    }
    QVBoxLayout* side = MakeEditorButtonColumn({m_addButton, m_insertButton, m_deleteButton, m_clearButton, m_upButton, m_downButton}, ok, cancel);
    auto* left = new QVBoxLayout;
    left->addWidget(m_name);
    left->addWidget(m_grid, 1);
    left->addLayout(legend);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(groups);
    resize(900, 640);
}

void CHimokuDlg::OnInitDialog() {
    m_name->setText(QString::fromStdString(m_shubetsuName));
    for (int g = 0; g < kGroups; ++g) {
        m_radioIndex[g] = RadioOfBits(g, m_set.m_bases[g]);
        CheckButton(m_radios[g], m_radioIndex[g]);
        bukakedetail::SetHundredths(m_rateFields[g], m_set.m_rates[g]);
    }
    FillGrid();
}

CBukakeHimoku* CHimokuDlg::Item(int row) const {
    return row >= 1 && row <= m_set.GetHimokuCount() ? m_set.GetHimoku(row - 1) : nullptr;
}

void CHimokuDlg::FillGrid() {
    const int count = m_set.GetHimokuCount();
    m_grid->SetReDraw(false);
    m_grid->SetRow(-1);
    m_grid->SetCol(-1);
    m_grid->SetAction(CSpreadSheet::kActionClearText);
    m_grid->SetMaxRows(count);
    for (int row = 1; row <= count; ++row) {
        const CBukakeHimoku& item = *m_set.GetHimoku(row - 1);
        const int kind = item.m_values[0];
        m_grid->SetCellValueInt(kKindCol, row, kind);
        if (item.m_values[1] > 0)
            if (const CZairyoTankaItem* material = m_zairyo.FindItem(item.m_values[1]))
                m_grid->SetCellText(kNameCol, row, QString::fromStdString(material->m_name));
        const int32_t loss = item.m_values[2];
        if (!IsUnset(loss) && loss >= 0) m_grid->SetCellDouble(kLossCol, row, loss / 100.0);
        if (!item.m_name.empty()) m_grid->SetCellText(kQuantityCol, row, QString::fromStdString(item.m_name));
        m_grid->SetRow(row);
        m_grid->SetCol(-1);
        m_grid->SetForeColor(kind >= 0 && kind <= 2 ? kKindColours[kind] : 0x000000);
    }
    m_grid->SetReDraw(true);
    if (count > 0) {
        m_currentRow = std::clamp(m_currentRow, 1, count);
        m_grid->SelectCell(m_currentCol, m_currentRow);
    }
    UpdateButtons();
}

void CHimokuDlg::UpdateButtons() {
    for (int g = 0; g < kGroups; ++g) {
        const bool on = m_radioIndex[g] > 0;
        m_rateLabels[g]->setEnabled(on);
        m_rateFields[g]->setEnabled(on);
    }
    m_clearButton->setEnabled(m_currentCol == kLossCol && m_blockCol2 == kLossCol);
}

void CHimokuDlg::OnRadio(int group, int index) {
    m_radioIndex[group] = index;
    m_set.m_bases[group] = Group(group).choices[static_cast<size_t>(index)].second;
    UpdateButtons();
}

void CHimokuDlg::OnGridChange(int col, int row) {
    CBukakeHimoku* item = Item(row);
    if (!item) return;
    if (col == kKindCol) {
        item->m_values[0] = m_grid->GetCellValueInt(col, row);
    } else if (col == kLossCol) {
        const double value = m_grid->GetCellDouble(col, row, -1.0);
        item->m_values[2] = m_grid->GetCellText(col, row).isEmpty() ? kUnset : DoubleToLong(value * 100.0);
    } else if (col == kQuantityCol) {
        item->m_name = m_grid->GetCellText(col, row).toStdString();
    }
    FillGrid();
}

void CHimokuDlg::ChooseMaterial(int row) {
    CBukakeHimoku* item = Item(row);
    if (!item) return;
    const int32_t id = item->m_values[1];
    const CZairyoTankaItem* material = id > 0 ? m_zairyo.FindItem(id) : nullptr;
    const int itemKind = item->m_values[0];
    const int kind = material ? material->m_kind
                              : kMaterialKindOfItem[itemKind >= 0 && itemKind <= 2 ? itemKind : 0];
    CShokushuSelectDlg dialog(this);
    dialog.SetMode(CShokushuSelectDlg::kMaterialExpense);
    dialog.SetZairyoTankaFile(m_zairyo);
    dialog.SetMaterialItem(material ? id : -1, kind);
    if (dialog.DoModal() == IDOK) {
        int changed = -1;
        const CZairyoTankaFile& edited = dialog.GetZairyoTankaFile(&changed);
        const int chosen = dialog.GetSelection();
        // Every item edited in the selection dialog comes along, not only the chosen one.
        if (changed != -1) {
            m_zairyo = edited;
            m_chosenMaterial = IsUnset(chosen) ? changed : chosen;
        }
        if (IsUnset(chosen))
            item->m_values[1] = kUnset;
        else if (const CZairyoTankaItem* picked = m_zairyo.GetItem(chosen))
            item->m_values[1] = picked->m_id;
        FillGrid();
    }
    m_grid->setFocus();
}

bool CHimokuDlg::AddOrInsert(int at, const char* refusal) {
    if (m_set.GetHimokuCount() >= kMaxItems) {
        AfxMessageBox(refusal, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    m_set.InsertHimoku(std::clamp(at, 0, m_set.GetHimokuCount()), std::make_unique<CBukakeHimoku>());
    FillGrid();
    m_grid->setFocus();
    return true;
}

void CHimokuDlg::OnAdd() { AddOrInsert(m_set.GetHimokuCount(), kCannotAdd); }

void CHimokuDlg::OnInsert() { AddOrInsert(m_currentRow - 1, kCannotInsert); }

void CHimokuDlg::OnDelete() {
    const CBukakeHimoku* item = Item(m_currentRow);
    if (!item) return;
    const CZairyoTankaItem* material = item->m_values[1] > 0 ? m_zairyo.FindItem(item->m_values[1]) : nullptr;
    const QString question =
        Tx(kAskDeleteHimoku).replace(QStringLiteral("%s"), material ? QString::fromStdString(material->m_name) : QString());
    if (Host().MessageBox(question.toStdString(), kConfirmCaption, MsgButtons::YesNo, MsgIcon::Exclamation, 1) !=
        IDYES)
        return;
    m_set.RemoveHimoku(m_currentRow - 1);
    if (m_currentRow > m_set.GetHimokuCount()) {
        m_currentRow = std::max(1, m_currentRow - 1);
        m_blockRow2 = std::max(1, m_blockRow2 - 1);
    }
    FillGrid();
    m_grid->setFocus();
}

void CHimokuDlg::OnClear() {
    const auto block =
        ClampGridBlock(m_currentCol, m_currentRow, m_blockCol2, m_blockRow2, kQuantityCol, m_set.GetHimokuCount());
    if (!block) return;
    for (int row = block->row1; row <= block->row2; ++row) Item(row)->m_values[2] = kUnset;
    FillGrid();
}

void CHimokuDlg::OnUp() {
    if (m_currentRow < 2 || !Item(m_currentRow)) return;
    std::swap(*Item(m_currentRow), *Item(m_currentRow - 1));
    m_blockRow2 = --m_currentRow;
    FillGrid();
}

void CHimokuDlg::OnDown() {
    if (!Item(m_currentRow) || !Item(m_currentRow + 1)) return;
    std::swap(*Item(m_currentRow), *Item(m_currentRow + 1));
    m_blockRow2 = ++m_currentRow;
    FillGrid();
}

void CHimokuDlg::accept() {
    for (int g = 0; g < kGroups; ++g) {
        const int index = m_radios[g]->checkedId() > 0 ? m_radios[g]->checkedId() : 0;
        m_set.m_bases[g] = Group(g).choices[static_cast<size_t>(index)].second;
        m_set.m_rates[g] = index > 0 ? bukakedetail::GetHundredths(m_rateFields[g]) : kUnset;
    }
    CSekisanDialog::accept();
}
