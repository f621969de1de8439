#include "masteredit/BukakeHojoShikiDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/Tx.h"
#include "formix/Formix.h"
#include "masteredit/MasterEditTexts.h"
#include "platform/Host.h"

namespace {
using namespace masteredittext;
}  // namespace

CBukakeHojoShikiDlg::CBukakeHojoShikiDlg(QWidget* parent) : CSekisanDialog(parent) {
    SetEnterKey(EnterKey::Ignored);
    static const char* const kLabels[kFormulas] = {kHojoS1, kHojoS2, kHojoS3, kHojoS4,
                                                   kHojoS5, kHojoS6, kHojoS7, kHojoS8};
    auto* box = new QGroupBox(Tx(kHojoShikiTitle), this);
    auto* fields = new QGridLayout(box);
    for (int i = 0; i < kFormulas; ++i) {
        auto [label, field] = MakeTextField(Tx(kLabels[i]), "s");
        field->setObjectName(QStringLiteral("s%1").arg(i + 1));
        field->setMinimumWidth(460);
        fields->addWidget(label, i, 0);
        fields->addWidget(field, i, 1);
        m_fields[i] = field;
    }
    m_ninth = MakeField("ninth", CZo_Edit::TextRule());
    fields->addWidget(m_ninth, kFormulas, 1);

    auto* explain = new QGroupBox(this);
    auto* explainLayout = new QVBoxLayout(explain);
    for (const char* text : {kHojoShikiExplainTitle, kHojoShikiExplain1, kHojoShikiExplain2, kHojoShikiExplain3})
        explainLayout->addWidget(new QLabel(Tx(text), explain));

    auto [ok, cancel] = MakeOkCancelButtons();
    cancel->setText(Tx(dialogtext::kCancel));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(explain);
    layout->addLayout(buttons);
}

void CBukakeHojoShikiDlg::OnInitDialog() {
    for (int i = 0; i < kFormulas; ++i)
        if (!m_detail.m_auxiliary[i].empty()) m_fields[i]->setText(QString::fromStdString(m_detail.m_auxiliary[i]));
    if (!m_detail.m_textH.empty()) m_ninth->setText(QString::fromStdString(m_detail.m_textH));
}

void CBukakeHojoShikiDlg::accept() {
    std::array<std::string, kFormulas> texts;
    for (int i = 0; i < kFormulas; ++i) texts[i] = m_fields[i]->text().toStdString();
    // Every field is checked in full, whatever its length; each failure has its own message.
    bool failed = false;
    if (texts[0].empty() || CheckWord(texts[0].c_str()) != 1) {
        AfxMessageBox(kHojoS1Missing, MsgButtons::Ok, MsgIcon::Exclamation);
        failed = true;
    }
    for (int i = 1; i < kFormulas; ++i) {
        if (texts[i].empty() || CheckWord(texts[i].c_str()) == 1) continue;
        // The number goes in twice: "補助式3（Ｓ3）".
        const QString message = Tx(kHojoInvalid).replace(QStringLiteral("%d"), QString::number(i + 1));
        AfxMessageBox(message.toStdString(), MsgButtons::Ok, MsgIcon::Exclamation);
        failed = true;
    }
    if (failed) return;
    for (int i = 0; i < kFormulas; ++i) m_detail.m_auxiliary[i] = texts[i];
    m_detail.m_textH = m_ninth->text().toStdString();
    CSekisanDialog::accept();
}
