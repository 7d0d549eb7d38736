// Tests of page 3, more general mooring information: its screen, the per-type counts with their
// check and its way out, the coordinate items, the headings, the excluded lines and their
// packed sets, the mirror pass and the help notes.
#include "mooring_pages/mooring_pages.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "support/mooring_fixture.h"
#include "util/answer_reader.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScriptedConsole;

const std::string prompt = " \n Enter number of selection (\"H\" for help): ";
const std::string pause = " \n Press <RETURN> to continue: ";

// Twenty lines in five types of four lines each; lines 1 to 18 excluded.
void twenty_lines() {
    testing::fill_new_file();
    TPCM.NLIN = 20;
    TPCM.NTYP = 5;
    for (int t = 1; t <= 5; ++t)
        TPCM.NLINE(t) = 4;
    TPCM.NELEM(2) = 2;
    TPCM.NELEM(3) = 3;
    TPCM.VESAN0 = 15.0f;
    TPCM.NEXCLUDE = 18;
    TPCM.IDEXCLUDE1 = (1 << 18) - 1;
}

// The page on a TPCM set up by `arrange`, driven by the console's keys; returns the screen.
std::string run_page(const std::function<void()>& arrange, ScriptedConsole& console) {
    arrange();
    EXPECT_FALSE(run_until_stop([] { MORLN2("3"); }));
    return console.screen();
}

// clang-format off
const std::string twenty_lines_page =
    "  **** Page 3: More General Mooring Information ****\n"
    "\n"
    " 1) Number of mooring legs associated with each type --\n"
    "\n"
    "    4 in Type   1 {A}   4 in Type   2 {B}   4 in Type   3 {C}   4 in Type   4 {D}\n"
    "    4 in Type   5 {E}\n"
    "\n"
    " 2) Number of sublines associated with each type (max 25) --\n"
    "\n"
    "    1 in Type   1 {A}   2 in Type   2 {B}   3 in Type   3 {C}   1 in Type   4 {D}\n"
    "    1 in Type   5 {E}\n"
    "\n"
    " 3) Edit fairlead positions\n"
    " 4) Edit plan-view line departure angles\n"
    "\n"
    "  5) Edit mooring moment evaluation center \n"
    "\n"
    "  7) Vessel heading in quiescent conditions:    15.00 Degrees\n"
    "\n"
    " 10) Number of excluded or broken lines (Max 120):  18\n"
    " 11) Line numbers selected for exclusion:\n"
    "       1,  2,  3,  4,  5,  6,  7,  8,  9, 10, 11, 12, 13, 14, 15, 16,\n"
    "      17, 18,\n";
// clang-format on

TEST(MoreMooringPage, Screen) {
    ScriptedConsole console("\n");
    EXPECT_EQ(run_page(twenty_lines, console), twenty_lines_page + prompt);
    EXPECT_EQ(TPCM.LBACK, 0);
}

TEST(MoreMooringPage, ScreenFollowsTheProgramAndTheArrangement) {
    struct Case {
        std::string name;
        std::int32_t SIMTYP, IARCO;
        std::string present;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {"hawser",
         8,
         1,
         "  **** Page 3: More General Mooring Information <<INCLUDES hawser>> ****\n\n"
         " ++> NOTE: Line number  20 & line type   5 {E} comprise Hawser data\n"
         " 1) Number of mooring legs",
         {}},
        {"hawser items",
         8,
         1,
         " 4) Edit plan-view line departure angles\n\n"
         "  5) Edit mooring moment evaluation center (on buoy)\n"
         "  6) Edit hawser attachment point on storage vessel\n\n"
         "  7) Tanker heading in quiescent conditions:    15.00 Degrees\n"
         "  8) <Buoy> heading in quiescent conditions:     0.00 Degrees\n\n 10)",
         {}},
        {"turret",
         15,
         0,
         "  5) Edit mooring moment evaluation center \n\n"
         "  6) Vessel x-coordinate of turret centroid:    12.50 meters\n"
         "  7) Vessel heading in quiescent conditions:    15.00 Degrees\n\n 10)",
         {"hawser"}},
        {"static mooring",
         7,
         0,
         " 4) Edit plan-view line departure angles\n\n\n 10)",
         {"  5)", "  7)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console("\n");
        const std::string screen = run_page(
            [&] {
                twenty_lines();
                TPCM.SIMTYP = c.SIMTYP;
                TPCM.IARCO = c.IARCO;
                TPCM.NUNTS = 1;
                TPCM.XSALM = 12.5f;
            },
            console);
        EXPECT_NE(screen.find(c.present), std::string::npos) << c.present;
        for (const auto& text : c.absent)
            EXPECT_EQ(screen.find(text), std::string::npos) << text;
    }
    // No exclusions: no item 11, and the list is not rebuilt.
    ScriptedConsole console("\n");
    const std::string screen = run_page(
        [] {
            twenty_lines();
            TPCM.NEXCLUDE = 0;
        },
        console);
    EXPECT_NE(screen.find("(Max 120):   0\n" + prompt), std::string::npos);
}

// Three lines in two types of one line each.
void three_lines_two_types() {
    testing::fill_new_file();
    TPCM.NLIN = 3;
    TPCM.NTYP = 2;
}

TEST(MoreMooringPage, LinesPerTypeMustAddUpToTheTotal) {
    const std::string complaint = " ++> Line number inconsistency; total line # =   2\n" + pause;
    {
        SCOPED_TRACE("a matching edit");
        ScriptedConsole console("1\n1\n2\n\n\n\n");
        run_page(three_lines_two_types, console);
        EXPECT_EQ(TPCM.NLINE(1), 2);
        EXPECT_EQ(TPCM.NLINE(2), 1);
        EXPECT_EQ(console.screen().find("inconsistency"), std::string::npos);
    }
    {
        SCOPED_TRACE("corrected in the re-edit");
        ScriptedConsole console("1\n\n\n1\n2\n\n\n\n");
        const std::string screen = run_page(three_lines_two_types, console);
        EXPECT_EQ(TPCM.NLINE(1), 2);
        EXPECT_NE(screen.find(prompt + complaint + " --- Mooring line type multiplicity ---\n"),
                  std::string::npos);
    }
}

// The counts cannot add up (no line type, or the user gives up): leaving the re-edit unchanged
// restores the counts the item started from and says so, instead of asking forever.
TEST(MoreMooringPage, LinesPerTypeReEditHasAWayOut) {
    const std::string note = "\n ++> NOTE: The previous numbers of legs per type are restored; "
                             "they\n     must add up to the total line # (  3) before a run.\n" +
                             pause;
    {
        SCOPED_TRACE("no line type for the lines");
        ScriptedConsole console("1\n\n\n\n\n\n");
        const std::string screen = run_page(
            [] {
                three_lines_two_types();
                TPCM.NTYP = 0;
            },
            console);
        EXPECT_NE(screen.find(" ++> Line number inconsistency; total line # =   0\n" + pause +
                              " --- Mooring line type multiplicity ---\n\n" +
                              "\n   1) Auto repeat"),
                  std::string::npos);
        EXPECT_NE(screen.find(prompt + note + "  **** Page 3"), std::string::npos);
        EXPECT_EQ(TPCM.LBACK, 0);
    }
    {
        SCOPED_TRACE("an edit that does not fit, then given up");
        ScriptedConsole console("1\n1\n5\n\n\n\n\n\n\n");
        run_page(three_lines_two_types, console);
        EXPECT_EQ(TPCM.NLINE(1), 1);
        EXPECT_EQ(TPCM.NLINE(2), 1);
        EXPECT_NE(console.screen().find(note), std::string::npos);
    }
}

TEST(MoreMooringPage, SublinesPerTypeAreHeldToTheMaximum) {
    ScriptedConsole console("2\n1\n40\n-2\n\n\n");
    run_page(three_lines_two_types, console);
    EXPECT_EQ(TPCM.NELEM(1), 25);
    EXPECT_EQ(TPCM.NELEM(2), 0);
    EXPECT_NE(console.screen().find(" --- Number of sublines for each distinct type ---\n\n"
                                    "   1)      1.00\n   2)      1.00\n"),
              std::string::npos);
}

TEST(MoreMooringPage, CoordinatesAndHeadings) {
    {
        SCOPED_TRACE("fairleads, with the CALM-buoy program's copies");
        ScriptedConsole console("3\n1\n1,2,3\n4,5,6\n\n\n\n");
        run_page(
            [] {
                testing::fill_new_file();
                TPCM.SIMTYP = 13;
                TPCM.NLIN = 2;
                TPCM.HAWSLN = 2;
            },
            console);
        EXPECT_EQ(TPCM.RFLD(1, 1), 1.0f);
        EXPECT_EQ(TPCM.RFLD(3, 2), 6.0f);
        EXPECT_EQ(TPCM.BRACC(2, 1), 2.0f);
        EXPECT_EQ(TPCM.BRACC(3, 2), 6.0f);
        EXPECT_EQ(TPCM.BLNHT, 6.0f);
        EXPECT_NE(console.screen().find(prompt + " ++> Enter coordinates of fairleads\n"),
                  std::string::npos);
    }
    {
        SCOPED_TRACE("moment centre, attachment point and headings with a hawser");
        ScriptedConsole console("5\n1\n0,0,12\n\n6\n1\n-300,0,55\n\n7\n20\n8\n-5\n\n");
        run_page(
            [] {
                testing::fill_new_file();
                TPCM.IARCO = 1;
            },
            console);
        EXPECT_EQ(TPCM.RMCTR(3), 12.0f);
        EXPECT_EQ(TPCM.RACC(1, 1), -300.0f);
        EXPECT_EQ(TPCM.ENDHT, 55.0f);
        EXPECT_EQ(TPCM.XSALM, -300.0f);
        EXPECT_EQ(TPCM.VESAN0, 20.0f);
        EXPECT_EQ(TPCM.BVSAN0, -5.0f);
        EXPECT_NE(console.screen().find(prompt +
                                        "  7) Tanker heading in quiescent conditions:     0.00 "
                                        "Degrees\n Enter new value: "),
                  std::string::npos);
    }
    {
        SCOPED_TRACE("without a hawser items 6 and 8 do nothing; 9 never does");
        ScriptedConsole console("6\n8\n9\n\n");
        run_page(testing::fill_new_file, console);
        EXPECT_EQ(console.screen().find("Enter"), console.screen().find("Enter number"));
        EXPECT_EQ(TPCM.LBACK, 0);
    }
    {
        SCOPED_TRACE("a page command inside a coordinate editor ends the page");
        ScriptedConsole console("3\nB\n");
        run_page(testing::fill_new_file, console);
        EXPECT_EQ(TPCM.LBACK, code_back);
    }
}

TEST(MoreMooringPage, ExcludedLines) {
    {
        SCOPED_TRACE("counts are held to 120; a blank answer keeps the count");
        ScriptedConsole console("10\n130\n10\n\n\n");
        const std::string screen = run_page(testing::fill_new_file, console);
        EXPECT_EQ(TPCM.NEXCLUDE, 120);
        EXPECT_EQ(screen.find("++>"), std::string::npos); // no message
    }
    {
        SCOPED_TRACE("numbers packed into the sets");
        ScriptedConsole console("11\n1\n3\n37\n\n\n");
        const std::string screen = run_page(
            [] {
                testing::fill_new_file();
                TPCM.NLIN = 40;
                TPCM.NEXCLUDE = 2;
            },
            console);
        EXPECT_EQ(TPCM.IDEXCLUDE1, 1 << 2);
        EXPECT_EQ(TPCM.IDEXCLUDE2, 1 << 6);
        EXPECT_NE(screen.find(" --- Lines Selected for Damage or Exclusion ---\n\n"
                              "   1)      0.00\n   2)      0.00\n"),
                  std::string::npos);
        EXPECT_NE(
            screen.find(" 11) Line numbers selected for exclusion:\n       3, 37,\n" + prompt),
            std::string::npos);
    }
    {
        SCOPED_TRACE("numbers outside the lines are asked again");
        ScriptedConsole console("11\n1\n0\n\n\n1\n11\n\n\n1\n4\n\n\n");
        const std::string screen = run_page(
            [] {
                testing::fill_new_file();
                TPCM.NLIN = 10;
                TPCM.NEXCLUDE = 1;
            },
            console);
        EXPECT_EQ(TPCM.IDEXCLUDE1, 1 << 3);
        const std::string complaint = " >>> Please provide   1 valid line numbers...\n" + pause;
        const auto first = screen.find(complaint);
        ASSERT_NE(first, std::string::npos);
        EXPECT_NE(screen.find(complaint, first + 1), std::string::npos); // line 11 of 10
    }
    {
        SCOPED_TRACE("no lines to exclude: the re-edit left unchanged gives up");
        ScriptedConsole console("11\n\n\n\n\n\n");
        const std::string screen = run_page(
            [] {
                testing::fill_new_file();
                TPCM.NLIN = 0;
                TPCM.NEXCLUDE = 2;
                TPCM.IDEXCLUDE1 = 3;
            },
            console);
        EXPECT_EQ(TPCM.IDEXCLUDE1, 3);
        EXPECT_EQ(TPCM.LBACK, 0);
        EXPECT_NE(
            screen.find("\n ++> NOTE: The previous excluded line numbers are restored.\n" + pause),
            std::string::npos);
    }
}

// With more than 120 lines only lines up to 120 can be excluded: line 125 is dropped, and the
// warning comes with every conversion (on entry and when the list is stored).
TEST(MoreMooringPage, LinesBeyond120CannotBeExcluded) {
    const std::string warning =
        "\n\n ++> Line exclusion data; Warning for systems with > 120 lines:\n"
        "     Lines with line numbers > 120 cannot be excluded...\n"
        "     Press <Return> to continue\n";
    ScriptedConsole console("\n11\n1\n5\n125\n\n\n\n\n\n");
    testing::fill_new_file();
    TPCM.NLIN = 130;
    TPCM.NEXCLUDE = 2;
    TPCM.IDEXCLUDE1 = 1; // line 1, replaced below
    MORLN2("3");
    EXPECT_EQ(TPCM.IDEXCLUDE1, 1 << 4);
    EXPECT_EQ(TPCM.IDEXCLUDE2 | TPCM.IDEXCLUDE3 | TPCM.IDEXCLUDE4, 0);
    const std::string screen = console.screen();
    EXPECT_EQ(screen.find(warning), 0u);
    EXPECT_NE(screen.find(warning, 1), std::string::npos);

    console.clear_screen_text();
    MORLN2("3");
    EXPECT_EQ(console.screen().substr(0, warning.size()), warning);
    EXPECT_NE(console.screen().find(" 11) Line numbers selected for exclusion:\n       5,  0,\n"),
              std::string::npos);
}

// The mirror pass writes the page and lists items 1 to 5 (and 6 with a hawser), each listing
// separated by TWOPG; it reads nothing and checks nothing.
TEST(MoreMooringPage, MirrorPassListsTheItems) {
    struct Case {
        std::string name;
        std::int32_t SIMTYP, IARCO;
        std::vector<std::string> listings;
    };
    const std::vector<std::string> common = {
        " --- Mooring line type multiplicity ---\n",
        " --- Number of sublines for each distinct type ---\n",
        " ++> Enter coordinates of fairleads\n",
        " Plan-view GLOBAL Angles (Zero forward; Positive C-clockwise)\n",
    };
    const std::string centre = " ++> Enter mooring moment evaluation center\n";
    const Case cases[] = {
        {"this program", 8, 0, {centre}},
        {"with a hawser", 8, 1, {centre, " ++> Enter hawser attachment point\n"}},
        {"static mooring", 7, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        three_lines_two_types(); // the sum does not fit: no complaint in a mirror pass
        TPCM.SIMTYP = c.SIMTYP;
        TPCM.IARCO = c.IARCO;
        TPCM.LCOPY = 1;
        EXPECT_FALSE(run_until_stop([] { MORLN2("3"); }));
        EXPECT_EQ(TPCM.LBACK, 0);
        std::vector<std::string> listings = common;
        listings.insert(listings.end(), c.listings.begin(), c.listings.end());
        EXPECT_EQ(TPCM.LCOPY, 2 + static_cast<std::int32_t>(listings.size()));
        const std::string screen = console.screen();
        std::size_t at = screen.find(" 10) Number of excluded");
        for (const auto& heading : listings) {
            const auto next = screen.find(heading, at);
            EXPECT_NE(next, std::string::npos) << heading;
            at = next;
        }
        EXPECT_EQ(screen.find("inconsistency"), std::string::npos);
    }
}

TEST(MoreMooringPage, HelpNotes) {
    ScriptedConsole console("?3\n\n?9\n\n\n");
    run_page(testing::fill_new_file, console);
    const std::string screen = console.screen();
    const std::string title = "                 ****  Mooring Definition Notes  ****\n\n";
    EXPECT_NE(screen.find(prompt + title +
                          " ++> Item Number   3\n     Fairleads are given in "
                          "vessel axes: x toward the bow, y to port,\n"),
              std::string::npos);
    EXPECT_NE(screen.find(prompt + title + " ++> Sorry, no help for this line...\n" + pause),
              std::string::npos);
}

} // namespace
} // namespace lintar
