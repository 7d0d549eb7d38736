// util/flags.h: packed bit and nibble flags in integer words, and value swaps.
//
// Bits are numbered 1 (least significant) to 32 (the sign bit); nibbles 1 (bits 1 to 4) to 8
// (bits 29 to 32). The flag words of the data file are non-negative: NIBSET never gives
// nibble 8 a value above 7.
#pragma once

#include <complex>
#include <cstdint>
#include <span>

namespace lintar {

std::int32_t BITVAL(std::int32_t ITEST, std::int32_t BITPOS);
void BITSET(std::int32_t& ITEST, std::int32_t BITPOS, std::int32_t IBIT, int IOSCRN);
void BITSWP(std::int32_t& ITEST, std::int32_t BITPOS);
std::int32_t NIBVAL(std::int32_t ITEST, std::int32_t NIBPOS, int IOSCRN);
void NIBSET(std::int32_t& ITEST, std::int32_t NIBPOS, std::int32_t NIBBLE, int IOSCRN);
bool ONEON(std::int32_t LPARAM, std::int32_t LTYPE, int EDUNIT);
void SWPCOM(std::int32_t N, std::span<std::int32_t> ISRC, std::span<std::int32_t> IDEST);
void SWPVAL(float& X1, float& X2);
void DSWPVAL(double& DX1, double& DX2);
void CSWPVAL(std::complex<float>& CX1, std::complex<float>& CX2);

} // namespace lintar
