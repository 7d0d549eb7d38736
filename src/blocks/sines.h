// blocks/sines.h: SINES, the harmonics of the last relative angle given to TRIGLD, and the
// wind and current pressure factors and the depth-to-draft ratio of the coefficient models.
#pragma once

#include "blocks/block_support.h"

#include <cstddef>
#include <type_traits>

namespace lintar {

struct SinesBlock {
    float S_words[10];            // S1 .. S10: sin k theta, k = 1..10
    float C_words[10];            // C1 .. C10: cos k theta
    float WNDCOF;                 // wind pressure factor (force per unit area and unit coefficient)
    float CURCOF;                 // current pressure factor
    float WAVCOF;                 // wave load factor (no routine of the loads reads it)
    float HOVERD;                 // water depth / draft
    float SWLCOF, WAVCFT, SWLCFT; // swell and wave load factors (not read)
    // The block holds 28 reals; the 28th has no name or reader.
    float reserved;

    float& S(int k) { return S_words[col_major(k, 10)]; }
    float S(int k) const { return S_words[col_major(k, 10)]; }
    float& C(int k) { return C_words[col_major(k, 10)]; }
    float C(int k) const { return C_words[col_major(k, 10)]; }
};
static_assert(std::is_standard_layout_v<SinesBlock>);
static_assert(sizeof(SinesBlock) == 4 * 28);
static_assert(offsetof(SinesBlock, C_words) == 4 * 10);
static_assert(offsetof(SinesBlock, WNDCOF) == 4 * 20);
static_assert(offsetof(SinesBlock, HOVERD) == 4 * 23);

// The global instance; all zeros at the start and after reset_program_state().
extern SinesBlock SINES;

} // namespace lintar
