// Tests of the packed bit and nibble flags and the swaps.
#include "support/console.h"
#include "util/flags.h"

#include "runtime/units.h"

#include <gtest/gtest.h>
#include <random>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScriptedConsole;

// A word from its nibbles 1 to 8.
std::int32_t from_nibbles(std::initializer_list<std::uint32_t> nibbles) {
    std::uint32_t w = 0;
    unsigned shift = 0;
    for (const auto n : nibbles) {
        w |= n << shift;
        shift += 4;
    }
    return static_cast<std::int32_t>(w);
}

TEST(Flags, NibsetReplacesOneNibble) {
    struct Case {
        const char* name;
        std::int32_t word;
        std::int32_t pos, value, expected;
    };
    const Case cases[] = {
        {"middle", from_nibbles({8, 7, 6, 5, 4, 3, 2, 1}), 3, 10,
         from_nibbles({8, 7, 10, 5, 4, 3, 2, 1})},
        {"already zero", from_nibbles({8, 15}), 3, 0, from_nibbles({8, 15})},
        {"low byte with its top bit survives", from_nibbles({8, 15}), 3, 1,
         from_nibbles({8, 15, 1})},
        {"first keeps the upper nibbles", from_nibbles({1, 2, 3, 4, 5, 6, 7, 7}), 1, 9,
         from_nibbles({9, 2, 3, 4, 5, 6, 7, 7})},
        {"eighth keeps the lower nibbles", from_nibbles({15, 14, 13, 12, 11, 10, 9, 0}), 8, 7,
         from_nibbles({15, 14, 13, 12, 11, 10, 9, 7})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::int32_t w = c.word;
        NIBSET(w, c.pos, c.value, screen_unit);
        EXPECT_EQ(w, c.expected);
        EXPECT_EQ(NIBVAL(w, c.pos, screen_unit), c.value);
    }
}

TEST(Flags, AgainstAMaskAndShiftModel) {
    std::mt19937 random(12345);
    for (int trial = 0; trial < 2000; ++trial) {
        const auto w = static_cast<std::int32_t>(random() & 0x7FFFFFFFu);
        const auto pos = static_cast<std::int32_t>(1 + random() % 8);
        const auto value = static_cast<std::int32_t>(random() % (pos == 8 ? 8 : 16));
        const unsigned shift = 4u * static_cast<unsigned>(pos - 1);
        const auto model =
            static_cast<std::int32_t>((static_cast<std::uint32_t>(w) & ~(15u << shift)) |
                                      (static_cast<std::uint32_t>(value) << shift));
        std::int32_t got = w;
        NIBSET(got, pos, value, screen_unit);
        ASSERT_EQ(got, model) << "word " << w << " nibble " << pos << " value " << value;
        ASSERT_GE(got, 0);
        ASSERT_LE(NIBVAL(got, 8, screen_unit), 7);

        const auto bit = static_cast<std::int32_t>(1 + random() % 32);
        const auto b = static_cast<std::int32_t>(random() % 2);
        std::int32_t set = w;
        BITSET(set, bit, b, screen_unit);
        const std::uint32_t mask = 1u << (bit - 1);
        const auto bit_model = static_cast<std::int32_t>(
            b ? (static_cast<std::uint32_t>(w) | mask) : (static_cast<std::uint32_t>(w) & ~mask));
        ASSERT_EQ(set, bit_model) << "word " << w << " bit " << bit << " value " << b;
        ASSERT_EQ(BITVAL(set, bit), b);
    }
}

TEST(Flags, SignBitAndSwaps) {
    EXPECT_EQ(BITVAL(-1, 32), 1);
    EXPECT_EQ(BITVAL(-1, 1), 1);
    EXPECT_EQ(BITVAL(5, 32), 0);
    std::int32_t w = 5;
    BITSWP(w, 32);
    EXPECT_LT(w, 0);
    BITSWP(w, 32);
    EXPECT_EQ(w, 5);
    BITSET(w, 1, 1, screen_unit); // already set: unchanged
    EXPECT_EQ(w, 5);

    EXPECT_TRUE(ONEON(from_nibbles({2, 0, 5, 4}), 5, screen_unit));
    EXPECT_FALSE(ONEON(from_nibbles({2, 0, 5, 4}), 4, screen_unit)); // nibble 4 not looked at
    EXPECT_TRUE(ONEON(273, 1, screen_unit));                         // code 1 in all three

    std::int32_t a[3] = {1, 2, 3}, b[3] = {7, 8, 9};
    SWPCOM(2, a, b);
    EXPECT_EQ(a[0], 7);
    EXPECT_EQ(a[1], 8);
    EXPECT_EQ(a[2], 3);
    EXPECT_EQ(b[1], 2);
    SWPCOM(0, a, b);
    EXPECT_EQ(a[0], 7);
    float x = 1, y = 2;
    SWPVAL(x, y);
    EXPECT_EQ(x, 2.0f);
}

TEST(Flags, InvalidFieldsStopWithTheContactMessage) {
    struct Case {
        const char* name;
        std::function<void()> call;
        const char* message;
    };
    const Case cases[] = {
        {"bit value",
         [] {
             std::int32_t w = 0;
             BITSET(w, 3, 2, screen_unit);
         },
         " Incorrect bit value in BITSET; contact Kelbrin.\n"},
        {"nibble position", [] { (void)NIBVAL(0, 9, screen_unit); },
         " Incorrect NIBBLE value in NIBVAL; contact Kelbrin\n"},
        {"nibble value",
         [] {
             std::int32_t w = 0;
             NIBSET(w, 2, 16, screen_unit);
         },
         " Incorrect NIBBLE/position value in NIBSET; contact Kelbrin.\n"},
        {"sign nibble",
         [] {
             std::int32_t w = 0;
             NIBSET(w, 8, 8, screen_unit);
         },
         " Attempt to set most significant bit in NIBSET; contact Kelbrin\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console("\n");
        const auto stop = run_until_stop(c.call);
        ASSERT_TRUE(stop);
        EXPECT_EQ(*stop, StopKind::error);
        EXPECT_EQ(console.screen(), std::string(c.message) + " Press <Return> to continue\n");
    }
}

} // namespace
} // namespace lintar
