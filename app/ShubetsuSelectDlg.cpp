#include "app/ShubetsuSelectDlg.h"
#include "masteredit/MasterEditTexts.h"

#include <QGridLayout>
#include <QLabel>
#include <QTreeWidget>

#include "app/ItemSelection.h"
#include "app/AppTexts.h"
#include "estimate/CalcCodes.h"
#include "platform/Host.h"

CShubetsuSelectDlg::CShubetsuSelectDlg(QWidget* parent)
    : CItemSelectDlg(apptext::kShubetsuSelectCaption, apptext::kShubetsuSelectHint,
                     apptext::kShubetsuMasterListTitle, apptext::kShubetsuChosenListTitle, parent) {
    m_masterCoefficient = new QLabel(this);
    m_masterCoefficient->setObjectName(QStringLiteral("masterCoefficient"));
    m_chosenCoefficient = new QLabel(this);
    m_chosenCoefficient->setObjectName(QStringLiteral("chosenCoefficient"));
    m_legends = MakeLegends(apptext::kLegendConventionalZenchiren);

    m_grid->addWidget(m_masterCoefficient, m_belowListsRow, 0);
    m_grid->addWidget(m_chosenCoefficient, m_belowListsRow, 2);
    m_grid->addLayout(m_legends.column, m_bottomRow, 0, 1, 3);
    resize(780, 470);
}

void CShubetsuSelectDlg::OnInitDialog() {
    std::vector<Entry> master;
    if (const CBukakeKoshu* koshu = MasterKoshu())
        for (int s = 0; s < koshu->GetCount(); ++s)
            if (const CBukakeShubetsu* shubetsu = koshu->GetShubetsu(s))
                master.push_back({QString::fromStdString(shubetsu->m_name), ShubetsuImage(m_gyomu, m_koshu, *shubetsu)});
    FillList(MasterList(), master);
    RefillChosen();
    ApplyLegends();
    int row = 0;
    if (!IsUnset(m_preselect) && m_preselect >= 0 && MasterKoshu()) row = std::max(0, MasterKoshu()->FindShubetsuIndex(m_preselect));
    SelectRow(MasterList(), row);
    MasterList()->setFocus();
}

void CShubetsuSelectDlg::ApplyLegends() {
    // The green legend is never shown.
    const bool newMethod = ShowLegendsFor(m_legends, m_gyomu);
    SetLegendText(m_legends.green, newMethod ? masteredittext::kLegendNewZenchiren : masteredittext::kLegendZenchiren);
}

void CShubetsuSelectDlg::RefillChosen() {
    m_chosenPositions = ShubetsuPositions(m_working, m_gyomu, m_koshu);
    std::vector<Entry> chosen;
    for (int i : m_chosenPositions) {
        const CSekisanItem* item = m_working.GetItem(i);
        const CBukakeShubetsu* shubetsu = m_bukake.FindShubetsu(item->m_nGyomu, item->m_nKoshu, item->m_nShubetsu);
        chosen.push_back({QString::fromStdString(item->m_strNameUpper),
                          shubetsu ? ShubetsuImage(m_gyomu, m_koshu, *shubetsu) : ShubetsuImage(m_gyomu, m_koshu, {})});
    }
    FillList(ChosenList(), chosen);
}

void CShubetsuSelectDlg::OnSelectionChanged() {
    // The 種別 of each list's current selected row.
    static const CBukakeShubetsu missing;  // a 種別 the master lacks: no coefficient
    const CBukakeKoshu* koshu = MasterKoshu();
    const CBukakeShubetsu* master = nullptr;
    if (QTreeWidgetItem* item = MasterList()->currentItem(); item && item->isSelected() && koshu)
        master = koshu->GetShubetsu(MasterList()->indexOfTopLevelItem(item));
    const CBukakeShubetsu* chosen = nullptr;
    if (QTreeWidgetItem* item = ChosenList()->currentItem(); item && item->isSelected()) {
        const int row = ChosenList()->indexOfTopLevelItem(item);
        if (row >= 0 && static_cast<size_t>(row) < m_chosenPositions.size()) {
            const CSekisanItem* node = m_working.GetItem(m_chosenPositions[size_t(row)]);
            chosen = m_bukake.FindShubetsu(node->m_nGyomu, node->m_nKoshu, node->m_nShubetsu);
            if (!chosen) chosen = &missing;
        }
    }
    m_masterCoefficient->setText(QString::fromStdString(CoefficientText(m_gyomu, master)));
    m_chosenCoefficient->setText(QString::fromStdString(CoefficientText(m_gyomu, chosen)));
}

void CShubetsuSelectDlg::OnAdd() {
    const CBukakeKoshu* koshu = MasterKoshu();
    const std::vector<int> rows = SelectedRows(MasterList());
    if (!koshu || rows.empty()) return;
    for (int row : rows)
        if (const CBukakeShubetsu* shubetsu = koshu->GetShubetsu(row))
            InsertShubetsuItem(m_working, m_gyomu, m_koshu, NewShubetsuItem(m_gyomu, *koshu, *shubetsu, m_henkaritsu));
    RefillChosen();
}

void CShubetsuSelectDlg::OnRemove() {
    const std::vector<int> rows = SelectedRows(ChosenList());
    if (rows.empty()) return;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) m_working.RemoveItem(m_chosenPositions[size_t(*it)]);
    RefillChosen();
    SelectRow(ChosenList(), rows.front());
}

void CShubetsuSelectDlg::accept() {
    const bool asks = calc::IsDesignLikeGyomu(m_gyomu) || m_gyomu == calc::Gyomu::DoshitsuIppan;
    if (asks && m_gijyutuCalc == 0 && HasMixedCoefficients(m_working, m_bukake, m_gyomu, m_koshu) &&
        AfxMessageBox(apptext::kAskShubetsuAgain, MsgButtons::YesNo, MsgIcon::Information) == IDYES)
        return;
    CItemSelectDlg::accept();
}
