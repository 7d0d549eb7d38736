// Benchmarks of the equilibrium solvers: EQFIND from a cold start with 150 lines and every
// load on (wind, current, seas and a swell with drift and drag, a user force), the 180-bracket
// heading scan of PNTEQB on the same environment, and EQFND3 re-solving its own solution (the
// start evaluation and one Newton iteration: seven six-degree-of-freedom mooring evaluations and
// the 6 x 6 inverse); with the mooring force and the environment alone, for their shares. The
// hull is a stand-in whose RAOs cost next to nothing; the lines are linear tables.
#include "blocks/equilb.h"
#include "blocks/himem.h"
#include "blocks/lincom.h"
#include "blocks/local2.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "datafile/new_file_defaults.h"
#include "environment/net_environment.h"
#include "equilibrium/plane_equilibrium.h"
#include "equilibrium/single_point_equilibrium.h"
#include "equilibrium/six_dof_equilibrium.h"
#include "hulls/hull_models.h"
#include "lines/mooring_force.h"
#include "motions/response_indices.h"
#include "motions/wave_setup.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/wave_numbers.h"

#include "environment_fixture.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <complex>
#include <sstream>

namespace lintar {
namespace {

using bench::Environment;

// 150 lines of one linear type (H = 10 (d - 900), 1000 at rest), anchors 1000 out at azimuths
// 2.4 degrees apart, fairleads 20 from the centre along the azimuths at the moment centre's
// height; three layer rows alike.
void moor_150() {
    TpcmBlock& T = TPCM;
    T.NUMTAB = 12;
    T.NLAYER = 3;
    T.ZSPAN = 20.0f;
    LINCOM.MIDLYR = 2;
    LINCOM.DLAYER = 10.0f;
    for (int k = 1; k <= 12; ++k)
        LINCOM.HLOD(k) = 200.0f * static_cast<float>(k - 1);
    for (int L = 1; L <= 3; ++L) {
        LINCOM.ZDIST_ARR(L) = static_cast<float>(L);
        for (int k = 1; k <= 12; ++k)
            LINCOM.ANCDST(k, L, 1) = 900.0f + LINCOM.HLOD(k) / 10.0f;
    }
    T.NLIN = 150;
    T.XSALM = 0.0f;
    T.ANCHGT(1) = 300.0f;
    for (int i = 1; i <= 150; ++i) {
        const float a = 2.4f * static_cast<float>(i - 1);
        T.ANGDEP(i) = a;
        T.RFLD(1, i) = 20.0f * std::cos(a / 57.295776f);
        T.RFLD(2, i) = 20.0f * std::sin(a / 57.295776f);
        T.RFLD(3, i) = T.VKG;
        LINCOM.RANC(i) = 1000.0f;
        LINCOM.LINEID(i) = 1;
    }
    LOCAL2.MINLN = 1;
    LOCAL2.MAXLN = 150;
    T.VESAN0 = 0.0f;
    T.SHORTY = 1000.0f;
    T.BTOUCH = 0;
    T.LSPM = 0;
    T.NEWEQL = 0;
    T.AWP = 5000.0f;
    T.VKMT = T.VKG + 5.0f;
    T.VKML = T.VKG + 100.0f;
    T.DISPL = 20000.0f;
    T.RMCTRG(1) = 0.0f;
    T.YMCTR() = 0.0f;
    T.ZMCTR() = T.VKG;
}

void BM_EqfindColdStart(benchmark::State& state) {
    Environment environment;
    moor_150();
    for (auto _ : state)
        benchmark::DoNotOptimize(EQFIND(true, 220.0f, false));
}
BENCHMARK(BM_EqfindColdStart)->Unit(benchmark::kMillisecond);

// The mooring force of the 150 lines at an offset (four per Newton iteration of EQFIND).
void BM_Fmoor150(benchmark::State& state) {
    Environment environment;
    moor_150();
    EQUILB.RVES(1) = 3.0f;
    for (auto _ : state)
        benchmark::DoNotOptimize(plane_mooring(false));
}
BENCHMARK(BM_Fmoor150)->Unit(benchmark::kMicrosecond);

// The environment at a heading as EQFIND takes it (two per Newton iteration).
void BM_PlaneEnvironment(benchmark::State& state) {
    Environment environment;
    moor_150();
    for (auto _ : state)
        benchmark::DoNotOptimize(plane_environment(true, 0.3f, true));
}
BENCHMARK(BM_PlaneEnvironment)->Unit(benchmark::kMicrosecond);

void BM_HeadingScan(benchmark::State& state) {
    Environment environment;
    moor_150();
    float heading = 0.0f;
    for (auto _ : state) {
        PNTEQB(heading, equilb_catalogue(), screen_unit, 0);
        benchmark::DoNotOptimize(heading);
    }
}
BENCHMARK(BM_HeadingScan)->Unit(benchmark::kMillisecond);

// EQFND3 from its own solution: the start evaluation and one iteration.
void BM_Eqfnd3OneIteration(benchmark::State& state) {
    Environment environment;
    moor_150();
    TPCM.SIMTYP = 17;
    std::array<float, 6> XVEC{};
    const std::array<float, 6> zero{};
    float P = 0.0f, R = 0.0f, Y = 0.0f;
    (void)EQFND3(false, zero, zero, false, XVEC, P, R, Y, false, false);
    const std::array<float, 6> start = XVEC;
    for (auto _ : state)
        benchmark::DoNotOptimize(EQFND3(false, start, zero, true, XVEC, P, R, Y, false, false));
}
BENCHMARK(BM_Eqfnd3OneIteration)->Unit(benchmark::kMicrosecond);

// One six-degree-of-freedom mooring force of the 150 lines.
void BM_Fmoor2_150(benchmark::State& state) {
    Environment environment;
    moor_150();
    SixDofState s;
    s.RVES1 = 3.0f;
    const Perturbation plain;
    ForceCentres centres;
    centres.ZMCTR = centres.ROTCTZ = TPCM.VKG;
    SpanWarning warn;
    const LineTables tables = lincom_tables();
    const MooringLines lines = lincom_mooring_lines(1, 150);
    for (auto _ : state)
        benchmark::DoNotOptimize(FMOOR2(s, plain, centres, tables, lines, TPCM.DRAFT, warn));
}
BENCHMARK(BM_Fmoor2_150)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lintar
