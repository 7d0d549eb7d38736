// equilibrium/static_equilibrium.cpp: the static-equilibrium stage, QSTAT.
//
// The stage runs in its order: the start, the current profile and the sea state of the other
// programs, the passes (one body each) and the end. The DP heading hold and position check sit
// inside the equilibrium in the environment of each pass.
#include "equilibrium/static_equilibrium.h"

#include "blocks/curprof.h"
#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/lincom.h"
#include "blocks/local2.h"
#include "blocks/outcom.h"
#include "blocks/pascom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/coefficient_preparation.h"
#include "environment/current_coefficients.h"
#include "environment/current_profile.h"
#include "environment/net_environment.h"
#include "environment/wind_coefficients.h"
#include "equilibrium/equilibrium_geometry.h"
#include "equilibrium/equilibrium_summary.h"
#include "equilibrium/mean_line_results.h"
#include "equilibrium/plane_equilibrium.h"
#include "equilibrium/single_point_equilibrium.h"
#include "equilibrium/six_dof_equilibrium.h"
#include "equilibrium/turret_torque.h"
#include "lines/mooring_force.h"
#include "motions/wave_setup.h"
#include "runtime/edit_descriptors.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/file_services.h"
#include "util/flags.h"
#include "util/program_types.h"
#include "util/prompts.h"
#include "util/root_finders.h"
#include "util/sea_spectra.h"
#include "util/spectral_moments.h"
#include "util/table_search.h"
#include "util/wave_numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace lintar {

namespace {

// The report of the stage and the calling-program label of its open and close.
constexpr std::string_view OUTFIL = "MEANOUT.stxt";
constexpr std::string_view MAINPG = "QSTATIC";

// The largest DP heading spring the hold doubles to: a spring beyond it cannot turn the vessel
// any better and, doubled on, would overflow to infinity.
constexpr float DPASPR_limit = 1.0e30f;

// Vertical fairlead offsets of no displacement (the plane solvers' lines, the state as
// specified).
const std::array<float, lincom_lines> no_vertical_offset{};

// The solver of the mooring kind (its tests in this order).
enum class Solver { single_point, six_dof, plane };

Solver solver_rule() {
    const TpcmBlock& T = TPCM;
    if (T.LSPM != 0 && T.MS3DOF == 0)
        return Solver::single_point;
    if (T.SIMTYP == 17 || (T.SIMTYP == 14 && T.LEGTLP == 0))
        return Solver::six_dof;
    return Solver::plane;
}

// The debug values and the debug-level dialogue when NBUG0 is 1, else NBUG = 0.
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

// Whether the report goes to the file "MEANOUT.stxt".
bool report_file() {
    return TPCM.IUNIT == 1 && TPCM.LEQCND != 0;
}

// The pause after a report section shown on the screen.
void pause_on_screen() {
    if (TPCM.IUNIT == TPCM.EDUNIT && TPCM.LEQCND != 0)
        PRSRET(TPCM.EDUNIT, keyboard_unit, TPCM.LBACK);
}

// The trim and heel rotation.
// Sets in the run: TRIMFL, TRIMHL.
void trim_and_heel(QstatRun& run) {
    run.TRIMFL = TPCM.TRIMDG != 0.0f || TPCM.HEELDG != 0.0f;
    run.TRIMHL = trim_heel_rotation(TPCM.TRIMDG, TPCM.HEELDG);
}

// The current profile of program codes 10 and above, and its checks: a profile out
// of order or with a layer of no thickness stops the run; a layer so thin that the line drag
// would take long is noted, and the user may stop there.
// Sets in the run: DRFT_MAX, DZMIN.
void current_profile(QstatRun& run) {
    const TpcmBlock& T = TPCM;
    const int EDUNIT = T.EDUNIT;
    run.DRFT_MAX = T.DRAFT;
    if ((T.SIMTYP == 10 || T.SIMTYP == 13) && T.BDRAFT > run.DRFT_MAX)
        run.DRFT_MAX = T.BDRAFT;
    CURPROF_INIT(run.DRFT_MAX, run.DZMIN, EDUNIT, keyboard_unit);
    if (run.DZMIN <= 0.0f)
        fatal_stop(EDUNIT, keyboard_unit,
                   {"++>  Non-monotonic current profile or zero current layer thickness",
                    "     detected; correct profile and re-try..."});
    if (T.DEPTH / run.DZMIN > 1000.0f) {
        write_record(EDUNIT, "++>  Note: A current layer thickness of " + F(run.DZMIN, 6, 3) +
                                 " may result in excessive");
        write_record(EDUNIT,
                     "     simulation time in the current-generated line load calculation.");
        write_record(EDUNIT,
                     "     Consider increasing this minimum thickness to reduce simulation time.");
        ABORT0(EDUNIT, keyboard_unit, TPCM.LBACK);
        if (TPCM.LBACK < 0)
            stop_program(StopKind::user_choice);
    }
}

// The significant height 4 sqrt(m0) of a spectrum on the grid.
float significant_height(std::span<const float, 100> PSD) {
    float VAR = 0.0f;
    float VARDOT = 0.0f;
    SMPINT(PSD, VAR, VARDOT);
    return 4.0f * std::sqrt(VAR);
}

// The grid index INT((period - TS) / DT + 1.5) of a swell's peak period; a peak off the grid
// stops the run.
std::int32_t swell_index(float period) {
    const WavcomBlock& W = WAVCOM;
    const float position = (period - W.TS) / W.DT + 1.5f;
    // Tested before the truncation, so that no value outside the grid is ever converted.
    if (!(position >= 1.0f && position < static_cast<float>(TPCM.NWP) + 1.0f))
        fatal_stop(TPCM.EDUNIT, keyboard_unit, {" SIMNAM Swell outside wave period range"});
    return static_cast<std::int32_t>(position);
}

// The sea state in WAVCOM: the grid, the wave numbers, the seas' and swells' spectra
// and significant heights.
// Sets nothing in the run (reads WCONST).
void sea_state(const QstatRun& run) {
    TpcmBlock& T = TPCM;
    WavcomBlock& W = WAVCOM;
    W.NSPEC = T.WAVTYP;
    set_wave_grid();
    for (int k = 1; k <= T.NWP; ++k) {
        float WVVEC = 0.0f;
        WAVVEC(W.W(k) * run.WCONST, WVVEC);
        W.WVK(k) = WVVEC / T.DEPTH;
    }
    if (T.LRANDM != 0) {
        W.SWH = T.SWHT(1);
        W.TPK = T.SIGPD(1);
        WVSPEC(T.WAVTYP, std::span<float, 100>(W.WPSD_words), W.SWH, W.TPK, W.WPK, W.WKPK, 0);
        // The grid index of the seas' peak, INT((TPK - TS) / DT + 1.5), is not kept.
        EQUILB.SWHC = significant_height(std::span<const float, 100>(W.WPSD_words));
    }
    if (T.LSWELL != 0) {
        W.DELSWL = T.SWLWID;
        W.NSWEL = swell_index(T.SWELPD);
        WVSPEC(T.SWLTYP, std::span<float, 100>(W.SWLPSD_words), T.SWELHT, T.SWELPD, W.WSWLPK,
               W.WKSWLPK, 1);
        W.SWHSWL = significant_height(std::span<const float, 100>(W.SWLPSD_words));
    }
    if (T.LSWEL2 != 0) {
        W.DELSWL2 = T.SWLWID2;
        W.NSWEL2 = swell_index(T.SWELPD2);
        WVSPEC(T.SWLTYP2, std::span<float, 100>(W.SWLPSD2_words), T.SWELHT2, T.SWELPD2, W.WSWLPK2,
               W.WKSWLPK2, 2);
        W.SWHSWL2 = significant_height(std::span<const float, 100>(W.SWLPSD2_words));
    }
    if (T.NBUG == 1) {
        write_record(T.EDUNIT, " LSWEL,NSWEL,SWELPD,SWELHT");
        write_record(T.EDUNIT,
                     I(T.LSWELL, 5) + I(W.NSWEL, 5) + G(T.SWELPD, 14, 6) + G(T.SWELHT, 14, 6));
    }
    W.DWATRP = T.DWATR * 0.001f;
}

// The current speed at the spar's draft: from the profile below its first level,
// else between the surface speed and the first level's.
float speed_at_draft() {
    const TpcmBlock& T = TPCM;
    const CurprofBlock& C = CURPROF;
    const float first = C.DPTHIPF(1);
    if (T.DRAFT >= first) {
        const int n = std::max(C.NCURNTPF, 1);
        const std::span<const float> depths(C.DPTHIPF_words, static_cast<std::size_t>(n));
        const std::span<const float> speeds(C.VELIPF_words, static_cast<std::size_t>(n));
        std::int32_t IER = 0;
        std::int32_t MIN = 1;
        BSRCH(depths, T.DRAFT, IER, MIN, n);
        float speed = 0.0f;
        INTERP(depths, speeds, T.DRAFT, speed, MIN);
        return IER == 2 && speed < 0.0f ? 0.0f : speed;
    }
    if (first == 0.0f)
        return T.CURSPD;
    return T.CURSPD + (C.VELIPF(1) - T.CURSPD) * T.DRAFT / first;
}

// The line range and the body of pass ILOOP. In the two-body case pass 1 is the
// tanker on its hawser, seen from the tanker; pass 2 the buoy on the other lines, with the
// vessel section of TPCM describing the buoy and the tanker's load applied at the hawser.
// The wave-frequency set-up, the spar's current speed and the towed case's tow line follow.
// Sets in the run: ANGSAV (two-body pass 1, towed case), AUXSAV and CRDSAV (two-body pass 2),
// NEGSAV and MFBKSV (with the wave-frequency set-up), TMPSPD (the spar, code 17, with it).
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
        // Exchanged for the rest of the stage, not for a scope: after_passes puts the buoy's
        // AUXFRC and CRDSYS back before it exchanges the sections back; a loads-only run ends
        // in the first pass, before this exchange, and skips after_passes.
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
    if (T.LQUAS != 0 && T.SIMTYP != 8) {
        // The set-up without its report sections, the RAOs from the hull model.
        run.NEGSAV = T.NEGSUM;
        run.MFBKSV = T.MORFBK;
        T.NEGSUM = 1;
        T.MORFBK = 0;
        VESL1();
        T.NEGSUM = run.NEGSAV;
        T.MORFBK = run.MFBKSV;
        if (T.SIMTYP == 17)
            run.TMPSPD = speed_at_draft();
    }
    if (T.SIMTYP == 10) {
        if (T.IANC != 0) {
            EQUILB.TNKDEP = T.ANGDEP(T.HAWSLN);
            for (int k = 1; k <= 3; ++k)
                T.RFLD(k, 1) = T.BRACC(k, 1);
        } else {
            EQUILB.TNKDEP = DEGSYM(T.ANGDEP(1) - 180.0f);
            run.ANGSAV = T.ANGDEP(1);
            T.ANGDEP(1) = EQUILB.TNKDEP;
            for (int k = 1; k <= 3; ++k)
                T.RFLD(k, 1) = T.RACC(k, 1);
        }
    }
}

// OFFMAX, the widest range of the anchor-distance tables of the evaluated lines at
// the middle layer (a single evaluated line: its largest distance).
// Sets in the run: OFFMAX.
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

// The frame of the horizontal-plane force: moment centre and turn centre at the turret
// centroid; the fairleads follow the turret only when it turns freely.
PlaneFrame plane_frame(bool free_turret) {
    PlaneFrame frame;
    frame.XCENTR = TPCM.XSALM;
    frame.XMCTR = TPCM.XSALM;
    frame.LSPM = free_turret;
    return frame;
}

// The net mooring load into the run's current values.
// Sets in the run: FXTMP, FYTMP, FZTMP, TXTMP, TYTMP, TZTMP.
void take_loads(QstatRun& run, const PlaneLoads& loads) {
    run.FXTMP = loads.FXMOOR;
    run.FYTMP = loads.FYMOOR;
    run.FZTMP = loads.FZMOOR;
    run.TXTMP = loads.TXMOOR;
    run.TYTMP = loads.TYMOOR;
    run.TZTMP = loads.TZMOOR;
}

// The starting state and the mooring force there.
// Sets in the run: FXERR, FYERR, FZERR, TXERR, TYERR, TZERR, IEQSET (0) and, through
// take_loads, FXTMP to TZTMP.
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

    take_loads(run, FMOOR(equilb_plane_state(), plane_frame(free_turret), lincom_tables(),
                          lincom_mooring_lines(LOCAL2.MINLN, LOCAL2.MAXLN), run.IEQSET));
    run.FXERR = run.FXTMP;
    run.FYERR = run.FYTMP;
    run.FZERR = run.FZTMP;
    run.TXERR = run.TXTMP;
    run.TYERR = run.TYTMP;
    run.TZERR = run.TZTMP;
}

// The solver of the mooring kind with the environment or without; the six-degree-of-freedom
// one leaves the state in its vector, which becomes EQUILB's. Records whether the user
// accepted an estimate that had not converged.
// Sets in the run: not_converged; XVEC (six degrees of freedom). The solver's memory
// INITFLAG, NEW_CRNT_LOAD, X_INIT and F_INIT is read here and keeps its first values: no
// phase changes it.
void solve(QstatRun& run, bool ENVRON, bool GETSPRING) {
    switch (solver_rule()) {
    case Solver::single_point:
        run.not_converged = SPMEQB(ENVRON, run.OFFMAX).ITFAIL;
        break;
    case Solver::six_dof: {
        ErgcomBlock& R = ERGCOM;
        run.not_converged = EQFND3(ENVRON, run.X_INIT, run.F_INIT, run.INITFLAG, run.XVEC, R.PITOFF,
                                   R.ROLOFF, R.YAWOFF, GETSPRING, run.NEW_CRNT_LOAD)
                                .ITFAIL;
        EQUILB.RVES(1) = run.XVEC[0];
        EQUILB.YCGVAR() = run.XVEC[1];
        EQUILB.ZCGVAR = run.XVEC[2];
        EQUILB.VESANG() = R.YAWOFF + TPCM.VESAN0;
        break;
    }
    case Solver::plane:
        run.not_converged = EQFIND(ENVRON, run.OFFMAX, run.DPON).ITFAIL;
        break;
    }
}

// The final evaluation of a solved state (IEQSET 2): the lines read at distances `RANC` and
// azimuths `ANGDEP` record their displaced geometry into `recorded`. In six degrees of
// freedom the state comes from the solver's vector, with the trim and heel rotation, and the
// body angles of the evaluation become ERGCOM's offsets.
// Sets in the run: IEQSET (2), FXTMP, FYTMP, FZTMP, TXTMP, TYTMP, TZTMP.
void final_evaluation(QstatRun& run, bool free_turret, std::span<const float> RANC,
                      std::span<const float> ANGDEP, const DisplacedGeometry& recorded) {
    run.IEQSET = 2;
    MooringLines lines = lincom_mooring_lines(LOCAL2.MINLN, LOCAL2.MAXLN);
    lines.RANC = RANC;
    lines.ANGDEP = ANGDEP;
    if (solver_rule() != Solver::six_dof) {
        take_loads(run, FMOOR(equilb_plane_state(), plane_frame(free_turret), lincom_tables(),
                              lines, run.IEQSET, recorded));
        return;
    }
    const TpcmBlock& T = TPCM;
    SixDofState state;
    state.VESAN0 = T.VESAN0;
    VARUPD(run.XVEC, state);
    Perturbation trim;
    trim.TRIMHL = run.TRIMHL;
    trim.TRIMFL = run.TRIMFL;
    ForceCentres centres;
    centres.XMCTR = centres.ROTCTX = T.RMCTRG(1);
    centres.YMCTR = centres.ROTCTY = T.RMCTRG(2);
    centres.ZMCTR = centres.ROTCTZ = T.RMCTRG(3);
    SpanWarning warn;
    warn.IOSCRN = T.EDUNIT;
    warn.KBD = keyboard_unit;
    warn.TENDON_FLG = T.TENDON_FLG;
    const SixDofLoads loads = FMOOR2(state, trim, centres, lincom_tables(), lines, T.DRAFT, warn,
                                     {}, run.IEQSET, recorded);
    ERGCOM.PITOFF = loads.PITANG;
    ERGCOM.ROLOFF = loads.ROLANG;
    ERGCOM.YAWOFF = loads.YAWANG;
    run.FXTMP = loads.FGXMOR;
    run.FYTMP = loads.FGYMOR;
    run.FZTMP = loads.FGZMOR;
    run.TXTMP = loads.TVXMOR;
    run.TYTMP = loads.TVYMOR;
    run.TZTMP = loads.TVZMOR;
    EQUILB.VESANG() = ERGCOM.YAWOFF + T.VESAN0;
}

// The net load a report section shows.
struct NetLoad {
    float FX, FY, FZ, TX, TY, TZ;
};

// One section of the report (MENSET, then EQLOUT) for the state of EQUILB with the net
// mooring load `net`, the lines at distances RANC, azimuths ANGDEP and vertical offsets ZANC;
// the pause when the report is on the screen. The moments are reported about the centre the
// force routine took them about: the turret centroid in the plane, RMCTRG in six degrees of
// freedom.
// Sets nothing in the run (reads ANGERR, TRTERR, IEQTYP, EQFAIL, not_converged).
void report_section(const QstatRun& run, const NetLoad& net, std::span<const float> RANC,
                    std::span<const float> ANGDEP, std::span<const float> ZANC) {
    const TpcmBlock& T = TPCM;
    MooringLines lines = lincom_mooring_lines(LOCAL2.MINLN, LOCAL2.MAXLN);
    lines.RANC = RANC;
    lines.ANGDEP = ANGDEP;
    MENSET(lincom_tables(), lines, ZANC, T.GETNODE);

    EquilibriumSummary s;
    s.FXNET = net.FX;
    s.FYNET = net.FY;
    s.FZNET = net.FZ;
    s.TXNET = net.TX;
    s.TYNET = net.TY;
    s.TZNET = net.TZ;
    if (solver_rule() == Solver::six_dof) {
        s.XMCTRL = T.RMCTRG(1);
        s.YMCTRL = T.RMCTRG(2);
        s.ZMCTRL = T.RMCTRG(3);
    } else {
        s.XMCTRL = T.XSALM;
    }
    s.XERR = EQUILB.RVES(1);
    s.YERR = EQUILB.YCGVAR();
    s.ZERR = EQUILB.ZCGVAR;
    s.ANGERR = run.ANGERR;
    s.FINANG = EQUILB.VESANG();
    s.TRTERR = run.TRTERR;
    s.TRTANG = EQUILB.TRTNGL;
    s.PITOFF = ERGCOM.PITOFF;
    s.ROLOFF = ERGCOM.ROLOFF;
    s.YAWOFF = ERGCOM.YAWOFF;
    s.IEQTYP = run.IEQTYP;
    s.EQFAIL = run.EQFAIL;
    s.GETNODE = T.GETNODE;
    s.LPRINT = T.LEQCND;
    // The warning of an estimate accepted without convergence is this program's addition to
    // the section: without it the report would show such a state as an equilibrium.
    s.not_converged = run.not_converged;
    EQLOUT(lincom_tables(), lines, ZANC, s, PASCOM.TEND_F_RZ, PASCOM.NET_TNDN_FRC, TPCM.MRWRNS);
    pause_on_screen();
}

// The net load of the starting state (FXERR to TZERR). Sets nothing in the run.
NetLoad starting_load(const QstatRun& run) {
    return {run.FXERR, run.FYERR, run.FZERR, run.TXERR, run.TYERR, run.TZERR};
}

// The net load of the current state (FXTMP to TZTMP). Sets nothing in the run.
NetLoad current_load(const QstatRun& run) {
    return {run.FXTMP, run.FYTMP, run.FZTMP, run.TXTMP, run.TYTMP, run.TZTMP};
}

std::span<const float> data_distances() {
    return {LINCOM.RANC_words, lincom_lines};
}
std::span<const float> data_azimuths() {
    return {TPCM.ANGDEP_words, lincom_lines};
}
std::span<const float> displaced_distances() {
    return {LINCOM.RANCP_words, lincom_lines};
}
std::span<const float> displaced_azimuths() {
    return {LINCOM.ANGDPP_words, lincom_lines};
}

// The heading and turret-angle changes from the reference state.
// Sets in the run: ANGERR, TRTERR.
void state_changes(QstatRun& run) {
    run.ANGERR = ANGSYM(EQUILB.VESANG() - TPCM.VESAN0);
    run.TRTERR = ANGSYM(EQUILB.TRTNGL - EQUILB.TRTNG0);
}

// The reset: the still-water equilibrium nearest the unstable start, reported against
// the state as specified; the lines' data take the solved state (the distances and azimuths
// in place), which becomes the new reference.
// Sets in the run: EQFAIL (1), DPON (false), IEQTYP (0), not_converged (false at the end) and
// XVEC through solve, ANGERR and TRTERR through state_changes, IEQSET and FXTMP to TZTMP
// through final_evaluation.
void reset_to_equilibrium(QstatRun& run, bool free_turret) {
    run.EQFAIL = 1;
    run.DPON = false;
    solve(run, false, false);
    run.IEQTYP = 0;
    state_changes(run);
    OUTCOM.FZMEN0 = run.FZERR;
    report_section(run, starting_load(run), data_distances(), data_azimuths(), no_vertical_offset);
    run.not_converged = false;

    // The data arrays are the displaced-state arrays of this evaluation.
    const DisplacedGeometry in_place{std::span<float>(LINCOM.RANC_words, lincom_lines),
                                     std::span<float>(LINCOM.ZANCP_words, lincom_lines),
                                     std::span<float>(TPCM.ANGDEP_words, lincom_lines)};
    final_evaluation(run, free_turret, data_distances(), data_azimuths(), in_place);
    if (solver_rule() == Solver::six_dof)
        EQUILB.FZMREQ = run.FZTMP;
    PASCOM.FZMREQ0 = run.FZTMP;
    if (TPCM.LSPM != 0)
        EQUILB.TRTNG0 = EQUILB.TRTNGL;
    else
        TPCM.VESAN0 = EQUILB.VESANG();
}

// The still-water stability check of the starting state. An unstable state is
// reported with the net loads and a pause ("-1" ends the run at the user's choice); with
// LRESET 1 it is then reset to the nearest equilibrium.
// Sets in the run: DTZTMP, TQSCALE; with the reset, what reset_to_equilibrium sets.
void stability_check(QstatRun& run, bool free_turret) {
    const int EDUNIT = TPCM.EDUNIT;
    if (free_turret) {
        run.DTZTMP = TRTTRQ(EQUILB.TRTNGL) - TRTTRQ(EQUILB.TRTNGL + 0.1f);
    } else {
        run.DTZTMP = SPRING(0.0f, 0.0f, 0.1f, LOCAL2.MINLN, LOCAL2.MAXLN, false, false).DTZTMP;
    }
    run.TQSCALE = stability_moment_scale();
    if (!quiescent_state_unstable(run.FXTMP, run.FYTMP, run.TZTMP, run.DTZTMP, run.TQSCALE))
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
        write_record(EDUNIT, "    Initial line tensions/departure angles have been modified");
        write_record(EDUNIT, "    to produce a quiescent-condition equilibrium configuration");
    }
    PRSRET(EDUNIT, keyboard_unit, TPCM.LBACK);
    if (TPCM.LBACK == -1)
        stop_program(StopKind::user_choice);
    if (TPCM.LRESET == 1)
        reset_to_equilibrium(run, free_turret);
}

// The tension-leg platform with legs as lines takes its vertical mooring force from
// the legs; the still-water report; the environmental solve starts from the origin; the
// tension-leg and spar hulls' centre of gravity and weight net of the tendons.
// Sets in the run: IEQTYP; ANGERR and TRTERR (0) when there was no reset.
void still_water_report(QstatRun& run) {
    TpcmBlock& T = TPCM;
    if (T.SIMTYP == 14 && T.LEGTLP == 1) {
        const float FZ = FMOOR(equilb_plane_state(), plane_frame(false), lincom_tables(),
                               lincom_mooring_lines(1, T.NLINE(1)))
                             .FZMOOR;
        EQUILB.FZMREQ = FZ;
        PASCOM.FZMREQ0 = FZ;
    }
    if (run.EQFAIL == 1) {
        run.IEQTYP = 1;
    } else {
        run.IEQTYP = 0;
        run.ANGERR = 0.0f;
        run.TRTERR = 0.0f;
    }
    OUTCOM.FZMEN0 = run.FZERR;
    const bool reset_six_dof = run.EQFAIL == 1 && solver_rule() == Solver::six_dof;
    report_section(run, current_load(run), data_distances(), data_azimuths(),
                   reset_six_dof ? std::span<const float>(LINCOM.ZANCP_words, lincom_lines)
                                 : std::span<const float>(no_vertical_offset));
    EQUILB.RVES(1) = 0.0f;
    EQUILB.YCGVAR() = 0.0f;
    if (tension_leg_or_spar(T.SIMTYP)) {
        PascomBlock& P = PASCOM;
        // A hull without displacement has no such centre: the data's VKG stands.
        if (T.DISPL != 0.0f) {
            P.TLPVKG = T.VKG * (1.0f - P.NET_TNDN_FRC / T.DISPL) + P.TEND_F_RZ / T.DISPL;
        } else {
            P.TLPVKG = T.VKG;
        }
        P.TLPWGHT = T.DISPL - P.NET_TNDN_FRC;
    }
}

// The environment is applied when LQUAS and LRESET are set and some load is on.
bool environment_switch() {
    const TpcmBlock& T = TPCM;
    if (T.LQUAS == 0 || T.LRESET == 0)
        return false;
    return T.LRANDM != 0 || T.LSWELL != 0 || T.LSWEL2 != 0 || T.LCURNT != 0 || T.LWIND != 0 ||
           T.AUXFRC != 0 || T.AXFC2 != 0 || T.AXFC3 != 0 || BITVAL(T.DPAFLG, 1) != 0 ||
           BITVAL(T.DPRFLG, 1) != 0;
}

// The spar's suction forces of wind and current over its waterplane.
// Sets nothing in the run (reads KTSCNV, TMPSPD).
void spar_suction(const QstatRun& run) {
    const TpcmBlock& T = TPCM;
    if (T.SIMTYP != 17 || T.GETSUCK != 1)
        return;
    if (T.LWIND != 0) {
        const float u = T.WNDSPD * run.KTSCNV;
        EQUILB.WINDSUCK = 0.0005f * WAVCOM.RHOAIR * T.AWPEST * u * u;
    }
    if (T.LCURNT != 0) {
        const float v = run.TMPSPD * run.KTSCNV;
        EQUILB.CRNTSUCK = (T.DWATR / WAVCOM.G) * 0.002f * T.AWP * v * v;
    }
}

// Whether doubling the DP heading spring can no longer help: a spring beyond half the limit
// would overflow, and a spring of zero (the user's, or an environment moment without slope at
// the target) stays zero however often the user continues.
bool spring_cannot_double(float DPASPR) {
    return DPASPR > 0.5f * DPASPR_limit || !(DPASPR > 0.0f);
}

// The continue-or-abort prompt of the DP hold: "A" ends the run at the user's choice; an
// unattended run cannot decide and stops (status 1).
void dp_prompt() {
    abort_or_continue(TPCM.EDUNIT);
}

// The DP heading hold (DPAFLG bit 1): the heading spring about the target and the
// moment that cancels the environment's there act through the environmental yaw moment; the
// solve is repeated with the spring doubled until the heading is within 0.01 rad of the
// target.
// Sets in the run: DPRAD, DPERG (automatic spring), DPTRYS, TOTTRY (automatic spring), DPON
// (true for each solve, false at the end) and what solve sets.
void dp_heading_hold(QstatRun& run) {
    TpcmBlock& T = TPCM;
    const int EDUNIT = T.EDUNIT;
    run.DPRAD = T.DPANG / degrees_per_radian;
    const bool automatic = BITVAL(T.DPAFLG, 2) != 0;
    if (automatic) {
        // The spring from the moment's slope at the target, once the environment is known to
        // turn the vessel toward the target: its energy from the heading to the target.
        T.DPASPR = 0.0f;
        T.DPMOM = 0.0f;
        std::array<float, 80> AUX{};
        std::int32_t IER = 0;
        QATR(
            REDRAD_SYM(EQUILB.VESANG()), REDRAD_SYM(run.DPRAD), 100.0f, 80,
            [](float a) { return TORQUE(a); }, run.DPERG, IER, AUX);
        if (IER != 0)
            fatal_stop(
                EDUNIT, keyboard_unit,
                {" IER = " + I(IER, 2) + " in DPERG calc", " Unable to find DP Equilibrium"});
        if (run.DPERG > 0.00001f)
            fatal_stop(EDUNIT, keyboard_unit, {" DPERG > 0 in qstat; contact Kelbrin"});
        T.DPASPR = std::abs(10.0f * (TORQUE(run.DPRAD + 0.1f) - TORQUE(run.DPRAD)));
    }
    T.DPMOM = -TORQUE(run.DPRAD);
    run.DPTRYS = 0;
    for (;;) {
        run.DPON = true;
        solve(run, true, true);
        if (std::abs(ANGSYM(run.DPRAD - EQUILB.VESANG())) <= 0.01f)
            break;
        if (!automatic) {
            write_record(EDUNIT, "++> Unable to achieve DP target angle with spring value " +
                                     E(T.DPASPR, 10, 2));
            if (spring_cannot_double(T.DPASPR))
                fatal_stop(EDUNIT, keyboard_unit);
            write_record(EDUNIT, "    <Continue> to double value and try again...");
            dp_prompt();
        } else {
            if (run.DPTRYS >= 50) {
                write_record(EDUNIT, "++> Unable to achieve DP target angle in " +
                                         I(run.TOTTRY, 6) + " attempts.");
                dp_prompt();
                run.DPTRYS = 0;
            } else {
                ++run.DPTRYS;
            }
            ++run.TOTTRY;
            if (spring_cannot_double(T.DPASPR)) {
                write_record(EDUNIT, "++> Unable to achieve DP target angle with spring value " +
                                         E(T.DPASPR, 10, 2));
                fatal_stop(EDUNIT, keyboard_unit);
            }
        }
        T.DPASPR *= 2.0f;
    }
    run.DPON = false;
}

// The DP position check (DPRFLG bit 1): the solver imposes the position; a state off
// it by more than 0.1 is reported.
void dp_position_check() {
    const TpcmBlock& T = TPCM;
    if (std::abs(EQUILB.RVES(1) - T.DPXPNT) > 0.1f || std::abs(EQUILB.YCGVAR() - T.DPYPNT) > 0.1f) {
        write_record(T.EDUNIT, "++> DPRPNT not equal to RVES in DP routine; contact Kelbrin");
        dp_prompt();
    }
}

// The equilibrium in the environment, the DP hold, the final evaluation and the
// environmental load at the final heading, by source (kept in EQUILB's split words, which the
// low-frequency sections read), in total with the line current load, and in global axes.
// Sets in the run: DPON, ENV, FXENVG, FYENVG, FZENVG, TXENVG, TYENVG, TZENVG, and what solve,
// dp_heading_hold and final_evaluation set.
void environmental_solve(QstatRun& run, bool free_turret) {
    TpcmBlock& T = TPCM;
    EquilbBlock& Q = EQUILB;
    run.DPON = false;
    solve(run, true, true);
    if (BITVAL(T.DPAFLG, 1) != 0)
        dp_heading_hold(run);
    if (BITVAL(T.DPRFLG, 1) != 0)
        dp_position_check();

    // The final evaluation takes the reference the solver took (the data arrays, as the reset
    // and the two-body pass left them) and records the solved state in the displaced-state
    // arrays. Those arrays were copied from the data once at the start, before the tanker's
    // pass turned the hawser's azimuth and before a reset moved the reference; passed as the
    // reference too, they put the lines of such a pass at stale anchors.
    final_evaluation(run, free_turret, data_distances(), data_azimuths(), lincom_displaced());
    if (solver_rule() == Solver::six_dof)
        for (int i = 1; i <= lincom_lines; ++i)
            LINCOM.ZANCK(i) = LINCOM.ZANCP(i);
    for (int i = 1; i <= lincom_lines; ++i) {
        LINCOM.RANCK(i) = LINCOM.RANCP(i);
        OUTCOM.RLOVAR(i, 4, 1) = LINCOM.RANCP(i);
        OUTCOM.RLOVAR(i, 4, 2) = LINCOM.RANCP(i);
    }

    const float VESANG = Q.VESANG();
    run.ENV = NETFOR(VESANG, true);
    const NetForces& E = run.ENV;
    Q.SXWND = E.FXWIND;
    Q.SYWND = E.FYWIND;
    Q.SXCUR = E.FXCURR;
    Q.SYCUR = E.FYCURR;
    Q.SXWAV = E.FXWAVE;
    Q.SYWAV = E.FYWAVE;
    Q.SXSWL = E.FXSWEL;
    Q.SYSWL = E.FYSWEL;
    Q.SXSWL2 = E.FXSWEL2;
    Q.SYSWL2 = E.FYSWEL2;
    Q.SXWVDG = E.FXWVDG;
    Q.SYWVDG = E.FYWVDG;
    Q.SXSWDG = E.FXSWDG;
    Q.SYSWDG = E.FYSWDG;
    Q.SXSWDG2 = E.FXSWDG2;
    Q.SYSWDG2 = E.FYSWDG2;
    Q.FXENV = E.FXENVT;
    Q.FYENV = E.FYENVT;
    Q.VFCANG = E.FRCANG;
    if (T.LCURML != 0 && T.LCURNT != 0) {
        const float a = LINCOM.CURF_ANG_LINS - VESANG;
        Q.FXENV += LINCOM.FCURNT_LNS * std::cos(a);
        Q.FYENV += LINCOM.FCURNT_LNS * std::sin(a);
        Q.VFCANG = Q.FXENV == 0.0f && Q.FYENV == 0.0f ? 0.0f : std::atan2(Q.FYENV, Q.FXENV);
    }
    Q.TZENV = TORQUE(VESANG);
    run.FXENVG = Q.FXENV * std::cos(VESANG) - Q.FYENV * std::sin(VESANG);
    run.FYENVG = Q.FYENV * std::cos(VESANG) + Q.FXENV * std::sin(VESANG);
    run.FZENVG = run.FZTMP;
    run.TXENVG = 0.0f;
    run.TYENVG = 0.0f;
    run.TZENVG = Q.TZENV;
}

// The bodies of the two-body case and of the towed case. Pass 1 keeps the tanker's
// state and the hawser's azimuth at both ends; pass 2 the buoy's state.
// Sets nothing in the run (reads ILOOP, ENVRON).
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

// The environment report, the mooring force with the line current load, and with
// AUXFRC 1 the direction of the mooring and applied force in VFCANG.
// Sets in the run: IEQTYP (2), EQFAIL (0), ANGERR and TRTERR through state_changes, and
// FXTMP, FYTMP, TXTMP, TYTMP (the line current load added; with AUXFRC 1 TENADJ2 adds the
// applied forces that move with the mooring to FXTMP, FYTMP).
void environment_report(QstatRun& run) {
    const TpcmBlock& T = TPCM;
    run.IEQTYP = 2;
    run.EQFAIL = 0;
    state_changes(run);
    if (T.LCURNT != 0 && T.LCURML != 0) {
        const float a = LINCOM.CURF_ANG_LINS;
        const float rel = a - EQUILB.VESANG();
        run.FXTMP += LINCOM.FCURNT_LNS * std::cos(a);
        run.FYTMP += LINCOM.FCURNT_LNS * std::sin(a);
        run.TXTMP += LINCOM.XYCRMB * std::sin(rel);
        run.TYTMP -= LINCOM.XYCRMB * std::cos(rel);
    }
    if (T.AUXFRC == 1)
        TENADJ2(run.FXTMP, run.FYTMP, EQUILB.VFCANG, EQUILB.VESANG(), 0);
    report_section(run, current_load(run), displaced_distances(), displaced_azimuths(),
                   solver_rule() == Solver::six_dof
                       ? std::span<const float>(LINCOM.ZANCK_words, lincom_lines)
                       : std::span<const float>(no_vertical_offset));
}

// Whether the hawser line number addresses a line of the mooring (its rows of RFLD, RACC and
// BRACC are read by the two-body and towed cases).
void check_hawser_line() {
    const TpcmBlock& T = TPCM;
    if (T.HAWSLN < 1 || T.HAWSLN > std::min(T.NLIN, 149))
        fatal_stop(T.EDUNIT, keyboard_unit,
                   {"", " ++> Hawser line number " + std::to_string(T.HAWSLN) +
                            " is not a line of the mooring (1 to " + std::to_string(T.NLIN) + ")"});
}

// A refusal of the analysis entry: the message framed as the set-up's fatal errors.
[[noreturn]] void refuse_entry(int EDUNIT, const std::string& line1, const std::string& line2) {
    fatal_stop(EDUNIT, keyboard_unit, {"", " ++> FATAL error: " + line1, "     " + line2});
}

} // namespace

float stability_moment_scale() {
    return TPCM.LWL > 0.0f ? 0.5f * TPCM.LWL : 0.5f * TPCM.DRAFT;
}

bool quiescent_state_unstable(float FXTMP, float FYTMP, float TZTMP, float DTZTMP, float TQSCALE) {
    return std::abs(FXTMP) > 0.5f || std::abs(FYTMP) > 0.5f || std::abs(TZTMP) > TQSCALE ||
           DTZTMP < 0.0f;
}

void check_static_equilibrium_input(int EDUNIT) {
    const TpcmBlock& T = TPCM;
    if (T.SIMTYP == 8) {
        // The offset program sets no sea state, prepares no coefficients and runs no VESL1:
        // a load switched on would be silently left out of the equilibrium.
        const struct {
            std::int32_t on;
            const char* name;
        } switches[] = {{T.LRANDM, "LRANDM (seas)"},
                        {T.LSWELL, "LSWELL (swell)"},
                        {T.LSWEL2, "LSWEL2 (second swell)"},
                        {T.LCURNT, "LCURNT (current)"},
                        {T.LWIND, "LWIND (wind)"}};
        for (const auto& s : switches)
            if (s.on != 0)
                refuse_entry(EDUNIT,
                             "The switch " + std::string(s.name) +
                                 " is on, but the offset "
                                 "program",
                             "applies no seas, swell, current or wind; switch it off.");
    } else {
        const bool sea_state = T.LQUAS != 0;
        const bool two_body = T.SIMTYP == 13 && T.IARCO == 1;
        if (sea_state) {
            check_wave_grid(EDUNIT, WaveGridRule::analysis);
            check_wave_setup_input(T.LRANDM != 0 ? T.SWHT(1) : 0.0f);
        }
        if (sea_state || two_body) {
            if (!(T.LWL > 0.0f) || !(T.BWL > 0.0f) || !(T.DRAFT > 0.0f))
                refuse_entry(EDUNIT,
                             "Waterline length LWL, beam BWL and draft DRAFT must be positive",
                             "for the environmental coefficients of the vessel.");
            check_current_sets(EDUNIT);
            check_coefficient_tables(EDUNIT);
        }
    }
    // The solvers difference the mooring over 1e-4 of the shortest line (of the depth when a
    // line has a raised anchor); a file whose shortest length is zero would divide by it.
    if (!(position_step() > 0.0f))
        refuse_entry(EDUNIT,
                     T.BTOUCH != 0 ? "The water depth DEPTH is not positive;"
                                   : "The shortest line length SHORTY is not positive;",
                     "the equilibrium solvers step the vessel position by 1e-4 of it.");
    if (solver_rule() == Solver::six_dof && !(T.DRAFT < T.DEPTH))
        refuse_entry(EDUNIT, "The water depth DEPTH does not exceed the draft DRAFT;",
                     "the six-degree-of-freedom equilibrium cannot be computed.");
}

namespace {

// QSTAT: trim and heel, the displaced-state copies, units and headings, the
// environmental totals at zero, the current profile and the sea state.
// Sets in the run: TOTTRY, WCONST, KTSCNV (NUNTS 0 or 1), FXENVG, FYENVG, and TRIMFL, TRIMHL
// through trim_and_heel, DRFT_MAX, DZMIN through current_profile (codes 10 and above).
void stage_setup(QstatRun& run) {
    TpcmBlock& T = TPCM;
    // Trim and heel, for the six-degree-of-freedom mooring force.
    trim_and_heel(run);

    // The displaced-state copies start equal to the data.
    T.LBACK = 0;
    run.TOTTRY = 0;
    run.WCONST = WAVCOM.G > 0.0f ? depth_frequency_scale(T.DEPTH, WAVCOM.G) : 0.0f;
    for (int i = 1; i <= T.NLIN; ++i) {
        LINCOM.RANCP(i) = LINCOM.RANC(i);
        LINCOM.RANCK(i) = LINCOM.RANC(i);
        LINCOM.ANGDPP(i) = T.ANGDEP(i);
    }

    // Units; the headings to radians; the reference turret angle.
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

    // The environmental totals and the DP results start at zero.
    run.FXENVG = 0.0f;
    run.FYENVG = 0.0f;
    EQUILB.FXENV = 0.0f;
    EQUILB.FYENV = 0.0f;
    T.DPXFRC = T.DPYFRC = T.DPMOM = T.DPXLOC = T.DPYLOC = 0.0f;

    // The current profile of program codes 10 and above.
    if (T.SIMTYP >= 10)
        current_profile(run);

    // The sea state in WAVCOM, for LQUAS with a program code other than 8.
    if (T.LQUAS != 0 && T.SIMTYP != 8)
        sea_state(run);
}

// QSTAT after the passes: the vessel section describes the tanker again, with the
// tanker's state; the towed case's tow line is put back; the end separation of the tow or
// hawser.
// Sets nothing in the run (reads AUXSAV, CRDSAV, ANGSAV).
void after_passes(QstatRun& run, bool two_body, bool towed) {
    TpcmBlock& T = TPCM;
    if (two_body) {
        T.ISPM = 3;
        T.AUXFRC = run.AUXSAV;
        T.CRDSYS = run.CRDSAV;
        swap_body_sections(TPCM);
        EQUILB.RVES(1) = EQUILB.RTNK(1);
        EQUILB.YCGVAR() = EQUILB.RYTNK();
        EQUILB.VESANG() = EQUILB.TNKNGL();
        EQUILB.ZCGVAR = EQUILB.RZTNK;
        if (T.SIMTYP == 13)
            CFPREP();
    }
    if (towed) {
        for (int k = 1; k <= 3; ++k)
            T.RFLD(k, 1) = T.BRACC(k, T.HAWSLN);
        T.ANGDEP(1) = run.ANGSAV;
    }
    if (T.SIMTYP == 13 || T.SIMTYP == 10) {
        LINCOM.ENDSEP = LINCOM.RANCP(T.HAWSLN);
        T.CNTSEP = LINCOM.ENDSEP + T.RACC(1, 1) - T.BRACC(1, T.HAWSLN);
        T.BCNTSP = T.CNTSEP;
    }
}

} // namespace

void QSTAT() {
    QSTAT(QstatPassHook{});
}

// QSTAT: see the header. Reads TPCM, LINCOM's tables and CURPROF; writes TPCM (VESAN0,
// BVSAN0, the DP words, the pass words, CNTSEP, BCNTSP), LINCOM (RANCP, RANCK, ANGDPP, ZANCK,
// ENDSEP), EQUILB, ERGCOM, OUTCOM, PASCOM, LOCAL2 and WAVCOM; the report on IUNIT, messages
// on EDUNIT. Ends the run as described in the header. Sets in the run itself, beside its
// phases: MNLOOP, MXLOOP, ILOOP, ENVRON, and IEQTYP, ANGERR, TRTERR of a loads-only run.
void QSTAT(const QstatPassHook& after_pass) {
    TpcmBlock& T = TPCM;
    const int EDUNIT = T.EDUNIT;

    // The working values.
    QstatRun run;

    // Debug values and level.
    debug_entry();

    // The report and the progress line.
    const bool to_file = report_file();
    if (to_file)
        RHOPEN(OUTFIL, 1, 0, T.IUNIT, MAINPG, EDUNIT);
    write_record(EDUNIT, " >>> Computing mean vessel offset and orientation...");

    // The working state of the stage.
    stage_setup(run);

    // Passes: the tanker and its buoy (program code 13, or 8 with a hawser) take two.
    const bool two_body = (T.SIMTYP == 13 || T.SIMTYP == 8) && T.IARCO == 1;
    const bool towed = T.SIMTYP == 10 && T.IANC == 0;
    run.MNLOOP = 1;
    run.MXLOOP = two_body ? 2 : 1;
    // The passes address the hawser's rows of RFLD, RACC and BRACC: a number outside the lines
    // of the mooring (the editor keeps it equal to NLIN) is refused rather than read out of
    // range.
    if (two_body || T.SIMTYP == 10 || T.SIMTYP == 13)
        check_hawser_line();
    const bool free_turret = T.LSPM != 0 && T.LOCK_TRT != 1;

    bool loads_only = false;
    for (run.ILOOP = run.MNLOOP; run.ILOOP <= run.MXLOOP; ++run.ILOOP) {
        // The pass's lines and body.
        pass_setup(run, two_body);

        // The widest anchor-distance range, for the solvers.
        anchor_distance_range(run);

        // Applied forces: set directly in the offset program or without the sea state;
        //     otherwise CFPREP sets them with the mean-environment coefficients.
        if (T.LQUAS == 0 || T.SIMTYP == 8) {
            applied_force(T.AUXFRC == 1, T.XVFRC, T.YVFRC, EQUILB.FEXTRN, EQUILB.PHIFEX);
            applied_force(T.AXFC2 != 0, T.XVFRC2, T.YVFRC2, EQUILB.FXTRN2, EQUILB.PHIFX2);
            applied_force(T.AXFC3 != 0, T.XVFRC3, T.YVFRC3, EQUILB.FXTRN3, EQUILB.PHIFX3);
        } else {
            CFPREP();
        }

        // The starting state and its mooring force; a loads-only run reports it and ends
        //     the passes there, without the restoration after the passes.
        starting_state(run, free_turret);
        if (T.ONLYLD == 1 && T.ISURGE == 1) {
            run.IEQTYP = 0;
            run.ANGERR = 0.0f;
            run.TRTERR = 0.0f;
            OUTCOM.FZMEN0 = run.FZERR;
            report_section(run, starting_load(run), data_distances(), data_azimuths(),
                           no_vertical_offset);
            loads_only = true;
            if (after_pass)
                after_pass(run);
            break;
        }

        // The still-water stability check, and the reset of an unstable start.
        stability_check(run, free_turret);

        // The still-water report.
        still_water_report(run);

        // The environment switch and the spar's suction forces.
        run.ENVRON = environment_switch();
        spar_suction(run);

        // The equilibrium in the environment, the DP hold and the final evaluation.
        if (run.ENVRON)
            environmental_solve(run, free_turret);

        // The bodies of the two-body case and of the towed case.
        if (two_body || (towed && run.ILOOP == 1))
            body_bookkeeping(run);

        // The environment report.
        if (run.ENVRON)
            environment_report(run);
        if (after_pass)
            after_pass(run);
    }

    // After the passes (not after a loads-only run, which ends in the first pass, before
    //     the two-body exchange, and keeps the pass words as it left them).
    if (!loads_only)
        after_passes(run, two_body, towed);

    // The report is closed.
    if (to_file)
        HCLOSE(T.IUNIT, OUTFIL, MAINPG, EDUNIT);
}

} // namespace lintar
