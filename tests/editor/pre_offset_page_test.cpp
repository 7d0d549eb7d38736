// Tests of page 9, the pre-offset conditions: the screen in both unit systems, the items each
// option shows and takes, the values, the help and the mirror pass.
#include "editor/pages.h"
#include "support/offset_page_support.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::new_value_prompt;
using testing::occurrences;
using testing::on_page;
using testing::PageRun;
using testing::return_prompt;
using testing::selection_prompt;

const std::string heading = "            ****  Page 9: Pre-Offset Conditions  ****\n";
const std::string blanks11(11, ' '); // after " kips" and " feet" in their 16 columns

// clang-format off
const std::string full_page =
    heading +
    " 1) Compute initial offset from a prescribed force/moment: Yes\n"
    "  2) X force component ........................     120.50 kips" + blanks11 + "\n"
    "  3) Y force component ........................      -3.00 kips" + blanks11 + "\n"
    "  4) Applied moment (force couple) value ......    1000.00 k. ft-lbs \n"
    " 5) Auxiliary force components defined in <<vessel>> coordinate system\n"
    "   ++> Coordinates of Applied Force are in <<vessel>> system\n"
    "  6) Applied force X-coordinate (from c.g.) ...      10.00 feet" + blanks11 + "\n"
    "  7) Applied force Y-coordinate (from c.g.) ...      -2.50 feet" + blanks11 + "\n"
    "10) Apply initial (non-equilibrium) vessel offset: Yes\n"
    "   ++> Initial offset values are relative to the <<global>> system\n"
    " 11) Initial X offset .........................       1.00 feet" + blanks11 + "\n"
    " 12) Initial Y offset .........................       0.00 feet" + blanks11 + "\n"
    " 13) Initial Z offset .........................      -0.25 feet" + blanks11 + "\n"
    " 14) Initial yaw offset .......................      15.00 degrees\n";

const std::string options_off =
    heading +
    " 1) Compute initial offset from a prescribed force/moment: No \n"
    "10) Apply initial (non-equilibrium) vessel offset: No \n";
// clang-format on

void both_options() {
    TPCM.AUXFRC = 1;
    TPCM.XVFRC = 120.5f;
    TPCM.YVFRC = -3.0f;
    TPCM.VESMOM = 1000.0f;
    TPCM.CRDSYS = 1;
    TPCM.XVLOC = 10.0f;
    TPCM.YVLOC = -2.5f;
    TPCM.AUXDSP = 1;
    TPCM.XINIT = 1.0f;
    TPCM.ZINIT = -0.25f;
    TPCM.YWINIT = 15.0f;
}

TEST(PreOffsetPage, ScreenShowsTheItemsOfTheOptions) {
    on_page(CATOF4, "9", "\n", both_options,
            [](const PageRun& run) { EXPECT_EQ(run.screen, full_page + selection_prompt); });
    on_page(
        CATOF4, "9", "\n", [] {},
        [](const PageRun& run) { EXPECT_EQ(run.screen, options_off + selection_prompt); });
    // Metric labels, and the force components in the global system.
    on_page(
        CATOF4, "9", "\n",
        [] {
            both_options();
            TPCM.NUNTS = 1;
            TPCM.CRDSYS = 0;
        },
        [](const PageRun& run) {
            for (const std::string& line : std::vector<std::string>{
                     "  2) X force component ........................     120.50 metric tons" +
                         std::string(4, ' ') + "\n",
                     "  4) Applied moment (force couple) value ......    1000.00 ton-meters\n",
                     " 5) Auxiliary force components defined in <<global>> coordinate system\n",
                     "  7) Applied force Y-coordinate (from c.g.) ...      -2.50 meters" +
                         std::string(9, ' ') + "\n",
                     " 13) Initial Z offset .........................      -0.25 meters" +
                         std::string(9, ' ') + "\n"})
                EXPECT_NE(run.screen.find(line), std::string::npos) << line;
        });
}

TEST(PreOffsetPage, ItemsOfAnOptionThatIsOffOnlyRedraw) {
    on_page(
        CATOF4, "9", "2\n3\n4\n5\n6\n7\n8\n9\n11\n12\n13\n14\n15\n\n",
        [] {
            TPCM.XVFRC = 7.0f;
            TPCM.CRDSYS = 1;
            TPCM.YWINIT = 3.0f;
        },
        [](const PageRun& run) {
            std::string expected;
            for (int k = 0; k < 14; ++k)
                expected += options_off + selection_prompt;
            EXPECT_EQ(run.screen, expected);
            EXPECT_EQ(TPCM.XVFRC, 7.0f);
            EXPECT_EQ(TPCM.CRDSYS, 1);
            EXPECT_EQ(TPCM.YWINIT, 3.0f);
        });
    // With both options on, 8, 9 and 15 still only redraw.
    on_page(CATOF4, "9", "8\n9\n15\n\n", both_options, [](const PageRun& run) {
        EXPECT_EQ(occurrences(run.screen, heading), 4u);
        EXPECT_EQ(run.screen.find(new_value_prompt), std::string::npos);
    });
}

TEST(PreOffsetPage, ValuesWithoutLimits) {
    struct Case {
        std::string keys;
        float TpcmBlock::*value;
        float expected;
    };
    const Case cases[] = {
        {"2\n-1e4\n", &TpcmBlock::XVFRC, -10000.0f}, {"3\n42\n", &TpcmBlock::YVFRC, 42.0f},
        {"4\n2.5E6\n", &TpcmBlock::VESMOM, 2.5e6f},  {"6\n-300\n", &TpcmBlock::XVLOC, -300.0f},
        {"7\n0.125\n", &TpcmBlock::YVLOC, 0.125f},   {"11\n-7.5\n", &TpcmBlock::XINIT, -7.5f},
        {"12\n3\n", &TpcmBlock::YINIT, 3.0f},        {"13\n1.5\n", &TpcmBlock::ZINIT, 1.5f},
        {"14\n400\n", &TpcmBlock::YWINIT, 400.0f},   {"2\nabc\n", &TpcmBlock::XVFRC, 120.5f},
        {"14\n\n", &TpcmBlock::YWINIT, 15.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        on_page(CATOF4, "9", c.keys + "\n", both_options, [&](const PageRun& run) {
            EXPECT_EQ(TPCM.*c.value, c.expected);
            // The item's line again before the prompt.
            const std::string item = c.keys.substr(0, c.keys.find('\n'));
            const auto start =
                full_page.find("\n" + std::string(3 - item.size(), ' ') + item + ") ") + 1;
            const std::string line =
                full_page.substr(start, full_page.find('\n', start) + 1 - start);
            EXPECT_NE(run.screen.find(selection_prompt + line + new_value_prompt + heading),
                      std::string::npos);
        });
    }
}

TEST(PreOffsetPage, Switches) {
    on_page(
        CATOF4, "9", "1\n10\n5\n\n", [] {},
        [](const PageRun& run) {
            EXPECT_EQ(TPCM.AUXFRC, 1);
            EXPECT_EQ(TPCM.AUXDSP, 1);
            EXPECT_EQ(TPCM.CRDSYS, 1); // item 5 once the force items are shown
            EXPECT_EQ(occurrences(run.screen, heading), 4u);
        });
    on_page(
        CATOF4, "9", "1\n1\n10\n0\n\n",
        [] {
            TPCM.IBATCH = 1;
            TPCM.AUXDSP = 1;
        },
        [](const PageRun& run) {
            EXPECT_EQ(TPCM.AUXFRC, 1);
            EXPECT_EQ(TPCM.AUXDSP, 0);
            EXPECT_EQ(occurrences(run.screen, " Enter 1 for \"Yes\", 0 for \"No\": "), 2u);
        });
}

const std::string help_title =
    std::string(18, ' ') + "****  Vessel Environmental Load Notes  ****\n\n";

TEST(PreOffsetPage, HelpNotesUnderTheirHeadings) {
    const std::string point_note =
        "     The plan-view point of application in the vessel system (Vx to the\n"
        "     bow, Vy to port, Vz upwards, origin at the waterplane centroid).\n"
        "     The couple of item 4 acts in addition to the moment of the force.\n\n";
    on_page(
        CATOF4, "9", "?6\n\n\n", [] {},
        [&](const PageRun& run) {
            EXPECT_EQ(run.screen, options_off + selection_prompt + help_title +
                                      " ++> Item Number   6\n" + point_note + return_prompt +
                                      options_off + selection_prompt);
        });
    on_page(
        CATOF4, "9", "?3\n\n\n", [] {},
        [&](const PageRun& run) {
            EXPECT_NE(run.screen.find(" ++> Item Number   3\n     The magnitudes of the force "
                                      "components and of the applied moment.\n\n"),
                      std::string::npos);
        });
    for (const std::string item : {"8", "9", "14", "20", "-2"}) {
        SCOPED_TRACE(item);
        on_page(
            CATOF4, "9", "?" + item + "\n\n\n", [] {},
            [&](const PageRun& run) {
                EXPECT_NE(
                    run.screen.find(" ++> Sorry, no help for this line...\n\n" + return_prompt),
                    std::string::npos);
            });
    }
    // All notes: three screens under the headings 1, 2 -> 4, 5, 6 -> 7, 10 and 11 -> 13.
    on_page(
        CATOF4, "9", "?\n\n\n\n\n", [] {},
        [&](const PageRun& run) {
            EXPECT_EQ(occurrences(run.screen, help_title), 3u);
            EXPECT_EQ(occurrences(run.screen, return_prompt), 3u);
            std::size_t at = 0;
            for (const std::string& line : std::vector<std::string>{
                     " ++> Item Number   1\n", " ++> Item Numbers  2 -> 4\n",
                     " ++> Item Number   5\n", " ++> Item Numbers  6 -> 7\n" + point_note,
                     " ++> Item Number  10\n", " ++> Item Numbers 11 -> 13\n"}) {
                at = run.screen.find(line, at);
                EXPECT_NE(at, std::string::npos) << line;
            }
        });
}

TEST(PreOffsetPage, MirrorPassWritesThePage) {
    testing::ScratchFolder folder;
    on_page(
        CATOF4, "9", "",
        [] {
            both_options();
            ASSERT_TRUE(open_unit(1, "CATIN.stxt", OpenStatus::replace, FileForm::formatted));
            TPCM.EDUNIT = 1;
            TPCM.LCOPY = 4;
            TPCM.LBACK = 3;
        },
        [&](const PageRun& run) {
            EXPECT_EQ(run.LBACK, 0);
            EXPECT_EQ(TPCM.LCOPY, 5);
            close_unit(1);
            EXPECT_EQ(folder.read("CATIN.stxt"), full_page + "\f\n");
        });
}

} // namespace
} // namespace lintar
