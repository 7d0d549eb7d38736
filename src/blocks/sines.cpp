// blocks/sines.cpp: the SINES instance and its reset.
#include "blocks/sines.h"

#include "runtime/program_state.h"

namespace lintar {

SinesBlock SINES;

namespace {
const StateReset reset_sines{[] { SINES = SinesBlock{}; }};
} // namespace

} // namespace lintar
