// datafile/tpcm_image.h: TPCM as a whole image of four-byte words, for loads, saves,
// comparisons and exchanges of ranges.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lintar {

// A copy of TPCM's 79,676 words, every bit pattern as it stands.
std::vector<std::uint32_t> tpcm_image();

// Copies a whole image (79,676 words) into TPCM.
void set_tpcm_image(std::span<const std::uint32_t> image);

} // namespace lintar
