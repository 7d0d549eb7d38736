// editor/page_help.cpp: the help screens of this program's pages 1, 8, 15 and 16.
#include "editor/page_help.h"

#include "blocks/block_support.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/prompts.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lintar {

namespace {

using Lines = std::initializer_list<std::string_view>;

template <class Range> void write_lines(int unit, const Range& lines) {
    for (const std::string_view line : lines)
        write_record(unit, line);
}
void write_lines(int unit, Lines lines) {
    write_lines<Lines>(unit, lines);
}

// A cleared screen with the title from column 22 and an empty line.
void help_title(int IOSCRN, std::string_view title) {
    CLEAR(IOSCRN);
    write_record(IOSCRN, X(21) + std::string(title));
    write_record(IOSCRN, "");
}

// " ++> Item Number  nn" and an empty line.
void item_header(int IOSCRN, std::int32_t item) {
    write_record(IOSCRN, " ++> Item Number  " + I(item, 2));
    write_record(IOSCRN, "");
}

// A note and the empty line after it.
template <class Range> void write_note(int IOSCRN, const Range& note) {
    write_lines<Range>(IOSCRN, note);
    write_record(IOSCRN, "");
}
void write_note(int IOSCRN, Lines note) {
    write_note<Lines>(IOSCRN, note);
}

void no_help_line(int IOSCRN) {
    write_note(IOSCRN, {" ++> Sorry, no help for this line..."});
}

void pause(int IOSCRN, int KBD) {
    std::int32_t dropped = 0;
    PRSRET(IOSCRN, KBD, dropped);
}

// clang-format off
constexpr std::string_view units_note[] = {
    "     The \"Units of measure\" item facilitates simulation in either",
    "     English units (feet, inches, kips, etc.) or metric units (meters,",
    "     millimeters, metric tons, etc.). The units employed are those most",
    "     commonly used in offshore practice; thus the metric unit of force is",
    "     the metric ton (the weight of 1000 kilograms) rather than the",
    "     kiloNewton, etc.",
    "",
    "     Selection of this item leads to a subpage of units conversion",
    "     options.",
    "",
    "     Note: speed units are always input and reported in knots regardless",
    "     of the state of the \"Units of measure\" toggle.",
};
constexpr std::string_view density_note[] = {
    "     The water density is user-controllable. Changing the water density",
    "     does *not* result in any other data file changes; for example the",
    "     draft of a vessel of given displacement and the weight-in-water of an",
    "     underwater line segment are not adjusted automatically by a change in",
    "     water density. All such adjustments must be carried out manually to",
    "     produce an internally consistent set of hydrostatic parameters.",
};
constexpr std::string_view relabel_note[] = {
    "     With a single exception (the water density value), this item affects",
    "     only the *displayed* dimensional units (ft <-> meters, etc.). This",
    "     is generally of use only during original creation of a data file and",
    "     the action is perfectly reversible. That is, two invocations of this",
    "     option will return an existing data file to its unaltered original",
    "     state regardless of the contents of the data file.",
    "",
    "     To convert an *existing* data file between English and metric units,",
    "     you should use the alternate conversion option provided.",
};
// clang-format on

} // namespace

void write_conversion_cautions(int IOSCRN) {
    // clang-format off
    write_lines(IOSCRN, {
        "     This option should be exercised with care.",
        "     Several things to consider:",
        "",
        "     1) Executing this option twice will not in general reproduce exactly",
        "     the original data file due to floating-point roundoff errors. Thus,",
        "     two \"equivalent\" data files (original and twice-converted) will in",
        "     general produce slightly differing output streams.",
        "",
        "     2) Using this option may compromise the usefulness of",
        "     inter-simulation data file transfers since the converted variable",
        "     sets differ between simulations. Conversions to an existing data",
        "     file should in general be carried out in the originating simulation.",
        "     For example, to transfer a data file from Brenvic (English) to",
        "     Caldrun (metric), you should do the conversion in Brenvic, then use",
        "     the converted MOORDAT file as input to Caldrun.",
        "",
        "     3) Any user-supplied data that is dimensional must be converted by",
        "     hand. For example, WINDSPEC.txt and CRNTSPEC.txt files contain",
        "     dimensional data; if they are to be used they must be converted by",
        "     the user to the new set of units.",
    });
    // clang-format on
}

// STATHLP: the notes of page 1: items 1 to 3 share the units note, item 5 has the density
// note.
void STATHLP(int IOSCRN, int KBD, std::int32_t LINE) {
    help_title(IOSCRN, "****  Site Definition Notes  ****");
    if (LINE == 0) {
        item_header(IOSCRN, 3);
        write_note(IOSCRN, units_note);
        item_header(IOSCRN, 5);
        write_note(IOSCRN, density_note);
    } else {
        item_header(IOSCRN, LINE);
        if (LINE <= 3)
            write_note(IOSCRN, units_note);
        else if (LINE == 5)
            write_note(IOSCRN, density_note);
        else
            no_help_line(IOSCRN);
    }
    pause(IOSCRN, KBD);
}

// CNVHLP: the notes of the conversion sub-page: relabelling (1) and converting all (2).
void CNVHLP(int IOSCRN, int KBD, std::int32_t LINE) {
    help_title(IOSCRN, "****  Units Conversion Notes  ****");
    const auto conversion_note = [IOSCRN] {
        write_conversion_cautions(IOSCRN);
        write_record(IOSCRN, "");
    };
    if (LINE == 0) {
        item_header(IOSCRN, 1);
        write_note(IOSCRN, relabel_note);
        item_header(IOSCRN, 2);
        conversion_note();
    } else {
        item_header(IOSCRN, LINE);
        if (LINE <= 1)
            write_note(IOSCRN, relabel_note);
        else if (LINE == 2)
            conversion_note();
        else
            no_help_line(IOSCRN);
    }
    pause(IOSCRN, KBD);
}

namespace {

// The notes of the vessel page, each with its leading empty line, by IDENT.
void vessel_note(int IOSCRN, std::int32_t IDENT) {
    write_record(IOSCRN, "");
    switch (IDENT) {
    case 1:
        write_lines(IOSCRN, {"     Displacement comprises total simulated vessel weight"});
        break;
    case 2:
    case 3:
        // clang-format off
        write_lines(IOSCRN, {
            "     KM (transverse or longitudinal), GM, VKG, VKB and IWP ",
            "     (waterplane moment of inertia) are related by:",
            "",
            "              GM = KM - VKG",
            "              GM = IWP/(Displacement Volume) - (VKG-VKB)",
            "",
            "     For a rectangular waterplane of width B and length L,",
            "",
            "              IWP (transverse)   = L*B^3/12",
            "              IWP (longitudinal) = B*L^3/12",
            "",
            "     For a circular waterplane of radius R,",
            "",
            "              IWP  = pi*R^4/4",
        });
        break;
    case 4:
        write_lines(IOSCRN, {
            "     VKB should be obtained from hydrostatics, but is ",
            "     generally in the range of 1.0-1.2 times (Draft/2) for ",
            "     displacement-hulled offshore vessels",
        });
        break;
    case 5:
        write_lines(IOSCRN, {"     VKG should include free-surface corrections, if any."});
        break;
    case 15:
        write_lines(IOSCRN, {
            "     Longitudinal CG-to-Midships (the Lpp/2 point, usually) distance;",
            "     used with OCIMF-type moment coefficients; positive for CG aft of Midships.",
        });
        break;
    case 6:
        write_lines(IOSCRN, {
            "     Water plane area can be obtained from:",
            "",
            "       (a) Calculation or estimation,",
            "",
            "       (b) The product of beam, length and published ",
            "       waterplane coefficient at the desired draft,",
            "",
            "       (c) Hydrostatic immersion curves by dividing the curve ",
            "       value at the required draft (e.g., in tons/foot) by the ",
            "       water density (e.g., in tons/cubic foot) used for the ",
            "       curve preparation.",
        });
        break;
    case 7:
    case 8:
        write_lines(IOSCRN, {
            "     Vessel Length and Beam comprise total waterline lengths ",
            "     projected on the appropriate vertical plane.  This ",
            "     applies to all types of vessels including ",
            "     semisubmersibles. ",
            "",
            "     In the case of semisubmersibles, waterline lengths are ",
            "     computed, ignoring blanketing, from the sum of ",
            "     waterlines of individual columns.",
        });
        break;
    case 9:
        write_lines(IOSCRN, {
            "     Draft comprises mean draft in the simulated condition. ",
            "     That is, if nonzero trim or heel are specified, the ",
            "     specified \"mean\" draft should correspond to the draft, ",
            "     at the same displacement, realized under conditions of ",
            "     zero trim and heel.",
        });
        break;
    case 10:
        write_lines(IOSCRN, {
            "     Vessel type specification is used for selecting the ",
            "     wave-frequency simulation to use for evaluation of ",
            "     vessel motion characteristics.  The options can be seen ",
            "     by selecting this item's subpage.",
        });
        break;
    case 11:
        write_lines(IOSCRN, {
            "     A built-in database of nominal crude-oil-carrying ",
            "     tanker characteristics can be used to estimate needed ",
            "     hydrostatic, inertial and other physical properties of ",
            "     a displacement hull vessel. These built-in properties ",
            "     should be used with caution; variations about mean ",
            "     values for a particular tanker size can be as large as ",
            "     20% in some cases. The database will, however, provide ",
            "     a starting point for simulation of most displacement ",
            "     hull vessels with suitably large block coefficients ",
            "     (greater than about .75 or so).",
        });
        // clang-format on
        break;
    default:
        write_lines(IOSCRN, {" ++> Sorry, no help for this item ..."});
        break;
    }
}

} // namespace

// V1HLP: the vessel page's notes; the full listing pauses after the KM, the LCG and the
// length-and-beam notes.
void V1HLP(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t IDENT, std::int32_t HLPFLG) {
    const std::string rule(40, '*');
    CLEAR(IOSCRN);
    write_lines(IOSCRN, {" " + rule, X(9) + "Vessel Definition Notes", " " + rule, ""});
    if (LINE != 0) {
        write_record(IOSCRN, " ++> Item Number " + I(LINE, LINE <= 9 ? 1 : 2));
        vessel_note(IOSCRN, IDENT);
    } else {
        const auto pause_and_clear = [IOSCRN, KBD] {
            pause(IOSCRN, KBD);
            CLEAR(IOSCRN);
        };
        vessel_note(IOSCRN, 1);
        vessel_note(IOSCRN, 2);
        pause_and_clear();
        vessel_note(IOSCRN, 4);
        vessel_note(IOSCRN, 5);
        vessel_note(IOSCRN, 15);
        pause_and_clear();
        vessel_note(IOSCRN, 6);
        vessel_note(IOSCRN, 7);
        pause_and_clear();
        vessel_note(IOSCRN, 9);
        if (HLPFLG == 2) {
            pause_and_clear();
            vessel_note(IOSCRN, 10);
        }
        vessel_note(IOSCRN, 11);
    }
    write_record(IOSCRN, "");
    pause(IOSCRN, KBD);
}

// MRHP3B: the vessel types 1 to 4 name the vessel-response program that evaluates them.
void MRHP3B(int IOSCRN, int KBD, std::int32_t LINE) {
    static constexpr std::string_view programs[] = {"Caldrun", "Trevona", "Ebrotan", "Ulmaris"};
    help_title(IOSCRN, "****  Vessel Definition Notes  ****");
    const auto note = [IOSCRN](std::int32_t type) {
        item_header(IOSCRN, type);
        write_record(IOSCRN, "     This item causes the simulation to search for " +
                                 std::string(programs[slot(type)]));
        write_note(IOSCRN, {"     to evaluate wave-frequency vessel motion response."});
    };
    if (LINE == 0) {
        for (std::int32_t type = 1; type <= 4; ++type)
            note(type);
    } else if (LINE >= 1 && LINE <= 4) {
        note(LINE);
    } else {
        item_header(IOSCRN, LINE);
        no_help_line(IOSCRN);
    }
    pause(IOSCRN, KBD);
}

namespace {

// A note of the output pages: the items it serves (one or two) and its lines.
struct OutputNote {
    std::int32_t first, second; // second 0: one item
    std::vector<std::string_view> lines;
};

// The notes of an output page, for one item or all of them (each on its own screen).
void output_help(int IOSCRN, int KBD, std::int32_t LINE, std::span<const OutputNote> notes) {
    constexpr std::string_view title = "****  Offset Sequence Definition Notes  ****";
    if (LINE != 0) {
        help_title(IOSCRN, title);
        item_header(IOSCRN, LINE);
        const OutputNote* found = nullptr;
        for (const OutputNote& note : notes)
            if (LINE == note.first || LINE == note.second)
                found = &note;
        if (found != nullptr)
            write_note(IOSCRN, found->lines);
        else
            no_help_line(IOSCRN);
        pause(IOSCRN, KBD);
        return;
    }
    for (const OutputNote& note : notes) {
        help_title(IOSCRN, title);
        if (note.second == 0) {
            item_header(IOSCRN, note.first);
        } else {
            write_record(IOSCRN,
                         " ++> Item Numbers " + I(note.first, 2) + " and " + I(note.second, 2));
            write_record(IOSCRN, "");
        }
        write_note(IOSCRN, note.lines);
        pause(IOSCRN, KBD);
    }
}

// clang-format off
const OutputNote line_notes[] = {
    {11, 12, {
        "     Line lengths are reported unstretched, that is after removal of all",
        "     internal stresses; they are therefore somewhat shorter than the same",
        "     material under load.",
    }},
    {21, 0, {
        "     The line departure angle at the fairlead is measured from the",
        "     horizontal, positive downwards.",
    }},
    {22, 0, {
        "     The line uplift angle at the anchor is measured from the horizontal,",
        "     positive upwards.",
    }},
    {23, 0, {
        "     This item produces the plan-view line departure angles at the",
        "     fairlead for each offset point.",
    }},
};

const OutputNote vessel_load_notes[] = {
    {1, 2, {
        "     Net mooring forces and moments on the vessel may be reported in a",
        "     vessel-bound system with a deck-vertical z axis (item 1), in an",
        "     earth-fixed system relative to the waterplane (item 2), or in both.",
    }},
    {3, 5, {
        "     The mooring stiffness is a 6x6 matrix of the derivatives of the net",
        "     mooring forces and moments (columns Fx, Fy, Fz, Mx, My, Mz) with",
        "     respect to the three coordinates and the three rotation angles of",
        "     the vessel (rows dx, dy, dz, dPx, dPy, dPz), in the vessel-bound",
        "     system (item 3), the global system (item 5) or both. Moments are",
        "     taken about the user-specified origin (item 9). The elements are in",
        "     the simulation's units, for example kips/ft, kips/radian, kip-ft/ft",
        "     and kip-ft/radian.",
    }},
    {4, 6, {
        "     At an equilibrium configuration the stiffness matrix is symmetric.",
        "     The force that holds the vessel at an offset breaks the symmetry of",
        "     the mooring stiffness; including the constant applied force and",
        "     moment with the mooring forces gives the symmetric",
        "     (\"equilibrium-style\") matrix.",
    }},
    {7, 8, {
        "     These items override the default increments of the finite-difference",
        "     stiffness evaluation for the Cartesian (item 7) and the angular",
        "     (item 8) degrees of freedom. Both must be nonzero.",
    }},
    {9, 0, {
        "     The origin of the rotations for the stiffness evaluation, customarily",
        "     the waterplane centroid (0,0,draft). The same origin serves the",
        "     oblique rotations and the offset sequences of INPUTOFF.txt.",
    }},
    {10, 0, {
        "     Line and system potential energy are reported against offset. The",
        "     zero of each line type's energy is the fairlead position of zero",
        "     horizontal force (the first row of the interpolation table) and, with",
        "     vertical offsets, the lowest fairlead level of the vertical grid.",
    }},
    {11, 0, {
        "     The system energy at the first offset point is either the sum over",
        "     the lines or, with this item, zero: one constant is then subtracted",
        "     from every row of the system energy tables.",
    }},
    {15, 0, {
        "     The cross-coupling summary reports forces and moments produced by",
        "     the offsets, such as the net load across the offset direction and",
        "     the net roll, pitch and yaw moments.",
    }},
    {21, 22, {
        "     Item 21 includes or suppresses the output for offsets beyond the",
        "     limits of the interpolation table; item 22 includes or suppresses",
        "     the output page of oblique offset definitions.",
    }},
    {23, 0, {
        "     The initial (normally zero-offset) net mooring load and moment are",
        "     subtracted from the whole offset sequence, so that they vanish at the",
        "     initial offset point; otherwise the unadjusted values are reported.",
    }},
    {24, 0, {
        "     Fairleads are either fixed to the vessel (spread mooring) or free to",
        "     rotate about their plan-view centroid (turret mooring).",
    }},
    {26, 0, {
        "     Part of the stiffness calculation is carried out in double",
        "     precision. As most of the computation stays in single precision,",
        "     this is of limited use: a debugging aid and an unsupported feature.",
    }},
    {27, 0, {
        "     Tension-leg-style interpolation layers: such structures move their",
        "     fairleads substantially only downwards, so the layers need not be",
        "     symmetric about the quiescent level.",
    }},
    {31, 0, {
        "     A data file imported from Ostrevi, the CALM buoy program, holds both",
        "     the buoy and the storage vessel. For an analysis of the buoy alone,",
        "     hide the hawser by dropping the last line and setting the hawser",
        "     item of page 2 to \"No\", and hide the tanker by swapping its data",
        "     with the buoy's through this item. Both steps are reversible.",
    }},
};
// clang-format on

} // namespace

void CTOTHP(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR) {
    (void)CREATR;
    output_help(IOSCRN, KBD, LINE, line_notes);
}

void CTOTHP2(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR) {
    (void)CREATR;
    output_help(IOSCRN, KBD, LINE, vessel_load_notes);
}

} // namespace lintar
