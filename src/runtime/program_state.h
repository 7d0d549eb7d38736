// runtime/program_state.h: reset of every global block and routine-local store, for tests.
#pragma once

namespace lintar {

// A source file that keeps state between calls (a global block, first-call flags, caches)
// registers its reset once with a namespace-scope object:
//     const StateReset reset_wave_store{[] { wave_store = {}; }};
//
// The routine-local stores of the analysis routines (first-call flags, constants, user-file
// caches and their once-per-run warnings, saved RAOs) register as StoreKind::analysis: each
// analysis starts with them fresh, while the data blocks and the line tables are kept.
enum class StoreKind { program, analysis };

class StateReset {
public:
    explicit StateReset(void (*reset)(), StoreKind kind = StoreKind::program);
};

// Puts every registered block and store back to its initial state.
void reset_program_state();

// Puts the analysis stores alone back to their initial state.
void reset_analysis_state();

} // namespace lintar
