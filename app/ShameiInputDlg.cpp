#include "app/ShameiInputDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "app/ShellWindows.h"
#include "platform/Rounding.h"
#include "dialogkit/DialogTexts.h"
#include "masteredit/MasterEditTexts.h"
#include "report/ReportTexts.h"

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

enum Company { kPostalCode, kAddress1, kAddress2, kCompanyName1, kCompanyName2, kRepresentative, kTel, kFax };

}  // namespace

QIcon CShameiInputDlg::ListImage(int index) {
    const QPixmap strip(QStringLiteral(":/bitmaps/price_images.png"));
    constexpr int kSize = 16;
    if (strip.isNull() || index < 0 || (index + 1) * kSize > strip.width()) return QIcon();
    return QIcon(CBitmapStatic::Masked(strip.copy(index * kSize, 0, kSize, kSize)));
}

CShameiInputDlg::CShameiInputDlg(QWidget* parent) : CSekisanDialog(parent) {
    using namespace apptext;
    setWindowTitle(Text(kShameiCaption));

    const char* const names[8] = {"postalCode", "address1", "address2", "companyName1",
                                  "companyName2", "representative", "tel", "fax"};
    for (int i = 0; i < 8; ++i) m_fields[static_cast<size_t>(i)] = MakeField(names[i], CZo_Edit::TextRule());

    auto* company = new QGroupBox(Text(kCompanyGroup), this);
    company->setObjectName(QStringLiteral("companyGroup"));
    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const char* label, CZo_Edit* field) {
        if (label) grid->addWidget(new QLabel(Text(label), company), row, 0, Qt::AlignRight);
        grid->addWidget(field, row, 1);
        ++row;
    };
    addRow(kPostalCodeLabel, Field(kPostalCode));
    // The postal code is short; addresses and names get room for a line of text.
    Field(kPostalCode)->setMaximumWidth(120);
    for (int i = kAddress1; i <= kFax; ++i) Field(i)->setMinimumWidth(300);
    addRow(kAddressLabel, Field(kAddress1));
    addRow(nullptr, Field(kAddress2));
    addRow(kCompanyNameLabel, Field(kCompanyName1));
    addRow(nullptr, Field(kCompanyName2));
    addRow(kRepresentativeLabel, Field(kRepresentative));
    addRow(kTelLabel, Field(kTel));
    addRow(kFaxLabel, Field(kFax));
    // The footer choice is kept in the master but no longer offered.
    m_footerCheck = new QCheckBox(Text(kFooterCheck), company);
    m_footerCheck->setObjectName(QStringLiteral("footer"));
    m_footerCheck->setVisible(false);
    grid->addWidget(m_footerCheck, row++, 1);
    m_picture = new CBitmapStatic(company);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->SetBitmap(QPixmap(QStringLiteral(":/bitmaps/company.png")));
    m_picture->setAlignment(Qt::AlignCenter);
    auto* companyLayout = new QHBoxLayout(company);
    companyLayout->addWidget(m_picture, 0, Qt::AlignTop);
    companyLayout->addLayout(grid, 1);

    auto* tanka = new QGroupBox(Text(kTankaSettingGroup), this);
    tanka->setObjectName(QStringLiteral("tankaGroup"));
    auto* tankaLayout = new QVBoxLayout(tanka);
    tankaLayout->addWidget(new QLabel(Text(kDefaultColumnLabel), tanka));
    m_columnCombo = new QComboBox(tanka);
    m_columnCombo->setObjectName(QStringLiteral("column"));
    tankaLayout->addWidget(m_columnCombo);
    tankaLayout->addSpacing(8);
    m_travelCheck = new QCheckBox(Text(kTravelCheck), tanka);
    m_travelCheck->setObjectName(QStringLiteral("travel"));
    tankaLayout->addWidget(m_travelCheck);
    m_rowCombo = new QComboBox(tanka);
    m_rowCombo->setObjectName(QStringLiteral("travelRow"));
    tankaLayout->addWidget(m_rowCombo);
    tankaLayout->addSpacing(8);
    auto* taxRow = new QHBoxLayout;
    taxRow->addWidget(new QLabel(Text(kTaxLabel), tanka));
    m_tax = MakeField("tax", CZo_Edit::DoubleRule(6, 2, 0, 999.99));
    m_tax->setMaximumWidth(90);
    taxRow->addWidget(m_tax);
    taxRow->addWidget(new QLabel(Text(masteredittext::kPercentUnit), tanka));
    taxRow->addStretch(1);
    tankaLayout->addLayout(taxRow);
    tankaLayout->addStretch(1);
    m_columnCombo->setMinimumWidth(240);
    m_columnCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_rowCombo->setMinimumWidth(240);

    m_ok = new QPushButton(Text(reporttext::kSaveAndClose), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CShameiInputDlg::accept);
    auto* cancel = new QPushButton(Text(dialogtext::kCancel), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(company, 3);
    top->addWidget(tanka, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    connect(m_footerCheck, &QCheckBox::clicked, this, &CShameiInputDlg::OnFooterClicked);
    connect(m_travelCheck, &QCheckBox::clicked, this, &CShameiInputDlg::OnTravelClicked);
    connect(m_columnCombo, &QComboBox::currentIndexChanged, this, &CShameiInputDlg::OnColumnChanged);
    // A choice the user confirms in the list, not a selection the dialog makes.
    connect(m_rowCombo, &QComboBox::activated, this, &CShameiInputDlg::OnRowChosen);
}

void CShameiInputDlg::OnInitDialog() {
    if (m_images.isEmpty())
        for (int i = 0; i <= kTravelOffRow; ++i) m_images << ListImage(i);

    for (int i = 0; i < 8; ++i) Field(i)->SetText(QString::fromStdString(m_tanka.m_company[static_cast<size_t>(i)]));
    m_footerFlag = m_tanka.m_footerFlag;
    m_travelFlag = m_tanka.m_travelFlag;
    m_footerCheck->setChecked(m_footerFlag != 0);
    m_travelCheck->setChecked(m_travelFlag != 0);

    {
        // Filling the lists is not a choice of the user's.
        const QSignalBlocker columnBlocker(m_columnCombo);
        m_columnCombo->clear();
        for (const std::string& title : m_tanka.m_columnTitles) {
            if (title.empty())
                m_columnCombo->addItem(m_images[kUntitledColumn], Text(apptext::kTankaSettingUntitled));
            else
                m_columnCombo->addItem(m_images[kTitledColumn], QString::fromStdString(title));
        }
        if (!IsUnset(m_tanka.m_defaultColumn)) m_columnIndex = m_tanka.m_defaultColumn;
        m_columnCombo->setCurrentIndex(m_columnIndex);
    }
    {
        const QSignalBlocker rowBlocker(m_rowCombo);
        m_rowCombo->clear();
        const bool inColumn = m_columnIndex >= 0 && m_columnIndex < CTankaRow::kPriceColumns;
        for (int i = 0; i < m_tanka.GetCount(); ++i) {
            const CTankaRow& row = *m_tanka.GetRow(i);
            int image = kTravelOffRow;
            if (m_travelFlag)
                image = inColumn && !IsUnset(row.m_prices[static_cast<size_t>(m_columnIndex)]) ? kPricedRow : kUnpricedRow;
            m_rowCombo->addItem(m_images[image], QString::fromStdString(row.m_name));
        }
        if (!IsUnset(m_tanka.m_travelTrade)) m_rowIndex = m_tanka.FindRowIndex(m_tanka.m_travelTrade);
        m_rowCombo->setCurrentIndex(m_rowIndex);
    }
    if (!IsUnset(m_tanka.m_consumptionTax)) m_tax->SetDouble(m_tanka.m_consumptionTax / 100.0);
    UpdateControlState();
}

void CShameiInputDlg::UpdateMaster() {
    for (int i = 0; i < 8; ++i) m_tanka.m_company[static_cast<size_t>(i)] = Field(i)->GetText().toStdString();
    m_tanka.m_footerFlag = m_footerFlag;
    m_tanka.m_travelFlag = m_travelFlag;
    const int column = m_columnCombo->currentIndex();
    m_tanka.m_defaultColumn = column < 0 ? kUnset : column;
    const int row = m_rowCombo->currentIndex();
    m_tanka.m_travelTrade = row >= 0 && row < m_tanka.GetCount() ? m_tanka.GetRow(row)->m_id : kUnset;
    const double tax = m_tax->GetDouble();
    m_tanka.m_consumptionTax = tax == -1.0 ? kUnset : DoubleToLong(tax * 100);
}

void CShameiInputDlg::UpdateControlState() {
    const bool titled = m_columnIndex >= 0 && m_columnIndex < CTankaRow::kPriceColumns &&
                        !m_tanka.m_columnTitles[static_cast<size_t>(m_columnIndex)].empty();
    m_ok->setEnabled(titled);
    m_rowCombo->setEnabled(m_travelFlag != 0);
}

void CShameiInputDlg::OnFooterClicked() {
    m_footerFlag = m_footerFlag ? 0 : 1;
    m_tanka.m_footerFlag = m_footerFlag;
}

void CShameiInputDlg::OnTravelClicked() {
    m_travelFlag = m_travelFlag ? 0 : 1;
    m_tanka.m_travelFlag = m_travelFlag;
    UpdateMaster();
    UpdateControlState();
}

void CShameiInputDlg::OnColumnChanged(int index) {
    m_columnIndex = index;
    m_tanka.m_defaultColumn = index < 0 ? kUnset : index;
    UpdateMaster();
    UpdateControlState();
}

void CShameiInputDlg::OnRowChosen(int index) {
    m_rowIndex = index;
    if (index >= 0 && index < m_tanka.GetCount()) m_tanka.m_travelTrade = m_tanka.GetRow(index)->m_id;
}

void CShameiInputDlg::accept() {
    if (!m_ok->isEnabled()) return;
    UpdateMaster();
    CSekisanDialog::accept();
}
