// hulls/disc_fixture.h: a disc buoy for the tests of the disc-buoy model, set directly in the
// buoy words of HIMEM: radius 10 ft, effective draft 10 ft (draft ratio 1, so the equivalent
// ellipsoid is a sphere), in 1000 ft of water, on a grid of chosen wave numbers laid out as
// the vessel-motion set-up lays it out.
#pragma once

#include "blocks/catcom.h"
#include "blocks/equilb.h"
#include "blocks/himem.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"

#include "line_dynamics/mean_line_shape.h"
#include "support/line_dynamics_fixtures.h"
#include "support/ship_fixture.h"

#include <cmath>
#include <initializer_list>
#include <vector>

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

// The input data of a true cylinder of radius 10 ft and draft 10 ft for the characteristics:
// KB 5, KG 4, KML 7.5 (BM = R^2 / (4 draft) = 2.5), displacement 64 pi kips of water of 64
// lb/ft^3 (the volume 1000 pi ft^3), gyradii 4, 4 and 7 ft, no keel, uncoupled, every period
// and damping computed; the grid of NWP deep-water periods rising evenly from 3 to 20 s (the
// coupled characteristics start at the last), the mean wave period 8 s.
inline void set_up_cylinder_buoy(int NWP = 30) {
    std::vector<float> periods;
    for (int k = 1; k <= NWP; ++k)
        periods.push_back(3.0f + 17.0f * static_cast<float>(k - 1) / static_cast<float>(NWP - 1));
    std::vector<float> KS;
    for (const float period : periods) {
        const float omega = 2.0f * 3.1415927f / period;
        KS.push_back(omega * omega / disc_G);
    }
    set_up_disc_buoy({});
    TpcmBlock& P = TPCM;
    WavcomBlock& W = WAVCOM;
    lay_out_grid_columns();
    int IW = 0;
    for (const float k : KS) {
        ++IW;
        const float omega = std::sqrt(disc_G * k);
        set_grid_entry(IW, omega, k);
        W.W(IW) = omega;
        W.WVK(IW) = k;
        P.T(IW) = 2.0f * 3.1415927f / omega;
    }
    P.NWP = IW;
    P.AWP = 3.1415927f * disc_R * disc_R;
    P.DRAFT = 10.0f;
    P.TVKB = 5.0f;
    P.VKG = 4.0f;
    P.VKML = 7.5f;
    P.VKMT = 7.5f;
    P.DISPL = P.AWP * 10.0f * P.DWATR / 1000.0f;
    P.PGYR = 4.0f;
    P.RGYR = 4.0f;
    P.YGYR = 7.0f;
    P.LKEEL = 0;
    P.MORFBK = 0;
    P.BILGR = 0.0f;
    W.TAVG = 8.0f;
    W.XTRMWV = 10.0f;
}

// The buoy's mooring: NLINES lines of the grounded chain (w 0.1 kip/ft, 2000 ft, anchors 300 ft
// below the fairleads) at azimuths 0, 90, 180, 270 degrees, fairleads at radius a at the buoy's
// reference height (the keel: z = DRAFT, which stays as it was), every anchor at the table's point
// 11 (horizontal load exactly 100 kips), heading 0; LINCOM's RANCK and ZANCK hold the distances,
// and LINDRV has built the mean shapes there. Returns the distance.
inline float set_up_disc_mooring(int NLINES = 4, float a = 5.0f) {
    const GroundedChain c;
    const float DRAFT = TPCM.DRAFT;
    define_chain_mooring(c, NLINES);
    TPCM.DRAFT = DRAFT;
    // The columns the lines' mean state is read from: top tension H + w h, the grounded length
    // L - s, a flat bottom.
    for (int k = 1; k <= 90; ++k) {
        const double H = LINCOM.HLOD(k);
        LINCOM.TOPTEN(k, 1, 1) = static_cast<float>(c.top_tension(H, c.h));
        LINCOM.BOTLEN(k, 1, 1) = static_cast<float>(c.L - c.suspended(H, c.h));
        LINCOM.BOTANG(k, 1, 1) = 0.0f;
    }
    WAVCOM.G = disc_G;
    TPCM.DWATR = 64.0f;
    TPCM.TENSRF = 0;
    TPCM.NLWVFG = 0;
    EQUILB.VESANG() = 0.0f;
    const float X = LINCOM.ANCDST(11, 1, 1);
    std::vector<float> RANC(150, X);
    std::vector<float> ZANC(150, 0.0f);
    for (int i = 1; i <= NLINES; ++i) {
        const float azimuth = 90.0f * static_cast<float>(i - 1);
        LINCOM.ANGDPP(i) = azimuth;
        TPCM.RFLD(1, i) = a * std::cos(azimuth / 57.29578f);
        TPCM.RFLD(2, i) = a * std::sin(azimuth / 57.29578f);
        TPCM.RFLD(3, i) = DRAFT;
        LINCOM.RANCK(i) = X;
        LINCOM.ZANCK(i) = 0.0f;
    }
    LINDRV(RANC, ZANC);
    return X;
}

} // namespace lintar::testing
