// util/bilinear.h: bilinear interpolation in a table over two grids (frequency by heading),
// used by the user drift-coefficient and RAO tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace lintar {

// The table value C(i, j) at frequency i and heading j (both from 1) of a table stored by
// columns with leading dimension `leading`: C(i, j) = table[(i - 1) + (j - 1) leading].
// Interpolates in the cell (MINW, MINA)..(MINW + 1, MINA + 1) along the heading first, then
// along the frequency; values outside the cell extrapolate it linearly. The cell's corners
// must lie in the table and its two grids must not repeat a value (the readers of these
// tables refuse repeated grid values).
template <class Value>
Value bilinear_in_cell(std::span<const Value> table, std::size_t leading,
                       std::span<const float> WARRAY, std::span<const float> ANGARR, float WVAL,
                       float AVAL, std::int32_t MINW, std::int32_t MINA) {
    const auto w = static_cast<std::size_t>(MINW - 1);
    const auto a = static_cast<std::size_t>(MINA - 1);
    const auto C = [&](std::size_t i, std::size_t j) { return table[i + j * leading]; };
    const float fa = (AVAL - ANGARR[a]) / (ANGARR[a + 1] - ANGARR[a]);
    const Value low = C(w, a) + fa * (C(w, a + 1) - C(w, a));
    const Value high = C(w + 1, a) + fa * (C(w + 1, a + 1) - C(w + 1, a));
    const float fw = (WVAL - WARRAY[w]) / (WARRAY[w + 1] - WARRAY[w]);
    return low + fw * (high - low);
}

} // namespace lintar
