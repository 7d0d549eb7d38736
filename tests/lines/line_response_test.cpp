// Tests of the line response models: the axial wave transfer (LNGWAV) against the axial rod
// solved whole, the catenary-elastic split (CATSTR) against the series model it solves, and
// the table-based catenary stiffness (FOBLQ) against the statics of the line, with its
// warnings in attended and unattended runs.
#include "support/line_dynamics_support.h"
#include "support/line_test_support.h"

#include "blocks/catcom.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/line_response.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;
using Complex = std::complex<float>;

// Occurrences of text in a screen or file.
int count_of(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// ---- LNGWAV -----------------------------------------------------------------------------------

// An element of the rod: length, wave number and compliance coefficients (a1, a2).
struct RodInput {
    double L, k, a1, a2;
};

// Stores the rod as line type 1 (compliance a1 + 2 a2 T at the static tension T) with its
// wave numbers, and runs LNGWAV from the anchor up for the elastic end displacement d.
std::array<Complex, 26> run_lngwav(const std::vector<RodInput>& rod, float TSTAT, Complex d,
                                   Complex& CTOPF, Complex& CBOTF) {
    Line line;
    for (const RodInput& r : rod)
        line.push_back({r.L, 0.1, r.a1, r.a2});
    define_type(1, line);
    for (std::size_t i = 0; i < rod.size(); ++i)
        LINCOM.WAVEK(static_cast<int>(i) + 1) = static_cast<float>(rod[i].k);
    std::array<Complex, 26> nodes{};
    LNGWAV(0.7f, {}, d, 0.0f, 0.0f, 0.0f, 0.0f, TSTAT, CTOPF, CBOTF, 0, screen_unit, 1,
           slen_column(1), alpha_slice(1), static_cast<int>(rod.size()), nodes, true);
    return nodes;
}

TEST(AxialWave, OneElementIsTheRodFixedAtOneEnd) {
    // u = d sin(kx) / sin(kL) from the fixed end: tension (k/c) d / sin(kL) there and
    // (k/c) d cot(kL) at the moving end, both d / (c L) as k goes to 0. Single precision:
    // about 1e-6 relative, more near kL = pi where sin(kL) is small.
    const double L = 600.0;
    const double c = 2e-5;
    const ComplexD d(0.3, -0.2);
    for (const double kL : {1e-4, 0.3, 1.2, 2.5}) {
        SCOPED_TRACE(kL);
        ScriptedConsole console;
        const double k = kL / L;
        Complex CTOPF, CBOTF;
        const auto nodes = run_lngwav({{L, k, c, 0.0}}, 100.0f, Complex(d), CTOPF, CBOTF);
        const ComplexD fixed_end = k / c * d / std::sin(kL);
        const ComplexD moving_end = k / c * d * std::cos(kL) / std::sin(kL);
        const double tol = 2e-5 * std::abs(fixed_end);
        EXPECT_NEAR(std::abs(ComplexD(CBOTF) - fixed_end), 0.0, tol);
        EXPECT_NEAR(std::abs(ComplexD(CTOPF) - moving_end), 0.0, tol);
        EXPECT_EQ(nodes[0], CTOPF); // node 1, the fairlead
        EXPECT_EQ(nodes[1], CBOTF); // node 2, the anchor
        if (kL < 1e-3) {
            const ComplexD statical = d / (c * L);
            EXPECT_NEAR(std::abs(ComplexD(CBOTF) - statical), 0.0, 1e-5 * std::abs(statical));
            EXPECT_NEAR(std::abs(ComplexD(CTOPF) - statical), 0.0, 1e-5 * std::abs(statical));
        }
    }
}

TEST(AxialWave, ElementsOfDifferentStiffnessMatchTheRodSolvedWhole) {
    // Three elements of different length, compliance (with a quadratic term, so that the
    // static tension enters) and wave number; every node against the rod solved as one linear
    // system. An element without wave number (massless or inextensible) passes its tension on
    // unchanged and adds no stretch: the rod without it.
    const float TSTAT = 150.0f;
    const auto compliance = [&](const RodInput& r) { return r.a1 + 2.0 * r.a2 * TSTAT; };
    const ComplexD d(0.8, 0.25);
    const std::vector<RodInput> rod = {
        {300.0, 0.0021, 1.5e-5, 2e-8}, {250.0, 0.0008, 8e-5, 0.0}, {400.0, 0.0035, 1e-5, 1e-8}};
    std::vector<RodElement> whole;
    for (const RodInput& r : rod)
        whole.push_back({r.L, r.k, compliance(r)});
    struct Case {
        const char* name;
        std::vector<RodInput> line;
        std::vector<RodElement> reference;
        std::vector<int> node_of; // reference node of each line node
    };
    std::vector<RodInput> gap = rod;
    gap[1].k = 0.0;
    const std::vector<Case> cases = {
        {"three elements", rod, whole, {0, 1, 2, 3}},
        {"middle element without wave number", gap, {whole[0], whole[2]}, {0, 1, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        Complex CTOPF, CBOTF;
        const auto nodes = run_lngwav(c.line, TSTAT, Complex(d), CTOPF, CBOTF);
        const std::vector<ComplexD> T = rod_tensions(c.reference, d);
        const double tol = 1e-5 * std::abs(T[0]);
        EXPECT_NEAR(std::abs(ComplexD(CTOPF) - T.front()), 0.0, tol);
        EXPECT_NEAR(std::abs(ComplexD(CBOTF) - T.back()), 0.0, tol);
        for (std::size_t n = 0; n < c.node_of.size(); ++n) {
            SCOPED_TRACE(::testing::Message() << "node " << n + 1);
            EXPECT_NEAR(std::abs(ComplexD(nodes[n]) - T[static_cast<std::size_t>(c.node_of[n])]),
                        0.0, tol);
        }
    }
}

TEST(AxialWave, LineWithoutWaveNumbersIsALumpedSpring) {
    // The catenary part y driven through a spring KCTAN + SIGCAT |y| with mass and linearised
    // drag: (K - w^2 m + i w c X) y at both ends and every node.
    ScriptedConsole console;
    define_type(1, {{200.0, 0.1, 0.0}, {300.0, 0.1, 0.0}});
    CATCOM.KCTAN = 12.0f;
    const float W = 0.8f, CATMASQ = 5.0f, CQCNST = 3.0f, XCAT = 0.7f, SIGCAT = 0.5f;
    const Complex CYCAT(0.4f, -0.3f);
    Complex CTOPF, CBOTF;
    std::array<Complex, 26> nodes{};
    LNGWAV(W, CYCAT, {1.0f, 0.0f}, CATMASQ, CQCNST, XCAT, SIGCAT, 100.0f, CTOPF, CBOTF, 0,
           screen_unit, 1, slen_column(1), alpha_slice(1), 2, nodes, true);
    const ComplexD expected =
        ComplexD(CYCAT) * ComplexD(SIGCAT * 0.5 + 12.0 - W * W * CATMASQ, CQCNST * W * XCAT);
    EXPECT_NEAR(std::abs(ComplexD(CTOPF) - expected), 0.0, 1e-5 * std::abs(expected));
    EXPECT_EQ(CBOTF, CTOPF);
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(nodes[static_cast<std::size_t>(n)], CTOPF);
}

// ---- CATSTR -----------------------------------------------------------------------------------

struct SplitInput {
    const char* name;
    float W, KRAT, KELAS, CATMASQ, CQUAD;
    Complex x;
    std::int32_t CREATR = 8;
};

// The series model: with beta = KRAT + 1 - w^2 m / KELAS and A = CQCNST w / KELAS, the catenary
// part is y = x / (beta + i A X), X = |y| / |x| solving X^2 (beta^2 + A^2 X^2) = 1.
struct SplitReference {
    double beta, A, X;
    ComplexD y;
};
SplitReference series_model(const SplitInput& in) {
    const double CQCNST = (in.CREATR == 17 ? 1.2 : 8.0 / (3.0 * std::numbers::pi)) *
                          std::abs(ComplexD(in.x)) * in.W * in.CQUAD;
    SplitReference r;
    r.beta = in.KRAT + 1.0 - double(in.W) * in.W * in.CATMASQ / in.KELAS;
    r.A = CQCNST * in.W / in.KELAS;
    const double b2 = r.beta * r.beta;
    r.X = r.A == 0.0 ? 1.0 / std::abs(r.beta)
                     : std::sqrt((std::sqrt(b2 * b2 + 4.0 * r.A * r.A) - b2) / (2.0 * r.A * r.A));
    r.y = ComplexD(in.x) / ComplexD(r.beta, r.A * r.X);
    return r;
}

TEST(CatenaryElasticSplit, ExtremeStiffnessRatiosAndNoExtension) {
    ScriptedConsole console;
    const Complex x(0.6f, -0.8f);
    Complex CYCAT, CYELAS;
    float CQCNST = -1.0f, XCAT = -1.0f;
    CATSTR(0.5f, x, 0.0f, 1.0f, 0.0f, 10.0f, CYCAT, CYELAS, 2e5f, 50.0f, CQCNST, XCAT, screen_unit,
           keyboard_unit, true, 8, 1);
    EXPECT_EQ(CYELAS, x);
    EXPECT_EQ(CYCAT, Complex(0.0f, 0.0f));
    EXPECT_EQ(XCAT, 0.0f);
    EXPECT_FLOAT_EQ(CQCNST, 0.848826f * 1.0f * 0.5f * 10.0f); // 8 / (3 pi) |x| w CQUAD
    CATSTR(0.5f, x, 0.0f, 1.0f, 0.0f, 10.0f, CYCAT, CYELAS, 1e-21f, 50.0f, CQCNST, XCAT,
           screen_unit, keyboard_unit, true, 17, 1);
    EXPECT_EQ(CYCAT, x);
    EXPECT_EQ(CYELAS, Complex(0.0f, 0.0f));
    EXPECT_EQ(XCAT, 1.0f);
    EXPECT_FLOAT_EQ(CQCNST, 1.2f * 0.5f * 10.0f); // the spar program's constant
    CATSTR(0.5f, {}, 0.0f, 1.0f, 0.0f, 10.0f, CYCAT, CYELAS, 1.0f, 50.0f, CQCNST, XCAT, screen_unit,
           keyboard_unit, true, 8, 1);
    EXPECT_EQ(CYCAT, Complex(0.0f, 0.0f));
    EXPECT_EQ(CYELAS, Complex(0.0f, 0.0f));
    EXPECT_EQ(XCAT, 0.0f);
}

TEST(CatenaryElasticSplit, LinearSplitSolvesTheSeriesModel) {
    // Single precision throughout; the closed form loses a little where the drag term is
    // small against beta (the E < 0.01 branch takes the first-order root).
    constexpr double rel_tol = 2e-4;
    const SplitInput cases[] = {
        {"no drag", 0.6f, 0.08f, 62.5f, 0.0f, 0.0f, {1.5f, 0.4f}},
        {"light drag (first-order root)", 0.6f, 0.08f, 62.5f, 0.0f, 0.05f, {1.5f, 0.4f}},
        {"heavy drag", 0.6f, 0.3f, 62.5f, 0.0f, 60.0f, {2.0f, -1.0f}},
        {"spar, with line mass", 0.9f, 0.5f, 40.0f, 30.0f, 8.0f, {0.5f, 0.5f}, 17},
        {"above the line's resonance", 1.2f, 0.2f, 40.0f, 60.0f, 4.0f, {0.7f, 0.1f}},
    };
    for (const SplitInput& in : cases) {
        SCOPED_TRACE(in.name);
        ScriptedConsole console;
        Complex CYCAT, CYELAS;
        float CQCNST = 0.0f, XCAT = 0.0f;
        CATSTR(in.W, in.x, 0.0f, 1.0f, in.CATMASQ, in.CQUAD, CYCAT, CYELAS, in.KRAT, in.KELAS,
               CQCNST, XCAT, screen_unit, keyboard_unit, false, in.CREATR, 1);
        const SplitReference r = series_model(in);
        EXPECT_NEAR(XCAT, r.X, rel_tol * r.X);
        EXPECT_NEAR(XCAT * XCAT * (r.beta * r.beta + r.A * r.A * XCAT * XCAT), 1.0, 4 * rel_tol);
        const double ax = std::abs(ComplexD(in.x));
        EXPECT_NEAR(std::abs(ComplexD(CYCAT) - r.y), 0.0, rel_tol * ax);
        // The parts make up the extension.
        EXPECT_NEAR(std::abs(ComplexD(CYCAT) + ComplexD(CYELAS) - ComplexD(in.x)), 0.0,
                    rel_tol * ax);
    }
}

TEST(CatenaryElasticSplit, NonlinearAmplitudeIsTheRootOfTheNonlinearBalance) {
    // X solves 1 = X^2 ((beta + delta X)^2 + A^2 X^2), delta = |SIGCAT| |x| / KELAS (bisection
    // here); the catenary part lags by asin(A X^2); the elastic part is the catenary part
    // times (PARITQ SIGCAT |x| X / KELAS + KRAT + i A X_linear). The root finder stops within
    // 1e-3 of a zero of the balance, about 5e-4 in X.
    constexpr double rel_tol = 2e-3;
    struct Case {
        SplitInput in;
        float SIGCAT, PARITQ;
    };
    const Case cases[] = {
        {{"extension half", 0.6f, 0.1f, 62.5f, 0.0f, 40.0f, {3.0f, 1.0f}}, 2.0f, 1.0f},
        {{"compression half", 0.6f, 0.1f, 62.5f, 0.0f, 40.0f, {-3.0f, -1.0f}}, 1.2f, -1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in.name);
        ScriptedConsole console;
        Complex CYCAT, CYELAS;
        float CQCNST = 0.0f, XCAT = 0.0f;
        CATSTR(c.in.W, c.in.x, c.SIGCAT, c.PARITQ, c.in.CATMASQ, c.in.CQUAD, CYCAT, CYELAS,
               c.in.KRAT, c.in.KELAS, CQCNST, XCAT, screen_unit, keyboard_unit, true, 8, 1);
        const SplitReference lin = series_model(c.in);
        const double ax = std::abs(ComplexD(c.in.x));
        const double delta = std::abs(c.SIGCAT * ax / c.in.KELAS);
        const auto balance = [&](double X) {
            return 1.0 - X * X * (std::pow(lin.beta + delta * X, 2) + lin.A * lin.A * X * X);
        };
        double lo = 0.0, hi = 1.5;
        for (int n = 0; n < 100; ++n)
            (balance(0.5 * (lo + hi)) > 0.0 ? lo : hi) = 0.5 * (lo + hi);
        const double X = 0.5 * (lo + hi);
        EXPECT_NEAR(XCAT, X, rel_tol * X);
        const ComplexD y = X * ComplexD(c.in.x) * std::polar(1.0, -std::asin(lin.A * X * X));
        EXPECT_NEAR(std::abs(ComplexD(CYCAT) - y), 0.0, rel_tol * ax);
        const ComplexD e =
            y * ComplexD(c.PARITQ * c.SIGCAT * ax * X / c.in.KELAS + c.in.KRAT, lin.X * lin.A);
        EXPECT_NEAR(std::abs(ComplexD(CYELAS) - e), 0.0, rel_tol * ax);
    }
}

TEST(CatenaryElasticSplit, NoNonlinearRootEndsTheRunWithTheMessage) {
    // beta = 0.3: the balance has its root at X = 3.3, outside the search interval.
    ScriptedConsole console("\n");
    Complex CYCAT, CYELAS;
    float CQCNST = 0.0f, XCAT = 0.0f;
    const auto stop = run_until_stop([&] {
        CATSTR(0.6f, {1.0f, 0.0f}, 0.0f, 1.0f, 0.8f * 62.5f / 0.36f, 0.0f, CYCAT, CYELAS, 0.1f,
               62.5f, CQCNST, XCAT, screen_unit, keyboard_unit, true, 8, 7);
    });
    EXPECT_EQ(stop, StopKind::error);
    EXPECT_NE(console.screen().find("\n ++> Error return (IER = 2; Line #  7; Period =  10.47) "
                                    "from RTMI in CATSTR... \n"),
              std::string::npos)
        << console.screen();
    EXPECT_NE(console.screen().find("Press <RETURN> to continue: "), std::string::npos);
}

// ---- FOBLQ ------------------------------------------------------------------------------------

// A chain of 800 m hanging 200 m from fairlead to anchor at a horizontal tension of 200 t,
// with line tables of 90 loads from 100 to 400 t and five layer rows 2 m apart.
struct TableLine {
    ElasticCatenary e{800.0, 0.11, 2e-5};
    double H0 = 200.0;
    double ZF = 200.0;
    double q0 = 0.0;    // top slope
    double XF0 = 0.0;   // anchor distance
    double T0 = 0.0;    // top tension
    float KELAS = 0.0f; // axial stiffness EA / L
    float FXCOMP = 0.0f, FZCOMP = 0.0f;

    TableLine() {
        define_type(1, {{e.L, e.w, e.c}}, 0);
        build_tables(e, 1, 100.0, 400.0, 90, ZF, 2.0, 5);
        q0 = e.top_slope(H0, ZF);
        XF0 = e.x(H0, q0, e.L);
        T0 = H0 * ElasticCatenary::sec(q0);
        KELAS = static_cast<float>(1.0 / (e.c * e.L));
        FXCOMP = static_cast<float>(1.0 / ElasticCatenary::sec(q0));
        FZCOMP = static_cast<float>(q0 / ElasticCatenary::sec(q0));
    }
    // The statics: top tension with the fairlead moved by a along the line.
    double tension_change(double a) const {
        const double Z = ZF + FZCOMP * a;
        const double H = e.tension_for(XF0 + FXCOMP * a, Z, 100.0, 400.0);
        return e.top_tension(H, Z) - T0;
    }
    // The catenary stiffness in series with KELAS that gives the quasi-static stiffness.
    float catenary_stiffness() const {
        const double h = 1e-3;
        const double KSTAT = (tension_change(h) - tension_change(-h)) / (2 * h);
        return static_cast<float>(1.0 / (1.0 / KSTAT - 1.0 / KELAS));
    }
};

struct FoblqResult {
    float RFORCE = 0, FGZTMP = 0, KSTATN = 0, KCATO = 0, SIGCP = 0, SIGCM = 0, YCATP = 0, YCATM = 0;
};
FoblqResult run_foblq(const TableLine& t, std::int32_t ILINE, float EXTNSN, float KCAT,
                      int IOSCRN) {
    FoblqResult r;
    FOBLQ(ILINE, 1, static_cast<float>(t.XF0), EXTNSN, KCAT, t.KELAS, LINCOM.MIDLYR, LINCOM.DLAYER,
          TPCM.NLAYER, TPCM.NUMTAB, TPCM.ZSPAN, 0.0f, 0.0f, 0.0f, IOSCRN, keyboard_unit, r.RFORCE,
          r.FGZTMP, r.KSTATN, t.FXCOMP, t.FZCOMP, r.KCATO, r.SIGCP, r.SIGCM, r.YCATP, r.YCATM);
    return r;
}

TEST(TableStiffness, PassesReproduceTheStaticsOfTheLine) {
    // Each pass's catenary tension change (SIGC YCAT + KCATO) YCAT is the static tension
    // change at the displaced fairlead, and YCAT what the elastic stretch leaves of the
    // displacement. The tables interpolate linearly over 3.4 t of load and 2 m of height:
    // 1e-3 of the tension change.
    constexpr double rel_tol = 1e-3;
    ScriptedConsole console;
    const TableLine t;
    const float KCAT = t.catenary_stiffness();
    const float EXTNSN = 3.0f;
    const FoblqResult r = run_foblq(t, 1, EXTNSN, KCAT, screen_unit);
    EXPECT_EQ(console.screen(), ""); // no warning

    // The probe: doubled from 0.01 until the series stiffness moves the tension by 1 %.
    const double KEFF = 1.0 / (1.0 / t.KELAS + 1.0 / KCAT);
    double probe = 0.01;
    while (!(KEFF * probe / t.T0 > 0.01))
        probe *= 2.0;
    const double dF1 = t.tension_change(probe);
    const double Y1 = probe - dF1 / t.KELAS;
    EXPECT_NEAR(r.KSTATN, dF1 / probe, rel_tol * dF1 / probe);
    EXPECT_NEAR(r.KCATO, dF1 / Y1, rel_tol * dF1 / Y1);

    for (const int sign : {1, -1}) {
        SCOPED_TRACE(sign > 0 ? "extension" : "compression");
        const double a = sign * EXTNSN;
        const double dF = t.tension_change(a);
        const double Y = a - dF / t.KELAS;
        const float YCAT = sign > 0 ? r.YCATP : r.YCATM;
        const float SIGC = sign > 0 ? r.SIGCP : r.SIGCM;
        EXPECT_NEAR(YCAT, Y, rel_tol * std::abs(Y));
        EXPECT_NEAR((SIGC * YCAT + r.KCATO) * YCAT, dF, rel_tol * std::abs(dF));
    }
    // The force of the last (compression) pass at its fairlead.
    const double Z = t.ZF - t.FZCOMP * EXTNSN;
    const double H = t.e.tension_for(t.XF0 - t.FXCOMP * EXTNSN, Z, 100.0, 400.0);
    EXPECT_NEAR(r.RFORCE, H, rel_tol * H);
    EXPECT_NEAR(r.FGZTMP, -H * t.e.top_slope(H, Z), rel_tol * H);
}

TEST(TableStiffness, AStiffLineIsPurelyElastic) {
    ScriptedConsole console;
    const TableLine t;
    const FoblqResult r = run_foblq(t, 1, 6.0f, 1.23e23f, screen_unit);
    EXPECT_EQ(r.KCATO, 1.23e23f);
    EXPECT_EQ(r.SIGCP, 0.0f);
    EXPECT_EQ(r.SIGCM, 0.0f);
    EXPECT_EQ(r.YCATP, 0.0f);
    EXPECT_EQ(r.YCATM, 0.0f);
}

TEST(TableStiffness, ANonPositiveSeriesStiffnessEndsTheProbe) {
    // KCAT = -KELAS / 2 makes the series stiffness negative: the probe can never move the
    // tension by 1 %. The doubling stops after 300 doublings (warning at every hundredth) and
    // the probe is taken as purely elastic, so KCATO = KCAT, which is then singular.
    const TableLine t_ref;
    const float KCAT = -0.5f * t_ref.KELAS;
    {
        SCOPED_TRACE("unattended");
        ScratchFolder folder;
        ScriptedConsole console;
        const TableLine t;
        ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                              FileForm::formatted));
        const FoblqResult r = run_foblq(t, 3, 6.0f, KCAT, diagnostics_unit);
        close_unit(diagnostics_unit);
        const std::string text = folder.read("Diagnostics.stxt");
        EXPECT_EQ(count_of(text, " ++> Warning: DO-loop overflow in FOBLQ (label 49).\n"), 3);
        EXPECT_EQ(count_of(text, "     The stiffness probe is taken as purely elastic.\n"), 1);
        EXPECT_EQ(count_of(text, " ++> Warning: Singular KCATO in line  3; routine FOBLQ.\n"), 1);
        EXPECT_EQ(r.KCATO, KCAT);
        EXPECT_TRUE(std::isfinite(r.KSTATN));
    }
    {
        SCOPED_TRACE("attended, aborting at the first warning");
        ScriptedConsole console("A\n");
        const TableLine t;
        EXPECT_EQ(run_until_stop([&] { run_foblq(t, 3, 6.0f, KCAT, screen_unit); }),
                  StopKind::user_choice);
        EXPECT_EQ(count_of(console.screen(), "DO-loop overflow"), 1);
        EXPECT_NE(console.screen().find("Enter \"A\" to abort or Press <RETURN> to continue: "),
                  std::string::npos);
    }
}

TEST(TableStiffness, TheStiffnessMismatchWarningCanBeSilencedWith99) {
    // A catenary stiffness three times the tables' warns for each new line until 99 is
    // answered; an unattended run answers 99 itself.
    const std::string warning = " ++> Warning: KCAT, KCATO differ in FOBLQ for line #";
    const std::string option_line =
        "              Enter 99 to ignore additional ocurrences of this condition OR...\n";
    const auto two_lines = [&](int IOSCRN, const TableLine& t) {
        const float KCAT = 3.0f * t.catenary_stiffness();
        run_foblq(t, 1, 6.0f, KCAT, IOSCRN);
        run_foblq(t, 1, 6.0f, KCAT, IOSCRN); // the same line again: no new warning
        run_foblq(t, 2, 6.0f, KCAT, IOSCRN);
    };
    {
        SCOPED_TRACE("unattended");
        ScratchFolder folder;
        ScriptedConsole console;
        const TableLine t;
        ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                              FileForm::formatted));
        two_lines(diagnostics_unit, t);
        close_unit(diagnostics_unit);
        const std::string text = folder.read("Diagnostics.stxt");
        EXPECT_EQ(text, "\n" + warning + "  1\n\n");
    }
    {
        SCOPED_TRACE("attended, answering 99");
        ScriptedConsole console("99\n");
        const TableLine t;
        two_lines(screen_unit, t);
        EXPECT_EQ(count_of(console.screen(), warning), 1);
        EXPECT_EQ(count_of(console.screen(), option_line), 1);
    }
    {
        SCOPED_TRACE("attended, answering Return");
        ScriptedConsole console("\n\n");
        const TableLine t;
        two_lines(screen_unit, t);
        EXPECT_EQ(count_of(console.screen(), warning + "  1\n"), 1);
        EXPECT_EQ(count_of(console.screen(), warning + "  2\n"), 1);
    }
}

} // namespace
} // namespace lintar
