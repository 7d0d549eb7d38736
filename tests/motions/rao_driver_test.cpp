// Tests of the RAO driver VESL2: the heave statistics of unit user RAOs under the
// Pierson-Moskowitz sea (the sea's own m0 on the grid) in the motion and point-displacement
// slots, the trim and heel rotation it shares with the mooring force, and the motion files of
// the arrangements.
#include "motions/rao_driver.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "lines/mooring_force.h"
#include "motions/motion_files.h"
#include "motions/rao_fixture.h"
#include "motions/response_indices.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/fake_hull_model.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::FakeHullModel;
using testing::ScratchFolder;
using testing::ScriptedConsole;
using testing::set_up_motion_run;

constexpr double pm_m0_on_grid = 0.990122; // as in response_statistics_test.cpp

const std::string unit_heave_file = "2 2\n0\n0.1 0 0 0 0 1 0 0 0 0 0 0 0\n"
                                    "2.2 0 0 0 0 1 0 0 0 0 0 0 0\n180\n"
                                    "0.1 0 0 0 0 1 0 0 0 0 0 0 0\n"
                                    "2.2 0 0 0 0 1 0 0 0 0 0 0 0\n";

void sea_state(bool random) {
    set_up_motion_run([&] {
        TPCM.LRANDM = random ? 1 : 0;
        TPCM.WAVTYP = 1;
        TPCM.SWHT(1) = 4.0f;
        TPCM.SIGPD(1) = 10.0f;
        TPCM.NSEAHT = 1;
        TPCM.NSEAHG = 1;
        TPCM.SEAHDG(1) = 0.0f;
        TPCM.LSPRED = 0;
    });
    for (int d = 1; d <= 6; ++d)
        TPCM.MOTION(d) = 1;
    TPCM.AUXVSH = 1;
    TPCM.IVESL(1) = 1;
    TPCM.RACC(1, 1) = 10.0f;
    TPCM.RACC(2, 1) = 5.0f;
    TPCM.RACC(3, 1) = 2.0f;
    TPCM.LDSP = 1;
}

TEST(Vesl2, UnitUserHeaveGivesTheSeasMomentAtTheVesselAndAtAPoint) {
    ScratchFolder folder;
    ScriptedConsole console;
    folder.write("USERRAOS.txt", unit_heave_file);
    sea_state(true);
    FakeHullModel fake; // after the set-up, which installs and removes its own
    VESL2();
    const HimemBlock& H = HIMEM;
    EXPECT_NEAR(H.RLDUM(LOCAT0(H.NHTNHD, H.MAXHT, 1, 1, 3, H.LCNMOT)), pm_m0_on_grid,
                2e-6 * pm_m0_on_grid);
    // The point (10, 5, 2) moves with the heave alone: its vertical displacement is the heave.
    EXPECT_NEAR(H.RLDUM(LOCAT0(H.NHTNHD, H.MAXHT, 1, 1, 3, H.LCNDSP)), pm_m0_on_grid,
                2e-6 * pm_m0_on_grid);
    EXPECT_EQ(H.RLDUM(LOCAT0(H.NHTNHD, H.MAXHT, 1, 1, 1, H.LCNDSP)), 0.0f);
    EXPECT_FALSE(folder.has("FAIRMOT")); // ISPM 0: no motion file
}

TEST(Vesl2, RotationIsTheMooringForceRotationTheOtherWayRound) {
    ScratchFolder folder;
    ScriptedConsole console;
    folder.write("USERRAOS.txt", unit_heave_file);
    sea_state(false);
    FakeHullModel fake;
    TPCM.TRIMDG = 3.0f;
    TPCM.HEELDG = -2.0f;
    VESL2();
    const float t = 3.0f / 57.295776f;
    const float h = -2.0f / 57.295776f;
    // Rows (cos t, 0, -sin t), (sin t sin h, cos h, cos t sin h), (sin t cos h, -sin h,
    // cos t cos h).
    const float rows[3][3] = {{std::cos(t), 0.0f, -std::sin(t)},
                              {std::sin(t) * std::sin(h), std::cos(h), std::cos(t) * std::sin(h)},
                              {std::sin(t) * std::cos(h), -std::sin(h), std::cos(t) * std::cos(h)}};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            EXPECT_NEAR(HIMEM.ROTVES(i, j), rows[i - 1][j - 1], 1e-7);
}

TEST(Vesl2, MotionFilesOfTheArrangements) {
    {
        // ISPM 1: "YOKEMOT" is made and holds none of the driver's records.
        ScratchFolder folder;
        ScriptedConsole console;
        folder.write("USERRAOS.txt", unit_heave_file);
        sea_state(false);
        FakeHullModel fake;
        TPCM.LDSP = 0;
        TPCM.ISPM = 1;
        VESL2();
        ASSERT_TRUE(folder.has("YOKEMOT"));
        EXPECT_EQ(folder.read("YOKEMOT"), "");
    }
    // ISPM 4, regular waves only, no displacement pass: the count and the heading records.
    ScratchFolder folder;
    ScriptedConsole console;
    folder.write("USERRAOS.txt", unit_heave_file);
    open_motion_file_for_writing(line_angle_unit, "LINEANG", "TEST", screen_unit);
    close_unit(line_angle_unit);
    sea_state(false);
    FakeHullModel fake;
    TPCM.LDSP = 0;
    TPCM.ISPM = 4;
    TPCM.NLIN = 1;
    VESL2();
    open_motion_file_for_reading(other_body_unit, "FAIRMOT", "TEST", screen_unit);
    MotionFileReader in(other_body_unit, "FAIRMOT", "TEST", screen_unit);
    ASSERT_EQ(in.heading_count(), WAVCOM.NRAO);
    for (int IRAO = 1; IRAO <= WAVCOM.NRAO; ++IRAO)
        EXPECT_EQ(in.heading_record().first, HIMEM.REDANG(IRAO));
    std::uint32_t extra = 0;
    EXPECT_EQ(read_words(other_body_unit, std::span<std::uint32_t>(&extra, 1)), 0u);
}

} // namespace
} // namespace lintar
