// Tests of the last chapter of the low-frequency report: the offset cases, the extreme line
// loads of section VIa and the net load snapshots of section VIb, on the linear four-line
// spread of low_frequency_loads_fixture.h. The texts are typed from the report layouts; the
// numbers come from the closed form of the linear line table (H = 10 (d - 900)) and the
// independent net force of the spread.
#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/lf_mode_record.h"
#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "low_frequency/low_frequency_loads.h"
#include "low_frequency/low_frequency_loads_fixture.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
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
            EXPECT_NE(count_of(text, "   2/a        0.00      0.00       0.00      0.00      "
                                     "0.00     0.00    0.00"),
                      0u);
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

TEST(LowFrequencyLoads, ListDirectedRealsMatchGfortran) {
    // gfortran: write(u,*) x for a default real, one value per case.
    struct Case {
        float x;
        const char* text;
    };
    const Case cases[] = {{1.0f, "   1.00000000    "},
                          {0.0f, "   0.00000000    "},
                          {-2.5f, "  -2.50000000    "},
                          {1.0e-5f, "   9.99999975E-06"},
                          {123456.0f, "   123456.000    "}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(list_directed_real(c.x), c.text);
    }
}

} // namespace
} // namespace lintar
