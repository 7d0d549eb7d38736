// line_dynamics/mean_line_shape.h: the mean shape of every mooring line at a vessel position
// and its sensitivities to the fairlead height and the horizontal load (LINDRV), which the
// line damping, the disc buoy's dynamic springs and the wave-frequency line tensions read.
//
// Each active line is solved three times: the mean shape, the shape with the fairlead raised
// by DZFRAC of the line's unstretched length at the same horizontal load, and the shape at the
// load raised by DHFRAC over the mean span. The one-sided differences of the node positions
// and end tensions fill the per-node and per-line tables of CATCOM; the mean shape goes to
// LINCOM.
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

// The relative rise of the horizontal load and the fairlead rise per unit unstretched line
// length of the sensitivity solves.
inline constexpr double mean_shape_DHFRAC = 0.0078125;
inline constexpr float mean_shape_DZFRAC = 0.001f;

// top_slope_bracket: the bracket of the top-slope tangent of a shape solve of line type t at
// table interval MIN: TOPT1 = tan TOPANG(MIN + 1, L1, t), TOPT2 = tan TOPANG(MIN, L2, t); two
// equal tangents are opened to TOPT1 -/+ 0.1. Reads LINCOM's TOPANG.
void top_slope_bracket(std::int32_t MIN, std::int32_t L1, std::int32_t L2, int t, float& TOPT1,
                       float& TOPT2);

// LINDRV: for every line i = 1..NLIN whose LINEID is at most 1024 (and names a line type), the
// mean shape at fairlead-anchor distance RANCHR[i - 1] and its derivatives. ZANCHR[i - 1] is
// the line's vertical offset, read by the vertical-interpolation programs (SIMTYP 14, 17)
// only. Reads TPCM and LINCOM's tables; writes LINCOM (ITYP, TOTLEN, DELTAZ, HMEAN, DPHLD,
// DPHLD2, DHFRAC, QF, QB, FXCOMP, FZCOMP, BXCOMP, BZCOMP, TPTEN0, BTTEN0, TPTEN_CSTH,
// BTTEN_CSTH, TPTEN_CSTZ, BTTEN_CSTZ, BOTLNM, AVTAN, AVSEC, SCLWT, SCLWTP, BETA, BETAP,
// DPHIF_DAF and the solve's working arrays) and CATCOM's per-line tables (TANARR, DXSDZF,
// DZSDZF, DXSDH, DZSDH, DTZFDZ, DTZFDH, DTFDXF, DTBDXB, DTFDZF, DTBDZB, DTFDAF, DTBDAB).
// A skipped line keeps its previous entries.
//
// A line whose span does not change with its load (a line hanging straight down, or one
// without horizontal load) has no finite end derivatives: it gets zeros in every derivative
// table, so that it adds nothing to the damping and springs built on them, and one warning
// per run naming it on TPCM's EDUNIT.
//
// With NBUG0 = 1 it asks for a debug level and writes trace records on EDUNIT. Ends the run
// only as ITER8P and LOAD_ALPHAS do, when a shape cannot be solved.
void LINDRV(std::span<const float> RANCHR, std::span<const float> ZANCHR);

} // namespace lintar
