// lines/tension_warnings.cpp: the tension-range warning of the line tables.
#include "lines/tension_warnings.h"

#include "lines/table_messages.h"
#include "runtime/edit_descriptors.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/flags.h"
#include "util/prompts.h"

#include <string>

namespace lintar {

// TNSWRN: the four warning lines of the kind, the flag bit, the abort pause. Writes on
// EDUNIT, reads the keyboard (unit KBD) through ABORT0; a stop on "A".
void TNSWRN(int EDUNIT, int KBD, char ITYP1, std::int32_t ILINE, std::int32_t ITYP,
            std::string_view TENTYP, std::int32_t LWARN, std::int32_t& WRNFLG) {
    if (LWARN != 1 && LWARN != 2)
        return;
    if (BITVAL(WRNFLG, LWARN) == 1)
        return;
    const std::string letter = type_letter(ITYP, ITYP1);
    write_record(EDUNIT, " ++> Warning: " + std::string(TENTYP) + " for line number " +
                             I(ILINE, 2) + ", and possibly");
    if (LWARN == 1) {
        write_record(EDUNIT, "              others, lies between interpolation rows 1 and 2");
        write_record(EDUNIT,
                     "              of line type " + letter + ". This may lead to unphysical");
    } else {
        write_record(EDUNIT,
                     "              others, lies outside the reliable interpolation range for");
        write_record(EDUNIT, "              line type " + letter + ". This may lead to unphysical");
    }
    write_record(EDUNIT, "              results and/or serious interpolation errors.");
    BITSWP(WRNFLG, LWARN);
    std::int32_t LBACK = 0;
    ABORT0(EDUNIT, KBD, LBACK);
    if (LBACK == -1)
        stop_program(StopKind::user_choice);
}

} // namespace lintar
