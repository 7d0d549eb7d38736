// lines/axial_stiffness.h: the axial elastic stiffness of a line type and the axial wave
// numbers of its elements at one wave frequency.
#pragma once

#include "lines/line_arrays.h"

#include <cstdint>

namespace lintar {

// KELAST: KELAS = 1 / sum over the elements of length x compliance at the mean top tension
// TPTEN0 (1e28 for an inextensible line), and WAVEK(i) = WFREQ sqrt(compliance x mass / G),
// the mass per unit length taken as a weight: the dry weight, or without one the wet weight
// plus the added-mass weight of the displaced water. Writes COFMAS of TPCM (the last
// element's added-mass coefficient). A negative compliance is taken as 0 and a negative
// weight as 0, each after a warning and the abort prompt on EDUNIT given once per line type
// and run; answering "A" ends the run (a stop the user chose).
void KELAST(float& KELAS, std::int32_t ITYP, ArrayView<float, max_elements> WAVEK, float WFREQ,
            float TPTEN0);

} // namespace lintar
