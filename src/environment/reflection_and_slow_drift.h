// environment/reflection_and_slow_drift.h: the reflection factor of a box-shaped hull with
// sloped bow and stern faces, and the spectral density of a slowly varying second-order force
// at one difference frequency (the integral over the wave grid of a force density at the two
// frequencies that differ by it).
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace lintar {

using Vector2 = std::array<float, 2>;

// DOTP2D: A1 B1 + A2 B2. XPRD2D: A1 B2 - A2 B1.
float DOTP2D(const Vector2& A, const Vector2& B);
float XPRD2D(const Vector2& A, const Vector2& B);

// The factors of one side of the box at a = k x half its extent: S = sin a / a,
// Q = (a cos a - sin a) / a^3 and F = (S - cos a) / a above |a| = 1e-4, formed in double
// precision (in single precision the cancellation just above the switch leaves nothing of Q
// and F); below it their limits 1, -0.33333334 and a / 3.
struct BoxSideFactors {
    float S, Q, F;
};
BoxSideFactors box_side_factors(float a);

// OPACITY: the reflection factor RELMFC of a box hull (LWL, BWL, DRAFT; entrance faces at the
// lever arms BOWARM, STRNRM of the length, half-angles BOWANG, STRNAN) at wave number WK and
// wave angle THETA, for DOFFLG 1 surge, 2 sway, 3 yaw. Long waves pass the hull: RELMFC tends
// to 0 as WK does. The faces follow the geometry passed (a second body gets its own). Reads
// only its arguments.
void OPACITY(float& RELMFC, float WK, float THETA, float LWL, float BWL, float DRAFT, float BOWARM,
             float STRNRM, float BOWANG, float STRNAN, std::int32_t DOFFLG);

// GET_GVAR: GVAR, the integral over the wave grid W (NWP points, W(1) the highest) of
// PSDIN(w + D/2) PSDIN(|w - D/2|) with D = DELTAW, each factor interpolated on the grid and 0
// outside it, by SMPINT, with GVARDOT its companion; VGPSD2 and VDGPSD2 are 0. A negative
// DELTAW is written back as its absolute value after a warning on EDUNIT and a pause for a
// character (no pause in an unattended run).
void GET_GVAR(float& DELTAW, std::span<const float, 100> W, std::int32_t NWP,
              std::span<const float, 100> PSDIN, float& GVAR, float& GVARDOT, float& VGPSD2,
              float& VDGPSD2);
// GET_GVAR2: the same with the symmetric cross product of two densities,
// (P1(w + D/2) P2(|w - D/2|) + P2(w + D/2) P1(|w - D/2|)) / 2.
void GET_GVAR2(float& DELTAW, std::span<const float, 100> W, std::int32_t NWP,
               std::span<const float, 100> PSD1, std::span<const float, 100> PSD2, float& GVAR,
               float& GVARDOT);

} // namespace lintar
