// util/angles.h: reduction of angles to their standard ranges, in single precision.
#pragma once

namespace lintar {

float REDDEG(float ANG);     // degrees, [0, 360)
float REDDEG2(float ANG);    // degrees: 0 stays 0, any other angle REDDEG(ANG + 359.9999)
float DEGSYM(float ANG);     // degrees, (-180, 180]
float REDRAD(float ANG);     // radians, [0, 2 pi)
float ANGSYM(float ANGLE);   // radians, (-pi, pi]
float REDRAD_SYM(float ANG); // radians, [-pi, pi]

} // namespace lintar
