// util/answer_reader.h: the console answer reader, page commands and prompt writers.
//
// Every answer the user types passes through these routines: one line of fixed width from the
// keyboard unit, taken as a page command or a value. A blank answer keeps the caller's value.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace lintar {

// Page-command codes returned in the caller's answer variable (usually LBACK).
inline constexpr std::int32_t code_help = -1978;    // "?"
inline constexpr std::int32_t code_redraw = -1979;  // H
inline constexpr std::int32_t code_first = -1980;   // F
inline constexpr std::int32_t code_last = -1981;    // L
inline constexpr std::int32_t code_skip = -1982;    // S
inline constexpr std::int32_t code_execute = -1983; // E
inline constexpr std::int32_t code_jump = -1984;    // J
inline constexpr std::int32_t code_m = -1985;       // M
inline constexpr std::int32_t code_c = -1986;       // C
inline constexpr std::int32_t code_d = -1987;       // D
inline constexpr std::int32_t code_i = -1988;       // I
inline constexpr std::int32_t code_x = -1989;       // X
inline constexpr std::int32_t code_back = -1;       // B
inline constexpr std::int32_t code_bang = -2013;    // "!"

// A unit-label routine: the 16-character label of a code (UNITS, UNITP).
using UnitLabel = std::string_view (*)(std::int32_t code);

void READI(std::int32_t& NUM, int KBD, std::int32_t& PAGNO);
void ENTSEL(std::int32_t& LBACK, int IOSCRN, int KBD, std::int32_t& PAGNO);
void ENTERI(std::int32_t& I, int IOSCRN, int KBD);
void ENTERF(float& X, int IOSCRN, int KBD);
void ENTERA(std::span<char> STRING, int IOSCRN, int KBD);
void READC(char& ANSWER, int KBD);
void READCP(char& ANSWER);
void CRREAD(float& X, bool& CR, int KBD);
void CRREAL(float& X1, float& X2, float& X3, bool& CR, int KBD);
void READNI(std::span<std::int32_t> IARRAY, std::int32_t N, int KBD, int IOSCRN, bool& CR);
void ENTCRD(std::int32_t INDEX, float& U1, float& U2, float& U3, std::int32_t NPER, int IOSCRN,
            int KBD, bool& CR);
void WRTLIN(std::string_view STRING, int IOSCRN);
void WRTLNI(std::string_view STRING, std::int32_t INDEX, int IOSCRN);
void UPCASE(char& CHAR1, std::int32_t& IERR);
void ONELIN(std::string_view STRNG, float VAL, UnitLabel UNITS, std::int32_t NUNT, int IUNIT);

} // namespace lintar
