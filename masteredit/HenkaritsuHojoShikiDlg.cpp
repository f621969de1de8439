#include "masteredit/HenkaritsuHojoShikiDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "dialogkit/Tx.h"
#include "masteredit/MasterEditTexts.h"

namespace {

const char* const kRowLabels[8] = {masteredittext::kHojoS1, masteredittext::kHojoS2,
                                   masteredittext::kHojoS3, masteredittext::kHojoS4,
                                   masteredittext::kHojoS5, masteredittext::kHojoS6,
                                   masteredittext::kHojoS7, masteredittext::kHojoS8};
}  // namespace

CHenkaritsuHojoShikiDlg::CHenkaritsuHojoShikiDlg(QWidget* parent) : CSekisanDialog(parent) {
    auto* heading = new QLabel(Tx(masteredittext::kHojoShikiTitle), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    auto* table = new QGridLayout;
    table->addWidget(new QLabel(Tx(masteredittext::kLowerLimitHeading), this), 0, 1, Qt::AlignHCenter);
    table->addWidget(new QLabel(Tx(masteredittext::kUpperLimitHeading), this), 0, 3, Qt::AlignHCenter);
    table->addWidget(new QLabel(Tx(masteredittext::kAuxFormulaHeading), this), 0, 4, Qt::AlignHCenter);
    for (int i = 0; i < 8; ++i) {
        const std::string n = std::to_string(i + 1);
        m_lower[i] = MakeField(("lower" + n).c_str(), CZo_Edit::TextRule());
        m_upper[i] = MakeField(("upper" + n).c_str(), CZo_Edit::TextRule());
        m_formula[i] = MakeField(("formula" + n).c_str(), CZo_Edit::TextRule());
        table->addWidget(new QLabel(Tx(kRowLabels[i]), this), i + 1, 0);
        table->addWidget(m_lower[i], i + 1, 1);
        table->addWidget(new QLabel(Tx(masteredittext::kRangeMark), this), i + 1, 2);
        table->addWidget(m_upper[i], i + 1, 3);
        table->addWidget(m_formula[i], i + 1, 4);
    }
    table->setColumnStretch(1, 1);
    table->setColumnStretch(3, 1);
    table->setColumnStretch(4, 4);
    m_default = MakeField("default", CZo_Edit::TextRule());
    auto* defaultRow = new QHBoxLayout;
    defaultRow->addWidget(new QLabel(Tx(masteredittext::kDefaultAuxLabel), this));
    defaultRow->addWidget(m_default, 1);

    auto* explanation = new QGroupBox(Tx(masteredittext::kHojoShikiExplainTitle), this);
    auto* lines = new QVBoxLayout(explanation);
    lines->addWidget(new QLabel(Tx(masteredittext::kExplanationFirst), explanation));
    lines->addWidget(new QLabel(Tx(masteredittext::kExplanationSecond), explanation));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(table);
    layout->addLayout(defaultRow);
    layout->addWidget(explanation);
    layout->addWidget(MakeOkCancelRow());
    resize(640, 420);
}

void CHenkaritsuHojoShikiDlg::OnInitDialog() {
    for (size_t i = 0; i < 8; ++i) {
        m_lower[i]->SetText(Tx(m_record.m_auxStart[i]));
        m_upper[i]->SetText(Tx(m_record.m_auxEnd[i]));
        m_formula[i]->SetText(Tx(m_record.m_auxFormula[i]));
    }
    m_default->SetText(Tx(m_record.m_defaultAuxFormula));
}

void CHenkaritsuHojoShikiDlg::accept() {
    for (size_t i = 0; i < 8; ++i) {
        m_record.m_auxStart[i] = m_lower[i]->GetText().toStdString();
        m_record.m_auxEnd[i] = m_upper[i]->GetText().toStdString();
        m_record.m_auxFormula[i] = m_formula[i]->GetText().toStdString();
    }
    m_record.m_defaultAuxFormula = m_default->GetText().toStdString();
    CSekisanDialog::accept();
}
