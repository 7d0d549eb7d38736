// blocks/endcom.cpp: the ENDCOM instance and its reset.
#include "blocks/endcom.h"

#include "runtime/program_state.h"

namespace lintar {

EndcomBlock ENDCOM;

namespace {
const StateReset reset_endcom{[] { ENDCOM = EndcomBlock{}; }};
} // namespace

} // namespace lintar
