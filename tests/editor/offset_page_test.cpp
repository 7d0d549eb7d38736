// Tests of page 5, the lateral, yaw and vertical offsets: the screen and what it hides, the
// counts and their limits, the column editor on the arrays (also with damaged counts), the
// yaw senses, the help and the mirror pass.
#include "editor/pages.h"
#include "support/offset_page_support.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"

#include <algorithm>
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

const std::string heading = "       ****  Page 5: \"Hand of God\" Offset Specifications  ****\n";

// clang-format off
const std::string full_page =
    heading +
    "  1) Number of <<lateral>> offset directions (Max 10) ..........  3\n"
    "  2) Number of lateral offsets per direction (Max 50) ..........  2\n"
    "  3) Specify lateral offset directions \n"
    "  4) Specify lateral offset values \n"
    "\n"
    "  5) Number of <<yaw>> offset directions (Max  2) ..............  1\n"
    "  6) Number of yaw offsets per direction (Max 50) ..............  4\n"
    "  7) Specify yaw offset sense \n"
    "  8) Specify yaw offset values \n"
    "\n"
    "  9) Number of <<vertical>> offsets (Max 50) ...................  5\n"
    " 10) Specify vertical offset values \n";
// clang-format on

void all_sequences() {
    TPCM.NLAT = 3;
    TPCM.NOFFL = 2;
    TPCM.NYAW = 1;
    TPCM.NOFFY = 4;
    TPCM.NVERT = 5;
}

TEST(OffsetPage, ScreenShowsTheItemsOfTheArrangement) {
    on_page(CATOFF, "5", "\n", all_sequences,
            [](const PageRun& run) { EXPECT_EQ(run.screen, full_page + selection_prompt); });
    // A buoy in the arrangement: the lateral items only.
    on_page(
        CATOFF, "5", "\n",
        [] {
            all_sequences();
            TPCM.IARCO = 1;
        },
        [](const PageRun& run) {
            EXPECT_EQ(run.screen,
                      full_page.substr(0, full_page.find("\n\n") + 1) + selection_prompt);
        });
    // No sequences: the three counts.
    on_page(
        CATOFF, "5", "\n", [] {},
        [](const PageRun& run) {
            EXPECT_EQ(run.screen,
                      heading +
                          "  1) Number of <<lateral>> offset directions (Max 10) ..........  0\n"
                          "\n"
                          "  5) Number of <<yaw>> offset directions (Max  2) ..............  0\n"
                          "\n"
                          "  9) Number of <<vertical>> offsets (Max 50) ...................  0\n" +
                          selection_prompt);
        });
}

TEST(OffsetPage, CountsAreHeldToTheirLimits) {
    struct Case {
        const char* name;
        std::string keys;
        std::int32_t TpcmBlock::*count;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"12 lateral directions store 10", "1\n12\n", &TpcmBlock::NLAT, 10},
        {"-3 lateral directions store 0", "1\n-3\n", &TpcmBlock::NLAT, 0},
        {"-1 lateral directions store 0", "1\n-1\n", &TpcmBlock::NLAT, 0},
        {"a word keeps the count", "1\nten\n", &TpcmBlock::NLAT, 3},
        {"a blank answer keeps the count", "1\n\n", &TpcmBlock::NLAT, 3},
        {"51 lateral offsets store 50", "2\n51\n", &TpcmBlock::NOFFL, 50},
        {"3 yaw directions store 2", "5\n3\n", &TpcmBlock::NYAW, 2},
        {"60 yaw offsets store 50", "6\n60\n", &TpcmBlock::NOFFY, 50},
        {"99 vertical offsets store 50", "9\n99\n", &TpcmBlock::NVERT, 50},
        {"7 vertical offsets", "9\n7\n", &TpcmBlock::NVERT, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        on_page(CATOFF, "5", c.keys + "\n", all_sequences, [&](const PageRun& run) {
            EXPECT_EQ(TPCM.*c.count, c.expected);
            EXPECT_EQ(run.LBACK, 0);
            // The item's line again before the prompt.
            const std::string item = c.keys.substr(0, c.keys.find('\n'));
            const auto line_start =
                full_page.find("\n" + std::string(3 - item.size(), ' ') + item + ") ") + 1;
            const std::string line =
                full_page.substr(line_start, full_page.find('\n', line_start) + 1 - line_start);
            EXPECT_NE(run.screen.find(selection_prompt + line + new_value_prompt),
                      std::string::npos);
        });
    }
}

TEST(OffsetPage, HiddenItemsOnlyRedraw) {
    // No lateral directions: items 2 to 4 are refused and their data stay.
    on_page(
        CATOFF, "5", "2\n3\n4\n10\n11\n\n",
        [] {
            TPCM.NOFFL = 7;
            TPCM.PHIL(1) = 30.0f;
            TPCM.OFFL(1) = 5.0f;
        },
        [](const PageRun& run) {
            EXPECT_EQ(occurrences(run.screen, heading), 6u);
            EXPECT_EQ(occurrences(run.screen, "Enter"), 6u); // the selection prompts only
            EXPECT_EQ(TPCM.NOFFL, 7);
            EXPECT_EQ(TPCM.PHIL(1), 30.0f);
            EXPECT_EQ(TPCM.OFFL(1), 5.0f);
        });
    // A buoy: items 5 to 10 only redraw.
    on_page(
        CATOFF, "5", "5\n6\n7\n8\n9\n10\n\n",
        [] {
            all_sequences();
            TPCM.IARCO = 1;
        },
        [](const PageRun& run) {
            EXPECT_EQ(occurrences(run.screen, heading), 7u);
            EXPECT_EQ(occurrences(run.screen, "Enter"), 7u);
            EXPECT_EQ(TPCM.NYAW, 1);
            EXPECT_EQ(TPCM.NVERT, 5);
        });
}

TEST(OffsetPage, DirectionsByAutoRepeat) {
    // Three directions, then auto repeat (item 4 of the editor of three rows) from 0 by 45:
    // the whole capacity of ten is filled.
    on_page(
        CATOFF, "5", "1\n3\n3\n4\n0\n45\n\n\n", [] { TPCM.NOFFL = 1; },
        [](const PageRun& run) {
            EXPECT_EQ(TPCM.NLAT, 3);
            for (int k = 1; k <= 10; ++k)
                EXPECT_EQ(TPCM.PHIL(k), 45.0f * static_cast<float>(k - 1)) << "row " << k;
            EXPECT_EQ(TPCM.PHIY(1), 0.0f); // the array after PHIL
            EXPECT_NE(run.screen.find("  3) Specify lateral offset directions \n"
                                      " Lateral offset directions (degrees)\n\n"
                                      "   1)      0.00\n   2)      0.00\n   3)      0.00\n\n"
                                      "   4) Auto repeat\n"),
                      std::string::npos);
            EXPECT_NE(run.screen.find(" Enter starting value:  Enter increment: "
                                      " Lateral offset directions (degrees)\n\n"
                                      "   1)      0.00\n   2)     45.00\n   3)     90.00\n"),
                      std::string::npos);
        });
}

TEST(OffsetPage, BadAnswersInTheEditorChangeNothing) {
    struct Case {
        const char* name;
        std::string keys; // inside the editor of the three directions: 4 to 8 the operations
    };
    const Case cases[] = {
        {"letters for the starting value", "4\nabc\n"},
        {"delete row 0", "5\n0\n"},
        {"delete beyond the count", "5\n4\n"},
        {"nullify beyond the count", "6\n4\n"},
        {"letters for the row", "5\nx\n"},
        {"letters for the constant", "7\nten\n"},
        {"letters for a value", "2\nabc\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        on_page(
            CATOFF, "5", "3\n" + c.keys + "\n\n",
            [] {
                TPCM.NLAT = 3;
                for (int k = 1; k <= 10; ++k)
                    TPCM.PHIL(k) = static_cast<float>(k);
            },
            [](const PageRun&) {
                for (int k = 1; k <= 10; ++k)
                    EXPECT_EQ(TPCM.PHIL(k), static_cast<float>(k)) << "row " << k;
            });
    }
}

TEST(OffsetPage, DamagedCountsStayInsideTheirArrays) {
    // Fifty lateral directions against room for ten: the editor shows ten rows, its menu counts
    // on from 10, and the auto repeat stops at the end of PHIL.
    on_page(
        CATOFF, "5", "3\n11\n1\n1\n\n\n",
        [] {
            TPCM.NLAT = 50;
            TPCM.PHIY(1) = -1.0f;
            TPCM.PHIY(2) = 1.0f;
        },
        [](const PageRun& run) {
            EXPECT_NE(run.screen.find("  10)      0.00\n\n  11) Auto repeat\n"), std::string::npos);
            EXPECT_EQ(run.screen.find("  11)      "), std::string::npos);
            EXPECT_EQ(TPCM.PHIL(10), 10.0f);
            EXPECT_EQ(TPCM.PHIY(1), -1.0f);
            EXPECT_EQ(TPCM.PHIY(2), 1.0f);
            EXPECT_EQ(TPCM.NLAT, 50); // the count itself is the user's to change
        });
    // A negative count from a damaged file: an editor without rows.
    on_page(
        CATOFF, "5", "10\n\n\n", [] { TPCM.NVERT = -4; },
        [](const PageRun& run) {
            EXPECT_NE(run.screen.find(" Vertical offset values ( feet  )" + std::string(13, ' ') +
                                      "\n\n\n"
                                      "   1) Auto repeat\n"),
                      std::string::npos);
        });
    // Eighty lateral values against room for fifty, in metres.
    on_page(
        CATOFF, "5", "4\n\n\n",
        [] {
            TPCM.NLAT = 1;
            TPCM.NOFFL = 80;
            TPCM.NUNTS = 1;
        },
        [](const PageRun& run) {
            EXPECT_NE(
                run.screen.find(" Lateral offset values ( meters)" + std::string(14, ' ') + "\n"),
                std::string::npos);
            EXPECT_NE(run.screen.find("  10)      0.00" + std::string(6, ' ') + " 50)      0.00\n"),
                      std::string::npos);
            EXPECT_NE(run.screen.find("\n\n  51) Auto repeat\n"), std::string::npos);
            EXPECT_EQ(run.screen.find(" 51)      "), std::string::npos);
        });
}

TEST(OffsetPage, YawSensesOtherThanOneAreReviewed) {
    const std::string warning =
        "\n ++> Warning: a specified directional sense has an absolute value other than 1.\n\n"
        "    Press <Return> to continue or -1 to review... ";
    // Row 1 becomes 0.5: the warning; -1 reopens the column, where it is put right.
    on_page(
        CATOFF, "5", "7\n1\n0.5\n\n\n-1\n1\n1\n\n\n\n",
        [] {
            TPCM.NYAW = 2;
            TPCM.NOFFY = 1;
            TPCM.PHIY(1) = 1.0f;
            TPCM.PHIY(2) = -1.0f;
        },
        [&](const PageRun& run) {
            EXPECT_EQ(occurrences(run.screen, warning), 1u);
            // The column opened twice, each time drawn again after the edit.
            EXPECT_EQ(occurrences(run.screen,
                                  " Yaw offset sense (-1 = clockwise, +1 = counter-clockwise)\n"),
                      4u);
            EXPECT_EQ(TPCM.PHIY(1), 1.0f);
            EXPECT_EQ(TPCM.PHIY(2), -1.0f);
            EXPECT_EQ(run.LBACK, 0);
        });
    // Return at the warning keeps 0.5.
    on_page(
        CATOFF, "5", "7\n1\n0.5\n\n\n\n\n",
        [] {
            TPCM.NYAW = 1;
            TPCM.PHIY(1) = 1.0f;
        },
        [&](const PageRun& run) {
            EXPECT_EQ(occurrences(run.screen, warning), 1u);
            EXPECT_EQ(TPCM.PHIY(1), 0.5f);
        });
}

const std::string help_title =
    std::string(15, ' ') + "****  \"Hand of God\" Offset Definition Notes  ****\n\n";

TEST(OffsetPage, HelpForOneItemOrAll) {
    on_page(CATOFF, "5", "?7\n\n\n", all_sequences, [](const PageRun& run) {
        EXPECT_EQ(run.screen, full_page + selection_prompt + help_title +
                                  " ++> Item Number   7\n"
                                  "     Only two yaw sequences exist: clockwise (-1) or "
                                  "counter-clockwise\n"
                                  "     (+1), seen from above.\n\n" +
                                  return_prompt + full_page + selection_prompt);
    });
    on_page(CATOFF, "5", "?12\n\n\n", all_sequences, [](const PageRun& run) {
        EXPECT_NE(run.screen.find(help_title +
                                  " ++> Item Number  12\n"
                                  " ++> Sorry, no help for this line...\n\n" +
                                  return_prompt + full_page),
                  std::string::npos);
    });
    // All notes: three screens (lateral, yaw, vertical), each ended by the pause.
    on_page(CATOFF, "5", "?\n\n\n\n\n", all_sequences, [](const PageRun& run) {
        EXPECT_EQ(occurrences(run.screen, help_title), 3u);
        EXPECT_EQ(occurrences(run.screen, return_prompt), 3u);
        for (int item = 1; item <= 10; ++item)
            EXPECT_EQ(occurrences(run.screen, " ++> Item Number " +
                                                  std::string(item < 10 ? "  " : " ") +
                                                  std::to_string(item) + "\n"),
                      1u)
                << item;
        EXPECT_NE(run.screen.find(" ++> Item Number   4\n" + std::string(5, ' ') +
                                  "The array of lateral offset values common to all lateral\n"
                                  "     directions, in the length unit of the data file.\n\n" +
                                  return_prompt + help_title + " ++> Item Number   5\n"),
                  std::string::npos);
    });
}

TEST(OffsetPage, MirrorPassListsTheArrays) {
    testing::ScratchFolder folder;
    on_page(
        CATOFF, "5", "", // no read
        [] {
            all_sequences();
            TPCM.NOFFY = 0; // no yaw values: only the senses are listed
            TPCM.PHIL(1) = 10.0f;
            TPCM.PHIL(2) = 20.0f;
            TPCM.PHIL(3) = 30.0f;
            TPCM.OFFL(2) = -1.5f;
            TPCM.PHIY(1) = -1.0f;
            TPCM.VRTOFF(5) = 2.25f;
            ASSERT_TRUE(open_unit(1, "CATIN.stxt", OpenStatus::replace, FileForm::formatted));
            TPCM.EDUNIT = 1;
            TPCM.LCOPY = 1;
            TPCM.LBACK = -1980;
        },
        [&](const PageRun& run) {
            EXPECT_EQ(run.stop, std::nullopt);
            EXPECT_EQ(run.LBACK, 0);
            EXPECT_EQ(TPCM.LCOPY, 6);
            close_unit(1);
            std::string page = full_page;
            const std::string yaw_values = "direction (Max 50) ..............  4\n";
            page.replace(page.find(yaw_values), yaw_values.size(),
                         "direction (Max 50) ..............  0\n");
            EXPECT_EQ(folder.read("CATIN.stxt"),
                      page +
                          "\n\n\n"
                          " Lateral offset directions (degrees)\n\n"
                          "   1)     10.00\n   2)     20.00\n   3)     30.00\n"
                          "\f\n"
                          " Lateral offset values ( feet  )" +
                          std::string(14, ' ') +
                          "\n\n"
                          "   1)      0.00\n   2)     -1.50\n"
                          "\n\n\n"
                          " Yaw offset sense (-1 = clockwise, +1 = counter-clockwise)\n\n"
                          "   1)     -1.00\n"
                          "\f\n"
                          " Vertical offset values ( feet  )" +
                          std::string(13, ' ') +
                          "\n\n"
                          "   1)      0.00\n   2)      0.00\n   3)      0.00\n"
                          "   4)      0.00\n   5)      2.25\n"
                          "\n\n\n");
        });
}

} // namespace
} // namespace lintar
