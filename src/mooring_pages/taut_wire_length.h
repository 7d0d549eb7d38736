// mooring_pages/taut_wire_length.h: the taut-wire length of a line type's fairlead subline,
// found with the vertical-line elasticity of lines/vertical_elasticity.h.
#pragma once

#include "lines/line_arrays.h"
#include "lines/vertical_elasticity.h"

#include <cstdint>

namespace lintar {

// The problem TENDNDP hands to its residual DVSTER (the block DUMMY2): double-precision copies
// of the line type's sublines, the span and the pretension.
struct TautWireProblem {
    std::int32_t LSTFRE = 0; // not used by the taut-wire length
    std::int32_t ITYPQ = 0;  // the line type being solved
    double DELTAZ = 0.0;     // vertical span fairlead to anchor, positive
    double TOPTEN = 0.0;     // the requested pretension (top tension)
    double ALPHDP_words[3 * max_elements] = {};
    double SLENDP_words[max_elements] = {}; // SLENDP(1) takes each trial length
    double WETWDP_words[max_elements] = {};

    double& ALPHDP(int k, int i) { return ALPHDP_words[col_major(k, 3, i, max_elements)]; }
    double& SLENDP(int i) { return SLENDP_words[col_major(i, max_elements)]; }
    double& WETWDP(int i) { return WETWDP_words[col_major(i, max_elements)]; }
};

// DVSTER: the span DELTAZ less the stretched vertical length of the whole line when its
// fairlead subline is SLENP long (written into SLENDP(1)) and the fairlead tension is TOPTEN.
// The line hangs straight down; a subline with weight stretches under a tension that falls
// linearly to its foot, a weightless one under its top tension. Reads NELEM(ITYPQ) of TPCM.
double DVSTER(double SLENP, TautWireProblem& DUMMY2);

// TENDNDP: the length of subline 1 of line type ITYP that makes a perfectly vertical line
// reach from the fairlead of the type's first line to its anchor under that line's
// pretension (HTENS, which LODTYP 2 makes a fairlead tension). Stores it in SLEN(1, ITYP) when
// found. Warns, with the choice to abort, when the pretension is not a fairlead tension or not
// positive, and when the type is inelastic (then the length is the span less the other
// sublines); warns and changes nothing when no line belongs to the type, when the root cannot
// be bracketed or when the search does not converge. Dialogue on EDUNIT and the keyboard;
// ends the run only at the end of input.
void TENDNDP(std::int32_t ITYP);

} // namespace lintar
