// blocks/pascom.cpp: the PASCOM instance and its reset.
#include "blocks/pascom.h"

#include "runtime/program_state.h"

#include <cstring>

namespace lintar {

PascomBlock PASCOM;

namespace {
// memset rather than assignment from a temporary: the block is 333 kB.
const StateReset reset_pascom{[] { std::memset(&PASCOM, 0, sizeof PASCOM); }};
} // namespace

} // namespace lintar
