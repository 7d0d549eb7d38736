// editor/oblique_offset_page.cpp: page 6, oblique offset specifications.
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

constexpr std::int32_t max_directions = 10; // RCTDIR, OBLVEC, OBLPTY
constexpr std::int32_t max_offsets = 50;    // RCTOFF, OBLOFF

constexpr std::string_view rectilinear_directions_heading =
    "offset directions [e.g., X axis = (1,0,0); Y axis = (0,1,0)]";
constexpr std::string_view axis_directions_heading =
    "oblique axis directions [e.g., Roll = (1,0,0); Pitch = (0,1,0)]";
constexpr std::string_view origin_heading = "oblique axis rotation coordinate origin (Vx,Vy,Vz)";
constexpr std::string_view sense_heading =
    "Rotation sense (+1 advances, -1  retracts a right-handed screw)";
constexpr std::string_view rotation_values_heading =
    "Oblique axis rotational offset values (degrees)";

// The heading of item 4, with the length unit.
std::string rectilinear_values_heading() {
    return length_heading("Rectilinear offset distances (", TPCM.NUNTS);
}

// Item 15's line: its label and dot leader reach column 70, as the count lines' labels do,
// so that the answer stands beside their values.
std::string table_line() {
    std::string line = "15) Take offset data from INPUTOFF.txt text file ";
    line.resize(69, '.');
    return line + " " + std::string(YESNO(TPCM.FROMTABLE));
}

// The line of an item, or nothing when the item is not on the page.
std::optional<std::string> item_line(std::int32_t item) {
    const bool rectilinear = TPCM.NRCTDR != 0;
    const bool rotational = TPCM.NOBLDR != 0;
    switch (item) {
    case 1:
        return count_line(" 1) Number of oblique directions for <<rectilinear>> offsets (Max ",
                          max_directions, " ", TPCM.NRCTDR);
    case 2:
        if (rectilinear)
            return count_line(" 2) Number of linear offset points per direction (Max ", max_offsets,
                              " ........... ", TPCM.NRCTOF);
        break;
    case 3:
        if (rectilinear)
            return " 3) Specify rectilinear offset directions";
        break;
    case 4:
        if (rectilinear)
            return " 4) Specify rectilinear offset values";
        break;
    case 5:
        return count_line(" 5) Number of oblique axes for <<rotational>> offsets (Max ",
                          max_directions, " ...... ", TPCM.NOBLDR);
    case 6:
        if (rotational)
            return count_line(" 6) Number of rotational offsets per oblique axis (Max ",
                              max_offsets, " .......... ", TPCM.NOFFOB);
        break;
    case 7:
        if (rotational)
            return " 7) Specify oblique axis directions";
        break;
    case 8:
        if (rotational || TPCM.FROMTABLE != 0)
            return " 8) Specify oblique axis coordinate origin";
        break;
    case 9:
        if (rotational)
            return " 9) Specify oblique axis rotational sense";
        break;
    case 10:
        if (rotational)
            return "10) Specify oblique axis rotational offset values";
        break;
    case 15:
        return table_line();
    default:
        break;
    }
    return std::nullopt;
}

// The page: its heading and the lines of the items shown; the rotational group and the file
// item each follow an empty line.
void draw_page(std::string_view PAGE) {
    draw_offset_page(
        starting_at(7, " ****  Page " + std::string(PAGE) +
                           ": \"Hand of God\" Oblique Offset Specifications  ****"),
        15, [](std::int32_t item) { return item == 5 || item == 15; }, item_line);
}

// The mirror pass: the editors of items 3, 4, 7, 8, 9 and 10 list their data, each only when
// its count is nonzero; the values follow their directions or axes, as on the screen.
void list_data() {
    if (TPCM.NRCTDR != 0) {
        list_rows(rectilinear_directions_heading, TPCM.RCTDIR_words,
                  rows_for_editor(TPCM.NRCTDR, max_directions));
        if (TPCM.NRCTOF != 0)
            edit_column(rectilinear_values_heading(), TPCM.RCTOFF_words, TPCM.NRCTOF);
    }
    if (TPCM.NOBLDR != 0) {
        list_rows(axis_directions_heading, TPCM.OBLVEC_words,
                  rows_for_editor(TPCM.NOBLDR, max_directions));
        float origin[3] = {TPCM.ROTCTX, TPCM.ROTCTY, TPCM.ROTCTZ};
        list_rows(origin_heading, origin, 1);
        edit_column(sense_heading, TPCM.OBLPTY_words, TPCM.NOBLDR);
        if (TPCM.NOFFOB != 0)
            edit_column(rotation_values_heading, TPCM.OBLOFF_words, TPCM.NOFFOB);
    }
}

// Runs a shown item. Returns true when a page command typed inside a coordinate editor is to
// leave the page (it is in LBACK).
bool run_item(std::int32_t item) {
    if (!item_line(item))
        return false; // hidden, or no such item: the page is only drawn again
    switch (item) {
    case 1:
        enter_count(TPCM.NRCTDR, max_directions);
        break;
    case 2: {
        std::int32_t NRCTMP = TPCM.NRCTOF;
        enter_count(NRCTMP, max_offsets);
        TPCM.NRCTOF = NRCTMP;
        break;
    }
    case 3:
        return coordinate_loop(rectilinear_directions_heading, TPCM.RCTDIR_words,
                               rows_for_editor(TPCM.NRCTDR, max_directions));
    case 4:
        edit_column(rectilinear_values_heading(), TPCM.RCTOFF_words, TPCM.NRCTOF);
        break;
    case 5:
        enter_count(TPCM.NOBLDR, max_directions);
        break;
    case 6: {
        std::int32_t NOBTMP = TPCM.NOFFOB;
        enter_count(NOBTMP, max_offsets);
        TPCM.NOFFOB = NOBTMP;
        break;
    }
    case 7:
        return coordinate_loop(axis_directions_heading, TPCM.OBLVEC_words,
                               rows_for_editor(TPCM.NOBLDR, max_directions));
    case 8:
        return coordinate_row(origin_heading, TPCM.ROTCTX, TPCM.ROTCTY, TPCM.ROTCTZ);
    case 9:
        edit_senses(sense_heading, TPCM.OBLPTY_words, TPCM.NOBLDR);
        break;
    case 10:
        edit_column(rotation_values_heading, TPCM.OBLOFF_words, TPCM.NOFFOB);
        break;
    case 15:
        TOGGLE2(TPCM.FROMTABLE, TPCM.IBATCH, TPCM.EDUNIT, keyboard_unit);
        break;
    default:
        break;
    }
    return false;
}

} // namespace

// CATOF2: page 6, the oblique prescribed offsets: translations along global directions and
// rotations about oblique axes through a vessel-fixed origin, and the switch of the user
// offsets file "INPUTOFF.txt". Draws the page on EDUNIT and edits TPCM until Return or a page
// command (also one typed inside a coordinate editor), which it leaves in LBACK; in a mirror
// pass it writes the page and its data and returns 0. Reads and writes TPCM; ends the run only
// at the end of input.
void CATOF2(std::string_view PAGE) {
    run_offset_page([&] { draw_page(PAGE); }, list_data,
                    [] { CATHP2(TPCM.EDUNIT, keyboard_unit, TPCM.IPAG, TPCM.SIMTYP); }, run_item);
}

} // namespace lintar
