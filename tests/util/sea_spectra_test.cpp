// Tests of the sea spectra: ordinates and moments against the reference spectra and closed
// forms, the JONSWAP shape constant, the TMA depth factor, the group spectrum, the side outputs
// and the refusals.
#include "util/sea_spectra.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/sea_spectra_support.h"
#include "util/spectral_moments.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::integrate;
using testing::pi;
using testing::run_until_stop;
using testing::ScriptedConsole;
using testing::set_frequency_grid;
using testing::set_period_grid;
using testing::spectrum_cases;
using testing::SpectrumCase;

using Spectrum = std::array<float, 100>;

// The zeroth moment J of the JONSWAP shape x^-5 exp(-1.25 x^-4) gamma^exp(-(x-1)^2/(2 s^2)),
// s = sa below the peak and sb above, by direct integration in double precision; the tail
// beyond x = 60 is x^-5 to within 1e-9 and is added in closed form.
double direct_J(double gamma, double sa, double sb) {
    const auto shape = [&](double x) {
        const double s = x <= 1.0 ? sa : sb;
        return std::pow(x, -5.0) * std::exp(-1.25 * std::pow(x, -4.0)) *
               std::pow(gamma, std::exp(-(x - 1.0) * (x - 1.0) / (2.0 * s * s)));
    };
    return integrate(shape, 0.2, 1.0) + integrate(shape, 1.0, 60.0) + 0.25 / std::pow(60.0, 4.0);
}

// The JONSWAP spectrum scaled to Hs (m0 = Hs^2 / 16), written from its definition.
double jonswap(double w, double Hs, double Tp, double gamma, double sa, double sb, double J) {
    const double wp = 2.0 * pi / Tp;
    const double s = w <= wp ? sa : sb;
    const double G = std::exp(-(w / wp - 1.0) * (w / wp - 1.0) / (2.0 * s * s));
    return Hs * Hs / 16.0 / J * std::pow(wp, 4.0) * std::pow(w, -5.0) *
           std::exp(-1.25 * std::pow(wp / w, 4.0)) * std::pow(gamma, G);
}

// The two-parameter Pierson-Moskowitz (Bretschneider) spectrum, m0 = Hs^2 / 16.
double pm2(double w, double Hs, double Tp) {
    return jonswap(w, Hs, Tp, 1.0, 0.07, 0.09, 0.2);
}

// The site of every case: console messages on the screen, deep water.
void base_setup() {
    TPCM.EDUNIT = screen_unit;
    TPCM.DEPTH = 1000.0f;
}

// The JONSWAP shape of the seas.
void set_seas_shape(double gamma, double sa, double sb) {
    TPCM.JONGAM = static_cast<float>(gamma);
    TPCM.JONPL = static_cast<float>(sa);
    TPCM.JONPG = static_cast<float>(sb);
}

struct Result {
    Spectrum psd{};
    float Hs = 0.0f;
    float Tp = 0.0f;
    float wp = 0.0f;
    float kp = 0.0f;
};

Result spectrum(int code, double Hs, double Tp, int system = 0) {
    Result r;
    r.Hs = static_cast<float>(Hs);
    r.Tp = static_cast<float>(Tp);
    WVSPEC(code, r.psd, r.Hs, r.Tp, r.wp, r.kp, system);
    return r;
}

float m0_of(const Spectrum& psd) {
    float m0 = 0.0f;
    float m2 = 0.0f;
    SMPINT(psd, m0, m2);
    return m0;
}

// A fine grid uniform in period, 1.2 s to 20.8 s: the spectra of peak periods 8 to 12 s lose
// less than 2e-4 of their variance beyond its ends, and Simpson's rule on it is accurate to
// better than 1e-4 for the sharpest peak used here.
void fine_grid(float G = 9.81f) {
    set_period_grid(1.2f, 0.2f, 99, G);
}

TEST(SeaSpectra, OrdinatesMatchTheReferenceSpectra) {
    ScriptedConsole console;
    base_setup();
    // Each reference form against the codes that define the same spectrum. PM1 is type 1 with
    // its period from the height (15.66 rounds the reference's 15.659, 8e-5 in the period, which
    // the low-frequency flank magnifies up to thirtyfold); PM2 is type 6 and the general JONSWAP
    // with gamma 1; JSn is the JONSWAP of types 2 and 5; JSd differs from JSn only by its
    // normalisation, so it is compared once scaled to m0 = Hs^2 / 16. ITTC is the Bretschneider
    // shape with its constants rounded (173, 691): it agrees with type 6 from 0.6 rad/s up.
    // Tolerances: type 2 carries J to four digits (3e-4), type 6 the constant 0.0081 * 15.66^4
    // for 5/16 (2 pi)^4 (2e-4), type 5 J from single-precision quadrature (1e-4).
    struct Row {
        const char* id;
        int code;
        double tolerance; // relative
        double from_w;    // lowest frequency compared
    };
    constexpr Row rows[] = {
        {"S01", 1, 4e-3, 0.0}, {"S02", 1, 4e-3, 0.0}, {"S03", 6, 5e-4, 0.0}, {"S04", 6, 5e-4, 0.0},
        {"S04", 5, 2e-5, 0.0}, {"S07", 5, 2e-5, 0.0}, {"S06", 6, 3e-3, 0.6}, {"S12", 2, 5e-4, 0.0},
        {"S12", 5, 2e-4, 0.0}, {"S13", 5, 2e-4, 0.0}, {"S14", 5, 2e-4, 0.0}, {"S16", 5, 2e-4, 0.0},
        {"S09", 2, 5e-4, 0.0}, {"S08", 5, 2e-4, 0.0}, {"S10", 5, 2e-4, 0.0},
    };
    const std::vector<SpectrumCase> cases = spectrum_cases();
    for (const Row& row : rows) {
        const auto found = std::find_if(cases.begin(), cases.end(),
                                        [&](const SpectrumCase& c) { return c.id == row.id; });
        ASSERT_NE(found, cases.end()) << row.id;
        const SpectrumCase& c = *found;
        SCOPED_TRACE(::testing::Message() << c.id << " (" << c.form << ") as type " << row.code);
        std::vector<double> w;
        for (const auto& [frequency, S] : c.ordinates)
            w.push_back(frequency);
        std::sort(w.rbegin(), w.rend());
        set_frequency_grid(w, static_cast<float>(c["g"]));
        set_seas_shape(c["gamma"], c["sigma_a"], c["sigma_b"]);
        const Result r = spectrum(row.code, c["Hs"], c["Tp"]);
        // JSd is normalised by A_gamma: scale it to the height as the codes do.
        const double scale = c.form == "JSd" ? c["Hs"] * c["Hs"] / 16.0 / c["m0"] : 1.0;
        double peak = 0.0;
        for (const auto& [frequency, S] : c.ordinates)
            peak = std::max(peak, S);
        for (const auto& [frequency, S] : c.ordinates) {
            // Ordinates far down the exponential flank measure the flank's constants, not the
            // spectrum: compare where the reference holds at least 1e-3 of its peak.
            if (S < 1e-3 * peak || frequency < row.from_w)
                continue;
            const auto k = std::find(w.begin(), w.end(), frequency) - w.begin();
            SCOPED_TRACE(::testing::Message() << "w = " << frequency);
            EXPECT_NEAR(r.psd[static_cast<std::size_t>(k)], S * scale, row.tolerance * S * scale);
        }
    }
}

TEST(SeaSpectra, SharpAndSquatJonswapFollowTheirDefinition) {
    ScriptedConsole console;
    base_setup();
    // Types 3 and 4 carry their shape and J as constants; the reference here is the JONSWAP
    // definition with J integrated directly. J is rounded to four digits (3e-4 at most).
    struct Row {
        int code;
        double gamma, sa, sb;
    };
    constexpr Row rows[] = {{2, 3.3, 0.07, 0.09}, {3, 4.2, 0.05, 0.07}, {4, 7.0, 0.68, 0.123}};
    fine_grid();
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "type " << row.code);
        const double J = direct_J(row.gamma, row.sa, row.sb);
        const Result r = spectrum(row.code, 4.0, 10.0);
        double peak = 0.0;
        for (int k = 1; k <= TPCM.NWP; ++k)
            peak = std::max(peak, jonswap(WAVCOM.W(k), 4.0, 10.0, row.gamma, row.sa, row.sb, J));
        for (int k = 1; k <= TPCM.NWP; ++k) {
            const double S = jonswap(WAVCOM.W(k), 4.0, 10.0, row.gamma, row.sa, row.sb, J);
            if (S < 1e-3 * peak)
                continue;
            SCOPED_TRACE(::testing::Message() << "w = " << WAVCOM.W(k));
            EXPECT_NEAR(r.psd[static_cast<std::size_t>(k - 1)], S, 5e-4 * S);
        }
    }
}

TEST(SeaSpectra, ZerothMomentIsTheHeightSquaredOverSixteen) {
    ScriptedConsole console;
    base_setup();
    // Every type that takes a height keeps m0 = Hs^2 / 16 to within the grid's accuracy.
    // Bretschneider's constant 0.0081 * 15.66^4 is 5/16 (2 pi)^4 to 2e-4.
    struct Row {
        int code;
        double Hs, Tp;
    };
    constexpr Row rows[] = {{0, 3.0, 10.0}, {2, 4.0, 10.0}, {3, 4.0, 10.0}, {4, 4.0, 10.0},
                            {5, 6.0, 12.0}, {6, 4.0, 10.0}, {6, 2.0, 8.0},  {10, 4.0, 10.0}};
    fine_grid();
    TPCM.DEPTH = 30.0f;
    TPCM.WAVWID = 0.08f;
    set_seas_shape(5.0, 0.07, 0.09);
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "type " << row.code << ", Hs " << row.Hs);
        const Result r = spectrum(row.code, row.Hs, row.Tp);
        const double expected = row.Hs * row.Hs / 16.0;
        EXPECT_NEAR(m0_of(r.psd), expected, 1e-3 * expected);
    }
}

TEST(SeaSpectra, GridMomentsMatchTheReferenceMoments) {
    ScriptedConsole console;
    base_setup();
    // m0 and m2 over the grid are the reference moments less the w^-5 tail beyond W(1):
    // A / (4 W(1)^4) and A / (2 W(1)^2), A = lim w^5 S(w).
    struct Row {
        const char* id;
        int code;
    };
    constexpr Row rows[] = {{"S04", 6}, {"S12", 2}, {"S14", 5}, {"S16", 5}};
    const std::vector<SpectrumCase> cases = spectrum_cases();
    set_period_grid(1.2f, 0.3f, 99, 9.81f); // 1.2 s to 30.6 s: the 15 s peak is inside
    for (const Row& row : rows) {
        const SpectrumCase& c = *std::find_if(
            cases.begin(), cases.end(), [&](const SpectrumCase& x) { return x.id == row.id; });
        SCOPED_TRACE(c.id);
        set_seas_shape(c["gamma"], c["sigma_a"], c["sigma_b"]);
        const Result r = spectrum(row.code, c["Hs"], c["Tp"]);
        float m0 = 0.0f;
        float m2 = 0.0f;
        SMPINT(r.psd, m0, m2);
        const double w1 = WAVCOM.W(1);
        const double m0_grid = c["m0"] - c["A_tail"] / (4.0 * std::pow(w1, 4.0));
        const double m2_grid = c["m2"] - c["A_tail"] / (2.0 * w1 * w1);
        EXPECT_NEAR(m0, m0_grid, 5e-4 * m0_grid);
        EXPECT_NEAR(m2, m2_grid, 5e-4 * m2_grid);
    }
}

TEST(SeaSpectra, PiersonMoskowitzPeakPeriodFollowsTheHeight) {
    ScriptedConsole console;
    base_setup();
    const std::vector<SpectrumCase> cases = spectrum_cases();
    fine_grid();
    for (const SpectrumCase& c : cases) {
        if (c.form != "PM1")
            continue;
        SCOPED_TRACE(c.id);
        const Result r = spectrum(1, c["Hs"], 99.0);
        EXPECT_NEAR(r.Tp, c["Tp"], 1e-4 * c["Tp"]); // 15.66 against 15.659
        EXPECT_NEAR(r.wp, 2.0 * pi / c["Tp"], 1e-4 * r.wp);
    }
    fine_grid(9.8f);
    const Result unit_height = spectrum(1, 1.0, 99.0);
    EXPECT_FLOAT_EQ(unit_height.Tp, 15.66f / std::sqrt(9.8f));
}

TEST(SeaSpectra, PeakWaveNumberAndSideOutputs) {
    ScriptedConsole console;
    base_setup();
    fine_grid();
    TPCM.DEPTH = 25.0f;
    const double g = 9.81;
    // Before the vessel-motion set-up (IHT and LCNWV 0) nothing goes into RLDUM.
    Result r = spectrum(2, 4.0, 10.0);
    EXPECT_NEAR(r.kp, testing::reference_wave_number(2.0 * pi / 10.0, g, 25.0), 2e-5 * r.kp);
    EXPECT_FLOAT_EQ(HIMEM.WCONST, std::sqrt(25.0f / 9.81f));
    EXPECT_TRUE(std::all_of(HIMEM.RLDUM_words, HIMEM.RLDUM_words + rldum_word_count,
                            [](float x) { return x == 0.0f; }));
    // Afterwards the peak period goes to the second word of the height's triple.
    HIMEM.LCNWV = 801509;
    HIMEM.IHT = 3;
    r = spectrum(1, 4.0, 99.0);
    EXPECT_EQ(HIMEM.RLDUM(801509 + 3 * 2 + 2), r.Tp);
}

TEST(SeaSpectra, DefaultSwellIsAGaussianAboutTheNearestGridFrequency) {
    ScriptedConsole console;
    base_setup();
    set_period_grid(4.0f, 0.5f, 41, 9.8f);
    TPCM.SWLWID = 0.05f;
    // 13.2 s lies between grid periods 13.0 (k = 19) and 13.5: the peak sits on 13.0 s.
    const Result r = spectrum(0, 2.0, 13.2, 1);
    const double wp = 2.0 * pi / 13.0;
    const double peak = 2.0 * 2.0 / (16.0 * std::sqrt(2.0 * pi) * 0.05 * wp);
    EXPECT_NEAR(r.psd[18], peak, 1e-5 * peak);
    EXPECT_EQ(std::max_element(r.psd.begin(), r.psd.begin() + 41) - r.psd.begin(), 18);
    for (int k = 1; k <= TPCM.NWP; ++k) {
        const double f = WAVCOM.W(k) / static_cast<float>(wp) - 1.0;
        const double e = f * f / (2.0 * 0.05 * 0.05);
        SCOPED_TRACE(::testing::Message() << "k = " << k);
        if (e > 50.0)
            EXPECT_EQ(r.psd[static_cast<std::size_t>(k - 1)], 0.0f);
        else
            EXPECT_NEAR(r.psd[static_cast<std::size_t>(k - 1)], peak * std::exp(-e), 1e-5 * peak);
    }
    EXPECT_NEAR(r.Tp, 13.2, 1e-6); // the peak period itself is kept
}

TEST(SeaSpectra, UserSpectraTakeTheirPeakAndHeightFromTheOrdinates) {
    ScriptedConsole console;
    base_setup();
    set_period_grid(4.0f, 0.5f, 25, 9.8f);
    // A flat top over grid points 6 to 8: the peak frequency is the mean of the two ends.
    for (int k = 1; k <= 25; ++k)
        TPCM.USRPSD(k) = (k >= 6 && k <= 8) ? 2.0f : (k == 12 ? 1.0f : 0.5f);
    Result r = spectrum(8, 0.0, 0.0);
    EXPECT_FLOAT_EQ(r.Tp, static_cast<float>(2.0 * pi / ((WAVCOM.W(6) + WAVCOM.W(8)) / 2.0)));
    // A constant ordinate has m0 = W(1) - W(NWP).
    for (int k = 1; k <= 25; ++k)
        TPCM.USRPSD(k) = 1.0f;
    r = spectrum(8, 0.0, 0.0);
    EXPECT_NEAR(r.Hs, 4.0 * std::sqrt(WAVCOM.W(1) - WAVCOM.W(25)), 1e-3);
    EXPECT_FLOAT_EQ(r.Tp, static_cast<float>(2.0 * pi / ((WAVCOM.W(1) + WAVCOM.W(25)) / 2.0)));
}

TEST(SeaSpectra, UserFileSpectrumIsReadThroughTheTable) {
    testing::ScratchFolder folder;
    ScriptedConsole console;
    base_setup();
    // S(w) = 3 - w between 0.2 and 1.8 rad/s, peaking at the highest frequency of the table
    // that the grid reaches.
    folder.write("WAVSPEC.txt", "3\n0.2 2.8\n1.0 2.0\n1.8 1.2\n");
    set_period_grid(4.0f, 1.0f, 27, 9.8f); // 1.571 down to 0.209 rad/s
    const Result r = spectrum(7, 0.0, 0.0);
    for (int k = 1; k <= 27; ++k)
        EXPECT_NEAR(r.psd[static_cast<std::size_t>(k - 1)], 3.0 - WAVCOM.W(k), 1e-5);
    EXPECT_FLOAT_EQ(r.Tp, 30.0f); // the lowest frequency carries the largest ordinate
}

TEST(SeaSpectra, OchiHubbleComponentsEachCarryTheirOwnHeight) {
    ScriptedConsole console;
    base_setup();
    fine_grid(9.81f);
    struct Component {
        float Hs, Tm, lambda;
    };
    constexpr Component components[] = {{3.0f, 8.0f, 2.0f}, {2.0f, 13.0f, 3.5f}};
    // Each component alone: m0 = Hs_j^2 / 16, and the published form
    // S = 1/4 ((4 l + 1) wm^4 / 4)^l / Gamma(l) Hs^2 / w^(4 l + 1) exp(-(4 l + 1)/4 (wm/w)^4).
    const auto published = [](double w, const Component& c) {
        const double wm = 2.0 * pi / c.Tm;
        const double l = c.lambda;
        return 0.25 * std::pow((4.0 * l + 1.0) / 4.0 * std::pow(wm, 4.0), l) / std::tgamma(l) *
               c.Hs * c.Hs / std::pow(w, 4.0 * l + 1.0) *
               std::exp(-(4.0 * l + 1.0) / 4.0 * std::pow(wm / w, 4.0));
    };
    for (int j = 0; j < 2; ++j) {
        SCOPED_TRACE(::testing::Message() << "component " << j + 1);
        TPCM.N_OCHI_COMP = 1;
        TPCM.SWHT(1) = components[j].Hs;
        TPCM.SIGPD(1) = components[j].Tm;
        TPCM.RTPCM0(1) = components[j].lambda;
        const Result r = spectrum(9, components[j].Hs, components[j].Tm);
        const double expected = components[j].Hs * components[j].Hs / 16.0;
        EXPECT_NEAR(m0_of(r.psd), expected, 1e-3 * expected);
        for (int k = 1; k <= TPCM.NWP; ++k) {
            const double S = published(WAVCOM.W(k), components[j]);
            EXPECT_NEAR(r.psd[static_cast<std::size_t>(k - 1)], S, 2e-5 * S + 1e-12);
        }
    }
    // Both together: the sum, the same again on a second call into the same array.
    TPCM.N_OCHI_COMP = 2;
    for (int j = 1; j <= 2; ++j) {
        TPCM.SWHT(j) = components[j - 1].Hs;
        TPCM.SIGPD(j) = components[j - 1].Tm;
        TPCM.RTPCM0(j) = components[j - 1].lambda;
    }
    Result r = spectrum(9, 3.6, 8.0);
    const Spectrum first = r.psd;
    WVSPEC(9, r.psd, r.Hs, r.Tp, r.wp, r.kp, 0);
    EXPECT_EQ(r.psd, first);
    EXPECT_NEAR(m0_of(first), (9.0 + 4.0) / 16.0, 1e-3 * 13.0 / 16.0);
}

// The TMA depth factor written as Kitaigorodskii's ratio of wave-number densities,
// (k_deep / k)^3 g / (2 w c_g), with k from the double-precision dispersion solve.
double kitaigorodskii(double w, double g, double d) {
    const double k = testing::reference_wave_number(w, g, d);
    const double kd = k * d;
    const double c_g = w / (2.0 * k) * (1.0 + 2.0 * kd / std::sinh(2.0 * kd));
    return std::pow(w * w / g / k, 3.0) * g / (2.0 * w * c_g);
}

TEST(SeaSpectra, TmaReshapesByTheDepthFactorAndKeepsTheHeight) {
    ScriptedConsole console;
    base_setup();
    fine_grid(9.81f);
    set_seas_shape(3.3, 0.07, 0.09);
    for (const float depth : {8.0f, 20.0f, 60.0f}) {
        SCOPED_TRACE(::testing::Message() << "depth " << depth);
        TPCM.DEPTH = depth;
        const Result tma = spectrum(10, 4.0, 10.0);
        const Result deep = spectrum(5, 4.0, 10.0);
        EXPECT_NEAR(m0_of(tma.psd), m0_of(deep.psd), 1e-4 * m0_of(deep.psd));
        // TMA / (JONSWAP x factor) is the one correction constant at every grid point. The
        // depth ratio is found to 1% (EPSX 0.01), which the factor carries as up to 1.5%.
        std::vector<double> ratio;
        const float peak = *std::max_element(deep.psd.begin(), deep.psd.end());
        for (int k = 1; k <= TPCM.NWP; ++k) {
            const auto at = static_cast<std::size_t>(k - 1);
            if (deep.psd[at] < 1e-3f * peak)
                continue;
            ratio.push_back(tma.psd[at] /
                            (deep.psd[at] * kitaigorodskii(WAVCOM.W(k), 9.81, depth)));
        }
        const auto [lo, hi] = std::minmax_element(ratio.begin(), ratio.end());
        EXPECT_LT(*hi / *lo - 1.0, 0.015);
    }
    // In deep water the factor is 1 and TMA is the general JONSWAP.
    TPCM.DEPTH = 3000.0f;
    const Result tma = spectrum(10, 4.0, 10.0);
    const Result deep = spectrum(5, 4.0, 10.0);
    for (std::size_t k = 0; k < 99; ++k)
        EXPECT_NEAR(tma.psd[k], deep.psd[k], 1e-4f * deep.psd[k] + 1e-12f);
}

TEST(SeaSpectra, TmaBoundsFailureAsksAfterFourWiderBrackets) {
    // In water this shallow the depth ratio (about 1 / w_h, above 10^6) is bracketed only after
    // five tenfold widenings of [1, 100]: four are silent, the fifth is reported with the abort
    // prompt; a continue widens once more and finishes.
    const auto setup = [] {
        base_setup();
        set_period_grid(20.0f, 2.0f, 3, 9.8f);
        TPCM.DEPTH = 1.0e-11f;
        set_seas_shape(3.3, 0.07, 0.09);
    };
    const std::string report = " +=> TMA spectrum bounds failure In WVSPEC.\n\n\a\n"
                               " Enter \"A\" to abort or Press <RETURN> to continue: ";
    {
        ScriptedConsole console("\n");
        setup();
        const Result r = spectrum(10, 1.0, 22.0);
        EXPECT_EQ(console.screen(), report);
        EXPECT_NEAR(m0_of(r.psd), m0_of(spectrum(5, 1.0, 22.0).psd), 1e-6);
    }
    ScriptedConsole console("A\n");
    setup();
    EXPECT_EQ(run_until_stop([] { spectrum(10, 1.0, 22.0); }), StopKind::user_choice);
    EXPECT_EQ(console.screen(), report);
}

TEST(SeaSpectra, UnusableInputIsRefusedWithAMessage) {
    // Each of these once divided by zero or read outside the grid; now each is named on the
    // screen, the Return pause follows and the run stops.
    struct Row {
        const char* what;
        void (*setup)();
        int code;
        double Hs, Tp;
        const char* message;
    };
    const Row rows[] = {
        {"zero depth", [] { TPCM.DEPTH = 0.0f; }, 2, 4.0, 10.0,
         " ++> Water depth must be positive for the wave spectrum (WVSPEC); depth =      0.00"},
        {"one period", [] { TPCM.NWP = 1; }, 2, 4.0, 10.0,
         " ++> Wave period array must hold 2 to 100 periods; it holds 1"},
        {"equal periods", [] { TPCM.T(5) = TPCM.T(4); }, 2, 4.0, 10.0,
         " ++> Wave periods 4 and 5 are equal: the wave period step must not be zero"},
        {"zero period", [] { TPCM.T(1) = 0.0f; }, 2, 4.0, 10.0,
         " ++> Wave period 1 is not positive"},
        {"swell peak below the grid", [] {}, 0, 2.0, 0.5,
         " ++> Spectral peak outside wave period range"},
        {"swell peak above the grid", [] {}, 0, 2.0, 40.0,
         " ++> Spectral peak outside wave period range"},
        {"unknown type", [] {}, 11, 2.0, 10.0,
         " ++> Wave spectrum type 11 is not defined (WVSPEC)"},
        {"no positive ordinate", [] {}, 8, 0.0, 0.0,
         " ++> Wave spectrum has no positive ordinate: no peak period"},
        {"no peak period", [] {}, 2, 4.0, 0.0,
         " ++> Spectrum peak period must be positive (WVSPEC)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScriptedConsole screen("\n");
        base_setup();
        TPCM.DEPTH = 100.0f;
        TPCM.WAVWID = 0.1f;
        set_period_grid(4.0f, 1.0f, 21, 9.8f);
        set_seas_shape(3.3, 0.07, 0.09);
        row.setup();
        const int code = row.code;
        const double Hs = row.Hs;
        const double Tp = row.Tp;
        EXPECT_EQ(run_until_stop([&] { spectrum(code, Hs, Tp); }), StopKind::error);
        EXPECT_EQ(screen.screen(),
                  std::string(row.message) + "\n\n \n Press <RETURN> to continue: ");
    }
}

TEST(SeaSpectra, JonswapShapeConstantMatchesDirectIntegration) {
    ScriptedConsole console;
    base_setup();
    // gamma 1 gives 0.2 exactly whatever the widths.
    for (const auto& [sa, sb] : {std::pair{0.07f, 0.09f}, {0.3f, 0.01f}}) {
        float J = 0.0f;
        JONSVAL(sa, sb, 1.0f, J, screen_unit);
        EXPECT_EQ(J, 0.2f);
    }
    struct Row {
        float gamma, sa, sb;
    };
    constexpr Row rows[] = {
        {3.3f, 0.07f, 0.09f}, {4.2f, 0.05f, 0.07f}, {7.0f, 0.68f, 0.123f}, {2.0f, 0.1f, 0.2f}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "gamma " << row.gamma);
        float J = 0.0f;
        JONSVAL(row.sa, row.sb, row.gamma, J, screen_unit);
        const double expected = direct_J(row.gamma, row.sa, row.sb);
        EXPECT_NEAR(J, expected, 3e-4 * expected); // single-precision Romberg, EPS 1e-4 on Y
    }
    EXPECT_NEAR(direct_J(3.3, 0.07, 0.09), 0.3049, 1e-4); // the mean JONSWAP's constant
    EXPECT_EQ(console.screen(), "");
}

TEST(SeaSpectra, GroupSpectrumIsTheIntegralOfShiftedProducts) {
    ScriptedConsole console;
    base_setup();
    // GRPPSD = 8 * integral of S(w + mu/2) S(|w - mu/2|) over the grid band, S off the band 0;
    // the reference integrates the closed-form spectrum in double precision, so the tolerance
    // is the grid's: linear interpolation of S between grid points and Simpson's rule.
    set_period_grid(2.0f, 0.2f, 99, 9.81f);
    const Result r = spectrum(6, 4.0, 10.0);
    const double w_lo = WAVCOM.W(99);
    const double w_hi = WAVCOM.W(1);
    for (const double mu : {0.0, 0.05, 0.15}) {
        SCOPED_TRACE(::testing::Message() << "mu = " << mu);
        const auto S = [&](double w) { return w < w_lo || w > w_hi ? 0.0 : pm2(w, 4.0, 10.0); };
        const double expected =
            8.0 *
            integrate(
                [&](double w) { return S(std::abs(w + mu / 2.0)) * S(std::abs(w - mu / 2.0)); },
                w_lo, w_hi, 1e-10);
        float group = 0.0f;
        GRPSPC(r.psd, group, static_cast<float>(mu));
        EXPECT_NEAR(group, expected, 2e-3 * expected);
    }
}

} // namespace
} // namespace lintar

namespace lintar {
namespace {

TEST(WaveGridCheck, TheAnalysisRuleIsStricterThanTheLenientOne) {
    struct Row {
        const char* what;
        void (*setup)();
        bool lenient_passes;
        bool analysis_passes;
    };
    const Row rows[] = {
        {"21 periods 4 to 24 s", [] {}, true, true},
        {"tenths of a second in single precision",
         [] {
             for (int k = 1; k <= 21; ++k)
                 TPCM.T(k) = 5.0f + 0.1f * static_cast<float>(k - 1);
         },
         true, true},
        {"two periods", [] { TPCM.NWP = 2; }, true, false},
        {"falling periods",
         [] {
             for (int k = 1; k <= 21; ++k)
                 TPCM.T(k) = 30.0f - static_cast<float>(k);
         },
         true, false},
        {"one step uneven", [] { TPCM.T(21) += 0.5f; }, true, false},
        {"a step off by 2e-4 of the step", [] { TPCM.T(21) += 2.0e-4f; }, true, false},
        {"101 periods", [] { TPCM.NWP = 101; }, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        for (const WaveGridRule rule : {WaveGridRule::lenient, WaveGridRule::analysis}) {
            ScriptedConsole screen("\n");
            base_setup();
            set_period_grid(4.0f, 1.0f, 21, 9.8f);
            row.setup();
            const bool passes = !run_until_stop([rule] { check_wave_grid(6, rule); });
            EXPECT_EQ(passes,
                      rule == WaveGridRule::lenient ? row.lenient_passes : row.analysis_passes);
            if (rule == WaveGridRule::analysis && !passes) {
                EXPECT_NE(screen.screen().find(" ++> FATAL error: "), std::string::npos);
            }
        }
    }
}

} // namespace
} // namespace lintar
