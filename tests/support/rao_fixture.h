// support/rao_fixture.h: the state the RAO driver's routines start from: the motion image of
// motion_fixture.h put through the wave-frequency set-up with a stand-in hull model, so that
// HIMEM holds the frequency and wave-number columns of 31 periods 3 to 33 s (metric, 1000 m).
#pragma once

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "motions/wave_setup.h"
#include "support/fake_hull_model.h"
#include "support/motion_fixture.h"

#include <array>
#include <cmath>
#include <complex>
#include <string>

namespace lintar::testing {

// The set-up of a run without reports and without random seas: one regular heading of 0
// degrees. The caller changes TPCM before the call through `adjust`.
template <class Adjust> void set_up_motion_run(Adjust adjust) {
    FakeHullModel fake;
    fill_motion_image();
    TPCM.NEGSUM = 1;
    TPCM.hideOrmanelReports = 1;
    TPCM.LRANDM = 0;
    TPCM.NDIR = 1;
    TPCM.WAVHDG(1) = 0.0f;
    adjust();
    VESL1();
}
inline void set_up_motion_run() {
    set_up_motion_run([] {});
}

// Frequency and wave number of grid point IW, from the set-up's columns.
inline float grid_frequency(int IW) {
    return HIMEM.RLDUM(HIMEM.LCNW + IW - 1);
}
inline float grid_wave_number(int IW) {
    return HIMEM.RLDUM(HIMEM.LCNWK + IW - 1);
}

// The six RAO columns at grid point IW (surge .. yaw).
inline std::array<std::complex<float>, 6> rao_columns(int IW) {
    std::array<std::complex<float>, 6> c{};
    for (int d = 0; d < 6; ++d)
        c[static_cast<std::size_t>(d)] = HIMEM.CRLDUM(d * HIMEM.NARRAY + IW).get();
    return c;
}

} // namespace lintar::testing
