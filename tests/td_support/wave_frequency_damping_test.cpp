// Tests of the wave-frequency line damping (LDAMP): one suspended inextensible line against an
// energy-method hand calculation over Irvine's catenary, alone and in the two-body runs (a line
// between the bodies and the hawser), the sea states that give no damping, the load records,
// lines that do not move, the integration-point rule, and damaged input.
#include "td_support/wave_frequency_damping.h"

#include "support/console.h"
#include "support/line_dynamics_support.h"
#include "support/line_test_support.h"
#include "support/two_body.h"

#include "blocks/catcom.h"
#include "blocks/endcom.h"
#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "line_dynamics/mean_line_shape.h"
#include "motions/motion_files.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <sstream>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

constexpr float gravity = 32.174f;
constexpr float water = 64.0f;
constexpr float diameter_in = 3.0f;
constexpr float drag = 1.2f;

// A suspended inextensible line of three equal sublines over 400 ft (no seabed), as lines
// 1..n of type 1, its mean shape made by LINDRV at table point 8 (H = 120); English units,
// random seas.
struct SuspendedLines {
    ElasticCatenary e{1200.0, 0.08, 0.0};
    double ZF = 400.0;
    double H = 120.0;
    float RANC = 0.0f;

    // Line `hawser` (none when 0) is of type 2, the same line under its own number.
    explicit SuspendedLines(int n, int hawser = 0) {
        for (int t = 1; t <= (hawser == 0 ? 1 : 2); ++t) {
            define_type(t, {{400.0, 0.08, 0.0}, {400.0, 0.08, 0.0}, {400.0, 0.08, 0.0}}, 0);
            build_tables(e, t, 50.0, 200.0, 16, ZF, 10.0, 1);
            TPCM.ANCHGT(t) = static_cast<float>(ZF);
            TPCM.LINTYP(1, t) = t;
            for (int k = 1; k <= 3; ++k) {
                TPCM.DIAM(k, t) = diameter_in;
                TPCM.COFMST(k, t) = 1.0f;
                TPCM.COFDMT(k, t) = drag;
            }
        }
        TPCM.SIMTYP = 8;
        TPCM.NBUG0 = 0;
        TPCM.DRAFT = 0.0f;
        TPCM.NLIN = n;
        TPCM.NUNTS = 0;
        TPCM.DWATR = water;
        TPCM.LRANDM = 1;
        TPCM.DURATN = 3.0f;
        WAVCOM.G = gravity;
        LINCOM.DSLOPE = 0.0;
        for (int i = 1; i <= n; ++i) {
            TPCM.RFLD(3, i) = 0.0f;
            LINCOM.LINEID(i) = i == hawser ? 2 : 1;
            OUTCOM.DZTOTL(i, 4, 1) = static_cast<float>(ZF);
        }
        RANC = LINCOM.ANCDST(8, 1, 1);
        LINDRV(std::vector<float>(150, RANC), std::vector<float>(150, 0.0f));
    }
};

// The end motion of one line in the motion file: RMS displacement and velocity of the
// tangential component (the normal one and the hinges are read past).
struct LineEnd {
    float tangential = 0.0f;
    float rate = 0.0f;
};

// Writes "FAIRMOT" as the motion run lays it out: two heading blocks of point records, the
// sea-state header, then per line three hinge pairs, the normal and the tangential pair. With
// `cut` the file ends before the last line's tangential pair.
void write_fairmot(const std::vector<LineEnd>& ends, bool cut = false) {
    open_motion_file_for_writing(13, "FAIRMOT", "TEST", 6);
    write_heading_count(13, 2);
    const std::vector<std::complex<float>> point(9, {0.5f, -0.25f});
    for (int heading = 1; heading <= 2; ++heading) {
        write_heading_record(13, 10.0f * static_cast<float>(heading), false);
        write_heading_setup(13, 2, 0, 0, 1, 0.1f);
        for (std::size_t p = 0; p < 2 * ends.size(); ++p)
            write_point_record(13, point);
    }
    write_sea_state_header(13, {6.0f, 0.0f, 0.0f, 11.0f, 0.1f, 0.2f, 0.3f});
    for (std::size_t n = 0; n < ends.size(); ++n) {
        for (int hinge = 1; hinge <= 3; ++hinge)
            write_pair(13, 0.01f, 0.02f);
        write_pair(13, 0.7f, 0.42f);
        if (cut && n + 1 == ends.size())
            break;
        write_pair(13, ends[n].tangential, ends[n].rate);
    }
    close_unit(13);
}

struct Ldamp {
    float GAMCOF = -1.0f, HAMCOF = -1.0f;
};
Ldamp run_ldamp(int n, float RANC, std::int32_t IMOTN, std::int32_t EXPORT = 0) {
    Ldamp r;
    const std::vector<float> RANCPQ(150, RANC);
    const std::vector<float> ANGDPPQ(150, 0.0f);
    LDAMP(RANCPQ, ANGDPPQ, IMOTN, 0.0f, r.GAMCOF, r.HAMCOF, false, 20, EXPORT);
    (void)n;
    return r;
}

// Huse's energy method: the slow surge of the fairlead moves each material point normal to the
// line by a(s); the line's wave-frequency motion moves it normal by b(s) (the fairlead moving AF
// along its top tangent and the bottom end AB back along its bottom tangent, AF + AB the RMS
// displacement in the file, at the frequency w of its RMS velocity over it). The drag
// linearised about the wave-frequency motion dissipates, per unit slow velocity squared,
// C_D D int a^2 b ds; for an inextensible line in the limit of small motions the damping
// coefficient is
//   B = 0.94 rho (3 / sqrt 2) w D C_D int a^2 b ds,   rho = 64 / g, D = 3 x 0.0833 ft.
// a and b from central differences of Irvine's catenary (a bottom-end motion is the same
// motion of the whole line with the fairlead moving the other way), the integral by Simpson's
// rule on 600 panels.
double energy_method_damping(const SuspendedLines& line, double AF, double AB, double w) {
    const ElasticCatenary& e = line.e;
    const double q_top = e.top_slope(line.H, line.ZF);
    const double q_bottom = q_top - e.L * e.w / line.H;
    const ComplexD dxB = -AB / std::sqrt(1.0 + q_bottom * q_bottom);
    const ComplexD dzB = dxB * q_bottom;
    const auto normal = [&](double s, ComplexD dxF, ComplexD dzF, ComplexD dx0, ComplexD dz0) {
        const PointMotion m =
            point_motion(e, line.H, line.ZF, s, dxF - dx0, dzF - dz0, 1e-4 * line.H, 1e-3);
        const double phi = std::atan(q_top - s * e.w / line.H);
        return std::abs((m.dz + dz0) * std::cos(phi) - (m.dx + dx0) * std::sin(phi));
    };
    const double phi_top = std::atan(q_top);
    const double integral = simpson(
        [&](double s) {
            const double a = normal(s, 1.0, 0.0, 0.0, 0.0);
            return a * a * normal(s, AF * std::cos(phi_top), AF * std::sin(phi_top), dxB, dzB);
        },
        0.0, e.L, 600);
    return 0.94 * water / gravity * 3.0 / std::sqrt(2.0) * w * diameter_in * 0.0833 * drag *
           integral;
}

TEST(WaveFrequencyDamping, SuspendedLineMatchesTheEnergyMethod) {
    // The routine's Simpson points per element (5 to 19) and its one-sided node derivatives
    // leave it 0.3 % off the energy method; a lost term errs by tens of per cent.
    constexpr double rel_tol = 0.01;
    ScratchFolder folder;
    ScriptedConsole console;
    const SuspendedLines line(1);
    constexpr float A = 2.0f;
    constexpr float w = 0.6f;
    write_fairmot({{A, w * A}});
    const Ldamp r = run_ldamp(1, line.RANC, 1);
    const double B = energy_method_damping(line, A, 0.0, w);
    EXPECT_NEAR(r.GAMCOF, B, rel_tol * B);
    EXPECT_EQ(r.HAMCOF, 0.0f);
    // A single body: the bottom end is fixed, the relative motion is the fairlead's.
    EXPECT_EQ(ENDCOM.BGTAN1, 0.0f);
    EXPECT_EQ(ENDCOM.RLTAN1, A);
    EXPECT_EQ(ENDCOM.CWVHT, 6.0f);
    EXPECT_EQ(ENDCOM.TPEAK, 11.0f);
    // Sway moves this line's fairlead across its plane only: no damping in the plane.
    write_fairmot({{A, w * A}});
    EXPECT_EQ(run_ldamp(1, line.RANC, 2).GAMCOF, 0.0f);
}

// Two bodies, the second free, the motion files as the two motion runs write them. The hawser
// (the tug's tow line), of its own type, moves with its fairlead alone. A line between the
// bodies takes the other body's end (its bow, 1 ft RMS) and the relative motion (2 ft at 0.6
// rad/s), shared between its ends by the squares of the end motions: AF = 2 f^2 / (f^2 + 1),
// AB = 2 / (f^2 + 1) for a fairlead motion of f ft. The buoy writes one fairlead set per line,
// the tug one set, its stern's, for every tow line; the tug and the other body write a set per
// sea state, of which the first is the one read. The buoy's hawser damping is HAMCOF apart,
// the tug's tow line damping is part of GAMCOF. For the buoy the slow motion is taken from the
// buoy's heading BUYNGL + VOFANG (90 degrees here, the vessel's 0): the slow sway (mode 2)
// then moves the fairleads along the lines as the slow surge (mode 1) does with the tug's
// heading 0.
TEST(WaveFrequencyDamping, TwoBodyRunsDampTheRelativeMotionAndTheHawserApart) {
    constexpr double rel_tol = 0.01; // as for the single line
    // A line's hand inputs: fairlead and bottom-end amplitudes, frequency.
    struct Hand {
        double AF, AB, w;
    };
    const Hand hawser{1.5, 0.0, 0.5};
    struct Case {
        const char* name;
        TwoBodyRun run;
        int hawser_line;
        std::vector<EndRms> fairleads;
        int sea_states;
        std::vector<Hand> lines;
    };
    const std::vector<Case> cases{
        // Line 1 the hawser at 1.5 ft, 0.5 rad/s; line 2 at 3 ft: AF = 1.8, AB = 0.2.
        {"buoy, hawser first",
         buoy_and_tanker,
         1,
         {{1.5f, 0.75f}, {3.0f, 0.4f}},
         1,
         {hawser, {1.8, 0.2, 0.6}}},
        // Lines 1 and 2 read their own fairlead sets (3 ft, 1 ft: AF = AB = 1), the hawser last.
        {"buoy, two legs then the hawser",
         buoy_and_tanker,
         3,
         {{3.0f, 0.4f}, {1.0f, 0.3f}, {1.5f, 0.75f}},
         1,
         {{1.8, 0.2, 0.6}, {1.0, 1.0, 0.6}, hawser}},
        // The tug's stern at 1.5 ft for both lines: AF = 4.5 / 3.25, AB = 2 / 3.25.
        {"tug, two sea states",
         tug_and_barge,
         1,
         {{1.5f, 0.75f}},
         2,
         {hawser, {4.5 / 3.25, 2.0 / 3.25, 0.6}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_program_state();
        ScratchFolder folder;
        ScriptedConsole console;
        const auto n = static_cast<int>(c.lines.size());
        const SuspendedLines line(n, c.hawser_line);
        set_two_body_words(c.run, c.hawser_line);
        TPCM.HAWSTP = 2;
        const bool buoy = c.run.SIMTYP == 13;
        EQUILB.BUYNGL() = 1.2f;
        EQUILB.VOFANG = 0.3707963f;
        write_two_body_motion_files(c.run, {c.fairleads, {1.0f, 0.9f}, {2.0f, 1.2f}}, 2,
                                    c.sea_states);
        const Ldamp r = run_ldamp(n, line.RANC, buoy ? 2 : 1);
        double lines = 0.0;
        double hawser_damping = 0.0;
        for (int i = 1; i <= n; ++i) {
            const Hand& h = c.lines[static_cast<std::size_t>(i - 1)];
            const double B = energy_method_damping(line, h.AF, h.AB, h.w);
            (buoy && i == c.hawser_line ? hawser_damping : lines) += B;
        }
        EXPECT_NEAR(r.GAMCOF, lines, rel_tol * (lines + hawser_damping));
        EXPECT_NEAR(r.HAMCOF, hawser_damping, rel_tol * (lines + hawser_damping));
        // The last line's relative motion: the hawser's is its fairlead's.
        EXPECT_EQ(ENDCOM.RLTAN1, c.hawser_line == n ? 1.5f : 2.0f);
        EXPECT_EQ(ENDCOM.BGTAN1, 1.0f);
        EXPECT_EQ(ENDCOM.CWVHT, 6.0f);
        EXPECT_EQ(console.screen(), "");
    }
}

TEST(WaveFrequencyDamping, NoSeaAndNoSwellGiveNothingAndOpenNoFile) {
    ScratchFolder folder; // no motion file: opening one would stop the run
    ScriptedConsole console;
    const SuspendedLines line(1);
    TPCM.LRANDM = 0;
    TPCM.LSWELL = 0;
    TPCM.LSWEL2 = 0;
    const Ldamp r = run_ldamp(1, line.RANC, 1);
    EXPECT_EQ(r.GAMCOF, 0.0f);
    EXPECT_EQ(r.HAMCOF, 0.0f);
    EXPECT_EQ(console.screen(), "");
    // A swell alone gives one sea state, two swells two.
    TPCM.LSWELL = 1;
    write_fairmot({{1.0f, 0.5f}});
    (void)run_ldamp(1, line.RANC, 1);
    EXPECT_EQ(TPCM.NSEAHT, 1);
    EXPECT_EQ(TPCM.NSEAHG, 1);
    TPCM.LSWEL2 = 1;
    write_fairmot({{1.0f, 0.5f}});
    (void)run_ldamp(1, line.RANC, 1);
    EXPECT_EQ(TPCM.NSEAHT, 2);
}

TEST(WaveFrequencyDamping, LoadRecordsForEveryLine) {
    ScratchFolder folder;
    ScriptedConsole console;
    const SuspendedLines line(3);
    LINCOM.LINEID(2) = 1025; // skipped
    // Line 3's end does not move at wave frequency: no damping, zero tensions, no NaN.
    write_fairmot({{2.0f, 1.2f}, {2.0f, 1.2f}, {0.0f, 0.0f}});
    open_unit(20, "loads", OpenStatus::replace, FileForm::formatted);
    const Ldamp all = run_ldamp(3, line.RANC, 1, 1);
    close_unit(20);
    const auto records = lines_of(folder.read("loads"));
    ASSERT_EQ(records.size(), 3u);
    for (const auto& record : records)
        EXPECT_EQ(record.size(), 5u + 4u * 14u);
    EXPECT_EQ(records[0].substr(0, 5), "    1");
    EXPECT_EQ(records[1], "    2   0.00000E+00   0.00000E+00   0.00000E+00   0.00000E+00");
    EXPECT_EQ(records[2].substr(0, 5), "    3");
    EXPECT_EQ(records[2].substr(19), "   0.00000E+00   0.00000E+00   0.00000E+00");
    // The mean top tension H sec(top angle) of the line at table point 8.
    const double T = line.e.top_tension(line.H, line.ZF);
    EXPECT_NEAR(std::stod(records[2].substr(5, 14)), T, 1e-4 * T);
    EXPECT_NEAR(std::stod(records[0].substr(5, 14)), T, 1e-4 * T);
    const double level1 = std::stod(records[0].substr(19, 14));
    const double level2 = std::stod(records[0].substr(33, 14));
    EXPECT_GT(level1, 0.0);
    EXPECT_GT(level2, level1);
    EXPECT_TRUE(std::isfinite(std::stod(records[0].substr(47, 14))));

    // The one moving line alone gives all the damping.
    write_fairmot({{2.0f, 1.2f}});
    TPCM.NLIN = 1;
    const Ldamp one = run_ldamp(1, line.RANC, 1);
    EXPECT_FLOAT_EQ(all.GAMCOF, one.GAMCOF);
    EXPECT_GT(one.GAMCOF, 0.0f);
}

TEST(WaveFrequencyDamping, LineWhoseSpanDoesNotFollowItsLoadAddsNothing) {
    ScratchFolder folder;
    ScriptedConsole console;
    const SuspendedLines line(1);
    for (int k = 1; k <= 4; ++k) {
        CATCOM.DXSDH(k, 1) = 0.0f;
        CATCOM.DZSDH(k, 1) = 0.0f;
    }
    write_fairmot({{2.0f, 1.2f}});
    open_unit(20, "loads", OpenStatus::replace, FileForm::formatted);
    EXPECT_EQ(run_ldamp(1, line.RANC, 1, 1).GAMCOF, 0.0f);
    close_unit(20);
    EXPECT_EQ(lines_of(folder.read("loads"))[0].substr(19),
              "   0.00000E+00   0.00000E+00   0.00000E+00");
}

TEST(WaveFrequencyDamping, IntegrationPointsFollowTheTangentDifference) {
    // Differences just above the decimal values, exact in four bytes (DQB 0).
    struct Case {
        float difference;
        std::int32_t NQP;
    };
    const Case cases[] = {{std::nextafter(0.04f, 1.0f), 5},
                          {std::nextafter(0.12f, 1.0f), 13},
                          {std::nextafter(0.18f, 1.0f), 19},
                          {0.5f, 19},
                          {0.0f, 5},
                          {1.0e30f, 19}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.difference);
        EXPECT_EQ(ldamp_points(c.difference, 0.0f), c.NQP);
        EXPECT_EQ(ldamp_points(0.0f, c.difference), c.NQP);
    }
}

TEST(WaveFrequencyDamping, ShortMotionFileAndUndefinedModeStop) {
    ScratchFolder folder;
    {
        ScriptedConsole console("\n");
        const SuspendedLines line(2);
        write_fairmot({{2.0f, 1.2f}, {2.0f, 1.2f}}, true);
        EXPECT_EQ(run_until_stop([&] { (void)run_ldamp(2, line.RANC, 1); }), StopKind::error);
        EXPECT_NE(console.screen().find(" ++> End of file or related file error in routine LDAMP\n"
                                        "     file name FAIRMOT\n"),
                  std::string::npos);
    }
    {
        ScriptedConsole console("\n");
        const SuspendedLines line(2);
        write_fairmot({{2.0f, 1.2f}, {2.0f, 1.2f}});
        EXPECT_EQ(run_until_stop([&] { (void)run_ldamp(2, line.RANC, 7); }), StopKind::error);
        EXPECT_NE(console.screen().find("motion mode 7"), std::string::npos);
    }
}

} // namespace
} // namespace lintar
