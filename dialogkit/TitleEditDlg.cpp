#include "dialogkit/TitleEditDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>
#include <tuple>

#include "dialogkit/DialogTexts.h"

CTitleEditDlg::CTitleEditDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(QString::fromUtf8(dialogtext::kTableTitleCaption));
    std::tie(m_upperLabel, m_upperEdit) = MakeTextField(QString(), "upper");
    std::tie(m_lowerLabel, m_lowerEdit) = MakeTextField(QString(), "lower");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_upperLabel);
    layout->addWidget(m_upperEdit);
    layout->addWidget(m_lowerLabel);
    layout->addWidget(m_lowerEdit);
    layout->addWidget(MakeOkCancelRow());
    resize(420, 160);
}

void CTitleEditDlg::OnInitDialog() {
    if (m_mode == TableTitle) {
        setWindowTitle(QString::fromUtf8(dialogtext::kTableTitleCaption));
        m_upperLabel->setText(QString::fromUtf8(dialogtext::kRowTitleLabel));
        m_lowerLabel->setText(QString::fromUtf8(dialogtext::kColumnTitleLabel));
    } else {
        setWindowTitle(
            QString::fromUtf8(m_mode == ItemName ? dialogtext::kItemNameCaption : dialogtext::kTekiyoCaption));
        m_upperLabel->setText(QString::fromUtf8(dialogtext::kUpperLabel));
        m_lowerLabel->setText(QString::fromUtf8(dialogtext::kLowerLabel));
    }
    m_upperEdit->SetText(m_upper);
    m_lowerEdit->SetText(m_lower);
    m_upperEdit->setReadOnly(!m_upperEnabled);
    m_upperEdit->setEnabled(m_upperEnabled != 0);
    m_lowerEdit->setReadOnly(!m_lowerEnabled);
    m_lowerEdit->setEnabled(m_lowerEnabled != 0);
}

void CTitleEditDlg::GetTitles(QString* upper, QString* lower) const {
    if (upper) *upper = m_upper;
    if (lower) *lower = m_lower;
}

void CTitleEditDlg::accept() {
    m_upper = m_upperEdit->GetText();
    m_lower = m_lowerEdit->GetText();
    CSekisanDialog::accept();
}
