// editor/offset_help.h: the help pages of the offset pages (pages 5, 6, 7 and 9).
//
// Each clears the screen and writes its title; for an item number (LINE nonzero) it writes
// " ++> Item Number  " with the number and that item's note, or " ++> Sorry, no help for this
// line..." for an item without one, and waits for Return; for LINE 0 it shows every note in
// order, a group of notes per screen, each screen ended by the Return pause. They read the
// keyboard and write on IOSCRN; they end the run only at the end of input.
#pragma once

#include <cstdint>

namespace lintar {

// CATHLP: page 5, the "Hand of God" offset definition notes (items 1 to 10).
void CATHLP(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR);

// CATHP2: page 6, the oblique offset sequence notes (items 2 and 6 share one), with the format
// of the user offsets file "INPUTOFF.txt" under item 15.
void CATHP2(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR);

// CTHLP3: page 7, the "continuous equilibrium" notes (items 2 and 8 share one). With IARCO
// nonzero (a CALM hawser) items 5 to 12 have none and the notes of items 3 and 4 add the
// hawser's.
void CTHLP3(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR, std::int32_t IARCO);

// CTHLP2: page 9, the vessel environmental load notes, listed under the headings 1, 2 -> 4,
// 5, 6 -> 7, 10 and 11 -> 13; an item within a heading shows that heading's note.
void CTHLP2(int IOSCRN, int KBD, std::int32_t LINE);

} // namespace lintar
