// hulls/semi_characteristics.cpp: SEMCHR, the characteristics of the semisubmersible model
// (effective hydrostatics, member tables, added masses, rotation centres, natural frequencies,
// quadratic damping, the independent hydrostatic estimate and its discrepancy block), and
// DIMADJ.
#include "blocks/himem.h"
#include "blocks/pascom.h"
#include "blocks/simcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/hull_support.h"
#include "hulls/semi_hull.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/matrix3.h"
#include "util/program_types.h"
#include "util/prompts.h"
#include "util/range_checks.h"

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace lintar {

namespace {

using M3 = Matrix3<float>;
using V3 = Vector3<float>;

// The once-per-run warnings of the characteristics.
struct SemiCharacteristicsStore {
    bool warned_no_crossing = false;
    bool noticed_waterlines = false;
    bool checked_discrepancy = false;
};
SemiCharacteristicsStore semchr_store;
const StateReset reset_semchr_store{[] { semchr_store = {}; }, StoreKind::analysis};

// A quotient that is 0 where its divisor is: an estimate of a hull with nothing to divide by.
float ratio_or_zero(float num, float den) {
    return den != 0.0f ? num / den : 0.0f;
}

// The pause after a warning: an abort answer ends the run.
void pause_after_warning(bool serve) {
    const int EDUNIT = TPCM.EDUNIT;
    std::int32_t LBACK = 0;
    if (serve)
        SERV_ABORT(EDUNIT, keyboard_unit, LBACK);
    else
        ABORT0(EDUNIT, keyboard_unit, LBACK);
    if (LBACK < 0)
        stop_program(StopKind::user_choice);
}

// The waterplane coefficient of a member section: rectangle, circle, the third section type.
float waterplane_coefficient(std::int32_t MEMTYP) {
    switch (MEMTYP) {
    case 1:
        return 0.0625f;
    case 2:
        return 0.0714f;
    default:
        return 0.083333336f; // 1/12, the rectangle, also for an unknown section code
    }
}

// The rotation of a member from vessel to member axes by its inclination T and azimuth P: the
// member's axis is the third member axis.
M3 member_rotation(float T, float P) {
    M3 R{};
    at(R, 1, 1) = std::cos(T) * std::cos(P);
    at(R, 2, 1) = std::sin(P);
    at(R, 3, 1) = -std::sin(T) * std::cos(P);
    at(R, 1, 2) = -std::cos(T) * std::sin(P);
    at(R, 2, 2) = std::cos(P);
    at(R, 3, 2) = std::sin(T) * std::sin(P);
    at(R, 1, 3) = std::sin(T);
    at(R, 2, 3) = 0.0f;
    at(R, 3, 3) = std::cos(T);
    return R;
}

// R^T diag(d) R: a diagonal matrix of member axes in vessel axes.
M3 to_vessel_axes(const M3& R, const V3& d) {
    M3 D{};
    at(D, 1, 1) = d[0];
    at(D, 2, 2) = d[1];
    at(D, 3, 3) = d[2];
    return product(transposed(R), product(D, R));
}

// The discrepancy block: one item per failing test.
struct Discrepancy {
    std::int32_t bit;
    std::string_view item;
    float input, estimate;
};

void write_discrepancy(int EDUNIT, const Discrepancy& d) {
    write_record(EDUNIT, " ++> WARNING <++");
    write_record(EDUNIT, "  Possible discrepancy in vessel " + std::string(d.item) +
                             ". (Input value, simulation estimated value) = (" + G(d.input, 14, 6) +
                             "," + G(d.estimate, 14, 6) + ")");
}

} // namespace

// DIMADJ: see the header. Pure.
void DIMADJ(const float DIM[3], float& LENGTH, float& WIDTH, std::int32_t INDEX) {
    WIDTH = DIM[slot(INDEX)];
    const std::int32_t second = INDEX % 3 + 1;
    const std::int32_t third = second % 3 + 1;
    const float a = DIM[slot(second)];
    const float b = DIM[slot(third)];
    LENGTH = a > b ? a : b;
}

namespace {

// set_effective_hydrostatics: the effective draft, displacement, centre of buoyancy and
// metacentres; a tension-leg hull is pulled down by DELTA_DRAFT. Reads TPCM and PASCOM; writes
// HIMEM (EDRAFT, EDISPL, EVKB, EVKML, EVKMT, DELTA).
void set_effective_hydrostatics(bool tlp) {
    const TpcmBlock& T = TPCM;
    HimemBlock& H = HIMEM;
    const PascomBlock& P = PASCOM;
    if (tlp) {
        H.EDRAFT = T.DRAFT + P.DELTA_DRAFT;
        const float added = P.DELTA_DRAFT * T.AWP * T.DWATR / 1000.0f;
        H.EDISPL = T.DISPL + added;
        H.EVKB = ((P.DELTA_DRAFT * 0.5f + T.DRAFT) * added + T.DISPL * T.TVKB) / H.EDISPL;
        H.EVKML = (T.VKML - T.TVKB) * T.DISPL / H.EDISPL + H.EVKB;
        H.EVKMT = (T.VKMT - T.TVKB) * T.DISPL / H.EDISPL + H.EVKB;
    } else {
        H.EDRAFT = T.DRAFT;
        H.EDISPL = T.DISPL;
        H.EVKB = T.TVKB;
        H.EVKML = T.VKML;
        H.EVKMT = T.VKMT;
    }
    H.DELTA = H.EDISPL * 1000.0f / T.DWATR;
}

// The mass of the hull as a volume of water, and the height of the centre of the hull's mass
// and buoyancy about which the quadratic damping is taken.
struct MassVolume {
    float DELTA0;
    float zr;
};

// mass_as_volume: the mass as a volume (the tendon weight for a tension-leg hull, the
// displacement less the tendon tension for a phantom weight) and the centre of gravity. Reads
// TPCM, PASCOM and HIMEM (DELTA, EVKB); writes HIMEM EVKG.
MassVolume mass_as_volume(bool tlp) {
    const TpcmBlock& T = TPCM;
    HimemBlock& H = HIMEM;
    float DELTA0 = H.DELTA;
    H.EVKG = T.VKG;
    if (tlp) {
        DELTA0 = PASCOM.TLPWGHT * 1000.0f / T.DWATR;
        H.EVKG = T.VKG * DELTA0 / H.DELTA;
    } else if (T.LPHANTOM_WGHT == 1) {
        DELTA0 = (H.EDISPL - T.TLP_TENSION) * 1000.0f / T.DWATR;
        H.EVKG = T.VKG * DELTA0 / H.DELTA;
    }
    const float zr = (T.VKG * DELTA0 + H.EVKB * H.DELTA) / (H.DELTA + DELTA0);
    return {DELTA0, zr};
}

// set_hull_restoring: the hull scales, metacentric heights and the restoring in pitch, roll and
// heave, with the tendons' restoring for a tension-leg hull. Reads TPCM, PASCOM and HIMEM;
// writes HIMEM.
void set_hull_restoring(bool tlp, float G) {
    const TpcmBlock& T = TPCM;
    HimemBlock& H = HIMEM;
    const PascomBlock& P = PASCOM;
    H.SHIPL2 = T.LWL / 2.0f;
    H.BEAM2 = T.BWL / 2.0f;
    H.SHIPL = T.LWL;
    H.BEAM = T.BWL;
    H.XSCALE = H.SHIPL2;
    H.YSCALE = H.BEAM2;
    H.GML = H.EVKML - H.EVKG;
    H.GMT = H.EVKMT - H.EVKG;
    H.WPML = (H.EVKML + H.EVKB) * H.DELTA;
    H.WPMT = (H.EVKMT + H.EVKB) * H.DELTA;
    H.PRMT = G * H.GML * H.DELTA;
    H.RRMT = G * H.GMT * H.DELTA;
    H.HC = G * T.AWP;
    if (tlp) {
        H.PRMT += P.PTENDN;
        H.RRMT += P.RTENDN;
        H.HC += P.HTENDN;
    }
}

// clear_member_sums: the block words the member loop sums into, set to 0. Writes PASCOM, SIMCOM
// and the estimates of TPCM.
void clear_member_sums() {
    TpcmBlock& T = TPCM;
    PascomBlock& P = PASCOM;
    SimcomBlock& S = SIMCOM;
    P.CMSRG = P.CMSWY = P.CMYAW = 0.0f;
    P.ACDSG = P.ACDSW = 0.0f;
    P.MENWLX = P.MENWLY = 0.0f;
    P.VTCRRS = P.VTCRPS = 0.0f;
    S.CQRL = S.CQPT = S.CQHV = 0.0f;
    S.NPIERCE = 0;
    T.VOLEST = T.VCBEST = T.XCBEST = T.YCBEST = 0.0f;
    T.AWPEST = T.XWPCTR = T.YWPCTR = T.GMTEST = T.GMLEST = 0.0f;
}

// The sums over the members that are not block words.
struct MemberSums {
    V3 surge_moment{}, sway_moment{}, heave_moment{}; // first moments of the added masses
    float surge_mass = 0.0f, sway_mass = 0.0f, heave_mass = 0.0f;
    float roll_inertia = 0.0f, pitch_inertia = 0.0f, yaw_inertia = 0.0f;
    float roll_coupling = 0.0f, yaw_coupling = 0.0f, pitch_coupling = 0.0f;
    float pitch_wp_inertia = 0.0f, roll_wp_inertia = 0.0f;
    float surge_area = 0.0f, sway_area = 0.0f, x_sum = 0.0f, y_sum = 0.0f;
};

// The wetted part of one member.
struct WettedMember {
    float RBASE[3];
    float MEMVEC[3], DIR[3];
    float MEMLEN, WETLEN, TILTFC;
    bool crossing;
    float wet;    // the wetted length
    float f;      // the wetted share of the member's length
    V3 centroid;  // of the wetted part
    float volume; // of the wetted part
};

// wet_member: the waterline test of member ICYL at the effective draft, its wetted length (a
// crossing member's lengthened a little so that the member force finds it crossing), the wetted
// centroid and volume; nothing for a dry member. Reads TPCM and HIMEM EDRAFT; writes SIMCOM
// (LPIERCE, CYLLEN, NPIERCE, DIRVEC, CYLCG) and the volume estimates of TPCM.
std::optional<WettedMember> wet_member(int ICYL) {
    TpcmBlock& T = TPCM;
    SimcomBlock& S = SIMCOM;
    WettedMember m{};
    for (int k = 1; k <= 3; ++k)
        m.RBASE[slot(k)] = T.RCYLB(k, ICYL);
    const float RTOP[3] = {T.RCYLT(1, ICYL), T.RCYLT(2, ICYL), T.RCYLT(3, ICYL)};
    m.MEMLEN = 0.0f;
    m.WETLEN = 0.0f;
    m.TILTFC = 1.0f;
    std::int32_t PIERCE = 99;
    // A member of no length has no axis: it is taken as out of the water.
    if (m.RBASE[0] != RTOP[0] || m.RBASE[1] != RTOP[1] || m.RBASE[2] != RTOP[2])
        WPCHEK(m.RBASE, RTOP, HIMEM.EDRAFT, m.MEMVEC, m.DIR, m.MEMLEN, m.WETLEN, m.TILTFC, PIERCE);
    // A dry member leaves no stale wetted length or crossing flag from an earlier draft.
    S.LPIERCE(ICYL) = 0;
    S.CYLLEN(ICYL) = 0.0f;
    if (PIERCE == 99)
        return std::nullopt;
    for (int k = 1; k <= 3; ++k)
        S.DIRVEC(k, ICYL) = m.DIR[slot(k)];

    m.crossing = PIERCE != 0;
    S.CYLLEN(ICYL) = m.WETLEN;
    if (m.crossing) {
        ++S.NPIERCE;
        S.LPIERCE(ICYL) = 1;
        S.CYLLEN(ICYL) = m.WETLEN * 1.001f;
    }

    // WETLEN runs from the base to the level; of a member crossing downward (base above the
    // water) the wetted part is the rest.
    m.wet = PIERCE == -1 ? m.MEMLEN - m.WETLEN : m.WETLEN;
    const float dry_start = PIERCE == -1 ? m.WETLEN : 0.0f;
    m.f = m.wet / m.MEMLEN;
    for (int k = 1; k <= 3; ++k)
        S.CYLCG(k, ICYL) =
            m.RBASE[slot(k)] + (dry_start + m.wet / 2.0f) / m.MEMLEN * m.MEMVEC[slot(k)];
    const float x = S.CYLCG(1, ICYL), y = S.CYLCG(2, ICYL), z = S.CYLCG(3, ICYL);
    m.centroid = V3{x, y, z};
    m.volume = m.wet * T.XAREA(ICYL);
    T.VOLEST += m.volume;
    T.VCBEST += m.volume * z;
    T.XCBEST += m.volume * x;
    T.YCBEST += m.volume * y;
    return m;
}

// The box of a member's wetted part, per member axis.
struct MemberBox {
    V3 gyration{}, PRPAR{}, EFFAR{}, EFMOM{};
};

// member_box: the squared radii of gyration, projected areas, drag areas and drag moments of the
// box of member ICYL's wetted part (its length the share f of the third dimension). Reads TPCM.
MemberBox member_box(int ICYL, float f) {
    const TpcmBlock& T = TPCM;
    const float D[3] = {T.DIAMS(1, ICYL), T.DIAMS(2, ICYL), T.DIAMS(3, ICYL) * f};
    MemberBox box;
    for (int a = 1; a <= 3; ++a) {
        const float b = D[a % 3];
        const float c = D[(a + 1) % 3];
        const auto ia = slot(a);
        box.gyration[ia] = (b * b + c * c) / 12.0f;
        box.PRPAR[ia] = b * c;
        box.EFFAR[ia] = T.CYLCD(a, ICYL) * box.PRPAR[ia];
        float L = 0.0f, W = 0.0f;
        DIMADJ(D, L, W, a);
        box.EFMOM[ia] = T.CYLCDI(a, ICYL) * W * L * L * L * L;
    }
    return box;
}

// add_waterplane: the waterplane of member ICYL at azimuth PHIM when it crosses the water (its
// squared radii of gyration, area and centroid), else no waterplane. A member pointing down
// through the surface has a negative tilt factor; its waterplane is as large as one pointing up.
// Reads TPCM; writes SIMCOM (MRWPG2, MPWPG2), the waterplane estimates of TPCM and the
// waterplane inertias of `sums`.
void add_waterplane(int ICYL, const WettedMember& m, float PHIM, MemberSums& sums) {
    TpcmBlock& T = TPCM;
    SimcomBlock& S = SIMCOM;
    if (!m.crossing) {
        S.MRWPG2(ICYL) = 0.0f;
        S.MPWPG2(ICYL) = 0.0f;
        return;
    }
    const float xw = m.RBASE[0] + m.WETLEN * m.DIR[0];
    const float yw = m.RBASE[1] + m.WETLEN * m.DIR[1];
    const float c = waterplane_coefficient(T.MEMTYP(ICYL));
    const float d1 = T.DIAMS(1, ICYL), d2 = T.DIAMS(2, ICYL);
    const float t = m.TILTFC;
    const float sp = std::sin(PHIM), cp = std::cos(PHIM);
    const float Iy = d1 * d1 * t * t * c;
    const float Ix = d2 * d2 * c;
    S.MRWPG2(ICYL) = sp * sp * Iy + cp * cp * Ix;
    S.MPWPG2(ICYL) = cp * cp * Iy + sp * sp * Ix;
    const float area = std::abs(t) * T.XAREA(ICYL);
    T.AWPEST += area;
    T.XWPCTR += xw * area;
    T.YWPCTR += yw * area;
    sums.pitch_wp_inertia += (xw * xw + S.MPWPG2(ICYL)) * area;
    sums.roll_wp_inertia += (yw * yw + S.MRWPG2(ICYL)) * area;
}

// add_added_mass: the inertia coefficients of member ICYL in vessel axes (R turning to member
// axes), and its added masses, their first moments and its added inertias about the keel origin.
// Reads TPCM; writes SIMCOM (FRCCOF, MNTCOF) and `sums`.
void add_added_mass(int ICYL, const M3& R, const WettedMember& m, const MemberBox& box,
                    MemberSums& sums) {
    const TpcmBlock& T = TPCM;
    SimcomBlock& S = SIMCOM;
    const bool drag_only = T.DRAG_ONLY == 1;
    V3 force_diag{}, moment_diag{}, mass_diag{}, inertia_diag{};
    for (std::size_t a = 0; a < 3; ++a) {
        const int ia = static_cast<int>(a) + 1;
        force_diag[a] = drag_only ? 0.0f : 1.0f + T.CYLCM(ia, ICYL);
        moment_diag[a] = drag_only ? 0.0f : 1.0f + T.CYLCMI(ia, ICYL);
        mass_diag[a] = T.CYLCM(ia, ICYL) * m.volume;
        inertia_diag[a] = T.CYLCMI(ia, ICYL) * box.gyration[a] * m.volume;
    }
    const M3 FRC = to_vessel_axes(R, force_diag);
    const M3 MNT = to_vessel_axes(R, moment_diag);
    const M3 A = to_vessel_axes(R, mass_diag);
    const M3 J = to_vessel_axes(R, inertia_diag);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) {
            S.FRCCOF(r, c, ICYL) = at(FRC, r, c);
            S.MNTCOF(r, c, ICYL) = at(MNT, r, c);
        }

    const V3& centroid = m.centroid;
    const float x = centroid[0], y = centroid[1], z = centroid[2];
    sums.surge_mass += at(A, 1, 1);
    sums.sway_mass += at(A, 2, 2);
    sums.heave_mass += at(A, 3, 3);
    for (std::size_t k = 0; k < 3; ++k) {
        sums.surge_moment[k] += at(A, 1, 1) * centroid[k];
        sums.sway_moment[k] += at(A, 2, 2) * centroid[k];
        sums.heave_moment[k] += at(A, 3, 3) * centroid[k];
    }
    sums.roll_inertia += z * z * at(A, 2, 2) + y * y * at(A, 3, 3) + at(J, 1, 1);
    sums.pitch_inertia += z * z * at(A, 1, 1) + x * x * at(A, 3, 3) + at(J, 2, 2);
    sums.yaw_inertia += y * y * at(A, 1, 1) + x * x * at(A, 2, 2) + at(J, 3, 3);
    sums.roll_coupling += at(A, 3, 2) * y - at(A, 2, 2) * z;
    sums.yaw_coupling += at(A, 2, 2) * x - at(A, 1, 2) * y;
    sums.pitch_coupling += at(A, 1, 1) * z - at(A, 3, 1) * x;
}

// add_member_drag: the drag areas of member ICYL in vessel axes (R2 the squares of the rotation),
// its drag per wetted length, its quadratic damping about the height zr, and for a crossing
// member the surge and sway drag and the mean waterline widths. A member wetted over no length
// (standing on the waterline) has no drag per length. Reads TPCM; writes SIMCOM (DRGFCF, CQHV,
// CQPT, CQRL), PASCOM (ACDSG, ACDSW, MENWLX, MENWLY) and `sums`.
void add_member_drag(int ICYL, const M3& R2, const WettedMember& m, const MemberBox& box, float zr,
                     MemberSums& sums) {
    SimcomBlock& S = SIMCOM;
    PascomBlock& P = PASCOM;
    V3 E{}, PA{};
    for (int i = 1; i <= 3; ++i)
        for (int a = 1; a <= 3; ++a) {
            E[slot(i)] += at(R2, a, i) * box.EFFAR[slot(a)];
            PA[slot(i)] += at(R2, a, i) * box.PRPAR[slot(a)];
        }
    S.CQHV += E[2];
    for (int a = 1; a <= 3; ++a)
        S.DRGFCF(a, ICYL) = ratio_or_zero(E[slot(a)], m.wet);
    const std::int32_t TOPTYP = TPCM.TOPTYP(ICYL);
    if (TOPTYP >= 1 && TOPTYP <= 3)
        S.DRGFCF(TOPTYP, ICYL) = E[slot(TOPTYP)];
    const float x = m.centroid[0], y = m.centroid[1], z = m.centroid[2];
    const float dz3 = std::abs(z - zr) * std::abs(z - zr) * std::abs(z - zr);
    S.CQPT += E[2] * std::abs(x) * x * x + E[0] * dz3 + box.EFMOM[1] / 32.0f;
    S.CQRL += E[2] * std::abs(y) * y * y + E[1] * dz3 + box.EFMOM[0] / 32.0f;

    if (m.crossing) {
        P.ACDSG += E[0];
        sums.surge_area += PA[0];
        P.ACDSW += E[1];
        sums.sway_area += PA[1];
        const float wx = ratio_or_zero(PA[0], m.wet);
        const float wy = ratio_or_zero(PA[1], m.wet);
        P.MENWLX += wx * wx;
        P.MENWLY += wy * wy;
        sums.x_sum += wx;
        sums.y_sum += wy;
    }
}

// add_member: member ICYL's share of the estimates, added masses, waterplane and drag, with zr
// the height of the quadratic damping. Reads TPCM and HIMEM; writes SIMCOM, PASCOM, the
// estimates of TPCM and `sums`.
void add_member(int ICYL, float zr, MemberSums& sums) {
    const std::optional<WettedMember> wetted = wet_member(ICYL);
    if (!wetted)
        return;
    const WettedMember& m = *wetted;
    const MemberBox box = member_box(ICYL, m.f);

    // Inclination and azimuth, the rotation to member axes and its squares.
    const float THETAM = m.DIR[2] == 0.0f ? -half_pi_single : -std::acos(m.DIR[2]);
    const float PHIM =
        (m.DIR[0] == 0.0f && m.DIR[1] == 0.0f) ? 0.0f : -std::atan2(m.DIR[1], m.DIR[0]);
    const M3 R = member_rotation(THETAM, PHIM);
    M3 R2{};
    for (std::size_t k = 0; k < 9; ++k)
        R2[k] = R[k] * R[k];

    add_waterplane(ICYL, m, PHIM, sums);
    add_added_mass(ICYL, R, m, box, sums);
    add_member_drag(ICYL, R2, m, box, zr, sums);
}

// warn_no_crossing: when no member crosses the waterline, says so once per run (for a
// tension-leg hull with the pulldown as the likely cause) and pauses. Reads TPCM and SIMCOM
// NPIERCE; writes the screen; ends the run on an abort answer.
void warn_no_crossing(bool tlp) {
    const int EDUNIT = TPCM.EDUNIT;
    if (SIMCOM.NPIERCE != 0 || semchr_store.warned_no_crossing)
        return;
    semchr_store.warned_no_crossing = true;
    if (tlp) {
        write_record(EDUNIT, " ++> Warning: No member crosses the waterline. Quasi-static "
                             "pulldown may");
        write_record(EDUNIT, "     have completely submerged all water-piercing members; you "
                             "should");
        write_record(EDUNIT, "     increase their lengths to prevent this.");
        pause_after_warning(true);
    } else {
        write_record(EDUNIT, " ++> Warning: No member crosses the waterline.");
        pause_after_warning(false);
    }
}

// finish_estimates: the summed estimates turned into centres and metacentric heights, and the
// mean waterline widths. A dry hull (no volume) estimates nothing: its estimates stay 0. Reads
// HIMEM EVKG and `sums`; writes the estimates of TPCM and PASCOM (MENWLX, MENWLY). Returns
// whether the hull is dry.
bool finish_estimates(const MemberSums& sums) {
    TpcmBlock& T = TPCM;
    PascomBlock& P = PASCOM;
    const bool dry = T.VOLEST == 0.0f;
    if (!dry) {
        T.VCBEST /= T.VOLEST;
        T.XCBEST /= T.VOLEST;
        T.YCBEST /= T.VOLEST;
        T.GMTEST = sums.roll_wp_inertia / T.VOLEST + T.VCBEST - HIMEM.EVKG;
        T.GMLEST = sums.pitch_wp_inertia / T.VOLEST + T.VCBEST - HIMEM.EVKG;
    }
    if (T.AWPEST != 0.0f) {
        T.XWPCTR /= T.AWPEST;
        T.YWPCTR /= T.AWPEST;
    }
    P.MENWLX = ratio_or_zero(P.MENWLX, sums.x_sum > 0.0f ? sums.x_sum : T.LWL);
    P.MENWLY = ratio_or_zero(P.MENWLY, sums.y_sum > 0.0f ? sums.y_sum : T.BWL);
    return dry;
}

// notice_waterlines: once per run, a notice when the summed waterline widths of the crossing
// members differ from LWL or BWL by more than a fifth. Reads TPCM, SIMCOM NPIERCE and `sums`;
// writes the screen; ends the run on an abort answer.
void notice_waterlines(const MemberSums& sums) {
    const TpcmBlock& T = TPCM;
    const auto outside = [](float sum, float reference) {
        if (reference <= 0.0f)
            return true;
        const float r = sum / reference;
        return r < 0.8f || r > 1.2f;
    };
    if (SIMCOM.NPIERCE > 0 && !semchr_store.noticed_waterlines &&
        (outside(sums.x_sum, T.LWL) || outside(sums.y_sum, T.BWL))) {
        semchr_store.noticed_waterlines = true;
        write_record(T.EDUNIT, " ++> Notice: Summed water-piercing member waterlines differ "
                               "from LWL, BWL...");
        pause_after_warning(false);
    }
}

// The centres of the surge and sway added masses.
struct AddedMassCentres {
    V3 surge, sway;
};

// set_added_mass_coefficients: the surge and sway drag per projected area, the added-mass
// coefficients, the masses with added mass and the rotation centres. Reads TPCM, HIMEM and
// `sums`; writes PASCOM and HIMEM. Returns the centres of the surge and sway added masses.
AddedMassCentres set_added_mass_coefficients(const MemberSums& sums, float DELTA0) {
    const TpcmBlock& T = TPCM;
    HimemBlock& H = HIMEM;
    PascomBlock& P = PASCOM;
    P.ACDSG = ratio_or_zero(P.ACDSG, sums.surge_area);
    P.ACDSW = ratio_or_zero(P.ACDSW, sums.sway_area);
    const auto centre = [&](const V3& moment, float mass) {
        return mass > 0.0f ? V3{moment[0] / mass, moment[1] / mass, moment[2] / mass}
                           : V3{0.0f, 0.0f, H.EVKG};
    };
    const AddedMassCentres centres{centre(sums.surge_moment, sums.surge_mass),
                                   centre(sums.sway_moment, sums.sway_mass)};
    (void)centre(sums.heave_moment, sums.heave_mass);
    H.CSG = ratio_or_zero(sums.surge_mass, H.DELTA);
    P.CMSRG = H.CSG + 1.0f;
    H.CSW = ratio_or_zero(sums.sway_mass, H.DELTA);
    P.CMSWY = H.CSW + 1.0f;
    H.CYW = ratio_or_zero(sums.yaw_inertia, H.DELTA * T.YGYR * T.YGYR);
    P.CMYAW = H.CYW + 1.0f;
    H.HVMAS = DELTA0 + sums.heave_mass;
    H.SGMAS = DELTA0 + sums.surge_mass;
    H.SWMAS = DELTA0 + sums.sway_mass;
    P.VTCRRS = ratio_or_zero(T.VKG * DELTA0 - sums.roll_coupling, H.SWMAS);
    P.VTCRPS = ratio_or_zero(T.VKG * DELTA0 + sums.pitch_coupling, H.SGMAS);
    H.XCRYW = ratio_or_zero(sums.yaw_coupling, H.SWMAS);
    H.XCRPT = 0.0f;
    H.VTCRR = P.VTCRRS;
    H.VTCRP = P.VTCRPS;
    return centres;
}

// check_discrepancy: once per run, unless warnings are off, the estimates against the input
// values, one discrepancy item per failing test, then a pause. A dry hull has no estimates to
// compare. Reads TPCM and HIMEM; writes the screen; ends the run on an abort answer.
void check_discrepancy(bool dry) {
    const TpcmBlock& T = TPCM;
    const HimemBlock& H = HIMEM;
    if (semchr_store.checked_discrepancy)
        return;
    semchr_store.checked_discrepancy = true;
    if (T.NOWARN != 0 || dry)
        return;
    const auto off = [](float estimate, float input) { return std::abs(1.0f - estimate / input); };
    const Discrepancy items[] = {
        {1, "vertical center of buoyancy:", H.EVKB, T.VCBEST},
        {2, "transverse metacentric height (KMT):", H.GMT, T.GMTEST},
        {4, "longitudinal metacentric height (KML):", H.GML, T.GMLEST},
        {8, "displacement:", H.DELTA * T.DWATR * 0.001f, T.VOLEST * T.DWATR * 0.001f},
        {16, "water plane area:", T.AWP, T.AWPEST},
        {32, "longitudinal center of buoyancy", 0.0f, T.XCBEST},
        {64, "transverse center of buoyancy", 0.0f, T.YCBEST},
        {128, "longitudinal waterplane centroid", 0.0f, T.XWPCTR},
        {256, "transverse waterplane centroid", 0.0f, T.YWPCTR},
    };
    const float ED = H.EDRAFT;
    const bool failing[] = {
        H.EVKB != 0.0f && off(T.VCBEST, H.EVKB) > 0.02f,
        H.GMT != 0.0f && off(T.GMTEST, H.GMT) > 0.02f,
        H.GML != 0.0f && off(T.GMLEST, H.GML) > 0.02f,
        off(T.VOLEST, H.DELTA) > 0.02f,
        T.AWP != 0.0f && off(T.AWPEST, T.AWP) > 0.02f,
        std::abs(ratio_or_zero(T.XCBEST, ED)) > 0.01f,
        std::abs(ratio_or_zero(T.YCBEST, ED)) > 0.0001f,
        std::abs(ratio_or_zero(T.XWPCTR, ED)) > 0.001f,
        std::abs(ratio_or_zero(T.YWPCTR, ED)) > 0.0001f,
    };
    bool any = false;
    for (std::size_t k = 0; k < std::size(items); ++k)
        if (failing[k]) {
            write_discrepancy(T.EDUNIT, items[k]);
            any = true;
        }
    if (any)
        pause_after_warning(false);
}

// set_rotation_inertias: the pitch, roll and yaw inertias about the rotation centres and the
// heave mass. Reads TPCM, HIMEM and `sums`; writes HIMEM (PTCH1, ROL1, YAWI, HVM1, PTCHI, ROLI).
void set_rotation_inertias(const MemberSums& sums, const AddedMassCentres& centres, float DELTA0) {
    const TpcmBlock& T = TPCM;
    HimemBlock& H = HIMEM;
    const float zs = centres.surge[2];
    const float zw = centres.sway[2];
    const float xs = centres.sway[0];
    H.PTCH1 =
        ((H.VTCRP - zs) * (H.VTCRP - zs) - zs * zs) * sums.surge_mass +
        (H.XCRPT * H.XCRPT + (H.VTCRP - T.VKG) * (H.VTCRP - T.VKG) + T.PGYR * T.PGYR) * DELTA0 +
        sums.pitch_inertia;
    H.ROL1 =
        ((H.VTCRR - zw) * (H.VTCRR - zw) - zw * zw) * sums.sway_mass +
        (H.XCRPT * H.XCRPT + (H.VTCRR - T.VKG) * (H.VTCRR - T.VKG) + T.RGYR * T.RGYR) * DELTA0 +
        sums.roll_inertia;
    H.YAWI = (H.XCRYW * H.XCRYW - xs * xs) * sums.sway_mass +
             (H.XCRYW * H.XCRYW + T.YGYR * T.YGYR) * DELTA0 + sums.yaw_inertia;
    H.HVM1 = DELTA0;
    H.PTCHI = H.PTCH1;
    H.ROLI = H.ROL1;
}

// set_natural_frequencies: the pitch, heave and roll natural frequencies from the restoring and
// inertia, or the user's period, which then sets the restoring that reproduces it (no restoring
// or no inertia gives 0), and their nearest grid points. Reads TPCM and HIMEM; writes HIMEM (WP,
// WH, WR, JP, JR, JH and, with a user's period, PRMT, HC or RRMT).
void set_natural_frequencies() {
    const TpcmBlock& T = TPCM;
    HimemBlock& H = HIMEM;
    const auto natural = [](std::int32_t switch_on, float period, float& restoring, float inertia) {
        if (switch_on != 0 && period > 0.0f) {
            const float w = two_pi_single / period;
            restoring = w * w * inertia;
            return w;
        }
        return restoring > 0.0f && inertia > 0.0f ? std::sqrt(restoring / inertia) : 0.0f;
    };
    H.WP = natural(T.LPTPRD, T.PITPRD, H.PRMT, H.PTCH1);
    H.WH = natural(T.LHVPRD, T.HEVPRD, H.HC, H.HVMAS);
    H.WR = natural(T.LRLPRD, T.ROLPRD, H.RRMT, H.ROL1);
    H.JP = H.JR = H.JH = T.NWP;
    if (T.NWP > 0) {
        if (H.WP != 0.0f)
            H.JP = nearest_grid_point(H.WP);
        if (H.WR != 0.0f)
            H.JR = nearest_grid_point(H.WR);
        if (H.WH != 0.0f)
            H.JH = nearest_grid_point(H.WH);
    }
}

} // namespace

// SEMCHR: see the header.
void SEMCHR() {
    const TpcmBlock& T = TPCM;
    SimcomBlock& S = SIMCOM;
    const float G = WAVCOM.G;
    const bool tlp = tension_leg_or_spar(T.SIMTYP);

    set_effective_hydrostatics(tlp);
    const MassVolume mass = mass_as_volume(tlp);
    set_hull_restoring(tlp, G);

    clear_member_sums();
    MemberSums sums;
    const int NCYL = T.NCYL < simcom_member_capacity ? T.NCYL : simcom_member_capacity;
    for (int ICYL = 1; ICYL <= NCYL; ++ICYL)
        add_member(ICYL, mass.zr, sums);

    warn_no_crossing(tlp);
    const bool dry = finish_estimates(sums);
    notice_waterlines(sums);
    const AddedMassCentres centres = set_added_mass_coefficients(sums, mass.DELTA0);
    check_discrepancy(dry);
    set_rotation_inertias(sums, centres, mass.DELTA0);
    set_natural_frequencies();

    // The quadratic damping coefficients in force units.
    const float scale = T.DWATR * 0.0005f / G;
    S.CQHV *= scale;
    S.CQPT *= scale;
    S.CQRL *= scale;
}

} // namespace lintar
