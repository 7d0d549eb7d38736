// editor/site_conditions_page.cpp: page 1, site conditions.
#include "editor/pages.h"

#include "blocks/tpcm.h"
#include "datafile/unit_conversion.h"
#include "editor/page_help.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/prompts.h"
#include "util/unit_labels.h"

#include <algorithm>
#include <span>
#include <string>

namespace lintar {

namespace {

// The density presets, lbs/cubic foot, and the factor to kgw/cubic metre.
constexpr float seawater = 64.0f;
constexpr float freshwater = 62.44f;
constexpr float density_to_metric = 16.0185f;

// The page shows and edits the first 18 groups (72 characters) of an identification line.
constexpr std::size_t shown_id_chars = 72;

// The name of a unit system on the conversion sub-page (0 English, 1 metric), in 7 columns.
std::string system_name(std::int32_t NUNTS) {
    std::string name(unit_system_name(NUNTS));
    name.resize(7, ' ');
    return name;
}

// An identification line as the page shows it: its first 72 characters in brackets.
std::string id_line(int item, std::span<const char, 80> text) {
    return " " + I(item, 1) + ") [" + std::string(text.data(), shown_id_chars) + "]";
}

// " 4) Site water depth: " and the like, the label padded to 27 columns.
std::string value_line(std::string_view label, float value, std::int32_t unit_code) {
    std::string line(label);
    line.resize(27, ' ');
    return line + F(value, 10, 2) + std::string(UNITP(unit_code));
}

// The lines of items 4 and 5.
std::string depth_line() {
    return value_line(" 4) Site water depth: ", TPCM.DEPTH, TPCM.NUNTS + 7);
}

std::string density_line() {
    return value_line(" 5) Water density: ", TPCM.DWATR, TPCM.NUNTS + 11);
}

// The page, cleared first unless it is being copied.
void draw_page() {
    const int U = TPCM.EDUNIT;
    if (TPCM.LCOPY == 0)
        CLEAR(U);
    write_record(U, X(19) + " ****  Page 1: Site conditions  ****");
    LINES(U, 3);
    write_record(U, "     Two-line Identification for this simulation:");
    write_record(U, "");
    write_record(U, id_line(1, TPCM.CID1P()));
    write_record(U, id_line(2, TPCM.CID2P()));
    write_record(U, "");
    if (TPCM.NUNTS == 0)
        write_record(U, " 3) Units of measure: English");
    else if (TPCM.NUNTS == 1)
        write_record(U, " 3) Units of measure: Metric");
    write_record(U, "");
    write_record(U, depth_line());
    write_record(U, density_line());
}

// Items 1 and 2: a new identification line; an all-blank answer keeps the old one.
void edit_id_line(int item, std::span<char, 80> text) {
    const int U = TPCM.EDUNIT;
    write_record(U, id_line(item, text));
    WRTLIN(I(item, 1) + ") :", U);
    const std::string answer = read_answer(static_cast<int>(shown_id_chars));
    if (answer.find_first_not_of(' ') == std::string::npos)
        return;
    std::copy(answer.begin(), answer.end(), text.begin());
}

// The warning before every value is converted, and the note on user spectral files.
void write_conversion_warning() {
    const int U = TPCM.EDUNIT;
    CLEAR(U);
    write_record(U, "                >>> Warning <<<");
    write_record(U, "");
    write_conversion_cautions(U);
    if (TPCM.CURTYP == 2 || TPCM.WNDTYP == 6) {
        LINES(U, 2);
        // clang-format off
        for (const std::string_view line : {
                 "     >>> NOTE:",
                 "",
                 "     Be aware that the data set to be converted calls for dimensional",
                 "     user-supplied wind or current spectral data (WINDSPEC.txt or",
                 "     CRNTSPEC.txt); these data files must be converted separately by",
                 "     the user to the correct set of units to complete the units",
                 "     conversion."})
            write_record(U, line);
        // clang-format on
    }
}

// Item 3: relabel (only the water density changes) or convert every value to the other
// system. A page command typed here only returns to page 1.
void units_subpage() {
    const int U = TPCM.EDUNIT;
    for (;;) {
        CLEAR(U);
        std::int32_t target = TPCM.NUNTS;
        TOGGLE(target);
        const std::string name(system_name(target));
        write_record(U, "");
        write_record(U, "      >>> Units Conversion Options <<<");
        write_record(U, "");
        write_record(U, " 1) Convert only water density and unit labels to " + name + " units");
        write_record(U, " 2) Convert ALL data values and units labels to " + name + " units");
        std::int32_t answer = 0;
        ENTSEL(answer, U, keyboard_unit, TPCM.IPAG);
        if (answer == code_help) {
            CNVHLP(U, keyboard_unit, TPCM.IPAG);
            continue;
        }
        if (answer == 1) {
            TOGGLE(TPCM.NUNTS);
            if (TPCM.NUNTS == 1)
                TPCM.DWATR = TPCM.DWATR * density_to_metric;
            else if (TPCM.NUNTS == 0)
                TPCM.DWATR = TPCM.DWATR / density_to_metric;
        } else if (answer == 2) {
            write_conversion_warning();
            std::int32_t refused = 0;
            ABORT0(U, keyboard_unit, refused);
            if (refused != -1)
                convert_all_units(TPCM.SIMTYP);
        }
        return;
    }
}

// Item 5: a preset density or a value of the user's.
void density_subpage() {
    const int U = TPCM.EDUNIT;
    for (;;) {
        if (TPCM.LCOPY == 0)
            CLEAR(U);
        write_record(U, " -- Water density --");
        write_record(U, "");
        write_record(U, " 1) Seawater");
        write_record(U, " 2) Freshwater");
        write_record(U,
                     " 3) User-specified fluid density in" + std::string(UNITP(TPCM.NUNTS + 11)));
        std::int32_t answer = 0;
        ENTSEL(answer, U, keyboard_unit, TPCM.IPAG);
        if (answer == code_help) {
            NOHELP(U, keyboard_unit, TPCM.IPAG);
            continue;
        }
        if (answer == 1 || answer == 2) {
            TPCM.DWATR = answer == 1 ? seawater : freshwater;
            if (TPCM.NUNTS == 1)
                TPCM.DWATR = TPCM.DWATR * density_to_metric;
        } else if (answer == 3) {
            write_record(U, density_line());
            ENTERF(TPCM.DWATR, U, keyboard_unit);
        }
        return;
    }
}

} // namespace

// STATIC: page 1, site conditions: the identification lines, the unit system (relabel or
// convert every value), the water depth and the water density. Reads and writes TPCM; ends
// the run only at the end of input.
void STATIC() {
    for (;;) {
        draw_page();
        const int U = TPCM.EDUNIT;
        if (TPCM.LCOPY != 0) {
            TWOPG(TPCM.LCOPY, U);
            TPCM.LBACK = 0;
            return;
        }
        ENTSEL(TPCM.LBACK, U, keyboard_unit, TPCM.IPAG);
        switch (TPCM.LBACK) {
        case code_help:
            STATHLP(U, keyboard_unit, TPCM.IPAG);
            break;
        case 1:
            edit_id_line(1, TPCM.CID1P());
            break;
        case 2:
            edit_id_line(2, TPCM.CID2P());
            break;
        case 3:
            units_subpage();
            break;
        case 4:
            write_record(U, depth_line());
            ENTERF(TPCM.DEPTH, U, keyboard_unit);
            break;
        case 5:
            density_subpage();
            break;
        default:
            return;
        }
    }
}

} // namespace lintar
