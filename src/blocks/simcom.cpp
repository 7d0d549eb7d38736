// blocks/simcom.cpp: the SIMCOM instance and its reset.
#include "blocks/simcom.h"

#include "runtime/program_state.h"

namespace lintar {

SimcomBlock SIMCOM;

namespace {
const StateReset reset_simcom{[] { SIMCOM = SimcomBlock{}; }};
} // namespace

} // namespace lintar
