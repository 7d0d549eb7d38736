// hulls/ship_curves.cpp: the ship model's added-mass and damping curves, DPMAS0 and DAMMAS.
#include "hulls/ship_curves.h"

#include "blocks/himem.h"
#include "hulls/hull_guards.h"

#include <cmath>

namespace lintar {

// RMAS: see the header. Pure.
float RMAS(float X) {
    return (1.0f + (1.26f * X + 0.624f) * std::exp(-0.9f * X)) / 1.624f;
}

// PMAS: see the header. Pure.
float PMAS(float X, float PMSRAT) {
    return PMSRAT * (1.0f + (1.0f / PMSRAT - 1.0f + 3.6f * X * X) * std::exp(-1.825f * X));
}

// HDMP: see the header. Pure.
float HDMP(float X) {
    return 2.42f * X / std::pow(X + 1.0f, 1.59f);
}

// PDMP: see the header. Pure.
float PDMP(float X) {
    return 0.1f * X * X * std::exp(-0.606f * X);
}

// RDMP: see the header. Pure.
float RDMP(float Y) {
    return 0.151f * Y * Y * std::exp(-0.952f * Y);
}

// SDMP: see the header. Pure.
float SDMP(float X) {
    return 1.425f * std::pow(X, 3.71f) * std::exp(-1.613f * X);
}

// DPMAS0: see the header. Pure.
void DPMAS0(float& A33, float& A55, float& B33, float& B55, float FREQ, float XVAR, float HCONST,
            float HMAS0, float HMSRAT, float PCONST, float PMAS0, float PMSRAT) {
    A33 = HMAS0 * (HMSRAT + (1.0f - HMSRAT) * std::exp(-XVAR));
    A55 = PMAS0 * PMAS(XVAR, PMSRAT);
    B33 = FREQ * HDMP(XVAR) * HCONST;
    B55 = FREQ * PDMP(XVAR) * PCONST;
}

// DAMMAS: see the header. Reads HIMEM SHIPL.
void DAMMAS(float& A33, float& A55, float& B33, float& B55, float WENC2, float VCOMP) {
    // Following seas can bring the encounter frequency to 0; the correction is not defined
    // there and is left out at that period rather than filling the tables with infinities.
    if (std::abs(WENC2) < zero_divisor_guard)
        return;
    const float L = HIMEM.SHIPL;
    const float U = VCOMP;
    const float S1 = 1.5f * U * U / WENC2;
    const float S2 = -U * L / 4.0f;
    const float S3 = -U / L;
    const float a33 = A33;
    const float a55 = A55;
    const float b33 = B33;
    const float b55 = B55;
    B55 = b55 + S1 * b33 + S2 * a33;
    A55 = a55 + S1 * a33 - S2 * b33 / WENC2;
    B33 = b33 + S3 * a33;
    A33 = a33 - S3 * b33 / WENC2;
}

} // namespace lintar
