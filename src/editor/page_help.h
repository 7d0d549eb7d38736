// editor/page_help.h: the help screens of this program's pages 1, 8, 15 and 16.
//
// Each clears the screen, shows the notes of item LINE (0 for all notes) and waits for Return;
// an item without a note gets the "no help" line. IOSCRN is the page's unit, KBD the keyboard.
#pragma once

#include <cstdint>

namespace lintar {

// Page 1: the units and water-density notes; the conversion sub-page's two notes.
void STATHLP(int IOSCRN, int KBD, std::int32_t LINE);
void CNVHLP(int IOSCRN, int KBD, std::int32_t LINE);

// The warning shown before every value is converted to the other unit system (also the
// conversion sub-page's second note), from "This option should be exercised with care." on.
void write_conversion_cautions(int IOSCRN);

// Page 8: the note IDENT of item LINE, or every note for LINE 0 (the vessel-type note only
// for HLPFLG 2); the vessel-type sub-page's notes.
void V1HLP(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t IDENT, std::int32_t HLPFLG);
void MRHP3B(int IOSCRN, int KBD, std::int32_t LINE);

// Pages 15 and 16; CREATR is the program-type code.
void CTOTHP(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR);
void CTOTHP2(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR);

} // namespace lintar
