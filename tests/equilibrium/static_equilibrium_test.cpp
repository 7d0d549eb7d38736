// The static-equilibrium stage on the closed-form spread mooring: the copies and conversions of
// its start, the passes and their line ranges, the starting force and the yaw stiffness against
// the lines' closed-form catenaries, the unstable-state warning and the reset, the turret
// torque; on the linear spread, the report "MEANOUT.stxt" of an applied force.
#include "equilibrium/static_equilibrium.h"
#include "equilibrium/turret_torque.h"

#include "blocks/curprof.h"
#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/lincom.h"
#include "blocks/local2.h"
#include "blocks/pascom.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/edit_descriptors.h"
#include "support/console.h"
#include "support/fake_hull_model.h"
#include "support/linear_spread_report.h"
#include "support/motion_fixture.h"
#include "support/spread_mooring_tables.h"
#include "support/two_body.h"
#include "util/angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <numbers>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

constexpr float DEGRAD = 57.295776f;
const Chain chain{}; // 0.1 kips/ft, EA 2e5 kips, 3000 ft

// The table interpolation against the closed form: a line's load is read linearly between
// table points some 7 kips apart near its 100 kips, which is good to about 0.1 kips; a wrong
// geometry or sign is off by tens of kips (force) or thousands of kip-ft (moment).
constexpr double force_tol = 0.5;    // kips
constexpr double moment_tol = 150.0; // kip-ft: 0.5 kips at an arm of 300 ft

const std::string computing = " >>> Computing mean vessel offset and orientation...\n";
const std::string pause = " \n Press <RETURN> to continue: ";

// The symmetric spread of the closed-form tables as a data file of this program: heading
// `heading` (degrees) with the line azimuths turned by it, turret centre at x0, no loads.
void fill_spread(float heading = 0.0f, float x0 = 0.0f) {
    fill_spread_tables(chain, 3, 10.0f);
    TPCM.SIMTYP = 8;
    TPCM.NUNTS = 0;
    TPCM.LWL = 600.0f;
    TPCM.SHORTY = static_cast<float>(chain.L); // the solvers' difference step is 1e-4 of it
    TPCM.DEPTH = static_cast<float>(spread_depth);
    TPCM.LQUAS = 0;
    TPCM.LRESET = 1;
    TPCM.XSALM = x0;
    TPCM.VESAN0 = heading;
    for (int i = 1; i <= 4; ++i)
        TPCM.ANGDEP(i) = spread_azimuth[static_cast<std::size_t>(i - 1)] + heading;
}

struct Loads {
    double Fx = 0.0, Fy = 0.0, Tz = 0.0;
};

// The loads of the active lines from their closed-form catenaries: each fairlead (relative to
// the turn centre (x0, 0)) turned from the frame angle frame0 to frame (radians) and moved by
// (dx, dy); its line pulls toward the anchor that lies RANC along ANGDEP from the fairlead's
// reference position. Fx, Fy global; Tz the yaw moment about the turn centre.
Loads catenary_loads(double frame0, double frame, double dx, double dy) {
    Loads out;
    const double x0 = TPCM.XSALM;
    for (int i = 1; i <= TPCM.NLIN; ++i) {
        if (LINCOM.LINEID(i) > 1024)
            continue;
        const double x = TPCM.RFLD(1, i) - x0;
        const double y = TPCM.RFLD(2, i);
        const double ax = x * std::cos(frame) - y * std::sin(frame);
        const double ay = x * std::sin(frame) + y * std::cos(frame);
        const double ux = ax - (x * std::cos(frame0) - y * std::sin(frame0)) + dx;
        const double uy = ay - (x * std::sin(frame0) + y * std::cos(frame0)) + dy;
        const double a = TPCM.ANGDEP(i) * std::numbers::pi / 180.0;
        const double vx = LINCOM.RANC(i) * std::cos(a) - ux;
        const double vy = LINCOM.RANC(i) * std::sin(a) - uy;
        const double d = std::hypot(vx, vy);
        const double H = catenary_at_distance(chain, d, spread_depth).H;
        const double fx = H * vx / d;
        const double fy = H * vy / d;
        out.Fx += fx;
        out.Fy += fy;
        out.Tz += ax * fy - ay * fx;
    }
    return out;
}

// QSTAT with the runs of its passes collected.
std::vector<QstatRun> run_qstat() {
    std::vector<QstatRun> passes;
    QSTAT([&](const QstatRun& run) { passes.push_back(run); });
    return passes;
}

TEST(StaticEquilibrium, StartsTheSymmetricSpreadBalancedAndStable) {
    ScriptedConsole console;
    fill_spread(40.0f);
    TPCM.BVSAN0 = -45.0f;
    for (int i = 1; i <= 4; ++i)
        LINCOM.RANCP(i) = LINCOM.RANCK(i) = LINCOM.ANGDPP(i) = -1.0f;
    TPCM.DPMOM = 7.0f;
    // Rotation offsets left by an earlier six-degree-of-freedom equilibrium.
    ERGCOM.ROLOFF = ERGCOM.PITOFF = ERGCOM.YAWOFF = 0.5f;

    const auto passes = run_qstat();
    EXPECT_EQ(console.screen(), computing);
    ASSERT_EQ(passes.size(), 1u);
    const QstatRun& run = passes[0];

    // The copies, the headings in radians (once), the reference turret angle, the range.
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(LINCOM.RANCP(i), LINCOM.RANC(i));
        EXPECT_EQ(LINCOM.RANCK(i), LINCOM.RANC(i));
        EXPECT_EQ(LINCOM.ANGDPP(i), TPCM.ANGDEP(i));
    }
    EXPECT_EQ(TPCM.VESAN0, 40.0f / DEGRAD);
    EXPECT_EQ(TPCM.BVSAN0, -45.0f / DEGRAD);
    EXPECT_EQ(EQUILB.TRTNG0, 0.0f);
    EXPECT_EQ(LOCAL2.MINLN, 1);
    EXPECT_EQ(LOCAL2.MAXLN, 4);
    EXPECT_EQ(WAVCOM.RHOAIR, 0.0024356f);
    EXPECT_EQ(TPCM.DPMOM, 0.0f);
    EXPECT_EQ(run.OFFMAX, LINCOM.ANCDST(90, LINCOM.MIDLYR, 1) - LINCOM.ANCDST(1, LINCOM.MIDLYR, 1));

    // The starting state and its loads: the closed form balances them.
    EXPECT_EQ(EQUILB.VESANG(), TPCM.VESAN0);
    EXPECT_EQ(EQUILB.TRTNGL, 0.0f);
    EXPECT_EQ(EQUILB.RVES(1), 0.0f);
    EXPECT_EQ(EQUILB.YCGVAR(), 0.0f);
    EXPECT_EQ(ERGCOM.ROLOFF, 0.0f);
    EXPECT_EQ(ERGCOM.PITOFF, 0.0f);
    EXPECT_EQ(ERGCOM.YAWOFF, 0.0f);
    const double psi = TPCM.VESAN0;
    const Loads start = catenary_loads(psi, psi, 0.0, 0.0);
    EXPECT_NEAR(start.Fx, 0.0, 1e-9);
    EXPECT_NEAR(run.FXERR, start.Fx, force_tol);
    EXPECT_NEAR(run.FYERR, start.Fy, force_tol);
    EXPECT_NEAR(run.TZERR, start.Tz, moment_tol);
    EXPECT_EQ(run.FXTMP, run.FXERR);

    // The yaw stiffness: the moment at the heading less that 0.1 rad further, restoring.
    const double turned = catenary_loads(psi, psi + 0.1f, 0.0, 0.0).Tz;
    EXPECT_NEAR(run.DTZTMP, start.Tz - turned, moment_tol);
    EXPECT_GT(start.Tz - turned, 10.0 * moment_tol);
    EXPECT_FALSE(run.ENVRON);
}

// A single line starts the turret at the vessel's heading; its range is one line, and OFFMAX
// the largest distance of its table. The lone line is out of balance: the warning's pause.
TEST(StaticEquilibrium, SingleLineStartsTheTurretAtTheHeading) {
    ScriptedConsole console("\n");
    fill_spread(30.0f);
    TPCM.NLIN = 1;
    TPCM.LRESET = 0;
    const auto passes = run_qstat();
    ASSERT_EQ(passes.size(), 1u);
    EXPECT_EQ(EQUILB.TRTNG0, 30.0f / DEGRAD);
    EXPECT_EQ(EQUILB.TRTNGL, EQUILB.TRTNG0);
    EXPECT_EQ(LOCAL2.MINLN, 1);
    EXPECT_EQ(LOCAL2.MAXLN, 1);
    EXPECT_EQ(passes[0].OFFMAX, LINCOM.ANCDST(90, LINCOM.MIDLYR, 1));
}

// The yaw stiffness of a freely turning turret is that of the turret turned by 0.1 rad in its
// own frame (TRTNG0 = 0); a locked turret or a spread mooring turns the vessel from its
// heading. The heading of 40 degrees tells the two apart.
TEST(StaticEquilibrium, FreeTurretYawStiffnessComesFromTheTurretTorque) {
    struct Case {
        const char* name;
        std::int32_t LSPM, LOCK_TRT;
        bool turret_frame;
    };
    const Case cases[] = {
        {"free turret", 1, 0, true},
        {"locked turret", 1, 1, false},
        {"no turret", 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console("\n");
        fill_spread(40.0f, 100.0f);
        TPCM.LSPM = c.LSPM;
        TPCM.LOCK_TRT = c.LOCK_TRT;
        TPCM.LRESET = 0;
        const auto passes = run_qstat();
        ASSERT_EQ(passes.size(), 1u);
        const double frame0 = c.turret_frame ? 0.0 : static_cast<double>(TPCM.VESAN0);
        const Loads start = catenary_loads(frame0, frame0, 0.0, 0.0);
        const Loads turned = catenary_loads(frame0, frame0 + 0.1f, 0.0, 0.0);
        EXPECT_NEAR(passes[0].TZERR, start.Tz, moment_tol);
        EXPECT_NEAR(passes[0].DTZTMP, start.Tz - turned.Tz, moment_tol);
    }
}

TEST(StaticEquilibrium, TurretTorqueMatchesTheCatenaryMoment) {
    struct Case {
        const char* name;
        float dx, dy, TRTNG0, TRTTMP;
        int skipped;
    };
    const Case cases[] = {
        {"reference state", 0.0f, 0.0f, 0.0f, 0.0f, 0},
        {"offset and turned", 5.0f, -3.0f, 0.2f, 0.35f, 0},
        {"turned back, line 2 skipped", -8.0f, 2.0f, -0.3f, -0.1f, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        fill_spread(0.0f, 100.0f);
        if (c.skipped != 0)
            LINCOM.LINEID(c.skipped) = 1025;
        LOCAL2.MINLN = 1;
        LOCAL2.MAXLN = 4;
        EQUILB.RVES(1) = c.dx;
        EQUILB.YCGVAR() = c.dy;
        EQUILB.TRTNG0 = c.TRTNG0;
        const Loads expected = catenary_loads(c.TRTNG0, c.TRTTMP, c.dx, c.dy);
        EXPECT_NEAR(TRTTRQ(c.TRTTMP), expected.Tz, moment_tol);
    }
}

// Line 3 left out: the others pull the vessel along 45 degrees. The warning shows the net
// loads and pauses; "-1" there ends the run; with LRESET 1 it says that the lines are modified
// and the state is reset to the still-water equilibrium nearby: the lines' distances and
// azimuths take the solved state, which the closed form finds balanced at the new heading; a
// loads-only run stops before the check.
TEST(StaticEquilibrium, UnstableStartIsReportedAndReset) {
    const auto fill = [](std::int32_t LRESET) {
        fill_spread();
        LINCOM.LINEID(3) = 1025;
        TPCM.LRESET = LRESET;
    };
    std::string warning;
    {
        ScriptedConsole console("\n");
        fill(0);
        const auto passes = run_qstat();
        ASSERT_EQ(passes.size(), 1u);
        const QstatRun& run = passes[0];
        const Loads start = catenary_loads(0.0, 0.0, 0.0, 0.0);
        EXPECT_NEAR(run.FXTMP, start.Fx, force_tol);
        EXPECT_NEAR(run.FYTMP, start.Fy, force_tol);
        EXPECT_NEAR(run.TZTMP, start.Tz, moment_tol);
        EXPECT_GT(start.Fx, 50.0);
        EXPECT_EQ(run.EQFAIL, 0);
        EXPECT_EQ(TPCM.VESAN0, 0.0f);
        warning = "++> WARNING: specified initial conditions did not produce a\n"
                  "    stable equilibrium configuration in quiescent conditions, producing\n"
                  "    the following net forces and moment in the global coordinate system:\n"
                  "\n"
                  "        X Force component  -> " +
                  E(run.FXTMP, 12, 4) + "\n        Y Force component  -> " + E(run.FYTMP, 12, 4) +
                  "\n        Z Moment component -> " + E(run.TZTMP, 12, 4) + "\n";
        EXPECT_EQ(console.screen(), computing + warning + pause);
    }
    const std::string modified = "    Initial line tensions/departure angles have been modified\n"
                                 "    to produce a quiescent-condition equilibrium configuration\n";
    struct Case {
        const char* name;
        std::int32_t LRESET, ONLYLD;
        std::string keyboard;
        std::optional<StopKind> stop;
        std::string screen;
    };
    const Case cases[] = {
        {"abort at the pause", 0, 0, "-1\n", StopKind::user_choice, computing + warning + pause},
        {"reset", 1, 0, "\n", std::nullopt, computing + warning + modified + pause},
        {"loads only", 1, 1, "", std::nullopt, computing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console(c.keyboard);
        fill(c.LRESET);
        TPCM.ONLYLD = c.ONLYLD;
        TPCM.ISURGE = c.ONLYLD;
        EXPECT_EQ(run_until_stop([] { QSTAT(); }), c.stop);
        EXPECT_EQ(console.screen(), c.screen);
    }

    // The reset: the lines as the data now give them balance the vessel at the solved heading,
    // which is the new reference; the environmental solve starts from the origin.
    ScriptedConsole console("\n");
    fill(1);
    const auto passes = run_qstat();
    ASSERT_EQ(passes.size(), 1u);
    EXPECT_EQ(passes[0].EQFAIL, 1);
    EXPECT_EQ(passes[0].IEQTYP, 1);
    EXPECT_FALSE(passes[0].ENVRON);
    EXPECT_EQ(TPCM.VESAN0, EQUILB.VESANG());
    EXPECT_EQ(EQUILB.RVES(1), 0.0f);
    EXPECT_EQ(EQUILB.YCGVAR(), 0.0f);
    const double psi = TPCM.VESAN0;
    const Loads reset = catenary_loads(psi, psi, 0.0, 0.0);
    EXPECT_NEAR(reset.Fx, 0.0, force_tol);
    EXPECT_NEAR(reset.Fy, 0.0, force_tol);
    EXPECT_NEAR(reset.Tz, 0.0, moment_tol);
    EXPECT_NE(TPCM.ANGDEP(1), spread_azimuth[0]); // the lines were modified
}

// The limits of the stability test count as stable; the moment limit is half the waterline
// length, half the draft without one.
TEST(StaticEquilibrium, StabilityLimitsCountAsStable) {
    TPCM.LWL = 300.0f;
    TPCM.DRAFT = 20.0f;
    EXPECT_EQ(stability_moment_scale(), 150.0f);
    TPCM.LWL = 0.0f;
    EXPECT_EQ(stability_moment_scale(), 10.0f);

    struct Case {
        float FX, FY, TZ, DTZ;
        bool unstable;
    };
    const float after_half = std::nextafter(0.5f, 1.0f);
    const Case cases[] = {
        {0.5f, -0.5f, 10.0f, 0.0f, false},
        {-0.5f, 0.5f, -10.0f, 1.0f, false},
        {after_half, 0.0f, 0.0f, 0.0f, true},
        {0.0f, -after_half, 0.0f, 0.0f, true},
        {0.0f, 0.0f, std::nextafter(10.0f, 11.0f), 0.0f, true},
        {0.0f, 0.0f, -std::nextafter(10.0f, 11.0f), 0.0f, true},
        {0.0f, 0.0f, 0.0f, -1e-6f, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::vector<float>{c.FX, c.FY, c.TZ, c.DTZ}));
        EXPECT_EQ(quiescent_state_unstable(c.FX, c.FY, c.TZ, c.DTZ, 10.0f), c.unstable);
    }
}

TEST(StaticEquilibrium, RefusesAHawserOutsideTheMooring) {
    ScriptedConsole console("\n");
    fill_spread();
    TPCM.IARCO = 1;
    TPCM.HAWSLN = 5;
    EXPECT_EQ(run_until_stop([] { QSTAT(); }), StopKind::error);
    EXPECT_EQ(console.screen(),
              computing + "\n ++> Hawser line number 5 is not a line of the mooring (1 to 4)\n" +
                  pause);
}

// An environment whose only load is an applied force of no magnitude (the buoy pass of a
// two-body file whose tanker carries no load) is solved like any other: the solver returns the
// still-water state, and the report has its full-environment section.
TEST(StaticEquilibrium, AnEnvironmentWithoutLoadKeepsTheStillWaterState) {
    ScratchFolder folder;
    ScriptedConsole console;
    fill_spread();
    TPCM.IUNIT = 1;
    TPCM.LEQCND = 1;
    TPCM.LQUAS = 1;
    TPCM.LRESET = 1;
    TPCM.AUXFRC = 1;
    TPCM.XVFRC = 0.0f;
    TPCM.YVFRC = 0.0f;
    const auto passes = run_qstat();
    ASSERT_EQ(passes.size(), 1u);
    EXPECT_TRUE(passes[0].ENVRON);
    EXPECT_EQ(EQUILB.FEXTRN, 0.0f);
    EXPECT_NEAR(EQUILB.RVES(1), 0.0, 1e-3);
    EXPECT_NEAR(EQUILB.YCGVAR(), 0.0, 1e-3);
    EXPECT_NEAR(EQUILB.VESANG(), 0.0, 1e-5);
    EXPECT_EQ(EQUILB.FXENV, 0.0f);
    EXPECT_EQ(EQUILB.FYENV, 0.0f);
    EXPECT_EQ(console.screen(), computing);
    const std::string report = folder.read("MEANOUT.stxt");
    EXPECT_NE(report.find("IIa.  Quiescent Equilibrium Summary"), std::string::npos);
    EXPECT_NE(report.find("IIb.  Full-Environment Equilibrium Summary"), std::string::npos);
}

// Without the environmental solve (LQUAS or LRESET off) the applied-force words are set from
// the data: magnitude and direction; a force switched off is cleared; a zero force keeps the
// direction it had.
TEST(StaticEquilibrium, SetsTheAppliedForceWords) {
    for (const std::int32_t LQUAS : {0, 1}) {
        SCOPED_TRACE(LQUAS);
        ScriptedConsole console;
        fill_spread();
        TPCM.LQUAS = LQUAS;
        TPCM.LRESET = LQUAS == 0 ? 1 : 0;
        TPCM.AUXFRC = 1;
        TPCM.XVFRC = 3.0f;
        TPCM.YVFRC = -4.0f;
        TPCM.AXFC2 = 0;
        TPCM.XVFRC2 = 6.0f;
        EQUILB.FXTRN2 = EQUILB.PHIFX2 = 9.0f;
        TPCM.AXFC3 = 1;
        EQUILB.PHIFX3 = 0.7f;
        EQUILB.FXTRN3 = 2.0f;
        const auto passes = run_qstat();
        ASSERT_EQ(passes.size(), 1u);
        EXPECT_FALSE(passes[0].ENVRON);
        EXPECT_EQ(EQUILB.FEXTRN, 5.0f);
        EXPECT_EQ(EQUILB.PHIFEX, std::atan2(-4.0f, 3.0f));
        EXPECT_EQ(EQUILB.FXTRN2, 0.0f);
        EXPECT_EQ(EQUILB.PHIFX2, 0.0f);
        EXPECT_EQ(EQUILB.FXTRN3, 0.0f);
        EXPECT_EQ(EQUILB.PHIFX3, 0.7f);
    }
}

// The tanker on its hawser (line 5, left slack: skipped) and the buoy on lines 1 to 4. Pass 1
// sees the hawser from the tanker; pass 2 has the buoy in the vessel section with the tanker's
// load at the hawser; afterwards TPCM describes the tanker again, with the changes of the
// passes that are meant to last, and EQUILB holds the tanker's state and the buoy's heading.
TEST(StaticEquilibrium, TwoBodyPassesAndRestoresTheTanker) {
    ScriptedConsole console("\n"); // the slack hawser lies outside its table: a warning
    fill_spread(10.0f);            // the buoy's mooring, at the buoy's heading
    TPCM.IARCO = 1;
    TPCM.NLIN = 5;
    TPCM.HAWSLN = 5;
    LINCOM.LINEID(5) = 1025;
    LINCOM.RANC(5) = 300.0f;
    TPCM.ANGDEP(5) = 170.0f; // from the buoy to the tanker
    // The second body's section: the buoy.
    TPCM.BVSAN0 = 10.0f;
    TPCM.BXSALM = 2.0f;
    TPCM.BLWL = 50.0f;
    TPCM.BAXFRC = 0;
    TPCM.BCDSYS = 1;
    TPCM.BXVFRC = 7.0f;
    TPCM.BYVFRC = 8.0f;
    TPCM.BXVLOC = 9.0f;
    TPCM.BYVLOC = 6.0f;
    TPCM.BRACC(1, 5) = 10.0f;
    TPCM.BRACC(3, 5) = 5.0f;
    // The vessel section: the tanker.
    TPCM.VESAN0 = 25.0f;
    TPCM.XSALM = 150.0f;
    TPCM.ENDHT = 12.0f;
    TPCM.AUXFRC = 0;
    TPCM.CRDSYS = 1;
    TPCM.RACC(1, 5) = 1.0f;
    TPCM.RACC(2, 5) = 2.0f;
    TPCM.RACC(3, 5) = 3.0f;
    TPCM.ISPM = 3;

    // What TPCM should be afterwards: the headings in radians, the buoy's first applied force
    // now the tanker's load at the hawser, the hawser's fairlead at the buoy.
    auto expected = std::make_unique<TpcmBlock>(TPCM);
    expected->VESAN0 = 25.0f / DEGRAD;
    expected->BVSAN0 = 10.0f / DEGRAD;
    expected->BXVFRC = expected->BYVFRC = 0.0f;
    expected->BXVLOC = 10.0f;
    expected->BYVLOC = 0.0f;
    expected->RFLD(1, 5) = 10.0f;
    expected->RFLD(2, 5) = 0.0f;
    expected->RFLD(3, 5) = 5.0f;

    int pass = 0;
    const auto stop = run_until_stop([&] {
        QSTAT([&](const QstatRun& run) {
            ++pass;
            SCOPED_TRACE(pass);
            EXPECT_EQ(run.ILOOP, pass);
            if (pass == 1) { // the tanker on its hawser, seen from the tanker
                EXPECT_EQ(TPCM.ISPM, 3);
                EXPECT_EQ(LOCAL2.MINLN, 5);
                EXPECT_EQ(LOCAL2.MAXLN, 5);
                EXPECT_EQ(TPCM.ANGDEP(5), -10.0f);
                EXPECT_EQ(TPCM.RFLD(1, 5), 150.0f);
                EXPECT_EQ(TPCM.RFLD(2, 5), 0.0f);
                EXPECT_EQ(TPCM.RFLD(3, 5), 12.0f);
                EXPECT_EQ(TPCM.VESAN0, 25.0f / DEGRAD);
                EXPECT_EQ(run.FXERR, 0.0f); // the slack hawser
                EXPECT_EQ(run.OFFMAX, 0.0f);
            } else { // the buoy on the other lines
                EXPECT_EQ(TPCM.ISPM, 2);
                EXPECT_EQ(LOCAL2.MINLN, 1);
                EXPECT_EQ(LOCAL2.MAXLN, 4);
                EXPECT_EQ(TPCM.ANGDEP(5), 170.0f);
                EXPECT_EQ(TPCM.VESAN0, 10.0f / DEGRAD); // the buoy's, converted once
                EXPECT_EQ(TPCM.BVSAN0, 25.0f / DEGRAD);
                EXPECT_EQ(TPCM.XSALM, 2.0f);
                EXPECT_EQ(TPCM.AUXFRC, 1);
                EXPECT_EQ(TPCM.CRDSYS, 0);
                EXPECT_EQ(TPCM.XVFRC, 0.0f);
                EXPECT_EQ(TPCM.YVFRC, 0.0f);
                EXPECT_EQ(TPCM.XVLOC, 10.0f);
                EXPECT_EQ(TPCM.YVLOC, 0.0f);
                EXPECT_EQ(TPCM.RFLD(1, 5), 10.0f);
                EXPECT_EQ(TPCM.RFLD(3, 5), 5.0f);
                EXPECT_EQ(EQUILB.VESANG(), 10.0f / DEGRAD);
                EXPECT_NEAR(run.FXERR, 0.0, force_tol);
                EXPECT_NEAR(run.FYERR, 0.0, force_tol);
            }
        });
    });
    EXPECT_FALSE(stop) << console.screen();
    EXPECT_EQ(pass, 2);
    EXPECT_TRUE(console.screen().starts_with(
        computing + " ++> Warning: A fairlead-anchor distance for line number  5, and possibly\n"))
        << console.screen();
    EXPECT_EQ(LOCAL2.MINLN, 1);
    EXPECT_EQ(LOCAL2.MAXLN, 4);
    EXPECT_NE(TPCM.MRWRNS, 0); // the warning is given once
    expected->MRWRNS = TPCM.MRWRNS;
    for (int w = 1; w <= tpcm_word_count; ++w)
        if (tpcm_word(TPCM, w) != tpcm_word(*expected, w))
            ADD_FAILURE() << "TPCM word " << w << " differs";

    EXPECT_EQ(EQUILB.VESANG(), 25.0f / DEGRAD);
    EXPECT_EQ(EQUILB.TNKNGL(), 25.0f / DEGRAD);
    EXPECT_EQ(EQUILB.BUYNGL(), 10.0f / DEGRAD);
    EXPECT_EQ(EQUILB.RVES(1), 0.0f);
    EXPECT_EQ(EQUILB.YCGVAR(), 0.0f);
    EXPECT_EQ(EQUILB.TNKDEP, -10.0f); // the hawser seen from the tanker
    EXPECT_EQ(EQUILB.BUYDEP, 170.0f); // and from the buoy, as the data give it
    EXPECT_EQ(LINCOM.ANGDPP(5), 170.0f);
}

// The analysis entry's checks, each limited to what the run uses: the offset program refuses a
// sea, swell, current or wind switch and checks nothing of the coefficients; the other codes
// check the vessel's dimensions where the coefficients are prepared, the period grid where the
// sea state is set; the six-degree-of-freedom hulls need water under the keel.
TEST(StaticEquilibrium, EntryChecksRefuseWhatTheRunWouldUse) {
    struct Case {
        const char* name;
        std::function<void()> change;
        std::string first_line; // "" when the check passes
    };
    const auto code = [](std::int32_t SIMTYP) {
        TPCM.EDUNIT = screen_unit;
        TPCM.SIMTYP = SIMTYP;
        TPCM.LQUAS = 1;
        TPCM.LWL = 300.0f;
        TPCM.BWL = 50.0f;
        TPCM.DRAFT = 15.0f;
        TPCM.DEPTH = 300.0f;
        TPCM.SHORTY = 1000.0f;
        TPCM.BTOUCH = 0;
        TPCM.NWP = 3;
        TPCM.T(1) = 5.0f;
        TPCM.T(2) = 10.0f;
        TPCM.T(3) = 15.0f;
    };
    const Case cases[] = {
        {"offset program, second swell",
         [&] {
             code(8);
             TPCM.LSWEL2 = 1;
         },
         " ++> FATAL error: The switch LSWEL2 (second swell) is on, but the offset program"},
        {"offset program, wind",
         [&] {
             code(8);
             TPCM.LWIND = 1;
         },
         " ++> FATAL error: The switch LWIND (wind) is on, but the offset program"},
        {"offset program without coefficients",
         [&] {
             code(8);
             TPCM.LWL = 0.0f;
             TPCM.NWP = 0;
         },
         ""},
        {"towed case without a beam",
         [&] {
             code(10);
             TPCM.BWL = 0.0f;
         },
         " ++> FATAL error: Waterline length LWL, beam BWL and draft DRAFT must be positive"},
        {"towed case without the sea state",
         [&] {
             code(10);
             TPCM.LQUAS = 0;
             TPCM.BWL = 0.0f;
         },
         ""},
        {"uneven period grid",
         [&] {
             code(10);
             TPCM.T(3) = 16.0f;
         },
         "x"},
        {"spar on the sea bed",
         [&] {
             code(17);
             TPCM.DRAFT = TPCM.DEPTH;
         },
         " ++> FATAL error: The water depth DEPTH does not exceed the draft DRAFT;"},
        {"spar afloat", [&] { code(17); }, ""},
        {"no line length",
         [&] {
             code(8);
             TPCM.SHORTY = 0.0f;
         },
         " ++> FATAL error: The shortest line length SHORTY is not positive;"},
        {"raised anchor, no depth",
         [&] {
             code(8);
             TPCM.SHORTY = 0.0f;
             TPCM.BTOUCH = 1;
             TPCM.DEPTH = 0.0f;
         },
         " ++> FATAL error: The water depth DEPTH is not positive;"},
        {"raised anchor steps by the depth",
         [&] {
             code(8);
             TPCM.SHORTY = 0.0f;
             TPCM.BTOUCH = 1;
         },
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console("\n");
        c.change();
        const auto stop = run_until_stop([] { check_static_equilibrium_input(TPCM.EDUNIT); });
        if (c.first_line.empty()) {
            EXPECT_FALSE(stop);
            EXPECT_EQ(console.screen(), "");
        } else {
            EXPECT_EQ(stop, StopKind::error);
            if (c.first_line != "x") {
                EXPECT_TRUE(console.screen().starts_with("\n" + c.first_line + "\n"))
                    << console.screen();
            }
        }
    }
}

// The four-byte trigonometry of the lines at 90 and 270 degrees leaves a force of some 1e-5
// across the spread, whose sign no hand computation can tell: the report shows it as "-0.00"
// or "0.00", a direction of 180 degrees as "-180.00" or "180.00", and the direction of the
// still-water force (zero but for that rest) as any angle. The texts are compared with those
// signs taken off and without the still water's force direction.
std::string without_rounding_signs(std::string text) {
    for (const std::string_view noisy : {"-0.00", "-180.00"})
        for (auto at = text.find(noisy); at != std::string::npos; at = text.find(noisy, at))
            text[at] = ' ';
    const std::string angle = "    Plan View Force Angle (deg)                      ";
    if (const auto at = text.find(angle); at != std::string::npos)
        text.erase(at, text.find('\n', at) - at);
    return text;
}

// The linear spread of four lines held by a surge force of 500 in the environment stage
// (LQUAS and LRESET on): the set-up of the applied-force and DP cases below.
void fill_spread_under_surge_force() {
    fill_linear_spread();
    TPCM.NLIN = 4;
    TPCM.SHORTY = 1000.0f;
    TPCM.LWL = 300.0f;
    TPCM.LQUAS = 1;
    TPCM.LRESET = 1;
    TPCM.AUXFRC = 1;
    TPCM.XVFRC = 500.0f;
}

// The linear spread held by an applied 500 along +x (global, not moving with the mooring): the
// still-water section at rest and the full-environment section at x = 22.72248, typed from
// the report's layout with the values worked out by hand (support/linear_spread_report.h). The
// fairleads at the origin and the waterline give no mooring moment; the vertical force is the
// tangent rule of the tables (H / T above 0.5): -sum H tan(0.6 - H / 10000), -2185.21 at rest
// and -2174.68 at the solution.
TEST(StaticEquilibrium, ReportsTheAppliedForceCaseOfTheLinearSpread) {
    ScratchFolder folder;
    ScriptedConsole console;
    fill_spread_under_surge_force();
    TPCM.LEQCND = 1;
    TPCM.CRDSYS = 0;
    const auto passes = run_qstat();
    ASSERT_EQ(passes.size(), 1u);
    EXPECT_EQ(console.screen(), computing);
    EXPECT_NEAR(EQUILB.RVES(1), x_solution, 2e-3);
    EXPECT_NEAR(EQUILB.YCGVAR(), 0.0, 1e-3);
    // The environmental load: the applied force alone, in vessel axes and globally.
    EXPECT_NEAR(EQUILB.FXENV, 500.0, 1e-3);
    EXPECT_NEAR(EQUILB.FYENV, 0.0, 1e-3);
    EXPECT_NEAR(passes[0].FXENVG, 500.0, 1e-3);
    EXPECT_NEAR(passes[0].FYENVG, 0.0, 1e-3);

    // The fairleads at the origin and the waterline: no mooring moment, about the origin.
    const std::map<std::string, std::string> no_moment = {
        {"IIb moment point", "             (Vx,Vy,Vz) = ( 0.000E+00, 0.000E+00, 0.000E+00)"},
        {"IIb X moment",
         "    X Mooring Moment (ft-kp)               0.00          0.00         -0.00"},
        {"IIb Y moment",
         "    Y Mooring Moment (ft-kp)               0.00          0.00         -0.00"},
        {"IIb Z moment",
         "    Z Mooring Moment (ft-kp)               0.00          0.00          0.00"},
        {"IIb Mz environment", "    Mz (ft-kp/deg; Environment)            0.00"},
        {"IIb Mz total", "    Mz (ft-kp/deg; Total)                  0.00"},
    };
    std::map<std::string, std::string> loaded = no_moment;
    loaded["IIb Z force"] =
        "    Z Mooring Force (k.lbs)            -2174.68      -2174.68      -2174.68";
    const std::string page =
        linear_spread_page(
            SummarySection::still_water_IIa,
            {{"IIa Z force",
              "    Z Mooring Force (k.lbs)                          -2185.21      -2185.21"}}) +
        linear_spread_page(SummarySection::full_environment_IIb, loaded);

    const std::string report = folder.read("MEANOUT.stxt");
    const auto at = report.find("\f", 1);
    ASSERT_NE(at, std::string::npos);
    // The slopes: 22.00 at rest (2 k + 2 H0 / R0); at the solution 22.0140 along x for a step
    // forward, 22.0139 back (the analytic 2 k + 2 H / d (1000 / d)^2), 21.9814 across.
    const std::string rest =
        checked_slopes(report.substr(0, at), {22.0, 22.0, 22.0}, {22.0, 22.0, 22.0}) +
        checked_slopes(report.substr(at), {22.0140, 22.0140, 22.0139}, {21.9814, 21.9814, 21.9814});
    EXPECT_EQ(without_rounding_signs(rest), without_rounding_signs(page));
}

// The heading miss (target - psi) of the DP hold with spring S on the closed-form spread, the
// vessel turned about the origin: psi balances the mooring's yaw moment, the spring about the
// target and an environment moment `env(psi)` (its value at the target cancelled by the DP
// moment), found by bisection between the still-water heading 0 and the target.
double dp_heading_miss(double target, double S, const std::function<double(double)>& env = {}) {
    const auto environment = [&](double psi) { return env ? env(psi) - env(target) : 0.0; };
    double lo = 0.0, hi = target;
    for (int k = 0; k < 60; ++k) {
        const double psi = 0.5 * (lo + hi);
        const double M =
            catenary_loads(0.0, psi, 0.0, 0.0).Tz + environment(psi) + S * (target - psi);
        (M > 0.0 ? lo : hi) = psi;
    }
    return target - lo;
}

// The DP heading hold with the user's spring on the closed-form spread: the environment has
// no moment, so the heading settles where the mooring's yaw moment balances the spring,
// S (target - psi) + Tz(psi) = 0. Each miss of more than 0.01 rad reports the spring and
// doubles it at the user's word; the closed form tells which spring first holds. A spring of
// zero cannot be doubled: the first miss ends the run.
TEST(StaticEquilibrium, DpHeadingSpringDoublesUntilItHolds) {
    const double target = 5.0 / 57.295776;
    const auto fill = [&](float DPASPR) {
        fill_spread();
        TPCM.LQUAS = 1;
        TPCM.LRESET = 1;
        TPCM.AUXFRC = 1; // an applied force of no magnitude: the environmental solve runs
        TPCM.DPAFLG = 1;
        TPCM.DPANG = 5.0f;
        TPCM.DPASPR = DPASPR;
    };
    const auto miss = [&](double S) { return dp_heading_miss(target, S); };
    fill(1.0f);
    const double K = -(catenary_loads(0.0, 0.01, 0.0, 0.0).Tz) / 0.01; // mooring yaw stiffness
    ASSERT_GT(K, 1e4);
    const float S0 = static_cast<float>(std::ldexp(1.0, static_cast<int>(std::log2(K))));

    const std::string keyboard(20, '\n');
    ScriptedConsole console(keyboard);
    fill(S0);
    const auto passes = run_qstat();
    ASSERT_EQ(passes.size(), 1u);
    EXPECT_LE(std::abs(EQUILB.VESANG() - target), 0.01);
    const double held = TPCM.DPASPR;
    EXPECT_LE(miss(held), 0.01 - 1e-3);
    EXPECT_GT(miss(0.5 * held), 0.01 + 1e-3);
    std::string misses;
    for (float S = S0; S < TPCM.DPASPR; S *= 2.0f)
        misses += "++> Unable to achieve DP target angle with spring value " + E(S, 10, 2) +
                  "\n    <Continue> to double value and try again...\n";
    std::string shown;
    std::istringstream lines(console.screen());
    for (std::string line; std::getline(lines, line);) // a message follows the last prompt
        if (const auto at = line.find("++> Unable"); at != std::string::npos)
            shown += line.substr(at) + "\n";
        else if (line.starts_with("    <Continue>"))
            shown += line + "\n";
    EXPECT_EQ(shown, misses);
    EXPECT_GE(misses.size(), 1u);

    ScriptedConsole refused("\n");
    fill(0.0f);
    EXPECT_EQ(run_until_stop([] { QSTAT(); }), StopKind::error);
    EXPECT_NE(refused.screen().find(
                  "++> Unable to achieve DP target angle with spring value   0.00E+00\n"),
              std::string::npos)
        << refused.screen();
    EXPECT_EQ(refused.screen().find("<Continue>"), std::string::npos);
}

// A yaw couple of two applied forces, (0, -F) at x = +0.5 and (0, F) at x = -0.5, both in global
// axes: no net force, and at heading psi the moment x F sin(direction - psi) of each,
// 0.5 F sin(-pi/2 - psi) - 0.5 F sin(pi/2 - psi) = -F cos(psi), which turns the vessel away
// from a target at a positive heading. The automatic DP hold (DPAFLG bits 1 and 2) on the
// closed-form spread, the data's spring 0.
void fill_dp_couple(float F, float target_degrees) {
    fill_spread();
    TPCM.LQUAS = 1;
    TPCM.LRESET = 1;
    TPCM.AUXFRC = 1;
    TPCM.CRDSYS = 0;
    TPCM.YVFRC = -F;
    TPCM.XVLOC = 0.5f;
    TPCM.AXFC2 = 1;
    TPCM.CRDS2 = 0;
    TPCM.YVFRC2 = F;
    TPCM.XVLOC2 = -0.5f;
    TPCM.DPAFLG = 3;
    TPCM.DPANG = target_degrees;
    TPCM.DPASPR = 0.0f;
}

// The automatic spring is ten times the change of the environment's moment over 0.1 rad past
// the target, 10 F |cos(t + 0.1) - cos(t)|, and the DP moment F cos(t) cancels the couple at
// the target t = 5 degrees. With F half the mooring's yaw stiffness K that spring is some 0.07 K:
// the heading misses and the spring doubles silently until it holds; the closed form tells how
// often (the spring that holds misses by 0.01 rad or less, half of it by more).
TEST(StaticEquilibrium, AutomaticDpSpringComesFromTheEnvironmentsMomentAndDoubles) {
    const double t = 5.0 / 57.295776;
    ScriptedConsole console;
    fill_spread();
    const double K = -(catenary_loads(0.0, 0.01, 0.0, 0.0).Tz) / 0.01;
    ASSERT_GT(K, 1e4);
    const float F = static_cast<float>(std::ldexp(1.0, static_cast<int>(std::log2(0.5 * K))));
    fill_dp_couple(F, 5.0f);
    const auto passes = run_qstat();
    ASSERT_EQ(passes.size(), 1u);
    EXPECT_EQ(console.screen(), computing);

    const double S0 = 10.0 * F * std::abs(std::cos(t + 0.1) - std::cos(t));
    EXPECT_NEAR(TPCM.DPMOM, F * std::cos(t), 1e-5 * F);
    const double doublings = std::log2(TPCM.DPASPR / S0);
    const double n = std::round(doublings);
    EXPECT_NEAR(doublings, n, 1e-4); // the spring is the automatic one times a power of two
    EXPECT_GE(n, 3.0);
    EXPECT_EQ(passes[0].TOTTRY, static_cast<std::int32_t>(n));
    const auto couple = [&](double psi) { return -F * std::cos(psi); };
    EXPECT_LE(dp_heading_miss(t, TPCM.DPASPR, couple), 0.01 - 1e-3);
    EXPECT_GT(dp_heading_miss(t, 0.5 * TPCM.DPASPR, couple), 0.01 + 1e-3);
    EXPECT_LE(std::abs(EQUILB.VESANG() - t), 0.01);
}

// A couple of 1e-12 gives an automatic spring near 1.4e-13: fifty doublings make it some 150,
// still far below the mooring's yaw stiffness, so the heading misses the target 51 times. The
// 51st miss reports the fifty attempts and asks; "A" ends the run at the user's choice.
TEST(StaticEquilibrium, AutomaticDpHoldAsksAfterFiftyMisses) {
    const double t = 5.0 / 57.295776;
    ScriptedConsole console("A\n");
    fill_dp_couple(1.0e-12f, 5.0f);
    const double S0 = 10.0 * 1.0e-12 * std::abs(std::cos(t + 0.1) - std::cos(t));
    EXPECT_GT(dp_heading_miss(t, std::ldexp(S0, 50)), 0.05);
    EXPECT_EQ(run_until_stop([] { QSTAT(); }), StopKind::user_choice);
    const std::string screen = console.screen();
    const std::string message = "++> Unable to achieve DP target angle in     50 attempts.\n";
    EXPECT_EQ(screen.find(computing + message), 0u) << screen;
    EXPECT_EQ(screen.find("++> Unable", computing.size() + 1), std::string::npos) << screen;
    EXPECT_NEAR(TPCM.DPASPR, std::ldexp(S0, 50), 1e-3 * std::ldexp(S0, 50));
}

// A spread-moored ship of the family (program code 12) in a steady wind: the sea-state set-up,
// the vessel set-up through the hull model (its report sections off, NEGSUM and MORFBK put
// back), the coefficients, and the environmental solve. With equal wind areas the wind force
// of the linear coefficients (method 5) is q A along the wind's heading whatever the
// vessel's, q = 1/2 rho (1.687 V)^2 / 1000 kips per square foot: the closed-form catenaries
// at the solved position balance it, and the load split holds all of it under wind.
void fill_family_spread() {
    fill_motion_image(); // the period grid (3 to 33 s) and the ship's hull words
    fill_spread();
    CURPROF = CurprofBlock{};
    WAVCOM.G = 32.152f; // as the line-table stage leaves it
    TPCM.SIMTYP = 12;
    TPCM.IUNIT = 1;
    TPCM.LEQCND = 1;
    TPCM.LQUAS = 1;
    TPCM.LRESET = 1;
    TPCM.DRAFT = 40.0f;
    TPCM.BWL = 100.0f;
    TPCM.DWATR = 64.0f;
    TPCM.NEGSUM = 0;
    TPCM.MORFBK = 1;
    TPCM.LWIND = 1;
    TPCM.LWBARG = 0x555;
    TPCM.TWNDCF = 1.0f;
    TPCM.WNDSPD = 60.0f; // knots
    TPCM.WNDHDG = 30.0f;
    TPCM.TXWNDA = 20000.0f;
    TPCM.YWNDAR = 20000.0f;
}

TEST(StaticEquilibrium, FamilySpreadMooringBalancesTheWind) {
    ScratchFolder folder;
    ScriptedConsole console(std::string(10, '\n'));
    testing::FakeHullModel fake;
    fill_family_spread();
    const auto passes = run_qstat();
    ASSERT_EQ(passes.size(), 1u);
    EXPECT_TRUE(passes[0].ENVRON);
    ASSERT_FALSE(fake.calls.empty());
    EXPECT_EQ(fake.calls.front(), "CHR");
    EXPECT_EQ(TPCM.NEGSUM, 0);
    EXPECT_EQ(TPCM.MORFBK, 1);

    const double q = 0.5 * 0.0024356 * std::pow(1.687 * 60.0, 2) / 1000.0;
    const double h = 30.0 / DEGRAD;
    const double Fw = q * 20000.0;
    const double psi = EQUILB.VESANG();
    const Loads mooring = catenary_loads(0.0, psi, EQUILB.RVES(1), EQUILB.YCGVAR());
    EXPECT_GT(Fw, 100.0);
    EXPECT_GT(std::hypot(EQUILB.RVES(1), EQUILB.YCGVAR()), 1.0);
    EXPECT_NEAR(mooring.Fx + Fw * std::cos(h), 0.0, force_tol);
    EXPECT_NEAR(mooring.Fy + Fw * std::sin(h), 0.0, force_tol);

    // The split by source at the final heading, in vessel axes: here all of it is wind.
    EXPECT_NEAR(EQUILB.SXWND, Fw * std::cos(h - psi), 0.01 * Fw);
    EXPECT_NEAR(EQUILB.SYWND, Fw * std::sin(h - psi), 0.01 * Fw);
    EXPECT_EQ(EQUILB.FXENV, EQUILB.SXWND);
    EXPECT_EQ(EQUILB.FYENV, EQUILB.SYWND);
    for (const float f : {EQUILB.SXCUR, EQUILB.SYCUR, EQUILB.SXWAV, EQUILB.SYWAV})
        EXPECT_EQ(f, 0.0f);
    const std::string report = folder.read("MEANOUT.stxt");
    EXPECT_NE(report.find("IIb.  Full-Environment Equilibrium Summary"), std::string::npos);
}

// The sea state of the family: the seas' spectrum on the grid carries the significant height
// asked for (4 sqrt(m0), to some 5 % on this 1-second period grid), and its peak period goes into
// the set-up's side store only once the grid is set (the sanitizer build sees any write out of
// range); a swell whose peak lies off the period grid stops the run.
TEST(StaticEquilibrium, FamilySeaStateAndTheSwellRange) {
    {
        ScratchFolder folder;
        ScriptedConsole console(std::string(10, '\n'));
        testing::FakeHullModel fake;
        fill_family_spread();
        TPCM.LWIND = 0;
        TPCM.LRANDM = 1;
        TPCM.WAVTYP = 1;
        TPCM.SWHT(1) = 5.0f;
        TPCM.SIGPD(1) = 12.0f;
        TPCM.LRESET = 0; // the still water only: no drift tables are needed
        EXPECT_FALSE(run_until_stop([] { QSTAT(); })) << console.screen();
        EXPECT_NEAR(EQUILB.SWHC, 5.0, 0.25); // Simpson's rule on a grid even in period
    }
    ScratchFolder folder;
    ScriptedConsole console(std::string(10, '\n'));
    testing::FakeHullModel fake;
    fill_family_spread();
    TPCM.LSWELL = 1;
    TPCM.SWELHT = 2.0f;
    TPCM.SWELPD = 40.0f;
    EXPECT_EQ(run_until_stop([] { QSTAT(); }), StopKind::error);
    EXPECT_EQ(console.screen(), computing + " SIMNAM Swell outside wave period range\n" + pause);
}

// After the passes of the family's two-body case (program code 13) the end separation is the
// hawser's distance and the centre separation adds the tanker's and the buoy's attachment
// points; the coefficients are prepared again for the tanker (its yaw arm is its XSALM).
// The tanker (LWL 600, BWL 100, draft 40) on its hawser, line 5, to the buoy (LWL 50, BWL 40,
// draft 20) on the closed-form spread at 10 degrees; the hawser slack.
void fill_tanker_on_buoy() {
    fill_spread(10.0f);
    testing::set_two_body_words(testing::buoy_and_tanker, 5);
    TPCM.BWL = 100.0f;
    TPCM.DRAFT = 40.0f;
    TPCM.IARCO = 1;
    TPCM.NLIN = 5;
    LINCOM.LINEID(5) = 1025;
    LINCOM.RANC(5) = 300.0f;
    TPCM.ANGDEP(5) = 170.0f;
    TPCM.BVSAN0 = 10.0f;
    TPCM.BXSALM = 2.0f;
    TPCM.BLWL = 50.0f;
    TPCM.BRACC(1, 5) = 10.0f;
    TPCM.VESAN0 = 25.0f;
    TPCM.XSALM = 150.0f;
    TPCM.RACC(1, 1) = 4.0f;
    TPCM.ISPM = 3;
    TPCM.BBWL = 40.0f;
    TPCM.BDRAFT = 20.0f;
}

TEST(StaticEquilibrium, FamilyTwoBodyEndsWithTheSeparations) {
    ScriptedConsole console(std::string(4, '\n'));
    fill_tanker_on_buoy();
    const auto passes = run_qstat();
    ASSERT_EQ(passes.size(), 2u);
    EXPECT_EQ(LINCOM.ENDSEP, 300.0f);
    EXPECT_EQ(TPCM.CNTSEP, 294.0f);
    EXPECT_EQ(TPCM.BCNTSP, 294.0f);
    EXPECT_EQ(TPCM.XSALM, 150.0f);
    EXPECT_EQ(EQUILB.YAWARM, 150.0f);
}

// The same two bodies in a sea state (seas 5 ft, 12 s): each pass prepares the coefficients of
// the body in the vessel section, and after the passes they are the tanker's again. The wave
// drift's scale factors are rho g / 1000 times the length (beam drift) and the beam (bow drift),
// with DWATR 64 lb/ft^3: 0.064 x 600 = 38.4 and 0.064 x 100 = 6.4 for the tanker, 0.064 x 50 =
// 3.2 and 0.064 x 40 = 2.56 for the buoy; the frequency scale sqrt(g / LWL) and the depth ratio
// follow the body too. Still water only (LRESET 0): no drift tables are read.
TEST(StaticEquilibrium, FamilyTwoBodyInASeaStatePreparesEachBodysDrift) {
    ScratchFolder folder;
    ScriptedConsole console(std::string(4, '\n'));
    testing::FakeHullModel fake;
    fill_family_spread();
    TPCM.LWIND = 0;
    fill_tanker_on_buoy();
    TPCM.SIMTYP = 13;
    TPCM.LQUAS = 1;
    TPCM.LRESET = 0;
    TPCM.LRANDM = 1;
    TPCM.WAVTYP = 1;
    TPCM.SWHT(1) = 5.0f;
    TPCM.SIGPD(1) = 12.0f;
    struct Body {
        double beam_drift, bow_drift, LWL, DRAFT;
    };
    const Body tanker{38.4, 6.4, 600.0, 40.0};
    const Body buoy{3.2, 2.56, 50.0, 20.0};
    const auto expect_body = [&](const Body& b) {
        EXPECT_NEAR(WAVCOM.BEAMCF, b.beam_drift, 1e-5 * b.beam_drift);
        EXPECT_NEAR(WAVCOM.BOWCF, b.bow_drift, 1e-5 * b.bow_drift);
        EXPECT_NEAR(EQUILB.WSCALE, std::sqrt(32.152 / b.LWL), 1e-5);
        EXPECT_NEAR(SINES.HOVERD, spread_depth / b.DRAFT, 1e-4);
    };
    int pass = 0;
    const auto stop = run_until_stop([&] {
        QSTAT([&](const QstatRun&) {
            ++pass;
            SCOPED_TRACE(pass);
            expect_body(pass == 1 ? tanker : buoy);
        });
    });
    ASSERT_FALSE(stop) << console.screen();
    EXPECT_EQ(pass, 2);
    SCOPED_TRACE("after the passes");
    expect_body(tanker);
    EXPECT_EQ(TPCM.LWL, 600.0f);
    EXPECT_EQ(TPCM.BLWL, 50.0f);
}

// The towed case (program code 10, no anchor): its pass turns the tow line to be seen from
// the barge, from the barge's attachment point, and puts it back afterwards; the separations
// follow from the tow line's distance.
TEST(StaticEquilibrium, FamilyTowedCaseTurnsTheTowLineAndPutsItBack) {
    ScriptedConsole console(std::string(4, '\n'));
    fill_spread();
    testing::set_two_body_words(testing::tug_and_barge, 1);
    TPCM.LRESET = 0;
    TPCM.BWL = 100.0f;
    TPCM.DRAFT = 40.0f;
    const float data_azimuth = TPCM.ANGDEP(1);
    for (int k = 1; k <= 3; ++k) {
        TPCM.RACC(k, 1) = 5.0f * static_cast<float>(k);
        TPCM.BRACC(k, 1) = 7.0f * static_cast<float>(k);
    }
    int seen = 0;
    QSTAT([&](const QstatRun&) {
        ++seen;
        EXPECT_EQ(TPCM.ANGDEP(1), DEGSYM(data_azimuth - 180.0f));
        EXPECT_EQ(TPCM.RFLD(1, 1), 5.0f);
        EXPECT_EQ(TPCM.RFLD(3, 1), 15.0f);
    });
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(TPCM.ANGDEP(1), data_azimuth);
    EXPECT_EQ(TPCM.RFLD(1, 1), 7.0f);
    EXPECT_EQ(TPCM.RFLD(2, 1), 14.0f);
    EXPECT_EQ(TPCM.RFLD(3, 1), 21.0f);
    EXPECT_EQ(LINCOM.ENDSEP, LINCOM.RANCP(1));
    EXPECT_EQ(TPCM.CNTSEP, LINCOM.ENDSEP + 5.0f - 7.0f);
    EXPECT_EQ(TPCM.BCNTSP, TPCM.CNTSEP);
}

// A tension-leg platform with its legs as lines (program code 14, LEGTLP 1): the still-water
// state takes its vertical mooring force from the legs, and the centre of gravity and weight
// net of the tendons come from the legs' top tensions: with every fairlead 10 ft above the
// keel, VKG (1 - N / DISPL) + 10 N / DISPL and DISPL - N, N the legs' vertical pull (the
// closed-form catenaries' V at the data's distances).
TEST(StaticEquilibrium, FamilyTensionLegPlatformNetsTheTendons) {
    ScriptedConsole console(std::string(4, '\n'));
    fill_spread();
    TPCM.SIMTYP = 14;
    TPCM.LEGTLP = 1;
    TPCM.LRESET = 0;
    TPCM.BWL = 100.0f;
    TPCM.DRAFT = 40.0f;
    TPCM.DISPL = 5000.0f;
    TPCM.VKG = 20.0f;
    TPCM.NLINE(1) = 4; // the legs: the lines of the first type
    for (int i = 1; i <= 4; ++i)
        TPCM.RFLD(3, i) = 10.0f;
    const auto passes = run_qstat();
    ASSERT_EQ(passes.size(), 1u);
    double N = 0.0;
    for (int i = 1; i <= 4; ++i)
        N += catenary_at_distance(chain, LINCOM.RANC(i), spread_depth).V;
    EXPECT_GT(N, 100.0);
    EXPECT_NEAR(PASCOM.NET_TNDN_FRC, N, 4 * force_tol);
    EXPECT_NEAR(PASCOM.TEND_F_RZ, 10.0 * N, 40 * force_tol);
    EXPECT_NEAR(PASCOM.FZMREQ0, -N, 4 * force_tol);
    EXPECT_EQ(EQUILB.FZMREQ, PASCOM.FZMREQ0);
    const double N_run = PASCOM.NET_TNDN_FRC;
    EXPECT_NEAR(PASCOM.TLPVKG, 20.0 * (1.0 - N_run / 5000.0) + PASCOM.TEND_F_RZ / 5000.0, 1e-4);
    EXPECT_FLOAT_EQ(PASCOM.TLPWGHT, 5000.0f - PASCOM.NET_TNDN_FRC);
}

// The spar (program code 17) with its suction forces: wind 0.0005 rho_air AWPEST (1.687 V)^2
// (V 10 knots, rho_air 0.0024356 slug/ft^3) and current (DWATR / G) 0.002 AWP (1.687 v)^2 with
// v the current at the draft of 40 ft: on the profile 1.5 knots at 20 ft and 0.5 at 100 ft,
// 1.5 - 1.0 x 20 / 80 = 1.25 knots; with the first level at 50 ft, between the surface's 2
// knots and it, 2 - 0.5 x 40 / 50 = 1.6 knots.
TEST(StaticEquilibrium, SparSuctionTakesTheCurrentAtItsDraft) {
    struct Case {
        float first_depth;
        double speed_at_draft;
    };
    const Case cases[] = {{20.0f, 1.25}, {50.0f, 1.6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first_depth);
        ScratchFolder folder;
        ScriptedConsole console(std::string(10, '\n'));
        testing::FakeHullModel fake;
        fill_family_spread();
        TPCM.SIMTYP = 17;
        TPCM.GETSUCK = 1;
        TPCM.AWP = 2000.0f;
        TPCM.AWPEST = 3000.0f;
        TPCM.LCURNT = 1;
        TPCM.LCSTCR = 2;
        TPCM.CURSPD = 2.0f;
        TPCM.CURHDG = 30.0f;
        TPCM.CURFAC = 0.0f;  // the suction alone: no current force on the hull
        TPCM.WNDSPD = 10.0f; // a light wind: the spar stays within the tables' vertical span
        TPCM.NCURNT = 2;
        TPCM.DPTHI(1) = c.first_depth;
        TPCM.VELI(1) = 1.5f;
        TPCM.DPTHI(2) = 100.0f;
        TPCM.VELI(2) = 0.5f;
        ASSERT_EQ(run_qstat().size(), 1u);
        const double u = 1.687 * 10.0;
        const double v = 1.687 * c.speed_at_draft;
        const double wind = 0.0005 * 0.0024356 * 3000.0 * u * u;
        const double current = 64.0 / 32.152 * 0.002 * 2000.0 * v * v;
        EXPECT_NEAR(EQUILB.WINDSUCK, wind, 1e-5 * wind);
        EXPECT_NEAR(EQUILB.CRNTSUCK, current, 1e-5 * current);
    }
}

// The family's current profile from the data's table: a layer of no thickness stops the run;
// a layer so thin that the lines' current drag would take long (depth over thinnest layer
// above 1000) is noted, and "A" at the prompt ends the run at the user's choice.
TEST(StaticEquilibrium, FamilyCurrentProfileChecks) {
    const std::string thin_note =
        "++>  Note: A current layer thickness of  0.250 may result in excessive\n"
        "     simulation time in the current-generated line load calculation.\n"
        "     Consider increasing this minimum thickness to reduce simulation time.\n";
    struct Case {
        const char* name;
        float levels[3];
        std::string keyboard;
        std::optional<StopKind> stop;
        std::string screen_start;
    };
    const Case cases[] = {
        {"zero thickness",
         {100.0f, 100.0f, 300.0f},
         "\n",
         StopKind::error,
         computing + "++>  Non-monotonic current profile or zero current layer thickness\n"
                     "     detected; correct profile and re-try...\n"},
        {"out of order", {200.0f, 100.0f, 300.0f}, "\n", StopKind::error, computing + "++>  Non"},
        {"thin layer, abort",
         {100.0f, 100.25f, 300.0f},
         "a\n",
         StopKind::user_choice,
         computing + thin_note},
        {"thin layer, go on",
         {100.0f, 100.25f, 300.0f},
         "\n\n\n\n",
         std::nullopt,
         computing + thin_note},
        {"even layers", {100.0f, 200.0f, 300.0f}, "", std::nullopt, computing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        ScriptedConsole console(c.keyboard);
        testing::FakeHullModel fake;
        fill_family_spread();
        TPCM.LWIND = 0;
        TPCM.LRESET = 0;
        TPCM.LCURNT = 1;
        TPCM.LCSTCR = 2;
        TPCM.CURSPD = 2.0f;
        TPCM.NCURNT = 3;
        for (int i = 1; i <= 3; ++i) {
            TPCM.DPTHI(i) = c.levels[i - 1];
            TPCM.VELI(i) = 1.0f;
        }
        EXPECT_EQ(run_until_stop([] { QSTAT(); }), c.stop);
        EXPECT_TRUE(console.screen().starts_with(c.screen_start)) << console.screen();
        if (!c.stop) {
            EXPECT_EQ(CURPROF.NCURNTPF, 3);
        }
    }
}

// An unattended run (the messages to "Diagnostics.stxt"): the instability warning's pause does
// not wait and the reset goes ahead; the DP prompt needs a decision, so the run stops there
// with status 1, and the report holds the still-water sections written so far, whole once the
// run's units are closed.
TEST(StaticEquilibrium, UnattendedRunStopsAtTheFirstDecision) {
    ScratchFolder folder;
    ScriptedConsole console;
    fill_spread();
    LINCOM.LINEID(3) = 1025; // unbalanced: the reset
    TPCM.IUNIT = 1;
    TPCM.LEQCND = 1;
    TPCM.LQUAS = 1;
    TPCM.LRESET = 1;
    TPCM.AUXFRC = 1;
    TPCM.DPAFLG = 1;
    TPCM.DPANG = 5.0f;
    TPCM.DPASPR = 1.0f; // far too weak: the first solve misses the target
    ASSERT_TRUE(
        open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace, FileForm::formatted));
    TPCM.EDUNIT = diagnostics_unit;
    const auto stop = run_until_stop([] { QSTAT(); });
    ASSERT_TRUE(stop.has_value());
    EXPECT_EQ(ProgramStop(*stop).exit_status(), 1);
    close_all_units();
    EXPECT_EQ(console.screen(), "");
    const std::string diagnostics = folder.read("Diagnostics.stxt");
    EXPECT_NE(diagnostics.find("++> WARNING: specified initial conditions did not produce a"),
              std::string::npos);
    EXPECT_NE(diagnostics.find("    to produce a quiescent-condition equilibrium configuration"),
              std::string::npos);
    EXPECT_NE(diagnostics.find("++> Unable to achieve DP target angle with spring value "),
              std::string::npos)
        << diagnostics;
    const std::vector<std::string> pages = pages_of(folder.read("MEANOUT.stxt"));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NE(pages[1].find(">>> Simulation-estimated still-water line conditions"),
              std::string::npos);
    EXPECT_TRUE(pages[1].ends_with("\n"));
}

// The DP heading hold with the user's spring on the linear spread held by the applied force: the
// target heading is the equilibrium's own, so the first attempt holds it and the spring keeps
// its data value; the DP moment cancels the environment's yaw moment at the target (none here).
TEST(StaticEquilibrium, DpHeadingAtTheEquilibriumHoldsAtOnce) {
    ScratchFolder folder;
    ScriptedConsole console;
    fill_spread_under_surge_force();
    TPCM.DPAFLG = 1; // heading hold, the user's spring
    TPCM.DPANG = 0.3f;
    TPCM.DPASPR = 100.0f;
    const auto passes = run_qstat();
    ASSERT_EQ(passes.size(), 1u);
    EXPECT_EQ(console.screen(), computing);
    EXPECT_EQ(TPCM.DPASPR, 100.0f);
    EXPECT_EQ(passes[0].TOTTRY, 0);
    EXPECT_LE(std::abs(EQUILB.VESANG() - 0.3f / DEGRAD), 0.01f);
    EXPECT_NEAR(EQUILB.RVES(1), x_solution, 2e-3);
}

// The DP position check on the linear spread held by the applied 500 along +x: the DP force
// S (0 - x) with S = 10 per foot pulls the vessel back toward the DP point at the origin but
// cannot hold it there; the balance 500 - S x + (spread's force at x) = 0, solved on the
// closed-form star, leaves it 15.6 ft off, more than 0.1: the check reports it and asks.
// Return goes on with the solved state; "A" ends the run at the user's choice.
TEST(StaticEquilibrium, DpPositionOffItsPointIsReportedAndAsked) {
    const double S = 10.0;
    double lo = 0.0;
    double hi = x_solution;
    for (int k = 0; k < 80; ++k) {
        const double x = 0.5 * (lo + hi);
        (testing::star_force(x, 0.0)[0] + 500.0 - S * x > 0.0 ? lo : hi) = x;
    }
    const double x_held = 0.5 * (lo + hi);
    ASSERT_GT(x_held, 15.0);
    struct Case {
        const char* answer;
        std::optional<StopKind> stop;
    };
    const Case cases[] = {{"\n", std::nullopt}, {"A\n", StopKind::user_choice}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        ScratchFolder folder;
        ScriptedConsole console(c.answer);
        fill_spread_under_surge_force();
        TPCM.DPRFLG = 1;
        TPCM.DPXPNT = TPCM.DPYPNT = 0.0f;
        TPCM.DPXSPR = TPCM.DPYSPR = static_cast<float>(S);
        TPCM.DPXFRC = TPCM.DPYFRC = 0.0f;
        std::vector<QstatRun> passes;
        EXPECT_EQ(run_until_stop([&] { passes = run_qstat(); }), c.stop);
        EXPECT_NEAR(EQUILB.RVES(1), x_held, 2e-3);
        EXPECT_NEAR(EQUILB.YCGVAR(), 0.0, 2e-3);
        const std::string screen = console.screen();
        EXPECT_EQ(screen.find(computing + "++> DPRPNT not equal to RVES in DP routine; contact "
                                          "Kelbrin\n"),
                  0u)
            << screen;
        EXPECT_EQ(passes.size(), c.stop ? 0u : 1u);
    }
}

} // namespace
} // namespace lintar
