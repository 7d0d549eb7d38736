// Tests of the rules every support-data file follows: the excursion diameter, the span key,
// the elapsed time across midnight, the write under a temporary name (a link there refused),
// the map-set keys and the environment summary file.
#include "td_support/environment_summary.h"
#include "td_support/mooring_support.h"
#include "td_support/squall_options.h"
#include "td_support/td_aux_files.h"

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/sea_spectra_support.h"
#include "support/temporary_files.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <numbers>
#include <optional>
#include <sstream>

namespace lintar {
namespace {

using testing::lines_of;
using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

// Two line types in row 2: type 1 reaches 1000 - 900 = 100 beyond line 1's anchor radius and
// spans 1000 - 400 = 600 over its table; type 2 reaches 1300 - 1100 = 200, spans 1300 - 1000
// = 300. Line 3's anchor radius (10) must play no part.
void fill_two_types() {
    LincomBlock& C = LINCOM;
    C.MIDLYR = 2;
    TPCM.NUMTAB = 5;
    C.ANCDST(1, 2, 1) = 400.0f;
    C.ANCDST(5, 2, 1) = 1000.0f;
    C.ANCDST(1, 2, 2) = 1000.0f;
    C.ANCDST(5, 2, 2) = 1300.0f;
    C.ANCDST(5, 1, 1) = 5.0f; // another row, not read
    C.RANC(1) = 900.0f;
    C.RANC(2) = 1100.0f;
    C.RANC(3) = 10.0f;
}

TEST(ExcursionDiameter, EveryRuleOfTheSpan) {
    ScriptedConsole console;
    fill_two_types();
    OffsetCorners c;
    c.GXMAXQ = {30.0f, -5.0f, 0.1f, 2.0f};
    c.GYMINQ = {1.0f, -40.0f, 0.0f, 0.0f};
    struct Case {
        const char* what;
        float user;
        float corner; // replaces GYMINQ(2)
        std::int32_t NLIN;
        float DEPTH;
        float expected;
    };
    const Case cases[] = {
        // The reach: 2 x 0.9 x 100 = 180 beats 3 x 40 = 120 and 0.1 x 1000.
        {"reach", 0.0f, -40.0f, 4, 1000.0f, 180.0f},
        // Three times the largest corner component, 3 x 70 = 210.
        {"excursion", 0.0f, -70.0f, 4, 1000.0f, 210.0f},
        // A tenth of the depth, 300.
        {"depth", 0.0f, -40.0f, 4, 3000.0f, 300.0f},
        // One line: twice the shortest table range, 2 x 300, whatever else.
        {"one line", 0.0f, -900.0f, 1, 30000.0f, 600.0f},
        // The user's diameter even where a tenth of the depth is larger.
        {"user", 250.0f, -40.0f, 1, 5000.0f, 250.0f},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        OffsetCorners corners = c;
        corners.GYMINQ[1] = k.corner;
        EXPECT_FLOAT_EQ(excursion_diameter(k.user, corners, 2, 5, k.NLIN, k.DEPTH), k.expected);
    }
}

TEST(ExcursionDiameter, SpanKeyTruncatesAndRefusesWhatHasNone) {
    {
        ScriptedConsole console;
        EXPECT_EQ(span_key(123.9f, 6), 123);
        EXPECT_EQ(span_key(-0.5f, 6), 0);
        EXPECT_EQ(span_key(2147483520.0f, 6), 2147483520);
    }
    for (const float bad : {std::numeric_limits<float>::quiet_NaN(), 3.0e9f, -2147483648.0f,
                            std::numeric_limits<float>::infinity()}) {
        SCOPED_TRACE(bad);
        ScriptedConsole console("\n");
        EXPECT_EQ(run_until_stop([&] { (void)span_key(bad, 6); }), StopKind::error);
        EXPECT_NE(console.screen().find("excursion diameter"), std::string::npos);
    }
}

TEST(ElapsedSeconds, PositiveAcrossMidnight) {
    EXPECT_EQ(elapsed_seconds(600, 10, 602, 5), 115);
    // 23:59:50 to 00:00:10 the next day.
    EXPECT_EQ(elapsed_seconds(23 * 60 + 59, 50, 0, 10), 20);
}

TEST(TdAuxFile, MissingFolderIsReportedUnderTheFinalName) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    EXPECT_EQ(run_until_stop([] { TdAuxFile file(force_map_file, td_aux_caller, 6); }),
              StopKind::error);
    EXPECT_NE(console.screen().find(" ++> File not found or file access error in QUASOT"),
              std::string::npos);
    EXPECT_NE(console.screen().find("     File name: td_aux/Moor_Force_Map.vkdt"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "td_aux"));
}

TEST(TdAuxFile, StopWhileWritingKeepsThePreviousFile) {
    ScratchFolder folder;
    ScriptedConsole console;
    std::filesystem::create_directory("td_aux");
    folder.write("td_aux/Moor_Force_Map.vkdt", "old and complete\n");
    EXPECT_EQ(run_until_stop([] {
                  TdAuxFile file(force_map_file, td_aux_caller, 6);
                  write_record(file.unit(), "half of a new map");
                  stop_program(StopKind::error);
              }),
              StopKind::error);
    EXPECT_EQ(folder.read("td_aux/Moor_Force_Map.vkdt"), "old and complete\n");
    EXPECT_FALSE(folder.has("td_aux/Moor_Force_Map.vkdt.tmp"));

    TdAuxFile file(force_map_file, td_aux_caller, 6);
    write_record(file.unit(), "new");
    EXPECT_EQ(folder.read("td_aux/Moor_Force_Map.vkdt"), "old and complete\n");
    file.commit();
    EXPECT_EQ(folder.read("td_aux/Moor_Force_Map.vkdt"), "new\n");
    EXPECT_FALSE(folder.has("td_aux/Moor_Force_Map.vkdt.tmp"));
}

// Every file written under a temporary name claims that name for a file of its own: a link
// there (here to a file of the user's), also one put there after the file was made, is refused
// with a message and never written through, so
// the file it points at and the old final file stay as they were; a stale regular file there
// (a write cut short) is replaced, and the write then goes through.
TEST(TemporaryName, ALinkIsRefusedAndAStaleFileReplacedByEveryWriter) {
    const auto access_report = [](const std::string& name) {
        return "\n"
               " ++> File not found or file access error in QUASOT\n"
               "     File name: " +
               name +
               "\n"
               " \n"
               " Press <RETURN> to continue: ";
    };
    struct Case {
        const char* what;
        std::string final_name;
        std::function<void()> write;
        std::string report;
    };
    const Case cases[] = {
        {"a td_aux map", "td_aux/Moor_Force_Map.vkdt",
         [] {
             TdAuxFile file(force_map_file, td_aux_caller, 6);
             write_record(file.unit(), "new map");
             file.commit();
         },
         access_report("td_aux/Moor_Force_Map.vkdt")},
        {"a map key", "td_aux/Line_Damping_Maps.key",
         [] { write_map_key(damping_maps_key_file, {"new key"}, 6); },
         access_report("td_aux/Line_Damping_Maps.key")},
        {"the squall options", "SQUALDAT",
         [] {
             const std::array<std::int32_t, squall_event_count> picks{};
             WRITE_TD_OPTS("SQUALDAT", 6.8f, 0, 6.8f, 3, 2.5f, 0, picks, picks);
         },
         "++> I/O Error in WRITE_TD_OPTS; aborting... \n"},
    };
    // The link is there before the writer starts, or put there by a racing process once the
    // writer has made its file and before it writes.
    enum class LinkPut { before, while_written };
    for (const Case& c : cases)
        for (const LinkPut when : {LinkPut::before, LinkPut::while_written}) {
            SCOPED_TRACE(
                ::testing::Message()
                << c.what
                << (when == LinkPut::before ? ", link there before" : ", link put while written"));
            ScratchFolder folder;
            ScriptedConsole console("\n");
            TPCM.EDUNIT = 6;
            std::filesystem::create_directory("td_aux");
            folder.write("users_file", "the user's own file\n");
            folder.write(c.final_name, "old and complete\n");
            const std::string temporary = c.final_name + ".tmp";
            {
                std::optional<testing::LinkAtTemporaryName> race;
                if (when == LinkPut::before)
                    std::filesystem::create_symlink(folder.path() / "users_file", temporary);
                else
                    race.emplace(folder.path() / "users_file", testing::Takeover::link_in_place);
                EXPECT_EQ(run_until_stop(c.write), StopKind::error);
            }
            close_all_units();
            EXPECT_EQ(console.screen(),
                      "\n"
                      " ++> The save needs the name " +
                          temporary +
                          " for a file of its own, but a link,\n"
                          "     a folder or another object of that name is in the way.\n" +
                          c.report);
            EXPECT_EQ(folder.read("users_file"), "the user's own file\n");
            EXPECT_EQ(folder.read(c.final_name), "old and complete\n");
            EXPECT_TRUE(std::filesystem::is_symlink(temporary));

            std::filesystem::remove(temporary);
            folder.write(temporary, "left by a write that was cut short");
            EXPECT_FALSE(run_until_stop(c.write));
            EXPECT_NE(folder.read(c.final_name), "old and complete\n");
            EXPECT_FALSE(folder.has(temporary));
            EXPECT_EQ(folder.read("users_file"), "the user's own file\n");
        }
}

TEST(MapSetKey, CurrentOnlyWithEveryFileAndTheSameKey) {
    ScratchFolder folder;
    ScriptedConsole console;
    std::filesystem::create_directory("td_aux");
    const TdAuxFileSpec set[] = {force_map_file, one_line_map_file};
    const std::vector<std::string> key = {" span 123", " inputs 0123456789abcdef"};
    folder.write("td_aux/Moor_Force_Map.vkdt", "map\n");
    folder.write("td_aux/OneLine_Force_Map.vkdt", "table\n");
    EXPECT_FALSE(map_set_current(set, force_map_key_file, key)); // no key yet
    write_map_key(force_map_key_file, key, 6);
    EXPECT_EQ(folder.read("td_aux/Moor_Force_Map.key"), " span 123\n inputs 0123456789abcdef\n");
    EXPECT_TRUE(map_set_current(set, force_map_key_file, key));
    EXPECT_FALSE(map_set_current(set, force_map_key_file, {" span 124", key[1]}));
    EXPECT_FALSE(map_set_current(set, force_map_key_file, {key[0]}));
    std::filesystem::remove("td_aux/OneLine_Force_Map.vkdt");
    EXPECT_FALSE(map_set_current(set, force_map_key_file, key));
    folder.write("td_aux/OneLine_Force_Map.vkdt", "table\n");
    forget_map_key(force_map_key_file);
    EXPECT_FALSE(map_set_current(set, force_map_key_file, key));
}

TEST(MapSetKey, RunDigestFollowsTheDataAndTheFilesRead) {
    ScratchFolder folder;
    ScriptedConsole console;
    std::filesystem::create_directory("td_aux");
    folder.write("user_table.dat", "1 2 3\n");
    const std::string plain = run_input_digest();
    ASSERT_TRUE(open_unit(31, "user_table.dat", OpenStatus::old_file, FileForm::formatted));
    close_unit(31);
    const std::string with_file = run_input_digest();
    EXPECT_NE(with_file, plain);
    EXPECT_EQ(run_input_digest(), with_file);
    folder.write("user_table.dat", "1 2 4\n");
    EXPECT_NE(run_input_digest(), with_file);
    // Support data and scratch files the run writes are not inputs.
    folder.write("td_aux/Some_Map.key", "x\n");
    const std::string before = run_input_digest();
    ASSERT_TRUE(open_unit(31, "td_aux/Some_Map.key", OpenStatus::old_file, FileForm::formatted));
    close_unit(31);
    ASSERT_TRUE(open_unit(31, "SCRATCH", OpenStatus::replace, FileForm::unformatted));
    close_unit(31);
    ASSERT_TRUE(open_unit(31, "SCRATCH", OpenStatus::old_file, FileForm::unformatted));
    close_unit(31);
    EXPECT_EQ(run_input_digest(), before);
    TPCM.DEPTH = TPCM.DEPTH + 1.0f;
    EXPECT_NE(run_input_digest(), before);
}

// The summary of a metric and an English file: one grid point, so that each group speed is
// the linear-wave group speed at that point (GRPSPD picks the only point there is).
TEST(EnvironmentSummary, RecordsAndGroupSpeedsInKnots) {
    for (const std::int32_t NUNTS : {1, 0}) {
        SCOPED_TRACE(NUNTS);
        ScratchFolder folder;
        ScriptedConsole console;
        std::filesystem::create_directory("td_aux");
        const double g = NUNTS == 1 ? 9.8 : 32.152;
        const double depth = NUNTS == 1 ? 100.0 : 328.0;
        const double w = 2.0 * std::numbers::pi / 10.0;
        const double k = testing::reference_wave_number(w, g, depth);
        const double cg = w / (2.0 * k) * (1.0 + 2.0 * k * depth / std::sinh(2.0 * k * depth));
        const double knot = NUNTS == 1 ? 1852.0 / 3600.0 : 1852.0 / 3600.0 / 0.3048;
        TPCM.EDUNIT = 6;
        TPCM.VESTYP = 1;
        TPCM.LWVCOF = 0x222; // wall-sided hull drift in every component
        TPCM.LWL = 200.0f;
        TPCM.BWL = 32.0f;
        TPCM.DRAFT = 10.0f;
        TPCM.NWP = 1;
        TPCM.DEPTH = static_cast<float>(depth);
        WAVCOM.G = static_cast<float>(g);
        WAVCOM.W(1) = static_cast<float>(w);
        WAVCOM.WVK(1) = static_cast<float>(k);
        WAVCOM.WPSD(1) = 1.0f;
        WAVCOM.SWLPSD(1) = 1.0f;
        WAVCOM.SWLPSD2(1) = 1.0f;

        TdEnvironment env = td_environment_of_blocks();
        env.NUNTS = NUNTS;
        env.LWIND = 1;
        env.LRANDM = 1;
        env.AXFC3 = 1;
        env.WNDTYP = 2;
        env.WNDHDG = 45.0f;
        env.WNDSPD = 20.5f;
        env.CURTYP = 1;
        env.CURF_ANG_LINS = static_cast<float>(std::numbers::pi / 2.0);
        env.sea.TYP = 3;
        env.sea.HT = 6.5f;
        env.swell.HDG = 30.0f;
        if (run_until_stop([&] { WRITE_TD_MISC(env, 250.0f, 250.0f, 6); }))
            ADD_FAILURE() << console.screen();

        const auto lines = lines_of(folder.read("td_aux/TD_Environment.vkdt"));
        ASSERT_EQ(lines.size(), 7u);
        EXPECT_EQ(lines[0], "   1  0  0  1  0  0  0  0  0  1");
        EXPECT_EQ(lines[1].substr(0, 14), " Wind        2");
        EXPECT_EQ(lines[1].substr(14, 40), "       45.0000000000       20.5000000000");
        EXPECT_EQ(lines[2].substr(0, 14), " Current     1");
        EXPECT_NEAR(std::stod(lines[2].substr(94, 20)), 90.0, 1e-4);
        EXPECT_EQ(lines[3].substr(0, 14), " Waves       3");
        EXPECT_EQ(lines[4].substr(0, 34), " Swell       0       30.0000000000");
        EXPECT_EQ(lines[5].substr(0, 14), " Swell2      0");
        for (int r = 3; r <= 5; ++r) {
            SCOPED_TRACE(r);
            const auto& line = lines[static_cast<std::size_t>(r)];
            EXPECT_EQ(line.size(), 14u + 5u * 20u);
            EXPECT_NEAR(std::stod(line.substr(34, 20)), cg / knot, 2e-4 * cg / knot);
            EXPECT_NEAR(std::stod(line.substr(54, 20)), cg / knot, 2e-4 * cg / knot);
        }
        EXPECT_EQ(lines[6], " Xspan_Yspan     250.000000     250.000000");
    }
}

} // namespace
} // namespace lintar
