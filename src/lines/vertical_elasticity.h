// lines/vertical_elasticity.h: the elasticity of a vertical line of elements, each stretching
// under a tension that grows linearly with height from its own submerged weight. Shared by the
// vertical-line solution and the taut-wire length of the mooring pages; the routines read only
// their arguments, allocate nothing and never end the run.
#pragma once

#include "lines/line_arrays.h"

#include <cmath>

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

} // namespace lintar
