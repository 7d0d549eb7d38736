// util/coordinate_editor.h: the editor of a list of points given as (x, y, z) rows.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace lintar {

// CORDIN: shows the N rows of R (3 by N, row I is R(1..3, I)) and edits them: rows one after
// another, or one of nine range operations (copy, copy-paste, delete, insert, translate,
// rotate about z, fill with rotations of a row or of a group, revert). Leaves with a page
// command, left in ITEMP for the calling page; in a copy pass (LCOPY >= 1) it writes the rows,
// advances TWOPG and returns with ITEMP 0. IPAG is handed to the selection prompt.
void CORDIN(std::string_view CTYPE, std::span<float> R, std::int32_t N, int IOSCRN, int KBD,
            std::int32_t& ITEMP, std::int32_t& LCOPY, std::int32_t& IPAG);

// CRDHLP: the editor's help: topic LINE - HLPFLG for selection LINE, or all topics for 0.
void CRDHLP(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t IDENT, std::int32_t HLPFLG);

// LODROT: the 2 by 2 rotation of ANGLE degrees, stored by columns: ROT(1,1) = cos t,
// ROT(2,1) = -sin t, ROT(1,2) = sin t, ROT(2,2) = cos t.
void LODROT(double ANGLE, double ROT[4]);

// INDXCHK: IERR 0 when 1 <= I <= N; otherwise INDXERR and IERR 1.
void INDXCHK(std::int32_t I, std::int32_t N, std::int32_t& IERR, int IOSCRN, int KBD);
void INDXERR(int IOSCRN, int KBD);

} // namespace lintar
