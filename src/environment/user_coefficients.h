// environment/user_coefficients.h: the user force-coefficient files of the wind and current
// models: N headings (relative to the vessel, degrees, rising over 0 to 360) with the surge,
// sway and yaw coefficients, read list-directed on unit 31, one heading a line. The wind reader
// (USRWND) and the current reader keep a table each, held until another file name is asked for.
#pragma once

#include <cstdint>
#include <string_view>

namespace lintar {

// USRWND: the coefficient of component LCOMP (1 surge, 2 sway, 3 yaw) at relative angle ANGLE
// (radians, environment heading - vessel heading + pi) from file USERDAT, interpolated in the
// headings at ANGLE + pi reduced to [0, 2 pi). Reads the file on its first call and whenever
// another name is passed, and holds it only once read whole. A missing file (its message, the
// abort prompt), a count below 2 or above 145 (the dimension message, the Return pause),
// headings that do not rise, and an unreadable record (FILERR) end the run.
float USRWND(std::int32_t LCOMP, float ANGLE, int IOOUT, int IOIN, std::string_view USERDAT);

// The current's reader of the same layout, naming itself USERWC in file-error reports.
float USRCRN(std::int32_t LCOMP, float ANGLE, int IOOUT, int IOIN, std::string_view USERDAT);

} // namespace lintar
