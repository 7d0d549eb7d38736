// mooring_pages/subline_page.h: what the subline page (page 4) shares with its commands: the
// line-type letters, the short type answers, the counts as the page walks them, and the
// page's help notes.
#pragma once

#include <cstdint>
#include <string>

namespace lintar {

// The type of a letter typed (case sensitive: "A" is 1, "a" is 33), or 0 when the letter is
// below "A" or above the letter of the last possible type (MAXTYP).
std::int32_t type_of_letter(char letter);

// The counts as the page and its commands use them, held to the sizes of the tables: the
// types in use (NTYP, 0 to 150), the sublines of a type (NELEM, 0 to 25), the lines of a type
// (NLINE, 0 to 150), and the capacities MAXTYP (0 to 150) and MAXELM (0 to 25). A damaged file
// cannot send the page outside its tables.
std::int32_t types_in_use();
std::int32_t sublines_of(std::int32_t type);
std::int32_t lines_of(std::int32_t type);
std::int32_t type_capacity();
std::int32_t subline_capacity();

// The spring buoy and clump weight of a line type (SPRGBY, CLUMP) are held for types 1 to 12
// only, the size of those tables: a type above 12 has none (they read as 0, and what is
// stored for it is dropped), so no operation writes beyond the tables.
inline constexpr std::int32_t buoy_clump_types = 12;
float spring_buoy(std::int32_t type);
float clump_weight(std::int32_t type);
void set_spring_buoy(std::int32_t type, float value);
void set_clump_weight(std::int32_t type, float value);

// READ_TYPE: reads a three-character answer from unit KBD (leading blanks dropped). Blank:
// CR true, NUMVAL 0. A digit first: the integer read; 1 to 998 comes back in NUMVAL with AVAL
// blank, 0 or 999 give NUMVAL 0 and AVAL blank, unreadable digits CR true, NUMVAL 0 and AVAL
// blank. Anything else: CR false, NUMVAL 0 and AVAL its first character (case kept). Ends the
// run only at the end of input.
void READ_TYPE(bool& CR, char& AVAL, std::int32_t& NUMVAL, int KBD);

// ENTER_TYPE: prompts "Enter new type: " on IOSCRN (the line left open for the answer) and
// reads one character into ANSWER (READC; a blank answer gives a blank). No page calls it: the
// subline page asks for a type through READ_TYPE, which also takes numbers. Ends the run only
// at the end of input.
void ENTER_TYPE(char& ANSWER, int IOSCRN, int KBD);

// LINHLP: the line-definition notes of the subline page: the note of item LINE, or all notes
// screen by screen for LINE 0, each screen ending in the Return pause. With program code 7
// (CREATR) the notes of the items that code does not show are left out. Writes on IOSCRN,
// reads KBD; ends the run only at the end of input.
void LINHLP(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR);

} // namespace lintar
