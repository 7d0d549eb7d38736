// environment/group_speed.cpp: the group speed of the drift routines.
#include "environment/group_speed.h"

#include "util/wave_numbers.h"

#include <cmath>
#include <limits>

namespace lintar {

float GROUPSPD(float W, float K, float DEPTH, float G) {
    // Deep water strictly above kd = 30: from the next four-byte value on.
    const float deep_from = std::nextafter(30.0f, std::numeric_limits<float>::infinity());
    return group_speed(G, W, K, DEPTH, deep_from);
}

} // namespace lintar
