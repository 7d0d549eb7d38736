// environment/group_speed.h: the group speed of the waves that carry the drift loads.
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

// GROUPSPD: the linear-wave group speed at angular frequency W and wave number K in water of
// depth DEPTH under gravity G, taking deep water (half the phase speed, W / 2K) above
// K DEPTH = 30. The same formula as the wave-kinematics report's group speed.
float GROUPSPD(float W, float K, float DEPTH, float G);

// GRPSPD: the group speed at the grid frequency IPEAK where |drift coefficient x PSD| of
// component LCOMP (at relative wave angle RELANG, wave system IWAVID) is largest, the lower
// index on a tie. With no grid IPEAK is 0 and the speed 0.
float GRPSPD(std::span<const float, 100> PSD, std::int32_t LCOMP, float RELANG, std::int32_t& IPEAK,
             std::int32_t IWAVID);

} // namespace lintar
