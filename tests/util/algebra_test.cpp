// Tests of the vector, matrix and complex algebra.
#include "util/algebra.h"

#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <vector>

namespace lintar {
namespace {

using testing::ScriptedConsole;

// Column-major storage of a matrix written by rows, as the tests read it.
std::vector<float> by_columns(int rows, int columns, std::initializer_list<float> row_major) {
    std::vector<float> a(static_cast<std::size_t>(rows * columns));
    auto it = row_major.begin();
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < columns; ++j)
            a[static_cast<std::size_t>(i + j * rows)] = *it++;
    return a;
}

TEST(MatrixProducts, ColumnMajorWithExplicitDimensions) {
    // [[1, 2, 3], [4, 5, 6]] times (1, 0, -1).
    const auto A = by_columns(2, 3, {1, 2, 3, 4, 5, 6});
    const std::vector<float> B = {1, 0, -1};
    std::vector<float> R(2, 99.0f);
    GMPRD(A, B, R, 2, 3, 1);
    EXPECT_EQ(R, (std::vector<float>{-2, -2}));

    const std::vector<double> Ad(A.begin(), A.end());
    const std::vector<double> Bd = {1, 0, -1};
    std::vector<double> Rd(2);
    DGMPRD(Ad, Bd, Rd, 2, 3, 1);
    EXPECT_EQ(Rd, (std::vector<double>{-2, -2}));

    // transpose(A) (1, 1) = (5, 7, 9).
    std::vector<float> T(3);
    GTPRD(A, std::vector<float>{1, 1}, T, 2, 3, 1);
    EXPECT_EQ(T, (std::vector<float>{5, 7, 9}));
    std::vector<double> Td(3);
    DGTPRD(Ad, std::vector<double>{1, 1}, Td, 2, 3, 1);
    EXPECT_EQ(Td, (std::vector<double>{5, 7, 9}));

    // Complex operands: the real matrix multiplies both parts.
    const std::vector<Complex> C = {{1, 1}, {0, 2}, {-1, 0}};
    std::vector<Complex> RC(2);
    GMPDCX(A, C, RC, 2, 3, 1);
    EXPECT_EQ(RC[0], Complex(1 - 3, 1 + 4));
    EXPECT_EQ(RC[1], Complex(4 - 6, 4 + 10));
    std::vector<Complex> TC(3);
    GTPDCX(A, std::vector<Complex>{{1, 0}, {0, 1}}, TC, 2, 3, 1);
    EXPECT_EQ(TC[0], Complex(1, 4));
    EXPECT_EQ(TC[2], Complex(3, 6));
    const std::vector<Complex> CA = {{0, 1}, {2, 0}}; // 1 x 2: (i, 2)
    std::vector<Complex> RCC(1);
    CGMPRD(CA, std::vector<Complex>{{0, 1}, {1, 1}}, RCC, 1, 2, 1);
    EXPECT_EQ(RCC[0], Complex(-1 + 2, 2)); // i*i + 2(1 + i)
}

TEST(MatrixProducts, RotationTimesItsTransposeIsTheIdentity) {
    const float c = std::cos(0.7f);
    const float s = std::sin(0.7f);
    const auto Q = by_columns(3, 3, {c, -s, 0, s, c, 0, 0, 0, 1});
    std::vector<float> R(9);
    GTPRD(Q, Q, R, 3, 3, 3);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(R[static_cast<std::size_t>(i + 3 * j)], i == j ? 1.0f : 0.0f, 1e-6f);
}

TEST(SquareProducts, InputAndOutputMayBeTheSameVector) {
    const auto AM = by_columns(2, 2, {0, 1, 1, 0}); // swaps the two components
    std::vector<float> v = {3, 5};
    MATPRD(AM, v, v, 2, screen_unit);
    EXPECT_EQ(v, (std::vector<float>{5, 3}));
    std::vector<Complex> cv = {{1, 2}, {3, 4}};
    CMATPD(AM, cv, cv, 2, screen_unit);
    EXPECT_EQ(cv[0], Complex(3, 4));
    EXPECT_EQ(cv[1], Complex(1, 2));
}

TEST(SquareProducts, MoreThanSixDimensionsIsAnInternalErrorStop) {
    struct Case {
        const char* routine;
        std::function<void()> call;
    };
    const std::vector<float> AM(49), RI(7);
    std::vector<float> RO(7);
    const std::vector<Complex> CI(7);
    std::vector<Complex> CO(7);
    const Case cases[] = {
        {"MATPRD", [&] { MATPRD(AM, RI, RO, 7, screen_unit); }},
        {"CMATPD", [&] { CMATPD(AM, CI, CO, 7, screen_unit); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.routine);
        ScriptedConsole console("\n");
        EXPECT_EQ(testing::run_until_stop(c.call), StopKind::error);
        EXPECT_EQ(console.screen(), std::string(" Too many dimensions specified in ") + c.routine +
                                        "; contact Kelbrin\n Press <RETURN> to continue...\n");
    }
}

// Determinant by Gaussian elimination with partial pivoting in double precision: an
// implementation independent of MINV.
double determinant(std::vector<double> a, int n) {
    double det = 1.0;
    for (int k = 0; k < n; ++k) {
        int p = k;
        for (int i = k + 1; i < n; ++i)
            if (std::abs(a[i + k * n]) > std::abs(a[p + k * n]))
                p = i;
        if (p != k) {
            det = -det;
            for (int j = 0; j < n; ++j)
                std::swap(a[k + j * n], a[p + j * n]);
        }
        det *= a[k + k * n];
        for (int i = k + 1; i < n; ++i) {
            const double f = a[i + k * n] / a[k + k * n];
            for (int j = k; j < n; ++j)
                a[i + j * n] -= f * a[k + j * n];
        }
    }
    return det;
}

TEST(Minv, TwoByTwoInverseAndDeterminant) {
    auto A = by_columns(2, 2, {4, 3, 6, 3});
    std::vector<std::int32_t> L(2), M(2);
    float D = 0.0f;
    MINV(A, 2, D, L, M);
    EXPECT_FLOAT_EQ(D, -6.0f);
    const auto expected = by_columns(2, 2, {-0.5f, 0.5f, 1.0f, -2.0f / 3.0f});
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_NEAR(A[k], expected[k], 1e-6f) << "element " << k;

    std::vector<float> one = {2};
    MINV(one, 1, D, std::span(L).first(1), std::span(M).first(1));
    EXPECT_EQ(one[0], 0.5f);
    EXPECT_EQ(D, 2.0f);
}

TEST(Minv, TimesItsInverseIsTheIdentityUpToSixBySix) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<float> element(-1.0f, 1.0f);
    constexpr float tol = 2e-5f; // float elimination of a well-conditioned matrix: ~1e-6
    for (int n = 1; n <= 6; ++n) {
        for (int trial = 0; trial < 20; ++trial) {
            SCOPED_TRACE(::testing::Message() << n << " x " << n << ", trial " << trial);
            std::vector<float> A(static_cast<std::size_t>(n * n));
            for (auto& a : A)
                a = element(random);
            for (int i = 0; i < n; ++i) // diagonally dominant: well conditioned
                A[static_cast<std::size_t>(i + i * n)] += 2.0f * static_cast<float>(n);
            const std::vector<double> Ad(A.begin(), A.end());
            auto inverse = A;
            std::vector<std::int32_t> L(static_cast<std::size_t>(n)), M(L);
            float D = 0.0f;
            MINV(inverse, n, D, L, M);
            const double det = determinant(Ad, n);
            EXPECT_NEAR(D, det, 1e-5 * std::abs(det));
            for (int i = 0; i < n; ++i) {
                for (int j = 0; j < n; ++j) {
                    double sum = 0.0;
                    for (int k = 0; k < n; ++k)
                        sum += Ad[static_cast<std::size_t>(i + k * n)] *
                               inverse[static_cast<std::size_t>(k + j * n)];
                    EXPECT_NEAR(sum, i == j ? 1.0 : 0.0, tol) << "(" << i << ", " << j << ")";
                }
            }
        }
    }
}

TEST(Minv, SingularMatrixGivesZeroAndReturnsAtOnce) {
    // [[1, 2], [2, 4]]: stage 1 pivots on 4; stage 2 meets a zero pivot and returns with the
    // matrix as stage 1 left it, without the final exchanges.
    auto A = by_columns(2, 2, {1, 2, 2, 4});
    std::vector<std::int32_t> L(2), M(2);
    float D = 7.0f;
    MINV(A, 2, D, L, M);
    EXPECT_EQ(D, 0.0f);
    EXPECT_EQ(A, by_columns(2, 2, {0.25f, -0.5f, 0.5f, 0.0f}));

    std::vector<float> zero(9, 0.0f);
    std::vector<std::int32_t> L3(3), M3(3);
    MINV(zero, 3, D, L3, M3);
    EXPECT_EQ(D, 0.0f);
    EXPECT_EQ(zero, std::vector<float>(9, 0.0f));
}

TEST(SmallAlgebra, DeterminantsAndThreeVectors) {
    const float X[3] = {2, 0, 1}, Y[3] = {1, 3, 0}, Z[3] = {0, 1, 4};
    EXPECT_EQ(DETERM(X, Y, Z, 3), 2.0f * 12.0f - 0.0f + 1.0f * 1.0f);
    EXPECT_EQ(DETERM(X, Y, Z, 2), 6.0f);
    EXPECT_EQ(DETERM(X, Y, Z, 4), 0.0f);

    const float ex[3] = {1, 0, 0}, ey[3] = {0, 1, 0};
    float ez[3];
    XPROD(ex, ey, ez);
    EXPECT_EQ(std::vector<float>(ez, ez + 3), (std::vector<float>{0, 0, 1}));
    EXPECT_EQ(DOTP(X, Y), 2.0f);
    const double a[3] = {0.1, 0.2, 0.3}, b[3] = {3, 2, 1};
    EXPECT_DOUBLE_EQ(DDOTP(a, b), 0.3 + 0.4 + 0.3);

    const float v[3] = {3, 4, 0};
    EXPECT_EQ(VMOD(v), 5.0f);
    float u[3];
    UNITIZ(v, u);
    EXPECT_FLOAT_EQ(u[0], 0.6f);
    EXPECT_FLOAT_EQ(u[1], 0.8f);
    EXPECT_EQ(u[2], 0.0f);
    const float zero[3] = {0, 0, 0};
    UNITIZ(zero, u);
    EXPECT_EQ(std::vector<float>(u, u + 3), (std::vector<float>{1, 0, 0}));
    // The length of a vector this short is rounded in the subnormal range and comes out 1%
    // short; the component is held to -1.
    const float tiny[3] = {0, -1.00000009e-22f, 0};
    UNITIZ(tiny, u);
    EXPECT_EQ(u[1], -1.0f);
}

TEST(SmallAlgebra, PolarAndRectangularAnglesAreInverse) {
    float RMOD = -1, THETA = -1, PHI = -1;
    const float up[3] = {0, 0, 5};
    POLAR(up, RMOD, THETA, PHI);
    EXPECT_EQ(RMOD, 5.0f);
    EXPECT_EQ(THETA, 0.0f);
    EXPECT_EQ(PHI, 0.0f);
    const float zero[3] = {0, 0, 0};
    POLAR(zero, RMOD, THETA, PHI);
    EXPECT_EQ(RMOD, 0.0f);
    EXPECT_EQ(THETA, 0.0f);
    EXPECT_EQ(PHI, 0.0f);

    const float v[3] = {1, 1, std::numbers::sqrt2_v<float>};
    POLAR(v, RMOD, THETA, PHI);
    EXPECT_FLOAT_EQ(RMOD, 2.0f);
    EXPECT_FLOAT_EQ(THETA, std::numbers::pi_v<float> / 4);
    EXPECT_FLOAT_EQ(PHI, std::numbers::pi_v<float> / 4);
    float back[3];
    RCTNGL(THETA, PHI, back);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(back[i] * RMOD, v[i], 1e-6f);
}

TEST(ComplexAlgebra, VectorsModuliAndLimits) {
    const Complex CX[3] = {{1, 1}, {0, 2}, {3, 0}};
    const float RX[3] = {2, 1, -1};
    EXPECT_EQ(CXDOTP(CX, RX), Complex(2 - 3, 2 + 2));
    Complex COUT[3];
    CXPROD(RX, CX, COUT); // (1*3 - (-1)(2i), (-1)(1 + i) - 2*3, 2(2i) - 1(1 + i))
    EXPECT_EQ(COUT[0], Complex(3, 2));
    EXPECT_EQ(COUT[1], Complex(-7, -1));
    EXPECT_EQ(COUT[2], Complex(-1, 3));
    EXPECT_EQ(ABS2(Complex(3, 4)), 25.0f);
    EXPECT_FLOAT_EQ(CVMOD(CX), std::sqrt(2.0f + 4.0f + 9.0f));
    Complex unit[3];
    CUNITIZ(CX, unit);
    EXPECT_FLOAT_EQ(unit[2].real(), 3.0f / std::sqrt(15.0f));
    const Complex zero[3] = {};
    CUNITIZ(zero, unit);
    for (const auto& c : unit)
        EXPECT_EQ(c, Complex{});

    Complex c(-7, 9);
    CEXLIM(c, 5);
    EXPECT_EQ(c, Complex(-5, 9));
    CEXLIM(c, 6);
    EXPECT_EQ(c, Complex(-5, 9));
}

TEST(Coefficients, ClosedForms) {
    EXPECT_FLOAT_EQ(COFCLC(1, 1.0f, 1, 1), 1.0f);
    EXPECT_FLOAT_EQ(COFCLC(1, 2.0f / 3.0f, 1, 1), 0.5f); // a sphere's added-mass coefficient
    EXPECT_FLOAT_EQ(RECTCM(1.0f), 1.215488f);
    EXPECT_FLOAT_EQ(RECTCM(2.0f), 1.215488f * std::pow(2.0f, -0.14883f));

    // sqrt(pi) Gamma((n + 1) / 2) / Gamma(n / 2 + 1): pi/2 for n = 2.
    ScriptedConsole console;
    constexpr double tol = 5e-6; // two values of the gamma fit, each within ~2e-6
    EXPECT_NEAR(FACTRI(2.0f, screen_unit, keyboard_unit), std::numbers::pi / 2,
                tol * std::numbers::pi / 2);
    for (const float n : {0.5f, 1.0f, 4.0f, 10.0f, 30.0f}) {
        SCOPED_TRACE(n);
        const double expected =
            std::sqrt(std::numbers::pi) * std::tgamma((n + 1.0) / 2.0) / std::tgamma(n / 2.0 + 1.0);
        EXPECT_NEAR(FACTRI(n, screen_unit, keyboard_unit), expected, tol * expected);
    }
}

TEST(Coefficients, InvalidSpreadingIndexPausesAndStops) {
    ScriptedConsole console("\n");
    // Gamma((n + 1) / 2) fails at n = -1.
    EXPECT_EQ(testing::run_until_stop([] { FACTRI(-1.0f, screen_unit, keyboard_unit); }),
              StopKind::error);
    const std::string message =
        "\n ++> Invalid spreading index in FACTRI; reduce spreading index & retry\n\n";
    EXPECT_EQ(console.screen().substr(0, message.size()), message);
    EXPECT_NE(console.screen().find("Press <RETURN> to continue", message.size()),
              std::string::npos);
}

} // namespace
} // namespace lintar
