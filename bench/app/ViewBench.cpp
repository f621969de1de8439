// Times the estimate view's grid: the first fill of a new view, a refill of a filled one, and the
// refresh after an edit (the recalculation of the whole estimate, then the refill), on generated
// estimates of 1,000 and 5,000 rows priced from masters built here.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "app/VemoWinView.h"
#include "estimate/SekisanData.h"
#include "platform/Host.h"

namespace {

constexpr int kGyomu[] = {1, 2, 3, 4};
constexpr int kKoshuPerGyomu = 5;
constexpr int kShubetsuPerKoshu = 19;

// The masters of the store: two workers in the 単価 master, and per 業務 five 工種 of 19 種別, each
// priced as one line of the two workers, some of the conventional method.
void FillMasters(CMasterDataStore& store) {
    CTankaFile& tanka = store.GetTankaFile();
    for (int id : {1001, 1002}) {
        auto row = std::make_unique<CTankaRow>();
        row->m_id = id;
        row->m_name = "技師" + std::to_string(id);
        row->m_prices[0] = id == 1001 ? 30'000 : 25'000;
        tanka.AddRow(std::move(row));
    }
    CBukakeFile& bukake = store.GetBukakeFile();
    for (int code : kGyomu) {
        auto gyomu = std::make_unique<CBukakeGyomu>();
        gyomu->m_code = code;
        for (int k = 0; k < kKoshuPerGyomu; ++k) {
            auto koshu = std::make_unique<CBukakeKoshu>();
            koshu->m_code = 10 + k;
            koshu->m_splitFlag = k % 2;
            for (int s = 1; s <= kShubetsuPerKoshu; ++s) {
                auto shubetsu = std::make_unique<CBukakeShubetsu>();
                shubetsu->m_code = s;
                shubetsu->m_coefficient = 10;
                shubetsu->m_conventional = s % 4 == 0 ? 1 : 0;
                CBukakeDetail& detail = shubetsu->GetDetail();
                detail.m_unit = s % 2 ? "式" : "m";
                detail.m_shokushu[0] = 1001;
                detail.m_shokushu[1] = 1002;
                auto line = std::make_unique<CBukakeDetailLine>();
                line->m_name = "作業";
                line->m_columns[0] = 100;
                line->m_columns[1] = 50;
                detail.AddLine(std::move(line));
                koshu->AddShubetsu(std::move(shubetsu));
            }
            gyomu->AddKoshu(std::move(koshu));
        }
        bukake.AddGyomu(std::move(gyomu));
    }
}

std::unique_ptr<CSekisanItem> Node(int gyomu, int koshu, int shubetsu, const std::string& name) {
    auto item = std::make_unique<CSekisanItem>();
    item->m_nGyomu = gyomu;
    item->m_nKoshu = koshu;
    item->m_nShubetsu = shubetsu;
    item->m_strNameUpper = name;
    return item;
}

// About `rows` rows over the four 業務: each 業務 row, its 工種 rows with their 種別 rows and its
// total; then the estimate's subtotal, tax and total.
void MakeEstimate(CSekisanItemList& list, int rows) {
    list.m_strKenmei = "ベンチマーク";
    list.m_nTankaColumn = 0;
    const int perGyomu = (rows - 3) / static_cast<int>(std::size(kGyomu));
    for (int g : kGyomu) {
        const int start = list.GetCount();
        list.AddItem(Node(g, kUnset, kUnset, "業務" + std::to_string(g)));
        int koshu = 0, shubetsu = kShubetsuPerKoshu;
        while (list.GetCount() - start < perGyomu - 1) {
            if (shubetsu == kShubetsuPerKoshu) {
                koshu = koshu % kKoshuPerGyomu + 10;
                list.AddItem(Node(g, koshu, kUnset, "工種" + std::to_string(koshu)));
                shubetsu = 0;
                continue;
            }
            ++shubetsu;
            auto item = Node(g, koshu, shubetsu, "種別" + std::to_string(shubetsu));
            item->m_strNameLower = "第" + std::to_string(list.GetCount()) + "行";
            item->m_nQuantity = 1000 * (1 + shubetsu % 5);
            item->m_bKotei[0] = 1;
            list.AddItem(std::move(item));
        }
        list.AddItem(Node(g, 95, kUnset, "業務価格"));
    }
    list.AddItem(Node(95, kUnset, kUnset, "小計"));
    auto tax = Node(98, kUnset, kUnset, "消費税相当額");
    tax->m_nRate = 1000;
    list.AddItem(std::move(tax));
    list.AddItem(Node(99, kUnset, kUnset, "合計"));
}

// An application that has not started, with the masters in its store, and one estimate view of
// the given size shown on the offscreen platform.
struct Fixture {
    QTemporaryDir folder;
    std::unique_ptr<CVemoWinApp> app;
    IHost* appHost = nullptr;

    Fixture() {
        app = std::make_unique<CVemoWinApp>(QStringList{}, folder.path().toStdString());
        appHost = SetHost(nullptr);  // no message box may stop the clock
        FillMasters(app->Store());
    }
    ~Fixture() { SetHost(appHost); }

    std::unique_ptr<CVemoWinView> NewView(int rows) {
        auto doc = std::make_unique<CVemoWinDoc>();
        doc->SetCalcContext(std::make_unique<CEstimateCalcContext>(app->SharedMasters(), app->Settings(),
                                                                   CZairyoTankaFile()));
        MakeEstimate(*doc->GetItemList(), rows);
        auto view = std::make_unique<CVemoWinView>(*app, std::move(doc));
        view->resize(1280, 800);
        view->show();
        view->Recalculate(0);
        return view;
    }
};

void BM_FillNewView(benchmark::State& state) {
    Fixture fixture;
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto view = fixture.NewView(static_cast<int>(state.range(0)));
        rows = view->GetItemList()->GetCount();
        state.ResumeTiming();
        view->LayoutGrid();
        view->RefreshHeader();
        state.PauseTiming();
        view.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    state.SetComplexityN(rows);
}

void BM_Refill(benchmark::State& state) {
    Fixture fixture;
    auto view = fixture.NewView(static_cast<int>(state.range(0)));
    view->RefillGrid();
    for (auto _ : state) view->RefillGrid();
    state.counters["rows"] = view->GetItemList()->GetCount();
    state.SetComplexityN(view->GetItemList()->GetCount());
}

void BM_RecalculateAndRefill(benchmark::State& state) {
    Fixture fixture;
    auto view = fixture.NewView(static_cast<int>(state.range(0)));
    view->RefillGrid();
    CSekisanItem* edited = view->GetItemAt(2);
    int quantity = 1000;
    for (auto _ : state) {
        edited->m_nQuantity = quantity = quantity == 1000 ? 2000 : 1000;
        view->Recalculate(0);
        view->RefillGrid();
    }
    state.counters["rows"] = view->GetItemList()->GetCount();
    state.SetComplexityN(view->GetItemList()->GetCount());
}

}  // namespace

BENCHMARK(BM_FillNewView)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_Refill)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_RecalculateAndRefill)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
