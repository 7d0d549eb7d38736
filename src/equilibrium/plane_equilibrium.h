// equilibrium/plane_equilibrium.h: EQFIND, the mean equilibrium of the moored vessel in surge,
// sway and heading, and the pieces it shares with the single-point search: the environmental
// load at a heading, the turret angle at the present position, the single-line start point and
// step limiter, the mooring force of the line range.
#pragma once

#include "lines/mooring_force.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace lintar {

// A source of uniform random numbers in [0, 1): the solvers' restarts draw from it. An empty
// one stands for the solvers' own generator (a fixed-seed sequence, restarted with the program
// state).
using UniformRandom = std::function<float()>;

// What a solver tells its caller besides the state it leaves in EQUILB: ITFAIL is set when the
// user accepted an estimate that had not converged (99 at an iteration-failure prompt, or the
// continue answer after a singular still-water Jacobian).
struct PlaneSearchOutcome {
    bool ITFAIL = false;
};

// EQFIND: the damped Newton search on the net force and yaw moment of lines MINLN..MAXLN of
// LOCAL2 (with the environment when ENVRON) for the offset and heading of EQUILB (RVES(1),
// YCGVAR, VESANG reduced to (-pi, pi], ZCGVAR, TRTNGL), with its restarts, heading flips and
// alternate-equilibrium trials. OFFMAX is the widest anchor-distance span of the evaluated
// lines (the single-line start point and limiter); DPON is not read. Leaves the last Jacobian
// and net load in LOCAL. Reads TPCM, LINCOM, WAVCOM; writes EQUILB, LOCAL and, with line drag,
// LINCOM's current-drag words. Messages and prompts on EDUNIT (keyboard 5). Ends the run at the
// fatal turret failure and after 50 singular-Jacobian restarts (status 1), at "A" (the user's
// choice), and where an unattended run meets a prompt that waits for a decision (status 1).
PlaneSearchOutcome EQFIND(bool ENVRON, float OFFMAX, bool DPON, const UniformRandom& RAND = {});

// ---- Pieces shared with the single-point search ------------------------------------------------

// The environmental load at heading VESANG in global axes (force) with the yaw moment: NETFOR's
// totals plus, with LCURML and LCURNT, the line current drag of LINCOM, turned by VESANG; the
// moment TORQUE(VESANG) when `with_moment`. Zero without ENVRON.
struct PlaneEnvironment {
    float FX = 0.0f, FY = 0.0f, TZ = 0.0f;
};
PlaneEnvironment plane_environment(bool ENVRON, float VESANG, bool with_moment);

// PNTTRT: with LSPM set, whether every line of MINLN..MAXLN leaves from one fairlead point (a
// single line does); false without LSPM.
bool point_turret(std::int32_t MINLN, std::int32_t MAXLN);

// The difference step of the position: 0.0001 x DEPTH when BTOUCH is set, else x SHORTY.
float position_step();

// What the turret-angle solve does with a root search that ends without a root: EQFIND counts it
// as an unstable root (turn by pi, search again); SPMEQB reports the code and stops.
enum class TurretRootFailure { unstable, fatal };

// solve_turret_angle: TRTNGL of EQUILB, the stable root of TRTTRQ within pi/2 of its present
// value at the present position; an unstable root turns the turret by pi for a second search,
// and a second unstable root is fatal (" ++> Fatal Condition: ..." on EDUNIT, the Return pause,
// status 1). With TurretRootFailure::fatal a search without a root writes " IER = " and its
// code, waits for Return and stops (status 1).
void solve_turret_angle(TurretRootFailure on_failure);

// The abort pause of the solvers' warnings: "A" ends the run (the user's choice), anything else
// goes on; an unattended run stops there (status 1). Sets TPCM's LBACK.
void abort_or_continue(int EDUNIT);

// The still-water warning of a singular Jacobian (" ++> Warning: Singular denominator in " the
// search's `loop` " iteration loop.", framed by blank lines on EDUNIT), then the abort pause.
void singular_warning(int EDUNIT, std::string_view loop);

// The question after an iteration failure: ABORT3 on EDUNIT, its answer into TPCM's LBACK; -1
// ends the run (the user's choice). True when the user takes the present estimate (99).
bool take_estimate(int EDUNIT);

// The fatal end of a search that cannot go on: " ++> Fatal Condition: Equilibrium condition
// determination" / "      failed for unknown reasons" framed by blank lines on EDUNIT, the
// Return pause, status 1.
[[noreturn]] void equilibrium_failed();

// The single-line limiter: a trial point (X, Y) farther than 2 x OFFMAX from the origin is
// pulled back along its radius to the distance that the hawser type's table (row MIDLYR) gives
// for the environmental force (FX, FY) beyond its first point.
void single_line_limit(float& X, float& Y, float OFFMAX, float FX, float FY);

// The mooring force of lines MINLN..MAXLN of LOCAL2 at the state of EQUILB, about the turret
// centre XSALM, the fairleads following the turret when `turret`.
PlaneLoads plane_mooring(bool turret);

// plane_mooring at the state of EQUILB with its surge (RVES(1), PlaneAxis::x) or sway (YCGVAR,
// PlaneAxis::y) moved by `step`, the difference step of a Jacobian; EQUILB is not changed.
enum class PlaneAxis { x, y };
PlaneLoads plane_mooring_stepped(bool turret, PlaneAxis axis, float step);

} // namespace lintar
