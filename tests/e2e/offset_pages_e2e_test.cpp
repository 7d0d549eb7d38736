// End-to-end run of the offset pages: lateral directions set on page 5 by the column editor's
// auto repeat, listed by the mirror pass and saved at their words of the data file.
#include "support/console.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::ProgramRun;
using testing::read_text;
using testing::ScratchFolder;

std::string e2e_text(const std::string& name) {
    return read_text(std::filesystem::path(LINTAR_E2E_DIR) / name);
}

// A four-byte word of a data file, counting from 1 (the words are little-endian).
std::uint32_t word(const std::string& image, int n) {
    std::uint32_t value = 0;
    std::memcpy(&value, image.data() + 4 * static_cast<std::size_t>(n - 1), 4);
    return value;
}

float real_word(const std::string& image, int n) {
    const std::uint32_t bits = word(image, n);
    float value = 0.0f;
    std::memcpy(&value, &bits, 4);
    return value;
}

TEST(OffsetPages, LateralDirectionsByAutoRepeatAreListedAndSaved) {
    // A new file; page 5: three lateral directions, then the direction column filled from 0 by
    // 45 degrees; the final page writes the input mirror (item 5), then saves (item 1).
    ScratchFolder folder;
    const ProgramRun session =
        testing::run_program("lintar", e2e_text("offset_directions.in"), folder.path());
    EXPECT_EQ(session.status, 0);
    EXPECT_EQ(session.screen, e2e_text("title.out") + e2e_text("offset_directions.out"));

    // The data file: NLAT at word 78788, PHIL(1..10) at words 78904 to 78913, the whole
    // capacity filled by the repeat; OFFL(1) at word 78804 and PHIY(1) at 78914 untouched.
    const std::string image = folder.read("CATDAT");
    ASSERT_EQ(image.size(), 318704u);
    EXPECT_EQ(word(image, 78788), 3u);
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(real_word(image, 78903 + k), 45.0f * static_cast<float>(k - 1)) << k;
    EXPECT_EQ(real_word(image, 78804), 0.0f);
    EXPECT_EQ(real_word(image, 78914), 0.0f);

    // The mirror lists the three directions in use after the page, then the one value.
    const std::string mirror = folder.read("CATIN.stxt");
    const std::string page5 =
        "       ****  Page 5: \"Hand of God\" Offset Specifications  ****\n"
        "  1) Number of <<lateral>> offset directions (Max 10) ..........  3\n"
        "  2) Number of lateral offsets per direction (Max 50) ..........  1\n"
        "  3) Specify lateral offset directions \n"
        "  4) Specify lateral offset values \n"
        "\n"
        "  5) Number of <<yaw>> offset directions (Max  2) ..............  0\n"
        "\n"
        "  9) Number of <<vertical>> offsets (Max 50) ...................  0\n"
        "\f\n"
        " Lateral offset directions (degrees)\n"
        "\n"
        "   1)      0.00\n"
        "   2)     45.00\n"
        "   3)     90.00\n"
        "\n\n\n"
        " Lateral offset values ( feet  )              \n"
        "\n"
        "   1)      0.00\n"
        "\f\n"
        "       ****  Page 6: ";
    EXPECT_NE(mirror.find(page5), std::string::npos);
}

// The page numbers of the headings on a screen, in order.
std::vector<int> pages_shown(const std::string& screen) {
    std::vector<int> pages;
    for (auto at = screen.find("Page "); at != std::string::npos; at = screen.find("Page ", at))
        pages.push_back(std::stoi(screen.substr(at += 5)));
    return pages;
}

TEST(OffsetPages, ForcesOnPageSevenShowTheVesselPage) {
    // Two force directions on page 7: Return shows page 8; back on page 7 the forces are taken
    // away again, and Return shows page 9. The session ends with a save of the unchanged file.
    ScratchFolder folder;
    const ProgramRun session =
        testing::run_program("lintar", "C\nJ7\n1\n2\n\nB\n1\n0\n\nL\n1\n", folder.path());
    EXPECT_EQ(session.status, 0);
    EXPECT_EQ(pages_shown(session.screen), (std::vector<int>{1, 7, 7, 8, 7, 7, 9, 17}));
}

} // namespace
} // namespace lintar
