// mooring_pages/material_estimator.h: the "Simulation Help Facility" of the subline page: the
// line-material estimator (weights, breaking strength and compliance coefficients from a
// subline's diameter and a built-in material), the curve fit and the taut-wire length it
// offers, and the help pages of its menus.
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

// One slot of the built-in material table: weight in air per unit length for a diameter of
// one inch (lbs/ft per square inch), specific gravity, breaking strength BC1 x d^BC2 (kips, d
// in inches), and the strain coefficients at tension normalised by the breaking strength.
struct MaterialSlot {
    float WIA, SPG, BC1, BC2;
    float ELAS[3];
};
inline constexpr int material_slots = 20;
// Slot n (1 to 20) of the table, with the values the estimator computes from.
const MaterialSlot& material_slot(int n);

// HELPUS: the facility menu for one subline of line type ITYP: estimates of the submerged
// weight WETWT, breaking strength TBRK, compliance coefficients ALPHA and dry weight DRYWT
// from the diameter DIAM, written straight into them, and (not in program code 7) the
// taut-wire length of the type's fairlead subline. Returns at once, after a message and a
// Return pause, when DIAM is not above 0; otherwise when the user answers 0 or a page
// command, which is left in TPCM's LBACK. Reads NUNTS, SIMTYP and EDUNIT of TPCM; ends the
// run only at the end of input.
void HELPUS(float& DIAM, float& WETWT, float& DRYWT, float& TBRK, std::span<float, 3> ALPHA,
            std::int32_t ITYP);

// HELP: one estimate from the diameter OD (inches, or millimetres with NUNTS 1) and a material
// chosen by the user: IFLAG 0 the submerged weight (after the medium) into WLNGTH, 1 the
// compliance coefficients into ALPHA (from a measured curve, or from the material, which also
// leaves the breaking strength in WLNGTH), 2 the breaking strength into WLNGTH, 3 the dry
// weight into WLNGTH. Weights are in kips/ft (metric tons/m), strengths in kips (metric tons).
// A blank answer or a page command at a menu returns with nothing set. Ends the run only at
// the end of input.
void HELP(float& WLNGTH, std::span<float, 3> ALPHA, std::int32_t NUNTS, float OD,
          std::int32_t IFLAG, int EDUNIT, int KBD);

// The help pages of the facility menu (MTLHLP; CREATR the program code), the compliance
// source (HHLP1), the medium (HHLP2) and the material (HHLP3): the note of item LINE, or all
// notes for LINE 0, each screen ending in the Return pause.
void MTLHLP(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR);
void HHLP1(int IOSCRN, int KBD, std::int32_t LINE);
void HHLP2(int IOSCRN, int KBD, std::int32_t LINE);
void HHLP3(int IOSCRN, int KBD, std::int32_t LINE);

} // namespace lintar
