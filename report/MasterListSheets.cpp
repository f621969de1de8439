#include "report/MasterListSheets.h"

#include <functional>

#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/TankaFile.h"
#include "platform/Constants.h"
#include "platform/FileUtil.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"
#include "report/SheetWriting.h"

namespace masterlist {
namespace {

constexpr char kFormFolder[] = "フォーム";
constexpr char kTemplateFile[] = "マスター用.xlsx";

constexpr char kSheetKoshu[] = "歩掛工種一覧";
constexpr char kSheetShubetsu[] = "歩掛種別一覧";
constexpr char kSheetHenkaritsu[] = "変化率・補正率一覧";
constexpr char kSheetTanka[] = "単価一覧";

using reportsheet::Numbered;

// Writes count entries in pages of blocks side by side, each block rows high and kBlockColumns right
// of the one before: header() after each page begins, entry(index, dx, dy) for each entry (index from
// 0 over the whole list). The number of pages.
int WritePages(CReportJob& job, const char* sheet, int count, int rows, int blocks, const std::function<void()>& header,
               const std::function<void(int index, int dx, int dy)>& entry) {
    const int pageRows = rows * blocks;
    int pages = 0;
    for (int first = 0; first < count; first += pageRows) {
        job.BeginPage(sheet, "1");
        header();
        for (int i = first; i < count && i < first + pageRows; ++i) {
            const int onPage = i - first;
            entry(i, (onPage / rows) * kBlockColumns, onPage % rows);
        }
        job.EndPage();
        ++pages;
    }
    return pages;
}

int WriteBlocks(CReportJob& job, const char* sheet, int count, const std::function<void()>& header,
                const std::function<void(int index, int dx, int dy)>& entry) {
    return WritePages(job, sheet, count, kBlockRows, kBlocksPerPage, header, entry);
}

// The position (from 1) and the name of an entry.
void WriteNumberAndName(CReportJob& job, int index, int dx, int dy, const std::string& name) {
    job.SetCellLongAt("**No", dx, dy, index + 1);
    job.SetCellTextAt("**データ", dx, dy, name);
}

}  // namespace

std::string MasterListTemplatePath(const std::string& programFolder) {
    return vemo::JoinPath(vemo::JoinPath(programFolder, kFormFolder), kTemplateFile);
}

int WriteKoshuList(CReportJob& job, const std::string& templatePath, const CBukakeGyomu& gyomu) {
    if (!job.OpenTemplate(templatePath)) return -1;
    return WriteBlocks(
        job, kSheetKoshu, gyomu.GetCount(),
        [&] { job.SetCellText("**タイトル", gyomu.m_name + reporttext::kKoshuListAfter); },
        [&](int i, int dx, int dy) { WriteNumberAndName(job, i, dx, dy, gyomu.GetKoshu(i)->m_name); });
}

int WriteShubetsuList(CReportJob& job, const std::string& templatePath, const CBukakeGyomu& gyomu,
                      const CBukakeKoshu& koshu) {
    if (!job.OpenTemplate(templatePath)) return -1;
    return WriteBlocks(
        job, kSheetShubetsu, koshu.GetCount(),
        [&] {
            job.SetCellText("**タイトル", gyomu.m_name + reporttext::kShubetsuListAfter);
            job.SetCellText("**工種名", koshu.m_name);
        },
        [&](int i, int dx, int dy) {
            const CBukakeShubetsu& shubetsu = *koshu.GetShubetsu(i);
            WriteNumberAndName(job, i, dx, dy, shubetsu.m_name);
            if (!IsUnset(shubetsu.m_coefficient))
                job.SetCellDoubleAt("**精度管理係数", dx, dy, shubetsu.m_coefficient / 100.0);
        });
}

int WriteHenkaritsuList(CReportJob& job, const std::string& templatePath, const CHenkaritsuGyomu& group) {
    if (!job.OpenTemplate(templatePath)) return -1;
    return WriteBlocks(
        job, kSheetHenkaritsu, group.GetSize(),
        [&] { job.SetCellText("**タイトル", group.m_name + reporttext::kHenkaritsuListAfter); },
        [&](int i, int dx, int dy) { WriteNumberAndName(job, i, dx, dy, group.GetRecord(i)->m_name); });
}

int WriteTankaList(CReportJob& job, const std::string& templatePath, const CTankaFile& tanka) {
    if (!job.OpenTemplate(templatePath)) return -1;
    constexpr int kPrices = CTankaRow::kPriceColumns;
    return WritePages(
        job, kSheetTanka, tanka.GetCount(), kTankaRows, 1,
        [&] {
            for (int p = 0; p < kPrices; ++p) job.SetCellText(Numbered("**年度", p + 1), tanka.m_columnTitles[p]);
        },
        [&](int i, int, int dy) {
            const CTankaRow& trade = *tanka.GetRow(i);
            job.SetCellTextAt("**職種名称", 0, dy, trade.m_name);
            job.SetCellTextAt("**単位", 0, dy, trade.m_unit);
            for (int p = 0; p < kPrices; ++p)
                if (!IsUnset(trade.m_prices[p])) job.SetCellLongAt(Numbered("**単価", p + 1), 0, dy, trade.m_prices[p]);
            job.SetCellTextAt("**備考", 0, dy, trade.m_remarks);
        });
}

}  // namespace masterlist
