// blocks/lincom.cpp: the LINCOM instance and its reset.
#include "blocks/lincom.h"

#include "runtime/program_state.h"

#include <cstring>

namespace lintar {

LincomBlock LINCOM;

namespace {
// A fresh block is all zeros, as at the start of a run.
const StateReset reset_lincom{[] { std::memset(&LINCOM, 0, sizeof LINCOM); }};
} // namespace

} // namespace lintar
