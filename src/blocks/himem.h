// blocks/himem.h: HIMEM, the vessel-motion work block: the words the wave routines reach.
//
// The block holds the work array RLDUM of RAO and frequency tables, addressed through base
// indices that the vessel-motion set-up stores. Only the words the sea-spectrum routines touch
// are declared so far: the depth scale WCONST, the heading index IHT, the wave-statistics base
// LCNWV and the work array. The hull values, heading tables and the other base indices join
// them with the vessel-motion subsystem.
#pragma once

#include "blocks/block_support.h"

#include <cstdint>
#include <type_traits>

namespace lintar {

// Words of the work array RLDUM.
inline constexpr int rldum_word_count = 848301;

struct HimemBlock {
    float WCONST;       // sqrt(DEPTH / G): makes a frequency dimensionless for WAVVEC
    std::int32_t IHT;   // current sea-height index of the statistics; 0 until it is set
    std::int32_t LCNWV; // base of the wave-statistics words in RLDUM; 0 until the set-up
    float RLDUM_words[rldum_word_count];

    float& RLDUM(int i) { return RLDUM_words[col_major(i, rldum_word_count)]; }
    const float& RLDUM(int i) const { return RLDUM_words[col_major(i, rldum_word_count)]; }
};
static_assert(std::is_standard_layout_v<HimemBlock>);

// The global instance; all zeros at the start and after reset_program_state().
extern HimemBlock HIMEM;

} // namespace lintar
