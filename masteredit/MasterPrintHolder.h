#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "report/ReportJob.h"

class CBukakeGyomu;
class CBukakeKoshu;
class CHenkaritsuGyomu;
class CTankaFile;

// The report job of one dialog that prints (a master editor, the 歩掛 detail dialog), with the rules
// every holder of a job follows: a preview command brings the open preview to the front instead of
// building again, and print, OK, Cancel and close are refused with a message while it is open.
//
// A builder writes its pages into the job and returns how many it wrote; when it wrote none (an empty
// list, or a template that could not be opened, which the job has told the user about) nothing is
// previewed or printed. The four master lists come ready-made, each from the master-list template in
// the program's folder.
//
// A dialog keeps one holder as a member and routes its buttons here:
//
//     void OnPreview() { m_print.PreviewTankaList(m_tanka); }
//     void OnPrint()   { m_print.PrintTankaList(m_tanka); }
//     void accept() override { if (!m_print.RefuseWhilePreviewOpen()) CSekisanDialog::accept(); }
//     void reject() override { if (!m_print.RefuseWhilePreviewOpen()) CSekisanDialog::reject(); }
class CMasterPrintHolder {
public:
    using Builder = std::function<int(CReportJob&)>;

    // The master-list template is looked for in the running program's folder until one is set.
    CMasterPrintHolder();
    CMasterPrintHolder(const CMasterPrintHolder&) = delete;
    CMasterPrintHolder& operator=(const CMasterPrintHolder&) = delete;

    void SetProgramFolder(const std::string& folder) { m_programFolder = folder; }
    // [program folder]/フォーム/マスター用.xlsx
    std::string MasterListTemplate() const;

    CReportJob& Job() { return m_job; }
    bool IsPreviewOpen() const { return m_job.IsPreviewOpen() != 0; }

    // 印刷ﾌﾟﾚﾋﾞｭｰ: raises the open preview; otherwise builds and previews under the title.
    void Preview(std::string_view title, const Builder& build);
    // 印刷...: refused while the preview is open; otherwise builds and prints.
    void Print(const Builder& build);
    // OK, Cancel and close: true (after the message) while the preview is open; the dialog then stays.
    bool RefuseWhilePreviewOpen() { return m_job.RefuseWhilePreviewOpen(); }

    // The 工種 list of a 業務 (歩掛ファイル編集, 工種 side).
    void PreviewKoshuList(const CBukakeGyomu& gyomu);
    void PrintKoshuList(const CBukakeGyomu& gyomu);
    // The 種別 list of one 工種 of the 業務 (歩掛ファイル編集, 種別 side).
    void PreviewShubetsuList(const CBukakeGyomu& gyomu, const CBukakeKoshu& koshu);
    void PrintShubetsuList(const CBukakeGyomu& gyomu, const CBukakeKoshu& koshu);
    // The records of a 変化率・補正率 group (変化率･補正率ファイル編集).
    void PreviewHenkaritsuList(const CHenkaritsuGyomu& group);
    void PrintHenkaritsuList(const CHenkaritsuGyomu& group);
    // The 単価一覧 (単価ファイル編集).
    void PreviewTankaList(const CTankaFile& tanka);
    void PrintTankaList(const CTankaFile& tanka);

private:
    CReportJob m_job;
    std::string m_programFolder;
};
