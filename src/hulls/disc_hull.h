// hulls/disc_hull.h: the disc-buoy model (vessel type 4): a disc-shaped buoy treated as an
// equivalent vertical cylinder of radius RADIUS and effective draft EDRAFT, with the Bessel
// solution of the wave forces on it, depth factors, added-mass and keel corrections, and the
// viscous damping calibrated mode by mode on a design wave.
//
// Mass-like quantities are per unit mass density of water, as in every hull model. The model's
// fields are the buoy words of HIMEM.
#pragma once

#include <complex>
#include <cstdint>

namespace lintar {

// DSKFRC: the forces operation. NPASS2 0 is the calibration pass: every mode's forces at the
// grid point nearest its natural frequency (roll and sway in beam seas, the others in head
// seas, at rest), its viscous damping coefficient (GAMROL, GAMPIT, GAMHEV, and with MORFBK
// non-zero GAMSRG, GAMSWY) from the design wave, and with MORFBK non-zero its RAO (CHVRAX ..
// CYWRAX). Any other pass: the normalised forces at every grid period of the heading IRAO,
// stored at LSG .. LYA. Writes HIMEM SCALE, CSG, CSW, SDEPTH, BLGFAC, and in the calibration
// pass RSLOPE and TQFAC; TPCM VFWD is 0 during the calibration pass and restored at its end.
// A Bessel function of the buoy's wave number that cannot be evaluated ends the run (message,
// Return pause, error stop).
void DSKFRC(std::int32_t& NPASS2);

// The surge and sway added-mass coefficient of the buoy's equivalent ellipsoid of draft ratio
// DLRAT (EDRAFT / RADIUS): axis ratios 1 / DLRAT^2 and 1, translation.
float disc_surge_added_mass(float DLRAT);

// J2(x) / x^2 for x >= 0, with its limit 1/8 at x = 0. The Bessel value to the tolerance EPS.
float bessel_j2_over_square(float x, float EPS);

} // namespace lintar
