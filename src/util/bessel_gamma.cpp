// util/bessel_gamma.cpp: Bessel and gamma functions, the phase of a complex value and the
// ellipsoid shape integral.
#include "util/bessel_gamma.h"
#include "util/angles.h"

#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/prompts.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace lintar {
namespace {

// A count computed in reals, truncated as a Fortran INT would, held to the int32 range so that
// an absurd argument cannot make the conversion undefined.
std::int32_t truncated_count(double value) {
    constexpr double top = std::numeric_limits<std::int32_t>::max();
    if (!(value < top))
        return std::numeric_limits<std::int32_t>::max();
    if (!(value > -top))
        return -std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

} // namespace

// BESJ: J_N(X) by backward recurrence from order M, normalised by J0 + 2 J2 + 2 J4 + ... = 1;
// M rises by 3 until two results agree to the relative accuracy D. The recurrence runs in
// double precision. Writes BJ (not on IER 1, 2 or 4) and IER. Never ends the run.
void BESJ(float X, std::int32_t N, float& BJ, float D, std::int32_t& IER) {
    if (N < 0) {
        IER = 1;
        return;
    }
    if (X <= 0.0f) {
        IER = 2;
        return;
    }
    const double x = X;
    const double d = D;
    // Highest order for which the recurrence can be trusted at this argument.
    const std::int32_t NTEST =
        truncated_count(x <= 15.0 ? 20.0 + 10.0 * x - x * x / 3.0 : 90.0 + x / 2.0);
    if (N >= NTEST) {
        IER = 4;
        return;
    }
    IER = 0;
    double BPREV = 0.0;
    // Orders are counted in 64 bits: N + X/4 cannot overflow for any argument.
    const std::int64_t MA = truncated_count(x < 5.0 ? x + 6.0 : 1.4 * x + 60.0 / x);
    const std::int64_t MB = std::int64_t{N} + truncated_count(x) / 4 + 2;
    const std::int64_t MZERO = std::max(MA, MB);
    const std::int64_t MMAX = NTEST;
    // Passes at M = MZERO, MZERO + 3, ..., MMAX. When the starting order is already above
    // MMAX (a high order at a small argument, or any order at an argument above about 100)
    // one pass still runs at MZERO, which lies above N + 1, so BJ is always computed.
    const std::int64_t passes = std::max<std::int64_t>((MMAX - MZERO + 3) / 3, 1);
    double bj = 0.0;
    double last_change = 0.0;
    for (std::int64_t pass = 0; pass < passes; ++pass) {
        const std::int64_t M = MZERO + 3 * pass;
        double FM1 = 1.0e-28;
        double FM = 0.0;
        double S = 0.0;
        int JT = M % 2 == 0 ? -1 : 1;
        double BMK = 0.0;
        // Step K gives the value of order MK - 1; even orders enter the sum twice.
        for (std::int64_t K = 1; K <= M - 2; ++K) {
            const std::int64_t MK = M - K;
            BMK = 2.0 * static_cast<double>(MK) * FM1 / x - FM;
            FM = FM1;
            FM1 = BMK;
            if (MK == N + 1)
                bj = BMK;
            JT = -JT;
            S += BMK * (1 + JT);
        }
        BMK = 2.0 * FM1 / x - FM;
        if (N == 0)
            bj = BMK;
        S += BMK;
        bj = bj / S;
        last_change = std::abs(bj - BPREV);
        if (last_change <= std::abs(d * bj)) {
            BJ = static_cast<float>(bj);
            return;
        }
        BPREV = bj;
    }
    IER = last_change < d ? 0 : 3;
    BJ = static_cast<float>(bj);
}

// BESY: Y_N(X) from Y0 and Y1 (polynomial fits above X = 4, series below) by upward
// recurrence. Writes BY (not on an error) and IER. Never ends the run.
void BESY(float X, std::int32_t N, float& BY, std::int32_t& IER) {
    if (N < 0) {
        IER = 1;
        return;
    }
    if (X <= 0.0f) {
        IER = 2;
        return;
    }
    IER = 0;
    float Y0 = 0.0f;
    float Y1 = 0.0f;
    if (X > 4.0f) {
        const float T1 = 4.0f / X;
        const float T2 = T1 * T1;
        const float A = 2.0f / std::sqrt(X);
        const float B = A * T1;
        const float C = X - quarter_pi_single;
        // clang-format off
        const float P0 = ((((-3.7043e-6f * T2 + 1.73565e-5f) * T2 - 4.87613e-5f) * T2
                          + 1.7343e-4f) * T2 - 0.001753062f) * T2 + 0.3989423f;
        const float Q0 = ((((3.2312e-6f * T2 - 1.42078e-5f) * T2 + 3.42468e-5f) * T2
                          - 8.69791e-5f) * T2 + 4.564324e-4f) * T2 - 0.01246694f;
        const float P1 = ((((4.2414e-6f * T2 - 2.0092e-5f) * T2 + 5.80759e-5f) * T2
                          - 2.23203e-4f) * T2 + 0.002921826f) * T2 + 0.3989423f;
        const float Q1 = ((((-3.6594e-6f * T2 + 1.622e-5f) * T2 - 3.98708e-5f) * T2
                          + 1.064741e-4f) * T2 - 6.3904e-4f) * T2 + 0.03740084f;
        // clang-format on
        Y0 = A * P0 * std::sin(C) + B * Q0 * std::cos(C);
        Y1 = -A * P1 * std::cos(C) + B * Q1 * std::sin(C);
    } else {
        const float XX = X / 2.0f;
        const float X2 = XX * XX;
        const float T = std::log(XX) + 0.5772157f;
        float SUM = 0.0f;
        float TERM = T;
        Y0 = T;
        for (int L = 1; L <= 15; ++L) {
            if (L > 1)
                SUM += 1.0f / static_cast<float>(L - 1);
            const float FL = static_cast<float>(L);
            const float TS = T - SUM;
            TERM = (TERM * (-X2) / (FL * FL)) * (1.0f - 1.0f / (FL * TS));
            Y0 += TERM;
        }
        TERM = XX * (T - 0.5f);
        SUM = 0.0f;
        Y1 = TERM;
        for (int L = 2; L <= 16; ++L) {
            SUM += 1.0f / static_cast<float>(L - 1);
            const float FL = static_cast<float>(L);
            const float FL1 = FL - 1.0f;
            const float TS = T - SUM;
            TERM = (TERM * (-X2) / (FL1 * FL)) * ((TS - 0.5f / FL) / (TS + 0.5f / FL1));
            Y1 += TERM;
        }
        constexpr float two_over_pi = 0.6366198f;
        Y0 = two_over_pi * Y0;
        Y1 = two_over_pi * Y1 - two_over_pi / X;
    }
    if (N == 0) {
        BY = Y0;
        return;
    }
    if (N == 1) {
        BY = Y1;
        return;
    }
    float YA = Y0;
    float YB = Y1;
    float YC = 0.0f;
    for (std::int32_t K = 1; K <= N - 1; ++K) {
        const float T = 2.0f * static_cast<float>(K) / X;
        YC = T * YB - YA;
        if (std::abs(YC) > 1.0e36f) {
            IER = 3;
            return;
        }
        YA = YB;
        YB = YC;
    }
    BY = YC;
}

// BESI: I_N(X) by the asymptotic series for X > 12 and X > N, else by the power series, to a
// relative accuracy of 1.0e-6. Writes BI and IER. Never ends the run.
void BESI(float X, std::int32_t N, float& BI, std::int32_t& IER) {
    constexpr float TOL = 1.0e-6f;
    IER = 0;
    BI = 1.0f;
    if (N < 0) {
        IER = 1;
        return;
    }
    if (X < 0.0f) {
        IER = 2;
        return;
    }
    if (X == 0.0f && N == 0)
        return;
    if (X > 12.0f && X > static_cast<float>(N)) {
        if (X >= 60.0f) {
            IER = 4;
            return;
        }
        const float FN = static_cast<float>(4 * N * N);
        float TERM = 1.0f;
        BI = 1.0f;
        for (int K = 1; K <= 30; ++K) {
            if (std::abs(TERM) <= std::abs(TOL * BI)) {
                BI = BI * std::exp(X) / std::sqrt(two_pi_single * X);
                return;
            }
            const float FK = static_cast<float>((2 * K - 1) * (2 * K - 1));
            TERM = TERM * (FK - FN) / (8.0f * X * static_cast<float>(K));
            BI += TERM;
        }
        // The asymptotic series lost significance: the power series takes over.
    }
    const float XX = X / 2.0f;
    float TERM = 1.0f;
    for (std::int32_t I = 1; I <= N; ++I) {
        if (std::abs(TERM) < 1.0e-36f) {
            IER = 3;
            BI = 0.0f;
            return;
        }
        TERM = TERM * XX / static_cast<float>(I);
    }
    BI = TERM;
    const float XX2 = XX * XX;
    for (std::int32_t K = 1; K <= 1000; ++K) {
        if (std::abs(TERM) <= std::abs(TOL * BI))
            return;
        TERM = TERM * XX2 / static_cast<float>((N + K) * K);
        BI += TERM;
    }
}

// BESK: K_N(X) from K0 and K1 (series up to X = 1, polynomial fits above) by upward
// recurrence. Writes BK and IER. Never ends the run.
void BESK(float X, std::int32_t N, float& BK, std::int32_t& IER) {
    BK = 0.0f;
    if (N < 0) {
        IER = 1;
        return;
    }
    if (X <= 0.0f) {
        IER = 2;
        return;
    }
    if (X > 60.0f) {
        IER = 3;
        return;
    }
    IER = 0;
    float G0 = 0.0f;
    float G1 = 0.0f;
    if (X <= 1.0f) {
        const float B = X / 2.0f;
        const float A = 0.5772157f + std::log(B);
        const float C = B * B;
        if (N != 1) {
            G0 = -A;
            float X2J = 1.0f;
            float FACT = 1.0f;
            float HJ = 0.0f;
            for (int J = 1; J <= 6; ++J) {
                const float RJ = 1.0f / static_cast<float>(J);
                X2J = X2J * C;
                FACT = FACT * RJ * RJ;
                HJ += RJ;
                G0 += X2J * FACT * (HJ - A);
            }
        }
        float X2J = B;
        float FACT = 1.0f;
        float HJ = 1.0f;
        G1 = 1.0f / X + X2J * (0.5f + A - HJ);
        for (int J = 2; J <= 8; ++J) {
            X2J = X2J * C;
            const float RJ = 1.0f / static_cast<float>(J);
            FACT = FACT * RJ * RJ;
            HJ += RJ;
            G1 += X2J * FACT * (0.5f + (A - HJ) * static_cast<float>(J));
        }
    } else {
        const float A = std::exp(-X);
        const float B = 1.0f / X;
        const float C = std::sqrt(B);
        float T[13]; // T[L] = (1/X)^L, L = 1..12
        T[1] = B;
        for (int L = 2; L <= 12; ++L)
            T[L] = T[L - 1] * B;
        // clang-format off
        G0 = A * C * (1.2533141f - 0.1566642f * T[1] + 0.08811128f * T[2] - 0.09139095f * T[3]
                      + 0.1344596f * T[4] - 0.229985f * T[5] + 0.379241f * T[6]
                      - 0.5247277f * T[7] + 0.5575368f * T[8] - 0.4262633f * T[9]
                      + 0.2184518f * T[10] - 0.06680977f * T[11] + 0.009189383f * T[12]);
        G1 = A * C * (1.2533141f + 0.4699927f * T[1] - 0.1468583f * T[2] + 0.1280427f * T[3]
                      - 0.1736432f * T[4] + 0.2847618f * T[5] - 0.4594342f * T[6]
                      + 0.6283381f * T[7] - 0.6632295f * T[8] + 0.5050239f * T[9]
                      - 0.2581304f * T[10] + 0.07880001f * T[11] - 0.01082418f * T[12]);
        // clang-format on
    }
    if (N == 0) {
        BK = G0;
        return;
    }
    if (N == 1) {
        BK = G1;
        return;
    }
    float GJ = 0.0f;
    for (std::int32_t J = 2; J <= N; ++J) {
        GJ = 2.0f * static_cast<float>(J - 1) * G1 / X + G0;
        if (GJ > 1.0e36f) {
            IER = 4;
            break;
        }
        G0 = G1;
        G1 = GJ;
    }
    BK = GJ;
}

// GAMMA: Gamma(XX) by reduction to [1, 2] and a polynomial fit there. Writes GX and IER.
// Never ends the run.
void GAMMA(float XX, float& GX, std::int32_t& IER) {
    constexpr float ERR = 1.0e-6f;
    if (XX > 34.5f) {
        IER = 2;
        GX = 1.0e38f;
        return;
    }
    float X = XX;
    IER = 0;
    GX = 1.0f;
    while (X > 2.0f) {
        X = X - 1.0f;
        GX = GX * X;
    }
    if (X < 1.0f) {
        if (X <= ERR) {
            // Near zero or a negative integer. The integer part is taken by std::trunc, which
            // cannot overflow: a real too large for an integer is an integer anyway.
            const float Y = std::trunc(X) - X;
            if (std::abs(Y) <= ERR || 1.0f - Y <= ERR) {
                IER = 1;
                return;
            }
        }
        while (X <= 1.0f) {
            GX = GX / X;
            X = X + 1.0f;
        }
    } else if (X == 1.0f) {
        return;
    }
    const float Y = X - 1.0f;
    // clang-format off
    GX = GX * (1.0f + Y * (-0.5771017f + Y * (0.985854f + Y * (-0.8764218f + Y * (0.8328212f
              + Y * (-0.5684729f + Y * (0.2548205f - 0.0514993f * Y)))))));
    // clang-format on
}

// GMAPRX: asymptotic upper incomplete gamma value XU^(ALPHA - 1) e^-XU (1 + (ALPHA - 1) / XU
// + ...), summed until a term falls below 0.001 (at most 10 terms). Never ends the run.
float GMAPRX(float ALPHA, float XU) {
    float SUM = 1.0f;
    float TERM = 1.0f;
    for (int I = 1; I <= 10; ++I) {
        TERM = TERM * (ALPHA - static_cast<float>(I)) / XU;
        SUM += TERM;
        if (std::abs(TERM) < 0.001f)
            break;
    }
    return SUM * std::exp(-XU) * std::pow(XU, ALPHA - 1.0f);
}

// PHASE: phase of C in degrees; a zero real part gives +90 (imaginary part >= 0) or -90.
// Never ends the run. Its degrees per radian is its own 57.29577 (the float 57.2957687, two
// steps below degrees_per_radian), as the routine has always written it: the phases that the
// RAO reports print and the drag kernels turn back into radians keep their last digits.
float PHASE(std::complex<float> C) {
    if (C.real() != 0.0f)
        return std::atan2(C.imag(), C.real()) * 57.29577f;
    return C.imag() >= 0.0f ? 90.0f : -90.0f;
}

// ARGMAS: integrand of the ellipsoid mass integral at the angle X (1 at X = 0).
// Never ends the run.
float ARGMAS(float X, float ABRAT2, float ACRAT2) {
    const float t = std::tan(X);
    const float c = std::cos(X);
    const float P = (t * ABRAT2 + 1.0f) * (t * ACRAT2 + 1.0f);
    return 1.0f / (c * c * (t + 1.0f) * std::sqrt((t + 1.0f) * P));
}

// ARGMOM: integrand of the ellipsoid moment integral at the angle X (1 at X = 0).
// Never ends the run.
float ARGMOM(float X, float ABRAT2, float ACRAT2) {
    const float t = std::tan(X);
    const float c = std::cos(X);
    const float P = (t * ABRAT2 + 1.0f) * (t * ACRAT2 + 1.0f);
    return 1.0f / (c * c * P * std::sqrt((t + 1.0f) * P));
}

// ELPCOF: ellipsoid shape integral by Simpson's rule over the angle 0 to pi/2.
// Reads and sets ONEWRN; writes ELPSCF, and the warning for very many points on IOSCRN
// followed by a pause through PRSRET. Never ends the run itself (the pause may).
void ELPCOF(float ABRAT2, float ACRAT2, std::int32_t NPOINT, std::int32_t MASMOM, float& ELPSCF,
            int IOSCRN, int KBD, bool& ONEWRN, std::int32_t ICYL) {
    // Most points ever used: the largest even count the warning's seven-digit field shows.
    // A vanishing axis ratio would otherwise ask for an unbounded count.
    constexpr std::int32_t max_points = 9999998;
    std::int32_t NLOC = NPOINT;
    if (NPOINT == 0) {
        const float wanted = std::max({2.0f / ABRAT2, 2.0f / ACRAT2, 2.0f * ABRAT2, 2.0f * ACRAT2});
        NLOC = wanted < static_cast<float>(max_points) ? static_cast<std::int32_t>(wanted)
                                                       : max_points;
    }
    NLOC = std::min(NLOC, max_points);
    if (NLOC % 2 != 0)
        NLOC = NLOC + 1;
    NLOC = std::max<std::int32_t>(NLOC, MASMOM == 2 ? 4000 : 400);

    if (NLOC > 7500 && !ONEWRN) {
        write_record(IOSCRN, "");
        if (ICYL == 0) {
            write_record(IOSCRN, " ++> Warning: A highly eccentric body requires" + I(NLOC, 7) +
                                     " integration points");
            write_record(IOSCRN, "              in ELPCOF; this may result in pathological "
                                 "mass coefficients.");
            write_record(IOSCRN, "              Contact Kelbrin to report this message.");
        } else {
            write_record(IOSCRN, " ++> Warning: Member " + I(ICYL, 2) + " requires" + I(NLOC, 7) +
                                     " integration points");
            write_record(IOSCRN, "              in ELPCOF; this may result in pathological "
                                 "mass coefficients.");
            write_record(IOSCRN, "              Consider using a less eccentric member model; "
                                 "this will not");
            write_record(IOSCRN, "              appreciably affect your added mass estimates.");
        }
        ONEWRN = true;
        std::int32_t LBACK = 0;
        PRSRET(IOSCRN, KBD, LBACK);
    }

    const float h = half_pi_single / static_cast<float>(NLOC);
    ELPSCF = 1.0f; // the integrand at angle 0; the end point pi/2 adds nothing
    for (std::int32_t k = 1; k <= NLOC - 1; ++k) {
        const float angle = static_cast<float>(k) * h;
        const float weight = k % 2 != 0 ? 4.0f : 2.0f;
        const float value =
            MASMOM == 2 ? ARGMOM(angle, ABRAT2, ACRAT2) : ARGMAS(angle, ABRAT2, ACRAT2);
        ELPSCF += weight * value;
    }
    ELPSCF = ELPSCF * h / 3.0f;
}

} // namespace lintar
