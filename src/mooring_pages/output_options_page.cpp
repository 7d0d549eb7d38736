// mooring_pages/output_options_page.cpp: page 14, output options.
#include "mooring_pages/mooring_pages.h"

#include "blocks/tpcm.h"
#include "mooring_pages/mooring_help.h"
#include "mooring_pages/mooring_model.h"
#include "mooring_pages/page_items.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/answer_reader.h"
#include "util/flags.h"
#include "util/prompts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string>

namespace lintar {

namespace {

// The page's working list of lines excluded from the inertial correction, rebuilt from the
// packed sets on every entry, and its real copy for the column editor.
struct ExclusionList {
    std::array<std::int32_t, lincom_lines> lines{};
    std::array<float, lincom_lines> reals{};
};

constexpr int entries_per_exclusion_row = 16;
// A Yes/No item: the label and its leaders fill 64 columns after the leading blank.
constexpr std::size_t label_columns = 64;

// One Yes/No item: " nn) label ...... Yes". The label is followed by a blank, dot leaders
// and a blank up to its 64 columns, or by blanks alone when there is no room for a dot.
std::string switch_line(int item, std::string_view label, std::string_view value) {
    std::string line = I(item, 2) + ") " + std::string(label);
    if (line.size() + 3 <= label_columns) {
        line += ' ';
        line.append(label_columns - 1 - line.size(), '.');
        line += ' ';
    } else if (line.size() < label_columns) {
        line.append(label_columns - line.size(), ' ');
    }
    return " " + line + std::string(value);
}

// " nn) text" with no leaders and no value.
std::string text_line(int item, std::string_view text) {
    return " " + I(item, 2) + ") " + std::string(text);
}

bool random_sea() {
    return TPCM.LRANDM == 1 || TPCM.LSWELL != 0;
}

std::string exclusion_count_line() {
    return text_line(22, "Total number of lines EXCLUDED from correction: ") +
           I_fit(TPCM.NEXCLD_I, 2);
}

// Items 5 to 56, shown only by the family's other programs. Showing them also settles two
// switches that depend on others: without wave-frequency dynamics there are no node outputs,
// and the summary file belongs to the programs above 10 but the CALM-buoy program.
void draw_other_programs_items(const ExclusionList& list) {
    TpcmBlock& T = TPCM;
    const int unit = T.EDUNIT;
    const std::int32_t code = T.SIMTYP;
    const auto item = [&](int n, std::string_view label, std::int32_t value) {
        write_record(unit, switch_line(n, label, YESNO(value)));
    };
    item(5, "Output low-frequency motions/loads data", T.LOWMOT);
    item(6, "Simulate wave-frequency dynamics", T.LDYN);
    if (T.LDYN == 0) {
        T.GETNODE = 0;
    } else {
        item(7, "Output line loads and motions at element endpoints", T.GETNODE);
        if (T.GETNODE == 1) {
            if (T.NODE_MOT_PERP == 0)
                write_record(unit, text_line(8, "Report endpoint motion parallel & perpendicular "
                                                "to waterplane"));
            else if (T.NODE_MOT_PERP == 1)
                write_record(unit, text_line(8, "Report endpoint motion parallel & perpendicular "
                                                "to line tangent"));
        }
        item(9, "Output \"chain hinge\" relative motion at fairlead", T.DOHINGE);
        write_record(unit, "");
        item(16, "Output wave-frequency fairlead motions and line load RAOs", T.LODINR);
        item(17,
             std::string("Output static/dynamic line load RAO comparisons at ") +
                 (code == 10 ? "tug .... " : "fairlead "),
             T.LODWAV);
        item(18,
             std::string("Output wave-frequency line load RAOs at ") +
                 (code == 10 ? "barge " : "anchor") + " ............ ",
             T.LANCLN);
        item(19, "Analyze wave-frequency motion/loads at specified LF offset", T.RANPAG);
        if (code != 14) {
            write_record(unit, "");
            item(20, "Use large-amplitude nonlinear model for w.f. loads", T.NLWVFG);
        }
        item(21, "Apply inertial correction to wave-frequency catenary loads", T.INRLFG);
        if (T.INRLFG != 0) {
            write_record(unit, exclusion_count_line());
            if (T.NEXCLD_I == 0)
                write_record(unit, "");
            if (T.NEXCLD_I > 0) {
                write_record(unit, text_line(23, "Line numbers selected for exclusion:"));
                const int shown = held(T.NEXCLD_I, lincom_lines);
                std::string row;
                for (int k = 1; k <= shown; ++k) {
                    row += I_fit(list.lines[slot(k)], 2) + ",";
                    if (k % entries_per_exclusion_row == 0 || k == shown) {
                        write_record(unit, X(5) + row);
                        row.clear();
                    }
                }
                write_record(unit, "");
            }
        }
        item(25, "Use constant tension surface for wave-frequency loads", T.TENSRF);
        if (code != 12 && code != 14 && code != 17)
            item(26, "Use Brenvic-style 3-DOF equilibrium search", T.MS3DOF);
        if (T.ISURGE == 1 && code != 13 && code != 8)
            item(27, "Produce *only* wave-frequency line load RAOs", T.ONLYLD);
    }
    item(28, "Search for alternate equilibrium position", T.NEWEQL);
    if (code == 15)
        item(29, "Lock the turret to the hull", T.LOCK_TRT);
    write_record(unit, "");
    write_record(unit, " ++> Begin Version 5.x Flags");
    if (T.LCURNT == 1)
        item(30, "Estimate current loads on mooring lines and risers", T.LCURML);
    if (code > 10 && code != 13)
        item(31, "Eliminate individual line load reports in SNAPOUT", T.SNPOFF);
    if (code > 10)
        item(32, "Use elliptical bounding box for snapshot coordinates", T.ELIPSM);
    if (T.LCURNT == 1 && random_sea())
        item(33, "Use \"Legacy\" current-wave drift force interaction model", T.LEGDFC);
    if (random_sea()) {
        item(34, "Use \"Legacy\" peak low-frequency motion and loads model", T.LEGPKF);
        item(35, "Exclude wave absorption damping and excitation", T.LEGDRG);
    }
    item(36, "Use \"Legacy\" surge/sway normal mode processing", T.LEGACY_ID);
    item(37, "Force Gaussian peak factors for low-frequency motions", T.FORCE_GAUSS);
    if (random_sea() && (ONEON(T.LWVCOF, 7, unit) || ONEON(T.LWVCOF, 5, unit)))
        item(38, "Expanded frequency grid for cross-correlation integration",
             T.NEW_STYLE_SEMI_INTEG);
    if (code > 10 && code != 13) {
        item(40, "Prepare tab-delimited output summary file (XCLDAT.stxt)", T.EXLOUT);
        if (T.NUNTS == 1 && T.EXLOUT == 1)
            item(41, "Use basin load units (kiloNewtons) for XCLDAT.stxt file", T.LFBASIN);
    } else {
        T.EXLOUT = 0;
    }
    if (code == 17) {
        item(42, "Estimate wind and current vertical suction magnitudes", T.GETSUCK);
        item(44, "Use legacy wave-frequency line load algorithms", T.LEG_WF_LOADS);
    }
    write_record(unit, "");
    write_record(unit, " ++> End Version 5.x Flags");
    write_record(unit, "");
    write_record(unit,
                 text_line(51, "Storm duration (hours) for peak motion/load statistics.....") +
                     F(T.DURATN, 6, 2));
    item(52, "Estimate peak variability across an ensemble of storms", T.XTRMFL);
    write_record(unit, "");
    write_record(unit, text_line(55, "Apply clockwise rotation to Global Coordinate System"));
    if (code == 10)
        write_record(unit, text_line(56, "Swap tug, barge data"));
    else if (code == 13)
        write_record(unit, text_line(56, "Swap tanker, buoy data"));
}

void draw(std::string_view PAGE, const ExclusionList& list) {
    const TpcmBlock& T = TPCM;
    const int unit = T.EDUNIT;
    if (T.LCOPY == 0)
        CLEAR(unit);
    write_record(unit, " ****  Page " + std::string(PAGE) + ": Output options 1 ****");
    write_record(unit, "");
    write_record(unit, switch_line(1, "Output static offset data", YESNO(BITVAL(T.STAMOT, 1))));
    if (BITVAL(T.STAMOT, 1) == 1)
        write_record(unit, switch_line(2, "Output element endpoint & angle interpolation tables",
                                       YESNO(BITVAL(T.STAMOT, 2))));
    if (T.SIMTYP == 8)
        write_record(unit, switch_line(3, "Compute quiescent equilibrium", YESNO(T.LRESET)));
    write_record(unit,
                 switch_line(4, "Output mean orientation & line loads data", YESNO(T.LEQCND)));
    if (T.LQUAS != 0 && T.SIMTYP != 8)
        draw_other_programs_items(list);
}

// Items 1 and 2: a bit of STAMOT as a Yes/No item.
void toggle_bit(int bit) {
    TpcmBlock& T = TPCM;
    std::int32_t value = BITVAL(T.STAMOT, bit);
    TOGGLE2(value, T.IBATCH, T.EDUNIT, keyboard_unit);
    BITSET(T.STAMOT, bit, value, T.EDUNIT);
}

// Item 23: the lines excluded from the inertial correction, each in 1 to NLIN, packed into
// the sets once they are. With no valid number possible (the lines were reduced below the
// count) the user leaves the editor unchanged and the list comes back as it was, the sets
// untouched.
void edit_inertia_exclusions(ExclusionList& list) {
    TpcmBlock& T = TPCM;
    const int count = held(T.NEXCLD_I, lincom_lines);
    const auto valid = [&, count] {
        for (int k = 1; k <= count; ++k) {
            const std::int32_t line = list.lines[slot(k)];
            if (line <= 0 || line > T.NLIN)
                return false;
        }
        return true;
    };
    const std::string note[] = {" ++> NOTE: The previous excluded line numbers are restored."};
    const bool accepted = edit_checked_column(
        "--- Lines Selected for Exclusion  ---", list.lines, list.reals, count,
        held(T.NLIN, lincom_lines), valid,
        [&] {
            write_record(T.EDUNIT,
                         " >>> Please provide " + I_fit(T.NEXCLD_I, 2) + " valid line numbers...");
            std::int32_t dropped = 0;
            PRSRET(T.EDUNIT, keyboard_unit, dropped);
        },
        note);
    if (accepted && T.NEXCLD_I > 0)
        LOADEXCLUDE(T.NEXCLD_I, list.lines, T.IDEXCLD1_I, T.IDEXCLD2_I, T.IDEXCLD3_I, T.IDEXCLD4_I,
                    T.NLIN, 0, T.EDUNIT);
}

// Turns a force given in global axes clockwise by `a` radians.
void rotate_force(float& X, float& Y, float a) {
    const float X0 = X;
    const float Y0 = Y;
    X = X0 * std::cos(a) + Y0 * std::sin(a);
    Y = -X0 * std::sin(a) + Y0 * std::cos(a);
}

// Item 55: turns the global frame clockwise by an angle the user gives: every line departure
// angle and every global heading loses the angle (no angle is brought back into a range), and
// active auxiliary forces given in global axes turn with the frame. Fairleads and forces in
// vessel axes do not change. A user current profile with a heading per depth cannot be
// turned here: the user is warned and may abort.
void rotate_global_frame() {
    TpcmBlock& T = TPCM;
    const int unit = T.EDUNIT;
    if (T.LCSTCR == 3) {
        CLEAR(unit);
        write_record(unit, " ++> Warning: This rotation will not (cannot) be applied to your "
                           "CRNTPROF.txt");
        write_record(unit,
                     "              user-supplied current profile; that must be done manually...");
        std::int32_t answer = 0;
        ABORT0(unit, keyboard_unit, answer);
        if (answer == -1)
            return;
        LINES(unit, 2);
    }
    WRTLIN("Enter clockwise rotation angle in degrees (<RETURN> to abort): ", unit);
    float angle = 0.0f;
    bool CR = false;
    CRREAD(angle, CR, keyboard_unit);
    if (CR)
        return;
    for (int i = 1; i <= held(T.NLIN, lincom_lines); ++i)
        T.ANGDEP(i) -= angle;
    for (float* heading : {&T.VESAN0, &T.BVSAN0, &T.SEAHDG(1), &T.WAVHDG(1), &T.CURHDG, &T.WNDHDG,
                           &T.SWLHDG, &T.VGLDIR})
        *heading -= angle;
    if (T.AUXFRC == 0)
        return;
    const float a = angle / degrees_per_radian_rounded;
    if (T.CRDSYS == 0)
        rotate_force(T.XVFRC, T.YVFRC, a);
    if (T.AXFC2 != 0) {
        if (T.CRDS2 == 0)
            rotate_force(T.XVFRC2, T.YVFRC2, a);
        if (T.AXFC3 != 0 && T.CRDS3 == 0)
            rotate_force(T.XVFRC3, T.YVFRC3, a);
    }
}

// The member a plain Yes/No item toggles, or nothing for items with other actions or none.
std::int32_t* switch_of(std::int32_t item) {
    TpcmBlock& T = TPCM;
    const std::int32_t code = T.SIMTYP;
    switch (item) {
    case 3:
        return code == 8 ? &T.LRESET : nullptr;
    case 4:
        return &T.LEQCND;
    case 5:
        return &T.LOWMOT;
    case 6:
        return &T.LDYN;
    case 7:
        return &T.GETNODE;
    case 9:
        return &T.DOHINGE;
    case 16:
        return &T.LODINR;
    case 17:
        return &T.LODWAV;
    case 18:
        return &T.LANCLN;
    case 19:
        return &T.RANPAG;
    case 20:
        return code != 14 ? &T.NLWVFG : nullptr;
    case 21:
        return &T.INRLFG;
    case 25:
        return &T.TENSRF;
    case 26:
        return code != 12 && code != 14 && code != 17 ? &T.MS3DOF : nullptr;
    case 27:
        return T.ISURGE == 1 && code != 13 && code != 8 ? &T.ONLYLD : nullptr;
    case 28:
        return &T.NEWEQL;
    case 29:
        return code == 15 ? &T.LOCK_TRT : nullptr;
    case 30:
        return T.LCURNT == 1 ? &T.LCURML : nullptr;
    case 31:
        return code > 10 && code != 13 ? &T.SNPOFF : nullptr;
    case 32:
        return code >= 10 ? &T.ELIPSM : nullptr;
    case 33:
        return T.LCURNT == 1 ? &T.LEGDFC : nullptr;
    case 34:
        return &T.LEGPKF;
    case 35:
        return &T.LEGDRG;
    case 36:
        return &T.LEGACY_ID;
    case 37:
        return &T.FORCE_GAUSS;
    case 38:
        return &T.NEW_STYLE_SEMI_INTEG;
    case 40:
        return &T.EXLOUT;
    case 41:
        return &T.LFBASIN;
    case 42:
        return &T.GETSUCK;
    case 44:
        return &T.LEG_WF_LOADS;
    case 52:
        return &T.XTRMFL;
    default:
        return nullptr;
    }
}

// One selected item. An item acts even when the page does not show it, as long as its own
// condition holds (with this program's code only items 1 to 4 are shown).
void act_on(std::int32_t item, ExclusionList& list) {
    TpcmBlock& T = TPCM;
    const int unit = T.EDUNIT;
    if (std::int32_t* member = switch_of(item)) {
        TOGGLE2(*member, T.IBATCH, unit, keyboard_unit);
        return;
    }
    switch (item) {
    case 1:
    case 2:
        toggle_bit(item);
        return;
    case 8:
        if (T.GETNODE == 1)
            TOGGLE3(T.NODE_MOT_PERP, T.IBATCH, unit, keyboard_unit, "Tangent", "Waterplane");
        return;
    case 22:
        write_record(unit, exclusion_count_line());
        enter_count(T.NEXCLD_I, T.NLIN, unit);
        return;
    case 23:
        if (T.INRLFG != 0 && T.NEXCLD_I > 0)
            edit_inertia_exclusions(list);
        return;
    case 51:
        write_record(unit, text_line(51, "Storm duration (hours) for peak motion/load "
                                         "statistics.....") +
                               F(T.DURATN, 6, 2));
        ENTERF(T.DURATN, unit, keyboard_unit);
        return;
    case 55:
        rotate_global_frame();
        return;
    case 56:
        // The vessel section and the second body's section exchange their words.
        if (T.SIMTYP == 10 || T.SIMTYP == 13)
            swap_body_sections(TPCM);
        return;
    default:
        return;
    }
}

} // namespace

// MOROT1: page 14, output options: the output and model switches, the storm duration, the
// lines excluded from the inertial correction, the rotation of the global frame and the
// exchange of the two bodies' data. The exclusion list is rebuilt from its packed sets on
// every entry (LOADEXCLUDE, which warns when lines lie beyond the sets). Draws on EDUNIT; in
// a mirror pass returns with LBACK 0 after drawing; otherwise reads selections into LBACK
// until 0 or a page command. Reads and writes TPCM; ends the run only at the end of input.
void MOROT1(std::string_view PAGE) {
    TpcmBlock& T = TPCM;
    ExclusionList list;
    if (T.NEXCLD_I > 0)
        LOADEXCLUDE(T.NEXCLD_I, list.lines, T.IDEXCLD1_I, T.IDEXCLD2_I, T.IDEXCLD3_I, T.IDEXCLD4_I,
                    T.NLIN, 1, T.EDUNIT);
    for (;;) {
        draw(PAGE, list);
        if (T.LCOPY != 0) {
            TWOPG(T.LCOPY, T.EDUNIT);
            T.LBACK = 0;
            return;
        }
        ENTSEL(T.LBACK, T.EDUNIT, keyboard_unit, T.IPAG);
        if (T.LBACK == code_help) {
            MOTHP1(T.EDUNIT, keyboard_unit, T.IPAG, T.SIMTYP);
            continue;
        }
        if (T.LBACK <= 0)
            return;
        act_on(T.LBACK, list);
    }
}

} // namespace lintar
