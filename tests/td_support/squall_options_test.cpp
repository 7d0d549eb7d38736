// The squall program's options file: the version texts, the records as written, the read back,
// the files that cannot be read, and the tests of the user's choices against the defaults.
#include "td_support/squall_options.h"

#include "blocks/squalcom.h"
#include "blocks/tpcm.h"
#include "runtime/stop.h"
#include "support/console.h"
#include "util/title_screens.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;
using Picks = std::array<std::int32_t, squall_event_count>;

TEST(SquallOptions, VersionTexts) {
    struct Case {
        float VERNO;
        std::int32_t SUFX;
        std::string text;
    };
    for (const Case& c : std::vector<Case>{{6.8f, 3, "6.80.03 "},
                                           {6.8f, 12, "6.80.12 "},
                                           {-6.8f, 3, "6.80.03b"},
                                           {6.8f, 0, "6.80.00 "},
                                           {0.0f, 9, "0.00.09b"}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(VERSION_STRING2(c.VERNO, c.SUFX), c.text);
    }
    // The title screen's text keeps its label and its sub-version 0.
    EXPECT_EQ(VERSION_STRING(6.8f), "Version: 6.80.00 ");
    EXPECT_EQ(VERSION_STRING(-6.8f), "Version: 6.80.00b");
}

// Options with a value in every word, each different, reals of at most seven digits (the file
// keeps seven).
void fill_options() {
    for (int i = 1; i <= squall_logical_count; ++i)
        SQUALCOM.aaLogical(i) = (i % 3 == 0) ? 1 : 0;
    for (int i = 1; i <= squall_integer_count; ++i)
        SQUALCOM.aaInteger(i) = 100 + i;
    for (int i = 1; i <= squall_real_count; ++i)
        SQUALCOM.aaReal(i) = static_cast<float>(i) * 1.25f - 20.0f;
    SQUALCOM.nFldReports() = 3;
}

struct Written {
    Picks events{};
    Picks picks{};
};

Written write_options(const std::string& name) {
    Written w;
    for (int i = 0; i < squall_event_count; ++i) {
        w.events[static_cast<std::size_t>(i)] = i + 1;
        w.picks[static_cast<std::size_t>(i)] = 40 - i;
    }
    WRITE_TD_OPTS(name, 6.8f, 0, 6.8f, 3, 2.5f, 7, w.events, w.picks);
    return w;
}

std::vector<std::string> records_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(SquallOptions, RecordsAsWritten) {
    ScratchFolder folder;
    ScriptedConsole console;
    fill_options();
    SQUALCOM.aaReal(2) = 1.5f;
    write_options("SQUALDAT");
    const std::vector<std::string> records = records_of(folder.read("SQUALDAT"));
    ASSERT_EQ(records.size(), 8u);
    EXPECT_EQ(records[0], "SQUALDAT Ver [6.80.03];  Kelbrin Ver [6.80.00]");
    EXPECT_EQ(records[1], "\t 53\t 32\t 52");
    EXPECT_EQ(records[2], "\t   9000.00\t  7");
    EXPECT_EQ(records[3].substr(0, 8), "\tF\tF\tT\tF");
    EXPECT_EQ(records[3].size(), 2u * 53);
    EXPECT_EQ(records[4].substr(0, 12), "\t101\t  3\t103");
    EXPECT_EQ(records[5], "\t  1\t  2\t  3");
    EXPECT_EQ(records[6], "\t 40\t 39\t 38");
    EXPECT_EQ(records[7].substr(0, 30), "\t-0.1875000E+02\t 0.1500000E+01");
    EXPECT_EQ(records[7].size(), 15u * 52);
    EXPECT_FALSE(folder.has("SQUALDAT.tmp"));
}

TEST(SquallOptions, AFileOfTheCurrentLengthsReadsBackUnchanged) {
    ScratchFolder folder;
    ScriptedConsole console;
    fill_options();
    const Written w = write_options("SQUALDAT");
    const auto written = std::make_unique<SqualcomBlock>(SQUALCOM);
    SQUALCOM = {};

    std::int32_t iBadOpts = -1;
    Picks picks{}, defaults{};
    std::string VERSION_DAT;
    READ_TD_OPTS("SQUALDAT", iBadOpts, picks, defaults, VERSION_DAT);
    EXPECT_EQ(iBadOpts, 0);
    EXPECT_EQ(VERSION_DAT, "SQUALDAT Ver [6.80.03];  Kelbrin Ver [6.80.00]" + std::string(34, ' '));
    for (int i = 1; i <= squall_logical_count; ++i)
        EXPECT_EQ(SQUALCOM.aaLogical(i), written->aaLogical(i)) << "logical " << i;
    for (int i = 1; i <= squall_integer_count; ++i)
        EXPECT_EQ(SQUALCOM.aaInteger(i), written->aaInteger(i)) << "integer " << i;
    for (int i = 1; i <= squall_real_count; ++i)
        EXPECT_EQ(SQUALCOM.aaReal(i), written->aaReal(i)) << "real " << i;
    EXPECT_EQ(SQUALCOM.fullDuration_D(), 9000.0f);
    EXPECT_EQ(SQUALCOM.nFldReports_D(), 7);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(defaults[i], w.events[i]);
        EXPECT_EQ(picks[i], w.picks[i]);
    }
    EXPECT_EQ(picks[3], 0); // beyond the count nothing is read
    EXPECT_TRUE(folder.has("SQUALDAT"));
}

// A file whose first list is shorter than this program's is read as far as it goes and kept.
TEST(SquallOptions, OtherListLengthsReadAndKeep) {
    ScratchFolder folder;
    ScriptedConsole console;
    fill_options();
    write_options("SQUALDAT");
    std::vector<std::string> records = records_of(folder.read("SQUALDAT"));
    records[1] = "\t 50\t 32\t 52";
    records[3] = records[3].substr(0, 2 * 50);
    std::string text;
    for (const std::string& r : records)
        text += r + "\n";
    folder.write("SQUALDAT", text);
    SQUALCOM = {};
    SQUALCOM.aaLogical(51) = 1;

    std::int32_t iBadOpts = -1;
    Picks picks{}, defaults{};
    std::string VERSION_DAT;
    READ_TD_OPTS("SQUALDAT", iBadOpts, picks, defaults, VERSION_DAT);
    EXPECT_EQ(iBadOpts, 2);
    EXPECT_EQ(SQUALCOM.aaLogical(3), 1);
    EXPECT_EQ(SQUALCOM.aaLogical(51), 1); // past the file's list: left as it was
    EXPECT_EQ(SQUALCOM.aaInteger(8), 108);
    EXPECT_EQ(folder.read("SQUALDAT"), text);
}

// Files that cannot be read: each gives 1, changes no option and is kept under the name
// "SQUALDAT.bad", replacing an older one; the caller may then write a fresh file.
TEST(SquallOptions, AnUnreadableFileIsKeptUnderAnotherName) {
    struct Case {
        const char* what;
        std::size_t record;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"a letter in an integer", 4, "\t1x1"},
        {"a logical that is neither T nor F", 3, "\tT\tX"},
        {"a list longer than its list", 1, "\t 54\t 32\t 52"},
        {"a negative length", 1, "\t 53\t -1\t 52"},
        {"an event count of 40", 4, "\t101\t 40\t103"},
        {"an event count of -5", 4, "\t101\t -5\t103"},
        {"the file ends early", 99, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder;
        ScriptedConsole console;
        fill_options();
        write_options("SQUALDAT");
        std::vector<std::string> records = records_of(folder.read("SQUALDAT"));
        if (c.record < records.size())
            records[c.record] = c.text + records[c.record].substr(c.text.size());
        else
            records.resize(6);
        std::string text;
        for (const std::string& r : records)
            text += r + "\n";
        folder.write("SQUALDAT", text);
        folder.write("SQUALDAT.bad", "an older bad file\n");
        const auto before = std::make_unique<SqualcomBlock>(SQUALCOM);

        std::int32_t iBadOpts = -1;
        Picks picks{}, defaults{};
        picks[0] = 77;
        std::string VERSION_DAT;
        READ_TD_OPTS("SQUALDAT", iBadOpts, picks, defaults, VERSION_DAT);
        EXPECT_EQ(iBadOpts, 1);
        EXPECT_FALSE(folder.has("SQUALDAT"));
        EXPECT_EQ(folder.read("SQUALDAT.bad"), text);
        EXPECT_EQ(picks[0], 77);
        for (int i = 1; i <= squall_integer_count; ++i)
            EXPECT_EQ(SQUALCOM.aaInteger(i), before->aaInteger(i));
        for (int i = 1; i <= squall_logical_count; ++i)
            EXPECT_EQ(SQUALCOM.aaLogical(i), before->aaLogical(i));
    }
}

TEST(SquallOptions, AMissingFileStopsTheRun) {
    ScratchFolder folder;
    ScriptedConsole console;
    TPCM.EDUNIT = 6;
    std::int32_t iBadOpts = -1;
    Picks picks{}, defaults{};
    std::string VERSION_DAT;
    EXPECT_EQ(
        run_until_stop([&] { READ_TD_OPTS("SQUALDAT", iBadOpts, picks, defaults, VERSION_DAT); }),
        StopKind::error);
    EXPECT_EQ(console.screen(),
              "++> I/O Error in READ_TD_OPTS (missing SQUALDAT?); aborting... \n");
}

// The old file survives a write that cannot be made; a write that can be made replaces it
// whole.
TEST(SquallOptions, TheWriteReplacesTheOldFileOnlyWhenComplete) {
    ScratchFolder folder;
    ScriptedConsole console;
    TPCM.EDUNIT = 6;
    fill_options();
    folder.write("SQUALDAT", "the user's old options\n");
    std::filesystem::create_directory(folder.path() / "SQUALDAT.tmp");
    EXPECT_EQ(run_until_stop([] { write_options("SQUALDAT"); }), StopKind::error);
    EXPECT_EQ(console.screen(),
              "\n"
              " ++> The save needs the name SQUALDAT.tmp for a file of its own, but a link,\n"
              "     a folder or another object of that name is in the way.\n"
              "++> I/O Error in WRITE_TD_OPTS; aborting... \n");
    EXPECT_EQ(folder.read("SQUALDAT"), "the user's old options\n");

    std::filesystem::remove(folder.path() / "SQUALDAT.tmp");
    EXPECT_FALSE(run_until_stop([] { write_options("SQUALDAT"); }));
    EXPECT_EQ(records_of(folder.read("SQUALDAT")).size(), 8u);
    EXPECT_FALSE(folder.has("SQUALDAT.tmp"));
}

TEST(SquallOptions, OverridesOfTheDefaults) {
    Picks picks{}, defaults{};
    for (std::size_t i = 0; i < picks.size(); ++i)
        picks[i] = defaults[i] = static_cast<std::int32_t>(i);
    EXPECT_FALSE(overRideLinePicks_F(picks, 5, defaults, 5));
    // Different counts: true whatever the entries.
    EXPECT_TRUE(overRideLinePicks_F(picks, 5, defaults, 4));
    picks[4] = 99;
    EXPECT_TRUE(overRideLinePicks_F(picks, 5, defaults, 5));
    EXPECT_FALSE(overRideLinePicks_F(picks, 4, defaults, 4)); // past the count: not compared
    // A count beyond the lists compares the 39 entries there are.
    EXPECT_TRUE(overRideLinePicks_F(picks, 60, defaults, 60));

    EXPECT_FALSE(overRideFullDuration_F(3.0f, 3.0f));
    EXPECT_TRUE(overRideFullDuration_F(3.0f, 3.5f));
}

} // namespace
} // namespace lintar
