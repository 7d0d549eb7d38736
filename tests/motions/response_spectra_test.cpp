// Tests of the services on the wave grid: GRIDPT's nearest period, SMPIN2 against SMPINT and
// on an even grid, STATCP against the moment of a closed-form sea spectrum, and STATCM's
// transfer of surge to the centre of gravity.
#include "motions/response_spectra.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "motions/wave_setup.h"
#include "support/console.h"
#include "support/fake_hull_model.h"
#include "support/motion_fixture.h"
#include "support/sea_spectra_support.h"
#include "util/spectral_moments.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::FakeHullModel;
using testing::fill_motion_image;
using testing::motion_grid_size;
using testing::pi;
using testing::ScriptedConsole;

constexpr float two_pi = 6.2831855f;

TEST(Gridpt, NearestPeriodOnRisingAndFallingGrids) {
    ScriptedConsole console;
    struct Case {
        const char* name;
        bool rising;
        float period;
        std::int32_t JJ;
    };
    // Rising: T(k) = 2 + k, 3 to 33 s. Falling: T(k) = 34 - k, 33 to 3 s.
    const Case cases[] = {
        {"rising, halfway takes the lower index", true, 3.5f, 1},
        {"rising, nearer the upper", true, 3.75f, 2},
        {"rising, nearer the lower", true, 12.25f, 10},
        {"rising, below the grid", true, 2.0f, 1},
        {"rising, above the grid", true, 50.0f, 31},
        {"falling, halfway takes the lower index", false, 32.5f, 1},
        {"falling, nearer the upper", false, 10.25f, 24},
        {"falling, below the grid", false, 2.0f, 31},
        {"falling, above the grid", false, 50.0f, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TPCM.NWP = motion_grid_size;
        for (int k = 1; k <= motion_grid_size; ++k)
            TPCM.T(k) = static_cast<float>(c.rising ? 2 + k : 34 - k);
        const float OMEGA = two_pi / c.period;
        ASSERT_EQ(two_pi / OMEGA, c.period); // the period comes back exactly
        std::int32_t JJ = 0;
        GRIDPT(OMEGA, JJ);
        EXPECT_EQ(JJ, c.JJ);
    }
}

// The one-parameter Pierson-Moskowitz sea of Hs 4 m (g = 9.8, peak period 15.66 sqrt(Hs / g)
// = 10.0048 s): S(w) = 0.0081 g^2 w^-5 exp(-1.25 (wp / w)^4), m0 = 1.000190 m^2.
double pierson_moskowitz(double w) {
    const double g = 9.8;
    const double wp = 2.0 * pi / (15.66 * std::sqrt(4.0 / g));
    return 0.0081 * g * g / std::pow(w, 5.0) * std::exp(-1.25 * std::pow(wp / w, 4.0));
}

class GridSpectra : public ::testing::Test {
protected:
    ScriptedConsole console{std::string(10, '\n')};
    FakeHullModel fake;
    void SetUp() override {
        fill_motion_image();
        VESL1();
        // The sea spectrum at the wave-spectrum words of the first sea height.
        for (int k = 1; k <= motion_grid_size; ++k)
            HIMEM.RLDUM(HIMEM.LCNPSD + k - 1) =
                static_cast<float>(pierson_moskowitz(2.0 * pi / TPCM.T(k)));
    }
    std::array<float, 100> sea() const {
        std::array<float, 100> s{};
        for (int k = 1; k <= motion_grid_size; ++k)
            s[static_cast<std::size_t>(k - 1)] = HIMEM.RLDUM(HIMEM.LCNPSD + k - 1);
        return s;
    }
};

TEST_F(GridSpectra, UnitResponseGivesTheSeasOwnMomentOnTheGrid) {
    std::array<float, 100> unit{};
    unit.fill(1.0f);
    STATCP(unit, HIMEM.LCNPSD, HIMEM.LCNSIG);
    // Simpson's rule on the 31 periods in double precision: 0.990122 m^2, the analytic 1.000190
    // less the tail beyond the grid.
    EXPECT_NEAR(HIMEM.RLDUM(HIMEM.LCNSIG), 0.990122, 2e-6 * 0.990122 + 1e-6);
    EXPECT_EQ(HIMEM.PSD(5), HIMEM.RLDUM(HIMEM.LCNPSD + 4));
}

TEST_F(GridSpectra, Smpin2StoresTheMomentsOfSmpint) {
    const std::array<float, 100> s = sea();
    SMPIN2(s, HIMEM.LCNWV);
    float m0 = 0.0f;
    float m2 = 0.0f;
    SMPINT(s, m0, m2);
    EXPECT_EQ(HIMEM.RLDUM(HIMEM.LCNWV), m0);
    EXPECT_EQ(HIMEM.RLDUM(HIMEM.LCNWV + 1), m2);
    EXPECT_GT(m2, 0.0f);
}

TEST_F(GridSpectra, Smpin2OnAnEvenGridWeighsTheLastOrdinateFive) {
    // Four periods 3..6 s: the sums over the pairs (1, 2), (3, 4) give the weights 1, 4, 2, 5.
    TPCM.NWP = 4;
    std::array<float, 100> one{};
    one.fill(1.0f);
    SMPIN2(one, HIMEM.LCNSIG);
    double expected = 0.0;
    const double weight[] = {1.0, 4.0, 2.0, 5.0};
    for (int k = 1; k <= 4; ++k) {
        const double w = 2.0 * pi / (2.0 + k);
        expected += weight[k - 1] * w * w;
    }
    expected *= 1.0 / (6.0 * pi); // DT = 1
    EXPECT_NEAR(HIMEM.RLDUM(HIMEM.LCNSIG), expected, 1e-6 * expected);
}

TEST_F(GridSpectra, SurgeAtTheCentreOfGravity) {
    // Surge moved from the pitch centre to the centre of gravity 2 m below it:
    // (1, 0) - 2 (0.3, 0.1) = (0.4, -0.2), whose square modulus is 0.2.
    fake.forces_and_raos(HIMEM.NPASS);
    HIMEM.VTCRP = 12.0f;
    TPCM.VKG = 10.0f;
    TPCM.LCGFLG = 1;
    TPCM.VFWD = 0.0f;
    HIMEM.LFRFLG = 0;
    WAVCOM.IRAO = 1;
    STATCM(HIMEM.LCNSG, HIMEM.LCNPSD, HIMEM.LCNSIG2);
    std::array<float, 100> fifth{};
    fifth.fill(0.2f);
    STATCP(fifth, HIMEM.LCNPSD, HIMEM.LCNSIG);
    EXPECT_NEAR(HIMEM.RLDUM(HIMEM.LCNSIG2), HIMEM.RLDUM(HIMEM.LCNSIG),
                1e-5 * HIMEM.RLDUM(HIMEM.LCNSIG));
    EXPECT_NEAR(HIMEM.RLDUM(HIMEM.LCNSIG2 + 1), HIMEM.RLDUM(HIMEM.LCNSIG + 1),
                1e-5 * HIMEM.RLDUM(HIMEM.LCNSIG + 1));
    EXPECT_NEAR(HIMEM.RLDUM(HIMEM.LCNSIG), 0.2 * 0.990122, 1e-5);
}

} // namespace
} // namespace lintar

namespace lintar {
namespace {

TEST(Scalef, HeadingSixFactorLinesAndTheNote) {
    struct Case {
        std::int32_t NUNTS;
        std::int32_t LCGFLG;
        const char* surge_unit;
        const char* heave_unit;
        const char* yaw_unit;
        const char* note;
    };
    const Case cases[] = {
        {0, 0, "KIPS/DEG", "KIPS/FT", "FT-KIPS/DEG", "\"natural\" roll and pitch centers"},
        {1, 1, "M.TON/DEG", "M.TON/METER", "M.TON-METER/DEG", "vessel center of gravity (VKG)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note);
        testing::ScriptedConsole console;
        TPCM.IUNIT = 6;
        TPCM.IPLOTS = 0;
        TPCM.NUNTS = c.NUNTS;
        TPCM.LCGFLG = c.LCGFLG;
        SCALEF();
        const std::string screen = console.screen();
        EXPECT_EQ(screen.rfind("\n-----  REGULAR WAVE FORCE/TORQUE SCALE FACTORS  ----\n", 0), 0u)
            << screen;
        EXPECT_NE(screen.find("       SURGE .................................."),
                  std::string::npos);
        EXPECT_NE(screen.find(std::string(" ") + c.surge_unit + "\n"), std::string::npos);
        EXPECT_NE(screen.find(std::string(" ") + c.heave_unit + "\n"), std::string::npos);
        EXPECT_NE(screen.find(std::string(" ") + c.yaw_unit + "\n"), std::string::npos);
        EXPECT_NE(screen.find(std::string(" ++> Note: Moments evaluated about ") + c.note + "\n"),
                  std::string::npos);
    }
}

} // namespace
} // namespace lintar
