// blocks/ergcom.h: ERGCOM, the offset-energy curves and linear springs of the low-frequency
// analysis and the static rotation offsets of the six-degree-of-freedom equilibrium.
//
// The block is no file image: it is zero at program start. 576 four-byte reals in declaration
// order.
#pragma once

#include "blocks/block_support.h"

#include <cstddef>
#include <type_traits>

namespace lintar {

inline constexpr int ergcom_word_count = 576;
// Points of each offset-energy curve.
inline constexpr int energy_curve_points = 90;

struct ErgcomBlock {
    // Offset-energy curves of surge, sway, yaw and of the second body.
    float PENFUN_words[energy_curve_points];
    float SWYERG_words[energy_curve_points];
    float YAWERG_words[energy_curve_points];
    float BSRGEG_words[energy_curve_points];
    float BSWYEG_words[energy_curve_points];
    float BYAWEG_words[energy_curve_points];
    float& PENFUN(int i) { return PENFUN_words[col_major(i, energy_curve_points)]; }
    float& SWYERG(int i) { return SWYERG_words[col_major(i, energy_curve_points)]; }
    float& YAWERG(int i) { return YAWERG_words[col_major(i, energy_curve_points)]; }
    float& BSRGEG(int i) { return BSRGEG_words[col_major(i, energy_curve_points)]; }
    float& BSWYEG(int i) { return BSWYEG_words[col_major(i, energy_curve_points)]; }
    float& BYAWEG(int i) { return BYAWEG_words[col_major(i, energy_curve_points)]; }
    float DXSRG, DYSWY, DZYAW;    // step sizes of the curves
    float EQBSRG, EQBSWY, EQBYAW; // equilibrium values on the curves
    float SPRNGX, SPRNGY, SPRNGZ; // linear springs in surge, sway, yaw
    float SRGOFF, SWYOFF;         // static offsets in surge and sway
    float YAWOFF;                 // static yaw offset of the six-degree-of-freedom equilibrium
    float REQLIB;                 // equilibrium reference value
    float SPRNGR, SPRNGP, SPRNGH; // linear springs in roll, pitch, heave
    float ROLOFF, PITOFF;         // static roll and pitch offsets
    float HEVOFF;                 // heave offset
    float SPRNGX_L, SPRNGY_L, SPRNGZ_L; // linearised springs in surge, sway, yaw
    float ERGDUM_words[14];             // spare
};

static_assert(std::is_standard_layout_v<ErgcomBlock>);
static_assert(sizeof(ErgcomBlock) == 4 * ergcom_word_count);
static_assert(offsetof(ErgcomBlock, BYAWEG_words) == 4 * 450);
static_assert(offsetof(ErgcomBlock, DXSRG) == 4 * 540);
static_assert(offsetof(ErgcomBlock, YAWOFF) == 4 * 551);
static_assert(offsetof(ErgcomBlock, ROLOFF) == 4 * 556);
static_assert(offsetof(ErgcomBlock, ERGDUM_words) == 4 * 562);

// The global instance, zero at program start; reset_program_state() zeroes it again.
extern ErgcomBlock ERGCOM;

} // namespace lintar
