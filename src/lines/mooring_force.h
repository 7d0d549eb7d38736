// lines/mooring_force.h: the table-based mooring force: in the horizontal plane (FMOOR,
// FMOOR_PLUS) and in six degrees of freedom (FMOOR2, VARUPD), the state of one line from the
// layered tables (LOADUP), and one column of the horizontal-plane stiffness (SPRING).
//
// Every routine reads the line tables through a LineTables view and the lines through a
// MooringLines view, so that the static equilibrium, the offset table, the low-frequency and
// time-domain analyses call the same code on LINCOM (lincom_tables(), lincom_mooring_lines()) or on
// tables of their own. None keeps state between calls; none is re-entered.
#pragma once

#include "blocks/lincom.h"
#include "lines/stress_strain.h"
#include "runtime/assert.h"
#include "util/matrix3.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace lintar {

// A 3 x 3 matrix stored by columns (util/matrix3.h).
using Mat3 = Matrix3<float>;
inline constexpr Mat3 identity3 = identity_matrix3<float>();

// The line tables of every type (LINCOM layout: point k, layer row L, type t, first index
// fastest) with the span and grid that go with them.
struct LineTables {
    std::span<const float> HLOD;            // horizontal load of point k (NTAB points)
    std::span<const float> ANCDST;          // fairlead-anchor distance (90, 29, 150)
    std::span<const float> TOPTEN;          // top tension
    std::span<const float> BOTLEN;          // length on the bottom
    std::span<const float> TOPANG;          // top angle, radians above the horizontal
    std::span<const float> BOTANG;          // bottom angle
    std::span<const float> FFRICT;          // seabed friction at the anchor
    std::span<const float> TT_SPLINE_DERIV; // second derivatives of TOPTEN across the rows
    std::span<const float> ZDIST_ARR;       // layer coordinate of row L (L itself)
    std::int32_t MIDLYR = 1;                // row of the fairlead height as entered
    std::int32_t NLAYER = 1;                // layer rows in use
    std::int32_t NTAB = 90;                 // points per column
    float DLAYER = 0.0f;                    // height step between rows
    float ZSPAN = 0.0f;                     // height of the vertical span

    // Column of type t in row L from point 1 on (the next row follows 90 values further on).
    std::span<const float> column(std::span<const float> table, int L, int t) const;
};

// The lines: reference distance and azimuth (degrees) to the anchor, fairleads (3, 150) in
// the body frame, identities (type in the low 10 bits, above 1024 skipped), per type anchor
// depth and submerged weight, and the range of lines summed.
struct MooringLines {
    std::span<const float> RANC;
    std::span<const float> ANGDEP;
    std::span<const float> RFL;
    std::span<const std::int32_t> LINEID;
    std::span<const float> ANCHGT;
    std::span<const float> TOTWT;
    std::int32_t MINLN = 1;
    std::int32_t MAXLN = 0;
};

// Where a force routine records each line's displaced geometry when IEQSET is 2 (distance,
// vertical fairlead displacement, azimuth in degrees); empty spans record nothing.
struct DisplacedGeometry {
    std::span<float> RANCP;
    std::span<float> ZANCP;
    std::span<float> ANGDPP;
};

// The tables of LINCOM (FFRICT included) with the grid of TPCM (NUMTAB, NLAYER, ZSPAN) and
// LINCOM's MIDLYR, DLAYER.
LineTables lincom_tables();
// The lines MINLN..MAXLN: RANC, LINEID, TOTWT of LINCOM; ANGDEP, RFLD, ANCHGT of TPCM.
MooringLines lincom_mooring_lines(std::int32_t MINLN, std::int32_t MAXLN);
// LINCOM's RANCP, ZANCP, ANGDPP.
DisplacedGeometry lincom_displaced();

// The tables the double-precision force reads (HLOD, ANCDST, TOPTEN, TOPANG of LINCOM),
// widened at the first use after a table build rather than at every stiffness evaluation (the
// same values while the tables do not change), and only over the extent in use: layer rows
// 1..layers of types 1..types, each row whole (the blended readers step from a row to the next
// by a whole row of points), rows of a type one after another, types one after another.
struct WideLineTables {
    std::vector<double> HLOD, ANCDST, TOPTEN, TOPANG;
    int layers = 0; // layer rows held per type
    int types = 0;  // line types held
    bool built = false;

    // Rows L and L + 1 of type t of `table` (ANCDST, TOPTEN or TOPANG), from point 1 on: what
    // a blended search or interpolation between the two rows reads. Defined here so that the
    // stiffness's inner loop inlines it.
    std::span<const double> rows(const std::vector<double>& table, int L, int t) const {
        LINTAR_ASSERT(t >= 1 && t <= types && L >= 1 && L + 1 <= layers, "widened rows");
        const std::size_t start = col_major(1, lincom_points, L, layers, t, types);
        return std::span<const double>(table).subspan(start, 2 * std::size_t{lincom_points});
    }
};

// widen_line_tables: LINCOM's tables have changed; the copies are widened anew at their next
// use. The table stage (MRSTAT) calls it after every build; so must anything else that
// changes the tables.
void widen_line_tables();

// wide_line_tables: the copies of LINCOM's tables, widened first when the tables have changed
// since or the copies do not hold every layer row (TPCM.NLAYER, at least two: a one-row table
// still blends with a zero weight on the row above) and every type (TPCM.NTYP and the types of
// LINCOM's lines) in use.
const WideLineTables& wide_line_tables();

// ---- Three degrees of freedom ---------------------------------------------------------------

// Vessel in the horizontal plane: offset (global), heading and reference heading, turret
// angle and reference turret angle (radians).
struct PlaneState {
    float RVES1 = 0.0f, RVES2 = 0.0f;
    float VESANG = 0.0f, VESAN0 = 0.0f;
    float TRTNGL = 0.0f, TRTNG0 = 0.0f;
};

// The vessel's state in EQUILB (RVES(1), YCGVAR, VESANG, TRTNGL, TRTNG0) with TPCM's VESAN0.
PlaneState equilb_plane_state();

// The frame of the fairleads: the x about which they turn, the moment centre, turret mooring.
struct PlaneFrame {
    float XCENTR = 0.0f;
    float XMCTR = 0.0f, YMCTR = 0.0f, ZMCTR = 0.0f;
    bool LSPM = false;
};

// Net force (global; FZMOOR negative downward) and moments about the moment centre (vessel
// axes).
struct PlaneLoads {
    float FXMOOR = 0.0f, FYMOOR = 0.0f, FZMOOR = 0.0f;
    float TXMOOR = 0.0f, TYMOOR = 0.0f, TZMOOR = 0.0f;
};

// horizontal_work: the work of a line's horizontal load along its table column (loads HLOD at
// fairlead-anchor distances anc) from the first point to the distance TMPDST, where the load H
// has been interpolated in interval MIN: the trapezoid rule, exact for the interpolated load.
// This is the energy stored in the line.
float horizontal_work(std::span<const float> HLOD, std::span<const float> anc, std::int32_t MIN,
                      float H, float TMPDST);

// FMOOR: the mooring force of lines MINLN..MAXLN for a vessel displaced in surge, sway and
// yaw, each line read from its type's table in row MIDLYR at its new fairlead-anchor
// distance. With IEQSET 2 the displaced distance and azimuth go to `recorded`. Reads only its
// arguments; never ends the run.
PlaneLoads FMOOR(const PlaneState& state, const PlaneFrame& frame, const LineTables& tables,
                 const MooringLines& lines, std::int32_t IEQSET = 0,
                 const DisplacedGeometry& recorded = {});

// FMOOR_PLUS: FMOOR, and the energy stored in each active line (the work of its horizontal
// load along the table column from the first point) in LINERG(i) and its sum in ERGMOR.
PlaneLoads FMOOR_PLUS(const PlaneState& state, const PlaneFrame& frame, const LineTables& tables,
                      const MooringLines& lines, float& ERGMOR, std::span<float> LINERG,
                      std::int32_t IEQSET = 0, const DisplacedGeometry& recorded = {});

// Per-line results of FMOOR0 (150 each): horizontal load, vertical force, top tension, top
// angle, length on the bottom, bottom angle.
struct PlaneLineResults {
    std::span<float> TOPTH, TOPTZ, TOPTT, TOPAN, BOTLIN, BOTAN;
};

// FMOOR0: the offset table's horizontal-plane force: as FMOOR, but the fairleads always turn
// by VESANG - VESAN0 about XCENTR, the distance is never clamped (both ends extrapolate), a
// turret mooring gets TZMOOR = 0, and with IOFLAG 1 each line's state goes to `results`
// (a skipped line gets 0 whatever IOFLAG). With NBUG0 1 it asks for the debug level (INBUG on
// IOSCRN, KBD) and at level 1 dumps its working values on IOSCRN.
PlaneLoads FMOOR0(const PlaneState& state, const PlaneFrame& frame, const LineTables& tables,
                  const MooringLines& lines, std::int32_t IOFLAG, const PlaneLineResults& results,
                  std::int32_t NBUG0, int IOSCRN, int KBD, std::int32_t IEQSET = 0,
                  const DisplacedGeometry& recorded = {});

// The vertical force of a line at its top from horizontal load H, top tension T and top
// angle: the tangent rule -H tan(angle) when |H / T| >= `ratio` or T <= 0 (0 when H = 0),
// else -sqrt(T^2 - H^2) with the angle's sign (0 when that square is negative).
float vertical_line_force(float H, float T, float angle, float ratio);
double vertical_line_force(double H, double T, double angle, double ratio);

// ---- One line from the layered tables ------------------------------------------------------

struct LineLoad {
    float DELZ = 0.0f;    // height of the fairlead above the anchor
    std::int32_t MIN = 1; // table interval
    float DELLAY = 0.0f;  // fraction toward the next layer row
    std::int32_t ILAYER = 1;
    float RFORCE = 0.0f; // horizontal load
    float TTTMP = 0.0f;  // top tension
    float FGZTMP = 0.0f; // vertical force on the fairlead, negative downward
    float TOPANQ = 0.0f; // top angle, radians
    float BTANGQ = 0.0f; // bottom angle
    float BTLENQ = 0.0f; // length on the bottom
};

// LOADUP: the state of a line of type ITYP at horizontal fairlead-anchor distance RANCHR with
// its fairlead DZFLDG above its as-defined height (ZFLDV its body z, DRAFT the vessel's),
// blended between the two layer rows around that height; a line with practically no
// horizontal load is solved as a vertical line (VRTLIN). Writes a message and offers the
// abort prompt on units IOSCRN, KBD when the vertical solution's two bottom lengths disagree;
// "A" there ends the run.
//
// A caller that evaluates many lines on unchanged tables may hand in a TopTensionCache: the
// top tension's spline over the loads is then built once for each line type and height and
// read again for the next line of that type at that height (the same values, bit for bit).
struct TopTensionCache {
    struct Entry {
        std::int32_t ITYP = 0;
        float x2 = 0.0f; // layer coordinate ILAYER + DELLAY
        RowSpline spline;
    };
    std::array<Entry, 4> entries{};
    std::size_t used = 0;
    std::size_t next = 0;

    // The spline over the loads of type ITYP's top tension at layer coordinate x2: the one
    // kept, or built into the oldest entry. The tables must not change while a cache lives.
    const RowSpline& rows(const LineTables& tables, std::int32_t ITYP, float x2);
};
LineLoad LOADUP(float RANCHR, float DZFLDG, float ZFLDV, float DRAFT, std::int32_t ITYP,
                const LineTables& tables, std::span<const float> ANCHGT,
                std::span<const float> TOTWT, int IOSCRN, int KBD,
                TopTensionCache* cache = nullptr);

// ---- Six degrees of freedom ----------------------------------------------------------------

// Vessel: offset (global x, y), vertical translation, heading and reference heading
// (radians), finite rotation axis (global, unit), amount in degrees, and the length of the
// axis as entered (for the warning text).
struct SixDofState {
    float RVES1 = 0.0f, RVES2 = 0.0f, ZVES = 0.0f;
    float VESANG = 0.0f, VESAN0 = 0.0f;
    std::array<float, 3> ROTDIR = {1.0f, 0.0f, 0.0f};
    float ROTVAL_DEG = 0.0f;
    float ROTMOD = 1.0f;
};

// The trim and heel rotation of the vessel for angles in degrees: rows (cos t, 0, sin t),
// (sin t sin h, cos h, -cos t sin h), (-sin t cos h, sin h, cos t cos h); the identity when
// both are 0.
Mat3 trim_heel_rotation(float TRIMDG, float HEELDG);

// Evaluation kind and perturbation: DRVFLG 0 plain, 1 perturbation in vessel axes (inside the
// trim frame when TRIMFL), 2 in global axes, 3 the base state (accumulates ASMCOR).
struct Perturbation {
    std::int32_t DRVFLG = 0;
    Mat3 EPSROT = identity3;
    std::array<float, 3> EPS = {0.0f, 0.0f, 0.0f};
    Mat3 TRIMHL = identity3;
    bool TRIMFL = false;
};

// Moment centre and centre of rotation, body frame.
struct ForceCentres {
    float XMCTR = 0.0f, YMCTR = 0.0f, ZMCTR = 0.0f;
    float ROTCTX = 0.0f, ROTCTY = 0.0f, ROTCTZ = 0.0f;
};

// The span warning: console and keyboard, the caller's one-shot flag (99 once warned), the
// last line found outside the span, and the tendon switch (a tendon is reported only below).
struct SpanWarning {
    int IOSCRN = 6;
    int KBD = 5;
    std::int32_t IOFLAG = 0;
    std::int32_t SPNERR = 0;
    std::int32_t TENDON_FLG = 0;
};

// The motion that carried a fairlead outside the vertical span: heave, rotation (degrees) and
// the rotation axis scaled by its length as entered.
struct SpanMotion {
    double ZVES = 0.0;
    double ROTVAL = 0.0;
    std::array<double, 3> axis{};
};

// write_span_warning: the span warning for fairlead ILINE on `unit`, worded by the motion (a
// heave, a rotation, or both), the heave in a field of zves_width; `framed` puts an empty line
// before and after. The single- and double-precision force routines both write it.
void write_span_warning(int unit, const SpanMotion& motion, int ILINE, int zves_width, bool framed);

// warn_outside_span: span_check's span warning for fairlead i (write_span_warning on
// warn.IOSCRN) and the abort prompt on warn.IOSCRN, warn.KBD; "A" ends the run.
void warn_outside_span(const SpanWarning& warn, const SpanMotion& motion, int i, int zves_width,
                       bool framed);

// span_check: records line i in warn.SPNERR when its fairlead height DFLZG lies outside
// ZBOT..ZTOP and, the first time for the flag warn.IOFLAG (a tendon, warn.TENDON_FLG, only
// below the span), gives the span warning of the motion (heave ZVES, rotation ROTVAL degrees
// about ROTDIR scaled by ROTMOD; zves_width and `framed` as write_span_warning) with its abort
// prompt. The single- and double-precision forces both check here, each in its own precision.
template <class Real>
void span_check(int i, Real DFLZG, float ZBOT, float ZTOP, Real ZVES, Real ROTVAL,
                const std::array<Real, 3>& ROTDIR, Real ROTMOD, int zves_width, bool framed,
                SpanWarning& warn) {
    if (!(DFLZG > ZTOP || DFLZG < ZBOT))
        return;
    warn.SPNERR = i;
    if (warn.IOFLAG == 99)
        return;
    warn.IOFLAG = 99;
    if (warn.TENDON_FLG != 0 && DFLZG > ZTOP)
        return;
    const SpanMotion motion{
        ZVES, ROTVAL, {ROTDIR[0] * ROTMOD, ROTDIR[1] * ROTMOD, ROTDIR[2] * ROTMOD}};
    warn_outside_span(warn, motion, i, zves_width, framed);
}

// Per-line results (150 each); empty spans are not written.
struct LineResults {
    std::span<float> TOPTH, TOPTZ, TOPTT, TOPAN, BOTLIN, BOTAN, LINERG;
};

struct SixDofLoads {
    float PITANG = 0.0f, ROLANG = 0.0f, YAWANG = 0.0f; // angles of the finite rotation
    float FGXMOR = 0.0f, FGYMOR = 0.0f, FGZMOR = 0.0f; // force, global axes
    float TGXMOR = 0.0f, TGYMOR = 0.0f, TGZMOR = 0.0f; // moment about the centre, global
    float FVXMOR = 0.0f, FVYMOR = 0.0f, FVZMOR = 0.0f; // force, rotated vessel axes
    float TVXMOR = 0.0f, TVYMOR = 0.0f, TVZMOR = 0.0f; // moment, rotated vessel axes
    float ERGMOR = 0.0f;                               // energy stored in the lines
    Mat3 ASMCOR = {};                                  // load-geometry matrix (DRVFLG 3)
    Mat3 ROTVO = identity3;                            // frame of the rotation axis
    Mat3 ZROTL = identity3;                            // turn by the amount about its z
};

// FMOOR2: the mooring force and moment of lines MINLN..MAXLN on a vessel translated, turned
// to a heading and rotated about an axis, each line from LOADUP at its displaced distance and
// height. A fairlead outside the vertical span sets warn.SPNERR and, the first time for the
// flag warn.IOFLAG, writes the span warning and offers the abort prompt ("A" ends the run;
// an unattended run continues). With IEQSET 2 the displaced geometry goes to `recorded`.
SixDofLoads FMOOR2(const SixDofState& state, const Perturbation& perturbation,
                   const ForceCentres& centres, const LineTables& tables, const MooringLines& lines,
                   float DRAFT, SpanWarning& warn, const LineResults& results = {},
                   std::int32_t IEQSET = 0, const DisplacedGeometry& recorded = {});

// VARUPD: the position, heading and rotation that FMOOR2 takes from a state vector XVEC
// (x, y, z, rotation vector in radians): RVES, ZCGVAR, VESANG = VESAN0, unit axis (1, 0, 0)
// for no rotation, amount in degrees, ROTMOD 1.
void VARUPD(std::span<const float, 6> XVEC, SixDofState& state);

// ---- Horizontal-plane stiffness column -----------------------------------------------------

// The environmental yaw moment at a heading (the environmental loads' TORQUE).
using YawMomentFunction = std::function<float(float)>;

struct SpringColumn {
    float DFXTMP = 0.0f, DFYTMP = 0.0f, DTZTMP = 0.0f;
};

// SPRING: force and yaw moment at the present position of EQUILB minus those at the position
// displaced by DELX, DELY (vessel axes) and DELANG, the force differences in vessel axes at
// the present heading. With ENVRON the yaw moment includes TORQUE, which may read the vessel's
// position from EQUILB: the displaced position stands there while TORQUE is evaluated and is
// put back however the call ends (a stop thrown through TORQUE included). Reads EQUILB (RVES,
// TRTNGL, TRTNG0), TPCM and LINCOM. Never ends the run itself.
SpringColumn SPRING(float DELX, float DELY, float DELANG, std::int32_t MINLN, std::int32_t MAXLN,
                    bool ENVRON, bool SPMFLG, const YawMomentFunction& TORQUE = {});

} // namespace lintar
