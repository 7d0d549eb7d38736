// environment/wind_coefficients.h: the wind load coefficient of one force component at one
// relative wind angle, by the method chosen per component in the data file: the user table of
// the low-frequency data, a user coefficient file, the projected area, the built-in tanker
// sets or the plain cosine and sine.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lintar {

// WINDCF: the coefficient of component IXYZ (1 surge, 2 sway, 3 yaw) at WNDANG (radians,
// environment heading - vessel heading + pi), by the IXYZ-th 4-bit method code of NIBPAK:
// 1 the LOWCOF table (one side, mirrored for sway and yaw), 2 the user file of the program
// code and body (USRWND), 3 the projected area APERP of XWNDAR, YWNDAR, 4 the built-in tanker
// sets interpolated in LOADED (32 ballast to 100 loaded), BOWTYP and SIZE, 5 -cos, -sin and
// the lever arms over LWL. SINES must hold the harmonics of WNDANG (TRIGLD). A method code
// outside 1 to 5 gives 0 with a warning on IOSCRN once per run. BWL is not used.
float WINDCF(std::int32_t IXYZ, std::int32_t NIBPAK, float LOADED, float BOWTYP, float SIZE,
             float WNDANG, float XWNDAR, float YWNDAR, float XWARM, float YWARM, float LWL,
             float BWL, int IOSCRN, std::int32_t ISPM, std::int32_t CREATR);

// The user wind file of program code CREATR and body ISPM (13 characters): "BUOYWIND.txt" and
// "TANKWIND.txt" for code 13 with ISPM 2 and 3, "TUGWIND.txt" and "BARGWIND.txt" for code 10,
// "WINDCOFS.txt" otherwise.
std::string wind_file_name(std::int32_t CREATR, std::int32_t ISPM);

// The analysis-entry check of the wind table of the low-frequency data: the first component
// (1 to 3) whose method in NIBPAK is the table while it holds fewer than two points, or nothing.
std::optional<std::int32_t> wind_table_lacking(std::int32_t NIBPAK);
// The same for the current table (NUCRPT points).
std::optional<std::int32_t> current_table_lacking(std::int32_t NIBPAK);

// The analysis-entry check of the tables: with wind (LWIND 1) or current (LCURNT 1) on, a
// component whose model (LWBARG, LCBARG) is the table of the low-frequency data while that
// holds fewer than two points is refused: " ++> FATAL error: the wind coefficient table of the
// low-frequency data has no points for the surge force;" (or current; sway force, yaw moment)
// and "     choose another force model for it.", the Return pause, status 1. Reads TPCM and
// LOWCOF.
void check_coefficient_tables(int IOSCRN);

} // namespace lintar
