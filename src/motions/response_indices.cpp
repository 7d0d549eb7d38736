// motions/response_indices.cpp: INDXUP and LOCAT0.
#include "motions/response_indices.h"

#include "hulls/hull_support.h"

#include "blocks/himem.h"

namespace lintar {

// INDXUP: see the header.
void INDXUP() {
    set_grid_point(HIMEM.IW);
}

// LOCAT0: see the header.
std::int32_t LOCAT0(std::int32_t NHTNHD, std::int32_t MAXHT, std::int32_t IHD, std::int32_t IHT,
                    std::int32_t IDOF, std::int32_t LOCN0) {
    return LOCN0 + 2 * ((IHT - 1) + (IHD - 1) * MAXHT + (IDOF - 1) * NHTNHD);
}

} // namespace lintar
