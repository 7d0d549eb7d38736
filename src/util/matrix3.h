// util/matrix3.h: the small 3 x 3 kit of the force and stiffness routines: matrices stored by
// columns (entry (i, j) at (j - 1) x 3 + i - 1, as the program's arrays are), vectors, their
// products, the turns about the vertical axis and about a unit axis, and the plan angle of a
// vector. In the precision of the caller (float or double); every sum runs in the order written,
// so a routine gives the same bits whichever of its callers it serves.
#pragma once

#include "blocks/block_support.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace lintar {

template <class Real> using Matrix3 = std::array<Real, 9>;
template <class Real> using Vector3 = std::array<Real, 3>;

template <class Real> constexpr Matrix3<Real> identity_matrix3() {
    return {Real(1), Real(0), Real(0), Real(0), Real(1), Real(0), Real(0), Real(0), Real(1)};
}

// Entry (i, j), both 1 to 3.
template <class Real> Real& at(Matrix3<Real>& A, int i, int j) {
    return A[col_major(i, 3, j, 3)];
}
template <class Real> Real at(const Matrix3<Real>& A, int i, int j) {
    return A[col_major(i, 3, j, 3)];
}

// A B.
template <class Real> Matrix3<Real> product(const Matrix3<Real>& A, const Matrix3<Real>& B) {
    Matrix3<Real> R{};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) {
            Real s = Real(0);
            for (int k = 1; k <= 3; ++k)
                s += at(A, i, k) * at(B, k, j);
            at(R, i, j) = s;
        }
    return R;
}

// A^T.
template <class Real> Matrix3<Real> transposed(const Matrix3<Real>& A) {
    Matrix3<Real> R{};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            at(R, i, j) = at(A, j, i);
    return R;
}

// A x.
template <class Real> Vector3<Real> times(const Matrix3<Real>& A, const Vector3<Real>& x) {
    Vector3<Real> r{};
    for (int i = 1; i <= 3; ++i)
        r[slot(i)] = at(A, i, 1) * x[0] + at(A, i, 2) * x[1] + at(A, i, 3) * x[2];
    return r;
}

// A^T x.
template <class Real> Vector3<Real> times_t(const Matrix3<Real>& A, const Vector3<Real>& x) {
    Vector3<Real> r{};
    for (int j = 1; j <= 3; ++j)
        r[slot(j)] = at(A, 1, j) * x[0] + at(A, 2, j) * x[1] + at(A, 3, j) * x[2];
    return r;
}

template <class Real> Vector3<Real> cross(const Vector3<Real>& a, const Vector3<Real>& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

template <class Real> Real dot(const Vector3<Real>& a, const Vector3<Real>& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// The turn by ANGLE about the vertical axis: rows (c, -s, 0), (s, c, 0), (0, 0, 1).
template <class Real> Matrix3<Real> turn_about_z(Real angle) {
    Matrix3<Real> Z = identity_matrix3<Real>();
    at(Z, 1, 1) = std::cos(angle);
    at(Z, 1, 2) = -std::sin(angle);
    at(Z, 2, 1) = std::sin(angle);
    at(Z, 2, 2) = std::cos(angle);
    return Z;
}

// The plan angle of the vector (x, y): atan2, and 0 for the zero vector (also for -0 in x,
// where atan2 would give pi).
template <class Real> Real plane_angle(Real y, Real x) {
    return (x == Real(0) && y == Real(0)) ? Real(0) : std::atan2(y, x);
}

// The finite turn by ANGLE (radians) about the unit AXIS: the frame ROTVO whose rows are the
// directions of growing polar angle THETA and azimuth PHI of the axis and the axis itself (it
// takes the axis to the vertical), the turn ZROTL by ANGLE about the vertical, and
// R = ROTVO^T ZROTL ROTVO.
template <class Real> struct AxisTurn { Matrix3<Real> ROTVO{}, ZROTL{}, R{}; };
template <class Real> AxisTurn<Real> turn_about_axis(const Vector3<Real>& axis, Real angle) {
    // A unit axis rounded just past 1 must not make the polar angle NaN.
    const Real THETA = std::acos(std::clamp(axis[2], Real(-1), Real(1)));
    const Real PHI = plane_angle(axis[1], axis[0]);
    AxisTurn<Real> turn;
    turn.ZROTL = turn_about_z(angle);
    Matrix3<Real>& V = turn.ROTVO;
    at(V, 1, 1) = std::cos(THETA) * std::cos(PHI);
    at(V, 1, 2) = std::cos(THETA) * std::sin(PHI);
    at(V, 1, 3) = -std::sin(THETA);
    at(V, 2, 1) = -std::sin(PHI);
    at(V, 2, 2) = std::cos(PHI);
    at(V, 2, 3) = Real(0);
    at(V, 3, 1) = std::sin(THETA) * std::cos(PHI);
    at(V, 3, 2) = std::sin(THETA) * std::sin(PHI);
    at(V, 3, 3) = std::cos(THETA);
    turn.R = product(transposed(V), product(turn.ZROTL, V));
    return turn;
}

} // namespace lintar
