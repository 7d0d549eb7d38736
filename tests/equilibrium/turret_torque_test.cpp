// Tests of the turret torque against the moment of the line loads computed independently from
// the plane geometry of a turret mooring on linear tables.
#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "equilibrium/turret_torque.h"
#include "runtime/program_state.h"
#include "support/turret_mooring.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace lintar {
namespace {

using testing::TurretLine;
using testing::TurretMooring;

class TurretTorque : public ::testing::Test {
protected:
    void SetUp() override { reset_program_state(); }
    void TearDown() override { reset_program_state(); }

    // Sum of |r| H over the lines at the reference state: the scale of the rounding of a
    // single-precision moment.
    static double moment_scale(const TurretMooring& m) {
        double s = 0.0;
        for (const TurretLine& l : m.lines) {
            const auto& c = m.types[static_cast<std::size_t>(l.id % 1024 - 1)];
            s += std::hypot(l.x, l.y) * std::abs(c.k * (l.ranc - c.d0));
        }
        return s;
    }
};

// An uneven mooring of two types: three lines pulling at odd angles, a fairlead at the turret
// centre, and a skipped line with a long arm (identity above 1024) evaluated last.
TurretMooring uneven_mooring() {
    TurretMooring m;
    m.XSALM = 75.0;
    m.TRTNG0 = 0.4;
    m.types = {{10.0, 900.0}, {25.0, 950.0}};
    m.lines = {
        {30.0, 10.0, 50.0, 1010.0, 1},          {-25.0, 20.0, 170.0, 1040.0, 2},
        {5.0, -35.0, 260.0, 990.0, 1},          {0.0, 0.0, 100.0, 1000.0, 2},
        {500.0, 400.0, 10.0, 1100.0, 1024 + 1},
    };
    return m;
}

// The moment of the blocks' lines 1..n with the vessel at (dx, dy).
TurretMoment all_lines_at(const TurretMooring& m, double dx, double dy) {
    return turret_moment_of_blocks(static_cast<float>(dx), static_cast<float>(dy), 1,
                                   static_cast<std::int32_t>(m.lines.size()));
}

constexpr double rel_tol = 2e-6; // of the moment scale: float geometry ~1e-7 per term

// At the reference angle with the vessel at the origin each line pulls from its reference
// fairlead at RANC along its azimuth: the moment is sum r x F with H from the table at RANC.
TEST_F(TurretTorque, ReferenceStateGivesTheMomentOfTheReferenceLoads) {
    const TurretMooring m = uneven_mooring();
    testing::fill_turret_mooring(m);
    double expected = 0.0;
    for (const TurretLine& l : m.lines) {
        if (l.id > 1024)
            continue;
        const auto& c = m.types[static_cast<std::size_t>(l.id - 1)];
        const double H = c.k * (l.ranc - c.d0);
        const double a = l.azimuth * std::numbers::pi / 180.0;
        const double rx = std::cos(m.TRTNG0) * l.x - std::sin(m.TRTNG0) * l.y;
        const double ry = std::sin(m.TRTNG0) * l.x + std::cos(m.TRTNG0) * l.y;
        expected += rx * H * std::sin(a) - ry * H * std::cos(a);
    }
    ASSERT_GT(std::abs(expected), 1000.0); // the lines do not balance by chance
    LINCOM.ITYP = -3;
    EXPECT_NEAR(all_lines_at(m, 0.0, 0.0)(static_cast<float>(m.TRTNG0)), expected,
                rel_tol * moment_scale(m));
    EXPECT_EQ(LINCOM.ITYP, -3); // the moment reads the tables and changes nothing
}

// Turned turret and displaced vessel: the moment of the loads at the new distances along the
// new directions, from the geometry of the anchors and turned fairlead.
TEST_F(TurretTorque, TurnedAndDisplacedMatchesTheIndependentGeometry) {
    const TurretMooring m = uneven_mooring();
    testing::fill_turret_mooring(m);
    struct Case {
        double theta, dx, dy;
    };
    constexpr Case cases[] = {
        {0.4, 0.0, 0.0},    {0.9, 0.0, 0.0},  {-0.5, 0.0, 0.0},     {0.4, 12.0, -7.0},
        {1.3, -20.0, 15.0}, {3.5, 5.0, 25.0}, {-2.0, -30.0, -10.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "angle " << c.theta << " at (" << c.dx << ", " << c.dy << ")");
        EXPECT_NEAR(all_lines_at(m, c.dx, c.dy)(static_cast<float>(c.theta)),
                    testing::turret_moment(m, c.theta, c.dx, c.dy), rel_tol * moment_scale(m));
    }
}

// Lines left out: an empty range gives 0; a range over the skipped line
// and the fairlead at the centre only gives 0 as well.
TEST_F(TurretTorque, EmptyRangeAndLinesWithoutMomentGiveZero) {
    testing::fill_turret_mooring(uneven_mooring());
    EXPECT_EQ(turret_moment_of_blocks(0.0f, 0.0f, 3, 2)(1.0f), 0.0f);
    EXPECT_EQ(turret_moment_of_blocks(10.0f, 0.0f, 4, 5)(1.0f), 0.0f);
}

} // namespace
} // namespace lintar
