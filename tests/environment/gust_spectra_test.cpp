// Tests of the wind and current gust spectra against their closed forms evaluated by hand, and
// of the user spectrum files.
#include "environment/gust_spectra.h"

#include "runtime/program_state.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

class GustSpectra : public ::testing::Test {
protected:
    void SetUp() override { reset_program_state(); }
};

// Metric, 40 knots at 10 m. The values are the closed forms evaluated in double precision:
// Davenport 0.02 V L X / (1 + X^2)^(4/3), X = w L / V; API 0.02676 V^2 / (wp (1 + 1.5 w /
// wp)^(5/3)), wp = 0.025 V 2 pi / 10; NPD (320 / 2 pi) u^2 / (1 + f^0.468)^(5/3 / 0.468).
TEST_F(GustSpectra, WindFormsAgainstTheirClosedForms) {
    struct Case {
        std::int32_t type;
        float w, expected;
    };
    const Case cases[] = {
        {1, 0.01f, 7.2130f}, {1, 0.05f, 28.112f}, {1, 0.2f, 19.916f},
        {4, 0.01f, 32.467f}, {4, 0.05f, 24.724f}, {4, 0.2f, 11.714f},
        {5, 0.01f, 61.195f}, {5, 0.05f, 21.909f}, {5, 0.2f, 6.0927f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << c.type << " at " << c.w);
        float ratio = -1.0f;
        EXPECT_NEAR(WNDSPC(c.w, 40.0f, 0.0f, 1, c.type, 0.025f, 10.0f, ratio, screen_unit),
                    c.expected, 2e-4f * c.expected);
        EXPECT_EQ(ratio, 1.0f); // the 10 m reference height itself
        if (c.type == 5) {
            // English: the same speed in knots at 32.81 ft gives ten times the square metres.
            EXPECT_NEAR(WNDSPC(c.w, 40.0f, 0.0f, 0, 5, 0.025f, 32.81f, ratio, screen_unit),
                        c.expected * 10.764f, 3e-4f * c.expected * 10.764f);
        }
    }
}

TEST_F(GustSpectra, ConstantSteadyAndCalm) {
    float ratio = 0.0f;
    EXPECT_EQ(WNDSPC(0.1f, 40.0f, 3.5f, 1, 2, 0.025f, 10.0f, ratio, screen_unit), 3.5f);
    EXPECT_EQ(WNDSPC(0.1f, 40.0f, 3.5f, 1, 3, 0.025f, 10.0f, ratio, screen_unit), 0.0f);
    for (const std::int32_t type : {1, 4, 5}) {
        SCOPED_TRACE(type);
        EXPECT_EQ(WNDSPC(0.1f, 0.0f, 0.0f, 1, type, 0.025f, 10.0f, ratio, screen_unit), 0.0f);
    }
    // NPD below the profile's reach (h at most 1.01 exp(-1/C)): no speed ratio.
    EXPECT_GT(WNDSPC(0.1f, 40.0f, 0.0f, 1, 5, 0.025f, 1e-6f, ratio, screen_unit), 0.0f);
    EXPECT_EQ(ratio, 0.0f);
    // At 50 m the ratio brings the speed down to the 10 m reference: 1 / (1 + C ln 5)^2.
    (void)WNDSPC(0.1f, 40.0f, 0.0f, 1, 5, 0.025f, 50.0f, ratio, screen_unit);
    const double C = 0.0573 * std::sqrt(1.0 + 1.5 * 40.0 * 0.05139);
    EXPECT_NEAR(ratio, 1.0 / ((1.0 + C * std::log(5.0)) * (1.0 + C * std::log(5.0))), 1e-6);

    EXPECT_EQ(CURSPC(0.05f, 2.0f, 0, screen_unit), 0.0f);
    EXPECT_EQ(CURSPC(0.05f, 2.0f, 1, screen_unit), 2.0f);
    EXPECT_EQ(CURSPC(0.1257f, 2.0f, 3, screen_unit), 2.0f);
    EXPECT_EQ(CURSPC(0.1258f, 2.0f, 3, screen_unit), 0.0f);
}

TEST_F(GustSpectra, AnUndefinedWindTypeGivesZeroWithOneWarning) {
    ScriptedConsole console;
    float ratio = 0.0f;
    EXPECT_EQ(WNDSPC(0.1f, 40.0f, 0.0f, 1, 9, 0.025f, 10.0f, ratio, screen_unit), 0.0f);
    EXPECT_EQ(WNDSPC(0.2f, 40.0f, 0.0f, 1, 9, 0.025f, 10.0f, ratio, screen_unit), 0.0f);
    EXPECT_EQ(console.screen(),
              " ++> Warning: Wind spectrum type 9 is not defined; its spectral density is taken "
              "as 0.\n");
}

TEST_F(GustSpectra, BadUnitsOrApiParameterStop) {
    for (const auto& [NUNTS, type, message] :
         {std::tuple{2, 1, " >>! NUNTS error in WNDSPC, <RETURN> to quit\n"},
          std::tuple{1, 4, " >>! API parameter error in WNDSPC, <RETURN> to quit\n"}}) {
        SCOPED_TRACE(message);
        ScriptedConsole console("\n");
        float ratio = 0.0f;
        EXPECT_EQ(run_until_stop([&, NUNTS = NUNTS, type = type] {
                      (void)WNDSPC(0.1f, 40.0f, 0.0f, NUNTS, type, 0.0f, 10.0f, ratio, screen_unit);
                  }),
                  StopKind::error);
        EXPECT_EQ(console.screen(), message);
    }
}

TEST_F(GustSpectra, UserFileIsInterpolatedAndZeroOutsideWithOneWarning) {
    ScratchFolder folder;
    folder.write("WINDSPEC.txt", "3\r\n0.1 10\r\n0.2 30\r\n0.4 50\r\n"); // Windows line ends
    ScriptedConsole console("\n");
    float ratio = 0.0f;
    EXPECT_FLOAT_EQ(WNDSPC(0.15f, 40.0f, 0.0f, 1, 6, 0.0f, 10.0f, ratio, screen_unit), 20.0f);
    EXPECT_FLOAT_EQ(UWNDSPEC(0.4f, screen_unit, "WINDSPEC.txt"), 50.0f); // the last point
    EXPECT_EQ(console.screen(), "");
    EXPECT_EQ(UWNDSPEC(0.5f, screen_unit, "WINDSPEC.txt"), 0.0f);
    EXPECT_EQ(UWNDSPEC(0.05f, screen_unit, "WINDSPEC.txt"), 0.0f);
    EXPECT_EQ(console.screen(),
              "\n"
              " ++> Warning: Frequencies are required lying outside the range of your "
              "user-supplied wind spectrum.\n"
              "     The associated spectral values will be set to zero. If this is not what you "
              "want, extend the spectrum. \n"
              "     Required Interval: 0.100E+00 to 0.400E+00 radians/sec\n"
              "\a\n"
              " Enter \"A\" to abort or Press <RETURN> to continue: ");
}

TEST_F(GustSpectra, UserFilesThatCannotBeUsedStop) {
    std::string points_1001 = "1001\n";
    for (int i = 1; i <= 1001; ++i)
        points_1001 += std::to_string(0.001 * i) + " 1\n";
    struct Case {
        const char* name;
        std::string text; // empty: no file
        std::string message;
    };
    const std::string file_error = "\n ++> End of file or related file error in routine UCURSPEC\n"
                                   "     file name CRNTSPEC.txt\n \n Press <RETURN> to continue: ";
    const Case cases[] = {
        {"missing", "",
         "\n ++>  User-supplied spectrum file \"CRNTSPEC.txt\" not found\n\n\a\n"
         " Enter \"A\" to abort or Press <RETURN> to continue: "},
        {"1001 points", points_1001,
         "\n ++>  User-supplied spectrum array in CRNTSPEC.txt\n"
         "      dimension = [1001] out of range; allowable\n      dimension = [1000]\n \n"
         " Press <RETURN> to continue: "},
        {"one point", "1\n0.1 1\n",
         "\n ++>  User-supplied spectrum array in CRNTSPEC.txt\n"
         "      dimension = [1] out of range; allowable\n      dimension = [2 to 1000]\n \n"
         " Press <RETURN> to continue: "},
        {"count -3", "-3\n",
         "\n ++>  User-supplied spectrum array in CRNTSPEC.txt\n"
         "      dimension = [-3] out of range; allowable\n      dimension = [2 to 1000]\n \n"
         " Press <RETURN> to continue: "},
        {"equal frequencies", "3\n0.1 1\n0.1 2\n0.3 3\n",
         "\n ++>  User-supplied spectrum frequencies in CRNTSPEC.txt\n"
         "      must rise from row to row; correct the file and re-try.\n \n"
         " Press <RETURN> to continue: "},
        {"a letter in a number", "2\n0.1 1\n0.x 2\n", file_error},
        {"fewer rows than announced", "3\n0.1 1\n0.2 2\n", file_error},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_program_state();
        ScratchFolder folder;
        if (!c.text.empty())
            folder.write("CRNTSPEC.txt", c.text);
        ScriptedConsole console("\n\n");
        EXPECT_EQ(run_until_stop([] { (void)CURSPC(0.1f, 1.0f, 2, screen_unit); }),
                  StopKind::error);
        EXPECT_EQ(console.screen(), c.message);
        console.clear_screen_text();
        if (!c.text.empty()) {
            EXPECT_EQ(folder.read("CRNTSPEC.txt"), c.text);
            // The failed file is not held: a later call of the run reads it again and stops
            // again with the same message.
            EXPECT_EQ(run_until_stop([] { (void)CURSPC(0.1f, 1.0f, 2, screen_unit); }),
                      StopKind::error);
            EXPECT_EQ(console.screen(), c.message);
        }
    }
}

} // namespace
} // namespace lintar
