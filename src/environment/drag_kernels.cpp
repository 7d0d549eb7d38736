// environment/drag_kernels.cpp: cycle, depth and Gaussian kernels of the member drag model.
#include "environment/drag_kernels.h"
#include "util/angles.h"

#include "blocks/curprof.h"
#include "blocks/tpcm.h"
#include "runtime/assert.h"
#include "util/bessel_gamma.h"
#include "util/table_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace lintar {

namespace {

// Span of every xi-integral: the Gaussian weight is below 6e-7 of its peak beyond it.
constexpr float xi_span = 5.5f;

float sign_of(float magnitude, float s) {
    return std::copysign(std::abs(magnitude), s);
}

bool is_no_current(float B0) {
    return std::abs(B0) == no_current_ratio;
}

// The xi-integral of e^(-xi^2/2) x weight(xi) x kernel(xi) by the half-range rule.
template <class Weight, class Kernel>
float gaussian_integral(std::int32_t NXP, Weight weight, Kernel kernel) {
    LINTAR_ASSERT(NXP >= 1, "quadrature count");
    return half_range_simpson(xi_span, NXP, [&](float xi) {
        return std::exp(-xi * xi / 2.0f) * weight(xi) * kernel(xi);
    });
}

// The current of the profile and the relative-motion amplitude at each depth point of the
// depth-resolved kernel: they do not depend on the Gaussian amplitude xi, so the xi-integrals
// form them once.
struct DepthColumn {
    std::int32_t n = 0;
    float DZ = 0.0f;
    std::array<float, max_drag_depths> F{};    // F_SUB_Z at the point
    std::array<float, max_drag_depths> FTMP{}; // current along the waves, local units
};

DepthColumn depth_column(std::complex<float> HOR_WAV_RAO, std::complex<float> ANG_WAV_RAO,
                         float PHSHFT_W, float EFF_ROT_CTR, float WAVHDG_LOC, float WAVK,
                         std::int32_t& NDEPTHQ) {
    const auto& T = TPCM;
    const float KNOTS_TO_LOCAL = T.NUNTS == 1 ? 0.5142f : 1.687f;
    NDEPTHQ = std::min(NDEPTHQ, max_drag_depths);
    LINTAR_ASSERT(NDEPTHQ >= 2, "depth point count");
    DepthColumn column;
    column.n = NDEPTHQ;
    column.DZ = T.DRAFT / static_cast<float>(NDEPTHQ - 1);
    for (std::int32_t IDEPTH1 = 1; IDEPTH1 <= NDEPTHQ; ++IDEPTH1) {
        const float ZLOC = -static_cast<float>(IDEPTH1 - 1) * column.DZ;
        const std::complex<float> CDUM1 =
            HOR_WAV_RAO + (T.DRAFT + ZLOC - EFF_ROT_CTR) * ANG_WAV_RAO;
        const float R = std::abs(CDUM1);
        const float PHI1 = PHASE(CDUM1) / degrees_per_radian + PHSHFT_W;
        const float Q = WAVK * ZLOC;
        const float VCXTMP =
            GET_VCX_LOC(-ZLOC, T.CURSPD, T.CURHDG, WAVHDG_LOC, CURPROF.DPTHIPF_words,
                        CURPROF.VELIPF_words, CURPROF.CURHDGPF_words, CURPROF.NCURNTPF);
        const auto k = slot(IDEPTH1);
        column.F[k] = F_SUB_Z(R, PHI1, Q);
        column.FTMP[k] = KNOTS_TO_LOCAL * VCXTMP;
    }
    return column;
}

float depth_integral(const DepthColumn& column, float X, float SIG0WV, float WPK_NB) {
    float sum = 0.0f;
    for (std::int32_t i = 1; i <= column.n; ++i) {
        const auto k = slot(i);
        const float FTMP = column.FTMP[k];
        if (FTMP == 0.0f)
            continue;
        const float ALPHA = X * column.F[k] * SIG0WV * WPK_NB / FTMP;
        sum += half_range_weight(i, column.n) * (FTMP * std::abs(FTMP) * FCF_SUB_EXACT(ALPHA));
    }
    return sum * column.DZ / 3.0f;
}

// ln(u + ROOTF) where ROOTF = sqrt(u^2 + v2): for a negative u the sum cancels, and the same
// value is formed as ln(v2 / (ROOTF - u)), which stays positive and accurate.
float log_plus_root(float u, float ROOTF, float v2) {
    if (u >= 0.0f)
        return std::log(u + ROOTF);
    return std::log(v2 / (ROOTF - u));
}

} // namespace

float half_range_weight(std::int32_t i, std::int32_t N) {
    if (i % 2 == 0)
        return 4.0f;
    return (i == 1 || i == N) ? 1.0f : 2.0f;
}

float RH_ERFC(float YY, std::int32_t NXP) {
    if (YY >= xi_span)
        return 0.0f;
    return 1.0f -
           1.1283792f * half_range_simpson(YY, NXP, [](float x) { return std::exp(-x * x); });
}

float RH_ERF(float YY, std::int32_t NXP) {
    return 1.0f - RH_ERFC(YY, NXP);
}

float FCF_SUB_EXACT(float AA) {
    // The cycle mean is even in the amplitude: a current against the waves gives a negative
    // ratio, whose flow reverses just as that of its magnitude.
    const float A = std::abs(AA);
    const float AA2 = A * A;
    if (A <= 1.0f)
        return 0.5f * AA2;
    const float RT_AA2 = std::sqrt(AA2 - 1.0f);
    return (3.0f * RT_AA2 + std::asin(1.0f / A) + (1.0f + AA2) * std::atan(1.0f / RT_AA2)) /
               pi_single -
           1.0f;
}

float F_SURF(float R, float PHI) {
    return std::sqrt(std::abs(R * R - 2.0f * R * std::cos(PHI) + 1.0f));
}

float F_SUB(float R, float PHI, float Q) {
    const float EQ = std::exp(Q);
    return std::sqrt(std::abs(R * R - 2.0f * EQ * R * std::cos(PHI) + EQ * EQ));
}

float F_SUB_Z(float R, float PHI1, float Q) {
    const float EQ = std::exp(Q);
    return std::sqrt(std::abs(R * R + 2.0f * EQ * R * std::sin(PHI1) + EQ * EQ));
}

float SURF_DRAG(float B, float R, float PHI) {
    const float a = std::abs(B) * F_SURF(R, PHI);
    if (a > 1.0f) {
        const float c = a * a;
        return ((2.0f * c + 1.0f) * std::sqrt(c - 1.0f) + 3.0f * c * std::asin(1.0f / a)) * 2.0f /
               (a * 9.424778f);
    }
    return a;
}

float SURF_DRAG_PRP(float B, float R, float PHI) {
    const float a = std::abs(B) * F_SURF(R, PHI);
    float value = 0.5f * a;
    if (a > 1.0f) {
        const float c = a * a;
        value = (c * std::asin(1.0f / a) + std::sqrt(c - 1.0f)) / (a * pi_single);
    }
    return sign_of(value, B);
}

void A_AND_S(float& A0, float& A1, float& A2, float& S1, float& S2, float B, float R, float PHI) {
    const float Y = R * std::sin(PHI);
    const float product = (1.0f / B - Y) * (1.0f / B + Y);
    A0 = product >= 0.0f ? std::sqrt(product) : 0.0f;
    const float RC = R * std::cos(PHI);
    A1 = RC + A0;
    A2 = RC - A0;
    // A reversal that does not exist lies above the surface, or, where the flow at great depth
    // is exactly at reversal (B R = 1), below the keel.
    const bool critical = B * R == 1.0f;
    if (!critical)
        S1 = A1 > 1.0e-10f ? std::log(A1) : 1.0e30f;
    else
        S1 = A1 > 0.0f ? std::log(A1) : -1.0e30f;
    if (A2 > 0.0f)
        S2 = std::log(A2);
    else
        S2 = critical ? -1.0e30f : 1.0e30f;
}

void RHSORT3(float& Q1, float& Q2, float& Q3, float KD, float S1, float S2, std::int32_t& NSWITCH) {
    const float Smax = std::max(S1, S2);
    const float Smin = std::min(S1, S2);
    const float keel = -KD;
    if (Smin >= keel) {
        Q1 = Smax, Q2 = Smin, Q3 = keel, NSWITCH = 0;
    } else if (keel <= Smax) {
        Q1 = Smax, Q2 = keel, Q3 = Smin, NSWITCH = 1;
    } else {
        Q1 = keel, Q2 = Smax, Q3 = Smin, NSWITCH = 2;
    }
}

float UNI(float B, float R, float PHI, float Q) {
    const float y = std::exp(Q);
    return 0.5f * B * B * (0.5f * y * y + Q * R * R - 2.0f * R * y * std::cos(PHI));
}

float OSC(float B, float R, float PHI, float Q) {
    const float y = std::exp(Q);
    const float CP = std::cos(PHI);
    float X = (pi_single - 8.0f) * Q + 8.0f * B * (y - R * Q);
    // The collinear branch: the flow speed B |y - R| turns sign at y = R. Only a motion in
    // phase with the waves (cos PHI = 1) has that turn; in antiphase (cos PHI = -1) the speed
    // B (y + R) never turns and the general form below holds.
    if (CP == 1.0f) {
        if (y - R <= 0.0f)
            X = X - 16.0f * B * (y - R * Q);
    } else {
        const float ROOTF = std::sqrt(std::abs(y * y + R * R - 2.0f * y * R * CP));
        const float SP = std::sin(PHI);
        const float X0 = Q * ((B * R - 1.0f) * 8.0f + pi_single) + 8.0f * B * ROOTF;
        const float X1 = 8.0f * B * R *
                         (CP * log_plus_root(y - R * CP, ROOTF, R * R * SP * SP) +
                          log_plus_root(R - y * CP, ROOTF, y * y * SP * SP));
        X = X0 - X1;
    }
    return X / two_pi_single;
}

float SUB_SURF_DRAG(float KD, float BSIGNED, float R, float PHI) {
    const float B = std::abs(BSIGNED);
    if (B == 0.0f)
        return 0.0f;
    float A0 = 0.0f, A1 = 0.0f, A2 = 0.0f, S1 = 0.0f, S2 = 0.0f;
    A_AND_S(A0, A1, A2, S1, S2, B, R, PHI);
    float Q1 = 0.0f, Q2 = 0.0f, Q3 = 0.0f;
    std::int32_t NSWITCH = 0;
    RHSORT3(Q1, Q2, Q3, KD, S1, S2, NSWITCH);
    const float keel = -KD;
    // Whether the flow at the keel reverses: at great depth it does when B R >= 1, and each
    // reversal depth below the keel changes that.
    const bool KEELOSC = (B * R >= 1.0f) != (NSWITCH % 2 == 1);

    std::array<float, 4> edges{};
    int count = 0;
    edges[static_cast<std::size_t>(count++)] = keel;
    if (Q1 != keel && Q2 != keel && Q1 <= 0.0f && Q2 <= 0.0f) {
        edges[static_cast<std::size_t>(count++)] = Q2;
        edges[static_cast<std::size_t>(count++)] = Q1;
    } else {
        const float P = (Q1 != keel && Q2 != keel && (Q1 > 0.0f || Q2 > 0.0f)) ? Q2 : Q1;
        if (P <= 0.0f && P != keel)
            edges[static_cast<std::size_t>(count++)] = P;
    }
    edges[static_cast<std::size_t>(count++)] = 0.0f;

    float sum = 0.0f;
    bool oscillating = KEELOSC;
    for (int s = 0; s + 1 < count; ++s) {
        const float lower = edges[static_cast<std::size_t>(s)];
        const float upper = edges[static_cast<std::size_t>(s + 1)];
        sum += oscillating ? OSC(B, R, PHI, upper) - OSC(B, R, PHI, lower)
                           : UNI(B, R, PHI, upper) - UNI(B, R, PHI, lower);
        oscillating = !oscillating;
    }
    return sign_of(sum / KD, BSIGNED);
}

float FCF_SUB(float KD, float B0, float R, float PHI, std::int32_t NXP) {
    if (is_no_current(B0))
        return 0.0f;
    const float integral = gaussian_integral(
        NXP, [](float xi) { return xi; },
        [&](float xi) { return SUB_SURF_DRAG(KD, xi * B0, R, PHI); });
    return integral / (B0 * B0);
}

float GISUB(float KD, float B0, float R, float PHI, std::int32_t NXP) {
    if (is_no_current(B0))
        return 0.0f;
    const float integral = gaussian_integral(
        NXP, [](float xi) { return xi * (xi * xi / 2.0f - 1.0f); },
        [&](float xi) { return SUB_SURF_DRAG(KD, xi * B0, R, PHI); });
    return integral / (B0 * B0);
}

float GISURF(float B0, float R, float PHI, float COS_C, std::int32_t NXP) {
    if (is_no_current(B0))
        return COS_C * 2.3936536f * std::abs(R * R - 2.0f * R * std::cos(PHI) + 1.0f);
    const float integral = gaussian_integral(
        NXP, [](float xi) { return xi * xi * (xi * xi / 2.0f - 1.0f); },
        [&](float xi) { return SURF_DRAG(xi * B0, R, PHI); });
    return COS_C * integral / (B0 * B0);
}

float GISURF_PRP(float B0, float R, float PHI, float COS_C, std::int32_t NXP) {
    if (is_no_current(B0))
        return 0.0f;
    const float integral = gaussian_integral(
        NXP, [](float xi) { return xi * xi * (xi * xi / 2.0f - 1.0f); },
        [&](float xi) { return SURF_DRAG_PRP(xi * B0, R, PHI); });
    return COS_C * integral / (B0 * B0);
}

float FCF_SURF(float B0, float R, float PHI, float COS_C, std::int32_t NXP) {
    if (is_no_current(B0))
        return COS_C * 1.5957692f * std::abs(R * R - 2.0f * R * std::cos(PHI) + 1.0f);
    const float X = std::abs(B0) * F_SURF(R, PHI);
    const float X2 = X * X;
    float Y = 0.0f;
    if (X > 0.0001f) {
        const float E = std::exp(-0.5f / X2);
        const float C = RH_ERFC(0.70710677f / X, NXP);
        Y = (2.0f * X2 * X2 + X2 * E * (0.575222f - 6.8495564f * X2) / 9.424778f +
             (24.0f * X2 * X2 + 12.0f * X2 - 1.0f) * X * C / 15.0398f) /
            (X * X2);
    }
    return COS_C * Y / (B0 * B0);
}

float FCF_SURF_PRP(float B0, float R, float PHI, float COS_C, std::int32_t NXP) {
    if (is_no_current(B0))
        return 0.0f;
    const float X = std::abs(B0) * F_SURF(R, PHI);
    const float X2 = X * X;
    float Y = 0.0f;
    if (X > 0.0001f) {
        const float E = std::exp(-0.5f / X2);
        const float C = RH_ERFC(0.70710677f / X, NXP);
        Y = X + ((3.0f - 20.0f * X2 + 120.0f * X2 * X2) * sqrt_two_pi_single * C -
                 6.0f * X * E * (10.0f * X2 * (two_pi_single * X2 - 0.85840726f) + 1.0f)) /
                    (376.99112f * X2 * X2);
    }
    return COS_C * sign_of(Y, B0) / (B0 * B0);
}

float GET_VCX_LOC(float Z, float CURSPD, float CURHDG, float WAVHDG, std::span<const float> DPTHIPF,
                  std::span<const float> VELIPF, std::span<const float> CURHDGPF,
                  std::int32_t NCURNTPF) {
    float VELT = CURSPD;
    float CDIRQ = CURHDG;
    if (NCURNTPF >= 1) {
        const auto n = static_cast<std::size_t>(NCURNTPF);
        LINTAR_ASSERT(DPTHIPF.size() >= n && VELIPF.size() >= n && CURHDGPF.size() >= n,
                      "current profile levels");
        const std::span<const float> depths = DPTHIPF.first(n);
        if (Z >= DPTHIPF[0]) {
            std::int32_t IER = 0;
            std::int32_t MIN = 0;
            BSRCH(depths, Z, IER, MIN, NCURNTPF);
            INTERP(depths, VELIPF.first(n), Z, VELT, MIN);
            INTERP(depths, CURHDGPF.first(n), Z, CDIRQ, MIN);
            if (IER == 2 && VELT < 0.0f)
                VELT = 0.0f;
        } else if (DPTHIPF[0] != 0.0f) {
            const float t = Z / DPTHIPF[0];
            VELT = CURSPD + (VELIPF[0] - CURSPD) * t;
            CDIRQ = CURHDG + (CURHDGPF[0] - CURHDG) * t;
        }
    }
    return VELT * std::cos((CDIRQ - WAVHDG) / degrees_per_radian);
}

float SUB_SURF_DRAG_Z(float X, std::complex<float> HOR_WAV_RAO, std::complex<float> ANG_WAV_RAO,
                      float PHSHFT_W, float EFF_ROT_CTR, float WAVHDG_LOC, float SIG0WV,
                      float WPK_NB, float WAVK, std::int32_t& NDEPTHQ) {
    const DepthColumn column =
        depth_column(HOR_WAV_RAO, ANG_WAV_RAO, PHSHFT_W, EFF_ROT_CTR, WAVHDG_LOC, WAVK, NDEPTHQ);
    return depth_integral(column, X, SIG0WV, WPK_NB);
}

float FCF_SUB_Z(std::complex<float> HOR_WAV_RAO, std::complex<float> ANG_WAV_RAO, float PHSHFT_W,
                float EFF_ROT_CTR, std::int32_t NXP, float WAVHDG_LOC, float SIG0WV, float WPK_NB,
                float WAVK, std::int32_t& NDEPTHQ) {
    const DepthColumn column =
        depth_column(HOR_WAV_RAO, ANG_WAV_RAO, PHSHFT_W, EFF_ROT_CTR, WAVHDG_LOC, WAVK, NDEPTHQ);
    return gaussian_integral(
        NXP, [](float xi) { return xi; },
        [&](float xi) { return depth_integral(column, xi, SIG0WV, WPK_NB); });
}

float GISUB_Z(std::complex<float> HOR_WAV_RAO, std::complex<float> ANG_WAV_RAO, float PHSHFT_W,
              float EFF_ROT_CTR, std::int32_t NXP, float WAVHDG_LOC, float SIG0WV, float WPK_NB,
              float WAVK, std::int32_t& NDEPTHQ) {
    const DepthColumn column =
        depth_column(HOR_WAV_RAO, ANG_WAV_RAO, PHSHFT_W, EFF_ROT_CTR, WAVHDG_LOC, WAVK, NDEPTHQ);
    return gaussian_integral(
        NXP, [](float xi) { return xi * (xi * xi / 2.0f - 1.0f); },
        [&](float xi) { return depth_integral(column, xi, SIG0WV, WPK_NB); });
}

} // namespace lintar
