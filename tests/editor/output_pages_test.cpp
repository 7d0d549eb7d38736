// Tests of pages 15 and 16: the line-specific output switches, and the net vessel loads,
// stiffness and miscellaneous options with the exchange of the vessel sections and the output
// device.
#include "editor/pages.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "datafile/tpcm_image.h"
#include "runtime/units.h"
#include "util/answer_reader.h"

#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::ScriptedConsole;

const std::string prompt = " \n Enter number of selection (\"H\" for help): ";

// Page 15 with every switch off but the fairlead tension.
const std::string page_15 = "              ****  Page 15: Line-Specific Options ****\n"
                            "\n"
                            "      >>> Line Tension Data (global, waterplane-relative) <<<\n"
                            "  1) Total line tension at fairlead ............................Yes\n"
                            "  2) Net Horizontal tension at fairlead (Gh = Gxy) .............No \n"
                            "  3) Vertical tension component (Gz) at fairlead ...............No \n"
                            "  4) Total line tension at anchor ..............................No \n"
                            "  5) Net Horizontal tension component at anchor (Gh = Gxy) .....No \n"
                            "  6) Vertical tension component (Gz) at anchor .................No \n"
                            "\n"
                            "                   >>> Length & Distance Data <<<\n"
                            " 11) Total suspended line length ...............................No \n"
                            " 12) Line lying on bottom ......................................No \n"
                            " 13) Fairlead-Anchor distances .................................No \n"
                            "\n"
                            "          >>> Angle Data (global, waterplane-relative) <<<\n"
                            " 21) Declination angles at fairlead (from horizontal) ..........No \n"
                            " 22) Line uplift angle at anchor (from horizontal)..............No \n"
                            " 23) Plan-view line departure angles (global-zero relative) ....No \n";

TEST(LineOptionsPage, ScreenAndSwitches) {
    ScriptedConsole console("7\n13\n23\n23\n\n");
    TPCM.EDUNIT = screen_unit;
    TPCM.NTO = 1;
    CATOT2("15");
    EXPECT_EQ(TPCM.NANCD, 1);
    EXPECT_EQ(TPCM.NDEPAN, 0); // chosen twice: back as it was
    EXPECT_EQ(TPCM.LBACK, 0);
    const std::string s = console.screen();
    EXPECT_EQ(s.substr(0, page_15.size() + prompt.size()), page_15 + prompt);
    // Number 7 is no item: the page is drawn again unchanged.
    EXPECT_EQ(s.substr(page_15.size() + prompt.size(), page_15.size()), page_15);
}

TEST(LineOptionsPage, EverySwitchHasItsItem) {
    struct Case {
        std::int32_t item;
        std::int32_t TpcmBlock::*word;
    };
    const Case cases[] = {
        {1, &TpcmBlock::NTO},  {2, &TpcmBlock::NHO},  {3, &TpcmBlock::NVO},
        {4, &TpcmBlock::NTA},  {5, &TpcmBlock::NHA},  {6, &TpcmBlock::NVA},
        {11, &TpcmBlock::NSL}, {12, &TpcmBlock::NBL}, {13, &TpcmBlock::NANCD},
        {21, &TpcmBlock::NDA}, {22, &TpcmBlock::NBA}, {23, &TpcmBlock::NDEPAN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        ScriptedConsole console(std::to_string(c.item) + "\n\n");
        TPCM.EDUNIT = screen_unit;
        const auto before = tpcm_image();
        CATOT2("15");
        EXPECT_EQ(TPCM.*c.word, 1);
        TPCM.*c.word = 0;
        TPCM.LBACK = 0;
        TPCM.IPAG = 0;                   // the selection's digits after the first
        EXPECT_EQ(tpcm_image(), before); // nothing else changed
    }
}

TEST(LineOptionsPage, BatchModeAsksAndHelp) {
    ScriptedConsole console("2\n1\n3\nx\n?13\n\n\n");
    TPCM.EDUNIT = screen_unit;
    TPCM.IBATCH = 1;
    TPCM.NVO = 1;
    CATOT2("15");
    EXPECT_EQ(TPCM.NHO, 1);
    EXPECT_EQ(TPCM.NVO, 1); // an answer other than 0 or 1 keeps the switch
    const std::string s = console.screen();
    EXPECT_NE(s.find(prompt + " Enter 1 for \"Yes\", 0 for \"No\": "), std::string::npos);
    EXPECT_NE(s.find("****  Offset Sequence Definition Notes  ****\n\n ++> Item Number  13\n\n"
                     " ++> Sorry, no help for this line...\n"),
              std::string::npos);
}

// Page 16 of a new file: every option off, the report on disk.
const std::string page_16_head =
    "     ****  Page 16: Net Vessel Loads & Miscellaneous Options ****\n"
    "\n"
    "                     >>> Net Mooring Loads <<<\n"
    "  1) Net loads/moments (vessel-bound, deck-relative) ...........No \n"
    "  2) Net loads/moments (global, waterplane-relative) ...........No \n"
    "\n"
    "                    >>> Stiffness Variables <<<\n";
const std::string page_16_tail =
    "\n"
    "                   >>> Miscellaneous Options <<<\n"
    " 21) Permit offsets beyond interpolation table .................No \n"
    " 23) Adjust NET mooring loads at initial offset to zero ........No \n"
    " 24) Fairleads attached to rotating turret? ....................No \n";
const std::string page_16_end =
    " 27) Prepare TLP-style interpolation tables? ...................No \n"
    "\n"
    " 31) Swap tanker, buoy data from Ostrevi import file\n"
    "\n"
    " 32) Debug option is on ........................................No \n";

void new_file_page_16() {
    TPCM.EDUNIT = screen_unit;
    TPCM.IUNIT = 1;
    TPCM.EPSDST = 0.01f;
    TPCM.EPSDEG = 0.01f;
}

TEST(NetLoadsPage, ScreenWithEverythingOff) {
    ScriptedConsole console("\n");
    new_file_page_16();
    CATOT3("16");
    EXPECT_EQ(console.screen(),
              page_16_head +
                  "  3) 6x6 Stiffness matrix (vessel-bound, deck-relative) ........No \n"
                  "  5) 6x6 Stiffness matrix (global, waterplane-relative) ........No \n"
                  "\n"
                  "                >>> Energy & Cross-Coupling Data <<<\n"
                  " 10) Line & system potential energy analysis ...................No \n"
                  " 15) Cross-coupling summary ....................................No \n" +
                  page_16_tail + page_16_end + " 33) Output goes to Disk, on logged drive\n" +
                  prompt);
}

TEST(NetLoadsPage, ScreenWithEverythingOn) {
    ScriptedConsole console("\n");
    new_file_page_16();
    TPCM.NSTIFV = 1;
    TPCM.VSTSYM = 1;
    TPCM.NSTIFG = 1;
    TPCM.NERGAN = 1;
    TPCM.NTQDIR = 1;
    TPCM.LSPM = -1; // true as another build writes it
    TPCM.XSALM = -12.5f;
    TPCM.NUNTS = 1;
    TPCM.IUNIT = 6;
    CATOT3("16");
    EXPECT_EQ(console.screen(),
              page_16_head +
                  "  3) 6x6 Stiffness matrix (vessel-bound, deck-relative) ........Yes\n"
                  "  4) Prepare equilibrium-style (symmetric) stiffness matrix\n"
                  "\n"
                  "  5) 6x6 Stiffness matrix (global, waterplane-relative) ........Yes\n"
                  "  6) Prepare standard mooring stiffness matrix\n"
                  "\n"
                  "  7) Differential increment for *Cartesian* degrees of freedom  0.010 meters\n"
                  "  8) Differential increment for  *angular*  degrees of freedom  0.010 deg.\n"
                  "  9) Specify rotation axis coordinate origin\n"
                  "\n"
                  "                >>> Energy & Cross-Coupling Data <<<\n"
                  " 10) Line & system potential energy analysis ...................Yes\n"
                  " 11) Zero potential energy at initial offset point? ............No \n"
                  " 15) Cross-coupling summary ....................................No \n"
                  "\n"
                  "                   >>> Miscellaneous Options <<<\n"
                  " 21) Permit offsets beyond interpolation table .................No \n"
                  " 22) Output page of oblique offset definitions .................No \n"
                  " 23) Adjust NET mooring loads at initial offset to zero ........No \n"
                  " 24) Fairleads attached to rotating turret? ....................Yes\n"
                  " 25) Turret Centroid X-Coordinate ..........................  -12.50 meters\n"
                  " 26) Use double precision for stiffness matrices? ..............No \n" +
                  page_16_end + " 33) Output goes to Console\n" + prompt);
}

TEST(NetLoadsPage, ItemsWithBothMatricesOff) {
    // 7, 8, 9, 25 and 26 only redraw; 4, 6, 11 and 22 switch although their lines are hidden.
    ScriptedConsole console("7\n8\n9\n25\n26\n4\n6\n11\n22\n\n");
    new_file_page_16();
    CATOT3("16");
    EXPECT_EQ(TPCM.EPSDST, 0.01f);
    EXPECT_EQ(TPCM.DPMTRX, 0);
    EXPECT_EQ(TPCM.VSTSYM, 1);
    EXPECT_EQ(TPCM.GSTSYM, 1);
    EXPECT_EQ(TPCM.N_ERG_ZERO, 1);
    EXPECT_EQ(TPCM.OBDEFN, 1);
    EXPECT_EQ(TPCM.LBACK, 0);
    EXPECT_EQ(console.screen().find("Enter new value"), std::string::npos);
}

TEST(NetLoadsPage, ValuesAndSwitches) {
    ScriptedConsole console("3\n7\n0.5\n8\n0.25\n9\n1\n1,2,3\n\n26\n24\n25\n-40\n23\n32\n\n");
    new_file_page_16();
    CATOT3("16");
    EXPECT_EQ(TPCM.NSTIFV, 1);
    EXPECT_EQ(TPCM.EPSDST, 0.5f);
    EXPECT_EQ(TPCM.EPSDEG, 0.25f);
    EXPECT_EQ(TPCM.ROTCTX, 1.0f);
    EXPECT_EQ(TPCM.ROTCTY, 2.0f);
    EXPECT_EQ(TPCM.ROTCTZ, 3.0f);
    EXPECT_EQ(TPCM.DPMTRX, 1);
    EXPECT_EQ(TPCM.LSPM, 1);
    EXPECT_EQ(TPCM.XSALM, -40.0f);
    EXPECT_EQ(TPCM.NCATN(1), 1);
    EXPECT_EQ(TPCM.NBUG0, 1);
    EXPECT_NE(console.screen().find(
                  "  7) Differential increment for *Cartesian* degrees of freedom  0.010 feet  \n"
                  " Enter new value: "),
              std::string::npos);
    EXPECT_NE(console.screen().find(" ++> Enter Rotation axis origin (Vx,Vy,Vz)\n"),
              std::string::npos);
}

TEST(NetLoadsPage, PageCommandInsideTheOriginEditorLeavesThePage) {
    ScriptedConsole console("9\nL\n");
    new_file_page_16();
    TPCM.NSTIFG = 1;
    CATOT3("16");
    EXPECT_EQ(TPCM.LBACK, code_last);
}

TEST(NetLoadsPage, SwappingTheVesselSectionsTwiceRestoresThem) {
    ScriptedConsole console("31\n\n"
                            "31\n\n"
                            "31\n31\n\n");
    new_file_page_16();
    TPCM.VESTYP = 1;
    TPCM.BVSTYP = 4;
    TPCM.DRAFT = 10.0f;
    TPCM.BDRAFT = 20.0f;
    TPCM.DWTONS = 3.0f; // the last word of the sections
    const auto before = tpcm_image();
    CATOT3("16");
    EXPECT_EQ(TPCM.VESTYP, 4);
    EXPECT_EQ(TPCM.BVSTYP, 1);
    EXPECT_EQ(TPCM.DRAFT, 20.0f);
    EXPECT_EQ(TPCM.BDRAFT, 10.0f);
    EXPECT_EQ(TPCM.BDWTNS, 3.0f);
    for (const char* visit : {"again", "twice in one visit"}) {
        SCOPED_TRACE(visit);
        CATOT3("16");
        TPCM.IPAG = 0; // the selection's digits after the first
        EXPECT_EQ(tpcm_image(), before);
    }
}

TEST(NetLoadsPage, OutputDevice) {
    struct Case {
        std::string answer;
        std::int32_t IUNIT;
    };
    const Case cases[] = {{"1", 6}, {"2", 1}, {"3", 1}, {"", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        ScriptedConsole console("33\n" + c.answer + "\n\n");
        new_file_page_16();
        TPCM.IUNIT = 99;
        CATOT3("16");
        EXPECT_EQ(TPCM.IUNIT, c.IUNIT);
        EXPECT_NE(console.screen().find(
                      prompt + " 1) Console\n 2) Disc\n Enter number of device for output: "),
                  std::string::npos);
    }
}

TEST(NetLoadsPage, MirrorPassListsTheOriginWithAMatrixOn) {
    for (const std::int32_t NSTIFV : {0, 1}) {
        SCOPED_TRACE(NSTIFV);
        ScriptedConsole console;
        new_file_page_16();
        TPCM.NSTIFV = NSTIFV;
        TPCM.LCOPY = 1;
        CATOT3("16");
        EXPECT_EQ(TPCM.LBACK, 0);
        const std::string s = console.screen();
        EXPECT_EQ(s.find(" 33) Output goes"), std::string::npos);
        const std::string origin = " ++> Enter Rotation axis origin (Vx,Vy,Vz)\n"
                                   "            x          y          z\n"
                                   "   1)        0.00       0.00       0.00\n";
        EXPECT_EQ(s.ends_with(" 32) Debug option is on ........................................"
                              "No \n\n\n\n" +
                              (NSTIFV == 1 ? origin : std::string())),
                  true);
        EXPECT_EQ(TPCM.LCOPY, NSTIFV == 1 ? 3 : 2);
    }
}

TEST(NetLoadsPage, HelpNotes) {
    struct Case {
        std::string keys;
        std::string_view text;
    };
    const Case cases[] = {
        {"?31\n\n\n",
         "     A data file imported from Ostrevi, the CALM buoy program, holds both\n"},
        {"?6\n\n\n", "     At an equilibrium configuration the stiffness matrix is symmetric.\n"},
        {"?25\n\n\n", " ++> Item Number  25\n\n ++> Sorry, no help for this line...\n"},
        {"?33\n\n\n", " ++> Sorry, no help for this line...\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        ScriptedConsole console(c.keys);
        new_file_page_16();
        CATOT3("16");
        EXPECT_NE(console.screen().find(c.text), std::string::npos);
    }
    // The whole listing: fourteen notes, a pause after each.
    ScriptedConsole console("?\n" + std::string(14, '\n') + "\n");
    new_file_page_16();
    CATOT3("16");
    EXPECT_EQ(TPCM.LBACK, 0);
    EXPECT_NE(console.screen().find(" ++> Item Numbers  1 and  2\n"), std::string::npos);
}

} // namespace
} // namespace lintar
