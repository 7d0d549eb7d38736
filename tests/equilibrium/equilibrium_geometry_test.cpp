// The small equilibrium geometry routines: rotations and pull-down polynomials by hand, the
// applied forces that move with the mooring, the tension adjustment against a hand computation
// and its degenerate inputs, and the nodes of one line against the independent elastic
// catenary cases of tests/data/catenary_cases.csv and Irvine's closed form.
#include "equilibrium/equilibrium_geometry.h"

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "runtime/program_state.h"
#include "support/line_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace lintar {
namespace {

using namespace lintar::testing;

constexpr double pi = std::numbers::pi;
constexpr float float_tol = 2e-6f; // rounding of a few single-precision operations

TEST(EquilibriumGeometry, Rot2dTurnsThePairCounterClockwise) {
    struct Case {
        float x, y, angle, x_new, y_new;
    };
    const Case cases[] = {
        {3.0f, -2.0f, 0.0f, 3.0f, -2.0f},
        {1.0f, 0.0f, static_cast<float>(pi / 2), 0.0f, 1.0f},
        {0.0f, 1.0f, static_cast<float>(pi / 2), -1.0f, 0.0f},
        {2.0f, 2.0f, static_cast<float>(-pi / 4), 2.0f * std::sqrt(2.0f), 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "(" << c.x << ", " << c.y << ") by " << c.angle);
        float x = c.x;
        float y = c.y;
        ROT2D(x, y, c.angle);
        EXPECT_NEAR(x, c.x_new, 4 * float_tol);
        EXPECT_NEAR(y, c.y_new, 4 * float_tol);
    }
}

TEST(EquilibriumGeometry, PullDownPolynomials) {
    const std::array<float, 2> origin{0.0f, 0.0f};
    EXPECT_EQ(ZPULLDOWN(origin, 0.3f, -0.002f), 0.0f);
    const std::array<float, 2> offset{3.0f, 4.0f}; // r^2 = 25
    EXPECT_FLOAT_EQ(ZPULLDOWN(offset, 0.01f, 0.0001f), 0.25f + 0.0625f);
    const std::array<float, 2> reference{1.0f, -2.0f};
    EXPECT_FLOAT_EQ(ANGLEPULL(offset, reference, 0.5f, -0.25f), 2.0f * 0.5f + 6.0f * -0.25f);
    EXPECT_EQ(ANGLEPULL(reference, reference, 7.0f, 9.0f), 0.0f);
}

class AppliedForces : public ::testing::Test {
protected:
    void SetUp() override { reset_program_state(); }
    void TearDown() override { reset_program_state(); }
};

TEST_F(AppliedForces, NoForceLeavesThePairAndSetsTheAngle) {
    TPCM.AUXFRC = 1; // switched on but not moving with the mooring
    TPCM.XVFRC = 50.0f;
    float FX = -3.0f;
    float FY = 3.0f;
    float angle = 99.0f;
    TENADJ2(FX, FY, angle, 0.7f, 0);
    EXPECT_EQ(FX, -3.0f);
    EXPECT_EQ(FY, 3.0f);
    EXPECT_FLOAT_EQ(angle, static_cast<float>(3 * pi / 4));
    FX = 0.0f;
    FY = 0.0f;
    TENADJ2(FX, FY, angle, 0.7f, 0);
    EXPECT_EQ(angle, 0.0f);
}

// Heading pi/2: a force (X, Y) in vessel axes is (-Y, X) in global axes and a global one is
// (Y, -X) in vessel axes.
TEST_F(AppliedForces, EachForceIsTurnedIntoTheAxesAskedFor) {
    TPCM.AUXFRC = 1; // first: vessel axes
    TPCM.LVMR1 = 1;
    TPCM.CRDSYS = 1;
    TPCM.XVFRC = 10.0f;
    TPCM.YVFRC = 2.0f;
    TPCM.AXFC2 = 1; // second: global axes
    TPCM.LVMR2 = 1;
    TPCM.CRDS2 = 0;
    TPCM.XVFRC2 = 0.5f;
    TPCM.YVFRC2 = 0.25f;
    TPCM.AXFC3 = 1; // third: not moving with the mooring, never added
    TPCM.LVMR3 = 0;
    TPCM.XVFRC3 = 1000.0f;
    TPCM.YVFRC3 = 1000.0f;
    const float heading = static_cast<float>(pi / 2);

    float FX = 1.0f;
    float FY = 1.0f;
    float angle = 0.0f;
    TENADJ2(FX, FY, angle, heading, 0);
    EXPECT_NEAR(FX, 1.0f - 2.0f + 0.5f, 1e-5f);
    EXPECT_NEAR(FY, 1.0f + 10.0f + 0.25f, 1e-5f);
    EXPECT_FLOAT_EQ(angle, std::atan2(FY, FX));

    FX = 0.0f;
    FY = 0.0f;
    TENADJ2(FX, FY, angle, heading, 1);
    EXPECT_NEAR(FX, 10.0f + 0.25f, 1e-5f);
    EXPECT_NEAR(FY, 2.0f - 0.5f, 1e-5f);

    // Two non-zero codes both mean vessel axes: the force is taken as it is.
    TPCM.AXFC2 = 0;
    FX = 0.0f;
    FY = 0.0f;
    TENADJ2(FX, FY, angle, heading, 2);
    EXPECT_EQ(FX, 10.0f);
    EXPECT_EQ(FY, 2.0f);
}

TEST(EquilibriumGeometry, TensionAdjustedForAnAddedForce) {
    // Hand computation: T 5 with horizontal part 3 has vertical part 4; the added force of 1
    // along and 2 across makes the horizontal part 4 and the tension sqrt(16 + 16 + 4) = 6.
    float T = 5.0f, X = 3.0f, Z = -1.0f, V = 0.0f, P = 0.0f;
    TENADJ(T, X, Z, 1.0f, 2.0f, 123.0f, V, P);
    EXPECT_FLOAT_EQ(P, std::asin(2.0f / 3.0f));
    EXPECT_FLOAT_EQ(Z, 4.0f);
    EXPECT_FLOAT_EQ(X, 4.0f);
    EXPECT_FLOAT_EQ(T, 6.0f);
    EXPECT_FLOAT_EQ(V, static_cast<float>(pi / 4));

    struct Case {
        const char* what;
        float T, X, FCLPAR, FCLPRP;
        float P, Z, T_new;
    };
    const Case cases[] = {
        {"cross part above the horizontal part", 5.0f, 3.0f, 0.0f, 4.0f, 1.5707964f, 4.0f,
         std::sqrt(41.0f)},
        {"negative cross part", 5.0f, 3.0f, 0.0f, -4.0f, -1.5707964f, 4.0f, std::sqrt(41.0f)},
        {"no horizontal load, no cross part", 2.0f, 0.0f, 0.0f, 0.0f, 0.0f, 2.0f, 2.0f},
        {"horizontal part above the tension", 3.0f, 3.5f, 0.0f, 0.0f, 0.0f, 0.0f, 3.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        T = c.T;
        X = c.X;
        TENADJ(T, X, Z, c.FCLPAR, c.FCLPRP, 0.0f, V, P);
        EXPECT_FLOAT_EQ(P, c.P);
        EXPECT_FLOAT_EQ(Z, c.Z);
        EXPECT_FLOAT_EQ(T, c.T_new);
        EXPECT_FALSE(std::isnan(V));
    }
}

// ---- The nodes of one line ----------------------------------------------------------------

class LineNodesTest : public ::testing::Test {
protected:
    void SetUp() override { reset_program_state(); }
    void TearDown() override { reset_program_state(); }

    std::array<float, 26> T{}, load{}, x{}, y{}, z{};
    LineNodes nodes() { return {T, load, x, y, z}; }
};

// A float solve of a line matches the reference to about 1e-5 of its spans and tensions; a
// wrong node or sign is off by whole percent.
constexpr double rel_tol = 5e-5;

TEST_F(LineNodesTest, TopAndAnchorAgreeWithTheReferenceCases) {
    for (const char* id : {"C02", "C03", "C04", "W03", "P01"}) {
        SCOPED_TRACE(id);
        reset_program_state();
        ReferenceCase c{};
        for (const auto& r : reference_cases())
            if (r.id == id)
                c = r;
        ASSERT_GT(c.L, 0.0);
        define_type(1, {{c.L, c.w, 1.0 / c.EA}}, 1);
        y.fill(-7.0f);
        float angle = static_cast<float>(c.top_deg * pi / 180.0 * 1.02); // near, not at, the root
        float Ttop = 0.0f, Tbot = 0.0f, Fz = 0.0f, bottom = 0.0f;
        NODE_EVAL2(1, 3, static_cast<float>(c.ZF), static_cast<float>(c.HF), angle, 1, Ttop, Tbot,
                   Fz, bottom, 0.0f, nodes());
        const double Tbot_ref = c.HF / std::cos(c.anc_deg * pi / 180.0);
        EXPECT_NEAR(Ttop, c.Ttop, rel_tol * c.Ttop);
        EXPECT_NEAR(load[0], c.Ttop, rel_tol * c.Ttop);
        EXPECT_NEAR(Tbot, Tbot_ref, rel_tol * c.Ttop);
        EXPECT_NEAR(load[1], Tbot_ref, rel_tol * c.Ttop);
        EXPECT_NEAR(angle * 180.0 / pi, c.top_deg, 1e-3);
        EXPECT_NEAR(bottom * 180.0 / pi, c.anc_deg, 1e-3);
        EXPECT_NEAR(std::atan(T[0]), angle, 1e-6);
        // The line pulls the fairlead down by its vertical tension VF = H tan(top angle).
        EXPECT_NEAR(Fz, -c.HF * std::tan(c.top_deg * pi / 180.0), rel_tol * c.Ttop);
        EXPECT_NEAR(x[0], c.XF, rel_tol * c.XF);
        EXPECT_NEAR(z[0], c.ZF, rel_tol * c.XF);
        EXPECT_EQ(x[1], 0.0f);
        EXPECT_EQ(z[1], 0.0f);
        EXPECT_EQ(y[0], 0.0f); // no lateral offset: every node in the plane
        EXPECT_EQ(y[1], 0.0f);
        EXPECT_EQ(y[2], -7.0f); // nodes past the anchor end left alone
        EXPECT_EQ(LINCOM.ITYP, 1);
        EXPECT_FLOAT_EQ(LINCOM.DELTAZ, static_cast<float>(c.ZF));
    }
}

// The taut polyester line of P01 cut into four equal sublines: each node lies on the elastic
// catenary of the whole line (Irvine), found from the anchor's vertical force VA.
TEST_F(LineNodesTest, InnerNodesLieOnTheClosedFormCatenary) {
    ReferenceCase c{};
    double VA = 0.0;
    for (const auto& r : reference_cases())
        if (r.id == "P01")
            c = r;
    VA = c.HF * std::tan(c.anc_deg * pi / 180.0);
    const double piece = c.L / 4.0;
    define_type(1, Line(4, Subline{piece, c.w, 1.0 / c.EA}), 1);
    float angle = static_cast<float>(c.top_deg * pi / 180.0);
    float Ttop = 0.0f, Tbot = 0.0f, Fz = 0.0f, bottom = 0.0f;
    const float lateral = 25.0f;
    NODE_EVAL2(1, 1, static_cast<float>(c.ZF), static_cast<float>(c.HF), angle, 1, Ttop, Tbot, Fz,
               bottom, lateral, nodes());
    const double H = c.HF;
    for (int j = 1; j <= 5; ++j) {
        SCOPED_TRACE(::testing::Message() << "node " << j);
        const double s = c.L - (j - 1) * piece; // unstretched arc from the anchor
        const double V = VA + c.w * s;
        const double x_ref = H * s / c.EA + H / c.w * (std::asinh(V / H) - std::asinh(VA / H));
        const double z_ref = H / c.w * (std::hypot(1.0, V / H) - std::hypot(1.0, VA / H)) +
                             (VA * s + 0.5 * c.w * s * s) / c.EA;
        const auto n = static_cast<std::size_t>(j - 1);
        EXPECT_NEAR(x[n], x_ref, rel_tol * c.XF);
        EXPECT_NEAR(z[n], z_ref, rel_tol * c.XF);
        EXPECT_NEAR(load[n], std::hypot(H, V), rel_tol * c.Ttop);
        EXPECT_NEAR(T[n], V / H, 1e-4);
        EXPECT_NEAR(y[n], lateral * x_ref / c.XF, 1e-3); // straight from anchor to fairlead
    }
}

} // namespace
} // namespace lintar
