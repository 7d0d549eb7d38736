// Benchmark of the buoy's wave cycle BUYDYN: the vessel-motion set-up and the ship model's
// forces, then 38 six-degree-of-freedom equilibria, for a buoy arrangement of eight lines
// (seven chain legs and the hawser, one chain-chain type, tables of 5 layer rows) on the box ship
// of the ship-hull tests (100 x 20 x 5 ft) in 300 ft of water under a regular wave of 2 ft from 30
// degrees; with and without its nine tables on the offset report. Runs in a temporary folder; the
// console is discarded.
#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "datafile/new_file_defaults.h"
#include "lines/line_tables.h"
#include "low_frequency/buoy_wave_cycle.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/ship_fixture.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace lintar {
namespace {

constexpr int lines = 8;

// The box ship on its grid and the eight lines, English units.
void buoy_mooring() {
    new_file_defaults(8, tpcm_word_count);
    TpcmBlock& P = TPCM;
    P.NTOGO = tpcm_word_count;
    P.SIMTYP = 8;
    P.EDUNIT = screen_unit;
    P.STAMOT = 0;
    P.IPLOTS = 0;
    P.LQUAS = 1;
    P.LRESET = 0;
    P.hideOrmanelReports = 1;
    P.NWP = 31;
    for (int k = 1; k <= 31; ++k)
        P.T(k) = static_cast<float>(2 + k);
    P.DEPTH = 300.0f;
    testing::fill_box_ship_hull();
    P.ISPM = 0;
    P.IYEAR = 2026;
    P.LRANDM = 0;
    P.NDIR = 1;
    P.WAVHDG(1) = 30.0f;
    P.SLPHT = 2.0f;
    P.LSLPHT = 0;

    P.NLAYER = 5;
    P.ZSPAN = 20.0f;
    P.NUMTAB = 90;
    P.TLOAD = 1000.0f;
    P.LODTYP = 2;
    P.BTFRC0 = 1.0f;
    P.ANCDEF = 1;
    P.ANCHT0 = 300.0f;
    P.MAXELM = 25;
    P.MAXLIN = 149;
    P.MAXTYP = 149;
    P.NTYP = 1;
    P.NLIN = lines;
    P.IARCO = 1;
    P.HAWSLN = lines;
    P.HAWSTP = 1;
    // 1000 ft of 3-inch chain, then 1500 ft of 3.5-inch chain to the anchor.
    P.NELEM(1) = 2;
    P.NLINE(1) = lines;
    P.ANCTYP(1) = 1;
    P.ANCHGT(1) = 300.0f;
    const float length[] = {1000.0f, 1500.0f};
    const float diameter[] = {3.0f, 3.5f};
    const float dry[] = {0.0900f, 0.1225f};
    const float wet[] = {0.0783f, 0.1066f};
    const float breaking[] = {1100.0f, 1450.0f};
    const float alpha[] = {1.0e-5f, 7.5e-6f};
    for (int e = 1; e <= 2; ++e) {
        P.SLEN(e, 1) = length[e - 1];
        P.DIAM(e, 1) = diameter[e - 1];
        P.DRYWT(e, 1) = dry[e - 1];
        P.WETWT(e, 1) = wet[e - 1];
        P.TBRK(e, 1) = breaking[e - 1];
        P.ALPHA(1, e, 1) = alpha[e - 1];
        P.COFMST(e, 1) = 1.0f;
        P.COFDMT(e, 1) = 1.0f;
    }
    for (int i = 1; i <= lines; ++i) {
        P.LINTYP(i, 1) = i;
        const float azimuth = 22.5f + 45.0f * static_cast<float>(i - 1);
        const float a = azimuth / 57.295776f;
        P.ANGDEP(i) = azimuth;
        P.RFLD(1, i) = 50.0f * std::cos(a);
        P.RFLD(2, i) = 10.0f * std::sin(a);
        P.RFLD(3, i) = 5.0f;
        P.HTENS(i) = 100.0f;
    }
}

// The benchmark's folder (its report file goes there) and discarded console.
struct BenchFolder {
    testing::ScratchFolder folder;
    testing::ScriptedConsole console{std::string(100000, '\n')};
};

// range(0) 1: BUYDYN with its tables on "OFFSETS.stxt"; 0: the cycle alone.
void BM_BuoyWaveCycle(benchmark::State& state) {
    BenchFolder folder;
    reset_program_state();
    buoy_mooring();
    MRSTAT();
    TPCM.IUNIT = 21; // the table stage leaves its own report unit
    const auto data = std::make_unique<TpcmBlock>(TPCM);
    const EquilbBlock start = EQUILB;
    const bool tables = state.range(0) == 1;
    open_unit(21, "OFFSETS.stxt", OpenStatus::replace, FileForm::formatted);
    // The case must be one whose equilibria all converge, or the timing means nothing.
    {
        const auto check = buoy_wave_cycle(-20.0f, 10.0f, 0.0f, 0.0f, 0.0f, 50.0f);
        if (check->records.ITFLWN != 0 || check->NOFF != buoy_cycle_phases) {
            state.SkipWithError("the equilibria of the cycle did not all converge");
            return;
        }
        state.counters["surge_range_ft"] = [&] {
            float lo = 1e30f, hi = -1e30f;
            for (int I = 1; I <= 36; ++I) {
                lo = std::min(lo, offset_value(check->T.EQLDAT, 3, I));
                hi = std::max(hi, offset_value(check->T.EQLDAT, 3, I));
            }
            return static_cast<double>(hi - lo);
        }();
    }
    for (auto _ : state) {
        TPCM = *data;
        EQUILB = start;
        if (tables) {
            BUYDYN(-20.0f, 10.0f, 0.0f, 0.0f, 0.0f, 50.0f);
        } else {
            const auto cycle = buoy_wave_cycle(-20.0f, 10.0f, 0.0f, 0.0f, 0.0f, 50.0f);
            benchmark::DoNotOptimize(cycle->T.MSTEXP);
        }
    }
    reset_program_state();
}
BENCHMARK(BM_BuoyWaveCycle)->ArgName("tables")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lintar
