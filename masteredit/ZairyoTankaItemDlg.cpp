#include "masteredit/ZairyoTankaItemDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/Tx.h"
#include "masteredit/MasterEditTexts.h"

CZairyoTankaItemDlg::CZairyoTankaItemDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(masteredittext::kZairyoTankaItemCaption));
    auto [nameLabel, name] = MakeTextField(Tx(masteredittext::kTankaNameLabel), "name");
    auto [specLabel, spec] = MakeTextField(Tx(dialogtext::kKikakuColumnTitle), "spec");
    auto [unitLabel, unit] = MakeTextField(Tx(masteredittext::kItemUnitLabel), "unit");
    auto [priceLabel, price] =
        MakeNumberField(Tx(masteredittext::kItemPriceLabel), "price", CZo_Edit::DoubleRule(15, 4, 0, 999999999999.0));
    auto [remarksLabel, remarks] = MakeTextField(Tx(masteredittext::kItemRemarksLabel), "remarks");
    m_nameEdit = name;
    m_specEdit = spec;
    m_unitEdit = unit;
    m_priceEdit = price;
    m_remarksEdit = remarks;
    m_priceEdit->setAlignment(Qt::AlignRight);
    auto* yen = new QLabel(Tx(masteredittext::kYenUnit), this);

    auto* fields = new QGridLayout;
    int row = 0;
    for (auto [label, field] : {std::pair{nameLabel, name}, {specLabel, spec}, {unitLabel, unit}}) {
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row++, 1, 1, 2);
    }
    fields->addWidget(priceLabel, row, 0);
    fields->addWidget(price, row, 1);
    fields->addWidget(yen, row++, 2);
    fields->addWidget(remarksLabel, row, 0);
    fields->addWidget(remarks, row, 1, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeOkCancelRow());
}

void CZairyoTankaItemDlg::OnInitDialog() {
    if (!m_item.m_name.empty()) m_nameEdit->SetText(Tx(m_item.m_name));
    if (!m_item.m_spec.empty()) m_specEdit->SetText(Tx(m_item.m_spec));
    if (!m_item.m_unit.empty()) m_unitEdit->SetText(Tx(m_item.m_unit));
    if (!IsNoPrice(m_item.m_price)) m_priceEdit->SetDouble(m_item.m_price);
    m_shownPrice = m_priceEdit->text();
    if (!m_item.m_remarks.empty()) m_remarksEdit->SetText(Tx(m_item.m_remarks));
}

void CZairyoTankaItemDlg::accept() {
    CZairyoTankaItem edited = m_item;
    edited.m_name = m_nameEdit->text().toStdString();
    edited.m_spec = m_specEdit->text().toStdString();
    edited.m_unit = m_unitEdit->text().toStdString();
    edited.m_remarks = m_remarksEdit->text().toStdString();
    // A price shown as it was keeps its exact bits; an empty field is no price.
    const QString price = m_priceEdit->text();
    if (price != m_shownPrice) {
        const double value = m_priceEdit->GetDouble();  // -1: no number
        edited.m_price = value == -1.0 ? NoPrice() : value;
    }
    if (!(edited == m_item)) {
        m_changed = 1;
        m_item = edited;
    }
    CSekisanDialog::accept();
}
