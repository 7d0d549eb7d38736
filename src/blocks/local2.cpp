// blocks/local2.cpp: the LOCAL2 instance and its reset.
#include "blocks/local2.h"

#include "runtime/program_state.h"

namespace lintar {

Local2Block LOCAL2;

namespace {
const StateReset reset_local2{[] { LOCAL2 = {}; }};
} // namespace

} // namespace lintar
