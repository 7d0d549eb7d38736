// util/wave_numbers.h: the wave number of linear waves in finite depth, the group speed, the
// slope functions and the display names of the wave, wind and current spectrum types.
#pragma once

#include <cstdint>
#include <string>

namespace lintar {

// WAVVEC: WVVEC = k d for the dimensionless frequency OMEGA = w sqrt(d / g).
void WAVVEC(float OMEGA, float& WVVEC);
// The frequency scale of a site of depth DEPTH under gravity G: sqrt(DEPTH / G), which turns
// an angular frequency into the dimensionless OMEGA of WAVVEC.
float depth_frequency_scale(float DEPTH, float G);
// The wave number k at angular frequency omega in water of depth DEPTH: WAVVEC at
// omega sqrt(DEPTH / G), divided by DEPTH.
float wave_number(float omega, float DEPTH, float G);

// DISPRS: the dispersion residual OMEGATMP - X tanh X, OMEGATMP the squared frequency.
float DISPRS(float X, float OMEGATMP);

float SINPHT(float QP);
float COSPHT(float QP);

// The 30-character display names (leading blank, blank-padded) by type code.
std::string WAVPRT(std::int32_t WAVTYP);
std::string WNDPRT(std::int32_t WNDTYP);
std::string CURPRT(std::int32_t CURTYP);

// Group speed of a linear wave of angular frequency omega and wave number k in water of the
// given depth, with gravity G: G (kd / cosh kd + sinh kd) / (2 omega cosh kd), and exactly half
// the phase speed omega / k from kd = deep_from on (80 by default, where the hyperbolic
// functions lose their meaning; the drift routines' GROUPSPD takes deep water above 30).
float group_speed(float G, float omega, float k, float depth, float deep_from = 80.0f);

} // namespace lintar
