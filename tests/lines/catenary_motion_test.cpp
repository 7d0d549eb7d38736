// Tests of the point motions of a catenary element (CATMOT) and their integrals (CATDMP):
// the separation derivatives against central differences of the element functions, the
// motions against central differences of the statics, the integrals against an independent
// quadrature over the unstretched arc length of Irvine's elastic catenary, the straight
// weightless element and the elements that give zeros.
#include "support/line_dynamics_support.h"
#include "support/line_test_support.h"

#include "blocks/catcom.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/catenary_elements.h"
#include "lines/catenary_motion.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>

namespace lintar {
namespace {

using namespace lintar::testing;
using Complex = std::complex<float>;

// One element of the linear law as line type 1, loaded at H and at the perturbed tension
// H (1 + DHFRAC) as the motion routines expect.
void load_element(const ElasticCatenary& e, double H, double DHFRAC, double c2 = 0.0) {
    define_type(1, {{e.L, e.w, e.c, c2}}, 0);
    LINCOM.ITYP = 1;
    LINCOM.DPHLD = H;
    LINCOM.DHFRAC = DHFRAC;
    LINCOM.DPHLD2 = H * (1.0 + DHFRAC);
    LINCOM.DSLOPE = 0.0;
    LINCOM.BOTELM = 0;
    SCLWLD(LINCOM.SCLWT_words, wetwt_column(1), LINCOM.DPHLD, 1);
    BETALD(alpha_slice(1), LINCOM.BETA_words, LINCOM.DPHLD, 1);
    SCLWLD(LINCOM.SCLWTP_words, wetwt_column(1), LINCOM.DPHLD2, 1);
    BETALD(alpha_slice(1), LINCOM.BETAP_words, LINCOM.DPHLD2, 1);
}

// The separation of the point of tangent q from the lower end (tangent qB) of an element of
// upper tangent P, in closed form for the linear law (T = H / w; the arc runs T dq), with,
// when grounded, the rest of the element along a level seabed at tension H.
std::pair<double, double> separation(const ElasticCatenary& e, double P, double H, double q,
                                     double qB, bool grounded) {
    const double T = H / e.w;
    const double x = T * (std::asinh(q) - std::asinh(qB)) + e.c * H * T * (q - qB);
    const double z = T * (ElasticCatenary::sec(q) - ElasticCatenary::sec(qB)) +
                     e.c * H * T * (q * q - qB * qB) / 2.0;
    if (!grounded)
        return {x, z};
    return {x + (e.L - T * (P - qB)) * (1.0 + e.c * H), z};
}

TEST(CatenaryMotion, SeparationDerivativesAreThoseOfTheElementAtAMaterialPoint) {
    // P moves every tangent of the element at constant H (a grounded lower end stays at the
    // seabed tangent); T = H/w moves at the same material points. The routine steps forward,
    // the tangent by DELQ = 0.001 (its least step) and the tension by 1e-6 of itself, so it
    // differs from the central differences of the closed form by DELQ/2 times the second
    // derivative in P (a few 1e-3 relative here), and by 1e-6 relative in T. The element is
    // a stretchy rope (c H = 0.15) so that the compliance scaled at the perturbed tension
    // matters in the T derivative.
    const ElasticCatenary e{300.0, 0.12, 1e-3};
    const double H = 150.0;
    const double DELQ = 0.001;
    struct Case {
        const char* name;
        double P;
        double at; // the point's distance below the upper end, in suspended lengths
        bool grounded;
    };
    const Case cases[] = {{"suspended, mid", 0.45, 0.5, false},
                          {"suspended, upper end", 0.3, 0.0, false},
                          {"touchdown element, mid", 0.18, 0.3, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        load_element(e, H, 1e-6);
        const double T = H / e.w;
        const double qB = c.grounded ? 0.0 : c.P - e.L / T;
        const double q = c.P - c.at * (c.P - qB);
        const std::int32_t BOTFLG = c.grounded ? 1 : 0;
        const auto [DADXF, DADZF, DSDXF, DSDZF, DXDP, DXDT, DZDP, DZDT, DXDSI, DZDSI] =
            CATMOT(static_cast<float>(q), qB, c.P, 1, BOTFLG);
        const double qf = static_cast<float>(q); // the routine works at the four-byte tangent
        const auto sP = [&](double dP) {
            return separation(e, c.P + dP, H, qf + dP, c.grounded ? qB : qB + dP, c.grounded);
        };
        const auto sH = [&](double dH) {
            const double r = H / (H + dH); // the material points keep their arc from the top
            return separation(e, c.P, H + dH, c.P + (qf - c.P) * r,
                              c.grounded ? qB : c.P + (qB - c.P) * r, c.grounded);
        };
        const double hP = 1e-4;
        const auto first = [&](auto f, bool z) {
            return ((z ? f(hP).second : f(hP).first) - (z ? f(-hP).second : f(-hP).first)) /
                   (2 * hP);
        };
        const auto second = [&](auto f, bool z) {
            return ((z ? f(hP).second : f(hP).first) - 2 * (z ? f(0.0).second : f(0.0).first) +
                    (z ? f(-hP).second : f(-hP).first)) /
                   (hP * hP);
        };
        const double hH = 1e-4 * H;
        const double dT = hH / e.w;
        const auto T_derivative = [&](bool z) {
            return ((z ? sH(hH).second : sH(hH).first) - (z ? sH(-hH).second : sH(-hH).first)) /
                   (2 * dT);
        };
        for (const bool z : {false, true}) {
            SCOPED_TRACE(z ? "vertical" : "horizontal");
            const double dP_ref = first(sP, z);
            const double step_error = 0.5 * DELQ * std::abs(second(sP, z));
            EXPECT_NEAR(z ? DZDP : DXDP, dP_ref, 1.2 * step_error + 1e-6 * std::abs(dP_ref));
            const double dT_ref = T_derivative(z);
            EXPECT_NEAR(z ? DZDT : DXDT, dT_ref, 1e-4 * std::abs(dT_ref) + 1e-9);
        }
        EXPECT_NEAR(DXDSI, 1.0 / std::sqrt(1.0 + qf * qf), 1e-6);
        EXPECT_NEAR(DZDSI, qf / std::sqrt(1.0 + qf * qf), 1e-6);
    }
}

TEST(CatenaryMotion, PointMotionsFollowTheStaticsUnderAFairleadMotion) {
    // A one-element line with its anchor fixed: the motion of a material point per unit
    // horizontal and vertical fairlead motion, normal and tangential to the line, against
    // central differences of the statics (the line re-solved at stepped H and fairlead height).
    // The routine's forward tangent step of 0.001 makes its motions err by up to 1 % (the
    // step error of the test above, carried through Cramer's rule); a wrong term errs by
    // tens of per cent.
    constexpr double rel_tol = 1e-2;
    const ElasticCatenary e{500.0, 0.1, 3e-5};
    const double H = 120.0;
    const double q_top = 0.8;
    const double ZF = e.z(H, q_top, e.L);
    ScriptedConsole console;
    load_element(e, H, 1e-6);
    const double DQF = q_top;
    const double DQB = q_top - e.L * e.w / H;
    // The upper-end derivatives, as CATDMP leaves them.
    Complex CTXACC, CTZACC;
    float s[8];
    CATDMP(H / e.w, DQF, DQB, s[0], s[1], s[2], s[3], s[4], 0.0f, 0.0f, 3, {}, {}, {}, {}, s[5],
           s[6], s[7], 0, 1, CTXACC, CTZACC, 0, false);
    for (const double at : {0.0, 0.3, 0.7, 1.0}) {
        SCOPED_TRACE(at);
        const double sd = at * e.L;
        const float q = static_cast<float>(q_top - sd * e.w / H);
        const auto [DADXF, DADZF, DSDXF, DSDZF, DXDP, DXDT, DZDP, DZDT, DXDSI, DZDSI] =
            CATMOT(q, DQB, DQF, 1, 0);
        const double J = CATCOM.JACOBY;
        const double phi = std::atan(static_cast<double>(q));
        for (const bool vertical : {false, true}) {
            SCOPED_TRACE(vertical ? "vertical fairlead motion" : "horizontal fairlead motion");
            const PointMotion m = point_motion(e, H, ZF, sd, vertical ? 0.0 : 1.0,
                                               vertical ? 1.0 : 0.0, 1e-4 * H, 1e-3);
            const double normal = (m.dz * std::cos(phi) - m.dx * std::sin(phi)).real();
            const double along = (m.dx * std::cos(phi) + m.dz * std::sin(phi)).real();
            const double scale = std::max({std::abs(normal), std::abs(along), 1.0});
            EXPECT_NEAR((vertical ? DADZF : DADXF) / J, normal, rel_tol * scale);
            EXPECT_NEAR((vertical ? DSDZF : DSDXF) / J, along, rel_tol * scale);
        }
    }
}

// The integrals of CATDMP by Simpson's rule on a fine grid of the unstretched arc, from the
// point motions of the statics: lower end moved by (dxB, dzB), upper end by (dxF, dzF) more.
struct Integrals {
    double DISSIP = 0.0, KEELMT = 0.0, KEELML = 0.0, ADAMAX = 0.0, ADATOP = 0.0, LONTOP = 0.0;
    double KEOOP = 0.0;
    ComplexD CTZACC;
};
Integrals reference_integrals(const ElasticCatenary& e, double H, double q_top, ComplexD dxF,
                              ComplexD dzF, ComplexD dxB, ComplexD dzB, double XBASE) {
    const double ZF = e.z(H, q_top, e.L);
    const auto motion = [&](double s) {
        const PointMotion m = point_motion(e, H, ZF, s, dxF, dzF, 1e-4 * H, 1e-3);
        const double phi = std::atan(q_top - s * e.w / H);
        const ComplexD dx = m.dx + dxB;
        const ComplexD dz = m.dz + dzB;
        return std::pair{dz * std::cos(phi) - dx * std::sin(phi),
                         dx * std::cos(phi) + dz * std::sin(phi)};
    };
    constexpr int panels = 400;
    Integrals r;
    r.DISSIP =
        4.0 / 3.0 *
        simpson([&](double s) { return std::pow(std::abs(motion(s).first), 3); }, 0.0, e.L, panels);
    r.KEELMT = simpson([&](double s) { return std::norm(motion(s).first); }, 0.0, e.L, panels);
    r.KEELML = simpson([&](double s) { return std::norm(motion(s).second); }, 0.0, e.L, panels);
    for (int k = 0; k <= panels; ++k)
        r.ADAMAX = std::max(r.ADAMAX, std::abs(motion(e.L * k / panels).first));
    r.ADATOP = std::abs(motion(0.0).first);
    r.LONTOP = std::abs(motion(0.0).second);
    const auto cz = [&](double s, bool imag) {
        const ComplexD v = motion(s).first / std::sqrt(1.0 + std::pow(q_top - s * e.w / H, 2));
        return imag ? v.imag() : v.real();
    };
    r.CTZACC = {simpson([&](double s) { return cz(s, false); }, 0.0, e.L, panels),
                simpson([&](double s) { return cz(s, true); }, 0.0, e.L, panels)};
    // Out of plane: the squared horizontal distance from XBASE (the lower end at XBASE),
    // over the stretched arc.
    const double XL = e.x(H, q_top, e.L);
    r.KEOOP = simpson(
        [&](double s) {
            const double d = XBASE + XL - e.x(H, q_top, s);
            return d * d;
        },
        0.0, e.L, panels);
    return r;
}

TEST(CatenaryMotion, ElementIntegralsMatchAQuadratureOverTheArc) {
    // The routine's Simpson rule in the tangent with 41 points is exact to 1e-7 here. An
    // element that only translates (no relative motion of its upper end) needs no motion
    // derivatives, so its integrals match closely; otherwise the motions carry the forward
    // step error of about 1 %, three times that in the cubes.
    struct Tolerance {
        double squares, cubes;
    };
    constexpr Tolerance exact{1e-5, 1e-5};
    constexpr Tolerance stepped{1.5e-2, 3e-2};
    struct Case {
        const char* name;
        ElasticCatenary e;
        double H, q_top;
        Complex dxF, dzF, dxB, dzB;
        Tolerance tol;
    };
    const Case cases[] = {
        {"elastic, only translating",
         {400.0, 0.12, 2e-5},
         160.0,
         0.7,
         {},
         {},
         {0.6f, 0.1f},
         {-0.2f, 0.5f},
         exact},
        {"elastic, upper end moving",
         {400.0, 0.12, 2e-5},
         160.0,
         0.7,
         {1.0f, 0.2f},
         {0.4f, -0.3f},
         {},
         {},
         stepped},
        {"inextensible, both ends moving",
         {300.0, 0.2, 0.0},
         90.0,
         1.1,
         {0.3f, 0.0f},
         {0.0f, 0.8f},
         {0.25f, -0.1f},
         {0.1f, 0.05f},
         stepped},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        load_element(c.e, c.H, 1e-6);
        const double DQB = c.q_top - c.e.L * c.e.w / c.H;
        const float XBASE = 25.0f;
        float DISSIP, DISOOP, KEELMT, KEELML, KEOOP, ADAMAX, ADATOP, LONTOP;
        Complex CTXACC, CTZACC;
        CATDMP(c.H / c.e.w, c.q_top, DQB, DISSIP, DISOOP, KEELMT, KEELML, KEOOP, XBASE, 0.0f, 41,
               c.dxF, c.dzF, c.dxB, c.dzB, ADAMAX, ADATOP, LONTOP, 0, 1, CTXACC, CTZACC, 0,
               c.e.c == 0.0);
        const Integrals r = reference_integrals(c.e, c.H, c.q_top, ComplexD(c.dxF), ComplexD(c.dzF),
                                                ComplexD(c.dxB), ComplexD(c.dzB), XBASE);
        const double sq = c.tol.squares;
        EXPECT_NEAR(DISSIP, r.DISSIP, c.tol.cubes * r.DISSIP);
        EXPECT_NEAR(KEELMT, r.KEELMT, sq * r.KEELMT);
        EXPECT_NEAR(KEELML, r.KEELML, sq * r.KEELML);
        // The largest amplitude is found among the 41 points, the reference's among 401.
        EXPECT_NEAR(ADAMAX, r.ADAMAX, std::max(sq, 1e-4) * r.ADAMAX);
        EXPECT_NEAR(ADATOP, r.ADATOP, sq * r.ADAMAX);
        EXPECT_NEAR(LONTOP, r.LONTOP, sq * r.LONTOP);
        EXPECT_NEAR(std::abs(ComplexD(CTZACC) - r.CTZACC), 0.0, sq * std::abs(r.CTZACC));
        EXPECT_EQ(CTXACC, Complex(0.0f, 0.0f)); // suspended element (BOTFLG 0)
        EXPECT_EQ(DISOOP, 0.0f);
        if (c.e.c == 0.0) { // the out-of-plane integrand is exact for the inextensible element
            EXPECT_NEAR(KEOOP, r.KEOOP, 1e-5 * r.KEOOP);
        } else {
            EXPECT_EQ(KEOOP, 0.0f);
        }
    }
}

TEST(CatenaryMotion, WeightlessElementIsIntegratedStraight) {
    // The motion runs linearly along the straight element from the lower-end to the upper-end
    // motion; the integrals over its unstretched length in closed form (the squares) and by a
    // fine quadrature (the cube). A very light catenary element tends to the same values.
    const double L = 150.0;
    const double q = 0.6;
    const Complex dxF(0.5f, 0.1f), dzF(-0.2f, 0.3f), dxB(0.1f, 0.0f), dzB(0.0f, -0.05f);
    const double cs = 1.0 / std::sqrt(1.0 + q * q);
    const double sn = q * cs;
    const auto normal = [&](double f) {
        return ComplexD(dzB + static_cast<float>(f) * dzF) * cs -
               ComplexD(dxB + static_cast<float>(f) * dxF) * sn;
    };
    const auto along = [&](double f) {
        return ComplexD(dxB + static_cast<float>(f) * dxF) * cs +
               ComplexD(dzB + static_cast<float>(f) * dzF) * sn;
    };
    // int_0^L |a0 + (a1 - a0) s/L|^2 ds = L (|a0|^2 + Re(a0 conj a1) + |a1|^2) / 3.
    const auto squares = [&](const auto& a) {
        const ComplexD a0 = a(0.0), a1 = a(1.0);
        return L * (std::norm(a0) + (a0 * std::conj(a1)).real() + std::norm(a1)) / 3.0;
    };
    const double cube =
        4.0 / 3.0 *
        simpson([&](double s) { return std::pow(std::abs(normal(s / L)), 3); }, 0.0, L, 2000);

    ScriptedConsole console;
    const double H = 80.0;
    // The light element: a catenary length of 1000 element lengths, its tangent turning by
    // 0.001 along it. Its sag, 1/8000 of its length, changes with the tension that a motion
    // along it needs, by about sag / (c H) per unit motion: the element is compliant
    // (c H = 0.08) so that this stays near 0.2 %.
    const double c = 1e-3;
    for (const double w : {0.0, H / (1000.0 * L)}) {
        SCOPED_TRACE(w == 0.0 ? "weightless" : "very light catenary");
        load_element({L, w, c}, H, 1e-3);
        // A light element's tangent falls by L w / H along it; the straight one keeps q.
        const double DQF = q + 0.5 * L * w / H;
        const double DQB = q - 0.5 * L * w / H;
        float DISSIP, DISOOP, KEELMT, KEELML, KEOOP, ADAMAX, ADATOP, LONTOP;
        Complex CTXACC, CTZACC;
        CATDMP(w == 0.0 ? 0.0 : H / w, DQF, DQB, DISSIP, DISOOP, KEELMT, KEELML, KEOOP, 0.0f, 0.0f,
               21, dxF, dzF, dxB, dzB, ADAMAX, ADATOP, LONTOP, 0, 1, CTXACC, CTZACC, 0, false);
        // Straight: Simpson's rule is exact for the squares; the cube from 21 points. The
        // light element differs by its sag and by the forward differences of its motions.
        const double tol = w == 0.0 ? 1e-5 : 1e-2;
        EXPECT_NEAR(KEELMT, squares(normal), tol * squares(normal));
        EXPECT_NEAR(KEELML, squares(along), tol * squares(along));
        EXPECT_NEAR(DISSIP, cube, std::max(tol, 1e-4) * cube);
        EXPECT_NEAR(ADATOP, std::abs(normal(1.0)), tol * std::abs(normal(1.0)));
        EXPECT_NEAR(LONTOP, std::abs(along(1.0)), tol * std::abs(along(1.0)));
        EXPECT_TRUE(std::isfinite(std::abs(CTZACC)));
    }
}

TEST(CatenaryMotion, ElementsThatGiveZeros) {
    ScriptedConsole console;
    const ElasticCatenary e{200.0, 0.1, 1e-5};
    const double H = 100.0;
    load_element(e, H, 1e-6);
    float DISSIP, DISOOP, KEELMT, KEELML, KEOOP, ADAMAX, ADATOP, LONTOP;
    Complex CTXACC, CTZACC;
    const auto all_zero = [&] {
        for (const float v : {DISSIP, DISOOP, KEELMT, KEELML, KEOOP, ADAMAX, ADATOP, LONTOP})
            EXPECT_EQ(v, 0.0f);
        EXPECT_EQ(CTXACC, Complex(0.0f, 0.0f));
        EXPECT_EQ(CTZACC, Complex(0.0f, 0.0f));
    };
    {
        SCOPED_TRACE("no motion at either end");
        CATDMP(H / e.w, 0.5, 0.3, DISSIP, DISOOP, KEELMT, KEELML, KEOOP, 0.0f, 0.0f, 5, {}, {}, {},
               {}, ADAMAX, ADATOP, LONTOP, 0, 1, CTXACC, CTZACC, 1, false);
        all_zero();
    }
    {
        SCOPED_TRACE("element on the seabed past the touchdown element");
        LINCOM.BOTELM = 1;
        CATDMP(H / e.w, 0.0, 0.0, DISSIP, DISOOP, KEELMT, KEELML, KEOOP, 0.0f, 0.0f, 5,
               {1.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 0.0f}, {}, ADAMAX, ADATOP, LONTOP, 0, 1, CTXACC,
               CTZACC, 1, true);
        all_zero();
    }
}

} // namespace
} // namespace lintar
