// Tests of the Bessel and gamma functions, PHASE and the ellipsoid shape integral, against the
// special functions of the C++ standard library and closed forms.
#include "util/bessel_gamma.h"

#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lintar {
namespace {

using testing::ScriptedConsole;

constexpr float arguments[] = {0.05f, 0.3f, 1.0f,  2.5f,  3.99f, 4.0f,  4.01f,
                               6.0f,  9.5f, 12.0f, 15.0f, 16.0f, 25.0f, 40.0f};
constexpr std::int32_t max_order = 14;

// Scale of an error in J or Y: the value itself, or where the functions oscillate (N <= X)
// the amplitude sqrt(2 / (pi X)) of the oscillation, so that values near a zero are judged
// against the size of the wave and not against zero.
double oscillating_scale(double reference, std::int32_t N, float X) {
    const double amplitude = N <= X ? std::sqrt(2.0 / (std::numbers::pi * X)) : 0.0;
    return std::max(std::abs(reference), amplitude);
}

// Values below this do not survive as normal four-byte reals; they are not compared.
constexpr double smallest_compared = 1e-30;

TEST(Bessel, FirstAndSecondKindAgainstTheStandardLibrary) {
    constexpr float D = 1e-6f;
    constexpr double j_tol = 1e-6; // the requested D; the recurrence reaches ~1e-7
    constexpr double y_tol = 5e-6; // the fits for Y0, Y1 above 4 and the 15-term series: ~2e-6
    for (const float X : arguments) {
        for (std::int32_t N = 0; N <= max_order; ++N) {
            SCOPED_TRACE(::testing::Message() << "N " << N << ", X " << X);
            float BJ = 0.0f;
            std::int32_t IER = -9;
            BESJ(X, N, BJ, D, IER);
            const double j = std::cyl_bessel_j(N, static_cast<double>(X));
            if (std::abs(j) > smallest_compared) {
                EXPECT_EQ(IER, 0);
                EXPECT_NEAR(BJ, j, j_tol * oscillating_scale(j, N, X));
            }
            float BY = 0.0f;
            BESY(X, N, BY, IER);
            const double y = std::cyl_neumann(N, static_cast<double>(X));
            if (std::abs(y) < 1e36) {
                EXPECT_EQ(IER, 0);
                EXPECT_NEAR(BY, y, y_tol * oscillating_scale(y, N, X));
            } else {
                EXPECT_EQ(IER, 3);
            }
        }
    }
}

TEST(Bessel, ModifiedFunctionsAgainstTheStandardLibrary) {
    constexpr double k_tol = 1e-6; // series to X = 1, 12-term fits above: ~3e-7
    constexpr double i_tol = 1e-6; // power series truncated at 1e-6 of the sum: ~5e-7
    // The asymptotic series (X > 12, X > N) is cut at 1e-6 of its sum too, but it diverges
    // sooner as 4N^2 / 8X grows: to ~2e-6 while N^2 <= 2X, to ~2e-4 at N = 12, X = 15.
    constexpr double i_asymptotic_tol = 5e-6;
    for (const float X : arguments) {
        for (std::int32_t N = 0; N <= max_order; ++N) {
            SCOPED_TRACE(::testing::Message() << "N " << N << ", X " << X);
            const bool asymptotic = X > 12.0f && X > static_cast<float>(N);
            if (!asymptotic || N * N <= 2.0f * X) {
                float BI = 0.0f;
                std::int32_t IER = -9;
                BESI(X, N, BI, IER);
                const double i = std::cyl_bessel_i(N, static_cast<double>(X));
                if (i > smallest_compared) {
                    EXPECT_EQ(IER, 0);
                    EXPECT_NEAR(BI, i, (asymptotic ? i_asymptotic_tol : i_tol) * i);
                }
            }
            float BK = 0.0f;
            std::int32_t IER = -9;
            BESK(X, N, BK, IER);
            const double k = std::cyl_bessel_k(N, static_cast<double>(X));
            if (k < 1e36) {
                EXPECT_EQ(IER, 0);
                EXPECT_NEAR(BK, k, k_tol * k);
            } else {
                EXPECT_EQ(IER, 4);
            }
        }
    }
    // Each side of the switch from the K series to the fits at X = 1.
    for (const float X : {1.0f, std::nextafter(1.0f, 2.0f)}) {
        for (std::int32_t N = 0; N <= 3; ++N) {
            SCOPED_TRACE(::testing::Message() << "N " << N << ", X " << X);
            float BK = 0.0f;
            std::int32_t IER = -9;
            BESK(X, N, BK, IER);
            const double k = std::cyl_bessel_k(N, static_cast<double>(X));
            EXPECT_NEAR(BK, k, k_tol * k);
        }
    }
}

TEST(Bessel, ErrorCodes) {
    struct Case {
        const char* name;
        char kind;
        float X;
        std::int32_t N;
        std::int32_t IER;
    };
    const Case cases[] = {
        {"J of a negative order", 'J', 1.0f, -1, 1},
        {"J at zero", 'J', 0.0f, 0, 2},
        {"J at X = 15: NTEST is 95 (20 + 150 - 75)", 'J', 15.0f, 95, 4},
        {"J at X = 15 below NTEST", 'J', 15.0f, 94, 0},
        {"J at X = 16: NTEST is 98 (90 + 8)", 'J', 16.0f, 98, 4},
        {"J at X = 16 below NTEST", 'J', 16.0f, 97, 0},
        {"Y of a negative order", 'Y', 1.0f, -1, 1},
        {"Y at a negative argument", 'Y', -1.0f, 0, 2},
        {"Y beyond 1e36", 'Y', 0.1f, 40, 3},
        {"I of a negative order", 'I', 1.0f, -1, 1},
        {"I at a negative argument", 'I', -1.0f, 0, 2},
        {"I with an underflowing series term", 'I', 0.01f, 20, 3},
        {"I at X = 60", 'I', 60.0f, 0, 4},
        {"K of a negative order", 'K', 1.0f, -1, 1},
        {"K at zero", 'K', 0.0f, 0, 2},
        {"K above 60", 'K', 60.5f, 0, 3},
        {"K beyond 1e36", 'K', 0.1f, 30, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        float value = -7.0f;
        std::int32_t IER = -9;
        switch (c.kind) {
        case 'J':
            BESJ(c.X, c.N, value, 1e-6f, IER);
            break;
        case 'Y':
            BESY(c.X, c.N, value, IER);
            break;
        case 'I':
            BESI(c.X, c.N, value, IER);
            break;
        default:
            BESK(c.X, c.N, value, IER);
            break;
        }
        EXPECT_EQ(IER, c.IER);
    }
    float BI = -7.0f;
    std::int32_t IER = -9;
    BESI(0.0f, 0, BI, IER);
    EXPECT_EQ(IER, 0);
    EXPECT_EQ(BI, 1.0f);
    BESI(60.0f, 0, BI, IER);
    EXPECT_EQ(IER, 4);
    EXPECT_EQ(BI, 1.0f);
    BESI(0.01f, 20, BI, IER);
    EXPECT_EQ(BI, 0.0f);
    float BK = -7.0f;
    BESK(61.0f, 0, BK, IER);
    EXPECT_EQ(BK, 0.0f);
    float BY = -7.0f;
    BESY(0.1f, 40, BY, IER); // not written on an error
    EXPECT_EQ(BY, -7.0f);
}

TEST(Bessel, HighOrdersAndLargeArgumentsStillGiveJ) {
    // N + 2 above NTEST (X = 1, N = 28) and arguments above 100: the recurrence starts above
    // its limit and runs once, so J is computed rather than left unset.
    struct Case {
        float X;
        std::int32_t N;
    };
    for (const auto& c : {Case{1.0f, 28}, Case{99.0f, 3}, Case{200.0f, 3}, Case{1000.0f, 0}}) {
        SCOPED_TRACE(::testing::Message() << "N " << c.N << ", X " << c.X);
        float BJ = 0.0f;
        std::int32_t IER = -9;
        BESJ(c.X, c.N, BJ, 1e-6f, IER);
        EXPECT_NE(IER, 4);
        const double j = std::cyl_bessel_j(c.N, static_cast<double>(c.X));
        EXPECT_NEAR(BJ, j, 1e-6 * oscillating_scale(j, c.N, c.X));
    }
}

TEST(Gamma, AgainstTheStandardLibrary) {
    constexpr double tol = 3e-6; // the 7-term fit on [1, 2] (~5e-7) and the reduction steps
    for (float XX = -4.75f; XX <= 34.5f; XX += 0.37f) {
        SCOPED_TRACE(XX);
        float GX = 0.0f;
        std::int32_t IER = -9;
        GAMMA(XX, GX, IER);
        EXPECT_EQ(IER, 0);
        const double g = std::tgamma(static_cast<double>(XX));
        EXPECT_NEAR(GX, g, tol * std::abs(g));
    }
}

TEST(Gamma, EdgesAndErrorCodes) {
    struct Case {
        float XX;
        std::int32_t IER;
    };
    for (const auto& c : {Case{-2.0f, 1}, Case{0.0f, 1}, Case{5e-7f, 1}, Case{-3.0000002f, 1},
                          Case{-1e10f, 1}, Case{34.6f, 2}, Case{1.0f, 0}, Case{34.5f, 0}}) {
        SCOPED_TRACE(c.XX);
        float GX = 0.0f;
        std::int32_t IER = -9;
        GAMMA(c.XX, GX, IER);
        EXPECT_EQ(IER, c.IER);
        if (c.IER == 2) {
            EXPECT_EQ(GX, 1.0e38f);
        }
    }
    float GX = 0.0f;
    std::int32_t IER = -9;
    GAMMA(1.0f, GX, IER);
    EXPECT_EQ(GX, 1.0f); // exactly
    GAMMA(34.5f, GX, IER);
    EXPECT_NEAR(GX, std::tgamma(34.5), 3e-6 * std::tgamma(34.5));
}

TEST(IncompleteGamma, AsymptoticSeriesEndsForIntegerAlpha) {
    // For integer alpha the series is finite and exact: Gamma(3, x) = e^-x (x^2 + 2x + 2).
    const double x = 5.0;
    EXPECT_NEAR(GMAPRX(3.0f, 5.0f), std::exp(-x) * (x * x + 2 * x + 2), 1e-6);
    // Alpha 1: e^-x.
    EXPECT_NEAR(GMAPRX(1.0f, 2.0f), std::exp(-2.0), 1e-7);
}

TEST(Phase, DegreesWithTheImaginaryAxisFixed) {
    EXPECT_EQ(PHASE({0.0f, 0.0f}), 90.0f);
    EXPECT_EQ(PHASE({0.0f, 2.0f}), 90.0f);
    EXPECT_EQ(PHASE({0.0f, -2.0f}), -90.0f);
    EXPECT_FLOAT_EQ(PHASE({1.0f, 1.0f}), 45.0f);
    EXPECT_FLOAT_EQ(PHASE({-1.0f, -1.0f}), -135.0f);
}

// The mass integral of ARGMAS with both ratios q, in closed form: with t = tan X the integrand
// is (1 + t)^(-3/2) / (1 + q t) over t from 0 to infinity; u = sqrt(1 + t) and partial
// fractions give 2/(1 - q) (1 - s (pi/2 - atan s)), s = sqrt(q / (1 - q)), for q < 1, and
// 2/(1 - q) (1 - s' atanh(1/s')), s' = sqrt(q / (q - 1)), for q > 1.
double mass_integral(double q) {
    if (q < 1.0) {
        const double s = std::sqrt(q / (1.0 - q));
        return 2.0 / (1.0 - q) * (1.0 - s * (std::numbers::pi / 2 - std::atan(s)));
    }
    const double s = std::sqrt(q / (q - 1.0));
    return 2.0 / (1.0 - q) * (1.0 - s * std::atanh(1.0 / s));
}

TEST(Elpcof, SphereAndSpheroids) {
    ScriptedConsole console;
    // Simpson's rule against an integrand that falls like sqrt(pi/2 - X) at its end converges
    // only as h^1.5: on 400 points the mass integral is within ~8e-5 (at q = 0.25).
    constexpr double tol = 1.5e-4;
    bool ONEWRN = false;
    float ELPSCF = 0.0f;
    ELPCOF(1.0f, 1.0f, 0, 1, ELPSCF, screen_unit, keyboard_unit, ONEWRN, 0);
    EXPECT_NEAR(ELPSCF, 2.0 / 3.0, tol * 2.0 / 3.0);
    ELPCOF(1.0f, 1.0f, 0, 2, ELPSCF, screen_unit, keyboard_unit, ONEWRN, 0);
    EXPECT_NEAR(ELPSCF, 0.4, 1e-5); // the moment integrand vanishes faster; 4000 points
    for (const float q : {0.25f, 0.8f, 4.0f}) {
        SCOPED_TRACE(q);
        ELPCOF(q, q, 0, 1, ELPSCF, screen_unit, keyboard_unit, ONEWRN, 0);
        EXPECT_NEAR(ELPSCF, mass_integral(q), tol * mass_integral(q));
    }
    EXPECT_FALSE(ONEWRN);
    EXPECT_EQ(console.screen(), "");
}

TEST(Elpcof, WarnsOncePerFlagAboutVeryManyPoints) {
    // Ratio 1e-4 asks for 2 / 1e-4 = 20000 points.
    ScriptedConsole console("\n\n");
    bool ONEWRN = false;
    float ELPSCF = 0.0f;
    ELPCOF(1e-4f, 1e-4f, 0, 1, ELPSCF, screen_unit, keyboard_unit, ONEWRN, 0);
    EXPECT_TRUE(ONEWRN);
    const std::string body = "\n"
                             " ++> Warning: A highly eccentric body requires  20000 integration "
                             "points\n"
                             "              in ELPCOF; this may result in pathological mass "
                             "coefficients.\n"
                             "              Contact Kelbrin to report this message.\n";
    EXPECT_EQ(console.screen().substr(0, body.size()), body);
    EXPECT_NE(console.screen().find("Press <RETURN> to continue", body.size()), std::string::npos);

    console.clear_screen_text();
    ELPCOF(1e-4f, 1e-4f, 0, 1, ELPSCF, screen_unit, keyboard_unit, ONEWRN, 0);
    EXPECT_EQ(console.screen(), ""); // given once per flag

    bool member_flag = false;
    ELPCOF(1e-4f, 1.0f, 0, 2, ELPSCF, screen_unit, keyboard_unit, member_flag, 3);
    const std::string member =
        "\n"
        " ++> Warning: Member  3 requires  20000 integration points\n"
        "              in ELPCOF; this may result in pathological mass coefficients.\n"
        "              Consider using a less eccentric member model; this will not\n"
        "              appreciably affect your added mass estimates.\n";
    EXPECT_EQ(console.screen().substr(0, member.size()), member);
    EXPECT_TRUE(member_flag);
}

} // namespace
} // namespace lintar
