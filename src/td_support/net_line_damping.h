// td_support/net_line_damping.h: the damping and inertia that all mooring lines together add
// to the vessel at one offset and heading of the damping maps: the low-frequency quadratic
// drag coefficients and virtual inertia (GET_NET_LF_LINES_QUAD_DAMP), and the wave-frequency
// line damping from a motion run with the environment turned to the vessel's heading
// (GET_NET_WF_DAMP), each written as one map entry.
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

// GET_NET_LF_LINES_QUAD_DAMP: the mean line shapes at the offset (LINDRV at the anchor
// distances RANCHR and depths ZANCHR), then QDAMP for surge, sway and yaw at heading VESLOC(3)
// (radians, VESLOC[2]) with the line angles ANGDPR (degrees). Writes the entry x, y, heading
// and 0.375 times the surge, sway and yaw dissipation (yaw divided by YAWARM squared unless
// YAWARM is 0) on IOUNIT_DMP, and x, y, heading and the three virtual inertias on
// IOUNIT_MASS. Ends the run only as LINDRV and QDAMP do.
void GET_NET_LF_LINES_QUAD_DAMP(float RX, float RY, float VESANG, int IOUNIT_DMP, int IOUNIT_MASS,
                                std::span<const float> RANCHR, std::span<const float> ANGDPR,
                                std::span<const float> ZANCHR, std::span<const float, 3> VESLOC,
                                float YAWARM);

// The number of "LINEANG" blocks the motion run reads: one per relative heading of the list
// that VESL1 has built (WAVCOM's NRAO).
std::int32_t line_angle_blocks();

// GET_NET_WF_DAMP: clears HIMEM; the mean line shapes at the offset; the motion run with one
// sea heading and direction (LFORCE, LODRAO, NSEAHT, NSEAHG, NDIR 1, kept), no plots (IPLOTS
// 0), no reports (NEGSUM 1 unless VESDAT), the displacement pass of the point motions on
// (LDSP 1) and the environment headings turned by -VESLOC(3); "LINEANG" (created or replaced)
// receives one block of the lines' angles relative to the vessel per relative heading of the
// run, written after VESL1 has built the headings and before VESL2 reads them. Then LDAMP for
// surge with the fairlead loads exported to IO_FLD_LOAD_MAP after the position line, sway and
// yaw; the entry x, y, heading and the three dampings / 1000 goes to IO_WF_LN_DAMP. The
// headings, NEGSUM, IPLOTS and LDSP are restored. Ends the run as VESL1, VESL2, LINDRV and
// LDAMP do, and on a "LINEANG" that cannot be written.
void GET_NET_WF_DAMP(float RX, float RY, float VESANG, int IO_WF_LN_DAMP, int IO_FLD_LOAD_MAP,
                     std::span<const float> RANCHR, std::span<const float> ANGDPR,
                     std::span<const float> ZANCHR, bool VESDAT, std::span<const float, 3> VESLOC);

} // namespace lintar
