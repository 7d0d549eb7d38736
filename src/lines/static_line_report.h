// lines/static_line_report.h: the static line report of one line type and layer row, and its
// plot curves.
#pragma once

namespace lintar {

// STTOUT: writes the current line type's (ITYP of LINCOM) part of the static line report for
// the current layer row (ILAYER) on unit IUNIT: the line characteristics and the
// interpolation table (Section I, when STAMOT is not 0); with bit 2 of STAMOT the element
// endpoint positions and angles at every table point (Sections Ib, Ic, re-solving the line at
// each point) and, with IPLOTS, the five table curves on the plot file (unit 14); for program
// code 10 with LEQCND the mean condition summary (Section III). When the report is on the
// console (IUNIT = EDUNIT) each page ends with a Return pause whose negative answer goes back
// (a restart of the type's report, or from Section I's subline table on to Section III, or
// from Section III back to the interpolation table). Reads TPCM and LINCOM; leaves the line
// state of LINCOM solved at the last point re-solved. Ends the run only through the line
// solution's own failures.
void STTOUT();

} // namespace lintar
