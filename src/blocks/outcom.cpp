// blocks/outcom.cpp: the OUTCOM instance and its reset.
#include "blocks/outcom.h"

#include "runtime/program_state.h"

namespace lintar {

OutcomBlock OUTCOM;

namespace {
const StateReset reset_outcom{[] { OUTCOM = OutcomBlock{}; }};
} // namespace

} // namespace lintar
