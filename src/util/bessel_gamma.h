// util/bessel_gamma.h: Bessel and gamma functions, the phase of a complex value and the
// ellipsoid shape integral.
//
// Results are four-byte reals; errors come back in IER (0 is success). No routine keeps state;
// ELPCOF's warning is given once per flag the caller owns.
#pragma once

#include <complex>
#include <cstdint>

namespace lintar {

// Bessel functions of integer order N >= 0 and argument X > 0 (X >= 0 for BESI).
//   BESJ: IER 1 N < 0, 2 X <= 0, 3 accuracy D not reached, 4 N too large for X.
//   BESY: IER 1 N < 0, 2 X <= 0, 3 the recurrence exceeds 1.0e36 (BY not written).
//   BESI: IER 1 N < 0, 2 X < 0, 3 a series term underflows (BI = 0), 4 X >= 60 (BI = 1).
//   BESK: IER 1 N < 0, 2 X <= 0, 3 X > 60 (BK = 0), 4 the recurrence exceeds 1.0e36.
void BESJ(float X, std::int32_t N, float& BJ, float D, std::int32_t& IER);
void BESY(float X, std::int32_t N, float& BY, std::int32_t& IER);
void BESI(float X, std::int32_t N, float& BI, std::int32_t& IER);
void BESK(float X, std::int32_t N, float& BK, std::int32_t& IER);

// Gamma(XX): IER 1 for XX near zero or a negative integer, 2 for XX > 34.5 (GX = 1.0e38).
void GAMMA(float XX, float& GX, std::int32_t& IER);

// Asymptotic upper incomplete gamma value for ALPHA and a large XU.
float GMAPRX(float ALPHA, float XU);

// Phase of a complex value in degrees.
float PHASE(std::complex<float> C);

// Shape integral of an ellipsoid with squared axis ratios ABRAT2, ACRAT2 by Simpson's rule
// over NPOINT points (0: chosen from the ratios); MASMOM 1 the mass, 2 the moment integrand.
// ICYL names the hull member (0 the whole body) in the warning for very many points, which is
// written on IOSCRN only while ONEWRN is false and then sets it.
void ELPCOF(float ABRAT2, float ACRAT2, std::int32_t NPOINT, std::int32_t MASMOM, float& ELPSCF,
            int IOSCRN, int KBD, bool& ONEWRN, std::int32_t ICYL);
float ARGMAS(float X, float ABRAT2, float ACRAT2);
float ARGMOM(float X, float ABRAT2, float ACRAT2);

} // namespace lintar
