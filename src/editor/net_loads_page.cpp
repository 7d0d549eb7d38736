// editor/net_loads_page.cpp: page 16, net vessel loads and miscellaneous options.
#include "editor/pages.h"

#include "blocks/tpcm.h"
#include "editor/page_help.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/coordinate_editor.h"
#include "util/prompts.h"
#include "util/unit_labels.h"

#include <algorithm>
#include <array>
#include <string>

namespace lintar {

namespace {

// clang-format off
constexpr std::string_view label_1  = "  1) Net loads/moments (vessel-bound, deck-relative) .......";
constexpr std::string_view label_2  = "  2) Net loads/moments (global, waterplane-relative) .......";
constexpr std::string_view label_3  = "  3) 6x6 Stiffness matrix (vessel-bound, deck-relative) ....";
constexpr std::string_view label_5  = "  5) 6x6 Stiffness matrix (global, waterplane-relative) ....";
constexpr std::string_view label_7  = "  7) Differential increment for *Cartesian* degrees of freedom";
constexpr std::string_view label_8  = "  8) Differential increment for  *angular*  degrees of freedom";
constexpr std::string_view label_10 = " 10) Line & system potential energy analysis ...............";
constexpr std::string_view label_11 = " 11) Zero potential energy at initial offset point? ........";
constexpr std::string_view label_15 = " 15) Cross-coupling summary ................................";
constexpr std::string_view label_21 = " 21) Permit offsets beyond interpolation table .............";
constexpr std::string_view label_22 = " 22) Output page of oblique offset definitions .............";
constexpr std::string_view label_23 = " 23) Adjust NET mooring loads at initial offset to zero ....";
constexpr std::string_view label_24 = " 24) Fairleads attached to rotating turret? ................";
constexpr std::string_view label_25 = " 25) Turret Centroid X-Coordinate ..........................";
constexpr std::string_view label_26 = " 26) Use double precision for stiffness matrices? ..........";
constexpr std::string_view label_27 = " 27) Prepare TLP-style interpolation tables? ...............";
constexpr std::string_view label_32 = " 32) Debug option is on ....................................";
// clang-format on

constexpr std::string_view origin_rows = "Rotation axis origin (Vx,Vy,Vz)";

// Whether a stiffness matrix is asked for (items 7, 8, 9 and 26 only then).
bool either_matrix() {
    return TPCM.NSTIFV == 1 || TPCM.NSTIFG == 1;
}

// A yes/no line: the label, four dots and the answer.
std::string switch_line(std::string_view label, std::string_view answer) {
    return std::string(label) + "...." + std::string(answer);
}

// The length label in seven columns.
std::string length_label() {
    return A(UNITP(TPCM.NUNTS + 7), 7);
}

// Items 7 and 8: the label, the increment in F7.3 and its unit.
std::string increment_line(std::string_view label, float value, std::string_view unit) {
    return std::string(label) + F(value, 7, 3) + std::string(unit);
}

// The lines of items 7, 8 and 25.
std::string line_7() {
    return increment_line(label_7, TPCM.EPSDST, length_label());
}
std::string line_8() {
    return increment_line(label_8, TPCM.EPSDEG, " deg.");
}
std::string line_25() {
    return std::string(label_25) + F(TPCM.XSALM, 8, 2) + length_label();
}

// Items 4 and 6: the kind of matrix prepared.
std::string symmetry_line(std::string_view item, std::int32_t SYM) {
    return std::string(item) + (SYM == 0
                                    ? "Prepare standard mooring stiffness matrix"
                                    : "Prepare equilibrium-style (symmetric) stiffness matrix");
}

// The page: four groups of items, the device line only on the screen.
void draw_page(std::string_view PAGE) {
    const int U = TPCM.EDUNIT;
    auto& T = TPCM;
    const auto group = [U](std::string_view title) {
        LINES(U, 1);
        CENTER(title, "", 68, U);
    };
    const auto yes_no = [U](std::string_view label, std::int32_t word) {
        write_record(U, switch_line(label, YESNO(word)));
    };
    if (T.LCOPY == 0)
        CLEAR(U);
    write_record(U, X(4) + " ****  Page " + std::string(PAGE) +
                        ": Net Vessel Loads & Miscellaneous Options ****");

    group(">>> Net Mooring Loads <<<");
    yes_no(label_1, T.NETFV);
    yes_no(label_2, T.NETFG);

    group(">>> Stiffness Variables <<<");
    yes_no(label_3, T.NSTIFV);
    if (T.NSTIFV == 1) {
        write_record(U, symmetry_line("  4) ", T.VSTSYM));
        write_record(U, "");
    }
    yes_no(label_5, T.NSTIFG);
    if (T.NSTIFG == 1)
        write_record(U, symmetry_line("  6) ", T.GSTSYM));
    if (either_matrix()) {
        write_record(U, "");
        write_record(U, line_7());
        write_record(U, line_8());
        write_record(U, "  9) Specify rotation axis coordinate origin");
    }

    group(">>> Energy & Cross-Coupling Data <<<");
    yes_no(label_10, T.NERGAN);
    if (T.NERGAN == 1)
        yes_no(label_11, T.N_ERG_ZERO);
    yes_no(label_15, T.NCRS);

    group(">>> Miscellaneous Options <<<");
    yes_no(label_21, T.NOCUT);
    if (T.NOBLDR != 0 || T.NFCDIR != 0 || T.NTQDIR != 0)
        yes_no(label_22, T.OBDEFN);
    yes_no(label_23, T.NCATN(1));
    write_record(U, switch_line(label_24, YESNO_L(T.LSPM)));
    if (is_true(T.LSPM))
        write_record(U, line_25());
    if (either_matrix())
        yes_no(label_26, T.DPMTRX);
    yes_no(label_27, T.TENDON_FLG);
    write_record(U, "");
    write_record(U, " 31) Swap tanker, buoy data from Ostrevi import file");
    write_record(U, "");
    yes_no(label_32, T.NBUG0);

    if (T.LCOPY == 0) {
        if (T.IUNIT == T.EDUNIT)
            write_record(U, " 33) Output goes to Console");
        else if (T.IUNIT == 1 && T.IDRIVE == 0)
            write_record(U, " 33) Output goes to Disk, on logged drive");
        else if (T.IUNIT == 1 && T.IDRIVE > 0)
            write_record(U, " 33) Output goes to Disk, on drive C");
    }
}

// The yes/no switch of an item that TOGGLE2 flips, or nothing.
std::int32_t* toggled_switch(std::int32_t item) {
    auto& T = TPCM;
    switch (item) {
    case 1:
        return &T.NETFV;
    case 2:
        return &T.NETFG;
    case 3:
        return &T.NSTIFV;
    case 5:
        return &T.NSTIFG;
    case 10:
        return &T.NERGAN;
    case 11:
        return &T.N_ERG_ZERO;
    case 15:
        return &T.NCRS;
    case 21:
        return &T.NOCUT;
    case 22:
        return &T.OBDEFN;
    case 23:
        return &T.NCATN(1);
    case 27:
        return &T.TENDON_FLG;
    case 32:
        return &T.NBUG0;
    default:
        return nullptr;
    }
}

// Item 9 and the mirror pass: the coordinate-rows editor on the one origin row. Returns the
// editor's last selection.
std::int32_t edit_origin() {
    std::array<float, 3> row = {TPCM.ROTCTX, TPCM.ROTCTY, TPCM.ROTCTZ};
    std::int32_t ITEMP = 0;
    CORDIN(origin_rows, row, 1, TPCM.EDUNIT, keyboard_unit, ITEMP, TPCM.LCOPY, TPCM.IPAG);
    TPCM.ROTCTX = row[0];
    TPCM.ROTCTY = row[1];
    TPCM.ROTCTZ = row[2];
    return ITEMP;
}

// Item 33: console or disk.
void device_dialogue() {
    const int U = TPCM.EDUNIT;
    if (TPCM.LCOPY == 0)
        CLEAR(U);
    write_record(U, " 1) Console");
    write_record(U, " 2) Disc");
    WRTLIN("Enter number of device for output: ", U);
    std::int32_t answer = 0;
    std::int32_t PAGNO = 0;
    READI(answer, keyboard_unit, PAGNO);
    TPCM.IUNIT = answer == 1 ? TPCM.EDUNIT : 1;
}

} // namespace

// CATOT3: page 16, the vessel-level results of the offset report (net loads, stiffness,
// energy, cross-coupling) and the miscellaneous run options, with the exchange of the two
// vessel sections. Reads and writes TPCM; ends the run only at the end of input.
void CATOT3(std::string_view PAGE) {
    auto& T = TPCM;
    for (;;) {
        draw_page(PAGE);
        const int U = T.EDUNIT;
        if (T.LCOPY != 0) {
            TWOPG(T.LCOPY, U);
            T.LBACK = 0;
            if (either_matrix())
                edit_origin();
            return;
        }
        ENTSEL(T.LBACK, U, keyboard_unit, T.IPAG);
        const std::int32_t item = T.LBACK;
        if (item == code_help) {
            CTOTHP2(U, keyboard_unit, T.IPAG, T.SIMTYP);
            continue;
        }
        if (item < 1)
            return;
        if (std::int32_t* word = toggled_switch(item)) {
            TOGGLE2(*word, T.IBATCH, U, keyboard_unit);
            continue;
        }
        switch (item) {
        case 4:
            TOGGLE3(T.VSTSYM, T.IBATCH, U, keyboard_unit, "Symmetric", "Standard");
            break;
        case 6:
            TOGGLE3(T.GSTSYM, T.IBATCH, U, keyboard_unit, "Symmetric", "Standard");
            break;
        case 7:
            if (either_matrix()) {
                write_record(U, line_7());
                ENTERF(T.EPSDST, U, keyboard_unit);
            }
            break;
        case 8:
            if (either_matrix()) {
                write_record(U, line_8());
                ENTERF(T.EPSDEG, U, keyboard_unit);
            }
            break;
        case 9:
            if (either_matrix()) {
                const std::int32_t ITEMP = edit_origin();
                if (ITEMP < 0) {
                    T.LBACK = ITEMP; // a page command typed inside the editor
                    return;
                }
            }
            break;
        case 24: {
            std::int32_t copy = is_true(T.LSPM) ? 1 : 0;
            TOGGLE2(copy, T.IBATCH, U, keyboard_unit);
            set_logical(T.LSPM, copy == 1);
            break;
        }
        case 25:
            if (is_true(T.LSPM)) {
                write_record(U, line_25());
                ENTERF(T.XSALM, U, keyboard_unit);
            }
            break;
        case 26:
            if (either_matrix())
                TOGGLE2(T.DPMTRX, T.IBATCH, U, keyboard_unit);
            break;
        case 31:
            // The two bodies' vessel sections change places; the item again puts them back.
            swap_body_sections(TPCM);
            break;
        case 33:
            device_dialogue();
            break;
        default:
            break;
        }
    }
}

} // namespace lintar
