// Tests of the member drag kernels: the half-range rule and its error functions, the cycle
// mean of the drag law against direct quadrature over the cycle, the closed-form depth average
// against direct integration over depth, the closed-form surface correlations against direct
// xi-integrals of their cycle kernels, and the depth-resolved kernel with the current profile.
#include "environment/drag_kernels.h"

#include "blocks/curprof.h"
#include "blocks/tpcm.h"
#include "runtime/program_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <numbers>

namespace lintar {
namespace {

constexpr double pi = std::numbers::pi;

// Composite Simpson's rule in double precision with n (even) intervals.
double simpson(const std::function<double(double)>& f, double a, double b, int n) {
    const double h = (b - a) / n;
    double sum = f(a) + f(b);
    for (int i = 1; i < n; ++i)
        sum += (i % 2 == 1 ? 4.0 : 2.0) * f(a + i * h);
    return sum * h / 3.0;
}

// The mean over a cycle of (1 + a cos t)|1 + a cos t|, minus 1, by quadrature over the cycle.
double cycle_mean(double a) {
    return simpson(
               [a](double t) {
                   const double u = 1.0 + a * std::cos(t);
                   return u * std::abs(u);
               },
               0.0, 2.0 * pi, 20000) /
               (2.0 * pi) -
           1.0;
}

class DragKernels : public ::testing::Test {
protected:
    void SetUp() override { reset_program_state(); }
    void TearDown() override { reset_program_state(); }
};

TEST_F(DragKernels, HalfRangeRuleStopsOneStepShortOfTheSpan) {
    // Simpson's rule is exact for a cubic; over the nodes it integrates to (N - 1) / N of the
    // span, not to the span.
    for (const std::int32_t N : {3, 11, 27}) {
        SCOPED_TRACE(N);
        const float last = 2.0f * static_cast<float>(N - 1) / static_cast<float>(N);
        const float value = half_range_simpson(2.0f, N, [](float x) { return x * x * x; });
        EXPECT_NEAR(value, std::pow(last, 4.0f) / 4.0f, 2e-5f * value);
    }
    // The error functions of that rule, 27 points, against the textbook erfc of the shortened
    // span: 1.1283792 x integral of e^(-x^2) over [0, 26/27 YY).
    struct Case {
        float YY, rule;
    };
    constexpr Case cases[] = {
        {0.25f, 0.733511f}, {0.5f, 0.495924f}, {1.0f, 0.173250f}, {2.0f, 0.006456f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.YY);
        EXPECT_NEAR(RH_ERFC(c.YY, 27), c.rule, 2e-6f);
        EXPECT_NEAR(RH_ERFC(c.YY, 27), std::erfc(c.YY * 26.0 / 27.0), 2e-4);
        EXPECT_NEAR(RH_ERF(c.YY, 27), 1.0f - c.rule, 2e-6f);
    }
    EXPECT_EQ(RH_ERFC(0.0f, 27), 1.0f);
    EXPECT_EQ(RH_ERFC(5.5f, 27), 0.0f);
    EXPECT_EQ(RH_ERFC(9.0f, 11), 0.0f);
    EXPECT_EQ(RH_ERF(5.5f, 27), 1.0f);
}

TEST_F(DragKernels, CycleMeanOfTheDragLaw) {
    struct Case {
        float a, mean;
    };
    constexpr Case cases[] = {{0.0f, 0.0f},        {0.5f, 0.125f},     {1.0f, 0.5f},
                              {1.5f, 1.054832f},   {2.0f, 1.653987f},  {5.0f, 5.408725f},
                              {1.0001f, 0.50010f}, {0.9999f, 0.49990f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.a);
        EXPECT_NEAR(FCF_SUB_EXACT(c.a), c.mean, 3e-5f * (1.0f + c.mean));
        EXPECT_NEAR(FCF_SUB_EXACT(c.a), cycle_mean(c.a), 3e-5 * (1.0 + c.mean));
        // The mean is even in the amplitude: a current against the waves reverses the same way.
        EXPECT_FLOAT_EQ(FCF_SUB_EXACT(-c.a), FCF_SUB_EXACT(c.a));
    }
}

TEST_F(DragKernels, SurfaceCycleKernelsMeetAtTheReversalAmplitude) {
    // a = |B| F_SURF = 1 on both sides: 1 along the waves, 0.5 across them; the across kernel
    // takes the sign of B.
    const float R = 0.6f, PHI = 0.8f;
    const float B1 = 1.0f / F_SURF(R, PHI);
    EXPECT_NEAR(F_SURF(R, PHI), std::abs(1.0 - std::polar<double>(R, PHI)), 1e-6);
    for (const float f : {0.9999f, 1.0001f}) {
        SCOPED_TRACE(f);
        EXPECT_NEAR(SURF_DRAG(f * B1, R, PHI), 1.0f, 3e-4f);
        EXPECT_NEAR(SURF_DRAG_PRP(f * B1, R, PHI), 0.5f, 3e-4f);
        EXPECT_NEAR(SURF_DRAG_PRP(-f * B1, R, PHI), -0.5f, 3e-4f);
    }
    EXPECT_EQ(SURF_DRAG_PRP(0.0f, R, PHI), 0.0f);
}

// The depth law whose antiderivatives UNI and OSC are: 0.5 a^2 where the flow does not reverse
// (a <= 1), and 0.5 + 4 (a - 1) / pi where it does (a > 1), the value and the large-amplitude
// slope of the cycle mean. (Differentiating UNI and OSC gives these.)
double linearised_mean(double a) {
    return a <= 1.0 ? 0.5 * a * a : 0.5 + 4.0 * (a - 1.0) / pi;
}

// (1 / KD) x the integral over s in [-KD, 0] of law(B |e^s - R e^(i PHI)|), with the
// reversal depths resolved by a fine grid.
double depth_average(const std::function<double(double)>& law, double KD, double B, double R,
                     double PHI) {
    const std::complex<double> m = std::polar(R, PHI);
    return simpson([&](double s) { return law(B * std::abs(std::exp(s) - m)); }, -KD, 0.0, 40000) /
           KD;
}

struct DepthCase {
    const char* name;
    float KD, B, R, PHI;
};
// Reversal depths inside the draft: none with the flow never reversing, none with it always
// reversing, one, two, the collinear motion (cos PHI = 1) with two, the antiphase motion
// (cos PHI = -1) with one, a motion so nearly collinear that the logarithms of the general
// antiderivative cancel in single precision, and reversals below the keel.
constexpr DepthCase depth_cases[] = {
    {"never reverses", 2.0f, 0.3f, 0.5f, 1.0f},    {"always reverses", 2.0f, 10.0f, 0.5f, 1.0f},
    {"one reversal", 2.0f, 2.0f, 0.2f, 0.5f},      {"two reversals", 3.0f, 4.0f, 0.5f, 0.3f},
    {"collinear, two", 3.0f, 4.0f, 0.5f, 0.0f},    {"antiphase, one", 3.0f, 2.0f, 0.2f, pi},
    {"below the keel", 0.5f, 1.5f, 1.2f, 0.4f},    {"deep keel", 6.0f, 1.5f, 0.9f, 1.2f},
    {"nearly collinear", 3.0f, 4.0f, 0.5f, 4e-4f},
};

TEST_F(DragKernels, DepthAverageIsTheExactIntegralOfItsLaw) {
    for (const auto& c : depth_cases) {
        SCOPED_TRACE(c.name);
        const double expected = depth_average(linearised_mean, c.KD, c.B, c.R, c.PHI);
        EXPECT_NEAR(SUB_SURF_DRAG(c.KD, c.B, c.R, c.PHI), expected, 2e-4 * (1.0 + expected));
        // The sign of the ratio is the sign of the result.
        EXPECT_NEAR(SUB_SURF_DRAG(c.KD, -c.B, c.R, c.PHI), -expected, 2e-4 * (1.0 + expected));
    }
    EXPECT_EQ(SUB_SURF_DRAG(2.0f, 0.0f, 0.5f, 1.0f), 0.0f);
}

TEST_F(DragKernels, DepthAverageFollowsTheCycleMeanWithinItsLinearisation) {
    // Where the flow reverses the closed form takes the cycle mean by its line through (1, 0.5)
    // with slope 4 / pi, which lies above the mean by at most 7.8 percent of it (at a near 1.6);
    // where it never reverses the two agree.
    for (const auto& c : depth_cases) {
        SCOPED_TRACE(c.name);
        const double exact = depth_average(
            [](double a) { return static_cast<double>(FCF_SUB_EXACT(static_cast<float>(a))); },
            c.KD, c.B, c.R, c.PHI);
        const float value = SUB_SURF_DRAG(c.KD, c.B, c.R, c.PHI);
        EXPECT_GE(value, exact - 2e-4 * (1.0 + exact));
        EXPECT_LE(value, 1.08 * exact + 2e-4);
    }
}

TEST_F(DragKernels, ReversalDepthsAndTheirOrder) {
    // B |e^s - R e^(i PHI)| = 1 at both depths found.
    const float B = 4.0f, R = 0.5f, PHI = 0.3f;
    float A0 = 0, A1 = 0, A2 = 0, S1 = 0, S2 = 0;
    A_AND_S(A0, A1, A2, S1, S2, B, R, PHI);
    for (const float s : {S1, S2}) {
        SCOPED_TRACE(s);
        EXPECT_NEAR(B * std::abs(std::exp(s) - std::polar(R, PHI)), 1.0f, 1e-5f);
    }
    // No crossing at all (|R sin PHI| > 1 / B): both at R cos PHI, where a > 1 anyway.
    A_AND_S(A0, A1, A2, S1, S2, 10.0f, 0.5f, 1.0f);
    EXPECT_EQ(A0, 0.0f);
    EXPECT_FLOAT_EQ(S1, std::log(0.5f * std::cos(1.0f)));
    EXPECT_EQ(S1, S2);

    struct SortCase {
        float S1, S2, Q1, Q2, Q3;
        std::int32_t NSWITCH;
    };
    constexpr SortCase sorts[] = {{-0.5f, -1.0f, -0.5f, -1.0f, -2.0f, 0},
                                  {-3.0f, -0.5f, -0.5f, -2.0f, -3.0f, 1},
                                  {-3.0f, -4.0f, -2.0f, -3.0f, -4.0f, 2},
                                  {1e30f, -1e30f, 1e30f, -2.0f, -1e30f, 1}};
    for (const auto& s : sorts) {
        SCOPED_TRACE(::testing::Message() << s.S1 << ", " << s.S2);
        float Q1 = 0, Q2 = 0, Q3 = 0;
        std::int32_t NSWITCH = -1;
        RHSORT3(Q1, Q2, Q3, 2.0f, s.S1, s.S2, NSWITCH);
        EXPECT_EQ(Q1, s.Q1);
        EXPECT_EQ(Q2, s.Q2);
        EXPECT_EQ(Q3, s.Q3);
        EXPECT_EQ(NSWITCH, s.NSWITCH);
    }
}

TEST_F(DragKernels, NoCurrentValuesOfTheCorrelations) {
    const float R = 0.7f, PHI = 2.0f, COS_C = 0.8f;
    const float F2 = std::abs(R * R - 2.0f * R * std::cos(PHI) + 1.0f);
    for (const float B0 : {no_current_ratio, -no_current_ratio}) {
        SCOPED_TRACE(B0);
        EXPECT_FLOAT_EQ(FCF_SURF(B0, R, PHI, COS_C, 27), COS_C * 1.5957692f * F2);
        EXPECT_FLOAT_EQ(GISURF(B0, R, PHI, COS_C, 27), COS_C * 2.3936536f * F2);
        EXPECT_EQ(FCF_SUB(2.0f, B0, R, PHI, 27), 0.0f);
        EXPECT_EQ(GISUB(2.0f, B0, R, PHI, 27), 0.0f);
        EXPECT_EQ(GISURF_PRP(B0, R, PHI, COS_C, 27), 0.0f);
        EXPECT_EQ(FCF_SURF_PRP(B0, R, PHI, COS_C, 27), 0.0f);
    }
    // Those closed forms are the limits of the integrals: 1.5957692 = 3 sqrt(pi / 2) 4 / (3 pi)
    // and 2.3936536 = 4.5 sqrt(pi / 2) 4 / (3 pi), the Gaussian moments of the kernel's
    // large-amplitude form 4 a^2 / (3 pi).
    EXPECT_NEAR(3.0 * std::sqrt(pi / 2.0) * 4.0 / (3.0 * pi), 1.5957692, 1e-7);
    EXPECT_NEAR(4.5 * std::sqrt(pi / 2.0) * 4.0 / (3.0 * pi), 2.3936536, 1e-7);
    const float B0 = 3000.0f;
    EXPECT_NEAR(GISURF(B0, R, PHI, COS_C, 401), COS_C * 2.3936536f * F2, 2e-3f * F2);
    EXPECT_NEAR(FCF_SURF(B0, R, PHI, COS_C, 27), COS_C * 1.5957692f * F2, 2e-3f * F2);
}

// The xi-integral over [0, infinity) of e^(-xi^2/2) xi^2 kernel(xi B0, R, PHI) / B0^2, with the
// kernel's break at xi = 1 / (|B0| F) as a node.
double surface_mean(float (*kernel)(float, float, float), float B0, float R, float PHI) {
    const double brk = 1.0 / (std::abs(B0) * F_SURF(R, PHI));
    const auto f = [&](double xi) {
        return std::exp(-xi * xi / 2.0) * xi * xi * kernel(static_cast<float>(xi) * B0, R, PHI) /
               (double(B0) * B0);
    };
    return simpson(f, 0.0, brk, 4000) + simpson(f, brk, brk + 12.0, 40000);
}

TEST_F(DragKernels, SurfaceCorrelationsAreTheGaussianMeansOfTheirKernels) {
    // The closed forms with their rounded constants and RH_ERFC of many points agree with the
    // direct integrals to 0.3 percent; few points move them by the rule's shortened span.
    struct Case {
        float B0, R, PHI;
    };
    constexpr Case cases[] = {{0.4f, 0.3f, 0.5f},
                              {1.2f, 0.8f, 2.0f},
                              {3.0f, 0.5f, 1.0f},
                              {-1.5f, 0.2f, 3.0f},
                              {12.0f, 1.4f, 0.3f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "B0 " << c.B0 << " R " << c.R << " PHI " << c.PHI);
        const double along = surface_mean(SURF_DRAG, c.B0, c.R, c.PHI);
        const double across = surface_mean(SURF_DRAG_PRP, c.B0, c.R, c.PHI);
        EXPECT_NEAR(FCF_SURF(c.B0, c.R, c.PHI, 1.0f, 2001), along, 3e-3 * std::abs(along));
        EXPECT_NEAR(FCF_SURF_PRP(c.B0, c.R, c.PHI, 1.0f, 2001), across, 3e-3 * std::abs(across));
        EXPECT_NEAR(FCF_SURF(c.B0, c.R, c.PHI, 0.5f, 2001), 0.5 * along, 3e-3 * std::abs(along));
    }
    // A vanishing relative amplitude gives 0.
    EXPECT_EQ(FCF_SURF(1e-5f, 0.0f, 0.0f, 1.0f, 27), 0.0f);
    EXPECT_EQ(FCF_SURF_PRP(1e-5f, 0.0f, 0.0f, 1.0f, 27), 0.0f);
}

TEST_F(DragKernels, SubmergedCorrelationsAreOddInTheRatio) {
    for (const float B0 : {0.5f, 2.0f}) {
        SCOPED_TRACE(B0);
        const float fcf = FCF_SUB(2.0f, B0, 0.5f, 1.0f, 27);
        const float gi = GISUB(2.0f, B0, 0.5f, 1.0f, 27);
        EXPECT_GT(fcf, 0.0f);
        EXPECT_FLOAT_EQ(FCF_SUB(2.0f, -B0, 0.5f, 1.0f, 27), -fcf);
        EXPECT_FLOAT_EQ(GISUB(2.0f, -B0, 0.5f, 1.0f, 27), -gi);
        EXPECT_FLOAT_EQ(GISURF_PRP(-B0, 0.5f, 1.0f, 1.0f, 27),
                        -GISURF_PRP(B0, 0.5f, 1.0f, 1.0f, 27));
    }
    // Without reversal the depth kernel is B^2 times a fixed average m, so FCF_SUB is m times
    // the Gaussian moment of xi^3 (2, less the rule's shortened span).
    const float B0 = 0.05f;
    const double m = depth_average([](double a) { return 0.5 * a * a; }, 2.0, 1.0, 0.5, 1.0);
    EXPECT_NEAR(FCF_SUB(2.0f, B0, 0.5f, 1.0f, 201), 2.0 * m, 1e-3 * m);
    EXPECT_NEAR(GISUB(2.0f, B0, 0.5f, 1.0f, 201), 2.0 * m, 1e-3 * m);
}

TEST_F(DragKernels, DepthFunctionsOfTheRelativeMotion) {
    const float R = 0.4f, PHI = 0.9f, Q = -0.7f;
    const std::complex<double> e(std::exp(double(Q)), 0.0);
    EXPECT_NEAR(F_SUB(R, PHI, Q), std::abs(e - std::polar<double>(R, PHI)), 1e-6);
    // F_SUB_Z measures the motion against the wave velocity a quarter period on.
    EXPECT_NEAR(F_SUB_Z(R, PHI, Q), std::abs(e + std::polar<double>(R, PHI - pi / 2)), 1e-6);
    EXPECT_NEAR(F_SUB(R, PHI, 0.0f), F_SURF(R, PHI), 1e-6f);
}

TEST_F(DragKernels, CurrentAlongTheWavesAtDepth) {
    // Surface 3 kn at 0 degrees; levels at 10 m (2 kn, 0 deg) and 30 m (1 kn, 90 deg).
    const float depths[] = {10.0f, 30.0f}, speeds[] = {2.0f, 1.0f}, headings[] = {0.0f, 90.0f};
    struct Case {
        float Z, WAVHDG, expected;
    };
    const double r = pi / 180.0;
    const Case cases[] = {
        {0.0f, 0.0f, 3.0f},
        {5.0f, 0.0f, 2.5f},
        {10.0f, 60.0f, static_cast<float>(2.0 * std::cos(60.0 * r))},
        {20.0f, 0.0f, static_cast<float>(1.5 * std::cos(45.0 * r))},
        {40.0f, 0.0f, static_cast<float>(0.5 * std::cos(135.0 * r))}, // extrapolated
        {60.0f, 0.0f, 0.0f},                                          // a negative speed: 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Z);
        EXPECT_NEAR(GET_VCX_LOC(c.Z, 3.0f, 0.0f, c.WAVHDG, depths, speeds, headings, 2), c.expected,
                    1e-5f);
    }
    // A profile of no levels: the surface current at every depth.
    EXPECT_NEAR(GET_VCX_LOC(25.0f, 3.0f, 30.0f, 90.0f, depths, speeds, headings, 0),
                3.0 * std::cos(60.0 * r), 1e-5);
}

// A uniform current of V knots (metric) along waves of heading 0 over a 20 m draft.
void uniform_current(float V) {
    TPCM.NUNTS = 1;
    TPCM.DRAFT = 20.0f;
    TPCM.CURSPD = V;
    TPCM.CURHDG = 0.0f;
    CURPROF.NCURNTPF = 0;
}

TEST_F(DragKernels, DepthResolvedKernelOfAStillHull) {
    // A hull at rest (no RAOs) in a uniform current V: the relative amplitude is the wave
    // velocity e^(k z), and with no reversal the integrand is 0.5 (X sigma omega)^2 e^(2 k z),
    // whose integral over the draft D is 0.5 (X sigma omega)^2 (1 - e^(-2 k D)) / (2 k).
    const float V = 2.0f, SIG0WV = 0.5f, WPK = 0.6f, K = 0.05f;
    uniform_current(V);
    const double amp = SIG0WV * WPK;
    const double integral = 0.5 * amp * amp * (1.0 - std::exp(-2.0 * K * 20.0)) / (2.0 * K);
    std::int32_t NDEPTHQ = 11;
    EXPECT_NEAR(SUB_SURF_DRAG_Z(1.0f, {}, {}, 0.0f, 0.0f, 0.0f, SIG0WV, WPK, K, NDEPTHQ), integral,
                1e-4 * integral);
    // The xi-integrals take the Gaussian moments of xi^3 and xi^3 (xi^2/2 - 1): both 2.
    EXPECT_NEAR(FCF_SUB_Z({}, {}, 0.0f, 0.0f, 27, 0.0f, SIG0WV, WPK, K, NDEPTHQ), 2.0 * integral,
                2e-3 * integral);
    EXPECT_NEAR(GISUB_Z({}, {}, 0.0f, 0.0f, 27, 0.0f, SIG0WV, WPK, K, NDEPTHQ), 2.0 * integral,
                3e-3 * integral);
    // A request above 31 depth points is lowered to 31, in the caller's variable too.
    NDEPTHQ = 40;
    const float at31 = SUB_SURF_DRAG_Z(1.0f, {}, {}, 0.0f, 0.0f, 0.0f, SIG0WV, WPK, K, NDEPTHQ);
    EXPECT_EQ(NDEPTHQ, 31);
    EXPECT_TRUE(std::isfinite(at31));
    EXPECT_NEAR(at31, integral, 1e-4 * integral);
    NDEPTHQ = 40;
    EXPECT_TRUE(std::isfinite(GISUB_Z({}, {}, 0.0f, 0.0f, 27, 0.0f, SIG0WV, WPK, K, NDEPTHQ)));
    EXPECT_EQ(NDEPTHQ, 31);
}

TEST_F(DragKernels, DepthResolvedKernelWithoutCurrentIsZero) {
    uniform_current(0.0f);
    std::int32_t NDEPTHQ = 11;
    const std::complex<float> H(0.3f, 0.1f), A(0.01f, -0.02f);
    EXPECT_EQ(SUB_SURF_DRAG_Z(2.0f, H, A, 0.4f, 5.0f, 0.0f, 1.0f, 0.6f, 0.05f, NDEPTHQ), 0.0f);
    EXPECT_EQ(FCF_SUB_Z(H, A, 0.4f, 5.0f, 27, 0.0f, 1.0f, 0.6f, 0.05f, NDEPTHQ), 0.0f);
    EXPECT_EQ(GISUB_Z(H, A, 0.4f, 5.0f, 27, 0.0f, 1.0f, 0.6f, 0.05f, NDEPTHQ), 0.0f);
    // The same with a current across the waves: of its component along them the single
    // precision cosine of 90 degrees leaves 4e-8, so the result is 0 to a few 1e-6.
    uniform_current(2.0f);
    EXPECT_NEAR(SUB_SURF_DRAG_Z(2.0f, H, A, 0.4f, 5.0f, 90.0f, 1.0f, 0.6f, 0.05f, NDEPTHQ), 0.0f,
                1e-5f);
}

TEST_F(DragKernels, DepthResolvedKernelAgainstTheCurrent) {
    // A current against the waves gives the negative of the same current with them, the drag
    // law reversing with its sign and the cycle mean even in the amplitude.
    uniform_current(1.0f);
    std::int32_t NDEPTHQ = 11;
    const float with = SUB_SURF_DRAG_Z(3.0f, {}, {}, 0.0f, 0.0f, 0.0f, 1.0f, 0.6f, 0.05f, NDEPTHQ);
    const float against =
        SUB_SURF_DRAG_Z(3.0f, {}, {}, 0.0f, 0.0f, 180.0f, 1.0f, 0.6f, 0.05f, NDEPTHQ);
    EXPECT_GT(with, 0.0f);
    EXPECT_NEAR(against, -with, 1e-5f * with);
}

} // namespace
} // namespace lintar
