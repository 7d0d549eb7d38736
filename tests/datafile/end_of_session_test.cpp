// Tests of the End-of-Session menu, its help, the path answer and the imports.
#include "datafile/end_of_session.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "support/data_files.h"
#include "util/answer_reader.h"

#include <cmath>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;
using testing::tpcm_bytes_now;
using testing::write_data_file;

// The menu of this program, typed from its layout.
const std::string menu = "                   ****  Page 17: End of Session  ****\n"
                         "\n"
                         "\n"
                         " 1) Exit to operating system and update data file\n"
                         " 2) Exit to operating system WITHOUT updating data file\n"
                         "\n"
                         " 3) Execute simulation in interactive mode\n"
                         " 4) Execute simulation in silent mode\n"
                         "\n"
                         " 5) Produce diskfile of input data\n"
                         "\n"
                         " 7) Import Vessel and environment data from an external file\n"
                         " 8) Import mooring system data from an external file\n"
                         "\n"
                         "  (Press <RETURN> to review data)\n"
                         " \n"
                         " Enter number of selection (\"H\" for help): ";
const std::string pause = " \n Press <RETURN> to continue: ";

struct Menu {
    std::int32_t LRETRN = -5, WARNEM = 0, FWARN = 0, UNTSAV = 0;
    void run(std::int32_t CREATR = 8, std::int32_t WriteAuxDatFiles = 0) {
        FINTOP("17", CREATR, LRETRN, "CATIN.stxt", "CATED", TPCM.IPAG, TPCM.LCOPY, TPCM.EDUNIT,
               UNTSAV, TPCM.LBACK, WARNEM, FWARN, 5, WriteAuxDatFiles);
    }
};

TEST(Fintop, ChoicesAndTheirCodes) {
    struct Case {
        std::string keyboard;
        std::int32_t LBACK, LRETRN;
        int menus;
    };
    const Case cases[] = {
        {"1\n", -2, 1, 1},
        {"2\n", 101, 1, 1},
        {"3\n", code_execute, 0, 1},
        {"E\n", code_execute, 0, 1},
        {"\n", 0, 1, 1},
        {"J5\n", code_jump, 1, 1},
        {"B\n", code_back, 1, 1},
        {"6\n9\n10\n11\n2\n", 101, 1, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyboard);
        ScriptedConsole console(c.keyboard);
        TPCM.EDUNIT = screen_unit;
        Menu fintop;
        fintop.run();
        EXPECT_EQ(TPCM.LBACK, c.LBACK);
        EXPECT_EQ(fintop.LRETRN, c.LRETRN);
        std::string expected;
        for (int k = 0; k < c.menus; ++k)
            expected += menu;
        EXPECT_EQ(console.screen(), expected);
    }
    ScriptedConsole console("1\n");
    Menu fintop;
    fintop.run();
    EXPECT_TRUE(end_of_session_store.SAVEDATA);
}

TEST(Fintop, ExecuteAfterWarningsOnlyGoesWithoutNewChecks) {
    struct Case {
        std::int32_t WARNEM, FWARN, LRETRN;
    };
    for (const Case c : {Case{2, 0, 1}, Case{2, 1, 0}, Case{0, 1, 0}}) {
        SCOPED_TRACE(::testing::Message() << c.WARNEM << " warnings, " << c.FWARN << " fatal");
        ScriptedConsole console("3\n");
        Menu fintop;
        fintop.WARNEM = c.WARNEM;
        fintop.FWARN = c.FWARN;
        TPCM.LBACK = code_execute; // the counts show the menu even so
        fintop.run();
        EXPECT_EQ(console.screen(), menu);
        EXPECT_EQ(fintop.LRETRN, c.LRETRN);
    }
}

TEST(Fintop, MirrorPassOfAllPagesAndBackToTheMenu) {
    ScratchFolder folder;
    ScriptedConsole console("5\n2\n");
    TPCM.EDUNIT = screen_unit;
    Menu fintop;
    fintop.run();
    EXPECT_EQ(fintop.LRETRN, 1);
    EXPECT_EQ(TPCM.LBACK, code_first);
    EXPECT_EQ(TPCM.LCOPY, 1);
    EXPECT_EQ(TPCM.EDUNIT, 1);
    EXPECT_EQ(fintop.UNTSAV, screen_unit);
    write_record(1, "a page");
    // The pass has reached the final page again: the file is closed and the menu comes back.
    TPCM.LBACK = 0;
    fintop.run();
    EXPECT_EQ(TPCM.LCOPY, 0);
    EXPECT_EQ(TPCM.EDUNIT, screen_unit);
    EXPECT_EQ(TPCM.LBACK, 101);
    EXPECT_FALSE(unit_is_open(1));
    EXPECT_EQ(folder.read("CATIN.stxt"), "a page\n");
    EXPECT_EQ(console.screen(), menu + menu);
}

TEST(Fintop, AfterTheExecutePassTheSessionEnds) {
    ScratchFolder folder;
    ScriptedConsole console;
    open_unit(1, "CATIN.stxt", OpenStatus::replace, FileForm::formatted);
    TPCM.LCOPY = 13;
    TPCM.EDUNIT = 1;
    Menu fintop;
    fintop.UNTSAV = screen_unit;
    fintop.run();
    EXPECT_EQ(fintop.LRETRN, 1);
    EXPECT_EQ(TPCM.LBACK, code_execute);
    EXPECT_EQ(TPCM.EDUNIT, screen_unit);
    EXPECT_EQ(console.screen(), "");
}

TEST(Fintop, SilentExecuteMovesTheDialogueToTheDiagnosticsFile) {
    ScratchFolder folder;
    ScriptedConsole console("4\n");
    TPCM.EDUNIT = screen_unit;
    Menu fintop;
    fintop.WARNEM = 3;
    fintop.run();
    EXPECT_EQ(TPCM.LBACK, code_execute);
    EXPECT_EQ(fintop.LRETRN, 0);
    EXPECT_EQ(fintop.WARNEM, 0);
    EXPECT_EQ(TPCM.EDUNIT, diagnostics_unit);
    EXPECT_TRUE(unit_is_open(diagnostics_unit));
    EXPECT_TRUE(folder.has("Diagnostics.stxt"));
}

TEST(Fintop, ImportAndHandOverItemsFollowTheProgramType) {
    ScriptedConsole console("2\n");
    Menu fintop;
    fintop.run(13, 0);
    EXPECT_NE(console.screen().find(" 6) Produce \"WAVEOUT\" file containing regular wave "
                                    "kinematics data\n\n 7) Import Tanker and environment data "
                                    "from an external file\n 8) Import mooring system data from "
                                    "an external file\n 9) Import Buoy data from an external "
                                    "file\n\n  (Press"),
              std::string::npos);
    ScriptedConsole spread("10\n");
    fintop.run(12, 1);
    EXPECT_NE(spread.screen().find("\n\n10) Chain to Vorlakine\n\n  (Press"), std::string::npos);
    EXPECT_EQ(fintop.LRETRN, 999);
    EXPECT_TRUE(end_of_session_store.VORLAKINE_GO);
}

TEST(Finhlp, OneItemOrNone) {
    const std::string title = "                 ****  End-of-Session Menu: Help Notes  ****\n\n";
    {
        ScriptedConsole console("?3\n\n2\n");
        Menu fintop;
        fintop.run();
        EXPECT_EQ(console.screen(),
                  menu + title +
                      " ++> Item Number   3\n"
                      "     This option causes simulation execution to proceed with a\n"
                      "     check of the whole data file; all messages go to the console.\n"
                      "     It is the same as the Execute command (\"E\") of any editor page\n"
                      "     or of the opening screen.\n" +
                      pause + menu);
    }
    {
        ScriptedConsole console("?10\n\n2\n");
        Menu fintop;
        fintop.run();
        EXPECT_EQ(console.screen(),
                  menu + title + " ++> Sorry, no help for this line...\n\n" + pause + menu);
    }
    {
        ScriptedConsole console("?\n\n\n\n\n\n\n\n\n\n2\n");
        Menu fintop;
        fintop.run();
        EXPECT_EQ(console.screen().find("Item Number  10"), std::string::npos);
        EXPECT_NE(console.screen().find("Item Number   9"), std::string::npos);
        EXPECT_TRUE(console.screen().ends_with(pause + menu));
    }
}

TEST(ImportPath, QuotedAndPlainPaths) {
    const std::pair<std::string, std::string> cases[] = {
        {"SHIPDAT", "SHIPDAT"},
        {"  /home/me/data/SHIPDAT  ", "/home/me/data/SHIPDAT"},
        {"../runs/my file", "../runs/my file"},
        {"\"/tmp/a b/SHIPDAT\"", "/tmp/a b/SHIPDAT"},
        {"'C:\\Kelbrin\\SHIPDAT'  ", "C:\\Kelbrin\\SHIPDAT"},
        {"'it''s'", "it's"},
        {"'unclosed/path", "unclosed/path"},
        {"", ""},
        {"   ", ""},
        {"''", ""},
    };
    for (const auto& [answer, path] : cases) {
        SCOPED_TRACE(answer);
        EXPECT_EQ(import_path_of(answer), path);
    }
}

const std::string path_prompt = " >>> Input full or relative path to import target in quotes\n"
                                "     (e.g. \"C:\\Kelbrin\\SHIPDAT)\" or \"SHIPDAT\")\n"
                                "\n"
                                " >>> Path:";

// This program's image as the session holds it.
void session_image() {
    TPCM.NTOGO = tpcm_word_count;
    TPCM.SIMTYP = 8;
    TPCM.ISPM = 2;
    TPCM.VERNO = 6.8f;
    TPCM.CMPUTR = 5;
    TPCM.DAT_ID = 149;
    TPCM.IYEAR = 2020;
    TPCM.EDUNIT = screen_unit;
    TPCM.IPAG = 40;
    TPCM.DEPTH = 55.0f;
    TPCM.NLIN = 4;
    TPCM.NLAT = 3;
}

TEST(Datload, AnswersThatImportNothing) {
    struct Case {
        std::string name, keyboard, message;
        std::int32_t kind;
    };
    const Case cases[] = {
        {"blank path", "   \n\n", " >>> Invalid Filename!\n", 2},
        {"missing file", "NOFILE\n\n", " >>> INPUT file not found!\n", 2},
        {"file without the part", "'sub dir/VESSEL'\n\n",
         " >>> Import file holds no data for this part\n", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        std::filesystem::create_directory("sub dir");
        write_data_file(
            "sub dir/VESSEL",
            [] {
                TPCM.SIMTYP = 1;
                TPCM.NTOGO = 1987;
            },
            1987);
        ScriptedConsole console(c.keyboard);
        session_image();
        const std::string before = tpcm_bytes_now();
        DATLOAD(c.kind);
        EXPECT_EQ(tpcm_bytes_now(), before);
        EXPECT_EQ(console.screen(), path_prompt + c.message + pause);
    }
}

TEST(Datload, MooringFromAnotherProgramTypeReplacesTheMooringPartOnly) {
    ScratchFolder folder;
    write_data_file(
        "SPREAD",
        [] {
            TPCM.SIMTYP = 12;
            TPCM.NTOGO = 78635;
            TPCM.ISPM = 4;
            TPCM.DEPTH = 999.0f;
            TPCM.NLIN = 12;
            TPCM.MORCOM_LAST = 77;
        },
        78635);
    ScriptedConsole console("SPREAD\n\n");
    session_image();
    DATLOAD(2);
    EXPECT_EQ(console.screen(), path_prompt + " >>> Import successful!\n" + pause);
    EXPECT_EQ(TPCM.NLIN, 12);
    EXPECT_EQ(TPCM.MORCOM_LAST, 77);
    EXPECT_EQ(TPCM.DEPTH, 55.0f); // top part untouched
    EXPECT_EQ(TPCM.NLAT, 3);      // catenary-table part untouched
    EXPECT_EQ(TPCM.SIMTYP, 8);
    EXPECT_EQ(TPCM.ISPM, 2);
}

TEST(Datload, VesselImportKeepsTheIdentityAndTheEditorState) {
    ScratchFolder folder;
    write_data_file(
        "SHIP",
        [] {
            TPCM.SIMTYP = 1;
            TPCM.NTOGO = 1987;
            TPCM.ISPM = 9;
            TPCM.DAT_ID = 49;
            TPCM.IVERS_SUFX = 3;
            TPCM.IYEAR = 2011;
            TPCM.IBATCH = 1;
            TPCM.LBACK = 5;
            TPCM.IPAG = 6;
            TPCM.LCOPY = 7;
            TPCM.EDUNIT = 0;
            TPCM.DEPTH = 999.0f;
        },
        1987);
    ScriptedConsole console("SHIP\n\n");
    session_image();
    DATLOAD(1);
    EXPECT_EQ(console.screen(), path_prompt + " >>> Import successful!\n" + pause);
    EXPECT_EQ(TPCM.DEPTH, 999.0f);
    EXPECT_EQ(TPCM.NLIN, 4); // mooring part untouched
    EXPECT_EQ(TPCM.NTOGO, tpcm_word_count);
    EXPECT_EQ(TPCM.SIMTYP, 8);
    EXPECT_EQ(TPCM.ISPM, 2);
    EXPECT_EQ(TPCM.VERNO, 6.8f);
    EXPECT_EQ(TPCM.CMPUTR, 5);
    EXPECT_EQ(TPCM.DAT_ID, 149);
    EXPECT_EQ(TPCM.DP_FLAG, 0);
    EXPECT_EQ(TPCM.IVERS_SUFX, 0);
    EXPECT_EQ(TPCM.IYEAR, 2020);
    EXPECT_EQ(TPCM.IBATCH, 0);
    EXPECT_EQ(TPCM.LBACK, 0);
    EXPECT_EQ(TPCM.IPAG, 40);
    EXPECT_EQ(TPCM.LCOPY, 0);
    EXPECT_EQ(TPCM.EDUNIT, screen_unit);
}

TEST(Datload, WarningsMayUndoTheImport) {
    const std::string version_warning =
        "\n"
        " >>> Importing data files across version number boundaries is a *very*\n"
        "     bad idea. You are strongly advised to \"Abort\" this operation, save\n"
        "     any data file changes you have made, and update the target file\n"
        "     with the latest version of its application before importing the data.\n"
        "\n"
        "     Application version:    6.80\n"
        "     Import file version:    6.50\n"
        "\n";
    const std::string system_warning =
        "\n"
        " >>> Importing data files between computer operating systems is a *very*\n"
        "     bad idea. You are strongly advised to \"Abort\" this operation, save\n"
        "     any data file changes you have made, and update the target file\n"
        "     with the latest version of its application before importing the data.\n";
    const std::string abort_prompt = "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ";
    struct Case {
        std::string name;
        std::function<void()> file;
        std::string warning;
        std::int32_t words = tpcm_word_count;
    };
    const Case cases[] = {
        {"another version", [] { TPCM.VERNO = 6.5f; }, version_warning},
        {"another operating system", [] { TPCM.CMPUTR = 21; }, system_warning},
        {"a file of this program of another size", [] { TPCM.NTOGO = 78635; },
         " >>> Suspicious import file size;there may be a problem!\n", 78635},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            SCOPED_TRACE("abort: TPCM as it was");
            ScratchFolder folder;
            write_data_file(
                "OTHER",
                [&c] {
                    c.file();
                    TPCM.NLIN = 7;
                },
                c.words);
            ScriptedConsole console("OTHER\nA\n");
            session_image();
            const std::string before = tpcm_bytes_now();
            DATLOAD(2);
            EXPECT_EQ(console.screen(), path_prompt + c.warning + abort_prompt);
            EXPECT_EQ(tpcm_bytes_now(), before);
        }
        {
            SCOPED_TRACE("go on: the import stays");
            ScratchFolder folder;
            write_data_file(
                "OTHER",
                [&c] {
                    c.file();
                    TPCM.NLIN = 7;
                },
                c.words);
            ScriptedConsole console("OTHER\n\n");
            session_image();
            DATLOAD(2);
            EXPECT_EQ(console.screen(), path_prompt + c.warning + abort_prompt);
            EXPECT_EQ(TPCM.NLIN, 7);
            EXPECT_EQ(TPCM.VERNO, 6.8f);
            EXPECT_EQ(TPCM.CMPUTR, 5);
        }
    }
}

TEST(Datload, FilesALoadRefusesAreNotImported) {
    const auto refusal = [](std::string_view reason) {
        return " >>> Import refused: OTHER\n     " + std::string(reason) +
               ".\n     Nothing was imported.\n";
    };
    struct Case {
        std::string name;
        std::function<void()> file;
        std::string screen;
    };
    const Case cases[] = {
        {"damaged program type", [] { TPCM.SIMTYP = 0x6c696e65; },
         refusal("is not a data file of this program family (its program-type word is "
                 "damaged)")},
        {"more words than its program writes", [] { TPCM.NTOGO = tpcm_word_count + 5; },
         refusal("is damaged: it holds more words than its program writes")},
        {"another precision", [] { TPCM.DP_FLAG = 1; },
         refusal("was written with another precision")},
        {"another program of another version",
         [] {
             TPCM.SIMTYP = 12;
             TPCM.NTOGO = 78635;
             TPCM.VERNO = 6.5f;
         },
         refusal("was written by BRENVIC version 6.50; update it with version 6.80 of that "
                 "program first")},
        {"too old to update", [] { TPCM.VERNO = 4.0f; },
         refusal("is too old to update (version 4.00)")},
        {"damaged unit system", [] { TPCM.NUNTS = 7; },
         refusal("is damaged: its unit-system word is neither English nor metric")},
    };
    for (const auto& c : cases) {
        for (const std::int32_t kind : {1, 2}) {
            SCOPED_TRACE(c.name + ", import " + std::to_string(kind));
            ScratchFolder folder;
            write_data_file("OTHER", [&c] {
                c.file();
                TPCM.NLIN = 7;
                TPCM.DEPTH = 1.0f;
            });
            ScriptedConsole console("OTHER\n\n");
            session_image();
            const std::string before = tpcm_bytes_now();
            DATLOAD(kind);
            EXPECT_EQ(console.screen(), path_prompt + c.screen + pause);
            EXPECT_EQ(tpcm_bytes_now(), before);
        }
    }
}

// A plain text file long enough to hold every part: its words are letters.
TEST(Datload, ATextFileIsNotImported) {
    ScratchFolder folder;
    std::string text;
    for (int line = 1; line <= 8000; ++line)
        text += "line " + std::to_string(line) + " of a plain text file, no data here\n";
    folder.write("NOTES.txt", text);
    for (const std::int32_t kind : {1, 2}) {
        SCOPED_TRACE(kind);
        ScriptedConsole console("NOTES.txt\n\n");
        session_image();
        const std::string before = tpcm_bytes_now();
        DATLOAD(kind);
        EXPECT_EQ(console.screen(),
                  path_prompt +
                      " >>> Import refused: NOTES.txt\n"
                      "     is not a data file of this program family (its program-type word is "
                      "damaged).\n"
                      "     Nothing was imported.\n" +
                      pause);
        EXPECT_EQ(tpcm_bytes_now(), before);
    }
}

TEST(Datload, AFileOfThisProgramsOwnSizeImportsWithoutAWarning) {
    for (const std::int32_t kind : {1, 2}) {
        SCOPED_TRACE(kind);
        ScratchFolder folder;
        write_data_file("OTHER", [] {
            TPCM.NLIN = 7;
            TPCM.DEPTH = 80.0f;
        });
        ScriptedConsole console("OTHER\n\n");
        session_image();
        DATLOAD(kind);
        EXPECT_EQ(console.screen(), path_prompt + " >>> Import successful!\n" + pause);
        EXPECT_EQ(TPCM.NLIN, kind == 2 ? 7 : 4);
        EXPECT_EQ(TPCM.DEPTH, kind == 1 ? 80.0f : 55.0f);
    }
}

// The independent unit factors: 1 ft = 0.3048 m, 1 in = 25.4 mm, 1 kip = 0.45359237 t.
constexpr double metres_per_foot = 0.3048;
constexpr double mm_per_inch = 25.4;
constexpr double tonnes_per_kip = 0.45359237;

void expect_close(double value, double expected) {
    EXPECT_NEAR(value, expected, 2e-4 * std::abs(expected));
}

TEST(Datload, MetricMooringIntoAnEnglishFileKeepsItsMeaning) {
    ScratchFolder folder;
    write_data_file("METRIC", [] {
        TPCM.NUNTS = 1;
        TPCM.DEPTH = 150.0f;
        TPCM.NLIN = 9;
        TPCM.SLEN(1, 1) = 150.0f;
        TPCM.DIAM(1, 1) = 84.0f;
        TPCM.TBRK(1, 1) = 502.68f;
    });
    ScriptedConsole console("METRIC\n\n");
    session_image(); // English
    DATLOAD(2);
    EXPECT_EQ(console.screen(),
              path_prompt +
                  " >>> The import file holds metric units; its data are converted to English "
                  "units.\n"
                  " >>> Import successful!\n" +
                  pause);
    EXPECT_EQ(TPCM.NUNTS, 0);
    EXPECT_EQ(TPCM.NLIN, 9);
    EXPECT_EQ(TPCM.DEPTH, 55.0f); // the session's own site
    expect_close(TPCM.SLEN(1, 1), 150.0 / metres_per_foot);
    expect_close(TPCM.DIAM(1, 1), 84.0 / mm_per_inch);
    expect_close(TPCM.TBRK(1, 1), 502.68 / tonnes_per_kip);
}

TEST(Datload, EnglishVesselIntoAMetricFileKeepsItsMeaning) {
    ScratchFolder folder;
    write_data_file("ENGLISH", [] {
        TPCM.NUNTS = 0;
        TPCM.DEPTH = 492.126f;
        TPCM.DISPL = 330693.0f;
        TPCM.DRAFT = 49.2126f;
    });
    ScriptedConsole console("ENGLISH\n\n");
    session_image();
    TPCM.NUNTS = 1;
    TPCM.DIAM(1, 1) = 84.0f;
    DATLOAD(1);
    EXPECT_EQ(console.screen(),
              path_prompt +
                  " >>> The import file holds English units; its data are converted to metric "
                  "units.\n"
                  " >>> Import successful!\n" +
                  pause);
    EXPECT_EQ(TPCM.NUNTS, 1);
    expect_close(TPCM.DEPTH, 492.126 * metres_per_foot);
    expect_close(TPCM.DRAFT, 49.2126 * metres_per_foot);
    expect_close(TPCM.DISPL, 330693.0 * tonnes_per_kip);
    EXPECT_EQ(TPCM.DIAM(1, 1), 84.0f); // the session's mooring, still in millimetres
}

TEST(Datload, EndOfInputAtThePathStops) {
    ScriptedConsole console("");
    session_image();
    EXPECT_EQ(run_until_stop([] { DATLOAD(1); }), StopKind::error);
}

} // namespace
} // namespace lintar
