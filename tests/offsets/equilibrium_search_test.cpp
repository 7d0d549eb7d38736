// Tests of the equilibrium search at "continuous equilibrium" points, on the spread mooring
// whose tables come from the elastic catenary, against the independent force of that mooring
// and the closed-form hydrostatic restoring in heave.
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "equilibrium/newton_steps.h"
#include "lines/mooring_force.h"
#include "offsets/equilibrium_search.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/spread_mooring_tables.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::Chain;
using testing::ScriptedConsole;
using Vec6 = std::array<float, 6>;

constexpr float AWP = 40000.0f;                           // ft^2
constexpr float DWATR = 64.0f;                            // lb/ft^3
constexpr float VKG = 20.0f;                              // ft above the fairleads
constexpr double heave_constant = 40000.0 * 64.0 * 0.001; // kips/ft

// The spread mooring with NLAYER rows 10 ft apart, and a vessel of 150,000 kips with its
// centre of gravity 20 ft above the fairleads, 10 ft of metacentric height in roll, 680 ft in
// pitch, in 300 ft of water.
void moor(int NLAYER) {
    testing::fill_spread_tables(Chain{}, NLAYER, 10.0f);
    TPCM.SIMTYP = 8;
    TPCM.DEPTH = 300.0f;
    TPCM.AWP = AWP;
    TPCM.DWATR = DWATR;
    TPCM.DISPL = 150000.0f;
    TPCM.VKG = VKG;
    TPCM.VKMT = VKG + 10.0f;
    TPCM.VKML = VKG + 680.0f;
}

// The force applied at the centre of gravity (global axes unless vessel_axes).
AppliedLoadFrame at_centre(bool vessel_axes = false) {
    AppliedLoadFrame frame;
    frame.FCVES = vessel_axes ? 1 : 0;
    frame.FAPPNT = {0.0f, 0.0f, VKG};
    return frame;
}

// One search at point INCVAL on lines 1..MAXLN: call() as the driver calls it; search() true
// when the search returned rather than ended the run.
struct Point {
    Vec6 FEXT{};
    Vec6 XVEC{};
    EquilibriumResult result;
    std::int32_t QUITFG = 0;
    SpanWarning warn;
    void call(std::int32_t INCVAL, std::int32_t MAXLN = 4,
              const AppliedLoadFrame& frame = at_centre(), const LineResults& results = {}) {
        EQFND2(FEXT, XVEC, INCVAL, results, result, frame, QUITFG, 1, MAXLN, warn);
    }
    bool search(std::int32_t INCVAL, std::int32_t MAXLN = 4,
                const AppliedLoadFrame& frame = at_centre(), const LineResults& results = {}) {
        return !testing::run_until_stop([&] { call(INCVAL, MAXLN, frame, results); });
    }
};

using D3 = std::array<double, 3>;

// The rotation matrix of a rotation vector (Rodrigues' formula), by rows.
std::array<D3, 3> rotation(double ax, double ay, double az) {
    const double t = std::sqrt(ax * ax + ay * ay + az * az);
    std::array<D3, 3> R = {D3{1, 0, 0}, D3{0, 1, 0}, D3{0, 0, 1}};
    if (t == 0.0)
        return R;
    const double k[3] = {ax / t, ay / t, az / t};
    const double K[3][3] = {{0, -k[2], k[1]}, {k[2], 0, -k[0]}, {-k[1], k[0], 0}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double KK = 0.0;
            for (int m = 0; m < 3; ++m)
                KK += K[i][m] * K[m][j];
            R[i][j] += std::sin(t) * K[i][j] + (1.0 - std::cos(t)) * KK;
        }
    return R;
}

// Where line n's fairlead goes (global displacement) when the vessel at heading psi, turned
// about (0, 0, VKG), takes the state X, and the line's independent state there: an elastic
// catenary at the displaced fairlead-anchor distance over the displaced vertical span.
struct LineAt {
    D3 move{};
    double distance = 0.0;
    D3 force{}; // on the vessel, global
    double H = 0.0;
};
LineAt line_at(std::size_t n, const Vec6& X, double psi) {
    const Chain chain;
    const double X0 = testing::elastic_catenary(chain, testing::spread_H0, testing::spread_depth).X;
    const auto R = rotation(X[3], X[4], X[5]);
    const double qx = testing::spread_x[n];
    const double qy = testing::spread_y[n];
    const D3 p = {qx * std::cos(psi) - qy * std::sin(psi), qx * std::sin(psi) + qy * std::cos(psi),
                  -static_cast<double>(VKG)};
    LineAt s;
    for (std::size_t i = 0; i < 3; ++i)
        s.move[i] = X[i] + R[i][0] * p[0] + R[i][1] * p[1] + R[i][2] * p[2] - p[i];
    const double a = testing::spread_azimuth[n] * std::numbers::pi / 180.0;
    const double vx = X0 * std::cos(a) - s.move[0];
    const double vy = X0 * std::sin(a) - s.move[1];
    s.distance = std::hypot(vx, vy);
    const auto c =
        testing::catenary_at_distance(chain, s.distance, testing::spread_depth + s.move[2]);
    s.H = c.H;
    s.force = {c.H * vx / s.distance, c.H * vy / s.distance, -c.V};
    return s;
}
D3 independent_force(const Vec6& X, double psi) {
    D3 F{};
    for (std::size_t n = 0; n < 4; ++n)
        for (std::size_t i = 0; i < 3; ++i)
            F[i] += line_at(n, X, psi).force[i];
    return F;
}

// The failure dialogue at offset number nn as the user sees it, up to the open prompt.
std::string dialogue(bool singular, const char* nn) {
    return std::string("\n ++> ") + (singular ? "Null Determinant" : "Convergence failure") +
           " in equilibrium position search at offset number " + nn +
           ";\n"
           "     enter \"C\" to Continue with current estimate\n"
           "     enter \"Q\" to Quit and proceed to next sequence\n"
           "     enter \"R\" to Resume search from current estimate\n" +
           (singular ? "     enter \"I\" to Inspect EPS  & adjust on the fly\n"
                     : "     enter \"I\" to Inspect XVEC & adjust on the fly\n") +
           "     enter \"Z\" to Zero out estimate & retry from scratch, or\n"
           "     enter \"A\" to Abort the simulation: ";
}
const std::string six_prompts = " New value (1) (c/r for no change):"
                                " New value (2) (c/r for no change):"
                                " New value (3) (c/r for no change):"
                                " New value (4) (c/r for no change):"
                                " New value (5) (c/r for no change):"
                                " New value (6) (c/r for no change):";

// A sequence: at rest with no load the search stays exactly at rest; under a horizontal force
// at the second point, the independent mooring force changes from the first point by minus
// that force. A force in vessel axes turns with the vessel, its heading included.
TEST(EquilibriumSearch, HorizontalForceIsBalancedByTheMooring) {
    struct Case {
        const char* name;
        float VESAN0;
        bool vessel_axes;
        Vec6 FEXT;
    };
    const float quarter = static_cast<float>(std::numbers::pi / 2.0);
    const Case cases[] = {
        {"global force, heading 0", 0.0f, false, {120.0f, -60.0f, 0, 0, 0, 0}},
        {"vessel-axes force, heading 90", quarter, true, {120.0f, 0, 0, 0, 0, 0}},
    };
    // The tables miss each line's load by ~0.08 kips, nearly alike at both points, so the
    // change of the force is good to the Newton tolerance: 0.01 ft at ~5 kips/ft.
    constexpr double force_tol = 0.1; // kips
    constexpr double line_tol = 0.15; // kips, one line
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        moor(3);
        TPCM.VESAN0 = c.VESAN0;
        const AppliedLoadFrame frame = at_centre(c.vessel_axes);
        Point p;
        p.XVEC = {5.0f, 5.0f, 5.0f, 0.1f, 0.1f, 0.1f}; // the first point starts at rest
        ASSERT_TRUE(p.search(1, 4, frame));
        for (std::size_t k = 0; k < 6; ++k)
            EXPECT_EQ(p.XVEC[k], 0.0f) << k;
        EXPECT_FALSE(p.result.ITFAIL);

        std::vector<float> TOPTH(150, -1.0f);
        LineResults results;
        results.TOPTH = TOPTH;
        p.FEXT = c.FEXT;
        ASSERT_TRUE(p.search(2, 4, frame, results));
        EXPECT_FALSE(p.result.ITFAIL);
        EXPECT_EQ(p.QUITFG, 0);
        EXPECT_GT(std::hypot(p.XVEC[0], p.XVEC[1]), 10.0); // a real offset, tens of feet

        const D3 F0 = independent_force(Vec6{}, c.VESAN0);
        const D3 F1 = independent_force(p.XVEC, c.VESAN0);
        // A force in vessel axes turns with the vessel: its heading, then its attitude.
        D3 F = {c.FEXT[0], c.FEXT[1], c.FEXT[2]};
        if (c.vessel_axes) {
            const D3 h = {F[0] * std::cos(c.VESAN0) - F[1] * std::sin(c.VESAN0),
                          F[0] * std::sin(c.VESAN0) + F[1] * std::cos(c.VESAN0), F[2]};
            const auto R = rotation(p.XVEC[3], p.XVEC[4], p.XVEC[5]);
            for (std::size_t i = 0; i < 3; ++i)
                F[i] = R[i][0] * h[0] + R[i][1] * h[1] + R[i][2] * h[2];
        }
        EXPECT_NEAR(F1[0] - F0[0], -F[0], force_tol);
        EXPECT_NEAR(F1[1] - F0[1], -F[1], force_tol);
        // The final evaluation records each line's displaced distance and its load.
        for (std::size_t n = 0; n < 4; ++n) {
            const LineAt line = line_at(n, p.XVEC, c.VESAN0);
            EXPECT_NEAR(LINCOM.RANCP(static_cast<int>(n) + 1), line.distance, 1e-3) << n;
            EXPECT_NEAR(TOPTH[n], line.H, line_tol) << n;
        }
        EXPECT_EQ(TOPTH[4], -1.0f);
        EXPECT_EQ(console.screen(), "");
    }
}

// With one layer row the tables have no height dimension, so the line loads do not change
// with heave and only the water plane resists a vertical force: z = F / (AWP DWATR 0.001).
TEST(EquilibriumSearch, HeaveForceWithoutHeaveStiffnessMeetsTheWaterPlane) {
    ScriptedConsole console;
    moor(1);
    Point p;
    p.warn.IOFLAG = 99; // the span warning of the one-row tables has been given
    p.FEXT = {0.0f, 0.0f, 512.0f, 0.0f, 0.0f, 0.0f};
    ASSERT_TRUE(p.search(1));
    EXPECT_FALSE(p.result.ITFAIL);
    EXPECT_NEAR(p.XVEC[2], 512.0 / heave_constant, 1e-5);
    for (const std::size_t k : {0u, 1u, 3u, 4u, 5u})
        EXPECT_NEAR(p.XVEC[k], 0.0, 1e-6) << k;
    EXPECT_EQ(console.screen(), "");
}

// The third point starts from twice the second solution less the first: a search that finds
// a singular Jacobian at once and is quit there returns its starting estimate.
TEST(EquilibriumSearch, ThirdPointStartsFromTheExtrapolation) {
    ScriptedConsole console("q\nq\n");
    moor(3);
    Point p;
    p.FEXT = {80.0f, 30.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    ASSERT_TRUE(p.search(1));
    const Vec6 first = p.XVEC;
    ASSERT_GT(std::abs(first[0]), 1.0f);
    const Vec6 second = {1.0f, -2.0f, 0.5f, 0.01f, -0.02f, 0.03f};
    p.XVEC = second;
    ASSERT_TRUE(p.search(2, 0)); // no lines: singular
    EXPECT_EQ(p.XVEC, second);
    p.XVEC = {};
    ASSERT_TRUE(p.search(3, 0));
    for (std::size_t k = 0; k < 6; ++k)
        EXPECT_EQ(p.XVEC[k], 2.0f * second[k] - first[k]) << k;
    EXPECT_EQ(console.screen(), dialogue(true, " 2") + dialogue(true, " 3"));
}

// The dialogue at a singular Jacobian: an answer not understood shows it again; "R" resumes
// from the midpoint of the last two iterates, "I" edits the difference steps (kept for the
// rest of the run), "C" returns the midpoint, "Z" restarts from rest, "Q" quits the sequence.
// "C" and "Q" take a failed search: each counts as a convergence failure accepted.
TEST(EquilibriumSearch, NullDeterminantDialogueAnswers) {
    ScriptedConsole console("?\nr\ni\n0.2\n\n\n\n\n0.005\nc\n"
                            "z\nI\n\n\n\n\n\n\nQ\n");
    const std::int32_t accepted = accepted_failures();
    moor(3);
    const Vec6 start = {1.0f, -2.0f, 0.5f, 0.01f, -0.02f, 0.03f};
    Point p;
    p.XVEC = start;
    ASSERT_TRUE(p.search(2, 0));
    EXPECT_EQ(p.XVEC, start); // both iterates are the start
    EXPECT_TRUE(p.result.ITFAIL);
    EXPECT_EQ(p.QUITFG, 0);
    EXPECT_EQ(accepted_failures(), accepted + 1);
    const std::string D = dialogue(true, " 2");
    EXPECT_EQ(console.screen(), D + D + D +
                                    "   EPS(I),I=1,6:\n"
                                    "    1.000E-01   1.000E-01   1.000E-01   1.000E-03   "
                                    "1.000E-03   1.000E-03\n\n" +
                                    six_prompts + D);

    console.clear_screen_text();
    p.XVEC = start;
    ASSERT_TRUE(p.search(2, 0));
    for (const float x : p.XVEC)
        EXPECT_EQ(x, 0.0f);
    EXPECT_TRUE(p.result.ITFAIL);
    EXPECT_EQ(p.QUITFG, 1);
    EXPECT_EQ(accepted_failures(), accepted + 2);
    EXPECT_EQ(console.screen(), D + D +
                                    "   EPS(I),I=1,6:\n"
                                    "    2.000E-01   1.000E-01   1.000E-01   1.000E-03   "
                                    "1.000E-03   5.000E-03\n\n" +
                                    six_prompts + D);
}

// "A" ends the run as the user's choice; the end of the keyboard input ends the session; an
// unattended run writes the dialogue to "Diagnostics.stxt" and stops with status 1.
TEST(EquilibriumSearch, DialogueEndsTheRun) {
    struct Case {
        const char* name;
        const char* keyboard;
        bool unattended;
        StopKind kind;
        std::string screen;
    };
    const std::string D = dialogue(true, " 1");
    const Case cases[] = {
        {"abort", "a\n", false, StopKind::user_choice, D},
        {"end of input", "", false, StopKind::error, D + "\n ++> End of input: session ended.\n"},
        {"unattended", "", true, StopKind::error, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ScratchFolder folder;
        ScriptedConsole console(c.keyboard);
        moor(3);
        if (c.unattended) {
            ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                                  FileForm::formatted));
            TPCM.EDUNIT = diagnostics_unit;
        }
        Point p;
        EXPECT_EQ(testing::run_until_stop([&] { p.call(1, 0); }), c.kind);
        EXPECT_EQ(console.screen(), c.screen);
        if (c.unattended) {
            close_unit(diagnostics_unit);
            const std::string text = D.substr(0, D.rfind("     enter \"A\""));
            EXPECT_EQ(folder.read("Diagnostics.stxt"), text);
        }
    }
}

// An estimate beyond the heave limit (water depth less draft) is halved until it lies within
// it, and that step never counts as converged, so a load that would lift the vessel further
// ends in the convergence dialogue; "C" returns the halved estimate. With the depth below the
// draft no estimate can meet the limit: the halving stops at its cap and the search still
// ends in the dialogue.
TEST(EquilibriumSearch, HeaveLimitHalvesTheEstimate) {
    struct Case {
        const char* name;
        float DEPTH, DRAFT;
        const char* answer;
        double z;
        std::int32_t QUITFG;
    };
    const Case cases[] = {
        {"limit 0.15 ft", 0.15f, 0.0f, "c\n", 0.5 * 512.0 / heave_constant, 0},
        {"depth below draft", 300.0f, 350.0f, "q\n", 0.0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console(c.answer);
        moor(1);
        TPCM.DEPTH = c.DEPTH;
        TPCM.DRAFT = c.DRAFT;
        Point p;
        p.warn.IOFLAG = 99;
        p.FEXT = {0.0f, 0.0f, 512.0f, 0.0f, 0.0f, 0.0f};
        ASSERT_TRUE(p.search(1));
        EXPECT_NEAR(p.XVEC[2], c.z, 1e-6);
        EXPECT_TRUE(p.result.ITFAIL);
        EXPECT_EQ(p.QUITFG, c.QUITFG);
        EXPECT_EQ(console.screen(), dialogue(false, " 1"));
    }
}

// The counting rule: a step that meets the tolerances ends the search, the 201st included; an
// unconverged step is counted, and the 201st fails. (A search whose 201st step is the first
// to converge cannot be arranged from the tables: from the 25th step on the iteration
// averages with its odd iterates.)
TEST(EquilibriumSearch, ConvergedStepIsAcceptedBeforeCounting) {
    struct Case {
        std::int32_t before;
        bool DOMOR;
        NewtonOutcome outcome;
        std::int32_t after;
    };
    const Case cases[] = {
        {0, false, NewtonOutcome::converged, 0},
        {0, true, NewtonOutcome::another_step, 1},
        {199, true, NewtonOutcome::another_step, 200},
        {200, false, NewtonOutcome::converged, 200}, // the 201st step
        {200, true, NewtonOutcome::failed, 201},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "ITRATN " << c.before << " DOMOR " << c.DOMOR);
        std::int32_t ITRATN = c.before;
        EXPECT_EQ(count_newton_step(c.DOMOR, ITRATN), c.outcome);
        EXPECT_EQ(ITRATN, c.after);
    }
}

// A CALM arrangement: the hawser pulls down at its fairlead with the vertical force of the
// hawser line at its horizontal load, the weight of its suspended length; the pull comes
// from the horizontal load alone at every step.
TEST(EquilibriumSearch, CalmHawserPullsWithItsSuspendedWeight) {
    ScriptedConsole console;
    moor(3);
    TPCM.IARCO = 1;
    TPCM.HAWSLN = 5;
    TPCM.HAWSTP = 1;
    TPCM.RFLD(1, 5) = 0.0f;
    TPCM.RFLD(2, 5) = 0.0f;
    TPCM.RFLD(3, 5) = 0.0f;
    Point p;
    p.FEXT = {40.0f, 30.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    ASSERT_TRUE(p.search(1));
    EXPECT_FALSE(p.result.ITFAIL);
    // The fairlead's rise: the heave and the turn of its 20 ft depth below the centre.
    const auto R = rotation(p.XVEC[3], p.XVEC[4], p.XVEC[5]);
    const double DZ = p.XVEC[2] - R[2][2] * VKG + VKG;
    const auto hawser = testing::elastic_catenary(Chain{}, 50.0, testing::spread_depth + DZ);
    constexpr double pull_tol = 0.05; // kips: the table's top angle between its load points
    EXPECT_NEAR(p.FEXT[2], -hawser.V, pull_tol);
    EXPECT_EQ(p.result.ILAYR, 1); // the pull lowers the fairlead below the middle row
    EXPECT_NEAR(p.result.DELLAY, (DZ + 10.0) / 10.0, 1e-4);
}

// A difference step of 0 typed at the dialogue makes the Jacobian not a number: the next
// search shows the null-determinant dialogue again, where the step can be mended, instead of
// taking a step that is not a number for a converged one.
TEST(EquilibriumSearch, ZeroDifferenceStepReturnsToTheDialogue) {
    ScriptedConsole console("i\n0\n\n\n\n\n\nq\n"
                            "i\n0.1\n\n\n\n\n\n");
    moor(3);
    Point p;
    ASSERT_TRUE(p.search(1, 0));
    console.clear_screen_text();
    ASSERT_TRUE(p.search(1));
    for (const float x : p.XVEC)
        EXPECT_EQ(x, 0.0f);
    EXPECT_FALSE(p.result.ITFAIL);
    EXPECT_EQ(p.QUITFG, 1); // from the first search
    EXPECT_EQ(console.screen(), dialogue(true, " 1") +
                                    "   EPS(I),I=1,6:\n"
                                    "    0.000E+00   1.000E-01   1.000E-01   1.000E-03   "
                                    "1.000E-03   1.000E-03\n\n" +
                                    six_prompts);
}

} // namespace
} // namespace lintar
