// mooring_pages/general_mooring_page.cpp: page 2, general mooring information.
#include "mooring_pages/mooring_pages.h"

#include "blocks/tpcm.h"
#include "mooring_pages/mooring_help.h"
#include "mooring_pages/mooring_model.h"
#include "mooring_pages/page_items.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/column_editor.h"
#include "util/prompts.h"
#include "util/unit_labels.h"

#include <string>

namespace lintar {

namespace {

// Item labels and their dot leaders fill columns 2 to 57; the value starts in column 58.
constexpr std::size_t value_column = 58;

// One item line: a blank, the label, a blank and dot leaders up to the value's column, then
// the value. A label that reaches the value's column takes neither blank nor dots.
std::string item_line(std::string_view label, std::string_view value) {
    std::string line = " " + std::string(label);
    if (line.size() < value_column - 1)
        line += ' ';
    if (line.size() < value_column - 1)
        line.append(value_column - 1 - line.size(), '.');
    return line + std::string(value);
}

// The first n characters of an input-page unit label.
std::string page_unit(std::int32_t code, std::size_t n) {
    return std::string(UNITP(code).substr(0, n));
}

std::string real_value(float value) {
    return F(value, 10, 2);
}

bool static_mooring() {
    return TPCM.SIMTYP == 7;
}

// Item 18 shows "Yes" for a transparent bottom, which MOORTP codes as 0.
std::int32_t flipped(std::int32_t code) {
    return code == 0 ? 1 : code == 1 ? 0 : code;
}

// The item lines as the page shows them (and shows again above a value prompt).
std::string line_of_item(int item) {
    const TpcmBlock& T = TPCM;
    switch (item) {
    case 1:
        return item_line(" 1) Number of mooring legs (Max " + I(T.MAXLIN, 3) + ")", I(T.NLIN, 3));
    case 2:
        return item_line(" 2) Number of distinct mooring leg types (Max " + I(T.MAXTYP, 3) + ")",
                         I(T.NTYP, 3));
    case 3:
        return item_line(" 3) Maximum interpolation table horizontal load",
                         real_value(T.TLOAD) + page_unit(T.NUNTS, 12));
    case 4:
        return item_line(" 4) Smallest nonzero horizontal load",
                         real_value(T.HMIN) + page_unit(T.NUNTS, 12));
    case 5:
        return item_line(" 5) Number of points in interpolation table(s)", I(T.NUMTAB, 3));
    case 6:
        return item_line(" 6) Mean line profile determined by", profile_text(T.LODTYP));
    case 7:
        return "  7) Modify individual values of " + std::string(profile_text(T.LODTYP));
    case 8:
        return item_line(" 8) Default bottom friction coefficient", real_value(T.BTFRC0));
    case 9:
        if (T.SIMTYP == 13)
            return item_line(" 9) Vessel-buoy attachment means", T.IARCO == 0 ? "yoke" : "hawser");
        return item_line(" 9) Treat LAST line type/number as a hawser", YESNO(T.IARCO));
    case 10:
        return item_line("10) Vessel draft", real_value(T.DRAFT) + page_unit(T.NUNTS + 7, 7));
    case 11:
        if (T.IARCO != 0)
            return item_line("11) Buoy draft", real_value(T.BDRAFT) + page_unit(T.NUNTS + 7, 7));
        return item_line("11) Vessel trim angle", real_value(T.TRIMDG) + " deg");
    case 12:
        return item_line("12) Vessel heel angle", real_value(T.HEELDG) + " deg");
    case 16:
        return item_line("16) Reset default Anchor depth",
                         real_value(T.ANCHT0) + page_unit(T.NUNTS + 7, 12));
    case 17:
        return item_line("17) Specify anchor depths individually", YESNO(T.ANCDEF));
    case 18:
        return item_line("18) Default bottom boundary is \"transparent\"",
                         YESNO(flipped(T.MOORTP)));
    case 19:
        return item_line("19) First buoyant element stays at or below waterline:  ",
                         YESNO(T.WLFLAG));
    default:
        return {};
    }
}

// The page: title, the hawser or tendon note, the items shown for this program. In hawser
// mode the hawser is the last line of the last type, so HAWSLN and HAWSTP follow the counts.
void draw(std::string_view PAGE) {
    TpcmBlock& T = TPCM;
    const int unit = T.EDUNIT;
    if (T.LCOPY == 0)
        CLEAR(unit);
    const bool hawser = hawser_mode();
    write_record(unit, "  **** Page " + std::string(PAGE) + ": General Mooring Information" +
                           (hawser ? " <<INCLUDES hawser>> ****" : " ****"));
    write_record(unit, "");
    if (hawser) {
        T.HAWSLN = T.NLIN;
        T.HAWSTP = T.NTYP;
        write_record(unit, " ++> NOTE: Line number " + I_fit(T.NLIN, 2) + " & line type " +
                               line_type_letter(T.NTYP) + " comprise Hawser data");
    } else if (T.SIMTYP == 14) {
        write_record(unit, " ++> NOTE: The first line type (Type \"A\") should contain ONLY "
                           "tendon data");
    }
    for (int item : {1, 2, 3})
        write_record(unit, line_of_item(item));
    if (!static_mooring())
        write_record(unit, line_of_item(4));
    for (int item : {5, 6, 7})
        write_record(unit, line_of_item(item));
    write_record(unit, "");
    write_record(unit, line_of_item(8));
    if (T.SIMTYP == 13 || T.SIMTYP == 8)
        write_record(unit, line_of_item(9));
    if (T.SIMTYP == 8) {
        write_record(unit, line_of_item(10));
        write_record(unit, line_of_item(11));
        if (T.IARCO == 0)
            write_record(unit, line_of_item(12));
    }
    if (!static_mooring()) {
        write_record(unit, "");
        for (int item : {16, 17, 18, 19})
            write_record(unit, line_of_item(item));
    }
}

// A real item: its line again, then "Enter new value: " (a blank answer keeps the value).
void enter_real(int item, float& value) {
    write_record(TPCM.EDUNIT, line_of_item(item));
    ENTERF(value, TPCM.EDUNIT, keyboard_unit);
}

// Item 6: the mean-profile rule from its sub-menu. A blank answer keeps it; "?" shows the
// sub-menu's help; anything else that is no choice shows the sub-menu again.
void choose_profile() {
    TpcmBlock& T = TPCM;
    const int choices = static_mooring() ? 3 : 4;
    for (;;) {
        CLEAR(T.EDUNIT);
        write_record(T.EDUNIT, " ----  Mean Line Profile determined by:  ----");
        LINES(T.EDUNIT, 3);
        write_record(T.EDUNIT, " 1) Fairlead line angle");
        write_record(T.EDUNIT, " 2) Fairlead-anchor horizontal distance");
        write_record(T.EDUNIT, " 3) Fairlead line tension");
        if (choices == 4)
            write_record(T.EDUNIT, " 4) Fairlead horizontal force");
        std::int32_t answer = 0;
        ENTSEL(answer, T.EDUNIT, keyboard_unit, T.IPAG);
        if (answer == code_help) {
            MRHP1A(T.EDUNIT, keyboard_unit, T.IPAG);
            continue;
        }
        if (answer == 0)
            return;
        if (answer >= 1 && answer <= choices) {
            T.LODTYP = answer - 1;
            return;
        }
    }
}

// Item 7 (and the mirror pass's listing): the profile values of lines 1 to NLIN.
void edit_profile_values() {
    TpcmBlock& T = TPCM;
    std::string header(profile_text(T.LODTYP));
    header.resize(20, ' ');
    AUTORP(header, T.HTENS_words, held(T.NLIN, lincom_lines), held(T.MAXLIN, lincom_lines),
           T.EDUNIT, keyboard_unit, T.LCOPY);
}

// Sets the anchor depth of every line-type slot to the default.
void default_anchor_depths() {
    for (int i = 1; i <= held(TPCM.MAXLIN, lincom_types); ++i)
        TPCM.ANCHGT(i) = TPCM.ANCHT0;
}

// Item 16: a new default anchor depth for all line types; a blank answer changes nothing.
void reset_anchor_depth() {
    const int unit = TPCM.EDUNIT;
    write_record(unit, "");
    write_record(unit, " Current default anchor depth = " + real_value(TPCM.ANCHT0));
    write_record(unit, "");
    WRTLIN("Enter new value (<RETURN> to abort replacement): ", unit);
    float depth = 0.0f;
    bool CR = false;
    CRREAD(depth, CR, keyboard_unit);
    if (CR)
        return;
    TPCM.ANCHT0 = depth;
    default_anchor_depths();
}

// Item 17: per-type anchor depths on; switching them off (back to the default) overwrites
// every per-type depth, so it warns first and can be aborted.
void switch_anchor_depths() {
    TpcmBlock& T = TPCM;
    if (T.ANCDEF != 1) {
        TOGGLE2(T.ANCDEF, T.IBATCH, T.EDUNIT, keyboard_unit);
        return;
    }
    CLEAR(T.EDUNIT);
    write_record(T.EDUNIT, " ++> Warning: This action, unless aborted below, will replace all");
    write_record(T.EDUNIT,
                 "              existing anchor depths with the specified default value.");
    std::int32_t answer = 0;
    ABORT0(T.EDUNIT, keyboard_unit, answer);
    if (answer == -1)
        return;
    T.ANCDEF = 0;
    default_anchor_depths();
}

// Item 18: the page asks about a transparent bottom (MOORTP 0), so the toggle works on the
// flipped code; the new default goes to every line-type slot.
void switch_bottom_boundary() {
    TpcmBlock& T = TPCM;
    T.MOORTP = flipped(T.MOORTP);
    TOGGLE2(T.MOORTP, T.IBATCH, T.EDUNIT, keyboard_unit);
    T.MOORTP = flipped(T.MOORTP);
    for (int i = 1; i <= held(T.MAXLIN, lincom_types); ++i)
        T.ANCTYP(i) = T.MOORTP;
}

// One selected item. Items the program does not offer, and 13 to 15, change nothing.
void act_on(std::int32_t item) {
    TpcmBlock& T = TPCM;
    const bool code7 = static_mooring();
    const int unit = T.EDUNIT;
    switch (item) {
    case 1:
        write_record(unit, line_of_item(1));
        enter_count(T.NLIN, T.MAXLIN, unit);
        T.HAWSLN = T.NLIN;
        return;
    case 2:
        write_record(unit, line_of_item(2));
        enter_count(T.NTYP, T.MAXTYP, unit);
        T.HAWSTP = T.NTYP;
        return;
    case 3:
        enter_real(3, T.TLOAD);
        return;
    case 4:
        if (!code7)
            enter_real(4, T.HMIN);
        return;
    case 5:
        write_record(unit, " Interpolation table size (Max " + I(interpolation_points, 2) +
                               "): " + I(T.NUMTAB, 3));
        enter_count(T.NUMTAB, interpolation_points, unit);
        return;
    case 6:
        choose_profile();
        return;
    case 7:
        edit_profile_values();
        return;
    case 8:
        enter_real(8, T.BTFRC0);
        return;
    default:
        break;
    }
    if (code7)
        return;
    switch (item) {
    case 9:
        if (T.SIMTYP == 13 || T.SIMTYP == 8) {
            TOGGLE3(T.IARCO, T.IBATCH, unit, keyboard_unit, "Hawser", "Yoke");
            T.BIARCO = T.IARCO;
        }
        return;
    case 10:
        if (T.SIMTYP == 8)
            enter_real(10, T.DRAFT);
        return;
    case 11:
        if (T.SIMTYP == 8)
            enter_real(11, T.IARCO != 0 ? T.BDRAFT : T.TRIMDG);
        return;
    case 12:
        if (T.SIMTYP == 8 && T.IARCO == 0)
            enter_real(12, T.HEELDG);
        return;
    case 16:
        reset_anchor_depth();
        return;
    case 17:
        switch_anchor_depths();
        return;
    case 18:
        switch_bottom_boundary();
        return;
    case 19:
        TOGGLE2(T.WLFLAG, T.IBATCH, unit, keyboard_unit);
        return;
    default:
        return;
    }
}

} // namespace

// MOORLN: page 2, general mooring information: the counts of lines and line types, the
// interpolation tables, the mean-profile rule and its per-line values, bottom friction, the
// hawser arrangement, draft, trim and heel, and the anchor and bottom defaults. Draws on
// EDUNIT; in a mirror pass also lists the profile values and returns with LBACK 0; otherwise
// reads selections into LBACK until 0 or a page command. Reads and writes TPCM; ends the run
// only at the end of input.
void MOORLN(std::string_view PAGE) {
    TpcmBlock& T = TPCM;
    for (;;) {
        draw(PAGE);
        if (T.LCOPY != 0) {
            TWOPG(T.LCOPY, T.EDUNIT);
            T.LBACK = 0;
            edit_profile_values();
            return;
        }
        ENTSEL(T.LBACK, T.EDUNIT, keyboard_unit, T.IPAG);
        if (T.LBACK == code_help) {
            MORHP1(T.EDUNIT, keyboard_unit, T.IPAG, T.SIMTYP);
            continue;
        }
        if (T.LBACK <= 0)
            return;
        act_on(T.LBACK);
    }
}

} // namespace lintar
