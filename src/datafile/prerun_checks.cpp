// datafile/prerun_checks.cpp: the consistency checks before an execution, and the message
// counter.
#include "datafile/prerun_checks.h"

#include "util/prompts.h"

namespace lintar {

// The checks of the mooring description arrive with their own work; until then an Execute is
// checked by the final page's own checks only.
void LINWRN(std::int32_t& WARNEM, std::int32_t& FWARN) {
    (void)WARNEM;
    (void)FWARN;
}

void WRNINC(std::int32_t& NWRN, const std::int32_t& WARNEM, const std::int32_t& FWARN, int EDUNIT,
            int KBD, std::int32_t WRNLIM) {
    NWRN = NWRN + 1;
    if (WRNLIM > 0 && (WARNEM + FWARN) % WRNLIM == 0) {
        std::int32_t dropped = 0;
        PRSRET(EDUNIT, KBD, dropped);
        CLEAR(EDUNIT);
    }
}

} // namespace lintar
