#include "app/IkkatsuSettingDlg.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "dialogkit/Tx.h"
#include "master/MasterTexts.h"
#include "report/ReportTexts.h"
#include "estimate/EstimateTexts.h"

CIkkatsuSettingDlg::CIkkatsuSettingDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(apptext::kIkkatsuTemplateCaption));
    m_first = new QRadioButton(Tx(apptext::kIkkatsuTemplateFirst), this);
    m_first->setObjectName(QStringLiteral("first"));
    m_second = new QRadioButton(Tx(apptext::kIkkatsuTemplateSecond), this);
    m_second->setObjectName(QStringLiteral("second"));
    m_radios = new QButtonGroup(this);
    m_radios->addButton(m_first, 0);
    m_radios->addButton(m_second, 1);

    auto [ok, cancel] = MakeOkCancelButtons();
    auto* radios = new QVBoxLayout;
    radios->addWidget(m_first);
    radios->addWidget(m_second);
    radios->addStretch();
    LayOutBesideButtons(radios, {ok, cancel});
    resize(340, 90);
}

void CIkkatsuSettingDlg::OnInitDialog() {
    if (m_kind == kChokusetsuKeihi) {
        setWindowTitle(Tx(apptext::kIkkatsuWordChokusetsu));
        m_first->setText(Tx(apptext::kIkkatsuChokusetsuFirst));
        m_second->setText(Tx(apptext::kIkkatsuChokusetsuSecond));
    } else if (m_kind >= kSeido && m_kind <= kZairyo) {
        static const char* const words[] = {estimate_texts::RowSeidoKanrihi, estimate_texts::RowDensiKeisanki,
                                            mastertext::kZairyoKindZairyo};
        const QString word = Tx(words[m_kind]);
        setWindowTitle(word + Tx(apptext::kIkkatsuCaptionSuffix));
        m_first->setText(word + Tx(apptext::kIkkatsuFirstSuffix));
        m_second->setText(word + Tx(apptext::kIkkatsuSecondSuffix));
    }
    // The radios show the result, which starts at the first one.
    m_choice = m_result;
    CheckButton(m_radios, m_choice);
}

void CIkkatsuSettingDlg::accept() {
    m_choice = m_radios->checkedId();
    m_result = m_choice;
    CSekisanDialog::accept();
}
