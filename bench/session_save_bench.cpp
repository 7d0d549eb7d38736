// Benchmark of the save of a data file at the end of a session: one BACKIT of a whole image
// (79,676 words) over a folder that already holds CATDAT and CATBAK, so that every save moves
// both generations. The image is read from the data file named by LINTAR_BENCH_DATA_FILE when
// it is set (the worked example's CATDAT, say), else it is an image of zeros with its word
// count: the save's cost is its writes, renames and syncs, not the words it holds.
#include "datafile/session_save.h"
#include "datafile/tpcm_image.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/data_files.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace lintar {
namespace {

std::vector<std::uint32_t> bench_image() {
    std::vector<std::uint32_t> image(tpcm_word_count, 0u);
    image[0] = tpcm_word_count;
    if (const char* name = std::getenv("LINTAR_BENCH_DATA_FILE")) {
        const std::string bytes = testing::file_bytes(name);
        std::memcpy(image.data(), bytes.data(), std::min(bytes.size(), 4 * image.size()));
    }
    return image;
}

void BM_SaveDataFile(benchmark::State& state) {
    const std::vector<std::uint32_t> image = bench_image();
    const testing::ScratchFolder folder;
    std::vector<std::uint32_t> words = image;
    for (int save = 0; save < 2; ++save) // CATDAT and CATBAK in place
        BACKIT(screen_unit, "VAVIREV", 5, tpcm_word_count, words, "CATDAT", "CATBAK", "LASTBAK");
    for (auto _ : state) {
        words = image;
        BACKIT(screen_unit, "VAVIREV", 5, tpcm_word_count, words, "CATDAT", "CATBAK", "LASTBAK");
    }
}
BENCHMARK(BM_SaveDataFile)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lintar
