// Tests of page 2, general mooring information: its screen for this program and its
// neighbours, the items and their limits, the profile sub-menu, the anchor and bottom
// defaults, the mirror pass and the help notes.
#include "mooring_pages/mooring_pages.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "support/mooring_fixture.h"
#include "util/answer_reader.h"

#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScriptedConsole;

const std::string prompt = " \n Enter number of selection (\"H\" for help): ";

// clang-format off
const std::string new_file_page =
    "  **** Page 2: General Mooring Information ****\n"
    "\n"
    "  1) Number of mooring legs (Max 149) ...................  1\n"
    "  2) Number of distinct mooring leg types (Max 149) .....  1\n"
    "  3) Maximum interpolation table horizontal load ........      0.00 kips       \n"
    "  4) Smallest nonzero horizontal load ...................      0.00 kips       \n"
    "  5) Number of points in interpolation table(s) ......... 90\n"
    "  6) Mean line profile determined by ....................fairlead line angle\n"
    "  7) Modify individual values of fairlead line angle\n"
    "\n"
    "  8) Default bottom friction coefficient ................      0.00\n"
    "  9) Treat LAST line type/number as a hawser ............No \n"
    " 10) Vessel draft .......................................      0.00 feet  \n"
    " 11) Vessel trim angle ..................................      0.00 deg\n"
    " 12) Vessel heel angle ..................................      0.00 deg\n"
    "\n"
    " 16) Reset default Anchor depth .........................      0.00 feet       \n"
    " 17) Specify anchor depths individually .................No \n"
    " 18) Default bottom boundary is \"transparent\" ...........No \n"
    " 19) First buoyant element stays at or below waterline:  No \n";
// clang-format on

TEST(GeneralMooringPage, ScreenOfANewFile) {
    ScriptedConsole console("\n");
    testing::fill_new_file();
    EXPECT_FALSE(run_until_stop([] { MOORLN("2"); }));
    EXPECT_EQ(console.screen(), new_file_page + prompt);
}

TEST(GeneralMooringPage, ScreenFollowsTheProgramAndTheArrangement) {
    struct Case {
        std::string name;
        std::int32_t SIMTYP, IARCO;
        std::vector<std::string> present, absent;
    };
    const Case cases[] = {
        {"hawser",
         8,
         1,
         {"  **** Page 2: General Mooring Information <<INCLUDES hawser>> ****\n\n"
          " ++> NOTE: Line number 12 & line type C comprise Hawser data\n  1) Number",
          "  9) Treat LAST line type/number as a hawser ............Yes\n"
          " 10) Vessel draft .......................................      0.00 meters\n"
          " 11) Buoy draft .........................................      0.00 meters\n\n"},
         {"12) Vessel heel angle"}},
        {"tension-leg platform",
         14,
         0,
         {" ****\n\n ++> NOTE: The first line type (Type \"A\") should contain ONLY tendon data\n"},
         {" 9)", "10)", "11)", "12)"}},
        {"CALM buoy with a yoke",
         13,
         0,
         {"  9) Vessel-buoy attachment means .......................yoke\n\n 16)"},
         {"10)", "hawser>>"}},
        {"static mooring",
         7,
         0,
         {"  3) Max", "  8) Default bottom friction"},
         {" 4)", " 9)", "16)", "19)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console("\n");
        testing::fill_new_file();
        TPCM.SIMTYP = c.SIMTYP;
        TPCM.IARCO = c.IARCO;
        TPCM.NLIN = 12;
        TPCM.NTYP = 3;
        TPCM.NUNTS = 1;
        MOORLN("2");
        const std::string screen = console.screen();
        for (const auto& text : c.present)
            EXPECT_NE(screen.find(text), std::string::npos) << text;
        for (const auto& text : c.absent)
            EXPECT_EQ(screen.find(text), std::string::npos) << text;
        if (c.IARCO == 1) {
            EXPECT_EQ(TPCM.HAWSLN, 12);
            EXPECT_EQ(TPCM.HAWSTP, 3);
        }
    }
}

// Counts are held to their limits without a message; a blank answer or a page command at the
// value prompt keeps the count.
TEST(GeneralMooringPage, CountsAreHeldToTheirLimits) {
    struct Case {
        std::string keys;
        std::int32_t NLIN, NTYP, NUMTAB;
    };
    const Case cases[] = {
        {"1\n200\n\n", 149, 1, 90}, {"1\n-3\n\n", 0, 1, 90}, {"1\n\n\n", 1, 1, 90},
        {"1\nE\n\n", 1, 1, 90},     {"1\n7\n\n", 7, 1, 90},  {"2\n150\n\n", 1, 149, 90},
        {"2\n4\n\n", 1, 4, 90},     {"5\n95\n\n", 1, 1, 90}, {"5\n30\n\n", 1, 1, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        ScriptedConsole console(c.keys);
        testing::fill_new_file();
        TPCM.HAWSLN = 1;
        TPCM.HAWSTP = 1;
        MOORLN("2");
        EXPECT_EQ(TPCM.NLIN, c.NLIN);
        EXPECT_EQ(TPCM.NTYP, c.NTYP);
        EXPECT_EQ(TPCM.NUMTAB, c.NUMTAB);
        EXPECT_EQ(TPCM.HAWSLN, c.NLIN);
        EXPECT_EQ(TPCM.HAWSTP, c.NTYP);
        EXPECT_EQ(TPCM.LBACK, 0);
    }
    ScriptedConsole console("5\n\n\n");
    testing::fill_new_file();
    MOORLN("2");
    EXPECT_NE(console.screen().find(prompt + " Interpolation table size (Max 90):  90\n"
                                             " Enter new value: "),
              std::string::npos);
}

TEST(GeneralMooringPage, RealItemsAndTheirConditions) {
    ScriptedConsole console("3\n1250.5\n4\n\n8\n0.3\n10\n42\n11\n1.5\n12\n-2\n\n");
    testing::fill_new_file();
    TPCM.HMIN = 2.0f;
    MOORLN("2");
    EXPECT_EQ(TPCM.TLOAD, 1250.5f);
    EXPECT_EQ(TPCM.HMIN, 2.0f); // blank answer
    EXPECT_EQ(TPCM.BTFRC0, 0.3f);
    EXPECT_EQ(TPCM.DRAFT, 42.0f);
    EXPECT_EQ(TPCM.TRIMDG, 1.5f);
    EXPECT_EQ(TPCM.HEELDG, -2.0f);
    EXPECT_NE(console.screen().find(
                  prompt + "  3) Maximum interpolation table horizontal load ........      0.00 "
                           "kips       \n Enter new value: "),
              std::string::npos);

    // With a hawser item 11 is the buoy's draft and item 12 does nothing; the static-mooring
    // program has no item 4 or 10.
    ScriptedConsole hawser("11\n7\n12\n\n");
    testing::fill_new_file();
    TPCM.IARCO = 1;
    MOORLN("2");
    EXPECT_EQ(TPCM.BDRAFT, 7.0f);
    EXPECT_EQ(TPCM.TRIMDG, 0.0f);
    ScriptedConsole static_mooring("4\n10\n\n");
    testing::fill_new_file();
    TPCM.SIMTYP = 7;
    MOORLN("2");
    EXPECT_EQ(static_mooring.screen().find("Enter new value"), std::string::npos);
}

TEST(GeneralMooringPage, ProfileSubMenu) {
    const std::string menu = " ----  Mean Line Profile determined by:  ----\n\n\n\n"
                             " 1) Fairlead line angle\n"
                             " 2) Fairlead-anchor horizontal distance\n"
                             " 3) Fairlead line tension\n"
                             " 4) Fairlead horizontal force\n" +
                             prompt;
    struct Case {
        std::string keys;
        std::int32_t LODTYP;
        int menus; // times the sub-menu is shown
    };
    const Case cases[] = {
        {"6\n3\n\n", 2, 1},       {"6\n\n\n", 1, 1},        {"6\n4\n\n", 3, 1},
        {"6\n5\nE\n1\n\n", 0, 3}, {"6\n?2\n\n2\n\n", 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        ScriptedConsole console(c.keys);
        testing::fill_new_file();
        TPCM.LODTYP = 1;
        MOORLN("2");
        EXPECT_EQ(TPCM.LODTYP, c.LODTYP);
        const std::string screen = console.screen();
        int menus = 0;
        for (auto at = screen.find(menu); at != std::string::npos; at = screen.find(menu, at + 1))
            ++menus;
        EXPECT_EQ(menus, c.menus);
    }
    // The static-mooring program offers no fourth choice.
    ScriptedConsole console("6\n4\n\n\n");
    testing::fill_new_file();
    TPCM.SIMTYP = 7;
    MOORLN("2");
    EXPECT_EQ(TPCM.LODTYP, 0);
    EXPECT_EQ(console.screen().find(" 4) Fairlead horizontal force"), std::string::npos);
}

TEST(GeneralMooringPage, ProfileValuesPerLine) {
    ScriptedConsole console("7\n1\n5\n6\n\n\n");
    testing::fill_new_file();
    TPCM.NLIN = 2;
    TPCM.LODTYP = 2;
    MOORLN("2");
    EXPECT_EQ(TPCM.HTENS(1), 5.0f);
    EXPECT_EQ(TPCM.HTENS(2), 6.0f);
    EXPECT_NE(console.screen().find(prompt + " line tension        \n\n   1)      0.00\n"),
              std::string::npos);
}

TEST(GeneralMooringPage, AnchorAndBottomDefaults) {
    const auto set_depths = [] {
        for (int i = 1; i <= 150; ++i)
            TPCM.ANCHGT(i) = 77.0f;
    };
    {
        SCOPED_TRACE("a blank answer keeps the default and every depth");
        ScriptedConsole console("16\n\n\n");
        testing::fill_new_file();
        set_depths();
        MOORLN("2");
        EXPECT_EQ(TPCM.ANCHT0, 0.0f);
        EXPECT_EQ(TPCM.ANCHGT(1), 77.0f);
        EXPECT_NE(console.screen().find(prompt + "\n Current default anchor depth =       0.00\n\n"
                                                 " Enter new value (<RETURN> to abort "
                                                 "replacement): "),
                  std::string::npos);
    }
    {
        SCOPED_TRACE("a new default overwrites all 149 slots");
        ScriptedConsole console("16\n250\n\n");
        testing::fill_new_file();
        set_depths();
        MOORLN("2");
        EXPECT_EQ(TPCM.ANCHT0, 250.0f);
        EXPECT_EQ(TPCM.ANCHGT(1), 250.0f);
        EXPECT_EQ(TPCM.ANCHGT(149), 250.0f);
        EXPECT_EQ(TPCM.ANCHGT(150), 77.0f);
    }
    const std::string warning =
        " ++> Warning: This action, unless aborted below, will replace all\n"
        "              existing anchor depths with the specified default "
        "value.\n\a\n Enter \"A\" to abort or Press <RETURN> to continue: ";
    {
        SCOPED_TRACE("back to the default depth, aborted");
        ScriptedConsole console("17\nA\n\n");
        testing::fill_new_file();
        TPCM.ANCDEF = 1;
        TPCM.ANCHT0 = 30.0f;
        set_depths();
        MOORLN("2");
        EXPECT_EQ(TPCM.ANCDEF, 1);
        EXPECT_EQ(TPCM.ANCHGT(5), 77.0f);
        EXPECT_NE(console.screen().find(prompt + warning), std::string::npos);
    }
    {
        SCOPED_TRACE("back to the default depth");
        ScriptedConsole console("17\n\n\n");
        testing::fill_new_file();
        TPCM.ANCDEF = 1;
        TPCM.ANCHT0 = 30.0f;
        set_depths();
        MOORLN("2");
        EXPECT_EQ(TPCM.ANCDEF, 0);
        EXPECT_EQ(TPCM.ANCHGT(149), 30.0f);
        // And on again, without a warning.
        ScriptedConsole again("17\n\n");
        testing::fill_new_file();
        MOORLN("2");
        EXPECT_EQ(TPCM.ANCDEF, 1);
        EXPECT_EQ(again.screen().find("Warning"), std::string::npos);
    }
    {
        SCOPED_TRACE("a transparent bottom");
        ScriptedConsole console("18\n\n");
        testing::fill_new_file();
        MOORLN("2");
        EXPECT_EQ(TPCM.MOORTP, 0);
        EXPECT_EQ(TPCM.ANCTYP(1), 0);
        EXPECT_EQ(TPCM.ANCTYP(149), 0);
        EXPECT_NE(console.screen().find(
                      " 18) Default bottom boundary is \"transparent\" ...........Yes\n"),
                  std::string::npos);
    }
    {
        SCOPED_TRACE("batch mode asks for the choice");
        ScriptedConsole console("18\n0\n18\n1\n19\n1\n\n");
        testing::fill_new_file();
        TPCM.IBATCH = 1;
        MOORLN("2");
        EXPECT_EQ(TPCM.MOORTP, 0);
        EXPECT_EQ(TPCM.WLFLAG, 1);
        EXPECT_NE(console.screen().find(" Enter 1 for \"Yes\", 0 for \"No\": "), std::string::npos);
    }
}

TEST(GeneralMooringPage, HawserSwitch) {
    ScriptedConsole console("9\n\n");
    testing::fill_new_file();
    MOORLN("2");
    EXPECT_EQ(TPCM.IARCO, 1);
    EXPECT_EQ(TPCM.BIARCO, 1);
    ScriptedConsole batch("9\n0\n\n");
    testing::fill_new_file();
    TPCM.IARCO = 1;
    TPCM.IBATCH = 1;
    MOORLN("2");
    EXPECT_EQ(TPCM.IARCO, 0);
    EXPECT_NE(batch.screen().find(" Enter 1 for \"Hawser\", 0 for \"Yoke\": "), std::string::npos);
}

TEST(GeneralMooringPage, PageCommandsReturnAndOtherItemsRedraw) {
    struct Case {
        std::string keys;
        std::int32_t LBACK;
        int pages;
    };
    const Case cases[] = {
        {"\n", 0, 1},
        {"B\n", code_back, 1},
        {"J5\n", code_jump, 1},
        {"H\n\n", code_redraw, 1},
        {"13\n20\n15\n\n", 0, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        ScriptedConsole console(c.keys);
        testing::fill_new_file();
        MOORLN("2");
        EXPECT_EQ(TPCM.LBACK, c.LBACK);
        const std::string screen = console.screen();
        int pages = 0;
        for (auto at = screen.find("Page 2:"); at != std::string::npos;
             at = screen.find("Page 2:", at + 1))
            ++pages;
        EXPECT_EQ(pages, c.pages);
        if (c.LBACK == code_jump) {
            EXPECT_EQ(TPCM.IPAG, 5);
        }
    }
}

// The mirror pass writes the page and the profile values, separated by TWOPG, and reads
// nothing.
TEST(GeneralMooringPage, MirrorPassListsTheProfileValues) {
    ScriptedConsole console;
    testing::fill_new_file();
    TPCM.LCOPY = 2; // the next TWOPG is the third: a new page
    TPCM.HTENS(1) = 45.0f;
    EXPECT_FALSE(run_until_stop([] { MOORLN("2"); }));
    EXPECT_EQ(TPCM.LBACK, 0);
    EXPECT_EQ(TPCM.LCOPY, 4);
    EXPECT_EQ(console.screen(), new_file_page + " fairlead line angle \n\n   1)     45.00\n\n\n\n");
}

TEST(GeneralMooringPage, HelpNotes) {
    const std::string title = "                 ****  Mooring Definition Notes  ****\n\n";
    {
        ScriptedConsole console("?3\n\n\n");
        testing::fill_new_file();
        MOORLN("2");
        const std::string screen = console.screen();
        EXPECT_NE(screen.find(prompt + title + " ++> Item Number   3\n     The largest horizontal"),
                  std::string::npos);
        EXPECT_NE(screen.find("largest tendon load expected.\n \n Press <RETURN> to continue: "),
                  std::string::npos);
    }
    {
        ScriptedConsole console("?13\n\n\n");
        testing::fill_new_file();
        MOORLN("2");
        EXPECT_NE(console.screen().find(prompt + title +
                                        " ++> Sorry, no help for this line...\n \n Press"),
                  std::string::npos);
    }
    {
        // All notes, screen by screen: every item's heading once, each screen paused.
        ScriptedConsole console("?\n\n\n\n\n\n\n\n\n");
        testing::fill_new_file();
        MOORLN("2");
        const std::string screen = console.screen();
        for (const std::string heading : {" ++> Item Number   1\n", " ++> Item Number   8\n",
                                          " ++> Item Numbers 11 & 12\n", " ++> Item Number  19\n"})
            EXPECT_NE(screen.find(heading), std::string::npos) << heading;
        EXPECT_EQ(TPCM.LBACK, 0);
    }
}

} // namespace
} // namespace lintar
