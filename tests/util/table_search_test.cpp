// Tests of the table search, the interpolators, the row blends and the Simpson weights.
#include "util/table_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <complex>
#include <functional>
#include <random>
#include <vector>

namespace lintar {
namespace {

struct SearchCase {
    const char* name;
    std::vector<float> W;
    float WP;
    std::int32_t IER, MIN;
};

TEST(Bsrch, RisingAndFallingTablesWithTheirTieRules) {
    const std::vector<float> up = {1, 2, 3, 4}, down = {4, 3, 2, 1};
    const SearchCase cases[] = {
        {"rising, inside", up, 2.5f, 0, 2},
        {"rising, on an interior entry", up, 2.0f, 0, 1},
        {"rising, on the first entry", up, 1.0f, 0, 1},
        {"rising, on the last entry", up, 4.0f, 0, 3},
        {"rising, below", up, 0.0f, 1, 1},
        {"rising, above", up, 9.0f, 2, 3},
        {"falling, on an interior entry", down, 3.0f, 0, 2},
        {"falling, inside", down, 1.5f, 0, 3},
        {"falling, above", down, 5.0f, 2, 1},
        {"falling, below", down, -1.0f, 1, 3},
        {"flat counts as rising", {2, 2, 2}, 2.0f, 0, 1},
        {"two entries", {5, 7}, 6.0f, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::int32_t IER = -9, MIN = -9;
        BSRCH(c.W, c.WP, IER, MIN, static_cast<std::int32_t>(c.W.size()));
        EXPECT_EQ(IER, c.IER);
        EXPECT_EQ(MIN, c.MIN);
    }
}

// The interval the search must find, from the standard library: in a rising table the first
// entry not below WP (std::lower_bound), in a falling one the first entry below WP
// (std::upper_bound with std::greater); one before it, held to the table's intervals.
std::int32_t expected_min(const std::vector<float>& W, float WP) {
    const bool rising = W.front() <= W.back();
    const auto it = rising ? std::lower_bound(W.begin(), W.end(), WP)
                           : std::upper_bound(W.begin(), W.end(), WP, std::greater<float>());
    const auto first_index = static_cast<std::int32_t>(it - W.begin()) + 1; // 1-based
    return std::clamp(first_index - 1, 1, static_cast<std::int32_t>(W.size()) - 1);
}

TEST(Bsrch, AgreesWithTheStandardLibraryOnRandomMonotoneTables) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> size(2, 40);
    std::uniform_int_distribution<int> step(0, 3); // steps of 0 make ties
    for (int trial = 0; trial < 400; ++trial) {
        std::vector<float> W(static_cast<std::size_t>(size(random)));
        float value = static_cast<float>(step(random)) - 5.0f;
        for (auto& w : W) {
            value += static_cast<float>(step(random));
            w = value;
        }
        if (trial % 2 != 0)
            std::reverse(W.begin(), W.end());
        const auto NWP = static_cast<std::int32_t>(W.size());
        const float low = std::min(W.front(), W.back());
        const float high = std::max(W.front(), W.back());
        // Every entry, every midpoint and values beyond both ends.
        for (float WP = low - 2.0f; WP <= high + 2.0f; WP += 0.5f) {
            SCOPED_TRACE(::testing::Message() << "trial " << trial << ", WP " << WP);
            std::int32_t IER = -9, MIN = -9;
            BSRCH(W, WP, IER, MIN, NWP);
            EXPECT_EQ(MIN, expected_min(W, WP));
            EXPECT_EQ(IER, WP < low ? 1 : WP > high ? 2 : 0);
        }
    }
}

TEST(Bsrch, TablesOfFewerThanTwoEntriesGiveARangeCodeAndStayInside) {
    // Exactly sized storage: a read past the table is a heap overflow the sanitizer build
    // reports.
    const std::vector<float> one = {5.0f};
    struct Case {
        float WP;
        std::int32_t IER;
    };
    for (const auto& c : {Case{5.0f, 0}, Case{4.0f, 1}, Case{6.0f, 2}}) {
        SCOPED_TRACE(c.WP);
        for (const auto& search : {BSRCH, BSRCH_MOOR}) {
            std::int32_t IER = -9, MIN = -9;
            search(one, c.WP, IER, MIN, 1);
            EXPECT_EQ(IER, c.IER);
            EXPECT_EQ(MIN, 1);
        }
    }
    std::int32_t IER = -9, MIN = -9;
    BSRCH(std::span<const float>(), 1.0f, IER, MIN, 0);
    EXPECT_EQ(IER, table_empty);
    EXPECT_EQ(MIN, 1);

    // The interpolators on a one-entry table give its value; on none, 0.
    const std::vector<float> y = {7.0f};
    float YVAL = -1.0f;
    INTERP(one, y, 9.0f, YVAL, 1);
    EXPECT_EQ(YVAL, 7.0f);
    INTERP(std::span<const float>(), std::span<const float>(), 9.0f, YVAL, 1);
    EXPECT_EQ(YVAL, 0.0f);
    const std::vector<std::complex<float>> cy = {{1.0f, 2.0f}};
    std::complex<float> CYVAL;
    CINTRP(one, cy, 9.0f, CYVAL, 1);
    EXPECT_EQ(CYVAL, std::complex<float>(1.0f, 2.0f));

    // A blended table of one entry: entry 1 of each row.
    std::vector<float> rows(layer_row_length + 1, 0.0f);
    rows[0] = 10.0f;
    rows[layer_row_length] = 20.0f;
    BSRCHQ(rows, 0.5f, 12.0f, IER, MIN, 1);
    EXPECT_EQ(IER, 2); // the range code looks at the unblended first row
    EXPECT_EQ(MIN, 1);
    INTRPQ(rows, rows, 15.0f, YVAL, 1, 0.25f);
    EXPECT_EQ(YVAL, 12.5f);
}

TEST(BsrchMoor, EndPointsThatTurnBack) {
    const SearchCase cases[] = {
        {"last point turns back", {0, 2, 3, 2.5f}, 1.0f, -2, 1},
        {"first point turns back", {3, 2, 3, 4}, 3.5f, -1, 3},
        {"monotone, inside", {0, 1, 2, 3}, 1.5f, 0, 2},
        {"monotone falling, below", {3, 2, 1, 0}, -1.0f, 1, 3},
        // Fewer than four entries: the direction comes from the end points.
        {"two rising entries", {0, 1}, 0.5f, 0, 1},
        {"three falling entries", {2, 1, 0}, 0.5f, 0, 2},
        {"three entries, the last turns back", {0, 5, 2}, 1.0f, -2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::int32_t IER = -9, MIN = -9;
        BSRCH_MOOR(c.W, c.WP, IER, MIN, static_cast<std::int32_t>(c.W.size()));
        EXPECT_EQ(IER, c.IER);
        EXPECT_EQ(MIN, c.MIN);
    }
}

TEST(Interpolation, StraightLinesAndExtrapolation) {
    const std::vector<float> X = {1, 2, 3, 4}, Y = {10, 20, 40, 80};
    float YVAL = 0.0f;
    INTERP(X, Y, 2.5f, YVAL, 2);
    EXPECT_EQ(YVAL, 30.0f);
    INTERP(X, Y, 9.0f, YVAL, 3); // the line through entries 3 and 4
    EXPECT_EQ(YVAL, 280.0f);
    INTERP(X, Y, 9.0f, YVAL, 7); // an interval past the table is held to the last one
    EXPECT_EQ(YVAL, 280.0f);

    const std::vector<std::complex<float>> CY = {{0, 0}, {2, -4}, {0, 0}, {0, 0}};
    std::complex<float> CYVAL;
    CINTRP(X, CY, 1.25f, CYVAL, 1);
    EXPECT_EQ(CYVAL, std::complex<float>(0.5f, -1.0f));
}

// Two rows of the blended layout: row one holds a, row two b, the rest zero.
template <class T> std::vector<T> two_rows(const std::vector<T>& a, const std::vector<T>& b) {
    std::vector<T> rows(static_cast<std::size_t>(layer_row_length) + b.size(), T{0});
    std::copy(a.begin(), a.end(), rows.begin());
    std::copy(b.begin(), b.end(), rows.begin() + layer_row_length);
    return rows;
}

TEST(LayerBlends, BlendAndSearchBetweenRows) {
    const auto entry = two_rows<float>({10}, {20});
    EXPECT_EQ(MIDLAY(entry, 0.25f), 12.5f);
    EXPECT_EQ(MIDLAY(entry, 0.0f), 10.0f);
    EXPECT_EQ(MIDLAY(entry, 1.0f), 20.0f);
    const auto entry_dp = two_rows<double>({10}, {20});
    EXPECT_EQ(MDLYDP(entry_dp, 0.25), 12.5);

    // Row one rises from 0 by 1, row two from 10 by 3: at DELLAY 0.5 the blend is 5 + 2(i-1).
    std::vector<float> a, b;
    for (int i = 0; i < 30; ++i) {
        a.push_back(static_cast<float>(i));
        b.push_back(10.0f + 3.0f * static_cast<float>(i));
    }
    const auto W = two_rows(a, b);
    std::vector<float> blended(30);
    for (int i = 0; i < 30; ++i)
        blended[static_cast<std::size_t>(i)] = 5.0f + 2.0f * static_cast<float>(i);
    const std::vector<double> Wd(W.begin(), W.end());
    for (float WP = -3.0f; WP <= 70.0f; WP += 0.5f) {
        SCOPED_TRACE(WP);
        std::int32_t IER = -9, MIN = -9;
        BSRCHQ(W, 0.5f, WP, IER, MIN, 30);
        EXPECT_EQ(MIN, expected_min(blended, WP));
        // The range code comes from the unblended first row, 0 to 29.
        EXPECT_EQ(IER, WP < 0.0f ? 1 : WP > 29.0f ? 2 : 0);
        std::int32_t IERD = -9, MIND = -9;
        BSRCDP(Wd, 0.5, WP, IERD, MIND, 30);
        EXPECT_EQ(MIND, MIN);
        EXPECT_EQ(IERD, IER);
    }
}

TEST(LayerBlends, InterpolationWithBlendedRows) {
    // Row one x = i, row two x = 10 + 3i: blended at 0.5, x = 5 + 2i. The ordinates lie on
    // y = 3x + 1 after their own blending, so every variant gives 3 XVAL + 1.
    std::vector<float> xa, xb, ya, yb, x_plain, y_plain;
    for (int i = 0; i < 10; ++i) {
        const auto f = static_cast<float>(i);
        xa.push_back(f);
        xb.push_back(10.0f + 3.0f * f);
        x_plain.push_back(5.0f + 2.0f * f);
        y_plain.push_back(3.0f * (5.0f + 2.0f * f) + 1.0f);
        ya.push_back(y_plain.back() - 4.0f);
        yb.push_back(y_plain.back() + 4.0f);
    }
    const auto X = two_rows(xa, xb), Y = two_rows(ya, yb);
    const float XVAL = 8.0f; // in interval 2 of the blended abscissae (7 to 9)
    const float expected = 3.0f * XVAL + 1.0f;
    float YVAL = 0.0f;
    INTRPQ(X, Y, XVAL, YVAL, 2, 0.5f);
    EXPECT_FLOAT_EQ(YVAL, expected);
    INTRPR(X, y_plain, XVAL, YVAL, 2, 0.5f);
    EXPECT_FLOAT_EQ(YVAL, expected);
    INTRPS(x_plain, Y, XVAL, YVAL, 2, 0.5f);
    EXPECT_FLOAT_EQ(YVAL, expected);

    const std::vector<double> Xd(X.begin(), X.end()), Yd(Y.begin(), Y.end());
    const std::vector<double> xpd(x_plain.begin(), x_plain.end());
    const std::vector<double> ypd(y_plain.begin(), y_plain.end());
    double YD = 0.0;
    INTDPQ(Xd, Yd, 8.0, YD, 2, 0.5);
    EXPECT_DOUBLE_EQ(YD, 25.0);
    INTDPR(Xd, ypd, 8.0, YD, 2, 0.5);
    EXPECT_DOUBLE_EQ(YD, 25.0);
    INTDPS(xpd, Yd, 8.0, YD, 2, 0.5);
    EXPECT_DOUBLE_EQ(YD, 25.0);
}

TEST(SimpsonWeights, OverARangeAndOverOneToN) {
    std::vector<float> seive, smpfac;
    for (std::int32_t i = 1; i <= 5; ++i) {
        float FAC = 0.0f;
        SEIVE(i, 1, 5, FAC);
        seive.push_back(FAC);
        SMPFAC(i, 5, FAC);
        smpfac.push_back(FAC);
    }
    EXPECT_EQ(seive, (std::vector<float>{1, 4, 2, 4, 1}));
    EXPECT_EQ(smpfac, (std::vector<float>{1, 4, 2, 4, 1}));
    float FAC = 0.0f;
    SEIVE(4, 3, 9, FAC); // counted from IMIN
    EXPECT_EQ(FAC, 4.0f);
    SMPFAC(6, 6, FAC); // an even index weighs 4 even at the end
    EXPECT_EQ(FAC, 4.0f);
}

} // namespace
} // namespace lintar
