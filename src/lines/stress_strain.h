// lines/stress_strain.h: the compliance law of a line element, the cubic splines of the line
// library, and the fit of the law to a measured stress-strain curve.
//
// An element stretches by strain(T) = a1 T + a2 T^2 + a3 T^3 per unit unstretched length, T
// the tension and a1..a3 its compliance coefficients ALPHA(1..3, element, type). The catenary
// functions use the law with the coefficients scaled by the horizontal tension (beta_k =
// a_k H^k) and the secant of the line angle in place of T; the vertical-line routines use it
// at the tension itself.
//
// A subline flagged in STRESS_STRAIN_FILE takes its law from a measured curve of strain over
// tension, held as a natural cubic spline (TENS_ARR, E_ARR, SPLINE_2DERIV of LINCOM): the fit
// replaces its three coefficients by the cubic through the origin with the curve's slope at
// zero tension and the curve's strain and slope at the tension the subline carries.
//
// The spline routines are the textbook ones (second derivatives by one tridiagonal sweep,
// evaluation by bisection): in four-byte reals, on 1-based tables passed as spans that hold
// them. An end slope above 9.9e29 asks for a natural end (zero second derivative).
#pragma once

#include "lines/line_arrays.h"

#include <array>
#include <cstdint>
#include <span>

namespace lintar {

// The strain c1 x + c2 x^2 + c3 x^3 of coefficients c1..c3 at x (a tension, or a secant with
// scaled coefficients).
inline double cubic_strain(double c1, double c2, double c3, double x) {
    return c1 * x + c2 * x * x + c3 * x * x * x;
}

// EAINV: the compliance d(strain)/dT = a1 + 2 a2 T + 3 a3 T^2 of element IELEM at tension
// TENSN, in single precision. Reads only its arguments; never ends the run.
inline float EAINV(ElementAlphas ALPHA, float TENSN, int IELEM) {
    return ALPHA(1, IELEM) + 2.0f * ALPHA(2, IELEM) * TENSN +
           3.0f * ALPHA(3, IELEM) * TENSN * TENSN;
}

// An end slope that asks for a natural end, as the callers pass it.
inline constexpr float natural_end = 1.0e30f;

// Leading dimension of the two-variable spline tables: one line type's slice of the line
// tables, point j of layer row k at (k - 1) x 90 + j.
inline constexpr int spline_table_rows = 90;

// spline: second derivatives y2(1..n) of the cubic spline through (x(i), y(i)), x strictly
// rising, with end slopes yp1 and ypn (above 9.9e29: natural end). n is at most 500.
void spline(std::span<const float> x, std::span<const float> y, std::int32_t n, float yp1,
            float ypn, std::span<float> y2);

// SPLINE2: spline for a stress-strain curve, n at most 30.
void SPLINE2(std::span<const float> x, std::span<const float> y, std::int32_t n, float yp1,
             float ypn, std::span<float> y2);

// splint: the value y at x of the spline (xa, ya, y2a) of n points; outside the table the end
// interval's cubic is used. Two equal abscissae bracketing x are reported ("bad xa input in
// splint") with a Return pause, and give the lower point's value.
void splint(std::span<const float> xa, std::span<const float> ya, std::span<const float> y2a,
            std::int32_t n, float x, float& y);

// STRAIN_VAL and STRAIN_SLOPE: the value and the first derivative at x of the spline of a
// stress-strain curve; bad abscissae as in splint (the slope is then 0).
float STRAIN_VAL(std::span<const float> xa, std::span<const float> ya, std::span<const float> y2a,
                 std::int32_t n, float x);
float STRAIN_SLOPE(std::span<const float> xa, std::span<const float> ya, std::span<const float> y2a,
                   std::int32_t n, float x);

// splie2: for each of the m rows of the table ya (leading dimension 90), the second
// derivatives of the natural spline along the row over the n column abscissae x2a, into the
// same place of y2a. x1a is not used. m and n are at most 100; a row of fewer than two columns
// has second derivatives 0.
void splie2(std::span<const float> x1a, std::span<const float> x2a, std::span<const float> ya,
            std::int32_t m, std::int32_t n, std::span<float> y2a);

// splin2: the bicubic-spline value y at (x1, x2) of the table ya with the row derivatives y2a
// of splie2: each row's spline at x2, then the natural spline of those values over x1a at x1.
void splin2(std::span<const float> x1a, std::span<const float> x2a, std::span<const float> ya,
            std::span<const float> y2a, std::int32_t m, std::int32_t n, float x1, float x2,
            float& y);

// splin2 in two halves, for a caller that reads one table at one x2 for several x1: the rows'
// values at x2 with the second derivatives of their natural spline over the m row abscissae
// (splin2_across), then that spline's value at x1 (splin2_at). Together they give splin2's
// value bit for bit.
struct RowSpline {
    std::array<float, 100> y{};
    std::array<float, 100> y2{};
    std::int32_t m = 0;
};
void splin2_across(std::span<const float> x1a, std::span<const float> x2a,
                   std::span<const float> ya, std::span<const float> y2a, std::int32_t m,
                   std::int32_t n, float x2, RowSpline& rows);
float splin2_at(std::span<const float> x1a, const RowSpline& rows, float x1);

// GET_ALPHAS: the coefficients ALPHAS(1..3) of the cubic law that has the curve's slope at
// zero tension and the curve's strain and slope at tension T (the linear law alone when T is
// not positive). Reads only its arguments.
void GET_ALPHAS(float T, std::span<const float> TENS_ARR, std::span<const float> E_ARR,
                std::span<const float> SPLINE_2DERIV, std::int32_t NVAL,
                std::span<float, 3> ALPHAS);

// LOAD_ALPHAS: fits ALPHA of every flagged subline of line type ITYP (LINCOM) to its curve at
// the tension the subline carries in the line at horizontal tension DP_HMEAN, re-solving the
// line (ITER8P, bracketed by the top slopes of layer row LAYER of the tables) until every
// fitted tension stays in its curve interval. Writes ALPHA of TPCM and leaves the line solved
// in LINCOM. Ends the run (status 1, after a message and a Return pause) when a tension falls
// outside its curve or the fit has not settled after 10 passes.
void LOAD_ALPHAS(double DP_HMEAN, std::int32_t LAYER);

} // namespace lintar
