// blocks/wavcom.cpp: the WAVCOM instance and its reset.
#include "blocks/wavcom.h"

#include "runtime/program_state.h"

namespace lintar {

WavcomBlock WAVCOM;

namespace {
const StateReset reset_wavcom{[] { WAVCOM = WavcomBlock{}; }};
} // namespace

} // namespace lintar
