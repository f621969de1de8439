// The estimate view's commands that build the tree of rows — the 業務, 工種 and 種別 selections — and
// the 件名 input.
#include <QString>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/GyomuSelectDlg.h"
#include "app/KenmeiDlg.h"
#include "app/KoshuSelectDlg.h"
#include "app/ShubetsuSelectDlg.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinView.h"
#include "app/ViewTexts.h"
#include "estimate/SekisanData.h"
#include "master/MasterStore.h"
#include "platform/Host.h"

using namespace vemo::view;

namespace {

QString OrNone(const std::string& text) {
    return QString::fromStdString(text.empty() ? std::string(kNoHeaderText) : text);
}

// 業務 of these codes hold 工種; the codes above are the summary rows.
constexpr int kLastKoshuGyomu = 32;

}  // namespace

void CVemoWinView::RegisterSelectionCommands() {
    OnCommand(cmd::GyomuSelect, [this] { OnGyomuSelect(); }, [this](CCmdUI& ui) { OnUpdateGyomuSelect(ui); });
    OnCommand(cmd::KoshuSelect, [this] { OnKoshuSelect(); }, [this](CCmdUI& ui) { OnUpdateKoshuSelect(ui); });
    OnCommand(cmd::ShubetsuSelect, [this] { OnShubetsuSelect(); }, [this](CCmdUI& ui) { OnUpdateShubetsuSelect(ui); });
    OnCommand(cmd::KenmeiInput, [this] { OnKenmeiInput(); }, [this](CCmdUI& ui) { OnUpdateKenmeiInput(ui); });
}

// ---------------------------------------------------------------------------------------------
// Update rules

void CVemoWinView::OnUpdateGyomuSelect(CCmdUI& ui) const {
    ui.enabled = GetItemList()->GetCount() == 0 || GetCurrentLevel() == 0;
}

void CVemoWinView::OnUpdateKoshuSelect(CCmdUI& ui) const {
    // A row without a 業務 code has no 業務 to choose 工種 for.
    const CSekisanItem* item = GetItemAt(m_currentRow);
    ui.enabled = item && item->GetLevel() != 2 && !IsUnset(item->m_nGyomu) && item->m_nGyomu <= kLastKoshuGyomu;
}

void CVemoWinView::OnUpdateShubetsuSelect(CCmdUI& ui) const {
    const CSekisanItem* item = GetItemAt(m_currentRow);
    const CBukakeKoshu* koshu =
        item && item->GetLevel() == 1 ? Bukake().FindKoshu(item->m_nGyomu, item->m_nKoshu) : nullptr;
    ui.enabled = koshu && koshu->GetCount() > 0;
}

// ---------------------------------------------------------------------------------------------
// Workers

int CVemoWinView::SelectGyomu() {
    ChangeMark mark(*this);
    std::vector<uint8_t> codes;
    CVemoWinApp::GetGyomuCodes(codes, true, 0);
    CGyomuSelectDlg dialog(this);
    dialog.SetItemList(*GetItemList());
    dialog.SetBukakeFile(Bukake());
    dialog.SetTankaFile(m_app.Store().GetTankaFile());
    dialog.SetGyomuCodes(codes);
    if (dialog.DoModal() != IDOK) return 2;
    dialog.GetItemList(*GetItemList());
    RecalculateAll();
    return 1;
}

int CVemoWinView::SelectKoshu(int& koshu, int& shubetsu) {
    koshu = kUnset;
    shubetsu = kUnset;
    const CSekisanItem* item = GetItemAt(m_currentRow);
    if (!item) return 2;
    const int gyomu = item->m_nGyomu;
    Input input(*this);
    CKoshuSelectDlg dialog(this);
    dialog.SetItemList(*GetItemList());
    dialog.SetBukakeFile(Bukake());
    dialog.SetGyomuCode(gyomu);
    dialog.SetInitialSelectionLoader([this](int code, std::span<int> values, int variant) {
        return m_app.LoadInitialSelection(code, values, variant);
    });
    if (dialog.DoModal() != IDOK) return 2;
    dialog.GetItemList(*GetItemList());
    if (!input.Commit(gyomu, m_currentRow)) return 2;
    koshu = dialog.GetKoshuCode();
    shubetsu = dialog.GetShubetsuCode();
    return 1;
}

int CVemoWinView::SelectShubetsu(int preselect) {
    const CSekisanItem* item = GetItemAt(m_currentRow);
    if (!item) return 2;
    const int gyomu = item->m_nGyomu;
    Input input(*this);
    CShubetsuSelectDlg dialog(this);
    dialog.SetItemList(*GetItemList());
    dialog.SetBukakeFile(Bukake());
    dialog.SetHenkaritsuFile(m_app.Store().GetHenkaritsuFile());
    dialog.SetGyomuCode(gyomu);
    dialog.SetKoshuCode(item->m_nKoshu);
    dialog.SetShubetsuCode(preselect);
    dialog.SetGijyutuCalc(m_app.Settings().GijyutuCalc);
    if (dialog.DoModal() != IDOK) return 2;
    dialog.GetItemList(*GetItemList());
    return input.Commit(gyomu, m_currentRow) ? 1 : 2;
}

bool CVemoWinView::SelectKoshuRow(int gyomu, int koshu) {
    const int index = GetItemList()->FindKoshu(gyomu, koshu);
    if (index < 0) return false;
    SelectRow(index + 1);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Commands

void CVemoWinView::OnGyomuSelect() {
    if (SelectGyomu() != 1) return;
    RefillGrid();
    ShowAnzenhiRate();
}

void CVemoWinView::OnKoshuSelect() {
    const CSekisanItem* item = GetItemAt(m_currentRow);
    if (!item) return;
    const int gyomu = item->m_nGyomu;
    int koshu, shubetsu;
    if (SelectKoshu(koshu, shubetsu) != 1) return;
    RefillGrid();
    // A 種別 found by the dialog's search is offered at once on its 工種's row.
    if (!IsUnset(koshu) && SelectKoshuRow(gyomu, koshu) && !IsUnset(shubetsu) && SelectShubetsu(shubetsu) == 1)
        RefillGrid();
    ShowAnzenhiRate();
}

void CVemoWinView::OnShubetsuSelect() {
    if (SelectShubetsu(-1) != 1) return;
    RefillGrid();
    ShowAnzenhiRate();
}

void CVemoWinView::OnKenmeiInput() {
    ChangeMark mark(*this);
    CSekisanItemList* list = GetItemList();
    CMasterDataStore& store = m_app.Store();
    CKenmeiDlg dialog(this);
    dialog.SetMode(CKenmeiDlg::Change);
    dialog.SetInsatsuHyodai(list->m_strPrintTitle);
    dialog.SetKenmei(list->m_strKenmei);
    dialog.SetKashomei(list->m_strKashoName);
    dialog.SetHyoshiData(store.GetHyoshiData());
    if (dialog.DoModal() != IDOK) return;
    // The histories the dialog extended are the program's: kept with the cover data.
    dialog.GetHyoshiData(store.GetHyoshiData());
    store.SerializeHyoshiFile(1, nullptr, std::string());
    list->m_strPrintTitle = dialog.GetInsatsuHyodai();
    list->m_strKenmei = dialog.GetKenmei();
    list->m_strKashoName = dialog.GetKashomei();
    SetKenmeiText(OrNone(list->m_strKenmei));
    SetBashoText(OrNone(list->m_strKashoName));
}
