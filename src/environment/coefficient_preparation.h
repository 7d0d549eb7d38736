// environment/coefficient_preparation.h: what the force routines read of the vessel and the
// mean environment, derived once per analysis: the tanker size, the Munk factors, the bow and
// stern geometry of the drift models, the applied forces and DP thrust as magnitude and
// direction, and the wind and current pressure factors.
#pragma once

namespace lintar {

// CFPREP: reads TPCM (the vessel, its bow and stern fullness, the drift methods, the applied
// forces and the DP thrust), WAVCOM G and DWATRP and CURPROF; writes TPCM SIZE, MUNKFAC1,
// MUNKFAC2, the geometry and force words of EQUILB, SINES HOVERD, WAVCOM BEAMCF and BOWCF,
// then the pressure factors through COFLD. Messages only from ELPCOF (on EDUNIT).
void CFPREP();

// COFLD: the wind pressure factor TWNDCF RHOAIR u WNDSPD^2 (with LWIND 1) and the current's
// DWATR / G CURFAC u V^2 (with LCURNT 1, V the current averaged over the draft, AVGCUR), u the
// unit factor of knots to metric tons (0.00013213) or kips (0.0014224); 0 when switched off.
// Writes SINES WNDCOF and CURCOF.
void COFLD();

// One applied force: magnitude and direction (radians) of (X, Y) when switched on (a zero
// magnitude keeps the previous direction), both 0 when off. The mean-environment preparation
// and the static equilibrium form the applied forces by this one rule.
void applied_force(bool on, float X, float Y, float& magnitude, float& direction);

} // namespace lintar
