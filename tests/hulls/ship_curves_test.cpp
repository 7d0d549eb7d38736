// Tests of the ship model's added-mass and damping curves against values of their formulas
// computed in double precision by hand, their limits, and the forward-speed correction.
#include "hulls/ship_curves.h"

#include "blocks/himem.h"
#include "runtime/program_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace lintar {
namespace {

constexpr float rel_tol = 2e-6f; // float evaluation of exp and pow: a few ulp

TEST(ShipCurves, ValuesOfTheFormulasAndTheirLimits) {
    struct Case {
        const char* name;
        std::function<float()> f;
        double expected; // the formula in double precision
    };
    const Case cases[] = {
        {"RMAS(0)", [] { return RMAS(0.0f); }, 1.0},
        {"RMAS(2)", [] { return RMAS(2.0f); }, 0.9357756801531206},
        {"RMAS(60)", [] { return RMAS(60.0f); }, 1.0 / 1.624},
        {"PMAS(0, 0.4)", [] { return PMAS(0.0f, 0.4f); }, 1.0},
        {"PMAS(0, 3)", [] { return PMAS(0.0f, 3.0f); }, 1.0},
        // The formula, not "1 for every x" when PMSRAT is 1: 1 + 3.6 e^-1.825.
        {"PMAS(1, 1)", [] { return PMAS(1.0f, 1.0f); }, 1.5803835188671964},
        {"PMAS(0.5, 0.4)", [] { return PMAS(0.5f, 0.4f); }, 0.7854584035016},
        {"PMAS(60, 0.4)", [] { return PMAS(60.0f, 0.4f); }, 0.4},
        {"HDMP(1)", [] { return HDMP(1.0f); }, 0.8038549175283894},
        {"PDMP(2)", [] { return PDMP(2.0f); }, 0.11904059234727554},
        {"RDMP(1.5)", [] { return RDMP(1.5f); }, 0.08146797946385406},
        {"SDMP(1)", [] { return SDMP(1.0f); }, 0.2839866110054164},
        {"HDMP(0)", [] { return HDMP(0.0f); }, 0.0},
        {"PDMP(0)", [] { return PDMP(0.0f); }, 0.0},
        {"RDMP(0)", [] { return RDMP(0.0f); }, 0.0},
        {"SDMP(0)", [] { return SDMP(0.0f); }, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(c.f(), c.expected, rel_tol * std::abs(c.expected) + 1e-30);
    }
}

TEST(Dpmas0, ZeroFrequencyMassesAndFrequencyScaledDamping) {
    float A33 = 0.0f, A55 = 0.0f, B33 = 0.0f, B55 = 0.0f;
    DPMAS0(A33, A55, B33, B55, 0.7f, 0.0f, 50.0f, 1200.0f, 0.3f, 900.0f, 8.0e5f, 0.4f);
    EXPECT_EQ(A33, 1200.0f);
    EXPECT_EQ(A55, 8.0e5f);
    EXPECT_EQ(B33, 0.0f);
    EXPECT_EQ(B55, 0.0f);

    // At x = 1: HMAS0 (HMSRAT + (1 - HMSRAT)/e), PMAS0 PMAS(1, r), FREQ HDMP(1) HCONST, ...
    DPMAS0(A33, A55, B33, B55, 0.5f, 1.0f, 50.0f, 1200.0f, 0.3f, 900.0f, 8.0e5f, 1.0f);
    EXPECT_NEAR(A33, 1200.0 * (0.3 + 0.7 * std::exp(-1.0)), 1e-3);
    EXPECT_NEAR(A55, 8.0e5 * 1.5803835188671964, 1.0);
    EXPECT_NEAR(B33, 0.5 * 0.8038549175283894 * 50.0, 1e-5);
    EXPECT_NEAR(B55, 0.5 * 0.1 * std::exp(-0.606) * 900.0, 1e-4);
}

TEST(Dammas, SpeedCorrectionFromTheIncomingValues) {
    reset_program_state();
    HIMEM.SHIPL = 100.0f;
    float A33 = 1000.0f, A55 = 5.0e5f, B33 = 200.0f, B55 = 3.0e4f;
    // No speed: nothing changes.
    DAMMAS(A33, A55, B33, B55, 0.25f, 0.0f);
    EXPECT_EQ(A33, 1000.0f);
    EXPECT_EQ(A55, 5.0e5f);
    EXPECT_EQ(B33, 200.0f);
    EXPECT_EQ(B55, 3.0e4f);

    // U = 2, L = 100, we^2 = 0.25: S1 = 24, S2 = -50, S3 = -0.02, all from the old values.
    DAMMAS(A33, A55, B33, B55, 0.25f, 2.0f);
    EXPECT_FLOAT_EQ(A33, 1016.0f);
    EXPECT_FLOAT_EQ(A55, 564000.0f);
    EXPECT_FLOAT_EQ(B33, 180.0f);
    EXPECT_FLOAT_EQ(B55, -15200.0f);

    // A zero encounter frequency leaves the correction out: finite, unchanged values.
    DAMMAS(A33, A55, B33, B55, 0.0f, 2.0f);
    EXPECT_FLOAT_EQ(A33, 1016.0f);
    EXPECT_FLOAT_EQ(A55, 564000.0f);
    EXPECT_FLOAT_EQ(B33, 180.0f);
    EXPECT_FLOAT_EQ(B55, -15200.0f);
    reset_program_state();
}

} // namespace
} // namespace lintar
