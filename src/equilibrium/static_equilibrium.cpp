// equilibrium/static_equilibrium.cpp: the static-equilibrium stage, QSTAT.
//
// The steps run in their order; a step whose solver or report is not built yet is marked by
// a comment where it comes, and data that would need it are refused before it is reached.
#include "equilibrium/static_equilibrium.h"

#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/lincom.h"
#include "blocks/local2.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/coefficient_preparation.h"
#include "equilibrium/turret_torque.h"
#include "lines/mooring_force.h"
#include "runtime/edit_descriptors.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/flags.h"
#include "util/prompts.h"
#include "util/wave_numbers.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

namespace lintar {

namespace {

// The end of a run whose data need a part of this stage that is not built yet.
[[noreturn]] void not_yet_supported(std::string_view what) {
    fatal_stop(TPCM.EDUNIT, keyboard_unit,
               {"", " ++> " + std::string(what) + " is not yet supported"});
}

// Step 2: the debug values and the debug-level dialogue when NBUG0 is 1, else NBUG = 0.
void debug_entry() {
    const int EDUNIT = TPCM.EDUNIT;
    if (TPCM.NBUG0 != 1) {
        TPCM.NBUG = 0;
        return;
    }
    write_record(EDUNIT, " IUNIT,IPUNIT,EDUNIT,IPRINT,LEXTND");
    write_record(EDUNIT, I(TPCM.IUNIT, 5) + I(14, 5) + I(EDUNIT, 5) + I(99, 5) + I(TPCM.ISURGE, 5));
    write_record(EDUNIT, "HLOD");
    const int NUMTAB = std::clamp(TPCM.NUMTAB, 0, lincom_points);
    std::string line;
    for (int k = 1; k <= NUMTAB; ++k) {
        line += E(LINCOM.HLOD(k), 12, 4);
        if (k % 6 == 0 || k == NUMTAB) {
            write_record(EDUNIT, line);
            line.clear();
        }
    }
    write_record(EDUNIT, " ### In QSTAT:");
    INBUG(TPCM.NBUG, EDUNIT, keyboard_unit);
}

// Step 4: the trim and heel rotation.
void trim_and_heel(QstatRun& run) {
    run.TRIMFL = TPCM.TRIMDG != 0.0f || TPCM.HEELDG != 0.0f;
    run.TRIMHL = trim_heel_rotation(TPCM.TRIMDG, TPCM.HEELDG);
}

// Step 11: the line range and the body of pass ILOOP. In the two-body case pass 1 is the
// tanker on its hawser, seen from the tanker; pass 2 the buoy on the other lines, with the
// vessel section of TPCM describing the buoy and the tanker's load applied at the hawser.
void pass_setup(QstatRun& run, bool two_body) {
    TpcmBlock& T = TPCM;
    if (!two_body) {
        LOCAL2.MINLN = 1;
        LOCAL2.MAXLN = T.NLIN;
    } else if (run.ILOOP == 1) {
        const int h = T.HAWSLN;
        T.ISPM = 3;
        LOCAL2.MINLN = h;
        LOCAL2.MAXLN = h;
        EQUILB.TNKDEP = DEGSYM(T.ANGDEP(h) - 180.0f);
        run.ANGSAV = T.ANGDEP(h);
        T.ANGDEP(h) = EQUILB.TNKDEP;
        T.RFLD(1, h) = T.XSALM;
        T.RFLD(2, h) = 0.0f;
        T.RFLD(3, h) = T.ENDHT;
    } else {
        const int h = T.HAWSLN;
        T.ISPM = 2;
        swap_body_sections(TPCM);
        run.AUXSAV = T.AUXFRC;
        run.CRDSAV = T.CRDSYS;
        T.AUXFRC = 1;
        T.CRDSYS = 0;
        for (int k = 1; k <= 3; ++k)
            T.RFLD(k, h) = T.RACC(k, h);
        T.XVFRC = run.FXENVG;
        T.YVFRC = run.FYENVG;
        T.XVLOC = T.RFLD(1, h);
        T.YVLOC = T.RFLD(2, h);
        LOCAL2.MINLN = 1;
        LOCAL2.MAXLN = T.NLIN - 1; // the hawser is the last line
        T.ANGDEP(h) = run.ANGSAV;
    }
    EQUILB.WINDSUCK = 0.0f;
    EQUILB.CRNTSUCK = 0.0f;
    // The wave-frequency set-up VESL1 (with LQUAS, program codes other than 8), the current
    // speed at the spar's draft and the towed case's hawser geometry (program code 10) come
    // here; such data are refused at steps 8 and 9.
}

// Step 12: OFFMAX, the widest range of the anchor-distance tables of the evaluated lines at
// the middle layer (a single evaluated line: its largest distance).
void anchor_distance_range(QstatRun& run) {
    const int NUMTAB = TPCM.NUMTAB;
    const int L = LINCOM.MIDLYR;
    run.OFFMAX = 0.0f;
    for (int i = LOCAL2.MINLN; i <= LOCAL2.MAXLN; ++i) {
        if (LINCOM.LINEID(i) > 1024)
            continue;
        const int t = LINCOM.LINEID(i) % 1024;
        const float range = LOCAL2.MINLN == LOCAL2.MAXLN
                                ? LINCOM.ANCDST(NUMTAB, L, t)
                                : LINCOM.ANCDST(NUMTAB, L, t) - LINCOM.ANCDST(1, L, t);
        run.OFFMAX = std::max(run.OFFMAX, range);
    }
}

// Step 14: the starting state and the mooring force there.
void starting_state(QstatRun& run, bool free_turret) {
    run.FXERR = run.FYERR = run.FZERR = run.TXERR = run.TYERR = run.TZERR = 0.0f;
    EQUILB.RVES(1) = 0.0f;
    EQUILB.YCGVAR() = 0.0f;
    EQUILB.ZCGVAR = 0.0f;
    ERGCOM.ROLOFF = 0.0f;
    ERGCOM.PITOFF = 0.0f;
    ERGCOM.YAWOFF = 0.0f;
    EQUILB.VESANG() = TPCM.VESAN0;
    EQUILB.TRTNGL = EQUILB.TRTNG0;
    EQUILB.BUYNGL() = TPCM.BVSAN0;
    run.IEQSET = 0;

    const PlaneState state = equilb_plane_state();
    // Moment centre and turn centre at the turret centroid; the fairleads follow the turret
    // only when it turns freely.
    PlaneFrame frame;
    frame.XCENTR = TPCM.XSALM;
    frame.XMCTR = TPCM.XSALM;
    frame.LSPM = free_turret;
    const PlaneLoads loads = FMOOR(state, frame, lincom_tables(),
                                   lincom_mooring_lines(LOCAL2.MINLN, LOCAL2.MAXLN), run.IEQSET);
    run.FXTMP = run.FXERR = loads.FXMOOR;
    run.FYTMP = run.FYERR = loads.FYMOOR;
    run.FZTMP = run.FZERR = loads.FZMOOR;
    run.TXTMP = run.TXERR = loads.TXMOOR;
    run.TYTMP = run.TYERR = loads.TYMOOR;
    run.TZTMP = run.TZERR = loads.TZMOOR;
}

// Step 15: the still-water stability check of the starting state. An unstable state is
// reported with the net loads and a pause ("-1" ends the run at the user's choice).
void stability_check(QstatRun& run, bool free_turret) {
    const int EDUNIT = TPCM.EDUNIT;
    if (free_turret) {
        run.DTZTMP = TRTTRQ(EQUILB.TRTNGL) - TRTTRQ(EQUILB.TRTNGL + 0.1f);
    } else {
        run.DTZTMP = SPRING(0.0f, 0.0f, 0.1f, LOCAL2.MINLN, LOCAL2.MAXLN, false, false).DTZTMP;
    }
    run.TQSCALE = TPCM.LWL > 0.0f ? 0.5f * TPCM.LWL : 0.5f * TPCM.DRAFT;
    const bool unstable = std::abs(run.FXTMP) > 0.5f || std::abs(run.FYTMP) > 0.5f ||
                          std::abs(run.TZTMP) > run.TQSCALE || run.DTZTMP < 0.0f;
    if (!unstable)
        return;

    CLEAR(EDUNIT);
    write_record(EDUNIT, "++> WARNING: specified initial conditions did not produce a");
    write_record(EDUNIT, "    stable equilibrium configuration in quiescent conditions, producing");
    write_record(EDUNIT,
                 "    the following net forces and moment in the global coordinate system:");
    write_record(EDUNIT, "");
    write_record(EDUNIT, "        X Force component  -> " + E(run.FXTMP, 12, 4));
    write_record(EDUNIT, "        Y Force component  -> " + E(run.FYTMP, 12, 4));
    write_record(EDUNIT, "        Z Moment component -> " + E(run.TZTMP, 12, 4));
    if (TPCM.LRESET == 1) {
        // With the reset solve, its note comes here ("    Initial line tensions/departure
        // angles have been modified" / "    to produce a quiescent-condition equilibrium
        // configuration"), then the pause, then the solve with ENVRON false, the report of the
        // state as specified, the final evaluation with IEQSET 2 and the new reference state.
        not_yet_supported("The reset of an unstable quiescent state to equilibrium");
    }
    PRSRET(EDUNIT, keyboard_unit, TPCM.LBACK);
    if (TPCM.LBACK == -1)
        stop_program(StopKind::user_choice);
}

// Step 17: the environment is applied when LQUAS and LRESET are set and some load is on.
bool environment_switch() {
    const TpcmBlock& T = TPCM;
    if (T.LQUAS == 0 || T.LRESET == 0)
        return false;
    return T.LRANDM != 0 || T.LSWELL != 0 || T.LSWEL2 != 0 || T.LCURNT != 0 || T.LWIND != 0 ||
           T.AUXFRC != 0 || T.AXFC2 != 0 || T.AXFC3 != 0 || BITVAL(T.DPAFLG, 1) != 0 ||
           BITVAL(T.DPRFLG, 1) != 0;
}

// Whether the environment of step 17 puts any load on the body: a sea, swell, current, wind or
// DP switch, or an applied force of non-zero magnitude (step 13 set the magnitudes).
bool environment_applies_load() {
    const TpcmBlock& T = TPCM;
    const bool other = T.LRANDM != 0 || T.LSWELL != 0 || T.LSWEL2 != 0 || T.LCURNT != 0 ||
                       T.LWIND != 0 || BITVAL(T.DPAFLG, 1) != 0 || BITVAL(T.DPRFLG, 1) != 0;
    return other || EQUILB.FEXTRN != 0.0f || EQUILB.FXTRN2 != 0.0f || EQUILB.FXTRN3 != 0.0f;
}

// Step 19: the bodies of the two-body case. Pass 1 keeps the tanker's state and the hawser's
// azimuth at both ends; pass 2 the buoy's state.
void body_bookkeeping(const QstatRun& run) {
    const int h = TPCM.HAWSLN;
    if (run.ILOOP == 1) {
        EQUILB.TNKNGL() = EQUILB.VESANG();
        // The hawser's azimuth from the tanker at the pass's final state: the environmental
        // solve records it in ANGDPP; without that solve the state is the pass's reference
        // state, whose azimuth is ANGDEP as the pass set it (ANGDPP still holds the data's
        // azimuth seen from the buoy, which turned once more would point the wrong way).
        EQUILB.TNKDEP = run.ENVRON ? LINCOM.ANGDPP(h) : TPCM.ANGDEP(h);
        EQUILB.BUYDEP = DEGSYM(EQUILB.TNKDEP + 180.0f);
        LINCOM.ANGDPP(h) = EQUILB.BUYDEP;
        EQUILB.RTNK(1) = EQUILB.RVES(1);
        EQUILB.RYTNK() = EQUILB.YCGVAR();
        EQUILB.BUYNGL() = TPCM.BVSAN0;
        EQUILB.RBUY(1) = 0.0f;
        EQUILB.RYBUY() = 0.0f;
    } else {
        EQUILB.BUYNGL() = EQUILB.VESANG();
        EQUILB.RBUY(1) = EQUILB.RVES(1);
        EQUILB.RYBUY() = EQUILB.YCGVAR();
    }
}

} // namespace

void QSTAT() {
    QSTAT(QstatPassHook{});
}

// QSTAT: see the header. Reads TPCM and LINCOM's tables; writes TPCM (VESAN0, BVSAN0, the DP
// results, the pass words), LINCOM (RANCP, RANCK, ANGDPP), EQUILB, LOCAL2 and WAVCOM's RHOAIR;
// messages on EDUNIT. Ends the run at the user's "-1" after the instability warning, and with
// status 1 for data that need what is not yet built.
void QSTAT(const QstatPassHook& after_pass) {
    TpcmBlock& T = TPCM;
    const int EDUNIT = T.EDUNIT;

    // 1. The working values; the file names of the report come with the report.
    QstatRun run;

    // 2. Debug values and level.
    debug_entry();

    // 3. The report "MEANOUT.stxt" is opened here (IUNIT 1 with LEQCND) once EQLOUT exists.
    write_record(EDUNIT, " >>> Computing mean vessel offset and orientation...");

    // 4. Trim and heel, for the six-degree-of-freedom mooring force.
    trim_and_heel(run);

    // 5. The displaced-state copies start equal to the data.
    T.LBACK = 0;
    run.TOTTRY = 0;
    run.WCONST = WAVCOM.G > 0.0f ? depth_frequency_scale(T.DEPTH, WAVCOM.G) : 0.0f;
    for (int i = 1; i <= T.NLIN; ++i) {
        LINCOM.RANCP(i) = LINCOM.RANC(i);
        LINCOM.RANCK(i) = LINCOM.RANC(i);
        LINCOM.ANGDPP(i) = T.ANGDEP(i);
    }

    // 6. Units; the headings to radians, once for the whole run; the reference turret angle.
    if (T.NUNTS == 0) {
        WAVCOM.RHOAIR = 0.0024356f;
        run.KTSCNV = 1.687f;
    } else if (T.NUNTS == 1) {
        WAVCOM.RHOAIR = 0.128f;
        run.KTSCNV = 0.5142f;
    }
    T.VESAN0 /= degrees_per_radian;
    T.BVSAN0 /= degrees_per_radian;
    EQUILB.TRTNG0 = T.NLIN == 1 ? T.VESAN0 : 0.0f;

    // 7. The environmental totals and the DP results start at zero.
    run.FXENVG = 0.0f;
    run.FYENVG = 0.0f;
    EQUILB.FXENV = 0.0f;
    EQUILB.FYENV = 0.0f;
    T.DPXFRC = T.DPYFRC = T.DPMOM = T.DPXLOC = T.DPYLOC = 0.0f;

    // 8. The current profile of program codes 10 and above (CURPROF_INIT and its checks).
    if (T.SIMTYP >= 10)
        not_yet_supported("The static equilibrium with a current profile (program code " +
                          I(T.SIMTYP, 2) + ")");

    // 9. The sea state in WAVCOM, for LQUAS with a program code other than 8.
    if (T.LQUAS != 0 && T.SIMTYP != 8)
        not_yet_supported("The static equilibrium with sea state and vessel motions");

    // 10. Passes: the tanker and its buoy (program code 13, or 8 with a hawser) take two.
    const bool two_body = (T.SIMTYP == 13 || T.SIMTYP == 8) && T.IARCO == 1;
    run.MNLOOP = 1;
    run.MXLOOP = two_body ? 2 : 1;
    // The passes address the hawser's rows of RFLD and RACC: a number outside the lines of the
    // mooring (the editor keeps it equal to NLIN) is refused rather than read out of range.
    if (two_body && (T.HAWSLN < 1 || T.HAWSLN > std::min(T.NLIN, 149)))
        fatal_stop(TPCM.EDUNIT, keyboard_unit,
                   {"", " ++> Hawser line number " + std::to_string(T.HAWSLN) +
                            " is not a line of the mooring (1 to " + std::to_string(T.NLIN) + ")"});
    const bool free_turret = T.LSPM != 0 && T.LOCK_TRT != 1;

    for (run.ILOOP = run.MNLOOP; run.ILOOP <= run.MXLOOP; ++run.ILOOP) {
        // 11. The pass's lines and body.
        pass_setup(run, two_body);

        // 12. The widest anchor-distance range, for the solvers.
        anchor_distance_range(run);

        // 13. Applied forces: set directly in the offset program or without the sea state;
        //     otherwise CFPREP sets them with the mean-environment coefficients (refused at
        //     step 9).
        if (T.LQUAS == 0 || T.SIMTYP == 8) {
            applied_force(T.AUXFRC == 1, T.XVFRC, T.YVFRC, EQUILB.FEXTRN, EQUILB.PHIFEX);
            applied_force(T.AXFC2 != 0, T.XVFRC2, T.YVFRC2, EQUILB.FXTRN2, EQUILB.PHIFX2);
            applied_force(T.AXFC3 != 0, T.XVFRC3, T.YVFRC3, EQUILB.FXTRN3, EQUILB.PHIFX3);
        }

        // 14. The starting state and its mooring force.
        starting_state(run, free_turret);
        if (T.ONLYLD == 1 && T.ISURGE == 1) {
            // Loads only: the report of the specified state (IEQTYP 0, MENSET, EQLOUT with the
            // starting forces) comes here; the passes end without the two-body restoration.
            if (after_pass)
                after_pass(run);
            return;
        }

        // 15. The still-water stability check.
        stability_check(run, free_turret);

        // 16. The tension-leg platform's vertical mooring force and the still-water report
        //     (MENSET, EQLOUT) come here. The environmental solve starts from the origin.
        EQUILB.RVES(1) = 0.0f;
        EQUILB.YCGVAR() = 0.0f;

        // 17. The environment switch (the spar's suction forces come with program code 17).
        run.ENVRON = environment_switch();

        // 18. The equilibrium in the environment, the DP hold and the final evaluation. An
        //     environment whose only switches are applied forces of no magnitude (the buoy pass
        //     of the two-body case when the tanker carries no load) leaves the still-water
        //     state, which the check above found stable: nothing is solved then.
        if (run.ENVRON && environment_applies_load())
            not_yet_supported("The static equilibrium with an applied environment");

        // 19. The bodies of the two-body case (and of the towed case, with program code 10).
        if (two_body)
            body_bookkeeping(run);

        // 20. The environment report comes here with the environmental solve.
        if (after_pass)
            after_pass(run);
    }

    // 21. After the two-body passes the vessel section describes the tanker again, and the
    //     state is the tanker's. (Program code 13 prepares the coefficients once more, and
    //     codes 10 and 13 set the end separation; both come with those codes.)
    if (two_body) {
        T.ISPM = 3;
        T.AUXFRC = run.AUXSAV;
        T.CRDSYS = run.CRDSAV;
        swap_body_sections(TPCM);
        EQUILB.RVES(1) = EQUILB.RTNK(1);
        EQUILB.YCGVAR() = EQUILB.RYTNK();
        EQUILB.VESANG() = EQUILB.TNKNGL();
        EQUILB.ZCGVAR = EQUILB.RZTNK;
    }

    // 22. The report is closed here (IUNIT 1 with LEQCND) once it is written.
}

} // namespace lintar
