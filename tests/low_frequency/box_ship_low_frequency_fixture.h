// low_frequency/box_ship_low_frequency_fixture.h: the box ship of the buoy's wave cycle
// (buoy_wave_cycle_fixture.h) on its catenary spread as the low-frequency report leaves it
// before its last chapter, and the same ship as a buoy arrangement whose offset report runs the
// wave cycle; shared by the tests of the line loads and of the report driver. Header-only.
#pragma once

#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "low_frequency/buoy_wave_cycle_fixture.h"
#include "low_frequency/low_frequency_loads_fixture.h"
#include "support/spread_mooring_tables.h"

namespace lintar::testing {

// The box ship held by the catenary spread of the buoy's wave cycle, at rest at the origin,
// heading 0, as the low-frequency report leaves it: every line at the pretension's distance
// along its azimuth, the surge statistics of the linear tests on quadratic curves over the 90
// table points, calm water (a wave cycle then stays where its mean load holds the body).
inline void box_ship_low_frequency_state() {
    moored_box_ship();
    TPCM.VESAN0 = 0.0f;
    EQUILB.VESANG() = 0.0f;
    TPCM.SLPHT = 0.0f;
    TPCM.IUNIT = 1;
    TPCM.LOWMOT = 1;
    TPCM.ONETWO = 1;
    TPCM.LEGACY_ID = 0;
    TPCM.LSPM = 0;
    const Chain chain;
    const CatenaryState s0 = elastic_catenary(chain, spread_H0, spread_depth);
    for (int i = 1; i <= 4; ++i) {
        LINCOM.RANCP(i) = static_cast<float>(s0.X);
        LINCOM.ANGDPP(i) = spread_azimuth[static_cast<std::size_t>(i - 1)];
        LINCOM.ZANCP(i) = 0.0f;
        OUTCOM.DZTOTL(i, 4, 1) = static_cast<float>(spread_depth);
        OUTCOM.TMEAN(i) = static_cast<float>(s0.T);
        OUTCOM.BMEAN(i) = static_cast<float>(spread_H0);
        OUTCOM.TOP_HINGAY_MEAN(i) = static_cast<float>(s0.angle);
    }
    fill_quadratic_curves(90);
    ERGCOM.SRGOFF = 1.0f;
    EQUILB.FXENV = 40.0f;
    EQUILB.SXWND = 40.0f;
    set_surge_statistics();
}

// The box ship as a buoy arrangement (line 4 the hawser) with the offset report asked for.
inline void box_ship_two_body_state() {
    box_ship_low_frequency_state();
    TPCM.CATFBK = 1;
    TPCM.IARCO = 1;
    TPCM.HAWSLN = 4;
    TPCM.HAWSTP = 1;
}

} // namespace lintar::testing
