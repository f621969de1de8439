#include "app/dialogs/TitleEditDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>
#include <tuple>

CTitleEditDlg::CTitleEditDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(QStringLiteral("表のタイトル変更"));
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
        setWindowTitle(QStringLiteral("表のタイトル変更"));
        m_upperLabel->setText(QStringLiteral("行のタイトル :"));
        m_lowerLabel->setText(QStringLiteral("列のタイトル :"));
    } else {
        setWindowTitle(m_mode == ItemName ? QStringLiteral("費目／工種／種別名の編集") : QStringLiteral("摘要の編集"));
        m_upperLabel->setText(QStringLiteral("上段 :"));
        m_lowerLabel->setText(QStringLiteral("下段 :"));
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
