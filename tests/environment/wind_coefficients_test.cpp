// Tests of the wind load coefficients: the cosine and sine and projected-area models, the
// built-in tanker sets against their series summed by hand, the low-frequency table's mirror,
// and the user coefficient file.
#include "environment/wind_coefficients.h"

#include "blocks/lowcof.h"
#include "blocks/tpcm.h"
#include "environment/fourier_basis.h"
#include "environment/user_coefficients.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

constexpr float pi = static_cast<float>(std::numbers::pi);

// The same method for surge, sway and yaw.
constexpr std::int32_t all(std::int32_t method) {
    return method + 16 * method + 256 * method;
}

// The coefficient of component IXYZ at the relative angle, harmonics set first as callers do.
float wind(std::int32_t IXYZ, std::int32_t method, float angle, float LOADED = 32.0f,
           float BOWTYP = 0.0f, float SIZE = 0.0f) {
    TRIGLD(angle);
    return WINDCF(IXYZ, all(method), LOADED, BOWTYP, SIZE, angle, 1000.0f, 4000.0f, 50.0f, 10.0f,
                  300.0f, 50.0f, screen_unit, 1, 8);
}

TEST(WindCoefficients, CosineSineAndProjectedArea) {
    ScriptedConsole console;
    // Wind from dead ahead (the relative angle is pi): a pure drag on the bow.
    EXPECT_FLOAT_EQ(wind(1, 5, pi), 1.0f);
    EXPECT_NEAR(wind(2, 5, pi), 0.0f, 1e-6f);
    EXPECT_NEAR(wind(3, 5, pi), -50.0f / 300.0f, 1e-6f);
    EXPECT_NEAR(wind(1, 3, pi), 1.0f, 1e-6f); // APERP head-on is the frontal area
    // Beam wind (pi / 2): the projected area is the lateral area, all on sway.
    EXPECT_NEAR(wind(2, 3, pi / 2), -1.0f, 1e-5f);
    EXPECT_NEAR(wind(3, 3, pi / 2), -10.0f / 300.0f, 1e-6f);
}

TEST(WindCoefficients, TankerSetsAgainstTheirSeries) {
    ScriptedConsole console;
    // Angle 0: every cosine 1, so the surge is the sum of the eleven surge terms; no sway, yaw.
    EXPECT_NEAR(wind(1, 4, 0.0f), -0.454859f, 1e-6f); // small ballast
    EXPECT_NEAR(wind(2, 4, 0.0f), 0.0f, 1e-7f);
    EXPECT_NEAR(wind(3, 4, 0.0f), 0.0f, 1e-7f);
    // At 180 degrees the cosines alternate: a0 - a1 + a2 - ...
    EXPECT_NEAR(wind(1, 4, pi), 0.395479f, 2e-6f);         // small ballast
    EXPECT_NEAR(wind(1, 4, pi, 100.0f), 0.403680f, 2e-6f); // small loaded
    EXPECT_NEAR(wind(1, 4, pi, 66.0f), 0.399580f, 2e-6f);  // half way: their mean
    // Large, ballast, bow form 0: the L-B0 surge sum at angle 0.
    const float lb0 = 0.02111f - 0.6009f - 0.04057f - 0.107f - 0.06188f - 0.01402f - 0.01166f -
                      0.007481f - 0.01583f - 0.003408f - 0.006809f;
    EXPECT_NEAR(wind(1, 4, 0.0f, 32.0f, 0.0f, 1.0f), lb0, 1e-6f);
}

TEST(WindCoefficients, TheLowFrequencyTableIsMirrored) {
    ScriptedConsole console;
    LOWCOF.NUWNPT = 3;
    const float angles[3] = {0.0f, 90.0f, 180.0f};
    const float columns[3][3] = {{-1.0f, 0.0f, 1.0f}, {0.0f, -1.0f, 0.0f}, {0.0f, 0.2f, 0.0f}};
    for (int i = 1; i <= 3; ++i) {
        LOWCOF.UWNANG(i) = angles[i - 1];
        for (int k = 1; k <= 3; ++k)
            LOWCOF.UWNCFS(i, k) = columns[k - 1][i - 1];
    }
    EXPECT_FALSE(wind_table_lacking(all(1)).has_value());
    // 45 degrees either side: half way between the first two rows.
    for (const float side : {1.0f, -1.0f}) {
        SCOPED_TRACE(side);
        const float angle = side * pi / 4;
        EXPECT_NEAR(wind(1, 1, angle), -0.5f, 1e-6f);
        EXPECT_NEAR(wind(2, 1, angle), side * -0.5f, 1e-6f);
        EXPECT_NEAR(wind(3, 1, angle), side * 0.1f, 1e-6f);
    }
    LOWCOF.NUWNPT = 1;
    EXPECT_EQ(wind_table_lacking(1 + 16 * 5 + 256 * 5), 1);
}

TEST(WindCoefficients, EmptyTablesAreRefusedAtTheAnalysisEntry) {
    ScriptedConsole console("\n");
    TPCM.LWIND = 1;
    TPCM.LWBARG = all(5);
    TPCM.LCURNT = 1;
    TPCM.LCBARG = 7 + 16 * 1 + 256 * 7; // the table for sway only
    LOWCOF.NUCRPT = 1;
    EXPECT_EQ(run_until_stop([] { check_coefficient_tables(screen_unit); }), StopKind::error);
    EXPECT_EQ(console.screen(),
              " ++> FATAL error: the current coefficient table of the low-frequency data has no "
              "points for the sway force;\n"
              "     choose another force model for it.\n \n Press <RETURN> to continue: ");
    LOWCOF.NUCRPT = 2;
    EXPECT_FALSE(run_until_stop([] { check_coefficient_tables(screen_unit); }).has_value());
}

TEST(WindCoefficients, AnUndefinedMethodGivesZeroWithOneWarning) {
    ScriptedConsole console;
    EXPECT_EQ(wind(1, 7, 1.0f), 0.0f);
    EXPECT_EQ(wind(2, 7, 1.0f), 0.0f);
    EXPECT_EQ(console.screen(),
              " ++> Warning: Wind force method 7 is not defined; its coefficient is taken as 0.\n");
}

TEST(WindCoefficients, UserFileByProgramAndBody) {
    EXPECT_EQ(wind_file_name(13, 2), "BUOYWIND.txt ");
    EXPECT_EQ(wind_file_name(13, 3), "TANKWIND.txt ");
    EXPECT_EQ(wind_file_name(10, 2), "TUGWIND.txt  ");
    EXPECT_EQ(wind_file_name(10, 3), "BARGWIND.txt ");
    EXPECT_EQ(wind_file_name(13, 1), "WINDCOFS.txt ");
    EXPECT_EQ(wind_file_name(8, 2), "WINDCOFS.txt ");

    ScratchFolder folder;
    // Headings relative to the vessel: 0 is the wind from astern (relative angle pi).
    folder.write("WINDCOFS.txt", "3\r\n0 -1 0 0\r\n90 0 -1 0.1\r\n180 1 0 0\r\n");
    ScriptedConsole console;
    EXPECT_NEAR(wind(1, 2, pi), -1.0f, 1e-6f);
    EXPECT_NEAR(wind(1, 2, 0.0f), 1.0f, 1e-6f);
    EXPECT_NEAR(wind(2, 2, pi + pi / 4), -0.5f, 1e-5f);
    EXPECT_NEAR(wind(3, 2, 3 * pi / 2), 0.1f, 1e-5f);
    EXPECT_EQ(console.screen(), "");
}

TEST(WindCoefficients, UserFilesThatCannotBeUsedStop) {
    const auto rows = [](int n) {
        std::string text = std::to_string(n) + "\n";
        for (int i = 0; i < n; ++i)
            text += std::to_string(2.0 * i) + " 1 2 3\n";
        return text;
    };
    const std::string file_error = "\n ++> End of file or related file error in routine USRWND\n"
                                   "     file name WINDCOFS.txt \n \n Press <RETURN> to continue: ";
    struct Case {
        const char* name;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"missing", "",
         " ++>  User-supplied force coefficients \"WINDCOFS.txt\" not found\n\a\n"
         " Enter \"A\" to abort or Press <RETURN> to continue: "},
        {"146 headings", rows(146),
         " ++>  User-supplied force coefficient array in WINDCOFS.txt \n"
         "      dimension = [146] out of range; allowable\n      dimension = [145]\n \n"
         " Press <RETURN> to continue: "},
        {"one heading", rows(1),
         " ++>  User-supplied force coefficient array in WINDCOFS.txt \n"
         "      dimension = [  1] out of range; allowable\n      dimension = [2 to 145]\n \n"
         " Press <RETURN> to continue: "},
        {"count -3", "-3\n",
         " ++>  User-supplied force coefficient array in WINDCOFS.txt \n"
         "      dimension = [ -3] out of range; allowable\n      dimension = [2 to 145]\n \n"
         " Press <RETURN> to continue: "},
        {"falling headings", "2\n90 1 2 3\n10 1 2 3\n",
         " ++>  User-supplied force coefficient headings in WINDCOFS.txt \n"
         "      must rise from row to row; correct the file and re-try.\n \n"
         " Press <RETURN> to continue: "},
        {"a letter in a number", "2\n0 1 2 3\n10 1 x 3\n", file_error},
        {"fewer rows than announced", "3\n0 1 2 3\n10 1 2 3\n", file_error},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        if (!c.text.empty())
            folder.write("WINDCOFS.txt", c.text);
        ScriptedConsole console("\n\n");
        EXPECT_EQ(run_until_stop([] { (void)wind(1, 2, 0.5f); }), StopKind::error);
        EXPECT_EQ(console.screen(), c.message);
        if (!c.text.empty()) {
            EXPECT_EQ(folder.read("WINDCOFS.txt"), c.text);
            console.clear_screen_text();
            EXPECT_EQ(run_until_stop([] { (void)wind(1, 2, 0.5f); }), StopKind::error);
            EXPECT_EQ(console.screen(), c.message);
        }
    }
    // Exactly 145 headings are taken.
    ScratchFolder folder;
    folder.write("WINDCOFS.txt", rows(145));
    ScriptedConsole console;
    EXPECT_FLOAT_EQ(USRWND(2, 0.5f, screen_unit, keyboard_unit, "WINDCOFS.txt"), 2.0f);
}

} // namespace
} // namespace lintar
