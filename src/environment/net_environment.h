// environment/net_environment.h: the mean environmental load on the vessel at a trial heading,
// by source, and the yaw moment whose root is the heading of a vessel moored at one point.
//
// Forces are in the model's force unit, in vessel axes (x along the hull, y across it); angles
// in radians. Every evaluation first re-evaluates the RAOs at the trial heading, so that the
// drift and drag routines see the response there.
#pragma once

#include <cstdint>

namespace lintar {

// The components of NETFOR: wind, sea drift, swell and second-swell drift, sea, swell and
// second-swell drag, current; the totals (which hold the user forces and the DP force too) and
// FRCANG, the direction of the total in vessel axes (0 when there is none).
struct NetForces {
    float FXWIND = 0, FYWIND = 0, FXWAVE = 0, FYWAVE = 0, FXSWEL = 0, FYSWEL = 0;
    float FXSWEL2 = 0, FYSWEL2 = 0, FXWVDG = 0, FYWVDG = 0, FXSWDG = 0, FYSWDG = 0;
    float FXSWDG2 = 0, FYSWDG2 = 0, FXCURR = 0, FYCURR = 0, FXENVT = 0, FYENVT = 0;
    float FRCANG = 0;
};

// NETFOR: the environmental force at heading TNKANG; FORCE_NEW_RAO forces the RAO update.
// Writes EQUILB SWLANG, SWLANG2 (the swells' relative angles) and the harmonics of SINES; for
// program codes 14 and 17 with current, CURCOF of the draft deepened by ZCGVAR.
NetForces NETFOR(float TNKANG, bool FORCE_NEW_RAO);

// The yaw moment's contributions (0 for a source that is off) and its total, which holds the
// yaw-table and articulated-arm terms as well.
struct TorqueParts {
    float TORQUE_VAL = 0, WIND_TQ = 0, CUR_TQ = 0, WAV_RFL_TQ = 0, WAV_DRG_TQ = 0;
    float SWEL_RFL_TQ = 0, SWEL_DRG_TQ = 0, SWEL_RFL_TQ2 = 0, SWEL_DRG_TQ2 = 0;
    float AUX1_TQ = 0, AUX2_TQ = 0, AUX3_TQ = 0, DP_TQ = 0;
};

// TORQUE2: the yaw moment at heading TNKANG (radians) about the yaw reference point, with its
// contributions. TORQUE: its total, the root function of the single-point solvers.
TorqueParts TORQUE2(float TNKANG);
float TORQUE(float TNKANG);

} // namespace lintar
