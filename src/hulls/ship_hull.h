// hulls/ship_hull.h: the ship-hull model (vessel type 1): the dynamically similar box and its
// characteristics, the box wave forces with the roll damping factor, the single-degree-of-
// freedom RAOs, and report sections I and II.
//
// All mass-like quantities of the model are per unit mass density of water: masses are
// volumes, inertias volumes times length squared, restoring coefficients gravity times volume
// times length. The model's fields are the ship words at the head of HIMEM.
#pragma once

#include <complex>
#include <cstdint>

namespace lintar {

// SHPCHR: the characteristics operation. Reads TPCM (vessel section, NWP, the natural-period
// overrides, NBUG, EDUNIT, IUNIT, NEGSUM), WAVCOM G and the frequency and wave-number columns
// of RLDUM; writes the ship words of HIMEM, WAVCOM BEAMQ, SHPLNQ, DRAFTQ, TPCM AWP (when not
// given) and LBACK. Warnings go to EDUNIT (and IUNIT when it is a report file). Ends the run
// when no box is found or the natural-period iteration does not settle (message, Return
// pause, error stop) and when the user aborts at a warning's pause.
void SHPCHR();

// FCT: the residual of the equivalent box at trial draft X,
// (36 X^2 - 72 X (KML + KMT) + 144 KML KMT) X^4 - DELTA^2, which is (L B T)^2 - DELTA^2 for the
// box of draft X with the metacentric heights KML and KMT above keel.
float FCT(float X, float KML, float KMT, float DELTA);

// The upper end of the bracket of the box draft search for the ratio Q (KML / KMT + 1 at the
// first try): the first turning point of FCT, (0.83333 Q - sqrt(0.69444 Q^2 - 2.6666 (Q - 1)))
// KMT.
float box_bracket_end(float Q, float KMT);

// SGSWMS: added-mass coefficient of the ellipsoid with axis ratios CARAT and BARAT (MASMOM 1
// translation, times the rectangular-section factor RECTCM(CARAT); else rotation). The
// ellipsoid integral's one warning for very many points goes to IOSCRN once per run.
float SGSWMS(float CARAT, float BARAT, std::int32_t MASMOM, int IOSCRN);

// FPITCH, FHEAVE: the zero-frequency pitch and heave added masses of a rigid-lid rectangular
// waterplane of aspect ratio X, over (L/2)^5 and (L/2)^3.
float FPITCH(float X);
float FHEAVE(float X);

// SHPFRC: the forces operation. NPASS2 < 1 is the first pass: the roll natural period in beam
// seas without forward speed, which sets the roll damping factor (TQFAC, RSLOPE, BLGFAC,
// RMASRT, GAMRLI, GAMROL). Otherwise the normalised box forces at every grid period of the
// heading IRAO, stored at LSG .. LYA, and GAMRLI; at the dominant heading BIGWVS also PASCOM
// ROLGAM, WFROLF, ROLSPR, ROLARM. Writes HIMEM SCALE, SDEPTH, BLRAT2; TPCM VFWD is 0 during
// the first pass and restored at its end. Never ends the run.
void SHPFRC(std::int32_t& NPASS2);

// GETGAM: the equivalent linear roll damping factor at heading THETA (radians) from the
// quadratic roll damping, blended with the damping of the bilge keels over their length.
void GETGAM(float& GAMRLI, float THETA, float CLIN, float RMASRT, float RSLOPE, float TQFAC,
            float BLGFAC, float CQUAD, float SHIPL, std::int32_t LKEEL, float TKEEL, float DKEEL);

// YAWDRG, YAWFKF: the waterplane moment integrals cos(Y) (X cos X - sin X) / X^2 and the same
// with sin(Y); -X cos(Y) / 3 (-X sin(Y) / 3) near X = 0.
float YAWDRG(float X, float Y);
float YAWFKF(float X, float Y);

// The depth functions of the box forces at wave number k in water of depth DEPTH for the draft
// T and the effective depths of the heave and roll added masses: DF1 the Airy factor at the
// keel, DF2 its draft average, DF3 the draft moment, DF1_AM_HV and DF1_AM_RL the Airy factors
// at the effective depths. Finite depth up to k DEPTH = 10, the deep-water forms above.
struct BoxDepthFactors {
    float DF1, DF2, DF3, DF1_AM_HV, DF1_AM_RL;
};
BoxDepthFactors box_depth_factors(float k, float T, float DEPTH, float DEFF, float DEFF_RL);
BoxDepthFactors box_depth_factors_finite(float k, float T, float DEPTH, float DEFF, float DEFF_RL);
BoxDepthFactors box_depth_factors_deep(float k, float T, float DEFF, float DEFF_RL);

// SHPRAO: the RAO operation: turns the forces of the heading IRAO at every grid period into
// RAOs per unit wave amplitude, in place. Reads TPCM VFWD, VGLDIR, NWP and the natural-period
// and damping overrides, the ship words of HIMEM. A transfer function whose denominator
// vanishes (an undamped resonance, a zero encounter frequency) is kept finite. Never ends
// the run.
void SHPRAO();

// SHPSUM, SHPOUT: report sections I (physical characteristics and the equivalent box) and II
// (unmoored motion characteristics) on IUNIT, one page each; on the console the page ends
// with the Return pause and a negative answer redraws it. Read TPCM, the ship words of HIMEM,
// WAVCOM RHOWTR; write TPCM LBACK.
void SHPSUM();
void SHPOUT();

} // namespace lintar
