// util/bilinear.h: bilinear interpolation in a plane of values over two abscissae (frequency by
// heading), the one rule of the user RAO and user drift tables, for any value type that scales
// by a float (float, std::complex<float>).
#pragma once

#include "blocks/block_support.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace lintar {

// The value at (WVAL, AVAL) in the cell (MINW, MINA) .. (MINW + 1, MINA + 1) of PLANE, whose
// value (i, j) is PLANE[(i - 1) + (j - 1) LEADING] (stored by columns, 1-based indices). The
// heading is blended first, on both frequency rows of the cell:
//   fa = (AVAL - ANGARR(MINA)) / (ANGARR(MINA + 1) - ANGARR(MINA)),
//   low = C(MINW, MINA) + fa (C(MINW, MINA + 1) - C(MINW, MINA)), high likewise at MINW + 1,
// then the frequency: low + fw (high - low), fw = (WVAL - WARRAY(MINW)) / (WARRAY(MINW + 1) -
// WARRAY(MINW)). Factors outside 0..1 extrapolate linearly. The caller passes a cell inside
// the plane and abscissae of distinct values (BSRCH on a strictly monotonic list of at least
// two entries gives one).
template <class Value>
Value bilinear_in_cell(std::span<const Value> PLANE, std::size_t LEADING,
                       std::span<const float> WARRAY, std::span<const float> ANGARR, float WVAL,
                       float AVAL, std::int32_t MINW, std::int32_t MINA) {
    const auto at = [&](std::int32_t i, std::int32_t j) {
        return PLANE[slot(i) + slot(j) * LEADING];
    };
    const auto wi = slot(MINW);
    const auto ai = slot(MINA);
    const float fa = (AVAL - ANGARR[ai]) / (ANGARR[ai + 1] - ANGARR[ai]);
    const Value CYWMIN = at(MINW, MINA) + (at(MINW, MINA + 1) - at(MINW, MINA)) * fa;
    const Value CYWMAX = at(MINW + 1, MINA) + (at(MINW + 1, MINA + 1) - at(MINW + 1, MINA)) * fa;
    const float FACINC = (WVAL - WARRAY[wi]) / (WARRAY[wi + 1] - WARRAY[wi]);
    return CYWMIN + (CYWMAX - CYWMIN) * FACINC;
}

} // namespace lintar
