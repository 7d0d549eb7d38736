// editor/final_page.h: the final page (page 17): the End-of-Session menu loop, the whole-file
// checks before a run, and the check of direction senses.
#pragma once

#include "blocks/tpcm.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace lintar {

// What the final page keeps for the whole run.
struct FinalPageStore {
    std::int32_t UNTSAV = 0; // the console unit saved while the mirror file is open
    bool HCDONE = false;     // the Execute mirror pass has been started (once per run)
};
extern FinalPageStore final_page_store;

// CATFIN: page 17. Shows the End-of-Session menu until it lets the page go; whenever the menu
// asks for it, runs the pre-run checks, the whole-file checks and, on the data they leave, the
// check that every real the analysis reads is a finite number (report_non_finite_reals),
// counting warnings and fatal warnings; an Execute that passes opens "CATIN.stxt" and starts the
// mirror pass (LCOPY 1, EDUNIT 1, LBACK -1980). Leaves LBACK (and LCOPY, EDUNIT) for the page loop.
// Reads and writes TPCM; a silent run with a fatal warning stops (status 1); file errors stop
// through the file services.
void CATFIN(std::string_view PAGE);

// The checks of the final page after the pre-run checks: the vertical interpolation region,
// the arrangement checks and the offset checks. Every message is counted through WRNINC on
// EDUNIT. Reads and writes TPCM.
void whole_file_checks(std::int32_t& WARNEM, std::int32_t& FWARN);

// The span of the vertical interpolation region for the fairleads of lines 1 to NLIN: twice
// the largest distance of a fairlead from the plan-view centroid of the fairleads (with the
// fairlead's own z), but not more than 1.99 times the smallest fairlead height above the
// keel-draft level; 0 for no lines. Reads TPCM.
float interpolation_span(const TpcmBlock& block);

// PARCHK: IANSW 0 when every direction sense ARRAY(1..NVAL) is exactly +1 or -1; otherwise
// the warning and the review prompt, and IANSW the answer (-1 review, 0 go on).
void PARCHK(std::span<const float> ARRAY, std::int32_t NVAL, int EDUNIT, int KBD,
            std::int32_t& IANSW);

} // namespace lintar
