// Times the estimate report with every sheet kind for a generated estimate of 1000 rows: the 種別 rows
// of the sample 区画整理 estimate repeated within their 工種, priced with the sample masters under the
// road calculation (DouroCalc 1), built over the shipped colour form with the 代価表 and the
// 代価明細表 — 業務価格総括表, 総括表/内訳書, 代価表, 代価歩掛明細表, change-rate sheets, 単価表 and the
// 業務地区条件設定表 — and saved as an .xlsx file.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "ScriptedHost.h"
#include "TempFolder.h"
#include "estimate/VemoWinDocData.h"
#include "estimate/sampledata/SampleEstimates.h"
#include "master/HyoshiData.h"
#include "platform/FileUtil.h"
#include "report/EstimateReport.h"
#include "report/ReportJob.h"

namespace {

constexpr int kRows = 1000;

struct GeneratedEstimate {
    GeneratedEstimate() {
        masters = LoadGeneratedSampleMasters(VEMO_SAMPLE_DATA_DIR);
        masters->settings.DouroCalc = 1;
        CVemoWinDocData sample;
        if (sample.LoadFile(vemo::JoinPath(vemo::JoinPath(VEMO_SAMPLE_DATA_DIR, kSampleEstimateFolder),
                                           "区画整理サンプル.sei")) != 1)
            return;
        const CSekisanItemList& rows = *sample.GetItemList();
        int shubetsu = 0;
        for (int i = 0; i < rows.GetCount(); ++i) shubetsu += rows.GetItem(i)->GetLevel() == 2;
        const int copies = (kRows - (rows.GetCount() - shubetsu)) / shubetsu;
        int extra = (kRows - (rows.GetCount() - shubetsu)) % shubetsu;  // to the first 種別 rows
        CSekisanItemList& list = *doc.GetItemList();
        list.CopyHeader(rows);
        for (int i = 0; i < rows.GetCount(); ++i) {
            const CSekisanItem& item = *rows.GetItem(i);
            const int n = item.GetLevel() != 2 ? 1 : copies + (extra > 0 ? 1 : 0);
            if (item.GetLevel() == 2 && extra > 0) --extra;
            for (int c = 0; c < n; ++c) {
                auto copy = std::make_unique<CSekisanItem>();
                copy->Copy(item);
                list.AddItem(std::move(copy));
            }
        }
        // Every 種別 row numbered from 1 on, as the 代価No. setting asks.
        for (int i = 0; i < list.GetCount(); ++i)
            if (list.GetItem(i)->GetLevel() == 2) {
                list.GetItem(i)->m_nDaikaNo = 1001;
                break;
            }
        ready = PriceSampleEstimate(doc, *masters).empty();
    }
    ScriptedHost host;
    TempFolder dir;
    std::unique_ptr<SampleEstimateMasters> masters;
    CVemoWinDocData doc;
    CHyoshiData cover;
    bool ready = false;
};

GeneratedEstimate& Estimate() {
    static GeneratedEstimate estimate;
    return estimate;
}

void BM_BreakdownReportWorkbook(benchmark::State& state) {
    GeneratedEstimate& e = Estimate();
    if (!e.ready) {
        state.SkipWithError("the sample estimate could not be generated and priced");
        return;
    }
    const std::string form = std::string(VEMO_PRINT_FORMS_DIR) + "/ｶﾗｰA4形式.xlsx";
    const std::string saved = e.dir / "report.xlsx";
    CPrintSettings settings;
    settings.printHyoshi = 1;
    settings.printDaika = 1;
    settings.printDaikaMeisai = 1;
    int pages = 0;
    for (auto _ : state) {
        CReportJob job;
        job.SetSettings(settings);
        CEstimateReport(job, *e.doc.GetItemList(), *e.masters, e.cover, 10, form).BuildReport();
        if (job.Engine().Save(saved) != XlsSaveError::none) state.SkipWithError("the workbook was not saved");
        pages = job.Engine().PageCount();
    }
    state.counters["rows"] = e.doc.GetItemList()->GetCount();
    state.counters["pages"] = pages;
}
BENCHMARK(BM_BreakdownReportWorkbook)->Unit(benchmark::kMillisecond);

}  // namespace
