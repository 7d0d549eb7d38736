// blocks/endcom.h: ENDCOM, the wave-frequency motion of the ends of the line being damped:
// the wave direction, the fairlead end, the bottom end (the second body's connection) and
// their relative motion, each normal and tangential component as a pair (RMS displacement,
// RMS velocity), and the sea-state values of the motion file. Filled by LDAMP only.
#pragma once

#include <type_traits>

namespace lintar {

struct EndcomBlock {
    float WVDIR;
    float TGNRM1, TGNRM2, TGTAN1, TGTAN2; // fairlead end
    float BGNRM1, BGNRM2, BGTAN1, BGTAN2; // bottom end
    float RLNRM1, RLNRM2, RLTAN1, RLTAN2; // relative motion of the ends
    float CWVHT, CSWLHT, CSWLHT2, TPEAK;  // sea-state values
};

static_assert(std::is_standard_layout_v<EndcomBlock>);
static_assert(sizeof(EndcomBlock) == 4 * 17);

// The global instance, zero at program start; reset_program_state() zeroes it again.
extern EndcomBlock ENDCOM;

} // namespace lintar
