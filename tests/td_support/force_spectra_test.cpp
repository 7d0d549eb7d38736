// The heading-dependent spectra: the fingerprints by hand from f(x) = 3x + 1, the wind
// spectrum against the closed form of the gust spectrum, the wave grid, the layout of the
// force-spectrum pairs and the switches that shape them.
#include "td_support/force_spectra.h"

#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "support/console.h"
#include "td_support/env_support_fixture.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;
using ForceSpectra = EnvSupport;

std::vector<double> numbers_of(const std::string& line) {
    std::vector<double> v;
    std::istringstream in(line);
    for (double x; in >> x;)
        v.push_back(x);
    return v;
}

void set_sea() {
    TpcmBlock& T = TPCM;
    T.LRANDM = 1;
    T.WAVTYP = 2;
    T.SEAHDG(1) = 30.0f;
    T.SWHT(1) = 3.0f;
    T.WAVWID = 0.5f;
    T.SIGPD(1) = 10.0f;
    T.LSPRED = 0;
}

void set_swells() {
    TpcmBlock& T = TPCM;
    T.LSWELL = 1;
    T.SWLTYP = 0;
    T.SWLHDG = 45.0f;
    T.SWELHT = 2.0f;
    T.SWLWID = 0.1f;
    T.SWELPD = 14.0f;
    T.LSWEL2 = 1;
    T.SWLTYP2 = 3;
    T.SWLHDG2 = 90.0f;
    T.SWELHT2 = 1.0f;
    T.SWLWID2 = 0.0f;
    T.SWELPD2 = 8.0f;
}

// By hand: sea 7 x 91 x 10 x 2.5 x 31 = 493675 (spread: times 3 x 2); swell
// 1 x 136 x 7 x 1.3 x 43 = 53216.8; second swell 10 x 271 x 4 x 1 x 25 = 271000.
TEST_F(ForceSpectra, FingerprintsByHand) {
    set_sea();
    WaveFingerprints id = wave_fingerprints();
    EXPECT_FLOAT_EQ(id.wavID, 493675.0f);
    EXPECT_EQ(id.swlID, 0.0f);
    EXPECT_EQ(id.sw2ID, 0.0f);
    TPCM.LSPRED = 1;
    TPCM.COSEXP = 2.0f;
    TPCM.ANGSEC = 1.0f;
    EXPECT_FLOAT_EQ(wave_fingerprints().wavID, 2962050.0f);
    TPCM.LSPRED = 0;
    set_swells();
    id = wave_fingerprints();
    EXPECT_NEAR(id.swlID, 53216.8, 0.05);
    EXPECT_FLOAT_EQ(id.sw2ID, 271000.0f);
    EXPECT_EQ(fingerprint_sum(fingerprint_id(id.wavID), fingerprint_id(id.swlID),
                              fingerprint_id(id.sw2ID)),
              493675 + 53216 + 271000);
    // The second swell counts only with the first.
    TPCM.LSWELL = 0;
    EXPECT_EQ(wave_fingerprints().sw2ID, 0.0f);
}

// A product beyond the 32-bit range, and a sum of identifiers beyond it, are held to its ends
// instead of overflowing.
TEST_F(ForceSpectra, FingerprintsAreHeldToTheIntegerRange) {
    set_sea();
    TPCM.SEAHDG(1) = 359.0f;
    TPCM.SWHT(1) = 30.0f;
    TPCM.SIGPD(1) = 25.0f;
    TPCM.LSPRED = 1;
    TPCM.COSEXP = 10.0f;
    TPCM.ANGSEC = 4.0f;
    const WaveFingerprints id = wave_fingerprints();
    EXPECT_EQ(fingerprint_id(id.wavID), 2147483520);
    EXPECT_EQ(fingerprint_id(1.0e20f), 2147483520);
    EXPECT_EQ(fingerprint_id(-1.0e20f), INT_MIN);
    EXPECT_EQ(fingerprint_sum(INT_MAX - 1, 5, 0), INT_MAX);
    EXPECT_EQ(fingerprint_sum(INT_MIN + 1, -5, 0), INT_MIN);
    EXPECT_EQ(fingerprint_sum(1, 2, 3), 6);
}

// The wind file: 125 records of w and the gust density times the velocity ratio; metric, 40
// knots at the 10 m reference height (ratio 1), Davenport against its closed form in double
// precision (the gust spectra's own reference values).
TEST_F(ForceSpectra, TheWindSpectrumFile) {
    TpcmBlock& T = TPCM;
    T.LWIND = 1;
    T.NUNTS = 1;
    T.WNDSPD = 40.0f;
    T.WNDTYP = 1;
    T.WNDDEN = 0.0f;
    T.APIPRM = 0.025f;
    T.WSPEC_HGT = 10.0f;
    std::int32_t id = -1;
    AngSpecOut(0.0f, id);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(T.SLOFRQ_DELTA, 0.005f);
    const std::vector<std::string> lines = lines_of(folder.read("td_aux/WndSpec.vkdt"));
    ASSERT_EQ(lines.size(), 126u);
    EXPECT_EQ(lines[0], "         125");
    EXPECT_EQ(lines[1].substr(0, 11), " 0.00000000");
    EXPECT_EQ(lines[125].substr(0, 11), " 0.62000000");
    EXPECT_EQ(lines[1].size(), 29u);
    struct Point {
        std::size_t record;
        double w, S;
    };
    for (const Point& p :
         {Point{3, 0.01, 7.2130}, Point{11, 0.05, 28.112}, Point{41, 0.2, 19.916}}) {
        const std::vector<double> v = numbers_of(lines[p.record]);
        ASSERT_EQ(v.size(), 2u);
        EXPECT_NEAR(v[0], p.w, 2e-8); // (i - 1) x 0.005 in single precision
        EXPECT_NEAR(v[1], p.S, 2e-4 * p.S);
    }
    // Nothing else without current and waves.
    EXPECT_FALSE(folder.has("td_aux/CurSpec.vkdt"));
    EXPECT_FALSE(folder.has("td_aux/WavSpec.vkdt"));
}

// The sea: its spectrum on the wave grid, and the pair of force spectra: 17 headings of 32
// frequencies, the last heading labelled 360.0 and computed at relative angle 0, so that its
// block repeats the first.
TEST_F(ForceSpectra, TheSeaSpectrumAndItsForceSpectra) {
    set_sea();
    TPCM.VWDFAC = 1.0f;
    std::int32_t id = -1;
    AngSpecOut(0.0f, id);
    EXPECT_EQ(id, 493675);
    const std::vector<std::string> wave = lines_of(folder.read("td_aux/WavSpec.vkdt"));
    ASSERT_EQ(wave.size(), 32u);
    EXPECT_EQ(wave[0], "          31");
    for (int i = 1; i <= 31; i += 10) {
        const std::vector<double> v = numbers_of(wave[static_cast<std::size_t>(i)]);
        EXPECT_NEAR(v[0], WAVCOM.W(i), 1e-7 * WAVCOM.W(i));
        EXPECT_NEAR(v[1], WAVCOM.WPSD(i), 1e-7 * WAVCOM.WPSD(i) + 1e-30);
    }
    for (const char* name : {"td_aux/Var_WvRfl_Fspec.vkdt", "td_aux/Var_Wv_Fspec.vkdt"}) {
        SCOPED_TRACE(name);
        const std::vector<std::string> lines = lines_of(folder.read(name));
        ASSERT_EQ(lines.size(), 1u + 17u * 32u);
        EXPECT_EQ(numbers_of(lines[0]), (std::vector<double>{17, 32, 493675}));
        EXPECT_EQ(lines[1].substr(0, 17), "    0.0  0.000000");
        EXPECT_EQ(lines[33].substr(0, 17), "   22.5  0.000000");
        EXPECT_EQ(lines[544].substr(0, 17), "  360.0  0.620000");
        bool any = false;
        for (std::size_t j = 1; j <= 32; ++j) {
            EXPECT_EQ(lines[16 * 32 + j].substr(17), lines[j].substr(17)) << j;
            for (double x : numbers_of(lines[j]))
                any = any || x != 0.0;
        }
        EXPECT_TRUE(any);
    }
    EXPECT_FALSE(folder.has("td_aux/SwlSpec.vkdt"));
}

// With SupressSemiDragSpec the total file holds the drift alone, under an identifier one
// higher; LEGDRG is put back.
TEST_F(ForceSpectra, SuppressedDragSpectra) {
    set_sea();
    TPCM.VWDFAC = 1.0f;
    TPCM.LEGDRG = 0;
    TPCM.SupressSemiDragSpec = 1;
    std::int32_t id = -1;
    AngSpecOut(0.0f, id);
    EXPECT_EQ(TPCM.LEGDRG, 0);
    EXPECT_EQ(id, 493675); // the environment's identifier does not include the switch
    const std::vector<std::string> drift = lines_of(folder.read("td_aux/Var_WvRfl_Fspec.vkdt"));
    const std::vector<std::string> total = lines_of(folder.read("td_aux/Var_Wv_Fspec.vkdt"));
    EXPECT_EQ(total, drift);
    EXPECT_EQ(numbers_of(total[0]), (std::vector<double>{17, 32, 493676}));
}

// The second swell's files come only with the first swell.
TEST_F(ForceSpectra, NoSecondSwellWithoutTheFirst) {
    set_swells();
    TPCM.LSWELL = 0;
    std::int32_t id = -1;
    AngSpecOut(0.0f, id);
    EXPECT_EQ(id, 0);
    for (const char* name : {"td_aux/Swl2Spec.vkdt", "td_aux/Var_Sw2_Rfl_Fspec.vkdt",
                             "td_aux/Var_Sw2_Fspec.vkdt", "td_aux/SwlSpec.vkdt"})
        EXPECT_FALSE(folder.has(name)) << name;
    TPCM.LSWELL = 1;
    AngSpecOut(0.0f, id);
    EXPECT_EQ(id, 53216 + 271000);
    for (const char* name :
         {"td_aux/Swl2Spec.vkdt", "td_aux/Var_Sw2_Rfl_Fspec.vkdt", "td_aux/Var_Sw2_Fspec.vkdt",
          "td_aux/SwlSpec.vkdt", "td_aux/Var_Sw_Fspec.vkdt"})
        EXPECT_TRUE(folder.has(name)) << name;
}

// The pair on disk is reused only when both files are there and their key is this run's: a
// second run of the same environment leaves both untouched (a marker put in them stays); a
// forced rebuild, a missing drift-only file, another vessel or a changed sea heading writes the
// pair anew.
TEST_F(ForceSpectra, ThePairIsReusedOnlyWhenWholeAndCurrent) {
    set_sea();
    TPCM.VWDFAC = 1.0f;
    const std::string drift = "td_aux/Var_WvRfl_Fspec.vkdt";
    const std::string total = "td_aux/Var_Wv_Fspec.vkdt";
    std::int32_t id = -1;
    AngSpecOut(0.0f, id);
    ASSERT_TRUE(folder.has("td_aux/Var_Wv_Fspec.key"));
    const std::string written = folder.read(total);
    auto mark = [&] {
        folder.write(drift, "drift marker\n");
        folder.write(total, "total marker\n");
    };
    struct Case {
        const char* what;
        std::function<void()> change;
        bool rebuilt;
    };
    const Case cases[] = {
        {"the same environment", [] {}, false},
        {"a forced rebuild", [] { TPCM.ForceAllRebuilds = 1; }, true},
        {"the drift-only file missing", [&] { std::filesystem::remove(drift); }, true},
        // The identifier knows nothing of the vessel; the key does.
        {"another vessel length", [] { TPCM.LWL += 10.0f; }, true},
        {"another sea heading", [] { TPCM.SEAHDG(1) = 31.0f; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mark();
        c.change();
        AngSpecOut(0.0f, id);
        TPCM.ForceAllRebuilds = 0;
        if (c.rebuilt) {
            EXPECT_NE(folder.read(total), "total marker\n");
            EXPECT_NE(folder.read(drift), "drift marker\n");
            EXPECT_EQ(lines_of(folder.read(total)).size(), 545u);
        } else {
            EXPECT_EQ(folder.read(total), "total marker\n");
            EXPECT_EQ(folder.read(drift), "drift marker\n");
        }
    }
    // The other heading's identifier: f(31) = 94 in place of 91.
    EXPECT_EQ(numbers_of(lines_of(folder.read(total))[0]),
              (std::vector<double>{17, 32, 7.0 * 94 * 10 * 2.5 * 31}));
    EXPECT_NE(folder.read(total), written);
}

// A run stopped while the pair is written (here: the total file cannot be made) leaves no
// partial file and no key: the next run builds the pair.
TEST_F(ForceSpectra, AStoppedRunLeavesNoPartialPair) {
    set_sea();
    TPCM.VWDFAC = 1.0f;
    std::filesystem::create_directory("td_aux/Var_Wv_Fspec.vkdt.tmp");
    std::int32_t id = -1;
    EXPECT_EQ(run_until_stop([&] { AngSpecOut(0.0f, id); }), StopKind::error);
    close_all_units();
    for (const char* name : {"td_aux/Var_WvRfl_Fspec.vkdt", "td_aux/Var_WvRfl_Fspec.vkdt.tmp",
                             "td_aux/Var_Wv_Fspec.vkdt", "td_aux/Var_Wv_Fspec.key"})
        EXPECT_FALSE(std::filesystem::exists(name)) << name;
    EXPECT_NE(console.screen().find("File name: td_aux/Var_Wv_Fspec.vkdt"), std::string::npos)
        << console.screen();

    std::filesystem::remove("td_aux/Var_Wv_Fspec.vkdt.tmp");
    EXPECT_FALSE(run_until_stop([&] { AngSpecOut(0.0f, id); }));
    EXPECT_EQ(lines_of(folder.read("td_aux/Var_Wv_Fspec.vkdt")).size(), 545u);
    EXPECT_EQ(lines_of(folder.read("td_aux/Var_WvRfl_Fspec.vkdt")).size(), 545u);
}

} // namespace
} // namespace lintar
