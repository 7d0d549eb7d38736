// datafile/prerun_checks.h: the consistency checks of the mooring description and the
// analysis options before an execution, the check that the reals the analysis reads are finite
// numbers, and the message counter they share with the final page.
#pragma once

#include <cstdint>

namespace lintar {

// LINWRN: writes every finding on EDUNIT and counts it through WRNINC, as a warning
// (WARNEM) or a fatal warning (FWARN); stores the settings it derives in TPCM. Never resets
// the counts. Counts and line numbers of the data are checked before they index an array:
// a count beyond its array and a line number outside 1 to NLIN are fatal warnings.
void LINWRN(std::int32_t& WARNEM, std::int32_t& FWARN);

// report_non_finite_reals: one fatal warning, counted through WRNINC in FWARN, for each real
// member that the analysis reads (non_finite_reals, datafile/finite_reals.h) and whose read
// part holds a NaN or an infinity, naming its first such element (" ++> Fatal Warning: The
// data word SLEN(2, 1) holds no finite number."): the editor passes no file that the engine
// refuses for such a word. The Execute (CATFIN) runs it after LINWRN and the whole-file checks,
// so that it sees the data as they leave them: both derive words it reads. Reads TPCM.
void report_non_finite_reals(std::int32_t& WARNEM, std::int32_t& FWARN);

// WRNINC: raises NWRN (the caller passes WARNEM or FWARN itself) by one; when the total of
// both counts reaches a multiple of WRNLIM, the Return pause and a cleared screen.
void WRNINC(std::int32_t& NWRN, const std::int32_t& WARNEM, const std::int32_t& FWARN, int EDUNIT,
            int KBD, std::int32_t WRNLIM);

} // namespace lintar
