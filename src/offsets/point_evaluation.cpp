// offsets/point_evaluation.cpp: the evaluation of one offset point of the offset-table
// analysis: loads, line states, summary rows and stiffness of row INCVAL of the result tables.
#include "offsets/offset_run.h"
#include "offsets/point_lines.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/catenary_elements.h"
#include "lines/line_arrays.h"
#include "lines/mooring_stiffness.h"
#include "lines/stress_strain.h"
#include "lines/tension_warnings.h"
#include "offsets/equilibrium_search.h"
#include "util/algebra.h"
#include "util/angles.h"
#include "util/flags.h"
#include "util/matrix3.h"
#include "util/table_search.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace lintar {

namespace {

constexpr int KBD = 5;
constexpr std::string_view tension_kind = "An estimated tension";

using Vec3 = Vector3<float>;

// A CALM arrangement whose hawser (line HAWSLN of type HAWSTP) the tables can hold; a damaged
// line or type number leaves the hawser treatment out rather than reach past the tables.
bool calm_hawser() {
    return TPCM.IARCO == 1 && TPCM.HAWSLN >= 1 &&
           TPCM.HAWSLN <= std::min<std::int32_t>(TPCM.NLIN, lincom_lines) && TPCM.HAWSTP >= 1 &&
           TPCM.HAWSTP <= lincom_types;
}

// The per-line columns of point INCVAL that the force routines fill.
// Sets nothing in the run itself: the force routines write through the columns it returns.
LineResults line_columns(OffsetRun& R) {
    OffsetTables& T = R.T;
    const std::int32_t n = R.INCVAL;
    return {point_column(T.TOPTH, n), point_column(T.TOPTZ, n),  point_column(T.TOPTT, n),
            point_column(T.TOPAN, n), point_column(T.BOTLIN, n), point_column(T.BOTAN, n),
            point_column(T.LINERG, n)};
}

// The mooring force and moment of the point, or the equilibrium under FEXT.
// Sets in the run: the loads FGXTMP to TGZTMP and FVXTMP to TVZTMP (the debug comparison only
// FGXTMP, FGYTMP, FGZTMP, TVXTMP, TVYTMP, TVZTMP), PITANG, ROLANG, YAWANG, ERGMOR, warn (the
// span records), and row INCVAL of T's TOPTH, TOPTZ, TOPTT, TOPAN, BOTLIN, BOTAN, LINERG. The
// equilibrium kinds also set XVEC, P, FEXT(3) (CALM), ILAYR, DELLAY, ITFAIL, QUITFG, NOFF (on
// a quit), and FRSTFL, ITFLWN, NITRFL (on a failure).
void mooring_loads(OffsetRun& R) {
    const LineResults columns = line_columns(R);
    // Lines the force routine does not sum (the hawser of a CALM arrangement) report zeros at
    // this point rather than what an earlier sequence left in the row.
    for (auto column : {columns.TOPTH, columns.TOPTZ, columns.TOPTT, columns.TOPAN, columns.BOTLIN,
                        columns.BOTAN, columns.LINERG})
        std::fill(column.begin(), column.end(), 0.0f);
    const LineTables tables = lincom_tables();
    const MooringLines lines = lincom_mooring_lines(R.MINLN, R.MAXLN);

    if (TPCM.NBUG0 == 2 && (R.TABTYP == kind_lateral || R.TABTYP == kind_yaw)) {
        // The debug comparison with the horizontal-plane force: only its six values change.
        const PlaneState state{R.P.RVES1,  R.P.RVES2,     R.P.VESANG,
                               R.P.VESAN0, EQUILB.TRTNGL, EQUILB.TRTNG0};
        const PlaneFrame frame{TPCM.XSALM, TPCM.XMCTR(), TPCM.YMCTR(), TPCM.ZMCTR(),
                               TPCM.LSPM != 0};
        const PlaneLineResults results{columns.TOPTH, columns.TOPTZ,  columns.TOPTT,
                                       columns.TOPAN, columns.BOTLIN, columns.BOTAN};
        const PlaneLoads q = FMOOR0(state, frame, tables, lines, R.warn.IOFLAG, results, TPCM.NBUG0,
                                    TPCM.EDUNIT, KBD, R.IEQSET, lincom_displaced());
        R.FGXTMP = q.FXMOOR;
        R.FGYTMP = q.FYMOOR;
        R.FGZTMP = q.FZMOOR;
        R.TVXTMP = q.TXMOOR;
        R.TVYTMP = q.TYMOOR;
        R.TVZTMP = q.TZMOOR;
        return;
    }

    SixDofLoads q;
    if (R.TABTYP == kind_forces || R.TABTYP == kind_couples) {
        AppliedLoadFrame frame;
        frame.FCVES = TPCM.FCVES;
        frame.TQVES = TPCM.TQVES;
        frame.FAPPNT = {TPCM.FAPPNT(1), TPCM.FAPPNT(2), TPCM.FAPPNT(3)};
        EquilibriumResult result;
        EQFND2(R.FEXT, R.XVEC, R.INCVAL, columns, result, frame, R.QUITFG, R.MINLN, R.MAXLN,
               R.warn);
        VARUPD(R.XVEC, R.P);
        q = result.loads;
        R.ILAYR = result.ILAYR;
        R.DELLAY = result.DELLAY;
        R.ITFAIL = result.ITFAIL;
        if (R.ITFAIL)
            record_equilibrium_failure(R.INCVAL, R.FRSTFL, R.ITFLWN, R.NITRFL, TPCM.EDUNIT);
        if (R.QUITFG > 0)
            R.NOFF = R.INCVAL;
    } else {
        Perturbation p;
        p.DRVFLG = 0;
        p.EPSROT = R.EPSROT;
        p.EPS = R.EPS;
        p.TRIMHL = R.TRIMHL;
        p.TRIMFL = R.TRIMFL;
        ForceCentres centres;
        centres.XMCTR = TPCM.XMCTR();
        centres.YMCTR = TPCM.YMCTR();
        centres.ZMCTR = TPCM.ZMCTR();
        const bool about_origin = R.TABTYP == kind_oblique_rotation || R.TABTYP == kind_user;
        centres.ROTCTX = about_origin ? TPCM.ROTCTX : centres.XMCTR;
        centres.ROTCTY = about_origin ? TPCM.ROTCTY : centres.YMCTR;
        centres.ROTCTZ = about_origin ? TPCM.ROTCTZ : centres.ZMCTR;
        q = FMOOR2(R.P, p, centres, tables, lines, TPCM.DRAFT, R.warn, columns, R.IEQSET,
                   lincom_displaced());
    }
    R.PITANG = q.PITANG;
    R.ROLANG = q.ROLANG;
    R.YAWANG = q.YAWANG;
    R.FGXTMP = q.FGXMOR;
    R.FGYTMP = q.FGYMOR;
    R.FGZTMP = q.FGZMOR;
    R.TGXTMP = q.TGXMOR;
    R.TGYTMP = q.TGYMOR;
    R.TGZTMP = q.TGZMOR;
    R.FVXTMP = q.FVXMOR;
    R.FVYTMP = q.FVYMOR;
    R.FVZTMP = q.FVZMOR;
    R.TVXTMP = q.TVXMOR;
    R.TVYTMP = q.TVYMOR;
    R.TVZTMP = q.TVZMOR;
    R.ERGMOR = q.ERGMOR;
}

// The twelve loads in the order vessel force, vessel moment, global force, global moment.
// Sets nothing in the run itself: its callers write through the pointers.
std::array<float*, 12> twelve_loads(OffsetRun& R) {
    return {&R.FVXTMP, &R.FVYTMP, &R.FVZTMP, &R.TVXTMP, &R.TVYTMP, &R.TVZTMP,
            &R.FGXTMP, &R.FGYTMP, &R.FGZTMP, &R.TGXTMP, &R.TGYTMP, &R.TGZTMP};
}

// Vessel-axes loads into the trimmed frame; the loads of the first point taken
// as the zero of the sequence when NCATN(1) is 1 (so the first row is exactly zero).
// Sets in the run: FVXTMP to TVZTMP (trim or heel); with NCATN(1) 1 the twelve loads, and
// first_loads at the first point.
void trim_and_zero(OffsetRun& R) {
    if (R.TRIMFL) {
        const Vec3 F = times_t(R.TRIMHL, {R.FVXTMP, R.FVYTMP, R.FVZTMP});
        const Vec3 M = times_t(R.TRIMHL, {R.TVXTMP, R.TVYTMP, R.TVZTMP});
        R.FVXTMP = F[0];
        R.FVYTMP = F[1];
        R.FVZTMP = F[2];
        R.TVXTMP = M[0];
        R.TVYTMP = M[1];
        R.TVZTMP = M[2];
    }
    if (TPCM.NCATN(1) != 1)
        return;
    const auto loads = twelve_loads(R);
    if (R.INCVAL == 1)
        for (std::size_t k = 0; k < loads.size(); ++k)
            R.first_loads[k] = *loads[k];
    for (std::size_t k = 0; k < loads.size(); ++k)
        *loads[k] -= R.first_loads[k];
}

// The hawser table column of `table` (ANCDST, TOPTEN, ...) at H: in row MIDLYR for a lateral
// point, blended between rows ILAYR and ILAYR + 1 by DELLAY for an equilibrium point.
float hawser_value(const OffsetRun& R, std::span<const float> table_words, float H,
                   std::int32_t MIN) {
    const int t = TPCM.HAWSTP;
    const std::span<const float> HLOD(LINCOM.HLOD_words);
    float value = 0.0f;
    if (R.TABTYP == kind_lateral) {
        const auto column = table_words.subspan(
            col_major(1, lincom_points, LINCOM.MIDLYR, lincom_layers, t, lincom_types));
        INTERP(HLOD, column, H, value, MIN);
    } else {
        // The lower row of the blend, held where both rows lie within the tables.
        const int L = std::clamp<int>(R.ILAYR, 1, lincom_layers - 1);
        const auto rows =
            table_words.subspan(col_major(1, lincom_points, L, lincom_layers, t, lincom_types));
        INTRPS(HLOD, rows, H, value, MIN, R.DELLAY);
    }
    return value;
}

// The hawser of a CALM arrangement (lateral and force sequences): its load holds the
// buoy at the point; its state from its type's table at that load, its pull added to the
// loads, and its stored energy.
// Sets in the run: FGXTMP, FGYTMP, FGZTMP, TVXTMP, TVYTMP, TVZTMP, the hawser's entries of row
// INCVAL of T's TOPTH, TOPTT, TOPAN, TOPTZ, BOTAN, BOTLIN, LINERG, and T.BYOFF (forces).
void hawser_step(OffsetRun& R) {
    OffsetTables& T = R.T;
    const int h = TPCM.HAWSLN;
    const int t = TPCM.HAWSTP;
    const std::int32_t n = R.INCVAL;
    const std::span<const float> HLOD(LINCOM.HLOD_words);

    float H = 0.0f;
    if (R.TABTYP == kind_lateral) {
        H = std::abs(R.ZROTO[0] * R.FGXTMP + R.ZROTO[2] * R.FGYTMP);
        if (H < 0.1f * TPCM.HMIN)
            H = 0.0f;
    } else {
        T.BYOFF[slot(n)] = std::sqrt(R.XVEC[0] * R.XVEC[0] + R.XVEC[1] * R.XVEC[1]);
        H = std::abs(TPCM.FRCOFF(n));
    }
    LINCOM.HMEAN = H;
    point_column(T.TOPTH, n)[slot(h)] = H;
    if (H > TPCM.TLOAD)
        TNSWRN(TPCM.EDUNIT, KBD, R.ITYP1, h, t, tension_kind, 2, TPCM.MRWRNS);

    std::int32_t IER = 0;
    std::int32_t MIN = 1;
    BSRCH(HLOD, H, IER, MIN, TPCM.NUMTAB);
    const float TOPTT = hawser_value(R, LINCOM.TOPTEN_words, H, MIN);
    const float TOPAN = hawser_value(R, LINCOM.TOPANG_words, H, MIN);
    point_column(T.TOPTT, n)[slot(h)] = TOPTT;
    point_column(T.TOPAN, n)[slot(h)] = TOPAN;

    // The pull along the offset, or along the force of an equilibrium point.
    const float cx = R.TABTYP == kind_lateral ? R.COSFAC : R.FUNIT[0];
    const float cy = R.TABTYP == kind_lateral ? R.SINFAC : R.FUNIT[1];
    const float FGXHWS = H * cx;
    const float FGYHWS = H * cy;
    const float FGZHWS = H > 0.0f ? -H * std::tan(TOPAN) : -TOPTT;
    R.FGXTMP += FGXHWS;
    R.FGYTMP += FGYHWS;
    R.FGZTMP += FGZHWS;
    point_column(T.TOPTZ, n)[slot(h)] = FGZHWS;

    point_column(T.BOTAN, n)[slot(h)] = hawser_value(R, LINCOM.BOTANG_words, H, MIN);
    point_column(T.BOTLIN, n)[slot(h)] = 0.0f;
    LINCOM.RANCP(h) = hawser_value(R, LINCOM.ANCDST_words, H, MIN);
    // The plan direction of the pull: the lateral direction, or the force's direction (the
    // force sequence of the same number as a lateral one has its own direction).
    LINCOM.ANGDPP(h) = R.TABTYP == kind_lateral     ? TPCM.PHIL(R.IREP)
                       : (cx == 0.0f && cy == 0.0f) ? 0.0f
                                                    : std::atan2(cy, cx) * degrees_per_radian;

    // The pull's moment about the moment centre, in vessel axes at the point's heading.
    const float c = std::cos(R.P.VESANG);
    const float s = std::sin(R.P.VESANG);
    const Vec3 F = {c * FGXHWS + s * FGYHWS, -s * FGXHWS + c * FGYHWS, FGZHWS};
    const Vec3 r = {TPCM.RFLD(1, h) - TPCM.XMCTR(), TPCM.RFLD(2, h) - TPCM.YMCTR(),
                    TPCM.RFLD(3, h) - TPCM.ZMCTR()};
    R.TVXTMP += r[1] * F[2] - r[2] * F[1];
    R.TVYTMP += r[2] * F[0] - r[0] * F[2];
    R.TVZTMP += r[0] * F[1] - r[1] * F[0];

    // Energy: the work of the load along the anchor-distance column up to H.
    const auto X =
        std::span<const float>(LINCOM.ANCDST_words)
            .subspan(col_major(1, lincom_points, LINCOM.MIDLYR, lincom_layers, t, lincom_types));
    float XH = 0.0f;
    INTERP(HLOD, X, H, XH, MIN);
    point_column(T.LINERG, n)[slot(h)] = horizontal_work(HLOD, X, MIN, H, XH);
}

// The restoring force along the offset (PARFRC) and across it (PERPFC).
// Sets nothing in the run.
void restoring_force(OffsetRun& R, float& PARFRC, float& PERPFC) {
    const Vec3 FG = {R.FGXTMP, R.FGYTMP, R.FGZTMP};
    const Vec3 TG = {R.TGXTMP, R.TGYTMP, R.TGZTMP};
    // Rounding must not make the square under the root negative.
    const auto across = [&] { return std::sqrt(std::max(dot(FG, FG) - PARFRC * PARFRC, 0.0f)); };
    switch (R.TABTYP) {
    case kind_lateral:
        PARFRC = R.ZROTO[0] * R.FGXTMP + R.ZROTO[2] * R.FGYTMP;
        PERPFC = across();
        break;
    case kind_yaw:
        PARFRC = R.TGZTMP;
        PERPFC = 0.0f;
        break;
    case kind_oblique_rotation:
        PARFRC = dot(R.P.ROTDIR, TG);
        PERPFC = 0.0f;
        break;
    case kind_vertical:
        PARFRC = R.FGZTMP;
        PERPFC = std::sqrt(R.FVXTMP * R.FVXTMP + R.FVYTMP * R.FVYTMP);
        break;
    case kind_rectilinear:
    case kind_user:
        PARFRC = dot(R.FUNIT, FG);
        PERPFC = across();
        break;
    case kind_forces: {
        Vec3 FUNITQ{};
        UNITIZ(std::span<const float, 3>(R.XVEC.data(), 3), FUNITQ);
        PARFRC = dot(FUNITQ, FG);
        PERPFC = across();
        break;
    }
    default: // couples
        PARFRC = dot(R.TUNIT, TG);
        PERPFC = 0.0f;
        break;
    }
}

// The horizontal load at the anchor: the fairlead load less the seabed friction of the type's
// table at that load, never negative; a rotation (no sliding along the seabed) keeps it whole.
float anchor_horizontal_load(std::int32_t TABTYP, float HMEAN, int t) {
    if (TABTYP == kind_oblique_rotation)
        return HMEAN;
    const std::span<const float> HLOD(LINCOM.HLOD_words);
    std::int32_t IER = 0;
    std::int32_t MIN = 1;
    BSRCH(HLOD, HMEAN, IER, MIN, TPCM.NUMTAB);
    float friction = 0.0f;
    INTERP(HLOD, LINCOM.FFRICT_from(1, LINCOM.MIDLYR, t), HMEAN, friction, MIN);
    return std::max(HMEAN - friction, 0.0f);
}

// The summary rows of the point.
// Sets in the run: ERGMOR0 (first point), and row INCVAL of T's MSTEXP, SYSERG, HWSDAT and
// HWSERG (CALM), EQLDAT (equilibrium kinds), XCPLAR, VESFRC, GLBFRC.
void summary_rows(OffsetRun& R, std::int32_t NBIGLD, float PARFRC, float PERPFC) {
    OffsetTables& T = R.T;
    const std::int32_t n = R.INCVAL;
    const auto fill = [&](OffsetTable& table, std::initializer_list<float> values) {
        const auto row = point_column(table, n);
        std::size_t k = 0;
        for (float v : values)
            row[k++] = v;
    };

    if (n == 1)
        R.ERGMOR0 = R.ERGMOR;
    const float energy = TPCM.N_ERG_ZERO == 1 ? R.ERGMOR - R.ERGMOR0 : R.ERGMOR;
    most_exposed_rows(T, n, NBIGLD, PARFRC, energy);
    if (calm_hawser()) {
        const int h = TPCM.HAWSLN;
        const auto hawser = [&](OffsetTable& table) { return point_column(table, n)[slot(h)]; };
        // The hawser's energy: the hawser step's integral, or what the force routine found for
        // the line where the hawser is summed with the others (0 where it is not).
        const float ERGHWS = hawser(T.LINERG);
        hawser_data_row(T, n, h);
        fill(T.HWSERG, {LINCOM.RANCP(h), hawser(T.TOPTT), hawser(T.TOPTH), hawser(T.TOPTZ), ERGHWS,
                        R.ERGMOR, ERGHWS + R.ERGMOR});
    }
    if (R.TABTYP == kind_forces || R.TABTYP == kind_couples) {
        const bool matched = TPCM.MTCHFT == 1;
        const float FCVAL = R.TABTYP == kind_forces || matched ? TPCM.FRCOFF(n) : 0.0f;
        const float TQVAL = R.TABTYP == kind_couples || matched ? TPCM.TRQOFF(n) : 0.0f;
        fill(T.EQLDAT,
             {FCVAL, TQVAL, R.XVEC[0], R.XVEC[1], R.XVEC[2], R.PITANG * degrees_per_radian,
              R.ROLANG * degrees_per_radian, R.YAWANG * degrees_per_radian});
    }
    if (R.TABTYP == kind_yaw || R.TABTYP == kind_oblique_rotation || R.TABTYP == kind_couples)
        fill(T.XCPLAR, {PARFRC, R.TVXTMP, R.TVYTMP, R.TVZTMP, R.FVXTMP, R.FVYTMP, R.FVZTMP});
    else
        fill(T.XCPLAR,
             {PARFRC, R.TVXTMP, R.TVYTMP, R.TVZTMP, PERPFC, R.FVXTMP, R.FVYTMP, R.FVZTMP});
    fill(T.VESFRC, {R.FVXTMP, R.FVYTMP, R.FVZTMP, R.TVXTMP, R.TVYTMP, R.TVZTMP});
    fill(T.GLBFRC, {R.FGXTMP, R.FGYTMP, R.FGZTMP, R.TGXTMP, R.TGYTMP, R.TGZTMP});
}

// The stiffness matrices of the point, in single or double precision.
// Sets in the run: row INCVAL of T.STFMXG and T.STFMXV, as TPCM asks for them.
void stiffness(OffsetRun& R) {
    const float c = std::cos(R.P.VESANG);
    const float s = std::sin(R.P.VESANG);
    StiffnessPoint point;
    point.ROTDIR = R.P.ROTDIR;
    point.ROTVAL = R.P.ROTVAL_DEG;
    point.ROTMOD = R.P.ROTMOD;
    point.RVESP1 = R.P.RVES1;
    point.RVESP2 = R.P.RVES2;
    point.VESANP = R.P.VESANG;
    point.ZVESP = R.P.ZVES;
    point.TRIMFL = R.TRIMFL;
    point.TRIMHL = R.TRIMHL;
    point.ZROTV = {c, -s, s, c}; // rows (cos, sin) and (-sin, cos), by columns
    StiffnessRequest request;
    request.NSTIFG = TPCM.NSTIFG;
    request.NSTIFV = TPCM.NSTIFV;
    request.GSTSYM = TPCM.GSTSYM;
    request.VSTSYM = TPCM.VSTSYM;
    request.EPSRAD = TPCM.EPSDEG / degrees_per_radian;
    request.EPSDST = TPCM.EPSDST;
    request.INCVAL = R.INCVAL;
    request.MINLN = R.MINLN;
    request.MAXLN = R.MAXLN;
    request.XCNTR = TPCM.XMCTR();
    request.YCNTR = TPCM.YMCTR();
    request.ZCNTR = TPCM.ZMCTR();
    Matrix66 G{};
    Matrix66 V{};
    std::copy(std::begin(EQUILB.GSTF66_words), std::end(EQUILB.GSTF66_words), G.begin());
    std::copy(std::begin(EQUILB.VSTF66_words), std::end(EQUILB.VSTF66_words), V.begin());
    if (TPCM.DPMTRX != 0)
        STFDP2(R.T.STFMXG, R.T.STFMXV, G, V, point, request);
    else
        STIFFY(R.T.STFMXG, R.T.STFMXV, G, V, point, request);
    std::copy(G.begin(), G.end(), std::begin(EQUILB.GSTF66_words));
    std::copy(V.begin(), V.end(), std::begin(EQUILB.VSTF66_words));
}

} // namespace

// record_equilibrium_failure: see point_lines.h.
void record_equilibrium_failure(std::int32_t INCVAL, std::int32_t& FRSTFL, std::int32_t& ITFLWN,
                                std::int32_t& NITRFL, int EDUNIT) {
    if (FRSTFL == 0)
        FRSTFL = INCVAL;
    ITFLWN += 1;
    const std::int32_t k = INCVAL - FRSTFL + 1;
    if (ITFLWN <= 25 && k <= 31)
        BITSET(NITRFL, k, 1, EDUNIT);
}

// point_line_states: see point_lines.h.
std::int32_t point_line_states(OffsetTables& T, std::int32_t INCVAL,
                               const PointLineOptions& options, std::int32_t& OVRFLO,
                               std::int32_t& BADLIN, std::int32_t& NOVFLO) {
    LincomBlock& C = LINCOM;
    const std::int32_t n = INCVAL;
    const auto at = [&](OffsetTable& table, int b) -> float& {
        return point_column(table, n)[slot(b)];
    };
    float BIGLOD = 0.0f;
    std::int32_t NBIGLD = 0;
    const int NLIN = std::min<int>(TPCM.NLIN, lincom_lines);
    for (int b = 1; b <= NLIN; ++b) {
        const std::int32_t id = C.LINEID(b);
        const int t = id % 1024;
        C.ITYP = t;
        // A line without a type (a damaged identity) has no table to read: it reports as an
        // excluded line.
        if (id <= 1024 && t >= 1) {
            if (!(TPCM.IARCO == 1 && b == TPCM.HAWSLN) && at(T.TOPTT, b) > BIGLOD) {
                BIGLOD = at(T.TOPTT, b);
                NBIGLD = b;
            }
            const float HMEAN = at(T.TOPTH, b);
            C.HMEAN = HMEAN;
            if (options.tension_warnings) {
                if (HMEAN > TPCM.TLOAD)
                    TNSWRN(TPCM.EDUNIT, KBD, options.ITYP1, b, t, tension_kind, 2, TPCM.MRWRNS);
                else if (HMEAN < C.HLOD(2) && TPCM.TENDON_FLG == 0)
                    TNSWRN(TPCM.EDUNIT, KBD, options.ITYP1, b, t, tension_kind, 1, TPCM.MRWRNS);
            }
            at(T.BOTTH, b) = anchor_horizontal_load(options.TABTYP, HMEAN, t);

            float UNSTRL = 0.0f;
            if (HMEAN > 0.0f) {
                C.DPHLD = HMEAN;
                at(T.BOTTZ, b) = HMEAN * std::tan(at(T.BOTAN, b));
                if (C.NEED_STRAIN_FILE != 0 && TPCM.STRESS_STRAIN_FILE(t) != 0)
                    LOAD_ALPHAS(C.DPHLD, C.MIDLYR);
                SCLWLD(C.SCLWT_words, wetwt_column(t), C.DPHLD, TPCM.NELEM(t));
                BETALD(alpha_slice(t), C.BETA_words, C.DPHLD, TPCM.NELEM(t));
                float BOTWGT = 0.0f;
                TUCHDN(at(T.BOTLIN, b), wetwt_column(t), slen_column(t), C.BETA_words,
                       TPCM.NELEM(t), C.DSLOPE, BOTWGT, C.BOTELM, UNSTRL);
            } else {
                UNSTRL = at(T.BOTLIN, b);
                at(T.BOTTZ, b) = -(C.TOTWT(t) + at(T.TOPTZ, b));
            }
            at(T.BOTTL, b) = std::hypot(at(T.BOTTH, b), at(T.BOTTZ, b));
            at(T.TOPAN, b) *= degrees_per_radian;
            at(T.BOTAN, b) *= degrees_per_radian;
            at(T.ANCDSQ, b) = C.RANCP(b);
            at(T.DEPANG, b) = C.ANGDPP(b);
            at(T.SUSLNQ, b) = C.TOTLN(t) - UNSTRL;
            at(T.BOTLNQ, b) = UNSTRL;
        } else {
            for (OffsetTable* table : {&T.BOTTH, &T.TOPAN, &T.BOTAN, &T.ANCDSQ, &T.DEPANG,
                                       &T.SUSLNQ, &T.BOTLNQ, &T.BOTTZ, &T.BOTTL})
                at(*table, b) = 0.0f;
        }
        if (OVRFLO == 0 && at(T.TOPTH, b) > TPCM.TLOAD) {
            OVRFLO = 1;
            BADLIN = b;
            NOVFLO = n;
        }
    }
    return NBIGLD;
}

// most_exposed_rows: see point_lines.h.
void most_exposed_rows(OffsetTables& T, std::int32_t INCVAL, std::int32_t NBIGLD, float PARFRC,
                       float ERGMOR) {
    // The most exposed line's value of a per-line table; no line (all slack) reports zeros.
    const auto exposed = [&](OffsetTable& table) {
        return NBIGLD == 0 ? 0.0f : point_column(table, INCVAL)[slot(NBIGLD)];
    };
    const auto line = static_cast<float>(NBIGLD);
    const float mstexp[8] = {line,
                             exposed(T.TOPTT),
                             exposed(T.TOPTH),
                             exposed(T.TOPTZ),
                             exposed(T.SUSLNQ),
                             exposed(T.BOTTH),
                             exposed(T.BOTTZ),
                             PARFRC};
    const float syserg[7] = {line,
                             exposed(T.TOPTT),
                             exposed(T.TOPTH),
                             exposed(T.TOPTZ),
                             exposed(T.SUSLNQ),
                             exposed(T.LINERG),
                             ERGMOR};
    std::copy(std::begin(mstexp), std::end(mstexp), point_column(T.MSTEXP, INCVAL).begin());
    std::copy(std::begin(syserg), std::end(syserg), point_column(T.SYSERG, INCVAL).begin());
}

// hawser_data_row: see point_lines.h.
void hawser_data_row(OffsetTables& T, std::int32_t INCVAL, std::int32_t h) {
    const auto hawser = [&](OffsetTable& table) { return point_column(table, INCVAL)[slot(h)]; };
    const float row[8] = {LINCOM.RANCP(h),  hawser(T.TOPTT), hawser(T.TOPTH), hawser(T.TOPTZ),
                          hawser(T.SUSLNQ), hawser(T.BOTTH), hawser(T.BOTTZ), hawser(T.TOPTH)};
    std::copy(std::begin(row), std::end(row), point_column(T.HWSDAT, INCVAL).begin());
}

// evaluate_offset_point: see offset_run.h.
void evaluate_offset_point(OffsetRun& R) {
    mooring_loads(R);
    trim_and_zero(R);
    if (calm_hawser() && (R.TABTYP == kind_lateral || R.TABTYP == kind_forces))
        hawser_step(R);
    float PARFRC = 0.0f;
    float PERPFC = 0.0f;
    restoring_force(R, PARFRC, PERPFC);
    const PointLineOptions options{R.TABTYP, R.ITYP1, true};
    const std::int32_t NBIGLD =
        point_line_states(R.T, R.INCVAL, options, R.OVRFLO, R.BADLIN, R.NOVFLO);
    if (!R.VTABOV && R.warn.SPNERR != 0) {
        R.NVTOFL = R.INCVAL;
        R.VRTBAD = R.warn.SPNERR;
        R.VTABOV = true;
    }
    summary_rows(R, NBIGLD, PARFRC, PERPFC);
    stiffness(R);
}

} // namespace lintar
