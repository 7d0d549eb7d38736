// mooring_pages/more_mooring_page.cpp: page 3, more general mooring information.
#include "mooring_pages/mooring_pages.h"

#include "blocks/tpcm.h"
#include "mooring_pages/mooring_help.h"
#include "mooring_pages/mooring_model.h"
#include "mooring_pages/page_items.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/column_editor.h"
#include "util/coordinate_editor.h"
#include "util/prompts.h"
#include "util/unit_labels.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>

namespace lintar {

namespace {

// What the page keeps between calls: the real work column of its integer editors and the
// list of excluded lines, which is rebuilt from the packed sets on entry while lines are
// excluded.
struct MoreMooringStore {
    std::array<float, lincom_lines> RNLINE{};
    std::array<std::int32_t, lincom_lines> IEXCLUDE{};
};
MoreMooringStore store;
const StateReset reset_store{[] { store = MoreMooringStore{}; }};

constexpr int entries_per_count_row = 4;
constexpr int entries_per_exclusion_row = 16;

bool static_mooring() {
    return TPCM.SIMTYP == 7;
}

// "Tanker" when the vessel moors a storage vessel by a hawser, else "Vessel".
std::string_view vessel_word() {
    return hawser_mode() ? "Tanker" : "Vessel";
}

// A count per line type, four to a row: "   2 in Type   1 {A}".
void write_type_counts(std::span<const std::int32_t> counts) {
    const int types = held(TPCM.NTYP, lincom_types);
    std::string row;
    for (int t = 1; t <= types; ++t) {
        row += I(counts[slot(t)], 4) + " in Type " + I(t, 3) + " {" + line_type_letter(t) + "}";
        if (t % entries_per_count_row == 0 || t == types) {
            write_record(TPCM.EDUNIT, " " + row);
            row.clear();
        }
    }
}

std::string heading_line(int item) {
    const TpcmBlock& T = TPCM;
    switch (item) {
    case 6:
        return "  6) Vessel x-coordinate of turret centroid: " + F(T.XSALM, 8, 2) +
               std::string(UNITP(T.NUNTS + 7).substr(0, 7));
    case 7:
        return "  7) " + std::string(vessel_word()) +
               " heading in quiescent conditions: " + F(T.VESAN0, 8, 2) + " Degrees";
    case 8:
        return "  8) <Buoy> heading in quiescent conditions: " + F(T.BVSAN0, 8, 2) + " Degrees";
    case 10:
        return " 10) Number of excluded or broken lines (Max " + I(exclusion_capacity, 3) +
               "): " + I(T.NEXCLUDE, 3);
    default:
        return {};
    }
}

void draw(std::string_view PAGE) {
    const TpcmBlock& T = TPCM;
    const int unit = T.EDUNIT;
    if (T.LCOPY == 0)
        CLEAR(unit);
    const bool hawser = hawser_mode();
    write_record(unit, "  **** Page " + std::string(PAGE) + ": More General Mooring Information" +
                           (hawser ? " <<INCLUDES hawser>> ****" : " ****"));
    write_record(unit, "");
    if (hawser)
        write_record(unit, " ++> NOTE: Line number " + I(T.NLIN, 3) + " & line type " +
                               I(T.NTYP, 3) + " {" + line_type_letter(T.NTYP) + "}" +
                               " comprise Hawser data");
    write_record(unit, " 1) Number of mooring legs associated with each type --");
    write_record(unit, "");
    write_type_counts(T.NLINE_words);
    write_record(unit, "");
    write_record(unit, " 2) Number of sublines associated with each type (max " + I(T.MAXELM, 2) +
                           ") --");
    write_record(unit, "");
    write_type_counts(T.NELEM_words);
    write_record(unit, "");
    write_record(unit, " 3) Edit fairlead positions");
    write_record(unit, " 4) Edit plan-view line departure angles");
    write_record(unit, "");
    if (!static_mooring()) {
        if (hawser) {
            write_record(unit, "  5) Edit mooring moment evaluation center (on buoy)");
            write_record(unit, "  6) Edit hawser attachment point on storage vessel");
            write_record(unit, "");
            write_record(unit, heading_line(7));
            write_record(unit, heading_line(8));
        } else {
            write_record(unit, "  5) Edit mooring moment evaluation center ");
            write_record(unit, "");
            if (T.SIMTYP == 15)
                write_record(unit, heading_line(6));
            write_record(unit, heading_line(7));
        }
    }
    write_record(unit, "");
    write_record(unit, heading_line(10));
    if (T.NEXCLUDE > 0) {
        write_record(unit, " 11) Line numbers selected for exclusion:");
        const int shown = held(T.NEXCLUDE, exclusion_capacity);
        std::string row;
        for (int k = 1; k <= shown; ++k) {
            row += I(store.IEXCLUDE[slot(k)], 3) + ",";
            if (k % entries_per_exclusion_row == 0 || k == shown) {
                write_record(unit, X(5) + row);
                row.clear();
            }
        }
    }
}

// Item 1: the number of lines of each type. The counts of types 1 to NTYP must add up to
// NLIN; the editor runs again until they do, or until the user leaves it unchanged, which
// restores the counts the item started from (the pre-run checks stop a run on a wrong total).
void edit_lines_per_type() {
    TpcmBlock& T = TPCM;
    const auto sum = [&] {
        long long total = 0;
        for (int t = 1; t <= held(T.NTYP, lincom_types); ++t)
            total += T.NLINE(t);
        return total;
    };
    const std::string note[] = {
        " ++> NOTE: The previous numbers of legs per type are restored; they",
        "     must add up to the total line # (" + I_fit(T.NLIN, 3) + ") before a run.",
    };
    edit_checked_column(
        "--- Mooring line type multiplicity ---", T.NLINE_words, store.RNLINE,
        held(T.NTYP, lincom_types), held(T.MAXTYP, lincom_types), [&] { return sum() == T.NLIN; },
        [&] {
            write_record(T.EDUNIT,
                         " ++> Line number inconsistency; total line # = " + I_fit(sum(), 3));
            std::int32_t dropped = 0;
            PRSRET(T.EDUNIT, keyboard_unit, dropped);
        },
        note);
}

// Item 2: the number of sublines of each type, held to MAXELM and 0.
void edit_sublines_per_type() {
    TpcmBlock& T = TPCM;
    edit_integer_column("--- Number of sublines for each distinct type ---", T.NELEM_words,
                        store.RNLINE, held(T.NTYP, lincom_types), held(T.MAXTYP, lincom_types));
    // The editor's whole-column operations reach beyond NTYP, so every slot is held.
    for (int t = 1; t <= lincom_types; ++t)
        T.NELEM(t) = std::clamp<std::int32_t>(T.NELEM(t), 0, std::max<std::int32_t>(T.MAXELM, 0));
}

// Item 3: the fairleads of lines 1 to NLIN. The CALM-buoy program keeps the buoy's copy of
// the rows and the hawser's fairlead height with them. Returns the editor's ending code.
std::int32_t edit_fairleads() {
    TpcmBlock& T = TPCM;
    const int lines = held(T.NLIN, lincom_lines);
    std::int32_t ITEMP = 0;
    CORDIN("coordinates of fairleads", T.RFLD_words, lines, T.EDUNIT, keyboard_unit, ITEMP, T.LCOPY,
           T.IPAG);
    if (T.SIMTYP == 13) {
        for (int i = 1; i <= std::min(lines, vessel_row_capacity); ++i)
            for (int c = 1; c <= 3; ++c)
                T.BRACC(c, i) = T.RFLD(c, i);
        if (T.HAWSLN >= 1 && T.HAWSLN <= lincom_lines)
            T.BLNHT = T.RFLD(3, T.HAWSLN);
    }
    return ITEMP;
}

// Item 4: the plan-view departure angles of lines 1 to NLIN.
void edit_departure_angles() {
    TpcmBlock& T = TPCM;
    AUTORP("Plan-view GLOBAL Angles (Zero forward; Positive C-clockwise)", T.ANGDEP_words,
           held(T.NLIN, lincom_lines), held(T.MAXLIN, lincom_lines), T.EDUNIT, keyboard_unit,
           T.LCOPY);
}

// Item 5: the moment centre (one row). Returns the editor's ending code.
std::int32_t edit_moment_centre() {
    TpcmBlock& T = TPCM;
    std::int32_t ITEMP = 0;
    CORDIN("mooring moment evaluation center", T.RMCTR_words, 1, T.EDUNIT, keyboard_unit, ITEMP,
           T.LCOPY, T.IPAG);
    return ITEMP;
}

// Item 6 with a hawser (or in the CALM-buoy program): the attachment point on the storage
// vessel, whose height and x the hawser's end takes. Returns the editor's ending code.
std::int32_t edit_attachment_point() {
    TpcmBlock& T = TPCM;
    std::int32_t ITEMP = 0;
    CORDIN("hawser attachment point", std::span<float>(T.RACC_words).first(3), 1, T.EDUNIT,
           keyboard_unit, ITEMP, T.LCOPY, T.IPAG);
    T.ENDHT = T.RACC(3, 1);
    T.XSALM = T.RACC(1, 1);
    return ITEMP;
}

// Item 11: the numbers of the excluded lines, each in 1 to NLIN, packed into the sets once
// they are. With no valid number possible (no lines) the user leaves the editor unchanged
// and the list the item started from comes back, the sets untouched.
void edit_excluded_lines() {
    TpcmBlock& T = TPCM;
    const int count = held(T.NEXCLUDE, exclusion_capacity);
    const auto valid = [&, count] {
        for (int k = 1; k <= count; ++k) {
            const std::int32_t line = store.IEXCLUDE[slot(k)];
            if (line <= 0 || line > T.NLIN)
                return false;
        }
        return true;
    };
    const std::string note[] = {" ++> NOTE: The previous excluded line numbers are restored."};
    const bool accepted = edit_checked_column(
        "--- Lines Selected for Damage or Exclusion ---", store.IEXCLUDE, store.RNLINE, count,
        held(T.NLIN, lincom_lines), valid,
        [&] {
            write_record(T.EDUNIT,
                         " >>> Please provide " + I_fit(T.NEXCLUDE, 3) + " valid line numbers...");
            std::int32_t dropped = 0;
            PRSRET(T.EDUNIT, keyboard_unit, dropped);
        },
        note);
    if (accepted)
        LOADEXCLUDE(T.NEXCLUDE, store.IEXCLUDE, T.IDEXCLUDE1, T.IDEXCLUDE2, T.IDEXCLUDE3,
                    T.IDEXCLUDE4, T.NLIN, 0, T.EDUNIT);
}

// One selected item; returns the page command that ends the page (from a coordinate
// editor), or 0 to draw the page again.
std::int32_t act_on(std::int32_t item) {
    TpcmBlock& T = TPCM;
    const int unit = T.EDUNIT;
    switch (item) {
    case 1:
        edit_lines_per_type();
        return 0;
    case 2:
        edit_sublines_per_type();
        return 0;
    case 3:
        return std::min(edit_fairleads(), 0);
    case 4:
        edit_departure_angles();
        return 0;
    case 5:
        return static_mooring() ? 0 : std::min(edit_moment_centre(), 0);
    case 6:
        if (hawser_mode() || T.SIMTYP == 13)
            return std::min(edit_attachment_point(), 0);
        if (T.SIMTYP == 15) {
            write_record(unit, heading_line(6));
            ENTERF(T.XSALM, unit, keyboard_unit);
        }
        return 0;
    case 7:
        if (!static_mooring()) {
            write_record(unit, heading_line(7));
            ENTERF(T.VESAN0, unit, keyboard_unit);
        }
        return 0;
    case 8:
        if (hawser_mode()) {
            write_record(unit, heading_line(8));
            ENTERF(T.BVSAN0, unit, keyboard_unit);
        }
        return 0;
    case 10:
        write_record(unit, heading_line(10));
        enter_count(T.NEXCLUDE, exclusion_capacity, unit);
        return 0;
    case 11:
        if (T.NEXCLUDE > 0)
            edit_excluded_lines();
        return 0;
    default:
        return 0;
    }
}

// The mirror pass lists what items 1 to 5 (and 6 with a hawser) edit; the sum check of item 1
// has nothing to check there.
void list_items() {
    edit_lines_per_type();
    edit_sublines_per_type();
    edit_fairleads();
    edit_departure_angles();
    if (!static_mooring())
        edit_moment_centre();
    if (hawser_mode())
        edit_attachment_point();
}

} // namespace

// MORLN2: page 3, more general mooring information: lines and sublines per type, fairleads,
// departure angles, moment centre, hawser attachment point or turret position, quiescent
// headings and the excluded lines. On entry, while lines are excluded, the list is rebuilt
// from the packed sets (LOADEXCLUDE, which warns when lines lie beyond the sets). Draws on
// EDUNIT; in a mirror pass also lists items 1 to 5 and returns with LBACK 0; otherwise reads
// selections into LBACK until 0 or a page command (also one given inside a coordinate
// editor). Reads and writes TPCM; ends the run only at the end of input.
void MORLN2(std::string_view PAGE) {
    TpcmBlock& T = TPCM;
    if (T.NEXCLUDE > 0)
        LOADEXCLUDE(T.NEXCLUDE, store.IEXCLUDE, T.IDEXCLUDE1, T.IDEXCLUDE2, T.IDEXCLUDE3,
                    T.IDEXCLUDE4, T.NLIN, 1, T.EDUNIT);
    for (;;) {
        draw(PAGE);
        if (T.LCOPY != 0) {
            TWOPG(T.LCOPY, T.EDUNIT);
            T.LBACK = 0;
            list_items();
            return;
        }
        ENTSEL(T.LBACK, T.EDUNIT, keyboard_unit, T.IPAG);
        if (T.LBACK == code_help) {
            MORHP2(T.EDUNIT, keyboard_unit, T.IPAG, T.SIMTYP);
            continue;
        }
        if (T.LBACK <= 0)
            return;
        if (const std::int32_t command = act_on(T.LBACK); command < 0) {
            T.LBACK = command;
            return;
        }
    }
}

} // namespace lintar
