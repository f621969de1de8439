// Times the workbook of the estimate report for a generated estimate of 1000 rows: the cover, the
// 業務価格総括表 and the 総括表/内訳書 built into a job from the ruled form of the report tests, and
// the .xlsx bytes of that workbook.
#include <benchmark/benchmark.h>

#include "CalcTestEnv.h"
#include "EstimateBuilders.h"
#include "EstimateFormTemplate.h"
#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "estimate/SekisanItemList.h"
#include "master/HyoshiData.h"
#include "report/EstimateReport.h"
#include "report/ReportJob.h"

namespace {

constexpr int kRows = 1000;

struct GeneratedEstimate {
    GeneratedEstimate() {
        WriteTestFile(form, estimateform::RuledForm());
        cover = masterbuild::SampleHyoshiData();
        env.tanka = masterbuild::SampleTankaFile();
        estimate_test::ItemListBuilder b(list);
        list.m_strKenmei = "生成した見積";
        for (int gyomu = 1; list.GetCount() < kRows - 6; ++gyomu) {
            masterbuild::AddGyomu(env.bukake, gyomu, "業務" + std::to_string(gyomu));
            b.Gyomu(gyomu, "業務" + std::to_string(gyomu));
            for (int koshu = 1; koshu <= 20 && list.GetCount() < kRows - 6; ++koshu) {
                b.Koshu(koshu, "工種" + std::to_string(koshu)).Amount(100000 * koshu);
                for (int shubetsu = 1; shubetsu <= 8; ++shubetsu)
                    b.Shubetsu(shubetsu, "種別" + std::to_string(shubetsu))
                        .Quantity(1500 * shubetsu)
                        .UnitPrice(123450)
                        .Amount(18517 * shubetsu)
                        .DaikaNo(shubetsu)
                        .Set([](CSekisanItem& i) {
                            i.m_strNameLower = "全工程,平地(10km)";
                            i.m_strUnit = "km";
                            i.m_strRemarkUpper = "精度管理費有";
                        });
            }
            b.Koshu(95, "小計").Amount(9999999);
        }
        b.Summary(95, "合計").Amount(99999999).Summary(98, "消費税相当額").Amount(9999999)
            .Summary(99, "業務委託料計").Amount(109999998);
    }
    ScriptedHost host;
    TempFolder dir;
    std::string form = dir / "form.xlsx";
    CalcTestEnv env;
    CHyoshiData cover;
    CSekisanItemList list;
};

GeneratedEstimate& Estimate() {
    static GeneratedEstimate estimate;
    return estimate;
}

void BM_EstimateReportWorkbook(benchmark::State& state) {
    GeneratedEstimate& e = Estimate();
    CPrintSettings settings;
    settings.printHyoshi = 1;
    int pages = 0;
    for (auto _ : state) {
        CReportJob job;
        job.SetSettings(settings);
        CEstimateReport(job, e.list, e.env, e.cover, 10, e.form).BuildReport();
        std::string bytes;
        if (!job.Engine().BuildXlsx(bytes)) state.SkipWithError("no workbook");
        pages = job.Engine().PageCount();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["rows"] = e.list.GetCount();
    state.counters["pages"] = pages;
}
BENCHMARK(BM_EstimateReportWorkbook)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
