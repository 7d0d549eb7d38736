// End-to-end runs of the editor on data files from older versions, other programs and other
// machines, and on damaged files: the notes on the screen and in "DATUPWRN.stxt", the exit
// status, and the files on disk (<BEL> in an expected text stands for the bell character).
#include "support/console.h"

#include "blocks/tpcm.h"
#include "datafile/tpcm_image.h"
#include "support/data_files.h"
#include "support/old_layout.h"
#include "util/image_transfer.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::expected_e2e;
using testing::ProgramRun;
using testing::read_text;
using testing::ScratchFolder;
using Names = std::vector<std::string>;

const std::string abort_prompt = "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ";
const std::string return_pause = " \n Press <RETURN> to continue: ";

ProgramRun run(const ScratchFolder& folder, const std::string& script) {
    return testing::run_program("lintar", expected_e2e(script), folder.path());
}

Names files_in(const ScratchFolder& folder) {
    Names names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A text without its last part (the prompt or pause that follows the notes on the screen).
std::string without_tail(const std::string& text, const std::string& tail) {
    EXPECT_TRUE(text.ends_with(tail));
    return text.substr(0, text.size() - tail.size());
}

TEST(OldFiles, OlderLayoutIsResizedAndSavedWithEveryValue) {
    ScratchFolder folder;
    testing::write_older_data_file("CATDAT", [] {
        testing::fill_fixture_mooring();
        TPCM.IUNIT = 1;
    });
    const std::string old_file = folder.read("CATDAT");
    ASSERT_EQ(old_file.size(), 4u * 14825u);

    const ProgramRun session = run(folder, "old_file.in");
    EXPECT_EQ(session.status, 0);
    const std::string notes = expected_e2e("title.out") + expected_e2e("old_file.out");
    EXPECT_EQ(session.screen.substr(0, notes.size()), notes);
    EXPECT_EQ(folder.read("DATUPWRN.stxt"),
              without_tail(expected_e2e("old_file.out"), abort_prompt));

    // The save keeps the file as it was as the backup and writes the current layout.
    EXPECT_EQ(files_in(folder), (Names{"CATBAK", "CATDAT", "DATUPWRN.stxt"}));
    EXPECT_EQ(folder.read("CATBAK"), old_file);
    std::vector<std::uint32_t> image(tpcm_word_count, 0u);
    std::int32_t count = tpcm_word_count, IERR = 0;
    DISKIO(1, count, "CATDAT", 1, IERR, image, 5);
    ASSERT_EQ(IERR, 0);
    set_tpcm_image(image);
    EXPECT_EQ(TPCM.DAT_ID, 149);
    EXPECT_EQ(TPCM.VERNO, 6.8f);
    EXPECT_EQ(TPCM.NTYP, 3);
    EXPECT_EQ(TPCM.NLIN, 6);
    const auto saved = std::make_unique<TpcmBlock>(TPCM);
    const TpcmBlock& loaded = *saved;
    testing::fill_fixture_mooring(); // the values the old file held, at their indices
    for (int t = 1; t <= 3; ++t) {
        SCOPED_TRACE(t);
        for (int e = 1; e <= 4; ++e) {
            EXPECT_EQ(loaded.SLEN(e, t), TPCM.SLEN(e, t));
            for (int k = 1; k <= 3; ++k)
                EXPECT_EQ(loaded.ALPHA(k, e, t), TPCM.ALPHA(k, e, t));
            EXPECT_EQ(std::string(loaded.SCOMP(e, t).data(), 8),
                      std::string(TPCM.SCOMP(e, t).data(), 8));
        }
        for (int i = 1; i <= 2; ++i)
            EXPECT_EQ(loaded.LINTYP(i, t), TPCM.LINTYP(i, t));
    }
    for (int i = 1; i <= 6; ++i) {
        for (int k = 1; k <= 3; ++k)
            EXPECT_EQ(loaded.RFLD(k, i), TPCM.RFLD(k, i));
        EXPECT_EQ(loaded.ANGDEP(i), TPCM.ANGDEP(i));
    }
}

TEST(OldFiles, FilesThatCannotBeTakenAreRefused) {
    struct Case {
        std::string script;
        std::function<void()> fill;
        std::int32_t words;
    };
    const Case cases[] = {
        {"double_precision_file", [] { TPCM.DP_FLAG = 1; }, 79676},
        {"too_old_file", [] { TPCM.VERNO = 4.95f; }, 79676},
        {"other_program_version",
         [] {
             TPCM.NTOGO = 79524;
             TPCM.SIMTYP = 7;
             TPCM.VERNO = 6.5f;
         },
         79524},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        ScratchFolder folder;
        testing::write_data_file("CATDAT", c.fill, c.words);
        const std::string file = folder.read("CATDAT");
        const ProgramRun session = run(folder, c.script + ".in");
        EXPECT_EQ(session.status, 1);
        EXPECT_EQ(session.screen, expected_e2e("title.out") + expected_e2e(c.script + ".out"));
        // The fatal note stays in the note file; the data file is as it was, no backup made.
        EXPECT_EQ(folder.read("DATUPWRN.stxt"),
                  without_tail(expected_e2e(c.script + ".out"), return_pause));
        EXPECT_EQ(files_in(folder), (Names{"CATDAT", "DATUPWRN.stxt"}));
        EXPECT_EQ(folder.read("CATDAT"), file);
    }
}

TEST(OldFiles, RandomBytesAreRefusedWithAReason) {
    // Files of random bytes of several sizes: shorter than two words, short, of the image's
    // size, longer. Each is shown as damaged and, taken on, refused as a file of an unknown
    // program that must be updated first.
    const std::size_t sizes[] = {0, 6, 4000, 318704, 400003};
    std::mt19937 random(1234u);
    for (const std::size_t size : sizes) {
        SCOPED_TRACE(size);
        ScratchFolder folder;
        std::string bytes(size, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random() & 0xFFu);
        folder.write("CATDAT", bytes);
        const ProgramRun session = testing::run_program("lintar", "M\n\n\n\n", folder.path());
        EXPECT_EQ(session.status, 1);
        EXPECT_NE(session.screen.find(" ++> Warning: Data file is seriously corrupt.\n"),
                  std::string::npos);
        EXPECT_NE(session.screen.find(" ++> Input Data File Creator was ???????\n"
                                      "     Before importing this data file, you MUST first "
                                      "update it\n"),
                  std::string::npos);
        EXPECT_EQ(files_in(folder), (Names{"CATDAT", "DATUPWRN.stxt"}));
        EXPECT_EQ(folder.read("CATDAT"), bytes);
    }
}

} // namespace
} // namespace lintar
