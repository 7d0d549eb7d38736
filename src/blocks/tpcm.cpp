// blocks/tpcm.cpp: the TPCM instance, its reset and its word-level access.
#include "blocks/tpcm.h"

#include "runtime/program_state.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace lintar {

TpcmBlock TPCM;

namespace {
// A fresh block is all zeros, as a new data file before its defaults.
const StateReset reset_tpcm{[] { std::memset(&TPCM, 0, sizeof TPCM); }};
} // namespace

// tpcm_bytes: the block's storage as bytes; reads and writes nothing itself.
std::span<std::byte, tpcm_byte_count> tpcm_bytes(TpcmBlock& block) {
    return std::as_writable_bytes(std::span<TpcmBlock, 1>(&block, 1));
}

std::span<const std::byte, tpcm_byte_count> tpcm_bytes(const TpcmBlock& block) {
    return std::as_bytes(std::span<const TpcmBlock, 1>(&block, 1));
}

// tpcm_word: copies word n (from 1) of the block out of its storage.
std::uint32_t tpcm_word(const TpcmBlock& block, int n) {
    LINTAR_ASSERT(n >= 1 && n <= tpcm_word_count, "word number outside the image");
    return read_as<std::uint32_t>(&tpcm_bytes(block)[tpcm_offset(n)]);
}

// set_tpcm_word: copies a value into word n (from 1) of the block.
void set_tpcm_word(TpcmBlock& block, int n, std::uint32_t value) {
    LINTAR_ASSERT(n >= 1 && n <= tpcm_word_count, "word number outside the image");
    std::memcpy(&tpcm_bytes(block)[tpcm_offset(n)], &value, sizeof value);
}

// swap_body_sections: the byte ranges of the two sections exchanged in place.
void swap_body_sections(TpcmBlock& block) {
    const auto bytes = tpcm_bytes(block);
    const auto section = [&](TpcmWords words) {
        return bytes.subspan(tpcm_offset(words.first), 4 * static_cast<std::size_t>(words.count()));
    };
    const auto vessel = section(tpcm_vessel_section);
    std::swap_ranges(vessel.begin(), vessel.end(), section(tpcm_second_body_section).begin());
}

} // namespace lintar
