// util/prompts.h: prompts, pauses, aborts, page breaks, centred lines and yes/no toggles.
//
// All of them honour the unattended run: when the dialogue unit IOSCRN is 41 (output to
// "Diagnostics.stxt") nothing is prompted, pauses return at once, and the prompts that would
// need a decision stop the program.
#pragma once

#include <initializer_list>

#include <cstdint>
#include <string_view>

namespace lintar {

void PRSRET(int IOSCRN, int KEYBD, std::int32_t& LBACK);
void ABORT0(int IOSCRN, int KEYBD, std::int32_t& LBACK);
void SERV_ABORT(int IOSCRN, int KEYBD, std::int32_t& LBACK);
void ABORT3(int IOSCRN, int KEYBD, std::int32_t& LBACK);
void WRNFUL(std::int32_t& NWARN, int IOSCRN, int KBD);
void TWOPG(std::int32_t& LCOPY, int IUNIT);
void PAGE(int IUNIT, int IOSCRN, int IDISK, int IPRINT);
void LINES(int IUNIT, std::int32_t N);
void CENTER(std::string_view STRNG1, std::string_view STRNG2, std::int32_t MAXLEN, int IUNIT);
void CLEAR(int IOSCRN);
void NOHELP(int IOSCRN, int KBD, std::int32_t ITEM);
std::string_view YESNO(std::int32_t I);
std::string_view YESNO_L(std::int32_t L); // a logical word: nonzero is true
void TOGGLE(std::int32_t& I);
void TOGGLE_L(std::int32_t& L); // a logical word: written as 1 or 0
void TOGGLE2(std::int32_t& I, std::int32_t IBATCH, int IOSCRN, int KBD);
void TOGGLE2_L(std::int32_t& L, std::int32_t IBATCH, int IOSCRN, int KBD);
void TOGGLE3(std::int32_t& I, std::int32_t IBATCH, int IOSCRN, int KBD, std::string_view YES_STR,
             std::string_view NO_STR);
void INBUG(std::int32_t& NBUG, int IOSCRN, int KBD);

// fatal_stop: the fatal end of a routine: LINES written on IOSCRN, the Return pause of PRSRET
// (skipped in an unattended run), then an error stop (status 1).
[[noreturn]] void fatal_stop(int IOSCRN, int KEYBD,
                             std::initializer_list<std::string_view> lines = {});

// inoperative_stop: the end of an entry that exists only to say it is not available: RECORDS
// written on the screen, then one line read from the keyboard and an error stop (status 1).
// In an unattended run (EDUNIT 41) nobody can answer: the records go to the diagnostics file
// as well and the run stops without reading.
[[noreturn]] void inoperative_stop(int EDUNIT, std::initializer_list<std::string_view> records);

} // namespace lintar
