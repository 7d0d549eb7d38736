// Tests of the six-degree-of-freedom equilibrium on a cross of four lines with linear tables
// (H = 10 (d - 900), every layer row alike, no vertical line force) and hydrostatic restoring:
// the horizontal balance against the independent solution of the same lines, the heave against
// the waterplane stiffness, the spring procedure's secant, the load steps, the refusals and the
// failure dialogue.
#include "equilibrium/six_dof_equilibrium.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/local2.h"
#include "blocks/tpcm.h"
#include "equilibrium/newton_steps.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/turret_mooring.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace lintar {
namespace {

using testing::ScratchFolder;
using testing::ScriptedConsole;
using testing::TurretMooring;

constexpr float HVCNST = 10000.0f * 64.0f * 0.001f; // AWP x DWATR x 0.001
constexpr float RLCNST = 10.0f * 1000.0f;           // (VKMT - VKG) x DISPL
constexpr float PTCNST = 50.0f * 1000.0f;           // (VKML - VKG) x DISPL

// The cross of the shared fixture (support/turret_mooring.h) with every environmental load
// switched off. The vessel's offset stretches every line as if all left from the centre.
void moor_cross(std::int32_t SIMTYP) {
    testing::fill_cross_mooring(SIMTYP);
    TpcmBlock& T = TPCM;
    T.LWIND = T.LCURNT = T.LRANDM = T.LSWELL = T.LSWEL2 = 0;
    T.AUXFRC = T.AXFC2 = T.AXFC3 = 0;
    T.DPRFLG = T.DPAFLG = 0;
}

struct Solve {
    std::array<float, 6> XVEC{};
    float PITOFF = 0.0f, ROLOFF = 0.0f, YAWOFF = 0.0f;
    SixDofOutcome out;
    void still(bool spring = false) {
        const std::array<float, 6> zero{};
        out = EQFND3(false, zero, zero, false, XVEC, PITOFF, ROLOFF, YAWOFF, spring, false);
    }
    void loaded(const std::array<float, 6>& F, bool spring = false) {
        const std::array<float, 6> start = XVEC;
        out = EQFND3(false, start, F, true, XVEC, PITOFF, ROLOFF, YAWOFF, spring, false);
    }
};

TEST(SixDofEquilibrium, LoadMovesTheCrossToTheIndependentBalance) {
    ScriptedConsole console;
    moor_cross(17);
    Solve s;
    s.still();
    EXPECT_EQ(s.out.NSCALE, 3); // the first spar solution in three load steps
    EXPECT_FALSE(s.out.ITFAIL);
    for (const float x : s.XVEC)
        EXPECT_NEAR(x, 0.0, 1e-3);
    s.loaded({500.0f, 0.0f, 100.0f, 0.0f, 0.0f, 0.0f});
    EXPECT_EQ(s.out.NSCALE, 1);
    const auto expected = testing::star_equilibrium(500.0, 0.0);
    EXPECT_NEAR(expected[0], 22.72248, 1e-5);
    EXPECT_NEAR(s.XVEC[0], expected[0], 0.002);
    EXPECT_NEAR(s.XVEC[1], 0.0, 0.002);
    EXPECT_NEAR(s.XVEC[2], 100.0 / HVCNST, 1e-4); // heave = dFz / (AWP DWATR 0.001)
    for (std::size_t k = 3; k < 6; ++k)
        EXPECT_NEAR(s.XVEC[k], 0.0, 1e-4);
    EXPECT_EQ(console.screen(), "");
}

// The first spar solution in an environment (an applied 300 along x, global axes) applies the
// load in three steps, 100, 200 and 300: the third step's search starts from the straight-line
// extrapolation 2 x(200) - x(100) of the first two solutions, each the independent balance of
// the star, and ends at x(300). The extrapolation lies some 4.5 beyond x(200), where the search
// would start without it.
TEST(SixDofEquilibrium, ThirdLoadStepStartsFromTheExtrapolationOfTheFirstTwo) {
    ScriptedConsole console;
    moor_cross(17);
    TPCM.AUXFRC = 1;
    TPCM.CRDSYS = 0;
    TPCM.XVFRC = 300.0f;
    Solve s;
    const std::array<float, 6> zero{};
    s.out = EQFND3(true, zero, zero, false, s.XVEC, s.PITOFF, s.ROLOFF, s.YAWOFF, false, false);
    ASSERT_EQ(s.out.NSCALE, 3);
    EXPECT_FALSE(s.out.ITFAIL);
    const double x1 = testing::star_equilibrium(100.0, 0.0)[0];
    const double x2 = testing::star_equilibrium(200.0, 0.0)[0];
    const double x3 = testing::star_equilibrium(300.0, 0.0)[0];
    ASSERT_GT(x2 - x1, 4.0);
    EXPECT_NEAR(s.out.XSTART[0], 2.0 * x2 - x1, 0.006); // each step converged to 0.002
    EXPECT_NEAR(s.out.XSTART[1], 0.0, 0.006);
    EXPECT_NEAR(s.XVEC[0], x3, 0.002);
    EXPECT_NEAR(s.XVEC[1], 0.0, 0.002);
    EXPECT_EQ(console.screen(), "");
}

// A vertical load of 4000 lifts the cross by 4000 / HVCNST = 6.25 ft (the lines have no vertical
// force). A Newton step of heave is held to one layer of the tables: with layers 2 ft apart the
// first three steps are cut to 2 ft and the search still ends at the same heave.
TEST(SixDofEquilibrium, HeaveStepsHeldToOneLayerReachTheWaterplaneBalance) {
    for (const float DLAYER : {10.0f, 2.0f}) {
        SCOPED_TRACE(DLAYER);
        ScriptedConsole console;
        moor_cross(17);
        Solve s;
        s.still();
        LINCOM.DLAYER = DLAYER;
        s.loaded({0.0f, 0.0f, 4000.0f, 0.0f, 0.0f, 0.0f});
        EXPECT_FALSE(s.out.ITFAIL);
        EXPECT_NEAR(s.XVEC[2], 4000.0 / HVCNST, 1e-4 * 4000.0 / HVCNST);
        for (const std::size_t k : {0u, 1u, 3u, 4u, 5u})
            EXPECT_NEAR(s.XVEC[k], 0.0, 1e-3) << k;
        EXPECT_EQ(console.screen(), "");
    }
}

// The spring procedure at the loaded solution: 10 more along the offset gives the secant of the
// lines' force there, a vertical 10 the waterplane stiffness, moments of 1000 the roll and pitch
// stiffness of the metacentric heights; the words return to the solution.
TEST(SixDofEquilibrium, SpringProcedureMeasuresTheSecantStiffnesses) {
    ScriptedConsole console;
    moor_cross(17);
    Solve s;
    s.still();
    s.loaded({500.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f}, true);
    const double x0 = testing::star_equilibrium(500.0, 0.0)[0];
    const double secant = 10.0 / (testing::star_equilibrium(510.0, 0.0)[0] - x0);
    EXPECT_NEAR(secant, 22.0142, 1e-4);
    EXPECT_NEAR(EQUILB.GSPARSPRING(1), secant, 0.01);
    EXPECT_NEAR(EQUILB.GSPARSPRING(3), HVCNST, 1e-3 * HVCNST);
    EXPECT_NEAR(EQUILB.GSPARSPRING(4), RLCNST, 2e-3 * RLCNST);
    // Pitch also lifts the x lines' fairleads 10 from the centre: their loads H1 + H2 = 2000
    // (772.8 + 1227.2 at the solution) at a lever 10 sin(theta) add 10 (H1 + H2).
    EXPECT_NEAR(EQUILB.GSPARSPRING(5), PTCNST + 10.0f * 2000.0f, 5e-3 * PTCNST);
    EXPECT_NEAR(EQUILB.GOFANG, 0.0, 1e-6);
    EXPECT_NEAR(s.XVEC[0], x0, 0.002); // the state of the solution again
    EXPECT_EQ(console.screen(), "");
}

// At a solution without offset the set-down terms have nothing to divide by: they are 0, one
// warning says so, and no word of the procedure is infinite or not a number.
TEST(SixDofEquilibrium, SpringProcedureWithoutOffsetStoresNoInfinity) {
    ScriptedConsole console;
    moor_cross(17);
    Solve s;
    s.still(true);
    EXPECT_EQ(EQUILB.DZDRPUL2, 0.0f);
    for (const float w :
         {EQUILB.DZDRPUL, EQUILB.DZDRPUL2, EQUILB.DZDRPUL4, EQUILB.GOFANG, EQUILB.VOFANG})
        EXPECT_TRUE(std::isfinite(w));
    for (int k = 1; k <= 6; ++k) {
        EXPECT_TRUE(std::isfinite(EQUILB.GSPARSPRING(k))) << k;
        EXPECT_TRUE(std::isfinite(EQUILB.SPARSPRING(k))) << k;
    }
    EXPECT_EQ(console.screen(), " ++> Warning: no displacement to divide by in the spring and "
                                "set-down procedure; those terms are set to 0.\n");
}

TEST(SixDofEquilibrium, DraftNotAboveTheDepthIsRefused) {
    for (const float DRAFT : {300.0f, 320.0f}) {
        SCOPED_TRACE(DRAFT);
        ScriptedConsole console("\n");
        moor_cross(17);
        TPCM.DRAFT = DRAFT;
        Solve s;
        EXPECT_EQ(testing::run_until_stop([&] { s.still(); }), StopKind::error);
        EXPECT_EQ(console.screen(),
                  "\n ++> Fatal Condition: The water depth does not exceed the draft;\n"
                  "     the six-degree-of-freedom equilibrium cannot be computed.\n\n \n"
                  " Press <RETURN> to continue: ");
    }
}

// A tension-leg platform with nothing to hold it (no lines, no waterplane, no metacentric
// height): every Jacobian is singular. The first step doubles the load steps three times, then
// the dialogue comes at every step.
void unheld() {
    moor_cross(14);
    for (int i = 1; i <= 4; ++i)
        LINCOM.LINEID(i) = 1024 + 1;
    TPCM.AWP = 0.0f;
    TPCM.VKMT = TPCM.VKML = 0.0f;
}

std::string null_dialogue() {
    return "\n ++> Null Determinant in equilibrium position search at offset number   1;\n\n"
           " EPSLN(I):   1.000E-01  1.000E-01  1.000E-01  1.000E-03  1.000E-03  1.000E-03\n\n"
           "     enter \"C\" to Continue with current estimate\n"
           "     enter \"R\" to Resume search from current estimate\n"
           "     enter \"I\" to Intercept & modify EPSLN on the fly\n"
           "     enter \"Z\" to Zero out estimate & retry from scratch, or\n";
}

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
        ++n;
    return n;
}

TEST(SixDofEquilibrium, SingularTensionLegDoublesTheStepsThenAsks) {
    // An unknown answer, resume, zero, intercept (six blank answers), then continue at each of
    // the 24 steps.
    std::string keyboard = "x\nr\nz\ni\n\n\n\n\n\n\n";
    for (int k = 0; k < 24; ++k)
        keyboard += "c\n";
    ScriptedConsole console(keyboard);
    unheld();
    Solve s;
    s.still();
    EXPECT_EQ(s.out.NCYCLE, 3);
    EXPECT_EQ(s.out.NSCALE, 24);
    EXPECT_TRUE(s.out.ITFAIL);
    const std::string screen = console.screen();
    const std::string prompt = "     enter \"A\" to Abort the simulation: ";
    EXPECT_EQ(screen.rfind(null_dialogue() + prompt, 0), 0u);
    EXPECT_EQ(count(screen, " ++> Null Determinant"), 4u + 24u);
    EXPECT_EQ(count(screen, "New EPSLN("), 6u);
    EXPECT_NE(screen.find("New EPSLN(6) (c/r for no change):"), std::string::npos);
}

TEST(SixDofEquilibrium, DialogueAbortAndUnattendedRun) {
    {
        ScriptedConsole console("a\n");
        unheld();
        Solve s;
        EXPECT_EQ(testing::run_until_stop([&] { s.still(); }), StopKind::user_choice);
    }
    {
        ScratchFolder folder;
        ScriptedConsole console;
        unheld();
        ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                              FileForm::formatted));
        TPCM.EDUNIT = diagnostics_unit;
        Solve s;
        const auto stop = testing::run_until_stop([&] { s.still(); });
        ASSERT_TRUE(stop.has_value());
        EXPECT_EQ(ProgramStop(*stop).exit_status(), 1);
        close_unit(diagnostics_unit);
        EXPECT_EQ(folder.read("Diagnostics.stxt"), null_dialogue());
        EXPECT_EQ(console.screen(), "");
    }
}

// A roll moment of 1 against a roll stiffness of 1e-4: every Newton step leaves the range of
// rotations and is halved back into it, which never counts as converged; after 200 iterations
// the dialogue, where "C" takes the midpoint of the last two estimates. (The large rotations on
// the way carry a fairlead outside the tables' vertical span once: its warning's pause first.)
TEST(SixDofEquilibrium, RotationBeyondTheLimitIsHalvedAndNeverConverges) {
    ScriptedConsole console("\nc\n");
    const std::int32_t accepted = accepted_failures();
    moor_cross(17);
    TPCM.VKMT = 1.0e-7f;
    Solve s;
    s.still();
    s.loaded({0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f});
    EXPECT_TRUE(s.out.ITFAIL);
    EXPECT_EQ(accepted_failures(), accepted + 1); // "C" takes the failed search
    EXPECT_LE(std::abs(s.XVEC[3]), 3.0f);
    const std::string screen = console.screen();
    EXPECT_NE(screen.find("\n ++> Convergence failure in equilibrium position search at offset "
                          "number   1;\n\n XVECT(I): "),
              std::string::npos);
    EXPECT_NE(screen.find("     enter \"I\" to Intercept & modify XVECT on the fly\n"),
              std::string::npos);
}

} // namespace
} // namespace lintar
