// editor/vessel_variables.cpp: the vessel page's variables of one body, bound to TPCM.
#include "editor/vessel_variables.h"

#include "blocks/tpcm.h"

namespace lintar {

VesselVariables vessel_variables(VesselBody BODY) {
    auto& T = TPCM;
    if (BODY == VesselBody::first)
        return {T.VESTYP, T.SEMI_LIKE, T.DISPL,  T.TVKB,   T.VKG,    T.DRAFT,
                T.AWP,    T.VKMT,      T.VKML,   T.LWL,    T.BWL,    T.CG_to_Midship,
                T.TXWNDA, T.YWNDAR,    T.XCURAR, T.YCURAR, T.PGYR,   T.RGYR,
                T.YGYR,   T.BILGR,     T.DWTONS, T.LOADED, T.DFTPCT, T.DSPPCT};
    return {T.BVSTYP, T.B_SEMI_LIKE, T.BDISPL, T.BVKB,   T.BVKG,   T.BDRAFT,
            T.BAWP,   T.BVKMT,       T.BVKML,  T.BLWL,   T.BBWL,   T.BCG_to_Midship,
            T.BXWNDA, T.BYWNDA,      T.BXCURA, T.BYCURA, T.BPGYR,  T.BRGYR,
            T.BYGYR,  T.BBILGR,      T.BDWTNS, T.BLODED, T.BDFTPC, T.BDSPPC};
}

} // namespace lintar
