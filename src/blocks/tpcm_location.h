// blocks/tpcm_location.h: word positions of TPCM members within the data image.
#pragma once

#include <cstdint>

namespace lintar {

// The word (from 1) of the data image that holds the first byte of a TPCM member. The member
// must lie inside the global block (checked in debug builds).
int tpcm_word_of(const void* member);

// LRHLOC: the location of a TPCM member, as its word position in the data image; the
// difference of two results is the distance between the members in words.
std::int32_t LRHLOC(const void* FINDME);

} // namespace lintar
