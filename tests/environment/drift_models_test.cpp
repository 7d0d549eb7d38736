// Tests of the closed-form drift coefficient models against independent references: Ursell's
// reflection of a thin vertical barrier, Havelock's drift on a vertical cylinder, the Hankel
// derivatives from the standard library's Bessel functions, and the models' own closed forms.
#include "environment/drift_models.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/sea_spectra_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

constexpr double pi = std::numbers::pi;

TEST(DriftModels, SwayIsUrsellsThinBarrierReflection) {
    // R^2 = (pi I1(x))^2 / ((pi I1(x))^2 + K1(x)^2), with x = X^2.
    struct Case {
        double x, reflection;
    };
    for (const Case c :
         {Case{0.25, 0.0110333}, Case{0.5, 0.193053}, Case{1.0, 0.896921}, Case{2.0, 0.999217}}) {
        SCOPED_TRACE(c.x);
        const auto X = static_cast<float>(std::sqrt(c.x));
        EXPECT_NEAR(DRFTCA(2, X, 1.0f, 2, 0.5f), c.reflection, 2e-5 + 1e-4 * c.reflection);
        // The box hull scales x by 0.75 FRQFAC, and below x = 0.67139286 by the reflection
        // ratio.
        const float box = DRFTCA(2, X, 4.0f / 3.0f, 6, 0.5f);
        const double ratio = c.x < 0.67139286 ? 0.5 : 1.0;
        EXPECT_NEAR(box, ratio * c.reflection, 2e-5 + 1e-4 * c.reflection);
    }
    EXPECT_EQ(DRFTCA(2, 4.0f, 1.0f, 2, 1.0f), 1.0f);
    EXPECT_EQ(DRFTCA(2, -4.0f, 0.1f, 6, 0.0f), 1.0f);
    // At zero frequency no wave is reflected (K1 has no value there).
    EXPECT_EQ(DRFTCA(2, 0.0f, 1.0f, 2, 1.0f), 0.0f);
}

TEST(DriftModels, ShipSurgeAndYawFollowTheTwoBranchesAndTheCap) {
    struct Case {
        float X;
        double coefficient;
    };
    for (const Case c : {Case{0.5f, 0.132207}, Case{0.8f, 0.910261}, Case{0.95f, 1.67},
                         Case{1.0f, 1.67}, Case{1.1f, 1.347505}, Case{2.0f, 1.000381}}) {
        SCOPED_TRACE(c.X);
        EXPECT_NEAR(DRFTCA(1, c.X, 1.0f, 2, 1.0f), c.coefficient, 2e-4 * c.coefficient);
        EXPECT_NEAR(DRFTCA(3, -c.X, 1.0f, 2, 1.0f), c.coefficient, 2e-4 * c.coefficient);
    }
}

TEST(DriftModels, BoxSurgeUsesItsTableBelowOneAndYawScalesTheFrequency) {
    EXPECT_NEAR(WAMIT_DFCX(0.8f), 0.61790, 1e-5);
    EXPECT_NEAR(WAMIT_DFCX(0.39102f), 0.00022, 1e-8);
    EXPECT_FLOAT_EQ(WAMIT_DFCX(5.0f), 0.78056f); // held beyond the last measured point
    EXPECT_NEAR(DRFTCA(1, 0.4f, 2.0f, 6, 1.0f), 0.61790, 1e-5);
    EXPECT_NEAR(DRFTCA(3, 0.8f / 0.842f, 1.0f, 6, 1.0f), 0.61790, 1e-5);
    EXPECT_NEAR(DRFTCA(1, 1.1f, 1.0f, 6, 1.0f), 1.347505, 3e-4);
}

TEST(DriftModels, UndefinedModelGivesZeroWithOneWarning) {
    ScriptedConsole console;
    TPCM.EDUNIT = screen_unit;
    EXPECT_EQ(DRFTCA(1, 0.5f, 1.0f, 3, 1.0f), 0.0f);
    EXPECT_EQ(DRFTCA(4, 0.5f, 1.0f, 2, 1.0f), 0.0f);
    EXPECT_EQ(console.screen(), " ++> Warning: Drift coefficient model 3 has no component 1;"
                                " its coefficient is taken as 0.\n");
}

TEST(DriftModels, SemisubmersibleStep) {
    EXPECT_NEAR(SEMDFT(1, 1.0f / 3.0f, 0.8f, 0.6f, 0, 0, 0, 0, 0), 0.5001 * 0.99627 * 0.8, 1e-6);
    EXPECT_NEAR(SEMDFT(2, -1.0f / 3.0f, 0.8f, 0.6f, 0, 0, 0, 0, 0), 0.5001 * 0.99627 * 0.6, 1e-6);
    EXPECT_EQ(SEMDFT(3, 2.0f, 0.8f, 0.6f, 0, 0, 0, 0, 0), 0.0f);
    // Long waves: the step's floor lies just below zero and is held at 0.
    EXPECT_EQ(SEMDFT(1, 0.0f, 1.0f, 1.0f, 0, 0, 0, 0, 0), 0.0f);
    EXPECT_NEAR(SEMDFT(1, 5.0f, 1.0f, 1.0f, 0, 0, 0, 0, 0), 0.5001 * 1.99627, 1e-6);
}

TEST(DriftModels, HalfCircleSineSquares) {
    EXPECT_EQ(S2LTPI(0.0f), 0.0f);
    EXPECT_EQ(S2LTPI(static_cast<float>(pi)), 0.0f);
    EXPECT_EQ(S2GTPI(static_cast<float>(pi)), 0.0f);
    EXPECT_NEAR(S2LTPI(static_cast<float>(pi / 6)), 0.25, 1e-6);
    EXPECT_EQ(S2GTPI(static_cast<float>(pi / 6)), 0.0f);
    EXPECT_NEAR(S2GTPI(static_cast<float>(-pi / 6)), 0.25, 1e-6);
}

TEST(DriftModels, SectorFilterTakesEachSectorsUpperLimit) {
    // Limits 1..8; bow part 1, stern part 10.
    const auto filter = [](float t, bool swept) {
        return FILTA(t, 1.0f, 10.0f, 0.5f, 1.0f, 1.5f, 2.0f, 4.0f, 4.5f, 5.0f, 5.5f, swept);
    };
    EXPECT_EQ(filter(0.5f, false), 0.5f);  // at ANG1: the first sector, bow only
    EXPECT_EQ(filter(0.75f, false), 0.5f); // ANG1..ANG2 without a swept bow
    EXPECT_EQ(filter(0.75f, true), 5.5f);
    EXPECT_EQ(filter(1.25f, false), 5.5f);
    EXPECT_EQ(filter(1.75f, true), 5.0f);
    EXPECT_EQ(filter(3.0f, false), 5.0f); // stern only
    EXPECT_EQ(filter(4.25f, false), 5.5f);
    EXPECT_EQ(filter(5.75f, true), 0.5f);
}

TEST(DriftModels, SquareEndedBoxMirrorsHeadAndFollowingSeas) {
    // Square bow and stern (half-angle pi/2, cotangent 0): head waves push aft on the bow face
    // alone, following waves forward on the stern face alone, beam waves neither.
    const auto half_pi = static_cast<float>(pi / 2);
    const auto surge = [&](double wave_angle) {
        return ANGFC2(1, static_cast<float>(wave_angle), half_pi, half_pi, 0.4f, 0.4f, 0.2f, 0.0f,
                      0.0f);
    };
    EXPECT_NEAR(surge(0.0), -1.0, 1e-6);
    EXPECT_NEAR(surge(pi), 1.0, 1e-6);
    EXPECT_NEAR(surge(pi / 2), 0.0, 1e-6);
    // One entrance face: the surge factor of head waves on a square bow is -1 too.
    EXPECT_NEAR(ANGFC(1, 0.0f, half_pi, 0.2f, 0.0f), -1.0, 1e-6);
    EXPECT_NEAR(ANGFC(3, 0.0f, half_pi, 0.2f, 0.0f), 0.0, 1e-6);
}

TEST(DriftModels, GroupVelocityKeepsTheDeepWaterPhaseSpeed) {
    // 1/2 sqrt(g / k) (1 + 2kd / sinh 2kd): the deep-water phase speed where the finite-depth
    // one belongs, as the current correction of the drift expects.
    struct Case {
        double period, depth, expected;
    };
    for (const Case c : {Case{10.0, 50.0, 8.6772}, Case{15.0, 30.0, 15.9568}}) {
        SCOPED_TRACE(c.depth);
        const double w = 2.0 * pi / c.period;
        const double k = testing::reference_wave_number(w, 9.8, c.depth);
        EXPECT_NEAR(
            GRPVEL(static_cast<float>(k), static_cast<float>(w), static_cast<float>(c.depth), 9.8f),
            c.expected, 2e-4 * c.expected);
        EXPECT_NEAR(GRPVEL(static_cast<float>(k), static_cast<float>(-w),
                           static_cast<float>(c.depth), 9.8f),
                    -c.expected, 2e-4 * c.expected);
    }
    EXPECT_FLOAT_EQ(GRPVEL(0.1f, 1.0f, 301.0f, 9.8f), 0.5f * std::sqrt(98.0f));
}

// |H'_n(x)|^2 from the standard library's Bessel functions: H'_n = (H_n-1 - H_n+1) / 2.
double hankel_derivative_squared(int n, double x) {
    const auto J = [x](int m) {
        return m < 0 ? -std::cyl_bessel_j(1.0, x) : std::cyl_bessel_j(static_cast<double>(m), x);
    };
    const auto Y = [x](int m) {
        return m < 0 ? -std::cyl_neumann(1.0, x) : std::cyl_neumann(static_cast<double>(m), x);
    };
    const double Jp = 0.5 * (J(n - 1) - J(n + 1));
    const double Yp = 0.5 * (Y(n - 1) - Y(n + 1));
    return Jp * Jp + Yp * Yp;
}

TEST(DriftModels, HankelDerivativesInOrder) {
    ScriptedConsole console;
    for (const double x : {0.7, 3.0, 12.0}) {
        for (int n = 0; n <= 8; ++n) {
            SCOPED_TRACE(::testing::Message() << "x " << x << " order " << n);
            float hn = 0.0f;
            float hn1 = 0.0f;
            HN2P(hn, hn1, static_cast<float>(x), n, screen_unit, keyboard_unit);
            EXPECT_NEAR(hn, hankel_derivative_squared(n, x),
                        2e-4 * hankel_derivative_squared(n, x));
            EXPECT_NEAR(hn1, hankel_derivative_squared(n + 1, x),
                        2e-4 * hankel_derivative_squared(n + 1, x));
        }
    }
    EXPECT_EQ(console.screen(), "");
}

TEST(DriftModels, CylinderDriftIsHavelocksMeanDrift) {
    ScriptedConsole console;
    // Deep water (kd = 50) and a deep draft (draft factor 1): the depth-scaled frequency is
    // sqrt(kd), and ka the radius times k = 0.05.
    const float depth = 1000.0f;
    const float k = 0.05f;
    const float WSCAL = std::sqrt(k * depth);
    struct Case {
        double ka, drift;
    };
    for (const Case c :
         {Case{0.5, 0.285986}, Case{1.0, 0.664926}, Case{2.0, 0.627175}, Case{5.0, 0.643760}}) {
        SCOPED_TRACE(c.ka);
        float WAVK = 0.0f;
        const float drift = CYLDFT(WSCAL, static_cast<float>(c.ka) / k, 400.0f, depth, WAVK, 1, 31,
                                   screen_unit, keyboard_unit);
        EXPECT_NEAR(WAVK, k, 1e-6);
        EXPECT_NEAR(drift, c.drift, 3e-4 * c.drift);
    }
    // Short waves: 2/3 times the draft factor 1 - exp(-2kT).
    float WAVK = 0.0f;
    EXPECT_NEAR(CYLDFT(WSCAL, 65.34f / k, 10.0f, depth, WAVK, 1, 31, screen_unit, keyboard_unit),
                2.0 / 3.0 * (1.0 - std::exp(-1.0)), 1e-5);
    EXPECT_EQ(console.screen(), "");
}

TEST(DriftModels, CylinderOfNoRadiusReportsAndGivesNoDrift) {
    {
        ScriptedConsole console("\n");
        float WAVK = 0.0f;
        EXPECT_EQ(CYLDFT(5.0f, 0.0f, 10.0f, 100.0f, WAVK, 1, 31, screen_unit, keyboard_unit), 0.0f);
        EXPECT_EQ(console.screen(), " ++> IER = 99 in CYLDFT...\n"
                                    "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ");
    }
    ScratchFolder folder;
    ScriptedConsole console;
    ASSERT_TRUE(
        open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace, FileForm::formatted));
    float WAVK = 0.0f;
    EXPECT_EQ(run_until_stop([&] {
                  CYLDFT(5.0f, 0.0f, 10.0f, 100.0f, WAVK, 1, 31, diagnostics_unit, keyboard_unit);
              }),
              StopKind::error);
    close_unit(diagnostics_unit);
    EXPECT_EQ(folder.read("Diagnostics.stxt"), " ++> IER = 99 in CYLDFT...\n");
}

} // namespace
} // namespace lintar
