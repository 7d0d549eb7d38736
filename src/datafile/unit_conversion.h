// datafile/unit_conversion.h: English/metric conversion of every dimensional value of TPCM.
//
// One routine per data group. TOPCVRT toggles NUNTS and so runs first; the others take their
// factors from the toggled NUNTS (1: towards metric, 0: towards English).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace lintar {

// The name of a unit system: "English" for NUNTS 0, "metric" for 1.
std::string_view unit_system_name(std::int32_t NUNTS);

void TOPCVRT();
void VESCVRT();
void SEMCVRT();
void MORCVRT();
void TUGCVRT();
void CATCVRT();
void STMCVRT();

// Converts all data of a file of program type SIMTYP, the groups in that type's order.
void convert_all_units(std::int32_t SIMTYP);

// Converts a whole data-file image held as words (79,676 of them) to the other unit system by
// the rules of convert_all_units for program type SIMTYP, its NUNTS toggled; TPCM is left as it
// was.
void convert_image_units(std::span<std::uint32_t> image, std::int32_t SIMTYP);

} // namespace lintar
