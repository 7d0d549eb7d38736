// blocks/temp_get_ang.cpp: the TEMP_GET_ANG instance and its reset.
#include "blocks/temp_get_ang.h"

#include "runtime/program_state.h"

namespace lintar {

TempGetAngBlock TEMP_GET_ANG;

namespace {
const StateReset reset_temp_get_ang{[] { TEMP_GET_ANG = {}; }};
} // namespace

} // namespace lintar
