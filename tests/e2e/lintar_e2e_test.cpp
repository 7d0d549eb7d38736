// End-to-end runs of the built editor: each in a fresh folder with a scripted keyboard; the
// whole screen, the files written and the exit status are compared with the expected files
// kept here (<BEL> stands for the bell character, <FF> for a form feed).
#include "support/console.h"

#include "blocks/tpcm.h"
#include "datafile/tpcm_image.h"
#include "util/image_transfer.h"

#include <algorithm>
#include <cmath>
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

ProgramRun run_keys(const ScratchFolder& folder, const std::string& keyboard) {
    return testing::run_program("lintar", keyboard, folder.path());
}

// A data file made by a first session (create, save and exit), as every later session finds
// it.
void create_data_file(const ScratchFolder& folder) {
    const ProgramRun setup = run_keys(folder, "C\nL\n1\n");
    ASSERT_EQ(setup.status, 0);
    ASSERT_TRUE(folder.has("CATDAT"));
}

// Reads a data file into TPCM.
void load(const std::filesystem::path& name) {
    std::vector<std::uint32_t> image(tpcm_word_count, 0u);
    std::int32_t count = tpcm_word_count;
    std::int32_t IERR = 0;
    DISKIO(1, count, name.string(), 1, IERR, image, 5);
    ASSERT_EQ(IERR, 0);
    set_tpcm_image(image);
}

// Writes TPCM as the data file `name`.
void store(const std::filesystem::path& name) {
    std::vector<std::uint32_t> image = tpcm_image();
    std::int32_t count = tpcm_word_count;
    std::int32_t IERR = 0;
    DISKIO(0, count, name.string(), 1, IERR, image, 5);
    ASSERT_EQ(IERR, 0);
}

// The data file of a first session given, as the pages would give it, one line that the
// pre-run checks find nothing to say about: a subline of positive length and dry weight, long
// enough to reach its anchor, with a fairlead and a departure angle.
void create_sound_data_file(const ScratchFolder& folder) {
    create_data_file(folder);
    load(folder.path() / "CATDAT");
    TPCM.SLEN(1, 1) = 1000.0f;
    TPCM.DRYWT(1, 1) = 0.1f;
    TPCM.ANCHGT(1) = 100.0f;
    TPCM.DEPTH = 100.0f;
    TPCM.DRAFT = 10.0f;
    TPCM.RFLD(3, 1) = -10.0f;
    TPCM.ANGDEP(1) = 0.5f;
    store(folder.path() / "CATDAT");
}

std::vector<std::string> files_in(const ScratchFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

using Names = std::vector<std::string>;

TEST(Lintar, NewFileIsCreatedWithItsDefaults) {
    ScratchFolder folder;
    const ProgramRun run_ = run(folder, "new_file.in");
    EXPECT_EQ(run_.status, 0);
    EXPECT_EQ(run_.screen, expected_e2e("title.out") + expected_e2e("new_file.out"));
    EXPECT_EQ(files_in(folder), (Names{"CATDAT"}));
    EXPECT_EQ(std::filesystem::file_size(folder.path() / "CATDAT"), 318704u);
    load(folder.path() / "CATDAT");
    // The identity.
    EXPECT_EQ(TPCM.NTOGO, 79676);
    EXPECT_EQ(TPCM.SIMTYP, 8);
    EXPECT_EQ(TPCM.VERNO, 6.8f);
    EXPECT_EQ(TPCM.CMPUTR, 5);
    EXPECT_EQ(TPCM.IYEAR, 2020);
    EXPECT_EQ(TPCM.IBATCH, 0);
    // The defaults of a new file.
    EXPECT_EQ(TPCM.VESTYP, 1);
    EXPECT_EQ(TPCM.NWP, 30);
    EXPECT_EQ(TPCM.DWATR, 64.0f);
    EXPECT_EQ(TPCM.T(1), 5.0f);
    EXPECT_EQ(TPCM.T(100), 54.5f);
    EXPECT_EQ(TPCM.LCBARG, 273);
    EXPECT_EQ(TPCM.NLAT, 1);
    EXPECT_EQ(TPCM.NOFFL, 1);
    EXPECT_EQ(TPCM.EPSDST, 0.01f);
    EXPECT_EQ(TPCM.IUNIT, 1);
    // The editor's defaults: every load, and a new file's mooring.
    EXPECT_EQ(TPCM.MAXELM, 25);
    EXPECT_EQ(TPCM.MAXTYP, 149);
    EXPECT_EQ(TPCM.LDYN, 0);
    EXPECT_EQ(TPCM.LQUAS, 1);
    EXPECT_EQ(TPCM.NTYP, 1);
    EXPECT_EQ(TPCM.NLIN, 1);
    EXPECT_EQ(TPCM.NUMTAB, 90);
    EXPECT_EQ(TPCM.NLAYER, 7);
    EXPECT_EQ(TPCM.LINTYP(149, 1), 149);
    EXPECT_EQ(TPCM.NELEM(149), 1);
    EXPECT_EQ(TPCM.ANCTYP(1), 1);
    EXPECT_EQ(TPCM.COFDMT(25, 149), 1.0f);
    EXPECT_EQ(std::string(TPCM.SCOMP(25, 149).data(), 8), "        ");
    EXPECT_EQ(TPCM.MS3DOF, 1);
    // The session-only words never reach the file.
    EXPECT_EQ(TPCM.LBACK, 0);
    EXPECT_EQ(TPCM.IPAG, 0);
    EXPECT_EQ(TPCM.LCOPY, 0);
    EXPECT_EQ(TPCM.EDUNIT, 0);
}

TEST(Lintar, SessionWithoutEditsWritesNothing) {
    ScratchFolder folder;
    create_data_file(folder);
    const std::string bytes = folder.read("CATDAT");
    const auto time = std::filesystem::last_write_time(folder.path() / "CATDAT");
    for (const std::string keyboard : {"M\nL\n2\n", "M\nL\n1\n"}) {
        SCOPED_TRACE(keyboard);
        const ProgramRun session = run_keys(folder, keyboard);
        EXPECT_EQ(session.status, 0);
        EXPECT_EQ(session.screen, expected_e2e("title.out") + expected_e2e("new_file.out"));
        EXPECT_EQ(files_in(folder), (Names{"CATDAT"}));
        EXPECT_EQ(folder.read("CATDAT"), bytes);
        EXPECT_EQ(std::filesystem::last_write_time(folder.path() / "CATDAT"), time);
    }
}

TEST(Lintar, EditedSessionsRotateTheBackups) {
    ScratchFolder folder;
    create_data_file(folder);
    const std::string first = folder.read("CATDAT");
    // "B" opens the file with the batch flag: the image changes, so the save writes it.
    EXPECT_EQ(run_keys(folder, "B\nL\n1\n").status, 0);
    EXPECT_EQ(files_in(folder), (Names{"CATBAK", "CATDAT"}));
    EXPECT_EQ(folder.read("CATBAK"), first);
    const std::string second = folder.read("CATDAT");
    EXPECT_NE(second, first);
    EXPECT_EQ(run_keys(folder, "M\nL\n1\n").status, 0);
    EXPECT_EQ(files_in(folder), (Names{"CATBAK", "CATDAT", "LASTBAK"}));
    EXPECT_EQ(folder.read("LASTBAK"), first);
    EXPECT_EQ(folder.read("CATBAK"), second);
    EXPECT_EQ(folder.read("CATDAT"), first); // the batch flag is off again
}

TEST(Lintar, CreatingOverAnExistingFileKeepsItAsTheBackup) {
    ScratchFolder folder;
    folder.write("CATDAT", "an earlier data file");
    EXPECT_EQ(run(folder, "new_file.in").status, 0);
    EXPECT_EQ(files_in(folder), (Names{"CATBAK", "CATDAT"}));
    EXPECT_EQ(folder.read("CATBAK"), "an earlier data file");
    EXPECT_EQ(std::filesystem::file_size(folder.path() / "CATDAT"), 318704u);
}

TEST(Lintar, ExecuteWritesTheMirrorAndSaves) {
    ScratchFolder folder;
    create_sound_data_file(folder);
    const std::string before = folder.read("CATDAT");
    const ProgramRun session = run(folder, "execute.in");
    EXPECT_EQ(session.status, 0);
    EXPECT_EQ(session.screen, expected_e2e("title.out") + expected_e2e("execute.out"));
    EXPECT_EQ(folder.read("CATIN.stxt"), expected_e2e("CATIN.stxt.out"));
    // The checks of the Execute set one layer and no span (no offsets are given), so the
    // image changed and was saved, the old file kept as the backup.
    EXPECT_EQ(files_in(folder), (Names{"CATBAK", "CATDAT", "CATIN.stxt"}));
    EXPECT_EQ(folder.read("CATBAK"), before);
    load(folder.path() / "CATDAT");
    EXPECT_EQ(TPCM.NLAYER, 1);
    EXPECT_EQ(TPCM.ZSPAN, 0.0f);
}

TEST(Lintar, SilentExecuteWaitsOnlyAtTheEnd) {
    ScratchFolder folder;
    create_sound_data_file(folder);
    const ProgramRun session = run(folder, "silent_execute.in");
    EXPECT_EQ(session.status, 0);
    EXPECT_EQ(session.screen, expected_e2e("title.out") + expected_e2e("execute.out"));
    EXPECT_EQ(folder.read("Diagnostics.stxt"), ""); // no check found anything
    EXPECT_EQ(folder.read("CATIN.stxt"), expected_e2e("CATIN.stxt.out"));
    EXPECT_TRUE(folder.has("CATBAK"));
}

TEST(Lintar, NavigationThroughThePages) {
    ScratchFolder folder;
    const ProgramRun session = run(folder, "navigation.in");
    EXPECT_EQ(session.status, 0);
    EXPECT_EQ(session.screen, expected_e2e("title.out") + expected_e2e("navigation.out"));
    EXPECT_EQ(files_in(folder), Names{});
}

TEST(Lintar, BadAnswersAndMissingFiles) {
    struct Case {
        std::string script;
        bool data_file;
        int status;
    };
    const Case cases[] = {
        {"bad_title", false, 1}, {"missing_data_file", false, 1}, {"end_of_input", false, 1},
        {"exit_abort", true, 0}, {"import_blank_path", true, 0},  {"import_missing_file", true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        ScratchFolder folder;
        if (c.data_file)
            create_data_file(folder);
        const std::string before = c.data_file ? folder.read("CATDAT") : "";
        const ProgramRun session = run(folder, c.script + ".in");
        EXPECT_EQ(session.status, c.status);
        EXPECT_EQ(session.screen, expected_e2e("title.out") + expected_e2e(c.script + ".out"));
        // Nothing was written.
        EXPECT_EQ(files_in(folder), c.data_file ? Names{"CATDAT"} : Names{});
        if (c.data_file) {
            EXPECT_EQ(folder.read("CATDAT"), before);
        }
    }
}

TEST(Lintar, FailedSaveLeavesTheFilesWhole) {
    // A folder in the place of the temporary file the save writes first: the write fails as
    // it would in a read-only folder (which does not stop the root user the tests may run as).
    ScratchFolder folder;
    create_data_file(folder);
    const std::string before = folder.read("CATDAT");
    std::filesystem::create_directory(folder.path() / "CATDAT.tmp");
    const ProgramRun session = run(folder, "save_failure.in");
    EXPECT_EQ(session.status, 1);
    EXPECT_EQ(session.screen, expected_e2e("title.out") + expected_e2e("save_failure.out"));
    EXPECT_EQ(files_in(folder), (Names{"CATDAT", "CATDAT.tmp"}));
    EXPECT_EQ(folder.read("CATDAT"), before);
}

// Both imports identify the file first: a text file is refused with its name and the reason,
// the data file stays as it was and still opens.
TEST(Lintar, ImportsRefuseATextFile) {
    ScratchFolder folder;
    create_data_file(folder);
    std::string text;
    for (int line = 1; line <= 600; ++line)
        text += "Line " + std::to_string(line) + " of the notes of a mooring survey, not data.\n";
    folder.write("notes.txt", text);
    const std::string before = folder.read("CATDAT");
    const ProgramRun session = run(folder, "import_text_file.in");
    EXPECT_EQ(session.status, 0);
    EXPECT_EQ(session.screen, expected_e2e("title.out") + expected_e2e("import_text_file.out"));
    EXPECT_EQ(files_in(folder), (Names{"CATDAT", "notes.txt"}));
    EXPECT_EQ(folder.read("CATDAT"), before);
    const ProgramRun reopened = run_keys(folder, "M\nL\n2\n");
    EXPECT_EQ(reopened.status, 0);
    EXPECT_EQ(reopened.screen.find("corrupt"), std::string::npos);
}

// The independent unit factors: 1 ft = 0.3048 m, 1 in = 25.4 mm, 1 kip = 0.45359237 t.
constexpr double metres_per_foot = 0.3048;
constexpr double mm_per_inch = 25.4;
constexpr double tonnes_per_kip = 0.45359237;

void expect_close(double value, double expected) {
    EXPECT_NEAR(value, expected, 2e-4 * std::abs(expected));
}

// A metric mooring of this program imported into a new (English) file: the success line, and
// the numbers keep their meaning in the file's own units.
TEST(Lintar, MetricMooringImportKeepsItsMeaning) {
    ScratchFolder folder;
    create_data_file(folder);
    load(folder.path() / "CATDAT");
    TPCM.NUNTS = 1;
    TPCM.NLIN = 9;
    TPCM.SLEN(1, 1) = 150.0f;
    TPCM.DIAM(1, 1) = 84.0f;
    TPCM.TBRK(1, 1) = 502.68f;
    store(folder.path() / "MOORING");
    const ProgramRun session = run(folder, "import_metric_mooring.in");
    EXPECT_EQ(session.status, 0);
    EXPECT_EQ(session.screen,
              expected_e2e("title.out") + expected_e2e("import_metric_mooring.out"));
    load(folder.path() / "CATDAT");
    EXPECT_EQ(TPCM.NUNTS, 0);
    EXPECT_EQ(TPCM.NLIN, 9);
    expect_close(TPCM.SLEN(1, 1), 150.0 / metres_per_foot);
    expect_close(TPCM.DIAM(1, 1), 84.0 / mm_per_inch);
    expect_close(TPCM.TBRK(1, 1), 502.68 / tonnes_per_kip);
    EXPECT_EQ(run_keys(folder, "M\nL\n2\n").status, 0);
}

// An English vessel imported into a metric file: the file stays metric, the vessel's numbers
// are converted and the file's own mooring keeps its millimetres.
TEST(Lintar, EnglishVesselImportKeepsItsMeaning) {
    ScratchFolder folder;
    create_data_file(folder);
    load(folder.path() / "CATDAT");
    TPCM.DEPTH = 492.126f;
    TPCM.DRAFT = 49.2126f;
    TPCM.DISPL = 330693.0f;
    store(folder.path() / "VESSEL");
    load(folder.path() / "CATDAT");
    TPCM.NUNTS = 1;
    TPCM.DIAM(1, 1) = 84.0f;
    store(folder.path() / "CATDAT");
    const ProgramRun session = run_keys(folder, "M\nL\n7\nVESSEL\n\n1\n");
    EXPECT_EQ(session.status, 0);
    EXPECT_NE(session.screen.find(" >>> The import file holds English units; its data are "
                                  "converted to metric units.\n"
                                  " >>> Import successful!\n"),
              std::string::npos);
    load(folder.path() / "CATDAT");
    EXPECT_EQ(TPCM.NUNTS, 1);
    expect_close(TPCM.DEPTH, 492.126 * metres_per_foot);
    expect_close(TPCM.DRAFT, 49.2126 * metres_per_foot);
    expect_close(TPCM.DISPL, 330693.0 * tonnes_per_kip);
    EXPECT_EQ(TPCM.DIAM(1, 1), 84.0f);
}

// A water depth that is not positive, and a displacement that is not positive under a force
// sequence, are fatal warnings of the Execute: the menu comes back and nothing is written.
TEST(Lintar, NonpositiveDepthAndDisplacementAreRefusedAtExecute) {
    struct Case {
        std::string name;
        void (*change)();
        std::string message;
    };
    const Case cases[] = {
        {"depth -150", [] { TPCM.DEPTH = -150.0f; },
         "\n ++> Fatal Warning: Nonpositive water depth.\n"},
        {"displacement -1 under a force sequence",
         [] {
             TPCM.DISPL = -1.0f;
             TPCM.NFCDIR = 1;
             TPCM.NFCOFF = 1;
             TPCM.FRCVEC(2, 1) = 1.0f;
         },
         "\n ++> Fatal Warning: Nonpositive vessel displacement with force or couple\n"
         "     offset directions specified.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        create_sound_data_file(folder);
        load(folder.path() / "CATDAT");
        TPCM.DISPL = 1000.0f;
        c.change();
        store(folder.path() / "CATDAT");
        const std::string before = folder.read("CATDAT");
        // Execute, Return after the message, then exit without saving, Return past its warning.
        const ProgramRun session = run_keys(folder, "M\nL\n3\n\n2\n\n");
        EXPECT_EQ(session.status, 0);
        EXPECT_NE(session.screen.find(c.message + " \n Press <RETURN> to continue: "),
                  std::string::npos);
        EXPECT_EQ(session.screen.find("ready for submission"), std::string::npos);
        EXPECT_EQ(folder.read("CATDAT"), before);
        EXPECT_EQ(files_in(folder), Names{"CATDAT"});
    }
}

} // namespace
} // namespace lintar
