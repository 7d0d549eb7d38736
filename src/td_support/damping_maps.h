// td_support/damping_maps.h: the line damping maps of the squall program's support data
// (GET_LINE_DAMP_MAP): over every second position of the force map's Cartesian grid (and every
// second heading without a turret) the wave-frequency line damping, the lines' quadratic drag
// coefficients and virtual inertia, and every line's fairlead loads.
#pragma once

#include "td_support/force_map.h"

#include <cstdint>
#include <span>

namespace lintar {

// The heading count of the damping maps: 33 with a turret mooring, else 17.
std::int32_t damping_map_headings(bool LSPM);

// GET_LINE_DAMP_MAP: writes the headers (heading count, 17, 17, waveEnvironID, INT(XSPAN) on
// units IO_WF_LN_DAMP, IO_CD_Q_COFS_MAP, IO_LN_INERTIA_MAP; NLIN, waveEnvironID, INT(XSPAN)
// and then heading count, 17, 17 on IO_FLD_LOAD_MAP), then for every heading, x and y of the
// thinned grid (x, y from -XSPAN/2 to +XSPAN/2 in steps of XSPAN/16): the turret angle (as the
// force map finds it), the lines' distances and angles from the force service, the quadratic
// coefficients and inertia (GET_NET_LF_LINES_QUAD_DAMP), and with random seas or a swell
// (LRANDM, LSWELL 1) the wave-frequency damping (GET_NET_WF_DAMP), otherwise zero damping and
// each line's mean top tension from its table with zero load values. The centre of a
// single-line mooring is written with zeros and the tension of the first table point. ZANCQ
// holds the lines' anchor depths. TRTNGL is where the turret search starts (a value: the
// caller's word is not changed); linDampSecs receives the
// elapsed time, positive across midnight. Ends the run as the turret search and the per-point
// routines do.
void GET_LINE_DAMP_MAP(int EDUNIT, int IO_WF_LN_DAMP, int IO_FLD_LOAD_MAP, int IO_CD_Q_COFS_MAP,
                       int IO_LN_INERTIA_MAP, const MapMooring& m, std::span<const float> ZANCQ,
                       float TRTNGL, float XSPAN, float YSPAN, std::int32_t LRANDM,
                       std::int32_t LSWELL, std::int32_t& linDampSecs, std::int32_t waveEnvironID);

} // namespace lintar
