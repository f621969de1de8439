#include "dialogkit/NumberInputDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <tuple>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/ImeStatus.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"
#include "master/KoshuCategory.h"

const CNumberInputDlg::ModeInfo& CNumberInputDlg::Mode(int mode) {
    // The largest number whose thousandfold still fits the stored 32-bit value.
    constexpr double kMaxThousandths = 2147483.647;
    // caption, label, fixed unit, digits, decimals, integer, min, max, scale, unset shows 1,
    // 自動計算, picture, 値引き note
    using namespace dialogtext;
    static const ModeInfo modes[kModeCount] = {
        {kQuantityCaption, kQuantityLabel, nullptr, 10, 3, false, 0, 999999.999, 1000, true, false, 0, false},
        {kUnitPriceCaption, kUnitPriceLabel, nullptr, 10, 1, false, 0, 99999999.9, 10, false, false, 0, false},
        {kAmountCaption, kAmountLabel, nullptr, 13, 0, true, 0, 999999999, 1, false, false, 0, false},
        {kRateCaption, kRateLabel, kPercentUnit, 6, 2, false, 0, 200, 100, false, false, 0, false},
        {kWeightAverageCaption, kWeightAverageLabel, nullptr, 13, 3, false, 0, kMaxThousandths, 1000, false, false, 0,
         false},
        {kSummaryRowsCaption, kRowsLabel, nullptr, 6, 0, true, 1, 30, 1, false, false, 0, false},
        {kAmountCaption, kAmountLabel, nullptr, 13, 0, true, 0, 999999999, 1, false, true, 0, false},
        {kRateCaption, kRateLabel, kPercentUnit, 6, 2, false, 0, 200, 100, false, true, 0, false},
        {kMultiplyCaption, kMultiplyLabel, kTimesUnit, 13, 3, false, 0, kMaxThousandths, 1000, false, false, 0, false},
        {kRateCaption, kRateLabel, kPercentUnit, 6, 2, false, 0, 200, 100, false, false, 217, false},
        {kAmountCaption, kAmountLabel, nullptr, 13, 0, true, -999999999, 999999999, 1, false, false, 0, true},
        {nullptr, kNumberLabel, nullptr, 10, 3, false, 0, 999999.999, 1000, true, false, 0, false},
        {kRateCaption, kRateLabel, kPercentUnit, 6, 2, false, 0, 200, 100, false, true, 0, false},
        {kRateCaption, kRateLabel, kPercentUnit, 6, 2, false, 0, 200, 100, false, true, 0, false},
        {kRateCaption, kRateLabel, kPercentUnit, 6, 2, false, 0, 200, 100, false, false, 220, false},
        {kRateCaption, kRateLabel, kPercentUnit, 6, 2, false, 0, 200, 100, false, false, 221, false},
    };
    return modes[mode >= 0 && mode < kModeCount ? mode : 0];
}

namespace {

// A small reference table of rates by district, shown under the number field.
QLabel* RateTable(QWidget* parent, const char* name, const char* const rates[4]) {
    QString html = QStringLiteral("<table border='1' cellspacing='0' cellpadding='3'><tr>");
    for (const char* head :
         {dialogtext::kRateTableCorner, dialogtext::kDistrictDaiShigaichi, dialogtext::kDistrictShigaichiKo,
          dialogtext::kDistrictShigaichiOtsu, dialogtext::kDistrictSonota})
        html += QStringLiteral("<th>") + QString::fromUtf8(head) + QStringLiteral("</th>");
    html += QStringLiteral("</tr><tr><td>") + QString::fromUtf8(dialogtext::kPlaceGendo) + QStringLiteral("</td>");
    for (int i = 0; i < 4; ++i) html += QStringLiteral("<td align='center'>") + QString::fromUtf8(rates[i]) + "</td>";
    html += QStringLiteral("</tr></table>");
    auto* label = new QLabel(html, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::RichText);
    return label;
}

}  // namespace

CNumberInputDlg::CNumberInputDlg(QWidget* parent) : CSekisanDialog(parent) {
    SetEnterMovesFocus(false);
    setWindowTitle(QString::fromUtf8(dialogtext::kNumberInputCaption));
    // The field takes its type, digits and range from the mode when the dialog opens.
    std::tie(m_label, m_edit) = MakeTextField(QString::fromUtf8(dialogtext::kNumberLabel), "number");
    m_label->setObjectName(QStringLiteral("label"));
    SetImeOpenStatus(m_edit, false);
    m_unitLabel = new QLabel(this);
    m_unitLabel->setObjectName(QStringLiteral("unit"));
    m_manualNote = new QLabel(QString::fromUtf8(dialogtext::kManualNote), this);
    m_manualNote->setObjectName(QStringLiteral("manualNote"));
    m_autoButton = new QPushButton(QString::fromUtf8(dialogtext::kAutoCalc), this);
    m_autoButton->setObjectName(QStringLiteral("auto"));
    m_autoButton->setAutoDefault(false);
    connect(m_autoButton, &QPushButton::clicked, this, &CNumberInputDlg::OnAutoCalc);
    m_discountNote = new QLabel(QString::fromUtf8(dialogtext::kDiscountNote), this);
    m_discountNote->setObjectName(QStringLiteral("discountNote"));

    static const char* const yearTexts[6] = {dialogtext::kYearUpToH26, dialogtext::kYearFromH27,
                                             dialogtext::kYearH28H29, dialogtext::kYearH30ToR5,
                                             dialogtext::kYearFromR6, dialogtext::kYearFromR7};
    m_yearGroup = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        m_years[i] = new QRadioButton(QString::fromUtf8(yearTexts[i]), this);
        m_years[i]->setObjectName(QStringLiteral("year%1").arg(i));
        m_yearGroup->addButton(m_years[i], i);
    }
    m_yearNote = new QLabel(QString::fromUtf8(dialogtext::kYearNote), this);
    m_yearNote->setObjectName(QStringLiteral("yearNote"));

    static const char* const rates217[4] = {"4.0%", "3.5%", "3.0%", "2.5%"};
    static const char* const rates220[4] = {"17.0%", "15.5%", "12.5%", "13.5%"};
    static const char* const rates221[4] = {"－", "10.0%", "9.5%", "4.5%"};
    m_pictures = {RateTable(this, "picture217", rates217), RateTable(this, "picture220", rates220),
                  RateTable(this, "picture221", rates221)};

    auto* fieldRow = new QHBoxLayout;
    fieldRow->addWidget(m_label);
    fieldRow->addWidget(m_edit, 1);
    fieldRow->addWidget(m_unitLabel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fieldRow);
    for (QLabel* picture : m_pictures) layout->addWidget(picture);
    layout->addWidget(m_discountNote);
    layout->addWidget(m_manualNote);
    for (QRadioButton* r : m_years) layout->addWidget(r);
    layout->addWidget(m_yearNote);
    auto* buttons = MakeOkCancelRow();
    buttons->addButton(m_autoButton, QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);

    for (QWidget* w : std::initializer_list<QWidget*>{m_manualNote, m_autoButton, m_discountNote, m_yearNote})
        w->setVisible(false);
    for (QWidget* w : m_years) w->setVisible(false);
    for (QWidget* w : m_pictures) w->setVisible(false);
    resize(440, 150);
}

void CNumberInputDlg::OnInitDialog() {
    const ModeInfo& info = Mode(m_mode);
    setWindowTitle(info.caption ? QString::fromUtf8(info.caption) : m_caption);
    m_label->setText(QString::fromUtf8(info.label));
    // The fixed units are written after the caller's unit text, so that they stay.
    m_unitLabel->setText(m_unit);
    if (info.fixedUnit) m_unitLabel->setText(QString::fromUtf8(info.fixedUnit));

    m_pictures[0]->setVisible(info.picture == 217);
    m_pictures[1]->setVisible(info.picture == 220);
    m_pictures[2]->setVisible(info.picture == 221);
    m_discountNote->setVisible(info.discountNote);
    m_autoButton->setVisible(info.autoButton);
    m_manualNote->setVisible(info.autoButton && m_manual == 1);
    m_auto = 0;

    if (m_mode == 12 || m_mode == 13) {
        m_yearChoice = m_fiscalYear;
        m_yearNote->setVisible(true);
        m_years[0]->setVisible(true);
        m_years[1]->setVisible(true);
        if (m_mode == 12) {
            if (m_koshuCode == Koshu::Shokeihi) {
                m_years[1]->setText(QString::fromUtf8(dialogtext::kYearH27ToR6));
                m_years[5]->setVisible(true);
            }
        } else {
            m_years[1]->setText(QString::fromUtf8(dialogtext::kYearH27));
            for (int i = 2; i <= 4; ++i) m_years[i]->setVisible(true);
        }
    }

    m_edit->SetRule(info.integer ? CZo_Edit::IntRule(info.digits, info.minimum, info.maximum)
                                 : CZo_Edit::DoubleRule(info.digits, info.decimals, info.minimum, info.maximum));
    if (m_value != kUnset) {
        if (info.integer)
            m_edit->SetInt(m_value / info.scale);
        else
            m_edit->SetDouble(static_cast<double>(m_value) / info.scale);
    } else if (info.unsetShowsOne) {
        m_edit->SetDouble(1.0);
    }
    CheckButton(m_yearGroup, m_yearChoice);
    m_edit->setFocus();
    m_edit->selectAll();
}

void CNumberInputDlg::StoreField() {
    const ModeInfo& info = Mode(m_mode);
    // The field's text decides whether a number was given: a typed -1 is a number like any other.
    if (m_edit->IsEmpty() || !vemo::ParseDouble(m_edit->GetText().toStdString())) {
        m_value = kUnset;
    } else if (info.integer) {
        m_value = m_edit->GetInt() * info.scale;
    } else {
        m_value = DoubleToLong(m_edit->GetDouble() * info.scale);
    }
}

void CNumberInputDlg::accept() {
    StoreField();
    CSekisanDialog::accept();
}

void CNumberInputDlg::OnAutoCalc() {
    m_auto = 1;
    m_yearChoice = m_yearGroup->checkedId();
    m_fiscalYear = m_yearChoice;
    accept();
}
