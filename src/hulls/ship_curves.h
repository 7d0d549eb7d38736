// hulls/ship_curves.h: the empirical added-mass and damping curves of the ship-hull model, in
// the nondimensional frequency x (the wave number times a half-dimension of the equivalent
// box), their combination into the heave and pitch coefficients at one frequency, and the
// forward-speed correction of those coefficients.
#pragma once

namespace lintar {

// RMAS: roll added inertia over its zero-frequency value, (1 + (1.26 x + 0.624) e^(-0.9 x)) /
// 1.624: 1 at x = 0, tending to 1 / 1.624.
float RMAS(float X);
// PMAS: pitch added inertia over its zero-frequency value,
// PMSRAT (1 + (1 / PMSRAT - 1 + 3.6 x^2) e^(-1.825 x)): 1 at x = 0, tending to PMSRAT.
float PMAS(float X, float PMSRAT);
// The damping factors of heave, pitch, roll and surge or sway; 0 at x = 0.
float HDMP(float X); // 2.42 x / (x + 1)^1.59
float PDMP(float X); // 0.1 x^2 e^(-0.606 x)
float RDMP(float Y); // 0.151 y^2 e^(-0.952 y)
float SDMP(float X); // 1.425 x^3.71 e^(-1.613 x)

// DPMAS0: heave and pitch added mass (A33, A55) and damping (B33, B55) at the circular
// frequency FREQ and the nondimensional frequency XVAR, from the box constants. Pure.
void DPMAS0(float& A33, float& A55, float& B33, float& B55, float FREQ, float XVAR, float HCONST,
            float HMAS0, float HMSRAT, float PCONST, float PMAS0, float PMSRAT);

// DAMMAS: corrects A33, A55, B33, B55 in place for the forward-speed component VCOMP at the
// squared encounter frequency WENC2, with the box length SHIPL of HIMEM. At an encounter
// frequency of (nearly) zero the correction, which divides by WENC2, is left out and the four
// values stay as they are.
void DAMMAS(float& A33, float& A55, float& B33, float& B55, float WENC2, float VCOMP);

} // namespace lintar
