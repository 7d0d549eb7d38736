// equilibrium/turret_torque.cpp: the yaw moment of the lines about a turned turret at the
// static equilibrium's and the offset table's trial positions.
#include "equilibrium/turret_torque.h"

#include "blocks/equilb.h"
#include "blocks/local2.h"
#include "blocks/tpcm.h"
#include "lines/turret_moment.h"

namespace lintar {

float TRTTRQ(float TRTTMP) {
    const TurretTrial trial{EQUILB.RVES(1), EQUILB.YCGVAR(), EQUILB.TRTNG0, TPCM.XSALM};
    return turret_yaw_moment(TRTTMP, trial, lincom_tables(),
                             lincom_mooring_lines(LOCAL2.MINLN, LOCAL2.MAXLN));
}

TurretMoment turret_moment_of_blocks(float RX, float RY, std::int32_t MINLN, std::int32_t MAXLN) {
    return {TurretTrial{RX, RY, EQUILB.TRTNG0, TPCM.XSALM}, lincom_tables(),
            lincom_mooring_lines(MINLN, MAXLN)};
}

} // namespace lintar
