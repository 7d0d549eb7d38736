// blocks/wavcom.h: WAVCOM, the wave-frequency block: period grid, sea state and wave constants.
#pragma once

#include "blocks/block_support.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace lintar {

inline constexpr int wavcom_word_count = 656;

// Grid points the arrays of the block hold (the wave grid has NWP of them, NWP of TPCM).
inline constexpr int wave_grid_capacity = 100;

// The block in its declaration order, 656 four-byte words. Arrays are flat and reached through
// 1-based accessors checked in debug builds. Logical words read nonzero as true.
struct WavcomBlock {
    float WV1Q, WV12W, WV3Q; // spare
    float G;                 // gravity: 32.152 ft/s^2 (English) or 9.8 m/s^2 (metric)
    float WV4Q, WL, WS;      // spare
    std::int32_t NW;         // grid intervals, NWP - 1
    float DW;                // frequency step, always 0: the grid is uniform in period
    float TL;                // longest grid period T(NWP), s
    float TS;                // shortest grid period T(1), s
    float DT;                // period step T(2) - T(1), s: the Simpson step of every moment
    float DA;                // heading step across the spreading sector, radians
    float DADEG;             // the same in degrees
    std::int32_t NAP;        // spare
    std::int32_t NA2;        // half the number of heading steps
    std::int32_t NRAO;       // relative headings in use
    std::int32_t ISWLHG;     // spare
    std::int32_t LEXP;       // logical: short-crested seas
    std::int32_t IRAO;       // slot of the relative heading being processed
    std::int32_t ISWELL;     // slot of the first swell heading
    std::int32_t LWVCMP;     // logical: wave-component flag of the statistics
    std::int32_t NSPEC;      // seas spectrum type, a copy of WAVTYP
    float SWH;               // significant height of the seas
    float TPK;               // peak period of the seas, s
    float UW;                // spare
    std::int32_t NSPRD;      // spare
    float DELSWL;            // width parameter of the first swell, a copy of SWLWID
    std::int32_t NSWEL;      // grid index of the first swell period
    float RHOAIR;            // air mass density
    float SWHSWL, SWHSWL2;   // significant heights of the first and second swell (4 x rms)

    float WVK_words[wave_grid_capacity];     // wave number per grid period
    float SWLPSD_words[wave_grid_capacity];  // first swell spectrum on the grid
    float SWLPSD2_words[wave_grid_capacity]; // second swell spectrum on the grid
    float W_words[wave_grid_capacity];       // angular frequency 2 pi / T(k), rad/s
    float W2_words[wave_grid_capacity];      // W(k) squared
    float WPSD_words[wave_grid_capacity];    // seas spectrum on the grid

    float ANGNRM;        // normalisation of the spreading function
    std::int32_t BIGWVS; // dominant wave system
    float DWATRP;        // water weight density of the equilibrium routines
    float BEAMCF, BOWCF; // beam and bow drift-load coefficients
    float WV1;           // spare
    float RHOWTR;        // water mass density
    float TAVG;          // mean wave period of the cycle count
    float XTRMWV;        // extreme wave amplitude
    float DURFAC;        // storm-duration factor
    float BEAMQ, DRAFTQ; // copies of BWL and DRAFT for the hull models
    // SHPLNQ (a copy of LWL) and GAUSFK (2.828 DURFAC), also reached as the pair SHPLNQ(2).
    float SHPLNQ_words[2];
    float WPK, WKPK;         // peak angular frequency and wave number of the seas
    float WSWLPK, WKSWLPK;   // the same for the first swell
    std::int32_t ISWEL2;     // slot of the second swell heading
    float WSWLPK2, WKSWLPK2; // the same for the second swell
    float DELSWL2;           // width parameter of the second swell
    std::int32_t NSWEL2;     // grid index of the second swell period
    std::int32_t LAST;       // end marker

    float& WVK(int k) { return WVK_words[col_major(k, wave_grid_capacity)]; }
    const float& WVK(int k) const { return WVK_words[col_major(k, wave_grid_capacity)]; }
    float& SWLPSD(int k) { return SWLPSD_words[col_major(k, wave_grid_capacity)]; }
    const float& SWLPSD(int k) const { return SWLPSD_words[col_major(k, wave_grid_capacity)]; }
    float& SWLPSD2(int k) { return SWLPSD2_words[col_major(k, wave_grid_capacity)]; }
    const float& SWLPSD2(int k) const { return SWLPSD2_words[col_major(k, wave_grid_capacity)]; }
    float& W(int k) { return W_words[col_major(k, wave_grid_capacity)]; }
    const float& W(int k) const { return W_words[col_major(k, wave_grid_capacity)]; }
    float& W2(int k) { return W2_words[col_major(k, wave_grid_capacity)]; }
    const float& W2(int k) const { return W2_words[col_major(k, wave_grid_capacity)]; }
    float& WPSD(int k) { return WPSD_words[col_major(k, wave_grid_capacity)]; }
    const float& WPSD(int k) const { return WPSD_words[col_major(k, wave_grid_capacity)]; }
    float& SHPLNQ() { return SHPLNQ_words[0]; }
    float& GAUSFK() { return SHPLNQ_words[1]; }
    float& SHPLNQ(int i) { return SHPLNQ_words[col_major(i, 2)]; }
};

// Word positions (counting from 1) of the members the wave routines reach.
constexpr std::size_t wavcom_offset(int n) {
    return 4 * slot(n);
}
static_assert(std::is_standard_layout_v<WavcomBlock>);
static_assert(sizeof(WavcomBlock) == 4 * std::size_t{wavcom_word_count});
static_assert(offsetof(WavcomBlock, G) == wavcom_offset(4));
static_assert(offsetof(WavcomBlock, NW) == wavcom_offset(8));
static_assert(offsetof(WavcomBlock, DT) == wavcom_offset(12));
static_assert(offsetof(WavcomBlock, NSPEC) == wavcom_offset(23));
static_assert(offsetof(WavcomBlock, SWHSWL2) == wavcom_offset(32));
static_assert(offsetof(WavcomBlock, WVK_words) == wavcom_offset(33));
static_assert(offsetof(WavcomBlock, SWLPSD_words) == wavcom_offset(133));
static_assert(offsetof(WavcomBlock, SWLPSD2_words) == wavcom_offset(233));
static_assert(offsetof(WavcomBlock, W_words) == wavcom_offset(333));
static_assert(offsetof(WavcomBlock, W2_words) == wavcom_offset(433));
static_assert(offsetof(WavcomBlock, WPSD_words) == wavcom_offset(533));
static_assert(offsetof(WavcomBlock, ANGNRM) == wavcom_offset(633));
static_assert(offsetof(WavcomBlock, SHPLNQ_words) == wavcom_offset(645));
static_assert(offsetof(WavcomBlock, WPK) == wavcom_offset(647));
static_assert(offsetof(WavcomBlock, NSWEL2) == wavcom_offset(655));
static_assert(offsetof(WavcomBlock, LAST) == wavcom_offset(wavcom_word_count));

// The global instance; all zeros at the start and after reset_program_state().
extern WavcomBlock WAVCOM;

} // namespace lintar
