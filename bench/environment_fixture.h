// bench/environment_fixture.h: the environment of the equilibrium benchmarks: a metric ship of
// 200 x 32 x 10 m in 300 m of water on 100 periods, with every load on (wind, current, seas and
// a swell with drift and drag, a user force), the console discarded, and the stand-in hull whose
// decaying RAOs cost next to nothing, so that the figures are the environment's own.
#pragma once

#include "blocks/equilb.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "datafile/new_file_defaults.h"
#include "motions/wave_setup.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/fake_hull_model.h"
#include "support/motion_fixture.h"
#include "util/wave_numbers.h"

#include <cmath>
#include <string>

namespace lintar::bench {

constexpr int periods = 100;

struct Environment {
    testing::ScriptedConsole console{std::string(1000, '\n')};
    testing::DecayingRaoHull hull;

    Environment() {
        TpcmBlock& T = TPCM;
        new_file_defaults(8, tpcm_word_count);
        T.NTOGO = tpcm_word_count;
        T.SIMTYP = 8;
        T.EDUNIT = screen_unit;
        T.NWP = periods;
        for (int k = 1; k <= periods; ++k)
            T.T(k) = 3.0f + 0.2f * static_cast<float>(k - 1);
        testing::fill_metric_ship(300.0f);
        T.VKG = 12.0f;
        T.NEGSUM = 1;
        T.hideOrmanelReports = 1;
        T.NDIR = 1;
        T.WAVHDG(1) = 0.0f;
        T.LRANDM = 0;
        VESL1();
        for (int k = 1; k <= periods; ++k) {
            const float w = WAVCOM.W(k);
            WAVCOM.WVK(k) = wave_number(w, T.DEPTH, WAVCOM.G);
            const float wp = 0.6f;
            const float sea = 5.0f / 16.0f * 16.0f * std::pow(wp, 4.0f) / std::pow(w, 5.0f) *
                              std::exp(-1.25f * std::pow(wp / w, 4.0f));
            WAVCOM.WPSD(k) = sea;
            WAVCOM.SWLPSD(k) = 0.3f * sea;
        }
        T.LRANDM = T.LSWELL = 1;
        T.SEAHDG(1) = 200.0f;
        T.SWLHDG = 240.0f;
        T.LWIND = T.LCURNT = 1;
        T.WNDHDG = 30.0f;
        T.CURHDG = 60.0f;
        T.CURSPD = 1.5f;
        T.LWBARG = 0x555;
        T.LCBARG = 0x777;
        T.TXWNDA = 800.0f;
        T.YWNDAR = 3000.0f;
        T.XCURAR = 320.0f;
        T.YCURAR = 2000.0f;
        SINES.WNDCOF = 0.0001f;
        SINES.CURCOF = 0.05f;
        SINES.HOVERD = 30.0f;
        T.LWVCOF = 0x444;
        T.WVFCX = T.WVFCY = T.WVFCM = 1.0f;
        WAVCOM.BOWCF = WAVCOM.BEAMCF = 200.0f;
        T.LEGDRG = 0;
        T.CURFAC = 1.0f;
        T.AUXFRC = 1;
        T.XVFRC = 20.0f;
        EQUILB.FEXTRN = 20.0f;
        EQUILB.YAWARM = 50.0f;
    }
};

} // namespace lintar::bench
