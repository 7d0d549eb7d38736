// Tests of the low-frequency line damping and inertia (QDAMP): one suspended elastic line
// against a quadrature over Irvine's elastic catenary, a symmetric four-line spread, skipped
// lines, the tension-leg branch's end values, the integration-point rule and the diameter
// units.
#include "support/line_dynamics_fixtures.h"
#include "support/line_dynamics_support.h"
#include "support/spread_mooring_tables.h"

#include "blocks/catcom.h"
#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "line_dynamics/low_frequency_damping.h"
#include "line_dynamics/mean_line_shape.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

constexpr float gravity = 32.174f;
constexpr float water = 64.0f; // lb/ft^3: 0.001 x 64 / g kip s^2/ft^4
constexpr float diameter_in = 3.0f;
constexpr float added_mass = 1.0f;
constexpr float drag = 1.2f;

// Diameter, added-mass and drag coefficients of every subline of type t; English units.
void set_hydrodynamics(int t, int nelem) {
    WAVCOM.G = gravity;
    TPCM.DWATR = water;
    TPCM.NUNTS = 0;
    for (int e = 1; e <= nelem; ++e) {
        TPCM.DIAM(e, t) = diameter_in;
        TPCM.COFMST(e, t) = added_mass;
        TPCM.COFDMT(e, t) = drag;
    }
}

struct Qdamp {
    float DISSIP = 0.0f, MASS_L = 0.0f, MASS_T = 0.0f, MASS_OOP = 0.0f, SYS = 0.0f;
};
Qdamp run_qdamp(const std::vector<float>& RANCPQ, const std::vector<float>& ANGDPPQ,
                std::int32_t IMOTN, bool DO_OOP = false, float VESANGQ = 0.0f) {
    Qdamp q;
    QDAMP(RANCPQ, ANGDPPQ, IMOTN, q.DISSIP, VESANGQ, false, q.MASS_L, q.MASS_T, q.MASS_OOP, q.SYS,
          DO_OOP);
    return q;
}

// A suspended elastic line of three equal sublines over 400 ft (no seabed) with its tables,
// as line 1 of type 1, its mean shape made by LINDRV at table point 8 (H = 120).
struct SuspendedLine {
    ElasticCatenary e{1200.0, 0.08, 2e-5};
    double ZF = 400.0;
    double H = 120.0;
    float RANC = 0.0f;

    SuspendedLine() {
        define_type(1, {{400.0, 0.08, 2e-5}, {400.0, 0.08, 2e-5}, {400.0, 0.08, 2e-5}}, 0);
        build_tables(e, 1, 50.0, 200.0, 16, ZF, 10.0, 1);
        TPCM.SIMTYP = 1;
        TPCM.NBUG0 = 0;
        TPCM.DRAFT = 0.0f;
        TPCM.ANCHGT(1) = static_cast<float>(ZF);
        TPCM.LINTYP(1, 1) = 1;
        TPCM.RFLD(3, 1) = 0.0f;
        TPCM.NLIN = 1;
        LINCOM.LINEID(1) = 1;
        LINCOM.DSLOPE = 0.0;
        OUTCOM.DZTOTL(1, 4, 1) = static_cast<float>(ZF);
        set_hydrodynamics(1, 3);
        RANC = LINCOM.ANCDST(8, 1, 1);
        LINDRV(std::vector<float>(150, RANC), std::vector<float>(150, 0.0f));
    }
};

// The suspended line's surge by a unit fairlead motion along the line, from central differences
// of the elastic catenary's statics for the normal and tangential motion of every material
// point, integrated by Simpson's rule on 600 panels:
//   dissipation  C_D rho D 4/3 int |a|^3 ds,
//   inertia      2 w int |t|^2 ds + 2 (w + C_A m_d) int |a|^2 ds,
// with rho = 0.001 x 64 / g, D = 3 x 0.0833 ft, m_d = rho pi D^2 / 4, w = 0.08 / g + m_d.
// A fairlead motion of size u along the line scales the point motions by u: the dissipation
// by |u|^3, the inertia by u^2.
struct IrvineSurge {
    double dissipation = 0.0, MASS_T = 0.0, MASS_L = 0.0;
};
IrvineSurge irvine_surge(const SuspendedLine& line) {
    const ElasticCatenary& e = line.e;
    const double rho = 0.001 * water / gravity;
    const double D = diameter_in * 0.0833;
    const double m_d = rho * std::numbers::pi / 4.0 * D * D;
    const double w = 0.08 / gravity + m_d;
    const double q_top = e.top_slope(line.H, line.ZF);
    const auto motion = [&](double s) {
        const PointMotion m = point_motion(e, line.H, line.ZF, s, 1.0, 0.0, 1e-4 * line.H, 1e-3);
        const double phi = std::atan(q_top - s * e.w / line.H);
        return std::pair{std::abs(m.dz * std::cos(phi) - m.dx * std::sin(phi)),
                         std::abs(m.dx * std::cos(phi) + m.dz * std::sin(phi))};
    };
    const double cube =
        simpson([&](double s) { return std::pow(motion(s).first, 3); }, 0.0, e.L, 600);
    const double normal2 =
        simpson([&](double s) { return std::pow(motion(s).first, 2); }, 0.0, e.L, 600);
    const double along2 =
        simpson([&](double s) { return std::pow(motion(s).second, 2); }, 0.0, e.L, 600);
    return {drag * rho * D * 4.0 / 3.0 * cube, 2.0 * (w + added_mass * m_d) * normal2,
            2.0 * w * along2};
}

// The routine's five points per element and its forward tangent step in the point motions
// leave it 0.1 % off Irvine's line; a lost term errs by tens of per cent.
constexpr double irvine_tol = 5e-3;

TEST(LowFrequencyDamping, ASuspendedLineMatchesIrvinesCatenary) {
    // Surge of a line lying along the vessel's x axis: the fairlead moves 1 along the line.
    ScriptedConsole console;
    const SuspendedLine line;
    const Qdamp q = run_qdamp({line.RANC}, {0.0f}, 1);
    const IrvineSurge hand = irvine_surge(line);
    EXPECT_NEAR(q.DISSIP, hand.dissipation, irvine_tol * hand.dissipation);
    EXPECT_NEAR(q.MASS_T, hand.MASS_T, irvine_tol * hand.MASS_T);
    EXPECT_NEAR(q.MASS_L, hand.MASS_L, irvine_tol * hand.MASS_L);
    EXPECT_EQ(q.MASS_OOP, 0.0f);
    EXPECT_FLOAT_EQ(q.SYS, q.MASS_L + q.MASS_T);
    // Sway moves this line's fairlead across its plane only: nothing in the plane.
    const Qdamp sway = run_qdamp({line.RANC}, {0.0f}, 2);
    EXPECT_EQ(sway.DISSIP, 0.0f);
}

TEST(LowFrequencyDamping, TheBuoyOfABuoyAndTankerTurnsItsLinesByItsOwnHeading) {
    // The line lies along global x. Program code 13 moves the fairlead by the buoy's heading
    // BUYNGL + VOFANG, whatever heading the caller hands; the other codes, the tug and barge
    // (10) among them, by the caller's. At heading h a unit surge moves the fairlead cos h
    // along the line, a unit sway -sin h: the surge damping is |cos h|^3 of Irvine's line, the
    // sway damping |sin h|^3, the inertia in the plane cos^2 h and sin^2 h of it.
    constexpr double pi = std::numbers::pi;
    struct Case {
        std::int32_t SIMTYP;
        float BUYNGL, VOFANG, VESANGQ;
        double h; // the heading the fairlead motion takes
    };
    const Case cases[] = {
        {13, static_cast<float>(pi / 3), static_cast<float>(pi / 6), 0.0f, pi / 2},
        {13, static_cast<float>(pi / 6), 0.0f, static_cast<float>(pi / 2), pi / 6},
        {13, 0.0f, static_cast<float>(-pi / 4), 1.0f, -pi / 4},
        {10, 1.0f, 0.5f, static_cast<float>(pi / 3), pi / 3},
        {8, 1.0f, 0.5f, static_cast<float>(pi / 2), pi / 2},
    };
    ScriptedConsole console;
    const SuspendedLine line;
    const IrvineSurge hand = irvine_surge(line);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "code " << c.SIMTYP << " heading " << c.h);
        TPCM.SIMTYP = c.SIMTYP;
        EQUILB.BUYNGL() = c.BUYNGL;
        EQUILB.VOFANG = c.VOFANG;
        const std::array<double, 2> share = {std::abs(std::cos(c.h)), std::abs(std::sin(c.h))};
        for (std::int32_t m = 1; m <= 2; ++m) {
            SCOPED_TRACE(m);
            const Qdamp q = run_qdamp({line.RANC}, {0.0f}, m, false, c.VESANGQ);
            const double u = share[static_cast<std::size_t>(m - 1)];
            const double D = hand.dissipation * u * u * u;
            const double MT = hand.MASS_T * u * u;
            EXPECT_NEAR(q.DISSIP, D, irvine_tol * hand.dissipation);
            EXPECT_NEAR(q.MASS_T, MT, irvine_tol * hand.MASS_T);
        }
    }
}

TEST(LowFrequencyDamping, TheTensionLegBranchTakesTheMeanResultsAndKeepsItsTangents) {
    // The tension-leg programs take the load and tensions from the mean results and the end
    // values from the mean shape's tangents: the same line, the same damping. The motion along
    // the line for the services takes the cosine of what the branch holds: the top angle from
    // the tables, the top tangent in the tension-leg branch (kept as it is; CATDMP takes its
    // motions as arguments and does not read it).
    ScriptedConsole console;
    const SuspendedLine line;
    const Qdamp table = run_qdamp({line.RANC}, {0.0f}, 1);
    const float top_angle = LINCOM.QF;
    EXPECT_NEAR(CATCOM.CAFLD.real(), std::cos(top_angle), 1e-6);
    EXPECT_NEAR(std::tan(top_angle), CATCOM.TANARR(1, 1), 1e-4);

    TPCM.SIMTYP = 17;
    OUTCOM.H_MEAN(1, 4, 1) = static_cast<float>(line.H);
    OUTCOM.TMEAN(1) = 200.0f;
    OUTCOM.BMEAN(1) = 120.0f;
    const Qdamp tlp = run_qdamp({line.RANC}, {0.0f}, 1);
    EXPECT_NEAR(tlp.DISSIP, table.DISSIP, 1e-4 * table.DISSIP);
    EXPECT_NEAR(tlp.SYS, table.SYS, 1e-4 * table.SYS);
    EXPECT_EQ(LINCOM.QF, CATCOM.TANARR(1, 1));
    EXPECT_FLOAT_EQ(CATCOM.CAFLD.real(), std::cos(CATCOM.TANARR(1, 1)));
    EXPECT_FLOAT_EQ(static_cast<float>(LINCOM.TPTEN0), 200.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(LINCOM.BTTEN0), 120.0f);
}

// The spread of tests/support with the chain as three sublines of 1000 ft on the seabed.
void define_spread() {
    const Chain c;
    fill_spread_tables(c, 1, 0.0f);
    define_type(
        1, {{1000.0, c.w, 1.0 / c.EA}, {1000.0, c.w, 1.0 / c.EA}, {1000.0, c.w, 1.0 / c.EA}}, 1);
    set_hydrodynamics(1, 3);
    TPCM.SIMTYP = 1;
    TPCM.NBUG0 = 0;
    TPCM.LINTYP(1, 1) = 1;
    LINCOM.DSLOPE = 0.0;
    for (int i = 1; i <= 4; ++i)
        OUTCOM.DZTOTL(i, 4, 1) = static_cast<float>(spread_depth);
}

TEST(LowFrequencyDamping, ASymmetricSpreadDampsSurgeAndSwayAlike) {
    // Four lines at 45, 135, 225 and 315 degrees: every line sees the same share of a surge
    // and of a sway, in and out of its plane; a skipped line drops its quarter.
    ScriptedConsole console;
    define_spread();
    const std::vector<float> RANC(4, LINCOM.RANC(1));
    const std::vector<float> ANG(spread_azimuth.begin(), spread_azimuth.end());
    LINDRV(std::vector<float>(150, LINCOM.RANC(1)), std::vector<float>(150, 0.0f));
    const Qdamp surge = run_qdamp(RANC, ANG, 1, true);
    const Qdamp sway = run_qdamp(RANC, ANG, 2, true);
    EXPECT_GT(surge.DISSIP, 0.0f);
    EXPECT_GT(surge.MASS_OOP, 0.0f);
    EXPECT_NEAR(sway.DISSIP, surge.DISSIP, 1e-5 * surge.DISSIP);
    EXPECT_NEAR(sway.SYS, surge.SYS, 1e-5 * surge.SYS);
    EXPECT_NEAR(surge.SYS, 4.0f * (surge.MASS_L + surge.MASS_T + surge.MASS_OOP), 1e-5 * surge.SYS);
    // Yaw turns the fairleads (250, +/-40) about the origin: the same for every line.
    const Qdamp yaw = run_qdamp(RANC, ANG, 3, true);
    EXPECT_GT(yaw.DISSIP, 0.0f);

    LINCOM.LINEID(4) = 1025;
    const Qdamp three = run_qdamp(RANC, ANG, 1, true);
    EXPECT_NEAR(three.DISSIP, 0.75f * surge.DISSIP, 1e-5 * surge.DISSIP);
    EXPECT_NEAR(three.SYS, 0.75f * surge.SYS, 1e-5 * surge.SYS);
    // The skipped line is the last: its own inertias are 0.
    EXPECT_EQ(three.MASS_L, 0.0f);
    EXPECT_EQ(three.MASS_T, 0.0f);
    EXPECT_EQ(three.MASS_OOP, 0.0f);
}

TEST(LowFrequencyDamping, ALineWithoutNodeMotionsAddsNothing) {
    // A line whose span does not change with its load gets zero derivatives from LINDRV; here
    // they are zeroed by hand: the line adds no damping and no mass, and no NaN.
    ScriptedConsole console;
    const SuspendedLine line;
    for (int k = 1; k <= 4; ++k) {
        CATCOM.DXSDH(k, 1) = 0.0f;
        CATCOM.DZSDH(k, 1) = 0.0f;
    }
    const Qdamp q = run_qdamp({line.RANC}, {0.0f}, 1, true);
    EXPECT_EQ(q.DISSIP, 0.0f);
    EXPECT_EQ(q.SYS, 0.0f);
}

TEST(LowFrequencyDamping, IntegrationPointsFollowTheTangentDifference) {
    // Tangents whose difference is exact in four bytes (0.42 - 0.3 is not).
    struct Case {
        float DQF, DQB;
        std::int32_t NQP;
    };
    const Case cases[] = {
        {1.5f, 0.3f, 13},   // |10 x 1.2| = 12, made odd
        {1.25f, 0.0f, 13},  // 12.5 truncates to 12
        {1.375f, 0.0f, 13}, // 13.75 truncates to 13, odd already
        {0.25f, 0.0f, 5},   // 2.5: raised to 5
        {0.0f, 0.0f, 5},    // a straight element
        {-1.0f, 0.5f, 15},  // the difference's size
        {4.0f, 0.0f, 19},   // 40: lowered to 19
        {1.0e30f, 0.0f, 19},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.DQF << " - " << c.DQB);
        EXPECT_EQ(qdamp_points(c.DQF, c.DQB), c.NQP);
    }
}

TEST(LowFrequencyDamping, DiameterUnits) {
    EXPECT_FLOAT_EQ(100.0f * diameter_factor(1), 0.1f);
    EXPECT_FLOAT_EQ(12.0f * diameter_factor(0), 0.9996f);
}

} // namespace
} // namespace lintar
