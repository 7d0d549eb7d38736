// blocks/pascom.h: PASCOM, the vessel-response results handed to the mooring analysis.
//
// Only the words written so far are declared: the tendon stiffnesses and tendon forces of a
// tension-leg platform or spar, which the line-table stage fills. The added-mass, damping and
// spring words of the hull models, the wave-frequency statistics and the per-frequency tables
// join them, in their declaration order, with the vessel-motion subsystem.
#pragma once

#include "blocks/block_support.h"

#include <type_traits>

namespace lintar {

struct PascomBlock {
    float PTENDN; // pitch stiffness of the tendons, per unit water mass density
    float RTENDN; // roll stiffness of the tendons, per unit water mass density
    float HTENDN; // heave stiffness of the tendons, per unit water mass density

    float TEND_F_RZ;    // tendon force value of the still-water state
    float NET_TNDN_FRC; // sum of the tendon top tensions at the entered fairlead height
    float TLPVKG;       // centre of gravity height of a tension-leg platform
    float TLPWGHT;      // DISPL - NET_TNDN_FRC
};
static_assert(std::is_standard_layout_v<PascomBlock>);

// The global instance; all zeros at the start and after reset_program_state().
extern PascomBlock PASCOM;

} // namespace lintar
