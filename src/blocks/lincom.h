// blocks/lincom.h: LINCOM, the line tables, the per-type and per-line line data, and the state
// of the line being solved that every line routine shares.
//
// The block is no file image: it is filled by the table stage in every run. Arrays are flat in
// Fortran order (first index fastest) and reached through 1-based accessors checked in debug
// builds; the `_from` accessors give the rest of a table from one entry on, which is how the
// table readers receive a column (and the next layer row 90 entries further on).
#pragma once

#include "blocks/block_support.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

namespace lintar {

inline constexpr int lincom_points = 90;       // horizontal-load points of a table column
inline constexpr int lincom_layers = 29;       // layer rows (fairlead heights)
inline constexpr int lincom_types = 150;       // line types
inline constexpr int lincom_extreme_cases = 4; // low-frequency cases: three sigma levels, mean
inline constexpr int lincom_lines = 150;       // lines
inline constexpr int lincom_elements = 25;     // elements (sublines) of a line type
inline constexpr int lincom_nodes = 26;        // nodes of a line: elements + 1
inline constexpr int lincom_curve_points = 30; // points of a stress-strain curve

inline constexpr std::size_t lincom_table_size =
    std::size_t{lincom_points} * lincom_layers * lincom_types;
inline constexpr std::size_t lincom_curve_size =
    std::size_t{lincom_curve_points} * lincom_elements * lincom_types;

struct LincomBlock {
    // ---- Table part: point k, layer row L, line type t ------------------------------------
    float HLOD_words[lincom_points]; // horizontal load of point k; HLOD(1) = 0
    float& HLOD(int k) { return HLOD_words[col_major(k, lincom_points)]; }
    const float& HLOD(int k) const { return HLOD_words[col_major(k, lincom_points)]; }

    float ANCDST_words[lincom_table_size]; // horizontal fairlead-anchor distance
    float& ANCDST(int k, int L, int t) {
        return ANCDST_words[col_major(k, lincom_points, L, lincom_layers, t, lincom_types)];
    }
    const float& ANCDST(int k, int L, int t) const {
        return ANCDST_words[col_major(k, lincom_points, L, lincom_layers, t, lincom_types)];
    }
    std::span<float> ANCDST_from(int k, int L, int t) {
        return std::span<float>(ANCDST_words)
            .subspan(col_major(k, lincom_points, L, lincom_layers, t, lincom_types));
    }
    std::span<const float> ANCDST_from(int k, int L, int t) const {
        return std::span<const float>(ANCDST_words)
            .subspan(col_major(k, lincom_points, L, lincom_layers, t, lincom_types));
    }
    float TOPTEN_words[lincom_table_size]; // total tension at the fairlead
    float& TOPTEN(int k, int L, int t) {
        return TOPTEN_words[col_major(k, lincom_points, L, lincom_layers, t, lincom_types)];
    }
    const float& TOPTEN(int k, int L, int t) const {
        return TOPTEN_words[col_major(k, lincom_points, L, lincom_layers, t, lincom_types)];
    }
    std::span<float> TOPTEN_from(int k, int L, int t) {
        return std::span<float>(TOPTEN_words)
            .subspan(col_major(k, lincom_points, L, lincom_layers, t, lincom_types));
    }
    std::span<const float> TOPTEN_from(int k, int L, int t) const {
        return std::span<const float>(TOPTEN_words)
            .subspan(col_major(k, lincom_points, L, lincom_layers, t, lincom_types));
    }
    float
        TOPANG_words[lincom_table_size]; // line angle at the fairlead, radians above the horizontal
    float& TOPANG(int k, int L, int t) {
        return TOPANG_words[col_major(k, lincom_points, L, lincom_layers, t, lincom_types)];
    }
    const float& TOPANG(int k, int L, int t) const {
        return TOPANG_words[col_major(k, lincom_points, L, lincom_layers, t, lincom_types)];
    }
    std::span<float> TOPANG_from(int k, int L, int t) {
        return std::span<float>(TOPANG_words)
            .subspan(col_major(k, lincom_points, L, lincom_layers, t, lincom_types));
    }
    std::span<const float> TOPANG_from(int k, int L, int t) const {
        return std::span<const float>(TOPANG_words)
            .subspan(col_major(k, lincom_points, L, lincom_layers, t, lincom_types));
    }
    float BOTANG_words[lincom_table_size]; // line angle at the anchor end, same sense
    float& BOTANG(int k, int L, int t) {
        return BOTANG_words[col_major(k, lincom_points, L, lincom_layers, t, lincom_types)];
    }
    const float& BOTANG(int k, int L, int t) const {
        return BOTANG_words[col_major(k, lincom_points, L, lincom_layers, t, lincom_types)];
    }
    std::span<float> BOTANG_from(int k, int L, int t) {
        return std::span<float>(BOTANG_words)
            .subspan(col_major(k, lincom_points, L, lincom_layers, t, lincom_types));
    }
    std::span<const float> BOTANG_from(int k, int L, int t) const {
        return std::span<const float>(BOTANG_words)
            .subspan(col_major(k, lincom_points, L, lincom_layers, t, lincom_types));
    }
    float BOTLEN_words[lincom_table_size]; // stretched length lying on the seabed
    float& BOTLEN(int k, int L, int t) {
        return BOTLEN_words[col_major(k, lincom_points, L, lincom_layers, t, lincom_types)];
    }
    const float& BOTLEN(int k, int L, int t) const {
        return BOTLEN_words[col_major(k, lincom_points, L, lincom_layers, t, lincom_types)];
    }
    std::span<float> BOTLEN_from(int k, int L, int t) {
        return std::span<float>(BOTLEN_words)
            .subspan(col_major(k, lincom_points, L, lincom_layers, t, lincom_types));
    }
    std::span<const float> BOTLEN_from(int k, int L, int t) const {
        return std::span<const float>(BOTLEN_words)
            .subspan(col_major(k, lincom_points, L, lincom_layers, t, lincom_types));
    }
    float FFRICT_words[lincom_table_size]; // seabed friction: BTFRC0 x grounded weight
    float& FFRICT(int k, int L, int t) {
        return FFRICT_words[col_major(k, lincom_points, L, lincom_layers, t, lincom_types)];
    }
    const float& FFRICT(int k, int L, int t) const {
        return FFRICT_words[col_major(k, lincom_points, L, lincom_layers, t, lincom_types)];
    }
    std::span<float> FFRICT_from(int k, int L, int t) {
        return std::span<float>(FFRICT_words)
            .subspan(col_major(k, lincom_points, L, lincom_layers, t, lincom_types));
    }
    std::span<const float> FFRICT_from(int k, int L, int t) const {
        return std::span<const float>(FFRICT_words)
            .subspan(col_major(k, lincom_points, L, lincom_layers, t, lincom_types));
    }
    float TT_SPLINE_DERIV_words[lincom_table_size]; // second derivative of TOPTEN across the layer
                                                    // rows
    float& TT_SPLINE_DERIV(int k, int L, int t) {
        return TT_SPLINE_DERIV_words[col_major(k, lincom_points, L, lincom_layers, t,
                                               lincom_types)];
    }
    const float& TT_SPLINE_DERIV(int k, int L, int t) const {
        return TT_SPLINE_DERIV_words[col_major(k, lincom_points, L, lincom_layers, t,
                                               lincom_types)];
    }
    std::span<float> TT_SPLINE_DERIV_from(int k, int L, int t) {
        return std::span<float>(TT_SPLINE_DERIV_words)
            .subspan(col_major(k, lincom_points, L, lincom_layers, t, lincom_types));
    }
    std::span<const float> TT_SPLINE_DERIV_from(int k, int L, int t) const {
        return std::span<const float>(TT_SPLINE_DERIV_words)
            .subspan(col_major(k, lincom_points, L, lincom_layers, t, lincom_types));
    }

    // Node slopes of the last type computed at (k, L): node J = 1..NELEM+1, node 1 the fairlead.
    float TANPHI_words[std::size_t{lincom_points} * lincom_layers * lincom_nodes];
    float& TANPHI(int k, int L, int J) {
        return TANPHI_words[col_major(k, lincom_points, L, lincom_layers, J, lincom_nodes)];
    }
    const float& TANPHI(int k, int L, int J) const {
        return TANPHI_words[col_major(k, lincom_points, L, lincom_layers, J, lincom_nodes)];
    }
    // Zero-load flag of the vertical-line solution: +1 or -1 when the line hangs taut, else 0.
    std::int32_t VRTFLG_words[lincom_layers * lincom_types];
    std::int32_t& VRTFLG(int L, int t) {
        return VRTFLG_words[col_major(L, lincom_layers, t, lincom_types)];
    }
    const std::int32_t& VRTFLG(int L, int t) const {
        return VRTFLG_words[col_major(L, lincom_layers, t, lincom_types)];
    }
    float ZDIST_ARR_words[lincom_layers]; // layer coordinate of row L: L itself
    float& ZDIST_ARR(int L) { return ZDIST_ARR_words[col_major(L, lincom_layers)]; }
    const float& ZDIST_ARR(int L) const { return ZDIST_ARR_words[col_major(L, lincom_layers)]; }
    std::int32_t MIDLYR; // layer row of the fairlead height as entered
    float DLAYER;        // height step between layer rows
    std::int32_t ILAYER; // layer row being built
    std::int32_t ITYP;   // line type being built or solved

    // ---- Per line type ---------------------------------------------------------------------
    float TOTWT_words[lincom_types]; // total submerged weight
    float& TOTWT(int t) { return TOTWT_words[col_major(t, lincom_types)]; }
    const float& TOTWT(int t) const { return TOTWT_words[col_major(t, lincom_types)]; }
    float TOTLN_words[lincom_types]; // total unstretched length
    float& TOTLN(int t) { return TOTLN_words[col_major(t, lincom_types)]; }
    const float& TOTLN(int t) const { return TOTLN_words[col_major(t, lincom_types)]; }
    float VIRT_LINMAS_words[lincom_types]; // mean virtual mass per unit length
    float& VIRT_LINMAS(int t) { return VIRT_LINMAS_words[col_major(t, lincom_types)]; }
    const float& VIRT_LINMAS(int t) const { return VIRT_LINMAS_words[col_major(t, lincom_types)]; }
    float LINE_MODEMAS_words[lincom_types]; // first-mode modal mass
    float& LINE_MODEMAS(int t) { return LINE_MODEMAS_words[col_major(t, lincom_types)]; }
    const float& LINE_MODEMAS(int t) const {
        return LINE_MODEMAS_words[col_major(t, lincom_types)];
    }

    // ---- Per line --------------------------------------------------------------------------
    // Line type in the low 10 bits; an excluded line has a multiple of 1024 added.
    std::int32_t LINEID_words[lincom_lines];
    std::int32_t& LINEID(int i) { return LINEID_words[col_major(i, lincom_lines)]; }
    const std::int32_t& LINEID(int i) const { return LINEID_words[col_major(i, lincom_lines)]; }
    std::int32_t INRT_EXCL_words[lincom_lines]; // 1 = excluded from the inertial correction
    std::int32_t& INRT_EXCL(int i) { return INRT_EXCL_words[col_major(i, lincom_lines)]; }
    const std::int32_t& INRT_EXCL(int i) const {
        return INRT_EXCL_words[col_major(i, lincom_lines)];
    }
    float RANC_words[lincom_lines]; // mean horizontal fairlead-anchor distance
    float& RANC(int i) { return RANC_words[col_major(i, lincom_lines)]; }
    const float& RANC(int i) const { return RANC_words[col_major(i, lincom_lines)]; }
    float RANCP_words[lincom_lines]; // displaced fairlead-anchor distance
    float& RANCP(int i) { return RANCP_words[col_major(i, lincom_lines)]; }
    const float& RANCP(int i) const { return RANCP_words[col_major(i, lincom_lines)]; }
    float ZANCP_words[lincom_lines]; // vertical displacement of the fairlead
    float& ZANCP(int i) { return ZANCP_words[col_major(i, lincom_lines)]; }
    const float& ZANCP(int i) const { return ZANCP_words[col_major(i, lincom_lines)]; }
    float ANGDPP_words[lincom_lines]; // displaced plan angle, degrees
    float& ANGDPP(int i) { return ANGDPP_words[col_major(i, lincom_lines)]; }
    const float& ANGDPP(int i) const { return ANGDPP_words[col_major(i, lincom_lines)]; }
    float RANCK_words[lincom_lines]; // fairlead-anchor distance kept for the line analyses
    float& RANCK(int i) { return RANCK_words[col_major(i, lincom_lines)]; }
    const float& RANCK(int i) const { return RANCK_words[col_major(i, lincom_lines)]; }
    float ZANCK_words[lincom_lines]; // vertical fairlead displacement kept with RANCK
    float& ZANCK(int i) { return ZANCK_words[col_major(i, lincom_lines)]; }
    const float& ZANCK(int i) const { return ZANCK_words[col_major(i, lincom_lines)]; }

    // ---- Low-frequency extremes (line i, case c = 1..3 sigma level or 4 mean, side s) ------
    // Extreme fairlead-anchor distance, and the vertical anchor position of the snapshot.
    float REXTRM_words[lincom_lines * lincom_extreme_cases * 2];
    float& REXTRM(int i, int c, int s) {
        return REXTRM_words[col_major(i, lincom_lines, c, lincom_extreme_cases, s, 2)];
    }
    const float& REXTRM(int i, int c, int s) const {
        return REXTRM_words[col_major(i, lincom_lines, c, lincom_extreme_cases, s, 2)];
    }
    float ZEXTRM_words[lincom_lines * lincom_extreme_cases * 2];
    float& ZEXTRM(int i, int c, int s) {
        return ZEXTRM_words[col_major(i, lincom_lines, c, lincom_extreme_cases, s, 2)];
    }
    const float& ZEXTRM(int i, int c, int s) const {
        return ZEXTRM_words[col_major(i, lincom_lines, c, lincom_extreme_cases, s, 2)];
    }
    // Anchor distance, plan angle (degrees) and vertical anchor position of line i at the four
    // corners of the offset region of sigma level L = 1..3.
    float RXMAXQ_words[lincom_lines * 3];
    float& RXMAXQ(int i, int L) { return RXMAXQ_words[col_major(i, lincom_lines, L, 3)]; }
    const float& RXMAXQ(int i, int L) const {
        return RXMAXQ_words[col_major(i, lincom_lines, L, 3)];
    }
    float AXMAXQ_words[lincom_lines * 3];
    float& AXMAXQ(int i, int L) { return AXMAXQ_words[col_major(i, lincom_lines, L, 3)]; }
    const float& AXMAXQ(int i, int L) const {
        return AXMAXQ_words[col_major(i, lincom_lines, L, 3)];
    }
    float ZXMAXQ_words[lincom_lines * 3];
    float& ZXMAXQ(int i, int L) { return ZXMAXQ_words[col_major(i, lincom_lines, L, 3)]; }
    const float& ZXMAXQ(int i, int L) const {
        return ZXMAXQ_words[col_major(i, lincom_lines, L, 3)];
    }
    float RXMINQ_words[lincom_lines * 3];
    float& RXMINQ(int i, int L) { return RXMINQ_words[col_major(i, lincom_lines, L, 3)]; }
    const float& RXMINQ(int i, int L) const {
        return RXMINQ_words[col_major(i, lincom_lines, L, 3)];
    }
    float AXMINQ_words[lincom_lines * 3];
    float& AXMINQ(int i, int L) { return AXMINQ_words[col_major(i, lincom_lines, L, 3)]; }
    const float& AXMINQ(int i, int L) const {
        return AXMINQ_words[col_major(i, lincom_lines, L, 3)];
    }
    float ZXMINQ_words[lincom_lines * 3];
    float& ZXMINQ(int i, int L) { return ZXMINQ_words[col_major(i, lincom_lines, L, 3)]; }
    const float& ZXMINQ(int i, int L) const {
        return ZXMINQ_words[col_major(i, lincom_lines, L, 3)];
    }
    float RYMAXQ_words[lincom_lines * 3];
    float& RYMAXQ(int i, int L) { return RYMAXQ_words[col_major(i, lincom_lines, L, 3)]; }
    const float& RYMAXQ(int i, int L) const {
        return RYMAXQ_words[col_major(i, lincom_lines, L, 3)];
    }
    float AYMAXQ_words[lincom_lines * 3];
    float& AYMAXQ(int i, int L) { return AYMAXQ_words[col_major(i, lincom_lines, L, 3)]; }
    const float& AYMAXQ(int i, int L) const {
        return AYMAXQ_words[col_major(i, lincom_lines, L, 3)];
    }
    float ZYMAXQ_words[lincom_lines * 3];
    float& ZYMAXQ(int i, int L) { return ZYMAXQ_words[col_major(i, lincom_lines, L, 3)]; }
    const float& ZYMAXQ(int i, int L) const {
        return ZYMAXQ_words[col_major(i, lincom_lines, L, 3)];
    }
    float RYMINQ_words[lincom_lines * 3];
    float& RYMINQ(int i, int L) { return RYMINQ_words[col_major(i, lincom_lines, L, 3)]; }
    const float& RYMINQ(int i, int L) const {
        return RYMINQ_words[col_major(i, lincom_lines, L, 3)];
    }
    float AYMINQ_words[lincom_lines * 3];
    float& AYMINQ(int i, int L) { return AYMINQ_words[col_major(i, lincom_lines, L, 3)]; }
    const float& AYMINQ(int i, int L) const {
        return AYMINQ_words[col_major(i, lincom_lines, L, 3)];
    }
    float ZYMINQ_words[lincom_lines * 3];
    float& ZYMINQ(int i, int L) { return ZYMINQ_words[col_major(i, lincom_lines, L, 3)]; }
    const float& ZYMINQ(int i, int L) const {
        return ZYMINQ_words[col_major(i, lincom_lines, L, 3)];
    }
    // The same at the maximum (MX) and the minimum (MN) turnaround snapshot of the last level.
    float RSNPMX_words[lincom_lines];
    float& RSNPMX(int i) { return RSNPMX_words[col_major(i, lincom_lines)]; }
    const float& RSNPMX(int i) const { return RSNPMX_words[col_major(i, lincom_lines)]; }
    float ASNPMX_words[lincom_lines];
    float& ASNPMX(int i) { return ASNPMX_words[col_major(i, lincom_lines)]; }
    const float& ASNPMX(int i) const { return ASNPMX_words[col_major(i, lincom_lines)]; }
    float ZSNPMX_words[lincom_lines];
    float& ZSNPMX(int i) { return ZSNPMX_words[col_major(i, lincom_lines)]; }
    const float& ZSNPMX(int i) const { return ZSNPMX_words[col_major(i, lincom_lines)]; }
    float RSNPMN_words[lincom_lines];
    float& RSNPMN(int i) { return RSNPMN_words[col_major(i, lincom_lines)]; }
    const float& RSNPMN(int i) const { return RSNPMN_words[col_major(i, lincom_lines)]; }
    float ASNPMN_words[lincom_lines];
    float& ASNPMN(int i) { return ASNPMN_words[col_major(i, lincom_lines)]; }
    const float& ASNPMN(int i) const { return ASNPMN_words[col_major(i, lincom_lines)]; }
    float ZSNPMN_words[lincom_lines];
    float& ZSNPMN(int i) { return ZSNPMN_words[col_major(i, lincom_lines)]; }
    const float& ZSNPMN(int i) const { return ZSNPMN_words[col_major(i, lincom_lines)]; }
    std::int32_t MAXEXP; // storm level: the line with the steepest tension rise, plus side
    std::int32_t MINEXP; // the same on the minus side

    // ---- Mean state of the last line evaluated ---------------------------------------------
    float HMEAN;         // mean horizontal load
    double DPHLD;        // horizontal tension H of the line being solved
    double TPTEN0;       // top tension
    double BTTEN0;       // bottom tension
    double BOTLNM;       // grounded length
    float QF;            // slope at the fairlead
    float QB;            // slope at the anchor end
    float FXCOMP;        // cosine of the top angle
    float FZCOMP;        // sine of the top angle
    float BXCOMP;        // cosine of the bottom angle
    float BZCOMP;        // sine of the bottom angle
    float BOTOMZ;        // anchor-end tension at zero horizontal load
    float DELTAZ;        // height of the fairlead above the anchor
    float WTRLEV;        // fairlead height above the water surface
    float TOTWGT;        // weight of the current type
    float TOTLEN;        // length of the current type
    std::int32_t ITABLE; // current table point
    float ENDSEP;        // mean endpoint separation of a tow line (program code 10)

    // ---- The line being solved (element i = 1..NELEM, node J = 1..NELEM+1) ----------------
    double SCLWT_words[lincom_elements]; // scaled weight w/H; negative when buoyant
    double& SCLWT(int i) { return SCLWT_words[col_major(i, lincom_elements)]; }
    const double& SCLWT(int i) const { return SCLWT_words[col_major(i, lincom_elements)]; }
    double BETA_words[3 * lincom_elements]; // scaled compliance alpha_k H^k
    double& BETA(int k, int i) { return BETA_words[col_major(k, 3, i, lincom_elements)]; }
    const double& BETA(int k, int i) const {
        return BETA_words[col_major(k, 3, i, lincom_elements)];
    }
    double SCLWTP_words[lincom_elements]; // the same at the perturbed tension DPHLD2
    double& SCLWTP(int i) { return SCLWTP_words[col_major(i, lincom_elements)]; }
    const double& SCLWTP(int i) const { return SCLWTP_words[col_major(i, lincom_elements)]; }
    double BETAP_words[3 * lincom_elements];
    double& BETAP(int k, int i) { return BETAP_words[col_major(k, 3, i, lincom_elements)]; }
    const double& BETAP(int k, int i) const {
        return BETAP_words[col_major(k, 3, i, lincom_elements)];
    }
    double DPHLD2;                     // perturbed horizontal tension
    double DHFRAC;                     // relative size of the tension perturbation
    double TMPTAN_words[lincom_nodes]; // node tangents, positive rising to the fairlead
    double& TMPTAN(int J) { return TMPTAN_words[col_major(J, lincom_nodes)]; }
    const double& TMPTAN(int J) const { return TMPTAN_words[col_major(J, lincom_nodes)]; }
    double SECARR_words[lincom_nodes]; // node secants sqrt(1 + TMPTAN^2)
    double& SECARR(int J) { return SECARR_words[col_major(J, lincom_nodes)]; }
    const double& SECARR(int J) const { return SECARR_words[col_major(J, lincom_nodes)]; }
    double DSLOPE;                      // tangent of the seabed slope along the line
    double BOTLN;                       // stretched length lying on the seabed
    std::int32_t BOTELM;                // touchdown element, 0 = none
    std::int32_t KELEM;                 // first buoyant element
    float WAVEK_words[lincom_elements]; // axial wave number of each element
    float& WAVEK(int i) { return WAVEK_words[col_major(i, lincom_elements)]; }
    const float& WAVEK(int i) const { return WAVEK_words[col_major(i, lincom_elements)]; }

    // ---- Stress-strain curves: point j, element e, line type t ----------------------------
    std::int32_t NEED_STRAIN_FILE; // logical: some type takes a curve
    std::int32_t NSTRS_STRN_words[lincom_elements * lincom_types];
    std::int32_t& NSTRS_STRN(int e, int t) {
        return NSTRS_STRN_words[col_major(e, lincom_elements, t, lincom_types)];
    }
    const std::int32_t& NSTRS_STRN(int e, int t) const {
        return NSTRS_STRN_words[col_major(e, lincom_elements, t, lincom_types)];
    }
    float TENS_ARR_words[lincom_curve_size]; // tension of point j
    float& TENS_ARR(int j, int e, int t) {
        return TENS_ARR_words[col_major(j, lincom_curve_points, e, lincom_elements, t,
                                        lincom_types)];
    }
    const float& TENS_ARR(int j, int e, int t) const {
        return TENS_ARR_words[col_major(j, lincom_curve_points, e, lincom_elements, t,
                                        lincom_types)];
    }
    float E_ARR_words[lincom_curve_size]; // strain at that tension
    float& E_ARR(int j, int e, int t) {
        return E_ARR_words[col_major(j, lincom_curve_points, e, lincom_elements, t, lincom_types)];
    }
    const float& E_ARR(int j, int e, int t) const {
        return E_ARR_words[col_major(j, lincom_curve_points, e, lincom_elements, t, lincom_types)];
    }
    float SPLINE_2DERIV_words[lincom_curve_size]; // second derivative of the strain spline
    float& SPLINE_2DERIV(int j, int e, int t) {
        return SPLINE_2DERIV_words[col_major(j, lincom_curve_points, e, lincom_elements, t,
                                             lincom_types)];
    }
    const float& SPLINE_2DERIV(int j, int e, int t) const {
        return SPLINE_2DERIV_words[col_major(j, lincom_curve_points, e, lincom_elements, t,
                                             lincom_types)];
    }

    // ---- Current drag on the lines (LINDRG) ------------------------------------------------
    float FCURNT_LNS;                 // total current load of the lines on the vessel
    float CURF_ANG_LINS;              // its direction, radians
    float TCURNT_LNS;                 // its yaw moment: 0
    float XYCRMG;                     // sum of line load x lever arm from its fairlead up to VKG
    float XYCRMB;                     // the same up to the moment centre RMCTR(3)
    float FCLTOT_words[lincom_lines]; // current load of line i on the vessel
    float& FCLTOT(int i) { return FCLTOT_words[col_major(i, lincom_lines)]; }
    const float& FCLTOT(int i) const { return FCLTOT_words[col_major(i, lincom_lines)]; }
    float FCLPAR_words[lincom_lines]; // its part along the line's azimuth (magnitude)
    float& FCLPAR(int i) { return FCLPAR_words[col_major(i, lincom_lines)]; }
    const float& FCLPAR(int i) const { return FCLPAR_words[col_major(i, lincom_lines)]; }
    float FCLPRP_words[lincom_lines]; // its part across the azimuth (magnitude)
    float& FCLPRP(int i) { return FCLPRP_words[col_major(i, lincom_lines)]; }
    const float& FCLPRP(int i) const { return FCLPRP_words[col_major(i, lincom_lines)]; }
    float DZ_CRNT_FLEX_words[lincom_types]; // current-flexibility terms of line type t
    float& DZ_CRNT_FLEX(int t) { return DZ_CRNT_FLEX_words[col_major(t, lincom_types)]; }
    const float& DZ_CRNT_FLEX(int t) const {
        return DZ_CRNT_FLEX_words[col_major(t, lincom_types)];
    }
    float DTZ_CRNT_FLEX_words[lincom_types];
    float& DTZ_CRNT_FLEX(int t) { return DTZ_CRNT_FLEX_words[col_major(t, lincom_types)]; }
    const float& DTZ_CRNT_FLEX(int t) const {
        return DTZ_CRNT_FLEX_words[col_major(t, lincom_types)];
    }

    // ---- Mean shape of the line dynamics (LINDRV) ------------------------------------------
    double TPTEN_CSTH; // top tension with the fairlead raised at constant horizontal load
    double BTTEN_CSTH; // bottom tension with the fairlead raised at constant horizontal load
    double TPTEN_CSTZ; // top tension at the raised load DPHLD2 over the mean span
    double BTTEN_CSTZ; // bottom tension at the raised load DPHLD2 over the mean span
    double AVTAN_words[lincom_nodes]; // node tangents of the mean shape
    double& AVTAN(int k) { return AVTAN_words[col_major(k, lincom_nodes)]; }
    const double& AVTAN(int k) const { return AVTAN_words[col_major(k, lincom_nodes)]; }
    double AVSEC_words[lincom_nodes]; // node secants of the mean shape
    double& AVSEC(int k) { return AVSEC_words[col_major(k, lincom_nodes)]; }
    const double& AVSEC(int k) const { return AVSEC_words[col_major(k, lincom_nodes)]; }
    // Per line: derivative of the fairlead angle for fairlead motion along the line.
    double DPHIF_DAF_words[lincom_lines];
    double& DPHIF_DAF(int i) { return DPHIF_DAF_words[col_major(i, lincom_lines)]; }
    const double& DPHIF_DAF(int i) const { return DPHIF_DAF_words[col_major(i, lincom_lines)]; }

    // ---- The disc buoy's surge energy curve (DSKCHR; read by DSKRAO) -----------------------
    static constexpr int energy_points = 90;
    float WVOFST_words[energy_points]; // surge offsets of the curve; WVOFST(1) holds its step
    float& WVOFST(int k) { return WVOFST_words[col_major(k, energy_points)]; }
    const float& WVOFST(int k) const { return WVOFST_words[col_major(k, energy_points)]; }
    float WFERGF_words[energy_points]; // mooring energy at surge offset (k - 1) WVOFST(1)
    float& WFERGF(int k) { return WFERGF_words[col_major(k, energy_points)]; }
    const float& WFERGF(int k) const { return WFERGF_words[col_major(k, energy_points)]; }
};

static_assert(std::is_standard_layout_v<LincomBlock>);
static_assert(sizeof(LincomBlock::HLOD_words) == 4 * 90);
static_assert(sizeof(LincomBlock::ANCDST_words) == 4 * 90 * 29 * 150);
static_assert(sizeof(LincomBlock::TT_SPLINE_DERIV_words) == 4 * 90 * 29 * 150);
static_assert(sizeof(LincomBlock::TANPHI_words) == 4 * 90 * 29 * 26);
static_assert(sizeof(LincomBlock::VRTFLG_words) == 4 * 29 * 150);
static_assert(sizeof(LincomBlock::SCLWT_words) == 8 * 25);
static_assert(sizeof(LincomBlock::BETA_words) == 8 * 3 * 25);
static_assert(sizeof(LincomBlock::TMPTAN_words) == 8 * 26);
static_assert(sizeof(LincomBlock::SECARR_words) == 8 * 26);
static_assert(sizeof(LincomBlock::NSTRS_STRN_words) == 4 * 25 * 150);
static_assert(sizeof(LincomBlock::TENS_ARR_words) == 4 * 30 * 25 * 150);

// The global instance. It starts zeroed, as the table stage expects (VRTFLG starts at 0);
// reset_program_state() zeroes it again.
extern LincomBlock LINCOM;

} // namespace lintar
