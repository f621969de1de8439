#include "app/GyomuSelectDlg.h"

#include <QTreeWidget>

#include "app/AppTexts.h"
#include "masteredit/MasterEditTexts.h"

CGyomuSelectDlg::CGyomuSelectDlg(QWidget* parent)
    : CCodeSelectDlg(apptext::kGyomuSelectCaption, apptext::kGyomuSelectHint, masteredittext::kBukakeGyomuListTitle,
                     apptext::kGyomuChosenListTitle, parent) {
    resize(760, 380);
}

void CGyomuSelectDlg::OnInitDialog() {
    m_choice = CNodeChoice(OfferedGyomuCodes(m_bukake, m_allowed), ChosenGyomu(m_working));
    Refill();
    SelectRow(MasterList(), 0);
    MasterList()->setFocus();
}

QString CGyomuSelectDlg::GyomuName(int32_t code) const {
    const CBukakeGyomu* gyomu = m_bukake.FindGyomu(code);
    return gyomu ? QString::fromStdString(gyomu->m_name) : QString();
}

std::vector<int32_t> CGyomuSelectDlg::ChosenCodes() const {
    std::vector<int32_t> codes;
    for (size_t i : m_chosenRows) codes.push_back(m_choice.Chosen()[i].code);
    return codes;
}

void CGyomuSelectDlg::Refill() {
    m_masterCodes = m_choice.MasterCodes();
    m_chosenRows = m_choice.ListedChosen();
    std::vector<Entry> master, chosen;
    for (int32_t code : m_masterCodes) master.push_back({GyomuName(code), kGyomuImage});
    for (int32_t code : ChosenCodes()) chosen.push_back({GyomuName(code), kGyomuImage});
    FillList(MasterList(), master);
    FillList(ChosenList(), chosen);
}

void CGyomuSelectDlg::accept() {
    BuildGyomuList(m_working, m_choice.Chosen(), m_bukake, m_allowed, m_tanka, m_working);
    // The chosen nodes now stand where the rebuilt list has them.
    m_choice = CNodeChoice(m_choice.Offered(), ChosenGyomu(m_working));
    CItemSelectDlg::accept();
}
