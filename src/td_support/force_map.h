// td_support/force_map.h: the mooring force map of the squall program's support data: the
// static mooring force, yaw moment and energy over a grid of vessel offsets and headings
// (GET_MOOR_FORCES_MAP), and the grid it shares with the line damping maps.
#pragma once

#include "lines/mooring_force.h"
#include "util/angles.h"

#include <array>
#include <cstdint>

namespace lintar {

// The grid: 33 headings and 33 x 33 positions, index 17 the middle of each; headings a step
// of 2 pi / 32 apart from -pi to +pi.
inline constexpr int map_points = 33;
inline constexpr int map_middle = 17;
inline constexpr float map_heading_step = two_pi_single / 32.0f;

// The turret search of the maps: within pi/2 of the previous point's angle, turned by pi
// when the root found is unstable.
inline constexpr float map_turret_half_width = half_pi_single;
inline constexpr float map_turret_flip = pi_single;

// The heading of heading index a, (a - 17) x 2 pi / 32.
float map_heading(int a);

// The positions of the grid along its two position indices (1..33 at [0..32]): Cartesian x
// and y, or for the polar grid the radius and the polar angle.
struct MapAxes {
    std::array<float, map_points> first{};
    std::array<float, map_points> second{};
};

// map_axes: the grid of the force map. Several lines: Cartesian from -XSPAN/2 to +XSPAN/2 in
// steps of XSPAN/32, polar radius 0 to XSPAN in steps of XSPAN/32. One line (DR0 the anchor
// distance at the line's second table point): Cartesian with a gap about the anchor-side dead
// zone, steps (XSPAN - sqrt(2) DR0)/32 from -XSPAN/2 to the 16th point, then 0, then the mirror
// of the 16th point on to +XSPAN/2; polar radius 0, DR0, then steps (XSPAN/2 - DR0)/31 to
// XSPAN/2. The polar angle runs as the headings.
MapAxes map_axes(bool cylMap, std::int32_t NLIN, float XSPAN, float YSPAN, float DR0);

// The mooring a map is built for: the line tables, the lines MINLN..MAXLN, the vessel's and
// the turret's reference headings, the turret (LSPM, LOCK_TRT, its centre YAWARM, which is
// also the moment centre) and the turn centre of the fairleads XCENTR.
struct MapMooring {
    LineTables tables;
    MooringLines lines;
    std::int32_t NLIN = 0;
    float VESAN0 = 0.0f;
    float TRTNG0 = 0.0f;
    bool LSPM = false;
    std::int32_t LOCK_TRT = 0;
    float YAWARM = 0.0f;
    float XCENTR = 0.0f;
    float TOTLN1 = 0.0f; // total length of line type 1
};

// The mooring of the blocks: LINCOM's tables and lines 1..NLIN, TPCM (VESAN0, LSPM, LOCK_TRT,
// XSALM), EQUILB (TRTNG0, YAWARM), LINCOM's TOTLN(1).
MapMooring map_mooring_of_blocks();

// True when the turret carries every line MINLN..MAXLN at one fairlead point (PNTTRT).
bool lines_share_one_fairlead(const MapMooring& m);

// The turret angle at a map point: the heading for a locked turret or one whose lines meet at
// one point, otherwise the root of the turret moment of M's lines with the vessel at (x, y)
// searched from TRTNGL (the previous point's) with the maps' bracket. A failed
// search ends the run (status 1) after its message on EDUNIT and the Return pause.
void map_turret_angle(const MapMooring& m, bool PNTTRT, float x, float y, float heading,
                      float& TRTNGL, int EDUNIT);

// GET_MOOR_FORCES_MAP: writes the one-line table on unit IO_ONE_LINE_MOOR_LOADS (its first
// record always, the table of type 1 in row MIDLYR only for a single line) and the force map
// on unit IO_MOOR_LOADS: the record 33, 33, 33, INT(XSPAN), then for every heading, first
// and second position index (innermost last) the position, the heading, the mooring force x
// and y (FMOOR_PLUS with the moment centre at the turret), the yaw moment and the energy.
// TRTNGL is the turret angle the first search starts from (each later one starts from the
// previous point's; the caller's word is not changed). mapMakeSecs receives the elapsed time
// (RHTIME), positive across midnight. Ends the run as map_turret_angle does.
void GET_MOOR_FORCES_MAP(int EDUNIT, int IO_MOOR_LOADS, int IO_ONE_LINE_MOOR_LOADS,
                         const MapMooring& m, float TRTNGL, float XSPAN, float YSPAN, bool cylMap,
                         std::int32_t& mapMakeSecs);

// A map entry: 1X, 3F10.3, 4(2X, E12.5).
std::string map_entry(float a, float b, float c, std::initializer_list<float> values);

} // namespace lintar
