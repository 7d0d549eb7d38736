// Tests of page 6, the oblique offsets: the screen and what it hides, the counts, the
// coordinate editors (rows, the origin, page commands typed inside them), the rotation
// senses, the switch of the offsets file, the help and the mirror pass.
#include "editor/pages.h"
#include "support/offset_page_support.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "util/answer_reader.h"

#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::new_value_prompt;
using testing::occurrences;
using testing::on_page;
using testing::PageRun;
using testing::return_prompt;
using testing::selection_prompt;

const std::string heading =
    "       ****  Page 6: \"Hand of God\" Oblique Offset Specifications  ****\n";

// clang-format off
const std::string full_page =
    heading +
    " 1) Number of oblique directions for <<rectilinear>> offsets (Max 10)  2\n"
    " 2) Number of linear offset points per direction (Max 50) ...........  3\n"
    " 3) Specify rectilinear offset directions\n"
    " 4) Specify rectilinear offset values\n"
    "\n"
    " 5) Number of oblique axes for <<rotational>> offsets (Max 10) ......  1\n"
    " 6) Number of rotational offsets per oblique axis (Max 50) ..........  4\n"
    " 7) Specify oblique axis directions\n"
    " 8) Specify oblique axis coordinate origin\n"
    " 9) Specify oblique axis rotational sense\n"
    "10) Specify oblique axis rotational offset values\n"
    "\n"
    "15) Take offset data from INPUTOFF.txt text file .................... Yes\n";
// clang-format on

void all_offsets() {
    TPCM.NRCTDR = 2;
    TPCM.NRCTOF = 3;
    TPCM.NOBLDR = 1;
    TPCM.NOFFOB = 4;
    TPCM.FROMTABLE = 1;
}

const std::string coordinate_columns = "            x          y          z\n";

TEST(ObliqueOffsetPage, ScreenShowsTheItemsOfTheCounts) {
    on_page(CATOF2, "6", "\n", all_offsets,
            [](const PageRun& run) { EXPECT_EQ(run.screen, full_page + selection_prompt); });
    const std::string counts_only =
        heading + " 1) Number of oblique directions for <<rectilinear>> offsets (Max 10)  0\n"
                  "\n"
                  " 5) Number of oblique axes for <<rotational>> offsets (Max 10) ......  0\n";
    on_page(
        CATOF2, "6", "\n", [] {},
        [&](const PageRun& run) {
            EXPECT_EQ(run.screen,
                      counts_only +
                          "\n15) Take offset data from INPUTOFF.txt text file .................... "
                          "No \n" +
                          selection_prompt);
        });
    // The file alone still needs the rotation origin.
    on_page(
        CATOF2, "6", "\n", [] { TPCM.FROMTABLE = 1; },
        [&](const PageRun& run) {
            EXPECT_EQ(run.screen, counts_only +
                                      " 8) Specify oblique axis coordinate origin\n"
                                      "\n15) Take offset data from INPUTOFF.txt text file "
                                      ".................... Yes\n" +
                                      selection_prompt);
        });
}

TEST(ObliqueOffsetPage, OriginWithTheFileAloneWhileTheAxisItemsAreRefused) {
    on_page(
        CATOF2, "6", "8\n1\n1.5,-2,3\n\n6\n7\n9\n10\n11\n\n",
        [] {
            TPCM.FROMTABLE = 1;
            TPCM.NOFFOB = 4;
            TPCM.OBLPTY(1) = 0.5f;
        },
        [](const PageRun& run) {
            EXPECT_EQ(TPCM.ROTCTX, 1.5f);
            EXPECT_EQ(TPCM.ROTCTY, -2.0f);
            EXPECT_EQ(TPCM.ROTCTZ, 3.0f);
            EXPECT_NE(
                run.screen.find(selection_prompt +
                                " ++> Enter oblique axis rotation coordinate origin (Vx,Vy,Vz)\n" +
                                coordinate_columns + "   1)        0.00       0.00       0.00\n" +
                                selection_prompt + " Enter new data for #  1 (x,y,z): " +
                                " ++> Enter oblique axis rotation coordinate origin (Vx,Vy,Vz)\n" +
                                coordinate_columns + "   1)        1.50      -2.00       3.00\n"),
                std::string::npos);
            // Items 6, 7, 9, 10 and 11 only drew the page again.
            EXPECT_EQ(occurrences(run.screen, heading), 7u);
            EXPECT_EQ(run.screen.find(new_value_prompt), std::string::npos);
            EXPECT_EQ(TPCM.NOFFOB, 4);
            EXPECT_EQ(TPCM.OBLPTY(1), 0.5f);
        });
}

TEST(ObliqueOffsetPage, PageCommandsInsideTheEditorsLeaveThePage) {
    struct Case {
        std::string keys;
        std::int32_t LBACK, IPAG;
    };
    const Case cases[] = {
        {"3\nJ9\n", code_jump, 9},
        {"7\nF\n", code_first, 0},
        {"8\nB\n", code_back, 0},
        {"3\nL\n", code_last, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        on_page(CATOF2, "6", c.keys, all_offsets, [&](const PageRun& run) {
            EXPECT_EQ(run.stop, std::nullopt); // returned before the keys ran out
            EXPECT_EQ(run.LBACK, c.LBACK);
            EXPECT_EQ(TPCM.IPAG, c.IPAG);
        });
    }
}

TEST(ObliqueOffsetPage, CountsAreHeldToTheirLimits) {
    struct Case {
        std::string keys;
        std::int32_t TpcmBlock::*count;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"1\n12\n", &TpcmBlock::NRCTDR, 10}, {"2\n70\n", &TpcmBlock::NRCTOF, 50},
        {"5\n11\n", &TpcmBlock::NOBLDR, 10}, {"6\n51\n", &TpcmBlock::NOFFOB, 50},
        {"5\n-1\n", &TpcmBlock::NOBLDR, 0},  {"1\nabc\n", &TpcmBlock::NRCTDR, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        on_page(CATOF2, "6", c.keys + "\n", all_offsets,
                [&](const PageRun&) { EXPECT_EQ(TPCM.*c.count, c.expected); });
    }
}

TEST(ObliqueOffsetPage, OffsetsFileSwitch) {
    on_page(
        CATOF2, "6", "15\n\n", [] {}, [](const PageRun&) { EXPECT_EQ(TPCM.FROMTABLE, 1); });
    on_page(
        CATOF2, "6", "15\n15\n\n", [] {}, [](const PageRun&) { EXPECT_EQ(TPCM.FROMTABLE, 0); });
    // In batch mode the answer is asked for.
    on_page(
        CATOF2, "6", "15\n1\n15\n7\n\n", [] { TPCM.IBATCH = 1; },
        [](const PageRun& run) {
            EXPECT_EQ(TPCM.FROMTABLE, 1);
            EXPECT_EQ(occurrences(run.screen, " Enter 1 for \"Yes\", 0 for \"No\": "), 2u);
        });
}

TEST(ObliqueOffsetPage, RowNumbersOutsideTheDirections) {
    // Copy (item 3 of an editor of two rows) to rows 1 to 5, then to rows 0 to 1: refused.
    for (const std::string rows : {"1,5", "0,1"}) {
        SCOPED_TRACE(rows);
        on_page(
            CATOF2, "6", "3\n3\n" + rows + "\n\n\n\n",
            [] {
                all_offsets();
                TPCM.RCTDIR(1, 1) = 1.0f;
                TPCM.RCTDIR(2, 2) = 1.0f;
            },
            [](const PageRun& run) {
                EXPECT_EQ(occurrences(run.screen,
                                      "\n  >>> Row identification error...\n" + return_prompt),
                          1u);
                EXPECT_EQ(TPCM.RCTDIR(1, 1), 1.0f);
                EXPECT_EQ(TPCM.RCTDIR(2, 1), 0.0f);
                EXPECT_EQ(TPCM.RCTDIR(1, 2), 0.0f);
                EXPECT_EQ(TPCM.RCTDIR(2, 2), 1.0f);
                EXPECT_EQ(run.LBACK, 0);
            });
    }
}

TEST(ObliqueOffsetPage, DamagedCountsStayInsideTheirArrays) {
    // 25 directions against room for ten: the editor shows ten rows.
    on_page(
        CATOF2, "6", "3\n\n\n", [] { TPCM.NRCTDR = 25; },
        [](const PageRun& run) {
            EXPECT_NE(run.screen.find("  10)        0.00       0.00       0.00\n\n"
                                      "  11) Copy a single row to a range of rows\n"),
                      std::string::npos);
        });
    on_page(
        CATOF2, "6", "10\n\n\n",
        [] {
            TPCM.NOBLDR = 1;
            TPCM.NOFFOB = 99;
        },
        [](const PageRun& run) {
            EXPECT_NE(run.screen.find(" Oblique axis rotational offset values (degrees)\n"),
                      std::string::npos);
            EXPECT_NE(run.screen.find("\n\n  51) Auto repeat\n"), std::string::npos);
        });
}

TEST(ObliqueOffsetPage, RotationSensesOtherThanOneAreReviewed) {
    on_page(
        CATOF2, "6", "9\n1\n0.5\n\n-1\n1\n-1\n\n\n",
        [] {
            TPCM.NOBLDR = 1;
            TPCM.OBLPTY(1) = 1.0f;
        },
        [](const PageRun& run) {
            EXPECT_EQ(occurrences(run.screen, " ++> Warning: a specified directional sense "
                                              "has an absolute value other than 1.\n"),
                      1u);
            EXPECT_EQ(occurrences(run.screen, " Rotation sense (+1 advances, -1  retracts a "
                                              "right-handed screw)\n"),
                      4u);
            EXPECT_EQ(TPCM.OBLPTY(1), -1.0f);
        });
}

const std::string help_title =
    std::string(14, ' ') + "****  Oblique Offset Sequence Definition Notes  ****\n\n";

TEST(ObliqueOffsetPage, HelpNotes) {
    const std::string shared_note =
        "     The number of values in the offset array. All sequences of one\n"
        "     kind, rectilinear or rotational, share one array of values.\n\n";
    for (const std::string item : {"2", "6"}) {
        SCOPED_TRACE(item);
        on_page(CATOF2, "6", "?" + item + "\n\n\n", all_offsets, [&](const PageRun& run) {
            EXPECT_EQ(run.screen, full_page + selection_prompt + help_title +
                                      " ++> Item Number   " + item + "\n" + shared_note +
                                      return_prompt + full_page + selection_prompt);
        });
    }
    on_page(CATOF2, "6", "?11\n\n\n", all_offsets, [&](const PageRun& run) {
        EXPECT_NE(run.screen.find(help_title + " ++> Item Number  11\n"
                                               " ++> Sorry, no help for this line...\n"),
                  std::string::npos);
    });
    // All notes: four screens, the shared note once under both numbers.
    on_page(CATOF2, "6", "?\n\n\n\n\n\n", all_offsets, [&](const PageRun& run) {
        EXPECT_EQ(occurrences(run.screen, help_title), 4u);
        EXPECT_EQ(occurrences(run.screen, " ++> Item Numbers  2 and  6\n" + shared_note), 1u);
        EXPECT_NE(run.screen.find(" ++> Item Number  15\n"
                                  "     Offsets can also be read from the text file INPUTOFF.txt"),
                  std::string::npos);
    });
}

TEST(ObliqueOffsetPage, MirrorPassListsTheData) {
    testing::ScratchFolder folder;
    on_page(
        CATOF2, "6", "",
        [] {
            TPCM.NRCTDR = 1;
            TPCM.NRCTOF = 2;
            TPCM.NOBLDR = 1;
            TPCM.RCTDIR(1, 1) = 1.0f;
            TPCM.RCTOFF(2) = 7.5f;
            TPCM.OBLVEC(3, 1) = 1.0f;
            TPCM.ROTCTZ = -12.0f;
            TPCM.OBLPTY(1) = 1.0f;
            ASSERT_TRUE(open_unit(1, "CATIN.stxt", OpenStatus::replace, FileForm::formatted));
            TPCM.EDUNIT = 1;
            TPCM.LCOPY = 2;
        },
        [&](const PageRun& run) {
            EXPECT_EQ(run.LBACK, 0);
            EXPECT_EQ(TPCM.LCOPY, 8);
            close_unit(1);
            EXPECT_EQ(
                folder.read("CATIN.stxt"),
                heading +
                    " 1) Number of oblique directions for <<rectilinear>> offsets (Max 10)  1\n"
                    " 2) Number of linear offset points per direction (Max 50) ...........  2\n"
                    " 3) Specify rectilinear offset directions\n"
                    " 4) Specify rectilinear offset values\n"
                    "\n"
                    " 5) Number of oblique axes for <<rotational>> offsets (Max 10) ......  1\n"
                    " 6) Number of rotational offsets per oblique axis (Max 50) ..........  0\n"
                    " 7) Specify oblique axis directions\n"
                    " 8) Specify oblique axis coordinate origin\n"
                    " 9) Specify oblique axis rotational sense\n"
                    "10) Specify oblique axis rotational offset values\n"
                    "\n"
                    "15) Take offset data from INPUTOFF.txt text file .................... No \n"
                    "\f\n"
                    " ++> Enter offset directions [e.g., X axis = (1,0,0); Y axis = (0,1,0)]\n" +
                    coordinate_columns + "   1)        1.00       0.00       0.00\n" +
                    "\n\n\n"
                    " Rectilinear offset distances ( feet  )       \n\n"
                    "   1)      0.00\n   2)      7.50\n"
                    "\f\n"
                    " ++> Enter oblique axis directions [e.g., Roll = (1,0,0); Pitch = "
                    "(0,1,0)]\n" +
                    coordinate_columns + "   1)        0.00       0.00       1.00\n" +
                    "\n\n\n"
                    " ++> Enter oblique axis rotation coordinate origin (Vx,Vy,Vz)\n" +
                    coordinate_columns + "   1)        0.00       0.00     -12.00\n" +
                    "\f\n"
                    " Rotation sense (+1 advances, -1  retracts a right-handed screw)\n\n"
                    "   1)      1.00\n"
                    "\n\n\n");
        });
}

} // namespace
} // namespace lintar
