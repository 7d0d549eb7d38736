// equilibrium/equilibrium_geometry.cpp: plane rotation, pull-down polynomials, the applied
// forces that move with the mooring, the tension adjustment and the nodes of one line.
#include "equilibrium/equilibrium_geometry.h"
#include "util/angles.h"

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/catenary_elements.h"
#include "lines/line_arrays.h"
#include "lines/line_shape.h"
#include "lines/stress_strain.h"

#include <cmath>
#include <cstddef>

namespace lintar {

void ROT2D(float& FX, float& FY, float ANGLE) {
    const float c = std::cos(ANGLE);
    const float s = std::sin(ANGLE);
    const float x = FX;
    const float y = FY;
    FX = x * c - y * s;
    FY = y * c + x * s;
}

float ZPULLDOWN(std::span<const float, 2> RVEC, float A, float B) {
    const float r2 = RVEC[0] * RVEC[0] + RVEC[1] * RVEC[1];
    return A * r2 + B * r2 * r2;
}

float ANGLEPULL(std::span<const float, 2> RVEC, std::span<const float, 2> RVEC0, float AX,
                float AY) {
    return (RVEC[0] - RVEC0[0]) * AX + (RVEC[1] - RVEC0[1]) * AY;
}

namespace {

// One applied force (X, Y) given in axes CRDSYS, added to the pair in axes CRDSTM. Any
// non-zero axis code means vessel axes: two such codes name the same axes, and the force is
// taken as it is (comparing the codes themselves would turn a force between two spellings of
// the vessel axes).
void add_applied_force(float& FXENV, float& FYENV, float X, float Y, std::int32_t CRDSYS,
                       std::int32_t CRDSTM, float VESANG) {
    const bool force_global = CRDSYS == 0;
    const bool want_global = CRDSTM == 0;
    float x = X;
    float y = Y;
    if (force_global != want_global) {
        const float c = std::cos(VESANG);
        const float s = std::sin(VESANG);
        if (want_global) { // vessel axes to global: +VESANG
            x = X * c - Y * s;
            y = X * s + Y * c;
        } else { // global to vessel axes: -VESANG
            x = X * c + Y * s;
            y = -X * s + Y * c;
        }
    }
    FXENV += x;
    FYENV += y;
}

} // namespace

void TENADJ2(float& FXENV, float& FYENV, float& VFCANG, float VESANG, std::int32_t CRDSTM) {
    if (TPCM.AUXFRC == 1 && TPCM.LVMR1 == 1)
        add_applied_force(FXENV, FYENV, TPCM.XVFRC, TPCM.YVFRC, TPCM.CRDSYS, CRDSTM, VESANG);
    if (TPCM.AXFC2 == 1 && TPCM.LVMR2 == 1)
        add_applied_force(FXENV, FYENV, TPCM.XVFRC2, TPCM.YVFRC2, TPCM.CRDS2, CRDSTM, VESANG);
    if (TPCM.AXFC3 == 1 && TPCM.LVMR3 == 1)
        add_applied_force(FXENV, FYENV, TPCM.XVFRC3, TPCM.YVFRC3, TPCM.CRDS3, CRDSTM, VESANG);
    VFCANG = (FXENV != 0.0f || FYENV != 0.0f) ? std::atan2(FYENV, FXENV) : 0.0f;
}

void TENADJ(float& TTEN, float& XTEN, float& ZTEN, float FCLPAR, float FCLPRP, float FCTOT,
            float& VANG, float& PANG) {
    (void)FCTOT;
    // The cross part's angle. No cross part gives 0 even on a line without horizontal load
    // (0 / 0 would give NaN); a cross part larger than the horizontal load stands square.
    if (FCLPRP == 0.0f) {
        PANG = 0.0f;
    } else {
        const float ratio = FCLPRP / XTEN;
        PANG = std::abs(ratio) > 1.0f ? std::copysign(half_pi_single, ratio) : std::asin(ratio);
    }
    // The vertical part of the old tension; a horizontal part above the tension (rounding, or
    // inconsistent data) leaves none rather than a NaN.
    const float z2 = TTEN * TTEN - XTEN * XTEN;
    ZTEN = z2 > 0.0f ? std::sqrt(z2) : 0.0f;
    XTEN = XTEN + FCLPAR;
    TTEN = std::sqrt(ZTEN * ZTEN + XTEN * XTEN + FCLPRP * FCLPRP);
    VANG = (ZTEN != 0.0f || XTEN != 0.0f) ? std::atan2(ZTEN, XTEN) : 0.0f;
}

void NODE_EVAL2(std::int32_t ITYPQ, std::int32_t ILINQ, float DELTAZP, float RFORCE, float& TOPANQ,
                std::int32_t LAYER, float& TTTMP, float& BTTMP, float& FGZTMP, float& BTANGQ,
                float Y_FAIRLEAD, const LineNodes& nodes) {
    (void)ILINQ; // the line's number: the solve depends on its type alone
    LincomBlock& C = LINCOM;
    const int t = ITYPQ;
    const int NELEM = TPCM.NELEM(t);
    C.DELTAZ = DELTAZP;
    C.ITYP = ITYPQ;
    C.DPHLD = RFORCE;
    if (C.NEED_STRAIN_FILE != 0 && TPCM.STRESS_STRAIN_FILE(t) != 0)
        LOAD_ALPHAS(C.DPHLD, LAYER);
    SCLWLD(C.SCLWT_words, wetwt_column(t), C.DPHLD, NELEM);
    BETALD(alpha_slice(t), C.BETA_words, C.DPHLD, NELEM);
    const float top_slope = std::tan(TOPANQ);
    float TOPT1 = 0.95f * top_slope;
    float TOPT2 = 1.05f * top_slope;
    ITER8P(TOPT1, TOPT2);

    for (int k = 1; k <= NELEM + 1; ++k) {
        const auto n = slot(k);
        nodes.NODE_T[n] = static_cast<float>(C.TMPTAN(k));
        nodes.NODE_LOAD[n] = static_cast<float>(C.SECARR(k) * RFORCE);
    }
    // Node positions from the spans of the elements above each node: node k + 1 lies
    // X(NELEM) - X(k) from the anchor and Z(NELEM) - Z(k) above it.
    const auto X = [&](int k) {
        return XDIST(C.SCLWT_words, C.SECARR_words, C.TMPTAN_words, C.BETA_words, k, NELEM,
                     TPCM.ANCTYP(t), slen_column(t), C.DSLOPE);
    };
    const auto Z = [&](int k) {
        return ZDIST(C.SCLWT_words, C.SECARR_words, C.BETA_words, k, slen_column(t),
                     C.TMPTAN_words);
    };
    const double XN = X(NELEM);
    const double ZN = Z(NELEM);
    for (int k = 0; k <= NELEM; ++k) {
        const auto n = static_cast<std::size_t>(k);
        const double x = XN - X(k);
        nodes.NODE_X[n] = static_cast<float>(x);
        nodes.NODE_Z[n] = static_cast<float>(ZN - Z(k));
        // A line of no horizontal span has no lateral slope to follow: its nodes stay in line
        // with the anchor rather than take 0 / 0.
        nodes.NODE_Y[n] = XN != 0.0 ? static_cast<float>(x * Y_FAIRLEAD / XN) : 0.0f;
    }
    TOPANQ = std::atan(nodes.NODE_T[0]);
    TTTMP = static_cast<float>(C.SECARR(1) * RFORCE);
    BTTMP = static_cast<float>(C.SECARR(NELEM + 1) * RFORCE);
    FGZTMP = -nodes.NODE_T[0] * RFORCE;
    BTANGQ = std::atan(nodes.NODE_T[static_cast<std::size_t>(NELEM)]);
}

} // namespace lintar
