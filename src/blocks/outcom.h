// blocks/outcom.h: OUTCOM, the line results of the analysis for the reports.
//
// The per-line arrays are indexed by line (1..150), case (1 to 3 the three sigma levels, 4
// the mean position, 5 and 6 the storm level at the offsets of the second and third kind of
// peak factor) and side (1 plus, 2 minus). Only the words written so far are declared: the
// vertical span DZTOTL, whose mean-position slots the line-table stage fills. The mean and
// extreme tensions, node arrays and offset records join them with the static-equilibrium and
// low-frequency subsystems.
#pragma once

#include "blocks/block_support.h"

#include <type_traits>

namespace lintar {

inline constexpr int outcom_lines = 150;
inline constexpr int outcom_cases = 6;
inline constexpr int outcom_sides = 2;

struct OutcomBlock {
    // Vertical fairlead-to-anchor span of line i in case c on side s.
    float DZTOTL_words[outcom_lines * outcom_cases * outcom_sides];
    float& DZTOTL(int i, int c, int s) {
        return DZTOTL_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    const float& DZTOTL(int i, int c, int s) const {
        return DZTOTL_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
};
static_assert(std::is_standard_layout_v<OutcomBlock>);

// The global instance; all zeros at the start and after reset_program_state().
extern OutcomBlock OUTCOM;

} // namespace lintar
