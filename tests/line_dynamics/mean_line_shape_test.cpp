// Tests of the mean line shapes and their derivatives (LINDRV): the grounded chain against its
// closed forms, an elastic line of three sublines against Irvine's elastic catenary node by
// node, the spans of the program types, the bracket, skipped lines, and the lines whose span
// does not change with the load.
#include "support/line_dynamics_fixtures.h"
#include "support/line_dynamics_support.h"

#include "blocks/catcom.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "line_dynamics/mean_line_shape.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

constexpr double DHFRAC = 1.0 / 128.0;

// The distance of the chain at load 100 as the table holds it (point 11), so that the
// interpolated load is exactly 100.
float chain_distance_at_100() {
    return LINCOM.ANCDST(11, 1, 1);
}

void run_lindrv(float distance) {
    const std::vector<float> RANCHR(150, distance);
    const std::vector<float> ZANCHR(150, 0.0f);
    LINDRV(RANCHR, ZANCHR);
}

TEST(MeanLineShape, GroundedChainMatchesItsClosedForms) {
    // The inextensible chain: w = 0.1 kip/ft, L = 2000 ft, h = 300 ft, H = 100 kips. The
    // derivatives are one-sided, as the routine defines them: a fairlead rise of 0.001 x 2000
    // = 2 ft and a load step of 100/128 kips; the closed form is differenced with the same
    // steps (the analytic derivatives, 0.341178 for DXSDH(1) and 0.156502 for DTZFDZ, differ
    // from these by the step's curvature, 0.5 %). The float solve (a four-byte top slope)
    // leaves a few 1e-5 relative in the differences.
    constexpr double rel_tol = 1e-4;
    ScriptedConsole console;
    const GroundedChain c;
    define_chain_mooring(c, 1);
    run_lindrv(chain_distance_at_100());
    const double H = 100.0;
    const double Dz = 2.0;
    const double Dh = H * DHFRAC;
    const double s = c.suspended(H, c.h);
    EXPECT_NEAR(s, 830.662, 1e-3);
    EXPECT_NEAR(c.span(H), 1925.7705, 1e-4);

    EXPECT_EQ(LINCOM.ITYP, 1);
    EXPECT_FLOAT_EQ(LINCOM.TOTLEN, 2000.0f);
    EXPECT_FLOAT_EQ(LINCOM.DELTAZ, 300.0f);
    EXPECT_FLOAT_EQ(LINCOM.HMEAN, 100.0f);
    EXPECT_DOUBLE_EQ(LINCOM.DPHLD, 100.0);
    EXPECT_DOUBLE_EQ(LINCOM.DPHLD2, 100.0 * (1.0 + DHFRAC));
    EXPECT_NEAR(LINCOM.QF, 0.830662, 0.830662 * rel_tol);
    EXPECT_NEAR(LINCOM.QB, 0.0, 1e-6);
    EXPECT_NEAR(LINCOM.FXCOMP, 1.0 / std::sqrt(1.0 + 0.830662 * 0.830662), 1e-5);
    EXPECT_NEAR(LINCOM.FZCOMP, 0.830662 / std::sqrt(1.0 + 0.830662 * 0.830662), 1e-5);
    EXPECT_FLOAT_EQ(LINCOM.BXCOMP, 1.0f);
    EXPECT_NEAR(LINCOM.TPTEN0, 130.0, 130.0 * rel_tol);
    EXPECT_NEAR(LINCOM.BTTEN0, 100.0, 100.0 * rel_tol);
    EXPECT_NEAR(LINCOM.BOTLNM, c.L - s, 0.05);
    EXPECT_NEAR(CATCOM.TANARR(1, 1), 0.830662, 0.830662 * rel_tol);

    // The top tension grows by exactly w per unit fairlead rise (T = H + w h).
    EXPECT_NEAR((LINCOM.TPTEN_CSTH - LINCOM.TPTEN0) / Dz, c.w, 1e-4);
    EXPECT_NEAR(LINCOM.BTTEN_CSTH, 100.0, 100.0 * rel_tol);
    EXPECT_NEAR(LINCOM.TPTEN_CSTZ, c.top_tension(H * (1 + DHFRAC), c.h), 130.0 * rel_tol);

    const double DXSDH1 = (c.span(H + Dh) - c.span(H)) / Dh;
    const double DXSDZF1 = (c.span(H, c.h + Dz) - c.span(H, c.h)) / Dz;
    const double DTZFDZ = (c.top_vertical(H, c.h + Dz) - c.top_vertical(H, c.h)) / Dz;
    const double DTZFDH = (c.top_vertical(H + Dh, c.h) - c.top_vertical(H, c.h)) / Dh;
    EXPECT_NEAR(DXSDH1, 0.339349, 1e-6);
    EXPECT_NEAR(DTZFDZ, -0.156328, 1e-6); // the vertical component is negative: -w s
    EXPECT_NEAR(DTZFDH, -0.360546, 1e-6);
    EXPECT_NEAR(CATCOM.DXSDH(1, 1), DXSDH1, rel_tol * DXSDH1);
    EXPECT_NEAR(CATCOM.DXSDZF(1, 1), DXSDZF1, rel_tol * std::abs(DXSDZF1));
    EXPECT_NEAR(CATCOM.DTZFDZ(1), DTZFDZ, rel_tol * std::abs(DTZFDZ));
    EXPECT_NEAR(CATCOM.DTZFDH(1), DTZFDH, rel_tol * std::abs(DTZFDH));
    // The fairlead node rises with the fairlead; the anchor stays.
    EXPECT_EQ(CATCOM.DZSDZF(1, 1), 1.0f);
    EXPECT_NEAR(CATCOM.DXSDZF(2, 1), 0.0, 1e-4);
    EXPECT_NEAR(CATCOM.DZSDZF(2, 1), 0.0, 1e-4);
    EXPECT_NEAR(CATCOM.DXSDH(2, 1), 0.0, 1e-4);
    EXPECT_NEAR(CATCOM.DZSDH(2, 1), 0.0, 1e-4);
    EXPECT_NEAR(CATCOM.DZSDH(1, 1), 0.0, 1e-4);

    // End derivatives: the top tension at constant span rises by w dV / dH + 1 per unit load
    // (T = H + w h does not change with the span at constant height), so per unit horizontal
    // fairlead motion it is (T(H + Dh) - T(H)) / (DXSDH Dh).
    const double DTFDXF = Dh / (DXSDH1 * Dh);
    EXPECT_NEAR(CATCOM.DTFDXF(1), DTFDXF, rel_tol * DTFDXF);
    EXPECT_NEAR(CATCOM.DTBDXB(1), -DTFDXF, rel_tol * DTFDXF);
    const double DTFDZF = c.w - DXSDZF1 * DTFDXF;
    EXPECT_NEAR(CATCOM.DTFDZF(1), DTFDZF, rel_tol * std::abs(DTFDZF));
}

TEST(MeanLineShape, NodeDerivativesOfAnElasticLineFollowIrvinesCatenary) {
    // A suspended elastic line of three equal sublines (no seabed): the motion of every node
    // per unit fairlead rise and per unit load, against one-sided differences of Irvine's
    // elastic catenary with the routine's steps, the nodes at 0, 1/3, 2/3 and the whole length.
    constexpr double rel_tol = 2e-3; // float top slope over one-sided steps of about 1e-2
    ScriptedConsole console;
    const ElasticCatenary e{1200.0, 0.08, 2e-5};
    const double ZF = 400.0;
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
    const double H = 120.0; // table point 8
    run_lindrv(LINCOM.ANCDST(8, 1, 1));
    ASSERT_DOUBLE_EQ(LINCOM.DPHLD, H);
    const double Dz = 0.001 * 1200.0;
    const double Dh = H * DHFRAC;
    for (int k = 1; k <= 4; ++k) {
        SCOPED_TRACE(k);
        const double s = 400.0 * (k - 1);
        const auto mean = e.from_anchor(H, ZF, s);
        const auto raised = e.from_anchor(H, ZF + Dz, s);
        const auto loaded = e.from_anchor(H + Dh, ZF, s);
        const double dxdz = (raised.first - mean.first) / Dz;
        const double dzdz = (raised.second - mean.second) / Dz;
        const double dxdh = (loaded.first - mean.first) / Dh;
        const double dzdh = (loaded.second - mean.second) / Dh;
        // The anchor node does not move: there the float solve's noise is all there is.
        const double scale_z = std::max({std::abs(dxdz), std::abs(dzdz), 0.05});
        const double scale_h = std::max({std::abs(dxdh), std::abs(dzdh), 0.05});
        EXPECT_NEAR(CATCOM.DXSDZF(k, 1), dxdz, rel_tol * scale_z);
        EXPECT_NEAR(CATCOM.DZSDZF(k, 1), dzdz, rel_tol * scale_z);
        EXPECT_NEAR(CATCOM.DXSDH(k, 1), dxdh, rel_tol * scale_h);
        EXPECT_NEAR(CATCOM.DZSDH(k, 1), dzdh, rel_tol * scale_h);
        const double q = e.top_slope(H, ZF) - s * e.w / H;
        EXPECT_NEAR(CATCOM.TANARR(k, 1), q, 1e-4 * std::max(1.0, std::abs(q)));
    }
    EXPECT_EQ(CATCOM.DZSDZF(1, 1), 1.0f);
    // The fairlead angle per unit fairlead motion along the line, from the same differences.
    const double q0 = e.top_slope(H, ZF);
    const double dq_dz = (e.top_slope(H, ZF + Dz) - q0) / Dz;
    const double dq_dh = (e.top_slope(H + Dh, ZF) - q0) / Dh;
    const double dxdh = (e.span(H + Dh, ZF) - e.span(H, ZF)) / Dh;
    const double c0 = 1.0 / std::sqrt(1.0 + q0 * q0);
    const double dphi = (dq_dh / dxdh * c0 + dq_dz * q0 * c0) / (1.0 + q0 * q0);
    EXPECT_NEAR(LINCOM.DPHIF_DAF(1), dphi, 5e-3 * std::abs(dphi));
}

TEST(MeanLineShape, TheVerticalInterpolationProgramsReadTheLayerOfTheLinesOffset) {
    // Tables at fairlead heights 390, 400 and 410 ft; the line's offset of +5 ft raises its
    // span to 405 ft and blends the two upper rows half and half. At the closed form's
    // distance for 120 kips over 405 ft the blended table gives 120 kips within its
    // interpolation (0.5 %), and the line is solved over 405 ft at the load it gives.
    ScriptedConsole console;
    const ElasticCatenary e{1200.0, 0.08, 2e-5};
    define_type(1, {{400.0, 0.08, 2e-5}, {400.0, 0.08, 2e-5}, {400.0, 0.08, 2e-5}}, 0);
    build_tables(e, 1, 50.0, 200.0, 16, 400.0, 10.0, 3);
    TPCM.SIMTYP = 17;
    TPCM.NBUG0 = 0;
    TPCM.DRAFT = 0.0f;
    TPCM.ANCHGT(1) = 400.0f;
    TPCM.LINTYP(1, 1) = 1;
    TPCM.RFLD(3, 1) = 0.0f;
    TPCM.NLIN = 1;
    LINCOM.LINEID(1) = 1;
    LINCOM.DSLOPE = 0.0;
    const std::vector<float> RANCHR(150, static_cast<float>(e.span(120.0, 405.0)));
    const std::vector<float> ZANCHR(150, 5.0f);
    LINDRV(RANCHR, ZANCHR);
    EXPECT_FLOAT_EQ(LINCOM.DELTAZ, 405.0f);
    EXPECT_NEAR(LINCOM.HMEAN, 120.0, 0.6);
    EXPECT_NEAR(LINCOM.TPTEN0, e.top_tension(LINCOM.HMEAN, 405.0), 1e-4 * LINCOM.TPTEN0);
}

TEST(MeanLineShape, TheSpanFollowsTheProgramType) {
    // Each arrangement places the fairlead and the far end so that the span is the chain's
    // 300 ft: the results are the chain's whatever the program type.
    const GroundedChain c;
    struct Case {
        const char* name;
        std::int32_t SIMTYP, IARCO, HAWSTP;
        float zF, DRAFT, ANCHGT, BDRAFT, ENDHT, ZANCHR;
    };
    const Case cases[] = {
        {"spread: zF - draft + anchor depth", 1, 0, 0, 10.0f, 30.0f, 320.0f, 0.0f, 0.0f, 0.0f},
        {"vertical interpolation: plus the line's offset", 14, 0, 0, 0.0f, 0.0f, 300.0f, 0.0f, 0.0f,
         0.0f},
        {"buoy: from the buoy's draft", 10, 0, 0, 5.0f, 99.0f, 310.0f, 15.0f, 0.0f, 0.0f},
        {"buoy on the CALM program", 13, 1, 0, 5.0f, 99.0f, 310.0f, 15.0f, 0.0f, 0.0f},
        {"hawser: buoy fairlead to the vessel end", 8, 1, 1, 10.0f, 315.0f, 0.0f, 5.0f, 20.0f,
         0.0f},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        ScriptedConsole console;
        define_chain_mooring(c, 1);
        TPCM.SIMTYP = k.SIMTYP;
        TPCM.IARCO = k.IARCO;
        TPCM.HAWSTP = k.HAWSTP;
        TPCM.RFLD(3, 1) = k.zF;
        TPCM.DRAFT = k.DRAFT;
        TPCM.ANCHGT(1) = k.ANCHGT;
        TPCM.BDRAFT = k.BDRAFT;
        TPCM.ENDHT = k.ENDHT;
        LINCOM.ZDIST_ARR(1) = 1.0f;
        const std::vector<float> RANCHR(150, chain_distance_at_100());
        const std::vector<float> ZANCHR(150, k.ZANCHR);
        LINDRV(RANCHR, ZANCHR);
        EXPECT_FLOAT_EQ(LINCOM.DELTAZ, 300.0f);
        EXPECT_NEAR(LINCOM.TPTEN0, 130.0, 0.03);
    }
}

TEST(MeanLineShape, EqualTableAnglesOpenTheBracket) {
    ScriptedConsole console;
    LINCOM.TOPANG(4, 1, 2) = 0.5f;
    LINCOM.TOPANG(5, 1, 2) = 0.5f;
    LINCOM.TOPANG(5, 2, 2) = 0.7f;
    float TOPT1 = 0.0f;
    float TOPT2 = 0.0f;
    top_slope_bracket(4, 1, 1, 2, TOPT1, TOPT2);
    EXPECT_FLOAT_EQ(TOPT1, std::tan(0.5f) - 0.1f);
    EXPECT_FLOAT_EQ(TOPT2, std::tan(0.5f) + 0.1f);
    // Different rows give different angles: the bracket is theirs.
    LINCOM.TOPANG(4, 2, 2) = 0.7f;
    top_slope_bracket(4, 1, 2, 2, TOPT1, TOPT2);
    EXPECT_FLOAT_EQ(TOPT1, std::tan(0.5f));
    EXPECT_FLOAT_EQ(TOPT2, std::tan(0.7f));
}

TEST(MeanLineShape, ASkippedLineKeepsItsEntries) {
    // Line 2 is left out (identity above 1024) and line 3 names no type (1024): their tables
    // keep what they held; line 1 is solved.
    ScriptedConsole console;
    const GroundedChain c;
    define_chain_mooring(c, 3);
    LINCOM.LINEID(2) = 1025;
    LINCOM.LINEID(3) = 1024;
    for (const int i : {2, 3}) {
        for (int k = 1; k <= 26; ++k) {
            CATCOM.DXSDH(k, i) = 7.0f;
            CATCOM.TANARR(k, i) = 7.0f;
        }
        CATCOM.DTFDAF(i) = 7.0f;
        LINCOM.DPHIF_DAF(i) = 7.0;
    }
    run_lindrv(chain_distance_at_100());
    EXPECT_NEAR(CATCOM.TANARR(1, 1), 0.830662, 2e-4);
    for (const int i : {2, 3}) {
        SCOPED_TRACE(i);
        for (int k = 1; k <= 26; ++k) {
            EXPECT_EQ(CATCOM.DXSDH(k, i), 7.0f);
            EXPECT_EQ(CATCOM.TANARR(k, i), 7.0f);
        }
        EXPECT_EQ(CATCOM.DTFDAF(i), 7.0f);
        EXPECT_EQ(LINCOM.DPHIF_DAF(i), 7.0);
    }
}

TEST(MeanLineShape, ALineWhoseSpanDoesNotChangeWithItsLoadGetsZerosAndOneWarning) {
    // Line 1: a weightless inextensible line spans the same distance at any load (a straight
    // bar), so the horizontal end derivatives have nothing to divide by. Line 2: the chain at
    // the table's first point has no horizontal load and hangs straight down. Both get zero
    // derivatives, no NaN, and one warning each per run, however often the shapes are made.
    ScriptedConsole console;
    const GroundedChain c;
    define_chain_mooring(c, 2);
    define_type(2, {{400.0, 0.0, 0.0}}, 0);
    TPCM.ANCHGT(2) = 300.0f;
    TPCM.LINTYP(1, 2) = 1;
    for (int k = 1; k <= 90; ++k) {
        LINCOM.ANCDST(k, 1, 2) = LINCOM.ANCDST(k, 1, 1);
        LINCOM.TOPANG(k, 1, 2) = 0.8f;
    }
    LINCOM.LINEID(1) = 2;
    std::vector<float> RANCHR(150, chain_distance_at_100());
    RANCHR[1] = LINCOM.ANCDST(1, 1, 1);
    const std::vector<float> ZANCHR(150, 0.0f);
    for (int k = 1; k <= 26; ++k) {
        CATCOM.DXSDH(k, 1) = 7.0f;
        CATCOM.DXSDH(k, 2) = 7.0f;
    }
    for (int run = 0; run < 2; ++run)
        LINDRV(RANCHR, ZANCHR);
    for (const int i : {1, 2}) {
        SCOPED_TRACE(i);
        for (int k = 1; k <= 2; ++k) {
            EXPECT_EQ(CATCOM.DXSDH(k, i), 0.0f);
            EXPECT_EQ(CATCOM.DZSDH(k, i), 0.0f);
            EXPECT_EQ(CATCOM.DXSDZF(k, i), 0.0f);
            EXPECT_EQ(CATCOM.DZSDZF(k, i), 0.0f);
        }
        for (const float v :
             {CATCOM.DTFDXF(i), CATCOM.DTBDXB(i), CATCOM.DTFDZF(i), CATCOM.DTBDZB(i),
              CATCOM.DTFDAF(i), CATCOM.DTBDAB(i), CATCOM.DTZFDZ(i), CATCOM.DTZFDH(i)})
            EXPECT_EQ(v, 0.0f);
        EXPECT_EQ(LINCOM.DPHIF_DAF(i), 0.0);
    }
    // The straight bar's mean shape is still there: its tangent spans 300 ft over 400 ft.
    EXPECT_NEAR(CATCOM.TANARR(1, 1), 300.0 / std::sqrt(400.0 * 400.0 - 300.0 * 300.0), 1e-5);
    const std::string screen = console.screen();
    for (const char* line : {"line   1", "line   2"}) {
        const std::string text =
            std::string(" ++> Warning: the span of ") + line +
            " does not change with its horizontal load;\n     its line dynamics are taken as zero.";
        const auto first = screen.find(text);
        ASSERT_NE(first, std::string::npos) << screen;
        EXPECT_EQ(screen.find(text, first + 1), std::string::npos) << "warned twice";
    }
}

TEST(MeanLineShape, DebugLevelIsAskedWhenTheDebugFlagIsSet) {
    ScriptedConsole console("0\n");
    const GroundedChain c;
    define_chain_mooring(c, 1);
    TPCM.NBUG0 = 1;
    run_lindrv(chain_distance_at_100());
    EXPECT_NE(console.screen().find(" ### In LINDRV:"), std::string::npos);
    EXPECT_EQ(TPCM.NBUG, 0);
}

} // namespace
} // namespace lintar
