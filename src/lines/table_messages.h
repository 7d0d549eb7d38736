// lines/table_messages.h: the fatal stop of the line tables and the letter of a line type.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace lintar {

// Writes the message lines on EDUNIT, pauses with PRSRET (no pause in an unattended run) and
// stops the run with status 1.
[[noreturn]] void table_fatal_stop(int EDUNIT, std::initializer_list<std::string_view> lines);

// The one character that shows line type ITYP: the character whose code is ITYP1 + ITYP - 1
// (ITYP1 the code of "A", or of "a" in a few messages). Types beyond "Z" run on through the
// character set, as the reports have always shown them.
std::string type_letter(std::int32_t ITYP, char ITYP1 = 'A');

} // namespace lintar
