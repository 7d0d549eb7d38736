// Benchmarks of the table-based mooring force and the stiffness: one FMOOR2 evaluation of 150
// lines over 29 layer rows, and one stiffness point (both matrices, 25 evaluations) in single
// precision (STIFFY) and double precision (STFDP2), the latter on tables widened once per table
// build and, for comparison, widened again at every point as the double-precision stiffness
// did when it converted its inputs at every call.
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/mooring_force.h"
#include "lines/mooring_stiffness.h"
#include "lines/stress_strain.h"
#include "runtime/program_state.h"
#include "support/spread_mooring_tables.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace lintar {
namespace {

// The chain line on a flat seabed (elastic catenary).
constexpr testing::Chain chain{0.1, 2.0e5, 3000.0};

// 150 lines of one type evenly round a 200 ft circle, tables of 29 rows 1 ft apart.
void build_mooring() {
    reset_program_state();
    TPCM.EDUNIT = 6;
    TPCM.NUMTAB = 90;
    TPCM.NLAYER = 29;
    TPCM.ZSPAN = 28.0f;
    TPCM.NLIN = 150;
    TPCM.ANCHGT(1) = 300.0f;
    LINCOM.MIDLYR = 15;
    LINCOM.DLAYER = 1.0f;
    for (int k = 1; k <= 90; ++k)
        LINCOM.HLOD(k) = static_cast<float>(1000.0 * std::pow((k - 1) / 89.0, 2));
    for (int L = 1; L <= 29; ++L) {
        LINCOM.ZDIST_ARR(L) = static_cast<float>(L);
        for (int k = 1; k <= 90; ++k) {
            const testing::CatenaryState p =
                testing::elastic_catenary(chain, LINCOM.HLOD(k), 300.0 + (L - 15));
            LINCOM.ANCDST(k, L, 1) = static_cast<float>(p.X);
            LINCOM.TOPTEN(k, L, 1) = static_cast<float>(p.T);
            LINCOM.TOPANG(k, L, 1) = static_cast<float>(p.angle);
            LINCOM.BOTLEN(k, L, 1) = static_cast<float>(p.grounded);
        }
    }
    splie2(LINCOM.HLOD_words, LINCOM.ZDIST_ARR_words, LINCOM.TOPTEN_from(1, 1, 1), 90, 29,
           LINCOM.TT_SPLINE_DERIV_from(1, 1, 1));
    const double X0 = testing::elastic_catenary(chain, 100.0, 300.0).X;
    for (int i = 1; i <= 150; ++i) {
        const double a = 2.0 * std::numbers::pi * (i - 1) / 150.0;
        TPCM.RFLD(1, i) = static_cast<float>(200.0 * std::cos(a));
        TPCM.RFLD(2, i) = static_cast<float>(200.0 * std::sin(a));
        TPCM.ANGDEP(i) = static_cast<float>(a * 180.0 / std::numbers::pi);
        LINCOM.LINEID(i) = 1;
        LINCOM.RANC(i) = static_cast<float>(X0);
    }
    widen_line_tables();
}

StiffnessPoint offset_point() {
    StiffnessPoint point;
    point.RVESP1 = 12.0f;
    point.RVESP2 = -5.0f;
    point.ZVESP = 0.5f;
    point.ROTDIR = {0.0f, 0.6f, 0.8f};
    point.ROTVAL = 0.3f;
    return point;
}

StiffnessRequest both_matrices() {
    StiffnessRequest request;
    request.NSTIFG = request.NSTIFV = request.GSTSYM = request.VSTSYM = 1;
    request.MINLN = 1;
    request.MAXLN = 150;
    return request;
}

void BM_FMOOR2_150Lines(benchmark::State& st) {
    build_mooring();
    const LineTables tables = lincom_tables();
    const MooringLines lines = lincom_mooring_lines(1, 150);
    SixDofState state;
    state.RVES1 = 12.0f;
    state.ZVES = 0.5f;
    state.ROTDIR = {0.0f, 0.6f, 0.8f};
    state.ROTVAL_DEG = 0.3f;
    for (auto _ : st) {
        SpanWarning warn;
        benchmark::DoNotOptimize(
            FMOOR2(state, Perturbation{}, ForceCentres{}, tables, lines, 0.0f, warn));
    }
}
BENCHMARK(BM_FMOOR2_150Lines);

void BM_STIFFY_Point(benchmark::State& st) {
    build_mooring();
    std::vector<float> G(150), V(150);
    Matrix66 g{}, v{};
    for (auto _ : st) {
        STIFFY(G, V, g, v, offset_point(), both_matrices());
        benchmark::DoNotOptimize(g);
    }
}
BENCHMARK(BM_STIFFY_Point);

void BM_STFDP2_Point(benchmark::State& st) {
    build_mooring();
    std::vector<float> G(150), V(150);
    Matrix66 g{}, v{};
    for (auto _ : st) {
        STFDP2(G, V, g, v, offset_point(), both_matrices());
        benchmark::DoNotOptimize(g);
    }
}
BENCHMARK(BM_STFDP2_Point);

// The same point with the three tables widened again first, as at every call before.
void BM_STFDP2_PointWideningEveryCall(benchmark::State& st) {
    build_mooring();
    std::vector<float> G(150), V(150);
    Matrix66 g{}, v{};
    for (auto _ : st) {
        widen_line_tables();
        STFDP2(G, V, g, v, offset_point(), both_matrices());
        benchmark::DoNotOptimize(g);
    }
}
BENCHMARK(BM_STFDP2_PointWideningEveryCall);

} // namespace
} // namespace lintar
