// hulls/ship_forces.cpp: SHPFRC, the wave forces on the ship's equivalent box with the roll
// damping factor (GETGAM, YAWDRG, YAWFKF, the depth functions), and SHPRAO, the RAOs.
#include "blocks/himem.h"
#include "blocks/pascom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/hull_guards.h"
#include "hulls/hull_support.h"
#include "hulls/ship_curves.h"
#include "hulls/ship_hull.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/wave_numbers.h"

#include <cmath>
#include <complex>

namespace lintar {

namespace {

using Complex = std::complex<float>;

// Linear roll damping coefficient and the quadratic one of a hull without bilge keels.
constexpr float CLIN = 0.1f;
constexpr float CQUAD_bare = 1.85f;
// The beam-sea heading of the first pass, pi/2 in single precision.
constexpr float beam_seas = half_pi_single;

// The quadratic roll damping coefficient, raised by bilge keels.
float quadratic_roll_coefficient(const TpcmBlock& P) {
    if (P.LKEEL == 0)
        return CQUAD_bare;
    const float ratio = P.DKEEL <= 0.0f ? 0.0f : P.RKEEL / P.DKEEL;
    return CQUAD_bare * std::pow(1.0f + ratio, 5.0f);
}

// The speed factor of a corrected added-mass or damping value: 1 where the value before the
// correction is 0 (a damping at zero encounter frequency), which has nothing to scale.
float speed_factor(float corrected, float uncorrected) {
    return uncorrected == 0.0f ? 1.0f : corrected / uncorrected;
}

// The speed component along the waves of the heading IRAO.
float speed_along_waves(const TpcmBlock& P) {
    return P.VFWD * std::cos((HIMEM.REDANG(WAVCOM.IRAO) - P.VGLDIR) / degrees_per_radian);
}

} // namespace

// YAWDRG: see the header. Pure.
float YAWDRG(float X, float Y) {
    if (std::abs(X) > 0.0001f)
        return std::cos(Y) * (X * std::cos(X) - std::sin(X)) / (X * X);
    return -X * std::cos(Y) / 3.0f;
}

// YAWFKF: see the header. Pure.
float YAWFKF(float X, float Y) {
    if (std::abs(X) > 0.0001f)
        return std::sin(Y) * (X * std::cos(X) - std::sin(X)) / (X * X);
    return -X * std::sin(Y) / 3.0f;
}

// GETGAM: see the header. Pure.
void GETGAM(float& GAMRLI, float THETA, float CLIN_, float RMASRT, float RSLOPE, float TQFAC,
            float BLGFAC, float CQUAD, float SHIPL, std::int32_t LKEEL, float TKEEL, float DKEEL) {
    const float G1 = CLIN_ * RMASRT *
                     (0.424f * std::sqrt(1.0f + 4.0f * RSLOPE * std::abs(std::sin(THETA)) * TQFAC *
                                                    BLGFAC * CQUAD / (CLIN_ * CLIN_ * RMASRT)) +
                      0.576f);
    if (LKEEL != 0 && TKEEL != 0.0f && DKEEL != 0.0f) {
        // The keels damp their own length without the heading and bilge factors.
        const float G2 =
            CLIN_ * RMASRT *
            (0.424f * std::sqrt(1.0f + 4.0f * RSLOPE * TQFAC * CQUAD / (CLIN_ * CLIN_ * RMASRT)) +
             0.576f);
        GAMRLI = (1.0f - TKEEL / SHIPL) * G1 + (TKEEL / SHIPL) * G2;
    } else {
        GAMRLI = G1;
    }
}

// box_depth_factors_finite: see the header. Pure.
BoxDepthFactors box_depth_factors_finite(float k, float T, float DEPTH, float DEFF, float DEFF_RL) {
    const float kd = k * DEPTH;
    const float kT = k * T;
    BoxDepthFactors f{};
    f.DF1 = std::cosh(kd - kT) / std::cosh(kd);
    const float FAC = std::sinh(kd - kT) / std::cosh(kd);
    f.DF2 = (std::tanh(kd) - FAC) / kT;
    f.DF3 = (kT * FAC + f.DF1 - 1.0f) / (kT * kT);
    f.DF1_AM_HV = std::cosh(kd - k * DEFF) / std::cosh(kd);
    f.DF1_AM_RL = std::cosh(kd - k * DEFF_RL) / std::cosh(kd);
    return f;
}

// box_depth_factors_deep: see the header. Pure.
BoxDepthFactors box_depth_factors_deep(float k, float T, float DEFF, float DEFF_RL) {
    const float kT = k * T;
    const float e = std::exp(-kT);
    BoxDepthFactors f{};
    f.DF1 = e;
    f.DF2 = (1.0f - e) / kT;
    f.DF3 = ((kT + 1.0f) * e - 1.0f) / (kT * kT);
    f.DF1_AM_HV = std::exp(-k * DEFF);
    f.DF1_AM_RL = std::exp(-k * DEFF_RL);
    return f;
}

// box_depth_factors: see the header. Pure.
BoxDepthFactors box_depth_factors(float k, float T, float DEPTH, float DEFF, float DEFF_RL) {
    if (k * DEPTH <= 10.0f)
        return box_depth_factors_finite(k, T, DEPTH, DEFF, DEFF_RL);
    return box_depth_factors_deep(k, T, DEFF, DEFF_RL);
}

// SHPFRC: see the header.
void SHPFRC(std::int32_t& NPASS2) {
    TpcmBlock& P = TPCM;
    HimemBlock& H = HIMEM;
    const WavcomBlock& W = WAVCOM;
    const int EDUNIT = P.EDUNIT;
    const bool debug = P.NBUG == 1;
    const float G = W.G;
    const float T = H.EDRAFT;
    const float L = H.SHIPL;
    const float B = H.BEAM;

    // Set-up 1: the force scales the reports print.
    H.SCALE(3) = P.DWATR * P.AWP / 1000.0f;
    H.SCALE(1) = T * H.SCALE(3) / degrees_per_radian;
    H.SCALE(2) = H.SCALE(1);
    H.SCALE(4) = H.SCALE(1) * H.GMT;
    H.SCALE(5) = H.SCALE(1) * H.GML;
    H.SCALE(6) = H.SCALE(5);

    // Set-up 2 and 3: effective depths of the added masses, the box's ratios.
    const float R = 1.0f / std::sqrt(1.0f / (L * L) + 1.0f / (B * B));
    const float DEFF = T + 0.212f * R;
    const float DEFF_RL = T + 0.3333f * R;
    H.SDEPTH = P.DEPTH / T;
    const float HGTRAT = (H.VTCRR - T) / H.GMT;
    const float DGTRAT = T / H.GMT;
    const float HGLRAT = (H.VTCRP - T) / H.GML;
    const float DGLRAT = T / H.GML;
    H.BLRAT2 = H.BLRAT * H.BLRAT;
    const float PMRAT = H.PCONST / H.PMAS0;
    const float WPRRAT = (H.WRL / H.WPL) * (H.WRL / H.WPL);
    const float CQUAD = quadratic_roll_coefficient(P);
    if (debug) {
        debug_dump(EDUNIT,
                   {H.SCALE(1), H.SCALE(2), H.SCALE(3), H.SCALE(4), H.SCALE(5), H.SCALE(6)});
        debug_dump(EDUNIT, {L, B, T, P.BWL, P.DEPTH, DEFF, DEFF_RL, HGTRAT, DGTRAT, HGLRAT, DGLRAT,
                            PMRAT, WPRRAT, CQUAD});
    }

    // Set-up 4: the first pass is the roll natural period in beam seas at rest; the others
    // every grid period of the heading.
    const bool first_pass = NPASS2 < 1;
    std::int32_t first = 1;
    std::int32_t last = P.NWP;
    float THETA = 0.0f;
    if (first_pass) {
        first = H.JR;
        last = H.JR;
        THETA = beam_seas;
    } else {
        THETA = H.REDANG(W.IRAO) / degrees_per_radian;
        GETGAM(H.GAMRLI, THETA, CLIN, H.RMASRT, H.RSLOPE, H.TQFAC, H.BLGFAC, CQUAD, L, P.LKEEL,
               P.TKEEL, P.DKEEL);
        if (W.IRAO == W.BIGWVS) {
            PASCOM.ROLGAM = H.GAMRLI;
            PASCOM.WFROLF = H.WR;
            PASCOM.ROLSPR = H.GMT * P.DISPL;
            PASCOM.ROLARM = H.VTCRR;
        }
    }

    // Set-up 5: speed and heading. Head seas are taken a hair off the axis, so the lateral
    // forces are small but finite, and a cosine of exactly 0 likewise.
    // The first pass is at rest (and before any heading slot is set: IRAO may still be 0).
    const float U = first_pass ? 0.0f : speed_along_waves(P);
    const float VFWD = first_pass ? 0.0f : P.VFWD;
    if (THETA == 0.0f)
        THETA = 1.0e-10f;
    const float s = std::sin(THETA);
    float c = std::cos(THETA);
    if (c == 0.0f)
        c = 1.0e-10f;

    for (std::int32_t IW = first; IW <= last; ++IW) {
        set_grid_point(IW);
        const float k = H.RLDUM(H.LWK);
        const float omega = H.RLDUM(H.LW);
        const float xL = k * H.XSCALE;
        const float xB = k * H.YSCALE;
        const float we = omega - U * k;
        const float we2 = we * we;

        float A33 = 0.0f, A55 = 0.0f, B33 = 0.0f, B55 = 0.0f;
        DPMAS0(A33, A55, B33, B55, we, xL, H.HCONST, H.HMAS0, H.HMSRAT, H.PCONST, H.PMAS0,
               H.PMSRAT);
        const float A33_0 = A33, A55_0 = A55, B33_0 = B33, B55_0 = B55;
        if (VFWD != 0.0f)
            DAMMAS(A33, A55, B33, B55, we2, U);
        const float A55EF = speed_factor(A55, A55_0);
        const float B55EF = speed_factor(B55, B55_0);
        if (debug) {
            write_record(EDUNIT, " LW,LWK");
            write_record(EDUNIT, " " + std::to_string(H.LW) + " " + std::to_string(H.LWK));
            write_record(EDUNIT, " RLDUM(LW),RLDUM(LWK),WENC,VCOMP,XSCALE,EDRAFT,XMSDMP");
            debug_dump(EDUNIT, {omega, k, we, U, H.XSCALE, T, SDMP(xL)});
            write_record(EDUNIT, " ENHANCEMENT FACTORS AND ADDED MASS COEFFS");
            debug_dump(EDUNIT, {speed_factor(A33, A33_0), speed_factor(B33, B33_0), A55EF, B55EF,
                                A33, B33, A55, B55});
        }

        const float a = (L / 2.0f) * k * c;
        const float b = (B / 2.0f) * k * s;
        const BoxDepthFactors df = box_depth_factors(k, T, P.DEPTH, DEFF, DEFF_RL);
        const float FAC0 = std::sin(b) * std::sin(a);
        const float FAC1 = FAC0 / (a * b);
        const float FAC2 = FAC1 * df.DF2;
        const float FAC5 = FAC1 * df.DF3;
        float FAC3 = df.DF1_AM_RL * we2 / (H.WRL * H.WRL);
        if (debug)
            debug_dump(EDUNIT, {a, b, df.DF1, df.DF2, df.DF3, df.DF1_AM_HV, df.DF1_AM_RL, FAC0,
                                FAC1, FAC2, FAC3, FAC5});

        const float GAWP = G * P.AWP;
        H.CRLDUM(H.LHV) = Complex((df.DF1 - df.DF1_AM_HV * A33 * we2 / GAWP) * FAC1,
                                  FAC1 * df.DF1_AM_HV * B33 * we / GAWP);
        H.CRLDUM(H.LSG) = Complex((std::sin(b) / b) * df.DF2 * std::cos(a) * c * SDMP(xL) * H.CSG,
                                  FAC2 * c * (1.0f + H.CSG));
        H.CRLDUM(H.LSW) = Complex((std::sin(a) / a) * df.DF2 * std::cos(b) * s * SDMP(xB) * H.CSW,
                                  FAC2 * s * (1.0f + H.CSW));

        const float yaw_scale = df.DF2 / (H.BLRAT * H.GML * k);
        const float YFACR = -(YAWFKF(a, b) - H.BLRAT2 * YAWFKF(b, a)) * yaw_scale;
        const float YFACI = -(s * YAWDRG(a, b) - c * YAWDRG(b, a)) * yaw_scale;
        H.CRLDUM(H.LYA) = Complex(YFACR * (1.0f + H.CSW), -YFACI * SDMP(xB) * H.CSW);

        float TWPC = 3.0f * G * H.WPMT * s * YAWFKF(b, a) / (H.RRMT * a * b);
        const float roll_im = TWPC * df.DF1 -
                              TWPC * df.DF1_AM_RL * we2 / (H.WRL * H.WRL) * H.RMAS1 / H.ROLI +
                              (1.0f + H.CSW) * (HGTRAT * df.DF2 - DGTRAT * df.DF3) * s * FAC1;
        H.CRLDUM(H.LRL) = Complex(-TWPC * PMRAT * RDMP(xB) * FAC3, roll_im);

        TWPC = 3.0f * G * H.WPML * c * YAWFKF(a, b) / (H.PRMT * a * b);
        FAC3 = FAC3 * WPRRAT;
        const float pitch_im = -(df.DF1 - FAC3 * A55EF * PMAS(xL, H.PMSRAT)) * TWPC -
                               (HGLRAT * FAC2 - DGLRAT * FAC5) * c;
        H.CRLDUM(H.LPT) = Complex(TWPC * PMRAT * PDMP(xL) * FAC3 * B55EF, pitch_im);
    }

    if (!first_pass)
        return;
    // The first pass ends with the roll damping factor at the roll natural period: the roll
    // moment there, the wave slope of the characteristic wave, the bilge factor.
    const Complex roll = H.CRLDUM(H.LRL);
    H.TQFAC = std::abs(roll.imag());
    if (P.LSLPHT < 1) {
        float q = 0.0f;
        WAVVEC(H.WCONST * H.WR, q);
        H.RSLOPE = q * P.SLPHT / (2.0f * P.DEPTH);
    } else {
        H.RSLOPE = P.SLPHT / degrees_per_radian;
    }
    const float bilge = 1.0f - P.BILGR / std::sqrt(H.VTCRR * H.VTCRR + (B / 2.0f) * (B / 2.0f));
    H.BLGFAC = std::pow(bilge, 5.0f);
    H.RMASRT = H.RMAS1 / H.ROLI;
    GETGAM(H.GAMRLI, beam_seas, CLIN, H.RMASRT, H.RSLOPE, H.TQFAC, H.BLGFAC, CQUAD, L, P.LKEEL,
           P.TKEEL, P.DKEEL);
    H.GAMROL = H.GAMRLI;
}

// SHPRAO: see the header.
void SHPRAO() {
    const TpcmBlock& P = TPCM;
    HimemBlock& H = HIMEM;
    const float G = WAVCOM.G;
    const float U = speed_along_waves(P);
    const float YAWFAC = H.PRMT / H.YAWI;
    const Complex i(0.0f, 1.0f);

    for (std::int32_t IW = 1; IW <= P.NWP; ++IW) {
        set_grid_point(IW);
        const float k = H.RLDUM(H.LWK);
        const float omega = H.RLDUM(H.LW);
        const float we = omega - k * U;
        const float we2 = we * we;
        const float xL = k * H.XSCALE;
        const float xB = k * H.YSCALE;
        float A33 = 0.0f, A55 = 0.0f, B33 = 0.0f, B55 = 0.0f;
        DPMAS0(A33, A55, B33, B55, we, xL, H.HCONST, H.HMAS0, H.HMSRAT, H.PCONST, H.PMAS0,
               H.PMSRAT);
        if (P.VFWD != 0.0f)
            DAMMAS(A33, A55, B33, B55, we2, U);

        // Heave.
        float M = H.HVM1 + A33;
        float w02 = P.LHVPRD != 0 ? H.WH * H.WH : H.HC / M;
        float g = P.LHVDMP != 0 ? P.HVDAMP * 0.02f * H.WH : B33 / M;
        H.CRLDUM(H.LHV) =
            Complex(H.CRLDUM(H.LHV)) * w02 / guarded_divisor(w02 - we2 + i * (g * we));

        // Pitch.
        M = H.PTCH1 + A55;
        g = P.LPTDMP != 0 ? P.PTDAMP * 0.02f * H.WP : B55 / M;
        w02 = P.LPTPRD != 0 ? H.WP * H.WP : H.PRMT / M;
        H.CRLDUM(H.LPT) =
            Complex(H.CRLDUM(H.LPT)) * (k * w02) / guarded_divisor(w02 - we2 + i * (g * we));

        // Surge, sway and yaw have no restoring; their damping is the surge curve's.
        const Complex surge_d =
            guarded_divisor(Complex(-we2 * (1.0f + H.CSG), SDMP(xL) * we2 * H.CSG));
        H.CRLDUM(H.LSG) = Complex(H.CRLDUM(H.LSG)) * (G * k) / surge_d;
        const Complex sway_d =
            guarded_divisor(Complex(-we2 * (1.0f + H.CSW), SDMP(xL) * we2 * H.CSW));
        H.CRLDUM(H.LSW) = Complex(H.CRLDUM(H.LSW)) * (G * k) / sway_d;
        H.CRLDUM(H.LYA) = Complex(H.CRLDUM(H.LYA)) * (k * YAWFAC) / sway_d;

        // Roll, without the bilge keels' inertia.
        M = H.ROL1 + H.RMAS0 * RMAS(xB);
        w02 = P.LRLPRD != 0 ? H.WR * H.WR : H.RRMT / M;
        g = (P.LRLDMP != 0 ? P.RLDAMP * 0.02f : H.GAMRLI) * H.WR;
        H.CRLDUM(H.LRL) =
            Complex(H.CRLDUM(H.LRL)) * (k * w02) / guarded_divisor(w02 - we2 + i * (g * we));
    }
}

} // namespace lintar
