// Tests of the tanker estimate screen: the hull's shape functions, the estimates against the
// fits' closed forms, the limits of deadweight and draft, the screen and its answers.
#include "editor/tanker_screen.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "util/answer_reader.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::ScriptedConsole;

TEST(TankerShape, VolumeRunsFromZeroToOne) {
    for (const float EPSLN : {0.45f, 0.8f, 1.0f, 1.6f}) {
        SCOPED_TRACE(EPSLN);
        const EPSCOM S{EPSLN, 60.0f, 0.25f};
        EXPECT_EQ(VOLFUN(S, 0.0f), 0.0f);
        EXPECT_FLOAT_EQ(VOLFUN(S, 1.0f), 1.0f);
        EXPECT_FLOAT_EQ(NULFUN(S, 1.0f), -0.75f);
        // The waterplane fraction: EPSLN at the keel, 1 at the maximum draft.
        EXPECT_FLOAT_EQ(ALPHA(S, 0.0f), EPSLN);
        EXPECT_FLOAT_EQ(ALPHA(S, 60.0f), 1.0f);
    }
    // A box (EPSLN 1): the volume grows with the draft.
    EXPECT_FLOAT_EQ(VOLFUN(EPSCOM{1.0f, 60.0f, 0.25f}, 0.3f), 0.3f);
}

TEST(TankerShape, MetacentresOfABox) {
    // Unit coefficients: KB = T/2, KMT = T/2 + B^2/(12T), KML = T/2 + L^2/(12T).
    const float T = 10.0f, B = 40.0f, L = 200.0f;
    const TankerMetacentres M = tanker_metacentres(1.0f, 1.0f, T, B, L);
    EXPECT_FLOAT_EQ(M.VKB, 5.0f);
    EXPECT_FLOAT_EQ(M.VKMT, 5.0f + 1600.0f / 120.0f);
    EXPECT_FLOAT_EQ(M.VKML, 5.0f + 40000.0f / 120.0f);
}

TEST(TankerShape, PageUnits) {
    struct Case {
        std::int32_t NUNTS;
        float displacement, length, area;
    };
    const Case cases[] = {
        {0, 2240.0f, 100.0f, 1000.0f},                  // 2.24 kips to the long ton
        {1, 1016.0469f, 30.48f, 1000.0f * 0.09290304f}, // metric tons and metres
        {2, 1000.0f, 100.0f, 1000.0f},                  // no system: unchanged
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.NUNTS);
        TankerValues E;
        E.DISPL = 1000.0f;
        E.LWL = 100.0f;
        E.DRAFT = 100.0f;
        E.AWP = 1000.0f;
        E.YWNDAR = 1000.0f;
        E.DWTONS = 5000.0f;
        tanker_page_units(E, c.NUNTS);
        EXPECT_EQ(E.DISPL, c.displacement);
        EXPECT_FLOAT_EQ(E.LWL, c.length);
        EXPECT_FLOAT_EQ(E.DRAFT, c.length);
        EXPECT_FLOAT_EQ(E.AWP, c.area);
        EXPECT_FLOAT_EQ(E.YWNDAR, c.area);
        EXPECT_EQ(E.DWTONS, 5000.0f); // the deadweight stays in long tons
    }
}

// The fits in double precision, for a deadweight W in long tons.
struct Fit {
    double lightship, max_displacement, max_volume, scale, max_draft, depth;
    explicit Fit(double W) {
        lightship = 6.78 * std::pow(W, 2.0 / 3.0) + 0.0422 * W;
        max_displacement = W + lightship;
        max_volume = 35.0 * max_displacement;
        scale = std::cbrt(max_volume);
        max_draft = 13.32 - 1.502e-7 * max_volume + 0.01673 * std::sqrt(max_volume);
        depth = 0.4039 * scale;
    }
};

constexpr double rel_tol = 2e-5; // float fits with pow and exp; a wrong term is > 1e-3

TEST(TankerEstimates, AtTheMaximumDraftTheHullIsFullyLoaded) {
    for (const float W : {2000.0f, 50000.0f, 250000.0f}) {
        SCOPED_TRACE(W);
        ScriptedConsole console;
        const Fit fit(W);
        TankerValues E;
        E.DWTONS = W;
        E.DRAFT = static_cast<float>(fit.max_draft);
        std::int32_t LBACK = 0;
        ESTIM8(E, screen_unit, keyboard_unit, LBACK, 0);
        EXPECT_EQ(console.screen(), "");
        EXPECT_NEAR(E.DISPL, 2.24 * fit.max_displacement, rel_tol * 2.24 * fit.max_displacement);
        EXPECT_NEAR(E.DFTPCT, 100.0, 100.0 * rel_tol);
        EXPECT_NEAR(E.DSPPCT, 100.0, 100.0 * rel_tol);
        EXPECT_NEAR(E.LOADED, 100.0, 100.0 * rel_tol);
        // The volume of the hull: length x beam x draft x block coefficient.
        const double block = 0.275 * std::exp(-194.0 / fit.scale) + 0.725;
        EXPECT_NEAR(double(E.LWL) * E.BWL * E.DRAFT * block, fit.max_volume,
                    4.0 * rel_tol * fit.max_volume);
        EXPECT_NEAR(E.BWL, 0.25 * fit.scale * fit.scale / fit.max_draft, rel_tol * E.BWL);
        EXPECT_NEAR(E.BILGR, 0.07 * E.BWL, rel_tol * E.BILGR);
        EXPECT_NEAR(E.XCURAR, double(E.BWL) * E.DRAFT, rel_tol * E.XCURAR);
        EXPECT_NEAR(E.YCURAR, double(E.LWL) * E.DRAFT, rel_tol * E.YCURAR);
        // The centre of buoyancy lies below half the draft's... above it: the hull is fuller
        // below the waterline than a wedge, emptier than a box.
        EXPECT_GT(E.VKB, 0.5f * E.DRAFT);
        EXPECT_LT(E.VKB, 0.6f * E.DRAFT);
    }
}

TEST(TankerEstimates, ATooShallowDraftBecomesTheLightshipDraft) {
    for (const float draft : {0.5f, -30.0f}) {
        SCOPED_TRACE(draft);
        ScriptedConsole console("\n");
        const Fit fit(2000.0);
        TankerValues E;
        E.DWTONS = 2000.0f;
        E.DRAFT = draft;
        std::int32_t LBACK = 0;
        ESTIM8(E, screen_unit, keyboard_unit, LBACK, 0);
        EXPECT_EQ(console.screen(), " ++> Requested draft is less than the minimum\n"
                                    "     allowed draft for the specified deadweight...\n"
                                    "     To continue, the draft will be replaced by \n"
                                    "     the minimum allowable value\n"
                                    "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ");
        // Lightship alone: no cargo, so the centre of gravity is the lightship's.
        EXPECT_NEAR(E.DISPL, 2.24 * fit.lightship, rel_tol * 2.24 * fit.lightship);
        EXPECT_NEAR(E.VKG, 0.54 * fit.depth, rel_tol * E.VKG);
        EXPECT_GT(E.DRAFT, 0.0f);
        EXPECT_LT(E.DRAFT, fit.max_draft);
    }
}

TEST(TankerEstimates, LimitsOfDeadweightAndDraft) {
    const Fit fit(2000.0);
    const float max_draft = static_cast<float>(fit.max_draft);
    struct Case {
        std::string name;
        float W, draft;
        std::string keys;
        bool message, estimated;
        float W_after, DFTPCT;
    };
    const Case cases[] = {
        {"2000 long tons pass", 2000.0f, 0.9f * max_draft, "", false, true, 2000.0f, 90.0f},
        {"1999 is raised", 1999.0f, 0.9f * max_draft, "\n", true, true, 2000.0f, 90.0f},
        {"1999 refused", 1999.0f, 0.9f * max_draft, "A\n", true, false, 1999.0f, -1.0f},
        {"too deep, replaced", 2000.0f, 1.5f * max_draft, "\n", true, true, 2000.0f, 100.0f},
        {"too deep, refused", 2000.0f, 1.5f * max_draft, "a\n", true, false, 2000.0f, -1.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console(c.keys);
        TankerValues E;
        E.DWTONS = c.W;
        E.DRAFT = c.draft;
        E.DFTPCT = -1.0f;
        std::int32_t LBACK = 0;
        ESTIM8(E, screen_unit, keyboard_unit, LBACK, 0);
        EXPECT_EQ(E.DWTONS, c.W_after);
        EXPECT_EQ(LBACK, c.estimated ? 0 : -1);
        EXPECT_NEAR(E.DFTPCT, c.DFTPCT, 1e-3f);
        EXPECT_EQ(console.screen().find(" ++> Requested") != std::string::npos, c.message);
    }
    ScriptedConsole console("\n");
    TankerValues E;
    E.DWTONS = 1999.0f;
    E.DRAFT = 10.0f;
    std::int32_t LBACK = 0;
    ESTIM8(E, screen_unit, keyboard_unit, LBACK, 0);
    EXPECT_TRUE(console.screen().starts_with(
        " ++> Requested deadweight is less than 2000 long tons.\n"
        "     To continue, the deadweight will be replaced by 2000...\n\a\n"));
}

TEST(TankerEstimates, MetricDraftIsReadInMetres) {
    ScriptedConsole console;
    const Fit fit(2000.0);
    TankerValues E;
    E.DWTONS = 2000.0f;
    E.DRAFT = static_cast<float>(0.5 * fit.max_draft * 0.3048);
    std::int32_t LBACK = 0;
    ESTIM8(E, screen_unit, keyboard_unit, LBACK, 1);
    EXPECT_EQ(console.screen(), "");
    EXPECT_NEAR(E.DFTPCT, 50.0, 50.0 * rel_tol);
    EXPECT_NEAR(E.DRAFT, 0.5 * fit.max_draft * 0.3048, rel_tol * E.DRAFT);
}

TEST(TankerAnswers, Parsing) {
    struct Case {
        std::string answer;
        std::int32_t LBACK;
        std::string letters;
    };
    const Case cases[] = {
        {"", 0, ""},          {"1", 1, ""},         {"2", 2, ""},       {" 5", 5, ""},
        {"12abc", 0, ""},     {" -1977", 0, ""},    {"Z", -1977, ""},   {"zap", -1977, ""},
        {"?", code_help, ""}, {"a,g,q", -1, "AGQ"}, {"AGQ", -1, "AGQ"}, {"xyz!B", -1, "XYB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        ScriptedConsole console(c.answer + "\n");
        std::int32_t LBACK = 99;
        std::string CHARAY = "old";
        ENTEST(LBACK, screen_unit, keyboard_unit, CHARAY);
        EXPECT_EQ(LBACK, c.LBACK);
        EXPECT_EQ(CHARAY, c.letters);
        EXPECT_EQ(console.screen(),
                  "\n >>> Change items 1 or 2 for new estimates or input letter(s) (\"ACD...\")\n"
                  "     to select individual replacements (or \"Z\" to replace all);\n"
                  "     \"?\" for help, <Return> to continue WITHOUT replacement: ");
    }
}

// The first body with a deadweight of 5000 kips (2232 long tons) at a draft of 12 feet.
VesselVariables tanker_body() {
    TPCM.EDUNIT = screen_unit;
    TPCM.DWTONS = 5000.0f;
    TPCM.DRAFT = 12.0f;
    TPCM.DISPL = 1.0f;
    TPCM.VKMT = 2.0f;
    return vessel_variables(VesselBody::first);
}

TEST(TankerScreen, LettersCopyTheirEstimates) {
    TankerValues estimate;
    {
        ScriptedConsole console;
        estimate.DWTONS = 5000.0f * 0.44642857f;
        estimate.DRAFT = 12.0f;
        std::int32_t LBACK = 0;
        ESTIM8(estimate, screen_unit, keyboard_unit, LBACK, 0);
    }
    struct Case {
        std::string answer;
        bool displacement, transverse_km;
    };
    const Case cases[] = {{"a,g,q", true, false}, {"Z", true, true}, {"", false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        ScriptedConsole console(c.answer + "\n");
        VesselVariables V = tanker_body();
        std::int32_t LBACK = 0;
        std::int32_t IPAG = 0;
        TANKER(V, screen_unit, keyboard_unit, LBACK, 0, IPAG);
        EXPECT_EQ(TPCM.DISPL, c.displacement ? estimate.DISPL : 1.0f);
        EXPECT_EQ(TPCM.VKMT, c.transverse_km ? estimate.VKMT : 2.0f);
        EXPECT_EQ(TPCM.PGYR, c.displacement ? estimate.PGYR : 0.0f);
        EXPECT_EQ(TPCM.VKG, c.displacement ? estimate.VKG : 0.0f);
        EXPECT_EQ(TPCM.YWNDAR, c.transverse_km ? estimate.YWNDAR : 0.0f);
        // "Z" writes the deadweight back in kips.
        EXPECT_FLOAT_EQ(TPCM.DWTONS, 5000.0f);
    }
}

TEST(TankerScreen, Layout) {
    ScriptedConsole console("\n");
    TPCM.EDUNIT = screen_unit;
    TPCM.DRAFT = 50.0f; // no deadweight: nothing is estimated, the page's values are shown
    TPCM.DISPL = 1000.0f;
    TPCM.LOADED = 90.0f;
    TPCM.DSPPCT = 45.5f;
    TPCM.DFTPCT = 60.25f;
    TPCM.LWL = 800.0f;
    TPCM.VKMT = 45.0f;
    TPCM.YGYR = 200.5f;
    TPCM.AWP = 100000.0f;
    TPCM.YWNDAR = 30000.4f;
    VesselVariables V = vessel_variables(VesselBody::first);
    std::int32_t LBACK = 0;
    std::int32_t IPAG = 0;
    TANKER(V, screen_unit, keyboard_unit, LBACK, 0, IPAG);
    EXPECT_EQ(
        console.screen(),
        "\n"
        " >>> Independent variables for     1. Deadweight (DWT)....       0. Long Tons\n"
        "     tanker property estimates:    2. Simulation Draft ...   50.00  feet           \n"
        "\n"
        " A. Vessel Displacement       1000. Kips  L. Freeboard-based load...    90.0%\n"
        " B. Displacement-based load     45.5%     M. Draft-based load.......    60.2%\n"
        "\n"
        " C. Length (LPP) ..........   800.00      N. Transverse KM .........    45.00\n"
        " D. Beam ..................     0.00      O. Longitudinal KM .......     0.00\n"
        " E. Draft .................    50.00      P. VKB ...................     0.00\n"
        " F. Roll Gyradius..........     0.00      Q. VKG ...................     0.00\n"
        " G. Pitch Gyradius ........     0.00      R. Bilge radius ..........     0.00\n"
        " H. Yaw Gyradius ..........   200.50\n"
        "\n"
        " I. Water Plane Area ......   100000.     S. Deadweight (DWT) ......        0.\n"
        " J. Head-on Current Area ..        0.     T. Head-on Wind Area .....        0.\n"
        " K. Beam-on Current Area ..        0.     U. Beam-on Wind Area .....    30000.\n"
        "\n >>> Change items 1 or 2 for new estimates or input letter(s) (\"ACD...\")\n"
        "     to select individual replacements (or \"Z\" to replace all);\n"
        "     \"?\" for help, <Return> to continue WITHOUT replacement: ");
}

TEST(TankerScreen, WorkingValuesLastTheRun) {
    ScriptedConsole console("1\n3000\n\nS\n");
    VesselVariables V = tanker_body();
    std::int32_t LBACK = 0;
    std::int32_t IPAG = 0;
    TANKER(V, screen_unit, keyboard_unit, LBACK, 0, IPAG);
    EXPECT_NE(console.screen().find(" 1. Deadweight ...............   2232. Long Tons\n"
                                    " Enter new value: "),
              std::string::npos);
    EXPECT_FLOAT_EQ(TPCM.DWTONS, 5000.0f); // Return copied nothing
    // A second visit starts from the deadweight typed in the first, not from the page.
    console.clear_screen_text();
    TPCM.DWTONS = 0.0f;
    TANKER(V, screen_unit, keyboard_unit, LBACK, 0, IPAG);
    EXPECT_NE(console.screen().find("1. Deadweight (DWT)....    3000. Long Tons"),
              std::string::npos);
    EXPECT_FLOAT_EQ(TPCM.DWTONS, 3000.0f / 0.44642857f);
}

TEST(TankerScreen, HelpThenReturn) {
    ScriptedConsole console("?\n\n\n");
    VesselVariables V = tanker_body();
    std::int32_t LBACK = 0;
    std::int32_t IPAG = 0;
    TANKER(V, screen_unit, keyboard_unit, LBACK, 0, IPAG);
    EXPECT_NE(
        console.screen().find("     A built-in database of average tanker characteristics \n"),
        std::string::npos);
    EXPECT_EQ(TPCM.DISPL, 1.0f);
    EXPECT_EQ(LBACK, 0);
}

} // namespace
} // namespace lintar
