// Tests of the spectral moments, the spectral peak and the bandwidth.
#include "util/spectral_moments.h"

#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/sea_spectra_support.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace lintar {
namespace {

using testing::pi;
using testing::ScriptedConsole;
using testing::set_period_grid;

using Spectrum = std::array<float, 100>;

TEST(Smpint, ConstantSpectrumGivesTheFrequencyBand) {
    // S = 1: m0 = W(1) - W(NWP) and m2 = (W(1)^3 - W(NWP)^3) / 3, to within Simpson's error
    // bound (b - a) h^4 max|f''''| / 180 for the integrands over the period, f = 2 pi / T^2 and
    // f = (2 pi)^3 / T^4, whose fourth derivatives are largest at the shortest period.
    struct Row {
        float t1, dt;
        int n;
    };
    constexpr Row rows[] = {{4.0f, 0.25f, 65}, {6.0f, 0.5f, 49}, {5.0f, 0.25f, 3}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.n << " periods from " << row.t1);
        ScriptedConsole console;
        set_period_grid(row.t1, row.dt, row.n, 9.8f);
        Spectrum ones{};
        ones.fill(1.0f);
        float m0 = 0.0f;
        float m2 = 0.0f;
        SMPINT(ones, m0, m2);
        const double t1 = row.t1;
        const double tn = row.t1 + static_cast<float>(row.n - 1) * row.dt;
        const double w1 = 2.0 * pi / t1;
        const double wn = 2.0 * pi / tn;
        const double h4 = std::pow(static_cast<double>(row.dt), 4.0);
        const double bound0 = (tn - t1) * h4 / 180.0 * 2.0 * pi * 120.0 / std::pow(t1, 6.0);
        const double bound2 =
            (tn - t1) * h4 / 180.0 * std::pow(2.0 * pi, 3.0) * 840.0 / std::pow(t1, 8.0);
        EXPECT_NEAR(m0, w1 - wn, bound0 + 1e-6 * w1);
        EXPECT_NEAR(m2, (w1 * w1 * w1 - wn * wn * wn) / 3.0, bound2 + 1e-6 * w1 * w1 * w1);
    }
}

TEST(Psdpek, PeakIndicesPeriodAndHalfPowerPoints) {
    ScriptedConsole console;
    set_period_grid(4.0f, 1.0f, 15, 9.8f);
    struct Row {
        const char* what;
        std::array<float, 15> psd;
        int first, last, half_p, half_m;
    };
    const Row rows[] = {
        // Two separate grid points hold the maximum: the peak frequency lies halfway.
        {"two equal maxima", {0, 1, 4, 1, 0, 2, 4, 3, 1, 0, 0, 0, 0, 0, 0}, 3, 7, 4, 2},
        // Negative ordinates count by their size.
        {"negative ordinates", {0, 0, 1, -3, -5, -3, 1, 0, 0, 0, 0, 0, 0, 0, 0}, 5, 5, 7, 3},
        // A peak at index 1: every mirror index is 1, which never falls below half.
        {"peak at the first point", {5, 4, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 1, 1, 3, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Spectrum psd{};
        std::copy(row.psd.begin(), row.psd.end(), psd.begin());
        float PSDPK = 0.0f;
        float TPEAK = 0.0f;
        std::int32_t IFIRST = -1;
        std::int32_t ILAST = -1;
        std::int32_t IHALFP = -1;
        std::int32_t IHALFM = -1;
        PSDPEK(psd, WAVCOM.W_words, PSDPK, TPEAK, IFIRST, ILAST, true, IHALFP, IHALFM);
        EXPECT_EQ(IFIRST, row.first);
        EXPECT_EQ(ILAST, row.last);
        EXPECT_FLOAT_EQ(PSDPK, std::abs(row.psd[static_cast<std::size_t>(row.first - 1)]));
        const double w_peak = (2.0 * pi / (3.0 + row.first) + 2.0 * pi / (3.0 + row.last)) / 2.0;
        EXPECT_NEAR(TPEAK, 2.0 * pi / w_peak, 1e-5 * TPEAK);
        EXPECT_EQ(IHALFP, row.half_p);
        EXPECT_EQ(IHALFM, row.half_m);
        // Without GETHALF the half-power indices stay 0.
        PSDPEK(psd, WAVCOM.W_words, PSDPK, TPEAK, IFIRST, ILAST, false, IHALFP, IHALFM);
        EXPECT_EQ(IHALFP, 0);
        EXPECT_EQ(IHALFM, 0);
    }
}

TEST(Spcproces, NarrowPeakKeepsItsPeriodAndTakesTheEquivalentWidth) {
    ScriptedConsole console;
    set_period_grid(4.0f, 1.0f, 15, 9.8f);
    // Half-power points two grid points apart: bandwidth m0 / PSDPK, the peak period kept.
    Spectrum psd{};
    psd[6] = 4.0f;
    psd[5] = 1.5f;
    psd[7] = 1.0f;
    float m0 = 0.0f;
    float m2 = 0.0f;
    SMPINT(psd, m0, m2);
    float RMS = 0.0f;
    float RMSDOT = 0.0f;
    float BNDWDTH = 0.0f;
    float TPEAK = 0.0f;
    SPCPROCES(psd, WAVCOM.W_words, RMS, RMSDOT, BNDWDTH, TPEAK);
    EXPECT_FLOAT_EQ(RMS, std::sqrt(m0));
    EXPECT_FLOAT_EQ(RMSDOT, std::sqrt(m2));
    EXPECT_FLOAT_EQ(BNDWDTH, m0 / 4.0f / 6.2831855f);
    EXPECT_FLOAT_EQ(TPEAK, 10.0f);
    EXPECT_EQ(console.screen(), "");
}

TEST(Spcproces, WideSpectrumTakesTheHalfPowerWidthAndTheMeanPeriod) {
    ScriptedConsole console;
    set_period_grid(4.0f, 1.0f, 15, 9.8f);
    // A broad triangle in k peaking at k = 8 (T = 11 s): below half power first at k = 13 and,
    // stepping the same count the other way, at k = 3.
    Spectrum psd{};
    for (int k = 1; k <= 15; ++k)
        psd[static_cast<std::size_t>(k - 1)] = static_cast<float>(8 - std::abs(k - 8));
    float m0 = 0.0f;
    float m2 = 0.0f;
    SMPINT(psd, m0, m2);
    float RMS = 0.0f;
    float RMSDOT = 0.0f;
    float BNDWDTH = 0.0f;
    float TPEAK = 0.0f;
    SPCPROCES(psd, WAVCOM.W_words, RMS, RMSDOT, BNDWDTH, TPEAK);
    const double width = 2.0 * pi / 6.0 - 2.0 * pi / 16.0; // W(3) - W(13)
    EXPECT_NEAR(BNDWDTH, std::min(width, m0 / 8.0) / (2.0 * pi), 1e-6);
    EXPECT_NEAR(TPEAK, std::min(11.0, 2.0 * pi * std::sqrt(m0 / m2)), 1e-5);
}

TEST(Spcproces, PeakAtTheGridsEndTakesTheEndAsItsHalfPowerPoint) {
    ScriptedConsole console;
    set_period_grid(4.0f, 1.0f, 15, 9.8f);
    // Rising to the shortest period (k = 1): below half power at k = 9 on one side, never on
    // the other, where the grid's end (k = 1) stands in.
    Spectrum psd{};
    for (int k = 1; k <= 15; ++k)
        psd[static_cast<std::size_t>(k - 1)] = static_cast<float>(16 - k);
    float m0 = 0.0f;
    float m2 = 0.0f;
    SMPINT(psd, m0, m2);
    float RMS = 0.0f;
    float RMSDOT = 0.0f;
    float BNDWDTH = 0.0f;
    float TPEAK = 0.0f;
    SPCPROCES(psd, WAVCOM.W_words, RMS, RMSDOT, BNDWDTH, TPEAK);
    const double width = 2.0 * pi / 4.0 - 2.0 * pi / 12.0; // W(1) - W(9)
    EXPECT_NEAR(BNDWDTH, std::min(width, m0 / 15.0) / (2.0 * pi), 1e-6);
    EXPECT_NEAR(TPEAK, std::min(4.0, 2.0 * pi * std::sqrt(m0 / m2)), 1e-5);
}

TEST(Spcproces, ZeroSpectrumHasNoPeakAndNoBandwidth) {
    ScriptedConsole console;
    set_period_grid(4.0f, 1.0f, 15, 9.8f);
    const Spectrum zero{};
    float RMS = -1.0f;
    float RMSDOT = -1.0f;
    float BNDWDTH = -1.0f;
    float TPEAK = -1.0f;
    SPCPROCES(zero, WAVCOM.W_words, RMS, RMSDOT, BNDWDTH, TPEAK);
    EXPECT_EQ(RMS, 0.0f);
    EXPECT_EQ(RMSDOT, 0.0f);
    EXPECT_EQ(BNDWDTH, 0.0f);
    EXPECT_EQ(TPEAK, 0.0f);
    EXPECT_EQ(console.screen(), "");
}

} // namespace
} // namespace lintar
