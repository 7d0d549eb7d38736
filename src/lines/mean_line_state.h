// lines/mean_line_state.h: the state of one mooring line at its mean fairlead-anchor
// distance, read from the line tables, and the check of that distance against its table: what
// the mean line results (MENSET), the line current drag (LINDRG), the equilibrium summary
// (EQLOUT), the line damping (QDAMP, LDAMP) and the disc buoy's line springs (DYNSPR) read in
// the same way.
#pragma once

#include "lines/mooring_force.h"

#include <cstdint>
#include <functional>
#include <span>

namespace lintar {

// The line's state. The friction, grounded length and slope bracket come from the tables on
// both paths (tables without a friction table read no friction); FGZTMP and DELZ only from
// LOADUP (0 and the caller's own span otherwise).
struct MeanLineState {
    float HMEAN = 0.0f;  // horizontal tension
    float TTEN = 0.0f;   // top tension
    float TANG = 0.0f;   // top angle, radians above the horizontal
    float BANG = 0.0f;   // bottom angle
    float BLEN = 0.0f;   // length on the bottom
    float FTEN = 0.0f;   // seabed friction
    float BTEN = 0.0f;   // bottom tension, friction not taken off
    float FGZTMP = 0.0f; // vertical force on the fairlead, negative downward (LOADUP)
    float TOPT1 = 0.0f;  // slope bracket of the catenary solve: tan of the top angle at the
    float TOPT2 = 0.0f;  // next table point (and layer row) and at the bracket's own
    std::int32_t layer = 1;
    float DZFLDG = 0.0f;      // vertical fairlead offset the state was read at
    float DELZ = 0.0f;        // fairlead height above the anchor (LOADUP)
    bool from_loadup = false; // read by LOADUP, so DELZ and FGZTMP hold
    std::int32_t IER = 0;     // code of the table search (table path)
};

// The program codes whose lines are read in six degrees of freedom: SIMTYP 17, or 14 with
// LEGTLP 0.
bool six_dof_lines(std::int32_t SIMTYP, std::int32_t LEGTLP);

// loadup_line_state: line ILIN of type t at distance RANC raised ZANC above its entered height,
// by LOADUP; the friction from the same layer blend (INTRPS), the slope bracket from the layer
// rows around it. Reads TPCM's DRAFT and EDUNIT; ends the run as LOADUP does.
MeanLineState loadup_line_state(const LineTables& tables, const MooringLines& lines, int ILIN,
                                int t, float RANC, float ZANC);

// table_line_state: line type t at distance RANC in row MIDLYR: the horizontal tension from the
// distances, the rest against the loads, all in the bracket of the search (linear, and
// extrapolated outside the table; IER keeps the search's code for the caller to report).
MeanLineState table_line_state(const LineTables& tables, int t, float RANC);

// mean_line_state: the state of line ILIN of type t at distance RANC. Above slack_distance by
// LOADUP (six_dof) or the table, the bottom tension HMEAN / cos(bottom angle); at or below it
// the line has no horizontal tension nor friction and takes the first table point's top
// tension, angles and grounded length, its bottom tension |top tension - line weight|.
MeanLineState mean_line_state(const LineTables& tables, const MooringLines& lines, int ILIN, int t,
                              float RANC, float ZANC, float slack_distance, bool six_dof);

// Where a damping routine takes a line's end values from, off the tension-leg programs: the
// tangents CATCOM holds of the line's last shape solve, or the angles the tables give at the
// line's distance.
enum class LineEnds { solved_tangents, table_angles };

// The slope bracket of the tension-leg programs: about the top tangent CATCOM holds (0.5 and 4
// times it), or about the tangent of the mean results' top angle (0.5 times it, and 4 times
// that lower bound).
enum class TensionLegBracket { solved_top_tangent, mean_top_angle };

// The two choices in which the damping routines read a line's mean state differently.
struct FairleadStateOptions {
    LineEnds ends = LineEnds::table_angles;
    TensionLegBracket bracket = TensionLegBracket::solved_top_tangent;
};

// The mean state a damping routine solves line n in: horizontal load, end tensions, end
// values QF and QB (tangents or angles, as the options say), the slope bracket of the shape
// solve and the length on the bottom.
struct FairleadState {
    float HMEAN = 0.0f;
    float TPTEN0 = 0.0f;
    float BTTEN0 = 0.0f;
    float QF = 0.0f;
    float QB = 0.0f;
    float TOPT1 = 0.0f;
    float TOPT2 = 0.0f;
    float BOTLEN = 0.0f;
};

// fairlead_mean_state: the mean state of line n of type t at distance RANC. In six degrees of
// freedom the horizontal load, end tensions and end tangents are those of the mean results
// (OUTCOM's H_MEAN, TMEAN, BMEAN, CATCOM's TANARR), the bottom tension less the friction at
// that load, the bracket as options.bracket says; otherwise table_line_state at RANC, the end
// values as options.ends says and the bottom tension HMEAN sqrt(1 + s^2) less the friction
// (s the tangent of the bottom end), never below 0. The grounded length is the table's at the
// load. Reads OUTCOM, CATCOM and TPCM's NELEM; writes nothing.
FairleadState fairlead_mean_state(const LineTables& tables, int n, int t, float RANC, bool six_dof,
                                  FairleadStateOptions options);

// check_line_distance: RNGCHK of RANC against points 2..NTAB of type t's distances in row
// MIDLYR. When RANC is above checked_above and TPCM's TENDON_FLG is 0: outside a monotonic
// table the once-per-flag TNSWRN warning (kind 2, "A fairlead-anchor distance", flag word
// MRWRNS), a table that is not monotonic handed to non_monotonic(t). Reads TPCM's EDUNIT;
// ends the run when the user answers "A" at the warning.
void check_line_distance(const LineTables& tables, int ILIN, int t, float RANC, float checked_above,
                         std::int32_t& MRWRNS, const std::function<void(int)>& non_monotonic);

// non_monotonic_prompt: the abort prompt after a message that a table is not monotonic, on
// EDUNIT: "A" ends the run (the user's choice); an unattended run (EDUNIT 41) cannot go on with
// a broken table and stops with status 1.
void non_monotonic_prompt(int EDUNIT);

} // namespace lintar
