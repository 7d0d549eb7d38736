// environment/user_drift_file.h: the user table of wave drift coefficients over wave frequency
// and heading ("DRFTCOFS.txt" and the per-body files).
//
// The file is read list-directed (values separated by blanks or commas, a record may run over
// lines): record 1 the number of frequencies and of headings (reals, truncated), then per
// heading a record with the heading in degrees followed by one record per frequency: frequency
// (rad/s), surge, sway and yaw coefficient. Frequencies and headings rise or fall strictly;
// only the first heading's frequencies form the grid (the later blocks must repeat them). From
// 2 to 121 frequencies and 2 to 145 headings. The table is kept for the rest of the run.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lintar {

inline constexpr std::int32_t drift_file_max_frequencies = 121;
inline constexpr std::int32_t drift_file_max_headings = 145;

// The user drift file name of a program code and body: "BUOYDRFT.txt", "TANKDRFT.txt" (program
// code 13), "TUGDRFT.txt", "BARGDRFT.txt" (code 10) for ISPM 2 and 3, else "DRFTCOFS.txt";
// in its 13-character field.
std::string user_drift_file_name(std::int32_t SIMTYP, std::int32_t ISPM);

// DRFTCB: the coefficient of component LCOMP (1 surge, 2 sway, 3 yaw) at frequency WCOMOV and
// relative wave angle ANGLE (radians; the file's heading is ANGLE + pi) from file USERDAT. The
// file is read on the first call and whenever another name is passed. A frequency outside the
// table is warned about once per run with the abort prompt and then extrapolated; headings
// outside the table extrapolate silently.
float DRFTCB(float WCOMOV, std::int32_t LCOMP, float ANGLE, int IOOUT, int IOIN,
             std::string_view USERDAT);

// INTRP4: OUTVAL, the bilinear value in cell (MINW, MINA) of one component's plane COFARR
// (frequency by heading, leading dimension 121) over the grids WARRAY and ANGARR.
void INTRP4(std::span<const float> COFARR, std::span<const float> WARRAY,
            std::span<const float> ANGARR, float WVAL, float AVAL, float& OUTVAL, std::int32_t MINW,
            std::int32_t MINA, std::int32_t NFREQ, std::int32_t NAZ);

} // namespace lintar
