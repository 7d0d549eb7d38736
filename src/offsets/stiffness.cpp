// offsets/stiffness.cpp: the six-by-six mooring stiffness in single and double precision, the
// double-precision mooring force, and the check of the difference steps.
#include "offsets/stiffness.h"

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/prompts.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace lintar {

namespace {

template <class Real> using M3 = std::array<Real, 9>;
template <class Real> using V3 = std::array<Real, 3>;

template <class Real> M3<Real> identity() {
    return {Real(1), Real(0), Real(0), Real(0), Real(1), Real(0), Real(0), Real(0), Real(1)};
}
template <class Real> Real& at(M3<Real>& A, int i, int j) {
    return A[static_cast<std::size_t>((j - 1) * 3 + i - 1)];
}
template <class Real> Real at(const M3<Real>& A, int i, int j) {
    return A[static_cast<std::size_t>((j - 1) * 3 + i - 1)];
}
template <class Real> M3<Real> product(const M3<Real>& A, const M3<Real>& B) {
    M3<Real> R{};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) {
            Real s = Real(0);
            for (int k = 1; k <= 3; ++k)
                s += at(A, i, k) * at(B, k, j);
            at(R, i, j) = s;
        }
    return R;
}
template <class Real> M3<Real> transposed(const M3<Real>& A) {
    M3<Real> R{};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            at(R, i, j) = at(A, j, i);
    return R;
}
template <class Real> V3<Real> times(const M3<Real>& A, const V3<Real>& x) {
    V3<Real> r{};
    for (int i = 1; i <= 3; ++i)
        r[static_cast<std::size_t>(i - 1)] =
            at(A, i, 1) * x[0] + at(A, i, 2) * x[1] + at(A, i, 3) * x[2];
    return r;
}
template <class Real> V3<Real> times_t(const M3<Real>& A, const V3<Real>& x) {
    return times(transposed(A), x);
}

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
    return static_cast<std::size_t>((INCVAL - 1) * 150 + row - 1);
}
std::size_t entry(int J, int I) {
    return static_cast<std::size_t>((I - 1) * 6 + J - 1);
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
    const Loads6<Real> base = evaluate(3, identity<Real>(), V3<Real>{});
    M3<Real> ASMCOR = base.ASMCOR;
    if (point.TRIMFL)
        ASMCOR = product(transposed(TRIMHL), product(ASMCOR, TRIMHL));

    // Extent of the fairlead layout, turned as the vessel is, for the rotation steps.
    V3<Real> RMXDST{};
    for (int c = 1; c <= 3; ++c) {
        float lo = 0.0f;
        float hi = 0.0f;
        for (int i = 1; i <= TPCM.NLIN; ++i) {
            lo = i == 1 ? TPCM.RFLD(c, i) : std::min(lo, TPCM.RFLD(c, i));
            hi = i == 1 ? TPCM.RFLD(c, i) : std::max(hi, TPCM.RFLD(c, i));
        }
        RMXDST[static_cast<std::size_t>(c - 1)] = static_cast<Real>(hi - lo);
    }
    {
        V3<Real> v = times(base.ROTVO, RMXDST);
        RMXDST = times(base.ZROTL, v);
        v = times_t(base.ROTVO, RMXDST);
        const auto Z = [&](int i, int j) {
            return static_cast<Real>(point.ZROTV[static_cast<std::size_t>((j - 1) * 2 + i - 1)]);
        };
        RMXDST = {Z(1, 1) * v[0] + Z(1, 2) * v[1], Z(2, 1) * v[0] + Z(2, 2) * v[1], v[2]};
    }
    const Real EPSRAD = static_cast<Real>(request.EPSRAD);
    const Real EPSDST = static_cast<Real>(request.EPSDST);
    std::array<Real, 6> step{EPSDST, EPSDST, EPSDST, EPSRAD, EPSRAD, EPSRAD};
    const Real lever[3] = {std::hypot(RMXDST[1], RMXDST[2]), std::hypot(RMXDST[0], RMXDST[2]),
                           std::hypot(RMXDST[0], RMXDST[1])};
    for (std::size_t k = 0; k < 3; ++k)
        if (lever[k] > Real(500)) // no fairlead moves more than 500 x EPSRAD
            step[3 + k] = EPSRAD * Real(500) / lever[k];

    const auto FGX = base.G[0], FGY = base.G[1], FGZ = base.G[2];
    const auto FVX = base.V[0], FVY = base.V[1], FVZ = base.V[2];
    for (int I = 1; I <= 6; ++I) {
        const Real h = step[static_cast<std::size_t>(I - 1)];
        // The plus and minus settings: a translation along I, or a turn by +-h about axis k.
        const auto setting = [&](Real sign, M3<Real>& EPSROT, V3<Real>& EPS) {
            EPSROT = identity<Real>();
            EPS = {};
            if (I <= 3) {
                EPS[static_cast<std::size_t>(I - 1)] = sign * h;
                return;
            }
            const int k = I - 3;
            const int I2 = k % 3 + 1;
            const int I3 = (k + 1) % 3 + 1;
            at(EPSROT, I2, I2) = std::cos(h);
            at(EPSROT, I3, I3) = std::cos(h);
            at(EPSROT, I2, I3) = -sign * std::sin(h);
            at(EPSROT, I3, I2) = sign * std::sin(h);
        };
        M3<Real> plus_rot{}, minus_rot{};
        V3<Real> plus_eps{}, minus_eps{};
        setting(Real(1), plus_rot, plus_eps);
        setting(Real(-1), minus_rot, minus_eps);

        if (request.NSTIFV == 1) {
            auto plus = evaluate(1, plus_rot, plus_eps).V;
            to_trim(plus);
            auto minus = evaluate(1, minus_rot, minus_eps).V;
            to_trim(minus);
            for (int J = 1; J <= 6; ++J) {
                const auto j = static_cast<std::size_t>(J - 1);
                Real value = (plus[j] - minus[j]) * Real(0.5) / h;
                if (request.VSTSYM == 1 && I >= 4) {
                    Real corr = Real(0);
                    if (J >= 4)
                        corr = at(ASMCOR, J - 3, I - 3);
                    else if (J == 1)
                        corr = I == 5 ? -FVZ : (I == 6 ? FVY : Real(0));
                    else if (J == 2)
                        corr = I == 4 ? FVZ : (I == 6 ? -FVX : Real(0));
                    else
                        corr = I == 4 ? -FVY : (I == 5 ? FVX : Real(0));
                    value -= corr;
                }
                VSTF66[entry(J, I)] = static_cast<float>(value);
                STFMXV[table_slot((I - 1) * 6 + J, request.INCVAL)] = VSTF66[entry(J, I)];
            }
        }
        if (request.NSTIFG == 1) {
            const auto plus = evaluate(2, plus_rot, plus_eps).G;
            const auto minus = evaluate(2, minus_rot, minus_eps).G;
            for (int J = 1; J <= 6; ++J) {
                const auto j = static_cast<std::size_t>(J - 1);
                Real value = (plus[j] - minus[j]) * Real(0.5) / h;
                if (request.GSTSYM == 1 && J >= 4) {
                    Real corr = Real(0);
                    if (I >= 4)
                        corr = at(ASMCOR, I - 3, J - 3);
                    else if (J == 4)
                        corr = I == 2 ? FGZ : (I == 3 ? -FGY : Real(0));
                    else if (J == 5)
                        corr = I == 1 ? -FGZ : (I == 3 ? FGX : Real(0));
                    else
                        corr = I == 1 ? FGY : (I == 2 ? -FGX : Real(0));
                    value -= corr;
                }
                GSTF66[entry(J, I)] = static_cast<float>(value);
                STFMXG[table_slot((I - 1) * 6 + J, request.INCVAL)] = GSTF66[entry(J, I)];
            }
        }
    }
}

} // namespace

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
    std::int32_t LBACK = 0;
    PRSRET(TPCM.EDUNIT, 5, LBACK);
    stop_program(StopKind::error);
}

} // namespace lintar
