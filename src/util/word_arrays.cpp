// util/word_arrays.cpp: word-level fills, moves and clears of arrays.
#include "util/word_arrays.h"

#include <algorithm>
#include <cmath>

namespace lintar {

namespace {
// A real truncated toward zero into an integer word. The column editors hand over whatever
// was typed, so a value beyond the integer range is held at its end and NaN gives 0, where a
// plain conversion would be undefined.
std::int32_t truncated(float x) {
    if (std::isnan(x))
        return 0;
    constexpr float limit = 2147483520.0f; // the largest float below 2**31
    return static_cast<std::int32_t>(std::trunc(std::clamp(x, -limit, limit)));
}
} // namespace

// FILLUP: IFLAG below 1 truncates the reals into the integers (2.9 to 2, -2.9 to -2);
// otherwise the integers become reals.
void FILLUP(std::int32_t* NARRAY, float* RARRAY, std::int32_t IFLAG, std::int32_t NTOGO) {
    for (std::int32_t i = 0; i < NTOGO; ++i) {
        if (IFLAG < 1)
            NARRAY[i] = truncated(RARRAY[i]);
        else
            RARRAY[i] = static_cast<float>(NARRAY[i]);
    }
}

// MOVUP: first word first, right for overlapping moves towards lower addresses.
void MOVUP(std::int32_t N, const std::uint32_t* IFROM, std::uint32_t* ITO) {
    for (std::int32_t i = 0; i < N; ++i)
        ITO[i] = IFROM[i];
}

// MOVDWN: last word first, right for overlapping moves towards higher addresses.
void MOVDWN(std::int32_t N, const std::uint32_t* IFROM, std::uint32_t* ITO) {
    for (std::int32_t i = N - 1; i >= 0; --i)
        ITO[i] = IFROM[i];
}

namespace {
// Moves N elements of `width` words, last element first; within an element, first word first.
void move_elements_down(std::int32_t N, int width, const std::uint32_t* IFROM, std::uint32_t* ITO) {
    for (std::int32_t i = N - 1; i >= 0; --i)
        for (int w = 0; w < width; ++w)
            ITO[i * width + w] = IFROM[i * width + w];
}
} // namespace

void MOVDWN2(std::int32_t N, const std::uint32_t* IFROM, std::uint32_t* ITO) {
    move_elements_down(N, 2, IFROM, ITO);
}

void MOVDWN3(std::int32_t N, const std::uint32_t* IFROM, std::uint32_t* ITO) {
    move_elements_down(N, 3, IFROM, ITO);
}

void CLEAR_1D(std::uint32_t* ARRAY, std::int32_t N1, std::int32_t N1_start, std::int32_t N1_end) {
    CLEAR_3D(ARRAY, N1, 1, 1, N1_start, N1_end, 1, 1, 1, 1);
}

void CLEAR_2D(std::uint32_t* ARRAY, std::int32_t N1, std::int32_t N2, std::int32_t N1_start,
              std::int32_t N1_end, std::int32_t N2_start, std::int32_t N2_end) {
    CLEAR_3D(ARRAY, N1, N2, 1, N1_start, N1_end, N2_start, N2_end, 1, 1);
}

// CLEAR_3D: zeroes ARRAY(i, j, k) over the block, k outer, then j, i inner. N3 only describes
// the array.
void CLEAR_3D(std::uint32_t* ARRAY, std::int32_t N1, std::int32_t N2, std::int32_t N3,
              std::int32_t N1_start, std::int32_t N1_end, std::int32_t N2_start,
              std::int32_t N2_end, std::int32_t N3_start, std::int32_t N3_end) {
    (void)N3;
    const std::int64_t n1 = N1;
    const std::int64_t plane = n1 * N2;
    for (std::int32_t k = N3_start; k <= N3_end; ++k)
        for (std::int32_t j = N2_start; j <= N2_end; ++j)
            for (std::int32_t i = N1_start; i <= N1_end; ++i)
                ARRAY[(i - 1) + n1 * (j - 1) + plane * (k - 1)] = 0;
}

} // namespace lintar
