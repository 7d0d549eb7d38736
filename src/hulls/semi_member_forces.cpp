// hulls/semi_member_forces.cpp: the first-order wave forces of the semisubmersible's members:
// MEMFRC on one member in closed form (inertia) or by Simpson's rule (drag), SUMALL over all
// members about the rotation centres, and PARTWY.
//
// Linear wave theory, unit amplitude, time factor exp(i w t): the pressure head is
// p = C(z) E(x, y) with E = exp(-i (kx x + ky y)) and C = cosh k(z + d) / cosh kd, and the
// acceleration over gravity is -grad p. With kd capped at 70, C and the matching sinh factor S
// are two exponential profiles along any straight member:
//     C E = c (P+ + P-),  S E = c (P+ - P-),  c = 1 / (1 + exp(-2 kd)),
//     P+ = exp(-i (kx x + ky y) + k z),  P- = exp(-i (kx x + ky y) - k (z + 2 d)),
// so that the acceleration, its integral and its first moment along the member are sums of
// exponentials with closed-form integrals.
#include "blocks/himem.h"
#include "blocks/simcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/hull_support.h"
#include "hulls/semi_hull.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/algebra.h"
#include "util/answer_reader.h"
#include "util/prompts.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace lintar {

namespace {

using C = SemiComplex;
using CV3 = SemiVector3;
constexpr C CI(0.0f, 1.0f);

// The cap of the depth factor and of an exponent: exp(70) is well inside single precision.
constexpr float OVFLO = 70.0f;
// An exponent along the member below this in modulus takes the limits of the integrals.
constexpr float SNGLAR = 0.001f;

// The once-per-run warnings of the member forces.
struct MemberForceStore {
    bool warned_above_water = false;
    bool warned_precision = false;
};
MemberForceStore memfrc_store;
const StateReset reset_memfrc_store{[] { memfrc_store = {}; }, StoreKind::analysis};

void pause_or_stop(int EDUNIT) {
    std::int32_t LBACK = 0;
    ABORT0(EDUNIT, keyboard_unit, LBACK);
    if (LBACK < 0)
        stop_program(StopKind::user_choice);
}

// The wave period printed in the warnings (0 for a zero frequency).
float printed_period(float WFREQ) {
    return WFREQ != 0.0f ? 6.283f / WFREQ : 0.0f;
}

CV3 cross(const float r[3], const CV3& v) {
    return {r[1] * v[2] - r[2] * v[1], r[2] * v[0] - r[0] * v[2], r[0] * v[1] - r[1] * v[0]};
}

// One straight part of a member: its start, length, whether it lies above the water, and the
// velocity of its start point.
struct MemberPart {
    float start[3];
    float length;
    bool above;
    CV3 velocity;
};

// The exponentials of one profile at the two ends of a part: exp(alpha) at the start and
// exp(alpha + beta L) at the end, with the exponents clipped at OVFLO.
struct ProfileEnds {
    C beta, at_start, at_end;
};

ProfileEnds profile_ends(C alpha, C beta, float L) {
    C a0 = alpha;
    CEXLIM(a0, OVFLO);
    C a1 = alpha + beta * L;
    CEXLIM(a1, OVFLO);
    return {beta, std::exp(a0), std::exp(a1)};
}

// The integral of exp(alpha + beta s) and of s exp(alpha + beta s) over the part, s from 0 to L.
void profile_integrals(const ProfileEnds& p, float L, C& I0, C& I1) {
    const C bL = p.beta * L;
    if (std::abs(bL) <= SNGLAR) {
        I0 = p.at_start * L;
        I1 = p.at_start * (L * L / 2.0f);
        return;
    }
    I0 = (p.at_end - p.at_start) / p.beta;
    I1 = ((bL - 1.0f) * p.at_end + p.at_start) / (p.beta * p.beta);
}

} // namespace

// PARTWY: see the header. Pure.
void PARTWY(const float RSTART[3], const float DIR[3], float DIST, float ROUT[3]) {
    for (int k = 0; k < 3; ++k)
        ROUT[k] = RSTART[k] + DIST * DIR[k];
}

namespace {

// The wetness code as the parts read it: codes 5, 6 and 4 stand for 1, 2 and 3.
std::int32_t wetness_value(std::int32_t WETELM) {
    if (WETELM == 5)
        return 1;
    if (WETELM == 6)
        return 2;
    if (WETELM == 4)
        return 3;
    return WETELM;
}

// The two exponential profiles of a member's axis: the wave number, the depth factor, the rates
// along the axis, the gradients and the velocity scale.
struct MemberProfiles {
    float k, kd, d, c;
    C beta_plus, beta_minus;
    C kappa_plus[3], kappa_minus[3];
    float velocity_scale;
};

// member_profiles: the profiles of member m's axis n, the depth factor capped at OVFLO.
// Horizontal and vertical wave velocity per unit amplitude are (g k / w) times the profiles,
// with w^2 = g k tanh kd. Pure.
MemberProfiles member_profiles(const MemberWave& m) {
    const float* n = m.DIRMEM;
    MemberProfiles w{};
    w.k = m.WVK;
    const float k = w.k;
    w.kd = m.WDEPTH > 0.0f ? std::min(k * m.WDEPTH, OVFLO) : OVFLO;
    w.d = w.kd / k;
    w.c = 1.0f / (1.0f + std::exp(-2.0f * w.kd));
    const C along_plan = -CI * (m.KX * n[0] + m.KY * n[1]);
    w.beta_plus = along_plan + k * n[2];
    w.beta_minus = along_plan - k * n[2];
    const C kappa_plus[3] = {-CI * m.KX, -CI * m.KY, C(k, 0.0f)};
    const C kappa_minus[3] = {-CI * m.KX, -CI * m.KY, C(-k, 0.0f)};
    for (int i = 0; i < 3; ++i) {
        w.kappa_plus[i] = kappa_plus[i];
        w.kappa_minus[i] = kappa_minus[i];
    }
    w.velocity_scale = std::sqrt(m.G * k / std::tanh(w.kd));
    return w;
}

// The straight parts of a member.
struct MemberParts {
    MemberPart part[2];
    int count = 0;
};

// member_parts: the parts of member m, crossing code PIERCE, wetted to LENP from the base: the
// one from the base first, for a crossing member the rest beyond the waterline, which moves with
// the rotation of the member about its base. Pure.
MemberParts member_parts(const MemberWave& m, std::int32_t PIERCE, float LENP) {
    const float* n = m.DIRMEM;
    const float zb = m.RBASE[2];
    const float top = m.LEN * n[2] + zb;
    MemberParts parts;
    if (PIERCE == 0) {
        const bool above = zb > 0.0f || top > 0.0f;
        parts.part[parts.count++] = {{m.RBASE[0], m.RBASE[1], m.RBASE[2]}, m.LEN, above, m.BASVEL};
        return parts;
    }
    parts.part[parts.count++] = {
        {m.RBASE[0], m.RBASE[1], m.RBASE[2]}, LENP, PIERCE == -1, m.BASVEL};
    MemberPart rest{};
    PARTWY(m.RBASE, n, LENP, rest.start);
    rest.start[2] = 0.0f;
    rest.length = m.LEN - LENP;
    rest.above = PIERCE == 1;
    const C spin = CI * (LENP * m.WFREQ);
    rest.velocity = {m.BASVEL[0] + spin * (n[2] * m.DELPHI), m.BASVEL[1] + spin * m.DELTHA,
                     m.BASVEL[2] - spin * (n[0] * m.DELPHI)};
    parts.part[parts.count++] = rest;
    return parts;
}

// warn_long_part: the warnings, once per run each, of a part of length L whose exponent along
// the axis TESTR is long: above the water it may exaggerate the forces, below it may exceed the
// precision. Writes EDUNIT; ends the run on an abort answer.
void warn_long_part(bool above, float TESTR, float WFREQ, float L, int EDUNIT) {
    if (above && TESTR > 2.0f && !memfrc_store.warned_above_water) {
        memfrc_store.warned_above_water = true;
        write_record(EDUNIT, " ++> WARNING: A (wave period, above-water element length) "
                             "combination of (" +
                                 F(printed_period(WFREQ), 8, 2) + "," + F(L, 9, 2) +
                                 ") may exaggerate member forces.");
        write_record(EDUNIT, "Subdivide element, increase minimum wave period or deactivate "
                             "submerged member option.");
        pause_or_stop(EDUNIT);
    }
    if (!above && TESTR > OVFLO && !memfrc_store.warned_precision) {
        memfrc_store.warned_precision = true;
        write_record(EDUNIT, " ++> WARNING: A (wave period, submerged element length) "
                             "combination");
        write_record(EDUNIT, "              of (" + F(printed_period(WFREQ), 8, 2) + "," +
                                 F(L, 9, 2) + ") MAY exceed IEEE precision in MEMFRC.");
        write_record(EDUNIT, "              Subdivide element or increase minimum wave period");
        pause_or_stop(EDUNIT);
    }
}

// The load of one part about the part's start, and in drag mode the end-face factors at its
// first and last Simpson points.
struct PartLoad {
    CV3 F{}, M{};
    C first_face{}, last_face{};
};

// inertia_load: the acceleration over gravity, -c (kappa+ P+ + kappa- P-), integrated over the
// part of length L along the axis n. Pure.
PartLoad inertia_load(const float n[3], const MemberProfiles& w, const ProfileEnds& plus,
                      const ProfileEnds& minus, float L) {
    PartLoad load;
    C I0p, I1p, I0m, I1m;
    profile_integrals(plus, L, I0p, I1p);
    profile_integrals(minus, L, I0m, I1m);
    CV3 first{};
    for (int i = 0; i < 3; ++i) {
        load.F[static_cast<std::size_t>(i)] =
            -w.c * (w.kappa_plus[i] * I0p + w.kappa_minus[i] * I0m);
        first[static_cast<std::size_t>(i)] =
            -w.c * (w.kappa_plus[i] * I1p + w.kappa_minus[i] * I1m);
    }
    load.M = cross(n, first);
    return load;
}

// Where the drag part's debug dump and the Simpson count question go.
struct DragDebug {
    int EDUNIT;
    std::int32_t NBUG;
    int KBD;
    float LENP;
};

// simpson_points: an odd number of points, about k L of them and at least 5; NBUG set writes a
// debug dump and asks for the count on KBD.
std::int32_t simpson_points(float k, float L, float LEN, float z0, float z1,
                            const DragDebug& debug) {
    std::int32_t NSIMP = 2 * (static_cast<std::int32_t>(std::lround(k * L)) / 2) - 1;
    NSIMP = std::max(NSIMP, 5);
    if (debug.NBUG != 0) {
        debug_dump(debug.EDUNIT, {k, LEN, debug.LENP, L, z0, z1, static_cast<float>(NSIMP)});
        WRTLIN("Input NSIMP: ", debug.EDUNIT);
        std::int32_t PAGNO = 0;
        READI(NSIMP, debug.KBD, PAGNO);
        NSIMP = std::max(NSIMP | 1, 5); // Simpson's rule needs an odd count
    }
    return NSIMP;
}

// drag_load: the relative velocity times the root-mean-square relative speed integrated by
// Simpson's rule over the part, and the end-face factor at the first and last points. Reads the
// keyboard only through simpson_points.
PartLoad drag_load(const MemberWave& m, const MemberProfiles& w, const MemberPart& part,
                   const ProfileEnds& plus, const ProfileEnds& minus, const DragDebug& debug) {
    const float* n = m.DIRMEM;
    const float k = w.k;
    const float L = part.length;
    const float z0 = part.start[2];
    const float z1 = z0 + L * n[2];
    const std::int32_t NSIMP = simpson_points(k, L, m.LEN, z0, z1, debug);
    const float DELQ = L / static_cast<float>(NSIMP - 1);
    const float kx = m.KX / k, ky = m.KY / k;
    PartLoad load;
    for (int j = 1; j <= NSIMP; ++j) {
        const float s = DELQ * static_cast<float>(j - 1);
        const float weight = (j == 1 || j == NSIMP) ? 1.0f : (j % 2 == 0 ? 4.0f : 2.0f);
        C Pp = plus.at_start * std::exp(w.beta_plus * s);
        C Pm = minus.at_start * std::exp(w.beta_minus * s);
        const C CE = w.c * (Pp + Pm);
        const C SE = w.c * (Pp - Pm);
        const CV3 u = {w.velocity_scale * kx * CE, w.velocity_scale * ky * CE,
                       w.velocity_scale * CI * SE};
        const C spin = CI * (s * m.WFREQ);
        const CV3 v = {part.velocity[0] + spin * (n[2] * m.DELPHI),
                       part.velocity[1] + spin * m.DELTHA,
                       part.velocity[2] - spin * (n[0] * m.DELPHI)};
        float u2 = 0.0f, v2 = 0.0f, cross_term = 0.0f;
        for (std::size_t i = 0; i < 3; ++i) {
            u2 += std::norm(u[i]);
            v2 += std::norm(v[i]);
            cross_term += (u[i] * std::conj(v[i])).real();
        }
        const float VREL2 = 0.5f * (v2 * m.EXTAMP * m.EXTAMP + u2 * m.WVAMP * m.WVAMP) + m.VCUR2 -
                            m.WVAMP * m.EXTAMP * cross_term;
        const float speed = std::sqrt(std::max(VREL2, 0.0f));
        const float wt = weight * DELQ / 3.0f;
        const float at_s[3] = {s * n[0], s * n[1], s * n[2]};
        CV3 element{};
        for (std::size_t i = 0; i < 3; ++i)
            element[i] = (u[i] - v[i]) * (speed * wt);
        const CV3 arm = cross(at_s, element);
        for (std::size_t i = 0; i < 3; ++i) {
            load.F[i] += element[i];
            load.M[i] += arm[i];
        }
        load.last_face =
            (n[0] * (u[0] - v[0]) + n[1] * (u[1] - v[1]) + n[2] * (u[2] - v[2])) * speed;
        if (j == 1)
            load.first_face = load.last_face;
    }
    return load;
}

} // namespace

// MEMFRC: see the header.
MemberForce MEMFRC(const MemberWave& m, int EDUNIT, std::int32_t NBUG, int KBD) {
    MemberForce out;
    const float* n = m.DIRMEM;
    // The axis must lie in the member's vertical plane.
    if (n[1] != 0.0f) {
        write_record(EDUNIT, " ++> WARNING: Elemental unit vector out of member plane in MEMFRC.");
        pause_or_stop(EDUNIT);
    }
    const float k = m.WVK;
    if (!(k > 0.0f))
        return out;

    // Wetness and the crossing of the waterline.
    const std::int32_t WETVAL = wetness_value(m.WETELM);
    const float zb = m.RBASE[2];
    const float top = m.LEN * n[2] + zb;
    out.PIERCE = (zb < 0.0f && top > 0.0f) ? 1 : (zb > 0.0f && top < 0.0f) ? -1 : 0;
    const float LENP = out.PIERCE != 0 ? -zb / n[2] : m.LEN;
    const bool above_counts = WETVAL != 0 && WETVAL != 3;

    const MemberProfiles w = member_profiles(m);
    const MemberParts parts = member_parts(m, out.PIERCE, LENP);
    const DragDebug debug{EDUNIT, NBUG, KBD, LENP};
    bool first_face = true;
    for (int p = 0; p < parts.count; ++p) {
        const MemberPart& part = parts.part[p];
        if (part.above && !above_counts)
            continue;
        const float L = part.length;
        if (!(L > 0.0f))
            continue;
        const float z0 = part.start[2];
        const float z1 = z0 + L * n[2];
        // Deep parts add nothing; long exponents are warned about once per run.
        if (z0 < -30.0f / k && z1 < -30.0f / k)
            continue;
        warn_long_part(part.above, std::abs(k * n[2] * L), m.WFREQ, L, EDUNIT);

        const C plan = -CI * (m.KX * part.start[0] + m.KY * part.start[1]);
        const ProfileEnds plus = profile_ends(plan + k * z0, w.beta_plus, L);
        const ProfileEnds minus = profile_ends(plan - k * (z0 + 2.0f * w.d), w.beta_minus, L);
        // The lever of the part's start about the member's base.
        const float lever[3] = {part.start[0] - m.RBASE[0], part.start[1] - m.RBASE[1],
                                part.start[2] - m.RBASE[2]};
        PartLoad load;
        if (m.DRGFLG == 0) {
            load = inertia_load(n, w, plus, minus, L);
        } else {
            load = drag_load(m, w, part, plus, minus, debug);
            if (first_face)
                out.CQDBOT = load.first_face;
            if (m.GET_TOP_DRAG)
                out.CQDTOP = load.last_face; // the last point of the last part taken
            first_face = false;
        }
        const CV3 shift = cross(lever, load.F);
        for (std::size_t i = 0; i < 3; ++i) {
            out.CFORCE[i] += load.F[i];
            out.CMOMT[i] += load.M[i] + shift[i];
        }
    }

    // The waterplane pressure of a crossing member, over its tilted waterplane.
    if (out.PIERCE != 0 && m.WETELM != 4 && WETVAL != 1) {
        const float xw = m.RBASE[0] + LENP * n[0];
        const float yw = m.RBASE[1] + LENP * n[1];
        out.CWPFRC = std::exp(-CI * (m.KX * xw + m.KY * yw)) / std::abs(n[2]);
    }
    return out;
}

namespace {

// The turn about z that brings a member's axis into its vertical plane (cs, sn of its plan
// direction), and back.
struct PlaneTurn {
    float cs = 1.0f, sn = 0.0f;
    void turn(float x, float y, float& xo, float& yo) const {
        xo = cs * x + sn * y;
        yo = -sn * x + cs * y;
    }
    void turn(CV3& v) const {
        const C x = cs * v[0] + sn * v[1];
        const C y = -sn * v[0] + cs * v[1];
        v[0] = x;
        v[1] = y;
    }
    void back(CV3& v) const {
        const C x = cs * v[0] - sn * v[1];
        const C y = sn * v[0] + cs * v[1];
        v[0] = x;
        v[1] = y;
    }
};

// plane_turn: the turn of a member of axis DRMEM; a member already in the x-z plane is not
// turned. Pure.
PlaneTurn plane_turn(const float DRMEM[3]) {
    PlaneTurn t;
    if (DRMEM[1] != 0.0f) {
        const float RPERP = std::sqrt(DRMEM[0] * DRMEM[0] + DRMEM[1] * DRMEM[1]);
        t.cs = DRMEM[0] / RPERP;
        t.sn = DRMEM[1] / RPERP;
    }
    return t;
}

// member_wave: the wave and member values of member ICYL in its vertical plane: its wetted
// length, base relative to the waterline, axis and wave-number components turned by `turn`,
// and in drag mode the velocity of its base point and its rotation amplitudes from MOTION about
// the rotation centres. Reads TPCM, SIMCOM, HIMEM and WAVCOM G.
MemberWave member_wave(int ICYL, const SumallWave& wave, const SemiVector6& MOTION,
                       const PlaneTurn& turn) {
    const TpcmBlock& T = TPCM;
    const HimemBlock& H = HIMEM;
    const SimcomBlock& S = SIMCOM;
    const bool drag = wave.DRGFLG != 0;
    const float xb = T.RCYLB(1, ICYL), yb = T.RCYLB(2, ICYL), zb = T.RCYLB(3, ICYL);
    const float DRMEM[3] = {S.DIRVEC(1, ICYL), S.DIRVEC(2, ICYL), S.DIRVEC(3, ICYL)};
    MemberWave m;
    m.LEN = S.CYLLEN(ICYL);
    m.WVK = wave.WAVK;
    m.WDEPTH = T.DEPTH;
    m.G = WAVCOM.G;
    m.WETELM = wave.WETMEM;
    m.DRGFLG = wave.DRGFLG;
    m.WFREQ = wave.WENC;
    m.EXTAMP = wave.EXTAMP;
    m.WVAMP = wave.WVAMP;
    m.VCUR2 = wave.VCUR2;
    m.GET_TOP_DRAG = T.BOTTYP(ICYL) == 0;

    // Drag: the motion of the base point and the rotation amplitudes.
    CV3 BASVEL{}, theta{};
    if (drag) {
        const C& CSG = MOTION[0];
        const C& CSW = MOTION[1];
        const C& CHV = MOTION[2];
        const C& CRL = MOTION[3];
        const C& CPT = MOTION[4];
        const C& CYW = MOTION[5];
        const C CQX = (zb - H.VTCRP) * CPT + CSG - yb * CYW;
        const C CQY = (xb - H.XCRYW) * CYW + CSW - (zb - H.VTCRR) * CRL;
        const C CQZ = yb * CRL + CHV - (xb - H.XCRPT) * CPT;
        BASVEL = {CI * wave.WENC * CQX, CI * wave.WENC * CQY, CI * wave.WENC * CQZ};
        theta = {CRL, CPT, CYW};
    }

    // Base relative to the waterline; everything turned about z into the member's vertical
    // plane.
    turn.turn(xb, yb, m.RBASE[0], m.RBASE[1]);
    m.RBASE[2] = zb - H.EDRAFT;
    turn.turn(DRMEM[0], DRMEM[1], m.DIRMEM[0], m.DIRMEM[1]);
    m.DIRMEM[2] = DRMEM[2];
    if (DRMEM[1] != 0.0f)
        m.DIRMEM[1] = 0.0f; // exactly in the plane after the turn
    turn.turn(wave.WKX, wave.WKY, m.KX, m.KY);
    if (drag) {
        turn.turn(BASVEL);
        turn.turn(theta);
        m.BASVEL = BASVEL;
        // The velocity of a point s along the axis n is BASVEL + i w s (theta x n): in the
        // member plane that is (n3 DELPHI, DELTHA, -n1 DELPHI).
        m.DELPHI = theta[1];
        m.DELTHA = theta[2] * m.DIRMEM[0] - theta[0] * m.DIRMEM[2];
    }
    return m;
}

// scale_inertia_load: the inertia load of member ICYL (about the middle RTEMP of its wetted
// length) through the member's coefficients, with the waterplane pressure of a crossing member,
// times the force scale. Reads TPCM and SIMCOM.
void scale_inertia_load(int ICYL, const MemberForce& r, const float RTEMP[3],
                        const SumallWave& wave, CV3& force, CV3& moment) {
    const TpcmBlock& T = TPCM;
    SimcomBlock& S = SIMCOM;
    CV3 f{}, mm{};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) {
            f[slot(i)] += S.FRCCOF(i, j, ICYL) * force[slot(j)];
            mm[slot(i)] += S.MNTCOF(i, j, ICYL) * moment[slot(j)];
        }
    force = f;
    moment = mm;
    if (T.DRAG_ONLY != 1 && r.PIERCE != 0) {
        const C WP = r.CWPFRC;
        force[2] += WP;
        moment[0] += (RTEMP[1] - CI * (wave.WKY * S.MRWPG2(ICYL))) * WP;
        moment[1] -= (RTEMP[0] - CI * (wave.WKX * S.MPWPG2(ICYL))) * WP;
    }
    const float scale = wave.FORSCL * T.XAREA(ICYL);
    for (std::size_t i = 0; i < 3; ++i) {
        force[i] *= scale;
        moment[i] *= scale;
    }
}

// scale_drag_load: the drag load of member ICYL (about the middle RTEMP of its wetted length,
// axis DRMEM) times its drag per length per axis, with the drag of its end faces. Reads TPCM and
// SIMCOM.
void scale_drag_load(int ICYL, const MemberForce& r, const float RTEMP[3], const float DRMEM[3],
                     const SumallWave& wave, CV3& force, CV3& moment) {
    const TpcmBlock& T = TPCM;
    SimcomBlock& S = SIMCOM;
    const float face_area = T.XAREA(ICYL) * T.CYLCD(3, ICYL);
    const C bottom = r.CQDBOT * face_area;
    const C top = r.CQDTOP * face_area;
    CV3 Fb{}, Ft{};
    for (int i = 1; i <= 3; ++i) {
        const auto ii = slot(i);
        const float scale = wave.FORSCL * S.DRGFCF(i, ICYL);
        force[ii] *= scale;
        moment[ii] *= scale;
        Fb[ii] = wave.FORSCL * bottom * DRMEM[ii];
        Ft[ii] = wave.FORSCL * top * DRMEM[ii];
        force[ii] += Fb[ii] + Ft[ii];
    }
    const CV3 arm_b = cross(RTEMP, Fb);
    const CV3 arm_t = cross(RTEMP, Ft);
    for (std::size_t i = 0; i < 3; ++i)
        moment[i] += arm_t[i] - arm_b[i];
}

// add_member_load: the force and moment of member ICYL about the rotation centres added to
// CFORCE: pitch about the pitch centre, roll and yaw about the roll and yaw centres. The member
// loads at MEMFRC, which ends the run on an abort answer to its warnings. Reads TPCM, SIMCOM,
// HIMEM and WAVCOM G.
void add_member_load(int ICYL, SemiVector6& CFORCE, const SumallWave& wave,
                     const SemiVector6& MOTION) {
    const TpcmBlock& T = TPCM;
    const HimemBlock& H = HIMEM;
    const SimcomBlock& S = SIMCOM;
    const bool drag = wave.DRGFLG != 0;
    const float DUMLEN = S.CYLLEN(ICYL);
    const float xb = T.RCYLB(1, ICYL), yb = T.RCYLB(2, ICYL), zb = T.RCYLB(3, ICYL);
    const float DRMEM[3] = {S.DIRVEC(1, ICYL), S.DIRVEC(2, ICYL), S.DIRVEC(3, ICYL)};
    const PlaneTurn turn = plane_turn(DRMEM);
    const MemberWave m = member_wave(ICYL, wave, MOTION, turn);

    // The member's force and moment about its base, turned back to vessel axes.
    MemberForce r = MEMFRC(m, T.EDUNIT, T.NBUG, keyboard_unit);
    CV3 force = r.CFORCE, moment = r.CMOMT;
    turn.back(force);
    turn.back(moment);

    // A drag face code other than 4 takes no drag in its own direction.
    const std::int32_t TOPTYP = T.TOPTYP(ICYL);
    if (drag && TOPTYP >= 1 && TOPTYP <= 3) {
        force[slot(TOPTYP)] = 0.0f;
        moment[slot(TOPTYP)] = 0.0f;
    }

    // The moment about the middle of the wetted length, scaled, and back to the base point.
    const float zero[3] = {0.0f, 0.0f, 0.0f};
    float RTEMP[3];
    PARTWY(zero, DRMEM, DUMLEN * 0.5f, RTEMP);
    {
        const CV3 arm = cross(RTEMP, force);
        for (std::size_t i = 0; i < 3; ++i)
            moment[i] -= arm[i];
    }
    if (!drag)
        scale_inertia_load(ICYL, r, RTEMP, wave, force, moment);
    else
        scale_drag_load(ICYL, r, RTEMP, DRMEM, wave, force, moment);
    {
        const CV3 arm = cross(RTEMP, force);
        for (std::size_t i = 0; i < 3; ++i)
            moment[i] += arm[i];
    }

    const float pitch_arm[3] = {xb - H.XCRPT, yb, zb - H.VTCRP};
    const float roll_arm[3] = {xb - H.XCRYW, yb, zb - H.VTCRR};
    const CV3 about_pitch = cross(pitch_arm, force);
    const CV3 about_roll = cross(roll_arm, force);
    moment[0] += about_roll[0];
    moment[1] += about_pitch[1];
    moment[2] += about_roll[2];

    for (std::size_t i = 0; i < 3; ++i) {
        CFORCE[i] += force[i];
        CFORCE[i + 3] += moment[i];
    }
}

} // namespace

// SUMALL: see the header.
void SUMALL(SemiVector6& CFORCE, const SumallWave& wave, const SemiVector6& MOTION) {
    const int NCYL = std::min<int>(TPCM.NCYL, simcom_member_capacity);
    for (int ICYL = 1; ICYL <= NCYL; ++ICYL) {
        if (!(SIMCOM.CYLLEN(ICYL) > 0.0f))
            continue; // dry, or standing on the waterline: no wetted length to load
        add_member_load(ICYL, CFORCE, wave, MOTION);
    }
}

} // namespace lintar
