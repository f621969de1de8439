// The estimate view's 歩掛編集: the 歩掛 detail of the current row's 種別 edited in its detail dialog,
// which prices the row with the detail being edited (参考金額), and saved into the 歩掛 master as the
// 種別 itself or as a user copy that the row then names.
#include <memory>
#include <string>

#include "app/AppTexts.h"
#include "app/CommandIds.h"
#include "app/EditorLauncher.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "app/VemoWinView.h"
#include "estimate/CalcCodes.h"
#include "estimate/EstimateCalcContext.h"
#include "estimate/SekisanData.h"
#include "master/MasterStore.h"
#include "masteredit/BukakeDetailDlg.h"
#include "masteredit/BukakeShikiDetailDlg.h"
#include "masteredit/KoshuShubetsuLists.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/SankoKingakuContext.h"
#include "masteredit/ShubetsuEditDlg.h"
#include "platform/Host.h"

namespace {

using calc::Gyomu;
using calc::IsDaikaKoshu;
using calc::Koshu;

// The detail dialogs ask the view for their 参考金額.
class CViewSankoKingaku : public ISankoKingakuContext {
public:
    explicit CViewSankoKingaku(CVemoWinView& view) : m_view(view) {}
    bool CalcSankoKingaku(const CBukakeDetail& detail, const CZairyoTankaFile& zairyo, int& amount,
                          int& amount95) override {
        return m_view.CalcSankoKingaku(detail, zairyo, amount, amount95) == 1;
    }

private:
    CVemoWinView& m_view;
};

// What the detail dialog gave back after OK.
struct EditedDetail {
    CBukakeDetail detail;
    CZairyoTankaFile zairyo;
    int zairyoChanged = -1;  // -1: the material prices were not edited
};

bool AskYes(const char* question) {
    return AfxMessageBox(question, MsgButtons::YesNo, MsgIcon::Exclamation) == IDYES;
}

}  // namespace

void CVemoWinView::RegisterBukakeEditCommands() {
    OnCommand(cmd::RowBukakeEdit, [this] { OnBukakeEdit(); }, [this](CCmdUI& ui) { OnUpdateBukakeEdit(ui); });
}

void CVemoWinView::OnUpdateBukakeEdit(CCmdUI& ui) const {
    if (GetItemList()->GetCount() == 0) {
        ui.enabled = false;
        return;
    }
    const CSekisanItem* item = GetItemAt(m_currentRow);
    // Without a current row the command stays as it was.
    if (!item) {
        ui.keep = true;
        return;
    }
    // 工種 whose rows are rates or the 電子計算機使用料 of their 業務 have no 歩掛 to edit.
    ui.enabled = !IsUnset(item->m_nDaikaNo) && !IsDaikaKoshu(item->m_nGyomu, item->m_nKoshu);
}

const CSekisanItem* CVemoWinView::GyomuTotalRow(int gyomu) const { return GyomuTotalRow(*GetItemList(), gyomu); }

const CSekisanItem* CVemoWinView::GyomuTotalRow(const CSekisanItemList& list, int gyomu) {
    const CSekisanItem* total = nullptr;
    for (int i = 0; i < list.GetCount(); ++i)
        if (const CSekisanItem* row = list.GetItem(i); row && row->m_nGyomu == Gyomu::Goukei && row->m_nAmount >= 0)
            total = row;
    if (total) return total;
    for (int i = 0; i < list.GetCount(); ++i)
        if (const CSekisanItem* row = list.GetItem(i);
            row && row->m_nGyomu == gyomu && row->m_nKoshu == Koshu::GyomuKakaku && row->m_nAmount >= 0)
            total = row;
    return total;
}

void CVemoWinView::OnBukakeEdit() {
    if (EditBukake() == 1) RefillGrid();
}

int CVemoWinView::EditBukake() {
    ChangeMark mark(*this);
    const int index = m_currentRow;
    const CSekisanItem* item = GetItemAt(index);
    if (!item) return 2;
    const int gyomu = item->m_nGyomu;
    const int koshuCode = item->m_nKoshu;
    const CBukakeKoshu* koshu = Bukake().FindKoshu(gyomu, koshuCode);
    const CBukakeShubetsu* shubetsu = koshu ? koshu->FindShubetsu(item->m_nShubetsu) : nullptr;
    if (!shubetsu) return 2;

    // The dialog prices the row through the view while it runs (the row and the master are put
    // back each time), so the entries are looked up again afterwards.
    CMasterDataStore& store = m_app.Store();
    CViewSankoKingaku context(*this);
    const CSekisanItem* total = GyomuTotalRow(gyomu);
    const int totalAmount = total ? total->m_nAmount : kUnset;
    EditedDetail edited;
    auto run = [&](auto& dialog) {
        dialog.SetGyomuCode(gyomu);
        dialog.SetShubetsuName(shubetsu->m_name);
        dialog.SetDetail(shubetsu->GetDetail());
        dialog.SetHenkaritsuFile(store.GetHenkaritsuFile());
        dialog.SetTankaFile(store.GetTankaFile());
        dialog.SetZairyoTankaFile(store.GetZairyoTankaFile());
        dialog.SetUserCreated(shubetsu->m_userCreated);
        dialog.SetKingaku(item->m_nAmount);
        dialog.SetGokeiKingaku(totalAmount);
        dialog.SetSankoKingakuContext(&context);
        if (dialog.DoModal() != IDOK) return false;
        edited.detail = dialog.GetDetail();
        edited.zairyo = dialog.GetZairyoTankaFile(&edited.zairyoChanged);
        return true;
    };
    bool accepted;
    if (UsesShikiDetail(gyomu, shubetsu->GetDetail())) {
        CBukakeShikiDetailDlg dialog(this);
        accepted = run(dialog);
    } else {
        CBukakeDetailDlg dialog(this);
        dialog.SetShubetsuKeisu(shubetsu->m_coefficient);
        dialog.SetHimokuMode(shubetsu->GetDetail().m_himokuMode);
        dialog.SetPrintSetup(m_app.DetailPrintSetup());
        accepted = run(dialog);
    }
    if (!accepted) return 2;
    item = GetItemAt(index);
    koshu = Bukake().FindKoshu(gyomu, koshuCode);
    shubetsu = item && koshu ? koshu->FindShubetsu(item->m_nShubetsu) : nullptr;
    if (!shubetsu) return 2;

    // Where the detail goes: the 種別 itself, or (copy set) a user copy of a master 種別.
    std::unique_ptr<CBukakeShubetsu> copy;
    if (shubetsu->m_userCreated == 1) {
        if (!AskYes(apptext::kAskSaveBukakeShubetsu)) return 2;
    } else if (AskYes(apptext::kAskCopyShubetsu)) {
        copy = std::make_unique<CBukakeShubetsu>(*shubetsu);
        copy->m_name = masteredittext::kCopyNamePrefix + copy->m_name;
        copy->m_userCreated = 1;
        CShubetsuEditDlg dialog(this);
        dialog.SetShubetsu(*copy);
        dialog.SetMode(CShubetsuEditDlg::Copy);
        dialog.SetGyomuCode(gyomu);
        if (dialog.DoModal() != IDOK) return 2;
        dialog.GetShubetsu(*copy);
        // A 工種 whose 種別 codes are all taken gets no copy: nothing is saved.
        const int code = koshu->GetNewShubetsuCode();
        if (code == -1) {
            AfxMessageBox(masteredittext::kNoFreeShubetsuCode, MsgButtons::Ok, MsgIcon::Exclamation);
            return 2;
        }
        copy->m_code = code;
    } else if (!AskYes(apptext::kAskOverwriteOriginalShubetsu)) {
        return 2;
    }

    // The edited master replaces the application's only when its file was written; otherwise
    // (the store has said why) memory stays equal to the file and the row keeps its 種別.
    CBukakeFile next(Bukake());
    CBukakeKoshu* nextKoshu = next.FindKoshu(gyomu, koshuCode);
    if (!nextKoshu) return 2;
    const bool copied = copy != nullptr;
    const int targetCode = copied ? copy->m_code : shubetsu->m_code;
    const std::string copyName = copied ? copy->m_name : std::string();
    if (copied) nextKoshu->AddShubetsu(std::move(copy));
    CBukakeShubetsu* target = nextKoshu->FindShubetsu(targetCode);
    if (!target) return 2;
    target->GetDetail().Copy(edited.detail);
    if (!InstallEditedMaster(store, next)) return 2;

    CSekisanItem* row = GetItemAt(index);
    if (row && copied) {
        row->m_nShubetsu = targetCode;
        row->m_strNameUpper = copyName;
    }
    if (edited.zairyoChanged != -1 && AskYes(masteredittext::kAskOverwriteZairyoTankaFile) &&
        InstallEditedMaster(store, edited.zairyo)) {
        // The active estimate is priced with the file in use; the other estimates naming it follow.
        if (CEstimateCalcContext* calc = m_doc->CalcContext()) calc->ZairyoTanka() = store.GetZairyoTankaFile();
        m_app.RefreshDocumentZairyoTanka();
    }
    RecalculateAll();
    return 1;
}
