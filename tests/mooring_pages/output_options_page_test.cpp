// Tests of page 14, output options: its screens for this program and for the family's
// others, the switches and the conditions they act under, the lines excluded from the inertial
// correction, the rotation of the global frame, the exchange of the two bodies, the mirror pass
// and the help notes.
#include "mooring_pages/mooring_pages.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "support/mooring_fixture.h"
#include "util/answer_reader.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScriptedConsole;

const std::string prompt = " \n Enter number of selection (\"H\" for help): ";
const std::string pause = " \n Press <RETURN> to continue: ";

// The page on a TPCM set up by `arrange`, driven by the console's keys; returns the screen.
std::string run_page(const std::function<void()>& arrange, ScriptedConsole& console) {
    testing::fill_new_file();
    arrange();
    EXPECT_FALSE(run_until_stop([] { MOROT1("14"); }));
    return console.screen();
}

TEST(OutputOptionsPage, ThisProgramShowsItemsOneToFour) {
    ScriptedConsole console("\n");
    EXPECT_EQ(run_page([] {}, console),
              " ****  Page 14: Output options 1 ****\n\n"
              "  1) Output static offset data ................................. Yes\n"
              "  2) Output element endpoint & angle interpolation tables ...... No \n"
              "  3) Compute quiescent equilibrium ............................. Yes\n"
              "  4) Output mean orientation & line loads data ................. Yes\n" +
                  prompt);
    // Item 2 belongs to item 1.
    ScriptedConsole off("\n");
    EXPECT_EQ(run_page([] { TPCM.STAMOT = 2; }, off).find(" 2)"), std::string::npos);
}

// The CALM-buoy program with wave-frequency dynamics and two lines excluded from the inertial
// correction (line 100 needs three columns).
void calm_buoy_with_dynamics() {
    TPCM.SIMTYP = 13;
    TPCM.LDYN = 1;
    TPCM.GETNODE = 1;
    TPCM.INRLFG = 1;
    TPCM.NLIN = 120;
    TPCM.NEXCLD_I = 2;
    TPCM.IDEXCLD1_I = 1 << 2; // line 3
    TPCM.IDEXCLD4_I = 1 << 9; // line 100
    TPCM.EXLOUT = 1;          // not this program's: cleared by the page
}

// clang-format off
const std::string calm_buoy_page =
    " ****  Page 14: Output options 1 ****\n"
    "\n"
    "  1) Output static offset data ................................. Yes\n"
    "  2) Output element endpoint & angle interpolation tables ...... No \n"
    "  4) Output mean orientation & line loads data ................. Yes\n"
    "  5) Output low-frequency motions/loads data ................... No \n"
    "  6) Simulate wave-frequency dynamics .......................... Yes\n"
    "  7) Output line loads and motions at element endpoints ........ Yes\n"
    "  8) Report endpoint motion parallel & perpendicular to waterplane\n"
    "  9) Output \"chain hinge\" relative motion at fairlead .......... No \n"
    "\n"
    " 16) Output wave-frequency fairlead motions and line load RAOs . No \n"
    " 17) Output static/dynamic line load RAO comparisons at fairlead No \n"
    " 18) Output wave-frequency line load RAOs at anchor ............ No \n"
    " 19) Analyze wave-frequency motion/loads at specified LF offset  No \n"
    "\n"
    " 20) Use large-amplitude nonlinear model for w.f. loads ........ No \n"
    " 21) Apply inertial correction to wave-frequency catenary loads  Yes\n"
    " 22) Total number of lines EXCLUDED from correction:  2\n"
    " 23) Line numbers selected for exclusion:\n"
    "      3,100,\n"
    "\n"
    " 25) Use constant tension surface for wave-frequency loads ..... No \n"
    " 26) Use Brenvic-style 3-DOF equilibrium search ................ Yes\n"
    " 28) Search for alternate equilibrium position ................. No \n"
    "\n"
    " ++> Begin Version 5.x Flags\n"
    " 32) Use elliptical bounding box for snapshot coordinates ...... No \n"
    " 36) Use \"Legacy\" surge/sway normal mode processing ............ No \n"
    " 37) Force Gaussian peak factors for low-frequency motions ..... No \n"
    "\n"
    " ++> End Version 5.x Flags\n"
    "\n"
    " 51) Storm duration (hours) for peak motion/load statistics.....  1.00\n"
    " 52) Estimate peak variability across an ensemble of storms .... No \n"
    "\n"
    " 55) Apply clockwise rotation to Global Coordinate System\n"
    " 56) Swap tanker, buoy data\n";
// clang-format on

TEST(OutputOptionsPage, ScreenOfTheFamilysOtherPrograms) {
    {
        ScriptedConsole console("\n");
        EXPECT_EQ(run_page(calm_buoy_with_dynamics, console), calm_buoy_page + prompt);
        EXPECT_EQ(TPCM.EXLOUT, 0);
    }
    {
        SCOPED_TRACE("without dynamics the list goes on at item 28");
        ScriptedConsole console("\n");
        const std::string screen = run_page(
            [] {
                calm_buoy_with_dynamics();
                TPCM.LDYN = 0;
            },
            console);
        EXPECT_NE(screen.find("dynamics .......................... No \n"
                              " 28) Search for alternate"),
                  std::string::npos);
        EXPECT_EQ(TPCM.GETNODE, 0);
    }
    {
        SCOPED_TRACE("random seas, currents, the spar program");
        ScriptedConsole console("\n");
        const std::string screen = run_page(
            [] {
                TPCM.SIMTYP = 17;
                TPCM.LRANDM = 1;
                TPCM.LCURNT = 1;
                TPCM.NUNTS = 1;
                TPCM.EXLOUT = 1;
                TPCM.LWVCOF = 5; // the caisson-spar drift coefficients in the first nibble
            },
            console);
        for (const int item : {30, 31, 32, 33, 34, 35, 38, 40, 41, 42, 44})
            EXPECT_NE(screen.find("\n " + std::to_string(item) + ") "), std::string::npos) << item;
        EXPECT_EQ(screen.find(" 26)"), std::string::npos);
        EXPECT_EQ(screen.find(" 56)"), std::string::npos);
    }
    {
        SCOPED_TRACE("no low-frequency output: items 1 to 4 only");
        ScriptedConsole console("\n");
        const std::string screen = run_page(
            [] {
                TPCM.SIMTYP = 12;
                TPCM.LQUAS = 0;
            },
            console);
        EXPECT_EQ(screen.find(" 5)"), std::string::npos);
        EXPECT_EQ(screen.find(" 3)"), std::string::npos);
    }
}

// An item acts whenever its own condition holds, shown or not.
TEST(OutputOptionsPage, SwitchesActUnderTheirOwnConditions) {
    struct Case {
        std::string name;
        std::int32_t SIMTYP;
        std::string keys;
        std::int32_t TpcmBlock::*member;
        std::int32_t before, after;
    };
    const Case cases[] = {
        {"item 1: bit 1 of STAMOT", 8, "1\n", &TpcmBlock::STAMOT, 1, 0},
        {"item 2: bit 2 of STAMOT", 8, "2\n", &TpcmBlock::STAMOT, 1, 3},
        {"item 3", 8, "3\n", &TpcmBlock::LRESET, 1, 0},
        {"item 3, not this program", 12, "3\n", &TpcmBlock::LRESET, 1, 1},
        {"item 5, hidden here", 8, "5\n", &TpcmBlock::LOWMOT, 0, 1},
        {"item 6, hidden here", 8, "6\n", &TpcmBlock::LDYN, 0, 1},
        {"item 20", 12, "20\n", &TpcmBlock::NLWVFG, 0, 1},
        {"item 20, tension-leg platform", 14, "20\n", &TpcmBlock::NLWVFG, 0, 0},
        {"item 26", 8, "26\n", &TpcmBlock::MS3DOF, 1, 0},
        {"item 26, spar", 17, "26\n", &TpcmBlock::MS3DOF, 1, 1},
        {"item 27, this program", 8, "27\n", &TpcmBlock::ONLYLD, 0, 0},
        {"item 29, this program", 8, "29\n", &TpcmBlock::LOCK_TRT, 0, 0},
        {"item 29, turret", 15, "29\n", &TpcmBlock::LOCK_TRT, 0, 1},
        {"item 32, tug and barge", 10, "32\n", &TpcmBlock::ELIPSM, 0, 1},
        {"item 52", 8, "52\n", &TpcmBlock::XTRMFL, 0, 1},
        {"item 8 without node output", 12, "8\n", &TpcmBlock::NODE_MOT_PERP, 0, 0},
        {"item 99", 8, "99\n", &TpcmBlock::LEQCND, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console(c.keys + "\n");
        run_page(
            [&] {
                TPCM.SIMTYP = c.SIMTYP;
                TPCM.*c.member = c.before;
            },
            console);
        EXPECT_EQ(TPCM.*c.member, c.after);
        EXPECT_EQ(TPCM.LBACK, 0);
    }
    ScriptedConsole console("8\n8\n\n");
    run_page([] { TPCM.GETNODE = 1; }, console);
    EXPECT_EQ(TPCM.NODE_MOT_PERP, 0); // twice: back where it was
    ScriptedConsole batch("8\n1\n4\n0\n\n");
    run_page(
        [] {
            TPCM.GETNODE = 1;
            TPCM.IBATCH = 1;
        },
        batch);
    EXPECT_EQ(TPCM.NODE_MOT_PERP, 1);
    EXPECT_EQ(TPCM.LEQCND, 0);
    EXPECT_NE(batch.screen().find(" Enter 1 for \"Tangent\", 0 for \"Waterplane\": "),
              std::string::npos);
}

TEST(OutputOptionsPage, CountAndStormDuration) {
    ScriptedConsole console("22\n30\n51\n3.5\n\n");
    const std::string screen = run_page([] { TPCM.NLIN = 12; }, console);
    EXPECT_EQ(TPCM.NEXCLD_I, 12); // held to the lines
    EXPECT_EQ(TPCM.DURATN, 3.5f);
    EXPECT_NE(screen.find(prompt + " 22) Total number of lines EXCLUDED from correction:  0\n"
                                   " Enter new value: "),
              std::string::npos);
    EXPECT_NE(screen.find(prompt + " 51) Storm duration (hours) for peak motion/load "
                                   "statistics.....  1.00\n Enter new value: "),
              std::string::npos);
}

TEST(OutputOptionsPage, LinesExcludedFromTheInertialCorrection) {
    {
        SCOPED_TRACE("a number outside the lines is asked again");
        ScriptedConsole console("21\n22\n3\n23\n1\n2\n0\n9\n\n\n2\n5\n\n\n\n");
        const std::string screen = run_page([] { TPCM.NLIN = 10; }, console);
        EXPECT_EQ(TPCM.INRLFG, 1);
        EXPECT_EQ(TPCM.NEXCLD_I, 3);
        EXPECT_EQ(TPCM.IDEXCLD1_I, (1 << 1) | (1 << 4) | (1 << 8)); // lines 2, 5 and 9
        EXPECT_NE(screen.find(prompt + " --- Lines Selected for Exclusion  ---\n\n"
                                       "   1)      0.00\n   2)      0.00\n   3)      0.00\n"),
                  std::string::npos);
        EXPECT_NE(screen.find(" >>> Please provide  3 valid line numbers...\n" + pause),
                  std::string::npos);
    }
    {
        SCOPED_TRACE("no lines left for the count: the re-edit left unchanged gives up");
        ScriptedConsole console("23\n\n\n\n\n\n");
        const std::string screen = run_page(
            [] {
                TPCM.NLIN = 0;
                TPCM.INRLFG = 1;
                TPCM.NEXCLD_I = 2;
                TPCM.IDEXCLD1_I = 6;
            },
            console);
        EXPECT_EQ(TPCM.IDEXCLD1_I, 6);
        EXPECT_EQ(TPCM.LBACK, 0);
        EXPECT_NE(
            screen.find("\n ++> NOTE: The previous excluded line numbers are restored.\n" + pause),
            std::string::npos);
    }
    {
        SCOPED_TRACE("without the correction the list is not offered");
        ScriptedConsole console("23\n\n");
        run_page([] { TPCM.NEXCLD_I = 1; }, console);
        EXPECT_EQ(console.screen().find("Exclusion"), std::string::npos);
    }
}

// Degrees in radians, for the expected rotations (computed in double precision).
double radians(double degrees) {
    return degrees * std::acos(-1.0) / 180.0;
}

void headings_and_forces() {
    TPCM.NLIN = 3;
    for (int i = 1; i <= 4; ++i)
        TPCM.ANGDEP(i) = 10.0f * static_cast<float>(i);
    TPCM.VESAN0 = 5.0f;
    TPCM.BVSAN0 = 6.0f;
    TPCM.SEAHDG(1) = 7.0f;
    TPCM.SEAHDG(2) = 70.0f;
    TPCM.WAVHDG(1) = 8.0f;
    TPCM.CURHDG = 9.0f;
    TPCM.WNDHDG = 10.0f;
    TPCM.SWLHDG = 11.0f;
    TPCM.VGLDIR = 12.0f;
    TPCM.RFLD(1, 1) = 100.0f;
    TPCM.RFLD(2, 1) = 20.0f;
    TPCM.AUXFRC = 1;
    TPCM.XVFRC = 1.0f; // global axes (CRDSYS 0)
    TPCM.AXFC2 = 1;
    TPCM.CRDS2 = 1; // vessel axes: stays
    TPCM.YVFRC2 = 1.0f;
    TPCM.AXFC3 = 1;
    TPCM.YVFRC3 = 2.0f; // global axes
}

TEST(OutputOptionsPage, ClockwiseRotationOfTheGlobalFrame) {
    constexpr double tol = 1e-6; // single-precision sine and cosine of 30 degrees
    ScriptedConsole console("55\n30\n\n");
    const std::string screen = run_page(headings_and_forces, console);
    EXPECT_NE(screen.find(prompt +
                          " Enter clockwise rotation angle in degrees (<RETURN> to "
                          "abort): " +
                          " ****  Page 14"),
              std::string::npos);
    EXPECT_EQ(TPCM.ANGDEP(1), -20.0f);
    EXPECT_EQ(TPCM.ANGDEP(3), 0.0f);
    EXPECT_EQ(TPCM.ANGDEP(4), 40.0f); // not a line in use
    EXPECT_EQ(TPCM.VESAN0, -25.0f);   // no angle is brought back into a range
    EXPECT_EQ(TPCM.BVSAN0, -24.0f);
    EXPECT_EQ(TPCM.SEAHDG(1), -23.0f);
    EXPECT_EQ(TPCM.SEAHDG(2), 70.0f);
    EXPECT_EQ(TPCM.WAVHDG(1), -22.0f);
    EXPECT_EQ(TPCM.CURHDG, -21.0f);
    EXPECT_EQ(TPCM.WNDHDG, -20.0f);
    EXPECT_EQ(TPCM.SWLHDG, -19.0f);
    EXPECT_EQ(TPCM.VGLDIR, -18.0f);
    EXPECT_NEAR(TPCM.XVFRC, std::cos(radians(30.0)), tol);
    EXPECT_NEAR(TPCM.YVFRC, -std::sin(radians(30.0)), tol);
    EXPECT_EQ(TPCM.XVFRC2, 0.0f);
    EXPECT_EQ(TPCM.YVFRC2, 1.0f);
    EXPECT_NEAR(TPCM.XVFRC3, 2.0 * std::sin(radians(30.0)), tol);
    EXPECT_NEAR(TPCM.YVFRC3, 2.0 * std::cos(radians(30.0)), tol);
    EXPECT_EQ(TPCM.RFLD(1, 1), 100.0f); // fairleads are in vessel axes
    EXPECT_EQ(TPCM.RFLD(2, 1), 20.0f);
}

TEST(OutputOptionsPage, RotationLeavesWhatItShouldNotTurn) {
    struct Case {
        std::string name, keys;
        std::function<void()> arrange;
        float VESAN0, XVFRC, XVFRC3;
    };
    const Case cases[] = {
        {"a blank answer", "55\n\n\n", [] {}, 5.0f, 1.0f, 0.0f},
        {"no auxiliary force", "55\n90\n\n", [] { TPCM.AUXFRC = 0; }, -85.0f, 1.0f, 0.0f},
        {"force 1 in vessel axes, no force 2", "55\n90\n\n",
         [] {
             TPCM.CRDSYS = 1;
             TPCM.AXFC2 = 0;
         },
         -85.0f, 1.0f, 0.0f},
        {"current profile warning, aborted", "55\nA\n\n", [] { TPCM.LCSTCR = 3; }, 5.0f, 1.0f,
         0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console(c.keys);
        run_page(
            [&] {
                headings_and_forces();
                c.arrange();
            },
            console);
        EXPECT_EQ(TPCM.VESAN0, c.VESAN0);
        EXPECT_EQ(TPCM.XVFRC, c.XVFRC);
        EXPECT_EQ(TPCM.XVFRC3, c.XVFRC3);
    }
    ScriptedConsole console("55\n\n-10\n\n");
    const std::string screen = run_page([] { TPCM.LCSTCR = 3; }, console);
    EXPECT_EQ(TPCM.VESAN0, 10.0f);
    EXPECT_NE(screen.find(prompt +
                          " ++> Warning: This rotation will not (cannot) be applied to your "
                          "CRNTPROF.txt\n"
                          "              user-supplied current profile; that must be done "
                          "manually...\n\a\n Enter \"A\" to abort or Press <RETURN> to "
                          "continue: \n\n Enter clockwise rotation angle"),
              std::string::npos);
}

TEST(OutputOptionsPage, ExchangeOfTheTwoBodies) {
    const auto bodies = [] {
        TPCM.SIMTYP = 13;
        TPCM.DISPL = 100.0f;
        TPCM.BDISPL = 200.0f;
        TPCM.VESTYP = 1;
        TPCM.BVSTYP = 4;
        TPCM.DWTONS = 3.0f; // the last word of the section
        TPCM.BDWTNS = 4.0f;
        TPCM.NLIN = 7; // beyond the sections
    };
    ScriptedConsole console("56\n\n");
    run_page(bodies, console);
    EXPECT_EQ(TPCM.DISPL, 200.0f);
    EXPECT_EQ(TPCM.BDISPL, 100.0f);
    EXPECT_EQ(TPCM.VESTYP, 4);
    EXPECT_EQ(TPCM.BVSTYP, 1);
    EXPECT_EQ(TPCM.DWTONS, 4.0f);
    EXPECT_EQ(TPCM.BDWTNS, 3.0f);
    EXPECT_EQ(TPCM.NLIN, 7);
    ScriptedConsole twice("56\n56\n\n");
    run_page(bodies, twice);
    EXPECT_EQ(TPCM.DISPL, 100.0f);
    EXPECT_EQ(TPCM.BVSTYP, 4);
    ScriptedConsole not_here("56\n\n");
    run_page(
        [&] {
            bodies();
            TPCM.SIMTYP = 8;
        },
        not_here);
    EXPECT_EQ(TPCM.DISPL, 100.0f);
}

TEST(OutputOptionsPage, MirrorPassWritesThePageOnly) {
    ScriptedConsole console;
    testing::fill_new_file();
    TPCM.LCOPY = 1;
    EXPECT_FALSE(run_until_stop([] { MOROT1("14"); }));
    EXPECT_EQ(TPCM.LBACK, 0);
    EXPECT_EQ(TPCM.LCOPY, 2);
    EXPECT_EQ(console.screen().find("Enter"), std::string::npos);
}

TEST(OutputOptionsPage, HelpNotes) {
    const std::string title = "                 ****  Output Definition Notes  ****\n\n";
    {
        SCOPED_TRACE("all notes of this program: items 1 to 4");
        ScriptedConsole console("?\n\n\n\n");
        const std::string screen = run_page([] {}, console);
        EXPECT_NE(screen.find(prompt + title + " ++> Item Number   1\n"), std::string::npos);
        EXPECT_NE(screen.find(" ++> Item Number   4\n"), std::string::npos);
        EXPECT_EQ(screen.find(" ++> Item Number   5\n"), std::string::npos);
    }
    {
        ScriptedConsole console("?5\n\n\n");
        const std::string screen = run_page([] {}, console);
        EXPECT_NE(screen.find(prompt + title + " ++> Sorry, no help for this line...\n" + pause),
                  std::string::npos);
    }
    {
        ScriptedConsole console("?55\n\n\n");
        const std::string screen = run_page([] { TPCM.SIMTYP = 13; }, console);
        EXPECT_NE(screen.find(prompt + title + " ++> Item Number  55\n     Turns the global"),
                  std::string::npos);
    }
}

} // namespace
} // namespace lintar
