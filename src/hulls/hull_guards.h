// hulls/hull_guards.h: the guard of the hull models against a vanishing divisor.
#pragma once

#include <complex>

namespace lintar {

// A denominator of smaller magnitude than this is treated as zero: a transfer function at an
// undamped resonance, an added-mass or damping term at a zero encounter frequency.
inline constexpr float zero_divisor_guard = 1.0e-10f;

// A complex divisor kept away from zero: one of magnitude below the guard becomes the guard on
// the real axis, so the quotient stays finite (large, but no infinity and no NaN).
inline std::complex<float> guarded_divisor(std::complex<float> d) {
    return std::abs(d) < zero_divisor_guard ? std::complex<float>(zero_divisor_guard, 0.0f) : d;
}

} // namespace lintar
