// low_frequency/variance_envelope.cpp: the directional variance envelope.
#include "low_frequency/variance_envelope.h"

#include "blocks/equilb.h"
#include "blocks/lf_mode_record.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "low_frequency/offset_region.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/prompts.h"
#include "util/root_finders.h"

#include <cmath>
#include <cstddef>
#include <string>
#include <utility>

namespace lintar {

namespace {

// Mode records of EQUILB: 1 surge, 2 sway, 3 yaw, 4 roll, 5 pitch. The sigma of load source s
// is word 12 + s of a record.

// Entry i (1-based) of a 13-entry table.
float& at(ComponentTable table, int i) {
    return table[slot(i)];
}
float at(ConstComponentTable table, int i) {
    return table[slot(i)];
}

// Load sources of the auxiliary forces 1 to 3.
constexpr int aux_source[3] = {19, 20, 21};

} // namespace

std::array<EnvelopeAuxForce, 3> envelope_aux_forces(float VESANG) {
    const std::int32_t active[3] = {TPCM.AUXFRC, TPCM.AXFC2, TPCM.AXFC3};
    const std::int32_t code[3] = {TPCM.CRDSYS, TPCM.CRDS2, TPCM.CRDS3};
    const float X[3] = {TPCM.XVFRC, TPCM.XVFRC2, TPCM.XVFRC3};
    const float Y[3] = {TPCM.YVFRC, TPCM.YVFRC2, TPCM.YVFRC3};
    std::array<EnvelopeAuxForce, 3> forces{};
    const float c = std::cos(VESANG);
    const float s = std::sin(VESANG);
    for (int k = 0; k < 3; ++k) {
        // Each force counts only when the one before it does.
        if (active[k] != 1 || (k > 0 && !forces[slot(k)].active))
            break;
        EnvelopeAuxForce& f = forces[static_cast<std::size_t>(k)];
        f.active = true;
        f.magnitude = std::sqrt(X[k] * X[k] + Y[k] * Y[k]);
        if (code[k] == 1) {
            f.x = X[k];
            f.y = Y[k];
        } else {
            f.x = X[k] * c + Y[k] * s;
            f.y = Y[k] * c - X[k] * s;
        }
    }
    return forces;
}

void GET_ENV_F_ARRAYS(ComponentTable F_MAG, ComponentTable PHIF_V, ComponentTable PHIF_NM,
                      ComponentTable SIGMTN, ComponentTable SIGYLO, ComponentTable SIGYHI) {
    EquilbBlock& E = EQUILB;
    // The load sources with an (x, y) pair in vessel axes.
    const std::pair<int, std::pair<float, float>> pairs[] = {
        {1, {E.FXENV, E.FYENV}},   {2, {E.SXWND, E.SYWND}},    {3, {E.SXCUR, E.SYCUR}},
        {4, {E.SXWAV, E.SYWAV}},   {5, {E.SXSWL, E.SYSWL}},    {6, {E.SXWVDG, E.SYWVDG}},
        {7, {E.SXSWDG, E.SYSWDG}}, {12, {E.SXSWL2, E.SYSWL2}}, {13, {E.SXSWDG2, E.SYSWDG2}},
    };
    for (const auto& [i, xy] : pairs) {
        at(PHIF_V, i) = GETANG(xy.first, xy.second);
        at(F_MAG, i) = std::sqrt(xy.first * xy.first + xy.second * xy.second);
    }
    at(F_MAG, 11) = LINCOM.FCURNT_LNS;
    at(PHIF_V, 11) = REDRAD(LINCOM.CURF_ANG_LINS - E.VESANG());

    // The auxiliary forces.
    const auto aux = envelope_aux_forces(E.VESANG());
    for (int k = 0; k < 3; ++k) {
        const int i = 8 + k;
        const EnvelopeAuxForce& f = aux[static_cast<std::size_t>(k)];
        at(F_MAG, i) = 0.0f;
        at(PHIF_V, i) = 0.0f;
        at(SIGMTN, i) = 0.0f;
        at(SIGYLO, i) = 0.0f;
        at(SIGYHI, i) = 0.0f;
        if (!f.active)
            continue;
        at(F_MAG, i) = f.magnitude;
        at(PHIF_V, i) = GETANG(f.x, f.y);
        at(SIGMTN, i) = lf_series(EGMSG, aux_source[k]);
        at(SIGYLO, i) = lf_series(EGMLO, aux_source[k]);
        at(SIGYHI, i) = lf_series(EGMHI, aux_source[k]);
    }

    // Directions in the normal-mode frame.
    for (int i = 1; i <= envelope_components; ++i)
        at(PHIF_NM, i) = REDRAD(at(PHIF_V, i) - E.MODE_ROT_ANG);
}

void VAR_ALIGNED(float& VAR_TOTL, float THETA_LINE, float SRG_FAC, float SWY_FAC) {
    EquilbBlock& E = EQUILB;
    float TEMP[11] = {};
    float TEMPA[11] = {};
    const auto term = [SRG_FAC, SWY_FAC](int s) {
        const float a = SRG_FAC * lf_series(EGMSG, s);
        const float b = SWY_FAC * lf_series(EGMLO, s);
        return a * a + b * b;
    };
    // Terms 1 to 6: sources 3 to 8; terms 10, 11: sources 32, 33.
    const std::pair<float, float> pairs[6] = {{E.SXWND, E.SYWND},   {E.SXCUR, E.SYCUR},
                                              {E.SXWAV, E.SYWAV},   {E.SXSWL, E.SYSWL},
                                              {E.SXWVDG, E.SYWVDG}, {E.SXSWDG, E.SYSWDG}};
    for (int j = 0; j < 6; ++j) {
        TEMP[j] = term(3 + j);
        TEMPA[j] = GETANG(pairs[j].first, pairs[j].second);
    }
    TEMP[9] = term(32);
    TEMPA[9] = GETANG(E.SXSWL2, E.SYSWL2);
    TEMP[10] = term(33);
    TEMPA[10] = GETANG(E.SXSWDG2, E.SYSWDG2);
    // Terms 7 to 9: the active auxiliary forces, their directions turned by the heading and
    // the mode angle.
    const auto aux = envelope_aux_forces(E.VESANG());
    for (int k = 0; k < 3; ++k) {
        const EnvelopeAuxForce& f = aux[static_cast<std::size_t>(k)];
        if (!f.active)
            continue;
        TEMP[6 + k] = term(aux_source[k]);
        TEMPA[6 + k] = GETANG(f.x, f.y) + E.VESANG() + E.MODE_ROT_ANG;
    }
    float sum = 0.0f;
    for (int j = 0; j < 11; ++j) {
        const float c = std::cos(THETA_LINE - TEMPA[j]);
        sum += TEMP[j] * c * c;
    }
    VAR_TOTL = sum;
}

void PR_SIG_ROT(std::span<float, 10> SIGR_OUT, std::span<float, 10> SIGP_OUT, float THETA_ROT,
                float ROL_FAC, float PIT_FAC, float VTCRRS, float VTCRPS) {
    (void)VTCRRS;
    (void)VTCRPS;
    // Sources of the nine terms: 3 to 8, then 19 to 21 for the active auxiliary forces.
    const auto aux = envelope_aux_forces(EQUILB.VESANG());
    float sum_r = 0.0f;
    float sum_p = 0.0f;
    for (int j = 1; j <= 9; ++j) {
        float TEMP = 0.0f;
        float TEMPB = 0.0f;
        const bool present = j <= 6 || aux[static_cast<std::size_t>(j - 7)].active;
        if (present) {
            const int s = j <= 6 ? 2 + j : aux_source[j - 7];
            const float r = ROL_FAC * lf_series(EGM4, s);
            const float p = PIT_FAC * lf_series(EGM5, s);
            TEMP = r * r + p * p;
            TEMPB = GETANG(r, p);
        }
        const float c = std::cos(THETA_ROT - TEMPB);
        const float sn = std::sin(THETA_ROT - TEMPB);
        const float vr = TEMP * c * c;
        const float vp = TEMP * sn * sn;
        SIGR_OUT[static_cast<std::size_t>(j)] = std::sqrt(vr);
        SIGP_OUT[static_cast<std::size_t>(j)] = std::sqrt(vp);
        sum_r += vr;
        sum_p += vp;
    }
    SIGR_OUT[0] = std::sqrt(sum_r);
    SIGP_OUT[0] = std::sqrt(sum_p);
}

float R_ENVELOPE(float THETA) {
    float sum = 0.0f;
    for (int i = 2; i <= envelope_components; ++i) {
        const float c = std::cos(THETA - TEMP_GET_ANG.PHI(i));
        sum += TEMP_GET_ANG.VARTOT_I(i) * c * c;
    }
    return sum;
}

float FIRST_DERIV(float THETA) {
    float sum = 0.0f;
    for (int i = 2; i <= envelope_components; ++i) {
        const float d = THETA - TEMP_GET_ANG.PHI(i);
        sum += TEMP_GET_ANG.VARTOT_I(i) * std::cos(d) * std::sin(d);
    }
    return 2.0f * sum;
}

float SECOND_DERIV(float THETA) {
    float sum = 0.0f;
    for (int i = 2; i <= envelope_components; ++i)
        sum += TEMP_GET_ANG.VARTOT_I(i) * std::cos(2.0f * (THETA - TEMP_GET_ANG.PHI(i)));
    return -2.0f * sum;
}

void ENVELOPE_SORT1(std::array<EnvelopeCandidate, 4>& candidates, EnvelopeCandidate& MAX,
                    EnvelopeCandidate& MIN) {
    auto& c = candidates;
    const auto exchange = [&c](int a, int b) { std::swap(c[slot(a)], c[slot(b)]); };
    const auto R = [&c](int a) { return c[slot(a)].R; };
    for (;;) {
        if (R(1) < R(2)) {
            exchange(1, 2);
            if (R(1) < R(3)) {
                exchange(1, 3);
                if (R(1) < R(4))
                    exchange(1, 4);
            }
        } else if (R(2) < R(3)) {
            exchange(2, 3);
            if (R(2) < R(4))
                exchange(2, 4);
        } else if (R(3) < R(4)) {
            exchange(3, 4);
        } else {
            break;
        }
    }
    MAX = c[0];
    MIN = c[3];
}

float settle_direction_search_failure(std::int32_t IER, float THETA0, float sx, float sy,
                                      float VARTOT1, int EDUNIT) {
    if (IER == 2 && VARTOT1 > 0.0f && (sx > 0.01f || sy > 0.01f))
        return std::atan2(sy, sx);
    if (VARTOT1 > 0.001f)
        fatal_stop(
            EDUNIT, keyboard_unit,
            {" ++> IER =" + I(IER, 2) + " in XY_SIG_ROT2.", " Please report this to Kelbrin."});
    return THETA0;
}

float envelope_principal_direction(float VAR_TOTL_BX, float sx, float sy, int EDUNIT) {
    // Bracket of the root of FIRST_DERIV. With no x variance at all the ratio is not
    // defined (0 / 0, or a division by zero); the centred bracket then takes the search.
    float XL = -quarter_pi_single;
    float XR = quarter_pi_single;
    if (VAR_TOTL_BX > 0.0f) {
        const float ratio = std::fabs(FIRST_DERIV(0.0f) / VAR_TOTL_BX);
        if (ratio > 0.1f) {
            XL = 0.0f;
            XR = half_pi_single;
        }
    }
    float THETA0 = 0.0f;
    float F = 0.0f;
    std::int32_t IER = 0;
    RTMI1(
        THETA0, F, [](float t) { return FIRST_DERIV(t); }, XL, XR, 0.00001f, 0.0f, 100, IER);
    // A failed search.
    if (IER != 0)
        THETA0 =
            settle_direction_search_failure(IER, THETA0, sx, sy, TEMP_GET_ANG.VARTOT_I(1), EDUNIT);
    // A minimum of the variance turns a quarter to its maximum.
    if (SECOND_DERIV(THETA0) > 0.0f)
        THETA0 += half_pi_single;
    return THETA0;
}

float XY_SIG_ROT2(float& GX_MOT_X, float& GY_MOT_X, float& GX_MOT_Y, float& GY_MOT_Y,
                  float& GX_MOT_R, float& GY_MOT_R, float& XNM_PARITY, float XNM_TO_XGLOB_ANG,
                  ConstComponentTable RMS_X, ConstComponentTable RMS_Y, ConstComponentTable PHIF_NM,
                  bool GET_PARITY_ONLY, float X_FAC, float Y_FAC, bool LPLUS) {
    (void)GET_PARITY_ONLY;
    TempGetAngBlock& T = TEMP_GET_ANG;
    // Components with the signs of their directions.
    for (int i = 1; i <= envelope_components; ++i) {
        const float x = std::copysign(std::fabs(X_FAC * at(RMS_X, i)), std::cos(at(PHIF_NM, i)));
        const float y = std::copysign(std::fabs(Y_FAC * at(RMS_Y, i)), std::sin(at(PHIF_NM, i)));
        T.PHI(i) =
            (x == 0.0f && y == 0.0f) ? -XNM_TO_XGLOB_ANG : std::atan2(y, x) - XNM_TO_XGLOB_ANG;
        T.VARTOT_I(i) = x * x + y * y;
    }
    // Combined sigmas along x and y.
    float VAR_TOTL_BX = 0.0f;
    float VAR_TOTL_BY = 0.0f;
    for (int i = 2; i <= envelope_components; ++i) {
        const float c = std::cos(T.PHI(i));
        const float s = std::sin(T.PHI(i));
        const float SIGX_OUT = std::sqrt(T.VARTOT_I(i) * c * c);
        const float SIGY_OUT = std::sqrt(T.VARTOT_I(i) * s * s);
        VAR_TOTL_BX += SIGX_OUT * SIGX_OUT;
        VAR_TOTL_BY += SIGY_OUT * SIGY_OUT;
    }
    const float sx = std::sqrt(VAR_TOTL_BX);
    const float sy = std::sqrt(VAR_TOTL_BY);

    // The four candidates around the mean position, sorted by distance from the origin.
    // The X, Y and R result sets come from the same sort of the same keys, so they are equal.
    const float X0 = EQUILB.RVES(1);
    const float Y0 = EQUILB.YCGVAR();
    std::array<EnvelopeCandidate, 4> candidates{};
    const float offsets[4][2] = {{sx, sy}, {sx, -sy}, {-sx, sy}, {-sx, -sy}};
    for (std::size_t k = 0; k < 4; ++k) {
        EnvelopeCandidate& c = candidates[k];
        c.DGX = offsets[k][0];
        c.DGY = offsets[k][1];
        c.GX = X0 + c.DGX;
        c.GY = Y0 + c.DGY;
        c.R = c.GX * c.GX + c.GY * c.GY;
    }
    EnvelopeCandidate MAX_R;
    EnvelopeCandidate MIN_R;
    ENVELOPE_SORT1(candidates, MAX_R, MIN_R);

    // The direction of largest variance, then its parity in the global frame.
    const float THETA0 = envelope_principal_direction(VAR_TOTL_BX, sx, sy, TPCM.EDUNIT);
    XNM_PARITY = std::copysign(1.0f, std::tan(THETA0 + XNM_TO_XGLOB_ANG));

    // The plus or minus side.
    const EnvelopeCandidate& pick = LPLUS ? MAX_R : MIN_R;
    GX_MOT_X = pick.DGX;
    GY_MOT_X = pick.DGY;
    GX_MOT_Y = pick.DGX;
    GY_MOT_Y = pick.DGY;
    GX_MOT_R = pick.DGX;
    GY_MOT_R = pick.DGY;
    return THETA0;
}

} // namespace lintar
