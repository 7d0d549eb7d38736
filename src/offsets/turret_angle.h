// offsets/turret_angle.h: GET_TRT_ANG, the angle a freely turning turret takes at a trial
// vessel position.
#pragma once

#include <cstdint>

namespace lintar {

// GET_TRT_ANG: the turret angle TRTNGL (radians) at which the yaw moment TRTTRQ2 of the lines
// about the turret vanishes and is restoring, searched within 1 radian of the entry value
// (then once more around the opposite orientation when the root found is unstable). A locked
// turret (LOCK_TRT 1) or fairleads all at one point (PNTTRT) take the heading VESANG. The
// caller sets LOCAL3 (MINLN, MAXLN, RVESP) first. A search that fails, or a root unstable in
// both orientations, writes its message on EDUNIT, pauses (keyboard KBD) and ends the run
// (status 1).
void GET_TRT_ANG(float VESANG, float& TRTNGL, bool PNTTRT, std::int32_t LOCK_TRT, int EDUNIT,
                 int KBD);

} // namespace lintar
