// app/engine_input_check.h: the engine's refusal of a data file whose reals are not numbers.
#pragma once

namespace lintar {

// check_finite_input: every real of TPCM that the stages read (the site, the vessel, the lines
// and line types up to their counts, the offset specifications up to theirs; the second body
// and the current when the data have them) must be a finite number: a NaN or an infinity would run
// through the tables and the equilibrium into a bounds error or a report of NaNs. The first one
// found is named (" ++> FATAL error: The data word DRAFT holds no finite number;", an array element
// with its indices), with the advice to correct it with lintar; then the Return pause and an error
// stop (status 1). The reals and their reach are those of non_finite_reals
// (datafile/finite_reals.h). Reads TPCM; writes nothing but the message on EDUNIT.
void check_finite_input(int EDUNIT);

} // namespace lintar
