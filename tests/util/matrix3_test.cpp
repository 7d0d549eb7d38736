// The turn about a unit axis of the 3 x 3 kit, against the Rodrigues rotation formula.
#include "util/matrix3.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

namespace lintar {
namespace {

struct AxisCase {
    std::string_view name;
    double x, y, z; // the axis (unit, or rounded just past unit)
    double angle;   // radians
};
// clang-format off
constexpr AxisCase axis_cases[] = {
    {"vertical axis",              0.0, 0.0, 1.0,  0.7},
    {"downward axis",              0.0, 0.0, -1.0, 0.7},
    {"surge axis",                 1.0, 0.0, 0.0,  -0.3},
    {"sway axis",                  0.0, 1.0, 0.0,  1.2},
    {"oblique axis, third octant", -0.48, -0.6, 0.64, 2.5},
    {"oblique axis, heeled",       0.36, -0.48, -0.8, -1.9},
    {"vertical rounded past one",  0.0, 0.0, 1.0000001, 0.4},
};
// clang-format on

// R = cos(a) I + sin(a) [n]x + (1 - cos(a)) n n^T for the unit axis n (the axis as given,
// normalised).
double rodrigues(const AxisCase& c, int i, int j) {
    const double length = std::sqrt(c.x * c.x + c.y * c.y + c.z * c.z);
    const double n[3] = {c.x / length, c.y / length, c.z / length};
    const double cr = std::cos(c.angle);
    const double sr = std::sin(c.angle);
    // [n]x: the cross product n x v as a matrix.
    const double cross_matrix[3][3] = {{0.0, -n[2], n[1]}, {n[2], 0.0, -n[0]}, {-n[1], n[0], 0.0}};
    return (i == j ? cr : 0.0) + sr * cross_matrix[i - 1][j - 1] + (1.0 - cr) * n[i - 1] * n[j - 1];
}

template <class Real> void check_turn(const AxisCase& c, double tol) {
    const Vector3<Real> axis = {static_cast<Real>(c.x), static_cast<Real>(c.y),
                                static_cast<Real>(c.z)};
    const AxisTurn<Real> turn = turn_about_axis(axis, static_cast<Real>(c.angle));
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) {
            SCOPED_TRACE(testing::Message() << "R(" << i << ", " << j << ")");
            EXPECT_NEAR(at(turn.R, i, j), rodrigues(c, i, j), tol);
        }
    // The frame takes the axis to the vertical.
    const Vector3<Real> up = times(turn.ROTVO, axis);
    EXPECT_NEAR(up[0], 0.0, tol);
    EXPECT_NEAR(up[1], 0.0, tol);
    EXPECT_NEAR(up[2], std::sqrt(c.x * c.x + c.y * c.y + c.z * c.z), tol);
}

TEST(TurnAboutAxis, MatchesRodriguesInFloatAndDouble) {
    constexpr double float_tol = 2e-6;   // float rounding of a few products: ~5e-7
    constexpr double double_tol = 1e-12; // a wrong sign or a transposed frame: ~1
    for (const auto& c : axis_cases) {
        SCOPED_TRACE(c.name);
        check_turn<float>(c, float_tol);
        check_turn<double>(c, double_tol);
    }
}

} // namespace
} // namespace lintar
