// Tests of the mooring force map: its grid, its layout, and its entries against independent
// mechanics (the energy's gradient, the symmetry of a spread mooring, the closed-form net
// force of the four-line chain spread, the vanishing moment about a free turret).
#include "td_support/force_map.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "runtime/clock.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/spread_mooring_tables.h"
#include "support/turret_mooring.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>

namespace lintar {
namespace {

using testing::lines_of;
using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

constexpr double pi = std::numbers::pi;

// One entry of a map file: position, heading, force x, force y, yaw moment, energy.
struct Entry {
    double a = 0, b = 0, heading = 0, FX = 0, FY = 0, TZ = 0, E = 0;
};

Entry parse_entry(const std::string& line) {
    Entry e;
    e.a = std::stod(line.substr(1, 10));
    e.b = std::stod(line.substr(11, 10));
    e.heading = std::stod(line.substr(21, 10));
    e.FX = std::stod(line.substr(33, 12));
    e.FY = std::stod(line.substr(47, 12));
    e.TZ = std::stod(line.substr(61, 12));
    e.E = std::stod(line.substr(75, 12));
    return e;
}

// The map as written, entries indexed (a, i, j), 1-based.
struct MapFile {
    std::vector<std::string> lines;
    const std::string& header() const { return lines.at(0); }
    Entry at(int a, int i, int j) const {
        const auto k = static_cast<std::size_t>(1 + ((a - 1) * 33 + (i - 1)) * 33 + (j - 1));
        return parse_entry(lines.at(k));
    }
};

// Builds the map of the blocks' mooring into "map" and "line" in the working folder.
MapFile build_map(float XSPAN, bool cylMap, std::int32_t* seconds = nullptr) {
    open_unit(1234, "map", OpenStatus::replace, FileForm::formatted);
    open_unit(1259, "line", OpenStatus::replace, FileForm::formatted);
    float TRTNGL = EQUILB.TRTNGL;
    std::int32_t mapMakeSecs = -1;
    GET_MOOR_FORCES_MAP(6, 1234, 1259, map_mooring_of_blocks(), TRTNGL, XSPAN, XSPAN, cylMap,
                        mapMakeSecs);
    close_unit(1234);
    close_unit(1259);
    if (seconds != nullptr)
        *seconds = mapMakeSecs;
    return MapFile{lines_of(testing::read_text("map"))};
}

const testing::Chain chain{};

TEST(ForceMapGrid, PositionsOfEveryGrid) {
    constexpr float XSPAN = 320.0f;
    constexpr float DR0 = 40.0f;
    constexpr float tol = 1e-3f;
    // Several lines, Cartesian: the corners at +/- XSPAN/2, the centre at 0.
    MapAxes c = map_axes(false, 4, XSPAN, XSPAN, DR0);
    EXPECT_EQ(c.first[0], -160.0f);
    EXPECT_EQ(c.first[16], 0.0f);
    EXPECT_EQ(c.second[32], 160.0f);
    // Polar, several lines: radius 0 to XSPAN in steps of XSPAN/32; the angle as the headings.
    MapAxes p = map_axes(true, 4, XSPAN, XSPAN, DR0);
    EXPECT_EQ(p.first[0], 0.0f);
    EXPECT_EQ(p.first[1], 10.0f);
    EXPECT_NEAR(p.first[32], XSPAN, tol);
    EXPECT_NEAR(p.second[0], -pi, 1e-6);
    EXPECT_NEAR(p.second[32], pi, 1e-6);
    // Polar, one line: 0, DR0, then to XSPAN/2.
    MapAxes q = map_axes(true, 1, XSPAN, XSPAN, DR0);
    EXPECT_EQ(q.first[1], DR0);
    EXPECT_NEAR(q.first[2] - q.first[1], (XSPAN / 2.0f - DR0) / 31.0f, tol);
    EXPECT_NEAR(q.first[32], XSPAN / 2.0f, tol);
    // Cartesian, one line: steps (XSPAN - sqrt(2) DR0)/32, then a jump over the centre.
    MapAxes g = map_axes(false, 1, XSPAN, XSPAN, DR0);
    const double step = (XSPAN - std::sqrt(2.0) * DR0) / 32.0;
    EXPECT_EQ(g.first[0], -160.0f);
    EXPECT_NEAR(g.first[15] - g.first[14], step, tol);
    EXPECT_EQ(g.first[16], 0.0f);
    EXPECT_EQ(g.first[17], -g.first[15]);
    EXPECT_NEAR(g.first[32], 160.0f, tol);
    EXPECT_NEAR(g.second[1] - g.second[0], step, tol);
}

// The spread mooring's map: its layout, its headings and corners, and its numbers against the
// energy's gradient, the mooring's symmetry, the force service at the same points and the
// closed-form net force.
TEST(ForceMap, SpreadMooringAgainstIndependentMechanics) {
    ScratchFolder folder;
    ScriptedConsole console;
    testing::fill_spread_tables(chain, 1, 0.0f);
    LINCOM.TOTLN(1) = 3000.0f;
    constexpr float XSPAN = 64.0f; // steps of 2 ft
    const MapFile map = build_map(XSPAN, false);

    ASSERT_EQ(map.lines.size(), 1u + 35937u);
    EXPECT_EQ(map.header(), "          33          33          33          64");
    EXPECT_EQ(testing::read_text("line"),
              "           4          90   3000.00000      {NLIN,NTAB,TOTLN(1); Columns: Rdist, "
              "Hload, Tload}\n");
    EXPECT_EQ(map.lines[1].substr(0, 31), "    -32.000   -32.000    -3.142");
    EXPECT_EQ(map.lines[1].size(), 31u + 4u * 14u);
    EXPECT_NEAR(map.at(1, 1, 1).heading, -pi, 1e-3);
    EXPECT_NEAR(map.at(33, 1, 1).heading, pi, 1e-3);
    const Entry corner = map.at(17, 33, 1);
    EXPECT_EQ(corner.a, 32.0);
    EXPECT_EQ(corner.b, -32.0);
    const Entry centre = map.at(5, 17, 17);
    EXPECT_EQ(centre.a, 0.0);
    EXPECT_EQ(centre.b, 0.0);

    // Heading 0: F = -grad E by central differences (step 2 ft, the force varies slowly).
    for (const auto& [i, j] : {std::pair{17, 17}, {20, 17}, {10, 25}, {30, 3}}) {
        SCOPED_TRACE(::testing::Message() << "point " << i << ", " << j);
        const Entry e = map.at(17, i, j);
        const double dEdx = (map.at(17, i + 1, j).E - map.at(17, i - 1, j).E) / 4.0;
        const double dEdy = (map.at(17, i, j + 1).E - map.at(17, i, j - 1).E) / 4.0;
        const double scale = std::hypot(e.FX, e.FY) + 1.0;
        EXPECT_NEAR(-dEdx, e.FX, 0.02 * scale);
        EXPECT_NEAR(-dEdy, e.FY, 0.02 * scale);
    }
    // Symmetry about both axes at heading 0.
    for (int i = 1; i <= 16; ++i) {
        SCOPED_TRACE(i);
        const Entry left = map.at(17, i, 17);
        const Entry right = map.at(17, 34 - i, 17);
        EXPECT_NEAR(left.FX, -right.FX, 1e-4 * std::abs(left.FX) + 1e-3);
        EXPECT_NEAR(left.FY, 0.0, 1e-3 * std::abs(left.FX) + 1e-3);
    }
    // The force service at the same points, and the closed-form net force of the chains.
    const MapMooring m = map_mooring_of_blocks();
    PlaneFrame frame;
    frame.XCENTR = m.XCENTR;
    frame.XMCTR = m.YAWARM;
    for (const auto& [a, i, j] : {std::tuple{17, 1, 1}, {17, 25, 9}, {3, 17, 30}, {29, 5, 12}}) {
        SCOPED_TRACE(::testing::Message() << "point " << a << ", " << i << ", " << j);
        const Entry e = map.at(a, i, j);
        float ERGMOR = 0.0f;
        const PlaneState state{static_cast<float>(e.a),
                               static_cast<float>(e.b),
                               map_heading(a),
                               m.VESAN0,
                               0.0f,
                               m.TRTNG0};
        const PlaneLoads loads = FMOOR_PLUS(state, frame, m.tables, m.lines, ERGMOR, {});
        EXPECT_NEAR(e.FX, loads.FXMOOR, 1e-4 * std::abs(loads.FXMOOR) + 1e-3);
        EXPECT_NEAR(e.FY, loads.FYMOOR, 1e-4 * std::abs(loads.FYMOOR) + 1e-3);
        EXPECT_NEAR(e.TZ, loads.TZMOOR, 1e-4 * std::abs(loads.TZMOOR) + 1e-2);
        EXPECT_NEAR(e.E, ERGMOR, 1e-4 * std::abs(ERGMOR) + 1e-3);
        if (a == 17) {
            const auto F = testing::spread_net_force(chain, e.a, e.b, 0.0);
            EXPECT_NEAR(e.FX, F[0], 0.01 * std::abs(F[0]) + 0.5);
            EXPECT_NEAR(e.FY, F[1], 0.01 * std::abs(F[1]) + 0.5);
        }
    }
}

// A free turret at the turret centre, which is the moment centre: every point's yaw moment
// vanishes where the turret has turned to its root; the search starts from the previous
// point's angle and the caller's angle comes back unchanged.
TEST(ForceMap, FreeTurretTakesNoMoment) {
    ScratchFolder folder;
    ScriptedConsole console;
    testing::TurretMooring m;
    m.TRTNG0 = 0.2;
    m.lines = {{30.0, 20.0, 51.0, 1000.0, 1},
               {30.0, -20.0, -29.0, 1000.0, 1},
               {-30.0, 0.0, 191.0, 1000.0, 1}};
    testing::fill_turret_mooring(m);
    TPCM.NLIN = 3;
    TPCM.LSPM = 1;
    TPCM.LOCK_TRT = 0;
    EQUILB.YAWARM = static_cast<float>(m.XSALM);
    EQUILB.TRTNGL = 0.25f;
    const MapFile map = build_map(40.0f, true);
    ASSERT_EQ(map.lines.size(), 1u + 35937u);
    double largest_force = 0.0;
    double largest_moment = 0.0;
    for (std::size_t k = 1; k < map.lines.size(); k += 97) {
        const Entry e = parse_entry(map.lines[k]);
        largest_force = std::max(largest_force, std::hypot(e.FX, e.FY));
        largest_moment = std::max(largest_moment, std::abs(e.TZ));
    }
    EXPECT_GT(largest_force, 100.0);
    EXPECT_LT(largest_moment, 1e-3 * largest_force * 30.0);
    EXPECT_EQ(EQUILB.TRTNGL, 0.25f);
    EXPECT_EQ(console.screen(), "");
}

// A turret search that fails stops the map with the code line, the pause and status 1.
TEST(ForceMap, TurretRootFailureStops) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    testing::TurretMooring m;
    // Two lines from opposite fairleads to one anchor far ahead: the moment rises through its
    // zeros, so the bracket about the start holds no root the search accepts.
    const double ranc = std::hypot(30.0, 1000.0);
    m.lines = {{30.0, 0.0, std::atan2(1000.0, -30.0) * 180.0 / pi, ranc, 1},
               {-30.0, 0.0, std::atan2(1000.0, 30.0) * 180.0 / pi, ranc, 1}};
    testing::fill_turret_mooring(m);
    TPCM.NLIN = 2;
    TPCM.LSPM = 1;
    EQUILB.TRTNGL = 1.5f;
    EXPECT_EQ(run_until_stop([] { build_map(40.0f, false); }), StopKind::error);
    // gfortran: write(*,*) ' IER = ', 2, ' in turret orientation calc'
    EXPECT_EQ(console.screen(), "  IER =            2  in turret orientation calc\n"
                                " \n Press <RETURN> to continue: ");
}

// One line: the table of its type follows the first record; the clock read across midnight
// gives a positive time.
TEST(ForceMap, OneLineTableAndTimeAcrossMidnight) {
    ScratchFolder folder;
    ScriptedConsole console;
    testing::fill_spread_tables(chain, 1, 0.0f);
    TPCM.NLIN = 1;
    LINCOM.TOTLN(1) = 3000.0f;
    int reading = 0;
    set_clock([&] {
        LocalTime t;
        t.hour = reading == 0 ? 23 : 0;
        t.minute = reading == 0 ? 59 : 0;
        t.second = reading == 0 ? 50 : 10;
        ++reading;
        return t;
    });
    std::int32_t seconds = -1;
    (void)build_map(2000.0f, false, &seconds);
    set_clock({});
    EXPECT_EQ(seconds, 20);
    const auto table = lines_of(testing::read_text("line"));
    ASSERT_EQ(table.size(), 91u);
    EXPECT_EQ(table[0].substr(0, 24), "           1          90");
    for (const int k : {1, 45, 90}) {
        SCOPED_TRACE(k);
        const std::string& r = table[static_cast<std::size_t>(k)];
        ASSERT_EQ(r.size(), 1u + 75u);
        EXPECT_NEAR(std::stod(r.substr(1, 25)), LINCOM.ANCDST(k, 1, 1), 1e-9 * 3000.0);
        EXPECT_NEAR(std::stod(r.substr(26, 25)), LINCOM.HLOD(k), 1e-9 * 1000.0);
        EXPECT_NEAR(std::stod(r.substr(51, 25)), LINCOM.TOPTEN(k, 1, 1), 1e-9 * 1000.0);
    }
}

} // namespace
} // namespace lintar
