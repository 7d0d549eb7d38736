// lines/stress_strain.h: the cubic compliance law of a line element.
//
// An element stretches by strain(T) = a1 T + a2 T^2 + a3 T^3 per unit unstretched length, T
// the tension and a1..a3 its compliance coefficients ALPHA(1..3, element, type). The catenary
// functions use the law with the coefficients scaled by the horizontal tension (beta_k =
// a_k H^k) and the secant of the line angle in place of T; the vertical-line routines use it
// at the tension itself. The fit of the law to a measured stress-strain curve comes on top of
// these: it only changes the three coefficients.
#pragma once

#include "lines/line_arrays.h"

namespace lintar {

// The strain c1 x + c2 x^2 + c3 x^3 of coefficients c1..c3 at x (a tension, or a secant with
// scaled coefficients).
inline double cubic_strain(double c1, double c2, double c3, double x) {
    return c1 * x + c2 * x * x + c3 * x * x * x;
}

// EAINV: the compliance d(strain)/dT = a1 + 2 a2 T + 3 a3 T^2 of element IELEM at tension
// TENSN, in single precision. Reads only its arguments; never ends the run.
inline float EAINV(ElementAlphas ALPHA, float TENSN, int IELEM) {
    return ALPHA(1, IELEM) + 2.0f * ALPHA(2, IELEM) * TENSN +
           3.0f * ALPHA(3, IELEM) * TENSN * TENSN;
}

} // namespace lintar
