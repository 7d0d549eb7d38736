// environment/fourier_basis.h: the Fourier basis of the directional load coefficients (the
// harmonics of one relative angle in SINES), the two series evaluators, the interpolation of a
// series or a scalar between two neighbouring coefficient sets, and the projected areas.
//
// A coefficient set holds 11 reals per force component: for surge (component 1) a0 then a1 ..
// a10 of a0 + sum a_k cos k theta; for sway and yaw (2 and 3) b1 .. b10 of sum b_k sin k theta
// (the 11th unused). A family of sets is an (11, components) array, one column a component.
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

inline constexpr int fourier_terms = 11; // reals of one component's set

// TRIGLD: S_k = sin k THETA and C_k = cos k THETA, k = 1..10, into SINES: one sine and one
// cosine, the rest by angle addition, each stored in single precision before it is used again.
void TRIGLD(float THETA);

// CCOF: A(1) + sum over k = 1..10 of A(k + 1) C_k, summed in increasing k. Reads SINES.
float CCOF(std::span<const float> A);
// SCOF: sum over k = 1..10 of A(k) S_k, from 0 in increasing k. Reads SINES.
float SCOF(std::span<const float> A);

// INTRPA: the series of component IXYZ (CCOF for 1, SCOF otherwise) on the families LOARR and
// HIARR, linearly interpolated at MIDVAL between LOSIDE and HISIDE, extrapolated outside them;
// the low value when the two abscissae are equal. Reads SINES.
float INTRPA(float MIDVAL, float LOSIDE, float HISIDE, std::span<const float> LOARR,
             std::span<const float> HIARR, std::int32_t IXYZ);
// INTRPB: the same for two scalars.
float INTRPB(float MIDVAL, float LOSIDE, float HISIDE, float LOARR, float HIARR);

// APERP: the area that a body of frontal area XAREA and lateral area YAREA shows at ANGLE
// (radians): XAREA |cos ANGLE| + YAREA |sin ANGLE| for positive areas, formed as R sin(phi +
// atan(XAREA / YAREA)) with R = sqrt(XAREA^2 + YAREA^2) and phi the angle folded into
// [0, pi / 2]; with no lateral area, XAREA |cos ANGLE|.
float APERP(float XAREA, float YAREA, float ANGLE);
// ELIPS_PROJ: the elliptic alternative XAREA + (YAREA - XAREA) sin^2 ANGLE.
float ELIPS_PROJ(float XAREA, float YAREA, float ANGLE);

} // namespace lintar
