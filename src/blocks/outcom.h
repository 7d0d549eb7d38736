// blocks/outcom.h: OUTCOM, the line results of the analysis for the reports.
//
// The per-line arrays are indexed by line (1..150), case (1 to 3 the three sigma levels, 4
// the mean position, 5 and 6 the storm level at the offsets of the second and third kind of
// peak factor) and side (1 plus, 2 minus); the node arrays add the node (1..26, node 1 at the
// fairlead) in front. Only the words written so far are declared: the vertical span DZTOTL,
// whose mean-position slots the line-table stage fills, and the mean-position results of the
// static equilibrium (MENSET, NODE_EVAL2, the distances RLOVAR). The extreme tensions and
// offset records join them with the low-frequency subsystem.
#pragma once

#include "blocks/block_support.h"

#include <cstddef>
#include <span>
#include <type_traits>

namespace lintar {

inline constexpr int outcom_lines = 150;
inline constexpr int outcom_cases = 6;
inline constexpr int outcom_sides = 2;
inline constexpr int outcom_nodes = 26;

inline constexpr std::size_t outcom_case_words =
    std::size_t{outcom_lines} * outcom_cases * outcom_sides;
inline constexpr std::size_t outcom_node_words = std::size_t{outcom_nodes} * outcom_case_words;

struct OutcomBlock {
    // Vertical fairlead-to-anchor span of line i in case c on side s.
    float DZTOTL_words[outcom_lines * outcom_cases * outcom_sides];
    float& DZTOTL(int i, int c, int s) {
        return DZTOTL_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    const float& DZTOTL(int i, int c, int s) const {
        return DZTOTL_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    float BMEAN_words[outcom_lines]; // bottom (anchor-end) tension at the mean position
    float& BMEAN(int i) { return BMEAN_words[col_major(i, outcom_lines)]; }
    const float& BMEAN(int i) const { return BMEAN_words[col_major(i, outcom_lines)]; }
    float TMEAN_words[outcom_lines]; // top tension at the mean position
    float& TMEAN(int i) { return TMEAN_words[col_major(i, outcom_lines)]; }
    const float& TMEAN(int i) const { return TMEAN_words[col_major(i, outcom_lines)]; }
    float TOP_HINGAY_MEAN_words[outcom_lines]; // top angle at the mean position, radians
    float& TOP_HINGAY_MEAN(int i) { return TOP_HINGAY_MEAN_words[col_major(i, outcom_lines)]; }
    const float& TOP_HINGAY_MEAN(int i) const {
        return TOP_HINGAY_MEAN_words[col_major(i, outcom_lines)];
    }
    float H_MEAN_words[outcom_case_words]; // horizontal load
    float& H_MEAN(int i, int c, int s) {
        return H_MEAN_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    const float& H_MEAN(int i, int c, int s) const {
        return H_MEAN_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    float TOPANG_MEAN_words[outcom_case_words]; // top angle, radians
    float& TOPANG_MEAN(int i, int c, int s) {
        return TOPANG_MEAN_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    const float& TOPANG_MEAN(int i, int c, int s) const {
        return TOPANG_MEAN_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    float TMEANI_words[outcom_node_words]; // node tension
    float& TMEANI(int n, int i, int c, int s) {
        return TMEANI_words[col_major(n, outcom_nodes, i, outcom_lines, c, outcom_cases, s,
                                      outcom_sides)];
    }
    const float& TMEANI(int n, int i, int c, int s) const {
        return TMEANI_words[col_major(n, outcom_nodes, i, outcom_lines, c, outcom_cases, s,
                                      outcom_sides)];
    }
    // The 26 nodes of line i in case c on side s.
    std::span<float, outcom_nodes> TMEANI_nodes(int i, int c, int s) {
        return std::span<float, outcom_nodes>(&TMEANI(1, i, c, s), outcom_nodes);
    }
    float NODE_T_words[outcom_node_words]; // node slope: tangent of the line angle
    float& NODE_T(int n, int i, int c, int s) {
        return NODE_T_words[col_major(n, outcom_nodes, i, outcom_lines, c, outcom_cases, s,
                                      outcom_sides)];
    }
    const float& NODE_T(int n, int i, int c, int s) const {
        return NODE_T_words[col_major(n, outcom_nodes, i, outcom_lines, c, outcom_cases, s,
                                      outcom_sides)];
    }
    // The 26 nodes of line i in case c on side s.
    std::span<float, outcom_nodes> NODE_T_nodes(int i, int c, int s) {
        return std::span<float, outcom_nodes>(&NODE_T(1, i, c, s), outcom_nodes);
    }
    float NODE_X_words[outcom_node_words]; // horizontal distance of the node from the anchor
    float& NODE_X(int n, int i, int c, int s) {
        return NODE_X_words[col_major(n, outcom_nodes, i, outcom_lines, c, outcom_cases, s,
                                      outcom_sides)];
    }
    const float& NODE_X(int n, int i, int c, int s) const {
        return NODE_X_words[col_major(n, outcom_nodes, i, outcom_lines, c, outcom_cases, s,
                                      outcom_sides)];
    }
    // The 26 nodes of line i in case c on side s.
    std::span<float, outcom_nodes> NODE_X_nodes(int i, int c, int s) {
        return std::span<float, outcom_nodes>(&NODE_X(1, i, c, s), outcom_nodes);
    }
    float NODE_Y_words[outcom_node_words]; // lateral offset of the node from the line's plane
    float& NODE_Y(int n, int i, int c, int s) {
        return NODE_Y_words[col_major(n, outcom_nodes, i, outcom_lines, c, outcom_cases, s,
                                      outcom_sides)];
    }
    const float& NODE_Y(int n, int i, int c, int s) const {
        return NODE_Y_words[col_major(n, outcom_nodes, i, outcom_lines, c, outcom_cases, s,
                                      outcom_sides)];
    }
    // The 26 nodes of line i in case c on side s.
    std::span<float, outcom_nodes> NODE_Y_nodes(int i, int c, int s) {
        return std::span<float, outcom_nodes>(&NODE_Y(1, i, c, s), outcom_nodes);
    }
    float NODE_Z_words[outcom_node_words]; // height of the node above the anchor
    float& NODE_Z(int n, int i, int c, int s) {
        return NODE_Z_words[col_major(n, outcom_nodes, i, outcom_lines, c, outcom_cases, s,
                                      outcom_sides)];
    }
    const float& NODE_Z(int n, int i, int c, int s) const {
        return NODE_Z_words[col_major(n, outcom_nodes, i, outcom_lines, c, outcom_cases, s,
                                      outcom_sides)];
    }
    // The 26 nodes of line i in case c on side s.
    std::span<float, outcom_nodes> NODE_Z_nodes(int i, int c, int s) {
        return std::span<float, outcom_nodes>(&NODE_Z(1, i, c, s), outcom_nodes);
    }
    float FZMEN0; // vertical mooring force of the starting state
    // Horizontal fairlead-anchor distance of line i in case c on side s (the static
    // equilibrium fills the mean-position case 4).
    float RLOVAR_words[outcom_case_words];
    float& RLOVAR(int i, int c, int s) {
        return RLOVAR_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    const float& RLOVAR(int i, int c, int s) const {
        return RLOVAR_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    // Extreme top tension of line i in case c on side s (the low-frequency offset cases).
    float TQSRAN_words[outcom_case_words];
    float& TQSRAN(int i, int c, int s) {
        return TQSRAN_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    const float& TQSRAN(int i, int c, int s) const {
        return TQSRAN_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    // Wave-frequency top-tension amplitude of line i at sigma level l (1..3).
    float THDELP_words[outcom_lines * 3];
    float& THDELP(int i, int l) { return THDELP_words[col_major(i, outcom_lines, l, 3)]; }
    const float& THDELP(int i, int l) const {
        return THDELP_words[col_major(i, outcom_lines, l, 3)];
    }
};
static_assert(std::is_standard_layout_v<OutcomBlock>);

// The global instance; all zeros at the start and after reset_program_state().
extern OutcomBlock OUTCOM;

} // namespace lintar
