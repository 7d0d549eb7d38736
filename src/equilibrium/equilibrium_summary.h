// equilibrium/equilibrium_summary.h: EQLOUT, the summary of one equilibrium state of the moored
// vessel (report sections IIa, still water, and IIb, full environment): the net mooring load
// in three coordinate systems, the displacement from the still-water position, the slopes of
// the mooring's force-offset curves and its yaw stiffness, and the table of line tensions.
#pragma once

#include "lines/mooring_force.h"

#include <cstdint>
#include <span>

namespace lintar {

// The state EQLOUT reports, as its caller found it.
struct EquilibriumSummary {
    // Net mooring force (global axes) and moment (vessel axes) about the reference point
    // (XMCTRL, YMCTRL, ZMCTRL) of vessel coordinates.
    float FXNET = 0.0f, FYNET = 0.0f, FZNET = 0.0f;
    float TXNET = 0.0f, TYNET = 0.0f, TZNET = 0.0f;
    float XMCTRL = 0.0f, YMCTRL = 0.0f, ZMCTRL = 0.0f;
    // Displacement from the still-water position (global, length units) and in yaw (radians).
    float XERR = 0.0f, YERR = 0.0f, ZERR = 0.0f;
    float ANGERR = 0.0f;
    float FINANG = 0.0f;                               // final heading, radians
    float TRTERR = 0.0f;                               // turret rotation, radians
    float TRTANG = 0.0f;                               // turret orientation, radians
    float PITOFF = 0.0f, ROLOFF = 0.0f, YAWOFF = 0.0f; // radians
    // 0 user-specified still water, 1 simulation-estimated still water, 2 mean conditions in the
    // specified environment.
    std::int32_t IEQTYP = 0;
    // 0 equilibrium found; 1 the user's still-water start was not stable and a nearby
    // equilibrium was found.
    std::int32_t EQFAIL = 0;
    std::int32_t GETNODE = 0; // solve each loaded line's nodes
    std::int32_t LPRINT = 1;  // write the report
    // The solver returned an estimate the user accepted without convergence: the report says
    // so under its condition text.
    bool not_converged = false;
};

// EQLOUT: reports the equilibrium `state` on TPCM's IUNIT when state.LPRINT is set, and always
// - finds the slopes by finite displacement of EQUILB's position (SPRING, with the
//   environmental yaw moment yaw_moment for IEQTYP 2; when empty, the environment's TORQUE);
// - for every line i of lines.MINLN..MAXLN at distance lines.RANC(i) (vertical fairlead offset
//   ZANC(i) in six degrees of freedom): checks the distance against its table (above 0.1 and
//   without tendons; TNSWRN's warning with flag word MRWRNS, or once per line type per run
//   " ++> Non-monotonic array detected in line type " and the abort prompt), reads the line's
//   state from the tables (LOADUP in six degrees of freedom) and, with GETNODE and a line
//   under load, solves its nodes (NODE_EVAL2) into OUTCOM at (1..26, i, 4, 1);
// - when EQFAIL is 0, or 1 with IEQTYP 1, sets NET_TNDN_FRC to the sum of the lines' vertical
//   top loads and TEND_F_RZ to the sum of fairlead height times that load (left alone else).
// The printed row keeps the tables' values whether or not the nodes are solved.
// Reads TPCM, EQUILB's VESANG and OUTCOM's DZTOTL; writes OUTCOM's node arrays and, through
// NODE_EVAL2 and LOADUP, LINCOM's line being solved; SPRING moves EQUILB's position and puts it
// back. Ends the run when the user answers "A" at a warning or at the non-monotonic table's
// prompt (a choice), when an unattended run meets that table (status 1), and as NODE_EVAL2
// and LOADUP do.
void EQLOUT(const LineTables& tables, const MooringLines& lines, std::span<const float> ZANC,
            const EquilibriumSummary& state, float& TEND_F_RZ, float& NET_TNDN_FRC,
            std::int32_t& MRWRNS, const YawMomentFunction& yaw_moment = {});

} // namespace lintar
