// Tests of the identification of a loaded data file through the start-up load: the notes on
// the screen and in "DATUPWRN.stxt", the update of an older file of this program (the
// 49-fairlead layout brought word for word into the current one), the import adjustment, the
// byte order, and the refusals; no load ever writes the data file or its backups.
#include "datafile/file_identification.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "blocks/tpcm_location.h"
#include "datafile/startup_load.h"
#include "datafile/tpcm_image.h"
#include "editor/identity.h"
#include "runtime/units.h"
#include "support/data_files.h"
#include "support/old_layout.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;
using testing::write_data_file;

const std::string question = " Enter letter of selection: ";
const std::string characteristics =
    "\n\n" + std::string(18, ' ') + " >>> Input File Characteristics <<< \n";
const std::string abort_prompt = "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ";
const std::string return_pause = " \n Press <RETURN> to continue: ";
const std::string forward = "     Although a reasonable effort has been made to insure forward\n"
                            "     compatibility of data files, this cannot be guaranteed.\n"
                            "     Carefully inspect each editor screen before proceeding...\n"
                            " \n";
const std::string across =
    "     Although a reasonable effort has been made to achieve cross-compatibility\n"
    "     between data files of different simulations, this cannot be guaranteed.\n"
    "     Carefully inspect each editor screen before proceeding...\n"
    " \n";

std::string changes_since(const std::string& version) {
    return std::string(15, ' ') + "**** Data File Changes Since Version " + version + ": ****\n";
}

struct Load {
    std::vector<std::uint32_t> IOBUF = std::vector<std::uint32_t>(tpcm_word_count, 0u);
    char ANSWER = ' ';
    std::int32_t JMPLOC = -1, IERR0 = -1, IERR1 = -1;
    void run() { IOINIT(CATTOP(), IOBUF, ANSWER, JMPLOC, IERR0, IERR1, tpcm_word_count); }
};

// The files of the working folder.
std::vector<std::string> files_in(const ScratchFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A text as a machine of the other byte order leaves it in a character field read as words:
// each group of four bytes reversed.
std::string turned(std::string text) {
    for (std::size_t k = 0; k + 4 <= text.size(); k += 4)
        std::reverse(text.begin() + static_cast<std::ptrdiff_t>(k),
                     text.begin() + static_cast<std::ptrdiff_t>(k + 4));
    return text;
}

const std::string title = "Spread mooring of a PPC file" + std::string(52, ' ');

TEST(Chswap, TurnsEachGroupOfFourBytes) {
    struct Case {
        std::string field;
        std::int32_t LEN;
        std::string turned;
    };
    const Case cases[] = {
        {"ABCDEFGH", 8, "DCBAHGFE"},
        {"ABCDEFGH", 6, "DCBAEFGH"}, // a trailing group of fewer than four stays
        {"ABCD", 0, "ABCD"},
        {std::string(200, 'x') + "ab", 200, std::string(200, 'x') + "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field.substr(0, 8) + " " + std::to_string(c.LEN));
        ScriptedConsole console;
        std::string field = c.field;
        CHSWAP(field, c.LEN, screen_unit, keyboard_unit);
        EXPECT_EQ(field, c.turned);
        EXPECT_EQ(console.screen(), "");
    }
}

TEST(Chswap, FieldBeyondItsWorkAreaStops) {
    ScriptedConsole console("\n");
    std::string field(204, 'y');
    field[0] = 'A';
    EXPECT_EQ(run_until_stop([&] { CHSWAP(field, 201, screen_unit, keyboard_unit); }),
              StopKind::error);
    EXPECT_EQ(console.screen(), " ++> LEN overflow in chswap!\n" + return_pause);
    EXPECT_EQ(field[0], 'A');
}

// The old-file fixture: random words wherever the older layout has a word, a header of this
// program's version 5.5 marked for 49 fairleads, the small mooring over it, and the words the
// stamp and the clean-up of the load would change set to what they keep.
std::vector<std::uint32_t> write_old_fixture(std::int32_t CMPUTR) {
    return testing::write_older_data_file("CATDAT", [CMPUTR] {
        std::mt19937 random(4711u);
        std::vector<std::uint32_t> words(static_cast<std::size_t>(tpcm_word_count));
        for (auto& word : words)
            word = static_cast<std::uint32_t>(random());
        std::vector<std::uint32_t> image = tpcm_image();
        std::copy(words.begin() + 3, words.end(), image.begin() + 3); // past NTOGO, SIMTYP, word 3
        image[13] = 0;                                                // IBATCH
        image[14] = 49;                                               // DAT_ID
        image[15] = 0;                                                // DP_FLAG
        set_tpcm_image(image);
        TPCM.VERNO = 5.5f;
        TPCM.CMPUTR = CMPUTR;
        TPCM.IVERS_SUFX = 0;
        TPCM.VESTYP = 3;
        TPCM.LGAP = 1;
        TPCM.IUNIT = 99;
        TPCM.NUNTS = 1;
        TPCM.MORFBK = TPCM.CATFBK = TPCM.BMRFBK = TPCM.BCTFBK = 0;
        testing::fill_fixture_mooring();
        std::copy(title.begin(), title.end(), TPCM.CID1P().begin());
        if (CMPUTR <= 4) {
            const std::string field = turned(title);
            std::copy(field.begin(), field.end(), TPCM.CID1P().begin());
            for (int t = 1; t <= 3; ++t)
                for (int e = 1; e <= 4; ++e) {
                    const std::string name = turned(std::string(TPCM.SCOMP(e, t).data(), 8));
                    std::memcpy(TPCM.SCOMP(e, t).data(), name.data(), 8);
                }
        }
    });
}

TEST(Identification, OlderLayoutIsUpdatedWordForWord) {
    ScratchFolder folder;
    const std::vector<std::uint32_t> current = write_old_fixture(5);
    const std::string file = testing::file_bytes("CATDAT");
    ScriptedConsole console("E\n\n");
    Load load;
    load.run();
    const std::vector<std::uint32_t> loaded = tpcm_image();

    const std::string notes =
        characteristics +
        "\n ++> Input Data File smaller than expected:\n"
        "     Expected  79676 I*4s, found  14825 I*4s... CAUTION!\n"
        "\n ++> Version mismatch: Data (version  5.50) predates simulation (version  6.80)\n" +
        forward + changes_since(" 5.50") + "\n ++> Data file resized for 149 fairleads\n";
    EXPECT_EQ(console.screen().substr(console.screen().find(question)),
              question + notes + abort_prompt);
    close_unit(note_unit);
    EXPECT_EQ(folder.read("DATUPWRN.stxt"), notes);
    EXPECT_EQ(load.ANSWER, 'M'); // an Execute asked on a file with notes edits first
    EXPECT_EQ(load.JMPLOC, 0);
    EXPECT_EQ(load.IERR1, 4);
    EXPECT_EQ(TPCM.SLEN(4, 3), 340.25f);
    EXPECT_EQ(std::string(TPCM.SCOMP(2, 3).data(), 8), "TYPE3-E2");
    EXPECT_EQ(TPCM.LINTYP(2, 3), 6);
    EXPECT_EQ(TPCM.RFLD(3, 6), 62.5f);

    // Every word in its current place, the new ones zero; the header stamped and the vessel
    // type marked semisubmersible-like by the update of a file before 5.57.
    set_tpcm_image(current);
    const std::vector<bool> lacks = testing::new_only_words();
    for (int word = 1; word <= tpcm_word_count; ++word)
        if (lacks[static_cast<std::size_t>(word - 1)])
            std::memset(tpcm_bytes(TPCM).data() + tpcm_offset(word), 0, 4);
    TPCM.NTOGO = 79676;
    TPCM.VERNO = 6.8f;
    TPCM.IYEAR = 2020;
    TPCM.EDUNIT = 6;
    TPCM.DAT_ID = 149;
    TPCM.SEMI_LIKE = 1;
    TPCM.LCOPY = 0; // a load never starts a mirror pass
    EXPECT_TRUE(loaded == tpcm_image());

    // The reference copy: the file as read, the rest zero, the console word 0.
    std::vector<std::uint32_t> reference(static_cast<std::size_t>(tpcm_word_count), 0u);
    std::memcpy(reference.data(), file.data(), file.size());
    reference[static_cast<std::size_t>(LRHLOC(&TPCM.EDUNIT) - 1)] = 0;
    EXPECT_TRUE(load.IOBUF == reference);
    EXPECT_EQ(folder.read("CATDAT"), file);
    EXPECT_EQ(files_in(folder), (std::vector<std::string>{"CATDAT", "DATUPWRN.stxt"}));
}

TEST(Identification, OlderLayoutFromTheOtherByteOrderGetsReadableNames) {
    ScratchFolder folder;
    write_old_fixture(3);
    ScriptedConsole console("M\n\n\n");
    Load load;
    load.run();
    EXPECT_NE(console.screen().find(" ++> File was produced on a Macintosh PPC computer.\n"
                                    "     Importing datafiles between chip architectures"),
              std::string::npos);
    EXPECT_EQ(std::string(TPCM.CID1P().data(), 80), title);
    for (int t = 1; t <= 3; ++t)
        for (int e = 1; e <= 4; ++e)
            EXPECT_EQ(std::string(TPCM.SCOMP(e, t).data(), 8),
                      "TYPE" + std::to_string(t) + "-E" + std::to_string(e));
    EXPECT_EQ(std::string(TPCM.SCOMP(11, 1).data(), 8), std::string(8, '\0'));
    EXPECT_EQ(TPCM.CMPUTR, 5);
}

// A data file, its notes, and what the user answers.
struct LoadCase {
    std::string name;
    std::function<void()> fill; // over a current file of this program, version 6.8
    std::int32_t words;         // the words written
    std::string keyboard;       // after "M"
    std::optional<StopKind> stop;
    std::string notes;  // "DATUPWRN.stxt"; none when empty
    std::string screen; // after the title's question
    std::function<void(const Load&)> check = {};
};

TEST(Identification, NotesUpdatesImportsAndRefusals) {
    const std::string another_program = "\n ++> Input Data File smaller than expected:\n"
                                        "     Expected  79676 I*4s, found  79524 I*4s..."
                                        " CAUTION!\n"
                                        "\n ++> Input Data File Creator was DRUVALE\n";
    const std::string ppc = "\n ++> File was produced on a Macintosh PPC computer.\n";
    const std::string other_platform =
        ppc + "     Importing datafiles between chip architectures can be problematic;\n"
              "     proceed with caution; carefully inspect all data screens after import.\n";
    const std::string older =
        "\n ++> Version mismatch: Data (version  6.50) predates simulation (version  6.80)\n" +
        forward + changes_since(" 6.50") + "\n ++> None...\n";

    const std::string precision =
        characteristics + "\n ++> Fatal Warning: The precision specification of the loaded\n"
                          "     DAT_file and the executable are not the same!\n";
    const std::string too_old =
        characteristics +
        "\n ++> Version mismatch: Data (version  4.95) predates simulation (version  6.80)\n" +
        forward +
        "\n\n ++> This Kelbrin data file, from version  4.95, is too old to update using "
        "version  6.80.\n"
        "     You must first update it using Kelbrin version 5.x or 6.00.\n\n\n";
    const std::string must_update =
        characteristics + another_program +
        "     Before importing this data file, you MUST first update it\n"
        "     with version  6.80 of DRUVALE on the originating computer platform.\n";
    const std::string damaged =
        " \n ++> Warning: Data file is seriously corrupt.\n"
        "              It will very probably crash the simulation if you continue...\n \n";
    const std::string imported = characteristics + another_program + across;
    const std::string version_6 =
        characteristics +
        "\n ++> Version mismatch: Data (version  6.00) predates simulation (version  6.80)\n" +
        forward + changes_since(" 6.00") + "\n ++> None...\n";
    const std::string cut_short = characteristics +
                                  "\n ++> Input Data File smaller than expected:\n"
                                  "     Expected  79676 I*4s, found  79675 I*4s... CAUTION!\n";
    const std::string newer =
        characteristics +
        "\n ++> Version mismatch: Data (version  7.25) POSTDATES simulation (version  6.80)\n"
        "     Data files are NOT generally backwards-compatible!\n"
        "     Carefully inspect each editor screen before proceeding...\n";
    const std::string increment = characteristics + "\n ++> Version increment mismatch: \n"
                                                    "     DATfile  version  increment  =  2\n"
                                                    "     Simulation version increment =  0\n";

    const LoadCase cases[] = {
        {"a file of another precision", [] { TPCM.DP_FLAG = 1; }, 79676, "\n", StopKind::error,
         precision, precision + return_pause},
        {"a file older than 5.0", [] { TPCM.VERNO = 4.95f; }, 79676, "\n", StopKind::error, too_old,
         too_old + return_pause},
        {"another program of another version",
         [] {
             TPCM.NTOGO = 79524;
             TPCM.SIMTYP = 7;
             TPCM.VERNO = 6.5f;
         },
         79524, "\n", StopKind::error, must_update, must_update + return_pause},
        {"a damaged program type, aborted", [] { TPCM.SIMTYP = 25; }, 79676, "A\n",
         StopKind::user_choice, "", damaged + abort_prompt},
        {"an older file, aborted", [] { TPCM.VERNO = 6.5f; }, 79676, "A\n", StopKind::user_choice,
         characteristics + older, characteristics + older + abort_prompt},
        {"another program of this version: imported",
         [] {
             TPCM.NTOGO = 79524;
             TPCM.SIMTYP = 7;
             TPCM.DEPTH = 250.0f;
         },
         79524, "\n", std::nullopt, imported, imported + abort_prompt,
         [](const Load&) {
             EXPECT_EQ(TPCM.NLAT, 1);
             EXPECT_EQ(TPCM.NOFFL, 1);
             EXPECT_EQ(TPCM.EPSDST, 0.01f);
             EXPECT_EQ(TPCM.EPSDEG, 0.01f);
             EXPECT_EQ(TPCM.SIMTYP, 8);
             EXPECT_EQ(TPCM.LAST_CATNCOM, 0); // a word the file lacks
             EXPECT_EQ(TPCM.DEPTH, 250.0f);
         }},
        {"version 6.00 in the current layout: not moved again",
         [] {
             TPCM.VERNO = 6.0f;
             testing::fill_fixture_mooring();
         },
         79676, "\n", std::nullopt, version_6, version_6 + abort_prompt,
         [](const Load&) {
             EXPECT_EQ(TPCM.SLEN(4, 3), 340.25f);
             EXPECT_EQ(TPCM.LINTYP(2, 3), 6);
             EXPECT_EQ(TPCM.ANGDEP(6), 0.75f);
             EXPECT_EQ(TPCM.DAT_ID, 149);
         }},
        {"a file cut short by a word",
         {},
         79675,
         "\n",
         std::nullopt,
         cut_short,
         cut_short + abort_prompt,
         [](const Load& load) {
             EXPECT_EQ(TPCM.LAST_CATNCOM, 0);
             EXPECT_EQ(load.IOBUF.back(), 0u);
         }},
        {"a file of the other byte order",
         [] {
             TPCM.CMPUTR = 3;
             const std::string field = turned(title);
             std::copy(field.begin(), field.end(), TPCM.CID2P().begin());
             const std::string name = turned("CHAIN-1 ");
             std::copy(name.begin(), name.end(), TPCM.SCOMP(25, 150).begin());
         },
         79676, "\n", std::nullopt, characteristics + ppc, characteristics + ppc + abort_prompt,
         [](const Load&) {
             EXPECT_EQ(std::string(TPCM.CID2P().data(), 80), title);
             EXPECT_EQ(std::string(TPCM.SCOMP(25, 150).data(), 8), "CHAIN-1 ");
             EXPECT_EQ(TPCM.CMPUTR, 5);
         }},
        {"an older file of the other byte order",
         [] {
             TPCM.CMPUTR = 3;
             TPCM.VERNO = 6.5f;
         },
         79676, "\n\n", std::nullopt, characteristics + other_platform + older,
         characteristics + other_platform + abort_prompt + older + abort_prompt},
        {"a newer file", [] { TPCM.VERNO = 7.25f; }, 79676, "\n", std::nullopt, newer,
         newer + abort_prompt},
        {"a version increment", [] { TPCM.IVERS_SUFX = 2; }, 79676, "\n", std::nullopt, increment,
         increment + abort_prompt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        write_data_file("CATDAT", c.fill, c.words);
        const std::string file = testing::file_bytes("CATDAT");
        ScriptedConsole console("M\n" + c.keyboard);
        Load load;
        TPCM.LAST_CATNCOM = 77; // what the load finds before it reads
        load.IOBUF.back() = 77;
        EXPECT_EQ(run_until_stop([&] { load.run(); }), c.stop);
        close_unit(note_unit);
        EXPECT_EQ(console.screen().substr(console.screen().find(question)), question + c.screen);
        if (c.notes.empty())
            EXPECT_FALSE(folder.has("DATUPWRN.stxt"));
        else
            EXPECT_EQ(folder.read("DATUPWRN.stxt"), c.notes);
        if (!c.stop) {
            EXPECT_EQ(load.JMPLOC, 0);
            EXPECT_EQ(TPCM.VERNO, 6.8f);
        }
        if (c.check)
            c.check(load);
        // A load never writes the data file or its backups.
        EXPECT_EQ(testing::file_bytes("CATDAT"), file);
        EXPECT_FALSE(folder.has("CATBAK"));
        EXPECT_FALSE(folder.has("LASTBAK"));
    }
}

} // namespace
} // namespace lintar
