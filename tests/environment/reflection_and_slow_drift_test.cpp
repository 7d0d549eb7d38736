// Tests of the box-hull reflection factor (its long-wave limit and the factors across the
// small-argument switch) and of the slow-drift spectral integrals.
#include "environment/reflection_and_slow_drift.h"

#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/sea_spectra_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <span>

namespace lintar {
namespace {

using testing::ScriptedConsole;

float reflection(std::int32_t DOFFLG, float WK, float THETA) {
    float RELMFC = -1.0f;
    // A 300 x 50 m box, 20 m draft, bow and stern faces at 60 degrees, arms 0.45 L.
    const float sixty = static_cast<float>(std::numbers::pi / 3);
    OPACITY(RELMFC, WK, THETA, 300.0f, 50.0f, 20.0f, 0.45f, 0.45f, sixty, sixty, DOFFLG);
    return RELMFC;
}

TEST(Opacity, LongWavesPassTheHull) {
    // As the wave number falls the hull reflects nothing: every factor tends to 0.
    for (const std::int32_t dof : {1, 2, 3}) {
        for (const float theta : {0.3f, 1.0f, 2.0f}) {
            SCOPED_TRACE(::testing::Message() << "dof " << dof << ", angle " << theta);
            EXPECT_NEAR(reflection(dof, 1e-5f, theta), 0.0f, 2e-3f);
            EXPECT_GT(std::abs(reflection(dof, 0.05f, theta)), 0.01f); // and something shorter
        }
    }
}

TEST(Opacity, TheBoxFactorsAcrossTheSmallArgumentSwitch) {
    // Just above |a| = 1e-4 the factors meet their series values -1/3 and a/3; up to 0.05 they
    // follow the expressions evaluated independently in long double.
    for (const float a : {1.0001e-4f, 1.1e-4f, 2e-4f}) {
        SCOPED_TRACE(a);
        const BoxSideFactors f = box_side_factors(a);
        EXPECT_NEAR(f.Q, -1.0f / 3.0f, 1e-6f / 3.0f);
        EXPECT_NEAR(f.F, a / 3.0f, 1e-6f * a / 3.0f);
        EXPECT_NEAR(f.S, 1.0f, 1e-7f);
    }
    for (const float a : {1e-3f, 0.01f, 0.05f, -0.02f}) {
        SCOPED_TRACE(a);
        const long double x = a;
        const long double S = std::sin(x) / x;
        const BoxSideFactors f = box_side_factors(a);
        EXPECT_NEAR(f.Q, static_cast<float>((x * std::cos(x) - std::sin(x)) / (x * x * x)), 1e-6f);
        EXPECT_NEAR(f.F, static_cast<float>((S - std::cos(x)) / x), 1e-6f * std::abs(a));
    }
    const BoxSideFactors below = box_side_factors(5e-5f);
    EXPECT_EQ(below.S, 1.0f);
    EXPECT_EQ(below.Q, -0.33333334f);
    EXPECT_EQ(below.F, 5e-5f / 3.0f);
}

TEST(SlowDrift, IntegralsOverTheGrid) {
    ScriptedConsole console;
    testing::set_period_grid(3.0f, 1.0f, 31, 9.8f);
    std::array<float, 100> P{};
    for (int k = 0; k < 31; ++k)
        P[static_cast<std::size_t>(k)] = 2.0f;
    const std::span<const float, 100> W(WAVCOM.W_words, 100);
    float GVAR = -1.0f, GVARDOT = -1.0f, V = -1.0f, VD = -1.0f;
    float DELTAW = 0.0f;
    // At no difference frequency: the integral of P^2 over the grid's frequencies.
    GET_GVAR(DELTAW, W, 31, P, GVAR, GVARDOT, V, VD);
    const double span = 2.0 * std::numbers::pi / 3.0 - 2.0 * std::numbers::pi / 33.0;
    EXPECT_NEAR(GVAR, 4.0 * span, 4e-3 * 4.0 * span);
    EXPECT_EQ(V, 0.0f);
    EXPECT_EQ(VD, 0.0f);
    // Two equal densities: GET_GVAR2 is GET_GVAR.
    for (const float d : {0.0f, 0.05f, 0.3f}) {
        SCOPED_TRACE(d);
        float D1 = d, D2 = d, G1 = 0.0f, G2 = 0.0f, T1 = 0.0f, T2 = 0.0f;
        GET_GVAR(D1, W, 31, P, G1, T1, V, VD);
        GET_GVAR2(D2, W, 31, P, P, G2, T2);
        EXPECT_EQ(G1, G2);
        EXPECT_EQ(T1, T2);
    }
    // Shifted outside the grid on every point: nothing.
    DELTAW = 2.0f * WAVCOM.W(1) + 1.0f;
    GET_GVAR(DELTAW, W, 31, P, GVAR, GVARDOT, V, VD);
    EXPECT_EQ(GVAR, 0.0f);
    EXPECT_EQ(console.screen(), "");
}

TEST(SlowDrift, ANegativeDifferenceIsTurnedWithAWarning) {
    ScriptedConsole console("c\n");
    testing::set_period_grid(3.0f, 1.0f, 31, 9.8f);
    TPCM.EDUNIT = screen_unit;
    std::array<float, 100> P{};
    P.fill(1.0f);
    float DELTAW = -0.1f, GVAR = 0.0f, GVARDOT = 0.0f, V = 0.0f, VD = 0.0f;
    GET_GVAR(DELTAW, std::span<const float, 100>(WAVCOM.W_words, 100), 31, P, GVAR, GVARDOT, V, VD);
    EXPECT_EQ(DELTAW, 0.1f);
    EXPECT_EQ(console.screen(), " Negative DELTAW in GET_GVAR, using ABS[DELTAW]; press c + "
                                "<Return> to continue\n");
}

TEST(SlowDrift, TwoDimensionalProducts) {
    EXPECT_EQ(DOTP2D({1.0f, 2.0f}, {3.0f, 4.0f}), 11.0f);
    EXPECT_EQ(XPRD2D({1.0f, 2.0f}, {3.0f, 4.0f}), -2.0f);
}

} // namespace
} // namespace lintar
