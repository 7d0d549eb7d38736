// equilibrium/turret_torque.cpp: the yaw moment of the lines about a turned turret.
#include "equilibrium/turret_torque.h"

#include "blocks/equilb.h"
#include "blocks/local2.h"
#include "low_frequency/turret_torque.h"

namespace lintar {

// TRTTRQ: the turret moment at the vessel position of EQUILB (RVES(1), YCGVAR) over the lines
// of LOCAL2. Reads LOCAL2, EQUILB, TPCM and LINCOM's tables; writes LINCOM's ITYP.
float TRTTRQ(float TRTTMP) {
    return turret_yaw_moment(TRTTMP, EQUILB.RVES(1), EQUILB.YCGVAR(), LOCAL2.MINLN, LOCAL2.MAXLN);
}

} // namespace lintar
