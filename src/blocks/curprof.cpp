// blocks/curprof.cpp: the CURPROF instance and its reset.
#include "blocks/curprof.h"

#include "runtime/program_state.h"

namespace lintar {

CurprofBlock CURPROF;

namespace {
const StateReset reset_curprof{[] { CURPROF = CurprofBlock{}; }};
} // namespace

} // namespace lintar
