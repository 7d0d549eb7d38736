// blocks/local3.cpp: the LOCAL3 instance and its reset.
#include "blocks/local3.h"

#include "runtime/program_state.h"

namespace lintar {

Local3Block LOCAL3;

namespace {
const StateReset reset_local3{[] { LOCAL3 = {}; }};
} // namespace

} // namespace lintar
