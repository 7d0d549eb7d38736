// Tests of the compliance-law curve fit: the least-squares fit, the determinant, the dialogue.
#include "mooring_pages/curve_fit.h"
#include "support/console.h"

#include "runtime/units.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::ScriptedConsole;

TEST(Detrm, ColumnInterchangeAndSingularMatrices) {
    std::array<double, 400> m{};
    const auto set = [&](int j, int k, double v) {
        m[static_cast<std::size_t>(j - 1 + 20 * (k - 1))] = v;
    };
    set(1, 1, 0), set(1, 2, 1), set(2, 1, 1), set(2, 2, 0);
    EXPECT_EQ(DETRM(m, 2), -1.0f);
    m = {};
    // [[2,0,1],[1,3,2],[1,1,1]]: 2(3-2) - 0 + 1(1-3) = 0
    set(1, 1, 2), set(1, 3, 1), set(2, 1, 1), set(2, 2, 3), set(2, 3, 2), set(3, 1, 1),
        set(3, 2, 1), set(3, 3, 1);
    EXPECT_NEAR(DETRM(m, 3), 0.0f, 1e-6f);
    m = {};
    // [[4,3],[6,3]]: -6
    set(1, 1, 4), set(1, 2, 3), set(2, 1, 6), set(2, 2, 3);
    EXPECT_FLOAT_EQ(DETRM(m, 2), -6.0f);
}

TEST(Polfit, RecoversExactPolynomials) {
    struct Case {
        const char* name;
        std::int32_t mode;
        std::vector<float> x, y;
        std::array<float, 3> a;
    };
    const Case cases[] = {
        {"constant compliance, unweighted",
         0,
         {10, 20, 30, 40},
         {0.01f, 0.01f, 0.01f, 0.01f},
         {0.01f, 0, 0}},
        {"quadratic, unweighted", 0, {0, 1, 2, 3, 4}, {1, 6, 17, 34, 57}, {1, 2, 3}},
        {"quadratic, weighted by 1/y", -1, {0, 1, 2, 3, 4}, {1, 6, 17, 34, 57}, {1, 2, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::array<float, 20> a{};
        std::array<float, 20> sigma{};
        float chisqr = -1;
        POLFIT(c.x, c.y, sigma, static_cast<std::int32_t>(c.x.size()), 3, c.mode, a, chisqr);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(a[static_cast<std::size_t>(k)], c.a[static_cast<std::size_t>(k)],
                        2e-4f * (1.0f + std::abs(c.a[static_cast<std::size_t>(k)])));
        EXPECT_NEAR(chisqr, 0.0f, 1e-3f);
    }
}

TEST(Polfit, ChiSquareOfAnInexactFit) {
    // A straight line through four points that do not lie on one: the residual sum computed
    // here from the normal-equation solution of a two-term fit, one degree of freedom short.
    const std::vector<float> x = {0, 1, 2, 3}, y = {1, 3, 2, 5};
    std::array<float, 20> a{}, sigma{};
    float chisqr = 0;
    POLFIT(x, y, sigma, 4, 2, 0, a, chisqr);
    // Least squares by hand: slope 1.1, intercept 1.1; residuals -0.1, 0.8, -1.3, 0.6.
    EXPECT_NEAR(a[0], 1.1f, 1e-5f);
    EXPECT_NEAR(a[1], 1.1f, 1e-5f);
    EXPECT_NEAR(chisqr, (0.01f + 0.64f + 1.69f + 0.36f) / 2.0f, 1e-4f);
    EXPECT_TRUE(POLFIT(x, y, sigma, 4, 2, 0, a, chisqr));
    // Singular normal equations (every point at one abscissa): no fit, the coefficients kept.
    const std::vector<float> same = {2, 2, 2, 2};
    a = {5, 6, 7};
    EXPECT_FALSE(POLFIT(same, y, sigma, 4, 3, 0, a, chisqr));
    EXPECT_EQ(a[0], 5.0f);
    EXPECT_EQ(a[1], 6.0f);
    EXPECT_EQ(a[2], 7.0f);
    EXPECT_EQ(chisqr, 0.0f);
}

const std::string fit_keys = "4\n"                        // the count
                             "1\n10\n20\n30\n40\n\n"      // tensions
                             "1\n0.1\n0.2\n0.3\n0.4\n\n"; // elongations

TEST(Fitcrv, FitsTheCompliance) {
    ScriptedConsole console(fit_keys + "\n");
    std::array<float, 20> a{};
    FITCRV(a, screen_unit, keyboard_unit);
    EXPECT_NEAR(a[0], 0.01f, 1e-6f);
    EXPECT_NEAR(a[1], 0.0f, 1e-7f);
    EXPECT_NEAR(a[2], 0.0f, 1e-9f);
    const std::string screen = console.screen();
    EXPECT_NE(screen.find("\n Enter number of data points (max 20, min 4; -1 to abort): "),
              std::string::npos);
    EXPECT_NE(
        screen.find(" -->> Array input for NONZERO Tension values (a point at [0,0] is ASSUMED)\n\n"
                    "  1)      10.0000\n  2)      20.0000\n"),
        std::string::npos);
    EXPECT_NE(screen.find(" Curve fit will be unweighted; to CHANGE weighting method,\n"
                          " enter \"C\"; otherwise press <Return> to continue:"),
              std::string::npos);
}

// The least-squares quadratic of y against x with weights w, solved here from its normal
// equations by Gaussian elimination in double precision.
std::array<double, 3> normal_equation_fit(const std::vector<double>& x,
                                          const std::vector<double>& y,
                                          const std::vector<double>& w) {
    double m[3][4] = {};
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double p[3] = {1.0, x[i], x[i] * x[i]};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c)
                m[r][c] += w[i] * p[r] * p[c];
            m[r][3] += w[i] * p[r] * y[i];
        }
    }
    for (int k = 0; k < 3; ++k)
        for (int r = k + 1; r < 3; ++r) {
            const double f = m[r][k] / m[k][k];
            for (int c = k; c < 4; ++c)
                m[r][c] -= f * m[k][c];
        }
    std::array<double, 3> a{};
    for (int r = 2; r >= 0; --r) {
        double sum = m[r][3];
        for (int c = r + 1; c < 3; ++c)
            sum -= m[r][c] * a[static_cast<std::size_t>(c)];
        a[static_cast<std::size_t>(r)] = sum / m[r][r];
    }
    return a;
}

TEST(Fitcrv, FitsMeasuredPointsInTheLeastSquaresSense) {
    // Four measured points of a synthetic rope: no cubic law through the origin passes
    // through all of them, so the fit is a least-squares one, unweighted and then weighted
    // by 1/(elongation per unit tension).
    const std::vector<double> tension = {50, 100, 150, 200};
    const std::vector<double> elongation = {0.012, 0.021, 0.031, 0.034};
    std::vector<double> yp;
    for (std::size_t i = 0; i < tension.size(); ++i)
        yp.push_back(elongation[i] / tension[i]);
    const std::string keys = "4\n1\n50\n100\n150\n200\n\n1\n0.012\n0.021\n0.031\n0.034\n\n";
    struct Case {
        const char* name;
        std::string weighting_keys;
        std::vector<double> weight;
    };
    std::vector<double> by_slope;
    for (const double v : yp)
        by_slope.push_back(1.0 / v);
    const Case cases[] = {{"unweighted", "\n", {1, 1, 1, 1}}, {"weighted", "c\n\n", by_slope}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console(keys + c.weighting_keys);
        std::array<float, 20> a{};
        FITCRV(a, screen_unit, keyboard_unit);
        const auto expected = normal_equation_fit(tension, yp, c.weight);
        // The determinants are carried in single precision: a few parts in a million.
        constexpr double rel_tol = 2e-5;
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_NEAR(a[k], expected[k], rel_tol * std::abs(expected[k]));
        // The fit misses the points: it is not an interpolation.
        EXPECT_GT(std::abs(a[0] + a[1] * 100 + a[2] * 100 * 100 - yp[1]), 1e-7);
    }
}

TEST(Fitcrv, PointsThatDetermineNoLawKeepTheCoefficients) {
    // Every tension the same: the normal equations are singular.
    ScriptedConsole console("4\n1\n10\n10\n10\n10\n\n1\n0.1\n0.2\n0.3\n0.4\n\n\n\n");
    std::array<float, 20> a{};
    a = {0.004f, -2e-6f, 1e-9f};
    FITCRV(a, screen_unit, keyboard_unit);
    EXPECT_EQ(a[0], 0.004f);
    EXPECT_EQ(a[1], -2e-6f);
    EXPECT_EQ(a[2], 1e-9f);
    EXPECT_NE(console.screen().find(
                  "continue: ++> Curve fit failed: the points do not determine the compliance "
                  "law.\n"
                  " \n Press <RETURN> to continue: "),
              std::string::npos);
}

TEST(Fitcrv, AbortKeepsTheCoefficients) {
    for (const std::string answer : {"-1", "0"}) {
        ScriptedConsole console(answer + "\n");
        std::array<float, 20> a{};
        a[0] = 7;
        FITCRV(a, screen_unit, keyboard_unit);
        EXPECT_EQ(a[0], 7.0f);
    }
}

TEST(Fitcrv, TooFewPointsZeroPointsAndTheWeightingChoice) {
    ScriptedConsole console("3\n4\n1\n10\n0\n30\n40\n\n1\n0.1\n0.2\n0.3\n0.4\n\n"
                            "4\n2\n20\n\n\n\n" // re-entered: the zero tension fixed
                            "c\n\n");          // weighting flipped, then go on
    std::array<float, 20> a{};
    FITCRV(a, screen_unit, keyboard_unit);
    const std::string screen = console.screen();
    EXPECT_NE(screen.find(" A tension or elongation of zero is not allowed;\n"
                          " a point at (0,0) is ASSUMED! - reenter arrays\n"),
              std::string::npos);
    EXPECT_NE(screen.find(" Curve fit will be weighted by 1/elongation;"), std::string::npos);
    EXPECT_NEAR(a[0], 0.01f, 1e-6f);
}

TEST(Arayin, IndexBeyondTheArrayEditsTheLastEntry) {
    ScriptedConsole console("25\n9\n\n");
    std::vector<float> values(20, 1.0f);
    std::int32_t itemp = 0;
    ARAYIN(20, 20, screen_unit, keyboard_unit, values, itemp, "x");
    EXPECT_EQ(values[19], 9.0f);
    EXPECT_EQ(values[18], 1.0f);
    EXPECT_EQ(itemp, 0);
    EXPECT_NE(console.screen().find("  1)       1.0000  16)       1.0000\n"), std::string::npos);
}

} // namespace
} // namespace lintar
