// equilibrium/static_equilibrium.h: QSTAT, the static-equilibrium stage of the analysis engine:
// the still-water state that the later stages start from, found pass by pass (two passes for
// a tanker moored by a hawser to a buoy), and the working values of one run.
#pragma once

#include "lines/mooring_force.h"

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
    std::int32_t IEQSET = 0; // mode word of the force routines: 0 iterating, 2 final
    float DTZTMP = 0.0f;     // yaw moment at the heading minus that 0.1 rad further on
    float TQSCALE = 0.0f;    // moment tolerance of the stability check
    bool ENVRON = false;     // the environment is applied in the solver
    // Environmental force in global axes at the final heading (the load pass 2 of the
    // two-body case puts on the buoy).
    float FXENVG = 0.0f, FYENVG = 0.0f;
};

// Called at the end of each pass with the run's values, while TPCM, EQUILB and LOCAL2 still
// describe that pass (tests watch the passes through it).
using QstatPassHook = std::function<void(const QstatRun&)>;

// QSTAT: the quasi-static mean-position analysis, in its steps: the displaced-state copies of
// LINCOM (RANCP, RANCK, ANGDPP), VESAN0 and BVSAN0 of TPCM to radians in place, RHOAIR of
// WAVCOM, TRTNG0; per pass the line range of LOCAL2, the applied-force words and the starting
// state of EQUILB with the mooring force there, the still-water stability check (its warning
// on EDUNIT and the pause, where "-1" stops the run) and the environment switch; the two-body
// bookkeeping, and after the last pass of the two-body case the vessel section of TPCM and
// the state of EQUILB describe the tanker again.
// The solvers, the quiescent-state reset, the environmental solve and the report
// "MEANOUT.stxt" are not built yet: data that need them (an unstable start with LRESET 1, an
// environment to apply, the current profile of program codes 10 and above, the sea state and
// vessel motions of a program code other than 8) get a message naming what is not yet
// supported on EDUNIT, the Return pause and an error stop (status 1).
void QSTAT();
void QSTAT(const QstatPassHook& after_pass);

} // namespace lintar
