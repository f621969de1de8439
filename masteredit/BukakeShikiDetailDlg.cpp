#include "masteredit/BukakeShikiDetailDlg.h"
#include "master/MasterTexts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "app/dialogs/DialogTexts.h"
#include "app/dialogs/ImeStatus.h"
#include "app/dialogs/SpreadSheet.h"
#include "masteredit/BukakeDetailCommon.h"
#include "masteredit/GridBlock.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/SankoKingakuContext.h"
#include "masteredit/ShokushuSelectDlg.h"
#include "platform/Host.h"
#include "platform/Rounding.h"

namespace {
using namespace masteredittext;
QString Tx(const char* text) { return QString::fromUtf8(text); }

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

CBukakeShikiDetailDlg::CBukakeShikiDetailDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(kBukakeDetailCaption));
    SetEnterKey(EnterKey::Ignored);
    auto button = [this](const char* text, const char* name) {
        auto* b = new QPushButton(Tx(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };

    m_typeCombo = new QComboBox(this);
    m_typeCombo->setObjectName(QStringLiteral("type"));
    m_typeCombo->setEnabled(false);
    bukakedetail::FillBukakeTypeCombo(m_typeCombo, true);
    auto* hBox = new QGridLayout;
    // H8 first, then H7..H1, as the template lays them out.
    for (int i = 0; i < kHenkaritsuSlots; ++i) {
        const int n = kHenkaritsuSlots - 1 - i;
        auto* combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("h%1").arg(n + 1));
        combo->setIconSize(QSize(16, 16));
        combo->setMinimumWidth(200);
        combo->setMaxVisibleItems(20);
        m_hCombos[n] = combo;
        connect(combo, &QComboBox::currentIndexChanged, this, [this, n](int index) {
            m_detail.m_henkaritsu[n] = bukakedetail::HenkaritsuCodeAt(m_henkaritsu, m_gyomuCode, index);
        });
        auto* label = new QLabel(Tx(kHenkaritsuSlotLabel).replace(QStringLiteral("%d"), QString::number(n + 1)), this);
        hBox->addWidget(label, i / 4, (i % 4) * 2);
        hBox->addWidget(combo, i / 4, (i % 4) * 2 + 1);
        hBox->setColumnStretch((i % 4) * 2 + 1, 1);
    }

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

    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("shubetsu"));
    m_name->setFrameShape(QFrame::Panel);
    m_name->setFrameShadow(QFrame::Sunken);
    auto [formulaLabel, formula] = MakeTextField(Tx(kFormulaLabel), "formula");
    auto [quantityLabel, quantity] = MakeNumberField(Tx(dialogtext::kQuantityLabel), "quantity", CZo_Edit::DoubleRule(10, 2, 0, 9999999.99));
    auto [unitLabel, unit] = MakeTextField(Tx(dialogtext::kUnitLabel), "unit", 20);
    m_formula = formula;
    m_quantity = quantity;
    m_unit = unit;

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
    m_deleteButton = button(kRowDeleteButton, "rowdelete");
    m_insertButton = button(kRowInsertButton, "rowinsert");
    m_kingakuLabel = new QLabel(this);
    m_kingakuLabel->setObjectName(QStringLiteral("kingaku"));
    m_gokeiLabel = new QLabel(this);
    m_gokeiLabel->setObjectName(QStringLiteral("gokei"));
    m_sankoButton = button(kSankoKingakuButton, "sanko");
    for (QWidget* w : std::initializer_list<QWidget*>{m_kingakuLabel, m_gokeiLabel, m_sankoButton}) w->setVisible(false);
    auto [ok, cancel] = MakeOkCancelButtons();
    cancel->setText(Tx(dialogtext::kCancel));

    connect(m_deleteButton, &QPushButton::clicked, this, &CBukakeShikiDetailDlg::OnRowDelete);
    connect(m_insertButton, &QPushButton::clicked, this, &CBukakeShikiDetailDlg::OnRowInsert);
    connect(m_sankoButton, &QPushButton::clicked, this, &CBukakeShikiDetailDlg::OnSankoKingaku);
    connect(m_grid, &CSpreadSheet::Click, this, [this](int col, int row) {
        if (row < 1 || col < 1) return;
        m_currentCol = m_blockCol2 = col;
        m_currentRow = m_blockRow2 = row;
        UpdateControls();
    });
    FollowGridCursor(*m_grid, *this, {m_currentCol, m_currentRow, m_blockCol2, m_blockRow2},
                     [this](int col, int row) {
                         m_currentCol = m_blockCol2 = col;
                         m_currentRow = m_blockRow2 = row;
                     },
                     [this] { UpdateControls(); }, [] {});
    connect(m_grid, &CSpreadSheet::Change, this, &CBukakeShikiDetailDlg::OnGridChange);
    connect(m_grid, &CSpreadSheet::DblClick, this, [this](int col, int row) {
        if (col == kNameCol && Line(row)) ChooseName(row);
    });

    // Layout.
    auto* head = new QGridLayout;
    head->addWidget(new QLabel(Tx(kShubetsuNameLabel), this), 0, 0);
    head->addWidget(m_name, 0, 1, 1, 5);
    head->addWidget(formulaLabel, 1, 0);
    head->addWidget(m_formula, 1, 1, 1, 5);
    head->addWidget(quantityLabel, 2, 0);
    head->addWidget(m_quantity, 2, 1);
    head->addWidget(unitLabel, 2, 2);
    head->addWidget(m_unit, 2, 3);
    head->addWidget(new QLabel(Tx(kBukakeTypeLabel), this), 2, 4);
    head->addWidget(m_typeCombo, 2, 5);
    head->setColumnStretch(5, 1);
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
}

CBukakeShikiDetailDlg::~CBukakeShikiDetailDlg() = default;

void CBukakeShikiDetailDlg::keyPressEvent(QKeyEvent* event) {
    // F5, the maintenance key, opens the 歩掛データ タイプ to change.
    if (event->key() == Qt::Key_F5) {
        m_typeCombo->setEnabled(true);
        event->accept();
        return;
    }
    CSekisanDialog::keyPressEvent(event);
}

CBukakeDetailLine* CBukakeShikiDetailDlg::Line(int row) const {
    return row >= 1 && row <= m_detail.GetLineCount() ? m_detail.GetLine(row - 1) : nullptr;
}

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
    m_name->setText(QString::fromStdString(m_shubetsuName));
    if (m_userCreated) m_typeCombo->setEnabled(true);
    for (QComboBox* combo : m_hCombos) {
        const QSignalBlocker quiet(combo);
        bukakedetail::FillHenkaritsuCombo(combo, m_henkaritsu, m_gyomuCode);
    }
    if (m_context && !IsUnset(m_kingaku)) {
        m_kingakuLabel->setVisible(true);
        m_sankoButton->setVisible(true);
        m_gokeiLabel->setVisible(!IsUnset(m_gokeiKingaku));
        for (QWidget* w : std::initializer_list<QWidget*>{m_formula, m_typeCombo, m_quantity, m_unit})
            w->setEnabled(false);
        for (QComboBox* combo : m_hCombos) combo->setEnabled(false);
        ShowAmounts();
    }
    if (m_gyomuCode == 4) m_optionCheck->setVisible(true);

    m_formula->setText(QString::fromStdString(m_detail.m_formula));
    for (int n = 0; n < kHenkaritsuSlots; ++n) {
        const QSignalBlocker quiet(m_hCombos[n]);
        m_hCombos[n]->setCurrentIndex(
            bukakedetail::HenkaritsuComboIndex(m_henkaritsu, m_gyomuCode, m_detail.m_henkaritsu[n]));
    }
    bukakedetail::SetHundredths(m_quantity, m_detail.m_quantity);
    m_unit->setText(QString::fromStdString(m_detail.m_unit));
    m_typeCombo->setCurrentIndex(
        m_detail.m_bukakeType >= 0 && m_detail.m_bukakeType < bukakedetail::kBukakeTypeCount ? m_detail.m_bukakeType : -1);
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
    m_grid->SetReDraw(false);
    m_grid->SetMaxRows(std::max(kGridRows, lines));
    m_grid->SetRow(-1);
    m_grid->SetCol(-1);
    m_grid->SetAction(CSpreadSheet::kActionClearText);
    for (int row = 1; row <= m_grid->GetMaxRows(); ++row) {
        m_grid->SetRow(row);
        m_grid->SetRowHidden(row > lines);
    }
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
    // The list never grows: with every line in use the last one would be lost.
    if (InUse(*m_detail.GetLine(lines - 1))) {
        AfxMessageBox(kCannotInsert, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    for (int i = lines - 1; i >= r; --i)
        if (InUse(*m_detail.GetLine(i - 1))) *m_detail.GetLine(i) = *m_detail.GetLine(i - 1);
    CBukakeDetailLine& inserted = *Line(r);
    EmptyLine(inserted);
    inserted.m_columns[kKindValue] = kLabour;
    FillGrid();
    UpdateControls();
}

void CBukakeShikiDetailDlg::ReadControls() {
    m_detail.m_formula = m_formula->text().toStdString();
    m_detail.m_quantity = bukakedetail::GetHundredths(m_quantity);
    m_detail.m_unit = m_unit->text().toStdString();
    if (m_typeCombo->currentIndex() >= 0) m_detail.m_bukakeType = m_typeCombo->currentIndex();
    const int z1 = std::max(m_z1Index, 0);
    const int z2 = std::max(m_z2Index, 0);
    m_detail.m_shokushu[kZ1Slot] = kZ1Choices[static_cast<size_t>(z1)].second;
    m_detail.m_rates[kZ1RateSlot] = z1 > 0 ? bukakedetail::GetHundredths(m_z1Rate) : kUnset;
    m_detail.m_shokushu[kZ2Slot] = kZ2Choices[static_cast<size_t>(z2)].second;
    m_detail.m_rates[kZ2RateSlot] = z2 > 0 ? bukakedetail::GetHundredths(m_z2Rate) : kUnset;
    m_detail.m_programKingaku = m_optionCheck->isChecked() ? 1 : 0;
}

void CBukakeShikiDetailDlg::ShowAmounts() {
    m_kingakuLabel->setText(bukakedetail::KingakuText(kKingakuBefore, m_kingaku));
    if (!IsUnset(m_gokeiKingaku)) m_gokeiLabel->setText(bukakedetail::KingakuText(kGokeiBefore, m_gokeiKingaku));
}

void CBukakeShikiDetailDlg::OnSankoKingaku() {
    if (!m_context) return;
    ReadControls();
    int amount = m_kingaku;
    int amount95 = m_gokeiKingaku;
    if (!m_context->CalcSankoKingaku(m_detail, m_zairyo, amount, amount95)) return;
    m_kingaku = amount;
    m_gokeiKingaku = amount95;
    ShowAmounts();
}

void CBukakeShikiDetailDlg::accept() {
    if (!bukakedetail::CheckDetailFormula(m_formula->text().toStdString())) return;
    ReadControls();
    CSekisanDialog::accept();
}
