// blocks/catcom.h: CATCOM, the catenary-motion block: the end-separation derivatives of the
// element being integrated, the stiffnesses of the line being processed, the end motions, and
// the per-line, per-node motion derivatives and tangents of the mean line shapes.
//
// The block is no file image. The mean-shape routine of the line dynamics fills the per-line
// tables (TANARR, DXSDZF, ..., DTBDAB), the damping drivers the end motions CAFLD and CABOT;
// the element integration writes DXFDP..DZFDT and JACOBY, the wave-frequency line dynamics the
// stiffnesses. Arrays are flat in Fortran order and reached through 1-based accessors checked
// in debug builds: node n = 1..26 (node 1 the fairlead), line i = 1..150.
#pragma once

#include "blocks/block_support.h"

#include <complex>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace lintar {

inline constexpr int catcom_nodes = 26;  // nodes of a line: elements + 1
inline constexpr int catcom_lines = 150; // lines
inline constexpr int catcom_spare = 200; // words of the spare array CATAVB

// Position of the last word, CATEND.
inline constexpr int catcom_word_count = 20943;

struct CatcomBlock {
    // Derivatives of the horizontal (X) and vertical (Z) end separation with respect to the
    // upper-end tangent P and the catenary length T = H/w: at the two line ends (spare), then
    // at the upper end of the element being integrated.
    double DXDP0, DXDT0, DZDP0, DZDT0;
    double DXDP1, DXDT1, DZDP1, DZDT1;
    double DXFDP, DXFDT, DZFDP, DZFDT;
    float KELAS;               // axial elastic stiffness of the line, 1 / sum(length x compliance)
    float KCTAN;               // catenary (geometric) stiffness of the line
    float KSTAT;               // quasi-static stiffness: elastic and catenary parts in series
    float KRAT;                // catenary-to-elastic stiffness ratio handed to CATSTR
    double JACOBY;             // DXFDP DZFDT - DXFDT DZFDP, 1e-20 when that is exactly 0
    std::complex<float> CAFLD; // motion amplitude of the fairlead along the line
    std::complex<float> CABOT; // motion amplitude of the anchor end along the line
    std::complex<float> ZERO, ONE, IMAG; // the constants 0, 1 and i
    double ZIP;                          // spare

    // Per node n and line i: horizontal and vertical node motion per unit fairlead height
    // (at constant H) and per unit horizontal tension (at constant fairlead height).
    float DXSDZF_words[catcom_nodes * catcom_lines];
    float DZSDZF_words[catcom_nodes * catcom_lines];
    float DXSDH_words[catcom_nodes * catcom_lines];
    float DZSDH_words[catcom_nodes * catcom_lines];
    // Per line: derivatives of the fairlead (F) and bottom (B) tension with respect to the end
    // motion along the line (A), horizontal (X) and vertical (Z), and of the fairlead vertical
    // tension with respect to Z and H.
    float DTFDZF_words[catcom_lines];
    float DTBDZB_words[catcom_lines];
    float DTFDAF_words[catcom_lines];
    float DTBDAB_words[catcom_lines];
    float DTFDXF_words[catcom_lines];
    float DTBDXB_words[catcom_lines];
    float DTZFDZ_words[catcom_lines];
    float DTZFDH_words[catcom_lines];
    float TANARR_words[catcom_nodes * catcom_lines]; // node tangents of each line
    float CATAVB_words[catcom_spare];                // spare
    std::int32_t CATEND;                             // end marker

    float& DXSDZF(int n, int i) { return DXSDZF_words[node_line(n, i)]; }
    const float& DXSDZF(int n, int i) const { return DXSDZF_words[node_line(n, i)]; }
    float& DZSDZF(int n, int i) { return DZSDZF_words[node_line(n, i)]; }
    const float& DZSDZF(int n, int i) const { return DZSDZF_words[node_line(n, i)]; }
    float& DXSDH(int n, int i) { return DXSDH_words[node_line(n, i)]; }
    const float& DXSDH(int n, int i) const { return DXSDH_words[node_line(n, i)]; }
    float& DZSDH(int n, int i) { return DZSDH_words[node_line(n, i)]; }
    const float& DZSDH(int n, int i) const { return DZSDH_words[node_line(n, i)]; }
    float& TANARR(int n, int i) { return TANARR_words[node_line(n, i)]; }
    const float& TANARR(int n, int i) const { return TANARR_words[node_line(n, i)]; }

    float& DTFDZF(int i) { return DTFDZF_words[col_major(i, catcom_lines)]; }
    const float& DTFDZF(int i) const { return DTFDZF_words[col_major(i, catcom_lines)]; }
    float& DTBDZB(int i) { return DTBDZB_words[col_major(i, catcom_lines)]; }
    const float& DTBDZB(int i) const { return DTBDZB_words[col_major(i, catcom_lines)]; }
    float& DTFDAF(int i) { return DTFDAF_words[col_major(i, catcom_lines)]; }
    const float& DTFDAF(int i) const { return DTFDAF_words[col_major(i, catcom_lines)]; }
    float& DTBDAB(int i) { return DTBDAB_words[col_major(i, catcom_lines)]; }
    const float& DTBDAB(int i) const { return DTBDAB_words[col_major(i, catcom_lines)]; }
    float& DTFDXF(int i) { return DTFDXF_words[col_major(i, catcom_lines)]; }
    const float& DTFDXF(int i) const { return DTFDXF_words[col_major(i, catcom_lines)]; }
    float& DTBDXB(int i) { return DTBDXB_words[col_major(i, catcom_lines)]; }
    const float& DTBDXB(int i) const { return DTBDXB_words[col_major(i, catcom_lines)]; }
    float& DTZFDZ(int i) { return DTZFDZ_words[col_major(i, catcom_lines)]; }
    const float& DTZFDZ(int i) const { return DTZFDZ_words[col_major(i, catcom_lines)]; }
    float& DTZFDH(int i) { return DTZFDH_words[col_major(i, catcom_lines)]; }
    const float& DTZFDH(int i) const { return DTZFDH_words[col_major(i, catcom_lines)]; }
    float& CATAVB(int k) { return CATAVB_words[col_major(k, catcom_spare)]; }
    const float& CATAVB(int k) const { return CATAVB_words[col_major(k, catcom_spare)]; }

private:
    static std::size_t node_line(int n, int i) {
        return col_major(n, catcom_nodes, i, catcom_lines);
    }
};

// Word positions (counting from 1) of the members, as the block is laid out.
constexpr std::size_t catcom_offset(int n) {
    return 4 * slot(n);
}
static_assert(std::is_standard_layout_v<CatcomBlock>);
static_assert(sizeof(std::complex<float>) == 8);
static_assert(offsetof(CatcomBlock, DXDP1) == catcom_offset(9));
static_assert(offsetof(CatcomBlock, DXFDP) == catcom_offset(17));
static_assert(offsetof(CatcomBlock, KELAS) == catcom_offset(25));
static_assert(offsetof(CatcomBlock, KRAT) == catcom_offset(28));
static_assert(offsetof(CatcomBlock, JACOBY) == catcom_offset(29));
static_assert(offsetof(CatcomBlock, CAFLD) == catcom_offset(31));
static_assert(offsetof(CatcomBlock, ZERO) == catcom_offset(35));
static_assert(offsetof(CatcomBlock, IMAG) == catcom_offset(39));
static_assert(offsetof(CatcomBlock, ZIP) == catcom_offset(41));
static_assert(offsetof(CatcomBlock, DXSDZF_words) == catcom_offset(43));
static_assert(offsetof(CatcomBlock, DZSDZF_words) == catcom_offset(3943));
static_assert(offsetof(CatcomBlock, DXSDH_words) == catcom_offset(7843));
static_assert(offsetof(CatcomBlock, DZSDH_words) == catcom_offset(11743));
static_assert(offsetof(CatcomBlock, DTFDZF_words) == catcom_offset(15643));
static_assert(offsetof(CatcomBlock, DTFDAF_words) == catcom_offset(15943));
static_assert(offsetof(CatcomBlock, DTZFDH_words) == catcom_offset(16693));
static_assert(offsetof(CatcomBlock, TANARR_words) == catcom_offset(16843));
static_assert(offsetof(CatcomBlock, CATAVB_words) == catcom_offset(20743));
static_assert(offsetof(CatcomBlock, CATEND) == catcom_offset(catcom_word_count));

// The global instance. It starts as after reset_program_state(): all zeros but the constants
// ONE = 1 and IMAG = i, which the line-table stage sets again on every run.
extern CatcomBlock CATCOM;

} // namespace lintar
