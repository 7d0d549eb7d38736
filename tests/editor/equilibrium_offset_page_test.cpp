// Tests of page 7, the "continuous equilibrium" offsets: the screen and what it hides, the
// pairing of forces and couples, the CALM hawser's horizontal forces, the vertical grid, the
// help, the mirror pass, and the choice between pages 8 and 9 that the page's counts make.
#include "editor/pages.h"
#include "support/offset_page_support.h"

#include "blocks/tpcm.h"
#include "editor/page_loop.h"
#include "runtime/units.h"
#include "util/answer_reader.h"

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

const std::string heading =
    "  ****  Page 7: \"Continuous Equilibrium\" Static Offset Specifications  ****\n";

// clang-format off
const std::string full_page =
    heading +
    " 1) Number of directions for FORCE application (Max 10) .......  2\n"
    " 2) Number of specified forces per direction (Max 50) .........  3\n"
    " 3) Specify force directions\n"
    " 4) Specify force values\n"
    " 5) Specify point of force application on vessel\n"
    " 6) Force direction specified relative to VESSEL coordinate system\n"
    " 7) Number of axes for force couple application (Max 10) ......  2\n"
    " 8) Number of specified force couples per direction (Max 50) ..  3\n"
    " 9) Specify force couple axis directions\n"
    "10) Specify force couple values\n"
    "11) Force couple axis specified relative to GLOBAL coordinate system\n"
    "12) Apply forces & force couples <<simultaneously>>\n"
    "14) Override default selection of vertical interpolation grid   Yes\n"
    "15) Number of vertical interpolation layers (Max 29, Min 3) ...  9\n"
    "16) Total span of vertical interpolation region ...............  12.50 meters\n";

const std::string pairing_message =
    " ++> To SIMULTANEOUSLY apply forces and force couples for\n"
    "     \"continuous equilibrium\" offsets, the specified number\n"
    "     of force and moment DIRECTIONS must first be equal,\n"
    "     as must thenumber of applied forces/moments PER DIRECTION.\n";

const std::string horizontal_message =
    " ++> For CALM-hawser-type systems, all specified force directions\n"
    "     MUST be in the horizontal plane with a zero \"z\" component,\n"
    "     for example (x,y,z) = (1,1,0)...\n";
// clang-format on

void forces_and_couples() {
    TPCM.NFCDIR = 2;
    TPCM.NFCOFF = 3;
    TPCM.NTQDIR = 2;
    TPCM.NTQOFF = 3;
    TPCM.MTCHFT = 1;
    TPCM.FCVES = 1;
    TPCM.OVRIDE = 1;
    TPCM.NLAYER = 9;
    TPCM.ZSPAN = 12.5f;
    TPCM.NUNTS = 1;
}

TEST(EquilibriumOffsetPage, ScreenShowsTheItemsOfTheArrangement) {
    on_page(CATOF3, "7", "\n", forces_and_couples,
            [](const PageRun& run) { EXPECT_EQ(run.screen, full_page + selection_prompt); });
    // No offsets of any kind: the two counts, no grid items.
    on_page(
        CATOF3, "7", "\n", [] {},
        [](const PageRun& run) {
            EXPECT_EQ(run.screen,
                      heading +
                          " 1) Number of directions for FORCE application (Max 10) .......  0\n"
                          " 7) Number of axes for force couple application (Max 10) ......  0\n" +
                          selection_prompt);
        });
    // A CALM hawser: the force items 1 to 4 and the grid; items 5 to 12 only redraw.
    on_page(
        CATOF3, "7", "5\n6\n7\n8\n12\n\n",
        [] {
            forces_and_couples();
            TPCM.IARCO = 1;
            TPCM.OVRIDE = 0;
        },
        [](const PageRun& run) {
            const std::string page =
                heading + " 1) Number of directions for FORCE application (Max 10) .......  2\n"
                          " 2) Number of specified forces per direction (Max 50) .........  3\n"
                          " 3) Specify force directions\n"
                          " 4) Specify force values\n"
                          "14) Override default selection of vertical interpolation grid   No \n";
            std::string expected;
            for (int k = 0; k < 6; ++k)
                expected += page + selection_prompt;
            EXPECT_EQ(run.screen, expected);
            EXPECT_EQ(TPCM.FCVES, 1);
            EXPECT_EQ(TPCM.MTCHFT, 1);
        });
    // The file of offsets alone moves fairleads vertically: the grid items.
    on_page(
        CATOF3, "7", "\n", [] { TPCM.FROMTABLE = 1; },
        [](const PageRun& run) {
            EXPECT_NE(
                run.screen.find(
                    "\n14) Override default selection of vertical interpolation grid   No \n" +
                    selection_prompt),
                std::string::npos);
        });
}

TEST(EquilibriumOffsetPage, LayersAreOddFromThreeToTwentyNine) {
    struct Case {
        std::string answer;
        std::int32_t NLAYER;
    };
    const Case cases[] = {{"8", 9},  {"30", 29}, {"1", 3},   {"2", 3},
                          {"-4", 3}, {"29", 29}, {"abc", 9}, {"", 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        on_page(CATOF3, "7", "15\n" + c.answer + "\n\n", forces_and_couples,
                [&](const PageRun&) { EXPECT_EQ(TPCM.NLAYER, c.NLAYER); });
    }
    on_page(CATOF3, "7", "16\n-3.25\n\n", forces_and_couples,
            [](const PageRun&) { EXPECT_EQ(TPCM.ZSPAN, -3.25f); }); // no limit
}

TEST(EquilibriumOffsetPage, UnpairedCountsSwitchToSeparateApplication) {
    // Three force and three couple directions of five values each, applied together; two
    // couple axes break the pairing.
    const auto paired = [] {
        forces_and_couples();
        TPCM.NFCDIR = 3;
        TPCM.NFCOFF = 5;
        TPCM.NTQDIR = 3;
        TPCM.NTQOFF = 5;
    };
    on_page(CATOF3, "7", "7\n2\n\n\n", paired, [](const PageRun& run) {
        EXPECT_EQ(TPCM.MTCHFT, 0);
        EXPECT_EQ(TPCM.NTQDIR, 2);
        EXPECT_NE(run.screen.find(selection_prompt + new_value_prompt + pairing_message +
                                  return_prompt + heading),
                  std::string::npos);
        EXPECT_NE(run.screen.find("12) Apply forces & force couples <<separately>>\n"),
                  std::string::npos);
    });
    // Every count item checks the pairing.
    for (const std::string keys : {"1\n4\n", "2\n6\n", "8\n1\n"}) {
        SCOPED_TRACE(keys);
        on_page(CATOF3, "7", keys + "\n\n", paired, [](const PageRun& run) {
            EXPECT_EQ(TPCM.MTCHFT, 0);
            EXPECT_EQ(occurrences(run.screen, pairing_message), 1u);
        });
    }
    // A change that keeps the pairing says nothing.
    on_page(CATOF3, "7", "2\n5\n\n", paired, [](const PageRun& run) {
        EXPECT_EQ(TPCM.MTCHFT, 1);
        EXPECT_EQ(occurrences(run.screen, pairing_message), 0u);
    });
    // Item 12 refuses simultaneous application of unpaired counts, and allows it once they pair.
    on_page(
        CATOF3, "7", "12\n\n7\n3\n12\n\n",
        [&] {
            paired();
            TPCM.NTQDIR = 2;
            TPCM.MTCHFT = 0;
        },
        [](const PageRun& run) {
            EXPECT_EQ(occurrences(run.screen, pairing_message), 1u);
            EXPECT_EQ(TPCM.MTCHFT, 1);
        });
    // Back to separate application at any time; in batch mode by the answer.
    on_page(
        CATOF3, "7", "12\n0\n\n",
        [&] {
            paired();
            TPCM.IBATCH = 1;
        },
        [](const PageRun& run) {
            EXPECT_EQ(TPCM.MTCHFT, 0);
            EXPECT_NE(run.screen.find(" Enter 1 for \"Simultaneously\", 0 for \"Separately\": "),
                      std::string::npos);
        });
}

TEST(EquilibriumOffsetPage, CalmHawserForcesStayHorizontal) {
    // A vertical part in the one direction: the message, then the editor again, where the
    // direction is put right.
    on_page(
        CATOF3, "7", "3\n1\n1,0,1\n\n\n1\n1,1,0\n\n\n",
        [] {
            TPCM.IARCO = 1;
            TPCM.NFCDIR = 1;
            TPCM.NFCOFF = 1;
            TPCM.FRCVEC(1, 1) = 1.0f;
        },
        [](const PageRun& run) {
            EXPECT_EQ(occurrences(run.screen, horizontal_message + return_prompt), 1u);
            // Opened twice, each time drawn again after the row's edit.
            EXPECT_EQ(occurrences(run.screen, " ++> Enter force directions [e.g., X axis = "
                                              "(1,0,0); Y axis = (0,1,0)]\n"),
                      4u);
            EXPECT_EQ(TPCM.FRCVEC(1, 1), 1.0f);
            EXPECT_EQ(TPCM.FRCVEC(2, 1), 1.0f);
            EXPECT_EQ(TPCM.FRCVEC(3, 1), 0.0f);
            EXPECT_EQ(run.LBACK, 0);
        });
    // A vessel moored directly may pull in any direction.
    on_page(
        CATOF3, "7", "3\n1\n0,0,1\n\n\n",
        [] {
            TPCM.NFCDIR = 1;
            TPCM.NFCOFF = 1;
        },
        [](const PageRun& run) {
            EXPECT_EQ(occurrences(run.screen, horizontal_message), 0u);
            EXPECT_EQ(TPCM.FRCVEC(3, 1), 1.0f);
        });
}

TEST(EquilibriumOffsetPage, PointSystemsAndPageCommandsInsideTheEditors) {
    on_page(CATOF3, "7", "5\n1\n0.5,0,-4\n\n6\n11\n\n", forces_and_couples, [](const PageRun& run) {
        EXPECT_EQ(TPCM.FAPPNT(1), 0.5f);
        EXPECT_EQ(TPCM.FAPPNT(3), -4.0f);
        EXPECT_EQ(TPCM.FCVES, 0);
        EXPECT_EQ(TPCM.TQVES, 1);
        EXPECT_NE(
            run.screen.find(" 6) Force direction specified relative to GLOBAL coordinate system\n"
                            " 7) Number"),
            std::string::npos);
    });
    on_page(
        CATOF3, "7", "11\n1\n\n",
        [] {
            forces_and_couples();
            TPCM.IBATCH = 1;
        },
        [](const PageRun& run) {
            EXPECT_EQ(TPCM.TQVES, 1);
            EXPECT_NE(run.screen.find(" Enter 1 for \"Vessel\", 0 for \"Global\": "),
                      std::string::npos);
        });
    for (const std::string item : {"3", "5", "9"}) {
        SCOPED_TRACE(item);
        on_page(CATOF3, "7", item + "\nJ14\n", forces_and_couples, [](const PageRun& run) {
            EXPECT_EQ(run.stop, std::nullopt);
            EXPECT_EQ(run.LBACK, code_jump);
            EXPECT_EQ(TPCM.IPAG, 14);
        });
    }
}

TEST(EquilibriumOffsetPage, TendonTablesGrid) {
    // On entry: the tendon default grid (29 layers over a two-hundredth of the depth) needs no
    // override; any other grid does.
    struct Case {
        std::int32_t NLAYER;
        float ZSPAN;
        std::int32_t OVRIDE;
    };
    const Case cases[] = {{29, 5.0f, 0}, {29, 5.5f, 1}, {27, 5.0f, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.NLAYER << " layers over " << c.ZSPAN);
        on_page(
            CATOF3, "7", "\n",
            [&] {
                TPCM.TENDON_FLG = 1;
                TPCM.DEPTH = 1000.0f;
                TPCM.NVERT = 1;
                TPCM.OVRIDE = 1 - c.OVRIDE;
                TPCM.NLAYER = c.NLAYER;
                TPCM.ZSPAN = c.ZSPAN;
            },
            [&](const PageRun&) { EXPECT_EQ(TPCM.OVRIDE, c.OVRIDE); });
    }
    // Item 14 on tendon tables puts the default grid back.
    on_page(
        CATOF3, "7", "14\n\n",
        [] {
            TPCM.TENDON_FLG = 1;
            TPCM.DEPTH = 1000.0f;
            TPCM.NVERT = 1;
            TPCM.NLAYER = 11;
            TPCM.ZSPAN = 40.0f;
            TPCM.PULLDN = 1;
        },
        [](const PageRun&) {
            EXPECT_EQ(TPCM.OVRIDE, 0);
            EXPECT_EQ(TPCM.NLAYER, 29);
            EXPECT_EQ(TPCM.ZSPAN, 5.0f);
            EXPECT_EQ(TPCM.PULLDN, 0);
        });
    // Without offsets that move the fairleads the grid items are refused.
    on_page(
        CATOF3, "7", "14\n15\n3\n\n", [] { TPCM.NLAYER = 7; },
        [](const PageRun& run) {
            EXPECT_EQ(TPCM.OVRIDE, 0);
            EXPECT_EQ(TPCM.NLAYER, 7);
            EXPECT_EQ(run.screen.find(new_value_prompt), std::string::npos);
        });
}

const std::string help_title =
    std::string(10, ' ') + "****  \"Continuous Equilibrium\" Offset Definition Notes  ****\n\n";

TEST(EquilibriumOffsetPage, HelpFollowsTheArrangement) {
    const std::string shared_note = "     The number of values in each sequence; all sequences of "
                                    "forces\n     (force couples) share one array of values.\n\n";
    on_page(CATOF3, "7", "?8\n\n\n", forces_and_couples, [&](const PageRun& run) {
        EXPECT_NE(
            run.screen.find(help_title + " ++> Item Number   8\n" + shared_note + return_prompt),
            std::string::npos);
    });
    // A CALM hawser: items 5 to 12 have no note; items 3 and 4 add the hawser's.
    const auto hawser = [] {
        forces_and_couples();
        TPCM.IARCO = 1;
    };
    on_page(CATOF3, "7", "?8\n\n\n", hawser, [&](const PageRun& run) {
        EXPECT_NE(run.screen.find(help_title +
                                  " ++> Item Number   8\n"
                                  " ++> Sorry, no help for this line...\n\n" +
                                  return_prompt),
                  std::string::npos);
    });
    on_page(CATOF3, "7", "?4\n\n\n", hawser, [&](const PageRun& run) {
        EXPECT_NE(run.screen.find("     every sequence at zero.\n\n"
                                  "     For CALM hawsers give only the horizontal component of "
                                  "the hawser\n     force.\n\n" +
                                  return_prompt),
                  std::string::npos);
    });
    // All notes: five screens for a vessel moored directly; two for a hawser.
    on_page(CATOF3, "7", "?\n\n\n\n\n\n\n", forces_and_couples, [&](const PageRun& run) {
        EXPECT_EQ(occurrences(run.screen, help_title), 5u);
        EXPECT_EQ(occurrences(run.screen, " ++> Item Numbers  2 and  8\n" + shared_note), 1u);
    });
    on_page(CATOF3, "7", "?\n\n\n\n", hawser, [&](const PageRun& run) {
        EXPECT_EQ(occurrences(run.screen, help_title), 2u);
        EXPECT_EQ(occurrences(run.screen, " ++> Item Number   2\n" + shared_note), 1u);
        EXPECT_EQ(occurrences(run.screen, " ++> Item Number   5\n"), 0u);
        EXPECT_EQ(occurrences(run.screen, " ++> Item Number  16\n"), 1u);
    });
}

TEST(EquilibriumOffsetPage, MirrorPassListsTheData) {
    testing::ScratchFolder folder;
    on_page(
        CATOF3, "7", "",
        [] {
            TPCM.NFCDIR = 1;
            TPCM.NFCOFF = 1;
            TPCM.NTQDIR = 1;
            TPCM.NTQOFF = 2;
            TPCM.FRCVEC(2, 1) = 1.0f;
            TPCM.FRCOFF(1) = 100.0f;
            TPCM.FAPPNT(1) = -50.0f;
            TPCM.TRQVEC(1, 1) = 1.0f;
            TPCM.TRQOFF(2) = 25.0f;
            ASSERT_TRUE(open_unit(1, "CATIN.stxt", OpenStatus::replace, FileForm::formatted));
            TPCM.EDUNIT = 1;
            TPCM.LCOPY = 1;
        },
        [&](const PageRun& run) {
            EXPECT_EQ(run.LBACK, 0);
            EXPECT_EQ(TPCM.LCOPY, 7);
            close_unit(1);
            const std::string columns = "            x          y          z\n";
            EXPECT_EQ(
                folder.read("CATIN.stxt"),
                heading +
                    " 1) Number of directions for FORCE application (Max 10) .......  1\n"
                    " 2) Number of specified forces per direction (Max 50) .........  1\n"
                    " 3) Specify force directions\n"
                    " 4) Specify force values\n"
                    " 5) Specify point of force application on vessel\n"
                    " 6) Force direction specified relative to GLOBAL coordinate system\n"
                    " 7) Number of axes for force couple application (Max 10) ......  1\n"
                    " 8) Number of specified force couples per direction (Max 50) ..  2\n"
                    " 9) Specify force couple axis directions\n"
                    "10) Specify force couple values\n"
                    "11) Force couple axis specified relative to GLOBAL coordinate system\n"
                    "12) Apply forces & force couples <<separately>>\n"
                    "14) Override default selection of vertical interpolation grid   No \n"
                    "\n\n\n"
                    " ++> Enter force directions [e.g., X axis = (1,0,0); Y axis = (0,1,0)]\n" +
                    columns + "   1)        0.00       1.00       0.00\n" +
                    "\f\n"
                    " Force values\n\n"
                    "   1)    100.00\n"
                    "\n\n\n"
                    " ++> Enter force application point on vessel (Vx,Vy,Vz)\n" +
                    columns + "   1)      -50.00       0.00       0.00\n" +
                    "\f\n"
                    " ++> Enter force couple axis directions [e.g., X axis = (1,0,0); Y axis = "
                    "(0,1,0)]\n" +
                    columns + "   1)        1.00       0.00       0.00\n" +
                    "\n\n\n"
                    " Force couple values\n\n"
                    "   1)      0.00\n   2)     25.00\n"
                    "\f\n");
        });
}

// The page numbers of the headings on a screen, in order.
std::vector<int> pages_shown(const std::string& screen) {
    std::vector<int> pages;
    for (auto at = screen.find("Page "); at != std::string::npos; at = screen.find("Page ", at))
        pages.push_back(std::stoi(screen.substr(at += 5)));
    return pages;
}

TEST(EquilibriumOffsetPage, ForcesOrCouplesLeadToTheVesselPage) {
    struct Case {
        const char* name;
        std::string keys; // on page 7, before Return
        std::vector<int> pages;
    };
    const Case cases[] = {
        {"no forces: the pre-offset conditions", "", {7, 9}},
        {"forces: the vessel page", "1\n2\n", {7, 7, 8}},
        {"couples: the vessel page", "7\n1\n", {7, 7, 8}},
        {"forces taken away again", "1\n2\n1\n0\n", {7, 7, 7, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ScriptedConsole console(c.keys + "\n"); // the input ends on the next page
        TPCM.EDUNIT = screen_unit;
        EXPECT_EQ(testing::run_until_stop([] { walk_pages(7); }), StopKind::error);
        EXPECT_EQ(pages_shown(console.screen()), c.pages);
    }
}

} // namespace
} // namespace lintar
