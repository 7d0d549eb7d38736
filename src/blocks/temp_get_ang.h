// blocks/temp_get_ang.h: TEMP_GET_ANG, the component directions and variances of the
// directional variance envelope, shared by the envelope search and its three functions.
#pragma once

#include "blocks/block_support.h"

#include <type_traits>

namespace lintar {

// Components of the envelope: entry 1 the net environment, 2 to 13 the load sources.
inline constexpr int envelope_components = 13;

struct TempGetAngBlock {
    // Direction of component i (radians) and its variance.
    float PHI_words[envelope_components];
    float& PHI(int i) { return PHI_words[col_major(i, envelope_components)]; }
    const float& PHI(int i) const { return PHI_words[col_major(i, envelope_components)]; }
    float VARTOT_I_words[envelope_components];
    float& VARTOT_I(int i) { return VARTOT_I_words[col_major(i, envelope_components)]; }
    const float& VARTOT_I(int i) const { return VARTOT_I_words[col_major(i, envelope_components)]; }
};

static_assert(std::is_standard_layout_v<TempGetAngBlock>);
static_assert(sizeof(TempGetAngBlock) == 4 * 26);

// The global instance, zero at program start; reset_program_state() zeroes it again.
extern TempGetAngBlock TEMP_GET_ANG;

} // namespace lintar
