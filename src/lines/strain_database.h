// lines/strain_database.h: the user's stress-strain database LINE_STRAIN_DB.txt, read for the
// line tables.
//
// The file is read list-directed, one block per subline that takes its law from the file, in
// the order line type 1, 2, ... and within a type subline 1, 2, ...: a header N, t, e (points,
// line type, subline), then N records of tension and strain. Every read starts on a new
// record; values after those a read takes are ignored.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace lintar {

inline constexpr int strain_database_unit = 21;
inline constexpr std::string_view strain_database_name = "LINE_STRAIN_DB.txt";

// Opens LINE_STRAIN_DB.txt on unit 21 (closing the unit first). Ends the run (status 1) after
// the not-found message and a Return pause when the file cannot be opened.
void open_strain_database(int EDUNIT);

// Reads the block of subline IELEM of line type ITYP from unit 21 into the curve of LINCOM
// (NSTRS_STRN, TENS_ARR, E_ARR) with its natural-spline second derivatives (SPLINE_2DERIV),
// and sets the starting compliance (the slope of the first two points, 0, 0) in
// ALPHA(1..3, IELEM, ITYP) of TPCM. Warns, with an abort pause, of a point whose strain falls
// or a first point below (0, 0); warns, with a Return pause, when the last tension is below
// 1.49 x TLOAD. Ends the run (status 1) on a read error, a block of more than 30 or fewer than
// 2 points, a header for another line type or subline, or tensions that do not rise from
// point to point; the user may end it at the abort pause.
void read_strain_curve(std::int32_t ITYP, std::int32_t IELEM, float TLOAD, int EDUNIT);

} // namespace lintar
