// Tests of the English/metric conversion of the data.
#include "editor/unit_conversion.h"
#include "support/console.h"

#include "blocks/tpcm.h"

#include <cmath>
#include <gtest/gtest.h>

namespace lintar {
namespace {

class UnitConversion : public ::testing::Test {
protected:
    testing::ScriptedConsole console; // resets TPCM to zero
};

TEST_F(UnitConversion, SiteValuesTowardsMetricAndBack) {
    TPCM.NUNTS = 0;
    TPCM.DEPTH = 100.0f;
    TPCM.DWATR = 64.0f;
    TPCM.TLOAD = 500.0f;
    TPCM.AUXTRQ(1) = 1000.0f;
    convert_all_units(8);
    EXPECT_EQ(TPCM.NUNTS, 1);
    EXPECT_FLOAT_EQ(TPCM.DEPTH, 30.48f);
    const float L = 0.3048f;
    EXPECT_FLOAT_EQ(TPCM.DWATR, 64.0f * (0.45359248f / L) / (L * L));
    EXPECT_NEAR(TPCM.DWATR, 1025.18f, 0.01f); // 64 lbs/cubic foot in kg/m^3 (1025.18)
    EXPECT_FLOAT_EQ(TPCM.TLOAD, 226.79624f);
    EXPECT_FLOAT_EQ(TPCM.AUXTRQ(1), 1000.0f * 0.45359248f * 0.3048f); // a couple: force x length
    convert_all_units(8);
    EXPECT_EQ(TPCM.NUNTS, 0);
    EXPECT_NEAR(TPCM.DEPTH, 100.0f, 1e-4f);
    EXPECT_NEAR(TPCM.DWATR, 64.0f, 1e-4f);
}

TEST_F(UnitConversion, WaveSlopeIsNoLength) {
    TPCM.SLPHT = 0.1f;
    TPCM.LSLPHT = 1;
    TOPCVRT();
    EXPECT_EQ(TPCM.SLPHT, 0.1f);
    TPCM.LSLPHT = 0;
    TOPCVRT();
    EXPECT_FLOAT_EQ(TPCM.SLPHT, 0.1f * 3.2808399f); // NUNTS went back to English
}

TEST_F(UnitConversion, ProfileValuesFollowTheirRule) {
    struct Case {
        std::int32_t lodtyp;
        float factor;
    };
    const Case cases[] = {{0, 1.0f}, {1, 0.3048f}, {2, 0.45359248f}, {3, 0.45359248f}, {7, 1.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lodtyp);
        TPCM.NUNTS = 1; // MORCVRT reads the toggled NUNTS: 1 is towards metric
        TPCM.LODTYP = c.lodtyp;
        TPCM.HTENS(3) = 100.0f;
        MORCVRT();
        EXPECT_FLOAT_EQ(TPCM.HTENS(3), 100.0f * c.factor);
    }
}

TEST_F(UnitConversion, ComplianceCoefficientsTakeInversePowersOfForce) {
    TPCM.NUNTS = 1;
    TPCM.ALPHA(1, 2, 3) = 1.0f;
    TPCM.ALPHA(2, 2, 3) = 1.0f;
    TPCM.ALPHA(3, 2, 3) = 1.0f;
    TPCM.DIAM(2, 3) = 3.0f;
    TPCM.WETWT(2, 3) = 10.0f;
    MORCVRT();
    const float F = 0.45359248f;
    EXPECT_FLOAT_EQ(TPCM.ALPHA(1, 2, 3), 1.0f / F);
    EXPECT_FLOAT_EQ(TPCM.ALPHA(2, 2, 3), 1.0f / (F * F));
    EXPECT_FLOAT_EQ(TPCM.ALPHA(3, 2, 3), 1.0f / (F * F * F));
    EXPECT_FLOAT_EQ(TPCM.DIAM(2, 3), 3.0f * 25.400051f);
    EXPECT_FLOAT_EQ(TPCM.WETWT(2, 3), 10.0f * F / 0.3048f);
}

TEST_F(UnitConversion, SecondBodyByTheVesselRules) {
    TPCM.NUNTS = 1;
    TPCM.DRAFT = 10.0f;
    TPCM.BDRAFT = 20.0f;
    TUGCVRT();
    EXPECT_EQ(TPCM.DRAFT, 10.0f);
    EXPECT_FLOAT_EQ(TPCM.BDRAFT, 20.0f * 0.3048f);
}

TEST_F(UnitConversion, OffsetSpecifications) {
    TPCM.NUNTS = 1;
    TPCM.OFFL(50) = 10.0f;
    TPCM.FRCOFF(1) = 10.0f;
    TPCM.TRQOFF(1) = 10.0f;
    CATCVRT();
    EXPECT_FLOAT_EQ(TPCM.OFFL(50), 3.048f);
    EXPECT_FLOAT_EQ(TPCM.FRCOFF(1), 4.5359248f);
    EXPECT_FLOAT_EQ(TPCM.TRQOFF(1), 10.0f * 0.45359248f * 0.3048f);
}

} // namespace
} // namespace lintar
