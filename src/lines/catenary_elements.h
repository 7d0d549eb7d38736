// lines/catenary_elements.h: the extensible catenary of a line of elements: the closed-form
// element functions, the spans of a line over the seabed, the touchdown element and the layer
// selection of the line tables.
//
// Along an element of scaled weight SCLWT = w/H the tangent q = tan(phi) of the line angle
// falls linearly with unstretched arc length, the tension is H sec(phi) and the strain is
// beta1 R + beta2 R^2 + beta3 R^3 with R = sec(phi) and beta_k = alpha_k H^k. So the horizontal
// and vertical span of an element are (F(upper node) - F(lower node)) / SCLWT, F being XFCN or
// ZFCN; a weightless element is straight. A grounded part lies along the seabed (tangent
// DSLOPE), stretched at that tangent's tension.
//
// Every routine here reads only its arguments and writes only its outputs (PNTSEP also writes
// debug records), allocates nothing and never ends the run; all arithmetic is double precision
// except where the arguments are four-byte reals (EAINV, TUCHDN, SETLYR).
#pragma once

#include "lines/line_arrays.h"
#include "lines/stress_strain.h"

#include <cmath>
#include <cstdint>
#include <span>

namespace lintar {

// SECFCN: sqrt(1 + Q^2), the secant of the angle of tangent Q.
inline double SECFCN(double Q) {
    return std::sqrt(1.0 + Q * Q);
}

// DCSPHI: the cosine 1 / sqrt(1 + DQP^2) of the angle of tangent DQP.
inline double DCSPHI(double DQP) {
    return 1.0 / std::sqrt(1.0 + DQP * DQP);
}

// DSNPHI: the sine DQP / sqrt(1 + DQP^2) of the angle of tangent DQP.
inline double DSNPHI(double DQP) {
    return DQP * DCSPHI(DQP);
}

// stretch_at: the stretch factor 1 + strain of element IELEM where the secant is R.
inline double stretch_at(double R, ElementBetas BETA, int IELEM) {
    return 1.0 + cubic_strain(BETA(1, IELEM), BETA(2, IELEM), BETA(3, IELEM), R);
}

// STRECH: the stretch factor 1 + strain of element IELEM where the tangent is P.
inline double STRECH(double P, ElementBetas BETA, int IELEM) {
    return stretch_at(SECFCN(P), BETA, IELEM);
}

// catenary_log: ln(R + P) at secant R and tangent P, the logarithm of XFCN. It is taken as
// -ln(R - P) for a negative tangent: the same number, since (R + P)(R - P) = 1, without the
// cancellation in R + P on a steeply falling element.
inline double catenary_log(double R, double P) {
    return P >= 0.0 ? std::log(R + P) : -std::log(R - P);
}

// xfcn_from_log: XFCN with the node's catenary_log LNRP at hand, so that the two elements
// meeting at a node share one logarithm.
inline double xfcn_from_log(double LNRP, double R, double P, int IELEM, ElementBetas BETA) {
    const double b1 = BETA(1, IELEM);
    const double b2 = BETA(2, IELEM);
    const double b3 = BETA(3, IELEM);
    return (1.0 + b2 / 2.0) * LNRP + P * (b1 + b2 * R / 2.0 + b3 * (R * R + 2.0) / 3.0);
}

// XFCN: the horizontal catenary function of element IELEM at secant R and tangent P:
//   (1 + beta2/2) ln(R + P) + P (beta1 + beta2 R/2 + beta3 (R^2 + 2)/3).
inline double XFCN(double R, double P, int IELEM, ElementBetas BETA) {
    return xfcn_from_log(catenary_log(R, P), R, P, IELEM, BETA);
}

// DXFCN: (6 + 3 beta2 (P + 1) + 2R (3 beta1 + 2 beta3 P)) / (6R), the term of the out-of-plane
// drag damping.
inline double DXFCN(double R, double P, int IELEM, ElementBetas BETA) {
    const double b1 = BETA(1, IELEM);
    const double b2 = BETA(2, IELEM);
    const double b3 = BETA(3, IELEM);
    return (6.0 + 3.0 * b2 * (P + 1.0) + 2.0 * R * (3.0 * b1 + 2.0 * b3 * P)) / (6.0 * R);
}

// ZFCN: the vertical catenary function R + beta1 R^2/2 + beta2 R^3/3 + beta3 R^4/4.
// Under a linear law (beta2 = beta3 = 0, a line without a strain curve) the last two terms
// are exact zeros, which leave the sum (of a finite R) as it is: it is formed without them
// and without their division by 3, the same number.
inline double ZFCN(double R, int IELEM, ElementBetas BETA) {
    const double b1 = BETA(1, IELEM);
    const double b2 = BETA(2, IELEM);
    const double b3 = BETA(3, IELEM);
    if (b2 == 0.0 && b3 == 0.0)
        return R + b1 * R * R / 2.0;
    return R + b1 * R * R / 2.0 + b2 * R * R * R / 3.0 + b3 * R * R * R * R / 4.0;
}

// DZFCNOQ: 1/R + beta1 + beta2 R + beta3 R^2, the derivative of ZFCN with respect to the
// tangent without its factor sqrt(R^2 - 1).
inline double DZFCNOQ(double R, int IELEM, ElementBetas BETA) {
    return 1.0 / R + BETA(1, IELEM) + BETA(2, IELEM) * R + BETA(3, IELEM) * R * R;
}

// DZFCN: the derivative of ZFCN with respect to a non-negative tangent; R is at least 1.
inline double DZFCN(double R, int IELEM, ElementBetas BETA) {
    return DZFCNOQ(R, IELEM, BETA) * std::sqrt(R * R - 1.0);
}

// BETALD: scales the compliance of elements 1..NELEM by the horizontal tension:
// BETA(k, j) = ALPHA(k, j) DPHLD^k.
void BETALD(ElementAlphas ALPHA, ArrayView<double, 3, max_elements> BETA, double DPHLD, int NELEM);

// SCLWLD: scales the weights of elements 1..NELEM: SCLWT(j) = WETWT(j) / DPHLD.
void SCLWLD(ArrayView<double, max_elements> SCLWT, ElementReals WETWT, double DPHLD, int NELEM);

// ZDIST: rise from node IELEM+1 to node 1 of the suspended elements 1..IELEM (R node secants,
// TMPTAN node tangents); grounded parts add nothing.
double ZDIST(ElementValues SCLWT, NodeValues R, ElementBetas BETA, int IELEM, ElementReals SLEN,
             NodeValues TMPTAN);

// XDIST: horizontal span of elements 1..IELEM of a line of NELEM elements, with their grounded
// lengths when BOTFLG is 1 (a solid seabed) and no element at or below is buoyant.
double XDIST(ElementValues SCLWT, NodeValues R, NodeValues P, ElementBetas BETA, int IELEM,
             int NELEM, std::int32_t BOTFLG, ElementReals SLEN, double DSLOPE);

// The same sums for every IELEM at once: rise[i - 1] = ZDIST(..., i, ...) and span[i - 1] =
// XDIST(..., i, ...) for i = 1..size(), the same numbers bit for bit (one walk down the line
// instead of one per element).
void ZDIST_all(ElementValues SCLWT, NodeValues R, ElementBetas BETA, ElementReals SLEN,
               NodeValues TMPTAN, std::span<double> rise);
void XDIST_all(ElementValues SCLWT, NodeValues R, NodeValues P, ElementBetas BETA, int NELEM,
               std::int32_t BOTFLG, ElementReals SLEN, double DSLOPE, std::span<double> span);

// PNTSEP: horizontal and vertical separation between the point of element IELEM where the
// tangent is DQP and the element's lower end (tangent DQPB; DQPF at its upper end), plus the
// element's grounded part when BOTFLG is not 0. SCLWTP is the element's scaled weight (not 0),
// SLENP its unstretched length. With NBUG = 1 it writes three debug records on IOSCRN.
void PNTSEP(double& DXSEP, double& DZSEP, double DQP, double DQPB, double DQPF, float TX,
            ElementBetas BETA, double SCLWTP, float SLENP, double DSLOPE, std::int32_t NBUG,
            int IELEM, std::int32_t BOTFLG, int IOSCRN);

// TUCHDN: from a grounded stretched length BOTLEN finds the touchdown element BOTELM (counted
// from the fairlead), the unstretched grounded length UNSTRL and its submerged weight BOTWGT.
// A grounded length at or beyond the whole line's stretched length grounds the whole line.
void TUCHDN(float BOTLEN, ElementReals WETWT, ElementReals SLEN, ElementBetas BETA, int NELEM,
            double DSLOPE, float& BOTWGT, std::int32_t& BOTELM, float& UNSTRL);

// SETLYR: the layer rows of the line tables around a fairlead height DFLZG (relative to the
// height as entered): lower row ILAYER, fraction DELLAY toward the next row (outside 0..1 when
// extrapolating), OUTWRN 1 when the height is outside the tables' span.
void SETLYR(std::int32_t NLAYER, std::int32_t MIDLYR, float DLAYER, float ZSPAN, float DFLZG,
            std::int32_t& ILAYER, float& DELLAY, std::int32_t& OUTWRN);

// SETLDP: SETLYR in double precision.
void SETLDP(std::int32_t NLAYER, std::int32_t MIDLYR, double DLAYER, double ZSPAN, double DFLZG,
            std::int32_t& ILAYER, double& DELLAY, std::int32_t& OUTWRN);

} // namespace lintar
