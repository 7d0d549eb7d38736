// blocks/outcom.h: OUTCOM, the line results of the analysis for the reports.
//
// The per-line arrays are indexed by line (1..150), case (1 to 3 the three sigma levels, 4
// the mean position, 5 and 6 the storm level at the offsets of the second and third kind of
// peak factor) and side (1 plus, 2 minus); the node arrays add the node (1..26, node 1 at the
// fairlead) in front. Only the words written so far are declared: the vertical span DZTOTL,
// whose mean-position slots the line-table stage fills, and the mean-position results of the
// static equilibrium (MENSET, NODE_EVAL2, the distances RLOVAR), and the low-frequency results:
// the extreme tensions, the offset records of the three sigma levels and the snapshot loads.
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
inline constexpr int outcom_levels = 3;

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
    // ---- Low-frequency extreme line loads (per line, case and side) -------------------------
    float TQSRAN_words[outcom_case_words]; // top tension at the extreme
    float& TQSRAN(int i, int c, int s) {
        return TQSRAN_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    const float& TQSRAN(int i, int c, int s) const {
        return TQSRAN_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    float BQSRAN_words[outcom_case_words]; // anchor-end tension at the extreme, before friction
    float& BQSRAN(int i, int c, int s) {
        return BQSRAN_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    const float& BQSRAN(int i, int c, int s) const {
        return BQSRAN_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    // TOP_HINGAY_MEAN of the line minus the top angle at the extreme.
    float TOP_HINGAY_LO_words[outcom_case_words];
    float& TOP_HINGAY_LO(int i, int c, int s) {
        return TOP_HINGAY_LO_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    const float& TOP_HINGAY_LO(int i, int c, int s) const {
        return TOP_HINGAY_LO_words[col_major(i, outcom_lines, c, outcom_cases, s, outcom_sides)];
    }
    // Per line and sigma level 1..3: top and anchor tension in the turnaround snapshot.
    float TQSSNP_words[outcom_lines * outcom_levels]; // top tension
    float& TQSSNP(int i, int L) {
        return TQSSNP_words[col_major(i, outcom_lines, L, outcom_levels)];
    }
    const float& TQSSNP(int i, int L) const {
        return TQSSNP_words[col_major(i, outcom_lines, L, outcom_levels)];
    }
    float BQSSNP_words[outcom_lines * outcom_levels]; // anchor tension
    float& BQSSNP(int i, int L) {
        return BQSSNP_words[col_major(i, outcom_lines, L, outcom_levels)];
    }
    const float& BQSSNP(int i, int L) const {
        return BQSSNP_words[col_major(i, outcom_lines, L, outcom_levels)];
    }
    // Wave-frequency tension sigma of line i at sigma level L (read by the line damping).
    float THDELP_words[outcom_lines * outcom_levels];
    float& THDELP(int i, int L) {
        return THDELP_words[col_major(i, outcom_lines, L, outcom_levels)];
    }
    const float& THDELP(int i, int L) const {
        return THDELP_words[col_major(i, outcom_lines, L, outcom_levels)];
    }

    // ---- Low-frequency offset records, per sigma level L = 1..3 -----------------------------
    // Elements: global x, global y, heading (radians), vertical offset (pull-down).
    float GXMAXQ_words[4 * outcom_levels]; // corner reaching farthest in +x
    float& GXMAXQ(int k, int L) { return GXMAXQ_words[col_major(k, 4, L, outcom_levels)]; }
    const float& GXMAXQ(int k, int L) const {
        return GXMAXQ_words[col_major(k, 4, L, outcom_levels)];
    }
    std::span<float, 4> GXMAXQ_record(int L) { return std::span<float, 4>(&GXMAXQ(1, L), 4); }
    float GXMINQ_words[4 * outcom_levels]; // corner reaching farthest in -x
    float& GXMINQ(int k, int L) { return GXMINQ_words[col_major(k, 4, L, outcom_levels)]; }
    const float& GXMINQ(int k, int L) const {
        return GXMINQ_words[col_major(k, 4, L, outcom_levels)];
    }
    std::span<float, 4> GXMINQ_record(int L) { return std::span<float, 4>(&GXMINQ(1, L), 4); }
    float GYMAXQ_words[4 * outcom_levels]; // corner reaching farthest in +y
    float& GYMAXQ(int k, int L) { return GYMAXQ_words[col_major(k, 4, L, outcom_levels)]; }
    const float& GYMAXQ(int k, int L) const {
        return GYMAXQ_words[col_major(k, 4, L, outcom_levels)];
    }
    std::span<float, 4> GYMAXQ_record(int L) { return std::span<float, 4>(&GYMAXQ(1, L), 4); }
    float GYMINQ_words[4 * outcom_levels]; // corner reaching farthest in -y
    float& GYMINQ(int k, int L) { return GYMINQ_words[col_major(k, 4, L, outcom_levels)]; }
    const float& GYMINQ(int k, int L) const {
        return GYMINQ_words[col_major(k, 4, L, outcom_levels)];
    }
    std::span<float, 4> GYMINQ_record(int L) { return std::span<float, 4>(&GYMINQ(1, L), 4); }
    float GRMAX_words[4 * outcom_levels]; // pure surge excursion, plus side
    float& GRMAX(int k, int L) { return GRMAX_words[col_major(k, 4, L, outcom_levels)]; }
    const float& GRMAX(int k, int L) const {
        return GRMAX_words[col_major(k, 4, L, outcom_levels)];
    }
    std::span<float, 4> GRMAX_record(int L) { return std::span<float, 4>(&GRMAX(1, L), 4); }
    float GRMIN_words[4 * outcom_levels]; // pure surge excursion, minus side
    float& GRMIN(int k, int L) { return GRMIN_words[col_major(k, 4, L, outcom_levels)]; }
    const float& GRMIN(int k, int L) const {
        return GRMIN_words[col_major(k, 4, L, outcom_levels)];
    }
    std::span<float, 4> GRMIN_record(int L) { return std::span<float, 4>(&GRMIN(1, L), 4); }
    float GPMAX_words[4 * outcom_levels]; // pure sway excursion, plus side
    float& GPMAX(int k, int L) { return GPMAX_words[col_major(k, 4, L, outcom_levels)]; }
    const float& GPMAX(int k, int L) const {
        return GPMAX_words[col_major(k, 4, L, outcom_levels)];
    }
    std::span<float, 4> GPMAX_record(int L) { return std::span<float, 4>(&GPMAX(1, L), 4); }
    float GPMIN_words[4 * outcom_levels]; // pure sway excursion, minus side
    float& GPMIN(int k, int L) { return GPMIN_words[col_major(k, 4, L, outcom_levels)]; }
    const float& GPMIN(int k, int L) const {
        return GPMIN_words[col_major(k, 4, L, outcom_levels)];
    }
    std::span<float, 4> GPMIN_record(int L) { return std::span<float, 4>(&GPMIN(1, L), 4); }
    // Bounding box of the offset region in global x and y, and the headings at the plus-surge
    // and the minus-surge point.
    float BXMAX_words[outcom_levels];
    float& BXMAX(int L) { return BXMAX_words[col_major(L, outcom_levels)]; }
    const float& BXMAX(int L) const { return BXMAX_words[col_major(L, outcom_levels)]; }
    float BXMIN_words[outcom_levels];
    float& BXMIN(int L) { return BXMIN_words[col_major(L, outcom_levels)]; }
    const float& BXMIN(int L) const { return BXMIN_words[col_major(L, outcom_levels)]; }
    float BYMAX_words[outcom_levels];
    float& BYMAX(int L) { return BYMAX_words[col_major(L, outcom_levels)]; }
    const float& BYMAX(int L) const { return BYMAX_words[col_major(L, outcom_levels)]; }
    float BYMIN_words[outcom_levels];
    float& BYMIN(int L) { return BYMIN_words[col_major(L, outcom_levels)]; }
    const float& BYMIN(int L) const { return BYMIN_words[col_major(L, outcom_levels)]; }
    float YAWMAX_words[outcom_levels];
    float& YAWMAX(int L) { return YAWMAX_words[col_major(L, outcom_levels)]; }
    const float& YAWMAX(int L) const { return YAWMAX_words[col_major(L, outcom_levels)]; }
    float YAWMIN_words[outcom_levels];
    float& YAWMIN(int L) { return YAWMIN_words[col_major(L, outcom_levels)]; }
    const float& YAWMIN(int L) const { return YAWMIN_words[col_major(L, outcom_levels)]; }
    // Net mooring loads in vessel axes (three forces, three moments): records 1 to 12 the corner
    // loads of the three levels, record 13 the mean load.
    float LFVARR_words[6 * 13];
    float& LFVARR(int k, int r) { return LFVARR_words[col_major(k, 6, r, 13)]; }
    const float& LFVARR(int k, int r) const { return LFVARR_words[col_major(k, 6, r, 13)]; }
    // Net mooring load at the mean position, global axes: forces, then x, y, z moments.
    float FXMEAN, FYMEAN, FZMEAN, TVMEAN, TYMEAN, TZMEAN;
};
static_assert(std::is_standard_layout_v<OutcomBlock>);

// The global instance; all zeros at the start and after reset_program_state().
extern OutcomBlock OUTCOM;

} // namespace lintar
