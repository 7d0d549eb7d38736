// hulls/disc_curves.h: the disc buoy's dimensionless added mass and radiation damping as
// one-line fits of the dimensionless frequency Y (omega^2 R / g in the characteristics, the
// wave number times R in the force and RAO routines; the two agree in deep water). Callers
// scale the results: heave added mass HMASD R^3, pitch and roll added inertia PMASD R^5, all
// per unit water density. Pure, single precision.
#pragma once

namespace lintar {

float SMASD(float Y); // surge added mass: the constant 0.15
float SDMPD(float Y); // surge damping: 0.181 Y^2 e^(-0.8 Y)
float PMASD(float Y); // pitch added inertia: (0.641 Y^2 + 0.089) e^(-1.825 Y) + 0.11
float PDMPD(float Y); // pitch damping: 0.151 Y^2 e^(-0.952 Y)
float RMASD(float Y); // roll added inertia: the pitch fit
float RDMPD(float Y); // roll damping: the pitch fit
float HMASD(float Y); // heave added mass: 1 + 1.7 e^(-1.224 Y)
float HDMPD(float Y); // heave damping: 4.92 Y / (Y + 1)^2.429

} // namespace lintar
