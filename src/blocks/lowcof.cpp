// blocks/lowcof.cpp: the LOWCOF instance and its reset.
#include "blocks/lowcof.h"

#include "runtime/program_state.h"

namespace lintar {

LowcofBlock LOWCOF;

namespace {
const StateReset reset_lowcof{[] { LOWCOF = LowcofBlock{}; }};
} // namespace

} // namespace lintar
