// Benchmarks of the wave drift from spectra: one mean drift evaluation over a 100-period grid
// with the current correction (the box hull, whose sway refracts the flux through the current),
// and one slow-drift spectral value, which the support data evaluate 17 x 32 times per wave
// system and component.
#include "blocks/equilb.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/wave_drift.h"
#include "runtime/units.h"
#include "util/wave_numbers.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>

namespace {

using namespace lintar;

// A metric box hull of 200 x 32 x 10 m in 300 m of water, periods 3 to 22.8 s by 0.2 s, a
// Pierson-Moskowitz sea of Hs 4 m and a 2-knot current at 60 degrees to the waves.
std::array<float, 100> set_up() {
    TpcmBlock& T = TPCM;
    T.NUNTS = 1;
    T.NWP = 100;
    T.DEPTH = 300.0f;
    T.LWL = 200.0f;
    T.BWL = 32.0f;
    T.DRAFT = 10.0f;
    T.VESTYP = 1;
    T.WPITCH = 1.0f;
    T.WVFCX = T.WVFCY = T.WVFCM = 1.0f;
    T.LWVCOF = 6 + 16 * 6 + 256 * 6;
    T.LCURNT = 1;
    T.CURCOR = 1;
    T.LEGDFC = 0;
    T.CURSPD = 2.0f;
    T.CURHDG = 60.0f;
    T.MUNKFAC1 = 1.0f;
    T.XCURNTDN = T.XCURNTUP = T.YCURNTDN = 0.5f;
    T.EDUNIT = screen_unit;
    EQUILB.BOWANG = EQUILB.STRNAN = 0.6f;
    EQUILB.COTBOW = EQUILB.COTSTN = 1.0f / std::tan(0.6f);
    EQUILB.BOWARM = EQUILB.STRNRM = 0.45f;
    EQUILB.BLRAT0 = 0.16f;
    EQUILB.LEFRAT = EQUILB.LEFRT2 = 0.8f;
    WAVCOM.G = 9.8f;
    std::array<float, 100> sea{};
    const float wp = 2.0f * 3.1415927f / (15.66f * std::sqrt(4.0f / 9.8f));
    for (int k = 1; k <= 100; ++k) {
        T.T(k) = 3.0f + 0.2f * static_cast<float>(k - 1);
        const float w = 2.0f * 3.1415927f / T.T(k);
        WAVCOM.W(k) = w;
        WAVCOM.W2(k) = w * w;
        WAVCOM.WVK(k) = wave_number(w, T.DEPTH, WAVCOM.G);
        sea[static_cast<std::size_t>(k - 1)] =
            0.0081f * 9.8f * 9.8f / std::pow(w, 5.0f) * std::exp(-1.25f * std::pow(wp / w, 4.0f));
    }
    WAVCOM.DT = 0.2f;
    return sea;
}

void BM_MeanDriftWithCurrent(benchmark::State& state) {
    const auto sea = set_up();
    const auto component = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(DRIFTF(0, component, 0.5f, sea, 0.0f, 0, 1));
}
BENCHMARK(BM_MeanDriftWithCurrent)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_SlowDriftValue(benchmark::State& state) {
    const auto sea = set_up();
    for (auto _ : state)
        benchmark::DoNotOptimize(DRIFTF(1, 2, 0.5f, sea, 0.05f, 0, 1));
}
BENCHMARK(BM_SlowDriftValue)->Unit(benchmark::kMicrosecond);

} // namespace
