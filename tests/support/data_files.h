// support/data_files.h: data files for the tests of the load, the imports and the save.
#pragma once

#include "blocks/tpcm.h"
#include "datafile/tpcm_image.h"
#include "util/image_transfer.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace lintar::testing {

// Writes the first `words` words of a data file of this program (type 8, version 6.8, this
// platform, the current layout) as changed by `fill`; TPCM is all zeros afterwards.
inline void write_data_file(const std::string& name, const std::function<void()>& fill = {},
                            std::int32_t words = tpcm_word_count) {
    std::memset(tpcm_bytes(TPCM).data(), 0, tpcm_byte_count);
    TPCM.NTOGO = tpcm_word_count;
    TPCM.SIMTYP = 8;
    TPCM.VERNO = 6.8f;
    TPCM.CMPUTR = 5;
    TPCM.DAT_ID = 149;
    if (fill)
        fill();
    std::vector<std::uint32_t> image = tpcm_image();
    std::int32_t count = words;
    std::int32_t IERR = 0;
    DISKIO(0, count, name, 1, IERR, image, 5);
    std::memset(tpcm_bytes(TPCM).data(), 0, tpcm_byte_count);
}

// The bytes of a file.
inline std::string file_bytes(const std::filesystem::path& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// TPCM's bytes, to tell whether anything changed.
inline std::string tpcm_bytes_now() {
    const auto bytes = tpcm_bytes(TPCM);
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

} // namespace lintar::testing
