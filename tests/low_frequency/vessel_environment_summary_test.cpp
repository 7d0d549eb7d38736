// Tests of section III of the low-frequency report: the model-name tables and their blank
// field for a code without a name, the bow-shape words, the one-line model rule, the NSMB
// "40 %" note, the water depth/draft limits and their warning, and the lines that depend on
// the program code and the swell switches.
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "low_frequency/low_frequency_report_fixture.h"
#include "low_frequency/report_context.h"
#include "low_frequency/vessel_environment_summary.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace lintar {
namespace {

using namespace lintar::testing;

const std::string blank_name(load_model_name_width, ' ');

// Section III of the fixture, changed by `change`, written to a file; its text.
template <class Change> std::string section_iii(Change change) {
    set_up_low_frequency_report();
    change();
    EXPECT_TRUE(open_unit(1, "LOWOUT.stxt", OpenStatus::replace, FileForm::formatted));
    write_vessel_environment_summary(low_report_flags());
    close_unit(1);
    return read_text("LOWOUT.stxt");
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(VesselEnvironmentSummary, NameTablesAndTheirBlankFieldOutsideThem) {
    EXPECT_EQ(TNKWND(1), "User-Specified LOWDAT        ");
    EXPECT_EQ(TNKWND(5), "Cylindrical Vessel           ");
    EXPECT_EQ(TNKCUR(6), "OCIMF Tanker '77             ");
    EXPECT_EQ(TNKCUR(7), "Cylindrical Vessel           ");
    EXPECT_EQ(TNKWAV(1), "User-Specified DRFTCOFS.txt  ");
    EXPECT_EQ(TNKWAV(7), "Semi/TLP (2001)              ");
    struct Case {
        const char* table;
        std::string (*name)(std::int32_t);
        std::int32_t code;
    };
    const Case outside[] = {{"wind", TNKWND, 0},    {"wind", TNKWND, 6},    {"wind", TNKWND, 15},
                            {"current", TNKCUR, 0}, {"current", TNKCUR, 8}, {"current", TNKCUR, 15},
                            {"wave", TNKWAV, 0},    {"wave", TNKWAV, 8},    {"wave", TNKWAV, -1}};
    for (const Case& c : outside) {
        SCOPED_TRACE(::testing::Message() << c.table << " code " << c.code);
        EXPECT_EQ(c.name(c.code), blank_name);
    }
}

TEST(VesselEnvironmentSummary, SelectorsOutsideTheTablesPrintBlankNames) {
    ScratchFolder folder;
    ScriptedConsole console;
    const std::string text = section_iii([] {
        TPCM.LWBARG = 0x999; // one wind model, code 9: no name
        TPCM.LCBARG = 0xC33; // barge, barge, code 12
        TPCM.LWVCOF = 0x80F; // 15, 0, 8
    });
    EXPECT_TRUE(has(text, "     Wind force model .......................... " + std::string(" ") +
                              blank_name + "\n"));
    // Code 12 is no NSMB model: its parameter is the plain depth/draft ratio.
    EXPECT_TRUE(has(text, "     Current Moment Coefficients  (Cz) ......... " + std::string(" ") +
                              blank_name +
                              "\n     Water depth/draft parameter ...............      16.67\n"));
    for (const char* label : {"Head-on Wave Coefficients (Cx) ............ ",
                              "Beam-on Wave Coefficients (Cy) ............ ",
                              "Wave Moment Coefficients  (Cz) ............ "}) {
        SCOPED_TRACE(label);
        EXPECT_TRUE(has(text, "     " + std::string(label) + " " + blank_name + "\n"));
    }
}

TEST(VesselEnvironmentSummary, BowShapeWords) {
    struct Case {
        float factor;
        const char* wind;
        const char* current;
    };
    const Case cases[] = {
        {0.0f, "Conventional", "Conventional (w/bulb)"},
        {1.0f, "Cylindrical", "Cylindrical (no bulb)"},
        {0.5f, "Interpolated", "Interpolated"},
        {-0.25f, "Interpolated", "Interpolated"},
        {2.0f, "Whoops!", "Whoops!"},
        {1.0000001f, "Whoops!", "Whoops!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor);
        EXPECT_EQ(BOWTPW(c.factor), c.wind);
        EXPECT_EQ(BOWTPC(c.factor), c.current);
    }
}

TEST(VesselEnvironmentSummary, InterpolatedBowsPrintTheirFactor) {
    ScratchFolder folder;
    ScriptedConsole console;
    const std::string factor = "     Bow Interpolation Factor ..................       0.50\n";
    const std::string current_factor =
        "     Bow Interpolation Factor ...................       0.25\n";
    std::string text = section_iii([] {
        TPCM.BOWWND = 0.5f;
        TPCM.BOWCUR = 0.25f;
    });
    EXPECT_TRUE(has(text, "     Above-Water Bow Shape .....................  Interpolated\n" +
                              std::string("     Freeboard-Based Load ......................      "
                                          "75.00 Percent\n") +
                              factor));
    EXPECT_TRUE(has(text, "     Below-Water Bow Shape .....................  Interpolated\n" +
                              std::string("     Draft-Based Load ..........................      "
                                          "80.00 Percent\n") +
                              current_factor));
    text = section_iii([] {
        TPCM.BOWWND = 2.0f;
        TPCM.BOWCUR = 0.0f;
    });
    EXPECT_TRUE(has(text, "     Above-Water Bow Shape .....................  Whoops!\n"));
    EXPECT_TRUE(
        has(text, "     Below-Water Bow Shape .....................  Conventional (w/bulb)\n"));
    EXPECT_FALSE(has(text, "Bow Interpolation Factor"));
}

TEST(VesselEnvironmentSummary, OneWindModelGivesOneLine) {
    ScratchFolder folder;
    ScriptedConsole console;
    std::string text = section_iii([] { TPCM.LWBARG = 0x333; });
    EXPECT_TRUE(has(text, "\n\n     Wind force model ..........................  Barge (Kelbrin)"));
    EXPECT_FALSE(has(text, "Wind Coefficients"));
    text = section_iii([] { TPCM.LWBARG = 0x354; });
    EXPECT_FALSE(has(text, "Wind force model"));
    EXPECT_TRUE(has(text, "\n\n     Head-on Wind Coefficients (Cx) ............  OCIMF Tanker '77 "
                          "(extended)  \n     Beam-on Wind Coefficients (Cy) ............  "
                          "Cylindrical Vessel           \n     Wind Moment Coefficients  (Cz) "
                          "............  Barge (Kelbrin)"));
}

TEST(VesselEnvironmentSummary, NsmbCodeFifteenAndItsFortyPercentNote) {
    ScratchFolder folder;
    ScriptedConsole console;
    const std::string note = "\n\n     >>> NSMB \"Mean\" 40% load curves utilized for Cx <<<\n";
    std::string text = section_iii([] {
        TPCM.LCBARG = 0x44F;
        TPCM.DFTPCT = 100.0f;
    });
    // One current model (15 counts as 4): the NSMB name and DFTPCT x 0.01 x HOVERD.
    EXPECT_TRUE(has(text, "\n\n     Current force model .......................  NSMB Tanker '91  "
                          "            \n     Water depth/draft parameter ...............      "
                          "16.67\n"));
    EXPECT_FALSE(has(text, "40%"));
    text = section_iii([] {
        TPCM.LCBARG = 0x44F;
        TPCM.DFTPCT = 80.0f;
    });
    EXPECT_TRUE(has(text, "     Water depth/draft parameter ...............      13.33" + note));
}

// The depth/draft parameter against its limits, in single precision as the page forms it.
struct LimitCase {
    const char* name;
    std::int32_t LCBARG;
    float DFTPCT;
    float HOVERD;
    bool warned;
};

TEST(VesselEnvironmentSummary, DepthDraftLimits) {
    const float below_1_1 = std::nextafter(1.1f, 0.0f);
    const float below_1_05 = std::nextafter(1.05f, 0.0f);
    const LimitCase cases[] = {
        // 100 x 0.01 is 1 in single precision, so the parameter is HOVERD itself.
        {"NSMB at 1.1", 0x444, 100.0f, 1.1f, false},
        {"NSMB just below 1.1", 0x444, 100.0f, below_1_1, true},
        {"NSMB 40 % at 1.1", 0x44F, 100.0f, 1.1f, false},
        {"NSMB in Cy only", 0x343, 50.0f, 2.2f, false},
        {"NSMB in Cy only below", 0x343, 50.0f, 2.1f, true},
        {"OCIMF at 1.05", 0x666, 100.0f, 1.05f, false},
        {"OCIMF just below 1.05", 0x666, 100.0f, below_1_05, true},
        {"OCIMF in Cz only below", 0x633, 100.0f, 1.0f, true},
        {"barge below both", 0x333, 100.0f, 1.0f, false},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        ScriptedConsole console("\n");
        const std::string text = section_iii([&c] {
            TPCM.LCBARG = c.LCBARG;
            TPCM.DFTPCT = c.DFTPCT;
            SINES.HOVERD = c.HOVERD;
        });
        const std::string warning =
            "\n ++> Warning: A water depth/draft parameter lies outside valid range\n\n";
        EXPECT_EQ(has(console.screen(), warning), c.warned);
        EXPECT_EQ(has(text, warning), c.warned);
    }
}

TEST(VesselEnvironmentSummary, TheWarningGoesIntoTheReportAfterTheCurrentLines) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    const std::string text = section_iii([] {
        TPCM.LCBARG = 0x666;
        SINES.HOVERD = 1.0f;
    });
    EXPECT_TRUE(has(text,
                    "     Below-Water Bow Shape .....................  Cylindrical (no bulb)\n"
                    "     Draft-Based Load ..........................      80.00 Percent\n"
                    "\n ++> Warning: A water depth/draft parameter lies outside valid "
                    "range\n\n\n     Head-on Wave Coefficients (Cx)"));
    // On the console: the warning, then the abort prompt.
    const std::string screen = console.screen();
    EXPECT_LT(screen.find("++> Warning"), screen.find('\a'));
}

TEST(VesselEnvironmentSummary, AbortAtTheWarningStopsTheRun) {
    ScratchFolder folder;
    ScriptedConsole console("A\n");
    set_up_low_frequency_report();
    TPCM.LCBARG = 0x666;
    SINES.HOVERD = 1.0f;
    ASSERT_TRUE(open_unit(1, "LOWOUT.stxt", OpenStatus::replace, FileForm::formatted));
    const auto stop = run_until_stop([] { write_vessel_environment_summary(low_report_flags()); });
    ASSERT_TRUE(stop.has_value());
    EXPECT_EQ(*stop, StopKind::user_choice);
    close_unit(1);
    EXPECT_FALSE(has(read_text("LOWOUT.stxt"), "++> Warning"));
    EXPECT_FALSE(has(read_text("LOWOUT.stxt"), "Wave Coefficients"));
}

TEST(VesselEnvironmentSummary, ProgramCodeLinesAndTheSecondSwell) {
    ScratchFolder folder;
    ScriptedConsole console;
    const std::string turret = "     Turret center X-coordinate ................     210.00 feet";
    const std::string roll = "     Roll  damping is ..........................  User-specified\n"
                             "     Roll  damping (percent of critical) .......        6.25\n"
                             "     Pitch damping is ..........................  Computed\n";
    std::string text = section_iii([] { TPCM.SIMTYP = 15; });
    EXPECT_TRUE(has(text, turret));
    EXPECT_FALSE(has(text, "Roll "));
    text = section_iii([] { TPCM.SIMTYP = 17; });
    EXPECT_FALSE(has(text, turret));
    EXPECT_TRUE(has(text, "     Yaw   damping is ..........................  Computed\n" + roll +
                              "\n     ------ WIND CONDITIONS ------"));

    // A second swell without the first: the sea only.
    text = section_iii([] { TPCM.LSWELL = 0; });
    EXPECT_FALSE(has(text, "swell"));
    EXPECT_TRUE(has(text, "     Spectrum peak period ......................      12.80 seconds\n\n"
                          "     Head-on wave drift force factor"));
    // Neither sea nor swell: no wave conditions at all.
    text = section_iii([] { TPCM.LSWELL = TPCM.LRANDM = 0; });
    EXPECT_FALSE(has(text, "WAVE CONDITIONS"));
    EXPECT_FALSE(has(text, "wave drift force factor"));
}

} // namespace
} // namespace lintar
