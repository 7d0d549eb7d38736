// Tests of report sections I and II of the semisubmersible model against lines typed by hand
// from the report layout, with the tension-leg lines, a missing natural period and the console
// redraw.
#include "hulls/semi_hull.h"

#include "blocks/himem.h"
#include "blocks/pascom.h"
#include "blocks/simcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/units.h"
#include "semi_fixture.h"
#include "support/console.h"

#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::read_text;
using testing::ScratchFolder;
using testing::ScriptedConsole;
using testing::set_up_semi_site;
using testing::test_data;

constexpr float two_pi = 6.2831855f;

std::string expected_page(const std::string& name) {
    std::string text = read_text(test_data(name));
    while (text.starts_with("#"))
        text.erase(0, text.find('\n') + 1);
    if (text.starts_with("<FF>"))
        text.replace(0, 4, "\f");
    return text;
}

void set_up_report_values() {
    set_up_semi_site({10.0f});
    HimemBlock& H = HIMEM;
    H.WR = two_pi / 40.0f;
    H.WP = two_pi / 35.0f;
    H.WH = two_pi / 20.0f;
    H.ROLI = 1.0e6f;
    H.PTCHI = 1.0e6f;
    H.HVMAS = 1.0e4f;
    SIMCOM.GAMRL = 0.1f;
    SIMCOM.GAMPT = 0.04f;
    SIMCOM.GAMHV = 0.02f;
}

TEST(SemiReports, SectionTwoOnAReportFile) {
    ScratchFolder folder;
    ScriptedConsole console;
    set_up_report_values();
    TPCM.IUNIT = 1;
    ASSERT_TRUE(open_unit(1, "report.txt", OpenStatus::replace, FileForm::formatted));
    SEMOUT();
    close_unit(1);
    EXPECT_EQ(folder.read("report.txt"), expected_page("semi_section_2.txt"));
    EXPECT_TRUE(console.screen().empty());
}

TEST(SemiReports, SectionTwoVariants) {
    ScratchFolder folder;
    ScriptedConsole console;
    set_up_report_values();
    TPCM.IUNIT = 1;
    TPCM.NUNTS = 2; // no unit
    TPCM.AUXVSH = 1;
    HIMEM.WH = 0.0f; // no heave restoring
    ASSERT_TRUE(open_unit(1, "report.txt", OpenStatus::replace, FileForm::formatted));
    SEMOUT();
    close_unit(1);
    const std::string page = folder.read("report.txt");
    for (const char* line : {
             "               NATURAL HEAVE PERIOD ...................   --- SECONDS \n",
             "\n ++> NOTE:  The data on this page represent EBROTAN estimates;\n"
             "            Motion data on subsequent pages derive from USER-SUPPLIED RAOs\n"
             "            which may or may not be consistent with the data on this page.\n\n",
             "               Damping conversion: 1% =  0.329E+03 PROBLEM here!\n",
         }) {
        SCOPED_TRACE(line);
        EXPECT_NE(page.find(line), std::string::npos) << page;
    }
}

TEST(SemiReports, SectionOneAsInputAndAsEstimated) {
    ScratchFolder folder;
    ScriptedConsole console;
    set_up_semi_site({10.0f});
    TpcmBlock& T = TPCM;
    HimemBlock& H = HIMEM;
    T.IUNIT = 1;
    T.DISPL = 9392.0f;
    T.AWP = 314.16f;
    T.TVKB = 7.8f;
    T.DRAFT = 20.0f;
    T.VKG = 15.0f;
    T.VKML = T.VKMT = 21.73f;
    T.PGYR = T.RGYR = 20.0f;
    T.YGYR = 22.0f;
    T.AWPEST = 314.16f;
    T.VCBEST = 7.8f;
    T.GMLEST = 6.73f;
    T.GMTEST = 6.5f;
    H.EDISPL = 9392.0f;
    H.EDRAFT = 20.0f;
    H.EVKG = 15.0f;
    H.VTCRP = 11.25f;
    H.VTCRR = 12.5f;
    ASSERT_TRUE(open_unit(1, "report.txt", OpenStatus::replace, FileForm::formatted));
    SEMSUM();
    close_unit(1);
    const std::string page = folder.read("report.txt");
    for (const char* line : {
             "\f\n   **                                                                        **\n"
             "   *************   I.  PHYSICAL CHARACTERISTICS SUMMARY (AS INPUT)  ***********\n"
             "   **                                                                        **\n",
             "               WATER DENSITY .........................   1025.00 KGW/CUBIC METER\n",
             "               DISPLACEMENT ..........................   9392.00 M.TONS  \n",
             "               WATER PLANE AREA ......................    314.16 SQUARE METERS  \n",
             "               LONGITUDINAL GM (GML) .................      6.73 METERS  \n",
             "               TRANSVERSE IWP/DELTA ..................     13.93 METERS  \n",
             "\f\n   **                                                                        **\n"
             "   ***********   I.  PHYSICAL CHARACTERISTICS SUMMARY (AS ESTIMATED)  *********\n",
             "               TRANSVERSE GM (GMT) ...................      6.50 METERS  \n",
             "               ROLL CENTER OF ROTATION ...............     12.50 METERS  \n",
             "               FORWARD (X) WATERPLANE CENTROID  ......      0.00 METERS  \n",
         }) {
        SCOPED_TRACE(line);
        EXPECT_NE(page.find(line), std::string::npos) << page;
    }
    EXPECT_EQ(page.find("PULL-DOWN"), std::string::npos);
    EXPECT_EQ(page.find("EQUIVALENT"), std::string::npos);
}

TEST(SemiReports, ANegativeAnswerAtEitherPageRedrawsSectionOneFromItsFirstPage) {
    // Pause after page 1: Return; after page 2: a negative code; then Return twice.
    ScriptedConsole console("\n-1\n\n\n");
    set_up_semi_site({10.0f});
    TPCM.IUNIT = TPCM.EDUNIT = screen_unit;
    SEMSUM();
    const std::string screen = console.screen();
    std::size_t first_pages = 0;
    for (std::size_t at = screen.find("(AS INPUT)"); at != std::string::npos;
         at = screen.find("(AS INPUT)", at + 1))
        ++first_pages;
    EXPECT_EQ(first_pages, 2u);
}

} // namespace
} // namespace lintar
