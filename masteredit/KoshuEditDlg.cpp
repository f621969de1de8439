#include "masteredit/KoshuEditDlg.h"
#include "dialogkit/DialogTexts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogkit/Tx.h"
#include "masteredit/MasterEditTexts.h"
#include "master/KoshuCategory.h"

namespace {

using KindLabels = std::array<const char*, CKoshuEditDlg::kKindCount>;
namespace t = masteredittext;

// The 種類 labels in radio order (the 種類 index; null: the radio is hidden). The first is the same
// for every 業務.
KindLabels StartKindLabels(int gyomu, bool conventional) {
    switch (gyomu) {
        case Gyomu::Sokuryo:
        case Gyomu::KukakuSokuryo:
            return {t::kKindPriced, t::kKindLump, t::kKind16RateA, t::kKind16RateB, t::kKind16AmountA, t::kKind16AmountB};
        case Gyomu::Sekkei:
        case Gyomu::DoshitsuKaiseki:
        case Gyomu::KukakuSekkei:
            if (conventional)
                return {t::kKindPriced, t::kKindOldDesignLump, t::kKindOldDesignRateA, t::kKindOldRateB,
                        t::kKindOldDesignAmountA, t::kKindOldAmountB};
            return {t::kKindPriced, t::kKindDesignLump, t::kKindDesignRateA, t::kKindDesignRateB,
                    t::kKindDesignAmountA, t::kKindDesignAmountB};
        case Gyomu::Bukken:
            if (conventional)
                return {t::kKindPriced, t::kKindLump, t::kKindOldRateB, t::kKindIndirectRate, t::kKindOldAmountB,
                        t::kKindIndirectAmount};
            return {t::kKindPriced, t::kKindBukkenLump, t::kKindBukkenRate, nullptr, t::kKindBukkenAmount, nullptr};
        case Gyomu::DoshitsuIppan:
            return {t::kKindPriced, t::kKindSoilLump, t::kKindSoilRateA, t::kKind16RateB, t::kKindSoilAmountA,
                    t::kKind16AmountB};
        default:
            return {t::kKindPriced, t::kKindLump, t::kKindOtherRateA, t::kKindOtherRateB, t::kKindOtherAmountA,
                    t::kKindOtherAmountB};
    }
}

// 物件調査 once the 従来の積算手法 check has been cleared.
constexpr KindLabels kBukkenClearedLabels = {t::kKindPriced, t::kKindBukkenClearedLump, t::kKindBukkenClearedRate,
                                             nullptr, t::kKindBukkenClearedAmount, nullptr};

QComboBox* ComboOf(const char* items, const char* name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(Tx(items).split(QLatin1Char('|')));
    return combo;
}

}  // namespace

CKoshuEditDlg::CKoshuEditDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(t::kKoshuEditCaption));
    auto [nameLabel, name] = MakeTextField(Tx(t::kKoshuNameLabel), "name");
    m_nameEdit = name;
    auto [codeLabel, code] = MakeNumberField(Tx(dialogtext::kCodeLabel), "code", CZo_Edit::IntRule(3, 0, 999));
    m_codeLabel = codeLabel;
    m_codeEdit = code;

    m_kindBox = new QGroupBox(Tx(t::kKindGroup), this);
    m_kindBox->setObjectName(QStringLiteral("kindGroup"));
    m_kinds = new QButtonGroup(this);
    auto* kindLayout = new QVBoxLayout(m_kindBox);
    for (int i = 0; i < kKindCount; ++i) {
        auto* radio = new QRadioButton(m_kindBox);
        radio->setObjectName(QStringLiteral("kind%1").arg(i));
        m_kinds->addButton(radio, i);
        m_kindButtons[static_cast<size_t>(i)] = radio;
    }
    // Shown as the labels pair up: each rate kind above its direct-amount twin.
    for (int i : {0, 1, 2, 4, 3, 5}) kindLayout->addWidget(m_kindButtons[static_cast<size_t>(i)]);
    connect(m_kinds, &QButtonGroup::idClicked, this, [this](int id) {
        m_kind = id;
        ApplyDenshiVisibility();
    });

    m_denshiLabel = new QLabel(Tx(t::kDenshiKindLabel), this);
    m_denshiCombo = ComboOf(t::kKoshuDenshiItems, "denshi", this);
    m_anzenLabel = new QLabel(Tx(t::kAnzenKindLabel), this);
    m_anzenCombo = ComboOf(t::kAnzenItems, "anzen", this);
    m_userCheck = new QCheckBox(Tx(dialogtext::kUserCreated), this);
    m_userCheck->setObjectName(QStringLiteral("user"));
    m_conventionalCheck = new QCheckBox(Tx(t::kConventionalCheck), this);
    m_conventionalCheck->setObjectName(QStringLiteral("conventional"));
    m_ryohiCheck = new QCheckBox(Tx(t::kRyohiCheck), this);
    m_ryohiCheck->setObjectName(QStringLiteral("ryohi"));

    connect(m_userCheck, &QCheckBox::clicked, this, [this](bool on) { m_koshu.m_userCreated = on ? 1 : 0; });
    connect(m_conventionalCheck, &QCheckBox::clicked, this, [this] { OnConventionalClicked(); });
    connect(m_ryohiCheck, &QCheckBox::clicked, this, [this](bool on) { m_koshu.m_settings[0] = on ? 1 : 0; });
    connect(m_denshiCombo, &QComboBox::activated, this, [this](int index) { m_koshu.m_koshuType = index; });
    connect(m_anzenCombo, &QComboBox::activated, this, [this](int index) { m_koshu.m_settings[1] = index; });

    auto* fields = new QGridLayout;
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(name, 0, 1, 1, 3);
    fields->addWidget(m_kindBox, 1, 0, 1, 4);
    fields->addWidget(m_denshiLabel, 2, 0);
    fields->addWidget(m_denshiCombo, 2, 1, 1, 3);
    fields->addWidget(m_anzenLabel, 3, 0);
    fields->addWidget(m_anzenCombo, 3, 1, 1, 3);
    fields->addWidget(m_ryohiCheck, 4, 0, 1, 4);
    // Extra width goes to the fields, never to the labels' column.
    for (int column = 1; column <= 3; ++column) fields->setColumnStretch(column, 1);
    // The maintenance fields (F5) have a row of their own, so that showing them leaves the columns
    // of the fields above where they are.
    auto* maintenance = new QHBoxLayout;
    maintenance->addWidget(m_codeLabel);
    maintenance->addWidget(m_codeEdit);
    maintenance->addWidget(m_userCheck);
    maintenance->addWidget(m_conventionalCheck);
    maintenance->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(maintenance);
    layout->addWidget(MakeOkCancelRow());
    // Tab follows the form from top to bottom: the 種類 as they are shown, the lists, 旅費交通費, and
    // the maintenance fields of the last row.
    const auto kind = [this](int i) { return static_cast<QWidget*>(m_kindButtons[static_cast<size_t>(i)]); };
    SetTabChain({m_nameEdit, kind(0), kind(1), kind(2), kind(4), kind(3), kind(5), m_denshiCombo, m_anzenCombo,
                 m_ryohiCheck, m_codeEdit, m_userCheck, m_conventionalCheck});

    // Kept for maintenance (F5); the 安全費種類 is not offered.
    for (QWidget* w : std::initializer_list<QWidget*>{m_codeLabel, m_codeEdit, m_userCheck, m_conventionalCheck,
                                                       m_anzenLabel, m_anzenCombo})
        w->setVisible(false);
}

void CKoshuEditDlg::OnInitDialog() {
    switch (m_mode) {
        case New: setWindowTitle(Tx(t::kKoshuNewCaption)); break;
        case Change: setWindowTitle(Tx(t::kKoshuChangeCaption)); break;
        case Copy: setWindowTitle(Tx(t::kKoshuCopyCaption)); break;
        default: break;
    }
    // A changed or copied 工種 keeps its 種類, so its code stays in its range.
    const bool kindFixed = m_mode == Change || m_mode == Copy;
    m_kindBox->setEnabled(!kindFixed);
    for (QRadioButton* radio : m_kindButtons) radio->setEnabled(!kindFixed);
    CheckButton(m_kinds, m_kind >= 0 && m_kind < kKindCount ? m_kind : -1);

    m_nameEdit->SetText(QString::fromStdString(m_koshu.m_name));
    if (!IsUnset(m_koshu.m_code)) m_codeEdit->SetInt(m_koshu.m_code);
    m_userCheck->setChecked(m_koshu.m_userCreated != 0);
    m_conventionalCheck->setChecked(m_koshu.m_splitFlag == 1);
    m_denshiCombo->setCurrentIndex(m_koshu.m_koshuType);
    m_anzenCombo->setCurrentIndex(m_koshu.m_settings[1]);
    m_ryohiCheck->setChecked(m_koshu.m_settings[0] == 1);

    SetKindLabels(StartKindLabels(m_gyomu, m_koshu.m_splitFlag == 1));
    ApplyDenshiVisibility();
}

void CKoshuEditDlg::SetKindLabels(const KindLabels& labels) {
    for (size_t i = 0; i < labels.size(); ++i) {
        m_kindButtons[i]->setVisible(labels[i] != nullptr);
        if (labels[i]) m_kindButtons[i]->setText(Tx(labels[i]));
    }
}

void CKoshuEditDlg::ApplyDenshiVisibility() {
    const bool shown = IsDesignLikeGyomu(m_gyomu) && m_kind == KoshuCategory::Lump;
    m_denshiLabel->setVisible(shown);
    m_denshiCombo->setVisible(shown);
    m_anzenLabel->setVisible(false);
    m_anzenCombo->setVisible(false);
}

void CKoshuEditDlg::OnConventionalClicked() {
    const bool on = m_conventionalCheck->isChecked();
    m_koshu.m_splitFlag = on ? 1 : 0;
    if (IsDesignLikeGyomu(m_gyomu))
        SetKindLabels(StartKindLabels(m_gyomu, on));
    else if (m_gyomu == Gyomu::Bukken)
        SetKindLabels(on ? StartKindLabels(Gyomu::Bukken, true) : kBukkenClearedLabels);
}

void CKoshuEditDlg::RevealMaintenanceFields() {
    for (QWidget* w : std::initializer_list<QWidget*>{m_codeLabel, m_codeEdit, m_userCheck, m_conventionalCheck})
        w->setVisible(true);
}

bool CKoshuEditDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F5) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this) RevealMaintenanceFields();
    }
    return CSekisanDialog::eventFilter(watched, event);
}

void CKoshuEditDlg::accept() {
    m_koshu.m_name = m_nameEdit->GetText().toStdString();
    const int code = m_codeEdit->GetInt();
    m_koshu.m_code = code == -1 ? kUnset : code;
    m_kind = m_kinds->checkedId();
    CSekisanDialog::accept();
}
