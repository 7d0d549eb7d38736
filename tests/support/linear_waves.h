// support/linear_waves.h: the linear-wave dispersion relation solved independently of the
// program, in double precision.
#pragma once

#include <cmath>

namespace lintar::testing {

// The wave number k of w^2 = g k tanh kd by Newton's method from the deep-water value.
inline double linear_wave_number(double w, double d, double g) {
    double k = w * w / g;
    for (int i = 0; i < 60; ++i) {
        const double f = g * k * std::tanh(k * d) - w * w;
        const double df = g * std::tanh(k * d) + g * k * d / std::pow(std::cosh(k * d), 2);
        k -= f / df;
    }
    return k;
}

} // namespace lintar::testing
