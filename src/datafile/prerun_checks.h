// datafile/prerun_checks.h: the consistency checks of the mooring description and the
// analysis options before an execution, and the message counter they share with the final
// page.
#pragma once

#include <cstdint>

namespace lintar {

// LINWRN: writes every finding on EDUNIT and counts it through WRNINC, as a warning
// (WARNEM) or a fatal warning (FWARN); stores the settings it derives in TPCM. Never resets
// the counts. Counts and line numbers of the data are checked before they index an array:
// a count beyond its array and a line number outside 1 to NLIN are fatal warnings.
void LINWRN(std::int32_t& WARNEM, std::int32_t& FWARN);

// WRNINC: raises NWRN (the caller passes WARNEM or FWARN itself) by one; when the total of
// both counts reaches a multiple of WRNLIM, the Return pause and a cleared screen.
void WRNINC(std::int32_t& NWRN, const std::int32_t& WARNEM, const std::int32_t& FWARN, int EDUNIT,
            int KBD, std::int32_t WRNLIM);

} // namespace lintar
