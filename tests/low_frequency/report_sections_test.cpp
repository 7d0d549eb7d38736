// Tests of sections III, IV and V of the low-frequency report written together for the ship
// on the four-line spread: the whole text against the pages typed from their layouts, written by
// the section routines and by the report driver.
#include "blocks/equilb.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "environment/coefficient_preparation.h"
#include "environment/net_environment.h"
#include "low_frequency/low_frequency_report.h"
#include "low_frequency/low_frequency_report_fixture.h"
#include "low_frequency/mode_pages.h"
#include "low_frequency/report_context.h"
#include "low_frequency/static_equilibrium_summary.h"
#include "low_frequency/vessel_environment_summary.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

// The expected pages of tests/data: the header lines dropped, each "<FF>" line a form feed.
std::string expected_pages(const std::string& name) {
    std::string text = read_text(test_data(name));
    while (text.starts_with("#"))
        text.erase(0, text.find('\n') + 1);
    for (std::size_t at = text.find("<FF>\n"); at != std::string::npos;
         at = text.find("<FF>\n", at))
        text.replace(at, 4, "\f");
    return text;
}

// Line by line, so that a failure names the line that differs.
void expect_same_lines(const std::string& text, const std::string& expected) {
    std::istringstream got(text);
    std::istringstream want(expected);
    std::string a;
    std::string b;
    for (int line = 1;; ++line) {
        const bool more_got = static_cast<bool>(std::getline(got, a));
        const bool more_want = static_cast<bool>(std::getline(want, b));
        SCOPED_TRACE(::testing::Message() << "line " << line);
        ASSERT_EQ(more_got, more_want);
        if (!more_got)
            break;
        EXPECT_EQ(a, b);
    }
}

TEST(LowFrequencyReport, SectionsThreeToFiveOfTheSpreadShip) {
    ScratchFolder folder;
    ScriptedConsole console;
    set_up_low_frequency_report();
    ASSERT_TRUE(open_unit(1, "LOWOUT.stxt", OpenStatus::replace, FileForm::formatted));
    const LowReportFlags flags = low_report_flags();
    write_vessel_environment_summary(flags);
    convert_mode_statistics(flags);
    write_static_equilibrium_summary(flags, report_moments());
    EXPECT_FALSE(write_mode_pages(flags));
    close_unit(1);
    expect_same_lines(folder.read("LOWOUT.stxt"), expected_pages("lowout_sections_iii_to_v.txt"));
    // A report on disk makes no pause and says nothing on the console.
    EXPECT_EQ(console.screen(), "");
}

// The report driver on the same fixture. Its section IV takes the yaw moments of TORQUE2 at
// the equilibrium heading; TORQUE2 needs the beam-on current coefficients, and the fixture's
// NSMB tanker model at its depth/draft parameter of 13.33 reaches deep-water sets the program
// does not carry (it refuses them). So the beam-on current is the barge model here, as the
// moment coefficients already are, with the wind and current pressure factors of COFLD. The
// expected text is the typed pages with the beam-on current lines as the typed moment lines
// read (the same model and parameter) and the moments as TORQUE2 gives them (the section's
// own test above checks the page with given moments).
testing::FakeHullModel& report_hull() {
    static testing::FakeHullModel fake;
    return fake;
}

void set_up_driver_report() {
    set_up_low_frequency_report();
    set_up_report_motions(report_hull());
    TPCM.LCBARG = 0x336;
    COFLD();
}

// The index of the line that starts with `head`.
std::size_t line_of(const std::vector<std::string>& lines, const std::string& head) {
    for (std::size_t k = 0; k < lines.size(); ++k)
        if (lines[k].starts_with(head))
            return k;
    ADD_FAILURE() << "no line " << head;
    return 0;
}

// The typed pages with the driver's current model and moments.
std::string driver_pages(const TorqueParts& Q) {
    std::vector<std::string> lines;
    {
        std::istringstream in(expected_pages("lowout_sections_iii_to_v.txt"));
        for (std::string l; std::getline(in, l);)
            lines.push_back(l);
    }
    // The beam-on current: its label, then the moment coefficients' model and parameter.
    const std::string cy = "     Beam-on Current Coefficients (Cy) ......... ";
    const std::size_t cz = line_of(lines, "     Current Moment Coefficients  (Cz) ......... ");
    const std::size_t k = line_of(lines, cy);
    lines[k] = cy + lines[cz].substr(cy.size());
    lines[k + 1] = lines[cz + 1];
    // The moments: the F15.1 field before the unit label.
    const std::pair<const char*, float> moments[] = {
        {"   Mean z moment; wind:", Q.WIND_TQ},
        {"   Mean z moment; wave reflection:", Q.WAV_RFL_TQ},
        {"   Mean z moment; wave drag:", Q.WAV_DRG_TQ},
        {"   Mean z moment; swell reflection:", Q.SWEL_RFL_TQ},
        {"   Mean z moment; swell drag:", Q.SWEL_DRG_TQ},
        {"   Mean z moment; swell #2 reflection:", Q.SWEL_RFL_TQ2},
        {"   Mean z moment; swell #2 drag:", Q.SWEL_DRG_TQ2},
        {"   Mean z moment; current (vessel):", Q.CUR_TQ},
        {"   User-specified #1 moment:", Q.AUX1_TQ},
        {"   Net Mean z moment:", Q.TORQUE_VAL}};
    for (const auto& [head, value] : moments) {
        std::string& l = lines[line_of(lines, head)];
        const std::size_t unit = l.find(" foot-kips");
        char field[32];
        std::snprintf(field, sizeof field, "%15.1f", static_cast<double>(value));
        l.replace(unit - 15, 15, field);
    }
    std::string text;
    for (const std::string& l : lines)
        text += l + "\n";
    return text;
}

TEST(LowFrequencyReport, TheDriverWritesTheSamePagesThreeToFive) {
    set_up_driver_report();
    const TorqueParts Q = TORQUE2(EQUILB.VESANG());
    // The moments the page then shows are the environment's, not zeros.
    for (const float m : {Q.WIND_TQ, Q.CUR_TQ, Q.AUX1_TQ, Q.TORQUE_VAL})
        EXPECT_GE(std::fabs(m), 0.05f);

    ScratchFolder folder;
    ScriptedConsole console(std::string(50, '\n')); // section VI's tension warnings
    set_up_driver_report();
    std::int32_t a = -1, b = -1, c = -1;
    ASSERT_EQ(run_until_stop([&] { QUASOT(a, b, c); }), std::nullopt) << console.screen();
    EXPECT_TRUE(
        console.screen().starts_with("\n >>> Outputting low-frequency dynamics data...\n\n"));
    const std::string report = folder.read("LOWOUT.stxt");
    const std::string expected = driver_pages(Q);
    // Sections III to V as typed, then section VI on a page of its own.
    ASSERT_GE(report.size(), expected.size());
    expect_same_lines(report.substr(0, expected.size()), expected);
    const std::string rest = report.substr(expected.size());
    EXPECT_TRUE(rest.starts_with("\f")) << rest.substr(0, 200);
    EXPECT_LT(rest.find("VIa.  Low-Frequency"), rest.find('\f', 1));
}

} // namespace
} // namespace lintar
