// datafile/wave_kinematics_report.h: the wave-kinematics report "WAVEOUT.stxt".
#pragma once

namespace lintar {

// WAVOUT: regular-wave properties and surface particle kinematics for every period of the wave
// grid and, when seas or a swell are defined, the sea-state summary, the spectrum ordinates and
// the wave-group spectrum. Writes the report to the file (TPCM IUNIT 1) or to unit IUNIT, and
// leaves the grid, wave numbers and spectra in WAVCOM.
void WAVOUT();

} // namespace lintar
