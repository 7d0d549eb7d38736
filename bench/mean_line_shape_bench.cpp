// Benchmarks of the line dynamics at one vessel position: LINDRV (three shape solves per line
// and the node tables) over 150 catenary lines of three sublines, which the line damping maps
// run at every one of up to 9,537 map points; and QDAMP in surge over the same lines, which
// the net low-frequency damping runs three times per map point.
#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "line_dynamics/low_frequency_damping.h"
#include "line_dynamics/mean_line_shape.h"
#include "runtime/program_state.h"
#include "support/spread_mooring_tables.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace lintar {
namespace {

constexpr double w = 0.1, EA = 2.0e5, L = 3000.0, span = 300.0;
constexpr int map_points = 9537;

// The chain on a flat seabed (elastic catenary).
constexpr testing::Chain chain{w, EA, L};

// 150 lines of one type of three 1000 ft sublines round a circle at pretensions from 80 to
// 320 kips; fairleads 10 ft above the keel of a vessel of 20 ft draft over 310 ft of water.
struct Site {
    std::vector<float> RANC, ZANC, ANG;
};
Site build_site() {
    reset_program_state();
    TPCM.EDUNIT = 6;
    TPCM.NUNTS = 0;
    TPCM.DWATR = 64.0f;
    WAVCOM.G = 32.152f;
    TPCM.SIMTYP = 1;
    TPCM.NUMTAB = 90;
    TPCM.NLAYER = 1;
    TPCM.NLIN = 150;
    TPCM.DRAFT = 20.0f;
    TPCM.ANCHGT(1) = 310.0f;
    TPCM.ANCTYP(1) = 1;
    TPCM.NELEM(1) = 3;
    TPCM.LINTYP(1, 1) = 1;
    for (int e = 1; e <= 3; ++e) {
        TPCM.SLEN(e, 1) = static_cast<float>(L / 3.0);
        TPCM.WETWT(e, 1) = static_cast<float>(w);
        TPCM.ALPHA(1, e, 1) = static_cast<float>(1.0 / EA);
        TPCM.DIAM(e, 1) = 4.0f;
        TPCM.COFMST(e, 1) = 1.0f;
        TPCM.COFDMT(e, 1) = 1.2f;
    }
    LINCOM.MIDLYR = 1;
    LINCOM.TOTWT(1) = static_cast<float>(w * L);
    for (int k = 1; k <= 90; ++k) {
        LINCOM.HLOD(k) = static_cast<float>(1000.0 * std::pow((k - 1) / 89.0, 2));
        const testing::CatenaryState p = testing::elastic_catenary(chain, LINCOM.HLOD(k), span);
        LINCOM.ANCDST(k, 1, 1) = static_cast<float>(p.X);
        LINCOM.TOPTEN(k, 1, 1) = static_cast<float>(p.T);
        LINCOM.TOPANG(k, 1, 1) = static_cast<float>(p.angle);
        LINCOM.BOTLEN(k, 1, 1) = static_cast<float>(p.grounded);
    }
    Site site;
    for (int i = 1; i <= 150; ++i) {
        TPCM.RFLD(3, i) = 10.0f;
        LINCOM.LINEID(i) = 1;
        OUTCOM.DZTOTL(i, 4, 1) = static_cast<float>(span);
        site.RANC.push_back(static_cast<float>(
            testing::elastic_catenary(chain, 80.0 + 240.0 * (i - 1) / 149.0, span).X));
        site.ZANC.push_back(0.0f);
        site.ANG.push_back(static_cast<float>(360.0 * (i - 1) / 150.0));
    }
    return site;
}

void BM_LindrvOf150Lines(benchmark::State& state) {
    const Site site = build_site();
    for (auto _ : state) {
        LINDRV(site.RANC, site.ZANC);
        float top = static_cast<float>(LINCOM.TPTEN0);
        benchmark::DoNotOptimize(top);
    }
    // The last line's top tension against the closed form's, 320 kips of pretension.
    state.counters["TPTEN0"] = LINCOM.TPTEN0;
    state.counters["closed_form"] = testing::elastic_catenary(chain, 320.0, span).T;
}
BENCHMARK(BM_LindrvOf150Lines)->Unit(benchmark::kMillisecond);

void BM_QdampSurgeOf150Lines(benchmark::State& state) {
    const Site site = build_site();
    LINDRV(site.RANC, site.ZANC);
    for (auto _ : state) {
        float DISSIP = 0.0f, MASS_L = 0.0f, MASS_T = 0.0f, MASS_OOP = 0.0f, SYS = 0.0f;
        QDAMP(site.RANC, site.ANG, 1, DISSIP, 0.0f, false, MASS_L, MASS_T, MASS_OOP, SYS, true);
        benchmark::DoNotOptimize(DISSIP);
        benchmark::DoNotOptimize(SYS);
    }
}
BENCHMARK(BM_QdampSurgeOf150Lines)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lintar
