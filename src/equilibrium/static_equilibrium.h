// equilibrium/static_equilibrium.h: QSTAT, the static-equilibrium stage of the analysis engine:
// the still-water state that the later stages start from, found pass by pass (two passes for
// a tanker moored by a hawser to a buoy), and the working values of one run.
#pragma once

#include "environment/net_environment.h"
#include "lines/mooring_force.h"

#include <array>
#include <cstdint>
#include <functional>

namespace lintar {

// The working values of one QSTAT run that carry meaning from step to step.
struct QstatRun {
    std::int32_t EQFAIL = 0;   // 1 once a solver has reset the still-water state
    bool INITFLAG = false;     // memory of the six-degree-of-freedom solver between its calls
    bool NEW_CRNT_LOAD = true; // the same solver recomputes the line current load
    Mat3 TRIMHL = identity3;   // trim and heel rotation (by columns) for the 6-dof force
    bool TRIMFL = false;       // TRIMHL is not the identity
    std::int32_t TOTTRY = 0;   // failed DP heading attempts with the automatic spring
    float WCONST = 0.0f;       // sqrt(DEPTH / G), 0 while G is unset
    float KTSCNV = 0.0f;       // knots to the length unit per second
    std::int32_t MNLOOP = 1;   // passes MNLOOP..MXLOOP; ILOOP the one being run
    std::int32_t MXLOOP = 1;
    std::int32_t ILOOP = 1;
    float ANGSAV = 0.0f;     // the hawser's azimuth as the data give it (two-body case)
    std::int32_t AUXSAV = 0; // the buoy's AUXFRC and CRDSYS, kept over pass 2
    std::int32_t CRDSAV = 0;
    float OFFMAX = 0.0f; // widest anchor-distance range of the evaluated line types
    // Mooring force (global axes) and moment at the starting state, and at the current state.
    float FXERR = 0.0f, FYERR = 0.0f, FZERR = 0.0f, TXERR = 0.0f, TYERR = 0.0f, TZERR = 0.0f;
    float FXTMP = 0.0f, FYTMP = 0.0f, FZTMP = 0.0f, TXTMP = 0.0f, TYTMP = 0.0f, TZTMP = 0.0f;
    std::int32_t IEQSET = 0;    // mode word of the force routines: 0 iterating, 2 final
    float DTZTMP = 0.0f;        // yaw moment at the heading minus that 0.1 rad further on
    float TQSCALE = 0.0f;       // moment tolerance of the stability check
    bool ENVRON = false;        // the environment is applied in the solver
    std::int32_t IEQTYP = 0;    // report section: 0 still water as specified, 1 after the reset,
                                // 2 full environment
    float ANGERR = 0.0f;        // heading change VESANG - VESAN0, reduced to (-pi, pi]
    float TRTERR = 0.0f;        // turret-angle change TRTNGL - TRTNG0, reduced
    bool not_converged = false; // the last solve ended in an estimate the user accepted
    // DP heading hold: attempt under way, target heading (radians), yaw energy between the
    // heading and the target, consecutive failures with the automatic spring.
    bool DPON = false;
    float DPRAD = 0.0f, DPERG = 0.0f;
    std::int32_t DPTRYS = 0;
    // The six-degree-of-freedom solver's memory and its solution vector.
    std::array<float, 6> X_INIT{}, F_INIT{}, XVEC{};
    float TMPSPD = 0.0f;                 // current speed at the spar's draft
    std::int32_t NEGSAV = 0, MFBKSV = 0; // NEGSUM, MORFBK kept over VESL1
    float DRFT_MAX = 0.0f, DZMIN = 0.0f; // the current profile's draft and thinnest layer
    NetForces ENV;                       // NETFOR's split at the final heading
    // Environmental force and moment in global axes at the final heading (the load pass 2 of
    // the two-body case puts on the buoy).
    float FXENVG = 0.0f, FYENVG = 0.0f, FZENVG = 0.0f;
    float TXENVG = 0.0f, TYENVG = 0.0f, TZENVG = 0.0f;
};

// Called at the end of each pass with the run's values, while TPCM, EQUILB and LOCAL2 still
// describe that pass (tests watch the passes through it).
using QstatPassHook = std::function<void(const QstatRun&)>;

// QSTAT: the quasi-static mean-position analysis, in its steps: the report "MEANOUT.stxt" on
// unit 1 when IUNIT is 1 and LEQCND set; the displaced-state copies of LINCOM (RANCP, RANCK,
// ANGDPP), VESAN0 and BVSAN0 of TPCM to radians in place, RHOAIR of WAVCOM, TRTNG0; for
// program codes 10 and above the current profile; with LQUAS and a code other than 8 the sea
// state in WAVCOM. Per pass: the line range of LOCAL2 (and with LQUAS, codes other than 8, the
// wave-frequency set-up VESL1 without its report), the applied-force words (set directly for
// code 8 or without LQUAS, else by CFPREP), the starting state of EQUILB with the mooring
// force there, the still-water stability check (the warning on EDUNIT and the pause, where
// "-1" stops the run; with LRESET 1 the reset to the nearest equilibrium, whose lines become
// the data's), the still-water section of the report, then with the environment switched on
// the equilibrium in the environment with the DP heading hold and position check, the final
// evaluation, the environmental load split into EQUILB's words and the full-environment
// section. The two-body bookkeeping, and after the last pass of the two-body case the vessel
// section of TPCM and the state of EQUILB describe the tanker again; the towed case's tow line
// is put back and codes 10 and 13 set the end separation. A loads-only run (ONLYLD and ISURGE
// 1) reports the starting state and ends the passes there.
// Ends the run (status 1) when the report cannot be opened, for a hawser number outside the
// mooring, a current profile out of order, a swell peak outside the period grid, a DP heading
// that the spring cannot hold, the DP energy failures, and where the solvers, VESL1, CFPREP,
// MENSET and EQLOUT end it; at "A" after the thin-layer note and at the DP prompts (the user's
// choice; an unattended run stops at the DP prompts with status 1).
void QSTAT();
void QSTAT(const QstatPassHook& after_pass);

// The still-water stability test of the starting state: unstable when a net force component
// exceeds 0.5 in magnitude, the net yaw moment exceeds TQSCALE, or the yaw stiffness DTZTMP is
// negative (the limits themselves count as stable). TQSCALE is half the waterline length, half
// the draft when LWL is 0 (stability_moment_scale, reads TPCM).
float stability_moment_scale();
bool quiescent_state_unstable(float FXTMP, float FYTMP, float TZTMP, float DTZTMP, float TQSCALE);

// check_static_equilibrium_input: the analysis entry's checks of what QSTAT will use, before
// any stage writes a file; each failure is a fatal message on EDUNIT, the Return pause and an
// error stop (status 1). For program code 8 (no sea state, no coefficients, no VESL1) only the
// solver's input is checked and a sea, swell, current or wind switch that is on is refused (no
// page of the program sets LSWEL2, and the engine's load sets no default for these switches).
// Otherwise: with the sea state (LQUAS) the period grid and the rest of VESL1's input; with the
// coefficient preparation positive LWL, BWL and DRAFT, the current sets and the coefficient
// tables. Always a positive position step of the solvers (SHORTY, or DEPTH with BTOUCH). For
// the six-degree-of-freedom solver DRAFT below DEPTH (a grounded hull, DRAFT equal
// to DEPTH, is refused too). Reads TPCM.
void check_static_equilibrium_input(int EDUNIT);

} // namespace lintar
