// hulls/semi_fixture.h: members, sites and hulls for the tests of the semisubmersible model:
// metric units (sea water 1025 kgw/m^3, so rho g = 1.025 t/m^3; g = 9.8 m/s^2), deep water,
// a wave-period grid laid out in HIMEM as the vessel-motion set-up lays it out, and a
// four-column hull with pontoons whose hydrostatics are worked out by hand below.
#pragma once

#include "blocks/himem.h"
#include "blocks/pascom.h"
#include "blocks/simcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "support/ship_fixture.h"
#include "util/wave_numbers.h"

#include <cmath>
#include <initializer_list>

namespace lintar::testing {

inline constexpr float semi_g = 9.8f;
inline constexpr float semi_DWATR = 1025.0f;
inline constexpr float semi_pi = 3.14159265f;

// A metric site of depth DEPTH with the wave periods PERIODS, heading REDANG(1) in degrees.
inline void set_up_semi_site(std::initializer_list<float> periods, float DEPTH = 3000.0f,
                             float heading_deg = 0.0f) {
    TpcmBlock& P = TPCM;
    WavcomBlock& W = WAVCOM;
    HimemBlock& H = HIMEM;
    P.NUNTS = 1;
    P.EDUNIT = 6;
    P.IUNIT = 6;
    P.NEGSUM = 1;
    P.SIMTYP = 3;
    P.VESTYP = 3;
    P.SEMI_LIKE = 1;
    P.DWATR = semi_DWATR;
    P.DEPTH = DEPTH;
    P.SLPHT = 2.0f;
    P.LSLPHT = 0;
    W.G = semi_g;
    W.RHOWTR = P.DWATR * 0.001f / W.G;
    W.IRAO = 1;
    W.BIGWVS = 1;
    H.WCONST = std::sqrt(DEPTH / W.G);
    H.REDANG(1) = heading_deg;
    lay_out_grid_columns();
    int IW = 0;
    for (const float T : periods) {
        ++IW;
        P.T(IW) = T;
        const float omega = 6.2831855f / T;
        set_grid_entry(IW, omega, wave_number(omega, DEPTH, W.G));
    }
    P.NWP = IW;
}

// Adds a member from BASE to TOP (keel axes) of section area XAREA and box dimensions D (two
// across, one along), inertia coefficients CM across and CM_ALONG along, drag coefficient CD
// on every axis, section type MEMTYP (0 rectangle, 1 circle).
struct MemberSpec {
    float base[3], top[3];
    float XAREA;
    float D[3];
    float CM = 1.0f, CM_ALONG = 0.0f, CD = 0.0f;
    std::int32_t MEMTYP = 1;
};
inline int add_member(const MemberSpec& m) {
    TpcmBlock& P = TPCM;
    const int i = ++P.NCYL;
    for (int k = 1; k <= 3; ++k) {
        P.RCYLB(k, i) = m.base[k - 1];
        P.RCYLT(k, i) = m.top[k - 1];
        P.DIAMS(k, i) = m.D[k - 1];
        P.CYLCD(k, i) = m.CD;
        P.CYLCDI(k, i) = 0.0f;
        P.CYLCMI(k, i) = 0.0f;
    }
    P.CYLCM(1, i) = m.CM;
    P.CYLCM(2, i) = m.CM;
    P.CYLCM(3, i) = m.CM_ALONG;
    P.XAREA(i) = m.XAREA;
    P.MEMTYP(i) = m.MEMTYP;
    P.TOPTYP(i) = 4; // no drag face
    P.BOTTYP(i) = 1;
    return i;
}

// One vertical column of radius 5 m (area 78.540 m^2) from the keel to 30 m, draft 20 m.
inline constexpr float column_radius = 5.0f;
inline constexpr float column_area = semi_pi * column_radius * column_radius;
inline constexpr float column_draft = 20.0f;

inline void single_column_hull(float CD = 0.0f) {
    TpcmBlock& P = TPCM;
    add_member({{0, 0, 0}, {0, 0, 30}, column_area, {10, 10, 30}, 1.0f, 0.0f, CD, 1});
    const float V = column_area * column_draft;
    P.DRAFT = column_draft;
    P.DISPL = V * semi_DWATR / 1000.0f;
    P.AWP = column_area;
    P.TVKB = column_draft / 2.0f;
    // KM = I / V + KB with I = pi r^4 / 4 of the circle.
    const float KM = semi_pi * std::pow(column_radius, 4.0f) / 4.0f / V + P.TVKB;
    P.VKMT = P.VKML = KM;
    P.VKG = 5.0f;
    P.LWL = P.BWL = 2.0f * column_radius;
    P.RGYR = P.PGYR = P.YGYR = 8.0f;
    P.NOWARN = 1;
}

// The four-column hull: columns of radius 5 m at (+-20, +-20) from the keel to 30 m, two box
// pontoons 8 m wide and 6 m high from x = -15 to 15 at y = +-20 (centre 3 m above the keel),
// draft 20 m. By hand: columns 4 x 78.540 x 20 = 6283.19 m^3 at KB 10, pontoons
// 2 x 48 x 30 = 2880 m^3 at KB 3; AWP = 4 x 78.540 = 314.159 m^2, waterplane inertia
// AWP (20^2 + 5^2/4) about either axis.
struct FourColumnHull {
    float V, KB, AWP, I_wp, KM;
};
inline FourColumnHull four_column_values() {
    FourColumnHull h{};
    const float Vc = 4.0f * column_area * column_draft;
    const float Vp = 2.0f * 48.0f * 30.0f;
    h.V = Vc + Vp;
    h.KB = (Vc * 10.0f + Vp * 3.0f) / h.V;
    h.AWP = 4.0f * column_area;
    h.I_wp = h.AWP * (400.0f + column_radius * column_radius / 4.0f);
    h.KM = h.I_wp / h.V + h.KB;
    return h;
}

inline void four_column_hull(float CD = 0.0f) {
    TpcmBlock& P = TPCM;
    for (const float x : {-20.0f, 20.0f})
        for (const float y : {-20.0f, 20.0f})
            add_member({{x, y, 0}, {x, y, 30}, column_area, {10, 10, 30}, 1.0f, 0.0f, CD, 1});
    for (const float y : {-20.0f, 20.0f})
        add_member({{-15, y, 3}, {15, y, 3}, 48.0f, {8, 6, 30}, 1.0f, 0.0f, CD, 0});
    const FourColumnHull h = four_column_values();
    P.DRAFT = column_draft;
    P.DISPL = h.V * semi_DWATR / 1000.0f;
    P.AWP = h.AWP;
    P.TVKB = h.KB;
    P.VKMT = P.VKML = h.KM;
    P.VKG = 15.0f;
    // Summed waterline widths: four columns of 10 m each way.
    P.LWL = P.BWL = 40.0f;
    P.RGYR = P.PGYR = 20.0f;
    P.YGYR = 22.0f;
}

} // namespace lintar::testing
