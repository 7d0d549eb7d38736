// editor/identity.h: the program identity of this build.
#pragma once

#include "datafile/program_identity.h"

namespace lintar {

// CATTOP: this build's identity. No inputs, no other effect.
ProgramIdentity CATTOP();

} // namespace lintar
