// lines/table_messages.h: the letter of a line type in the messages of the line tables.
#pragma once

#include <cstdint>
#include <string>

namespace lintar {

// The one character that shows line type ITYP: the character whose code is ITYP1 + ITYP - 1
// (ITYP1 the code of "A", or of "a" in a few messages). Types beyond "Z" run on through the
// character set, as the reports have always shown them.
std::string type_letter(std::int32_t ITYP, char ITYP1 = 'A');

} // namespace lintar
