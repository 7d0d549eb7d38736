// lines/spline_reference.h: the textbook cubic spline in double precision, written apart from
// the program's routines, for their tests: the second derivatives from the tridiagonal system
// of the spline's continuity conditions (solved by Gaussian elimination without pivoting, the
// system being diagonally dominant), and the evaluation of the cubic of the bracketing
// interval. 0-based vectors.
#pragma once

#include <cstddef>
#include <vector>

namespace lintar::testing {

// An end slope of nothing means a natural end (second derivative 0).
struct EndSlope {
    bool natural = true;
    double slope = 0.0;
};

// Second derivatives M of the spline through (x[i], y[i]). The equations: for interior i,
//   h[i-1] M[i-1] + 2 (h[i-1] + h[i]) M[i] + h[i] M[i+1] = 6 (d[i] - d[i-1]),
// with h[i] = x[i+1] - x[i] and d[i] = (y[i+1] - y[i]) / h[i]; at a clamped end
//   2 h[0] M[0] + h[0] M[1] = 6 (d[0] - s0),  h[n-2] M[n-2] + 2 h[n-2] M[n-1] = 6 (sn - d[n-2]);
// at a natural end M = 0.
inline std::vector<double> spline_second_derivatives(const std::vector<double>& x,
                                                     const std::vector<double>& y, EndSlope first,
                                                     EndSlope last) {
    const std::size_t n = x.size();
    std::vector<double> a(n, 0.0), b(n, 0.0), c(n, 0.0), r(n, 0.0);
    std::vector<double> h(n - 1), d(n - 1);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        h[i] = x[i + 1] - x[i];
        d[i] = (y[i + 1] - y[i]) / h[i];
    }
    if (first.natural) {
        b[0] = 1.0;
    } else {
        b[0] = 2.0 * h[0];
        c[0] = h[0];
        r[0] = 6.0 * (d[0] - first.slope);
    }
    for (std::size_t i = 1; i + 1 < n; ++i) {
        a[i] = h[i - 1];
        b[i] = 2.0 * (h[i - 1] + h[i]);
        c[i] = h[i];
        r[i] = 6.0 * (d[i] - d[i - 1]);
    }
    if (last.natural) {
        b[n - 1] = 1.0;
    } else {
        a[n - 1] = h[n - 2];
        b[n - 1] = 2.0 * h[n - 2];
        r[n - 1] = 6.0 * (last.slope - d[n - 2]);
    }
    for (std::size_t i = 1; i < n; ++i) {
        const double m = a[i] / b[i - 1];
        b[i] -= m * c[i - 1];
        r[i] -= m * r[i - 1];
    }
    std::vector<double> M(n);
    M[n - 1] = r[n - 1] / b[n - 1];
    for (std::size_t i = n - 1; i-- > 0;)
        M[i] = (r[i] - c[i] * M[i + 1]) / b[i];
    return M;
}

// The interval of x: the last i with x[i] <= x, held to 0..n-2 (end intervals outside).
inline std::size_t spline_interval(const std::vector<double>& x, double at) {
    std::size_t i = 0;
    while (i + 2 < x.size() && x[i + 1] <= at)
        ++i;
    return i;
}

// Value and slope of the spline at `at`, from the cubic of its interval written in the
// distances to the interval's ends.
inline double spline_value(const std::vector<double>& x, const std::vector<double>& y,
                           const std::vector<double>& M, double at) {
    const std::size_t i = spline_interval(x, at);
    const double h = x[i + 1] - x[i];
    const double p = x[i + 1] - at;
    const double q = at - x[i];
    return M[i] * p * p * p / (6.0 * h) + M[i + 1] * q * q * q / (6.0 * h) +
           (y[i] / h - M[i] * h / 6.0) * p + (y[i + 1] / h - M[i + 1] * h / 6.0) * q;
}

inline double spline_slope(const std::vector<double>& x, const std::vector<double>& y,
                           const std::vector<double>& M, double at) {
    const std::size_t i = spline_interval(x, at);
    const double h = x[i + 1] - x[i];
    const double p = x[i + 1] - at;
    const double q = at - x[i];
    return -M[i] * p * p / (2.0 * h) + M[i + 1] * q * q / (2.0 * h) - (y[i] / h - M[i] * h / 6.0) +
           (y[i + 1] / h - M[i + 1] * h / 6.0);
}

} // namespace lintar::testing
