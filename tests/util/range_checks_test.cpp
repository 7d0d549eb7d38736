// Tests of the range and index checks and the waterline test.
#include "util/range_checks.h"

#include <gtest/gtest.h>
#include <vector>

namespace lintar {
namespace {

TEST(RangeChecks, RngchkCodes) {
    struct Case {
        std::vector<float> table;
        float value;
        std::int32_t code;
    };
    const Case cases[] = {
        {{1, 2, 2, 8}, 5, 0}, {{1, 2, 2, 8}, 9, 1}, {{1, 2, 2, 8}, 8, 0}, {{1, 2, 2, 8}, 1, 0},
        {{8, 3, 1}, 5, 0},    {{8, 3, 1}, 0, 2},    {{8, 3, 1}, 9, 2},    {{1, 3, 2, 8}, 5, 3},
        {{1, 3, 2, 8}, 9, 4}, {{8, 1, 3}, 0, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "value " << c.value << " in table of "
                                          << c.table.size() << " starting " << c.table[0]);
        std::int32_t flag = -7;
        RNGCHK(c.table, 1, static_cast<std::int32_t>(c.table.size()), c.value, flag);
        EXPECT_EQ(flag, c.code);
    }
    std::int32_t flag = -7;
    const std::vector<float> one = {3, 1, 4};
    RNGCHK(one, 2, 2, 100.0f, flag);
    EXPECT_EQ(flag, 0);
}

TEST(RangeChecks, MaxMinRowsAndMonotony) {
    const std::vector<float> table = {3, 1, 4, 1, 5};
    std::int32_t mini = 0, maxi = 0;
    float minval = 0, maxval = 0;
    bool monotn = true, ascend = false;
    MAX_MIN(table, 5, mini, maxi, minval, maxval, monotn, ascend);
    EXPECT_EQ(mini, 2); // ties keep the first row
    EXPECT_EQ(maxi, 5);
    EXPECT_EQ(minval, 1.0f);
    EXPECT_EQ(maxval, 5.0f);
    EXPECT_TRUE(ascend);
    EXPECT_FALSE(monotn);

    MAX_MIN(table, 1, mini, maxi, minval, maxval, monotn, ascend);
    EXPECT_EQ(mini, 1);
    EXPECT_EQ(maxi, 1);
    EXPECT_TRUE(monotn);

    mini = maxi = 42;
    MAX_MIN(table, 0, mini, maxi, minval, maxval, monotn, ascend);
    EXPECT_EQ(mini, 42);
    EXPECT_EQ(maxi, 42);
    EXPECT_EQ(minval, 1e30f);
    EXPECT_EQ(maxval, -1e30f);
}

TEST(RangeChecks, ClampsApplyTheLowerBoundLast) {
    struct Case {
        void (*check)(std::int32_t&, std::int32_t);
        std::int32_t n, max, expected;
    };
    const Case cases[] = {{POSCHK, 0, 10, 1}, {POSCHK, 12, 10, 10}, {POSCHK, 5, 10, 5},
                          {POSCHK, 3, -2, 1}, {MAXCHK, -3, 10, 0},  {MAXCHK, 12, 10, 10},
                          {MAXCHK, 4, -2, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.n << " bound " << c.max);
        std::int32_t n = c.n;
        c.check(n, c.max);
        EXPECT_EQ(n, c.expected);
    }
    EXPECT_EQ(IBIG(3, -1, 9, 2), 9);
}

TEST(RangeChecks, WaterlineTestOfAMember) {
    struct Case {
        const char* name;
        float base[3], top[3], draft;
        std::int32_t pierce;
        float wetlen, tiltfc;
    };
    const Case cases[] = {
        {"vertical, crossing upward", {0, 0, -10}, {0, 0, 5}, 0, 1, 10, 1},
        {"wholly below", {0, 0, -10}, {0, 0, -2}, 0, 0, 8, 1},
        {"wholly above", {0, 0, 1}, {0, 0, 5}, 0, 99, 0, 1},
        {"crossing downward", {0, 0, 4}, {0, 0, -6}, 0, -1, 4, -1},
        {"base at the level, top above: crosses", {0, 0, 0}, {0, 0, 5}, 0, 1, 0, 1},
        {"top at the level, base above: crosses", {0, 0, 5}, {0, 0, 0}, 0, -1, 5, -1},
        {"top reaching up to the level", {0, 0, -5}, {0, 0, 0}, 0, 0, 5, 1},
        {"lying in the level", {0, 0, 0}, {5, 0, 0}, 0, 0, 5, 1},
        {"draft moves the level", {0, 0, 0}, {0, 0, 20}, 15, 1, 15, 1},
        {"tilted 3-4-5", {0, 0, -8}, {6, 0, 0}, -4, 1, 5, 1.25f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        float memvec[3], dirvec[3], memlen = 0, wetlen = -1, tiltfc = -1;
        std::int32_t pierce = -7;
        WPCHEK(c.base, c.top, c.draft, memvec, dirvec, memlen, wetlen, tiltfc, pierce);
        EXPECT_EQ(pierce, c.pierce);
        EXPECT_FLOAT_EQ(wetlen, c.wetlen);
        EXPECT_FLOAT_EQ(tiltfc, c.tiltfc);
    }
}

} // namespace
} // namespace lintar
