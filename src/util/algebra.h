// util/algebra.h: vector, matrix and complex algebra, and three closed-form coefficients.
//
// Matrices are stored by columns with their dimensions passed explicitly: element (i, j) of an
// N-row matrix is element i + (j - 1) N of the array (1-based), as every caller stores them.
// Complex values are pairs of four-byte reals, real part first (std::complex<float>). A product
// clears each result element and accumulates over the inner index in ascending order, in the
// precision of its result; its result array must be distinct from its operands (MATPRD and
// CMATPD excepted: they copy their input vector first). No routine here keeps state.
#pragma once

#include <complex>
#include <cstdint>
#include <span>

namespace lintar {

using Complex = std::complex<float>;

// Products of column-major matrices: R(N,L) = A(N,M) B(M,L).
void GMPRD(std::span<const float> A, std::span<const float> B, std::span<float> R, int N, int M,
           int L);
void DGMPRD(std::span<const double> A, std::span<const double> B, std::span<double> R, int N, int M,
            int L);
void CGMPRD(std::span<const Complex> A, std::span<const Complex> B, std::span<Complex> R, int N,
            int M, int L);
void GMPDCX(std::span<const float> A, std::span<const Complex> B, std::span<Complex> R, int N,
            int M, int L);

// Transposed products: R(M,L) = transpose(A(N,M)) B(N,L).
void GTPRD(std::span<const float> A, std::span<const float> B, std::span<float> R, int N, int M,
           int L);
void DGTPRD(std::span<const double> A, std::span<const double> B, std::span<double> R, int N, int M,
            int L);
void GTPDCX(std::span<const float> A, std::span<const Complex> B, std::span<Complex> R, int N,
            int M, int L);

// Square matrix times vector, N at most 6; RI and RO may be the same array.
void MATPRD(std::span<const float> AM, std::span<const float> RI, std::span<float> RO, int N,
            int IOSCRN);
void CMATPD(std::span<const float> AM, std::span<const Complex> CI, std::span<Complex> CO, int N,
            int IOSCRN);

// In-place inverse of A(N,N) with its determinant D; D = 0 for a singular matrix.
void MINV(std::span<float> A, int N, float& D, std::span<std::int32_t> L,
          std::span<std::int32_t> M);

// Determinant of the 2 x 2 (rows X, Y) or 3 x 3 (rows X, Y, Z) matrix; 0 for any other N.
float DETERM(std::span<const float, 3> X, std::span<const float, 3> Y, std::span<const float, 3> Z,
             int N);

// Three-vectors (x, y, z).
float DOTP(std::span<const float, 3> R1, std::span<const float, 3> R2);
double DDOTP(std::span<const double, 3> R1, std::span<const double, 3> R2);
void XPROD(std::span<const float, 3> R1, std::span<const float, 3> R2, std::span<float, 3> R3);
float VMOD(std::span<const float, 3> RIN);
void UNITIZ(std::span<const float, 3> RIN, std::span<float, 3> RUNIT);
void RCTNGL(float THETA, float PHI, std::span<float, 3> RUNIT);
void POLAR(std::span<const float, 3> RVECT, float& RMOD, float& THETA, float& PHI);

// Complex three-vectors and complex values.
Complex CXDOTP(std::span<const Complex, 3> CX, std::span<const float, 3> RX);
void CXPROD(std::span<const float, 3> RX, std::span<const Complex, 3> CX,
            std::span<Complex, 3> COUT);
float CVMOD(std::span<const Complex, 3> RIN);
void CUNITIZ(std::span<const Complex, 3> RIN, std::span<Complex, 3> RUNIT);
float ABS2(Complex C);
void CEXLIM(Complex& C, float OVFLO);

// Closed-form coefficients: ellipsoid added mass (MASMOM 1 translation, else rotation), the
// rectangular-section factor and the normalisation of cos^n wave spreading.
float COFCLC(std::int32_t MASMOM, float ELPSCF, float ABRAT2, float ACRAT2);
float RECTCM(float ABRAT);
float FACTRI(float COSEXP, int IOSCRN, int KBD);

} // namespace lintar
