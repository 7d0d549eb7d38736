// datafile/finite_reals.h: the reals of the data file that the analysis reads, and which of
// them hold no finite number.
#pragma once

#include <string>
#include <vector>

namespace lintar {

// non_finite_reals: every real member of TPCM that the engine's stages read (the site, the
// vessel, the lines and line types up to their counts, the offset specifications up to theirs;
// the second body and the current when the data have them), in the order of the data file's
// pages; for each member whose read part holds a NaN or an infinity, the first such element,
// the last index outermost, by its name and indices ("BTFRC0", "SLEN(2, 1)"). Empty when every
// real read is a finite number. The engine refuses the first of them (check_finite_input).
// Reads TPCM.
std::vector<std::string> non_finite_reals();

} // namespace lintar
