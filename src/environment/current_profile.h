// environment/current_profile.h: the current profile of the run (the CURPROF block): the 1/7
// power law, a uniform current, the data file's table of up to five levels or the user file
// "CRNTPROF.txt" of up to 101 levels; and the root-mean-square speed over the vessel's draft.
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

// CURPROF_INIT: builds CURPROF from TPCM (LCURNT, LCSTCR, NCURNT, DPTHI, VELI, CURSPD, CURHDG,
// DEPTH) on its first successful call of the run; later calls change nothing, not even DZMIN.
// With no current, CURSPD of TPCM becomes 0. DZMIN returns the thinnest layer of the table
// (1.0e20 for a table of no levels). A user level shallower than DRFT_MAX whose heading
// differs from CURHDG gives a four-line note and the Return pause on IOOUT. A missing user
// file (its message, the abort prompt), an unreadable record (FILERR) or a level count below
// 1 or above 101 (the dimension message, the Return pause) end the run (status 1, or 0 for an
// abort); the failed file is not held, so a later call reads it again.
void CURPROF_INIT(float DRFT_MAX, float& DZMIN, int IOOUT, int IOIN);

// VONE7TH: (1 - ZTOSURF / WDEPTH)^(1/7) above the bottom, 0 at and below it.
float VONE7TH(float WDEPTH, float ZTOSURF);

// AVGCUR: the root-mean-square current speed from the surface down to DRAFT: the exact mean of
// the 1/7 power law (LCSTCR 0), CURSPD (1), or the piecewise-linear profile from (0, CURSPD)
// through the levels (DPTHI(i), VELI(i)), i = 1..NCURNT, continued at the last speed below the
// last level (any other LCSTCR). A table of no levels, or a draft of zero or less, gives
// CURSPD.
float AVGCUR(float DEPTH, float DRAFT, std::int32_t LCSTCR, std::span<const float> VELI,
             std::span<const float> DPTHI, float CURSPD, std::int32_t NCURNT);

} // namespace lintar
