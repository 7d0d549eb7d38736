// editor/pre_offset_page.cpp: page 9, pre-offset conditions.
#include "editor/offset_page_support.h"
#include "editor/pages.h"

#include "blocks/tpcm.h"
#include "editor/offset_help.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/prompts.h"
#include "util/unit_labels.h"

#include <optional>
#include <string>

namespace lintar {

namespace {

// A value item: one blank, the label, the value in F11.2 and its unit.
std::string value_line(std::string_view label, float value, std::string_view unit) {
    return " " + std::string(label) + F(value, 11, 2) + std::string(unit);
}

// The unit labels of the page: force (kips, metric tons), length, moment.
std::string_view force_unit() {
    return UNITP(TPCM.NUNTS);
}

std::string_view length_unit() {
    return UNITP(7 + TPCM.NUNTS);
}

std::string_view moment_unit() {
    return TPCM.NUNTS == 1 ? " ton-meters" : " k. ft-lbs ";
}

// The line of an item, or nothing when the item is not on the page: items 2 to 7 belong to
// the prescribed force, items 11 to 14 to the initial offset.
std::optional<std::string> item_line(std::int32_t item) {
    const bool force = TPCM.AUXFRC != 0;
    const bool offset = TPCM.AUXDSP != 0;
    switch (item) {
    case 1:
        return " 1) Compute initial offset from a prescribed force/moment: " +
               std::string(YESNO(TPCM.AUXFRC));
    case 2:
        if (force)
            return value_line(" 2) X force component ........................", TPCM.XVFRC,
                              force_unit());
        break;
    case 3:
        if (force)
            return value_line(" 3) Y force component ........................", TPCM.YVFRC,
                              force_unit());
        break;
    case 4:
        if (force)
            return value_line(" 4) Applied moment (force couple) value ......", TPCM.VESMOM,
                              moment_unit());
        break;
    case 5:
        if (force)
            return " 5) Auxiliary force components defined in " +
                   std::string(TPCM.CRDSYS == 1 ? "<<vessel>>" : "<<global>>") +
                   " coordinate system";
        break;
    case 6:
        if (force)
            return value_line(" 6) Applied force X-coordinate (from c.g.) ...", TPCM.XVLOC,
                              length_unit());
        break;
    case 7:
        if (force)
            return value_line(" 7) Applied force Y-coordinate (from c.g.) ...", TPCM.YVLOC,
                              length_unit());
        break;
    case 10:
        return "10) Apply initial (non-equilibrium) vessel offset: " +
               std::string(YESNO(TPCM.AUXDSP));
    case 11:
        if (offset)
            return value_line("11) Initial X offset .........................", TPCM.XINIT,
                              length_unit());
        break;
    case 12:
        if (offset)
            return value_line("12) Initial Y offset .........................", TPCM.YINIT,
                              length_unit());
        break;
    case 13:
        if (offset)
            return value_line("13) Initial Z offset .........................", TPCM.ZINIT,
                              length_unit());
        break;
    case 14:
        if (offset)
            return value_line("14) Initial yaw offset .......................", TPCM.YWINIT,
                              " degrees");
        break;
    default:
        break;
    }
    return std::nullopt;
}

// The page: cleared (not in a mirror pass), its heading, the items shown and the notes
// on the systems of their values.
void draw_page(std::string_view PAGE) {
    if (TPCM.LCOPY == 0)
        CLEAR(TPCM.EDUNIT);
    write_record(TPCM.EDUNIT, starting_at(12, " ****  Page " + std::string(PAGE) +
                                                  ": Pre-Offset Conditions  ****"));
    for (std::int32_t item = 1; item <= 14; ++item) {
        if (item == 6 && TPCM.AUXFRC != 0)
            write_record(TPCM.EDUNIT,
                         "   ++> Coordinates of Applied Force are in <<vessel>> system");
        if (item == 11 && TPCM.AUXDSP != 0)
            write_record(TPCM.EDUNIT,
                         "   ++> Initial offset values are relative to the <<global>> system");
        if (const auto line = item_line(item))
            write_record(TPCM.EDUNIT, *line);
    }
}

// A real of the page: its line again, then the new value.
void enter_value(std::int32_t item, float& value) {
    write_record(TPCM.EDUNIT, *item_line(item));
    ENTERF(value, TPCM.EDUNIT, keyboard_unit);
}

// Runs a shown item: a switch, or a value with its line written again.
void run_item(std::int32_t item) {
    if (!item_line(item))
        return; // hidden, or no such item: the page is only drawn again
    switch (item) {
    case 1:
        TOGGLE2(TPCM.AUXFRC, TPCM.IBATCH, TPCM.EDUNIT, keyboard_unit);
        break;
    case 2:
        enter_value(item, TPCM.XVFRC);
        break;
    case 3:
        enter_value(item, TPCM.YVFRC);
        break;
    case 4:
        enter_value(item, TPCM.VESMOM);
        break;
    case 5:
        TOGGLE2(TPCM.CRDSYS, TPCM.IBATCH, TPCM.EDUNIT, keyboard_unit);
        break;
    case 6:
        enter_value(item, TPCM.XVLOC);
        break;
    case 7:
        enter_value(item, TPCM.YVLOC);
        break;
    case 10:
        TOGGLE2(TPCM.AUXDSP, TPCM.IBATCH, TPCM.EDUNIT, keyboard_unit);
        break;
    case 11:
        enter_value(item, TPCM.XINIT);
        break;
    case 12:
        enter_value(item, TPCM.YINIT);
        break;
    case 13:
        enter_value(item, TPCM.ZINIT);
        break;
    case 14:
        enter_value(item, TPCM.YWINIT);
        break;
    default:
        break;
    }
}

} // namespace

// CATOF4: page 9, the condition all offset sequences start from: an equilibrium under a
// constant plan-view force and moment, or an initial offset given directly. Draws the page on
// EDUNIT and edits TPCM until Return or a page command, which it leaves in LBACK; in a mirror
// pass it writes the page and returns 0. No value is limited and nothing is checked when the
// page is left. Reads and writes TPCM; ends the run only at the end of input.
void CATOF4(std::string_view PAGE) {
    // The page's data stand on its own screen: the mirror pass writes nothing more.
    run_offset_page([&] { draw_page(PAGE); }, [] {},
                    [] { CTHLP2(TPCM.EDUNIT, keyboard_unit, TPCM.IPAG); },
                    [](std::int32_t item) {
                        run_item(item);
                        return false;
                    });
}

} // namespace lintar
