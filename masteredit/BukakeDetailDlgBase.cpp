#include "masteredit/BukakeDetailDlgBase.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/Tx.h"
#include "masteredit/BukakeDetailCommon.h"
#include "masteredit/EditorButton.h"
#include "masteredit/GridBlock.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/SankoKingakuContext.h"

namespace {
using namespace masteredittext;
}  // namespace

CBukakeDetailDlgBase::CBukakeDetailDlgBase(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(kBukakeDetailCaption));
    // Enter neither closes the dialog nor moves the focus.
    SetEnterKey(EnterKey::Ignored);
}

CBukakeDetailDlgBase::~CBukakeDetailDlgBase() = default;

void CBukakeDetailDlgBase::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F5) {
        m_typeCombo->setEnabled(true);
        event->accept();
        return;
    }
    CSekisanDialog::keyPressEvent(event);
}

QPushButton* CBukakeDetailDlgBase::MakeButton(const char* text, const char* name) {
    return MakeEditorButton(this, text, name);
}

void CBukakeDetailDlgBase::MakeHeadFields() {
    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("shubetsu"));
    m_name->setFrameShape(QFrame::Panel);
    m_name->setFrameShadow(QFrame::Sunken);
    auto [formulaLabel, formula] = MakeTextField(Tx(kFormulaLabel), "formula");
    auto [quantityLabel, quantity] = MakeNumberField(Tx(dialogtext::kQuantityLabel), "quantity", CZo_Edit::DoubleRule(10, 2, 0, 9999999.99));
    auto [unitLabel, unit] = MakeTextField(Tx(dialogtext::kUnitLabel), "unit", 20);
    m_formulaLabel = formulaLabel;
    m_formula = formula;
    m_quantityLabel = quantityLabel;
    m_quantity = quantity;
    m_unitLabel = unitLabel;
    m_unit = unit;
}

void CBukakeDetailDlgBase::MakeTypeCombo(bool shortH8) {
    m_typeCombo = new QComboBox(this);
    m_typeCombo->setObjectName(QStringLiteral("type"));
    m_typeCombo->setEnabled(false);
    bukakedetail::FillBukakeTypeCombo(m_typeCombo, shortH8);
}

QGridLayout* CBukakeDetailDlgBase::MakeHenkaritsuCombos(bool h8First) {
    auto* hBox = new QGridLayout;
    for (int i = 0; i < kHenkaritsuSlots; ++i) {
        const int n = h8First ? kHenkaritsuSlots - 1 - i : i;
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
    return hBox;
}

void CBukakeDetailDlgBase::MakeAmountControls() {
    m_kingakuLabel = new QLabel(this);
    m_kingakuLabel->setObjectName(QStringLiteral("kingaku"));
    m_gokeiLabel = new QLabel(this);
    m_gokeiLabel->setObjectName(QStringLiteral("gokei"));
    m_sankoButton = MakeButton(kSankoKingakuButton, "sanko");
    for (QWidget* w : std::initializer_list<QWidget*>{m_kingakuLabel, m_gokeiLabel, m_sankoButton}) w->setVisible(false);
    connect(m_sankoButton, &QPushButton::clicked, this, &CBukakeDetailDlgBase::OnSankoKingaku);
}

QGridLayout* CBukakeDetailDlgBase::HeadLayout(QWidget* typeLabel) {
    auto* head = new QGridLayout;
    head->addWidget(new QLabel(Tx(kShubetsuNameLabel), this), 0, 0);
    head->addWidget(m_name, 0, 1, 1, 5);
    head->addWidget(m_formulaLabel, 1, 0);
    head->addWidget(m_formula, 1, 1, 1, 5);
    head->addWidget(m_quantityLabel, 2, 0);
    head->addWidget(m_quantity, 2, 1);
    head->addWidget(m_unitLabel, 2, 2);
    head->addWidget(m_unit, 2, 3);
    head->addWidget(typeLabel, 2, 4);
    head->addWidget(m_typeCombo, 2, 5);
    head->setColumnStretch(5, 1);
    return head;
}

void CBukakeDetailDlgBase::FollowCursor(std::function<void()> moved, std::function<void()> clear) {
    FollowGridCursor(*m_grid, *this, {m_currentCol, m_currentRow, m_blockCol2, m_blockRow2},
                     [this](int col, int row) {
                         m_currentCol = m_blockCol2 = col;
                         m_currentRow = m_blockRow2 = row;
                     },
                     std::move(moved), std::move(clear));
}

void CBukakeDetailDlgBase::InitHead() {
    m_name->setText(QString::fromStdString(m_shubetsuName));
    if (m_userCreated) m_typeCombo->setEnabled(true);
    for (QComboBox* combo : m_hCombos) {
        const QSignalBlocker quiet(combo);
        bukakedetail::FillHenkaritsuCombo(combo, m_henkaritsu, m_gyomuCode);
    }
}

bool CBukakeDetailDlgBase::ShowEstimateRow() {
    if (!m_context || IsUnset(m_kingaku)) return false;
    m_kingakuLabel->setVisible(true);
    m_sankoButton->setVisible(true);
    m_gokeiLabel->setVisible(!IsUnset(m_gokeiKingaku));
    for (QWidget* w : std::initializer_list<QWidget*>{m_formula, m_typeCombo, m_quantity, m_unit}) w->setEnabled(false);
    for (QComboBox* combo : m_hCombos) combo->setEnabled(false);
    ShowAmounts();
    return true;
}

void CBukakeDetailDlgBase::ShowHead() {
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
}

void CBukakeDetailDlgBase::ReadHead() {
    m_detail.m_formula = m_formula->text().toStdString();
    m_detail.m_quantity = bukakedetail::GetHundredths(m_quantity);
    m_detail.m_unit = m_unit->text().toStdString();
    if (m_typeCombo->currentIndex() >= 0) m_detail.m_bukakeType = m_typeCombo->currentIndex();
}

void CBukakeDetailDlgBase::ResetGridRows(int lines) {
    m_grid->SetReDraw(false);
    m_grid->SetMaxRows(std::max(kGridRows, lines));
    m_grid->SetRow(-1);
    m_grid->SetCol(-1);
    m_grid->SetAction(CSpreadSheet::kActionClearText);
    for (int row = 1; row <= m_grid->GetMaxRows(); ++row) {
        m_grid->SetRow(row);
        m_grid->SetRowHidden(row > lines);
    }
}

void CBukakeDetailDlgBase::AcceptChecked() {
    if (!bukakedetail::CheckDetailFormula(m_formula->text().toStdString())) return;
    ReadControls();
    CSekisanDialog::accept();
}

CBukakeDetailLine* CBukakeDetailDlgBase::Line(int row) const {
    return row >= 1 && row <= m_detail.GetLineCount() ? m_detail.GetLine(row - 1) : nullptr;
}

void CBukakeDetailDlgBase::ShowAmounts() {
    m_kingakuLabel->setText(bukakedetail::KingakuText(kKingakuBefore, m_kingaku));
    if (!IsUnset(m_gokeiKingaku)) m_gokeiLabel->setText(bukakedetail::KingakuText(kGokeiBefore, m_gokeiKingaku));
}

void CBukakeDetailDlgBase::OnSankoKingaku() {
    if (!m_context) return;
    ReadControls();
    int amount = m_kingaku;
    int amount95 = m_gokeiKingaku;
    if (!m_context->CalcSankoKingaku(m_detail, m_zairyo, amount, amount95)) return;
    m_kingaku = amount;
    m_gokeiKingaku = amount95;
    ShowAmounts();
}
