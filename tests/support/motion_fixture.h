// support/motion_fixture.h: the data image of the vessel-motion tests: a new data file with a
// grid of 31 periods 3 to 33 s, metric units, 1000 m of water and a displacement hull.
#pragma once

#include "blocks/tpcm.h"
#include "support/mooring_fixture.h"

namespace lintar::testing {

inline constexpr int motion_grid_size = 31;

// The hull of the motion tests in metric units: a displacement hull of 200 x 32 m at 10 m draft
// in sea water of 1025 kg/m3, DEPTH deep.
inline void fill_metric_ship(float DEPTH) {
    TPCM.NUNTS = 1;
    TPCM.DEPTH = DEPTH;
    TPCM.DWATR = 1025.0f;
    TPCM.DRAFT = 10.0f;
    TPCM.LWL = 200.0f;
    TPCM.BWL = 32.0f;
    TPCM.VESTYP = 1;
    TPCM.SEMI_LIKE = 0;
}

inline void fill_motion_image() {
    fill_new_file();
    TPCM.NWP = motion_grid_size;
    for (int k = 1; k <= motion_grid_size; ++k)
        TPCM.T(k) = static_cast<float>(2 + k);
    fill_metric_ship(1000.0f);
    TPCM.ISPM = 0;
    TPCM.IUNIT = 1;
    TPCM.NEGSUM = 1;
    TPCM.NBUG0 = 0;
    TPCM.IYEAR = 2026;
}

} // namespace lintar::testing
