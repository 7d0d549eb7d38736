// Tests of the disc buoy's report sections I and II (DSKSUM, DSKOUT) against pages typed from
// their layout: unmoored, moored (the yaw damping, which no routine calibrates, at 0.0; a
// user's damping as given) and another coupling value (the headings only); the note of a
// buoy with user RAOs; the redraw at the console's pause.
#include "hulls/disc_hull.h"

#include "disc_fixture.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <string>

namespace lintar {
namespace {

using namespace lintar::testing;

constexpr float two_pi = 6.2831853f;

// An expected page of tests/data: the lines after its comment header, "<FF>" a form feed.
std::string expected_page(const std::string& name) {
    std::string text = read_text(test_data(name));
    while (text.starts_with("#"))
        text.erase(0, text.find('\n') + 1);
    if (text.starts_with("<FF>"))
        text.replace(0, 4, "\f");
    return text;
}

// The true cylinder's data with rounded characteristics.
void set_up_report_values() {
    set_up_cylinder_buoy();
    WAVCOM.RHOWTR = 0.002f;
    HimemBlock& H = HIMEM;
    H.VTCRR = 4.3333f;
    H.VTCRP = 4.3333f;
    H.GML = 3.5f;
    H.GMT = 3.5f;
    H.WR = two_pi / 10.0f;
    H.WP = two_pi / 8.0f;
    H.WH = two_pi / 4.0f;
    H.WSG = two_pi / 100.0f;
    H.WSW = two_pi / 50.0f;
    H.WY = two_pi / 20.0f;
    H.ROLI = 1.0e6f;
    H.PTCHI = 1.0e6f;
    H.HVMAS = 1.0e4f;
    H.SGMAS = 1.0e5f;
    H.YAWI = 1.0e6f;
    H.GAMROL = 0.1f;
    H.GAMPIT = 0.04f;
    H.GAMHEV = 0.06f;
    H.GAMSRG = 0.2f;
    H.GAMSWY = 0.3f;
}

std::string report(void (*section)()) {
    TPCM.IUNIT = 1;
    EXPECT_TRUE(open_unit(1, "report.txt", OpenStatus::replace, FileForm::formatted));
    section();
    close_unit(1);
    return read_text("report.txt");
}

TEST(DiscReports, SectionOneAndUnmooredSectionTwo) {
    reset_program_state();
    ScratchFolder folder;
    ScriptedConsole console;
    set_up_report_values();
    EXPECT_EQ(report(DSKSUM), expected_page("disc_section_1.txt"));
    EXPECT_EQ(report(DSKOUT), expected_page("disc_section_2_unmoored.txt"));
    EXPECT_TRUE(console.screen().empty());
}

TEST(DiscReports, MooredSectionTwoWithUserDampings) {
    reset_program_state();
    ScratchFolder folder;
    ScriptedConsole console;
    set_up_report_values();
    TpcmBlock& P = TPCM;
    P.MORFBK = 1;
    P.RLMDMP = 25.13274f;
    P.HVMDMP = 0.0f;
    P.LPTDMP = 1;
    P.PTDAMP = 7.5f;
    P.PTMDMP = 99.0f; // not read with the user's damping
    P.LSWDMP = 1;
    P.SWMDMP = 4.0f;
    EXPECT_EQ(report(DSKOUT), expected_page("disc_section_2_moored.txt"));
}

TEST(DiscReports, OtherCouplingPrintsTheHeadingsOnlyAndTheNote) {
    reset_program_state();
    ScratchFolder folder;
    ScriptedConsole console;
    set_up_report_values();
    TPCM.MORFBK = 2;
    TPCM.AUXVSH = 1;
    const std::string page = report(DSKOUT);
    EXPECT_NE(page.find("\n >>> NOTE:  The data on this page represent ULMARIS estimates;\n"
                        "            Motion data on subsequent pages derive from USER-SUPPLIED "
                        "RAOs\n"
                        "            which may or may not be consistent with the data on this "
                        "page.\n\n"),
              std::string::npos)
        << page;
    EXPECT_NE(page.find("     ----  NATURAL PERIODS AT ZERO SPEED  ----\n\n\n\n\n\n\n"
                        "----  QUASI-LINEAR DAMPING COEFFICIENTS  ----\n\n\n\n\n\n\n"
                        "               REGULAR WAVE HEIGHT"),
              std::string::npos)
        << page;
    EXPECT_EQ(page.find("PERIOD ."), std::string::npos);
}

TEST(DiscReports, ConsolePageRedrawsOnANegativeAnswer) {
    reset_program_state();
    ScriptedConsole console("-1\n\n");
    set_up_report_values();
    TPCM.IUNIT = TPCM.EDUNIT;
    DSKSUM();
    const std::string screen = console.screen();
    std::size_t n = 0;
    for (std::size_t at = screen.find("I.  PHYSICAL"); at != std::string::npos;
         at = screen.find("I.  PHYSICAL", at + 1))
        ++n;
    EXPECT_EQ(n, 2u);
}

} // namespace
} // namespace lintar
