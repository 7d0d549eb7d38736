// low_frequency/mode_pages.h: section V of the low-frequency report: the conversion of the
// mode statistics that the static equilibrium leaves (variances into standard deviations, the
// arm NETARM) and the pages of the low-frequency modes.
#pragma once

#include "low_frequency/report_context.h"

namespace lintar {

// The conversion, once per report: NETARM (for a turret mooring of a legacy file the distance
// from the turret to the yaw reference point by the law of cosines, else 1) into EQUILB, and
// in each of the six mode records the response variances (the seven of the sources and the
// total, the three user forces, the second swell's two) replaced by the square roots of their
// magnitudes, those of mode 2 then multiplied by NETARM. Reads TPCM, ERGCOM (REQLIB) and
// EQUILB; writes EQUILB.
void convert_mode_statistics(const LowReportFlags& flags);

// The pages of section V on IUNIT, each beginning with PAGE and followed by the report's page
// pause: the normal-mode page Va and the single-amplitude page Vb for a turret mooring of a
// file that is not legacy, else one page V per mode; for program code 17 the roll and pitch
// pages as well. True when a pause asked for the report to start again (the pages after it
// are not written). Reads TPCM, EQUILB and ERGCOM; ends the run only through NLNCOR.
bool write_mode_pages(const LowReportFlags& flags);

} // namespace lintar
