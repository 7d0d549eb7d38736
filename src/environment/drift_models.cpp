// environment/drift_models.cpp: the closed-form wave drift coefficient models.
#include "environment/drift_models.h"

#include "blocks/tpcm.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/bessel_gamma.h"
#include "util/prompts.h"
#include "util/table_search.h"
#include "util/wave_numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace lintar {

namespace {

// HN2P's Bessel values of the order reached, kept for the next order; the warning of an
// undefined model, given once per run.
struct DriftModelStore {
    float J_N = 0.0f;
    float Y_N = 0.0f;
    float HNP1P2 = 0.0f;
    bool undefined_model_warned = false;
};
DriftModelStore store;
const StateReset reset_store{[] { store = DriftModelStore{}; }, StoreKind::analysis};

constexpr float coefficient_cap = 1.67f;
constexpr float pi_step = 3.14159f; // the step's own pi

// The short-wave branch of the surge and yaw coefficient, capped.
float short_wave(float x) {
    return std::min(1.0f + 1.03f / std::pow(x, 11.4f), coefficient_cap);
}

// The reflection of a thin vertical barrier, (pi I1(x))^2 / ((pi I1(x))^2 + K1(x)^2): 0 in the
// long-wave limit x <= 0, where K1 has no value.
float barrier_reflection(float x) {
    if (!(x > 0.0f))
        return 0.0f;
    float I1 = 0.0f;
    float K1 = 0.0f;
    std::int32_t IER = 0;
    BESI(x, 1, I1, IER);
    BESK(x, 1, K1, IER);
    const float b = (pi_single * I1) * (pi_single * I1);
    const float k = K1 * K1;
    return b / (b + k);
}

float undefined_model(std::int32_t DRFTYP, std::int32_t LCOMP) {
    if (!store.undefined_model_warned) {
        store.undefined_model_warned = true;
        write_record(TPCM.EDUNIT, " ++> Warning: Drift coefficient model " +
                                      std::to_string(DRFTYP) + " has no component " +
                                      std::to_string(LCOMP) + "; its coefficient is taken as 0.");
    }
    return 0.0f;
}

} // namespace

float DRFTCA(std::int32_t LCOMP, float X, float FRQFAC, std::int32_t DRFTYP, float RELMRAT) {
    const bool surge_or_yaw = LCOMP == 1 || LCOMP == 3;
    if (DRFTYP == 2 && surge_or_yaw) {
        const float x = std::abs(X);
        if (x < 1.0f)
            return std::min(2.275f * std::pow(x, 4.105f), coefficient_cap);
        return short_wave(x);
    }
    if (DRFTYP == 6 && surge_or_yaw) {
        const float factor = LCOMP == 1 ? FRQFAC : 0.842f * FRQFAC;
        const float x = std::abs(X * factor);
        if (x < 1.0f)
            return std::min(WAMIT_DFCX(x), coefficient_cap);
        return short_wave(x);
    }
    if ((DRFTYP == 2 || DRFTYP == 6) && LCOMP == 2) {
        float x = X * X;
        if (x >= 16.0f)
            return 1.0f;
        if (DRFTYP == 2)
            return barrier_reflection(x);
        x *= 0.75f * FRQFAC;
        const float reflection = barrier_reflection(x);
        return x < 0.67139286f ? reflection * RELMRAT : reflection;
    }
    return undefined_model(DRFTYP, LCOMP);
}

float WAMIT_DFCX(float X) {
    static constexpr std::array<float, 30> abscissa = {
        0.0f,     0.39102f, 0.40673f, 0.42244f, 0.43815f, 0.45735f,  0.47655f, 0.49924f,
        0.52194f, 0.54812f, 0.5778f,  0.60922f, 0.64588f, 0.68603f,  0.73141f, 0.75585f,
        0.78378f, 0.80124f, 0.81171f, 0.82393f, 0.84313f, 0.87804f,  0.9147f,  0.99674f,
        1.09624f, 1.21844f, 1.3703f,  1.56756f, 1.83289f, 1745.6115f};
    static constexpr std::array<float, 30> coefficient = {
        0.0f,     0.00022f, 0.00025f, 0.00029f, 0.00033f, 0.00038f, 0.00044f, 0.00052f,
        0.00063f, 0.00095f, 0.00233f, 0.00794f, 0.02806f, 0.08972f, 0.24278f, 0.36944f,
        0.525f,   0.625f,   0.69444f, 0.76111f, 0.86111f, 1.01944f, 1.20556f, 1.46944f,
        1.56667f, 0.93333f, 0.98056f, 0.83611f, 0.78056f, 0.78056f};
    std::int32_t IER = 0;
    std::int32_t MIN = 0;
    BSRCH(abscissa, X, IER, MIN, 30);
    float value = 0.0f;
    INTERP(abscissa, coefficient, X, value, MIN);
    return value;
}

float SEMDFT(std::int32_t LCOMP, float X, float XSHDOW, float YSHDOW, float /*LWL*/, float /*BWL*/,
             float /*RELANG*/, int /*EDUNIT*/, int /*KBD*/) {
    const float step = 0.5001f * (std::tanh(pi_step * (3.0f * std::abs(X) - 1.0f)) + 0.99627f);
    const float shadow = LCOMP == 1 ? XSHDOW : LCOMP == 2 ? YSHDOW : 0.0f;
    return std::max(step * shadow, 0.0f);
}

float ANGFC(std::int32_t LCOMP, float WAVANG, float BOWANG, float BLRAT0, float COTBOW) {
    const float t1 = std::sin(BOWANG + WAVANG);
    const float t2 = std::sin(BOWANG - WAVANG);
    const float a1 = t1 * std::abs(t1);
    const float a2 = t2 * std::abs(t2);
    switch (LCOMP) {
    case 1:
        return -0.5f * (a1 + a2);
    case 2:
        return -0.5f * BLRAT0 * COTBOW * (a1 - a2);
    case 3:
        return -0.5f * (t1 * t1 - t2 * t2);
    default:
        return 0.0f;
    }
}

float S2LTPI(float THETA) {
    const float t = REDRAD(THETA);
    const float s = std::sin(THETA);
    return t > 0.0f && t < pi_single ? s * s : 0.0f;
}

float S2GTPI(float THETA) {
    const float t = REDRAD(THETA);
    const float s = std::sin(THETA);
    return t > pi_single && t < 2.0f * pi_single ? s * s : 0.0f;
}

float FILTA(float WAVANG, float ANGFBX, float ANGFSX, float ANG1, float ANG2, float ANG3,
            float ANG4, float ANG5, float ANG6, float ANG7, float ANG8, bool SWPEND) {
    const float t = REDRAD(WAVANG);
    const float bow_unless_swept = SWPEND ? 0.0f : ANGFBX;
    const float stern_if_swept = SWPEND ? ANGFSX : 0.0f;
    float B = ANGFBX;
    float S = 0.0f;
    if (t <= ANG1) {
        S = 0.0f;
    } else if (t <= ANG2) {
        S = stern_if_swept;
    } else if (t <= ANG3) {
        S = ANGFSX;
    } else if (t <= ANG4) {
        B = bow_unless_swept;
        S = ANGFSX;
    } else if (t <= ANG5) {
        B = 0.0f;
        S = ANGFSX;
    } else if (t <= ANG6) {
        B = bow_unless_swept;
        S = ANGFSX;
    } else if (t <= ANG7) {
        S = ANGFSX;
    } else if (t <= ANG8) {
        S = stern_if_swept;
    }
    return 0.5f * (B + S);
}

float ANGFC2(std::int32_t LCOMP, float WAVANG, float BOWANG, float STRNAN, float BOWARM,
             float STRNRM, float BLRAT0, float COTBOW, float COTSTN) {
    if (LCOMP < 1 || LCOMP > 3)
        return 0.0f;
    const bool SWPEND = BOWANG > STRNAN;
    const float ANGBIG = std::max(BOWANG, STRNAN);
    const float ANGSML = std::min(BOWANG, STRNAN);
    const float S2PBOW = S2LTPI(WAVANG + BOWANG);
    const float S2MBOW = S2GTPI(WAVANG - BOWANG);
    const float S2PSRN = S2LTPI(WAVANG - STRNAN);
    const float S2MSRN = S2GTPI(WAVANG + STRNAN);
    float ANGFBX = 0.0f;
    float ANGFSX = 0.0f;
    if (LCOMP == 1) {
        ANGFBX = -(S2MBOW + S2PBOW);
        ANGFSX = S2MSRN + S2PSRN;
    } else if (LCOMP == 2) {
        ANGFBX = BLRAT0 * COTBOW * (S2MBOW - S2PBOW);
        ANGFSX = BLRAT0 * COTSTN * (S2MSRN - S2PSRN);
    } else {
        ANGFBX = BOWARM * COTBOW * (S2MBOW - S2PBOW) - 0.25f * BLRAT0 * (S2MBOW - S2PBOW);
        ANGFSX = -(STRNRM * COTSTN * (S2MSRN - S2PSRN) - 0.25f * BLRAT0 * (S2MSRN - S2PSRN));
    }
    const float filtered = FILTA(WAVANG, ANGFBX, ANGFSX, ANGSML, ANGBIG, pi_single - ANGBIG,
                                 pi_single - ANGSML, pi_single + ANGSML, pi_single + ANGBIG,
                                 2.0f * pi_single - ANGBIG, 2.0f * pi_single - ANGSML, SWPEND);
    return LCOMP == 3 ? BLRAT0 * filtered : filtered;
}

float GRPVEL(float WK, float W, float DEPTH, float G) {
    float c = 0.5f * std::sqrt(G / WK);
    if (W < 0.0f)
        c = -c;
    const float kd = WK * DEPTH;
    if (kd > 30.0f)
        return c;
    return c * (1.0f + kd / (std::cosh(kd) * std::sinh(kd)));
}

void HN2P(float& HNP2, float& HNP1P2, float X, std::int32_t N, int IOSCRN, int IOKBD) {
    constexpr float accuracy = 2.0e-5f;
    std::int32_t code = 0;
    std::int32_t IER = 0;
    if (N == 0) {
        float J[3] = {0.0f, 0.0f, 0.0f};
        float Y[3] = {0.0f, 0.0f, 0.0f};
        for (std::int32_t order = 0; order < 3; ++order) {
            BESJ(X, order, J[order], accuracy, IER);
            code += IER;
            BESY(X, order, Y[order], IER);
            code += IER;
        }
        const float J0p = -J[1];
        const float Y0p = -Y[1];
        const float J1p = J[0] - J[1] / X;
        const float Y1p = Y[0] - Y[1] / X;
        HNP2 = J0p * J0p + Y0p * Y0p;
        HNP1P2 = J1p * J1p + Y1p * Y1p;
        store.J_N = J[1];
        store.Y_N = Y[1];
    } else {
        HNP2 = store.HNP1P2;
        float J_next = 0.0f;
        float Y_next = 0.0f;
        BESJ(X, N + 1, J_next, accuracy, IER);
        code += IER;
        BESY(X, N + 1, Y_next, IER);
        code += IER;
        const auto order = static_cast<float>(N + 1);
        const float Jp = store.J_N - order * J_next / X;
        const float Yp = store.Y_N - order * Y_next / X;
        HNP1P2 = Jp * Jp + Yp * Yp;
        store.J_N = J_next;
        store.Y_N = Y_next;
    }
    store.HNP1P2 = HNP1P2;
    if (!(X > 0.0f))
        code = 99;
    if (code == 0)
        return;
    write_record(IOSCRN, " ++> IER = " + std::to_string(code) + " in CYLDFT...");
    if (IOSCRN == diagnostics_unit && code == 99)
        stop_program(StopKind::error);
    std::int32_t LBACK = 0;
    ABORT0(IOSCRN, IOKBD, LBACK);
    if (LBACK == -1)
        stop_program(StopKind::user_choice);
}

float CYLDFT(float WSCAL, float RD, float ZD, float DEPTH, float& WAVK, std::int32_t /*IW*/,
             std::int32_t /*NWP*/, int IOSCRN, int IOKBD) {
    WAVVEC(WSCAL, WAVK);
    WAVK /= DEPTH;
    const float x = RD * WAVK;
    const float z = ZD * WAVK;
    const float DFAC = 1.0f - std::exp(-2.0f * z);
    // A cylinder of no radius, or a wave of no length, carries no drift: the series has no
    // value there. The Bessel routines report it once.
    if (!(x > 0.0f)) {
        float hn = 0.0f;
        float hn1 = 0.0f;
        HN2P(hn, hn1, x, 0, IOSCRN, IOKBD);
        return 0.0f;
    }
    const auto NREP = static_cast<std::int32_t>(1.5f * x) + 3;
    if (NREP > 100)
        return 2.0f * DFAC / 3.0f;
    float sum = 0.0f;
    for (std::int32_t n = 0; n <= NREP; ++n) {
        float hn = 0.0f;
        float hn1 = 0.0f;
        HN2P(hn, hn1, x, n, IOSCRN, IOKBD);
        const auto nn = static_cast<float>(n * (n + 1));
        const float term = (nn - x * x) * (nn - x * x) / (hn * hn1);
        sum += term;
        if (n > 4 && std::abs(term) < 1.0e-4f)
            break;
    }
    return 4.0f * DFAC * sum / (9.869605f * std::pow(x, 7.0f));
}

} // namespace lintar
