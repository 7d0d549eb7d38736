// mooring_pages/mooring_help.cpp: the help notes of pages 2, 3 and 14.
#include "mooring_pages/mooring_help.h"

#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/prompts.h"

#include <string>
#include <string_view>
#include <vector>

namespace lintar {

namespace {

using Text = std::vector<std::string_view>;

// One note: the items it serves (first to last) and its lines.
struct Note {
    std::int32_t first;
    std::int32_t last;
    Text text;
};

// Notes per screen of the full listing: a screen takes notes while they fit in this many lines.
constexpr int lines_per_screen = 18;

void heading(std::string_view title, int IOSCRN) {
    CLEAR(IOSCRN);
    write_record(IOSCRN, std::string(17, ' ') + std::string(title));
    write_record(IOSCRN, "");
}

std::string note_heading(const Note& note) {
    if (note.first == note.last)
        return " ++> Item Number  " + I(note.first, 2);
    return " ++> Item Numbers " + I(note.first, 2) + " & " + I(note.last, 2);
}

void pause(int IOSCRN, int KBD) {
    std::int32_t dropped = 0;
    PRSRET(IOSCRN, KBD, dropped);
}

// The note of item LINE, or every note (LINE 0) screen by screen.
void show_notes(std::string_view title, const std::vector<Note>& notes, std::int32_t LINE,
                int IOSCRN, int KBD) {
    heading(title, IOSCRN);
    if (LINE != 0) {
        for (const Note& note : notes) {
            if (LINE < note.first || LINE > note.last)
                continue;
            write_record(IOSCRN, " ++> Item Number  " + I(LINE, 2));
            for (const std::string_view line : note.text)
                write_record(IOSCRN, line);
            pause(IOSCRN, KBD);
            return;
        }
        write_record(IOSCRN, " ++> Sorry, no help for this line...");
        pause(IOSCRN, KBD);
        return;
    }
    int used = 0;
    for (const Note& note : notes) {
        const int size = static_cast<int>(note.text.size()) + 2;
        if (used > 0 && used + size > lines_per_screen) {
            pause(IOSCRN, KBD);
            heading(title, IOSCRN);
            used = 0;
        }
        write_record(IOSCRN, note_heading(note));
        for (const std::string_view line : note.text)
            write_record(IOSCRN, line);
        write_record(IOSCRN, "");
        used += size;
    }
    pause(IOSCRN, KBD);
}

constexpr std::string_view mooring_title = "****  Mooring Definition Notes  ****";

// clang-format off
std::vector<Note> general_page_notes(std::int32_t CREATR) {
    std::vector<Note> notes = {
        {1, 1, {"     A mooring \"leg\" is the whole line from its fairlead on the vessel",
                "     to its anchor, with every subline, buoy and clump weight between.",
                "     Enter the number of legs of the whole mooring system."}},
        {2, 2, {"     Two legs are of the same type only when their sublines, buoys,",
                "     clump weights etc. are identical and their anchor depths and",
                "     fairlead heights are equal. Each line type has a load-offset",
                "     table of its own."}},
        {3, 3, {"     The largest horizontal load of the load-offset tables that the",
                "     program computes for each line type. For catenary moorings a",
                "     value near the breaking strength of the weakest subline is",
                "     suitable; for tension-leg platforms it should lie far above the",
                "     largest tendon load expected."}},
        {4, 4, {"     The first nonzero horizontal load of the tables (their second",
                "     row; the first row is zero load): normally 0.1% to 1% of the",
                "     maximum load for catenary systems. Exactly zero lets the analysis",
                "     choose the value. Systems with vertical members want about",
                "     0.1 kips (0.1 metric tons). Bad values are flagged at run time."}},
        {5, 5, {"     Fewer table points only speed up checkout runs; keep the maximum",
                "     number of points for precise results."}},
        {6, 6, {"     What fixes the mean (pretension) profile of every line: the line",
                "     angle at the fairlead, the horizontal fairlead-anchor distance,",
                "     the total fairlead tension or the horizontal force at the",
                "     fairlead. The choices have notes of their own."}},
        {7, 7, {"     The value of the quantity chosen at item 6 for each line. For",
                "     slack lines an angle of 90 degrees, a zero distance or a zero",
                "     horizontal force is suitable."}},
        {8, 8, {"     Bottom friction reduces the anchor loads by the weight of the",
                "     line lying on the bottom times this coefficient. The fairlead",
                "     loads are not affected."}},
    };
    if (CREATR == 13)
        notes.push_back({9, 9, {"     How the vessel is attached to the buoy: by a hawser or by a",
                                "     yoke."}});
    else
        notes.push_back({9, 9, {"     \"Yes\" makes the last line (and the last line type) a hawser",
                                "     to a storage vessel. Only pure lateral offsets of the storage",
                                "     vessel can then be evaluated."}});
    const std::vector<Note> rest = {
        {10, 10, {"     The mean draft at zero trim and heel. It serves only for the",
                  "     vertical anchor-to-fairlead distances, because the fairlead",
                  "     coordinates are given from the keel."}},
        {11, 12, {"     Trim and heel angles in degrees, positive by the right-hand rule",
                  "     about the pitch and roll axes."}},
        {16, 16, {"     The new default anchor depth applies to all legs. Depths are",
                  "     positive below the waterline."}},
        {17, 17, {"     \"Yes\" lets the anchor depth of each line type be given on the",
                  "     page of its anchor subline."}},
        {18, 18, {"     A \"transparent\" bottom lets a line hang below its anchor as if",
                  "     there were no bottom: for lines anchored to towers, docks etc."}},
        {19, 19, {"     \"Yes\" keeps the first buoyant subline of each line type (the one",
                  "     nearest the fairlead) at or below the water surface; otherwise",
                  "     buoyant sublines may float above it."}},
    };
    notes.insert(notes.end(), rest.begin(), rest.end());
    return notes;
}

const std::vector<Note> profile_notes = {
    {1, 1, {"     The line angle at the fairlead is measured from the horizontal;",
            "     smaller angles mean higher pretensions."}},
    {2, 2, {"     The fairlead-anchor distance is horizontal, in plan view. It lets",
            "     a system be run again at a new water depth with the anchor",
            "     distances of a first run."}},
    {3, 3, {"     The total line tension at the fairlead."}},
    {4, 4, {"     The horizontal component of the line tension at the fairlead."}},
};

std::vector<Note> more_page_notes(std::int32_t CREATR) {
    Text sublines = {"     The maximum applies to each line type."};
    if (CREATR != 7) {
        sublines.push_back("     Buoys and clump weights count as sublines: a leg broken by one");
        sublines.push_back("     spring buoy needs at least 3 sublines.");
    }
    return {
        {1, 1, {"     The numbers of legs of the line types must add up to the total",
                "     number of legs (page 2), or an error is shown."}},
        {2, 2, sublines},
        {3, 3, {"     Fairleads are given in vessel axes: x toward the bow, y to port,",
                "     z up from the keel; the plan origin is at the centre of gravity.",
                "     The axes are right-handed.",
                "",
                "                  y (port)",
                "                  ^",
                "            ______|______",
                "           |      |      \\",
                "           |      +-------+---> x (bow)",
                "           |______CG_____/"}},
        {4, 4, {"     Plan-view angles are global: zero along +x, positive counter-",
                "     clockwise, 90 degrees along +y. With a zero heading the global",
                "     and the vessel axes coincide.",
                "",
                "                     90",
                "                     ^ +y",
                "                     |",
                "             180 ----+----> +x  0",
                "                     |",
                "                    270"}},
        {5, 5, {"     Mooring moments are taken about this point, given in vessel axes",
                "     with z from keel level."}},
        {6, 6, {"     The hawser attachment point on the storage vessel, in that",
                "     vessel's axes; or, for the turret program, the x coordinate of the",
                "     turret centroid in vessel axes."}},
        {7, 8, {"     The heading in quiescent conditions, measured from the global",
                "     zero direction (positive counter-clockwise). For the turret",
                "     program the turret heading is 0 by definition and the fairleads",
                "     are given relative to the turret."}},
        {10, 11, {"     Excluded (damaged or broken) lines take part in no equilibrium or",
                  "     load computation; line tables show zero loads and angles for",
                  "     them. Lines above 120 cannot be excluded."}},
    };
}

constexpr std::string_view output_title = "****  Output Definition Notes  ****";

std::vector<Note> output_notes(std::int32_t CREATR) {
    std::vector<Note> notes = {
        {1, 1, {"     The interpolation-table data and other static mooring",
                "     information are written."}},
        {2, 2, {"     Element endpoint positions and tangent angles may be left out",
                "     of the table output, which makes it much smaller."}},
        {3, 3, {"     When the given pretensions and line layout are not in",
                "     equilibrium, new pretensions close to the given ones are found",
                "     that are, unless this item is \"No\"."}},
        {4, 4, {"     A summary of line tensions and departure angles at the mean",
                "     offsets."}},
    };
    if (CREATR == 7 || CREATR == 8)
        return notes;
    const bool above_10 = CREATR > 10;
    const auto add = [&](std::int32_t first, std::int32_t last, Text text) {
        notes.push_back({first, last, std::move(text)});
    };
    add(5, 5, {"     Low-frequency vessel motions and line loads are written."});
    add(6, 6, {"     Wave-frequency dynamics may be switched off to save time when only",
               "     the low-frequency dynamics matter."});
    add(7, 7, {"     Line loads and motions at every node between two sublines."});
    add(8, 8, {"     Node motions are given in global axes, or in a line-local system",
               "     with x along and z normal to the line (file \"Node_Motn.stxt\")."});
    add(9, 9, {"     The chain-hinge statistics file \"Hinge_Motn.stxt\", laid out as",
               "     \"XCLDAT.stxt\": relative motion between the last link fixed to",
               "     the vessel and the first free link, for wear and fatigue."});
    add(16, 16, {"     Wave-frequency fairlead motions and line load RAOs."});
    add(17, 17, {"     Static and dynamic line load RAOs compared at the fairlead."});
    add(18, 18, {"     Wave-frequency line load RAOs at the anchor."});
    add(19, 19, {"     One line per page of wave-frequency motions and loads at a",
                 "     chosen low-frequency offset."});
    add(20, 20, {"     The large-amplitude nonlinear model of the wave-frequency loads",
                 "     in place of the small-amplitude one."});
    add(21, 21, {"     An inertial correction of the wave-frequency loads of catenary",
                 "     lines. Off by default; of pre-release quality."});
    add(22, 23, {"     Lines excluded from the inertial correction: when their number",
                 "     is not zero, the excluded line numbers must be given."});
    add(25, 25, {"     Wave-frequency loads from a constant-tension surface."});
    if (CREATR != 12 && CREATR != 14 && CREATR != 17)
        add(26, 26, {"     A three-degree-of-freedom equilibrium search in the style of",
                     "     earlier programs."});
    if (CREATR != 13)
        add(27, 27, {"     Only the wave-frequency line load RAOs are produced."});
    add(28, 28, {"     A search for an alternate equilibrium position."});
    if (CREATR == 15)
        add(29, 29, {"     The turret is locked to the hull and turns with it."});
    add(30, 30, {"     Current loads on mooring lines and risers are estimated."});
    const Text none = {};
    add(31, 31, above_10 ? Text{"     Individual line load reports are left out of SNAPOUT."} : none);
    add(32, 32, above_10 ? Text{"     An elliptical bounding box for the snapshot coordinates."} : none);
    add(33, 33, above_10 ? Text{"     The legacy model of the current-wave drift force interaction."} : none);
    add(34, 34, above_10 ? Text{"     The legacy model of peak low-frequency motions and loads."} : none);
    add(35, 35, above_10 ? Text{"     Wave absorption damping and excitation are left out."} : none);
    add(36, 36, above_10 ? Text{"     The legacy processing of the surge/sway normal modes."} : none);
    add(37, 37, above_10 ? Text{"     Gaussian peak factors for the low-frequency motions."} : none);
    add(38, 38, above_10 ? Text{"     An expanded frequency grid for the cross-correlation integrals."} : none);
    add(40, 40, above_10 ? Text{"     A tab-delimited output summary file, XCLDAT.stxt."} : none);
    add(41, 41, above_10 ? Text{"     Loads in the XCLDAT.stxt file in basin units (kiloNewtons)."} : none);
    if (CREATR == 17) {
        add(42, 42, {"     Vertical suction magnitudes of wind and current are estimated."});
        add(44, 44, {"     The legacy wave-frequency line load algorithms."});
    }
    add(51, 51, {"     The storm duration in hours, for the peak motion and load",
                 "     statistics."});
    add(52, 52, {"     The variability of the peaks across an ensemble of storms."});
    add(55, 55, {"     Turns the global coordinate system clockwise by the angle given:",
                 "     line departure angles, headings and global auxiliary forces",
                 "     change; fairleads (vessel axes) do not."});
    if (CREATR == 10 || CREATR == 13)
        add(56, 56, {"     Exchanges the data of the two bodies."});
    return notes;
}
// clang-format on

} // namespace

void MORHP1(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR) {
    show_notes(mooring_title, general_page_notes(CREATR), LINE, IOSCRN, KBD);
}

void MRHP1A(int IOSCRN, int KBD, std::int32_t LINE) {
    show_notes(mooring_title, profile_notes, LINE, IOSCRN, KBD);
}

void MORHP2(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR) {
    show_notes(mooring_title, more_page_notes(CREATR), LINE, IOSCRN, KBD);
}

void MOTHP1(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR) {
    show_notes(output_title, output_notes(CREATR), LINE, IOSCRN, KBD);
}

} // namespace lintar
