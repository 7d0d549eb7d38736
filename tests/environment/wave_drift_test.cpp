// Tests of the wave drift force from spectra: the user-file wall against the sea's own moment,
// the zero sea, the current-corrected wave number against an independent solve, the current's
// amplification of the drift in deep water, the slow-drift mode, the group speed at the peak
// drift load and the refusals.
#include "environment/wave_drift.h"

#include "blocks/equilb.h"
#include "blocks/pascom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/group_speed.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/mooring_fixture.h"
#include "support/sea_spectra_support.h"
#include "util/flags.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <string>

namespace lintar {
namespace {

using testing::pi;
using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

constexpr double g = 9.8;
constexpr double depth = 1000.0;

// m0 of the one-parameter Pierson-Moskowitz sea of Hs 4 m (g = 9.8, peak period
// 15.66 sqrt(Hs / g)) by Simpson's rule over the 31 periods 3 to 33 s in double precision: the
// analytic 1.000190 m^2 less the tail beyond the grid.
constexpr double pm_m0_on_grid = 0.990122;

double pierson_moskowitz(double w) {
    const double wp = 2.0 * pi / (15.66 * std::sqrt(4.0 / g));
    return 0.0081 * g * g / std::pow(w, 5.0) * std::exp(-1.25 * std::pow(wp / w, 4.0));
}

// The method code of every component, packed one nibble each.
std::int32_t codes(std::int32_t surge, std::int32_t sway, std::int32_t yaw) {
    return surge + 16 * sway + 256 * yaw;
}

// A metric data image with the grid of 31 periods 3 to 33 s in 1000 m of water, the wave
// numbers solved independently, a box hull of 200 x 32 x 10 m and no current.
class WaveDrift : public ::testing::Test {
protected:
    ScratchFolder folder;
    std::optional<ScriptedConsole> console_{std::in_place, std::string(10, '\n')};
    ScriptedConsole& console = *console_;
    std::array<float, 100> sea{};

    void SetUp() override {
        testing::fill_new_file();
        TPCM.NUNTS = 1;
        TPCM.DEPTH = static_cast<float>(depth);
        TPCM.LWL = 200.0f;
        TPCM.BWL = 32.0f;
        TPCM.DRAFT = 10.0f;
        TPCM.VESTYP = 1;
        TPCM.SIMTYP = 1;
        TPCM.LCURNT = 0;
        TPCM.CURCOR = 1;
        TPCM.LEGDFC = 0;
        TPCM.WVFCX = TPCM.WVFCY = TPCM.WVFCM = 1.0f;
        TPCM.WPITCH = 1.0f;
        TPCM.XSHDOW = TPCM.YSHDOW = 1.0f;
        TPCM.NBUG = 0;
        TPCM.EDUNIT = screen_unit;
        testing::set_period_grid(3.0f, 1.0f, 31, static_cast<float>(g));
        for (int k = 1; k <= 31; ++k) {
            WAVCOM.WVK(k) =
                static_cast<float>(testing::reference_wave_number(WAVCOM.W(k), g, depth));
            sea[static_cast<std::size_t>(k - 1)] =
                static_cast<float>(pierson_moskowitz(WAVCOM.W(k)));
            for (int s = 1; s <= 3; ++s)
                PASCOM.RLRAOH2(k, s) = 1.0f;
        }
        EQUILB.VESANG() = 0.0f;
        EQUILB.BOWANG = EQUILB.STRNAN = 0.6f;
        EQUILB.COTBOW = EQUILB.COTSTN = 1.0f / std::tan(0.6f);
        EQUILB.BOWARM = EQUILB.STRNRM = 0.45f;
        EQUILB.BLRAT0 = 0.16f;
        EQUILB.LEFRAT = EQUILB.LEFRT2 = 0.8f;
        EQUILB.MOMCOF = 0.1f;
        PASCOM.MENWLX = PASCOM.MENWLY = 20.0f;
    }

    // A user file whose coefficients are the same at every frequency from 0.1 to 3 rad/s and
    // depend on the heading h (degrees, 0 to 360 by 45) only: surge 1, sway `sway`(h), yaw 0.
    template <class Sway> void write_user_file(Sway sway) const {
        std::string text = "2 9\n";
        for (int i = 0; i < 9; ++i) {
            const double h = 45.0 * i;
            text += std::to_string(h) + "\n";
            for (const double w : {0.1, 3.0})
                text += std::to_string(w) + " 1 " + std::to_string(sway(h)) + " 0\n";
        }
        folder.write("DRFTCOFS.txt", text);
    }
};

TEST_F(WaveDrift, UserFileOfUnitSwayGivesTheSeasMomentOnTheGrid) {
    TPCM.LWVCOF = codes(1, 1, 1);
    write_user_file([](double) { return 1.0; });
    const float m0 = DRIFTF(0, 2, 0.3f, sea, 0.0f, 0, 1);
    EXPECT_NEAR(m0, pm_m0_on_grid, 2e-6);
    // With the beam coefficient 1.025 x 200 of a 200 m hull: 202.97 t (Maruo's
    // rho g L Hs^2 / 16 gives 205 t for the untruncated spectrum).
    EXPECT_NEAR(1.025 * 200.0 * m0, 202.97, 0.005);
    EXPECT_EQ(console.screen(), "");
}

TEST_F(WaveDrift, WithoutCurrentTheFluxRunsAlongTheRelativeAngle) {
    // Sway coefficient h / 360 over the file's heading h = relative angle + 180 degrees.
    TPCM.LWVCOF = codes(1, 1, 1);
    write_user_file([](double h) { return h / 360.0; });
    for (const double relative : {-150.0, -60.0, 30.0, 120.0}) {
        SCOPED_TRACE(relative);
        const double heading = std::fmod(relative + 180.0 + 360.0, 360.0);
        EXPECT_NEAR(DRIFTF(0, 2, static_cast<float>(relative * pi / 180.0), sea, 0.0f, 0, 1),
                    heading / 360.0 * pm_m0_on_grid, 1e-5);
    }
}

TEST_F(WaveDrift, SeaOfZerosGivesNoDriftForEveryModel) {
    const std::array<float, 100> calm{};
    write_user_file([](double) { return 1.0; });
    for (const std::int32_t code : {1, 2, 3, 4, 5, 6, 7}) {
        TPCM.LWVCOF = codes(code, code, code);
        for (std::int32_t component = 1; component <= 3; ++component) {
            SCOPED_TRACE(::testing::Message() << "code " << code << " component " << component);
            EXPECT_EQ(DRIFTF(0, component, 0.7f, calm, 0.0f, 0, 1), 0.0f);
            EXPECT_EQ(DRIFTF(1, component, 0.7f, calm, 0.05f, 0, 1), 0.0f);
        }
    }
    EXPECT_EQ(console.screen(), "");
}

TEST_F(WaveDrift, ModelsWithoutAYawDriftGiveNoYaw) {
    for (const std::int32_t code : {4, 5, 7}) {
        SCOPED_TRACE(code);
        TPCM.LWVCOF = codes(code, code, code);
        EXPECT_EQ(DRIFTF(0, 3, 0.7f, sea, 0.0f, 0, 1), 0.0f);
        EXPECT_NE(DRIFTF(0, 1, 0.7f, sea, 0.0f, 0, 1), 0.0f);
    }
}

TEST_F(WaveDrift, EmpiricalModelInDeepWater) {
    // At the highest grid frequency (T = 3 s, kd = 447) the group-speed factor is 1 and the
    // coefficient of head waves in surge is -1/3 (tanh(k L / 2 - 3.5) + 1).
    TPCM.LWVCOF = codes(4, 4, 4);
    bool first = true;
    const double k = testing::reference_wave_number(2.0 * pi / 3.0, g, depth);
    const double expected = -0.33333 * (std::tanh(0.5 * k * 200.0 - 3.5) + 1.0);
    EXPECT_NEAR(DRFTC(1, 1, 0, 4, "", 0.0f, first, "DRIFTF", 1), expected, 2e-5);
    EXPECT_FALSE(first);
}

// The wave number of (w - k U cos b)^2 = g k tanh kd by bisection in double precision, on the
// branch that joins the still-water root as U goes to 0.
double current_wave_number(double w, double U_along) {
    double lo = 1e-9;
    double hi = 10.0 * w * w / g + 10.0;
    const auto f = [&](double k) {
        const double intrinsic = w - k * U_along;
        return intrinsic * std::abs(intrinsic) - g * k * std::tanh(k * depth);
    };
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        (f(mid) > 0.0 ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

TEST_F(WaveDrift, CurrentCorrectedWaveNumberAgainstAnIndependentSolve) {
    struct Case {
        double w, U; // rad/s; current along the wave, m/s
    };
    for (const Case c : {Case{0.5, 1.0}, Case{1.0, 0.5}, Case{0.8, -0.5}, Case{1.5, -0.3}}) {
        SCOPED_TRACE(::testing::Message() << "w " << c.w << " U " << c.U);
        const double scale = std::sqrt(depth / g);
        float kd = 0.0f;
        WAVCURVEC(static_cast<float>(c.w * scale), static_cast<float>(c.U / std::sqrt(g * depth)),
                  kd);
        const double k = current_wave_number(c.w, c.U);
        EXPECT_NEAR(kd / depth, k, 2e-5 * k);
    }
}

TEST_F(WaveDrift, SmallFollowingCurrentAmplifiesTheDriftByFourWUOverG) {
    // Surge from a user file of constant coefficient: the current enters only through its
    // amplification 1 + 2U / c_g + U^2 / c_g^2, to first order 1 + 4 w U / g in deep water.
    TPCM.LWVCOF = codes(1, 1, 1);
    write_user_file([](double) { return 1.0; });
    const int IW = 3; // T = 5 s
    bool first = true;
    const float still = DRFTC(1, IW, 1, 1, "DRFTCOFS.txt ", 0.0f, first, "DRIFTF", 1);
    TPCM.LCURNT = 1;
    TPCM.CURSPD = 0.1f; // knots: U = 0.05142 m/s, running with the waves
    TPCM.CURHDG = 180.0f;
    first = true;
    const float moving = DRFTC(1, IW, 1, 1, "DRFTCOFS.txt ", 0.0f, first, "DRIFTF", 1);
    const double U = 0.1 * 0.5142;
    const double w = WAVCOM.W(IW);
    EXPECT_NEAR(moving / still, 1.0 + 4.0 * w * U / g, 2e-4);
    EXPECT_GT(moving / still - 1.0, 0.9 * 4.0 * w * U / g);
}

TEST_F(WaveDrift, RefractionByACrossCurrentKeepsTheBoxHullDriftFinite) {
    // The box hull refracts the flux of sway and yaw through the current across the waves.
    TPCM.LWVCOF = codes(6, 6, 6);
    TPCM.LCURNT = 1;
    TPCM.CURSPD = 3.0f;
    TPCM.MUNKFAC1 = 1.0f;
    TPCM.XCURNTDN = TPCM.XCURNTUP = TPCM.YCURNTDN = 0.5f;
    for (const float current_heading : {0.0f, 45.0f, 90.0f, 200.0f, 270.0f}) {
        TPCM.CURHDG = current_heading;
        for (const float relative : {0.0f, 0.5f, 1.5707964f, 2.5f, -1.2f}) {
            for (std::int32_t component = 1; component <= 3; ++component) {
                SCOPED_TRACE(::testing::Message()
                             << current_heading << " " << relative << " " << component);
                EXPECT_TRUE(std::isfinite(DRIFTF(0, component, relative, sea, 0.0f, 0, 1)));
            }
        }
    }
    EXPECT_EQ(console.screen(), "");
}

TEST_F(WaveDrift, SlowDriftAtZeroDifferenceIsTheIntegralOfTheSquaredDensity) {
    TPCM.LWVCOF = codes(1, 1, 1);
    write_user_file([](double) { return 0.5; });
    // Simpson's rule over the period grid of (0.5 S)^2, in double precision.
    double sum = 0.0;
    for (int k = 1; k <= 31; ++k) {
        const double w = WAVCOM.W(k);
        const double s = 0.5 * sea[static_cast<std::size_t>(k - 1)];
        const double weight = k == 1 || k == 31 ? 1.0 : k % 2 == 0 ? 4.0 : 2.0;
        sum += weight * s * s * w * w;
    }
    const double expected = sum / (6.0 * pi);
    EXPECT_NEAR(DRIFTF(1, 2, 0.3f, sea, 0.0f, 0, 1), expected, 1e-5 * expected);
}

TEST_F(WaveDrift, GroupSpeedAtThePeakDriftLoad) {
    TPCM.LWVCOF = codes(1, 1, 1);
    write_user_file([](double) { return 1.0; });
    std::int32_t IPEAK = -1;
    const std::array<float, 100> calm{};
    EXPECT_FLOAT_EQ(GRPSPD(calm, 2, 0.0f, IPEAK, 1),
                    GROUPSPD(WAVCOM.W(1), WAVCOM.WVK(1), TPCM.DEPTH, WAVCOM.G));
    EXPECT_EQ(IPEAK, 1);
    // A unit coefficient peaks where the sea does: T = 10 s, grid point 8, in deep water
    // (kd = 40) half the phase speed.
    const float speed = GRPSPD(sea, 2, 0.0f, IPEAK, 1);
    EXPECT_EQ(IPEAK, 8);
    EXPECT_NEAR(speed, g * 10.0 / (4.0 * pi), 1e-3);
}

TEST_F(WaveDrift, ComponentOutsideOneToThreeStops) {
    TPCM.LWVCOF = codes(2, 2, 2) + 4096 * 2;
    EXPECT_EQ(run_until_stop([&] { DRIFTF(0, 4, 0.0f, sea, 0.0f, 0, 1); }), StopKind::error);
    EXPECT_EQ(console.screen(), " >>> LCOMP error in DRIFTF; contact Kelbrin.\n");
}

TEST_F(WaveDrift, UnknownMethodWarnsOnceAndGivesZeroOrStops) {
    TPCM.LWVCOF = codes(8, 8, 8);
    EXPECT_EQ(DRIFTF(0, 1, 0.0f, sea, 0.0f, 0, 1), 0.0f);
    EXPECT_EQ(console.screen(),
              " ++> Warning: Drift forces for this vessel type are not implemented.\n"
              "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ");
    // A new console (which starts from a fresh program state) answers "A".
    console_.reset();
    ScriptedConsole aborting("a\n");
    SetUp();
    TPCM.LWVCOF = codes(8, 8, 8);
    EXPECT_EQ(run_until_stop([&] { DRIFTF(0, 1, 0.0f, sea, 0.0f, 0, 1); }), StopKind::user_choice);
}

} // namespace
} // namespace lintar
