// End-to-end run of a data file whose mirror-pass counter was saved nonzero (a damaged file):
// the load clears it, so the session does not replay its pages into "CATIN.stxt".
#include "support/console.h"

#include "blocks/tpcm.h"
#include "util/image_transfer.h"

#include <gtest/gtest.h>
#include <vector>

namespace lintar {
namespace {

TEST(SessionWords, ASavedMirrorCounterStartsNoMirrorPass) {
    testing::ScratchFolder folder;
    ASSERT_EQ(testing::run_program("lintar", "C\nL\n1\n", folder.path()).status, 0);
    std::vector<std::uint32_t> image(tpcm_word_count, 0u);
    std::int32_t count = tpcm_word_count, IERR = 0;
    DISKIO(1, count, "CATDAT", 1, IERR, image, 5);
    ASSERT_EQ(IERR, 0);
    image[702 - 1] = 3; // LCOPY
    DISKIO(0, count, "CATDAT", 1, IERR, image, 5);
    ASSERT_EQ(IERR, 0);

    const testing::ProgramRun session = testing::run_program("lintar", "M\nL\n1\n", folder.path());
    EXPECT_EQ(session.status, 0);
    EXPECT_FALSE(folder.has("CATIN.stxt"));
    DISKIO(1, count, "CATDAT", 1, IERR, image, 5);
    EXPECT_EQ(image[702 - 1], 0u);
}

} // namespace
} // namespace lintar
