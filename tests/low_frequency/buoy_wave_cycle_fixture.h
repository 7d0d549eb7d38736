// low_frequency/buoy_wave_cycle_fixture.h: the box ship of the ship-hull tests (100 x 20 x 5 ft,
// 640 kips) on 31 periods 3 to 33 s in 300 ft of water under a regular wave of height 2 ft
// from 30 degrees, held by the four-line chain spread whose tables come from the elastic
// catenary (fairleads at the waterline corners, anchors 300 ft below, seabed friction), heading
// 0.2 rad, English units: the body the buoy's wave cycle is stepped on, shared by the tests of
// the cycle and of the low-frequency line loads that run it.
#pragma once

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "support/mooring_fixture.h"
#include "support/ship_fixture.h"
#include "support/spread_mooring_tables.h"

namespace lintar::testing {

inline constexpr int buoy_report_unit = 21;
inline constexpr float buoy_seabed_friction = 0.5f; // friction factor of the chain

inline void moored_box_ship() {
    fill_new_file();
    TpcmBlock& P = TPCM;
    fill_box_ship_hull();
    P.NWP = 31;
    for (int k = 1; k <= 31; ++k)
        P.T(k) = static_cast<float>(2 + k);
    P.DEPTH = 300.0f;
    P.ISPM = 0;
    P.NBUG0 = 0;
    P.IYEAR = 2026;
    P.hideOrmanelReports = 1;
    P.LRANDM = 0;
    P.LSWELL = 0;
    P.NDIR = 1;
    P.WAVHDG(1) = 30.0f;
    P.SLPHT = 2.0f;
    P.LSLPHT = 0;
    P.NEGSUM = 0;
    P.IPLOTS = 2;
    P.SEAHDG(1) = 10.0f;
    P.CURHDG = 20.0f;
    P.WNDHDG = 40.0f;
    P.SWLHDG = 50.0f;
    P.SWLHDG2 = 60.0f;
    P.VGLDIR = 70.0f;

    const Chain chain;
    fill_spread_tables(chain, 5, 10.0f);
    P.DRAFT = box_T; // the tables' fixture clears it
    for (int i = 1; i <= 4; ++i)
        P.RFLD(3, i) = 5.0f; // at the waterline, 5 ft above the keel
    P.TLOAD = static_cast<float>(spread_Hmax);
    P.NTYP = 1;
    P.NELEM(1) = 1;
    P.SLEN(1, 1) = static_cast<float>(chain.L);
    P.WETWT(1, 1) = static_cast<float>(chain.w);
    P.ALPHA(1, 1, 1) = static_cast<float>(1.0 / chain.EA);
    LINCOM.TOTLN(1) = static_cast<float>(chain.L);
    // Seabed friction: the factor times the grounded weight.
    for (int k = 1; k <= 90; ++k)
        for (int L = 1; L <= 5; ++L)
            LINCOM.FFRICT(k, L, 1) =
                buoy_seabed_friction * static_cast<float>(chain.w) * LINCOM.BOTLEN(k, L, 1);
    P.VESAN0 = 0.2f;
    EQUILB.VESANG() = 0.2f;
    P.IUNIT = buoy_report_unit;
}

} // namespace lintar::testing
