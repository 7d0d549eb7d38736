// editor/page_placeholder.h: the page protocol of a page whose items are not built yet.
//
// Such a page shows its real heading and behaves towards the page loop as every page does;
// it is replaced by the page itself when that is built.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace lintar {

// The text placed so that it starts in the given column (1 for the first).
std::string starting_at(int column, std::string_view text);

// The page protocol with no items: the screen is cleared (not in a mirror pass) and the
// heading lines written on EDUNIT; in a mirror pass TWOPG separates the screen and LBACK
// becomes 0 without a read; otherwise ENTSEL reads the selection into LBACK: help shows the
// "no help" screen and redraws, an item number redraws, and 0 or a page command returns to the
// page loop. Reads and writes TPCM's LBACK, IPAG, LCOPY and EDUNIT; ends the run only at the
// end of input.
void placeholder_page(std::span<const std::string> heading);

// The same with a heading drawn by the caller, which also clears the screen (not in a mirror
// pass).
void placeholder_page(const std::function<void()>& draw_heading);

} // namespace lintar
