// offsets/line_pages.h: the per-line pages of the offset report (codes 1 to 13), the net-load
// tables (21, 22) and the stiffness matrices (23 to 26).
#pragma once

#include "offsets/report_frame.h"

namespace lintar {

// The per-line pages: call.NPAG pages of up to eight lines each (the last page to TPCM NLIN),
// each with its own head and table tail; TPCM IPAG counts the pages (left at NPAG + 1).
void write_line_pages(const TableCall& call);

// The net forces and moments of every row, in vessel (21) or global (22) axes, then the tail.
void write_net_loads(const TableCall& call);

// The six-by-six stiffness of every row, raw or symmetrized, vessel (24, 25) or global (23,
// 26) axes; no tail.
void write_stiffness_matrices(const TableCall& call);

} // namespace lintar
