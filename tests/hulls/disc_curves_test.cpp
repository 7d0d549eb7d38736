// Tests of the disc buoy's added-mass and damping fits: the zero-frequency values (the heave
// fit close to the rigid-lid disc value 8/3), the high-frequency limits, and values of the
// formulas computed in double precision by hand.
#include "hulls/disc_curves.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lintar {
namespace {

constexpr float rel_tol = 2e-6f; // float evaluation of exp and pow: a few ulp

using Fit = float (*)(float);

TEST(DiscCurves, ZeroFrequencyValues) {
    EXPECT_NEAR(HMASD(0.0f), 2.7f, 1e-6f);
    // Within 1.3 per cent of the rigid-lid disc's 8/3.
    EXPECT_NEAR(HMASD(0.0f), 8.0 / 3.0, 0.04);
    EXPECT_NEAR(PMASD(0.0f), 0.199f, 1e-6f);
    EXPECT_NEAR(RMASD(0.0f), 0.199f, 1e-6f);
    EXPECT_EQ(SMASD(0.0f), 0.15f);
    for (Fit damping : {SDMPD, PDMPD, RDMPD, HDMPD})
        EXPECT_EQ(damping(0.0f), 0.0f);
}

TEST(DiscCurves, HighFrequencyLimits) {
    EXPECT_NEAR(HMASD(60.0f), 1.0f, 1e-6f);
    EXPECT_NEAR(PMASD(60.0f), 0.11f, 1e-6f);
    EXPECT_NEAR(RMASD(60.0f), 0.11f, 1e-6f);
    EXPECT_EQ(SMASD(60.0f), 0.15f);
    for (Fit damping : {SDMPD, PDMPD, RDMPD})
        EXPECT_LT(damping(60.0f), 1e-15f);
    EXPECT_LT(HDMPD(1.0e4f), 1e-5f); // an algebraic decay, 4.92 Y^-1.429
}

TEST(DiscCurves, ValuesOfTheFormulas) {
    struct Case {
        const char* name;
        Fit f;
        float y;
        double expected; // the formula in double precision
    };
    const Case cases[] = {
        {"SDMPD", SDMPD, 1.5f, 0.12266134280124426}, {"PMASD", PMASD, 1.5f, 0.20912083627620737},
        {"RMASD", RMASD, 1.5f, 0.20912083627620737}, {"PDMPD", PDMPD, 1.5f, 0.08146797946385406},
        {"RDMPD", RDMPD, 1.5f, 0.08146797946385406}, {"HMASD", HMASD, 1.5f, 1.2710717456790588},
        {"HDMPD", HDMPD, 1.5f, 0.7970032287188784},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(c.f(c.y), c.expected, rel_tol * std::abs(c.expected));
    }
}

} // namespace
} // namespace lintar
