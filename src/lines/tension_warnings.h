// lines/tension_warnings.h: the warning that a line's tension or distance lies where its line
// table interpolates badly.
#pragma once

#include <cstdint>
#include <string_view>

namespace lintar {

// TNSWRN: warns on EDUNIT that TENTYP (e.g. "The tension") of line ILINE lies between the
// first two rows (LWARN 1) or outside the reliable range (LWARN 2) of the table of line type
// ITYP (shown as the character ITYP1 + ITYP - 1), then offers the abort pause. Each kind is
// given once per flag word: bit LWARN of WRNFLG is set after the warning, and a set bit
// silences it. Any other LWARN writes nothing. Ends the run (the user's choice) when the user
// answers "A" at the pause.
void TNSWRN(int EDUNIT, int KBD, char ITYP1, std::int32_t ILINE, std::int32_t ITYP,
            std::string_view TENTYP, std::int32_t LWARN, std::int32_t& WRNFLG);

} // namespace lintar
