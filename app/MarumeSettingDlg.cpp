#include "app/MarumeSettingDlg.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/AppTexts.h"

CMarumeSettingDlg::CMarumeSettingDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(QString::fromUtf8(apptext::kMarumeCaption));
    static const char* const texts[kChoices] = {
        apptext::kMarumeNone,         apptext::kMarumeTens,     apptext::kMarumeHundreds,
        apptext::kMarumeThousands,    apptext::kMarumeTenThousands, apptext::kMarumeHundredThousands,
        apptext::kMarumeMillions,     apptext::kMarumeTenMillions};
    auto* box = new QGroupBox(QString::fromUtf8(apptext::kMarumeGroup), this);
    auto* boxLayout = new QVBoxLayout(box);
    m_group = new QButtonGroup(this);
    for (int i = 0; i < kChoices; ++i) {
        m_radios[i] = new QRadioButton(QString::fromUtf8(texts[i]), box);
        m_radios[i]->setObjectName(QStringLiteral("choice%1").arg(i));
        m_radios[i]->setEnabled(false);
        m_group->addButton(m_radios[i], i);
        boxLayout->addWidget(m_radios[i]);
    }
    // The tens and hundreds are not offered.
    m_radios[1]->setVisible(false);
    m_radios[2]->setVisible(false);

    auto [ok, cancel] = MakeOkCancelButtons();
    LayOutBesideButtons(box, {ok, cancel});
}

void CMarumeSettingDlg::OnInitDialog() {
    for (int i = 0; i < kChoices; ++i) m_radios[i]->setEnabled(i < m_choiceCount);
    CheckButton(m_group, m_choice);
}

void CMarumeSettingDlg::accept() {
    m_choice = m_group->checkedId();
    CSekisanDialog::accept();
}
