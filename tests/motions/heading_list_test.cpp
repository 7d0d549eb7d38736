// Tests of the relative-heading list: LOGFIL's matching rule, LOADN against a list built by
// hand, and the limit of 498 headings.
#include "motions/heading_list.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "support/console.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScriptedConsole;

TEST(Logfil, LastEntryStrictlyWithinFiveHundredthsOfADegree) {
    struct Case {
        const char* name;
        std::vector<float> angles;
        std::int32_t NRAO;
        float heading;
        std::int32_t match;
    };
    const Case cases[] = {
        {"none", {10.0f, 20.0f}, 2, 15.0f, 0},
        {"one", {10.0f, 20.0f}, 2, 20.04f, 2},
        {"a tie goes to the later entry", {10.0f, 10.04f, 30.0f}, 3, 10.02f, 2},
        {"exactly 0.05 away is no match", {0.0f}, 1, 0.05f, 0},
        {"only the first NRAO entries", {10.0f, 20.0f, 20.0f}, 2, 20.0f, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::int32_t MATCH = -1;
        LOGFIL(MATCH, c.heading, c.angles, c.NRAO);
        EXPECT_EQ(MATCH, c.match);
    }
}

class Loadn : public ::testing::Test {
protected:
    ScriptedConsole console{std::string(5, '\n')};
    void SetUp() override { TPCM.EDUNIT = 6; }
};

TEST_F(Loadn, TwoShortCrestedSeaHeadingsWithALockedSwell) {
    TPCM.NDIR = 1;
    TPCM.WAVHDG(1) = 0.0f;
    TPCM.LRANDM = 1;
    TPCM.NSEAHG = 2;
    TPCM.SEAHDG(1) = 0.0f;
    TPCM.SEAHDG(2) = 45.0f;
    TPCM.NA = 4;
    TPCM.ANGSEC = 90.0f;
    TPCM.LSWELL = 1;
    TPCM.LSWLOK = 1;
    TPCM.SWLHDG = 30.0f;
    TPCM.SWLHDG2 = 0.0f;
    WAVCOM.LEXP = 1;
    WAVCOM.DADEG = 22.5f;
    LOADN();

    // By hand: slot 1 the wave heading 0; the swell 30 off each sea heading (30, 75) and the
    // second swell on it (0 reuses slot 1, 45 is new); then the sectors -45..45 (315, 337.5,
    // 0, 22.5, 45) and 0..90 (0, 22.5, 45, 67.5, 90), whose new headings serve the spreading
    // only.
    const std::vector<float> REDANG{0.0f, 30.0f, 75.0f, 45.0f, 315.0f, 337.5f, 22.5f, 67.5f, 90.0f};
    const std::vector<int> LRAO{1, 1, 1, 1, 0, 0, 0, 0, 0};
    ASSERT_EQ(WAVCOM.NRAO, 9);
    for (int i = 1; i <= 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(HIMEM.REDANG(i), REDANG[static_cast<std::size_t>(i - 1)]);
        EXPECT_EQ(HIMEM.LRAO(i), LRAO[static_cast<std::size_t>(i - 1)]);
    }
    EXPECT_EQ(HIMEM.REDANG(10), 0.0f);
    EXPECT_EQ(HIMEM.LRAO(10), 0);
    EXPECT_EQ(HIMEM.ISWL(1), 2);
    EXPECT_EQ(HIMEM.ISWL(2), 3);
    EXPECT_EQ(HIMEM.ISWL2(1), 1);
    EXPECT_EQ(HIMEM.ISWL2(2), 4);
    const int INTGFL1[] = {5, 6, 1, 7, 4};
    const int INTGFL2[] = {1, 7, 4, 8, 9};
    for (int i = 1; i <= 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(HIMEM.INTGFL(i, 1), INTGFL1[i - 1]);
        EXPECT_EQ(HIMEM.INTGFL(i, 2), INTGFL2[i - 1]);
    }
    // Long-crested slots and the swell slots of their own stay empty.
    EXPECT_EQ(HIMEM.IRAN(1), 0);
    EXPECT_EQ(HIMEM.IRAN(2), 0);
    EXPECT_EQ(WAVCOM.ISWELL, 0);
    EXPECT_EQ(WAVCOM.ISWEL2, 0);
}

TEST_F(Loadn, LongCrestedSeasAndASwellThatReusesAWaveHeading) {
    TPCM.NDIR = 2;
    TPCM.WAVHDG(1) = 30.0f;
    TPCM.WAVHDG(2) = -90.0f;
    TPCM.LSWELL = 1;
    TPCM.LSWLOK = 0;
    TPCM.SWLHDG = 30.03f;
    TPCM.LSWEL2 = 1;
    TPCM.SWLHDG2 = 100.0f;
    TPCM.LRANDM = 1;
    TPCM.NSEAHG = 2;
    TPCM.SEAHDG(1) = 270.0f;
    TPCM.SEAHDG(2) = 400.0f;
    WAVCOM.LEXP = 0;
    LOADN();
    EXPECT_EQ(WAVCOM.NRAO, 4);
    EXPECT_EQ(HIMEM.REDANG(2), 270.0f); // -90 reduced
    EXPECT_EQ(WAVCOM.ISWELL, 1);        // within 0.05 of the first wave heading
    EXPECT_EQ(WAVCOM.ISWEL2, 3);
    EXPECT_EQ(HIMEM.IRAN(1), 2);
    EXPECT_EQ(HIMEM.IRAN(2), 4);
    EXPECT_FLOAT_EQ(HIMEM.REDANG(4), 40.0f);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(HIMEM.LRAO(i), 1) << i;
}

// One sea heading, short-crested, NA + 1 distinct steps half a degree apart.
void half_degree_sector(int NA) {
    TPCM.NDIR = 0;
    TPCM.LRANDM = 1;
    TPCM.NSEAHG = 1;
    TPCM.SEAHDG(1) = 0.0f;
    TPCM.NA = NA;
    TPCM.ANGSEC = 0.5f * static_cast<float>(NA);
    WAVCOM.LEXP = 1;
    WAVCOM.DADEG = 0.5f;
}

TEST_F(Loadn, FourHundredNinetyEightHeadingsPass) {
    half_degree_sector(497);
    LOADN();
    EXPECT_EQ(WAVCOM.NRAO, max_relative_headings);
    EXPECT_EQ(HIMEM.INTGFL(498, 1), 498);
    EXPECT_EQ(HIMEM.REDANG(499), 0.0f);
}

TEST_F(Loadn, TheFourHundredNinetyNinthHeadingStopsBeforeItIsStored) {
    half_degree_sector(498);
    EXPECT_EQ(run_until_stop([] { LOADN(); }), StopKind::error);
    EXPECT_NE(console.screen().find(" ++> Too many regular wave raos requested (= 499).\n"
                                    "     Reduce total number to 498 or less\n"),
              std::string::npos)
        << console.screen();
    EXPECT_EQ(WAVCOM.NRAO, 498);
    EXPECT_EQ(HIMEM.REDANG(499), 0.0f);
    EXPECT_EQ(HIMEM.LRAO(499), 0);
    EXPECT_EQ(HIMEM.INTGFL(499, 1), 0);
}

} // namespace
} // namespace lintar
