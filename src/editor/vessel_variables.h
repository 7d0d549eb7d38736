// editor/vessel_variables.h: the vessel page's variables of one body, bound to TPCM.
#pragma once

#include "editor/pages.h"

#include <cstdint>

namespace lintar {

// The hydrostatic and tanker-screen variables of one body: the first body's vessel section,
// or the B-prefixed copies of the second body's section, which hold the same members.
struct VesselVariables {
    std::int32_t& VESTYP;
    std::int32_t& SEMI_LIKE; // logical
    float& DISPL;
    float& VKB;
    float& VKG;
    float& DRAFT;
    float& AWP;
    float& VKMT;
    float& VKML;
    float& LWL;
    float& BWL;
    float& CG_to_Midship;
    float& XWNDAR;
    float& YWNDAR;
    float& XCURAR;
    float& YCURAR;
    float& PGYR;
    float& RGYR;
    float& YGYR;
    float& BILGR;
    float& DWTONS;
    float& LOADED;
    float& DFTPCT;
    float& DSPPCT;
};

// The variables of the body the page loop names, in TPCM.
VesselVariables vessel_variables(VesselBody BODY);

} // namespace lintar
