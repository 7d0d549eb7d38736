// Tests of the equilibrium summary EQLOUT. The reference case is the four-line spread on the
// linear column H(d) = 1000 + 10 (d - 1000): anchors 1000 from fairleads at the origin, along
// +x, +y, -x, -y. An applied 500 along +x holds it at x = 22.72248, heading unchanged. Its pages
// are typed from the report's layout, their numbers worked out by hand:
// - line distances 1000 - x = 977.27752, sqrt(1000^2 + x^2) = 1000.25812, 1000 + x =
//   1022.72248, so loads 772.7752, 1002.5812, 1227.2248; azimuths 0, 91.30168, 180, 268.69832;
// - the table columns of the row are linear in the load H: top tension H + 250, top angle
//   0.6 - H / 10000 rad, bottom angle 0.05 rad, grounded length 600 - H / 4, friction 0.03 H,
//   so the bottom tension is H / cos 0.05 - 0.03 H (750.56, 973.76, 1191.94) and the vertical
//   top loads (H + 250) sin(0.6 - H / 10000) are 510.6112, 600.2357, 678.5819, 600.2357;
// - slopes: 10 x the force change over a 0.1 step: 22.0140 along x (the analytic stiffness
//   2 k + 2 H / d (1000 / d)^2 = 22.0139), 22.0139 for the step back along -x (the mean-offset
//   column), 21.9814 across; 22.0000 at the origin (2 k + 2 H0 / R0 = 22);
// - the environment's yaw moment M(psi) = -2000 sin psi: (M(0) - M(0.05)) x 20 / 57.295776 =
//   34.8920 per degree; the fairleads at the turning centre give the mooring none;
// - the mean-offset axes point against the displacement, G = pi: its force x is +500 and its
//   y is 500 sin(G), which for the four-byte pi is -4.4e-5, printed "-0.00" as gfortran does.
#include "equilibrium/equilibrium_summary.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/spread_mooring_tables.h"
#include "support/turret_mooring.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

constexpr float x_solution = 22.72248f;

std::string blanks(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

// The linear spread, `types` line types alike (each line of type 1), and the report settings:
// English units, program code 8, a spread mooring, the report on unit 1.
void fill_linear_spread(int types = 1) {
    TurretMooring m;
    m.XSALM = 0.0;
    m.lines = {{0.0, 0.0, 0.0, 1000.0, 1},
               {0.0, 0.0, 90.0, 1000.0, 1},
               {0.0, 0.0, 180.0, 1000.0, 1},
               {0.0, 0.0, 270.0, 1000.0, 1}};
    m.types.assign(static_cast<std::size_t>(types), LinearColumn{});
    fill_turret_mooring(m);
    const int L = turret_midlyr;
    for (int t = 1; t <= types; ++t) {
        for (int k = 1; k <= turret_numtab; ++k) {
            const double H = LINCOM.HLOD(k);
            LINCOM.TOPTEN(k, L, t) = static_cast<float>(H + 250.0);
            LINCOM.TOPANG(k, L, t) = static_cast<float>(0.6 - H / 10000.0);
            LINCOM.BOTANG(k, L, t) = 0.05f;
            LINCOM.BOTLEN(k, L, t) = static_cast<float>(600.0 - H / 4.0);
            LINCOM.FFRICT(k, L, t) = static_cast<float>(0.03 * H);
        }
        LINCOM.TOTWT(t) = 300.0f;
    }
    TPCM.NUNTS = 0;
    TPCM.SIMTYP = 8;
    TPCM.IARCO = 0;
    TPCM.LSPM = 0;
    TPCM.IUNIT = 1;
    TPCM.EDUNIT = screen_unit;
    TPCM.NLAYER = 3;
}

// The vessel at (x, 0), heading 0.
void place_vessel(float x) {
    EQUILB.RVES(1) = x;
    EQUILB.YCGVAR() = 0.0f;
    EQUILB.VESANG() = 0.0f;
}

float weathervane(float psi) {
    return -2000.0f * std::sin(psi);
}

// The lines at distances RANC and azimuths ANGDEP as the caller found them.
struct LineGeometry {
    std::array<float, 150> RANC{};
    std::array<float, 150> ANGDEP{};
    std::array<float, 150> ZANC{};
};

LineGeometry at_rest() {
    LineGeometry g;
    for (int i = 0; i < 4; ++i) {
        g.RANC[static_cast<std::size_t>(i)] = 1000.0f;
        g.ANGDEP[static_cast<std::size_t>(i)] = 90.0f * static_cast<float>(i);
    }
    return g;
}

LineGeometry at_solution() {
    LineGeometry g;
    g.RANC[0] = 977.27752f;
    g.RANC[1] = 1000.25812f;
    g.RANC[2] = 1022.72248f;
    g.RANC[3] = 1000.25812f;
    g.ANGDEP[0] = 0.0f;
    g.ANGDEP[1] = 91.30168f;
    g.ANGDEP[2] = 180.0f;
    g.ANGDEP[3] = -91.30168f; // reduced to 268.69832 in the table
    return g;
}

// The state of the applied-force case, section IIb.
EquilibriumSummary loaded_state() {
    EquilibriumSummary s;
    s.FXNET = -500.0f;
    s.FZNET = -2389.66f;
    s.TXNET = 1200.0f;
    s.TYNET = -800.0f;
    s.TZNET = 250.0f;
    s.ZMCTRL = 12.5f;
    s.XERR = x_solution;
    s.IEQTYP = 2;
    return s;
}

// The still-water state at rest, section IIa.
EquilibriumSummary still_water_state() {
    EquilibriumSummary s;
    s.FZNET = -2397.13f;
    s.IEQTYP = 0;
    return s;
}

// A run of EQLOUT with the report on "MEANOUT.stxt" and a scripted console; fill the data after
// making it (the console starts from a fresh program state).
struct SummaryRun {
    ScratchFolder folder;
    ScriptedConsole console;
    std::optional<StopKind> stop;
    float TEND_F_RZ = -1.0f;
    float NET_TNDN_FRC = -1.0f;
    std::int32_t MRWRNS = 0;

    explicit SummaryRun(std::string keyboard = "") : console(std::move(keyboard)) {}

    // The report of the state for lines MINLN..MAXLN at geometry g.
    std::string report(const EquilibriumSummary& state, const LineGeometry& g, int MINLN = 1,
                       int MAXLN = 4) {
        EXPECT_TRUE(open_unit(1, "MEANOUT.stxt", OpenStatus::replace, FileForm::formatted));
        MooringLines lines = lincom_mooring_lines(MINLN, MAXLN);
        lines.RANC = g.RANC;
        lines.ANGDEP = g.ANGDEP;
        stop = run_until_stop([&] {
            EQLOUT(lincom_tables(), lines, g.ZANC, state, TEND_F_RZ, NET_TNDN_FRC, MRWRNS,
                   weathervane);
        });
        close_unit(1);
        return folder.read("MEANOUT.stxt");
    }
};

// The line table's heading and rows under a title.
std::vector<std::string> line_table(const std::string& title, const std::string& end_label,
                                    const std::string& end_pair,
                                    const std::vector<std::string>& rows) {
    std::vector<std::string> out = {
        "",
        " " + title + blanks(70 - static_cast<int>(title.size())),
        "",
        blanks(64) + end_label,
        "   Line   - Total Tension -  Horizontal  Endpoint   Bottom     Line Angle  ",
        "  #/Type       (k.lbs)        Tension   Separation  Length    Plan   Profile",
        " " + blanks(11) + end_pair + "     (k.lbs)      (ft)      (ft)        (deg)",
        ""};
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

// The slopes are ten times the difference of two four-byte mooring forces of some 1000 whose
// line distances near 1000 carry 6e-5 each: their second decimal is noise of the single
// precision the force is computed in (some 0.01 at most).
constexpr double slope_tol = 0.015;

// Takes the slope rows ("    X  (" and "    Y  (") out of the report and checks each against
// the hand values of its three columns, 14 wide with two decimals from column 34 behind its
// label; the rest of the page is then compared as text.
std::string checked_slopes(const std::string& report, const std::array<double, 3>& X,
                           const std::array<double, 3>& Y) {
    std::string rest;
    int found = 0;
    std::size_t at = 0;
    while (at < report.size()) {
        const std::size_t end = report.find('\n', at);
        const std::string line = report.substr(at, end - at);
        at = end == std::string::npos ? report.size() : end + 1;
        const bool x = line.starts_with("    X  (");
        if (!x && !line.starts_with("    Y  (")) {
            rest += line + "\n";
            continue;
        }
        ++found;
        SCOPED_TRACE(line);
        const std::string label = x ? "    X  (k.lbs/ft; Mooring)" : "    Y  (k.lbs/ft; Mooring)";
        EXPECT_EQ(line.substr(0, 33), label + blanks(33 - static_cast<int>(label.size())));
        EXPECT_EQ(line.size(), 33u + 3u * 14u);
        if (line.size() != 33u + 3u * 14u)
            continue;
        for (std::size_t c = 0; c < 3; ++c) {
            const std::string field = line.substr(33 + 14 * c, 14);
            EXPECT_EQ(field.substr(11, 1), "."); // two decimals
            EXPECT_NEAR(std::stod(field), (x ? X : Y)[c], slope_tol);
        }
    }
    EXPECT_EQ(found, 2);
    return rest;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines)
        text += l + "\n";
    return text;
}

const std::string frame_line = "  **" + blanks(72) + "**";

TEST(EquilibriumSummary, FullEnvironmentSectionOfTheAppliedForceCase) {
    SummaryRun run;
    fill_linear_spread();
    place_vessel(x_solution);
    std::vector<std::string> page = {
        "\f",
        frame_line,
        "  ***************  IIb.  Full-Environment Equilibrium Summary  ***************",
        frame_line,
        "",
        " ++> Specified environmental conditions, applied forces and moments",
        "     produced the following net mooring force and moment components:",
        "",
        "                                       Global Sys.    Vessel Sys.  Mean Offset Sys.",
        "                                      (Earth Vert.)  (Earth Vert.)  (Earth Vert.)",
        "",
        "    X Mooring Force (k.lbs)             -500.00       -500.00        500.00",
        "    Y Mooring Force (k.lbs)                0.00          0.00         -0.00",
        "    Z Mooring Force (k.lbs)            -2389.66      -2389.66      -2389.66",
        "",
        "    Total Plan View Force (k.lbs)        500.00        500.00        500.00",
        "    Plan View Force Angle (deg)          180.00        180.00         -0.00",
        "   --->    Mooring moments are reported about Vessel coordinate:    <---",
        "             (Vx,Vy,Vz) = ( 0.000E+00, 0.000E+00, 1.250E+01)",
        "    X Mooring Moment (ft-kp)            1200.00       1200.00      -1200.00",
        "    Y Mooring Moment (ft-kp)            -800.00       -800.00        800.00",
        "    Z Mooring Moment (ft-kp)             250.00        250.00        250.00",
        " ++> Specified environmental conditions, applied forces and moments produced",
        "     the following global quasi-static vessel  centroid displacements:",
        "                                       Global Sys.   Vessel Sys.  Mean Offset Sys.",
        "    X Displacement (ft)                   22.72         22.72        -22.72",
        "    Y Displacement (ft)                    0.00          0.00          0.00",
        "    Z Displacement (ft)                    0.00          0.00          0.00",
        "",
        "    Total Plan View Offset (ft)           22.72         22.72         22.72",
        "    Plan View Offset Angle (deg)           0.00          0.00        180.00",
        "    Yaw  Displacement  (deg)               0.00          0.00          0.00",
        "    Vessel Orientation (deg)               0.00          0.00        180.00",
        "",
        " ++> Force-offset curve slopes:        Global Sys.    Vessel Sys.  Mean Offset Sys.",
        "",
        "    X  (k.lbs/ft; Mooring)                22.01         22.01         22.01",
        "    Y  (k.lbs/ft; Mooring)                21.98         21.98         21.98",
        "",
        " ++> Z-Moment (about mooring centroid) versus yaw",
        "",
        "    Mz (ft-kp/deg; Mooring)                0.00",
        "    Mz (ft-kp/deg; Environment)           34.89",
        "    Mz (ft-kp/deg; Total)                 34.89",
    };
    const std::vector<std::string> table = line_table(
        ">>> Estimated mean line conditions in specified environment", "Fairlead", "Top    Anchor",
        {
            "   1/a     1022.78    750.56     772.78    977.28    406.81     0.00   29.95",
            "   2/a     1252.58    973.76    1002.58   1000.26    349.35    91.30   28.63",
            "   3/a     1477.22   1191.94    1227.22   1022.72    293.19   180.00   27.35",
            "   4/a     1252.58    973.76    1002.58   1000.26    349.35   268.70   28.63",
        });
    page.insert(page.end(), table.begin(), table.end());

    const std::string report = run.report(loaded_state(), at_solution());
    std::erase_if(page, [](const std::string& l) {
        return l.starts_with("    X  (") || l.starts_with("    Y  (");
    });
    EXPECT_EQ(checked_slopes(report, {22.0140, 22.0140, 22.0139}, {21.9814, 21.9814, 21.9814}),
              joined(page));
    EXPECT_FALSE(run.stop);
    EXPECT_EQ(run.console.screen(), ""); // every distance inside its table
    // The sums of the vertical top loads, fairleads at the waterline.
    EXPECT_NEAR(run.NET_TNDN_FRC, 510.6112 + 600.2357 + 678.5819 + 600.2357, 2e-3);
    EXPECT_EQ(run.TEND_F_RZ, 0.0f);
    // The slopes leave the vessel where it was.
    EXPECT_EQ(EQUILB.RVES(1), x_solution);
    EXPECT_EQ(EQUILB.VESANG(), 0.0f);
}

// Still water at rest (IEQTYP 0, EQFAIL 0): two columns, no displacement block, the slopes and
// the line table all the same.
TEST(EquilibriumSummary, StillWaterSectionAtRest) {
    SummaryRun run;
    fill_linear_spread();
    place_vessel(0.0f);
    std::vector<std::string> page = {
        "\f",
        frame_line,
        "  ******************  IIa.  Quiescent Equilibrium Summary  *******************",
        frame_line,
        "",
        " ++> User-specified still-water conditions produced the",
        "     following net mooring force and moment components:",
        "",
        "                                                    Global Sys.    Vessel Sys.",
        "                                                  (Earth Vert.)   (Earth Vert.)",
        "",
        "    X Mooring Force (k.lbs)                              0.00          0.00",
        "    Y Mooring Force (k.lbs)                              0.00          0.00",
        "    Z Mooring Force (k.lbs)                          -2397.13      -2397.13",
        "",
        "    Total Plan View Force (k.lbs)                        0.00          0.00",
        "    Plan View Force Angle (deg)                          0.00          0.00",
        "   --->    Mooring moments are reported about Vessel coordinate:    <---",
        "             (Vx,Vy,Vz) = ( 0.000E+00, 0.000E+00, 0.000E+00)",
        "    X Mooring Moment (ft-kp)                             0.00          0.00",
        "    Y Mooring Moment (ft-kp)                             0.00          0.00",
        "    Z Mooring Moment (ft-kp)                             0.00          0.00",
        "",
        " ++> Force-offset curve slopes:        Global Sys.    Vessel Sys.  Mean Offset Sys.",
        "",
        "    X  (k.lbs/ft; Mooring)                22.00         22.00         22.00",
        "    Y  (k.lbs/ft; Mooring)                22.00         22.00         22.00",
        "",
        " ++> Z-Moment (about mooring centroid) versus yaw",
        "",
        "    Mz (ft-kp/deg; Mooring)                0.00",
        "    Mz (ft-kp/deg; Environment)            0.00",
        "    Mz (ft-kp/deg; Total)                  0.00",
    };
    const std::vector<std::string> table = line_table(
        ">>> User-specified still-water line conditions", "Fairlead", "Top    Anchor",
        {
            "   1/a     1250.00    971.25    1000.00   1000.00    350.00     0.00   28.65",
            "   2/a     1250.00    971.25    1000.00   1000.00    350.00    90.00   28.65",
            "   3/a     1250.00    971.25    1000.00   1000.00    350.00   180.00   28.65",
            "   4/a     1250.00    971.25    1000.00   1000.00    350.00   270.00   28.65",
        });
    page.insert(page.end(), table.begin(), table.end());
    const std::string report = run.report(still_water_state(), at_rest());
    std::erase_if(page, [](const std::string& l) {
        return l.starts_with("    X  (") || l.starts_with("    Y  (");
    });
    EXPECT_EQ(checked_slopes(report, {22.0, 22.0, 22.0}, {22.0, 22.0, 22.0}), joined(page));
    EXPECT_FALSE(run.stop);
    EXPECT_NEAR(run.NET_TNDN_FRC, 4.0 * 599.2819, 2e-3);
}

} // namespace
} // namespace lintar
