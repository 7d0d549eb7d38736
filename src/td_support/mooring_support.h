// td_support/mooring_support.h: the mooring side of the squall program's support data: the
// excursion diameter of the map grids, the rule that decides which maps are rebuilt, and the
// driver that writes the environment summary, the force map and the line damping maps under
// "td_aux" (WRITE_SQUAL_MOOR_DATA).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lintar {

// The four components (x, y, heading, vertical offset) of the corner records of the third
// level of the low-frequency offset region: the points of largest and smallest x and y.
struct OffsetCorners {
    std::array<float, 4> GXMAXQ{}, GXMINQ{}, GYMAXQ{}, GYMINQ{};
};

// The third level's corner records of OUTCOM, filled by the low-frequency offset cases.
OffsetCorners offset_corners_of_blocks();

// excursion_diameter: the diameter XSPAN of the map grids: the user's excursionLimitDiameter
// when not 0; otherwise three times the largest corner component, at least twice 0.9 x the
// shortest reach of a line type (anchor distance at the last table point NUMTAB in row
// MIDLYR less RANC(t), the anchor radius of line number t) and at least a tenth of DEPTH; a
// single line (NLIN 1) takes twice the shortest table range of its types instead. Reads
// LINCOM's ANCDST, RANC and MIDLYR.
float excursion_diameter(float excursionLimitDiameter, const OffsetCorners& corners,
                         std::int32_t NTYP, std::int32_t NUMTAB, std::int32_t NLIN, float DEPTH);

// The span key of a diameter, INT(XSPAN) truncated towards zero. A diameter that is not a
// number or whose integer part lies outside the 32-bit range has none: the fatal message
// naming it on EDUNIT, the Return pause and an error stop (status 1).
std::int32_t span_key(float XSPAN, int EDUNIT);

// The key records of the force map's set: its span key and the digest of everything the map
// is built from (the line tables and lines, the turret, the grid options, the program
// version), read from the blocks at the call.
std::vector<std::string> force_map_key(std::int32_t span);

// The key records of the damping maps' set: the line count NLIN, the wave-environment
// identifier, the span key and the digest of the force map's inputs and of the run's inputs
// (run_input_digest).
std::vector<std::string> damping_maps_key(std::int32_t NLIN, std::int32_t waveEnvironID,
                                          std::int32_t span);

// Seconds between two clock readings in minutes and seconds since midnight; a reading past
// midnight counts from the first day's end.
std::int32_t elapsed_seconds(std::int32_t start_minutes, std::int32_t start_seconds,
                             std::int32_t end_minutes, std::int32_t end_seconds);

// WRITE_SQUAL_MOOR_DATA: the mooring side of the support data under "td_aux". Fixes the
// excursion diameter from TPCM's excursionLimitDiameter or OUTCOM's offset corners (third
// level, from the low-frequency offset cases) and reports it on EDUNIT, each message between empty
// lines; the programs 14 and 17 show an alert and wait for Return. Writes the environment
// summary on every call. Rebuilds the force map with its one-line table, and the four damping
// maps, each set only when ForceAllRebuilds is 1 or the set on disk is not current: a file of
// it missing, or its key file missing or different (force_map_key, damping_maps_key). Each
// file is written under a temporary name and takes its own once complete; a set's key file is
// deleted before the set is rebuilt and written after its files have their names, so that a
// run stopped in the middle leaves complete files and a set that the next run rebuilds.
// mapMakeSecs and linDampSecs receive the build times of the sets rebuilt. nAgnSpecSecs is
// not used. Ends the run (status 1) on a diameter without a span key, a file that cannot be
// written (no "td_aux" folder: the report names the file), a failed turret search, and where
// the map builders end it; the end of input at the alert's pause ends it before any file.
void WRITE_SQUAL_MOOR_DATA(std::int32_t waveEnvironID, std::int32_t nAgnSpecSecs,
                           std::int32_t& mapMakeSecs, std::int32_t& linDampSecs);

} // namespace lintar
