// Tests of the version updates of this program's data files (the list of changes, the values
// set, the layout conversion and its guard, the refusal of files too old), the import
// adjustment for files of other program types, and the inoperative updaters of the family.
#include "datafile/version_updates.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "datafile/file_identification.h"
#include "datafile/tpcm_image.h"
#include "runtime/units.h"
#include "support/old_layout.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::new_only_words;
using testing::older_image;
using testing::OlderParts;
using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

const std::string heading_start = std::string(15, ' ') + "**** Data File Changes Since Version ";

// An image of random words with the header of this program's file of the given version and
// capacity mark; `fill` sets what a case needs.
std::vector<std::uint32_t> random_image(float VERNO, std::int32_t DAT_ID,
                                        const std::function<void()>& fill) {
    std::mt19937 random(97u);
    std::vector<std::uint32_t> image(static_cast<std::size_t>(tpcm_word_count));
    for (auto& word : image)
        word = static_cast<std::uint32_t>(random());
    set_tpcm_image(image);
    TPCM.SIMTYP = 8;
    TPCM.VERNO = VERNO;
    TPCM.DAT_ID = DAT_ID;
    TPCM.EDUNIT = 6;
    TPCM.IARCO = 0;
    if (fill)
        fill();
    return tpcm_image();
}

// Runs CATUPD on TPCM with the note file open; returns the note file's text.
std::string run_update(float APPVR, std::int32_t& IFLAG, std::int32_t NFOUND) {
    open_unit(note_unit, "DATUPWRN.stxt", OpenStatus::replace, FileForm::formatted);
    IFLAG = -5;
    CATUPD(APPVR, IFLAG, NFOUND);
    close_unit(note_unit);
    return testing::read_text("DATUPWRN.stxt");
}

TEST(Catupd, FilesInTheCurrentLayoutAreNeverMoved) {
    struct Case {
        std::string name;
        float VERNO;
        std::int32_t DAT_ID;
        std::int32_t NFOUND;
        std::string notes; // after the heading
    };
    const Case cases[] = {
        {" 6.50", 6.5f, 149, 79676, "\n ++> None...\n"},
        // The 49-fairlead layout ended with version 6.00, but a file of 6.00 marked 149 is
        // already in the current one, whole or cut short.
        {" 6.00", 6.0f, 149, 79676, "\n ++> None...\n"},
        {" 6.00", 6.0f, 149, 79675, "\n ++> None...\n"},
        {" 5.60", 5.6f, 49, 79676,
         "\n ++> Warning: Data file marked for 49 fairleads holds the words of a 149-fairlead "
         "file;\n"
         "     it is taken as it stands, in the 149-fairlead layout.\n"},
        {" 7.25", 7.25f, 149, 79676,
         "\n ++> None...\n"
         "\n ++> Warning: The data file loaded was created by a more recent program\n"
         "     version than this one; you should inspect each data page THOROUGHLY\n"
         "     before proceeding...\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name + " " + std::to_string(c.NFOUND));
        ScratchFolder folder;
        ScriptedConsole console;
        const std::vector<std::uint32_t> before = random_image(c.VERNO, c.DAT_ID, {});
        std::int32_t IFLAG = 0;
        const std::string notes = run_update(6.8f, IFLAG, c.NFOUND);
        const std::string text = heading_start + c.name + ": ****\n" + c.notes;
        EXPECT_EQ(notes, text);
        EXPECT_EQ(console.screen(), text);
        EXPECT_EQ(IFLAG, c.DAT_ID == 49 ? 1 : 0);
        EXPECT_EQ(TPCM.DAT_ID, 149);
        std::vector<std::uint32_t> after = tpcm_image();
        after[14] = static_cast<std::uint32_t>(c.DAT_ID); // word 15, DAT_ID
        EXPECT_TRUE(after == before);
    }
}

TEST(Catupd, FileMarkedFor49FairleadsIsResizedPastTrailingWords) {
    // An older image with 175 words after its end: they fall off the end of the image.
    ScratchFolder folder;
    ScriptedConsole console;
    std::vector<std::uint32_t> current = random_image(5.6f, 49, {});
    const std::vector<bool> lacks = new_only_words();
    for (std::size_t k = 0; k < current.size(); ++k)
        if (lacks[k])
            current[k] = 0;
    std::vector<std::uint32_t> image = older_image(current, lacks);
    image.resize(14825u + 175u, 0xDEADBEEFu);
    image.resize(static_cast<std::size_t>(tpcm_word_count), 0u);
    set_tpcm_image(image);
    std::int32_t IFLAG = 0;
    EXPECT_EQ(run_update(6.8f, IFLAG, 14825 + 175),
              heading_start + " 5.60: ****\n\n ++> Data file resized for 149 fairleads\n");
    const std::vector<std::uint32_t> updated = tpcm_image();
    set_tpcm_image(current);
    TPCM.DAT_ID = 149;
    EXPECT_TRUE(updated == tpcm_image());
}

TEST(Catupd, VeryOldFileGetsEveryChangeInItsPlace) {
    // A version 1.00 file (before the reserves of 4.9 and the 149-fairlead layout), with a
    // hawser and a small interpolation table, updated by a program of version 6.00: every
    // change is listed, the screen pauses after five, and each word lands in its place.
    ScratchFolder folder;
    ScriptedConsole console("\n\n");
    std::vector<std::uint32_t> current = random_image(1.0f, 49, [] {
        TPCM.IARCO = 1;
        TPCM.NUMTAB = 10;
        TPCM.VESTYP = 5;
        TPCM.DRAFT = 3.0f;
        TPCM.BDRAFT = 7.5f;
    });
    const std::vector<bool> lacks = new_only_words(OlderParts::all, true);
    for (std::size_t k = 0; k < current.size(); ++k)
        if (lacks[k])
            current[k] = 0;
    const std::vector<std::uint32_t> older = older_image(current, lacks);
    EXPECT_EQ(older.size(), 14825u - 520u);
    std::vector<std::uint32_t> image(older);
    image.resize(static_cast<std::size_t>(tpcm_word_count), 0u);
    set_tpcm_image(image);

    std::int32_t IFLAG = 0;
    const std::string notes = run_update(6.0f, IFLAG, static_cast<std::int32_t>(older.size()));
    EXPECT_EQ(IFLAG, 1);
    const std::string before_pause =
        heading_start + " 1.00: ****\n" +
        "\n\n ++> Because Version  1.00 predates Version 1.23, You MUST move your hawser\n"
        "     to the (NLIN, NTYPE) position from the (1,1) position  \n\n\n"
        "\n ++> Point of information: This file had an interpolation table size of 10;\n"
        "     it may have been converted from an earlier simulation version\n"
        "     supporting a maximum table size of 30.\n"
        "\n ++> Added user specification of oblique rotation origin\n"
        "\n ++> Data file resized for version 5.0\n"
        "\n ++> Dry weight specification now required for moorings.\n"
        "     See line specification pages.\n";
    const std::string after_pause = "\n ++> Data file resized for 149 fairleads\n";
    EXPECT_EQ(notes, before_pause + after_pause);
    EXPECT_EQ(console.screen(), before_pause + " \n Press <RETURN> to continue: " + after_pause);

    set_tpcm_image(current);
    TPCM.ROTCTX = 0.0f;
    TPCM.ROTCTY = 0.0f;
    TPCM.ROTCTZ = 7.5f; // the second body's draft, for a hawser
    TPCM.EPSDST = 0.1f;
    TPCM.EPSDEG = 0.1f;
    TPCM.SEMI_LIKE = 1;
    TPCM.DAT_ID = 149;
    TPCM.EDUNIT = 6;
    const std::vector<std::uint32_t> expected = tpcm_image();
    set_tpcm_image(image);
    std::int32_t again = 0;
    (void)run_update(6.0f, again, static_cast<std::int32_t>(older.size()));
    EXPECT_TRUE(tpcm_image() == expected);
}

TEST(Catupd, FileOlderThanFiveIsTooOld) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    random_image(4.95f, 49, {});
    const std::vector<std::uint32_t> before = tpcm_image();
    open_unit(note_unit, "DATUPWRN.stxt", OpenStatus::replace, FileForm::formatted);
    std::int32_t IFLAG = 0;
    EXPECT_EQ(run_until_stop([&] { CATUPD(6.8f, IFLAG, 14825); }), StopKind::error);
    close_unit(note_unit);
    const std::string note =
        "\n\n ++> This Kelbrin data file, from version  4.95, is too old to update using version"
        "  6.80.\n"
        "     You must first update it using Kelbrin version 5.x or 6.00.\n\n\n";
    EXPECT_EQ(testing::read_text("DATUPWRN.stxt"), note);
    EXPECT_EQ(console.screen(), note + " \n Press <RETURN> to continue: ");
    EXPECT_TRUE(tpcm_image() == before);
}

TEST(Catimport, OffsetsAndTheLayersOfTendonAndSparFiles) {
    struct Case {
        std::int32_t CREATP;
        std::int32_t NLAYER_before;
        std::int32_t TENDON_FLG, NLAYER;
        float ZSPAN;
        std::int32_t PULLDN;
    };
    const Case cases[] = {
        {7, 0, -3, 0, 9.0f, 4},  // static mooring: the offsets only
        {14, 0, 1, 29, 1.5f, 0}, // tension-leg: DEPTH / 200
        {14, 5, 1, 5, 9.0f, 4},  // layers already set are kept
        {17, 0, 0, 3, 1.25f, 0}, // spar: DRAFT / 10
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.CREATP << " with " << c.NLAYER_before << " layers");
        ScriptedConsole console;
        TPCM.NLAT = 7;
        TPCM.NOFFL = 5;
        TPCM.EPSDST = 3.0f;
        TPCM.EPSDEG = 4.0f;
        TPCM.TENDON_FLG = -3;
        TPCM.NLAYER = c.NLAYER_before;
        TPCM.ZSPAN = 9.0f;
        TPCM.PULLDN = 4;
        TPCM.DEPTH = 300.0f;
        TPCM.DRAFT = 12.5f;
        CATIMPORT(c.CREATP);
        EXPECT_EQ(TPCM.NLAT, 1);
        EXPECT_EQ(TPCM.NOFFL, 1);
        EXPECT_EQ(TPCM.EPSDST, 0.01f);
        EXPECT_EQ(TPCM.EPSDEG, 0.01f);
        EXPECT_EQ(TPCM.TENDON_FLG, c.TENDON_FLG);
        EXPECT_EQ(TPCM.NLAYER, c.NLAYER);
        EXPECT_EQ(TPCM.ZSPAN, c.ZSPAN);
        EXPECT_EQ(TPCM.PULLDN, c.PULLDN);
    }
}

TEST(InoperativeUpdaters, SayWhereTheyAreAndStop) {
    using Updater = void (*)(float, std::int32_t&, std::int32_t&, int);
    const std::pair<const char*, Updater> updaters[] = {
        {"SHPUPD", SHPUPD}, {"JCKUPD", JCKUPD}, {"SEMUPD", SEMUPD}, {"DSCUPD", DSCUPD},
        {"STMUPD", STMUPD}, {"TOWUPD", TOWUPD}, {"SLMUPD", SLMUPD}, {"MORUPD", MORUPD},
        {"CLMUPD", CLMUPD}, {"SLOUPD", SLOUPD}, {"SPMUPD", SPMUPD}, {"SPRUPD", SPRUPD},
        {"TLPUPD", TLPUPD},
    };
    for (const auto& [name, updater] : updaters) {
        SCOPED_TRACE(name);
        ScriptedConsole console("\nnot read\n");
        std::int32_t IFLAG = 0, IFLAG2 = 0;
        EXPECT_EQ(
            run_until_stop([&, updater = updater] { updater(6.8f, IFLAG, IFLAG2, screen_unit); }),
            StopKind::error);
        EXPECT_EQ(console.screen(), " ++> You are in an inoperative ???UPD file!\n"
                                    "     Press <Return> to quit\n");
    }
    // Unattended: nobody can answer, so the lines go to the diagnostics file as well and the
    // run stops without reading (an empty keyboard would end the session with its own line).
    ScratchFolder folder;
    ScriptedConsole console;
    ASSERT_TRUE(
        open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace, FileForm::formatted));
    std::int32_t IFLAG = 0, IFLAG2 = 0;
    EXPECT_EQ(run_until_stop([&] { SEMUPD(6.8f, IFLAG, IFLAG2, diagnostics_unit); }),
              StopKind::error);
    close_unit(diagnostics_unit);
    const std::string lines = " ++> You are in an inoperative ???UPD file!\n"
                              "     Press <Return> to quit\n";
    EXPECT_EQ(console.screen(), lines);
    EXPECT_EQ(folder.read("Diagnostics.stxt"), lines);
}

} // namespace
} // namespace lintar
