// Tests of the line damping maps: their sizes and layouts for a spread and a turret mooring,
// the loads without waves, and the single-line centre; and of the support-data driver end to
// end on the four-line fixture: the reuse of complete and current maps, the rebuilds, stops in
// the middle of a build and the messages.
#include "td_support/damping_maps.h"
#include "td_support/mooring_support.h"
#include "td_support/td_aux_files.h"

#include "support/console.h"
#include "support/damping_fixture.h"
#include "support/fake_hull_model.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "runtime/clock.h"
#include "runtime/stop.h"
#include "runtime/units.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <sstream>

namespace lintar {
namespace {

using namespace lintar::testing;

struct DampingFiles {
    std::vector<std::string> wf, loads, cof, mass;
};

// Builds the damping maps of the blocks' mooring into four files of the working folder.
DampingFiles build_damping_maps(float XSPAN, std::int32_t* seconds = nullptr) {
    open_unit(1233, "wf", OpenStatus::replace, FileForm::formatted);
    open_unit(1255, "loads", OpenStatus::replace, FileForm::formatted);
    open_unit(1256, "cof", OpenStatus::replace, FileForm::formatted);
    open_unit(1258, "mass", OpenStatus::replace, FileForm::formatted);
    float TRTNGL = EQUILB.TRTNGL;
    std::int32_t linDampSecs = -1;
    GET_LINE_DAMP_MAP(6, 1233, 1255, 1256, 1258, map_mooring_of_blocks(),
                      std::vector<float>(150, 0.0f), TRTNGL, XSPAN, XSPAN, TPCM.LRANDM, TPCM.LSWELL,
                      linDampSecs, 7);
    for (const int unit : {1233, 1255, 1256, 1258})
        close_unit(unit);
    if (seconds != nullptr)
        *seconds = linDampSecs;
    return {lines_of(read_text("wf")), lines_of(read_text("loads")), lines_of(read_text("cof")),
            lines_of(read_text("mass"))};
}

// A spread without waves: 17 x 17 x 17 entries, zero wave-frequency damping, each line's mean
// top tension from the closed-form catenary at the centre.
TEST(DampingMaps, SpreadWithoutWaves) {
    ScratchFolder folder;
    ScriptedConsole console;
    fill_damping_fixture(4, 3);
    TPCM.LRANDM = 0;
    const DampingFiles f = build_damping_maps(40.0f);
    EXPECT_EQ(f.wf.size(), 1u + 4913u);
    EXPECT_EQ(f.cof.size(), 1u + 4913u);
    EXPECT_EQ(f.mass.size(), 1u + 4913u);
    EXPECT_EQ(f.loads.size(), 2u + 4913u * 5u);
    EXPECT_EQ(f.wf[0], "          17          17          17           7          40");
    EXPECT_EQ(f.cof[0], f.wf[0]);
    EXPECT_EQ(f.loads[0], "           4           7          40");
    EXPECT_EQ(f.loads[1], "          17          17          17");
    // Heading, x, y order: the first entry at (-20, -20) heading -pi, the next y up by XSPAN/16.
    EXPECT_EQ(f.wf[1], "    -20.000   -20.000    -3.142   0.00000E+00   0.00000E+00   0.00000E+00");
    EXPECT_EQ(f.wf[2].substr(0, 31), "    -20.000   -17.500    -3.142");
    EXPECT_EQ(f.wf[18].substr(0, 31), "    -17.500   -20.000    -3.142");
    EXPECT_EQ(f.wf[290].substr(0, 31), "    -20.000   -20.000    -2.749"); // 22.5 degrees on
    EXPECT_EQ(f.wf[4913].substr(0, 31), "     20.000    20.000     3.142");
    // The centre at heading 0 (heading 9, x 9, y 9): every line at its table point 8.
    const std::size_t centre = 1 + ((8 * 17 + 8) * 17 + 8);
    EXPECT_EQ(f.wf[centre].substr(0, 31), "      0.000     0.000     0.000");
    const double H8 = LINCOM.HLOD(8);
    const double T = damping_line.top_tension(H8, damping_line_height);
    const std::size_t loads_at = 2 + (centre - 1) * 5;
    EXPECT_EQ(f.loads[loads_at], "      0.000     0.000     0.000");
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        const std::string& r = f.loads[loads_at + static_cast<std::size_t>(n)];
        EXPECT_EQ(std::stoi(r.substr(1, 4)), n);
        EXPECT_NEAR(std::stod(r.substr(5, 14)), T, 1e-4 * T);
        EXPECT_EQ(r.substr(19), "   0.00000E+00   0.00000E+00   0.00000E+00");
    }
    // The quadratic coefficients of a symmetric spread: surge and sway alike at heading 0.
    const auto cof = values_of(f.cof[centre]);
    EXPECT_GT(cof[0], 0.0);
    EXPECT_NEAR(cof[0], cof[1], 1e-3 * cof[0]);
}

// A turret mooring takes every heading: 17 x 17 x 33 entries.
TEST(DampingMaps, TurretTakesEveryHeading) {
    ScratchFolder folder;
    ScriptedConsole console;
    fill_damping_fixture(4, 3);
    TPCM.LRANDM = 0;
    TPCM.LSPM = 1;
    TPCM.LOCK_TRT = 1; // locked: the turret turns with the heading
    const DampingFiles f = build_damping_maps(40.0f);
    EXPECT_EQ(f.wf.size(), 1u + 9537u);
    EXPECT_EQ(f.mass.size(), 1u + 9537u);
    EXPECT_EQ(f.loads.size(), 2u + 9537u * 5u);
    EXPECT_EQ(f.wf[0].substr(0, 12), "          33");
    EXPECT_EQ(f.wf[290].substr(0, 31), "    -20.000   -20.000    -2.945"); // 11.25 degrees on
}

// A single line: zeros over the anchor-side centre and the tension of the first table point;
// the time read across midnight is positive.
TEST(DampingMaps, SingleLineCentreAndTimeAcrossMidnight) {
    ScratchFolder folder;
    ScriptedConsole console;
    fill_damping_fixture(1, 3);
    TPCM.LRANDM = 0;
    int reading = 0;
    set_clock([&] {
        LocalTime t;
        t.hour = reading == 0 ? 23 : 0;
        t.minute = reading == 0 ? 59 : 1;
        t.second = reading == 0 ? 50 : 0;
        ++reading;
        return t;
    });
    std::int32_t seconds = -1;
    const DampingFiles f = build_damping_maps(40.0f, &seconds);
    set_clock({});
    EXPECT_EQ(seconds, 70);
    const std::size_t centre = 1 + ((8 * 17 + 8) * 17 + 8);
    EXPECT_EQ(f.wf[centre], "      0.000     0.000     0.000   0.00000E+00   0.00000E+00   "
                            "0.00000E+00");
    EXPECT_EQ(f.cof[centre], f.wf[centre]);
    EXPECT_EQ(f.mass[centre], f.wf[centre]);
    const std::size_t loads_at = 2 + (centre - 1) * 2;
    EXPECT_EQ(f.loads[loads_at], "      0.000     0.000     0.000");
    const std::string& r = f.loads[loads_at + 1];
    EXPECT_EQ(r.substr(0, 5), "    1");
    const double T1 = damping_line.top_tension(LINCOM.HLOD(1), damping_line_height);
    EXPECT_NEAR(std::stod(r.substr(5, 14)), T1, 1e-4 * T1);
}

} // namespace
} // namespace lintar
