// low_frequency/turret_torque.h: TRTTRQ2, the net yaw moment of the mooring lines about a
// freely turning turret, the function whose root is the turret's weathervaning angle.
#pragma once

namespace lintar {

// TRTTRQ2: the moment (counter-clockwise positive) of lines MINLN..MAXLN of LOCAL3 about the
// turret centre when the turret stands at TRTTMP (radians, global) and the vessel reference
// point at RVESP(1), RVESP(2) of LOCAL3: each fairlead turned about the turret centre XSALM by
// TRTTMP - TRTNG0 (EQUILB), its horizontal load read from its type's table in row MIDLYR at
// the new distance to its anchor (RANC, ANGDEP). Reads LOCAL3, EQUILB, TPCM and LINCOM; writes
// only LINCOM ITYP. Never ends the run.
float TRTTRQ2(float TRTTMP);

} // namespace lintar
