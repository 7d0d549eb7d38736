// util/flags.cpp: packed bit and nibble flags in integer words, and value swaps.
//
// Fields are read and written on the word's bit pattern directly; for the non-negative flag
// words of the data file that is the same as the arithmetic of powers of 2 and 16, and it
// keeps every other bit of the word as it was.
#include "util/flags.h"

#include "util/internal_error.h"

#include <bit>
#include <utility>

namespace lintar {

namespace {
std::uint32_t bits(std::int32_t word) {
    return std::bit_cast<std::uint32_t>(word);
}
std::int32_t word(std::uint32_t bits) {
    return std::bit_cast<std::int32_t>(bits);
}
} // namespace

// BITVAL: bit BITPOS of the word, 0 or 1.
std::int32_t BITVAL(std::int32_t ITEST, std::int32_t BITPOS) {
    return static_cast<std::int32_t>((bits(ITEST) >> (BITPOS - 1)) & 1u);
}

// BITSWP: inverts bit BITPOS (bit 32 too: the sign bit simply flips).
void BITSWP(std::int32_t& ITEST, std::int32_t BITPOS) {
    ITEST = word(bits(ITEST) ^ (1u << (BITPOS - 1)));
}

// BITSET: sets bit BITPOS to IBIT (0 or 1); any other IBIT is an internal error and stops.
void BITSET(std::int32_t& ITEST, std::int32_t BITPOS, std::int32_t IBIT, int IOSCRN) {
    if (IBIT != 0 && IBIT != 1)
        internal_error_stop(IOSCRN, {" Incorrect bit value in BITSET; contact Kelbrin.",
                                     " Press <Return> to continue"});
    if (BITVAL(ITEST, BITPOS) != IBIT)
        BITSWP(ITEST, BITPOS);
}

// NIBVAL: nibble NIBPOS of the word, 0 to 15; a position outside 1 to 8 stops.
std::int32_t NIBVAL(std::int32_t ITEST, std::int32_t NIBPOS, int IOSCRN) {
    if (NIBPOS < 1 || NIBPOS > 8)
        internal_error_stop(IOSCRN, {" Incorrect NIBBLE value in NIBVAL; contact Kelbrin",
                                     " Press <Return> to continue"});
    return static_cast<std::int32_t>((bits(ITEST) >> (4 * (NIBPOS - 1))) & 15u);
}

// NIBSET: replaces nibble NIBPOS by NIBBLE, keeping every other bit. Positions outside 1 to 8,
// values outside 0 to 15, and a value above 7 in nibble 8 (which would make the word
// negative) are internal errors and stop.
void NIBSET(std::int32_t& ITEST, std::int32_t NIBPOS, std::int32_t NIBBLE, int IOSCRN) {
    if (NIBPOS < 1 || NIBPOS > 8 || NIBBLE < 0 || NIBBLE > 15)
        internal_error_stop(IOSCRN, {" Incorrect NIBBLE/position value in NIBSET; contact Kelbrin.",
                                     " Press <Return> to continue"});
    if (NIBPOS == 8 && NIBBLE > 7)
        internal_error_stop(IOSCRN,
                            {" Attempt to set most significant bit in NIBSET; contact Kelbrin",
                             " Press <Return> to continue"});
    if (NIBVAL(ITEST, NIBPOS, IOSCRN) == NIBBLE)
        return;
    const unsigned shift = 4u * static_cast<unsigned>(NIBPOS - 1);
    const std::uint32_t cleared = bits(ITEST) & ~(15u << shift);
    ITEST = word(cleared | (static_cast<std::uint32_t>(NIBBLE) << shift));
}

// ONEON: true when nibble 1, 2 or 3 of LPARAM equals LTYPE (one code per direction).
bool ONEON(std::int32_t LPARAM, std::int32_t LTYPE, int EDUNIT) {
    return NIBVAL(LPARAM, 1, EDUNIT) == LTYPE || NIBVAL(LPARAM, 2, EDUNIT) == LTYPE ||
           NIBVAL(LPARAM, 3, EDUNIT) == LTYPE;
}

// SWPCOM: exchanges elements 1 to N of the two arrays.
void SWPCOM(std::int32_t N, std::span<std::int32_t> ISRC, std::span<std::int32_t> IDEST) {
    for (std::int32_t k = 0; k < N; ++k)
        std::swap(ISRC[static_cast<std::size_t>(k)], IDEST[static_cast<std::size_t>(k)]);
}

void SWPVAL(float& X1, float& X2) {
    std::swap(X1, X2);
}
void DSWPVAL(double& DX1, double& DX2) {
    std::swap(DX1, DX2);
}
void CSWPVAL(std::complex<float>& CX1, std::complex<float>& CX2) {
    std::swap(CX1, CX2);
}

} // namespace lintar
