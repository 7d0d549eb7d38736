// Tests of the word positions of TPCM members: the positions of the layout table, and
// distances between members as word counts.
#include "blocks/tpcm.h"
#include "blocks/tpcm_location.h"

#include <gtest/gtest.h>

namespace lintar {
namespace {

TEST(TpcmLocation, WordPositionsOfTheLayout) {
    struct Case {
        const char* member;
        const void* address;
        int word;
    };
    // Word numbers from the layout of the data image.
    const Case cases[] = {
        {"NTOGO", &TPCM.NTOGO, 1},
        {"USRPSD(1)", &TPCM.USRPSD(1), 218},
        {"USRPSD(40)", &TPCM.USRPSD(40), 257},
        {"T(1)", &TPCM.T(1), 318},
        {"VESTYP", &TPCM.VESTYP, 777},
        {"BVSTYP", &TPCM.BVSTYP, 2011},
        {"SCOMP(1,1)", TPCM.SCOMP(1, 1).data(), 28582},
        {"SCOMP(2,1)", TPCM.SCOMP(2, 1).data(), 28584},
        {"SCOMP(1,1), its fifth byte", TPCM.SCOMP(1, 1).data() + 4, 28583},
        {"EPSDST", &TPCM.EPSDST, 78935},
        {"LAST_CATNCOM", &TPCM.LAST_CATNCOM, 79676},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.member);
        EXPECT_EQ(tpcm_word_of(c.address), c.word);
        EXPECT_EQ(LRHLOC(c.address), c.word);
    }
    // The distance the version update moves the periods by when the spectrum grows.
    EXPECT_EQ(LRHLOC(&TPCM.T(1)) - LRHLOC(&TPCM.USRPSD(41)), 60);
}

#ifndef NDEBUG
TEST(TpcmLocationDeathTest, AVariableOutsideTheBlockStopsADebugBuild) {
    const int outside = 0;
    EXPECT_DEATH((void)LRHLOC(&outside), "not a member of TPCM");
    EXPECT_DEATH((void)LRHLOC(reinterpret_cast<const char*>(&TPCM) + tpcm_byte_count),
                 "not a member of TPCM");
}
#endif

} // namespace
} // namespace lintar
