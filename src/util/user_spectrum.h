// util/user_spectrum.h: the user wave spectrum file "WAVSPEC.txt" (spectrum type 7).
//
// The file is read list-directed, one READ per line: line 1 the row count N (2 to 1000), then
// N rows of angular frequency (rad/s) and spectral ordinate ((length unit)^2 per rad/s), the
// frequencies strictly rising or strictly falling (a file of other frequencies is refused). It
// is read once and kept for the rest of the run.
#pragma once

#include <string_view>

namespace lintar {

// UWVSPC: the ordinate of the user table at frequency W, read from file USERDAT (a 13-character
// field; callers pass "WAVSPEC.txt  "). Messages go to IOOUT, answers come from IOIN.
float UWVSPC(float W, int IOOUT, int IOIN, std::string_view USERDAT);

} // namespace lintar
