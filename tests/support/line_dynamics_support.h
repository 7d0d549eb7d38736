// support/line_dynamics_support.h: the independent references of the line-dynamics tests: the
// elastic catenary of the linear law in closed form, the motion of its material points under
// a fairlead motion by central differences, Simpson quadrature, the axial rod of several
// elements solved as one linear system, and line tables built from the closed form.
#pragma once

#include "blocks/lincom.h"
#include "blocks/tpcm.h"

#include <cmath>
#include <complex>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace lintar::testing {

using ComplexD = std::complex<double>;

// A uniform suspended line of the linear law strain = c T: unstretched length L, submerged
// weight w per length, horizontal tension H. A material point lies at unstretched distance s
// below the fairlead; its slope is q(s) = q_top - s w / H (Irvine's elastic catenary):
//   x(s) = (H/w)(asinh q_top - asinh q) + c H s                 (horizontal, away from top)
//   z(s) = (H/w)(sec q_top - sec q) + c (H q_top s - w s^2 / 2)  (depth below the top)
struct ElasticCatenary {
    double L = 0.0;
    double w = 0.0;
    double c = 0.0;

    static double sec(double q) { return std::sqrt(1.0 + q * q); }

    double x(double H, double q_top, double s) const {
        const double q = q_top - s * w / H;
        return H / w * (std::asinh(q_top) - std::asinh(q)) + c * H * s;
    }
    double z(double H, double q_top, double s) const {
        const double q = q_top - s * w / H;
        return H / w * (sec(q_top) - sec(q)) + c * (H * q_top * s - w * s * s / 2.0);
    }
    // The top slope at which the line spans the height ZF (bisection; z(L) rises with it).
    double top_slope(double H, double ZF) const {
        double lo = -50.0;
        double hi = 50.0;
        for (int n = 0; n < 200; ++n) {
            const double mid = 0.5 * (lo + hi);
            (z(H, mid, L) < ZF ? lo : hi) = mid;
        }
        return 0.5 * (lo + hi);
    }
    double span(double H, double ZF) const { return x(H, top_slope(H, ZF), L); }
    double top_tension(double H, double ZF) const { return H * sec(top_slope(H, ZF)); }
    // The horizontal tension at which the line spans (XF, ZF) (bisection; the span rises
    // with H).
    double tension_for(double XF, double ZF, double lo, double hi) const {
        for (int n = 0; n < 200; ++n) {
            const double mid = 0.5 * (lo + hi);
            (span(mid, ZF) < XF ? lo : hi) = mid;
        }
        return 0.5 * (lo + hi);
    }
    // The point at s, seen from the anchor: horizontal distance toward the fairlead and
    // height above the anchor.
    std::pair<double, double> from_anchor(double H, double ZF, double s) const {
        const double q_top = top_slope(H, ZF);
        return {x(H, q_top, L) - x(H, q_top, s), ZF - z(H, q_top, s)};
    }
};

// The motion of the material point at s of a line whose anchor is fixed, for a fairlead
// motion (dxF, dzF): the line moves through horizontal tensions at the fairlead height, so
// dH = (dxF - XF_Z dzF) / XF_H, and the point by its derivatives in H and ZF (central
// differences with steps hH, hZ).
struct PointMotion {
    ComplexD dx, dz;
};
inline PointMotion point_motion(const ElasticCatenary& line, double H, double ZF, double s,
                                ComplexD dxF, ComplexD dzF, double hH, double hZ) {
    const auto diff_H = [&](double at) {
        const auto p = line.from_anchor(H + hH, ZF, at);
        const auto m = line.from_anchor(H - hH, ZF, at);
        return std::pair{(p.first - m.first) / (2 * hH), (p.second - m.second) / (2 * hH)};
    };
    const auto diff_Z = [&](double at) {
        const auto p = line.from_anchor(H, ZF + hZ, at);
        const auto m = line.from_anchor(H, ZF - hZ, at);
        return std::pair{(p.first - m.first) / (2 * hZ), (p.second - m.second) / (2 * hZ)};
    };
    const auto top_H = diff_H(0.0);
    const auto top_Z = diff_Z(0.0);
    const ComplexD dH = (dxF - top_Z.first * dzF) / top_H.first;
    const auto pH = diff_H(s);
    const auto pZ = diff_Z(s);
    return {pH.first * dH + pZ.first * dzF, pH.second * dH + pZ.second * dzF};
}

// Composite Simpson over [a, b] with n (even) panels.
inline double simpson(const std::function<double(double)>& f, double a, double b, int n) {
    const double h = (b - a) / n;
    double sum = f(a) + f(b);
    for (int k = 1; k < n; ++k)
        sum += (k % 2 == 1 ? 4.0 : 2.0) * f(a + k * h);
    return sum * h / 3.0;
}

// Gaussian elimination with partial pivoting of the square system A x = b (row-major A).
inline std::vector<ComplexD> solve_linear(std::vector<ComplexD> A, std::vector<ComplexD> b) {
    const std::size_t n = b.size();
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < n; ++r)
            if (std::abs(A[r * n + col]) > std::abs(A[pivot * n + col]))
                pivot = r;
        if (std::abs(A[pivot * n + col]) == 0.0)
            throw std::runtime_error("solve_linear: singular system");
        for (std::size_t k = 0; k < n; ++k)
            std::swap(A[col * n + k], A[pivot * n + k]);
        std::swap(b[col], b[pivot]);
        for (std::size_t r = col + 1; r < n; ++r) {
            const ComplexD f = A[r * n + col] / A[col * n + col];
            for (std::size_t k = col; k < n; ++k)
                A[r * n + k] -= f * A[col * n + k];
            b[r] -= f * b[col];
        }
    }
    std::vector<ComplexD> x(n);
    for (std::size_t r = n; r-- > 0;) {
        ComplexD sum = b[r];
        for (std::size_t k = r + 1; k < n; ++k)
            sum -= A[r * n + k] * x[k];
        x[r] = sum / A[r * n + r];
    }
    return x;
}

// An axial rod of elements 1..N from the top down (length L, wave number k, compliance c per
// unit tension), fixed at the bottom and displaced by e at the top. In element i, with y
// measured up from its lower node, u = A cos ky + B sin ky and the tension is u' / c. Solved
// for all A, B at once: the anchor condition, displacement and tension continuity at every
// joint, the top displacement. Returns the tension at nodes 1..N+1 (node 1 the top).
struct RodElement {
    double L, k, c;
};
inline std::vector<ComplexD> rod_tensions(const std::vector<RodElement>& rod, ComplexD e) {
    const std::size_t N = rod.size();
    const std::size_t n = 2 * N;
    std::vector<ComplexD> A(n * n, 0.0);
    std::vector<ComplexD> b(n, 0.0);
    const auto a_of = [](std::size_t i) { return 2 * i; }; // element i (0-based) unknowns
    const auto b_of = [](std::size_t i) { return 2 * i + 1; };
    std::size_t row = 0;
    A[row * n + a_of(N - 1)] = 1.0; // anchor: u = 0 at the lower node of element N
    ++row;
    for (std::size_t i = 1; i < N; ++i) { // element i (lower) meets element i-1 (upper)
        const RodElement& r = rod[i];
        const double arg = r.k * r.L;
        A[row * n + a_of(i)] = std::cos(arg);
        A[row * n + b_of(i)] = std::sin(arg);
        A[row * n + a_of(i - 1)] = -1.0;
        ++row;
        A[row * n + a_of(i)] = -r.k / r.c * std::sin(arg);
        A[row * n + b_of(i)] = r.k / r.c * std::cos(arg);
        A[row * n + b_of(i - 1)] = -rod[i - 1].k / rod[i - 1].c;
        ++row;
    }
    const double top_arg = rod[0].k * rod[0].L;
    A[row * n + a_of(0)] = std::cos(top_arg);
    A[row * n + b_of(0)] = std::sin(top_arg);
    b[row] = e;
    const std::vector<ComplexD> x = solve_linear(A, b);
    std::vector<ComplexD> T(N + 1);
    for (std::size_t i = 0; i < N; ++i) {
        const RodElement& r = rod[i];
        const double arg = r.k * r.L;
        T[i] = r.k / r.c * (-x[a_of(i)] * std::sin(arg) + x[b_of(i)] * std::cos(arg));
        T[i + 1] = r.k / r.c * x[b_of(i)];
    }
    return T;
}

// Line tables of type t for the closed-form line: NPTS horizontal loads evenly from H_lo to
// H_hi, and NLAYER layer rows at fairlead heights ZF + (L - MIDLYR) d, MIDLYR the middle row.
// Sets HLOD, ANCDST, TOPTEN, TOPANG, TOTWT, MIDLYR and DLAYER of LINCOM and NUMTAB, NLAYER,
// ZSPAN of TPCM.
inline void build_tables(const ElasticCatenary& line, int t, double H_lo, double H_hi, int NPTS,
                         double ZF, double d, int NLAYER = 3) {
    const int MIDLYR = (NLAYER + 1) / 2;
    for (int k = 1; k <= NPTS; ++k) {
        const double H = H_lo + (H_hi - H_lo) * (k - 1) / (NPTS - 1);
        LINCOM.HLOD(k) = static_cast<float>(H);
        for (int L = 1; L <= NLAYER; ++L) {
            const double Z = ZF + (L - MIDLYR) * d;
            const double q = line.top_slope(H, Z);
            LINCOM.ANCDST(k, L, t) = static_cast<float>(line.x(H, q, line.L));
            LINCOM.TOPTEN(k, L, t) = static_cast<float>(H * ElasticCatenary::sec(q));
            LINCOM.TOPANG(k, L, t) = static_cast<float>(std::atan(q));
        }
    }
    LINCOM.TOTWT(t) = static_cast<float>(line.w * line.L);
    LINCOM.MIDLYR = MIDLYR;
    LINCOM.DLAYER = static_cast<float>(d);
    TPCM.NUMTAB = NPTS;
    TPCM.NLAYER = NLAYER;
    TPCM.ZSPAN = static_cast<float>((NLAYER - 1) * d);
}

} // namespace lintar::testing
