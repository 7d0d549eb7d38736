// Tests of the wave-frequency set-up VESL1: the frequency grid and wave numbers against an
// independent dispersion solve, the work-array layout, the spreading weights and their
// normalisation, the storm factors, the report with a stand-in hull model, the once-per-run
// natural-period warning and the refusals of input it cannot use.
#include "motions/wave_setup.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "motions/response_indices.h"
#include "support/console.h"
#include "support/fake_hull_model.h"
#include "support/motion_fixture.h"
#include "support/sea_spectra_support.h"
#include "util/algebra.h"
#include "util/sea_spectra.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::FakeHullModel;
using testing::fill_motion_image;
using testing::motion_grid_size;
using testing::pi;
using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

// Enough Return answers for every pause of a run.
const std::string returns(20, '\n');

// The files in the working folder.
std::vector<std::string> folder_files(const ScratchFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST(Vesl1, FrequencyGridAndWaveNumbers) {
    ScriptedConsole console(returns);
    FakeHullModel fake;
    fill_motion_image();
    VESL1();

    EXPECT_FLOAT_EQ(WAVCOM.G, 9.8f);
    EXPECT_FLOAT_EQ(HIMEM.WCONST, std::sqrt(1000.0f / 9.8f));
    EXPECT_FLOAT_EQ(WAVCOM.RHOWTR, 1025.0f * 0.001f / 9.8f);
    EXPECT_EQ(WAVCOM.TS, 3.0f);
    EXPECT_EQ(WAVCOM.TL, 33.0f);
    EXPECT_EQ(WAVCOM.NW, 30);
    EXPECT_EQ(WAVCOM.DT, 1.0f);
    EXPECT_EQ(WAVCOM.DW, 0.0f);
    EXPECT_NEAR(WAVCOM.W(1), 2.0 * pi / 3.0, 1e-6);

    // k of w^2 = g k tanh(kd) by Newton's method in double precision at every grid period;
    // at T = 10 s, d = 1000 m, g = 9.8: k = 0.040284 1/m.
    constexpr double k_rel_tol = 2e-5; // the float solve stops within ~1e-5 of the root
    for (int IW = 1; IW <= motion_grid_size; ++IW) {
        SCOPED_TRACE(IW);
        const double omega = 2.0 * pi / TPCM.T(IW);
        EXPECT_NEAR(HIMEM.RLDUM(HIMEM.LCNW + IW - 1), omega, 1e-6 * omega);
        EXPECT_EQ(HIMEM.RLDUM(HIMEM.LCNW2 + IW - 1),
                  HIMEM.RLDUM(HIMEM.LCNW + IW - 1) * HIMEM.RLDUM(HIMEM.LCNW + IW - 1));
        EXPECT_EQ(WAVCOM.W(IW), HIMEM.RLDUM(HIMEM.LCNW + IW - 1));
        EXPECT_EQ(WAVCOM.W2(IW), HIMEM.RLDUM(HIMEM.LCNW2 + IW - 1));
        const double k = testing::reference_wave_number(omega, 9.8, 1000.0);
        EXPECT_NEAR(HIMEM.RLDUM(HIMEM.LCNWK + IW - 1), k, k_rel_tol * k);
    }
    EXPECT_NEAR(HIMEM.RLDUM(HIMEM.LCNWK + 7), 0.040284, 1e-6); // T(8) = 10 s
}

TEST(Vesl1, LaysOutTheWorkArray) {
    ScriptedConsole console(returns);
    FakeHullModel fake;
    fill_motion_image();
    VESL1();

    struct Word {
        const char* name;
        std::int32_t value;
        std::int32_t expected;
    };
    const HimemBlock& H = HIMEM;
    const Word words[] = {
        {"NARRAY", H.NARRAY, 100},
        {"MAXHT", H.MAXHT, 6},
        {"MAXHDG", H.MAXHDG, 37},
        {"MAX_HT_TOT", H.MAX_HT_TOT, 8},
        {"MAX_HDG_TOT", H.MAX_HDG_TOT, 39},
        {"NHTNHD_TOT", H.NHTNHD_TOT, 312},
        {"NDOF", H.NDOF, 6},
        {"NHTNHD", H.NHTNHD, 222},
        {"MAXDIF", H.MAXDIF, 2664},
        {"LCNSG", H.LCNSG, 1},
        {"LCNSWY", H.LCNSWY, 101},
        {"LCNHV", H.LCNHV, 201},
        {"LCNROL", H.LCNROL, 301},
        {"LCNPIT", H.LCNPIT, 401},
        {"LCNYAW", H.LCNYAW, 501},
        {"NBASE", H.NBASE, 1200},
        {"LCNW", H.LCNW, 1201},
        {"LCNWK", H.LCNWK, 1301},
        {"LCNW2", H.LCNW2, 1401},
        {"LCNPSD", H.LCNPSD, 1501},
        {"LCNFTQ", H.LCNFTQ, 2301},
        {"LCNMOT", H.LCNMOT, 4965},
        {"LCNACC", H.LCNACC, 7629},
        {"LCNVEL", H.LCNVEL, 206097},
        {"LCNHNG", H.LCNHNG, 404565},
        {"LCNDSP", H.LCNDSP, 603033},
        {"LCNSIG", H.LCNSIG, 801501},
        {"LCNSIG2", H.LCNSIG2, 801503},
        {"LCNSWL", H.LCNSWL, 801505},
        {"LCNSWL2", H.LCNSWL2, 801507},
        {"LCNWV", H.LCNWV, 801509},
        {"LACRAO", H.LACRAO, 801533},
        {"NXTFRE", H.NXTFRE, 802333},
        {"NPASS", H.NPASS, 0},
    };
    for (const Word& w : words) {
        SCOPED_TRACE(w.name);
        EXPECT_EQ(w.value, w.expected);
    }
    EXPECT_EQ(HIMEM.EPS, 1.0e-5f);

    // INDXUP at the first grid point: LW is word 1201, LSW the complex element 101, which is
    // words 201-202 of RLDUM.
    HIMEM.IW = 1;
    INDXUP();
    EXPECT_EQ(HIMEM.IWM, 0);
    EXPECT_EQ(HIMEM.LW, 1201);
    EXPECT_EQ(HIMEM.LSW, 101);
    HIMEM.CRLDUM(HIMEM.LSW) = std::complex<float>(3.0f, 4.0f);
    EXPECT_EQ(HIMEM.RLDUM(201), 3.0f);
    EXPECT_EQ(HIMEM.RLDUM(202), 4.0f);
    HIMEM.IW = 31;
    INDXUP();
    EXPECT_EQ(HIMEM.LWK, 1331);
    EXPECT_EQ(HIMEM.LYA, 531);

    // LOCAT0: the first entry at LOCN0; a height moves one complex entry, a heading MAXHT of
    // them, a degree of freedom NHTNHD of them.
    EXPECT_EQ(LOCAT0(222, 6, 1, 1, 1, H.LCNFTQ), H.LCNFTQ);
    EXPECT_EQ(LOCAT0(222, 6, 1, 2, 1, H.LCNFTQ), H.LCNFTQ + 2);
    EXPECT_EQ(LOCAT0(222, 6, 2, 1, 1, H.LCNFTQ), H.LCNFTQ + 12);
    EXPECT_EQ(LOCAT0(222, 6, 1, 1, 2, H.LCNFTQ), H.LCNFTQ + 444);
}

// The heading weights of the spreading integral: ANGNRM times the Simpson weight times the
// spreading function at each step across the sector.
std::vector<double> heading_weights() {
    std::vector<double> w;
    const int NA = TPCM.NA;
    for (int i = 0; i <= NA; ++i) {
        const double simpson = (i == 0 || i == NA) ? 1.0 : (i % 2 == 1 ? 4.0 : 2.0);
        const double theta_deg = -0.5 * TPCM.ANGSEC + i * WAVCOM.DADEG;
        const double u = theta_deg * pi / TPCM.ANGSEC; // 180 theta / ANGSEC, in radians
        const double c = std::abs(std::cos(u));
        w.push_back(WAVCOM.ANGNRM * simpson * (c > 1e-10 ? std::pow(c, TPCM.COSEXP) : 0.0));
    }
    return w;
}

TEST(Vesl1, SpreadingWeightsSumToOne) {
    struct Case {
        int NA;
        float ANGSEC;
        float COSEXP;
        double sum_tol; // single precision, and Simpson's error over the sector
    };
    const Case cases[] = {{6, 180.0f, 2.0f, 1e-5}, {10, 120.0f, 4.0f, 1e-3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "NA " << c.NA << " ANGSEC " << c.ANGSEC);
        ScriptedConsole console(returns);
        FakeHullModel fake;
        fill_motion_image();
        TPCM.LRANDM = 1;
        TPCM.LSPRED = 1;
        TPCM.NSEAHG = 1;
        TPCM.SEAHDG(1) = 0.0f;
        TPCM.NA = c.NA;
        TPCM.ANGSEC = c.ANGSEC;
        TPCM.COSEXP = c.COSEXP;
        VESL1();
        EXPECT_NEAR(WAVCOM.DADEG, c.ANGSEC / c.NA, 1e-5);
        EXPECT_NEAR(WAVCOM.DA, c.ANGSEC / c.NA * pi / 180.0, 1e-6);
        EXPECT_EQ(WAVCOM.NA2, c.NA / 2);
        EXPECT_TRUE(is_true(WAVCOM.LEXP));
        const std::vector<double> w = heading_weights();
        double sum = 0.0;
        for (const double x : w)
            sum += x;
        EXPECT_NEAR(sum, 1.0, c.sum_tol);
        if (c.NA == 6) {
            const double expected[] = {0.0, 1.0 / 9, 1.0 / 6, 4.0 / 9, 1.0 / 6, 1.0 / 9, 0.0};
            for (std::size_t i = 0; i < 7; ++i)
                EXPECT_NEAR(w[i], expected[i], 1e-5) << "step " << i;
        }
    }
}

TEST(SpreadingNormalisation, ClosedFormUpTo360AndQuadratureBeyond) {
    ScriptedConsole console;
    for (const float n : {2.0f, 3.5f}) {
        SCOPED_TRACE(n);
        // sqrt(pi) Gamma((n + 1) / 2) / Gamma(n / 2 + 1), the integral of cos^n over a half turn.
        const double closed =
            std::sqrt(pi) * std::tgamma((n + 1.0) / 2.0) / std::tgamma(n / 2.0 + 1.0);
        const SpreadingNormalisation at360 = spreading_normalisation(360.0f, n, 6);
        EXPECT_EQ(at360.QQ, 360.0f);
        EXPECT_EQ(at360.QF, FACTRI(n, 6, 5));
        EXPECT_NEAR(at360.QF, closed, 1e-5 * closed);

        // Beyond 360 degrees: twice the integral of |cos|^n from 0 to 180 pi / 360.5.
        const SpreadingNormalisation wide = spreading_normalisation(360.5f, n, 6);
        EXPECT_EQ(wide.QQ, 360.0f);
        const double direct =
            2.0 * testing::integrate([n](double x) { return std::pow(std::abs(std::cos(x)), n); },
                                     0.0, 180.0 * pi / 360.5);
        EXPECT_NEAR(wide.QF, direct, 1e-3 * direct); // QATR stops within 1 % of EPS
    }
}

TEST(Vesl1, StormFactors) {
    struct Case {
        const char* name;
        std::int32_t SIMTYP;
        std::int32_t LRANDM;
        float DURATN;
        float DURFAC;
        bool warning;
    };
    // 0.5 sqrt(ln 1000) = 1.314130; the storm of 0.0001 h holds 0.036 periods of 10 s.
    const Case cases[] = {
        {"this program", 8, 0, 1.0f, 1.3141f, false},
        {"no waves, no duration", 12, 0, 0.0f, 1.31413f, false},
        {"storm shorter than a period", 12, 1, 0.0001f, 0.0f, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console(returns);
        FakeHullModel fake;
        fill_motion_image();
        TPCM.SIMTYP = c.SIMTYP;
        TPCM.LRANDM = c.LRANDM;
        TPCM.DURATN = c.DURATN;
        TPCM.NSEAHG = 1;
        TPCM.LSPRED = 0;
        WAVCOM.SWH = 4.0f;
        WAVCOM.TPK = 10.0f;
        WAVCOM.TAVG = 7.0f;
        WAVCOM.XTRMWV = 5.0f;
        VESL1();
        EXPECT_NEAR(WAVCOM.DURFAC, c.DURFAC, 1e-5);
        EXPECT_NEAR(WAVCOM.GAUSFK(), 2.828f * c.DURFAC, 1e-5);
        EXPECT_EQ(console.screen().find(" ++> Warning: Storm duration") != std::string::npos,
                  c.warning);
        if (c.SIMTYP == 8) {
            // 2.828 x 1.3141 = 3.71627, close to sqrt(2 ln 1000) = 3.71692; the other words stay.
            EXPECT_NEAR(WAVCOM.GAUSFK(), 3.71627, 1e-5);
            EXPECT_NEAR(WAVCOM.GAUSFK(), std::sqrt(2.0 * std::log(1000.0)), 1e-3);
            EXPECT_EQ(WAVCOM.TAVG, 7.0f);
            EXPECT_EQ(WAVCOM.XTRMWV, 5.0f);
        } else if (c.LRANDM == 0) {
            // Without waves the mean period is sqrt(G / DRAFT), a frequency used as a period.
            EXPECT_FLOAT_EQ(WAVCOM.TAVG, std::sqrt(9.8f / 10.0f));
        } else {
            EXPECT_EQ(WAVCOM.TAVG, 10.0f);
            EXPECT_TRUE(std::isfinite(WAVCOM.XTRMWV));
        }
    }
}

TEST(Vesl1, ZeroHeadingStepsBecomeSixAndCountsFollowTheSeas) {
    ScriptedConsole console(returns);
    FakeHullModel fake;
    fill_motion_image();
    TPCM.NA = 0;
    TPCM.LRANDM = 0;
    TPCM.NSEAHG = 3;
    TPCM.NSEAHT = 2;
    TPCM.LSWELL = 1;
    TPCM.LSWEL2 = 1;
    TPCM.SWELHT = 3.0f;
    TPCM.SWHT(1) = 1.0f;
    TPCM.SWLHDG = 40.0f;
    VESL1();
    EXPECT_EQ(TPCM.NA, 6);
    EXPECT_EQ(WAVCOM.NA2, 3);
    EXPECT_EQ(TPCM.NSEAHG, 0);
    EXPECT_EQ(TPCM.NSEAHT, 0);
    EXPECT_EQ(TPCM.NUM_SWEL, 2);
    EXPECT_EQ(HIMEM.NPASS, 0);
    EXPECT_FALSE(is_true(WAVCOM.LEXP)); // long-crested (LSPRED 0)
    // The swell is higher than the seas: it is the dominant wave system.
    EXPECT_EQ(WAVCOM.ISWELL, 2);
    EXPECT_EQ(WAVCOM.BIGWVS, WAVCOM.ISWELL);
    EXPECT_EQ(TPCM.WPITCH, fake.WP);
    // The default swell shape takes the grid index nearest the swell period.
    EXPECT_EQ(WAVCOM.NSWEL, static_cast<int>((TPCM.SWELPD - 3.0f) / 1.0f + 1.5f));
    EXPECT_EQ(WAVCOM.SHPLNQ(), 200.0f);
    EXPECT_EQ(WAVCOM.BEAMQ, 32.0f);
    EXPECT_EQ(WAVCOM.DRAFTQ, 10.0f);
}

TEST(Vesl1, ReportHoldsTitlePageThenSectionsOneAndTwo) {
    ScratchFolder folder;
    ScriptedConsole console(returns);
    FakeHullModel fake;
    fill_motion_image();
    TPCM.NEGSUM = 0;
    VESL1();
    const std::vector<std::string> expected_calls{"CHR", "FRC 0", "SUM", "OUT"};
    EXPECT_EQ(fake.calls, expected_calls);
    ASSERT_TRUE(folder.has("SHIPSUM.stxt"));
    const std::string report = folder.read("SHIPSUM.stxt");
    const auto title = report.find(" Displacement-Hull Offshore Vessels");
    const auto one = report.find(" FAKE HULL SECTION I\n");
    const auto two = report.find(" FAKE HULL SECTION II\n");
    ASSERT_NE(title, std::string::npos);
    ASSERT_NE(one, std::string::npos);
    ASSERT_NE(two, std::string::npos);
    EXPECT_LT(title, one);
    EXPECT_LT(one, two);
    EXPECT_NE(report.find("Caldrun"), std::string::npos);
    // The console shows the banner and the progress lines.
    const std::string screen = console.screen();
    EXPECT_NE(screen.find(" >>> Caldrun Version: 6.80.00 Copyright (c) 2026"), std::string::npos);
    EXPECT_NE(screen.find(" --> Computing shallow water wave lengths..."), std::string::npos);
    EXPECT_NE(screen.find(" --> Computing vessel resonance characteristics..."), std::string::npos);
}

TEST(Vesl1, NoReportWithNegsumAndNoProgressLinesWhenHidden) {
    ScratchFolder folder;
    ScriptedConsole console(returns);
    FakeHullModel fake;
    fill_motion_image();
    TPCM.NEGSUM = 1;
    TPCM.hideOrmanelReports = 1;
    VESL1();
    EXPECT_TRUE(folder_files(folder).empty());
    const std::vector<std::string> expected_calls{"CHR", "FRC 0"};
    EXPECT_EQ(fake.calls, expected_calls);
    EXPECT_EQ(console.screen().find(" --> "), std::string::npos);
    EXPECT_EQ(console.screen().find(" >>> "), std::string::npos);
}

TEST(Vesl1, ServiceLineNamesTheCallerAndTheBody) {
    ScratchFolder folder;
    ScriptedConsole console(returns);
    FakeHullModel fake;
    fill_motion_image();
    TPCM.SIMTYP = 13;
    TPCM.ISPM = 2;
    TPCM.NEGSUM = 0;
    VESL1();
    EXPECT_NE(console.screen().find(" --> In Ostrevi service for motions of CALM buoy\n"),
              std::string::npos);
    EXPECT_TRUE(folder.has("BUOYSUM.stxt"));
}

const char* const natural_period_warning =
    " ++> Warning: A natural period of heave, pitch or roll lies outside the\n"
    "              assigned period array. Serious computational errors may result.\n"
    "              Consider widening your array to include all periods if possible.\n";

TEST(Vesl1, NaturalPeriodWarningOncePerRun) {
    ScriptedConsole console(returns);
    FakeHullModel fake;
    fake.WP = 0.1f; // 63 s: beyond the longest period of the grid
    fill_motion_image();
    VESL1();
    EXPECT_NE(console.screen().find(natural_period_warning), std::string::npos);
    console.clear_screen_text();
    VESL1();
    EXPECT_EQ(console.screen().find("natural period"), std::string::npos);
}

TEST(Vesl1, NoNaturalPeriodWarningForSemisubmersibleLikeHulls) {
    ScratchFolder folder;
    ScriptedConsole console(returns);
    FakeHullModel fake(HullModelKind::semisubmersible);
    fake.WP = 0.1f;
    fill_motion_image();
    TPCM.VESTYP = 5;
    TPCM.SEMI_LIKE = 1;
    TPCM.NEGSUM = 0;
    VESL1();
    EXPECT_EQ(console.screen().find("natural period"), std::string::npos);
    EXPECT_TRUE(folder.has("SEMISUM.stxt"));
    const std::vector<std::string> expected_calls{"CHR", "FRC 0", "SUM", "OUT"};
    EXPECT_EQ(fake.calls, expected_calls);
}

TEST(Vesl1, DiscBuoyRunsTheDiscModel) {
    // The set-up hands a disc buoy to its model: this image has no water-plane area, which the
    // disc buoy's characteristics refuse.
    ScratchFolder folder;
    ScriptedConsole console(returns);
    fill_motion_image();
    TPCM.VESTYP = 4;
    TPCM.SEMI_LIKE = 0;
    TPCM.NEGSUM = 0;
    TPCM.AWP = 0.0f;
    EXPECT_EQ(run_until_stop([] { VESL1(); }), StopKind::error);
    EXPECT_NE(
        console.screen().find(
            " ++> FATAL error: The disc buoy's hydrostatic data give no equivalent cylinder:"),
        std::string::npos)
        << console.screen();
}

TEST(Vesl1, RefusesInputItCannotUse) {
    struct Case {
        const char* name;
        void (*change)();
        const char* message;
    };
    const Case cases[] = {
        {"two periods", [] { TPCM.NWP = 2; }, "the wave period array holds 2 periods"},
        {"decreasing periods", [] { TPCM.T(5) = TPCM.T(4) - 0.5f; },
         "wave periods 4 and 5 do not increase"},
        {"uneven periods", [] { TPCM.T(10) += 0.01f; },
         "wave periods 9 and 10 are not spaced like periods 1 and 2"},
        {"38 sea headings",
         [] {
             TPCM.LRANDM = 1;
             TPCM.NSEAHG = 38;
         },
         "NSEAHG =  38"},
        {"13 wave headings", [] { TPCM.NDIR = 13; }, "NDIR =  13"},
        {"7 sea heights",
         [] {
             TPCM.LRANDM = 1;
             TPCM.WAVTYP = 1;
             TPCM.NSEAHT = 7;
         },
         "NSEAHT =   7"},
        {"500 heading steps", [] { TPCM.NA = 500; }, "NA =   500"},
        {"no water depth", [] { TPCM.DEPTH = 0.0f; }, "Water depth"},
        {"no spreading sector",
         [] {
             TPCM.LRANDM = 1;
             TPCM.LSPRED = 1;
             TPCM.ANGSEC = 0.0f;
         },
         "Spreading sector ANGSEC"},
        {"invalid spreading exponent", [] { TPCM.COSEXP = -1.0f; },
         " ++> Invalid spreading index in FACTRI; reduce spreading index & retry"},
        {"seas and swell of no height",
         [] {
             TPCM.SIMTYP = 12;
             TPCM.LRANDM = 1;
             TPCM.LSWELL = 1;
             TPCM.SWELHT = 0.0f;
             WAVCOM.SWH = 0.0f;
         },
         "Seas and swell are both on with zero heights"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        ScriptedConsole console(returns);
        FakeHullModel fake;
        fill_motion_image();
        TPCM.NEGSUM = 0;
        c.change();
        EXPECT_EQ(run_until_stop([] { VESL1(); }), StopKind::error);
        EXPECT_NE(console.screen().find(c.message), std::string::npos) << console.screen();
        EXPECT_TRUE(folder_files(folder).empty());
        EXPECT_TRUE(fake.calls.empty());
    }
}

TEST(Vesl1, SeaSpectrumStatisticsLandInTheWaveStatisticsWords) {
    ScriptedConsole console(returns);
    FakeHullModel fake;
    fill_motion_image();
    VESL1();
    // The statistics loop sets the sea-height index; here it is set by hand.
    HIMEM.IHT = 2;
    std::array<float, 100> psd{};
    float Hs = 4.0f;
    float Tp = 0.0f;
    float wp = 0.0f;
    float kp = 0.0f;
    WVSPEC(1, psd, Hs, Tp, wp, kp, 0);
    EXPECT_GT(Tp, 0.0f);
    // The third word of the second sea height's statistics: LCNWV + 3 (IHT - 1) + 2.
    EXPECT_EQ(HIMEM.RLDUM(801509 + 3 + 2), Tp);
    EXPECT_EQ(HIMEM.RLDUM(801509 + 3 + 1), 0.0f);
    EXPECT_EQ(HIMEM.RLDUM(801509 + 3 + 3), 0.0f);
}

} // namespace
} // namespace lintar
