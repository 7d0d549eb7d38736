// Tests of the element drag dissipation (ELMDMP) against the rigid cylinder and against an
// independent quadrature over Irvine's elastic catenary, of the elements that dissipate
// nothing, and of the damping integral (DMPINT) against an independent quadrature, its series
// branch and its fatal ends.
#include "support/line_dynamics_support.h"
#include "support/line_test_support.h"

#include "blocks/catcom.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "line_dynamics/element_damping.h"
#include "lines/catenary_elements.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>

namespace lintar {
namespace {

using namespace lintar::testing;
using Complex = std::complex<float>;

// One element of the linear law as line type 1 at horizontal tension H, with the perturbed
// tension the motion routines difference against.
void load_element(const ElasticCatenary& e, double H) {
    define_type(1, {{e.L, e.w, e.c}}, 0);
    LINCOM.ITYP = 1;
    LINCOM.DPHLD = H;
    LINCOM.DHFRAC = 1e-6;
    LINCOM.DPHLD2 = H * (1.0 + 1e-6);
    LINCOM.DSLOPE = 0.0;
    LINCOM.BOTELM = 0;
    SCLWLD(LINCOM.SCLWT_words, wetwt_column(1), LINCOM.DPHLD, 1);
    BETALD(alpha_slice(1), LINCOM.BETA_words, LINCOM.DPHLD, 1);
    SCLWLD(LINCOM.SCLWTP_words, wetwt_column(1), LINCOM.DPHLD2, 1);
    BETALD(alpha_slice(1), LINCOM.BETAP_words, LINCOM.DPHLD2, 1);
}

struct Dissipation {
    float DISSIP = 0.0f;
    float DISSP2 = 0.0f;
};

// ELMDMP of element 1 with the low-frequency motion (relative top, bottom) and the
// wave-frequency motion.
Dissipation elmdmp(double TX, double DQF, double DQB, std::int32_t NQP, Complex dxfL, Complex dzfL,
                   Complex dxbL, Complex dzbL, Complex dxfH, Complex dzfH, Complex dxbH,
                   Complex dzbH, std::int32_t BOTFLG = 0) {
    Dissipation d;
    Complex CTXACC;
    Complex CTZACC;
    ELMDMP(TX, DQF, DQB, d.DISSIP, d.DISSP2, NQP, dxfL, dzfL, dxbL, dzbL, dxfH, dzfH, dxbH, dzbH, 0,
           screen_unit, 1, CTXACC, CTZACC, BOTFLG);
    return d;
}

TEST(ElementDamping, ANearlyStraightElementMovedBroadsideIsARigidCylinder) {
    // A taut element (tangent +/- 1e-4 about the horizontal) moved up and down with unit
    // amplitude in both motions: the drag dissipation per unit density, drag coefficient and
    // diameter, B_q = 1/2 rho C_D D l, is that of a rigid cylinder of its length (Huse's energy
    // method); its sag tilts the normal by 1e-4 at most, 1e-8 of the amplitude.
    ScriptedConsole console;
    const ElasticCatenary e{200.0, 0.01, 0.0};
    const double H = 1.0e4;
    load_element(e, H);
    const double TX = H / e.w;
    const double DQF = 0.5 * e.L / TX;
    const Complex one(1.0f, 0.0f);
    const Complex zero;
    const Dissipation d = elmdmp(TX, DQF, -DQF, 9, zero, zero, zero, one, zero, zero, zero, one);
    const double rho = 1.99, CD = 1.2, D = 0.3;
    EXPECT_NEAR(0.5 * rho * CD * D * d.DISSIP, 0.5 * rho * CD * D * e.L, 1e-5 * e.L);
    EXPECT_NEAR(d.DISSP2, 4.0 / 3.0 * e.L, 1e-5 * e.L);
    // A wave-frequency amplitude of 2 doubles the dissipation and multiplies the cube term
    // by 8; a low-frequency amplitude of 2 quadruples the dissipation.
    const Dissipation d2 =
        elmdmp(TX, DQF, -DQF, 9, zero, zero, zero, one, zero, zero, zero, 2.0f * one);
    EXPECT_NEAR(d2.DISSIP, 2.0 * d.DISSIP, 1e-5 * e.L);
    EXPECT_NEAR(d2.DISSP2, 8.0 * d.DISSP2, 1e-4 * e.L);
    const Dissipation d3 =
        elmdmp(TX, DQF, -DQF, 9, zero, zero, zero, 2.0f * one, zero, zero, zero, one);
    EXPECT_NEAR(d3.DISSIP, 4.0 * d.DISSIP, 1e-5 * e.L);
}

TEST(ElementDamping, AHangingElementMatchesTheStaticsOfIrvinesCatenary) {
    // One suspended element, anchor fixed: the low-frequency motion moves the fairlead
    // horizontally, the wave-frequency motion moves it vertically (a quarter period out of
    // phase). The normal motion of every material point comes from central differences of the
    // elastic catenary's statics; the integrals of a^2 b and 4/3 b^3 over the unstretched arc
    // by Simpson's rule on 400 panels. The routine's 19 points and its forward tangent step of
    // 0.001 (point motions within 1 %) leave it 1.5 % off; a lost term errs by tens of per cent.
    constexpr double rel_tol = 0.03;
    ScriptedConsole console;
    const ElasticCatenary e{500.0, 0.1, 3e-5};
    const double H = 120.0;
    const double q_top = 0.8;
    const double ZF = e.z(H, q_top, e.L);
    load_element(e, H);
    const double DQB = q_top - e.L * e.w / H;
    const ComplexD dxL(1.0, 0.0);
    const ComplexD dzH(0.0, 0.7);
    const auto normal = [&](double s, ComplexD dxF, ComplexD dzF) {
        const PointMotion m = point_motion(e, H, ZF, s, dxF, dzF, 1e-4 * H, 1e-3);
        const double phi = std::atan(q_top - s * e.w / H);
        return std::abs(m.dz * std::cos(phi) - m.dx * std::sin(phi));
    };
    const double ref_dissip = simpson(
        [&](double s) {
            const double a = normal(s, dxL, 0.0);
            return a * a * normal(s, 0.0, dzH);
        },
        0.0, e.L, 400);
    const double ref_cube =
        4.0 / 3.0 *
        simpson([&](double s) { return std::pow(normal(s, 0.0, dzH), 3); }, 0.0, e.L, 400);
    const Dissipation d =
        elmdmp(H / e.w, q_top, DQB, 19, Complex(dxL), {}, {}, {}, {}, Complex(dzH), {}, {});
    EXPECT_NEAR(d.DISSIP, ref_dissip, rel_tol * ref_dissip);
    EXPECT_NEAR(d.DISSP2, ref_cube, rel_tol * ref_cube);
    EXPECT_NE(CATCOM.JACOBY, 0.0);
}

TEST(ElementDamping, ElementsThatDoNotMoveThroughTheWaterDissipateNothing) {
    ScriptedConsole console;
    const ElasticCatenary e{300.0, 0.1, 0.0};
    const double H = 100.0;
    const Complex one(1.0f, 0.0f);
    struct Case {
        const char* name;
        std::int32_t BOTELM;
        int IELEM_offset; // the element against the touchdown element
        double DQF, DQB;
    };
    const Case cases[] = {
        {"touchdown element flat on the seabed", 1, 0, 0.0, 0.0},
        {"element past the touchdown, flat", 1, 0, 0.0, -0.0},
        {"no touchdown, element not rising above the seabed", 0, 0, -0.1, -0.3},
        {"suspended element with equal end tangents", 0, 0, 0.4, 0.4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        load_element(e, H);
        LINCOM.BOTELM = c.BOTELM;
        const Dissipation d =
            elmdmp(H / e.w, c.DQF, c.DQB, 7, one, one, one, one, one, one, one, one, c.BOTELM);
        EXPECT_EQ(d.DISSIP, 0.0f);
        EXPECT_EQ(d.DISSP2, 0.0f);
    }
    // Above the touchdown element an element dissipates although its top is flat.
    load_element(e, H);
    LINCOM.BOTELM = 2;
    const Dissipation above = elmdmp(H / e.w, 0.0, -0.3, 7, {}, {}, {}, one, {}, {}, {}, one, 0);
    EXPECT_GT(above.DISSIP, 0.0f);
}

// ---- The damping integral -------------------------------------------------------------------

// The integral from 0 to infinity of e^-x (sqrt(1 + d x) - 1)^n dx, by an independent
// composite Simpson quadrature over [0, 200] with 200,000 panels (double precision).
struct IntegralCase {
    float n, d;
    double Y;
};
constexpr IntegralCase integral_cases[] = {
    {1.0f, 0.0005f, 2.499375e-4}, {1.0f, 0.001f, 4.997504e-4}, {1.0f, 0.01f, 4.975366e-3},
    {1.0f, 1.0f, 0.378936},       {1.0f, 100.0f, 7.944643},    {1.5f, 0.0005f, 5.252219e-6},
    {1.5f, 0.001f, 1.484857e-5},  {1.5f, 0.01f, 4.656709e-4},  {1.5f, 1.0f, 0.289794},
    {1.5f, 100.0f, 25.16638},
};

TEST(DampingIntegral, MatchesAnIndependentQuadrature) {
    // The quadrature stops when its tolerance is 0.8 % of Y and the tail 1 %: about 1 %.
    constexpr double rel_tol = 0.01;
    for (const IntegralCase& c : integral_cases) {
        SCOPED_TRACE(::testing::Message() << "n " << c.n << ", d " << c.d);
        ScriptedConsole console;
        float Y = 0.0f;
        DMPINT(Y, screen_unit, c.n, c.d);
        EXPECT_NEAR(Y, c.Y, rel_tol * c.Y);
        EXPECT_EQ(console.screen(), "");
    }
}

TEST(DampingIntegral, TheSeriesServesScalesBelowOneThousandth) {
    // n = 1: Gamma(2) (d/2) (1 - d/2), the series to second order.
    {
        ScriptedConsole console;
        float Y = 0.0f;
        DMPINT(Y, screen_unit, 1.0f, 2.0e-4f);
        EXPECT_FLOAT_EQ(Y, 1.0e-4f * (1.0f - 1.0e-4f));
    }
    // n = 40: the gamma function of 41 is out of its range, so the series branch stops and
    // the quadrature does not: just below 0.001 the series, at 0.001 the quadrature.
    {
        ScriptedConsole console("\n");
        float Y = 0.0f;
        const auto stop =
            run_until_stop([&] { DMPINT(Y, screen_unit, 40.0f, std::nextafter(0.001f, 0.0f)); });
        ASSERT_TRUE(stop.has_value());
        EXPECT_EQ(*stop, StopKind::error);
        EXPECT_NE(console.screen().find(" ++> Gamma function error in DMPINT"), std::string::npos);
        EXPECT_NE(console.screen().find("Press <RETURN> to continue: "), std::string::npos);
    }
    {
        ScriptedConsole console;
        float Y = -1.0f;
        const auto stop = run_until_stop([&] { DMPINT(Y, screen_unit, 40.0f, 0.001f); });
        EXPECT_FALSE(stop.has_value());
        EXPECT_GE(Y, 0.0f);
    }
}

TEST(DampingIntegral, ATailThatStaysLargeStopsAfterTheLastUpperLimit) {
    // n = 60, d = 0.3: the tail estimate d^30 x 80^30 ... is beyond the four-byte range at every
    // upper limit, so the limits 10, 20, 40 and 80 are all tried and then the run stops with
    // the fatal message, after the Return pause; unattended, without the pause.
    {
        ScriptedConsole console("\n");
        float Y = 0.0f;
        const auto stop = run_until_stop([&] { DMPINT(Y, screen_unit, 60.0f, 0.3f); });
        ASSERT_TRUE(stop.has_value());
        EXPECT_EQ(*stop, StopKind::error);
        EXPECT_EQ(console.screen(), "++> FATAL error: XU.GT.100 in DMPINT error checking loop\n \n"
                                    " Press <RETURN> to continue: ");
    }
    {
        ScratchFolder folder;
        ScriptedConsole console;
        ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                              FileForm::formatted));
        float Y = 0.0f;
        const auto stop = run_until_stop([&] { DMPINT(Y, diagnostics_unit, 60.0f, 0.3f); });
        ASSERT_TRUE(stop.has_value());
        EXPECT_EQ(*stop, StopKind::error);
        close_unit(diagnostics_unit);
        EXPECT_EQ(folder.read("Diagnostics.stxt"),
                  "++> FATAL error: XU.GT.100 in DMPINT error checking loop\n");
        EXPECT_EQ(console.screen(), "");
    }
}

TEST(DampingIntegral, AnIntegrandBeyondTheRealRangeStopsRatherThanRunningForEver) {
    // n = 20, d = 1000: (sqrt(1 + 1000 x) - 1)^20 exceeds the four-byte range near x = 10, so
    // the quadrature's value is not finite at any table size; doubling the table to 40 and 80
    // levels (2^39 and 2^79 integrand values) would never end. It stops at once with the
    // message of exhausted levels.
    ScriptedConsole console("\n");
    float Y = 0.0f;
    const auto stop = run_until_stop([&] { DMPINT(Y, screen_unit, 20.0f, 1000.0f); });
    ASSERT_TRUE(stop.has_value());
    EXPECT_EQ(*stop, StopKind::error);
    EXPECT_EQ(console.screen(), "++> FATAL error: NDIM > NDMSUP in DMPINT\n \n"
                                " Press <RETURN> to continue: ");
}

TEST(DampingIntegral, TolerancesThatNeverSettleAreReportedAfterAHundredQuadratures) {
    // n = 3, d = 0.001: the quadrature meets rounding errors at 0.8 % of Y and converges at
    // ten times that, which is too loose, and so on round: after 100 quadratures the warning
    // and the abort prompt. Return starts a fresh count (and the warning comes again); "A"
    // ends the run as the user's choice; an unattended run stops with status 1.
    {
        ScriptedConsole console("\nA\n");
        float Y = 0.0f;
        const auto stop = run_until_stop([&] { DMPINT(Y, screen_unit, 3.0f, 0.001f); });
        ASSERT_TRUE(stop.has_value());
        EXPECT_EQ(*stop, StopKind::user_choice);
        const std::string screen = console.screen();
        const std::string warning = " ++> Possible iteration failure in DMPINT\n";
        const auto first = screen.find(warning);
        ASSERT_NE(first, std::string::npos) << screen;
        const auto second = screen.find(warning, first + 1);
        ASSERT_NE(second, std::string::npos) << screen;
        EXPECT_EQ(screen.find(warning, second + 1), std::string::npos);
    }
    {
        ScratchFolder folder;
        ScriptedConsole console;
        ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                              FileForm::formatted));
        float Y = 0.0f;
        const auto stop = run_until_stop([&] { DMPINT(Y, diagnostics_unit, 3.0f, 0.001f); });
        ASSERT_TRUE(stop.has_value());
        EXPECT_EQ(*stop, StopKind::error);
        close_unit(diagnostics_unit);
        EXPECT_EQ(folder.read("Diagnostics.stxt"), " ++> Possible iteration failure in DMPINT\n");
    }
}

TEST(DampingIntegral, TheIntegrandIsTheDocumentedOne) {
    EXPECT_FLOAT_EQ(SUBINT(0.0f, 1.5f, 2.0f), 0.0f);
    EXPECT_FLOAT_EQ(SUBINT(4.0f, 2.0f, 2.0f), std::exp(-4.0f) * 4.0f);
    EXPECT_FLOAT_EQ(SUBINT(1.0f, 1.0f, 3.0f), std::exp(-1.0f));
}

} // namespace
} // namespace lintar
