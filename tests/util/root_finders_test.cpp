// Tests of the root finder, the bracketing table search, Romberg quadrature and the arc cosine.
#include "util/root_finders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace lintar {
namespace {

// The result of one root search, with the number of function evaluations it took.
struct Search {
    float X = -99.0f;
    float F = -99.0f;
    std::int32_t IER = -9;
    int calls = 0;
};

template <class Fct>
Search search(Fct fct, float XLI, float XRI, float EPSX = 1e-6f, float EPSF = 0.0f,
              std::int32_t IEND = 50) {
    Search s;
    RTMI1(
        s.X, s.F,
        [&](float x) {
            ++s.calls;
            return fct(x);
        },
        XLI, XRI, EPSX, EPSF, IEND, s.IER);
    return s;
}

TEST(Rtmi1, ConvergesToTheRoot) {
    // EPSX 1e-6 bounds the last step (relative above 1). At a triple root the interpolation
    // converges only linearly, so its last step understates the error.
    struct Case {
        const char* name;
        float (*f)(float);
        float XLI, XRI;
        double root;
        double tol = 1e-6;
    };
    const Case cases[] = {
        {"x^3 - 2", [](float x) { return x * x * x - 2.0f; }, 0.0f, 2.0f, std::cbrt(2.0)},
        {"x - 2", [](float x) { return x - 2.0f; }, 0.0f, 5.0f, 2.0},
        {"cosh x - 2, bracket given right to left", [](float x) { return std::cosh(x) - 2.0f; },
         3.0f, 0.0f, std::acosh(2.0)},
        {"exp(-x) - x", [](float x) { return std::exp(-x) - x; }, -1.0f, 10.0f,
         0.5671432904097838}, // the omega constant
        {"(x - 1)^3, flat at the root", [](float x) { return (x - 1) * (x - 1) * (x - 1); }, -3.0f,
         2.0f, 1.0, 1e-5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto s = search(c.f, c.XLI, c.XRI);
        EXPECT_EQ(s.IER, 0);
        EXPECT_NEAR(s.X, c.root, c.tol * std::max(1.0, std::abs(c.root)));
        EXPECT_EQ(s.F, c.f(s.X)); // F is the value at the returned point
    }
    // A tight EPSF keeps the search going until the function is small too.
    const auto s = search([](float x) { return x * x * x - 2.0f; }, 0.0f, 2.0f, 1e-6f, 1e-6f);
    EXPECT_EQ(s.IER, 0);
    EXPECT_NEAR(s.X, std::cbrt(2.0), 1e-6);
    EXPECT_LE(std::abs(s.F), 1e-6f);
}

TEST(Rtmi1, ExactZerosAndMissingBracketsReturnAtOnce) {
    // A zero at the left end: one evaluation.
    auto s = search([](float x) { return x - 1.0f; }, 1.0f, 3.0f);
    EXPECT_EQ(s.IER, 0);
    EXPECT_EQ(s.X, 1.0f);
    EXPECT_EQ(s.calls, 1);
    // At the right end: two.
    s = search([](float x) { return x - 3.0f; }, 1.0f, 3.0f);
    EXPECT_EQ(s.X, 3.0f);
    EXPECT_EQ(s.calls, 2);
    // At the first midpoint: three.
    s = search([](float x) { return x; }, -1.0f, 1.0f);
    EXPECT_EQ(s.IER, 0);
    EXPECT_EQ(s.X, 0.0f);
    EXPECT_EQ(s.F, 0.0f);
    EXPECT_EQ(s.calls, 3);
    // No sign change: IER 2 after the two end values, X the right end.
    s = search([](float x) { return x * x + 1.0f; }, -1.0f, 1.0f);
    EXPECT_EQ(s.IER, 2);
    EXPECT_EQ(s.calls, 2);
    EXPECT_EQ(s.X, 1.0f);
    EXPECT_EQ(s.F, 2.0f);
}

TEST(Rtmi1, IterationLimitReturnsTheBetterEnd) {
    // One bisection step per outer iteration cannot shrink [0, 1] to 1e-7.
    const auto f = [](float x) { return std::atan(50.0f * (x - 0.3f)); };
    const auto s = search(f, 0.0f, 1.0f, 1e-7f, 0.0f, 1);
    EXPECT_EQ(s.IER, 1);
    EXPECT_GE(s.X, 0.0f);
    EXPECT_LE(s.X, 1.0f);
    EXPECT_EQ(s.F, f(s.X));
    EXPECT_LT(s.calls, 10);
}

TEST(Rtmi1, DoublePrecisionFunctionsAndNestedSearches) {
    float X = 0.0f, F = 0.0f;
    std::int32_t IER = -9;
    RTMI1D(
        X, F, [](float x) { return static_cast<double>(x) * x - 2.0; }, 0.0f, 2.0f, 1e-6f, 0.0f, 50,
        IER);
    EXPECT_EQ(IER, 0);
    EXPECT_NEAR(X, std::numbers::sqrt2, 2e-6);

    // The outer function solves y^2 = x for y with a search of its own; the outer search finds
    // the x where y = 1.5, that is 2.25.
    const auto inner_root = [](float x) {
        float Y = 0.0f, FY = 0.0f;
        std::int32_t IERY = -9;
        RTMI2(
            Y, FY, [x](float y) { return y * y - x; }, 0.0f, 10.0f, 1e-7f, 0.0f, 50, IERY);
        return Y;
    };
    RTMI1(
        X, F, [&](float x) { return inner_root(x) - 1.5f; }, 0.5f, 8.0f, 1e-6f, 0.0f, 50, IER);
    EXPECT_EQ(IER, 0);
    EXPECT_NEAR(X, 2.25, 1e-5);
    // The other way round, as the heading scan runs RTMI2 on a moment whose evaluation solves a
    // turret angle with RTMI1: the inner search cos(t) = x / 4 inside the outer t(x) = 1.
    const auto turret_like = [](float x) {
        float T = 0.0f, FT = 0.0f;
        std::int32_t IERT = -9;
        RTMI1(
            T, FT, [x](float t) { return std::cos(t) - 0.25f * x; }, 0.0f, 3.0f, 1e-7f, 0.0f, 50,
            IERT);
        return T - 1.0f;
    };
    RTMI2(X, F, turret_like, 0.0f, 3.9f, 1e-6f, 0.0f, 50, IER);
    EXPECT_EQ(IER, 0);
    EXPECT_NEAR(X, 4.0 * std::cos(1.0), 1e-5);
    RTMI2D(
        X, F, [](float x) { return std::log(static_cast<double>(x)); }, 0.5f, 4.0f, 1e-6f, 0.0f, 50,
        IER);
    EXPECT_EQ(IER, 0);
    EXPECT_NEAR(X, 1.0, 1e-6);
}

TEST(Brackt, FirstBracketingIntervalOfAnyTable) {
    struct Case {
        const char* name;
        std::vector<float> W;
        float WP;
        std::int32_t IER, MIN;
    };
    const Case cases[] = {
        {"first interval wins", {1, 3, 2}, 2.5f, 0, 1},
        {"falling interval", {5, 4, 3}, 3.5f, 0, 2},
        {"below", {1, 3, 2}, 0.5f, 1, 0},
        {"above", {1, 3, 2}, 4.0f, 2, 0},
        {"last entry of a falling table", {3, 2, 1}, 1.0f, 0, 3},
        {"last entry of a rising table is the maximum", {1, 2, 3}, 3.0f, 0, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::int32_t IER = -9, MIN = 0;
        BRACKT(c.W, c.WP, IER, MIN, 1, static_cast<std::int32_t>(c.W.size()));
        EXPECT_EQ(IER, c.IER);
        EXPECT_EQ(MIN, c.MIN);
    }
    // Entries past NUPPER are not searched.
    std::int32_t IER = -9, MIN = 42;
    BRACKT(std::vector<float>{0, 5, 0, 9}, 9.0f, IER, MIN, 1, 3);
    EXPECT_EQ(IER, 2);
    // A sub-range of the table, and a range of one entry classified against it alone.
    BRACKT(std::vector<float>{9, 9, 1, 2, 9}, 1.5f, IER, MIN, 3, 4);
    EXPECT_EQ(IER, 0);
    EXPECT_EQ(MIN, 3);
    MIN = 42;
    BRACKT(std::vector<float>{9, 4}, 4.0f, IER, MIN, 2, 2);
    EXPECT_EQ(IER, 0);
    EXPECT_EQ(MIN, 2);
}

struct Quadrature {
    float Y = -99.0f;
    std::int32_t IER = -9;
    int calls = 0;
};

template <class Fct>
Quadrature integrate(Fct fct, float XL, float XU, float EPS, std::int32_t NDIM) {
    Quadrature q;
    std::vector<float> AUX(static_cast<std::size_t>(std::max(NDIM, 1)));
    QATR(
        XL, XU, EPS, NDIM,
        [&](float x) {
            ++q.calls;
            return fct(x);
        },
        q.Y, q.IER, AUX);
    return q;
}

TEST(Qatr, RombergIntegrals) {
    const auto square = [](float x) { return x * x; };
    auto q = integrate(square, 0.0f, 1.0f, 1e-6f, 10);
    EXPECT_EQ(q.IER, 0);
    EXPECT_FLOAT_EQ(q.Y, 1.0f / 3.0f);
    EXPECT_EQ(q.calls, 2 + 1 + 2 + 4 + 8); // accepted at the fifth level, the earliest test

    q = integrate([](float x) { return std::sin(x); }, 0.0f, std::numbers::pi_v<float>, 1e-6f, 12);
    EXPECT_EQ(q.IER, 0);
    EXPECT_NEAR(q.Y, 2.0, 2e-6);

    q = integrate([](float x) { return std::exp(x); }, 2.0f, 0.0f, 1e-5f, 12); // reversed limits
    EXPECT_EQ(q.IER, 0);
    EXPECT_NEAR(q.Y, 1.0 - std::exp(2.0), 1e-5);
}

TEST(Qatr, ResultCodes) {
    const auto square = [](float x) { return x * x; };
    auto q = integrate(square, 0.0f, 1.0f, 1e-6f, 1); // one level: the one-panel trapezoid
    EXPECT_EQ(q.IER, 2);
    EXPECT_EQ(q.Y, 0.5f);
    q = integrate(square, 0.0f, 1.0f, 1e-6f, 3); // too few levels to reach the test
    EXPECT_EQ(q.IER, 2);
    EXPECT_FLOAT_EQ(q.Y, 1.0f / 3.0f);
    q = integrate(square, 2.0f, 2.0f, 1e-6f, 10);
    EXPECT_EQ(q.IER, 0);
    EXPECT_EQ(q.Y, 0.0f);
    // A tolerance below single-precision rounding: the improvement stalls (IER 1) or the
    // levels run out (IER 2); either way the value is the integral to rounding.
    q = integrate([](float x) { return std::sqrt(x); }, 0.0f, 1.0f, 1e-12f, 20);
    EXPECT_NE(q.IER, 0);
    EXPECT_NEAR(q.Y, 2.0 / 3.0, 1e-3);
}

TEST(Arccos, RadiansFromZeroToPi) {
    EXPECT_EQ(ARCCOS(0.0f), 1.5707964f);
    EXPECT_EQ(ARCCOS(1.0f), 0.0f);
    EXPECT_FLOAT_EQ(ARCCOS(-1.0f), std::numbers::pi_v<float>);
    EXPECT_FLOAT_EQ(ARCCOS(0.5f), std::numbers::pi_v<float> / 3.0f);
    EXPECT_FLOAT_EQ(ARCCOS(-0.5f), 2.0f * std::numbers::pi_v<float> / 3.0f);
}

} // namespace
} // namespace lintar
