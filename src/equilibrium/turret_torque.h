// equilibrium/turret_torque.h: the yaw moment of the mooring lines about a turret turned to a
// trial angle, the function whose root is the turret's equilibrium angle, at the trial
// positions of the static equilibrium (TRTTRQ) and of the offset table and the support-data
// maps (TRTTRQ2). Both are the one moment of lines/turret_moment.h.
#pragma once

namespace lintar {

// TRTTRQ: the moment (counter-clockwise positive) of lines MINLN..MAXLN of LOCAL2 about the
// turret centre XSALM when the turret stands at TRTTMP (radians) and the vessel at RVES(1),
// YCGVAR of EQUILB (turret_yaw_moment). Reads LOCAL2, EQUILB, TPCM and LINCOM's tables;
// changes nothing. Never ends the run.
float TRTTRQ(float TRTTMP);

// TRTTRQ2: the same moment over lines MINLN..MAXLN of LOCAL3 with the vessel reference point at
// RVESP(1), RVESP(2) of LOCAL3, which the caller sets before a root finder runs. Reads LOCAL3,
// EQUILB TRTNG0, TPCM and LINCOM's tables; changes nothing. Never ends the run.
float TRTTRQ2(float TRTTMP);

} // namespace lintar
