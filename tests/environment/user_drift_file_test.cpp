// Tests of the user drift-coefficient file: reading, the heading convention, the bilinear
// interpolation, the cache, the once-per-run frequency warning and the refusals of bad files.
#include "environment/user_drift_file.h"

#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

constexpr const char* name = "DRFTCOFS.txt ";
constexpr double pi = 3.14159265358979;
const std::string pause = " \n Press <RETURN> to continue: ";

// A table whose coefficients are bilinear in frequency w and heading h (degrees), so that
// interpolation and extrapolation reproduce them exactly: surge w + h / 360, sway 2 w h / 360,
// yaw 3 - w. Frequencies 0.2 + 0.1 i (i from 0), headings `step` i degrees (i from 0).
std::string bilinear_table(int nfreq, int naz, double step = 90.0, std::string counts = "") {
    if (counts.empty())
        counts = std::to_string(nfreq) + " " + std::to_string(naz);
    std::string text = counts + "\n";
    for (int h = 0; h < naz; ++h) {
        const double deg = step * h;
        text += std::to_string(deg) + "\n";
        for (int i = 0; i < nfreq; ++i) {
            const double w = 0.2 + 0.1 * i;
            text += std::to_string(w) + ", " + std::to_string(w + deg / 360.0) + " " +
                    std::to_string(2.0 * w * deg / 360.0) + " " + std::to_string(3.0 - w) + "\n";
        }
    }
    return text;
}

float coefficient(float w, int component, double file_heading_deg, int out = screen_unit,
                  const char* file = name) {
    // The file's heading is the relative angle turned by half a circle.
    const auto angle = static_cast<float>(file_heading_deg * pi / 180.0 - pi);
    return DRFTCB(w, component, angle, out, keyboard_unit, file);
}

TEST(UserDriftFile, InterpolatesBilinearlyInFrequencyAndHeading) {
    ScratchFolder folder;
    ScriptedConsole console;
    folder.write("DRFTCOFS.txt", bilinear_table(5, 5));
    EXPECT_NEAR(coefficient(0.45f, 1, 135.0), 0.45 + 135.0 / 360.0, 1e-5);
    EXPECT_NEAR(coefficient(0.45f, 2, 135.0), 2.0 * 0.45 * 135.0 / 360.0, 1e-5);
    EXPECT_NEAR(coefficient(0.45f, 3, 135.0), 3.0 - 0.45, 1e-5);
    // Grid points and the table's ends give the tabulated values without a warning.
    EXPECT_NEAR(coefficient(0.2f, 1, 0.0), 0.2, 1e-6);
    EXPECT_NEAR(coefficient(0.6f, 2, 270.0), 0.9, 1e-5);
    // A full circle is reduced to 0: the heading-0 block, not the 360 one.
    EXPECT_NEAR(coefficient(0.6f, 2, 360.0), 0.0, 1e-6);
    EXPECT_EQ(console.screen(), "");
}

TEST(UserDriftFile, HeadingZeroInTheFileIsTheRelativeAngleOfPi) {
    ScratchFolder folder;
    ScriptedConsole console;
    // Only the heading-0 block is non-zero.
    folder.write("DRFTCOFS.txt", "2 3\n0\n0.5 1 1 1\n1.0 1 1 1\n"
                                 "90\n0.5 0 0 0\n1.0 0 0 0\n180\n0.5 0 0 0\n1.0 0 0 0\n");
    EXPECT_FLOAT_EQ(DRFTCB(0.7f, 2, static_cast<float>(pi), screen_unit, keyboard_unit, name),
                    1.0f);
    EXPECT_NEAR(DRFTCB(0.7f, 2, static_cast<float>(-pi / 2), screen_unit, keyboard_unit, name), 0.0,
                1e-6);
}

TEST(UserDriftFile, CountsAreTruncatedAndTheLargestTablePasses) {
    {
        ScratchFolder folder;
        ScriptedConsole console;
        folder.write("DRFTCOFS.txt", bilinear_table(12, 2, 90.0, "12.9, 2.5"));
        EXPECT_NEAR(coefficient(1.25f, 1, 45.0), 1.25 + 45.0 / 360.0, 1e-5);
        EXPECT_EQ(console.screen(), "");
    }
    ScratchFolder folder;
    ScriptedConsole console;
    folder.write("DRFTCOFS.txt", bilinear_table(121, 145, 2.5));
    EXPECT_NEAR(coefficient(12.15f, 1, 358.75), 12.15 + 358.75 / 360.0, 1e-4);
    EXPECT_NEAR(coefficient(0.25f, 2, 1.25), 2.0 * 0.25 * 1.25 / 360.0, 1e-5);
    EXPECT_EQ(console.screen(), "");
}

TEST(UserDriftFile, TableIsReadOnceUnlessAnotherFileIsNamed) {
    ScratchFolder folder;
    ScriptedConsole console;
    folder.write("DRFTCOFS.txt", bilinear_table(3, 3));
    EXPECT_NEAR(coefficient(0.3f, 3, 90.0), 2.7, 1e-6);
    folder.write("DRFTCOFS.txt", "garbage\n"); // a change during the run is not seen
    EXPECT_NEAR(coefficient(0.3f, 3, 90.0), 2.7, 1e-6);
    folder.write("TUGDRFT.txt", "2 2\n0\n0.2 0 0 7\n0.4 0 0 7\n180\n0.2 0 0 7\n0.4 0 0 7\n");
    EXPECT_FLOAT_EQ(coefficient(0.3f, 3, 90.0, screen_unit, "TUGDRFT.txt  "), 7.0f);
    EXPECT_EQ(console.screen(), "");
}

TEST(UserDriftFile, FileNamesFollowTheProgramCodeAndBody) {
    EXPECT_EQ(user_drift_file_name(13, 2), "BUOYDRFT.txt ");
    EXPECT_EQ(user_drift_file_name(13, 3), "TANKDRFT.txt ");
    EXPECT_EQ(user_drift_file_name(10, 2), "TUGDRFT.txt  ");
    EXPECT_EQ(user_drift_file_name(10, 3), "BARGDRFT.txt ");
    // Other bodies of those programs fall back on the general file rather than a blank name.
    EXPECT_EQ(user_drift_file_name(13, 1), "DRFTCOFS.txt ");
    EXPECT_EQ(user_drift_file_name(10, 4), "DRFTCOFS.txt ");
    EXPECT_EQ(user_drift_file_name(1, 2), "DRFTCOFS.txt ");
}

const std::string warning = " ++> Warning: Frequency outside user-supplied drift coefficient\n"
                            "     range; \"continue\" to extrapolate outside available range.\n";

TEST(UserDriftFile, FrequencyOutsideTheTableWarnsOnceAndExtrapolates) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    folder.write("DRFTCOFS.txt", bilinear_table(3, 3));
    EXPECT_NEAR(coefficient(0.1f, 1, 90.0), 0.1 + 0.25, 1e-5);
    EXPECT_EQ(console.screen(),
              warning + "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ");
    console.clear_screen_text();
    EXPECT_NEAR(coefficient(0.9f, 3, 45.0), 2.1, 1e-5);
    // Headings outside the table extrapolate silently.
    EXPECT_NEAR(coefficient(0.3f, 1, 270.0), 0.3 + 0.75, 1e-5);
    EXPECT_EQ(console.screen(), "");
}

TEST(UserDriftFile, AbortAtTheWarningOrAnUnattendedRunStops) {
    {
        ScratchFolder folder;
        ScriptedConsole console("a\n");
        folder.write("DRFTCOFS.txt", bilinear_table(3, 3));
        EXPECT_EQ(run_until_stop([] { coefficient(2.0f, 1, 0.0); }), StopKind::user_choice);
    }
    ScratchFolder folder;
    ScriptedConsole console;
    folder.write("DRFTCOFS.txt", bilinear_table(3, 3));
    ASSERT_TRUE(
        open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace, FileForm::formatted));
    EXPECT_EQ(run_until_stop([] { coefficient(2.0f, 1, 0.0, diagnostics_unit); }), StopKind::error);
    close_unit(diagnostics_unit);
    EXPECT_EQ(folder.read("Diagnostics.stxt"), warning);
}

struct BadFile {
    const char* what;
    std::string text;
    std::string screen;
};

TEST(UserDriftFile, BadFilesAreRefusedWithAMessageNamingThem) {
    const std::string short_file = "3 2\n0\n0.2 1 1 1\n0.3 1 1 1\n";
    const std::string letter = "2 2\n0\n0.2 1 1 1\n0.3 1 x 1\n90\n0.2 1 1 1\n0.3 1 1 1\n";
    const std::string file_error = "\n ++> End of file or related file error in routine DRFTCB\n"
                                   "     file name DRFTCOFS.txt \n" +
                                   pause;
    const auto too_small = [](const std::string& counts) {
        return " ++>  User-supplied drift force coefficient array in DRFTCOFS.txt \n"
               "      dimensions = [" +
               counts + "] out of range; allowable\n      dimensions = [2 to 121,2 to 145]\n" +
               pause;
    };
    const auto out_of_order = [](const std::string& what) {
        return " ++>  User-supplied drift force coefficient " + what +
               " in DRFTCOFS.txt \n"
               "      must rise or fall from entry to entry; correct the file and re-try.\n" +
               pause;
    };
    const BadFile cases[] = {
        {"122 frequencies", bilinear_table(122, 2),
         " ++>  User-supplied drift force coefficient array \n"
         "      dimensions = [122,2] out of range; allowable\n"
         "      dimensions = [121,145]\n" +
             pause},
        {"146 headings", bilinear_table(2, 146, 2.0),
         " ++>  User-supplied drift force coefficient array \n"
         "      dimensions = [2,146] out of range; allowable\n"
         "      dimensions = [121,145]\n" +
             pause},
        {"no frequencies", "0 3\n", too_small("0,3")},
        {"one heading", bilinear_table(3, 1), too_small("3,1")},
        {"negative count", "-3 2\n", too_small("-3,2")},
        {"short file", short_file, file_error},
        {"letter in a number", letter, file_error},
        {"no counts", "", file_error},
        {"frequencies out of order",
         "3 2\n0\n0.2 1 1 1\n0.4 1 1 1\n0.3 1 1 1\n"
         "90\n0.2 1 1 1\n0.4 1 1 1\n0.3 1 1 1\n",
         out_of_order("frequencies")},
        {"repeated heading",
         "2 3\n0\n0.2 1 1 1\n0.4 1 1 1\n90\n0.2 1 1 1\n0.4 1 1 1\n"
         "90\n0.2 1 1 1\n0.4 1 1 1\n",
         out_of_order("headings")},
        {"missing file", "",
         " ++>  User-supplied drift force coefficients \"DRFTCOFS.txt\""
         " not found.\n" +
             pause},
    };
    for (const BadFile& bad : cases) {
        SCOPED_TRACE(bad.what);
        ScratchFolder folder;
        ScriptedConsole console("\n");
        const bool missing = std::string(bad.what) == "missing file";
        if (!missing)
            folder.write("DRFTCOFS.txt", bad.text);
        EXPECT_EQ(run_until_stop([] { coefficient(0.3f, 1, 0.0); }), StopKind::error);
        EXPECT_EQ(console.screen(), bad.screen);
        if (!missing) {
            EXPECT_EQ(folder.read("DRFTCOFS.txt"), bad.text); // the file is left as it was
        }
    }
}

TEST(UserDriftFile, RefusedFileIsNotHeldAndAGoodOneIsReadNext) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    folder.write("DRFTCOFS.txt", "1 2\n");
    EXPECT_EQ(run_until_stop([] { coefficient(0.3f, 1, 0.0); }), StopKind::error);
    folder.write("DRFTCOFS.txt", bilinear_table(3, 3));
    EXPECT_NEAR(coefficient(0.3f, 1, 0.0), 0.3, 1e-6);
}

TEST(UserDriftFile, WindowsLineEndsReadAsUnixOnes) {
    ScratchFolder folder;
    ScriptedConsole console;
    std::string text = bilinear_table(3, 3);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2))
        text.insert(at, "\r");
    folder.write("DRFTCOFS.txt", text);
    EXPECT_NEAR(coefficient(0.35f, 2, 45.0), 2.0 * 0.35 * 45.0 / 360.0, 1e-5);
    EXPECT_EQ(console.screen(), "");
}

} // namespace
} // namespace lintar
