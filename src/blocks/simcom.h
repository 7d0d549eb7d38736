// blocks/simcom.h: SIMCOM, the member tables of a semisubmersible-like hull. The hull model
// lays the block out and fills it; the member drag reads the surface-piercing flags, the
// wetted lengths and the unit axis vectors held here. Zero at program start.
#pragma once

#include "blocks/block_support.h"

#include <cstdint>
#include <type_traits>

namespace lintar {

// Members a hull may hold.
inline constexpr int simcom_member_capacity = 50;

struct SimcomBlock {
    std::int32_t LPIERCE_words[simcom_member_capacity]; // logical: the member pierces the surface
    float CYLLEN_words[simcom_member_capacity];         // wetted length of the member
    float DIRVEC_words[3 * simcom_member_capacity];     // unit axis vector, bottom to top

    std::int32_t& LPIERCE(int i) { return LPIERCE_words[col_major(i, simcom_member_capacity)]; }
    std::int32_t LPIERCE(int i) const {
        return LPIERCE_words[col_major(i, simcom_member_capacity)];
    }
    float& CYLLEN(int i) { return CYLLEN_words[col_major(i, simcom_member_capacity)]; }
    float CYLLEN(int i) const { return CYLLEN_words[col_major(i, simcom_member_capacity)]; }
    float& DIRVEC(int k, int i) { return DIRVEC_words[col_major(k, 3, i, simcom_member_capacity)]; }
    float DIRVEC(int k, int i) const {
        return DIRVEC_words[col_major(k, 3, i, simcom_member_capacity)];
    }
};
static_assert(std::is_standard_layout_v<SimcomBlock>);

// The global instance; all zeros at the start and after reset_program_state().
extern SimcomBlock SIMCOM;

} // namespace lintar
