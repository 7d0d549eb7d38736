// editor/equilibrium_offset_page.cpp: page 7, continuous-equilibrium offset specifications.
#include "editor/pages.h"

#include "blocks/tpcm.h"
#include "editor/offset_help.h"
#include "editor/offset_page_support.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/column_editor.h"
#include "util/prompts.h"
#include "util/range_checks.h"
#include "util/unit_labels.h"

#include <cmath>
#include <optional>
#include <span>
#include <string>

namespace lintar {

namespace {

constexpr std::int32_t max_directions = 10; // FRCVEC, TRQVEC
constexpr std::int32_t max_values = 50;     // FRCOFF, TRQOFF
constexpr std::int32_t max_layers = 29;     // NLAYER
constexpr std::int32_t min_layers = 3;

constexpr std::string_view force_directions_heading =
    "force directions [e.g., X axis = (1,0,0); Y axis = (0,1,0)]";
constexpr std::string_view application_point_heading =
    "force application point on vessel (Vx,Vy,Vz)";
constexpr std::string_view couple_axes_heading =
    "force couple axis directions [e.g., X axis = (1,0,0); Y axis = (0,1,0)]";

// clang-format off
constexpr std::string_view pairing_message[] = {
    " ++> To SIMULTANEOUSLY apply forces and force couples for",
    "     \"continuous equilibrium\" offsets, the specified number",
    "     of force and moment DIRECTIONS must first be equal,",
    "     as must thenumber of applied forces/moments PER DIRECTION.",
};
constexpr std::string_view horizontal_message[] = {
    " ++> For CALM-hawser-type systems, all specified force directions",
    "     MUST be in the horizontal plane with a zero \"z\" component,",
    "     for example (x,y,z) = (1,1,0)...",
};
// clang-format on

// The tendon tables' default grid: 29 layers over a two-hundredth of the depth.
bool tendon_default_grid() {
    return TPCM.NLAYER == max_layers && std::fabs(TPCM.ZSPAN - TPCM.DEPTH / 200.0f) < 0.0001f;
}

// Forces and couples can be applied together only with as many directions and values of each.
bool counts_pair() {
    return TPCM.NTQOFF == TPCM.NFCOFF && TPCM.NTQDIR == TPCM.NFCDIR;
}

// The grid items belong to offsets that move the fairleads vertically.
bool grid_items_shown() {
    return TPCM.NOBLDR > 0 || TPCM.NVERT > 0 || TPCM.NTQDIR > 0 || TPCM.NFCDIR > 0 ||
           TPCM.NRCTDR > 0 || TPCM.FROMTABLE > 0;
}

// The system a direction is given in: the vessel's (1) or the global one.
std::string_view system_name(std::int32_t flag) {
    return flag == 1 ? "VESSEL" : "GLOBAL";
}

// The line of an item, or nothing when the item is not on the page. With a buoy or tug in the
// arrangement only the force items 1 to 4 and the grid items are taken.
std::optional<std::string> item_line(std::int32_t item) {
    const bool forces = TPCM.NFCDIR != 0;
    const bool couples = TPCM.NTQDIR != 0;
    const bool direct = TPCM.IARCO == 0;
    const bool grid = grid_items_shown();
    switch (item) {
    case 1:
        return count_line(" 1) Number of directions for FORCE application (Max ", max_directions,
                          " ....... ", TPCM.NFCDIR);
    case 2:
        if (forces)
            return count_line(" 2) Number of specified forces per direction (Max ", max_values,
                              " ......... ", TPCM.NFCOFF);
        break;
    case 3:
        if (forces)
            return " 3) Specify force directions";
        break;
    case 4:
        if (forces)
            return " 4) Specify force values";
        break;
    case 5:
        if (direct && forces)
            return " 5) Specify point of force application on vessel";
        break;
    case 6:
        if (direct && forces)
            return " 6) Force direction specified relative to " +
                   std::string(system_name(TPCM.FCVES)) + " coordinate system";
        break;
    case 7:
        if (direct)
            return count_line(" 7) Number of axes for force couple application (Max ",
                              max_directions, " ...... ", TPCM.NTQDIR);
        break;
    case 8:
        if (direct && couples)
            return count_line(" 8) Number of specified force couples per direction (Max ",
                              max_values, " .. ", TPCM.NTQOFF);
        break;
    case 9:
        if (direct && couples)
            return " 9) Specify force couple axis directions";
        break;
    case 10:
        if (direct && couples)
            return "10) Specify force couple values";
        break;
    case 11:
        if (direct && couples)
            return "11) Force couple axis specified relative to " +
                   std::string(system_name(TPCM.TQVES)) + " coordinate system";
        break;
    case 12:
        if (direct && couples && forces)
            return TPCM.MTCHFT == 1 ? "12) Apply forces & force couples <<simultaneously>>"
                                    : "12) Apply forces & force couples <<separately>>";
        break;
    case 14:
        if (grid)
            return "14) Override default selection of vertical interpolation grid   " +
                   std::string(YESNO(TPCM.OVRIDE));
        break;
    case 15:
        if (grid && TPCM.OVRIDE == 1)
            return "15) Number of vertical interpolation layers (Max " + I(max_layers, 2) +
                   ", Min " + I(min_layers, 1) + ") ... " + I(TPCM.NLAYER, 2);
        break;
    case 16:
        if (grid && TPCM.OVRIDE == 1)
            return "16) Total span of vertical interpolation region ............... " +
                   F(TPCM.ZSPAN, 6, 2) + std::string(UNITP(7 + TPCM.NUNTS).substr(0, 7));
        break;
    default:
        break;
    }
    return std::nullopt;
}

// The page: cleared (not in a mirror pass), its heading and the lines of the items shown.
void draw_page(std::string_view PAGE) {
    draw_offset_page(
        "  ****  Page " + std::string(PAGE) +
            ": \"Continuous Equilibrium\" Static Offset Specifications  ****",
        16, [](std::int32_t) { return false; }, item_line);
}

// The mirror pass: the force directions, values and point when forces are given, the couple
// axes and values when couples are.
void list_data() {
    if (TPCM.NFCDIR != 0) {
        list_rows(force_directions_heading, TPCM.FRCVEC_words,
                  rows_for_editor(TPCM.NFCDIR, max_directions));
        edit_column("Force values", TPCM.FRCOFF_words, TPCM.NFCOFF);
        list_rows(application_point_heading, TPCM.FAPPNT_words, 1);
    }
    if (TPCM.NTQDIR != 0) {
        list_rows(couple_axes_heading, TPCM.TRQVEC_words,
                  rows_for_editor(TPCM.NTQDIR, max_directions));
        edit_column("Force couple values", TPCM.TRQOFF_words, TPCM.NTQOFF);
    }
}

// A message on a clear screen, then the Return pause.
void show_message(std::span<const std::string_view> lines) {
    CLEAR(TPCM.EDUNIT);
    for (const std::string_view line : lines)
        write_record(TPCM.EDUNIT, line);
    std::int32_t dropped = 0;
    PRSRET(TPCM.EDUNIT, keyboard_unit, dropped);
}

// After a change of a count: simultaneous application of unpaired counts is switched to
// separate application, with the message.
void pairing_check() {
    if (TPCM.MTCHFT != 1 || counts_pair())
        return;
    CLEAR(TPCM.EDUNIT);
    for (const std::string_view line : pairing_message)
        write_record(TPCM.EDUNIT, line);
    TOGGLE(TPCM.MTCHFT);
    std::int32_t dropped = 0;
    PRSRET(TPCM.EDUNIT, keyboard_unit, dropped);
}

// Item 3: the force directions; a CALM hawser pulls in the horizontal plane, so with IARCO 1
// the editor opens again until no direction has a vertical part.
bool edit_force_directions() {
    for (;;) {
        const bool left = coordinate_loop(force_directions_heading, TPCM.FRCVEC_words,
                                          rows_for_editor(TPCM.NFCDIR, max_directions));
        bool horizontal = true;
        if (TPCM.IARCO == 1)
            for (int k = 1; k <= rows_for_editor(TPCM.NFCDIR, max_directions); ++k)
                if (TPCM.FRCVEC(3, k) != 0.0f)
                    horizontal = false;
        if (horizontal)
            return left;
        show_message(horizontal_message);
    }
}

// Runs a shown item. Returns true when a page command typed inside a coordinate editor is to
// leave the page (it is in LBACK).
bool run_item(std::int32_t item) {
    if (!item_line(item))
        return false; // hidden, or no such item: the page is only drawn again
    switch (item) {
    case 1:
        enter_count(TPCM.NFCDIR, max_directions);
        pairing_check();
        break;
    case 2: {
        std::int32_t NFCTMP = TPCM.NFCOFF;
        enter_count(NFCTMP, max_values);
        TPCM.NFCOFF = NFCTMP;
        pairing_check();
        break;
    }
    case 3:
        return edit_force_directions();
    case 4:
        edit_column("Force values", TPCM.FRCOFF_words, TPCM.NFCOFF);
        break;
    case 5:
        return coordinate_loop(application_point_heading, TPCM.FAPPNT_words, 1);
    case 6:
        TOGGLE3(TPCM.FCVES, TPCM.IBATCH, TPCM.EDUNIT, keyboard_unit, "Vessel", "Global");
        break;
    case 7:
        enter_count(TPCM.NTQDIR, max_directions);
        pairing_check();
        break;
    case 8: {
        std::int32_t NTQTMP = TPCM.NTQOFF;
        enter_count(NTQTMP, max_values);
        TPCM.NTQOFF = NTQTMP;
        pairing_check();
        break;
    }
    case 9:
        return coordinate_loop(couple_axes_heading, TPCM.TRQVEC_words,
                               rows_for_editor(TPCM.NTQDIR, max_directions));
    case 10:
        edit_column("Force couple values", TPCM.TRQOFF_words, TPCM.NTQOFF);
        break;
    case 11:
        TOGGLE3(TPCM.TQVES, TPCM.IBATCH, TPCM.EDUNIT, keyboard_unit, "Vessel", "Global");
        break;
    case 12:
        // Simultaneous application is offered only for counts that pair.
        if (TPCM.MTCHFT == 0 && !counts_pair())
            show_message(pairing_message);
        else
            TOGGLE3(TPCM.MTCHFT, TPCM.IBATCH, TPCM.EDUNIT, keyboard_unit, "Simultaneously",
                    "Separately");
        break;
    case 14:
        TOGGLE2(TPCM.OVRIDE, TPCM.IBATCH, TPCM.EDUNIT, keyboard_unit);
        if (TPCM.TENDON_FLG == 1) {
            TPCM.NLAYER = max_layers;
            TPCM.ZSPAN = TPCM.DEPTH / 200.0f;
            TPCM.PULLDN = 0;
        }
        break;
    case 15:
        // An odd number of layers, 3 to 29.
        ENTERI(TPCM.NLAYER, TPCM.EDUNIT, keyboard_unit);
        if (TPCM.NLAYER % 2 == 0)
            TPCM.NLAYER += 1;
        MAXCHK(TPCM.NLAYER, max_layers);
        if (TPCM.NLAYER < min_layers)
            TPCM.NLAYER = min_layers;
        break;
    case 16:
        ENTERF(TPCM.ZSPAN, TPCM.EDUNIT, keyboard_unit);
        break;
    default:
        break;
    }
    return false;
}

} // namespace

// CATOF3: page 7, the "continuous equilibrium" offsets: sequences of applied forces and force
// couples under which vessel and mooring settle into equilibrium, and the override of the
// vertical interpolation grid. On entry a tendon-table file's grid decides OVRIDE. Draws the
// page on EDUNIT and edits TPCM until Return or a page command (also one typed inside a
// coordinate editor), which it leaves in LBACK; in a mirror pass it writes the page and its
// data and returns 0. Whether forces or couples are given decides between pages 8 and 9.
// Reads and writes TPCM; ends the run only at the end of input.
void CATOF3(std::string_view PAGE) {
    if (TPCM.TENDON_FLG == 1)
        TPCM.OVRIDE = tendon_default_grid() ? 0 : 1;
    run_offset_page([&] { draw_page(PAGE); }, list_data,
                    [] { CTHLP3(TPCM.EDUNIT, keyboard_unit, TPCM.IPAG, TPCM.SIMTYP, TPCM.IARCO); },
                    run_item);
}

} // namespace lintar
