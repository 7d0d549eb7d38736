// motions/point_motions.cpp: ACCOUT and ACC_HEADER.
#include "motions/point_motions.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "motions/motion_files.h"
#include "motions/rao_report.h"
#include "motions/response_indices.h"
#include "motions/response_statistics.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/algebra.h"
#include "util/angles.h"
#include "util/bessel_gamma.h"
#include "util/internal_error.h"
#include "util/prompts.h"
#include "util/scope_restore.h"
#include "util/table_search.h"
#include "util/unit_labels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <string>
#include <vector>

namespace lintar {

namespace {

using Cx = std::complex<float>;
constexpr Cx CQI(0.0f, 1.0f);
constexpr std::int32_t tension_leg_program = 14;

// The line angles of the points (theta, phi per point) and the heading they were read for; in
// a two-body run the other body's point records of the current heading and its point count.
struct PointMotionStore {
    std::int32_t angles_heading = 0;
    std::vector<std::array<float, 2>> angles;
    std::vector<std::vector<Cx>> other;
    std::int32_t other_points = 0;
};
PointMotionStore store;
const StateReset reset_store{[] { store = PointMotionStore{}; }, StoreKind::analysis};

// The values of one point at one frequency: the tabulated components and the hinge values.
struct PointValues {
    std::array<Cx, 3> shown{};
    std::array<Cx, 3> hinge{};
};

float coordinate(std::span<const float> RRR, int i, int c) {
    return RRR[3 * slot(i) + slot(c)];
}

// The line axes of a point from its angles: the tangent t, the normal n = z x t (0, 1, 0 for a
// vertical tangent) and b = n x t.
struct LineAxes {
    std::array<float, 3> t{}, n{}, b{};
};
LineAxes line_axes(const std::array<float, 2>& angle) {
    LineAxes a;
    RCTNGL(angle[0], angle[1], a.t);
    const std::array<float, 3> ZUNIT{0.0f, 0.0f, 1.0f};
    std::array<float, 3> zt{};
    XPROD(ZUNIT, a.t, zt);
    if (VMOD(zt) == 0.0f)
        a.n = {0.0f, 1.0f, 0.0f};
    else
        UNITIZ(zt, a.n);
    XPROD(a.n, a.t, a.b);
    return a;
}

// The components -(v . b), +(v . n), -(v . t) of a complex vector on the line axes.
std::array<Cx, 3> on_line_axes(const std::array<Cx, 3>& v, const LineAxes& a) {
    const auto dot = [&](const std::array<float, 3>& e) {
        return v[0] * e[0] + v[1] * e[1] + v[2] * e[2];
    };
    return {-dot(a.b), dot(a.n), -dot(a.t)};
}

// The kind's title, as ACC_HEADER writes it.
std::string table_title(bool hinge) {
    if (hinge)
        return "     +++  BALL HINGE RAOS (HA_ves) IN DEG. PER UNIT WAVE AMP. (S.A./S.A.) +++";
    const std::string unit = std::string(CAPUN(TPCM.NUNTS + 2)).substr(0, 2);
    const std::string ending = " PER UNIT WAVE AMP. (S.A./S.A.)  +++";
    switch (HIMEM.LFRFLG) {
    case 2:
        return "     +++  ACCELERATION RAOS IN " + unit + "/SEC**2" + ending;
    case 3:
        return "         +++  VELOCITY RAOS IN " + unit + "/SEC" + ending;
    default:
        return std::string("        ") +
               (TPCM.LGAP != 0 ? "+++ RELATIVE MOTION RAOS IN " : "+++   DISPLACEMENT RAOS IN  ") +
               unit + ending;
    }
}

// The table rows of a group: per frequency the period and, per point, amplitude and phase of
// its three components (degrees for the hinge values).
void table_rows(const std::vector<std::vector<PointValues>>& values,
                const std::vector<float>& periods, bool hinge) {
    for (std::size_t f = 0; f < periods.size(); ++f) {
        std::string row = " " + F(periods[f], 6, 2);
        for (const PointValues& pv : values[f]) {
            for (const Cx& c : hinge ? pv.hinge : pv.shown) {
                const float amp = std::abs(c) * (hinge ? degrees_per_radian : 1.0f);
                row += F(amp, 7, 3) + "/" + I(std::lround(PHASE(c)), 4);
            }
        }
        write_record(TPCM.IUNIT, row);
    }
    if (TPCM.IUNIT == TPCM.EDUNIT)
        PRSRET(TPCM.EDUNIT, keyboard_unit, TPCM.LBACK);
}

// |value|^2 of the group's responses from LBASEX, at the wave frequencies: a moving vessel's
// values belong to the encounter frequencies and are interpolated onto the wave frequencies.
void store_squared_moduli(const std::vector<std::vector<PointValues>>& values,
                          const std::vector<float>& omega, const std::vector<float>& omega_e,
                          bool hinge) {
    HimemBlock& H = HIMEM;
    const int NWP = TPCM.NWP;
    const bool moving = TPCM.VFWD != 0.0f;
    const std::size_t points = values.empty() ? 0 : values[0].size();
    for (std::size_t p = 0; p < points; ++p) {
        for (std::size_t c = 0; c < 3; ++c) {
            std::vector<Cx> column(static_cast<std::size_t>(NWP));
            for (std::size_t f = 0; f < column.size(); ++f)
                column[f] = hinge ? values[f][p].hinge[c] : values[f][p].shown[c];
            const std::int32_t first = H.LBASEX + static_cast<std::int32_t>(p * 3 + c) * H.NARRAY;
            for (int IW = 1; IW <= NWP; ++IW) {
                Cx v = column[slot(IW)];
                if (moving) {
                    std::int32_t IER = 0;
                    std::int32_t MIN = 1;
                    const float w = omega[slot(IW)];
                    BSRCH(omega_e, w, IER, MIN, NWP);
                    CINTRP(omega_e, column, w, v, MIN);
                }
                H.RLDUM(first + IW - 1) = ABS2(v);
            }
        }
    }
}

// The other body's record of its point j at grid point IW. Its file holds the records in the
// order its own run computed them: by groups of two points, per frequency, per point.
const std::vector<Cx>& other_body_record(std::int32_t j, int IW) {
    if (j > store.other_points)
        internal_error_stop(TPCM.EDUNIT, {" No motions of the other body held for the point "
                                          "motions; contact Kelbrin."});
    const auto NWP = static_cast<std::size_t>(TPCM.NWP);
    const std::int32_t first = j % 2 == 0 ? j - 1 : j;
    const std::int32_t ncol = std::min(first + 1, store.other_points) - first + 1;
    const std::size_t index = slot(first) * NWP + slot(IW) * static_cast<std::size_t>(ncol) +
                              static_cast<std::size_t>(j - first);
    return store.other[index];
}

} // namespace

bool hold_other_body_block(const HeadingBlock& block, std::int32_t needed) {
    store.other.clear();
    store.other_points = 0;
    if (needed <= 0)
        return true;
    const auto NWP = static_cast<std::size_t>(TPCM.NWP);
    const std::size_t n = block.points.size();
    if (!block.setup || NWP == 0 || n % NWP != 0 || n / NWP < static_cast<std::size_t>(needed))
        return false;
    for (const auto& r : block.points)
        if (r.size() != 9)
            return false;
    store.other = block.points;
    store.other_points = static_cast<std::int32_t>(n / NWP);
    return true;
}

void begin_point_motion_run() {
    store = PointMotionStore{};
}

// ACC_HEADER: see the header.
void ACC_HEADER(std::span<const float> RRR, std::int32_t IMIN, std::int32_t IMAX, bool HINGE_PASS) {
    const TpcmBlock& P = TPCM;
    const int IUNIT = P.IUNIT;
    HEADR2(false);
    if (P.AUXVSH != 0)
        write_record(IUNIT, " >>> NOTE:  The following RAO data are USER-SUPPLIED");
    if (P.ISPM > 1) {
        if (P.TRIMDG != 0.0f || P.HEELDG != 0.0f) {
            write_record(IUNIT,
                         " >>> Note: Coordinates are relative to an earth-vertical global system "
                         "with");
            write_record(IUNIT,
                         "     origin at keel level below the plan-view waterplane centroid of "
                         "the");
            write_record(IUNIT,
                         "     untrimmed vessel. Vectorial motion components are in a rotated "
                         "r.h.");
            write_record(IUNIT,
                         "     system with (x,z) in plane of line, z upwards along line tangent.");
        } else {
            write_record(IUNIT, " >>> Notes: Coordinates in the vessel system.");
            write_record(IUNIT, "     Vectorial components along rotated axes comprising:");
            write_record(IUNIT, "     Origin at the fairlead;");
            write_record(IUNIT, "     (x,z) in the (vertical) line plane;");
            write_record(IUNIT, "     z points away from the anchor along the line tangent;");
            write_record(IUNIT, "     [x,y] orientations set by z (and the right hand rule).");
        }
    }
    write_record(IUNIT, table_title(HINGE_PASS));
    write_record(IUNIT, "");
    write_record(IUNIT, "");
    std::string boxes;
    std::string coords;
    std::string comps = "  WAVE";
    std::string periods = "PERIOD";
    for (std::int32_t i = IMIN; i <= IMAX; ++i) {
        boxes += std::string(i == IMIN ? 10 : 7, ' ') + "----     COORDINATES     ----";
        coords += std::string(i == IMIN ? 12 : 11, ' ') + "(" + F(coordinate(RRR, i, 1), 7, 1) +
                  "," + F(coordinate(RRR, i, 2), 7, 1) + "," + F(coordinate(RRR, i, 3), 7, 1) + ")";
        comps += "   X COMP      Y COMP      Z COMP";
        periods += "    AM/PHASE    AM/PHASE    AM/PHASE";
    }
    write_record(IUNIT, boxes);
    write_record(IUNIT, coords);
    write_record(IUNIT, comps);
    write_record(IUNIT, periods);
    write_record(IUNIT, " (SEC)");
    write_record(IUNIT, "");
    write_record(IUNIT, "");
}

// ACCOUT: see the header.
void ACCOUT(std::int32_t NNN, std::span<const float> RRR) {
    TpcmBlock& P = TPCM;
    WavcomBlock& W = WAVCOM;
    HimemBlock& H = HIMEM;
    const std::int32_t IRAO = W.IRAO;
    const bool displacement = H.LFRFLG == 4;
    const bool line_axes_on = P.ISPM >= 2;
    const bool two_body = P.ISPM == 3;

    // Heading set-up.
    const float beta = H.REDANG(IRAO) / degrees_per_radian;
    const float VCOMP = P.VFWD * std::cos((H.REDANG(IRAO) - P.VGLDIR) / degrees_per_radian);
    const std::int32_t ISWLFG = IRAO == W.ISWELL ? 1 : 0;
    const std::int32_t ISWLFG2 = IRAO == W.ISWEL2 ? 1 : 0;
    std::int32_t IRANFG = 0;
    if (W.LEXP == 0) {
        IRANFG = IRAO == H.IRAN(1) ? 1 : 0;
    } else {
        for (std::int32_t j = 1; j <= P.NA + 1; ++j)
            if (H.INTGFL(j, 1) == IRAO)
                IRANFG = 1;
    }
    // One "LINEANG" block per heading, read by the first call of the heading: the acceleration
    // and velocity calls run before the displacement call and resolve on the same angles.
    if (line_axes_on && store.angles_heading != IRAO) {
        MotionFileReader angles(line_angle_unit, std::string(line_angle_file), "ACCOUT", P.EDUNIT);
        store.angles = angles.line_angle_block(NNN);
        store.angles_heading = IRAO;
    }
    const bool file_records = displacement && P.ISPM != 0;
    if (file_records)
        write_heading_setup(motion_file_unit, W.NRAO, ISWLFG, ISWLFG2, IRANFG, beta);

    const bool reported = P.NEGSUM == 0 && (P.ALLRAO != 0 || (H.LRAO(IRAO) != 0 && P.LODRAO != 0));
    const int NWP = P.NWP;
    std::vector<float> omega(static_cast<std::size_t>(NWP));
    std::vector<float> omega_e(static_cast<std::size_t>(NWP));
    std::vector<float> periods(static_cast<std::size_t>(NWP));
    for (std::int32_t IREP = 1; IREP <= (NNN + 1) / 2; ++IREP) {
        const std::int32_t i1 = 2 * IREP - 1;
        const std::int32_t i2 = std::min(2 * IREP, NNN);
        H.NCOL = i2 - i1 + 1;
        std::vector<std::vector<PointValues>> values(static_cast<std::size_t>(NWP));
        for (int IW = 1; IW <= NWP; ++IW) {
            H.IW = IW;
            INDXUP();
            const auto f = slot(IW);
            const float w = H.RLDUM(H.LW);
            const float k = H.RLDUM(H.LWK);
            const float we = P.VFWD != 0.0f ? w - k * VCOMP : w;
            omega[f] = w;
            omega_e[f] = we;
            periods[f] = two_pi_single / we;
            const Cx S = H.CRLDUM(H.LSG).get();
            const Cx Wr = H.CRLDUM(H.LSW).get();
            const Cx Hv = H.CRLDUM(H.LHV).get();
            const Cx R = H.CRLDUM(H.LRL).get();
            const Cx Pt = H.CRLDUM(H.LPT).get();
            const Cx Y = H.CRLDUM(H.LYA).get();
            // The phase of the waves at this body's end relative to the other body's.
            const Cx separation_phase = std::exp(CQI * (k * P.CNTSEP * std::cos(beta)));
            for (std::int32_t i = i1; i <= i2; ++i) {
                if (two_body && i % 2 == 0) {
                    // The second point of the pair is the other body's end: its values as its
                    // own run wrote them, the motions turned to the kind of this call.
                    const std::vector<Cx>& o = other_body_record(IREP, IW);
                    const Cx kind = H.LFRFLG == 3   ? CQI * we
                                    : H.LFRFLG == 2 ? Cx(we * we, 0.0f)
                                                    : Cx(1.0f, 0.0f);
                    PointValues pv;
                    pv.shown = {kind * o[0], kind * o[1], kind * o[2]};
                    pv.hinge = {o[6], o[7], o[8]};
                    if (file_records) {
                        const Cx rec[] = {pv.shown[0], pv.shown[1], pv.shown[2], o[3], o[4],
                                          o[5],        o[6],        o[7],        o[8]};
                        write_point_record(motion_file_unit, rec);
                    }
                    values[f].push_back(pv);
                    continue;
                }
                const float x = coordinate(RRR, i, 1);
                const float y = coordinate(RRR, i, 2);
                const float z = coordinate(RRR, i, 3);
                // Small rotations: pitch about the height VTCRP, roll about VTCRR.
                Cx X = S + (z - H.VTCRP) * Pt - y * Y;
                Cx Yp = Wr + x * Y - (z - H.VTCRR) * R;
                Cx Z = Hv + y * R - x * Pt;
                if (P.LGAP != 0) {
                    // Relative to the wave surface (and its orbital motion below it).
                    const float A = k * W.G / (we * we);
                    const float D = P.LGAP == 2 && z < P.DRAFT ? std::exp((z - P.DRAFT) * k) : 1.0f;
                    const Cx E = std::exp(-CQI * (k * (x * std::cos(beta) + y * std::sin(beta))));
                    X += CQI * A * D * E * std::cos(beta);
                    Yp += CQI * A * D * E * std::sin(beta);
                    Z -= D * E;
                }
                if (H.LFRFLG == 3) {
                    X *= CQI * we;
                    Yp *= CQI * we;
                    Z *= CQI * we;
                } else if (H.LFRFLG == 2) {
                    // With the gravity components of the tilt.
                    X = we * we * X + W.G * Pt;
                    Yp = we * we * Yp - W.G * R;
                    Z = we * we * Z;
                }
                PointValues pv;
                pv.shown = {X, Yp, Z};
                if (P.ISPM == 1 && file_records) {
                    const Cx rec[] = {X, Yp, Z, R, Y, Pt};
                    write_point_record(motion_file_unit, rec);
                }
                if (line_axes_on) {
                    const LineAxes a = line_axes(store.angles[slot(i)]);
                    pv.shown = on_line_axes({X, Yp, Z}, a);
                    pv.hinge = on_line_axes({R, Pt, Y}, a);
                    // The tension-leg program takes the tangent component from the rotation of
                    // the vessel, as it stands (the hinge's tangent component), in every kind.
                    if (P.SIMTYP == tension_leg_program)
                        pv.shown[2] = pv.hinge[2];
                    if (two_body)
                        for (Cx& c : pv.shown)
                            c *= separation_phase;
                    if (file_records) {
                        const Cx rec[] = {pv.shown[0], pv.shown[1], pv.shown[2], R,          Y,
                                          Pt,          pv.hinge[0], pv.hinge[1], pv.hinge[2]};
                        write_point_record(motion_file_unit, rec);
                    }
                }
                values[f].push_back(pv);
            }
        }
        H.IREP = IREP;
        H.LBASEX = H.LACRAO;
        if (reported) {
            ACC_HEADER(RRR, i1, i2, false);
            table_rows(values, periods, false);
        }
        store_squared_moduli(values, omega, omega_e, false);
        if (H.LSKIP == 0)
            STAT1();
        if (line_axes_on) {
            if (reported) {
                ACC_HEADER(RRR, i1, i2, true);
                table_rows(values, periods, true);
            }
            H.LBASEX = H.LACRAO + 3 * H.NCOL * H.NARRAY;
            store_squared_moduli(values, omega, omega_e, true);
            // The hinge rotations are the same on every call of the heading: their statistics
            // are added once, on the displacement call, into their own slots.
            if (displacement && H.LSKIP == 0) {
                const ScopeRestore keep_locsig(H.LOCSIG);
                H.LOCSIG = H.LCNHNG;
                STAT1();
            }
        }
    }
}

} // namespace lintar
