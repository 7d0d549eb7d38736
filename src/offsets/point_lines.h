// offsets/point_lines.h: what the offset table does at every point for its lines and its
// summary rows, shared with the buoy's wave cycle, whose phases are points of tables of the
// same shape: the record of equilibrium points that did not converge, the state of every line
// (anchor loads, lengths, angles, the most exposed line, the first load above the tables), and
// the most-exposed-line and hawser rows.
#pragma once

#include "offsets/offset_tables.h"

#include <cstdint>

namespace lintar {

// record_equilibrium_failure: point INCVAL did not converge: the first such point FRSTFL, their
// count ITFLWN, and bit INCVAL - FRSTFL + 1 of NITRFL, set only while the count is at most 25
// and the bit at most 31 (the note under the tables lists at most 25 points). BITSET reports
// on EDUNIT.
void record_equilibrium_failure(std::int32_t INCVAL, std::int32_t& FRSTFL, std::int32_t& ITFLWN,
                                std::int32_t& NITRFL, int EDUNIT);

// How point_line_states treats the point: the sequence kind (a rotation, kind 3, keeps the
// anchor load whole), the label of line type 1 in tension warnings, and whether loads above the
// tables or below their first step are warned of (TNSWRN, with its abort pause).
struct PointLineOptions {
    std::int32_t TABTYP = 0;
    char ITYP1 = 'A';
    bool tension_warnings = true;
};

// point_line_states: from the per-line columns of point INCVAL that the force routine filled
// (TOPTH, TOPTZ, TOPTT, TOPAN, BOTLIN, BOTAN in radians) and LINCOM's displaced geometry, each
// line's anchor loads BOTTH (fairlead load less the seabed friction, not below 0) and BOTTZ
// (H tan BOTAN, or the weight not carried at the fairlead for a line without horizontal load),
// BOTTL, the suspended and grounded unstretched lengths, anchor distance and departure angle,
// and the angles in degrees; lines skipped by their identity (above 1024) or without a type get
// zeros. The first line whose load exceeds TLOAD sets OVRFLO, BADLIN and NOVFLO (= INCVAL) when
// OVRFLO is 0. Returns the most exposed line: the largest fairlead tension among the lines
// other than a CALM arrangement's hawser, the first on ties, 0 when none carries tension.
// Reads TPCM and LINCOM; writes LINCOM's line scratch (ITYP, HMEAN, DPHLD, SCLWT, BETA, ...).
std::int32_t point_line_states(OffsetTables& T, std::int32_t INCVAL,
                               const PointLineOptions& options, std::int32_t& OVRFLO,
                               std::int32_t& BADLIN, std::int32_t& NOVFLO);

// most_exposed_rows: rows of point INCVAL of MSTEXP (line, fairlead tension, horizontal and
// vertical load, suspended length, anchor horizontal and vertical load, PARFRC) and SYSERG
// (line, the same four, the line's energy, the mooring's energy ERGMOR) for line NBIGLD; zeros
// for NBIGLD 0.
void most_exposed_rows(OffsetTables& T, std::int32_t INCVAL, std::int32_t NBIGLD, float PARFRC,
                       float ERGMOR);

// hawser_data_row: row of point INCVAL of HWSDAT for the hawser, line h: anchor distance
// (LINCOM RANCP), fairlead tension, horizontal and vertical load, suspended length, anchor
// horizontal and vertical load, and the horizontal load again.
void hawser_data_row(OffsetTables& T, std::int32_t INCVAL, std::int32_t h);

} // namespace lintar
