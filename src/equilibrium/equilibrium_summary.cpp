// equilibrium/equilibrium_summary.cpp: the equilibrium summary report.
#include "equilibrium/equilibrium_summary.h"

#include "blocks/equilb.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "environment/net_environment.h"
#include "equilibrium/equilibrium_geometry.h"
#include "lines/mean_line_state.h"
#include "lines/table_messages.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/matrix3.h"
#include "util/prompts.h"
#include "util/unit_labels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace lintar {

namespace {

inline constexpr int line_types = 150;
constexpr float DEGRAD = degrees_per_radian;

// ANCMON: the line types whose table has been reported as not monotonic in this run.
struct EqloutStore {
    std::array<bool, line_types> ANCMON{};
};
EqloutStore eqlout_store;
const StateReset reset_eqlout{[] { eqlout_store = EqloutStore{}; }, StoreKind::analysis};

std::size_t slot(int i) {
    return static_cast<std::size_t>(i - 1);
}

// Lines at this distance from their anchor or closer hang without horizontal tension.
inline constexpr float slack_distance = 0.1f;

using Vec3 = Vector3<float>;

// The non-monotonic table of line type t: an empty line, the message and the abort prompt on
// EDUNIT, once per type.
void report_non_monotonic(int t) {
    if (eqlout_store.ANCMON[slot(t)])
        return;
    eqlout_store.ANCMON[slot(t)] = true;
    write_record(TPCM.EDUNIT, "");
    write_record(TPCM.EDUNIT,
                 " ++> Non-monotonic array detected in line type " + I(t, 3) + "; contact Kelbrin");
    non_monotonic_prompt(TPCM.EDUNIT);
}

// The plan-view angle of (x, y) in degrees; 0 for a zero pair.
float plan_angle(float x, float y) {
    if (x == 0.0f && y == 0.0f)
        return 0.0f;
    return std::atan2(y, x) * DEGRAD;
}

// (x, y) seen from axes turned by `angle`.
Vec3 turned(float x, float y, float z, float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return {x * c + y * s, y * c - x * s, z};
}

// (x, y) of axes turned by `angle` seen from the unturned axes.
Vec3 turned_back(float x, float y, float z, float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return {x * c - y * s, y * c + x * s, z};
}

// A row of the report: its label from column 5, its values from `column` on, 14 wide with two
// decimals.
void write_row(int unit, std::string_view label, int column, std::initializer_list<float> values) {
    Record r;
    r.T(5) << label;
    r.T(column);
    for (const float v : values)
        r << F(v, 14, 2);
    write_record(unit, r.text());
}

// The slopes of the force-offset curves: X and Y in three columns, the yaw stiffness of the
// mooring and of the environment, per degree.
struct Slopes {
    std::array<float, 3> X{}, Y{};
    float Mz_mooring = 0.0f, Mz_environment = 0.0f;
};

Slopes find_slopes(const MooringLines& lines, std::int32_t IEQTYP, float G,
                   const YawMomentFunction& yaw_moment) {
    const bool ENVRON = IEQTYP == 2;
    const bool SPMFLG = TPCM.LSPM != 0 && TPCM.LOCK_TRT == 0;
    const auto spring = [&](float DELX, float DELY, float DELANG, bool environment) {
        return SPRING(DELX, DELY, DELANG, lines.MINLN, lines.MAXLN, environment, SPMFLG,
                      yaw_moment);
    };
    const float VESANG = EQUILB.VESANG();
    Slopes s;
    s.X[0] = 10.0f * spring(0.1f, 0.0f, 0.0f, ENVRON).DFXTMP;
    s.Y[0] = 10.0f * spring(0.0f, 0.1f, 0.0f, ENVRON).DFYTMP;
    s.Mz_mooring = 20.0f * spring(0.0f, 0.0f, 0.05f, false).DTZTMP / DEGRAD;
    if (ENVRON)
        s.Mz_environment = (yaw_moment(VESANG) - yaw_moment(VESANG + 0.05f)) * 20.0f / DEGRAD;
    // Columns 2 and 3: the size of the force change for a step along and across the angle.
    const auto along = [&](float angle, std::size_t col) {
        const float c = std::cos(angle);
        const float sn = std::sin(angle);
        const SpringColumn x = spring(0.1f * c, 0.1f * sn, 0.0f, ENVRON);
        s.X[col] = 10.0f * std::sqrt(x.DFXTMP * x.DFXTMP + x.DFYTMP * x.DFYTMP);
        const SpringColumn y = spring(0.1f * sn, 0.1f * c, 0.0f, ENVRON);
        s.Y[col] = 10.0f * std::sqrt(y.DFXTMP * y.DFXTMP + y.DFYTMP * y.DFYTMP);
    };
    along(VESANG, 1);
    along(VESANG - G, 2);
    return s;
}

// One line's row of the table.
struct LineRow {
    float TTEN = 0.0f, BTEN = 0.0f, HMEAN = 0.0f, RANC = 0.0f, BLEN = 0.0f;
    float TANG = 0.0f, plan = 0.0f;
};

} // namespace

void EQLOUT(const LineTables& tables, const MooringLines& lines, std::span<const float> ZANC,
            const EquilibriumSummary& state, float& TEND_F_RZ, float& NET_TNDN_FRC,
            std::int32_t& MRWRNS, const YawMomentFunction& yaw_moment) {
    const YawMomentFunction environment =
        yaw_moment ? yaw_moment : YawMomentFunction([](float heading) { return TORQUE(heading); });
    const std::int32_t IEQTYP = state.IEQTYP;
    const std::int32_t EQFAIL = state.EQFAIL;
    const std::int32_t SIMTYP = TPCM.SIMTYP;

    // Preparation 1: the reference point's name and the mean-offset axes, which point against
    // the displacement.
    const std::string_view reference = TPCM.LSPM != 0 ? "mooring centroid" : "vessel  centroid";
    const float G = REDRAD(std::atan2(state.YERR, state.XERR) + pi_single);

    // Preparation 2: the trim and heel rotation.
    const bool trim_heel = TPCM.TRIMDG != 0.0f || TPCM.HEELDG != 0.0f;
    const Mat3 R = trim_heel_rotation(TPCM.TRIMDG, TPCM.HEELDG);

    // Preparation 3: the slopes.
    const Slopes slopes = find_slopes(lines, IEQTYP, G, environment);
    const float Mz_total = slopes.Mz_mooring + slopes.Mz_environment;

    // Preparation 4: the load in the global, vessel and mean-offset systems.
    const float FINANG = state.FINANG;
    const Vec3 Fg = {state.FXNET, state.FYNET, state.FZNET};
    Vec3 Fv = turned(state.FXNET, state.FYNET, state.FZNET, FINANG);
    Vec3 Fo = turned(state.FXNET, state.FYNET, state.FZNET, G);
    const Vec3 Mv = {state.TXNET, state.TYNET, state.TZNET};
    Vec3 Mg = turned_back(state.TXNET, state.TYNET, state.TZNET, FINANG);
    Vec3 Mo = turned_back(state.TXNET, state.TYNET, state.TZNET, G);
    if (trim_heel) {
        Fv = times_t(R, Fv);
        Fo = times_t(R, Fo);
        Mg = times_t(R, Mg);
        Mo = times_t(R, Mo);
    }
    const float plan_force = std::sqrt(state.FXNET * state.FXNET + state.FYNET * state.FYNET);

    // Preparation 5: the displacement in the three systems.
    const Vec3 Dg = {state.XERR, state.YERR, state.ZERR};
    const Vec3 Dv = turned(state.XERR, state.YERR, 0.0f, FINANG);
    const Vec3 Do = turned(state.XERR, state.YERR, 0.0f, G);
    const float heel = state.ROLOFF * DEGRAD;
    const float trim = state.PITOFF * DEGRAD;
    const auto heel_trim = [&](float angle) {
        return std::array<float, 2>{heel * std::cos(angle) - trim * std::sin(angle),
                                    trim * std::cos(angle) + heel * std::sin(angle)};
    };
    const std::array<float, 2> HTg = heel_trim(FINANG);
    const std::array<float, 2> HTo = heel_trim(FINANG - G);
    const float plan_offset = std::sqrt(state.XERR * state.XERR + state.YERR * state.YERR);

    const bool print = state.LPRINT != 0;
    const int IUNIT = TPCM.IUNIT;
    const std::string force_unit = A(UNITS(0 + TPCM.NUNTS), 5);
    const std::string length_unit = A(UNITS(7 + TPCM.NUNTS), 2);
    const std::string moment_unit = A(UNITS(21 + TPCM.NUNTS), 5);
    const bool buoy_codes = SIMTYP == 13 || SIMTYP == 8;
    const bool two_body = buoy_codes && TPCM.IARCO == 1;
    const bool three_columns = IEQTYP == 2;
    const int values_at = three_columns ? 34 : 48;

    if (print) {
        // Report 1-3: the page and the banner.
        PAGE(IUNIT, TPCM.EDUNIT, 1, 99);
        const std::string frame = "  **" + std::string(72, ' ') + "**";
        write_record(IUNIT, frame);
        if (IEQTYP == 2)
            write_record(IUNIT, std::string("  ***************  IIb.  Full-Environment Equilibrium "
                                            "Summary") +
                                    "  ***************");
        else
            write_record(IUNIT, std::string("  ******************  IIa.  Quiescent Equilibrium "
                                            "Summary") +
                                    "  *******************");
        if (!two_body)
            write_record(IUNIT, frame);
        else if (lines.MINLN == 1)
            write_record(IUNIT, "  **" + std::string(31, ' ') + " (Buoy Data) " +
                                    std::string(28, ' ') + "**");
        else
            write_record(IUNIT, std::string("  **         (Tanker Data; Offsets Relative ") +
                                    "to Buoy Attachment Point)       **");
        write_record(IUNIT, "");

        // Report 4: the condition.
        if (IEQTYP == 0 && (EQFAIL == 0 || EQFAIL == 1)) {
            write_record(IUNIT, " ++> User-specified still-water conditions produced the");
            write_record(IUNIT, "     following net mooring force and moment components:");
            write_record(IUNIT, "");
        } else if (EQFAIL == 0) {
            write_record(IUNIT, std::string(" ++> Specified environmental conditions, applied "
                                            "forces and ") +
                                    "moments");
            write_record(IUNIT, std::string("     produced the following net mooring force and ") +
                                    "moment components:");
            write_record(IUNIT, "");
        } else if (EQFAIL == 1) {
            write_record(IUNIT, std::string(" ++> WARNING: User-specified initial conditions did "
                                            "*not*") +
                                    " produce a stable");
            write_record(IUNIT, std::string("     equilibrium in calm conditions,") +
                                    " but produced the net mooring forces and");
            write_record(IUNIT, std::string("     moments noted above; a nearby ") +
                                    "equilibrium was found with properties:");
            write_record(IUNIT, "");
        }
        // Our addition: an estimate the user accepted without convergence says so, so that
        // no one reads it as an equilibrium.
        if (state.not_converged) {
            write_record(IUNIT, " ++> Warning: the equilibrium search did not converge; the "
                                "values below are");
            write_record(IUNIT, "     the estimate accepted at the prompt.");
            write_record(IUNIT, "");
        }

        // Report 5: the force block.
        const std::string vessel_label = A(trim_heel ? " (Deck Vert.)  " : "(Earth Vert.)", 13);
        if (three_columns) {
            write_record(IUNIT, starting_at(40, "Global Sys.    Vessel Sys.  Mean Offset Sys."));
            write_record(IUNIT,
                         starting_at(39, "(Earth Vert.)  " + vessel_label + "  (Earth Vert.)"));
        } else {
            write_record(IUNIT, starting_at(53, "Global Sys.    Vessel Sys."));
            write_record(IUNIT, starting_at(51, "(Earth Vert.)   " + vessel_label));
        }
        write_record(IUNIT, "");
        const auto row = [&](std::string_view label, float global, float vessel, float offset) {
            if (three_columns)
                write_row(IUNIT, label, values_at, {global, vessel, offset});
            else
                write_row(IUNIT, label, values_at, {global, vessel});
        };
        row("X Mooring Force (" + force_unit + ")", Fg[0], Fv[0], Fo[0]);
        row("Y Mooring Force (" + force_unit + ")", Fg[1], Fv[1], Fo[1]);
        row("Z Mooring Force (" + force_unit + ")", Fg[2], Fv[2], Fo[2]);
        write_record(IUNIT, "");
        row("Total Plan View Force (" + force_unit + ")", plan_force, plan_force, plan_force);
        row("Plan View Force Angle (deg)", plan_angle(Fg[0], Fg[1]), plan_angle(Fv[0], Fv[1]),
            plan_angle(Fo[0], Fo[1]));

        // Report 6: the moments and their reference point.
        write_record(IUNIT, std::string("   --->    Mooring moments are reported about ") +
                                "Vessel coordinate:    <---");
        write_record(IUNIT, "             (Vx,Vy,Vz) = (" + PE(state.XMCTRL, 1, 10, 3) + "," +
                                PE(state.YMCTRL, 1, 10, 3) + "," + PE(state.ZMCTRL, 1, 10, 3) +
                                ")");
        row("X Mooring Moment (" + moment_unit + ")", Mg[0], Mv[0], Mo[0]);
        row("Y Mooring Moment (" + moment_unit + ")", Mg[1], Mv[1], Mo[1]);
        row("Z Mooring Moment (" + moment_unit + ")", Mg[2], Mv[2], Mo[2]);

        // Report 7 and 8: the displacement, left out for a still-water state as entered.
        const bool displacement = !(IEQTYP == 0 && (EQFAIL == 0 || EQFAIL == 1));
        if (displacement) {
            if (IEQTYP != 0 && EQFAIL == 1) {
                write_record(IUNIT, " ++> Resulting global " + std::string(reference) +
                                        " displacement from " + "user-specified");
                write_record(IUNIT, "     still-water condition to computed equilibrium position:");
            } else if (IEQTYP != 0 && EQFAIL == 0) {
                write_record(IUNIT, std::string(" ++> Specified environmental conditions, "
                                                "applied forces and ") +
                                        "moments produced");
                write_record(IUNIT, "     the following global quasi-static " +
                                        std::string(reference) + " displacements:");
            }
            write_record(IUNIT, starting_at(40, std::string("Global Sys.   Vessel Sys.") +
                                                    "  Mean Offset Sys."));
            const auto row3 = [&](std::string_view label, float a, float b, float c) {
                write_row(IUNIT, label, 34, {a, b, c});
            };
            row3("X Displacement (" + length_unit + ")", Dg[0], Dv[0], Do[0]);
            row3("Y Displacement (" + length_unit + ")", Dg[1], Dv[1], Do[1]);
            row3("Z Displacement (" + length_unit + ")", Dg[2], Dv[2], Do[2]);
            write_record(IUNIT, "");
            row3("Total Plan View Offset (" + length_unit + ")", plan_offset, plan_offset,
                 plan_offset);
            row3("Plan View Offset Angle (deg)", plan_angle(Dg[0], Dg[1]), plan_angle(Dv[0], Dv[1]),
                 plan_angle(Do[0], Do[1]));
            if (six_dof_lines(SIMTYP, TPCM.LEGTLP)) {
                row3("Heel Displacement  (deg)", HTg[0], heel, HTo[0]);
                row3("Trim Displacement  (deg)", HTg[1], trim, HTo[1]);
            }
            const float yaw = state.ANGERR * DEGRAD;
            row3("Yaw  Displacement  (deg)", yaw, yaw, yaw);
            row3("Vessel Orientation (deg)", DEGSYM(FINANG * DEGRAD), 0.0f,
                 DEGSYM((FINANG - G) * DEGRAD));
            if (SIMTYP == 15 || (SIMTYP == 8 && TPCM.LSPM != 0)) {
                row3("Turret Rotation (deg)", state.TRTERR * DEGRAD,
                     (state.TRTERR - state.ANGERR) * DEGRAD, state.TRTERR * DEGRAD);
                row3("Turret Orientation (deg)", DEGSYM(state.TRTANG * DEGRAD),
                     DEGSYM((state.TRTANG - FINANG) * DEGRAD), DEGSYM((state.TRTANG - G) * DEGRAD));
            }
        }

        // Report 9: the slopes.
        write_record(IUNIT, "");
        Record slope_heading;
        slope_heading << " ++> Force-offset curve slopes:";
        slope_heading.T(40) << "Global Sys.    Vessel Sys.  Mean Offset Sys.";
        write_record(IUNIT, slope_heading.text());
        write_record(IUNIT, "");
        const std::string per = force_unit + "/" + length_unit;
        write_row(IUNIT, "X  (" + per + "; Mooring)", 34, {slopes.X[0], slopes.X[1], slopes.X[2]});
        write_row(IUNIT, "Y  (" + per + "; Mooring)", 34, {slopes.Y[0], slopes.Y[1], slopes.Y[2]});
        write_record(IUNIT, "");
        write_record(IUNIT, " ++> Z-Moment (about mooring centroid) versus yaw");
        write_record(IUNIT, "");
        const std::string per_degree = "Mz (" + moment_unit + "/" + "deg";
        write_row(IUNIT, per_degree + "; Mooring)", 34, {slopes.Mz_mooring});
        write_row(IUNIT, per_degree + "; Environment)", 34, {slopes.Mz_environment});
        write_row(IUNIT, per_degree + "; Total)", 34, {Mz_total});

        // Report 10: the line conditions' title, 70 wide.
        std::string title = IEQTYP == 0   ? ">>> User-specified still-water line conditions"
                            : IEQTYP == 1 ? ">>> Simulation-estimated still-water line conditions"
                                          : ">>> Estimated mean line conditions in specified "
                                            "environment";
        title.resize(70, ' ');
        write_record(IUNIT, "");
        write_record(IUNIT, " " + title);

        // Report 11: the line table's heading, its end labels by arrangement.
        std::string_view end_label = "Fairlead";
        std::string_view end_pair = "Top    Anchor";
        if (SIMTYP == 10) {
            end_label = " Tug-end";
            end_pair = "Tug     Barge";
        } else if (two_body) {
            end_label = "Buoy-end";
            end_pair = lines.MINLN == 1 ? "Buoy   Anchor" : "Buoy   Tanker";
        }
        write_record(IUNIT, "");
        write_record(IUNIT, std::string(64, ' ') + std::string(end_label));
        write_record(IUNIT, std::string("   Line   - Total Tension -  Horizontal") +
                                "  Endpoint   Bottom     Line Angle  ");
        write_record(IUNIT, "  #/Type       (" + force_unit + ")        Tension   " +
                                "Separation  Length    Plan   Profile");
        write_record(IUNIT, " " + std::string(11, ' ') + A(end_pair, 13) + "     (" + force_unit +
                                ")      (" + length_unit + ")      (" + length_unit +
                                ")        (deg)");
        write_record(IUNIT, "");
    }

    // The line rows, formed whether or not they are printed.
    const bool sums = EQFAIL == 0 || (EQFAIL == 1 && IEQTYP == 1);
    if (sums) {
        NET_TNDN_FRC = 0.0f;
        TEND_F_RZ = 0.0f;
    }
    const bool six_dof = six_dof_lines(SIMTYP, TPCM.LEGTLP);
    for (int i = lines.MINLN; i <= lines.MAXLN; ++i) {
        const std::int32_t LINEID = lines.LINEID[slot(i)];
        const int t = LINEID % 1024;
        LineRow row;
        // A line without a type to read has no state: it shows as a skipped line.
        if (LINEID <= 1024 && t >= 1 && t <= line_types) {
            const float RANC = lines.RANC[slot(i)];
            check_line_distance(tables, i, t, RANC, slack_distance, MRWRNS, report_non_monotonic);
            const MeanLineState m =
                mean_line_state(tables, lines, i, t, RANC, ZANC[slot(i)], slack_distance, six_dof);
            if (state.GETNODE != 0 && m.HMEAN > 0.0f) {
                // The solve writes the nodes; the row keeps the tables' values.
                float TANG = m.TANG, TTEN = m.TTEN, BTEN = m.BTEN, FGZTMP = m.FGZTMP;
                float BANG = m.BANG;
                const float DZTOT = m.from_loadup ? m.DELZ : OUTCOM.DZTOTL(i, 4, 1);
                const LineNodes nodes{OUTCOM.NODE_T_nodes(i, 4, 1), OUTCOM.TMEANI_nodes(i, 4, 1),
                                      OUTCOM.NODE_X_nodes(i, 4, 1), OUTCOM.NODE_Y_nodes(i, 4, 1),
                                      OUTCOM.NODE_Z_nodes(i, 4, 1)};
                NODE_EVAL2(t, i, DZTOT, m.HMEAN, TANG, m.layer, TTEN, BTEN, FGZTMP, BANG, 0.0f,
                           nodes);
            }
            row.TTEN = m.TTEN;
            row.BTEN = std::max(m.BTEN - m.FTEN, 0.0f);
            row.HMEAN = m.HMEAN;
            row.RANC = RANC;
            row.BLEN = m.BLEN;
            row.plan = REDDEG(lines.ANGDEP[slot(i)]);
            row.TANG = m.TANG;
        }
        if (sums) {
            const float vertical = row.TTEN * std::sin(row.TANG);
            NET_TNDN_FRC += vertical;
            TEND_F_RZ += lines.RFL[static_cast<std::size_t>(3 * (i - 1) + 2)] * vertical;
        }
        if (print)
            write_record(IUNIT, " " + I(i, 3) + "/" + type_letter(t, 'a') + "  " +
                                    F(row.TTEN, 10, 2) + F(row.BTEN, 10, 2) + " " +
                                    F(row.HMEAN, 10, 2) + F(row.RANC, 10, 2) + F(row.BLEN, 10, 2) +
                                    " " + F(row.plan, 8, 2) + F(row.TANG * DEGRAD, 8, 2));
    }
}

} // namespace lintar
