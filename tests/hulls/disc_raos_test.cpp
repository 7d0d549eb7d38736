// Tests of the disc buoy's RAOs (DSKRAO): the free-floating buoy follows long waves (surge and
// heave RAOs tend to 1), and the moored buoy's nonlinear surge correction never enlarges the
// surge RAO, reads its uniform offsets alike whether tabulated or not, and is skipped without
// an extreme wave.
#include "hulls/disc_hull.h"

#include "disc_fixture.h"

#include "blocks/himem.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/program_state.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

// The characteristics, the calibration pass and the forces of heading 0.
void characteristics_and_forces() {
    DSKCHR();
    std::int32_t pass = 0;
    DSKFRC(pass);
    pass = 5;
    DSKFRC(pass);
}

std::vector<SixDof> all_results() {
    std::vector<SixDof> r;
    for (int IW = 1; IW <= TPCM.NWP; ++IW)
        r.push_back(results_at(IW));
    return r;
}

void put_back(const std::vector<SixDof>& forces) {
    HimemBlock& H = HIMEM;
    for (int IW = 1; IW <= TPCM.NWP; ++IW) {
        const SixDof& f = forces[static_cast<std::size_t>(IW - 1)];
        const int c = IW - 1;
        H.CRLDUM(H.LCNSG + c) = f.v[0];
        H.CRLDUM(H.LCNSWY + c) = f.v[1];
        H.CRLDUM(H.LCNHV + c) = f.v[2];
        H.CRLDUM(H.LCNROL + c) = f.v[3];
        H.CRLDUM(H.LCNPIT + c) = f.v[4];
        H.CRLDUM(H.LCNYAW + c) = f.v[5];
    }
}

TEST(DSKRAO, FreeFloatingBuoyFollowsLongWaves) {
    // In a long deep-water wave a free body moves with the water: surge RAO k g / omega^2 = 1
    // (no restoring, the added mass cancelling in the force), heave RAO 1. At the 20 s period
    // k R = 0.031, whose depth factor and added-mass term leave 2 % in surge, 5 % in heave.
    reset_program_state();
    ScriptedConsole console;
    set_up_cylinder_buoy();
    characteristics_and_forces();
    DSKRAO();
    const SixDof longest = results_at(TPCM.NWP);
    EXPECT_NEAR(std::abs(longest.v[0]), 1.0, 0.03);
    EXPECT_NEAR(std::abs(longest.v[2]), 1.0, 0.05);
    for (int IW = 1; IW <= TPCM.NWP; ++IW) {
        SCOPED_TRACE(IW);
        const SixDof r = results_at(IW);
        EXPECT_LT(std::abs(r.v[1]), 1e-6f * std::abs(r.v[0])); // head seas: no sway
        EXPECT_EQ(r.v[5], std::complex<float>(0.0f, 0.0f));
        for (const auto& v : r.v)
            EXPECT_TRUE(std::isfinite(v.real()) && std::isfinite(v.imag()));
    }
    EXPECT_EQ(console.screen(), "");
}

TEST(DSKRAO, NonlinearSurgeCorrectionNeverEnlargesTheSurgeRao) {
    reset_program_state();
    ScriptedConsole console;
    set_up_cylinder_buoy();
    set_up_disc_mooring();
    TPCM.MORFBK = 1;
    characteristics_and_forces();
    const std::vector<SixDof> forces = all_results();

    // No extreme wave: no correction.
    WAVCOM.XTRMWV = 0.0f;
    DSKRAO();
    const std::vector<SixDof> linear = all_results();

    WAVCOM.XTRMWV = 10.0f;
    for (const std::int32_t LSPM : {0, 1}) {
        SCOPED_TRACE(LSPM);
        put_back(forces);
        TPCM.LSPM = LSPM;
        DSKRAO();
        bool reduced = false;
        for (int IW = 1; IW <= TPCM.NWP; ++IW) {
            SCOPED_TRACE(IW);
            const SixDof r = results_at(IW);
            const SixDof& l = linear[static_cast<std::size_t>(IW - 1)];
            EXPECT_LE(std::abs(r.v[0]), std::abs(l.v[0]) * (1.0f + 1e-6f));
            reduced = reduced || std::abs(r.v[0]) < 0.999f * std::abs(l.v[0]);
            // The phase is kept; the other modes are untouched.
            EXPECT_NEAR(std::arg(r.v[0]), std::arg(l.v[0]), 1e-5);
            for (int m = 1; m < 6; ++m)
                EXPECT_EQ(r.v[m], l.v[m]);
        }
        EXPECT_TRUE(reduced);
    }
    EXPECT_EQ(console.screen(), "");
}

TEST(DSKRAO, TabulatedUniformOffsetsCorrectAsTheStep) {
    reset_program_state();
    ScriptedConsole console;
    set_up_cylinder_buoy();
    set_up_disc_mooring();
    TPCM.MORFBK = 1;
    characteristics_and_forces();
    const std::vector<SixDof> forces = all_results();
    TPCM.LSPM = 0;
    DSKRAO();
    const std::vector<SixDof> stepped = all_results();
    put_back(forces);
    TPCM.LSPM = 1;
    DSKRAO();
    for (int IW = 1; IW <= TPCM.NWP; ++IW) {
        SCOPED_TRACE(IW);
        const auto a = std::abs(results_at(IW).v[0]);
        const auto b = std::abs(stepped[static_cast<std::size_t>(IW - 1)].v[0]);
        EXPECT_NEAR(a, b, 1e-4f * b);
    }
}

TEST(DSKRAO, UserSurgePeriodCorrectsWithTheSpringOfThatPeriod) {
    // A surge period given by the user (SGK holds 2 pi / WSG) is the computed spring of the
    // same frequency: the same RAO, corrected alike, not with the period taken for a spring.
    reset_program_state();
    ScriptedConsole console;
    set_up_cylinder_buoy();
    set_up_disc_mooring();
    TPCM.MORFBK = 1;
    characteristics_and_forces();
    const std::vector<SixDof> forces = all_results();
    const float spring = TPCM.SGK;
    HIMEM.WSG = std::sqrt(spring / (WAVCOM.RHOWTR * HIMEM.SGMAS));
    DSKRAO();
    const std::vector<SixDof> computed = all_results();
    put_back(forces);
    TPCM.LSGPRD = 1;
    TPCM.SGK = 6.2831853f / HIMEM.WSG;
    DSKRAO();
    for (int IW = 1; IW <= TPCM.NWP; ++IW) {
        SCOPED_TRACE(IW);
        const auto a = std::abs(results_at(IW).v[0]);
        const auto b = std::abs(computed[static_cast<std::size_t>(IW - 1)].v[0]);
        EXPECT_NEAR(a, b, 1e-4f * b);
    }
}

} // namespace
} // namespace lintar
