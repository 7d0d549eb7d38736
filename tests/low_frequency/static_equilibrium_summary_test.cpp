// Tests of section IV of the low-frequency report: a fixed force given in global axes in both
// of its lists, the direction of an offset at the origin, the drag lines under LEGDRG, the
// dynamic-positioning lines, the turret heading and the centroid word of a turret mooring.
#include "blocks/equilb.h"
#include "blocks/tpcm.h"
#include "low_frequency/low_frequency_report_fixture.h"
#include "low_frequency/report_context.h"
#include "low_frequency/static_equilibrium_summary.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/fake_hull_model.h"
#include "support/rao_fixture.h"

#include "util/unit_labels.h"

#include <gtest/gtest.h>

#include <string>

namespace lintar {
namespace {

using namespace lintar::testing;

template <class Change> std::string section_iv(Change change) {
    set_up_low_frequency_report();
    change();
    EXPECT_TRUE(open_unit(1, "LOWOUT.stxt", OpenStatus::replace, FileForm::formatted));
    write_static_equilibrium_summary(low_report_flags(), report_moments());
    close_unit(1);
    return read_text("LOWOUT.stxt");
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

const std::string kips = " kips       ";
const std::string foot_kips = " foot-kips       ";

TEST(StaticEquilibriumSummary, GlobalFixedForceTurnsIntoVesselAxes) {
    ScratchFolder folder;
    ScriptedConsole console;
    // Heading 90 degrees: a global (F, 0) is (0, -F) in vessel axes. F is negative here: the
    // x component is F cos(pi/2) with the single-precision cosine -4.4e-8, which prints 0.0
    // for a negative F (and -0.0 for a positive one, the sign of a value that rounds to 0).
    const std::string text = section_iv([] {
        EQUILB.VESANG() = 90.0f / 57.295776f;
        TPCM.XVFRC = -250.0f;
        TPCM.YVFRC = 0.0f;
        TPCM.VESMOM = -1234.5f;
        TPCM.CRDSYS = 0;
        TPCM.LVMR1 = 1;
    });
    EXPECT_TRUE(has(text, "   Vessel heading .............................      90.00 degrees\n"));
    EXPECT_TRUE(has(text, " Fixed force/moment #1 on <moorings> in <<Global>> system\n"
                          "   User-specified (x,y) forces:            (   -250.0,      0.0) "
                          "k.lbs\n"
                          "   User-specified vertical moment:                      -0.123E+04  "
                          "ft-kips\n"));
    EXPECT_TRUE(has(text, "   User-specified #1 (x,y) forces:         (      0.0,    250.0)" +
                              kips + "\n"));
}

TEST(StaticEquilibriumSummary, VesselAxesForcesPrintAsGiven) {
    ScratchFolder folder;
    ScriptedConsole console;
    const std::string text = section_iv([] {
        TPCM.CRDSYS = 1;
        TPCM.AXFC3 = 1;
        TPCM.XVFRC3 = 12.0f;
        TPCM.YVFRC3 = 34.0f;
        TPCM.VESMO3 = 5600.0f;
        TPCM.CRDS3 = 0;
        TPCM.LVMR3 = 1;
    });
    EXPECT_TRUE(has(text, " Fixed force/moment #1 on <<vessel>> in <<Vessel>> system\n"));
    EXPECT_TRUE(has(text, " Fixed force/moment #3 on <moorings> in <<Global>> system\n"));
    EXPECT_FALSE(has(text, "Fixed force/moment #2"));
    EXPECT_FALSE(has(text, "User-specified #2"));
    // Force 1 as given; force 3 turned by the heading of 0.5 rad: (12 cos + 34 sin,
    // 34 cos - 12 sin) = (26.8, 24.1).
    EXPECT_TRUE(has(text, "   User-specified #1 (x,y) forces:         (    150.0,    -40.0)" +
                              kips +
                              "\n"
                              "   User-specified #3 (x,y) forces:         (     26.8,     "
                              "24.1)" +
                              kips + "\n"));
    EXPECT_TRUE(has(text, "   User-specified #1 moment:                   2650.5" + foot_kips +
                              "\n   User-specified #3 moment:                      0.0" +
                              foot_kips + "\n"));
}

TEST(StaticEquilibriumSummary, OffsetAtTheOriginHasDirectionZero) {
    ScratchFolder folder;
    ScriptedConsole console;
    for (const float x : {0.0f, -0.0f}) {
        SCOPED_TRACE(x);
        const std::string text = section_iv([x] {
            EQUILB.RVES(1) = x;
            EQUILB.YCGVAR() = 0.0f;
        });
        EXPECT_TRUE(
            has(text, "   Vessel  centroid  Global offset direction ..       0.00 degrees\n"));
    }
}

TEST(StaticEquilibriumSummary, LegacyDragLeavesTheDragLinesOut) {
    ScratchFolder folder;
    ScriptedConsole console;
    const std::string text = section_iv([] { TPCM.LEGDRG = 1; });
    EXPECT_FALSE(has(text, "drag"));
    EXPECT_TRUE(
        has(text, "   Mean (x,y) forces; wave reflection:     (     40.7,     10.5)" + kips +
                      "\n   Mean (x,y) forces; swell reflection:    (     18.5,      6.7)" + kips +
                      "\n   Mean (x,y) forces; swell #2 reflection: (      7.2,     -3.5)" + kips +
                      "\n"));
    EXPECT_TRUE(has(text, "   Mean z moment; wave reflection:             1250.3" + foot_kips +
                              "\n   Mean z moment; swell reflection:             640.0" +
                              foot_kips + "\n"));
}

TEST(StaticEquilibriumSummary, DynamicPositioningLines) {
    ScratchFolder folder;
    ScriptedConsole console;
    const auto set_dp = [] {
        TPCM.DPXFRC = 55.5f;
        TPCM.DPYFRC = -22.0f;
        TPCM.DPXSPR = 8.5f;
        TPCM.DPYSPR = 9.5f;
        TPCM.DPMOM = 4500.0f;
        TPCM.DPASPR = 125000.0f;
    };
    const std::string position =
        " \n   D-P mean (x,y) forces:                  (     55.5,    -22.0)" + kips +
        "\n   D-P lateral (x,y) spring coefficients:     (      8.5,      9.5)  k.lbs/ft\n";
    // Position control only: no heading, the line with one blank, forces and springs.
    std::string text = section_iv([&] {
        set_dp();
        TPCM.DPRFLG = 1;
    });
    EXPECT_FALSE(has(text, "Dynamic Positioning"));
    EXPECT_TRUE(has(text, "ft-kips\n" + position + "\n Environmental forces"));
    EXPECT_TRUE(has(text, "   User-specified #1 (x,y) forces:         (    112.5,   -107.0)" +
                              kips +
                              "\n   D-P mean (x,y) forces:                  (     55.5,    -22.0)" +
                              kips + "\n\n   Net mean"));
    EXPECT_FALSE(has(text, "D-P mean moment"));
    // Heading control as well: the heading, the moment and the spring; the DP moment line.
    text = section_iv([&] {
        set_dp();
        TPCM.DPRFLG = 1;
        TPCM.DPAFLG = 3;
    });
    EXPECT_TRUE(has(text, "\n\n Dynamic Positioning <<Vessel>>\n\n"
                          "   D-P mean vertical moment:                             0.450E+04  "
                          "ft-kips\n"
                          "   D-P torsional spring coefficient:                     0.125E+06 "
                          "ft-kips/rad\n" +
                              position));
    EXPECT_TRUE(has(text, "   User-specified #1 moment:                   2650.5" + foot_kips +
                              "\n   D-P mean moment:                             -45.0" +
                              foot_kips + "\n\n   Net Mean z moment:"));
    // Bit 1 clear: no DP lines whatever the other bits.
    text = section_iv([&] {
        set_dp();
        TPCM.DPRFLG = 2;
        TPCM.DPAFLG = 2;
    });
    EXPECT_FALSE(has(text, "D-P"));
}

TEST(StaticEquilibriumSummary, TurretHeadingCentroidAndMetricWords) {
    ScratchFolder folder;
    ScriptedConsole console;
    const std::string text = section_iv([] {
        TPCM.SIMTYP = 15;
        TPCM.LSPM = 1;
        TPCM.NUNTS = 1;
        EQUILB.VESANG() = -0.5f;
    });
    EXPECT_TRUE(has(text, "   Vessel heading .............................     331.35 degrees\n"
                          "   Turret heading .............................      42.97 degrees\n"));
    EXPECT_TRUE(has(text, "   Fairlead centroid Global X displacement ....      12.50 meters    "));
    EXPECT_TRUE(has(text, "(    150.0,    -40.0) m.ton\n"));
    EXPECT_TRUE(has(text, " 0.250E+04  m.ton-m\n"));
    EXPECT_TRUE(has(text, "   Mean (x,y) forces; wind:                (    120.5,    -35.3) "
                          "metric tons\n"));
    EXPECT_TRUE(
        has(text, "   Mean z moment; wind:                       -8200.5 ton-meters      \n"));
}

TEST(StaticEquilibriumSummary, CurrentOnTheLinesNeedsItsSwitch) {
    ScratchFolder folder;
    ScriptedConsole console;
    std::string text = section_iv([] { TPCM.LCURML = 0; });
    EXPECT_FALSE(has(text, "current (lines)"));
    EXPECT_TRUE(has(text, "current (vessel)"));
    text = section_iv([] { TPCM.LCURNT = 0; });
    EXPECT_FALSE(has(text, "current"));
}

TEST(StaticEquilibriumSummary, MomentsComeFromTorqueTwoAtTheEquilibriumHeading) {
    ScratchFolder folder;
    ScriptedConsole console;
    FakeHullModel fake;
    set_up_motion_run();
    install_hull_model(HullModelKind::ship, &fake);
    TpcmBlock& T = TPCM;
    T.IUNIT = 1;
    T.EDUNIT = screen_unit;
    T.LWIND = T.LCURNT = T.LRANDM = T.LSWELL = T.LSWEL2 = 0;
    T.DPAFLG = T.DPRFLG = 0;
    T.YAWTBL = 0;
    T.IARCO = 1;
    T.CG_to_Midship = 0.0f;
    // One force in global axes of magnitude 3 towards 0.5 rad, at x = 30, moment 7: about the
    // yaw reference point 50 ahead, at heading 0.2 rad, 7 + (30 - 50) sin(0.5 - 0.2) 3 = -10.73.
    T.AUXFRC = 1;
    T.CRDSYS = 0;
    T.VESMOM = 7.0f;
    T.XVLOC = 30.0f;
    T.YVLOC = 0.0f;
    EQUILB.FEXTRN = 3.0f;
    EQUILB.PHIFEX = 0.5f;
    EQUILB.YAWARM = 50.0f;
    EQUILB.VESANG() = 0.2f;
    ASSERT_TRUE(open_unit(1, "LOWOUT.stxt", OpenStatus::replace, FileForm::formatted));
    write_static_equilibrium_summary(low_report_flags());
    close_unit(1);
    const std::string text = read_text("LOWOUT.stxt");
    const std::string word(UNITS(T.NUNTS + 19));
    EXPECT_TRUE(has(text, "   User-specified #1 moment:                    -10.7 " + word +
                              "\n\n"
                              "   Net Mean z moment:                           -10.7 " +
                              word + "\n"));
}

} // namespace
} // namespace lintar
