// util/column_editor.h: the full-screen editor of one column of reals, with auto repeat.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace lintar {

// AUTORP: shows HEADER and rows 1..NUPDAT of UPDAT (up to four columns of 40), edits single
// rows or runs a whole-column operation on rows 1..MAXDAT, until the user leaves with Return
// or a page command (consumed here: the caller redraws its own page). In a copy pass
// (LCOPY >= 1) it writes the heading and rows, advances TWOPG and returns without reading.
// More than 160 rows in use is an internal error: the overflow line, the Return pause and a
// stop; a negative count is taken as 0. The rows shown (up to 160) must lie in UPDAT.
void AUTORP(std::string_view HEADER, std::span<float> UPDAT, std::int32_t NUPDAT,
            std::int32_t MAXDAT, int IOSCRN, int KBD, std::int32_t& LCOPY);

} // namespace lintar
