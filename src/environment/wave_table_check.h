// environment/wave_table_check.h: the wave-load models that need motion tables no hull model
// fills for the vessel at hand, refused before any analysis computes with empty tables.
//
// The ship-hull drag reads the lateral drag tables the displacement hull's RAO re-evaluation
// forms (it serves every hull that is not semisubmersible-like, the disc buoy included); the
// vertical-cylinder drift (codes 5 and 7) and the member drift of the semisubmersible drag read
// the cylinder table, which only the displacement hull's re-evaluation sets (to 0).
#pragma once

#include <string>
#include <vector>

namespace lintar {

// The message refusing the vessel's wave-load models, or nothing when they are available:
// a disc buoy with wave drag on; drift code 5 or 7 in any component on a hull other than the
// displacement hull; a semisubmersible-like hull with wave drag on whose surge or sway drift is
// not the user file. Reads TPCM.
std::vector<std::string> wave_table_refusal();

// The analysis entry's check: with a wave system present (random seas or a swell), a refusal is
// written on IOSCRN, then the Return pause and an error stop (status 1).
void check_wave_load_tables(int IOSCRN);

// The guard of the drift and drag routines: a refusal reaching them is an internal error (the
// analysis entry refuses such data first).
void guard_wave_load_tables(int IOSCRN);

} // namespace lintar
