// blocks/local.cpp: the LOCAL instance and its reset.
#include "blocks/local.h"

#include "runtime/program_state.h"

namespace lintar {

LocalBlock LOCAL;

namespace {
const StateReset reset_local{[] { LOCAL = {}; }};
} // namespace

} // namespace lintar
