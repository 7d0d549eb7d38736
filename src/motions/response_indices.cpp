// motions/response_indices.cpp: INDXUP and LOCAT0.
#include "motions/response_indices.h"

#include "blocks/himem.h"

namespace lintar {

// INDXUP: see the header.
void INDXUP() {
    HimemBlock& H = HIMEM;
    H.IWM = H.IW - 1;
    H.LW = H.LCNW + H.IWM;
    H.LW2 = H.LCNW2 + H.IWM;
    H.LWK = H.LCNWK + H.IWM;
    H.LHV = H.LCNHV + H.IWM;
    H.LSG = H.LCNSG + H.IWM;
    H.LSW = H.LCNSWY + H.IWM;
    H.LPT = H.LCNPIT + H.IWM;
    H.LRL = H.LCNROL + H.IWM;
    H.LYA = H.LCNYAW + H.IWM;
}

// LOCAT0: see the header.
std::int32_t LOCAT0(std::int32_t NHTNHD, std::int32_t MAXHT, std::int32_t IHD, std::int32_t IHT,
                    std::int32_t IDOF, std::int32_t LOCN0) {
    return LOCN0 + 2 * ((IHT - 1) + (IHD - 1) * MAXHT + (IDOF - 1) * NHTNHD);
}

} // namespace lintar
