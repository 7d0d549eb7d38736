// Tests of the checks before an execution and of their message counter.
#include "datafile/prerun_checks.h"
#include "support/console.h"
#include "support/mooring_fixture.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::fill_new_file;
using testing::fill_spread_mooring;

using Lines = std::vector<std::string>;

// The screen of a sequence of messages: each is an empty line, then its lines.
std::string screen_of(const std::vector<Lines>& messages) {
    std::string text;
    for (const Lines& message : messages) {
        text += '\n';
        for (const std::string& line : message)
            text += line + '\n';
    }
    return text;
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

const std::string pause_prompt = "Press <RETURN> to continue: ";

// The messages, as the program writes them.
const Lines table_size_89 = {" ++> Warning: Specified table size (89) is less than optimum.",
                             "     Consider increasing table size to the maximum value of 90."};
const Lines heights_differ = {" ++> Warning: Vertical positions of fairleads inconsistent",
                              "     with the specified number of distinct line types."};
Lines nonpositive_length(const std::string& type) {
    return {" ++> Fatal Warning: The line length for line type " + type + ", ",
            "     and possibly others, is non-positive."};
}
Lines too_short(const std::string& type) {
    return {" ++> Warning: The line length for line type " + type + ", and possibly others,",
            "     is insufficient to reach the anchor."};
}
Lines unrealizable(const std::string& type, const std::string& element) {
    return {" ++> Warning: Physically unrealizable elastic characteristics or",
            "     multi-valued stress-elongation curve detected for ",
            "     (type,element) = (" + type + "," + element + ")."};
}
const Lines unrealizable_closing = {
    "     The simulation may run to completion but the interpolation tables will",
    "     possibly be meaningless. You should re-check your Alpha coefficients."};
const Lines weakest_line = {" ++> Warning: Maximum horizontal load is greater than",
                            "     TWICE the breaking strength of the weakest line."};
Lines dry_weight(const std::string& type, const std::string& element) {
    return {" ++> Warning: Nonpositive dry weight detected for",
            "     (type,element) = (" + type + "," + element + "), and possibly others.",
            "     Default estimates will be applied."};
}
const Lines spectral_at_nodes = {
    " ++> Warning: The option \"Spectral estimates for line load WF standard deviations\"",
    "              is untested at nodes other than fairlead and anchor with",
    "              \"Line loads and motions at element end points\" requested;",
    "              consider disabling one or the other if possible."};
const Lines large_amplitude = {" ++> Warning: [Wave Height]/[Water Depth] ratio suggests use of",
                               "     \"large-amplitude\" wave-frequency line load algorithm."};
const Lines large_amplitude_layers = {
    " ++> Warning: Large-amplitude wave-frequency line load algorithm selected and",
    "     no interpolation layers or zero vertical interpolation span."};
Lines total_line_number(bool fatal, const std::string& lines, const std::string& types) {
    return {fatal ? " ++> Fatal Warning: Incorrect total line number."
                  : " ++> Warning: Incorrect total line number.",
            "     total line number = " + lines, "     total line types  = " + types};
}
const Lines three_sublines = {
    " ++> Fatal Warning: More than three sublines in type  1, and possibly others.",
    "     Consolidate sublines or use clump weight/spring buoy options."};
Lines line_identification(const std::string& type) {
    return {" ++> Fatal Warning: Line identification number error",
            "     or line number duplication in line type " + type};
}
const Lines spread_geometry = {
    " ++> Warning: Fairlead positions appear to be inconsistent with a spread mooring system.",
    "     If your mooring centroid is displaced longitudinally from your vessel centroid,",
    "     consider using the \"locked turret\" option."};
const Lines spread_geometry_family = {
    " ++> Warning: Fairlead positions appear to be inconsistent with a spread mooring system.",
    "     If your mooring centroid is displaced longitudinally from your vessel centroid,",
    "     consider using Varnel with the \"locked turret\" option."};
const Lines turret_geometry = {" ++> Warning: Fairlead positions appear to be",
                               "     inconsistent with a turret mooring system."};
const Lines undirected_spectrum = {
    " ++> Fatal Warning: A nonzero auxiliary force spectrum has no assigned direction."};
Lines hawser(const std::string& line) {
    return {" ++> Fatal Warning: Hawser line type has more than a single line",
            "     OR hawser-associated line number is not equal to " + line};
}
const Lines missing_fairleads = {" ++> Fatal Warning: Missing fairlead data."};
const Lines missing_angles = {" ++> Warning: Missing line departure angle data?"};
const Lines missing_turret_centroid = {" ++> Warning: Missing turret centroid data?"};
const Lines differing_centres = {
    " ++> Warning: Differing x values for {turret centroid, moment reporting center}:", "",
    "              {     0.0,     10.0}.", "", "     Is that what you really want?"};
const Lines dynamic_line_number = {" ++> Fatal Warning: A line number for dynamic evaluation",
                                   "    exceeds the total line number."};
const Lines line_maximum = {" ++> Fatal Warning: This simulation supports a maximum of 150 lines."};
const Lines tendon_advice = {" ++> Gordax generally performs best if you specify",
                             "     \"Mean line profile determined by distance to anchor\" or",
                             "     \"Mean line profile determined by horizontal tension\" or",
                             "     \"Mean line profile determined by fairlead line angle\"",
                             "     after *first* setting tendon length to achieve the desired",
                             "     top tension. (Typically, distance to anchor = 0,",
                             "     horizontal tension = 0 or fairlead line angle = 90.)"};
const Lines too_few_layers = {
    " ++> Fatal Warning: This simulation requires a minimum of three interpolation",
    "     layers and a positive-definite vertical interpolation span"};
const Lines layers_inconsistent = {
    " ++> Warning: Logical inconsistency between the number of interpolation layers",
    "     and the specified vertical interpolation span."};
const Lines negative_lf_damping = {
    " ++> Fatal Warning: Nonpositive user-specified low-frequency damping coefficient."};
const Lines nonpositive_lf_damping = {
    " ++> Fatal Warning: A user-specified low-frequency damping is nonpositive."};
const Lines moor_modified_damping = {
    " ++> Fatal Warning: Nonpositive user-specified moor-modified damping coefficient."};
const Lines moor_modified_period = {
    " ++> Fatal Warning: Nonpositive user-specified moor-modified natural period."};
const Lines legacy_modes = {
    " ++> Fatal Warning: Legacy modal treatment untested with time-domain analysis."};

// Gives line type t a third and fourth subline, copies of its second.
void add_two_sublines(int t) {
    TPCM.NELEM(t) = 4;
    for (int e = 3; e <= 4; ++e) {
        TPCM.SLEN(e, t) = TPCM.SLEN(2, t);
        TPCM.DRYWT(e, t) = TPCM.DRYWT(2, t);
        TPCM.TBRK(e, t) = TPCM.TBRK(2, t);
        TPCM.ALPHA(1, e, t) = TPCM.ALPHA(1, 2, t);
    }
}

// Puts the fairleads of lines 5 to 150 (the defaults of a new file) at the height of the
// fixture's four.
void level_fairleads() {
    for (int i = 5; i <= 150; ++i)
        TPCM.RFLD(3, i) = TPCM.RFLD(3, 1);
}

TEST(Linwrn, NewFileIsRefusedForItsLengthAndFairleads) {
    testing::ScriptedConsole console;
    fill_new_file();
    std::int32_t warnem = 0, fwarn = 0;
    LINWRN(warnem, fwarn);
    EXPECT_EQ(console.screen(), screen_of({nonpositive_length(" 1"), dry_weight(" 1", " 1"),
                                           missing_fairleads, missing_angles}));
    EXPECT_EQ(warnem, 2);
    EXPECT_EQ(fwarn, 2);
}

TEST(Linwrn, ValidSpreadMooringPassesAndStoresItsSettings) {
    testing::ScriptedConsole console;
    fill_spread_mooring();
    TPCM.BTOUCH = 0;
    TPCM.PRNRAO = 1;
    std::int32_t warnem = 3, fwarn = 1; // counts of the caller's own checks are kept
    LINWRN(warnem, fwarn);
    EXPECT_EQ(console.screen(), "");
    EXPECT_EQ(warnem, 3);
    EXPECT_EQ(fwarn, 1);
    EXPECT_EQ(TPCM.BTOUCH, 1);
    EXPECT_EQ(TPCM.PRNRAO, 0);
    EXPECT_EQ(TPCM.SHORTY, 2500.0f);
    EXPECT_EQ(TPCM.LONGIE, 2500.0f);
    EXPECT_EQ(TPCM.TENDON_FLG, 0);

    // Any of the three output options asks for RAOs; a second call stores the same settings.
    TPCM.LANCLN = 1;
    LINWRN(warnem, fwarn);
    LINWRN(warnem, fwarn);
    EXPECT_EQ(TPCM.PRNRAO, 1);
    EXPECT_EQ(console.screen(), "");

    // Without line types the lengths keep their start values; a type without an anchor on
    // the bottom leaves BTOUCH clear.
    TPCM.NTYP = 0;
    LINWRN(warnem, fwarn);
    EXPECT_EQ(TPCM.SHORTY, 1.0e30f);
    EXPECT_EQ(TPCM.LONGIE, 0.0f);
    EXPECT_EQ(TPCM.BTOUCH, 0);
}

struct FindingCase {
    const char* name;
    int line_types; // of the spread-mooring fixture
    void (*change)();
    std::vector<Lines> messages;
    int warnings;
    int fatals;
};

// clang-format off
const FindingCase finding_cases[] = {
    {"table size 89", 1, [] { TPCM.NUMTAB = 89; }, {table_size_89}, 1, 0},
    {"table size 90", 1, [] { TPCM.NUMTAB = 90; }, {}, 0, 0},
    {"fairlead heights of one type differ", 1, [] { TPCM.RFLD(3, 2) = 25.0f; },
     {heights_differ}, 1, 0},
    {"zero-length sublines in two types: the higher type once", 2,
     [] { TPCM.SLEN(2, 1) = 0.0f; TPCM.SLEN(1, 2) = 0.0f; }, {nonpositive_length(" 2")}, 0, 1},
    {"one zero-length subline in the first of two types", 2, [] { TPCM.SLEN(1, 1) = -1.0f; },
     {nonpositive_length(" 1")}, 0, 1},
    {"length exactly the fairlead's height above the anchor", 1,
     [] { TPCM.SLEN(1, 1) = 100.0f; TPCM.SLEN(2, 1) = 180.0f; }, {}, 0, 0},
    {"length one foot short of the anchor", 1,
     [] { TPCM.SLEN(1, 1) = 100.0f; TPCM.SLEN(2, 1) = 179.0f; }, {too_short(" 1")}, 1, 0},
    {"short line with no anchor on the bottom", 1,
     [] { TPCM.SLEN(2, 1) = 179.0f; TPCM.SLEN(1, 1) = 100.0f; TPCM.ANCTYP(1) = 0; }, {}, 0, 0},
    {"compliance (1,2,1): the slope can vanish", 1,
     [] { TPCM.ALPHA(1, 2, 1) = 1.0f; TPCM.ALPHA(2, 2, 1) = 2.0f; TPCM.ALPHA(3, 2, 1) = 1.0f; },
     {unrealizable(" 1", " 2"), unrealizable_closing}, 2, 0},
    {"compliance (1,1,1) is realizable", 1,
     [] { TPCM.ALPHA(1, 2, 1) = 1.0f; TPCM.ALPHA(2, 2, 1) = 1.0f; TPCM.ALPHA(3, 2, 1) = 1.0f; },
     {}, 0, 0},
    {"compliance (a1 > 0, 0, 0) is realizable", 1,
     [] { TPCM.ALPHA(1, 1, 1) = 2.0e-3f; TPCM.ALPHA(2, 1, 1) = 0.0f; }, {}, 0, 0},
    {"compliance (1,-1,0) falls", 1,
     [] { TPCM.ALPHA(1, 1, 1) = 1.0f; TPCM.ALPHA(2, 1, 1) = -1.0f; },
     {unrealizable(" 1", " 1"), unrealizable_closing}, 2, 0},
    {"compliance (-1,0,0) falls", 1, [] { TPCM.ALPHA(1, 1, 1) = -1.0f; },
     {unrealizable(" 1", " 1"), unrealizable_closing}, 2, 0},
    {"a subline of the strain database keeps its unused coefficients", 1,
     [] { TPCM.ALPHA(1, 2, 1) = -1.0f; TPCM.STRESS_STRAIN_FILE(1) = 2; }, {}, 0, 0},
    {"three unrealizable sublines: four counts", 2,
     [] { TPCM.ALPHA(3, 1, 1) = -1.0f; TPCM.ALPHA(3, 2, 1) = -1.0f; TPCM.ALPHA(3, 2, 2) = -1.0f; },
     {unrealizable(" 1", " 1"), unrealizable(" 1", " 2"), unrealizable(" 2", " 2"),
      unrealizable_closing}, 4, 0},
    {"tables beyond twice the weakest breaking strength", 1, [] { TPCM.TLOAD = 2201.0f; },
     {weakest_line}, 1, 0},
    {"tables at twice the weakest breaking strength", 1, [] { TPCM.TLOAD = 2200.0f; }, {}, 0, 0},
    {"two zero dry weights: the first, types outermost", 2,
     [] { TPCM.DRYWT(1, 2) = 0.0f; TPCM.DRYWT(2, 1) = 0.0f; }, {dry_weight(" 1", " 2")}, 1, 0},
    {"spectral estimates with element end points", 1,
     [] { TPCM.RMSFLG = 1; TPCM.GETNODE = 1; }, {spectral_at_nodes}, 1, 0},
    {"this program has no wave-ratio checks", 1,
     [] { TPCM.LRANDM = 1; TPCM.SWHT(1) = 30.0f; TPCM.NLWVFG = 1; TPCM.NLAYER = 1; }, {}, 0, 0},
    {"more lines than the types hold", 1, [] { TPCM.NLIN = 5; },
     {total_line_number(true, " 5", " 1")}, 0, 1},
    {"more types than lines", 2, [] { TPCM.NLIN = 1; TPCM.NLINE(1) = 1; TPCM.NLINE(2) = 0; },
     {total_line_number(false, " 1", " 2"), spread_geometry}, 2, 0},
    {"line number in two types", 2, [] { TPCM.LINTYP(2, 2) = 1; },
     {line_identification(" 1")}, 0, 1},
    {"line number above NLIN", 1, [] { TPCM.LINTYP(4, 1) = 5; },
     {line_identification(" 1")}, 0, 1},
    {"types raised before their lines are assigned", 1, [] { TPCM.NTYP = 2; },
     {nonpositive_length(" 2"), weakest_line, dry_weight(" 2", " 1"),
      total_line_number(true, " 4", " 2"), line_identification(" 2")}, 2, 3},
    {"more than three sublines outside the static-mooring program", 1,
     [] { add_two_sublines(1); }, {}, 0, 0},
    {"fairlead spread too small for a spread mooring", 1,
     [] { for (int i = 1; i <= 4; ++i) TPCM.RFLD(1, i) /= 10.0f; }, {spread_geometry}, 1, 0},
    {"all fairleads at the origin", 1,
     [] { for (int i = 1; i <= 4; ++i) for (int k = 1; k <= 3; ++k) TPCM.RFLD(k, i) = 0.0f; },
     {spread_geometry, missing_fairleads}, 1, 1},
    {"all departure angles zero: only a warning here", 1,
     [] { for (int i = 1; i <= 4; ++i) TPCM.ANGDEP(i) = 0.0f; }, {missing_angles}, 1, 0},
    {"auxiliary force spectrum without a direction", 1,
     [] { TPCM.AUXFRC = 1; TPCM.SPECF1 = 1.0f; }, {undirected_spectrum}, 0, 1},
    {"third auxiliary force spectrum without a direction", 1,
     [] { TPCM.AUXFRC = 1; TPCM.XVFRC = 1.0f; TPCM.AXFC3 = 1; TPCM.SPECF3 = 1.0f; },
     {undirected_spectrum}, 0, 1},
    {"moment reporting centre away from the turret centroid", 1, [] { TPCM.RMCTR(1) = 10.0f; },
     {differing_centres}, 1, 0},
    {"negative low-frequency damping", 1, [] { TPCM.LSGLFD = 1; TPCM.SGLFDP = -1.0f; },
     {negative_lf_damping, nonpositive_lf_damping}, 0, 2},
    {"zero low-frequency damping", 1, [] { TPCM.LYWLFD = 1; }, {nonpositive_lf_damping}, 0, 1},
    {"zero low-frequency damping without the low-frequency analysis", 1,
     [] { TPCM.LYWLFD = 1; TPCM.LQUAS = 0; }, {}, 0, 0},
    {"negative moor-modified damping and period", 1,
     [] { TPCM.MORFBK = 1; TPCM.LSWDMP = 1; TPCM.SWMDMP = -1.0f; TPCM.LYWPRD = 1;
          TPCM.YWK = -2.0f; },
     {moor_modified_damping, moor_modified_period}, 0, 2},
    {"legacy modes with time-domain files", 1,
     [] { TPCM.LEGACY_ID = 1; TPCM.WriteAuxDatFiles = 1; }, {legacy_modes}, 0, 1},
    {"tendon tables in this program", 1, [] { TPCM.TENDON_FLG = 1; TPCM.LODTYP = 2; },
     {too_few_layers, layers_inconsistent}, 1, 1},
};
// clang-format on

TEST(Linwrn, FindingsOnTheSpreadMooring) {
    for (const FindingCase& c : finding_cases) {
        SCOPED_TRACE(c.name);
        testing::ScriptedConsole console;
        fill_spread_mooring(c.line_types);
        c.change();
        std::int32_t warnem = 0, fwarn = 0;
        LINWRN(warnem, fwarn);
        EXPECT_EQ(console.screen(), screen_of(c.messages));
        EXPECT_EQ(warnem, c.warnings);
        EXPECT_EQ(fwarn, c.fatals);
    }
}

// The spread mooring as the data of another program of the family.
// clang-format off
const FindingCase program_cases[] = {
    {"static mooring: more than three sublines", 1,
     [] { TPCM.SIMTYP = 7; add_two_sublines(1); },
     {three_sublines}, 0, 1},
    {"spread mooring: random sea high for the depth", 1,
     [] { TPCM.SIMTYP = 12; TPCM.LRANDM = 1; TPCM.SWHT(1) = 8.1f; }, {large_amplitude}, 1, 0},
    {"spread mooring: random sea low enough", 1,
     [] { TPCM.SIMTYP = 12; TPCM.LRANDM = 1; TPCM.SWHT(1) = 8.0f; }, {}, 0, 0},
    {"spread mooring: seas and swell together", 1,
     [] { TPCM.SIMTYP = 12; TPCM.LRANDM = 1; TPCM.LSWELL = 1; TPCM.SWHT(1) = 6.0f;
          TPCM.SWELHT = 6.0f; }, {large_amplitude}, 1, 0},
    {"spread mooring: a regular wave slope with the middle period", 1,
     [] { TPCM.SIMTYP = 12; TPCM.LSLPHT = 1; TPCM.SLPHT = 7.0f; TPCM.DEPTH = 100.0f; },
     {large_amplitude}, 1, 0},
    {"spread mooring: a one-period grid takes its only period", 1,
     [] { TPCM.SIMTYP = 12; TPCM.LSLPHT = 1; TPCM.SLPHT = 7.0f; TPCM.DEPTH = 100.0f;
          TPCM.NWP = 1; }, {}, 0, 0},
    {"spread mooring: large-amplitude loads without layers", 1,
     [] { TPCM.SIMTYP = 12; TPCM.NLWVFG = 1; TPCM.NLAYER = 1; TPCM.LRANDM = 1;
          TPCM.SWHT(1) = 30.0f; }, {large_amplitude_layers}, 1, 0},
    {"spread mooring: tendon setting cleared", 1,
     [] { TPCM.SIMTYP = 12; TPCM.TENDON_FLG = 1; }, {}, 0, 0},
    {"spread mooring: departure angles missing", 1,
     [] { TPCM.SIMTYP = 12; for (int i = 1; i <= 4; ++i) TPCM.ANGDEP(i) = 0.0f; },
     {{" ++> Fatal Warning: Missing line departure angle data."}}, 0, 1},
    {"spread mooring: 149 lines pass the maximum", 1,
     [] { TPCM.SIMTYP = 12; TPCM.NLIN = 149; TPCM.NLINE(1) = 149; level_fairleads(); }, {}, 0, 0},
    {"spread mooring: 150 lines fail the maximum", 1,
     [] { TPCM.SIMTYP = 12; TPCM.NLIN = 150; TPCM.NLINE(1) = 150; TPCM.LINTYP(150, 1) = 150;
          level_fairleads(); },
     {line_maximum}, 0, 1},
    {"spread mooring: a line for dynamic evaluation beyond NLIN", 1,
     [] { TPCM.SIMTYP = 12; TPCM.NDYNEV = 2; TPCM.IDYNEV(1) = 1; TPCM.IDYNEV(2) = 5; },
     {dynamic_line_number}, 0, 1},
    {"spread mooring: a single line", 1,
     [] { TPCM.SIMTYP = 12; TPCM.NLIN = 1; TPCM.NLINE(1) = 1; },
     {spread_geometry_family, {" ++> Fatal Warning: Single line systems MUST use Varnel."}}, 1, 1},
    {"single-point mooring: spread fairleads on a turret", 1,
     [] { TPCM.SIMTYP = 15; TPCM.LSPM = 1; },
     {turret_geometry, missing_turret_centroid}, 2, 0},
    {"tension-leg platform: advice, tendon tables and their layers", 1,
     [] { TPCM.SIMTYP = 14; TPCM.NLWVFG = 1; },
     {tendon_advice, too_few_layers, layers_inconsistent}, 2, 1},
    {"spar: layers required", 1, [] { TPCM.SIMTYP = 17; TPCM.NLAYER = 1; TPCM.ZSPAN = 40.0f; },
     {too_few_layers, layers_inconsistent}, 1, 1},
};
// clang-format on

TEST(Linwrn, BranchesOfTheOtherPrograms) {
    for (const FindingCase& c : program_cases) {
        SCOPED_TRACE(c.name);
        testing::ScriptedConsole console;
        fill_spread_mooring(c.line_types);
        c.change();
        std::int32_t warnem = 0, fwarn = 0;
        LINWRN(warnem, fwarn);
        EXPECT_EQ(console.screen(), screen_of(c.messages));
        EXPECT_EQ(warnem, c.warnings);
        EXPECT_EQ(fwarn, c.fatals);
    }
}

TEST(Linwrn, TensionLegPlatformSetsTendonTables) {
    testing::ScriptedConsole console;
    fill_spread_mooring();
    TPCM.SIMTYP = 14;
    TPCM.NLWVFG = 1;
    std::int32_t warnem = 0, fwarn = 0;
    LINWRN(warnem, fwarn);
    EXPECT_EQ(TPCM.TENDON_FLG, 1);
    EXPECT_EQ(TPCM.NLWVFG, 0);
}

// A CALM buoy moored by the four lines of the fixture (its legs) with a hawser, line 5 of its
// own type 2, to a tanker whose fairlead is vessel point 1.
void fill_calm_buoy() {
    fill_spread_mooring();
    TPCM.SIMTYP = 13;
    TPCM.IARCO = 1;
    TPCM.LWL = 40.0f;
    TPCM.DRAFT = 12.0f;
    constexpr float x[] = {12.0f, -8.0f, -8.0f, 12.0f};
    for (int i = 1; i <= 4; ++i) {
        TPCM.RFLD(1, i) = x[i - 1];
        TPCM.RFLD(2, i) = i <= 2 ? 10.0f : -10.0f;
        TPCM.RFLD(3, i) = 2.0f;
    }
    TPCM.NLIN = 5;
    TPCM.NTYP = 2;
    TPCM.HAWSLN = 5;
    TPCM.HAWSTP = 2;
    TPCM.NLINE(2) = 1;
    TPCM.LINTYP(1, 2) = 5;
    TPCM.NELEM(2) = 1;
    TPCM.SLEN(1, 2) = 250.0f;
    TPCM.DRYWT(1, 2) = 0.02f;
    TPCM.TBRK(1, 2) = 1500.0f;
    TPCM.ALPHA(1, 1, 2) = 1.0e-4f;
    TPCM.ANCTYP(2) = 1;
    TPCM.RFLD(1, 5) = 10.0f;
    TPCM.RFLD(3, 5) = 6.0f;
    TPCM.ANGDEP(5) = 180.0f;
    TPCM.RACC(1, 1) = 300.0f;
    TPCM.RACC(2, 1) = 0.0f;
    TPCM.RACC(3, 1) = 50.0f;
}

TEST(Linwrn, CalmBuoyTakesItsFairleadsAndHawserFromTheLines) {
    testing::ScriptedConsole console;
    fill_calm_buoy();
    std::int32_t warnem = 0, fwarn = 0;
    LINWRN(warnem, fwarn);
    EXPECT_EQ(console.screen(), "");
    EXPECT_EQ(fwarn, 0);
    EXPECT_EQ(TPCM.ANCTYP(2), 0);             // the hawser ends at the tanker
    EXPECT_EQ(TPCM.ANCHGT(2), 12.0f - 50.0f); // draft less the tanker fairlead's height
    EXPECT_EQ(TPCM.BTOUCH, 1);
    for (int i = 1; i <= 5; ++i)
        for (int k = 1; k <= 3; ++k)
            EXPECT_EQ(TPCM.BRACC(k, i), TPCM.RFLD(k, i)) << "point " << i << ", " << k;
    EXPECT_EQ(TPCM.BXSALM, 2.0f); // mean x of the four legs
    EXPECT_EQ(TPCM.BLNHT, 6.0f);
    EXPECT_EQ(TPCM.XSALM, 300.0f);
    EXPECT_EQ(TPCM.ENDHT, 50.0f);
}

TEST(Linwrn, CalmBuoyHawserMustBeOneLineOfItsOwnType) {
    struct Case {
        const char* name;
        void (*change)();
        std::string hawser_line;
    };
    const Case cases[] = {
        {"two lines of the hawser type",
         [] {
             TPCM.NLINE(2) = 2;
             TPCM.LINTYP(2, 2) = 4;
             TPCM.NLINE(1) = 3;
         },
         " 5"},
        {"hawser line not listed first", [] { TPCM.HAWSLN = 4; }, " 4"},
        {"hawser type outside the types", [] { TPCM.HAWSTP = 0; }, " 5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ScriptedConsole console;
        fill_calm_buoy();
        c.change();
        std::int32_t warnem = 0, fwarn = 0;
        LINWRN(warnem, fwarn);
        EXPECT_EQ(occurrences(console.screen(), screen_of({hawser(c.hawser_line)})), 1u);
    }
}

TEST(Linwrn, CalmBuoyWithOnlyItsHawserHasItsCentroidAtTheOrigin) {
    testing::ScriptedConsole console;
    fill_calm_buoy();
    TPCM.NLIN = 1;
    TPCM.HAWSLN = 1;
    TPCM.NTYP = 1;
    TPCM.HAWSTP = 1;
    TPCM.NLINE(1) = 1;
    TPCM.BXSALM = 99.0f;
    std::int32_t warnem = 0, fwarn = 0;
    LINWRN(warnem, fwarn);
    EXPECT_EQ(TPCM.BXSALM, 0.0f);
    EXPECT_EQ(TPCM.BLNHT, TPCM.RFLD(3, 1));
    EXPECT_EQ(occurrences(console.screen(), "Single line systems MUST use Varnel."), 1u);
}

TEST(Linwrn, TowPutsTheTugLineAtTheBargeAndCopiesItsFairlead) {
    testing::ScriptedConsole console;
    fill_spread_mooring();
    TPCM.SIMTYP = 10;
    TPCM.NLIN = 1;
    TPCM.NLINE(1) = 1;
    TPCM.HAWSLN = 1;
    TPCM.BRACC(1, 1) = -150.0f;
    TPCM.BRACC(3, 1) = 25.0f;
    TPCM.RACC(1, 1) = -280.0f;
    TPCM.RACC(2, 1) = 0.0f;
    TPCM.RACC(3, 1) = 30.0f;
    std::int32_t warnem = 0, fwarn = 0;
    LINWRN(warnem, fwarn);
    EXPECT_EQ(TPCM.RFLD(1, 1), -150.0f);
    EXPECT_EQ(TPCM.RFLD(2, 1), 0.0f);
    EXPECT_EQ(TPCM.RFLD(3, 1), 25.0f);
    EXPECT_EQ(TPCM.BRACC(2, 1), 0.0f);
    EXPECT_EQ(TPCM.BXSALM, -150.0f);
    EXPECT_EQ(TPCM.BLNHT, 25.0f);
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(TPCM.RACC(k, 2), TPCM.RACC(k, 1));
    EXPECT_EQ(TPCM.XSALM, -280.0f);
    EXPECT_EQ(TPCM.ENDHT, 30.0f);
    EXPECT_EQ(TPCM.ANCTYP(1), 0);
    EXPECT_EQ(TPCM.ANCHGT(1), 40.0f - 30.0f);
    EXPECT_EQ(occurrences(console.screen(), "Missing barge fairlead data?"), 0u);

    TPCM.RACC(1, 1) = TPCM.RACC(3, 1) = 0.0f;
    LINWRN(warnem, fwarn);
    EXPECT_EQ(occurrences(console.screen(), " ++> Warning: Missing barge fairlead data?\n"), 1u);
}

TEST(Linwrn, SeventhMessageIsFollowedByTheOnlyPause) {
    testing::ScriptedConsole console("\n");
    fill_new_file();  // four messages
    TPCM.NUMTAB = 89; // fifth
    TPCM.RMSFLG = 1;  // sixth
    TPCM.GETNODE = 1;
    TPCM.RMCTR(1) = 10.0f; // seventh
    std::int32_t warnem = 0, fwarn = 0;
    LINWRN(warnem, fwarn);
    EXPECT_EQ(warnem + fwarn, 7);
    const std::string screen = console.screen();
    EXPECT_EQ(occurrences(screen, pause_prompt), 1u);
    EXPECT_EQ(screen.substr(screen.size() - pause_prompt.size()), pause_prompt);
    EXPECT_NE(screen.find("     Is that what you really want?\n"), std::string::npos);
}

// Damaged data: every count and line number is checked before it reaches an array (the
// sanitizer and debug builds run these), and the damage is a fatal warning.
struct DamageCase {
    const char* name;
    void (*change)();
    std::string message; // first line of the fatal warning that names the damage
};

// clang-format off
const DamageCase damage_cases[] = {
    {"500 line types", [] { TPCM.NTYP = 500; },
     " ++> Fatal Warning: Number of line types (500) exceeds the capacity of 150."},
    {"40 sublines", [] { TPCM.NELEM(1) = 40; },
     " ++> Fatal Warning: Number of sublines in line type  1 (40) exceeds the capacity of 25,"},
    {"200 lines of one type", [] { TPCM.NLINE(1) = 200; },
     " ++> Fatal Warning: Number of lines in line type  1 (200) exceeds the capacity of 151,"},
    {"9999 lines", [] { TPCM.NLIN = 9999; },
     " ++> Fatal Warning: Number of lines (9999) exceeds the capacity of 150."},
    {"line number 0", [] { TPCM.LINTYP(1, 1) = 0; },
     " ++> Fatal Warning: Line identification number error"},
    {"line number 9999", [] { TPCM.LINTYP(2, 1) = 9999; },
     " ++> Fatal Warning: Line identification number error"},
    {"line number 9999 in a file of 9999 lines", [] { TPCM.NLIN = 9999; TPCM.LINTYP(2, 1) = 9999; },
     " ++> Fatal Warning: Line identification number error"},
    {"no lines", [] { TPCM.NLIN = 0; },
     " ++> Fatal Warning: Incorrect total line number."},
    {"negative counts", [] { TPCM.NTYP = -3; TPCM.NLIN = -1; TPCM.NELEM(1) = -7; },
     " ++> Fatal Warning: Incorrect total line number."},
    {"counts at the integer limit", [] { TPCM.NLINE(1) = 2147483647; TPCM.NTYP = 2; TPCM.NLINE(2) = 2147483647; },
     " ++> Fatal Warning: Incorrect total line number."},
    {"CALM buoy without lines", [] { TPCM.SIMTYP = 13; TPCM.IARCO = 1; TPCM.NLIN = 0; TPCM.HAWSLN = 0; },
     " ++> Fatal Warning: Hawser line type has more than a single line"},
    {"CALM buoy with a hawser type beyond the table", [] { TPCM.SIMTYP = 13; TPCM.IARCO = 1; TPCM.HAWSTP = 100000; },
     " ++> Fatal Warning: Hawser line type has more than a single line"},
    {"tow with a hawser type beyond the table and 9999 lines", [] { TPCM.SIMTYP = 10; TPCM.HAWSTP = -4; TPCM.NLIN = 9999; },
     " ++> Fatal Warning: This simulation supports a maximum of 150 lines."},
    {"dynamic evaluation list beyond its table", [] { TPCM.SIMTYP = 12; TPCM.NDYNEV = 100000; },
     " ++> Fatal Warning: A line number for dynamic evaluation"},
};
// clang-format on

TEST(Linwrn, DamagedCountsAndLineNumbersAreReportedNotFollowed) {
    for (const DamageCase& c : damage_cases) {
        SCOPED_TRACE(c.name);
        testing::ScriptedConsole console(std::string(20, '\n'));
        fill_spread_mooring();
        c.change();
        std::int32_t warnem = 0, fwarn = 0;
        LINWRN(warnem, fwarn);
        EXPECT_GE(fwarn, 1);
        EXPECT_EQ(occurrences(console.screen(), "\n" + c.message + "\n"), 1u);
        EXPECT_TRUE(std::isfinite(TPCM.BXSALM));
    }
}

// A real the analysis reads that is no finite number (a damaged file): one fatal warning per
// member, naming its first such element, the last index outermost; what the analysis does not
// read (slots beyond the counts, the second body of a single vessel, a buoy's points other than
// its motion points and its end of the hawser, the current switched off) may hold anything a
// stored file holds.
TEST(NonFiniteReals, EachMemberReadIsNamedOnce) {
    struct Case {
        const char* name;
        int line_types; // of the spread-mooring fixture
        void (*change)(float nan);
        std::vector<std::string> words; // named, in this order
    };
    // clang-format off
    const Case cases[] = {
        {"a scalar", 1, [](float x) { TPCM.BTFRC0 = x; }, {"BTFRC0"}},
        {"an infinity", 1, [](float) { TPCM.DEPTH = -std::numeric_limits<float>::infinity(); },
         {"DEPTH"}},
        {"a subline within its type's two", 1, [](float x) { TPCM.SLEN(2, 1) = x; },
         {"SLEN(2, 1)"}},
        {"a subline beyond its type's two", 1, [](float x) { TPCM.SLEN(3, 1) = x; }, {}},
        {"a line type beyond the one", 1, [](float x) { TPCM.SLEN(1, 2) = x; }, {}},
        {"two elements of one member: the first type's first", 2,
         [](float x) { TPCM.SLEN(1, 2) = x; TPCM.SLEN(2, 1) = x; }, {"SLEN(2, 1)"}},
        {"two members, in the order of the pages", 1,
         [](float x) { TPCM.BTFRC0 = x; TPCM.DRAFT = x; }, {"DRAFT", "BTFRC0"}},
        {"an offset point beyond the sequence's one", 1, [](float x) { TPCM.OFFL(2) = x; }, {}},
        {"the second body of a single vessel", 1, [](float x) { TPCM.BVKG = x; }, {}},
        {"the second body of a buoy with a hawser", 1,
         [](float x) { TPCM.BVKG = x; TPCM.IARCO = 1; }, {"BVKG"}},
        {"the buoy's end of the hawser beyond its motion points", 1,
         [](float x) { TPCM.BRACC(2, 4) = x; TPCM.IBUOY(1) = 1; TPCM.IARCO = 1; },
         {"BRACC(2, 4)"}},
        {"a buoy point neither a motion point nor the hawser's end", 1,
         [](float x) { TPCM.BRACC(2, 3) = x; TPCM.IBUOY(1) = 1; TPCM.IARCO = 1; }, {}},
        {"the buoy's motion point at the hawser's end: named once", 1,
         [](float x) { TPCM.BRACC(3, 1) = x; TPCM.IBUOY(1) = 1; TPCM.HAWSLN = 1; TPCM.IARCO = 1; },
         {"BRACC(3, 1)"}},
        {"the current switched off", 1, [](float x) { TPCM.CURHDG = x; }, {}},
        {"the current switched on", 1, [](float x) { TPCM.CURHDG = x; TPCM.LCURNT = 1; },
         {"CURHDG"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ScriptedConsole console;
        fill_spread_mooring(c.line_types);
        c.change(std::numeric_limits<float>::quiet_NaN());
        std::vector<Lines> messages;
        for (const std::string& word : c.words)
            messages.push_back(
                {" ++> Fatal Warning: The data word " + word + " holds no finite number."});
        std::int32_t warnem = 0, fwarn = 0;
        report_non_finite_reals(warnem, fwarn);
        EXPECT_EQ(console.screen(), screen_of(messages));
        EXPECT_EQ(warnem, 0);
        EXPECT_EQ(fwarn, static_cast<std::int32_t>(c.words.size()));
    }
}

TEST(Wrninc, PausesAfterEverySeventhMessageOfEitherKind) {
    testing::ScriptedConsole console("\n\n");
    std::int32_t warnem = 0, fwarn = 0;
    for (int k = 1; k <= 14; ++k) {
        std::int32_t& counter = k % 3 == 0 ? fwarn : warnem;
        WRNINC(counter, warnem, fwarn, screen_unit, keyboard_unit, 7);
        const auto pauses =
            console.screen().size() / std::string(" \n Press <RETURN> to continue: ").size();
        EXPECT_EQ(static_cast<int>(pauses), k / 7) << "after message " << k;
    }
    EXPECT_EQ(warnem, 10);
    EXPECT_EQ(fwarn, 4);
}

} // namespace
} // namespace lintar
