// Tests of the six-by-six mooring stiffness on the spread mooring whose tables and reference
// forces come from the elastic catenary.
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/mooring_force.h"
#include "lines/mooring_stiffness.h"
#include "runtime/program_state.h"
#include "support/console.h"
#include "support/spread_mooring_tables.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::Chain;

float K(const Matrix66& M, int J, int I) {
    return M[static_cast<std::size_t>((I - 1) * 6 + J - 1)];
}

class SpreadStiffness : public ::testing::Test {
protected:
    void SetUp() override {
        reset_program_state();
        // Rows 1 ft apart: the heave steps of 1 ft land on rows, where the tables are exact.
        testing::fill_spread_tables(chain, 5, 1.0f);
        request.NSTIFG = 1;
        request.NSTIFV = 1;
        request.EPSDST = step;
        request.EPSRAD = 0.001f;
        request.MINLN = 1;
        request.MAXLN = 4;
    }
    void TearDown() override { reset_program_state(); }

    // STIFFY into G and V at the point.
    void stiffness(const StiffnessPoint& point) { STIFFY(STFMXG, STFMXV, G, V, point, request); }

    Chain chain;
    static constexpr float step = 1.0f; // ft
    StiffnessRequest request;
    std::vector<float> STFMXG = std::vector<float>(150 * 2, -7.0f);
    std::vector<float> STFMXV = std::vector<float>(150 * 2, -7.0f);
    Matrix66 G{};
    Matrix66 V{};
};

// The translation block against central differences of the independent net force, with the
// same step; the off-diagonal translation terms vanish by the symmetry of the spread.
TEST_F(SpreadStiffness, TranslationBlockMatchesTheIndependentForce) {
    stiffness(StiffnessPoint{});
    const auto diff = [&](int I, int J) {
        double d[3] = {0.0, 0.0, 0.0};
        d[I - 1] = step;
        const auto plus = testing::spread_net_force(chain, d[0], d[1], d[2]);
        const auto minus = testing::spread_net_force(chain, -d[0], -d[1], -d[2]);
        return (plus[static_cast<std::size_t>(J - 1)] - minus[static_cast<std::size_t>(J - 1)]) /
               (2.0 * step);
    };
    const double K11 = diff(1, 1);
    ASSERT_LT(K11, -1.0); // restoring: a few kips per foot
    // The tables miss the force by up to ~0.2 kips, differently at each offset: over the 2 ft
    // base of the differences that is ~0.1 kips/ft, which matters for the soft heave term.
    constexpr double stiff_rel = 0.03;
    constexpr double stiff_abs = 0.15; // kips/ft
    for (int I = 1; I <= 3; ++I) {
        const double ref = diff(I, I);
        SCOPED_TRACE(::testing::Message() << "K" << I << I << " reference " << ref);
        EXPECT_NEAR(K(G, I, I), ref, stiff_rel * std::abs(ref) + stiff_abs);
        EXPECT_NEAR(K(V, I, I), ref, stiff_rel * std::abs(ref) + stiff_abs);
        for (int J = 1; J <= 3; ++J)
            if (J != I) {
                EXPECT_NEAR(K(G, J, I), 0.0, 1e-3 * std::abs(K11));
                EXPECT_NEAR(K(V, J, I), 0.0, 1e-3 * std::abs(K11));
            }
    }
    // Column 1 of the global matrix went to column INCVAL of the table, rows 1..36 only.
    EXPECT_EQ(STFMXG[0], K(G, 1, 1));
    EXPECT_EQ(STFMXG[14], K(G, 3, 3));
    EXPECT_EQ(STFMXG[36], -7.0f);
    EXPECT_EQ(STFMXG[150], -7.0f);
}

// The yaw term against central differences of the independent yaw moment, turned by the step
// STIFFY takes: 0.001 rad held so that no fairlead moves more than 0.5 ft (the layout's
// plan diagonal is sqrt(500^2 + 80^2) ft).
TEST_F(SpreadStiffness, YawTermMatchesTheIndependentMoment) {
    stiffness(StiffnessPoint{});
    const double h = 0.001 * 500.0 / std::hypot(500.0, 80.0);
    const double X0 = testing::elastic_catenary(chain, testing::spread_H0, testing::spread_depth).X;
    const auto moment = [&](double psi) {
        double Mz = 0.0;
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
            Mz += (gx * vy - gy * vx) * H / d;
        }
        return Mz;
    };
    const double K66 = (moment(h) - moment(-h)) / (2.0 * h);
    ASSERT_LT(K66, 0.0);
    constexpr double yaw_rel = 0.03; // the tables' kinks within a 0.5 ft fairlead motion
    EXPECT_NEAR(K(G, 6, 6), K66, yaw_rel * std::abs(K66));
    EXPECT_NEAR(K(V, 6, 6), K66, yaw_rel * std::abs(K66));
}

// The symmetrised matrices are symmetric at an equilibrium: the spread at rest, its weight
// (the vertical mooring force) held by a constant load. The raw matrices are not: the
// vertical force turns with the vessel. Linear interpolation of the tables leaves the
// symmetrised pairs about 1 % apart.
TEST_F(SpreadStiffness, SymmetrisedMatrixIsSymmetricAtEquilibrium) {
    stiffness(StiffnessPoint{});
    const Matrix66 raw_G = G;
    const Matrix66 raw_V = V;
    request.GSTSYM = 1;
    request.VSTSYM = 1;
    stiffness(StiffnessPoint{});
    constexpr double sym_rel = 0.02;
    for (const Matrix66* M : {&G, &V})
        for (int I = 1; I <= 6; ++I)
            for (int J = 1; J < I; ++J) {
                SCOPED_TRACE(::testing::Message() << "entry " << J << "," << I);
                const double scale = std::sqrt(std::abs(K(*M, I, I) * K(*M, J, J)));
                EXPECT_NEAR(K(*M, J, I), K(*M, I, J), sym_rel * scale + 1e-2);
            }
    for (const Matrix66* M : {&raw_G, &raw_V}) // roll-sway pair of the raw matrices
        EXPECT_GT(std::abs(K(*M, 4, 2) - K(*M, 2, 4)), 0.5 * std::abs(K(*M, 2, 4)));
}

// The base evaluation is the point's own: the corrections of the symmetrised global matrix
// carry the base force (entry (5,1) minus FGZ, (6,1) minus FGY, (6,2) plus FGX), which must be
// FMOOR2's force at the point with the axis as the point passes it, whatever the quiescent
// heading.
TEST_F(SpreadStiffness, BaseEvaluationReproducesThePointLoads) {
    for (const float VESAN0 : {0.0f, 0.5f}) {
        SCOPED_TRACE(::testing::Message() << "VESAN0 " << VESAN0);
        TPCM.VESAN0 = VESAN0;
        StiffnessPoint point;
        point.VESANP = VESAN0;
        point.ROTDIR = {0.6f, 0.0f, 0.8f};
        point.ROTVAL = 0.5f;
        point.RVESP1 = 10.0f;
        point.ZROTV = {std::cos(VESAN0), -std::sin(VESAN0), std::sin(VESAN0), std::cos(VESAN0)};

        SixDofState state;
        state.RVES1 = 10.0f;
        state.VESANG = state.VESAN0 = VESAN0;
        state.ROTDIR = point.ROTDIR;
        state.ROTVAL_DEG = point.ROTVAL;
        SpanWarning warn;
        const SixDofLoads own = FMOOR2(state, Perturbation{}, ForceCentres{}, lincom_tables(),
                                       lincom_mooring_lines(1, 4), 0.0f, warn);
        EXPECT_EQ(warn.IOFLAG, 0);

        request.NSTIFV = 0;
        request.GSTSYM = 0;
        stiffness(point);
        const Matrix66 raw = G;
        request.GSTSYM = 1;
        stiffness(point);
        constexpr double load_tol = 0.01; // kips: the same float sums in the same order
        EXPECT_NEAR(K(G, 5, 1) - K(raw, 5, 1), own.FGZMOR, load_tol);
        EXPECT_NEAR(K(G, 6, 1) - K(raw, 6, 1), -own.FGYMOR, load_tol);
        EXPECT_NEAR(K(G, 6, 2) - K(raw, 6, 2), own.FGXMOR, load_tol);
    }
}

TEST_F(SpreadStiffness, OnlyTheMatrixAskedForIsWritten) {
    request.NSTIFV = 0;
    V.fill(3.0f);
    stiffness(StiffnessPoint{});
    for (const float v : V)
        EXPECT_EQ(v, 3.0f);
    EXPECT_EQ(STFMXV[0], -7.0f);
    EXPECT_NE(K(G, 1, 1), 0.0f);

    request.NSTIFG = 0;
    G.fill(5.0f);
    stiffness(StiffnessPoint{});
    EXPECT_EQ(K(G, 1, 1), 5.0f);
}

// The double-precision twin takes the same matrices to the level of the interpolation (the
// single-precision top tension comes from the spline across the rows, the double one from
// the linear blend) and of single-precision differencing.
TEST_F(SpreadStiffness, SingleAndDoublePrecisionAgree) {
    request.GSTSYM = 1;
    request.VSTSYM = 1;
    StiffnessPoint point;
    point.RVESP1 = 10.0f;
    point.RVESP2 = -4.0f;
    point.ZVESP = 0.2f; // with the 1 ft heave step, inside the 2 ft half span
    point.ROTDIR = {0.0f, 0.6f, 0.8f};
    point.ROTVAL = 0.2f;
    stiffness(point);
    const Matrix66 single_G = G;
    const Matrix66 single_V = V;
    STFDP2(STFMXG, STFMXV, G, V, point, request);
    constexpr double agree_rel = 0.01;
    for (int I = 1; I <= 6; ++I)
        for (int J = 1; J <= 6; ++J) {
            SCOPED_TRACE(::testing::Message() << "entry " << J << "," << I);
            const double scale_G = std::sqrt(std::abs(K(G, I, I) * K(G, J, J)));
            const double scale_V = std::sqrt(std::abs(K(V, I, I) * K(V, J, J)));
            EXPECT_NEAR(K(G, J, I), K(single_G, J, I), agree_rel * scale_G + 1e-2);
            EXPECT_NEAR(K(V, J, I), K(single_V, J, I), agree_rel * scale_V + 1e-2);
        }
    EXPECT_EQ(STFMXG[35], K(G, 6, 6));
}

// The widened tables are those of the last build: a rebuild (here a stiffer chain, widened as
// the table stage does after every build) changes the double-precision matrix with it.
TEST_F(SpreadStiffness, DoublePrecisionFollowsATableRebuild) {
    request.NSTIFV = 0;
    STFDP2(STFMXG, STFMXV, G, V, StiffnessPoint{}, request);
    const float before = K(G, 1, 1);
    Chain stiffer = chain;
    stiffer.EA = 2.0e4;
    testing::fill_spread_tables(stiffer, 5, 1.0f);
    widen_line_tables();
    STFDP2(STFMXG, STFMXV, G, V, StiffnessPoint{}, request);
    const double ref = (testing::spread_net_force(stiffer, 1.0, 0.0, 0.0)[0] -
                        testing::spread_net_force(stiffer, -1.0, 0.0, 0.0)[0]) /
                       2.0;
    EXPECT_NE(K(G, 1, 1), before);
    EXPECT_NEAR(K(G, 1, 1), ref, 0.03 * std::abs(ref) + 0.15);
}

// With IEQSET 2 both force routines record each line's displaced distance, vertical fairlead
// displacement and azimuth, and a skipped line its reference values; the two precisions agree
// to float rounding at a state displaced in all six degrees of freedom. Without IEQSET 2
// nothing is recorded.
TEST_F(SpreadStiffness, DoublePrecisionForceRecordsTheGeometryAsFmoor2Does) {
    LINCOM.LINEID(3) = 1024 + 1;
    widen_line_tables();
    // The axis in global axes for FMOOR2 and in vessel axes for FMRDP2: the same with VESAN0 0.
    const std::array<float, 3> axis = {0.6f, 0.48f, 0.64f};
    SixDofState state;
    state.RVES1 = 14.0f;
    state.RVES2 = -9.0f;
    state.ZVES = 0.6f;
    state.VESANG = 0.12f;
    state.ROTDIR = axis;
    state.ROTVAL_DEG = 0.3f; // fairleads stay inside the 2 ft half span
    WideState wide;
    wide.RVES1 = state.RVES1;
    wide.RVES2 = state.RVES2;
    wide.ZVES = state.ZVES;
    wide.VESANG = state.VESANG;
    wide.ROTDIR = {axis[0], axis[1], axis[2]};
    wide.ROTVAL = state.ROTVAL_DEG;
    WideLines lines;
    lines.RANC.assign(std::begin(LINCOM.RANC_words), std::end(LINCOM.RANC_words));
    lines.ANGDEP.assign(std::begin(TPCM.ANGDEP_words), std::end(TPCM.ANGDEP_words));
    lines.RFLD.assign(std::begin(TPCM.RFLD_words), std::end(TPCM.RFLD_words));
    lines.LINEID = LINCOM.LINEID_words;
    lines.MINLN = 1;
    lines.MAXLN = 4;

    struct Record {
        std::vector<float> RANCP = std::vector<float>(150, -5.0f);
        std::vector<float> ZANCP = std::vector<float>(150, -5.0f);
        std::vector<float> ANGDPP = std::vector<float>(150, -5.0f);
        DisplacedGeometry view() { return {RANCP, ZANCP, ANGDPP}; }
    };
    Record single, wide_rec, unasked;
    SpanWarning warn;
    FMOOR2(state, Perturbation{}, ForceCentres{}, lincom_tables(), lincom_mooring_lines(1, 4), 0.0f,
           warn, {}, 2, single.view());
    FMRDP2(wide, WidePerturbation{}, lines, wide_line_tables(), lincom_tables(), warn, 2,
           wide_rec.view());
    FMRDP2(wide, WidePerturbation{}, lines, wide_line_tables(), lincom_tables(), warn, 0,
           unasked.view());
    EXPECT_EQ(warn.IOFLAG, 0);

    constexpr double dist_tol = 2e-3;  // ft: a few float steps at 2,900 ft
    constexpr double z_tol = 1e-4;     // ft
    constexpr double angle_tol = 1e-4; // degrees
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(::testing::Message() << "line " << i);
        const auto n = static_cast<std::size_t>(i - 1);
        EXPECT_NEAR(wide_rec.RANCP[n], single.RANCP[n], dist_tol);
        EXPECT_NEAR(wide_rec.ZANCP[n], single.ZANCP[n], z_tol);
        EXPECT_NEAR(wide_rec.ANGDPP[n], single.ANGDPP[n], angle_tol);
        EXPECT_EQ(unasked.RANCP[n], -5.0f);
        EXPECT_EQ(unasked.ZANCP[n], -5.0f);
        EXPECT_EQ(unasked.ANGDPP[n], -5.0f);
        if (i == 3) {
            EXPECT_EQ(wide_rec.RANCP[n], LINCOM.RANC(3));
            EXPECT_EQ(wide_rec.ZANCP[n], 0.0f);
            EXPECT_EQ(wide_rec.ANGDPP[n], TPCM.ANGDEP(3));
        } else {
            // Really displaced: the offset alone moves every fairlead by some 17 ft.
            EXPECT_GT(std::abs(wide_rec.RANCP[n] - LINCOM.RANC(i)), 1.0f);
            EXPECT_GT(std::abs(wide_rec.ZANCP[n] - state.ZVES), 1e-3f); // the tilt shows
        }
    }
    EXPECT_EQ(wide_rec.RANCP[4], -5.0f); // line 5 is outside the range
}

// The double-precision force's span warning: framed by empty lines, the heave in six columns,
// worded for a heave with a rotation; once for its flag, then the abort prompt ("A" or Return).
TEST_F(SpreadStiffness, DoublePrecisionForceWarnsOnceOfTheSpan) {
    testing::ScriptedConsole console("\n");
    testing::fill_spread_tables(chain, 5, 1.0f);
    widen_line_tables();
    WideState wide;
    wide.ZVES = 5.0; // the span reaches 2 ft either side
    wide.ROTDIR = {0.0, 0.0, 1.0};
    wide.ROTVAL = 2.5;
    wide.ROTMOD = 2.0;
    WideLines lines;
    lines.RANC.assign(std::begin(LINCOM.RANC_words), std::end(LINCOM.RANC_words));
    lines.ANGDEP.assign(std::begin(TPCM.ANGDEP_words), std::end(TPCM.ANGDEP_words));
    lines.RFLD.assign(std::begin(TPCM.RFLD_words), std::end(TPCM.RFLD_words));
    lines.LINEID = LINCOM.LINEID_words;
    lines.MINLN = 1;
    lines.MAXLN = 4;
    SpanWarning warn;
    for (int call = 0; call < 2; ++call)
        FMRDP2(wide, WidePerturbation{}, lines, wide_line_tables(), lincom_tables(), warn);
    EXPECT_EQ(warn.IOFLAG, 99);
    EXPECT_EQ(warn.SPNERR, 4);
    const std::string expected = "\n"
                                 " ++> Warning: A vertical translation of amount   5.00\n"
                                 "     plus a rotation of amount   2.5 degrees about direction\n"
                                 "     ( 0.0, 0.0, 2.0) has carried fairlead number  1 outside \n"
                                 "     the bounds of the specified vertical interpolation span.\n"
                                 "     This may lead to interpolation errors. Consider increasing\n"
                                 "     the vertical interpolation span.\n"
                                 "\n";
    const std::string screen = console.screen();
    EXPECT_EQ(screen.substr(0, expected.size()), expected);
    EXPECT_EQ(screen.find("Warning", expected.size()), std::string::npos);
}

TEST(StiffnessIncrements, ZeroStepIsRefusedNamingTheOption) {
    struct Case {
        const char* name;
        std::int32_t NSTIFG, NSTIFV;
        float EPSDST, EPSDEG;
        const char* option; // nullptr: accepted
    };
    const Case cases[] = {
        {"zero translation step", 1, 0, 0.0f, 0.01f, "translation increment (EPSDST)"},
        {"zero rotation step", 0, 1, 0.01f, 0.0f, "rotation increment (EPSDEG)"},
        {"no matrix asked for", 0, 0, 0.0f, 0.0f, nullptr},
        {"both steps set", 1, 1, 0.01f, 0.01f, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ScriptedConsole console("\n");
        TPCM.EDUNIT = 6;
        TPCM.NSTIFG = c.NSTIFG;
        TPCM.NSTIFV = c.NSTIFV;
        TPCM.EPSDST = c.EPSDST;
        TPCM.EPSDEG = c.EPSDEG;
        const auto stop = testing::run_until_stop([] { check_stiffness_increments(); });
        if (c.option == nullptr) {
            EXPECT_FALSE(stop.has_value());
            EXPECT_EQ(console.screen(), "");
        } else {
            ASSERT_TRUE(stop.has_value());
            EXPECT_EQ(*stop, StopKind::error);
            EXPECT_NE(console.screen().find(std::string(" ++> The stiffness matrices need a "
                                                        "non-zero ") +
                                            c.option),
                      std::string::npos);
        }
    }
}

} // namespace
} // namespace lintar
