// util/angles.h: degrees per radian, and the reduction of angles to their standard ranges, in
// single precision.
#pragma once

namespace lintar {

// Degrees per radian, in the two single-precision values the program writes: 57.295776 (the
// float 57.2957763671875, the nearest to 180 / pi) in most routines, and 57.29578 (the float
// 57.2957802) in the stiffness and the output pages' angle conversions. Each routine keeps its
// own, so that its results stay what they are.
inline constexpr float degrees_per_radian = 57.295776f;
inline constexpr float degrees_per_radian_rounded = 57.29578f;

// Pi as a four-byte real (3.1415927).
inline constexpr float pi_single = 3.1415927f;

float REDDEG(float ANG);     // degrees, [0, 360)
float REDDEG2(float ANG);    // degrees: 0 stays 0, any other angle REDDEG(ANG + 359.9999)
float DEGSYM(float ANG);     // degrees, (-180, 180]
float REDRAD(float ANG);     // radians, [0, 2 pi)
float ANGSYM(float ANGLE);   // radians, (-pi, pi]
float REDRAD_SYM(float ANG); // radians, [-pi, pi]

} // namespace lintar
