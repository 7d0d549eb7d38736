// The per-line mean results on the closed-form spread mooring: loads and tensions against the
// lines' elastic catenaries, the slack line, the node arrays and where they are left alone,
// the case slots written, and the warnings of a distance outside the table and of a table that
// is not monotonic.
#include "equilibrium/mean_line_results.h"

#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/spread_mooring_tables.h"
#include "util/flags.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace lintar {
namespace {

using namespace lintar::testing;

const Chain chain{}; // 0.1 kips/ft, EA 2e5 kips, 3000 ft
constexpr float span = static_cast<float>(spread_depth);

// Linear reading between table points some 7 kips apart: about 0.1 kips off the catenary.
constexpr double force_tol = 0.5;
// A float catenary solve at the same load: about 1e-5 of the tension.
constexpr double solve_tol = 2e-5;

// The spread of four lines of one chain type, its sublines defined for the node solve, the
// vertical spans of the table stage in case 4, the console as the dialogue unit.
void fill_spread() {
    fill_spread_tables(chain, 3, 10.0f);
    TPCM.NTYP = 1;
    TPCM.NELEM(1) = 1;
    TPCM.SLEN(1, 1) = static_cast<float>(chain.L);
    TPCM.WETWT(1, 1) = static_cast<float>(chain.w);
    TPCM.ALPHA(1, 1, 1) = static_cast<float>(1.0 / chain.EA);
    TPCM.ANCTYP(1) = 1;
    TPCM.EDUNIT = screen_unit;
    TPCM.SIMTYP = 8;
    for (int i = 1; i <= 4; ++i)
        for (int s = 1; s <= 2; ++s)
            OUTCOM.DZTOTL(i, 4, s) = span;
}

const std::array<float, 150> no_offsets{};

void run_menset(int MINLN, int MAXLN, std::int32_t GETNODE) {
    MENSET(lincom_tables(), lincom_mooring_lines(MINLN, MAXLN), no_offsets, GETNODE);
}

TEST(MeanLineResults, TableValuesFollowTheCatenary) {
    ScriptedConsole console;
    fill_spread();
    const double X_ref = elastic_catenary(chain, 250.0, span).X;
    LINCOM.RANC(2) = static_cast<float>(X_ref); // line 2 pulls harder than the others
    OUTCOM.H_MEAN(1, 3, 1) = -5.0f;             // another case: not touched
    run_menset(1, 4, 0);
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(::testing::Message() << "line " << i);
        const double H = i == 2 ? 250.0 : spread_H0;
        const CatenaryState c = elastic_catenary(chain, H, span);
        EXPECT_NEAR(OUTCOM.H_MEAN(i, 4, 1), H, force_tol);
        EXPECT_NEAR(OUTCOM.TMEAN(i), c.T, force_tol);
        EXPECT_NEAR(OUTCOM.TOP_HINGAY_MEAN(i), c.angle, 1e-3);
        EXPECT_NEAR(OUTCOM.BMEAN(i), H, force_tol); // flat bottom: the load along the seabed
        EXPECT_EQ(OUTCOM.H_MEAN(i, 4, 2), OUTCOM.H_MEAN(i, 4, 1));
        EXPECT_EQ(OUTCOM.TOPANG_MEAN(i, 4, 1), OUTCOM.TOP_HINGAY_MEAN(i));
        EXPECT_EQ(OUTCOM.TOPANG_MEAN(i, 4, 2), OUTCOM.TOP_HINGAY_MEAN(i));
        EXPECT_EQ(OUTCOM.DZTOTL(i, 4, 2), span);
        EXPECT_EQ(OUTCOM.NODE_X(1, i, 4, 1), 0.0f); // no nodes asked for
    }
    EXPECT_EQ(OUTCOM.H_MEAN(1, 3, 1), -5.0f);
    EXPECT_EQ(console.screen(), ""); // inside the tables: no warning
}

TEST(MeanLineResults, NodesComeFromTheSolvedCatenary) {
    ScriptedConsole console;
    fill_spread();
    run_menset(1, 4, 1);
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(::testing::Message() << "line " << i);
        // The solve is exact at the interpolated load, so the closed form at that load is the
        // reference for the tensions and the fairlead's node.
        const double H = OUTCOM.H_MEAN(i, 4, 1);
        const CatenaryState c = elastic_catenary(chain, H, span);
        EXPECT_NEAR(OUTCOM.TMEAN(i), c.T, solve_tol * c.T);
        EXPECT_NEAR(OUTCOM.TMEANI(1, i, 4, 1), c.T, solve_tol * c.T);
        EXPECT_NEAR(OUTCOM.TOP_HINGAY_MEAN(i), c.angle, 1e-5);
        EXPECT_NEAR(OUTCOM.NODE_T(1, i, 4, 1), c.V / H, 1e-4);
        EXPECT_NEAR(OUTCOM.NODE_X(1, i, 4, 1), c.X, solve_tol * c.X);
        EXPECT_NEAR(OUTCOM.NODE_Z(1, i, 4, 1), span, solve_tol * c.X);
        EXPECT_EQ(OUTCOM.NODE_Z(2, i, 4, 1), 0.0f);
        EXPECT_EQ(OUTCOM.NODE_Y(1, i, 4, 1), 0.0f);
        EXPECT_NEAR(OUTCOM.BMEAN(i), H, solve_tol * c.T);
        EXPECT_EQ(OUTCOM.NODE_X(1, i, 4, 2), 0.0f); // nodes on side 1 only
    }
}

// A line at exactly 0.05 is without load: the first table point's tension and angles, the
// bottom tension |top tension - line weight|, and no nodes.
TEST(MeanLineResults, LineAtTheSlackDistanceHasNoLoad) {
    ScriptedConsole console;
    fill_spread();
    LINCOM.RANC(3) = 0.05f;
    OUTCOM.NODE_X(1, 3, 4, 1) = 77.0f;
    OUTCOM.TMEANI(1, 3, 4, 1) = 78.0f;
    run_menset(3, 3, 1);
    const float T1 = LINCOM.TOPTEN(1, LINCOM.MIDLYR, 1);
    EXPECT_EQ(OUTCOM.H_MEAN(3, 4, 1), 0.0f);
    EXPECT_EQ(OUTCOM.H_MEAN(3, 4, 2), 0.0f);
    EXPECT_EQ(OUTCOM.TMEAN(3), T1);
    EXPECT_FLOAT_EQ(OUTCOM.BMEAN(3), std::abs(T1 - static_cast<float>(chain.w * chain.L)));
    EXPECT_EQ(OUTCOM.TOP_HINGAY_MEAN(3), LINCOM.TOPANG(1, LINCOM.MIDLYR, 1));
    EXPECT_EQ(OUTCOM.NODE_X(1, 3, 4, 1), 77.0f);
    EXPECT_EQ(OUTCOM.TMEANI(1, 3, 4, 1), 78.0f);
    EXPECT_EQ(OUTCOM.H_MEAN(1, 4, 1), 0.0f); // outside the range: untouched
    EXPECT_EQ(console.screen(), "");         // no warning for a slack line
}

// The six-degree-of-freedom program codes read the line from the layered tables: the vertical
// span becomes the fairlead's height above the anchor at its offset.
TEST(MeanLineResults, SixDegreesOfFreedomTakeTheSpanFromTheOffset) {
    ScriptedConsole console;
    fill_spread();
    TPCM.SIMTYP = 17;
    std::array<float, 150> offsets{};
    offsets[0] = 4.0f; // line 1 raised by 4 ft
    MENSET(lincom_tables(), lincom_mooring_lines(1, 2), offsets, 0);
    EXPECT_FLOAT_EQ(OUTCOM.DZTOTL(1, 4, 1), span + 4.0f);
    EXPECT_FLOAT_EQ(OUTCOM.DZTOTL(1, 4, 2), span + 4.0f);
    EXPECT_FLOAT_EQ(OUTCOM.DZTOTL(2, 4, 1), span);
    const CatenaryState raised = catenary_at_distance(chain, LINCOM.RANC(1), span + 4.0);
    EXPECT_NEAR(OUTCOM.H_MEAN(1, 4, 1), raised.H, force_tol);
    EXPECT_NEAR(OUTCOM.TMEAN(1), raised.T, force_tol);
}

TEST(MeanLineResults, DistanceOutsideTheTableIsWarnedOncePerRun) {
    ScriptedConsole console("\n");
    fill_spread();
    LINCOM.RANC(1) = 5000.0f;
    LINCOM.RANC(2) = 6000.0f;
    run_menset(1, 4, 0);
    const std::string screen = console.screen();
    EXPECT_NE(screen.find(" ++> Warning: A fairlead-anchor distance for line number"),
              std::string::npos);
    EXPECT_NE(screen.find("line type a."), std::string::npos);
    EXPECT_EQ(screen.find("Warning", screen.find("Warning") + 1), std::string::npos);
    EXPECT_EQ(BITVAL(TPCM.MRWRNS, 2), 1); // kind 2 recorded in the flag word
    console.clear_screen_text();
    run_menset(1, 4, 0);
    EXPECT_EQ(console.screen(), "");
}

// Type 1's row MIDLYR made to turn back: the message once per type, however many lines use it.
void break_monotony() {
    LINCOM.ANCDST(40, LINCOM.MIDLYR, 1) = LINCOM.ANCDST(60, LINCOM.MIDLYR, 1);
}

TEST(MeanLineResults, NonMonotonicTableIsReportedOncePerType) {
    ScriptedConsole console("\n");
    fill_spread();
    break_monotony();
    run_menset(1, 4, 0);
    const std::string message =
        "++> Non-monotonic interpolation array detected: line type   1; contact Kelbrin\n";
    const std::string screen = console.screen();
    ASSERT_EQ(screen.substr(0, message.size()), message);
    EXPECT_EQ(screen.find("Non-monotonic", 10), std::string::npos);
    console.clear_screen_text();
    run_menset(1, 4, 0);
    EXPECT_EQ(console.screen(), "");
}

TEST(MeanLineResults, NonMonotonicTableStopsOnAbortAndInAnUnattendedRun) {
    {
        ScriptedConsole console("A\n");
        fill_spread();
        break_monotony();
        EXPECT_EQ(run_until_stop([] { run_menset(1, 4, 0); }), StopKind::user_choice);
    }
    {
        ScriptedConsole console;
        fill_spread();
        break_monotony();
        ScratchFolder folder;
        ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                              FileForm::formatted));
        TPCM.EDUNIT = diagnostics_unit;
        EXPECT_EQ(run_until_stop([] { run_menset(1, 4, 0); }), StopKind::error);
        close_unit(diagnostics_unit);
        EXPECT_NE(folder.read("Diagnostics.stxt").find("Non-monotonic interpolation array"),
                  std::string::npos);
    }
}

} // namespace
} // namespace lintar
