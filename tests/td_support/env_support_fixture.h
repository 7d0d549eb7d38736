// td_support/env_support_fixture.h: the state the environment side of the support data
// starts from: the ship of the motion set-up (metric, 31 periods 3 to 33 s, 1000 m of water)
// with a stand-in hull, every load off, the -cos/-sin wind and current models, the
// Pierson-Moskowitz spectrum of 3 m and 10 s for every wave system, and a "td_aux" folder.
#pragma once

#include "blocks/equilb.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/fake_hull_model.h"
#include "support/rao_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>

namespace lintar::testing {

// The Pierson-Moskowitz density of a 3 m sea of peak period 10 s at w (rad/s).
inline double support_sea_density(double w) {
    const double wp = 2.0 * std::numbers::pi / 10.0;
    return 5.0 / 16.0 * 9.0 * std::pow(wp, 4.0) / std::pow(w, 5.0) *
           std::exp(-1.25 * std::pow(wp / w, 4.0));
}

class EnvSupport : public ::testing::Test {
protected:
    ScratchFolder folder;
    ScriptedConsole console{std::string(10, '\n')};
    FakeHullModel fake;

    void SetUp() override {
        set_up_motion_run();
        install_hull_model(HullModelKind::ship, &fake);
        std::filesystem::create_directory("td_aux");
        TpcmBlock& T = TPCM;
        T.EDUNIT = screen_unit;
        T.LWIND = T.LCURNT = T.LRANDM = T.LSWELL = T.LSWEL2 = 0;
        T.AUXFRC = 0;
        T.LEGDRG = 1;
        T.LWVCOF = 0x444;
        T.WVFCX = T.WVFCY = T.WVFCM = 1.0f;
        T.LWBARG = 0x555;
        T.LCBARG = 0x777;
        T.TXWNDA = 800.0f;
        T.YWNDAR = 3000.0f;
        T.XWARM = 4.0f;
        T.YWARM = 1.0f;
        T.XCURAR = 320.0f;
        T.YCURAR = 2000.0f;
        T.XCARM = 0.0f;
        T.YCARM = 0.0f;
        T.TWNDCF = 1.2f;
        T.CURFAC = 0.9f;
        T.DWATR = 1025.0f;
        WAVCOM.RHOAIR = 0.128f;
        for (int k = 1; k <= T.NWP; ++k) {
            WAVCOM.WVK(k) = grid_wave_number(k);
            WAVCOM.WPSD(k) = WAVCOM.SWLPSD(k) = WAVCOM.SWLPSD2(k) =
                static_cast<float>(support_sea_density(WAVCOM.W(k)));
        }
        WAVCOM.BOWCF = 150.0f;
        WAVCOM.BEAMCF = 250.0f;
        EQUILB.YAWARM = 12.0f;
        EQUILB.VESANG() = 0.3f;
    }
};

} // namespace lintar::testing
