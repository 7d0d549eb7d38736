// support/damping_fixture.h: the end-to-end fixture of the damping maps: a ship on four
// suspended inextensible lines in a spread, with a motion grid of a few periods, a random sea
// from heading 0 and the fairleads as motion points, so that a damping-map point runs the
// whole chain (mean line shapes, the motion run, the line damping) in little time.
#pragma once

#include "support/line_dynamics_support.h"
#include "support/line_test_support.h"
#include "support/motion_fixture.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"

#include <array>
#include <string>
#include <vector>

namespace lintar::testing {

// The line: 1200 m of 0.8 kN/m (inextensible) over a fairlead height of 400 m, in three
// sublines; its table spans loads 50 to 200 kN.
inline const ElasticCatenary damping_line{1200.0, 0.8, 0.0};
inline constexpr double damping_line_height = 400.0;
inline constexpr std::array<float, 4> damping_fairlead_x = {20.0f, -20.0f, -20.0f, 20.0f};
inline constexpr std::array<float, 4> damping_fairlead_y = {10.0f, 10.0f, -10.0f, -10.0f};
inline constexpr std::array<float, 4> damping_azimuth = {45.0f, 135.0f, 225.0f, 315.0f};

// The fixture's line type alone: its three sublines and its tables of NPTS loads at the
// fairlead height, the anchor height, the diameters and the added-mass and drag coefficients.
// Returns the anchor distance of the table's load nearest 120 kN (exactly 120 with 16 loads).
inline float fill_damping_line_type(int NPTS = 16) {
    const ElasticCatenary& e = damping_line;
    define_type(1, {{400.0, 0.8, 0.0}, {400.0, 0.8, 0.0}, {400.0, 0.8, 0.0}}, 0);
    build_tables(e, 1, 50.0, 200.0, NPTS, damping_line_height, 10.0, 1);
    TPCM.ANCHGT(1) = static_cast<float>(damping_line_height);
    TPCM.LINTYP(1, 1) = 1;
    LINCOM.DSLOPE = 0.0;
    LINCOM.TOTLN(1) = static_cast<float>(e.L);
    for (int e1 = 1; e1 <= 3; ++e1) {
        TPCM.DIAM(e1, 1) = 76.0f;
        TPCM.COFMST(e1, 1) = 1.0f;
        TPCM.COFDMT(e1, 1) = 1.2f;
    }
    const int anchor_entry = 1 + 7 * (NPTS - 1) / 15;
    return LINCOM.ANCDST(anchor_entry, 1, 1);
}

// The fixture's lines alone: the line type and its tables of NPTS loads, `nlines` lines (1 to
// 4) at their fairleads and azimuths, the anchors at the distance of the table's load nearest
// 120 kN. Laid over another vessel's state by the tests that need lines the damping maps can be
// built from (with as many table loads as that state's energy curves have points).
inline void fill_damping_lines(int nlines, int NPTS = 16) {
    const float anchor_distance = fill_damping_line_type(NPTS);
    TPCM.NLIN = nlines;
    TPCM.IVESL(1) = nlines;
    for (int i = 1; i <= nlines; ++i) {
        const auto n = static_cast<std::size_t>(i - 1);
        TPCM.RFLD(1, i) = damping_fairlead_x[n];
        TPCM.RFLD(2, i) = damping_fairlead_y[n];
        TPCM.RFLD(3, i) = 0.0f;
        TPCM.RACC(1, i) = damping_fairlead_x[n];
        TPCM.RACC(2, i) = damping_fairlead_y[n];
        TPCM.RACC(3, i) = 10.0f;
        TPCM.ANGDEP(i) = damping_azimuth[n];
        LINCOM.LINEID(i) = 1;
        LINCOM.RANC(i) = anchor_distance;
        OUTCOM.DZTOTL(i, 4, 1) = static_cast<float>(damping_line_height);
    }
}

// The fixture's sea and motion run: a random sea of 4 m and 10 s from heading 0, unspread, for
// 3 hours, all six motions, the motion files written (ISPM 4), no point motions.
inline void fill_damping_sea() {
    TPCM.NEGSUM = 1;
    TPCM.hideOrmanelReports = 1;
    TPCM.LRANDM = 1;
    TPCM.WAVTYP = 1;
    TPCM.SWHT(1) = 4.0f;
    TPCM.SIGPD(1) = 10.0f;
    TPCM.NSEAHT = 1;
    TPCM.NSEAHG = 1;
    TPCM.SEAHDG(1) = 0.0f;
    TPCM.LSPRED = 0;
    TPCM.NDIR = 1;
    TPCM.WAVHDG(1) = 0.0f;
    TPCM.DURATN = 3.0f;
    for (int d = 1; d <= 6; ++d)
        TPCM.MOTION(d) = 1;
    TPCM.ISPM = 4;
    TPCM.LACC = 0;
    TPCM.LVEL = 0;
    TPCM.LDSP = 0;
    WAVCOM.G = 9.8f;
}

// Fills the fixture with `nlines` lines (1 to 4) and a grid of NWP (at least 2) periods evenly
// from 6 to 16 s, around the stand-in hull's natural periods. The motion run's displacement pass is
// off (LDSP 0), as in a data file that asks for no point motions.
inline void fill_damping_fixture(int nlines, int NWP) {
    fill_motion_image();
    TPCM.NWP = NWP;
    for (int k = 1; k <= NWP; ++k)
        TPCM.T(k) = 6.0f + 10.0f * static_cast<float>(k - 1) / static_cast<float>(NWP - 1);
    fill_damping_sea();
    TPCM.LWVCOF = 0x222; // wall-sided hull drift in every component
    fill_damping_lines(nlines);
    TPCM.SIMTYP = 8;
    TPCM.NBUG0 = 0;
}

// The anchor distances, line angles (degrees) and depths of the lines at the mean position.
struct MeanLines {
    std::vector<float> RANCHR = std::vector<float>(150, 0.0f);
    std::vector<float> ANGDPR = std::vector<float>(150, 0.0f);
    std::vector<float> ZANCHR = std::vector<float>(150, 0.0f);
};
inline MeanLines mean_lines() {
    MeanLines m;
    for (int i = 1; i <= TPCM.NLIN; ++i) {
        const auto n = static_cast<std::size_t>(i - 1);
        m.RANCHR[n] = LINCOM.RANC(i);
        m.ANGDPR[n] = TPCM.ANGDEP(i);
    }
    return m;
}

// The values of a damping-map entry: the fields of 14 columns from column 32 on.
inline std::vector<double> values_of(const std::string& entry) {
    std::vector<double> v;
    for (std::size_t at = 31; at + 14 <= entry.size(); at += 14)
        v.push_back(std::stod(entry.substr(at, 14)));
    return v;
}

} // namespace lintar::testing
