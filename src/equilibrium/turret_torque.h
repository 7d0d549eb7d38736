// equilibrium/turret_torque.h: the yaw moment of the mooring lines about a turret turned to a
// trial angle, the function whose root is the turret's equilibrium angle, at the trial
// positions of the static equilibrium (TRTTRQ) and of the offset table (turret_moment_of_blocks).
// Both are the one moment of lines/turret_moment.h.
#pragma once

#include "lines/turret_moment.h"

#include <cstdint>

namespace lintar {

// TRTTRQ: the moment (counter-clockwise positive) of lines MINLN..MAXLN of LOCAL2 about the
// turret centre XSALM when the turret stands at TRTTMP (radians) and the vessel at RVES(1),
// YCGVAR of EQUILB (turret_yaw_moment). Reads LOCAL2, EQUILB, TPCM and LINCOM's tables;
// changes nothing. Never ends the run.
float TRTTRQ(float TRTTMP);

// turret_moment_of_blocks: the same moment over lines MINLN..MAXLN with the vessel reference
// point at (RX, RY), the turret's reference angle TRTNG0 of EQUILB, its centre XSALM of TPCM
// and LINCOM's tables, as the callable the turret search takes. Reads those blocks once, when
// it is made; changes nothing.
TurretMoment turret_moment_of_blocks(float RX, float RY, std::int32_t MINLN, std::int32_t MAXLN);

} // namespace lintar
