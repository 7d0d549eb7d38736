// util/root_finders.cpp: the bracketing table search and the arc cosine (the root finder and
// the quadrature are templates in the header).
#include "util/root_finders.h"
#include "util/angles.h"

#include <cmath>

namespace lintar {

// BRACKT: first interval of W(NLOWER..NUPPER) that brackets WP. Reads W; writes IER and MIN
// (left unchanged when WP lies inside the range of W but no interval brackets it).
// Never ends the run.
void BRACKT(std::span<const float> W, float WP, std::int32_t& IER, std::int32_t& MIN,
            std::int32_t NLOWER, std::int32_t NUPPER) {
    LINTAR_ASSERT(NLOWER >= 1 && NUPPER >= 1 && static_cast<std::size_t>(NUPPER) <= W.size(),
                  "BRACKT table bounds");
    // w(i): entry i (1-based) of the table.
    const auto w = [&W](std::int32_t i) { return W[slot(i)]; };
    float WMAX = w(NUPPER);
    float WMIN = w(NUPPER);
    std::int32_t IMAX = NUPPER;
    std::int32_t IMIN = NUPPER;
    for (std::int32_t I = NLOWER; I <= NUPPER - 1; ++I) {
        if (w(I) > WMAX) {
            WMAX = w(I);
            IMAX = I;
        }
        if (w(I) < WMIN) {
            WMIN = w(I);
            IMIN = I;
        }
        const bool rising = w(I) <= WP && WP < w(I + 1);
        const bool falling = w(I + 1) < WP && WP <= w(I);
        if (rising || falling) {
            IER = 0;
            MIN = I;
            return;
        }
    }
    // No interval holds WP: outside the table, or on an extreme entry closing no interval.
    if (WP > WMAX) {
        IER = 2;
    } else if (WP < WMIN) {
        IER = 1;
    } else {
        IER = 0;
        if (WP == WMIN)
            MIN = IMIN;
        else if (WP == WMAX)
            MIN = IMAX;
    }
}

// ARCCOS: arc cosine in radians; exactly pi/2 (as a four-byte real) at Y = 0.
// Never ends the run.
float ARCCOS(float Y) {
    if (Y == 0.0f)
        return half_pi_single;
    return std::atan2(std::sqrt(1.0f - Y * Y), Y);
}

} // namespace lintar
