// offsets/offset_report.h: the offset report "OFFSETS.stxt": the table writer TBLOT1, its
// range warnings OVFWRN and the list of offsets that failed to converge, LODROW.
//
// The report goes to the report unit IUNIT of TPCM: the console when it equals EDUNIT, else
// the report file, which the caller opens before the first table. Each call of TBLOT1 writes
// one table of one offset sequence with its page head.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace lintar {

// Values of one result table per row: 150 values (lines, or the quantities of a summary) of a
// row, then the next row's; the offset-table driver's result arrays hold 50 rows.
inline constexpr int report_values_per_row = 150;

// What the report reads beyond TPCM and TBLOT1's own arguments: values kept in blocks that the
// equilibrium and line-table stages own, handed over by the caller.
struct OffsetReportInputs {
    // EQUILB RVES: vessel x, y (length) and heading (radians) that the prescribed initial force
    // produced; shown when TPCM AUXFRC is 1.
    std::array<float, 3> RVES{};
    // LINCOM TOTLN of line type TPCM HAWSTP: the hawser's unstretched length, shown by the
    // hawser tables (codes 97 and 94).
    float hawser_length = 0.0f;
    // The offset direction of a user-file sequence (run kind 6) whose repetition is beyond the
    // ten directions RCTDIR holds; repetitions 1 to 10 show RCTDIR of the repetition.
    std::array<float, 3> user_direction{};
};

// The options and data of the whole report, read from TPCM once (offset_report_options): the
// report and console units, the unit system, the lines and the hawser, the moment centre, the
// initial trim, heel and applied force, the initial offset, and the direction tables of the
// offset pages that the page heads show.
struct OffsetReportOptions {
    int IUNIT = 6;
    int EDUNIT = 6;
    std::int32_t NUNTS = 0;
    std::int32_t NLIN = 0;
    std::int32_t IARCO = 0;
    std::int32_t HAWSLN = 0;
    std::int32_t HAWSTP = 0;
    std::array<float, 3> RMCTR{};
    float TRIMDG = 0.0f, HEELDG = 0.0f;
    std::int32_t AUXFRC = 0, CRDSYS = 0;
    float XVFRC = 0.0f, YVFRC = 0.0f, VESMOM = 0.0f;
    std::int32_t FCVES = 0, TQVES = 0;
    float XINIT = 0.0f, YINIT = 0.0f, ZINIT = 0.0f, YWINIT = 0.0f;
    std::array<float, 10> PHIL{};
    std::array<float, 2> PHIY{};
    std::array<float, 30> OBLVEC{};
    std::array<float, 10> OBLPTY{};
    std::array<float, 3> FAPPNT{};
    std::array<float, 30> FRCVEC{};
    std::array<float, 30> TRQVEC{};
    std::array<float, 30> RCTDIR{};
};
OffsetReportOptions offset_report_options();

// What the offset-table run recorded of one sequence for its tables: the first lateral-table
// overflow (OVRFLO set, at row NOVFLO, in line BADLIN), the first fairlead outside the vertical
// span (SPNERR set, at row NVTOFL, line VRTBAD), and the points that did not converge (count
// ITFLWN, bits NITRFL from point FRSTFL on).
struct OffsetTableRecords {
    std::int32_t OVRFLO = 0, BADLIN = 0, NOVFLO = 0;
    std::int32_t SPNERR = 0, VRTBAD = 0, NVTOFL = 0;
    std::int32_t FRSTFL = 0, ITFLWN = 0, NITRFL = 0;
};

// TBLOT1: writes table IDENT of one offset sequence of run kind TABTYP, repetition IREP:
// codes 94 to 99 (summaries), 21 and 22 (net loads) and 23 to 26 (stiffness matrices) on a
// section page; codes 1 to 13 on NPAG per-line pages; any other code only starts a new page.
// OFF holds the offset of each row, ARRAY report_values_per_row values per row; both must hold
// at least NROW rows. When NOCUT is 0 the rows from the first out-of-range row on are cut and
// the reduced count is returned in NROW. AUXDSP 1 shows the initial offset, MTCHFT 1 the
// offset box's matched-fit form; the offset table passes TPCM's, another caller its own. The
// direction tables are read only where the page head shows them (PHIL for kinds 1 and 4, PHIY
// for 2, OBLPTY and OBLVEC for 3, RCTDIR for 5 and 6, FRCVEC and TRQVEC for 7, TRQVEC for 8).
// Writes the table to unit IUNIT, the answer of the console pause to TPCM LBACK (a negative
// answer asks the caller to write the sequence again) and the page counter of the per-line
// pages to TPCM IPAG. Ends the run only when the keyboard input ends at a console pause
// (end_of_input_stop).
void TBLOT1(std::span<const float> OFF, std::span<const float> ARRAY, std::int32_t IDENT,
            std::int32_t TABTYP, std::int32_t IREP, std::int32_t NPAG,
            const OffsetTableRecords& records, std::int32_t AUXDSP, std::int32_t MTCHFT,
            std::int32_t NOCUT, std::span<const float, 3> ROTCTR, std::int32_t& NROW,
            const OffsetReportOptions& options, const OffsetReportInputs& inputs);

// OVFWRN: the range warnings under a table: the lateral-table warning when OVRFLO is 1, the
// vertical-span warning (run kinds 3, 4, 5, 7, 8) when SPNERR is nonzero, each only when the
// table reaches the row before the first out-of-range row. OFF(NOVFLO) and OFF(NVTOFL) name
// the offset; a row OFF does not hold shows asterisks. Writes to unit IUNIT; NOCUT is not used.
void OVFWRN(std::int32_t OVRFLO, std::int32_t NOVFLO, std::int32_t BADLIN, std::int32_t SPNERR,
            std::int32_t NVTOFL, std::int32_t VRTBAD, std::int32_t NROW, std::int32_t NOCUT,
            std::span<const float> OFF, int IUNIT, std::int32_t TABTYP);

// LODROW: the offset numbers whose bits are set in NITRFL (bit j stands for FRSTFL + j - 1),
// at most 25 of them, each as I3 and a comma, in STROUT: 156 characters, two lines of 78.
// The first line holds the first 19 numbers, the second the rest (blank when there are none),
// so no number is lost to the 78-column line.
void LODROW(std::int32_t NITRFL, std::int32_t FRSTFL, std::string& STROUT);

} // namespace lintar
