// environment/group_speed.h: the group speed of the waves that carry the drift loads.
#pragma once

namespace lintar {

// GROUPSPD: the linear-wave group speed at angular frequency W and wave number K in water of
// depth DEPTH under gravity G, taking deep water (half the phase speed, W / 2K) above
// K DEPTH = 30. The same formula as the wave-kinematics report's group speed.
float GROUPSPD(float W, float K, float DEPTH, float G);

} // namespace lintar
