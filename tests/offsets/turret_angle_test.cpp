// Tests of the turret angle search on turret moorings whose moment is known independently.
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "equilibrium/turret_torque.h"
#include "offsets/turret_angle.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "support/console.h"
#include "support/turret_mooring.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScriptedConsole;
using testing::TurretLine;
using testing::TurretMooring;

constexpr double pi = std::numbers::pi;
constexpr double angle_tol = 2e-5; // radians: the search stops at 1e-6, float moments

// Three lines about a symmetry axis at `axis` radians: two from fairleads 30 ahead of the
// turret centre and 20 either side, pulling 40 degrees off the axis, and one from 30 behind
// it pulling straight back; anchors 300 away on a column of 20 per unit from 250.
TurretMooring symmetric_mooring(double axis) {
    TurretMooring m;
    m.TRTNG0 = axis;
    m.types = {{20.0, 250.0}};
    const double axis_deg = axis * 180.0 / pi;
    m.lines = {{30.0, 20.0, axis_deg + 40.0, 300.0, 1},
               {30.0, -20.0, axis_deg - 40.0, 300.0, 1},
               {-30.0, 0.0, axis_deg + 180.0, 300.0, 1}};
    return m;
}

// The stable zero of the independent moment near `guess` (bisection on a bracket where the
// moment falls through zero).
double independent_root(const TurretMooring& m, double guess, double dx, double dy) {
    double lo = guess - 0.5;
    double hi = guess + 0.5;
    EXPECT_GT(testing::turret_moment(m, lo, dx, dy), 0.0);
    EXPECT_LT(testing::turret_moment(m, hi, dx, dy), 0.0);
    for (int k = 0; k < 100; ++k) {
        const double mid = 0.5 * (lo + hi);
        (testing::turret_moment(m, mid, dx, dy) > 0.0 ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

// The number of lines of the mooring last put into the blocks: the moment sums them all.
std::int32_t filled_lines = 0;

void fill(const TurretMooring& m) {
    testing::fill_turret_mooring(m);
    filled_lines = static_cast<std::int32_t>(m.lines.size());
}

// The turret angle with the vessel at (dx, dy), searched from `start` within `half_width`
// (the offset table's search unless told).
float turret_angle_at(double dx, double dy, float start,
                      float half_width = offset_table_turret_half_width) {
    float TRTNGL = start;
    GET_TRT_ANG(
        0.0f, TRTNGL, false, 0, 6, 5, half_width, offset_table_turret_flip,
        turret_moment_of_blocks(static_cast<float>(dx), static_cast<float>(dy), 1, filled_lines));
    return TRTNGL;
}

class TurretAngle : public ::testing::Test {
protected:
    void SetUp() override { reset_program_state(); }
    void TearDown() override { reset_program_state(); }
};

// A locked turret and one with its fairleads at one point take the heading; the moment is never
// evaluated (it would set the type being evaluated).
TEST_F(TurretAngle, LockedOrPointTurretTakesTheHeading) {
    ScriptedConsole console;
    fill(symmetric_mooring(0.3));
    struct Case {
        const char* name;
        bool PNTTRT;
        std::int32_t LOCK_TRT;
    };
    for (const Case& c :
         {Case{"locked", false, 1}, Case{"point", true, 0}, Case{"both", true, 1}}) {
        SCOPED_TRACE(c.name);
        LINCOM.ITYP = -9;
        float TRTNGL = 0.5f;
        GET_TRT_ANG(1.25f, TRTNGL, c.PNTTRT, c.LOCK_TRT, 6, 5, 1.0f, 3.14159f,
                    turret_moment_of_blocks(0.0f, 0.0f, 1, filled_lines));
        EXPECT_EQ(TRTNGL, 1.25f);
        EXPECT_EQ(LINCOM.ITYP, -9);
    }
    EXPECT_EQ(console.screen(), "");
}

// A mooring symmetric about an axis: the turret takes the axis at the origin and at offsets
// along the axis; offsets mirrored about the axis give angles mirrored about it, each equal to
// the independent moment's zero.
TEST_F(TurretAngle, SymmetricMooringGivesSymmetricAngles) {
    ScriptedConsole console;
    constexpr double axis = 0.3;
    const TurretMooring m = symmetric_mooring(axis);
    fill(m);
    const double c = std::cos(axis);
    const double s = std::sin(axis);
    struct Case {
        double along, across; // offset in the axis frame
        float start;
    };
    constexpr Case cases[] = {
        {0.0, 0.0, 0.0f},    {0.0, 0.0, 1.1f},   {25.0, 0.0, 0.8f},
        {-40.0, 0.0, -0.3f}, {10.0, 30.0, 0.3f}, {-20.0, 15.0, 0.0f},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "offset " << k.along << " along, " << k.across << " across the axis");
        // The offset and its mirror image about the axis, in global axes.
        const double dx = c * k.along - s * k.across;
        const double dy = s * k.along + c * k.across;
        const double mx = c * k.along + s * k.across;
        const double my = s * k.along - c * k.across;
        const float angle = turret_angle_at(dx, dy, k.start);
        const float mirror = turret_angle_at(mx, my, k.start);
        if (k.across == 0.0) {
            EXPECT_NEAR(angle, axis, angle_tol);
        } else {
            EXPECT_GT(std::abs(angle - axis), 0.01); // a real turn, not the axis by default
            EXPECT_NEAR(angle, independent_root(m, axis, dx, dy), angle_tol);
        }
        EXPECT_NEAR(angle - axis, axis - mirror, angle_tol);
    }
    EXPECT_EQ(console.screen(), "");
}

// One line from a fairlead 30 ahead of the turret centre to an anchor behind it: the moment
// vanishes with the line across the turret (unstable) and with the fairlead trailing (stable,
// half a turn away).
TurretMooring crossing_line() {
    TurretMooring m;
    m.lines = {{30.0, 0.0, 180.0, 1000.0, 1}};
    return m;
}

// The root found first is unstable: the search turns to the opposite orientation and returns
// the stable root there; a moment that is zero everywhere counts as stable at once.
TEST_F(TurretAngle, UnstableRootTurnsToTheOppositeOrientation) {
    ScriptedConsole console;
    fill(crossing_line());
    EXPECT_NEAR(turret_angle_at(0.0, 0.0, 0.2f), pi, angle_tol);
    EXPECT_EQ(console.screen(), "");

    // Every fairlead at the turret centre (but not declared so): no moment at any angle.
    fill(symmetric_mooring(0.0));
    for (int i = 1; i <= 3; ++i) {
        TPCM.RFLD(1, i) = TPCM.XSALM;
        TPCM.RFLD(2, i) = 0.0f;
    }
    const float angle = turret_angle_at(0.0, 0.0, 0.2f);
    EXPECT_LE(std::abs(angle - 0.2f), 1.0f + 1e-6f); // within the first bracket: no second search
    EXPECT_EQ(console.screen(), "");
}

// No sign change within 1 radian: the code line as a list-directed write lays it out, the pause,
// and an error stop whatever the answer.
TEST_F(TurretAngle, RootNotBracketedStopsWithTheCode) {
    ScriptedConsole console("\n");
    fill(crossing_line());
    // Between the two zeros (0 and pi) the moment keeps one sign.
    const auto stop = run_until_stop([] { turret_angle_at(0.0, 0.0, 1.6f); });
    ASSERT_TRUE(stop.has_value());
    EXPECT_EQ(*stop, StopKind::error);
    EXPECT_EQ(ProgramStop(*stop).exit_status(), 1);
    // gfortran: write(*,*) ' IER = ', 2, ' in turret orientation calc'
    EXPECT_EQ(console.screen(), "  IER =            2  in turret orientation calc\n"
                                " \n Press <RETURN> to continue: ");
}

// The bracket's half-width is the caller's: from the same start, pi/2 either side reaches the
// stable zero at pi that 1 radian does not.
TEST_F(TurretAngle, WiderBracketReachesTheRoot) {
    ScriptedConsole console;
    fill(crossing_line());
    EXPECT_NEAR(turret_angle_at(0.0, 0.0, 1.6f, static_cast<float>(pi / 2.0)), pi, angle_tol);
    EXPECT_EQ(console.screen(), "");
}

// Two lines from opposite fairleads to one anchor far ahead: the moment repeats every half
// turn, and both zeros across the line of pull are unstable.
TEST_F(TurretAngle, UnstableInBothOrientationsStops) {
    ScriptedConsole console("\n");
    TurretMooring m;
    const double ranc = std::hypot(30.0, 1000.0);
    m.lines = {{30.0, 0.0, std::atan2(1000.0, -30.0) * 180.0 / pi, ranc, 1},
               {-30.0, 0.0, std::atan2(1000.0, 30.0) * 180.0 / pi, ranc, 1}};
    fill(m);
    // The premise: rising through zero at a quarter turn and at three quarters.
    for (const double root : {0.5 * pi, 1.5 * pi}) {
        EXPECT_LT(testing::turret_moment(m, root - 0.1, 0.0, 0.0), 0.0);
        EXPECT_GT(testing::turret_moment(m, root + 0.1, 0.0, 0.0), 0.0);
    }
    const auto stop = run_until_stop([] { turret_angle_at(0.0, 0.0, 1.5f); });
    EXPECT_EQ(stop, StopKind::error);
    EXPECT_EQ(console.screen(), "\n"
                                " ++> Fatal Condition: Equilibrium condition determination\n"
                                "      failed in GET_MOOR_FORCES for unknown reasons\n"
                                "\n"
                                " \n Press <RETURN> to continue: ");
}

} // namespace
} // namespace lintar
