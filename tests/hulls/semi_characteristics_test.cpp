// Tests of SEMCHR: the hydrostatic estimate against hand-worked values of a four-column hull,
// the discrepancy block once per run, members on the waterline, a dry hull, the natural
// periods, and DIMADJ.
#include "hulls/semi_hull.h"

#include "blocks/himem.h"
#include "blocks/pascom.h"
#include "blocks/simcom.h"
#include "blocks/tpcm.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "semi_fixture.h"
#include "support/console.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::add_member;
using testing::column_area;
using testing::four_column_hull;
using testing::four_column_values;
using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;
using testing::set_up_semi_site;

// Sums over members in single precision: a few parts in a million.
constexpr float rel_tol = 2e-5f;

std::size_t count_of(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(Semchr, FourColumnHullEstimatesMatchTheHandWorkedHydrostatics) {
    ScriptedConsole console(std::string(10, '\n'));
    set_up_semi_site({10.0f});
    four_column_hull();
    SEMCHR();
    const auto h = four_column_values();
    const TpcmBlock& T = TPCM;
    EXPECT_NEAR(T.VOLEST, h.V, rel_tol * h.V);
    EXPECT_NEAR(T.VCBEST, h.KB, rel_tol * h.KB);
    EXPECT_NEAR(T.AWPEST, h.AWP, rel_tol * h.AWP);
    EXPECT_NEAR(T.GMTEST, h.KM - T.VKG, 1e-4f * h.KM);
    EXPECT_NEAR(T.GMLEST, h.KM - T.VKG, 1e-4f * h.KM);
    EXPECT_NEAR(T.XCBEST, 0.0f, 1e-4f);
    EXPECT_NEAR(T.YWPCTR, 0.0f, 1e-4f);
    EXPECT_EQ(SIMCOM.NPIERCE, 4);
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(SIMCOM.LPIERCE(i), 1);
        EXPECT_FLOAT_EQ(SIMCOM.CYLLEN(i), 20.0f * 1.001f);
        // The column's waterplane: r^2 / 4 about both axes.
        EXPECT_NEAR(SIMCOM.MRWPG2(i), 6.25f, 1e-5f);
        EXPECT_NEAR(SIMCOM.MPWPG2(i), 6.25f, 1e-5f);
    }
    EXPECT_EQ(SIMCOM.LPIERCE(5), 0);
    EXPECT_FLOAT_EQ(SIMCOM.CYLLEN(5), 30.0f);
    // Mean waterline widths: columns of 10 m each way.
    EXPECT_NEAR(PASCOM.MENWLX, 10.0f, 1e-5f);
    EXPECT_NEAR(PASCOM.MENWLY, 10.0f, 1e-5f);
    // Added mass: columns across (C_m 1, 6283.19 m^3) and pontoons across their length
    // (C_m 1 on both section axes, 2880 m^3) for surge; sway only the columns and pontoons
    // across y.
    const float Vc = 4.0f * column_area * 20.0f;
    EXPECT_NEAR(HIMEM.CSG, Vc / h.V, 1e-4f);
    EXPECT_NEAR(HIMEM.CSW, (Vc + 2880.0f) / h.V, 1e-4f);
    EXPECT_NEAR(HIMEM.HVMAS, h.V + 2880.0f, 1e-3f * h.V);
    // Consistent input: no discrepancy block, no notice.
    EXPECT_EQ(console.screen().find("WARNING"), std::string::npos) << console.screen();
    EXPECT_EQ(console.screen().find("Notice"), std::string::npos) << console.screen();
}

TEST(Semchr, InconsistentInputPrintsEachFailingItemOncePerRun) {
    ScriptedConsole console(std::string(10, '\n'));
    set_up_semi_site({10.0f});
    four_column_hull();
    TPCM.AWP = 400.0f;  // estimate 314.159
    TPCM.TVKB = 9.0f;   // estimate 7.80
    TPCM.DISPL *= 1.1f; // estimate 10 per cent less
    SEMCHR();
    const std::string screen = console.screen();
    EXPECT_EQ(count_of(screen, " ++> WARNING <++"), 3u) << screen;
    EXPECT_EQ(count_of(screen, "  Possible discrepancy in vessel water plane area:. (Input value, "
                               "simulation estimated value) = ("),
              1u)
        << screen;
    EXPECT_EQ(count_of(screen, "vertical center of buoyancy:"), 1u);
    EXPECT_EQ(count_of(screen, "displacement:"), 1u);
    EXPECT_EQ(count_of(screen, "metacentric"), 0u);
    // The second characteristics of the run say nothing more.
    console.clear_screen_text();
    SEMCHR();
    EXPECT_EQ(console.screen().find("WARNING"), std::string::npos) << console.screen();
}

TEST(Semchr, MembersAtTheWaterline) {
    ScriptedConsole console(std::string(10, '\n'));
    set_up_semi_site({10.0f});
    TPCM.DRAFT = 20.0f;
    TPCM.LWL = TPCM.BWL = 10.0f;
    TPCM.NOWARN = 1;
    TPCM.DISPL = 1000.0f;
    // A column standing on the waterline: base at the level, top above.
    const int standing =
        add_member({{0, 0, 20}, {0, 0, 30}, column_area, {10, 10, 10}, 1.0f, 0.0f, 0.0f, 1});
    // A column reaching up to the level from below.
    const int reaching =
        add_member({{30, 0, 0}, {30, 0, 20}, column_area, {10, 10, 20}, 1.0f, 0.0f, 0.0f, 1});
    SEMCHR();
    EXPECT_EQ(SIMCOM.LPIERCE(standing), 1);
    EXPECT_FLOAT_EQ(SIMCOM.CYLLEN(standing), 0.0f);
    EXPECT_EQ(SIMCOM.LPIERCE(reaching), 0);
    EXPECT_FLOAT_EQ(SIMCOM.CYLLEN(reaching), 20.0f);
    // Only the standing column's waterplane; only the reaching column's volume.
    EXPECT_NEAR(TPCM.AWPEST, column_area, 1e-3f);
    EXPECT_NEAR(TPCM.XWPCTR, 0.0f, 1e-5f);
    EXPECT_NEAR(TPCM.VOLEST, column_area * 20.0f, 1e-2f);
    for (int a = 1; a <= 3; ++a)
        EXPECT_TRUE(std::isfinite(SIMCOM.DRGFCF(a, standing)));
}

TEST(Semchr, DryHullWarnsOnceAndEstimatesNothing) {
    ScriptedConsole console(std::string(10, '\n'));
    set_up_semi_site({10.0f});
    TPCM.DRAFT = 5.0f;
    TPCM.LWL = TPCM.BWL = 10.0f;
    TPCM.DISPL = 1000.0f;
    TPCM.AWP = 78.0f;
    TPCM.TVKB = 2.0f;
    add_member({{0, 0, 10}, {0, 0, 30}, column_area, {10, 10, 20}, 1.0f, 0.0f, 0.0f, 1});
    SEMCHR();
    SEMCHR();
    const TpcmBlock& T = TPCM;
    for (const float v : {T.VOLEST, T.VCBEST, T.XCBEST, T.YCBEST, T.GMTEST, T.GMLEST, T.AWPEST})
        EXPECT_EQ(v, 0.0f);
    const std::string screen = console.screen();
    EXPECT_EQ(count_of(screen, " ++> Warning: No member crosses the waterline.\n"), 1u) << screen;
    EXPECT_EQ(screen.find("discrepancy"), std::string::npos) << screen;
    EXPECT_EQ(SIMCOM.LPIERCE(1), 0);
    EXPECT_EQ(SIMCOM.CYLLEN(1), 0.0f);
}

TEST(Semchr, TensionLegHullWithoutCrossingStopsAnUnattendedRun) {
    ScratchFolder folder;
    ScriptedConsole console;
    ASSERT_TRUE(
        open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace, FileForm::formatted));
    set_up_semi_site({10.0f});
    TPCM.SIMTYP = 14;
    TPCM.EDUNIT = diagnostics_unit;
    TPCM.DRAFT = 40.0f;
    TPCM.DISPL = 1000.0f;
    PASCOM.TLPWGHT = 900.0f;
    add_member({{0, 0, 0}, {0, 0, 30}, column_area, {10, 10, 30}, 1.0f, 0.0f, 0.0f, 1});
    EXPECT_EQ(run_until_stop([] { SEMCHR(); }), StopKind::error);
    close_unit(diagnostics_unit);
    EXPECT_NE(folder.read("Diagnostics.stxt")
                  .find(" ++> Warning: No member crosses the waterline. Quasi-static pulldown may\n"
                        "     have completely submerged all water-piercing members; you should\n"
                        "     increase their lengths to prevent this.\n"),
              std::string::npos);
}

TEST(Semchr, UserPitchPeriodSetsTheRestoringThatReproducesIt) {
    ScriptedConsole console(std::string(10, '\n'));
    set_up_semi_site({5.0f, 10.0f, 20.0f, 30.0f});
    four_column_hull();
    TPCM.LPTPRD = 1;
    TPCM.PITPRD = 26.0f;
    SEMCHR();
    const HimemBlock& H = HIMEM;
    EXPECT_FLOAT_EQ(H.WP, 6.2831855f / 26.0f);
    EXPECT_NEAR(6.2831855f / std::sqrt(H.PRMT / H.PTCH1), 26.0f, 1e-4f);
    // The nearest grid period to 26 s is 30 s, the fourth.
    EXPECT_EQ(H.JP, 4);
    // Heave from the restoring: g AWP over the heave mass.
    const auto h = four_column_values();
    EXPECT_NEAR(H.WH, std::sqrt(9.8f * h.AWP / H.HVMAS), 1e-6f);
}

TEST(Dimadj, WidthIsTheAxisAndLengthTheLargerOfTheOthers) {
    struct Case {
        float D[3];
        std::int32_t index;
        float length, width;
    };
    const Case cases[] = {
        {{2, 5, 3}, 1, 5, 2}, {{2, 5, 3}, 2, 3, 5}, {{2, 5, 3}, 3, 5, 3}, {{4, 4, 4}, 1, 4, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        float L = 0, W = 0;
        DIMADJ(c.D, L, W, c.index);
        EXPECT_EQ(L, c.length);
        EXPECT_EQ(W, c.width);
    }
}

} // namespace
} // namespace lintar
