// hulls/hull_report_lines.h: the line shapes and the page rule of the hull models' report
// sections I and II.
#pragma once

#include "blocks/tpcm.h"
#include "util/prompts.h"

#include <string>
#include <string_view>

namespace lintar {

// A label followed by a dot leader to WIDTH columns.
std::string dotted(std::string_view label, std::size_t width);

// The frame line of a section title: three blanks, "**", 72 blanks, "**".
void frame_line(int IUNIT);

// A section I value line: 15 blanks, the dotted label in 39 columns, F10.2, a blank, the unit.
void value_line(int IUNIT, std::string_view label, float value, std::string_view unit);

// A section II value line: 15 blanks, the dotted label in 40 columns, F6.1 (or TEXT in six
// columns), a blank, the unit in eight columns.
void motion_line(int IUNIT, std::string_view label, float value, std::string_view unit);
void motion_text_line(int IUNIT, std::string_view label, std::string_view text,
                      std::string_view unit);

// The units of the damping and wave columns of section II: the heave and roll damping units of
// NUNTS, and the wave's label and unit ("SLOPE " in degrees when LSLPHT is 1, else "HEIGHT" in
// the length unit).
struct SectionTwoUnits {
    std::string_view heave_unit;
    std::string_view roll_unit;
    std::string_view wave_label;
    std::string wave_unit;
};
SectionTwoUnits section_two_units(const TpcmBlock& P);

// The part of section I that the ship and the disc buoy share: the title in its frame, the
// site and the vessel characteristics from TPCM and HIMEM (depth and density; displacement,
// waterplane, KB, draft, KG, the natural roll and pitch centres, the gyradii, the longitudinal
// and transverse GM, KM and IWP/DELTA).
void physical_characteristics(int IUNIT);

// The head of section II: the title in its frame and, when the RAOs come from the user's file
// (AUXVSH), the note that the page holds the model's own estimates, opened by `marker` and
// naming `model`.
void section_two_heading(int IUNIT, bool user_raos, std::string_view marker,
                         std::string_view model);

// A section II damping-conversion line, 15 blanks, "Damping conversion: 1% = ", E10.3 and the
// unit, then an empty line.
void damping_conversion_line(int IUNIT, float value, std::string_view unit);

// N empty lines.
void empty_lines(int IUNIT, int n);

// A subsection title between empty lines: BEFORE empty lines, the title, AFTER empty lines.
void subsection(int IUNIT, int before, std::string_view title, int after);

// The end of a report page: on the console (IUNIT is EDUNIT) the Return pause; true when its
// answer (a negative code) asks for a redraw. Reads TPCM IUNIT and EDUNIT; writes TPCM LBACK.
bool report_pause();

// The page rule: the page starts with PAGE and ends with report_pause(); a redraw draws the
// page again.
template <class Body> void report_page(Body&& body) {
    TpcmBlock& P = TPCM;
    do {
        PAGE(P.IUNIT, P.EDUNIT, 1, 99);
        body(P.IUNIT);
    } while (report_pause());
}

} // namespace lintar
