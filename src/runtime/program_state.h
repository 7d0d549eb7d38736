// runtime/program_state.h: reset of every global block and routine-local store, for tests.
#pragma once

namespace lintar {

// A source file that keeps state between calls (a global block, first-call flags, caches)
// registers its reset once with a namespace-scope object:
//     const StateReset reset_wave_store{[] { wave_store = {}; }};
class StateReset {
public:
    explicit StateReset(void (*reset)());
};

// Puts every registered block and store back to its initial state.
void reset_program_state();

} // namespace lintar
