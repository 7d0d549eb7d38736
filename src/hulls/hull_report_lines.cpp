// hulls/hull_report_lines.cpp: line shapes and the pause of the hull reports.
#include "hulls/hull_report_lines.h"

#include "util/unit_labels.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/prompts.h"

namespace lintar {

std::string dotted(std::string_view label, std::size_t width) {
    std::string text(label);
    if (text.size() < width)
        text.append(width - text.size(), '.');
    return text;
}

void frame_line(int IUNIT) {
    write_record(IUNIT, "   **" + std::string(72, ' ') + "**");
}

void value_line(int IUNIT, std::string_view label, float value, std::string_view unit) {
    write_record(IUNIT, X(15) + dotted(label, 39) + F(value, 10, 2) + " " + std::string(unit));
}

void motion_text_line(int IUNIT, std::string_view label, std::string_view text,
                      std::string_view unit) {
    std::string word(unit.substr(0, 8));
    word.resize(8, ' '); // an eight-character unit word
    write_record(IUNIT, X(15) + dotted(label, 40) + A(text, 6) + " " + word);
}

void motion_line(int IUNIT, std::string_view label, float value, std::string_view unit) {
    motion_text_line(IUNIT, label, F(value, 6, 1), unit);
}

void empty_lines(int IUNIT, int n) {
    for (int k = 0; k < n; ++k)
        write_record(IUNIT, "");
}

void subsection(int IUNIT, int before, std::string_view title, int after) {
    empty_lines(IUNIT, before);
    write_record(IUNIT, title);
    empty_lines(IUNIT, after);
}

// report_pause: on the console the Return pause; true when its answer asks for a redraw.
bool report_pause() {
    TpcmBlock& P = TPCM;
    P.LBACK = 0;
    if (P.IUNIT == P.EDUNIT)
        PRSRET(P.EDUNIT, keyboard_unit, P.LBACK);
    return P.LBACK < 0;
}

SectionTwoUnits section_two_units(const TpcmBlock& P) {
    SectionTwoUnits u;
    u.heave_unit = P.NUNTS == 1   ? " m.ton/(m/sec)"
                   : P.NUNTS == 0 ? " k.lb/(ft/sec)"
                                  : " PROBLEM here!";
    u.roll_unit = P.NUNTS == 1   ? " m.ton*m./(rad/sec)"
                  : P.NUNTS == 0 ? " ft*kip/(rad/sec)"
                                 : " PROBLEM here!";
    const bool slope = P.LSLPHT == 1;
    u.wave_label = slope ? "SLOPE " : "HEIGHT";
    u.wave_unit = slope ? std::string("DEGREES") : std::string(CAPUN(P.NUNTS));
    return u;
}

void physical_characteristics(int IUNIT) {
    const TpcmBlock& P = TPCM;
    const HimemBlock& H = HIMEM;
    const std::string length(CAPUN(P.NUNTS));
    const std::string weight(CAPUN(P.NUNTS + 4));
    const std::string density_weight = A(CAPUN(P.NUNTS + 6), 3);
    frame_line(IUNIT);
    write_record(IUNIT, "   *****************   I.  PHYSICAL CHARACTERISTICS SUMMARY   "
                        "*****************");
    frame_line(IUNIT);

    empty_lines(IUNIT, 1);
    subsection(IUNIT, 2, "     ----  SITE CHARACTERISTICS  ----", 2);
    value_line(IUNIT, "WATER DEPTH ", P.DEPTH, length);
    const std::string volume = P.NUNTS == 0 ? std::string("FOOT ") : A(CAPUN(P.NUNTS), 5);
    value_line(IUNIT, "WATER DENSITY ", P.DWATR, density_weight + "/CUBIC " + volume);

    empty_lines(IUNIT, 1);
    subsection(IUNIT, 2, "----  VESSEL CHARACTERISTICS  ----", 2);
    value_line(IUNIT, "DISPLACEMENT ", P.DISPL, weight);
    write_record(IUNIT,
                 X(15) + dotted("WATER PLANE AREA ", 39) + F(P.AWP, 10, 2) + " SQUARE " + length);
    value_line(IUNIT, "VERTICAL (Z) KB ", P.TVKB, length);
    value_line(IUNIT, "DRAFT ", P.DRAFT, length);
    empty_lines(IUNIT, 1);
    value_line(IUNIT, "VERTICAL (Z) KG ", P.VKG, length);
    value_line(IUNIT, "NATURAL ROLL CENTER (VKR) ", H.VTCRR, length);
    value_line(IUNIT, "NATURAL PITCH CENTER (VKP) ", H.VTCRP, length);
    empty_lines(IUNIT, 1);
    value_line(IUNIT, "PITCH GYRADIUS ", P.PGYR, length);
    value_line(IUNIT, "ROLL GYRADIUS ", P.RGYR, length);
    value_line(IUNIT, "YAW GYRADIUS ", P.YGYR, length);
    empty_lines(IUNIT, 1);
    value_line(IUNIT, "LONGITUDINAL GM (GML) ", H.GML, length);
    value_line(IUNIT, "LONGITUDINAL KM (KML) ", P.VKML, length);
    value_line(IUNIT, "LONGITUDINAL IWP/DELTA ", P.VKML - P.TVKB, length);
    empty_lines(IUNIT, 1);
    value_line(IUNIT, "TRANSVERSE GM (GMT) ", H.GMT, length);
    value_line(IUNIT, "TRANSVERSE KM (KMT) ", P.VKMT, length);
    value_line(IUNIT, "TRANSVERSE IWP/DELTA ", P.VKMT - P.TVKB, length);
}

void section_two_heading(int IUNIT, bool user_raos, std::string_view marker,
                         std::string_view model) {
    frame_line(IUNIT);
    write_record(IUNIT, "   ***************  II.  UNMOORED VESSEL MOTION CHARACTERISTICS  "
                        "**************");
    frame_line(IUNIT);
    if (!user_raos)
        return;
    empty_lines(IUNIT, 1);
    write_record(IUNIT, " " + std::string(marker) + " NOTE:  The data on this page represent " +
                            std::string(model) + " estimates;");
    write_record(IUNIT, "            Motion data on subsequent pages derive from "
                        "USER-SUPPLIED RAOs");
    write_record(IUNIT, "            which may or may not be consistent with the data "
                        "on this page.");
    empty_lines(IUNIT, 1);
}

void damping_conversion_line(int IUNIT, float value, std::string_view unit) {
    write_record(IUNIT, X(15) + "Damping conversion: 1% = " + E(value, 10, 3) + std::string(unit));
    empty_lines(IUNIT, 1);
}

} // namespace lintar
