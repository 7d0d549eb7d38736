// mooring_pages/subline_page.cpp: page 4, subline specifics: one screen per line type and
// subline, its items, its commands and its help notes.
#include "mooring_pages/subline_page.h"

#include "mooring_pages/mooring_model.h"

#include "blocks/tpcm.h"
#include "datafile/page_text.h"
#include "mooring_pages/help_notes.h"
#include "mooring_pages/material_estimator.h"
#include "mooring_pages/mooring_pages.h"
#include "mooring_pages/subline_editing.h"
#include "runtime/edit_descriptors.h"
#include "runtime/input_fields.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/column_editor.h"
#include "util/flags.h"
#include "util/prompts.h"
#include "util/range_checks.h"
#include "util/unit_labels.h"
#include "util/word_arrays.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>

namespace lintar {

// ---------------------------------------------------------------------------------------------
// Type letters, counts and the type answer.

std::int32_t type_of_letter(char letter) {
    const int code = static_cast<unsigned char>(letter);
    const int CHSUP = 'A' + type_capacity() - 1; // the letter of type MAXTYP
    if (code < 'A' || code > CHSUP)
        return 0;
    return code - 'A' + 1;
}

std::int32_t type_capacity() {
    return std::clamp<std::int32_t>(TPCM.MAXTYP, 0, 150);
}
std::int32_t subline_capacity() {
    return std::clamp<std::int32_t>(TPCM.MAXELM, 0, 25);
}
std::int32_t types_in_use() {
    return std::clamp<std::int32_t>(TPCM.NTYP, 0, 150);
}
std::int32_t sublines_of(std::int32_t type) {
    return std::clamp<std::int32_t>(TPCM.NELEM(type), 0, 25);
}
std::int32_t lines_of(std::int32_t type) {
    return std::clamp<std::int32_t>(TPCM.NLINE(type), 0, 150);
}

float spring_buoy(std::int32_t type) {
    return type <= buoy_clump_types ? TPCM.SPRGBY(type) : 0.0f;
}
float clump_weight(std::int32_t type) {
    return type <= buoy_clump_types ? TPCM.CLUMP(type) : 0.0f;
}
void set_spring_buoy(std::int32_t type, float value) {
    if (type <= buoy_clump_types)
        TPCM.SPRGBY(type) = value;
}
void set_clump_weight(std::int32_t type, float value) {
    if (type <= buoy_clump_types)
        TPCM.CLUMP(type) = value;
}

void READ_TYPE(bool& CR, char& AVAL, std::int32_t& NUMVAL, int KBD) {
    (void)KBD; // the keyboard is unit 5 in this program
    std::string answer = read_answer(3);
    answer.erase(0, answer.find_first_not_of(' '));
    answer.resize(3, ' ');
    CR = false;
    NUMVAL = 0;
    AVAL = ' ';
    if (answer == "   ") {
        CR = true;
        return;
    }
    if (answer[0] < '0' || answer[0] > '9') {
        AVAL = answer[0];
        return;
    }
    const auto number = read_integer_field(answer);
    if (!number) {
        CR = true;
        return;
    }
    if (*number >= 1 && *number <= 998)
        NUMVAL = *number;
}

void ENTER_TYPE(char& ANSWER, int IOSCRN, int KBD) {
    WRTLIN("Enter new type: ", IOSCRN);
    READC(ANSWER, KBD);
}

// ---------------------------------------------------------------------------------------------
// Help notes.

namespace {

constexpr std::string_view notes_title = "****  Line Definition Notes  ****";

// clang-format off
constexpr std::string_view note_composition[] = {
    "     The composition is a name of up to 8 characters that labels the",
    "     subline in the reports. It is for output documentation only.",
};
constexpr std::string_view note_diameter[] = {
    "     The nominal outside diameter of the subline; for chain, the diameter",
    "     of the bar stock. It sets the drag of the subline and is the basis",
    "     of the estimates of weight, elasticity and strength (item 21).",
};
constexpr std::string_view note_immersed_weight[] = {
    "     The weight per unit length of the subline in water. It governs the",
    "     catenary behaviour of the line.",
};
constexpr std::string_view note_dry_weight[] = {
    "     The weight per unit length of the subline in air. A value of zero or",
    "     less lets the analysis estimate it as the immersed weight plus the",
    "     weight of the water displaced by the nominal diameter.",
};
constexpr std::string_view note_strength[] = {
    "     The breaking strength serves only to check the range of loads of",
    "     the interpolation tables.",
};
constexpr std::string_view note_added_mass[] = {
    "     The added-mass coefficient multiplies the net displacement per unit",
    "     length, which is proportional to the dry weight less the submerged",
    "     weight. It is rarely far from 1.0.",
};
constexpr std::string_view note_drag[] = {
    "     The transverse drag coefficient refers to the nominal diameter: near",
    "     1.0 for cables, 2.5 to 3.0 for chain.",
};
constexpr std::string_view note_database[] = {
    "     \"Yes\" takes the elastic properties of this subline from the strain",
    "     database file LINE_STRAIN_DB.txt in place of the compliance",
    "     coefficients. The file holds one block for every (type, subline)",
    "     whose toggle is \"Yes\", in the order of the editor, with no blank",
    "     lines between the blocks and at least one blank line at its end.",
    "     A block starts with the number of pairs, the type and the subline,",
    "     followed by the (tension, elongation) pairs, separated by tabs or",
    "     commas. The first pair is (0, 0); the tensions should run to about",
    "     1.5 times the maximum table load; a block holds at most the number",
    "     of pairs shown on the page.",
};
constexpr std::string_view note_compliance[] = {
    "     The elongation of the subline follows the compliance law",
    "          strain = A1 t + A2 t^2 + A3 t^3",
    "     with t the tension in kips or metric tons. For a linear material",
    "     A1 = 1/(AE) and A2 = A3 = 0.",
};
constexpr std::string_view note_transparent[] = {
    "     \"Yes\" makes the bottom transparent at the anchor of this line type:",
    "     the line may hang below the anchor as if there were no bottom, as",
    "     for a line fixed to a tower or a dock.",
};
constexpr std::string_view note_anchor_depth[] = {
    "     The depth of the anchors of this line type, positive below the",
    "     waterline.",
};
// clang-format on

// The note of an item, or nothing; left_out is set for the items whose notes program code 7
// (CREATR) leaves out, with the items themselves.
HelpNote line_note(std::int32_t item, bool& left_out, std::int32_t CREATR) {
    left_out = false;
    const bool static_mooring = CREATR == 7;
    switch (item) {
    case 3:
        return note_composition;
    case 5:
        return note_diameter;
    case 6:
        return note_immersed_weight;
    case 8:
        return note_strength;
    case 12:
    case 13:
    case 14:
        return note_compliance;
    case 17:
        return note_anchor_depth;
    case 7:
    case 9:
    case 10:
    case 11:
    case 16:
        left_out = static_mooring;
        if (static_mooring)
            return {};
        if (item == 7)
            return note_dry_weight;
        if (item == 9)
            return note_added_mass;
        if (item == 10)
            return note_drag;
        if (item == 11)
            return note_database;
        return note_transparent;
    default:
        return {};
    }
}

} // namespace

void LINHLP(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR) {
    bool left_out = false;
    if (LINE != 0) {
        const HelpNote note = line_note(LINE, left_out, CREATR);
        if (left_out)
            help_title_only(IOSCRN, KBD, notes_title);
        else
            help_screen(IOSCRN, KBD, notes_title, LINE, note);
        return;
    }
    // All notes, one screen each; the compliance law once for items 12 to 14.
    for (const std::int32_t item : {3, 5, 6, 7, 8, 9, 10, 11, 12, 16, 17}) {
        const HelpNote note = line_note(item, left_out, CREATR);
        if (left_out)
            continue;
        if (item == 12)
            help_screen(IOSCRN, KBD, notes_title, " ++> Item Numbers 12 -> 14", note);
        else
            help_screen(IOSCRN, KBD, notes_title, item, note);
    }
}

// ---------------------------------------------------------------------------------------------
// The page.

namespace {

// The column where an item's value starts: its label and dot leaders fill columns 2 to 52.
constexpr std::int32_t label_end = 51; // EDLNOT's prefix ends one column after it

// The largest number of (tension, elongation) pairs the strain database holds per subline.
constexpr std::int32_t strain_pairs = 30;

// The current screen of the walk.
struct Screen {
    std::string_view PAGE;
    std::int32_t ITYP = 1;
    std::int32_t IELEM = 1;

    std::int32_t last() const { return sublines_of(ITYP); }
    bool first_subline() const { return IELEM == 1; }
    bool last_subline() const { return IELEM == last(); }
};

// The static-mooring program (code 7) shows fewer items and the buoy and clump.
bool static_mooring() {
    return TPCM.SIMTYP == 7;
}

// The current type is the hawser (to the storage vessel) or the towline (HAWSFG).
bool hawser_type(std::int32_t ITYP) {
    return ((TPCM.SIMTYP == 13 || TPCM.SIMTYP == 8) && ITYP == TPCM.HAWSTP && TPCM.IARCO == 1) ||
           TPCM.SIMTYP == 10;
}

// The subline takes its elastic properties from the strain database (its bit is set).
bool database_subline(const Screen& s) {
    return BITVAL(TPCM.STRESS_STRAIN_FILE(s.ITYP), s.IELEM) == 1;
}

// Which of the conditional items the screen shows.
bool shows_buoy(const Screen& s) { // item 15, spring buoy
    return static_mooring() && s.last() > 1 && s.first_subline() && s.ITYP <= buoy_clump_types;
}
bool shows_clump(const Screen& s) { // item 15, clump weight
    return static_mooring() && s.last() > 1 && s.last_subline() && s.ITYP <= buoy_clump_types;
}
bool shows_bottom(const Screen& s) { // item 16
    return !hawser_type(s.ITYP) && !static_mooring() && s.last_subline();
}
bool shows_anchor_depth(const Screen& s) { // item 17
    return !hawser_type(s.ITYP) && TPCM.ANCDEF == 1 && s.last_subline();
}
bool shows_line_numbers(const Screen& s) { // item 20
    return TPCM.SIMTYP != 10 && types_in_use() > 0 && s.first_subline();
}

// A count or an index as the item lines show it: its digits, no padding.
std::string number(std::int32_t n) {
    return std::to_string(n);
}

// An item's label with its dot leaders, to column 52.
std::string label(std::int32_t item, std::string_view text) {
    return EDLNOT(item, text, label_end).substr(0, static_cast<std::size_t>(label_end) + 1);
}

// A real value, 10 wide with 2 decimals, and the page unit label of its base code.
std::string real_value(float value, std::int32_t base) {
    return F(value, 10, 2) + std::string(UNITP(TPCM.NUNTS + base));
}

// The item lines, each drawn on the screen and shown again before its value is asked for.
void type_line(const Screen& s) {
    std::string line;
    const std::string letter(1, line_type_letter(s.ITYP));
    if (hawser_type(s.ITYP))
        line = std::string("  1) ") + (TPCM.SIMTYP == 10 ? "Towline" : "Hawser") +
               " comprising line type " + letter + " (type " + number(s.ITYP) + ")";
    else
        line = "  1) Mooring leg type " + letter + " (type " + number(s.ITYP) + " of " +
               number(types_in_use()) + ")";
    write_record(TPCM.EDUNIT, line);
}
void subline_line(const Screen& s) {
    write_record(TPCM.EDUNIT,
                 "  2) Subline number: " + number(s.IELEM) + " of " + number(s.last()));
}
void composition_line(const Screen& s) {
    write_record(TPCM.EDUNIT, label(3, "Subline composition") + X(5) +
                                  std::string(TPCM.SCOMP(s.IELEM, s.ITYP).data(), 8));
}
void real_line(std::int32_t item, std::string_view text, float value, std::int32_t base) {
    write_record(TPCM.EDUNIT, label(item, text) + real_value(value, base));
}
void plain_line(std::int32_t item, std::string_view text, float value) {
    write_record(TPCM.EDUNIT, label(item, text) + F(value, 10, 2));
}
void length_line(const Screen& s) {
    real_line(4, "Subline length", TPCM.SLEN(s.IELEM, s.ITYP), 7);
}
void diameter_line(const Screen& s) {
    real_line(5, "Subline outside diameter", TPCM.DIAM(s.IELEM, s.ITYP), 3);
}
// Items 6 and 7 show weights times 1000 (lbs/foot, kgw/meter).
void immersed_weight_line(float shown) {
    real_line(6, "Immersed weight/unit length", shown, 5);
}
void dry_weight_line(float shown) {
    real_line(7, "Dry weight/unit length", shown, 5);
}
void strength_line(const Screen& s) {
    real_line(8, "Breaking strength", TPCM.TBRK(s.IELEM, s.ITYP), 0);
}
void added_mass_line(const Screen& s) {
    plain_line(9, "Added mass coefficient", TPCM.COFMST(s.IELEM, s.ITYP));
}
void drag_line(const Screen& s) {
    plain_line(10, "Transverse drag coefficient", TPCM.COFDMT(s.IELEM, s.ITYP));
}
void database_line(const Screen& s) {
    write_record(TPCM.EDUNIT, label(11, "Take elastic properties from an input file? ..") +
                                  std::string(YESNO(database_subline(s) ? 1 : 0)));
}
void compliance_line(const Screen& s, std::int32_t k) {
    const std::string force(UNITP(TPCM.NUNTS + 19).substr(0, 5));
    write_record(
        TPCM.EDUNIT,
        label(11 + k, "Compliance coefficient #" + number(k) + "  (alpha" + number(k) + ")") +
            E(TPCM.ALPHA(k, s.IELEM, s.ITYP), 10, 3) + " (" + force + ")**-" + number(k));
}
void buoy_line(const Screen& s) {
    real_line(15, "Buoyancy of spring buoy", spring_buoy(s.ITYP), 0);
}
void clump_line(const Screen& s) {
    real_line(15, "Clump weight", clump_weight(s.ITYP), 0);
}
void bottom_line(const Screen& s) {
    write_record(TPCM.EDUNIT, label(16, "Bottom is transparent to mooring line") +
                                  std::string(YESNO(1 - TPCM.ANCTYP(s.ITYP))));
}
void anchor_depth_line(float depth) {
    real_line(17, "Anchor depth for this leg type", depth, 7);
}

// Item 20: the type's line numbers, 16 to a row as "nnn,", later rows under the first number.
void line_numbers_lines(const Screen& s) {
    const std::string head =
        " 20) Type " + std::string(1, line_type_letter(s.ITYP)) + " line numbers: ";
    const std::int32_t count = lines_of(s.ITYP);
    constexpr std::int32_t per_row = 16;
    constexpr std::int32_t max_rows = 11;
    std::string row = head;
    std::int32_t in_row = 0;
    std::int32_t rows = 1;
    for (std::int32_t k = 1; k <= count; ++k) {
        if (in_row == per_row) {
            write_record(TPCM.EDUNIT, row);
            if (++rows > max_rows)
                return;
            row = std::string(head.size(), ' ');
            in_row = 0;
        }
        row += I(TPCM.LINTYP(k, s.ITYP), 3) + ",";
        ++in_row;
    }
    write_record(TPCM.EDUNIT, row);
}

// The whole screen of one (type, subline).
void draw(const Screen& s) {
    const int EDUNIT = TPCM.EDUNIT;
    if (TPCM.LCOPY == 0)
        CLEAR(EDUNIT);
    write_record(EDUNIT,
                 starting_at(17, " ****** Page " + std::string(s.PAGE) + line_type_letter(s.ITYP) +
                                     ":  Subline Specifics *****"));
    write_record(EDUNIT, starting_at(10, " (\"C\", \"D\", \"I\", \"X\" to Copy, Delete, Insert, "
                                         "Exchange)"));
    write_record(EDUNIT, "");
    if (TPCM.SIMTYP == 14 && s.ITYP == 1)
        write_record(EDUNIT, " ---> Elements of this type reserved for TENDON data only");
    const bool hawser = hawser_type(s.ITYP);
    const bool tow = TPCM.SIMTYP == 10;
    if (s.first_subline())
        write_record(EDUNIT, std::string(" ---> Subline attached to ") +
                                 (hawser ? (tow ? "tug" : "buoy") : "fairlead"));
    if (s.last_subline())
        write_record(EDUNIT, std::string(" ---> Subline attached to ") +
                                 (hawser ? (tow ? "barge" : "tanker") : "anchor"));
    write_record(EDUNIT, "");
    type_line(s);
    subline_line(s);
    write_record(EDUNIT, "");
    composition_line(s);
    length_line(s);
    diameter_line(s);
    immersed_weight_line(1000.0f * TPCM.WETWT(s.IELEM, s.ITYP));
    if (!static_mooring())
        dry_weight_line(1000.0f * TPCM.DRYWT(s.IELEM, s.ITYP));
    strength_line(s);
    if (!static_mooring()) {
        added_mass_line(s);
        drag_line(s);
        write_record(EDUNIT, "");
        database_line(s);
    }
    if (database_subline(s)) {
        write_record(EDUNIT, "");
        write_record(EDUNIT, "     [You must provide a maximum of" + I(strain_pairs, 3) +
                                 " (tension, elongation) values for");
        write_record(EDUNIT, "     (type, subline) = (" + number(s.ITYP) + "," + number(s.IELEM) +
                                 ") in the LINE_STRAIN_DB.txt database file.]");
    } else {
        for (std::int32_t k = 1; k <= 3; ++k)
            compliance_line(s, k);
    }
    if (shows_buoy(s)) {
        write_record(EDUNIT, "");
        buoy_line(s);
    } else if (shows_clump(s)) {
        write_record(EDUNIT, "");
        clump_line(s);
    }
    if (shows_bottom(s)) {
        write_record(EDUNIT, "");
        bottom_line(s);
    }
    if (shows_anchor_depth(s))
        anchor_depth_line(TPCM.ANCHGT(s.ITYP));
    if (shows_line_numbers(s)) {
        write_record(EDUNIT, "");
        line_numbers_lines(s);
    }
    write_record(EDUNIT, "");
    write_record(EDUNIT, " 21) >> HELP << for subline physical property estimates");
}

// A real value asked for after its line; a blank or unreadable answer keeps it.
void ask_real(float& value) {
    ENTERF(value, TPCM.EDUNIT, keyboard_unit);
}

// A weight shown and entered times 1000, stored times 0.001. A blank or unreadable answer
// keeps the stored value as it was, without a round trip through the display scale.
void ask_weight(float& stored, void (*show)(float)) {
    float TMPVAR = 1000.0f * stored;
    show(TMPVAR);
    WRTLIN("Enter new value: ", TPCM.EDUNIT);
    bool CR = false;
    CRREAD(TMPVAR, CR, keyboard_unit);
    if (!CR)
        stored = 0.001f * TMPVAR;
}

// Item 1: another type, by its letter (case sensitive) or its number. A letter beyond the
// types in use chooses the last one; a blank answer or a number outside the types changes
// nothing; a character that is no type's letter asks again.
void choose_type(Screen& s) {
    const std::int32_t NTYP = types_in_use();
    if (NTYP == 1)
        return;
    write_record(TPCM.EDUNIT, "  1) Line type " + std::string(1, line_type_letter(s.ITYP)) +
                                  " (type " + number(s.ITYP) + " of " + number(NTYP) + ")");
    for (;;) {
        WRTLIN("    Enter new type (case sensitive letter *or* number): ", TPCM.EDUNIT);
        bool CR = false;
        char AVAL = ' ';
        std::int32_t NUMVAL = 0;
        READ_TYPE(CR, AVAL, NUMVAL, keyboard_unit);
        if (CR)
            return;
        std::int32_t chosen = 0;
        if (AVAL != ' ') {
            chosen = type_of_letter(AVAL);
            if (chosen == 0)
                continue;
        } else if (NUMVAL >= 1 && NUMVAL <= NTYP) {
            chosen = NUMVAL;
        } else {
            return;
        }
        MAXCHK(chosen, NTYP);
        s.ITYP = chosen;
        s.IELEM = 1;
        return;
    }
}

// Item 2: another subline of the type; numbers outside are held to 1 .. NELEM.
void choose_subline(Screen& s) {
    subline_line(s);
    ENTERI(s.IELEM, TPCM.EDUNIT, keyboard_unit);
    MAXCHK(s.IELEM, s.last());
    if (s.IELEM == 0)
        s.IELEM = 1;
}

// Item 3: the composition; a blank answer keeps the old name.
void enter_composition(const Screen& s) {
    composition_line(s);
    std::array<char, 8> TMPSTR{};
    TMPSTR.fill(' ');
    ENTERA(TMPSTR, TPCM.EDUNIT, keyboard_unit);
    if (std::any_of(TMPSTR.begin(), TMPSTR.end(), [](char c) { return c != ' '; }))
        std::copy(TMPSTR.begin(), TMPSTR.end(), TPCM.SCOMP(s.IELEM, s.ITYP).begin());
}

// Item 20: the type's line numbers in the column editor, as reals, truncated back.
void edit_line_numbers(const Screen& s) {
    const std::int32_t count = lines_of(s.ITYP);
    std::array<float, 150> RNLINE{};
    FILLUP(&TPCM.LINTYP(1, s.ITYP), RNLINE.data(), 1, count);
    AUTORP("Type " + std::string(1, line_type_letter(s.ITYP)) + " line numbers",
           std::span<float>(RNLINE.data(), static_cast<std::size_t>(count)), count, count,
           TPCM.EDUNIT, keyboard_unit, TPCM.LCOPY);
    FILLUP(&TPCM.LINTYP(1, s.ITYP), RNLINE.data(), 0, count);
}

// The action of item `item` on the current screen. Items the screen does not show do nothing
// (the page is drawn again).
void item_action(Screen& s, std::int32_t item) {
    const std::int32_t IELEM = s.IELEM;
    const std::int32_t ITYP = s.ITYP;
    const bool full = !static_mooring();
    switch (item) {
    case 1:
        choose_type(s);
        return;
    case 2:
        choose_subline(s);
        return;
    case 3:
        enter_composition(s);
        return;
    case 4:
        length_line(s);
        ask_real(TPCM.SLEN(IELEM, ITYP));
        return;
    case 5:
        diameter_line(s);
        ask_real(TPCM.DIAM(IELEM, ITYP));
        return;
    case 6:
        ask_weight(TPCM.WETWT(IELEM, ITYP), immersed_weight_line);
        return;
    case 7:
        if (full)
            ask_weight(TPCM.DRYWT(IELEM, ITYP), dry_weight_line);
        return;
    case 8:
        strength_line(s);
        ask_real(TPCM.TBRK(IELEM, ITYP));
        return;
    case 9:
        if (full) {
            added_mass_line(s);
            ask_real(TPCM.COFMST(IELEM, ITYP));
        }
        return;
    case 10:
        if (full) {
            drag_line(s);
            ask_real(TPCM.COFDMT(IELEM, ITYP));
        }
        return;
    case 11:
        if (full) {
            std::int32_t bit = BITVAL(TPCM.STRESS_STRAIN_FILE(ITYP), IELEM);
            TOGGLE2(bit, TPCM.IBATCH, TPCM.EDUNIT, keyboard_unit);
            BITSET(TPCM.STRESS_STRAIN_FILE(ITYP), IELEM, bit, TPCM.EDUNIT);
        }
        return;
    case 12:
    case 13:
    case 14:
        if (!database_subline(s)) {
            compliance_line(s, item - 11);
            ask_real(TPCM.ALPHA(item - 11, IELEM, ITYP));
        }
        return;
    case 15:
        if (shows_buoy(s)) {
            buoy_line(s);
            float value = spring_buoy(ITYP);
            ask_real(value);
            set_spring_buoy(ITYP, value);
        } else if (shows_clump(s)) {
            clump_line(s);
            float value = clump_weight(ITYP);
            ask_real(value);
            set_clump_weight(ITYP, value);
        }
        return;
    case 16:
        // The item asks whether the bottom is transparent, which ANCTYP holds as 0.
        if (shows_bottom(s)) {
            TPCM.ANCTYP(ITYP) = 1 - TPCM.ANCTYP(ITYP);
            TOGGLE2(TPCM.ANCTYP(ITYP), TPCM.IBATCH, TPCM.EDUNIT, keyboard_unit);
            TPCM.ANCTYP(ITYP) = 1 - TPCM.ANCTYP(ITYP);
        }
        return;
    case 17:
        if (shows_anchor_depth(s)) {
            float TMPVAR = TPCM.ANCHGT(ITYP);
            anchor_depth_line(TMPVAR);
            ask_real(TMPVAR);
            TPCM.ANCHGT(ITYP) = TMPVAR;
        }
        return;
    case 20:
        if (shows_line_numbers(s))
            edit_line_numbers(s);
        return;
    case 21:
        HELPUS(TPCM.DIAM(IELEM, ITYP), TPCM.WETWT(IELEM, ITYP), TPCM.DRYWT(IELEM, ITYP),
               TPCM.TBRK(IELEM, ITYP), std::span<float, 3>(&TPCM.ALPHA(1, IELEM, ITYP), 3), ITYP);
        return;
    default:
        return; // items 18 and 19 do not exist; numbers above 21 redraw
    }
}

// Moves the screen back one subline: to the previous subline of the type, or to the last
// subline of the nearest earlier type that has sublines (types without sublines have no
// screen, so the walk back passes over them as the walk forward does). False when there is
// no earlier screen: the page is left backwards.
bool step_back(Screen& s) {
    if (s.IELEM > 1) {
        --s.IELEM;
        return true;
    }
    for (std::int32_t t = s.ITYP - 1; t >= 1; --t) {
        if (sublines_of(t) > 0) {
            s.ITYP = t;
            s.IELEM = sublines_of(t);
            return true;
        }
    }
    return false;
}

} // namespace

// ONELEG: page 4, one screen per line type and subline, walked in order: types 1 to NTYP and
// the sublines 1 to NELEM of each (a type without sublines has no screen). Return moves to the
// next screen and, after the last, back to the page loop with LBACK 0; "B" moves to the
// previous screen and, from the first, returns -1; item numbers edit the screen's subline and
// its type (the item is shown again, then the value is asked for); "?" shows the notes; "M"
// and "H" redraw; "C", "D", "I" and "X" copy, delete, insert and exchange sublines and types;
// any other page command returns with its code. In a mirror pass every screen is written, with
// TWOPG after each, and nothing is read. Reads and writes TPCM; ends the run only at the end
// of input.
void ONELEG(std::string_view PAGE) {
    TPCM.LBACK = 0;
    Screen s{PAGE, 1, 1};
    for (;;) {
        // Before every drawing: a subline number beyond the type's count moves on to the next
        // type; past the last type the page is done.
        while (s.ITYP <= types_in_use() && s.IELEM > s.last()) {
            ++s.ITYP;
            s.IELEM = 1;
            TPCM.LBACK = 0;
        }
        if (s.ITYP > types_in_use()) {
            TPCM.LBACK = 0;
            return;
        }
        draw(s);
        if (TPCM.LCOPY != 0) {
            TWOPG(TPCM.LCOPY, TPCM.EDUNIT);
            TPCM.LBACK = 0;
            ++s.IELEM;
            continue;
        }
        ENTSEL(TPCM.LBACK, TPCM.EDUNIT, keyboard_unit, TPCM.IPAG);
        const std::int32_t answer = TPCM.LBACK;
        if (answer == 0) {
            ++s.IELEM;
        } else if (answer > 0) {
            item_action(s, answer);
        } else if (answer == code_back) {
            if (!step_back(s))
                return; // LBACK stays -1
        } else if (answer == code_help) {
            LINHLP(TPCM.EDUNIT, keyboard_unit, TPCM.IPAG, TPCM.SIMTYP);
        } else if (answer == code_c) {
            copy_command(s.ITYP, s.IELEM);
        } else if (answer == code_d) {
            delete_command(s.ITYP, s.IELEM);
        } else if (answer == code_i) {
            insert_command(s.ITYP, s.IELEM);
        } else if (answer == code_x) {
            exchange_command(s.ITYP, s.IELEM);
        } else if (answer != code_redraw && answer != code_m) {
            return; // a page command for the page loop
        }
    }
}

} // namespace lintar
