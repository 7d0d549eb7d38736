// Tests of the line at zero horizontal load (VRTLIN) and of the vertical-element elasticity and
// root finder it uses (DTKLTN, SFNCDP, SFCDP2, RTMIDP): against the independent reference
// case, closed forms of vertical lines and the statics of a buoyant arch.
#include "support/line_test_support.h"

#include "blocks/tpcm.h"
#include "lines/vertical_elasticity.h"
#include "lines/vertical_line.h"
#include "support/console.h"
#include "util/root_finders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace lintar {
namespace {

using namespace lintar::testing;

// VRTLIN works in double precision and rounds its results to four-byte reals.
constexpr double rel_tol = 1e-6;
constexpr float right_angle = 1.5707964f;

struct Vertical {
    std::int32_t VRTFLG = 7; // left alone unless the line hangs taut or an arch fails
    float ANCDST = -1.0f, TOPANG = -1.0f, TOPTEN = -1.0f, BOTLEN = -1.0f, BOTANG = -1.0f;
};

// Defines the line as type 1 and solves it at zero horizontal load over the height DELTAZ.
Vertical solve_vertical(const Line& line, float DELTAZ, float TLOAD = 2000.0f) {
    define_type(1, line);
    TPCM.TLOAD = TLOAD;
    float TOTWT = 0.0f;
    for (const auto& s : line)
        TOTWT += static_cast<float>(s.L * s.w);
    Vertical v;
    VRTLIN(DELTAZ, 1, v.VRTFLG, TOTWT, v.ANCDST, v.TOPANG, v.TOPTEN, v.BOTLEN, v.BOTANG);
    return v;
}

TEST(VerticalLine, MatchesTheIndependentSlackLShape) {
    // Reference case F01: the chain hangs straight down 200 m and the rest lies on the seabed;
    // the reference's grounded length is unstretched, as VRTLIN's is. (The reference lays the
    // grounded part slack over a shorter span; VRTLIN lays it straight, ANCDST = BOTLEN.)
    for (const auto& c : reference_cases()) {
        if (c.HF != 0.0)
            continue;
        SCOPED_TRACE(c.id);
        ScriptedConsole console;
        const Vertical v =
            solve_vertical({{c.L, c.w, 1.0 / c.EA}}, static_cast<float>(c.ZF), 1.0e6f);
        EXPECT_NEAR(v.TOPTEN, c.Ttop, rel_tol * c.Ttop);
        EXPECT_NEAR(v.BOTLEN, c.LBot, rel_tol * c.L);
        EXPECT_EQ(v.ANCDST, v.BOTLEN);
        EXPECT_EQ(v.TOPANG, right_angle);
        EXPECT_EQ(v.BOTANG, 0.0f);
        EXPECT_EQ(v.VRTFLG, 7);
    }
}

TEST(VerticalLine, FreeElementsAboveTheTouchdownElement) {
    // A chain 200 ft above a wire that touches down 400 ft below the fairlead, then a chain on
    // the seabed. With the linear law an element whose tension runs from Ta to Tb stretches
    // to L (1 + a1 (Ta + Tb) / 2): the lifted wire length l solves
    //   200 (1 + a1c (w2 l + w1 200 / 2)) + l (1 + a2 w2 l / 2) = 400.
    ScriptedConsole console;
    const double w1 = 0.1, a1c = 1e-5, w2 = 0.02, a2 = 2e-5;
    const auto height = [&](double l) {
        return 200.0 * (1.0 + a1c * (w2 * l + w1 * 200.0 / 2.0)) + l * (1.0 + a2 * w2 * l / 2.0);
    };
    double lo = 0.0, hi = 300.0;
    for (int n = 0; n < 200; ++n)
        (height(0.5 * (lo + hi)) < 400.0 ? lo : hi) = 0.5 * (lo + hi);
    const double l = 0.5 * (lo + hi);
    const Vertical v = solve_vertical({{200, w1, a1c}, {300, w2, a2}, {1000, w1, a1c}}, 400.0f);
    // The data are four-byte reals: the top tension is their weight of the hanging parts.
    const double TOPT = static_cast<float>(w2) * l + 200.0 * static_cast<float>(w1);
    EXPECT_NEAR(v.TOPTEN, TOPT, rel_tol * TOPT);
    EXPECT_NEAR(v.BOTLEN, (300.0 - l) + 1000.0, rel_tol * 1500.0);
    EXPECT_EQ(v.TOPANG, right_angle);
    EXPECT_EQ(v.BOTANG, 0.0f);
}

TEST(VerticalLine, ATautVerticalWireHasItsClosedFormTension) {
    // A wire shorter than the height hangs taut: its stretched length
    //   L + a1 (TN L + w L^2 / 2) = |DELTAZ|
    // gives the bottom tension TN; the top tension is TN + w L. The flag takes the sign of
    // the height, and so do the angles.
    const double L = 900.0, w = 0.02, a1 = 1e-5;
    const double wf = static_cast<float>(w);
    const double TN = ((1000.0 - L) / a1 - wf * L * L / 2.0) / L;
    for (const float DELTAZ : {1000.0f, -1000.0f}) {
        SCOPED_TRACE(DELTAZ);
        ScriptedConsole console;
        const Vertical v = solve_vertical({{L, w, a1}}, DELTAZ);
        const float sign = DELTAZ > 0.0f ? 1.0f : -1.0f;
        EXPECT_EQ(v.VRTFLG, static_cast<std::int32_t>(sign));
        EXPECT_NEAR(v.TOPTEN, TN + wf * L, rel_tol * (TN + wf * L));
        EXPECT_EQ(v.BOTLEN, 0.0f);
        EXPECT_EQ(v.ANCDST, 0.0f);
        EXPECT_EQ(v.TOPANG, sign * right_angle);
        EXPECT_EQ(v.BOTANG, v.TOPANG);
    }
}

TEST(VerticalLine, ABuoyantElementOnTheSeabedRisesIntoAnArch) {
    // A buoy of buoyancy b per length and length S on the seabed rises to an apex: the part
    // SPLIT on the fairlead side lifts FLDSID of the chain before it (b SPLIT = w1 FLDSID),
    // the rest lifts ANCSID of the chain after it (b (S - SPLIT) = w3 ANCSID), and both sides
    // reach the apex: FLDSID + SPLIT = ANCSID + S - SPLIT. As the last element the buoy ends at
    // the anchor, which holds its anchor side: ANCSID = 0. The arch takes FLDSID + S + ANCSID
    // off the grounded length.
    struct Case {
        const char* name;
        Line line;
    };
    const Case cases[] = {
        {"between two chains", {{1500, 0.1, 1e-6}, {100, -0.05, 1e-5}, {500, 0.08, 1e-6}}},
        {"as the last element", {{1500, 0.1, 1e-6}, {100, -0.05, 1e-5}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        const Vertical v = solve_vertical(c.line, 1000.0f);
        const double w1 = static_cast<float>(c.line[0].w);
        const double b = -static_cast<float>(c.line[1].w);
        const double S = c.line[1].L;
        const bool chain_after = c.line.size() == 3;
        const double w3 = chain_after ? static_cast<float>(c.line[2].w) : 0.0;
        // FLDSID = (b/w1) SPLIT, ANCSID = (b/w3)(S - SPLIT) or 0, into the apex condition.
        const double r3 = chain_after ? b / w3 : 0.0;
        const double SPLIT = S * (1.0 + r3) / (b / w1 + 2.0 + r3);
        const double lifted = b / w1 * SPLIT + S + r3 * (S - SPLIT);
        // The chain hangs 1000 ft: its hanging length l solves l (1 + a1 w1 l / 2) = 1000.
        const double a1 = c.line[0].a1;
        const double l = (-1.0 + std::sqrt(1.0 + 2.0 * a1 * w1 * 1000.0)) / (a1 * w1);
        double total = 0.0;
        for (const auto& s : c.line)
            total += s.L;
        EXPECT_NEAR(v.BOTLEN, total - l - lifted, rel_tol * total);
        EXPECT_NEAR(v.TOPTEN, w1 * l, rel_tol * w1 * l);
        EXPECT_EQ(v.VRTFLG, 7);
        EXPECT_EQ(console.screen(), ""); // the arch fits its neighbours
    }
}

const std::string buoyant_line_message =
    " \n"
    " ++> Buoyant line handling error. First data row of the interpolation tables\n"
    "     will probably be in error; this is usually a non-issue.\n"
    " \n"
    " Press <RETURN> to continue: ";

TEST(VerticalLine, AWeightlessNeighbourLendsNoLiftAndIsReported) {
    // The buoy's neighbour on the anchor side weighs nothing: no lift from that side (the
    // ratio would divide by zero), the buoyant-line message and pause, and the computation
    // goes on as for a buoy at the anchor.
    ScriptedConsole console("\n");
    const Vertical v =
        solve_vertical({{1500, 0.1, 1e-6}, {100, -0.05, 1e-5}, {500, 0.0, 1e-6}}, 1000.0f);
    const double w1 = static_cast<float>(0.1), b = static_cast<float>(0.05), S = 100.0;
    const double lifted = b / w1 * S / (b / w1 + 2.0) + S;
    const double l = (-1.0 + std::sqrt(1.0 + 2.0 * 1e-6 * w1 * 1000.0)) / (1e-6 * w1);
    EXPECT_NEAR(v.BOTLEN, 2100.0 - l - lifted, rel_tol * 2100.0);
    EXPECT_EQ(console.screen(), buoyant_line_message);
}

TEST(VerticalLine, ArchesThatCannotFormReturnZeros) {
    // Three equal buoys after the chain: the middle one's neighbours are buoyant too, and its
    // arch divisor is 0: message, pause, all outputs 0 and the flag cleared.
    ScriptedConsole console("\n\n");
    const Vertical v = solve_vertical(
        {{1500, 0.1, 1e-6}, {100, -0.05, 0.0}, {100, -0.05, 0.0}, {100, -0.05, 0.0}}, 1000.0f);
    EXPECT_EQ(v.VRTFLG, 0);
    EXPECT_EQ(v.TOPTEN, 0.0f);
    EXPECT_EQ(v.BOTLEN, 0.0f);
    EXPECT_EQ(v.ANCDST, 0.0f);
    EXPECT_EQ(v.TOPANG, 0.0f);
    EXPECT_EQ(v.BOTANG, 0.0f);
    EXPECT_EQ(console.screen(), buoyant_line_message);
}

TEST(VerticalLine, AnInextensibleLineShorterThanTheHeightStops) {
    ScriptedConsole console("\n");
    const auto stop = run_until_stop([] { solve_vertical({{900, 0.1, 0.0}}, 1000.0f); });
    ASSERT_TRUE(stop.has_value());
    EXPECT_EQ(*stop, StopKind::error);
    EXPECT_EQ(console.screen(), " ++> Bounds error in VRTLIN \n"
                                " \n"
                                " Press <Return> to Continue...\n");
}

// ---- The vertical-element elasticity and the root finder ----------------------------------

TEST(VerticalElasticity, TensionsAndStretchedLengths) {
    const double SLEN[25] = {100.0, 200.0, 300.0};
    const double WETWT[25] = {0.1, -0.02, 0.3};
    double TK = 0.0;
    DTKLTN(SLEN, WETWT, 2, 3, 3, TK, 5.0);
    EXPECT_DOUBLE_EQ(TK, 5.0 - 4.0 + 90.0);
    DTKLTN(SLEN, WETWT, 4, 3, 3, TK, 5.0); // K > N: the bottom tension itself
    EXPECT_EQ(TK, 5.0);

    // The stretched length of an element whose tension runs linearly from Tb to Tt is the
    // integral of the stretch factor over the tension divided by the weight; the law takes
    // the tension's magnitude.
    const double ALPHA[3] = {1e-3, -2e-6, 3e-9};
    const double w = 0.5, Tb = 20.0, Tt = 70.0;
    const auto integral = [&](double T) {
        return T + ALPHA[0] * T * T / 2 + ALPHA[1] * T * T * T / 3 + ALPHA[2] * T * T * T * T / 4;
    };
    double upper = 0.0, lower = 0.0;
    SFNCDP(StrainCoefficients(ALPHA), Tt, w, upper);
    SFNCDP(StrainCoefficients(ALPHA), Tb, w, lower);
    EXPECT_NEAR(upper - lower, (integral(Tt) - integral(Tb)) / w, 1e-12);
    double negative = 0.0;
    SFNCDP(StrainCoefficients(ALPHA), -Tt, w, negative);
    EXPECT_EQ(negative, upper);
    EXPECT_DOUBLE_EQ(SFCDP2(StrainCoefficients(ALPHA), -Tt),
                     1.0 + ALPHA[0] * Tt + ALPHA[1] * Tt * Tt + ALPHA[2] * Tt * Tt * Tt);
}

TEST(VerticalElasticity, RootFinderInDoublePrecision) {
    struct Case {
        const char* name;
        double (*f)(double);
        double XLI, XRI, root;
    };
    const Case cases[] = {
        {"cos x - x", [](double x) { return std::cos(x) - x; }, 0.0, 1.0, 0.7390851332151607},
        {"x^3 - 2, bracket right to left", [](double x) { return x * x * x - 2.0; }, 3.0, 0.0,
         std::cbrt(2.0)},
        {"exp(x) - 10", [](double x) { return std::exp(x) - 10.0; }, 0.0, 5.0, std::log(10.0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        double X = 0.0, F = 0.0;
        std::int32_t IER = -1, I = -1;
        RTMIDP(X, F, c.f, c.XLI, c.XRI, 1e-12, 100, IER, I);
        EXPECT_EQ(IER, 0);
        EXPECT_NEAR(X, c.root, 1e-11 * std::max(1.0, c.root));
        EXPECT_EQ(F, c.f(X));
        EXPECT_GE(I, 1);
    }
    // A zero at the first end returns it at once, the other end never evaluated; no sign
    // change gives code 2.
    int calls = 0;
    double X = 0.0, F = 0.0;
    std::int32_t IER = -1, I = -1;
    RTMIDP(
        X, F,
        [&](double x) {
            ++calls;
            return x - 1.0;
        },
        1.0, 5.0, 1e-12, 100, IER, I);
    EXPECT_EQ(X, 1.0);
    EXPECT_EQ(IER, 0);
    EXPECT_EQ(calls, 1);
    RTMIDP(
        X, F, [](double x) { return x * x + 1.0; }, -1.0, 2.0, 1e-12, 100, IER, I);
    EXPECT_EQ(IER, 2);
}

} // namespace
} // namespace lintar
