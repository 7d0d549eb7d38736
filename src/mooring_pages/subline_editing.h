// mooring_pages/subline_editing.h: the slot operations on the per-subline tables of TPCM
// (clear, copy, exchange) and the subline page's commands built on them: copy, delete, insert
// and exchange of sublines and of whole line types.
//
// A (subline, type) slot is SCOMP, SLEN, DIAM, WETWT, DRYWT, MOORDUMMY, COFMST, COFDMT, TBRK
// and the three ALPHA coefficients. The anchor data of a type (ANCHGT, ANCTYP) belong to its
// last subline, and its spring buoy and clump weight (SPRGBY, CLUMP) travel with its slots;
// a whole type that moves takes all of them along. No operation touches the counts (NTYP,
// NELEM, NLINE), the line lists (LINTYP) or the strain-database bits (STRESS_STRAIN_FILE).
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

// CLRDAT: clears slot (IELEM, ITYP): a blank name, zero length, diameter, weights, strength,
// spare value and coefficients, the default added-mass and drag coefficients (COFMAS,
// COFDMP); the type's anchor data go back to the defaults (ANCHT0, MOORTP) when IELEM is its
// last subline; its spring buoy and clump weight become 0.
void CLRDAT(std::int32_t IELEM, std::int32_t ITYP);

// COPY: slot (IELFRM, ITPFRM) onto slot (IELTO, ITPTO), with the source type's spring buoy and
// clump weight; the anchor data too when the types differ and both sublines are the last of
// their types.
void COPY(std::int32_t IELTO, std::int32_t IELFRM, std::int32_t ITPTO, std::int32_t ITPFRM);

// SWAP: exchanges the two slots and the two types' spring buoys and clump weights; the anchor
// data too when the types differ and both sublines are the last of their types.
void SWAP(std::int32_t IELTO, std::int32_t IELFRM, std::int32_t ITPTO, std::int32_t ITPFRM);

// SWAPX, SWAPI, SWAPC: exchange two reals, two integers, two texts (each text padded with
// blanks or cut to the other's length, through a buffer of 79 characters).
void SWAPX(float& XITEM1, float& XITEM2);
void SWAPI(std::int32_t& ITEM1, std::int32_t& ITEM2);
void SWAPC(std::span<char> CITEM1, std::span<char> CITEM2);

// The subline page's commands on its current type ITYP and subline IELEM, with their prompts
// and answers (EDUNIT, keyboard unit 5). Blank answers and 99 at an element prompt abort with
// nothing changed; wrong answers ask again. Each ends the run only at the end of input.
void copy_command(std::int32_t ITYP, std::int32_t IELEM);     // "C"
void delete_command(std::int32_t ITYP, std::int32_t IELEM);   // "D"
void insert_command(std::int32_t ITYP, std::int32_t IELEM);   // "I"
void exchange_command(std::int32_t ITYP, std::int32_t IELEM); // "X"

} // namespace lintar
