#include "masteredit/ShubetsuEditDlg.h"
#include "dialogkit/DialogTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "dialogkit/Tx.h"
#include "masteredit/MasterEditTexts.h"
#include "master/KoshuCategory.h"
#include "platform/Rounding.h"

namespace {
namespace t = masteredittext;
constexpr int kNameChars = 24;    // full-width characters the name field shows
constexpr int kFieldMargin = 16;  // a line edit's frame and text margins
}  // namespace

CShubetsuEditDlg::CShubetsuEditDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(t::kShubetsuEditCaption));
    auto [nameLabel, name] = MakeTextField(Tx(t::kShubetsuNameLabel), "name");
    m_nameEdit = name;
    auto [coefficientLabel, coefficient] =
        MakeNumberField(Tx(t::kGyomuKeisuLabel), "coefficient", CZo_Edit::DoubleRule(9, 3, 0, 99999.999));
    m_coefficientLabel = coefficientLabel;
    m_coefficientEdit = coefficient;
    m_coefficientEdit->setAlignment(Qt::AlignRight);
    auto [codeLabel, code] = MakeNumberField(Tx(dialogtext::kCodeLabel), "code", CZo_Edit::IntRule(3, 0, 999));
    m_codeLabel = codeLabel;
    m_codeEdit = code;
    m_denshiLabel = new QLabel(Tx(t::kDenshiKindLabel), this);
    m_denshiCombo = new QComboBox(this);
    m_denshiCombo->setObjectName(QStringLiteral("denshi"));
    m_methodLabel = new QLabel(Tx(t::kMethodLabel), this);
    m_methodCombo = new QComboBox(this);
    m_methodCombo->setObjectName(QStringLiteral("method"));
    m_userCheck = new QCheckBox(Tx(dialogtext::kUserCreated), this);
    m_userCheck->setObjectName(QStringLiteral("user"));

    connect(m_userCheck, &QCheckBox::clicked, this, [this](bool on) { m_shubetsu.m_userCreated = on ? 1 : 0; });
    connect(m_denshiCombo, &QComboBox::activated, this, [this](int index) { m_shubetsu.m_denshiKind = index; });
    connect(m_methodCombo, &QComboBox::activated, this, [this](int index) { m_shubetsu.m_conventional = index; });

    auto* fields = new QGridLayout;
    int row = 0;
    fields->addWidget(nameLabel, row, 0);
    fields->addWidget(name, row++, 1, 1, 2);
    fields->addWidget(m_coefficientLabel, row, 0);
    fields->addWidget(m_coefficientEdit, row++, 1);
    fields->addWidget(m_denshiLabel, row, 0);
    fields->addWidget(m_denshiCombo, row++, 1, 1, 2);
    fields->addWidget(m_methodLabel, row, 0);
    fields->addWidget(m_methodCombo, row++, 1, 1, 2);
    fields->addWidget(m_codeLabel, row, 0);
    fields->addWidget(m_codeEdit, row, 1);
    fields->addWidget(m_userCheck, row, 2);
    fields->setColumnStretch(2, 1);
    // Room for a long name (a copy is named "コピー～" and the old name) and for the whole coefficient,
    // also once F5 has put the code field and the user check beside them.
    const QFontMetrics metrics = fontMetrics();
    m_nameEdit->setMinimumWidth(metrics.horizontalAdvance(QString(kNameChars, QChar(0x56FD))));
    m_coefficientEdit->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("99999.999")) + kFieldMargin);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeOkCancelRow());
    // Tab follows the form from top to bottom: the code field and the user check come last.
    SetTabChain({m_nameEdit, m_coefficientEdit, m_denshiCombo, m_methodCombo, m_codeEdit, m_userCheck});
    for (QWidget* w : std::initializer_list<QWidget*>{m_codeLabel, m_codeEdit, m_userCheck}) w->setVisible(false);
}

void CShubetsuEditDlg::OnInitDialog() {
    switch (m_mode) {
        case New: setWindowTitle(Tx(t::kShubetsuNewCaption)); break;
        case Change: setWindowTitle(Tx(t::kShubetsuChangeCaption)); break;
        case Copy: setWindowTitle(Tx(t::kShubetsuCopyCaption)); break;
        case Insert: setWindowTitle(Tx(t::kShubetsuInsertCaption)); break;
        default: break;
    }
    if (IsSokuryoGyomu(m_gyomu))
        m_coefficientLabel->setText(Tx(t::kSeidoKeisuLabel));
    else if (IsStandardGyomu(m_gyomu))
        m_coefficientLabel->setText(Tx(t::kGijutsuKeihiLabel));
    m_methodCombo->clear();
    m_methodCombo->addItems(Tx(t::kMethodItems).split(QLatin1Char('|')));
    m_denshiCombo->clear();
    m_denshiCombo->addItems(Tx(t::kShubetsuDenshiItems).split(QLatin1Char('|')));

    m_nameEdit->SetText(QString::fromStdString(m_shubetsu.m_name));
    if (!IsUnset(m_shubetsu.m_coefficient)) m_coefficientEdit->SetDouble(m_shubetsu.m_coefficient / 100.0);
    if (!IsUnset(m_shubetsu.m_code)) m_codeEdit->SetInt(m_shubetsu.m_code);
    m_userCheck->setChecked(m_shubetsu.m_userCreated != 0);
    m_denshiCombo->setCurrentIndex(m_shubetsu.m_denshiKind);
    m_methodCombo->setCurrentIndex(m_shubetsu.m_conventional);

    // 設計 and the soil analysis have both lists, 物件調査 only the method, 土質一般 only the kind.
    const bool design = IsDesignLikeGyomu(m_gyomu);
    const bool denshi = design || m_gyomu == Gyomu::DoshitsuIppan;
    const bool method = design || m_gyomu == Gyomu::Bukken;
    m_denshiLabel->setVisible(denshi);
    m_denshiCombo->setVisible(denshi);
    m_methodLabel->setVisible(method);
    m_methodCombo->setVisible(method);
}

void CShubetsuEditDlg::RevealMaintenanceFields() {
    for (QWidget* w : std::initializer_list<QWidget*>{m_codeLabel, m_codeEdit, m_userCheck}) w->setVisible(true);
}

bool CShubetsuEditDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F5) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this) RevealMaintenanceFields();
    }
    return CSekisanDialog::eventFilter(watched, event);
}

void CShubetsuEditDlg::accept() {
    m_shubetsu.m_name = m_nameEdit->GetText().toStdString();
    // An empty field is no coefficient; a typed one is stored ×100 with the nudge against 0.999….
    const double coefficient = m_coefficientEdit->GetDouble();
    m_shubetsu.m_coefficient = coefficient == -1.0 ? kUnset : DoubleToLong(coefficient * 100.0);
    const int code = m_codeEdit->GetInt();
    m_shubetsu.m_code = code == -1 ? kUnset : code;
    CSekisanDialog::accept();
}
