// support/turret_mooring.h: a turret mooring on hand-made linear line tables, and the
// independent yaw moment of its lines about the turret centre (plane geometry in double
// precision), for the tests of the turret torque and the turret angle.
//
// Each line type's table in row MIDLYR is the straight column ANCDST = d0 + HLOD / k, so the
// horizontal load at any fairlead-anchor distance d is exactly k (d - d0), inside the table
// and in its extrapolation alike. The other rows hold a different column, so that reading the
// wrong row shows.
#pragma once

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/local2.h"
#include "blocks/tpcm.h"
#include "runtime/units.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace lintar::testing {

// One line: fairlead in the reference turret axes (relative to the turret centre), azimuth of
// its anchor from the reference fairlead (degrees, global), distance to the anchor, identity
// (the type, plus 1024 for a skipped line).
struct TurretLine {
    double x = 0.0, y = 0.0;
    double azimuth = 0.0;
    double ranc = 0.0;
    std::int32_t id = 1;
};

// The linear column of a type: H = k (d - d0).
struct LinearColumn {
    double k = 10.0;   // load per unit of distance
    double d0 = 900.0; // distance of no load
};

struct TurretMooring {
    double XSALM = 80.0; // turret centre, vessel x
    double TRTNG0 = 0.0; // reference turret angle, radians
    std::vector<TurretLine> lines;
    std::vector<LinearColumn> types = {LinearColumn{}};
};

inline constexpr int turret_midlyr = 2;
inline constexpr std::int32_t turret_numtab = 12;

// Puts the mooring into TPCM, LINCOM and EQUILB.
inline void fill_turret_mooring(const TurretMooring& m) {
    TPCM.XSALM = static_cast<float>(m.XSALM);
    TPCM.NUMTAB = turret_numtab;
    LINCOM.MIDLYR = turret_midlyr;
    EQUILB.TRTNG0 = static_cast<float>(m.TRTNG0);
    for (int k = 1; k <= turret_numtab; ++k)
        LINCOM.HLOD(k) = 200.0f * static_cast<float>(k - 1);
    for (std::size_t n = 0; n < m.types.size(); ++n) {
        const int t = static_cast<int>(n) + 1;
        for (int L = 1; L <= 3; ++L)
            for (int k = 1; k <= turret_numtab; ++k) {
                // Rows other than MIDLYR: twice as stiff, 50 shorter.
                const double k_row = L == turret_midlyr ? m.types[n].k : 2.0 * m.types[n].k;
                const double d0_row = L == turret_midlyr ? m.types[n].d0 : m.types[n].d0 - 50.0;
                LINCOM.ANCDST(k, L, t) = static_cast<float>(d0_row + LINCOM.HLOD(k) / k_row);
            }
    }
    for (std::size_t n = 0; n < m.lines.size(); ++n) {
        const int i = static_cast<int>(n) + 1;
        const TurretLine& l = m.lines[n];
        TPCM.RFLD(1, i) = static_cast<float>(m.XSALM + l.x);
        TPCM.RFLD(2, i) = static_cast<float>(l.y);
        TPCM.RFLD(3, i) = 0.0f;
        TPCM.ANGDEP(i) = static_cast<float>(l.azimuth);
        LINCOM.RANC(i) = static_cast<float>(l.ranc);
        LINCOM.LINEID(i) = l.id;
    }
}

// The moment about the turret centre of the lines when the turret centre stands at (dx, dy)
// from its reference position and the turret at angle theta: each anchor lies ranc from the
// reference fairlead along its azimuth, each fairlead at the turret centre plus its turret
// coordinates turned by theta; the load k (d - d0) acts along the line from fairlead to anchor.
inline double turret_moment(const TurretMooring& m, double theta, double dx, double dy) {
    double moment = 0.0;
    for (const TurretLine& l : m.lines) {
        if (l.id > 1024)
            continue;
        const LinearColumn& c = m.types[static_cast<std::size_t>(l.id % 1024 - 1)];
        const double a = l.azimuth * std::numbers::pi / 180.0;
        const double ax =
            std::cos(m.TRTNG0) * l.x - std::sin(m.TRTNG0) * l.y + l.ranc * std::cos(a);
        const double ay =
            std::sin(m.TRTNG0) * l.x + std::cos(m.TRTNG0) * l.y + l.ranc * std::sin(a);
        const double rx = std::cos(theta) * l.x - std::sin(theta) * l.y;
        const double ry = std::sin(theta) * l.x + std::cos(theta) * l.y;
        const double vx = ax - (dx + rx);
        const double vy = ay - (dy + ry);
        const double d = std::hypot(vx, vy);
        const double H = c.k * (d - c.d0);
        moment += rx * H * vy / d - ry * H * vx / d;
    }
    return moment;
}

// The cross of the six-degree-of-freedom tests, program code SIMTYP: anchors 1000 beyond the
// fairleads along +x, -x, +y, -y; the x lines leave 10 from the centre along their own
// direction (a yaw stiffness), the y lines from the centre (no roll stiffness of the lines);
// every fairlead at the moment centre's height, the tables alike in three layer rows. A hull
// of waterplane 10000 in water of 64 (heave 640 per unit), VKMT 10 and VKML 50 over VKG 0 on a
// displacement of 1000; the lines 1 to 4 evaluated.
inline void fill_cross_mooring(std::int32_t SIMTYP) {
    TurretMooring m;
    m.XSALM = 0.0;
    m.lines = {{10.0, 0.0, 0.0, 1000.0, 1},
               {-10.0, 0.0, 180.0, 1000.0, 1},
               {0.0, 0.0, 90.0, 1000.0, 1},
               {0.0, 0.0, 270.0, 1000.0, 1}};
    fill_turret_mooring(m);
    TpcmBlock& T = TPCM;
    // Every layer row alike, so that heave and tilt do not change a line's load.
    for (int L = 1; L <= 3; ++L) {
        LINCOM.ZDIST_ARR(L) = static_cast<float>(L);
        for (int k = 1; k <= turret_numtab; ++k)
            LINCOM.ANCDST(k, L, 1) = LINCOM.ANCDST(k, turret_midlyr, 1);
    }
    T.NLAYER = 3;
    LINCOM.DLAYER = 10.0f;
    T.ZSPAN = 20.0f;
    T.EDUNIT = screen_unit;
    T.SIMTYP = SIMTYP;
    T.VESAN0 = 0.0f;
    T.NLIN = 4;
    T.DRAFT = 20.0f;
    T.DEPTH = 300.0f;
    T.ANCHGT(1) = 300.0f;
    T.AWP = 10000.0f;
    T.DWATR = 64.0f;
    T.VKG = 0.0f;
    T.VKMT = 10.0f;
    T.VKML = 50.0f;
    T.DISPL = 1000.0f;
    LOCAL2.MINLN = 1;
    LOCAL2.MAXLN = 4;
}

// The linear star of the equilibrium tests (anchors 1000 from the fairleads along +x, -x, +y,
// -y, each line's load 10 (d - 900)): its net force on a vessel whose fairleads stand at
// (x, y), in double precision.
inline std::array<double, 2> star_force(double x, double y) {
    const double anchors[4][2] = {{1000, 0}, {-1000, 0}, {0, 1000}, {0, -1000}};
    std::array<double, 2> F = {0.0, 0.0};
    for (const auto& a : anchors) {
        const double vx = a[0] - x;
        const double vy = a[1] - y;
        const double d = std::hypot(vx, vy);
        const double H = 10.0 * (d - 900.0);
        F[0] += H * vx / d;
        F[1] += H * vy / d;
    }
    return F;
}

// The independent equilibrium under the applied force (Fx, Fy): Newton in double precision with
// central-difference derivatives of star_force.
inline std::array<double, 2> star_equilibrium(double Fx, double Fy) {
    double x = 0.0;
    double y = 0.0;
    for (int n = 0; n < 60; ++n) {
        const double e = 1e-6;
        const auto f = star_force(x, y);
        const auto fxp = star_force(x + e, y);
        const auto fxm = star_force(x - e, y);
        const auto fyp = star_force(x, y + e);
        const auto fym = star_force(x, y - e);
        const double a = (fxp[0] - fxm[0]) / (2 * e), c = (fxp[1] - fxm[1]) / (2 * e);
        const double b = (fyp[0] - fym[0]) / (2 * e), d = (fyp[1] - fym[1]) / (2 * e);
        const double rx = f[0] + Fx;
        const double ry = f[1] + Fy;
        const double det = a * d - b * c;
        x -= (d * rx - b * ry) / det;
        y -= (a * ry - c * rx) / det;
    }
    return {x, y};
}

} // namespace lintar::testing
