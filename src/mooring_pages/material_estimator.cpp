// mooring_pages/material_estimator.cpp: the "Simulation Help Facility" of the subline page:
// the line-material estimator, its menus and their help pages.
#include "mooring_pages/material_estimator.h"

#include "blocks/tpcm.h"
#include "mooring_pages/curve_fit.h"
#include "mooring_pages/help_notes.h"
#include "mooring_pages/taut_wire_length.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/prompts.h"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

namespace lintar {

namespace {

// clang-format off
// The built-in materials: WIA (lbs/ft for 1 inch), SPG, BC1 (kips), BC2, ELAS(1..3). Slots 5, 9
// and 10 hold data but are refused on selection; 17 to 20 are empty and refused.
constexpr std::array<MaterialSlot, material_slots> materials = {{
    {10.0f,   7.82f, 107.8f, 2.0f,   {0.00948f,  0.0f,    0.0f}},   //  1 stud-link chain, 1975
    {9.5f,    7.82f, 101.3f, 2.0f,   {0.00695f,  0.0f,    0.0f}},   //  2 stud-link chain, 1994
    {8.67f,   7.82f, 101.3f, 2.0f,   {0.007548f, 0.0f,    0.0f}},   //  3 studless RQ4 chain
    {10.0f,   7.82f, 107.8f, 2.0f,   {0.0f,      0.0f,    0.0f}},   //  4 inextensible chain
    {10.0f,   7.82f, 107.8f, 2.0f,   {0.0f,      0.0f,    0.0f}},   //  5 (refused)
    {1.856f,  6.03f, 91.9f,  2.0f,   {0.013f,    0.0f,    0.0f}},   //  6 IWRC wire rope
    {2.16f,   7.93f, 123.1f, 1.981f, {0.008868f, 0.0f,    0.0f}},   //  7 spiral strand
    {2.16f,   7.93f, 174.0f, 1.77f,  {0.009524f, 0.0f,    0.0f}},   //  8 spiral strand, 1995
    {1.856f,  6.03f, 91.9f,  2.0f,   {0.0f,      0.0f,    0.0f}},   //  9 (refused)
    {1.856f,  6.03f, 91.9f,  2.0f,   {0.0f,      0.0f,    0.0f}},   // 10 (refused)
    {0.26f,   1.42f, 60.0f,  2.0f,   {0.0223f,   0.0f,    0.0f}},   // 11 kevlar
    {0.29f,   1.14f, 38.38f, 1.791f, {0.811f,    -0.584f, 0.154f}}, // 12 braided nylon
    {0.316f,  1.24f, 42.18f, 1.792f, {0.509f,    -0.308f, 0.083f}}, // 13 nystron
    {0.306f,  1.38f, 33.09f, 1.861f, {0.676f,    -0.42f,  0.112f}}, // 14 polyester
    {0.172f,  0.9f,  17.62f, 1.821f, {0.509f,    -0.296f, 0.076f}}, // 15 polypropylene
    {0.34f,   1.42f, 52.12f, 1.717f, {0.313f,    -0.176f, 0.043f}}, // 16 manilla
    {}, {}, {}, {},                                                   // 17 to 20 (refused)
}};

// The menu of materials, in three groups: the slot and its text.
struct MenuEntry {
    int slot;
    std::string_view text;
};
constexpr MenuEntry chain_menu[] = {
    {1, "Stud-link chain (generic O.R.Q.; 1975)"},
    {2, "Stud-link chain (Ramnas  O.R.Q.; 1994)"},
    {3, "Studless Grade RQ4 Chain"},
    {4, "Inextensible stud-link chain"},
};
constexpr MenuEntry wire_menu[] = {
    {6, "I.W.R.C. wire rope (O.R.Q.)"},
    {7, "Brydon spiral strand wire rope (unsheathed)"},
    {8, "Brydon spiral strand wire rope (unsheathed; remodeled 1995)"},
};
constexpr MenuEntry synthetic_menu[] = {
    {11, "Kevlar stranded rope (Samson)"},
    {12, "Braided nylon rope (Samson \"two-in-one\")"},
    {13, "Samson Nystron rope"},
    {14, "Vermeire 100% polyester braided rope"},
    {15, "Vermeire \"Monogrip\" 100% polypropylene rope"},
    {16, "Vermeire manilla rope"},
};
// clang-format on

// The specific gravity of the medium: 1 air, 2 freshwater, 3 seawater (WCOEFF).
constexpr std::array<float, 3> WCOEFF = {0.0f, 1.0f, 1.025f};

// The modes of HELP.
enum HelpMode : std::int32_t { submerged_weight = 0, compliance = 1, strength = 2, dry_weight = 3 };

// The slots the material menu accepts: 1 to 16 but the refused 5, 9 and 10.
bool selectable(std::int32_t NUM) {
    return NUM >= 1 && NUM <= 16 && NUM != 5 && NUM != 9 && NUM != 10;
}

// The heading of an estimate of each mode, on a cleared screen with an empty line after it.
std::string_view heading_of(std::int32_t IFLAG) {
    switch (IFLAG) {
    case strength:
        return " ***  Help for breaking strengths  ***";
    case compliance:
        return " ***  Help for line compliance coefficients  ***";
    default:
        return " ***  Help for line weight/length  ***";
    }
}

void heading(int EDUNIT, std::int32_t IFLAG) {
    CLEAR(EDUNIT);
    write_record(EDUNIT, heading_of(IFLAG));
    write_record(EDUNIT, "");
}

// The materials in their three groups, each entry as its slot in three columns and its text.
void material_menu(int EDUNIT) {
    const auto group = [EDUNIT](std::string_view title, std::span<const MenuEntry> entries) {
        write_record(EDUNIT, "");
        write_record(EDUNIT, title);
        for (const MenuEntry& e : entries)
            write_record(EDUNIT, I(e.slot, 3) + ") " + std::string(e.text));
    };
    group("        >>> Chain Types <<<", chain_menu);
    group("        >>> Wire Rope Types <<<", wire_menu);
    group("        >>> Synthetic Rope Types <<<", synthetic_menu);
}

// The medium of a submerged weight (1 air, 2 freshwater, 3 seawater), or 0 when the user
// leaves the menu.
std::int32_t choose_medium(int EDUNIT, int KBD) {
    for (;;) {
        heading(EDUNIT, submerged_weight);
        write_record(EDUNIT, "  >>> Select submergence medium:");
        write_record(EDUNIT, " 1) Air");
        write_record(EDUNIT, " 2) Freshwater");
        write_record(EDUNIT, " 3) Seawater");
        std::int32_t NUM1 = 0;
        std::int32_t IPAG = 0;
        ENTSEL(NUM1, EDUNIT, KBD, IPAG);
        if (NUM1 == code_help) {
            HHLP2(EDUNIT, KBD, IPAG);
            continue;
        }
        if (NUM1 <= 0)
            return 0;
        if (NUM1 <= 3)
            return NUM1;
    }
}

// The material slot chosen, or 0 when the user leaves the menu. Refused slots show the menu
// again.
std::int32_t choose_material(int EDUNIT, int KBD, std::int32_t IFLAG) {
    for (;;) {
        heading(EDUNIT, IFLAG);
        material_menu(EDUNIT);
        std::int32_t NUM = 0;
        std::int32_t IPAG = 0;
        ENTSEL(NUM, EDUNIT, KBD, IPAG);
        if (NUM == code_help) {
            HHLP3(EDUNIT, KBD, IPAG);
            continue;
        }
        if (NUM <= 0)
            return 0;
        if (selectable(NUM))
            return NUM;
    }
}

enum class ComplianceSource { none, curve, material };

// The source of compliance coefficients: a measured curve or a material.
ComplianceSource choose_compliance_source(int EDUNIT, int KBD) {
    for (;;) {
        heading(EDUNIT, compliance);
        write_record(EDUNIT, " 1) User-specified stress/strain curve");
        write_record(EDUNIT, " 2) Built-in compliance coefficients");
        std::int32_t NUM = 0;
        std::int32_t IPAG = 0;
        ENTSEL(NUM, EDUNIT, KBD, IPAG);
        if (NUM == code_help) {
            HHLP1(EDUNIT, KBD, IPAG);
            continue;
        }
        if (NUM <= 0)
            return ComplianceSource::none;
        if (NUM == 1)
            return ComplianceSource::curve;
        if (NUM == 2)
            return ComplianceSource::material;
    }
}

// The facility menu.
void facility_menu(int EDUNIT) {
    write_record(EDUNIT, " 1) HELP with submerged weight per unit length...");
    write_record(EDUNIT, " 2) HELP with breaking strength...");
    write_record(EDUNIT, " 3) HELP with compliance coefficients...");
    write_record(EDUNIT, " 4) HELP with dry weight per unit length...");
    if (TPCM.SIMTYP != 7)
        write_record(EDUNIT, " 5) Fairlead subline length for specified tautwire tension...");
}

// Item 5: what the taut-wire length needs, the abort pause, and the computation.
void taut_wire_length(int EDUNIT, std::int32_t ITYP) {
    CLEAR(EDUNIT);
    // clang-format off
    static constexpr std::string_view needs[] = {
        " ++> The requested computation REQUIRES the following data:",
        "",
        "     1. Submerged weights for ALL sublines of this type",
        "     2. Elastic coefficients for ALL sublines of this type",
        "     3. Fairlead heights for fairleads of this type",
        "     4. Line pretensions for lines of this type",
        "     5. Anchor depth for this line type",
        "     6. Line numbers corresponding to lines of this type",
        "",
        " The calculation will fail if any data is missing or incorrect.",
    };
    // clang-format on
    for (const std::string_view line : needs)
        write_record(EDUNIT, line);
    std::int32_t answer = 0;
    ABORT0(EDUNIT, keyboard_unit, answer);
    if (answer != -1)
        TENDNDP(ITYP);
}

} // namespace

const MaterialSlot& material_slot(int n) {
    LINTAR_ASSERT(n >= 1 && n <= material_slots, "material slot");
    return materials[slot(n)];
}

// HELPUS: the facility menu, repeated after every estimate until 0 or a page command.
void HELPUS(float& DIAM, float& WETWT, float& DRYWT, float& TBRK, std::span<float, 3> ALPHA,
            std::int32_t ITYP) {
    const int EDUNIT = TPCM.EDUNIT;
    for (;;) {
        CLEAR(EDUNIT);
        write_record(EDUNIT, starting_at(21, "****  Simulation Help Facility  ****"));
        write_record(EDUNIT, "");
        if (!(DIAM > 0.0f)) {
            write_record(EDUNIT, " ++> Subline diameter must be input to obtain help.");
            PRSRET(EDUNIT, keyboard_unit, TPCM.LBACK);
            return;
        }
        facility_menu(EDUNIT);
        ENTSEL(TPCM.LBACK, EDUNIT, keyboard_unit, TPCM.IPAG);
        const std::int32_t choice = TPCM.LBACK;
        if (choice == code_help) {
            MTLHLP(EDUNIT, keyboard_unit, TPCM.IPAG, TPCM.SIMTYP);
            continue;
        }
        if (choice <= 0)
            return;
        switch (choice) {
        case 1:
            HELP(WETWT, ALPHA, TPCM.NUNTS, DIAM, submerged_weight, EDUNIT, keyboard_unit);
            break;
        case 2:
            HELP(TBRK, ALPHA, TPCM.NUNTS, DIAM, strength, EDUNIT, keyboard_unit);
            break;
        case 3: {
            float breaking_strength = 0.0f; // also found on the way; not kept
            HELP(breaking_strength, ALPHA, TPCM.NUNTS, DIAM, compliance, EDUNIT, keyboard_unit);
            break;
        }
        case 4:
            HELP(DRYWT, ALPHA, TPCM.NUNTS, DIAM, dry_weight, EDUNIT, keyboard_unit);
            break;
        case 5:
            if (TPCM.SIMTYP != 7)
                taut_wire_length(EDUNIT, ITYP);
            break;
        default:
            break;
        }
    }
}

// HELP: the menus of one estimate and the estimate itself, in single precision.
void HELP(float& WLNGTH, std::span<float, 3> ALPHA, std::int32_t NUNTS, float OD,
          std::int32_t IFLAG, int EDUNIT, int KBD) {
    const bool metric = NUNTS == 1;
    std::int32_t NUM1 = 1; // air, for the dry weight
    if (IFLAG == submerged_weight) {
        NUM1 = choose_medium(EDUNIT, KBD);
        if (NUM1 == 0)
            return;
    } else if (IFLAG == compliance) {
        const ComplianceSource source = choose_compliance_source(EDUNIT, KBD);
        if (source == ComplianceSource::none)
            return;
        if (source == ComplianceSource::curve) {
            FITCRV(ALPHA, EDUNIT, KBD);
            return;
        }
    }
    const std::int32_t NUM = choose_material(EDUNIT, KBD, IFLAG);
    if (NUM == 0)
        return;
    const MaterialSlot& m = material_slot(NUM);

    if (IFLAG == submerged_weight || IFLAG == dry_weight) {
        // The weight for a diameter of OD inches; in metric the diameter is in millimetres,
        // squared as it is, and 0.00231 turns lbs/ft per square inch into metric tons/m per
        // square millimetre.
        if (IFLAG == submerged_weight) {
            const float SPG = m.SPG;
            WLNGTH = (SPG - WCOEFF[slot(NUM1)]) / SPG * 0.001f * m.WIA * OD * OD;
        } else {
            WLNGTH = m.WIA * 0.001f * OD * OD;
        }
        if (metric)
            WLNGTH = WLNGTH * 0.00231f;
        return;
    }

    // The breaking strength in kips from the diameter in inches.
    const float ODP = metric ? OD / 25.4f : OD;
    const float TB = m.BC1 * std::pow(ODP, m.BC2);
    WLNGTH = metric ? TB / 2.204f : TB;
    if (IFLAG == strength)
        return;
    // The strain coefficients per kip^k, or per metric ton^k.
    ALPHA[0] = m.ELAS[0] / TB;
    ALPHA[1] = m.ELAS[1] / (TB * TB);
    ALPHA[2] = m.ELAS[2] / (TB * TB * TB);
    if (metric) {
        ALPHA[0] = ALPHA[0] * 2.204f;
        ALPHA[1] = ALPHA[1] * 4.858f;
        ALPHA[2] = ALPHA[2] * 10.706f;
    }
}

// ---------------------------------------------------------------------------------------------
// Help pages.

namespace {

constexpr std::string_view material_title = "****  Material Properties Help Notes  ****";

// clang-format off
constexpr std::string_view note_weight[] = {
    "     The weight per unit length in air, in seawater or in freshwater is",
    "     estimated for the diameter of the subline and the line type chosen",
    "     from the built-in materials.",
};
constexpr std::string_view note_strength[] = {
    "     The breaking strength is estimated for the diameter of the subline",
    "     and the line type chosen from the built-in materials.",
};
constexpr std::string_view note_compliance[] = {
    "     The compliance coefficients come either from the built-in materials",
    "     for the diameter of the subline, or from a fit to a tension /",
    "     elongation curve that you type in.",
};
constexpr std::string_view note_dry[] = {
    "     The dry weight (the weight in air) per unit length is estimated for",
    "     the diameter of the subline and the line type chosen from the",
    "     built-in materials.",
};
constexpr std::string_view note_taut_wire[] = {
    "     The length of the subline attached to the fairlead is found that",
    "     gives the requested pretension when the line is taken as perfectly",
    "     vertical, each subline stretching under a tension that grows with",
    "     height from its own weight. The weights and elastic coefficients of",
    "     all sublines of the type must be given first.",
};
constexpr std::string_view note_curve[] = {
    "     A table of (tension, elongation) points that you type in gives the",
    "     three compliance coefficients by a least-squares fit. Tensions are",
    "     in kips or metric tons, elongations decimal fractions (10% as 0.1).",
    "     The point (0,0) is included automatically: no zero tension or",
    "     elongation is accepted.",
};
constexpr std::string_view note_builtin[] = {
    "     The built-in materials: chain, wire rope and kevlar follow Hooke's",
    "     law, with a single non-zero coefficient; the other synthetic ropes",
    "     have three.",
};
constexpr std::string_view note_medium[] = {
    "     The weight per unit length is taken from the built-in materials for",
    "     the medium, the line type and the diameter of the subline.",
};
constexpr std::string_view note_slot_1[] = {
    "     Generic oil-rig quality stud-link chain, from chain catalogue data",
    "     of 1975.",
};
constexpr std::string_view note_slot_2[] = {
    "     Oil-rig quality stud-link chain, from chain catalogue data of 1994.",
};
constexpr std::string_view note_slot_3[] = {
    "     Studless grade RQ4 chain, from chain catalogue data of 1993.",
};
constexpr std::string_view note_slot_4[] = {
    "     Stud-link chain without elongation: for comparison with results",
    "     that neglect the elasticity of the line.",
};
constexpr std::string_view note_slot_6[] = {
    "     Independent wire rope core (I.W.R.C.) wire rope of oil-rig quality,",
    "     from wire rope data.",
};
constexpr std::string_view note_slot_7[] = {
    "     Unsheathed spiral strand wire rope, the model before 1995.",
};
constexpr std::string_view note_slot_8[] = {
    "     Unsheathed spiral strand wire rope, the model remodeled in 1995.",
};
constexpr std::string_view note_slot_11[] = {
    "     Kevlar stranded rope, from wet-rope data of about 1983.",
};
constexpr std::string_view note_slot_12[] = {
    "     Braided nylon rope of the \"two-in-one\" kind, from wet-rope data",
    "     of about 1983.",
};
constexpr std::string_view note_slot_13[] = {
    "     Nystron rope, from wet-rope data of about 1983.",
};
constexpr std::string_view note_slot_14[] = {
    "     Braided polyester rope, from wet-rope data of about 1985.",
};
constexpr std::string_view note_slot_15[] = {
    "     Polypropylene rope of the \"Monogrip\" kind, from wet-rope data of",
    "     about 1985.",
};
constexpr std::string_view note_slot_16[] = {
    "     Manilla rope, from wet-rope data of about 1985.",
};
// clang-format on

HelpNote facility_note(std::int32_t item, std::int32_t CREATR) {
    switch (item) {
    case 1:
        return note_weight;
    case 2:
        return note_strength;
    case 3:
        return note_compliance;
    case 4:
        return note_dry;
    case 5:
        if (CREATR != 7)
            return note_taut_wire;
        return {};
    default:
        return {};
    }
}

HelpNote material_note(std::int32_t item) {
    switch (item) {
    case 1:
        return note_slot_1;
    case 2:
        return note_slot_2;
    case 3:
        return note_slot_3;
    case 4:
        return note_slot_4;
    case 6:
        return note_slot_6;
    case 7:
        return note_slot_7;
    case 8:
        return note_slot_8;
    case 11:
        return note_slot_11;
    case 12:
        return note_slot_12;
    case 13:
        return note_slot_13;
    case 14:
        return note_slot_14;
    case 15:
        return note_slot_15;
    case 16:
        return note_slot_16;
    default:
        return {};
    }
}

// The note of one item, or every item of `items` for LINE 0.
template <class Note>
void notes(int IOSCRN, int KBD, std::int32_t LINE, std::span<const std::int32_t> items, Note note) {
    if (LINE != 0) {
        help_screen(IOSCRN, KBD, material_title, LINE, note(LINE));
        return;
    }
    for (const std::int32_t item : items)
        help_screen(IOSCRN, KBD, material_title, item, note(item));
}

} // namespace

void MTLHLP(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR) {
    // Program code 7 has no item 5: the notes end after item 4.
    static constexpr std::int32_t all[] = {1, 2, 3, 4, 5};
    const std::span<const std::int32_t> items(all, CREATR == 7 ? 4 : 5);
    notes(IOSCRN, KBD, LINE, items,
          [CREATR](std::int32_t item) { return facility_note(item, CREATR); });
}

void HHLP1(int IOSCRN, int KBD, std::int32_t LINE) {
    static constexpr std::int32_t all[] = {1, 2};
    notes(IOSCRN, KBD, LINE, all, [](std::int32_t item) -> HelpNote {
        if (item == 1)
            return note_curve;
        if (item == 2)
            return note_builtin;
        return {};
    });
}

void HHLP2(int IOSCRN, int KBD, std::int32_t LINE) {
    // One note serves the three media.
    if (LINE == 0) {
        help_screen(IOSCRN, KBD, material_title, " ++> Item Numbers 1 -> 3", note_medium);
        return;
    }
    help_screen(IOSCRN, KBD, material_title, LINE,
                LINE >= 1 && LINE <= 3 ? HelpNote(note_medium) : HelpNote{});
}

void HHLP3(int IOSCRN, int KBD, std::int32_t LINE) {
    static constexpr std::int32_t all[] = {1, 2, 3, 4, 6, 7, 8, 11, 12, 13, 14, 15, 16};
    notes(IOSCRN, KBD, LINE, all, material_note);
}

} // namespace lintar
