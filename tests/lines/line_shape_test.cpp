// Tests of the line shape at a horizontal tension (ITER8P, ITER8, HTERR, WLERR): against an
// independent elastic catenary solver, against the line integrated by RK4 for the cubic law,
// for lines of several sublines and for hard lines, and the mended failures.
#include "support/line_test_support.h"

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/catenary_elements.h"
#include "lines/line_shape.h"
#include "support/console.h"

#include <gtest/gtest.h>
#include <iterator>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

// The solve works on a four-byte top slope with the search's tolerances (1e-5 on the slope,
// relative above 1, and 0.01 on the height); the interpolation ends well inside them, so the
// shape carries about the rounding of the slope, 6e-8 relative, amplified a little by the
// line's sensitivity to it. Observed: at most 5e-7 on spans and tensions and 2e-5 degrees on
// the angles over the reference cases. A wrong law, a lost grounded part or a wrong branch
// errs by 1e-3 or more.
constexpr double rel_tol = 2e-6;
constexpr double angle_tol_deg = 1e-4;

// A line whose top slope is steep is found only to the search's slope tolerance, 1e-5 of the
// slope: such a case gives its own bounds on the span and the anchor angle.
struct Looser {
    double span = 0.0;
    double angle_deg = 0.0;
};

void expect_same_shape(const Solved& s, const Solved& ref, double length_scale,
                       Looser looser = {}) {
    EXPECT_NEAR(s.XF, ref.XF,
                std::max(rel_tol * std::abs(ref.XF) + 1e-7 * length_scale, looser.span));
    EXPECT_NEAR(s.Ttop, ref.Ttop, rel_tol * ref.Ttop);
    EXPECT_NEAR(s.Tbot, ref.Tbot, rel_tol * ref.Ttop);
    EXPECT_NEAR(s.top_deg, ref.top_deg, angle_tol_deg);
    EXPECT_NEAR(s.anc_deg, ref.anc_deg, std::max(angle_tol_deg, looser.angle_deg));
    EXPECT_NEAR(s.BOTLN, ref.BOTLN, rel_tol * length_scale);
}

double total_length(const Line& line) {
    double L = 0.0;
    for (const auto& s : line)
        L += s.L;
    return L;
}

TEST(LineShape, MatchesTheIndependentElasticCatenary) {
    // The line with the linear law (a1 = 1/EA) solved at the reference's HF over its vertical
    // span. The reference's grounded length is unstretched; the line stores it stretched at
    // the grounded tension H. The line at HF = 0 is the vertical solution's (its own test).
    for (const auto& c : reference_cases()) {
        if (c.HF == 0.0)
            continue;
        SCOPED_TRACE(c.id);
        ScriptedConsole console;
        define_type(1, {{c.L, c.w, 1.0 / c.EA}});
        const Solved s = solve_type(1, c.HF, static_cast<float>(c.ZF));
        const double H = c.HF;
        Solved ref;
        ref.XF = c.XF;
        ref.Ttop = c.Ttop;
        ref.Tbot = H / std::cos(c.anc_deg * std::numbers::pi / 180.0);
        ref.top_deg = c.top_deg;
        ref.anc_deg = c.anc_deg;
        ref.BOTLN = c.LBot * (1.0 + H / c.EA);
        expect_same_shape(s, ref, c.L);
    }
}

TEST(LineShape, TheRk4ReferenceReproducesAnIndependentCase) {
    // The integrator the other tests lean on, checked once against the reference solver.
    for (const auto& c : reference_cases()) {
        if (c.id != "C02" && c.id != "W04")
            continue;
        SCOPED_TRACE(c.id);
        const Solved ref = reference_solve({{c.L, c.w, 1.0 / c.EA}}, c.HF, c.ZF, true);
        EXPECT_NEAR(ref.XF, c.XF, 1e-8 * c.XF);
        EXPECT_NEAR(ref.Ttop, c.Ttop, 1e-8 * c.Ttop);
        EXPECT_NEAR(ref.BOTLN, c.LBot * (1.0 + c.HF / c.EA), 1e-8 * c.L);
    }
}

// Lines in kips and feet, each solved and integrated by RK4 (the reference's tolerances are
// far below the solve's).
struct LineCase {
    const char* name;
    Line line;
    double H;
    double ZF;
    std::int32_t anctyp = 1;
    Looser looser = {};
};

const LineCase line_cases[] = {
    // The cubic law has no public counterpart: a polyester-like law that softens then
    // stiffens (strain 2.9 % at 1000 kips), taut and fully suspended.
    {"polyester, cubic law, taut", {{3000, 0.003, 4e-5, -1.5e-8, 4e-12}}, 300.0, 2000.0},
    {"chain, cubic law, touchdown", {{3000, 0.1, 1e-5, 2e-9, 1e-12}}, 100.0, 1000.0},
    {"chain, wire (cubic), chain with touchdown",
     {{300, 0.1, 1 / 150000.0}, {2500, 0.02, 1e-5, -2e-9, 1e-12}, {1500, 0.1, 1 / 150000.0}},
     150.0,
     1000.0},
    {"chain, wire, chain lifting the anchor",
     {{300, 0.1, 1 / 150000.0}, {2500, 0.02, 1e-5}, {600, 0.1, 1 / 150000.0}},
     900.0,
     1000.0},
    // Hard lines.
    {"near-taut wire: span within 0.1 % of its stretched length",
     {{1000, 0.001, 1e-5}},
     6.0,
     600.0},
    {"long line lying mostly on the seabed", {{6000, 0.1, 1 / 150000.0}}, 20.0, 500.0},
    // Its top slope is about 500, found to within 0.005: the span moves by up to 0.35 ft per
    // unit of slope and the anchor slope (-2.7) with the top slope, 0.04 degrees at most.
    {"near-vertical line hanging below its anchor (no seabed)",
     {{1005, 0.1, 1e-5}},
     0.1,
     1000.0,
     0,
     {0.002, 0.04}},
    {"buoyant subline between two chains",
     {{200, 0.1, 1e-5}, {300, -0.04, 2e-5}, {2500, 0.1, 1e-5}},
     60.0,
     1000.0},
    {"weightless (straight) subline between two chains",
     {{500, 0.1, 1e-5}, {500, 0.0, 1e-5}, {2000, 0.1, 1e-5}},
     80.0,
     1000.0},
    {"weightless subline lying on the seabed between two chains",
     {{2000, 0.1, 1e-5}, {300, 0.0, 1e-5}, {500, 0.1, 1e-5}},
     20.0,
     500.0},
};

TEST(LineShape, MatchesTheLineIntegratedByRk4) {
    for (const auto& c : line_cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        define_type(1, c.line, c.anctyp);
        const Solved s = solve_type(1, c.H, static_cast<float>(c.ZF));
        const Solved ref = reference_solve(c.line, c.H, c.ZF, c.anctyp == 1);
        expect_same_shape(s, ref, total_length(c.line), c.looser);
        // The bracket for the next, larger tension: the slope found and a quarter of it.
        EXPECT_EQ(s.TOPT2, static_cast<float>(LINCOM.TMPTAN(1)));
        EXPECT_EQ(s.TOPT1, 0.25f * s.TOPT2);
    }
}

TEST(LineShape, TheHardLinesAreWhatTheyClaim) {
    // The near-taut wire's span is within 0.1 % of its stretched length; the long line lies
    // mostly on the seabed; the near-vertical line spans 1 % of its height.
    ScriptedConsole console;
    const auto& taut = line_cases[4];
    define_type(1, taut.line);
    const Solved t = solve_type(1, taut.H, static_cast<float>(taut.ZF));
    const double stretched = 1000.0 * (1.0 + 1e-5 * t.Ttop);
    EXPECT_GT(std::hypot(t.XF, taut.ZF), 0.999 * stretched);
    EXPECT_LT(std::hypot(t.XF, taut.ZF), stretched);

    const auto& lying = line_cases[5];
    define_type(1, lying.line);
    EXPECT_GT(solve_type(1, lying.H, static_cast<float>(lying.ZF)).BOTLN, 0.85 * 6000.0);

    const auto& steep = line_cases[6];
    define_type(1, steep.line, steep.anctyp);
    const Solved v = solve_type(1, steep.H, static_cast<float>(steep.ZF));
    EXPECT_GT(v.XF, 0.005 * steep.ZF);
    EXPECT_LT(v.XF, 0.02 * steep.ZF);
    EXPECT_LT(v.anc_deg, -45.0); // it comes up to the anchor from below
}

TEST(LineShape, ABracketAwayFromTheRootIsWidenedToIt) {
    // A zero bracket (the widening step would be zero without its floor), a bracket wholly
    // above and one wholly below the root, and a reversed bracket all find the same shape.
    const auto& c = line_cases[2];
    struct Bracket {
        float TOPT1, TOPT2;
    };
    const Bracket brackets[] = {{0.0f, 0.0f}, {50.0f, 500.0f}, {-3.0f, -1.0f}, {100.0f, 0.01f}};
    ScriptedConsole console;
    define_type(1, c.line);
    const Solved ref = reference_solve(c.line, c.H, c.ZF, true);
    for (const auto& b : brackets) {
        SCOPED_TRACE(::testing::Message() << "bracket " << b.TOPT1 << " .. " << b.TOPT2);
        expect_same_shape(solve_type(1, c.H, static_cast<float>(c.ZF), b.TOPT1, b.TOPT2), ref,
                          total_length(c.line));
    }
}

TEST(LineShape, ALineThatCannotSpanTheHeightStopsWithAMessage) {
    // An inextensible chain shorter than the height: no top slope gives a sign change, so the
    // widening is bounded, and the run ends with the message and status 1 (not a hang).
    ScriptedConsole console("\n");
    define_type(1, {{800, 0.1, 0.0}});
    const auto started = std::chrono::steady_clock::now();
    const auto stop = run_until_stop([] { solve_type(1, 100.0, 1000.0f); });
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    ASSERT_TRUE(stop.has_value());
    EXPECT_EQ(*stop, StopKind::error);
    EXPECT_EQ(console.screen(), " \n"
                                " ++> No line shape found in ITER8P:ITER8; line type  1\n"
                                "     at Htens =     100.00: no top slope lets the line span\n"
                                "     the fairlead height. Is the line shorter than the height?\n"
                                "     Press <Return> to Continue...\n");
}

TEST(LineShape, PullDownLowersTheHeightByTheVesselSinkage) {
    // With the pull-down the line spans DELTAZ less the sinkage NLINE(1) x (added vertical
    // load) x 1000 / (AWP x DWATR), the added load being H x slope less the table's zero-load
    // top tension. Checked on the integrated line at the slope found.
    ScriptedConsole console;
    const Line line = {{3000, 0.1, 1e-5}};
    define_type(1, line);
    TPCM.PULLDN = 1;
    TPCM.NLINE(1) = 4;
    TPCM.AWP = 20000.0f;
    TPCM.DWATR = 64.0f;
    LINCOM.MIDLYR = 1;
    LINCOM.TOPTEN(1, 1, 1) = 50.0f;
    const double H = 100.0;
    solve_type(1, H, 1000.0f);
    const double q = LINCOM.TMPTAN(1);
    const double sinkage = 4.0 * (H * q - 50.0) * 1000.0 / (20000.0 * 64.0);
    EXPECT_GT(sinkage, 0.1);
    EXPECT_NEAR(integrate_line(line, H, q, true).z, 1000.0 - sinkage, 0.011); // height tol 0.01
}

TEST(LineShape, PullDownWithoutWaterPlaneAreaIsIgnoredWithOneWarning) {
    ScriptedConsole console;
    const Line line = {{3000, 0.1, 1e-5}};
    define_type(1, line);
    const Solved plain = solve_type(1, 100.0, 1000.0f);
    TPCM.PULLDN = 1;
    TPCM.NLINE(1) = 4;
    TPCM.DWATR = 64.0f; // AWP stays 0
    const Solved first = solve_type(1, 100.0, 1000.0f);
    const Solved second = solve_type(1, 120.0, 1000.0f);
    EXPECT_EQ(first.XF, plain.XF);
    EXPECT_TRUE(std::isfinite(second.XF));
    EXPECT_EQ(console.screen(),
              " \n"
              " ++> Warning: The vessel pull-down is ignored: the water-plane area\n"
              "     or the water density of the data file is zero.\n");
}

// ---- Newton steps from an estimate of the top slope ----------------------------------------

// Solves type t at H over ZF from the caller's estimate (the bracket as the table stage's
// first point leaves it), and checks that the shape LINCOM holds is that of the slope found:
// laying the line again at that slope (HTERR) gives the same nodes and grounded length. The
// grounded length is spoilt first, so that one left from an earlier solve cannot pass.
Solved solve_from_estimate(int t, double H, float ZF, float estimate) {
    load_line(t, H, ZF);
    LINCOM.BOTLN = -1.0;
    float TOPT1 = 0.01f;
    float TOPT2 = 100.0f;
    ITER8P(TOPT1, TOPT2, estimate);
    Solved s = solved_shape(t);
    s.TOPT1 = TOPT1;
    s.TOPT2 = TOPT2;
    const double BOTLN = LINCOM.BOTLN;
    const std::vector<double> slopes(LINCOM.TMPTAN_words, LINCOM.TMPTAN_words + TPCM.NELEM(t) + 1);
    LineSolve line = lincom_line_solve();
    (void)HTERR2(line, TOPT2);
    EXPECT_EQ(line.BOTLN, BOTLN);
    EXPECT_EQ(std::vector<double>(LINCOM.TMPTAN_words, LINCOM.TMPTAN_words + TPCM.NELEM(t) + 1),
              slopes);
    return s;
}

TEST(LineShape, FromAnEstimateTheSearchFindsTheSameShape) {
    // Every line of the RK4 cases, from estimates near the root (as the table stage makes
    // them), far off on either side, of the wrong sign and zero: the shape is the RK4 line's,
    // and the slope the bracketing search's to its tolerance (1e-5, relative above 1).
    for (const auto& c : line_cases) {
        ScriptedConsole console;
        define_type(1, c.line, c.anctyp);
        const Solved bracketed = solve_type(1, c.H, static_cast<float>(c.ZF));
        const Solved ref = reference_solve(c.line, c.H, c.ZF, c.anctyp == 1);
        const float root = bracketed.TOPT2;
        for (const float estimate :
             {root * 1.0001f, root * 0.999f, root * 0.3f, root * 3.0f, -root, 0.0f}) {
            SCOPED_TRACE(::testing::Message() << c.name << ", estimate " << estimate);
            const Solved s = solve_from_estimate(1, c.H, static_cast<float>(c.ZF), estimate);
            expect_same_shape(s, ref, total_length(c.line), c.looser);
            EXPECT_NEAR(s.TOPT2, root, 1e-5 * std::max(1.0f, std::abs(root)));
            EXPECT_EQ(s.TOPT1, 0.25f * s.TOPT2);
        }
    }
}

// A line solved on arrays of the caller's own, as a mean line shape at another vessel position
// is: the same shape, bit for bit, as the line of LINCOM, and LINCOM left as it was.
TEST(LineShape, ALineOnArraysOfItsOwnLeavesLincomAlone) {
    for (const auto& c : line_cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        define_type(1, c.line, c.anctyp);
        const Solved in_lincom = solve_type(1, c.H, static_cast<float>(c.ZF));
        const std::vector<std::uint32_t> lincom_before(
            reinterpret_cast<const std::uint32_t*>(&LINCOM),
            reinterpret_cast<const std::uint32_t*>(&LINCOM) + sizeof(LINCOM) / 4);

        double SCLWT[max_elements] = {};
        double BETA[3 * max_elements] = {};
        double TMPTAN[max_nodes] = {};
        double SECARR[max_nodes] = {};
        std::copy(std::begin(LINCOM.SCLWT_words), std::end(LINCOM.SCLWT_words), SCLWT);
        std::copy(std::begin(LINCOM.BETA_words), std::end(LINCOM.BETA_words), BETA);
        LineSolve line = lincom_line_solve();
        line.SCLWT = ArrayView<double, max_elements>(SCLWT);
        line.BETA = ArrayView<double, 3, max_elements>(BETA);
        line.TMPTAN = ArrayView<double, max_nodes>(TMPTAN);
        line.SECARR = ArrayView<double, max_nodes>(SECARR);
        line.BOTLN = -1.0;
        float TOPT1 = 0.01f;
        float TOPT2 = 100.0f;
        ITER8P(line, TOPT1, TOPT2);

        EXPECT_EQ(TOPT2, in_lincom.TOPT2);
        EXPECT_EQ(line.BOTLN, in_lincom.BOTLN);
        const int nodes = TPCM.NELEM(1) + 1;
        EXPECT_TRUE(std::equal(TMPTAN, TMPTAN + nodes, LINCOM.TMPTAN_words));
        EXPECT_TRUE(std::equal(SECARR, SECARR + nodes, LINCOM.SECARR_words));
        const std::vector<std::uint32_t> lincom_after(
            reinterpret_cast<const std::uint32_t*>(&LINCOM),
            reinterpret_cast<const std::uint32_t*>(&LINCOM) + sizeof(LINCOM) / 4);
        EXPECT_TRUE(lincom_after == lincom_before);
    }
}

TEST(LineShape, FromAnEstimateThePullDownHeightIsSpanned) {
    // The pull-down's four-byte target height makes the height error jump by about 5e-5
    // between neighbouring slopes: the search still settles, on the height the line must span.
    ScriptedConsole console;
    const Line line = {{3000, 0.1, 1e-5}};
    define_type(1, line);
    TPCM.PULLDN = 1;
    TPCM.NLINE(1) = 4;
    TPCM.AWP = 20000.0f;
    TPCM.DWATR = 64.0f;
    LINCOM.MIDLYR = 1;
    LINCOM.TOPTEN(1, 1, 1) = 50.0f;
    for (const double H : {20.0, 37.5, 100.0, 410.0}) {
        SCOPED_TRACE(H);
        const float root = solve_type(1, H, 1000.0f).TOPT2;
        solve_from_estimate(1, H, 1000.0f, 1.01f * root);
        const double q = LINCOM.TMPTAN(1);
        const double sinkage = 4.0 * (H * q - 50.0) * 1000.0 / (20000.0 * 64.0);
        EXPECT_NEAR(integrate_line(line, H, q, true).z, 1000.0 - sinkage, 0.011);
        EXPECT_NEAR(q, root, 1e-5 * std::max(1.0f, root));
    }
}

TEST(LineShape, AnEstimateLeavesTheDebugTraceAndTheFailuresToTheBracketingSearch) {
    // With the debug trace on, the trace is that of the search without an estimate; a line
    // that cannot span the height ends the run with the bracketing search's message.
    const auto& c = line_cases[2];
    std::string traces[2];
    for (const bool with_estimate : {false, true}) {
        ScriptedConsole console;
        define_type(1, c.line);
        TPCM.NBUG = 1;
        load_line(1, c.H, static_cast<float>(c.ZF));
        float TOPT1 = 0.01f;
        float TOPT2 = 100.0f;
        ITER8P(TOPT1, TOPT2, with_estimate ? std::optional<float>(2.0f) : std::nullopt);
        traces[with_estimate ? 1 : 0] = console.screen();
    }
    EXPECT_NE(traces[0].find(" IN HTERR;"), std::string::npos);
    EXPECT_EQ(traces[1], traces[0]);

    ScriptedConsole console("\n");
    define_type(1, {{800, 0.1, 0.0}});
    const auto stop = run_until_stop([] { solve_from_estimate(1, 100.0, 1000.0f, 1.0f); });
    ASSERT_TRUE(stop.has_value());
    EXPECT_EQ(*stop, StopKind::error);
    EXPECT_NE(console.screen().find(" ++> No line shape found in ITER8P:ITER8; line type  1\n"),
              std::string::npos);
}

// ---- The first buoyant subline and the water surface -------------------------------------

// A chain, a buoy (wet weight -0.05, dry weight 0.03 kips/ft) and a chain to the anchor
// 520 ft below the fairlead; the buoy's mid-height hangs about 121 ft below the fairlead.
const Line buoy_line = {
    {100, 0.1, 1e-5, 0, 0, 0.12}, {100, -0.05, 2e-5, 0, 0, 0.03}, {2000, 0.1, 1e-5, 0, 0, 0.12}};
constexpr double buoy_H = 50.0;
constexpr float buoy_ZF = 520.0f;

// Depth of the buoy's mid-height below the water surface on the line integrated at the slope
// found, with the buoy at the weight found.
double buoy_mid_depth_below_surface(float WTRLEV) {
    Line line = buoy_line;
    line[1].w = LINCOM.SCLWT(2) * buoy_H;
    const Profile p = integrate_line(line, buoy_H, LINCOM.TMPTAN(1), true);
    return 0.5 * (p.node_depth[1] + p.node_depth[2]) - WTRLEV;
}

TEST(LineShape, ASubmergedBuoyKeepsItsWetWeightAndTheCallersBracket) {
    ScriptedConsole console;
    define_type(1, buoy_line);
    TPCM.WLFLAG = 1;
    load_line(1, buoy_H, buoy_ZF);
    LINCOM.WTRLEV = 20.0f;
    float TOPT1 = 0.01f;
    float TOPT2 = 100.0f;
    ITER8P(TOPT1, TOPT2);
    EXPECT_EQ(LINCOM.KELEM, 2);
    EXPECT_EQ(LINCOM.SCLWT(2), static_cast<double>(static_cast<float>(-0.05 / buoy_H)));
    EXPECT_EQ(TOPT1, 0.01f);
    EXPECT_EQ(TOPT2, 100.0f);
    EXPECT_GT(buoy_mid_depth_below_surface(20.0f), 90.0);
}

TEST(LineShape, APartlyEmergedBuoyFloatsWithItsMidHeightAtTheSurface) {
    ScriptedConsole console;
    define_type(1, buoy_line);
    TPCM.WLFLAG = 1;
    load_line(1, buoy_H, buoy_ZF);
    LINCOM.WTRLEV = 123.5f;
    float TOPT1 = 0.01f;
    float TOPT2 = 100.0f;
    ITER8P(TOPT1, TOPT2);
    const double w = LINCOM.SCLWT(2) * buoy_H;
    EXPECT_GT(w, -0.05);
    EXPECT_LT(w, 0.03);
    EXPECT_NEAR(buoy_mid_depth_below_surface(123.5f), 0.0, 0.011); // level tolerance 0.001
    Line line = buoy_line;
    line[1].w = w;
    EXPECT_NEAR(integrate_line(line, buoy_H, LINCOM.TMPTAN(1), true).z, buoy_ZF, 0.011);
}

TEST(LineShape, ABuoyAboveTheSurfaceEvenWhenDryTakesItsDryWeight) {
    ScriptedConsole console;
    define_type(1, buoy_line);
    TPCM.WLFLAG = 1;
    load_line(1, buoy_H, buoy_ZF);
    LINCOM.WTRLEV = 140.0f;
    float TOPT1 = 0.01f;
    float TOPT2 = 100.0f;
    ITER8P(TOPT1, TOPT2);
    EXPECT_EQ(LINCOM.SCLWT(2), static_cast<double>(static_cast<float>(0.03f / buoy_H)));
    EXPECT_LT(buoy_mid_depth_below_surface(140.0f), 0.0);
    // The last solve is a plain one on the caller's bracket, which it updates.
    EXPECT_EQ(TOPT2, static_cast<float>(LINCOM.TMPTAN(1)));
    Line line = buoy_line;
    line[1].w = 0.03;
    expect_same_shape(solved_shape(1), reference_solve(line, buoy_H, buoy_ZF, true),
                      total_length(line));
}

} // namespace
} // namespace lintar
