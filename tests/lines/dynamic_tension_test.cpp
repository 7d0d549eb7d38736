// Tests of the wave-frequency dynamic tension of a line (DYNCOD) with its stiffnesses (KELAST,
// KCATN) and the extreme-value factor (PKVAL): a chain line under a given fairlead motion
// against an independent reference built from Irvine's elastic catenary (the drag and inertia
// of its material points integrated over the arc, the series model of catenary and elastic
// stretch, the axial rod solved whole), in the linear and the nonlinear model, with and
// without the inertial correction; and the guarded divisions.
#include "support/line_dynamics_support.h"
#include "support/line_test_support.h"

#include "blocks/catcom.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "lines/axial_stiffness.h"
#include "lines/catenary_elements.h"
#include "lines/dynamic_tension.h"
#include "runtime/stop.h"
#include "support/console.h"
#include "util/wave_numbers.h"

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

// ---- KELAST, KCATN, PKVAL ---------------------------------------------------------------------

TEST(LineStiffness, AxialStiffnessAndWaveNumbersOfTheElements) {
    // KELAS = 1 / sum L (a1 + 2 a2 T + 3 a3 T^2); k = w sqrt(compliance x mass / g), the mass
    // a dry weight, or without one the wet weight plus the added mass of the displaced water.
    ScriptedConsole console;
    WAVCOM.G = 9.8f;
    TPCM.NUNTS = 1;
    TPCM.DWATR = 1025.0f;
    define_type(1, {{300.0, 0.11, 2e-5, 1e-8, 1e-11, 0.13}, {500.0, 0.02, 1e-4, 0.0, 0.0, 0.0}});
    TPCM.DIAM(2, 1) = 120.0f;
    TPCM.COFMST(2, 1) = 1.5f;
    const float W = 0.7f, T = 180.0f;
    float KELAS = 0.0f;
    KELAST(KELAS, 1, ArrayView<float, max_elements>(LINCOM.WAVEK_words), W, T);
    const double c1 = 2e-5 + 2 * 1e-8 * T + 3 * 1e-11 * T * T;
    const double c2 = 1e-4;
    EXPECT_NEAR(KELAS, 1.0 / (300.0 * c1 + 500.0 * c2), 1e-6 / (300.0 * c1 + 500.0 * c2));
    const double m2 = std::numbers::pi / 4 * 0.12 * 0.12 * 1.025 * 1.5 + 0.02; // t/m, as weight
    EXPECT_NEAR(LINCOM.WAVEK(1), W * std::sqrt(c1 * 0.13 / 9.8), 1e-6 * LINCOM.WAVEK(1));
    EXPECT_NEAR(LINCOM.WAVEK(2), W * std::sqrt(c2 * m2 / 9.8), 1e-6 * LINCOM.WAVEK(2));
    EXPECT_EQ(TPCM.COFMAS, 1.5f); // left at the last element's coefficient

    define_type(2, {{300.0, 0.11, 0.0, 0.0, 0.0, 0.13}});
    KELAST(KELAS, 2, ArrayView<float, max_elements>(LINCOM.WAVEK_words), W, T);
    EXPECT_EQ(KELAS, 1e28f); // inextensible
    EXPECT_EQ(LINCOM.WAVEK(1), 0.0f);
    EXPECT_EQ(console.screen(), "");
}

TEST(LineStiffness, NegativeCompliancesAndWeightsAreWarnedOncePerType) {
    // A falling strain curve at the mean tension (a1 + 2 a2 T < 0) counts as inextensible,
    // after the warning; the warning comes once per line type and run. "A" aborts.
    const std::string warning[] = {
        "",
        " ++> Warning: A negative stress-strain curve slope was encountered",
        "              in line (type,element) = ( 1, 2).",
        "              The slope value will be replaced by infinity",
        "              (inextensible line) if you choose to continue",
    };
    std::string expected;
    for (const auto& line : warning)
        expected += line + "\n";
    expected += "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ";
    ScriptedConsole console("\nA\n");
    WAVCOM.G = 9.8f;
    define_type(1, {{300.0, 0.11, 2e-5, 0.0, 0.0, 0.13}, {100.0, 0.05, 1e-4, -1e-6, 0.0, 0.1}});
    float KELAS = 0.0f;
    KELAST(KELAS, 1, ArrayView<float, max_elements>(LINCOM.WAVEK_words), 0.5f, 100.0f);
    EXPECT_EQ(console.screen(), expected);
    EXPECT_NEAR(KELAS, 1.0 / (300.0 * 2e-5), 1e-3);
    EXPECT_EQ(LINCOM.WAVEK(2), 0.0f);
    console.clear_screen_text();
    KELAST(KELAS, 1, ArrayView<float, max_elements>(LINCOM.WAVEK_words), 0.5f, 100.0f);
    EXPECT_EQ(console.screen(), ""); // once per type
    define_type(2, {{100.0, 0.05, 1e-4, -1e-6, 0.0, 0.1}});
    EXPECT_EQ(run_until_stop([&] {
                  KELAST(KELAS, 2, ArrayView<float, max_elements>(LINCOM.WAVEK_words), 0.5f,
                         100.0f);
              }),
              StopKind::user_choice);
}

TEST(LineStiffness, CatenaryStiffnessInSeriesWithTheElasticLine) {
    // 1/KSTAT = 1/KCAT + 1/KELAS with KSTAT the end-tension change per unit extension; equal
    // end motions give KSTAT = DTFDAF; a KSTAT not below KELAS leaves no catenary compliance.
    struct Case {
        const char* name;
        Complex CAFLD, CABOT;
        float KELAS, DTFDAF, DTBDAB, KSTAT, KCAT;
    };
    const float K1 = 1.0f / (1.0f / 20.0f - 1.0f / 60.0f);
    const Case cases[] = {
        {"fairlead moving", {0.6f, 0.8f}, {}, 60.0f, 20.0f, -7.0f, 20.0f, K1},
        {"both ends, opposite", {1.0f, 0.0f}, {-1.0f, 0.0f}, 60.0f, 20.0f, -20.0f, 20.0f, K1},
        {"ends moving alike",
         {0.3f, 0.1f},
         {0.3f, 0.1f},
         60.0f,
         25.0f,
         -9.0f,
         25.0f,
         1.0f / (1.0f / 25.0f - 1.0f / 60.0f)},
        {"stiffer than the elastic line", {1.0f, 0.0f}, {}, 60.0f, 70.0f, 0.0f, 70.0f, 6e6f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        float KCAT = 0.0f, KSTAT = 0.0f;
        KCATN(KCAT, c.KELAS, KSTAT, c.CAFLD, c.CABOT, c.DTFDAF, c.DTBDAB);
        EXPECT_FLOAT_EQ(KSTAT, c.KSTAT);
        EXPECT_NEAR(KCAT, c.KCAT, 1e-5f * c.KCAT);
    }
}

TEST(ExtremeValueFactor, BandwidthCorrectionOfTheCycleCount) {
    // sqrt(ln N_eff / ln N): N = 573 D w cycles, N_eff = N (2/pi) acos(1 - R) for
    // R = SIGHF / (2 SIGLF) below 1, else N; both at least 7.4.
    const auto factor = [](double SIGHF, double SIGLF, double D, double W) {
        const double N = 573.0 * D * W;
        const double R = SIGLF > 0.0 ? 0.5 * SIGHF / SIGLF : 100.0;
        const double Neff = R < 1.0 ? N * 2.0 / std::numbers::pi * std::acos(1.0 - R) : N;
        return std::sqrt(std::log(std::max(Neff, 7.4)) / std::log(std::max(N, 7.4)));
    };
    struct Case {
        const char* name;
        float SIGHF, SIGLF, DURATN, WFREQ;
    };
    const Case cases[] = {
        {"no low-frequency part", 3.0f, 0.0f, 3.0f, 0.6f},
        {"low-frequency part dominant", 1.0f, 4.0f, 3.0f, 0.6f},
        {"comparable parts", 3.0f, 2.5f, 6.0f, 0.4f},
        {"wave-frequency part dominant", 5.0f, 1.0f, 3.0f, 0.6f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double ref = factor(c.SIGHF, c.SIGLF, c.DURATN, c.WFREQ);
        EXPECT_NEAR(PKVAL(c.SIGHF, c.SIGLF, c.DURATN, c.WFREQ, 1.0f), ref, 2e-5);
    }
    EXPECT_NEAR(PKVAL(3.0f, 0.0f, 3.0f, 0.6f, 1.0f), 1.0f, 1e-5f);
    // Fewer than 7.4 cycles in the storm: no statistics, the factor is 1.
    EXPECT_EQ(PKVAL(1.0f, 4.0f, 0.01f, 0.6f, 1.0f), 1.0f);
}

// ---- DYNCOD -----------------------------------------------------------------------------------

// A chain of four 200 m elements hanging 200 m from fairlead to anchor at H = 200 t, metric,
// its mean shape (node tangents and node motion derivatives, end-tension derivatives) and its
// line tables taken from the closed form, as the mean-shape routine and the table stage would
// leave them.
struct ChainLine {
    ElasticCatenary e{800.0, 0.11, 2e-5};
    static constexpr int N = 4;
    static constexpr double Le = 200.0; // element length
    double dry = 0.1265;                // dry weight, t/m
    double diam = 76.0;                 // mm
    double cd = 2.4;                    // drag coefficient
    double ca = 1.0;                    // added-mass coefficient
    double H0 = 200.0, ZF = 200.0;
    double q0 = 0.0, XF0 = 0.0, T0 = 0.0;
    double G = 9.8;
    float W = 0.6f; // wave frequency, rad/s
    std::array<float, 150> RANCPT{};

    explicit ChainLine(double drag = 2.4) : cd(drag) {
        TPCM.SIMTYP = 8;
        TPCM.NUNTS = 1;
        TPCM.DWATR = 1025.0f;
        WAVCOM.G = static_cast<float>(G);
        Line line;
        for (int i = 0; i < N; ++i)
            line.push_back({Le, e.w, e.c, 0.0, 0.0, dry});
        define_type(1, line, 0);
        for (int i = 1; i <= N; ++i) {
            TPCM.DIAM(i, 1) = static_cast<float>(diam);
            TPCM.COFDMT(i, 1) = static_cast<float>(cd);
            TPCM.COFMST(i, 1) = static_cast<float>(ca);
        }
        q0 = e.top_slope(H0, ZF);
        XF0 = e.x(H0, q0, e.L);
        T0 = H0 * ElasticCatenary::sec(q0);
        RANCPT[0] = static_cast<float>(XF0);

        LincomBlock& C = LINCOM;
        C.ITYP = 1;
        C.DPHLD = H0;
        C.DHFRAC = 1e-4;
        C.DPHLD2 = H0 * (1.0 + C.DHFRAC);
        C.DSLOPE = 0.0;
        C.BOTELM = 0;
        C.TPTEN0 = T0;
        SCLWLD(C.SCLWT_words, wetwt_column(1), C.DPHLD, N);
        BETALD(alpha_slice(1), C.BETA_words, C.DPHLD, N);
        SCLWLD(C.SCLWTP_words, wetwt_column(1), C.DPHLD2, N);
        BETALD(alpha_slice(1), C.BETAP_words, C.DPHLD2, N);
        build_tables(e, 1, 100.0, 400.0, 90, ZF, 2.0, 5);

        CatcomBlock& K = CATCOM;
        const double hH = 1e-4 * H0, hZ = 1e-3;
        for (int n = 1; n <= N + 1; ++n) {
            const double s = (n - 1) * Le;
            K.TANARR(n, 1) = static_cast<float>(q0 - s * e.w / H0);
            const auto pH = e.from_anchor(H0 + hH, ZF, s), mH = e.from_anchor(H0 - hH, ZF, s);
            const auto pZ = e.from_anchor(H0, ZF + hZ, s), mZ = e.from_anchor(H0, ZF - hZ, s);
            K.DXSDH(n, 1) = static_cast<float>((pH.first - mH.first) / (2 * hH));
            K.DZSDH(n, 1) = static_cast<float>((pH.second - mH.second) / (2 * hH));
            K.DXSDZF(n, 1) = static_cast<float>((pZ.first - mZ.first) / (2 * hZ));
            K.DZSDZF(n, 1) = static_cast<float>((pZ.second - mZ.second) / (2 * hZ));
        }
        const double ha = 1e-3;
        K.DTFDAF(1) = static_cast<float>((tension_change(ha) - tension_change(-ha)) / (2 * ha));
        K.DTBDAB(1) = static_cast<float>((bottom_change(ha) - bottom_change(-ha)) / (2 * ha));
    }

    double cos0() const { return static_cast<double>(COSPHT(static_cast<float>(q0))); }
    double sin0() const { return static_cast<double>(SINPHT(static_cast<float>(q0))); }
    // The statics: top tension change with the fairlead moved by a along the line.
    double tension_change(double a) const {
        const double Z = ZF + sin0() * a;
        return e.top_tension(e.tension_for(XF0 + cos0() * a, Z, 50.0, 500.0), Z) - T0;
    }
    // Bottom tension change with the anchor moved by b along the line's bottom direction.
    double bottom_change(double b) const {
        const double qb = q0 - e.L * e.w / H0;
        const double cb = 1.0 / ElasticCatenary::sec(qb), sb = qb * cb;
        const double Z = ZF - sb * b;
        const double H = e.tension_for(XF0 - cb * b, Z, 50.0, 500.0);
        return H * ElasticCatenary::sec(e.top_slope(H, Z) - e.L * e.w / H) -
               H0 * ElasticCatenary::sec(qb);
    }
};

// What DYNCOD returns.
struct Dynamic {
    Complex CYCATP, CYCATM, CYELAP, CYELAM, CTOPFP, CBOTFP, CTOPFM, CBOTFM;
    float STOPFP = 0, STOPFM = 0, XCATP = 0;
    std::array<Complex, 26> CTOPFIP{}, CTOPFIM{}, CXTEND_N{}, C_ADA_END_N{};
};
Dynamic run_dyncod(const ChainLine& chain, Complex CAFLD, Complex CABOT = {}, bool WRNFLG = true) {
    CATCOM.CAFLD = CAFLD;
    CATCOM.CABOT = CABOT;
    Dynamic d;
    double TX = 0.0;
    bool CATSKP = false;
    DYNCOD(1, TX, CATSKP, chain.W, 0.001f, 0.0f, d.CYCATP, d.CYCATM, d.CYELAP, d.CYELAM, d.CTOPFP,
           d.CBOTFP, d.CTOPFM, d.CBOTFM, d.STOPFP, d.STOPFM, chain.RANCPT, d.CTOPFIP, d.CTOPFIM,
           d.CXTEND_N, d.C_ADA_END_N, 1, d.XCATP, WRNFLG);
    EXPECT_TRUE(CATSKP);
    return d;
}

// The reference of a fairlead motion x along the line (anchor fixed).
struct ChainReference {
    double KELAS = 0, KCAT = 0, CQUAD = 0, KELINL = 0, KELINT = 0;
    std::vector<RodElement> rod;
    // Per node n = 1..N of the elements' tops: tangential amplitude per unit extension and
    // the inertia of the line below per squared tangential motion there.
    std::array<double, 5> along{}, kelinl_n{}, kelint_n{};
};
ChainReference chain_reference(const ChainLine& c, ComplexD x) {
    ChainReference r;
    const double AX = std::abs(x);
    const ComplexD dxF = x * c.cos0(), dzF = x * c.sin0();
    const auto motion = [&](double s) {
        const PointMotion m = point_motion(c.e, c.H0, c.ZF, s, dxF, dzF, 1e-4 * c.H0, 1e-3);
        const double phi = std::atan(c.q0 - s * c.e.w / c.H0);
        return std::pair{m.dz * std::cos(phi) - m.dx * std::sin(phi),
                         m.dx * std::cos(phi) + m.dz * std::sin(phi)};
    };
    const double DWOVRG = 1025.0 * 0.001 / c.G;
    const double m_t = c.dry / c.G;                        // line mass with its displaced water
    const double m_n = m_t + (c.dry - c.e.w) / c.G * c.ca; // with added mass
    const auto cube = [&](double s) { return std::pow(std::abs(motion(s).first), 3); };
    const auto normal2 = [&](double s) { return std::norm(motion(s).first); };
    const auto along2 = [&](double s) { return std::norm(motion(s).second); };
    constexpr int panels = 400;
    const double TMPDIS =
        4.0 / 3.0 * simpson(cube, 0.0, c.e.L, panels) * c.diam * 0.001 * DWOVRG * c.cd;
    r.CQUAD = 3.0 * TMPDIS / (8.0 * AX * AX * AX);
    if (TMPDIS > 0.0) {
        r.KELINL = 0.5 * m_t * simpson(along2, 0.0, c.e.L, panels) / (AX * AX);
        r.KELINT = 0.5 * m_n * simpson(normal2, 0.0, c.e.L, panels) / (AX * AX);
        for (int n = 1; n <= ChainLine::N; ++n) {
            const double s = (n - 1) * ChainLine::Le;
            const double a = std::abs(motion(s).second);
            r.along[static_cast<std::size_t>(n)] = a / AX;
            r.kelinl_n[static_cast<std::size_t>(n)] =
                0.5 * m_t * simpson(along2, s, c.e.L, panels) / (a * a);
            r.kelint_n[static_cast<std::size_t>(n)] =
                0.5 * m_n * simpson(normal2, s, c.e.L, panels) / (a * a);
        }
    }
    r.KELAS = 1.0 / (c.e.L * c.e.c);
    const double KSTAT = CATCOM.DTFDAF(1); // anchor fixed
    r.KCAT = 1.0 / (1.0 / KSTAT - 1.0 / r.KELAS);
    const double k = c.W * std::sqrt(c.e.c * c.dry / c.G);
    for (int i = 0; i < ChainLine::N; ++i)
        r.rod.push_back({ChainLine::Le, k, c.e.c});
    return r;
}

// The linear series model (see CATSTR): amplitude ratio and catenary part for stiffness
// ratio KRAT, drag constant CQCNST.
struct Series {
    double beta, A, X;
};
Series linear_series(double KRAT, double CQCNST, double W, double KELAS) {
    Series s{KRAT + 1.0, CQCNST * W / KELAS, 0.0};
    const double b2 = s.beta * s.beta;
    s.X = s.A == 0.0 ? 1.0 / s.beta
                     : std::sqrt((std::sqrt(b2 * b2 + 4.0 * s.A * s.A) - b2) / (2.0 * s.A * s.A));
    return s;
}

void expect_complex_near(Complex value, ComplexD ref, double tol, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_NEAR(std::abs(ComplexD(value) - ref), 0.0, tol) << value << " vs " << ref;
}

TEST(DynamicTension, LinearChainMatchesTheIndependentModel) {
    // Without drag the chain of stiffnesses is exact to single precision (2e-7 observed). With
    // drag the element integrations carry the forward-step error of the point motions; it
    // reaches the tensions through the drag term only, damped: 4e-4 observed. A lost term or a
    // wrong integral errs by per cents.
    struct Case {
        const char* name;
        double drag;
        std::int32_t INRLFG;
        double tol;
    };
    const Case cases[] = {{"no drag", 0.0, 1, 1e-5},
                          {"drag, no inertial correction", 2.4, 0, 2e-3},
                          {"drag and inertial correction", 2.4, 1, 2e-3}};
    const ComplexD x = std::polar(1.5, 0.4);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        const ChainLine chain(c.drag);
        TPCM.INRLFG = c.INRLFG;
        const Dynamic d = run_dyncod(chain, Complex(x));
        const ChainReference r = chain_reference(chain, x);
        const double W = chain.W;
        const double CQCNST = 8.0 / (3.0 * std::numbers::pi) * std::abs(x) * W * r.CQUAD;
        const Series s = linear_series(r.KCAT / r.KELAS, CQCNST, W, r.KELAS);
        const ComplexD y = x / ComplexD(s.beta, s.A * s.X);
        const std::vector<ComplexD> T = rod_tensions(r.rod, x - y);
        const double scale = std::abs(T[0]);
        ComplexD CTACCT = 0.0;
        if (c.INRLFG == 1)
            CTACCT = -x * 2.0 * (s.X * s.X * r.KELINT + r.KELINL) * W * W;

        EXPECT_NEAR(CATCOM.KELAS, r.KELAS, 1e-6 * r.KELAS);
        EXPECT_NEAR(CATCOM.KCTAN, r.KCAT, 1e-5 * r.KCAT);
        EXPECT_NEAR(d.XCATP, s.X, c.tol * s.X);
        expect_complex_near(d.CYCATP, y, c.tol * std::abs(x), "catenary part");
        expect_complex_near(d.CYELAP, x - y, c.tol * std::abs(x), "elastic part");
        expect_complex_near(d.CTOPFP, T[0] + CTACCT, c.tol * scale, "top tension");
        expect_complex_near(d.CBOTFP, T[4], c.tol * scale, "bottom tension");
        // The compression half mirrors the extension half.
        EXPECT_EQ(d.CTOPFM, -d.CTOPFP);
        EXPECT_EQ(d.CBOTFM, -d.CBOTFP);
        EXPECT_EQ(d.CYCATM, -d.CYCATP);
        EXPECT_EQ(d.CYELAM, -d.CYELAP);
        EXPECT_NEAR(d.STOPFP, CATCOM.DTFDAF(1) * std::abs(x), 1e-5 * scale);
        EXPECT_EQ(d.STOPFM, -d.STOPFP);
        // Nodes: the rod's tension, corrected by the inertia of the line below the node.
        for (int n = 1; n <= ChainLine::N + 1; ++n) {
            SCOPED_TRACE(::testing::Message() << "node " << n);
            ComplexD node = T[static_cast<std::size_t>(n - 1)];
            const auto i = static_cast<std::size_t>(n);
            if (c.INRLFG == 1 && n <= ChainLine::N)
                node -= x * r.along[i] * 2.0 * (r.kelint_n[i] * s.X * s.X + r.kelinl_n[i]) * W * W;
            expect_complex_near(d.CTOPFIP[i - 1], node, c.tol * scale, "node tension");
            EXPECT_EQ(d.CTOPFIM[i - 1], -d.CTOPFIP[i - 1]);
            if (n <= ChainLine::N && c.drag > 0.0)
                expect_complex_near(d.CXTEND_N[i - 1], x * r.along[i], c.tol * std::abs(x),
                                    "scaled extension");
        }
        EXPECT_EQ(d.CXTEND_N[ChainLine::N], Complex(0.0f, 0.0f));
    }
}

TEST(DynamicTension, NonlinearChainMatchesTheIndependentModel) {
    // The nonlinear model takes the catenary stiffness and its quadratic corrections from the
    // line tables at the displaced fairlead: each half's quasi-static tension change is the
    // statics' tension change there. The nonlinear amplitude is found to 5e-5 and the tables
    // interpolate to 1e-4 (3e-4 observed on the tensions); with drag the forward-step error
    // as above (6e-4 observed). The halves differ by 40 %, far beyond what a linear or a
    // mirrored model would give within these bounds.
    struct Case {
        const char* name;
        double drag;
        std::int32_t INRLFG;
        double tol;
    };
    const Case cases[] = {{"no drag", 0.0, 0, 1.5e-3},
                          {"drag and inertial correction", 2.4, 1, 3e-3}};
    const ComplexD x = std::polar(3.0, -0.3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        const ChainLine chain(c.drag);
        TPCM.NLWVFG = 1;
        TPCM.INRLFG = c.INRLFG;
        const Dynamic d = run_dyncod(chain, Complex(x));
        EXPECT_EQ(console.screen(), ""); // no warning
        const ChainReference r = chain_reference(chain, x);
        const double W = chain.W;
        const double AX = std::abs(x);
        const double CQCNST = 8.0 / (3.0 * std::numbers::pi) * AX * W * r.CQUAD;

        // The table passes (FOBLQ) on the statics.
        const double KEFF = 1.0 / (1.0 / r.KELAS + 1.0 / r.KCAT);
        double probe = 0.01;
        while (!(KEFF * probe / chain.T0 > 0.01))
            probe *= 2.0;
        const double dF1 = chain.tension_change(probe);
        const double KCATO = dF1 / (probe - dF1 / r.KELAS);
        const double KRAT = KCATO / r.KELAS;
        const Series lin = linear_series(KRAT, CQCNST, W, r.KELAS);

        double X_extension = 0.0;
        for (const int sign : {1, -1}) {
            SCOPED_TRACE(sign > 0 ? "extension half" : "compression half");
            const double dF = chain.tension_change(sign * AX);
            const double Y = sign * AX - dF / r.KELAS;
            const double SIGC = ((KCATO / r.KELAS + 1.0) * dF - KCATO * sign * AX) / (Y * Y);
            EXPECT_NEAR(sign > 0 ? d.STOPFP : d.STOPFM, dF, 1e-3 * std::abs(dF));
            // The nonlinear balance 1 = X^2 ((beta + delta X)^2 + A^2 X^2).
            const double delta = std::abs(SIGC * AX / r.KELAS);
            const auto balance = [&](double X) {
                return 1.0 - X * X * (std::pow(lin.beta + delta * X, 2) + lin.A * lin.A * X * X);
            };
            double lo = 0.0, hi = 1.5;
            for (int n = 0; n < 100; ++n)
                (balance(0.5 * (lo + hi)) > 0.0 ? lo : hi) = 0.5 * (lo + hi);
            const double X = 0.5 * (lo + hi);
            if (sign > 0)
                X_extension = X;
            const ComplexD xs = double(sign) * x;
            const ComplexD y = X * xs * std::polar(1.0, -std::asin(lin.A * X * X));
            const ComplexD e = y * ComplexD(sign * SIGC * AX * X / r.KELAS + KRAT, lin.X * lin.A);
            const std::vector<ComplexD> T = rod_tensions(r.rod, e);
            // The inertia of the line against the fairlead motion, on both halves.
            const ComplexD CTACCT =
                -x * 2.0 * (X_extension * X_extension * r.KELINT + r.KELINL) * W * W;
            const ComplexD top = T[0] + (c.INRLFG == 1 ? double(sign) * CTACCT : 0.0);
            const double scale = std::abs(T[0]);
            expect_complex_near(sign > 0 ? d.CYCATP : d.CYCATM, y, c.tol * AX, "catenary part");
            expect_complex_near(sign > 0 ? d.CTOPFP : d.CTOPFM, top, c.tol * scale, "top");
            expect_complex_near(sign > 0 ? d.CBOTFP : d.CBOTFM, T[4], c.tol * scale, "bottom");
        }
        EXPECT_NEAR(d.XCATP, X_extension, c.tol * X_extension);
    }
}

TEST(DynamicTension, QuasiStaticModeReadsTheTensionFromTheTables) {
    ScriptedConsole console;
    const ChainLine chain;
    TPCM.QSFLAG2 = 1;
    const ComplexD x = std::polar(2.0, 0.7);
    const Dynamic d = run_dyncod(chain, Complex(x));
    // The anchor distance grows by |x| / cos: the fairlead moved horizontally at its height.
    const double H = chain.e.tension_for(chain.XF0 + 2.0 / chain.cos0(), chain.ZF, 50.0, 500.0);
    const double dF = chain.e.top_tension(H, chain.ZF) - chain.T0;
    EXPECT_NEAR(d.STOPFP, dF, 1e-3 * dF);
    EXPECT_EQ(d.CTOPFP, Complex(d.STOPFP, 0.0f));
    EXPECT_EQ(d.CBOTFP, d.CTOPFP);
    EXPECT_EQ(d.CTOPFM, -d.CTOPFP);
    EXPECT_EQ(d.CBOTFM, -d.CTOPFP);
}

TEST(DynamicTension, EndsMovingAlikeGiveNoTensionAndNoDivisionByZero) {
    // No extension: no drag or inertia constants, no catenary or elastic part, no tension, and
    // the per-element scaled extensions are 0 (they would divide by the zero extension).
    for (const Complex motion : {Complex(0.0f, 0.0f), Complex(0.5f, 0.2f)}) {
        SCOPED_TRACE(motion == Complex(0.0f, 0.0f) ? "no motion" : "ends moving alike");
        ScriptedConsole console;
        const ChainLine chain;
        TPCM.INRLFG = 1;
        const Dynamic d = run_dyncod(chain, motion, motion);
        EXPECT_EQ(CATCOM.KSTAT, CATCOM.DTFDAF(1));
        for (const Complex v : {d.CYCATP, d.CYELAP, d.CTOPFP, d.CBOTFP, d.CTOPFM, d.CBOTFM})
            EXPECT_EQ(v, Complex(0.0f, 0.0f));
        EXPECT_EQ(d.STOPFP, 0.0f);
        for (int n = 0; n <= ChainLine::N; ++n) {
            EXPECT_EQ(d.CXTEND_N[static_cast<std::size_t>(n)], Complex(0.0f, 0.0f));
            EXPECT_EQ(d.C_ADA_END_N[static_cast<std::size_t>(n)], Complex(0.0f, 0.0f));
            EXPECT_EQ(d.CTOPFIP[static_cast<std::size_t>(n)], Complex(0.0f, 0.0f));
        }
    }
}

TEST(DynamicTension, AWeightlessElementKeepsItsDragAndMass) {
    // Element 2 weightless (a buoyancy-neutral rope with the chain's other data): its motion
    // is integrated straight. The same line with element 2 of a tiny weight (catenary length
    // 1e5 element lengths) is the limit it stands for: the tensions agree. Had the weightless
    // element lost its drag or mass, a quarter of the line's would be missing.
    const ComplexD x = std::polar(1.5, 0.4);
    Dynamic results[2];
    for (const int variant : {0, 1}) {
        ScriptedConsole console;
        const ChainLine chain;
        TPCM.INRLFG = 1;
        const double w2 = variant == 0 ? 0.0 : chain.H0 / (1e5 * ChainLine::Le);
        TPCM.WETWT(2, 1) = static_cast<float>(w2);
        SCLWLD(LINCOM.SCLWT_words, wetwt_column(1), LINCOM.DPHLD, ChainLine::N);
        SCLWLD(LINCOM.SCLWTP_words, wetwt_column(1), LINCOM.DPHLD2, ChainLine::N);
        CATCOM.TANARR(3, 1) =
            static_cast<float>(CATCOM.TANARR(2, 1) - ChainLine::Le * w2 / chain.H0);
        results[variant] = run_dyncod(chain, Complex(x));
        const Dynamic& d = results[variant];
        EXPECT_TRUE(std::isfinite(std::abs(d.CTOPFP)) && std::isfinite(std::abs(d.CBOTFP)));
    }
    const double scale = std::abs(ComplexD(results[1].CTOPFP));
    expect_complex_near(results[0].CTOPFP, ComplexD(results[1].CTOPFP), 1e-3 * scale, "top");
    expect_complex_near(results[0].CBOTFP, ComplexD(results[1].CBOTFP), 1e-3 * scale, "bottom");
    for (std::size_t n = 0; n <= ChainLine::N; ++n)
        expect_complex_near(results[0].CTOPFIP[n], ComplexD(results[1].CTOPFIP[n]), 1e-3 * scale,
                            "node");
}

TEST(DynamicTension, AZeroFairleadDerivativeIsGuarded) {
    // A line whose nodes do not move with the horizontal tension (a taut tendon: all DXSDH
    // and DZSDH 0): the equivalent tension change is taken over 1e-20 and moves no node.
    ScriptedConsole console;
    const ChainLine chain;
    for (int n = 1; n <= ChainLine::N + 1; ++n) {
        CATCOM.DXSDH(n, 1) = 0.0f;
        CATCOM.DZSDH(n, 1) = 0.0f;
    }
    const Dynamic d = run_dyncod(chain, Complex(1.0f, 0.5f));
    for (const Complex v : {d.CYCATP, d.CYELAP, d.CTOPFP, d.CBOTFP})
        EXPECT_TRUE(std::isfinite(v.real()) && std::isfinite(v.imag()));
    for (const Complex v : d.CTOPFIP)
        EXPECT_TRUE(std::isfinite(v.real()) && std::isfinite(v.imag()));
}

TEST(DynamicTension, AnExcessiveInertialCorrectionIsWarnedOnce) {
    // An added-mass coefficient of 1e4 makes the inertia dwarf the tension: the warning and
    // the abort prompt, once in the run; Return keeps the correction, "A" would abort.
    ScriptedConsole console("\n");
    ChainLine chain;
    for (int i = 1; i <= ChainLine::N; ++i)
        TPCM.COFMST(i, 1) = 1e4f;
    TPCM.INRLFG = 1;
    const Dynamic d = run_dyncod(chain, Complex(1.0f, 0.0f));
    const std::string expected = "\n"
                                 " ++> The inertial load correction for line  1, and probably "
                                 "others,\n"
                                 "     may be excessive; consider disabling the inertial\n"
                                 "     correction for these lines.\n"
                                 "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ";
    EXPECT_EQ(console.screen(), expected);
    EXPECT_GT(std::abs(d.CTOPFP), 5.0f * std::abs(d.CBOTFP)); // the correction is kept
    console.clear_screen_text();
    run_dyncod(chain, Complex(1.0f, 0.0f));
    EXPECT_EQ(console.screen(), "");
}

} // namespace
} // namespace lintar
