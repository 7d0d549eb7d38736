// lines/turret_moment.h: the yaw moment of the mooring lines about a freely turning turret, the
// function whose root is the turret's weathervaning angle, over the views of the line tables
// and the lines that the mooring force reads (lines/mooring_force.h).
#pragma once

#include "lines/mooring_force.h"

namespace lintar {

// Where the turret is tried: the vessel reference point (RX, RY, global), the reference turret
// angle TRTNG0 (radians) at which the fairleads stand where the lines give them, and the turret
// centre XSALM on the vessel's x axis.
struct TurretTrial {
    float RX = 0.0f;
    float RY = 0.0f;
    float TRTNG0 = 0.0f;
    float XSALM = 0.0f;
};

// turret_yaw_moment: the moment (counter-clockwise positive) of the lines MINLN..MAXLN of LINES
// about the turret centre when the turret stands at TRTTMP (radians, global): each fairlead is
// turned about the turret centre by TRTTMP - TRTNG0, its horizontal load read from its type's
// table in row MIDLYR at its new distance to the anchor (RANC along ANGDEP), ends
// extrapolated. Lines whose LINEID exceeds 1024 are skipped. Reads only its arguments and
// allocates nothing, so a root finder may call it freely. Never ends the run. The static
// equilibrium's TRTTRQ, the offset table's and the support maps' turret searches are this
// moment at their own trial positions.
float turret_yaw_moment(float TRTTMP, const TurretTrial& trial, const LineTables& tables,
                        const MooringLines& lines);

// TurretMoment: turret_yaw_moment at one trial position as a function of the turret angle
// alone, the function a turret search finds the root of. Holds the trial, the table views and
// the lines (their range included) as values; calling it reads only those.
struct TurretMoment {
    TurretTrial trial;
    LineTables tables;
    MooringLines lines;

    float operator()(float TRTTMP) const { return turret_yaw_moment(TRTTMP, trial, tables, lines); }
};

} // namespace lintar
