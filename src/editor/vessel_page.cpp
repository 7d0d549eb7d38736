// editor/vessel_page.cpp: page 8, the vessel page.
#include "editor/pages.h"

#include "blocks/tpcm.h"
#include "datafile/page_text.h"
#include "editor/page_help.h"
#include "editor/tanker_screen.h"
#include "editor/vessel_variables.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/prompts.h"
#include "util/range_checks.h"

#include <array>
#include <string>

namespace lintar {

namespace {

// Item lines: the label field of 57 columns, then the value.
constexpr std::int32_t label_width = 57;
constexpr std::int32_t value_column = label_width - 1; // the leaders end in column 57

// "(A57,F11.2,1X,A6)" and "(A57,A)".
std::string value_format(std::string_view prefix, float value, std::string_view unit) {
    return A(prefix, label_width) + F(value, 11, 2) + X(1) + A(unit, 6);
}
std::string text_format(std::string_view prefix, std::string_view text) {
    return A(prefix, label_width) + A(text);
}

// Items 1 to 10: label, unit code base (added to NUNTS) and help note.
struct ValueItem {
    std::string_view label;
    std::int32_t unit_base;
    std::int32_t ident;
};
constexpr ValueItem value_items[] = {
    {"Vessel displacement", 0, 1},
    {"Transverse metacentric height (KMT)", 7, 2},
    {"Longitudinal metacentric height (KML)", 7, 3},
    {"Vertical center of buoyancy (VKB)", 7, 4},
    {"Vertical center of gravity (VKG)", 7, 5},
    {"LCG-to-Midships distance", 7, 15},
    {"Vessel water plane area", 19, 6},
    {"Length of vessel at waterline", 7, 7},
    {"Beam of vessel at waterline", 7, 8},
    {"Mean vessel draft", 7, 9},
};
constexpr std::int32_t type_item = 11;
constexpr std::int32_t tanker_item = 12;

// The variable of item n (1 to 10).
float& item_value(VesselVariables& V, std::int32_t n) {
    const std::array<float*, 10> values = {&V.DISPL,         &V.VKMT, &V.VKML, &V.VKB, &V.VKG,
                                           &V.CG_to_Midship, &V.AWP,  &V.LWL,  &V.BWL, &V.DRAFT};
    return *values[slot(n)];
}

// Item 11 is offered only to the programs that simulate the vessel's motions by type.
bool type_item_shown(std::int32_t CREATR) {
    return CREATR == 3 || (CREATR > 9 && CREATR != 14 && CREATR != 17);
}

// The name of a vessel type as item 11 shows it.
std::string_view vessel_type_name(std::int32_t VESTYP) {
    switch (VESTYP) {
    case 1:
        return " Ship/barge/tanker";
    case 2:
        return " Floating Jack-up ";
    case 3:
        return " Semisubmersible";
    case 4:
        return " Disc-shaped vessel";
    case 5:
        return " Tension Leg Platform";
    case 6:
        return " Caisson Spar";
    default:
        return " Undefined!";
    }
}

// The line of item n (1 to 10), numbered n.
void write_value_item(std::int32_t n, VesselVariables& V) {
    const ValueItem& item = value_items[slot(n)];
    std::int32_t I = n;
    OUTCFU(I, item.label, item_value(V, n), value_format, TPCM.NUNTS + item.unit_base, TPCM.EDUNIT,
           value_column);
}

// The page; returns the item counter's final value.
std::int32_t draw_page(std::string_view PAGE, std::string_view TUGBAR, VesselVariables& V,
                       std::int32_t CREATR) {
    const int U = TPCM.EDUNIT;
    PAGHDR(PAGE, TUGBAR, " Hydrostatic Characteristics", 74, U, TPCM.LCOPY);
    std::int32_t I = 1;
    for (std::int32_t n = 1; n <= 10; ++n) {
        write_value_item(n, V);
        I = I + 1;
    }
    if (type_item_shown(CREATR)) {
        LINES(U, 1);
        OUTCC0(I, "Vessel type for simulation", vessel_type_name(V.VESTYP), text_format, U,
               value_column);
    } else {
        I = I + 1;
    }
    if (V.VESTYP == 1) {
        LINES(U, 1);
        OUTTXT(I, "Help for Tanker-Type Physical Characteristics", U);
    } else {
        I = I + 1;
    }
    return I;
}

// Item 11: the vessel type for the wave-frequency motions.
void vessel_type_subpage(VesselVariables& V, std::int32_t CREATR, int KBD) {
    const int U = TPCM.EDUNIT;
    for (;;) {
        CLEAR(U);
        LINES(U, 2);
        write_record(U, " +++   Vessel type for wave-frequency dynamics simulation  +++");
        write_record(U, "");
        if (CREATR == 3) {
            write_record(U, " 3) Semisubmersible");
            write_record(U, " 5) Tension Leg Platform");
            write_record(U, " 6) Caisson Spar");
            set_logical(V.SEMI_LIKE, true);
        } else {
            write_record(U, " 1) Displacement hull (ship/barge/tanker)");
            write_record(U, " 2) Floating Jack-up");
            write_record(U, " 3) Semisubmersible");
            write_record(U, " 4) Disc-shaped vessel (CALM buoy, arctic drillship)");
            write_record(U, " 5) Tension Leg Platform");
            write_record(U, " 6) Caisson Spar");
        }
        std::int32_t answer = 0;
        ENTSEL(answer, U, KBD, TPCM.IPAG);
        if (answer == code_help) {
            MRHP3B(U, KBD, TPCM.IPAG);
            continue;
        }
        MAXCHK(answer, 6);
        if (answer != 0) {
            V.VESTYP = answer;
            set_logical(V.SEMI_LIKE, answer == 3 || answer == 5 || answer == 6);
        }
        return;
    }
}

// The help note of each item.
std::int32_t item_ident(std::int32_t n) {
    if (n >= 1 && n <= 10)
        return value_items[slot(n)].ident;
    return n == type_item ? 10 : 11;
}

} // namespace

// VESEL1: page 8, the hydrostatic characteristics of the body the page loop names, with the
// vessel type (for the programs that use it) and the tanker estimate screen for displacement
// hulls. Reads and writes that body's variables and TPCM's navigation words; ends the run only
// at the end of input or through the tanker screen.
void VESEL1(std::string_view PAGE, std::string_view TUGBAR, int KBD, VesselBody BODY) {
    VesselVariables V = vessel_variables(BODY);
    const std::int32_t CREATR = TPCM.SIMTYP;
    for (;;) {
        const std::int32_t last = draw_page(PAGE, TUGBAR, V, CREATR);
        const int U = TPCM.EDUNIT;
        if (TPCM.LCOPY != 0) {
            TWOPG(TPCM.LCOPY, U);
            TPCM.LBACK = 0;
            return;
        }
        ENTSEL(TPCM.LBACK, U, KBD, TPCM.IPAG);
        const std::int32_t n = TPCM.LBACK;
        if (n == code_help) {
            const std::int32_t HLPFLG = CREATR < 10 || CREATR == 17 ? 1 : 2;
            const std::int32_t item = TPCM.IPAG;
            const bool hidden = (item == type_item && !type_item_shown(CREATR)) ||
                                (item == tanker_item && V.VESTYP != 1);
            if (item == 0)
                V1HLP(U, KBD, 0, 0, HLPFLG);
            else if (item > 0 && item < last && !hidden)
                V1HLP(U, KBD, item, item_ident(item), HLPFLG);
            continue;
        }
        if (n < 1)
            return;
        if (n <= 10) {
            write_value_item(n, V);
            ENTERF(item_value(V, n), U, KBD);
        } else if (n == type_item && type_item_shown(CREATR)) {
            vessel_type_subpage(V, CREATR, KBD);
        } else if (n == tanker_item && V.VESTYP == 1) {
            std::int32_t answer = 0;
            TANKER(V, U, KBD, answer, TPCM.NUNTS, TPCM.IPAG);
        }
    }
}

} // namespace lintar
