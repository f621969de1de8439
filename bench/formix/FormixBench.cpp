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

// first, then terms - 1 times next: "1" and "+1" make 1+1+...+1.
std::string Chain(const std::string& first, const std::string& next, int terms) {
    std::string chain = first;
    for (int i = 1; i < terms; ++i) {
        chain += next;
    }
    return chain;
}

// Operators whose tests ask a child both questions, alternating for 6,000 levels.
std::string Alternating() {
    std::string text(6000, '(');
    text += "X";
    for (int i = 0; i < 3000; ++i) {
        text += ")+SIN(X))*SIN(X)";
    }
    return text;
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
// Hostile and very long input: each must stay well under a second (the formula tests check the
// values these give).
BENCHMARK_CAPTURE(RunExecute, Opens100k, std::string(100000, '('))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunExecute, Nested100k, std::string(100000, '(') + "1" + std::string(100000, ')'))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunExecute, Sum200k, Chain("1", "+1", 200000))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunExecute, Product200k, Chain("1", "*1", 200000))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunExecute, Calls30k, Chain("SQRT(", "SQRT(", 30000) + "1" + std::string(30000, ')'))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunExecute, LeadingTabs200k, std::string(200000, '\t') + Chain("1", "+1", 1001))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunExecute, LeadingDigits200k, std::string(200000, '7') + Chain("", "+7", 1001))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunExecute, Alternating6k, Alternating())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunExecute, Quotients300, Chain("3", "/2", 300));
BENCHMARK_CAPTURE(RunExecute, Doublings1000, Chain("1", "*2", 1000));
BENCHMARK_CAPTURE(RunCheckWord, Sum200k, Chain("1", "+1", 200000))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunCheckWord, Floor2Rate, std::string("FL2(H1*1.5)"));
BENCHMARK_CAPTURE(RunCheckWord, Long300, LongFormula());
