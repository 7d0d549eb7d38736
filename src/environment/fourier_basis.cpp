// environment/fourier_basis.cpp: the Fourier basis, the series evaluators and the projected
// areas of the directional load coefficients.
#include "environment/fourier_basis.h"

#include "blocks/sines.h"
#include "runtime/assert.h"
#include "util/angles.h"

#include <cmath>
#include <cstddef>

namespace lintar {

namespace {

// Column IXYZ (1-based) of a family of coefficient sets.
std::span<const float> component(std::span<const float> family, std::int32_t IXYZ) {
    const auto first = static_cast<std::size_t>(fourier_terms) * slot(IXYZ);
    LINTAR_ASSERT(IXYZ >= 1 && first + fourier_terms <= family.size(), "coefficient component");
    return family.subspan(first, fourier_terms);
}

float series(std::span<const float> family, std::int32_t IXYZ) {
    const std::span<const float> A = component(family, IXYZ);
    return IXYZ == 1 ? CCOF(A) : SCOF(A);
}

} // namespace

void TRIGLD(float THETA) {
    SinesBlock& B = SINES;
    const float S1 = std::sin(THETA);
    const float C1 = std::cos(THETA);
    const float S2 = 2.0f * S1 * C1;
    const float C2 = C1 * C1 - S1 * S1;
    const float S3 = C1 * S2 + S1 * C2;
    const float C3 = C1 * C2 - S1 * S2;
    const float S4 = 2.0f * S2 * C2;
    const float C4 = C2 * C2 - S2 * S2;
    const float S5 = C1 * S4 + S1 * C4;
    const float C5 = C1 * C4 - S1 * S4;
    const float S6 = 2.0f * S3 * C3;
    const float C6 = C3 * C3 - S3 * S3;
    const float S7 = S4 * C3 + C4 * S3;
    const float C7 = C4 * C3 - S4 * S3;
    const float S8 = 2.0f * S4 * C4;
    const float C8 = C4 * C4 - S4 * S4;
    const float S9 = C4 * S5 + S4 * C5;
    const float C9 = C4 * C5 - S4 * S5;
    const float S10 = 2.0f * S5 * C5;
    const float C10 = C5 * C5 - S5 * S5;
    const float sines[10] = {S1, S2, S3, S4, S5, S6, S7, S8, S9, S10};
    const float cosines[10] = {C1, C2, C3, C4, C5, C6, C7, C8, C9, C10};
    for (int k = 1; k <= 10; ++k) {
        B.S(k) = sines[slot(k)];
        B.C(k) = cosines[slot(k)];
    }
}

float CCOF(std::span<const float> A) {
    LINTAR_ASSERT(A.size() >= 11, "cosine series of 11 terms");
    float sum = A[0];
    for (int k = 1; k <= 10; ++k)
        sum += A[static_cast<std::size_t>(k)] * SINES.C(k);
    return sum;
}

float SCOF(std::span<const float> A) {
    LINTAR_ASSERT(A.size() >= 10, "sine series of 10 terms");
    float sum = 0.0f;
    for (int k = 1; k <= 10; ++k)
        sum += A[slot(k)] * SINES.S(k);
    return sum;
}

float INTRPA(float MIDVAL, float LOSIDE, float HISIDE, std::span<const float> LOARR,
             std::span<const float> HIARR, std::int32_t IXYZ) {
    const float low = series(LOARR, IXYZ);
    if (HISIDE - LOSIDE == 0.0f)
        return low;
    const float high = series(HIARR, IXYZ);
    return low + (MIDVAL - LOSIDE) / (HISIDE - LOSIDE) * (high - low);
}

float INTRPB(float MIDVAL, float LOSIDE, float HISIDE, float LOARR, float HIARR) {
    if (HISIDE == LOSIDE)
        return LOARR;
    return LOARR + (MIDVAL - LOSIDE) / (HISIDE - LOSIDE) * (HIARR - LOARR);
}

float APERP(float XAREA, float YAREA, float ANGLE) {
    float phi = std::abs(std::fmod(ANGLE, pi_single));
    if (phi > half_pi_single)
        phi = pi_single - phi;
    const float R = std::sqrt(XAREA * XAREA + YAREA * YAREA);
    // atan(XAREA / YAREA) turns R sin into the sum of the two projections. With no lateral
    // area it tends to a quarter turn, so that the frontal area shows as XAREA |cos ANGLE|
    // (leaving the turn out would show no area head-on).
    if (YAREA != 0.0f)
        phi = phi + std::atan(XAREA / YAREA);
    else if (XAREA != 0.0f)
        phi = phi + std::copysign(half_pi_single, XAREA);
    return R * std::sin(phi);
}

float ELIPS_PROJ(float XAREA, float YAREA, float ANGLE) {
    const float s = std::sin(ANGLE);
    return XAREA + (YAREA - XAREA) * (s * s);
}

} // namespace lintar
