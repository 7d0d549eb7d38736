// lines/vertical_line.h: the line at zero horizontal load: hanging straight down from the
// fairlead with the rest on the seabed, buoyant elements on the seabed floating up in arches,
// or, when it cannot reach the seabed, a taut vertical tendon.
#pragma once

#include "lines/line_arrays.h"

#include <cstdint>

namespace lintar {

// The vertical line handed to the bottom-tension error function (double precision copies of
// the line type's data).
struct VerticalLine {
    std::int32_t LSTFRE = 0; // elements hanging freely above the touchdown element
    std::int32_t ITYPP = 0;  // line type
    double DELZP = 0.0;      // |height of the fairlead above the anchor|
    double NULBOT = 0.0;     // grounded length of a weightless touchdown element
    double ALPHDP_words[3 * max_elements] = {};
    double SLENDP_words[max_elements] = {};
    double WETWDP_words[max_elements] = {};

    double& ALPHDP(int k, int i) { return ALPHDP_words[col_major(k, 3, i, max_elements)]; }
    const double& ALPHDP(int k, int i) const {
        return ALPHDP_words[col_major(k, 3, i, max_elements)];
    }
    double& SLENDP(int i) { return SLENDP_words[col_major(i, max_elements)]; }
    const double& SLENDP(int i) const { return SLENDP_words[col_major(i, max_elements)]; }
    double& WETWDP(int i) { return WETWDP_words[col_major(i, max_elements)]; }
    const double& WETWDP(int i) const { return WETWDP_words[col_major(i, max_elements)]; }
};

// DPDSTER: height error of the vertical line for bottom tension TN (at the foot of the free
// part, or at the touchdown point): the height minus the stretched length hanging above it.
double DPDSTER(const VerticalLine& DUMMY1, double TN);

// VRTLIN: solves line type ITYP at zero horizontal load over the height DELTAZ (sign kept);
// TOTWT, the line's total submerged weight, scales the tolerance. Writes ANCDST (= BOTLEN),
// TOPANG, TOPTEN, BOTLEN (unstretched grounded length) and BOTANG; sets VRTFLG to +1 or -1
// (the sign of DELTAZ) when the line hangs taut, to 0 when its buoyant arches cannot be
// formed, and leaves it otherwise. Reads TPCM (NELEM, SLEN, WETWT, ALPHA, TLOAD, EDUNIT);
// shows a message and pauses when an arch does not fit its neighbours; ends the run (status
// 1) when the bottom tension cannot be found.
void VRTLIN(float DELTAZ, std::int32_t ITYP, std::int32_t& VRTFLG, float TOTWT, float& ANCDST,
            float& TOPANG, float& TOPTEN, float& BOTLEN, float& BOTANG);

} // namespace lintar
