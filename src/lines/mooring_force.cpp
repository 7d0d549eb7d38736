// lines/mooring_force.cpp: the table-based mooring force in three and six degrees of freedom,
// the state of one line from the layered tables, and the horizontal-plane stiffness column.
#include "lines/mooring_force.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/catenary_elements.h"
#include "lines/stress_strain.h"
#include "lines/vertical_line.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/matrix3.h"
#include "util/prompts.h"
#include "util/scope_restore.h"
#include "util/table_search.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace lintar {

// equilb_plane_state: reads EQUILB and TPCM.
PlaneState equilb_plane_state() {
    PlaneState state;
    state.RVES1 = EQUILB.RVES(1);
    state.RVES2 = EQUILB.YCGVAR();
    state.VESANG = EQUILB.VESANG();
    state.VESAN0 = TPCM.VESAN0;
    state.TRTNGL = EQUILB.TRTNGL;
    state.TRTNG0 = EQUILB.TRTNG0;
    return state;
}

// TopTensionCache::rows: the entry of (ITYP, x2), built in the oldest slot when missing.
const RowSpline& TopTensionCache::rows(const LineTables& tables, std::int32_t ITYP, float x2) {
    for (std::size_t k = 0; k < used; ++k)
        if (entries[k].ITYP == ITYP && entries[k].x2 == x2)
            return entries[k].spline;
    Entry& e = entries[next];
    next = (next + 1) % entries.size();
    used = std::min(used + 1, entries.size());
    e.ITYP = ITYP;
    e.x2 = x2;
    splin2_across(tables.HLOD, tables.ZDIST_ARR, tables.column(tables.TOPTEN, 1, ITYP),
                  tables.column(tables.TT_SPLINE_DERIV, 1, ITYP), tables.NTAB, tables.NLAYER, x2,
                  e.spline);
    return e.spline;
}

namespace {

using Vec3 = Vector3<float>;

// Heading frame: rows (c, s, 0), (-s, c, 0), (0, 0, 1); its transpose turns vessel axes into
// global axes.
Mat3 heading_frame(float heading) {
    return transposed(turn_about_z(heading));
}

float fairlead(const MooringLines& lines, int c, int i) {
    return lines.RFL[3 * slot(i) + slot(c)];
}

// Horizontal distance from the displaced fairlead (DFLXG, DFLYG from its reference position)
// to the anchor at RANC along DEPRAD, by the law of cosines, and the azimuth toward it.
void distance_to_anchor(float RANC, float DEPRAD, float DFLXG, float DFLYG, float& TMPDST,
                        float& TMPANG) {
    const float DFLM2 = DFLXG * DFLXG + DFLYG * DFLYG;
    const float b = plane_angle(DFLYG, DFLXG) - DEPRAD;
    const float square = RANC * RANC + DFLM2 - 2.0f * std::sqrt(DFLM2) * RANC * std::cos(b);
    TMPDST = square > 0.0f ? std::sqrt(square) : 0.0f;
    TMPANG = plane_angle(RANC * std::sin(DEPRAD) - DFLYG, RANC * std::cos(DEPRAD) - DFLXG);
}

// The turn of the fairleads in the horizontal plane from the reference heading FLDAN0 to the
// heading FLDANG (DRFL11 = cos - 1 and DRFL12 = -sin of the difference, the displacement it
// gives in vessel axes), and the cosine and sine of FLDAN0 that take that displacement into
// global axes.
struct FairleadTurn {
    float DRFL11 = 0.0f, DRFL12 = 0.0f, cos0 = 1.0f, sin0 = 0.0f;
};
FairleadTurn fairlead_turn(float FLDANG, float FLDAN0) {
    return {std::cos(FLDANG - FLDAN0) - 1.0f, -std::sin(FLDANG - FLDAN0), std::cos(FLDAN0),
            std::sin(FLDAN0)};
}

// One line of the horizontal-plane force: the displacement of its fairlead by the turn (vessel
// axes) and with the vessel's offset (global axes), and the distance and azimuth from the
// displaced fairlead to the anchor.
struct PlaneReach {
    float DFLXV = 0.0f, DFLYV = 0.0f;
    float DFLXG = 0.0f, DFLYG = 0.0f;
    float TMPDST = 0.0f, TMPANG = 0.0f;
};

// plane_reach: line i of `lines`, its fairlead turned about XCENTR by `turn` and moved by the
// vessel's offset in `state`. Reads only its arguments.
PlaneReach plane_reach(const PlaneState& state, const FairleadTurn& turn, float XCENTR,
                       const MooringLines& lines, int i) {
    PlaneReach r;
    const float x = fairlead(lines, 1, i) - XCENTR;
    const float y = fairlead(lines, 2, i);
    r.DFLXV = x * turn.DRFL11 + y * turn.DRFL12;
    r.DFLYV = y * turn.DRFL11 - x * turn.DRFL12;
    r.DFLXG = state.RVES1 + r.DFLXV * turn.cos0 - r.DFLYV * turn.sin0;
    r.DFLYG = state.RVES2 + r.DFLXV * turn.sin0 + r.DFLYV * turn.cos0;
    distance_to_anchor(lines.RANC[slot(i)], lines.ANGDEP[slot(i)] / degrees_per_radian, r.DFLXG,
                       r.DFLYG, r.TMPDST, r.TMPANG);
    return r;
}

template <class Real> Real vertical_force(Real H, Real T, Real angle, Real ratio) {
    // A top tension of zero (the zero-load row of a weightless or buoyant line, or an
    // extrapolation) leaves no ratio to test: the tangent rule, which gives 0 without load.
    if (T <= Real(0) || std::abs(H / T) >= ratio)
        return H == Real(0) ? Real(0) : -H * std::tan(angle);
    const Real square = T * T - H * H;
    if (square < Real(0))
        return Real(0);
    return angle >= Real(0) ? -std::sqrt(square) : std::sqrt(square);
}

// The state of a line in row MIDLYR at a distance: horizontal load, top tension, top angle
// and the vertical force at the top from them. plane_line_state and add_plane_line_loads serve
// FMOOR and FMOOR0 and are marked inline: kept out of line, as g++ keeps them otherwise, they
// cost each line about 60 instructions more.
struct PlaneLineState {
    float H = 0.0f, T = 0.0f, TPATMP = 0.0f, Fz = 0.0f;
};

// plane_line_state: the column of type t in row MIDLYR (anchor distances anc) read at
// distance TMPDST in interval MIN. Reads only its arguments.
inline PlaneLineState plane_line_state(const LineTables& tables, std::span<const float> anc, int t,
                                       std::int32_t MIN, float TMPDST) {
    PlaneLineState s;
    INTERP(anc, tables.HLOD, TMPDST, s.H, MIN);
    INTERP(anc, tables.column(tables.TOPTEN, tables.MIDLYR, t), TMPDST, s.T, MIN);
    INTERP(anc, tables.column(tables.TOPANG, tables.MIDLYR, t), TMPDST, s.TPATMP, MIN);
    s.Fz = vertical_force(s.H, s.T, s.TPATMP, 0.5f);
    return s;
}

// add_plane_line_loads: adds the force of line i (horizontal load H along azimuth TMPANG,
// vertical force Fz) to the sums of `out`: the force in global axes, and its moment about
// the moment centre in the axes of the fairleads, which stand at heading FLDANG. Reads only
// its arguments.
inline void add_plane_line_loads(PlaneLoads& out, const PlaneFrame& frame,
                                 const MooringLines& lines, int i, float H, float TMPANG, float Fz,
                                 float FLDANG) {
    out.FXMOOR += H * std::cos(TMPANG);
    out.FYMOOR += H * std::sin(TMPANG);
    out.FZMOOR += Fz;
    const float TMPVES = TMPANG - FLDANG;
    const float fx = H * std::cos(TMPVES);
    const float fy = H * std::sin(TMPVES);
    const float rx = fairlead(lines, 1, i) - frame.XMCTR;
    const float ry = fairlead(lines, 2, i) - frame.YMCTR;
    const float rz = fairlead(lines, 3, i) - frame.ZMCTR;
    out.TXMOOR += ry * Fz - rz * fy;
    out.TYMOOR += rz * fx - rx * Fz;
    out.TZMOOR += rx * fy - ry * fx;
}

// The horizontal-plane force of FMOOR and FMOOR_PLUS; the energy only when ERGMOR is given.
PlaneLoads plane_force(const PlaneState& state, const PlaneFrame& frame, const LineTables& tables,
                       const MooringLines& lines, std::int32_t IEQSET,
                       const DisplacedGeometry& recorded, float* ERGMOR, std::span<float> LINERG) {
    const float FLDANG = frame.LSPM ? state.TRTNGL : state.VESANG;
    const float FLDAN0 = frame.LSPM ? state.TRTNG0 : state.VESAN0;
    const FairleadTurn turn = fairlead_turn(FLDANG, FLDAN0);
    const bool record = IEQSET == 2 && !recorded.RANCP.empty();

    PlaneLoads out;
    if (ERGMOR != nullptr)
        *ERGMOR = 0.0f;
    for (int i = lines.MINLN; i <= lines.MAXLN; ++i) {
        const std::int32_t id = lines.LINEID[slot(i)];
        if (id > 1024) {
            if (record) {
                recorded.RANCP[slot(i)] = lines.RANC[slot(i)];
                recorded.ANGDPP[slot(i)] = lines.ANGDEP[slot(i)];
            }
            continue;
        }
        const int t = id % 1024;
        // The fairlead turned about XCENTR, then in global axes.
        const PlaneReach reach = plane_reach(state, turn, frame.XCENTR, lines, i);
        float TMPDST = reach.TMPDST;
        const float TMPANG = reach.TMPANG;

        const auto anc = tables.column(tables.ANCDST, tables.MIDLYR, t);
        std::int32_t IER = 0;
        std::int32_t MIN = 1;
        BSRCH_MOOR(anc, TMPDST, IER, MIN, tables.NTAB);
        if (IER == 1) // closer than the first point: held just inside it
            TMPDST = anc[0] + 0.1f;
        const PlaneLineState s = plane_line_state(tables, anc, t, MIN, TMPDST);
        if (ERGMOR != nullptr) {
            const float POTEN = horizontal_work(tables.HLOD, anc, MIN, s.H, TMPDST);
            if (!LINERG.empty())
                LINERG[slot(i)] = POTEN;
            *ERGMOR += POTEN;
        }
        add_plane_line_loads(out, frame, lines, i, s.H, TMPANG, s.Fz, FLDANG);
        if (record) {
            recorded.RANCP[slot(i)] = TMPDST;
            recorded.ANGDPP[slot(i)] = TMPANG * degrees_per_radian;
        }
    }
    if (frame.LSPM) { // turret axes into vessel axes
        const float c = state.VESANG - FLDANG;
        const float TX = out.TXMOOR * std::cos(c) + out.TYMOOR * std::sin(c);
        const float TY = out.TYMOOR * std::cos(c) - out.TXMOOR * std::sin(c);
        out.TXMOOR = TX;
        out.TYMOOR = TY;
    }
    return out;
}

// Top tension of a hanging line: linear in the single row, else the bicubic spline over load
// and layer coordinate ILAYER + DELLAY, its spline over the loads taken from the cache when
// one is given.
float top_tension(const LineTables& tables, std::span<const float> anc, std::int32_t ITYP,
                  const LineLoad& r, float RANCHR, TopTensionCache* cache) {
    float TTTMP = 0.0f;
    if (tables.NLAYER < 2) {
        INTRPQ(anc, tables.column(tables.TOPTEN, r.ILAYER, ITYP), RANCHR, TTTMP, r.MIN, r.DELLAY);
        return TTTMP;
    }
    const float x2 = static_cast<float>(r.ILAYER) + r.DELLAY;
    if (cache == nullptr) {
        splin2(tables.HLOD, tables.ZDIST_ARR, tables.column(tables.TOPTEN, 1, ITYP),
               tables.column(tables.TT_SPLINE_DERIV, 1, ITYP), tables.NTAB, tables.NLAYER, r.RFORCE,
               x2, TTTMP);
        return TTTMP;
    }
    return splin2_at(tables.HLOD, cache->rows(tables, ITYP, x2), r.RFORCE);
}

// A debug dump of FMOOR0: the label right-aligned in 60 columns after one blank, then the
// reals six to a line (E12.4) or the integers ten to a line (I5).
void dump_label(int unit, std::string_view label) {
    write_record(unit, " " + A(label, 60));
}
void dump_reals(int unit, std::string_view label, std::span<const float> values) {
    dump_label(unit, label);
    std::string line;
    for (std::size_t k = 0; k < values.size(); ++k) {
        line += E(values[k], 12, 4);
        if (k % 6 == 5 || k + 1 == values.size()) {
            write_record(unit, line);
            line.clear();
        }
    }
}
void dump_integers(int unit, std::string_view label, std::span<const std::int32_t> values) {
    dump_label(unit, label);
    std::string line;
    for (std::size_t k = 0; k < values.size(); ++k) {
        line += I(values[k], 5);
        if (k % 10 == 9 || k + 1 == values.size()) {
            write_record(unit, line);
            line.clear();
        }
    }
}

WideLineTables wide_tables; // the copies of the last table build
const StateReset reset_wide_tables{[] { wide_tables = WideLineTables{}; }};

// The highest line type in use: TPCM.NTYP, or a higher type of a line of LINCOM that is not
// skipped.
int line_types_in_use() {
    int types = TPCM.NTYP;
    for (int i = 1; i <= lincom_lines; ++i)
        if (LINCOM.LINEID(i) <= 1024)
            types = std::max(types, static_cast<int>(LINCOM.LINEID(i) % 1024));
    return types;
}

// widen_tables: LINCOM's HLOD whole and rows 1..layers of types 1..types of ANCDST, TOPTEN and
// TOPANG into the copies. Reads LINCOM; writes the copies.
void widen_tables(int layers, int types) {
    const auto widen = [&](std::span<const float> from, std::vector<double>& to) {
        to.resize(std::size_t{lincom_points} * static_cast<std::size_t>(layers) *
                  static_cast<std::size_t>(types));
        for (int t = 1; t <= types; ++t)
            for (int L = 1; L <= layers; ++L) {
                const auto row = from.subspan(
                    col_major(1, lincom_points, L, lincom_layers, t, lincom_types), lincom_points);
                std::copy(row.begin(), row.end(),
                          to.begin() + static_cast<std::ptrdiff_t>(
                                           col_major(1, lincom_points, L, layers, t, types)));
            }
    };
    wide_tables.HLOD.assign(std::begin(LINCOM.HLOD_words), std::end(LINCOM.HLOD_words));
    widen(LINCOM.ANCDST_words, wide_tables.ANCDST);
    widen(LINCOM.TOPTEN_words, wide_tables.TOPTEN);
    widen(LINCOM.TOPANG_words, wide_tables.TOPANG);
    wide_tables.layers = layers;
    wide_tables.types = types;
    wide_tables.built = true;
}

} // namespace

// trim_heel_rotation: stored by columns. Reads only its arguments.
Mat3 trim_heel_rotation(float TRIMDG, float HEELDG) {
    if (TRIMDG == 0.0f && HEELDG == 0.0f)
        return identity3;
    const float t = TRIMDG / degrees_per_radian;
    const float h = HEELDG / degrees_per_radian;
    return {std::cos(t),
            std::sin(t) * std::sin(h),
            -std::sin(t) * std::cos(h),
            0.0f,
            std::cos(h),
            std::sin(h),
            std::sin(t),
            -std::cos(t) * std::sin(h),
            std::cos(t) * std::cos(h)};
}

// horizontal_work: the trapezoid sums of the column's intervals below MIN, then the part of
// interval MIN up to TMPDST. Reads only its arguments.
float horizontal_work(std::span<const float> HLOD, std::span<const float> anc, std::int32_t MIN,
                      float H, float TMPDST) {
    float POTEN = 0.0f;
    for (int k = 1; k <= MIN - 1; ++k)
        POTEN += 0.5f * (HLOD[slot(k + 1)] + HLOD[slot(k)]) * (anc[slot(k + 1)] - anc[slot(k)]);
    return POTEN + 0.5f * (H + HLOD[slot(MIN)]) * (TMPDST - anc[slot(MIN)]);
}

// widen_line_tables: see the header. Writes only the copies' built flag.
void widen_line_tables() {
    wide_tables.built = false;
}

// wide_line_tables: see the header. Reads TPCM and LINCOM; writes the copies.
const WideLineTables& wide_line_tables() {
    const int layers = std::clamp(std::max(TPCM.NLAYER, std::int32_t{2}), 2, lincom_layers);
    const int types = std::clamp(line_types_in_use(), 1, lincom_types);
    if (!wide_tables.built || wide_tables.layers < layers || wide_tables.types < types)
        widen_tables(layers, types);
    return wide_tables;
}

std::span<const float> LineTables::column(std::span<const float> table, int L, int t) const {
    return table.subspan(col_major(1, lincom_points, L, lincom_layers, t, lincom_types));
}

LineTables lincom_tables() {
    LineTables tables;
    tables.HLOD = LINCOM.HLOD_words;
    tables.ANCDST = LINCOM.ANCDST_words;
    tables.TOPTEN = LINCOM.TOPTEN_words;
    tables.BOTLEN = LINCOM.BOTLEN_words;
    tables.TOPANG = LINCOM.TOPANG_words;
    tables.BOTANG = LINCOM.BOTANG_words;
    tables.FFRICT = LINCOM.FFRICT_words;
    tables.TT_SPLINE_DERIV = LINCOM.TT_SPLINE_DERIV_words;
    tables.ZDIST_ARR = LINCOM.ZDIST_ARR_words;
    tables.MIDLYR = LINCOM.MIDLYR;
    tables.DLAYER = LINCOM.DLAYER;
    tables.NLAYER = TPCM.NLAYER;
    tables.ZSPAN = TPCM.ZSPAN;
    tables.NTAB = TPCM.NUMTAB;
    return tables;
}

MooringLines lincom_mooring_lines(std::int32_t MINLN, std::int32_t MAXLN) {
    MooringLines lines;
    lines.RANC = LINCOM.RANC_words;
    lines.ANGDEP = TPCM.ANGDEP_words;
    lines.RFL = TPCM.RFLD_words;
    lines.LINEID = LINCOM.LINEID_words;
    lines.ANCHGT = TPCM.ANCHGT_words;
    lines.TOTWT = LINCOM.TOTWT_words;
    lines.MINLN = MINLN;
    lines.MAXLN = MAXLN;
    return lines;
}

DisplacedGeometry lincom_displaced() {
    return {LINCOM.RANCP_words, LINCOM.ZANCP_words, LINCOM.ANGDPP_words};
}

float vertical_line_force(float H, float T, float angle, float ratio) {
    return vertical_force(H, T, angle, ratio);
}
double vertical_line_force(double H, double T, double angle, double ratio) {
    return vertical_force(H, T, angle, ratio);
}

// FMOOR: see the header. Reads its arguments; writes `recorded` with IEQSET 2.
PlaneLoads FMOOR(const PlaneState& state, const PlaneFrame& frame, const LineTables& tables,
                 const MooringLines& lines, std::int32_t IEQSET,
                 const DisplacedGeometry& recorded) {
    return plane_force(state, frame, tables, lines, IEQSET, recorded, nullptr, {});
}

// FMOOR_PLUS: FMOOR with the line energies; a skipped line's LINERG is left as it is.
PlaneLoads FMOOR_PLUS(const PlaneState& state, const PlaneFrame& frame, const LineTables& tables,
                      const MooringLines& lines, float& ERGMOR, std::span<float> LINERG,
                      std::int32_t IEQSET, const DisplacedGeometry& recorded) {
    return plane_force(state, frame, tables, lines, IEQSET, recorded, &ERGMOR, LINERG);
}

namespace {

// dump_plane_inputs: FMOOR0's first debug dump on `unit`: the headings, then the fairleads' x
// and y, the anchor azimuths and the anchor distances of the lines. Reads only its arguments.
void dump_plane_inputs(int unit, const PlaneState& state, const MooringLines& lines) {
    std::vector<float> values = {state.VESANG, state.VESAN0};
    for (int c : {1, 2})
        for (int i = lines.MINLN; i <= lines.MAXLN; ++i)
            values.push_back(fairlead(lines, c, i));
    for (int i = lines.MINLN; i <= lines.MAXLN; ++i)
        values.push_back(lines.ANGDEP[slot(i)]);
    for (int i = lines.MINLN; i <= lines.MAXLN; ++i)
        values.push_back(lines.RANC[slot(i)]);
    dump_reals(unit, "In FMOOR: VESANG,VESAN0,RFL(1),RFL(2),ANGDEP,RANC", values);
}

// The length on the bottom and the bottom angle of a line.
struct BottomState {
    float BTLTMP = 0.0f;
    float BTATMP = 0.0f;
};

// plane_bottom_state: the bottom state of type t in row MIDLYR at distance TMPDST, found in
// interval MIN. Reads only its arguments.
BottomState plane_bottom_state(const LineTables& tables, int t, std::int32_t MIN, float TMPDST) {
    const auto anc = tables.column(tables.ANCDST, tables.MIDLYR, t);
    const auto bot = tables.column(tables.BOTLEN, tables.MIDLYR, t);
    const auto bang = tables.column(tables.BOTANG, tables.MIDLYR, t);
    BottomState b;
    if (bot[slot(MIN + 1)] <= 0.0f && bot[slot(MIN)] > 0.0f) {
        // Lift-off inside this interval: the length from the interval below, the angle from
        // the interval above, neither negative.
        INTERP(anc, bot, TMPDST, b.BTLTMP, std::max(MIN - 1, 1));
        INTERP(anc, bang, TMPDST, b.BTATMP, MIN + 1 < tables.NTAB ? MIN + 1 : MIN);
        b.BTLTMP = std::max(b.BTLTMP, 0.0f);
        b.BTATMP = std::max(b.BTATMP, 0.0f);
    } else {
        INTERP(anc, bot, TMPDST, b.BTLTMP, MIN);
        INTERP(anc, bang, TMPDST, b.BTATMP, MIN);
    }
    return b;
}

} // namespace

// FMOOR0: see the header. Reads its arguments; writes `results`, `recorded` and, when asked,
// the debug dumps on IOSCRN.
PlaneLoads FMOOR0(const PlaneState& state, const PlaneFrame& frame, const LineTables& tables,
                  const MooringLines& lines, std::int32_t IOFLAG, const PlaneLineResults& results,
                  std::int32_t NBUG0, int IOSCRN, int KBD, std::int32_t IEQSET,
                  const DisplacedGeometry& recorded) {
    std::int32_t NBUG = 0;
    if (NBUG0 == 1)
        INBUG(NBUG, IOSCRN, KBD);
    const bool dump = NBUG == 1;
    if (dump)
        dump_plane_inputs(IOSCRN, state, lines);
    const FairleadTurn turn = fairlead_turn(state.VESANG, state.VESAN0);
    const bool record = IEQSET == 2 && !recorded.RANCP.empty();
    const auto store = [](std::span<float> a, int i, float v) {
        if (!a.empty())
            a[slot(i)] = v;
    };

    PlaneLoads out;
    for (int i = lines.MINLN; i <= lines.MAXLN; ++i) {
        const std::int32_t id = lines.LINEID[slot(i)];
        if (id > 1024) {
            for (auto a : {results.TOPTH, results.TOPTZ, results.TOPTT, results.TOPAN,
                           results.BOTLIN, results.BOTAN})
                store(a, i, 0.0f);
            if (record) {
                recorded.RANCP[slot(i)] = lines.RANC[slot(i)];
                recorded.ANGDPP[slot(i)] = lines.ANGDEP[slot(i)];
            }
            continue;
        }
        const int t = id % 1024;
        if (dump)
            dump_integers(IOSCRN, "IN LINE LOOP: ILINE,NLINE,ITYP",
                          std::array<std::int32_t, 3>{i, lines.MAXLN, t});
        const PlaneReach reach = plane_reach(state, turn, frame.XCENTR, lines, i);
        const float TMPDST = reach.TMPDST;
        const float TMPANG = reach.TMPANG;
        if (dump)
            dump_reals(IOSCRN, "DFLXG,DFLYG,DFLXV,DFLYV,NEWLINEANG,NEWANCDIST,OLDANCDST",
                       std::array<float, 7>{reach.DFLXG, reach.DFLYG, reach.DFLXV, reach.DFLYV,
                                            TMPANG, TMPDST, lines.RANC[slot(i)]});
        const auto anc = tables.column(tables.ANCDST, tables.MIDLYR, t);
        std::int32_t IER = 0;
        std::int32_t MIN = 1;
        BSRCH(anc, TMPDST, IER, MIN, tables.NTAB); // both ends extrapolate
        if (dump)
            dump_integers(IOSCRN, "MIN+1,MIN,NTAB,ITYP",
                          std::array<std::int32_t, 4>{MIN + 1, MIN, tables.NTAB, t});
        const PlaneLineState s = plane_line_state(tables, anc, t, MIN, TMPDST);
        add_plane_line_loads(out, frame, lines, i, s.H, TMPANG, s.Fz, state.VESANG);
        if (dump)
            dump_reals(IOSCRN, "DEPANG(VESSEL),RFORCE,FXMOOR,FYMOOR,TZMOOR",
                       std::array<float, 5>{TMPANG - state.VESANG, s.H, out.FXMOOR, out.FYMOOR,
                                            out.TZMOOR});

        if (IOFLAG == 1) {
            store(results.TOPTH, i, s.H);
            store(results.TOPTT, i, s.T);
            store(results.TOPTZ, i, s.Fz);
            store(results.TOPAN, i, s.TPATMP);
            const BottomState bottom = plane_bottom_state(tables, t, MIN, TMPDST);
            store(results.BOTLIN, i, bottom.BTLTMP);
            store(results.BOTAN, i, bottom.BTATMP);
        }
        if (record) {
            recorded.RANCP[slot(i)] = TMPDST;
            recorded.ANGDPP[slot(i)] = TMPANG * degrees_per_radian;
        }
    }
    if (frame.LSPM)
        out.TZMOOR = 0.0f;
    return out;
}

// LOADUP: see the header. Reads the tables and TPCM's line data (through VRTLIN); writes to
// IOSCRN only on a bottom-length mismatch of the vertical-line path.
LineLoad LOADUP(float RANCHR, float DZFLDG, float ZFLDV, float DRAFT, std::int32_t ITYP,
                const LineTables& tables, std::span<const float> ANCHGT,
                std::span<const float> TOTWT, int IOSCRN, int KBD, TopTensionCache* cache) {
    LineLoad r;
    std::int32_t OUTWRN = 0; // the caller reports the span
    // With fewer than two rows SETLYR gives row 1 and no blend for every height.
    SETLYR(tables.NLAYER, tables.MIDLYR, tables.DLAYER, tables.ZSPAN, DZFLDG, r.ILAYER, r.DELLAY,
           OUTWRN);
    const auto anc = tables.column(tables.ANCDST, r.ILAYER, ITYP);
    std::int32_t IER = 0; // outside the table the end interval extrapolates
    BSRCHQ(anc, r.DELLAY, RANCHR, IER, r.MIN, tables.NTAB);
    INTRPR(anc, tables.HLOD, RANCHR, r.RFORCE, r.MIN, r.DELLAY);
    r.DELZ = (ZFLDV - DRAFT) + ANCHGT[slot(ITYP)] + DZFLDG;

    if (r.RFORCE >= 0.001f) { // a hanging line
        r.TTTMP = top_tension(tables, anc, ITYP, r, RANCHR, cache);
        INTRPQ(anc, tables.column(tables.TOPANG, r.ILAYER, ITYP), RANCHR, r.TOPANQ, r.MIN,
               r.DELLAY);
        r.FGZTMP = -r.RFORCE * std::tan(r.TOPANQ);
        const auto bot = tables.column(tables.BOTLEN, r.ILAYER, ITYP);
        const auto bang = tables.column(tables.BOTANG, r.ILAYER, ITYP);
        const float b1 = MIDLAY(bot.subspan(slot(r.MIN + 1)), r.DELLAY);
        const float b0 = MIDLAY(bot.subspan(slot(r.MIN)), r.DELLAY);
        if (b1 <= 0.0f && b0 > 0.0f) {
            // The line leaves the bottom inside this interval: the length from the interval
            // below, the angle from the interval above, neither negative.
            INTRPQ(anc, bot, RANCHR, r.BTLENQ, std::max(r.MIN - 1, 1), r.DELLAY);
            r.BTLENQ = std::max(r.BTLENQ, 0.0f);
            const std::int32_t above = r.MIN + 1 < tables.NTAB ? r.MIN + 1 : r.MIN;
            INTRPQ(anc, bang, RANCHR, r.BTANGQ, above, r.DELLAY);
            r.BTANGQ = std::max(r.BTANGQ, 0.0f);
        } else {
            INTRPQ(anc, bot, RANCHR, r.BTLENQ, r.MIN, r.DELLAY);
            INTRPQ(anc, bang, RANCHR, r.BTANGQ, r.MIN, r.DELLAY);
        }
        return r;
    }

    r.RFORCE = 0.0f;
    std::int32_t IVERTQ = 0;
    float BTLTMQ = 0.0f;
    VRTLIN(r.DELZ, ITYP, IVERTQ, TOTWT[slot(ITYP)], BTLTMQ, r.TOPANQ, r.TTTMP, r.BTLENQ, r.BTANGQ);
    r.FGZTMP = r.TOPANQ >= 0.0f ? -std::abs(r.TTTMP) : std::abs(r.TTTMP);
    if (std::abs(BTLTMQ - r.BTLENQ) > 1.0e-5f) {
        write_record(IOSCRN, "Bottom length mismatch in LOADUP:VRTLIN");
        std::int32_t LBACK = 0;
        ABORT0(IOSCRN, KBD, LBACK);
        if (LBACK == -1)
            stop_program(StopKind::user_choice);
    }
    return r;
}

namespace {

// The finite rotation of FMOOR2: the axis in the reference-heading frame and the rotation
// matrix R = ROTVO^T ZROTL ROTVO; writes the frame ROTVO, the turn ZROTL and the pitch, roll and
// yaw angles of R into `out`. Reads only its arguments.
struct FiniteRotation {
    Vec3 ROTDIR{};
    Mat3 R = identity3;
};
FiniteRotation finite_rotation(const SixDofState& state, SixDofLoads& out) {
    FiniteRotation f;
    // The axis in the reference-heading frame.
    const float c0 = std::cos(state.VESAN0);
    const float s0 = std::sin(state.VESAN0);
    f.ROTDIR = {state.ROTDIR[0] * c0 + state.ROTDIR[1] * s0,
                state.ROTDIR[1] * c0 - state.ROTDIR[0] * s0, state.ROTDIR[2]};
    const AxisTurn<float> turn = turn_about_axis(f.ROTDIR, state.ROTVAL_DEG / degrees_per_radian);
    out.ZROTL = turn.ZROTL;
    out.ROTVO = turn.ROTVO;
    f.R = turn.R;
    out.PITANG = -std::asin(std::clamp(at(f.R, 3, 1), -1.0f, 1.0f));
    out.ROLANG = std::asin(std::clamp(at(f.R, 3, 2), -1.0f, 1.0f));
    out.YAWANG = std::asin(std::clamp(at(f.R, 2, 1), -1.0f, 1.0f));
    return f;
}

// The fairlead of one line for FMOOR2: its body position RFLDQ, its position q about the
// centre of rotation, and its displacement (global) from the reference position.
struct DisplacedFairlead {
    Vec3 RFLDQ{};
    Vec3 q{};
    float DFLXG = 0.0f, DFLYG = 0.0f, DFLZG = 0.0f;
};

// displaced_fairlead: fairlead i of `lines` turned by the perturbation p (inside the trim frame
// when p.TRIMFL) and by R, at heading ROTGM, less its reference position at heading ROTGD, plus
// the vessel's offset. Reads only its arguments.
DisplacedFairlead displaced_fairlead(const SixDofState& state, const Perturbation& p,
                                     const ForceCentres& centres, const MooringLines& lines, int i,
                                     const Mat3& R, const Mat3& ROTGD, const Mat3& ROTGM) {
    DisplacedFairlead d;
    const Vec3 EPS = p.EPS;
    d.RFLDQ = {fairlead(lines, 1, i), fairlead(lines, 2, i), fairlead(lines, 3, i)};
    d.q = {d.RFLDQ[0] - centres.ROTCTX, d.RFLDQ[1] - centres.ROTCTY, d.RFLDQ[2] - centres.ROTCTZ};
    const Vec3& q = d.q;
    Vec3 qp = q;
    if (p.DRVFLG == 1) {
        if (p.TRIMFL) {
            Vec3 u = times_t(p.TRIMHL, q);
            u = {u[0] + EPS[0], u[1] + EPS[1], u[2] + EPS[2]};
            qp = times(p.TRIMHL, times(p.EPSROT, u));
        } else {
            const Vec3 u = times(p.EPSROT, q);
            qp = {u[0] + EPS[0], u[1] + EPS[1], u[2] + EPS[2]};
        }
    }
    Vec3 g = times_t(ROTGM, times(R, qp));
    if (p.DRVFLG == 2)
        g = times(p.EPSROT, g);
    const Vec3 g0 = times_t(ROTGD, q);
    d.DFLXG = state.RVES1 + g[0] - g0[0];
    d.DFLYG = state.RVES2 + g[1] - g0[1];
    d.DFLZG = state.ZVES + g[2] - q[2];
    if (p.DRVFLG == 2) {
        d.DFLXG += EPS[0];
        d.DFLYG += EPS[1];
        d.DFLZG += EPS[2];
    }
    return d;
}

// six_dof_line_energy: the energy stored in a line of type t at fairlead-anchor distance
// TMPDST whose state LOADUP gave as s: the horizontal work along row 1, then the vertical work
// up the layer rows to the fairlead. Reads only its arguments.
float six_dof_line_energy(const LineTables& tables, int t, float TMPDST, const LineLoad& s) {
    const auto row_state = [&](int L, float& H, std::int32_t& MINQ) {
        const auto anc = tables.column(tables.ANCDST, L, t);
        std::int32_t IER = 0;
        BSRCH(anc, TMPDST, IER, MINQ, tables.NTAB);
        float a = 0.0f;
        INTERP(anc, tables.column(tables.TOPANG, L, t), TMPDST, a, MINQ);
        INTERP(anc, tables.HLOD, TMPDST, H, MINQ);
        return -H * std::tan(a);
    };
    float H1 = 0.0f;
    std::int32_t MINQ = 1;
    float Fz_prev = row_state(1, H1, MINQ);
    float POTEN =
        horizontal_work(tables.HLOD, tables.column(tables.ANCDST, 1, t), MINQ, H1, TMPDST);
    if (tables.NLAYER > 1) {
        for (int j = 2; j <= s.ILAYER; ++j) {
            float Hj = 0.0f;
            std::int32_t MINJ = 1;
            const float Fz_j = row_state(j, Hj, MINJ);
            POTEN -= 0.5f * (Fz_j + Fz_prev) * tables.DLAYER;
            Fz_prev = Fz_j;
        }
        POTEN -= 0.5f * (s.FGZTMP + Fz_prev) * s.DELLAY * tables.DLAYER;
    }
    return POTEN;
}

// add_six_dof_line_loads: adds the force of one line (horizontal load H along azimuth TMPANG,
// vertical force Fz) at fairlead d to the sums of `out`: global and vessel-axis forces, their
// moments about the moment centre, and with DRVFLG 3 the load-geometry matrix. Reads only its
// arguments.
void add_six_dof_line_loads(SixDofLoads& out, const Perturbation& p, const ForceCentres& centres,
                            const DisplacedFairlead& d, float H, float TMPANG, float Fz,
                            const Mat3& R, const Mat3& ROTGM) {
    const Vec3 EPS = p.EPS;
    const Vec3 F0 = {H * std::cos(TMPANG), H * std::sin(TMPANG), Fz};
    out.FGXMOR += F0[0];
    out.FGYMOR += F0[1];
    out.FGZMOR += F0[2];
    const Vec3 F = p.DRVFLG == 2 ? times_t(p.EPSROT, F0) : F0;
    Vec3 Fv = times_t(R, times(ROTGM, F));
    if (p.DRVFLG == 1)
        Fv = p.TRIMFL ? times(p.TRIMHL, times_t(p.EPSROT, times_t(p.TRIMHL, Fv)))
                      : times_t(p.EPSROT, Fv);
    out.FVXMOR += Fv[0];
    out.FVYMOR += Fv[1];
    out.FVZMOR += Fv[2];
    const Vec3 r = {d.RFLDQ[0] - centres.XMCTR, d.RFLDQ[1] - centres.YMCTR,
                    d.RFLDQ[2] - centres.ZMCTR};
    const Vec3 Tv = cross(r, Fv);
    out.TVXMOR += Tv[0];
    out.TVYMOR += Tv[1];
    out.TVZMOR += Tv[2];
    Vec3 Tg = times_t(ROTGM, times(R, Tv));
    if (p.DRVFLG == 2) {
        const Vec3 turned = times(p.EPSROT, Tg);
        const Vec3 lever = cross(EPS, F0);
        Tg = {turned[0] + lever[0], turned[1] + lever[1], turned[2] + lever[2]};
    }
    out.TGXMOR += Tg[0];
    out.TGYMOR += Tg[1];
    out.TGZMOR += Tg[2];
    if (p.DRVFLG == 3) {
        const float sdot = dot(Fv, d.q);
        for (int m = 1; m <= 3; ++m) {
            for (int n = 1; n <= 3; ++n)
                at(out.ASMCOR, m, n) += Fv[slot(m)] * d.q[slot(n)];
            at(out.ASMCOR, m, m) -= sdot;
        }
    }
}

} // namespace

// FMOOR2: see the header. Reads its arguments and TPCM's line data (through LOADUP); writes
// the span warning to warn.IOSCRN.
SixDofLoads FMOOR2(const SixDofState& state, const Perturbation& p, const ForceCentres& centres,
                   const LineTables& tables, const MooringLines& lines, float DRAFT,
                   SpanWarning& warn, const LineResults& results, std::int32_t IEQSET,
                   const DisplacedGeometry& recorded) {
    SixDofLoads out;
    const FiniteRotation rotation = finite_rotation(state, out);
    const float ZBOT = static_cast<float>(1 - tables.MIDLYR) * tables.DLAYER;
    const float ZTOP = ZBOT + tables.ZSPAN;
    const Mat3 ROTGD = heading_frame(state.VESAN0);
    const Mat3 ROTGM = heading_frame(state.VESANG);

    const auto store = [](std::span<float> a, int i, float v) {
        if (!a.empty())
            a[slot(i)] = v;
    };
    const bool record = IEQSET == 2 && !recorded.RANCP.empty();
    TopTensionCache top_tensions; // the tables stand still during the call

    for (int i = lines.MINLN; i <= lines.MAXLN; ++i) {
        const std::int32_t id = lines.LINEID[slot(i)];
        if (id > 1024) {
            for (auto a : {results.TOPTH, results.TOPTZ, results.TOPTT, results.TOPAN,
                           results.BOTLIN, results.BOTAN, results.LINERG})
                store(a, i, 0.0f);
            if (record) {
                recorded.RANCP[slot(i)] = lines.RANC[slot(i)];
                recorded.ZANCP[slot(i)] = 0.0f;
                recorded.ANGDPP[slot(i)] = lines.ANGDEP[slot(i)];
            }
            continue;
        }
        const int t = id % 1024;
        const float DEPRAD = lines.ANGDEP[slot(i)] / degrees_per_radian;
        const DisplacedFairlead d =
            displaced_fairlead(state, p, centres, lines, i, rotation.R, ROTGD, ROTGM);
        span_check(i, d.DFLZG, ZBOT, ZTOP, state.ZVES, state.ROTVAL_DEG, rotation.ROTDIR,
                   state.ROTMOD, 8, false, warn);

        float TMPDST = 0.0f;
        float TMPANG = 0.0f;
        distance_to_anchor(lines.RANC[slot(i)], DEPRAD, d.DFLXG, d.DFLYG, TMPDST, TMPANG);
        const LineLoad s = LOADUP(TMPDST, d.DFLZG, d.RFLDQ[2], DRAFT, t, tables, lines.ANCHGT,
                                  lines.TOTWT, warn.IOSCRN, warn.KBD, &top_tensions);
        store(results.TOPTH, i, s.RFORCE);
        store(results.TOPTT, i, s.TTTMP);
        store(results.TOPTZ, i, s.FGZTMP);
        store(results.TOPAN, i, s.TOPANQ);
        store(results.BOTAN, i, s.BTANGQ);
        store(results.BOTLIN, i, s.BTLENQ);

        const float POTEN = six_dof_line_energy(tables, t, TMPDST, s);
        store(results.LINERG, i, POTEN);
        out.ERGMOR += POTEN;

        add_six_dof_line_loads(out, p, centres, d, s.RFORCE, TMPANG, s.FGZTMP, rotation.R, ROTGM);
        if (record) {
            recorded.RANCP[slot(i)] = TMPDST;
            recorded.ZANCP[slot(i)] = d.DFLZG;
            recorded.ANGDPP[slot(i)] = TMPANG * degrees_per_radian;
        }
    }
    return out;
}

// VARUPD: see the header. Writes only `state`.
void VARUPD(std::span<const float, 6> XVEC, SixDofState& state) {
    state.RVES1 = XVEC[0];
    state.RVES2 = XVEC[1];
    state.ZVES = XVEC[2];
    state.VESANG = state.VESAN0;
    const float r = std::sqrt(XVEC[3] * XVEC[3] + XVEC[4] * XVEC[4] + XVEC[5] * XVEC[5]);
    if (r == 0.0f) {
        state.ROTDIR = {1.0f, 0.0f, 0.0f};
    } else {
        for (std::size_t k = 0; k < 3; ++k)
            state.ROTDIR[k] = std::clamp(XVEC[3 + k] / r, -1.0f, 1.0f);
    }
    state.ROTVAL_DEG = r * degrees_per_radian;
    state.ROTMOD = 1.0f;
}

// SPRING: see the header. FMOOR takes each position as a value; the environmental yaw moment
// reads the vessel's position from EQUILB, so the displaced position stands there while it is
// evaluated, and guards put the saved words back however the call ends. Reads TPCM and
// LINCOM; reads EQUILB and leaves it as it was.
SpringColumn SPRING(float DELX, float DELY, float DELANG, std::int32_t MINLN, std::int32_t MAXLN,
                    bool ENVRON, bool SPMFLG, const YawMomentFunction& TORQUE) {
    const ScopeRestore keep_x(EQUILB.RVES(1));
    const ScopeRestore keep_y(EQUILB.YCGVAR());
    const ScopeRestore keep_heading(EQUILB.VESANG());
    const LineTables tables = lincom_tables();
    const MooringLines lines = lincom_mooring_lines(MINLN, MAXLN);
    PlaneFrame frame;
    frame.XCENTR = TPCM.XSALM;
    frame.XMCTR = TPCM.XSALM;
    frame.LSPM = SPMFLG;
    const auto force_at = [&](const PlaneState& state) {
        PlaneLoads loads = FMOOR(state, frame, tables, lines);
        if (ENVRON && TORQUE)
            loads.TZMOOR += TORQUE(EQUILB.VESANG());
        return loads;
    };

    const PlaneLoads here = force_at(equilb_plane_state());
    const float psi = EQUILB.VESANG();
    EQUILB.RVES(1) += DELX * std::cos(psi) - DELY * std::sin(psi);
    EQUILB.YCGVAR() += DELX * std::sin(psi) + DELY * std::cos(psi);
    EQUILB.VESANG() += DELANG;
    const PlaneLoads there = force_at(equilb_plane_state());

    const float ANGSAV = keep_heading.saved();
    const float dx = here.FXMOOR - there.FXMOOR;
    const float dy = here.FYMOOR - there.FYMOOR;
    SpringColumn column;
    column.DFXTMP = dx * std::cos(ANGSAV) + dy * std::sin(ANGSAV);
    column.DFYTMP = dy * std::cos(ANGSAV) - dx * std::sin(ANGSAV);
    column.DTZTMP = here.TZMOOR - there.TZMOOR;
    return column;
}

// warn_outside_span: see the header. Writes to warn.IOSCRN; ends the run on "A".
void warn_outside_span(const SpanWarning& warn, const SpanMotion& motion, int i, int zves_width,
                       bool framed) {
    write_span_warning(warn.IOSCRN, motion, i, zves_width, framed);
    std::int32_t LBACK = 0;
    ABORT0(warn.IOSCRN, warn.KBD, LBACK);
    if (LBACK == -1)
        stop_program(StopKind::user_choice);
}

// write_span_warning: the text chosen by the motion that caused it. Writes to `unit`; never
// ends the run.
void write_span_warning(int unit, const SpanMotion& motion, int ILINE, int zves_width,
                        bool framed) {
    const std::string direction = "     (" + F(motion.axis[0], 4, 1) + "," +
                                  F(motion.axis[1], 4, 1) + "," + F(motion.axis[2], 4, 1) + ")" +
                                  " has carried fairlead number " + I(ILINE, 2) + " outside ";
    const bool rotation = motion.ROTVAL != 0.0;
    const bool translation = motion.ZVES != 0.0;
    const std::string heave = F(motion.ZVES, zves_width, 2);
    if (framed)
        write_record(unit, "");
    if (translation && !rotation) {
        write_record(unit,
                     " ++> Warning: A vertical translation of amount " + heave + " has carried");
        write_record(unit, "     fairlead number " + I(ILINE, 2) + " outside the bounds of the" +
                               " specified vertical");
        write_record(unit, "     interpolation span. This may lead to interpolation errors.");
        write_record(unit, "     Consider increasing the vertical interpolation span.");
    } else {
        if (rotation && !translation) {
            write_record(unit, " ++> Warning: A rotation of amount " + F(motion.ROTVAL, 5, 1) +
                                   " degrees about direction");
        } else {
            write_record(unit, " ++> Warning: A vertical translation of amount " + heave);
            write_record(unit, "     plus a rotation of amount " + F(motion.ROTVAL, 5, 1) +
                                   " degrees about direction");
        }
        write_record(unit, direction);
        write_record(unit, "     the bounds of the specified vertical interpolation span.");
        write_record(unit, "     This may lead to interpolation errors. Consider increasing");
        write_record(unit, "     the vertical interpolation span.");
    }
    if (framed)
        write_record(unit, "");
}

} // namespace lintar
