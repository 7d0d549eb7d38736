// Tests of STAT1: a unit heave RAO under the Pierson-Moskowitz sea gives the sea's own m0 on
// the grid, long-crested and spread (the spreading weights sum to one); the swell locked to the
// seas or not; the last spreading step; the swell without random seas; the slot addressing of
// the point responses; the degrees of freedom not selected.
#include "motions/response_statistics.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "motions/response_indices.h"
#include "support/console.h"
#include "support/rao_fixture.h"

#include <complex>
#include <cstdint>
#include <gtest/gtest.h>

namespace lintar {
namespace {

using testing::ScriptedConsole;
using testing::set_up_motion_run;

// m0 of the one-parameter Pierson-Moskowitz sea of Hs 4 m (g = 9.8) by Simpson's rule over the
// 31 periods 3 to 33 s in double precision (the analytic 1.000190 less the tail beyond the
// grid), as in response_spectra_test.cpp.
constexpr double pm_m0_on_grid = 0.990122;
constexpr double float_rel = 2e-6; // a float sum of 31 terms: ~1e-6

// A sea of Hs 4 m at sea heading 0 (and 90 when two), long-crested or spread over NA 6 steps
// of a 180-degree sector with exponent COSEXP; optionally a swell of Hs 4 at 30 degrees.
struct Sea {
    bool spread = false;
    float COSEXP = 2.0f;
    int headings = 1;
    bool random = true;
    float sea_height = 4.0f;
    std::int32_t WAVTYP = 1; // 6, Bretschneider, for a sea of no height
    bool swell = false;
    bool locked = false;
};

void set_up(const Sea& sea) {
    set_up_motion_run([&] {
        TPCM.LRANDM = sea.random ? 1 : 0;
        TPCM.WAVTYP = sea.WAVTYP;
        TPCM.SWHT(1) = sea.sea_height;
        TPCM.SIGPD(1) = 10.0f;
        TPCM.NSEAHT = 1;
        TPCM.NSEAHG = sea.headings;
        TPCM.SEAHDG(1) = 0.0f;
        TPCM.SEAHDG(2) = 90.0f;
        TPCM.LSPRED = sea.spread ? 1 : 0;
        TPCM.NA = 6;
        TPCM.ANGSEC = 180.0f;
        TPCM.COSEXP = sea.COSEXP;
        TPCM.LSWELL = sea.swell ? 1 : 0;
        TPCM.SWLTYP = 1;
        TPCM.SWELHT = 4.0f;
        TPCM.SWELPD = 10.0f;
        TPCM.SWLHDG = 30.0f;
        TPCM.LSWLOK = sea.locked ? 1 : 0;
    });
    for (int d = 1; d <= 6; ++d)
        TPCM.MOTION(d) = 1;
    TPCM.VFWD = 0.0f;
    TPCM.LCGFLG = 0;
}

// Heave 1 + 0i and every other RAO 0 at every grid frequency.
void unit_heave() {
    for (int IW = 1; IW <= TPCM.NWP; ++IW)
        for (int d = 0; d < 6; ++d)
            HIMEM.CRLDUM(d * HIMEM.NARRAY + IW) = std::complex<float>(d == 2 ? 1.0f : 0.0f, 0.0f);
}

// STAT1 on the motion slots for heading slot IRAO.
void motion_statistics(std::int32_t IRAO) {
    WAVCOM.IRAO = IRAO;
    HIMEM.LFRFLG = 0;
    HIMEM.LOCSIG = HIMEM.LCNMOT;
    STAT1();
}

float slot_m0(std::int32_t IHT, std::int32_t IHD, std::int32_t R) {
    const HimemBlock& H = HIMEM;
    return H.RLDUM(LOCAT0(H.NHTNHD, H.MAXHT, IHD, IHT, R, H.LOCSIG));
}

TEST(Stat1, UnitHeaveGivesTheSeasMomentLongCrestedAndSpread) {
    struct Row {
        const char* what;
        bool spread;
        float COSEXP;
        double sum_of_weights; // of the Simpson-weighted cos^n steps over the sector
        double tol;
    };
    const Row rows[] = {
        {"long-crested", false, 2.0f, 1.0, float_rel},
        // cos^2: Simpson is exact for the trigonometric sum of this step: 1 in single precision.
        {"spread, exponent 2", true, 2.0f, 1.0, 1e-5},
        // cos^1: Simpson's error on 6 steps of the sector: 1.00043.
        {"spread, exponent 1", true, 1.0f, 1.00043, 1e-5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScriptedConsole console;
        Sea sea;
        sea.spread = row.spread;
        sea.COSEXP = row.COSEXP;
        set_up(sea);
        for (std::int32_t IRAO = 1; IRAO <= WAVCOM.NRAO; ++IRAO) {
            unit_heave();
            motion_statistics(IRAO);
        }
        EXPECT_NEAR(slot_m0(1, 1, 3), pm_m0_on_grid * row.sum_of_weights, row.tol * pm_m0_on_grid);
        EXPECT_GT(HIMEM.RLDUM(LOCAT0(HIMEM.NHTNHD, HIMEM.MAXHT, 1, 1, 3, HIMEM.LOCSIG) + 1), 0.0f);
        for (const int R : {1, 2, 4, 5, 6})
            EXPECT_EQ(slot_m0(1, 1, R), 0.0f);
        // The sea spectrum and its moments are kept for later calls.
        EXPECT_EQ(WAVCOM.LWVCMP, 1);
        EXPECT_NEAR(HIMEM.RLDUM(HIMEM.LCNWV), pm_m0_on_grid, float_rel * pm_m0_on_grid);
    }
}

TEST(Stat1, LastSpreadingStepAddsNothingAndOtherHeadingsNothing) {
    ScriptedConsole console;
    Sea sea;
    sea.spread = true;
    set_up(sea);
    unit_heave();
    // The last step of the sector (+90 degrees) has no weight.
    motion_statistics(HIMEM.INTGFL(TPCM.NA + 1, 1));
    EXPECT_EQ(slot_m0(1, 1, 3), 0.0f);
    // The middle step (0 degrees): Simpson weight 4 and cos 0 = 1.
    motion_statistics(HIMEM.INTGFL(TPCM.NA / 2 + 1, 1));
    const double middle = WAVCOM.ANGNRM * 4.0 * pm_m0_on_grid;
    EXPECT_NEAR(slot_m0(1, 1, 3), middle, 1e-5 * middle);
}

TEST(Stat1, SwellLockedToTheSeasEntersOnlyItsSlot) {
    for (const bool locked : {true, false}) {
        SCOPED_TRACE(locked ? "locked" : "unlocked");
        ScriptedConsole console;
        Sea sea;
        sea.headings = 2;
        sea.sea_height = 0.0f; // the swell alone
        sea.WAVTYP = 6;
        sea.swell = true;
        sea.locked = locked;
        set_up(sea);
        unit_heave();
        // The swell of the first sea heading (30 degrees from it).
        const std::int32_t IRAO = locked ? HIMEM.ISWL(1) : WAVCOM.ISWELL;
        motion_statistics(IRAO);
        EXPECT_NEAR(slot_m0(1, 1, 3), pm_m0_on_grid, float_rel * pm_m0_on_grid);
        EXPECT_NEAR(slot_m0(1, 2, 3), locked ? 0.0 : pm_m0_on_grid, float_rel * pm_m0_on_grid);
        EXPECT_NEAR(HIMEM.RLDUM(HIMEM.LCNSWL), pm_m0_on_grid, float_rel * pm_m0_on_grid);
    }
}

TEST(Stat1, SwellWithoutRandomSeasFillsTheFirstSlot) {
    ScriptedConsole console;
    Sea sea;
    sea.random = false;
    sea.swell = true;
    set_up(sea);
    EXPECT_EQ(TPCM.NSEAHT, 0);
    EXPECT_EQ(TPCM.NSEAHG, 0);
    unit_heave();
    motion_statistics(WAVCOM.ISWELL);
    EXPECT_NEAR(slot_m0(1, 1, 3), pm_m0_on_grid, float_rel * pm_m0_on_grid);
    EXPECT_EQ(slot_m0(2, 1, 3), 0.0f);
    EXPECT_EQ(slot_m0(1, 2, 3), 0.0f);
}

TEST(Stat1, PointResponsesFillTheSlotsOfTheirGroupAndUnselectedMotionsNone) {
    ScriptedConsole console;
    set_up(Sea{});
    const std::int32_t IRAO = HIMEM.IRAN(1);
    // Group 2 of two points: six responses of constant squared modulus r / 10.
    HIMEM.LFRFLG = 4;
    HIMEM.LOCSIG = HIMEM.LCNDSP;
    HIMEM.NCOL = 2;
    HIMEM.IREP = 2;
    HIMEM.LBASEX = HIMEM.LACRAO;
    for (int r = 1; r <= 6; ++r)
        for (int IW = 1; IW <= TPCM.NWP; ++IW)
            HIMEM.RLDUM(HIMEM.LBASEX + (r - 1) * HIMEM.NARRAY + IW - 1) = 0.1f * r;
    WAVCOM.IRAO = IRAO;
    STAT1();
    for (int r = 1; r <= 6; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(slot_m0(1, 1, r), 0.0f);
        EXPECT_NEAR(slot_m0(1, 1, 6 + r), 0.1 * r * pm_m0_on_grid, 1e-5);
    }
    // Motions not selected in MOTION get nothing.
    unit_heave();
    TPCM.MOTION(3) = 0;
    motion_statistics(IRAO);
    EXPECT_EQ(slot_m0(1, 1, 3), 0.0f);
}

} // namespace
} // namespace lintar
