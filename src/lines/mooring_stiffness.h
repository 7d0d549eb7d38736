// lines/mooring_stiffness.h: the six-by-six mooring stiffness by central differences of the
// six-degree-of-freedom mooring force, in single (STIFFY) and double precision (STFDP2, with
// its force routine FMRDP2), and the check of the difference steps before a run.
//
// A matrix holds at (J, I) the derivative of load J (Fx, Fy, Fz, Mx, My, Mz) with respect to
// displacement I (x, y, z, rotations about x, y, z), so a restoring mooring has negative
// diagonal terms. Each matrix is also copied by columns into column INCVAL of a table of 150
// rows: entry (J, I) at row (I - 1) x 6 + J.
#pragma once

#include "lines/mooring_force.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace lintar {

// Rows of the tables STFMXG / STFMXV that keep each stiffness matrix by columns.
inline constexpr int stiffness_table_rows = 150;

// The point at which the stiffness is taken: the finite rotation (global unit axis, degrees,
// length as entered), offset, heading, heave, trim, and the horizontal turn into vessel axes
// ZROTV (2 x 2 by columns; first row (cos psi, sin psi), second (-sin psi, cos psi)).
struct StiffnessPoint {
    std::array<float, 3> ROTDIR = {1.0f, 0.0f, 0.0f};
    float ROTVAL = 0.0f;
    float ROTMOD = 1.0f;
    float RVESP1 = 0.0f, RVESP2 = 0.0f;
    float VESANP = 0.0f;
    float ZVESP = 0.0f;
    bool TRIMFL = false;
    Mat3 TRIMHL = identity3;
    std::array<float, 4> ZROTV = {1.0f, 0.0f, 0.0f, 1.0f};
};

// What is asked for: global and vessel-axes matrices, their symmetrisation, the steps (radians
// and length units), the table column, the lines, and the centre (vessel axes) of moments and
// rotations.
struct StiffnessRequest {
    std::int32_t NSTIFG = 1, NSTIFV = 0, GSTSYM = 0, VSTSYM = 0;
    float EPSRAD = 0.001f;
    float EPSDST = 0.01f;
    std::int32_t INCVAL = 1;
    std::int32_t MINLN = 1, MAXLN = 0;
    float XCNTR = 0.0f, YCNTR = 0.0f, ZCNTR = 0.0f;
};

// A 6 x 6 matrix by columns, entry (J, I) at (I - 1) x 6 + J - 1.
using Matrix66 = std::array<float, 36>;

// STIFFY: the matrices asked for at the point, by FMOOR2 on the tables of LINCOM (TPCM's
// VESAN0, RFLD, DRAFT, XSALM...; 13 or 25 evaluations), into GSTF66 / VSTF66 and column INCVAL
// of STFMXG / STFMXV (150 rows each; rows 37..150 untouched). A matrix not asked for keeps its
// content. The force routine's span warning comes at most once per call, on EDUNIT; "A" at its
// prompt ends the run.
void STIFFY(std::span<float> STFMXG, std::span<float> STFMXV, Matrix66& GSTF66, Matrix66& VSTF66,
            const StiffnessPoint& point, const StiffnessRequest& request);

// STFDP2: STIFFY with the evaluations in double precision (FMRDP2) on the widened tables of
// the last table build; the axis goes to the force routine in vessel axes (ZROTV); each entry
// is rounded once, when stored.
void STFDP2(std::span<float> STFMXG, std::span<float> STFMXV, Matrix66& GSTF66, Matrix66& VSTF66,
            const StiffnessPoint& point, const StiffnessRequest& request);

// The double-precision force of STFDP2: the vessel (axis in vessel axes), the evaluation kind
// and perturbation, the centre of moments and rotations, and the lines in double precision.
struct WideState {
    double RVES1 = 0.0, RVES2 = 0.0, ZVES = 0.0, VESANG = 0.0, VESAN0 = 0.0;
    std::array<double, 3> ROTDIR = {1.0, 0.0, 0.0};
    double ROTVAL = 0.0, ROTMOD = 1.0;
};
struct WidePerturbation {
    std::int32_t DRVFLG = 0;
    std::array<double, 9> EPSROT = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    std::array<double, 3> EPS = {0.0, 0.0, 0.0};
    std::array<double, 9> TRIMHL = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    bool TRIMFL = false;
};
struct WideLines {
    std::vector<double> RANC, ANGDEP, RFLD; // 150, 150, (3, 150)
    std::span<const std::int32_t> LINEID;
    std::int32_t MINLN = 1, MAXLN = 0;
    double XMCTR = 0.0, YMCTR = 0.0, ZMCTR = 0.0; // moment centre and centre of rotation
    bool LSPM = false;
};
struct WideLoads {
    std::array<double, 6> G{}; // FGXMOR, FGYMOR, FGZMOR, TGXMOR, TGYMOR, TGZMOR
    std::array<double, 6> V{}; // FVXMOR ... TVZMOR
    std::array<double, 9> ASMCOR{}, ROTVO{}, ZROTL{};
};

// FMRDP2: the mooring force of lines MINLN..MAXLN in double precision from the widened tables
// (the layer grid of `grid`), as FMOOR2 but with the axis in vessel axes, the tables blended
// linearly between the rows, and the yaw moments zeroed for a turret mooring. The span warning
// is FMOOR2's (span_check), once per flag warn.IOFLAG; STFDP2 leaves the tendon switch off;
// "A" at its prompt ends the run. With IEQSET 2 the displaced geometry goes to `recorded`, as
// FMOOR2 records it (STFDP2 passes 0).
WideLoads FMRDP2(const WideState& state, const WidePerturbation& p, const WideLines& lines,
                 const WideLineTables& tables, const LineTables& grid, SpanWarning& warn,
                 std::int32_t IEQSET = 0, const DisplacedGeometry& recorded = {});

// check_stiffness_increments: before the first offset sequence, when TPCM asks for a stiffness
// matrix (NSTIFG or NSTIFV 1) and a difference step (EPSDST, EPSDEG) is 0, writes a message
// naming the option on EDUNIT, pauses for Return and ends the run (status 1): a zero step
// would divide by zero and print matrices of NaN.
void check_stiffness_increments();

} // namespace lintar
