// environment/current_coefficients.h: the current load coefficient of one force component at
// one relative current angle, by the model chosen per component in the data file: the user
// table of the low-frequency data, a user coefficient file, the projected area of a barge, the
// built-in tanker families by depth-to-draft ratio, bow form and loading, the extreme
// cylindrical bow, or the plain cosine and sine.
//
// Of the built-in sets only some columns are known in full: the whole 1.05 conventional-bow
// set CNV105, the sway and yaw columns it shares with CYL105, LWB105 and LNB105, and the mean
// ballast surge BLSTMN. The others are kept by their structure and leading terms and marked
// as not given; a model whose result would need one of them with a non-zero weight is refused
// (current_set_missing) rather than computed from invented values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lintar {

// CRNTCF: the coefficient of component IXYZ (1 surge, 2 sway, 3 yaw) at CURANG (radians), by
// the IXYZ-th 4-bit model code of NIBPAK (1 the LOWCOF table, 2 the user file of the program
// code and body, 3 projected area, 4 and 15 the loading family, 5 the extreme cylindrical bow,
// 6 the depth family, 7 -cos and -sin). SINES must hold the harmonics of CURANG (TRIGLD). The
// built-in surge is scaled by LWL / BWL. A model code outside these gives 0 with a warning on
// IOSCRN once per run. Ends the run (status 1) after the message of current_set_missing when a
// built-in set it needs is not given.
float CRNTCF(std::int32_t IXYZ, std::int32_t NIBPAK, float LOADED, float BOWTYP, float HOVERD,
             float CURANG, float XCURAR, float YCURAR, float XCARM, float YCARM, float LWL,
             float BWL, int IOSCRN, std::int32_t ISPM, std::int32_t CREATR);

// The name of the first built-in set whose column for component IXYZ the model code CODE needs
// with a non-zero weight at this loading, bow weight and depth-to-draft ratio but which is not
// given, or nothing. The analysis entry runs it for each component before any file is opened.
std::optional<std::string> current_set_missing(std::int32_t IXYZ, std::int32_t CODE, float LOADED,
                                               float BOWTYP, float HOVERD);

// The refusal of a missing set: " ++> FATAL error: built-in current coefficient set NAME is not
// available;" and the advice line on IOSCRN, the Return pause, status 1.
[[noreturn]] void refuse_current_set(const std::string& name, int IOSCRN);

// The analysis-entry check of the data's current models: with a current (LCURNT 1), each
// component's model of LCBARG at the loading DFTPCT, bow weight BOWCUR and depth-to-draft ratio
// DEPTH / DRAFT (as CFPREP forms it) must not need a built-in set that is not given; the first
// that does is refused (refuse_current_set). Reads TPCM.
void check_current_sets(int IOSCRN);

// The user current file of program code CREATR and body ISPM (13 characters).
std::string current_file_name(std::int32_t CREATR, std::int32_t ISPM);

} // namespace lintar
