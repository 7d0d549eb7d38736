// Tests of the end of the session: the backup rotation, what the save writes and when, the
// exit-without-saving warning, the closing message of an Execute, the hand-over and HARDWIRE.
#include "datafile/session_save.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "datafile/data_files.h"
#include "datafile/tpcm_image.h"
#include "editor/identity.h"
#include "runtime/units.h"
#include "util/answer_reader.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

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
    EXPECT_FALSE(folder.has(temporary_save_name("CATDAT")));
    EXPECT_EQ(console.screen(), "");
}

TEST(Backit, AFailedWriteLeavesEveryFileWhole) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    folder.write("CATDAT", "old data");
    folder.write("CATBAK", "old backup");
    // The temporary file cannot be made: a folder holds its name.
    std::filesystem::create_directory(folder.path() / temporary_save_name("CATDAT"));
    EXPECT_EQ(run_until_stop([] { save(image_marked(5)); }), StopKind::error);
    EXPECT_EQ(console.screen(), "\n"
                                " ++> File not found or file access error in VAVIREV\n"
                                "     File name: CATDAT\n"
                                " \n"
                                " Press <RETURN> to continue: ");
    EXPECT_EQ(folder.read("CATDAT"), "old data");
    EXPECT_EQ(folder.read("CATBAK"), "old backup");
    EXPECT_FALSE(folder.has("LASTBAK"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / temporary_save_name("CATDAT")));
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
}

const std::string closing_message = "\n"
                                    "                   >>> Kelbrin Editor Software <<<\n"
                                    "\n"
                                    "\n"
                                    "          This data file passed preliminary error checks;\n"
                                    "             it is ready for submission to the server.\n"
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
