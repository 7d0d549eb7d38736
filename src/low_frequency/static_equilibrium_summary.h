// low_frequency/static_equilibrium_summary.h: section IV of the low-frequency report, the most
// stable mean equilibrium: heading and offset, the fixed forces and dynamic-positioning terms,
// the mean environmental forces and yaw moments by source.
#pragma once

#include "environment/net_environment.h"
#include "low_frequency/report_context.h"

namespace lintar {

// Section IV as one page on IUNIT (PAGE first), with the yaw moments of TORQUE2 at the
// equilibrium heading VESANG. Reads TPCM, EQUILB and LINCOM (the current load of the lines).
void write_static_equilibrium_summary(const LowReportFlags& flags);

// The same page with the moments given: the net moment and its parts at the equilibrium
// heading, as TORQUE2 returns them.
void write_static_equilibrium_summary(const LowReportFlags& flags, const TorqueParts& moments);

} // namespace lintar
