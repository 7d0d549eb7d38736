// Tests of the turn of a mooring line's direction at the disc buoy: a rigid rotation alone,
// the plan turn of a line whose fairlead moves sideways (the geometry of a fixed anchor), the
// vertical-plane turn of both branches, and lines whose turns are not defined; the springs of a
// four-line chain mooring (DYNSPR) against the closed forms of the grounded chain.
#include "hulls/disc_line_springs.h"

#include "disc_fixture.h"

#include "blocks/catcom.h"
#include "runtime/program_state.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <span>
#include <string>
#include <vector>

namespace lintar {
namespace {

constexpr float half_pi = 1.5707964f;

LineMeanState horizontal_line_along_x() {
    LineMeanState s{};
    s.THETA = half_pi;
    s.PHI = 0.0f;
    s.RANCQ = 500.0f;
    s.TPTEN0 = 100.0f;
    s.DTFDXF = 2.0f;
    s.DTFDZF = 0.5f;
    s.DTZFDH = 0.3f;
    s.DTZFDZ = 0.1f;
    s.DXSDZF = 0.0f;
    s.DXSDH = 0.01f;
    return s;
}

TEST(LineDirectionChange, RigidRotationAndPlanTurn) {
    const LineMeanState line = horizontal_line_along_x();
    // A yaw of 0.1 rad turns the direction (1, 0, 0) into (1, -0.1, 0) to first order with
    // u x OMEGA = (0, -0.1, 0).
    LineDirectionChange r = line_direction_change(line, {0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.1f});
    EXPECT_FALSE(r.degenerate);
    EXPECT_NEAR(r.du[0], 0.0f, 1e-7f);
    EXPECT_NEAR(r.du[1], -0.1f, 1e-7f);
    EXPECT_NEAR(r.du[2], 0.0f, 1e-7f);
    // The fairlead 2 ft sideways with the anchor 500 ft away along x: the line to the anchor
    // points along (500, -2), a plan turn of -2/500.
    r = line_direction_change(line, {0.0f, 2.0f, 0.0f}, {0.0f, 0.0f, 0.0f});
    EXPECT_NEAR(r.DPHIV, -2.0f / 500.0f, 1e-7f);
    EXPECT_NEAR(r.du[1], -2.0f / 500.0f, 1e-7f);
    EXPECT_NEAR(r.DTHETV, 0.0f, 1e-7f);
}

TEST(LineDirectionChange, VerticalPlaneTurnOnEitherSideOfTheSwitch) {
    // A line at 60 degrees from the vertical, its fairlead moved 1 ft in its plane away from
    // the anchor (which lies along PHI = 0): the horizontal tension grows by 1 / DXSDH = 100,
    // the top tension by DTFDXF = 2, so the angle by (100 - 2 sin 60) / (cos 60 x 100).
    LineMeanState line = horizontal_line_along_x();
    line.THETA = 1.0471976f;
    LineDirectionChange r = line_direction_change(line, {-1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f});
    const double st = std::sin(1.0471976), ct = std::cos(1.0471976);
    EXPECT_NEAR(r.DTHETV, (100.0 - 2.0 * st) / (ct * 100.0), 1e-4);
    EXPECT_NEAR(r.du[2], -st * r.DTHETV, 1e-5);
    // Near horizontal (|cos| <= 0.02) the vertical tension gives it: DTZ = DTZFDH x 100,
    // DTHETV = (DTT cos - DTZ) / (sin x TPTEN0).
    line.THETA = half_pi - 0.01f;
    r = line_direction_change(line, {-1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f});
    const double c2 = std::cos(half_pi - 0.01), s2 = std::sin(half_pi - 0.01);
    EXPECT_NEAR(r.DTHETV, (2.0 * c2 - 0.3 * 100.0) / (s2 * 100.0), 1e-4);
}

TEST(LineDirectionChange, UndefinedTurnsLeaveTheRigidRotationOnly) {
    struct Case {
        const char* name;
        float THETA, DXSDH, TPTEN0;
    };
    const Case cases[] = {
        {"vertical line", 0.0f, 0.01f, 100.0f},
        {"vertical line hanging", 3.1415927f, 0.01f, 100.0f},
        {"span independent of load", 1.0f, 0.0f, 100.0f},
        {"no mean tension", 1.0f, 0.01f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineMeanState line = horizontal_line_along_x();
        line.THETA = c.THETA;
        line.DXSDH = c.DXSDH;
        line.TPTEN0 = c.TPTEN0;
        const LineDirectionChange r =
            line_direction_change(line, {1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.1f});
        EXPECT_TRUE(r.degenerate);
        EXPECT_EQ(r.DPHIV, 0.0f);
        EXPECT_EQ(r.DTHETV, 0.0f);
        const float ux = std::sin(c.THETA);
        EXPECT_NEAR(r.du[0], 0.0f, 1e-6f);
        EXPECT_NEAR(r.du[1], -0.1f * ux, 1e-6f);
        EXPECT_TRUE(std::isfinite(r.du[2]));
    }
}

TEST(LineLoadAtBuoy, ForceAlongTheLineAndItsMomentAboutTheReference) {
    // Dynamic tension 3 + 4i along x, mean tension 100 turned by (0, 0.01, 0), fairlead 5 ft
    // below the reference point: F = (3 + 4i, 1, 0), M = r x F = (5, -5 (3 + 4i), 0).
    const BuoyLineLoad load = line_load_at_buoy({3.0f, 4.0f}, {1.0f, 0.0f, 0.0f}, 100.0f,
                                                {0.0f, 0.01f, 0.0f}, {0.0f, 0.0f, -5.0f});
    using C = std::complex<float>;
    EXPECT_EQ(load.F[0], C(3.0f, 4.0f));
    EXPECT_EQ(load.F[1], C(1.0f, 0.0f));
    EXPECT_EQ(load.F[2], C(0.0f, 0.0f));
    EXPECT_EQ(load.M[0], C(5.0f, 0.0f));
    EXPECT_EQ(load.M[1], C(-15.0f, -20.0f));
    EXPECT_EQ(load.M[2], C(0.0f, 0.0f));
}

TEST(LineSpringSums, SumsOfMagnitudesOverTheLinesForTheDisplacedFreedomOnly) {
    using C = std::complex<float>;
    // Two opposite lines under a surge of 2 ft at 0.5 rad/s: their forces cancel in the net
    // force, but spring and damping add their magnitudes.
    BuoyLineLoad a;
    a.F = {C(-40.0f, 10.0f), C(1.0f, 1.0f), C(2.0f, 2.0f)};
    a.M = {C(3.0f, 3.0f), C(4.0f, 4.0f), C(5.0f, 5.0f)};
    BuoyLineLoad b = a;
    b.F[0] = C(40.0f, -10.0f);
    const std::array<float, 6> surge{2.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    LineSpringSums sums;
    add_line_load(sums, a, surge, 0.5f);
    add_line_load(sums, b, surge, 0.5f);
    EXPECT_FLOAT_EQ(sums.spring[0], 40.0f);  // 2 x 40 / 2
    EXPECT_FLOAT_EQ(sums.damping[0], 20.0f); // 2 x 10 / (2 x 0.5)
    EXPECT_EQ(sums.net[0], C(0.0f, 0.0f));
    for (int i = 1; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(sums.spring[i], 0.0f);
        EXPECT_EQ(sums.damping[i], 0.0f);
        EXPECT_EQ(sums.net[i], C(0.0f, 0.0f));
    }
    // A negative rotation about y: the moment's magnitudes, never a negative spring.
    LineSpringSums pitch;
    add_line_load(pitch, a, {0.0f, 0.0f, 0.0f, 0.0f, -0.1f, 0.0f}, 0.5f);
    EXPECT_FLOAT_EQ(pitch.spring[4], 40.0f);
    EXPECT_FLOAT_EQ(pitch.damping[4], 80.0f);
    EXPECT_EQ(pitch.net[4], C(4.0f, 4.0f));
}

// ---- DYNSPR over a chain mooring -----------------------------------------------------------

using namespace lintar::testing;

// Four radial chains at fairlead radius a = 5 ft, each at horizontal load H = 100 kips over
// the distance X of the table. A yaw psi moves each fairlead a psi across its line: the line
// turns by a psi / X about its anchor and the buoy's axes turn by psi, so the yaw moment is
// -H a (a + X) psi / X per line (the spread mooring's yaw stiffness); the fairleads do not
// move along their lines, so there is no dynamic tension and no damping.
TEST(DYNSPR, YawSpringOfARadialSpreadIsItsClosedForm) {
    reset_program_state();
    ScriptedConsole console;
    const float X = set_up_disc_mooring();
    const std::vector<float> RANCQ(150, X);
    const double H = 100.0;
    const double a = 5.0;
    const double K_yaw = 4.0 * H * a * (a + X) / X;
    const float psi = 0.01f;
    const LineSpringSums sums = DYNSPR({0.0f, 0.0f, 0.0f, 0.0f, 0.0f, psi}, 0.5f, RANCQ);
    EXPECT_NEAR(sums.spring[5], K_yaw, 1e-4 * K_yaw);
    EXPECT_NEAR(sums.damping[5], 0.0, 1e-6 * K_yaw);
    EXPECT_NEAR(sums.net[5].real(), -K_yaw * psi, 1e-4 * K_yaw * psi);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(sums.spring[i], 0.0f);
        EXPECT_EQ(sums.damping[i], 0.0f);
        EXPECT_EQ(sums.net[i], std::complex<float>(0.0f, 0.0f));
    }
    EXPECT_EQ(console.screen(), "");
}

// The grounded chain's top angle, top tension and span as functions of the horizontal load H
// and the fairlead's height h above the anchor, and their derivatives at constant span
// (central differences in double):
//   X(H, h) = (H / w) asinh(w s / H) + L - s,  s = sqrt(h^2 + 2 h H / w),
//   tan alpha = w s / H,  T = H + w h;
//   dH/dX = 1 / X_H,  dH/dh = -X_h / X_H,  T_X = dH/dX,  T_h = dH/dh + w,
//   alpha_X = alpha_H / X_H,  alpha_h = alpha_h|H - alpha_H X_h / X_H.
struct ChainTop {
    double alpha, T, T_X, T_h, alpha_X, alpha_h;
};
ChainTop chain_top(double H) {
    const GroundedChain c;
    const double d = 1e-3;
    const auto angle = [&](double load, double height) {
        return std::atan(c.w * c.suspended(load, height) / load);
    };
    const double X_H = (c.span(H + d, c.h) - c.span(H - d, c.h)) / (2.0 * d);
    const double X_h = (c.span(H, c.h + d) - c.span(H, c.h - d)) / (2.0 * d);
    const double alpha_H = (angle(H + d, c.h) - angle(H - d, c.h)) / (2.0 * d);
    const double alpha_h_at_H = (angle(H, c.h + d) - angle(H, c.h - d)) / (2.0 * d);
    return {angle(H, c.h),    c.top_tension(H, c.h), 1.0 / X_H,
            -X_h / X_H + c.w, alpha_H / X_H,         alpha_h_at_H - alpha_H * X_h / X_H};
}

TEST(DYNSPR, SlowMotionsOfOneChainGiveTheTensionAndTheTurnOfTheLine) {
    // One chain, its anchor along +x, 100 kips: alpha = 39.7 degrees, T = 130 kips, the line's
    // direction u = (cos alpha, 0, -sin alpha) toward the anchor. The load on the buoy is
    // F = CTOPFP u + TPTEN0 du. Slowly (0.01 rad/s, no drag) the dynamic tension is the
    // quasi-static change along the line, CTOPFP = (T_X cos alpha + T_h sin alpha) e (2.995
    // kips/ft), e the stretch -d.u; the turn of the line is du = (-sin alpha, 0, -cos alpha)
    // d alpha. Per foot of motion:
    //   surge (dX = -1): CTOPFP u_x = -1.772, TPTEN0 du_x = -0.676, F_x = -2.449 kips
    //   heave (dh = +1): CTOPFP u_z = -1.223, TPTEN0 du_z = +0.201, F_z = -1.021 kips
    // A lost turn errs by 28 % (surge) or 20 % (heave); a lost tension by far more.
    constexpr double rel_tol = 0.01; // LINDRV's one-sided steps in load and height: ~0.5 %
    reset_program_state();
    ScriptedConsole console;
    const float X = set_up_disc_mooring(1);
    const std::vector<float> RANCQ(150, X);
    const ChainTop top = chain_top(100.0);
    EXPECT_NEAR(top.T_X, 1.0 / 0.341178, 2e-3 * top.T_X); // the analytic dH/dX of the fixture
    const double ca = std::cos(top.alpha);
    const double sa = std::sin(top.alpha);
    const double DTFDAF = top.T_X * ca + top.T_h * sa;
    struct Case {
        const char* name;
        int dof;
        double F_per_ft;
    };
    const Case cases[] = {
        {"surge", 0, DTFDAF * -ca * ca + top.T * -sa * -top.alpha_X},
        {"heave", 2, DTFDAF * sa * -sa + top.T * -ca * top.alpha_h},
    };
    for (const Case& c : cases) {
        for (const float amplitude : {0.1f, -0.5f}) {
            SCOPED_TRACE(::testing::Message() << c.name << ' ' << amplitude);
            std::array<float, 6> DISP{};
            DISP[static_cast<std::size_t>(c.dof)] = amplitude;
            const LineSpringSums sums = DYNSPR(DISP, 0.01f, RANCQ);
            const double F = c.F_per_ft * amplitude;
            EXPECT_NEAR(sums.net[c.dof].real(), F, rel_tol * std::abs(F));
            EXPECT_NEAR(sums.spring[c.dof], std::abs(c.F_per_ft), rel_tol * std::abs(c.F_per_ft));
            EXPECT_EQ(sums.damping[c.dof], 0.0f);
        }
    }
    EXPECT_EQ(console.screen(), "");
}

// A line whose span does not change with its load (LINDRV leaves its derivatives 0) keeps its
// direction but turns with the buoy: its yaw moment is the rigid part H a psi alone. The first
// call of the run warns once naming the line; the second call is silent.
TEST(DYNSPR, LineWithoutSpanDerivativeTurnsWithTheBuoyAndWarnsOnce) {
    reset_program_state();
    ScriptedConsole console;
    const float X = set_up_disc_mooring();
    for (int n = 1; n <= 26; ++n) {
        CATCOM.DXSDH(n, 3) = 0.0f;
        CATCOM.DXSDZF(n, 3) = 0.0f;
    }
    CATCOM.DTFDXF(3) = 0.0f;
    CATCOM.DTFDZF(3) = 0.0f;
    const std::vector<float> RANCQ(150, X);
    const double H = 100.0;
    const double a = 5.0;
    const double expected = 3.0 * H * a * (a + X) / X + H * a;
    const std::array<float, 6> yaw{0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.01f};
    for (int call = 1; call <= 2; ++call) {
        SCOPED_TRACE(call);
        const LineSpringSums sums = DYNSPR(yaw, 0.5f, RANCQ);
        EXPECT_NEAR(sums.spring[5], expected, 1e-4 * expected);
        for (int i = 0; i < 6; ++i) {
            EXPECT_TRUE(std::isfinite(sums.spring[i]));
            EXPECT_TRUE(std::isfinite(sums.damping[i]));
        }
    }
    EXPECT_EQ(
        console.screen(),
        " \n ++> Warning: line   3 hangs vertically at the buoy or its span does not change;\n"
        "     its direction at the buoy turns with the buoy only.\n");
}

TEST(DYNSPR, NoActiveLineGivesZeros) {
    reset_program_state();
    ScriptedConsole console;
    const float X = set_up_disc_mooring();
    for (int i = 1; i <= 4; ++i)
        LINCOM.LINEID(i) = 1024 + 1;
    const std::vector<float> RANCQ(150, X);
    const LineSpringSums sums = DYNSPR({1.0f, 1.0f, 1.0f, 0.1f, 0.1f, 0.1f}, 0.5f, RANCQ);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(sums.spring[i], 0.0f);
        EXPECT_EQ(sums.damping[i], 0.0f);
        EXPECT_EQ(sums.net[i], std::complex<float>(0.0f, 0.0f));
    }
}

} // namespace
} // namespace lintar
