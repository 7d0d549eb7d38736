// Tests of the word-level fills, moves and clears.
#include "util/word_arrays.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace lintar {
namespace {

std::vector<std::uint32_t> counting(std::size_t n) {
    std::vector<std::uint32_t> words(n);
    std::iota(words.begin(), words.end(), 1u);
    return words;
}

TEST(WordArrays, OverlappingMovesKeepTheirDirection) {
    auto words = counting(8);
    MOVDWN(5, &words[0], &words[2]); // words 1-5 to words 3-7
    EXPECT_EQ(words, (std::vector<std::uint32_t>{1, 2, 1, 2, 3, 4, 5, 8}));

    words = counting(8);
    MOVUP(5, &words[2], &words[0]); // words 3-7 to words 1-5
    EXPECT_EQ(words, (std::vector<std::uint32_t>{3, 4, 5, 6, 7, 6, 7, 8}));

    words = counting(10);
    MOVDWN2(3, &words[0], &words[2]); // pairs 1-3 one pair up
    EXPECT_EQ(words, (std::vector<std::uint32_t>{1, 2, 1, 2, 3, 4, 5, 6, 9, 10}));

    words = counting(12);
    MOVDWN3(2, &words[0], &words[3]);
    EXPECT_EQ(words, (std::vector<std::uint32_t>{1, 2, 3, 1, 2, 3, 4, 5, 6, 10, 11, 12}));

    words = counting(4);
    MOVDWN(0, &words[0], &words[1]);
    MOVUP(-1, &words[1], &words[0]);
    EXPECT_EQ(words, counting(4));
}

TEST(WordArrays, ClearsExactlyTheBlock) {
    auto words = counting(12); // a 4 by 3 array
    CLEAR_2D(words.data(), 4, 3, 2, 3, 2, 3);
    EXPECT_EQ(words, (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 0, 0, 8, 9, 0, 0, 12}));

    words = counting(24); // 2 by 3 by 4
    CLEAR_3D(words.data(), 2, 3, 4, 2, 2, 1, 3, 3, 3);
    for (std::size_t w = 0; w < words.size(); ++w) {
        const bool cleared = w == 13 || w == 15 || w == 17; // (2, j, 3)
        EXPECT_EQ(words[w], cleared ? 0u : w + 1) << "word " << w + 1;
    }

    words = counting(5);
    CLEAR_1D(words.data(), 5, 4, 2); // start above end
    CLEAR_1D(words.data(), 5, 2, 3);
    EXPECT_EQ(words, (std::vector<std::uint32_t>{1, 0, 0, 4, 5}));
}

TEST(WordArrays, FillupTruncatesOrWidens) {
    std::int32_t ints[3] = {0, 0, 99};
    float reals[3] = {2.9f, -2.9f, 5.5f};
    FILLUP(ints, reals, 0, 2);
    EXPECT_EQ(ints[0], 2);
    EXPECT_EQ(ints[1], -2);
    EXPECT_EQ(ints[2], 99);
    ints[2] = 7;
    FILLUP(ints, reals, 1, 3);
    EXPECT_EQ(reals[0], 2.0f);
    EXPECT_EQ(reals[2], 7.0f);
    // Typed values beyond the integer range are held at its ends; NaN gives 0.
    float wild[3] = {1e20f, -1e20f, std::nanf("")};
    FILLUP(ints, wild, 0, 3);
    EXPECT_EQ(ints[0], 2147483520);
    EXPECT_EQ(ints[1], -2147483520);
    EXPECT_EQ(ints[2], 0);
}

} // namespace
} // namespace lintar
