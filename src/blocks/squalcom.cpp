// blocks/squalcom.cpp: the SQUALCOM instance and its reset.
#include "blocks/squalcom.h"

#include "runtime/program_state.h"

namespace lintar {

SqualcomBlock SQUALCOM;

namespace {
const StateReset reset_squalcom{[] { SQUALCOM = {}; }};
} // namespace

} // namespace lintar
