// environment/gust_spectra.h: the spectra of the wind-speed and current-speed fluctuations
// (gust spectra) at one angular frequency, by the spectrum types of the data file, and the
// user spectrum files "WINDSPEC.txt" and "CRNTSPEC.txt".
#pragma once

#include <cstdint>
#include <string_view>

namespace lintar {

// WNDSPC: the wind gust spectral density at W0 (rad/s) for a mean wind VEL (knots) of type
// WNDTYP: 1 Davenport, 2 the constant WNDDEN, 3 steady (0), 4 API (parameter APIPRM), 5 NPD at
// the height WSPEC_HGT, 6 the user file "WINDSPEC.txt". V_ADJ_RAT is 1, or for NPD the ratio
// that brings the speed at WSPEC_HGT to the 10 m reference (0 at heights below the profile's
// reach). A type outside 1 to 6 gives 0 with a warning once per run; a zero wind 0. Ends the
// run (status 1) after its message for NUNTS other than 0 or 1 or a non-positive API
// parameter (the Return pause skipped on the diagnostics unit).
float WNDSPC(float W0, float VEL, float WNDDEN, std::int32_t NUNTS, std::int32_t WNDTYP,
             float APIPRM, float WSPEC_HGT, float& V_ADJ_RAT, int IOSCRN);

// CURSPC: the current gust spectral density at W0 for type CURTYP: 0 steady (0), 1 the
// constant CURDEN, 3 CURDEN up to 0.1257 rad/s and 0 above, 2 and any other the user file
// "CRNTSPEC.txt".
float CURSPC(float W0, float CURDEN, std::int32_t CURTYP, int IOSCRN);

// UWNDSPEC, UCURSPEC: the density at W (rad/s) interpolated in the user table of file USERDAT
// (a 12-character field), read on unit 31 on the first call and whenever another name is
// passed, and held only once read whole. A frequency outside the table gives 0, with a warning
// and the abort prompt the first time. A missing file (its message, the abort prompt), a read
// error (FILERR), a count below 2 or above 1000, or frequencies that do not rise end the run.
float UWNDSPEC(float W, int IOOUT, std::string_view USERDAT);
float UCURSPEC(float W, int IOOUT, std::string_view USERDAT);

} // namespace lintar
