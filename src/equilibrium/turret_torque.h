// equilibrium/turret_torque.h: TRTTRQ, the yaw moment of the mooring lines about a turret
// turned to a trial angle, the function whose root is the turret's equilibrium angle.
#pragma once

namespace lintar {

// TRTTRQ: the moment (counter-clockwise positive) of lines MINLN..MAXLN of LOCAL2 about the
// turret centre XSALM when the turret stands at TRTTMP (radians) and the vessel at RVES(1),
// YCGVAR of EQUILB: each fairlead turned about the turret centre by TRTTMP - TRTNG0, its
// horizontal load read from its type's table in row MIDLYR at its new distance to the anchor
// (RANC, ANGDEP); a distance beyond the table is extrapolated from the end interval. Lines
// whose LINEID exceeds 1024 are skipped. Reads LOCAL2, EQUILB, TPCM and LINCOM; writes only
// LINCOM's ITYP. Never ends the run.
float TRTTRQ(float TRTTMP);

} // namespace lintar
