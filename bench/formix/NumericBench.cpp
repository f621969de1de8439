// Times the factorizations of the numeric classes on n × n matrices of pseudo-random numbers.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "formix/MatrixDecomp.h"

namespace {

using namespace formix;

CMatrix RandomMatrix(int n) {
    CMatrix m(n, n);
    uint64_t state = 12345;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            state = state * 6364136223846793005ULL + 1442695040888963407ULL;
            m(i, j) = static_cast<double>(state >> 11) / static_cast<double>(1ULL << 53);
        }
        m(i, i) += n;  // keeps the matrix well conditioned and positive definite once symmetrized
    }
    return m;
}

void BM_LUSolve(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const CMatrix a = RandomMatrix(n);
    const CVektor b = OnesVektor(n);
    for (auto _ : state) {
        CMatrix work = Copy(a);
        CVektor x;
        benchmark::DoNotOptimize(Solve(work, b, x, false));
    }
}

void BM_QRSplit(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const CMatrix a = RandomMatrix(n);
    for (auto _ : state) {
        CMatrix work = Copy(a);
        CMatrix q(n, n), r(n, n);
        benchmark::DoNotOptimize(QRSplit(work, &q, &r));
    }
}

void BM_Cholesky(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const CMatrix a = RandomMatrix(n);
    const CMatrix spd = a * Transpose(a);
    for (auto _ : state) {
        CMatrix work = Copy(spd);
        benchmark::DoNotOptimize(Cholesky(work, false));
    }
}

void BM_SingularValues(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const CMatrix a = RandomMatrix(n);
    for (auto _ : state) {
        CMatrix work = Copy(a);
        CVektor sv;
        benchmark::DoNotOptimize(SingularValues(work, sv, 1e-12));
    }
}

BENCHMARK(BM_LUSolve)->Arg(10)->Arg(100);
BENCHMARK(BM_QRSplit)->Arg(10)->Arg(100);
BENCHMARK(BM_Cholesky)->Arg(10)->Arg(100);
BENCHMARK(BM_SingularValues)->Arg(10)->Arg(100);

}  // namespace
