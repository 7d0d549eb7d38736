// Tests of the final page: the span of the vertical interpolation region, the whole-file
// checks and their messages, the menu-and-check loop, and the check of direction senses.
#include "editor/final_page.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "util/answer_reader.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

void set_fairlead(int line, float x, float y, float z) {
    TPCM.RFLD(1, line) = x;
    TPCM.RFLD(2, line) = y;
    TPCM.RFLD(3, line) = z;
}

// Four fairleads: centroid (4, 2); the farthest lie 8 from it in plan with z = -3, so the
// largest squared distance is 64 + 9 = 73; the lowest fairlead is 3 below the waterline.
void four_lines(float DEPTH, float DRAFT) {
    TPCM.NLIN = 4;
    set_fairlead(1, 12.0f, 2.0f, -3.0f);
    set_fairlead(2, 4.0f, 6.0f, -1.0f);
    set_fairlead(3, -4.0f, 2.0f, -3.0f);
    set_fairlead(4, 4.0f, -2.0f, -1.0f);
    TPCM.DEPTH = DEPTH;
    TPCM.DRAFT = DRAFT;
}

TEST(InterpolationSpan, TwiceTheLargestFairleadDistanceCappedByTheDepth) {
    constexpr double rel_tol = 1e-6; // float sums of exact small values; a wrong term is > 1%
    ScriptedConsole console;
    four_lines(50.0f, 8.0f); // cap 1.99 * (50 - 8 - 3) = 77.61, above 2 sqrt(73)
    EXPECT_NEAR(interpolation_span(TPCM), 2.0 * std::sqrt(73.0), rel_tol * 17.1);
    four_lines(20.0f, 12.0f); // cap 1.99 * (20 - 12 - 3) = 9.95
    EXPECT_NEAR(interpolation_span(TPCM), 9.95, rel_tol * 9.95);
    TPCM.NLIN = 0;
    EXPECT_EQ(interpolation_span(TPCM), 0.0f);
}

struct CheckCase {
    std::string name;
    std::function<void()> data;
    std::int32_t warnings, fatal;
    std::string screen;
};

const std::string F1 = "\n"
                       " ++> Fatal Warning: A null \"continuous equilibrium\" \n"
                       "     force or torque direction was detected; that is, a \n"
                       "     direction vector (x,y,z) = (0,0,0) has been specified. \n"
                       "     This will cause Lintar to crash...\n";
const std::string F2 = "\n"
                       " ++> Fatal Warning: For CALM-hawser-type systems, \n"
                       "     specified force directions must ALL be in the \n"
                       "     horizontal plane with a zero \"z\" component, for example \n"
                       "     (x,y,z) = (1,1,0)...\n";
const std::string F3 = "\n ++> Fatal Warning: An oblique rotation axis is unspecified.\n";
const std::string F4 = "\n"
                       " ++> Fatal Warning: Too few vertical layers or unphysical \n"
                       "     vertical interpolation span.\n";
const std::string W1 = "\n"
                       " ++> Warning: The initial target force or moment value for a\n"
                       "     \"Continuous Equilibrium\" offset is non-zero. If a Continuous\n"
                       "     Equilibrium sequence reports problems with the first offset point,\n"
                       "     requesting an offset sequence beginning with 0.0 will often\n"
                       "     resolve the issue.\n";
const std::string F6 =
    "\n"
    " ++> Fatal Warning: To SIMULTANEOUSLY apply forces and torques for \"maintained\n"
    "     equilibrium\" offsets, the specified number of force and torque DIRECTIONS\n"
    "     must be equal, as must the number of applied forces/torques PER DIRECTION.\n";

const std::string F7 = "\n ++> Fatal Warning: Nonpositive water depth.\n";
const std::string F8 = "\n"
                       " ++> Fatal Warning: Nonpositive vessel displacement with force or couple\n"
                       "     offset directions specified.\n";

std::string F5(std::string_view line) {
    return "\n"
           " ++> Fatal Warning: Hawser line type has more than a single line\n"
           "     OR hawser-associated line number is not equal to " +
           std::string(line) + "\n";
}

// A buoy with a hawser: line type 1 holds line 1 alone.
void buoy_with_hawser() {
    TPCM.IARCO = 1;
    TPCM.HAWSTP = 1;
    TPCM.HAWSLN = 1;
    TPCM.NLINE(1) = 1;
    TPCM.LINTYP(1, 1) = 1;
}

TEST(WholeFileChecks, MessagesAndCounts) {
    const CheckCase cases[] = {
        {"no offsets at all", [] {}, 0, 0, ""},
        {"null force direction",
         [] {
             TPCM.NFCDIR = 1;
             TPCM.NTQDIR = 1;
             TPCM.TRQVEC(3, 1) = 1.0f;
         },
         0, 1, F1},
        {"vertical force on a hawser system",
         [] {
             buoy_with_hawser();
             TPCM.NFCDIR = 1;
             TPCM.FRCVEC(3, 1) = 1.0f;
         },
         0, 1, F2},
        {"unspecified oblique axis",
         [] {
             TPCM.NOBLDR = 1;
             TPCM.NLIN = 1;
             set_fairlead(1, 0.0f, 0.0f, -10.0f);
             TPCM.DEPTH = 100.0f;
             TPCM.DRAFT = 10.0f;
         },
         0, 1, F3},
        {"too few layers under the user's override",
         [] {
             TPCM.OVRIDE = 1;
             TPCM.NLAYER = 2;
             TPCM.ZSPAN = 5.0f;
             TPCM.NVERT = 1;
         },
         0, 1, F4},
        {"hawser line type with two lines",
         [] {
             buoy_with_hawser();
             TPCM.HAWSTP = 2;
             TPCM.HAWSLN = 3;
             TPCM.NLINE(2) = 2;
             TPCM.LINTYP(1, 2) = 3;
         },
         0, 1, F5(" 3")},
        {"hawser line type outside the line types",
         [] {
             buoy_with_hawser();
             TPCM.HAWSTP = 0;
         },
         0, 1, F5(" 1")},
        {"first force not zero",
         [] {
             TPCM.NFCDIR = 1;
             TPCM.FRCVEC(1, 1) = 1.0f;
             TPCM.FRCOFF(1) = 100.0f;
         },
         1, 0, W1},
        {"moment centre away from the rotation centre",
         [] {
             TPCM.NSTIFV = 1;
             TPCM.RMCTR(1) = 1.5f;
             TPCM.RMCTR(2) = 2.0f;
             TPCM.RMCTR(3) = 3.0f;
             TPCM.ROTCTZ = -4.5f;
         },
         1, 0,
         "\n"
         " ++> Warning: Differing {moment reporting center} and {oblique offset rotation "
         "center}: \n"
         "\n"
         "              {     1.5,      2.0,      3.0}\n"
         "              {     0.0,      0.0,     -4.5}\n"
         "\n"
         "     Is that what you really want?\n"},
        {"simultaneous forces and couples of unequal counts",
         [] {
             TPCM.NFCDIR = 2;
             TPCM.NTQDIR = 1;
             TPCM.MTCHFT = 1;
             TPCM.FRCVEC(1, 1) = 1.0f;
             TPCM.FRCVEC(2, 2) = 1.0f;
             TPCM.TRQVEC(3, 1) = 1.0f;
             TPCM.NFCOFF = 3;
             TPCM.NTQOFF = 3;
         },
         0, 1, F6},
        {"negative water depth", [] { TPCM.DEPTH = -150.0f; }, 0, 1, F7},
        {"zero water depth", [] { TPCM.DEPTH = 0.0f; }, 0, 1, F7},
        {"negative displacement under force offsets",
         [] {
             TPCM.NFCDIR = 1;
             TPCM.FRCVEC(1, 1) = 1.0f;
             TPCM.DISPL = -1.0f;
         },
         0, 1, F8},
        {"zero displacement under couple offsets",
         [] {
             TPCM.NTQDIR = 1;
             TPCM.TRQVEC(3, 1) = 1.0f;
             TPCM.DISPL = 0.0f;
         },
         0, 1, F8},
        {"zero displacement without force or couple offsets", [] { TPCM.DISPL = 0.0f; }, 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        TPCM.EDUNIT = screen_unit;
        TPCM.STRESS_STRAIN_FILE(150) = 12345;
        TPCM.DEPTH = 100.0f;
        TPCM.DISPL = 50000.0f;
        c.data();
        std::int32_t WARNEM = 0, FWARN = 0;
        whole_file_checks(WARNEM, FWARN);
        EXPECT_EQ(WARNEM, c.warnings);
        EXPECT_EQ(FWARN, c.fatal);
        EXPECT_EQ(console.screen(), c.screen);
        // The word before ANCTYP(1) belongs to another member and is never written.
        EXPECT_EQ(TPCM.STRESS_STRAIN_FILE(150), 12345);
    }
}

// A vessel afloat: a positive depth and displacement, which no fatal warning concerns.
void afloat() {
    TPCM.DEPTH = 100.0f;
    TPCM.DISPL = 50000.0f;
}

TEST(WholeFileChecks, DerivedSettings) {
    {
        SCOPED_TRACE("no offsets: one layer, no span");
        ScriptedConsole console;
        afloat();
        TPCM.NLAYER = 9;
        TPCM.ZSPAN = 3.0f;
        std::int32_t WARNEM = 0, FWARN = 0;
        whole_file_checks(WARNEM, FWARN);
        EXPECT_EQ(TPCM.NLAYER, 1);
        EXPECT_EQ(TPCM.ZSPAN, 0.0f);
    }
    {
        SCOPED_TRACE("offsets: seven layers over the fairleads' span");
        ScriptedConsole console;
        afloat();
        four_lines(50.0f, 8.0f);
        TPCM.NVERT = 2;
        std::int32_t WARNEM = 0, FWARN = 0;
        whole_file_checks(WARNEM, FWARN);
        EXPECT_EQ(TPCM.NLAYER, 7);
        EXPECT_EQ(TPCM.ZSPAN, interpolation_span(TPCM));
        EXPECT_EQ(FWARN, 0);
    }
    {
        SCOPED_TRACE("a hawser system: points from the vessel, no other offsets");
        ScriptedConsole console;
        afloat();
        buoy_with_hawser();
        TPCM.NFCDIR = 1;
        TPCM.FRCVEC(1, 1) = 1.0f;
        TPCM.RACC(1, 1) = 5.0f;
        TPCM.RACC(3, 1) = -2.0f;
        set_fairlead(1, 1.0f, 2.0f, 3.0f);
        TPCM.ANCTYP(1) = 1;
        for (std::int32_t* count :
             {&TPCM.NRCTDR, &TPCM.MTCHFT, &TPCM.NTQDIR, &TPCM.NOBLDR, &TPCM.NYAW, &TPCM.NVERT,
              &TPCM.AUXFRC, &TPCM.BAXFRC, &TPCM.AUXDSP, &TPCM.FCVES, &TPCM.TQVES})
            *count = 1;
        TPCM.OBLVEC(1, 1) = 1.0f;
        std::int32_t WARNEM = 0, FWARN = 0;
        whole_file_checks(WARNEM, FWARN);
        EXPECT_EQ(FWARN, 0);
        EXPECT_EQ(TPCM.ENDHT, -2.0f);
        EXPECT_EQ(TPCM.XSALM, 5.0f);
        EXPECT_EQ(TPCM.FAPPNT(1), 1.0f);
        EXPECT_EQ(TPCM.FAPPNT(3), 3.0f);
        EXPECT_EQ(TPCM.ANCTYP(1), 0);
        for (std::int32_t count :
             {TPCM.NRCTDR, TPCM.MTCHFT, TPCM.NTQDIR, TPCM.NOBLDR, TPCM.NYAW, TPCM.NVERT,
              TPCM.AUXFRC, TPCM.BAXFRC, TPCM.AUXDSP, TPCM.FCVES, TPCM.TQVES})
            EXPECT_EQ(count, 0);
    }
}

// The menu as the final page shows it (typed from its layout).
const std::string menu = "                   ****  Page 17: End of Session  ****\n"
                         "\n"
                         "\n"
                         " 1) Exit to operating system and update data file\n"
                         " 2) Exit to operating system WITHOUT updating data file\n"
                         "\n"
                         " 3) Execute simulation in interactive mode\n"
                         " 4) Execute simulation in silent mode\n"
                         "\n"
                         " 5) Produce diskfile of input data\n"
                         "\n"
                         " 7) Import Vessel and environment data from an external file\n"
                         " 8) Import mooring system data from an external file\n"
                         "\n"
                         "  (Press <RETURN> to review data)\n"
                         " \n"
                         " Enter number of selection (\"H\" for help): ";
const std::string pause = " \n Press <RETURN> to continue: ";

// One line of one line type that the pre-run checks find nothing to say about: a subline of
// positive length and dry weight, long enough to reach its anchor, with a fairlead and a
// departure angle.
void sound_mooring() {
    TPCM.SIMTYP = 8;
    TPCM.EDUNIT = screen_unit;
    TPCM.NUMTAB = 90;
    TPCM.NTYP = 1;
    TPCM.NLIN = 1;
    TPCM.NLINE(1) = 1;
    TPCM.LINTYP(1, 1) = 1;
    TPCM.NELEM(1) = 1;
    TPCM.SLEN(1, 1) = 1000.0f;
    TPCM.DRYWT(1, 1) = 0.1f;
    TPCM.ANCTYP(1) = 1;
    TPCM.ANCHGT(1) = 100.0f;
    TPCM.DEPTH = 100.0f;
    TPCM.DRAFT = 10.0f;
    TPCM.DISPL = 50000.0f;
    set_fairlead(1, 0.0f, 0.0f, -10.0f);
    TPCM.ANGDEP(1) = 0.5f;
}

void unspecified_axis() {
    sound_mooring();
    TPCM.NOBLDR = 1;
}

TEST(Catfin, FatalWarningBringsTheMenuBack) {
    ScratchFolder folder;
    ScriptedConsole console("3\n\n2\n");
    unspecified_axis();
    CATFIN("17");
    EXPECT_EQ(console.screen(), menu + F3 + pause + menu);
    EXPECT_EQ(TPCM.LBACK, 101);
    EXPECT_EQ(TPCM.LCOPY, 0);
    EXPECT_FALSE(folder.has("CATIN.stxt"));
}

TEST(Catfin, WarningsOnlyLetTheNextExecuteGoWithoutChecks) {
    ScratchFolder folder;
    ScriptedConsole console("3\n\n3\n");
    sound_mooring();
    TPCM.NFCDIR = 1;
    TPCM.FRCVEC(1, 1) = 1.0f;
    TPCM.FRCOFF(1) = 100.0f;
    CATFIN("17");
    EXPECT_EQ(console.screen(), menu + W1 + pause + menu);
    // The Execute starts the mirror pass into "CATIN.stxt".
    EXPECT_TRUE(folder.has("CATIN.stxt"));
    EXPECT_EQ(TPCM.LBACK, code_first);
    EXPECT_EQ(TPCM.LCOPY, 1);
    EXPECT_EQ(TPCM.EDUNIT, 1);
    EXPECT_EQ(final_page_store.UNTSAV, screen_unit);
}

TEST(Catfin, ExecuteFromAPageChecksWithoutTheMenu) {
    ScratchFolder folder;
    ScriptedConsole console("");
    sound_mooring();
    TPCM.LBACK = code_execute;
    TPCM.NLAYER = 7;
    CATFIN("17");
    EXPECT_EQ(console.screen(), "");
    EXPECT_EQ(TPCM.NLAYER, 1);
    EXPECT_EQ(TPCM.LCOPY, 1);
    EXPECT_TRUE(folder.has("CATIN.stxt"));
}

// The check for words that are no number comes last and sees the data as the checks before it
// leave them: a stored ZSPAN that is no number, which the whole-file checks set (one layer and
// no span without vertical offsets), lets the Execute go; BTFRC0, which none of them sets, is a
// fatal warning that brings the menu back.
TEST(Catfin, ExecuteRefusesAWordThatIsNoNumberAsTheChecksLeaveIt) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    {
        SCOPED_TRACE("ZSPAN");
        ScratchFolder folder;
        ScriptedConsole console("");
        sound_mooring();
        TPCM.ZSPAN = nan;
        TPCM.LBACK = code_execute;
        CATFIN("17");
        EXPECT_EQ(console.screen(), "");
        EXPECT_EQ(TPCM.ZSPAN, 0.0f);
        EXPECT_EQ(TPCM.LCOPY, 1);
        EXPECT_TRUE(folder.has("CATIN.stxt"));
    }
    SCOPED_TRACE("BTFRC0");
    ScratchFolder folder;
    ScriptedConsole console("3\n\n2\n");
    sound_mooring();
    TPCM.BTFRC0 = nan;
    CATFIN("17");
    EXPECT_EQ(console.screen(),
              menu + "\n ++> Fatal Warning: The data word BTFRC0 holds no finite number.\n" +
                  pause + menu);
    EXPECT_EQ(TPCM.LCOPY, 0);
    EXPECT_FALSE(folder.has("CATIN.stxt"));
}

TEST(Catfin, SilentRunStopsOnAFatalWarning) {
    ScratchFolder folder;
    ScriptedConsole console("4\n");
    unspecified_axis();
    EXPECT_EQ(run_until_stop([] { CATFIN("17"); }), StopKind::error);
    EXPECT_EQ(console.screen(), menu);
    EXPECT_EQ(folder.read("Diagnostics.stxt"), F3);
    EXPECT_FALSE(folder.has("CATIN.stxt"));
}

TEST(Catfin, SilentRunGoesOnAfterWarnings) {
    ScratchFolder folder;
    ScriptedConsole console("4\n");
    sound_mooring();
    TPCM.NFCDIR = 1;
    TPCM.FRCVEC(1, 1) = 1.0f;
    TPCM.FRCOFF(1) = 100.0f;
    TPCM.NBUG = 1;
    TPCM.IUNIT = 6;
    CATFIN("17");
    EXPECT_EQ(console.screen(), menu);
    EXPECT_EQ(TPCM.NBUG, 0);
    EXPECT_EQ(TPCM.IUNIT, 1);
    EXPECT_EQ(TPCM.LCOPY, 1);
    EXPECT_EQ(final_page_store.UNTSAV, diagnostics_unit);
    close_all_units();
    EXPECT_EQ(folder.read("Diagnostics.stxt"), W1);
}

TEST(Parchk, OnlyExactUnitSensesPassQuietly) {
    struct Case {
        std::vector<float> senses;
        std::int32_t NVAL;
        std::string answer;
        std::int32_t IANSW;
        bool warned;
    };
    const Case cases[] = {
        {{1.0f, -1.0f, 1.0f}, 3, "", 0, false},
        {{1.0f, 0.99999994f}, 2, "-1\n", -1, true}, // one rounding step off
        {{1.0f, -2.0f}, 2, "\n", 0, true},
        {{1.0f, 0.5f}, 1, "", 0, false}, // values beyond NVAL are not looked at
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "NVAL " << c.NVAL << " answer " << c.answer);
        ScriptedConsole console(c.answer);
        std::int32_t IANSW = 99;
        PARCHK(c.senses, c.NVAL, screen_unit, keyboard_unit, IANSW);
        EXPECT_EQ(IANSW, c.IANSW);
        EXPECT_EQ(console.screen(),
                  c.warned ? "\n ++> Warning: a specified directional sense has an absolute "
                             "value other than 1.\n\n    Press <Return> to continue or -1 to "
                             "review... "
                           : "");
    }
}

} // namespace
} // namespace lintar
