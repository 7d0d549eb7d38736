// offsets/report_frame.cpp: the frame every table of the offset report shares.
#include "offsets/report_frame.h"

#include "blocks/tpcm.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/offset_box.h"
#include "util/prompts.h"
#include "util/unit_labels.h"

#include <algorithm>
#include <cmath>

namespace lintar {

std::int32_t TableCall::rows() const {
    const auto held = static_cast<std::int32_t>(
        std::min(OFF.size(), ARRAY.size() / static_cast<std::size_t>(report_values_per_row)));
    LINTAR_ASSERT(NROW <= held, "a result table holds fewer rows than it reports");
    return std::clamp(NROW, std::int32_t{0}, held);
}

float TableCall::value(int k, int r) const {
    LINTAR_ASSERT(k >= 1 && k <= report_values_per_row, "result value index");
    const auto at = slot(r) * report_values_per_row + slot(k);
    LINTAR_ASSERT(r >= 1 && at < ARRAY.size(), "result row index");
    return ARRAY[at];
}

float TableCall::offset(int r) const {
    LINTAR_ASSERT(r >= 1 && static_cast<std::size_t>(r) <= OFF.size(), "offset row index");
    return OFF[slot(r)];
}

bool TableCall::first_out_of_range(int r) const {
    return (OVRFLO == 1 && r == NOVFLO) || (SPNERR != 0 && r == NVTOFL);
}

std::string text_field(std::string_view text, int w) {
    std::string field(text.substr(0, static_cast<std::size_t>(w)));
    field.resize(static_cast<std::size_t>(w), ' ');
    return field;
}

std::string force_label(std::int32_t NUNTS) {
    return text_field(UNITS(NUNTS), 5);
}
std::string length_label(std::int32_t NUNTS) {
    return text_field(UNITS(NUNTS + 7), 2);
}
std::string energy_label(std::int32_t NUNTS) {
    return text_field(UNITS(NUNTS + 19), 9);
}

namespace {

// Beyond this a real has no integer part the report could print in any field.
constexpr double integer_limit = 1e18;

std::string integer_field(double whole, int w) {
    if (!std::isfinite(whole) || std::abs(whole) >= integer_limit)
        return std::string(static_cast<std::size_t>(w), '*');
    return I(static_cast<long long>(whole), w);
}

// The section title of each run kind, shown on every section page of its sequences.
std::string_view section_title(std::int32_t TABTYP) {
    switch (TABTYP) {
    case 1:
        return "III. Lateral Offset Restoring Characteristics";
    case 2:
        return "IV. Yaw Offset Restoring Characteristics";
    case 3:
        return "V. Oblique Axis Rotational Offset Characteristics";
    case 4:
        return "VI. Vertical Offset Restoring Characteristics";
    case 5:
        return "VII. Oblique Rectilinear Offset Characteristics";
    case 6:
        return "VII. User-specified INPUTOFF.txt offset file";
    case 7:
        return "VIII. Continuous Equilibrium Under Specified Forcing";
    case 8:
        return "IX. Continuous Equilibrium Under Specified Torquing";
    default:
        return "";
    }
}

// The lead text and three ES10.3 values, closed by ")".
std::string vessel_point(std::string_view lead, float x, float y, float z) {
    return std::string(lead) + ES(x, 10, 3) + "," + ES(y, 10, 3) + "," + ES(z, 10, 3) + ")";
}

} // namespace

std::string truncated_int(float value, int w) {
    return integer_field(std::trunc(static_cast<double>(value)), w);
}

std::string nearest_int(float value, int w) {
    return integer_field(std::round(static_cast<double>(value)), w);
}

std::string title_line(std::string_view title) {
    const int S = std::max(0, (74 - static_cast<int>(title.size())) / 2);
    const std::string stars(static_cast<std::size_t>(S), '*');
    return " " + stars + "  " + std::string(title) + "  " + stars;
}

// write_offset_box: IOBOX with the direction data TBLOT1 picked for the run kind.
void write_offset_box(const TableCall& call) {
    IOBOX(call.TABTYP, call.box_angle, call.box_vector, call.FAPPNT, call.MTCHFT,
          call.options->IUNIT, call.FCVES, call.TQVES, call.box_moment_axis);
}

// write_initial_state: the lines that say where the sequence starts from. Reads the options'
// TRIMDG, HEELDG, AUXFRC, CRDSYS, XVFRC, YVFRC, VESMOM and the produced offset RVES of the inputs.
void write_initial_state(const TableCall& call) {
    const int IUNIT = call.options->IUNIT;
    if (call.AUXDSP == 1)
        write_record(IUNIT, " Initial offset (Gx,Gy,Gz,Yaw)  = (" + F(call.XINIT, 8, 2) + "," +
                                F(call.YINIT, 8, 2) + "," + F(call.ZINIT, 8, 2) + "," +
                                F(call.YWINIT, 8, 2) + ")");
    if (call.options->TRIMDG != 0.0f || call.options->HEELDG != 0.0f)
        write_record(IUNIT, " Initial (trim,heel) in degrees = (" + F(call.options->TRIMDG, 8, 2) +
                                "," + F(call.options->HEELDG, 8, 2) + ")");
    if (call.options->AUXFRC == 1) {
        const std::string C = call.options->CRDSYS == 1 ? "V" : "G";
        const auto& RVES = call.inputs->RVES;
        const float yaw_degrees = RVES[2] * degrees_per_radian;
        write_record(IUNIT, "");
        write_record(IUNIT, " Specified initial force/moment (" + C + "x," + C + "y,Mz)   = (" +
                                F(call.options->XVFRC, 7, 1) + "," + F(call.options->YVFRC, 9, 1) +
                                "," + ES(call.options->VESMOM, 10, 2) + ")");
        write_record(IUNIT, " Produced initial Global Offset (Gx,Gy,Yaw)  = (" + F(RVES[0], 7, 1) +
                                "," + F(RVES[1], 9, 1) + "," + F(yaw_degrees, 10, 2) + ")");
    }
}

// write_section_page: the head of a summary, net-load or stiffness table. Reads the options'
// IUNIT, EDUNIT, RMCTR and IARCO.
void write_section_page(const TableCall& call) {
    const int IUNIT = call.options->IUNIT;
    PAGE(IUNIT, call.options->EDUNIT, 1, 99);
    write_record(IUNIT, title_line(section_title(call.TABTYP)));
    write_record(IUNIT, "");
    write_offset_box(call);
    const bool stiffness = call.IDENT >= 23 && call.IDENT <= 26;
    if (call.TABTYP == 3 || call.TABTYP == 6 || stiffness) {
        write_record(IUNIT, "");
        write_record(IUNIT, "                  Rotation axes origin in Vessel coordinates");
        write_record(IUNIT, vessel_point("               (Vx,Vy,Vz) = (", call.ROTCTR[0],
                                         call.ROTCTR[1], call.ROTCTR[2]));
    }
    write_record(IUNIT, "");
    write_record(IUNIT, "                  Moments reported about Vessel coordinate");
    write_record(IUNIT, vessel_point("               (Vx,Vy,Vz) = (", call.options->RMCTR[0],
                                     call.options->RMCTR[1], call.options->RMCTR[2]));
    if (call.IDENT == 95 && (call.TABTYP == 7 || call.TABTYP == 8)) {
        write_record(IUNIT, "");
        write_record(IUNIT, "");
        write_record(IUNIT,
                     X(7) + "--------   Summary of Continuous Equilibrium Offsets   -------");
        if (call.options->IARCO == 1)
            write_record(IUNIT, X(34) + "(Buoy Data)");
    }
    write_record(IUNIT, "");
    write_initial_state(call);
    write_record(IUNIT, "");
    write_record(IUNIT, "");
}

// write_table_tail: OVFWRN, then on the console the Return pause (answer in TPCM LBACK), then
// the convergence note when offsets failed to converge. The note's list takes a second line
// when more than 19 offset numbers are listed.
void write_table_tail(const TableCall& call) {
    const int IUNIT = call.options->IUNIT;
    OVFWRN(call.OVRFLO, call.NOVFLO, call.BADLIN, call.SPNERR, call.NVTOFL, call.VRTBAD, call.NROW,
           call.NOCUT, call.OFF, IUNIT, call.TABTYP);
    if (IUNIT == call.options->EDUNIT)
        PRSRET(call.options->EDUNIT, keyboard_unit, TPCM.LBACK);
    if (call.ITFLWN != 0) {
        std::string STROUT;
        LODROW(call.NITRFL, call.FRSTFL, STROUT);
        const std::string Q = call.ITFLWN >= 26 ? " at least " : " ";
        write_record(IUNIT, "");
        write_record(IUNIT, " ++> Note: " + I(call.ITFLWN, 2) +
                                " convergence failure(s) occurred during processing; in "
                                "particular,");
        write_record(IUNIT,
                     "     data associated with" + Q + "these offset numbers may be in error:");
        const std::string first = STROUT.substr(0, 78);
        const std::string second = STROUT.substr(78);
        write_record(IUNIT, " " + first);
        if (second.find_first_not_of(' ') != std::string::npos)
            write_record(IUNIT, " " + second);
    }
}

} // namespace lintar
