// blocks/equilb.cpp: the EQUILB instance and its reset, VECDIF and VECAVG.
#include "blocks/equilb.h"

#include "runtime/program_state.h"

#include <cstring>

namespace lintar {

EquilbBlock EQUILB;

namespace {
const StateReset reset_equilb{[] { std::memset(&EQUILB, 0, sizeof EQUILB); }};
} // namespace

// VECDIF: element by element, so that VECOUT may be VECIN1. Reads and writes only its
// arguments; never ends the run.
void VECDIF(std::span<float> VECOUT, std::span<const float> VECIN1, std::span<const float> VECIN2,
            std::int32_t N) {
    for (std::int32_t i = 0; i < N; ++i)
        VECOUT[static_cast<std::size_t>(i)] =
            VECIN1[static_cast<std::size_t>(i)] - VECIN2[static_cast<std::size_t>(i)];
}

// VECAVG: element by element, so that VECOUT may be VECIN1. Reads and writes only its
// arguments; never ends the run.
void VECAVG(std::span<float> VECOUT, std::span<const float> VECIN1, std::span<const float> VECIN2,
            std::int32_t N) {
    for (std::int32_t i = 0; i < N; ++i)
        VECOUT[static_cast<std::size_t>(i)] =
            (VECIN1[static_cast<std::size_t>(i)] + VECIN2[static_cast<std::size_t>(i)]) * 0.5f;
}

} // namespace lintar
