// blocks/simcom.h: SIMCOM, the member tables of a semisubmersible-like hull and its damping
// values. The characteristics of the semisubmersible model fill the member tables and the
// quadratic damping coefficients; its forces operation writes the linear damping factors. The
// member drag reads the surface-piercing flags, the wetted lengths and the unit axis vectors.
// Zero at program start.
#pragma once

#include "blocks/block_support.h"

#include <cstdint>
#include <type_traits>

namespace lintar {

// Members a hull may hold.
inline constexpr int simcom_member_capacity = 50;

struct SimcomBlock {
    std::int32_t LPIERCE_words[simcom_member_capacity]; // logical: the member pierces the surface
    float CYLLEN_words[simcom_member_capacity];         // wetted length of the member
    float DIRVEC_words[3 * simcom_member_capacity];     // unit axis vector, bottom to top

    std::int32_t NPIERCE;                           // members crossing the waterline
    float CYLCG_words[3 * simcom_member_capacity];  // centroid of the wetted part
    float FRCCOF_words[9 * simcom_member_capacity]; // inertia force coefficients, vessel axes
    float MNTCOF_words[9 * simcom_member_capacity]; // inertia moment coefficients, vessel axes
    float DRGFCF_words[3 * simcom_member_capacity]; // drag area per wetted length, vessel axes
    float MRWPG2_words[simcom_member_capacity];     // squared roll radius of the waterplane
    float MPWPG2_words[simcom_member_capacity];     // squared pitch radius of the waterplane
    float CQRL, CQPT, CQHV;                         // quadratic roll, pitch, heave damping
    float GAMRL, GAMPT, GAMHV;                      // linear roll, pitch, heave damping factors

    std::int32_t& LPIERCE(int i) { return LPIERCE_words[col_major(i, simcom_member_capacity)]; }
    std::int32_t LPIERCE(int i) const {
        return LPIERCE_words[col_major(i, simcom_member_capacity)];
    }
    float& CYLLEN(int i) { return CYLLEN_words[col_major(i, simcom_member_capacity)]; }
    float CYLLEN(int i) const { return CYLLEN_words[col_major(i, simcom_member_capacity)]; }
    float& DIRVEC(int k, int i) { return DIRVEC_words[col_major(k, 3, i, simcom_member_capacity)]; }
    float DIRVEC(int k, int i) const {
        return DIRVEC_words[col_major(k, 3, i, simcom_member_capacity)];
    }
    float& CYLCG(int k, int i) { return CYLCG_words[col_major(k, 3, i, simcom_member_capacity)]; }
    float& FRCCOF(int r, int c, int i) {
        return FRCCOF_words[col_major(r, 3, c, 3, i, simcom_member_capacity)];
    }
    float& MNTCOF(int r, int c, int i) {
        return MNTCOF_words[col_major(r, 3, c, 3, i, simcom_member_capacity)];
    }
    float& DRGFCF(int k, int i) { return DRGFCF_words[col_major(k, 3, i, simcom_member_capacity)]; }
    float& MRWPG2(int i) { return MRWPG2_words[col_major(i, simcom_member_capacity)]; }
    float& MPWPG2(int i) { return MPWPG2_words[col_major(i, simcom_member_capacity)]; }
};
static_assert(std::is_standard_layout_v<SimcomBlock>);

// The global instance; all zeros at the start and after reset_program_state().
extern SimcomBlock SIMCOM;

} // namespace lintar
