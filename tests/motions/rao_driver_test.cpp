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
#include "motions/response_indices.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/fake_hull_model.h"
#include "support/rao_fixture.h"

#include <array>
#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::FakeHullModel;
using testing::grid_wave_number;
using testing::run_until_stop;
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

// The rotation of the mooring force for trim 3 and heel -2 degrees, row i column j.
std::array<std::array<double, 3>, 3> trim_heel_rows() {
    const double t = 3.0 / 57.295776;
    const double h = -2.0 / 57.295776;
    return {{{std::cos(t), 0.0, -std::sin(t)},
             {std::sin(t) * std::sin(h), std::cos(h), std::cos(t) * std::sin(h)},
             {std::sin(t) * std::cos(h), -std::sin(h), std::cos(t) * std::cos(h)}}};
}

TEST(Vesl2, TrimAndHeelRotateTheColumnsForTheStatisticsAndBack) {
    using testing::rao_columns;
    const auto R = trim_heel_rows();
    const double m0 = pm_m0_on_grid;
    auto heave_m0 = [] {
        const HimemBlock& H = HIMEM;
        return H.RLDUM(LOCAT0(H.NHTNHD, H.MAXHT, 1, 1, 3, H.LCNMOT));
    };
    {
        // The hull model's RAOs: the statistics see them rotated, and rotated back they are
        // what the model gave, to single-precision rounding.
        ScratchFolder folder;
        ScriptedConsole console;
        sea_state(true);
        FakeHullModel fake;
        TPCM.AUXVSH = 0;
        TPCM.LDSP = 0;
        TPCM.TRIMDG = 3.0f;
        TPCM.HEELDG = -2.0f;
        VESL2();
        std::complex<double> heave = 0.0;
        for (std::size_t j = 0; j < 3; ++j)
            heave += R[2][j] * std::complex<double>(fake.rao[j]);
        EXPECT_NEAR(heave_m0(), std::norm(heave) * m0, 2e-6 * m0);
        for (int IW : {1, 31}) {
            const auto c = rao_columns(IW);
            for (std::size_t d = 0; d < 6; ++d) {
                EXPECT_NEAR(c[d].real(), fake.rao[d].real(), 2e-7);
                EXPECT_NEAR(c[d].imag(), fake.rao[d].imag(), 2e-7);
            }
        }
    }
    {
        // Trim and heel 0: nothing is rotated.
        ScratchFolder folder;
        ScriptedConsole console;
        sea_state(true);
        FakeHullModel fake;
        TPCM.AUXVSH = 0;
        TPCM.LDSP = 0;
        VESL2();
        EXPECT_NEAR(heave_m0(), std::norm(std::complex<double>(fake.rao[2])) * m0, 2e-6 * m0);
        for (std::size_t d = 0; d < 6; ++d)
            EXPECT_EQ(rao_columns(7)[d], fake.rao[d]);
    }
    for (const std::int32_t DECKUP : {0, 1}) {
        // User heave 1: in deck axes (DECKUP 1) the statistics take it as it is and it is
        // rotated back only, to the third row of the rotation; in body axes it is rotated for
        // the statistics and left so.
        SCOPED_TRACE(DECKUP);
        ScratchFolder folder;
        ScriptedConsole console;
        folder.write("USERRAOS.txt", unit_heave_file);
        sea_state(true);
        FakeHullModel fake;
        TPCM.LDSP = 0;
        TPCM.DECKUP = DECKUP;
        TPCM.TRIMDG = 3.0f;
        TPCM.HEELDG = -2.0f;
        VESL2();
        const double seen = DECKUP == 1 ? 1.0 : R[2][2] * R[2][2];
        EXPECT_NEAR(heave_m0(), seen * m0, 2e-6 * m0);
        const auto c = rao_columns(12);
        for (std::size_t i = 0; i < 3; ++i) {
            const double expected = DECKUP == 1 ? R[2][i] : R[i][2];
            EXPECT_NEAR(c[i].real(), expected, 2e-7);
            EXPECT_NEAR(c[i].imag(), 0.0, 2e-7);
        }
    }
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

// Two bodies: the barge of a towed pair (ISPM 3, program code 10) under user heave 1 at the
// relative headings 0 and 90 degrees, its bow point (10, 0, 5) and the tug's stern (-60, 0, 5),
// both lines' tangents vertical, CNTSEP 50 m.
using Cx = std::complex<float>;
constexpr float barge_separation = 50.0f;

void barge_run(bool point_passes) {
    set_up_motion_run([] {
        TPCM.NDIR = 2;
        TPCM.WAVHDG(1) = 0.0f;
        TPCM.WAVHDG(2) = 90.0f;
    });
    for (int d = 1; d <= 6; ++d)
        TPCM.MOTION(d) = 1;
    TPCM.AUXVSH = 1;
    TPCM.ISPM = 3;
    TPCM.SIMTYP = 10;
    TPCM.IANC = 0;
    TPCM.CNTSEP = barge_separation;
    TPCM.NLIN = 2;
    TPCM.IVESL(1) = 2;
    const float points[2][3] = {{10.0f, 0.0f, 5.0f}, {-60.0f, 0.0f, 5.0f}};
    for (int i = 1; i <= 2; ++i)
        for (int c = 1; c <= 3; ++c)
            TPCM.RACC(c, i) = points[i - 1][c - 1];
    const std::int32_t on = point_passes ? 1 : 0;
    TPCM.LACC = on;
    TPCM.LVEL = on;
    TPCM.LDSP = on;
}

// "LINEANG" of NRAO blocks of two vertical tangents: exactly one block per heading.
void vertical_line_angles(std::int32_t NRAO) {
    open_motion_file_for_writing(line_angle_unit, "LINEANG", "TEST", screen_unit);
    const std::vector<std::array<float, 2>> vertical{{0.0f, 0.0f}, {0.0f, 0.0f}};
    for (std::int32_t h = 1; h <= NRAO; ++h)
        write_line_angle_block(line_angle_unit, vertical);
    close_unit(line_angle_unit);
}

// The tug's file as its own run writes it: per heading its heading record, the set-up record
// and, per frequency, the records of its two points (group order: frequency, then point).
// Value m of point p at heading h and grid point IW is (1000 h + 100 p + IW, m). `blocks` cuts
// the file after that many heading blocks; without `setup` the blocks hold the heading records
// only (the tug ran no displacement pass).
std::vector<Cx> tug_values(int h, int p, int IW) {
    std::vector<Cx> v;
    for (int m = 0; m < 9; ++m)
        v.emplace_back(static_cast<float>(1000 * h + 100 * p + IW), static_cast<float>(m));
    return v;
}
void write_tug_file(std::int32_t NRAO, std::int32_t blocks, bool setup) {
    open_motion_file_for_writing(motion_file_unit, "TUGSTERN", "TEST", screen_unit);
    write_heading_count(motion_file_unit, NRAO);
    for (int h = 1; h <= blocks; ++h) {
        write_heading_record(motion_file_unit, HIMEM.REDANG(h), false);
        if (!setup)
            continue;
        write_heading_setup(motion_file_unit, NRAO, 0, 0, 0, HIMEM.REDANG(h) / 57.295776f);
        for (int IW = 1; IW <= TPCM.NWP; ++IW)
            for (int p = 1; p <= 2; ++p)
                write_point_record(motion_file_unit, tug_values(h, p, IW));
    }
    close_unit(motion_file_unit);
}

// A single-vessel mooring (ISPM 4) of two lines with both points at (10, 0, 5) and
// (-10, 0, 5), user heave 1, the random sea of sea_state at heading 0 and the regular heading
// 90, all three point passes. "LINEANG" holds one block per heading, the tangents of heading h
// at theta 0.3 h in the x, z plane: t = (sin, 0, cos), n = (0, 1, 0), b = (cos, 0, -sin), so
// heave 1 on the line axes is (sin theta, 0, -cos theta).
float block_theta(int h) {
    return 0.3f * static_cast<float>(h);
}

void mooring_run(std::int32_t NLIN) {
    set_up_motion_run([] {
        TPCM.LRANDM = 1;
        TPCM.WAVTYP = 1;
        TPCM.SWHT(1) = 4.0f;
        TPCM.SIGPD(1) = 10.0f;
        TPCM.NSEAHT = 1;
        TPCM.NSEAHG = 1;
        TPCM.SEAHDG(1) = 0.0f;
        TPCM.LSPRED = 0;
        TPCM.NDIR = 2;
        TPCM.WAVHDG(2) = 90.0f;
    });
    for (int d = 1; d <= 6; ++d)
        TPCM.MOTION(d) = 1;
    TPCM.AUXVSH = 1;
    TPCM.ISPM = 4;
    TPCM.NLIN = NLIN;
    TPCM.IVESL(1) = 2;
    const float x[2] = {10.0f, -10.0f};
    for (int i = 1; i <= 2; ++i) {
        TPCM.RACC(1, i) = x[i - 1];
        TPCM.RACC(2, i) = 0.0f;
        TPCM.RACC(3, i) = 5.0f;
    }
    TPCM.LACC = 1;
    TPCM.LVEL = 1;
    TPCM.LDSP = 1;
    open_motion_file_for_writing(line_angle_unit, "LINEANG", "TEST", screen_unit);
    for (int h = 1; h <= WAVCOM.NRAO; ++h)
        write_line_angle_block(line_angle_unit,
                               std::vector<std::array<float, 2>>(2, {block_theta(h), 0.0f}));
    close_unit(line_angle_unit);
}

TEST(Vesl2, AllThreePassesWriteAFairmotTheLineDampingReads) {
    ScratchFolder folder;
    ScriptedConsole console;
    folder.write("USERRAOS.txt", unit_heave_file);
    mooring_run(2);
    FakeHullModel fake;
    const std::int32_t NRAO = WAVCOM.NRAO;
    ASSERT_EQ(NRAO, 2);
    VESL2(); // "LINEANG" runs short if any call but one per heading reads a block
    EXPECT_EQ(console.screen(), "");

    open_motion_file_for_reading(other_body_unit, "FAIRMOT", "TEST", screen_unit);
    MotionFileReader in(other_body_unit, "FAIRMOT", "TEST", screen_unit);
    ASSERT_EQ(in.heading_count(), NRAO);
    int sea_heading = 0;
    for (int h = 1; h <= NRAO; ++h) {
        SCOPED_TRACE(h);
        EXPECT_EQ(in.heading_record().first, HIMEM.REDANG(h));
        if (HIMEM.REDANG(h) == 0.0f)
            sea_heading = h;
        const HeadingSetup setup = in.heading_setup(); // one set-up record per heading
        EXPECT_EQ(setup.NRAO, NRAO);
        EXPECT_NEAR(setup.heading_radians, HIMEM.REDANG(h) / 57.295776, 1e-7);
        EXPECT_EQ(setup.IRANFG, HIMEM.REDANG(h) == 0.0f ? 1 : 0);
        const double theta = block_theta(h);
        for (int IW = 1; IW <= TPCM.NWP; ++IW) {
            for (int p = 1; p <= 2; ++p) { // one set of point records per heading
                const auto rec = in.point_record(9);
                EXPECT_NEAR(rec[0].real(), std::sin(theta), 1e-6);
                EXPECT_NEAR(std::abs(rec[1]), 0.0, 1e-7);
                EXPECT_NEAR(rec[2].real(), -std::cos(theta), 1e-6);
                for (std::size_t m = 3; m < 9; ++m)
                    EXPECT_EQ(rec[m], Cx(0.0f, 0.0f));
            }
        }
    }
    ASSERT_NE(sea_heading, 0);
    // The acceleration and velocity passes, which run before the displacement pass of their
    // heading, resolve on that heading's angles as well: x over z of the point is tan^2 theta.
    {
        const HimemBlock& H = HIMEM;
        const double tan2 = std::pow(std::tan(static_cast<double>(block_theta(sea_heading))), 2);
        for (const std::int32_t base : {H.LCNACC, H.LCNVEL, H.LCNDSP}) {
            const double x = H.RLDUM(LOCAT0(H.NHTNHD, H.MAXHT, 1, 1, 1, base));
            const double z = H.RLDUM(LOCAT0(H.NHTNHD, H.MAXHT, 1, 1, 3, base));
            ASSERT_GT(z, 0.0);
            EXPECT_NEAR(x / z, tan2, 1e-5 * tan2) << base;
        }
    }
    // The sea state: 4 sqrt(m0) of the sea, then per line the hinge pairs (no rotation: 0), the
    // horizontal pair sin(theta) sqrt(m0) and the vertical pair cos(theta) sqrt(m0), with the
    // angles of the heading the sea comes from.
    const double m0 = pm_m0_on_grid;
    const auto header = in.sea_state_header();
    EXPECT_NEAR(header[0], 4.0 * std::sqrt(m0), 1e-5);
    EXPECT_EQ(header[1], 0.0f);
    EXPECT_EQ(header[2], 0.0f);
    const double theta = block_theta(sea_heading);
    for (int line = 1; line <= 2; ++line) {
        SCOPED_TRACE(line);
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(in.pair().first, 0.0f);
        EXPECT_NEAR(in.pair().first, std::sin(theta) * std::sqrt(m0), 2e-6);
        EXPECT_NEAR(in.pair().first, std::cos(theta) * std::sqrt(m0), 2e-6);
    }
    std::uint32_t extra = 0;
    EXPECT_EQ(read_words(other_body_unit, std::span<std::uint32_t>(&extra, 1)), 0u);
    close_unit(other_body_unit);

    // The line damping's way: the heading blocks passed over, the sea state found.
    open_motion_file_for_reading(other_body_unit, "FAIRMOT", "LDAMP", screen_unit);
    MotionFileReader damping(other_body_unit, "FAIRMOT", "LDAMP", screen_unit);
    damping.skip_heading_blocks(damping.heading_count());
    EXPECT_EQ(damping.sea_state_header(), header);
}

TEST(Vesl2, MotionPointsOtherThanTheLinesAreRefused) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    folder.write("USERRAOS.txt", unit_heave_file);
    mooring_run(3);
    FakeHullModel fake;
    EXPECT_EQ(run_main([] { VESL2(); }), 1);
    EXPECT_EQ(console.screen(),
              "\n ++> FATAL error: the motion file FAIRMOT needs one motion point per\n     "
              "mooring line: motion points = 2, mooring lines = 3\n \n Press <RETURN> to "
              "continue: ");
    EXPECT_FALSE(folder.has("FAIRMOT"));
}

TEST(Vesl2, TwoBodyRunTakesTheOtherBodysEndAndStaysInStep) {
    ScratchFolder folder;
    ScriptedConsole console;
    folder.write("UBARGRAO.txt", unit_heave_file);
    barge_run(true);
    FakeHullModel fake;
    const std::int32_t NRAO = WAVCOM.NRAO;
    ASSERT_EQ(NRAO, 2);
    vertical_line_angles(NRAO);
    write_tug_file(NRAO, NRAO, true);
    VESL2();
    EXPECT_EQ(console.screen(), "");

    open_motion_file_for_reading(other_body_unit, "BARGEBOW", "TEST", screen_unit);
    MotionFileReader in(other_body_unit, "BARGEBOW", "TEST", screen_unit);
    ASSERT_EQ(in.heading_count(), NRAO);
    for (int h = 1; h <= NRAO; ++h) {
        SCOPED_TRACE(h);
        EXPECT_EQ(in.heading_record().first, HIMEM.REDANG(h));
        EXPECT_EQ(in.heading_setup().NRAO, NRAO);
        const float beta = HIMEM.REDANG(h) / 57.295776f;
        for (int IW = 1; IW <= TPCM.NWP; ++IW) {
            SCOPED_TRACE(IW);
            // The barge's bow: heave 1 along the tangent, -(v . t) = -1, turned by the wave
            // phase of the separation.
            const auto own = in.point_record(9);
            const std::complex<double> phase =
                std::exp(std::complex<double>(0.0, grid_wave_number(IW) * barge_separation *
                                                       std::cos(static_cast<double>(beta))));
            EXPECT_NEAR(own[2].real(), -phase.real(), 2e-5);
            EXPECT_NEAR(own[2].imag(), -phase.imag(), 2e-5);
            EXPECT_EQ(std::abs(own[0]) + std::abs(own[1]), 0.0f);
            // The tug's stern: the tug's first point of the same heading and frequency, as
            // its run wrote it.
            EXPECT_EQ(in.point_record(9), tug_values(h, 1, IW));
        }
    }
    std::uint32_t extra = 0;
    EXPECT_EQ(read_words(other_body_unit, std::span<std::uint32_t>(&extra, 1)), 0u);
}

TEST(Vesl2, TwoBodyRunWithoutPointMotionsPassesOverTheOtherBodysBlocks) {
    ScratchFolder folder;
    ScriptedConsole console;
    folder.write("UBARGRAO.txt", unit_heave_file);
    barge_run(false);
    FakeHullModel fake;
    vertical_line_angles(WAVCOM.NRAO);
    write_tug_file(WAVCOM.NRAO, WAVCOM.NRAO, true);
    EXPECT_EQ(run_until_stop([] { VESL2(); }), std::nullopt);
    EXPECT_EQ(console.screen(), "");
}

TEST(Vesl2, StopInMidRunLeavesTheReportClosedAndWholeUpToTheStop) {
    // The barge's run with its report on, once whole and once stopped at the second heading by
    // a tug file of one heading block.
    auto run = [](std::int32_t tug_blocks, std::string& report) {
        ScratchFolder folder;
        ScriptedConsole console("\n");
        folder.write("UBARGRAO.txt", unit_heave_file);
        barge_run(true);
        FakeHullModel fake;
        TPCM.NEGSUM = 0;
        TPCM.ALLRAO = 1;
        TPCM.LODRAO = 1;
        TPCM.IUNIT = 1;
        vertical_line_angles(WAVCOM.NRAO);
        write_tug_file(WAVCOM.NRAO, tug_blocks, true);
        const int status = run_main([] { VESL2(); });
        for (const int unit :
             {1, other_body_unit, relative_motion_unit, line_angle_unit, motion_file_unit})
            EXPECT_FALSE(unit_is_open(unit)) << unit;
        report = folder.read("BARGRAO.stxt");
        return status;
    };
    std::string whole;
    std::string stopped;
    ASSERT_EQ(run(2, whole), 0);
    ASSERT_EQ(run(1, stopped), 1);
    ASSERT_NE(whole.find("DISPLACEMENT RAOS"), std::string::npos);
    // Everything written before the stop is there, line by line, and nothing after it.
    ASSERT_FALSE(stopped.empty());
    EXPECT_EQ(stopped.back(), '\n');
    EXPECT_LT(stopped.size(), whole.size());
    EXPECT_EQ(whole.substr(0, stopped.size()), stopped);
    EXPECT_NE(stopped.find("DISPLACEMENT RAOS"), std::string::npos); // the first heading's
}

TEST(Vesl2, OtherBodysFileMissingOrShortStopsNamingTheDriver) {
    struct Row {
        const char* what;
        bool exists;
        std::int32_t blocks;
        bool setup;
        const char* screen;
    };
    const char* const short_file = "\n ++> End of file or related file error in routine "
                                   "ORMANEL2\n     file name TUGSTERN\n \n Press <RETURN> to "
                                   "continue: ";
    const Row rows[] = {
        {"missing", false, 0, true,
         "\n ++> File not found or file access error in ORMANEL2\n     File name: TUGSTERN\n "
         "\n Press <RETURN> to continue: "},
        {"one heading block of two", true, 1, true, short_file},
        {"no displacement pass in the tug's run", true, 2, false, short_file},
        {"no heading block", true, 0, true, short_file},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchFolder folder;
        ScriptedConsole console("\n");
        folder.write("UBARGRAO.txt", unit_heave_file);
        barge_run(true);
        FakeHullModel fake;
        vertical_line_angles(WAVCOM.NRAO);
        if (row.exists)
            write_tug_file(WAVCOM.NRAO, row.blocks, row.setup);
        EXPECT_EQ(run_until_stop([] { VESL2(); }), StopKind::error);
        EXPECT_EQ(console.screen(), row.screen);
    }
}

} // namespace
} // namespace lintar
