// util/angles.h: degrees per radian, and the reduction of angles to their standard ranges, in
// single precision.
#pragma once

namespace lintar {

// Degrees per radian, in the two single-precision values the program writes: 57.295776 (the
// float 57.2957763671875, one step below the float nearest to 180 / pi) in most routines, and
// 57.29578 (the float 57.2957802, the nearest to 180 / pi, which 57.2957795 also names) in the
// stiffness, the output pages' angle conversions and the time-domain environment summary. Each
// routine keeps its own, so that its results stay what they are; the one routine that writes a
// third value (PHASE) says why beside it. Radians per degree: the float nearest to pi / 180,
// for the routines that multiply by it rather than divide by degrees_per_radian (which may
// differ in the last bit).
inline constexpr float degrees_per_radian = 57.295776f;
inline constexpr float degrees_per_radian_rounded = 57.29578f;
inline constexpr float radians_per_degree = 0.0174532924f;

// Pi and the multiples the program uses, as four-byte reals: each is the float nearest to its
// exact value, however many digits a routine wrote it with (3.1415927, 3.14159265 and
// 3.14159274 are one float). A routine that writes its own rounder value (3.14159) keeps it.
inline constexpr float pi_single = 3.1415927f;          // pi
inline constexpr float two_pi_single = 6.2831855f;      // 2 pi
inline constexpr float half_pi_single = 1.5707964f;     // pi / 2, a right angle
inline constexpr float quarter_pi_single = 0.7853982f;  // pi / 4
inline constexpr float sqrt_two_pi_single = 2.5066283f; // sqrt(2 pi)

float REDDEG(float ANG);     // degrees, [0, 360)
float REDDEG2(float ANG);    // degrees: 0 stays 0, any other angle REDDEG(ANG + 359.9999)
float DEGSYM(float ANG);     // degrees, (-180, 180]
float REDRAD(float ANG);     // radians, [0, 2 pi)
float ANGSYM(float ANGLE);   // radians, (-pi, pi]
float REDRAD_SYM(float ANG); // radians, [-pi, pi]

} // namespace lintar
