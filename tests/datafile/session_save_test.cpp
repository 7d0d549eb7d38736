// Tests of the end of the session: the backup rotation, what the save writes and when, the
// exit-without-saving warning, the closing message of an Execute, the hand-over and HARDWIRE.
#include "datafile/session_save.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "datafile/tpcm_image.h"
#include "editor/identity.h"
#include "runtime/units.h"
#include "support/data_files.h"
#include "support/temporary_files.h"
#include "util/answer_reader.h"
#include "util/file_services.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lintar {
namespace {

using testing::file_bytes;
using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

// An image of 79,676 words whose first word tells it apart.
std::vector<std::uint32_t> image_marked(std::uint32_t mark) {
    std::vector<std::uint32_t> image(tpcm_word_count, 0u);
    image[0] = mark;
    image[tpcm_word_count - 1] = mark;
    return image;
}

std::string bytes_of(const std::vector<std::uint32_t>& image) {
    return std::string(reinterpret_cast<const char*>(image.data()), 4 * image.size());
}

void save(const std::vector<std::uint32_t>& image) {
    std::vector<std::uint32_t> words = image;
    BACKIT(screen_unit, "VAVIREV", 5, tpcm_word_count, words, "CATDAT", "CATBAK", "LASTBAK");
}

TEST(Backit, RotatesTheGenerationsByteForByte) {
    ScratchFolder folder;
    ScriptedConsole console;
    {
        SCOPED_TRACE("first save of a new file: the data file alone");
        save(image_marked(1));
        EXPECT_EQ(file_bytes("CATDAT"), bytes_of(image_marked(1)));
        EXPECT_FALSE(folder.has("CATBAK"));
        EXPECT_FALSE(folder.has("LASTBAK"));
    }
    {
        SCOPED_TRACE("an existing file without a backup: the file on disk becomes the backup");
        folder.write("CATDAT", "any bytes at all\r\n\x01"); // kept exactly as it was
        save(image_marked(2));
        EXPECT_EQ(file_bytes("CATDAT"), bytes_of(image_marked(2)));
        EXPECT_EQ(file_bytes("CATBAK"), "any bytes at all\r\n\x01");
        EXPECT_FALSE(folder.has("LASTBAK"));
    }
    {
        SCOPED_TRACE("two generations: the old backup becomes LASTBAK");
        save(image_marked(3));
        EXPECT_EQ(file_bytes("CATDAT"), bytes_of(image_marked(3)));
        EXPECT_EQ(file_bytes("CATBAK"), bytes_of(image_marked(2)));
        EXPECT_EQ(file_bytes("LASTBAK"), "any bytes at all\r\n\x01");
        save(image_marked(4));
        EXPECT_EQ(file_bytes("LASTBAK"), bytes_of(image_marked(2)));
    }
    EXPECT_FALSE(folder.has(temporary_name_of("CATDAT")));
    EXPECT_EQ(console.screen(), "");
}

// Whatever stands in the way of the temporary file is left as it is, and the save refused: a
// link would carry the image onto the file it points at (here the backup).
TEST(Backit, ALinkOrFolderInPlaceOfTheTemporaryFileIsLeftAndTheSaveRefused) {
    const std::string in_the_way =
        "\n"
        " ++> The save needs the name CATDAT.tmp for a file of its own, but a link,\n"
        "     a folder or another object of that name is in the way.\n";
    const std::string refusal = "\n"
                                " ++> File not found or file access error in VAVIREV\n"
                                "     File name: CATDAT\n"
                                "     Claiming the name CATDAT.tmp failed: File exists\n"
                                "     CATDAT on disk is unchanged\n"
                                " \n"
                                " Press <RETURN> to continue: ";
    const std::filesystem::path temporary = temporary_name_of("CATDAT");
    struct Case {
        const char* name;
        std::function<void(const std::filesystem::path&)> place;
    };
    const Case cases[] = {
        {"a folder", [](const auto& p) { std::filesystem::create_directory(p); }},
        {"a link to the backup",
         [](const auto& p) { std::filesystem::create_symlink("CATBAK", p); }},
        {"a link to nothing", [](const auto& p) { std::filesystem::create_symlink("NOWHERE", p); }},
        {"a named pipe", [](const auto& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        ScriptedConsole console("\n");
        folder.write("CATDAT", "old data");
        folder.write("CATBAK", "old backup");
        c.place(folder.path() / temporary);
        EXPECT_EQ(run_until_stop([] { save(image_marked(5)); }), StopKind::error);
        EXPECT_EQ(console.screen(), in_the_way + refusal);
        EXPECT_EQ(folder.read("CATDAT"), "old data");
        EXPECT_EQ(folder.read("CATBAK"), "old backup");
        EXPECT_FALSE(folder.has("LASTBAK"));
        EXPECT_FALSE(folder.has("NOWHERE"));
        EXPECT_NE(std::filesystem::symlink_status(folder.path() / temporary).type(),
                  std::filesystem::file_type::not_found);
    }
}

// The temporary file is written through the descriptor of its creation: a link put at its
// name after it was made (a racing process) is never written through, and the name no longer
// holding the file written refuses the save, the link left in place and the data file as it
// was.
TEST(Backit, ALinkPutAtTheTemporaryNameWhileItIsWrittenIsRefused) {
    const std::string refusal = "\n"
                                " ++> The save needs the name CATDAT.tmp for a file of its own, "
                                "but a link,\n"
                                "     a folder or another object of that name is in the way.\n"
                                "\n"
                                " ++> File not found or file access error in VAVIREV\n"
                                "     File name: CATDAT\n"
                                "     Claiming the name CATDAT.tmp failed: File exists\n"
                                "     CATDAT on disk is unchanged\n"
                                " \n"
                                " Press <RETURN> to continue: ";
    struct Case {
        const char* name;
        testing::Takeover how;
        bool target_there;
        bool data_file_there;
    };
    const Case cases[] = {
        {"a link to another file in place of the temporary file", testing::Takeover::link_in_place,
         true, true},
        {"the temporary file moved away, a link in its place", testing::Takeover::file_moved_away,
         true, true},
        {"a link to a file not yet there", testing::Takeover::link_in_place, false, true},
        {"a link on the first save", testing::Takeover::link_in_place, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        ScriptedConsole console("\n");
        std::filesystem::create_directory("elsewhere");
        const std::filesystem::path target = folder.path() / "elsewhere" / "keys";
        if (c.target_there)
            folder.write("elsewhere/keys", "someone else's file");
        if (c.data_file_there)
            folder.write("CATDAT", "old data");
        const testing::LinkAtTemporaryName race(target, c.how);
        EXPECT_EQ(run_until_stop([] { save(image_marked(8)); }), StopKind::error);
        EXPECT_EQ(console.screen(), refusal);
        EXPECT_EQ(folder.has("elsewhere/keys"), c.target_there);
        if (c.target_there) {
            EXPECT_EQ(folder.read("elsewhere/keys"), "someone else's file");
        }
        EXPECT_EQ(folder.has("CATDAT"), c.data_file_there);
        if (c.data_file_there) {
            EXPECT_EQ(folder.read("CATDAT"), "old data");
        }
        EXPECT_FALSE(folder.has("CATBAK"));
        EXPECT_TRUE(std::filesystem::is_symlink(temporary_name_of("CATDAT")));
    }
}

// A write that fails (here the file-size limit of the process, as a full disk would) stops
// the save with the data file whole and no temporary file left, and says why.
TEST(Backit, AWriteThatFailsRemovesTheTemporaryFile) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    folder.write("CATDAT", "old data");
    std::optional<StopKind> stop;
    {
        const testing::FileSizeLimit limit(4096);
        stop = run_until_stop([] { save(image_marked(9)); });
    }
    EXPECT_EQ(stop, StopKind::error);
    EXPECT_EQ(console.screen(), "\n"
                                " ++> File not found or file access error in VAVIREV\n"
                                "     File name: CATDAT\n"
                                "     Writing CATDAT.tmp failed: File too large\n"
                                "     CATDAT on disk is unchanged\n"
                                " \n"
                                " Press <RETURN> to continue: ");
    EXPECT_EQ(folder.read("CATDAT"), "old data");
    EXPECT_FALSE(folder.has("CATBAK"));
    EXPECT_FALSE(folder.has(temporary_name_of("CATDAT")));
}

TEST(Backit, AStaleTemporaryFileIsReplaced) {
    ScratchFolder folder;
    ScriptedConsole console;
    folder.write(temporary_name_of("CATDAT"), "left by a save that was cut short");
    save(image_marked(6));
    EXPECT_EQ(file_bytes("CATDAT"), bytes_of(image_marked(6)));
    EXPECT_FALSE(folder.has(temporary_name_of("CATDAT")));
}

// A rename that fails stops the save with the data file whole and no temporary file left.
TEST(Backit, AFailedRotationRemovesTheTemporaryFile) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    folder.write("CATDAT", "old data");
    folder.write("CATBAK", "old backup");
    std::filesystem::create_directory(folder.path() / "LASTBAK");
    folder.write("LASTBAK/keep", "a file in the folder");
    EXPECT_EQ(run_until_stop([] { save(image_marked(7)); }), StopKind::error);
    EXPECT_EQ(console.screen(), "\n"
                                " ++> File not found or file access error in VAVIREV\n"
                                "     File name: LASTBAK\n"
                                "     Renaming CATBAK to LASTBAK failed: Is a directory\n"
                                "     CATDAT on disk is unchanged\n"
                                " \n"
                                " Press <RETURN> to continue: ");
    EXPECT_EQ(folder.read("CATDAT"), "old data");
    EXPECT_EQ(folder.read("CATBAK"), "old backup");
    EXPECT_FALSE(folder.has(temporary_name_of("CATDAT")));
}

// The save of the third generation over a folder that holds two: CATDAT holds image 2 and
// CATBAK image 1.
const std::vector<std::uint32_t> old_image = image_marked(2);
const std::vector<std::uint32_t> new_image = image_marked(3);

void two_generations() {
    save(image_marked(1));
    save(old_image);
}

// One file operation as the seam saw it: "rename CATBAK LASTBAK".
std::string seen(FileOperation operation, const std::filesystem::path& from,
                 const std::filesystem::path& to) {
    static const char* const names[] = {"create", "remove",      "rename", "link",
                                        "sync",   "sync folder", "copy"};
    std::string text = names[static_cast<int>(operation)];
    for (const auto& name : {from, to})
        if (!name.empty())
            text += " " + name.string();
    return text;
}

// The operations of one save of new_image over two generations.
std::vector<std::string> operations_of_a_save() {
    ScratchFolder folder;
    ScriptedConsole console;
    two_generations();
    std::vector<std::string> operations;
    const testing::FileOperationSeam seam([&](FileOperation op, const auto& from, const auto& to) {
        operations.push_back(seen(op, from, to));
        return 0;
    });
    save(new_image);
    return operations;
}

// The order that keeps the data file whole at every instant: the image synced before it takes
// the name, the file on disk given its backup name without leaving its own, one rename over
// the data file, and the folder synced after it.
TEST(Backit, TheDataFileIsReplacedInOneRenameOfASyncedImage) {
    EXPECT_EQ(operations_of_a_save(), (std::vector<std::string>{
                                          "create CATDAT.tmp",
                                          "sync",
                                          "link CATDAT CATBAK.tmp",
                                          "rename CATBAK LASTBAK",
                                          "sync",
                                          "rename CATBAK.tmp CATBAK",
                                          "sync folder CATBAK",
                                          "rename CATDAT.tmp CATDAT",
                                          "sync folder CATDAT",
                                      }));
}

// A process killed after any operation of the save (a closed terminal, a power cut): a child
// process runs the save and ends at once, without unwinding, before operation k. CATDAT then
// holds the old image or the new one, byte for byte, and the next save works and leaves no
// temporary file behind.
TEST(Backit, ACrashAfterAnyOperationLeavesTheOldOrTheNewDataFile) {
    const std::size_t count = operations_of_a_save().size();
    for (std::size_t k = 0; k <= count; ++k) {
        SCOPED_TRACE("killed before operation " + std::to_string(k));
        ScratchFolder folder;
        ScriptedConsole console;
        two_generations();
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::size_t done = 0;
            set_file_operation_hook([&](FileOperation, const auto&, const auto&) {
                if (done++ == k)
                    std::_Exit(0);
                return 0;
            });
            save(new_image);
            std::_Exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        const std::string after_crash = file_bytes("CATDAT");
        EXPECT_TRUE(after_crash == bytes_of(old_image) || after_crash == bytes_of(new_image));
        EXPECT_EQ(after_crash, bytes_of(k < count - 1 ? old_image : new_image));

        save(image_marked(4));
        EXPECT_EQ(file_bytes("CATDAT"), bytes_of(image_marked(4)));
        EXPECT_EQ(file_bytes("CATBAK"), after_crash);
        EXPECT_FALSE(folder.has("CATDAT.tmp"));
        EXPECT_FALSE(folder.has("CATBAK.tmp"));
        EXPECT_EQ(console.screen(), "");
    }
}

// Each operation of the save failing in turn (EIO): the save stops with status 1, says which
// step failed and why, and what is on disk; CATDAT keeps the old image but when only the sync
// of the folder after the last rename failed. The save's temporary names are gone, and the
// next save works.
TEST(Backit, AFailureAtAnyStepSaysWhichAndLeavesTheDataFile) {
    struct Step {
        const char* file;
        const char* what;
    };
    const Step steps[] = {
        {"CATDAT", "Creating CATDAT.tmp"},
        {"CATDAT", "Syncing CATDAT.tmp to the disk"},
        {"CATBAK", "Giving CATDAT the second name CATBAK.tmp"},
        {"LASTBAK", "Renaming CATBAK to LASTBAK"},
        {"CATBAK", "Syncing CATBAK.tmp to the disk"},
        {"CATBAK", "Renaming CATBAK.tmp to CATBAK"},
        {"CATBAK", "Syncing the folder after the rename to CATBAK"},
        {"CATDAT", "Renaming CATDAT.tmp to CATDAT"},
        {"CATDAT", "Syncing the folder after the rename to CATDAT"},
    };
    ASSERT_EQ(std::size(steps), operations_of_a_save().size());
    for (std::size_t k = 0; k < std::size(steps); ++k) {
        SCOPED_TRACE(steps[k].what);
        ScratchFolder folder;
        ScriptedConsole console("\n");
        two_generations();
        const bool last = k + 1 == std::size(steps);
        std::optional<StopKind> stop;
        {
            std::size_t done = 0;
            const testing::FileOperationSeam seam(
                [&](FileOperation, const auto&, const auto&) { return done++ == k ? EIO : 0; });
            stop = run_until_stop([] { save(new_image); });
        }
        EXPECT_EQ(stop, StopKind::error);
        EXPECT_EQ(console.screen(),
                  std::string("\n"
                              " ++> File not found or file access error in VAVIREV\n"
                              "     File name: ") +
                      steps[k].file + "\n     " + steps[k].what + " failed: Input/output error\n" +
                      (last ? "     CATDAT holds the new data, but its rename may not survive a "
                              "power cut\n"
                            : "     CATDAT on disk is unchanged\n") +
                      " \n"
                      " Press <RETURN> to continue: ");
        EXPECT_EQ(file_bytes("CATDAT"), bytes_of(last ? new_image : old_image));
        EXPECT_FALSE(folder.has("CATDAT.tmp"));
        EXPECT_FALSE(folder.has("CATBAK.tmp"));
        save(image_marked(4));
        EXPECT_EQ(file_bytes("CATDAT"), bytes_of(image_marked(4)));
    }
}

// On a file system without hard links the file on disk reaches CATBAK as a copy of its own,
// synced before it takes the name; the generations come out as with a link, byte for byte.
// A data file that is a link (to a file elsewhere) is copied the same way, and the file it
// points at is left as it was.
TEST(Backit, WithoutHardLinksTheBackupIsASyncedCopy) {
    {
        SCOPED_TRACE("links refused");
        ScratchFolder folder;
        ScriptedConsole console;
        two_generations();
        std::vector<std::string> operations;
        const testing::FileOperationSeam seam(
            [&](FileOperation op, const auto& from, const auto& to) {
                operations.push_back(seen(op, from, to));
                return op == FileOperation::link ? EPERM : 0;
            });
        save(new_image);
        EXPECT_EQ(file_bytes("CATDAT"), bytes_of(new_image));
        EXPECT_EQ(file_bytes("CATBAK"), bytes_of(old_image));
        EXPECT_EQ(file_bytes("LASTBAK"), bytes_of(image_marked(1)));
        EXPECT_EQ(std::vector<std::string>(operations.begin() + 2, operations.begin() + 7),
                  (std::vector<std::string>{"link CATDAT CATBAK.tmp", "create CATBAK.tmp", "copy",
                                            "rename CATBAK LASTBAK", "sync"}));
    }
    {
        SCOPED_TRACE("the data file is a link");
        ScratchFolder folder;
        ScriptedConsole console;
        std::filesystem::create_directory("kept");
        folder.write("kept/data", "the user's own file\r\n\x01");
        std::filesystem::create_symlink("kept/data", "CATDAT");
        save(new_image);
        EXPECT_EQ(file_bytes("CATDAT"), bytes_of(new_image));
        EXPECT_FALSE(std::filesystem::is_symlink("CATBAK"));
        EXPECT_EQ(file_bytes("CATBAK"), "the user's own file\r\n\x01");
        EXPECT_EQ(folder.read("kept/data"), "the user's own file\r\n\x01");
        EXPECT_FALSE(folder.has("CATBAK.tmp"));
    }
}

// A session's end: TPCM against the reference copy, through FINISH.
struct Ending {
    std::vector<std::uint32_t> IOBUF;
    std::int32_t JMPLOC = -1;
    explicit Ending(bool changed) {
        TPCM.NTOGO = tpcm_word_count;
        TPCM.SIMTYP = 8;
        IOBUF = tpcm_image();
        if (changed)
            TPCM.DEPTH = 100.0f;
    }
    void finish(std::int32_t end_code, int EDUNIT = screen_unit) {
        TPCM.LBACK = end_code;
        TPCM.IPAG = 33;
        FINISH(CATTOP(), keyboard_unit, TPCM.LBACK, JMPLOC, IOBUF, TPCM.IPAG, EDUNIT,
               tpcm_word_count, false);
    }
};

TEST(Finish, NothingChangedNothingWritten) {
    for (const std::int32_t end_code : {-2, 101, -1983}) {
        SCOPED_TRACE(end_code);
        ScratchFolder folder;
        ScriptedConsole console("\n");
        Ending ending(false);
        const auto stop = run_until_stop([&] { ending.finish(end_code); });
        EXPECT_EQ(stop, end_code == 101 ? StopKind::user_choice : StopKind::normal);
        EXPECT_FALSE(folder.has("CATDAT"));
        EXPECT_EQ(TPCM.LBACK, 0);
        EXPECT_EQ(TPCM.IPAG, 0);
    }
}

const std::string loss_warning =
    "\n\n"
    "                        >>> WARNING <<<\n"
    "\n"
    " This action will result in the loss of data changes to CATDAT or LOWDAT\n"
    " made during this editing session. If you wish to \"Abort\" this\n"
    " decision and reinspect your data, enter \"A\" below.\n"
    "\a\n"
    " Enter \"A\" to abort or Press <RETURN> to continue: ";

TEST(Finish, ExitWithoutSavingWarnsAndMayGoBack) {
    {
        SCOPED_TRACE("A: back to the final page");
        ScratchFolder folder;
        ScriptedConsole console("A\n");
        Ending ending(true);
        ending.finish(101);
        EXPECT_EQ(ending.JMPLOC, 1);
        EXPECT_EQ(console.screen(), loss_warning);
        EXPECT_FALSE(folder.has("CATDAT"));
    }
    {
        SCOPED_TRACE("Return: the changes are dropped");
        ScratchFolder folder;
        ScriptedConsole console("\n");
        Ending ending(true);
        EXPECT_EQ(run_until_stop([&] { ending.finish(101); }), StopKind::user_choice);
        EXPECT_EQ(console.screen(), loss_warning);
        EXPECT_FALSE(folder.has("CATDAT"));
    }
    {
        SCOPED_TRACE("the input ends at the warning: nothing is saved, status 1");
        ScratchFolder folder;
        ScriptedConsole console("");
        Ending ending(true);
        EXPECT_EQ(run_until_stop([&] { ending.finish(101); }), StopKind::error);
        EXPECT_EQ(console.screen(), loss_warning + "\n ++> End of input: session ended.\n");
        EXPECT_FALSE(folder.has("CATDAT"));
    }
}

const std::string closing_message = "\n"
                                    "                   >>> Kelbrin Editor Software <<<\n"
                                    "\n"
                                    "\n"
                                    "          This data file passed preliminary error checks;\n"
                                    "             it is ready for submission to the server.\n"
                                    "          Run lintar-engine in this folder to analyse it.\n"
                                    "\n"
                                    " \n"
                                    " Press <RETURN> to continue: ";

TEST(Finish, SaveAndExitOrExecute) {
    {
        SCOPED_TRACE("save and exit");
        ScratchFolder folder;
        ScriptedConsole console;
        Ending ending(true);
        EXPECT_EQ(run_until_stop([&] { ending.finish(-2); }), StopKind::normal);
        EXPECT_EQ(console.screen(), "");
        EXPECT_EQ(file_bytes("CATDAT"), bytes_of(tpcm_image()));
    }
    {
        SCOPED_TRACE("after an Execute: the closing message waits for Return");
        ScratchFolder folder;
        ScriptedConsole console("\n");
        Ending ending(true);
        EXPECT_EQ(run_until_stop([&] { ending.finish(code_execute); }), StopKind::normal);
        EXPECT_EQ(console.screen(), closing_message);
        EXPECT_TRUE(folder.has("CATDAT"));
    }
    {
        SCOPED_TRACE("after an Execute: input that ends at the pause ends a finished session");
        ScratchFolder folder;
        ScriptedConsole console("");
        Ending ending(true);
        EXPECT_EQ(run_until_stop([&] { ending.finish(code_execute); }), StopKind::normal);
        EXPECT_EQ(console.screen(), closing_message + "\n ++> End of input: session ended.\n");
        EXPECT_EQ(file_bytes("CATDAT"), bytes_of(tpcm_image()));
    }
    {
        SCOPED_TRACE("a damaged word count is saved as the layout's count");
        ScratchFolder folder;
        ScriptedConsole console("\n\n\n");
        Ending ending(false);
        for (const std::int32_t damaged : {17, 149, -915135488}) {
            TPCM.NTOGO = damaged;
            ending.IOBUF = tpcm_image();
            TPCM.DEPTH = static_cast<float>(damaged); // an edit, so that the session saves
            EXPECT_EQ(run_until_stop([&] { ending.finish(code_execute); }), StopKind::normal);
            const std::string saved = file_bytes("CATDAT");
            ASSERT_EQ(saved.size(), 4u * tpcm_word_count);
            std::int32_t first_word = 0;
            std::memcpy(&first_word, saved.data(), 4);
            EXPECT_EQ(first_word, 79676) << damaged;
        }
    }
    {
        SCOPED_TRACE("after a silent Execute: on the console too");
        ScratchFolder folder;
        ScriptedConsole console("\n");
        open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace, FileForm::formatted);
        Ending ending(true);
        EXPECT_EQ(run_until_stop([&] { ending.finish(code_execute, diagnostics_unit); }),
                  StopKind::normal);
        EXPECT_EQ(console.screen(), closing_message);
    }
}

TEST(ChainSqual, ReportsAProgramThatIsNotThere) {
    ScriptedConsole console;
    // The squall program is not installed here: the shell says so and the status is kept.
    const int status = CHAIN_SQUAL(5);
    EXPECT_NE(status, 0);
    EXPECT_EQ(console.screen(),
              " ++> Vorlakine ended with status " + std::to_string(status) + "\n");
}

TEST(ChainSqual, UnknownOperatingSystemStops) {
    ScriptedConsole console;
    EXPECT_EQ(run_until_stop([] { CHAIN_SQUAL(3); }), StopKind::error);
    EXPECT_EQ(console.screen(), "++> Undefined OS type! Aborting out of CHAIN_SQUAL\n");
}

TEST(Hardwire, ClearsReplacedMomentsAndFeedback) {
    ScriptedConsole console;
    TPCM.AUXFRC = 1;
    TPCM.LSPM = -1; // true as another build writes it
    TPCM.LVMR1 = 1;
    TPCM.AXFC2 = 1;
    TPCM.LVMR2 = 1;
    TPCM.LVMR3 = 1; // AXFC3 off: the third moment stays
    TPCM.VESMOM = TPCM.VESMO2 = TPCM.VESMO3 = 5.0f;
    TPCM.MORFBK = TPCM.CATFBK = 1;
    HARDWIRE();
    EXPECT_EQ(TPCM.VESMOM, 0.0f);
    EXPECT_EQ(TPCM.VESMO2, 0.0f);
    EXPECT_EQ(TPCM.VESMO3, 5.0f);
    EXPECT_EQ(TPCM.MORFBK, 0);
    EXPECT_EQ(TPCM.CATFBK, 0);
    TPCM.VESTYP = 4; // a disc buoy keeps its feedback
    TPCM.MORFBK = 1;
    HARDWIRE();
    EXPECT_EQ(TPCM.MORFBK, 1);
}

} // namespace
} // namespace lintar
