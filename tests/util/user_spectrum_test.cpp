// Tests of the user wave spectrum file "WAVSPEC.txt": reading, the row-count limits, the
// interpolation, the once-per-run warning, the cache and the file errors.
#include "util/user_spectrum.h"

#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

constexpr const char* name = "WAVSPEC.txt  ";

// A table of n rows S(w) = 2 w + 1 at w = 0.001 i, i = 1 to n, with the count first.
std::string linear_table(int n, int count) {
    std::string text = std::to_string(count) + "\n";
    for (int i = 1; i <= n; ++i)
        text += std::to_string(0.001 * i) + ", " + std::to_string(2.0 * 0.001 * i + 1.0) + "\n";
    return text;
}

const std::string warning = " ++> Warning: Frequency outside user-supplied wave spectrum\n"
                            "     range; \"continue\" to extrapolate outside available range.\n"
                            "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ";

TEST(UserSpectrum, TableOfAThousandRowsIsReadAndInterpolated) {
    ScratchFolder folder;
    ScriptedConsole console;
    folder.write("WAVSPEC.txt", linear_table(1000, 1000));
    EXPECT_NEAR(UWVSPC(0.5005f, screen_unit, keyboard_unit, name), 2.001, 1e-5);
    // The end frequencies belong to the table: no warning.
    EXPECT_NEAR(UWVSPC(0.001f, screen_unit, keyboard_unit, name), 1.002, 1e-6);
    EXPECT_NEAR(UWVSPC(1.0f, screen_unit, keyboard_unit, name), 3.0, 1e-5);
    EXPECT_EQ(console.screen(), "");
}

TEST(UserSpectrum, RowCountOutsideTwoToAThousandIsRefused) {
    struct Row {
        int rows, count;
        const char* allowable;
    };
    constexpr Row rows[] = {{1001, 1001, "[1000]"}, {1, 1, "[2 to 1000]"}, {0, 0, "[2 to 1000]"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.count << " rows");
        ScratchFolder folder;
        ScriptedConsole console("\n");
        folder.write("WAVSPEC.txt", linear_table(row.rows, row.count));
        EXPECT_EQ(run_until_stop([] { UWVSPC(0.5f, screen_unit, keyboard_unit, name); }),
                  StopKind::error);
        EXPECT_EQ(console.screen(), " ++>  User-supplied wave spectral array in WAVSPEC.txt  \n"
                                    "      dimension = [" +
                                        std::to_string(row.count) +
                                        "] out of range; allowable\n"
                                        "      dimension = " +
                                        row.allowable + "\n\n \n Press <RETURN> to continue: ");
    }
}

// A repeated frequency (a zero-width interval) or a table that turns back is refused before
// any ordinate is interpolated from it.
TEST(UserSpectrum, FrequenciesThatDoNotRiseOrFallThroughoutAreRefused) {
    struct Row {
        const char* what;
        const char* table;
    };
    constexpr Row rows[] = {
        {"repeated", "3\n0.2 1.0\n0.4 2.0\n0.4 3.0\n"},
        {"rising, then falling", "3\n0.2 1.0\n0.6 2.0\n0.4 3.0\n"},
        {"falling, then rising", "3\n0.6 1.0\n0.2 2.0\n0.4 3.0\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchFolder folder;
        ScriptedConsole console("\n");
        folder.write("WAVSPEC.txt", row.table);
        EXPECT_EQ(run_until_stop([] { UWVSPC(0.5f, screen_unit, keyboard_unit, name); }),
                  StopKind::error);
        EXPECT_EQ(console.screen(),
                  " ++>  User-supplied wave spectrum frequencies in WAVSPEC.txt  \n"
                  "      must rise or fall from row to row; correct the file and re-try.\n"
                  "\n \n Press <RETURN> to continue: ");
    }
}

TEST(UserSpectrum, FrequenciesOutsideTheTableWarnOncePerRunAndExtrapolate) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    // Falling frequencies are searched as well as rising ones.
    folder.write("WAVSPEC.txt", "3 rows and a comment\n1.0 3.0 ignored\n0.6,2.0\n0.2 0.5\n");
    EXPECT_NEAR(UWVSPC(1.2f, screen_unit, keyboard_unit, name), 3.5, 1e-5);
    EXPECT_EQ(console.screen(), warning);
    console.clear_screen_text();
    // Below the table the extrapolation may go negative; it is returned as it is.
    EXPECT_NEAR(UWVSPC(0.0f, screen_unit, keyboard_unit, name), -0.25, 1e-5);
    EXPECT_NEAR(UWVSPC(0.4f, screen_unit, keyboard_unit, name), 1.25, 1e-5);
    EXPECT_EQ(console.screen(), "");
}

TEST(UserSpectrum, AbortAtTheWarningOrAnUnattendedRunStops) {
    {
        ScratchFolder folder;
        ScriptedConsole console("a\n");
        folder.write("WAVSPEC.txt", "2\n0.2 1\n2.0 1\n");
        EXPECT_EQ(run_until_stop([] { UWVSPC(3.0f, screen_unit, keyboard_unit, name); }),
                  StopKind::user_choice);
        EXPECT_EQ(console.screen(), warning);
    }
    ScratchFolder folder;
    ScriptedConsole console;
    folder.write("WAVSPEC.txt", "2\n0.2 1\n2.0 1\n");
    ASSERT_TRUE(
        open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace, FileForm::formatted));
    EXPECT_EQ(run_until_stop([] { UWVSPC(3.0f, diagnostics_unit, keyboard_unit, name); }),
              StopKind::error);
    close_unit(diagnostics_unit);
    EXPECT_EQ(folder.read("Diagnostics.stxt"),
              " ++> Warning: Frequency outside user-supplied wave spectrum\n"
              "     range; \"continue\" to extrapolate outside available range.\n");
    EXPECT_EQ(console.screen(), "");
}

TEST(UserSpectrum, MissingFileIsNamedInItsFieldAndStops) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    EXPECT_EQ(run_until_stop([] { UWVSPC(0.5f, screen_unit, keyboard_unit, name); }),
              StopKind::error);
    EXPECT_EQ(console.screen(),
              " ++>  User-supplied wave spectrum file \"WAVSPEC.txt  \" not found\n\n"
              "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ");
}

TEST(UserSpectrum, TableIsReadOnceUnlessAnotherFileIsNamed) {
    ScratchFolder folder;
    ScriptedConsole console;
    folder.write("WAVSPEC.txt", "2\n0.2 1\n2.0 1\n");
    EXPECT_FLOAT_EQ(UWVSPC(1.0f, screen_unit, keyboard_unit, name), 1.0f);
    folder.write("WAVSPEC.txt", "2\n0.2 5\n2.0 5\n"); // a change during the run is not seen
    EXPECT_FLOAT_EQ(UWVSPC(1.0f, screen_unit, keyboard_unit, name), 1.0f);
    folder.write("OTHERSPC.txt", "2\n0.2 7\n2.0 7\n");
    EXPECT_FLOAT_EQ(UWVSPC(1.0f, screen_unit, keyboard_unit, "OTHERSPC.txt"), 7.0f);
    EXPECT_EQ(console.screen(), "");
}

TEST(UserSpectrum, UnreadableTableReportsTheFile) {
    for (const char* text : {"3\n0.2 1\n0.4 x\n0.6 1\n", "3\n0.2 1\n0.4 1\n", "many\n"}) {
        SCOPED_TRACE(text);
        ScratchFolder folder;
        ScriptedConsole console("\n");
        folder.write("WAVSPEC.txt", text);
        EXPECT_EQ(run_until_stop([] { UWVSPC(0.5f, screen_unit, keyboard_unit, name); }),
                  StopKind::error);
        EXPECT_EQ(console.screen(),
                  "\n ++> End of file or related file error in routine UWVSPC\n"
                  "     file name WAVSPEC.txt  \n \n Press <RETURN> to continue: ");
    }
}

} // namespace
} // namespace lintar
