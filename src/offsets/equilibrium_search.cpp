// offsets/equilibrium_search.cpp: EQFND2, the Newton search for the static equilibrium of the
// vessel under a prescribed load at a "continuous equilibrium" offset point, with its failure
// dialogue.
#include "offsets/equilibrium_search.h"

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "equilibrium/newton_steps.h"
#include "lines/catenary_elements.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/algebra.h"
#include "util/answer_reader.h"
#include "util/prompts.h"
#include "util/table_search.h"

#include <cmath>
#include <string>

namespace lintar {

namespace {

using Vec3 = std::array<float, 3>;

// What EQFND2 keeps from call to call for the whole run: the last two solutions (the next
// point extrapolates them), the difference steps (the dialogue may change them), the mooring
// load at the first point of the sequence (the zero of the residual), the largest rotation
// component admitted and the tolerances on the Newton step.
struct EquilibriumSearchStore {
    Vec6 XVEC_LAST{};
    Vec6 XVEC_NEXT_TO_LAST{};
    Vec6 EPS = {0.1f, 0.1f, 0.1f, 0.001f, 0.001f, 0.001f};
    float FGXTM0 = 0.0f, FGYTM0 = 0.0f, FGZTM0 = 0.0f;
    float TGXTM0 = 0.0f, TGYTM0 = 0.0f, TGZTM0 = 0.0f;
    float ANGLIM = 3.0f;
    Vec6 DXERR = {0.01f, 0.01f, 0.01f, 0.001f, 0.001f, 0.001f};
};
EquilibriumSearchStore eqfnd2_store;
const StateReset reset_eqfnd2_store{[] { eqfnd2_store = EquilibriumSearchStore{}; },
                                    StoreKind::analysis};

// Steps counted before the failure dialogue: the 201st unconverged step opens it.
constexpr std::int32_t counted_steps = 200;

// How the Newton steps end: converged, or at one of the two failures of the dialogue.
enum class SearchEnd { converged, null_determinant, no_convergence };

// How the search goes on after the dialogue: at the finish, or from the restart point.
enum class Resume { finish, restart };

// The search at one point: the constants taken at entry, the force evaluation and the iterate.
class Search {
public:
    Search(std::array<float, 6>& FEXT_, std::array<float, 6>& XVEC_, std::int32_t INCVAL_,
           EquilibriumResult& result_, const AppliedLoadFrame& frame_, std::int32_t MINLN,
           std::int32_t MAXLN, SpanWarning& warn_)
        : FEXT(FEXT_), XVEC(XVEC_), INCVAL(INCVAL_), result(result_), frame(frame_), warn(warn_),
          tables(lincom_tables()), lines(lincom_mooring_lines(MINLN, MAXLN)) {
        HVCNST = TPCM.AWP * TPCM.DWATR * 0.001f;
        PTCNST = (TPCM.VKML - TPCM.VKG) * TPCM.DISPL;
        RLCNST = (TPCM.VKMT - TPCM.VKG) * TPCM.DISPL;
        ZORGN = TPCM.VKG;
        COSANG = std::cos(TPCM.VESAN0);
        SINANG = std::sin(TPCM.VESAN0);
        FCNTR = {frame.FAPPNT[0], frame.FAPPNT[1], frame.FAPPNT[2] - TPCM.VKG};
        state.VESAN0 = TPCM.VESAN0;
        centres.ZMCTR = ZORGN;
        centres.ROTCTZ = ZORGN;
        CALM = TPCM.IARCO != 0 && TPCM.SIMTYP == 8;
    }

    void start();
    SearchEnd newton();
    Resume dialogue(SearchEnd failure, std::int32_t& QUITFG);
    void finish(const LineResults& results);

private:
    void evaluate(const Vec6& X);
    void hawser_pull();
    void external_load();

    std::array<float, 6>& FEXT;
    std::array<float, 6>& XVEC;
    std::int32_t INCVAL;
    EquilibriumResult& result;
    const AppliedLoadFrame& frame;
    SpanWarning& warn;
    LineTables tables;
    MooringLines lines;

    float HVCNST = 0.0f, PTCNST = 0.0f, RLCNST = 0.0f, ZORGN = 0.0f;
    float COSANG = 1.0f, SINANG = 0.0f;
    Vec3 FCNTR{};
    bool CALM = false;

    SixDofState state;
    ForceCentres centres; // moment centre and centre of rotation at (0, 0, ZORGN)
    SixDofLoads loads;    // of the last evaluation
    Vec6 FVEC{};          // residual of the last evaluation
    Vec6 FSAV{};          // residual at the current iterate
    Vec6 XSAV{};          // iterate before the last step
    Vec6 LOAD{};          // FLOC, TLOC: the external force and couple, global axes
    Mat3 RVG = identity3; // vessel axes into global axes at the current attitude
    std::int32_t ITRATN = 0;
};

// The force evaluation E(X): the mooring force and moment about (0, 0, ZORGN), global axes,
// less the hydrostatic restoring in heave, roll and pitch. FMOOR2's span warning may end the
// run ("A" at its prompt).
void Search::evaluate(const Vec6& X) {
    VARUPD(X, state);
    const Perturbation plain; // DRVFLG 0, no trim
    loads = FMOOR2(state, plain, centres, tables, lines, TPCM.DRAFT, warn);
    // Roll and pitch of the vessel turned into rotations about the global axes.
    const float GPIT_COR = loads.ROLANG * SINANG + loads.PITANG * COSANG;
    const float GROL_COR = loads.ROLANG * COSANG - loads.PITANG * SINANG;
    FVEC = {loads.FGXMOR,
            loads.FGYMOR,
            loads.FGZMOR - X[2] * HVCNST,
            loads.TGXMOR - GROL_COR * RLCNST,
            loads.TGYMOR - GPIT_COR * PTCNST,
            loads.TGZMOR};
}

// Start estimate and the zero of the residual: INCVAL 1 starts at rest and takes the mooring
// load there; 2 starts from XVEC as passed; later points extrapolate the last two solutions.
void Search::start() {
    EquilibriumSearchStore& S = eqfnd2_store;
    if (INCVAL == 1) {
        XVEC.fill(0.0f);
    } else if (INCVAL > 2) {
        for (std::size_t k = 0; k < 6; ++k)
            XVEC[k] = 2.0f * S.XVEC_LAST[k] - S.XVEC_NEXT_TO_LAST[k];
    }
    evaluate(XVEC);
    if (INCVAL == 1) {
        S.FGXTM0 = loads.FGXMOR;
        S.FGYTM0 = loads.FGYMOR;
        S.FGZTM0 = loads.FGZMOR;
        S.TGXTM0 = loads.TGXMOR;
        S.TGYTM0 = loads.TGYMOR;
        S.TGZTM0 = loads.TGZMOR;
    }
}

// The CALM arrangement: the hawser's vertical pull at its fairlead, from the top angle of the
// hawser's type at the hawser's horizontal load, blended between the layer rows around the
// fairlead's height. Writes FEXT(3) and the layer row and fraction of the result.
void Search::hawser_pull() {
    const std::int32_t h = TPCM.HAWSLN;
    const std::int32_t t = TPCM.HAWSTP;
    if (h < 1 || h > lincom_lines || t < 1 || t > lincom_types)
        return; // no hawser to take the pull from
    // The fairlead relative to (0, 0, ZORGN), turned as the vessel is; its rise and the heave.
    const Vec3 r = {TPCM.RFLD(1, h), TPCM.RFLD(2, h), TPCM.RFLD(3, h) - ZORGN};
    Vec3 turned{};
    GMPRD(RVG, r, turned, 3, 3, 1);
    const float DZ = turned[2] - r[2] + state.ZVES;
    std::int32_t OUTWRN = 0;
    SETLYR(tables.NLAYER, tables.MIDLYR, tables.DLAYER, tables.ZSPAN, DZ, result.ILAYR,
           result.DELLAY, OUTWRN);
    // The tables are indexed by the horizontal load: the length of the horizontal force alone.
    // FEXT(3) holds the pull of the previous step, which must not feed back into the load.
    const float H = std::hypot(FEXT[0], FEXT[1]);
    std::int32_t IER = 0;
    std::int32_t MIN = 1;
    BSRCH(tables.HLOD, H, IER, MIN, tables.NTAB);
    float a = 0.0f;
    INTRPS(tables.HLOD, tables.column(tables.TOPANG, result.ILAYR, t), H, a, MIN, result.DELLAY);
    FEXT[2] = -H * std::tan(a);
}

// The external force and couple in global axes about (0, 0, ZORGN) at the current attitude.
// The vessel axes include the quiescent heading, as FMOOR2's vessel axes do, so a force given
// in vessel axes turns with a vessel that lies at a heading.
void Search::external_load() {
    const Vec3 F = {FEXT[0], FEXT[1], FEXT[2]};
    const Vec3 C = {FEXT[3], FEXT[4], FEXT[5]};
    const bool centre_zero = FCNTR[0] == 0.0f && FCNTR[1] == 0.0f && FCNTR[2] == 0.0f;
    const bool force_zero = F[0] == 0.0f && F[1] == 0.0f && F[2] == 0.0f;
    const bool couple_zero = C[0] == 0.0f && C[1] == 0.0f && C[2] == 0.0f;
    const bool SKPFLG =
        centre_zero && ((force_zero && frame.TQVES == 0) || (couple_zero && frame.FCVES == 0) ||
                        (frame.FCVES == 0 && frame.TQVES == 0));
    if (SKPFLG) {
        LOAD = FEXT;
        return;
    }
    Vec3 f = F; // the force in vessel axes
    if (frame.FCVES != 1)
        GTPRD(RVG, F, f, 3, 3, 1);
    Vec3 m{};
    XPROD(FCNTR, f, m);
    Vec3 TLOC{};
    if (frame.TQVES == 1) {
        const Vec3 total = {m[0] + C[0], m[1] + C[1], m[2] + C[2]};
        GMPRD(RVG, total, TLOC, 3, 3, 1);
    } else {
        GMPRD(RVG, m, TLOC, 3, 3, 1);
        for (std::size_t k = 0; k < 3; ++k)
            TLOC[k] += C[k];
    }
    Vec3 FLOC = F;
    if (frame.FCVES == 1)
        GMPRD(RVG, F, FLOC, 3, 3, 1);
    LOAD = {FLOC[0], FLOC[1], FLOC[2], TLOC[0], TLOC[1], TLOC[2]};
}

// Newton steps from the restart point until the step meets the tolerances, the Jacobian is
// singular, or the 201st step has not converged.
SearchEnd Search::newton() {
    EquilibriumSearchStore& S = eqfnd2_store;
    XSAV = XVEC;
    ITRATN = 0;
    for (;;) {
        evaluate(XVEC);
        FSAV = FVEC;
        XSAV = XVEC;
        // Vessel axes into global axes: the rotation (in the axes of the quiescent heading)
        // followed by the turn to that heading.
        Mat3 T{};
        Mat3 R{};
        GMPRD(loads.ZROTL, loads.ROTVO, T, 3, 3, 3);
        GTPRD(loads.ROTVO, T, R, 3, 3, 3);
        const Mat3 heading = {COSANG, SINANG, 0.0f, -SINANG, COSANG, 0.0f, 0.0f, 0.0f, 1.0f};
        GMPRD(heading, R, RVG, 3, 3, 3);
        if (CALM)
            hawser_pull();
        external_load();

        // Forward-difference Jacobian of the residual.
        std::array<float, 36> DFMAT{};
        for (std::size_t J = 0; J < 6; ++J) {
            XVEC[J] = XSAV[J] + S.EPS[J];
            evaluate(XVEC);
            for (std::size_t I = 0; I < 6; ++I)
                DFMAT[J * 6 + I] = (FVEC[I] - FSAV[I]) / S.EPS[J];
            XVEC[J] = XSAV[J];
        }
        float DETRM = 0.0f;
        std::array<std::int32_t, 6> L{};
        std::array<std::int32_t, 6> M{};
        MINV(DFMAT, 6, DETRM, L, M);
        // A NaN determinant (a difference step of 0 typed at the dialogue) is as unusable as a
        // zero one: the dialogue lets the user set the steps again.
        if (DETRM == 0.0f || std::isnan(DETRM))
            return SearchEnd::null_determinant;

        const Vec6 ZERO = {S.FGXTM0, S.FGYTM0, S.FGZTM0, S.TGXTM0, S.TGYTM0, S.TGZTM0};
        for (std::size_t I = 0; I < 6; ++I)
            FVEC[I] = FSAV[I] + LOAD[I] - ZERO[I];
        Vec6 DXVEC{};
        GMPRD(DFMAT, FVEC, DXVEC, 6, 6, 1);

        // From the 25th step on, odd steps keep their iterate and even steps average with it.
        damped_step(XVEC, DXVEC, ITRATN, S.XVEC_LAST);
        const bool limited = halve_into_range(XVEC, S.ANGLIM, TPCM.DEPTH - TPCM.DRAFT);
        // A step that is not a number never meets the tolerances.
        bool DOMOR = limited;
        for (std::size_t I = 0; I < 6; ++I)
            if (!(std::abs(DXVEC[I]) <= S.DXERR[I]))
                DOMOR = true;

        switch (count_newton_step(DOMOR, ITRATN)) {
        case NewtonOutcome::converged:
            return SearchEnd::converged;
        case NewtonOutcome::failed:
            return SearchEnd::no_convergence;
        case NewtonOutcome::another_step:
            break;
        }
    }
}

// The failure dialogue on EDUNIT, shown again until an answer is understood. An unattended
// run stops (status 1) where the answer would be asked for; "A" ends the run (the user's
// choice); "Q" and "C" finish at the current and at the midpoint estimate; "R", "Z" and "I"
// go on from the restart point.
Resume Search::dialogue(SearchEnd failure, std::int32_t& QUITFG) {
    EquilibriumSearchStore& S = eqfnd2_store;
    const int EDUNIT = TPCM.EDUNIT;
    const bool singular = failure == SearchEnd::null_determinant;
    const auto midpoint = [&] { midpoint_estimate(XVEC, XSAV); };
    for (;;) {
        write_record(EDUNIT, "");
        write_record(
            EDUNIT, std::string(" ++> ") + (singular ? "Null Determinant" : "Convergence failure") +
                        " in equilibrium position search at offset number " + I(INCVAL, 2) + ";");
        write_record(EDUNIT, "     enter \"C\" to Continue with current estimate");
        write_record(EDUNIT, "     enter \"Q\" to Quit and proceed to next sequence");
        write_record(EDUNIT, "     enter \"R\" to Resume search from current estimate");
        write_record(EDUNIT, singular ? "     enter \"I\" to Inspect EPS  & adjust on the fly"
                                      : "     enter \"I\" to Inspect XVEC & adjust on the fly");
        write_record(EDUNIT, "     enter \"Z\" to Zero out estimate & retry from scratch, or");
        switch (failure_dialogue_answer(EDUNIT)) {
        case 'A':
            result.ITFAIL = true;
            TPCM.LBACK = 0;
            stop_program(StopKind::user_choice);
        case 'Q':
            note_accepted_failure();
            result.ITFAIL = true;
            QUITFG = 1;
            TPCM.LBACK = 0;
            return Resume::finish;
        case 'C':
            note_accepted_failure();
            midpoint();
            result.ITFAIL = true;
            TPCM.LBACK = 0;
            return Resume::finish;
        case 'R':
            midpoint();
            return Resume::restart;
        case 'Z':
            XVEC.fill(0.0f);
            return Resume::restart;
        case 'I': {
            Vec6& values = singular ? S.EPS : XVEC;
            write_record(EDUNIT, singular ? "   EPS(I),I=1,6:" : "   XVEC(I),I=1,6:");
            std::string line = " ";
            for (const float v : values)
                line += PE(v, 1, 12, 3);
            write_record(EDUNIT, line);
            write_record(EDUNIT, "");
            for (int i = 1; i <= 6; ++i) {
                WRTLIN("New value (" + std::to_string(i) + ") (c/r for no change):", EDUNIT);
                bool CR = false;
                CRREAD(values[slot(i)], CR, keyboard_unit);
            }
            return Resume::restart;
        }
        default:
            break; // not understood: the dialogue again
        }
    }
}

// The finish: the force routine once more at the solution, about the moment centre of TPCM,
// recording every line's displaced geometry in LINCOM; the solution becomes the last one.
void Search::finish(const LineResults& results) {
    EquilibriumSearchStore& S = eqfnd2_store;
    VARUPD(XVEC, state);
    ForceCentres at_solution;
    at_solution.XMCTR = TPCM.RMCTRG(1);
    at_solution.YMCTR = TPCM.YMCTR();
    at_solution.ZMCTR = TPCM.ZMCTR();
    at_solution.ROTCTZ = ZORGN;
    const Perturbation plain;
    result.loads = FMOOR2(state, plain, at_solution, tables, lines, TPCM.DRAFT, warn, results, 2,
                          lincom_displaced());
    S.XVEC_NEXT_TO_LAST = S.XVEC_LAST;
    S.XVEC_LAST = XVEC;
}

} // namespace

// EQFND2: see the header. Reads TPCM and LINCOM; writes LINCOM's displaced geometry, the
// per-line columns of `results` and the search's own store; the dialogue on EDUNIT and the
// keyboard can end the run.
void EQFND2(std::array<float, 6>& FEXT, std::array<float, 6>& XVEC, std::int32_t INCVAL,
            const LineResults& results, EquilibriumResult& result, const AppliedLoadFrame& frame,
            std::int32_t& QUITFG, std::int32_t MINLN, std::int32_t MAXLN, SpanWarning& warn) {
    if (TPCM.NBUG0 == 1) {
        write_record(TPCM.EDUNIT, " ### In EQFND2:");
        std::int32_t NBUG = 0;
        INBUG(NBUG, TPCM.EDUNIT, keyboard_unit);
    }
    result.ITFAIL = false;
    Search search(FEXT, XVEC, INCVAL, result, frame, MINLN, MAXLN, warn);
    search.start();
    for (;;) {
        const SearchEnd end = search.newton();
        if (end == SearchEnd::converged || search.dialogue(end, QUITFG) == Resume::finish)
            break;
    }
    search.finish(results);
}

// count_newton_step: see the header.
NewtonOutcome count_newton_step(bool DOMOR, std::int32_t& ITRATN) {
    if (!DOMOR)
        return NewtonOutcome::converged;
    ITRATN += 1;
    return ITRATN > counted_steps ? NewtonOutcome::failed : NewtonOutcome::another_step;
}

} // namespace lintar
