// Tests of the Fourier basis of the load coefficients: the harmonics against the standard
// library, the series evaluators, the interpolation between sets and the projected areas.
#include "environment/fourier_basis.h"

#include "blocks/sines.h"
#include "runtime/program_state.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace lintar {
namespace {

class FourierBasis : public ::testing::Test {
protected:
    void SetUp() override { reset_program_state(); }
};

TEST_F(FourierBasis, HarmonicsMatchTheStandardLibrary) {
    for (const double theta : {0.0, 0.3, 1.0, std::numbers::pi / 2, 2.5, -1.2, 3.0, 6.0}) {
        SCOPED_TRACE(theta);
        TRIGLD(static_cast<float>(theta));
        for (int k = 1; k <= 10; ++k) {
            // The angle additions lose a few units of the last place per step.
            EXPECT_NEAR(SINES.S(k), std::sin(k * theta), 2e-6) << "k = " << k;
            EXPECT_NEAR(SINES.C(k), std::cos(k * theta), 2e-6) << "k = " << k;
        }
    }
}

TEST_F(FourierBasis, TheSeriesAtZeroAndAQuarterTurn) {
    std::array<float, 11> A{};
    for (int k = 0; k < 11; ++k)
        A[static_cast<std::size_t>(k)] = static_cast<float>(k + 1); // 1, 2, ..., 11
    TRIGLD(0.0f);
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(SINES.S(k), 0.0f);
        EXPECT_EQ(SINES.C(k), 1.0f);
    }
    EXPECT_EQ(CCOF(A), 66.0f); // the sum of all eleven terms
    EXPECT_EQ(SCOF(A), 0.0f);

    TRIGLD(static_cast<float>(std::numbers::pi / 2));
    EXPECT_FLOAT_EQ(SINES.S(1), 1.0f);
    EXPECT_NEAR(SINES.C(1), 0.0f, 1e-7);
    EXPECT_FLOAT_EQ(SINES.C(2), -1.0f);
    // sin k pi/2: 1, 0, -1, 0, ... so SCOF = 1 - 3 + 5 - 7 + 9 = 5;
    // cos k pi/2: 0, -1, 0, 1, ... so CCOF = 1 - 3 + 5 - 7 + 9 - 11 = -6.
    EXPECT_NEAR(SCOF(A), 5.0f, 1e-4);
    EXPECT_NEAR(CCOF(A), -6.0f, 1e-4);
}

TEST_F(FourierBasis, InterpolationBetweenSets) {
    // Two families of three components: surge a0 only, sway b1 only.
    std::vector<float> low(33, 0.0f), high(33, 0.0f);
    low[0] = 1.0f; // surge a0
    high[0] = 3.0f;
    low[11] = 2.0f; // sway b1
    high[11] = 6.0f;
    TRIGLD(static_cast<float>(std::numbers::pi / 6)); // sin = 0.5
    EXPECT_FLOAT_EQ(INTRPA(1.5f, 1.0f, 2.0f, low, high, 1), 2.0f);
    EXPECT_FLOAT_EQ(INTRPA(1.25f, 1.0f, 2.0f, low, high, 2), 1.0f + 0.25f * 2.0f);
    EXPECT_FLOAT_EQ(INTRPA(3.0f, 1.0f, 2.0f, low, high, 1), 5.0f); // extrapolated
    EXPECT_FLOAT_EQ(INTRPA(7.0f, 1.0f, 1.0f, low, high, 1), 1.0f); // equal bounds: low
    EXPECT_FLOAT_EQ(INTRPB(1.5f, 1.0f, 2.0f, 10.0f, 20.0f), 15.0f);
    EXPECT_FLOAT_EQ(INTRPB(9.0f, 2.0f, 2.0f, 10.0f, 20.0f), 10.0f);
}

TEST_F(FourierBasis, ProjectedAreas) {
    const float deg = static_cast<float>(std::numbers::pi / 180);
    EXPECT_NEAR(APERP(100.0f, 400.0f, 30.0f * deg), 286.60f, 0.01f);
    EXPECT_NEAR(APERP(100.0f, 400.0f, -30.0f * deg), 286.60f, 0.01f);
    // The sum of the projections at every angle, folded over the half turns.
    for (const float angle : {0.0f, 0.4f, 1.0f, 1.6f, 2.0f, 3.0f, 4.0f, -2.5f}) {
        SCOPED_TRACE(angle);
        const float expected =
            100.0f * std::abs(std::cos(angle)) + 400.0f * std::abs(std::sin(angle));
        EXPECT_NEAR(APERP(100.0f, 400.0f, angle), expected, 2e-3f * expected);
        EXPECT_NEAR(APERP(0.0f, 400.0f, angle), 400.0f * std::abs(std::sin(angle)), 0.01f);
        // No lateral area: the frontal area's projection, XAREA |cos|.
        EXPECT_NEAR(APERP(100.0f, 0.0f, angle), 100.0f * std::abs(std::cos(angle)), 0.01f);
    }
    EXPECT_FLOAT_EQ(ELIPS_PROJ(100.0f, 400.0f, 30.0f * deg), 100.0f + 300.0f * 0.25f);
}

} // namespace
} // namespace lintar
