// equilibrium/six_dof_equilibrium.cpp: EQFND3, the six-degree-of-freedom static equilibrium,
// its load steps, failure dialogue and spring and set-down procedure.
#include "equilibrium/six_dof_equilibrium.h"

#include "blocks/catcom.h"
#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/lincom.h"
#include "blocks/local2.h"
#include "blocks/pascom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/net_environment.h"
#include "equilibrium/equilibrium_geometry.h"
#include "equilibrium/line_current_drag.h"
#include "equilibrium/newton_steps.h"
#include "lines/axial_stiffness.h"
#include "lines/mooring_force.h"
#include "lines/mooring_stiffness.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/algebra.h"
#include "util/angles.h"
#include "util/answer_reader.h"
#include "util/program_types.h"
#include "util/prompts.h"
#include "util/scope_restore.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace lintar {

namespace {

// What EQFND3 keeps for the whole run: the difference steps (the dialogue may change them),
// the tolerances, the largest rotation component and the reference load of the residual (set by
// each still-water solution).
struct SixDofStore {
    Vec6 EPS = {0.1f, 0.1f, 0.1f, 0.001f, 0.001f, 0.001f};
    Vec6 DXERR = {0.01f, 0.01f, 0.01f, 0.0001f, 0.0001f, 0.0001f};
    Vec6 XERR = {0.01f, 0.01f, 0.01f, 0.0001f, 0.0001f, 0.0001f};
    float RATERR_FAR = 0.0001f;
    float RATERR_NEAR = 0.01f;
    float ANGLIM = 3.0f;
    Vec6 reference{}; // FGXTM0, FGYTM0, FGZTM0, TGXTM0, TGYTM0, TGZTM0
};
SixDofStore eqfnd3_store;
const StateReset reset_eqfnd3_store{[] { eqfnd3_store = SixDofStore{}; }, StoreKind::analysis};

// Iterations before the failure dialogue; doublings of the load steps of a tension-leg
// platform's singular first step.
constexpr std::int32_t iteration_limit = 200;
constexpr std::int32_t doubling_limit = 2;
// Below this a divisor of the spring procedure counts as none.
constexpr float tiny_divisor = 1.0e-6f;

// Turns the pairs (1, 2) and (4, 5) of a load by `angle`.
void rotate_pairs(Vec6& F, float angle) {
    ROT2D(F[0], F[1], angle);
    ROT2D(F[3], F[4], angle);
}

// How a Newton search ends.
enum class SearchEnd { converged, null_determinant, no_convergence, doubled };

class SixDofSearch {
public:
    SixDofSearch(bool ENVRON_, bool INITFLAG_, Vec6& XVEC_)
        : ENVRON(ENVRON_), INITFLAG(INITFLAG_), XVEC(XVEC_), tables(lincom_tables()),
          lines(lincom_mooring_lines(LOCAL2.MINLN, LOCAL2.MAXLN)) {
        const TpcmBlock& T = TPCM;
        HVCNST = T.AWP * T.DWATR * 0.001f;
        PTCNST = (T.VKML - T.VKG) * T.DISPL;
        RLCNST = (T.VKMT - T.VKG) * T.DISPL;
        ZORGN = T.VKG;
        EDUNIT = T.EDUNIT;
        state.VESAN0 = T.VESAN0;
        centres.XMCTR = T.RMCTRG(1);
        centres.YMCTR = T.YMCTR();
        centres.ZMCTR = T.ZMCTR();
        centres.ROTCTX = centres.XMCTR;
        centres.ROTCTY = centres.YMCTR;
        centres.ROTCTZ = centres.ZMCTR;
        warn.IOSCRN = EDUNIT;
        warn.KBD = keyboard_unit;
        warn.TENDON_FLG = T.TENDON_FLG;
    }

    SixDofOutcome run(std::span<const float, 6> X_INIT0, std::span<const float, 6> F_INIT0,
                      bool GETSPRING);
    SixDofLoads loads; // of the last mooring evaluation

private:
    void unpack(const Vec6& X);
    Vec6 mooring_load(const Vec6& X, const LineResults& results = {});
    void applied_load();
    SearchEnd newton();
    bool dialogue(SearchEnd failure); // true: converged ("C"), false: restart
    void spring_stage(bool& more);
    void spring_reference(std::span<const float> TOPTT, float VESANG);
    void surge_pull_results(std::span<const float> TOPTT);
    void spring_results();
    float quotient(float num, float den);
    void load_steps(std::span<const float, 6> X_INIT0, std::span<const float, 6> F_INIT0,
                    bool GETSPRING);
    void store_final_state();

    bool ENVRON, INITFLAG;
    Vec6& XVEC;
    LineTables tables;
    MooringLines lines;
    SixDofState state;
    ForceCentres centres;
    SpanWarning warn;
    int EDUNIT = 6;
    float HVCNST = 0.0f, PTCNST = 0.0f, RLCNST = 0.0f, ZORGN = 0.0f;
    float SCALE_FAC = 1.0f;
    std::int32_t NSCALE = 1, ISCALE = 1, ITRATN = 0, NCYCLE = 0, ISPRING = 0;
    bool FORCE_RAO = true;
    Vec6 F_INIT{}, FAPPL{}, FLOC{}, FSAV{}, XSAV{}, DXVEC{}, XVEC_LAST{}, XVEC_NEXT_TO_LAST{};
    SixDofOutcome outcome;
    // The spring procedure's reference and its results so far.
    Vec6 XVEC0{}, FAPPL0{}, F_INIT_SAVED{};
    float RVAL0 = 0.0f, VOFANG_R = 0.0f, DRVAL = 0.0f, TOPTT0 = 0.0f, KELAS = 0.0f;
    std::int32_t LEG = 0; // the first tension leg, 0 none
    bool divisor_warned = false;
};

// VARUPD into the state, the heading and rotation words of EQUILB.
void SixDofSearch::unpack(const Vec6& X) {
    VARUPD(X, state);
    EquilbBlock& Q = EQUILB;
    Q.RVES(1) = state.RVES1;
    Q.YCGVAR() = state.RVES2;
    Q.ZCGVAR = state.ZVES;
    Q.VESANG() = state.VESANG;
    for (int k = 1; k <= 3; ++k)
        Q.ROTDIR(k) = state.ROTDIR[slot(k)];
    Q.ROTVAL = state.ROTVAL_DEG;
    Q.ROTMOD = state.ROTMOD;
}

// The mooring and hydrostatic load at X, global axes: the restoring of heave, roll and pitch
// (roll and pitch turned from the body angles into the global axes) and the spar's suction.
Vec6 SixDofSearch::mooring_load(const Vec6& X, const LineResults& results) {
    unpack(X);
    const Perturbation plain;
    loads = FMOOR2(state, plain, centres, tables, lines, TPCM.DRAFT, warn, results);
    const float c = std::cos(TPCM.VESAN0);
    const float s = std::sin(TPCM.VESAN0);
    const float p = loads.PITANG * c + loads.ROLANG * s;
    const float r = loads.ROLANG * c - loads.PITANG * s;
    return {loads.FGXMOR,
            loads.FGYMOR,
            loads.FGZMOR - X[2] * HVCNST - EQUILB.CRNTSUCK + EQUILB.WINDSUCK,
            loads.TGXMOR - RLCNST * r,
            loads.TGYMOR - PTCNST * p,
            loads.TGZMOR};
}

// The applied load in vessel axes, with the environment and its heeling moments.
void SixDofSearch::applied_load() {
    const TpcmBlock& T = TPCM;
    const EquilbBlock& Q = EQUILB;
    const float VESANG = EQUILB.VESANG();
    FAPPL = F_INIT;
    rotate_pairs(FAPPL, -VESANG);
    if (!ENVRON)
        return;
    PASCOM.DELTA_DRAFT = -XVEC[2];
    NetForces E = NETFOR(VESANG, FORCE_RAO);
    float line_drag = LINCOM.FCURNT_LNS;
    if (ISCALE < NSCALE) {
        for (float* f : {&E.FXWIND, &E.FYWIND, &E.FXWAVE, &E.FYWAVE, &E.FXSWEL, &E.FYSWEL,
                         &E.FXSWEL2, &E.FYSWEL2, &E.FXWVDG, &E.FYWVDG, &E.FXSWDG, &E.FYSWDG,
                         &E.FXSWDG2, &E.FYSWDG2, &E.FXCURR, &E.FYCURR, &E.FXENVT, &E.FYENVT})
            *f *= SCALE_FAC;
        line_drag *= SCALE_FAC;
    }
    FAPPL[0] += E.FXENVT;
    FAPPL[1] += E.FYENVT;
    const bool drag = T.LCURML != 0 && T.LCURNT != 0;
    const float drag_angle = LINCOM.CURF_ANG_LINS - VESANG;
    if (drag) {
        FAPPL[0] += line_drag * std::cos(drag_angle);
        FAPPL[1] += line_drag * std::sin(drag_angle);
    }
    FAPPL[5] += TORQUE(VESANG);
    // Heeling moments about the height ZORGN.
    const float drift_y = E.FYWAVE + E.FYWVDG + E.FYSWEL + E.FYSWEL2 + E.FYSWDG + E.FYSWDG2;
    const float drift_x = E.FXWAVE + E.FXWVDG + E.FXSWEL + E.FXSWEL2 + E.FXSWDG + E.FXSWDG2;
    float roll =
        drift_y * (T.DRAFT - ZORGN) + (T.ZYCARM - ZORGN) * E.FYCURR + (T.ZYWARM - ZORGN) * E.FYWIND;
    float pitch =
        drift_x * (T.DRAFT - ZORGN) + (T.ZXCARM - ZORGN) * E.FXCURR + (T.ZXWARM - ZORGN) * E.FXWIND;
    const struct {
        std::int32_t on, axes;
        float direction, magnitude, z;
    } applied[3] = {{T.AUXFRC, T.CRDSYS, Q.PHIFEX, Q.FEXTRN, T.ZVLOC},
                    {T.AXFC2, T.CRDS2, Q.PHIFX2, Q.FXTRN2, T.ZVLOC2},
                    {T.AXFC3, T.CRDS3, Q.PHIFX3, Q.FXTRN3, T.ZVLOC3}};
    for (const auto& a : applied) {
        if (a.on == 0)
            continue;
        const float angle = a.axes == 0 ? a.direction - VESANG : a.direction;
        const float lever = a.z - ZORGN;
        roll += lever * a.magnitude * std::sin(angle);
        pitch += lever * a.magnitude * std::cos(angle);
    }
    FAPPL[3] -= roll;
    FAPPL[4] += pitch;
    if (drag) {
        FAPPL[3] += LINCOM.XYCRMG * std::sin(drag_angle);
        FAPPL[4] -= LINCOM.XYCRMG * std::cos(drag_angle);
    }
}

// Newton iterations from the present estimate.
SearchEnd SixDofSearch::newton() {
    SixDofStore& S = eqfnd3_store;
    XSAV = XVEC;
    ITRATN = 0;
    for (;;) {
        // The loads at the iterate.
        unpack(XVEC);
        applied_load();
        FSAV = mooring_load(XVEC);
        XSAV = XVEC;
        FLOC = FAPPL;
        rotate_pairs(FLOC, EQUILB.VESANG());

        // The Jacobian of the mooring and hydrostatic load.
        std::array<float, 36> DFMAT{};
        for (std::size_t J = 0; J < 6; ++J) {
            Vec6 X = XSAV;
            X[J] += S.EPS[J];
            const Vec6 L = mooring_load(X);
            for (std::size_t I = 0; I < 6; ++I)
                DFMAT[J * 6 + I] = (L[I] - FSAV[I]) / S.EPS[J];
        }
        unpack(XVEC);

        // The inverse; a singular one.
        float DETRM = 0.0f;
        std::array<std::int32_t, 6> Lw{};
        std::array<std::int32_t, 6> Mw{};
        MINV(DFMAT, 6, DETRM, Lw, Mw);
        if (DETRM == 0.0f || std::isnan(DETRM)) {
            if (TPCM.SIMTYP == 14 && ISCALE == 1 && NCYCLE <= doubling_limit) {
                NCYCLE += 1;
                NSCALE *= 2;
                return SearchEnd::doubled;
            }
            return SearchEnd::null_determinant;
        }

        // The step, its heave within one layer of the tables.
        Vec6 FVEC{};
        for (std::size_t I = 0; I < 6; ++I)
            FVEC[I] = FSAV[I] + FLOC[I] - S.reference[I];
        GMPRD(DFMAT, FVEC, DXVEC, 6, 6, 1);
        // Tables of one row have no layer height, and their heave is not limited.
        const float DLAYER = tables.DLAYER;
        if (DLAYER > 0.0f && std::abs(DXVEC[2]) > DLAYER)
            DXVEC[2] = std::copysign(DLAYER, DXVEC[2]);

        // The update, damped from the 25th iteration; the range check.
        damped_step(XVEC, DXVEC, ITRATN, XVEC_LAST);
        const bool halved = halve_into_range(XVEC, S.ANGLIM, TPCM.DEPTH - TPCM.DRAFT);
        EQUILB.VESANG() = TPCM.VESAN0 + XVEC[5];

        // Convergence of every component (a step that is not a number never converges).
        bool DOMOR = halved;
        for (std::size_t I = 0; I < 6; ++I) {
            const float step = std::abs(DXVEC[I]);
            const float ratio = XVEC[I] != 0.0f ? std::abs(DXVEC[I] / XVEC[I]) : 1.0E30f;
            const bool ok = step < S.DXERR[I] || ratio < S.RATERR_FAR ||
                            (std::abs(XVEC[I]) < S.XERR[I] && ratio <= S.RATERR_NEAR);
            if (!ok)
                DOMOR = true;
        }
        if (!DOMOR)
            return SearchEnd::converged;
        // 10.
        ITRATN += 1;
        if (ITRATN > iteration_limit)
            return SearchEnd::no_convergence;
    }
}

// The failure dialogue, shown again until an answer is understood. Returns true when the user
// takes the estimate ("C"), false for a new search from XVEC ("R", "Z", "I").
bool SixDofSearch::dialogue(SearchEnd failure) {
    SixDofStore& S = eqfnd3_store;
    const bool singular = failure == SearchEnd::null_determinant;
    const std::string label = singular ? "EPSLN" : "XVECT";
    Vec6& values = singular ? S.EPS : XVEC;
    const auto midpoint = [&] { midpoint_estimate(XVEC, XSAV); };
    for (;;) {
        write_record(EDUNIT, "");
        write_record(
            EDUNIT, std::string(" ++> ") + (singular ? "Null Determinant" : "Convergence failure") +
                        " in equilibrium position search at offset number " + I(1, 3) + ";");
        write_record(EDUNIT, "");
        std::string line = " " + label + "(I): ";
        for (const float v : values)
            line += PE(v, 1, 11, 3);
        write_record(EDUNIT, line);
        write_record(EDUNIT, "");
        write_record(EDUNIT, "     enter \"C\" to Continue with current estimate");
        write_record(EDUNIT, "     enter \"R\" to Resume search from current estimate");
        write_record(EDUNIT, "     enter \"I\" to Intercept & modify " + label + " on the fly");
        write_record(EDUNIT, "     enter \"Z\" to Zero out estimate & retry from scratch, or");
        switch (failure_dialogue_answer(EDUNIT)) {
        case 'A':
            stop_program(StopKind::user_choice);
        case 'C':
            note_accepted_failure();
            midpoint();
            outcome.ITFAIL = true;
            return true;
        case 'R':
            midpoint();
            return false;
        case 'Z':
            XVEC.fill(0.0f);
            return false;
        case 'I':
            for (int i = 1; i <= 6; ++i) {
                WRTLIN("New " + label + "(" + I(i, 1) + ") (c/r for no change):", EDUNIT);
                bool CR = false;
                CRREAD(values[slot(i)], CR, keyboard_unit);
            }
            return false;
        default:
            break; // not understood: the dialogue again
        }
    }
}

// A quotient of the spring procedure: 0, with one warning per procedure, when the divisor is
// practically 0 or the result not finite.
float SixDofSearch::quotient(float num, float den) {
    const float q = std::abs(den) >= tiny_divisor ? num / den : 0.0f;
    if (std::abs(den) >= tiny_divisor && std::isfinite(q))
        return q;
    if (!divisor_warned) {
        write_record(EDUNIT, " ++> Warning: no displacement to divide by in the spring and "
                             "set-down procedure; those terms are set to 0.");
        divisor_warned = true;
    }
    return 0.0f;
}

// Stage 0 of the spring procedure: the converged state becomes the reference (offset,
// applied load, the first tension leg's tension), the pull-down words start at zero, and the
// next load pulls 10 along the offset's direction. VESANG is the heading before the stage's
// mooring evaluation.
void SixDofSearch::spring_reference(std::span<const float> TOPTT, float VESANG) {
    EquilbBlock& Q = EQUILB;
    XVEC0 = XVEC;
    FAPPL0 = FAPPL;
    F_INIT_SAVED = F_INIT;
    RVAL0 = std::hypot(XVEC[0], XVEC[1]);
    Q.GOFANG = std::atan2(XVEC[1], XVEC[0]);
    Q.VOFANG = ANGSYM(Q.GOFANG - VESANG);
    VOFANG_R = ANGSYM(std::atan2(XVEC[4], XVEC[3]) - VESANG);
    Q.DZDRPUL = Q.DZDRPUL2 = Q.DZDRPUL4 = 0.0f;
    for (int k = 1; k <= 6; ++k)
        Q.DXDXPUL(k) = Q.DXDYPUL(k) = 0.0f;
    PASCOM.DSTRECH_DX = PASCOM.DSTRECH_DY = 0.0f;
    LEG = 0;
    for (int i = 1; i <= TPCM.NLIN && LEG == 0; ++i)
        if (LINCOM.LINEID(i) % 1024 == 1)
            LEG = i;
    if (LEG != 0) {
        TOPTT0 = TOPTT[slot(LEG)];
        KELAST(KELAS, 1, ArrayView<float, max_elements>(LINCOM.WAVEK_words), 0.0f, TOPTT0);
        CATCOM.KELAS = KELAS;
    }
    const float G = Q.GOFANG;
    F_INIT = F_INIT_SAVED;
    F_INIT[0] += 10.0f * std::cos(G);
    F_INIT[1] += 10.0f * std::sin(G);
}

// Stage 1 of the spring procedure: the set-down and the angles per unit offset along the
// pull, the tension leg's stretch, the surge spring; the next load pulls 10 across.
void SixDofSearch::surge_pull_results(std::span<const float> TOPTT) {
    EquilbBlock& Q = EQUILB;
    DRVAL = std::hypot(XVEC[0], XVEC[1]) - RVAL0;
    const float z0 = XVEC0[2];
    Q.DZDRPUL = quotient(XVEC[2] - z0, DRVAL);
    if (RVAL0 <= 0.05f * TPCM.DEPTH) {
        Q.DZDRPUL4 = 0.0f;
        Q.DZDRPUL2 = z0;
    } else {
        Q.DZDRPUL4 = quotient(0.5f * RVAL0 * Q.DZDRPUL - z0, RVAL0 * RVAL0 * RVAL0 * RVAL0);
        Q.DZDRPUL2 = 2.0f * z0 - 0.5f * RVAL0 * Q.DZDRPUL;
    }
    Q.DZDRPUL2 = quotient(Q.DZDRPUL2, RVAL0 * RVAL0);
    const float c = std::cos(Q.VOFANG);
    const float s = std::sin(Q.VOFANG);
    for (int k = 4; k <= 6; ++k) {
        const float d = quotient(XVEC[slot(k)] - XVEC0[slot(k)], DRVAL);
        Q.DXDXPUL(k) = d * c;
        Q.DXDYPUL(k) = d * s;
    }
    if (LEG != 0) {
        const float DSTRECH_DR = quotient(TOPTT[slot(LEG)] - TOPTT0, KELAS * DRVAL);
        PASCOM.DSTRECH_DX = DSTRECH_DR * c;
        PASCOM.DSTRECH_DY = DSTRECH_DR * s;
    }
    Q.GSPARSPRING(1) = quotient(10.0f, DRVAL);
    const float G = Q.GOFANG + half_pi_single;
    F_INIT = F_INIT_SAVED;
    F_INIT[0] += 10.0f * std::cos(G);
    F_INIT[1] += 10.0f * std::sin(G);
}

// The last stage of the spring procedure: the yaw spring, the state and the load of the
// reference back, and the springs in the offset's axes.
void SixDofSearch::spring_results() {
    EquilbBlock& Q = EQUILB;
    Q.GSPARSPRING(6) = quotient(FAPPL[5] - FAPPL0[5], XVEC[5] - XVEC0[5]);
    Q.SPARSPRING(6) = Q.GSPARSPRING(6);
    XVEC = XVEC0;
    FAPPL = FAPPL0;
    F_INIT = F_INIT_SAVED;
    const float s2 = std::sin(Q.VOFANG) * std::sin(Q.VOFANG);
    const float c2 = std::cos(Q.VOFANG) * std::cos(Q.VOFANG);
    Q.SPARSPRING(1) = Q.GSPARSPRING(2) * s2 + Q.GSPARSPRING(1) * c2;
    Q.SPARSPRING(2) = Q.GSPARSPRING(1) * s2 + Q.GSPARSPRING(2) * c2;
    const float s2r = std::sin(VOFANG_R) * std::sin(VOFANG_R);
    const float c2r = std::cos(VOFANG_R) * std::cos(VOFANG_R);
    Q.SPARSPRING(4) = Q.GSPARSPRING(5) * s2r + Q.GSPARSPRING(4) * c2r;
    Q.SPARSPRING(5) = Q.GSPARSPRING(4) * s2r + Q.GSPARSPRING(5) * c2r;
}

// One stage of the spring and set-down procedure at the converged state: the results of the
// load of the previous stage, then the load of the next (F_INIT on top of its saved value).
// `more` is false after the last stage, which restores the state and the load.
void SixDofSearch::spring_stage(bool& more) {
    EquilbBlock& Q = EQUILB;
    const float VESANG = Q.VESANG();
    const auto load = [&](int k, float value) {
        F_INIT = F_INIT_SAVED;
        F_INIT[slot(k)] += value;
    };
    // The load along a turned pair of components: 1000 at angle a in (4, 5).
    const auto pair_load = [&](float a) {
        F_INIT = F_INIT_SAVED;
        F_INIT[3] += 1000.0f * std::cos(a);
        F_INIT[4] += 1000.0f * std::sin(a);
    };
    std::vector<float> TOPTT(lincom_lines, 0.0f);
    LineResults results;
    results.TOPTT = TOPTT;
    more = true;
    switch (ISPRING) {
    case 0:
        (void)mooring_load(XVEC, results);
        spring_reference(TOPTT, VESANG);
        break;
    case 1:
        (void)mooring_load(XVEC, results);
        surge_pull_results(TOPTT);
        break;
    case 2:
        Q.GSPARSPRING(2) = quotient(10.0f, std::hypot(XVEC[0] - XVEC0[0], XVEC[1] - XVEC0[1]));
        load(3, 10.0f);
        break;
    case 3:
        Q.GSPARSPRING(3) = quotient(10.0f, XVEC[2] - XVEC0[2]);
        pair_load(std::atan2(XVEC0[4], XVEC0[3]));
        break;
    case 4:
        Q.GSPARSPRING(4) = quotient(1000.0f, std::hypot(XVEC[3] - XVEC0[3], XVEC[4] - XVEC0[4]));
        pair_load(std::atan2(XVEC0[4], XVEC0[3]) + half_pi_single);
        break;
    case 5:
        Q.GSPARSPRING(5) = quotient(1000.0f, std::hypot(XVEC[3] - XVEC0[3], XVEC[4] - XVEC0[4]));
        load(6, 1000.0f);
        break;
    default:
        spring_results();
        more = false;
        break;
    }
    ISPRING += 1;
}

// The start and the load steps, with the spring procedure's stages after the
// last. The searches move the heading of EQUILB; it is put back when they end, or when one
// stops.
void SixDofSearch::load_steps(std::span<const float, 6> X_INIT0, std::span<const float, 6> F_INIT0,
                              bool GETSPRING) {
    const TpcmBlock& T = TPCM;
    SixDofStore& S = eqfnd3_store;
    const ScopeRestore keep_heading(EQUILB.VESANG());
    NSCALE = tension_leg_or_spar(T.SIMTYP) && !INITFLAG ? 3 : 1;
    NCYCLE = 0;
    bool restart = true;
    while (restart) {
        restart = false;
        // The start.
        if (INITFLAG)
            std::copy(X_INIT0.begin(), X_INIT0.end(), XVEC.begin());
        else
            XVEC.fill(0.0f);
        const Vec6 at_start = mooring_load(XVEC);
        if (!INITFLAG) {
            S.reference = {0.0f, 0.0f, loads.FGZMOR, 0.0f, 0.0f, 0.0f};
            F_INIT.fill(0.0f);
        } else {
            std::copy(F_INIT0.begin(), F_INIT0.end(), F_INIT.begin());
        }
        (void)at_start;
        ISPRING = 0;
        XVEC_LAST = XVEC_NEXT_TO_LAST = XVEC;
        // The load steps.
        for (ISCALE = 1; ISCALE <= NSCALE && !restart; ++ISCALE) {
            SCALE_FAC = static_cast<float>(ISCALE) / static_cast<float>(NSCALE);
            if (ISCALE >= 3)
                for (std::size_t k = 0; k < 6; ++k)
                    XVEC[k] = 2.0f * XVEC_LAST[k] - XVEC_NEXT_TO_LAST[k];
            if (ISCALE == NSCALE)
                outcome.XSTART = XVEC;
            for (;;) {
                const SearchEnd end = newton();
                if (end == SearchEnd::doubled) {
                    restart = true;
                    break;
                }
                if (end != SearchEnd::converged && !dialogue(end))
                    continue; // a new search from the estimate
                if (ISCALE < NSCALE)
                    break;
                // The last step: the spring procedure's stages re-solve under their loads.
                if (!GETSPRING)
                    break;
                bool more = false;
                spring_stage(more);
                if (!more)
                    break;
            }
            if (!restart) {
                XVEC_NEXT_TO_LAST = XVEC_LAST;
                XVEC_LAST = XVEC;
            }
        }
    }
}

// A still-water solve: the state and the applied load into EQUILB, the mooring
// force at the solution, the heading, and the stiffness matrices there.
void SixDofSearch::store_final_state() {
    const TpcmBlock& T = TPCM;
    EquilbBlock& Q = EQUILB;
    for (int k = 1; k <= 6; ++k) {
        Q.XVECTK(k) = XVEC[slot(k)];
        Q.FXVECTK(k) = FAPPL[slot(k)];
    }
    unpack(XVEC);
    const Perturbation plain;
    loads = FMOOR2(state, plain, centres, tables, lines, T.DRAFT, warn, {}, 2, lincom_displaced());
    Q.VESANG() = T.VESAN0 + loads.YAWANG;
    Q.FZMREQ = loads.FGZMOR;
    PASCOM.DELTA_DRAFT = -XVEC[2];
    StiffnessPoint point;
    point.ROTDIR = state.ROTDIR;
    point.ROTVAL = state.ROTVAL_DEG;
    point.ROTMOD = state.ROTMOD;
    point.RVESP1 = state.RVES1;
    point.RVESP2 = state.RVES2;
    point.VESANP = state.VESANG;
    point.ZVESP = state.ZVES;
    const float c = std::cos(state.VESANG);
    const float s = std::sin(state.VESANG);
    point.ZROTV = {c, -s, s, c};
    StiffnessRequest request;
    request.MINLN = LOCAL2.MINLN;
    request.MAXLN = LOCAL2.MAXLN;
    request.XCNTR = centres.XMCTR;
    request.YCNTR = centres.YMCTR;
    request.ZCNTR = centres.ZMCTR;
    std::vector<float> STFMXG(stiffness_table_rows, 0.0f);
    std::vector<float> STFMXV(stiffness_table_rows, 0.0f);
    Matrix66 G{};
    Matrix66 V{};
    std::copy(std::begin(Q.GSTF66_words), std::end(Q.GSTF66_words), G.begin());
    std::copy(std::begin(Q.VSTF66_words), std::end(Q.VSTF66_words), V.begin());
    STIFFY(STFMXG, STFMXV, G, V, point, request);
    std::copy(G.begin(), G.end(), std::begin(Q.GSTF66_words));
    if (T.SIMTYP == 17) {
        const float f = T.DWATR != 0.0f ? WAVCOM.G * 1000.0f / T.DWATR : 0.0f;
        PASCOM.HTENDN = -Q.GSTF66(3, 3) * f;
        PASCOM.RTENDN = -Q.GSTF66(4, 4) * f;
        PASCOM.PTENDN = -Q.GSTF66(5, 5) * f;
    }
}

SixDofOutcome SixDofSearch::run(std::span<const float, 6> X_INIT0,
                                std::span<const float, 6> F_INIT0, bool GETSPRING) {
    load_steps(X_INIT0, F_INIT0, GETSPRING);
    outcome.NSCALE = NSCALE;
    outcome.NCYCLE = NCYCLE;
    // The end.
    if (!INITFLAG)
        store_final_state();
    return outcome;
}

} // namespace

SixDofOutcome EQFND3(bool ENVRON, std::span<const float, 6> X_INIT0,
                     std::span<const float, 6> F_INIT0, bool INITFLAG, std::array<float, 6>& XVEC,
                     float& PITOFF, float& ROLOFF, float& YAWOFF, bool GETSPRING,
                     bool NEW_CRNT_LOAD) {
    const TpcmBlock& T = TPCM;
    if (T.NBUG0 == 1) {
        write_record(T.EDUNIT, " ### In EQFND3:");
        std::int32_t NBUG = 0;
        INBUG(NBUG, T.EDUNIT, keyboard_unit);
    }
    // No heave passes the range check when the keel is not above the sea bed; a grounded hull
    // (draft equal to the depth) is refused as well.
    if (!(T.DEPTH > T.DRAFT))
        fatal_stop(T.EDUNIT, keyboard_unit,
                   {"", " ++> Fatal Condition: The water depth does not exceed the draft;",
                    "     the six-degree-of-freedom equilibrium cannot be computed.", ""});
    if (ENVRON && T.LCURML != 0 && T.LCURNT != 0 && NEW_CRNT_LOAD)
        lincom_line_drag(LOCAL2.MINLN, LOCAL2.MAXLN, false);
    SixDofSearch search(ENVRON, INITFLAG, XVEC);
    const SixDofOutcome outcome = search.run(X_INIT0, F_INIT0, GETSPRING);
    PITOFF = search.loads.PITANG;
    ROLOFF = search.loads.ROLANG;
    YAWOFF = search.loads.YAWANG;
    ERGCOM.PITOFF = PITOFF;
    ERGCOM.ROLOFF = ROLOFF;
    ERGCOM.YAWOFF = YAWOFF;
    return outcome;
}

} // namespace lintar
