// Tests of the angle reductions against their single-precision values.
#include "util/angles.h"

#include <cmath>
#include <gtest/gtest.h>

namespace lintar {
namespace {

struct AngleCase {
    const char* name;
    float (*reduce)(float);
    float angle;
    float expected; // exact single-precision result
};

constexpr float pi = 3.1415927f;

const AngleCase angle_cases[] = {
    {"REDDEG -30", REDDEG, -30.0f, 330.0f},
    {"REDDEG 720", REDDEG, 720.0f, 0.0f},
    {"REDDEG -360", REDDEG, -360.0f, 0.0f},
    {"REDDEG 359.5", REDDEG, 359.5f, 359.5f},
    {"REDDEG2 0", REDDEG2, 0.0f, 0.0f},
    {"REDDEG2 360", REDDEG2, 360.0f, 359.99988f},
    {"REDDEG2 90", REDDEG2, 90.0f, 89.99991f},
    {"DEGSYM 180", DEGSYM, 180.0f, 180.0f},
    {"DEGSYM -180", DEGSYM, -180.0f, 180.0f},
    {"DEGSYM 190", DEGSYM, 190.0f, -170.0f},
    {"DEGSYM -190", DEGSYM, -190.0f, 170.0f},
    {"DEGSYM 540", DEGSYM, 540.0f, 180.0f},
    {"REDRAD -0.1", REDRAD, -0.1f, 6.1831856f},
    {"REDRAD 2pi", REDRAD, 6.2831855f, 0.0f},
    {"ANGSYM pi", ANGSYM, pi, pi},
    {"ANGSYM -pi", ANGSYM, -pi, pi},
    {"ANGSYM 4", ANGSYM, 4.0f, 4.0f - 6.2831855f},
    {"REDRAD_SYM -pi", REDRAD_SYM, -pi, -pi},
    {"REDRAD_SYM pi", REDRAD_SYM, pi, pi},
    {"REDRAD_SYM -4", REDRAD_SYM, -4.0f, -4.0f + 6.2831855f},
};

TEST(Angles, ReduceToTheirRangesInSinglePrecision) {
    for (const auto& c : angle_cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.reduce(c.angle), c.expected);
    }
}

TEST(Angles, RangesHoldOverAWideSweep) {
    for (float a = -1000.0f; a <= 1000.0f; a += 0.73f) {
        SCOPED_TRACE(a);
        const float deg = REDDEG(a);
        EXPECT_TRUE(deg >= 0.0f && deg < 360.0f);
        const float sym = DEGSYM(a);
        EXPECT_TRUE(sym > -180.0f && sym <= 180.0f);
        const float rad = REDRAD(a);
        EXPECT_TRUE(rad >= 0.0f && rad < 6.2831855f);
        const float rsym = ANGSYM(a);
        EXPECT_TRUE(rsym > -pi && rsym <= pi);
        EXPECT_LE(std::fabs(REDRAD_SYM(a)), pi);
    }
}

} // namespace
} // namespace lintar
