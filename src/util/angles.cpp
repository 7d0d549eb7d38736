// util/angles.cpp: reduction of angles to their standard ranges, in single precision.
//
// The remainder is the truncating one, with the sign of the angle and a magnitude below the
// period; std::fmod computes it exactly.
#include "util/angles.h"

#include <cmath>

namespace lintar {

namespace {} // namespace

float REDDEG(float ANG) {
    const float r = std::fmod(ANG, 360.0f);
    return r >= 0.0f ? r : r + 360.0f;
}

// Keeps 360 just below 360 instead of reducing it to 0; every other nonzero angle is lowered
// by about 0.0001 degree. The sum is rounded to single precision before the reduction.
float REDDEG2(float ANG) {
    if (ANG == 0.0f)
        return 0.0f;
    const float shifted = ANG + 359.9999f;
    return REDDEG(shifted);
}

float DEGSYM(float ANG) {
    float r = std::fmod(ANG, 360.0f);
    if (r > 180.0f)
        r -= 360.0f;
    if (!(r > -180.0f))
        r += 360.0f;
    return r;
}

float REDRAD(float ANG) {
    const float r = std::fmod(ANG, two_pi_single);
    return r >= 0.0f ? r : r + two_pi_single;
}

float ANGSYM(float ANGLE) {
    float r = std::fmod(ANGLE, two_pi_single);
    if (!(r > -pi_single))
        r += two_pi_single;
    if (r > pi_single)
        r -= two_pi_single;
    return r;
}

float REDRAD_SYM(float ANG) {
    const float r = std::fmod(ANG, two_pi_single);
    if (std::fabs(r) > pi_single)
        return r - std::copysign(two_pi_single, r);
    return r;
}

} // namespace lintar
