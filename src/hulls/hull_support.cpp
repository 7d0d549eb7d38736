// hulls/hull_support.cpp: grid services and debug dumps of the hull models.
#include "hulls/hull_support.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/table_search.h"

#include <cmath>
#include <span>
#include <string>

namespace lintar {

// set_grid_point: see the header.
void set_grid_point(std::int32_t IW) {
    HimemBlock& H = HIMEM;
    H.IW = IW;
    H.IWM = H.IW - 1;
    H.LW = H.LCNW + H.IWM;
    H.LW2 = H.LCNW2 + H.IWM;
    H.LWK = H.LCNWK + H.IWM;
    H.LHV = H.LCNHV + H.IWM;
    H.LSG = H.LCNSG + H.IWM;
    H.LSW = H.LCNSWY + H.IWM;
    H.LPT = H.LCNPIT + H.IWM;
    H.LRL = H.LCNROL + H.IWM;
    H.LYA = H.LCNYAW + H.IWM;
}

// nearest_grid_point: see the header.
std::int32_t nearest_grid_point(float OMEGA) {
    const int NWP = TPCM.NWP;
    const std::span<const float> T(TPCM.T_words, static_cast<std::size_t>(NWP));
    const float PERIOD = 2.0f * pi_single / OMEGA;
    std::int32_t IER = 0;
    std::int32_t MIN = 1;
    BSRCH(T, PERIOD, IER, MIN, NWP);
    if (IER != 0)
        return std::abs(TPCM.T(1) - PERIOD) < std::abs(TPCM.T(NWP) - PERIOD) ? 1 : NWP;
    const float half = 0.5f * std::abs(TPCM.T(MIN + 1) - TPCM.T(MIN));
    return std::abs(TPCM.T(MIN + 1) - PERIOD) < half ? MIN + 1 : MIN;
}

// grid_frequency, grid_wave_number: see the header. Read HIMEM.
float grid_frequency(std::int32_t k) {
    return HIMEM.RLDUM(HIMEM.LCNW + k - 1);
}
float grid_wave_number(std::int32_t k) {
    return HIMEM.RLDUM(HIMEM.LCNWK + k - 1);
}

// debug_dump: see the header.
void debug_dump(int unit, std::initializer_list<float> values, int per_line) {
    std::string line = " ";
    int on_line = 0;
    for (const float v : values) {
        line += E(v, 12, 4);
        if (++on_line == per_line) {
            write_record(unit, line);
            line = " ";
            on_line = 0;
        }
    }
    if (on_line > 0)
        write_record(unit, line);
}

} // namespace lintar
