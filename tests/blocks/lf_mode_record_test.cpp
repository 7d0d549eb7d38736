// Tests of the names of the low-frequency mode words: each lands on the block word that the
// layout of the statistics groups gives it (group 15 starts at word 633 of EQUILB, 51 words
// per mode, surge first).
#include "blocks/equilb.h"
#include "blocks/lf_mode_record.h"
#include "runtime/program_state.h"

#include <cstddef>
#include <cstring>
#include <gtest/gtest.h>

namespace lintar {
namespace {

// Word (1-based) of EQUILB that a name reaches.
int block_word(LfWord word) {
    const auto* base = reinterpret_cast<const unsigned char*>(&EQUILB);
    const auto* at = reinterpret_cast<const unsigned char*>(&lf(word));
    return static_cast<int>((at - base) / 4) + 1;
}

TEST(LfModeRecord, NamesReachTheirBlockWords) {
    reset_program_state();
    struct Case {
        const char* name;
        LfWord word;
        int block_word;
    };
    // Group 15 begins at word 633: word w of mode g is 632 + 51 (g - 1) + w.
    const Case cases[] = {
        {"TSURG", TSURG, 633},
        {"VARTOT", VARTOT, 646},
        {"FSGPK", FSGPK, 653},
        {"GAMFAC", GAMFAC, 656},
        {"PK_SURG_SIDE", PK_SURG_SIDE, 670},
        {"VSWDG_2", VSWDG_2, 677},
        {"DOF1_1", DOF1_1, 683},
        {"TSWAY", TSWAY, 684},
        {"EVRLO", EVRLO, 697},
        {"PK_SWAY_SIDE", PK_SWAY_SIDE, 721},
        {"TYAW", TYAW, 735},
        {"FHIPQS", FHIPQS, 771},
        {"EVR4", EVR4, 799},
        {"TPTCH", TPTCH, 837},
        {"THEV", THEV, 888},
        {"HEAVE_SIGN", HEAVE_SIGN, 925},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(block_word(c.word), c.block_word);
    }
}

TEST(LfModeRecord, RecordViewReadsTheModeByPosition) {
    reset_program_state();
    lf(EVRHI) = 3.5f;
    lf(EVR4) = -2.0f;
    EXPECT_EQ(lf_mode_record(lf_yaw)(VARTOT.w), 3.5f);
    EXPECT_EQ(lf_mode_record(lf_roll)(VARTOT.w), -2.0f);
    EXPECT_EQ(EQUILB.RLSTUF()[VARTOT.w - 1], -2.0f);
    lf_mode_record(lf_sway)(FSGPK.w) = 4.25f;
    EXPECT_EQ(lf(FLOPK), 4.25f);
    reset_program_state();
}

} // namespace
} // namespace lintar
