// line_dynamics/low_frequency_damping.h: the quadratic drag dissipation of all mooring lines
// for a unit slow vessel motion in surge, sway or yaw, and the mass the lines add to the
// vessel in that motion (QDAMP).
//
// Each line is solved as a mean catenary at its anchor distance; the unit vessel motion
// becomes a fairlead motion in the line's vertical plane (moving every node through the node
// derivatives of the mean line shapes, LINDRV) and one normal to it; every element's drag
// dissipation and kinetic-energy integrals come from CATDMP.
#pragma once

#include "lines/mean_line_state.h"

#include <cstdint>
#include <span>

namespace lintar {

// The Simpson points of an element of end tangents DQF and DQB: m = int(|10 (DQF - DQB)|),
// made odd (m - mod(m, 2) + 1) and held to 5..19.
std::int32_t qdamp_points(float DQF, float DQB);

// The factor from the line-diameter unit to the length unit: millimetres to metres (0.001)
// when NUNTS is 1, else inches to feet (0.0833).
float diameter_factor(std::int32_t NUNTS);

// solve_in_mean_state: line n of type t solved in its mean state m, as both line damping
// routines solve it: m published in LINCOM (HMEAN, TPTEN0, BTTEN0, QF, QB; DPHLD = HMEAN,
// DPHLD2 = (1 + DHFRAC) DPHLD; DELTAZ from OUTCOM's DZTOTL), the strain curves loaded when the
// type has a stress-strain file, the weights and compliances at DPHLD, the shape by ITER8P in
// m's bracket when solve_shape, the weights and compliances at DPHLD2 and the touchdown
// element BOTELM (0 off the bottom). Reads TPCM, OUTCOM; writes LINCOM and the solve's arrays.
// Ends the run only as ITER8P and LOAD_ALPHAS do.
void solve_in_mean_state(int n, int t, const FairleadState& m, bool solve_shape);

// QDAMP: for the unit motion IMOTN (1 surge, 2 sway, any other value yaw through one radian)
// of the vessel at heading VESANGQ (radians), with every line n = 1..NLIN at anchor distance
// RANCPQ[n - 1] and plan angle ANGDPPQ[n - 1] (degrees; measured from the bow-anchor centre
// angle when L_ROT), sums over the active lines
//   DISSIP               the drag dissipation, CATDMP's integral x water density x diameter x
//                        drag coefficient per element,
//   SYS_VIRTUAL_INERTIA  the added inertia: longitudinal (line mass), transverse and out of
//                        the line plane (line mass with added mass) from the kinetic-energy
//                        integrals;
// MASS_L, MASS_T, MASS_OOP are the three inertias of the last line (0 when it is skipped).
// DO_OOP is handed to CATDMP. The mean shape of each line comes from the tables (row MIDLYR)
// or, for the tension-leg programs (SIMTYP 17, or 14 with LEGTLP 0), from OUTCOM's mean
// results and CATCOM's TANARR; the node derivatives must be those of LINDRV at the same
// position. A line whose span does not change with its load (zero DXSDH at the fairlead)
// adds nothing.
// Reads TPCM, LINCOM, CATCOM, OUTCOM, WAVCOM (G), EQUILB (BOW_ANC_CTR_ANG, BUYNGL, VOFANG);
// writes LINCOM (ITYP, HMEAN, TPTEN0, BTTEN0, QF, QB, DPHLD, DPHLD2, DELTAZ, BOTELM and the
// solve's arrays), CATCOM (CAFLD, CABOT and the element derivatives) and TPCM (COFMAS, COFDMP,
// LBACK = 0). With NBUG0 = 1 it asks for a debug level. Ends the run only as ITER8P and
// LOAD_ALPHAS do.
void QDAMP(std::span<const float> RANCPQ, std::span<const float> ANGDPPQ, std::int32_t IMOTN,
           float& DISSIP, float VESANGQ, bool L_ROT, float& MASS_L, float& MASS_T, float& MASS_OOP,
           float& SYS_VIRTUAL_INERTIA, bool DO_OOP);

} // namespace lintar
