// Tests of page 1, site conditions: the screen, the identification lines, the depth, the
// relabelling and the conversion of every value, the density presets and the help.
#include "editor/pages.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "datafile/tpcm_image.h"
#include "runtime/units.h"
#include "util/answer_reader.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace lintar {
namespace {

using testing::ScriptedConsole;

const std::string prompt = " \n Enter number of selection (\"H\" for help): ";
const std::string blank72(72, ' ');

// Page 1 as it stands after the session below: typed from the page's layout.
std::string page_1(const std::string& id1, std::string_view units, std::string_view depth,
                   std::string_view density) {
    std::string id = id1;
    id.resize(72, ' ');
    return std::string(19, ' ') + " ****  Page 1: Site conditions  ****\n\n\n\n" +
           "     Two-line Identification for this simulation:\n\n" + " 1) [" + id + "]\n" +
           " 2) [" + blank72 + "]\n\n" + std::string(units) + "\n" + std::string(depth) + "\n" +
           std::string(density) + "\n";
}

const std::string english = " 3) Units of measure: English\n";
const std::string metric = " 3) Units of measure: Metric\n";

// A page 1 session on a zeroed TPCM holding seawater, English units and blank identifications.
class SitePage : public ::testing::Test {
protected:
    void run(const std::string& keys) {
        console.reset(); // the old console goes first: it resets the state as it leaves
        console = std::make_unique<ScriptedConsole>(keys);
        TPCM.EDUNIT = screen_unit;
        TPCM.SIMTYP = 8;
        TPCM.DWATR = 64.0f;
        set_field_text(TPCM.CID1P(), "");
        set_field_text(TPCM.CID2P(), "");
        set_field_text(TPCM.CID1(20), "KEEP");
        STATIC();
    }
    std::string screen() const { return console->screen(); }
    std::unique_ptr<ScriptedConsole> console;
};

TEST_F(SitePage, TitleAndDepthOnThePage) {
    run("1\nTEST RUN\n4\n100\n\n");
    EXPECT_EQ(field_text(TPCM.CID1P()), "TEST RUN" + std::string(68, ' ') + "KEEP");
    EXPECT_EQ(TPCM.DEPTH, 100.0f);
    EXPECT_EQ(TPCM.LBACK, 0);
    const std::string depth_0 = " 4) Site water depth:            0.00 feet           ";
    const std::string depth_100 = " 4) Site water depth:          100.00 feet           ";
    const std::string seawater = " 5) Water density:              64.00 lbs/cubic foot ";
    EXPECT_EQ(screen(), page_1("", english, depth_0, seawater) + prompt + " 1) [" + blank72 +
                            "]\n 1) :" + page_1("TEST RUN", english, depth_0, seawater) + prompt +
                            depth_0 + "\n Enter new value: " +
                            page_1("TEST RUN", english, depth_100, seawater) + prompt);
}

TEST_F(SitePage, IdentificationAnswers) {
    struct Case {
        std::string name, keys, line2;
    };
    const Case cases[] = {
        {"blank keeps the line", "2\nOLD\n2\n   \n\n", "OLD"},
        {"one character replaces the whole line", "2\nA LONGER LINE\n2\nx\n\n", "x"},
        {"an overlong answer is cut to 72", "2\n" + std::string(100, 'y') + "\n\n",
         std::string(72, 'y')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        run(c.keys);
        std::string expected = c.line2;
        expected.resize(80, ' ');
        EXPECT_EQ(field_text(TPCM.CID2P()), expected);
    }
}

TEST_F(SitePage, ConvertAllToMetricAndBack) {
    run("4\n100\n3\n2\n\n\n"
        "3\n2\n\n\n");
    EXPECT_EQ(TPCM.NUNTS, 1);
    EXPECT_EQ(TPCM.DEPTH, 30.48f);
    constexpr double rel_tol = 1e-6; // float factors and products; a wrong factor is > 1e-3
    const double metric_density = 64.0 * 0.45359248 / (0.3048 * 0.3048 * 0.3048);
    EXPECT_NEAR(TPCM.DWATR, metric_density, rel_tol * metric_density);
    EXPECT_NE(screen().find(metric + "\n 4) Site water depth:           30.48 meters         \n"
                                     " 5) Water density:            1025.18 kgw/cubic meter\n"),
              std::string::npos);
    EXPECT_NE(screen().find(" 2) Convert ALL data values and units labels to metric  units\n"),
              std::string::npos);
    EXPECT_NE(screen().find("\a\n Enter \"A\" to abort or Press <RETURN> to continue: "),
              std::string::npos);

    console->clear_screen_text();
    STATIC();
    EXPECT_EQ(TPCM.NUNTS, 0);
    EXPECT_NEAR(TPCM.DEPTH, 100.0f, rel_tol * 100.0);
    EXPECT_NEAR(TPCM.DWATR, 64.0f, rel_tol * 64.0);
    EXPECT_NE(screen().find(" 2) Convert ALL data values and units labels to English units\n"),
              std::string::npos);
}

TEST_F(SitePage, AbandonedConversionChangesNothing) {
    run("4\n100\n3\n2\nA\n\n");
    EXPECT_EQ(TPCM.NUNTS, 0);
    EXPECT_EQ(TPCM.DEPTH, 100.0f);
    EXPECT_EQ(TPCM.DWATR, 64.0f);
    // Without user spectral files there is no note on them.
    EXPECT_EQ(screen().find(">>> NOTE:"), std::string::npos);
}

TEST_F(SitePage, UserSpectralFilesAreNamedBeforeTheConversion) {
    ScriptedConsole console_("3\n2\nA\n\n");
    TPCM.EDUNIT = screen_unit;
    TPCM.CURTYP = 2;
    STATIC();
    const std::string warning_end = "     the user to the new set of units.\n\n\n"
                                    "     >>> NOTE:\n\n"
                                    "     Be aware that the data set to be converted calls for "
                                    "dimensional\n"
                                    "     user-supplied wind or current spectral data "
                                    "(WINDSPEC.txt or\n"
                                    "     CRNTSPEC.txt); these data files must be converted "
                                    "separately by\n"
                                    "     the user to the correct set of units to complete the "
                                    "units\n"
                                    "     conversion.\n\a\n";
    EXPECT_NE(console_.screen().find(warning_end), std::string::npos);
}

TEST_F(SitePage, RelabellingConvertsOnlyTheDensity) {
    run("4\n100\n\n"
        "3\n1\n\n"
        "3\n1\n\n");
    const auto before = tpcm_image();
    STATIC();
    EXPECT_EQ(TPCM.NUNTS, 1);
    EXPECT_EQ(TPCM.DWATR, 64.0f * 16.0185f);
    // Nothing else changed: with those two words put back, the image is the one before.
    const float relabelled_density = TPCM.DWATR;
    TPCM.NUNTS = 0;
    TPCM.DWATR = 64.0f;
    EXPECT_EQ(tpcm_image(), before);
    TPCM.NUNTS = 1;
    TPCM.DWATR = relabelled_density;
    STATIC();
    EXPECT_EQ(TPCM.NUNTS, 0);
    EXPECT_NEAR(TPCM.DWATR, 64.0f, 1e-5f); // a multiplication and a division by one factor
    TPCM.DWATR = 64.0f;
    EXPECT_EQ(tpcm_image(), before);
}

TEST_F(SitePage, SubPagesKeepPageCommandsToThemselves) {
    run("3\nL\n5\nB\n\n");
    EXPECT_EQ(TPCM.NUNTS, 0);
    EXPECT_EQ(TPCM.DWATR, 64.0f);
    EXPECT_EQ(TPCM.LBACK, 0);
}

TEST_F(SitePage, DensityPresetsAndUserValue) {
    struct Case {
        std::string name, keys;
        std::int32_t NUNTS;
        float density;
    };
    const Case cases[] = {
        {"seawater, English", "5\n1\n\n", 0, 64.0f},
        {"freshwater, English", "5\n2\n\n", 0, 62.44f},
        {"seawater, metric", "5\n1\n\n", 1, 64.0f * 16.0185f},
        {"freshwater, metric", "5\n2\n\n", 1, 62.44f * 16.0185f},
        {"a value of the user's", "5\n3\n63.5\n\n", 0, 63.5f},
        {"another answer keeps it", "5\n4\n\n", 0, 10.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console_(c.keys);
        TPCM.EDUNIT = screen_unit;
        TPCM.NUNTS = c.NUNTS;
        TPCM.DWATR = 10.0f;
        STATIC();
        EXPECT_EQ(TPCM.DWATR, c.density);
    }
    ScriptedConsole console_("5\n\n\n");
    TPCM.EDUNIT = screen_unit;
    TPCM.NUNTS = 1;
    STATIC();
    EXPECT_NE(console_.screen().find(" -- Water density --\n\n 1) Seawater\n 2) Freshwater\n"
                                     " 3) User-specified fluid density in kgw/cubic meter\n"),
              std::string::npos);
}

TEST_F(SitePage, HelpForOneItemOrAll) {
    const std::string title = std::string(21, ' ') + "****  Site Definition Notes  ****\n\n";
    const std::string units_start =
        "     The \"Units of measure\" item facilitates simulation in either\n";
    const std::string density_start =
        "     The water density is user-controllable. Changing the water density\n";
    struct Case {
        std::string keys;
        bool units, density, no_help;
    };
    const Case cases[] = {
        {"?4\n\n\n", false, false, true},
        {"?1\n\n\n", true, false, false},
        {"?5\n\n\n", false, true, false},
        {"?\n\n\n", true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        run(c.keys);
        const std::string s = screen();
        EXPECT_NE(s.find(title), std::string::npos);
        EXPECT_EQ(s.find(units_start) != std::string::npos, c.units);
        EXPECT_EQ(s.find(density_start) != std::string::npos, c.density);
        EXPECT_EQ(s.find(" ++> Sorry, no help for this line...") != std::string::npos, c.no_help);
    }
    run("?4\n\n\n");
    EXPECT_NE(screen().find(title + " ++> Item Number   4\n\n ++> Sorry, no help for this line...\n"
                                    "\n \n Press <RETURN> to continue: "),
              std::string::npos);
}

TEST_F(SitePage, ConversionHelp) {
    run("3\n?2\n\n\n\n");
    const std::string s = screen();
    EXPECT_NE(s.find(std::string(21, ' ') + "****  Units Conversion Notes  ****\n\n"
                                            " ++> Item Number   2\n\n"
                                            "     This option should be exercised with care.\n"),
              std::string::npos);
    EXPECT_EQ(TPCM.NUNTS, 0);
}

TEST_F(SitePage, PageCommandsAndOtherNumbersReturn) {
    struct Case {
        std::string keys;
        std::int32_t LBACK;
    };
    const Case cases[] = {{"\n", 0}, {"B\n", code_back}, {"J5\n", code_jump}, {"7\n", 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        run(c.keys);
        EXPECT_EQ(TPCM.LBACK, c.LBACK);
    }
}

TEST_F(SitePage, MirrorPassWritesThePageOnce) {
    ScriptedConsole console_("");
    TPCM.EDUNIT = screen_unit;
    TPCM.LCOPY = 1;
    TPCM.LBACK = 5;
    TPCM.DWATR = 64.0f;
    set_field_text(TPCM.CID1P(), "");
    set_field_text(TPCM.CID2P(), "");
    STATIC();
    EXPECT_EQ(TPCM.LBACK, 0);
    EXPECT_EQ(TPCM.LCOPY, 2);
    EXPECT_EQ(console_.screen(),
              page_1("", english, " 4) Site water depth:            0.00 feet           ",
                     " 5) Water density:              64.00 lbs/cubic foot ") +
                  "\n\n\n"); // TWOPG leaves a gap after the second screen of a sheet
}

} // namespace
} // namespace lintar
