// support/ship_fixture.h: a box-shaped ship for the tests of the ship-hull model: L 100 ft,
// B 20 ft, T 5 ft (640 kips at 64 lb/ft^3, volume 10,000 ft^3), KMT = T/2 + B^2/(12 T),
// KML = T/2 + L^2/(12 T), KG = T/2, in 1000 ft of water, English units, with a wave-period
// grid laid out in HIMEM as the vessel-motion set-up lays it out.
#pragma once

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "util/angles.h"
#include "util/wave_numbers.h"

#include <cmath>
#include <complex>
#include <cstdint>

namespace lintar::testing {

inline constexpr float box_L = 100.0f;
inline constexpr float box_B = 20.0f;
inline constexpr float box_T = 5.0f;
inline constexpr float box_KMT = 9.166667f;  // 2.5 + 400 / 60
inline constexpr float box_KML = 169.16667f; // 2.5 + 10000 / 60
inline constexpr float box_volume = 10000.0f;

// The six complex result slots of grid point IW: surge, sway, heave, roll, pitch, yaw.
struct SixDof {
    std::complex<float> v[6];
};

// Base indices as the set-up lays them out: six complex columns of 100, then the frequency,
// squared frequency and wave-number columns.
inline void lay_out_grid_columns() {
    HimemBlock& H = HIMEM;
    H.LCNSG = 1;
    H.LCNSWY = 101;
    H.LCNHV = 201;
    H.LCNROL = 301;
    H.LCNPIT = 401;
    H.LCNYAW = 501;
    H.LCNW = 1201;
    H.LCNW2 = 1301;
    H.LCNWK = 1401;
}

// Grid point IW at circular frequency omega and wave number k.
inline void set_grid_entry(int IW, float omega, float k) {
    HimemBlock& H = HIMEM;
    H.RLDUM(H.LCNW + IW - 1) = omega;
    H.RLDUM(H.LCNW2 + IW - 1) = omega * omega;
    H.RLDUM(H.LCNWK + IW - 1) = k;
}

// The box's hull words in TPCM, English units: a ship (VESTYP 1) of L 100, B 20 and T 5 ft,
// 640 kips in water of 64 lb/ft^3, waterplane L B, KMT and KML of the box, KG = KB = T/2,
// gyradii 25 (pitch), 7 (roll) and 26 ft (yaw).
inline void fill_box_ship_hull() {
    TpcmBlock& P = TPCM;
    P.NUNTS = 0;
    P.DWATR = 64.0f;
    P.DISPL = 640.0f;
    P.DRAFT = box_T;
    P.LWL = box_L;
    P.BWL = box_B;
    P.AWP = box_L * box_B;
    P.VKMT = box_KMT;
    P.VKML = box_KML;
    P.VKG = box_T / 2.0f;
    P.TVKB = box_T / 2.0f;
    P.PGYR = 25.0f;
    P.RGYR = 7.0f;
    P.YGYR = 26.0f;
    P.VESTYP = 1;
    P.SEMI_LIKE = 0;
}

// The box vessel on NWP periods T1, T1 + DT, ..., heading REDANG(1) = heading_deg.
inline void set_up_box_ship(int NWP = 20, float T1 = 2.0f, float DT = 1.0f,
                            float heading_deg = 0.0f, float DEPTH = 1000.0f) {
    TpcmBlock& P = TPCM;
    WavcomBlock& W = WAVCOM;
    HimemBlock& H = HIMEM;
    fill_box_ship_hull();
    P.EDUNIT = 6;
    P.IUNIT = 6;
    P.NEGSUM = 1;
    P.DEPTH = DEPTH;
    P.SLPHT = 10.0f;
    P.LSLPHT = 0;
    P.NWP = NWP;
    W.G = 32.152f;
    W.RHOWTR = P.DWATR * 0.001f / W.G;
    W.IRAO = 1;
    W.BIGWVS = 1;
    H.WCONST = std::sqrt(DEPTH / W.G);
    H.REDANG(1) = heading_deg;
    lay_out_grid_columns();
    for (int IW = 1; IW <= NWP; ++IW) {
        P.T(IW) = T1 + DT * static_cast<float>(IW - 1);
        const float omega = 2.0f * pi_single / P.T(IW);
        set_grid_entry(IW, omega, wave_number(omega, DEPTH, W.G));
    }
}

// The six result slots of grid point IW for the heading of IRAO 1.
inline SixDof results_at(int IW) {
    HimemBlock& H = HIMEM;
    const int c = IW - 1;
    SixDof r;
    r.v[0] = H.CRLDUM(H.LCNSG + c);
    r.v[1] = H.CRLDUM(H.LCNSWY + c);
    r.v[2] = H.CRLDUM(H.LCNHV + c);
    r.v[3] = H.CRLDUM(H.LCNROL + c);
    r.v[4] = H.CRLDUM(H.LCNPIT + c);
    r.v[5] = H.CRLDUM(H.LCNYAW + c);
    return r;
}

} // namespace lintar::testing
