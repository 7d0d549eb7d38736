// Benchmark of the disc buoy's characteristics (DSKCHR) for a buoy moored by four chains and
// coupled to them (MORFBK 1) on a grid of 30 wave periods: the lines' mean shapes, the natural-
// period iteration with the calibration pass and two calls of the lines' dynamic springs
// (DYNSPR) per mode and pass, and the 90-point surge energy curve.
#include "blocks/himem.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/disc_hull.h"
#include "runtime/program_state.h"
#include "support/ship_fixture.h"
#include "support/spread_mooring_tables.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace lintar {
namespace {

constexpr double w = 0.1, EA = 2.0e5, L = 2000.0, span = 300.0;
constexpr float G = 32.174f;
constexpr int periods = 30;

// The chain on a flat seabed (elastic catenary).
constexpr testing::Chain chain{w, EA, L};

// A cylinder of radius 10 ft and draft 10 ft (KB 5, KG 4, KML 7.5) moored by four chains of
// three sublines (drag diameter 4 in) at 100 kips, fairleads at 5 ft radius at the keel, on
// deep-water periods from 3 to 20 s.
void build_buoy() {
    reset_program_state();
    TpcmBlock& P = TPCM;
    WavcomBlock& W = WAVCOM;
    HimemBlock& H = HIMEM;
    P.EDUNIT = 6;
    P.IUNIT = 6;
    P.NUNTS = 0;
    P.DWATR = 64.0f;
    P.DEPTH = 1000.0f;
    P.SLPHT = 10.0f;
    P.XCURAR = 100.0f;
    P.AWP = 314.15927f;
    P.DRAFT = 10.0f;
    P.TVKB = 5.0f;
    P.VKG = 4.0f;
    P.VKML = 7.5f;
    P.VKMT = 7.5f;
    P.DISPL = P.AWP * 10.0f * P.DWATR / 1000.0f;
    P.PGYR = 4.0f;
    P.RGYR = 4.0f;
    P.YGYR = 7.0f;
    P.MORFBK = 1;
    W.G = G;
    W.RHOWTR = P.DWATR * 0.001f / G;
    W.DURFAC = 1.0f;
    W.IRAO = 1;
    W.TAVG = 8.0f;
    H.WCONST = std::sqrt(P.DEPTH / G);
    H.EPS = 1.0e-5f;
    testing::lay_out_grid_columns();
    for (int IW = 1; IW <= periods; ++IW) {
        const float T = 3.0f + 17.0f * static_cast<float>(IW - 1) / (periods - 1);
        const float omega = 6.2831853f / T;
        const float k = omega * omega / G;
        H.RLDUM(H.LCNW + IW - 1) = omega;
        H.RLDUM(H.LCNW2 + IW - 1) = omega * omega;
        H.RLDUM(H.LCNWK + IW - 1) = k;
        W.W(IW) = omega;
        W.WVK(IW) = k;
        P.T(IW) = T;
    }
    P.NWP = periods;

    P.SIMTYP = 1;
    P.NUMTAB = 90;
    P.NLAYER = 1;
    P.NLIN = 4;
    P.ANCHGT(1) = static_cast<float>(span);
    P.ANCTYP(1) = 1;
    P.NELEM(1) = 3;
    P.LINTYP(1, 1) = 1;
    for (int e = 1; e <= 3; ++e) {
        P.SLEN(e, 1) = static_cast<float>(L / 3.0);
        P.WETWT(e, 1) = static_cast<float>(w);
        P.ALPHA(1, e, 1) = static_cast<float>(1.0 / EA);
        P.DIAM(e, 1) = 4.0f;
        P.COFMST(e, 1) = 1.0f;
        P.COFDMT(e, 1) = 1.2f;
    }
    LincomBlock& C = LINCOM;
    C.MIDLYR = 1;
    C.TOTWT(1) = static_cast<float>(w * L);
    for (int k = 1; k <= 90; ++k) {
        C.HLOD(k) = static_cast<float>(500.0 * std::pow((k - 1) / 89.0, 2));
        const testing::CatenaryState p = testing::elastic_catenary(chain, C.HLOD(k), span);
        C.ANCDST(k, 1, 1) = static_cast<float>(p.X);
        C.TOPTEN(k, 1, 1) = static_cast<float>(p.T);
        C.TOPANG(k, 1, 1) = static_cast<float>(p.angle);
        C.BOTLEN(k, 1, 1) = static_cast<float>(p.grounded);
    }
    const float X = static_cast<float>(testing::elastic_catenary(chain, 100.0, span).X);
    for (int i = 1; i <= 4; ++i) {
        const float azimuth = 90.0f * static_cast<float>(i - 1);
        C.LINEID(i) = 1;
        C.ANGDPP(i) = azimuth;
        C.RANCK(i) = X;
        C.ZANCK(i) = 0.0f;
        P.RFLD(1, i) = 5.0f * std::cos(azimuth / 57.29578f);
        P.RFLD(2, i) = 5.0f * std::sin(azimuth / 57.29578f);
        P.RFLD(3, i) = P.DRAFT;
    }
}

void BM_DskchrCoupledFourLineBuoy(benchmark::State& state) {
    build_buoy();
    for (auto _ : state) {
        DSKCHR();
        float WSG = HIMEM.WSG;
        benchmark::DoNotOptimize(WSG);
    }
    state.counters["surge_period_s"] = 6.2831853 / HIMEM.WSG;
    state.counters["heave_period_s"] = 6.2831853 / HIMEM.WH;
    state.counters["SGK_kip_per_ft"] = TPCM.SGK;
    state.counters["YWK"] = TPCM.YWK;
}
BENCHMARK(BM_DskchrCoupledFourLineBuoy)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lintar
