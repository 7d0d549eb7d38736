// Tests of report sections I and II of the ship-hull model against pages typed by hand from
// the report layout, and of their variants (metric units, user damping, user RAOs, the wave
// slope, the console redraw).
#include "hulls/ship_hull.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/units.h"
#include "support/console.h"
#include "util/angles.h"

#include "support/ship_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace lintar {
namespace {

using testing::read_text;
using testing::ScratchFolder;
using testing::ScriptedConsole;
using testing::set_grid_entry;
using testing::set_up_box_ship;
using testing::test_data;

constexpr float two_pi = 2.0f * pi_single;

// An expected page of tests/data: the lines after its comment header, "<FF>" a form feed.
std::string expected_page(const std::string& name) {
    std::string text = read_text(test_data(name));
    while (text.starts_with("#"))
        text.erase(0, text.find('\n') + 1);
    if (text.starts_with("<FF>"))
        text.replace(0, 4, "\f");
    return text;
}

// The box's values as the characteristics leave them, rounded for a readable page.
void set_up_report_values() {
    set_up_box_ship();
    TPCM.TRIMDG = 0.5f;
    TPCM.HEELDG = -1.25f;
    HimemBlock& H = HIMEM;
    H.VTCRR = 2.75f;
    H.VTCRP = 2.6f;
    H.GML = TPCM.VKML - TPCM.VKG;
    H.GMT = TPCM.VKMT - TPCM.VKG;
    H.SHIPL = 100.0f;
    H.BEAM = 20.0f;
    H.EDRAFT = 5.0f;
    H.XSCALE = 50.0f;
    H.WR = two_pi / 10.0f;
    H.WP = two_pi / 6.5f;
    H.WH = two_pi / 7.4f;
    H.ROLI = 1.0e6f;
    H.PTCHI = 1.0e7f;
    H.HVMAS = 2.0e4f;
    H.GAMROL = 0.1f;
    // Pitch and heave damping at x = k L/2 = 1: 50 PDMP(1) PCONST / PTCHI and
    // 50 HDMP(1) HCONST / HVMAS.
    H.JP = 3;
    H.JH = 4;
    set_grid_entry(3, 1.0f, 0.02f);
    set_grid_entry(4, 1.0f, 0.02f);
    H.PCONST = 1.0e6f;
    H.HCONST = 1000.0f;
    H.HMAS0 = 1.0f;
    H.PMAS0 = 1.0f;
    H.HMSRAT = 0.5f;
    H.PMSRAT = 0.5f;
}

TEST(ShipReports, SectionsOneAndTwoOnAReportFile) {
    ScratchFolder folder;
    ScriptedConsole console;
    set_up_report_values();
    TPCM.IUNIT = 1;
    ASSERT_TRUE(open_unit(1, "report.txt", OpenStatus::replace, FileForm::formatted));
    SHPSUM();
    close_unit(1);
    EXPECT_EQ(folder.read("report.txt"), expected_page("ship_section_1.txt"));
    ASSERT_TRUE(open_unit(1, "report.txt", OpenStatus::replace, FileForm::formatted));
    SHPOUT();
    close_unit(1);
    EXPECT_EQ(folder.read("report.txt"), expected_page("ship_section_2.txt"));
    EXPECT_TRUE(console.screen().empty());
}

TEST(ShipReports, MetricUnitsUserDampingUserRaosAndTheSlope) {
    ScratchFolder folder;
    ScriptedConsole console;
    set_up_report_values();
    TPCM.NUNTS = 1;
    TPCM.DWATR = 1025.0f;
    TPCM.LPTDMP = 1;
    TPCM.PTDAMP = 3.0f;
    TPCM.LHVDMP = 1;
    TPCM.HVDAMP = 7.5f;
    TPCM.LRLDMP = 1;
    TPCM.RLDAMP = 12.0f;
    TPCM.AUXVSH = 1;
    TPCM.LSLPHT = 1;
    TPCM.SLPHT = 4.0f;
    TPCM.IUNIT = 1;
    ASSERT_TRUE(open_unit(1, "report.txt", OpenStatus::replace, FileForm::formatted));
    SHPSUM();
    SHPOUT();
    close_unit(1);
    const std::string page = folder.read("report.txt");
    for (const char* line : {
             "               WATER DEPTH ...........................   1000.00 METERS  \n",
             "               WATER DENSITY .........................   1025.00 KGW/CUBIC METER\n",
             "               DISPLACEMENT ..........................    640.00 M.TONS  \n",
             "\n ++> NOTE:  The data on this page represent CALDRUN estimates;\n"
             "            Motion data on subsequent pages derive from USER-SUPPLIED RAOs\n"
             "            which may or may not be consistent with the data on this page.\n\n",
             // The user's per cent; the conversion still from the computed inertia.
             "               NATURAL ROLL DAMPING IN BEAM WAVES .....  12.0 PERCENT \n"
             "               Damping conversion: 1% = ",
             " m.ton*m./(rad/sec)\n",
             "               NATURAL PITCH DAMPING IN HEAD WAVES ....   3.0 PERCENT \n",
             "               NATURAL HEAVE DAMPING ..................   7.5 PERCENT \n",
             " m.ton/(m/sec)\n",
             "               REGULAR WAVE SLOPE .....................   4.0 DEGREES \n",
         }) {
        EXPECT_NE(page.find(line), std::string::npos) << line << "\nin\n" << page;
    }
}

TEST(ShipReports, ANegativeAnswerOnTheConsoleRedrawsThePage) {
    ScriptedConsole console("-1\n\n");
    set_up_report_values();
    TPCM.IUNIT = 6;
    TPCM.EDUNIT = 6;
    SHPSUM();
    const std::string screen = console.screen();
    const std::string title = "I.  PHYSICAL CHARACTERISTICS SUMMARY";
    const auto first = screen.find(title);
    ASSERT_NE(first, std::string::npos);
    const auto second = screen.find(title, first + 1);
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(screen.find(title, second + 1), std::string::npos);
    EXPECT_EQ(screen.substr(first, second - first).find("Press <RETURN> to continue: ") !=
                  std::string::npos,
              true);
    EXPECT_EQ(TPCM.LBACK, 0);
}

} // namespace
} // namespace lintar
