#include "app/KoshuSelectDlg.h"
#include "masteredit/MasterEditTexts.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <array>

#include "app/AppTexts.h"
#include "dialogkit/KoshuSearchDlg.h"
#include "dialogkit/DialogTexts.h"
#include "platform/Host.h"
#include "estimate/CalcCodes.h"

CKoshuSelectDlg::CKoshuSelectDlg(QWidget* parent)
    : CCodeSelectDlg(apptext::kKoshuSelectCaption, apptext::kKoshuSelectHint, apptext::kKoshuMasterListTitle,
                     apptext::kKoshuChosenListTitle, parent) {
    m_searchButton = new QPushButton(QString::fromUtf8(dialogtext::kSearchButton), this);
    m_searchButton->setObjectName(QStringLiteral("search"));
    m_legends = MakeLegends(apptext::kLegendNewZenchiren);
    m_note = new QLabel(QString::fromUtf8(apptext::kConventionalNote), this);
    m_note->setObjectName(QStringLiteral("note"));
    m_legends.column->addWidget(m_note);
    m_grid->addLayout(m_legends.column, m_bottomRow, 0, 1, 3);
    m_grid->addWidget(m_searchButton, m_bottomRow, 3, Qt::AlignTop);
    connect(m_searchButton, &QPushButton::clicked, this, &CKoshuSelectDlg::OnSearch);
    resize(780, 480);
}

void CKoshuSelectDlg::OnInitDialog() {
    std::vector<ChosenNode> chosen = ChosenKoshu(m_working, m_gyomu);
    m_choice = CNodeChoice(OfferedKoshuCodes(m_bukake, m_gyomu), chosen);
    if (chosen.empty()) {
        // A new 業務: its usual 工種, from its file when there is one.
        std::array<int, kInitialSelectionCodes> values;
        values.fill(-1);
        std::span<const int> fileCodes;
        if (m_loader && m_loader(m_gyomu, values, InitialSelectionVariant(m_bukake)) == 0) fileCodes = values;
        m_choice.Add(InitialKoshuSelection(m_bukake, m_gyomu, fileCodes));
    }
    ApplyLegends();
    Refill();
    SelectRow(MasterList(), 0);
    MasterList()->setFocus();
}

void CKoshuSelectDlg::ApplyLegends() {
    // The green legend of the 全地連 edition is never shown.
    const bool newMethod = ShowLegendsFor(m_legends, m_gyomu);
    if (newMethod)
        SetLegendText(m_legends.green, masteredittext::kLegendNewZenchiren);
    else if (m_gyomu == calc::Gyomu::DoshitsuIppan)
        SetLegendText(m_legends.green, masteredittext::kLegendZenchiren);
    m_note->setVisible(newMethod && m_bukake.m_splitFlag == 0);
}

std::vector<int32_t> CKoshuSelectDlg::ChosenCodes() const {
    std::vector<int32_t> codes;
    for (size_t i : m_chosenRows) codes.push_back(m_choice.Chosen()[i].code);
    return codes;
}

std::vector<CItemSelectDlg::Entry> CKoshuSelectDlg::Entries(const std::vector<int32_t>& codes) const {
    std::vector<Entry> entries;
    for (int32_t code : codes)
        if (const CBukakeKoshu* koshu = m_bukake.FindKoshu(m_gyomu, code))
            entries.push_back({QString::fromStdString(koshu->m_name), KoshuImage(m_gyomu, *koshu)});
    return entries;
}

void CKoshuSelectDlg::Refill() {
    m_masterCodes = m_choice.MasterCodes();
    m_chosenRows = m_choice.ListedChosen();
    FillList(MasterList(), Entries(m_masterCodes));
    FillList(ChosenList(), Entries(ChosenCodes()));
}

void CKoshuSelectDlg::OnSearch() {
    CKoshuSearchDlg search(this);
    if (const CBukakeGyomu* gyomu = m_bukake.FindGyomu(m_gyomu)) search.SetGyomu(*gyomu);
    if (search.DoModal() != IDOK || IsUnset(search.GetKoshuCode())) return;
    const int koshu = search.GetKoshuCode();
    const int shubetsu = search.GetShubetsuCode();

    auto master = std::find(m_masterCodes.begin(), m_masterCodes.end(), koshu);
    if (master != m_masterCodes.end()) {
        SelectRow(MasterList(), static_cast<int>(master - m_masterCodes.begin()));
        MasterList()->setFocus();
        if (IsUnset(shubetsu)) return;
        m_searchKoshu = koshu;
        m_searchShubetsu = shubetsu;
        OnAdd();
        accept();
        return;
    }
    const std::vector<int32_t> chosen = ChosenCodes();
    auto found = std::find(chosen.begin(), chosen.end(), koshu);
    if (found == chosen.end()) return;
    SelectRow(ChosenList(), static_cast<int>(found - chosen.begin()));
    ChosenList()->setFocus();
    if (IsUnset(shubetsu)) return;
    m_searchKoshu = koshu;
    m_searchShubetsu = shubetsu;
    accept();
}

void CKoshuSelectDlg::accept() {
    if (BuildKoshuList(m_working, m_gyomu, m_choice.Chosen(), m_bukake, m_working))
        m_choice = CNodeChoice(m_choice.Offered(), ChosenKoshu(m_working, m_gyomu));  // where they now stand
    CItemSelectDlg::accept();
}
