// blocks/local2.h: LOCAL2, the range of mooring lines that the static equilibrium's force,
// stiffness and turret-torque evaluations sum over.
#pragma once

#include <cstdint>
#include <type_traits>

namespace lintar {

// MINLN = MAXLN marks a single-line mooring (or the hawser pass of the two-body case).
struct Local2Block {
    std::int32_t MINLN; // first line evaluated
    std::int32_t MAXLN; // last line evaluated
};

static_assert(std::is_standard_layout_v<Local2Block>);
static_assert(sizeof(Local2Block) == 4 * 2);

// The global instance, zero at program start; reset_program_state() zeroes it again.
extern Local2Block LOCAL2;

} // namespace lintar
