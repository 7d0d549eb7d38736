// blocks/curprof.h: CURPROF, the current profile of the run: depth, speed and heading at up
// to 101 levels, built once per run by CURPROF_INIT.
#pragma once

#include "blocks/block_support.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace lintar {

inline constexpr int curprof_levels = 101;

struct CurprofBlock {
    std::int32_t NCURNTPF;                // number of levels
    float VELIPF_words[curprof_levels];   // speed at each level (knots)
    float DPTHIPF_words[curprof_levels];  // depth below the surface, increasing
    float CURHDGPF_words[curprof_levels]; // heading (degrees)

    float& VELIPF(int i) { return VELIPF_words[col_major(i, curprof_levels)]; }
    float VELIPF(int i) const { return VELIPF_words[col_major(i, curprof_levels)]; }
    float& DPTHIPF(int i) { return DPTHIPF_words[col_major(i, curprof_levels)]; }
    float DPTHIPF(int i) const { return DPTHIPF_words[col_major(i, curprof_levels)]; }
    float& CURHDGPF(int i) { return CURHDGPF_words[col_major(i, curprof_levels)]; }
    float CURHDGPF(int i) const { return CURHDGPF_words[col_major(i, curprof_levels)]; }
};
static_assert(std::is_standard_layout_v<CurprofBlock>);
static_assert(sizeof(CurprofBlock) == 4 * (1 + 3 * curprof_levels));
static_assert(offsetof(CurprofBlock, VELIPF_words) == 4);
static_assert(offsetof(CurprofBlock, DPTHIPF_words) == 4 * (1 + curprof_levels));
static_assert(offsetof(CurprofBlock, CURHDGPF_words) == 4 * (1 + 2 * curprof_levels));

// The global instance; all zeros at the start and after reset_program_state().
extern CurprofBlock CURPROF;

} // namespace lintar
