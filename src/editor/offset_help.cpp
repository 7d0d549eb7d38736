// editor/offset_help.cpp: the help pages of the offset pages (pages 5, 6, 7 and 9).
#include "editor/offset_help.h"

#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/prompts.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

namespace lintar {

namespace {

using Text = std::span<const std::string_view>;

// One note: the items it answers (first to last), the heading of those items in the full
// listing, the screen of the full listing it is shown on, and its lines.
struct Note {
    std::int32_t first;
    std::int32_t last;
    std::int32_t also; // a further item answered by the same note (0 for none)
    std::string_view heading;
    int screen;
    Text text;
};

bool answers(const Note& note, std::int32_t item) {
    return (item >= note.first && item <= note.last) || (note.also != 0 && item == note.also);
}

// The title line, centred on an 80-column screen.
void write_title(int IOSCRN, std::string_view title) {
    const int column = std::max(1, (80 - static_cast<int>(title.size())) / 2 + 1);
    write_record(IOSCRN, starting_at(column, title));
    write_record(IOSCRN, "");
}

void write_text(int IOSCRN, Text text) {
    if (text.empty())
        return;
    for (const std::string_view line : text)
        write_record(IOSCRN, line);
    write_record(IOSCRN, "");
}

// The screen of one item (LINE nonzero), or the full listing (LINE 0). has_help(item) leaves
// out the items of an arrangement that has none; extra(note) gives a text that follows a
// note (nothing for none).
template <typename HasHelp, typename Extra>
void show_help(int IOSCRN, int KBD, std::int32_t LINE, std::string_view title,
               std::span<const Note> notes, HasHelp has_help, Extra extra) {
    std::int32_t dropped = 0;
    CLEAR(IOSCRN);
    write_title(IOSCRN, title);
    if (LINE != 0) {
        write_record(IOSCRN, " ++> Item Number  " + I(LINE, 2));
        const auto note = std::find_if(notes.begin(), notes.end(),
                                       [&](const Note& n) { return answers(n, LINE); });
        if (note == notes.end() || !has_help(LINE)) {
            write_record(IOSCRN, " ++> Sorry, no help for this line...");
            write_record(IOSCRN, "");
        } else {
            write_text(IOSCRN, note->text);
            write_text(IOSCRN, extra(*note));
        }
        PRSRET(IOSCRN, KBD, dropped);
        return;
    }
    int screen = 0;
    for (const Note& note : notes) {
        if (!has_help(note.first))
            continue;
        if (screen != 0 && note.screen != screen) {
            PRSRET(IOSCRN, KBD, dropped);
            CLEAR(IOSCRN);
            write_title(IOSCRN, title);
        }
        screen = note.screen;
        const bool several = note.last > note.first || (note.also != 0 && has_help(note.also));
        write_record(IOSCRN, several ? " ++> Item Numbers " + std::string(note.heading)
                                     : " ++> Item Number  " + I(note.first, 2));
        write_text(IOSCRN, note.text);
        write_text(IOSCRN, extra(note));
    }
    PRSRET(IOSCRN, KBD, dropped);
    CLEAR(IOSCRN);
}

void show_help(int IOSCRN, int KBD, std::int32_t LINE, std::string_view title,
               std::span<const Note> notes) {
    show_help(
        IOSCRN, KBD, LINE, title, notes, [](std::int32_t) { return true; },
        [](const Note&) { return Text{}; });
}

// clang-format off

// Page 5.
constexpr std::string_view lateral_count[] = {
    "     A lateral offset sequence moves the vessel step by step along one",
    "     direction in the waterplane. During the sequence the vessel is",
    "     displaced rigidly: it does not respond to the mooring forces or",
    "     moments. This item sets the number of such sequences (directions).",
    "     For a CALM-type system (a buoy on a single flexible hawser to a",
    "     tanker) these offsets move the buoy laterally only, without trim,",
    "     heel or pull-down; those need \"continuous equilibrium\" offsets.",
};
constexpr std::string_view lateral_values_count[] = {
    "     All lateral sequences share one array of offset values; this item",
    "     sets the number of values in it.",
};
constexpr std::string_view lateral_directions[] = {
    "     Directions are angles in the earth-fixed, right-handed global",
    "     system, z upwards: zero lies along +x and angles grow counter-",
    "     clockwise, so that 90 degrees lies along +y. At a heading of 0 the",
    "     global system coincides with the vessel system.",
    "",
    "                 +y (90 deg)",
    "                  ^",
    "                  |",
    "                  |",
    "                  +------> +x (0 deg)",
};
constexpr std::string_view lateral_values[] = {
    "     The array of lateral offset values common to all lateral",
    "     directions, in the length unit of the data file.",
};
constexpr std::string_view yaw_count[] = {
    "     A yaw sequence rotates the vessel step by step about an axis",
    "     perpendicular to the waterplane. With initial trim or heel these",
    "     are not true yaw offsets: the earth-vertical rotation axis then",
    "     passes through the vessel-fixed waterplane centroid",
    "     (Vx,Vy,Vz) = (0,0,draft). The vessel does not respond to the",
    "     mooring during a sequence.",
};
constexpr std::string_view yaw_values_count[] = {
    "     Both yaw sequences share one array of yaw offset values; this item",
    "     sets the number of values in it.",
};
constexpr std::string_view yaw_sense[] = {
    "     Only two yaw sequences exist: clockwise (-1) or counter-clockwise",
    "     (+1), seen from above.",
};
constexpr std::string_view yaw_values[] = {
    "     The array of yaw offset values, in degrees.",
};
constexpr std::string_view vertical_count[] = {
    "     A vertical sequence translates all fairleads vertically by the",
    "     same amount, for example to follow a tidal variation; this item",
    "     sets the number of points in the sequence.",
};
constexpr std::string_view vertical_values[] = {
    "     The array of vertical offset values, positive or negative, in the",
    "     length unit of the data file.",
};

constexpr Note lateral_notes[] = {
    {1, 1, 0, "", 1, lateral_count},    {2, 2, 0, "", 1, lateral_values_count},
    {3, 3, 0, "", 1, lateral_directions}, {4, 4, 0, "", 1, lateral_values},
    {5, 5, 0, "", 2, yaw_count},        {6, 6, 0, "", 2, yaw_values_count},
    {7, 7, 0, "", 2, yaw_sense},        {8, 8, 0, "", 2, yaw_values},
    {9, 9, 0, "", 3, vertical_count},   {10, 10, 0, "", 3, vertical_values},
};

// Page 6.
constexpr std::string_view rectilinear_count[] = {
    "     Oblique rectilinear offsets are prescribed translations with no",
    "     restriction on their direction. Directions in the waterplane,",
    "     (Gx,Gy,0), reproduce the lateral offsets of the \"Hand of God\"",
    "     page; (0,0,1) reproduces its vertical offsets. The vessel does not",
    "     respond to the mooring during a sequence.",
};
constexpr std::string_view oblique_values_count[] = {
    "     The number of values in the offset array. All sequences of one",
    "     kind, rectilinear or rotational, share one array of values.",
};
constexpr std::string_view rectilinear_directions[] = {
    "     A direction is any vector (Gx,Gy,Gz) of the global system; only its",
    "     direction counts, not its magnitude: (1,0,1) equals (2,0,2).",
};
constexpr std::string_view rectilinear_values[] = {
    "     The array of offset distances common to all oblique rectilinear",
    "     sequences.",
};
constexpr std::string_view rotational_count[] = {
    "     Any axis can be a rotation axis for prescribed rotational offsets;",
    "     a vertical axis reproduces the yaw offsets of the \"Hand of God\"",
    "     page.",
};
constexpr std::string_view axis_directions[] = {
    "     The rotation axis as a vector of the global system. (1,0,0) is roll",
    "     and (0,1,0) pitch only while the global and vessel systems",
    "     coincide, that is without initial trim or heel; (1,1,0) is a",
    "     horizontal axis at 45 degrees.",
};
constexpr std::string_view axis_origin[] = {
    "     The vessel-fixed origin (Vx,Vy,Vz) of the rotations, customarily",
    "     the waterplane centroid (0,0,draft). It is needed for oblique",
    "     rotation sequences and for the sequences of INPUTOFF.txt.",
};
constexpr std::string_view axis_sense[] = {
    "     The sense of rotation about each axis: +1 advances a right-handed",
    "     screw along the axis, -1 retracts it.",
};
constexpr std::string_view rotational_values[] = {
    "     The array of rotational offset values, in degrees, common to all",
    "     oblique rotational sequences.",
};
constexpr std::string_view offsets_file[] = {
    "     Offsets can also be read from the text file INPUTOFF.txt in the",
    "     working directory:",
    "       line 1:  NSEQ, the number of sequences (no limit);",
    "       then for each sequence a line with NOFF, the number of offsets",
    "       in it (at most 50: a larger block is cut to 50 rows), followed",
    "       by NOFF lines of six numbers Gx, Gy, Gz, Rx, Ry, Rz: the offset",
    "       of the centre of gravity in global components, then a finite",
    "       rotation vector, whose length is the rotation angle in radians",
    "       and whose direction is the rotation axis (right-hand rule).",
    "     A sample of two sequences of three offsets:",
    "       2",
    "       3",
    "       0.0, 0.0, 0.0, 0.0, 0.0, 0.0",
    "       5.0, 0.0, 0.0, 0.0, 0.0, 0.0",
    "       10.0, 0.0, 0.0, 0.0, 0.0, 0.0",
    "       3",
    "       0.0  0.0  0.0  0.0  0.0  0.0",
    "       0.0  0.0  0.0  0.0  0.0  0.05",
    "       0.0  0.0  0.0  0.0  0.0  1.0E-1",
    "     Rotations are taken about the origin of item 8, which must be set.",
    "     Numbers are separated by blanks, tabs or commas, in any real",
    "     notation. The file ends with at least one blank line.",
};

constexpr Note oblique_notes[] = {
    {1, 1, 0, "", 1, rectilinear_count},
    {2, 2, 6, " 2 and  6", 1, oblique_values_count},
    {3, 3, 0, "", 1, rectilinear_directions},
    {4, 4, 0, "", 1, rectilinear_values},
    {5, 5, 0, "", 2, rotational_count},
    {7, 7, 0, "", 2, axis_directions},
    {8, 8, 0, "", 2, axis_origin},
    {9, 9, 0, "", 3, axis_sense},
    {10, 10, 0, "", 3, rotational_values},
    {15, 15, 0, "", 4, offsets_file},
};

// Page 7.
constexpr std::string_view force_count[] = {
    "     A \"continuous equilibrium\" sequence applies a sequence of forces.",
    "     Unlike prescribed offsets, vessel and mooring settle at each value",
    "     into free-body equilibrium with hydrostatics and the applied force.",
    "     The hydrostatic model assumes small displacements: waterplane",
    "     areas and metacentric heights do not change with draft, trim or",
    "     heel. Forces and force couples may be applied simultaneously.",
};
constexpr std::string_view values_count[] = {
    "     The number of values in each sequence; all sequences of forces",
    "     (force couples) share one array of values.",
};
constexpr std::string_view force_directions[] = {
    "     The direction of the force at its point of application, as a",
    "     vector of the vessel-fixed or the earth-fixed system (item 6); its",
    "     magnitude is unimportant. All forces of a sequence share one",
    "     direction and one system.",
};
constexpr std::string_view force_directions_hawser[] = {
    "     For CALM hawsers the direction is global, (Gx,Gy): only its first",
    "     two components are used, the vertical one following from the end",
    "     points of the hawser and the position of the buoy.",
};
constexpr std::string_view force_values[] = {
    "     The force magnitudes, shared by all force sequences. A sequence",
    "     that starts at a nonzero value can hinder convergence, so begin",
    "     every sequence at zero.",
};
constexpr std::string_view force_values_hawser[] = {
    "     For CALM hawsers give only the horizontal component of the hawser",
    "     force.",
};
constexpr std::string_view application_point[] = {
    "     The point of application of the force in vessel coordinates",
    "     (Vx,Vy,Vz), needed for the moments of the force.",
};
constexpr std::string_view force_system[] = {
    "     Vessel system: for a vessel-fixed thruster, whose force turns with",
    "     the vessel. Global system: for a tug pulling in a fixed direction",
    "     of the earth.",
};
constexpr std::string_view couple_count[] = {
    "     A \"continuous equilibrium\" sequence of applied force couples (pure",
    "     moments): vessel and mooring settle at each value into free-body",
    "     equilibrium with hydrostatics and the applied couple, under the",
    "     same small-displacement hydrostatics as the forces. Forces and",
    "     force couples may be applied simultaneously.",
};
constexpr std::string_view couple_axes[] = {
    "     The axis of the force couple as a vector: roll (1,0,0), pitch",
    "     (0,1,0), or an oblique axis such as (1,1,0).",
};
constexpr std::string_view couple_values[] = {
    "     The force couple values, shared by all couple sequences; begin",
    "     every sequence at zero. All couples of a sequence share one axis.",
};
constexpr std::string_view couple_system[] = {
    "     Vessel system: for a couple fixed to the vessel, turning with it.",
    "     Global system: for a couple about a fixed direction of the earth.",
};
constexpr std::string_view simultaneous[] = {
    "     Simultaneous application pairs force direction k with couple axis",
    "     k and force value i with couple value i: it needs equal numbers of",
    "     sequences and equal numbers of values per sequence.",
};
constexpr std::string_view grid_override[] = {
    "     Offsets that move fairleads vertically need further interpolation",
    "     tables above and below the initial fairlead levels. The default",
    "     grid suits catenary moorings. For taut moorings (tension-leg",
    "     platforms) use the most layers and a half-span just above the",
    "     largest pull-down expected.",
};
constexpr std::string_view grid_layers[] = {
    "     The number of levels of the vertical interpolation grid: an odd",
    "     number, at least 3 and at most 29.",
};
constexpr std::string_view grid_span[] = {
    "     The total span of the vertical interpolation region: choose one",
    "     that keeps all fairleads inside it during the sequences. For",
    "     rotations, at most twice the distance from the waterplane centroid",
    "     to the farthest fairlead.",
};

constexpr Note equilibrium_notes[] = {
    {1, 1, 0, "", 1, force_count},
    {2, 2, 8, " 2 and  8", 1, values_count},
    {3, 3, 0, "", 1, force_directions},
    {4, 4, 0, "", 1, force_values},
    {5, 5, 0, "", 2, application_point},
    {6, 6, 0, "", 2, force_system},
    {7, 7, 0, "", 3, couple_count},
    {9, 9, 0, "", 3, couple_axes},
    {10, 10, 0, "", 3, couple_values},
    {11, 11, 0, "", 4, couple_system},
    {12, 12, 0, "", 4, simultaneous},
    {14, 14, 0, "", 5, grid_override},
    {15, 15, 0, "", 5, grid_layers},
    {16, 16, 0, "", 5, grid_span},
};

// Page 9.
constexpr std::string_view prescribed_force[] = {
    "     A constant force in the waterplane and/or couple about the",
    "     vertical, fixed to the vessel or to the earth, gives a new",
    "     plan-view equilibrium from which all prescribed-offset sequences",
    "     start. The equilibrium search is limited to the waterplane and so",
    "     cannot be combined with \"continuous equilibrium\" offsets. It",
    "     mimics the mean environmental loads on a large vessel whose draft,",
    "     trim and heel they leave unchanged.",
};
constexpr std::string_view force_magnitudes[] = {
    "     The magnitudes of the force components and of the applied moment.",
};
constexpr std::string_view force_components_system[] = {
    "     A vessel-fixed thruster gives components constant in the vessel",
    "     system; a tug pulling in a fixed direction of the earth gives",
    "     components constant in the global system.",
};
constexpr std::string_view force_point[] = {
    "     The plan-view point of application in the vessel system (Vx to the",
    "     bow, Vy to port, Vz upwards, origin at the waterplane centroid).",
    "     The couple of item 4 acts in addition to the moment of the force.",
};
constexpr std::string_view initial_offset[] = {
    "     An initial global offset and orientation given directly, relative",
    "     to the initial (normally equilibrium) position. The output reports",
    "     the force and moment needed to produce it, and all sequences start",
    "     from it. Initial trim or heel are set on the principal mooring",
    "     page. No hydrostatics are included: the vertical forces and the",
    "     horizontal moments reported are sums over the mooring lines only.",
};
constexpr std::string_view initial_position[] = {
    "     The initial position as a global offset (Gx, Gy, Gz and yaw) from",
    "     the unforced equilibrium.",
};

constexpr Note pre_offset_notes[] = {
    {1, 1, 0, "", 1, prescribed_force},
    {2, 4, 0, " 2 -> 4", 1, force_magnitudes},
    {5, 5, 0, "", 2, force_components_system},
    {6, 7, 0, " 6 -> 7", 2, force_point},
    {10, 10, 0, "", 3, initial_offset},
    {11, 13, 0, "11 -> 13", 3, initial_position},
};

// clang-format on

} // namespace

// CATHLP: page 5's notes, in three screens (lateral, yaw, vertical).
void CATHLP(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR) {
    (void)CREATR;
    show_help(IOSCRN, KBD, LINE, "****  \"Hand of God\" Offset Definition Notes  ****",
              lateral_notes);
}

// CATHP2: page 6's notes, in four screens; item 15 gives the offsets file's format.
void CATHP2(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR) {
    (void)CREATR;
    show_help(IOSCRN, KBD, LINE, "****  Oblique Offset Sequence Definition Notes  ****",
              oblique_notes);
}

// CTHLP3: page 7's notes, in five screens; a hawser has notes for items 1 to 4 and 14 to 16.
void CTHLP3(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR, std::int32_t IARCO) {
    (void)CREATR;
    const bool hawser = IARCO != 0;
    show_help(
        IOSCRN, KBD, LINE, "****  \"Continuous Equilibrium\" Offset Definition Notes  ****",
        equilibrium_notes, [hawser](std::int32_t item) { return !hawser || item < 5 || item > 12; },
        [hawser](const Note& note) {
            if (hawser && note.first == 3)
                return Text{force_directions_hawser};
            if (hawser && note.first == 4)
                return Text{force_values_hawser};
            return Text{};
        });
}

// CTHLP2: page 9's notes, in three screens.
void CTHLP2(int IOSCRN, int KBD, std::int32_t LINE) {
    show_help(IOSCRN, KBD, LINE, "****  Vessel Environmental Load Notes  ****", pre_offset_notes);
}

} // namespace lintar
