// Tests of the point motions (ACCOUT) against small-rotation kinematics worked by hand: roll
// and pitch at a point, the acceleration with its gravity term, the relative motion's decay
// below the draft, the line axes of a vertical tangent, the encounter period of a moving
// vessel, the last group of an odd number of points, and the records of the motion file.
#include "motions/point_motions.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "motions/motion_files.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/rao_fixture.h"

#include <array>
#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::grid_frequency;
using testing::grid_wave_number;
using testing::ScratchFolder;
using testing::ScriptedConsole;
using testing::set_up_motion_run;
using Cx = std::complex<float>;

constexpr double tol = 1e-6;

// One heading of 0 degrees, the rigid-body RAOs given at every frequency, reports off, no
// statistics, centres of rotation at 3 (pitch) and 4 m (roll).
void prepare(const std::array<Cx, 6>& rao, std::int32_t ISPM) {
    set_up_motion_run();
    TPCM.ISPM = ISPM;
    WAVCOM.IRAO = 1;
    HIMEM.REDANG(1) = 0.0f;
    HIMEM.VTCRP = 3.0f;
    HIMEM.VTCRR = 4.0f;
    HIMEM.LSKIP = 1;
    TPCM.NEGSUM = 1;
    TPCM.LGAP = 0;
    for (int IW = 1; IW <= TPCM.NWP; ++IW)
        for (int d = 0; d < 6; ++d)
            HIMEM.CRLDUM(d * HIMEM.NARRAY + IW) = rao[static_cast<std::size_t>(d)];
    begin_point_motion_run();
}

// The displacement pass of one point written on a "YOKEMOT" (ISPM 1) and read back: per
// frequency X, Y, Z, roll, yaw, pitch.
std::vector<std::vector<Cx>> rigid_records(std::array<float, 3> point) {
    open_motion_file_for_writing(motion_file_unit, "YOKEMOT", "VESL2", screen_unit);
    HIMEM.LFRFLG = 4;
    ACCOUT(1, point);
    close_unit(motion_file_unit);
    open_motion_file_for_reading(other_body_unit, "YOKEMOT", "TEST", screen_unit);
    MotionFileReader in(other_body_unit, "YOKEMOT", "TEST", screen_unit);
    (void)in.heading_setup();
    std::vector<std::vector<Cx>> out;
    for (int IW = 1; IW <= TPCM.NWP; ++IW)
        out.push_back(in.point_record(6));
    close_unit(other_body_unit);
    return out;
}

// |response|^2 of component c (1 x, 2 y, 3 z) of the first point at grid point IW.
float squared(int c, int IW) {
    return HIMEM.RLDUM(HIMEM.LACRAO + (c - 1) * HIMEM.NARRAY + IW - 1);
}

TEST(PointMotions, SmallRotationKinematics) {
    struct Row {
        const char* what;
        std::array<Cx, 6> rao;
        std::array<float, 3> point;
        std::array<Cx, 3> xyz; // by hand
    };
    const float r = 0.01f;
    const Row rows[] = {
        // Roll r at (0, y, z): Z = y r, Y = -(z - VTCRR) r.
        {"roll",
         {{{}, {}, {}, {r, 0}, {}, {}}},
         {0.0f, 5.0f, 2.0f},
         {{{}, {0.02f, 0}, {0.05f, 0}}}},
        // Pitch p at (x, 0, z): X = (z - VTCRP) p, Z = -x p.
        {"pitch",
         {{{}, {}, {}, {}, {r, 0}, {}}},
         {10.0f, 0.0f, 2.0f},
         {{{-0.01f, 0}, {}, {-0.1f, 0}}}},
        // Heave 1 at (10, 5, 2): Z = 1.
        {"heave", {{{}, {}, {1, 0}, {}, {}, {}}}, {10.0f, 5.0f, 2.0f}, {{{}, {}, {1, 0}}}},
        // Yaw (0, r) at (10, 5, 2): X = -y Y, Y = x Y.
        {"yaw",
         {{{}, {}, {}, {}, {}, {0, r}}},
         {10.0f, 5.0f, 2.0f},
         {{{0, -0.05f}, {0, 0.1f}, {}}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchFolder folder;
        ScriptedConsole console;
        prepare(row.rao, 1);
        const auto records = rigid_records(row.point);
        for (int IW : {1, 16, 31}) {
            const auto& rec = records[static_cast<std::size_t>(IW - 1)];
            for (std::size_t c = 0; c < 3; ++c) {
                EXPECT_NEAR(rec[c].real(), row.xyz[c].real(), tol);
                EXPECT_NEAR(rec[c].imag(), row.xyz[c].imag(), tol);
            }
            EXPECT_EQ(rec[3], row.rao[3]); // roll, yaw, pitch as they are
            EXPECT_EQ(rec[4], row.rao[5]);
            EXPECT_EQ(rec[5], row.rao[4]);
        }
    }
}

TEST(PointMotions, AccelerationCarriesTheGravityOfTheTilt) {
    ScratchFolder folder;
    ScriptedConsole console;
    const float p = 0.01f;
    prepare({{{}, {}, {}, {}, {p, 0}, {}}}, 0);
    HIMEM.LFRFLG = 2;
    const std::array<float, 3> point{10.0f, 0.0f, 2.0f};
    ACCOUT(1, point);
    for (int IW : {1, 8, 31}) {
        SCOPED_TRACE(IW);
        const double w = grid_frequency(IW);
        const double X = w * w * (2.0 - 3.0) * p + 9.8 * p; // w^2 (z - VTCRP) p + g p
        const double Z = -w * w * 10.0 * p;
        EXPECT_NEAR(squared(1, IW), X * X, 1e-6 * X * X + 1e-12);
        EXPECT_NEAR(squared(3, IW), Z * Z, 1e-6 * Z * Z);
        EXPECT_EQ(squared(2, IW), 0.0f);
    }
}

TEST(PointMotions, RelativeMotionDecaysBelowTheDraftOnly) {
    for (const float z : {4.0f, 15.0f}) { // DRAFT 10
        SCOPED_TRACE(z);
        ScratchFolder folder;
        ScriptedConsole console;
        prepare({}, 0);
        TPCM.LGAP = 2;
        HIMEM.LFRFLG = 4;
        const std::array<float, 3> point{10.0f, 5.0f, z};
        ACCOUT(1, point);
        for (int IW : {1, 31}) {
            const double D = z < 10.0f ? std::exp((z - 10.0) * grid_wave_number(IW)) : 1.0;
            // The vessel at rest: Z = -D E with |E| = 1; heading 0: X = i A D E.
            EXPECT_NEAR(squared(3, IW), D * D, 1e-5 * D * D);
            const double A = grid_wave_number(IW) * 9.8 / (grid_frequency(IW) * grid_frequency(IW));
            EXPECT_NEAR(squared(1, IW), A * A * D * D, 1e-5 * A * A * D * D);
            EXPECT_NEAR(squared(2, IW), 0.0, 1e-12);
        }
    }
}

TEST(PointMotions, VerticalTangentTakesTheNormalAlongY) {
    ScratchFolder folder;
    ScriptedConsole console;
    prepare({{{}, {}, {1, 0}, {0.02f, 0}, {}, {}}}, 4);
    // Two lines, both tangents vertical (theta 0): t = (0, 0, 1), n = (0, 1, 0), b = (1, 0, 0).
    open_motion_file_for_writing(line_angle_unit, "LINEANG", "TEST", screen_unit);
    const std::vector<std::array<float, 2>> vertical{{0.0f, 0.0f}, {0.0f, 1.0f}};
    write_line_angle_block(line_angle_unit, vertical);
    close_unit(line_angle_unit);
    open_motion_file_for_reading(line_angle_unit, "LINEANG", "TEST", screen_unit);
    open_motion_file_for_writing(motion_file_unit, "FAIRMOT", "VESL2", screen_unit);
    HIMEM.LFRFLG = 4;
    const std::array<float, 6> points{0.0f, 5.0f, 2.0f, 0.0f, -5.0f, 2.0f};
    ACCOUT(2, points);
    close_unit(motion_file_unit);
    open_motion_file_for_reading(other_body_unit, "FAIRMOT", "TEST", screen_unit);
    MotionFileReader in(other_body_unit, "FAIRMOT", "TEST", screen_unit);
    (void)in.heading_setup();
    // Point 1 (y 5): Y' = -(2 - 4) 0.02 = 0.04, Z = 1 + 5 0.02 = 1.1: on the line axes
    // -(v . b) = 0, v . n = 0.04, -(v . t) = -1.1; the roll on them: 0, 0, 0 -> -(0.02).
    const auto rec = in.point_record(9);
    EXPECT_NEAR(rec[0].real(), 0.0, tol);
    EXPECT_NEAR(rec[1].real(), 0.04, tol);
    EXPECT_NEAR(rec[2].real(), -1.1, tol);
    EXPECT_NEAR(rec[6].real(), -0.02, tol); // roll along b = x
    EXPECT_NEAR(rec[7].real(), 0.0, tol);
    const auto rec2 = in.point_record(9);
    EXPECT_NEAR(rec2[2].real(), -0.9, tol); // point 2 (y -5): Z = 1 - 0.1
}

TEST(PointMotions, TensionLegProgramTakesTheTangentFromTheRotation) {
    // Heave 1 and yaw 0.02 at (0, 5, 2) on a vertical tangent: X = -y yaw = -0.1, Y' = 0,
    // Z = 1; on the line axes 0.1, 0, -1. The tension-leg program replaces the last by the
    // rotation's tangent component -(0.02), in the displacement and the velocity kinds alike.
    struct Row {
        std::int32_t SIMTYP, LFRFLG;
        double tangent_re, tangent_im;
    };
    const Row rows[] = {{0, 4, -1.0, 0.0}, {14, 4, -0.02, 0.0}, {14, 3, -0.02, 0.0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "SIMTYP " << row.SIMTYP << " kind " << row.LFRFLG);
        ScratchFolder folder;
        ScriptedConsole console;
        prepare({{{}, {}, {1, 0}, {}, {}, {0.02f, 0}}}, 4);
        TPCM.SIMTYP = row.SIMTYP;
        open_motion_file_for_writing(line_angle_unit, "LINEANG", "TEST", screen_unit);
        write_line_angle_block(line_angle_unit, std::vector<std::array<float, 2>>{{0.0f, 0.0f}});
        close_unit(line_angle_unit);
        open_motion_file_for_reading(line_angle_unit, "LINEANG", "TEST", screen_unit);
        open_motion_file_for_writing(motion_file_unit, "FAIRMOT", "TEST", screen_unit);
        HIMEM.LFRFLG = row.LFRFLG;
        const std::array<float, 3> point{0.0f, 5.0f, 2.0f};
        ACCOUT(1, point);
        for (int IW : {1, 31}) {
            SCOPED_TRACE(IW);
            const double scale = row.LFRFLG == 3 ? grid_frequency(IW) : 1.0;
            const double x = 0.1 * scale;
            const double t2 = row.tangent_re * row.tangent_re + row.tangent_im * row.tangent_im;
            EXPECT_NEAR(squared(1, IW), x * x, 1e-6 * x * x);
            EXPECT_NEAR(squared(2, IW), 0.0, 1e-12);
            const double tangent = row.SIMTYP == 14 ? t2 : t2 * scale * scale;
            EXPECT_NEAR(squared(3, IW), tangent, 1e-6 * tangent);
        }
    }
}

TEST(PointMotions, MovingVesselPeriodsAndAnOddLastGroup) {
    ScratchFolder folder;
    ScriptedConsole console;
    prepare({{{}, {}, {1, 0}, {}, {}, {}}}, 0);
    TPCM.NEGSUM = 0;
    TPCM.ALLRAO = 1;
    TPCM.IUNIT = 1;
    TPCM.NUNTS = 1;
    TPCM.VFWD = 2.0f;
    TPCM.VGLDIR = 0.0f;
    ASSERT_TRUE(open_unit(1, "RAO.stxt", OpenStatus::replace, FileForm::formatted));
    HIMEM.LFRFLG = 4;
    const std::array<float, 9> points{0, 0, 0, 1, 1, 1, 2, 2, 2};
    ACCOUT(3, points);
    close_unit(1);
    EXPECT_EQ(HIMEM.NCOL, 1); // the last group holds point 3 alone
    const std::string text = folder.read("RAO.stxt");
    // T 3 s: 2 pi / (w - k U cos 0) = 2 pi / (2.094395 - 0.447601 x 2) = 5.24 s; heave 1 at
    // every point, X and Y zero (the phase of zero is 90).
    EXPECT_NE(text.find("\n   5.24  0.000/  90  0.000/  90  1.000/   0  0.000/  90"),
              std::string::npos)
        << text.substr(0, 3000);
    EXPECT_NE(text.find("\n   5.24  0.000/  90  0.000/  90  1.000/   0\n"), std::string::npos);
    EXPECT_NE(
        text.find("        +++   DISPLACEMENT RAOS IN  M. PER UNIT WAVE AMP. (S.A./S.A.)  +++"),
        std::string::npos);
}

TEST(PointMotions, SecondPointOfEachPairTakesTheOtherBodysPoint) {
    ScratchFolder folder;
    ScriptedConsole console;
    prepare({}, 3);
    // The other body's block: three points, written by groups (points 1 and 2 per frequency,
    // then point 3 alone); value m of point p at grid point IW is (100 p + IW, m).
    const int NWP = TPCM.NWP;
    auto value = [](int p, int IW) {
        std::vector<Cx> v;
        for (int m = 0; m < 9; ++m)
            v.emplace_back(static_cast<float>(100 * p + IW), static_cast<float>(m));
        return v;
    };
    HeadingBlock block;
    block.setup = HeadingSetup{};
    for (int IW = 1; IW <= NWP; ++IW)
        for (int p = 1; p <= 2; ++p)
            block.points.push_back(value(p, IW));
    for (int IW = 1; IW <= NWP; ++IW)
        block.points.push_back(value(3, IW));
    EXPECT_FALSE(hold_other_body_block(block, 4)); // three points, four asked for
    HeadingBlock no_setup = block;
    no_setup.setup.reset();
    EXPECT_FALSE(hold_other_body_block(no_setup, 1));
    HeadingBlock cut = block;
    cut.points.pop_back();
    EXPECT_FALSE(hold_other_body_block(cut, 1));
    ASSERT_TRUE(hold_other_body_block(block, 2));

    open_motion_file_for_writing(line_angle_unit, "LINEANG", "TEST", screen_unit);
    write_line_angle_block(line_angle_unit, std::vector<std::array<float, 2>>(4, {0.0f, 0.0f}));
    close_unit(line_angle_unit);
    open_motion_file_for_reading(line_angle_unit, "LINEANG", "TEST", screen_unit);
    // Velocities of four points: the second group's second place is the other body's point 2,
    // i w times its displacement.
    HIMEM.LFRFLG = 3;
    const std::array<float, 12> points{};
    ACCOUT(4, points);
    for (int IW : {1, 17, 31}) {
        SCOPED_TRACE(IW);
        const double w = grid_frequency(IW);
        for (int c = 1; c <= 3; ++c) {
            const double a = 200.0 + IW;
            const double b = c - 1.0;
            const double expected = w * w * (a * a + b * b);
            EXPECT_NEAR(HIMEM.RLDUM(HIMEM.LACRAO + (3 + c - 1) * HIMEM.NARRAY + IW - 1), expected,
                        1e-6 * expected);
        }
    }
}

} // namespace
} // namespace lintar
