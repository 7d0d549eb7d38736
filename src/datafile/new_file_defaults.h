// datafile/new_file_defaults.h: the defaults of a new data file, and the mooring-part sizes.
#pragma once

#include <cstdint>

namespace lintar {

// Zeroes words 1..NTOGOQ of TPCM and fills the defaults of the top part and the second-body
// part for a new file of program type CREATQ (the identity stamp of the start-up load
// completes the header afterwards).
void new_file_defaults(std::int32_t CREATQ, std::int32_t NTOGOQ);

// MRINIT: mooring-part sizes (always) and mooring-part defaults (only when ANSWER is 'C') for
// program type CREATP.
void MRINIT(char ANSWER, std::int32_t CREATP);

} // namespace lintar
