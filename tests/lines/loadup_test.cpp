// Tests of LOADUP, the state of one line from its tables: the bottom values in the interval
// where the line lifts off the seabed, checked against straight lines drawn through the
// hand-made table points, and the vertical-line path at no horizontal load, checked against
// the closed forms of a chain hanging straight down and of a taut wire.
#include "support/line_test_support.h"

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/mooring_force.h"
#include "support/console.h"
#include "support/spread_mooring_tables.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

constexpr int points = 6;

// Type t's single table row: distances 1000, 1010, ... 1050 against loads 0, 100, ... 500, a
// top angle of 0.5 rad, and the given bottom lengths and angles.
void fill_type(int t, const std::array<float, points>& BOTLEN,
               const std::array<float, points>& BOTANG) {
    for (int k = 1; k <= points; ++k) {
        const auto n = static_cast<std::size_t>(k - 1);
        LINCOM.HLOD(k) = 100.0f * static_cast<float>(k - 1);
        LINCOM.ANCDST(k, 1, t) = 1000.0f + 10.0f * static_cast<float>(k - 1);
        LINCOM.TOPTEN(k, 1, t) = 2.0f * LINCOM.HLOD(k) + 50.0f;
        LINCOM.TOPANG(k, 1, t) = 0.5f;
        LINCOM.BOTLEN(k, 1, t) = BOTLEN[n];
        LINCOM.BOTANG(k, 1, t) = BOTANG[n];
    }
}

// One layer row: the height of the fairlead picks no blend.
LineTables single_row_tables() {
    TPCM.NUMTAB = points;
    TPCM.NLAYER = 1;
    TPCM.ZSPAN = 0.0f;
    LINCOM.MIDLYR = 1;
    LINCOM.DLAYER = 0.0f;
    return lincom_tables();
}

class Loadup : public ::testing::Test {
protected:
    LineLoad loadup(float RANCHR, std::int32_t ITYP, float DZFLDG = 0.0f) {
        return LOADUP(RANCHR, DZFLDG, ZFLDV, DRAFT, ITYP, single_row_tables(), ANCHGT, TOTWT,
                      screen_unit, 5);
    }

    float ZFLDV = -10.0f;
    float DRAFT = 15.0f;
    std::vector<float> ANCHGT = std::vector<float>(150, 300.0f);
    std::vector<float> TOTWT = std::vector<float>(150, 100.0f);
    ScriptedConsole console; // a fresh program state, and the screen
};

// In the interval whose bottom length falls from positive to zero, the bottom length comes
// from the interval below and the bottom angle from the interval above (each extrapolated to
// the distance, neither below 0); the interval itself when there is none below, or none
// above inside the table; elsewhere both come from the interval that holds the distance.
TEST_F(Loadup, LiftOffIntervalTakesTheNeighbouringIntervals) {
    // Types 1 and 4 lift off in interval 4 (1030..1040), type 2 in the last interval 5, type 3
    // in the first.
    fill_type(1, {60, 45, 40, 10, 0, 0}, {0, 0, 0, 0, 0.05f, 0.07f});
    fill_type(2, {60, 45, 40, 30, 10, 0}, {0, 0, 0, 0, 0, 0.1f});
    fill_type(3, {10, 0, 0, 0, 0, 0}, {0, 0.1f, 0.15f, 0.2f, 0.25f, 0.3f});
    fill_type(4, {60, 45, 40, 10, 0, 0}, {0, 0, 0, 0, 0.05f, 0.25f});
    struct Case {
        const char* name;
        std::int32_t type;
        float RANCHR;
        double BTLENQ, BTANGQ; // by hand from the straight lines through the table points
    };
    const Case cases[] = {
        // Length on 1020..1030 (40 -> 10), angle on 1040..1050 (0.05 -> 0.07).
        {"lift-off: both from the neighbours", 1, 1031.0f, 40.0 - 3.0 * 11.0,
         0.05 + 0.002 * (1031.0 - 1040.0)},
        {"lift-off: length below zero is held at 0", 1, 1034.0f, 0.0,
         0.05 + 0.002 * (1034.0 - 1040.0)},
        // Length on 1030..1040 (30 -> 10); no interval above: angle on 1040..1050 (0 -> 0.1).
        {"lift-off in the last interval", 2, 1042.0f, 30.0 - 2.0 * 12.0, 0.01 * 2.0},
        // No interval below: length on 1000..1010 (10 -> 0); angle on 1010..1020 (0.1 ->
        // 0.15), extrapolated back.
        {"lift-off in the first interval", 3, 1004.0f, 10.0 - 4.0, 0.1 - 0.005 * 6.0},
        // Angle on 1040..1050 (0.05 -> 0.25) extrapolated below zero is held at 0.
        {"lift-off: angle below zero is held at 0", 4, 1031.0f, 7.0, 0.0},
        {"grounded interval: its own values", 1, 1015.0f, 42.5, 0.0},
        {"suspended interval: its own values", 1, 1045.0f, 0.0, 0.06},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LineLoad r = loadup(c.RANCHR, c.type);
        // The load and vertical force of a hanging line from the same interval.
        const double H = 10.0 * (static_cast<double>(c.RANCHR) - 1000.0);
        EXPECT_NEAR(r.RFORCE, H, 1e-3);
        EXPECT_NEAR(r.TTTMP, 2.0 * H + 50.0, 1e-3);
        EXPECT_NEAR(r.FGZTMP, -H * std::tan(0.5), 1e-3);
        EXPECT_NEAR(r.BTLENQ, c.BTLENQ, 1e-4);
        EXPECT_NEAR(r.BTANGQ, c.BTANGQ, 1e-6);
        EXPECT_GE(r.BTLENQ, 0.0f);
        EXPECT_GE(r.BTANGQ, 0.0f);
    }
    EXPECT_EQ(console.screen(), "");
}

// A line with practically no horizontal load (at the table's first distance, or closer, where
// the extrapolated load is negative) is solved as a vertical line over the height of the
// fairlead above the anchor, (ZFLDV - DRAFT) + ANCHGT + DZFLDG: a chain hangs straight down
// with the rest on the seabed; a wire shorter than the height hangs taut, pulling the
// fairlead down, or up when the anchor lies above it. The two bottom lengths of the vertical
// solution agree, so no mismatch is reported.
TEST_F(Loadup, NoHorizontalLoadSolvesAVerticalLine) {
    TPCM.TLOAD = 2000.0f;
    const double w = 0.1, L = 1000.0, a1 = 1e-5; // chain: kips/ft, ft, 1/kips
    define_type(1, {{L, w, a1}});
    const double ww = 0.02, Lw = 250.0, a1w = 1e-3; // wire
    define_type(2, {{Lw, ww, a1w}});
    fill_type(1, {60, 45, 40, 10, 0, 0}, {0, 0, 0, 0, 0, 0});
    fill_type(2, {60, 45, 40, 10, 0, 0}, {0, 0, 0, 0, 0, 0});
    TOTWT[0] = static_cast<float>(w * L);
    TOTWT[1] = static_cast<float>(ww * Lw);
    constexpr float right_angle = 1.5707964f;

    // The chain: its hanging length s stretches to the height, s (1 + a1 w s / 2) = h, with
    // the tension running from 0 at the seabed to w s at the top.
    const double wf = static_cast<float>(w);
    const double h = 277.5; // (-10 - 15) + 300 + 2.5
    const double s = (-1.0 + std::sqrt(1.0 + 2.0 * a1 * wf * h)) / (a1 * wf);
    // The wire: its stretched length Lw + a1 (TN Lw + w Lw^2 / 2) = |h| gives the bottom
    // tension TN; the top tension is TN + w Lw.
    const double wwf = static_cast<float>(ww);
    const double TN = ((h - Lw) / a1w - wwf * Lw * Lw / 2.0) / Lw;
    struct Case {
        const char* name;
        std::int32_t type;
        float RANCHR;
        float anchor_depth;
        double DELZ, TTTMP, BTLENQ;
        float TOPANQ, FGZ_sign;
    };
    const Case cases[] = {
        {"chain at the first distance", 1, 1000.0f, 300.0f, h, wf * s, L - s, right_angle, -1},
        {"chain closer than the table", 1, 985.0f, 300.0f, h, wf * s, L - s, right_angle, -1},
        {"taut wire", 2, 1000.0f, 300.0f, h, TN + wwf * Lw, 0.0, right_angle, -1},
        {"taut wire, anchor above", 2, 990.0f, -255.0f, -h, TN + wwf * Lw, 0.0, -right_angle, 1},
    };
    constexpr double rel_tol = 1e-6; // the vertical solution is double, rounded to float
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ANCHGT[static_cast<std::size_t>(c.type - 1)] = c.anchor_depth;
        const LineLoad r = loadup(c.RANCHR, c.type, 2.5f);
        EXPECT_EQ(r.DELZ, static_cast<float>(c.DELZ));
        EXPECT_EQ(r.RFORCE, 0.0f);
        EXPECT_NEAR(r.TTTMP, c.TTTMP, rel_tol * c.TTTMP);
        EXPECT_EQ(r.FGZTMP, c.FGZ_sign * r.TTTMP);
        EXPECT_EQ(r.TOPANQ, c.TOPANQ);
        EXPECT_NEAR(r.BTLENQ, c.BTLENQ, rel_tol * L);
        EXPECT_EQ(r.BTANGQ, c.BTLENQ > 0.0 ? 0.0f : c.TOPANQ);
    }
    EXPECT_EQ(console.screen(), "");
}

// A cache of the top tension's load splines gives every line the value the plain bicubic
// spline gives, bit for bit, through hits, misses and the reuse of its oldest entry (six
// heights of one type and a second type take more than its four entries).
TEST(LoadupCache, CachedTopTensionIsThePlainOne) {
    ScriptedConsole console;
    testing::fill_spread_tables(testing::Chain{}, 5, 1.0f);
    const LineTables tables = lincom_tables();
    const std::vector<float> ANCHGT(150, 300.0f);
    const std::vector<float> TOTWT(150, 300.0f);
    TopTensionCache cache;
    const float heights[] = {0.0f, 0.25f, -1.5f, 0.0f, 1.75f, -0.6f, 0.25f, 1.1f, 0.0f};
    for (int round = 0; round < 2; ++round)
        for (const float dz : heights)
            for (const int k : {30, 55, 80}) {
                // Between the table's points, where the lines hang well clear of slack.
                const float distance = 0.5f * (LINCOM.ANCDST(k, LINCOM.MIDLYR, 1) +
                                               LINCOM.ANCDST(k + 1, LINCOM.MIDLYR, 1));
                SCOPED_TRACE(::testing::Message() << dz << " ft, " << distance << " ft");
                const LineLoad plain =
                    LOADUP(distance, dz, -20.0f, 40.0f, 1, tables, ANCHGT, TOTWT, screen_unit, 5);
                const LineLoad cached = LOADUP(distance, dz, -20.0f, 40.0f, 1, tables, ANCHGT,
                                               TOTWT, screen_unit, 5, &cache);
                ASSERT_GT(plain.RFORCE, 0.001f); // a hanging line: the spline is read
                EXPECT_EQ(cached.TTTMP, plain.TTTMP);
                EXPECT_EQ(cached.RFORCE, plain.RFORCE);
            }
}

} // namespace
} // namespace lintar
