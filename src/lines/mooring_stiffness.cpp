// lines/mooring_stiffness.cpp: the six-by-six mooring stiffness in single and double precision,
// the double-precision mooring force, and the check of the difference steps.
#include "lines/mooring_stiffness.h"

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/catenary_elements.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/matrix3.h"
#include "util/prompts.h"
#include "util/table_search.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace lintar {

namespace {

template <class Real> using M3 = Matrix3<Real>;
template <class Real> using V3 = Vector3<Real>;

// The loads of one evaluation: global (Fx, Fy, Fz, Mx, My, Mz), vessel axes, and what the
// base evaluation returns besides.
template <class Real> struct Loads6 {
    std::array<Real, 6> G{};
    std::array<Real, 6> V{};
    M3<Real> ASMCOR{};
    M3<Real> ROTVO{};
    M3<Real> ZROTL{};
};
template <class Real>
using Evaluate =
    std::function<Loads6<Real>(std::int32_t DRVFLG, const M3<Real>& EPSROT, const V3<Real>& EPS)>;

std::size_t table_slot(int row, int INCVAL) {
    return slot(INCVAL) * stiffness_table_rows + slot(row);
}
std::size_t entry(int J, int I) {
    return col_major(J, 6, I, 6);
}

// layout_extent: the extent of the fairlead layout (TPCM's RFLD over NLIN lines) along each
// axis, turned as the vessel is in the base state (ROTVO, ZROTL of `base`, the point's ZROTV),
// for the rotation steps. Reads TPCM.
template <class Real>
V3<Real> layout_extent(const StiffnessPoint& point, const Loads6<Real>& base) {
    V3<Real> RMXDST{};
    for (int c = 1; c <= 3; ++c) {
        float lo = 0.0f;
        float hi = 0.0f;
        for (int i = 1; i <= TPCM.NLIN; ++i) {
            lo = i == 1 ? TPCM.RFLD(c, i) : std::min(lo, TPCM.RFLD(c, i));
            hi = i == 1 ? TPCM.RFLD(c, i) : std::max(hi, TPCM.RFLD(c, i));
        }
        RMXDST[slot(c)] = static_cast<Real>(hi - lo);
    }
    V3<Real> v = times(base.ROTVO, RMXDST);
    RMXDST = times(base.ZROTL, v);
    v = times_t(base.ROTVO, RMXDST);
    const auto Z = [&](int i, int j) {
        return static_cast<Real>(point.ZROTV[col_major(i, 2, j, 2)]);
    };
    return {Z(1, 1) * v[0] + Z(1, 2) * v[1], Z(2, 1) * v[0] + Z(2, 2) * v[1], v[2]};
}

// difference_steps: the step of each of the six settings: EPSDST for the translations, EPSRAD
// for the turns, less where the layout's lever about the axis (RMXDST) would move a fairlead
// more than 500 x EPSRAD. Reads only its arguments.
template <class Real>
std::array<Real, 6> difference_steps(const StiffnessRequest& request, const V3<Real>& RMXDST) {
    const Real EPSRAD = static_cast<Real>(request.EPSRAD);
    const Real EPSDST = static_cast<Real>(request.EPSDST);
    std::array<Real, 6> step{EPSDST, EPSDST, EPSDST, EPSRAD, EPSRAD, EPSRAD};
    const Real lever[3] = {std::hypot(RMXDST[1], RMXDST[2]), std::hypot(RMXDST[0], RMXDST[2]),
                           std::hypot(RMXDST[0], RMXDST[1])};
    for (std::size_t k = 0; k < 3; ++k)
        if (lever[k] > Real(500)) // no fairlead moves more than 500 x EPSRAD
            step[3 + k] = EPSRAD * Real(500) / lever[k];
    return step;
}

// The perturbation of one setting: a turn EPSROT and a translation EPS.
template <class Real> struct Setting {
    M3<Real> EPSROT = identity_matrix3<Real>();
    V3<Real> EPS{};
};

// setting: the plus (sign 1) or minus (sign -1) setting of degree of freedom I with step h: a
// translation along I, or a turn by +-h about axis I - 3. Reads only its arguments.
template <class Real> Setting<Real> setting(int I, Real h, Real sign) {
    Setting<Real> s;
    if (I <= 3) {
        s.EPS[slot(I)] = sign * h;
        return s;
    }
    const int k = I - 3;
    const int I2 = k % 3 + 1;
    const int I3 = (k + 1) % 3 + 1;
    at(s.EPSROT, I2, I2) = std::cos(h);
    at(s.EPSROT, I3, I3) = std::cos(h);
    at(s.EPSROT, I2, I3) = -sign * std::sin(h);
    at(s.EPSROT, I3, I2) = sign * std::sin(h);
    return s;
}

// vessel_axis_correction: what the symmetric vessel-axis stiffness takes off entry (J, I) of a
// rotation column (I >= 4): the load-geometry matrix for a moment row, else the base force FV
// crossed with the turn. Reads only its arguments.
template <class Real>
Real vessel_axis_correction(int J, int I, const M3<Real>& ASMCOR, const std::array<Real, 6>& FV) {
    const Real FVX = FV[0], FVY = FV[1], FVZ = FV[2];
    if (J >= 4)
        return at(ASMCOR, J - 3, I - 3);
    if (J == 1)
        return I == 5 ? -FVZ : (I == 6 ? FVY : Real(0));
    if (J == 2)
        return I == 4 ? FVZ : (I == 6 ? -FVX : Real(0));
    return I == 4 ? -FVY : (I == 5 ? FVX : Real(0));
}

// global_axis_correction: what the symmetric global stiffness takes off entry (J, I) of a
// moment row (J >= 4): the load-geometry matrix for a rotation column, else the base force FG
// crossed with the translation. Reads only its arguments.
template <class Real>
Real global_axis_correction(int J, int I, const M3<Real>& ASMCOR, const std::array<Real, 6>& FG) {
    const Real FGX = FG[0], FGY = FG[1], FGZ = FG[2];
    if (I >= 4)
        return at(ASMCOR, I - 3, J - 3);
    if (J == 4)
        return I == 2 ? FGZ : (I == 3 ? -FGY : Real(0));
    if (J == 5)
        return I == 1 ? -FGZ : (I == 3 ? FGX : Real(0));
    return I == 1 ? FGY : (I == 2 ? -FGX : Real(0));
}

// The differencing of STIFFY and STFDP2 in the precision Real of the evaluations.
template <class Real>
void stiffness_columns(std::span<float> STFMXG, std::span<float> STFMXV, Matrix66& GSTF66,
                       Matrix66& VSTF66, const StiffnessPoint& point,
                       const StiffnessRequest& request, const Evaluate<Real>& evaluate) {
    if (request.NSTIFG != 1 && request.NSTIFV != 1)
        return;
    M3<Real> TRIMHL{};
    for (std::size_t k = 0; k < 9; ++k)
        TRIMHL[k] = static_cast<Real>(point.TRIMHL[k]);
    const auto to_trim = [&](std::array<Real, 6>& v) {
        if (!point.TRIMFL)
            return;
        const V3<Real> f = times_t(TRIMHL, V3<Real>{v[0], v[1], v[2]});
        const V3<Real> m = times_t(TRIMHL, V3<Real>{v[3], v[4], v[5]});
        v = {f[0], f[1], f[2], m[0], m[1], m[2]};
    };

    // Base state: its loads (untransformed) enter the corrections.
    const Loads6<Real> base = evaluate(3, identity_matrix3<Real>(), V3<Real>{});
    M3<Real> ASMCOR = base.ASMCOR;
    if (point.TRIMFL)
        ASMCOR = product(transposed(TRIMHL), product(ASMCOR, TRIMHL));
    const std::array<Real, 6> step = difference_steps(request, layout_extent(point, base));

    for (int I = 1; I <= 6; ++I) {
        const Real h = step[slot(I)];
        const Setting<Real> plus_setting = setting(I, h, Real(1));
        const Setting<Real> minus_setting = setting(I, h, Real(-1));

        if (request.NSTIFV == 1) {
            auto plus = evaluate(1, plus_setting.EPSROT, plus_setting.EPS).V;
            to_trim(plus);
            auto minus = evaluate(1, minus_setting.EPSROT, minus_setting.EPS).V;
            to_trim(minus);
            for (int J = 1; J <= 6; ++J) {
                const auto j = slot(J);
                Real value = (plus[j] - minus[j]) * Real(0.5) / h;
                if (request.VSTSYM == 1 && I >= 4)
                    value -= vessel_axis_correction(J, I, ASMCOR, base.V);
                VSTF66[entry(J, I)] = static_cast<float>(value);
                STFMXV[table_slot((I - 1) * 6 + J, request.INCVAL)] = VSTF66[entry(J, I)];
            }
        }
        if (request.NSTIFG == 1) {
            const auto plus = evaluate(2, plus_setting.EPSROT, plus_setting.EPS).G;
            const auto minus = evaluate(2, minus_setting.EPSROT, minus_setting.EPS).G;
            for (int J = 1; J <= 6; ++J) {
                const auto j = slot(J);
                Real value = (plus[j] - minus[j]) * Real(0.5) / h;
                if (request.GSTSYM == 1 && J >= 4)
                    value -= global_axis_correction(J, I, ASMCOR, base.G);
                GSTF66[entry(J, I)] = static_cast<float>(value);
                STFMXG[table_slot((I - 1) * 6 + J, request.INCVAL)] = GSTF66[entry(J, I)];
            }
        }
    }
}

} // namespace

namespace {

// wide_rotation: FMRDP2's finite rotation R = ROTVO^T ZROTL ROTVO about the axis of `state`
// (vessel axes); writes ROTVO and ZROTL into `out`. Reads only its arguments.
M3<double> wide_rotation(const WideState& state, WideLoads& out) {
    const AxisTurn<double> turn = turn_about_axis(
        state.ROTDIR, state.ROTVAL / static_cast<double>(degrees_per_radian_rounded));
    out.ZROTL = turn.ZROTL;
    out.ROTVO = turn.ROTVO;
    return turn.R;
}

// The fairlead of line n (0-based) in double precision: its position r about the centre and
// its displacement (global) from the reference position.
struct WideFairlead {
    V3<double> r{};
    double DFLXG = 0.0, DFLYG = 0.0, DFLZG = 0.0;
};

// wide_fairlead: fairlead n of `lines` turned by the perturbation p (inside the trim frame when
// p.TRIMFL) and by R, at heading ROTGM, less its reference position at heading ROTGD, plus the
// vessel's offset. Reads only its arguments.
WideFairlead wide_fairlead(const WideState& state, const WidePerturbation& p,
                           const WideLines& lines, std::size_t n, const M3<double>& R,
                           const M3<double>& ROTGD, const M3<double>& ROTGM) {
    WideFairlead d;
    const V3<double> RF = {lines.RFLD[3 * n], lines.RFLD[3 * n + 1], lines.RFLD[3 * n + 2]};
    d.r = {RF[0] - lines.XMCTR, RF[1] - lines.YMCTR, RF[2] - lines.ZMCTR};
    const V3<double>& r = d.r;
    V3<double> pp = r;
    if (p.DRVFLG == 1) {
        if (p.TRIMFL) {
            V3<double> u = times_t(p.TRIMHL, r);
            u = {u[0] + p.EPS[0], u[1] + p.EPS[1], u[2] + p.EPS[2]};
            pp = times(p.TRIMHL, times(p.EPSROT, u));
        } else {
            const V3<double> u = times(p.EPSROT, r);
            pp = {u[0] + p.EPS[0], u[1] + p.EPS[1], u[2] + p.EPS[2]};
        }
    }
    V3<double> g = times_t(ROTGM, times(R, pp));
    if (p.DRVFLG == 2)
        g = times(p.EPSROT, g);
    const V3<double> q = times_t(ROTGD, r);
    d.DFLXG = state.RVES1 + g[0] - q[0];
    d.DFLYG = state.RVES2 + g[1] - q[1];
    d.DFLZG = state.ZVES + g[2] - r[2];
    if (p.DRVFLG == 2) {
        d.DFLXG += p.EPS[0];
        d.DFLYG += p.EPS[1];
        d.DFLZG += p.EPS[2];
    }
    return d;
}

// The state of one line from the widened tables: horizontal load, top angle and top tension.
struct WideLineState {
    double RFORCE = 0.0, TOPANQ = 0.0, TPTNQ = 0.0;
};

// wide_line_state: type t at distance TMPDST with its fairlead at height DFLZG, blended
// linearly between the two layer rows of `grid` around that height. Reads only its arguments.
WideLineState wide_line_state(const WideLineTables& tables, const LineTables& grid, int t,
                              double TMPDST, double DFLZG) {
    std::int32_t ILAYER = 1;
    double DELLAY = 0.0;
    std::int32_t OUTWRN = 0;
    SETLDP(grid.NLAYER, grid.MIDLYR, static_cast<double>(grid.DLAYER),
           static_cast<double>(grid.ZSPAN), DFLZG, ILAYER, DELLAY, OUTWRN);
    const auto anc = tables.rows(tables.ANCDST, ILAYER, t);
    std::int32_t IER = 0;
    std::int32_t MIN = 1;
    BSRCDP(anc, DELLAY, TMPDST, IER, MIN, grid.NTAB);
    WideLineState w;
    INTDPR(anc, tables.HLOD, TMPDST, w.RFORCE, MIN, DELLAY);
    INTDPQ(anc, tables.rows(tables.TOPANG, ILAYER, t), TMPDST, w.TOPANQ, MIN, DELLAY);
    INTDPQ(anc, tables.rows(tables.TOPTEN, ILAYER, t), TMPDST, w.TPTNQ, MIN, DELLAY);
    return w;
}

// add_wide_line_loads: adds the force f (global) of one line at fairlead position r to the
// sums of `out`: global and vessel-axis forces, their moments, and with DRVFLG 3 the
// load-geometry matrix. Reads only its arguments.
void add_wide_line_loads(WideLoads& out, const WidePerturbation& p, V3<double> f,
                         const V3<double>& r, const M3<double>& R, const M3<double>& ROTGM) {
    for (std::size_t k = 0; k < 3; ++k)
        out.G[k] += f[k];
    if (p.DRVFLG == 2)
        f = times_t(p.EPSROT, f);
    V3<double> fv = times_t(R, times(ROTGM, f));
    if (p.DRVFLG == 1)
        fv = p.TRIMFL ? times(p.TRIMHL, times_t(p.EPSROT, times_t(p.TRIMHL, fv)))
                      : times_t(p.EPSROT, fv);
    const V3<double> tv = cross(r, fv);
    V3<double> tg = times_t(ROTGM, times(R, tv));
    if (p.DRVFLG == 2) {
        const V3<double> turned = times(p.EPSROT, tg);
        const V3<double> lever = cross(p.EPS, f);
        tg = {turned[0] + lever[0], turned[1] + lever[1], turned[2] + lever[2]};
    }
    for (std::size_t k = 0; k < 3; ++k) {
        out.V[k] += fv[k];
        out.V[3 + k] += tv[k];
        out.G[3 + k] += tg[k];
    }
    if (p.DRVFLG == 3) {
        const double RDOTF = r[0] * fv[0] + r[1] * fv[1] + r[2] * fv[2];
        for (int a = 1; a <= 3; ++a) {
            at(out.ASMCOR, a, a) -= RDOTF;
            for (int b = 1; b <= 3; ++b)
                at(out.ASMCOR, a, b) += fv[slot(a)] * r[slot(b)];
        }
    }
}

} // namespace

// FMRDP2: see the header. Reads its arguments; writes the span warning to warn.IOSCRN and,
// with IEQSET 2, `recorded`.
WideLoads FMRDP2(const WideState& state, const WidePerturbation& p, const WideLines& lines,
                 const WideLineTables& tables, const LineTables& grid, SpanWarning& warn,
                 std::int32_t IEQSET, const DisplacedGeometry& recorded) {
    WideLoads out;
    const M3<double> R = wide_rotation(state, out);
    const auto ZBOT =
        static_cast<float>(static_cast<double>(1 - grid.MIDLYR) * static_cast<double>(grid.DLAYER));
    const auto ZTOP = static_cast<float>(static_cast<double>(grid.ZSPAN) + ZBOT);
    const M3<double> ROTGD = transposed(turn_about_z(state.VESAN0));
    const M3<double> ROTGM = transposed(turn_about_z(state.VESANG));
    const bool record = IEQSET == 2 && !recorded.RANCP.empty();

    for (int i = lines.MINLN; i <= lines.MAXLN; ++i) {
        const auto n = slot(i);
        if (lines.LINEID[n] > 1024) {
            // A skipped line keeps its reference geometry.
            if (record) {
                recorded.RANCP[n] = static_cast<float>(lines.RANC[n]);
                recorded.ZANCP[n] = 0.0f;
                recorded.ANGDPP[n] = static_cast<float>(lines.ANGDEP[n]);
            }
            continue;
        }
        const int t = lines.LINEID[n] % 1024;
        const double DEPRAD = lines.ANGDEP[n] / static_cast<double>(degrees_per_radian_rounded);
        const WideFairlead d = wide_fairlead(state, p, lines, n, R, ROTGD, ROTGM);
        span_check(i, d.DFLZG, ZBOT, ZTOP, state.ZVES, state.ROTVAL, state.ROTDIR, state.ROTMOD, 6,
                   true, warn);
        const double DFLM2 = d.DFLXG * d.DFLXG + d.DFLYG * d.DFLYG;
        const double RANQ = lines.RANC[n];
        const double square =
            RANQ * RANQ + DFLM2 -
            2.0 * std::sqrt(DFLM2) * RANQ * std::cos(plane_angle(d.DFLYG, d.DFLXG) - DEPRAD);
        const double TMPDST = square > 0.0 ? std::sqrt(square) : 0.0;
        const WideLineState w = wide_line_state(tables, grid, t, TMPDST, d.DFLZG);

        const double TMPANG =
            plane_angle(RANQ * std::sin(DEPRAD) - d.DFLYG, RANQ * std::cos(DEPRAD) - d.DFLXG);
        add_wide_line_loads(out, p,
                            {w.RFORCE * std::cos(TMPANG), w.RFORCE * std::sin(TMPANG),
                             vertical_line_force(w.RFORCE, w.TPTNQ, w.TOPANQ, 0.2)},
                            d.r, R, ROTGM);
        if (record) {
            recorded.RANCP[n] = static_cast<float>(TMPDST);
            recorded.ZANCP[n] = static_cast<float>(d.DFLZG);
            recorded.ANGDPP[n] =
                static_cast<float>(TMPANG * static_cast<double>(degrees_per_radian_rounded));
        }
    }
    if (lines.LSPM) {
        out.V[5] = 0.0;
        out.G[5] = 0.0;
    }
    return out;
}

// STIFFY: see the header. Reads TPCM, LINCOM; writes the matrices and tables asked for.
void STIFFY(std::span<float> STFMXG, std::span<float> STFMXV, Matrix66& GSTF66, Matrix66& VSTF66,
            const StiffnessPoint& point, const StiffnessRequest& request) {
    const LineTables tables = lincom_tables();
    const MooringLines lines = lincom_mooring_lines(request.MINLN, request.MAXLN);
    SixDofState state;
    state.RVES1 = point.RVESP1;
    state.RVES2 = point.RVESP2;
    state.ZVES = point.ZVESP;
    state.VESANG = point.VESANP;
    state.VESAN0 = TPCM.VESAN0;
    // The axis goes to FMOOR2 in global axes, as the point's own evaluation passes it:
    // FMOOR2 turns it into the reference-heading frame itself, so turning it into vessel axes
    // here first would take the stiffness about another attitude whenever VESAN0 is not 0.
    state.ROTDIR = point.ROTDIR;
    state.ROTVAL_DEG = point.ROTVAL;
    state.ROTMOD = point.ROTMOD;
    ForceCentres centres;
    centres.XMCTR = centres.ROTCTX = request.XCNTR;
    centres.YMCTR = centres.ROTCTY = request.YCNTR;
    centres.ZMCTR = centres.ROTCTZ = request.ZCNTR;
    SpanWarning warn; // IOFLAG cleared: at most one span warning per stiffness evaluation
    warn.IOSCRN = TPCM.EDUNIT;
    warn.KBD = 5;
    warn.TENDON_FLG = TPCM.TENDON_FLG;

    const Evaluate<float> evaluate = [&](std::int32_t DRVFLG, const Mat3& EPSROT,
                                         const std::array<float, 3>& EPS) {
        Perturbation p;
        p.DRVFLG = DRVFLG;
        p.EPSROT = EPSROT;
        p.EPS = EPS;
        p.TRIMHL = point.TRIMHL;
        p.TRIMFL = point.TRIMFL;
        const SixDofLoads q = FMOOR2(state, p, centres, tables, lines, TPCM.DRAFT, warn);
        Loads6<float> r;
        r.G = {q.FGXMOR, q.FGYMOR, q.FGZMOR, q.TGXMOR, q.TGYMOR, q.TGZMOR};
        r.V = {q.FVXMOR, q.FVYMOR, q.FVZMOR, q.TVXMOR, q.TVYMOR, q.TVZMOR};
        r.ASMCOR = q.ASMCOR;
        r.ROTVO = q.ROTVO;
        r.ZROTL = q.ZROTL;
        return r;
    };
    stiffness_columns<float>(STFMXG, STFMXV, GSTF66, VSTF66, point, request, evaluate);
}

// STFDP2: see the header. Reads TPCM, LINCOM and the widened tables; writes the matrices and
// tables asked for.
void STFDP2(std::span<float> STFMXG, std::span<float> STFMXV, Matrix66& GSTF66, Matrix66& VSTF66,
            const StiffnessPoint& point, const StiffnessRequest& request) {
    if (request.NSTIFG != 1 && request.NSTIFV != 1)
        return;
    const LineTables grid = lincom_tables();
    const WideLineTables& tables = wide_line_tables();
    WideLines lines;
    lines.RANC.assign(std::begin(LINCOM.RANC_words), std::end(LINCOM.RANC_words));
    lines.ANGDEP.assign(std::begin(TPCM.ANGDEP_words), std::end(TPCM.ANGDEP_words));
    lines.RFLD.assign(std::begin(TPCM.RFLD_words), std::end(TPCM.RFLD_words));
    lines.LINEID = LINCOM.LINEID_words;
    lines.MINLN = request.MINLN;
    lines.MAXLN = request.MAXLN;
    lines.XMCTR = request.XCNTR;
    lines.YMCTR = request.YCNTR;
    lines.ZMCTR = request.ZCNTR;
    lines.LSPM = TPCM.LSPM != 0;
    WideState state;
    state.RVES1 = point.RVESP1;
    state.RVES2 = point.RVESP2;
    state.ZVES = point.ZVESP;
    state.VESANG = point.VESANP;
    state.VESAN0 = TPCM.VESAN0;
    // The axis in vessel axes: the force routine takes it so and turns it no further.
    const auto Z = [&](std::size_t k) { return static_cast<double>(point.ZROTV[k]); };
    state.ROTDIR = {Z(0) * point.ROTDIR[0] + Z(2) * point.ROTDIR[1],
                    Z(1) * point.ROTDIR[0] + Z(3) * point.ROTDIR[1], point.ROTDIR[2]};
    state.ROTVAL = point.ROTVAL;
    state.ROTMOD = point.ROTMOD;
    SpanWarning warn; // IOFLAG cleared: at most one span warning per stiffness evaluation
    warn.IOSCRN = TPCM.EDUNIT;
    warn.KBD = 5;
    WidePerturbation p;
    for (std::size_t k = 0; k < 9; ++k)
        p.TRIMHL[k] = point.TRIMHL[k];
    p.TRIMFL = point.TRIMFL;

    const Evaluate<double> evaluate = [&](std::int32_t DRVFLG, const M3<double>& EPSROT,
                                          const V3<double>& EPS) {
        p.DRVFLG = DRVFLG;
        p.EPSROT = EPSROT;
        p.EPS = EPS;
        const WideLoads q = FMRDP2(state, p, lines, tables, grid, warn);
        Loads6<double> r;
        r.G = q.G;
        r.V = q.V;
        r.ASMCOR = q.ASMCOR;
        r.ROTVO = q.ROTVO;
        r.ZROTL = q.ZROTL;
        return r;
    };
    stiffness_columns<double>(STFMXG, STFMXV, GSTF66, VSTF66, point, request, evaluate);
}

// check_stiffness_increments: see the header. Reads TPCM; writes to EDUNIT only to refuse.
void check_stiffness_increments() {
    if (TPCM.NSTIFG != 1 && TPCM.NSTIFV != 1)
        return;
    const char* option = TPCM.EPSDST == 0.0f   ? "translation increment (EPSDST)"
                         : TPCM.EPSDEG == 0.0f ? "rotation increment (EPSDEG)"
                                               : nullptr;
    if (option == nullptr)
        return;
    write_record(TPCM.EDUNIT, "");
    write_record(TPCM.EDUNIT,
                 std::string(" ++> The stiffness matrices need a non-zero ") + option + ";");
    write_record(TPCM.EDUNIT, "     set it on the stiffness options before running.");
    write_record(TPCM.EDUNIT, "");
    fatal_stop(TPCM.EDUNIT, 5);
}

} // namespace lintar
