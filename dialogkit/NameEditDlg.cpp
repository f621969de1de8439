#include "dialogkit/NameEditDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <tuple>

#include "dialogkit/DialogTexts.h"
#include "master/MasterTexts.h"

CNameEditDlg::CNameEditDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(QString::fromUtf8(dialogtext::kNameEditCaption));
    const CZo_Edit::Rule anyInt = CZo_Edit::IntRule(0, -2147483647.0, 2147483647.0);
    auto text = [](const char* utf8) { return QString::fromUtf8(utf8); };
    std::tie(m_nameLabel, m_nameEdit) = MakeTextField(text(dialogtext::kNameLabel), "name");
    std::tie(m_unitLabel, m_unitEdit) = MakeTextField(text(dialogtext::kUnitLabel), "unit");
    std::tie(m_codeLabel, m_codeEdit) = MakeNumberField(text(dialogtext::kCodeLabel), "code", anyInt);
    std::tie(m_bukkaLabel, m_bukkaEdit) = MakeTextField(text(dialogtext::kKensetsuBukkaCodeLabel), "kensetsuBukka");
    std::tie(m_kanrenLabel, m_kanrenEdit) = MakeNumberField(text(dialogtext::kKanrenLabel), "kanren", anyInt);
    std::tie(m_yobiLabel, m_yobiEdit) = MakeTextField(text(dialogtext::kYobiLabel), "yobi");
    m_userCheck = new QCheckBox(text(dialogtext::kUserCreated), this);
    m_userCheck->setObjectName(QStringLiteral("userCreated"));

    m_tankaGroup = new QGroupBox(text(dialogtext::kPriceKindTitle), this);
    m_tankaGroup->setObjectName(QStringLiteral("tankaKind"));
    m_tankaButtons = new QButtonGroup(this);
    auto* tankaLayout = new QHBoxLayout(m_tankaGroup);
    const char* tankaNames[] = {mastertext::kTankaKindChokusetsuJinkenhi, mastertext::kTankaKindRomuhi};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(tankaNames[i]), m_tankaGroup);
        m_tankaButtons->addButton(radio, i);
        tankaLayout->addWidget(radio);
    }

    m_zairyoGroup = new QGroupBox(text(dialogtext::kPriceKindTitle), this);
    m_zairyoGroup->setObjectName(QStringLiteral("zairyoKind"));
    m_zairyoButtons = new QButtonGroup(this);
    auto* zairyoLayout = new QGridLayout(m_zairyoGroup);
    // The 材料単価 kinds by the master's names, but for 動力費・その他, which the radio names shorter.
    const char* zairyoNames[] = {mastertext::kZairyoKindZairyo,       dialogtext::kZairyoKindDoryoku,
                                 mastertext::kZairyoKindKikai,        mastertext::kZairyoKindSokuryoZairyo,
                                 mastertext::kZairyoKindSokuryoKikai, mastertext::kZairyoKindSokuryoSonota};
    for (int i = 0; i < 6; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(zairyoNames[i]), m_zairyoGroup);
        m_zairyoButtons->addButton(radio, i);
        zairyoLayout->addWidget(radio, i / 3, i % 3);
    }

    auto* grid = new QGridLayout;
    grid->addWidget(m_nameLabel, 0, 0);
    grid->addWidget(m_nameEdit, 0, 1);
    grid->addWidget(m_unitLabel, 1, 0);
    grid->addWidget(m_unitEdit, 1, 1);
    grid->addWidget(m_codeLabel, 2, 0);
    grid->addWidget(m_codeEdit, 2, 1);
    grid->addWidget(m_bukkaLabel, 3, 0);
    grid->addWidget(m_bukkaEdit, 3, 1);
    grid->addWidget(m_kanrenLabel, 4, 0);
    grid->addWidget(m_kanrenEdit, 4, 1);
    grid->addWidget(m_yobiLabel, 5, 0);
    grid->addWidget(m_yobiEdit, 5, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_tankaGroup);
    layout->addWidget(m_zairyoGroup);
    layout->addWidget(m_userCheck);
    layout->addWidget(MakeOkCancelRow());

    for (QWidget* w : std::initializer_list<QWidget*>{m_unitLabel, m_unitEdit, m_codeLabel, m_codeEdit, m_bukkaLabel,
                                                      m_bukkaEdit, m_kanrenLabel, m_kanrenEdit, m_yobiLabel,
                                                      m_yobiEdit, m_userCheck, m_tankaGroup, m_zairyoGroup})
        w->setVisible(false);
    resize(380, 120);
}

void CNameEditDlg::OnInitDialog() {
    static const char* const plain[] = {dialogtext::kActionNew, dialogtext::kActionRename, dialogtext::kActionCopy,
                                        dialogtext::kActionAdd, dialogtext::kActionInsert};
    static const char* const trade[] = {dialogtext::kTradeAdd, dialogtext::kTradeRename, dialogtext::kTradeCopy,
                                        dialogtext::kTradeAdd, dialogtext::kTradeInsert};
    static const char* const article[] = {dialogtext::kArticleAdd, dialogtext::kArticleRename, dialogtext::kArticleCopy,
                                          dialogtext::kArticleAdd, dialogtext::kArticleInsert};
    const bool knownAction = m_action >= 0 && m_action <= 4;
    if (knownAction) setWindowTitle(QString::fromUtf8(plain[m_action]));
    m_nameEdit->SetText(m_name);
    if (m_code != kUnset) m_codeEdit->SetInt(m_code);
    // The hidden spare field and the hidden user-created flag carry the caller's values through.
    m_yobiEdit->SetText(m_yobi);
    m_userCheck->setChecked(m_userCreated != 0);

    if (m_target == Trade) {
        if (knownAction) setWindowTitle(QString::fromUtf8(trade[m_action]));
        m_unitLabel->setVisible(true);
        m_unitEdit->setVisible(true);
        m_unitEdit->SetText(m_unit);
        m_tankaGroup->setVisible(true);
        if (m_kanren != kUnset) m_kanrenEdit->SetInt(m_kanren);
        PushMembers();
    } else if (m_target == Article) {
        if (knownAction) setWindowTitle(QString::fromUtf8(article[m_action]));
        m_nameLabel->setText(QString::fromUtf8(dialogtext::kArticleLabel));
        m_zairyoGroup->setVisible(true);
        for (QAbstractButton* b : m_zairyoButtons->buttons())
            b->setEnabled(m_zairyoButtons->id(b) == m_zairyoKind);
        m_bukkaEdit->SetText(m_kensetsuBukkaCode);
        PushMembers();
    }
    m_nameEdit->setFocus();
}

void CNameEditDlg::PushMembers() {
    CheckButton(m_tankaButtons, m_tankaKind);
    CheckButton(m_zairyoButtons, m_zairyoKind);
    m_userCheck->setChecked(m_userCreated != 0);
}

void CNameEditDlg::RevealMaintenanceFields() {
    m_userCheck->setVisible(true);
    m_codeLabel->setVisible(true);
    m_codeEdit->setVisible(true);
    m_bukkaLabel->setVisible(true);
    m_bukkaEdit->setVisible(true);
    if (m_code != kUnset) m_codeEdit->SetInt(m_code);
    PushMembers();
}

bool CNameEditDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F5) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this && w == focusWidget()) RevealMaintenanceFields();
    }
    return CSekisanDialog::eventFilter(watched, event);
}

void CNameEditDlg::accept() {
    m_name = m_nameEdit->GetText();
    m_tankaKind = m_tankaButtons->checkedId();
    m_zairyoKind = m_zairyoButtons->checkedId();
    m_userCreated = m_userCheck->isChecked() ? 1 : 0;
    int code = m_codeEdit->GetInt();
    m_code = code == -1 ? kUnset : code;
    m_unit = m_unitEdit->GetText();
    m_kensetsuBukkaCode = m_bukkaEdit->GetText();
    int kanren = m_kanrenEdit->GetInt();
    if (kanren != -1) m_kanren = kanren;
    m_yobi = m_yobiEdit->GetText();
    CSekisanDialog::accept();
}
