// lines/table_messages.cpp: the fatal stop of the line tables and the letter of a line type.
#include "lines/table_messages.h"

#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/prompts.h"

namespace lintar {

// type_letter: one byte, the code ITYP1 + ITYP - 1 taken modulo 256.
std::string type_letter(std::int32_t ITYP, char ITYP1) {
    const auto code = static_cast<unsigned char>(ITYP1) + static_cast<unsigned>(ITYP) - 1u;
    return std::string(1, static_cast<char>(static_cast<unsigned char>(code & 0xffu)));
}

} // namespace lintar
