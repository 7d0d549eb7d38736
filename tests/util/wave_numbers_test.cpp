// Tests of the wave number, the group speed, the slope functions and the spectrum type names.
#include "util/wave_numbers.h"

#include "runtime/units.h"
#include "support/console.h"
#include "support/sea_spectra_support.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <string>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScriptedConsole;

// k d from the double-precision Newton solve of w^2 = g k tanh(k d), for Omega = w sqrt(d/g):
// with g = d = 1 the wave number is k d itself.
double kd_of(double Omega) {
    return testing::reference_wave_number(Omega, 1.0, 1.0);
}

TEST(Wavvec, MatchesTheDispersionRelation) {
    // RTMI1 stops within 1e-5 of the root (relative above 1).
    for (const double Omega : {0.01, 0.1, 0.3, 0.7, 1.0, 1.5, 2.5, 4.0, 9.0}) {
        SCOPED_TRACE(::testing::Message() << "Omega = " << Omega);
        float kd = 0.0f;
        WAVVEC(static_cast<float>(Omega), kd);
        const double expected = kd_of(static_cast<float>(Omega));
        EXPECT_NEAR(kd, expected, 2e-5 * std::max(1.0, expected));
    }
}

TEST(Wavvec, DeepAndShallowLimits) {
    float kd = 0.0f;
    WAVVEC(4.0f, kd); // deep: k = w^2 / g, so k d = Omega^2
    EXPECT_NEAR(kd, 16.0, 2e-5 * 16.0);
    WAVVEC(0.02f, kd); // shallow: k = w / sqrt(g d), so k d = Omega (to Omega^3 / 6)
    EXPECT_NEAR(kd, 0.02, 2e-5);
    WAVVEC(0.0f, kd); // no frequency, no wave number
    EXPECT_EQ(kd, 0.0f);
}

// The wave number at the site depth against w^2 = g k tanh(k d) solved by Newton's method in
// double precision: T = 10 s in 1000 m (deep: k = 0.040284 1/m) and in 20 m of water.
TEST(WaveNumber, AtTheSiteDepthMatchesTheDispersionRelation) {
    struct Case {
        double period, depth;
    };
    for (const Case c : {Case{10.0, 1000.0}, Case{10.0, 20.0}, Case{4.0, 5.0}}) {
        SCOPED_TRACE(c.depth);
        const double g = 9.8;
        const double w = 2.0 * std::numbers::pi / c.period;
        double k = w * w / g;
        for (int i = 0; i < 50; ++i) {
            const double f = g * k * std::tanh(k * c.depth) - w * w;
            const double df = g * std::tanh(k * c.depth) +
                              g * k * c.depth / (std::cosh(k * c.depth) * std::cosh(k * c.depth));
            k -= f / df;
        }
        if (c.depth == 1000.0) {
            EXPECT_NEAR(k, 0.040284, 1e-6);
        }
        const float found =
            wave_number(static_cast<float>(w), static_cast<float>(c.depth), static_cast<float>(g));
        EXPECT_NEAR(found, k, 2e-5 * k);
        EXPECT_FLOAT_EQ(depth_frequency_scale(static_cast<float>(c.depth), 9.8f),
                        static_cast<float>(std::sqrt(c.depth / 9.8)));
    }
}

TEST(Wavvec, RootFinderFailureStopsWithTheInternalMessage) {
    // A frequency that is not a number brackets nothing: the root finder reports code 2.
    ScriptedConsole console("x\n");
    float kd = 0.0f;
    EXPECT_EQ(run_until_stop([&] { WAVVEC(std::numeric_limits<float>::quiet_NaN(), kd); }),
              StopKind::error);
    EXPECT_EQ(console.screen(), " >>> IER = 2 in WAVVEC; Please contact Kelbrin.\n"
                                "     press any letter key + <RETURN> to continue...\n");
}

TEST(GroupSpeed, HalfThePhaseSpeedInDeepWaterAndThePhaseSpeedInShallow) {
    // c_g = c/2 (1 + 2 kd / sinh 2kd), the textbook form, in double precision.
    const double g = 9.8;
    for (const double d : {0.5, 5.0, 50.0, 500.0}) {
        for (const double T : {4.0, 10.0, 20.0}) {
            SCOPED_TRACE(::testing::Message() << "depth " << d << ", period " << T);
            const double w = 2.0 * testing::pi / T;
            const double k = testing::reference_wave_number(w, g, d);
            const double kd = k * d;
            const double c = w / k;
            const double expected =
                kd >= 80.0 ? c / 2.0 : c / 2.0 * (1.0 + 2.0 * kd / std::sinh(2.0 * kd));
            EXPECT_NEAR(group_speed(static_cast<float>(g), static_cast<float>(w),
                                    static_cast<float>(k), static_cast<float>(d)),
                        expected, 1e-5 * expected);
        }
    }
    // Deep water: exactly half the phase speed from kd = 80 on; shallow: sqrt(g d).
    EXPECT_EQ(group_speed(9.8f, 2.0f, 4.0f / 9.8f, 200.0f), 0.5f * 2.0f / (4.0f / 9.8f));
    const double k_shallow = testing::reference_wave_number(0.1, g, 1.0);
    EXPECT_NEAR(group_speed(9.8f, 0.1f, static_cast<float>(k_shallow), 1.0f), std::sqrt(9.8),
                1e-3 * std::sqrt(9.8));
}

TEST(SlopeFunctions, SineAndCosineOfTheSlopeAngle) {
    EXPECT_EQ(SINPHT(0.0f), 0.0f);
    EXPECT_EQ(COSPHT(0.0f), 1.0f);
    EXPECT_FLOAT_EQ(SINPHT(1.0f), static_cast<float>(std::sqrt(0.5)));
    EXPECT_FLOAT_EQ(COSPHT(1.0f), static_cast<float>(std::sqrt(0.5)));
    EXPECT_FLOAT_EQ(SINPHT(-0.75f), -0.6f);
    EXPECT_FLOAT_EQ(COSPHT(-0.75f), 0.8f);
}

TEST(SpectrumNames, NamesByTypeCode) {
    struct Row {
        std::string (*routine)(std::int32_t);
        std::int32_t code;
        const char* name;
    };
    const Row rows[] = {
        {WAVPRT, 0, " Kelbrin swell spectrum"},
        {WAVPRT, 7, " WAVSPEC.txt input file"},
        {WAVPRT, 10, " TMA Shallow Water"},
        {WAVPRT, 11, " Index error"},
        {WAVPRT, -1, " Index error"},
        {WNDPRT, 0, " Index error"},
        {WNDPRT, 4, " A.P.I."},
        {WNDPRT, 6, " WINDSPEC.txt input file"},
        {WNDPRT, 7, " Index error"},
        {CURPRT, 0, " Index error"},
        {CURPRT, 3, " CRNTSPEC.txt input file"},
        {CURPRT, 4, " Band-limited white spectrum"},
        {CURPRT, 5, " Index error"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string expected = row.name;
        expected.resize(30, ' ');
        EXPECT_EQ(row.routine(row.code), expected);
    }
}

} // namespace
} // namespace lintar
