// hulls/jack_up.h: the entries of the floating jack-up's hull model (vessel type 2), which is
// not available: each entry says so and ends the run, so no jack-up force, RAO or report is
// ever written.
#pragma once

#include <cstdint>

namespace lintar {

// Each writes " ++> You are in an inoperative vessel utility file!" and "     Press <Return>
// to quit" on the screen as list-directed records (a leading blank each), reads one keyboard
// line and stops with status 1; in an unattended run (TPCM EDUNIT 41) the two records go to
// the diagnostics file too and nothing is read. I, the pass number of JCKFRC, is not used.
[[noreturn]] void JCKCHR();
[[noreturn]] void JCKFRC(std::int32_t& I);
[[noreturn]] void JCKRAO();
[[noreturn]] void JCKSUM();
[[noreturn]] void JCKOUT();

} // namespace lintar
