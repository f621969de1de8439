#include "app/OptionDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "app/AppSettings.h"

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// Indices into the dialog's radio groups, in the order of its members.
enum GroupIndex {
    kSeidoCalc, kShokeihiCalc, kSekouCalc, kGijyutuCalc, kDefGijyutuCalc, kDensiDsp,
    kDaikaOn, kMarumeDsp, kSeidoDsp, kZairyoDsp, kDouroCalc, kHoseiMarumeKind,
};

}  // namespace

COptionValues OptionValuesOf(const CAppSettings& s) {
    return {s.SeidoCalc, s.ShokeihiCalc, s.sekouCalc, s.GijyutuCalc, s.DefGijyutuCalc, s.DensiDsp, s.DaikaOn,
            s.MarumeDsp, s.SeidoDsp, s.ZairyoDsp, s.DouroCalc, s.HoseiMarumeKeta, s.HoseiMarumeKind};
}

void ApplyOptionValues(const COptionValues& v, CAppSettings& s) {
    s.SeidoCalc = v.SeidoCalc;
    s.ShokeihiCalc = v.ShokeihiCalc;
    s.sekouCalc = v.SekouCalc;
    s.GijyutuCalc = v.GijyutuCalc;
    s.DefGijyutuCalc = v.DefGijyutuCalc;
    s.DensiDsp = v.DensiDsp;
    s.DaikaOn = v.DaikaOn;
    s.MarumeDsp = v.MarumeDsp;
    s.SeidoDsp = v.SeidoDsp;
    s.ZairyoDsp = v.ZairyoDsp;
    s.DouroCalc = v.DouroCalc;
    s.HoseiMarumeKeta = v.HoseiMarumeKeta;
    s.HoseiMarumeKind = v.HoseiMarumeKind;
}

COptionDlg::COptionDlg(QWidget* parent) : CSekisanDialog(parent) {
    using namespace apptext;
    setWindowTitle(Text(kOptionCaption));

    // A radio group of a setting: its buttons are named after the setting and the choice.
    auto makeGroup = [this](GroupIndex index, const char* name, int COptionValues::*member,
                            std::initializer_list<const char*> texts, QBoxLayout* into, int indent = 0) {
        auto* buttons = new QButtonGroup(this);
        int id = 0;
        for (const char* text : texts) {
            auto* radio = new QRadioButton(Text(text), this);
            radio->setObjectName(QString::fromLatin1(name) + QString::number(id));
            buttons->addButton(radio, id++);
            if (indent > 0) {
                auto* row = new QHBoxLayout;
                row->addSpacing(indent);
                row->addWidget(radio, 1);
                into->addLayout(row);
            } else {
                into->addWidget(radio);
            }
        }
        m_groups[index] = {name, member, buttons};
        return buttons;
    };
    auto makeBox = [this](const char* title, const char* name) {
        auto* box = new QGroupBox(Text(title), this);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };

    QGroupBox* seidoCalc = makeBox(kSeidoCalcGroup, "SeidoCalcGroup");
    auto* seidoCalcLayout = new QVBoxLayout(seidoCalc);
    makeGroup(kSeidoCalc, "SeidoCalc", &COptionValues::SeidoCalc, {kSeidoCalc0, kSeidoCalc1}, seidoCalcLayout);

    QGroupBox* shokeihi = makeBox(kShokeihiCalcGroup, "ShokeihiCalcGroup");
    auto* shokeihiLayout = new QVBoxLayout(shokeihi);
    QButtonGroup* shokeihiButtons = makeGroup(kShokeihiCalc, "ShokeihiCalc", &COptionValues::ShokeihiCalc,
                                              {kShokeihiCalc0, kShokeihiCalc1}, shokeihiLayout);
    auto* densiRule = new QFrame(this);
    densiRule->setFrameShape(QFrame::HLine);
    densiRule->setFrameShadow(QFrame::Sunken);
    shokeihiLayout->addWidget(densiRule);
    makeGroup(kDensiDsp, "DensiDsp", &COptionValues::DensiDsp, {kDensiDsp0, kDensiDsp1}, shokeihiLayout);

    QGroupBox* sekou = makeBox(kSekouCalcGroup, "SekouCalcGroup");
    auto* sekouLayout = new QVBoxLayout(sekou);
    makeGroup(kSekouCalc, "SekouCalc", &COptionValues::SekouCalc, {kSekouCalc0, kSekouCalc1}, sekouLayout);

    QGroupBox* gijyutu = makeBox(kGijyutuCalcGroup, "GijyutuCalcGroup");
    auto* gijyutuLayout = new QVBoxLayout(gijyutu);
    QButtonGroup* gijyutuButtons = makeGroup(kGijyutuCalc, "GijyutuCalc", &COptionValues::GijyutuCalc,
                                             {kGijyutuCalc0, kGijyutuCalc1}, gijyutuLayout);
    makeGroup(kDefGijyutuCalc, "DefGijyutuCalc", &COptionValues::DefGijyutuCalc, {kDefGijyutuCalc0, kDefGijyutuCalc1},
              gijyutuLayout, 20);

    QGroupBox* daika = makeBox(kDaikaOnGroup, "DaikaOnGroup");
    auto* daikaLayout = new QVBoxLayout(daika);
    makeGroup(kDaikaOn, "DaikaOn", &COptionValues::DaikaOn, {kDaikaOn0, kDaikaOn1}, daikaLayout);

    QGroupBox* marume = makeBox(kMarumeDspGroup, "MarumeDspGroup");
    auto* marumeLayout = new QVBoxLayout(marume);
    makeGroup(kMarumeDsp, "MarumeDsp", &COptionValues::MarumeDsp, {kMarumeDsp0, kMarumeDsp1}, marumeLayout);

    QGroupBox* seidoDsp = makeBox(kSeidoDspGroup, "SeidoDspGroup");
    auto* seidoDspLayout = new QVBoxLayout(seidoDsp);
    makeGroup(kSeidoDsp, "SeidoDsp", &COptionValues::SeidoDsp, {kDensiDsp0, kDensiDsp1}, seidoDspLayout);

    m_bukkenGroup = makeBox(kZairyoDspGroup, "ZairyoDspGroup");
    auto* bukkenLayout = new QVBoxLayout(m_bukkenGroup);
    makeGroup(kZairyoDsp, "ZairyoDsp", &COptionValues::ZairyoDsp, {kDensiDsp0, kDensiDsp1}, bukkenLayout);

    m_douroGroup = makeBox(kDouroCalcGroup, "DouroCalcGroup");
    auto* douroLayout = new QVBoxLayout(m_douroGroup);
    QButtonGroup* douroButtons =
        makeGroup(kDouroCalc, "DouroCalc", &COptionValues::DouroCalc, {kDouroCalc0, kDouroCalc1}, douroLayout);
    auto* douroMore = new QLabel(Text(kDouroCalc1More), this);
    douroMore->setObjectName(QStringLiteral("DouroCalcMore"));
    douroLayout->addWidget(douroMore);

    m_roundingGroup = new QWidget(this);
    m_roundingGroup->setObjectName(QStringLiteral("RoundingGroup"));
    auto* roundingLayout = new QHBoxLayout(m_roundingGroup);
    roundingLayout->setContentsMargins(0, 0, 0, 0);
    roundingLayout->addWidget(new QLabel(Text(kHoseiMarumeKetaBefore), m_roundingGroup));
    m_marumeKeta = MakeField("HoseiMarumeKeta", CZo_Edit::IntRule(1, 0, 9));
    m_marumeKeta->setFixedWidth(32);
    roundingLayout->addWidget(m_marumeKeta);
    roundingLayout->addWidget(new QLabel(Text(kHoseiMarumeKetaAfter), m_roundingGroup));
    QButtonGroup* kindButtons = makeGroup(kHoseiMarumeKind, "HoseiMarumeKind", &COptionValues::HoseiMarumeKind,
                                          {kHoseiMarumeKind0, kHoseiMarumeKind1, kHoseiMarumeKind2}, roundingLayout);
    roundingLayout->addStretch(1);

    // Two columns: 測量 and the whole estimate on the left, 設計, 土質調査 and 物件調査 on the right.
    auto* columns = new QGridLayout;
    auto* left = new QVBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(seidoCalc), static_cast<QWidget*>(sekou), static_cast<QWidget*>(seidoDsp),
                       static_cast<QWidget*>(marume), static_cast<QWidget*>(m_douroGroup)})
        left->addWidget(w);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(shokeihi), static_cast<QWidget*>(gijyutu), static_cast<QWidget*>(daika),
                       static_cast<QWidget*>(m_bukkenGroup)})
        right->addWidget(w);
    right->addStretch(1);
    columns->addLayout(left, 0, 0);
    columns->addLayout(right, 0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(m_roundingGroup);
    layout->addWidget(MakeOkCancelRow());

    // The choices that others depend on run the state update.
    for (QButtonGroup* g : {shokeihiButtons, gijyutuButtons, douroButtons})
        connect(g, &QButtonGroup::idClicked, this, [this] { UpdateState(); });
    connect(kindButtons, &QButtonGroup::idClicked, this, [this](int id) { m_values.HoseiMarumeKind = id; });
    connect(m_marumeKeta, &QLineEdit::textEdited, this, [this] {
        if (!m_marumeKeta->IsEmpty()) m_values.HoseiMarumeKeta = m_marumeKeta->GetInt();
    });
}

QRadioButton* COptionDlg::Choice(const char* setting, int index) const {
    return findChild<QRadioButton*>(QString::fromLatin1(setting) + QString::number(index));
}

void COptionDlg::ReadControls() {
    for (const Group& g : m_groups) m_values.*g.member = g.buttons->checkedId();
    if (!m_marumeKeta->IsEmpty()) m_values.HoseiMarumeKeta = m_marumeKeta->GetInt();
}

void COptionDlg::WriteControls() {
    for (const Group& g : m_groups) CheckButton(g.buttons, m_values.*g.member);
    m_marumeKeta->SetInt(m_values.HoseiMarumeKeta);
}

void COptionDlg::OnInitDialog() {
    WriteControls();
    UpdateState();
}

void COptionDlg::UpdateState() {
    ReadControls();
    const bool unified = m_values.GijyutuCalc == 0;
    for (QAbstractButton* b : m_groups[kDefGijyutuCalc].buttons->buttons()) b->setEnabled(unified);
    // Counted in the direct labour, 電子計算機使用料 has no row of its own.
    const bool densiIncluded = m_values.ShokeihiCalc == 0;
    if (densiIncluded) m_values.DensiDsp = 0;
    for (QAbstractButton* b : m_groups[kDensiDsp].buttons->buttons()) b->setEnabled(!densiIncluded);
    m_douroGroup->setVisible(false);
    m_roundingGroup->setVisible(false);
    m_bukkenGroup->setVisible(m_norinHoshoUse != 0);
    WriteControls();
}

void COptionDlg::accept() {
    ReadControls();
    CSekisanDialog::accept();
}
