// line_dynamics/mean_line_shape.cpp: the mean line shapes and their one-sided sensitivities.
#include "line_dynamics/mean_line_shape.h"

#include "blocks/catcom.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/catenary_elements.h"
#include "lines/catenary_motion.h"
#include "lines/line_arrays.h"
#include "lines/line_shape.h"
#include "lines/stress_strain.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/program_types.h"
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
    const auto at = slot(k);
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
    bool& warned = mean_shape_store.rigid_warned[slot(i)];
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
    if (tension_leg_or_spar(T.SIMTYP))
        return zF - T.DRAFT + T.ANCHGT(t) + ZANCHR;
    return zF - T.DRAFT + T.ANCHGT(t);
}

// What the pieces of one line's solves share: the line and its type's columns, the mean span
// S0, the table interval MIN and the bracket rows L1, L2, and the debug trace (NBUG 1).
struct LineContext {
    LineContext(int line, int type, std::int32_t debug)
        : i(line), t(type), N(TPCM.NELEM(type)), SLEN(slen_column(type)), WETWT(wetwt_column(type)),
          ALPHA(alpha_slice(type)), NBUG(debug), EDUNIT(TPCM.EDUNIT) {}

    int i;
    int t;
    int N;
    ElementReals SLEN;
    ElementReals WETWT;
    ElementAlphas ALPHA;
    float S0 = 0.0f;
    std::int32_t MIN = 1;
    std::int32_t L1 = 1;
    std::int32_t L2 = 1;
    std::int32_t NBUG;
    int EDUNIT;

    void trace(const std::string& record) const {
        if (NBUG == 1)
            write_record(EDUNIT, record);
    }
    // The node spans of a solved shape of this line.
    NodeSpans spans(const double* SCLWT, const double* SECARR, const double* TMPTAN,
                    const double* BETA) const {
        return node_spans(SCLWT, SECARR, TMPTAN, BETA, N, TPCM.ANCTYP(t), SLEN, LINCOM.DSLOPE);
    }
};

// The mean horizontal load of the line at distance RANCHR: from the rows of its layer blended
// at ZANCHR (vertical-interpolation programs), else from row MIDLYR; with the table interval
// and the layer row. Reads TPCM, LINCOM; writes nothing.
struct MeanLoad {
    float HMEAN = 0.0f;
    std::int32_t MIN = 1;
    std::int32_t LAYER = 1;
};

MeanLoad mean_load(const LineContext& c, float RANCHR, float ZANCHR) {
    const TpcmBlock& T = TPCM;
    const LincomBlock& C = LINCOM;
    MeanLoad m;
    std::int32_t IER = 0;
    m.LAYER = C.MIDLYR;
    const std::span<const float> HLOD(C.HLOD_words);
    if (tension_leg_or_spar(T.SIMTYP)) {
        c.trace("Before SETLYR call; ILINE = " + I(c.i, 5));
        std::int32_t ILAYER = 0;
        float DELLAY = 0.0f;
        std::int32_t OUTWRN = 0;
        SETLYR(T.NLAYER, C.MIDLYR, C.DLAYER, T.ZSPAN, ZANCHR, ILAYER, DELLAY, OUTWRN);
        const std::span<const float> rows = C.ANCDST_from(1, ILAYER, c.t);
        BSRCHQ(rows, DELLAY, RANCHR, IER, m.MIN, T.NUMTAB);
        INTRPR(rows, HLOD, RANCHR, m.HMEAN, m.MIN, DELLAY);
        m.LAYER = ILAYER;
    } else {
        const std::span<const float> row = C.ANCDST_from(1, C.MIDLYR, c.t);
        BSRCH(row, RANCHR, IER, m.MIN, T.NUMTAB);
        INTERP(row, HLOD, RANCHR, m.HMEAN, m.MIN);
    }
    return m;
}

// ITER8P on the line of LINCOM with the fairlead height DELTAZ and the load DPHLD of this
// solve alone, in the bracket of the line's table interval; BOTLN and KELEM stored back in
// LINCOM as ITER8P stores them.
void solve_line(const LineContext& c, float DELTAZ, double DPHLD) {
    float TOPT1 = 0.0f;
    float TOPT2 = 0.0f;
    top_slope_bracket(c.MIN, c.L1, c.L2, c.t, TOPT1, TOPT2);
    c.trace("ITERATION LOOP FOLLOWS:");
    LineSolve line = lincom_line_solve();
    line.DELTAZ = DELTAZ;
    line.DPHLD = DPHLD;
    ITER8P(line, TOPT1, TOPT2);
    LINCOM.BOTLN = line.BOTLN;
    LINCOM.KELEM = line.KELEM;
}

// The mean shape: its weights W0, its top tangent DQF0, the vertical top load TZ0 and its node
// spans. Solves the line at the mean load and stores the shape: TANARR of CATCOM, AVTAN and
// AVSEC, the end tangents and components, the end tensions and BOTLNM of LINCOM.
struct MeanShape {
    ElementArray W0{};
    double DQF0 = 0.0;
    double TZ0 = 0.0;
    NodeSpans spans;
};

MeanShape mean_shape(const LineContext& c, float RANCHR) {
    LincomBlock& C = LINCOM;
    CatcomBlock& K = CATCOM;
    const int N = c.N;
    const double H = C.DPHLD;
    solve_line(c, C.DELTAZ, C.DPHLD);
    MeanShape m;
    for (int e = 1; e <= max_elements; ++e)
        m.W0[slot(e)] = C.SCLWT(e);
    for (int k = 1; k <= N + 1; ++k) {
        K.TANARR(k, c.i) = static_cast<float>(C.TMPTAN(k));
        C.AVTAN(k) = C.TMPTAN(k);
        C.AVSEC(k) = C.SECARR(k);
    }
    m.DQF0 = C.TMPTAN(1);
    C.QF = static_cast<float>(C.TMPTAN(1));
    C.QB = static_cast<float>(C.TMPTAN(N + 1));
    C.FXCOMP = 1.0f / std::sqrt(1.0f + C.QF * C.QF);
    C.FZCOMP = C.QF / std::sqrt(1.0f + C.QF * C.QF);
    C.BXCOMP = 1.0f / std::sqrt(1.0f + C.QB * C.QB);
    C.BZCOMP = C.QB / std::sqrt(1.0f + C.QB * C.QB);
    C.TPTEN0 = H * C.SECARR(1);
    C.BTTEN0 = H * C.SECARR(N + 1);
    m.TZ0 = -H * C.TMPTAN(1);
    C.BOTLNM = C.BOTLN;
    c.trace("HMEAN,RANCHR,TPTEN0,BTTEN0,BOTLNM,BXCOMP,BZCOMP,FXCOMP,FZCOMP");
    c.trace(labelled("", {C.HMEAN, RANCHR, C.TPTEN0, C.BTTEN0, C.BOTLNM, C.BXCOMP, C.BZCOMP,
                          C.FXCOMP, C.FZCOMP}));
    c.trace("Dynamic line request: ILINE,ILINE,ITYP" + I(c.i, 5) + I(c.i, 5) + I(c.t, 5));
    m.spans = c.spans(m.W0.data(), C.AVSEC_words, C.AVTAN_words, C.BETA_words);
    return m;
}

// A one-sided step of a derivative: its size and the change of the top tangent per unit of it.
struct StepSlope {
    double step = 0.0;
    double DQF = 0.0;
};

// The fairlead raised by DZFRAC of the line's length at the same load: the top load's and the
// nodes' derivatives in the fairlead height (DTZFDZ, DXSDZF, DZSDZF of CATCOM) and the end
// tensions TPTEN_CSTH, BTTEN_CSTH of LINCOM.
StepSlope raised_fairlead(const LineContext& c, const MeanShape& mean) {
    LincomBlock& C = LINCOM;
    CatcomBlock& K = CATCOM;
    const int N = c.N;
    const double H = C.DPHLD;
    const double Dz = static_cast<double>(mean_shape_DZFRAC * C.TOTLEN);
    solve_line(c, c.S0 + mean_shape_DZFRAC * C.TOTLEN, C.DPHLD);
    C.TPTEN_CSTH = H * C.SECARR(1);
    C.BTTEN_CSTH = H * C.SECARR(N + 1);
    const double TZH = -H * C.TMPTAN(1);
    K.DTZFDZ(c.i) = static_cast<float>((TZH - mean.TZ0) / Dz);
    const double DQF_DZF = (C.TMPTAN(1) - mean.DQF0) / Dz;
    const NodeSpans raised = c.spans(C.SCLWT_words, C.SECARR_words, C.TMPTAN_words, C.BETA_words);
    const auto n = static_cast<std::size_t>(N);
    const double DXN = raised.X[n] - mean.spans.X[n];
    c.trace("BEFORE DXSDZF");
    c.trace("BEFORE DZSDZF");
    for (int k = 1; k <= N + 1; ++k) {
        K.DXSDZF(k, c.i) = static_cast<float>((DXN - node_change(raised.X, mean.spans.X, k)) / Dz);
        K.DZSDZF(k, c.i) = static_cast<float>(1.0 - node_change(raised.Z, mean.spans.Z, k) / Dz);
    }
    return {Dz, DQF_DZF};
}

// The load raised by DHFRAC over the mean span: the top load's and the nodes' derivatives in
// the load (DTZFDH, DXSDH, DZSDH of CATCOM), the end tensions TPTEN_CSTZ, BTTEN_CSTZ, the
// raised weights SCLWTP and compliances BETAP of LINCOM; SCLWT and BETA are the mean ones again
// after, and DPHLD2 holds the raised load.
StepSlope raised_load(const LineContext& c, const MeanShape& mean) {
    LincomBlock& C = LINCOM;
    CatcomBlock& K = CATCOM;
    const int N = c.N;
    const double H = C.DPHLD;
    C.DPHLD2 = (1.0 + C.DHFRAC) * C.DPHLD;
    SCLWLD(C.SCLWT_words, c.WETWT, C.DPHLD2, N);
    BETALD(c.ALPHA, C.BETA_words, C.DPHLD2, N);
    solve_line(c, C.DELTAZ, C.DPHLD2);
    for (int e = 1; e <= max_elements; ++e)
        C.SCLWTP(e) = C.SCLWT(e);
    const double Dh = C.DHFRAC * H;
    C.TPTEN_CSTZ = C.DPHLD2 * C.SECARR(1);
    C.BTTEN_CSTZ = C.DPHLD2 * C.SECARR(N + 1);
    const double TZZ = -C.DPHLD2 * C.TMPTAN(1);
    K.DTZFDH(c.i) = static_cast<float>((TZZ - mean.TZ0) / Dh);
    const double DQF_DH = (C.TMPTAN(1) - mean.DQF0) / Dh;
    BETALD(c.ALPHA, C.BETAP_words, C.DPHLD2, N);
    for (int e = 1; e <= max_elements; ++e)
        C.SCLWT(e) = mean.W0[slot(e)];
    BETALD(c.ALPHA, C.BETA_words, C.DPHLD, N);
    const NodeSpans loaded = c.spans(C.SCLWTP_words, C.SECARR_words, C.TMPTAN_words, C.BETAP_words);
    const auto n = static_cast<std::size_t>(N);
    const double DXN = loaded.X[n] - mean.spans.X[n];
    const double DZN = loaded.Z[n] - mean.spans.Z[n];
    c.trace("BEFORE DXSDH");
    c.trace("BEFORE DZSDH");
    for (int k = 1; k <= N + 1; ++k) {
        K.DXSDH(k, c.i) = static_cast<float>((DXN - node_change(loaded.X, mean.spans.X, k)) / Dh);
        K.DZSDH(k, c.i) = static_cast<float>((DZN - node_change(loaded.Z, mean.spans.Z, k)) / Dh);
    }
    return {Dh, DQF_DH};
}

// The end derivatives of line i (DTFDXF .. DTBDAB of CATCOM, DPHIF_DAF of LINCOM) from the two
// steps. They divide by the change of span under the load step; a line whose span does not
// change has none, and gets zeros rather than infinities (and the warning).
void end_derivatives(const LineContext& c, const MeanShape& mean, StepSlope height,
                     StepSlope load) {
    LincomBlock& C = LINCOM;
    CatcomBlock& K = CATCOM;
    const int i = c.i;
    const double Dz = height.step;
    const double DEN = static_cast<double>(K.DXSDH(1, i)) * C.DHFRAC * C.HMEAN;
    if (DEN == 0.0 || !std::isfinite(DEN)) {
        zero_derivatives(i, c.N);
        warn_rigid_line(i);
        return;
    }
    const double DTFDXQ = (C.TPTEN_CSTZ - C.TPTEN0) / DEN;
    const double DTBDXQ = (C.BTTEN0 - C.BTTEN_CSTZ) / DEN;
    K.DTFDXF(i) = static_cast<float>(DTFDXQ);
    K.DTBDXB(i) = static_cast<float>(DTBDXQ);
    const double DQF_DXF = load.DQF / static_cast<double>(K.DXSDH(1, i));
    const double DXSDZF1 = K.DXSDZF(1, i);
    K.DTFDZF(i) = static_cast<float>((C.TPTEN_CSTH - C.TPTEN0) / Dz - DXSDZF1 * DTFDXQ);
    K.DTBDZB(i) = static_cast<float>((C.BTTEN0 - C.BTTEN_CSTH) / Dz - DXSDZF1 * DTBDXQ);
    K.DTFDAF(i) = static_cast<float>(DTFDXQ * C.FXCOMP + static_cast<double>(K.DTFDZF(i)) *
                                                             static_cast<double>(C.FZCOMP));
    K.DTBDAB(i) = static_cast<float>(DTBDXQ * C.BXCOMP + static_cast<double>(K.DTBDZB(i)) *
                                                             static_cast<double>(C.BZCOMP));
    C.DPHIF_DAF(i) = (DQF_DXF * C.FXCOMP + height.DQF * C.FZCOMP) / (mean.DQF0 * mean.DQF0 + 1.0);
}

// One line: the unstretched length, the mean span and load, then the three solves (mean,
// fairlead raised, load raised) and the derivatives from them.
void mean_shape_of_line(int i, int t, float RANCHR, float ZANCHR, std::int32_t NBUG) {
    const TpcmBlock& T = TPCM;
    LincomBlock& C = LINCOM;
    CatcomBlock& K = CATCOM;
    LineContext c(i, t, NBUG);
    LINTAR_ASSERT(c.N >= 1 && c.N <= max_elements, "elements of a line type");
    const int N = c.N;

    // The unstretched length and the vertical span.
    C.TOTLEN = 0.0f;
    for (int e = 1; e <= N; ++e)
        C.TOTLEN = C.TOTLEN + c.SLEN(e);
    c.S0 = mean_span(T, t, ZANCHR);
    C.DELTAZ = c.S0;

    // The mean horizontal load from the table row of the line's layer.
    const MeanLoad load = mean_load(c, RANCHR, ZANCHR);
    C.HMEAN = load.HMEAN;
    c.MIN = load.MIN;
    C.DPHLD = C.HMEAN;
    C.DPHLD2 = (1.0 + C.DHFRAC) * C.DPHLD;
    c.trace(labelled("DPHLD,DPHLD2,DHFRAC", {C.DPHLD, C.DPHLD2, C.DHFRAC}));
    c.trace("MIN = " + I(c.MIN, 5));

    // Without horizontal load the line hangs straight down: its span cannot change with the
    // load, and the shape solves would divide by the load. No derivatives, no solve.
    if (!(C.HMEAN > 0.0f)) {
        zero_derivatives(i, N);
        for (int k = 1; k <= N + 1; ++k)
            K.TANARR(k, i) = 0.0f;
        warn_rigid_line(i);
        return;
    }

    // The strain curves, the weights and compliances at the mean load; the bracket rows.
    if (C.NEED_STRAIN_FILE != 0 && T.STRESS_STRAIN_FILE(t) != 0)
        LOAD_ALPHAS(C.DPHLD, load.LAYER);
    SCLWLD(C.SCLWT_words, c.WETWT, C.DPHLD, N);
    BETALD(c.ALPHA, C.BETA_words, C.DPHLD, N);
    c.L1 = load.LAYER;
    c.L2 = tension_leg_or_spar(T.SIMTYP) && c.L1 < T.NLAYER ? c.L1 + 1 : c.L1;

    const MeanShape mean = mean_shape(c, RANCHR);
    const StepSlope height = raised_fairlead(c, mean);
    const StepSlope step = raised_load(c, mean);
    if (NBUG == 1) {
        write_record(c.EDUNIT,
                     "I,DXSDZF(I,ILINE),DZSDZF(I,ILINE),DXSDH(I,ILINE),DZSDH(IELEM,ILINE)");
        for (int k = 1; k <= N + 1; ++k)
            write_record(c.EDUNIT, I(k, 5) + labelled("", {K.DXSDZF(k, i), K.DZSDZF(k, i),
                                                           K.DXSDH(k, i), K.DZSDH(k, i)}));
    }
    end_derivatives(c, mean, height, step);
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
        const auto at = slot(i);
        mean_shape_of_line(i, t, RANCHR[at], ZANCHR[at], NBUG);
    }
}

} // namespace lintar
