// blocks/pascom.cpp: the PASCOM instance and its reset.
#include "blocks/pascom.h"

#include "runtime/program_state.h"

namespace lintar {

PascomBlock PASCOM;

namespace {
const StateReset reset_pascom{[] { PASCOM = PascomBlock{}; }};
} // namespace

} // namespace lintar
