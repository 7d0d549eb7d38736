// Tests of the title screen, the version text and the report title page.
#include "support/console.h"
#include "util/title_screens.h"

#include "runtime/clock.h"
#include "runtime/units.h"

#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::ScriptedConsole;

// The box of the screen, typed from its layout: 11 blanks before each line, 56 columns
// inside the two bars.
const std::string box =
    "\n"
    "           +========================================================+\n"
    "           |                                                        |\n"
    "           |                                                        |\n"
    "           |                                                        |\n"
    "           |              **   Welcome to Lintar    **              |\n"
    "           |                                                        |\n"
    "           |                                                        |\n"
    "           |                 Lintar  Version: 6.80.00               |\n"
    "           |              Motion Evaluations: 149 points            |\n"
    "           |                                                        |\n"
    "           |                                                        |\n"
    "           |                                                        |\n"
    "           |                                                        |\n"
    "           +========================================================+\n"
    "\n\n\n\n"
    " ------------------------------------------------------------------------------\n";

const std::string question =
    "\n"
    " (M) Modify existing, (C) Create new, (E) Execute simulation, (B) Batch modify\n"
    "\n"
    " Enter letter of selection: ";

TEST(Title, AsksUntilALetterOfTheChoiceIsTyped) {
    struct Case {
        std::string keyboard;
        char answer;
        int questions;
    };
    const Case cases[] = {{"m\n", 'M', 1}, {"C\n", 'C', 1},          {"e\n", 'E', 1},
                          {"b\n", 'B', 1}, {"x\n7\n\nMx\n", 'M', 4}, {"cat\n", 'C', 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE("keyboard \"" + c.keyboard + "\"");
        ScriptedConsole console(c.keyboard);
        char answer = ' ';
        TITLE(8, "Lintar", 6.8f, screen_unit, keyboard_unit, answer, 0);
        EXPECT_EQ(answer, c.answer);
        std::string expected = box;
        for (int k = 0; k < c.questions; ++k)
            expected += question;
        EXPECT_EQ(console.screen(), expected);
    }
}

TEST(Title, MirrorPassWritesTheBoxOnlyAndReadsNothing) {
    ScriptedConsole console(""); // a read would end the run
    char answer = 'M';
    TITLE(8, "Lintar", 6.8f, screen_unit, keyboard_unit, answer, 1);
    EXPECT_EQ(answer, 'M');
    EXPECT_EQ(console.screen(), box);
}

TEST(Title, CapacityLineFollowsTheProgramType) {
    struct Case {
        std::int32_t type;
        std::string line;
    };
    const Case cases[] = {
        {9, "           |              Motion Evaluations: 149 points            |"},
        {10, "           |                Subline Capacity:  25 items             |"},
        {13, "           |                Mooring Capacity: 149 lines             |"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        ScriptedConsole console;
        char answer = ' ';
        TITLE(c.type, "Lintar", 6.8f, screen_unit, keyboard_unit, answer, 1);
        EXPECT_NE(console.screen().find("\n" + c.line + "\n"), std::string::npos);
    }
}

TEST(VersionString, LaysOutVersionAndMark) {
    struct Case {
        float version;
        std::string text;
    };
    const Case cases[] = {{6.8f, "Version: 6.80.00 "},
                          {-6.8f, "Version: 6.80.00b"},
                          {0.0f, "Version: 0.00.00b"},
                          {10.0f, "Version: ****.00 "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        EXPECT_EQ(VERSION_STRING(c.version), c.text);
        EXPECT_EQ(VERSION_STRING(c.version).size(), 17u);
    }
}

TEST(Titlpg, WritesTheTitlePageWithTimeAndDate) {
    // 09:05 on the 3rd of July 2026.
    set_clock([] { return LocalTime{2026, 7, 3, 9, 5, 0}; });
    ScriptedConsole console;
    TITLPG(8, "LINTAR", "Offset Table ", 6.8f, screen_unit);
    set_clock({});
    const std::string rule = std::string(24, ' ') + " " + std::string(30, '-') + "\n";
    const std::string expected =
        std::string(7, '\n') + std::string(22, ' ') + " Kelbrin Systems Simulation Library\n" +
        std::string(11, '\n') + std::string(35, ' ') + "Volume  8\n" + " \n" +
        std::string(37, ' ') + "LINTAR\n" + std::string(15, '\n') + rule + " \n" +
        std::string(25, ' ') + "Offset Table Version: 6.80.00 \n" + std::string(25, ' ') +
        "Motion Evaluations: 149 points\n" + std::string(26 + 27, ' ') + "\n" + " \n \n \n \n" +
        rule + "\n\n" + "     Executed at 09:05 on 7/3/26\n";
    EXPECT_EQ(console.screen(), expected);
}

TEST(Titlpg, TwoDigitMonthDayAndHour) {
    set_clock([] { return LocalTime{2031, 12, 25, 17, 45, 30}; });
    ScriptedConsole console;
    TITLPG(8, "LINTAR", "", 6.8f, screen_unit);
    set_clock({});
    EXPECT_NE(console.screen().find("\n     Executed at 17:45 on 12/25/31\n"), std::string::npos);
}

} // namespace
} // namespace lintar
