// Benchmark of the semisubmersible model: the forces and RAOs of one heading with the drag
// iterated (the Newton iteration at every period) for a hull of 50 members over a 100-period
// grid.
#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/semi_hull.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "support/ship_fixture.h"
#include "util/wave_numbers.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

namespace {

using namespace lintar;

void add_member(float x0, float y0, float z0, float x1, float y1, float z1, float area, float d1,
                float d2, float len) {
    TpcmBlock& P = TPCM;
    const int i = ++P.NCYL;
    const float base[3] = {x0, y0, z0}, top[3] = {x1, y1, z1}, D[3] = {d1, d2, len};
    for (int k = 1; k <= 3; ++k) {
        P.RCYLB(k, i) = base[k - 1];
        P.RCYLT(k, i) = top[k - 1];
        P.DIAMS(k, i) = D[k - 1];
        P.CYLCD(k, i) = 1.0f;
    }
    P.CYLCM(1, i) = P.CYLCM(2, i) = 1.0f;
    P.XAREA(i) = area;
    P.MEMTYP(i) = 1;
    P.TOPTYP(i) = 4;
    P.BOTTYP(i) = 1;
}

// Four columns of radius 5 m at (+-20, +-20), draft 20 m, and two pontoons along x at y = +-20
// in 23 pieces each: 50 members. Metric, 3000 m of water, periods 3 to 22.8 s by 0.2 s, waves
// of 8 m from 30 degrees, drag iterated.
void set_up_semi_run() {
    reset_program_state();
    TpcmBlock& P = TPCM;
    WavcomBlock& W = WAVCOM;
    HimemBlock& H = HIMEM;
    P.NUNTS = 1;
    P.EDUNIT = screen_unit;
    P.SIMTYP = 3;
    P.VESTYP = 3;
    P.SEMI_LIKE = 1;
    P.DWATR = 1025.0f;
    P.DEPTH = 3000.0f;
    P.SLPHT = 8.0f;
    P.SQLFRC = 1;
    P.NOWARN = 1;
    const float area = 3.14159265f * 25.0f;
    for (const float x : {-20.0f, 20.0f})
        for (const float y : {-20.0f, 20.0f})
            add_member(x, y, 0, x, y, 30, area, 10, 10, 30);
    for (const float y : {-20.0f, 20.0f})
        for (int s = 0; s < 23; ++s) {
            const float x0 = -15.0f + 30.0f * static_cast<float>(s) / 23.0f;
            add_member(x0, y, 3, x0 + 30.0f / 23.0f, y, 3, 48.0f, 8, 6, 30.0f / 23.0f);
        }
    const float V = 4.0f * area * 20.0f + 2880.0f;
    const float KB = (4.0f * area * 20.0f * 10.0f + 2880.0f * 3.0f) / V;
    P.DRAFT = 20.0f;
    P.DISPL = V * 1.025f;
    P.AWP = 4.0f * area;
    P.TVKB = KB;
    P.VKMT = P.VKML = 4.0f * area * 406.25f / V + KB;
    P.VKG = 15.0f;
    P.LWL = P.BWL = 40.0f;
    P.RGYR = P.PGYR = 20.0f;
    P.YGYR = 22.0f;
    W.G = 9.8f;
    W.RHOWTR = 1.025f / 9.8f;
    W.IRAO = 1;
    H.WCONST = std::sqrt(P.DEPTH / W.G);
    H.REDANG(1) = 30.0f;
    testing::lay_out_grid_columns();
    P.NWP = 100;
    for (int k = 1; k <= 100; ++k) {
        P.T(k) = 3.0f + 0.2f * static_cast<float>(k - 1);
        const float w = 6.2831855f / P.T(k);
        H.RLDUM(H.LCNW + k - 1) = w;
        H.RLDUM(H.LCNW2 + k - 1) = w * w;
        H.RLDUM(H.LCNWK + k - 1) = wave_number(w, P.DEPTH, W.G);
    }
    SEMCHR();
    std::int32_t NPASS2 = 0;
    SEMFRC(NPASS2);
}

void BM_SemfrcDragIterated50Members100Periods(benchmark::State& state) {
    set_up_semi_run();
    for (auto _ : state) {
        std::int32_t NPASS2 = 5;
        SEMFRC(NPASS2);
        benchmark::DoNotOptimize(HIMEM.RLDUM_words[0]);
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_SemfrcDragIterated50Members100Periods)->Unit(benchmark::kMillisecond);

} // namespace
