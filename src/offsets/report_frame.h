// offsets/report_frame.h: what every table of the offset report shares: one table call as the
// layouts read it, the labels of the column heads, the row marker, the section page, the
// initial-state lines and the table tail.
#pragma once

#include "offsets/offset_report.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lintar {

// One call of TBLOT1, after its start: the row cut done and the page head's direction data
// picked for the run kind and repetition.
struct TableCall {
    std::span<const float> OFF;
    std::span<const float> ARRAY;
    std::int32_t IDENT = 0;
    std::int32_t TABTYP = 0;
    std::int32_t NPAG = 0;
    std::int32_t OVRFLO = 0;
    std::int32_t BADLIN = 0;
    std::int32_t NOVFLO = 0;
    std::int32_t SPNERR = 0;
    std::int32_t VRTBAD = 0;
    std::int32_t NVTOFL = 0;
    std::int32_t AUXDSP = 0;
    std::int32_t MTCHFT = 0;
    std::int32_t FCVES = 0;
    std::int32_t TQVES = 0;
    std::int32_t NOCUT = 0;
    float XINIT = 0.0f, YINIT = 0.0f, ZINIT = 0.0f, YWINIT = 0.0f;
    std::array<float, 3> FAPPNT{};
    std::array<float, 3> ROTCTR{};
    std::int32_t FRSTFL = 0;
    std::int32_t ITFLWN = 0;
    std::int32_t NITRFL = 0;
    std::int32_t NROW = 0; // after the row cut
    const OffsetReportInputs* inputs = nullptr;
    const OffsetReportOptions* options = nullptr;

    // The offset-type box's data for this kind and repetition.
    float box_angle = 0.0f;
    std::array<float, 3> box_vector{};
    std::array<float, 3> box_moment_axis{};

    // Offset-column labels: the 8-character label of the net-load heads and the 4-character
    // unit of the stiffness blocks.
    std::string offset_label;
    std::string offset_unit;

    // Rows that can be printed: 1 to NROW, never beyond what OFF and ARRAY hold.
    std::int32_t rows() const;
    // ARRAY(k, r) and OFF(r), both counted from 1.
    float value(int k, int r) const;
    float offset(int r) const;
    // The first out-of-range row: the first lateral-table overflow or span error.
    bool first_out_of_range(int r) const;
    // The row marker: ">" on the first out-of-range row, a blank on the others.
    std::string_view marker(int r) const { return first_out_of_range(r) ? ">" : " "; }
};

// Head labels of the unit system NUNTS: force (5 characters), length (2) and energy (9).
std::string force_label(std::int32_t NUNTS);
std::string length_label(std::int32_t NUNTS);
std::string energy_label(std::int32_t NUNTS);

// The first w characters of a text, blank-padded on the right when it is shorter.
std::string text_field(std::string_view text, int w);

// An integer field of a real: its fraction dropped, or rounded to the nearest integer. A value
// without an integer part that fits (NaN, infinite, beyond 1e18) fills the field with asterisks.
std::string truncated_int(float value, int w);
std::string nearest_int(float value, int w);

// A title line: 1 blank, S asterisks, 2 blanks, the title, 2 blanks, S asterisks, with
// S = (74 - length) / 2.
std::string title_line(std::string_view title);

// The offset-type box of the call's run kind and repetition.
void write_offset_box(const TableCall& call);

// The initial-state lines: initial offset (AUXDSP), initial trim and heel, the prescribed
// initial force and the offset it produced (AUXFRC of the options).
void write_initial_state(const TableCall& call);

// The section page of codes 21 to 26 and 94 to 99: new page, title, box, rotation-axes origin,
// moment centre, the continuous-equilibrium banner (code 95), initial state, two empty lines.
void write_section_page(const TableCall& call);

// The tail of every table but the stiffness matrices: range warnings, the console pause (its
// answer in TPCM LBACK) and the convergence note.
void write_table_tail(const TableCall& call);

} // namespace lintar
