// Tests of the last chapter of the low-frequency report: the offset cases, the extreme line
// loads of section VIa, the net load snapshots of section VIb and the envelope data file, on
// the linear four-line spread of low_frequency_loads_fixture.h; the six-degree-of-freedom
// code, the turret of a legacy data file and the two-body runs on the box ship and catenary
// spread of the buoy's wave cycle (box_ship_low_frequency_fixture.h). The texts are typed from the
// report layouts; the numbers come from the closed form of the linear line table
// (H = 10 (d - 900)), the elastic catenary and the independent net force of each spread.
#include "blocks/block_support.h"
#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/lf_mode_record.h"
#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "low_frequency/box_ship_low_frequency_fixture.h"
#include "low_frequency/buoy_wave_cycle_fixture.h"
#include "low_frequency/low_frequency_loads.h"
#include "low_frequency/low_frequency_loads_fixture.h"
#include "low_frequency/offset_region.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace lintar {
namespace {

using namespace testing;

// Float sums over four lines of loads near 1000: some 1e-4 of noise.
constexpr double force_tol = 0.01;
// Distances built from a sigma of 2 in float arithmetic.
constexpr double length_tol = 1e-3;

// The records of a text.
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

// The n records from the first record equal to `first` on (empty when there is none).
std::vector<std::string> block_from(const std::string& text, const std::string& first,
                                    std::size_t n) {
    const auto r = records(text);
    for (std::size_t k = 0; k < r.size(); ++k)
        if (r[k] == first)
            return {r.begin() + static_cast<std::ptrdiff_t>(k),
                    r.begin() + static_cast<std::ptrdiff_t>(std::min(r.size(), k + n))};
    return {};
}

// Occurrences of `what` anywhere in `text`.
std::size_t occurrences(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

std::size_t count_of(const std::string& text, const std::string& record) {
    std::size_t n = 0;
    for (const auto& r : records(text))
        n += r == record ? 1 : 0;
    return n;
}

// A LOWLOD run with the report on "LOWOUT.stxt" (unit 1), or on the console.
struct LowlodRun {
    ScratchFolder folder;
    ScriptedConsole console;
    std::optional<StopKind> stop;

    explicit LowlodRun(std::string keyboard = "") : console(std::move(keyboard)) {}

    std::string report() {
        EXPECT_TRUE(open_unit(1, "LOWOUT.stxt", OpenStatus::replace, FileForm::formatted));
        stop = run_until_stop([] { LOWLOD(); });
        close_unit(1);
        return folder.read("LOWOUT.stxt");
    }
};

const std::string edge = "  **" + std::string(72, ' ') + "**";
const std::string via_title =
    "  *********  VIa.  Low-Frequency Maximum/Minumum Line Loads Summary   ********";

std::vector<std::string> heads() {
    return {"",
            std::string(62, ' ') + "   Line  ",
            "   Line   - Total Tension -  Horizontal  Endpoint   Bottom     Line Angle  ",
            "  #/Type       (k.lbs)        Tension   Separation  Length    Plan   Profile",
            "            Top    Anchor     (k.lbs)      (ft)      (ft)        (deg)",
            "",
            ""};
}

// The four lines at the mean position (the cases of zero statistics): H = 10 (d - 900) at
// d = 980.05, 990.20, 1020.05, 1010.20 (the distances from (20, 10) to the anchors), anchor
// tension H / cos 0.05 - 0.03 H, grounded length 600 - H / 4, plan angle of the line, profile
// 0.5 rad = 28.65 deg.
const std::vector<std::string> mean_rows = {
    "   1/a      800.51    777.50     800.51    980.05    399.87   359.42   28.65",
    "   2/a      902.02    876.09     902.02    990.20    374.49    91.16   28.65",
    "   3/a     1200.49   1165.98    1200.49   1020.05    299.88   180.56   28.65",
    "   4/a     1101.98   1070.30    1101.98   1010.20    324.51   268.87   28.65"};

TEST(LowFrequencyLoads, SectionViaOfZeroStatisticsIsTheMeanStateOnEveryPage) {
    LowlodRun run;
    fill_low_frequency_loads();
    const std::string text = run.report();
    ASSERT_FALSE(run.stop.has_value());

    std::vector<std::string> page = {
        "\f", edge, via_title,
        edge, "",   "  +++  \"One sigma\"  <<+ side>> LOW-FREQUENCY line loads +++"};
    for (const auto& h : heads())
        page.push_back(h);
    page.insert(page.end(), mean_rows.begin(), mean_rows.end());
    page.push_back("");
    page.push_back("  +++  \"One sigma\"  <<- side>> LOW-FREQUENCY line loads +++");
    for (const auto& h : heads())
        page.push_back(h);
    page.insert(page.end(), mean_rows.begin(), mean_rows.end());
    page.push_back("\f");
    EXPECT_EQ(block_from(text, "\f", page.size()), page);

    // The storm level prints its extremes and its snapshots; all corners carry the same load,
    // so the ties keep the y corners.
    std::vector<std::string> snap = {
        "",
        "",
        " >>> Line load snapshot taken at the low-frequency turnaround point with",
        "     maximum net vessel loads (the \"maximum VFy+\" turnaround point)",
        "",
        "                   (Gx,Gy,Yaw) = (    20.00,    10.00,     0.00)"};
    for (const auto& h : heads())
        snap.push_back(h);
    snap.insert(snap.end(), mean_rows.begin(), mean_rows.end());
    EXPECT_EQ(block_from(text, snap[2], snap.size() - 2),
              std::vector<std::string>(snap.begin() + 2, snap.end()));
    EXPECT_EQ(
        count_of(text, "     minimum net vessel loads (the \"minimum VFy-\" turnaround point)"),
        1u);
    EXPECT_EQ(count_of(text, "  +++ Storm extreme <<+ side>> LOW-FREQUENCY line loads +++"), 1u);
    EXPECT_EQ(count_of(text, "  +++ Storm extreme <<- side>> LOW-FREQUENCY line loads +++"), 1u);
    // The two-sigma level is not printed; the storm minus side starts a page of its own.
    EXPECT_EQ(count_of(text, "  +++  \"Two sigma\"  <<+ side>> LOW-FREQUENCY line loads +++"), 0u);
    EXPECT_EQ(count_of(text, via_title), 3u);
}

TEST(LowFrequencyLoads, ZeroStatisticsPutEveryCaseAtTheMeanPosition) {
    LowlodRun run;
    fill_low_frequency_loads();
    (void)run.report();
    for (int L = 1; L <= 3; ++L) {
        SCOPED_TRACE(L);
        for (std::span<float, 4> rec : {OUTCOM.GXMAXQ_record(L), OUTCOM.GXMINQ_record(L),
                                        OUTCOM.GYMAXQ_record(L), OUTCOM.GYMINQ_record(L)}) {
            EXPECT_FLOAT_EQ(rec[0], mean_x);
            EXPECT_FLOAT_EQ(rec[1], mean_y);
            EXPECT_FLOAT_EQ(rec[2], 0.0f);
        }
        EXPECT_FLOAT_EQ(OUTCOM.BXMAX(L), mean_x);
        EXPECT_FLOAT_EQ(OUTCOM.BXMIN(L), mean_x);
        for (int i = 1; i <= 4; ++i)
            for (int s = 1; s <= 2; ++s) {
                EXPECT_FLOAT_EQ(LINCOM.REXTRM(i, L, s), LINCOM.RANCP(i));
                EXPECT_NEAR(OUTCOM.TQSRAN(i, L, s), 10.0 * (LINCOM.RANCP(i) - 900.0), force_tol);
            }
    }
    // The mean case.
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(OUTCOM.TQSRAN(i, 4, 1), OUTCOM.TMEAN(i));
        EXPECT_EQ(OUTCOM.BQSRAN(i, 4, 2), OUTCOM.BMEAN(i));
        EXPECT_EQ(LINCOM.REXTRM(i, 4, 2), LINCOM.RANCP(i));
    }
}

TEST(LowFrequencyLoads, LinearMooringOffsetsAreSigmaTimesTheLevelFactor) {
    LowlodRun run;
    fill_low_frequency_loads();
    set_surge_statistics();
    (void)run.report();
    ASSERT_FALSE(run.stop.has_value());
    // The surge direction of the normal-mode frame points to global -x (GOFANG 0: the frame
    // turns by pi); the factors are 1, 2 and the peak factor 3.
    const std::array<float, 3> factor = {1.0f, 2.0f, 3.0f};
    for (int L = 1; L <= 3; ++L) {
        SCOPED_TRACE(L);
        const double x = surge_sigma * factor[static_cast<std::size_t>(L - 1)];
        EXPECT_NEAR(OUTCOM.GRMAX(1, L), mean_x - x, length_tol);
        EXPECT_NEAR(OUTCOM.GRMAX(2, L), mean_y, length_tol);
        EXPECT_NEAR(OUTCOM.GRMIN(1, L), mean_x + x, length_tol);
        EXPECT_NEAR(OUTCOM.BXMAX(L) - OUTCOM.BXMIN(L), 2.0 * x, length_tol);
        // Lines 1 and 3 lie along the surge: their distances move by the excursion, and their
        // tensions are the table's at those distances.
        for (int i : {1, 3}) {
            EXPECT_NEAR(OUTCOM.RLOVAR(i, L, 1), LINCOM.RANCP(i) + x, length_tol);
            EXPECT_NEAR(OUTCOM.RLOVAR(i, L, 2), LINCOM.RANCP(i) - x, length_tol);
        }
        for (int i = 1; i <= 4; ++i)
            for (int s = 1; s <= 2; ++s) {
                const double H = 10.0 * (OUTCOM.RLOVAR(i, L, s) - 900.0);
                EXPECT_NEAR(OUTCOM.H_MEAN(i, L, s), H, force_tol);
                EXPECT_NEAR(OUTCOM.BQSRAN(i, L, s), H / std::cos(0.05), force_tol);
            }
    }
    // The storm level at the second and third kinds of peak factor (2 and 4).
    EXPECT_NEAR(OUTCOM.RLOVAR(1, 5, 1), LINCOM.RANCP(1) + 2.0, length_tol);
    EXPECT_NEAR(OUTCOM.RLOVAR(1, 6, 2), LINCOM.RANCP(1) + 4.0, length_tol);
    EXPECT_NEAR(OUTCOM.TQSRAN(1, 6, 1), 10.0 * (LINCOM.RANCP(1) + 4.0 - 900.0), force_tol);
}

TEST(LowFrequencyLoads, CornerLoadsAreTheMooringForceAtTheCorners) {
    LowlodRun run;
    fill_low_frequency_loads();
    set_surge_statistics();
    (void)run.report();
    // LFVARR columns (level, x/y, plus/minus) of GXMAXQ, GXMINQ, GYMAXQ, GYMINQ at heading 0.
    const std::array<std::array<int, 4>, 3> column = {
        {{9, 10, 5, 6}, {11, 12, 7, 8}, {1, 3, 2, 4}}};
    for (int L = 1; L <= 3; ++L) {
        const std::array<std::span<float, 4>, 4> recs = {
            OUTCOM.GXMAXQ_record(L), OUTCOM.GXMINQ_record(L), OUTCOM.GYMAXQ_record(L),
            OUTCOM.GYMINQ_record(L)};
        for (std::size_t c = 0; c < 4; ++c) {
            SCOPED_TRACE(::testing::Message() << "level " << L << " corner " << c);
            const auto F = spread_force(recs[c][0], recs[c][1]);
            const int col = column[static_cast<std::size_t>(L - 1)][c];
            EXPECT_NEAR(OUTCOM.LFVARR(1, col), F[0], force_tol);
            EXPECT_NEAR(OUTCOM.LFVARR(2, col), F[1], force_tol);
        }
    }
}

TEST(LowFrequencyLoads, MeanLoadInVesselAxesAtHeadingNinety) {
    LowlodRun run;
    fill_low_frequency_loads();
    EQUILB.VESANG() = static_cast<float>(std::numbers::pi / 2.0);
    (void)run.report();
    // The fairleads sit at the vessel's origin: the heading does not move them.
    const auto F = spread_force(mean_x, mean_y);
    EXPECT_NEAR(OUTCOM.FXMEAN, F[0], force_tol);
    EXPECT_NEAR(OUTCOM.FYMEAN, F[1], force_tol);
    EXPECT_NEAR(OUTCOM.LFVARR(1, 13), F[1], force_tol);
    EXPECT_NEAR(OUTCOM.LFVARR(2, 13), -F[0], force_tol);
}

TEST(LowFrequencyLoads, OneTwoZeroPrintsTheTwoSigmaLevelAndStoresTheOther) {
    LowlodRun run;
    fill_low_frequency_loads();
    set_surge_statistics();
    TPCM.ONETWO = 0;
    const std::string text = run.report();
    EXPECT_EQ(count_of(text, "  +++  \"Two sigma\"  <<+ side>> LOW-FREQUENCY line loads +++"), 1u);
    EXPECT_EQ(count_of(text, "  +++  \"One sigma\"  <<+ side>> LOW-FREQUENCY line loads +++"), 0u);
    // The one-sigma level is stored all the same.
    EXPECT_NEAR(OUTCOM.RLOVAR(1, 1, 1), LINCOM.RANCP(1) + surge_sigma, length_tol);
    EXPECT_NE(count_of(text, "       (c) \"Typical Two Sigma\" Gx Boundaries: (    22.00,    "
                             "18.00)"),
              0u);
}

TEST(LowFrequencyLoads, SectionVibNotesAndTablesInTheThreeDegreeOfFreedomForm) {
    LowlodRun run;
    fill_low_frequency_loads();
    TPCM.RMCTR(1) = 12.5f;
    const std::string text = run.report();
    const std::vector<std::string> expected = {
        "  *********  VIb.  Low-Frequency Net Vessel Motion and Load Summary   ********",
        edge,
        " >>>  Bounding Box estimates:",
        "        Bounding region estimates for quasi-static",
        "        vessel  centroid offsets (Gx,Gy):",
        "",
        "       (a) Most Probable Gx Boundaries:       (    20.00,    20.00)",
        "       (b) Most Probable Gy Boundaries:       (    10.00,    10.00)",
        "       (c) \"Typical One Sigma\" Gx Boundaries: (    20.00,    20.00)",
        "       (d) \"Typical One Sigma\" Gy Boundaries: (    10.00,    10.00)",
        "",
        " >>> Snapshot load notes:",
        "",
        "      1. This summary comprises \"quasi-static\" NET load snapshots taken at",
        "         a selection of vessel  centroid global offset points (Gx,Gy,Yaw):",
        "",
        "        (a) The \"Maximum VFx+\" turnaround:   (    20.00,    10.00,     0.00)",
        "        (b) The \"Maximum VFy+\" turnaround:   (    20.00,    10.00,     0.00)",
        "        (c) A \"typical One Sig VFx+\" offset: (    20.00,    10.00,     0.00)",
        "        (D) A \"typical One Sig VFy+\" offset: (    20.00,    10.00,     0.00)",
        "        (e) The mean vessel offset:          (    20.00,    10.00,     0.00)",
        "        (f) A \"typical One Sig VFx-\" offset: (    20.00,    10.00,     0.00)",
        "        (g) A \"typical One Sig VFy-\" offset: (    20.00,    10.00,     0.00)",
        "        (h) The \"Minimum VFx-\" turnaround:   (    20.00,    10.00,     0.00)",
        "        (i) The \"Minimum VFy-\" turnaround:   (    20.00,    10.00,     0.00)",
        "",
        "",
        "      2. Mooring moments are reported about the Vessel coordinate point",
        "",
        "               (Vx,Vy,Vz) = ( 1.250E+01, 0.000E+00, 0.000E+00)",
        "",
        "                      +++++ Resolved in GLOBAL Coordinates +++++",
        "",
        "",
        "              ------ Net Vessel Loads ----   ------- Net Vessel Moments -------",
        "                X          Y          Z          X           Y           Z",
        "              ---------- (k.lbs)  --------   ----------- (k.lbs*ft) -----------"};
    EXPECT_EQ(block_from(text, expected[0], expected.size()), expected);
    // The net load at the mean: Fx, Fy of the closed form (-440.000, -219.865); Fz = -tan(0.5)
    // times the sum of the four horizontal loads (4005.0): -2187.94. No moment about the
    // fairleads' own point.
    const auto rows = block_from(text, expected.back(), 10);
    ASSERT_EQ(rows.size(), 10u);
    const std::string& mean_row = rows[5];
    EXPECT_EQ(mean_row.substr(0, 15), " Mean load:    ");
    const auto F = spread_force(mean_x, mean_y);
    EXPECT_NEAR(std::stod(mean_row.substr(15, 9)), F[0], 0.01);
    EXPECT_NEAR(std::stod(mean_row.substr(24, 10)), F[1], 0.01);
    EXPECT_NEAR(std::stod(mean_row.substr(34, 11)), -std::tan(0.5) * 4005.0, 0.01);
}

TEST(LowFrequencyLoads, NegativeAnswerAtAPauseRestartsFromLevelOne) {
    // Pauses after each printed block: the second answer goes back.
    LowlodRun run("\n-1\n\n\n\n\n\n\n\n");
    fill_low_frequency_loads();
    set_surge_statistics();
    TPCM.IUNIT = screen_unit;
    run.stop = run_until_stop([] { LOWLOD(); });
    ASSERT_FALSE(run.stop.has_value());
    const std::string screen = run.console.screen();
    EXPECT_EQ(count_of(screen, "  +++  \"One sigma\"  <<+ side>> LOW-FREQUENCY line loads +++"),
              2u);
    EXPECT_EQ(count_of(screen, "  +++ Storm extreme <<- side>> LOW-FREQUENCY line loads +++"), 1u);
    // The same numbers the second time: line 1's rows are plus, minus, then plus again.
    std::vector<std::string> line1;
    for (const auto& r : records(screen))
        if (r.starts_with("   1/a "))
            line1.push_back(r);
    ASSERT_GE(line1.size(), 3u);
    EXPECT_EQ(line1[2], line1[0]);
    EXPECT_NE(line1[1], line1[0]);
}

// (LINEID 1024, "type 0 switched off", is no value the line-table stage makes: types run from
// 1 and an excluded line adds 1024 to its type; the force routines would read it as type 0.)
TEST(LowFrequencyLoads, EdgeCasesOfTheLineLoads) {
    struct Case {
        const char* name;
        int line;
        std::int32_t id;
        float RANCP;
    };
    const Case cases[] = {
        {"switched-off line prints zeros", 2, 1025, 990.202f},
        {"a distance below the table is taken 0.1 above it", 3, 1, 850.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Return at the tension warnings' pauses.
        LowlodRun run("\n\n\n\n");
        fill_low_frequency_loads();
        LINCOM.LINEID(c.line) = c.id;
        LINCOM.RANCP(c.line) = c.RANCP;
        const std::string text = run.report();
        if (c.id >= 1024) {
            ASSERT_FALSE(run.stop.has_value());
            // The row of each printed block: two of the one-sigma level, four of the storm's.
            const std::string letter(1, static_cast<char>(97 + c.id % 1024 - 1));
            EXPECT_EQ(count_of(text, "   2/" + letter +
                                         "        0.00      0.00       0.00      0.00      "
                                         "0.00     0.00    0.00"),
                      6u);
        } else {
            ASSERT_FALSE(run.stop.has_value());
            // The first table distances are 900 and 920; the warning of the first interval
            // comes once.
            EXPECT_EQ(count_of(run.console.screen(),
                               " ++> Warning: An estimated tension for line number  3, and "
                               "possibly"),
                      1u);
            EXPECT_FLOAT_EQ(LINCOM.REXTRM(c.line, 1, 1), 900.1f);
            EXPECT_NEAR(OUTCOM.TQSRAN(c.line, 1, 1), 1.0, force_tol);
        }
    }
}

TEST(LowFrequencyLoads, HardeningCurveGivesTheInterpolatedEqualEnergyExcursion) {
    ScriptedConsole console;
    fill_low_frequency_loads();
    set_surge_statistics();
    // E(x) = 11 x^2 + x^4 at x = -5, ..., 6; the linear estimate 3 stores 11 * 9 = 99, which
    // lies between E(2) = 60 and E(3) = 180: x = 2 + (99 - 60) / (180 - 60).
    for (int k = 1; k <= turret_numtab; ++k) {
        const float x = static_cast<float>(k - curve_equilibrium);
        ERGCOM.PENFUN(k) = 11.0f * x * x + x * x * x * x;
    }
    const SigmaArrays s = lowlod_sigma_arrays();
    Excursions e = first_excursions(3, PeakKind::main, 1.0f, false);
    EXPECT_FLOAT_EQ(e.SRG, 3.0f);
    const auto stop = run_until_stop([&] { correct_excursions(e, s, true); });
    ASSERT_FALSE(stop.has_value()) << console.screen();
    const double expected = 2.0 + (99.0 - 60.0) / (180.0 - 60.0);
    EXPECT_NEAR(e.SRG, expected, 1e-5);
    EXPECT_NEAR(e.SRG_FAC, expected / surge_sigma, 1e-5);
    // A zero excursion is not corrected and keeps the factor 1.0; so does a zero sigma.
    EXPECT_EQ(e.SWY, 0.0f);
    EXPECT_EQ(e.SWY_FAC, 1.0f);
}

// ---- The envelope data file ----------------------------------------------------------------

constexpr int envelope_unit = 124;

// The fields of a list-directed record of 13 four-byte reals (17 columns each).
std::vector<double> list_values(const std::string& record) {
    std::vector<double> v;
    for (std::size_t at = 0; at + 17 <= record.size(); at += 17)
        v.push_back(std::stod(record.substr(at, 17)));
    return v;
}

// Each record holds the values `expected` (list-directed, 17 columns a value).
void expect_list_record(const std::string& record, const std::vector<double>& expected,
                        double tol) {
    SCOPED_TRACE(record);
    ASSERT_EQ(record.size(), 17 * expected.size());
    const auto v = list_values(record);
    for (std::size_t k = 0; k < expected.size(); ++k)
        EXPECT_NEAR(v[k], expected[k], tol) << "value " << k + 1;
}

std::vector<double> scaled(double f, const std::vector<double>& a) {
    std::vector<double> out;
    for (double x : a)
        out.push_back(f * x);
    return out;
}

// The envelope data file of a run (unit 124 open on "envelope.dat" as the report driver opens
// it) and the report.
struct EnvelopeRun : LowlodRun {
    std::string text;
    std::vector<std::string> envelope;
    explicit EnvelopeRun(std::string keyboard = "") : LowlodRun(std::move(keyboard)) {}
    void run() {
        EXPECT_TRUE(
            open_unit(envelope_unit, "envelope.dat", OpenStatus::replace, FileForm::formatted));
        text = report();
        close_unit(envelope_unit);
        envelope = records(folder.read("envelope.dat"));
        if (!envelope.empty() && envelope.back().empty())
            envelope.pop_back();
    }
};

// The surge statistics of the linear spread with a sway and a yaw component whose totals are
// 0 (so that no excursion but the surge's moves), the second swell, a user force the
// component tables leave out while it is off, the wind and the net environmental load turned
// 36.87 degrees off the x axis, and the titles of the data.
void envelope_statistics() {
    set_surge_statistics();
    lf(VARSWL_2) = 0.125f;
    lf(VSWDG_2) = 0.375f;
    lf(VR1UF1) = 0.5f;  // a user force that is off
    lf(VRWND2) = 0.7f;  // sway by the wind, total 0
    lf(VRCUR3) = 0.25f; // yaw by the current, total 0
    EQUILB.FYENV = 300.0f;
    EQUILB.SYWND = 300.0f;
    EQUILB.MODE_ROT_ANG = 0.25f;
    ERGCOM.REQLIB = 12.5f;
    TPCM.WriteAuxDatFiles = 1;
    TPCM.CMPUTR = 5;
    set_field_text(std::span<char, 80>(TPCM.CID1_chars), std::string(72, 'a') + "CUT-OFF!");
    set_field_text(std::span<char, 80>(TPCM.CID2_chars), "Second title");
}

TEST(LowFrequencyLoads, EnvelopeDataFileRecordsInTheirOrder) {
    EnvelopeRun run;
    fill_low_frequency_loads();
    envelope_statistics();
    run.run();
    ASSERT_FALSE(run.stop.has_value());
    const auto& e = run.envelope;
    ASSERT_EQ(e.size(), 28u); // 6 of the set-up, 4 a level, 8 of the storm variants, 2 titles

    // F_MAG: the net environment and the wind (400, 300) -> 500; nothing else is present.
    const std::vector<double> zeros(13, 0.0);
    std::vector<double> fmag = zeros, phif = zeros;
    fmag[0] = fmag[1] = 500.0;
    phif[0] = phif[1] = std::atan2(300.0, 400.0);
    expect_list_record(e[0], fmag, 1e-4);
    expect_list_record(e[1], phif, 1e-7);
    // The sigma arrays: surge total, wind, second swell; the user force's slot emptied by the
    // component tables; sway and yaw only their components.
    const std::vector<double> sigmtn = {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.125, 0.375};
    const std::vector<double> sigylo = {0, 0.7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const std::vector<double> sigyhi = {0, 0, 0.25, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(e[2], "   1.00000000       1.00000000       0.00000000       0.00000000    "
                    "   0.00000000       0.00000000       0.00000000       0.00000000    "
                    "   0.00000000       0.00000000       0.00000000      0.125000000    "
                    "  0.375000000    ");
    expect_list_record(e[3], sigylo, 1e-7);
    expect_list_record(e[4], sigyhi, 1e-7);
    // VESANG, MODE_ROT_ANG, the angle from the normal-mode frame to global (-(GOFANG + pi)),
    // REQLIB.
    EXPECT_EQ(e[5], "   0.00000000      0.250000000      -3.14159274       12.5000000    ");
    // Each level: surge sigmas times the plus factor (the level's multiple), sway times 1.0
    // (no sway excursion), surge times the minus factor (its negative), sway again. The storm
    // level's factor is its peak factor 3.
    for (int L = 1; L <= 3; ++L) {
        SCOPED_TRACE(L);
        const std::size_t r = 6 + 4 * static_cast<std::size_t>(L - 1);
        expect_list_record(e[r], scaled(L, sigmtn), 1e-3);
        expect_list_record(e[r + 1], sigylo, 1e-7);
        expect_list_record(e[r + 2], scaled(-L, sigmtn), 1e-3);
        expect_list_record(e[r + 3], sigylo, 1e-7);
    }
    // The storm variants of the second and third kind of peak factor (2 and 4), then the
    // titles in 18 words of four characters.
    for (const auto& [r, f] : {std::pair{18u, 2.0}, std::pair{22u, 4.0}}) {
        SCOPED_TRACE(f);
        expect_list_record(e[r], scaled(f, sigmtn), 1e-3);
        expect_list_record(e[r + 1], sigylo, 1e-7);
        expect_list_record(e[r + 2], scaled(-f, sigmtn), 1e-3);
        expect_list_record(e[r + 3], sigylo, 1e-7);
    }
    EXPECT_EQ(e[26], " " + std::string(72, 'a'));
    EXPECT_EQ(e[27], " Second title" + std::string(60, ' '));
}

TEST(LowFrequencyLoads, EnvelopeDataFileOnlyWhenAskedFor) {
    struct Case {
        const char* name;
        std::int32_t WriteAuxDatFiles, CMPUTR;
    };
    const Case cases[] = {{"not asked for", 0, 5}, {"platform 3", 1, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EnvelopeRun run;
        fill_low_frequency_loads();
        envelope_statistics();
        TPCM.WriteAuxDatFiles = c.WriteAuxDatFiles;
        TPCM.CMPUTR = c.CMPUTR;
        run.run();
        ASSERT_FALSE(run.stop.has_value());
        EXPECT_TRUE(run.envelope.empty());
    }
}

// ---- Tension warnings ------------------------------------------------------------------------

TEST(LowFrequencyLoads, TensionWarningsComeOncePerKindAndTheWorkGoesOn) {
    // Lines 3 and 4 carry 1200 and 1102 at every case, above a TLOAD of 1000; line 1 lies below
    // the table's first interval. Each kind is told once, for the first line met.
    LowlodRun run("\n\n\n\n");
    fill_low_frequency_loads();
    set_surge_statistics();
    TPCM.TLOAD = 1000.0f;
    LINCOM.RANCP(1) = 850.0f;
    const std::string text = run.report();
    ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
    const std::string screen = run.console.screen();
    const std::string head = " ++> Warning: An estimated tension for line number ";

    // (The pause's prompt stays on the line the next warning starts.)
    EXPECT_EQ(occurrences(screen, head + " 1, and possibly"), 1u);
    EXPECT_EQ(occurrences(screen, head + " 3, and possibly"), 1u);
    EXPECT_EQ(occurrences(screen, head), 2u);
    EXPECT_EQ(occurrences(screen, "others, lies between interpolation rows 1 and 2"), 1u);
    EXPECT_EQ(occurrences(screen, "others, lies outside the reliable interpolation range for"), 1u);
    // The rows still carry the tensions above TLOAD (line 3 at 1021.05 on the one-sigma plus
    // side: 10 x 121.05), and the report runs to its end.
    EXPECT_NE(text.find("   3/a     1210.49"), std::string::npos);
    EXPECT_NE(text.find("VIb.  Low-Frequency Net Vessel Motion"), std::string::npos);
}

// ---- The six-degree-of-freedom note form ----------------------------------------------------

TEST(LowFrequencyLoads, SectionVibNotesInTheSixDegreeOfFreedomForm) {
    // Program code 14 on the plane mooring force (LEGTLP 1): the corners' vertical offset is
    // the mooring's vertical load beyond the required one over the waterplane spring.
    LowlodRun run;
    fill_low_frequency_loads();
    TPCM.SIMTYP = 14;
    TPCM.LEGTLP = 1;
    TPCM.AWP = 50.0f;
    WAVCOM.DWATRP = 2.0f;
    EQUILB.FZMREQ = -2000.0f;
    EQUILB.ZCGVAR = 1.5f;
    TPCM.RMCTR(1) = 12.5f;
    TPCM.RMCTR(3) = -0.004f;
    const std::string text = run.report();
    ASSERT_FALSE(run.stop.has_value());
    // Fz at the mean (every corner of zero statistics): -tan(0.5) x 4005.0 = -2187.94;
    // (-2187.94 + 2000) / (50 x 2) = -1.88.
    const std::string at_corner = "(    20.00,    10.00,    -1.88,     0.00)";
    const std::vector<std::string> expected = {
        " >>> Snapshot load notes:",
        "",
        " 1. This summary comprises \"quasi-static\" NET load snapshots taken at",
        "    a selection of vessel  centroid global offset points (Gx,Gy,Gz,Yaw):",
        "",
        "   (a) The \"Maximum VFx+\" turnaround:   " + at_corner,
        "   (b) The \"Maximum VFy+\" turnaround:   " + at_corner,
        "   (c) A \"typical One Sig VFx+\" offset: " + at_corner,
        "   (d) A \"typical One Sig VFy+\" offset: " + at_corner,
        "   (e) The mean vessel offset:          (    20.00,    10.00,     1.50,     0.00)",
        "   (f) A \"typical One Sig VFx-\" offset: " + at_corner,
        "   (g) A \"typical One Sig VFy-\" offset: " + at_corner,
        "   (h) The \"Minimum VFx-\" turnaround:   " + at_corner,
        "   (i) The \"Minimum VFy-\" turnaround:   " + at_corner,
        "",
        "",
        " 2. Mooring moments are reported about the Vessel coordinate point",
        "",
        "           (Vx,Vy,Vz) = ( 1.250E+01, 0.000E+00,-4.000E-03)",
        "",
        "                      +++++ Resolved in GLOBAL Coordinates +++++"};
    EXPECT_EQ(block_from(text, expected[0], expected.size()), expected);
    for (int L = 1; L <= 3; ++L)
        EXPECT_NEAR(OUTCOM.GYMINQ_record(L)[3], (-std::tan(0.5) * 4005.0 + 2000.0) / 100.0, 1e-3);
}

// ---- The box ship of the buoy's wave cycle -------------------------------------------------

// A LOWLOD run with the report on "LOWOUT.stxt" (unit 1) and the offset report on
// "OFFSETS.stxt" (unit 21).
struct TwoBodyRun {
    ScratchFolder folder;
    ScriptedConsole console;
    std::optional<StopKind> stop;
    std::string report, offsets;

    explicit TwoBodyRun(std::string keyboard = "") : console(std::move(keyboard)) {}

    void run() {
        EXPECT_TRUE(open_unit(1, "LOWOUT.stxt", OpenStatus::replace, FileForm::formatted));
        EXPECT_TRUE(
            open_unit(buoy_report_unit, "OFFSETS.stxt", OpenStatus::replace, FileForm::formatted));
        stop = run_until_stop([] { LOWLOD(); });
        close_unit(1);
        close_unit(buoy_report_unit);
        report = folder.read("LOWOUT.stxt");
        offsets = folder.read("OFFSETS.stxt");
    }
};

// ---- A turret read under LEGACY ---------------------------------------------------------------

// The turret's yaw arm and the angle d = GOFANG - VESANG between the offset direction and the
// heading: the yaw turns into surge by sin d and into sway by cos d.
constexpr double yaw_arm = 10.0;
constexpr double offset_to_heading = 0.5;
constexpr double legacy_heading = 0.3;
constexpr double yaw_sigma = 0.1;

// The box ship's spread taken as a turret mooring of a data file of the legacy form, at the
// mean offset (3, 4), heading 0.3: surge sigma 1 with the peak factors 3 / 2.5 (second kind
// 2 / 1.5, third 4 / 3.5), yaw sigma 0.1 with 2.5 (2, 4) on both sides, the yaw arm -10, sway
// sigma 0.2 (peak 2) that only the region's width sees; the surge energy curve against an
// offset table ten units a point, so that every excursion here keeps its linear value; the
// nodes asked for; the envelope data asked for.
void legacy_turret_state() {
    box_ship_low_frequency_state();
    TPCM.LSPM = 1;
    TPCM.LEGACY_ID = 1;
    TPCM.GETNODE = 1;
    EQUILB.RVES(1) = 3.0f;
    EQUILB.YCGVAR() = 4.0f;
    EQUILB.VESANG() = static_cast<float>(legacy_heading);
    EQUILB.GOFANG = static_cast<float>(legacy_heading + offset_to_heading);
    EQUILB.YAWARM = static_cast<float>(-yaw_arm);
    EQUILB.NETARM = 10.0f;
    lf(FSGPQ) = 2.5f;
    lf(FSGPQM) = 1.5f;
    lf(FSGPQS) = 3.5f;
    lf(EVRHI) = static_cast<float>(yaw_sigma);
    lf(FHIPK) = lf(FHIPQ) = 2.5f;
    lf(FHIPKM) = lf(FHIPQM) = 2.0f;
    lf(FHIPKS) = lf(FHIPQS) = 4.0f;
    lf(EVRLO) = 0.2f;
    lf(FLOPK) = lf(FLOPQ) = 2.0f;
    for (int k = 1; k <= 90; ++k) {
        const float x = 10.0f * static_cast<float>(k - curve_equilibrium);
        EQUILB.OFFSET(k) = x;
        ERGCOM.PENFUN(k) = 0.5f * spread_stiffness * x * x;
    }
    ERGCOM.EQBSRG = 0.0f;
    ERGCOM.REQLIB = 5.0f;
    TPCM.WriteAuxDatFiles = 1;
    TPCM.CMPUTR = 5;
}

// Surge and sway excursions of one kind on the plus and the minus side.
struct TurretCase {
    double srg, srgmin, swy, swymin;
};

// The excursion along line i: sqrt((sway sin)^2 + (surge cos)^2) in the line's frame of the
// offset direction; a line pointing back (cos < 0) takes the minus values on its plus side.
std::array<double, 2> along_line(int i, const TurretCase& c) {
    const double frame = LINCOM.ANGDPP(i) / 57.2957764 - std::numbers::pi - EQUILB.GOFANG;
    const double C = std::cos(frame), S = std::sin(frame);
    const double plus = std::hypot(c.swy * S, c.srg * C);
    const double minus = std::hypot(c.swymin * S, c.srgmin * C);
    return C < 0.0 ? std::array<double, 2>{minus, plus} : std::array<double, 2>{plus, minus};
}

TEST(LowFrequencyLoads, LegacyTurretTurnsTheYawIntoSurgeAndSwayByTheArm) {
    EnvelopeRun run("\n\n\n\n");
    legacy_turret_state();
    run.run();
    ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
    const double sd = std::sin(offset_to_heading), cd = std::cos(offset_to_heading);
    // Sigma levels: surge L sqrt(1 + sin^2 d) on both sides, sway |0.1 L x 10 cos d|.
    // Storm level: the yaw term 2 |0.25 x 10 sin d| over the peak factor of each kind added to
    // the surge (3, -2.5 and the variants), the sway |yaw x 10 cos d| of each kind.
    const double ytmp = 2.0 * 2.5 * sd;
    const std::array<TurretCase, 3> level = {
        TurretCase{std::sqrt(1 + sd * sd), -std::sqrt(1 + sd * sd), cd, -cd},
        TurretCase{2 * std::sqrt(1 + sd * sd), -2 * std::sqrt(1 + sd * sd), 2 * cd, -2 * cd},
        TurretCase{3 + ytmp / 2.5, -2.5 - ytmp / 2.5, 2.5 * cd, -2.5 * cd}};
    const TurretCase second{2 + ytmp / 2, -1.5 - ytmp / 2, 2 * cd, -2 * cd};
    const TurretCase third{4 + ytmp / 4, -3.5 - ytmp / 4, 4 * cd, -4 * cd};
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        const double R = LINCOM.RANCP(i);
        for (int L = 1; L <= 3; ++L) {
            SCOPED_TRACE(L);
            const auto x = along_line(i, level[static_cast<std::size_t>(L - 1)]);
            EXPECT_NEAR(LINCOM.REXTRM(i, L, 1), R + x[0], length_tol);
            EXPECT_NEAR(LINCOM.REXTRM(i, L, 2), R - x[1], length_tol);
        }
        // Cases 5 and 6: the plus value of the second and third kind on both sides.
        EXPECT_NEAR(OUTCOM.RLOVAR(i, 5, 1), R + along_line(i, second)[0], length_tol);
        EXPECT_NEAR(OUTCOM.RLOVAR(i, 5, 2), R + along_line(i, second)[0], length_tol);
        EXPECT_NEAR(OUTCOM.RLOVAR(i, 6, 1), R + along_line(i, third)[0], length_tol);
    }

    // The region of each level is the one of the turret's offset direction for those
    // excursions: surge along the offset direction, the sway-yaw widths of sway sigma 0.2 over
    // the net arm and of the yaw sigma, at the level's factors.
    for (int L = 1; L <= 3; ++L) {
        SCOPED_TRACE(L);
        const TurretCase& c = level[static_cast<std::size_t>(L - 1)];
        const double lo = L == 3 ? 2.0 : L, hi = L == 3 ? 2.5 : L;
        OffsetRegionInputs in;
        in.YAWARM = static_cast<float>(-yaw_arm);
        in.VESANG = static_cast<float>(legacy_heading);
        in.XC = 3.0f;
        in.YC = 4.0f;
        in.LFINDEX = L;
        in.IPEAK = 3;
        in.SURGP = static_cast<float>(c.srg);
        in.SURGM = static_cast<float>(c.srgmin);
        in.SRGSIG = 1.0f;
        in.LOSWYW = static_cast<float>(0.2 * lo / 10.0);
        in.LSYSIG = 0.02f;
        in.HISWYW = static_cast<float>(yaw_sigma * hi);
        in.HSYSIG = static_cast<float>(yaw_sigma);
        in.YAW_COR_FAC = 2.0f;
        in.LEGACY = true;
        const OffsetRegion r = GLOB_XY(in);
        EXPECT_NEAR(OUTCOM.BXMAX(L), r.XMAX, length_tol);
        EXPECT_NEAR(OUTCOM.BYMIN(L), r.YMIN, length_tol);
        EXPECT_NEAR(OUTCOM.YAWMAX(L), r.YAWMAXQ, 1e-5);
        EXPECT_NEAR(OUTCOM.YAWMIN(L), r.YAWMINQ, 1e-5);
        const std::array<std::pair<std::span<float, 4>, const float*>, 4> corners = {
            std::pair{OUTCOM.GXMAXQ_record(L), r.XMAXQ},
            std::pair{OUTCOM.GYMAXQ_record(L), r.YMAXQ},
            std::pair{OUTCOM.GXMINQ_record(L), r.XMINQ},
            std::pair{OUTCOM.GYMINQ_record(L), r.YMINQ}};
        for (const auto& [got, want] : corners)
            for (std::size_t k = 0; k < 3; ++k)
                EXPECT_NEAR(got[k], want[k], length_tol) << k;

        // The fairlead's transverse position at the x corners goes to the nodes: the node at
        // the fairlead stands (y - 4) cos a + (x - 3) sin a to the side, a the line's azimuth.
        for (int i = 1; i <= 4; ++i)
            for (int s = 1; s <= 2; ++s) {
                SCOPED_TRACE(::testing::Message() << "line " << i << " side " << s);
                const auto q = s == 1 ? OUTCOM.GXMAXQ_record(L) : OUTCOM.GXMINQ_record(L);
                const double a = LINCOM.ANGDPP(i) * std::numbers::pi / 180.0;
                const double y = (q[1] - 4.0) * std::cos(a) + (q[0] - 3.0) * std::sin(a);
                EXPECT_NEAR(OUTCOM.NODE_Y_nodes(i, L, s)[0], y, length_tol);
                if (L == 3) { // the storm variants take the plus side's
                    EXPECT_NEAR(OUTCOM.NODE_Y_nodes(i, 4 + s, s)[0],
                                OUTCOM.NODE_Y_nodes(i, 3, 1)[0], length_tol);
                }
            }
    }

    // The envelope data: the normal-mode frame is the heading's (-VESANG); the factors of the
    // levels stay 1.0 and no storm variants or titles are written.
    const auto& e = run.envelope;
    ASSERT_EQ(e.size(), 18u);
    const std::vector<double> sigmtn = {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    expect_list_record(e[5], {legacy_heading, 0.0, -legacy_heading, 5.0}, 1e-7);
    for (std::size_t r : {6u, 8u, 10u, 12u, 14u, 16u})
        expect_list_record(e[r], sigmtn, 1e-7);
    // Section VIb prints the region of a turret, about the mooring centroid.
    EXPECT_EQ(count_of(run.text, " >>>  Bounding Box estimates:"), 1u);
    EXPECT_EQ(count_of(run.text, "        mooring centroid offsets (Gx,Gy):"), 1u);
}

TEST(LowFrequencyLoads, SpreadMooringNodesStandAcrossTheLineByTheSurgeExcursion) {
    // The box ship's spread (not a legacy data file) with the nodes asked for. The surge
    // excursion of level L is L sigma (the storm's peak factor 3), along global x. A line at
    // azimuth a sees an excursion u along global x as u cos a along the line and u sin a
    // across it: the node at the fairlead stands L sin a to the side on the plus side, -L sin a
    // on the minus side; the storm variants (cases 5 and 6) take the storm's plus side, 3 sin a.
    LowlodRun run("\n\n\n\n");
    box_ship_low_frequency_state();
    TPCM.GETNODE = 1;
    (void)run.report();
    ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
    for (int i = 1; i <= 4; ++i) {
        const double a = spread_azimuth[static_cast<std::size_t>(i - 1)] * std::numbers::pi / 180.0;
        for (int L = 1; L <= 3; ++L) {
            SCOPED_TRACE(::testing::Message() << "line " << i << " level " << L);
            EXPECT_NEAR(OUTCOM.NODE_Y_nodes(i, L, 1)[0], L * std::sin(a), length_tol);
            EXPECT_NEAR(OUTCOM.NODE_Y_nodes(i, L, 2)[0], -L * std::sin(a), length_tol);
        }
        for (int c : {5, 6})
            for (int s = 1; s <= 2; ++s) {
                SCOPED_TRACE(::testing::Message()
                             << "line " << i << " case " << c << " side " << s);
                EXPECT_NEAR(OUTCOM.NODE_Y_nodes(i, c, s)[0], 3.0 * std::sin(a), length_tol);
            }
    }
}

TEST(LowFrequencyLoads, SixDofCodeTakesThePullDownOfTheCorners) {
    // Program code 17 on the box ship's catenary spread: the six-degree-of-freedom mooring
    // force and line solutions; the corners' vertical offset is the hull's set-down
    // A r^2 + B r^4 at their distance from the origin.
    LowlodRun run("\n\n\n\n");
    box_ship_low_frequency_state();
    TPCM.SIMTYP = 17;
    constexpr double A = 0.01, B = 0.001;
    EQUILB.DZDRPUL2 = static_cast<float>(A);
    EQUILB.DZDRPUL4 = static_cast<float>(B);
    EQUILB.ZCGVAR = -0.25f;
    const std::string text = run.report();
    ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
    for (int L = 1; L <= 3; ++L)
        for (std::span<float, 4> rec : {OUTCOM.GXMAXQ_record(L), OUTCOM.GXMINQ_record(L),
                                        OUTCOM.GYMAXQ_record(L), OUTCOM.GYMINQ_record(L)}) {
            SCOPED_TRACE(L);
            EXPECT_NEAR(std::fabs(rec[0]), L, length_tol);
            const double r2 = rec[0] * rec[0] + rec[1] * rec[1];
            EXPECT_NEAR(rec[3], A * r2 + B * r2 * r2, 1e-5);
        }
    // The notes: the storm corner 3 ft from the origin sets down 0.09 + 0.081 = 0.17, the
    // one-sigma corner 0.01 + 0.001 = 0.01; the mean offset stands at ZCGVAR.
    const auto notes = block_from(text, " >>> Snapshot load notes:", 19);
    ASSERT_EQ(notes.size(), 19u);
    EXPECT_EQ(notes[3], "    a selection of vessel  centroid global offset points (Gx,Gy,Gz,Yaw):");
    const std::array<std::pair<std::size_t, std::string>, 4> rows = {
        std::pair{5u, ",     0.17,     0.00)"}, std::pair{7u, ",     0.01,     0.00)"},
        std::pair{11u, ",     0.01,     0.00)"}, std::pair{13u, ",     0.17,     0.00)"}};
    for (const auto& [k, end] : rows) {
        SCOPED_TRACE(notes[k]);
        EXPECT_TRUE(notes[k].ends_with(end));
        EXPECT_EQ(notes[k].size(), 41u + 4u * 9u + 4u); // the label, four F9.2, separators
    }
    EXPECT_TRUE(notes[8].starts_with("   (d) A \"typical One Sig VFy+\" offset: (    -1.00,"));
    EXPECT_EQ(notes[9],
              "   (e) The mean vessel offset:          (     0.00,     0.00,    -0.25,     0.00)");
    EXPECT_EQ(notes[18], "           (Vx,Vy,Vz) = ( 0.000E+00, 0.000E+00, 0.000E+00)");

    // The loads against the closed-form catenary spread (its tables carry some 1 % of
    // interpolation in the horizontal load, less in the vertical): the storm corners and
    // the mean.
    const Chain chain;
    for (const auto& [col, rec] :
         {std::pair{1, OUTCOM.GXMAXQ_record(3)}, std::pair{3, OUTCOM.GXMINQ_record(3)}}) {
        SCOPED_TRACE(col);
        const auto F = spread_net_force(chain, rec[0], rec[1], 0.0);
        EXPECT_NEAR(OUTCOM.LFVARR(1, col), F[0], 0.02 * std::fabs(F[0]));
        EXPECT_NEAR(OUTCOM.LFVARR(3, col), F[2], 0.005 * std::fabs(F[2]));
    }
    const auto F0 = spread_net_force(chain, 0.0, 0.0, 0.0);
    EXPECT_NEAR(OUTCOM.FZMEAN, F0[2], 0.005 * std::fabs(F0[2]));
    EXPECT_NEAR(OUTCOM.FXMEAN, 0.0, 0.01);
}

// One row of a "C.G. Offset" table: the magnitudes of the load applied, the body's x and y.
struct CycleRow {
    double force = 0, moment = 0, x = 0, y = 0;
};

// The 38 rows of every "C.G. Offset" table of an offset report, in order.
std::vector<std::vector<CycleRow>> cycle_rows(const std::string& offsets) {
    std::vector<std::vector<CycleRow>> out;
    const auto r = records(offsets);
    for (std::size_t k = 0; k < r.size(); ++k) {
        if (r[k].find("----  C.G. Offset ----") == std::string::npos)
            continue;
        std::vector<CycleRow> rows;
        for (std::size_t n = k + 4; n < r.size() && n < k + 4 + 38; ++n) {
            std::istringstream in(r[n]);
            double number = 0;
            CycleRow row;
            if (in >> number >> row.force >> row.moment >> row.x >> row.y)
                rows.push_back(row);
        }
        out.push_back(rows);
    }
    return out;
}

TEST(LowFrequencyLoads, TwoBodyRunsCycleTheBuoyAtTwoCornersOfEveryLevel) {
    TwoBodyRun run;
    box_ship_two_body_state();
    const EquilbBlock equilb = EQUILB;
    const std::int32_t iunit = TPCM.IUNIT, lspm = TPCM.LSPM;
    const auto line_words = [] {
        std::vector<float> v;
        for (int i = 1; i <= 4; ++i)
            for (float x : {LINCOM.RANCP(i), LINCOM.ZANCP(i), LINCOM.ANGDPP(i), LINCOM.RANC(i)})
                v.push_back(x);
        return v;
    };
    const std::vector<float> lines = line_words();
    run.run();
    ASSERT_FALSE(run.stop.has_value()) << run.console.screen();

    // Six cycles (two corners of three levels), each with the nine tables of a buoy.
    EXPECT_EQ(occurrences(run.offsets, "Hawser Characteristics"), 6u);
    EXPECT_EQ(occurrences(run.offsets, "Offset Type: User-specified input file"), 54u);
    // In calm water each cycle holds the body where the negated corner load balances the
    // mooring: at the corner, GXMAXQ first, then GXMINQ, level by level (within the heave the
    // vertical load gives the body, some 0.3 ft, which moves the spans a little).
    const auto cycles = cycle_rows(run.offsets);
    ASSERT_EQ(cycles.size(), 6u);
    for (int L = 1; L <= 3; ++L)
        for (int c = 0; c < 2; ++c) {
            SCOPED_TRACE(::testing::Message() << "level " << L << " corner " << c);
            const auto corner = c == 0 ? OUTCOM.GXMAXQ_record(L) : OUTCOM.GXMINQ_record(L);
            EXPECT_NEAR(std::fabs(corner[0]), L, length_tol); // sigma 1 times the factor
            const auto& rows = cycles[static_cast<std::size_t>(2 * (L - 1) + c)];
            ASSERT_EQ(rows.size(), 38u);
            for (const CycleRow& row : rows) {
                EXPECT_NEAR(row.x, corner[0], 0.02);
                EXPECT_NEAR(row.y, corner[1], 0.02);
            }
        }

    // Afterwards the mean position, heading, the report unit, the turret flag and the lines'
    // anchor data are as they were.
    EXPECT_EQ(EQUILB.RVES(1), equilb.RVES(1));
    EXPECT_EQ(EQUILB.RVES(2), equilb.RVES(2));
    EXPECT_EQ(EQUILB.RVES(3), equilb.RVES(3));
    EXPECT_EQ(EQUILB.YCGVAR(), equilb.YCGVAR());
    EXPECT_EQ(EQUILB.VESANG(), equilb.VESANG());
    EXPECT_EQ(EQUILB.ZCGVAR, equilb.ZCGVAR);
    EXPECT_EQ(TPCM.IUNIT, iunit);
    EXPECT_EQ(TPCM.LSPM, lspm);
    EXPECT_EQ(line_words(), lines);

    // And the line loads and the snapshots are those of the run without the offset report.
    const std::vector<float> tqsran(OUTCOM.TQSRAN_words, OUTCOM.TQSRAN_words + 150 * 6 * 2);
    const std::vector<float> lfvarr(OUTCOM.LFVARR_words, OUTCOM.LFVARR_words + 6 * 13);
    TwoBodyRun alone;
    box_ship_two_body_state();
    TPCM.CATFBK = 0;
    alone.run();
    ASSERT_FALSE(alone.stop.has_value());
    EXPECT_TRUE(alone.offsets.empty());
    EXPECT_EQ(run.report, alone.report);
    EXPECT_EQ(std::vector<float>(OUTCOM.TQSRAN_words, OUTCOM.TQSRAN_words + 150 * 6 * 2), tqsran);
    EXPECT_EQ(std::vector<float>(OUTCOM.LFVARR_words, OUTCOM.LFVARR_words + 6 * 13), lfvarr);
}

// The lines' current load on the two-body runs' vessel: FCURNT_LNS along CURF_ANG_LINS, the
// moments XYCRMB about the moment centre and XYCRMG about the centre of gravity.
struct LineCurrent {
    float F = 0, angle = 0, B = 0, G = 0;
};

// The six cycles of the box ship's two-body run with the lines' current on: their rows and
// their corners (x, y), GXMAXQ and GXMINQ level by level.
struct TwoBodyCycles {
    std::vector<std::vector<CycleRow>> rows;
    std::vector<std::array<double, 2>> corners;
};

TwoBodyCycles two_body_cycles(const LineCurrent& c) {
    TwoBodyRun run;
    box_ship_two_body_state();
    TPCM.LCURNT = 1;
    TPCM.LCURML = 1;
    LINCOM.FCURNT_LNS = c.F;
    LINCOM.CURF_ANG_LINS = c.angle;
    LINCOM.XYCRMB = c.B;
    LINCOM.XYCRMG = c.G;
    run.run();
    EXPECT_FALSE(run.stop.has_value()) << run.console.screen();
    TwoBodyCycles out{cycle_rows(run.offsets), {}};
    for (int L = 1; L <= 3; ++L)
        for (const auto corner : {OUTCOM.GXMAXQ_record(L), OUTCOM.GXMINQ_record(L)})
            out.corners.push_back({corner[0], corner[1]});
    return out;
}

TEST(LowFrequencyLoads, TwoBodyRunsTakeTheLinesCurrentOffTheCornerLoads) {
    // At heading 0 the corner load carries the lines' current force F (cos a, sin a) and the
    // moment XYCRMB (sin a, -cos a); the cycle's load loses F (cos a, sin a), XYCRMG (sin a,
    // -cos a) and its vertical force. The force applied is then the one of a current of no
    // load, whatever F and a (only the wave cycle's own heave force joins the mooring's
    // horizontal force), and the moment is the mooring's Tm plus D (sin a, -cos a), with
    // D = XYCRMB - XYCRMG: at the opposite current (a + pi) the added moment turns over, so
    // that (|Tm + D u|^2 + |Tm - D u|^2) / 2 = |Tm|^2 + D^2, |Tm| from the current of no load
    // (the printed figures carry 0.5 %).
    constexpr double a = 1.0, D = 200.0;
    const auto still = two_body_cycles({});
    const auto ahead = two_body_cycles({150.0f, static_cast<float>(a), 500.0f, 300.0f});
    const auto astern =
        two_body_cycles({150.0f, static_cast<float>(a + std::numbers::pi), 500.0f, 300.0f});
    for (const TwoBodyCycles* run : {&still, &ahead, &astern}) {
        ASSERT_EQ(run->rows.size(), 6u);
        for (const auto& rows : run->rows)
            ASSERT_EQ(rows.size(), 38u);
    }
    for (std::size_t k = 0; k < 6; ++k) {
        SCOPED_TRACE(k);
        // The cycles stand at the corners of the surge excursions, 1, 2 and 3 ft.
        EXPECT_NEAR(std::fabs(ahead.corners[k][0]), static_cast<double>(k / 2 + 1), length_tol);
        const double M0 = still.rows[k][0].moment;
        const double M2 =
            (std::pow(ahead.rows[k][0].moment, 2) + std::pow(astern.rows[k][0].moment, 2)) / 2;
        EXPECT_NEAR(M2, M0 * M0 + D * D, 0.015 * (M0 * M0 + D * D));
        for (const TwoBodyCycles* run : {&ahead, &astern})
            for (std::size_t r = 0; r < 38; ++r)
                EXPECT_EQ(run->rows[k][r].force, still.rows[k][r].force) << r;
    }
}

TEST(LowFrequencyLoads, TwoBodyEquilibriumFailuresAreListedAndTheWorkGoesOn) {
    // Every line switched off: nothing holds the body, every phase of every cycle fails and
    // is let go at the dialogue ("C"); the section's rows print zeros.
    std::string answers;
    for (int n = 0; n < 6 * 38; ++n)
        answers += "C\n";
    TwoBodyRun run(answers);
    box_ship_two_body_state();
    for (int i = 1; i <= 4; ++i)
        LINCOM.LINEID(i) = 1024 + 1;
    run.run();
    ASSERT_FALSE(run.stop.has_value()) << run.console.screen().substr(0, 2000);
    // Each of the 54 tables notes its cycle's 38 failures and lists the first 25 phases.
    EXPECT_EQ(occurrences(run.offsets, " ++> Note: 38 convergence failure(s) occurred during "
                                       "processing; in particular,"),
              54u);
    EXPECT_EQ(occurrences(run.offsets,
                          "     data associated with at least these offset numbers may be in "
                          "error:"),
              54u);
    // (I3 and a comma each, 19 to a line of 78 columns.)
    const std::string listed = "   1,  2,  3,  4,  5,  6,  7,  8,  9, 10, 11, 12, 13, 14, 15, "
                               "16, 17, 18, 19,  ";
    const std::string rest = "  20, 21, 22, 23, 24, 25," + std::string(54, ' ');
    EXPECT_EQ(count_of(run.offsets, listed), 54u);
    EXPECT_EQ(count_of(run.offsets, rest), 54u);
    // The report goes on to its end.
    EXPECT_EQ(occurrences(run.report, "   1/a        0.00      0.00       0.00      0.00      "
                                      "0.00     0.00    0.00"),
              6u); // the two sides of the one-sigma level and of the storm's two blocks
    EXPECT_NE(run.report.find("VIb.  Low-Frequency Net Vessel Motion"), std::string::npos);
}

} // namespace
} // namespace lintar
