// editor/offset_page.cpp: page 5, lateral, yaw and vertical offset specifications.
#include "editor/pages.h"

#include "blocks/tpcm.h"
#include "editor/final_page.h"
#include "editor/offset_help.h"
#include "editor/offset_page_support.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/column_editor.h"
#include "util/prompts.h"
#include "util/range_checks.h"

#include <optional>
#include <span>
#include <string>

namespace lintar {

namespace {

// The capacities of the arrays of the page.
constexpr std::int32_t max_lateral_directions = 10; // PHIL
constexpr std::int32_t max_offsets = 50;            // OFFL, OFFY, VRTOFF
constexpr std::int32_t max_yaw_senses = 2;          // PHIY

constexpr std::string_view lateral_directions_heading = "Lateral offset directions (degrees)";
constexpr std::string_view yaw_sense_heading =
    "Yaw offset sense (-1 = clockwise, +1 = counter-clockwise)";
constexpr std::string_view yaw_values_heading = "Yaw offset values (degrees)";

// The yaw and vertical items are shown and taken only for a vessel moored directly (IARCO 0,
// the page loop's test): a screen that tested IARCO against 1 would show, for any other
// arrangement code, items that refuse every selection.
bool moored_directly() {
    return TPCM.IARCO == 0;
}

// The line of an item, or nothing when the item is not on the page.
std::optional<std::string> item_line(std::int32_t item) {
    const bool lateral = TPCM.NLAT != 0;
    const bool yaw = moored_directly() && TPCM.NYAW != 0;
    const bool vertical = moored_directly() && TPCM.NVERT != 0;
    switch (item) {
    case 1:
        return count_line("  1) Number of <<lateral>> offset directions (Max ",
                          max_lateral_directions, " .......... ", TPCM.NLAT);
    case 2:
        if (lateral)
            return count_line("  2) Number of lateral offsets per direction (Max ", max_offsets,
                              " .......... ", TPCM.NOFFL);
        break;
    case 3:
        if (lateral)
            return "  3) Specify lateral offset directions ";
        break;
    case 4:
        if (lateral)
            return "  4) Specify lateral offset values ";
        break;
    case 5:
        if (moored_directly())
            return count_line("  5) Number of <<yaw>> offset directions (Max ", max_yaw_senses,
                              " .............. ", TPCM.NYAW);
        break;
    case 6:
        if (yaw)
            return count_line("  6) Number of yaw offsets per direction (Max ", max_offsets,
                              " .............. ", TPCM.NOFFY);
        break;
    case 7:
        if (yaw)
            return "  7) Specify yaw offset sense ";
        break;
    case 8:
        if (yaw)
            return "  8) Specify yaw offset values ";
        break;
    case 9:
        if (moored_directly())
            return count_line("  9) Number of <<vertical>> offsets (Max ", max_offsets,
                              " ................... ", TPCM.NVERT);
        break;
    case 10:
        if (vertical)
            return " 10) Specify vertical offset values ";
        break;
    default:
        break;
    }
    return std::nullopt;
}

// The page: its heading and the lines of the items shown; the yaw and the vertical groups
// each follow an empty line.
void draw_page(std::string_view PAGE) {
    draw_offset_page(
        starting_at(7, " ****  Page " + std::string(PAGE) +
                           ": \"Hand of God\" Offset Specifications  ****"),
        10, [](std::int32_t item) { return (item == 5 || item == 9) && moored_directly(); },
        item_line);
}

// The mirror pass: the arrays whose counts are nonzero, each after the screen of the page.
// The value lists follow their directions, as on the screen; the yaw lists follow NYAW
// alone, whatever the arrangement.
void list_columns() {
    if (TPCM.NLAT != 0) {
        edit_column(lateral_directions_heading, TPCM.PHIL_words, TPCM.NLAT);
        if (TPCM.NOFFL != 0)
            edit_column(length_heading("Lateral offset values (", TPCM.NUNTS), TPCM.OFFL_words,
                        TPCM.NOFFL);
    }
    if (TPCM.NYAW != 0) {
        edit_column(yaw_sense_heading, TPCM.PHIY_words, TPCM.NYAW);
        if (TPCM.NOFFY != 0)
            edit_column(yaw_values_heading, TPCM.OFFY_words, TPCM.NOFFY);
    }
    if (TPCM.NVERT != 0)
        edit_column(length_heading("Vertical offset values (", TPCM.NUNTS), TPCM.VRTOFF_words,
                    TPCM.NVERT);
}

// Runs a shown item: its line again, then its edit.
void run_item(std::int32_t item) {
    const auto line = item_line(item);
    if (!line)
        return; // hidden, or no such item: the page is only drawn again
    write_record(TPCM.EDUNIT, *line);
    switch (item) {
    case 1:
        enter_count(TPCM.NLAT, max_lateral_directions);
        break;
    case 2: {
        std::int32_t NLTEMP = TPCM.NOFFL;
        enter_count(NLTEMP, max_offsets);
        TPCM.NOFFL = NLTEMP;
        break;
    }
    case 3:
        edit_column(lateral_directions_heading, TPCM.PHIL_words, TPCM.NLAT);
        break;
    case 4:
        edit_column(length_heading("Lateral offset values (", TPCM.NUNTS), TPCM.OFFL_words,
                    TPCM.NOFFL);
        break;
    case 5:
        enter_count(TPCM.NYAW, max_yaw_senses);
        break;
    case 6: {
        std::int32_t NYTEMP = TPCM.NOFFY;
        enter_count(NYTEMP, max_offsets);
        TPCM.NOFFY = NYTEMP;
        break;
    }
    case 7:
        edit_senses(yaw_sense_heading, TPCM.PHIY_words, TPCM.NYAW);
        break;
    case 8:
        edit_column(yaw_values_heading, TPCM.OFFY_words, TPCM.NOFFY);
        break;
    case 9:
        enter_count(TPCM.NVERT, max_offsets);
        break;
    case 10:
        edit_column(length_heading("Vertical offset values (", TPCM.NUNTS), TPCM.VRTOFF_words,
                    TPCM.NVERT);
        break;
    default:
        break;
    }
}

} // namespace

// CATOFF: page 5, the prescribed ("Hand of God") lateral, yaw and vertical offset sequences.
// Draws the page on EDUNIT and edits the counts and arrays of the sequences in TPCM until
// Return or a page command, which it leaves in LBACK; in a mirror pass it writes the page and
// its arrays and returns 0. Reads and writes TPCM; ends the run only at the end of input.
void CATOFF(std::string_view PAGE) {
    run_offset_page([&] { draw_page(PAGE); }, list_columns,
                    [] { CATHLP(TPCM.EDUNIT, keyboard_unit, TPCM.IPAG, TPCM.SIMTYP); },
                    [](std::int32_t item) {
                        run_item(item);
                        return false;
                    });
}

} // namespace lintar
