// blocks/ergcom.cpp: the ERGCOM instance and its reset.
#include "blocks/ergcom.h"

#include "runtime/program_state.h"

namespace lintar {

ErgcomBlock ERGCOM;

namespace {
const StateReset reset_ergcom{[] { ERGCOM = {}; }};
} // namespace

} // namespace lintar
