// blocks/local3.h: LOCAL3, the small block that the offset-table driver shares with its force
// routines and the turret-torque function: the range of lines summed and the trial vessel
// position and heading of the current offset point.
#pragma once

#include "blocks/block_support.h"

#include <cstdint>
#include <type_traits>

namespace lintar {

struct Local3Block {
    std::int32_t MINLN; // first line summed by the force routines
    std::int32_t MAXLN; // last line summed
    // Trial position x, y (global) and heading (radians); VESANP is the word RVESP(3).
    float RVESP_words[3];
    float& RVESP(int i) { return RVESP_words[col_major(i, 3)]; }
    const float& RVESP(int i) const { return RVESP_words[col_major(i, 3)]; }
    float& VESANP() { return RVESP_words[2]; }
    const float& VESANP() const { return RVESP_words[2]; }
};

static_assert(std::is_standard_layout_v<Local3Block>);
static_assert(sizeof(Local3Block) == 4 * 5);

// The global instance, zero at program start; reset_program_state() zeroes it again.
extern Local3Block LOCAL3;

} // namespace lintar
