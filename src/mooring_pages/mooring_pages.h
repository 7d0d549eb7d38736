// mooring_pages/mooring_pages.h: the mooring-line pages the page loop shows (pages 2, 3, 4 and
// 14), each called with its page number as text.
//
// Every page draws itself on EDUNIT and returns with the navigation code in TPCM's LBACK: in a
// mirror pass (LCOPY nonzero) it writes its screens, separates them with TWOPG and returns 0
// without reading; otherwise it reads selections through ENTSEL until 0 or a page command.
#pragma once

#include <string_view>

namespace lintar {

// Page 2: general mooring information.
void MOORLN(std::string_view PAGE);
// Page 3: more general mooring information.
void MORLN2(std::string_view PAGE);
// Page 4: subline specifics, one screen per line type and subline.
void ONELEG(std::string_view PAGE);
// Page 14: output options.
void MOROT1(std::string_view PAGE);

} // namespace lintar
