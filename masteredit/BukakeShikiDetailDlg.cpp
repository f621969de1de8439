#include "masteredit/BukakeShikiDetailDlg.h"
#include "dialogkit/Tx.h"
#include "master/MasterTexts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/ImeStatus.h"
#include "dialogkit/SpreadSheet.h"
#include "masteredit/BukakeDetailCommon.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/ShokushuSelectDlg.h"
#include "master/KoshuCategory.h"
#include "platform/Host.h"
#include "platform/Rounding.h"

namespace {
using namespace masteredittext;

// Where the layout keeps its values in a line and in the detail.
constexpr int kKindValue = 0, kIdValue = 1, kQuantityValue = 2;
constexpr int kZ1Slot = 0, kZ2Slot = 1;           // 職種 slots holding the methods
constexpr int kZ1RateSlot = 2, kZ2RateSlot = 0;   // 材料費率, 機械経費率

// The Z1 and Z2 choices and the methods they store.
const std::vector<std::pair<const char*, int>> kZ1Choices = {
    {kNoneEntry, 0}, {kBasisLabour, 1}, {kBasisRomu, 2}, {kBasisMaterial, 4}, {kBasisJinkenhi, 8}, {kBasisAllSpaced, 16}};
const std::vector<std::pair<const char*, int>> kZ2Choices = {
    {kNoneEntry, 0}, {kBasisLabour, 1}, {kBasisRomu, 2}, {kBasisTankaName, 4}, {kBasisJinkenhi, 8}};
int ChoiceOf(const std::vector<std::pair<const char*, int>>& choices, int32_t method) {
    for (size_t i = 1; i < choices.size(); ++i)
        if (choices[i].second == method) return static_cast<int>(i);
    return 0;
}

// Row colours by 単価種別: black, blue, magenta, brown, green; grey for an unused line.
COLORREF KindColour(int kind) {
    constexpr COLORREF kColours[] = {0x000000, 0xFF0000, 0xFF00FF, 0x000080, 0x00C000};
    return kind >= 1 && kind <= 5 ? kColours[kind - 1] : 0xC0C0C0;
}
bool IsTrade(int kind) { return kind == CBukakeShikiDetailDlg::kLabour || kind == CBukakeShikiDetailDlg::kRomu; }
bool IsMaterial(int kind) { return kind >= CBukakeShikiDetailDlg::kMaterial && kind <= CBukakeShikiDetailDlg::kPower; }
// The material kind listed for a line without an item: 材料費 → 0, 機械器具損料 → 2, 動力費・その他 → 1.
int MaterialKindOf(int kind) { return kind == CBukakeShikiDetailDlg::kMachine ? 2 : kind == CBukakeShikiDetailDlg::kPower ? 1 : 0; }

void EmptyLine(CBukakeDetailLine& line) {
    line.m_columns[kKindValue] = 0;
    line.m_columns[kIdValue] = kUnset;
    line.m_columns[kQuantityValue] = kUnset;
    line.m_name.clear();
}
bool InUse(const CBukakeDetailLine& line) { return line.m_columns[kKindValue] > 0; }
}  // namespace

CBukakeShikiDetailDlg::CBukakeShikiDetailDlg(QWidget* parent) : CBukakeDetailDlgBase(parent) {
    MakeTypeCombo(true);
    // H8 first, then H7..H1, as the template lays them out.
    QGridLayout* hBox = MakeHenkaritsuCombos(true);

    m_grid = new CSpreadSheet(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->SetMaxCols(kLossCol);
    m_grid->SetMaxRows(kGridRows);
    m_grid->SetColKind(kKindCol, CSpreadSheet::CellKind::Choice,
                       {QString(), Tx(mastertext::kTankaKindChokusetsuJinkenhi), Tx(mastertext::kTankaKindRomuhi), Tx(mastertext::kZairyoKindZairyo),
                        Tx(mastertext::kZairyoKindKikai), Tx(mastertext::kZairyoKindDoryoku)});
    m_grid->SetColKind(kQuantityCol, CSpreadSheet::CellKind::Number);
    m_grid->SetCellText(kKindCol, 0, Tx(kTankaKindHeading));
    m_grid->SetCellText(kNameCol, 0, Tx(kTankaNameHeading));
    m_grid->SetCellText(kQuantityCol, 0, Tx(kQuantityOrFormulaHeading));
    m_grid->SetCellText(kLossCol, 0, Tx(kLossRateHeading));
    m_grid->SetColWidth(kKindCol, 16);
    m_grid->SetColWidth(kNameCol, 34);
    m_grid->SetColWidth(kQuantityCol, 18);
    m_grid->SetColWidth(kLossCol, 16);
    // The name comes from the name choice (a double-click) only.
    m_grid->SetRow(-1);
    m_grid->SetCol(kNameCol);
    m_grid->SetLock(true);

    MakeHeadFields();

    // Z1 and Z2.
    auto radioBox = [this](const char* title, const std::vector<std::pair<const char*, int>>& choices, const char* prefix,
                           QButtonGroup*& group, QLabel*& label, CZo_Edit*& field, const char* rateLabel,
                           const char* rateName) {
        auto* box = new QGroupBox(Tx(title), this);
        auto* layout = new QVBoxLayout(box);
        group = new QButtonGroup(this);
        for (size_t i = 0; i < choices.size(); ++i) {
            auto* radio = new QRadioButton(Tx(choices[i].first), box);
            radio->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(prefix)).arg(i));
            group->addButton(radio, static_cast<int>(i));
            layout->addWidget(radio);
        }
        auto [l, f] = MakeNumberField(Tx(rateLabel), rateName, CZo_Edit::DoubleRule(8, 2, 0, 99999.99));
        l->setParent(box);
        f->setParent(box);
        auto* row = new QHBoxLayout;
        row->addWidget(l);
        row->addWidget(f);
        layout->addStretch();
        layout->addLayout(row);
        label = l;
        field = f;
        return box;
    };
    QGroupBox* z1Box = radioBox(kZ1Group, kZ1Choices, "z1", m_z1Radios, m_z1Label, m_z1Rate, kMaterialRateLabel, "z1rate");
    QGroupBox* z2Box = radioBox(kZ2Group, kZ2Choices, "z2", m_z2Radios, m_z2Label, m_z2Rate, kMachineRateLabel, "z2rate");
    connect(m_z1Radios, &QButtonGroup::idClicked, this, &CBukakeShikiDetailDlg::OnZ1);
    connect(m_z2Radios, &QButtonGroup::idClicked, this, &CBukakeShikiDetailDlg::OnZ2);

    m_optionCheck = new QCheckBox(Tx(kNoRoundingCheck), this);
    m_optionCheck->setObjectName(QStringLiteral("option"));
    m_optionCheck->setChecked(true);
    m_optionCheck->setVisible(false);
    m_deleteButton = MakeButton(kRowDeleteButton, "rowdelete");
    m_insertButton = MakeButton(kRowInsertButton, "rowinsert");
    MakeAmountControls();
    auto [ok, cancel] = MakeOkCancelButtons();
    cancel->setText(Tx(dialogtext::kCancel));

    connect(m_deleteButton, &QPushButton::clicked, this, &CBukakeShikiDetailDlg::OnRowDelete);
    connect(m_insertButton, &QPushButton::clicked, this, &CBukakeShikiDetailDlg::OnRowInsert);
    connect(m_grid, &CSpreadSheet::Click, this, [this](int col, int row) {
        if (row < 1 || col < 1) return;
        m_currentCol = m_blockCol2 = col;
        m_currentRow = m_blockRow2 = row;
        UpdateControls();
    });
    FollowCursor([this] { UpdateControls(); }, [] {});
    connect(m_grid, &CSpreadSheet::Change, this, &CBukakeShikiDetailDlg::OnGridChange);
    connect(m_grid, &CSpreadSheet::DblClick, this, [this](int col, int row) {
        if (col == kNameCol && Line(row)) ChooseName(row);
    });

    // Layout.
    QGridLayout* head = HeadLayout(new QLabel(Tx(kBukakeTypeLabel), this));
    auto* legend = new QVBoxLayout;
    const std::pair<const char*, COLORREF> legends[] = {
        {kLegendLabour, KindColour(1)}, {kLegendRomu, KindColour(2)}, {kLegendMaterial, KindColour(3)},
        {kLegendMachine, KindColour(4)}, {kLegendPower, KindColour(5)}, {kLegendZ1, 0}, {kLegendZ2, 0}};
    for (const auto& [text, colour] : legends) {
        auto* label = new QLabel(Tx(text), this);
        label->setStyleSheet(QStringLiteral("color: #%1%2%3")
                                 .arg(colour & 0xFF, 2, 16, QLatin1Char('0'))
                                 .arg((colour >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
                                 .arg((colour >> 16) & 0xFF, 2, 16, QLatin1Char('0')));
        legend->addWidget(label);
    }
    legend->addStretch();
    legend->addWidget(m_deleteButton);
    legend->addWidget(m_insertButton);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_grid, 1);
    middle->addLayout(legend);
    auto* amounts = new QVBoxLayout;
    amounts->addWidget(m_optionCheck);
    amounts->addStretch();
    amounts->addWidget(m_kingakuLabel);
    amounts->addWidget(m_gokeiLabel);
    amounts->addWidget(m_sankoButton);
    auto* closeButtons = new QHBoxLayout;
    closeButtons->addStretch();
    closeButtons->addWidget(ok);
    closeButtons->addWidget(cancel);
    amounts->addLayout(closeButtons);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(z1Box);
    bottom->addWidget(z2Box);
    bottom->addLayout(amounts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addLayout(hBox);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);
    resize(1100, 820);
    // Tab follows the layout from the head fields down: H8..H1 as shown, the grid with its row buttons,
    // then the two 費目 groups and the check beside them.
    SetTabChain({m_formula, m_quantity, m_unit, m_typeCombo, m_hCombos[7], m_hCombos[6], m_hCombos[5], m_hCombos[4],
                 m_hCombos[3], m_hCombos[2], m_hCombos[1], m_hCombos[0], m_grid, m_deleteButton, m_insertButton});
}

CBukakeShikiDetailDlg::~CBukakeShikiDetailDlg() = default;

QString CBukakeShikiDetailDlg::NameOf(const CBukakeDetailLine& line) const {
    const int kind = line.m_columns[kKindValue];
    const int32_t id = line.m_columns[kIdValue];
    if (IsUnset(id)) return {};
    if (IsTrade(kind))
        if (const CTankaRow* trade = m_tanka.FindRow(id)) return QString::fromStdString(trade->m_name);
    if (IsMaterial(kind))
        if (const CZairyoTankaItem* item = m_zairyo.FindItem(id)) return QString::fromStdString(item->m_name);
    return {};
}

void CBukakeShikiDetailDlg::OnInitDialog() {
    InitHead();
    ShowEstimateRow();
    if (m_gyomuCode == Gyomu::DoshitsuIppan) m_optionCheck->setVisible(true);

    ShowHead();
    m_z1Index = ChoiceOf(kZ1Choices, m_detail.m_shokushu[kZ1Slot]);
    CheckButton(m_z1Radios, m_z1Index);
    bukakedetail::SetHundredths(m_z1Rate, m_detail.m_rates[kZ1RateSlot]);
    m_z2Index = ChoiceOf(kZ2Choices, m_detail.m_shokushu[kZ2Slot]);
    CheckButton(m_z2Radios, m_z2Index);
    bukakedetail::SetHundredths(m_z2Rate, m_detail.m_rates[kZ2RateSlot]);
    m_optionCheck->setChecked(m_detail.m_programKingaku != 0);
    FillGrid();
    UpdateControls();
}

void CBukakeShikiDetailDlg::FillGrid() {
    const int lines = m_detail.GetLineCount();
    ResetGridRows(lines);
    for (int row = 1; row <= lines; ++row) {
        const CBukakeDetailLine& line = *Line(row);
        const int kind = line.m_columns[kKindValue];
        if (kind < 1) continue;
        m_grid->SetCellValueInt(kKindCol, row, kind);
        m_grid->SetCellText(kNameCol, row, NameOf(line));
        const int32_t quantity = line.m_columns[kQuantityValue];
        if (!IsUnset(quantity) && quantity > 0)
            m_grid->SetCellDouble(kQuantityCol, row, quantity / 100.0);
        else if (quantity == 0)
            m_grid->SetCellInt(kQuantityCol, row, 0);
        if (!line.m_name.empty()) m_grid->SetCellText(kLossCol, row, QString::fromStdString(line.m_name));
    }
    RefreshRows();
    m_grid->SetReDraw(true);
}

void CBukakeShikiDetailDlg::RefreshRows() {
    for (int row = 1; row <= m_detail.GetLineCount(); ++row) {
        const int kind = Line(row)->m_columns[kKindValue];
        // An unused line takes no entries beyond its kind.
        for (int col = kQuantityCol; col <= kLossCol; ++col) m_grid->SetCellLocked(col, row, kind < 1 ? 1 : 0);
        m_grid->SetRow(row);
        m_grid->SetCol(-1);
        m_grid->SetForeColor(KindColour(kind));
    }
}

void CBukakeShikiDetailDlg::UpdateControls() {
    SetImeOpenStatus(m_grid, false);
    m_z1Label->setEnabled(m_z1Index > 0);
    m_z1Rate->setEnabled(m_z1Index > 0);
    m_z2Label->setEnabled(m_z2Index > 0);
    m_z2Rate->setEnabled(m_z2Index > 0);
    const CBukakeDetailLine* line = Line(m_currentRow);
    m_deleteButton->setEnabled(line && line->m_columns[kIdValue] > 0);
}

void CBukakeShikiDetailDlg::OnZ1(int index) {
    m_z1Index = index;
    UpdateControls();
}

void CBukakeShikiDetailDlg::OnZ2(int index) {
    m_z2Index = index;
    UpdateControls();
}

void CBukakeShikiDetailDlg::OnGridChange(int col, int row) {
    CBukakeDetailLine* line = Line(row);
    if (!line) return;
    if (col == kKindCol) {
        const int kind = m_grid->GetCellValueInt(col, row);
        if (kind != line->m_columns[kKindValue]) {
            line->m_columns[kIdValue] = kUnset;
            m_grid->ClearCellText(kNameCol, row);
        }
        line->m_columns[kKindValue] = kind;
    } else if (col == kQuantityCol) {
        line->m_columns[kQuantityValue] = DoubleToLong(m_grid->GetCellDouble(col, row, 0.0) * 100.0);
    } else if (col == kLossCol) {
        line->m_name = m_grid->GetCellText(col, row).toStdString();
    }
    RefreshRows();
    UpdateControls();
}

void CBukakeShikiDetailDlg::ChooseName(int row) {
    CBukakeDetailLine& line = *Line(row);
    const int kind = line.m_columns[kKindValue];
    int32_t& id = line.m_columns[kIdValue];
    if (!IsTrade(kind) && !IsMaterial(kind)) return;
    CShokushuSelectDlg dialog(this);
    dialog.SetTankaFile(m_tanka);
    dialog.SetZairyoTankaFile(m_zairyo);
    if (IsTrade(kind)) {
        dialog.SetMode(CShokushuSelectDlg::kTradePrice);
        dialog.SetSelection(1 + (IsUnset(id) ? -1 : m_tanka.FindRowIndex(id)));
    } else {
        dialog.SetMode(CShokushuSelectDlg::kMaterialPrice);
        const CZairyoTankaItem* item = IsUnset(id) ? nullptr : m_zairyo.FindItem(id);
        dialog.SetMaterialItem(item ? id : -1, item ? item->m_kind : MaterialKindOf(kind));
    }
    if (dialog.DoModal() == IDOK) {
        const int chosen = dialog.GetSelection();
        if (IsTrade(kind)) {
            const CTankaRow* trade = chosen > 0 ? m_tanka.GetRow(chosen - 1) : nullptr;
            id = trade ? trade->m_id : kUnset;
        } else {
            int changed = -1;
            const CZairyoTankaFile& edited = dialog.GetZairyoTankaFile(&changed);
            // Every item edited in the selection dialog comes along, not only the chosen one.
            if (changed != -1) {
                m_materialChanged = changed;
                m_zairyo = edited;
            }
            const CZairyoTankaItem* item = IsUnset(chosen) ? nullptr : m_zairyo.GetItem(chosen);
            id = item ? item->m_id : kUnset;
        }
        m_grid->SetCellText(kNameCol, row, NameOf(line));
        UpdateControls();
    }
    m_grid->setFocus();
}

void CBukakeShikiDetailDlg::OnRowDelete() {
    const int r = m_currentRow;
    const int lines = m_detail.GetLineCount();
    if (r < 1 || r > lines) return;
    EmptyLine(*Line(r));
    // The lines below move up one place, up to the first unused one.
    for (int i = r; i < lines && InUse(*m_detail.GetLine(i)); ++i) {
        *m_detail.GetLine(i - 1) = *m_detail.GetLine(i);
        EmptyLine(*m_detail.GetLine(i));
    }
    FillGrid();
    UpdateControls();
}

void CBukakeShikiDetailDlg::OnRowInsert() {
    const int r = m_currentRow;
    const int lines = m_detail.GetLineCount();
    if (r < 1 || r > lines || !InUse(*Line(r))) return;
    // The lines from the current one move down one place into the first free line below; the list
    // never grows, so without one a line would be lost.
    int free = r;
    while (free < lines && InUse(*m_detail.GetLine(free))) ++free;
    if (free == lines) {
        AfxMessageBox(kCannotInsert, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    for (int i = free; i >= r; --i) *m_detail.GetLine(i) = *m_detail.GetLine(i - 1);
    CBukakeDetailLine& inserted = *Line(r);
    EmptyLine(inserted);
    inserted.m_columns[kKindValue] = kLabour;
    FillGrid();
    UpdateControls();
}

void CBukakeShikiDetailDlg::ReadControls() {
    ReadHead();
    const int z1 = std::max(m_z1Index, 0);
    const int z2 = std::max(m_z2Index, 0);
    m_detail.m_shokushu[kZ1Slot] = kZ1Choices[static_cast<size_t>(z1)].second;
    m_detail.m_rates[kZ1RateSlot] = z1 > 0 ? bukakedetail::GetHundredths(m_z1Rate) : kUnset;
    m_detail.m_shokushu[kZ2Slot] = kZ2Choices[static_cast<size_t>(z2)].second;
    m_detail.m_rates[kZ2RateSlot] = z2 > 0 ? bukakedetail::GetHundredths(m_z2Rate) : kUnset;
    m_detail.m_programKingaku = m_optionCheck->isChecked() ? 1 : 0;
}

void CBukakeShikiDetailDlg::accept() { AcceptChecked(); }
