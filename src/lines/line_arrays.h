// lines/line_arrays.h: 1-based views of the per-element and per-node arrays that the line
// routines pass to one another, and the views of one line type's columns in TPCM.
//
// A view is a pointer to the first value of an array with fixed bounds (N1) or (N1, N2), read
// in Fortran order through SLEN(i) or BETA(k, i), checked in debug builds. It is built from a
// block's array (LINCOM.SCLWT_words) or from the first value of a column (&TPCM.SLEN(1, t)),
// so the routines read like their formulas and copy nothing.
#pragma once

#include "blocks/block_support.h"
#include "blocks/tpcm.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace lintar {

template <class T, int N1, int N2 = 1> class ArrayView {
public:
    static constexpr int size = N1 * N2;

    explicit ArrayView(T* first) : first_(first) {}
    template <std::size_t M>
    requires(M == static_cast<std::size_t>(N1 * N2)) ArrayView(T (&words)[M]) : first_(words) {}
    // A view of writable values is also a view of readable ones.
    template <class U>
    requires(std::is_same_v<const U, T> && !std::is_same_v<U, T>)
        ArrayView(ArrayView<U, N1, N2> other)
        : first_(other.data()) {}

    T& operator()(int i) const requires(N2 == 1) { return first_[col_major(i, N1)]; }
    T& operator()(int i, int j) const { return first_[col_major(i, N1, j, N2)]; }
    T* data() const { return first_; }

private:
    T* first_;
};

inline constexpr int max_elements = 25; // elements (sublines) of a line type
inline constexpr int max_nodes = 26;    // nodes: elements + 1

using ElementReals = ArrayView<const float, max_elements>;     // SLEN, WETWT, DRYWT of a type
using ElementAlphas = ArrayView<const float, 3, max_elements>; // ALPHA(k, i) of a type
using ElementValues = ArrayView<const double, max_elements>;   // SCLWT
using ElementBetas = ArrayView<const double, 3, max_elements>; // BETA(k, i)
using NodeValues = ArrayView<const double, max_nodes>;         // TMPTAN, SECARR

// The columns of line type t in TPCM.
inline ElementReals slen_column(int t) {
    return ElementReals(&TPCM.SLEN(1, t));
}
inline ElementReals wetwt_column(int t) {
    return ElementReals(&TPCM.WETWT(1, t));
}
inline ElementReals drywt_column(int t) {
    return ElementReals(&TPCM.DRYWT(1, t));
}
inline ElementAlphas alpha_slice(int t) {
    return ElementAlphas(&TPCM.ALPHA(1, 1, t));
}

} // namespace lintar
