// Times CSekisanData::Recalculate(0), as the view runs it after an edit, on generated estimates of
// 測量, 設計, 物件調査 and 土質調査 rows priced from masters shaped like the shipped ones: 歩掛 formulas
// over a rate table and a rate formula, three workers on five lines, and the 業務's sum rows.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "estimate/CalcMasters.h"
#include "estimate/SekisanData.h"

namespace {

constexpr int kGyomu[] = {1, 2, 3, 4};
constexpr int kKoshuPerGyomu = 5;
constexpr int kShubetsuPerKoshu = 19;
const char* const kUnits[] = {"点", "式", "棟", "m"};

class BenchEnv : public CalcMasters {
public:
    BenchEnv() {
        for (int id = 1001; id <= 1003; ++id) {
            auto row = std::make_unique<CTankaRow>();
            row->m_id = id;
            row->m_kind = id == 1003 ? 1 : 0;
            row->m_prices[0] = 20'000 + 5'000 * (id - 1000);
            tanka.AddRow(std::move(row));
        }
        for (int g : {2, 3}) {
            auto record = std::make_unique<CShokeihiRecord>();
            record->m_code = g;
            record->m_rate = 3500;
            shokeihi.AddRecord(std::move(record));
        }
        for (size_t n = 0; n < std::size(kGyomu); ++n) AddGyomu(kGyomu[n], kUnits[n]);
        previous = SetCalcEnv(this);
    }
    ~BenchEnv() override { SetCalcEnv(previous); }

private:
    // A 業務 of the 歩掛 master with its rate group: H1 a table rate, H2 a formula over LL.
    void AddGyomu(int code, const char* unit) {
        auto group = std::make_unique<CHenkaritsuGyomu>();
        group->m_code = code;
        auto table = std::make_unique<CHenkaritsuRecord>();
        table->m_code = 1;
        table->m_name = "地形";
        table->m_columnTitles[0] = "平地";
        table->m_rowTitles[0] = "普通";
        table->m_standardColumn = table->m_standardRow = 1;
        table->SetCell(1, 1, 1050);
        group->AddRecord(std::move(table));
        auto formula = std::make_unique<CHenkaritsuRecord>();
        formula->m_code = 2;
        formula->m_name = "延長";
        formula->m_mode = 1;
        formula->m_formula = "0.5*LL+0.8";
        formula->m_formulaName = "延長";
        formula->m_unit = "km";
        formula->m_llDefault = 10000;
        group->AddRecord(std::move(formula));
        henkaritsu.AddGyomu(std::move(group));

        auto gyomu = std::make_unique<CBukakeGyomu>();
        gyomu->m_code = code;
        for (int k = 0; k < kKoshuPerGyomu; ++k) {
            auto koshu = std::make_unique<CBukakeKoshu>();
            koshu->m_code = 10 + k;
            for (int s = 1; s <= kShubetsuPerKoshu; ++s) {
                auto shubetsu = std::make_unique<CBukakeShubetsu>();
                shubetsu->m_code = s;
                shubetsu->m_coefficient = 10 + s % 3 * 5;
                shubetsu->m_conventional = s % 4 == 0 ? 1 : 0;
                CBukakeDetail& d = shubetsu->GetDetail();
                d.m_formula = "H1*H2";
                d.m_henkaritsu[0] = 1;
                d.m_henkaritsu[1] = 2;
                d.m_unit = unit;
                d.m_quantity = 100;
                d.m_shokushu = {1001, 1002, 1003, kUnset, kUnset, kUnset, kUnset, kUnset, kUnset, kUnset};
                d.m_rates = {300, 200, 500};
                for (int line = 0; line < 5; ++line) {
                    auto l = std::make_unique<CBukakeDetailLine>();
                    l->m_name = "工程" + std::to_string(line + 1);
                    l->m_columns[0] = 50 + 10 * line;
                    l->m_columns[1] = 100 + 5 * s;
                    l->m_columns[2] = 80;
                    d.AddLine(std::move(l));
                }
                koshu->AddShubetsu(std::move(shubetsu));
            }
            gyomu->AddKoshu(std::move(koshu));
        }
        bukake.AddGyomu(std::move(gyomu));
    }

    ICalcEnvironment* previous = nullptr;
};

std::unique_ptr<CSekisanItem> Node(int gyomu, int koshu, int shubetsu) {
    auto item = std::make_unique<CSekisanItem>();
    item->m_nGyomu = gyomu;
    item->m_nKoshu = koshu;
    item->m_nShubetsu = shubetsu;
    return item;
}

// About `rows` rows spread over the four 業務: 工種 rows with their 種別, then each 業務's sum rows,
// then the summary rows of the estimate.
void MakeEstimate(CSekisanItemList& list, int rows) {
    list.m_nTankaColumn = 0;
    const int perGyomu = rows / static_cast<int>(std::size(kGyomu));
    constexpr int kSumRows[] = {90, 91, 92, 93, 94, 915, 916, 95};
    for (int g : kGyomu) {
        const int start = list.GetCount();
        list.AddItem(Node(g, kUnset, kUnset));
        int koshu = 0, shubetsu = kShubetsuPerKoshu;
        while (list.GetCount() - start < perGyomu - static_cast<int>(std::size(kSumRows))) {
            if (shubetsu == kShubetsuPerKoshu) {
                koshu = koshu % kKoshuPerGyomu + 10;
                list.AddItem(Node(g, koshu, kUnset));
                shubetsu = 0;
                continue;
            }
            auto item = Node(g, koshu, ++shubetsu);
            item->m_strNameUpper = "種別" + std::to_string(shubetsu);
            item->m_nQuantity = 1000 * (1 + shubetsu % 5);
            item->m_nRate = 10000;
            for (int line = 0; line < 5; ++line) item->m_bKotei[static_cast<size_t>(line)] = 1;
            item->m_nLL[1] = 10000 + 2500 * (shubetsu % 4);
            list.AddItem(std::move(item));
        }
        for (int code : kSumRows) {
            auto item = Node(g, code, kUnset);
            if (code == 95) item->m_nRounding = 3;
            list.AddItem(std::move(item));
        }
    }
    list.AddItem(Node(95, kUnset, kUnset));
    auto tax = Node(98, kUnset, kUnset);
    tax->m_nRate = 1000;
    list.AddItem(std::move(tax));
    list.AddItem(Node(99, kUnset, kUnset));
}

void BM_Recalculate(benchmark::State& state) {
    BenchEnv env;
    CSekisanData data;
    MakeEstimate(*data.GetItemList(), static_cast<int>(state.range(0)));
    data.Recalculate(0);  // the first run fills the items' rate cells and LL defaults
    for (auto _ : state) benchmark::DoNotOptimize(data.Recalculate(0));
    state.counters["rows"] = data.GetItemList()->GetCount();
    state.SetComplexityN(data.GetItemList()->GetCount());
}

}  // namespace

BENCHMARK(BM_Recalculate)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Complexity();
