// mooring_pages/subline_page.cpp: page 4, subline specifics.
#include "mooring_pages/mooring_pages.h"

#include "blocks/tpcm.h"
#include "editor/page_placeholder.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/prompts.h"

#include <algorithm>
#include <string>

namespace lintar {

namespace {

// The counts as the walk uses them, held to the table sizes: a damaged file cannot send the
// walk outside the line types (150) or the sublines of a type (25).
int line_types() {
    return std::clamp<std::int32_t>(TPCM.NTYP, 0, 150);
}
int sublines(int type) {
    return std::clamp<std::int32_t>(TPCM.NELEM(type), 0, 25);
}

// The letter of line type n: "A" for 1, "B" for 2, and on through the character set.
char type_letter(int type) {
    return static_cast<char>('A' + type - 1);
}

// One screen's heading: the page, the type letter and the command line.
void draw_heading(std::string_view PAGE, int type) {
    if (TPCM.LCOPY == 0)
        CLEAR(TPCM.EDUNIT);
    write_record(TPCM.EDUNIT,
                 starting_at(17, " ****** Page " + std::string(PAGE) + type_letter(type) +
                                     ":  Subline Specifics *****"));
    write_record(
        TPCM.EDUNIT,
        starting_at(10, " (\"C\", \"D\", \"I\", \"X\" to Copy, Delete, Insert, Exchange)"));
    write_record(TPCM.EDUNIT, "");
}

// The first type from `type` on that has sublines, or 0 when there is none.
int next_type_with_sublines(int type) {
    for (int t = type; t <= line_types(); ++t)
        if (sublines(t) > 0)
            return t;
    return 0;
}

} // namespace

// ONELEG: page 4, one screen per line type and subline, walked in order; for now each screen
// is its heading alone (the items and the copy, delete, insert and exchange commands come with
// the page itself). Return moves to the next subline and, after the last, back to the page
// loop with LBACK 0; "B" moves to the previous subline and, from the first, returns -1; help
// shows the "no help" screen; the type's own commands and item numbers redraw; any other page
// command returns with its code. In a mirror pass every screen is written with TWOPG between
// them. Reads and writes TPCM's navigation words; ends the run only at the end of input.
void ONELEG(std::string_view PAGE) {
    TPCM.LBACK = 0;
    int ITYP = next_type_with_sublines(1);
    int IELEM = 1;
    while (ITYP != 0) {
        draw_heading(PAGE, ITYP);
        if (TPCM.LCOPY != 0) {
            TWOPG(TPCM.LCOPY, TPCM.EDUNIT);
            TPCM.LBACK = 0;
        } else {
            ENTSEL(TPCM.LBACK, TPCM.EDUNIT, keyboard_unit, TPCM.IPAG);
        }
        const std::int32_t answer = TPCM.LBACK;
        if (answer == 0) {
            if (++IELEM > sublines(ITYP)) {
                ITYP = next_type_with_sublines(ITYP + 1);
                IELEM = 1;
            }
        } else if (answer == code_back) {
            if (IELEM > 1) {
                --IELEM;
                continue;
            }
            int previous = ITYP - 1;
            while (previous >= 1 && sublines(previous) == 0)
                --previous;
            if (previous < 1)
                return; // back from the first screen: LBACK stays -1
            ITYP = previous;
            IELEM = sublines(previous);
        } else if (answer == code_help) {
            NOHELP(TPCM.EDUNIT, keyboard_unit, TPCM.IPAG);
        } else if (answer < 0 && answer != code_redraw && (answer > code_m || answer < code_x)) {
            return; // a page command for the page loop
        }
        // Item numbers, the redraw and the page's own commands show the screen again.
    }
    TPCM.LBACK = 0;
}

} // namespace lintar
