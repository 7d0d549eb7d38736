// util/table_search.cpp: bracketing search and linear interpolation in tables, the row blends
// of the line tables and Simpson weights.
#include "util/table_search.h"

#include "blocks/block_support.h"
#include "runtime/assert.h"

#include <algorithm>
#include <cstddef>

namespace lintar {
namespace {

// (1 - DELLAY) entry + DELLAY (the same entry of the next row), in the precision of T.
template <class T> T blend(const T* entry, T DELLAY) {
    return (T{1} - DELLAY) * entry[0] + DELLAY * entry[layer_row_length];
}

// Range code of WP against the end values a and b of a table, in either order.
template <class T> std::int32_t range_code(T WP, T a, T b) {
    if (WP < std::min(a, b))
        return 1;
    if (WP > std::max(a, b))
        return 2;
    return 0;
}

// The bisection shared by the searches: value(i) is entry i (1-based) of a table of NWP >= 2
// entries. Rising: the last MIN with value(MIN) < WP; falling: the last with value(MIN) >= WP;
// held to 1 .. NWP - 1.
template <class T, class Value>
std::int32_t bisect(const Value& value, T WP, bool rising, std::int32_t NWP) {
    std::int32_t MIN = 1;
    std::int32_t MAX = NWP;
    do {
        const std::int32_t NTRIAL = (MAX + MIN) / 2;
        const bool below = rising ? value(NTRIAL) < WP : value(NTRIAL) >= WP;
        if (below)
            MIN = NTRIAL;
        else
            MAX = NTRIAL;
    } while (MAX - MIN > 1);
    return MIN;
}

// A table of fewer than two entries has no interval: MIN = 1 and the range code of WP against
// its one entry, or table_empty. Returns false for a table with an interval.
template <class T>
bool short_table(std::span<const T> W, T WP, std::int32_t& IER, std::int32_t& MIN,
                 std::int32_t NWP) {
    if (NWP >= 2)
        return false;
    MIN = 1;
    IER = NWP == 1 ? range_code(WP, W[0], W[0]) : table_empty;
    return true;
}

template <class T>
void search_blended(std::span<const T> W, T DELLAY, T WP, std::int32_t& IER, std::int32_t& MIN,
                    std::int32_t NWP) {
    LINTAR_ASSERT(NWP < 1 || W.size() >= static_cast<std::size_t>(layer_row_length + NWP),
                  "blended table holds two rows");
    if (short_table(W, WP, IER, MIN, NWP))
        return;
    const auto value = [&](std::int32_t i) { return blend(&W[slot(i)], DELLAY); };
    IER = range_code(WP, W[0], W[slot(NWP)]);
    const bool rising = !(value(1) - value(NWP) > T{0});
    MIN = bisect(value, WP, rising, NWP);
}

// One array of an interpolation, plain or blended with the next row.
template <class T> struct Column {
    std::span<const T> a;
    bool blended;
    T DELLAY;
    // How many entries the span holds.
    std::int64_t count() const {
        const auto size = static_cast<std::int64_t>(a.size());
        return blended ? std::max<std::int64_t>(size - layer_row_length, 0) : size;
    }
    T operator()(std::int32_t i) const {
        const T* entry = &a[slot(i)];
        return blended ? blend(entry, DELLAY) : *entry;
    }
};

// Linear interpolation on the interval MN, MN + 1 of the entries both arrays hold; formula
// gets (x1, x2, y1, y2). An interval outside the table is held to its end interval, a table
// of one entry gives that entry's ordinate and an empty one 0.
template <class T, class Formula>
T interpolate(const Column<T>& x, const Column<T>& y, std::int32_t MN, const Formula& formula) {
    const std::int64_t n = std::min(x.count(), y.count());
    if (n == 0)
        return T{0};
    if (n == 1)
        return y(1);
    const auto m = static_cast<std::int32_t>(std::clamp<std::int64_t>(MN, 1, n - 1));
    return formula(x(m), x(m + 1), y(m), y(m + 1));
}

// The blended interpolators: YVAL = y1 + (y2 - y1) (XVAL - x1) / (x2 - x1).
template <class T>
T blended_interpolation(std::span<const T> XARRAY, bool x_blended, std::span<const T> YARRAY,
                        bool y_blended, T XVAL, std::int32_t MIN, T DELLAY) {
    return interpolate(
        Column<T>{XARRAY, x_blended, DELLAY}, Column<T>{YARRAY, y_blended, DELLAY}, MIN,
        [XVAL](T x1, T x2, T y1, T y2) { return y1 + (y2 - y1) * (XVAL - x1) / (x2 - x1); });
}

} // namespace

// BSRCH: bracketing search in W(1..NWP). Reads W; writes IER and MIN. Never ends the run.
void BSRCH(std::span<const float> W, float WP, std::int32_t& IER, std::int32_t& MIN,
           std::int32_t NWP) {
    LINTAR_ASSERT(NWP < 1 || W.size() >= static_cast<std::size_t>(NWP), "table size");
    if (short_table(W, WP, IER, MIN, NWP))
        return;
    const auto value = [&W](std::int32_t i) { return W[slot(i)]; };
    const bool rising = !(value(1) - value(NWP) > 0.0f);
    IER = range_code(WP, value(1), value(NWP));
    MIN = bisect(value, WP, rising, NWP);
}

// BSRCH_MOOR: bracketing search in a mooring-force table whose end points may turn back.
// Reads W; writes IER and MIN. Never ends the run.
void BSRCH_MOOR(std::span<const float> W, float WP, std::int32_t& IER, std::int32_t& MIN,
                std::int32_t NWP) {
    LINTAR_ASSERT(NWP < 1 || W.size() >= static_cast<std::size_t>(NWP), "table size");
    if (short_table(W, WP, IER, MIN, NWP))
        return;
    const auto value = [&W](std::int32_t i) { return W[slot(i)]; };
    // The direction comes from the interior points W(2) and W(NWP-1). A table of two or three
    // entries has no two interior points (W(2) - W(1) would read a rising pair as falling,
    // W(2) - W(2) every table as rising): there the end points give it, as in BSRCH.
    const bool rising =
        NWP >= 4 ? !(value(2) - value(NWP - 1) > 0.0f) : !(value(1) - value(NWP) > 0.0f);
    const bool GOODFIRST = rising ? value(1) <= value(2) : value(1) >= value(2);
    const bool GOODLAST = rising ? value(NWP - 1) <= value(NWP) : value(NWP - 1) >= value(NWP);
    if (!GOODFIRST)
        IER = -1;
    else if (!GOODLAST)
        IER = -2;
    else
        IER = range_code(WP, value(1), value(NWP));
    MIN = bisect(value, WP, rising, NWP);
}

// BSRCHQ: bracketing search in the blended rows of W. Reads W; writes IER and MIN.
// Never ends the run.
void BSRCHQ(std::span<const float> W, float DELLAY, float WP, std::int32_t& IER, std::int32_t& MIN,
            std::int32_t NWP) {
    search_blended(W, DELLAY, WP, IER, MIN, NWP);
}

// BSRCDP: BSRCHQ in double precision. Reads W; writes IER and MIN. Never ends the run.
void BSRCDP(std::span<const double> W, double DELLAY, double WP, std::int32_t& IER,
            std::int32_t& MIN, std::int32_t NWP) {
    search_blended(W, DELLAY, WP, IER, MIN, NWP);
}

// MIDLAY: blend of an entry with the same entry of the next row. Never ends the run.
float MIDLAY(std::span<const float> ANCLY, float DELLAY) {
    LINTAR_ASSERT(ANCLY.size() > static_cast<std::size_t>(layer_row_length), "next row");
    return blend(ANCLY.data(), DELLAY);
}

// MDLYDP: MIDLAY in double precision. Never ends the run.
double MDLYDP(std::span<const double> ANCLY, double DELLAY) {
    LINTAR_ASSERT(ANCLY.size() > static_cast<std::size_t>(layer_row_length), "next row");
    return blend(ANCLY.data(), DELLAY);
}

// INTERP: YVAL = y1 + (XVAL - x1) / (x2 - x1) (y2 - y1) on the interval MN. Reads X, Y;
// writes YVAL. Never ends the run.
void INTERP(std::span<const float> X, std::span<const float> Y, float XVAL, float& YVAL,
            std::int32_t MN) {
    YVAL = interpolate(Column<float>{X, false, 0.0f}, Column<float>{Y, false, 0.0f}, MN,
                       [XVAL](float x1, float x2, float y1, float y2) {
                           return y1 + (XVAL - x1) / (x2 - x1) * (y2 - y1);
                       });
}

// CINTRP: complex ordinates interpolated with the real fraction t = (XVAL - x1) / (x2 - x1).
// Reads X, CY; writes CYVAL. Never ends the run.
void CINTRP(std::span<const float> X, std::span<const std::complex<float>> CY, float XVAL,
            std::complex<float>& CYVAL, std::int32_t MN) {
    const auto n = static_cast<std::int64_t>(std::min(X.size(), CY.size()));
    if (n == 0) {
        CYVAL = {};
        return;
    }
    if (n == 1) {
        CYVAL = CY[0];
        return;
    }
    const auto m = slot(static_cast<std::int32_t>(std::clamp<std::int64_t>(MN, 1, n - 1)));
    const float t = (XVAL - X[m]) / (X[m + 1] - X[m]);
    CYVAL = {CY[m].real() + t * (CY[m + 1].real() - CY[m].real()),
             CY[m].imag() + t * (CY[m + 1].imag() - CY[m].imag())};
}

// INTRPQ: interpolation with both abscissae and ordinates blended between the rows.
// Reads XARRAY, YARRAY; writes YVAL. Never ends the run.
void INTRPQ(std::span<const float> XARRAY, std::span<const float> YARRAY, float XVAL, float& YVAL,
            std::int32_t MIN, float DELLAY) {
    YVAL = blended_interpolation(XARRAY, true, YARRAY, true, XVAL, MIN, DELLAY);
}

// INTRPR: interpolation with blended abscissae and plain ordinates. Reads XARRAY, YARRAY;
// writes YVAL. Never ends the run.
void INTRPR(std::span<const float> XARRAY, std::span<const float> YARRAY, float XVAL, float& YVAL,
            std::int32_t MIN, float DELLAY) {
    YVAL = blended_interpolation(XARRAY, true, YARRAY, false, XVAL, MIN, DELLAY);
}

// INTRPS: interpolation with plain abscissae and blended ordinates. Reads XARRAY, YARRAY;
// writes YVAL. Never ends the run.
void INTRPS(std::span<const float> XARRAY, std::span<const float> YARRAY, float XVAL, float& YVAL,
            std::int32_t MIN, float DELLAY) {
    YVAL = blended_interpolation(XARRAY, false, YARRAY, true, XVAL, MIN, DELLAY);
}

// INTDPQ: INTRPQ in double precision. Reads XARRAY, YARRAY; writes YVAL. Never ends the run.
void INTDPQ(std::span<const double> XARRAY, std::span<const double> YARRAY, double XVAL,
            double& YVAL, std::int32_t MIN, double DELLAY) {
    YVAL = blended_interpolation(XARRAY, true, YARRAY, true, XVAL, MIN, DELLAY);
}

// INTDPR: INTRPR in double precision. Reads XARRAY, YARRAY; writes YVAL. Never ends the run.
void INTDPR(std::span<const double> XARRAY, std::span<const double> YARRAY, double XVAL,
            double& YVAL, std::int32_t MIN, double DELLAY) {
    YVAL = blended_interpolation(XARRAY, true, YARRAY, false, XVAL, MIN, DELLAY);
}

// INTDPS: INTRPS in double precision. Reads XARRAY, YARRAY; writes YVAL. Never ends the run.
void INTDPS(std::span<const double> XARRAY, std::span<const double> YARRAY, double XVAL,
            double& YVAL, std::int32_t MIN, double DELLAY) {
    YVAL = blended_interpolation(XARRAY, false, YARRAY, true, XVAL, MIN, DELLAY);
}

// SEIVE: Simpson weight of IANG over IMIN..IMAX. Writes FAC. Never ends the run.
void SEIVE(std::int32_t IANG, std::int32_t IMIN, std::int32_t IMAX, float& FAC) {
    if (IANG == IMIN || IANG == IMAX)
        FAC = 1.0f;
    else if ((IANG - IMIN) % 2 != 0)
        FAC = 4.0f;
    else
        FAC = 2.0f;
}

// SMPFAC: Simpson weight of IVAR over 1..NQP; an even index weighs 4 even at the end.
// Writes FAC. Never ends the run.
void SMPFAC(std::int32_t IVAR, std::int32_t NQP, float& FAC) {
    if (IVAR % 2 == 0)
        FAC = 4.0f;
    else if (IVAR == 1 || IVAR == NQP)
        FAC = 1.0f;
    else
        FAC = 2.0f;
}

} // namespace lintar
