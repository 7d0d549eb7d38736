// Tests of the three-degree-of-freedom equilibrium search on a star of four lines with linear
// tables (H = k (d - d0)), whose equilibria under an applied force are solved independently from
// the same force balance in double precision; its failure paths, interactive and unattended.
#include "equilibrium/plane_equilibrium.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/local.h"
#include "blocks/local2.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/turret_mooring.h"
#include "util/angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::ScratchFolder;
using testing::ScriptedConsole;
using testing::TurretLine;
using testing::TurretMooring;

constexpr double pi = std::numbers::pi;

// The star: anchors 1000 from the fairleads along +x, -x, +y, -y, every fairlead at the turret
// centre XSALM (at the origin unless asked), H(d) = 10 (d - 900), 1000 at rest.
TurretMooring star(double XSALM = 0.0) {
    TurretMooring m;
    m.XSALM = XSALM;
    m.lines = {{0.0, 0.0, 0.0, 1000.0, 1},
               {0.0, 0.0, 180.0, 1000.0, 1},
               {0.0, 0.0, 90.0, 1000.0, 1},
               {0.0, 0.0, 270.0, 1000.0, 1}};
    return m;
}

// The blocks of a run of the search on `m`, nothing in the environment switched on.
void moor(const TurretMooring& m) {
    testing::fill_turret_mooring(m);
    TpcmBlock& T = TPCM;
    T.EDUNIT = screen_unit;
    T.VESAN0 = 0.0f;
    T.LSPM = 0;
    T.LOCK_TRT = 0;
    T.BTOUCH = 0;
    T.SHORTY = 1000.0f; // position steps of 0.1
    T.DEPTH = 300.0f;
    T.NEWEQL = 0;
    T.SIMTYP = 8;
    T.LWIND = T.LCURNT = T.LRANDM = T.LSWELL = T.LSWEL2 = 0;
    T.AUXFRC = T.AXFC2 = T.AXFC3 = 0;
    T.DPRFLG = T.DPAFLG = 0;
    T.YAWTBL = 0;
    T.IARCO = 0;
    T.NLIN = static_cast<std::int32_t>(m.lines.size());
    T.HAWSTP = 1;
    LOCAL2.MINLN = 1;
    LOCAL2.MAXLN = T.NLIN;
}

// An applied force in global axes (Fx, Fy) at the moment centre.
void apply_force(float Fx, float Fy) {
    TPCM.AUXFRC = 1;
    TPCM.CRDSYS = 0;
    TPCM.XVFRC = Fx;
    TPCM.YVFRC = Fy;
}

// The debug dumps of the search: the values under each occurrence of `label`.
std::vector<std::vector<float>> dumps(const std::string& screen, const std::string& label) {
    std::vector<std::vector<float>> out;
    std::istringstream in(screen);
    std::string line;
    bool take = false;
    while (std::getline(in, line)) {
        if (line == label) {
            out.emplace_back();
            take = true;
            continue;
        }
        if (!take)
            continue;
        if (line.size() % 12 != 0 || line.empty() ||
            line.find_first_of("0123456789") == line.npos) {
            take = false;
            continue;
        }
        for (std::size_t p = 0; p < line.size(); p += 12)
            out.back().push_back(std::stof(line.substr(p, 12)));
        if (line.size() < 72)
            take = false;
    }
    return out;
}

// Within the search's own tolerance on the position: |dx| < 0.001 or 1e-4 relative, with the
// float rounding of the last step on top.
double position_tolerance(double x) {
    return std::max(0.002, 2e-4 * std::abs(x));
}

TEST(PlaneEquilibrium, AppliedForceMovesTheStarToTheIndependentBalance) {
    struct Case {
        const char* name;
        float Fx, Fy;
    };
    const float diagonal = static_cast<float>(500.0 / std::sqrt(2.0));
    const Case cases[] = {
        {"500 along x", 500.0f, 0.0f},
        {"1000 along x", 1000.0f, 0.0f},
        {"500 at 45 degrees", diagonal, diagonal},
    };
    // Values handed over with the problem: 22.72248, 45.41628, 16.07571 (both components).
    const double handed_over[] = {22.72248, 45.41628, 16.07571};
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        moor(star());
        apply_force(c.Fx, c.Fy);
        const PlaneSearchOutcome out = EQFIND(true, 220.0f, false);
        const auto expected = testing::star_equilibrium(c.Fx, c.Fy);
        EXPECT_NEAR(expected[0], handed_over[n], 1e-5);
        EXPECT_NEAR(EQUILB.RVES(1), expected[0], position_tolerance(expected[0]));
        EXPECT_NEAR(EQUILB.YCGVAR(), expected[1], position_tolerance(expected[1]));
        EXPECT_EQ(EQUILB.VESANG(), 0.0f); // the 2 x 2 path: the heading is held
        EXPECT_EQ(EQUILB.ZCGVAR, 0.0f);
        EXPECT_FALSE(out.ITFAIL);
        // No fairlead arm and no environmental moment: the moment row vanishes.
        EXPECT_EQ(LOCAL.DFZX(), 0.0f);
        EXPECT_EQ(LOCAL.DFZY(), 0.0f);
        EXPECT_EQ(LOCAL.DFZZ(), 0.0f);
        EXPECT_EQ(console.screen(), "");
        ++n;
    }
}

// The Jacobian's translational terms are the star's stiffness: 2k + 2 H0 / R0 = 22 at rest, and
// at the first case's solution the independent central difference of the force balance.
TEST(PlaneEquilibrium, JacobianIsTheStarStiffness) {
    // Forward differences of float forces of ~1000 over a step of 1: rounding ~3e-4, curvature
    // ~3e-4; missing the lateral lines' H / d would be off by 2.
    constexpr double tol = 0.001;
    {
        ScriptedConsole console;
        moor(star());
        TPCM.SHORTY = 10000.0f;
        EQFIND(false, 220.0f, false);
        EXPECT_NEAR(LOCAL.DFXX(), -22.0, tol);
        EXPECT_NEAR(LOCAL.DFYY(), -22.0, tol);
        EXPECT_NEAR(LOCAL.DFXY(), 0.0, tol);
        EXPECT_NEAR(LOCAL.DFYX(), 0.0, tol);
    }
    {
        ScriptedConsole console;
        moor(star());
        TPCM.SHORTY = 10000.0f;
        apply_force(500.0f, 0.0f);
        EQFIND(true, 220.0f, false);
        const double x = EQUILB.RVES(1);
        const double k =
            -(testing::star_force(x + 1e-4, 0)[0] - testing::star_force(x - 1e-4, 0)[0]) / 2e-4;
        EXPECT_NEAR(k, 22.0139, 1e-4);
        EXPECT_NEAR(LOCAL.DFXX(), -k, tol);
    }
}

// Still water on the symmetric star: the start is the equilibrium, but convergence is declared
// only at the fourth iteration; the heading is VESAN0 reduced to (-pi, pi].
TEST(PlaneEquilibrium, StillWaterConvergesAtTheStartFromTheFourthIteration) {
    ScriptedConsole console("1\n");
    moor(star());
    TPCM.VESAN0 = 4.0f;
    TPCM.NBUG0 = 1;
    const PlaneSearchOutcome out = EQFIND(false, 220.0f, false);
    // The anchors' float positions (cos 90 degrees is not 0 in single precision) move the
    // balance by some 1e-5.
    EXPECT_NEAR(EQUILB.RVES(1), 0.0, 1e-4);
    EXPECT_NEAR(EQUILB.YCGVAR(), 0.0, 1e-4);
    EXPECT_NEAR(EQUILB.VESANG(), 4.0 - 2.0 * pi, 1e-6);
    EXPECT_FALSE(out.ITFAIL);
    const std::string screen = console.screen();
    EXPECT_EQ(screen.rfind(" ### In EQFIND:\n Input NBUG: ", 0), 0u);
    EXPECT_EQ(dumps(screen, "XCGVAR,YCGVAR,VESANG").size(), 4u);
    EXPECT_NE(screen.find("++> All done!: IEQSET =  0\n"), std::string::npos);
}

// A weathervaning moment with the fairleads at the pivot: wind at 30 degrees (method 5) turns
// the vessel to -150 degrees, the only stable heading; a large first heading step is clipped to
// 0.75 rad; the alternate-equilibrium trials come back to the same heading.
void weathervane() {
    moor(star(80.0));
    TPCM.LWL = 320.0f;
    TPCM.LWIND = 1;
    TPCM.LWBARG = 0x555;
    TPCM.XWARM = TPCM.YWARM = 0.0f;
    TPCM.TXWNDA = 400.0f;
    TPCM.YWNDAR = 2000.0f;
    SINES.WNDCOF = 0.05f;
    EQUILB.YAWARM = TPCM.XSALM;
    TPCM.WNDHDG = 30.0f;
    // From -90 degrees the Newton step of M = -q A x sin(30 degrees - psi) is tan(120 degrees) =
    // -1.73 rad.
    TPCM.VESAN0 = static_cast<float>(-pi / 2);
}

TEST(PlaneEquilibrium, WeathervaningTurnsToTheStableHeading) {
    for (const std::int32_t NEWEQL : {0, 1}) {
        SCOPED_TRACE(NEWEQL);
        ScriptedConsole console("1\n");
        weathervane();
        TPCM.NEWEQL = NEWEQL;
        TPCM.NBUG0 = 1;
        EQFIND(true, 220.0f, false);
        EXPECT_NEAR(EQUILB.VESANG(), -150.0 * pi / 180.0, 0.002);
        // The first Newton step asks for more than 0.75 rad of turn and gets 0.75.
        const auto steps =
            dumps(console.screen(), "NEWSTUFF: DXEST,XCGVAR,DYEST,YCGVAR,DZEST,VESANG");
        ASSERT_FALSE(steps.empty());
        ASSERT_EQ(steps[0].size(), 6u);
        EXPECT_FLOAT_EQ(std::abs(steps[0][4]), 0.75f);
    }
}

// A single slack line, straight ahead of the fairlead: its load does not change along the line,
// so the Jacobian is singular while the net force is not zero.
void slack_line() {
    TurretMooring m;
    m.lines = {{0.0, 0.0, 0.0, 500.0, 1}};
    moor(m);
}

TEST(PlaneEquilibrium, SingularJacobianWithoutLoadIsAnEquilibrium) {
    ScriptedConsole console;
    slack_line();
    LINCOM.LINEID(1) = 1024 + 1; // skipped: no load at all
    const PlaneSearchOutcome out = EQFIND(false, 100.0f, false);
    EXPECT_FALSE(out.ITFAIL);
    EXPECT_EQ(console.screen(), "");
    EXPECT_FLOAT_EQ(EQUILB.RVES(1), -100.0f); // the single line's start point
}

const std::string singular_warning =
    "\n ++> Warning: Singular denominator in orientation iteration loop.\n\n";

TEST(PlaneEquilibrium, SingularStillWaterJacobianAsksAndFlagsTheEstimate) {
    {
        ScriptedConsole console("\n");
        slack_line();
        const PlaneSearchOutcome out = EQFIND(false, 100.0f, false);
        EXPECT_TRUE(out.ITFAIL);
        EXPECT_EQ(console.screen().rfind(singular_warning, 0), 0u);
        EXPECT_FLOAT_EQ(EQUILB.RVES(1), -100.0f);
    }
    {
        ScriptedConsole console("a\n");
        slack_line();
        EXPECT_EQ(testing::run_until_stop([] { EQFIND(false, 100.0f, false); }),
                  StopKind::user_choice);
    }
    {
        ScratchFolder folder;
        ScriptedConsole console;
        slack_line();
        ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                              FileForm::formatted));
        TPCM.EDUNIT = diagnostics_unit;
        const auto stop = testing::run_until_stop([] { EQFIND(false, 100.0f, false); });
        ASSERT_TRUE(stop.has_value());
        EXPECT_EQ(ProgramStop(*stop).exit_status(), 1);
        close_unit(diagnostics_unit);
        EXPECT_EQ(folder.read("Diagnostics.stxt"), singular_warning);
        EXPECT_EQ(console.screen(), "");
    }
}

// In the environment a singular Jacobian restarts the search 50 times; the 51st is fatal.
TEST(PlaneEquilibrium, SingularJacobianInTheEnvironmentEndsAfterFiftyRestarts) {
    ScriptedConsole console("\n");
    slack_line();
    EXPECT_EQ(testing::run_until_stop([] { EQFIND(true, 100.0f, false); }), StopKind::error);
    EXPECT_EQ(console.screen(), "\n ++> Fatal Condition: Equilibrium condition determination\n"
                                "      failed for unknown reasons\n\n \n"
                                " Press <RETURN> to continue: ");
}

// A DP spring along x as stiff as the star: the Newton step, which sees only the mooring's
// stiffness, overshoots by exactly the error and the iteration swings for ever. The random
// restarts start 0.1 off the mean; after the tenth block the failure report asks.
void swinging() {
    moor(star());
    TPCM.DPRFLG = 1;
    TPCM.DPXSPR = 22.0f;
    TPCM.DPXFRC = 500.0f;
}

const UniformRandom half = [] { return 0.5f; };

TEST(PlaneEquilibrium, IterationFailureReportsAndNinetyNineAcceptsTheEstimate) {
    ScriptedConsole console("99\n");
    swinging();
    TPCM.VESAN0 = static_cast<float>(2.0 * pi); // one full turn: the DP force keeps its axis
    const PlaneSearchOutcome out = EQFIND(true, 220.0f, false, half);
    EXPECT_TRUE(out.ITFAIL);
    // The root of 500 - 22 x = mooring force: near 500 / 44; the estimate swings about it.
    EXPECT_NEAR(EQUILB.RVES(1), 500.0 / 44.0, 0.3);
    // The completion steps ran: the heading, 2 pi plus ten restarts' 0.1 degree, is reduced.
    EXPECT_NEAR(EQUILB.VESANG(), 10.0 * 0.1 * pi / 180.0, 1e-5);
    const std::string screen = console.screen();
    const std::string head =
        "\n ++> Iteration failure in mean position determination after  900 attempts;\n\n";
    ASSERT_EQ(screen.rfind(head, 0), 0u);
    std::istringstream in(screen.substr(head.size()));
    std::string position;
    std::string force;
    std::getline(in, position);
    std::getline(in, force);
    // An E10.2 field: blanks, an optional minus, "0.", two digits, "E", a sign, two digits.
    const auto e10 = [](const std::string& field) {
        const auto digit = [](char c) { return c >= '0' && c <= '9'; };
        std::size_t k = field.find_first_not_of(' ');
        if (k == std::string::npos)
            return false;
        if (field[k] == '-')
            ++k;
        const std::string rest = field.substr(k);
        return rest.size() == 8 && rest.compare(0, 2, "0.") == 0 && digit(rest[2]) &&
               digit(rest[3]) && rest[4] == 'E' && (rest[5] == '+' || rest[5] == '-') &&
               digit(rest[6]) && digit(rest[7]);
    };
    const auto fields_ok = [&](const std::string& line, const std::string& prefix) {
        if (line.rfind(prefix, 0) != 0 || line.size() != prefix.size() + 30)
            return false;
        for (std::size_t p = prefix.size(); p < line.size(); p += 10)
            if (!e10(line.substr(p, 10)))
                return false;
        return true;
    };
    EXPECT_TRUE(fields_ok(position, " Current Position error estimates {x,y,yaw (deg)}:    "));
    EXPECT_TRUE(fields_ok(force, " Current Net Force/Moment error estimates {x,y,yaw}:  "));
    std::string rest((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(rest.rfind("\n Enter 99 to continue with current best estimate OR...\n", 0), 0u);
}

TEST(PlaneEquilibrium, IterationFailureRepeatsAfterEveryBlockUntilAbort) {
    {
        ScriptedConsole console("\na\n");
        swinging();
        EXPECT_EQ(testing::run_until_stop([] { EQFIND(true, 220.0f, false, half); }),
                  StopKind::user_choice);
        const std::string screen = console.screen();
        EXPECT_NE(screen.find("after  900 attempts;"), std::string::npos);
        EXPECT_NE(screen.find("after 1000 attempts;"), std::string::npos);
    }
    {
        ScratchFolder folder;
        ScriptedConsole console;
        swinging();
        ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                              FileForm::formatted));
        TPCM.EDUNIT = diagnostics_unit;
        const auto stop = testing::run_until_stop([] { EQFIND(true, 220.0f, false, half); });
        ASSERT_TRUE(stop.has_value());
        EXPECT_EQ(ProgramStop(*stop).exit_status(), 1);
        close_unit(diagnostics_unit);
        const std::string text = folder.read("Diagnostics.stxt");
        EXPECT_EQ(text.rfind("\n ++> Iteration failure in mean position determination after  900 "
                             "attempts;\n",
                             0),
                  0u);
        EXPECT_EQ(console.screen(), "");
    }
}

// The weathervaning moment M = -q A x sin(h - psi) of wind from h is zero, but unstable, at
// the wind's own heading h. Started at h = 30 degrees, the search stands still there,
// converges, finds the heading unstable and turns it by +pi, to the stable 210 degrees. With
// the wind from 0 degrees and the swinging DP spring along x no block converges: the first
// block's mean heading is the unstable 0, its restart point 0.1 degree past it (the draw 0.5),
// and that point is unstable too. There the moment's drop over the next 0.1 rad,
// M(psi) - M(psi + 0.1), exceeds its rise over the 0.1 rad before, M(psi - 0.1) - M(psi), by
// -M'' 0.01 = 0.01 q A x sin(0.1 degree) > 0: the turn is by -pi, to -179.9 degrees, stable,
// where the DP spring, turned with the vessel, no longer swings the search and it converges.
// The headings of the debug dumps show each turn and its sign.
TEST(PlaneEquilibrium, UnstableHeadingsTurnByPiEachWay) {
    const double degree = pi / 180.0;
    const auto M = [](double psi) { return std::sin(psi); }; // wind from 0, per q A x
    const double restart = 0.1 * degree;
    ASSERT_LT(M(restart) - M(restart + 0.1), 0.0);
    ASSERT_GT(M(restart) - M(restart + 0.1), M(restart - 0.1) - M(restart));
    const auto headings = [](const std::string& screen) {
        std::vector<float> out;
        for (const auto& d : dumps(screen, "XCGVAR,YCGVAR,VESANG"))
            out.push_back(d.at(2));
        return out;
    };
    const auto near = [](float psi, double target) { return std::abs(psi - target) < 0.01; };
    {
        SCOPED_TRACE("converged at the unstable heading");
        ScriptedConsole console("1\n");
        weathervane();
        TPCM.VESAN0 = static_cast<float>(30.0 * degree);
        TPCM.NBUG0 = 1;
        EXPECT_FALSE(EQFIND(true, 220.0f, false).ITFAIL);
        const auto psi = headings(console.screen());
        ASSERT_FALSE(psi.empty());
        EXPECT_TRUE(near(psi.front(), 30.0 * degree)) << psi.front();
        EXPECT_TRUE(near(psi.back(), 210.0 * degree)) << psi.back();
        for (const float p : psi)
            EXPECT_TRUE(near(p, 30.0 * degree) || near(p, 210.0 * degree)) << p;
        EXPECT_NEAR(EQUILB.VESANG(), -150.0 * degree, 0.002);
    }
    SCOPED_TRACE("unstable restart point");
    ScriptedConsole console("1\n");
    weathervane();
    TPCM.WNDHDG = 0.0f;
    TPCM.VESAN0 = 0.0f;
    TPCM.DPRFLG = 1;
    TPCM.DPXSPR = 22.0f;
    TPCM.DPXFRC = 500.0f;
    TPCM.NBUG0 = 1;
    EXPECT_FALSE(EQFIND(true, 220.0f, false, half).ITFAIL);
    const auto psi = headings(console.screen());
    ASSERT_GT(psi.size(), 100u); // the first block, then the search from the turned heading
    for (std::size_t k = 0; k < 100; ++k)
        EXPECT_TRUE(near(psi[k], 0.0)) << k << ' ' << psi[k];
    for (std::size_t k = 100; k < psi.size(); ++k)
        EXPECT_TRUE(near(psi[k], -pi)) << k << ' ' << psi[k];
    EXPECT_EQ(console.screen().find("++> Iteration failure"), std::string::npos);
    EXPECT_NEAR(std::abs(EQUILB.VESANG()), pi, 0.01); // reduced to (-pi, pi]
}

// A yaw table that does not vanish at 0 degrees: a moment of 10 per degree short of 180 from the
// heading into the force, 1800 at 0 and 0 at 180 (entries every 10 degrees, the last interval
// extended). With the force along +x the heading into it is pi; at p degrees off it the moment
// is -sign(p) 10 (180 - |p|). It jumps from +1800 to -1800 at pi (no root there for the Newton
// step) and runs linearly through 0 at heading 0, where it rises by 10 x 5.73 = 57.3 over the
// next 0.1 rad: unstable. Every Newton search ends at heading 0, from the start at 0.3 rad and
// after every turn (pi, pi/2, pi/4, then 0.1, 0.2, ...), so the question comes at the fourth and
// the eighth failed attempt; "A" ends the run there, an unattended run stops at the first.
void yaw_table_without_zero() {
    moor(star());
    apply_force(100.0f, 0.0f);
    TPCM.VESAN0 = 0.3f;
    TPCM.YAWTBL = 1;
    TPCM.YAWINC = 10.0f;
    TPCM.EQLYAW = 0.0f;
    for (int k = 1; k <= testing::turret_numtab; ++k)
        TPCM.AUXTRQ(k) = 10.0f * (180.0f - 10.0f * static_cast<float>(k - 1));
}

TEST(PlaneEquilibrium, FourUnstableHeadingsInARowAsk) {
    const std::string question = " ++> Having difficulty finding a stable equilibrium...\n"
                                 "     Current number of failed attempts = ";
    const std::string pause = "\x07\n Enter \"A\" to abort or Press <RETURN> to continue: ";
    {
        ScriptedConsole console("\na\n");
        yaw_table_without_zero();
        EXPECT_EQ(testing::run_until_stop([] { EQFIND(true, 220.0f, false); }),
                  StopKind::user_choice);
        EXPECT_EQ(console.screen(), question + " 4\n" + pause + question + " 8\n" + pause);
        // Stopped at the eighth heading found, a whole number of turns from 0.
        EXPECT_NEAR(ANGSYM(EQUILB.VESANG()), 0.0f, 1e-3f);
    }
    ScratchFolder folder;
    ScriptedConsole console;
    yaw_table_without_zero();
    ASSERT_TRUE(
        open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace, FileForm::formatted));
    TPCM.EDUNIT = diagnostics_unit;
    const auto stop = testing::run_until_stop([] { EQFIND(true, 220.0f, false); });
    ASSERT_TRUE(stop.has_value());
    EXPECT_EQ(ProgramStop(*stop).exit_status(), 1);
    close_unit(diagnostics_unit);
    EXPECT_EQ(folder.read("Diagnostics.stxt"), question + " 4\n");
    EXPECT_EQ(console.screen(), "");
}

// Two lines pulling along +x unevenly (fairleads (-10, -20) and (50, -10) on the turret, anchors
// 1200 and 1000 beyond them; turret centre 80): the second line's load changes with the turret
// angle as much as its arm does, so the moment's zeros lie near 63.1 and 231.0 degrees, 167.9
// degrees apart. The search about 150 degrees runs from 60 to 240 degrees, where the
// independent moment is +4951 and +13543: no sign change, and the search fails (code 2) at its
// right end. The single-point search reports the code and stops. EQFIND counts the failure as an
// unstable root and turns the turret by pi from that end: the search about 60 degrees finds the
// zero near 63.1 degrees, where the moment falls as the turret turns on (stable).
TEST(PlaneEquilibrium, TurretSearchWithoutASignChange) {
    TurretMooring m;
    m.lines = {{-10.0, -20.0, 0.0, 1200.0, 1}, {50.0, -10.0, 0.0, 1000.0, 1}};
    const double degree = std::numbers::pi / 180.0;
    const auto moment = [&](double theta) { return testing::turret_moment(m, theta, 0.0, 0.0); };
    ASSERT_GT(moment(60.0 * degree), 4000.0);
    ASSERT_GT(moment(240.0 * degree), 13000.0);
    double lo = 60.0 * degree; // the moment is positive here and negative at 90 degrees
    double hi = 90.0 * degree;
    ASSERT_LT(moment(hi), 0.0);
    for (int k = 0; k < 60; ++k)
        (moment(0.5 * (lo + hi)) > 0.0 ? lo : hi) = 0.5 * (lo + hi);
    const double root = lo;
    EXPECT_NEAR(root / degree, 63.1, 0.1);

    const auto fill = [&] {
        testing::fill_turret_mooring(m);
        TPCM.NLIN = 2;
        TPCM.LSPM = 1;
        TPCM.EDUNIT = screen_unit;
        LOCAL2.MINLN = 1;
        LOCAL2.MAXLN = 2;
        EQUILB.TRTNGL = static_cast<float>(150.0 * degree);
    };
    {
        SCOPED_TRACE("single-point search");
        ScriptedConsole console("\n");
        fill();
        EXPECT_EQ(testing::run_until_stop([] { solve_turret_angle(TurretRootFailure::fatal); }),
                  StopKind::error);
        EXPECT_EQ(console.screen(), " IER =  2 in turret orientation calc\n"
                                    " \n Press <RETURN> to continue: ");
    }
    SCOPED_TRACE("plane search");
    ScriptedConsole console;
    fill();
    EXPECT_FALSE(testing::run_until_stop([] { solve_turret_angle(TurretRootFailure::unstable); }));
    EXPECT_NEAR(std::remainder(EQUILB.TRTNGL - root, 2.0 * std::numbers::pi), 0.0, 1e-4);
    EXPECT_EQ(console.screen(), "");
}

} // namespace
} // namespace lintar
