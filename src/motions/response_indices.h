// motions/response_indices.h: the addressing of the work array RLDUM of HIMEM: the rebased
// indices of one grid point and the word of an entry of the height-heading tables.
#pragma once

#include <cstdint>

namespace lintar {

// INDXUP: rebases the per-frequency indices of HIMEM for the grid point IW (HIMEM IW):
// IWM = IW - 1; the words LW, LW2, LWK of the frequency, its square and the wave number; the
// complex elements LSG, LSW, LHV, LRL, LPT, LYA of the six RAOs. Reads and writes HIMEM only;
// never ends the run.
void INDXUP();

// LOCAT0: the RLDUM word of entry (IHT, IHD, IDOF) of a table of complex entries starting at
// word LOCN0, height fastest, then heading (MAXHT heights), then degree of freedom (NHTNHD
// entries each). Reads nothing else; never ends the run.
std::int32_t LOCAT0(std::int32_t NHTNHD, std::int32_t MAXHT, std::int32_t IHD, std::int32_t IHT,
                    std::int32_t IDOF, std::int32_t LOCN0);

} // namespace lintar
