// editor/unit_conversion.h: English/metric conversion of every dimensional value of TPCM.
//
// One routine per data group. TOPCVRT toggles NUNTS and so runs first; the others take their
// factors from the toggled NUNTS (1: towards metric, 0: towards English).
#pragma once

#include <cstdint>

namespace lintar {

void TOPCVRT();
void VESCVRT();
void SEMCVRT();
void MORCVRT();
void TUGCVRT();
void CATCVRT();
void STMCVRT();

// Converts all data of a file of program type SIMTYP, the groups in that type's order.
void convert_all_units(std::int32_t SIMTYP);

} // namespace lintar
