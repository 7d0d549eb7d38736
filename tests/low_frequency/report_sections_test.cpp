// Tests of sections III, IV and V of the low-frequency report written together for the ship
// on the four-line spread: the whole text against the pages typed from their layouts.
#include "blocks/equilb.h"
#include "low_frequency/low_frequency_report_fixture.h"
#include "low_frequency/mode_pages.h"
#include "low_frequency/report_context.h"
#include "low_frequency/static_equilibrium_summary.h"
#include "low_frequency/vessel_environment_summary.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

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

} // namespace
} // namespace lintar
