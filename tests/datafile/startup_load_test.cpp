// Tests of the start-up load: the title-screen choices, the reference copy, the identity
// stamp and the clean-up of option words (the identification of files with notes has its own
// tests).
#include "datafile/startup_load.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "datafile/tpcm_image.h"
#include "editor/identity.h"
#include "runtime/units.h"
#include "support/data_files.h"
#include "util/answer_reader.h"

#include <bit>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;
using testing::write_data_file;

const std::string question = " Enter letter of selection: ";

struct Load {
    std::vector<std::uint32_t> IOBUF = std::vector<std::uint32_t>(tpcm_word_count, 0u);
    char ANSWER = ' ';
    std::int32_t JMPLOC = -1, IERR0 = -1, IERR1 = -1;
    void run() { IOINIT(CATTOP(), IOBUF, ANSWER, JMPLOC, IERR0, IERR1, tpcm_word_count); }
};

void expect_stamped(std::int32_t IBATCH) {
    EXPECT_EQ(TPCM.NTOGO, 79676);
    EXPECT_EQ(TPCM.SIMTYP, 8);
    EXPECT_EQ(TPCM.VERNO, 6.8f);
    EXPECT_EQ(TPCM.CMPUTR, 5);
    EXPECT_EQ(TPCM.IYEAR, 2020);
    EXPECT_EQ(TPCM.EDUNIT, screen_unit);
    EXPECT_EQ(TPCM.IBATCH, IBATCH);
}

TEST(Startup, CreateWithoutADataFileFillsTheDefaults) {
    ScratchFolder folder;
    ScriptedConsole console("c\n");
    Load load;
    load.run();
    EXPECT_EQ(load.ANSWER, 'C');
    EXPECT_EQ(load.JMPLOC, 0);
    EXPECT_EQ(load.IERR1, 1);
    EXPECT_EQ(load.IERR0, 0);
    expect_stamped(0);
    EXPECT_EQ(TPCM.VESTYP, 1);
    EXPECT_EQ(TPCM.NWP, 30);
    EXPECT_EQ(TPCM.DWATR, 64.0f);
    EXPECT_EQ(TPCM.T(100), 54.5f);
    EXPECT_EQ(TPCM.NLAT, 1);
    EXPECT_EQ(TPCM.IUNIT, 1);
    // No reference copy for a new file, and nothing else on the screen than the title.
    EXPECT_EQ(load.IOBUF, std::vector<std::uint32_t>(tpcm_word_count, 0u));
    EXPECT_TRUE(console.screen().ends_with(question));
    EXPECT_FALSE(folder.has("CATDAT"));
}

TEST(Startup, ModifyTakesTheFileAndItsReferenceCopy) {
    ScratchFolder folder;
    write_data_file("CATDAT", [] {
        TPCM.EDUNIT = 6;
        TPCM.IYEAR = 1999;
        TPCM.DEPTH = 321.5f;
        TPCM.LGAP = 5;
        TPCM.MORFBK = 1;
        TPCM.CATFBK = 1;
        TPCM.BMRFBK = 1;
        TPCM.BCTFBK = 1;
    });
    std::vector<std::uint32_t> file(tpcm_word_count);
    std::int32_t count = tpcm_word_count, IERR = 0;
    DISKIO(1, count, "CATDAT", 1, IERR, file, 5);
    ScriptedConsole console("M\n");
    Load load;
    load.run();
    EXPECT_EQ(load.ANSWER, 'M');
    EXPECT_EQ(load.IERR1, 0);
    // The copy is the file as loaded, with the console unit 0.
    file[702] = 0;
    EXPECT_EQ(load.IOBUF, file);
    expect_stamped(0);
    EXPECT_EQ(TPCM.DEPTH, 321.5f);
    EXPECT_EQ(TPCM.LGAP, 0);
    for (std::int32_t flag : {TPCM.MORFBK, TPCM.CATFBK, TPCM.BMRFBK, TPCM.BCTFBK})
        EXPECT_EQ(flag, 0);
    EXPECT_TRUE(console.screen().ends_with(question));
}

TEST(Startup, ReportUnitOutsideItsChoicesBecomesDisk) {
    const std::pair<std::int32_t, std::int32_t> cases[] = {{1, 1}, {6, 6}, {99, 99}, {7, 1}};
    for (const auto& [stored, loaded] : cases) {
        SCOPED_TRACE(stored);
        ScratchFolder folder;
        write_data_file("CATDAT", [stored = stored] { TPCM.IUNIT = stored; });
        ScriptedConsole console("M\n");
        Load load;
        load.run();
        EXPECT_EQ(TPCM.IUNIT, loaded);
    }
}

TEST(Startup, BatchModifyAndExecute) {
    {
        SCOPED_TRACE("B: modify with the batch flag");
        ScratchFolder folder;
        write_data_file("CATDAT");
        ScriptedConsole console("b\n");
        Load load;
        load.run();
        EXPECT_EQ(load.ANSWER, 'M');
        EXPECT_EQ(load.JMPLOC, 0);
        expect_stamped(1);
    }
    {
        SCOPED_TRACE("E: straight to the final page, header as loaded");
        ScratchFolder folder;
        write_data_file("CATDAT", [] { TPCM.IYEAR = 1999; });
        ScriptedConsole console("e\n");
        Load load;
        load.run();
        EXPECT_EQ(load.ANSWER, 'E');
        EXPECT_EQ(load.JMPLOC, 3000);
        EXPECT_EQ(TPCM.LBACK, code_execute);
        EXPECT_EQ(TPCM.IYEAR, 1999);
        EXPECT_EQ(TPCM.EDUNIT, screen_unit);
    }
    {
        SCOPED_TRACE("a version held in the old integer word");
        ScratchFolder folder;
        write_data_file("CATDAT", [] {
            TPCM.VERNO = 0.0f;
            TPCM.IVERSN = std::bit_cast<std::int32_t>(6.8f);
        });
        ScriptedConsole console("M\n");
        Load load;
        load.run();
        EXPECT_EQ(load.JMPLOC, 0); // taken as version 6.8: no refusal
    }
}

TEST(Startup, ModifyWithoutADataFileStops) {
    ScratchFolder folder;
    ScriptedConsole console("M\n\n");
    Load load;
    EXPECT_EQ(run_until_stop([&] { load.run(); }), StopKind::error);
    EXPECT_TRUE(console.screen().ends_with(question + "\n"
                                                      " ++> File not found or file access error "
                                                      "in VAVIREV\n"
                                                      "     File name: CATDAT\n"
                                                      " \n"
                                                      " Press <RETURN> to continue: "));
    EXPECT_FALSE(folder.has("CATDAT"));
}

TEST(Startup, MirrorPassWritesTheTitleOnly) {
    ScratchFolder folder;
    ScriptedConsole console(""); // nothing may be read
    open_unit(1, "CATIN.stxt", OpenStatus::replace, FileForm::formatted);
    TPCM.LCOPY = 1;
    TPCM.EDUNIT = 1;
    TPCM.DEPTH = 7.0f;
    Load load;
    load.ANSWER = 'M';
    load.run();
    close_unit(1);
    EXPECT_EQ(load.JMPLOC, 200);
    EXPECT_EQ(TPCM.LCOPY, 2);
    EXPECT_EQ(TPCM.DEPTH, 7.0f);
    const std::string text = folder.read("CATIN.stxt");
    EXPECT_TRUE(text.starts_with("\n           +====="));
    EXPECT_TRUE(text.ends_with(" " + std::string(78, '-') + "\n\n\n\n"));
    EXPECT_EQ(console.screen(), "");
}

TEST(Startup, DoublePrecisionFileIsAFatalWarning) {
    ScratchFolder folder;
    write_data_file("CATDAT", [] { TPCM.DP_FLAG = 1; });
    ScriptedConsole console("M\n\n");
    Load load;
    EXPECT_EQ(run_until_stop([&] { load.run(); }), StopKind::error);
    EXPECT_TRUE(
        console.screen().ends_with(" >>> Input File Characteristics <<< \n\n"
                                   " ++> Fatal Warning: The precision specification of the loaded\n"
                                   "     DAT_file and the executable are not the same!\n"
                                   " \n Press <RETURN> to continue: "));
}

TEST(Startup, DamagedProgramTypeAsksToAbort) {
    ScratchFolder folder;
    write_data_file("CATDAT", [] { TPCM.SIMTYP = 25; });
    ScriptedConsole console("M\nA\n");
    Load load;
    EXPECT_EQ(run_until_stop([&] { load.run(); }), StopKind::user_choice);
    EXPECT_TRUE(console.screen().ends_with(
        question + " \n"
                   " ++> Warning: Data file is seriously corrupt.\n"
                   "              It will very probably crash the simulation if you continue...\n"
                   " \n"
                   "\a\n Enter \"A\" to abort or Press <RETURN> to continue: "));
}

TEST(Startup, ProgramIdentifiers) {
    EXPECT_EQ(program_identifier(8), "LINTAR ");
    EXPECT_EQ(program_identifier(13), "OSTREVI");
    EXPECT_EQ(program_identifier(5), "???????");
    EXPECT_EQ(program_identifier(0), "???????");
    EXPECT_EQ(program_identifier(21), "???????");
}

// A unit-system word other than 0 (English) or 1 (metric) is damage: shown with the abort
// prompt, repaired to metric when the user goes on (an edit the session saves), never used.
TEST(Startup, ADamagedUnitSystemIsRepairedAfterTheWarning) {
    const std::string warning =
        " \n"
        " ++> Warning: Data file is corrupt.\n"
        " \n"
        " ++> The unit system word NUNTS holds 2147483647; it is set to 1 (metric units).\n"
        "     Check the unit system and the site data before you save.\n"
        " \n"
        "\a\n"
        " Enter \"A\" to abort or Press <RETURN> to continue: ";
    {
        SCOPED_TRACE("Return: repaired");
        ScratchFolder folder;
        write_data_file("CATDAT", [] { TPCM.NUNTS = 2147483647; });
        ScriptedConsole console("M\n\n");
        Load load;
        load.run();
        EXPECT_TRUE(console.screen().ends_with(question + warning)) << console.screen();
        EXPECT_EQ(TPCM.NUNTS, 1);
        EXPECT_NE(load.IOBUF, tpcm_image()); // the repair counts as an edit
    }
    {
        SCOPED_TRACE("A: the user's choice");
        ScratchFolder folder;
        write_data_file("CATDAT", [] { TPCM.NUNTS = 5; });
        const std::string before = testing::file_bytes("CATDAT");
        ScriptedConsole console("M\nA\n");
        Load load;
        EXPECT_EQ(run_until_stop([&] { load.run(); }), StopKind::user_choice);
        EXPECT_EQ(testing::file_bytes("CATDAT"), before);
    }
}

} // namespace
} // namespace lintar
