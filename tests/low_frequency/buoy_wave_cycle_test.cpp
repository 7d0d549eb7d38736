// Tests of the buoy's wave cycle on the box ship of the ship-hull tests held by the four-line
// spread mooring whose tables come from the elastic catenary: the cycle's phases, the design
// wave against the dispersion relation, the equilibria against the search run on its own, the
// anchor loads against the catenary, the failure and overflow records and the report tables.
#include "blocks/equilb.h"
#include "blocks/himem.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "low_frequency/buoy_wave_cycle.h"
#include "low_frequency/buoy_wave_cycle_fixture.h"
#include "offsets/equilibrium_search.h"
#include "offsets/point_lines.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/sea_spectra_support.h"
#include "support/spread_mooring_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::Chain;
using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

constexpr double pi = std::numbers::pi;
constexpr int report_unit = testing::buoy_report_unit;
constexpr float friction = testing::buoy_seabed_friction;
using testing::moored_box_ship;

class BuoyWaveCycleTest : public ::testing::Test {
protected:
    void SetUp() override { reset_program_state(); }
    void TearDown() override { close_unit(report_unit); }

    // The cycle under a mean load; asserts that it returns.
    static std::unique_ptr<BuoyWaveCycle> cycle(std::array<float, 6> mean = {}) {
        std::unique_ptr<BuoyWaveCycle> c;
        const auto stop = run_until_stop(
            [&] { c = buoy_wave_cycle(mean[0], mean[1], mean[2], mean[3], mean[4], mean[5]); });
        EXPECT_FALSE(stop.has_value());
        return c;
    }
    // BUYDYN with its report on "OFFSETS.stxt"; returns the report.
    static std::string report(const ScratchFolder& folder, std::array<float, 6> mean = {}) {
        EXPECT_TRUE(
            open_unit(report_unit, "OFFSETS.stxt", OpenStatus::replace, FileForm::formatted));
        const auto stop =
            run_until_stop([&] { BUYDYN(mean[0], mean[1], mean[2], mean[3], mean[4], mean[5]); });
        EXPECT_FALSE(stop.has_value());
        close_unit(report_unit);
        return folder.read("OFFSETS.stxt");
    }
};

float value(const OffsetTable& table, int k, int I) {
    return offset_value(table, k, I);
}

TEST_F(BuoyWaveCycleTest, ThirtyEightPhasesTenDegreesApart) {
    ScriptedConsole console;
    moored_box_ship();
    const std::array<float, 6> mean = {30.0f, -10.0f, 5.0f, 0.0f, 0.0f, 100.0f};
    const auto c = cycle(mean);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->NOFF, 38);
    EXPECT_EQ(c->NPAG, 1);
    // The applied load at phase I: the design wave's force turned by 10 (I - 1) degrees,
    // translations and rotations by the slope in degrees, heave by the amplitude.
    const HimemBlock& H = HIMEM;
    ASSERT_EQ(H.IW, c->IW);
    const std::complex<float> F[6] = {HIMEM.CRLDUM(H.LSG).get(), HIMEM.CRLDUM(H.LSW).get(),
                                      HIMEM.CRLDUM(H.LHV).get(), HIMEM.CRLDUM(H.LRL).get(),
                                      HIMEM.CRLDUM(H.LPT).get(), HIMEM.CRLDUM(H.LYA).get()};
    const double S = c->SLOPE * 180.0 / pi;
    for (int I = 1; I <= 38; ++I) {
        SCOPED_TRACE(I);
        const double phase = (I - 1) * 10.0 * pi / 180.0;
        double f[6];
        for (int d = 0; d < 6; ++d) {
            const auto Fd = std::complex<double>(F[d]);
            const double amp = d == 2 ? c->WVAMP : S;
            f[d] = amp * H.SCALE_words[d] *
                       (Fd.real() * std::cos(phase) - Fd.imag() * std::sin(phase)) +
                   mean[static_cast<std::size_t>(d)];
        }
        const double force = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
        const double moment = std::sqrt(f[3] * f[3] + f[4] * f[4] + f[5] * f[5]);
        EXPECT_NEAR(value(c->T.EQLDAT, 1, I), force, 1e-4 * force);
        EXPECT_NEAR(value(c->T.EQLDAT, 2, I), moment, 1e-4 * moment);
        EXPECT_NEAR(c->FRCVEC[3 * (I - 1)], f[0] / force, 1e-5);
        EXPECT_NEAR(c->TRQVEC[3 * (I - 1) + 2], f[5] / moment, 1e-5);
        EXPECT_EQ(c->T.OFFVAL[static_cast<std::size_t>(I - 1)], static_cast<float>(I));
        EXPECT_EQ(c->T.BYOFF[static_cast<std::size_t>(I - 1)], static_cast<float>(I));
    }
    // The wave force moves the body: the surge position swings through the cycle.
    float xmin = 1e9f, xmax = -1e9f;
    for (int I = 1; I <= 36; ++I) {
        xmin = std::min(xmin, value(c->T.EQLDAT, 3, I));
        xmax = std::max(xmax, value(c->T.EQLDAT, 3, I));
    }
    EXPECT_GT(xmax - xmin, 0.1f);
    // Phases 37 and 38 are phases 1 and 2 again: the same load, the same equilibrium (to the
    // search's tolerances), the same most exposed line.
    for (const auto& [again, first] : {std::pair{37, 1}, std::pair{38, 2}}) {
        SCOPED_TRACE(again);
        for (int k = 1; k <= 8; ++k) {
            const float v = value(c->T.EQLDAT, k, first);
            EXPECT_NEAR(value(c->T.EQLDAT, k, again), v, k <= 2 ? 1e-5f * v : 0.05f) << k;
        }
        EXPECT_EQ(value(c->T.MSTEXP, 1, again), value(c->T.MSTEXP, 1, first));
        EXPECT_NEAR(value(c->T.MSTEXP, 2, again), value(c->T.MSTEXP, 2, first),
                    1e-3f * value(c->T.MSTEXP, 2, first));
    }
    EXPECT_EQ(c->records.ITFLWN, 0);
    EXPECT_EQ(c->records.OVRFLO, 0);
}

TEST_F(BuoyWaveCycleTest, DesignWaveOfTheGrid) {
    struct Case {
        const char* name;
        std::int32_t LRANDM, LSLPHT;
        float SLPHT;
    };
    const Case cases[] = {
        {"regular, height", 0, 0, 2.0f},
        {"regular, slope", 0, 1, 1.5f},
        {"irregular, height", 1, 0, 2.0f},
        {"irregular, slope", 1, 1, 1.5f},
    };
    for (const auto& cs : cases) {
        SCOPED_TRACE(cs.name);
        reset_program_state();
        ScriptedConsole console;
        moored_box_ship();
        TPCM.LRANDM = cs.LRANDM;
        TPCM.LSLPHT = cs.LSLPHT;
        TPCM.SLPHT = cs.SLPHT;
        if (cs.LRANDM != 0) {
            TPCM.WAVTYP = 1;
            TPCM.SWHT(1) = 2.0f;
            TPCM.SIGPD(1) = 11.5f;
            TPCM.NSEAHT = 1;
            TPCM.NSEAHG = 1;
            TPCM.LSPRED = 0;
        }
        // The peak period of the irregular sea lies between grid periods 11 and 12 s.
        WAVCOM.TPK = 11.5f;
        const auto c = cycle({10.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
        ASSERT_TRUE(c);
        const int IW = cs.LRANDM == 0 ? 15 : 9; // NWP / 2; or T(9) = 11 < TPK <= T(10) = 12
        EXPECT_EQ(c->IW, IW);
        const double k = testing::reference_wave_number(2 * pi / TPCM.T(IW), 32.152, 300.0);
        double slope = 0.0, amplitude = 0.0;
        if (cs.LSLPHT == 0) {
            amplitude = cs.LRANDM == 0 ? 0.5 * cs.SLPHT : cs.SLPHT * WAVCOM.DURFAC;
            slope = k * amplitude;
        } else {
            slope = (cs.LRANDM == 0 ? 1.0 : 2.63) * cs.SLPHT * pi / 180.0;
            amplitude = slope / k;
        }
        EXPECT_NEAR(c->SLOPE, slope, 1e-4 * slope);
        EXPECT_NEAR(c->WVAMP, amplitude, 1e-4 * amplitude);
        if (cs.LRANDM != 0) {
            EXPECT_GT(WAVCOM.DURFAC, 1.0f); // the storm factor of the set-up
        }
    }
}

TEST_F(BuoyWaveCycleTest, HeadingsAndSwitchesComeBack) {
    ScriptedConsole console;
    moored_box_ship();
    LINCOM.DSLOPE = 0.25;
    const TpcmBlock before = TPCM;
    const auto c = cycle();
    ASSERT_TRUE(c);
    EXPECT_EQ(TPCM.SEAHDG(1), before.SEAHDG(1));
    EXPECT_EQ(TPCM.WAVHDG(1), before.WAVHDG(1));
    EXPECT_EQ(TPCM.CURHDG, before.CURHDG);
    EXPECT_EQ(TPCM.WNDHDG, before.WNDHDG);
    EXPECT_EQ(TPCM.SWLHDG, before.SWLHDG);
    EXPECT_EQ(TPCM.SWLHDG2, before.SWLHDG2);
    EXPECT_EQ(TPCM.VGLDIR, before.VGLDIR);
    EXPECT_EQ(TPCM.IPLOTS, 2);
    EXPECT_EQ(TPCM.NEGSUM, 0);
    EXPECT_EQ(LINCOM.DSLOPE, 0.0);
    // The hull model saw the wave from 30 degrees less the heading of 0.2 rad.
    EXPECT_NEAR(HIMEM.REDANG(1), 30.0 - 0.2 * 180.0 / pi, 1e-4);
    // The set-up wrote no report (NEGSUM was 1 during it).
    EXPECT_EQ(console.screen().find("PHYSICAL CHARACTERISTICS"), std::string::npos);
}

TEST_F(BuoyWaveCycleTest, CalmWaterGivesTheEquilibriumUnderTheMeanLoad) {
    ScriptedConsole console;
    moored_box_ship();
    TPCM.SLPHT = 0.0f;
    const std::array<float, 6> mean = {40.0f, 15.0f, 0.0f, 0.0f, 0.0f, 200.0f};
    const auto c = cycle(mean);
    ASSERT_TRUE(c);

    // The same equilibrium solved on its own.
    std::array<float, 6> FEXT = mean;
    std::array<float, 6> XVEC{};
    EquilibriumResult result;
    AppliedLoadFrame frame;
    frame.FAPPNT = {TPCM.FAPPNT(1), TPCM.FAPPNT(2), TPCM.FAPPNT(3)};
    std::int32_t QUITFG = 0;
    SpanWarning warn;
    EQFND2(FEXT, XVEC, 1, {}, result, frame, QUITFG, 1, 4, warn);
    ASSERT_FALSE(result.ITFAIL);
    EXPECT_GT(std::hypot(XVEC[0], XVEC[1]), 0.5f); // the load moves the body
    for (int I = 1; I <= 38; ++I) {
        SCOPED_TRACE(I);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(value(c->T.EQLDAT, 3 + k, I), XVEC[static_cast<std::size_t>(k)], 0.02f);
        EXPECT_NEAR(value(c->T.EQLDAT, 8, I), result.loads.YAWANG * 57.295776f, 0.06f);
        EXPECT_NEAR(value(c->T.XCPLAR, 6, I), result.loads.FVXMOR,
                    0.01f * std::abs(result.loads.FVXMOR) + 0.05f);
    }

    // The most exposed line's anchor loads: the catenary's horizontal load at the line's anchor
    // distance over its vertical span, less the friction of its grounded length; no vertical
    // load where the chain lies on the seabed.
    const Chain chain;
    for (int I : {1, 20, 38}) {
        SCOPED_TRACE(I);
        const int b = static_cast<int>(value(c->T.MSTEXP, 1, I));
        ASSERT_GE(b, 1);
        ASSERT_LE(b, 4);
        // The most exposed line carries the largest tension.
        for (int j = 1; j <= 4; ++j)
            EXPECT_LE(value(c->T.TOPTT, j, I), value(c->T.TOPTT, b, I));
        const float distance = value(c->T.ANCDSQ, b, I);
        // The fairlead's vertical position from the line's vertical fairlead force: the span
        // whose catenary at this distance gives that force.
        const double V = -value(c->T.TOPTZ, b, I);
        double lo = 250.0, hi = 350.0;
        for (int n = 0; n < 100; ++n) {
            const double h = 0.5 * (lo + hi);
            (testing::catenary_at_distance(chain, distance, h).V > V ? hi : lo) = h;
        }
        const auto s = testing::catenary_at_distance(chain, distance, 0.5 * (lo + hi));
        const double H = value(c->T.TOPTH, b, I);
        EXPECT_NEAR(H, s.H, 0.01 * s.H);
        const double anchor_H = std::max(H - friction * chain.w * s.grounded, 0.0);
        EXPECT_NEAR(value(c->T.MSTEXP, 6, I), anchor_H, 0.02 * s.H);
        EXPECT_GT(value(c->T.MSTEXP, 6, I), 0.0f); // not the zero the search leaves
        EXPECT_NEAR(value(c->T.MSTEXP, 7, I), 0.0f, 1e-3f);
        EXPECT_NEAR(value(c->T.MSTEXP, 5, I), chain.L - s.grounded, 0.01 * chain.L);
    }
}

TEST_F(BuoyWaveCycleTest, TensionsAboveTheTablesAreFlaggedOnceWithoutWarnings) {
    ScriptedConsole console;
    moored_box_ship();
    TPCM.TLOAD = 95.0f; // below the pretension of 100 kips
    const auto c = cycle({0.0f, 40.0f, 0.0f, 0.0f, 0.0f, 0.0f});
    ASSERT_TRUE(c);
    EXPECT_EQ(c->records.OVRFLO, 1);
    EXPECT_EQ(c->records.NOVFLO, 1);
    // The first line above TLOAD at phase 1.
    int first = 0;
    for (int b = 1; b <= 4 && first == 0; ++b)
        if (value(c->T.TOPTH, b, 1) > 95.0f)
            first = b;
    EXPECT_EQ(c->records.BADLIN, first);
    EXPECT_EQ(console.screen().find("tension"), std::string::npos) << console.screen();
}

// Every line taken out (identities above 1024): nothing holds the body in surge, sway and
// yaw, so every phase meets a singular Jacobian and the failure dialogue.
void unmoored() {
    moored_box_ship();
    for (int i = 1; i <= 4; ++i)
        LINCOM.LINEID(i) = 1024 + 1;
}

TEST_F(BuoyWaveCycleTest, FailuresAreCountedAndTheFirstTwentyFiveMarked) {
    std::string answers;
    for (int I = 1; I <= 38; ++I)
        answers += "C\n";
    ScriptedConsole console(answers);
    unmoored();
    const auto c = cycle();
    ASSERT_TRUE(c);
    EXPECT_EQ(c->NOFF, 38);
    EXPECT_EQ(c->records.FRSTFL, 1);
    EXPECT_EQ(c->records.ITFLWN, 38);
    EXPECT_EQ(c->records.NITRFL, (1 << 25) - 1);
}

TEST_F(BuoyWaveCycleTest, QuitEndsTheCycleAfterItsPhase) {
    ScratchFolder folder;
    ScriptedConsole console("C\nC\nC\nC\nQ\n");
    unmoored();
    const auto c = cycle();
    ASSERT_TRUE(c);
    EXPECT_EQ(c->NOFF, 5);
    EXPECT_EQ(c->records.ITFLWN, 5);
    EXPECT_EQ(c->records.NITRFL, 31);
}

// The titles of the cycle's tables in the report (TBLOT1's), in the order they are printed.
const std::vector<std::string> single_body_titles = {
    "Most Exposed Line Characteristics",  "C.G. Offset",
    "Most Exposed Line Potential Energy", "Induced Moments",
    "Total Fairlead Line Tensions",       "Fairlead Global Vertical Tension Components",
    "Mooring Line Potential Energy"};
const std::vector<std::string> buoy_titles = {"Most Exposed Line Characteristics",
                                              "C.G. Offset",
                                              "Hawser Characteristics",
                                              "Most Exposed Line Potential Energy",
                                              "Hawser Energy Characteristics",
                                              "Induced Moments",
                                              "Total Fairlead Line Tensions",
                                              "Fairlead Global Vertical Tension Components",
                                              "Mooring Line Potential Energy"};

// Occurrences of `what` in `text`.
int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// The titles in `text` appear once each and in this order.
void expect_in_order(const std::string& text, const std::vector<std::string>& titles) {
    std::size_t from = 0;
    for (const auto& title : titles) {
        SCOPED_TRACE(title);
        EXPECT_EQ(count(text, title), 1);
        const auto at = text.find(title, from);
        ASSERT_NE(at, std::string::npos);
        from = at;
    }
}

TEST_F(BuoyWaveCycleTest, SevenTablesForOneBodyNineForABuoy) {
    for (const bool buoy : {false, true}) {
        SCOPED_TRACE(buoy ? "buoy" : "single body");
        reset_program_state();
        ScratchFolder folder;
        ScriptedConsole console;
        moored_box_ship();
        if (buoy) {
            TPCM.IARCO = 1;
            TPCM.HAWSLN = 4;
            TPCM.HAWSTP = 1;
        }
        // The direction of user-file repetition 1, which every box shows (not the directions of
        // the applied load).
        TPCM.RCTDIR(1, 1) = 0.6f;
        TPCM.RCTDIR(2, 1) = 0.8f;
        TPCM.RCTDIR(1, 2) = 1.0f;
        const std::string text = report(folder, {30.0f, -10.0f, 5.0f, 0.0f, 0.0f, 100.0f});
        // Every table is a user-file offset table of one page (four lines).
        EXPECT_EQ(count(text, "Offset Type: User-specified input file"), buoy ? 9 : 7);
        EXPECT_EQ(count(text, "Initial Direction (Gx,Gy,Gz) = ( 0.60, 0.80, 0.00)"), buoy ? 9 : 7);
        EXPECT_EQ(count(text, "VII. User-specified INPUTOFF.txt offset file"), buoy ? 6 : 4);
        expect_in_order(text, buoy ? buoy_titles : single_body_titles);
        // 38 rows in each per-line table: phase numbers 1.00 to 38.00.
        EXPECT_EQ(count(text, "\n   38.00 "), 3);
        EXPECT_EQ(count(text, "\n   39.00"), 0);
    }
}

TEST_F(BuoyWaveCycleTest, BuoyTablesTakeTheHawserAndTheBuoyOffset) {
    ScriptedConsole console;
    moored_box_ship();
    TPCM.IARCO = 1;
    TPCM.HAWSLN = 4;
    TPCM.HAWSTP = 1;
    const auto c = cycle({30.0f, -10.0f, 5.0f, 0.0f, 0.0f, 100.0f});
    ASSERT_TRUE(c);
    for (int I : {1, 19}) {
        SCOPED_TRACE(I);
        // The most exposed line is never the hawser.
        EXPECT_NE(value(c->T.MSTEXP, 1, I), 4.0f);
        const float x = value(c->T.EQLDAT, 3, I);
        const float y = value(c->T.EQLDAT, 4, I);
        EXPECT_FLOAT_EQ(c->T.BYOFF[static_cast<std::size_t>(I - 1)], std::hypot(x, y));
        EXPECT_EQ(value(c->T.HWSDAT, 2, I), value(c->T.TOPTT, 4, I));
        EXPECT_EQ(value(c->T.HWSDAT, 6, I), value(c->T.BOTTH, 4, I));
        // Hawser energy, the rest of the mooring's, and the whole.
        const float hawser = value(c->T.LINERG, 4, I);
        const float whole = value(c->T.SYSERG, 7, I);
        EXPECT_EQ(value(c->T.HWSERG, 5, I), hawser);
        EXPECT_EQ(value(c->T.HWSERG, 6, I), whole - hawser);
        EXPECT_EQ(value(c->T.HWSERG, 7, I), whole);
        float sum = 0.0f;
        for (int b = 1; b <= 4; ++b)
            sum += value(c->T.LINERG, b, I);
        EXPECT_NEAR(whole, sum, 1e-3f * sum);
    }
}

TEST_F(BuoyWaveCycleTest, QuitPrintsThePhasesDone) {
    ScratchFolder folder;
    ScriptedConsole console("C\nC\nC\nC\nQ\n");
    unmoored();
    const std::string text = report(folder);
    EXPECT_EQ(count(text, "\n    5.00 "), 3); // the three per-line tables
    EXPECT_EQ(count(text, "\n    6.00 "), 0);
    EXPECT_EQ(count(text, "\n    5.0 "), 3); // the summaries against offsets
    EXPECT_EQ(count(text, "\n    6.0 "), 0);
    EXPECT_EQ(count(text, "\n  5   "), 1); // the equilibrium positions
    EXPECT_EQ(count(text, "\n  6   "), 0);
}

TEST(EquilibriumFailureRecord, MarksAtMostTwentyFiveWithinThirtyOnePoints) {
    struct Case {
        const char* name;
        std::vector<std::int32_t> failed;
        std::int32_t count, bits;
    };
    const Case cases[] = {
        {"none", {}, 0, 0},
        {"first at 3", {3, 4, 7}, 3, 0b10011},
        {"30 after the first marked, 31 after not", {2, 32, 33}, 3, 0b1 | (1 << 30)},
        {"the 32nd point from the first", {1, 31, 32}, 3, 0b1 | (1 << 30)},
        {"26 failures in a row", {}, 26, (1 << 25) - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::int32_t> failed = c.failed;
        if (failed.empty() && c.count == 26)
            for (std::int32_t I = 5; I <= 30; ++I)
                failed.push_back(I);
        std::int32_t FRSTFL = 0, ITFLWN = 0, NITRFL = 0;
        for (const std::int32_t I : failed)
            record_equilibrium_failure(I, FRSTFL, ITFLWN, NITRFL, 6);
        EXPECT_EQ(FRSTFL, failed.empty() ? 0 : failed.front());
        EXPECT_EQ(ITFLWN, c.count);
        EXPECT_EQ(NITRFL, c.bits);
    }
}

} // namespace
} // namespace lintar
