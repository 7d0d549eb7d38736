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
// real read is a finite number. One table serves the engine, which refuses the first of them
// (check_finite_input), and the editor's Execute, which names each as a fatal warning
// (report_non_finite_reals): the editor passes no file that the engine refuses for a word that
// is no number. Reads TPCM.
std::vector<std::string> non_finite_reals();

} // namespace lintar
