// Benchmarks of the ship-hull model: the box forces and RAOs of one heading over a 100-period
// grid (what the RAO driver asks of the model per heading), and the whole RAO driver with the
// ship model over 37 sea headings of a random sea on that grid.
#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "datafile/new_file_defaults.h"
#include "hulls/ship_hull.h"
#include "motions/rao_driver.h"
#include "motions/wave_setup.h"
#include "runtime/program_state.h"
#include "runtime/units.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

using namespace lintar;

// A box ship of 100 x 20 x 5 ft (640 kips) in 1000 ft of water, periods 3 to 22.8 s by 0.2 s,
// a random sea of Hs 10 ft from 37 headings 0 to 180 degrees, 5 apart, no reports; set up by VESL1.
void set_up_ship_run() {
    reset_program_state();
    new_file_defaults(8, tpcm_word_count);
    TpcmBlock& P = TPCM;
    P.SIMTYP = 8;
    P.EDUNIT = screen_unit;
    P.NWP = 100;
    for (int k = 1; k <= 100; ++k)
        P.T(k) = 3.0f + 0.2f * static_cast<float>(k - 1);
    P.NUNTS = 0;
    P.DEPTH = 1000.0f;
    P.DWATR = 64.0f;
    P.DISPL = 640.0f;
    P.DRAFT = 5.0f;
    P.LWL = 100.0f;
    P.BWL = 20.0f;
    P.AWP = 2000.0f;
    P.VKMT = 9.166667f;
    P.VKML = 169.16667f;
    P.VKG = 2.5f;
    P.TVKB = 2.5f;
    P.PGYR = 25.0f;
    P.RGYR = 7.0f;
    P.YGYR = 26.0f;
    P.SLPHT = 10.0f;
    P.VESTYP = 1;
    P.SEMI_LIKE = 0;
    P.ISPM = 0;
    P.IUNIT = 1;
    P.NEGSUM = 1;
    P.NBUG0 = 0;
    P.hideOrmanelReports = 1;
    P.LSWELL = P.LCURNT = P.LWIND = 0;
    P.LRANDM = 1;
    P.WAVTYP = 1;
    P.SWHT(1) = 10.0f;
    P.SIGPD(1) = 10.0f;
    P.NSEAHT = 1;
    P.NSEAHG = 37;
    for (int i = 1; i <= 37; ++i)
        P.SEAHDG(i) = 5.0f * static_cast<float>(i - 1);
    P.LSPRED = 0;
    P.NDIR = 0;
    for (int d = 1; d <= 6; ++d)
        P.MOTION(d) = 1;
    VESL1();
}

void BM_ShipForcesAndRaosOneHeading(benchmark::State& state) {
    set_up_ship_run();
    WAVCOM.IRAO = 1;
    for (auto _ : state) {
        std::int32_t NPASS2 = 5;
        SHPFRC(NPASS2);
        SHPRAO();
        benchmark::DoNotOptimize(HIMEM.RLDUM(HIMEM.LCNHV));
    }
    reset_program_state();
}
BENCHMARK(BM_ShipForcesAndRaosOneHeading)->Unit(benchmark::kMicrosecond);

void BM_RaoDriverShip37Headings(benchmark::State& state) {
    set_up_ship_run();
    for (auto _ : state) {
        VESL2();
        benchmark::DoNotOptimize(HIMEM.RLDUM(HIMEM.LCNMOT));
    }
    state.counters["headings"] = static_cast<double>(WAVCOM.NRAO);
    reset_program_state();
}
BENCHMARK(BM_RaoDriverShip37Headings)->Unit(benchmark::kMillisecond);

} // namespace
