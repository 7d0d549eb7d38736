// Tests of the turn of a mooring line's direction at the disc buoy: a rigid rotation alone,
// the plan turn of a line whose fairlead moves sideways (the geometry of a fixed anchor), the
// vertical-plane turn of both branches, and lines whose turns are not defined.
#include "hulls/disc_line_springs.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>

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
    // A line at 60 degrees from the vertical, moved 1 ft along its plane: the horizontal
    // tension changes by 1 / DXSDH = 100, the top tension by DTFDXF = 2, so the angle by
    // (100 - 2 sin 60) / (cos 60 x 100).
    LineMeanState line = horizontal_line_along_x();
    line.THETA = 1.0471976f;
    LineDirectionChange r = line_direction_change(line, {1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f});
    const double st = std::sin(1.0471976), ct = std::cos(1.0471976);
    EXPECT_NEAR(r.DTHETV, (100.0 - 2.0 * st) / (ct * 100.0), 1e-4);
    EXPECT_NEAR(r.du[2], -st * r.DTHETV, 1e-5);
    // Near horizontal (|cos| <= 0.02) the vertical tension gives it: DTZ = DTZFDH x 100,
    // DTHETV = (DTT cos - DTZ) / (sin x TPTEN0).
    line.THETA = half_pi - 0.01f;
    r = line_direction_change(line, {1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f});
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
    const LineLoad load = line_load_at_buoy({3.0f, 4.0f}, {1.0f, 0.0f, 0.0f}, 100.0f,
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
    LineLoad a;
    a.F = {C(-40.0f, 10.0f), C(1.0f, 1.0f), C(2.0f, 2.0f)};
    a.M = {C(3.0f, 3.0f), C(4.0f, 4.0f), C(5.0f, 5.0f)};
    LineLoad b = a;
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

} // namespace
} // namespace lintar
