// lines/dynamic_tension.cpp: the wave-frequency dynamic tension of a line, its catenary
// stiffness and the bandwidth-corrected extreme-value factor.
#include "lines/dynamic_tension.h"
#include "util/angles.h"

#include "blocks/catcom.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "lines/axial_stiffness.h"
#include "lines/catenary_motion.h"
#include "lines/line_arrays.h"
#include "lines/line_response.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/prompts.h"
#include "util/table_search.h"
#include "util/wave_numbers.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace lintar {

namespace {

using Complex = std::complex<float>;

// Run-long memory of DYNCOD: whether the line mass enters the series response (MAS_TYPE: 2
// until a call in a program other than the tension-leg and spar programs, or with the legacy
// loads, sets it to 0 for good), whether the inertial-correction warning is still to be given
// (FRSTIM), and the per-node inertia sums and tangential amplitudes of the last call.
struct DyncodStore {
    std::int32_t MAS_TYPE = 2;
    bool FRSTIM = true;
    float KELINL_N[max_nodes] = {};
    float KELINT_N[max_nodes] = {};
    float AXTENDN[max_nodes] = {};
    float& kelinl(int n) { return KELINL_N[col_major(n, max_nodes)]; }
    float& kelint(int n) { return KELINT_N[col_major(n, max_nodes)]; }
    float& axtend(int n) { return AXTENDN[col_major(n, max_nodes)]; }
};
DyncodStore dyncod_store;
const StateReset reset_dyncod{[] { dyncod_store = {}; }, StoreKind::analysis};

constexpr std::int32_t tow_program = 10;
constexpr std::int32_t calm_program = 13;
constexpr std::int32_t tlp_program = 14;
constexpr std::int32_t spar_program = 17;

// The stiffness ratio taken for a catenary with no compliance of its own.
constexpr float stiff_catenary_ratio = 1.0e5f;
// Cycles below which no extreme-value statistics are made.
constexpr float least_cycles = 7.4f;
// Wave cycles per hour per rad/s: 3600 / (2 pi).
constexpr float cycles_per_hour = 573.0f;
// The integration points of an element.
constexpr std::int32_t element_points = 5;
// The end motion below which the line has no drag or inertia terms, and the extension below
// which the nonlinear model has no quadratic terms.
constexpr float least_extension = 1.0e-9f;
constexpr float least_nonlinear_extension = 1.0e-10f;
// A correction ten times the tension it corrects is worth a warning.
constexpr float excessive_correction = 0.1f;
// The node-motion derivative that stands in for an exactly zero one.
constexpr float singular_derivative = 1.0e-20f;

// Element e of a span of node or element values (1-based).
Complex& entry(std::span<Complex> values, int e) {
    return values[col_major(e, static_cast<int>(values.size()))];
}

// The abort prompt after an inertial-correction warning; an abort ends the run.
void correction_abort(int EDUNIT) {
    ABORT0(EDUNIT, keyboard_unit, TPCM.LBACK);
    if (TPCM.LBACK < 0)
        stop_program(StopKind::user_choice);
}

} // namespace

// KCATN: reads only its arguments; writes KCAT and KSTAT.
void KCATN(float& KCAT, float KELAS, float& KSTAT, Complex CAFLD, Complex CABOT, float DTFDAF,
           float DTBDAB) {
    const float RELAMP = std::abs(CAFLD - CABOT);
    KSTAT = RELAMP > 0.0f ? std::abs(DTFDAF * CAFLD + DTBDAB * CABOT) / RELAMP : DTFDAF;
    const float C = 1.0f / KSTAT - 1.0f / KELAS;
    KCAT = C > 0.0f ? 1.0f / C : KELAS * stiff_catenary_ratio;
}

// PKVAL: the effective cycle count falls with the share of the low-frequency process, as
// (2 / pi) acos(1 - R) of the wave cycles, R = SIGHF / (2 SIGLF). Reads only its arguments.
float PKVAL(float SIGHF, float SIGLF, float DURATN, float WFREQ, float SIGFAC) {
    (void)SIGFAC;
    const float R = SIGLF > 0.0f ? SIGHF * 0.5f / SIGLF : 100.0f;
    float CFAC = 1.0f - R;
    if (!(CFAC > 0.0f))
        CFAC = 1.0e-10f;
    const float RCYCL0 = DURATN * cycles_per_hour * WFREQ;
    const float RCYCLE = RCYCL0 * 0.63662f * std::atan(std::sqrt(1.0f - CFAC * CFAC) / CFAC);
    return std::sqrt(std::log(std::max(RCYCLE, least_cycles)) /
                     std::log(std::max(RCYCL0, least_cycles)));
}

namespace {

// set_end_directions: the tangents of line ILIN at its fairlead (QF) and anchor (QB), from the
// element tangents or, with TENSRF, from the end-tension derivatives, and their direction
// cosines and sines. Reads TPCM.TENSRF and CATCOM; writes LINCOM (QF, QB, FXCOMP, FZCOMP,
// BXCOMP, BZCOMP).
void set_end_directions(std::int32_t ILIN, int NELEM) {
    LincomBlock& C = LINCOM;
    const CatcomBlock& K = CATCOM;
    if (TPCM.TENSRF == 0) {
        C.QF = K.TANARR(1, ILIN);
        C.QB = K.TANARR(NELEM + 1, ILIN);
    } else {
        C.QF = K.DTFDZF(ILIN) / K.DTFDXF(ILIN);
        C.QB = K.DTBDZB(ILIN) / K.DTBDXB(ILIN);
    }
    C.FXCOMP = COSPHT(C.QF);
    C.FZCOMP = SINPHT(C.QF);
    C.BXCOMP = COSPHT(C.QB);
    C.BZCOMP = SINPHT(C.QB);
}

// The motion of the line's nodes: the end motions along the end directions and the
// horizontal-tension changes equivalent to each, carried to node n through CATCOM's node
// derivatives of line ILIN.
struct NodeMotions {
    std::int32_t ILIN = 1;
    Complex DXFLD, DZFLD, DXBOT, DZBOT, DELH1, DELH2;

    Complex x(int n) const {
        const CatcomBlock& K = CATCOM;
        return DELH1 * K.DXSDH(n, ILIN) + DZFLD * K.DXSDZF(n, ILIN) + DXBOT +
               DELH2 * K.DXSDH(n, ILIN) - DZBOT * K.DXSDZF(n, ILIN);
    }
    Complex z(int n) const {
        const CatcomBlock& K = CATCOM;
        return DELH1 * K.DZSDH(n, ILIN) + DZFLD * K.DZSDZF(n, ILIN) + DZBOT +
               DELH2 * K.DZSDH(n, ILIN) - DZBOT * K.DZSDZF(n, ILIN);
    }
};

// node_motions: the node motions of line ILIN for CATCOM's end motions (CAFLD, CABOT), a zero
// fairlead derivative DXSDH(1) taken as 1e-20. Reads LINCOM's end directions and CATCOM.
NodeMotions node_motions(std::int32_t ILIN) {
    const LincomBlock& C = LINCOM;
    const CatcomBlock& K = CATCOM;
    NodeMotions m;
    m.ILIN = ILIN;
    m.DXFLD = K.CAFLD * C.FXCOMP;
    m.DZFLD = K.CAFLD * C.FZCOMP;
    m.DXBOT = K.CABOT * C.BXCOMP;
    m.DZBOT = K.CABOT * C.BZCOMP;
    float DXSDH1 = K.DXSDH(1, ILIN);
    if (DXSDH1 == 0.0f)
        DXSDH1 = singular_derivative;
    m.DELH1 = (m.DXFLD - m.DZFLD * K.DXSDZF(1, ILIN)) / DXSDH1;
    m.DELH2 = (m.DZBOT * K.DXSDZF(1, ILIN) - m.DXBOT) / DXSDH1;
    return m;
}

// The sums of the element integrations: drag dissipation, and the inertia of the line for
// the normal (KELINT) and tangential (KELINL) motion.
struct LineInertia {
    float TMPDIS = 0.0f;
    float KELINL = 0.0f;
    float KELINT = 0.0f;
};

// integrate_elements: CATDMP over each element of line type ITYP for the node motions m and
// the end extension CXTEND (|CXTEND| = AXTEND): the drag and inertia sums of the line, the
// per-node inertia sums and tangential amplitudes in the store, and per element the extension
// scaled to the element top's tangential and normal amplitude. Reads TPCM, LINCOM, CATCOM and
// WAVCOM.G; writes TX, the store, CXTEND_N, C_ADA_END_N and TPCM (COFDMP, COFMAS).
LineInertia integrate_elements(std::int32_t ILIN, int NELEM, const NodeMotions& m, Complex CXTEND,
                               float AXTEND, float DIAMFC, double& TX, std::span<Complex> CXTEND_N,
                               std::span<Complex> C_ADA_END_N) {
    const LincomBlock& C = LINCOM;
    const CatcomBlock& K = CATCOM;
    DyncodStore& S = dyncod_store;
    const std::int32_t ITYP = C.ITYP;
    const float G = WAVCOM.G;
    const float DWOVRG = TPCM.DWATR * 0.001f / G;
    LineInertia sum;
    S.kelinl(1) = 0.0f;
    S.kelint(1) = 0.0f;
    for (int IELEM = 1; IELEM <= NELEM; ++IELEM) {
        const std::int32_t BOTFLG = (C.BOTELM != 0 && IELEM == C.BOTELM) ? 1 : 0;
        TPCM.COFDMP = TPCM.COFDMT(IELEM, ITYP);
        TPCM.COFMAS = TPCM.COFMST(IELEM, ITYP);
        const float WETWT = TPCM.WETWT(IELEM, ITYP);
        TX = WETWT != 0.0f ? C.DPHLD / static_cast<double>(WETWT) : 0.0;
        const Complex DXTOP1 = m.x(IELEM);
        const Complex DZTOP1 = m.z(IELEM);
        const Complex DXBOT1 = m.x(IELEM + 1);
        const Complex DZBOT1 = m.z(IELEM + 1);
        float DISIPD = 0.0f;
        float DISOOP = 0.0f;
        float KEELMT = 0.0f;
        float KEELML = 0.0f;
        float KEOOP = 0.0f;
        float ADAMAX = 0.0f;
        float ADATOPQ = 0.0f;
        float LONTOPQ = 0.0f;
        Complex CTXACC;
        Complex CTZACC;
        CATDMP(TX, K.TANARR(IELEM, ILIN), K.TANARR(IELEM + 1, ILIN), DISIPD, DISOOP, KEELMT, KEELML,
               KEOOP, 0.0f, 0.0f, element_points, DXTOP1 - DXBOT1, DZTOP1 - DZBOT1, DXBOT1, DZBOT1,
               ADAMAX, ADATOPQ, LONTOPQ, TPCM.NBUG, IELEM, CTXACC, CTZACC, BOTFLG, false);

        const float DIAM = TPCM.DIAM(IELEM, ITYP);
        sum.TMPDIS = sum.TMPDIS + DISIPD * DIAM * DWOVRG * DIAMFC * TPCM.COFDMP;
        const float DRYWT = TPCM.DRYWT(IELEM, ITYP);
        const float MASDSP = DRYWT > 0.0f
                                 ? (DRYWT - WETWT) / G
                                 : quarter_pi_single * (DIAM * DIAMFC) * (DIAM * DIAMFC) * DWOVRG;
        float TMPMAS = std::max(WETWT / G + MASDSP, 0.0f);
        sum.KELINL = sum.KELINL + 0.5f * KEELML * TMPMAS;
        TMPMAS = std::max(TMPMAS + MASDSP * TPCM.COFMAS, 0.0f);
        sum.KELINT = sum.KELINT + 0.5f * KEELMT * TMPMAS;
        S.kelinl(IELEM + 1) = sum.KELINL;
        S.kelint(IELEM + 1) = sum.KELINT;

        S.axtend(IELEM) = LONTOPQ;
        if (AXTEND != 0.0f) {
            entry(CXTEND_N, IELEM) = CXTEND * LONTOPQ / AXTEND;
            entry(C_ADA_END_N, IELEM) = CXTEND * ADATOPQ / AXTEND;
        } else {
            entry(CXTEND_N, IELEM) = Complex(0.0f, 0.0f);
            entry(C_ADA_END_N, IELEM) = Complex(0.0f, 0.0f);
        }
    }
    S.axtend(NELEM + 1) = 0.0f;
    entry(CXTEND_N, NELEM + 1) = Complex(0.0f, 0.0f);
    entry(C_ADA_END_N, NELEM + 1) = Complex(0.0f, 0.0f);
    return sum;
}

// drag_constant: the quadratic drag constant of the line, and its inertias (in `inertia` and,
// with GETNODE, per node in the store, each below the node per squared tangential motion
// there) turned into inertias per squared end extension; all 0 without drag or extension.
// Writes `inertia` and the store.
float drag_constant(LineInertia& inertia, float AXTEND, int NELEM, bool GETNODE) {
    DyncodStore& S = dyncod_store;
    float CQUAD = 0.0f;
    if (AXTEND >= least_extension && inertia.TMPDIS != 0.0f) {
        if (GETNODE) {
            for (int n = 1; n <= NELEM; ++n) {
                const float A2 = S.axtend(n) * S.axtend(n);
                S.kelinl(n) = A2 != 0.0f ? (inertia.KELINL - S.kelinl(n)) / A2 : 0.0f;
                S.kelint(n) = A2 != 0.0f ? (inertia.KELINT - S.kelint(n)) / A2 : 0.0f;
            }
        }
        CQUAD = 3.0f * inertia.TMPDIS / (8.0f * AXTEND * AXTEND * AXTEND);
        inertia.KELINL = inertia.KELINL / (AXTEND * AXTEND);
        inertia.KELINT = inertia.KELINT / (AXTEND * AXTEND);
    } else {
        inertia.KELINL = 0.0f;
        inertia.KELINT = 0.0f;
        for (int n = 1; n <= NELEM + 1; ++n) {
            S.kelinl(n) = 0.0f;
            S.kelint(n) = 0.0f;
        }
    }
    return CQUAD;
}

// set_line_stiffnesses: the axial stiffness KELAS of line type ITYP at WFREQ, the catenary
// stiffness KCTAN and the static stiffness KSTAT of line ILIN (from the end derivatives
// along the end directions with TENSRF), and their ratio KRAT. Reads TPCM, LINCOM; writes
// CATCOM and LINCOM.WAVEK (through KELAST).
void set_line_stiffnesses(std::int32_t ILIN, float WFREQ) {
    LincomBlock& C = LINCOM;
    CatcomBlock& K = CATCOM;
    KELAST(K.KELAS, C.ITYP, ArrayView<float, max_elements>(C.WAVEK_words), WFREQ,
           static_cast<float>(C.TPTEN0));
    if (TPCM.TENSRF == 0) {
        KCATN(K.KCTAN, K.KELAS, K.KSTAT, K.CAFLD, K.CABOT, K.DTFDAF(ILIN), K.DTBDAB(ILIN));
    } else {
        const float DTFDAQ = C.FZCOMP * K.DTFDZF(ILIN) + C.FXCOMP * K.DTFDXF(ILIN);
        const float DTBDAQ = C.BZCOMP * K.DTBDZB(ILIN) + C.BXCOMP * K.DTBDXB(ILIN);
        KCATN(K.KCTAN, K.KELAS, K.KSTAT, K.CAFLD, K.CABOT, DTFDAQ, DTBDAQ);
    }
}

// DYNCOD's half-cycle outputs, written through by the series solutions.
struct HalfCycleOutputs {
    Complex& CYCATP;
    Complex& CYCATM;
    Complex& CYELAP;
    Complex& CYELAM;
    Complex& CTOPFP;
    Complex& CBOTFP;
    Complex& CTOPFM;
    Complex& CBOTFM;
    float& STOPFP;
    float& STOPFM;
    float& XCATP;
};

// The line the series solutions work on: its type, elements, console unit and mean top
// tension.
struct SeriesLine {
    std::int32_t ITYP = 1;
    int NELEM = 0;
    int EDUNIT = 6;
    float TPTEN0 = 0.0f;
};

// What the series solutions share: the line, its extension and its mass and drag terms.
struct SeriesInputs {
    SeriesLine line;
    std::int32_t ILIN = 1;
    float RANCQ = 0.0f;
    float WFREQ = 0.0f;
    Complex CXTEND;
    float AXTEND = 0.0f;
    float CATMASQ = 0.0f;
    float CQUAD = 0.0f;
    bool GETNODE = false;
};

// nonlinear_series: the extension and compression half-cycles solved apart, each with the
// quadratic catenary stiffness FOBLQ reads from the tables; returns the inertial tension
// CTACCT to be corrected. Reads TPCM, LINCOM, CATCOM; writes the outputs, CTOPFIP, CTOPFIM and
// CATCOM.KRAT; FOBLQ's and CATSTR's prompts may end the run.
Complex nonlinear_series(const SeriesInputs& in, const LineInertia& inertia,
                         const HalfCycleOutputs& out, std::span<Complex> CTOPFIP,
                         std::span<Complex> CTOPFIM) {
    const LincomBlock& C = LINCOM;
    CatcomBlock& K = CATCOM;
    const auto [ITYP, NELEM, EDUNIT, TPTEN0] = in.line;
    const ElementReals SLEN = slen_column(ITYP);
    const ElementAlphas ALPHA = alpha_slice(ITYP);
    float CQCNST = 0.0f;
    float RFORCE = 0.0f;
    float FGZTMP = 0.0f;
    float KSTATN = 0.0f;
    float KCATO = 0.0f;
    float SIGCP = 0.0f;
    float SIGCM = 0.0f;
    float YCATP = 0.0f;
    float YCATM = 0.0f;
    FOBLQ(in.ILIN, ITYP, in.RANCQ, in.AXTEND, K.KCTAN, K.KELAS, C.MIDLYR, C.DLAYER, TPCM.NLAYER,
          TPCM.NUMTAB, TPCM.ZSPAN, TPCM.RMCTRG(1), TPCM.YMCTR(), TPCM.ZMCTR(), EDUNIT,
          keyboard_unit, RFORCE, FGZTMP, KSTATN, C.FXCOMP, C.FZCOMP, KCATO, SIGCP, SIGCM, YCATP,
          YCATM);
    if (in.AXTEND < least_nonlinear_extension) {
        SIGCP = 0.0f;
        SIGCM = 0.0f;
    }
    out.STOPFP = YCATP == 0.0f ? K.KSTAT * in.AXTEND : (SIGCP * YCATP + KCATO) * YCATP;
    out.STOPFM = YCATM == 0.0f ? -K.KSTAT * in.AXTEND : (SIGCM * YCATM + KCATO) * YCATM;
    K.KRAT = KCATO / K.KELAS;
    float XCATM = 0.0f;
    CATSTR(in.WFREQ, in.CXTEND, SIGCP, 1.0f, in.CATMASQ, in.CQUAD, out.CYCATP, out.CYELAP, K.KRAT,
           K.KELAS, CQCNST, out.XCATP, EDUNIT, keyboard_unit, true, TPCM.SIMTYP, in.ILIN);
    LNGWAV(in.WFREQ, out.CYCATP, out.CYELAP, in.CATMASQ, CQCNST, out.XCATP, SIGCP, TPTEN0,
           out.CTOPFP, out.CBOTFP, TPCM.NBUG, EDUNIT, 1, SLEN, ALPHA, NELEM, CTOPFIP, in.GETNODE);
    CATSTR(in.WFREQ, -in.CXTEND, SIGCM, -1.0f, in.CATMASQ, in.CQUAD, out.CYCATM, out.CYELAM, K.KRAT,
           K.KELAS, CQCNST, XCATM, EDUNIT, keyboard_unit, true, TPCM.SIMTYP, in.ILIN);
    LNGWAV(in.WFREQ, out.CYCATM, out.CYELAM, in.CATMASQ, CQCNST, XCATM, SIGCM, TPTEN0, out.CTOPFM,
           out.CBOTFM, TPCM.NBUG, EDUNIT, 1, SLEN, ALPHA, NELEM, CTOPFIM, in.GETNODE);
    const float W2 = in.WFREQ * in.WFREQ;
    if (in.AXTEND != 0.0f)
        return K.CAFLD * (2.0f * (out.XCATP * out.XCATP * inertia.KELINT + inertia.KELINL) * W2);
    return Complex(0.0f, 0.0f);
}

// linear_series: one linear solution, the compression half-cycle its mirror image; returns
// the inertial tension CTACCT to be corrected. Reads TPCM, LINCOM, CATCOM; writes the outputs
// and CTOPFIP, CTOPFIM; CATSTR may end the run.
Complex linear_series(const SeriesInputs& in, const LineInertia& inertia,
                      const HalfCycleOutputs& out, std::span<Complex> CTOPFIP,
                      std::span<Complex> CTOPFIM) {
    CatcomBlock& K = CATCOM;
    const auto [ITYP, NELEM, EDUNIT, TPTEN0] = in.line;
    const float W2 = in.WFREQ * in.WFREQ;
    float CQCNST = 0.0f;
    Complex CTACCT(0.0f, 0.0f);
    Complex CYCAT;
    Complex CYELAS;
    Complex CTOPF;
    Complex CBOTF;
    CATSTR(in.WFREQ, in.CXTEND, 0.0f, 1.0f, in.CATMASQ, in.CQUAD, CYCAT, CYELAS, K.KRAT, K.KELAS,
           CQCNST, out.XCATP, EDUNIT, keyboard_unit, false, TPCM.SIMTYP, in.ILIN);
    LNGWAV(in.WFREQ, CYCAT, CYELAS, in.CATMASQ, CQCNST, out.XCATP, 0.0f, TPTEN0, CTOPF, CBOTF,
           TPCM.NBUG, EDUNIT, 1, slen_column(ITYP), alpha_slice(ITYP), NELEM, CTOPFIP, in.GETNODE);
    if (in.GETNODE)
        for (int n = 1; n <= NELEM + 1; ++n)
            entry(CTOPFIM, n) = -entry(CTOPFIP, n);
    if (in.AXTEND > 0.0f) {
        out.XCATP = std::abs(CYCAT) / in.AXTEND;
        CTACCT =
            in.CXTEND * (2.0f * (out.XCATP * out.XCATP * inertia.KELINT + inertia.KELINL) * W2);
    }
    out.CTOPFP = CTOPF;
    out.CTOPFM = -CTOPF;
    out.CBOTFP = CBOTF;
    out.CBOTFM = -CBOTF;
    out.CYCATP = CYCAT;
    out.CYCATM = -CYCAT;
    out.CYELAP = CYELAS;
    out.CYELAM = -CYELAS;
    out.STOPFP = K.KSTAT * in.AXTEND;
    out.STOPFM = -out.STOPFP;
    return CTACCT;
}

// correct_inertia: with the inertial correction on for line ILIN, the tension CTACCT that
// accelerates the line, against the fairlead motion, added to the top tensions and, with
// GETNODE, each node's share to the node tensions; a correction ten times the tension it
// corrects is warned of once per run (with WRNFLG) with the abort prompt. Reads TPCM, LINCOM,
// CATCOM and the store; writes CTOPFP, CTOPFM, CTOPFIP, CTOPFIM; an abort ends the run.
void correct_inertia(std::int32_t ILIN, int NELEM, Complex CTACCT, float XCATP, float W2,
                     bool GETNODE, bool WRNFLG, Complex& CTOPFP, Complex& CTOPFM,
                     std::span<Complex> CTOPFIP, std::span<Complex> CTOPFIM,
                     std::span<Complex> CXTEND_N) {
    const CatcomBlock& K = CATCOM;
    DyncodStore& S = dyncod_store;
    const int EDUNIT = TPCM.EDUNIT;
    const bool correct = TPCM.INRLFG == 1 &&
                         (TPCM.NEXCLD_I == 0 || (TPCM.NEXCLD_I > 0 && LINCOM.INRT_EXCL(ILIN) == 0));
    if (correct && K.CAFLD != Complex(0.0f, 0.0f)) {
        if (std::abs(CTOPFP) < excessive_correction * std::abs(CTACCT) && S.FRSTIM && WRNFLG) {
            write_record(EDUNIT, "");
            write_record(EDUNIT, " ++> The inertial load correction for line " + I(ILIN, 2) +
                                     ", and probably others,");
            write_record(EDUNIT, "     may be excessive; consider disabling the inertial");
            write_record(EDUNIT, "     correction for these lines.");
            S.FRSTIM = false;
            correction_abort(EDUNIT);
        }
        CTACCT = -K.CAFLD * std::abs(CTACCT) / std::abs(K.CAFLD);
    } else {
        CTACCT = Complex(0.0f, 0.0f);
    }
    CTOPFP = CTOPFP + CTACCT;
    CTOPFM = CTOPFM - CTACCT;
    if (!GETNODE)
        return;
    for (int IELEM = 1; IELEM <= NELEM; ++IELEM) {
        const Complex CXN = entry(CXTEND_N, IELEM);
        Complex COR(0.0f, 0.0f);
        if (S.axtend(IELEM) != 0.0f)
            COR = CXN * (2.0f * (S.kelint(IELEM) * XCATP * XCATP + S.kelinl(IELEM)) * W2);
        if (correct && CXN != Complex(0.0f, 0.0f)) {
            COR = -CXN * std::abs(COR) / std::abs(CXN);
            if (std::abs(entry(CTOPFIP, IELEM)) < excessive_correction * std::abs(COR) &&
                S.FRSTIM && WRNFLG) {
                write_record(EDUNIT, "");
                write_record(EDUNIT, " ++> The inertial load correction for node " + I(IELEM, 2) +
                                         " of line " + I(ILIN, 2) +
                                         ", and probably others, may be excessive;");
                write_record(EDUNIT,
                             "     consider disabling the inertial corrections for these lines.");
                S.FRSTIM = false;
                correction_abort(EDUNIT);
            }
        } else {
            COR = Complex(0.0f, 0.0f);
        }
        entry(CTOPFIP, IELEM) = entry(CTOPFIP, IELEM) + COR;
        entry(CTOPFIM, IELEM) = entry(CTOPFIM, IELEM) - COR;
    }
}

// quasi_static_tensions: the quasi-static mode: the tension change read from the line tables
// at the extended anchor distance (with the end derivatives, the half-cycle's own), the same
// at both ends and opposite on the compression half-cycle. Reads TPCM, LINCOM; writes the
// outputs.
void quasi_static_tensions(const SeriesInputs& in, const HalfCycleOutputs& out) {
    const LincomBlock& C = LINCOM;
    if (TPCM.TENSRF == 0) {
        const float ANCDSTQ = in.AXTEND / C.FXCOMP + in.RANCQ;
        const auto distances = C.ANCDST_from(1, C.MIDLYR, C.ITYP);
        std::int32_t IER = 0;
        std::int32_t MIN = 1;
        BSRCH(distances, ANCDSTQ, IER, MIN, TPCM.NUMTAB);
        float TENSION = 0.0f;
        INTERP(distances, C.TOPTEN_from(1, C.MIDLYR, C.ITYP), ANCDSTQ, TENSION, MIN);
        out.STOPFP = TENSION - in.line.TPTEN0;
    }
    out.CTOPFP = Complex(out.STOPFP, 0.0f);
    out.CBOTFP = out.CTOPFP;
    out.CTOPFM = -out.CTOPFP;
    out.CBOTFM = -out.CTOPFP;
}

} // namespace

// DYNCOD: the element integrations give the drag constant and the inertia of the line per
// squared end extension; the stiffnesses and CATSTR split the extension; LNGWAV carries the
// elastic part to the tensions; the inertial correction and the quasi-static mode follow.
// Three divisions by zero are guarded here: a weightless element has no catenary length
// DPHLD / WETWT (CATDMP integrates it as straight; TX is set to 0); the per-element scaled
// extensions divide by the end extension, so they are 0 when both ends move alike; and a zero
// fairlead derivative DXSDH(1) is taken as 1e-20, as the element integration does with a zero
// determinant. The per-node inertias are set to 0 with the line's
// (no drag, or no extension) rather than left unscaled. Reads TPCM, WAVCOM.G, LINCOM and
// CATCOM as the header says; writes the outputs, LINCOM, CATCOM and TPCM (COFMAS, COFDMP,
// LBACK); ends the run on an abort or a failed nonlinear solution.
void DYNCOD(std::int32_t ILIN, double& TX, bool& CATSKP, float WFREQ, float DIAMFC, float TFAC,
            Complex& CYCATP, Complex& CYCATM, Complex& CYELAP, Complex& CYELAM, Complex& CTOPFP,
            Complex& CBOTFP, Complex& CTOPFM, Complex& CBOTFM, float& STOPFP, float& STOPFM,
            std::span<const float> RANCPT, std::span<Complex> CTOPFIP, std::span<Complex> CTOPFIM,
            std::span<Complex> CXTEND_N, std::span<Complex> C_ADA_END_N, std::int32_t GETNODEQ,
            float& XCATP, bool WRNFLG) {
    (void)TFAC;
    const LincomBlock& C = LINCOM;
    CatcomBlock& K = CATCOM;
    DyncodStore& S = dyncod_store;
    const std::int32_t ITYP = C.ITYP;
    const int NELEM = TPCM.NELEM(ITYP);
    const std::int32_t SIMTYP = TPCM.SIMTYP;
    const bool GETNODE = GETNODEQ != 0;
    if ((SIMTYP != spar_program && SIMTYP != tlp_program) || TPCM.LEG_WF_LOADS == 1)
        S.MAS_TYPE = 0;

    // The extension, the line's directions at its ends and the motions of its nodes.
    SeriesInputs in;
    in.ILIN = ILIN;
    in.RANCQ = RANCPT[col_major(ILIN, static_cast<int>(RANCPT.size()))];
    in.WFREQ = WFREQ;
    in.CXTEND = K.CAFLD - K.CABOT;
    in.AXTEND = std::abs(in.CXTEND);
    in.GETNODE = GETNODE;
    set_end_directions(ILIN, NELEM);
    const NodeMotions motions = node_motions(ILIN);

    // Drag and inertia, element by element, then per squared extension.
    LineInertia inertia = integrate_elements(ILIN, NELEM, motions, in.CXTEND, in.AXTEND, DIAMFC, TX,
                                             CXTEND_N, C_ADA_END_N);
    in.CQUAD = drag_constant(inertia, in.AXTEND, NELEM, GETNODE);

    // Stiffnesses, and the split of the extension into tensions.
    CATSKP = true;
    set_line_stiffnesses(ILIN, WFREQ);
    in.CATMASQ = S.MAS_TYPE != 0 ? 2.0f * (inertia.KELINL + inertia.KELINT) : 0.0f;
    K.KRAT = K.KCTAN / K.KELAS;
    in.line = {ITYP, NELEM, TPCM.EDUNIT, static_cast<float>(C.TPTEN0)};
    const HalfCycleOutputs out{CYCATP, CYCATM, CYELAP, CYELAM, CTOPFP, CBOTFP,
                               CTOPFM, CBOTFM, STOPFP, STOPFM, XCATP};
    const bool nonlinear = TPCM.NLWVFG == 1 && SIMTYP != tow_program &&
                           !(SIMTYP == calm_program && ITYP == TPCM.HAWSTP);
    const Complex CTACCT = nonlinear ? nonlinear_series(in, inertia, out, CTOPFIP, CTOPFIM)
                                     : linear_series(in, inertia, out, CTOPFIP, CTOPFIM);

    correct_inertia(ILIN, NELEM, CTACCT, XCATP, WFREQ * WFREQ, GETNODE, WRNFLG, CTOPFP, CTOPFM,
                    CTOPFIP, CTOPFIM, CXTEND_N);
    if (TPCM.QSFLAG2 != 0)
        quasi_static_tensions(in, out);
}

} // namespace lintar
