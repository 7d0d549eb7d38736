// Tests of the current load coefficients: the given built-in columns against their series
// summed by hand, the refusal of the sets known only by their leading terms, the
// low-frequency table's mirror and the projected-area and plain models.
#include "environment/current_coefficients.h"

#include "blocks/lowcof.h"
#include "blocks/tpcm.h"
#include "environment/fourier_basis.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScriptedConsole;

constexpr float pi = static_cast<float>(std::numbers::pi);
constexpr float deg = pi / 180.0f;
constexpr float L = 300.0f;
constexpr float B = 50.0f;

constexpr std::int32_t all(std::int32_t code) {
    return code + 16 * code + 256 * code;
}

float current(std::int32_t IXYZ, std::int32_t code, float angle, float HOVERD = 1.05f,
              float BOWTYP = 0.0f, float LOADED = 100.0f, float XCURAR = 100.0f) {
    TRIGLD(angle);
    return CRNTCF(IXYZ, all(code), LOADED, BOWTYP, HOVERD, angle, XCURAR, 400.0f, 20.0f, 5.0f, L, B,
                  screen_unit, 1, 8);
}

TEST(CurrentCoefficients, TheGivenDepthSetAgainstItsSeries) {
    ScriptedConsole console;
    // CNV105 summed by hand: surge at 0 the sum of its terms, at 180 degrees the alternating
    // sum; sway at 90 degrees b1 - b3 + b5 - b7 + b9.
    EXPECT_NEAR(current(1, 6, 0.0f), -0.062713f * L / B, 2e-5f);
    EXPECT_NEAR(current(1, 6, pi), 0.091807f * L / B, 2e-5f);
    EXPECT_NEAR(current(2, 6, 90.0f * deg), -3.3025f, 2e-5f);
    // At or below 1.05 the 1.05 set itself; sway shared with the cylindrical bow.
    EXPECT_FLOAT_EQ(current(1, 6, 0.0f, 1.0f), current(1, 6, 0.0f, 1.05f));
    EXPECT_NEAR(current(2, 6, 90.0f * deg, 1.05f, 0.7f), -3.3025f, 2e-5f);
    EXPECT_EQ(console.screen(), "");
}

TEST(CurrentCoefficients, SetsKnownOnlyByTheirLeadingTermsAreRefused) {
    struct Case {
        const char* name;
        std::int32_t IXYZ, code;
        float HOVERD, BOWTYP, LOADED;
        std::optional<std::string> missing;
    };
    const Case cases[] = {
        {"depth 1.0, conventional bow", 1, 6, 1.0f, 0.0f, 100.0f, std::nullopt},
        {"depth 1.075", 1, 6, 1.075f, 0.0f, 100.0f, "CNV110"},
        {"half cylindrical bow, surge", 1, 6, 1.05f, 0.5f, 100.0f, "CYL105"},
        {"half cylindrical bow, sway", 2, 6, 1.05f, 0.5f, 100.0f, std::nullopt},
        {"extreme cylindrical bow", 1, 5, 1.05f, 0.0f, 100.0f, "LCY11"},
        {"mean ballast surge", 1, 15, 1.05f, 0.0f, 40.0f, std::nullopt},
        {"ballast surge of code 4", 1, 4, 1.05f, 0.0f, 40.0f, "BWB105"},
        {"loaded surge, bulb", 1, 4, 1.05f, 0.0f, 100.0f, "LWB105"},
        {"loaded sway, bulb", 2, 4, 1.05f, 0.0f, 100.0f, std::nullopt},
        {"deep water sway", 2, 4, 10.0f, 0.0f, 100.0f, "CNV600"},
        {"deep water surge", 1, 4, 10.0f, 0.0f, 100.0f, "LWB44"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(current_set_missing(c.IXYZ, c.code, c.LOADED, c.BOWTYP, c.HOVERD), c.missing);
        ScriptedConsole console("\n");
        const auto stop = run_until_stop(
            [&] { (void)current(c.IXYZ, c.code, 0.3f, c.HOVERD, c.BOWTYP, c.LOADED); });
        if (c.missing) {
            EXPECT_EQ(stop, StopKind::error);
            EXPECT_EQ(console.screen(),
                      " ++> FATAL error: built-in current coefficient set " + *c.missing +
                          " is not available;\n"
                          "     use a user coefficient file (CRNTCOFS.txt) or another current "
                          "force model.\n \n Press <RETURN> to continue: ");
        } else {
            EXPECT_FALSE(stop.has_value());
        }
    }
    // The mean ballast surge at 40 % loading, at 0 degrees: the sum of BLSTMN's terms.
    ScriptedConsole console;
    const float blstmn = 0.006431f - 0.05182f + 4.605e-05f - 0.005927f + 0.0002834f + 0.009199f +
                         0.0003692f + 0.002482f + 0.0009048f - 0.00112f - 0.0001048f;
    EXPECT_NEAR(current(1, 15, 0.0f, 1.05f, 0.0f, 40.0f), blstmn * L / B, 1e-5f);
}

TEST(CurrentCoefficients, TheAnalysisEntryCheckReadsTheDataFile) {
    ScriptedConsole console("\n");
    TPCM.LCURNT = 1;
    TPCM.LCBARG = 6 + 16 * 6 + 256 * 7; // surge and sway by depth, yaw plain
    TPCM.DFTPCT = 100.0f;
    TPCM.BOWCUR = 0.0f;
    TPCM.DEPTH = 21.0f;
    TPCM.DRAFT = 20.0f; // 1.05
    EXPECT_FALSE(run_until_stop([] { check_current_sets(screen_unit); }).has_value());
    TPCM.DEPTH = 21.5f; // 1.075
    EXPECT_EQ(run_until_stop([] { check_current_sets(screen_unit); }), StopKind::error);
    EXPECT_NE(console.screen().find("set CNV110 is not available;"), std::string::npos);
}

TEST(CurrentCoefficients, TableMirrorProjectedAreaAndPlainModels) {
    ScriptedConsole console;
    LOWCOF.NUCRPT = 2;
    LOWCOF.UCRANG_words[0] = 0.0f;
    LOWCOF.UCRANG_words[1] = 180.0f;
    const float x[2] = {-1.0f, 1.0f}, y[2] = {0.0f, 0.6f}, z[2] = {0.0f, 0.3f};
    for (int i = 0; i < 2; ++i) {
        LOWCOF.UCRCX_words[i] = x[i];
        LOWCOF.UCRCY_words[i] = y[i];
        LOWCOF.UCRCZ_words[i] = z[i];
    }
    // At 30 degrees and at -30: the same surge, the negated sway and yaw.
    EXPECT_FLOAT_EQ(current(1, 1, -30.0f * deg), current(1, 1, 30.0f * deg));
    EXPECT_NEAR(current(1, 1, 30.0f * deg), -1.0f + 2.0f / 6.0f, 1e-5f);
    EXPECT_NEAR(current(2, 1, -30.0f * deg), -0.1f, 1e-5f);
    EXPECT_NEAR(current(3, 1, -30.0f * deg), -0.05f, 1e-5f);
    // Projected area without an end-on area: -cos for surge.
    EXPECT_FLOAT_EQ(current(1, 3, 0.4f, 1.05f, 0.0f, 100.0f, 0.0f), -std::cos(0.4f));
    EXPECT_FLOAT_EQ(current(1, 7, 0.4f), -std::cos(0.4f));
    EXPECT_NEAR(current(3, 7, pi / 2), -5.0f / L, 1e-6f);
    EXPECT_EQ(current_file_name(13, 2), "BUOYCRNT.txt ");
    EXPECT_EQ(current_file_name(10, 3), "BARGCRNT.txt ");
    EXPECT_EQ(current_file_name(13, 4), "CRNTCOFS.txt ");
    // An undefined model: 0 and one warning.
    EXPECT_EQ(current(1, 9, 0.4f), 0.0f);
    EXPECT_EQ(current(2, 9, 0.4f), 0.0f);
    EXPECT_EQ(
        console.screen(),
        " ++> Warning: Current force model 9 is not defined; its coefficient is taken as 0.\n");
}

} // namespace
} // namespace lintar
