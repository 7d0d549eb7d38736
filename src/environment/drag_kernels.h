// environment/drag_kernels.h: the numerical kernels of the member-by-member viscous drag of a
// semisubmersible-like hull: the cycle mean of the drag law u|u| of a member in a steady
// current plus an oscillating wave velocity, its depth average over the submerged length, its
// Gaussian means and weighted moments over a random sea (the force-correlation and G integrals),
// the error functions of the rule they share, and the current along the waves at a depth.
//
// Notation: B is a ratio of wave-induced velocity amplitude to current speed; R and PHI the
// magnitude and phase (radians) of the member's motion relative to the wave; KD the member's
// draft times the wave number; Q a depth in units of 1 / wave number (0 at the surface,
// negative downwards), so that e^Q is the decay of the wave kinematics. A B0 of magnitude
// exactly 1e30 marks "no current": the kernels take their closed no-current values.
//
// Every integral over the Gaussian amplitude xi uses the half-range Simpson rule below over
// [0, 5.5) with NXP points (odd). All kernels read only their arguments except
// SUB_SURF_DRAG_Z (and FCF_SUB_Z, GISUB_Z through it), which read TPCM NUNTS, DRAFT, CURSPD,
// CURHDG and the current profile CURPROF.
#pragma once

#include <complex>
#include <cstdint>
#include <span>

namespace lintar {

// The B0 that marks a sea without current.
inline constexpr float no_current_ratio = 1.0e30f;

// The half-range Simpson rule with N points over [0, span): step span / N, nodes (i - 1) step
// for i = 1..N, so the last node lies one step short of the span; weights 4 at even i, 1 at
// i = 1 and at i = N when N is odd, 2 at the other odd i; the sum of weight x f times step / 3.
// Every kernel relies on it as it is (it is not the textbook closed rule).
template <class F> float half_range_simpson(float span, std::int32_t N, F f) {
    const float DELX = span / static_cast<float>(N);
    float sum = 0.0f;
    for (std::int32_t i = 1; i <= N; ++i) {
        const float xi = static_cast<float>(i - 1) * DELX;
        const float weight = (i % 2 == 0) ? 4.0f : ((i == 1 || i == N) ? 1.0f : 2.0f);
        sum += weight * f(xi);
    }
    return sum * DELX / 3.0f;
}

// Simpson weight of point i of N by the same rule (4 even, 1 first and odd last, 2 otherwise).
float half_range_weight(std::int32_t i, std::int32_t N);

// RH_ERFC: 0 when YY >= 5.5, else 1 - 1.1283792 x (the half-range rule of e^(-x^2) over
// [0, YY) with NXP points). RH_ERF = 1 - RH_ERFC. With the last node short of the span these
// lie above the textbook erfc (27 points at 1: 0.17325 against 0.15730).
float RH_ERFC(float YY, std::int32_t NXP);
float RH_ERF(float YY, std::int32_t NXP);

// FCF_SUB_EXACT: the mean over a cycle of (1 + AA cos t)|1 + AA cos t|, minus 1: 0.5 AA^2 up
// to |AA| = 1, the closed form with arcsin and arctan above. The mean is even in AA, and a
// negative amplitude (a current against the waves) is taken by its magnitude.
float FCF_SUB_EXACT(float AA);

// F_SURF: |1 - R e^(i PHI)| = sqrt|R^2 - 2 R cos PHI + 1|, the relative wave amplitude at the
// surface. F_SUB: its counterpart at depth Q, sqrt|R^2 - 2 e^Q R cos PHI + e^(2Q)|.
// F_SUB_Z: sqrt|R^2 + 2 e^Q R sin PHI1 + e^(2Q)|, the depth-resolved form.
float F_SURF(float R, float PHI);
float F_SUB(float R, float PHI, float Q);
float F_SUB_Z(float R, float PHI1, float Q);

// SURF_DRAG: the cycle kernel of a surface-piercing member along the waves at a = |B| F_SURF:
// a up to 1, ((2c + 1) sqrt(c - 1) + 3c arcsin(1/a)) 2 / (3 pi a), c = a^2, above.
// SURF_DRAG_PRP: the across-waves kernel, 0.5 a up to 1, (c arcsin(1/a) + sqrt(c - 1)) /
// (pi a) above, with the sign of B.
float SURF_DRAG(float B, float R, float PHI);
float SURF_DRAG_PRP(float B, float R, float PHI);

// A_AND_S: the flow-reversal depths S1, S2 (natural logarithms of the depths' decay e^s) where
// B |e^s - R e^(i PHI)| = 1, with the intermediate A0, A1 = R cos PHI + A0, A2 = R cos PHI - A0;
// a reversal that does not exist is placed at 1e30 (above the surface) or -1e30 (below the
// keel) by the rule of the flow at depth.
void A_AND_S(float& A0, float& A1, float& A2, float& S1, float& S2, float B, float R, float PHI);

// RHSORT3: S1, S2 and -KD sorted into Q1 >= Q2 >= Q3, and NSWITCH the number of S1, S2 that
// lie below the keel.
void RHSORT3(float& Q1, float& Q2, float& Q3, float KD, float S1, float S2, std::int32_t& NSWITCH);

// UNI: the depth antiderivative of the kernel where the flow does not reverse,
// 0.5 B^2 (0.5 y^2 + Q R^2 - 2 R y cos PHI), y = e^Q. OSC: that of the reversing flow, where
// the kernel is taken as 0.5 + 4 (a - 1) / pi (its value and its large-amplitude slope); the
// branch of the collinear motion (cos PHI = 1) turns at the depth where e^Q = R.
float UNI(float B, float R, float PHI, float Q);
float OSC(float B, float R, float PHI, float Q);

// SUB_SURF_DRAG: (1 / KD) x the integral over s in [-KD, 0] of the cycle kernel at
// B |e^s - R e^(i PHI)|, B = |BSIGNED|, with the sign of BSIGNED, in closed form: UNI and OSC
// alternate between the flow-reversal depths. 0 when BSIGNED is 0.
float SUB_SURF_DRAG(float KD, float BSIGNED, float R, float PHI);

// The force-correlation and G integrals over the Gaussian amplitude xi (half-range rule, NXP
// points), each 0 for |B0| = 1e30 except FCF_SURF and GISURF, which take their closed forms
// COS_C x 1.5957692 x |R^2 - 2 R cos PHI + 1| and COS_C x 2.3936536 x the same:
//   FCF_SUB    e^(-xi^2/2) xi SUB_SURF_DRAG(KD, xi B0, R, PHI) / B0^2
//   GISUB      e^(-xi^2/2) xi (xi^2/2 - 1) SUB_SURF_DRAG(KD, xi B0, R, PHI) / B0^2
//   GISURF     COS_C e^(-xi^2/2) xi^2 (xi^2/2 - 1) SURF_DRAG(xi B0, R, PHI) / B0^2
//   GISURF_PRP COS_C e^(-xi^2/2) xi^2 (xi^2/2 - 1) SURF_DRAG_PRP(xi B0, R, PHI) / B0^2
float FCF_SUB(float KD, float B0, float R, float PHI, std::int32_t NXP);
float GISUB(float KD, float B0, float R, float PHI, std::int32_t NXP);
float GISURF(float B0, float R, float PHI, float COS_C, std::int32_t NXP);
float GISURF_PRP(float B0, float R, float PHI, float COS_C, std::int32_t NXP);

// FCF_SURF, FCF_SURF_PRP: the Gaussian means e^(-xi^2/2) xi^2 SURF_DRAG (resp. SURF_DRAG_PRP)
// (xi B0, R, PHI) / B0^2 over xi >= 0, in closed form through RH_ERFC(0.70710677 / X, NXP),
// X = |B0| F_SURF(R, PHI); 0 when X <= 0.0001. FCF_SURF_PRP carries the sign of B0.
float FCF_SURF(float B0, float R, float PHI, float COS_C, std::int32_t NXP);
float FCF_SURF_PRP(float B0, float R, float PHI, float COS_C, std::int32_t NXP);

// GET_VCX_LOC: the current speed along the wave heading WAVHDG (degrees) at depth Z below the
// surface, in knots: speed and heading interpolated in the profile (DPTHIPF, VELIPF,
// CURHDGPF, NCURNTPF levels) at and below its first level (a negative speed extrapolated past
// its last level is 0), linear between the surface values CURSPD, CURHDG and the first level
// above it; a profile of no levels gives the surface values at every depth.
float GET_VCX_LOC(float Z, float CURSPD, float CURHDG, float WAVHDG, std::span<const float> DPTHIPF,
                  std::span<const float> VELIPF, std::span<const float> CURHDGPF,
                  std::int32_t NCURNTPF);

// SUB_SURF_DRAG_Z: the depth integral over the draft of the drag kernel with the current of
// the profile: at NDEPTHQ depths ZLOC = 0 .. -DRAFT, with the relative motion HOR_WAV_RAO +
// (DRAFT + ZLOC - EFF_ROT_CTR) ANG_WAV_RAO (magnitude R, phase PHI1 + PHSHFT_W) and the current
// FTMP along the waves, FTMP |FTMP| FCF_SUB_EXACT(X F_SUB_Z(R, PHI1, WAVK ZLOC) SIG0WV WPK_NB /
// FTMP) (0 where FTMP is 0), summed with the half-range weights times DZ / 3. NDEPTHQ above 31
// is lowered to 31 and written back. Reads TPCM NUNTS, DRAFT, CURSPD, CURHDG and CURPROF.
float SUB_SURF_DRAG_Z(float X, std::complex<float> HOR_WAV_RAO, std::complex<float> ANG_WAV_RAO,
                      float PHSHFT_W, float EFF_ROT_CTR, float WAVHDG_LOC, float SIG0WV,
                      float WPK_NB, float WAVK, std::int32_t& NDEPTHQ);

// FCF_SUB_Z, GISUB_Z: the xi-integrals e^(-xi^2/2) xi SUB_SURF_DRAG_Z(xi, ...) and
// e^(-xi^2/2) xi (xi^2/2 - 1) SUB_SURF_DRAG_Z(xi, ...), not scaled. NDEPTHQ as above.
float FCF_SUB_Z(std::complex<float> HOR_WAV_RAO, std::complex<float> ANG_WAV_RAO, float PHSHFT_W,
                float EFF_ROT_CTR, std::int32_t NXP, float WAVHDG_LOC, float SIG0WV, float WPK_NB,
                float WAVK, std::int32_t& NDEPTHQ);
float GISUB_Z(std::complex<float> HOR_WAV_RAO, std::complex<float> ANG_WAV_RAO, float PHSHFT_W,
              float EFF_ROT_CTR, std::int32_t NXP, float WAVHDG_LOC, float SIG0WV, float WPK_NB,
              float WAVK, std::int32_t& NDEPTHQ);

// The depth-point limit of the depth-resolved kernels and the drag preparation.
inline constexpr std::int32_t max_drag_depths = 31;

} // namespace lintar
