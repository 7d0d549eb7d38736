// Tests of the cubic splines and the fit of the compliance law to a stress-strain curve,
// against the textbook spline written independently in double precision
// (spline_reference.h).
#include "spline_reference.h"

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/stress_strain.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

// The routines work in four-byte reals: a sweep over 10 points keeps about 1e-6 of the
// largest second derivative, a value about 1e-6 of the curve's size. A wrong end condition or
// a shifted interval errs by 1e-2 or more.
constexpr double rel_tol = 2e-5;

std::vector<float> to_float(const std::vector<double>& v) {
    return {v.begin(), v.end()};
}
std::vector<double> to_double(const std::vector<float>& v) {
    return {v.begin(), v.end()};
}
double largest(const std::vector<double>& v) {
    double m = 0.0;
    for (const double a : v)
        m = std::max(m, std::abs(a));
    return m;
}

// A measured-looking stress-strain curve: uneven tensions, a stiffening then softening strain.
const std::vector<double> T_pts = {0.0,   50.0,  120.0, 200.0,  310.0,
                                   450.0, 600.0, 800.0, 1000.0, 1300.0};
const std::vector<double> E_pts = {0.0,    0.0062, 0.0131, 0.0196, 0.0270,
                                   0.0349, 0.0421, 0.0504, 0.0577, 0.0671};

struct EndCase {
    const char* name;
    float yp1, ypn;
    EndSlope first, last;
};

TEST(Splines, SecondDerivativesMatchTheTextbookSpline) {
    // The end slopes: natural (1e30), clamped, and 9.9e29, which is not above the threshold
    // and so clamps the end to that huge slope.
    const EndCase cases[] = {
        {"natural", natural_end, natural_end, {}, {}},
        {"clamped", 1.3e-4f, 2.5e-5f, {false, 1.3e-4}, {false, 2.5e-5}},
        {"natural start, clamped end", natural_end, 0.0f, {}, {false, 0.0}},
        {"threshold 9.9e29 clamps", 9.9e29f, natural_end, {false, double(9.9e29f)}, {}},
    };
    const std::vector<float> x = to_float(T_pts);
    const std::vector<float> y = to_float(E_pts);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto M = spline_second_derivatives(to_double(x), to_double(y), c.first, c.last);
        for (const bool curve_routine : {false, true}) {
            std::vector<float> y2(x.size());
            if (curve_routine)
                SPLINE2(x, y, 10, c.yp1, c.ypn, y2);
            else
                spline(x, y, 10, c.yp1, c.ypn, y2);
            for (std::size_t i = 0; i < x.size(); ++i)
                EXPECT_NEAR(y2[i], M[i], rel_tol * largest(M)) << "point " << i;
        }
    }
}

TEST(Splines, ValuesAndSlopesMatchTheTextbookSplineInsideAndOutside) {
    const std::vector<float> x = to_float(T_pts);
    const std::vector<float> y = to_float(E_pts);
    std::vector<float> y2(x.size());
    spline(x, y, 10, natural_end, natural_end, y2);
    const auto M = spline_second_derivatives(to_double(x), to_double(y), {}, {});
    // Points inside, on the nodes and outside (the end cubics extrapolate).
    for (const double at : {-100.0, 0.0, 25.0, 120.0, 333.3, 799.0, 1000.0, 1250.0, 1500.0}) {
        SCOPED_TRACE(at);
        const double value = spline_value(to_double(x), to_double(y), M, at);
        const double slope = spline_slope(to_double(x), to_double(y), M, at);
        const auto a = static_cast<float>(at);
        float s = 0.0f;
        splint(x, y, y2, 10, a, s);
        EXPECT_NEAR(s, value, rel_tol * 0.0671);
        EXPECT_NEAR(STRAIN_VAL(x, y, y2, 10, a), value, rel_tol * 0.0671);
        EXPECT_NEAR(STRAIN_SLOPE(x, y, y2, 10, a), slope, rel_tol * 1.3e-4);
    }
}

TEST(Splines, TwoVariableTablesMatchTheTextbookSplineAlongBothDirections) {
    // A table of 5 rows (x1) by 4 columns (x2) stored with the leading dimension 90, as one
    // line type's slice of the line tables.
    const std::vector<double> x1 = {0.0, 10.0, 25.0, 45.0, 70.0};
    const std::vector<double> x2 = {1.0, 2.0, 3.0, 4.0};
    const auto f = [](double a, double b) { return 100.0 + a * a / 20.0 + 7.0 * b + a * b / 9.0; };
    std::vector<float> ya(90 * 4, -1.0f);
    for (std::size_t j = 0; j < x1.size(); ++j)
        for (std::size_t k = 0; k < x2.size(); ++k)
            ya[k * 90 + j] = static_cast<float>(f(x1[j], x2[k]));
    std::vector<float> y2a(90 * 4, -7.0f);
    splie2(to_float(x1), to_float(x2), ya, 5, 4, y2a);

    for (std::size_t j = 0; j < x1.size(); ++j) {
        std::vector<double> row;
        for (std::size_t k = 0; k < x2.size(); ++k)
            row.push_back(ya[k * 90 + j]);
        const auto M = spline_second_derivatives(x2, row, {}, {});
        for (std::size_t k = 0; k < x2.size(); ++k)
            EXPECT_NEAR(y2a[k * 90 + j], M[k], 1e-4) << "row " << j << " column " << k;
    }
    EXPECT_EQ(y2a[5], -7.0f) << "rows beyond m are left alone";

    for (const auto [a, b] :
         {std::array{12.5, 1.5}, std::array{44.0, 3.9}, std::array{60.0, 2.0}}) {
        SCOPED_TRACE(::testing::Message() << a << ", " << b);
        std::vector<double> yy;
        for (std::size_t j = 0; j < x1.size(); ++j) {
            std::vector<double> row;
            for (std::size_t k = 0; k < x2.size(); ++k)
                row.push_back(ya[k * 90 + j]);
            yy.push_back(spline_value(x2, row, spline_second_derivatives(x2, row, {}, {}), b));
        }
        const double expected = spline_value(x1, yy, spline_second_derivatives(x1, yy, {}, {}), a);
        float y = 0.0f;
        splin2(to_float(x1), to_float(x2), ya, y2a, 5, 4, static_cast<float>(a),
               static_cast<float>(b), y);
        EXPECT_NEAR(y, expected, 2e-5 * expected);
    }
}

// splin2 skips the textbook's repeated work (one bracket for all rows, a partial back
// substitution); its value must stay bit for bit that of the plain composition of spline and
// splint, on a table of the size the force routines use (90 load points, 7 layers), inside,
// between and beyond the points.
TEST(Splines, TwoVariableValueIsExactlyThePlainComposition) {
    constexpr int m = 90;
    constexpr int n = 7;
    std::vector<float> x1(m), x2(n), ya(90 * n), y2a(90 * n);
    for (int j = 0; j < m; ++j)
        x1[static_cast<std::size_t>(j)] = 1.0f + 11.0f * std::pow(1.07f, static_cast<float>(j));
    for (int k = 0; k < n; ++k)
        x2[static_cast<std::size_t>(k)] = static_cast<float>(k + 1);
    for (int k = 0; k < n; ++k)
        for (int j = 0; j < m; ++j)
            ya[static_cast<std::size_t>(k * 90 + j)] =
                x1[static_cast<std::size_t>(j)] * (1.0f + 0.03f * static_cast<float>(k * k)) +
                std::sin(0.37f * static_cast<float>(j * (k + 2)));
    splie2(x1, x2, ya, m, n, y2a);

    for (const auto [a, b] :
         {std::array{0.5f, 0.7f}, std::array{12.0f, 1.0f}, std::array{300.0f, 3.25f},
          std::array{7000.0f, 6.9f}, std::array{9e3f, 7.4f}}) {
        SCOPED_TRACE(::testing::Message() << a << ", " << b);
        std::vector<float> row(n), row2(n), yy(m), yy2(m);
        for (int j = 0; j < m; ++j) {
            for (int k = 0; k < n; ++k) {
                row[static_cast<std::size_t>(k)] = ya[static_cast<std::size_t>(k * 90 + j)];
                row2[static_cast<std::size_t>(k)] = y2a[static_cast<std::size_t>(k * 90 + j)];
            }
            splint(x2, row, row2, n, b, yy[static_cast<std::size_t>(j)]);
        }
        spline(x1, yy, m, 1e30f, 1e30f, yy2);
        float plain = 0.0f;
        splint(x1, yy, yy2, m, a, plain);
        float y = 0.0f;
        splin2(x1, x2, ya, y2a, m, n, a, b, y);
        EXPECT_EQ(y, plain);
        // In two halves, as the force routines read one height for many loads.
        RowSpline rows;
        splin2_across(x1, x2, ya, y2a, m, n, b, rows);
        EXPECT_EQ(splin2_at(x1, rows, a), plain);
    }
}

TEST(Splines, EqualAbscissaeAreReportedAndTheEvaluationGoesOn) {
    ScriptedConsole console("\n");
    TPCM.EDUNIT = 6;
    // The bisection brackets 1.5 between the last two points, which are equal.
    const std::vector<float> x = {0.0f, 1.0f, 1.0f};
    const std::vector<float> y = {0.0f, 1.0f, 2.0f};
    const std::vector<float> y2(3, 0.0f);
    (void)STRAIN_VAL(x, y, y2, 3, 1.5f);
    EXPECT_EQ(console.screen(), "bad xa input in splint\n \n Press <RETURN> to continue: ");
}

// The fitted cubic a1 T + a2 T^2 + a3 T^3 and its slope.
double cubic(const std::array<float, 3>& a, double T) {
    return a[0] * T + a[1] * T * T + a[2] * T * T * T;
}
double cubic_slope(const std::array<float, 3>& a, double T) {
    return a[0] + 2.0 * a[1] * T + 3.0 * a[2] * T * T;
}

TEST(GetAlphas, ReproducesTheCurvesStrainAndSlopeAtTheTension) {
    const std::vector<float> x = to_float(T_pts);
    const std::vector<float> y = to_float(E_pts);
    std::vector<float> y2(x.size());
    SPLINE2(x, y, 10, natural_end, natural_end, y2);
    const auto M = spline_second_derivatives(to_double(x), to_double(y), {}, {});
    const double slope0 = spline_slope(to_double(x), to_double(y), M, 0.0);
    for (const double T : {30.0, 200.0, 555.0, 1299.0}) {
        SCOPED_TRACE(T);
        std::array<float, 3> a{};
        GET_ALPHAS(static_cast<float>(T), x, y, y2, 10, a);
        EXPECT_NEAR(cubic(a, T), spline_value(to_double(x), to_double(y), M, T), 1e-5 * 0.0671);
        EXPECT_NEAR(cubic_slope(a, T), spline_slope(to_double(x), to_double(y), M, T),
                    1e-4 * slope0);
        EXPECT_NEAR(a[0], slope0, 1e-5 * slope0);
    }
    // At zero tension only the linear law: the slope of the curve there.
    std::array<float, 3> a{9.0f, 9.0f, 9.0f};
    GET_ALPHAS(0.0f, x, y, y2, 10, a);
    EXPECT_NEAR(a[0], slope0, 1e-5 * slope0);
    EXPECT_EQ(a[1], 0.0f);
    EXPECT_EQ(a[2], 0.0f);
}

TEST(GetAlphas, AStraightCurveThroughTheOriginGivesTheLinearLaw) {
    const std::vector<float> x = {0.0f, 100.0f, 250.0f, 400.0f, 800.0f};
    std::vector<float> y;
    for (const float T : x)
        y.push_back(4.0e-5f * T);
    std::vector<float> y2(x.size());
    SPLINE2(x, y, 5, natural_end, natural_end, y2);
    std::array<float, 3> a{};
    GET_ALPHAS(321.0f, x, y, y2, 5, a);
    // Up to the rounding of four-byte reals: 1e-6 of the compliance.
    EXPECT_NEAR(a[0], 4.0e-5, 4e-11);
    EXPECT_NEAR(a[1] * 321.0, 0.0, 4e-11);
    EXPECT_NEAR(a[2] * 321.0 * 321.0, 0.0, 4e-11);
}

} // namespace
} // namespace lintar
