// Benchmarks of the viscous drag load through its entries, with the real drift coefficients:
// one mean and one spectral evaluation of the member model (DRAGF_SEMI) for 50 surface-piercing
// members on a 100-period grid, the member preparation (G_FRC_PREP) at 31 depths (its depth x
// depth x frequency correlation loops), and the ship model (DRAGF_SHIP) on the same grid.
#include "blocks/pascom.h"
#include "blocks/simcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/drag_preparation.h"
#include "environment/hull_drag.h"
#include "runtime/program_state.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <complex>

namespace {

using namespace lintar;

constexpr double pi = 3.14159265358979323846;

// A 100-period grid of 3 to 27.75 s in deep water, a sea of 10 s peak, a moving hull of 50
// columns of 5 m radius and 20 m draft in a 1.5 kn current; the members' drift is the built-in
// column's, the ship's the empirical model's.
std::array<float, 100> set_up() {
    reset_program_state();
    auto& T = TPCM;
    auto& V = WAVCOM;
    T.NWP = 100;
    V.G = 9.8f;
    for (int k = 1; k <= 100; ++k) {
        T.T(k) = 3.0f + 0.25f * static_cast<float>(k - 1);
        V.W(k) = static_cast<float>(2.0 * pi / T.T(k));
        V.W2(k) = V.W(k) * V.W(k);
        V.WVK(k) = V.W2(k) / 9.8f;
    }
    V.DT = 0.25f;
    std::array<float, 100> PSD{};
    const double wp = 2.0 * pi / 10.0;
    for (int k = 1; k <= 100; ++k) {
        const double w = V.W(k);
        PSD[static_cast<std::size_t>(k - 1)] =
            static_cast<float>(5.0 * std::pow(w, -5.0) * std::exp(-1.25 * std::pow(wp / w, 4)));
        PASCOM.RLRAO2(k, 1) = 0.5f;
        PASCOM.HRAO(k, 1) = 0.3f;
        PASCOM.HOR_WAV_RAO(k, 1) = std::complex<float>(0.2f, 0.1f);
        PASCOM.ANG_WAV_RAO(k, 1) = std::complex<float>(0.002f, -0.001f);
        PASCOM.RLRAOH2(k, 1) = 0.8f;
    }
    PASCOM.MENWLX = PASCOM.MENWLY = 10.0f;
    T.LWVCOF = 0; // members: the built-in column
    T.WVFCX = T.WVFCY = T.WVFCM = 1.0f;
    T.EDUNIT = 41;
    T.NUNTS = 1;
    T.DWATR = 1.025f;
    T.DRAFT = 20.0f;
    T.DEPTH = 1000.0f;
    T.LWL = 100.0f;
    T.BWL = 60.0f;
    T.VWDFAC = T.VWDRGFC = 1.0f;
    T.WVDGCX = T.WVDGCY = T.WVDGCM = 1.0f;
    T.VESTYP = 4;
    T.CURFAC = 1.0f;
    T.LCURNT = 1;
    T.CURSPD = 1.5f;
    T.CURHDG = 30.0f;
    T.NCYL = 50;
    for (int i = 1; i <= 50; ++i) {
        T.RCYLB(1, i) = static_cast<float>(10 * (i % 7) - 30);
        T.RCYLB(2, i) = static_cast<float>(8 * (i % 5) - 16);
        T.XAREA(i) = static_cast<float>(pi * 25.0);
        T.CYLCD(1, i) = T.CYLCD(2, i) = 1.0f;
        SIMCOM.LPIERCE(i) = 1;
        SIMCOM.CYLLEN(i) = 30.0f;
        SIMCOM.DIRVEC(3, i) = 1.0f;
    }
    return PSD;
}

void BM_SemiDragMean(benchmark::State& state) {
    const auto PSD = set_up();
    for (auto _ : state) {
        float FOUTD = 0, FOUTR = 0;
        DRAGF_SEMI(0, 1, 0.3f, PSD, 0.0f, FOUTD, FOUTR, 1);
        benchmark::DoNotOptimize(FOUTD);
    }
}
BENCHMARK(BM_SemiDragMean)->Unit(benchmark::kMillisecond);

void BM_SemiDragSpectral(benchmark::State& state) {
    const auto PSD = set_up();
    for (auto _ : state) {
        float FOUTD = 0, FOUTR = 0;
        DRAGF_SEMI(1, 1, 0.3f, PSD, 0.03f, FOUTD, FOUTR, 1);
        benchmark::DoNotOptimize(FOUTD);
        benchmark::DoNotOptimize(FOUTR);
    }
}
BENCHMARK(BM_SemiDragSpectral)->Unit(benchmark::kMillisecond);

// The spectral preparation of all 50 members at 31 depths.
void BM_MemberPreparation31Depths50Members(benchmark::State& state) {
    const auto PSD = set_up();
    std::array<std::complex<float>, 100> H{}, A{};
    H.fill({0.2f, 0.1f});
    A.fill({0.002f, -0.001f});
    MemberDragSetting setting;
    setting.SIG0WV = 1.0f;
    setting.COSTHETACW = 0.8f;
    setting.SINTHETACW = 0.6f;
    setting.CLDBY = "DRAGF ";
    for (auto _ : state) {
        for (int i = 1; i <= 50; ++i) {
            float WC = 0.03f;
            std::int32_t NDEPTHQ = 31;
            setting.XCOL = static_cast<float>(i);
            MemberDragFactors out;
            G_FRC_PREP(WC, out, 1, PSD, H, A, setting, NDEPTHQ);
            benchmark::DoNotOptimize(out.SFX_BB);
        }
    }
}
BENCHMARK(BM_MemberPreparation31Depths50Members)->Unit(benchmark::kMillisecond);

void BM_ShipDrag(benchmark::State& state) {
    const auto PSD = set_up();
    TPCM.LWVCOF = 0x444; // the empirical drift model in every component
    for (auto _ : state) {
        float FOUTD = 0, FOUTR = 0;
        DRAGF_SHIP(1, 1, 0.3f, PSD, 0.03f, FOUTD, FOUTR, 1);
        benchmark::DoNotOptimize(FOUTD);
        benchmark::DoNotOptimize(FOUTR);
    }
}
BENCHMARK(BM_ShipDrag)->Unit(benchmark::kMicrosecond);

} // namespace
