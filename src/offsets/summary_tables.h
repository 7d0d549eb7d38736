// offsets/summary_tables.h: the summary tables of the offset report (codes 94 to 99): most
// exposed line, hawser, potential energies, total restoring load and cross-coupling, and the
// equilibrium positions of a continuous-equilibrium sequence.
#pragma once

#include "offsets/report_frame.h"

namespace lintar {

// Writes the banner, column heads and rows of summary table call.IDENT (94 to 99) below its
// section page, then the table tail. Reads TPCM NUNTS, IARCO, HAWSLN and HAWSTP; writes to
// TPCM IUNIT (and LBACK through the tail).
void write_summary_table(const TableCall& call);

} // namespace lintar
