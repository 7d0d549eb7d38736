// Tests of the single-point mooring equilibrium: the heading scan against moments with known
// roots (the weathervaning moment of wind on a turret-moored hull, and closed forms handed to the
// scan), its catalogue and choice, its limits, and the position search at the chosen heading
// against the independent force balance of a star of four lines on linear tables.
#include "equilibrium/single_point_equilibrium.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/local2.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/turret_mooring.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace lintar {
namespace {

using testing::ScratchFolder;
using testing::ScriptedConsole;
using testing::TurretMooring;

constexpr double pi = std::numbers::pi;
constexpr double dphi = 0.034907144; // the scan's bracket, 2 degrees

// A star of four lines (H = 10 (d - 900), 1000 at rest) whose fairleads stand `radius` from the
// turret centre XSALM = 80 along the lines' azimuths, so that the vessel's offset stretches them
// as if they all left from the centre.
TurretMooring turret_star(double radius) {
    TurretMooring m;
    m.XSALM = 80.0;
    for (const double a : {0.0, 180.0, 90.0, 270.0}) {
        const double r = a * pi / 180.0;
        m.lines.push_back({radius * std::cos(r), radius * std::sin(r), a, 1000.0, 1});
    }
    return m;
}

// The blocks of a run on `m` with nothing in the environment; then, with `wind`, wind of
// method 5 from 30 degrees on a hull whose yaw reference is the turret centre: the moment
// M = -q A_y XSALM sin(30 degrees - psi) turns it to -150 degrees.
void moor(const TurretMooring& m, bool wind) {
    testing::fill_turret_mooring(m);
    TpcmBlock& T = TPCM;
    T.EDUNIT = screen_unit;
    T.VESAN0 = 0.0f;
    T.LSPM = 1;
    T.LOCK_TRT = 0;
    T.BTOUCH = 0;
    T.SHORTY = 1000.0f;
    T.NEWEQL = 0;
    T.SIMTYP = 8;
    T.NUNTS = 0;
    T.LWIND = T.LCURNT = T.LRANDM = T.LSWELL = T.LSWEL2 = 0;
    T.AUXFRC = T.AXFC2 = T.AXFC3 = 0;
    T.DPRFLG = T.DPAFLG = 0;
    T.YAWTBL = 0;
    T.IARCO = 0;
    T.NLIN = static_cast<std::int32_t>(m.lines.size());
    T.HAWSTP = 1;
    LOCAL2.MINLN = 1;
    LOCAL2.MAXLN = T.NLIN;
    if (!wind)
        return;
    T.LWL = 320.0f;
    T.LWIND = 1;
    T.LWBARG = 0x555;
    T.XWARM = T.YWARM = 0.0f;
    T.TXWNDA = T.YWNDAR = 30000.0f;
    T.TWNDCF = 1.0f;
    T.WNDSPD = 50.0f;
    WAVCOM.RHOAIR = 0.0024356f;
    EQUILB.YAWARM = T.XSALM;
    T.WNDHDG = 30.0f;
}

// The left-rectangle sum of `M` over the scan's brackets from -0.5 rad to the end of the bracket
// that holds `root`, in double precision.
template <class Moment> double scan_energy(Moment M, double root) {
    double sum = 0.0;
    for (int k = 0; k < 180; ++k) {
        const double left = -0.5 + k * dphi;
        sum += M(left) * dphi;
        if (left + dphi >= root)
            break;
    }
    return sum;
}

TEST(HeadingScan, WindTurnsTheHullToItsStableHeading) {
    ScriptedConsole console;
    moor(turret_star(10.0), true);
    float heading = 0.0f;
    PNTEQB(heading, equilb_catalogue(), screen_unit, 0);
    const double qAx = SINES.WNDCOF * 30000.0 * 80.0;
    const auto M = [&](double psi) { return -qAx * std::sin(pi / 6 - psi); };
    // Two roots, by increasing scan heading: the unstable 30 degrees, the stable -150.
    EXPECT_NEAR(EQUILB.TANGLE(1), pi / 6, 1e-5);
    EXPECT_EQ(EQUILB.LSTABL(1), 0);
    EXPECT_NEAR(EQUILB.TANGLE(2), -5 * pi / 6, 1e-5);
    EXPECT_EQ(EQUILB.LSTABL(2), 1);
    EXPECT_EQ(EQUILB.ISTAB, 2);
    EXPECT_NEAR(heading, -5 * pi / 6, 1e-5);
    EXPECT_NEAR(EQUILB.ENERGY(1), scan_energy(M, pi / 6), 1e-4 * qAx);
    EXPECT_NEAR(EQUILB.ENERGY(2), scan_energy(M, 7 * pi / 6), 1e-4 * qAx);
    // The force of wind from dead ahead points astern; the vessel looks at -150 degrees, so it
    // points along 30 degrees in global axes, and at 30 degrees the hull lies across it.
    EXPECT_NEAR(EQUILB.SLMANG(2), pi / 6, 1e-4);
    EXPECT_EQ(console.screen(), "");
}

// A moment with roots at -0.49998 rad (+ k pi): the scan's first bracket holds the first root
// and its last bracket, which ends 8e-5 past a full turn, the same root again.
TEST(HeadingScan, RootAtBothEndsOfTheTurnIsRecordedOnce) {
    ScriptedConsole console;
    moor(turret_star(10.0), false);
    EQUILB.TANGLE(3) = 99.0f;
    float heading = 0.0f;
    const auto M = [](float psi) { return -std::sin(psi + 0.49998f); };
    PNTEQB(heading, equilb_catalogue(), screen_unit, 0, M);
    EXPECT_NEAR(EQUILB.TANGLE(1), -0.49998, 2e-6);
    EXPECT_EQ(EQUILB.LSTABL(1), 1);
    EXPECT_NEAR(EQUILB.TANGLE(2), pi - 0.49998, 2e-6);
    EXPECT_EQ(EQUILB.LSTABL(2), 0);
    // The duplicate, found third, is dropped from the count and the choice.
    EXPECT_NEAR(EQUILB.TANGLE(3), -0.49998, 2e-6);
    EXPECT_EQ(EQUILB.ISTAB, 1);
    EXPECT_NEAR(heading, -0.49998, 2e-6);
}

TEST(HeadingScan, WithoutAStableRootTheLargestEnergyIsTaken) {
    ScriptedConsole console;
    moor(turret_star(10.0), false);
    float heading = 0.0f;
    PNTEQB(heading, equilb_catalogue(), screen_unit, 0, [](float psi) { return psi - 1.0f; });
    EXPECT_EQ(EQUILB.LSTABL(1), 0);
    EXPECT_EQ(EQUILB.ISTAB, 1);
    EXPECT_NEAR(heading, 1.0, 2e-6);
    for (const std::int32_t NEWEQL : {0, 1}) { // no other stable root to turn to
        PNTEQB(heading, equilb_catalogue(), screen_unit, NEWEQL,
               [](float psi) { return psi - 1.0f; });
        EXPECT_NEAR(heading, 1.0, 2e-6);
    }
}

// sin(n (psi + 0.5) + phase) over the scan: the roots (k pi - phase) / n - 0.5.
struct ManyRoots {
    const char* name;
    float n, phase;
    int first_k;   // k of the first root in the scan
    int distinct;  // distinct roots in the scan
    bool too_many; // a 31st distinct root ends the run
};

TEST(HeadingScan, ThirtyRootsFitAndTheThirtyFirstStopsTheRun) {
    const ManyRoots cases[] = {
        {"30 roots", 15.0f, 0.1f, 1, 30, false},
        // The 31st root found is the first again, at the end of the turn.
        {"30 roots and the wrap-around duplicate", 15.0f, -15.0f * 0.00004f, 0, 30, false},
        {"31 distinct roots", 15.5f, 0.1f, 1, 31, true},
    };
    for (const ManyRoots& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console("\n");
        moor(turret_star(10.0), false);
        float heading = 0.0f;
        const auto M = [&c](float psi) { return std::sin(c.n * (psi + 0.5f) + c.phase); };
        const auto stop = testing::run_until_stop(
            [&] { PNTEQB(heading, equilb_catalogue(), screen_unit, 0, M); });
        if (c.too_many) {
            ASSERT_TRUE(stop.has_value());
            EXPECT_EQ(ProgramStop(*stop).exit_status(), 1);
            EXPECT_EQ(console.screen(), "\n ++> Too many equilibrium angles found in PNTEQB...\n"
                                        "     Contact Kelbrin for assistance.\n\n \n"
                                        " Press <RETURN> to continue: ");
            continue;
        }
        ASSERT_FALSE(stop.has_value());
        EXPECT_EQ(console.screen(), "");
        for (int j = 1; j <= c.distinct; ++j) {
            const int k = c.first_k + j - 1;
            const double root = (k * pi - c.phase) / c.n - 0.5;
            EXPECT_NEAR(EQUILB.TANGLE(j), std::remainder(root, 2 * pi), 1e-5) << j;
            // cos(k pi) is the sign of the slope: falling (stable) for odd k.
            EXPECT_EQ(EQUILB.LSTABL(j), k % 2) << j;
        }
    }
}

TEST(HeadingScan, NoRootStopsTheRun) {
    for (const bool unattended : {false, true}) {
        SCOPED_TRACE(unattended);
        ScratchFolder folder;
        ScriptedConsole console("\n");
        moor(turret_star(10.0), false);
        if (unattended) {
            ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                                  FileForm::formatted));
        }
        const int unit = unattended ? diagnostics_unit : screen_unit;
        float heading = 0.0f;
        const auto stop = testing::run_until_stop([&] {
            PNTEQB(heading, equilb_catalogue(), unit, 0, [](float psi) { return 2.0f + psi; });
        });
        ASSERT_TRUE(stop.has_value());
        EXPECT_EQ(ProgramStop(*stop).exit_status(), 1);
        const std::string text = "\n ++> No equilibrium condition found.\n"
                                 "     Check data file for oversized external force/moment.\n";
        if (unattended) {
            close_unit(diagnostics_unit);
            EXPECT_EQ(folder.read("Diagnostics.stxt"), text);
            EXPECT_EQ(console.screen(), "");
        } else {
            EXPECT_EQ(console.screen(), text + " \n Press <RETURN> to continue: ");
        }
    }
}

// The position at the chosen heading: the wind's force along 30 degrees moves the turret star
// as it moves the star of lines from one point; the turret stays at its reference angle.
TEST(SinglePointPosition, WindMovesTheTurretToTheForceBalance) {
    ScriptedConsole console;
    moor(turret_star(10.0), true);
    const PlaneSearchOutcome out = SPMEQB(true, 220.0f);
    EXPECT_FALSE(out.ITFAIL);
    EXPECT_NEAR(EQUILB.VESANG(), -5 * pi / 6, 1e-5);
    const double F = SINES.WNDCOF * 30000.0; // the wind from dead ahead: C_x = -cos(pi) ... = 1
    const auto expected = testing::star_equilibrium(F * std::cos(pi / 6), F * std::sin(pi / 6));
    EXPECT_NEAR(EQUILB.RVES(1), expected[0], 0.002);
    EXPECT_NEAR(EQUILB.YCGVAR(), expected[1], 0.002);
    EXPECT_NEAR(EQUILB.TRTNGL, 0.0, 1e-4);
    EXPECT_EQ(console.screen(), "");
}

TEST(SinglePointPosition, StillWaterScansNothingAndKeepsTheHeading) {
    ScriptedConsole console;
    moor(turret_star(10.0), true);
    EQUILB.VESANG() = 1.0f;
    EQUILB.TANGLE(1) = 99.0f;
    TPCM.AUXFRC = 1; // an applied force, not applied in still water
    TPCM.XVFRC = 500.0f;
    SPMEQB(false, 220.0f);
    EXPECT_EQ(EQUILB.VESANG(), 1.0f);
    EXPECT_EQ(EQUILB.TANGLE(1), 99.0f);
    EXPECT_NEAR(EQUILB.RVES(1), 0.0, 1e-3);
    EXPECT_NEAR(EQUILB.YCGVAR(), 0.0, 1e-3);
}

// One slack line straight ahead: its held load does not change along the line, so the Jacobian
// is singular; with a stiffness of 0.2 the held load is 0.02, with 10 it is 1.
void slack_line(double k) {
    TurretMooring m;
    m.XSALM = 0.0;
    m.types = {{k, 900.0}};
    m.lines = {{0.0, 0.0, 0.0, 500.0, 1}};
    moor(m, false);
    TPCM.LSPM = 0;
}

TEST(SinglePointPosition, SingularJacobianWithASmallResidualIsAccepted) {
    ScriptedConsole console;
    slack_line(0.2);
    const PlaneSearchOutcome out = SPMEQB(false, 100.0f);
    EXPECT_FALSE(out.ITFAIL);
    EXPECT_FLOAT_EQ(EQUILB.RVES(1), -100.0f);
    EXPECT_EQ(console.screen(), "");
}

TEST(SinglePointPosition, SingularStillWaterJacobianAsksAndFlagsTheEstimate) {
    const std::string warning =
        "\n ++> Warning: Singular denominator in equilibrium iteration loop.\n\n";
    {
        ScriptedConsole console("\n");
        slack_line(10.0);
        EXPECT_TRUE(SPMEQB(false, 100.0f).ITFAIL);
        EXPECT_EQ(console.screen().rfind(warning, 0), 0u);
    }
    {
        ScratchFolder folder;
        ScriptedConsole console;
        slack_line(10.0);
        ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                              FileForm::formatted));
        TPCM.EDUNIT = diagnostics_unit;
        const auto stop = testing::run_until_stop([] { SPMEQB(false, 100.0f); });
        ASSERT_TRUE(stop.has_value());
        EXPECT_EQ(ProgramStop(*stop).exit_status(), 1);
        close_unit(diagnostics_unit);
        EXPECT_EQ(folder.read("Diagnostics.stxt"), warning);
    }
}

// Wind from astern turns the hull to heading 0, where a DP spring along x as stiff as the star
// makes the Newton step, which sees only the mooring, swing for ever; after 200 iterations the
// question: 99 takes the mean of the swing, "A" ends the run, an unattended run stops.
void swinging() {
    moor(turret_star(0.0), true);
    TPCM.WNDHDG = 180.0f;
    TPCM.DPRFLG = 1;
    TPCM.DPXSPR = 22.0f;
    TPCM.DPXFRC = 500.0f;
}

TEST(SinglePointPosition, IterationFailureAsksAndNinetyNineTakesTheMean) {
    const std::string report = "\n ++> Iteration failure in mean position determination;\n\n"
                               " Enter 99 to continue with current best estimate OR...\n";
    {
        ScriptedConsole console("99\n");
        swinging();
        const PlaneSearchOutcome out = SPMEQB(true, 220.0f);
        EXPECT_TRUE(out.ITFAIL);
        EXPECT_NEAR(EQUILB.VESANG(), 0.0, 1e-5);
        // The mean of a swing about the root of 500 - F_wind - 22 x = the star's force.
        const double F = 500.0 - SINES.WNDCOF * 30000.0;
        EXPECT_NEAR(EQUILB.RVES(1), testing::star_equilibrium(F, 0.0)[0] / 2.0, 0.5);
        EXPECT_EQ(console.screen().rfind(report, 0), 0u);
    }
    {
        ScriptedConsole console("a\n");
        swinging();
        EXPECT_EQ(testing::run_until_stop([] { SPMEQB(true, 220.0f); }), StopKind::user_choice);
        EXPECT_EQ(console.screen().rfind(report, 0), 0u);
    }
    {
        ScratchFolder folder;
        ScriptedConsole console;
        swinging();
        ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                              FileForm::formatted));
        TPCM.EDUNIT = diagnostics_unit;
        const auto stop = testing::run_until_stop([] { SPMEQB(true, 220.0f); });
        ASSERT_TRUE(stop.has_value());
        EXPECT_EQ(ProgramStop(*stop).exit_status(), 1);
        close_unit(diagnostics_unit);
        EXPECT_EQ(folder.read("Diagnostics.stxt"), report);
    }
}

} // namespace
} // namespace lintar
