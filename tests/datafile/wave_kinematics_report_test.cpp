// Tests of the wave-kinematics report "WAVEOUT.stxt" on a fixture data image: its sections,
// headings and values against linear wave theory, the spectra and group tables, the console
// pauses and the refusals.
#include "datafile/wave_kinematics_report.h"

#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/sea_spectra_support.h"

#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::lines_of;
using testing::pi;
using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

constexpr double g = 9.8;         // metric data
constexpr double deg = 57.295776; // degrees per radian

// The fixture's site: metric units, a 50 m depth, periods 4 to 12 s, a regular wave height of
// 2 m, the report to the file, the console on the screen, no seas and no swell.
void fixture_site() {
    TPCM.NUNTS = 1;
    TPCM.IUNIT = 1;
    TPCM.EDUNIT = screen_unit;
    TPCM.DEPTH = 50.0f;
    TPCM.NWP = 5;
    for (int k = 1; k <= 5; ++k)
        TPCM.T(k) = 2.0f + 2.0f * static_cast<float>(k);
    TPCM.LSLPHT = 0;
    TPCM.SLPHT = 2.0f;
}

std::vector<double> numbers_in(const std::string& line) {
    std::vector<double> values;
    std::stringstream in(line);
    std::string word;
    while (in >> word) {
        double x = 0.0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), x);
        if (error == std::errc() && end == word.data() + word.size())
            values.push_back(x);
    }
    return values;
}

// Index of the first line equal to text, or -1.
int find_line(const std::vector<std::string>& lines, const std::string& text, int from = 0) {
    for (int i = from; i < static_cast<int>(lines.size()); ++i)
        if (lines[static_cast<std::size_t>(i)] == text)
            return i;
    return -1;
}

// Linear wave theory in double precision for period T in depth d.
struct Airy {
    double w, k, c, c_g, tanh_kd;
};

Airy airy(double T, double d) {
    Airy a{};
    a.w = 2.0 * pi / T;
    a.k = testing::reference_wave_number(a.w, g, d);
    const double kd = a.k * d;
    a.c = a.w / a.k;
    a.c_g = a.c / 2.0 * (1.0 + 2.0 * kd / std::sinh(2.0 * kd));
    a.tanh_kd = std::tanh(kd);
    return a;
}

// A printed value against the exact one: the field's rounding and a little for single precision.
void expect_printed(double printed, double exact, int decimals) {
    EXPECT_NEAR(printed, exact, 0.5 * std::pow(10.0, -decimals) + 2e-5 * std::abs(exact));
}

const char* const banner =
    "   ***************       REGULAR WAVE KINEMATICS SUMMARY      ***************";

TEST(WaveReport, WithoutSeasOrSwellHoldsTheTwoRegularWaveSections) {
    ScratchFolder folder;
    ScriptedConsole console;
    fixture_site();
    WAVOUT();
    EXPECT_EQ(console.screen(), " >>> Outputting wave kinematics data...\n\n");
    const std::vector<std::string> lines = lines_of(folder.read("WAVEOUT.stxt"));

    const std::vector<std::string> top = {
        banner,
        "",
        "",
        " >>> Wave Properties",
        "",
        "",
        "                           Water Depth    =     50.00 m.",
        "                           Wave  Height   =      2.00 m.",
        "",
        "",
        "",
        "    Wave       Wave       Wave       Wave       Wave        Wave     Circular",
        "   Period     Length      Slope      Phase      Group      Number    Frequency",
        "                                     Speed      Speed",
        "   (Sec)       (m.)       (Deg)    (m./Sec)   (m./Sec)     (1/m.)    (Rad/Sec)",
        "",
        ""};
    ASSERT_GE(lines.size(), top.size() + 5);
    for (std::size_t i = 0; i < top.size(); ++i)
        EXPECT_EQ(lines[i], top[i]) << "line " << i + 1;
    for (int i = 1; i <= 5; ++i) {
        const double T = 2.0 + 2.0 * i;
        SCOPED_TRACE(::testing::Message() << "properties at T = " << T);
        const Airy a = airy(T, 50.0);
        const std::vector<double> v =
            numbers_in(lines[top.size() + static_cast<std::size_t>(i) - 1]);
        ASSERT_EQ(v.size(), 7u);
        expect_printed(v[0], T, 2);
        expect_printed(v[1], 2.0 * pi / a.k, 2);
        expect_printed(v[2], 1.0 * a.k * deg, 2); // slope a k of the 2 m wave
        expect_printed(v[3], a.c, 2);
        expect_printed(v[4], a.c_g, 2);
        // E10.3: three significant digits.
        EXPECT_NEAR(v[5], a.k, 0.5e-3 * std::pow(10.0, std::floor(std::log10(a.k)) + 1.0));
        expect_printed(v[6], a.w, 3);
    }

    // The second section follows a new page.
    const int second = find_line(lines, banner, 1);
    ASSERT_GT(second, 0);
    EXPECT_EQ(lines[static_cast<std::size_t>(second) - 1], "\f");
    const std::vector<std::string> heading = {
        " >>> Water Particle Dynamics At Surface",
        "",
        "",
        "                           Water Depth    =     50.00 m.",
        "                           Wave  Height   =      2.00 m.",
        "",
        "",
        "",
        "   Wave    << Accelerations  >>   <<   Velocities   >>   << Displacements >>",
        "  Period   Horizontal  Vertical   Horizontal  Vertical   Horizontal  Vertical",
        "  (Sec)           (G's)                 (m./Sec)                 (m.)",
        "",
        ""};
    for (std::size_t i = 0; i < heading.size(); ++i)
        EXPECT_EQ(lines[static_cast<std::size_t>(second) + 3 + i], heading[i]);
    const std::size_t first_row = static_cast<std::size_t>(second) + 3 + heading.size();
    ASSERT_EQ(lines.size(), first_row + 5); // nothing after the second section
    for (int i = 1; i <= 5; ++i) {
        const double T = 2.0 + 2.0 * i;
        SCOPED_TRACE(::testing::Message() << "particles at T = " << T);
        const Airy a = airy(T, 50.0);
        const std::vector<double> v =
            numbers_in(lines[first_row + static_cast<std::size_t>(i) - 1]);
        ASSERT_EQ(v.size(), 7u);
        const double amp = 1.0;
        expect_printed(v[0], T, 2);
        expect_printed(v[1], amp * a.k, 3);             // horizontal acceleration in g
        expect_printed(v[2], amp * a.w * a.w / g, 3);   // vertical acceleration in g
        expect_printed(v[3], amp * a.w / a.tanh_kd, 3); // horizontal velocity
        expect_printed(v[4], amp * a.w, 3);             // vertical velocity
        expect_printed(v[5], amp / a.tanh_kd, 3);       // horizontal displacement
        expect_printed(v[6], amp, 3);                   // vertical displacement
    }
    // The grid and wave numbers stay in WAVCOM for the rest of the run.
    EXPECT_FLOAT_EQ(WAVCOM.G, 9.8f);
    EXPECT_EQ(WAVCOM.NW, 4);
    EXPECT_FLOAT_EQ(WAVCOM.DT, 2.0f);
    EXPECT_NEAR(WAVCOM.WVK(3), airy(8.0, 50.0).k, 2e-5 * WAVCOM.WVK(3));
}

TEST(WaveReport, GivenSlopeShowsTheHeightColumn) {
    ScratchFolder folder;
    ScriptedConsole console;
    fixture_site();
    TPCM.NUNTS = 0; // English: feet
    TPCM.DEPTH = 150.0f;
    TPCM.LSLPHT = 1;
    TPCM.SLPHT = 5.0f; // degrees
    WAVOUT();
    const std::vector<std::string> lines = lines_of(folder.read("WAVEOUT.stxt"));
    EXPECT_EQ(lines[7], "                           Wave   Slope   =      5.00 Deg");
    EXPECT_EQ(lines[12],
              "   Period     Length     Height      Phase      Group      Number    Frequency");
    EXPECT_EQ(lines[14],
              "   (Sec)       (ft)       ( ft)    (ft/Sec)   (ft/Sec)     (1/ft)    (Rad/Sec)");
    // English gravity, 32.152 ft/s^2, for the row of 8 s.
    const double k = testing::reference_wave_number(2.0 * pi / 8.0, 32.152, 150.0);
    const std::vector<double> v = numbers_in(lines[17 + 2]);
    ASSERT_EQ(v.size(), 7u);
    expect_printed(v[2], 2.0 * (5.0 / deg) / k, 2); // the height 2a of the 5 degree wave
}

TEST(WaveReport, DeepWaterGroupSpeedIsHalfThePhaseSpeed) {
    ScratchFolder folder;
    ScriptedConsole console;
    fixture_site();
    TPCM.DEPTH = 1000.0f; // kd from 27 to 250 over the grid
    TPCM.NWP = 3;
    TPCM.T(1) = 2.0f;
    TPCM.T(2) = 3.0f;
    TPCM.T(3) = 4.0f;
    WAVOUT();
    const std::vector<std::string> lines = lines_of(folder.read("WAVEOUT.stxt"));
    for (std::size_t row = 17; row < 20; ++row) {
        SCOPED_TRACE(lines[row]);
        const std::vector<double> v = numbers_in(lines[row]);
        ASSERT_EQ(v.size(), 7u);
        const double T = v[0];
        expect_printed(v[4], g * T / (4.0 * pi), 2);
        expect_printed(v[3], g * T / (2.0 * pi), 2);
    }
}

// A seas and swell fixture: Bretschneider seas of 3 m and 8 s from 30 degrees, long-crested,
// and the default swell of 1.5 m and 12 s from 90 degrees, width 0.05, on periods 4 to 16 s.
void seas_and_swell() {
    fixture_site();
    TPCM.DEPTH = 100.0f;
    TPCM.NWP = 25;
    for (int k = 1; k <= 25; ++k)
        TPCM.T(k) = 3.5f + 0.5f * static_cast<float>(k);
    TPCM.LRANDM = 1;
    TPCM.WAVTYP = 6;
    TPCM.SWHT(1) = 3.0f;
    TPCM.SIGPD(1) = 8.0f;
    TPCM.SEAHDG(1) = 30.0f;
    TPCM.LSWELL = 1;
    TPCM.SWLTYP = 0;
    TPCM.SWELHT = 1.5f;
    TPCM.SWELPD = 12.0f;
    TPCM.SWLWID = 0.05f;
    TPCM.SWLHDG = 90.0f;
}

// An ONELIN line as the report writes it: ten blanks, the label, a blank, dots to 37
// characters, the value F10.2, a blank and the 16-character unit label.
std::string value_line(const std::string& label, double value, const std::string& unit) {
    std::string unit16 = unit;
    unit16.resize(16, ' ');
    return std::string(10, ' ') + label + " " + std::string(37 - label.size(), '.') +
           F(value, 10, 2) + " " + unit16;
}

// The swell type line: the name of the default swell in its 30-character field.
const std::string swell_type_line = [] {
    std::string name = " Kelbrin swell spectrum";
    name.resize(30, ' ');
    return "     Swell Spectral Type -- " + name;
}();

// The Bretschneider seas of the fixture, S = 5/16 Hs^2 wp^4 w^-5 exp(-5/4 (wp/w)^4).
double seas_spectrum(double w) {
    const double wp = 2.0 * pi / 8.0;
    return 5.0 / 16.0 * 9.0 * std::pow(wp, 4.0) * std::pow(w, -5.0) *
           std::exp(-1.25 * std::pow(wp / w, 4.0));
}

TEST(WaveReport, SeasAndSwellSectionsShowCharacteristicsSpectraAndGroups) {
    ScratchFolder folder;
    ScriptedConsole console;
    seas_and_swell();
    WAVOUT();
    const std::vector<std::string> lines = lines_of(folder.read("WAVEOUT.stxt"));

    const int spectral = find_line(
        lines, "   ********************   Irregular Wave Spectral Values  *******************");
    ASSERT_GT(spectral, 0);
    EXPECT_EQ(lines[static_cast<std::size_t>(spectral) - 1], "\f");
    const auto at = [&](int i) { return lines[static_cast<std::size_t>(i)]; };
    EXPECT_EQ(at(spectral + 1), "     ----  Wave Characteristics  ----");
    EXPECT_EQ(at(spectral + 2), "     Wave Spectral Type -- Bretschneider; Long-crested seas");
    EXPECT_EQ(at(spectral + 3), value_line("Requested Significant wave height", 3.0, "m."));
    // The calculated height is 4 sqrt(m0) over the grid's band, 4 to 16 s.
    const double w_lo = 2.0 * pi / 16.0;
    const double w_hi = 2.0 * pi / 4.0;
    const std::vector<double> calculated = numbers_in(at(spectral + 4));
    ASSERT_EQ(calculated.size(), 1u);
    EXPECT_NEAR(calculated[0], 4.0 * std::sqrt(testing::integrate(seas_spectrum, w_lo, w_hi)),
                0.01);
    EXPECT_EQ(at(spectral + 5), value_line("Direction of maximum seas", 30.0, "degrees"));
    EXPECT_EQ(at(spectral + 6), value_line("Spectrum peak period", 8.0, "seconds"));
    EXPECT_EQ(at(spectral + 7),
              value_line("Spectrum characteristic wind speed", 9.8 * 0.1412 * 8.0, "meters/sec"));
    const Airy seas_peak = airy(8.0, 100.0);
    const std::vector<double> seas_slope = numbers_in(at(spectral + 8));
    expect_printed(seas_slope.at(0), 1.5 * seas_peak.k * deg, 2);
    EXPECT_EQ(at(spectral + 9), swell_type_line);
    EXPECT_EQ(at(spectral + 10), value_line("Requested Significant swell height", 1.5, "m."));
    EXPECT_EQ(at(spectral + 12), value_line("Swell direction", 90.0, "degrees"));
    EXPECT_EQ(at(spectral + 13), value_line("Swell period", 12.0, "seconds"));
    EXPECT_EQ(at(spectral + 15), value_line("Swell spectral bandwidth", 0.05, ""));
    EXPECT_EQ(at(spectral + 16), "     >>> Wave height for slope calculation =   2.00 m.");
    EXPECT_EQ(at(spectral + 17), "      Wave         Wave         Wave         Wave         Wave"
                                 "        Swell");
    EXPECT_EQ(at(spectral + 18), "     Period      Frequency     Length        Slope      Spectrum"
                                 "     Spectrum");
    // The units line ends at column 50; the spectrum unit starts at column 55.
    EXPECT_EQ(at(spectral + 19),
              "     (Sec)       (rad/sec)      (m.)         (Deg)    <-- (m.^2/[rad/sec]) -->");
    // Spectrum rows: the Bretschneider ordinates (its constant is 5/16 (2 pi)^4 to 2e-4) and
    // the Gaussian swell about 12 s with the relative width 0.05.
    for (int i = 1; i <= 25; ++i) {
        const double T = 3.5 + 0.5 * i;
        SCOPED_TRACE(::testing::Message() << "spectrum at T = " << T);
        const std::vector<double> v = numbers_in(at(spectral + 19 + i));
        ASSERT_EQ(v.size(), 6u);
        const Airy a = airy(T, 100.0);
        expect_printed(v[1], a.w, 3);
        expect_printed(v[2], 2.0 * pi / a.k, 3);
        const double pm = seas_spectrum(a.w);
        EXPECT_NEAR(v[4], pm, 5e-5 + 3e-4 * pm);
        const double ws = 2.0 * pi / 12.0;
        const double f = a.w / ws - 1.0;
        const double swell = 1.5 * 1.5 / (16.0 * std::sqrt(2.0 * pi) * 0.05 * ws) *
                             std::exp(-f * f / (2.0 * 0.05 * 0.05));
        EXPECT_NEAR(v[5], swell, 5e-5 + 1e-5 * swell);
    }

    const int group = find_line(
        lines, "   ****************   Irregular Wave Group Spectral Values  *****************");
    ASSERT_GT(group, spectral);
    EXPECT_EQ(at(group - 1), "\f");
    EXPECT_EQ(at(group + 2), at(spectral + 2)); // the characteristics again
    EXPECT_EQ(at(group + 16),
              "                            Wave          Swell       Wave          Swell");
    EXPECT_EQ(at(group + 17),
              "   Group      Group      InterGroup    InterGroup     Group         Group");
    EXPECT_EQ(at(group + 18),
              " Frequency    Period       Spacing       Spacing     Spectrum      Spectrum");
    EXPECT_EQ(at(group + 19),
              " (rad/sec)    (Sec)          (m.)          (m.)     <-- (m.^4/[rad/sec]) -->");
    const std::string first = at(group + 20);
    EXPECT_EQ(first.substr(0, 53), "  .0000     Infinity       Infinity      Infinity    ");
    // The group spectrum at mu = 0 is 8 times the integral of S^2 over the grid band.
    const double seas_s2 =
        8.0 * testing::integrate([](double w) { return seas_spectrum(w) * seas_spectrum(w); }, w_lo,
                                 w_hi, 1e-10);
    const std::vector<double> spectra = numbers_in(first.substr(53));
    ASSERT_EQ(spectra.size(), 2u);
    EXPECT_NEAR(spectra[0], seas_s2, 0.02 * seas_s2);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(group) + 20 + 75 + 1); // the final page
    EXPECT_EQ(lines.back(), "\f");
    const Airy swell_peak = airy(12.0, 100.0);
    for (int row = 2; row <= 75; ++row) {
        const double mu = (row - 1) * 0.0025;
        SCOPED_TRACE(::testing::Message() << "group row at mu = " << mu);
        const std::vector<double> v = numbers_in(at(group + 19 + row));
        ASSERT_EQ(v.size(), 6u);
        expect_printed(v[0], mu, 4);
        const double period = 2.0 * pi / mu;
        expect_printed(v[1], period, 2);
        EXPECT_NEAR(v[2], seas_peak.c_g * period, 0.005 + 1e-5 * seas_peak.c_g * period);
        EXPECT_NEAR(v[3], swell_peak.c_g * period, 0.005 + 1e-5 * swell_peak.c_g * period);
    }
    // Producing the report leaves the data as it was.
    EXPECT_FLOAT_EQ(TPCM.SWELPD, 12.0f);
    EXPECT_FLOAT_EQ(TPCM.SWELHT, 1.5f);
}

TEST(WaveReport, OneSystemUsesTheSingleColumnLayouts) {
    ScratchFolder folder;
    ScriptedConsole console;
    seas_and_swell();
    TPCM.LRANDM = 0; // swell only
    WAVOUT();
    const std::vector<std::string> lines = lines_of(folder.read("WAVEOUT.stxt"));
    const int spectral = find_line(
        lines, "   ********************   Irregular Wave Spectral Values  *******************");
    ASSERT_GT(spectral, 0);
    EXPECT_EQ(lines[static_cast<std::size_t>(spectral) + 2], swell_type_line);
    const int table =
        find_line(lines, "      Wave         Wave         Wave         Wave         Swell");
    ASSERT_GT(table, spectral);
    // With one system the spectrum unit starts at column 53.
    EXPECT_EQ(lines[static_cast<std::size_t>(table) + 2],
              "     (Sec)       (rad/sec)      (m.)         (Deg)  (m.^2/[rad/sec])");
    const int group = find_line(lines, "   Group        Group         InterGroup      Swell Group");
    ASSERT_GT(group, table);
    EXPECT_EQ(lines[static_cast<std::size_t>(group) + 1],
              " Frequency      Period         Spacing          Spectrum");
    EXPECT_EQ(lines[static_cast<std::size_t>(group) + 2],
              " (rad/sec)      (Sec)           (m.)        (m.^4/[rad/sec])");
    EXPECT_EQ(lines[static_cast<std::size_t>(group) + 3].substr(0, 47),
              "  .0000       Infinity         Infinity        ");
}

TEST(WaveReport, SwellSpectrumWorksOnCopiesOfTheSwellData) {
    // A Pierson-Moskowitz swell takes its period from its height: the report shows that period,
    // and the data image keeps the user's.
    ScratchFolder folder;
    ScriptedConsole console;
    seas_and_swell();
    TPCM.LRANDM = 0;
    TPCM.SWLTYP = 1;
    TPCM.SWELHT = 0.5f;
    WAVOUT();
    const std::vector<std::string> lines = lines_of(folder.read("WAVEOUT.stxt"));
    const double period = 15.66 * std::sqrt(0.5 / g);
    EXPECT_NE(find_line(lines, value_line("Swell period", period, "seconds")), -1);
    EXPECT_FLOAT_EQ(TPCM.SWELPD, 12.0f);
    EXPECT_FLOAT_EQ(TPCM.SWELHT, 0.5f);
}

TEST(WaveReport, OchiHubbleSeasShowTheRootSumSquareHeight) {
    ScratchFolder folder;
    ScriptedConsole console;
    seas_and_swell();
    TPCM.LSWELL = 0;
    TPCM.WAVTYP = 9;
    TPCM.N_OCHI_COMP = 2;
    TPCM.SWHT(1) = 2.0f;
    TPCM.SIGPD(1) = 7.0f;
    TPCM.RTPCM0(1) = 2.0f;
    TPCM.SWHT(2) = 2.5f;
    TPCM.SIGPD(2) = 12.0f;
    TPCM.RTPCM0(2) = 3.0f;
    WAVOUT();
    const std::vector<std::string> lines = lines_of(folder.read("WAVEOUT.stxt"));
    const int type = find_line(lines, "     Wave Spectral Type -- Ochi-Hubble; Long-crested seas");
    ASSERT_GT(type, 0);
    EXPECT_EQ(lines[static_cast<std::size_t>(type) + 1],
              value_line("Requested Significant wave height", std::sqrt(4.0 + 6.25), "m."));
    // The peak period is the modal period of the highest component.
    EXPECT_EQ(lines[static_cast<std::size_t>(type) + 4],
              value_line("Spectrum peak period", 12.0, "seconds"));
}

TEST(WaveReport, ReportOnTheConsolePausesAfterEachSection) {
    struct Row {
        const char* what;
        bool seas;
        int pauses;
    };
    constexpr Row rows[] = {{"regular waves only", false, 3}, {"with seas", true, 4}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchFolder folder;
        ScriptedConsole console("\n\n\n\n\n");
        seas_and_swell();
        TPCM.LSWELL = 0;
        TPCM.LRANDM = row.seas ? 1 : 0;
        TPCM.IUNIT = screen_unit;
        WAVOUT();
        const std::string screen = console.screen();
        int pauses = 0;
        for (auto at = screen.find("Press <RETURN> to continue: "); at != std::string::npos;
             at = screen.find("Press <RETURN> to continue: ", at + 1))
            ++pauses;
        EXPECT_EQ(pauses, row.pauses);
        EXPECT_NE(screen.find(banner), std::string::npos);
        EXPECT_FALSE(folder.has("WAVEOUT.stxt"));
    }
}

TEST(WaveReport, UnusableSeaStateIsRefused) {
    struct Row {
        const char* what;
        void (*setup)();
        const char* message;
    };
    const Row rows[] = {
        {"swell period above the grid", [] { TPCM.SWELPD = 17.0f; },
         " ++> Swell outside wave period range"},
        {"seas peak below the grid", [] { TPCM.SIGPD(1) = 3.0f; },
         " ++> Seas peak period outside wave period range"},
        {"no depth", [] { TPCM.DEPTH = -5.0f; },
         " ++> Water depth must be positive for the wave kinematics; depth =     -5.00"},
        {"one period", [] { TPCM.NWP = 1; },
         " ++> Wave period array must hold 2 to 100 periods; it holds 1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchFolder folder;
        ScriptedConsole console("\n");
        seas_and_swell();
        row.setup();
        EXPECT_EQ(run_until_stop(WAVOUT), StopKind::error);
        const std::string screen = console.screen();
        const std::string ending =
            std::string(row.message) + "\n\n \n Press <RETURN> to continue: ";
        ASSERT_GE(screen.size(), ending.size());
        EXPECT_EQ(screen.substr(screen.size() - ending.size()), ending);
    }
}

} // namespace
} // namespace lintar
