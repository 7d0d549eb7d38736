// hulls/disc_raos.cpp: DSKRAO, the disc buoy's RAOs from its force tables, with the nonlinear
// correction of the moored surge.
#include "blocks/himem.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/disc_curves.h"
#include "hulls/disc_hull.h"
#include "hulls/hull_guards.h"
#include "hulls/hull_support.h"
#include "line_dynamics/excursion_correction.h"
#include "util/angles.h"

#include <array>
#include <cmath>
#include <complex>
#include <span>

namespace lintar {

namespace {

using Complex = std::complex<float>;

constexpr int energy_points = LincomBlock::energy_points;

// A response: SCALE x F / (w0^2 - WENC^2 + i g WENC), the divisor kept from 0 at an undamped
// resonance.
Complex response(float scale, Complex F, float w0sq, float g, float WENC) {
    return scale * F / guarded_divisor(Complex(w0sq - WENC * WENC, g * WENC));
}

// The equal-energy correction of the moored surge RAO on the mooring's energy curve: the
// excursion in the extreme wave, XTRMWV |RAO|, moved onto the curve with the spring SPRING
// and never enlarged. With tabulated offsets (LSPM) the curve's offsets are its uniform steps.
Complex corrected_surge(Complex rao, float SPRING) {
    const TpcmBlock& P = TPCM;
    const LincomBlock& C = LINCOM;
    const float DXLIN = WAVCOM.XTRMWV * std::abs(rao);
    if (!(DXLIN > 0.0f))
        return rao;
    // Without tabulated offsets NLNCOR reads the step from the first entry; with them, the
    // offsets of the curve's points.
    std::array<float, energy_points> offsets{};
    offsets[0] = C.WVOFST(1);
    if (P.LSPM != 0)
        for (int k = 1; k <= energy_points; ++k)
            offsets[slot(k)] = static_cast<float>(k - 1) * C.WVOFST(1);
    float DXNLIN = 0.0f;
    std::int32_t MIN = 0;
    NLNCOR(std::span<const float>(C.WFERGF_words, energy_points), 0.0f, offsets, DXLIN, DXNLIN,
           SPRING, 0.0f, 0.0f, energy_points, MIN, P.LSPM != 0, P.EDUNIT);
    if (std::abs(DXNLIN) > std::abs(DXLIN))
        DXNLIN = DXLIN;
    return rao * (DXNLIN / DXLIN);
}

} // namespace

// DSKRAO: per grid point, the modes' responses from the forces in place.
void DSKRAO() {
    HimemBlock& H = HIMEM;
    const TpcmBlock& P = TPCM;
    const WavcomBlock& W = WAVCOM;
    const float RHOWTR = W.RHOWTR;
    const bool coupled = P.MORFBK != 0;
    const float GPSG = W.G / (1.0f + H.CSG);
    const float GPSW = W.G / (1.0f + H.CSW);
    const float VCOMP =
        P.VFWD * std::cos((H.REDANG(W.IRAO) - P.VGLDIR) / degrees_per_radian_rounded);
    // The springs the moored surge and sway stand on; a mode whose period the user gives holds
    // that period in its spring word, so its spring is the one of that period.
    const float surge_spring = P.LSGPRD == 0 ? P.SGK : RHOWTR * H.SGMAS * H.WSG * H.WSG;

    for (std::int32_t IW = 1; IW <= P.NWP; ++IW) {
        set_grid_point(IW);
        const float omega = H.RLDUM(H.LW);
        const float k = H.RLDUM(H.LWK);
        const float WENC = omega - VCOMP * k;
        const float X = k * H.XSCALE;
        const float PMS = H.PCONST * PMASD(X);
        const float HMS = H.HCONST * HMASD(X);

        // Heave.
        {
            const float M = H.HVM1 + HMS + H.SKAMHV;
            const float w0sq =
                P.LHVPRD == 0 ? (H.HC + (coupled ? P.HVK / RHOWTR : 0.0f)) / M : H.WH * H.WH;
            const float g =
                P.LHVDMP == 0
                    ? (H.GAMHEV + (coupled ? P.HVMDMP / (RHOWTR * H.WH * H.HVMAS) : 0.0f)) * H.WH
                    : 0.02f * P.HVDAMP * H.WH;
            H.CRLDUM(H.LHV) = response(H.HC / M, H.CRLDUM(H.LHV), w0sq, g, WENC);
        }
        // Pitch.
        {
            const float I = H.PTCH1 + PMS + H.SKAMRL;
            const float w0sq =
                P.LPTPRD == 0 ? (H.PRMT + (coupled ? P.PTK / RHOWTR : 0.0f)) / I : H.WP * H.WP;
            const float g =
                P.LPTDMP == 0
                    ? (H.GAMPIT + (coupled ? P.PTMDMP / (H.WP * RHOWTR * H.PTCHI) : 0.0f)) * H.WP
                    : 0.02f * P.PTDAMP * H.WP;
            H.CRLDUM(H.LPT) = response(k * H.PRMT / I, H.CRLDUM(H.LPT), w0sq, g, WENC);
        }
        // Yaw: the buoy takes no yaw moment from the waves.
        H.CRLDUM(H.LYA) = Complex(0.0f, 0.0f);
        // Surge and sway: free-floating, only their radiation damping; moored, the mooring's
        // spring and the calibrated damping.
        const float free_damping = SDMPD(X) * WENC * H.HCONST / H.SGMAS;
        if (coupled) {
            const float w0sq = P.LSGPRD == 0 ? P.SGK / (RHOWTR * H.SGMAS) : H.WSG * H.WSG;
            const float g = P.LSGDMP == 0 ? H.GAMSRG * H.WSG : 0.02f * P.SGMDMP * H.WSG;
            H.CRLDUM(H.LSG) =
                corrected_surge(response(k * GPSG, H.CRLDUM(H.LSG), w0sq, g, WENC), surge_spring);
            const float w0sq_sway = P.LSWPRD == 0 ? P.SWK / (RHOWTR * H.SGMAS) : H.WSW * H.WSW;
            const float g_sway = P.LSWDMP == 0 ? H.GAMSWY * H.WSW : 0.02f * P.SWMDMP * H.WSW;
            H.CRLDUM(H.LSW) = response(k * GPSW, H.CRLDUM(H.LSW), w0sq_sway, g_sway, WENC);
        } else {
            H.CRLDUM(H.LSG) = response(k * GPSG, H.CRLDUM(H.LSG), 0.0f, free_damping, WENC);
            H.CRLDUM(H.LSW) = response(k * GPSW, H.CRLDUM(H.LSW), 0.0f, free_damping, WENC);
        }
        // Roll.
        {
            const float I = H.ROL1 + PMS + H.SKAMRL;
            const float w0sq =
                P.LRLPRD == 0 ? (H.RRMT + (coupled ? P.RLK / RHOWTR : 0.0f)) / I : H.WR * H.WR;
            const float g =
                P.LRLDMP == 0
                    ? (H.GAMROL + (coupled ? P.RLMDMP / (H.WR * RHOWTR * H.ROLI) : 0.0f)) * H.WR
                    : 0.02f * P.RLDAMP * H.WR;
            H.CRLDUM(H.LRL) = response(k * H.RRMT / I, H.CRLDUM(H.LRL), w0sq, g, WENC);
        }
    }
}

} // namespace lintar
