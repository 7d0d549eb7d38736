// editor/pages.h: this program's editor pages, each called by the page loop with its page
// number as text.
//
// Every page draws itself on EDUNIT and returns with the navigation code in TPCM's LBACK: in a
// mirror pass (LCOPY nonzero) it writes its screens, separates them with TWOPG and returns 0
// without reading; otherwise it reads selections through ENTSEL until 0 or a page command.
#pragma once

#include <string_view>

namespace lintar {

// Page 1: site conditions.
void STATIC();
// Page 5: lateral, yaw and vertical offsets.
void CATOFF(std::string_view PAGE);
// Page 6: oblique offsets.
void CATOF2(std::string_view PAGE);
// Page 7: continuous-equilibrium offsets.
void CATOF3(std::string_view PAGE);

// The body whose vessel data the vessel page shows: the first body, or (with a buoy or a tug
// in the arrangement) the second body, whose vessel section holds the same members.
enum class VesselBody { first, second };
// Page 8: the vessel page; TUGBAR is the title word ("Vessel"), KBD the keyboard unit.
void VESEL1(std::string_view PAGE, std::string_view TUGBAR, int KBD, VesselBody BODY);

// Page 9: pre-offset conditions.
void CATOF4(std::string_view PAGE);
// Page 15: line-specific output options.
void CATOT2(std::string_view PAGE);
// Page 16: net vessel loads and miscellaneous options.
void CATOT3(std::string_view PAGE);

} // namespace lintar
