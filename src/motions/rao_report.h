// motions/rao_report.h: the regular-wave RAO tables of report section II ("UNMOORED VESSEL
// MOTION CHARACTERISTICS") for one relative heading: the dimensionless driving force and
// torque RAOs and the response RAOs, three degrees of freedom a table, amplitude and phase
// against wave period, with the copies to the plot file (unit 14).
#pragma once

#include <cstdint>

namespace lintar {

// Unit of the plot file.
inline constexpr int rao_plot_unit = 14;

// RUTIL: the tables of the heading IRAO (WAVCOM) for the degrees of freedom selected in MOTION:
// the first three selected form the first table, the rest the second; the table holding roll
// gets the roll flag. Reads TPCM and HIMEM (LFRFLG, the RAO columns); writes HIMEM NCOL and
// IDCLMN; writes the report on IUNIT and the plot file. Ends the run only through the console
// pause of a report on the console.
void RUTIL();

// RAOOUT: one table of the NCOL degrees of freedom IDCLMN (HIMEM), force columns when LFRFLG is
// 1, response columns when 0; ROLINF marks the table holding roll. On the console the table
// ends with the Return pause and a negative answer shows it again. With IPLOTS 1 the table's
// lines go also to unit 14 with tab-separated fields; with IPLOTS 2 one curve block per column
// follows on unit 14 (the periods while IXFLAG is set, then IXFLAG 0; NCURV counts the blocks).
void RAOOUT(bool ROLINF);

// HEADR2: a new page, the section box and the regular-wave data of heading IRAO; the roll
// damping of a displacement hull in a response table holding roll (ROLINF). Writes IUNIT and,
// with IPLOTS 1, unit 14.
void HEADR2(bool ROLINF);

} // namespace lintar
