// equilibrium/mean_line_results.h: MENSET, the per-line mean results of the equilibrium state
// (horizontal load, top and bottom tension, top angle and, on request, the nodes of each
// line) in the mean-position slot of OUTCOM.
#pragma once

#include "lines/mooring_force.h"

#include <cstdint>
#include <span>

namespace lintar {

// MENSET: for every line i of lines.MINLN..MAXLN (skipped lines included) at the mean
// fairlead-anchor distance lines.RANC(i) and vertical fairlead offset ZANC(i):
// - checks the distance against the type's table row MIDLYR (points 2..NTAB) when it is above
//   0.05 and TPCM's TENDON_FLG is 0: outside the table the once-per-run TNSWRN warning (kind 2,
//   flag word MRWRNS of TPCM); a table that is not monotonic the message
//   "++> Non-monotonic interpolation array detected: line type " with the type and
//   "; contact Kelbrin" on EDUNIT, once per line type per run, and the abort prompt;
// - takes the line's state from the tables (LOADUP for the six-degree-of-freedom program
//   codes, SIMTYP 17 or 14 with LEGTLP 0; else linear interpolation in row MIDLYR); a line at
//   0.05 or closer has no load and the first table point's values, its bottom tension
//   |top tension - line weight|;
// - with GETNODE set and a line under load, solves its nodes (NODE_EVAL2) into OUTCOM's node
//   arrays at (1..26, i, 4, 1), and takes the top and bottom values from that solve;
// - stores TOP_HINGAY_MEAN(i), TMEAN(i), BMEAN(i) and, on both sides of case 4, H_MEAN,
//   TOPANG_MEAN and DZTOTL (read first as the line's vertical span, which LOADUP replaces).
// Reads TPCM and OUTCOM's DZTOTL; writes OUTCOM, TPCM's MRWRNS and, through NODE_EVAL2 and
// LOADUP, LINCOM's line being solved. Ends the run when the user answers "A" at a warning or
// at the non-monotonic table's prompt (a choice), when an unattended run meets that table
// (status 1), and as NODE_EVAL2 does.
void MENSET(const LineTables& tables, const MooringLines& lines, std::span<const float> ZANC,
            std::int32_t GETNODE);

} // namespace lintar
