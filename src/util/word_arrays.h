// util/word_arrays.h: word-level fills, moves and clears of arrays.
//
// The routines copy or clear four-byte words without looking at their type, so they serve
// integer and real arrays alike (a cleared word reads as 0 and as 0.0). Arrays are passed as
// pointers to their first word, because the moves are meant for overlapping storage within
// one block (a version update shifts whole tables towards the end of the data image); the
// caller sizes them. Multi-dimensional arrays are in Fortran order, first index fastest.
#pragma once

#include <cstdint>

namespace lintar {

void FILLUP(std::int32_t* NARRAY, float* RARRAY, std::int32_t IFLAG, std::int32_t NTOGO);
void MOVUP(std::int32_t N, const std::uint32_t* IFROM, std::uint32_t* ITO);
void MOVDWN(std::int32_t N, const std::uint32_t* IFROM, std::uint32_t* ITO);
void MOVDWN2(std::int32_t N, const std::uint32_t* IFROM, std::uint32_t* ITO);
void MOVDWN3(std::int32_t N, const std::uint32_t* IFROM, std::uint32_t* ITO);
void CLEAR_1D(std::uint32_t* ARRAY, std::int32_t N1, std::int32_t N1_start, std::int32_t N1_end);
void CLEAR_2D(std::uint32_t* ARRAY, std::int32_t N1, std::int32_t N2, std::int32_t N1_start,
              std::int32_t N1_end, std::int32_t N2_start, std::int32_t N2_end);
void CLEAR_3D(std::uint32_t* ARRAY, std::int32_t N1, std::int32_t N2, std::int32_t N3,
              std::int32_t N1_start, std::int32_t N1_end, std::int32_t N2_start,
              std::int32_t N2_end, std::int32_t N3_start, std::int32_t N3_end);

} // namespace lintar
