// Tests of the mooring support-data driver end to end on the four-line fixture: the files and
// messages of a run, the reuse of complete and current maps, what rebuilds them, runs stopped
// in the middle, and bad input.
#include "td_support/mooring_support.h"
#include "td_support/td_aux_files.h"

#include "support/console.h"
#include "support/damping_fixture.h"
#include "support/fake_hull_model.h"
#include "support/turret_mooring.h"
#include "support/two_body.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "runtime/stop.h"
#include "runtime/units.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <numbers>
#include <sstream>
#include <thread>

namespace lintar {
namespace {

using namespace lintar::testing;
namespace fs = std::filesystem;

const std::vector<std::string> map_files = {"Moor_Force_Map.vkdt",      "OneLine_Force_Map.vkdt",
                                            "WF_Line_Damping_Map.vkdt", "Fairlead_Load_Map.vkdt",
                                            "Line_Quad_Cof_Map.vkdt",   "Line_Mass_Map.vkdt",
                                            "Moor_Force_Map.key",       "Line_Damping_Maps.key"};
const std::vector<std::string> force_set = {"Moor_Force_Map.vkdt", "OneLine_Force_Map.vkdt",
                                            "Moor_Force_Map.key"};
const std::vector<std::string> damping_set = {"WF_Line_Damping_Map.vkdt", "Fairlead_Load_Map.vkdt",
                                              "Line_Quad_Cof_Map.vkdt", "Line_Mass_Map.vkdt",
                                              "Line_Damping_Maps.key"};

std::size_t line_count(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// What a file looked like: its contents and its time.
struct Snapshot {
    std::string text;
    fs::file_time_type time;
};
std::map<std::string, Snapshot> snapshot(const ScratchFolder& folder,
                                         const std::vector<std::string>& names) {
    std::map<std::string, Snapshot> s;
    for (const auto& name : names) {
        const std::string path = "td_aux/" + name;
        if (folder.has(path))
            s[name] = {folder.read(path), fs::last_write_time(folder.path() / path)};
    }
    return s;
}
bool untouched(const std::map<std::string, Snapshot>& a, const std::map<std::string, Snapshot>& b,
               const std::string& name) {
    return a.count(name) != 0 && b.count(name) != 0 && a.at(name).text == b.at(name).text &&
           a.at(name).time == b.at(name).time;
}

// The data of a run: the four-line fixture, a fixed diameter of 40, no waves unless asked
// (the damping maps then need no motion runs), a free turret when asked.
struct RunData {
    bool waves = false;
    float SWHT = 4.0f;
    double line_length = 1200.0;
    float diameter = 40.0f;
    std::int32_t SIMTYP = 8;
    std::int32_t ForceAllRebuilds = 0;
    std::int32_t waveEnvironID = 7;
    float corner = 0.0f;              // y of the third level's smallest-y corner
    bool fairleads_at_centre = false; // every fairlead at the vessel's origin
    float BUYNGL = 0.0f;              // the buoy's heading and the tanker's offset from it
    float VOFANG = 0.0f;
};

void fill_run(const RunData& d) {
    fill_damping_fixture(4, 3);
    if (d.line_length != 1200.0) {
        const ElasticCatenary e{d.line_length, 0.8, 0.0};
        build_tables(e, 1, 50.0, 200.0, 16, damping_line_height, 10.0, 1);
        for (int i = 1; i <= 4; ++i)
            LINCOM.RANC(i) = LINCOM.ANCDST(8, 1, 1);
    }
    TPCM.LRANDM = d.waves ? 1 : 0;
    TPCM.SWHT(1) = d.SWHT;
    TPCM.excursionLimitDiameter = d.diameter;
    TPCM.SIMTYP = d.SIMTYP;
    TPCM.ForceAllRebuilds = d.ForceAllRebuilds;
    TPCM.NTYP = 1;
    OUTCOM.GYMINQ(2, 3) = d.corner;
    if (d.fairleads_at_centre) {
        for (int i = 1; i <= 4; ++i) {
            TPCM.RFLD(1, i) = 0.0f;
            TPCM.RFLD(2, i) = 0.0f;
        }
    }
    EQUILB.BUYNGL() = d.BUYNGL;
    EQUILB.VOFANG = d.VOFANG;
}

struct RunResult {
    std::optional<StopKind> stop;
    std::string screen;
    std::int32_t mapMakeSecs = -1;
    std::int32_t linDampSecs = -1;
};

// One run in the working folder, with the program state fresh as a new process has it.
RunResult run(const RunData& d, const std::string& keyboard = "") {
    ScriptedConsole console(keyboard);
    FakeHullModel fake;
    fill_run(d);
    RunResult r;
    r.stop = run_until_stop(
        [&] { WRITE_SQUAL_MOOR_DATA(d.waveEnvironID, 0, r.mapMakeSecs, r.linDampSecs); });
    r.screen = console.screen();
    return r;
}

// File times are compared: let the clock move on between runs.
void tick() {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

TEST(MooringSupport, FullRunWithWavesWritesEveryFile) {
    // The end-to-end case: four lines, three periods; the full damping maps run a motion run
    // and three line dampings at each of 4,913 points.
    ScratchFolder folder;
    fs::create_directory("td_aux");
    RunData d;
    d.waves = true;
    const auto start = std::chrono::steady_clock::now();
    const RunResult r = run(d);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ(r.stop, std::nullopt) << r.screen;
    RecordProperty("full_run_seconds", std::to_string(seconds));
    EXPECT_EQ(r.screen, "\n >>> Vorlakine support mapping for heading-dependent spectra...\n\n"
                        "\n >>> Vorlakine Excursion Diameter:     40.00\n\n"
                        "\n >>> Vorlakine: building mooring force map...\n\n"
                        "\n >>> Vorlakine: building wave-frequency line damping map...\n\n"
                        "\n >>> End Vorlakine mooring maps preparation...\n\n");
    EXPECT_GE(r.mapMakeSecs, 0);
    EXPECT_GE(r.linDampSecs, 0);
    EXPECT_EQ(line_count(folder.read("td_aux/TD_Environment.vkdt")), 7u);
    EXPECT_EQ(line_count(folder.read("td_aux/Moor_Force_Map.vkdt")), 1u + 35937u);
    EXPECT_EQ(line_count(folder.read("td_aux/OneLine_Force_Map.vkdt")), 1u);
    for (const char* name :
         {"WF_Line_Damping_Map.vkdt", "Line_Quad_Cof_Map.vkdt", "Line_Mass_Map.vkdt"})
        EXPECT_EQ(line_count(folder.read(std::string("td_aux/") + name)), 1u + 4913u) << name;
    EXPECT_EQ(line_count(folder.read("td_aux/Fairlead_Load_Map.vkdt")), 2u + 4913u * 5u);
    EXPECT_TRUE(folder.has("td_aux/Moor_Force_Map.key"));
    EXPECT_TRUE(folder.has("td_aux/Line_Damping_Maps.key"));
    for (const auto& entry : fs::directory_iterator(folder.path() / "td_aux"))
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
}

TEST(MooringSupport, CompleteCurrentMapsAreReusedAndChangesRebuildTheirSets) {
    ScratchFolder folder;
    fs::create_directory("td_aux");
    const RunResult first = run(RunData{});
    ASSERT_EQ(first.stop, std::nullopt) << first.screen;
    auto before = snapshot(folder, map_files);
    tick();

    // The same data: every map untouched, the environment summary written again.
    RunResult r = run(RunData{});
    ASSERT_EQ(r.stop, std::nullopt) << r.screen;
    EXPECT_EQ(r.screen.find("building"), std::string::npos);
    EXPECT_EQ(r.mapMakeSecs, -1);
    auto after = snapshot(folder, map_files);
    for (const auto& name : map_files)
        EXPECT_TRUE(untouched(before, after, name)) << name;

    // Another sea: the damping maps only.
    tick();
    RunData sea;
    sea.SWHT = 5.0f;
    ASSERT_EQ(run(sea).stop, std::nullopt);
    after = snapshot(folder, map_files);
    for (const auto& name : force_set)
        EXPECT_TRUE(untouched(before, after, name)) << name;
    for (const auto& name : {"WF_Line_Damping_Map.vkdt", "Line_Damping_Maps.key"})
        EXPECT_FALSE(untouched(before, after, name)) << name;

    // Another wave environment: the damping maps again.
    before = after;
    tick();
    RunData environment = sea;
    environment.waveEnvironID = 8;
    ASSERT_EQ(run(environment).stop, std::nullopt);
    after = snapshot(folder, map_files);
    EXPECT_TRUE(untouched(before, after, "Moor_Force_Map.vkdt"));
    EXPECT_FALSE(untouched(before, after, "Fairlead_Load_Map.vkdt"));

    // A longer line with the same span: the force map.
    before = after;
    tick();
    RunData longer = environment;
    longer.line_length = 1210.0;
    ASSERT_EQ(run(longer).stop, std::nullopt);
    after = snapshot(folder, map_files);
    EXPECT_FALSE(untouched(before, after, "Moor_Force_Map.vkdt"));
    EXPECT_FALSE(untouched(before, after, "OneLine_Force_Map.vkdt"));

    // One damping map deleted: the whole set.
    before = after;
    tick();
    fs::remove("td_aux/Line_Mass_Map.vkdt");
    ASSERT_EQ(run(longer).stop, std::nullopt);
    after = snapshot(folder, map_files);
    for (const auto& name : force_set)
        EXPECT_TRUE(untouched(before, after, name)) << name;
    for (const auto& name : damping_set) {
        if (name != "Line_Mass_Map.vkdt") {
            EXPECT_FALSE(untouched(before, after, name)) << name;
        }
    }
    EXPECT_TRUE(folder.has("td_aux/Line_Mass_Map.vkdt"));

    // ForceAllRebuilds: both sets.
    before = after;
    tick();
    RunData all = longer;
    all.ForceAllRebuilds = 1;
    ASSERT_EQ(run(all).stop, std::nullopt);
    after = snapshot(folder, map_files);
    for (const auto& name : map_files)
        EXPECT_FALSE(untouched(before, after, name)) << name;

    // A span of 40.9 has the key of 40.
    before = after;
    tick();
    RunData wider = longer;
    wider.diameter = 40.9f;
    const RunResult w = run(wider);
    EXPECT_NE(w.screen.find(" >>> Vorlakine Excursion Diameter:     40.90"), std::string::npos);
    after = snapshot(folder, map_files);
    for (const auto& name : map_files)
        EXPECT_TRUE(untouched(before, after, name)) << name;
}

TEST(MooringSupport, RunStoppedInAMapLeavesCompleteFilesAndTheNextRunRebuilds) {
    ScratchFolder folder;
    fs::create_directory("td_aux");
    ASSERT_EQ(run(RunData{}).stop, std::nullopt);
    const auto before = snapshot(folder, map_files);
    tick();

    // Another mooring: a turret whose search fails at the first point of the new map (two
    // lines from opposite fairleads to one far anchor, searched from 1.5 rad).
    {
        ScriptedConsole console("\n");
        FakeHullModel fake;
        fill_run(RunData{});
        TurretMooring m;
        const double ranc = std::hypot(30.0, 1000.0);
        m.lines = {{30.0, 0.0, std::atan2(1000.0, -30.0) * 180.0 / std::numbers::pi, ranc, 1},
                   {-30.0, 0.0, std::atan2(1000.0, 30.0) * 180.0 / std::numbers::pi, ranc, 1}};
        fill_turret_mooring(m);
        TPCM.NLIN = 2;
        TPCM.LSPM = 1;
        TPCM.LOCK_TRT = 0;
        EQUILB.TRTNGL = 1.5f;
        std::int32_t a = -1, b = -1;
        EXPECT_EQ(run_until_stop([&] { WRITE_SQUAL_MOOR_DATA(7, 0, a, b); }), StopKind::error);
        EXPECT_NE(console.screen().find(" in turret orientation calc"), std::string::npos);
    }
    const auto stopped = snapshot(folder, map_files);
    for (const char* name : {"Moor_Force_Map.vkdt", "OneLine_Force_Map.vkdt"})
        EXPECT_TRUE(untouched(before, stopped, name)) << name;
    EXPECT_FALSE(folder.has("td_aux/Moor_Force_Map.key"));
    EXPECT_FALSE(folder.has("td_aux/Moor_Force_Map.vkdt.tmp"));
    EXPECT_FALSE(folder.has("td_aux/OneLine_Force_Map.vkdt.tmp"));

    // The first data again: the force map is rebuilt, as its key is gone.
    tick();
    const RunResult again = run(RunData{});
    ASSERT_EQ(again.stop, std::nullopt);
    EXPECT_NE(again.screen.find("building mooring force map"), std::string::npos);
    EXPECT_EQ(again.screen.find("building wave-frequency"), std::string::npos);
    EXPECT_TRUE(folder.has("td_aux/Moor_Force_Map.key"));
}

// The quadratic damping coefficients at the map's centre by map heading. With every fairlead at
// the vessel's origin each line keeps its anchor distance at every heading, so the four lines
// (at 45, 135, 225 and 315 degrees) have one shape and one damping D per unit fairlead motion
// along the line. The drag dissipation goes with the cube of that motion, cos(a) for a unit surge
// and sin(a) for a unit sway at the line's angle a from the heading h, so both coefficients are
// D x S(h), S(h) = sum of |cos(a_i)|^3 = sum of |sin(a_i)|^3:
//   h = 0:     4 x (1/sqrt 2)^3               = sqrt 2 = 1.41421
//   h = 22.5:  2 x (cos^3 22.5 + cos^3 67.5)  = 1.68925 = 1.19448 x S(0)
//   h = 45:    2 x 1^3                        = 2       = sqrt 2 x S(0)
//   h = 90, 180: as at 0.
// The 0-degree heading thus gives 1/sqrt 2 of the 45-degree one. The CALM buoy's lines (code 13)
// move with the buoy, whatever the map's heading: with the buoy at BUYNGL + VOFANG = 22.5
// degrees every heading has S(22.5). A line from the origin has no yaw arm: the yaw column is 0.
TEST(MooringSupport, QuadraticLineDampingAtTheCentreByHeading) {
    struct Row {
        std::int32_t SIMTYP;
        double heading_degrees;
        double factor; // S of the lines' heading over S(0)
    };
    constexpr std::int32_t spread = 8;
    constexpr std::int32_t buoy = buoy_and_tanker.SIMTYP;
    constexpr double s_22 = 1.19448;
    constexpr Row rows[] = {{spread, 0.0, 1.0},  {spread, 22.5, s_22}, {spread, 45.0, 1.41421},
                            {spread, 90.0, 1.0}, {spread, 180.0, 1.0}, {buoy, 0.0, s_22},
                            {buoy, 45.0, s_22},  {buoy, 90.0, s_22},   {buoy, 180.0, s_22}};
    // The centre's entry at the map heading k x 22.5 degrees (k from -8 to 8).
    const auto centre_of = [](const std::vector<std::string>& map, double heading_degrees) {
        const long k = std::lround(heading_degrees / 22.5) + 8;
        return map[static_cast<std::size_t>(1 + (k * 17 + 8) * 17 + 8)];
    };
    std::map<std::int32_t, std::vector<std::string>> maps;
    for (const std::int32_t code : {spread, buoy}) {
        ScratchFolder folder;
        fs::create_directory("td_aux");
        RunData d;
        d.SIMTYP = code;
        d.fairleads_at_centre = true;
        d.BUYNGL = 0.3f;
        d.VOFANG = 0.39269908f - 0.3f; // 22.5 degrees in all
        const RunResult r = run(d);
        ASSERT_EQ(r.stop, std::nullopt) << r.screen;
        maps[code] = lines_of(folder.read("td_aux/Line_Quad_Cof_Map.vkdt"));
        ASSERT_EQ(maps[code].size(), 1u + 4913u);
    }
    // D x S(0) from the spread's entry at heading 0.
    const double at_zero = values_of(centre_of(maps[spread], 0.0))[0];
    ASSERT_GT(at_zero, 0.0);
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "code " << row.SIMTYP << ", " << row.heading_degrees);
        const std::string entry = centre_of(maps[row.SIMTYP], row.heading_degrees);
        EXPECT_EQ(entry.substr(0, 21), "      0.000     0.000");
        const double expected = at_zero * row.factor;
        const auto v = values_of(entry);
        ASSERT_EQ(v.size(), 3u);
        EXPECT_NEAR(v[0], expected, 2e-4 * expected);
        EXPECT_NEAR(v[1], expected, 2e-4 * expected);
        EXPECT_EQ(v[2], 0.0);
    }
}

TEST(MooringSupport, AlertPauseWaitsAndEndOfInputWritesNothing) {
    ScratchFolder folder;
    fs::create_directory("td_aux");
    // The diameter from OUTCOM's offset corners: three times the largest, 3 x 120 = 360,
    // beats the lines' reach (2 x 0.9 x 166.4) and a tenth of the depth (100).
    RunData tension_leg;
    tension_leg.SIMTYP = 14;
    tension_leg.diameter = 0.0f;
    tension_leg.corner = -120.0f;
    const RunResult stopped = run(tension_leg, "");
    EXPECT_EQ(stopped.stop, StopKind::error);
    EXPECT_NE(stopped.screen.find(" >>> Vorlakine Excursion Diameter:    360.00\n"),
              std::string::npos);
    EXPECT_NE(stopped.screen.find("\n ++> Vorlakine Alert: Middren and Gordax mooring & line "
                                  "tension maps not rigorously supported ...\n\n"),
              std::string::npos);
    EXPECT_TRUE(fs::is_empty(folder.path() / "td_aux"));
}

TEST(MooringSupport, BadInputStops) {
    {
        // No "td_aux": the report names the file, nothing is left behind.
        ScratchFolder folder;
        const RunResult r = run(RunData{}, "\n");
        EXPECT_EQ(r.stop, StopKind::error);
        EXPECT_NE(r.screen.find(" ++> File not found or file access error in WRITE_TD_MISC\n"
                                "     File name: td_aux/TD_Environment.vkdt"),
                  std::string::npos);
        EXPECT_FALSE(fs::exists(folder.path() / "td_aux"));
    }
    for (const float diameter : {std::numeric_limits<float>::quiet_NaN(), 1.0e10f}) {
        SCOPED_TRACE(diameter);
        ScratchFolder folder;
        fs::create_directory("td_aux");
        RunData d;
        d.diameter = diameter;
        const RunResult r = run(d, "\n");
        EXPECT_EQ(r.stop, StopKind::error);
        EXPECT_NE(r.screen.find("excursion diameter"), std::string::npos);
        EXPECT_TRUE(fs::is_empty(folder.path() / "td_aux"));
    }
}

} // namespace
} // namespace lintar
