// Benchmarks of the current drag on the lines: one LINDRG call over 150 catenary lines of three
// sublines in a layered current, for thinnest layers of depth / 25, / 250 and / 1000 (NQP 51,
// 501 and 2001), the cost every equilibrium solver pays once per call; and, for comparison,
// the split integrals of one line with every drag-below sum evaluated point by point, whose
// cost grows with NQP^2 and the number of sublines squared.
#include "blocks/curprof.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "equilibrium/line_current_drag.h"
#include "lines/catenary_elements.h"
#include "runtime/program_state.h"
#include "support/spread_mooring_tables.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <numbers>

namespace lintar {
namespace {

constexpr double w = 0.1, EA = 2.0e5, L = 3000.0, span = 300.0;

// The chain on a flat seabed (elastic catenary).
constexpr testing::Chain chain{w, EA, L};

// 150 lines of one type of three 1000 ft sublines round a 200 ft circle at pretensions from
// 80 to 320 kips, under 310 ft of water; the 1/7 power-law current with one thin layer of
// depth / layers at the surface.
void build_site(double layers) {
    reset_program_state();
    TPCM.EDUNIT = 6;
    TPCM.NUNTS = 0;
    TPCM.DEPTH = 310.0f;
    TPCM.DWATR = 64.0f;
    WAVCOM.G = 32.152f;
    TPCM.SIMTYP = 8;
    TPCM.LCSTCR = 0;
    TPCM.CURSPD = 3.0f;
    TPCM.CURHDG = 20.0f;
    TPCM.NUMTAB = 90;
    TPCM.NLAYER = 1;
    TPCM.NLIN = 150;
    TPCM.NTYP = 1;
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
    for (int i = 1; i <= 150; ++i) {
        const double a = 2.0 * std::numbers::pi * (i - 1) / 150.0;
        TPCM.RFLD(3, i) = 10.0f;
        TPCM.ANGDEP(i) = static_cast<float>(a * 180.0 / std::numbers::pi);
        LINCOM.LINEID(i) = 1;
        LINCOM.RANCP(i) = static_cast<float>(
            testing::elastic_catenary(chain, 80.0 + 240.0 * (i - 1) / 149.0, span).X);
        LINCOM.ANGDPP(i) = TPCM.ANGDEP(i);
    }
    const double depth = TPCM.DEPTH;
    constexpr float fr[] = {0.3f, 0.6f, 0.7f, 0.8f, 0.9f, 0.975f, 1.0f};
    const float thin = static_cast<float>(depth / layers);
    const float v1 = 3.0f * std::pow(0.7f, 1.0f / 7.0f);
    CURPROF.NCURNTPF = 8;
    CURPROF.DPTHIPF(1) = thin;
    CURPROF.VELIPF(1) = 3.0f + (v1 - 3.0f) * thin / (0.3f * static_cast<float>(depth));
    CURPROF.CURHDGPF(1) = 20.0f;
    for (int i = 2; i <= 8; ++i) {
        const float f = fr[i - 2];
        CURPROF.DPTHIPF(i) = f * static_cast<float>(depth);
        CURPROF.VELIPF(i) = f < 1.0f ? 3.0f * std::pow(1.0f - f, 1.0f / 7.0f) : 0.0f;
        CURPROF.CURHDGPF(i) = 20.0f;
    }
}

void BM_LindrgOf150Lines(benchmark::State& state) {
    build_site(static_cast<double>(state.range(0)));
    state.counters["NQP"] = current_drag_points(TPCM.DEPTH, CURPROF);
    for (auto _ : state) {
        lincom_line_drag(1, 150, true);
        float total = LINCOM.FCURNT_LNS; // a copy: the marker may rewrite what it is given
        benchmark::DoNotOptimize(total);
    }
    state.counters["FCURNT"] = LINCOM.FCURNT_LNS;
}
BENCHMARK(BM_LindrgOf150Lines)->Arg(25)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond);

// The split integrals of one line (three sublines) with every drag below a point evaluated
// from the profile again, at NQP = 2 x layers + 1.
void BM_PointByPointSplitOfOneLine(benchmark::State& state) {
    build_site(static_cast<double>(state.range(0)));
    const std::int32_t NQP = current_drag_points(TPCM.DEPTH, CURPROF);
    state.counters["NQP"] = NQP;
    lincom_line_drag(150, 150, false); // leaves line 150 solved in LINCOM
    DragLine line;
    line.profile = &CURPROF;
    line.CURSPD = TPCM.CURSPD;
    line.CURHDG = TPCM.CURHDG;
    line.NELEM = 3;
    line.SLEN = slen_column(1);
    line.DIAM = ElementReals(&TPCM.DIAM(1, 1));
    line.COFDMT = ElementReals(&TPCM.COFDMT(1, 1));
    line.WETWT = wetwt_column(1);
    line.SCLWT = ElementValues(LINCOM.SCLWT_words);
    line.BETA = ElementBetas(LINCOM.BETA_words);
    line.TMPTAN = NodeValues(LINCOM.TMPTAN_words);
    line.SECARR = NodeValues(LINCOM.SECARR_words);
    line.BOTELM = LINCOM.BOTELM;
    line.DSLOPE = LINCOM.DSLOPE;
    line.HMEAN = LINCOM.HMEAN;
    for (auto _ : state) {
        double sum = 0.0;
        for (std::int32_t e = 1; e <= 3; ++e) {
            const float top = -10.0f - static_cast<float>(ZDIST(line.SCLWT, line.SECARR, line.BETA,
                                                                e - 1, line.SLEN, line.TMPTAN));
            const SplitIntegrals s =
                TOPBOTFIX(line, NQP, 150, 0.0833f, 2.846f, 0.5f, e, false, 0.0f, LINCOM.TMPTAN(e),
                          LINCOM.TMPTAN(e + 1), top, -10.0f, true);
            sum += s.XNUMR8;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_PointByPointSplitOfOneLine)->Arg(25)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lintar
