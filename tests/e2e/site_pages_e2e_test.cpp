// End-to-end runs of the site, vessel and output pages: a new file edited on pages 1, 15 and
// 16 and saved; then the vessel page and its tanker screen, and the text copy of the pages.
#include "support/console.h"

#include "blocks/tpcm.h"
#include "datafile/tpcm_image.h"
#include "editor/tanker_screen.h"
#include "runtime/units.h"
#include "util/image_transfer.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::expected_e2e;
using testing::ProgramRun;
using testing::read_text;
using testing::ScratchFolder;

ProgramRun run(const ScratchFolder& folder, const std::string& script) {
    return testing::run_program("lintar", read_text(std::filesystem::path(LINTAR_E2E_DIR) / script),
                                folder.path());
}

// Word n (from 1) of a data file's bytes, as stored (little-endian).
std::uint32_t word(const std::string& bytes, int n) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + 4 * static_cast<std::size_t>(n - 1), 4);
    return value;
}
float real_word(const std::string& bytes, int n) {
    return std::bit_cast<float>(word(bytes, n));
}

// The word numbers of the values the sessions edit.
constexpr int CID1_word = 60;
constexpr int NUNTS_word = 117;
constexpr int DEPTH_word = 446;
constexpr int DWATR_word = 447;
constexpr int PGYR_word = 1414;
constexpr int RGYR_word = 1415;
constexpr int YGYR_word = 1416;
constexpr int VKMT_word = 1417;
constexpr int BILGR_word = 1421;
constexpr int DRAFT_word = 1412;
constexpr int DISPL_word = 1409;
constexpr int NSTIFV_word = 78650;
constexpr int NTO_word = 78790;
constexpr int EPSDST_word = 78935;

void load(const std::filesystem::path& name) {
    std::vector<std::uint32_t> image(tpcm_word_count, 0u);
    std::int32_t count = tpcm_word_count;
    std::int32_t IERR = 0;
    DISKIO(1, count, name.string(), 1, IERR, image, 5);
    ASSERT_EQ(IERR, 0);
    set_tpcm_image(image);
}

void save(const std::filesystem::path& name) {
    std::vector<std::uint32_t> image = tpcm_image();
    std::int32_t count = tpcm_word_count;
    std::int32_t IERR = 0;
    DISKIO(0, count, name.string(), 1, IERR, image, 5);
    ASSERT_EQ(IERR, 0);
}

TEST(SitePages, NewFileEditedOnPagesOneFifteenAndSixteen) {
    ScratchFolder folder;
    const ProgramRun session = run(folder, "site_pages.in");
    EXPECT_EQ(session.status, 0);
    EXPECT_EQ(session.screen, expected_e2e("title.out") + expected_e2e("site_pages.out"));
    const std::string bytes = folder.read("CATDAT");
    ASSERT_EQ(bytes.size(), 318704u);
    EXPECT_EQ(bytes.substr(4 * (CID1_word - 1), 80), "TEST RUN" + std::string(72, ' '));
    EXPECT_EQ(word(bytes, NUNTS_word), 1u);
    EXPECT_EQ(real_word(bytes, DEPTH_word), 30.48f);
    constexpr double rel_tol = 1e-6; // float factors; a wrong one is off by > 1e-3
    const double density = 64.0 * 0.45359248 / (0.3048 * 0.3048 * 0.3048);
    EXPECT_NEAR(real_word(bytes, DWATR_word), density, rel_tol * density);
    EXPECT_EQ(word(bytes, NTO_word), 1u);
    EXPECT_EQ(word(bytes, NSTIFV_word), 1u);
    EXPECT_EQ(real_word(bytes, EPSDST_word), 0.5f);
}

TEST(SitePages, VesselPageTankerScreenAndTextCopy) {
    ScratchFolder folder;
    ASSERT_EQ(run(folder, "site_pages.in").status, 0);
    // A force direction, so that the vessel page is shown, and values of the vessel's own.
    load(folder.path() / "CATDAT");
    TPCM.NFCDIR = 1;
    TPCM.FRCVEC(1, 1) = 1.0f;
    TPCM.DISPL = 5000.0f;
    TPCM.VKMT = 20.0f;
    TPCM.VKML = 400.0f;
    TPCM.TVKB = 5.0f;
    TPCM.VKG = 8.0f;
    TPCM.CG_to_Midship = 1.5f;
    TPCM.AWP = 2000.0f;
    TPCM.LWL = 100.0f;
    TPCM.BWL = 30.0f;
    TPCM.DRAFT = 6.0f;
    TPCM.DWTONS = 0.0f;
    save(folder.path() / "CATDAT");

    const ProgramRun session = run(folder, "site_pages_vessel.in");
    EXPECT_EQ(session.status, 0);
    // The page after its edits, and the tanker screen's deadweight prompt.
    EXPECT_NE(session.screen.find(expected_e2e("site_pages_vessel.out")), std::string::npos);
    EXPECT_NE(session.screen.find(" 1. Deadweight ...............      0. Long Tons\n"
                                  " Enter new value: "),
              std::string::npos);

    // The estimates the letters chose (gyradii and bilge radius, metric) reached the file;
    // the displacement, not chosen, kept its value.
    TankerValues estimate;
    {
        testing::ScriptedConsole console;
        estimate.DWTONS = 50000.0f;
        estimate.DRAFT = 10.0f;
        std::int32_t LBACK = 0;
        ESTIM8(estimate, screen_unit, keyboard_unit, LBACK, 1);
        ASSERT_EQ(console.screen(), "");
    }
    const std::string bytes = folder.read("CATDAT");
    EXPECT_EQ(real_word(bytes, VKMT_word), 35.5f);
    EXPECT_EQ(real_word(bytes, DRAFT_word), 10.0f);
    EXPECT_EQ(real_word(bytes, DISPL_word), 5000.0f);
    EXPECT_EQ(real_word(bytes, RGYR_word), estimate.RGYR);
    EXPECT_EQ(real_word(bytes, PGYR_word), estimate.PGYR);
    EXPECT_EQ(real_word(bytes, YGYR_word), estimate.YGYR);
    EXPECT_EQ(real_word(bytes, BILGR_word), estimate.BILGR);

    // The text copy holds the pages as they were saved, each followed by the break between
    // two screens (a form feed or three empty lines).
    const std::string copy = folder.read("CATIN.stxt");
    const std::string sections = expected_e2e("site_pages_mirror.out");
    const std::string marker = "<SECTION>\n";
    std::size_t from = 0;
    for (int k = 1; from <= sections.size(); ++k) {
        const auto to = std::min(sections.find(marker, from), sections.size());
        const std::string page = sections.substr(from, to - from);
        SCOPED_TRACE(::testing::Message() << "section " << k << ":\n" << page);
        const bool found = copy.find(page + "\f\n") != std::string::npos ||
                           copy.find(page + "\n\n\n") != std::string::npos;
        EXPECT_TRUE(found);
        from = to + marker.size();
    }
}

} // namespace
} // namespace lintar
