// equilibrium/equilibrium_summary.cpp: the equilibrium summary report.
#include "equilibrium/equilibrium_summary.h"
#include "blocks/lincom.h"

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

constexpr float DEGRAD = degrees_per_radian;

// ANCMON: the line types whose table has been reported as not monotonic in this run.
struct EqloutStore {
    std::array<bool, lincom_types> ANCMON{};
};
EqloutStore eqlout_store;
const StateReset reset_eqlout{[] { eqlout_store = EqloutStore{}; }, StoreKind::analysis};

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

// The state's load and displacement in the global, vessel and mean-offset systems, and the
// angle G of the mean-offset axes, which point against the displacement.
struct SummaryFrames {
    float G = 0.0f;
    bool trim_heel = false; // the vessel axes turned by trim and heel
    Vec3 Fg{}, Fv{}, Fo{};  // force
    Vec3 Mg{}, Mv{}, Mo{};  // moment
    float plan_force = 0.0f;
    Vec3 Dg{}, Dv{}, Do{}; // displacement
    float heel = 0.0f, trim = 0.0f;
    std::array<float, 2> HTg{}, HTo{}; // heel and trim in the global and mean-offset systems
    float plan_offset = 0.0f;
};

// The load and displacement of `state` in the three systems; reads TPCM's trim and heel.
SummaryFrames summary_frames(const EquilibriumSummary& state) {
    SummaryFrames f;
    f.G = REDRAD(std::atan2(state.YERR, state.XERR) + pi_single);
    const float G = f.G;
    f.trim_heel = TPCM.TRIMDG != 0.0f || TPCM.HEELDG != 0.0f;
    const Mat3 R = trim_heel_rotation(TPCM.TRIMDG, TPCM.HEELDG);

    const float FINANG = state.FINANG;
    f.Fg = {state.FXNET, state.FYNET, state.FZNET};
    f.Fv = turned(state.FXNET, state.FYNET, state.FZNET, FINANG);
    f.Fo = turned(state.FXNET, state.FYNET, state.FZNET, G);
    f.Mv = {state.TXNET, state.TYNET, state.TZNET};
    f.Mg = turned_back(state.TXNET, state.TYNET, state.TZNET, FINANG);
    f.Mo = turned_back(state.TXNET, state.TYNET, state.TZNET, G);
    if (f.trim_heel) {
        f.Fv = times_t(R, f.Fv);
        f.Fo = times_t(R, f.Fo);
        f.Mg = times_t(R, f.Mg);
        f.Mo = times_t(R, f.Mo);
    }
    f.plan_force = std::sqrt(state.FXNET * state.FXNET + state.FYNET * state.FYNET);

    f.Dg = {state.XERR, state.YERR, state.ZERR};
    f.Dv = turned(state.XERR, state.YERR, 0.0f, FINANG);
    f.Do = turned(state.XERR, state.YERR, 0.0f, G);
    f.heel = state.ROLOFF * DEGRAD;
    f.trim = state.PITOFF * DEGRAD;
    const auto heel_trim = [&](float angle) {
        return std::array<float, 2>{f.heel * std::cos(angle) - f.trim * std::sin(angle),
                                    f.trim * std::cos(angle) + f.heel * std::sin(angle)};
    };
    f.HTg = heel_trim(FINANG);
    f.HTo = heel_trim(FINANG - G);
    f.plan_offset = std::sqrt(state.XERR * state.XERR + state.YERR * state.YERR);
    return f;
}

// What the printed pieces of the report share: the unit, the kind of state, the arrangement
// and the unit labels.
struct SummaryPage {
    int IUNIT = 1;
    std::int32_t IEQTYP = 0, EQFAIL = 0, SIMTYP = 0, MINLN = 1;
    bool two_body = false;      // a buoy arrangement reported as buoy and tanker
    bool three_columns = false; // the mean-offset system beside the global and vessel ones
    std::string force_unit, length_unit, moment_unit;
};

// The page, its banner and, for a two-body arrangement, the body reported.
void write_banner(const SummaryPage& p) {
    const int IUNIT = p.IUNIT;
    PAGE(IUNIT, TPCM.EDUNIT, 1, 99);
    const std::string frame = "  **" + std::string(72, ' ') + "**";
    write_record(IUNIT, frame);
    if (p.IEQTYP == 2)
        write_record(IUNIT, std::string("  ***************  IIb.  Full-Environment Equilibrium "
                                        "Summary") +
                                "  ***************");
    else
        write_record(IUNIT, std::string("  ******************  IIa.  Quiescent Equilibrium "
                                        "Summary") +
                                "  *******************");
    if (!p.two_body)
        write_record(IUNIT, frame);
    else if (p.MINLN == 1)
        write_record(IUNIT,
                     "  **" + std::string(31, ' ') + " (Buoy Data) " + std::string(28, ' ') + "**");
    else
        write_record(IUNIT, std::string("  **         (Tanker Data; Offsets Relative ") +
                                "to Buoy Attachment Point)       **");
    write_record(IUNIT, "");
}

// The condition the state was found in, and the warning of an accepted estimate.
void write_condition(const SummaryPage& p, bool not_converged) {
    const int IUNIT = p.IUNIT;
    const std::int32_t EQFAIL = p.EQFAIL;
    if (p.IEQTYP == 0 && (EQFAIL == 0 || EQFAIL == 1)) {
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
    if (not_converged) {
        write_record(IUNIT, " ++> Warning: the equilibrium search did not converge; the "
                            "values below are");
        write_record(IUNIT, "     the estimate accepted at the prompt.");
        write_record(IUNIT, "");
    }
}

// The force block, the moments and their reference point, in two or three systems.
void write_loads(const SummaryPage& p, const SummaryFrames& f, const EquilibriumSummary& state) {
    const int IUNIT = p.IUNIT;
    const std::string vessel_label = A(f.trim_heel ? " (Deck Vert.)  " : "(Earth Vert.)", 13);
    if (p.three_columns) {
        write_record(IUNIT, starting_at(40, "Global Sys.    Vessel Sys.  Mean Offset Sys."));
        write_record(IUNIT, starting_at(39, "(Earth Vert.)  " + vessel_label + "  (Earth Vert.)"));
    } else {
        write_record(IUNIT, starting_at(53, "Global Sys.    Vessel Sys."));
        write_record(IUNIT, starting_at(51, "(Earth Vert.)   " + vessel_label));
    }
    write_record(IUNIT, "");
    const int values_at = p.three_columns ? 34 : 48;
    const auto row = [&](std::string_view label, float global, float vessel, float offset) {
        if (p.three_columns)
            write_row(IUNIT, label, values_at, {global, vessel, offset});
        else
            write_row(IUNIT, label, values_at, {global, vessel});
    };
    const std::string& force_unit = p.force_unit;
    row("X Mooring Force (" + force_unit + ")", f.Fg[0], f.Fv[0], f.Fo[0]);
    row("Y Mooring Force (" + force_unit + ")", f.Fg[1], f.Fv[1], f.Fo[1]);
    row("Z Mooring Force (" + force_unit + ")", f.Fg[2], f.Fv[2], f.Fo[2]);
    write_record(IUNIT, "");
    row("Total Plan View Force (" + force_unit + ")", f.plan_force, f.plan_force, f.plan_force);
    row("Plan View Force Angle (deg)", plan_angle(f.Fg[0], f.Fg[1]), plan_angle(f.Fv[0], f.Fv[1]),
        plan_angle(f.Fo[0], f.Fo[1]));

    write_record(IUNIT, std::string("   --->    Mooring moments are reported about ") +
                            "Vessel coordinate:    <---");
    write_record(IUNIT, "             (Vx,Vy,Vz) = (" + PE(state.XMCTRL, 1, 10, 3) + "," +
                            PE(state.YMCTRL, 1, 10, 3) + "," + PE(state.ZMCTRL, 1, 10, 3) + ")");
    const std::string& moment_unit = p.moment_unit;
    row("X Mooring Moment (" + moment_unit + ")", f.Mg[0], f.Mv[0], f.Mo[0]);
    row("Y Mooring Moment (" + moment_unit + ")", f.Mg[1], f.Mv[1], f.Mo[1]);
    row("Z Mooring Moment (" + moment_unit + ")", f.Mg[2], f.Mv[2], f.Mo[2]);
}

// The displacement block, left out for a still-water state as entered; the reference point is
// the mooring's centroid for a turret arrangement (TPCM.LSPM), the vessel's else.
void write_displacements(const SummaryPage& p, const SummaryFrames& f,
                         const EquilibriumSummary& state) {
    const int IUNIT = p.IUNIT;
    const std::int32_t IEQTYP = p.IEQTYP;
    const std::int32_t EQFAIL = p.EQFAIL;
    if (IEQTYP == 0 && (EQFAIL == 0 || EQFAIL == 1))
        return;
    const std::string_view reference = TPCM.LSPM != 0 ? "mooring centroid" : "vessel  centroid";
    if (IEQTYP != 0 && EQFAIL == 1) {
        write_record(IUNIT, " ++> Resulting global " + std::string(reference) +
                                " displacement from " + "user-specified");
        write_record(IUNIT, "     still-water condition to computed equilibrium position:");
    } else if (IEQTYP != 0 && EQFAIL == 0) {
        write_record(IUNIT, std::string(" ++> Specified environmental conditions, "
                                        "applied forces and ") +
                                "moments produced");
        write_record(IUNIT, "     the following global quasi-static " + std::string(reference) +
                                " displacements:");
    }
    write_record(IUNIT,
                 starting_at(40, std::string("Global Sys.   Vessel Sys.") + "  Mean Offset Sys."));
    const auto row3 = [&](std::string_view label, float a, float b, float c) {
        write_row(IUNIT, label, 34, {a, b, c});
    };
    const std::string& length_unit = p.length_unit;
    row3("X Displacement (" + length_unit + ")", f.Dg[0], f.Dv[0], f.Do[0]);
    row3("Y Displacement (" + length_unit + ")", f.Dg[1], f.Dv[1], f.Do[1]);
    row3("Z Displacement (" + length_unit + ")", f.Dg[2], f.Dv[2], f.Do[2]);
    write_record(IUNIT, "");
    row3("Total Plan View Offset (" + length_unit + ")", f.plan_offset, f.plan_offset,
         f.plan_offset);
    row3("Plan View Offset Angle (deg)", plan_angle(f.Dg[0], f.Dg[1]), plan_angle(f.Dv[0], f.Dv[1]),
         plan_angle(f.Do[0], f.Do[1]));
    if (six_dof_lines(p.SIMTYP, TPCM.LEGTLP)) {
        row3("Heel Displacement  (deg)", f.HTg[0], f.heel, f.HTo[0]);
        row3("Trim Displacement  (deg)", f.HTg[1], f.trim, f.HTo[1]);
    }
    const float yaw = state.ANGERR * DEGRAD;
    row3("Yaw  Displacement  (deg)", yaw, yaw, yaw);
    const float FINANG = state.FINANG;
    const float G = f.G;
    row3("Vessel Orientation (deg)", DEGSYM(FINANG * DEGRAD), 0.0f, DEGSYM((FINANG - G) * DEGRAD));
    if (p.SIMTYP == 15 || (p.SIMTYP == 8 && TPCM.LSPM != 0)) {
        row3("Turret Rotation (deg)", state.TRTERR * DEGRAD, (state.TRTERR - state.ANGERR) * DEGRAD,
             state.TRTERR * DEGRAD);
        row3("Turret Orientation (deg)", DEGSYM(state.TRTANG * DEGRAD),
             DEGSYM((state.TRTANG - FINANG) * DEGRAD), DEGSYM((state.TRTANG - G) * DEGRAD));
    }
}

// The slopes of the force-offset curves and the yaw stiffness.
void write_slopes(const SummaryPage& p, const Slopes& slopes) {
    const int IUNIT = p.IUNIT;
    const float Mz_total = slopes.Mz_mooring + slopes.Mz_environment;
    write_record(IUNIT, "");
    Record slope_heading;
    slope_heading << " ++> Force-offset curve slopes:";
    slope_heading.T(40) << "Global Sys.    Vessel Sys.  Mean Offset Sys.";
    write_record(IUNIT, slope_heading.text());
    write_record(IUNIT, "");
    const std::string per = p.force_unit + "/" + p.length_unit;
    write_row(IUNIT, "X  (" + per + "; Mooring)", 34, {slopes.X[0], slopes.X[1], slopes.X[2]});
    write_row(IUNIT, "Y  (" + per + "; Mooring)", 34, {slopes.Y[0], slopes.Y[1], slopes.Y[2]});
    write_record(IUNIT, "");
    write_record(IUNIT, " ++> Z-Moment (about mooring centroid) versus yaw");
    write_record(IUNIT, "");
    const std::string per_degree = "Mz (" + p.moment_unit + "/" + "deg";
    write_row(IUNIT, per_degree + "; Mooring)", 34, {slopes.Mz_mooring});
    write_row(IUNIT, per_degree + "; Environment)", 34, {slopes.Mz_environment});
    write_row(IUNIT, per_degree + "; Total)", 34, {Mz_total});
}

// The line conditions' title, 70 wide, and the line table's heading, its end labels by
// arrangement.
void write_line_heading(const SummaryPage& p) {
    const int IUNIT = p.IUNIT;
    std::string title = p.IEQTYP == 0   ? ">>> User-specified still-water line conditions"
                        : p.IEQTYP == 1 ? ">>> Simulation-estimated still-water line conditions"
                                        : ">>> Estimated mean line conditions in specified "
                                          "environment";
    title.resize(70, ' ');
    write_record(IUNIT, "");
    write_record(IUNIT, " " + title);

    std::string_view end_label = "Fairlead";
    std::string_view end_pair = "Top    Anchor";
    if (p.SIMTYP == 10) {
        end_label = " Tug-end";
        end_pair = "Tug     Barge";
    } else if (p.two_body) {
        end_label = "Buoy-end";
        end_pair = p.MINLN == 1 ? "Buoy   Anchor" : "Buoy   Tanker";
    }
    write_record(IUNIT, "");
    write_record(IUNIT, std::string(64, ' ') + std::string(end_label));
    write_record(IUNIT, std::string("   Line   - Total Tension -  Horizontal") +
                            "  Endpoint   Bottom     Line Angle  ");
    write_record(IUNIT, "  #/Type       (" + p.force_unit + ")        Tension   " +
                            "Separation  Length    Plan   Profile");
    write_record(IUNIT, " " + std::string(11, ' ') + A(end_pair, 13) + "     (" + p.force_unit +
                            ")      (" + p.length_unit + ")      (" + p.length_unit +
                            ")        (deg)");
    write_record(IUNIT, "");
}

// One line's row of the table.
struct LineRow {
    float TTEN = 0.0f, BTEN = 0.0f, HMEAN = 0.0f, RANC = 0.0f, BLEN = 0.0f;
    float TANG = 0.0f, plan = 0.0f;
};

// Line i's row: its distance checked against its table (warnings with flag word MRWRNS, the
// non-monotonic table's message), its state read from the tables and, with `nodes` and a line
// under load, its nodes solved into OUTCOM; the row keeps the tables' values. A line without a
// type to read has no state: it shows as a skipped line, all zero.
LineRow line_row(const LineTables& tables, const MooringLines& lines, std::span<const float> ZANC,
                 int i, bool nodes, bool six_dof, std::int32_t& MRWRNS) {
    const std::int32_t LINEID = lines.LINEID[slot(i)];
    const int t = LINEID % 1024;
    LineRow row;
    if (!(LINEID <= 1024 && t >= 1 && t <= lincom_types))
        return row;
    const float RANC = lines.RANC[slot(i)];
    check_line_distance(tables, i, t, RANC, slack_distance, MRWRNS, report_non_monotonic);
    const MeanLineState m =
        mean_line_state(tables, lines, i, t, RANC, ZANC[slot(i)], slack_distance, six_dof);
    if (nodes && m.HMEAN > 0.0f) {
        // The solve writes the nodes; the row keeps the tables' values.
        float TANG = m.TANG, TTEN = m.TTEN, BTEN = m.BTEN, FGZTMP = m.FGZTMP;
        float BANG = m.BANG;
        const float DZTOT = m.from_loadup ? m.DELZ : OUTCOM.DZTOTL(i, 4, 1);
        const LineNodes solved{OUTCOM.NODE_T_nodes(i, 4, 1), OUTCOM.TMEANI_nodes(i, 4, 1),
                               OUTCOM.NODE_X_nodes(i, 4, 1), OUTCOM.NODE_Y_nodes(i, 4, 1),
                               OUTCOM.NODE_Z_nodes(i, 4, 1)};
        NODE_EVAL2(t, i, DZTOT, m.HMEAN, TANG, m.layer, TTEN, BTEN, FGZTMP, BANG, 0.0f, solved);
    }
    row.TTEN = m.TTEN;
    row.BTEN = std::max(m.BTEN - m.FTEN, 0.0f);
    row.HMEAN = m.HMEAN;
    row.RANC = RANC;
    row.BLEN = m.BLEN;
    row.plan = REDDEG(lines.ANGDEP[slot(i)]);
    row.TANG = m.TANG;
    return row;
}

// Line i's row of the table.
void write_line_row(int IUNIT, int i, int t, const LineRow& row) {
    write_record(IUNIT, " " + I(i, 3) + "/" + type_letter(t, 'a') + "  " + F(row.TTEN, 10, 2) +
                            F(row.BTEN, 10, 2) + " " + F(row.HMEAN, 10, 2) + F(row.RANC, 10, 2) +
                            F(row.BLEN, 10, 2) + " " + F(row.plan, 8, 2) +
                            F(row.TANG * DEGRAD, 8, 2));
}

} // namespace

void EQLOUT(const LineTables& tables, const MooringLines& lines, std::span<const float> ZANC,
            const EquilibriumSummary& state, float& TEND_F_RZ, float& NET_TNDN_FRC,
            std::int32_t& MRWRNS, const YawMomentFunction& yaw_moment) {
    const YawMomentFunction environment =
        yaw_moment ? yaw_moment : YawMomentFunction([](float heading) { return TORQUE(heading); });
    const std::int32_t IEQTYP = state.IEQTYP;
    const std::int32_t EQFAIL = state.EQFAIL;
    const std::int32_t SIMTYP = TPCM.SIMTYP;

    const SummaryFrames frames = summary_frames(state);
    const Slopes slopes = find_slopes(lines, IEQTYP, frames.G, environment);

    SummaryPage page;
    page.IUNIT = TPCM.IUNIT;
    page.IEQTYP = IEQTYP;
    page.EQFAIL = EQFAIL;
    page.SIMTYP = SIMTYP;
    page.MINLN = lines.MINLN;
    page.two_body = (SIMTYP == 13 || SIMTYP == 8) && TPCM.IARCO == 1;
    page.three_columns = IEQTYP == 2;
    page.force_unit = A(UNITS(0 + TPCM.NUNTS), 5);
    page.length_unit = A(UNITS(7 + TPCM.NUNTS), 2);
    page.moment_unit = A(UNITS(21 + TPCM.NUNTS), 5);
    const bool print = state.LPRINT != 0;
    if (print) {
        write_banner(page);
        write_condition(page, state.not_converged);
        write_loads(page, frames, state);
        write_displacements(page, frames, state);
        write_slopes(page, slopes);
        write_line_heading(page);
    }

    // The line rows, formed whether or not they are printed.
    const bool sums = EQFAIL == 0 || (EQFAIL == 1 && IEQTYP == 1);
    if (sums) {
        NET_TNDN_FRC = 0.0f;
        TEND_F_RZ = 0.0f;
    }
    const bool six_dof = six_dof_lines(SIMTYP, TPCM.LEGTLP);
    for (int i = lines.MINLN; i <= lines.MAXLN; ++i) {
        const LineRow row = line_row(tables, lines, ZANC, i, state.GETNODE != 0, six_dof, MRWRNS);
        if (sums) {
            const float vertical = row.TTEN * std::sin(row.TANG);
            NET_TNDN_FRC += vertical;
            TEND_F_RZ += lines.RFL[3 * slot(i) + 2] * vertical;
        }
        if (print)
            write_line_row(page.IUNIT, i, lines.LINEID[slot(i)] % 1024, row);
    }
}

} // namespace lintar
