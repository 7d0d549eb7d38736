// blocks/lowcof.h: LOWCOF, the user low-frequency coefficient tables whose image is the file
// "LOWDAT" (680 words). Only the members the wind and current coefficient models read are
// declared: their word positions inside "LOWDAT" are not known (nothing describes that
// layout), and this program never loads "LOWDAT", so here the tables stay empty. The members
// are kept by name, in their own struct, until the layout is known; the block is therefore
// not the file's image and no offsets are pinned.
#pragma once

#include "blocks/block_support.h"

#include <cstdint>
#include <type_traits>

namespace lintar {

inline constexpr int lowcof_points = 21;

struct LowcofBlock {
    // Wind: NUWNPT angles (degrees, ascending over 0 to 180) and the surge, sway and yaw
    // coefficient columns UWNCFS(21, 3).
    std::int32_t NUWNPT;
    float UWNANG_words[lowcof_points];
    float UWNCFS_words[lowcof_points * 3];
    // Current: NUCRPT angles and the surge, sway and yaw columns.
    std::int32_t NUCRPT;
    float UCRANG_words[lowcof_points];
    float UCRCX_words[lowcof_points];
    float UCRCY_words[lowcof_points];
    float UCRCZ_words[lowcof_points];

    float& UWNANG(int i) { return UWNANG_words[col_major(i, lowcof_points)]; }
    float& UWNCFS(int i, int k) { return UWNCFS_words[col_major(i, lowcof_points, k, 3)]; }
};
static_assert(std::is_standard_layout_v<LowcofBlock>);

// The global instance; all zeros at the start and after reset_program_state().
extern LowcofBlock LOWCOF;

} // namespace lintar
