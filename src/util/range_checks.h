// util/range_checks.h: range and index checks, and the waterline test of a hull member.
//
// None of these writes a message: each reports through its results and the caller decides.
// Tables are 1-based as the callers number their rows: ARRAY[k - 1] is row k.
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

void RNGCHK(std::span<const float> ARRAY, std::int32_t MINI, std::int32_t MAXI, float VAL,
            std::int32_t& RNGFLG);
void MAX_MIN(std::span<const float> ARRAY, std::int32_t N, std::int32_t& MINI, std::int32_t& MAXI,
             float& MINVAL, float& MAXVAL, bool& MONOTN, bool& ASCEND);
void POSCHK(std::int32_t& N, std::int32_t MAX);
void MAXCHK(std::int32_t& N, std::int32_t MAX);
std::int32_t IBIG(std::int32_t I1, std::int32_t I2, std::int32_t I3, std::int32_t I4);
void WPCHEK(const float RBASE[3], const float RTOP[3], float DRAFT, float MEMVEC[3],
            float DIRVEC[3], float& MEMLEN, float& WETLEN, float& TILTFC, std::int32_t& PIERCE);

} // namespace lintar
