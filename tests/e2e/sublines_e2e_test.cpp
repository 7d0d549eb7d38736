// End-to-end run of the subline page through the built editor: a session that enters a
// three-type mooring (a chain, a wire over a chain, a rope) into a new data file: the counts on
// pages 2 and 3, then every subline and the types' line numbers on page 4, using the material
// estimator, a copy of all sublines, an exchange, an insertion and a deletion of whole types;
// the data file saved and the mirror of the page are compared with what was entered.
#include "support/console.h"

#include "blocks/tpcm.h"
#include "datafile/tpcm_image.h"
#include "util/image_transfer.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::ProgramRun;
using testing::read_text;
using testing::ScratchFolder;

std::filesystem::path e2e_file(const std::string& name) {
    return std::filesystem::path(LINTAR_E2E_DIR) / name;
}

void load(const std::filesystem::path& name) {
    std::vector<std::uint32_t> image(tpcm_word_count, 0u);
    std::int32_t count = tpcm_word_count;
    std::int32_t IERR = 0;
    DISKIO(1, count, name.string(), 1, IERR, image, 5);
    ASSERT_EQ(IERR, 0);
    set_tpcm_image(image);
}

// The screens of page 4 in a mirror text, each without the empty lines and page breaks that
// separate it from the next.
std::vector<std::string> subline_screens(const std::string& text) {
    std::vector<std::string> screens;
    std::istringstream in(text);
    std::vector<std::string> lines;
    bool in_page = false;
    const auto close = [&] {
        while (!lines.empty() && (lines.back().empty() || lines.back() == "\f"))
            lines.pop_back();
        if (lines.empty())
            return;
        std::string screen;
        for (const auto& line : lines)
            screen += line + "\n";
        screens.push_back(screen);
        lines.clear();
    };
    for (std::string line; std::getline(in, line);) {
        if (line.find("****** Page 4") != std::string::npos) {
            close();
            in_page = true;
        } else if (in_page && line.find("Page 5:") != std::string::npos) {
            close();
            in_page = false;
        }
        if (in_page)
            lines.push_back(line);
    }
    close();
    return screens;
}

std::string name_at(int s, int t) {
    return std::string(TPCM.SCOMP(s, t).data(), 8);
}

// The estimates are a few single-precision operations on the material table.
constexpr double rel_tol = 2e-6;
void expect_estimate(float actual, double expected) {
    EXPECT_NEAR(actual, expected, rel_tol * std::abs(expected));
}

TEST(SublinePageSession, EntersAThreeTypeMooring) {
    ScratchFolder folder;
    ASSERT_EQ(testing::run_program("lintar", "C\nL\n1\n", folder.path()).status, 0);
    const ProgramRun session =
        testing::run_program("lintar", read_text(e2e_file("sublines.in")), folder.path());
    ASSERT_EQ(session.status, 0) << session.screen;
    EXPECT_NE(
        session.screen.find(" >>> More elements in source Type (2) than destination Type (3).\n"
                            "     Only the first 1 Elements will be copied...\n"),
        std::string::npos);

    // The mirror shows every subline screen, as entered.
    ASSERT_TRUE(folder.has("CATIN.stxt"));
    EXPECT_EQ(subline_screens(folder.read("CATIN.stxt")),
              subline_screens(read_text(e2e_file("sublines_mirror.out"))));
    EXPECT_EQ(subline_screens(folder.read("CATIN.stxt")).size(), 4u);

    // The data file holds every subline at its words.
    load(folder.path() / "CATDAT");
    EXPECT_EQ(TPCM.NLIN, 3);
    EXPECT_EQ(TPCM.NTYP, 3);
    EXPECT_EQ(TPCM.ANCDEF, 1);
    EXPECT_EQ(TPCM.LINTYP(1, 1), 1);
    EXPECT_EQ(TPCM.LINTYP(1, 2), 2);
    EXPECT_EQ(TPCM.LINTYP(1, 3), 3);
    EXPECT_EQ(TPCM.NELEM(1), 1);
    EXPECT_EQ(TPCM.NELEM(2), 2);
    EXPECT_EQ(TPCM.NELEM(3), 1);

    // Type A: the chain, entered over a copy of the wire, then exchanged from type C.
    EXPECT_EQ(name_at(1, 1), "CHAIN   ");
    EXPECT_EQ(TPCM.SLEN(1, 1), 2000.0f);
    EXPECT_EQ(TPCM.DIAM(1, 1), 3.0f);
    EXPECT_EQ(TPCM.WETWT(1, 1), 0.25f); // 250 lbs/ft entered
    EXPECT_EQ(TPCM.DRYWT(1, 1), 0.001f * 300.0f);
    EXPECT_EQ(TPCM.TBRK(1, 1), 970.2f);
    EXPECT_EQ(TPCM.COFMST(1, 1), 1.0f);
    EXPECT_EQ(TPCM.COFDMT(1, 1), 2.5f);
    EXPECT_EQ(TPCM.ALPHA(1, 1, 1), 9.771e-6f);
    EXPECT_EQ(TPCM.ALPHA(2, 1, 1), 0.0f);
    EXPECT_EQ(TPCM.ALPHA(3, 1, 1), 0.0f);
    EXPECT_EQ(TPCM.ANCHGT(1), 1100.0f);
    EXPECT_EQ(TPCM.ANCTYP(1), 1);

    // Type B: the wire over the chain from the estimator (3 in stud-link chain in seawater).
    EXPECT_EQ(name_at(1, 2), "WIRE    ");
    EXPECT_EQ(TPCM.SLEN(1, 2), 1500.0f);
    EXPECT_EQ(TPCM.DIAM(1, 2), 3.5f);
    EXPECT_EQ(TPCM.WETWT(1, 2), 0.001f * 19.5f);
    EXPECT_EQ(TPCM.DRYWT(1, 2), 0.001f * 22.7f);
    EXPECT_EQ(TPCM.TBRK(1, 2), 1100.0f);
    EXPECT_EQ(TPCM.ALPHA(1, 1, 2), 8.0e-6f);
    EXPECT_EQ(name_at(2, 2), "CHAIN   ");
    EXPECT_EQ(TPCM.SLEN(2, 2), 800.0f);
    EXPECT_EQ(TPCM.DIAM(2, 2), 3.0f);
    expect_estimate(TPCM.WETWT(2, 2), (7.82 - 1.025) / 7.82 * 0.001 * 10 * 9);
    expect_estimate(TPCM.DRYWT(2, 2), 0.001 * 10 * 9);
    expect_estimate(TPCM.TBRK(2, 2), 107.8 * 9);
    expect_estimate(TPCM.ALPHA(1, 2, 2), 0.00948 / (107.8 * 9));
    EXPECT_EQ(TPCM.ALPHA(2, 2, 2), 0.0f);
    EXPECT_EQ(TPCM.COFDMT(2, 2), 2.5f);
    EXPECT_EQ(TPCM.ANCHGT(2), 1000.0f);
    EXPECT_EQ(TPCM.ANCTYP(2), 1);

    // Type C: the braided nylon rope of 4 in from the estimator, with its transparent bottom.
    const double TB = 38.38 * std::pow(4.0, 1.791);
    EXPECT_EQ(name_at(1, 3), "NYLON   ");
    EXPECT_EQ(TPCM.SLEN(1, 3), 1200.0f);
    EXPECT_EQ(TPCM.DIAM(1, 3), 4.0f);
    expect_estimate(TPCM.WETWT(1, 3), (1.14 - 1.025) / 1.14 * 0.001 * 0.29 * 16);
    expect_estimate(TPCM.DRYWT(1, 3), 0.001 * 0.29 * 16);
    expect_estimate(TPCM.TBRK(1, 3), TB);
    expect_estimate(TPCM.ALPHA(1, 1, 3), 0.811 / TB);
    expect_estimate(TPCM.ALPHA(2, 1, 3), -0.584 / (TB * TB));
    expect_estimate(TPCM.ALPHA(3, 1, 3), 0.154 / (TB * TB * TB));
    EXPECT_EQ(TPCM.COFMST(1, 3), 1.1f);
    EXPECT_EQ(TPCM.COFDMT(1, 3), 1.2f);
    EXPECT_EQ(TPCM.ANCHGT(3), 900.0f);
    EXPECT_EQ(TPCM.ANCTYP(3), 0);

    // The type inserted and deleted again leaves the next type as a new file has it.
    EXPECT_EQ(name_at(1, 4), "        ");
    EXPECT_EQ(TPCM.SLEN(1, 4), 0.0f);
    EXPECT_EQ(TPCM.COFMST(1, 4), 1.0f);
    EXPECT_EQ(TPCM.ANCTYP(4), 1);
}

} // namespace
} // namespace lintar
