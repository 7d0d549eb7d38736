// blocks/local.h: LOCAL, the work words of the horizontal-plane equilibrium solvers: the last
// Jacobian, net load and right-hand side of their Newton step.
#pragma once

#include "blocks/block_support.h"

#include <cstdint>
#include <type_traits>

namespace lintar {

// The three-degree-of-freedom search keeps its 3 x 3 Jacobian by columns (derivatives of the
// net x force, y force and yaw moment by x, by y, by the heading), the net load and the
// right-hand side, 15 words. The single-point position search keeps its 2 x 2 system in the
// first eight words in its own order: dFx/dx, dFy/dx, dFx/dy, dFy/dy, Fx, Fy, Gx, Gy.
struct LocalBlock {
    float words[15];
    // Word i, 1..15.
    float& word(int i) { return words[col_major(i, 15)]; }
    float& DFXX() { return words[0]; }
    float& DFYX() { return words[1]; }
    float& DFZX() { return words[2]; }
    float& DFXY() { return words[3]; }
    float& DFYY() { return words[4]; }
    float& DFZY() { return words[5]; }
    float& DFZ(int i) { return words[6 + col_major(i, 3)]; } // DFZ(1..3): DFZ(1), DFYZ, DFZZ
    float& DFYZ() { return words[7]; }
    float& DFZZ() { return words[8]; }
    float& FNET(int i) { return words[9 + col_major(i, 3)]; } // FNET(1..3): FNET(1), FYNET0, TZNET0
    float& FYNET0() { return words[10]; }
    float& TZNET0() { return words[11]; }
    float& GXNET() { return words[12]; }
    float& GYNET() { return words[13]; }
    float& GZNET() { return words[14]; }
};

static_assert(std::is_standard_layout_v<LocalBlock>);
static_assert(sizeof(LocalBlock) == 4 * 15);

// The global instance, zero at program start; reset_program_state() zeroes it again.
extern LocalBlock LOCAL;

} // namespace lintar
