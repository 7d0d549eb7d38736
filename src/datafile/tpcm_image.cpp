// datafile/tpcm_image.cpp: TPCM as a whole image of words.
#include "datafile/tpcm_image.h"

#include "blocks/tpcm.h"
#include "runtime/assert.h"

#include <cstring>

namespace lintar {

std::vector<std::uint32_t> tpcm_image() {
    std::vector<std::uint32_t> image(tpcm_word_count);
    std::memcpy(image.data(), tpcm_bytes(TPCM).data(), tpcm_byte_count);
    return image;
}

void set_tpcm_image(std::span<const std::uint32_t> image) {
    LINTAR_ASSERT(image.size() == static_cast<std::size_t>(tpcm_word_count),
                  "a TPCM image has 79,676 words");
    std::memcpy(tpcm_bytes(TPCM).data(), image.data(), tpcm_byte_count);
}

} // namespace lintar
