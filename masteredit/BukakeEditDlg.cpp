#include "masteredit/BukakeEditDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/KoshuSearchDlg.h"
#include "dialogkit/Tx.h"
#include "masteredit/KoshuShubetsuLists.h"
#include "masteredit/MasterEditTexts.h"
#include "platform/Host.h"
#include "report/ReportTexts.h"

namespace {
namespace t = masteredittext;
}  // namespace

CBukakeEditDlg::CBukakeEditDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(t::kBukakeEditCaption));
    // Enter belongs to nobody here: it neither presses a button nor moves on.
    SetEnterKey(EnterKey::Ignored);

    QHBoxLayout* top = MakeBukakeGyomuRow(this, m_gyomuCombo);
    m_searchButton = new QPushButton(Tx(dialogtext::kSearchButton), this);
    m_searchButton->setObjectName(QStringLiteral("search"));
    m_searchButton->setAutoDefault(false);
    connect(m_gyomuCombo, &QComboBox::activated, this, [this](int index) { OnGyomuChosen(index); });
    connect(m_searchButton, &QPushButton::clicked, this, [this] { OnSearch(); });

    m_lists = new CKoshuShubetsuLists(QString(), t::kKoshuListTitle, t::kShubetsuListTitle, this);
    m_lists->SetFile(&m_bukake);
    m_lists->SetDetailMasters(&m_henkaritsu, &m_tanka, &m_zairyo, &m_zairyoChanged);
    connect(m_lists, &CKoshuShubetsuLists::StateChanged, this, [this] { UpdateLegend(); });

    // The list prints.
    const std::pair<const char*, const char*> prints[] = {{reporttext::kPrintPreviewButton, "koshuPreview"},
                                                          {reporttext::kPrintDotsButton, "koshuPrint"},
                                                          {reporttext::kPrintPreviewButton, "shubetsuPreview"},
                                                          {reporttext::kPrintDotsButton, "shubetsuPrint"}};
    for (size_t i = 0; i < m_printButtons.size(); ++i) {
        auto* b = new QPushButton(Tx(prints[i].first), this);
        b->setObjectName(QString::fromLatin1(prints[i].second));
        b->setAutoDefault(false);
        (i < 2 ? m_lists->KoshuButtons() : m_lists->ShubetsuButtons())->addWidget(b, 11 + static_cast<int>(i % 2), 0);
        m_printButtons[i] = b;
    }
    connect(m_printButtons[0], &QPushButton::clicked, this, [this] { OnKoshuPreview(); });
    connect(m_printButtons[1], &QPushButton::clicked, this, [this] { OnKoshuPrint(); });
    connect(m_printButtons[2], &QPushButton::clicked, this, [this] { OnShubetsuPreview(); });
    connect(m_printButtons[3], &QPushButton::clicked, this, [this] { OnShubetsuPrint(); });

    auto [ok, cancel] = MakeOkCancelButtons();
    QHBoxLayout* bottom = MakeBukakeBottomRow(this, m_legend.data(), m_legend.size(), ok, cancel);
    m_legend[3]->setText(Tx(t::kLegendOldStandard));
    m_legend[4]->setText(Tx(t::kLegendOldUser));

    top->addStretch();
    top->addWidget(m_searchButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_lists, 1);
    layout->addLayout(bottom);
    resize(1000, 640);
}

CBukakeEditDlg::~CBukakeEditDlg() = default;

void CBukakeEditDlg::OnInitDialog() {
    // Each entry keeps its 業務 code: the list holds only the offered 業務 the 歩掛 copy has.
    m_lists->ShowGyomu(FillBukakeGyomuCombo(*m_gyomuCombo, m_bukake, m_gyomuCodes), 0, 0);
}

void CBukakeEditDlg::OnGyomuChosen(int index) {
    const int code = m_gyomuCombo->itemData(index).toInt();
    int koshu, shubetsu;
    FirstKoshuShubetsu(m_bukake.FindGyomu(code), koshu, shubetsu);
    m_lists->ShowGyomu(code, koshu, shubetsu);
}

void CBukakeEditDlg::OnSearch() {
    const CBukakeGyomu* gyomu = m_lists->Gyomu();
    if (!gyomu) return;
    CKoshuSearchDlg search(this);
    search.SetGyomu(*gyomu);
    if (search.DoModal() != IDOK || IsUnset(search.GetKoshuCode())) return;
    const int koshu = gyomu->FindKoshuIndex(search.GetKoshuCode());
    if (koshu < 0) return;
    const int shubetsu =
        IsUnset(search.GetShubetsuCode()) ? -1 : gyomu->GetKoshu(koshu)->FindShubetsuIndex(search.GetShubetsuCode());
    if (shubetsu >= 0)
        m_lists->ChooseKoshu(koshu, shubetsu, true);
    else
        m_lists->ChooseKoshu(koshu, 0);
}

void CBukakeEditDlg::UpdateLegend() {
    const bool newMethod = ShowBukakeLegend(m_legend.data(), m_lists->GyomuCode());
    m_legend[3]->setVisible(newMethod);
    m_legend[4]->setVisible(newMethod);
}

void CBukakeEditDlg::SetDetailPrintSetup(const CBukakeDetailPrintSetup& setup) { m_lists->SetDetailPrintSetup(setup); }

void CBukakeEditDlg::OnKoshuPreview() {
    if (const CBukakeGyomu* gyomu = m_lists->Gyomu()) m_print.PreviewKoshuList(*gyomu);
}

void CBukakeEditDlg::OnKoshuPrint() {
    if (const CBukakeGyomu* gyomu = m_lists->Gyomu()) m_print.PrintKoshuList(*gyomu);
}

void CBukakeEditDlg::OnShubetsuPreview() {
    const CBukakeGyomu* gyomu = m_lists->Gyomu();
    const CBukakeKoshu* koshu = m_lists->CurrentKoshu();
    if (gyomu && koshu) m_print.PreviewShubetsuList(*gyomu, *koshu);
}

void CBukakeEditDlg::OnShubetsuPrint() {
    const CBukakeGyomu* gyomu = m_lists->Gyomu();
    const CBukakeKoshu* koshu = m_lists->CurrentKoshu();
    if (gyomu && koshu) m_print.PrintShubetsuList(*gyomu, *koshu);
}

void CBukakeEditDlg::accept() {
    if (!m_print.RefuseWhilePreviewOpen()) CSekisanDialog::accept();
}

void CBukakeEditDlg::reject() {
    if (!m_print.RefuseWhilePreviewOpen()) CSekisanDialog::reject();
}
