// editor/vessel_page.cpp: page 8, the vessel page.
#include "editor/pages.h"

#include "blocks/tpcm.h"
#include "datafile/page_text.h"
#include "editor/page_placeholder.h"

namespace lintar {

// VESEL1: page 8, the vessel page of the body chosen by the page loop; for now the framed
// heading alone, under the page protocol (the items come with the page itself). Reads and
// writes TPCM's navigation words; ends the run only at the end of input.
void VESEL1(std::string_view PAGE, std::string_view TUGBAR, int KBD, VesselBody BODY) {
    (void)KBD;
    (void)BODY;
    placeholder_page(
        [&] { PAGHDR(PAGE, TUGBAR, " Hydrostatic Characteristics", 74, TPCM.EDUNIT, TPCM.LCOPY); });
}

} // namespace lintar
