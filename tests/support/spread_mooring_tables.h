// support/spread_mooring_tables.h: a symmetric four-line spread mooring of one chain type whose
// line tables are filled from the elastic catenary of a uniform line on a flat seabed (closed
// form, double precision), and the independent net force of that mooring at an offset.
//
// The closed form (suspended length s, horizontal load H, weight w, axial stiffness EA, length
// L, vertical span h, no seabed friction, zero vertical load at the touchdown point):
//   h = (H/w) (sqrt(1 + (w s / H)^2) - 1) + w s^2 / (2 EA)
//   X = L - s + (H/w) asinh(w s / H) + H L / EA,    V = w s at the fairlead.
// Header-only, shared by the tests of the force and stiffness routines.
#pragma once

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/mooring_force.h"
#include "lines/stress_strain.h"

#include <array>
#include <cmath>
#include <numbers>

namespace lintar::testing {

struct Chain {
    double w = 0.1;    // submerged weight, kips/ft
    double EA = 2.0e5; // kips
    double L = 3000.0; // ft
};

struct CatenaryState {
    double H = 0.0, V = 0.0, X = 0.0, T = 0.0, angle = 0.0, grounded = 0.0;
};

// The line at horizontal load H over vertical span h (H = 0: hanging straight down).
inline CatenaryState elastic_catenary(const Chain& c, double H, double h) {
    const auto span = [&](double s) {
        const double hanging =
            H > 0.0 ? (H / c.w) * (std::sqrt(1.0 + std::pow(c.w * s / H, 2)) - 1.0) : s;
        return hanging + c.w * s * s / (2.0 * c.EA) - h;
    };
    double lo = 0.0;
    double hi = c.L;
    for (int k = 0; k < 200; ++k) {
        const double mid = 0.5 * (lo + hi);
        (span(mid) > 0.0 ? hi : lo) = mid;
    }
    const double s = 0.5 * (lo + hi);
    CatenaryState r;
    r.H = H;
    r.V = c.w * s;
    r.X = H > 0.0 ? c.L - s + (H / c.w) * std::asinh(c.w * s / H) + H * c.L / c.EA : c.L - s;
    r.T = std::hypot(H, r.V);
    r.angle = std::atan2(r.V, H);
    r.grounded = c.L - s;
    return r;
}

// The horizontal load at which the line spans distance X over height h (bisection).
inline CatenaryState catenary_at_distance(const Chain& c, double X, double h) {
    double lo = 0.0;
    double hi = 5000.0;
    for (int k = 0; k < 200; ++k) {
        const double mid = 0.5 * (lo + hi);
        (elastic_catenary(c, mid, h).X > X ? hi : lo) = mid;
    }
    return elastic_catenary(c, 0.5 * (lo + hi), h);
}

inline constexpr double spread_depth = 300.0; // vertical span at the entered fairlead height
inline constexpr double spread_H0 = 100.0;    // pretension (horizontal), kips
inline constexpr double spread_Hmax = 1000.0; // top of the load grid
inline constexpr std::array<float, 4> spread_x = {250.0f, -250.0f, -250.0f, 250.0f};
inline constexpr std::array<float, 4> spread_y = {40.0f, 40.0f, -40.0f, -40.0f};
inline constexpr std::array<float, 4> spread_azimuth = {45.0f, 135.0f, 225.0f, 315.0f};

// Fills type 1 of LINCOM's tables (NLAYER rows DLAYER apart, the middle row at the entered
// height) and the four lines: fairleads at the waterline corners (z = 0, draft 0, anchor
// depth 300 ft), each at the distance of the pretension.
inline void fill_spread_tables(const Chain& c, int NLAYER, float DLAYER) {
    TPCM.NUMTAB = 90;
    TPCM.NLAYER = NLAYER;
    TPCM.ZSPAN = NLAYER < 2 ? 0.0f : DLAYER * static_cast<float>(NLAYER - 1);
    TPCM.NLIN = 4;
    TPCM.DRAFT = 0.0f;
    TPCM.ANCHGT(1) = static_cast<float>(spread_depth);
    TPCM.EDUNIT = 6;
    LINCOM.MIDLYR = NLAYER < 2 ? 1 : (NLAYER + 1) / 2;
    LINCOM.DLAYER = NLAYER < 2 ? 0.0f : DLAYER;
    for (int k = 1; k <= 90; ++k) {
        const double f = static_cast<double>(k - 1) / 89.0;
        LINCOM.HLOD(k) = static_cast<float>(spread_Hmax * f * f);
    }
    for (int L = 1; L <= NLAYER; ++L) {
        LINCOM.ZDIST_ARR(L) = static_cast<float>(L);
        const double h = spread_depth + (L - LINCOM.MIDLYR) * static_cast<double>(LINCOM.DLAYER);
        for (int k = 1; k <= 90; ++k) {
            const CatenaryState s = elastic_catenary(c, LINCOM.HLOD(k), h);
            LINCOM.ANCDST(k, L, 1) = static_cast<float>(s.X);
            LINCOM.TOPTEN(k, L, 1) = static_cast<float>(s.T);
            LINCOM.TOPANG(k, L, 1) = static_cast<float>(s.angle);
            LINCOM.BOTLEN(k, L, 1) = static_cast<float>(s.grounded);
            LINCOM.BOTANG(k, L, 1) = 0.0f;
        }
    }
    splie2(LINCOM.HLOD_words, LINCOM.ZDIST_ARR_words, LINCOM.TOPTEN_from(1, 1, 1), 90, NLAYER,
           LINCOM.TT_SPLINE_DERIV_from(1, 1, 1));
    LINCOM.TOTWT(1) = static_cast<float>(c.w * c.L);
    const double X0 = elastic_catenary(c, spread_H0, spread_depth).X;
    for (int i = 1; i <= 4; ++i) {
        const auto n = static_cast<std::size_t>(i - 1);
        TPCM.RFLD(1, i) = spread_x[n];
        TPCM.RFLD(2, i) = spread_y[n];
        TPCM.RFLD(3, i) = 0.0f;
        TPCM.ANGDEP(i) = spread_azimuth[n];
        LINCOM.LINEID(i) = 1;
        LINCOM.RANC(i) = static_cast<float>(X0);
    }
}

// Net force (x, y, z) on the vessel translated by (dx, dy, dz) with its heading unchanged:
// each line's load at its new fairlead-anchor distance over its new span, resolved along the
// new azimuth; the vertical force is -V. Lines whose identity is above 1024 are left out.
inline std::array<double, 3> spread_net_force(const Chain& c, double dx, double dy, double dz) {
    std::array<double, 3> F = {0.0, 0.0, 0.0};
    const double X0 = elastic_catenary(c, spread_H0, spread_depth).X;
    for (std::size_t n = 0; n < 4; ++n) {
        if (LINCOM.LINEID(static_cast<int>(n) + 1) > 1024)
            continue;
        const double a = spread_azimuth[n] * std::numbers::pi / 180.0;
        const double vx = X0 * std::cos(a) - dx;
        const double vy = X0 * std::sin(a) - dy;
        const double d = std::hypot(vx, vy);
        const CatenaryState s = catenary_at_distance(c, d, spread_depth + dz);
        F[0] += s.H * vx / d;
        F[1] += s.H * vy / d;
        F[2] -= s.V;
    }
    return F;
}

} // namespace lintar::testing
