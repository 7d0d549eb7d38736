// Tests of the load-model selectors: the single-model flags, the derived flags with the
// spreading of direction 1, and the start-up step for a missing "LOWDAT" file.
#include "datafile/load_selectors.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <string>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

// A selector word with the codes of directions 1, 2 and 3 (nibbles 1 to 3).
constexpr std::int32_t sel(std::int32_t d1, std::int32_t d2, std::int32_t d3) {
    return d1 + 16 * d2 + 256 * d3;
}
static_assert(sel(1, 1, 1) == 273 && sel(4, 4, 4) == 1092);

TEST(Initfm, OneModelForAllDirections) {
    struct Case {
        std::int32_t LWBARG, LCBARG, LWVCOF;
        std::int32_t SWNFM, SCRFM, SWVFM;
    };
    const Case cases[] = {
        {273, sel(15, 4, 4), 546, 1, 1, 1}, // 15 in direction 1 is the older form of 4
        {sel(3, 4, 1), sel(4, 15, 15), sel(1, 2, 1), 0, 0, 0},          // ... in direction 1 only
        {sel(5, 5, 5) + 4096 * 7, sel(2, 2, 2), sel(3, 3, 2), 1, 1, 0}, // nibble 4 is no direction
        {sel(4, 4, 3), sel(6, 4, 6), sel(0, 0, 0), 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.LWBARG << ' ' << c.LCBARG << ' ' << c.LWVCOF);
        std::int32_t SWNFM = -1, SCRFM = -1, SWVFM = -1;
        INITFM(c.LWBARG, SWNFM, c.LCBARG, SCRFM, c.LWVCOF, SWVFM, screen_unit);
        EXPECT_EQ(SWNFM, c.SWNFM);
        EXPECT_EQ(SCRFM, c.SCRFM);
        EXPECT_EQ(SWVFM, c.SWVFM);
    }
}

TEST(Tnkrid, SpreadsDirectionOneAndDerivesTheFlags) {
    struct Case {
        const char* what;
        std::int32_t LWBARG, SWNFM, LCBARG, SCRFM, LWVCOF, SWVFM; // in
        std::int32_t wind, current, drift;                        // selectors out
        std::int32_t WNDUSR, CURUSR, WAVUSR, LCTNKR, LWTNKR, LWNBRG, LCRBRG;
    };
    const std::int32_t d = 546; // a drift selector of no interest
    // clang-format off
    const Case cases[] = {
        // Each row: the case; wind, SWNFM, current, SCRFM, drift, SWVFM in; the three
        // selectors out; then WNDUSR CURUSR WAVUSR LCTNKR LWTNKR LWNBRG LCRBRG.
        {"current 15,4,4, one model",               273, 1, sel(15, 4, 4), 1, d, 0,
                                                    273, sel(15, 4, 4), d,
              1,     0,     0,     2,     0,     0,     0},
        {"current 6,4,6",                           1092, 0, sel(6, 4, 6), 0, d, 0,
                                                    1092, sel(6, 4, 6), d,
              0,     0,     0,     2,     1,     0,     0},
        {"wind 3,4,1",                              sel(3, 4, 1), 0, 1092, 0, d, 0,
                                                    sel(3, 4, 1), 1092, d,
              1,     0,     0,     2,     1,     1,     0},
        {"wind spread before its flags",            sel(2, 3, 5), 1, sel(2, 2, 1), 0, d, 0,
                                                    sel(2, 2, 2), sel(2, 2, 1), d,
              2,     1,     0,     0,     0,     0,     0},
        {"barge current flag before the spreading", 1092, 0, sel(3, 6, 2), 1, d, 0,
                                                    1092, sel(3, 3, 3), d,
              0,     0,     0,     0,     1,     0,     1},
        {"15 spread as 4",                          sel(5, 5, 5), 0, sel(15, 1, 2), 1, d, 0,
                                                    sel(5, 5, 5), sel(15, 4, 4), d,
              0,     0,     0,     2,     0,     1,     0},
        {"current 6,2,7",                           1092, 0, sel(6, 2, 7), 0, d, 0,
                                                    1092, sel(6, 2, 7), d,
              0,     2,     0,     1,     1,     0,     1},
        {"drift spread",                            1092, 0, 1092, 0, sel(1, 2, 2), 1,
                                                    1092, 1092, 273,
              0,     0,     1,     2,     1,     0,     0},
        {"drift code 1 in direction 2",             1092, 0, 1092, 0, sel(2, 1, 3), 0,
                                                    1092, 1092, sel(2, 1, 3),
              0,     0,     1,     2,     1,     0,     0},
        {"drift 2,3,4",                             1092, 0, 1092, 0, sel(2, 3, 4), 0,
                                                    1092, 1092, sel(2, 3, 4),
              0,     0,     0,     2,     1,     0,     0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::int32_t LWBARG = c.LWBARG, LCBARG = c.LCBARG, LWVCOF = c.LWVCOF;
        std::int32_t WNDUSR = -1, CURUSR = -1, WAVUSR = -1, LCTNKR = -1, LWTNKR = -1, LWNBRG = -1,
                     LCRBRG = -1;
        TNKRID(LWBARG, c.SWNFM, WNDUSR, LCBARG, c.SCRFM, CURUSR, LWVCOF, c.SWVFM, WAVUSR, LCTNKR,
               LWTNKR, LWNBRG, LCRBRG, screen_unit);
        EXPECT_EQ(LWBARG, c.wind);
        EXPECT_EQ(LCBARG, c.current);
        EXPECT_EQ(LWVCOF, c.drift);
        EXPECT_EQ(WNDUSR, c.WNDUSR);
        EXPECT_EQ(CURUSR, c.CURUSR);
        EXPECT_EQ(WAVUSR, c.WAVUSR);
        EXPECT_EQ(LCTNKR, c.LCTNKR);
        EXPECT_EQ(LWTNKR, c.LWTNKR);
        EXPECT_EQ(LWNBRG, c.LWNBRG);
        EXPECT_EQ(LCRBRG, c.LCRBRG);
    }
}

// ---- Missing "LOWDAT" at start-up ----------------------------------------------------------

const std::string note_lines = "\n\n"
                               "                   >>> Input File Characteristics <<< \n"
                               "\n"
                               " ++> LOWDAT file not found. User-specified environmental "
                               "coefficients \n"
                               "     will be missing.\n";
const std::string abort_prompt = "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ";

void set_selectors(std::int32_t wind, std::int32_t current, std::int32_t drift) {
    TPCM.LWBARG = wind;
    TPCM.LCBARG = current;
    TPCM.LWVCOF = drift;
    TPCM.BLWBRG = 273;
    TPCM.BLCBRG = sel(1, 3, 1);
    TPCM.BWVCOF = 273;
    TPCM.EDUNIT = screen_unit;
}

TEST(MissingLowdat, TableCodesFallBackAfterTheNote) {
    struct Case {
        std::int32_t CREATQ;
        char answer;
        std::int32_t BLWBRG, BLCBRG, BWVCOF;
    };
    const Case cases[] = {{13, 'E', 819, 819, 1092},
                          {10, 'M', 819, 819, 546},
                          {12, 'M', 273, sel(1, 3, 1), 273}}; // no second body
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "program type " << c.CREATQ << ", " << c.answer);
        ScratchFolder folder;
        ScriptedConsole console("\n");
        set_selectors(273, sel(2, 1, 4), sel(1, 3, 1));
        char ANSWER = c.answer;
        missing_lowdat_selectors(ANSWER, c.CREATQ);
        EXPECT_EQ(ANSWER, 'M');
        EXPECT_EQ(console.screen(), note_lines + abort_prompt);
        EXPECT_FALSE(unit_is_open(21));
        EXPECT_EQ(folder.read("DATUPWRN.stxt"), note_lines);
        EXPECT_EQ(TPCM.LWBARG, 1092);
        EXPECT_EQ(TPCM.LCBARG, sel(2, 6, 4));
        EXPECT_EQ(TPCM.LWVCOF, sel(2, 3, 2));
        EXPECT_EQ(TPCM.BLWBRG, c.BLWBRG);
        EXPECT_EQ(TPCM.BLCBRG, c.BLCBRG);
        EXPECT_EQ(TPCM.BWVCOF, c.BWVCOF);
    }
}

// The note goes after what the load already wrote to the open note file, which is closed.
TEST(MissingLowdat, NoteJoinsTheLoadsNoteFile) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    ASSERT_TRUE(open_unit(21, "DATUPWRN.stxt", OpenStatus::replace, FileForm::formatted));
    write_record(21, " ++> an earlier note");
    set_selectors(sel(4, 1, 4), 1092, 1092);
    char ANSWER = 'M';
    missing_lowdat_selectors(ANSWER, 15);
    EXPECT_FALSE(unit_is_open(21));
    EXPECT_EQ(folder.read("DATUPWRN.stxt"), " ++> an earlier note\n" + note_lines);
    EXPECT_EQ(TPCM.LWBARG, 1092);
}

TEST(MissingLowdat, AbortAtThePromptStops) {
    ScratchFolder folder;
    ScriptedConsole console("a\n");
    set_selectors(273, 273, 273);
    char ANSWER = 'M';
    const auto stop = run_until_stop([&] { missing_lowdat_selectors(ANSWER, 13); });
    ASSERT_TRUE(stop);
    EXPECT_EQ(*stop, StopKind::user_choice);
    EXPECT_EQ(TPCM.LWBARG, 273); // nothing replaced
    close_all_units();           // as the end of the run does
    EXPECT_EQ(folder.read("DATUPWRN.stxt").substr(0, note_lines.size()), note_lines);
}

// No note when no wind or current direction names the table, or for a new file; a note file
// the load left open is still closed.
TEST(MissingLowdat, NothingToSay) {
    struct Case {
        const char* what;
        std::int32_t wind, current, drift;
        char answer;
        bool load_note_open;
    };
    const Case cases[] = {
        {"drift table only", 1092, sel(4, 6, 2), 273, 'M', false},
        {"new file", 273, 273, 273, 'C', false},
        {"drift table only, the load's notes open", 1092, 1092, 273, 'E', true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder;
        ScriptedConsole console;
        if (c.load_note_open) {
            ASSERT_TRUE(open_unit(21, "DATUPWRN.stxt", OpenStatus::replace, FileForm::formatted));
            write_record(21, " ++> an earlier note");
        }
        set_selectors(c.wind, c.current, c.drift);
        char ANSWER = c.answer;
        missing_lowdat_selectors(ANSWER, 13);
        EXPECT_EQ(ANSWER, c.answer);
        EXPECT_EQ(console.screen(), "");
        EXPECT_FALSE(unit_is_open(21));
        EXPECT_EQ(folder.has("DATUPWRN.stxt"), c.load_note_open);
        if (c.load_note_open) {
            EXPECT_EQ(folder.read("DATUPWRN.stxt"), " ++> an earlier note\n");
        }
        EXPECT_EQ(TPCM.LWBARG, c.wind);
        EXPECT_EQ(TPCM.LCBARG, c.current);
        EXPECT_EQ(TPCM.LWVCOF, c.drift);
        EXPECT_EQ(TPCM.BLWBRG, 273);
    }
}

} // namespace
} // namespace lintar
