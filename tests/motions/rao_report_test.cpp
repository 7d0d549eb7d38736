// Tests of the RAO report tables: one table of one heading written by hand from the layout
// (deep-water wave lengths and slopes by the closed form k = w^2 / g), the grouping of the
// selected degrees of freedom with the roll flag, the centre-of-gravity transfer, the encounter
// period of a moving vessel, and the two plot-file modes.
#include "motions/rao_report.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/rao_fixture.h"

#include <array>
#include <complex>
#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::ScratchFolder;
using testing::ScriptedConsole;
using testing::set_up_motion_run;

// Heading 30 degrees, a wave height of 2 m, two grid periods (3 and 4 s, deep water), the
// report on unit 1 ("RAO.stxt"), the RAOs of the stand-in hull at every frequency.
void prepare(std::array<int, 6> motion) {
    set_up_motion_run();
    TPCM.NWP = 2;
    HIMEM.REDANG(1) = 30.0f;
    WAVCOM.IRAO = 1;
    TPCM.SLPHT = 2.0f;
    TPCM.LSLPHT = 0;
    TPCM.IUNIT = 1;
    TPCM.EDUNIT = screen_unit;
    TPCM.IPLOTS = 0;
    TPCM.LENDEG = 1;
    TPCM.LCGFLG = 0;
    TPCM.VFWD = 0.0f;
    HIMEM.LFRFLG = 0;
    for (int d = 1; d <= 6; ++d)
        TPCM.MOTION(d) = motion[static_cast<std::size_t>(d - 1)];
    const std::array<std::complex<float>, 6> rao{
        {{1.0f, 0.0f}, {0.5f, 0.5f}, {0.9f, -0.1f}, {0.2f, 0.0f}, {0.3f, 0.1f}, {0.1f, 0.0f}}};
    for (int IW = 1; IW <= 2; ++IW)
        for (int d = 0; d < 6; ++d)
            HIMEM.CRLDUM(d * HIMEM.NARRAY + IW) = rao[static_cast<std::size_t>(d)];
    ASSERT_TRUE(open_unit(1, "RAO.stxt", OpenStatus::replace, FileForm::formatted));
}

std::string report(const ScratchFolder& folder) {
    close_unit(1);
    return folder.read("RAO.stxt");
}

int count_of(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
        ++n;
    return n;
}

const std::string blanks31(31, ' ');
const std::string header = "\f\n"
                           "   **" +
                           std::string(72, ' ') +
                           "**\n"
                           "   ***************  II.  UNMOORED VESSEL MOTION CHARACTERISTICS  "
                           "**************\n"
                           "   **" +
                           std::string(72, ' ') +
                           "**\n\n\n"
                           "     ----  REGULAR WAVE DATA:  WAVE HEADING        =  30.0 DEG\n" +
                           blanks31 + "WAVE HEIGHT         =   2.0 M.\n" + blanks31 +
                           "VESSEL SPEED        =   0.0 M./SEC\n" + blanks31 +
                           "DIRECTION OF MOTION =   0.0 DEG\n\n";

TEST(RaoReport, ResponseTableOfOneHeadingAsLaidOut) {
    ScratchFolder folder;
    ScriptedConsole console;
    prepare({1, 1, 1, 0, 0, 0});
    RUTIL();
    // Deep water: k = w^2 / g, length 2 pi / k, slope H k / 2 in degrees.
    //   T 3 s: k 0.447601, L 14.04 m, slope 25.65 deg; T 4 s: k 0.251776, L 24.96, 14.43.
    // Surge 1 at 0; sway 0.7071 at 45; heave 0.9055 at -6.34 degrees.
    const std::string units = "    ( M./ M.)    ";
    const std::string expected =
        header + std::string(29, ' ') + "+++  QUASI-LINEAR RESPONSE RAOS (S.A./S.A.)  +++\n\n\n" +
        std::string(34, ' ') + "SURGE   " + std::string(9, ' ') + "SWAY    " + std::string(9, ' ') +
        "HEAVE   \n" + std::string(28, ' ') + units + units + units +
        "\n"
        "   WAVE     WAVE    WAVE\n"
        "  PERIOD   LENGTH   SLOPE        AM/PHASE         AM/PHASE         AM/PHASE  \n"
        "  (SEC)     (M.)    (DEG)\n\n\n"
        "    3.00     14.0   25.65     1.000/   0.0     0.707/  45.0     0.906/  -6.3\n"
        "    4.00     25.0   14.43     1.000/   0.0     0.707/  45.0     0.906/  -6.3\n"
        "\n\n"
        " >>> Note: Surge and sway RAOs evaluated at \"natural\" pitch and roll centers\n";
    EXPECT_EQ(report(folder), expected);
    EXPECT_EQ(console.screen(), "");
}

TEST(RaoReport, SelectedMotionsAreGroupedInTablesOfThreeWithTheRollFlag) {
    struct Row {
        std::array<int, 6> motion;
        int tables;
        int roll_lines; // the roll damping line of a table holding roll (ship hull)
        const char* first_columns;
    };
    const Row rows[] = {
        {{1, 1, 1, 1, 1, 1}, 2, 1, "SURGE            SWAY             HEAVE"},
        {{1, 0, 1, 1, 1, 0}, 2, 1, "SURGE            HEAVE            ROLL"},
        {{1, 1, 1, 0, 0, 0}, 1, 0, "SURGE            SWAY             HEAVE"},
        {{0, 0, 0, 0, 1, 0}, 1, 0, "PITCH"},
        {{0, 0, 0, 1, 0, 0}, 1, 1, "ROLL"},
        {{0, 0, 0, 0, 0, 0}, 0, 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.first_columns);
        ScratchFolder folder;
        ScriptedConsole console;
        prepare(row.motion);
        HIMEM.GAMRLI = 0.1f;
        RUTIL();
        const std::string text = report(folder);
        EXPECT_EQ(count_of(text, "QUASI-LINEAR RESPONSE RAOS"), row.tables);
        EXPECT_EQ(count_of(text, blanks31 + "ROLL DAMPING        =   5.0 PERCENT\n"),
                  row.roll_lines);
        if (row.tables > 0) {
            EXPECT_NE(text.find(std::string(34, ' ') + row.first_columns), std::string::npos);
        }
    }
    // In the table of surge, roll and pitch the roll line stands in the first table only.
    ScratchFolder folder;
    ScriptedConsole console;
    prepare({1, 0, 0, 1, 1, 1});
    RUTIL();
    const std::string text = report(folder);
    const auto second = text.find("\f", 1);
    ASSERT_NE(second, std::string::npos);
    EXPECT_NE(text.substr(0, second).find("ROLL DAMPING"), std::string::npos);
    EXPECT_EQ(text.substr(second).find("ROLL DAMPING"), std::string::npos);
    EXPECT_NE(text.substr(second).find("YAW"), std::string::npos);
}

TEST(RaoReport, CentreOfGravityAndEncounterPeriod) {
    ScratchFolder folder;
    ScriptedConsole console;
    prepare({1, 0, 0, 0, 0, 0});
    // Surge at the centre of gravity 2 m below the pitch centre: (1, 0) - 2 (0.3, 0.1) =
    // (0.4, -0.2): 0.447 at -26.6 degrees. Heading 30 and motion along 30 at 2 m/s: the
    // encounter period 2 pi / (w - 2 k): 3 s -> 2 pi / (2.094395 - 0.895202) = 5.24 s.
    TPCM.LCGFLG = 1;
    HIMEM.VTCRP = 12.0f;
    TPCM.VKG = 10.0f;
    TPCM.VFWD = 2.0f;
    TPCM.VGLDIR = 30.0f;
    RUTIL();
    const std::string text = report(folder);
    EXPECT_NE(text.find(" ENCOUNTER" + std::string(24, ' ') + "SURGE"), std::string::npos);
    EXPECT_NE(text.find("\n    5.24     14.0   25.65     0.447/ -26.6\n"), std::string::npos);
    EXPECT_NE(text.find("evaluated at vessel center of gravity (VKG)"), std::string::npos);
}

TEST(RaoReport, PlotFileInBothModes) {
    {
        ScratchFolder folder;
        ScriptedConsole console;
        prepare({0, 0, 1, 0, 0, 0});
        TPCM.IPLOTS = 1;
        ASSERT_TRUE(open_unit(rao_plot_unit, "RAO.plt", OpenStatus::replace, FileForm::formatted));
        RUTIL();
        close_unit(rao_plot_unit);
        const std::string plot = folder.read("RAO.plt");
        EXPECT_NE(plot.find("+++  QUASI-LINEAR RESPONSE RAOS (S.A./S.A.)  +++\n"),
                  std::string::npos);
        EXPECT_NE(plot.find("\tHEAVE\n"), std::string::npos);
        EXPECT_NE(plot.find("PERIOD\tLENGTH\tSLOPE\tAM/PHASE\n"), std::string::npos);
        EXPECT_NE(plot.find("3.00\t14.0\t25.65\t0.906\t-6.3\n4.00\t25.0\t14.43\t0.906\t-6.3\n"),
                  std::string::npos);
        EXPECT_NE(plot.find("WAVE HEADING        =  30.0 DEG"), std::string::npos);
    }
    ScratchFolder folder;
    ScriptedConsole console;
    prepare({0, 0, 1, 1, 0, 0});
    TPCM.IPLOTS = 2;
    HIMEM.NCURV = 1;
    HIMEM.IXFLAG = 1;
    ASSERT_TRUE(open_unit(rao_plot_unit, "RAO.plt", OpenStatus::replace, FileForm::formatted));
    RUTIL();
    close_unit(rao_plot_unit);
    // Heave 0.906 per metre; roll 0.2 rad per unit slope in degrees per metre: 11.46.
    EXPECT_EQ(folder.read("RAO.plt"),
              "    1\nENCOUNTER PERIOD IN SECONDS\n  M PER M  \n"
              "RESPONSE RAO (S.A./S.A.) FOR WAVE HEADING   30.00 DEGREES\n    2\n    1\n"
              "    3.00\n    4.00\n    0.91\n    0.91\nHEAVE\n"
              "    2\nENCOUNTER PERIOD IN SECONDS\nDEG PER M  \n"
              "RESPONSE RAO (S.A./S.A.) FOR WAVE HEADING   30.00 DEGREES\n    2\n    0\n"
              "   11.46\n   11.46\nROLL\n");
    EXPECT_EQ(HIMEM.IXFLAG, 0);
}

} // namespace
} // namespace lintar
