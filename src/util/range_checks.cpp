// util/range_checks.cpp: range and index checks, and the waterline test of a hull member.
#include "util/range_checks.h"

#include "blocks/block_support.h"
#include "runtime/assert.h"

#include <algorithm>
#include <cmath>

namespace lintar {

namespace {

// True when every step between consecutive rows first..last runs with the table's direction
// (rising: steps >= 0; falling or flat: steps <= 0). Equal neighbours are allowed.
bool monotonic(std::span<const float> ARRAY, std::int32_t first, std::int32_t last, bool ASCEND) {
    for (std::int32_t k = first; k < last; ++k) {
        const float step = ARRAY[static_cast<std::size_t>(k)] - ARRAY[slot(k)];
        if (ASCEND ? step < 0.0f : step > 0.0f)
            return false;
    }
    return true;
}

} // namespace

// RNGCHK: whether VAL lies inside the table rows MINI..MAXI: 0 inside a monotonic table (end
// values included), 1 outside a rising one, 2 outside a falling one; 3 is added when the
// table is not monotonic.
void RNGCHK(std::span<const float> ARRAY, std::int32_t MINI, std::int32_t MAXI, float VAL,
            std::int32_t& RNGFLG) {
    RNGFLG = 0;
    if (MINI == MAXI)
        return;
    LINTAR_ASSERT(MINI >= 1 && MAXI >= 1 &&
                      static_cast<std::size_t>(std::max(MINI, MAXI)) <= ARRAY.size(),
                  "table rows");
    const float first = ARRAY[slot(MINI)];
    const float last = ARRAY[slot(MAXI)];
    const bool ASCEND = last - first > 0.0f;
    const bool MONOTN = monotonic(ARRAY, MINI, MAXI, ASCEND);
    if (ASCEND) {
        if (VAL < first || VAL > last)
            RNGFLG = 1;
    } else if (VAL > first || VAL < last) {
        RNGFLG = 2;
    }
    if (!MONOTN)
        RNGFLG += 3;
}

// MAX_MIN: rows and values of the smallest and largest entries of rows 1..N (ties keep the
// first row), and whether the table is monotonic and rising. With N <= 0 the start values
// stay and the rows are not set.
void MAX_MIN(std::span<const float> ARRAY, std::int32_t N, std::int32_t& MINI, std::int32_t& MAXI,
             float& MINVAL, float& MAXVAL, bool& MONOTN, bool& ASCEND) {
    MINVAL = 1e30f;
    MAXVAL = -1e30f;
    if (N <= 0) {
        ASCEND = false;
        MONOTN = true;
        return;
    }
    LINTAR_ASSERT(static_cast<std::size_t>(N) <= ARRAY.size(), "table rows");
    ASCEND = ARRAY[slot(N)] - ARRAY[0] > 0.0f;
    MONOTN = monotonic(ARRAY, 1, N, ASCEND);
    for (std::int32_t k = 1; k <= N; ++k) {
        const float value = ARRAY[slot(k)];
        if (value > MAXVAL) {
            MAXVAL = value;
            MAXI = k;
        }
        if (value < MINVAL) {
            MINVAL = value;
            MINI = k;
        }
    }
}

// POSCHK: a row number held to 1..MAX (the lower bound applied last).
void POSCHK(std::int32_t& N, std::int32_t MAX) {
    if (N > MAX)
        N = MAX;
    if (N <= 0)
        N = 1;
}

// MAXCHK: a count held to 0..MAX (the lower bound applied last).
void MAXCHK(std::int32_t& N, std::int32_t MAX) {
    if (N > MAX)
        N = MAX;
    if (N < 0)
        N = 0;
}

std::int32_t IBIG(std::int32_t I1, std::int32_t I2, std::int32_t I3, std::int32_t I4) {
    return std::max({I1, I2, I3, I4});
}

// WPCHEK: the waterline test of a straight member from RBASE to RTOP against the level DRAFT:
// the member vector, its direction, length, wetted length, tilt factor and crossing code
// PIERCE (99 dry, 0 wholly wetted, 1 crossing upward, -1 crossing downward). A member with both
// ends at or below the level is wholly wetted, so one reaching up to the level, or lying in
// it, does not cross. A member with one end exactly at the level and the other above it
// crosses there (1 for the base at the level, -1 for the top), wetted over no length: it
// stands on the waterline, and its waterplane counts.
void WPCHEK(const float RBASE[3], const float RTOP[3], float DRAFT, float MEMVEC[3],
            float DIRVEC[3], float& MEMLEN, float& WETLEN, float& TILTFC, std::int32_t& PIERCE) {
    for (int k = 0; k < 3; ++k)
        MEMVEC[k] = RTOP[k] - RBASE[k];
    MEMLEN = std::sqrt(MEMVEC[0] * MEMVEC[0] + MEMVEC[1] * MEMVEC[1] + MEMVEC[2] * MEMVEC[2]);
    for (int k = 0; k < 3; ++k)
        DIRVEC[k] = std::min(MEMVEC[k] / MEMLEN, 1.0f);
    const float BASE = RBASE[2] - DRAFT;
    const float TOP = MEMLEN * DIRVEC[2] + BASE;
    if (TOP <= 0.0f && BASE <= 0.0f)
        PIERCE = 0;
    else if (TOP > 0.0f && BASE > 0.0f)
        PIERCE = 99;
    else if (TOP > 0.0f)
        PIERCE = 1; // the base below the level, or at it
    else
        PIERCE = -1; // the top below the level, or at it
    if (PIERCE == 0) {
        WETLEN = MEMLEN;
        TILTFC = 1.0f;
    } else if (PIERCE == 99) {
        WETLEN = 0.0f;
        TILTFC = 1.0f;
    } else {
        TILTFC = 1.0f / DIRVEC[2];
        WETLEN = -TILTFC * BASE;
    }
}

} // namespace lintar
