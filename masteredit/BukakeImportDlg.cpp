#include "masteredit/BukakeImportDlg.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "dialogkit/Tx.h"
#include "masteredit/KoshuShubetsuLists.h"
#include "masteredit/MasterEditTexts.h"
#include "platform/Host.h"

namespace {
namespace t = masteredittext;

bool Ask(const char* before, const std::string& name, const char* after) {
    return AfxMessageBox(before + name + after, MsgButtons::YesNo, MsgIcon::Question) == IDYES;
}
}  // namespace

CBukakeImportDlg::CBukakeImportDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(t::kBukakeImportCaption));
    SetEnterKey(EnterKey::Ignored);

    QHBoxLayout* top = MakeBukakeGyomuRow(this, m_gyomuCombo);
    connect(m_gyomuCombo, &QComboBox::activated, this, [this](int index) { OnGyomuChosen(index); });

    m_sourceLists = new CKoshuShubetsuLists(QStringLiteral("source"), t::kSourceKoshuListTitle,
                                            t::kSourceShubetsuListTitle, this);
    m_sourceLists->SetFile(&m_source);
    m_sourceLists->SetDetailMasters(&m_henkaritsu, &m_tanka, &m_zairyo, &m_zairyoChanged);
    m_destLists = new CKoshuShubetsuLists(QStringLiteral("dest"), t::kDestKoshuListTitle, t::kDestShubetsuListTitle,
                                          this);
    m_destLists->SetFile(&m_dest);
    for (CKoshuShubetsuLists* lists : {m_sourceLists, m_destLists})
        lists->SetCoefficientRule(CKoshuShubetsuLists::CoefficientRule::Import);
    m_destLists->SetDetailMasters(&m_henkaritsu, &m_tanka, &m_zairyo, &m_zairyoChanged);
    connect(m_sourceLists, &CKoshuShubetsuLists::StateChanged, this, [this] { UpdateImportButtons(); });
    connect(m_destLists, &CKoshuShubetsuLists::StateChanged, this, [this] { UpdateLegend(); });

    const QIcon arrow = style()->standardIcon(QStyle::SP_ArrowDown);
    auto importButton = [&](const char* text, const char* name) {
        auto* b = new QPushButton(arrow, Tx(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    m_importKoshu = importButton(t::kImportKoshuButton, "importKoshu");
    m_importShubetsu = importButton(t::kImportShubetsuButton, "importShubetsu");
    connect(m_importKoshu, &QPushButton::clicked, this, [this] { OnImportKoshu(); });
    connect(m_importShubetsu, &QPushButton::clicked, this, [this] { OnImportShubetsu(); });

    auto [ok, cancel] = MakeOkCancelButtons();
    QHBoxLayout* bottom = MakeBukakeBottomRow(this, m_legend.data(), m_legend.size(), ok, cancel);

    top->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addStretch();
    middle->addWidget(m_importKoshu);
    middle->addSpacing(40);
    middle->addWidget(m_importShubetsu);
    middle->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_sourceLists, 1);
    layout->addLayout(middle);
    layout->addWidget(m_destLists, 1);
    layout->addLayout(bottom);
    resize(1000, 800);
}

CBukakeImportDlg::~CBukakeImportDlg() = default;

void CBukakeImportDlg::OnInitDialog() {
    const int code = FillBukakeGyomuCombo(*m_gyomuCombo, m_dest, m_gyomuCodes);
    m_sourceLists->ShowGyomu(code, 0, 0);
    m_destLists->ShowGyomu(code, 0, 0);
}

void CBukakeImportDlg::OnGyomuChosen(int index) {
    const int code = m_gyomuCombo->itemData(index).toInt();
    // The destination's 業務 decides where both halves start.
    int koshu, shubetsu;
    FirstKoshuShubetsu(m_dest.FindGyomu(code), koshu, shubetsu);
    m_sourceLists->ShowGyomu(code, koshu, shubetsu);
    m_destLists->ShowGyomu(code, koshu, shubetsu);
}

void CBukakeImportDlg::UpdateImportButtons() {
    m_importKoshu->setEnabled(m_sourceLists->CurrentKoshu() != nullptr);
    m_importShubetsu->setEnabled(m_sourceLists->CurrentShubetsu() != nullptr);
}

void CBukakeImportDlg::UpdateLegend() {
    ShowBukakeLegend(m_legend.data(), m_destLists->GyomuCode());
}

void CBukakeImportDlg::OnImportKoshu() {
    const CBukakeKoshu* source = m_sourceLists->CurrentKoshu();
    CBukakeGyomu* dest = m_destLists->Gyomu();
    if (!source || !dest) return;
    auto copy = std::make_unique<CBukakeKoshu>();
    copy->Copy(*source);
    if (!Ask(t::kKoshuDataBefore, copy->m_name, t::kAskImportAfter)) return;
    int index = dest->FindKoshuIndex(copy->m_code);
    if (index >= 0) {
        if (Ask(t::kExistsKoshuBefore, copy->m_name, t::kExistsAfter)) {
            dest->SetKoshu(index, std::move(copy));
        } else {
            if (!Ask(t::kAddKoshuBefore, copy->m_name, t::kAddAfter)) return;
            // Beside its namesake under the first free code of its 種類.
            const int code = dest->GetNewKoshuCode(copy->GetCodeCategory());
            if (code == -1) {
                AfxMessageBox(t::kNoFreeKoshuCode, MsgButtons::Ok, MsgIcon::Exclamation);
                return;
            }
            copy->m_name = t::kImportNamePrefix + copy->m_name;
            copy->m_code = code;
            index = dest->InsertNewKoshu(std::move(copy));
        }
    } else {
        index = dest->InsertNewKoshu(std::move(copy));
    }
    m_destLists->ChooseKoshu(index, 0);
}

void CBukakeImportDlg::OnImportShubetsu() {
    const CBukakeShubetsu* source = m_sourceLists->CurrentShubetsu();
    CBukakeKoshu* dest = m_destLists->CurrentKoshu();
    if (!source || !dest) return;
    auto copy = std::make_unique<CBukakeShubetsu>();
    copy->Copy(*source);
    if (!Ask(t::kShubetsuDataBefore, copy->m_name, t::kAskImportAfter)) return;
    int index = dest->FindShubetsuIndex(copy->m_code);
    if (index >= 0) {
        if (Ask(t::kExistsShubetsuBefore, copy->m_name, t::kExistsAfter)) {
            dest->SetShubetsu(index, std::move(copy));
        } else {
            if (!Ask(t::kAddShubetsuBefore, copy->m_name, t::kAddAfter)) return;
            const int code = dest->GetNewShubetsuCode();
            if (code == -1) {
                AfxMessageBox(t::kNoFreeShubetsuCode, MsgButtons::Ok, MsgIcon::Exclamation);
                return;
            }
            copy->m_name = t::kImportNamePrefix + copy->m_name;
            copy->m_code = code;
            index = dest->AddShubetsu(std::move(copy));
        }
    } else {
        index = dest->AddShubetsu(std::move(copy));
    }
    m_destLists->ChooseShubetsu(index);
}

void CBukakeImportDlg::SetDetailPrintSetup(const CBukakeDetailPrintSetup& setup) {
    m_sourceLists->SetDetailPrintSetup(setup);
    m_destLists->SetDetailPrintSetup(setup);
}
