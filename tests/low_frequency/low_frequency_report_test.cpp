// The low-frequency report driver on the report's fixture (every input of the report filled
// by hand): the sections in their order, one page each, the file closed; the console's pauses
// and restarts with the statistics converted once; the files of the offset cases and of the
// support data under their switches.
#include "low_frequency/low_frequency_report.h"

#include "blocks/equilb.h"
#include "blocks/lf_mode_record.h"
#include "blocks/tpcm.h"
#include "low_frequency/box_ship_low_frequency_fixture.h"
#include "low_frequency/low_frequency_loads.h"
#include "low_frequency/low_frequency_report_fixture.h"
#include "low_frequency/mode_pages.h"
#include "low_frequency/report_context.h"
#include "low_frequency/static_equilibrium_summary.h"
#include "low_frequency/vessel_environment_summary.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/damping_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

const std::string note = "\n >>> Outputting low-frequency dynamics data...\n\n";

// The report's fixture with a current model that needs no built-in coefficient set (section
// IV evaluates the yaw moments at the equilibrium heading), no offset report, no support data.
testing::FakeHullModel& report_hull() {
    static testing::FakeHullModel fake;
    return fake;
}

void set_up_report() {
    set_up_low_frequency_report();
    set_up_report_motions(report_hull());
    TPCM.LCBARG = 0x777;
    TPCM.CATFBK = 0;
    TPCM.BCTFBK = 0;
    TPCM.WriteAuxDatFiles = 0;
}

// The sections written one after the other as the driver's order says, on the fixture's
// state: the reference for the whole file.
struct DirectRun {
    std::string report, screen;
};
DirectRun sections_in_order() {
    ScratchFolder folder;
    ScriptedConsole console(std::string(50, '\n'));
    set_up_report();
    EXPECT_TRUE(open_unit(1, "LOWOUT.stxt", OpenStatus::replace, FileForm::formatted));
    const LowReportFlags flags = low_report_flags();
    write_vessel_environment_summary(flags);
    convert_mode_statistics(flags);
    write_static_equilibrium_summary(flags);
    EXPECT_FALSE(write_mode_pages(flags));
    LOWLOD();
    close_unit(1);
    return {folder.read("LOWOUT.stxt"), console.screen()};
}

// The titles of the pages of a report, in order: the first line with a section number.
std::vector<std::string> page_titles(const std::string& text) {
    std::vector<std::string> titles;
    for (const std::string& page : pages_of(text)) {
        for (const char* title :
             {"III.  VESSEL AND ENVIRONMENT SUMMARY", "IV.  STATIC EQUILIBRIUM SUMMARY",
              "V.  LOW-FREQUENCY", "VIa.  Low-Frequency", "VIb.  Low-Frequency"})
            if (page.find(title) != std::string::npos) {
                titles.emplace_back(title);
                break;
            }
    }
    return titles;
}

// A report on the console cut at its section titles: each piece from its title to the next
// title.
struct Section {
    std::string title, text;
};
std::vector<Section> sections_of(const std::string& screen) {
    std::vector<std::pair<std::size_t, std::string>> starts;
    std::size_t line = 0;
    while (line < screen.size()) {
        const std::size_t end = std::min(screen.find('\n', line), screen.size());
        const std::string_view text(screen.data() + line, end - line);
        for (const char* title : {"III.  ", "IV.  ", "V.  ", "VIa.  ", "VIb.  "})
            if (text.find("****") != std::string_view::npos &&
                text.find(std::string("  ") + title) != std::string_view::npos) {
                // A pause's prompt stays open on the screen: the title follows it.
                starts.emplace_back(line + text.find(" *"),
                                    std::string(title).substr(0, std::string(title).find(' ')));
                break;
            }
        line = end + 1;
    }
    std::vector<Section> sections;
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const std::size_t to = k + 1 < starts.size() ? starts[k + 1].first : screen.size();
        sections.push_back(
            {starts[k].second, screen.substr(starts[k].first, to - starts[k].first)});
    }
    return sections;
}

TEST(LowFrequencyReportDriver, OnDiskTheSectionsFollowInOrderOnePageEach) {
    const DirectRun direct = sections_in_order();
    ScratchFolder folder;
    ScriptedConsole console(std::string(50, '\n'));
    set_up_report();
    std::int32_t nAgnSpecSecs = -1, mapMakeSecs = -1, linDampSecs = -1;
    EXPECT_FALSE(run_until_stop([&] { QUASOT(nAgnSpecSecs, mapMakeSecs, linDampSecs); }));
    const std::string report = folder.read("LOWOUT.stxt");
    EXPECT_EQ(report, direct.report);
    const std::vector<std::string> titles = page_titles(report);
    ASSERT_GE(titles.size(), 5u);
    EXPECT_EQ(titles.front(), "III.  VESSEL AND ENVIRONMENT SUMMARY");
    EXPECT_EQ(titles[1], "IV.  STATIC EQUILIBRIUM SUMMARY");
    EXPECT_EQ(titles[2], "V.  LOW-FREQUENCY");
    EXPECT_EQ(titles.back(), "VIb.  Low-Frequency");
    EXPECT_EQ(std::count(titles.begin(), titles.end(), "III.  VESSEL AND ENVIRONMENT SUMMARY"), 1);
    // The file is closed, no offset file was asked for, and the report made no pause.
    EXPECT_FALSE(unit_is_open(1));
    EXPECT_FALSE(folder.has("OFFSETS.stxt"));
    EXPECT_EQ(console.screen(), note + direct.screen);
    EXPECT_EQ(nAgnSpecSecs, 0);
    EXPECT_EQ(mapMakeSecs, 0);
    EXPECT_EQ(linDampSecs, 0);
}

// On the console a negative answer at the pause after section IV or after a page of section V
// writes the report again from section III, with the same numbers: the statistics are not
// converted twice.
TEST(LowFrequencyReportDriver, OnTheConsoleARestartWritesSectionThreeAgainWithTheSameNumbers) {
    struct Case {
        const char* after;
        std::string answers;            // the pauses after III, IV and the first page of V
        std::vector<std::string> order; // the titles up to the second pass's last page
    };
    const Case cases[] = {
        {"section IV", "\n-1\n", {"III.", "IV.", "III.", "IV.", "V."}},
        {"section V", "\n\n-1\n", {"III.", "IV.", "V.", "III.", "IV.", "V."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after);
        ScratchFolder folder;
        ScriptedConsole console(c.answers + std::string(80, '\n'));
        set_up_report();
        TPCM.IUNIT = TPCM.EDUNIT;
        std::int32_t a = 0, b = 0, c3 = 0;
        EXPECT_FALSE(run_until_stop([&] { QUASOT(a, b, c3); })) << console.screen();
        EXPECT_FALSE(folder.has("LOWOUT.stxt"));
        // On the console the pages are told apart by their titles.
        const std::vector<Section> sections = sections_of(console.screen());
        ASSERT_GT(sections.size(), c.order.size());
        for (std::size_t k = 0; k < c.order.size(); ++k)
            EXPECT_EQ(sections[k].title, c.order[k]) << k;
        // The pages of the second pass are those of the first.
        const std::size_t restart = c.order.size() == 5 ? 2 : 3;
        for (std::size_t k = 0; k < restart && k + restart < c.order.size(); ++k)
            EXPECT_EQ(sections[k + restart].text, sections[k].text) << sections[k].title;
    }
}

// Without LOWMOT: the console note and the conversion only; no report, no offset cases, no
// support data, the three outputs 0. The envelope file asked for is opened all the same and
// stays open until the end of the run.
TEST(LowFrequencyReportDriver, WithoutLowmotOnlyTheNoteAndTheConversion) {
    ScratchFolder folder;
    std::filesystem::create_directory("td_aux");
    ScriptedConsole console(std::string(10, '\n'));
    set_up_report();
    TPCM.LOWMOT = 0;
    TPCM.WriteAuxDatFiles = 1;
    TPCM.CMPUTR = 5;
    const float variance = EQUILB.LFSTAT(VARTOT.w, lf_surge);
    ASSERT_GT(variance, 0.0f);
    std::int32_t a = -1, b = -1, c = -1;
    EXPECT_FALSE(run_until_stop([&] { QUASOT(a, b, c); }));
    EXPECT_EQ(console.screen(), note);
    EXPECT_FALSE(folder.has("LOWOUT.stxt"));
    EXPECT_FLOAT_EQ(EQUILB.LFSTAT(VARTOT.w, lf_surge), std::sqrt(variance));
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(c, 0);
    EXPECT_TRUE(unit_is_open(envelope_file_unit));
    close_all_units();
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator("td_aux"))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"Envelope_Vis_Dat.vkdt"});
}

// The offset file goes with the buoy's offset report of program code 13 (BCTFBK 1, CATFBK 0),
// not with BCTFBK under another code. The box ship as a buoy arrangement: with LOWMOT the
// report runs the buoy's design-wave cycle at two corners of each of the three levels into the
// offset file, which the driver then closes; without LOWMOT the file is opened and left to the
// end of the run, as every file of the driver then is.
TEST(LowFrequencyReportDriver, TheOffsetFileOfTheBuoysReport) {
    struct Case {
        std::int32_t code, LOWMOT;
        bool file, open_after;
        std::size_t cycles; // the offset report's tables of a buoy's hawser
    };
    const Case cases[] = {
        {13, 1, true, false, 6},
        {12, 1, false, false, 0},
        {13, 0, true, true, 0},
        {12, 0, false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "code " << c.code << ", LOWMOT " << c.LOWMOT);
        ScratchFolder folder;
        ScriptedConsole console(std::string(50, '\n'));
        box_ship_two_body_state();
        TPCM.EDUNIT = screen_unit;
        TPCM.SIMTYP = c.code;
        TPCM.CATFBK = 0;
        TPCM.BCTFBK = 1;
        TPCM.LOWMOT = c.LOWMOT;
        TPCM.WriteAuxDatFiles = 0;
        std::int32_t a = -1, b = -1, c3 = -1;
        ASSERT_EQ(run_until_stop([&] { QUASOT(a, b, c3); }), std::nullopt) << console.screen();
        EXPECT_FALSE(unit_is_open(1));
        EXPECT_EQ(unit_is_open(offset_file_unit), c.open_after);
        EXPECT_EQ(folder.has("OFFSETS.stxt"), c.file);
        EXPECT_EQ(folder.has("LOWOUT.stxt"), c.LOWMOT == 1);
        close_all_units();
        const std::string offsets = c.file ? folder.read("OFFSETS.stxt") : std::string();
        std::size_t cycles = 0;
        for (std::size_t at = offsets.find("Hawser Characteristics"); at != std::string::npos;
             at = offsets.find("Hawser Characteristics", at + 1))
            ++cycles;
        EXPECT_EQ(cycles, c.cycles);
        EXPECT_EQ(console.screen(), note); // on disk, no pause
    }
}

// Support data asked for: after the report, the environment side, then the mooring side, with
// the vessel-motion reports off while they run and on again afterwards; the envelope file is
// closed for a spread mooring and, for a turret mooring of another code than 15, left open to
// the end of the run. The report's vessel is moored by the four lines of the damping maps'
// fixture (the report's own spread has tables but no line type to shape a line from); without
// a wave system the force tables need no RAOs and the damping maps no motion runs.
TEST(LowFrequencyReportDriver, TheSupportDataFollowTheReport) {
    namespace fs = std::filesystem;
    const std::vector<std::string> environment_files = {
        "td_aux/LF_Wind_Frc_Cofs.vkdt", "td_aux/LF_Crnt_Frc_Cofs.vkdt", "td_aux/WndSpec.vkdt",
        "td_aux/CurSpec.vkdt"};
    const std::vector<std::string> mooring_files = {
        "td_aux/TD_Environment.vkdt",      "td_aux/Moor_Force_Map.vkdt",
        "td_aux/OneLine_Force_Map.vkdt",   "td_aux/Moor_Force_Map.key",
        "td_aux/WF_Line_Damping_Map.vkdt", "td_aux/Fairlead_Load_Map.vkdt",
        "td_aux/Line_Quad_Cof_Map.vkdt",   "td_aux/Line_Mass_Map.vkdt",
        "td_aux/Line_Damping_Maps.key"};
    for (const std::int32_t LSPM : {0, 1}) {
        SCOPED_TRACE(LSPM);
        ScratchFolder folder;
        fs::create_directory("td_aux");
        ScriptedConsole console(std::string(50, '\n'));
        set_up_report();
        fill_damping_lines(4, energy_curve_points);
        TPCM.NTYP = 1;
        TPCM.LSPM = LSPM;
        TPCM.WriteAuxDatFiles = 1;
        TPCM.CMPUTR = 5;
        TPCM.hideOrmanelReports = 0;
        TPCM.LRANDM = TPCM.LSWELL = TPCM.LSWEL2 = 0;
        TPCM.excursionLimitDiameter = 40.0f; // the maps' grid, not the region's corners
        std::int32_t a = -1, b = -1, c = -1;
        const auto stop = run_until_stop([&] { QUASOT(a, b, c); });
        const std::string screen = console.screen();
        ASSERT_EQ(stop, std::nullopt) << screen;
        EXPECT_TRUE(folder.has("LOWOUT.stxt"));
        EXPECT_FALSE(unit_is_open(1));
        EXPECT_TRUE(folder.has("td_aux/Envelope_Vis_Dat.vkdt"));
        EXPECT_EQ(unit_is_open(envelope_file_unit), LSPM == 1);
        EXPECT_EQ(TPCM.hideOrmanelReports, 0);

        // The messages: the environment side's end before the mooring side's first.
        const std::size_t environment_end =
            screen.find(" >>> End Vorlakine support enviromental mapping...");
        const std::size_t mooring_start = screen.find(" >>> Vorlakine Excursion Diameter:");
        const std::size_t mooring_end =
            screen.find(" >>> End Vorlakine mooring maps preparation...");
        ASSERT_NE(environment_end, std::string::npos);
        ASSERT_NE(mooring_start, std::string::npos);
        ASSERT_NE(mooring_end, std::string::npos);
        EXPECT_LT(environment_end, mooring_start);
        EXPECT_LT(mooring_start, mooring_end);

        // The files: every one of both sides, the mooring side's written after the last of the
        // environment side's.
        fs::file_time_type environment_last = fs::file_time_type::min();
        for (const std::string& name : environment_files) {
            ASSERT_TRUE(folder.has(name)) << name;
            environment_last =
                std::max(environment_last, fs::last_write_time(folder.path() / name));
        }
        for (const std::string& name : mooring_files) {
            ASSERT_TRUE(folder.has(name)) << name;
            EXPECT_GE(fs::last_write_time(folder.path() / name), environment_last) << name;
        }
        EXPECT_GE(b, 0);
        EXPECT_GE(c, 0);
        close_all_units();
    }
}

// Support data asked for on the computer code 3: no envelope file and no support data.
TEST(LowFrequencyReportDriver, OnComputerThreeNoSupportData) {
    ScratchFolder folder;
    std::filesystem::create_directory("td_aux");
    ScriptedConsole console(std::string(50, '\n'));
    set_up_report();
    TPCM.WriteAuxDatFiles = 1;
    TPCM.CMPUTR = 3;
    std::int32_t a = -1, b = -1, c = -1;
    EXPECT_FALSE(run_until_stop([&] { QUASOT(a, b, c); }));
    EXPECT_TRUE(folder.has("LOWOUT.stxt"));
    EXPECT_TRUE(std::filesystem::is_empty("td_aux"));
    EXPECT_FALSE(unit_is_open(envelope_file_unit));
    EXPECT_EQ(console.screen().find("Vorlakine"), std::string::npos);
}

} // namespace
} // namespace lintar
