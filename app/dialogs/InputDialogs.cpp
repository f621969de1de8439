#include "app/dialogs/InputDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <tuple>

#include "app/dialogs/ImeStatus.h"
#include "app/dialogs/ZoEdit.h"
#include "platform/Rounding.h"

// ---------------------------------------------------------------------------------------------
// CNameEditDlg

CNameEditDlg::CNameEditDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(QStringLiteral("名前変更"));
    const CZo_Edit::Spec anyInt = CZo_Edit::IntSpec(0, -2147483647.0, 2147483647.0);
    std::tie(m_nameLabel, m_nameEdit) = MakeTextField(QStringLiteral("名前 :"), "name");
    std::tie(m_unitLabel, m_unitEdit) = MakeTextField(QStringLiteral("単位 :"), "unit");
    std::tie(m_codeLabel, m_codeEdit) = MakeNumberField(QStringLiteral("コード :"), "code", anyInt);
    std::tie(m_bukkaLabel, m_bukkaEdit) = MakeTextField(QStringLiteral("建設物価コード :"), "kensetsuBukka");
    std::tie(m_kanrenLabel, m_kanrenEdit) = MakeNumberField(QStringLiteral("関連："), "kanren", anyInt);
    std::tie(m_yobiLabel, m_yobiEdit) = MakeTextField(QStringLiteral("予備 :"), "yobi");
    m_userCheck = new QCheckBox(QStringLiteral("ユーザー作成"), this);
    m_userCheck->setObjectName(QStringLiteral("userCreated"));

    m_tankaGroup = new QGroupBox(QStringLiteral("単価種別"), this);
    m_tankaGroup->setObjectName(QStringLiteral("tankaKind"));
    m_tankaButtons = new QButtonGroup(this);
    auto* tankaLayout = new QHBoxLayout(m_tankaGroup);
    const char* tankaNames[] = {"直接人件費", "労務費"};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(tankaNames[i]), m_tankaGroup);
        m_tankaButtons->addButton(radio, i);
        tankaLayout->addWidget(radio);
    }

    m_zairyoGroup = new QGroupBox(QStringLiteral("単価種別"), this);
    m_zairyoGroup->setObjectName(QStringLiteral("zairyoKind"));
    m_zairyoButtons = new QButtonGroup(this);
    auto* zairyoLayout = new QGridLayout(m_zairyoGroup);
    const char* zairyoNames[] = {"材料費", "動力費", "機械器具損料", "測量材料費", "測量機械経費", "測量その他経費"};
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
    static const char* const plain[] = {"新規作成", "名前の変更", "コピー", "追加", "挿入"};
    static const char* const trade[] = {"職種追加", "職種変更", "職種コピー", "職種追加", "職種挿入"};
    static const char* const article[] = {"品名追加", "品名変更", "品名コピー", "品名追加", "品名挿入"};
    const bool knownAction = m_action >= 0 && m_action <= 4;
    if (knownAction) setWindowTitle(QString::fromUtf8(plain[m_action]));
    m_nameEdit->SetText(m_name);
    if (m_code != kUnset) m_codeEdit->SetInt(m_code);
    // The hidden spare field carries the caller's text through.
    m_yobiEdit->SetText(m_yobi);

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
        m_nameLabel->setText(QStringLiteral("品名："));
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

// ---------------------------------------------------------------------------------------------
// CTitleEditDlg

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

// ---------------------------------------------------------------------------------------------
// CNumberInputDlg

const CNumberInputDlg::ModeInfo& CNumberInputDlg::Mode(int mode) {
    // caption, label, fixed unit, digits, decimals, integer, min, max, scale, unset shows 1,
    // 自動計算, picture, 値引き note
    static const ModeInfo modes[kModeCount] = {
        {"数量入力", "数量 :", nullptr, 10, 3, false, 0, 999999.999, 1000, true, false, 0, false},
        {"単価入力", "単価 :", nullptr, 10, 1, false, 0, 99999999.9, 10, false, false, 0, false},
        {"金額入力", "金額 :", nullptr, 13, 0, true, 0, 999999999, 1, false, false, 0, false},
        {"率入力", "率 :", "％", 6, 2, false, 0, 200, 100, false, false, 0, false},
        {"重量平均値入力", "重量平均値 :", nullptr, 13, 3, false, 0, 999999999.999, 1000, false, false, 0, false},
        {"総括表印刷行数入力", "行数 :", nullptr, 6, 0, true, 1, 30, 1, false, false, 0, false},
        {"金額入力", "金額 :", nullptr, 13, 0, true, 0, 999999999, 1, false, true, 0, false},
        {"率入力", "率 :", "％", 6, 2, false, 0, 200, 100, false, true, 0, false},
        {"現在の数量を何倍しますか？", "数量　×　:", "倍", 13, 3, false, 0, 999999999.999, 1000, false, false, 0,
         false},
        {"率入力", "率 :", "％", 6, 2, false, 0, 200, 100, false, false, 217, false},
        {"金額入力", "金額 :", nullptr, 13, 0, true, -999999999, 999999999, 1, false, false, 0, true},
        {nullptr, "数値  :", nullptr, 10, 3, false, 0, 999999.999, 1000, true, false, 0, false},
        {"率入力", "率 :", "％", 6, 2, false, 0, 200, 100, false, true, 0, false},
        {"率入力", "率 :", "％", 6, 2, false, 0, 200, 100, false, true, 0, false},
        {"率入力", "率 :", "％", 6, 2, false, 0, 200, 100, false, false, 220, false},
        {"率入力", "率 :", "％", 6, 2, false, 0, 200, 100, false, false, 221, false},
    };
    return modes[mode >= 0 && mode < kModeCount ? mode : 0];
}

namespace {

// A small reference table of rates by district, shown under the number field.
QLabel* RateTable(QWidget* parent, const char* name, const char* const rates[4]) {
    QString html = QStringLiteral(
        "<table border='1' cellspacing='0' cellpadding='3'>"
        "<tr><th>場所＼地域</th><th>大市街地</th><th>市街地甲</th><th>市街地乙・都市近郊</th><th>その他</th></tr>"
        "<tr><td>主として現道上</td>");
    for (int i = 0; i < 4; ++i) html += QStringLiteral("<td align='center'>") + QString::fromUtf8(rates[i]) + "</td>";
    html += QStringLiteral("</tr></table>");
    auto* label = new QLabel(html, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::RichText);
    return label;
}

}  // namespace

CNumberInputDlg::CNumberInputDlg(QWidget* parent) : CSekisanDialog(parent) {
    SetEnterMovesFocus(false);
    setWindowTitle(QStringLiteral("数値入力"));
    // The field takes its type, digits and range from the mode when the dialog opens.
    std::tie(m_label, m_edit) = MakeTextField(QStringLiteral("数値  :"), "number");
    m_label->setObjectName(QStringLiteral("label"));
    SetImeOpenStatus(m_edit, false);
    m_unitLabel = new QLabel(this);
    m_unitLabel->setObjectName(QStringLiteral("unit"));
    m_manualNote = new QLabel(
        QStringLiteral("任意の数値が入力されています。\n入力を解除し自動的に計算する場合は自動計算ボタンを押してください。"),
        this);
    m_manualNote->setObjectName(QStringLiteral("manualNote"));
    m_autoButton = new QPushButton(QStringLiteral("自動計算"), this);
    m_autoButton->setObjectName(QStringLiteral("auto"));
    m_autoButton->setAutoDefault(false);
    connect(m_autoButton, &QPushButton::clicked, this, &CNumberInputDlg::OnAutoCalc);
    m_discountNote = new QLabel(QStringLiteral("※＋入力すると値引きします。－入力すると加算します。"), this);
    m_discountNote->setObjectName(QStringLiteral("discountNote"));

    static const char* const yearTexts[6] = {
        "平成26年度以前の率を使用",         "平成27年度以降の率を使用",   "平成28年度および平成29年度の率を使用",
        "平成30年度～令和5年度までの率を使用", "令和6年度以降の率を使用", "令和7年度以降の率を使用"};
    m_yearGroup = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        m_years[i] = new QRadioButton(QString::fromUtf8(yearTexts[i]), this);
        m_years[i]->setObjectName(QStringLiteral("year%1").arg(i));
        m_yearGroup->addButton(m_years[i], i);
    }
    m_yearNote = new QLabel(QStringLiteral("使用する年度の率を選択して、「自動計算」ボタンを押して下さい。"), this);
    m_yearNote->setObjectName(QStringLiteral("yearNote"));

    static const char* const rates217[4] = {"4.0%", "3.5%", "3.0%", "2.5%"};
    static const char* const rates220[4] = {"17.0%", "15.5%", "12.5%", "13.5%"};
    static const char* const rates221[4] = {"－", "10.0%", "9.5%", "4.5%"};
    m_pictures = {RateTable(this, "picture217", rates217), RateTable(this, "picture220", rates220),
                  RateTable(this, "picture221", rates221)};

    auto* fieldRow = new QHBoxLayout;
    fieldRow->addWidget(m_label);
    fieldRow->addWidget(m_edit, 1);
    fieldRow->addWidget(m_unitLabel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fieldRow);
    for (QLabel* picture : m_pictures) layout->addWidget(picture);
    layout->addWidget(m_discountNote);
    layout->addWidget(m_manualNote);
    for (QRadioButton* r : m_years) layout->addWidget(r);
    layout->addWidget(m_yearNote);
    auto* buttons = MakeOkCancelRow();
    buttons->addButton(m_autoButton, QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);

    for (QWidget* w : std::initializer_list<QWidget*>{m_manualNote, m_autoButton, m_discountNote, m_yearNote})
        w->setVisible(false);
    for (QWidget* w : m_years) w->setVisible(false);
    for (QWidget* w : m_pictures) w->setVisible(false);
    resize(440, 150);
}

void CNumberInputDlg::OnInitDialog() {
    const ModeInfo& info = Mode(m_mode);
    setWindowTitle(info.caption ? QString::fromUtf8(info.caption) : m_caption);
    m_label->setText(QString::fromUtf8(info.label));
    // The fixed units are written after the caller's unit text, so that they stay.
    m_unitLabel->setText(m_unit);
    if (info.fixedUnit) m_unitLabel->setText(QString::fromUtf8(info.fixedUnit));

    m_pictures[0]->setVisible(info.picture == 217);
    m_pictures[1]->setVisible(info.picture == 220);
    m_pictures[2]->setVisible(info.picture == 221);
    m_discountNote->setVisible(info.discountNote);
    m_autoButton->setVisible(info.autoButton);
    m_manualNote->setVisible(info.autoButton && m_manual == 1);
    m_auto = 0;

    if (m_mode == 12 || m_mode == 13) {
        m_yearChoice = m_fiscalYear;
        m_yearNote->setVisible(true);
        m_years[0]->setVisible(true);
        m_years[1]->setVisible(true);
        if (m_mode == 12) {
            if (m_koshuCode == 93) {
                m_years[1]->setText(QStringLiteral("平成27年度～令和6年度までの率を使用"));
                m_years[5]->setVisible(true);
            }
        } else {
            m_years[1]->setText(QStringLiteral("平成27年度の率を使用"));
            for (int i = 2; i <= 4; ++i) m_years[i]->setVisible(true);
        }
    }

    m_edit->SetSpec(info.integer ? CZo_Edit::IntSpec(info.digits, info.minimum, info.maximum)
                                 : CZo_Edit::DoubleSpec(info.digits, info.decimals, info.minimum, info.maximum));
    if (m_value != kUnset) {
        if (info.integer)
            m_edit->SetInt(m_value / info.scale);
        else
            m_edit->SetDouble(static_cast<double>(m_value) / info.scale);
    } else if (info.unsetShowsOne) {
        m_edit->SetDouble(1.0);
    }
    CheckButton(m_yearGroup, m_yearChoice);
    m_edit->setFocus();
    m_edit->selectAll();
}

void CNumberInputDlg::StoreField() {
    const ModeInfo& info = Mode(m_mode);
    if (info.integer) {
        int typed = m_edit->GetInt();
        m_value = typed == -1 ? kUnset : typed * info.scale;
    } else {
        double typed = m_edit->GetDouble();
        m_value = typed == -1.0 ? kUnset : DoubleToLong(typed * info.scale);
    }
}

void CNumberInputDlg::accept() {
    StoreField();
    CSekisanDialog::accept();
}

void CNumberInputDlg::OnAutoCalc() {
    m_auto = 1;
    m_yearChoice = m_yearGroup->checkedId();
    m_fiscalYear = m_yearChoice;
    accept();
}
