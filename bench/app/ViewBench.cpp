// Times the estimate view's grid: the first fill of a new view, a refill of a filled one, a refill
// after one row changed, and the refresh after an edit (the recalculation of the whole estimate,
// then the refill) beside the recalculation alone, on generated estimates of 100 to 5,000 rows
// priced from masters built here.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardPaths>

#include "ViewFixture.h"
#include "app/VemoWinView.h"

using viewbench::Fixture;

namespace {

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

void CountRows(benchmark::State& state, CVemoWinView& view) {
    state.counters["rows"] = view.GetItemList()->GetCount();
    state.SetComplexityN(view.GetItemList()->GetCount());
}

void BM_Refill(benchmark::State& state) {
    Fixture fixture;
    auto view = fixture.NewView(static_cast<int>(state.range(0)));
    view->RefillGrid();
    for (auto _ : state) view->RefillGrid();
    CountRows(state, *view);
}

// Each pass changes one row's quantity (1000 and 2000 by turns), then runs step over the view, filled
// first when filled says so.
template <class Step>
void EachPassOneRowChanged(benchmark::State& state, bool filled, Step step) {
    Fixture fixture;
    auto view = fixture.NewView(static_cast<int>(state.range(0)));
    if (filled) view->RefillGrid();
    CSekisanItem* edited = view->GetItemAt(2);
    int quantity = 1000;
    for (auto _ : state) {
        edited->m_nQuantity = quantity = quantity == 1000 ? 2000 : 1000;
        step(*view);
    }
    CountRows(state, *view);
}

// A refill after one row's quantity changed, with nothing recalculated: only that row differs.
void BM_RefillOneRowChanged(benchmark::State& state) {
    EachPassOneRowChanged(state, true, [](CVemoWinView& view) { view.RefillGrid(); });
}

// The recalculation of the same estimates alone, as the edit below runs it.
void BM_Recalculate(benchmark::State& state) {
    EachPassOneRowChanged(state, false, [](CVemoWinView& view) { benchmark::DoNotOptimize(view.Recalculate(0)); });
}

void BM_RecalculateAndRefill(benchmark::State& state) {
    EachPassOneRowChanged(state, true, [](CVemoWinView& view) {
        view.Recalculate(0);
        view.RefillGrid();
    });
}

}  // namespace

BENCHMARK(BM_FillNewView)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_Refill)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_RefillOneRowChanged)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Recalculate)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
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
