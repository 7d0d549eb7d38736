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
#include "util/matrix3.h"
#include "util/prompts.h"
#include "util/range_checks.h"

#include <cmath>
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

bool tension_leg(std::int32_t SIMTYP) {
    return SIMTYP == 14 || SIMTYP == 17;
}

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
    WIDTH = DIM[INDEX - 1];
    const std::int32_t second = INDEX % 3 + 1;
    const std::int32_t third = second % 3 + 1;
    const float a = DIM[second - 1];
    const float b = DIM[third - 1];
    LENGTH = a > b ? a : b;
}

// SEMCHR: see the header.
void SEMCHR() {
    TpcmBlock& T = TPCM;
    HimemBlock& H = HIMEM;
    PascomBlock& P = PASCOM;
    SimcomBlock& S = SIMCOM;
    const float G = WAVCOM.G;
    const bool tlp = tension_leg(T.SIMTYP);

    // 1. Effective draft and displacement: a tension-leg hull pulled down by DELTA_DRAFT.
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

    // 2. The mass as a volume and the centre of gravity.
    float DELTA0 = H.DELTA;
    H.EVKG = T.VKG;
    if (tlp) {
        DELTA0 = P.TLPWGHT * 1000.0f / T.DWATR;
        H.EVKG = T.VKG * DELTA0 / H.DELTA;
    } else if (T.LPHANTOM_WGHT == 1) {
        DELTA0 = (H.EDISPL - T.TLP_TENSION) * 1000.0f / T.DWATR;
        H.EVKG = T.VKG * DELTA0 / H.DELTA;
    }
    const float zr = (T.VKG * DELTA0 + H.EVKB * H.DELTA) / (H.DELTA + DELTA0);

    // 3. Hull scales and restoring.
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

    // 4. Accumulators.
    P.CMSRG = P.CMSWY = P.CMYAW = 0.0f;
    P.ACDSG = P.ACDSW = 0.0f;
    P.MENWLX = P.MENWLY = 0.0f;
    P.VTCRRS = P.VTCRPS = 0.0f;
    S.CQRL = S.CQPT = S.CQHV = 0.0f;
    S.NPIERCE = 0;
    T.VOLEST = T.VCBEST = T.XCBEST = T.YCBEST = 0.0f;
    T.AWPEST = T.XWPCTR = T.YWPCTR = T.GMTEST = T.GMLEST = 0.0f;
    V3 surge_moment{}, sway_moment{}, heave_moment{}; // first moments of the added masses
    float surge_mass = 0.0f, sway_mass = 0.0f, heave_mass = 0.0f;
    float roll_inertia = 0.0f, pitch_inertia = 0.0f, yaw_inertia = 0.0f;
    float roll_coupling = 0.0f, yaw_coupling = 0.0f, pitch_coupling = 0.0f;
    float pitch_wp_inertia = 0.0f, roll_wp_inertia = 0.0f;
    float surge_area = 0.0f, sway_area = 0.0f, x_sum = 0.0f, y_sum = 0.0f;

    // 5. The members.
    const int NCYL = T.NCYL < simcom_member_capacity ? T.NCYL : simcom_member_capacity;
    for (int ICYL = 1; ICYL <= NCYL; ++ICYL) {
        // a. The waterline test.
        const float RBASE[3] = {T.RCYLB(1, ICYL), T.RCYLB(2, ICYL), T.RCYLB(3, ICYL)};
        const float RTOP[3] = {T.RCYLT(1, ICYL), T.RCYLT(2, ICYL), T.RCYLT(3, ICYL)};
        float MEMVEC[3], DIR[3], MEMLEN = 0.0f, WETLEN = 0.0f, TILTFC = 1.0f;
        std::int32_t PIERCE = 99;
        // A member of no length has no axis: it is taken as out of the water.
        if (RBASE[0] != RTOP[0] || RBASE[1] != RTOP[1] || RBASE[2] != RTOP[2])
            WPCHEK(RBASE, RTOP, H.EDRAFT, MEMVEC, DIR, MEMLEN, WETLEN, TILTFC, PIERCE);
        // A dry member leaves no stale wetted length or crossing flag from an earlier draft.
        S.LPIERCE(ICYL) = 0;
        S.CYLLEN(ICYL) = 0.0f;
        if (PIERCE == 99)
            continue;
        for (int k = 1; k <= 3; ++k)
            S.DIRVEC(k, ICYL) = DIR[k - 1];

        // b. The wetted length; a crossing member's is lengthened a little so that the member
        // force finds it crossing.
        const bool crossing = PIERCE != 0;
        S.CYLLEN(ICYL) = WETLEN;
        if (crossing) {
            ++S.NPIERCE;
            S.LPIERCE(ICYL) = 1;
            S.CYLLEN(ICYL) = WETLEN * 1.001f;
        }

        // c. The wetted centroid and volume. WETLEN runs from the base to the level; of a
        // member crossing downward (base above the water) the wetted part is the rest.
        const float wet = PIERCE == -1 ? MEMLEN - WETLEN : WETLEN;
        const float dry_start = PIERCE == -1 ? WETLEN : 0.0f;
        const float f = wet / MEMLEN;
        for (int k = 1; k <= 3; ++k)
            S.CYLCG(k, ICYL) = RBASE[k - 1] + (dry_start + wet / 2.0f) / MEMLEN * MEMVEC[k - 1];
        const float x = S.CYLCG(1, ICYL), y = S.CYLCG(2, ICYL), z = S.CYLCG(3, ICYL);
        const float volume = wet * T.XAREA(ICYL);
        T.VOLEST += volume;
        T.VCBEST += volume * z;
        T.XCBEST += volume * x;
        T.YCBEST += volume * y;

        // d. The box of the wetted part: gyration, projected and drag areas per member axis.
        const float D[3] = {T.DIAMS(1, ICYL), T.DIAMS(2, ICYL), T.DIAMS(3, ICYL) * f};
        V3 gyration{}, PRPAR{}, EFFAR{}, EFMOM{};
        for (int a = 1; a <= 3; ++a) {
            const float b = D[a % 3];
            const float c = D[(a + 1) % 3];
            const auto ia = static_cast<std::size_t>(a - 1);
            gyration[ia] = (b * b + c * c) / 12.0f;
            PRPAR[ia] = b * c;
            EFFAR[ia] = T.CYLCD(a, ICYL) * PRPAR[ia];
            float L = 0.0f, W = 0.0f;
            DIMADJ(D, L, W, a);
            EFMOM[ia] = T.CYLCDI(a, ICYL) * W * L * L * L * L;
        }

        // e. Inclination and azimuth, the rotation to member axes and its squares.
        const float THETAM = DIR[2] == 0.0f ? -1.5707964f : -std::acos(DIR[2]);
        const float PHIM = (DIR[0] == 0.0f && DIR[1] == 0.0f) ? 0.0f : -std::atan2(DIR[1], DIR[0]);
        const M3 R = member_rotation(THETAM, PHIM);
        M3 R2{};
        for (std::size_t k = 0; k < 9; ++k)
            R2[k] = R[k] * R[k];

        // f. The waterplane of a crossing member. A member pointing down through the surface
        // has a negative tilt factor; its waterplane is as large as one pointing up.
        if (crossing) {
            const float xw = RBASE[0] + WETLEN * DIR[0];
            const float yw = RBASE[1] + WETLEN * DIR[1];
            const float c = waterplane_coefficient(T.MEMTYP(ICYL));
            const float d1 = T.DIAMS(1, ICYL), d2 = T.DIAMS(2, ICYL);
            const float t = TILTFC;
            const float sp = std::sin(PHIM), cp = std::cos(PHIM);
            const float Iy = d1 * d1 * t * t * c;
            const float Ix = d2 * d2 * c;
            S.MRWPG2(ICYL) = sp * sp * Iy + cp * cp * Ix;
            S.MPWPG2(ICYL) = cp * cp * Iy + sp * sp * Ix;
            const float area = std::abs(t) * T.XAREA(ICYL);
            T.AWPEST += area;
            T.XWPCTR += xw * area;
            T.YWPCTR += yw * area;
            pitch_wp_inertia += (xw * xw + S.MPWPG2(ICYL)) * area;
            roll_wp_inertia += (yw * yw + S.MRWPG2(ICYL)) * area;
        } else {
            S.MRWPG2(ICYL) = 0.0f;
            S.MPWPG2(ICYL) = 0.0f;
        }

        // g. Inertia coefficients, added mass and added inertia in vessel axes.
        const bool drag_only = T.DRAG_ONLY == 1;
        V3 force_diag{}, moment_diag{}, mass_diag{}, inertia_diag{};
        for (std::size_t a = 0; a < 3; ++a) {
            const int ia = static_cast<int>(a) + 1;
            force_diag[a] = drag_only ? 0.0f : 1.0f + T.CYLCM(ia, ICYL);
            moment_diag[a] = drag_only ? 0.0f : 1.0f + T.CYLCMI(ia, ICYL);
            mass_diag[a] = T.CYLCM(ia, ICYL) * volume;
            inertia_diag[a] = T.CYLCMI(ia, ICYL) * gyration[a] * volume;
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

        // h. Added masses, their first moments and the added inertias about the keel origin.
        const V3 centroid{x, y, z};
        surge_mass += at(A, 1, 1);
        sway_mass += at(A, 2, 2);
        heave_mass += at(A, 3, 3);
        for (std::size_t k = 0; k < 3; ++k) {
            surge_moment[k] += at(A, 1, 1) * centroid[k];
            sway_moment[k] += at(A, 2, 2) * centroid[k];
            heave_moment[k] += at(A, 3, 3) * centroid[k];
        }
        roll_inertia += z * z * at(A, 2, 2) + y * y * at(A, 3, 3) + at(J, 1, 1);
        pitch_inertia += z * z * at(A, 1, 1) + x * x * at(A, 3, 3) + at(J, 2, 2);
        yaw_inertia += y * y * at(A, 1, 1) + x * x * at(A, 2, 2) + at(J, 3, 3);
        roll_coupling += at(A, 3, 2) * y - at(A, 2, 2) * z;
        yaw_coupling += at(A, 2, 2) * x - at(A, 1, 2) * y;
        pitch_coupling += at(A, 1, 1) * z - at(A, 3, 1) * x;

        // i. Drag areas in vessel axes, drag per wetted length, quadratic damping. A member
        // wetted over no length (standing on the waterline) has no drag per length.
        V3 E{}, PA{};
        for (int i = 1; i <= 3; ++i)
            for (int a = 1; a <= 3; ++a) {
                E[static_cast<std::size_t>(i - 1)] +=
                    at(R2, a, i) * EFFAR[static_cast<std::size_t>(a - 1)];
                PA[static_cast<std::size_t>(i - 1)] +=
                    at(R2, a, i) * PRPAR[static_cast<std::size_t>(a - 1)];
            }
        S.CQHV += E[2];
        for (int a = 1; a <= 3; ++a)
            S.DRGFCF(a, ICYL) = ratio_or_zero(E[static_cast<std::size_t>(a - 1)], wet);
        const std::int32_t TOPTYP = T.TOPTYP(ICYL);
        if (TOPTYP >= 1 && TOPTYP <= 3)
            S.DRGFCF(TOPTYP, ICYL) = E[static_cast<std::size_t>(TOPTYP - 1)];
        const float dz3 = std::abs(z - zr) * std::abs(z - zr) * std::abs(z - zr);
        S.CQPT += E[2] * std::abs(x) * x * x + E[0] * dz3 + EFMOM[1] / 32.0f;
        S.CQRL += E[2] * std::abs(y) * y * y + E[1] * dz3 + EFMOM[0] / 32.0f;

        // j. Surge and sway drag and the mean waterline widths of the crossing members.
        if (crossing) {
            P.ACDSG += E[0];
            surge_area += PA[0];
            P.ACDSW += E[1];
            sway_area += PA[1];
            const float wx = ratio_or_zero(PA[0], wet);
            const float wy = ratio_or_zero(PA[1], wet);
            P.MENWLX += wx * wx;
            P.MENWLY += wy * wy;
            x_sum += wx;
            y_sum += wy;
        }
    }

    // 6. No member crosses the waterline: said once per run.
    const int EDUNIT = T.EDUNIT;
    if (S.NPIERCE == 0 && !semchr_store.warned_no_crossing) {
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

    // 7. The estimates. A dry hull (no volume) estimates nothing: its estimates stay 0.
    const bool dry = T.VOLEST == 0.0f;
    if (!dry) {
        T.VCBEST /= T.VOLEST;
        T.XCBEST /= T.VOLEST;
        T.YCBEST /= T.VOLEST;
        T.GMTEST = roll_wp_inertia / T.VOLEST + T.VCBEST - H.EVKG;
        T.GMLEST = pitch_wp_inertia / T.VOLEST + T.VCBEST - H.EVKG;
    }
    if (T.AWPEST != 0.0f) {
        T.XWPCTR /= T.AWPEST;
        T.YWPCTR /= T.AWPEST;
    }
    P.MENWLX = ratio_or_zero(P.MENWLX, x_sum > 0.0f ? x_sum : T.LWL);
    P.MENWLY = ratio_or_zero(P.MENWLY, y_sum > 0.0f ? y_sum : T.BWL);

    // 8. The waterline notice, once per run.
    const auto outside = [](float sum, float reference) {
        if (reference <= 0.0f)
            return true;
        const float r = sum / reference;
        return r < 0.8f || r > 1.2f;
    };
    if (S.NPIERCE > 0 && !semchr_store.noticed_waterlines &&
        (outside(x_sum, T.LWL) || outside(y_sum, T.BWL))) {
        semchr_store.noticed_waterlines = true;
        write_record(EDUNIT, " ++> Notice: Summed water-piercing member waterlines differ from "
                             "LWL, BWL...");
        pause_after_warning(false);
    }

    // 9. Drag values, added-mass centres and coefficients, rotation centres.
    P.ACDSG = ratio_or_zero(P.ACDSG, surge_area);
    P.ACDSW = ratio_or_zero(P.ACDSW, sway_area);
    const auto centre = [&](const V3& moment, float mass) {
        return mass > 0.0f ? V3{moment[0] / mass, moment[1] / mass, moment[2] / mass}
                           : V3{0.0f, 0.0f, H.EVKG};
    };
    const V3 surge_centre = centre(surge_moment, surge_mass);
    const V3 sway_centre = centre(sway_moment, sway_mass);
    (void)centre(heave_moment, heave_mass);
    H.CSG = ratio_or_zero(surge_mass, H.DELTA);
    P.CMSRG = H.CSG + 1.0f;
    H.CSW = ratio_or_zero(sway_mass, H.DELTA);
    P.CMSWY = H.CSW + 1.0f;
    H.CYW = ratio_or_zero(yaw_inertia, H.DELTA * T.YGYR * T.YGYR);
    P.CMYAW = H.CYW + 1.0f;
    H.HVMAS = DELTA0 + heave_mass;
    H.SGMAS = DELTA0 + surge_mass;
    H.SWMAS = DELTA0 + sway_mass;
    P.VTCRRS = ratio_or_zero(T.VKG * DELTA0 - roll_coupling, H.SWMAS);
    P.VTCRPS = ratio_or_zero(T.VKG * DELTA0 + pitch_coupling, H.SGMAS);
    H.XCRYW = ratio_or_zero(yaw_coupling, H.SWMAS);
    H.XCRPT = 0.0f;
    H.VTCRR = P.VTCRRS;
    H.VTCRP = P.VTCRPS;

    // 10. The discrepancy block, once per run, unless warnings are off. A dry hull has no
    // estimates to compare.
    if (!semchr_store.checked_discrepancy) {
        semchr_store.checked_discrepancy = true;
        if (T.NOWARN == 0 && !dry) {
            const auto off = [](float estimate, float input) {
                return std::abs(1.0f - estimate / input);
            };
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
                    write_discrepancy(EDUNIT, items[k]);
                    any = true;
                }
            if (any)
                pause_after_warning(false);
        }
    }

    // 11. Inertias about the rotation centres.
    const float zs = surge_centre[2];
    const float zw = sway_centre[2];
    const float xs = sway_centre[0];
    H.PTCH1 =
        ((H.VTCRP - zs) * (H.VTCRP - zs) - zs * zs) * surge_mass +
        (H.XCRPT * H.XCRPT + (H.VTCRP - T.VKG) * (H.VTCRP - T.VKG) + T.PGYR * T.PGYR) * DELTA0 +
        pitch_inertia;
    H.ROL1 =
        ((H.VTCRR - zw) * (H.VTCRR - zw) - zw * zw) * sway_mass +
        (H.XCRPT * H.XCRPT + (H.VTCRR - T.VKG) * (H.VTCRR - T.VKG) + T.RGYR * T.RGYR) * DELTA0 +
        roll_inertia;
    H.YAWI = (H.XCRYW * H.XCRYW - xs * xs) * sway_mass +
             (H.XCRYW * H.XCRYW + T.YGYR * T.YGYR) * DELTA0 + yaw_inertia;
    H.HVM1 = DELTA0;
    H.PTCHI = H.PTCH1;
    H.ROLI = H.ROL1;

    // 12. Natural frequencies: from the restoring and inertia, or the user's period, which then
    // sets the restoring that reproduces it. No restoring or no inertia gives 0.
    const auto natural = [](std::int32_t switch_on, float period, float& restoring, float inertia) {
        if (switch_on != 0 && period > 0.0f) {
            const float w = 6.2831855f / period;
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

    // 13. The quadratic damping coefficients in force units.
    const float scale = T.DWATR * 0.0005f / G;
    S.CQHV *= scale;
    S.CQPT *= scale;
    S.CQRL *= scale;
}

} // namespace lintar
