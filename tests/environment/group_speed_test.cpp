// Tests of the drift routines' group speed against the group speed of linear waves computed
// independently, with g = 9.8 (double-precision Newton solve of w^2 = g k tanh kd, then
// c_g = (w / 2k)(1 + 2kd / sinh 2kd)).
#include "environment/group_speed.h"

#include "support/sea_spectra_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace lintar {
namespace {

TEST(GroupSpeed, AgainstLinearWaveTheory) {
    struct Case {
        double period, depth, expected; // m/s
    };
    for (const Case c :
         {Case{10.0, 50.0, 8.54233}, Case{10.0, 1000.0, 7.79859}, Case{15.0, 30.0, 13.0318}}) {
        SCOPED_TRACE(c.depth);
        const double g = 9.8;
        const double w = 2.0 * std::numbers::pi / c.period;
        const double k = testing::reference_wave_number(w, g, c.depth);
        const double independent =
            w / (2.0 * k) * (1.0 + 2.0 * k * c.depth / std::sinh(2.0 * k * c.depth));
        EXPECT_NEAR(independent, c.expected, 2e-4 * c.expected);
        EXPECT_NEAR(GROUPSPD(static_cast<float>(w), static_cast<float>(k),
                             static_cast<float>(c.depth), static_cast<float>(g)),
                    c.expected, 2e-4 * c.expected);
    }
}

TEST(GroupSpeed, DeepWaterAboveThirty) {
    // Just above kd = 30: exactly half the phase speed; at 30 the finite-depth form.
    const float K = 1.0f;
    EXPECT_EQ(GROUPSPD(1.0f, K, std::nextafter(30.0f, 100.0f), 9.81f), 0.5f);
    // At kd = 30 itself the finite-depth form, which with these numbers is G / 2W, not W / 2K.
    EXPECT_NEAR(GROUPSPD(1.0f, K, 30.0f, 9.81f), 4.905f, 1e-4f);
}

} // namespace
} // namespace lintar
