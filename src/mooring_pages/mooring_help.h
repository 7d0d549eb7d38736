// mooring_pages/mooring_help.h: the help notes of the general mooring pages (pages 2 and 3)
// and of the output options page (page 14).
//
// Each routine clears the screen and shows the note of item LINE under its heading, ending
// with the Return pause; an item without a note shows " ++> Sorry, no help for this line...".
// LINE 0 shows all notes in item order, a few to a screen, each screen ended by the pause.
// The keyboard is unit KBD; nothing ends the run but the end of input.
#pragma once

#include <cstdint>

namespace lintar {

// MORHP1: the items of page 2 (general mooring information); CREATR is the program code.
void MORHP1(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR);

// MRHP1A: the choices of page 2's mean line profile sub-menu (items 1 to 4).
void MRHP1A(int IOSCRN, int KBD, std::int32_t LINE);

// MORHP2: the items of page 3 (more general mooring information).
void MORHP2(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR);

// MOTHP1: the "Output Definition Notes" of page 14. For the static-mooring program (7) and
// this program (8) only items 1 to 4 have notes, and the listing of all notes ends after
// item 4.
void MOTHP1(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR);

} // namespace lintar
