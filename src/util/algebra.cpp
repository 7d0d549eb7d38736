// util/algebra.cpp: vector, matrix and complex algebra, and three closed-form coefficients.
#include "util/algebra.h"

#include "blocks/block_support.h"
#include "runtime/assert.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/bessel_gamma.h"
#include "util/internal_error.h"
#include "util/prompts.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace lintar {
namespace {

// Column-major view of a matrix with `rows` rows: element (i, j), both 1-based.
template <class T> struct ColumnMajor {
    T* a;
    int rows;
    T& operator()(int i, int j) const { return a[slot(i) + slot(j) * rows]; }
};

template <class T>
ColumnMajor<T> column_major(std::span<T> a, int rows, [[maybe_unused]] int columns) {
    LINTAR_ASSERT(rows >= 0 && columns >= 0, "matrix dimensions");
    LINTAR_ASSERT(a.size() >= static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns),
                  "matrix storage");
    return ColumnMajor<T>{a.data(), rows};
}

// Element i (1-based) of a vector.
template <class T> T& at(std::span<T> v, int i) {
    LINTAR_ASSERT(i >= 1 && static_cast<std::size_t>(i) <= v.size(), "vector index");
    return v[slot(i)];
}

// R = A B in the precision of R: each element cleared, then summed in ascending k.
template <class TA, class TB, class TR>
void general_product(std::span<const TA> A, std::span<const TB> B, std::span<TR> R, int N, int M,
                     int L) {
    const auto a = column_major(A, N, M);
    const auto b = column_major(B, M, L);
    const auto r = column_major(R, N, L);
    for (int l = 1; l <= L; ++l) {
        for (int i = 1; i <= N; ++i) {
            r(i, l) = TR{};
            for (int k = 1; k <= M; ++k)
                r(i, l) += a(i, k) * b(k, l);
        }
    }
}

// R = transpose(A) B in the precision of R.
template <class TA, class TB, class TR>
void transposed_product(std::span<const TA> A, std::span<const TB> B, std::span<TR> R, int N, int M,
                        int L) {
    const auto a = column_major(A, N, M);
    const auto b = column_major(B, N, L);
    const auto r = column_major(R, M, L);
    for (int l = 1; l <= L; ++l) {
        for (int i = 1; i <= M; ++i) {
            r(i, l) = TR{};
            for (int k = 1; k <= N; ++k)
                r(i, l) += a(k, i) * b(k, l);
        }
    }
}

// Largest order of the square matrix-vector products (their local copy of the vector).
constexpr int max_square_order = 6;

// RO = AM RI for a square AM of order N; RI is copied first, so RO may be RI.
template <class T>
void square_product(std::span<const float> AM, std::span<const T> RI, std::span<T> RO, int N) {
    T RD[max_square_order];
    for (int j = 1; j <= N; ++j)
        RD[slot(j)] = at(RI, j);
    const auto am = column_major(AM, N, N);
    for (int i = 1; i <= N; ++i) {
        T sum{};
        for (int j = 1; j <= N; ++j)
            sum += am(i, j) * RD[slot(j)];
        at(RO, i) = sum;
    }
}

} // namespace

// GMPRD: R = A B in single precision. Reads A, B; writes R. Never ends the run.
void GMPRD(std::span<const float> A, std::span<const float> B, std::span<float> R, int N, int M,
           int L) {
    general_product(A, B, R, N, M, L);
}

// DGMPRD: R = A B in double precision. Reads A, B; writes R. Never ends the run.
void DGMPRD(std::span<const double> A, std::span<const double> B, std::span<double> R, int N, int M,
            int L) {
    general_product(A, B, R, N, M, L);
}

// CGMPRD: R = A B of complex matrices. Reads A, B; writes R. Never ends the run.
void CGMPRD(std::span<const Complex> A, std::span<const Complex> B, std::span<Complex> R, int N,
            int M, int L) {
    general_product(A, B, R, N, M, L);
}

// GMPDCX: R = A B of a real A and a complex B: each real element multiplies both parts.
// Reads A, B; writes R. Never ends the run.
void GMPDCX(std::span<const float> A, std::span<const Complex> B, std::span<Complex> R, int N,
            int M, int L) {
    general_product(A, B, R, N, M, L);
}

// GTPRD: R = transpose(A) B in single precision. Reads A, B; writes R. Never ends the run.
void GTPRD(std::span<const float> A, std::span<const float> B, std::span<float> R, int N, int M,
           int L) {
    transposed_product(A, B, R, N, M, L);
}

// DGTPRD: R = transpose(A) B in double precision. Reads A, B; writes R. Never ends the run.
void DGTPRD(std::span<const double> A, std::span<const double> B, std::span<double> R, int N, int M,
            int L) {
    transposed_product(A, B, R, N, M, L);
}

// GTPDCX: R = transpose(A) B of a real A and a complex B. Reads A, B; writes R.
// Never ends the run.
void GTPDCX(std::span<const float> A, std::span<const Complex> B, std::span<Complex> R, int N,
            int M, int L) {
    transposed_product(A, B, R, N, M, L);
}

// MATPRD: RO = AM RI for a square AM of order N <= 6 (RO may be RI).
// Reads AM, RI; writes RO. An order above 6 writes its message on IOSCRN, waits for Return
// (not in an unattended run) and stops the run as an error.
void MATPRD(std::span<const float> AM, std::span<const float> RI, std::span<float> RO, int N,
            int IOSCRN) {
    if (N > max_square_order)
        internal_error_stop(IOSCRN, {" Too many dimensions specified in MATPRD; contact Kelbrin",
                                     " Press <RETURN> to continue..."});
    square_product(AM, RI, RO, N);
}

// CMATPD: CO = AM CI for a real square AM of order N <= 6 and complex vectors (CO may be CI).
// Reads AM, CI; writes CO. An order above 6 stops the run as MATPRD does.
void CMATPD(std::span<const float> AM, std::span<const Complex> CI, std::span<Complex> CO, int N,
            int IOSCRN) {
    if (N > max_square_order)
        internal_error_stop(IOSCRN, {" Too many dimensions specified in CMATPD; contact Kelbrin",
                                     " Press <RETURN> to continue..."});
    square_product(AM, CI, CO, N);
}

// MINV: Gauss-Jordan inversion in place with complete pivoting; D is the determinant.
// Reads and writes A; L and M (N entries each) receive the pivot rows and columns of each
// stage. A zero pivot sets D = 0 and returns at once, leaving A partly transformed.
// Never ends the run.
void MINV(std::span<float> A, int N, float& D, std::span<std::int32_t> L,
          std::span<std::int32_t> M) {
    const auto a = column_major(A, N, N);
    D = 1.0f;
    for (int k = 1; k <= N; ++k) {
        // Pivot: the largest element of the lower right block; ties keep the first found.
        at(L, k) = k;
        at(M, k) = k;
        float BIGA = a(k, k);
        for (int j = k; j <= N; ++j) {
            for (int i = k; i <= N; ++i) {
                if (std::abs(BIGA) < std::abs(a(i, j))) {
                    BIGA = a(i, j);
                    at(L, k) = i;
                    at(M, k) = j;
                }
            }
        }
        // Bring the pivot to (k, k). The element moved out of row (column) k changes sign, so
        // each exchange keeps the determinant and D stays the product of the pivots.
        const int l = at(L, k);
        if (l > k) {
            for (int j = 1; j <= N; ++j) {
                const float HOLD = -a(k, j);
                a(k, j) = a(l, j);
                a(l, j) = HOLD;
            }
        }
        const int m = at(M, k);
        if (m > k) {
            for (int i = 1; i <= N; ++i) {
                const float HOLD = -a(i, k);
                a(i, k) = a(i, m);
                a(i, m) = HOLD;
            }
        }
        if (BIGA == 0.0f) {
            D = 0.0f;
            return;
        }
        for (int i = 1; i <= N; ++i) {
            if (i != k)
                a(i, k) = a(i, k) / (-BIGA);
        }
        for (int i = 1; i <= N; ++i) {
            if (i == k)
                continue;
            const float HOLD = a(i, k);
            for (int j = 1; j <= N; ++j) {
                if (j != k)
                    a(i, j) = HOLD * a(k, j) + a(i, j);
            }
        }
        for (int j = 1; j <= N; ++j) {
            if (j != k)
                a(k, j) = a(k, j) / BIGA;
        }
        D = D * BIGA;
        a(k, k) = 1.0f / BIGA;
    }
    // Undo the exchanges in reverse order: a row exchange of the matrix is a column exchange
    // of its inverse, and the other way round.
    for (int k = N - 1; k >= 1; --k) {
        const int l = at(L, k);
        if (l > k) {
            for (int j = 1; j <= N; ++j) {
                const float HOLD = a(j, k);
                a(j, k) = -a(j, l);
                a(j, l) = HOLD;
            }
        }
        const int m = at(M, k);
        if (m > k) {
            for (int i = 1; i <= N; ++i) {
                const float HOLD = a(k, i);
                a(k, i) = -a(m, i);
                a(m, i) = HOLD;
            }
        }
    }
}

// DETERM: determinant of the matrix with rows X, Y (N = 2) or X, Y, Z (N = 3); 0 otherwise.
// Reads its arguments only. Never ends the run.
float DETERM(std::span<const float, 3> X, std::span<const float, 3> Y, std::span<const float, 3> Z,
             int N) {
    if (N == 3)
        return X[0] * (Y[1] * Z[2] - Y[2] * Z[1]) - X[1] * (Y[0] * Z[2] - Y[2] * Z[0]) +
               X[2] * (Y[0] * Z[1] - Y[1] * Z[0]);
    if (N == 2)
        return X[0] * Y[1] - X[1] * Y[0];
    return 0.0f;
}

// DOTP: dot product of two single-precision three-vectors. Never ends the run.
float DOTP(std::span<const float, 3> R1, std::span<const float, 3> R2) {
    float sum = 0.0f;
    for (std::size_t i = 0; i < 3; ++i)
        sum += R1[i] * R2[i];
    return sum;
}

// DDOTP: dot product of two double-precision three-vectors. Never ends the run.
double DDOTP(std::span<const double, 3> R1, std::span<const double, 3> R2) {
    double sum = 0.0;
    for (std::size_t i = 0; i < 3; ++i)
        sum += R1[i] * R2[i];
    return sum;
}

// XPROD: R3 = R1 x R2. Writes R3 (computed in full first, so R3 may be R1 or R2).
// Never ends the run.
void XPROD(std::span<const float, 3> R1, std::span<const float, 3> R2, std::span<float, 3> R3) {
    const float x = R1[1] * R2[2] - R1[2] * R2[1];
    const float y = R1[2] * R2[0] - R1[0] * R2[2];
    const float z = R1[0] * R2[1] - R1[1] * R2[0];
    R3[0] = x;
    R3[1] = y;
    R3[2] = z;
}

// VMOD: length of a three-vector. Never ends the run.
float VMOD(std::span<const float, 3> RIN) {
    return std::sqrt(RIN[0] * RIN[0] + RIN[1] * RIN[1] + RIN[2] * RIN[2]);
}

// UNITIZ: unit vector along RIN; components held to [-1, 1]; a zero vector gives (1, 0, 0).
// Writes RUNIT (RUNIT may be RIN). Never ends the run.
void UNITIZ(std::span<const float, 3> RIN, std::span<float, 3> RUNIT) {
    const float RMOD = VMOD(RIN);
    if (RMOD > 0.0f) {
        for (std::size_t i = 0; i < 3; ++i) {
            const float c = RIN[i] / RMOD;
            RUNIT[i] = std::abs(c) > 1.0f ? std::copysign(1.0f, c) : c;
        }
    } else {
        RUNIT[0] = 1.0f;
        RUNIT[1] = 0.0f;
        RUNIT[2] = 0.0f;
    }
}

// RCTNGL: unit vector of the polar angle THETA (from z) and azimuth PHI (from x towards y).
// Writes RUNIT. Never ends the run.
void RCTNGL(float THETA, float PHI, std::span<float, 3> RUNIT) {
    RUNIT[0] = std::sin(THETA) * std::cos(PHI);
    RUNIT[1] = std::sin(THETA) * std::sin(PHI);
    RUNIT[2] = std::cos(THETA);
}

// POLAR: length, polar angle from z and azimuth of a vector; all zero for a zero vector.
// Writes RMOD, THETA, PHI. Never ends the run.
void POLAR(std::span<const float, 3> RVECT, float& RMOD, float& THETA, float& PHI) {
    THETA = 0.0f;
    PHI = 0.0f;
    if (RVECT[0] != 0.0f || RVECT[1] != 0.0f)
        PHI = std::atan2(RVECT[1], RVECT[0]);
    RMOD = VMOD(RVECT);
    if (RMOD != 0.0f)
        THETA = std::acos(std::clamp(RVECT[2] / RMOD, -1.0f, 1.0f));
}

// CXDOTP: the complex sum of CX(i) RX(i). Never ends the run.
Complex CXDOTP(std::span<const Complex, 3> CX, std::span<const float, 3> RX) {
    Complex sum{};
    for (std::size_t i = 0; i < 3; ++i)
        sum += CX[i] * RX[i];
    return sum;
}

// CXPROD: COUT = RX x CX of a real and a complex three-vector. Writes COUT (computed in full
// first, so COUT may be CX). Never ends the run.
void CXPROD(std::span<const float, 3> RX, std::span<const Complex, 3> CX,
            std::span<Complex, 3> COUT) {
    const Complex x = RX[1] * CX[2] - RX[2] * CX[1];
    const Complex y = RX[2] * CX[0] - RX[0] * CX[2];
    const Complex z = RX[0] * CX[1] - RX[1] * CX[0];
    COUT[0] = x;
    COUT[1] = y;
    COUT[2] = z;
}

// CVMOD: square root of the sum of the squared moduli of three complex components.
// Never ends the run.
float CVMOD(std::span<const Complex, 3> RIN) {
    return std::sqrt(ABS2(RIN[0]) + ABS2(RIN[1]) + ABS2(RIN[2]));
}

// CUNITIZ: RIN divided by CVMOD(RIN); all zero for a zero vector. Writes RUNIT.
// Never ends the run.
void CUNITIZ(std::span<const Complex, 3> RIN, std::span<Complex, 3> RUNIT) {
    const float RMOD = CVMOD(RIN);
    for (std::size_t i = 0; i < 3; ++i)
        RUNIT[i] = RMOD > 0.0f ? Complex(RIN[i].real() / RMOD, RIN[i].imag() / RMOD) : Complex{};
}

// ABS2: squared modulus Re^2 + Im^2 of a complex value. Never ends the run.
float ABS2(Complex C) {
    return C.real() * C.real() + C.imag() * C.imag();
}

// CEXLIM: holds the real part of C to OVFLO in magnitude, keeping its sign and the imaginary
// part. Reads and writes C. Never ends the run.
void CEXLIM(Complex& C, float OVFLO) {
    if (std::abs(C.real()) > OVFLO)
        C.real(std::copysign(OVFLO, C.real()));
}

// COFCLC: added-mass coefficient of an ellipsoid from its shape integral ELPSCF: MASMOM 1 for
// translation, any other value for rotation about an axis with the squared axis ratios ABRAT2
// and ACRAT2. Never ends the run.
float COFCLC(std::int32_t MASMOM, float ELPSCF, float ABRAT2, float ACRAT2) {
    if (MASMOM == 1)
        return ELPSCF / (2.0f - ELPSCF);
    const float a = 1.0f / ABRAT2;
    const float b = 1.0f / ACRAT2;
    return (a - b) * (a - b) * ELPSCF / ((a + b) * (2.0f * a * b - ELPSCF * (a + b)));
}

// RECTCM: rectangular-section factor ALPHA ABRAT^BETA. Never ends the run.
float RECTCM(float ABRAT) {
    constexpr float ALPHA = 1.215488f;
    constexpr float BETA = -0.14883f;
    return ALPHA * std::pow(ABRAT, BETA);
}

// FACTRI: normalisation sqrt(pi) Gamma((n + 1) / 2) / Gamma(n / 2 + 1) of cos^n spreading.
// An exponent for which a gamma value fails or vanishes writes its message on IOSCRN, pauses
// through PRSRET and stops the run as an error.
float FACTRI(float COSEXP, int IOSCRN, int KBD) {
    constexpr float sqrt_pi = 1.7724539f;
    float XX = (COSEXP + 1.0f) / 2.0f;
    float GX = 0.0f;
    float GXP = 0.0f;
    std::int32_t IER1 = 0;
    std::int32_t IER2 = 0;
    GAMMA(XX, GX, IER1);
    if (GX != 0.0f) {
        XX = XX + 0.5f;
        GAMMA(XX, GXP, IER2);
    }
    if (GX != 0.0f && GXP != 0.0f && IER1 == 0 && IER2 == 0)
        return sqrt_pi * GX / GXP;
    write_record(IOSCRN, "");
    write_record(IOSCRN, " ++> Invalid spreading index in FACTRI; reduce spreading index & retry");
    write_record(IOSCRN, "");
    fatal_stop(IOSCRN, KBD);
}

} // namespace lintar
