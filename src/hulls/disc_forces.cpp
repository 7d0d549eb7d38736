// hulls/disc_forces.cpp: DSKFRC, the wave forces on the disc buoy's equivalent cylinder and,
// in the calibration pass, the modes' viscous damping coefficients and RAOs.
#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/disc_curves.h"
#include "hulls/disc_hull.h"
#include "hulls/hull_guards.h"
#include "hulls/hull_support.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/algebra.h"
#include "util/angles.h"
#include "util/bessel_gamma.h"
#include "util/prompts.h"
#include "util/wave_numbers.h"

#include <cmath>
#include <complex>

namespace lintar {

namespace {

using Complex = std::complex<float>;

// The ellipsoid integral's warning for very many points is given once per run.
struct DiscForcesStore {
    bool ONEWRN = false;
};
DiscForcesStore disc_forces_store;
const StateReset reset_disc_forces_store{[] { disc_forces_store = {}; }};

// Linear part of the roll and pitch damping fit.
constexpr float CLIN = 0.1f;
// Deep water, for the depth factors, beyond this k x depth.
constexpr float deep_water_kd = 60.0f;
// Below this argument J2(x) / x^2 is its series 1/8 - x^2/96 (error below 1e-10).
constexpr float small_bessel_argument = 1.0e-2f;

// The depth factors of one wave number: DF1 the Airy factor at the draft, DF1P at the draft
// less 2.7 (the keel terms), DF2 its draft average, DF3 its draft moment, DF1AM at the
// effective depth of the added mass.
struct DiscDepthFactors {
    float DF1, DF1P, DF2, DF3, DF1AM;
};

DiscDepthFactors depth_factors(float X, float X1, float X2, float X2P, float X2AM) {
    DiscDepthFactors f{};
    if (X1 > deep_water_kd) {
        f.DF1 = std::exp(-X2);
        f.DF1P = std::exp(-X2P);
        f.DF2 = (1.0f - f.DF1) / X;
        f.DF3 = ((1.0f + X2) * f.DF1 - 1.0f) / (X * X);
        f.DF1AM = std::exp(-X2AM);
        return f;
    }
    const float c = std::cosh(X1);
    f.DF1 = std::cosh(X1 - X2) / c;
    f.DF1P = std::cosh(X1 - X2P) / c;
    f.DF2 = (std::tanh(X1) - std::sinh(X1 - X2) / c) / X;
    f.DF3 = (std::cosh(X1 - X2) / c + X2 * std::sinh(X1 - X2) / c - 1.0f) / (X * X);
    f.DF1AM = std::cosh(X1 - X2AM) / c;
    return f;
}

// J_N(X) of the buoy's wave number: a failure of the Bessel routine ends the run, the smallest
// period being too short for the series.
float bessel_of_wave_number(float X, std::int32_t N, float EPS) {
    float value = 0.0f;
    std::int32_t IER = 0;
    BESJ(X, N, value, EPS, IER);
    if (IER > 0) {
        const int EDUNIT = TPCM.EDUNIT;
        CLEAR(EDUNIT);
        fatal_stop(EDUNIT, keyboard_unit,
                   {"", " ++> BESSEL function error. Increase smallest period and retry"});
    }
    return value;
}

// The six complex forces of one grid point with the added masses they used.
struct PointForces {
    Complex surge, sway, heave, roll, pitch, yaw;
    float PMS, HMS, X;
};

struct PointSetUp {
    float CS, SDEFF;
};

PointForces point_forces(float omega, float k, float theta, float VCOMP, const PointSetUp& s) {
    const HimemBlock& H = HIMEM;
    const TpcmBlock& P = TPCM;
    const float X = k * H.RADIUS;
    const float WENC = omega - VCOMP * k;
    const float X1 = X * H.SDEPTH;
    const float X2 = X * H.SDRAFT;
    const float X2P = X * (P.DRAFT - 2.7f) / H.RADIUS;
    const float X2AM = X * s.SDEFF;
    const float XP = std::abs(X - half_pi_single);
    const DiscDepthFactors df = depth_factors(X, X1, X2, X2P, X2AM);

    const float J0 = bessel_of_wave_number(X, 0, H.EPS);
    const float J1 = bessel_of_wave_number(X, 1, H.EPS);
    const float J2 = bessel_of_wave_number(X, 2, H.EPS);
    const float D1 = J1 / X;
    const float WPINT = 8.0f * df.DF1 * J2 / (X * X);

    PointForces r{};
    r.X = X;
    // Heave: the Froude-Krylov force less the added-mass term, the damping in quadrature.
    const float FHV = 2.0f * df.DF1 * D1;
    const float HDP = H.HCONST * HDMPD(X);
    r.HMS = df.DF1AM * HMASD(X) * H.HCONST + df.DF1P * H.SKAMHV;
    const float HVCOR = 2.0f * D1 * (r.HMS / H.HVMAS) * (WENC / H.WH) * (WENC / H.WH);
    r.heave = Complex(FHV - HVCOR, HVCOR * HDP / H.HVMAS);

    // Surge and sway.
    const float FSG = 2.0f * df.DF2 * D1 / H.SDRAFT;
    const float SDP = SDMPD(X);
    const float FSCOR = J0 * s.CS * df.DF2 / H.SDRAFT;
    const Complex F(3.0f * FSCOR * SDP / s.CS, FSG + FSCOR);
    float c = std::cos(theta);
    if (c == 0.0f)
        c = 1.0e-10f;
    const float sn = std::sin(theta);
    r.surge = F * c;
    r.sway = F * sn;

    // Pitch and roll. The waterplane term's keel correction J2(XP) / J2(X) (X / XP)^2 times
    // WPINT is written as 8 DF1 J2(XP) / XP^2, which stays finite where J2(X) or XP is 0.
    const float TQSG = 8.0f * H.TQCNST * df.DF3 * D1;
    const float TQWP = H.TQCNST * WPINT;
    const float TQSGP = TQSG - 4.0f * H.SWLCRP * FSG * H.TQCNST * H.SDRAFT;
    r.PMS = df.DF1AM * PMASD(X) * H.PCONST + df.DF1P * H.SKAMRL;
    const float PDP = PDMPD(X) * H.PCONST;
    const float TQCOR1 = (r.PMS / H.PTCHI) * (WENC / H.WP) * (WENC / H.WP) * 8.0f * df.DF1 *
                         bessel_j2_over_square(XP, H.EPS);
    const float TQCOR2 = s.CS * TQSGP;
    const Complex T(TQCOR1 * PDP / r.PMS, -TQWP - TQSGP + TQCOR1 - TQCOR2);
    r.pitch = -T * c;
    r.roll = T * sn;
    r.yaw = Complex(1.0e-10f, 1.0e-10f);

    if (P.NBUG == 1) {
        debug_dump(P.EDUNIT, {omega, k, X, WENC, VCOMP, theta});
        debug_dump(P.EDUNIT, {df.DF1, df.DF1P, df.DF2, df.DF3, df.DF1AM, J0, J1, J2});
        debug_dump(P.EDUNIT, {FHV, HVCOR, FSG, FSCOR, TQSG, TQWP, TQCOR1, TQCOR2});
    }
    return r;
}

void store_point(const PointForces& f) {
    HimemBlock& H = HIMEM;
    H.CRLDUM(H.LSG) = f.surge;
    H.CRLDUM(H.LSW) = f.sway;
    H.CRLDUM(H.LHV) = f.heave;
    H.CRLDUM(H.LRL) = f.roll;
    H.CRLDUM(H.LPT) = f.pitch;
    H.CRLDUM(H.LYA) = f.yaw;
}

// The modes of the calibration pass: 1 roll, 2 pitch, 3 heave, 4 surge, 5 sway, 6 yaw.
std::int32_t calibration_grid_point(int mode) {
    const HimemBlock& H = HIMEM;
    switch (mode) {
    case 1:
        return H.JR;
    case 2:
        return H.JP;
    case 3:
        return H.JH;
    case 4:
        return H.JSG;
    case 5:
        return H.JSW;
    default:
        return H.JY;
    }
}

float calibration_frequency(int mode) {
    const HimemBlock& H = HIMEM;
    switch (mode) {
    case 1:
        return H.WR;
    case 2:
        return H.WP;
    case 3:
        return H.WH;
    case 4:
        return H.WSG;
    case 5:
        return H.WSW;
    default:
        return H.WY;
    }
}

// The equivalent linear damping of a quadratic roll or pitch damping with inertia ratio f.
float rotational_damping(float f, float CQUAD, float TQFAC) {
    const HimemBlock& H = HIMEM;
    return CLIN * f *
           (0.576f + 0.424f * std::sqrt(1.0f + 4.0f * CQUAD * H.BLGFAC * TQFAC * H.RSLOPE /
                                                   (CLIN * CLIN * f)));
}

// The surge or sway damping coefficient at frequency F for the excursion HRZAMP of the design
// wave with mooring damping DMOOR. The root s is written in the form that stays finite
// without a current area (no drag: the linear and mooring parts alone).
float translational_damping(float X, float F, float HRZAMP, float DMOOR, float TQFAC) {
    const HimemBlock& H = HIMEM;
    const float RHOWTR = WAVCOM.RHOWTR;
    const float lin = SDMPD(X) * H.HCONST / H.SGMAS;
    const float mor = DMOOR / (H.SGMAS * RHOWTR * F);
    const float drg = 0.5f * TPCM.XCURAR * HRZAMP / H.SGMAS;
    const float a = lin + mor;
    const float q = 4.0f * std::sqrt(1.0f + mor);
    const float s = 0.5f * q / (std::sqrt(a * a + q * drg) + a);
    return TQFAC / (HRZAMP * RHOWTR * H.SGMAS * F * F * std::sqrt(1.0f + s * s));
}

// The calibration of one mode at the grid point just computed.
void calibrate_mode(int mode, std::int32_t IW, const PointForces& f, float theta, float CQUAD,
                    float CHQUAD, float GPSG, float GPSW) {
    HimemBlock& H = HIMEM;
    TpcmBlock& P = TPCM;
    const WavcomBlock& W = WAVCOM;
    const float F = calibration_frequency(mode);
    const float RHOWTR = W.RHOWTR;

    // The design wave at the mode's frequency.
    float K = 0.0f;
    WAVVEC(H.WCONST * F, K);
    float A = 0.0f;
    if (P.LSLPHT == 0) {
        A = W.DURFAC * P.SLPHT;
        H.RSLOPE = K * A / P.DEPTH;
    } else {
        H.RSLOPE = 2.0f * W.DURFAC * P.SLPHT / degrees_per_radian_rounded;
        A = H.RSLOPE * P.DEPTH / K;
    }

    const float omega = W.W(IW);
    const float VHOR = omega * A / (omega * omega / (W.WVK(IW) * W.G));
    const float HRZAMP = VHOR / H.WSG; // the surge frequency for sway too
    const bool sway = mode == 5;
    const float trig = sway ? std::sin(theta) : std::cos(theta);
    if (mode == 4 || mode == 5) {
        const std::int32_t period_switch = sway ? P.LSWPRD : P.LSGPRD;
        const std::int32_t damping_switch = sway ? P.LSWDMP : P.LSGDMP;
        const float damping = sway ? P.SWMDMP : P.SGMDMP;
        // With a given period the spring is the one of that period with the surge mass.
        const float wn = sway ? H.WSW : H.WSG;
        const float spring =
            period_switch == 0 ? (sway ? P.SWK : P.SGK) : RHOWTR * H.SGMAS * wn * wn;
        const float restoring = trig * spring * HRZAMP;
        const float damping_part = damping_switch == 0
                                       ? trig * damping * VHOR
                                       : trig * 2.0e-5f * damping * F * RHOWTR * H.SGMAS * VHOR;
        H.TQFAC = std::abs(Complex(restoring, damping_part));
    } else {
        const Complex force = mode == 1   ? f.roll
                              : mode == 2 ? f.pitch
                              : mode == 3 ? f.heave
                                          : f.yaw;
        H.TQFAC = std::abs(force);
    }

    const float X = f.X;
    const float GF = A * F * F / W.G;
    switch (mode) {
    case 1:
        H.GAMROL = rotational_damping(H.RMAS1 / H.ROLI, CQUAD, H.TQFAC);
        break;
    case 2:
        H.GAMPIT = rotational_damping(H.PMAS1 / H.PTCHI, CQUAD, H.TQFAC);
        break;
    case 3: {
        const float FT = 2.0f * H.TQFAC / (GF * CHQUAD);
        const float DF = 0.6366198f * (H.RADIUS / A) * HDMPD(X) / CHQUAD;
        H.GAMHEV = H.TQFAC / std::sqrt(std::sqrt(0.25f * DF * DF + FT) - 0.5f * DF);
        break;
    }
    case 4:
        H.GAMSRG = translational_damping(X, F, HRZAMP, P.SGMDMP, H.TQFAC);
        break;
    case 5:
        H.GAMSWY = translational_damping(X, F, HRZAMP, P.SWMDMP, H.TQFAC);
        break;
    default:
        break;
    }

    if (P.MORFBK == 0)
        return;
    // The mode's RAO at the grid point, at rest (the encounter frequency is the wave's).
    const float k = H.RLDUM(H.LWK);
    const float WENC = H.RLDUM(H.LW);
    const auto rao = [&](float w0sq, float g, Complex numerator) {
        const Complex Q(w0sq - WENC * WENC, g * WENC);
        return numerator / guarded_divisor(Q);
    };
    switch (mode) {
    case 1: {
        const float I = H.PTCH1 + f.PMS + H.SKAMRL;
        const float w0sq = P.LRLPRD == 0 ? (P.RLK / RHOWTR + H.RRMT) / I : H.WR * H.WR;
        const float g = P.LRLDMP == 0 ? (P.RLMDMP / (H.WR * RHOWTR * H.ROLI) + H.GAMROL) * H.WR
                                      : 0.02f * P.RLDAMP * H.WR;
        H.CRLRAX() = rao(w0sq, g, k * (H.RRMT / I) * f.roll);
        break;
    }
    case 2: {
        const float I = H.PTCH1 + f.PMS + H.SKAMRL;
        const float w0sq = P.LPTPRD == 0 ? (P.PTK / RHOWTR + H.PRMT) / I : H.WP * H.WP;
        const float g = P.LPTDMP == 0 ? (P.PTMDMP / (H.WP * RHOWTR * H.PTCHI) + H.GAMPIT) * H.WP
                                      : 0.02f * P.PTDAMP * H.WP;
        H.CPTRAX() = rao(w0sq, g, k * (H.PRMT / I) * f.pitch);
        break;
    }
    case 3: {
        const float M = H.HVM1 + f.HMS;
        const float w0sq = P.LHVPRD == 0 ? (P.HVK / RHOWTR + H.HC) / M : H.WH * H.WH;
        const float g = P.LHVDMP == 0 ? (P.HVMDMP / (RHOWTR * H.WH * H.HVMAS) + H.GAMHEV) * H.WH
                                      : 0.02f * P.HVDAMP * H.WH;
        H.CHVRAX() = rao(w0sq, g, (H.HC / M) * f.heave);
        break;
    }
    case 4: {
        const float w0sq = P.LSGPRD == 0 ? P.SGK / (RHOWTR * H.SGMAS) : H.WSG * H.WSG;
        const float g = P.LSGDMP == 0 ? H.GAMSRG * H.WSG : 0.02f * P.SGMDMP * H.WSG;
        H.CSGRAX() = rao(w0sq, g, k * GPSG * f.surge);
        break;
    }
    case 5: {
        const float w0sq = P.LSWPRD == 0 ? P.SWK / (RHOWTR * H.SGMAS) : H.WSW * H.WSW;
        const float g = P.LSWDMP == 0 ? H.GAMSWY * H.WSW : 0.02f * P.SWMDMP * H.WSW;
        H.CSWRAX() = rao(w0sq, g, k * GPSW * f.sway);
        break;
    }
    default:
        H.CYWRAX() = Complex(0.0f, 0.0f);
        break;
    }
    if (P.NBUG == 1)
        debug_dump(P.EDUNIT, {static_cast<float>(mode), F, A, H.RSLOPE, H.TQFAC, HRZAMP});
}

} // namespace

// bessel_j2_over_square: see the header. Pure.
float bessel_j2_over_square(float x, float EPS) {
    if (x < small_bessel_argument)
        return 0.125f - x * x / 96.0f;
    float J2 = 0.0f;
    std::int32_t IER = 0;
    BESJ(x, 2, J2, EPS, IER);
    return J2 / (x * x);
}

// disc_surge_added_mass: see the header. Writes the file's warn-once flag.
float disc_surge_added_mass(float DLRAT) {
    const float ABRAT2 = 1.0f / (DLRAT * DLRAT);
    const float ACRAT2 = 1.0f;
    float ELPSCF = 0.0f;
    ELPCOF(ABRAT2, ACRAT2, 5, 1, ELPSCF, TPCM.EDUNIT, keyboard_unit, disc_forces_store.ONEWRN, 0);
    return COFCLC(1, ELPSCF, ABRAT2, ACRAT2);
}

// DSKFRC: see the header.
void DSKFRC(std::int32_t& NPASS2) {
    TpcmBlock& P = TPCM;
    HimemBlock& H = HIMEM;
    const WavcomBlock& W = WAVCOM;
    const bool calibration = NPASS2 == 0;

    // Set-up: the added-mass factors of gravity, the keel factors, the report scales.
    const float GPSG = W.G / (1.0f + H.CSG);
    const float GPSW = W.G / (1.0f + H.CSW);
    float CQUAD = 1.5f;
    float CHQUAD = 1.0f;
    if (P.LKEEL != 0) {
        const float e = P.DKEEL <= 0.0f ? 0.0f : P.RKEEL / P.DKEEL;
        CQUAD = 1.5f * std::pow(1.0f + e, 5.0f);
        CHQUAD = (1.0f + e) * (1.0f + e);
    }
    H.SCALE(3) = 0.001f * P.DWATR * P.AWP;
    H.SCALE(1) = H.EDRAFT * H.SCALE(3) / degrees_per_radian_rounded;
    H.SCALE(2) = H.SCALE(1);
    H.SCALE(4) = H.SCALE(1) * H.GMT;
    H.SCALE(5) = H.SCALE(1) * H.GML;
    H.SCALE(6) = H.SCALE(5);
    H.DLRAT = H.EDRAFT / H.RADIUS;
    PointSetUp s{};
    s.CS = disc_surge_added_mass(H.DLRAT);
    const float DEFF = H.EDRAFT + 0.287f * H.RADIUS;
    s.SDEFF = DEFF / H.RADIUS;
    H.SDEPTH = P.DEPTH / H.RADIUS;
    H.BLGFAC = std::pow(1.0f - P.BILGR / std::sqrt(H.RADIUS * H.RADIUS + H.VTCRR * H.VTCRR), 5.0f);

    if (calibration) {
        const int modes = P.MORFBK == 1 ? 6 : 3;
        for (int mode = 1; mode <= modes; ++mode) {
            const std::int32_t IW = calibration_grid_point(mode);
            float theta = (mode == 1 || mode == 5) ? half_pi_single : 1.0e-10f;
            set_grid_point(IW);
            const PointForces f = point_forces(H.RLDUM(H.LW), H.RLDUM(H.LWK), theta, 0.0f, s);
            H.CSG = s.CS;
            H.CSW = s.CS;
            store_point(f);
            calibrate_mode(mode, IW, f, theta, CQUAD, CHQUAD, GPSG, GPSW);
        }
        return;
    }

    // The speed component along the waves (the calibration pass is at rest).
    const float VCOMP =
        P.VFWD * std::cos((H.REDANG(W.IRAO) - P.VGLDIR) / degrees_per_radian_rounded);

    float theta = H.REDANG(W.IRAO) / degrees_per_radian_rounded;
    if (theta == 0.0f)
        theta = 1.0e-10f;
    for (std::int32_t IW = 1; IW <= P.NWP; ++IW) {
        set_grid_point(IW);
        const PointForces f = point_forces(H.RLDUM(H.LW), H.RLDUM(H.LWK), theta, VCOMP, s);
        H.CSG = s.CS;
        H.CSW = s.CS;
        store_point(f);
    }
}

} // namespace lintar
