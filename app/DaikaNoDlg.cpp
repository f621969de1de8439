#include "app/DaikaNoDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "dialogkit/ImeStatus.h"
#include "dialogkit/Tx.h"
#include "report/ReportTexts.h"
#include "estimate/EstimateTexts.h"

CDaikaNoDlg::CDaikaNoDlg(QWidget* parent) : CSekisanDialog(parent), m_title(Tx(estimate_texts::DefaultDaikaName)) {
    setWindowTitle(Tx(apptext::kDaikaNoCaption));
    // Whole numbers from 0; with the serial offset added they still fit the stored value.
    m_numberEdit = MakeField("number", CZo_Edit::IntRule(9, 0, 999999999));
    m_titleEdit = MakeField("title", CZo_Edit::TextRule());
    auto* hint = new QLabel(Tx(apptext::kDaikaNoHint), this);
    hint->setObjectName(QStringLiteral("hint"));
    auto [ok, cancel] = MakeOkCancelButtons();
    auto* serial = new QPushButton(Tx(apptext::kDaikaNoSerial), this);
    serial->setObjectName(QStringLiteral("serial"));
    connect(serial, &QPushButton::clicked, this, &CDaikaNoDlg::OnSerial);

    auto* fields = new QHBoxLayout;
    fields->addWidget(new QLabel(Tx(reporttext::kNumberBefore), this));
    fields->addWidget(m_numberEdit);
    fields->addWidget(new QLabel(Tx(apptext::kDaikaNoAfter), this));
    fields->addWidget(m_titleEdit, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(hint);
    left->addStretch();
    LayOutBesideButtons(left, {ok, serial, cancel});
    m_numberEdit->setFixedWidth(80);
    resize(420, 110);
}

void CDaikaNoDlg::OnInitDialog() {
    if (!IsUnset(m_number)) m_numberEdit->SetInt(m_number);
    m_titleEdit->SetText(m_title);
    SetImeOpenStatus(m_numberEdit, false);
    m_numberEdit->setFocus();
    m_numberEdit->selectAll();
}

void CDaikaNoDlg::StoreFields(bool serial) {
    // The field's text decides: an emptied field removes the number.
    m_number = m_numberEdit->IsEmpty() ? kUnset : m_numberEdit->GetInt();
    if (serial && !IsUnset(m_number)) m_number += kSerialOffset;
    m_title = m_titleEdit->GetText();
}

void CDaikaNoDlg::accept() {
    StoreFields(false);
    CSekisanDialog::accept();
}

void CDaikaNoDlg::OnSerial() {
    StoreFields(true);
    CSekisanDialog::accept();
}
