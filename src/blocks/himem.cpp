// blocks/himem.cpp: the HIMEM instance and its reset.
#include "blocks/himem.h"

#include "runtime/program_state.h"

#include <cstring>

namespace lintar {

HimemBlock HIMEM;

namespace {
// memset rather than assignment from a temporary: the block is 3.4 MB, too big for the stack.
const StateReset reset_himem{[] { std::memset(&HIMEM, 0, sizeof HIMEM); }};
} // namespace

} // namespace lintar
