// mooring_pages/taut_wire_length.h: the taut-wire length of a line type's fairlead subline,
// and the elasticity of a vertical line of elements, each stretching under a tension that
// grows linearly with height from its own submerged weight, with the double-precision root
// finder RTMIDP that solves for it.
//
// The elasticity routines and RTMIDP are shared with the vertical-line solution of the line
// mechanics; they read only their arguments, allocate nothing and never end the run.
#pragma once

#include "lines/line_arrays.h"
#include "util/root_finders.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace lintar {

using VerticalReals = ArrayView<const double, max_elements>; // SLENDP, WETWDP
using StrainCoefficients = ArrayView<const double, 3>;       // ALPHDP(1..3, i) of one element

// DTKLTN: TK = TN + sum over i = K..N of WETWT(i) x SLEN(i): the tension at the top of element
// K of a vertical line of N elements whose bottom tension is TN (TN itself when K > N). NELEM
// is not used.
inline void DTKLTN(VerticalReals SLEN, VerticalReals WETWT, int K, [[maybe_unused]] int NELEM,
                   int N, double& TK, double TN) {
    TK = TN;
    for (int i = K; i <= N; ++i)
        TK = TK + WETWT(i) * SLEN(i);
}

// SFNCDP: TMPLEN = x (1 + x (a1/2 + x (a2/3 + x a3/4))) / WETWT with x = |TZ|, the integral
// of the stretch factor from tension 0 to x per unit weight: the stretched length of a
// vertical element whose tension runs from T_bottom to T_top is SFNCDP(T_top) -
// SFNCDP(T_bottom). WETWT must not be 0.
inline void SFNCDP(StrainCoefficients ALPHA, double TZ, double WETWT, double& TMPLEN) {
    const double x = std::abs(TZ);
    TMPLEN = x * (1.0 + x * (ALPHA(1) / 2.0 + x * (ALPHA(2) / 3.0 + x * ALPHA(3) / 4.0))) / WETWT;
}

// SFCDP2: the stretch factor 1 + a1 x + a2 x^2 + a3 x^3 at x = |TZ|.
inline double SFCDP2(StrainCoefficients ALPHA, double TZ) {
    const double x = std::abs(TZ);
    return 1.0 + ALPHA(1) * x + ALPHA(2) * x * x + ALPHA(3) * x * x * x;
}

// RTMIDP: root X of FCT in [XLI, XRI] (either order) by bisection combined with inverse
// parabolic (Mueller) interpolation, in double precision. EPS is the tolerance on X (relative
// above |X| = 1), 100 EPS the tolerance on the function value, IEND the step limit. Writes X,
// F = FCT(X), the outer iteration count I, and IER: 0 converged (or an exact zero met), 1 not
// converged within IEND steps (X the better end of the last bracket), 2 no sign change over
// [XLI, XRI] (X = XRI).
template <class Fct>
void RTMIDP(double& X, double& F, Fct&& FCT, double XLI, double XRI, double EPS, std::int32_t IEND,
            std::int32_t& IER, std::int32_t& I) {
    mueller_root<double>(X, F, FCT, XLI, XRI, EPS, 100.0 * EPS, IEND, IER, I);
}

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
