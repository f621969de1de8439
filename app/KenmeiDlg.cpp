#include "app/KenmeiDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/AppTexts.h"

namespace {

QComboBox* MakeCombo(QWidget* parent, const char* name) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    // Entered texts reach the history on OK, not while typing.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumWidth(420);
    return combo;
}

}  // namespace

CKenmeiDlg::CKenmeiDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(QString::fromUtf8(apptext::kKenmeiCaption));
    m_printTitleCombo = MakeCombo(this, "printTitle");
    m_kenmeiCombo = MakeCombo(this, "kenmei");
    m_kashomeiCombo = MakeCombo(this, "kashomei");
    auto* form = new QFormLayout;
    form->addRow(new QLabel(QString::fromUtf8(apptext::kPrintTitleLabel), this), m_printTitleCombo);
    form->addRow(new QLabel(QString::fromUtf8(apptext::kKenmeiLabel), this), m_kenmeiCombo);
    form->addRow(new QLabel(QString::fromUtf8(apptext::kKashomeiLabel), this), m_kashomeiCombo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeOkCancelRow());
}

void CKenmeiDlg::FillHistory(QComboBox* combo, int list) const {
    combo->clear();
    for (int i = 0; i < m_hyoshi.GetHistoryCount(list); ++i) {
        const std::string entry = m_hyoshi.GetHistoryItem(list, i);
        if (!entry.empty()) combo->addItem(QString::fromStdString(entry));
    }
}

void CKenmeiDlg::OnInitDialog() {
    if (m_mode == NewEstimate)
        setWindowTitle(QString::fromUtf8(apptext::kKenmeiNewCaption));
    else if (m_mode == Change)
        setWindowTitle(QString::fromUtf8(apptext::kKenmeiChangeCaption));
    FillHistory(m_printTitleCombo, CHyoshiData::kHistoryPrintTitle);
    FillHistory(m_kenmeiCombo, CHyoshiData::kHistorySubject);
    FillHistory(m_kashomeiCombo, CHyoshiData::kHistoryPlace);
    if (m_printTitle.empty()) m_printTitle = apptext::kDefaultPrintTitle;
    m_printTitleCombo->setEditText(QString::fromStdString(m_printTitle));
    m_kenmeiCombo->setEditText(QString::fromStdString(m_kenmei));
    m_kashomeiCombo->setEditText(QString::fromStdString(m_kashomei));
}

void CKenmeiDlg::accept() {
    m_printTitle = m_printTitleCombo->currentText().toStdString();
    m_kenmei = m_kenmeiCombo->currentText().toStdString();
    m_kashomei = m_kashomeiCombo->currentText().toStdString();
    m_hyoshi.AddHistory(CHyoshiData::kHistoryPrintTitle, m_printTitle);
    m_hyoshi.AddHistory(CHyoshiData::kHistorySubject, m_kenmei);
    m_hyoshi.AddHistory(CHyoshiData::kHistoryPlace, m_kashomei);
    CSekisanDialog::accept();
}
