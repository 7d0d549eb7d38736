// lines/line_shape.h: the shape of a line at a given horizontal tension: the top-slope
// iteration over the fairlead height, with the grounded elements laid on the seabed, the
// water-level search for the first buoyant element and the vessel pull-down.
//
// The line being solved is the state of LINCOM: the caller sets ITYP, DELTAZ, DSLOPE, WTRLEV
// and MIDLYR, and loads SCLWT and BETA for DPHLD (SCLWLD, BETALD); the routines leave the
// solved shape in TMPTAN, SECARR and BOTLN (and may change SCLWT(KELEM)). The line type's
// data come from TPCM (NELEM, SLEN, DRYWT, ANCTYP, WLFLAG, PULLDN, NLINE, AWP, DWATR, NBUG,
// EDUNIT). One line is solved at a time.
#pragma once

#include <cstdint>
#include <optional>

namespace lintar {

// ITER8P: solves the line for the top-slope bracket TOPT1..TOPT2 (either order), keeping the
// first buoyant element at or below the water surface when WLFLAG is 1. When no water-level
// step was needed, TOPT2 returns the solved top slope and TOPT1 a quarter of it, the bracket
// for the next, larger tension. A caller that can tell roughly where the root lies (the
// table stage, from the points it solved before) passes that as the estimate: the search
// then takes Newton steps from it, and uses the bracket only when they do not settle. It
// finds the four-byte slope nearest the root, as the bracketing search does within its
// tolerance, in about a quarter of the work. Ends the run (status 1) when a search does not
// converge or no top slope spans the fairlead height.
void ITER8P(float& TOPT1, float& TOPT2, std::optional<float> estimate = std::nullopt);

// ITER8: the top-slope search proper on HTERR, widening the bracket until it holds a root.
// Writes TOPT1, TOPT2 as ITER8P does, and the shape in LINCOM; NBUG = 1 writes debug records
// on EDUNIT. Ends the run (status 1) after its message when the root finder does not converge
// or 60 widenings find no sign change.
void ITER8(float& TOPT1, float& TOPT2, std::int32_t ITYP, std::int32_t NBUG, int EDUNIT);

// HTERR: height error of the line for top slope TOPTAN: the rise of the suspended elements
// minus the fairlead height (lowered by the vessel pull-down when PULLDN is set). Writes
// TMPTAN, SECARR and BOTLN for that slope. HTERR2 returns the same in double precision.
float HTERR(float TOPTAN);
double HTERR2(float TOPTAN);

// WLERR: water-level error of element KELEM at scaled weight TMPWT: solves the line with that
// weight (ITER8 on the bracket TOPT1C..TOPT2C, which it updates) and returns the depth of the
// element's mid-height below the water surface (negative above it). WLERR2 returns the same
// in double precision.
float WLERR(float TMPWT, float& TOPT1C, float& TOPT2C);
double WLERR2(float TMPWT, float& TOPT1C, float& TOPT2C);

} // namespace lintar
