#include "app/TaniInputDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <tuple>

#include "app/AppTexts.h"
#include "dialogkit/DialogTexts.h"

CTaniInputDlg::CTaniInputDlg(QWidget* parent) : CSekisanDialog(parent) {
    SetEnterMovesFocus(false);
    setWindowTitle(QString::fromUtf8(apptext::kTaniCaption));
    QLabel* label;
    std::tie(label, m_unitEdit) = MakeTextField(QString::fromUtf8(dialogtext::kUnitLabel), "unit");
    auto [ok, cancel] = MakeOkCancelButtons();
    auto* field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(m_unitEdit, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(field, 1);
    layout->addLayout(buttons);
    resize(300, 80);
}

void CTaniInputDlg::OnInitDialog() {
    m_unitEdit->SetText(m_unit);
    m_unitEdit->setFocus();
    m_unitEdit->selectAll();
}

void CTaniInputDlg::accept() {
    m_unit = m_unitEdit->GetText();
    CSekisanDialog::accept();
}
