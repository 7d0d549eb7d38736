// offsets/turret_angle.h: GET_TRT_ANG, the angle a freely turning turret takes at a trial
// vessel position.
#pragma once

#include "lines/turret_moment.h"

#include <cstdint>

namespace lintar {

// The offset table's turret search: within 1 radian of the previous angle, then once more
// turned by 3.14159 when the root is unstable.
inline constexpr float offset_table_turret_half_width = 1.0f;
inline constexpr float offset_table_turret_flip = 3.14159f;

// GET_TRT_ANG: the turret angle TRTNGL (radians) at which the yaw moment MOMENT of the lines
// about the turret (at the trial position it holds) vanishes and is restoring, searched within
// HALF_WIDTH radians of the entry value (then once more around the entry value turned by FLIP when
// the root found is unstable). The offset table searches within 1 radian and turns by 3.14159; the
// support maps within pi/2, turning by pi. A locked turret (LOCK_TRT 1) or fairleads all at one
// point (PNTTRT) take the heading VESANG without evaluating the moment. A search that fails, or a
// root unstable in both orientations, writes its message on EDUNIT, pauses (keyboard KBD) and ends
// the run (status 1).
void GET_TRT_ANG(float VESANG, float& TRTNGL, bool PNTTRT, std::int32_t LOCK_TRT, int EDUNIT,
                 int KBD, float HALF_WIDTH, float FLIP, const TurretMoment& MOMENT);

} // namespace lintar
