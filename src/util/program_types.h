// util/program_types.h: what the program-type code SIMTYP of the data file says about the model.
#pragma once

#include <cstdint>

namespace lintar {

// The hulls held down by tendons: the tension-leg platform (program type 14) and the spar (17).
// Their hull model nets the tendon force out of the weight, and their lines are tabulated layer
// by layer through the depth, a line's tensions interpolated between two layers.
constexpr bool tension_leg_or_spar(std::int32_t SIMTYP) {
    return SIMTYP == 14 || SIMTYP == 17;
}

} // namespace lintar
