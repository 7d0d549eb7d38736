// Tests of the equilibrium summary EQLOUT. The reference case is the four-line spread on the
// linear column H(d) = 1000 + 10 (d - 1000): anchors 1000 from fairleads at the origin, along
// +x, +y, -x, -y. An applied 500 along +x holds it at x = 22.72248, heading unchanged. Its pages
// are typed from the report's layout (tests/data/linear_spread_summary.txt, the lines that
// differ between the tests typed in them), their numbers worked out by hand:
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
#include "support/linear_spread_report.h"
#include "support/spread_mooring_tables.h"
#include "support/turret_mooring.h"
#include "util/flags.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

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

// The records of a report.
std::vector<std::string> records(const std::string& text) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        out.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return out;
}

// The n records of a report that follow its record `after` (n empty strings if it has none).
std::vector<std::string> records_after(const std::string& report, const std::string& after,
                                       std::size_t n) {
    const std::vector<std::string> r = records(report);
    for (std::size_t k = 0; k < r.size(); ++k)
        if (r[k] == after && k + n < r.size())
            return {r.begin() + static_cast<std::ptrdiff_t>(k + 1),
                    r.begin() + static_cast<std::ptrdiff_t>(k + 1 + n)};
    return std::vector<std::string>(n);
}

// The report's record that begins with `start`, or "" when none does.
std::string record_starting(const std::string& report, const std::string& start) {
    for (const std::string& l : records(report))
        if (l.starts_with(start))
            return l;
    return "";
}

TEST(EquilibriumSummary, FullEnvironmentSectionOfTheAppliedForceCase) {
    SummaryRun run;
    fill_linear_spread();
    place_vessel(x_solution);
    // The load of loaded_state(): the vertical force, the moments about (0, 0, 12.5) turned into
    // the global and mean-offset axes, the environment's yaw stiffness.
    const std::string page = linear_spread_page(
        SummarySection::full_environment_IIb,
        {{"IIb Z force",
          "    Z Mooring Force (k.lbs)            -2389.66      -2389.66      -2389.66"},
         {"IIb moment point", "             (Vx,Vy,Vz) = ( 0.000E+00, 0.000E+00, 1.250E+01)"},
         {"IIb X moment",
          "    X Mooring Moment (ft-kp)            1200.00       1200.00      -1200.00"},
         {"IIb Y moment",
          "    Y Mooring Moment (ft-kp)            -800.00       -800.00        800.00"},
         {"IIb Z moment",
          "    Z Mooring Moment (ft-kp)             250.00        250.00        250.00"},
         {"IIb Mz environment", "    Mz (ft-kp/deg; Environment)           34.89"},
         {"IIb Mz total", "    Mz (ft-kp/deg; Total)                 34.89"}});
    const std::string report = run.report(loaded_state(), at_solution());
    EXPECT_EQ(checked_slopes(report, {22.0140, 22.0140, 22.0139}, {21.9814, 21.9814, 21.9814}),
              page);
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
    const std::string page = linear_spread_page(
        SummarySection::still_water_IIa,
        {{"IIa Z force",
          "    Z Mooring Force (k.lbs)                          -2397.13      -2397.13"}});
    const std::string report = run.report(still_water_state(), at_rest());
    EXPECT_EQ(checked_slopes(report, {22.0, 22.0, 22.0}, {22.0, 22.0, 22.0}), page);
    EXPECT_FALSE(run.stop);
    EXPECT_NEAR(run.NET_TNDN_FRC, 4.0 * 599.2819, 2e-3);
}

// The condition text under the banner and the displacement heading, by kind of state and
// solver outcome; the warning of an estimate accepted without convergence under the condition.
TEST(EquilibriumSummary, ConditionTextsAndDisplacementHeadings) {
    const std::vector<std::string> user = {
        " ++> User-specified still-water conditions produced the",
        "     following net mooring force and moment components:", ""};
    const std::vector<std::string> environment = {
        " ++> Specified environmental conditions, applied forces and moments",
        "     produced the following net mooring force and moment components:", ""};
    const std::vector<std::string> unstable = {
        " ++> WARNING: User-specified initial conditions did *not* produce a stable",
        "     equilibrium in calm conditions, but produced the net mooring forces and",
        "     moments noted above; a nearby equilibrium was found with properties:", ""};
    const std::vector<std::string> not_converged = {
        " ++> Warning: the equilibrium search did not converge; the values below are",
        "     the estimate accepted at the prompt.", ""};
    const std::vector<std::string> moved = {
        " ++> Specified environmental conditions, applied forces and moments produced",
        "     the following global quasi-static vessel  centroid displacements:"};
    const std::vector<std::string> reset = {
        " ++> Resulting global vessel  centroid displacement from user-specified",
        "     still-water condition to computed equilibrium position:"};
    const auto plus = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    struct Case {
        std::int32_t IEQTYP, EQFAIL;
        bool not_converged;
        std::vector<std::string> condition, heading;
        bool table;
    };
    const Case cases[] = {
        {0, 0, false, user, {}, false},
        {0, 1, false, user, {}, false},
        {1, 0, false, environment, moved, true},
        {2, 0, false, environment, moved, true},
        {1, 1, false, unstable, reset, true},
        {2, 1, false, unstable, reset, true},
        {0, 2, false, {}, {}, true}, // no text, the table all the same
        {2, 3, false, {}, {}, true},
        {2, 0, true, plus(environment, not_converged), moved, true},
        {0, 0, true, plus(user, not_converged), {}, false},
    };
    const std::string table_heading = blanks(39) + "Global Sys.   Vessel Sys.  Mean Offset Sys.";
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "IEQTYP " << c.IEQTYP << ", EQFAIL " << c.EQFAIL
                                          << (c.not_converged ? ", not converged" : ""));
        SummaryRun run;
        fill_linear_spread();
        place_vessel(0.0f);
        EquilibriumSummary state = still_water_state();
        state.IEQTYP = c.IEQTYP;
        state.EQFAIL = c.EQFAIL;
        state.not_converged = c.not_converged;
        const std::vector<std::string> r = records(run.report(state, at_rest()));
        ASSERT_GT(r.size(), 5u + c.condition.size());
        EXPECT_EQ(r[4], "");
        EXPECT_EQ(std::vector<std::string>(r.begin() + 5,
                                           r.begin() + 5 +
                                               static_cast<std::ptrdiff_t>(c.condition.size())),
                  c.condition);
        EXPECT_NE(r[5 + c.condition.size()].find("Global Sys."), std::string::npos);
        const auto moment = std::find_if(r.begin(), r.end(), [](const std::string& l) {
            return l.starts_with("    Z Mooring Moment");
        });
        ASSERT_NE(moment, r.end());
        std::vector<std::string> expected = c.heading;
        if (c.table)
            expected.push_back(table_heading);
        else
            expected.push_back(""); // straight on to the slopes
        EXPECT_EQ(std::vector<std::string>(
                      moment + 1, moment + 1 + static_cast<std::ptrdiff_t>(expected.size())),
                  expected);
    }
}

// A trim turns the vessel column's force and the offset columns' loads into the deck axes
// (the transpose of the trim rotation); the labels show it. Trim 10 degrees, heading 0, the
// offset axes at G = 90 degrees (a displacement along -y): force (300, 0, -1000) reads
// (300 cos t + 1000 sin t, 0, 300 sin t - 1000 cos t) = (469.09, 0, -932.71) in the vessel
// column and (1000 sin t, -300, -1000 cos t) in the offset column; the moment (100, 0, 50)
// reads (100 cos t - 50 sin t, 0, 100 sin t + 50 cos t) globally and (-50 sin t, 100, 50 cos t)
// in the offset axes.
TEST(EquilibriumSummary, TrimTurnsTheLoadsIntoTheDeckAxes) {
    SummaryRun run;
    fill_linear_spread();
    place_vessel(0.0f);
    TPCM.TRIMDG = 10.0f;
    EquilibriumSummary state;
    state.IEQTYP = 2;
    state.FXNET = 300.0f;
    state.FZNET = -1000.0f;
    state.TXNET = 100.0f;
    state.TZNET = 50.0f;
    state.YERR = -10.0f;
    const std::string report = run.report(state, at_rest());
    EXPECT_EQ(
        records_after(report, blanks(39) + "Global Sys.    Vessel Sys.  Mean Offset Sys.", 8),
        (std::vector<std::string>{
            "                                      (Earth Vert.)   (Deck Vert.)  (Earth Vert.)",
            "",
            "    X Mooring Force (k.lbs)              300.00        469.09        173.65",
            "    Y Mooring Force (k.lbs)                0.00          0.00       -300.00",
            "    Z Mooring Force (k.lbs)            -1000.00       -932.71       -984.81",
            "",
            "    Total Plan View Force (k.lbs)        300.00        300.00        300.00",
            "    Plan View Force Angle (deg)            0.00          0.00        -59.94",
        }));
    EXPECT_EQ(
        records_after(report, "             (Vx,Vy,Vz) = ( 0.000E+00, 0.000E+00, 0.000E+00)", 3),
        (std::vector<std::string>{
            "    X Mooring Moment (ft-kp)              89.80        100.00         -8.68",
            "    Y Mooring Moment (ft-kp)               0.00          0.00        100.00",
            "    Z Mooring Moment (ft-kp)              66.61         50.00         49.24",
        }));

    // Two columns: the label follows at column 66.
    state.IEQTYP = 0;
    const std::string still = run.report(state, at_rest());
    EXPECT_EQ(record_starting(still, blanks(50) + "("),
              blanks(50) + "(Earth Vert.)    (Deck Vert.)");
}

// Heel and trim rows for the six-degree-of-freedom codes, turret rows for a turret mooring of
// program code 8, with the mooring centroid as reference: heel 2, trim 1 degrees at heading 30
// read 2 cos 30 - sin 30 = 1.23 and cos 30 + 2 sin 30 = 1.87 globally and -1.23, -1.87 in the
// offset axes (30 - 180 = -150 degrees from them); turret rotation 5 and yaw 2 give 5, 3, 5;
// turret orientation 100 reads 100, 100 - 30 and 100 - 180.
TEST(EquilibriumSummary, HeelTrimAndTurretRows) {
    constexpr float rad = 57.295776f;
    EquilibriumSummary state;
    state.IEQTYP = 2;
    state.FINANG = 30.0f / rad;
    state.ANGERR = 2.0f / rad;
    state.ROLOFF = 2.0f / rad;
    state.PITOFF = 1.0f / rad;
    state.TRTERR = 5.0f / rad;
    state.TRTANG = 100.0f / rad;
    struct Case {
        std::int32_t SIMTYP, LEGTLP, LSPM;
        bool heel, turret;
    };
    const Case cases[] = {
        {17, 0, 0, true, false}, {14, 0, 0, true, false}, {14, 1, 0, false, false},
        {8, 0, 1, false, true},  {15, 0, 0, false, true}, {8, 0, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "SIMTYP " << c.SIMTYP << ", LEGTLP " << c.LEGTLP << ", LSPM " << c.LSPM);
        SummaryRun run;
        fill_linear_spread();
        place_vessel(0.0f);
        TPCM.SIMTYP = c.SIMTYP;
        TPCM.LEGTLP = c.LEGTLP;
        TPCM.LSPM = c.LSPM;
        const LineGeometry none;
        const std::string report = run.report(state, none, 1, 0); // no lines: the rows alone
        std::vector<std::string> rows = {"    Plan View Offset Angle (deg)           0.00          "
                                         "0.00          0.00"}; // no offset
        if (c.heel) {
            rows.push_back(
                "    Heel Displacement  (deg)               1.23          2.00         -1.23");
            rows.push_back(
                "    Trim Displacement  (deg)               1.87          1.00         -1.87");
        }
        rows.push_back(
            "    Yaw  Displacement  (deg)               2.00          2.00          2.00");
        rows.push_back(
            "    Vessel Orientation (deg)              30.00          0.00       -150.00");
        if (c.turret) {
            rows.push_back(
                "    Turret Rotation (deg)                  5.00          3.00          5.00");
            rows.push_back(
                "    Turret Orientation (deg)             100.00         70.00        -80.00");
        }
        rows.push_back("");
        EXPECT_EQ(records_after(
                      report,
                      "    Total Plan View Offset (ft)            0.00          0.00          0.00",
                      rows.size()),
                  rows);
        const std::string reference = c.LSPM != 0 ? "mooring centroid" : "vessel  centroid";
        EXPECT_EQ(record_starting(report, "     the following global"),
                  "     the following global quasi-static " + reference + " displacements:");
    }
}

// The rows of three kinds of line at rest: line 2 of type 3 ("c"); line 3 under its fairlead
// (0.1 from the anchor): no horizontal tension nor friction, the first table point's top
// tension 250, grounded length 600 and top angle 0.6 rad = 34.38 degrees, bottom tension
// |250 - 300|, and no range check although 0.1 lies far outside the table; line 4 skipped
// (identity above 1024): zeros. The vertical top loads add up over the lines that hang:
// 599.2819 twice and 250 sin 0.6 = 141.1606.
TEST(EquilibriumSummary, TypeLettersLinesUnderTheirFairleadsAndSkippedLines) {
    SummaryRun run;
    fill_linear_spread(3);
    place_vessel(0.0f);
    LINCOM.LINEID(2) = 3;
    LINCOM.LINEID(4) = 1024 + 1;
    LineGeometry g = at_rest();
    g.RANC[2] = 0.1f;
    const std::string report = run.report(still_water_state(), g);
    const std::vector<std::string> r = records(report);
    ASSERT_GE(r.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(r.end() - 4, r.end()),
              (std::vector<std::string>{
                  "   1/a     1250.00    971.25    1000.00   1000.00    350.00     0.00   28.65",
                  "   2/c     1250.00    971.25    1000.00   1000.00    350.00    90.00   28.65",
                  "   3/a      250.00     50.00       0.00      0.10    600.00   180.00   34.38",
                  "   4/a        0.00      0.00       0.00      0.00      0.00     0.00    0.00",
              }));
    EXPECT_EQ(run.console.screen(), "");
    EXPECT_NEAR(run.NET_TNDN_FRC, 2.0 * 599.2819 + 141.1606, 2e-3);
}

// With LPRINT off nothing is written, but the sums are formed when the state is an
// equilibrium (EQFAIL 0, or 1 for a simulation-estimated state) and left alone otherwise.
// Fairleads 10, 20, 30, 40 above the keel at the applied-force state: TEND_F_RZ = 10 x 510.6112
// + 20 x 600.2357 + 30 x 678.5819 + 40 x 600.2357 = 61477.71.
TEST(EquilibriumSummary, SumsAreFormedWithoutTheReport) {
    struct Case {
        std::int32_t IEQTYP, EQFAIL;
        bool formed;
    };
    const Case cases[] = {{2, 0, true}, {1, 1, true}, {0, 1, false}, {2, 1, false}, {2, 2, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "IEQTYP " << c.IEQTYP << ", EQFAIL " << c.EQFAIL);
        SummaryRun run;
        fill_linear_spread();
        place_vessel(x_solution);
        for (int i = 1; i <= 4; ++i)
            TPCM.RFLD(3, i) = 10.0f * static_cast<float>(i);
        EquilibriumSummary state = loaded_state();
        state.IEQTYP = c.IEQTYP;
        state.EQFAIL = c.EQFAIL;
        state.LPRINT = 0;
        EXPECT_EQ(run.report(state, at_solution()), "");
        EXPECT_EQ(run.console.screen(), "");
        if (c.formed) {
            EXPECT_NEAR(run.NET_TNDN_FRC, 2389.6645, 2e-3);
            EXPECT_NEAR(run.TEND_F_RZ, 61477.71, 0.05);
        } else {
            EXPECT_EQ(run.NET_TNDN_FRC, -1.0f);
            EXPECT_EQ(run.TEND_F_RZ, -1.0f);
        }
    }
}

// The banners and end labels of the arrangements: a buoy's own lines (MINLN 1) and the tanker
// on its hawser (lines from 2) for the buoy codes 8 and 13 with IARCO 1, a towed barge (10),
// and the fairlead and anchor of everything else.
TEST(EquilibriumSummary, BannersAndEndLabelsOfTheArrangements) {
    const std::string buoy = "  **" + blanks(31) + " (Buoy Data) " + blanks(28) + "**";
    const std::string tanker =
        "  **         (Tanker Data; Offsets Relative to Buoy Attachment Point)       **";
    struct Case {
        std::int32_t SIMTYP, IARCO, MINLN;
        std::string banner, end_label, end_pair;
    };
    const Case cases[] = {
        {8, 0, 1, frame_line, "Fairlead", "Top    Anchor"},
        {8, 1, 1, buoy, "Buoy-end", "Buoy   Anchor"},
        {8, 1, 2, tanker, "Buoy-end", "Buoy   Tanker"},
        {13, 1, 1, buoy, "Buoy-end", "Buoy   Anchor"},
        {13, 1, 2, tanker, "Buoy-end", "Buoy   Tanker"},
        {13, 0, 2, frame_line, "Fairlead", "Top    Anchor"},
        {10, 0, 1, frame_line, " Tug-end", "Tug     Barge"},
        {10, 1, 1, frame_line, " Tug-end", "Tug     Barge"},
        {17, 1, 1, frame_line, "Fairlead", "Top    Anchor"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "SIMTYP " << c.SIMTYP << ", IARCO " << c.IARCO << ", MINLN " << c.MINLN);
        SummaryRun run;
        fill_linear_spread();
        place_vessel(0.0f);
        TPCM.SIMTYP = c.SIMTYP;
        TPCM.IARCO = c.IARCO;
        // No line is read in six degrees of freedom: an empty range for code 17.
        const int MAXLN = c.SIMTYP == 17 ? 0 : 4;
        const std::string report = run.report(still_water_state(), at_rest(), c.MINLN, MAXLN);
        const std::vector<std::string> r = records(report);
        ASSERT_GT(r.size(), 4u);
        EXPECT_EQ(r[3], c.banner);
        const std::string units = "   Line   - Total Tension -  Horizontal  Endpoint   Bottom"
                                  "     Line Angle  ";
        EXPECT_EQ(records_after(report, blanks(64) + c.end_label, 1),
                  std::vector<std::string>{units});
        EXPECT_EQ(record_starting(report, blanks(12) + c.end_pair),
                  blanks(12) + c.end_pair + "     (k.lbs)      (ft)      (ft)        (deg)");
    }
}

// A distance outside the table (above 0.1) gives TNSWRN's warning once per flag word; a table
// that turns back gives its own message once per line type, however many lines and calls
// meet it, then the abort prompt: "A" ends the run, an unattended run stops with status 1.
TEST(EquilibriumSummary, TableWarnings) {
    {
        SummaryRun run("\n");
        fill_linear_spread();
        place_vessel(0.0f);
        LineGeometry g = at_rest();
        g.RANC[0] = 1200.0f; // beyond the last point, 1120
        g.RANC[1] = 0.11f;   // before the first, 900, and not under the fairlead
        run.report(still_water_state(), g);
        const std::string screen = run.console.screen();
        EXPECT_TRUE(screen.starts_with(
            " ++> Warning: A fairlead-anchor distance for line number  1, and possibly"));
        EXPECT_EQ(screen.find("Warning", 20), std::string::npos);
        EXPECT_EQ(BITVAL(run.MRWRNS, 2), 1); // kind 2 recorded in the flag word
    }
    const auto turn_back = [] { LINCOM.ANCDST(5, turret_midlyr, 1) = 1100.0f; };
    {
        SummaryRun run("\n");
        fill_linear_spread();
        place_vessel(0.0f);
        turn_back();
        run.report(still_water_state(), at_rest());
        const std::string message =
            "\n ++> Non-monotonic array detected in line type   1; contact Kelbrin\n";
        const std::string screen = run.console.screen();
        EXPECT_TRUE(screen.starts_with(message));
        EXPECT_EQ(screen.find("Non-monotonic", message.size()), std::string::npos);
        run.console.clear_screen_text();
        run.report(still_water_state(), at_rest());
        EXPECT_EQ(run.console.screen(), "");
    }
    {
        SummaryRun run("A\n");
        fill_linear_spread();
        place_vessel(0.0f);
        turn_back();
        run.report(still_water_state(), at_rest());
        EXPECT_EQ(run.stop, StopKind::user_choice);
    }
    {
        SummaryRun run;
        fill_linear_spread();
        place_vessel(0.0f);
        turn_back();
        ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                              FileForm::formatted));
        TPCM.EDUNIT = diagnostics_unit;
        run.report(still_water_state(), at_rest());
        EXPECT_EQ(run.stop, StopKind::error);
        close_unit(diagnostics_unit);
        EXPECT_NE(run.folder.read("Diagnostics.stxt").find(" ++> Non-monotonic array detected"),
                  std::string::npos);
    }
}

// GETNODE solves the nodes of every loaded line into the mean-position slot, report or not:
// the closed-form spread of elastic catenaries, each line's fairlead node at its load.
TEST(EquilibriumSummary, NodesAreSolvedWithoutTheReport) {
    const Chain chain{};
    constexpr float span = static_cast<float>(spread_depth);
    SummaryRun run;
    fill_spread_tables(chain, 3, 10.0f);
    TPCM.NTYP = 1;
    TPCM.NELEM(1) = 1;
    TPCM.SLEN(1, 1) = static_cast<float>(chain.L);
    TPCM.WETWT(1, 1) = static_cast<float>(chain.w);
    TPCM.ALPHA(1, 1, 1) = static_cast<float>(1.0 / chain.EA);
    TPCM.ANCTYP(1) = 1;
    TPCM.SIMTYP = 8;
    TPCM.IUNIT = 1;
    TPCM.EDUNIT = screen_unit;
    for (int i = 1; i <= 4; ++i)
        OUTCOM.DZTOTL(i, 4, 1) = span;
    place_vessel(0.0f);
    LineGeometry g;
    for (int i = 1; i <= 4; ++i) {
        g.RANC[static_cast<std::size_t>(i - 1)] = LINCOM.RANC(i);
        g.ANGDEP[static_cast<std::size_t>(i - 1)] = TPCM.ANGDEP(i);
    }
    EquilibriumSummary state = still_water_state();
    state.LPRINT = 0;
    state.GETNODE = 1;
    EXPECT_EQ(run.report(state, g), "");
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(::testing::Message() << "line " << i);
        const CatenaryState c = elastic_catenary(chain, spread_H0, span);
        EXPECT_NEAR(OUTCOM.NODE_X(1, i, 4, 1), c.X, 0.5); // the load read between points
        EXPECT_NEAR(OUTCOM.TMEANI(1, i, 4, 1), c.T, 0.5);
        EXPECT_NEAR(OUTCOM.NODE_Z(1, i, 4, 1), span, 0.5);
        EXPECT_EQ(OUTCOM.NODE_X(1, i, 4, 2), 0.0f); // side 1 only
    }
    EXPECT_NEAR(run.NET_TNDN_FRC, 4.0 * elastic_catenary(chain, spread_H0, span).V, 2.0);
}

// Metric units: forces in "m.ton", lengths in "m.", moments in "ton-m".
TEST(EquilibriumSummary, MetricUnitLabels) {
    SummaryRun run;
    fill_linear_spread();
    place_vessel(0.0f);
    TPCM.NUNTS = 1;
    EquilibriumSummary state = loaded_state();
    state.XERR = 0.0f;
    const std::string report = run.report(state, at_rest());
    for (const std::string start :
         {"    X Mooring Force (m.ton)    ", "    Total Plan View Force (m.ton)  ",
          "    Z Mooring Moment (ton-m)   ", "    X Displacement (m.)    ",
          "    Total Plan View Offset (m.)    ", "    Y  (m.ton/m.; Mooring)   ",
          "    Mz (ton-m/deg; Total)   ", "  #/Type       (m.ton)        Tension   Separation",
          "            Top    Anchor     (m.ton)      (m.)      (m.)        (deg)"}) {
        EXPECT_NE(record_starting(report, start), "") << start;
    }
}

// The mooring's yaw stiffness: the four fairleads 50 ahead of the turning centre. Turning by
// 0.05 rad changes the moment about the centre by 50 x the change of the lateral force; worked
// out in double precision over the four lines, (M(0) - M(0.05)) x 20 / 57.295776 = 959.534 per
// degree (the small-angle stiffness 50^2 x 22 per radian is 959.93). The total adds the
// environment's 34.892.
TEST(EquilibriumSummary, YawStiffnessOfTheMooringAndTheEnvironment) {
    SummaryRun run;
    fill_linear_spread();
    for (int i = 1; i <= 4; ++i)
        TPCM.RFLD(1, i) = 50.0f;
    place_vessel(0.0f);
    EquilibriumSummary state = still_water_state();
    state.IEQTYP = 2;
    const std::string report = run.report(state, at_rest());
    const auto value = [&](const std::string& label) {
        const std::string row = record_starting(report, "    Mz (ft-kp/deg; " + label + ")");
        EXPECT_EQ(row.size(), 47u) << label;
        return row.size() == 47u ? std::stod(row.substr(33)) : 0.0;
    };
    constexpr double tol = 0.05; // four-byte moments of some 5e4 differenced: about 0.02
    EXPECT_NEAR(value("Mooring"), 959.534, tol);
    EXPECT_NEAR(value("Environment"), 34.892, 0.006);
    EXPECT_NEAR(value("Total"), 959.534 + 34.892, tol);
}

} // namespace
} // namespace lintar
