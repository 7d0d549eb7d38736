// datafile/load_selectors.h: the per-direction load-model selectors of wind, current and wave
// drift: their derived flags, and the start-up step for a missing "LOWDAT" file.
//
// A selector word holds one 4-bit model code per direction in nibbles 1 to 3; 273 is code 1
// (the user table of "LOWDAT") in all three directions.
#pragma once

#include <cstdint>

namespace lintar {

// INITFM: SWNFM, SCRFM, SWVFM 1 when the wind, current and drift selectors give one code in
// all three directions (a current code of 15 in direction 1 counts as 4), else 0.
void INITFM(std::int32_t LWBARG, std::int32_t& SWNFM, std::int32_t LCBARG, std::int32_t& SCRFM,
            std::int32_t LWVCOF, std::int32_t& SWVFM, int IOSCRN);

// TNKRID: with a single model chosen (SWNFM, SCRFM, SWVFM 1), directions 2 and 3 of that
// selector take direction 1's code; then the flags: WNDUSR, CURUSR 1 for a code 1, else 2 for
// a code 2, else 0; WAVUSR 1 for a drift code 1; LWNBRG, LCRBRG 1 for a barge-like wind or
// current model; LWTNKR 1 for the tanker wind model; LCTNKR 0, 1 or 2 for the tanker current
// models.
void TNKRID(std::int32_t& LWBARG, std::int32_t SWNFM, std::int32_t& WNDUSR, std::int32_t& LCBARG,
            std::int32_t SCRFM, std::int32_t& CURUSR, std::int32_t& LWVCOF, std::int32_t SWVFM,
            std::int32_t& WAVUSR, std::int32_t& LCTNKR, std::int32_t& LWTNKR, std::int32_t& LWNBRG,
            std::int32_t& LCRBRG, int IOSCRN);

// The start-up step of the programs of type 10 and above when "LOWDAT" is missing: selectors
// that name the user table of "LOWDAT" fall back to built-in models, after a note on the
// screen and in "DATUPWRN.stxt" (unit 21) and the abort prompt. ANSWER is the title-screen
// answer ('M', 'C' or 'E'); it becomes 'M' when the note is given. CREATQ is the running
// program's type code.
void missing_lowdat_selectors(char& ANSWER, std::int32_t CREATQ);

} // namespace lintar
