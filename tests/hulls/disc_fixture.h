// hulls/disc_fixture.h: a disc buoy for the tests of the disc-buoy model, set directly in the
// buoy words of HIMEM: radius 10 ft, effective draft 10 ft (draft ratio 1, so the equivalent
// ellipsoid is a sphere), in 1000 ft of water, on a grid of chosen wave numbers laid out as
// the vessel-motion set-up lays it out.
#pragma once

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"

#include "hulls/ship_fixture.h"

#include <cmath>
#include <initializer_list>

namespace lintar::testing {

inline constexpr float disc_R = 10.0f;
inline constexpr float disc_G = 32.174f;

// The buoy on one grid point per wave number of KS (deep-water frequencies), heading 0.
inline void set_up_disc_buoy(std::initializer_list<float> KS, float DEPTH = 1000.0f) {
    TpcmBlock& P = TPCM;
    WavcomBlock& W = WAVCOM;
    HimemBlock& H = HIMEM;
    P.EDUNIT = 6;
    P.IUNIT = 6;
    P.NUNTS = 0;
    P.DWATR = 64.0f;
    P.DRAFT = disc_R;
    P.AWP = 3.1415927f * disc_R * disc_R;
    P.DEPTH = DEPTH;
    P.SLPHT = 10.0f;
    P.LSLPHT = 0;
    P.XCURAR = 100.0f;
    W.G = disc_G;
    W.RHOWTR = P.DWATR * 0.001f / W.G;
    W.DURFAC = 1.0f;
    W.IRAO = 1;
    H.REDANG(1) = 0.0f;
    H.WCONST = std::sqrt(DEPTH / W.G);
    H.EPS = 1.0e-5f;
    H.RADIUS = disc_R;
    H.EDRAFT = disc_R;
    H.SDRAFT = 1.0f;
    H.DLRAT = 1.0f;
    H.CSG = 0.5f;
    H.CSW = 0.5f;
    H.GML = 2.0f;
    H.GMT = 2.0f;
    H.TQCNST = 1.0f;
    H.SWLCRP = -0.5f;
    H.VTCRR = 5.0f;
    H.HCONST = disc_R * disc_R * disc_R;
    H.PCONST = H.HCONST * disc_R * disc_R;
    H.DELTA = P.AWP * disc_R;
    H.HVM1 = H.DELTA;
    H.HVMAS = H.DELTA + 2.7f * H.HCONST;
    H.SGMAS = 1.5f * H.DELTA;
    H.PTCH1 = H.DELTA * 40.0f;
    H.ROL1 = H.PTCH1;
    H.PMAS1 = 0.2f * H.PCONST;
    H.RMAS1 = H.PMAS1;
    H.PTCHI = H.PTCH1 + H.PMAS1;
    H.ROLI = H.PTCHI;
    H.HC = W.G * P.AWP;
    H.PRMT = H.GML * H.DELTA * W.G;
    H.RRMT = H.PRMT;
    H.WH = std::sqrt(H.HC / H.HVMAS);
    H.WP = std::sqrt(H.PRMT / H.PTCHI);
    H.WR = H.WP;
    H.WSG = 0.2f;
    H.WSW = 0.2f;
    H.WY = 0.2f;
    lay_out_grid_columns();
    int IW = 0;
    for (const float k : KS) {
        ++IW;
        const float omega = std::sqrt(W.G * k);
        set_grid_entry(IW, omega, k);
        W.W(IW) = omega;
        W.WVK(IW) = k;
        P.T(IW) = 2.0f * 3.1415927f / omega;
    }
    P.NWP = IW;
}

} // namespace lintar::testing
