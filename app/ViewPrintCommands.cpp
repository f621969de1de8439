// The estimate view's print commands: 印刷 (57607), 印刷プレビュー (57609) and 印刷代価プレビュー (32821),
// on the view's own report job. Only one preview of the job is open at a time; while it is, a
// preview command raises it and printing or closing the window is refused. Figures the program could
// not form (a record of the limits that is not empty) are told again before they go to paper.
#include <memory>
#include <optional>

#include "app/CommandIds.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "app/VemoWinView.h"
#include "estimate/SekisanData.h"
#include "platform/Host.h"
#include "report/EstimateReport.h"
#include "report/PrintFormText.h"
#include "report/qt/PageSettingDlg.h"
#include "report/ReportTexts.h"
#include "report/qt/HyoshiDlg.h"

void CVemoWinView::RegisterPrintCommands() {
    OnCommand(cmd::FilePrint, [this] { OnFilePrint(); }, [this](CCmdUI& ui) { OnUpdateFilePrint(ui); });
    OnCommand(cmd::FilePrintPreview, [this] { OnFilePrintPreview(); }, [this](CCmdUI& ui) { OnUpdateFilePrintPreview(ui); });
    OnCommand(cmd::DaikaPrintPreview, [this] { OnDaikaPrintPreview(); },
              [this](CCmdUI& ui) { OnUpdateDaikaPrintPreview(ui); });
}

void CVemoWinView::OnUpdateFilePrint(CCmdUI& ui) const { ui.enabled = GetItemList()->GetCount() > 0; }

void CVemoWinView::OnUpdateFilePrintPreview(CCmdUI& ui) const { ui.enabled = GetItemList()->GetCount() > 0; }

void CVemoWinView::OnUpdateDaikaPrintPreview(CCmdUI& ui) const {
    const CSekisanItem* item = GetItemAt(GetCurrentRow());
    ui.enabled = GetItemList()->GetCount() > 0 && item && !IsUnset(item->m_nDaikaNo);
}

bool CVemoWinView::RefuseWhilePreviewOpen() { return m_job.RefuseWhilePreviewOpen(); }

// ---------------------------------------------------------------------------------------------
// Commands

void CVemoWinView::OnFilePrint() {
    CWaitCursor wait;
    if (RefuseWhilePreviewOpen()) return;
    TellCalcLimits();
    if (RunPageSettings() != 1) return;
    if (!m_job.Build([this] { BuildReport(); })) return;
    m_job.Print();
}

bool CVemoWinView::PrintDirect() {
    CWaitCursor wait;
    if (GetItemList()->GetCount() == 0) return false;
    BuildReport();
    return m_job.PrintOnChosenPrinter();
}

void CVemoWinView::OnFilePrintPreview() {
    if (m_job.RaiseOpenPreview()) return;
    TellCalcLimits();
    if (RunPageSettings() != 1) return;
    // The cover data is asked for when the cover is printed, and for the 業務価格総括表 of a form
    // whose twin prints the cover data there.
    if ((m_job.IsHyoshiPrinted() || (m_job.IsGyomuSokatsuPrinted() && m_app.CheckFormTextFile() == 0)) &&
        m_app.OnHyoshi(CHyoshiDlg::EntryOnly) != IDOK)
        return;
    if (!m_job.Build([this] { BuildReport(); })) return;
    m_job.SetPreviewTitle(reporttext::kDefaultPreviewTitle);
    m_job.Preview();
}

void CVemoWinView::OnDaikaPrintPreview() {
    if (m_job.RaiseOpenPreview()) return;
    const CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item || IsUnset(item->m_nDaikaNo)) return;
    TellCalcLimits();
    const CPrintSettings kept = m_job.GetSettings();
    CPrintSettings daika = kept;
    daika.printHyoshi = 0;
    daika.setDate = 0;
    daika.printSokatsu = 0;
    daika.printGyomuSokatsu = 0;
    daika.printDaika = 1;
    daika.printDaikaMeisai = 0;
    // A form that labels only the 代価明細表 shows that instead.
    const CAppSettings& settings = m_app.Settings();
    CPrintFormText twin;
    if (settings.formType >= 0 && static_cast<size_t>(settings.formType) < settings.formList.size() &&
        LoadPrintFormText(settings.formList[static_cast<size_t>(settings.formType)], twin) == 0 &&
        twin.GetLine(CPrintFormText::kPrintDaika).empty() &&
        !twin.GetLine(CPrintFormText::kPrintDaikaMeisai).empty()) {
        daika.printDaika = 0;
        daika.printDaikaMeisai = 1;
    }
    daika.daikaStartNo = item->m_nDaikaNo;
    daika.setStartPage = 0;
    daika.pageBreakPerGyomu = 0;
    m_job.SetSettings(daika);
    if (m_job.Build([this] { BuildReport(); })) {
        m_job.SetPreviewTitle(reporttext::kDefaultPreviewTitle);
        m_job.Preview();
    }
    m_job.SetSettings(kept);
}

// ---------------------------------------------------------------------------------------------
// Page settings

int CVemoWinView::ShowPageSettings(PageSettingsRequest& request) {
    CPageSettingDlg dialog(this);
    dialog.SetFormList(request.forms);
    dialog.SetFormType(request.formIndex);
    dialog.SetItemListHeader(request.header);
    dialog.SetSettings(request.settings);
    dialog.SetDouroCalc(m_app.Settings().DouroCalc != 0);
    // A form checked in the dialog becomes the program's current form at once.
    dialog.SetFormChosen([this, &request](int formType) {
        m_app.Settings().formType = formType;
        request.formIndex = formType;
    });
    const int result = dialog.DoModal();
    if (result != IDOK) return result;
    request.formIndex = dialog.GetFormType();
    dialog.GetItemListHeader(request.header);
    request.settings = dialog.GetSettings();
    return IDOK;
}

int CVemoWinView::RunPageSettings() {
    ChangeMark mark(*this);
    CAppSettings& settings = m_app.Settings();
    PageSettingsRequest request;
    request.forms = settings.formList;
    request.formIndex = settings.formType;
    request.header.CopyHeader(*GetItemList());
    request.settings = m_job.GetSettings();
    if (ShowPageSettings(request) != IDOK) return 2;
    settings.formType = request.formIndex;
    GetItemList()->CopyHeader(request.header);
    m_job.SetSettings(request.settings);
    return 1;
}

// ---------------------------------------------------------------------------------------------
// The estimate report

template <class F>
decltype(auto) CVemoWinView::WithReport(F&& f) {
    const CAppSettings& settings = m_app.Settings();
    std::string form;
    if (settings.formType >= 0 && static_cast<size_t>(settings.formType) < settings.formList.size())
        form = settings.formList[static_cast<size_t>(settings.formType)];
    std::optional<CPrintFormText> twin;
    if (CPrintFormText lines; !form.empty() && LoadPrintFormText(form, lines) == 0) twin = lines;
    // The estimate is printed with the masters it is priced with.
    std::unique_ptr<CEstimateCalcContext> shared;
    const ICalcEnvironment* env = m_doc->CalcContext();
    if (!env) {
        shared = std::make_unique<CEstimateCalcContext>(m_app.SharedMasters(), m_app.Settings(),
                                                        m_app.Store().GetZairyoTankaFile());
        env = shared.get();
    }
    CEstimateReport report(m_job, *GetItemList(), *env, m_app.Store().GetHyoshiData(), settings.formGyou, form,
                           std::move(twin));
    report.SetDaikaName(settings.DaikaName);
    return f(report);
}

void CVemoWinView::BuildReport() {
    // Saved from the preview or printed to a PDF file, the workbook is offered under the estimate's
    // name, beside its file; the PDF file is titled with its 件名.
    const std::string& path = GetDocument()->GetPathName();
    m_job.SetWorkbookName(path.empty() ? GetDocument()->GetTitle().toStdString() : path);
    m_job.SetDocumentTitle(GetItemList()->m_strKenmei);
    WithReport([](CEstimateReport& report) { report.BuildReport(); });
}

void CVemoWinView::WriteHyoshi() {
    WithReport([](CEstimateReport& report) { report.WriteHyoshi(); });
}

int CVemoWinView::WriteGyomuKakakuSokatsu(int firstPage) {
    return WithReport([firstPage](CEstimateReport& report) { return report.WriteGyomuKakakuSokatsu(firstPage); });
}

int CVemoWinView::WriteSokatsu(int firstPage) {
    return WithReport([firstPage](CEstimateReport& report) { return report.WriteSokatsu(firstPage); });
}

int CVemoWinView::BuildDaikaSheets(int lastPage) {
    return WithReport([lastPage](CEstimateReport& report) { return report.BuildDaikaSheets(lastPage); });
}

void CVemoWinView::FormatNumberWithCommas(int value, std::string& text) {
    CEstimateReport::FormatNumberWithCommas(value, text);
}

void CVemoWinView::WriteHenkaritsuSheet(int index) {
    WithReport([index](CEstimateReport& report) { report.WriteHenkaritsuSheet(*report.PricingCopy(), index); });
}

int CVemoWinView::WriteGyomuChikuJoken(int startRow, int index, int amountTotal) {
    return WithReport([=](CEstimateReport& report) {
        return report.WriteGyomuChikuJoken(*report.PricingCopy(), startRow, index, amountTotal);
    });
}

int CVemoWinView::WriteSeidoTankaSheet(int page, int index, int perLineRate, int& tankaNo,
                                       CEstimateReport::TankaMode mode) {
    return WithReport([&](CEstimateReport& report) {
        return report.WriteSeidoTankaSheet(*report.PricingCopy(), page, index, perLineRate, tankaNo, mode);
    });
}

int CVemoWinView::WriteDensiTankaSheet(int page, int index, int perLineRate, int& tankaNo,
                                       CEstimateReport::TankaMode mode) {
    return WithReport([&](CEstimateReport& report) {
        return report.WriteDensiTankaSheet(*report.PricingCopy(), page, index, perLineRate, tankaNo, mode);
    });
}

int CVemoWinView::WriteShokushuColumns(int index, int columns, const std::string& amountCell,
                                       std::optional<double> correction, double& directLabour, double& labour) {
    return WithReport([&](CEstimateReport& report) {
        return report.WriteShokushuColumns(*report.PricingCopy(), index, columns, amountCell, correction, directLabour,
                                           labour);
    });
}

int32_t CVemoWinView::GetColumnShokushuId(int index, int column) {
    return WithReport([&](CEstimateReport& report) {
        return report.GetColumnShokushuId(*report.PricingCopy(), index, column);
    });
}

int32_t CVemoWinView::FindFirstRomuhiColumn(int index, int columns) {
    return WithReport([&](CEstimateReport& report) {
        return report.FindFirstRomuhiColumn(*report.PricingCopy(), index, columns);
    });
}

int32_t CVemoWinView::GetLineShokushuQuantity(int index, int line, int column) {
    return WithReport([&](CEstimateReport& report) {
        return report.GetLineShokushuQuantity(*report.PricingCopy(), index, line, column);
    });
}

int CVemoWinView::WriteJininkeiRows(int index, int columns, const std::string& amountCell,
                                    std::optional<double> correction, double& directLabour, double& labour) {
    return WithReport([&](CEstimateReport& report) {
        return report.WriteJininkeiRows(*report.PricingCopy(), index, columns, amountCell, correction, directLabour,
                                        labour);
    });
}

double CVemoWinView::WriteKeihiKubunRows(int index, int columns, int startRow, const std::string& amountCell,
                                         double directLabour, double labour) {
    return WithReport([&](CEstimateReport& report) {
        return report.WriteKeihiKubunRows(*report.PricingCopy(), index, columns, startRow, amountCell, directLabour,
                                          labour);
    });
}

std::string CVemoWinView::GetKeihiEntryTexts(const CBukakeShubetsu& shubetsu, int index, int kind, std::string& unit,
                                             std::string& quantity, std::string& price) {
    return WithReport([&](CEstimateReport& report) {
        return report.GetKeihiEntryTexts(*report.PricingCopy(), shubetsu, index, kind, unit, quantity, price);
    });
}
