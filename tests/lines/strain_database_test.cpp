// Tests of the reader of LINE_STRAIN_DB.txt: the list-directed blocks, the starting
// compliance and spline of a curve, the checks and their messages.
#include "spline_reference.h"

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/strain_database.h"
#include "runtime/stop.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

const std::string pause_prompt = " \n Press <RETURN> to continue: ";

// Reads the blocks of the given (type, subline) pairs from `text`, TLOAD 100, with a scripted
// keyboard; returns the stop, if any.
struct Reading {
    ScratchFolder folder;
    ScriptedConsole console;
    std::optional<StopKind> stop;

    Reading(const std::string& text, std::vector<std::pair<int, int>> blocks,
            std::string keyboard = "\n", bool write_file = true)
        : console(std::move(keyboard)) {
        if (write_file)
            folder.write("LINE_STRAIN_DB.txt", text);
        TPCM.EDUNIT = 6;
        stop = run_until_stop([&] {
            open_strain_database(6);
            for (const auto& [t, e] : blocks)
                read_strain_curve(t, e, 100.0f, 6);
        });
    }
};

TEST(StrainDatabase, BlocksAreReadListDirectedInTheirOrder) {
    // Type 2 takes sublines 2 and 4 from the file. Values may be separated by blanks or
    // commas, a read takes the next record when its record runs short, and anything after
    // the values a read takes is ignored.
    const std::string text = "3, 2, 2   polyester, upper part\n"
                             "0.0 0.0\n"
                             "100.0,\n"
                             "0.012\n"
                             "200.0 0.021 measured 2019\n"
                             "4 2 4\n"
                             "0 0\n"
                             "50 0.004\n"
                             "120 0.0085\n"
                             "300 0.0190\n"
                             "anything after the last block\n";
    Reading r(text, {{2, 2}, {2, 4}});
    ASSERT_FALSE(r.stop.has_value()) << r.console.screen();
    const LincomBlock& C = LINCOM;
    EXPECT_EQ(C.NSTRS_STRN(2, 2), 3);
    EXPECT_EQ(C.NSTRS_STRN(4, 2), 4);
    EXPECT_EQ(C.TENS_ARR(2, 2, 2), 100.0f);
    EXPECT_EQ(C.E_ARR(3, 2, 2), 0.021f);
    EXPECT_EQ(C.TENS_ARR(4, 4, 2), 300.0f);
    // The starting compliance: the slope of the first two points.
    EXPECT_FLOAT_EQ(TPCM.ALPHA(1, 2, 2), 0.012f / 100.0f);
    EXPECT_FLOAT_EQ(TPCM.ALPHA(1, 4, 2), 0.004f / 50.0f);
    EXPECT_EQ(TPCM.ALPHA(2, 4, 2), 0.0f);
    EXPECT_EQ(TPCM.ALPHA(3, 4, 2), 0.0f);
    // The natural spline of each curve.
    const std::vector<double> T = {0, 50, 120, 300};
    const std::vector<double> E = {0.0, double(0.004f), double(0.0085f), double(0.0190f)};
    const auto M = spline_second_derivatives(T, E, {}, {});
    for (int j = 1; j <= 4; ++j)
        EXPECT_NEAR(C.SPLINE_2DERIV(j, 4, 2), M[static_cast<std::size_t>(j - 1)], 1e-9);
    // No warning: both curves reach 1.49 x TLOAD.
    EXPECT_EQ(r.console.screen().find("++>"), std::string::npos) << r.console.screen();
}

// A block of n points on a straight curve, for the size tests.
std::string block(int n, int t, int e) {
    std::string text = std::to_string(n) + " " + std::to_string(t) + " " + std::to_string(e) + "\n";
    for (int j = 0; j < n; ++j)
        text += std::to_string(10 * j) + " " + std::to_string(0.0001 * j) + "\n";
    return text;
}

TEST(StrainDatabase, ThirtyPointsAreTheMostABlockHolds) {
    {
        Reading r(block(30, 1, 1), {{1, 1}});
        EXPECT_FALSE(r.stop.has_value()) << r.console.screen();
        EXPECT_EQ(LINCOM.NSTRS_STRN(1, 1), 30);
        EXPECT_EQ(LINCOM.TENS_ARR(30, 1, 1), 290.0f);
    }
    // 31 points: refused before any point is read (the points would not fit the curve).
    Reading r(block(31, 1, 1), {{1, 1}});
    EXPECT_EQ(r.stop, StopKind::error);
    EXPECT_EQ(r.console.screen(),
              "\n ++>  A stress-strain array size (31) exceeds the maximum allowable (30)\n"
              "      in LINE_STRAIN_DB.txt. Correct data file and re-try.\n\n" +
                  pause_prompt);
}

TEST(StrainDatabase, BadBlocksAreRefusedWithTheirMessage) {
    struct Case {
        const char* name;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"one point: no starting compliance", "1 1 2\n0 0\n",
         " ++>  A stress-strain array size ( 1) is below the minimum allowable ( 2)\n"
         "      in LINE_STRAIN_DB.txt at (ityp,ielem) = ( 1, 2). Correct data file and re-try.\n"},
        {"right type, wrong subline", "3 1 3\n0 0\n10 0.001\n20 0.002\n",
         " ++>  Line type-subline number synchronization failed in LINE_STRAIN_DB.txt\n"
         "      at (ityp,ielem) = ( 1, 2). Correct data file and re-try.\n"},
        {"equal tensions", "3 1 2\n0 0\n10 0.001\n10 0.002\n",
         " ++>  Stress-strain tensions do not rise from point  2 to point  3\n"
         "      in LINE_STRAIN_DB.txt at (ityp,ielem) = ( 1, 2). Correct data file and re-try.\n"},
        {"equal first tensions", "3 1 2\n0 0\n0 0.001\n10 0.002\n",
         " ++>  Stress-strain tensions do not rise from point  1 to point  2\n"
         "      in LINE_STRAIN_DB.txt at (ityp,ielem) = ( 1, 2). Correct data file and re-try.\n"},
        {"falling tensions", "3 1 2\n0 0\n10 0.001\n5 0.002\n",
         " ++>  Stress-strain tensions do not rise from point  2 to point  3\n"
         "      in LINE_STRAIN_DB.txt at (ityp,ielem) = ( 1, 2). Correct data file and re-try.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Reading r(c.text, {{1, 2}});
        EXPECT_EQ(r.stop, StopKind::error);
        EXPECT_EQ(r.console.screen(), "\n" + c.message + "\n" + pause_prompt);
    }
}

TEST(StrainDatabase, ReadErrorsAndAMissingFileStop) {
    const std::string file_error = "\n ++> End of file or related file error in routine MRSTAT\n"
                                   "     file name LINE_STRAIN_DB.txt\n" +
                                   pause_prompt;
    {
        SCOPED_TRACE("a word for a tension");
        Reading r("2 1 1\n0 0\nten 0.001\n", {{1, 1}});
        EXPECT_EQ(r.stop, StopKind::error);
        EXPECT_EQ(r.console.screen(), file_error);
    }
    {
        SCOPED_TRACE("the file ends inside a block");
        Reading r("3 1 1\n0 0\n10 0.001\n", {{1, 1}});
        EXPECT_EQ(r.stop, StopKind::error);
        EXPECT_EQ(r.console.screen(), file_error);
    }
    {
        SCOPED_TRACE("no block for the second subline");
        Reading r(block(2, 1, 1), {{1, 1}, {1, 2}});
        EXPECT_EQ(r.stop, StopKind::error);
        EXPECT_NE(r.console.screen().find(file_error), std::string::npos);
    }
    Reading r("", {{1, 1}}, "\n", false);
    EXPECT_EQ(r.stop, StopKind::error);
    EXPECT_EQ(r.console.screen(), "\n ++>  User-supplied stress-strain characteristics file "
                                  "LINE_STRAIN_DB.txt not found\n\n" +
                                      pause_prompt);
}

TEST(StrainDatabase, FallingStrainWarnsAndTheUserDecides) {
    const std::string text = "4 3 1\n0 0\n100 0.01\n200 0.009\n300 0.02\n";
    const std::string warning =
        "\n ++>  Non-monotone tension or elongation array detected in LINE_STRAIN_DB.txt at\n"
        "     (ityp,ielem) = ( 3, 1). This will likely result in a compromised simulation.\n";
    {
        Reading r(text, {{3, 1}}, "\n");
        EXPECT_FALSE(r.stop.has_value());
        EXPECT_EQ(r.console.screen().find(warning), 0u) << r.console.screen();
        EXPECT_EQ(LINCOM.NSTRS_STRN(1, 3), 4); // the data as read
        EXPECT_EQ(LINCOM.E_ARR(3, 1, 3), 0.009f);
    }
    Reading r(text, {{3, 1}}, "A\n");
    EXPECT_EQ(r.stop, StopKind::user_choice);
}

TEST(StrainDatabase, ACurveShortOfOneAndAHalfTimesTheLargestLoadIsWarnedOf) {
    // 148 is short of 1.49 x TLOAD (100); 149 reaches it.
    {
        Reading r("2 1 1\n0 0\n148 0.01\n", {{1, 1}});
        EXPECT_FALSE(r.stop.has_value());
        EXPECT_EQ(r.console.screen(),
                  "\n ++> Maximum tension value less than 1.5 times the maximum table range;\n"
                  "     This may create problems; you should increase your tension range\n"
                  "     for (ityp,ielem) = ( 1, 1); in file LINE_STRAIN_DB.txt\n\n" +
                      pause_prompt);
    }
    Reading r("2 1 1\n0 0\n149 0.01\n", {{1, 1}});
    EXPECT_EQ(r.console.screen(), "");
}

} // namespace
} // namespace lintar
