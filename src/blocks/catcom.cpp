// blocks/catcom.cpp: the CATCOM instance and its reset.
#include "blocks/catcom.h"

#include "runtime/program_state.h"

namespace lintar {

CatcomBlock CATCOM;

namespace {

// A fresh block: all zeros, with the complex constants in place.
void reset_catcom() {
    CATCOM = CatcomBlock{};
    CATCOM.ZERO = {0.0f, 0.0f};
    CATCOM.ONE = {1.0f, 0.0f};
    CATCOM.IMAG = {0.0f, 1.0f};
}

const StateReset reset_catcom_block{reset_catcom};

// The instance starts fresh too, not only after a reset.
const bool catcom_started = (reset_catcom(), true);

} // namespace

} // namespace lintar
