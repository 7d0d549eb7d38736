// line_dynamics/mean_line_shape.cpp: the mean line shapes and their one-sided sensitivities.
#include "line_dynamics/mean_line_shape.h"

#include "blocks/catcom.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/catenary_elements.h"
#include "lines/line_arrays.h"
#include "lines/line_shape.h"
#include "lines/stress_strain.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/prompts.h"
#include "util/table_search.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>

namespace lintar {

namespace {

// Run-long memory of this file: the warning on a line without end derivatives is given once
// per line and run.
struct MeanShapeStore {
    std::array<bool, lincom_lines> rigid_warned{};
};
MeanShapeStore mean_shape_store;
const StateReset reset_mean_shape{[] { mean_shape_store = {}; }};

using ElementArray = std::array<double, max_elements>;
using NodeArray = std::array<double, max_nodes>;

// A trace record: a label followed by values in E12.4 fields.
std::string labelled(std::string_view label, std::initializer_list<double> values) {
    std::string record(label);
    for (const double v : values)
        record += E(v, 12, 4);
    return record;
}

bool vertical_interpolation(std::int32_t SIMTYP) {
    return SIMTYP == 14 || SIMTYP == 17;
}

// Buoy arrangements measure the spans from the buoy, whose draft is BDRAFT.
bool buoy_arrangement(const TpcmBlock& T) {
    return T.SIMTYP == 10 || ((T.SIMTYP == 13 || T.SIMTYP == 8) && T.IARCO == 1);
}

// The horizontal span (X) and rise (Z) from the fairlead down to the end of every element
// k = 1..N of a solved shape, so that the node positions of two shapes can be compared.
struct NodeSpans {
    std::array<double, max_elements + 1> X{};
    std::array<double, max_elements + 1> Z{};
};
NodeSpans node_spans(const double* SCLWT, const double* SECARR, const double* TMPTAN,
                     const double* BETA, int N, std::int32_t ANCTYP, ElementReals SLEN,
                     double DSLOPE) {
    const ElementValues W(SCLWT);
    const NodeValues R(SECARR);
    const NodeValues P(TMPTAN);
    const ElementBetas B(BETA);
    NodeSpans s;
    for (int k = 1; k <= N; ++k) {
        s.X[static_cast<std::size_t>(k)] = XDIST(W, R, P, B, k, N, ANCTYP, SLEN, DSLOPE);
        s.Z[static_cast<std::size_t>(k)] = ZDIST(W, R, B, k, SLEN, P);
    }
    return s;
}

// The change of node k's position between two shapes: node 1 is the fairlead, whose span to
// itself is 0; node k > 1 lies at the end of element k - 1.
double node_change(const std::array<double, max_elements + 1>& perturbed,
                   const std::array<double, max_elements + 1>& mean, int k) {
    const auto at = static_cast<std::size_t>(k - 1);
    return k == 1 ? 0.0 : perturbed[at] - mean[at];
}

// Zeros of every derivative table of line i (N + 1 nodes), for a line without finite ones.
void zero_derivatives(int i, int N) {
    CatcomBlock& K = CATCOM;
    for (int k = 1; k <= N + 1; ++k) {
        K.DXSDZF(k, i) = 0.0f;
        K.DZSDZF(k, i) = 0.0f;
        K.DXSDH(k, i) = 0.0f;
        K.DZSDH(k, i) = 0.0f;
    }
    K.DTZFDZ(i) = 0.0f;
    K.DTZFDH(i) = 0.0f;
    K.DTFDXF(i) = 0.0f;
    K.DTBDXB(i) = 0.0f;
    K.DTFDZF(i) = 0.0f;
    K.DTBDZB(i) = 0.0f;
    K.DTFDAF(i) = 0.0f;
    K.DTBDAB(i) = 0.0f;
    LINCOM.DPHIF_DAF(i) = 0.0;
}

// The warning on line i, once per run.
void warn_rigid_line(int i) {
    bool& warned = mean_shape_store.rigid_warned[static_cast<std::size_t>(i - 1)];
    if (warned)
        return;
    warned = true;
    const int EDUNIT = TPCM.EDUNIT;
    write_record(EDUNIT, " ");
    write_record(EDUNIT, " ++> Warning: the span of line" + I(i, 4) +
                             " does not change with its horizontal load;");
    write_record(EDUNIT, "     its line dynamics are taken as zero.");
}

// The vertical span of the mean shape of line i of type t: buoy arrangements from the buoy
// (the hawser from the buoy's fairlead to the vessel end), the vertical-interpolation programs
// with the line's own offset, the others from the vessel's draft.
float mean_span(const TpcmBlock& T, int t, float ZANCHR) {
    const float zF = T.RFLD(3, T.LINTYP(1, t));
    if (buoy_arrangement(T)) {
        if (t == T.HAWSTP)
            return (zF - T.BDRAFT) - (T.ENDHT - T.DRAFT);
        return T.ANCHGT(t) + zF - T.BDRAFT;
    }
    if (vertical_interpolation(T.SIMTYP))
        return zF - T.DRAFT + T.ANCHGT(t) + ZANCHR;
    return zF - T.DRAFT + T.ANCHGT(t);
}

// One line: the three solves and the tables.
void mean_shape_of_line(int i, int t, float RANCHR, float ZANCHR, std::int32_t NBUG) {
    const TpcmBlock& T = TPCM;
    LincomBlock& C = LINCOM;
    CatcomBlock& K = CATCOM;
    const int EDUNIT = T.EDUNIT;
    const int N = T.NELEM(t);
    LINTAR_ASSERT(N >= 1 && N <= max_elements, "elements of a line type");
    const ElementReals SLEN = slen_column(t);
    const ElementReals WETWT = wetwt_column(t);
    const ElementAlphas ALPHA = alpha_slice(t);
    const auto trace = [&](const std::string& record) {
        if (NBUG == 1)
            write_record(EDUNIT, record);
    };

    // Step 1: the unstretched length.
    C.TOTLEN = 0.0f;
    for (int e = 1; e <= N; ++e)
        C.TOTLEN = C.TOTLEN + SLEN(e);

    // Step 2: the vertical span.
    const float S0 = mean_span(T, t, ZANCHR);
    C.DELTAZ = S0;

    // Step 3: the mean horizontal load from the table row of the line's layer.
    std::int32_t MIN = 1;
    std::int32_t IER = 0;
    std::int32_t LAYER = C.MIDLYR;
    const std::span<const float> HLOD(C.HLOD_words);
    if (vertical_interpolation(T.SIMTYP)) {
        trace("Before SETLYR call; ILINE = " + I(i, 5));
        std::int32_t ILAYER = 0;
        float DELLAY = 0.0f;
        std::int32_t OUTWRN = 0;
        SETLYR(T.NLAYER, C.MIDLYR, C.DLAYER, T.ZSPAN, ZANCHR, ILAYER, DELLAY, OUTWRN);
        const std::span<const float> rows = C.ANCDST_from(1, ILAYER, t);
        BSRCHQ(rows, DELLAY, RANCHR, IER, MIN, T.NUMTAB);
        INTRPR(rows, HLOD, RANCHR, C.HMEAN, MIN, DELLAY);
        LAYER = ILAYER;
    } else {
        const std::span<const float> row = C.ANCDST_from(1, C.MIDLYR, t);
        BSRCH(row, RANCHR, IER, MIN, T.NUMTAB);
        INTERP(row, HLOD, RANCHR, C.HMEAN, MIN);
    }
    C.DPHLD = C.HMEAN;
    C.DPHLD2 = (1.0 + C.DHFRAC) * C.DPHLD;
    trace(labelled("DPHLD,DPHLD2,DHFRAC", {C.DPHLD, C.DPHLD2, C.DHFRAC}));
    trace("MIN = " + I(MIN, 5));

    // Without horizontal load the line hangs straight down: its span cannot change with the
    // load, and the shape solves would divide by the load. No derivatives, no solve.
    if (!(C.HMEAN > 0.0f)) {
        zero_derivatives(i, N);
        for (int k = 1; k <= N + 1; ++k)
            K.TANARR(k, i) = 0.0f;
        warn_rigid_line(i);
        return;
    }

    // Steps 4 and 5: the strain curves, the weights and compliances at the mean load.
    if (C.NEED_STRAIN_FILE != 0 && T.STRESS_STRAIN_FILE(t) != 0)
        LOAD_ALPHAS(C.DPHLD, LAYER);
    SCLWLD(C.SCLWT_words, WETWT, C.DPHLD, N);
    BETALD(ALPHA, C.BETA_words, C.DPHLD, N);

    // Step 6: the bracket rows.
    const std::int32_t L1 = LAYER;
    const std::int32_t L2 = vertical_interpolation(T.SIMTYP) && L1 < T.NLAYER ? L1 + 1 : L1;
    float TOPT1 = 0.0f;
    float TOPT2 = 0.0f;

    // Step 7: the mean shape.
    const double H = C.DPHLD;
    top_slope_bracket(MIN, L1, L2, t, TOPT1, TOPT2);
    trace("ITERATION LOOP FOLLOWS:");
    ITER8P(TOPT1, TOPT2);
    ElementArray W0{};
    for (int e = 1; e <= max_elements; ++e)
        W0[static_cast<std::size_t>(e - 1)] = C.SCLWT(e);
    for (int k = 1; k <= N + 1; ++k) {
        K.TANARR(k, i) = static_cast<float>(C.TMPTAN(k));
        C.AVTAN(k) = C.TMPTAN(k);
        C.AVSEC(k) = C.SECARR(k);
    }
    const double DQF0 = C.TMPTAN(1);
    C.QF = static_cast<float>(C.TMPTAN(1));
    C.QB = static_cast<float>(C.TMPTAN(N + 1));
    C.FXCOMP = 1.0f / std::sqrt(1.0f + C.QF * C.QF);
    C.FZCOMP = C.QF / std::sqrt(1.0f + C.QF * C.QF);
    C.BXCOMP = 1.0f / std::sqrt(1.0f + C.QB * C.QB);
    C.BZCOMP = C.QB / std::sqrt(1.0f + C.QB * C.QB);
    C.TPTEN0 = H * C.SECARR(1);
    C.BTTEN0 = H * C.SECARR(N + 1);
    const double TZ0 = -H * C.TMPTAN(1);
    C.BOTLNM = C.BOTLN;
    trace("HMEAN,RANCHR,TPTEN0,BTTEN0,BOTLNM,BXCOMP,BZCOMP,FXCOMP,FZCOMP");
    trace(labelled("", {C.HMEAN, RANCHR, C.TPTEN0, C.BTTEN0, C.BOTLNM, C.BXCOMP, C.BZCOMP, C.FXCOMP,
                        C.FZCOMP}));
    trace("Dynamic line request: ILINE,ILINE,ITYP" + I(i, 5) + I(i, 5) + I(t, 5));
    const NodeSpans mean = node_spans(W0.data(), C.AVSEC_words, C.AVTAN_words, C.BETA_words, N,
                                      T.ANCTYP(t), SLEN, C.DSLOPE);

    // Step 8: the fairlead raised at the same horizontal load.
    const double Dz = static_cast<double>(mean_shape_DZFRAC * C.TOTLEN);
    C.DELTAZ = S0 + mean_shape_DZFRAC * C.TOTLEN;
    top_slope_bracket(MIN, L1, L2, t, TOPT1, TOPT2);
    trace("ITERATION LOOP FOLLOWS:");
    ITER8P(TOPT1, TOPT2);
    C.DELTAZ = S0;
    C.TPTEN_CSTH = H * C.SECARR(1);
    C.BTTEN_CSTH = H * C.SECARR(N + 1);
    const double TZH = -H * C.TMPTAN(1);
    K.DTZFDZ(i) = static_cast<float>((TZH - TZ0) / Dz);
    const double DQF_DZF = (C.TMPTAN(1) - DQF0) / Dz;
    {
        const NodeSpans raised = node_spans(C.SCLWT_words, C.SECARR_words, C.TMPTAN_words,
                                            C.BETA_words, N, T.ANCTYP(t), SLEN, C.DSLOPE);
        const auto n = static_cast<std::size_t>(N);
        const double DXN = raised.X[n] - mean.X[n];
        trace("BEFORE DXSDZF");
        trace("BEFORE DZSDZF");
        for (int k = 1; k <= N + 1; ++k) {
            K.DXSDZF(k, i) = static_cast<float>((DXN - node_change(raised.X, mean.X, k)) / Dz);
            K.DZSDZF(k, i) = static_cast<float>(1.0 - node_change(raised.Z, mean.Z, k) / Dz);
        }
    }

    // Step 9: the load raised over the mean span; DPHLD holds the raised load during the solve
    // and the mean load again after it.
    C.DPHLD2 = (1.0 + C.DHFRAC) * C.DPHLD;
    SCLWLD(C.SCLWT_words, WETWT, C.DPHLD2, N);
    BETALD(ALPHA, C.BETA_words, C.DPHLD2, N);
    top_slope_bracket(MIN, L1, L2, t, TOPT1, TOPT2);
    trace("ITERATION LOOP FOLLOWS:");
    C.DPHLD = C.DPHLD2;
    C.DPHLD2 = H;
    ITER8P(TOPT1, TOPT2);
    C.DPHLD2 = C.DPHLD;
    C.DPHLD = H;
    for (int e = 1; e <= max_elements; ++e)
        C.SCLWTP(e) = C.SCLWT(e);
    const double Dh = C.DHFRAC * H;
    C.TPTEN_CSTZ = C.DPHLD2 * C.SECARR(1);
    C.BTTEN_CSTZ = C.DPHLD2 * C.SECARR(N + 1);
    const double TZZ = -C.DPHLD2 * C.TMPTAN(1);
    K.DTZFDH(i) = static_cast<float>((TZZ - TZ0) / Dh);
    const double DQF_DH = (C.TMPTAN(1) - DQF0) / Dh;
    BETALD(ALPHA, C.BETAP_words, C.DPHLD2, N);
    for (int e = 1; e <= max_elements; ++e)
        C.SCLWT(e) = W0[static_cast<std::size_t>(e - 1)];
    BETALD(ALPHA, C.BETA_words, C.DPHLD, N);
    {
        const NodeSpans loaded = node_spans(C.SCLWTP_words, C.SECARR_words, C.TMPTAN_words,
                                            C.BETAP_words, N, T.ANCTYP(t), SLEN, C.DSLOPE);
        const auto n = static_cast<std::size_t>(N);
        const double DXN = loaded.X[n] - mean.X[n];
        const double DZN = loaded.Z[n] - mean.Z[n];
        trace("BEFORE DXSDH");
        trace("BEFORE DZSDH");
        for (int k = 1; k <= N + 1; ++k) {
            K.DXSDH(k, i) = static_cast<float>((DXN - node_change(loaded.X, mean.X, k)) / Dh);
            K.DZSDH(k, i) = static_cast<float>((DZN - node_change(loaded.Z, mean.Z, k)) / Dh);
        }
    }
    if (NBUG == 1) {
        write_record(EDUNIT, "I,DXSDZF(I,ILINE),DZSDZF(I,ILINE),DXSDH(I,ILINE),DZSDH(IELEM,ILINE)");
        for (int k = 1; k <= N + 1; ++k)
            write_record(EDUNIT, I(k, 5) + labelled("", {K.DXSDZF(k, i), K.DZSDZF(k, i),
                                                         K.DXSDH(k, i), K.DZSDH(k, i)}));
    }

    // Step 10: the end derivatives. The horizontal end derivatives divide by the change of
    // span under the load step; a line whose span does not change has none, and gets zeros
    // rather than infinities.
    const double DEN = static_cast<double>(K.DXSDH(1, i)) * C.DHFRAC * C.HMEAN;
    if (DEN == 0.0 || !std::isfinite(DEN)) {
        zero_derivatives(i, N);
        warn_rigid_line(i);
        return;
    }
    const double DTFDXQ = (C.TPTEN_CSTZ - C.TPTEN0) / DEN;
    const double DTBDXQ = (C.BTTEN0 - C.BTTEN_CSTZ) / DEN;
    K.DTFDXF(i) = static_cast<float>(DTFDXQ);
    K.DTBDXB(i) = static_cast<float>(DTBDXQ);
    const double DQF_DXF = DQF_DH / static_cast<double>(K.DXSDH(1, i));
    const double DXSDZF1 = K.DXSDZF(1, i);
    K.DTFDZF(i) = static_cast<float>((C.TPTEN_CSTH - C.TPTEN0) / Dz - DXSDZF1 * DTFDXQ);
    K.DTBDZB(i) = static_cast<float>((C.BTTEN0 - C.BTTEN_CSTH) / Dz - DXSDZF1 * DTBDXQ);
    K.DTFDAF(i) = static_cast<float>(DTFDXQ * C.FXCOMP + static_cast<double>(K.DTFDZF(i)) *
                                                             static_cast<double>(C.FZCOMP));
    K.DTBDAB(i) = static_cast<float>(DTBDXQ * C.BXCOMP + static_cast<double>(K.DTBDZB(i)) *
                                                             static_cast<double>(C.BZCOMP));
    C.DPHIF_DAF(i) = (DQF_DXF * C.FXCOMP + DQF_DZF * C.FZCOMP) / (DQF0 * DQF0 + 1.0);
}

} // namespace

// top_slope_bracket: the tabulated top angles of type t at the two table points, as tangents.
void top_slope_bracket(std::int32_t MIN, std::int32_t L1, std::int32_t L2, int t, float& TOPT1,
                       float& TOPT2) {
    TOPT1 = std::tan(LINCOM.TOPANG(MIN + 1, L1, t));
    TOPT2 = std::tan(LINCOM.TOPANG(MIN, L2, t));
    if (TOPT1 == TOPT2) {
        TOPT2 = TOPT1 + 0.1f;
        TOPT1 = TOPT1 - 0.1f;
    }
}

// LINDRV: the perturbation constants, the debug dialogue, then every active line.
void LINDRV(std::span<const float> RANCHR, std::span<const float> ZANCHR) {
    TpcmBlock& T = TPCM;
    LincomBlock& C = LINCOM;
    C.DHFRAC = mean_shape_DHFRAC;
    if (T.NBUG0 == 1) {
        write_record(T.EDUNIT, " ### In LINDRV:");
        INBUG(T.NBUG, T.EDUNIT, keyboard_unit);
    } else {
        T.NBUG = 0;
    }
    const std::int32_t NBUG = T.NBUG;
    for (int i = 1; i <= T.NLIN; ++i) {
        // Line type in the low bits; above 1024 the line is left out, and 1024 itself names
        // no type.
        if (C.LINEID(i) > 1024)
            continue;
        const int t = C.LINEID(i) % 1024;
        if (t == 0)
            continue;
        C.ITYP = t;
        const auto at = static_cast<std::size_t>(i - 1);
        mean_shape_of_line(i, t, RANCHR[at], ZANCHR[at], NBUG);
    }
}

} // namespace lintar
