// Tests of the English/metric conversion of the data.
#include "datafile/unit_conversion.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "datafile/tpcm_image.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <gtest/gtest.h>
#include <vector>

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

TEST_F(UnitConversion, EveryValueComesBackAfterTwoConversions) {
    // Every word of the image holds 1.5 (the integer words its bit pattern, which no
    // conversion touches), but the words that choose the rules: English units, profile
    // distances, wave heights. One conversion scales each value it touches by one of the
    // factors towards metric; the second brings every word back within float rounding.
    constexpr double L = 0.3048, F = 0.45359248, D = 25.400051;
    const double factors[] = {L, L * L, F,           F / L,           F * L, F / (L * L * L),
                              D, 1 / F, 1 / (F * F), 1 / (F * F * F), F * F, F * L * F * L};
    // The factor pairs are inverse to within 1e-7; four float roundings add a few 1e-7.
    constexpr double rel_tol = 1e-6;
    constexpr float fill = 1.5f;
    const int NUNTS_word = static_cast<int>(offsetof(TpcmBlock, NUNTS) / 4) + 1;
    for (const std::int32_t SIMTYP : {1, 3, 7, 8, 10, 12, 13}) {
        SCOPED_TRACE(SIMTYP);
        set_tpcm_image(
            std::vector<std::uint32_t>(tpcm_word_count, std::bit_cast<std::uint32_t>(fill)));
        TPCM.NUNTS = 0;
        TPCM.LODTYP = 1;
        TPCM.LSLPHT = 0;
        const std::vector<std::uint32_t> before = tpcm_image();

        convert_all_units(SIMTYP);
        EXPECT_EQ(TPCM.NUNTS, 1);
        const std::vector<std::uint32_t> metric = tpcm_image();
        int converted = 0;
        for (int n = 1; n <= tpcm_word_count; ++n) {
            const std::size_t k = static_cast<std::size_t>(n - 1);
            if (n == NUNTS_word || metric[k] == before[k])
                continue;
            ++converted;
            const double ratio = std::bit_cast<float>(metric[k]) / fill;
            bool known = false;
            for (const double factor : factors)
                known = known || std::abs(ratio - factor) <= rel_tol * factor;
            if (!known)
                ADD_FAILURE() << "word " << n << " scaled by " << ratio;
        }
        EXPECT_GT(converted, 0);
        if (SIMTYP == 8) { // the last entries of the largest tables too
            EXPECT_NE(TPCM.ALPHA(3, 25, 150), fill);
            EXPECT_NE(TPCM.DIAM(25, 150), fill);
            EXPECT_NE(TPCM.TRQOFF(50), fill);
        }

        convert_all_units(SIMTYP);
        EXPECT_EQ(TPCM.NUNTS, 0);
        const std::vector<std::uint32_t> back = tpcm_image();
        for (int n = 1; n <= tpcm_word_count; ++n) {
            const std::size_t k = static_cast<std::size_t>(n - 1);
            if (back[k] == before[k])
                continue;
            const float value = std::bit_cast<float>(back[k]);
            if (!(std::abs(value - fill) <= rel_tol * fill))
                ADD_FAILURE() << "word " << n << " came back as " << value;
        }
    }
}

} // namespace
} // namespace lintar
