// blocks/tpcm_location.cpp: word positions of TPCM members within the data image.
#include "blocks/tpcm_location.h"

#include "blocks/tpcm.h"
#include "runtime/assert.h"

#include <cstdint>

namespace lintar {

// tpcm_word_of: the member's byte distance from the block's start, in words, counted from 1.
// Reads and writes nothing.
int tpcm_word_of(const void* member) {
    const auto start = reinterpret_cast<std::uintptr_t>(&TPCM);
    const auto at = reinterpret_cast<std::uintptr_t>(member);
    LINTAR_ASSERT(at >= start && at - start < tpcm_byte_count, "not a member of TPCM");
    return static_cast<int>((at - start) / 4) + 1;
}

// LRHLOC: a word position in place of a machine address, so that the updates' distances
// between two members are word counts of the image.
std::int32_t LRHLOC(const void* FINDME) {
    return tpcm_word_of(FINDME);
}

} // namespace lintar
