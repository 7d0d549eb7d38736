// environment/drift_models.h: the closed-form wave drift coefficient models and their heading
// factors, the drift on a vertical cylinder by diffraction theory, and the group velocity the
// current correction of the drift uses.
//
// Components: 1 surge, 2 sway, 3 yaw. Method codes: 2 ship hull with one entrance face, 6 box
// hull with bow and stern faces (the rest are chosen by the drift routine).
#pragma once

#include <cstdint>

namespace lintar {

// DRFTCA: the drift coefficient of the wall-sided hull at dimensionless frequency X. Surge and
// yaw: 2.275 x^4.105 below x = 1 (code 2; code 6 the built-in table WAMIT_DFCX, at x = |X| FRQFAC,
// 0.842 FRQFAC for yaw), 1 + 1.03 / x^11.4 from x = 1, capped at 1.67. Sway: the reflection of a
// thin barrier (pi I1)^2 / ((pi I1)^2 + K1^2) at x = X^2 (code 6 at 0.75 FRQFAC X^2, times RELMRAT
// below 0.67139286), 1 from X^2 = 16 on. Another code or component gives 0, with a warning on
// the message unit once per run.
float DRFTCA(std::int32_t LCOMP, float X, float FRQFAC, std::int32_t DRFTYP, float RELMRAT);

// WAMIT_DFCX: the surge coefficient of the box hull below x = 1, from its 30-point table.
float WAMIT_DFCX(float X);

// SEMDFT: the semisubmersible's smooth step 0.5001 (tanh(pi (3|X| - 1)) + 0.99627), times
// XSHDOW (surge) or YSHDOW (sway), 0 in yaw and never negative. The rest of the arguments are
// not used.
float SEMDFT(std::int32_t LCOMP, float X, float XSHDOW, float YSHDOW, float LWL, float BWL,
             float RELANG, int EDUNIT, int KBD);

// ANGFC: the heading factor of a hull with one end face at half-angle BOWANG for waves at
// WAVANG.
float ANGFC(std::int32_t LCOMP, float WAVANG, float BOWANG, float BLRAT0, float COTBOW);

// S2LTPI, S2GTPI: sin^2 THETA when THETA, reduced to [0, 2 pi), lies strictly inside (0, pi),
// respectively (pi, 2 pi); else 0.
float S2LTPI(float THETA);
float S2GTPI(float THETA);

// FILTA: half the bow part ANGFBX plus the stern part ANGFSX, each taken or not by the sector of
// the reduced wave angle among ANG1..ANG8 (each sector holds its upper limit); SWPEND when the
// bow face is the wider.
float FILTA(float WAVANG, float ANGFBX, float ANGFSX, float ANG1, float ANG2, float ANG3,
            float ANG4, float ANG5, float ANG6, float ANG7, float ANG8, bool SWPEND);

// ANGFC2: the heading factor of a hull with a bow face at BOWANG and a stern face at STRNAN,
// lever arms BOWARM, STRNRM.
float ANGFC2(std::int32_t LCOMP, float WAVANG, float BOWANG, float STRNAN, float BOWARM,
             float STRNRM, float BLRAT0, float COTBOW, float COTSTN);

// GRPVEL: c (1 + kd / (cosh kd sinh kd)) with c = 1/2 sqrt(G / WK) (negative for W < 0), c alone
// above kd = 30. The deep-water phase speed stands where the finite-depth one belongs: the
// drift's current correction is built on this value. GROUPSPD is the exact group speed.
float GRPVEL(float WK, float W, float DEPTH, float G);

// CYLDFT: the mean drift coefficient of a vertical cylinder of radius RD and draft ZD at the
// depth-scaled frequency WSCAL (w sqrt(DEPTH / g)); WAVK receives the wave number. The sum over
// the orders of the Hankel-function derivatives runs from order 0 and stops after order 4 once a
// term falls below 1e-4; from k RD = 65.34 on the short-wave limit 2/3 (times the draft factor
// 1 - exp(-2 k ZD)) without Bessel calls.
float CYLDFT(float WSCAL, float RD, float ZD, float DEPTH, float& WAVK, std::int32_t IW,
             std::int32_t NWP, int IOSCRN, int IOKBD);

// HN2P: HNP2 = |H'_N(X)|^2 and HNP1P2 = |H'_N+1(X)|^2 of H = J + iY. The orders must come in the
// sequence 0, 1, 2, ...: each call keeps J and Y of the order it reached for the next. Bessel
// errors are reported on IOSCRN with the abort prompt (X <= 0 stops an unattended run).
void HN2P(float& HNP2, float& HNP1P2, float X, std::int32_t N, int IOSCRN, int IOKBD);

} // namespace lintar
