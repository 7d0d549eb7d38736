// lines/line_shape.h: the shape of a line at a given horizontal tension: the top-slope
// iteration over the fairlead height, with the grounded elements laid on the seabed, the
// water-level search for the first buoyant element and the vessel pull-down.
//
// The line being solved is one value, LineSolve: the line type's sublines, the layer's span
// and seabed slope, the tension, and views of the working arrays the caller owns (the scaled
// weights and compliances it loads, the node slopes and secants the solve leaves). The solve
// reads and writes nothing else, so any caller may solve lines on arrays of its own; the table
// stage binds the working arrays of LINCOM (lincom_line_solve). One line is solved at a time
// per value.
#pragma once

#include "lines/line_arrays.h"

#include <cstdint>
#include <optional>

namespace lintar {

struct LineSolve {
    // The line type.
    std::int32_t ITYP = 0;   // its number, for messages
    std::int32_t NELEM = 0;  // sublines
    ElementReals SLEN;       // unstretched lengths
    ElementReals DRYWT;      // dry weights, for an emerged buoyant element
    std::int32_t ANCTYP = 0; // 1: solid seabed (grounded elements lie on it)
    std::int32_t WLFLAG = 0; // 1: search the water level of the first buoyant element
    // The vessel pull-down: the lines NLINE1 of the first type pull the vessel down by their
    // added vertical load over the water-plane area x density AREA, from the top tension
    // TOPTEN_MID of the fairlead's own layer row.
    std::int32_t PULLDN = 0;
    float AREA = 0.0f;
    std::int32_t NLINE1 = 0;
    float TOPTEN_MID = 0.0f;
    // The layer and the tension.
    float DELTAZ = 0.0f; // height of the fairlead above the anchor
    double DSLOPE = 0.0; // tangent of the seabed slope along the line
    float WTRLEV = 0.0f; // fairlead height above the water surface
    double DPHLD = 0.0;  // horizontal tension
    // The working arrays: loaded by the caller (SCLWT, BETA), written by the solve (TMPTAN,
    // SECARR, and SCLWT(KELEM) by the water-level search).
    ArrayView<double, max_elements> SCLWT;
    ArrayView<double, 3, max_elements> BETA;
    ArrayView<double, max_nodes> TMPTAN;
    ArrayView<double, max_nodes> SECARR;
    // What the solve leaves besides: the stretched length on the seabed, the first buoyant
    // element (0 when none).
    double BOTLN = 0.0;
    std::int32_t KELEM = 0;
    // The debug trace (NBUG 1) and the console unit for it and the messages.
    std::int32_t NBUG = 0;
    int EDUNIT = 6;
};

// The line of LINCOM: type ITYP with its sublines and options from TPCM, the layer and tension
// of LINCOM (DELTAZ, DSLOPE, WTRLEV, DPHLD, TOPTEN at MIDLYR), and LINCOM's working arrays.
LineSolve lincom_line_solve();

// ITER8P on the line of LINCOM: solves lincom_line_solve() and stores BOTLN and KELEM back.
void ITER8P(float& TOPT1, float& TOPT2, std::optional<float> estimate = std::nullopt);

// ITER8P: solves the line for the top-slope bracket TOPT1..TOPT2 (either order), keeping the
// first buoyant element at or below the water surface when WLFLAG is 1. When no water-level
// step was needed, TOPT2 returns the solved top slope and TOPT1 a quarter of it, the bracket
// for the next, larger tension. A caller that can tell roughly where the root lies (the
// table stage, from the points it solved before) passes that as the estimate: the search
// then takes Newton steps from it, and uses the bracket only when they do not settle. It
// finds the four-byte slope nearest the root, as the bracketing search does within its
// tolerance, in about a quarter of the work. Ends the run (status 1) when a search does not
// converge or no top slope spans the fairlead height.
void ITER8P(LineSolve& line, float& TOPT1, float& TOPT2,
            std::optional<float> estimate = std::nullopt);

// ITER8: the top-slope search proper on HTERR, widening the bracket until it holds a root.
// Writes TOPT1, TOPT2 as ITER8P does, and the shape in the line; NBUG = 1 writes debug records
// on EDUNIT. Ends the run (status 1) after its message when the root finder does not converge
// or 60 widenings find no sign change.
void ITER8(LineSolve& line, float& TOPT1, float& TOPT2);

// HTERR: height error of the line for top slope TOPTAN: the rise of the suspended elements
// minus the fairlead height (lowered by the vessel pull-down when PULLDN is set). Writes
// TMPTAN, SECARR and BOTLN for that slope. HTERR2 returns the same in double precision.
float HTERR(LineSolve& line, float TOPTAN);
double HTERR2(LineSolve& line, float TOPTAN);

// WLERR: water-level error of element KELEM at scaled weight TMPWT: solves the line with that
// weight (ITER8 on the bracket TOPT1C..TOPT2C, which it updates) and returns the depth of the
// element's mid-height below the water surface (negative above it). WLERR2 returns the same
// in double precision.
float WLERR(LineSolve& line, float TMPWT, float& TOPT1C, float& TOPT2C);
double WLERR2(LineSolve& line, float TMPWT, float& TOPT1C, float& TOPT2C);

} // namespace lintar
