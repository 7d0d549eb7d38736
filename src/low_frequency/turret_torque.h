// low_frequency/turret_torque.h: TRTTRQ2, the net yaw moment of the mooring lines about a
// freely turning turret, the function whose root is the turret's weathervaning angle.
#pragma once

#include <cstdint>

namespace lintar {

// turret_yaw_moment: the moment (counter-clockwise positive) of lines MINLN..MAXLN about the
// turret centre XSALM when the turret stands at TRTTMP (radians, global) and the vessel
// reference point at (RX, RY): each fairlead turned about the turret centre by TRTTMP - TRTNG0
// (EQUILB), its horizontal load read from its type's table in row MIDLYR at the new distance to
// its anchor (RANC, ANGDEP). Reads EQUILB, TPCM and LINCOM; writes only LINCOM ITYP. Never ends
// the run. The static equilibrium's TRTTRQ and the offset table's TRTTRQ2 are this moment at
// their own trial positions.
float turret_yaw_moment(float TRTTMP, float RX, float RY, std::int32_t MINLN, std::int32_t MAXLN);

// TRTTRQ2: the moment (counter-clockwise positive) of lines MINLN..MAXLN of LOCAL3 about the
// turret centre when the turret stands at TRTTMP (radians, global) and the vessel reference
// point at RVESP(1), RVESP(2) of LOCAL3: each fairlead turned about the turret centre XSALM by
// TRTTMP - TRTNG0 (EQUILB), its horizontal load read from its type's table in row MIDLYR at
// the new distance to its anchor (RANC, ANGDEP). Reads LOCAL3, EQUILB, TPCM and LINCOM; writes
// only LINCOM ITYP. Never ends the run.
float TRTTRQ2(float TRTTMP);

} // namespace lintar
