// datafile/wave_kinematics_report.cpp: the wave-kinematics report "WAVEOUT.stxt".
#include "datafile/wave_kinematics_report.h"

#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/edit_descriptors.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/answer_reader.h"
#include "util/file_services.h"
#include "util/prompts.h"
#include "util/range_checks.h"
#include "util/sea_spectra.h"
#include "util/spectral_moments.h"
#include "util/unit_labels.h"
#include "util/wave_numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lintar {

namespace {

constexpr int report_file_unit = 1;
constexpr int printer_unit = 99;

// What the report needs to know besides the blocks, fixed at its start.
struct ReportSetup {
    int IUNIT = 0;             // the report's unit
    int EDUNIT = 0;            // the console
    std::string length;        // "ft" or "m."
    std::string column_name;   // the second regular-wave quantity: " Slope" or "Height"
    std::string column_unit;   // its unit: "Deg" or the length label
    std::string given_name;    // the given quantity: "Height" or "Slope"
    std::string given_unit;    // its unit: the length label or "Deg"
    bool height_given = false; // LSLPHT 0: SLPHT is a height
    bool seas = false;         // LRANDM
    bool swell = false;        // LSWELL
};

// Sea-state values the characteristics block shows.
struct SeaState {
    float SWHC = 0.0f;   // calculated significant height of the seas
    float SWELHT = 0.0f; // swell height and period as the spectrum left them
    float SWELPD = 0.0f;
};

// The amplitude and the slope (radians) of the regular wave of wave number k.
struct RegularWave {
    float a;
    float s;
};

RegularWave regular_wave(float k) {
    if (TPCM.LSLPHT == 0) {
        const float a = TPCM.SLPHT / 2.0f;
        return {a, a * k};
    }
    const float s = TPCM.SLPHT / degrees_per_radian;
    return {s / k, s};
}

// The second regular-wave quantity: the slope in degrees when a height is given, else the
// height.
float second_quantity(float k) {
    const RegularWave wave = regular_wave(k);
    return TPCM.LSLPHT == 0 ? wave.s * degrees_per_radian : 2.0f * wave.a;
}

// Wave number at angular frequency omega in the site depth (WAVVEC).
float wave_number_at(float omega) {
    return wave_number(omega, TPCM.DEPTH, WAVCOM.G);
}

// The Return pause that ends a section shown on the console.
void pause_on_console(const ReportSetup& r) {
    if (r.IUNIT == r.EDUNIT)
        PRSRET(r.EDUNIT, keyboard_unit, TPCM.LBACK);
}

// The banner and the depth and given-quantity lines that open both regular-wave sections.
void section_top(const ReportSetup& r, std::string_view title) {
    const int u = r.IUNIT;
    write_record(u, X(3) + std::string(15, '*') + "       REGULAR WAVE KINEMATICS" +
                        " SUMMARY      " + std::string(15, '*'));
    LINES(u, 2);
    write_record(u, std::string(" >>> ") + std::string(title));
    LINES(u, 2);
    // Both lines start at column 28.
    write_record(u, X(27) + "Water Depth    =" + F(TPCM.DEPTH, 10, 2) + " " + r.length);
    write_record(u, X(27) + "Wave " + A(r.given_name, 7) + "   =" + F(TPCM.SLPHT, 10, 2) + " " +
                        r.given_unit);
    LINES(u, 3);
}

// Section "Wave Properties": one row per grid period; stores W, W2 and WVK.
void wave_properties(const ReportSetup& r) {
    const int u = r.IUNIT;
    const std::string& L = r.length;
    section_top(r, "Wave Properties");
    write_record(u, "    Wave       Wave       Wave       Wave       Wave "
                    "       Wave     Circular");
    write_record(u, "   Period     Length     " + A(r.column_name, 6) + "      Phase      Group" +
                        "      Number    Frequency");
    write_record(u, X(37) + "Speed      Speed");
    write_record(u, "   (Sec)       (" + L + ")       (" + A(r.column_unit, 3) + ")    (" + L +
                        "/Sec)   (" + L + "/Sec)     (1/" + L + ")    (Rad/Sec)");
    LINES(u, 2);
    for (int i = 1; i <= TPCM.NWP; ++i) {
        const float omega = two_pi_single / TPCM.T(i);
        WAVCOM.W(i) = omega;
        WAVCOM.W2(i) = omega * omega;
        const float k = wave_number_at(omega);
        WAVCOM.WVK(i) = k;
        const float c = omega / k;
        const float c_g = group_speed(WAVCOM.G, omega, k, TPCM.DEPTH);
        write_record(u, X(1) + F(TPCM.T(i), 8, 2) + X(3) + F(two_pi_single / k, 8, 2) + X(3) +
                            F(second_quantity(k), 8, 2) + X(3) + F(c, 8, 2) + X(3) + F(c_g, 8, 2) +
                            X(3) + E(k, 10, 3) + X(2) + F(omega, 8, 3));
    }
}

// Section "Water Particle Dynamics At Surface": accelerations in g, velocities and
// displacements of the surface particles.
void particle_dynamics(const ReportSetup& r) {
    const int u = r.IUNIT;
    const std::string& L = r.length;
    section_top(r, "Water Particle Dynamics At Surface");
    write_record(u, "   Wave    << Accelerations  >>   <<   Velocities   >>"
                    "   << Displacements >>");
    write_record(u, "  Period   Horizontal  Vertical   Horizontal  Vertical"
                    "   Horizontal  Vertical");
    write_record(u, "  (Sec)           (G's)                 (" + L + "/Sec)" +
                        "                 (" + L + ")");
    LINES(u, 2);
    const float G = WAVCOM.G;
    for (int i = 1; i <= TPCM.NWP; ++i) {
        const float omega = WAVCOM.W(i);
        const float k = WAVCOM.WVK(i);
        const RegularWave wave = regular_wave(k);
        const float tanh_kd = omega * omega / (k * G);
        const float u_h = wave.a * omega / tanh_kd;
        const float u_v = wave.a * omega;
        write_record(u, X(1) + F(TPCM.T(i), 7, 2) + X(1) + F(wave.s, 9, 3) + X(2) +
                            F(wave.a * omega * omega / G, 9, 3) + X(3) + F(u_h, 9, 3) + X(2) +
                            F(u_v, 9, 3) + X(3) + F(u_h / omega, 9, 3) + X(2) + F(wave.a, 9, 3));
    }
}

// A peak or swell period off the grid: the message, the Return pause and an error stop.
[[noreturn]] void outside_grid(std::string_view message, int EDUNIT) {
    fatal_stop(EDUNIT, keyboard_unit, {message, ""});
}

// Grid index of a period: the nearest grid period, or 0 off the grid.
int grid_index(float period) {
    const float position = (period - WAVCOM.TS) / WAVCOM.DT + 1.5f;
    if (!(position >= 1.0f && position < static_cast<float>(TPCM.NWP) + 1.0f))
        return 0;
    return static_cast<int>(position);
}

// The seas: height and peak period from the data, the spectrum, its calculated height and the
// peak index. A peak period off the grid would index outside it, so it is refused as the swell
// period is.
void seas_spectrum(const ReportSetup& r, SeaState& state) {
    if (TPCM.WAVTYP == 9) {
        const std::int32_t N = std::clamp<std::int32_t>(TPCM.N_OCHI_COMP, 0, 4);
        float sum = 0.0f;
        for (int j = 1; j <= N; ++j)
            sum += TPCM.SWHT(j) * TPCM.SWHT(j);
        WAVCOM.SWH = std::sqrt(sum);
        std::int32_t MINI = 1;
        std::int32_t MAXI = 1;
        float MINVAL = 0.0f;
        float MAXVAL = 0.0f;
        bool MONOTN = false;
        bool ASCEND = false;
        MAX_MIN(std::span<const float>(TPCM.SWHT_words), N, MINI, MAXI, MINVAL, MAXVAL, MONOTN,
                ASCEND);
        WAVCOM.TPK = TPCM.SIGPD(MAXI);
    } else {
        WAVCOM.SWH = TPCM.SWHT(1);
        WAVCOM.TPK = TPCM.SIGPD(1);
    }
    WVSPEC(TPCM.WAVTYP, WAVCOM.WPSD_words, WAVCOM.SWH, WAVCOM.TPK, WAVCOM.WPK, WAVCOM.WKPK, 0);
    float m0 = 0.0f;
    float m2 = 0.0f;
    SMPINT(WAVCOM.WPSD_words, m0, m2);
    state.SWHC = 4.0f * std::sqrt(m0);
    if (grid_index(WAVCOM.TPK) == 0)
        outside_grid(" ++> Seas peak period outside wave period range", r.EDUNIT);
}

// The first swell. The spectrum works on copies of the swell height and period: types 1, 7
// and 8 replace them, and producing a report must not change the data file.
void swell_spectrum(const ReportSetup& r, SeaState& state) {
    WAVCOM.DELSWL = TPCM.SWLWID;
    WAVCOM.NSWEL = grid_index(TPCM.SWELPD);
    if (WAVCOM.NSWEL == 0)
        outside_grid(" ++> Swell outside wave period range", r.EDUNIT);
    state.SWELHT = TPCM.SWELHT;
    state.SWELPD = TPCM.SWELPD;
    WVSPEC(TPCM.SWLTYP, WAVCOM.SWLPSD_words, state.SWELHT, state.SWELPD, WAVCOM.WSWLPK,
           WAVCOM.WKSWLPK, 1);
    float m0 = 0.0f;
    float m2 = 0.0f;
    SMPINT(WAVCOM.SWLPSD_words, m0, m2);
    WAVCOM.SWHSWL = 4.0f * std::sqrt(m0);
}

// The seas spectrum names of the characteristics block.
std::string_view seas_name(std::int32_t WAVTYP) {
    static constexpr std::array<std::string_view, 11> names{
        "Kelbrin Default Swell", "Standard Pierson-Moskowitz",
        "Mean JONSWAP",          "Sharp JONSWAP",
        "Squat JONSWAP",         "General JONSWAP",
        "Bretschneider",         "WAVSPEC.txt input file",
        "Legacy User Spectrum",  "Ochi-Hubble",
        "TMA Shallow Water"};
    if (WAVTYP < 0 || WAVTYP > 10)
        return "Missing!";
    return names[static_cast<std::size_t>(WAVTYP)];
}

// Label code of a value without a unit: a blank label.
constexpr std::int32_t no_unit = -1;

// The characteristics block of the two irregular-wave sections.
void characteristics(const ReportSetup& r, const SeaState& state) {
    const int u = r.IUNIT;
    const std::int32_t N = TPCM.NUNTS;
    if (r.seas) {
        write_record(u, X(5) + "Wave" + " Spectral Type -- " + std::string(seas_name(TPCM.WAVTYP)) +
                            (TPCM.LSPRED == 0 ? "; Long-crested seas" : "; Short-crested seas"));
        if (TPCM.LSPRED != 0)
            ONELIN("Power of Cosine in spreading factor", TPCM.COSEXP, UNITS, no_unit, u);
        if (TPCM.WAVTYP != 7 && TPCM.WAVTYP != 8)
            ONELIN("Requested Significant wave height", WAVCOM.SWH, UNITS, 7 + N, u);
        ONELIN("Calculated Significant wave height", state.SWHC, UNITS, 7 + N, u);
        ONELIN("Direction of maximum seas", TPCM.SEAHDG(1), UNITS, 2, u);
        ONELIN("Spectrum peak period", WAVCOM.TPK, UNITS, 16, u);
        ONELIN("Spectrum characteristic wind speed", WAVCOM.G * 0.1412f * WAVCOM.TPK, UNITS, 14 + N,
               u);
        ONELIN("Spectrum characteristic wave slope",
               WAVCOM.SWH / 2.0f * wave_number_at(two_pi_single / WAVCOM.TPK) * degrees_per_radian,
               UNITS, 2, u);
        if (TPCM.WAVTYP == 0)
            ONELIN("Swell spectral bandwidth", TPCM.WAVWID, UNITS, no_unit, u);
    }
    if (r.swell) {
        write_record(u, X(5) + "Swell" + " Spectral Type -- " + WAVPRT(TPCM.SWLTYP));
        ONELIN("Requested Significant swell height", state.SWELHT, UNITS, 7 + N, u);
        ONELIN("Calculated Significant swell height", WAVCOM.SWHSWL, UNITS, 7 + N, u);
        ONELIN("Swell direction", TPCM.SWLHDG, UNITS, 2, u);
        ONELIN("Swell period", state.SWELPD, UNITS, 16, u);
        ONELIN("Swell characteristic wave slope",
               state.SWELHT / 2.0f * wave_number_at(two_pi_single / state.SWELPD) *
                   degrees_per_radian,
               UNITS, 2, u);
        if (TPCM.SWLTYP == 0)
            ONELIN("Swell spectral bandwidth", TPCM.SWLWID, UNITS, no_unit, u);
    }
}

// Section "Irregular Wave Spectral Values": the characteristics and the spectrum ordinates.
void spectral_values(const ReportSetup& r, const SeaState& state) {
    const int u = r.IUNIT;
    const std::string& L = r.length;
    write_record(u, X(3) + "********************   Irregular Wave Spectral" +
                        " Values  *******************");
    write_record(u, X(5) + "----  Wave Characteristics  ----");
    characteristics(r, state);
    if (r.height_given)
        write_record(u, X(5) + ">>> Wave height for slope calculation = " + F(TPCM.SLPHT, 6, 2) +
                            " " + L);
    else
        write_record(u, X(5) + ">>> Wave slope for height calculation = " + F(TPCM.SLPHT, 6, 2) +
                            " degrees");

    const bool both = r.seas && r.swell;
    if (both) {
        write_record(u, "      Wave         Wave         Wave         Wave"
                        "         Wave        Swell");
        write_record(u, "     Period      Frequency     Length       " + A(r.column_name, 6) +
                            "      Spectrum     Spectrum");
        Record units;
        units << "     (Sec)       (rad/sec)      (" + L + ")         (" + A(r.column_unit, 3) +
                     ")";
        units.T(55) << "<-- (" + L + "^2/[rad/sec]) -->";
        write_record(u, units.text());
    } else {
        write_record(u, std::string("      Wave         Wave         Wave         Wave         ") +
                            (r.seas ? "Wave " : "Swell"));
        write_record(u, "     Period      Frequency     Length       " + A(r.column_name, 6) +
                            "      Spectrum");
        Record units;
        units << "     (Sec)       (rad/sec)      (" + L + ")         (" + A(r.column_unit, 3) +
                     ")";
        units.T(53) << "(" + L + "^2/[rad/sec])";
        write_record(u, units.text());
    }
    for (int i = 1; i <= TPCM.NWP; ++i) {
        const float k = WAVCOM.WVK(i);
        std::string row = F(TPCM.T(i), 11, 3) + F(WAVCOM.W(i), 13, 3) +
                          F(two_pi_single / k, 13, 3) + F(second_quantity(k), 13, 3);
        if (r.seas)
            row += F(WAVCOM.WPSD(i), 13, 4);
        if (r.swell)
            row += F(WAVCOM.SWLPSD(i), 13, 4);
        write_record(u, row);
    }
}

// Section "Irregular Wave Group Spectral Values": 75 group frequencies from 0 in steps of
// 0.0025 rad/s, with the group period, the inter-group spacing (group speed at the spectral
// peak times the group period) and the group spectrum of each system.
void group_values(const ReportSetup& r, const SeaState& state) {
    const int u = r.IUNIT;
    const std::string& L = r.length;
    write_record(u, X(3) + "****************   Irregular Wave Group Spectral" +
                        " Values  *****************");
    write_record(u, X(5) + "----  Wave Characteristics  ----");
    characteristics(r, state);

    const bool both = r.seas && r.swell;
    if (both) {
        write_record(u, "                            Wave          Swell     "
                        "  Wave          Swell");
        write_record(u, "   Group      Group      InterGroup    InterGroup   "
                        "  Group         Group");
        write_record(u, " Frequency    Period       Spacing       Spacing    "
                        " Spectrum      Spectrum");
        write_record(u, " (rad/sec)    (Sec)          (" + L + ")          (" + L + ")     " +
                            "<-- (" + L + "^4/[rad/sec]) -->");
    } else {
        write_record(u, std::string("   Group        Group         InterGroup      ") +
                            (r.seas ? " Wave" : "Swell") + " Group");
        write_record(u, " Frequency      Period         Spacing          Spectrum");
        write_record(u,
                     " (rad/sec)      (Sec)           (" + L + ")        (" + L + "^4/[rad/sec])");
    }

    // Group speeds at the spectral peaks.
    const auto speed_at = [](int i) {
        return group_speed(WAVCOM.G, WAVCOM.W(i), WAVCOM.WVK(i), TPCM.DEPTH);
    };
    const float c_g_seas = r.seas ? speed_at(grid_index(WAVCOM.TPK)) : 0.0f;
    const float c_g_swell = r.swell ? speed_at(WAVCOM.NSWEL) : 0.0f;

    for (int row = 1; row <= 75; ++row) {
        const float mu = static_cast<float>(row - 1) * 0.0025f;
        float seas_group = 0.0f;
        float swell_group = 0.0f;
        if (r.seas)
            GRPSPC(WAVCOM.WPSD_words, seas_group, mu);
        if (r.swell)
            GRPSPC(WAVCOM.SWLPSD_words, swell_group, mu);
        const float period = row == 1 ? 0.0f : two_pi_single / mu;
        Record line;
        line << X(2) << F(mu, 5, 4);
        if (both) {
            if (row == 1)
                line.T(13) << "Infinity";
            else
                line << X(5) << F(period, 8, 2);
            if (row == 1)
                line.T(28) << "Infinity";
            else
                line << X(4) << F(c_g_seas * period, 11, 2);
            if (row == 1)
                line.T(42) << "Infinity";
            else
                line << X(3) << F(c_g_swell * period, 11, 2);
            line << X(4) << PE(seas_group, 1, 9, 2) << X(5) << PE(swell_group, 1, 9, 2);
        } else {
            const float c_g = r.seas ? c_g_seas : c_g_swell;
            if (row == 1)
                line.T(15) << "Infinity";
            else
                line << X(7) << F(period, 8, 2);
            if (row == 1)
                line.T(32) << "Infinity";
            else
                line << X(6) << F(c_g * period, 11, 2);
            line << X(8) << PE(r.seas ? seas_group : swell_group, 1, 9, 2);
        }
        write_record(u, line.text());
    }
}

// Units, labels and the systems present, from TPCM.
ReportSetup report_setup() {
    const bool height_given = TPCM.LSLPHT == 0;
    const std::string length = TPCM.NUNTS == 0 ? std::string("ft") : std::string("m.");
    ReportSetup r;
    r.IUNIT = TPCM.IUNIT == 1 ? report_file_unit : TPCM.IUNIT;
    r.EDUNIT = TPCM.EDUNIT;
    r.length = length;
    r.column_name = height_given ? std::string(" Slope") : std::string("Height");
    r.column_unit = height_given ? std::string("Deg") : length;
    r.given_name = height_given ? std::string("Height") : std::string("Slope");
    r.given_unit = height_given ? length : std::string("Deg");
    r.height_given = height_given;
    r.seas = TPCM.LRANDM != 0;
    r.swell = TPCM.LSWELL != 0;
    return r;
}

// A new page on the report: a form feed in the file, a cleared screen on the console.
void new_page(const ReportSetup& r) {
    PAGE(r.IUNIT, r.EDUNIT, 1, printer_unit);
}

// Closes the report file when the report went to it.
void close_report(const ReportSetup& r) {
    if (TPCM.IUNIT == 1)
        HCLOSE(report_file_unit, "WAVEOUT.stxt", "WAVEOUT", r.EDUNIT);
}

} // namespace

// WAVOUT: see the header. Reads TPCM (units, report unit, depth, wave grid, regular-wave height
// or slope, seas and swell data); writes WAVCOM (G, the grid words, W, W2, WVK, the seas and
// swell spectra and their peak values) and TPCM LBACK. Ends the run on a depth that is not
// positive, an unusable grid, a seas or swell period off the grid, and through the spectrum
// routines and the file services.
void WAVOUT() {
    const ReportSetup r = report_setup();
    TPCM.LBACK = 0;

    // Wave numbers divide by the depth and the grid by its periods: both are checked first.
    if (!(TPCM.DEPTH > 0.0f)) {
        write_record(r.EDUNIT, " ++> Water depth must be positive for the wave kinematics;"
                               " depth =" +
                                   F(TPCM.DEPTH, 10, 2));
        fatal_stop(r.EDUNIT, keyboard_unit, {""});
    }
    check_wave_grid(r.EDUNIT);
    WAVCOM.G = TPCM.NUNTS == 0 ? 32.152f : 9.8f;

    write_record(r.EDUNIT, " >>> Outputting wave kinematics data...");
    write_record(r.EDUNIT, "");
    if (TPCM.IUNIT == 1)
        RHOPEN("WAVEOUT.stxt", 1, 0, report_file_unit, "WAVEOUT", r.EDUNIT);

    wave_properties(r);
    pause_on_console(r);
    new_page(r);
    particle_dynamics(r);
    pause_on_console(r);

    WAVCOM.NSPEC = TPCM.WAVTYP;
    WAVCOM.TL = TPCM.T(TPCM.NWP);
    WAVCOM.TS = TPCM.T(1);
    WAVCOM.NW = TPCM.NWP - 1;
    WAVCOM.DT = TPCM.T(2) - TPCM.T(1);
    WAVCOM.DW = 0.0f;

    SeaState state;
    if (r.seas)
        seas_spectrum(r, state);
    if (r.swell)
        swell_spectrum(r, state);
    pause_on_console(r);
    if (!r.seas && !r.swell) {
        close_report(r);
        return;
    }

    new_page(r);
    spectral_values(r, state);
    new_page(r);
    group_values(r, state);
    pause_on_console(r);
    new_page(r);
    close_report(r);
}

} // namespace lintar
