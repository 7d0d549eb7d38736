// Tests of the resize from the older 49-fairlead layout: random older images land word for
// word where the current layout keeps their elements, and every element the older layout
// lacks is zero (subline names eight zero bytes); the positions in the older layout agree with
// the layouts' bounds.
#include "datafile/resize_149.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "blocks/tpcm_location.h"
#include "datafile/tpcm_image.h"
#include "support/old_layout.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace lintar {
namespace {

using testing::new_only_words;
using testing::older_image;
using testing::OlderParts;

// A current image of random words, zero where the older layout has no word, of program type
// SIMTYP.
std::vector<std::uint32_t>
random_current_image(std::mt19937& random, const std::vector<bool>& lacks, std::int32_t SIMTYP) {
    std::vector<std::uint32_t> image(static_cast<std::size_t>(tpcm_word_count));
    for (std::size_t k = 0; k < image.size(); ++k)
        image[k] = lacks[k] ? 0u : static_cast<std::uint32_t>(random());
    image[1] = static_cast<std::uint32_t>(SIMTYP); // word 2
    return image;
}

// TPCM holding an older image from its first word and random words after it (what lies beyond
// the older content must not matter).
void load_older(std::mt19937& random, const std::vector<std::uint32_t>& older) {
    std::vector<std::uint32_t> image(static_cast<std::size_t>(tpcm_word_count));
    for (std::size_t k = 0; k < image.size(); ++k)
        image[k] = k < older.size() ? older[k] : static_cast<std::uint32_t>(random());
    set_tpcm_image(image);
}

void resize() {
    UPDATE_TO_149(5.5f, tpcm_word_count, LRHLOC(&TPCM.NTOGO), LRHLOC(&TPCM.LAST_CATNCOM));
}

// The words of two images that differ, as word numbers (at most the first few).
std::vector<int> differing_words(const std::vector<std::uint32_t>& a,
                                 const std::vector<std::uint32_t>& b) {
    std::vector<int> words;
    for (std::size_t k = 0; k < a.size() && words.size() < 8; ++k)
        if (a[k] != b[k])
            words.push_back(static_cast<int>(k) + 1);
    return words;
}

TEST(Resize149, TheOlderLayoutIsShorterByTheGaps) {
    testing::ScriptedConsole console;
    const std::vector<bool> lacks = new_only_words();
    const auto count = std::count(lacks.begin(), lacks.end(), true);
    EXPECT_EQ(count, resize_gap_words);
    EXPECT_EQ(tpcm_word_count - count, 14825);
    // The position of every word the older layout has, counted in it.
    int older = 0;
    for (int word = 1; word <= tpcm_word_count; ++word) {
        if (lacks[static_cast<std::size_t>(word - 1)])
            continue;
        ++older;
        if (older_layout_word(word) != older) {
            ADD_FAILURE() << "word " << word << ": " << older_layout_word(word) << " for " << older;
            break;
        }
    }
}

TEST(Resize149, RandomOlderImagesLandInPlace) {
    struct Case {
        const char* name;
        std::int32_t SIMTYP;
        OlderParts parts;
    };
    const Case cases[] = {
        {"this program: all three parts", 8, OlderParts::all},
        {"spread mooring: all three parts", 12, OlderParts::all},
        {"SALM buoy: the top part only", 11, OlderParts::top},
        {"slow drift: top and second-body parts", 16, OlderParts::top_and_second_body},
    };
    std::mt19937 random(20240611u);
    for (const auto& c : cases) {
        for (int round = 0; round < 3; ++round) {
            SCOPED_TRACE(::testing::Message() << c.name << ", round " << round);
            testing::ScriptedConsole console;
            const std::vector<bool> lacks = new_only_words(c.parts);
            const std::vector<std::uint32_t> current =
                random_current_image(random, lacks, c.SIMTYP);
            load_older(random, older_image(current, lacks));
            resize();
            const std::vector<std::uint32_t> converted = tpcm_image();
            EXPECT_EQ(differing_words(converted, current), std::vector<int>{});
        }
    }
}

} // namespace
} // namespace lintar
