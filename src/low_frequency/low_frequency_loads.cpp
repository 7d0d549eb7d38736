// low_frequency/low_frequency_loads.cpp: the offset cases of the three sigma levels, the
// mooring at the corners of their regions, the extreme line loads (section VIa) and the net
// vessel load snapshots (section VIb).
#include "low_frequency/low_frequency_loads.h"

#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/lf_mode_record.h"
#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "equilibrium/equilibrium_geometry.h"
#include "line_dynamics/excursion_correction.h"
#include "lines/mooring_force.h"
#include "lines/tension_warnings.h"
#include "low_frequency/buoy_wave_cycle.h"
#include "low_frequency/offset_region.h"
#include "low_frequency/variance_envelope.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/algebra.h"
#include "util/angles.h"
#include "util/program_types.h"
#include "util/prompts.h"
#include "util/scope_restore.h"
#include "util/table_search.h"
#include "util/unit_labels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lintar {

namespace {

inline constexpr int envelope_unit = 124;
inline constexpr int offset_report_unit = 21;

float at13(const std::array<float, envelope_components>& a, int i) {
    return a[slot(i)];
}

// Fortran SIGN(a, b): |a| with the sign of b (+0 counts as positive).
float sign_of(float a, float b) {
    return std::copysign(std::fabs(a), b);
}

// The letter of line type t ("a" for type 1).
char type_letter(int t) {
    return static_cast<char>('a' + t - 1);
}

// ---- Labels ------------------------------------------------------------------------------

constexpr std::array<std::string_view, 2> PLUMIN = {"+ side", "- side"};
constexpr std::array<std::string_view, 4> CMAXMN = {"\"maximum VFx+\"", "\"maximum VFy+\"",
                                                    "\"minimum VFx-\"", "\"minimum VFy-\""};
constexpr std::array<std::string_view, 3> CPEAK = {" \"One sigma\" ", " \"Two sigma\" ",
                                                   "Storm extreme"};

// One net load: three forces, three moments.
using Load6 = std::array<float, 6>;

// Which corner record: in the order the corner loads are evaluated.
enum Corner { corner_xmax = 0, corner_ymax = 1, corner_xmin = 2, corner_ymin = 3 };

std::span<float, 4> corner_record(int c, int L) {
    switch (c) {
    case corner_xmax:
        return OUTCOM.GXMAXQ_record(L);
    case corner_ymax:
        return OUTCOM.GYMAXQ_record(L);
    case corner_xmin:
        return OUTCOM.GXMINQ_record(L);
    default:
        return OUTCOM.GYMINQ_record(L);
    }
}

// Per-line geometry at corner c of level L (distance, plan angle, vertical position).
DisplacedGeometry corner_geometry(int c, int L) {
    const std::size_t off = slot(L) * lincom_lines;
    const auto part = [off](float* words) { return std::span<float>(words + off, lincom_lines); };
    LincomBlock& B = LINCOM;
    switch (c) {
    case corner_xmax:
        return {part(B.RXMAXQ_words), part(B.ZXMAXQ_words), part(B.AXMAXQ_words)};
    case corner_ymax:
        return {part(B.RYMAXQ_words), part(B.ZYMAXQ_words), part(B.AYMAXQ_words)};
    case corner_xmin:
        return {part(B.RXMINQ_words), part(B.ZXMINQ_words), part(B.AXMINQ_words)};
    default:
        return {part(B.RYMINQ_words), part(B.ZYMINQ_words), part(B.AYMINQ_words)};
    }
}

// What one LOWLOD call carries from step to step.
struct LowlodWork {
    bool LEGACY = false;
    bool SPREAD = true;
    bool six_dof = false; // program codes 17, and 14 with LEGTLP 0
    std::string_view CENTROID;
    float XNM_TO_XGLOB_ANG = 0.0f;
    SigmaArrays sig;
    std::array<float, envelope_components> F_MAG{}, PHIF_V{}, PHIF_NM{};
    Mat3 ROTVES = identity3;
    int SIGSEL = 1;
    std::string_view NUMSIG;
    bool aux_file = false;
    float YAW_COR_FAC = 2.0f;

    int L = 1;
    bool LPRINT = false;
    Excursions main, M, S;
    std::vector<float> FAIRLEAD_Y = std::vector<float>(lincom_lines * 3 * 2, 0.0f);
    // Corner loads per level (the order of Corner).
    std::array<std::array<Load6, 4>, 3> corner_loads{};
    int IMAXID = 1, IMINID = 3;
    std::array<float, 4> GXTRMP{}, GXTRMM{};
    std::int32_t span_flag = 0;
    TopTensionCache cache;

    float& fairlead_y(int i, int L_, int s) {
        return FAIRLEAD_Y[slot(i) + lincom_lines * (slot(L_) + 3 * slot(s))];
    }
};

// ---- Envelope data file ------------------------------------------------------------------

void write_list(LowlodWork& w, std::initializer_list<float> values) {
    if (!w.aux_file)
        return;
    std::string rec;
    for (float v : values)
        rec += list_directed_real(v);
    write_record(envelope_unit, rec);
}

void write_scaled(LowlodWork& w, float fac, const std::array<float, envelope_components>& a) {
    if (!w.aux_file)
        return;
    std::string rec;
    for (float v : a)
        rec += list_directed_real(fac * v);
    write_record(envelope_unit, rec);
}

void write_table(LowlodWork& w, const std::array<float, envelope_components>& a) {
    write_scaled(w, 1.0f, a);
}

// The four records of a level: surge and sway sigmas times the plus and the minus factors.
void write_level_records(LowlodWork& w) {
    write_scaled(w, w.main.SRG_FAC, w.sig.SIGMTN);
    write_scaled(w, w.main.SWY_FAC, w.sig.SIGYLO);
    write_scaled(w, w.main.SRGMIN_FAC, w.sig.SIGMTN);
    write_scaled(w, w.main.SWYMIN_FAC, w.sig.SIGYLO);
}

// ---- Mooring at a position ---------------------------------------------------------------

// The net mooring load (force global, moments vessel axes) at the offset record `rec` (x, y,
// heading, vertical), each line's geometry recorded into `geometry` when it has spans.
Load6 mooring_load_at(LowlodWork& w, std::span<const float, 4> rec, bool turret,
                      const DisplacedGeometry& geometry) {
    const TpcmBlock& T = TPCM;
    const MooringLines lines = lincom_mooring_lines(1, T.NLIN);
    const LineTables tables = lincom_tables();
    const std::int32_t IEQSET = geometry.RANCP.empty() ? 0 : 2;
    if (w.six_dof) {
        std::array<float, 4> RVESQ = {rec[0], rec[1], rec[2], rec[3]};
        std::array<float, 6> XVECQ{};
        float ZLEVL = 0.0f, ROTVLQ = 0.0f, ROTMDQ = 0.0f;
        std::array<float, 3> ROTDRQ{};
        XVECUPD(RVESQ, XVECQ, ZLEVL, ROTDRQ, ROTVLQ, ROTMDQ);
        SixDofState state;
        state.VESAN0 = T.VESAN0;
        VARUPD(XVECQ, state);
        ForceCentres centres;
        centres.XMCTR = centres.ROTCTX = T.XMCTR();
        centres.YMCTR = centres.ROTCTY = T.YMCTR();
        centres.ZMCTR = centres.ROTCTZ = T.ZMCTR();
        SpanWarning warn;
        warn.IOSCRN = T.EDUNIT;
        warn.KBD = keyboard_unit;
        warn.IOFLAG = w.span_flag;
        warn.TENDON_FLG = T.TENDON_FLG;
        const SixDofLoads q = FMOOR2(state, Perturbation{}, centres, tables, lines, T.DRAFT, warn,
                                     {}, IEQSET, geometry);
        w.span_flag = warn.IOFLAG;
        return {q.FGXMOR, q.FGYMOR, q.FGZMOR, q.TVXMOR, q.TVYMOR, q.TVZMOR};
    }
    const PlaneState state{rec[0], rec[1], rec[2], T.VESAN0, EQUILB.TRTNGL, EQUILB.TRTNG0};
    const PlaneFrame frame{T.XSALM, T.XMCTR(), T.YMCTR(), T.ZMCTR(), turret};
    if (IEQSET == 2) // the plane force moves no fairlead up or down
        std::fill(geometry.ZANCP.begin(), geometry.ZANCP.end(), 0.0f);
    const PlaneLoads q = FMOOR(state, frame, tables, lines, IEQSET, geometry);
    return {q.FXMOOR, q.FYMOOR, q.FZMOOR, q.TXMOOR, q.TYMOOR, q.TZMOOR};
}

bool line_current_on() {
    return TPCM.LCURNT != 0 && TPCM.LCURML != 0;
}

// The lines' current load added to a net load at the mean heading.
void add_line_current(Load6& f) {
    const float a = LINCOM.CURF_ANG_LINS;
    f[0] += LINCOM.FCURNT_LNS * std::cos(a);
    f[1] += LINCOM.FCURNT_LNS * std::sin(a);
    const float d = a - EQUILB.VESANG();
    f[3] += LINCOM.XYCRMB * std::sin(d);
    f[4] -= LINCOM.XYCRMB * std::cos(d);
}

// The auxiliary applied forces that move with the mooring added to the horizontal force.
void add_auxiliary(Load6& f) {
    if (TPCM.AUXFRC == 1)
        TENADJ2(f[0], f[1], EQUILB.VFCANG, TPCM.VESAN0, 0);
}

// ---- Offset cases ------------------------------------------------------------------------

// The peak factor pair (plus-side kind, other side) of mode m for a peak kind.
struct PeakPair {
    float K = 0.0f, Q = 0.0f;
};
PeakPair peaks(int m, PeakKind kind) {
    switch (kind) {
    case PeakKind::main:
        return {EQUILB.LFSTAT(FSGPK.w, m), EQUILB.LFSTAT(FSGPQ.w, m)};
    case PeakKind::second:
        return {EQUILB.LFSTAT(FSGPKM.w, m), EQUILB.LFSTAT(FSGPQM.w, m)};
    default:
        return {EQUILB.LFSTAT(FSGPKS.w, m), EQUILB.LFSTAT(FSGPQS.w, m)};
    }
}

// The sign +1 or -1 of x (+1 for a zero).
float unit_sign(float x) {
    return std::copysign(1.0f, x);
}

bool legacy_turret(bool LEGACY) {
    return TPCM.LSPM != 0 && LEGACY;
}

// The nonlinear value of excursion x in mode m (1 surge, 2 sway, 3 yaw): the spread mooring's
// curve with its step, or (turret) the surge curve against the offset table.
float nonlinear(int m, float x, bool turret_table, float EQLOFF_turret) {
    ErgcomBlock& G = ERGCOM;
    const int NERG = TPCM.NUMTAB;
    std::int32_t MIN = 0;
    float out = x;
    if (turret_table) {
        const int k = EQUILB.ISTAB;
        const float FENV = (k >= 1 && k <= 30) ? EQUILB.FTOT(k) : 0.0f;
        NLNCOR(G.PENFUN_words, G.EQBSRG, EQUILB.OFFSET_words, x, out, G.SPRNGX, FENV, EQLOFF_turret,
               NERG, MIN, true, TPCM.EDUNIT);
        return out;
    }
    switch (m) {
    case 1: {
        const std::array<float, 1> step = {G.DXSRG};
        NLNCOR(G.PENFUN_words, G.EQBSRG, step, x, out, G.SPRNGX, EQUILB.FXENV, G.SRGOFF, NERG, MIN,
               false, TPCM.EDUNIT);
        break;
    }
    case 2: {
        const std::array<float, 1> step = {G.DYSWY};
        NLNCOR(G.SWYERG_words, G.EQBSWY, step, x, out, G.SPRNGY, EQUILB.FYENV, G.SWYOFF, NERG, MIN,
               false, TPCM.EDUNIT);
        break;
    }
    default: {
        const std::array<float, 1> step = {G.DZYAW};
        NLNCOR(G.YAWERG_words, G.EQBYAW, step, x, out, G.SPRNGZ, EQUILB.TZENV, G.YAWOFF, NERG, MIN,
               false, TPCM.EDUNIT);
        break;
    }
    }
    return out;
}

// An excursion replaced by its corrected value (when nonzero) and its factor: the excursion
// over the first sigma component when that is positive; 1.0 otherwise.
enum class Correction { curve, factor_only, none };
void settle(float& x, float& fac, float sigma1, Correction how, int m, bool turret_table) {
    if (how == Correction::none || x == 0.0f)
        return;
    if (how == Correction::curve)
        x = nonlinear(m, x, turret_table, ERGCOM.SRGOFF);
    if (sigma1 > 0.0f)
        fac = x / sigma1;
}

// The 2-D rotation of (x, y) by angle a.
std::array<float, 2> rotated(float x, float y, float a) {
    float X = x, Y = y;
    ROT2D(X, Y, a);
    return {X, Y};
}

bool pulldown_codes() {
    return tension_leg_or_spar(TPCM.SIMTYP);
}

float pulldown_at(float x, float y) {
    const std::array<float, 2> r = {x, y};
    return ZPULLDOWN(r, EQUILB.DZDRPUL2, EQUILB.DZDRPUL4);
}

float yaw_pull_at(float x, float y) {
    const std::array<float, 2> r = {x, y};
    const std::array<float, 2> r0 = {EQUILB.RVES(1), EQUILB.YCGVAR()};
    return ANGLEPULL(r, r0, EQUILB.DXDXPUL(6), EQUILB.DXDYPUL(6));
}

// A pure-mode offset record: excursion (x, y) of the normal-mode frame turned to global,
// placed at the mean position, heading VESANG and the pull-down for codes 17 and 14.
void pure_record(std::span<float, 4> rec, float x, float y, const LowlodWork& w) {
    const auto g = rotated(x, y, -w.XNM_TO_XGLOB_ANG);
    rec[0] = EQUILB.RVES(1) + g[0];
    rec[1] = EQUILB.YCGVAR() + g[1];
    rec[2] = EQUILB.VESANG();
    rec[3] = pulldown_codes() ? pulldown_at(rec[0], rec[1]) : 0.0f;
}

// The correction of one kind of excursions by the kind of mooring.
void correct_kind(Excursions& e, const SigmaArrays& s, bool yaw_factors, bool turret) {
    const bool code14 = TPCM.SIMTYP == 14;
    const float s1 = at13(s.SIGMTN, 1), s2 = at13(s.SIGYLO, 1), s3 = at13(s.SIGYHI, 1);
    if (turret) {
        settle(e.SRG, e.SRG_FAC, s1, Correction::curve, 1, true);
        settle(e.SRGMIN, e.SRGMIN_FAC, s1, Correction::curve, 1, true);
        settle(e.SWY, e.SWY_FAC, s2, Correction::factor_only, 2, false);
        settle(e.SWYMIN, e.SWYMIN_FAC, s2, Correction::factor_only, 2, false);
        const Correction yaw = yaw_factors ? Correction::factor_only : Correction::none;
        settle(e.YAW, e.YAW_FAC, s3, yaw, 3, false);
        settle(e.YAWMNQ, e.YAWMNQ_FAC, s3, yaw, 3, false);
        return;
    }
    const Correction how = code14 ? Correction::factor_only : Correction::curve;
    settle(e.SRG, e.SRG_FAC, s1, how, 1, false);
    settle(e.SRGMIN, e.SRGMIN_FAC, s1, how, 1, false);
    settle(e.SWY, e.SWY_FAC, s2, how, 2, false);
    settle(e.SWYMIN, e.SWYMIN_FAC, s2, how, 2, false);
    if (code14)
        return; // the yaw of code 14 is the pull-down's, set with the points
    // The yaw of the storm variants is corrected but keeps the factor 1.0.
    float unused = 1.0f;
    settle(e.YAW, yaw_factors ? e.YAW_FAC : unused, s3, Correction::curve, 3, false);
    settle(e.YAWMNQ, yaw_factors ? e.YAWMNQ_FAC : unused, s3, Correction::curve, 3, false);
}

} // namespace

// ---- Public pieces -----------------------------------------------------------------------

SigmaArrays lowlod_sigma_arrays() {
    SigmaArrays s;
    const std::array<std::array<float, envelope_components>*, 3> tables = {&s.SIGMTN, &s.SIGYLO,
                                                                           &s.SIGYHI};
    for (int m = 1; m <= 3; ++m) {
        auto& a = *tables[slot(m)];
        for (int k = 0; k < 7; ++k)
            a[static_cast<std::size_t>(k)] = EQUILB.LFSTAT(VARTOT.w + k, m);
        for (int k = 0; k < 3; ++k)
            a[static_cast<std::size_t>(7 + k)] = EQUILB.LFSTAT(VR1UF1.w + k, m);
        a[10] = 0.0f;
        a[11] = EQUILB.LFSTAT(VARSWL_2.w, m);
        a[12] = EQUILB.LFSTAT(VSWDG_2.w, m);
    }
    return s;
}

Excursions first_excursions(int LFINDEX, PeakKind kind, float XNM_PARITY, bool LEGACY) {
    const float VT = lf(VARTOT), LO = lf(EVRLO), HI = lf(EVRHI);
    const PeakPair ps = peaks(1, kind), pw = peaks(2, kind), py = peaks(3, kind);
    const bool storm = LFINDEX == 3;
    const float SIGFAC = static_cast<float>(LFINDEX);
    Excursions e;
    // First estimate: the sides of the peaks as the statistics give them.
    if (storm) {
        const float SRG_SIGNED = lf(PK_SURG_SIDE) * VT;
        const float SWY_SIGNED = lf(PK_SWAY_SIDE) * LO;
        const float YAW_SIGNED = lf(PK_YAW_SIDE) * HI;
        e.SRG = SRG_SIGNED * ps.K;
        e.SWY = SWY_SIGNED * pw.K;
        e.YAW = YAW_SIGNED * py.K;
        e.SRGMIN = -SRG_SIGNED * ps.Q;
        e.SWYMIN = -SWY_SIGNED * pw.Q;
        e.YAWMNQ = -YAW_SIGNED * py.Q;
    } else {
        e.SRG = VT * SIGFAC;
        e.SWY = LO * SIGFAC;
        e.YAW = HI * SIGFAC;
        e.SRGMIN = -e.SRG;
        e.SWYMIN = -e.SWY;
        e.YAWMNQ = -e.YAW;
    }
    if (legacy_turret(LEGACY))
        return e;
    // The sides taken from the mean offsets.
    const ErgcomBlock& G = ERGCOM;
    const float SWYSIGN = LEGACY ? unit_sign(G.SWYOFF) : unit_sign(XNM_PARITY * e.SRG);
    if (storm) {
        const auto order = [](PeakPair p, bool keep) { return keep ? p : PeakPair{p.Q, p.K}; };
        const PeakPair s = order(ps, lf(PK_SURG_SIDE) * G.SRGOFF > 0.0f);
        e.SRG = sign_of(VT * s.K, G.SRGOFF);
        e.SRGMIN = -sign_of(VT * s.Q, G.SRGOFF);
        const PeakPair y = order(py, lf(PK_YAW_SIDE) * G.YAWOFF > 0.0f);
        e.YAW = sign_of(HI * y.K, G.YAWOFF);
        e.YAWMNQ = -sign_of(HI * y.Q, G.YAWOFF);
        const PeakPair v = order(pw, lf(PK_SWAY_SIDE) * SWYSIGN > 0.0f);
        e.SWY = SWYSIGN * v.K * LO;
        e.SWYMIN = -SWYSIGN * v.Q * LO;
    } else {
        e.SRG = sign_of(VT * SIGFAC, G.SRGOFF);
        e.YAW = sign_of(HI * SIGFAC, G.YAWOFF);
        e.SWY = sign_of(LO * SIGFAC, LEGACY ? G.SWYOFF : XNM_PARITY * e.SRG);
        e.SRGMIN = -e.SRG;
        e.SWYMIN = -e.SWY;
        e.YAWMNQ = -e.YAW;
    }
    return e;
}

void correct_excursions(Excursions& e, const SigmaArrays& s, bool yaw_factors) {
    correct_kind(e, s, yaw_factors, TPCM.LSPM != 0);
}

namespace {

// ---- The region of one level ----------------------------------------------------------------

float parity(const LowlodWork& w) {
    float a = 0, b = 0, c = 0, d = 0, e = 0, f = 0, XNM_PARITY = 1.0f;
    XY_SIG_ROT2(a, b, c, d, e, f, XNM_PARITY, w.XNM_TO_XGLOB_ANG, w.sig.SIGMTN, w.sig.SIGYLO,
                w.PHIF_NM, true, 1.0f, 1.0f, true);
    return XNM_PARITY;
}

// The plus or minus offset point of the envelope (displacement, global).
std::array<float, 2> envelope_point(const LowlodWork& w, float xfac, float yfac, bool plus) {
    float GXX = 0, GYX = 0, GXY = 0, GYY = 0, GXR = 0, GYR = 0, XNM_PARITY = 1.0f;
    XY_SIG_ROT2(GXX, GYX, GXY, GYY, GXR, GYR, XNM_PARITY, w.XNM_TO_XGLOB_ANG, w.sig.SIGMTN,
                w.sig.SIGYLO, w.PHIF_NM, false, xfac, yfac, plus);
    return {GXX, GYX};
}

// The region of a spread mooring or a turret not read under LEGACY.
void envelope_region(LowlodWork& w) {
    const int L = w.L;
    const bool storm = L == 3;
    const float XNM_PARITY = parity(w);
    w.main = first_excursions(L, PeakKind::main, XNM_PARITY, w.LEGACY);
    correct_kind(w.main, w.sig, true, TPCM.LSPM != 0);
    write_level_records(w);

    // The four points.
    const float X0 = EQUILB.RVES(1), Y0 = EQUILB.YCGVAR(), VESANG = EQUILB.VESANG();
    // XY_SIG_ROT2 hands the same candidate for its X and Y points.
    const auto dp = envelope_point(w, w.main.SRG_FAC, w.main.SWY_FAC, true);
    pure_record(OUTCOM.GRMAX_record(L), w.main.SRG, 0.0f, w);
    pure_record(OUTCOM.GRMIN_record(L), w.main.SRGMIN, 0.0f, w);
    pure_record(OUTCOM.GPMAX_record(L), 0.0f, w.main.SWY, w);
    pure_record(OUTCOM.GPMIN_record(L), 0.0f, w.main.SWYMIN, w);
    const auto dm = envelope_point(w, w.main.SRGMIN_FAC, w.main.SWYMIN_FAC, false);
    const std::array<float, 4> XPOINT = {X0 + dp[0], X0 + dm[0], X0 + dp[0], X0 + dm[0]};
    const std::array<float, 4> YPOINT = {Y0 + dp[1], Y0 + dm[1], Y0 + dp[1], Y0 + dm[1]};
    float H1 = VESANG + w.main.YAW;
    float H2 = VESANG + w.main.YAWMNQ;
    if (TPCM.SIMTYP == 14) {
        H1 += yaw_pull_at(XPOINT[0], YPOINT[0]);
        H2 += yaw_pull_at(XPOINT[1], YPOINT[1]);
        w.main.YAW = H1 - VESANG;
        w.main.YAWMNQ = H2 - VESANG;
    }

    // The roll and pitch sigmas of the one-sigma level.
    if (L == 1 && pulldown_codes()) {
        std::array<float, 10> SIGR{}, SIGP{};
        PR_SIG_ROT(SIGR, SIGP, -EQUILB.MODE_ROT_ANG, 1.0f, 1.0f, 0.0f, 0.0f);
        EQUILB.SIG_LF_RL = SIGR[0];
        EQUILB.SIG_LF_PT = SIGP[0];
    }

    // The storm variants.
    if (storm) {
        w.M = first_excursions(L, PeakKind::second, XNM_PARITY, w.LEGACY);
        w.S = first_excursions(L, PeakKind::third, XNM_PARITY, w.LEGACY);
        correct_kind(w.M, w.sig, false, TPCM.LSPM != 0);
        correct_kind(w.S, w.sig, false, TPCM.LSPM != 0);
        for (const Excursions* v : {&w.M, &w.S}) {
            write_scaled(w, v->SRG_FAC, w.sig.SIGMTN);
            write_scaled(w, v->SWY_FAC, w.sig.SIGYLO);
            write_scaled(w, v->SRGMIN_FAC, w.sig.SIGMTN);
            write_scaled(w, v->SWYMIN_FAC, w.sig.SIGYLO);
        }
        if (w.aux_file) {
            write_record(envelope_unit, " " + std::string(TPCM.CID1_chars, 72));
            write_record(envelope_unit, " " + std::string(TPCM.CID2_chars, 72));
        }
    }

    // The region.
    OUTCOM.YAWMAX(L) = VESANG + w.main.YAW;
    OUTCOM.YAWMIN(L) = VESANG + w.main.YAWMNQ;
    const auto first3 = [](std::span<float, 4> r) { return CornerRecord(r.data(), 3); };
    GET_CORNERS(VESANG, w.main.YAW, XPOINT, YPOINT, 4, OUTCOM.BXMAX(L), OUTCOM.BYMAX(L),
                OUTCOM.BXMIN(L), OUTCOM.BYMIN(L), first3(OUTCOM.GXMAXQ_record(L)),
                first3(OUTCOM.GYMAXQ_record(L)), first3(OUTCOM.GXMINQ_record(L)),
                first3(OUTCOM.GYMINQ_record(L)));
    if (w.LEGACY) {
        const std::array<float, 3> P = {XPOINT[0], YPOINT[0], H1};
        const std::array<float, 3> Q = {XPOINT[1], YPOINT[1], H2};
        const auto put = [](std::span<float, 4> r, const std::array<float, 3>& p) {
            std::copy(p.begin(), p.end(), r.begin());
        };
        const bool x_order = P[0] >= Q[0];
        put(OUTCOM.GXMAXQ_record(L), x_order ? Q : P);
        put(OUTCOM.GXMINQ_record(L), x_order ? P : Q);
        const bool y_order = P[1] >= Q[1];
        put(OUTCOM.GYMAXQ_record(L), y_order ? Q : P);
        put(OUTCOM.GYMINQ_record(L), y_order ? P : Q);
    }

    // The vertical element of the corners.
    for (int c = 0; c < 4; ++c) {
        std::span<float, 4> r = corner_record(c, L);
        if (TPCM.SIMTYP == 14 && TPCM.LEGTLP == 1) {
            const Load6 f = mooring_load_at(w, r, TPCM.LSPM != 0, {});
            const float area = TPCM.AWP * WAVCOM.DWATRP;
            // A hull without waterplane (or water weight) has no heave spring: no set-down.
            r[3] = area != 0.0f ? (f[2] - EQUILB.FZMREQ) / area : 0.0f;
        } else if (pulldown_codes()) {
            r[3] = pulldown_at(r[0], r[1]);
        } else {
            r[3] = 0.0f;
        }
    }
}

// A division by a peak factor of a storm variant; a zero factor adds nothing.
float over_peak(float x, float pk) {
    return pk != 0.0f ? x / pk : 0.0f;
}

// The region of a turret read under LEGACY: the yaw turned into sway by the arm.
void legacy_turret_region(LowlodWork& w) {
    const int L = w.L;
    const bool storm = L == 3;
    const EquilbBlock& E = EQUILB;
    w.main = first_excursions(L, PeakKind::main, 1.0f, w.LEGACY);
    const float a = std::fabs(E.YAWARM);
    const float d = E.GOFANG - E.VESANG();
    const float REQLIB = ERGCOM.REQLIB;
    const auto nl = [REQLIB](float x) { return x == 0.0f ? x : nonlinear(1, x, true, REQLIB); };
    float SRGLIN = 0.0f, SRGMIQ = 0.0f;
    if (storm) {
        w.M = first_excursions(L, PeakKind::second, 1.0f, w.LEGACY);
        w.S = first_excursions(L, PeakKind::third, 1.0f, w.LEGACY);
        const float YAWTMP = w.YAW_COR_FAC * std::fabs(w.main.YAW * a * std::sin(d));
        SRGLIN = w.main.SRG + over_peak(YAWTMP, lf(FHIPK));
        SRGMIQ = w.main.SRGMIN - over_peak(YAWTMP, lf(FHIPK));
        const std::array<std::pair<Excursions*, float>, 2> kinds = {std::pair{&w.M, lf(FHIPKM)},
                                                                    std::pair{&w.S, lf(FHIPKS)}};
        for (auto [v, pk] : kinds) {
            v->SRG = nl(v->SRG + over_peak(YAWTMP, pk));
            v->SRGMIN = nl(v->SRGMIN - over_peak(YAWTMP, pk));
            v->SWY = std::fabs(v->YAW * a * std::cos(d));
            v->SWYMIN = -std::fabs(v->YAWMNQ * a * std::cos(d));
            v->YAW = 0.0f;
            v->YAWMNQ = 0.0f;
        }
    } else {
        SRGLIN = std::sqrt(w.main.SRG * w.main.SRG + std::pow(w.main.YAW * a * std::sin(d), 2.0f));
        SRGMIQ = -SRGLIN;
    }
    w.main.SWY = std::fabs(w.main.YAW * a * std::cos(d));
    w.main.SWYMIN = -w.main.SWY;
    w.main.YAW = 0.0f;
    w.main.YAWMNQ = 0.0f;
    w.main.SRG = nl(SRGLIN);
    w.main.SRGMIN = nl(SRGMIQ);

    const float lo = storm ? lf(FLOPK) : static_cast<float>(L);
    const float hi = storm ? lf(FHIPK) : static_cast<float>(L);
    // A net arm of zero leaves the region no sway-yaw width.
    const float arm = E.NETARM != 0.0f ? E.NETARM : 0.0f;
    OffsetRegionInputs in;
    in.YAWARM = E.YAWARM;
    in.VESANG = E.VESANG();
    in.XC = E.RVES(1);
    in.YC = E.YCGVAR();
    in.LFINDEX = L;
    in.IPEAK = 3;
    in.ELIPSM = TPCM.ELIPSM;
    in.SURGP = w.main.SRG;
    in.SURGM = w.main.SRGMIN;
    in.SRGSIG = at13(w.sig.SIGMTN, 1);
    in.LOSWYW = arm != 0.0f ? at13(w.sig.SIGYLO, 1) * lo / arm : 0.0f;
    in.LSYSIG = arm != 0.0f ? at13(w.sig.SIGYLO, 1) / arm : 0.0f;
    in.HISWYW = at13(w.sig.SIGYHI, 1) * hi;
    in.HSYSIG = at13(w.sig.SIGYHI, 1);
    in.YAW_COR_FAC = w.YAW_COR_FAC;
    in.LEGACY = w.LEGACY;
    const OffsetRegion r = GLOB_XY(in);
    OUTCOM.BXMAX(L) = r.XMAX;
    OUTCOM.BYMAX(L) = r.YMAX;
    OUTCOM.BXMIN(L) = r.XMIN;
    OUTCOM.BYMIN(L) = r.YMIN;
    const auto put = [](std::span<float, 4> dst, const float(&src)[3]) {
        std::copy(std::begin(src), std::end(src), dst.begin());
        dst[3] = 0.0f;
    };
    put(OUTCOM.GXMAXQ_record(L), r.XMAXQ);
    put(OUTCOM.GYMAXQ_record(L), r.YMAXQ);
    put(OUTCOM.GXMINQ_record(L), r.XMINQ);
    put(OUTCOM.GYMINQ_record(L), r.YMINQ);
    OUTCOM.YAWMAX(L) = r.YAWMAXQ;
    OUTCOM.YAWMIN(L) = r.YAWMINQ;
    for (int i = 1; i <= TPCM.NLIN; ++i) {
        const float al = LINCOM.ANGDPP(i) / degrees_per_radian;
        for (int s = 1; s <= 2; ++s) {
            const std::span<float, 4> q =
                s == 1 ? OUTCOM.GXMAXQ_record(L) : OUTCOM.GXMINQ_record(L);
            w.fairlead_y(i, L, s) =
                (q[1] - E.YCGVAR()) * std::cos(al) + (q[0] - E.RVES(1)) * std::sin(al);
        }
    }
    write_level_records(w);
}

// ---- Section VIa -------------------------------------------------------------------------

std::string force_label() {
    return A(UNITS(TPCM.NUNTS), 5);
}
std::string length_label() {
    return A(UNITS(TPCM.NUNTS + 7), 2);
}

void stars_title(int u, std::string_view title) {
    const std::string edge = "  **" + std::string(72, ' ') + "**";
    write_record(u, edge);
    write_record(u, "  " + std::string(title));
    write_record(u, edge);
}

void section_via_title(int u) {
    PAGE(u, TPCM.EDUNIT, 1, 99);
    stars_title(u, "*********  VIa.  Low-Frequency Maximum/Minumum Line Loads Summary   ********");
}

void column_heads(int u) {
    write_record(u, "");
    write_record(u, std::string(62, ' ') + "   Line  ");
    write_record(u, "   Line   - Total Tension -  Horizontal  Endpoint   Bottom     Line Angle  ");
    write_record(u, "  #/Type       (" + force_label() +
                        ")        Tension   Separation  Length    Plan   Profile");
    write_record(u, " " + std::string(11, ' ') + "Top    Anchor" + "     (" + force_label() +
                        ")      (" + length_label() + ")      (" + length_label() +
                        ")        (deg)");
    write_record(u, "");
    write_record(u, "");
}

struct LineRow {
    float TT = 0, AT = 0, H = 0, DIST = 0, BLEN = 0, PLAN = 0, PROFILE = 0;
};

void line_row(int u, int i, int t, const LineRow& r) {
    write_record(u, " " + I(i, 3) + "/" + std::string(1, type_letter(t)) + X(2) + F(r.TT, 10, 2) +
                        F(r.AT, 10, 2) + X(1) + F(r.H, 10, 2) + F(r.DIST, 10, 2) +
                        F(r.BLEN, 10, 2) + X(1) + F(r.PLAN, 8, 2) + F(r.PROFILE, 8, 2));
}

// ---- One line ----------------------------------------------------------------------------

struct LineState {
    float H = 0, TT = 0, TANG = 0, BANG = 0, BLEN = 0, FRIC = 0, DZ = 0;
    std::int32_t MIN = 1;
    std::int32_t layer = 1;
};

bool loadup_branch() {
    return TPCM.SIMTYP == 17 || (TPCM.SIMTYP == 14 && TPCM.LEGTLP == 0);
}

// Line i of type t at anchor distance `dist` with the vertical anchor position zv: from LOADUP
// (six-degree-of-freedom codes) or from the table row MIDLYR.
LineState solve_line(LowlodWork& w, int i, int t, float dist, float zv) {
    const LineTables tables = lincom_tables();
    LineState s;
    if (loadup_branch()) {
        const MooringLines lines = lincom_mooring_lines(1, TPCM.NLIN);
        const LineLoad r = LOADUP(dist, zv, TPCM.RFLD(3, i), TPCM.DRAFT, t, tables, lines.ANCHGT,
                                  lines.TOTWT, TPCM.EDUNIT, keyboard_unit, &w.cache);
        s.H = r.RFORCE;
        s.TT = r.TTTMP;
        s.TANG = r.TOPANQ;
        s.BANG = r.BTANGQ;
        s.BLEN = r.BTLENQ;
        s.DZ = r.DELZ;
        s.MIN = r.MIN;
        s.layer = r.ILAYER;
        INTRPS(tables.HLOD, tables.column(tables.FFRICT, r.ILAYER, t), s.H, s.FRIC, r.MIN,
               r.DELLAY);
        return s;
    }
    const int Lm = LINCOM.MIDLYR;
    const auto col = [&](std::span<const float> table) { return tables.column(table, Lm, t); };
    std::int32_t IER = 0;
    BSRCH(col(tables.ANCDST), dist, IER, s.MIN, tables.NTAB);
    INTERP(col(tables.ANCDST), tables.HLOD, dist, s.H, s.MIN);
    INTERP(tables.HLOD, col(tables.TOPTEN), s.H, s.TT, s.MIN);
    INTERP(tables.HLOD, col(tables.TOPANG), s.H, s.TANG, s.MIN);
    INTERP(tables.HLOD, col(tables.BOTANG), s.H, s.BANG, s.MIN);
    INTERP(tables.HLOD, col(tables.BOTLEN), s.H, s.BLEN, s.MIN);
    INTERP(tables.HLOD, col(tables.FFRICT), s.H, s.FRIC, s.MIN);
    s.DZ = OUTCOM.DZTOTL(i, 4, 1);
    s.layer = Lm;
    return s;
}

float anchor_end_tension(const LineState& s) {
    return s.H / std::cos(s.BANG);
}

LineNodes nodes_of(int i, int c, int s) {
    return {OUTCOM.NODE_T_nodes(i, c, s), OUTCOM.TMEANI_nodes(i, c, s),
            OUTCOM.NODE_X_nodes(i, c, s), OUTCOM.NODE_Y_nodes(i, c, s),
            OUTCOM.NODE_Z_nodes(i, c, s)};
}

// The nodes of line i at state `st` into case c, side s (its own tensions stay the tables').
void solve_nodes(int i, int t, const LineState& st, int c, int s, float y_fairlead) {
    if (st.H <= 0.0f)
        return;
    float TANG = st.TANG, TT = 0, BT = 0, FGZ = 0, BANG = 0;
    NODE_EVAL2(t, i, st.DZ, st.H, TANG, st.layer, TT, BT, FGZ, BANG, y_fairlead, nodes_of(i, c, s));
}

// ---- Per-line excursions -----------------------------------------------------------------

// Plus and minus excursion of a line, and the plus values of the four storm variants.
struct LineExcursion {
    float plus = 0, minus = 0;
    float m_plus = 0, m_minus = 0, s_plus = 0, s_minus = 0;
};

float aligned(float theta, float sf, float wf) {
    float v = 0.0f;
    VAR_ALIGNED(v, theta, sf, wf);
    return std::sqrt(v);
}

// The envelope along the line's direction `dir`: |X| of the call, and the signed |Y|.
std::array<float, 2> along_line(const LowlodWork& w, float dir, float sf, float wf, bool plus) {
    float GXX = 0, GYX = 0, GXY = 0, GYY = 0, GXR = 0, GYR = 0, XNM_PARITY = 1.0f;
    XY_SIG_ROT2(GXX, GYX, GXY, GYY, GXR, GYR, XNM_PARITY, dir, w.sig.SIGMTN, w.sig.SIGYLO,
                w.PHIF_NM, false, sf, wf, plus);
    return {std::fabs(GXX), std::copysign(std::fabs(GYX), std::sin(dir))};
}

LineExcursion line_excursion(LowlodWork& w, int i) {
    const int L = w.L;
    const bool storm = L == 3;
    const float ANGDPP = LINCOM.ANGDPP(i);
    const float line_frame = ANGDPP / degrees_per_radian - pi_single - EQUILB.GOFANG;
    const float COSLIN = std::cos(line_frame);
    const float SINLIN = std::sin(line_frame);
    LineExcursion x;
    const Excursions& e = w.main;
    if (legacy_turret(w.LEGACY)) {
        const auto mag = [&](float srg, float swy) {
            return std::sqrt(std::pow(swy * SINLIN, 2.0f) + std::pow(srg * COSLIN, 2.0f));
        };
        x.plus = mag(e.SRG, e.SWY);
        x.minus = mag(e.SRGMIN, e.SWYMIN);
        if (storm) {
            x.m_plus = mag(w.M.SRG, w.M.SWY);
            x.m_minus = mag(w.M.SRGMIN, w.M.SWYMIN);
            x.s_plus = mag(w.S.SRG, w.S.SWY);
            x.s_minus = mag(w.S.SRGMIN, w.S.SWYMIN);
        }
    } else {
        const float rel = ANGDPP / degrees_per_radian - EQUILB.VESANG();
        if (TPCM.LEGACY_ID == 1) {
            x.plus = aligned(rel, e.SRG_FAC, e.SWY_FAC);
            x.minus = aligned(rel, e.SRGMIN_FAC, e.SWYMIN_FAC);
            if (storm) {
                x.m_plus = aligned(rel, w.M.SRG_FAC, w.M.SWY_FAC);
                x.m_minus = aligned(rel, w.M.SRGMIN_FAC, w.M.SWYMIN_FAC);
                x.s_plus = aligned(rel, w.S.SRG_FAC, w.S.SWY_FAC);
                x.s_minus = aligned(rel, w.S.SRGMIN_FAC, w.S.SWYMIN_FAC);
            }
        } else {
            const float dir = ANGDPP / degrees_per_radian + pi_single + w.XNM_TO_XGLOB_ANG;
            const auto p = along_line(w, dir, e.SRG_FAC, e.SWY_FAC, true);
            x.plus = p[0];
            w.fairlead_y(i, L, 1) = p[1];
            const auto m = along_line(w, dir, e.SRGMIN_FAC, e.SWYMIN_FAC, false);
            x.minus = m[0];
            w.fairlead_y(i, L, 2) = -m[1];
            if (storm) {
                x.m_plus = along_line(w, dir, w.M.SRG_FAC, w.M.SWY_FAC, true)[0];
                x.m_minus = along_line(w, dir, w.M.SRGMIN_FAC, w.M.SWYMIN_FAC, true)[0];
                x.s_plus = along_line(w, dir, w.S.SRG_FAC, w.S.SWY_FAC, true)[0];
                x.s_minus = along_line(w, dir, w.S.SRGMIN_FAC, w.S.SWYMIN_FAC, true)[0];
            }
        }
        // The yaw of the vessel swings the fairlead across the line.
        const float xf = TPCM.RFLD(1, i), yf = TPCM.RFLD(2, i);
        const auto yaw_term = [&](float yaw) {
            return (xf * std::sin(rel) - yf * std::cos(rel)) * yaw;
        };
        const auto with_yaw = [](float v, float e2, float f) { return std::sqrt(e2 * f + v * v); };
        if (storm) {
            const float e2 = std::pow(yaw_term(e.YAW), 2.0f);
            const float fm = over_peak(w.YAW_COR_FAC, lf(FHIPKM));
            const float fs = over_peak(w.YAW_COR_FAC, lf(FHIPKS));
            x.m_plus = with_yaw(x.m_plus, e2, fm);
            x.m_minus = with_yaw(x.m_minus, e2, fm);
            x.s_plus = with_yaw(x.s_plus, e2, fs);
            x.s_minus = with_yaw(x.s_minus, e2, fs);
        }
        if (w.SPREAD) {
            const float f = storm ? over_peak(w.YAW_COR_FAC, lf(FHIPK)) : 1.0f;
            x.plus = with_yaw(x.plus, std::pow(yaw_term(e.YAW), 2.0f), f);
            x.minus = with_yaw(x.minus, std::pow(yaw_term(e.YAWMNQ), 2.0f), f);
        }
    }
    if (COSLIN < 0.0f) {
        std::swap(x.plus, x.minus);
        std::swap(x.m_plus, x.m_minus);
        std::swap(x.s_plus, x.s_minus);
    }
    return x;
}

// A distance below the first table distances is evaluated just above them (not the hawser
// of a buoy arrangement).
float above_table(int i, int t, float d) {
    const TpcmBlock& T = TPCM;
    if (T.SIMTYP == 13 && T.IARCO == 1 && i == T.HAWSLN)
        return d;
    const int Lm = LINCOM.MIDLYR;
    const float least = std::min(LINCOM.ANCDST(1, Lm, t), LINCOM.ANCDST(2, Lm, t));
    return d < least ? least + 0.1f : d;
}

int line_type(int i) {
    return LINCOM.LINEID(i) % 1024;
}
bool valid_type(int t) {
    return t >= 1 && t <= lincom_types;
}

// ---- Corner loads and snapshots of the line loads ------------------------------------------

bool turret_flag() {
    if (TPCM.SIMTYP == 15 && TPCM.LOCK_TRT == 1)
        return false;
    return TPCM.LSPM != 0;
}

void copy_geometry(int c, int L, std::span<float> R, std::span<float> A_, std::span<float> Z) {
    const DisplacedGeometry g = corner_geometry(c, L);
    std::copy(g.RANCP.begin(), g.RANCP.end(), R.begin());
    std::copy(g.ANGDPP.begin(), g.ANGDPP.end(), A_.begin());
    std::copy(g.ZANCP.begin(), g.ZANCP.end(), Z.begin());
}

void corner_loads(LowlodWork& w) {
    const int L = w.L;
    std::array<float, 4> mag2{};
    for (int c = 0; c < 4; ++c) {
        Load6 f = mooring_load_at(w, corner_record(c, L), turret_flag(), corner_geometry(c, L));
        if (line_current_on())
            add_line_current(f);
        mag2[static_cast<std::size_t>(c)] =
            f[0] * f[0] + f[1] * f[1] + (TPCM.SIMTYP != 14 ? f[2] * f[2] : 0.0f);
        add_auxiliary(f);
        const int xy = (c == corner_xmax || c == corner_xmin) ? 1 : 2;
        const int pm = (c == corner_xmax || c == corner_ymax) ? 1 : 2;
        LOADVF(std::span<float, snapshot_loads * snapshot_columns>(OUTCOM.LFVARR_words, 72),
               w.ROTVES, corner_record(c, L)[2], L, xy, pm, f[0], f[1], f[2], f[3], f[4], f[5]);
        w.corner_loads[slot(L)][static_cast<std::size_t>(c)] = f;
    }
    // The snapshots.
    const float FMAXX2 = mag2[corner_xmax], FMAXY2 = mag2[corner_ymax];
    const float FMINX2 = mag2[corner_xmin], FMINY2 = mag2[corner_ymin];
    float FTMAX1 = 0, FTMIN1 = 0, FTMAX2 = 0, FTMIN2 = 0;
    if (FMAXX2 <= FMAXY2) {
        w.IMAXID = 2;
        FTMAX1 = FMAXY2;
        FTMIN1 = FMAXX2;
    } else {
        w.IMAXID = 1;
        FTMAX1 = FMAXX2;
        FTMIN1 = FMAXY2;
    }
    if (FMINY2 <= FMINX2) {
        w.IMINID = 4;
        FTMAX2 = FMINX2;
        FTMIN2 = FMINY2;
    } else {
        w.IMINID = 3;
        FTMAX2 = FMINY2;
        FTMIN2 = FMINX2;
    }
    if (FTMAX1 < FTMAX2)
        w.IMAXID = 4;
    if (FTMIN1 < FTMIN2)
        w.IMINID = 2;
    const auto corner_of = [](int id) { return id - 1; }; // CMAXMN order is the Corner order
    const auto rp = corner_record(corner_of(w.IMAXID), L);
    const auto rm = corner_record(corner_of(w.IMINID), L);
    std::copy(rp.begin(), rp.end(), w.GXTRMP.begin());
    std::copy(rm.begin(), rm.end(), w.GXTRMM.begin());
    copy_geometry(corner_of(w.IMAXID), L, LINCOM.RSNPMX_words, LINCOM.ASNPMX_words,
                  LINCOM.ZSNPMX_words);
    copy_geometry(corner_of(w.IMINID), L, LINCOM.RSNPMN_words, LINCOM.ASNPMN_words,
                  LINCOM.ZSNPMN_words);
}

// The buoy cycle at the GXMAXQ and the GXMINQ corners. BUYDYN reads the vessel's
// position from EQUILB and the report unit from TPCM, and moves the lines' displaced geometry:
// all of them are put back when the runs end, or when a run stops.
void two_body_runs(LowlodWork& w) {
    const TpcmBlock& T = TPCM;
    if (!(T.CATFBK == 1 || (T.BCTFBK == 1 && T.SIMTYP == 13)))
        return;
    const int L = w.L;
    const ScopeRestore keep_equilb(EQUILB);
    const ScopeRestore keep_iunit(TPCM.IUNIT), keep_lspm(TPCM.LSPM);
    LincomBlock& B = LINCOM;
    const ScopeRestore keep_rancp(B.RANCP_words), keep_zancp(B.ZANCP_words),
        keep_angdpp(B.ANGDPP_words), keep_ranc(B.RANC_words), keep_ranck(B.RANCK_words),
        keep_zanck(B.ZANCK_words);
    if (TPCM.IUNIT == 1)
        TPCM.IUNIT = offset_report_unit;
    for (int c : {corner_xmax, corner_xmin}) {
        const std::span<float, 4> r = corner_record(c, L);
        EQUILB.RVES(1) = r[0];
        EQUILB.YCGVAR() = r[1];
        EQUILB.VESANG() = r[2];
        Load6 f = w.corner_loads[slot(L)][static_cast<std::size_t>(c)];
        if (line_current_on()) {
            const float d = LINCOM.CURF_ANG_LINS - keep_equilb.saved().VESANG();
            f[0] -= LINCOM.FCURNT_LNS * std::cos(d);
            f[1] -= LINCOM.FCURNT_LNS * std::sin(d);
            f[3] -= LINCOM.XYCRMG * std::sin(d);
            f[4] += LINCOM.XYCRMG * std::cos(d);
            f[2] = 0.0f;
        }
        BUYDYN(-f[0], -f[1], -f[2], -f[3], -f[4], -f[5]);
    }
}

// The line whose tension rises most steeply at the snapshot distance.
std::int32_t steepest_line(std::span<const float> snapshot) {
    std::int32_t best = 0;
    float slope_max = 0.0f;
    const int Lm = LINCOM.MIDLYR;
    for (int i = 1; i <= TPCM.NLIN; ++i) {
        const int t = line_type(i);
        // A switched-off line carries no load: it is no candidate.
        if (!valid_type(t) || LINCOM.LINEID(i) >= 1024)
            continue;
        std::int32_t IER = 0, k = 1;
        const LineTables tables = lincom_tables();
        BSRCH(tables.column(tables.ANCDST, Lm, t), snapshot[slot(i)], IER, k, tables.NTAB);
        const float dd = LINCOM.ANCDST(k + 1, Lm, t) - LINCOM.ANCDST(k, Lm, t);
        if (dd == 0.0f) // a flat table interval has no slope
            continue;
        const float slope = (LINCOM.TOPTEN(k + 1, Lm, t) - LINCOM.TOPTEN(k, Lm, t)) / dd;
        if (slope > slope_max) {
            slope_max = slope;
            best = i;
        }
    }
    return best;
}

void warn_line(int i, int t, const LineState& s) {
    if (s.MIN == 1 && LINCOM.VRTFLG(s.layer, t) == 0)
        TNSWRN(TPCM.EDUNIT, keyboard_unit, 'a', i, t, "An estimated tension", 1, TPCM.MRWRNS);
    if (s.H > TPCM.TLOAD)
        TNSWRN(TPCM.EDUNIT, keyboard_unit, 'a', i, t, "An estimated tension", 2, TPCM.MRWRNS);
}

void block_heading(int u, int L, int side) {
    write_record(u, "");
    write_record(u, " " + std::string(" +++ ") + std::string(CPEAK[slot(L)]) + " <<" +
                        std::string(PLUMIN[slot(side)]) + ">>" + " LOW-FREQUENCY line loads +++");
}

void snapshot_heading(int u, const LowlodWork& w, int side) {
    const bool plus = side == 1;
    const auto& rec = plus ? w.GXTRMP : w.GXTRMM;
    const int id = plus ? w.IMAXID : w.IMINID;
    write_record(u, "");
    write_record(u, "");
    write_record(u, " >>> Line load snapshot taken at the low-frequency turnaround point with");
    write_record(u, "     " + std::string(plus ? "maximum" : "minimum") +
                        " net vessel loads (the " + std::string(CMAXMN[slot(id)]) +
                        " turnaround point)");
    write_record(u, "");
    write_record(u, "                   (Gx,Gy,Yaw) = (" + F(rec[0], 9, 2) + "," + F(rec[1], 9, 2) +
                        "," + F(rec[2] * degrees_per_radian, 9, 2) + ")");
}

// One line of a block solved: its state, the tension at the anchor end, and where it was
// taken (anchor distance, plan angle, vertical anchor position).
struct LineSolution {
    LineState s;
    float BT = 0.0f;
    float dist = 0.0f, plan = 0.0f, zv = 0.0f;
};

// Line i of type t in a block: at the extreme distance ANCDUM of the side (ISNAP 1), or at the
// snapshot geometry of the side (ISNAP 2, and every block of program code 14).
LineSolution solve_block_line(LowlodWork& w, int i, int t, int side, int ISNAP, float ANCDUM) {
    const bool plus = side == 1;
    const bool snapshot = ISNAP == 2 || TPCM.SIMTYP == 14;
    LineSolution r;
    r.dist = snapshot ? (plus ? LINCOM.RSNPMX(i) : LINCOM.RSNPMN(i)) : ANCDUM;
    r.plan = snapshot ? (plus ? LINCOM.ASNPMX(i) : LINCOM.ASNPMN(i)) : LINCOM.ANGDPP(i);
    r.zv = snapshot ? (plus ? LINCOM.ZSNPMX(i) : LINCOM.ZSNPMN(i)) : LINCOM.ZANCP(i);
    r.s = solve_line(w, i, t, r.dist, r.zv);
    r.BT = anchor_end_tension(r.s);
    return r;
}

// The extreme loads of line i into OUTCOM: the level's case and side (ISNAP 1), or the
// snapshot tensions of the plus side (ISNAP 2).
void store_line_loads(int i, int L, int side, int ISNAP, const LineSolution& r) {
    const LineState& s = r.s;
    if (ISNAP == 1) {
        OUTCOM.TOP_HINGAY_LO(i, L, side) = OUTCOM.TOP_HINGAY_MEAN(i) - s.TANG;
        OUTCOM.TQSRAN(i, L, side) = s.TT;
        OUTCOM.BQSRAN(i, L, side) = r.BT;
        OUTCOM.RLOVAR(i, L, side) = r.dist;
        OUTCOM.DZTOTL(i, L, side) = s.DZ;
        OUTCOM.H_MEAN(i, L, side) = s.H;
        OUTCOM.TOPANG_MEAN(i, L, side) = s.TANG;
    } else if (side == 1) {
        OUTCOM.TQSSNP(i, L) = s.TT;
        OUTCOM.BQSSNP(i, L) = r.BT;
    }
}

// The storm level at the offsets of the second and the third kind of peak factor (cases 5
// and 6, both sides alike): line i solved at distances ENSDMM and ENSDMS, stored in OUTCOM.
void storm_variant_loads(LowlodWork& w, int i, int t, float zv, float ENSDMM, float ENSDMS) {
    const int L = w.L;
    const std::array<std::pair<int, float>, 2> variants = {std::pair{5, ENSDMM},
                                                           std::pair{6, ENSDMS}};
    for (auto [c, d] : variants) {
        const LineState v = solve_line(w, i, t, d, zv);
        for (int q = 1; q <= 2; ++q) {
            OUTCOM.TQSRAN(i, c, q) = v.TT;
            OUTCOM.RLOVAR(i, c, q) = d;
            OUTCOM.DZTOTL(i, c, q) = v.DZ;
            OUTCOM.H_MEAN(i, c, q) = v.H;
            OUTCOM.TOPANG_MEAN(i, c, q) = v.TANG;
        }
        if (TPCM.GETNODE != 0) {
            solve_nodes(i, t, v, c, 1, w.fairlead_y(i, L, 1));
            solve_nodes(i, t, v, c, 2, w.fairlead_y(i, L, 1));
        }
    }
}

// The printed row of a solved line; a switched-off line's row is all zeros.
LineRow printed_row(int i, const LineSolution& r) {
    LineRow row;
    if (LINCOM.LINEID(i) >= 1024)
        return row;
    const LineState& s = r.s;
    row.TT = s.TT;
    row.AT = std::max(r.BT - s.FRIC, 0.0f);
    row.H = s.H;
    row.DIST = r.dist;
    row.BLEN = s.BLEN;
    row.PLAN = REDDEG(r.plan);
    row.PROFILE = s.TANG * degrees_per_radian;
    return row;
}

// For one line in one block: solve, warn, store. Returns the printed row.
LineRow one_line(LowlodWork& w, int i, int side, int ISNAP, float ANCDUM, float ENSDMM,
                 float ENSDMS) {
    const int L = w.L;
    const int t = line_type(i);
    const LineSolution r = solve_block_line(w, i, t, side, ISNAP, ANCDUM);
    if (TPCM.GETNODE != 0 && ISNAP == 1)
        solve_nodes(i, t, r.s, L, side, w.fairlead_y(i, L, side));
    warn_line(i, t, r.s);
    store_line_loads(i, L, side, ISNAP, r);
    if (ISNAP == 1 && L == 3 && side == 1)
        storm_variant_loads(w, i, t, r.zv, ENSDMM, ENSDMS);
    return printed_row(i, r);
}

// The line loads for the current level. Returns false when the user asked at
// a pause to go back (negative LBACK).
bool level_line_loads(LowlodWork& w) {
    const TpcmBlock& T = TPCM;
    const int u = T.IUNIT;
    const int L = w.L;
    const bool storm = L == 3;
    if (w.LPRINT)
        section_via_title(u);
    corner_loads(w);
    two_body_runs(w);
    for (int side = 1; side <= 2; ++side) {
        const bool plus = side == 1;
        std::vector<LineExcursion> ex(static_cast<std::size_t>(std::max<int>(T.NLIN, 0)));
        std::vector<float> ANCDUM(ex.size()), ENSDMM(ex.size()), ENSDMS(ex.size());
        if (storm)
            (plus ? LINCOM.MAXEXP : LINCOM.MINEXP) =
                steepest_line(plus ? std::span<const float>(LINCOM.RSNPMX_words)
                                   : std::span<const float>(LINCOM.RSNPMN_words));
        for (int i = 1; i <= T.NLIN; ++i) {
            const int t = line_type(i);
            if (!valid_type(t))
                continue;
            const LineExcursion x = line_excursion(w, i);
            const float RANCP = LINCOM.RANCP(i);
            float d = plus ? RANCP + x.plus : RANCP - x.minus;
            d = above_table(i, t, d);
            ANCDUM[slot(i)] = d;
            ENSDMM[slot(i)] = above_table(i, t, RANCP + x.m_plus);
            ENSDMS[slot(i)] = above_table(i, t, RANCP + x.s_plus);
            LINCOM.REXTRM(i, L, side) = d;
            if (plus) {
                LINCOM.ZEXTRM(i, L, 1) = LINCOM.ZSNPMX(i);
                const bool snap = (L == 3 && (T.LBOUND == 1 || T.LBOUND == 4)) ||
                                  (L == w.SIGSEL && (T.LBOUND == 2 || T.LBOUND == 3));
                if (snap) {
                    LINCOM.RANCK(i) = LINCOM.RSNPMX(i);
                    LINCOM.ZANCK(i) = LINCOM.ZSNPMX(i);
                } else if (L == w.SIGSEL && T.LBOUND == 0) {
                    LINCOM.RANCK(i) = RANCP;
                    LINCOM.ZANCK(i) = LINCOM.ZANCP(i);
                }
            } else {
                LINCOM.ZEXTRM(i, L, 2) = LINCOM.ZSNPMN(i);
            }
        }
        if (w.LPRINT) {
            if (storm && !plus)
                section_via_title(u);
            block_heading(u, L, side);
        }
        for (int ISNAP = 1; ISNAP <= 2; ++ISNAP) {
            const bool LPRNT2 = ISNAP == 1 || storm;
            const bool printing = w.LPRINT && LPRNT2;
            if (printing) {
                if (storm && ISNAP == 2)
                    snapshot_heading(u, w, side);
                column_heads(u);
            }
            for (int i = 1; i <= T.NLIN; ++i) {
                const int t = line_type(i);
                if (!valid_type(t)) {
                    // A switched-off line keeps its row of zeros even without a table to
                    // read (LINEID 1024 is type 0).
                    if (printing && LINCOM.LINEID(i) >= 1024)
                        line_row(u, i, t, LineRow{});
                    continue;
                }
                const LineRow row =
                    one_line(w, i, side, ISNAP, ANCDUM[slot(i)], ENSDMM[slot(i)], ENSDMS[slot(i)]);
                if (printing)
                    line_row(u, i, t, row);
            }
        }
        if (w.LPRINT && u == T.EDUNIT) {
            PRSRET(T.EDUNIT, keyboard_unit, TPCM.LBACK);
            if (TPCM.LBACK < 0)
                return false;
        }
    }
    return true;
}

// ---- Section VIb -------------------------------------------------------------------------

std::string pair2(float a, float b) {
    return "(" + F(a, 9, 2) + "," + F(b, 9, 2) + ")";
}

struct Snapshot {
    std::array<float, 4> rec{}; // x, y, heading, vertical
    Load6 load{};
};

// The title of section VIb and, for a turret or a mooring not read under LEGACY, the bounding
// boxes of the storm and the typical level.
void write_net_load_title(const LowlodWork& w) {
    const TpcmBlock& T = TPCM;
    const int u = T.IUNIT;
    PAGE(u, T.EDUNIT, 1, 99);
    stars_title(u, "*********  VIb.  Low-Frequency Net Vessel Motion and Load Summary   ********");
    if (T.LSPM != 0 || !w.LEGACY) {
        const std::string n(w.NUMSIG);
        write_record(u, " >>> " + std::string(" ") + "Bounding Box estimates:");
        write_record(u, "        Bounding region estimates for quasi-static");
        write_record(u, "        " + std::string(w.CENTROID) + " offsets (Gx,Gy):");
        write_record(u, "");
        const int S = w.SIGSEL;
        write_record(u, "       (a) Most Probable Gx Boundaries:       " +
                            pair2(OUTCOM.BXMAX(3), OUTCOM.BXMIN(3)));
        write_record(u, "       (b) Most Probable Gy Boundaries:       " +
                            pair2(OUTCOM.BYMAX(3), OUTCOM.BYMIN(3)));
        write_record(u, "       (c) \"Typical " + n +
                            " Sigma\" Gx Boundaries: " + pair2(OUTCOM.BXMAX(S), OUTCOM.BXMIN(S)));
        write_record(u, "       (d) \"Typical " + n +
                            " Sigma\" Gy Boundaries: " + pair2(OUTCOM.BYMAX(S), OUTCOM.BYMIN(S)));
    }
}

// The net load at the mean position (lines' current and auxiliary forces added).
Load6 mean_load(LowlodWork& w, const std::array<float, 4>& mean) {
    Load6 m = mooring_load_at(w, mean, TPCM.LSPM != 0, {});
    if (line_current_on())
        add_line_current(m);
    add_auxiliary(m);
    return m;
}

// The mean load into OUTCOM: as computed, and in vessel axes as the 13th snapshot column.
void store_mean_load(const Load6& m) {
    OUTCOM.FXMEAN = m[0];
    OUTCOM.FYMEAN = m[1];
    OUTCOM.FZMEAN = m[2];
    OUTCOM.TVMEAN = m[3];
    OUTCOM.TYMEAN = m[4];
    OUTCOM.TZMEAN = m[5];
    const float psi = EQUILB.VESANG();
    OUTCOM.LFVARR(1, 13) = m[1] * std::sin(psi) + m[0] * std::cos(psi);
    OUTCOM.LFVARR(2, 13) = m[1] * std::cos(psi) - m[0] * std::sin(psi);
    OUTCOM.LFVARR(3, 13) = m[2];
    OUTCOM.LFVARR(4, 13) = m[3];
    OUTCOM.LFVARR(5, 13) = m[4];
    OUTCOM.LFVARR(6, 13) = m[5];
}

// The nine snapshots in report order: the storm and the typical corners around the mean.
std::array<Snapshot, 9> snapshots(const LowlodWork& w, const std::array<float, 4>& mean,
                                  const Load6& m) {
    const int S = w.SIGSEL;
    const auto corner = [&](int c, int L) {
        Snapshot s;
        const auto r = corner_record(c, L);
        std::copy(r.begin(), r.end(), s.rec.begin());
        s.load = w.corner_loads[slot(L)][static_cast<std::size_t>(c)];
        return s;
    };
    Snapshot mean_snap;
    mean_snap.rec = mean;
    mean_snap.load = m;
    return {corner(corner_xmax, 3),
            corner(corner_ymax, 3),
            corner(corner_xmax, S),
            corner(corner_ymax, S),
            mean_snap,
            corner(corner_xmin, S),
            corner(corner_ymin, S),
            corner(corner_xmin, 3),
            corner(corner_ymin, 3)};
}

// The notes: the offset of each snapshot and the point the moments are taken about.
void write_snapshot_notes(const LowlodWork& w, const std::array<Snapshot, 9>& snaps) {
    const TpcmBlock& T = TPCM;
    const int u = T.IUNIT;
    const EquilbBlock& E = EQUILB;
    const std::string n(w.NUMSIG);
    const std::string q = "\"";
    const bool six = pulldown_codes();
    const std::string pad = six ? "" : "     ";
    write_record(u, "");
    write_record(u, " >>> Snapshot load notes:");
    write_record(u, "");
    write_record(u, pad + " 1. This summary comprises " + q + "quasi-static" + q +
                        " NET load snapshots taken at");
    write_record(u, pad + "    a selection of " + std::string(w.CENTROID) +
                        (six ? " global offset points (Gx,Gy,Gz,Yaw):"
                             : " global offset points (Gx,Gy,Yaw):"));
    write_record(u, "");
    const std::array<std::string, 9> notes = {
        "   (a) The " + q + "Maximum VFx+" + q + " turnaround:   (",
        "   (b) The " + q + "Maximum VFy+" + q + " turnaround:   (",
        "   (c) A " + q + "typical " + n + " Sig VFx+" + q + " offset: (",
        std::string(six ? "   (d)" : "   (D)") + " A " + q + "typical " + n + " Sig VFy+" + q +
            " offset: (",
        "   (e) The mean vessel offset:          (",
        "   (f) A " + q + "typical " + n + " Sig VFx-" + q + " offset: (",
        "   (g) A " + q + "typical " + n + " Sig VFy-" + q + " offset: (",
        "   (h) The " + q + "Minimum VFx-" + q + " turnaround:   (",
        "   (i) The " + q + "Minimum VFy-" + q + " turnaround:   ("};
    for (std::size_t k = 0; k < 9; ++k) {
        const auto& r = snaps[k].rec;
        const float z = k == 4 ? E.ZCGVAR : r[3];
        std::string line = pad + notes[k] + F(r[0], 9, 2) + "," + F(r[1], 9, 2) + ",";
        if (six)
            line += F(z, 9, 2) + ",";
        line += F(r[2] * degrees_per_radian, 9, 2) + ")";
        write_record(u, line);
    }
    write_record(u, "");
    write_record(u, "");
    write_record(u, pad + " 2. Mooring moments are reported about the Vessel coordinate point");
    write_record(u, "");
    write_record(u,
                 std::string(six ? "           (Vx,Vy,Vz) = (" : "               (Vx,Vy,Vz) = (") +
                     PE(T.RMCTR(1), 1, 10, 3) + "," + PE(T.RMCTR(2), 1, 10, 3) + "," +
                     PE(T.RMCTR(3), 1, 10, 3) + ")");
}

// The snapshot loads in global and in vessel axes.
void write_snapshot_tables(const LowlodWork& w, const std::array<Snapshot, 9>& snaps) {
    const int u = TPCM.IUNIT;
    const std::string n(w.NUMSIG);
    const std::array<std::string, 9> prefix = {"Max.", "Max.", n, n, "Mean", n, n, "Min.", "Min."};
    const std::array<std::string_view, 9> label = {
        " VFx+:   ",  " VFy+:   ",  " Sig VFx+:", " Sig VFy+:", " load:   ",
        " Sig VFx-:", " Sig VFy-:", " VFx-:   ",  " VFy-:   "};
    for (int table = 1; table <= 2; ++table) {
        write_record(u, "");
        write_record(u, std::string(22, ' ') + "+++++ Resolved in " +
                            (table == 1 ? "GLOBAL" : "VESSEL") + " Coordinates +++++");
        write_record(u, "");
        write_record(u, "");
        write_record(u, std::string(14, ' ') + "------ Net Vessel Loads ----" +
                            "   ------- Net Vessel Moments -------");
        write_record(u, std::string("                X          Y          Z     ") +
                            "     X           Y           Z");
        write_record(u, std::string(14, ' ') + "---------- (" + force_label() +
                            ")  --------   ----------- (" + force_label() + "*" + length_label() +
                            ") -----------");
        for (std::size_t k = 0; k < 9; ++k) {
            const Snapshot& s = snaps[k];
            std::array<float, 4> R{};
            V_G_ROTMAT(R, s.rec[2]);
            std::array<float, 3> f = {s.load[0], s.load[1], s.load[2]};
            std::array<float, 3> mo = {s.load[3], s.load[4], s.load[5]};
            if (table == 1) {
                const std::array<float, 2> mv = {mo[0], mo[1]};
                std::array<float, 2> mg{};
                GMPRD(R, mv, mg, 2, 2, 1);
                mo[0] = mg[0];
                mo[1] = mg[1];
            } else {
                const std::array<float, 2> fg = {f[0], f[1]};
                std::array<float, 2> fv{};
                GTPRD(R, fg, fv, 2, 2, 1);
                f[0] = fv[0];
                f[1] = fv[1];
                f = times_t(w.ROTVES, f);
                mo = times_t(w.ROTVES, mo);
            }
            write_record(u, " " + prefix[k] + std::string(label[k]) + X(1) + F(f[0], 9, 2) +
                                F(f[1], 10, 2) + F(f[2], 11, 2) + PE(mo[0], 1, 12, 3) +
                                PE(mo[1], 1, 12, 3) + PE(mo[2], 1, 12, 3));
        }
    }
}

// Section VIb: the bounding boxes, the mean load (always stored) and, with the report asked
// for, the nine snapshot loads.
void net_load_section(LowlodWork& w) {
    const bool print = TPCM.LOWMOT != 0;
    if (print)
        write_net_load_title(w);
    const EquilbBlock& E = EQUILB;
    const std::array<float, 4> mean = {E.RVES(1), E.YCGVAR(), E.VESANG(), E.ZCGVAR};
    const Load6 m = mean_load(w, mean);
    store_mean_load(m);
    if (!print)
        return;
    const std::array<Snapshot, 9> snaps = snapshots(w, mean, m);
    write_snapshot_notes(w, snaps);
    write_snapshot_tables(w, snaps);
}

// ---- After the levels ----------------------------------------------------------------------

void order_sides() {
    for (int c = 1; c <= outcom_cases; ++c)
        for (int i = 1; i <= outcom_lines; ++i) {
            if (OUTCOM.TQSRAN(i, c, 1) < OUTCOM.TQSRAN(i, c, 2))
                std::swap(OUTCOM.TQSRAN(i, c, 1), OUTCOM.TQSRAN(i, c, 2));
            if (OUTCOM.BQSRAN(i, c, 1) < OUTCOM.BQSRAN(i, c, 2))
                std::swap(OUTCOM.BQSRAN(i, c, 1), OUTCOM.BQSRAN(i, c, 2));
        }
}

void mean_case() {
    for (int i = 1; i <= outcom_lines; ++i)
        for (int s = 1; s <= 2; ++s) {
            LINCOM.REXTRM(i, 4, s) = LINCOM.RANCP(i);
            LINCOM.ZEXTRM(i, 4, s) = LINCOM.ZANCP(i);
            OUTCOM.TQSRAN(i, 4, s) = OUTCOM.TMEAN(i);
            OUTCOM.BQSRAN(i, 4, s) = OUTCOM.BMEAN(i);
        }
}

} // namespace

void LOWLOD() {
    const TpcmBlock& T = TPCM;
    LowlodWork w;
    // Set-up.
    w.LEGACY = T.LEGACY_ID != 0;
    w.SPREAD = T.LSPM == 0;
    w.CENTROID = w.SPREAD ? "vessel  centroid" : "mooring centroid";
    w.six_dof = loadup_branch();
    w.XNM_TO_XGLOB_ANG = w.LEGACY ? -EQUILB.VESANG() : -(EQUILB.GOFANG + pi_single);
    w.sig = lowlod_sigma_arrays();
    GET_ENV_F_ARRAYS(w.F_MAG, w.PHIF_V, w.PHIF_NM, w.sig.SIGMTN, w.sig.SIGYLO, w.sig.SIGYHI);
    w.aux_file = T.WriteAuxDatFiles == 1 && T.CMPUTR != 3 && unit_is_open(envelope_unit);
    write_table(w, w.F_MAG);
    write_table(w, w.PHIF_V);
    write_table(w, w.sig.SIGMTN);
    write_table(w, w.sig.SIGYLO);
    write_table(w, w.sig.SIGYHI);
    write_list(w, {EQUILB.VESANG(), EQUILB.MODE_ROT_ANG, w.XNM_TO_XGLOB_ANG, ERGCOM.REQLIB});
    w.ROTVES = trim_heel_rotation(T.TRIMDG, T.HEELDG);
    w.SIGSEL = T.ONETWO == 0 ? 2 : 1;
    w.NUMSIG = T.ONETWO == 0 ? "Two" : "One";

    // The levels, from the restart point.
    for (bool again = true; again;) {
        again = false;
        EQUILB.SIG_LF_RL = 0.0f;
        EQUILB.SIG_LF_PT = 0.0f;
        w.M = Excursions{};
        w.S = Excursions{};
        for (int L = 1; L <= 3; ++L) {
            w.L = L;
            w.LPRINT = T.LOWMOT != 0 && (L == 3 || L == w.SIGSEL);
            if (legacy_turret(w.LEGACY))
                legacy_turret_region(w);
            else
                envelope_region(w);
            if (!level_line_loads(w)) {
                again = true;
                break;
            }
        }
    }
    order_sides();
    mean_case();
    net_load_section(w);
}

} // namespace lintar
