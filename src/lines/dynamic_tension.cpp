// lines/dynamic_tension.cpp: the wave-frequency dynamic tension of a line, its catenary
// stiffness and the bandwidth-corrected extreme-value factor.
#include "lines/dynamic_tension.h"

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
    LincomBlock& C = LINCOM;
    CatcomBlock& K = CATCOM;
    DyncodStore& S = dyncod_store;
    const std::int32_t ITYP = C.ITYP;
    const int NELEM = TPCM.NELEM(ITYP);
    const int EDUNIT = TPCM.EDUNIT;
    const std::int32_t SIMTYP = TPCM.SIMTYP;
    const float G = WAVCOM.G;
    const bool GETNODE = GETNODEQ != 0;
    const float RANCQ = RANCPT[col_major(ILIN, static_cast<int>(RANCPT.size()))];
    if ((SIMTYP != spar_program && SIMTYP != tlp_program) || TPCM.LEG_WF_LOADS == 1)
        S.MAS_TYPE = 0;

    // The extension and the line's directions at its ends.
    const Complex CXTEND = K.CAFLD - K.CABOT;
    const float AXTEND = std::abs(CXTEND);
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

    // The end motions and the horizontal-tension changes equivalent to each.
    const Complex DXFLD = K.CAFLD * C.FXCOMP;
    const Complex DZFLD = K.CAFLD * C.FZCOMP;
    const Complex DXBOT = K.CABOT * C.BXCOMP;
    const Complex DZBOT = K.CABOT * C.BZCOMP;
    float DXSDH1 = K.DXSDH(1, ILIN);
    if (DXSDH1 == 0.0f)
        DXSDH1 = singular_derivative;
    const Complex DELH1 = (DXFLD - DZFLD * K.DXSDZF(1, ILIN)) / DXSDH1;
    const Complex DELH2 = (DZBOT * K.DXSDZF(1, ILIN) - DXBOT) / DXSDH1;
    const auto node_x = [&](int n) {
        return DELH1 * K.DXSDH(n, ILIN) + DZFLD * K.DXSDZF(n, ILIN) + DXBOT +
               DELH2 * K.DXSDH(n, ILIN) - DZBOT * K.DXSDZF(n, ILIN);
    };
    const auto node_z = [&](int n) {
        return DELH1 * K.DZSDH(n, ILIN) + DZFLD * K.DZSDZF(n, ILIN) + DZBOT +
               DELH2 * K.DZSDH(n, ILIN) - DZBOT * K.DZSDZF(n, ILIN);
    };

    // Drag and inertia, element by element.
    const float DWOVRG = TPCM.DWATR * 0.001f / G;
    float TMPDIS = 0.0f;
    float KELINL = 0.0f;
    float KELINT = 0.0f;
    S.kelinl(1) = 0.0f;
    S.kelint(1) = 0.0f;
    for (int IELEM = 1; IELEM <= NELEM; ++IELEM) {
        const std::int32_t BOTFLG = (C.BOTELM != 0 && IELEM == C.BOTELM) ? 1 : 0;
        TPCM.COFDMP = TPCM.COFDMT(IELEM, ITYP);
        TPCM.COFMAS = TPCM.COFMST(IELEM, ITYP);
        const float WETWT = TPCM.WETWT(IELEM, ITYP);
        TX = WETWT != 0.0f ? C.DPHLD / static_cast<double>(WETWT) : 0.0;
        const Complex DXTOP1 = node_x(IELEM);
        const Complex DZTOP1 = node_z(IELEM);
        const Complex DXBOT1 = node_x(IELEM + 1);
        const Complex DZBOT1 = node_z(IELEM + 1);
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
        TMPDIS = TMPDIS + DISIPD * DIAM * DWOVRG * DIAMFC * TPCM.COFDMP;
        const float DRYWT = TPCM.DRYWT(IELEM, ITYP);
        const float MASDSP = DRYWT > 0.0f ? (DRYWT - WETWT) / G
                                          : 0.7853982f * (DIAM * DIAMFC) * (DIAM * DIAMFC) * DWOVRG;
        float TMPMAS = std::max(WETWT / G + MASDSP, 0.0f);
        KELINL = KELINL + 0.5f * KEELML * TMPMAS;
        TMPMAS = std::max(TMPMAS + MASDSP * TPCM.COFMAS, 0.0f);
        KELINT = KELINT + 0.5f * KEELMT * TMPMAS;
        S.kelinl(IELEM + 1) = KELINL;
        S.kelint(IELEM + 1) = KELINT;

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

    // The drag constant and the inertia per squared extension, of the line and, for each
    // node, of the line below it per squared tangential motion there.
    float CQUAD = 0.0f;
    if (AXTEND >= least_extension && TMPDIS != 0.0f) {
        if (GETNODE) {
            for (int n = 1; n <= NELEM; ++n) {
                const float A2 = S.axtend(n) * S.axtend(n);
                S.kelinl(n) = A2 != 0.0f ? (KELINL - S.kelinl(n)) / A2 : 0.0f;
                S.kelint(n) = A2 != 0.0f ? (KELINT - S.kelint(n)) / A2 : 0.0f;
            }
        }
        CQUAD = 3.0f * TMPDIS / (8.0f * AXTEND * AXTEND * AXTEND);
        KELINL = KELINL / (AXTEND * AXTEND);
        KELINT = KELINT / (AXTEND * AXTEND);
    } else {
        KELINL = 0.0f;
        KELINT = 0.0f;
        for (int n = 1; n <= NELEM + 1; ++n) {
            S.kelinl(n) = 0.0f;
            S.kelint(n) = 0.0f;
        }
    }

    // Stiffnesses.
    CATSKP = true;
    KELAST(K.KELAS, ITYP, ArrayView<float, max_elements>(C.WAVEK_words), WFREQ,
           static_cast<float>(C.TPTEN0));
    if (TPCM.TENSRF == 0) {
        KCATN(K.KCTAN, K.KELAS, K.KSTAT, K.CAFLD, K.CABOT, K.DTFDAF(ILIN), K.DTBDAB(ILIN));
    } else {
        const float DTFDAQ = C.FZCOMP * K.DTFDZF(ILIN) + C.FXCOMP * K.DTFDXF(ILIN);
        const float DTBDAQ = C.BZCOMP * K.DTBDZB(ILIN) + C.BXCOMP * K.DTBDXB(ILIN);
        KCATN(K.KCTAN, K.KELAS, K.KSTAT, K.CAFLD, K.CABOT, DTFDAQ, DTBDAQ);
    }
    const float CATMASQ = S.MAS_TYPE != 0 ? 2.0f * (KELINL + KELINT) : 0.0f;
    K.KRAT = K.KCTAN / K.KELAS;

    const ElementReals SLEN = slen_column(ITYP);
    const ElementAlphas ALPHA = alpha_slice(ITYP);
    const auto TPTEN0 = static_cast<float>(C.TPTEN0);
    const float W2 = WFREQ * WFREQ;
    float CQCNST = 0.0f;
    Complex CTACCT(0.0f, 0.0f);
    const bool nonlinear = TPCM.NLWVFG == 1 && SIMTYP != tow_program &&
                           !(SIMTYP == calm_program && ITYP == TPCM.HAWSTP);
    if (nonlinear) {
        float RFORCE = 0.0f;
        float FGZTMP = 0.0f;
        float KSTATN = 0.0f;
        float KCATO = 0.0f;
        float SIGCP = 0.0f;
        float SIGCM = 0.0f;
        float YCATP = 0.0f;
        float YCATM = 0.0f;
        FOBLQ(ILIN, ITYP, RANCQ, AXTEND, K.KCTAN, K.KELAS, C.MIDLYR, C.DLAYER, TPCM.NLAYER,
              TPCM.NUMTAB, TPCM.ZSPAN, TPCM.RMCTRG(1), TPCM.YMCTR(), TPCM.ZMCTR(), EDUNIT,
              keyboard_unit, RFORCE, FGZTMP, KSTATN, C.FXCOMP, C.FZCOMP, KCATO, SIGCP, SIGCM, YCATP,
              YCATM);
        if (AXTEND < least_nonlinear_extension) {
            SIGCP = 0.0f;
            SIGCM = 0.0f;
        }
        STOPFP = YCATP == 0.0f ? K.KSTAT * AXTEND : (SIGCP * YCATP + KCATO) * YCATP;
        STOPFM = YCATM == 0.0f ? -K.KSTAT * AXTEND : (SIGCM * YCATM + KCATO) * YCATM;
        K.KRAT = KCATO / K.KELAS;
        float XCATM = 0.0f;
        CATSTR(WFREQ, CXTEND, SIGCP, 1.0f, CATMASQ, CQUAD, CYCATP, CYELAP, K.KRAT, K.KELAS, CQCNST,
               XCATP, EDUNIT, keyboard_unit, true, SIMTYP, ILIN);
        LNGWAV(WFREQ, CYCATP, CYELAP, CATMASQ, CQCNST, XCATP, SIGCP, TPTEN0, CTOPFP, CBOTFP,
               TPCM.NBUG, EDUNIT, 1, SLEN, ALPHA, NELEM, CTOPFIP, GETNODE);
        CATSTR(WFREQ, -CXTEND, SIGCM, -1.0f, CATMASQ, CQUAD, CYCATM, CYELAM, K.KRAT, K.KELAS,
               CQCNST, XCATM, EDUNIT, keyboard_unit, true, SIMTYP, ILIN);
        LNGWAV(WFREQ, CYCATM, CYELAM, CATMASQ, CQCNST, XCATM, SIGCM, TPTEN0, CTOPFM, CBOTFM,
               TPCM.NBUG, EDUNIT, 1, SLEN, ALPHA, NELEM, CTOPFIM, GETNODE);
        if (AXTEND != 0.0f)
            CTACCT = K.CAFLD * (2.0f * (XCATP * XCATP * KELINT + KELINL) * W2);
    } else {
        Complex CYCAT;
        Complex CYELAS;
        Complex CTOPF;
        Complex CBOTF;
        CATSTR(WFREQ, CXTEND, 0.0f, 1.0f, CATMASQ, CQUAD, CYCAT, CYELAS, K.KRAT, K.KELAS, CQCNST,
               XCATP, EDUNIT, keyboard_unit, false, SIMTYP, ILIN);
        LNGWAV(WFREQ, CYCAT, CYELAS, CATMASQ, CQCNST, XCATP, 0.0f, TPTEN0, CTOPF, CBOTF, TPCM.NBUG,
               EDUNIT, 1, SLEN, ALPHA, NELEM, CTOPFIP, GETNODE);
        if (GETNODE)
            for (int n = 1; n <= NELEM + 1; ++n)
                entry(CTOPFIM, n) = -entry(CTOPFIP, n);
        if (AXTEND > 0.0f) {
            XCATP = std::abs(CYCAT) / AXTEND;
            CTACCT = CXTEND * (2.0f * (XCATP * XCATP * KELINT + KELINL) * W2);
        }
        CTOPFP = CTOPF;
        CTOPFM = -CTOPF;
        CBOTFP = CBOTF;
        CBOTFM = -CBOTF;
        CYCATP = CYCAT;
        CYCATM = -CYCAT;
        CYELAP = CYELAS;
        CYELAM = -CYELAS;
        STOPFP = K.KSTAT * AXTEND;
        STOPFM = -STOPFP;
    }

    // The inertial correction: the tension that accelerates the line, against the fairlead
    // motion.
    const bool correct =
        TPCM.INRLFG == 1 && (TPCM.NEXCLD_I == 0 || (TPCM.NEXCLD_I > 0 && C.INRT_EXCL(ILIN) == 0));
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

    if (GETNODE) {
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
                    write_record(EDUNIT, " ++> The inertial load correction for node " +
                                             I(IELEM, 2) + " of line " + I(ILIN, 2) +
                                             ", and probably others, may be excessive;");
                    write_record(
                        EDUNIT,
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

    // The quasi-static mode: the tension change read from the line tables.
    if (TPCM.QSFLAG2 != 0) {
        if (TPCM.TENSRF == 0) {
            const float ANCDSTQ = AXTEND / C.FXCOMP + RANCQ;
            const auto distances = C.ANCDST_from(1, C.MIDLYR, ITYP);
            std::int32_t IER = 0;
            std::int32_t MIN = 1;
            BSRCH(distances, ANCDSTQ, IER, MIN, TPCM.NUMTAB);
            float TENSION = 0.0f;
            INTERP(distances, C.TOPTEN_from(1, C.MIDLYR, ITYP), ANCDSTQ, TENSION, MIN);
            STOPFP = TENSION - TPTEN0;
        }
        CTOPFP = Complex(STOPFP, 0.0f);
        CBOTFP = CTOPFP;
        CTOPFM = -CTOPFP;
        CBOTFM = -CTOPFP;
    }
}

} // namespace lintar
