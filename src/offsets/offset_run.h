// offsets/offset_run.h: the working state of the offset-table analysis that its driver
// (offset_tables.cpp) and its evaluation of one offset point (point_evaluation.cpp) share.
// Internal to the offset-table analysis.
#pragma once

#include "datafile/offset_counts.h"
#include "lines/mooring_force.h"
#include "offsets/offset_tables.h"
#include "util/angles.h"

#include <array>
#include <cstdint>
#include <span>

namespace lintar {

struct OffsetRun {
    // ---- Result tables of the current sequence ------------------------------------------
    OffsetTables T;

    // ---- The sequence --------------------------------------------------------------------
    std::int32_t TABTYP = 0; // kind
    std::int32_t NREP = 0;   // sequences of the kind
    std::int32_t IREP = 0;   // the current one
    std::int32_t NOFF = 0;   // points of the sequence (at most 50)
    std::int32_t INCVAL = 0; // the current point
    std::int32_t NPAG = 0;   // eight-line column blocks of a per-line table
    std::int32_t IEQSET = 2; // force routines record the displaced geometry of every line
    float OFFANG = 0.0f;     // direction of a lateral sequence (radians)
    float SINFAC = 0.0f;     // its sine; also the yaw or rotation sense
    float COSFAC = 0.0f;
    // Global x, y into the lateral direction: first row (cos, sin), second (-sin, cos) of
    // OFFANG, stored by columns.
    std::array<float, 4> ZROTO = {1.0f, 0.0f, 0.0f, 1.0f};
    std::array<float, 3> FUNIT{}; // unit offset or force direction
    std::array<float, 3> TUNIT{}; // unit couple axis
    // Direction of the current user-file sequence, kept here for every block; RCTDIR of TPCM
    // holds only the first ten.
    std::array<float, 3> user_direction{};

    // ---- The state of the current point ---------------------------------------------------
    std::array<float, 6> XVEC{}; // x, y, z and rotation vector (radians)
    std::array<float, 6> FEXT{}; // prescribed force and couple of a "continuous equilibrium"
    // Trial position RVESP, heave ZVESP, heading VESANP (VESAN0 the reference heading) and the
    // finite rotation ROTDIR, ROTVAL (degrees), ROTMOD of the point, as the force routines take
    // them; EQUILB carries copies of the rotation for a caller of CATTBL (publish_state).
    SixDofState P;
    // The lines the force routines and the turret moment sum at the point.
    std::int32_t MINLN = 1;
    std::int32_t MAXLN = 0;

    // ---- Run constants ------------------------------------------------------------------
    bool TRIMFL = false;     // trim or heel present
    Mat3 TRIMHL = identity3; // the trim-heel rotation
    Mat3 EPSROT = identity3; // no perturbation: the force routine's identity
    std::array<float, 3> EPS{};
    bool PNTTRT = false; // all turret fairleads at one point
    char ITYP1 = 'A';    // the line-type label of the tension warnings

    // ---- Records of the sequence ----------------------------------------------------------
    SpanWarning warn; // IOFLAG (99 after the first span warning) and SPNERR
    std::int32_t OVRFLO = 0, BADLIN = 0, NOVFLO = 0; // first load above the tables
    bool VTABOV = false;                             // first point outside the vertical span
    std::int32_t VRTBAD = 0, NVTOFL = 0;
    std::int32_t FRSTFL = 0, ITFLWN = 0, NITRFL = 0; // equilibrium points not converged
    std::int32_t QUITFG = 0;
    bool ITFAIL = false;

    // ---- Point values kept from point to point ----------------------------------------------
    // Mooring force and moment in global and in vessel axes, the rotation angles (radians) and
    // the energy of the mooring.
    float FGXTMP = 0.0f, FGYTMP = 0.0f, FGZTMP = 0.0f, TGXTMP = 0.0f, TGYTMP = 0.0f, TGZTMP = 0.0f;
    float FVXTMP = 0.0f, FVYTMP = 0.0f, FVZTMP = 0.0f, TVXTMP = 0.0f, TVYTMP = 0.0f, TVZTMP = 0.0f;
    float PITANG = 0.0f, ROLANG = 0.0f, YAWANG = 0.0f, ERGMOR = 0.0f;
    // The twelve loads at the first point (vessel force, vessel moment, global force, global
    // moment) and the energy there.
    std::array<float, 12> first_loads{};
    float ERGMOR0 = 0.0f;
    std::int32_t ILAYR = 0; // layer row and fraction of the hawser fairlead (equilibrium)
    float DELLAY = 0.0f;
};

// The values of point INCVAL of a table (150 of them).
inline std::span<float> point_column(OffsetTable& table, std::int32_t INCVAL) {
    return std::span<float>(table).subspan(slot(INCVAL) *
                                               static_cast<std::size_t>(offset_table_values),
                                           static_cast<std::size_t>(offset_table_values));
}

// The evaluation of point run.INCVAL of the current sequence, whose state the driver has set:
// the mooring force and moment (or the equilibrium under FEXT for the "continuous
// equilibrium" kinds), trim and heel, the zero at the first point, the hawser of a CALM
// arrangement, the restoring force along the offset, every line's loads, lengths and angles,
// the overflow and span records, the summary rows and the stiffness matrices, into row INCVAL
// of the result tables. Reads TPCM, LINCOM, EQUILB; writes EQUILB
// (stiffness) and LINCOM's displaced geometry and scratch. Tension warnings and span warnings
// may end the run at their abort pauses; the equilibrium search may end it (see EQFND2).
// Sets in the run: OVRFLO, BADLIN, NOVFLO (first load above the tables), NVTOFL, VRTBAD,
// VTABOV (first span warning), row INCVAL of T's per-line and summary tables, and what its
// steps set (mooring_loads, trim_and_zero, hawser_step, summary_rows, stiffness in
// point_evaluation.cpp).
void evaluate_offset_point(OffsetRun& run);

} // namespace lintar
