// util/table_search.h: bracketing search and linear interpolation in tables, the row blends
// of the line tables and Simpson weights.
//
// Tables are indexed from 1 and passed as spans that hold the table: a plain table of NWP
// entries, or for the blended (layer) routines two rows of layer_row_length entries, entry i
// of the second row lying layer_row_length entries after entry i of the first, so a blended
// table of NWP entries spans layer_row_length + NWP entries. No routine reads outside its spans.
//
// The searches return MIN, the start of the interval MIN, MIN + 1 that holds the value (the
// end interval on the side of a value outside the table, so that interpolation extrapolates),
// and a range code IER: 0 inside the table (ends included), 1 below it, 2 above it, and 3 for
// a table without entries. A table of one entry gives MIN = 1 and its range code, and the
// interpolators then return that entry's value.
#pragma once

#include <complex>
#include <cstdint>
#include <span>

namespace lintar {

// Entries per row of the blended tables (the horizontal-load points of a line table).
inline constexpr std::int32_t layer_row_length = 90;

// Range code of a search in a table without entries.
inline constexpr std::int32_t table_empty = 3;

// Bisection in W(1..NWP): rising when W(1) <= W(NWP) (a flat table counts as rising), else
// falling. Rising: W(MIN) < WP <= W(MIN+1); falling: W(MIN) >= WP > W(MIN+1).
void BSRCH(std::span<const float> W, float WP, std::int32_t& IER, std::int32_t& MIN,
           std::int32_t NWP);

// BSRCH for tables whose end points may turn back: the direction comes from W(2) and
// W(NWP-1) (from the end points in a table of fewer than four entries); IER -1 when W(1)
// breaks that direction, else -2 when W(NWP) does.
void BSRCH_MOOR(std::span<const float> W, float WP, std::int32_t& IER, std::int32_t& MIN,
                std::int32_t NWP);

// BSRCH in the blends MIDLAY(W(i), DELLAY); the range code comes from the unblended first row.
void BSRCHQ(std::span<const float> W, float DELLAY, float WP, std::int32_t& IER, std::int32_t& MIN,
            std::int32_t NWP);
void BSRCDP(std::span<const double> W, double DELLAY, double WP, std::int32_t& IER,
            std::int32_t& MIN, std::int32_t NWP);

// Blend of an entry (ANCLY(1)) with the same entry of the next row (ANCLY(91)): DELLAY 0
// gives the first row, 1 the second. ANCLY starts at the entry and holds the next row's.
float MIDLAY(std::span<const float> ANCLY, float DELLAY);
double MDLYDP(std::span<const double> ANCLY, double DELLAY);

// Linear interpolation on the interval MN, MN + 1 (extrapolation outside it). An interval
// past either end of the spans is held to the end interval.
void INTERP(std::span<const float> X, std::span<const float> Y, float XVAL, float& YVAL,
            std::int32_t MN);
void CINTRP(std::span<const float> X, std::span<const std::complex<float>> CY, float XVAL,
            std::complex<float>& CYVAL, std::int32_t MN);

// Interpolation in blended tables: Q blends both arrays, R the abscissae only, S the ordinates
// only; the DP twins work in double precision.
void INTRPQ(std::span<const float> XARRAY, std::span<const float> YARRAY, float XVAL, float& YVAL,
            std::int32_t MIN, float DELLAY);
void INTRPR(std::span<const float> XARRAY, std::span<const float> YARRAY, float XVAL, float& YVAL,
            std::int32_t MIN, float DELLAY);
void INTRPS(std::span<const float> XARRAY, std::span<const float> YARRAY, float XVAL, float& YVAL,
            std::int32_t MIN, float DELLAY);
void INTDPQ(std::span<const double> XARRAY, std::span<const double> YARRAY, double XVAL,
            double& YVAL, std::int32_t MIN, double DELLAY);
void INTDPR(std::span<const double> XARRAY, std::span<const double> YARRAY, double XVAL,
            double& YVAL, std::int32_t MIN, double DELLAY);
void INTDPS(std::span<const double> XARRAY, std::span<const double> YARRAY, double XVAL,
            double& YVAL, std::int32_t MIN, double DELLAY);

// Simpson weights 1, 4, 2, 4, ..., 4, 1: over IMIN..IMAX, and over 1..NQP.
void SEIVE(std::int32_t IANG, std::int32_t IMIN, std::int32_t IMAX, float& FAC);
void SMPFAC(std::int32_t IVAR, std::int32_t NQP, float& FAC);

} // namespace lintar
