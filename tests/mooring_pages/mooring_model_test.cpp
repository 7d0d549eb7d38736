// Tests of the mooring model's encodings: type letters, profile texts and the packed sets of
// excluded lines with their conversion to and from a list (LOADEXCLUDE).
#include "mooring_pages/mooring_model.h"
#include "support/console.h"

#include "runtime/units.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::ScratchFolder;
using testing::ScriptedConsole;

TEST(MooringModel, TypeLettersAndProfileTexts) {
    EXPECT_EQ(line_type_letter(1), 'A');
    EXPECT_EQ(line_type_letter(26), 'Z');
    EXPECT_EQ(line_type_letter(27), '['); // on through the character set
    EXPECT_EQ(line_type_letter(62), '~');
    EXPECT_EQ(line_type_letter(63), '?'); // DEL and beyond cannot be shown
    EXPECT_EQ(profile_text(0), "fairlead line angle");
    EXPECT_EQ(profile_text(1), "distance to anchor ");
    EXPECT_EQ(profile_text(2), "line tension       ");
    EXPECT_EQ(profile_text(3), "horizontal force   ");
    EXPECT_EQ(profile_text(4), "Undefined!         ");
    EXPECT_EQ(profile_text(-1), "Undefined!         ");
}

struct Sets {
    std::int32_t ID1 = 0, ID2 = 0, ID3 = 0, ID4 = 0;
};

// The words of a set as the layout defines them: line n in bit ((n-1) mod 30) + 1 of word
// ((n-1) div 30) + 1.
TEST(MooringModel, ExclusionSetsRoundTripAtTheWordEdges) {
    ScriptedConsole console;
    std::array<std::int32_t, 150> list{};
    list[0] = 1;
    list[1] = 60;
    list[2] = 61;
    list[3] = 120;
    list[4] = 121; // beyond the sets: dropped
    list[5] = 0;   // no line: dropped
    Sets s{7, 7, 7, 7};
    LOADEXCLUDE(6, list, s.ID1, s.ID2, s.ID3, s.ID4, 120, 0, screen_unit);
    EXPECT_EQ(s.ID1, 1);       // line 1: bit 1 of word 1
    EXPECT_EQ(s.ID2, 1 << 29); // line 60: bit 30 of word 2
    EXPECT_EQ(s.ID3, 1);       // line 61: bit 1 of word 3
    EXPECT_EQ(s.ID4, 1 << 29); // line 120: bit 30 of word 4
    for (const int line : {1, 60, 61, 120})
        EXPECT_TRUE(line_in_set(line, s.ID1, s.ID2, s.ID3, s.ID4)) << line;
    for (const int line : {2, 59, 62, 119, 121, 0})
        EXPECT_FALSE(line_in_set(line, s.ID1, s.ID2, s.ID3, s.ID4)) << line;

    std::array<std::int32_t, 150> back;
    back.fill(99);
    LOADEXCLUDE(0, back, s.ID1, s.ID2, s.ID3, s.ID4, 120, 1, screen_unit);
    EXPECT_EQ(back[0], 1);
    EXPECT_EQ(back[1], 60);
    EXPECT_EQ(back[2], 61);
    EXPECT_EQ(back[3], 120);
    EXPECT_EQ(back[4], 99); // no line after 120: the place is left as it was
    EXPECT_EQ(console.screen(), "");
}

TEST(MooringModel, ListReadFromTheSetsEndsWithAZeroWhenLinesFollow) {
    ScriptedConsole console;
    Sets s{(1 << 2) | (1 << 6), 0, 0, 0}; // lines 3 and 7
    std::array<std::int32_t, 150> list;
    list.fill(99);
    LOADEXCLUDE(0, list, s.ID1, s.ID2, s.ID3, s.ID4, 10, 1, screen_unit);
    EXPECT_EQ(list[0], 3);
    EXPECT_EQ(list[1], 7);
    EXPECT_EQ(list[2], 0);
    EXPECT_EQ(list[3], 99);
}

TEST(MooringModel, MoreThan120LinesWarnOnTheConsoleAndWait) {
    ScriptedConsole console("\nnext\n");
    std::array<std::int32_t, 150> list{};
    list[0] = 5;
    list[1] = 125;
    Sets s;
    LOADEXCLUDE(2, list, s.ID1, s.ID2, s.ID3, s.ID4, 130, 0, screen_unit);
    EXPECT_EQ(s.ID1, 1 << 4);
    EXPECT_EQ(s.ID2 | s.ID3 | s.ID4, 0);
    EXPECT_EQ(console.screen(), "\n\n ++> Line exclusion data; Warning for systems with > 120 "
                                "lines:\n"
                                "     Lines with line numbers > 120 cannot be excluded...\n"
                                "     Press <Return> to continue\n");
    EXPECT_EQ(read_answer(4), "next"); // the warning took one line
}

// An unattended run has no one at the keyboard: the warning goes to the diagnostics file and
// nothing is read. That holds in its mirror pass too, where the pages write on unit 1.
TEST(MooringModel, UnattendedRunWarnsInTheDiagnosticsFileWithoutWaiting) {
    for (const int IOSCRN : {diagnostics_unit, 1}) {
        SCOPED_TRACE(IOSCRN);
        ScratchFolder folder;
        ScriptedConsole console("next\n");
        ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                              FileForm::formatted));
        std::array<std::int32_t, 150> list{};
        Sets s{1, 0, 0, 0};
        LOADEXCLUDE(0, list, s.ID1, s.ID2, s.ID3, s.ID4, 121, 1, IOSCRN);
        EXPECT_EQ(list[0], 1);
        close_unit(diagnostics_unit);
        EXPECT_EQ(folder.read("Diagnostics.stxt"),
                  "\n\n ++> Line exclusion data; Warning for systems with > 120 lines:\n"
                  "     Lines with line numbers > 120 cannot be excluded...\n");
        EXPECT_EQ(console.screen(), "");
        EXPECT_EQ(read_answer(4), "next");
    }
}

} // namespace
} // namespace lintar
