// Tests of the table-based mooring force (FMOOR, FMOOR_PLUS, FMOOR2, LOADUP, VARUPD, SPRING)
// on a spread mooring whose tables and reference forces come from the elastic catenary.
#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/mooring_force.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/spread_mooring_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace lintar {
namespace {

using testing::Chain;

// Linear interpolation over a 90-point grid (about 7 kips apart at the 100-kip pretension)
// misses the catenary by well under 0.3 kips per line; a wrong azimuth, sign or distance is
// off by tens of kips.
constexpr double force_tol = 0.5; // kips, four lines summed (seen: up to 0.22)

struct Offset {
    const char* name;
    float dx, dy, dz;
};

class SpreadMooring : public ::testing::Test {
protected:
    void SetUp() override {
        reset_program_state();
        testing::fill_spread_tables(chain, 5, 2.0f);
    }
    void TearDown() override { reset_program_state(); }

    SixDofLoads six_dof(float dx, float dy, float dz, SpanWarning& warn) const {
        SixDofState state;
        state.RVES1 = dx;
        state.RVES2 = dy;
        state.ZVES = dz;
        return FMOOR2(state, Perturbation{}, ForceCentres{}, lincom_tables(),
                      lincom_mooring_lines(1, 4), 0.0f, warn);
    }

    Chain chain;
};

TEST_F(SpreadMooring, NetForceIsTheSumOfTheIndependentLines) {
    constexpr Offset offsets[] = {
        {"at rest", 0.0f, 0.0f, 0.0f},          {"surge 20", 20.0f, 0.0f, 0.0f},
        {"sway -15", 0.0f, -15.0f, 0.0f},       {"diagonal", 14.0f, 14.0f, 0.0f},
        {"heave 1", 0.0f, 0.0f, 1.0f},          {"heave -3", 0.0f, 0.0f, -3.0f},
        {"surge and heave", 10.0f, 0.0f, 1.5f},
    };
    for (const auto& o : offsets) {
        SCOPED_TRACE(o.name);
        const auto ref = testing::spread_net_force(chain, o.dx, o.dy, o.dz);
        SpanWarning warn;
        const SixDofLoads six = six_dof(o.dx, o.dy, o.dz, warn);
        EXPECT_NEAR(six.FGXMOR, ref[0], force_tol);
        EXPECT_NEAR(six.FGYMOR, ref[1], force_tol);
        EXPECT_NEAR(six.FGZMOR, ref[2], force_tol);
        // No rotation and no heading: vessel axes are global axes.
        EXPECT_FLOAT_EQ(six.FVXMOR, six.FGXMOR);
        EXPECT_FLOAT_EQ(six.FVYMOR, six.FGYMOR);
        EXPECT_EQ(warn.IOFLAG, 0); // every fairlead inside the span
        if (o.dz == 0.0f) {
            PlaneState plane;
            plane.RVES1 = o.dx;
            plane.RVES2 = o.dy;
            const PlaneLoads three =
                FMOOR(plane, PlaneFrame{}, lincom_tables(), lincom_mooring_lines(1, 4));
            EXPECT_NEAR(three.FXMOOR, ref[0], force_tol);
            EXPECT_NEAR(three.FYMOOR, ref[1], force_tol);
            EXPECT_NEAR(three.FZMOOR, ref[2], force_tol);
        }
    }
}

// The yaw moment of the spread at rest turned by a small heading: each line's force (from the
// reference at its new distance) about the origin, the same for FMOOR and FMOOR2.
TEST_F(SpreadMooring, YawMomentOfATurnMatchesTheLines) {
    const float psi = 0.02f;
    double Mz = 0.0;
    const double X0 = testing::elastic_catenary(chain, testing::spread_H0, testing::spread_depth).X;
    for (std::size_t n = 0; n < 4; ++n) {
        const double a = testing::spread_azimuth[n] * std::numbers::pi / 180.0;
        const double x = testing::spread_x[n];
        const double y = testing::spread_y[n];
        const double gx = x * std::cos(psi) - y * std::sin(psi);
        const double gy = x * std::sin(psi) + y * std::cos(psi);
        const double vx = x + X0 * std::cos(a) - gx;
        const double vy = y + X0 * std::sin(a) - gy;
        const double d = std::hypot(vx, vy);
        const double H = testing::catenary_at_distance(chain, d, testing::spread_depth).H;
        Mz += gx * H * vy / d - gy * H * vx / d;
    }
    PlaneState plane;
    plane.VESANG = psi;
    const PlaneLoads three =
        FMOOR(plane, PlaneFrame{}, lincom_tables(), lincom_mooring_lines(1, 4));
    SixDofState state;
    state.VESANG = psi;
    SpanWarning warn;
    const SixDofLoads six = FMOOR2(state, Perturbation{}, ForceCentres{}, lincom_tables(),
                                   lincom_mooring_lines(1, 4), 0.0f, warn);
    constexpr double moment_tol = 300.0; // force_tol times a 260 ft lever
    EXPECT_NEAR(three.TZMOOR, Mz, moment_tol);
    EXPECT_NEAR(six.TGZMOR, Mz, moment_tol);
    EXPECT_NEAR(six.TVZMOR, Mz, moment_tol);
}

// F = -grad E: the energy of FMOOR_PLUS and FMOOR2 differenced along surge and sway equals
// the force (one layer row, where the energy is the exact integral of the interpolated load).
TEST_F(SpreadMooring, ForceIsMinusTheGradientOfTheEnergy) {
    testing::fill_spread_tables(chain, 1, 0.0f);
    const float step = 0.5f;
    const auto energy = [&](float dx, float dy) {
        PlaneState plane;
        plane.RVES1 = dx;
        plane.RVES2 = dy;
        float ERGMOR = 0.0f;
        FMOOR_PLUS(plane, PlaneFrame{}, lincom_tables(), lincom_mooring_lines(1, 4), ERGMOR, {});
        SpanWarning warn;
        const SixDofLoads six = six_dof(dx, dy, 0.0f, warn);
        EXPECT_NEAR(six.ERGMOR, ERGMOR, 1e-4 * std::abs(ERGMOR));
        return static_cast<double>(ERGMOR);
    };
    constexpr double energy_tol = 0.5; // kips: float energies of ~1e5 kip-ft over a 1 ft base
    for (const auto& o : {Offset{"rest", 0.0f, 0.0f, 0.0f}, Offset{"offset", 12.0f, -6.0f, 0.0f}}) {
        SCOPED_TRACE(o.name);
        SpanWarning warn;
        const SixDofLoads six = six_dof(o.dx, o.dy, 0.0f, warn);
        const double dEdx = (energy(o.dx + step, o.dy) - energy(o.dx - step, o.dy)) / (2 * step);
        const double dEdy = (energy(o.dx, o.dy + step) - energy(o.dx, o.dy - step)) / (2 * step);
        EXPECT_NEAR(six.FGXMOR, -dEdx, energy_tol);
        EXPECT_NEAR(six.FGYMOR, -dEdy, energy_tol);
    }
}

TEST_F(SpreadMooring, ExcludedLineContributesNothing) {
    LINCOM.LINEID(2) = 1025;
    const auto ref = testing::spread_net_force(chain, 10.0f, 5.0f, 0.0f);
    SixDofState state;
    state.RVES1 = 10.0f;
    state.RVES2 = 5.0f;
    SpanWarning warn;
    const SixDofLoads six =
        FMOOR2(state, Perturbation{}, ForceCentres{}, lincom_tables(), lincom_mooring_lines(1, 4),
               0.0f, warn, {}, 2, lincom_displaced());
    EXPECT_NEAR(six.FGXMOR, ref[0], force_tol);
    EXPECT_NEAR(six.FGYMOR, ref[1], force_tol);
    EXPECT_EQ(LINCOM.RANCP(2), LINCOM.RANC(2)); // the reference values recorded
    EXPECT_EQ(LINCOM.ANGDPP(2), TPCM.ANGDEP(2));
    EXPECT_EQ(LINCOM.ZANCP(2), 0.0f);
    EXPECT_NE(LINCOM.RANCP(1), LINCOM.RANC(1));

    PlaneState plane;
    plane.RVES1 = 10.0f;
    plane.RVES2 = 5.0f;
    const PlaneLoads three =
        FMOOR(plane, PlaneFrame{}, lincom_tables(), lincom_mooring_lines(1, 4));
    EXPECT_NEAR(three.FXMOOR, ref[0], force_tol);
    EXPECT_NEAR(three.FYMOOR, ref[1], force_tol);
}

// A single layer row has no span: any vertical motion is outside it. The row itself is used
// (finite loads, the value at the entered height) and the warning comes once per flag.
TEST_F(SpreadMooring, SingleLayerVerticalMotionWarnsOnceAndStaysFinite) {
    struct Case {
        const char* name;
        std::string keys;
        int unit;
    };
    const Case cases[] = {{"console, Return at the prompt", "\n\n", 6},
                          {"unattended run", "", diagnostics_unit}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ScratchFolder folder;
        testing::ScriptedConsole console(c.keys);
        if (c.unit == diagnostics_unit)
            open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                      FileForm::formatted);
        testing::fill_spread_tables(chain, 1, 0.0f);
        const auto ref = testing::spread_net_force(chain, 5.0f, 0.0f, 0.0f);
        SpanWarning warn;
        warn.IOSCRN = c.unit;
        for (int call = 0; call < 2; ++call) {
            const SixDofLoads six = six_dof(5.0f, 0.0f, 2.0f, warn);
            EXPECT_TRUE(std::isfinite(six.FGXMOR) && std::isfinite(six.FGZMOR));
            EXPECT_NEAR(six.FGXMOR, ref[0], force_tol);
            EXPECT_NEAR(six.FGZMOR, ref[2], force_tol);
        }
        EXPECT_EQ(warn.IOFLAG, 99);
        EXPECT_EQ(warn.SPNERR, 4);
        if (c.unit == 6) {
            const std::string expected =
                " ++> Warning: A vertical translation of amount     2.00 has carried\n"
                "     fairlead number  1 outside the bounds of the specified vertical\n"
                "     interpolation span. This may lead to interpolation errors.\n"
                "     Consider increasing the vertical interpolation span.\n";
            const std::string screen = console.screen();
            EXPECT_EQ(screen.substr(0, expected.size()), expected);
            EXPECT_EQ(screen.find("Warning", expected.size()), std::string::npos);
            EXPECT_NE(screen.find("abort"), std::string::npos); // the prompt was offered
        } else {
            close_all_units();
            const std::string diagnostics = folder.read("Diagnostics.stxt");
            EXPECT_NE(diagnostics.find("     fairlead number  1 outside"), std::string::npos);
            EXPECT_EQ(diagnostics.find("abort"), std::string::npos);
        }
    }
}

TEST_F(SpreadMooring, AbortAtTheSpanWarningStopsTheRun) {
    testing::ScriptedConsole console("A\n");
    SpanWarning warn;
    const auto stop = testing::run_until_stop([&] { six_dof(0.0f, 0.0f, 50.0f, warn); });
    ASSERT_TRUE(stop.has_value());
    EXPECT_EQ(*stop, StopKind::user_choice);
    EXPECT_NE(console.screen().find(" ++> Warning: A vertical translation of amount    50.00"),
              std::string::npos);
}

// A tendon is reported only below the span: a fairlead carried above it is recorded and spends
// the warning flag without a word; one carried below it warns as any line does.
TEST_F(SpreadMooring, TendonWarnsOnlyBelowTheSpan) {
    struct Case {
        const char* name;
        float dz; // the span of the five rows 2 ft apart is -4..4 ft
        bool warned;
    };
    for (const Case& c : {Case{"above", 6.0f, false}, Case{"below", -6.0f, true}}) {
        SCOPED_TRACE(c.name);
        testing::ScriptedConsole console("\n");
        testing::fill_spread_tables(chain, 5, 2.0f); // the console starts from a fresh state
        SpanWarning warn;
        warn.TENDON_FLG = 1;
        const SixDofLoads six = six_dof(0.0f, 0.0f, c.dz, warn);
        EXPECT_TRUE(std::isfinite(six.FGXMOR) && std::isfinite(six.FGZMOR));
        EXPECT_EQ(warn.IOFLAG, 99);
        EXPECT_EQ(warn.SPNERR, 4);
        const std::string screen = console.screen();
        const std::string warning =
            " ++> Warning: A vertical translation of amount    -6.00 has carried\n";
        if (c.warned)
            EXPECT_EQ(screen.substr(0, warning.size()), warning);
        else
            EXPECT_EQ(screen, "");
    }
}

// FMOOR0's per-line results against each line's own catenary at its new distance; a skipped
// line gets zeros; a turret mooring has no yaw moment.
TEST_F(SpreadMooring, OffsetTableForceFillsThePerLineResults) {
    LINCOM.LINEID(3) = 1027;
    std::array<std::array<float, 4>, 6> arrays{};
    for (auto& a : arrays)
        a.fill(-9.0f);
    const PlaneLineResults results = {arrays[0], arrays[1], arrays[2],
                                      arrays[3], arrays[4], arrays[5]};
    PlaneState plane;
    plane.RVES1 = 20.0f;
    PlaneFrame frame;
    frame.LSPM = true;
    const PlaneLoads loads =
        FMOOR0(plane, frame, lincom_tables(), lincom_mooring_lines(1, 4), 1, results, 0, 6, 5);
    EXPECT_EQ(loads.TZMOOR, 0.0f);
    const double X0 = testing::elastic_catenary(chain, testing::spread_H0, testing::spread_depth).X;
    constexpr double line_tol = 0.25; // kips, one line
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(::testing::Message() << "line " << i);
        const auto n = static_cast<std::size_t>(i - 1);
        if (i == 3) {
            for (const auto& a : arrays)
                EXPECT_EQ(a[n], 0.0f);
            continue;
        }
        const double a = testing::spread_azimuth[n] * std::numbers::pi / 180.0;
        const double d = std::hypot(X0 * std::cos(a) - 20.0, X0 * std::sin(a));
        const auto ref = testing::catenary_at_distance(chain, d, testing::spread_depth);
        EXPECT_NEAR(arrays[0][n], ref.H, line_tol);
        EXPECT_NEAR(arrays[1][n], -ref.V, line_tol);
        EXPECT_NEAR(arrays[2][n], ref.T, line_tol);
        EXPECT_NEAR(arrays[3][n], ref.angle, 1e-3);
        EXPECT_NEAR(arrays[4][n], ref.grounded, 2.0); // ft
    }
}

TEST_F(SpreadMooring, OffsetTableForceDebugDump) {
    testing::ScriptedConsole console("1\n");
    testing::fill_spread_tables(chain, 1, 0.0f); // the console starts from a fresh state
    FMOOR0(PlaneState{}, PlaneFrame{}, lincom_tables(), lincom_mooring_lines(1, 1), 0, {}, 1, 6, 5);
    const std::string screen = console.screen();
    EXPECT_EQ(screen.find(" Input NBUG: "), 0u);
    EXPECT_NE(screen.find(std::string(12, ' ') +
                          "In FMOOR: VESANG,VESAN0,RFL(1),RFL(2),ANGDEP,RANC\n"
                          "  0.0000E+00  0.0000E+00  0.2500E+03  0.4000E+02  0.4500E+02"),
              std::string::npos);
    EXPECT_NE(screen.find(std::string(31, ' ') + "IN LINE LOOP: ILINE,NLINE,ITYP\n"
                                                 "    1    1    1\n"),
              std::string::npos);
}

TEST(VerticalLineForce, ZeroTensionTakesTheTangentRule) {
    struct Case {
        const char* name;
        float H, T, angle, Fz;
    };
    const Case cases[] = {
        {"zero-load row of a weightless line", 0.0f, 0.0f, 1.5707964f, 0.0f},
        {"extrapolated negative tension", 10.0f, -1.0f, 0.5f, -10.0f * std::tan(0.5f)},
        {"ratio exactly 0.5", 5.0f, 10.0f, 0.3f, -5.0f * std::tan(0.3f)},
        {"steep line", 3.0f, 10.0f, 1.2f, -std::sqrt(91.0f)},
        {"steep line rising", 3.0f, 10.0f, -1.2f, std::sqrt(91.0f)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FLOAT_EQ(vertical_line_force(c.H, c.T, c.angle, 0.5f), c.Fz);
    }
}

TEST(Varupd, StateVectorToPositionAndRotation) {
    SixDofState state;
    state.VESAN0 = 0.3f;
    const float none[6] = {1.0f, 2.0f, 3.0f, 0.0f, 0.0f, 0.0f};
    VARUPD(std::span<const float, 6>(none), state);
    EXPECT_EQ(state.ROTDIR, (std::array<float, 3>{1.0f, 0.0f, 0.0f}));
    EXPECT_EQ(state.ROTVAL_DEG, 0.0f);
    EXPECT_EQ(state.VESANG, 0.3f);
    EXPECT_EQ(state.ZVES, 3.0f);
    const float turn[6] = {0.0f, 0.0f, 0.0f, 0.0f, 0.03f, 0.04f};
    VARUPD(std::span<const float, 6>(turn), state);
    EXPECT_FLOAT_EQ(state.ROTDIR[1], 0.6f);
    EXPECT_FLOAT_EQ(state.ROTDIR[2], 0.8f);
    EXPECT_FLOAT_EQ(state.ROTVAL_DEG, 0.05f * 57.295776f);
}

// SPRING: the force at the present position minus the force after a move along the vessel's
// own x axis, in vessel axes; the move is along global y at a heading of 90 degrees.
TEST_F(SpreadMooring, SpringColumnDifferencesInVesselAxes) {
    TPCM.XSALM = 0.0f;
    const SpringColumn zero =
        SPRING(0.0f, 0.0f, 0.0f, 1, 4, true, false, [](float) { return 7.0f; });
    EXPECT_EQ(zero.DFXTMP, 0.0f);
    EXPECT_EQ(zero.DFYTMP, 0.0f);
    EXPECT_EQ(zero.DTZTMP, 0.0f);

    const float half_pi = static_cast<float>(std::numbers::pi / 2);
    TPCM.VESAN0 = half_pi;
    EQUILB.VESANG() = half_pi;
    const auto ref0 = testing::spread_net_force(chain, 0.0, 0.0, 0.0);
    const auto ref1 = testing::spread_net_force(chain, 0.0, 10.0, 0.0); // vessel x = global y
    const SpringColumn col = SPRING(10.0f, 0.0f, 0.0f, 1, 4, false, false);
    EXPECT_NEAR(col.DFXTMP, ref0[1] - ref1[1], force_tol);
    EXPECT_NEAR(col.DFYTMP, -(ref0[0] - ref1[0]), force_tol);
    EXPECT_EQ(EQUILB.RVES(1), 0.0f); // the position is restored
    EXPECT_EQ(EQUILB.YCGVAR(), 0.0f);
    EXPECT_EQ(EQUILB.VESANG(), half_pi);
}

// The environmental yaw moment sees the displaced position in EQUILB; a stop thrown through it
// (an abort at one of its prompts) still leaves EQUILB's position and heading as they were.
TEST_F(SpreadMooring, SpringPutsThePositionBackWhenTheYawMomentStops) {
    EQUILB.RVES(1) = 3.0f;
    EQUILB.YCGVAR() = -2.0f;
    EQUILB.VESANG() = 0.25f;
    int calls = 0;
    float seen_x = 0.0f;
    const auto moment = [&](float) {
        if (++calls == 2) {
            seen_x = EQUILB.RVES(1);
            throw ProgramStop(StopKind::user_choice);
        }
        return 0.0f;
    };
    EXPECT_THROW(SPRING(10.0f, 0.0f, 0.1f, 1, 4, true, false, moment), ProgramStop);
    EXPECT_EQ(calls, 2);
    EXPECT_FLOAT_EQ(seen_x, 3.0f + 10.0f * std::cos(0.25f));
    EXPECT_EQ(EQUILB.RVES(1), 3.0f);
    EXPECT_EQ(EQUILB.YCGVAR(), -2.0f);
    EXPECT_EQ(EQUILB.VESANG(), 0.25f);
}

} // namespace
} // namespace lintar
