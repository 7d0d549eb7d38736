// low_frequency/low_frequency_loads_fixture.h: the blocks as the low-frequency report leaves
// them before its last chapter, for a ship on the linear four-line spread (anchors 1000 from
// the fairleads along +x, +y, -x, -y; H = 10 (d - 900), top tension = H, top angle 0.5 rad,
// bottom angle 0.05 rad, friction 0.03 H, grounded length 600 - H/4) at the mean offset
// (20, 10), heading 0; one load component (wind along +x) carries the surge sigma, the energy
// curves are quadratic with their points one length unit apart, and the peak factors are set.
// Also the independent net force of that mooring at an offset (closed form, double precision).
#pragma once

#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/lf_mode_record.h"
#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "support/linear_spread_report.h"

#include <array>
#include <cmath>
#include <numbers>

namespace lintar::testing {

inline constexpr float mean_x = 20.0f;
inline constexpr float mean_y = 10.0f;
inline constexpr float surge_sigma = 1.0f;
// The point of the restoring curves where the equilibrium lies (x = k - 6).
inline constexpr int curve_equilibrium = 6;
inline constexpr float spread_stiffness = 22.0f; // the quadratic curves' spring

// Anchor k (1..4) of the spread: 1000 from the origin along 0, 90, 180, 270 degrees.
inline std::array<double, 2> spread_anchor(int k) {
    const double a = (k - 1) * std::numbers::pi / 2.0;
    return {1000.0 * std::cos(a), 1000.0 * std::sin(a)};
}

// Horizontal force (x, y) of the four lines on a vessel at (x, y), heading 0 (the fairleads
// at the vessel's origin), from H = 10 (d - 900) along each line.
inline std::array<double, 2> spread_force(double x, double y) {
    std::array<double, 2> F = {0.0, 0.0};
    for (int k = 1; k <= 4; ++k) {
        const auto A = spread_anchor(k);
        const double vx = A[0] - x, vy = A[1] - y;
        const double d = std::hypot(vx, vy);
        const double H = 10.0 * (d - 900.0);
        F[0] += H * vx / d;
        F[1] += H * vy / d;
    }
    return F;
}

// Quadratic restoring curves of n points, one length unit a point, the equilibrium at energy 0
// at the sixth point (the curve reaches 5 units back and n - 6 ahead).
inline void fill_quadratic_curves(int n) {
    ERGCOM.DXSRG = ERGCOM.DYSWY = ERGCOM.DZYAW = 1.0f;
    ERGCOM.SPRNGX = ERGCOM.SPRNGY = ERGCOM.SPRNGZ = spread_stiffness;
    for (int k = 1; k <= n; ++k) {
        const float x = static_cast<float>(k - curve_equilibrium);
        ERGCOM.PENFUN(k) = ERGCOM.SWYERG(k) = ERGCOM.YAWERG(k) = 0.5f * spread_stiffness * x * x;
    }
}

// The mean state: lines and tables, the report on unit 1, the mean line geometry, statistics
// zero (set_surge_statistics adds them).
inline void fill_low_frequency_loads() {
    fill_linear_spread();
    const int L = turret_midlyr;
    for (int k = 1; k <= turret_numtab; ++k) {
        LINCOM.TOPTEN(k, L, 1) = LINCOM.HLOD(k);
        LINCOM.TOPANG(k, L, 1) = 0.5f;
    }
    TPCM.NLIN = 4;
    TPCM.TLOAD = 2200.0f;
    TPCM.LOWMOT = 1;
    TPCM.ONETWO = 1;
    TPCM.LEGACY_ID = 0;
    TPCM.VESAN0 = 0.0f;
    EQUILB.RVES(1) = mean_x;
    EQUILB.YCGVAR() = mean_y;
    EQUILB.VESANG() = 0.0f;
    EQUILB.GOFANG = 0.0f;
    for (int i = 1; i <= 4; ++i) {
        const auto A = spread_anchor(i);
        const double vx = A[0] - mean_x, vy = A[1] - mean_y;
        LINCOM.RANCP(i) = static_cast<float>(std::hypot(vx, vy));
        LINCOM.ANGDPP(i) = static_cast<float>(std::atan2(vy, vx) * 180.0 / std::numbers::pi);
        if (LINCOM.ANGDPP(i) < 0.0f)
            LINCOM.ANGDPP(i) += 360.0f;
        LINCOM.ZANCP(i) = 0.0f;
        OUTCOM.DZTOTL(i, 4, 1) = 300.0f;
        const float H = 10.0f * (LINCOM.RANCP(i) - 900.0f);
        OUTCOM.TMEAN(i) = H;
        OUTCOM.BMEAN(i) = H / std::cos(0.05f);
        OUTCOM.TOP_HINGAY_MEAN(i) = 0.5f;
    }
    fill_quadratic_curves(turret_numtab);
    ERGCOM.SRGOFF = mean_x;
    ERGCOM.SWYOFF = mean_y;
    EQUILB.FXENV = 400.0f;
    EQUILB.SXWND = 400.0f;
}

// The surge statistics: sigma 1 from the wind alone, peak factors 3 (second kind 2, third 4),
// the peak on the plus side: every excursion lands on a point of the curves.
inline void set_surge_statistics() {
    lf(VARTOT) = surge_sigma;
    lf(VARWND) = surge_sigma;
    lf(FSGPK) = lf(FSGPQ) = 3.0f;
    lf(FSGPKM) = lf(FSGPQM) = 2.0f;
    lf(FSGPKS) = lf(FSGPQS) = 4.0f;
    lf(PK_SURG_SIDE) = 1.0f;
    lf(PK_SWAY_SIDE) = 1.0f;
    lf(PK_YAW_SIDE) = 1.0f;
}

} // namespace lintar::testing
