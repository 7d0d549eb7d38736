// lines/line_response.cpp: the catenary-elastic split, the axial wave transfer and the
// table-based catenary stiffness of the wave-frequency line dynamics.
#include "lines/line_response.h"
#include "util/angles.h"

#include "blocks/catcom.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/catenary_elements.h"
#include "lines/stress_strain.h"
#include "lines/vertical_line.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/prompts.h"
#include "util/root_finders.h"
#include "util/table_search.h"

#include <array>
#include <cmath>
#include <string>

namespace lintar {

namespace {

using Complex = std::complex<float>;

// ---- CATSTR ---------------------------------------------------------------------------------

// The linearisation of a quadratic drag over a harmonic cycle: 8 / (3 pi), and the value the
// spar program uses in its place.
constexpr float drag_linearisation = 0.848826f;
constexpr float spar_drag_linearisation = 1.2f;
constexpr std::int32_t spar_program = 17;

// Stiffness ratios beyond which the extension is wholly elastic or wholly catenary.
constexpr float all_elastic_ratio = 1.0e5f;
constexpr float all_catenary_ratio = 1.0e-20f;

// ---- FOBLQ ----------------------------------------------------------------------------------

// Run-long memory of FOBLQ: the span warning not yet given (FRSTIM), the stiffness-mismatch
// warning wanted (KFIRST), the singular-KCATO warning not yet given (KFRSTP), the singular
// correction warning wanted (SGFRST), and the line of the last mismatch warning (LSTLN).
struct FoblqStore {
    bool FRSTIM = true;
    bool KFIRST = true;
    bool KFRSTP = true;
    bool SGFRST = true;
    std::int32_t LSTLN = 0;
};
FoblqStore foblq_store;
const StateReset reset_foblq{[] { foblq_store = {}; }, StoreKind::analysis};

// The first probe, the tension change it must reach relative to the mean tension, the
// doublings after which the warning comes again, and the doublings after which the probe is
// given up.
constexpr float first_probe = 0.01f;
constexpr float probe_tension_fraction = 0.01f;
constexpr int doublings_per_warning = 100;
constexpr int max_doublings = 300;

// The catenary stiffness that marks a line as stiff (no catenary part).
constexpr float stiff_line = 1.23e23f;

// Relative stiffness mismatch, and the share of the quadratic term and of the tension change,
// above which FOBLQ warns.
constexpr float mismatch_fraction = 0.5f;
constexpr float singular_fraction = 0.5f;

// Grounded-length mismatch of the vertical solution.
constexpr float bottom_mismatch = 1.0e-5f;

// The abort prompt after a warning; "A" ends the run.
void abort_or_continue(int IOSCRN, int KBD) {
    std::int32_t LBACK = 0;
    ABORT0(IOSCRN, KBD, LBACK);
    if (LBACK == -1)
        stop_program(StopKind::user_choice);
}

// The tail of a warning that may be silenced: in an unattended run an empty record and the
// answer 99; otherwise the 99 line and the abort prompt with options. Returns true when the
// warning is to be silenced for the run.
bool silence_asked(int IOSCRN, int KBD) {
    if (IOSCRN == diagnostics_unit) {
        write_record(IOSCRN, "");
        return true;
    }
    write_record(IOSCRN,
                 "              Enter 99 to ignore additional ocurrences of this condition OR...");
    std::int32_t LBACK = 0;
    ABORT3(IOSCRN, KBD, LBACK);
    if (LBACK == -1)
        stop_program(StopKind::user_choice);
    return LBACK == 99;
}

void singular_warning(std::string_view name, std::int32_t ILINE, int IOSCRN) {
    write_record(IOSCRN, "");
    write_record(IOSCRN, " ++> Warning: Singular " + std::string(name) + " in line" + I(ILINE, 3) +
                             "; routine FOBLQ.");
}

} // namespace

// NULTMP: reads only its arguments.
float NULTMP(float X, const NultmpCoefficients& TMPCM2) {
    const float S = TMPCM2.BETACP + TMPCM2.DELCOF * X;
    return 1.0f - X * X * (S * S + TMPCM2.GMCOEF * X * X);
}

// CATSTR: the amplitude ratio X of the catenary part solves X^2 (BETACP^2 + A^2 X^2) = 1 with
// the drag term A X proportional to the catenary amplitude; the phase is that of
// 1 / (BETACP + i A X). Below the line's resonance (BETACP > 0) that is -atan(U), U = A X /
// BETACP; above it (BETACP < 0) the parts must still add up to the extension, so the phase
// turns by half a cycle to atan(U) - pi, U = A X / |BETACP| (-atan of the signed U alone would
// make the two parts add up to minus the extension). The nonlinear solution takes X from
// NULTMP. Writes the outputs; on a failed root search writes the message on IOSCRN, pauses and
// ends the run (status 1).
void CATSTR(float WFREQ, Complex CXTEND, float SIGCAT, float PARITQ, float CATMASQ, float CQUAD,
            Complex& CYCAT, Complex& CYELAS, float KRAT, float KELAS, float& CQCNST, float& XCAT,
            int IOSCRN, int KBD, bool NLCAT, std::int32_t CREATR, std::int32_t ILINE) {
    const float AXTEND = std::abs(CXTEND);
    CYCAT = Complex(0.0f, 0.0f);
    CYELAS = Complex(0.0f, 0.0f);
    XCAT = 0.0f;
    if (AXTEND == 0.0f)
        return;
    const float linearisation =
        CREATR == spar_program ? spar_drag_linearisation : drag_linearisation;
    CQCNST = linearisation * AXTEND * WFREQ * CQUAD;
    if (KRAT > all_elastic_ratio) {
        CYELAS = CXTEND;
        return;
    }
    if (KRAT < all_catenary_ratio) {
        CYCAT = CXTEND;
        XCAT = 1.0f;
        return;
    }

    NultmpCoefficients TMPCM2;
    TMPCM2.BETACP = KRAT + 1.0f - WFREQ * WFREQ * CATMASQ / KELAS;
    const float BETACP = TMPCM2.BETACP;
    const float A = CQCNST * WFREQ / KELAS;
    TMPCM2.GMCOEF = A * A;
    TMPCM2.DELCOF = std::abs(SIGCAT * AXTEND / KELAS);

    // The linear solution.
    const float BETA2 = BETACP * BETACP;
    const float E = A / BETA2;
    float U = E;
    if (E >= 0.01f)
        U = std::sqrt((std::sqrt(1.0f + 4.0f * A * A / (BETA2 * BETA2)) - 1.0f) / 2.0f);
    const float PHIE = BETACP >= 0.0f ? -std::atan(U) : std::atan(U) - pi_single;
    XCAT = E >= 1.0e-15f ? std::abs(BETACP * U / A) : std::abs(1.0f / BETACP);
    CYCAT = XCAT * CXTEND * std::polar(1.0f, PHIE);
    const float CCWKE = XCAT * A;
    CYELAS = CYCAT * Complex(BETACP - 1.0f, CCWKE);
    if (!NLCAT)
        return;

    float X = 0.0f;
    float FUNC = 0.0f;
    std::int32_t IER = 0;
    RTMI1(
        X, FUNC, [&TMPCM2](float x) { return NULTMP(x, TMPCM2); }, 0.0f, 1.5f, 1.0e-4f, 1.0e-3f,
        100, IER);
    if (IER != 0) {
        write_record(IOSCRN, "");
        write_record(IOSCRN, " ++> Error return (IER = " + I(IER, 1) + "; Line #" + I(ILINE, 3) +
                                 "; Period = " + F(two_pi_single / WFREQ, 6, 2) +
                                 ") from RTMI in CATSTR... ");
        fatal_stop(IOSCRN, KBD);
    }
    XCAT = X;
    const float S = WFREQ * CQCNST * XCAT * XCAT / KELAS;
    const float PHIEN = std::abs(S) > 1.0f ? -std::copysign(pi_single / 2.0f, S) : -std::asin(S);
    CYCAT = XCAT * CXTEND * std::polar(1.0f, PHIEN);
    const float P = PARITQ * SIGCAT * AXTEND * XCAT / KELAS + KRAT;
    CYELAS = CYCAT * Complex(P, CCWKE);
}

// LNGWAV: a transfer walk over the elements with wave numbers (u = CB cos kx + CA sin kx in
// each, displacement and tension continuous at the joints), scaled so that the far end is
// displaced by CYELAS. The node tensions are those at the nodes themselves: a joint node gets
// the tension where the two elements meet, and an element without a wave number passes its
// tension on unchanged. Reads CATCOM.KCTAN and LINCOM.WAVEK; writes CTOPF, CBOTF and, with
// GETNODE, CTOPFI(1..NELEM+1).
void LNGWAV(float WFREQ, Complex CYCAT, Complex CYELAS, float CATMASQ, float CQCNST, float XCAT,
            float SIGCAT, float TSTAT, Complex& CTOPF, Complex& CBOTF, std::int32_t NBUG,
            int IOSCRN, std::int32_t IREVRS, ElementReals SLEN, ElementAlphas ALPHA, int NELEM,
            std::span<Complex> CTOPFI, bool GETNODE) {
    (void)NBUG;
    (void)IOSCRN;
    const LincomBlock& C = LINCOM;
    const bool from_anchor = IREVRS == 1;
    // Element of walk step 1..NELEM, and the nodes at its start and end in walk order.
    const auto element_at = [&](int step) { return from_anchor ? NELEM + 1 - step : step; };
    const auto start_node = [&](int e) { return from_anchor ? e + 1 : e; };
    const auto end_node = [&](int e) { return from_anchor ? e : e + 1; };
    const auto node = [&](int n) -> Complex& {
        return CTOPFI[static_cast<std::size_t>(col_major(n, static_cast<int>(CTOPFI.size())))];
    };

    std::array<int, max_elements> order{}; // the elements with wave numbers, in walk order
    int count = 0;
    for (int step = 1; step <= NELEM; ++step)
        if (C.WAVEK(element_at(step)) != 0.0f)
            order[static_cast<std::size_t>(count++)] = element_at(step);

    if (count == 0) {
        const float W = WFREQ;
        CTOPF = CYCAT * Complex(SIGCAT * std::abs(CYCAT) + CATCOM.KCTAN - W * W * CATMASQ,
                                CQCNST * W * XCAT);
        CBOTF = CTOPF;
        if (GETNODE)
            for (int n = 1; n <= NELEM + 1; ++n)
                node(n) = CTOPF;
        return;
    }

    // (k / c) of element e: its tension per unit displacement coefficient.
    const auto stiffness = [&](int e) { return C.WAVEK(e) / EAINV(ALPHA, TSTAT, e); };
    // The state (CA, CB) carried across the joint from element k1 into element k2.
    const auto cross_joint = [&](int k1, int k2, float& CA, float& CB) {
        const float ARG = C.WAVEK(k1) * SLEN(k1);
        const float MUKRAT =
            (C.WAVEK(k1) * EAINV(ALPHA, TSTAT, k2)) / (C.WAVEK(k2) * EAINV(ALPHA, TSTAT, k1));
        const float CBOLD = CB;
        CB = CA * std::sin(ARG) + CB * std::cos(ARG);
        CA = (CA * std::cos(ARG) - CBOLD * std::sin(ARG)) * MUKRAT;
    };

    float CA = 1.0f;
    float CB = 0.0f;
    for (int j = 1; j < count; ++j)
        cross_joint(order[slot(j)], order[static_cast<std::size_t>(j)], CA, CB);
    const int NTOP = order[0];
    const int NBOT = order[slot(count)];
    const float ARG = C.WAVEK(NBOT) * SLEN(NBOT);
    const Complex U = CYELAS / (CA * std::sin(ARG) + CB * std::cos(ARG));
    CBOTF = stiffness(NTOP) * U;
    CTOPF = stiffness(NBOT) * U * (CA * std::cos(ARG) - CB * std::sin(ARG));
    if (!GETNODE)
        return;

    // The walk again, node by node.
    CA = 1.0f;
    CB = 0.0f;
    Complex carried = CBOTF;
    int previous = 0;
    for (int step = 1; step <= NELEM; ++step) {
        const int e = element_at(step);
        if (C.WAVEK(e) == 0.0f) {
            node(start_node(e)) = carried;
            node(end_node(e)) = carried;
            continue;
        }
        if (previous != 0)
            cross_joint(previous, e, CA, CB);
        previous = e;
        const float ARGE = C.WAVEK(e) * SLEN(e);
        node(start_node(e)) = stiffness(e) * U * CA;
        carried = stiffness(e) * U * (CA * std::cos(ARGE) - CB * std::sin(ARGE));
        node(end_node(e)) = carried;
    }
    node(start_node(element_at(1))) = CBOTF;
    node(end_node(element_at(NELEM))) = CTOPF;
}

namespace {

// The stiffness probe: its size, and whether it was given up (taken as purely elastic).
struct Probe {
    float PROBE = first_probe;
    bool given_up = false;
};

// stiffness_probe: the probe doubled until the series stiffness KEFF would change the mean
// tension FTMPQ0 by 1 %; after 300 doublings (the warning with the abort prompt on IOSCRN, KBD
// at every hundredth) it goes back to its first size and is given up. An abort ends the run.
Probe stiffness_probe(float KEFF, float FTMPQ0, int IOSCRN, int KBD) {
    Probe p;
    for (int NDOUBL = 0; !(KEFF * p.PROBE / FTMPQ0 > probe_tension_fraction);) {
        p.PROBE = 2.0f * p.PROBE;
        ++NDOUBL;
        if (NDOUBL % doublings_per_warning != 0)
            continue;
        write_record(IOSCRN, "");
        write_record(IOSCRN, " ++> Warning: DO-loop overflow in FOBLQ (label 49).");
        if (NDOUBL == max_doublings)
            write_record(IOSCRN, "     The stiffness probe is taken as purely elastic.");
        abort_or_continue(IOSCRN, KBD);
        if (NDOUBL == max_doublings) {
            p.PROBE = first_probe;
            p.given_up = true;
            break;
        }
    }
    return p;
}

// The line force at the fairlead in one pass of FOBLQ: horizontal and vertical force, and
// the top tension.
struct PassForce {
    float RFORCE = 0.0f;
    float FGZTMP = 0.0f;
    float FTMPQ = 0.0f;
};

// pass_force: line ILINE of type ITYP with its fairlead moved by DFLXG horizontally and DFLZG
// vertically from distance RANCQ: interpolated in the blended layer rows ILAYER, DELLAY, or
// solved as a vertical line when it has no horizontal load (a bottom-length mismatch warned
// with the abort prompt). Reads LINCOM and TPCM; VRTLIN or an abort may end the run.
PassForce pass_force(std::int32_t ILINE, std::int32_t ITYP, float RANCQ, float DFLXG, float DFLZG,
                     std::int32_t ILAYER, float DELLAY, std::int32_t NTAB, float ZMCTR, int IOSCRN,
                     int KBD) {
    const LincomBlock& C = LINCOM;
    PassForce f;
    const auto distances = C.ANCDST_from(1, ILAYER, ITYP);
    const float RANCD = RANCQ + DFLXG;
    std::int32_t IER = 0;
    std::int32_t MIN = 1;
    BSRCHQ(distances, DELLAY, RANCD, IER, MIN, NTAB);
    INTRPR(distances, C.HLOD_words, RANCD, f.RFORCE, MIN, DELLAY);
    if (f.RFORCE > 0.0f) {
        float TOPANG = 0.0f;
        INTRPQ(distances, C.TOPTEN_from(1, ILAYER, ITYP), RANCD, f.FTMPQ, MIN, DELLAY);
        INTRPQ(distances, C.TOPANG_from(1, ILAYER, ITYP), RANCD, TOPANG, MIN, DELLAY);
        f.FGZTMP = -f.RFORCE * std::tan(TOPANG);
        return f;
    }
    f.RFORCE = 0.0f;
    const float DELTAZ = TPCM.RFLD(3, ILINE) - ZMCTR + TPCM.ANCHGT(ITYP) + DFLZG;
    std::int32_t VRTFLG = 0;
    float ANCDST = 0.0f;
    float TOPANG = 0.0f;
    float BOTLEN = 0.0f;
    float BOTANG = 0.0f;
    VRTLIN(DELTAZ, ITYP, VRTFLG, C.TOTWT(ITYP), ANCDST, TOPANG, f.FTMPQ, BOTLEN, BOTANG);
    f.FGZTMP = -std::copysign(std::abs(f.FTMPQ), TOPANG);
    if (std::abs(ANCDST - BOTLEN) > bottom_mismatch) {
        write_record(IOSCRN, "Bottom length mismatch in FOBLQ:VRTLIN");
        abort_or_continue(IOSCRN, KBD);
    }
    return f;
}

// span_warning_once: the warning that the fairlead of line ILINE moved by DFLZG left the
// vertical interpolation span, once per run, with the abort prompt. Writes FOBLQ's store.
void span_warning_once(std::int32_t ILINE, float DFLZG, int IOSCRN, int KBD) {
    FoblqStore& store = foblq_store;
    if (!store.FRSTIM)
        return;
    store.FRSTIM = false;
    write_record(IOSCRN, "");
    write_record(IOSCRN, " ++> Warning: A vertical translation of amount " + F(DFLZG, 6, 2) +
                             " has carried");
    write_record(IOSCRN, "     fairlead number " + I(ILINE, 2) +
                             " (and possibly others) outside the bounds of the");
    write_record(IOSCRN, "     specified vertical interpolation span in FOBLQ.");
    write_record(IOSCRN, "     Consider increasing the span before continuing simulation.");
    abort_or_continue(IOSCRN, KBD);
}

// probe_warnings: after the probe pass of line ILINE, the warning that the table's catenary
// stiffness KCATO and the series' KCAT differ by more than half (until 99 asks for silence,
// not twice running for one line), and the once-per-run warning of a KCATO that is not
// positive. Writes FOBLQ's store; an abort ends the run.
void probe_warnings(std::int32_t ILINE, float KCAT, float KCATO, int IOSCRN, int KBD) {
    FoblqStore& store = foblq_store;
    if (store.KFIRST && ILINE != store.LSTLN && std::abs(KCAT - KCATO) / KCAT > mismatch_fraction) {
        store.LSTLN = ILINE;
        write_record(IOSCRN, "");
        write_record(IOSCRN, " ++> Warning: KCAT, KCATO differ in FOBLQ for line #" + I(ILINE, 3));
        if (silence_asked(IOSCRN, KBD))
            store.KFIRST = false;
    }
    if (store.KFRSTP && KCATO <= 0.0f) {
        store.KFRSTP = false;
        singular_warning("KCATO", ILINE, IOSCRN);
        if (IOSCRN == diagnostics_unit) {
            write_record(IOSCRN, "");
        } else {
            write_record(IOSCRN, "              Enter 99 to ignore additional ocurrences "
                                 "of this condition OR...");
            abort_or_continue(IOSCRN, KBD);
        }
    }
}

} // namespace

// FOBLQ: mean top tension from the mean layer row, then the probe, extension and compression
// passes with the fairlead displaced along the line, each interpolated in the blended layer
// rows (or solved as a vertical line when the displaced line has no horizontal load). The
// probe is doubled until the elastic-catenary series would change the tension by 1 %; a line
// whose series stiffness is not positive never gets there, so after 300 doublings (the
// warning given at every hundredth) the probe goes back to its first size and is taken as
// purely elastic. Reads LINCOM (ANCDST, TOPTEN, TOPANG, HLOD, TOTWT) and TPCM (RFLD, ANCHGT);
// writes the outputs and FOBLQ's warning flags; VRTLIN may end the run, and so may an abort.
void FOBLQ(std::int32_t ILINE, std::int32_t ITYP, float RANCQ, float EXTNSN, float KCAT,
           float KELAS, std::int32_t MIDLYR, float DLAYER, std::int32_t NLAYER, std::int32_t NTAB,
           float ZSPAN, float XMCTR, float YMCTR, float ZMCTR, int IOSCRN, int KBD, float& RFORCE,
           float& FGZTMP, float& KSTATN, float FXCOMP, float FZCOMP, float& KCATO, float& SIGCP,
           float& SIGCM, float& YCATP, float& YCATM) {
    (void)XMCTR;
    (void)YMCTR;
    LincomBlock& C = LINCOM;
    FoblqStore& store = foblq_store;

    std::int32_t IER = 0;
    std::int32_t MIN = 1;
    const auto mean_distances = C.ANCDST_from(1, MIDLYR, ITYP);
    BSRCH(mean_distances, RANCQ, IER, MIN, NTAB);
    float FTMPQ0 = 0.0f;
    INTERP(mean_distances, C.TOPTEN_from(1, MIDLYR, ITYP), RANCQ, FTMPQ0, MIN);
    const float KEFF = 1.0f / (1.0f / KELAS + 1.0f / KCAT);
    const Probe probe = stiffness_probe(KEFF, FTMPQ0, IOSCRN, KBD);

    bool sigcq_warned = false; // the singular correction is reported once per call
    for (int pass = 1; pass <= 3; ++pass) {
        const float EXTN = pass == 1 ? probe.PROBE : (pass == 2 ? EXTNSN : -EXTNSN);
        const float DFLXG = FXCOMP * EXTN;
        const float DFLZG = FZCOMP * EXTN;
        std::int32_t ILAYER = 1;
        float DELLAY = 0.0f;
        std::int32_t OUTWRN = 0;
        SETLYR(NLAYER, MIDLYR, DLAYER, ZSPAN, DFLZG, ILAYER, DELLAY, OUTWRN);
        if (OUTWRN == 1)
            span_warning_once(ILINE, DFLZG, IOSCRN, KBD);
        const PassForce f =
            pass_force(ILINE, ITYP, RANCQ, DFLXG, DFLZG, ILAYER, DELLAY, NTAB, ZMCTR, IOSCRN, KBD);
        RFORCE = f.RFORCE;
        FGZTMP = f.FGZTMP;

        // The catenary displacement: what the elastic stretch leaves of the displacement.
        const float DELF = f.FTMPQ - FTMPQ0;
        bool ELASFL = true;
        float YCAT = 0.0f;
        if (!(pass == 1 && probe.given_up) && KCAT != stiff_line &&
            std::abs(DELF) < std::abs(KELAS * EXTN)) {
            YCAT = EXTN - DELF / KELAS;
            ELASFL = false;
        }

        if (pass == 1) {
            KCATO = ELASFL ? KCAT : DELF / YCAT;
            KSTATN = DELF / EXTN;
            probe_warnings(ILINE, KCAT, KCATO, IOSCRN, KBD);
            continue;
        }

        const float SIGC =
            ELASFL ? 0.0f : ((KCATO / KELAS + 1.0f) * DELF - KCATO * EXTN) / (YCAT * YCAT);
        if (pass == 2) {
            SIGCP = SIGC;
            YCATP = YCAT;
        } else {
            SIGCM = SIGC;
            YCATM = YCAT;
        }
        if (store.SGFRST && !sigcq_warned && SIGC < 0.0f) {
            const float linear_change = ELASFL ? DELF : KCAT * YCAT;
            if (std::abs(SIGC * YCAT * YCAT / linear_change) > singular_fraction &&
                std::abs(DELF / FTMPQ0) > singular_fraction) {
                sigcq_warned = true;
                singular_warning("SIGCQ", ILINE, IOSCRN);
                if (silence_asked(IOSCRN, KBD))
                    store.SGFRST = false;
            }
        }
    }
}

} // namespace lintar
