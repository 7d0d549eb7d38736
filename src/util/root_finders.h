// util/root_finders.h: the bracketed root finder, the bracketing table search, Romberg
// quadrature and the arc cosine.
//
// The function to be solved or integrated is any callable taking one real; the inputs it needs
// besides travel in its captures. The root finder and the quadrature are templates so that the
// callable is inlined into the catenary inner loops, and they keep no state: each is
// re-entrant, so a function handed to RTMI1 may itself call RTMI1 (RTMI2 and the D entries
// are kept as names for the callers that use them).
#pragma once

#include "blocks/block_support.h"
#include "runtime/assert.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>

namespace lintar {

namespace root_finder_detail {

// The sign the bracket tests compare: +1 for 0 as for any positive value.
template <class Real> Real sign_of(Real v) {
    return v >= Real(0) ? Real(1) : Real(-1);
}

// Tolerance on X: EPSX, relative when |x| is above 1.
template <class Real> Real x_tolerance(Real EPSX, Real x) {
    const Real a = std::abs(x);
    return a > Real(1) ? EPSX * a : EPSX;
}

} // namespace root_finder_detail

// mueller_root: the bracketed root search of RTMI1 (single precision) and RTMIDP (double), in
// the precision Real: finds X in [XLI, XRI] with FCT(X) = 0 by bisection combined with inverse
// parabolic (Mueller) interpolation; each value of FCT is rounded to Real on receipt. EPSX is
// the tolerance on X (relative above |X| = 1), EPSF the tolerance on the function value when
// positive (no function test otherwise), IEND the iteration limit. Writes X, F = FCT(X) at
// the returned point, the outer iteration count I, and IER: 0 converged or an exact zero hit,
// 1 no convergence within IEND (X is the better end of the last bracket), 2 no sign change
// over [XLI, XRI] (X = XRI). Never ends the run.
template <class Real, class Fct>
void mueller_root(Real& X, Real& F, Fct&& FCT, Real XLI, Real XRI, Real EPSX, Real EPSF,
                  std::int32_t IEND, std::int32_t& IER, std::int32_t& I) {
    using root_finder_detail::sign_of;
    using root_finder_detail::x_tolerance;
    const auto f = [&FCT](Real x) { return static_cast<Real>(FCT(x)); };
    // The function-value test is made only when EPSF is positive.
    const auto f_close = [EPSF](Real difference) {
        return !(EPSF > Real(0)) || std::abs(difference) <= EPSF;
    };

    IER = 0;
    I = 0;
    Real XL = XLI;
    Real XR = XRI;
    X = XL;
    F = f(X);
    if (F == Real(0))
        return;
    Real FL = F;
    X = XR;
    F = f(X);
    if (F == Real(0))
        return;
    Real FR = F;
    if (sign_of(FL) + sign_of(FR) != Real(0)) {
        IER = 2;
        return;
    }

    for (;;) {
        ++I;
        // Bisection until the interpolation step promises more, or the bracket is small.
        bool interpolate = false;
        bool converged = false;
        Real TOL = Real(0);
        for (std::int32_t K = 1; K <= IEND; ++K) {
            X = Real(0.5) * (XL + XR);
            F = f(X);
            if (F == Real(0))
                return;
            if (sign_of(F) + sign_of(FR) == Real(0)) {
                // Exchange the ends so that F and FR have the same sign.
                const Real xt = XL;
                XL = XR;
                XR = xt;
                const Real ft = FL;
                FL = FR;
                FR = ft;
            }
            TOL = F - FL;
            Real A = F * TOL;
            A = A + A;
            if (A < FR * (FR - FL) && I <= IEND) {
                interpolate = true;
                break;
            }
            XR = X;
            FR = F;
            if (std::abs(XR - XL) <= x_tolerance(EPSX, XR) && f_close(FR - FL)) {
                converged = true;
                break;
            }
        }
        if (!interpolate) {
            if (!converged)
                IER = 1;
            // The last bisection point, unless the other end is closer to a zero.
            if (std::abs(FR) > std::abs(FL)) {
                X = XL;
                F = FL;
            }
            return;
        }

        // Inverse parabolic interpolation through (XL, FL), (X, F), (XR, FR). A = FR - F is
        // not 0 here: F and FR share their sign and 2F(F - FL) < FR(FR - FL).
        const Real A = FR - F;
        const Real DX = (X - XL) * FL * (Real(1) + F * (A - TOL) / (A * (FR - FL))) / TOL;
        const Real XM = X;
        const Real FM = F;
        X = XL - DX;
        F = f(X);
        if (F == Real(0))
            return;
        if (std::abs(DX) <= x_tolerance(EPSX, X) && f_close(F))
            return;
        // Keep the bracket: the new point replaces the end whose value has its sign.
        if (sign_of(F) + sign_of(FL) == Real(0)) {
            XR = X;
            FR = F;
        } else {
            XL = X;
            FL = F;
            XR = XM;
            FR = FM;
        }
    }
}

// RTMI1: finds X in [XLI, XRI] with FCT(X) = 0 by bisection combined with inverse parabolic
// (Mueller) interpolation, all in single precision; each value of FCT is rounded to a
// four-byte real on receipt. EPSX is the tolerance on X (relative above |X| = 1), EPSF the
// tolerance on the function value when positive, IEND the iteration limit.
// Writes X, F = FCT(X) at the returned point, and IER: 0 converged or an exact zero hit,
// 1 no convergence within IEND (X is the better end of the last bracket), 2 no sign change
// over [XLI, XRI] (X = XRI). Never ends the run.
template <class Fct>
void RTMI1(float& X, float& F, Fct&& FCT, float XLI, float XRI, float EPSX, float EPSF,
           std::int32_t IEND, std::int32_t& IER) {
    std::int32_t I = 0;
    mueller_root<float>(X, F, FCT, XLI, XRI, EPSX, EPSF, IEND, IER, I);
}

// RTMI1D: RTMI1 for a function computed in double precision (its value is rounded to single
// precision on receipt).
template <class Fct>
void RTMI1D(float& X, float& F, Fct&& FCT, float XLI, float XRI, float EPSX, float EPSF,
            std::int32_t IEND, std::int32_t& IER) {
    RTMI1(X, F, FCT, XLI, XRI, EPSX, EPSF, IEND, IER);
}

// RTMI2: RTMI1 under the name used for a search made inside the function of another search.
template <class Fct>
void RTMI2(float& X, float& F, Fct&& FCT, float XLI, float XRI, float EPSX, float EPSF,
           std::int32_t IEND, std::int32_t& IER) {
    RTMI1(X, F, FCT, XLI, XRI, EPSX, EPSF, IEND, IER);
}

// RTMI2D: RTMI1D under the name used for a search inside the function of another search.
template <class Fct>
void RTMI2D(float& X, float& F, Fct&& FCT, float XLI, float XRI, float EPSX, float EPSF,
            std::int32_t IEND, std::int32_t& IER) {
    RTMI1(X, F, FCT, XLI, XRI, EPSX, EPSF, IEND, IER);
}

// BRACKT: the first interval of W(NLOWER..NUPPER) (1-based) that brackets WP, in either
// direction, so the table need not be monotonic. Writes MIN (the interval's first index, or
// the index of an extreme entry equal to WP; unchanged otherwise) and IER: 0 found, 1 below
// the smallest entry, 2 above the largest. Never ends the run.
void BRACKT(std::span<const float> W, float WP, std::int32_t& IER, std::int32_t& MIN,
            std::int32_t NLOWER, std::int32_t NUPPER);

// QATR: integral Y of FCT from XL to XU by the trapezoid rule with step halving and Romberg
// extrapolation over at most NDIM levels, in single precision; AUX holds at least NDIM entries.
// Writes Y, AUX and IER: 0 accurate to EPS, 1 stopped by rounding errors (Y the previous
// estimate), 2 NDIM levels were too few. Never ends the run.
template <class Fct>
void QATR(float XL, float XU, float EPS, std::int32_t NDIM, Fct&& FCT, float& Y, std::int32_t& IER,
          std::span<float> AUX) {
    LINTAR_ASSERT(NDIM < 1 || AUX.size() >= static_cast<std::size_t>(NDIM), "QATR work table");
    const auto f = [&FCT](float x) { return static_cast<float>(FCT(x)); };
    // aux(i): entry i (1-based) of the work table.
    const auto aux = [&AUX](std::int32_t i) -> float& { return AUX[slot(i)]; };

    aux(1) = 0.5f * (f(XL) + f(XU));
    const float H = XU - XL;
    if (NDIM <= 1) {
        IER = 2;
        Y = H * aux(1);
        return;
    }
    if (H == 0.0f) {
        IER = 0;
        Y = 0.0f;
        return;
    }
    float HH = H;
    const float E = EPS / std::abs(H);
    float DELT2 = 0.0f;
    float P = 1.0f;
    std::int32_t JJ = 1;
    for (std::int32_t I = 2; I <= NDIM; ++I) {
        Y = aux(1);
        const float DELT1 = DELT2;
        const float HD = HH;
        HH = 0.5f * HH;
        P = 0.5f * P;
        // The midpoints of the previous panels, stepped from the first.
        float x = XL + HH;
        float SM = 0.0f;
        for (std::int32_t J = 1; J <= JJ; ++J) {
            SM = SM + f(x);
            x = x + HD;
        }
        aux(I) = 0.5f * aux(I - 1) + P * SM;
        // Romberg extrapolation down the table; aux(1) becomes the best estimate.
        float Q = 1.0f;
        for (std::int32_t J = 1; J <= I - 1; ++J) {
            const std::int32_t II = I - J;
            Q = Q + Q;
            Q = Q + Q;
            aux(II) = aux(II + 1) + (aux(II + 1) - aux(II)) / (Q - 1.0f);
        }
        DELT2 = std::abs(Y - aux(1));
        if (I >= 5) {
            if (DELT2 <= E) {
                IER = 0;
                Y = H * aux(1);
                return;
            }
            if (DELT2 >= DELT1) {
                IER = 1;
                Y = H * Y;
                return;
            }
        }
        JJ = JJ + JJ;
    }
    IER = 2;
    Y = H * aux(1);
}

// ARCCOS: arc cosine of Y in radians (0 to pi), for |Y| at most 1. Never ends the run.
float ARCCOS(float Y);

// RTMIDP: root X of FCT in [XLI, XRI] (either order) by bisection combined with inverse
// parabolic (Mueller) interpolation, in double precision. EPS is the tolerance on X (relative
// above |X| = 1), 100 EPS the tolerance on the function value, IEND the step limit. Writes X,
// F = FCT(X), the outer iteration count I, and IER: 0 converged (or an exact zero met), 1 not
// converged within IEND steps (X the better end of the last bracket), 2 no sign change over
// [XLI, XRI] (X = XRI).
template <class Fct>
void RTMIDP(double& X, double& F, Fct&& FCT, double XLI, double XRI, double EPS, std::int32_t IEND,
            std::int32_t& IER, std::int32_t& I) {
    mueller_root<double>(X, F, FCT, XLI, XRI, EPS, 100.0 * EPS, IEND, IER, I);
}

} // namespace lintar
