#include <benchmark/benchmark.h>

#include <string>

#include "formix/Formix.h"

namespace {

// A 300-character formula in the style of the longer 歩掛 entries after substitution.
std::string LongFormula() {
    std::string text =
        "RD3((1.25*0.85+0.15)*FL2(1.1*1.05)+SQRT(2.5*2.5+1.2*1.2)/LG(150)-(0.35+0.15)*(1.2-0.8)"
        "+FL3(12.5/3.2)*0.95+RD2(1.234*0.875)+(2.5+1.5)*(3.25-1.75)/2+FL4(0.125*0.8*1.15)"
        "+LN(2.5)*0.3+(1.05*1.1*0.95-0.25)*1.08+RD4(0.3333*0.6667)+FL1(12.75*1.3)/10+(0.5+0.25";
    while (text.size() < 299) {
        text += "+0";
    }
    return text + ")";
}

void RunExecute(benchmark::State& state, const std::string& formula) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(Execute(formula.c_str()));
    }
    state.SetLabel(std::to_string(formula.size()) + " chars");
}

void RunCheckWord(benchmark::State& state, const std::string& formula) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(CheckWord(formula.c_str()));
    }
}

}  // namespace

// 'FL2(H1*1.5)' once H1 has been replaced by a rate.
BENCHMARK_CAPTURE(RunExecute, Floor2Rate, std::string("FL2(1.125*1.5)"));
BENCHMARK_CAPTURE(RunExecute, Arithmetic, std::string("0.5*2.5+0.2"));
BENCHMARK_CAPTURE(RunExecute, Round3Product, std::string("RD3(1.2*0.85*1.1)"));
BENCHMARK_CAPTURE(RunExecute, PlainNumber, std::string("1.250"));
BENCHMARK_CAPTURE(RunExecute, Long300, LongFormula());
BENCHMARK_CAPTURE(RunCheckWord, Floor2Rate, std::string("FL2(H1*1.5)"));
BENCHMARK_CAPTURE(RunCheckWord, Long300, LongFormula());
