// datafile/version_updates.h: the version updates of a loaded data file of this program type,
// the import adjustments for files of other program types, and the family's updaters of the
// other program types (inoperative in this program).
#pragma once

#include <cstdint>

namespace lintar {

// CATUPD: brings an image of this program type written by an older version (or marked with
// DAT_ID 49) up to date, listing each change on the console (unit 6) and in the note file
// (unit 21, opened by the load). APPVR is the running program's version; IFLAG is 1 on return
// when a change was applied, else 0. NFOUND is the number of words the file held: the older
// layout is converted to the current one only when the file held fewer words than the current
// layout, and, unless the file is marked for 49 fairleads, no more than the older layout's
// 14,825, so that an image already in the current layout is never moved again. Sets DAT_ID to
// 149. Ends the run (status 1) after the Return pause for a file older than 5.0 when the
// program is newer than 6.0.
void CATUPD(float APPVR, std::int32_t& IFLAG, std::int32_t NFOUND);

// True when CATUPD cannot update a file of version VERNQ with the program version APPVR (signs
// dropped): a file older than 5.0 for a program newer than 6.0.
bool too_old_to_update(float VERNQ, float APPVR);

// CATIMPORT: what this program needs in an image of another program type CREATP: one lateral
// offset and one offset line, the convergence tolerances; for the tension-leg (14) and spar
// (17) programs the tendon flag and, when no layers are set, layers, span and pull-down.
// Changes TPCM only.
void CATIMPORT(std::int32_t CREATP);

// SLOIMPORT: the import adjustment of the slow-drift program type; changes nothing.
void SLOIMPORT();

// The updaters of the other program types, present so that the load's choice by program type
// is complete; this program never reaches them. Each writes " ++> You are in an inoperative
// ???UPD file!" and "     Press <Return> to quit" on the screen, reads one line and ends the
// run (status 1); in an unattended run (EDUNIT 41) the two lines go to the diagnostics file
// too and nothing is read. APPVR, IFLAG and IFLAG2 are not used.
[[noreturn]] void SHPUPD(float APPVR, std::int32_t& IFLAG, std::int32_t& IFLAG2, int EDUNIT);
[[noreturn]] void JCKUPD(float APPVR, std::int32_t& IFLAG, std::int32_t& IFLAG2, int EDUNIT);
[[noreturn]] void SEMUPD(float APPVR, std::int32_t& IFLAG, std::int32_t& IFLAG2, int EDUNIT);
[[noreturn]] void DSCUPD(float APPVR, std::int32_t& IFLAG, std::int32_t& IFLAG2, int EDUNIT);
[[noreturn]] void STMUPD(float APPVR, std::int32_t& IFLAG, std::int32_t& IFLAG2, int EDUNIT);
[[noreturn]] void TOWUPD(float APPVR, std::int32_t& IFLAG, std::int32_t& IFLAG2, int EDUNIT);
[[noreturn]] void SLMUPD(float APPVR, std::int32_t& IFLAG, std::int32_t& IFLAG2, int EDUNIT);
[[noreturn]] void MORUPD(float APPVR, std::int32_t& IFLAG, std::int32_t& IFLAG2, int EDUNIT);
[[noreturn]] void CLMUPD(float APPVR, std::int32_t& IFLAG, std::int32_t& IFLAG2, int EDUNIT);
[[noreturn]] void SLOUPD(float APPVR, std::int32_t& IFLAG, std::int32_t& IFLAG2, int EDUNIT);
[[noreturn]] void SPMUPD(float APPVR, std::int32_t& IFLAG, std::int32_t& IFLAG2, int EDUNIT);
[[noreturn]] void SPRUPD(float APPVR, std::int32_t& IFLAG, std::int32_t& IFLAG2, int EDUNIT);
[[noreturn]] void TLPUPD(float APPVR, std::int32_t& IFLAG, std::int32_t& IFLAG2, int EDUNIT);

} // namespace lintar
